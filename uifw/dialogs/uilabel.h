// CUiLabel: a static text painted off-screen over the look's background, in the window's
// font made bold, italic, underlined or struck out on request and in its own colours (or the
// look's). Changing its text or enabled state repaints the part of the parent under it, so
// no trace of the old text stays.
#pragma once
#include "afxctrls.h"

class CUiLabel : public CStatic {
    DECLARE_DYNCREATE(CUiLabel)
public:
    enum : BYTE { kBold = 0x01, kItalic = 0x02, kUnderline = 0x04, kStrikeOut = 0x08 };

    CUiLabel();

    virtual void DrawLabelText(CDC& dc, const RECT& rc, LPCTSTR lpszText, UINT nFormat, BOOL bEnabled);
    virtual COLORREF GetTextColor(BOOL bEnabled);

    // The DrawText format of a static style and its text.
    static UINT FormatForStyle(DWORD dwStyle, LPCTSTR lpszText);

    LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override;

    BYTE m_bFontFlags;
    COLORREF m_clrTextEnabled;
    COLORREF m_clrTextDisabled;

protected:
    void PaintLabel();
};
