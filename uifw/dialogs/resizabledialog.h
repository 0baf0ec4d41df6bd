// CUiResizableDialog: the framework's resizable dialog, and the base of the program's pane
// dialogs that live as child windows inside control bars.
//
// Embedded in a bar, it offers key presses to the hosting bar (or the auto-hide slider) and
// then to its own child bars before the dialog's own handling; OK and Cancel do not end a
// child dialog; and after every message the application counts as an idle trigger it brings
// the command state of its child control bars (the panes' toolbars) up to date, through the
// class library's control-bar update and never re-entrantly.
#pragma once
#include "resdlg.h"
#include "windowanchors.h"

typedef CUiWA<CUiWS<CUiResDlg, 301>> CUiResizableDialogBase;

class CUiResizableDialog : public CUiResizableDialogBase {
    DECLARE_DYNCREATE(CUiResizableDialog)
public:
    enum { kAttached = 0x01, kUpdating = 0x02 };

    CUiResizableDialog();
    explicit CUiResizableDialog(UINT nIDTemplate, CWnd* pParentWnd = NULL);

    void OnOK() override;
    void OnCancel() override;
    void PreSubclassWindow() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override;

    BYTE m_bRDFlags;
};

// The key routing of a framework dialog or page inside a bar: the hosting bar or slider
// (when bAskParent), then the window's own child bars.
bool UiPreTranslateToBars(CWnd* pWnd, MSG* pMsg, bool bAskParent);
// The update of pWnd's child bars after an idle trigger, guarded by the kUpdating bit.
void UiUpdateChildBarsAfter(CWnd* pWnd, HWND hWnd, bool bIdleTrigger, BYTE& bFlags, BYTE bUpdatingBit);
