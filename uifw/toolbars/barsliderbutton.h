// A toolbar button that carries a small scroll bar: a label with the command's text and icon,
// then a scroll area of a decrement arrow, a track with a thumb and an increment arrow. The
// position changes by the arrows and the track (repeated on a timer while held) or by a thumb
// drag, in a tracking loop of its own that holds the mouse capture on the bar. The owner
// reads the position; the button sends no command and no notification.
//
// The part rectangles are the window-free arithmetic of SliderMath; this class feeds it the
// values of the current orientation and turns the mouse into steps.
#pragma once
#include "barbutton.h"
#include "slidermath.h"

class CUiBarSliderButton : public CUiBarButton {
    DECLARE_DYNCREATE(CUiBarSliderButton)
public:
    CUiBarSliderButton();
    CUiBarSliderButton(CUiToolControlBar* pBar, UINT nCmdID, DWORD dwStyle);
    ~CUiBarSliderButton() override;

    enum { kRepeatTimer = 401, kRepeatPeriod = 50 };

    bool IsSeparatedDropDown() const override { return false; }
    void SetSeparatedDropDown(bool) override {}
    bool IsAutoChangeCmd() const override { return false; }
    void SetAutoChangeCmd(bool) override {}
    CWnd* SetCtrl(CWnd*, bool) override { return nullptr; }
    void SetRect(const RECT& rc) override;
    void SetMenu(HMENU, bool, bool) override {}
    HMENU GetMenu() const override { return NULL; }
    bool IsAbleToTrackMenu(bool = false) const override { return false; }
    bool IsMenuPopupOnly() const override { return false; }
    CSize CalculateLayout(CDC& dc, CSize sizeGiven, bool bHorz) override;
    void Paint(CDC& dc, bool bHorz) override;
    int OnTrackPopup(CPoint, bool) override { return -1; }
    void OnClick(CPoint point, bool bDown) override;
    void OnDeliverCmd() override {}

    virtual UINT GetScrollTotal() const { return m_nTotal; }
    virtual UINT SetScrollTotal(UINT nTotal);
    virtual UINT GetScrollPos() const { return m_nPos; }
    virtual UINT SetScrollPos(UINT nPos);
    virtual UINT GetScrollPageSize() const { return m_nPage; }
    virtual UINT SetScrollPageSize(UINT nPage);
    virtual UINT GetScrollButtonExtentH() const { return m_nArrowH; }
    virtual UINT SetScrollButtonExtentH(UINT nExtent);
    virtual UINT GetScrollButtonExtentV() const { return m_nArrowV; }
    virtual UINT SetScrollButtonExtentV(UINT nExtent);
    virtual UINT GetScrollAreaExtentH() const { return m_nAreaH; }
    virtual UINT SetScrollAreaExtentH(UINT nExtent);
    virtual UINT GetScrollAreaExtentV() const { return m_nAreaV; }
    virtual UINT SetScrollAreaExtentV(UINT nExtent);
    virtual void CalcSliderLayout();
    virtual void PaintSlider(CDC& dc, int nPart, bool bHorz);

    // Horizontal unless the bar is docked vertically (never with no-rotate-vertical).
    bool IsHorizontal() const;
    UINT GetScrollRange() const;
    const RECT& GetPartRect(int nPart) const { return m_rcParts[nPart]; }

    RECT m_rcParts[SliderMath::kPartCount];
    int m_nPressedPart;
    int m_nHotPart;

protected:
    UINT Exchange(UINT& nField, UINT nValue);
    int HitTestPart(CPoint point) const;
    // The loop of a press on a part; the button may be gone from its bar when it returns.
    void TrackPress(CPoint point, int nStep);

    UINT m_nTotal;
    UINT m_nPos;
    UINT m_nPage;
    UINT m_nArrowH;
    UINT m_nArrowV;
    UINT m_nAreaH;
    UINT m_nAreaV;
};
