// The buttons a menu bar shows for a maximised MDI child: the document button at the left end
// (the child's small icon, opening the child's system menu) and the right button at the far
// end, one button whose face holds the child's caption buttons as separate parts. Both stand
// for the child, found again when the stored handle is gone; the document button is never
// shown disabled.
//
// The right button's size and the places of its parts (MdiRightButtonsInfo) are plain
// arithmetic on the part size and the child's caption flags.
#pragma once
#include "barbutton.h"
#include "cmdicon.h"

class CUiMenuControlBar;

struct MdiRightButtonsInfo {
    enum : DWORD { kValid = 0x01, kClose = 0x02, kMaximizeBox = 0x04, kMinimizeBox = 0x08, kHelp = 0x10 };

    // The part size of the system's caption buttons (see the constructor).
    MdiRightButtonsInfo();
    // The part size from the small caption-button metrics (bXpOrLater) or the caption-button
    // metrics, each given; no window is asked.
    static CSize PartSizeFor(bool bXpOrLater, int cxSmSize, int cySmSize, int cxSize, int cySize);

    // The total size for the flags now set (marks the record valid).
    void CalcExtent(bool bHorz);
    // Places the present parts in the rectangle, in the order help, minimise, restore,
    // maximise, close.
    void LayoutInRect(const RECT& rc, bool bHorz);
    // The system command of the part under the point, 0 for none.
    UINT HitTestPart(CPoint pt) const;
    bool Has(DWORD dwFlag) const { return (m_dwFlags & dwFlag) != 0; }

    CWnd* m_pChild;
    CUiMenuControlBar* m_pBar;
    int m_cxPart, m_cyPart;
    int m_cxTotal, m_cyTotal;
    DWORD m_dwFlags;
    CRect m_rcClose, m_rcMaximize, m_rcRestore, m_rcMinimize, m_rcHelp;
};

class CUiBarMdiDocButton : public CUiBarButton {
    DECLARE_DYNCREATE(CUiBarMdiDocButton)
public:
    CUiBarMdiDocButton();
    CUiBarMdiDocButton(CUiToolControlBar* pBar, UINT nCmdID, DWORD dwStyle);
    ~CUiBarMdiDocButton() override;

    HWND GetMdiChildHwnd() const;
    void SetMdiChildHwnd(HWND hWnd);

    DWORD GetStyle() const override;
    void SetStyle(DWORD dwStyle) override;
    void ModifyStyle(DWORD dwAdd, DWORD dwRemove) override;
    bool PutToPopupMenu(CUiPopupMenuWnd* pMenu) override;
    CUiCmdIcon* GetIconPtr() const override;
    CWnd* GetCmdTargetWnd() const override;
    int OnTrackPopup(CPoint point, bool bSelectFirst) override;

protected:
    bool LoadMdiChildIcon(HWND hChild) const;
    CUiMenuControlBar* MenuBar() const;

    mutable CUiCmdIcon m_icon;
    HWND m_hWndChild;
};

class CUiBarMdiRightButton : public CUiBarMdiDocButton {
    DECLARE_DYNCREATE(CUiBarMdiRightButton)
public:
    CUiBarMdiRightButton();
    CUiBarMdiRightButton(CUiToolControlBar* pBar, UINT nCmdID, DWORD dwStyle);
    ~CUiBarMdiRightButton() override;

    CSize CalculateLayout(CDC& dc, CSize sizeGiven, bool bHorz) override;
    bool PutToPopupMenu(CUiPopupMenuWnd* pMenu) override;
    CUiCmdIcon* GetIconPtr() const override;
    void Paint(CDC& dc, bool bHorz) override;
    int OnTrackPopup(CPoint point, bool bSelectFirst) override;
    void OnClick(CPoint point, bool bDown) override;
    INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const override;
    int OnHelpHitTest(CPoint point) override;

protected:
    // The info filled for the bar's orientation and laid out in the button's rectangle.
    bool GetLaidOutInfo(MdiRightButtonsInfo& info) const;
    bool IsHorizontalInBar() const;
};
