// The small painters of caption bands, item texts, grips and plain frames. Band and item
// texts use the system's icon-title font, centred vertically after an indent, and end in an
// ellipsis when they do not fit.
#include "cmdicon.h"
#include "glyphs.h"
#include "paintclip.h"
#include "paintdraw.h"
#include "paintmanageroffice2003.h"
#include "paintsystem.h"
#include "pushbuttonpaintdata.h"

namespace {

bool Visible(CDC& dc, const CRect& rc)
{
    return dc.RectVisible(&rc) != FALSE;
}

// The text in the icon-title font (made bold 20-pixel "Arial" for caption bands).
void PaintBandText(CDC& dc, const CRect& rc, LPCSTR lpszText, bool bCaptionFont, COLORREF clrText, UINT nFormat,
                   int nIndent)
{
    if (lpszText == nullptr || lpszText[0] == '\0')
        return;
    LOGFONTA lf = {};
    ::SystemParametersInfoA(SPI_GETICONTITLELOGFONT, sizeof(lf), &lf, 0);
    if (bCaptionFont) {
        lf.lfHeight = 20;
        lf.lfWeight = FW_BOLD;
        lstrcpynA(lf.lfFaceName, "Arial", LF_FACESIZE);
    }
    HFONT hFont = ::CreateFontIndirectA(&lf);
    HDC hDC = dc.GetSafeHdc();
    HGDIOBJ hOldFont = ::SelectObject(hDC, hFont);
    int nOldMode = ::SetBkMode(hDC, TRANSPARENT);
    COLORREF clrOld = ::SetTextColor(hDC, clrText);
    if (strchr(lpszText, '\t') != nullptr)
        nFormat |= DT_EXPANDTABS;
    CRect rcText(rc.left + nIndent, rc.top, rc.right, rc.bottom);
    ::DrawTextA(hDC, lpszText, -1, &rcText, nFormat | DT_CALCRECT);
    const int cy = rcText.Height();
    rcText.OffsetRect(0, rc.top + (rc.Height() - cy) / 2 - rcText.top);
    rcText.IntersectRect(&rcText, &rc);
    ::DrawTextA(hDC, lpszText, -1, &rcText, nFormat | DT_END_ELLIPSIS);
    ::SetTextColor(hDC, clrOld);
    ::SetBkMode(hDC, nOldMode);
    ::SelectObject(hDC, hOldFont);
    ::DeleteObject(hFont);
}

} // namespace

void CUiPaintManager::FillWindowColorRect(CDC& dc, const CRect& rc, LPARAM)
{
    if (Visible(dc, rc))
        FillSolidRect(dc.GetSafeHdc(), rc, GetColor(COLOR_WINDOW));
}

void CUiPaintManager::PaintFrameRect(CDC& dc, const CRect& rc)
{
    if (Visible(dc, rc))
        dc.Draw3dRect(&rc, GetColor(COLOR_BTNSHADOW), GetColor(COLOR_WINDOW));
}

void CUiPaintManagerXP::PaintFrameRect(CDC& dc, const CRect& rc)
{
    if (!Visible(dc, rc))
        return;
    HBRUSH hBrush = ::CreateSolidBrush(GetColor(COLOR_BTNSHADOW));
    ::FrameRect(dc.GetSafeHdc(), &rc, hBrush);
    ::DeleteObject(hBrush);
}

void CUiPaintManager::PaintCaptionText(CDC& dc, const CRect& rc, LPCSTR lpszText)
{
    if (Visible(dc, rc))
        PaintBandText(dc, rc, lpszText, true, GetColor(COLOR_WINDOW), DT_WORDBREAK, 4);
}

void CUiPaintManager::PaintSmallCaptionText(CDC& dc, const CRect& rc, LPCSTR lpszText, CUiCmdIcon* pIcon,
                                            BOOL bLargeIcon, BOOL bState1, BOOL bState2)
{
    if (!Visible(dc, rc))
        return;
    if (pIcon != nullptr && !pIcon->IsEmpty()) {
        const int cy = bLargeIcon ? 24 : 16;
        const CSize size = pIcon->GetSize();
        const int x = rc.left + 10 + (cy - size.cx) / 2;
        const int y = rc.top + (rc.Height() - size.cy) / 2;
        pIcon->Paint(&dc, CPoint(x, y));
    }
    PaintBandText(dc, rc, lpszText, false, GetColor(bState1 && bState2 ? COLOR_WINDOW : COLOR_BTNTEXT), DT_WORDBREAK,
                  36);
}

void CUiPaintManager::PaintToolTipText(CDC& dc, const CRect& rc, LPCSTR lpszText)
{
    if (Visible(dc, rc))
        PaintBandText(dc, rc, lpszText, false, GetColor(COLOR_WINDOWTEXT), 0, 7);
}

void CUiPaintManager::PaintCaptionFrame(CDC& dc, const CRect& rc, LPCSTR lpszText)
{
    if (!Visible(dc, rc))
        return;
    FillSolidRect(dc.GetSafeHdc(), rc, GetColor(COLOR_BTNSHADOW));
    PaintCaptionText(dc, rc, lpszText);
}

void CUiPaintManager::PaintCaptionBackground(CDC& dc, const CRect& rc, LPCSTR lpszText)
{
    if (!Visible(dc, rc))
        return;
    FillSolidRect(dc.GetSafeHdc(), rc, GetColor(COLOR_BTNFACE));
    dc.FillSolidRect(rc.left, rc.bottom - 1, rc.Width(), 1, GetColor(COLOR_BTNSHADOW));
    PaintToolTipText(dc, rc, lpszText);
}

void CUiPaintManager::PaintCaptionIcon(CDC& dc, const CRect& rc, const GlyphBitmap* pGlyph, LPARAM)
{
    if (pGlyph == nullptr || !Visible(dc, rc))
        return;
    const COLORREF colors[2] = {0, GetColor(COLOR_BTNTEXT)};
    PaintGlyphCentered(dc, rc, *pGlyph, colors);
}

void CUiPaintManager::PaintMenuBarDragger(CDC& dc, const CRect& rc, BOOL bDrawDots)
{
    FillSolidRect(dc.GetSafeHdc(), rc, GetColor(1000));
    dc.FillSolidRect(rc.left, rc.top, rc.Width(), 1, GetColor(COLOR_BTNSHADOW));
    dc.FillSolidRect(rc.left, rc.top + 1, rc.Width(), 1, GetColor(COLOR_WINDOW));
    dc.FillSolidRect(rc.left, rc.top + 2, 1, rc.Height() - 2, GetColor(COLOR_WINDOW));
    if (bDrawDots)
        PaintResizeGripper(dc, rc, 0);
}

void CUiPaintManager::PaintResizeGripper(CDC& dc, const CRect& rcIn, int nOffset)
{
    CRect rc(rcIn);
    rc.InflateRect(-(rc.Width() - 36) / 2, -1 - (rc.Height() - 3) / 2);
    if (nOffset != 0)
        rc.OffsetRect(0, nOffset);
    for (int x = 0; x <= 32; x += 4) {
        dc.FillSolidRect(rc.left + x + 1, rc.top + 1, 2, 2, GetColor(COLOR_WINDOW));
        dc.FillSolidRect(rc.left + x, rc.top, 2, 2, GetColor(COLOR_3DDKSHADOW));
    }
}

void CUiPaintManager::FillShadowColorRect(CDC& dc, const CRect& rc, DWORD, DWORD)
{
    if (Visible(dc, rc))
        FillSolidRect(dc.GetSafeHdc(), rc, GetColor(COLOR_BTNSHADOW));
}

void CUiPaintManager::PaintPanelBackground(CDC& dc, const CRect& rcOuter, const CRect& rcInner, CObject* pAsking,
                                           LPARAM lParam)
{
    if (!Visible(dc, rcOuter))
        return;
    CWnd* pWnd = DYNAMIC_DOWNCAST(CWnd, pAsking);
    if (pWnd != nullptr && pWnd->GetSafeHwnd() != NULL && HasThemedBackground(pWnd, lParam)) {
        CallerClip clip(dc.GetSafeHdc());
        ExcludeChildWindowsFromClip(dc.GetSafeHdc(), pWnd->GetSafeHwnd(), nullptr, 0);
        PaintThemedBackground(dc, pWnd, lParam);
    } else {
        FillSolidRect(dc.GetSafeHdc(), rcOuter, GetColor(1000));
    }
    FillSolidRect(dc.GetSafeHdc(), rcInner, GetColor(COLOR_WINDOW));
}

void CUiPaintManager::PaintSunkenFrame(CDC& dc, const CRect& rcIn, DWORD, DWORD)
{
    if (!Visible(dc, rcIn))
        return;
    const COLORREF white = RGB(255, 255, 255);
    const COLORREF rings[4][2] = {{GetColor(COLOR_BTNFACE), GetColor(COLOR_3DDKSHADOW)},
                                  {white, GetColor(COLOR_BTNSHADOW)},
                                  {GetColor(COLOR_BTNFACE), GetColor(COLOR_BTNFACE)},
                                  {GetColor(COLOR_BTNSHADOW), white}};
    CRect rc(rcIn);
    for (const auto& ring : rings) {
        dc.Draw3dRect(&rc, ring[0], ring[1]);
        rc.DeflateRect(1, 1);
    }
}

void CUiPaintManager::PaintPaneFrame(CDC& dc, const CRect& rc, const DWORD*)
{
    dc.Draw3dRect(&rc, GetColor(COLOR_BTNSHADOW), GetColor(COLOR_BTNSHADOW));
    CRect rcInside(rc);
    rcInside.DeflateRect(1, 1);
    FillSolidRect(dc.GetSafeHdc(), rcInside, GetColor(1000));
}

// State bits: 0 hot, 1 pushed.
void CUiPaintManager::PaintCaptionButtonFace(CDC& dc, const CRect& rcButton, LPCSTR lpszText, UINT nState, DWORD,
                                             DWORD, DWORD)
{
    if (!Visible(dc, rcButton))
        return;
    const bool bHot = (nState & 1) != 0;
    const bool bPushed = (nState & 2) != 0;
    CRect rc(rcButton);
    if (bPushed)
        rc.DeflateRect(1, 0);
    FillSolidRect(dc.GetSafeHdc(), rc, GetColor(COLOR_BTNSHADOW));
    if (bPushed)
        dc.FillSolidRect(rc.left, rc.top, 1, rc.Height(), GetColor(COLOR_3DDKSHADOW));
    if (bPushed)
        dc.Draw3dRect(&rc, GetColor(COLOR_3DDKSHADOW), GetColor(COLOR_WINDOW));
    else if (bHot)
        dc.Draw3dRect(&rc, GetColor(COLOR_WINDOW), GetColor(COLOR_3DDKSHADOW));
    PaintSmallCaptionText(dc, rc, lpszText, nullptr, FALSE, bHot, bPushed);
}

// The flat looks: a shadow-coloured frame, the inside by state, a flat push button for the
// hover and pushed edges, then the text.
void CUiPaintManager::PaintFlatCaptionButtonFace(CDC& dc, const CRect& rcButton, LPCSTR lpszText, UINT nState,
                                                 bool bGradient)
{
    if (!Visible(dc, rcButton))
        return;
    const bool bHot = (nState & 1) != 0;
    const bool bPushed = (nState & 2) != 0;
    HBRUSH hBrush = ::CreateSolidBrush(GetColor(COLOR_BTNSHADOW));
    ::FrameRect(dc.GetSafeHdc(), &rcButton, hBrush);
    ::DeleteObject(hBrush);
    CRect rc(rcButton);
    rc.DeflateRect(1, 1);
    if (GetBitsPerPixel(dc.GetSafeHdc()) > 8) {
        if (bHot)
            FillSolidRect(dc.GetSafeHdc(), rc, GetColor(2001));
        else if (bGradient)
            FillGradientRect(dc.GetSafeHdc(), rc, GetColor(3016), GetColor(3015), TRUE, 256);
        else
            FillSolidRect(dc.GetSafeHdc(), rc, GetColor(1000));
    }
    PushButtonPaintData button(this, TRUE, rc, "", nullptr, TRUE, bHot, bPushed, FALSE, TRUE, TRUE, FALSE, FALSE, 5,
                               NULL, FALSE, 0, TRUE);
    PaintPushButton(dc, button);
    PaintSmallCaptionText(dc, rc, lpszText, nullptr, FALSE, bHot, bPushed);
}

void CUiPaintManagerXP::PaintCaptionButtonFace(CDC& dc, const CRect& rc, LPCSTR lpszText, UINT nState, DWORD, DWORD,
                                               DWORD)
{
    PaintFlatCaptionButtonFace(dc, rc, lpszText, nState, false);
}

void CUiPaintManagerOffice2003::PaintCaptionButtonFace(CDC& dc, const CRect& rc, LPCSTR lpszText, UINT nState, DWORD,
                                                       DWORD, DWORD)
{
    PaintFlatCaptionButtonFace(dc, rc, lpszText, nState, true);
}

void CUiPaintManager::PaintSmallButton(CDC& dc, PushButtonPaintData& data)
{
    PushButtonPaintData button(data);
    button.m_nAlign = 5;
    button.m_nTextFormat = DT_SINGLELINE | DT_CENTER | DT_VCENTER;
    PaintPushButton(dc, button);
}
