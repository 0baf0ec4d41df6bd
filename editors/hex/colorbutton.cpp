// The colour button: its click, its colour dialog and its owner-drawn face.
#include "colorbutton.h"

#include "afxdlgs.h"

IMPLEMENT_DYNAMIC(CColorButton, CButton)

BEGIN_MESSAGE_MAP(CColorButton, CButton)
    ON_CONTROL_REFLECT_EX(BN_CLICKED, OnClicked)
END_MESSAGE_MAP()

CColorButton::CColorButton() : m_crColor(0), m_bOpensDialog(1), m_bDarkFrame(0), m_pCustomColors(nullptr)
{
}

void CColorButton::SetColor(COLORREF color)
{
    m_crColor = color;
    if (m_hWnd != NULL)
        Invalidate(FALSE);
}

bool CColorButton::ChooseColor()
{
    CColorDialog dlg(0, 0, NULL);
    if (m_pCustomColors != nullptr)
        dlg.m_cc.lpCustColors = m_pCustomColors;
    dlg.m_cc.Flags |= CC_RGBINIT | CC_FULLOPEN;
    dlg.SetCurrentColor(m_crColor);
    if (dlg.DoModal() != IDOK || dlg.GetColor() == m_crColor)
        return false;
    SetColor(dlg.GetColor());
    return true;
}

void CColorButton::PreSubclassWindow()
{
    ModifyStyle(0, BS_OWNERDRAW);
    CButton::PreSubclassWindow();
}

BOOL CColorButton::OnClicked()
{
    if (m_bOpensDialog)
        ChooseColor();
    // Not handled: the parent's click handler runs as well and reads the colour.
    return FALSE;
}

void CColorButton::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    const UINT state = lpDrawItemStruct->itemState;
    CString text;
    GetWindowText(text);
    const bool bDisabled = (state & ODS_DISABLED) != 0 || !IsWindowEnabled();
    HFONT hFont = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
    PaintColorButton(lpDrawItemStruct->hDC, lpDrawItemStruct->rcItem, m_crColor, (state & ODS_FOCUS) != 0,
                     (state & ODS_SELECTED) != 0, bDisabled, m_bDarkFrame != 0, text, hFont);
}

void PaintColorButton(HDC hdc, RECT rc, COLORREF color, bool bFocused, bool bPressed, bool bDisabled,
                      bool bDarkFrame, LPCSTR text, HFONT hFont)
{
    const int saved = ::SaveDC(hdc);
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);

    // The 2-pixel ring around everything, in the face colour.
    RECT inner = rc;
    ::InflateRect(&inner, -2, -2);
    ::SaveDC(hdc);
    ::ExcludeClipRect(hdc, inner.left, inner.top, inner.right, inner.bottom);
    ::SetBkColor(hdc, face);
    ::ExtTextOutA(hdc, 0, 0, ETO_OPAQUE, &rc, NULL, 0, NULL);
    ::RestoreDC(hdc, -1);

    // The focus frame: a dotted rectangle in the text colour on the face-coloured ring.
    if (bFocused) {
        const COLORREF dot = ::GetSysColor(COLOR_BTNTEXT);
        for (int x = rc.left; x < rc.right; x += 2) {
            ::SetPixelV(hdc, x, rc.top, dot);
            ::SetPixelV(hdc, x, rc.bottom - 1, dot);
        }
        for (int y = rc.top; y < rc.bottom; y += 2) {
            ::SetPixelV(hdc, rc.left, y, dot);
            ::SetPixelV(hdc, rc.right - 1, y, dot);
        }
    }

    // The 1-pixel frame around the face.
    RECT frame = inner;
    ::InflateRect(&frame, -1, -1);
    HBRUSH hFrame = ::CreateSolidBrush(::GetSysColor(bDarkFrame ? COLOR_3DDKSHADOW : COLOR_BTNFACE));
    ::FrameRect(hdc, &frame, hFrame);
    ::DeleteObject(hFrame);

    // The face, around the swatch.
    RECT faceRect = frame;
    ::InflateRect(&faceRect, -1, -1);
    RECT swatch = faceRect;
    ::InflateRect(&swatch, -2, -2);
    ::SaveDC(hdc);
    if (swatch.right > swatch.left && swatch.bottom > swatch.top)
        ::ExcludeClipRect(hdc, swatch.left, swatch.top, swatch.right, swatch.bottom);
    UINT faceState = DFCS_BUTTONPUSH;
    if (bPressed)
        faceState |= DFCS_PUSHED;
    if (bDisabled)
        faceState |= DFCS_INACTIVE;
    ::DrawFrameControl(hdc, &faceRect, DFC_BUTTON, faceState);
    ::RestoreDC(hdc, -1);

    // The swatch; disabled, every other pixel shows the face colour.
    if (swatch.right > swatch.left && swatch.bottom > swatch.top) {
        ::SetBkColor(hdc, color);
        ::ExtTextOutA(hdc, 0, 0, ETO_OPAQUE, &swatch, NULL, 0, NULL);
        if (bDisabled) {
            for (int y = swatch.top; y < swatch.bottom; ++y)
                for (int x = swatch.left; x < swatch.right; ++x)
                    if (((x + y) & 1) == 0)
                        ::SetPixelV(hdc, x, y, face);
        }
    }

    if (text != nullptr && text[0] != '\0') {
        ::SetBkMode(hdc, TRANSPARENT);
        if (hFont != NULL)
            ::SelectObject(hdc, hFont);
        RECT textRect = swatch;
        if (bPressed) {
            textRect.right += 2;
            textRect.bottom += 2;
        }
        const UINT format = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS;
        if (bDisabled) {
            RECT embossed = textRect;
            ::OffsetRect(&embossed, 1, 1);
            ::SetTextColor(hdc, ::GetSysColor(COLOR_3DHILIGHT));
            ::DrawTextA(hdc, text, -1, &embossed, format);
            ::SetTextColor(hdc, ::GetSysColor(COLOR_GRAYTEXT));
        } else {
            ::SetTextColor(hdc, ::GetSysColor(COLOR_BTNTEXT));
        }
        ::DrawTextA(hdc, text, -1, &textRect, format);
    }
    ::RestoreDC(hdc, saved);
}
