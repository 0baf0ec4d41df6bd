// The small buttons in a control bar's caption: hide the bar, switch it to auto-hide, open its
// options menu, and expand or contract it within its row.
//
// A button is no window: the bar owns it and asks it, in turn, where it goes (after the
// previous visible button, right to left along a caption across the top, top to bottom along
// a gripper at the left), whether it shows, how it paints, what the mouse is over and what a
// click does. Its rectangle is in the coordinates of the window that draws the caption: the
// bar's window, or the floating frame's window while the bar floats alone in it.
#pragma once
#include "afxwin.h"

class CUiControlBar;
class CUiMiniDockFrameWnd;

class CUiBarNcAreaButton : public CObject {
    DECLARE_DYNCREATE(CUiBarNcAreaButton)
public:
    explicit CUiBarNcAreaButton(CUiControlBar* pBar = nullptr);
    ~CUiBarNcAreaButton() override;

    enum : BYTE { kHover = 0x01, kPressed = 0x02, kDisabled = 0x04, kPaintingInMenu = 0x08 };

    CUiControlBar* m_pBar;
    CRect m_rc;
    BYTE m_bFlags;

    virtual void Release();
    virtual void LayoutInCaption(CUiBarNcAreaButton* pPrevious);
    virtual bool IsButtonVisible();
    virtual void Paint(CDC& dc);
    virtual UINT NcHitTest(CPoint ptWindow);
    virtual HCURSOR CursorAt(CPoint ptWindow);
    virtual bool OnClick(CPoint ptWindow);
    virtual INT_PTR GetTipInfo(CPoint ptWindow, TOOLINFO* pTI);

    bool IsBarFixedSize() const;
    bool IsBarVisible() const;
    bool IsBarFloating() const;
    bool IsBarDockedHorizontally() const;
    CFrameWnd* GetBarFrame() const;
    bool IsBarAloneInRow() const;
    bool IsBarExpandedInRow() const;
    bool QueryAutoHideState(bool* pbShownInSlider, bool* pbSliderActive) const;
    bool QueryCaptionGeometry(CRect* pCaption, CRect* pWindow, bool* pbHorizontal, bool* pbPresent) const;
    bool IsBarCaptionActive() const;

protected:
    void ClearHoverAndPressed() { m_bFlags &= ~(kHover | kPressed); }
    void PaintGlyph(CDC& dc, UINT nGlyph);
    INT_PTR FillTipInfo(TOOLINFO* pTI, UINT nStringId, LPCSTR lpszBuiltIn);
    // The frame the floating bar lives in, when it is the framework's.
    CUiMiniDockFrameWnd* FloatingFrame() const;
};

class CUiBarNcAreaButtonExpand : public CUiBarNcAreaButton {
    DECLARE_DYNCREATE(CUiBarNcAreaButtonExpand)
public:
    explicit CUiBarNcAreaButtonExpand(CUiControlBar* pBar = nullptr) : CUiBarNcAreaButton(pBar) {}
    bool IsButtonVisible() override;
    void Paint(CDC& dc) override;
    UINT NcHitTest(CPoint ptWindow) override;
    bool OnClick(CPoint ptWindow) override;
    INT_PTR GetTipInfo(CPoint ptWindow, TOOLINFO* pTI) override;
};

class CUiBarNcAreaButtonClose : public CUiBarNcAreaButton {
    DECLARE_DYNCREATE(CUiBarNcAreaButtonClose)
public:
    explicit CUiBarNcAreaButtonClose(CUiControlBar* pBar = nullptr) : CUiBarNcAreaButton(pBar) {}
    bool IsButtonVisible() override;
    void Paint(CDC& dc) override;
    UINT NcHitTest(CPoint ptWindow) override;
    bool OnClick(CPoint ptWindow) override;
    INT_PTR GetTipInfo(CPoint ptWindow, TOOLINFO* pTI) override;
};

class CUiBarNcAreaButtonAutoHide : public CUiBarNcAreaButton {
    DECLARE_DYNCREATE(CUiBarNcAreaButtonAutoHide)
public:
    explicit CUiBarNcAreaButtonAutoHide(CUiControlBar* pBar = nullptr) : CUiBarNcAreaButton(pBar) {}
    void LayoutInCaption(CUiBarNcAreaButton* pPrevious) override;
    bool IsButtonVisible() override;
    void Paint(CDC& dc) override;
    UINT NcHitTest(CPoint ptWindow) override;
    bool OnClick(CPoint ptWindow) override;
    INT_PTR GetTipInfo(CPoint ptWindow, TOOLINFO* pTI) override;
};

class CUiBarNcAreaButtonMenu : public CUiBarNcAreaButton {
    DECLARE_DYNCREATE(CUiBarNcAreaButtonMenu)
public:
    explicit CUiBarNcAreaButtonMenu(CUiControlBar* pBar = nullptr) : CUiBarNcAreaButton(pBar) {}
    bool IsButtonVisible() override;
    void Paint(CDC& dc) override;
    UINT NcHitTest(CPoint ptWindow) override;
    bool OnClick(CPoint ptWindow) override;
    INT_PTR GetTipInfo(CPoint ptWindow, TOOLINFO* pTI) override;

    // Draws the button into its open menu, joined to it.
    static void PaintIntoMenu(LPVOID pCookie, CDC& dc, CWnd* pMenu, const RECT& rc, int nJoinedSide);
};
