// CColorButton: an owner-drawn push button that shows a colour swatch and lets the user pick
// another colour with the system colour dialog when clicked. It is subclassed onto a button
// of a dialog template (DDX_Control); the dialog reads GetColor in its own click handler,
// which runs after the button's choice, because the button lets its click go on to the parent.
#pragma once

#include "afxwin.h"

class CColorButton : public CButton {
    DECLARE_DYNAMIC(CColorButton)
public:
    CColorButton();

    // Stores the colour and repaints the button (without erasing it).
    void SetColor(COLORREF color);
    COLORREF GetColor() const { return m_crColor; }

    // Runs the colour dialog at the current colour; true when the user chose another colour,
    // which then becomes the button's colour.
    bool ChooseColor();

    void PreSubclassWindow() override;
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

    COLORREF m_crColor;
    int m_bOpensDialog;          // 0: a click does not open the colour dialog
    int m_bDarkFrame;            // the frame around the face in COLOR_3DDKSHADOW, else invisible
    COLORREF* m_pCustomColors;   // 16 custom colour slots for the dialog, or null

protected:
    afx_msg BOOL OnClicked();
    DECLARE_MESSAGE_MAP()
};

// Paints a colour button into a DC: the face, the swatch (checkered with the button face
// colour when disabled) and the text. Shared by the button and its tests.
void PaintColorButton(HDC hdc, RECT rc, COLORREF color, bool bFocused, bool bPressed, bool bDisabled,
                      bool bDarkFrame, LPCSTR text, HFONT hFont);
