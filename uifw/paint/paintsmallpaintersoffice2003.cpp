// The Office 2003 small painters: gradient caption bands and dragger, flat pane frames.
#include "paintdraw.h"
#include "paintmanagerholder.h"
#include "paintmanageroffice2003.h"
#include "paintsystem.h"
#include "themeapi.h"

void CUiPaintManagerOffice2003::PaintCaptionFrame(CDC& dc, const CRect& rc, LPCSTR lpszText)
{
    const int nScheme = PaintManagerHolder::Get().m_nScheme;
    if (GetScreenBitsPerPixel() <= 8 || nScheme < kSchemeBlue || nScheme > kSchemeSilver) {
        CUiPaintManagerXP::PaintCaptionFrame(dc, rc, lpszText);
        return;
    }
    if (!dc.RectVisible(&rc))
        return;
    FillGradientRect(dc.GetSafeHdc(), rc, GetColor(COLOR_3DDKSHADOW), GetColor(COLOR_BTNSHADOW), TRUE, 256);
    dc.FillSolidRect(rc.left, rc.bottom - 1, rc.Width(), 1, GetColor(COLOR_BTNSHADOW));
    PaintCaptionText(dc, rc, lpszText);
}

void CUiPaintManagerOffice2003::PaintCaptionBackground(CDC& dc, const CRect& rc, LPCSTR lpszText)
{
    if (GetScreenBitsPerPixel() <= 8) {
        CUiPaintManagerXP::PaintCaptionBackground(dc, rc, lpszText);
        return;
    }
    if (!dc.RectVisible(&rc))
        return;
    FillGradientRect(dc.GetSafeHdc(), rc, GetColor(COLOR_3DLIGHT), GetColor(COLOR_BTNHIGHLIGHT), TRUE, 256);
    dc.FillSolidRect(rc.left, rc.bottom - 1, rc.Width(), 1, GetColor(COLOR_BTNSHADOW));
    dc.FillSolidRect(rc.right - 1, rc.top, 1, rc.Height(), GetColor(COLOR_BTNSHADOW));
    dc.FillSolidRect(rc.left, rc.top, rc.Width(), 1, GetColor(COLOR_BTNFACE));
    PaintToolTipText(dc, rc, lpszText);
}

void CUiPaintManagerOffice2003::PaintMenuBarDragger(CDC& dc, const CRect& rc, BOOL)
{
    if (GetScreenBitsPerPixel() <= 8) {
        CUiPaintManagerXP::PaintMenuBarDragger(dc, rc, TRUE);
        return;
    }
    FillGradientRect(dc.GetSafeHdc(), rc, GetColor(COLOR_BTNSHADOW), GetColor(COLOR_3DLIGHT), TRUE, 256);
    PaintResizeGripper(dc, rc, 0);
}

void CUiPaintManagerOffice2003::PaintSunkenFrame(CDC& dc, const CRect& rc, DWORD, DWORD)
{
    if (!dc.RectVisible(&rc))
        return;
    HBRUSH hBrush = ::CreateSolidBrush(GetColor(1008));
    ::FrameRect(dc.GetSafeHdc(), &rc, hBrush);
    ::DeleteObject(hBrush);
}

void CUiPaintManagerOffice2003::PaintPaneFrame(CDC& dc, const CRect& rc, const DWORD*)
{
    FillSolidRect(dc.GetSafeHdc(), rc, GetColor(1000));
}
