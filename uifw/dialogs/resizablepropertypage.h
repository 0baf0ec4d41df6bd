// CUiResizablePropertyPage: a framework page with anchored children, living inside a
// CUiResizablePropertySheet that places and stretches it. It keeps its child bars current
// after idle triggers as the resizable dialog does; OK and Cancel do nothing while it is a
// child window (always, inside a sheet); the gripper is hidden on a page.
#pragma once
#include "respp.h"
#include "windowanchors.h"

typedef CUiWA<CUiWS<CUiResPP, 301>> CUiResizablePropertyPageBase;

class CUiResizablePropertyPage : public CUiResizablePropertyPageBase {
    DECLARE_DYNCREATE(CUiResizablePropertyPage)
public:
    enum { kAttached = 0x01, kUpdating = 0x02 };

    CUiResizablePropertyPage();
    explicit CUiResizablePropertyPage(UINT nIDTemplate, UINT nIDCaption = 0);

    void OnOK() override;
    void OnCancel() override;
    void PreSubclassWindow() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override;

    BYTE m_bRDFlags;
};
