// The chevron at the end of a toolbar: it opens a popup menu of the buttons that did not fit
// the bar, followed (when the bar allows it) by a submenu that shows and hides the frame's
// bars. The bar keeps it last in its button array and refills its list at every layout; the
// chevron does not own the listed buttons.
#pragma once
#include "afxtempl.h"
#include "barbutton.h"

class CUiBarContentExpandButton : public CUiBarButton {
    DECLARE_DYNCREATE(CUiBarContentExpandButton)
public:
    CUiBarContentExpandButton();
    explicit CUiBarContentExpandButton(CUiToolControlBar* pBar);
    ~CUiBarContentExpandButton() override;

    // The chevron's own command id (-66).
    static const UINT kCmdID = 0xFFFFFFBE;

    CSize CalculateLayout(CDC& dc, CSize sizeGiven, bool bHorz) override;
    bool PutToPopupMenu(CUiPopupMenuWnd* pMenu) override;
    void Paint(CDC& dc, bool bHorz) override;
    int OnTrackPopup(CPoint point, bool bSelectFirst) override;
    void OnClick(CPoint point, bool bDown) override;
    INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const override;
    bool IsPlainCommandButton() const override { return false; }

    // Whether the menu has anything to offer: hidden buttons, or the bars of the frame.
    bool IsMenuAvailable() const;

    bool m_bNothingHidden;
    CArray<CUiBarButton*, CUiBarButton*> m_arrHidden;
};
