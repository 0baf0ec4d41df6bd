// The balloon that explains the menu item under the mouse: the information icon and the
// item's tip text in a rounded box whose pointer rests near the item. It becomes visible one
// second after it is placed (timer 669 of the popup base) and vanishes when hidden. Every
// popup menu embeds one, so the end of its window never deletes it.
#pragma once
#include "popupbasewnd.h"
#include "popuptipshape.h"

class CUiPopupMenuTipWnd : public CUiPopupBaseWnd {
    DECLARE_DYNCREATE(CUiPopupMenuTipWnd)
public:
    enum { kShowTimer = 669, kShowDelay = 1000 };

    CUiPopupMenuTipWnd();
    ~CUiPopupMenuTipWnd() override;

    void SetText(LPCSTR lpszText);
    const CString& GetText() const { return m_strText; }
    // Places the tip at an item (screen coordinates) and starts the show delay; FALSE when
    // the window cannot be made.
    BOOL ShowTipAt(CWnd* pParent, const RECT& rcItem);
    void HideTip();
    const PopupTipShape& Shape() const { return m_shape; }

    void PaintContent(CDC& dc, BOOL bToWindow) override;

    int m_cxIcon;
    int m_cyIcon;
    HICON m_hIcon;
    CString m_strText;

protected:
    void PostNcDestroy() override {}

    PopupTipShape m_shape;
};
