// CUiColorButton: a framework push button that shows a colour sample and opens the colour
// popup menu. The menu's live and final colour notifications reach the button (its owner)
// and go on to the parent; "Custom Color ..." opens the system colour dialog or, with that
// option off, the framework's colour dialog. A split button's main part re-sends the
// current colour as final without opening the menu.
#pragma once
#include "uibutton.h"

class CUiColorButton : public CUiButton {
    DECLARE_DYNCREATE(CUiColorButton)
public:
    CUiColorButton();

    // A 16 x 16 sample of the current colour; bOwned when the caller must destroy it.
    virtual void GetColorIcon(HICON& hIcon, bool& bOwned);

    void OnClick(bool bFromKeyboard, bool bOnDropDownPart) override;
    bool TrackDropDown(bool bFromKeyboard) override;
    bool HasDropDownMenu() override { return true; }
    void PaintButton(CDC& dc, bool bBackgroundPainted) override;
    LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override;

    // Opens the custom-colour dialog; on IDOK takes its colour and sends it on as final
    // with lParam. True when a colour was chosen.
    bool ChooseCustomColor(LPARAM lParam);

    CString m_strDefaultColorText;
    CString m_strCustomColorText;
    bool m_bShowDefaultColor;
    bool m_bShowCustomColor;
    bool m_bUseSystemColorDialog;
    COLORREF m_clrDefault;
    COLORREF m_clrCurrent;
    LPARAM m_lNotifyValue;
};
