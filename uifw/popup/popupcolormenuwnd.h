// A popup menu without items that offers the palette of forty named colours, with optional
// "Default Color" and "Custom Color ..." buttons. Moving over the palette or through it with
// the arrow keys posts a live preview to the notify window; a click or Enter posts the final
// choice (or asks for the colour dialog) and closes the menu chain. The arithmetic lives in
// PopupColorGrid; this window feeds it the look's metrics and turns its answers into posts.
#pragma once
#include "popupcolorgrid.h"
#include "popupmenuwnd.h"

class CUiPopupColorMenuWnd : public CUiPopupMenuWnd {
    DECLARE_DYNCREATE(CUiPopupColorMenuWnd)
public:
    enum { kShowDefaultButton = 0x01, kShowCustomButton = 0x02 };

    CUiPopupColorMenuWnd();
    ~CUiPopupColorMenuWnd() override;

    CRect GetCellRect(int nIndex) const;
    int HitTestColor(CPoint pt) const;
    static int FindColorIndex(COLORREF clr) { return PopupColorGrid::FindColorIndex(clr); }
    void NotifyColor(bool bFinal);
    // Client rectangles of the buttons once the window is made.
    const CRect& GetDefaultButtonRect() const { return m_grid.GetDefaultButtonRect(); }
    const CRect& GetCustomButtonRect() const { return m_grid.GetCustomButtonRect(); }

    void PaintContent(CDC& dc, BOOL bToWindow) override;
    BOOL CreateMenuWindow(HWND hWndOwner) override;
    int HitTestItem(CPoint pt, bool* pbOnEdit = nullptr, bool* pbOnArrow = nullptr) const override;
    BOOL OnTrackMouseMove(UINT message, CPoint pt, bool& bPassOn) override;
    BOOL OnTrackMouseClick(UINT message, CPoint pt, bool& bPassOn) override;
    BOOL OnTrackKeyDown(UINT nChar, UINT nRepeat, UINT nFlags, bool& bPassOn) override;
    BOOL IsSubmenuOpenAllowed() const override;
    // The palette is always there: without items the menu would count as all hidden, and the
    // item that opens it as a submenu would be left out of its parent menu.
    BOOL AreAllItemsHidden() const override { return FALSE; }
    CSize CalcMenuSize() const override;

    static const UINT g_nMsgNotifyColorChanged;
    static const UINT g_nMsgNotifyColorChangedFinally;
    static const UINT g_nMsgNotifyCustColor;

    HWND m_hWndNotify;
    LPARAM m_lCookie;
    COLORREF* m_pResult;
    COLORREF m_clrDefault;
    COLORREF m_clrInitial;
    DWORD m_dwOptions;
    CString m_strDefaultText;
    CString m_strCustomText;
    int m_nChosen;
    int m_nCurrent;

protected:
    afx_msg void OnPaletteChanged(CWnd* pFocusWnd);

    // Ends the tracking after a release or Enter on nIndex; a swatch or button chooses.
    void ChooseAndEnd(int nIndex);

    // Laid out by the size calculation, which the base declares const.
    mutable PopupColorGrid m_grid;

    DECLARE_MESSAGE_MAP()
};
