// The non-client furniture of control bars and floating frames in the classic and XP looks:
// the frame around the client area, the toolbar gripper and the caption with its text.
// A caption's text runs bottom to top on a bar docked at the top or bottom.
#include "barpaintdata.h"
#include "paintclip.h"
#include "paintdraw.h"
#include "paintmanagerxp.h"
#include "paintsystem.h"

namespace {

// The caption text in the font, the colour and the direction of the record.
void PaintGripperText(CDC& dc, const GripperPaintData& data, CFont& font, COLORREF clrText)
{
    const CRect& rcText = data.m_rcText;
    if (data.m_lpszText[0] == '\0' || rcText.right <= rcText.left || rcText.bottom <= rcText.top)
        return;
    HDC hDC = dc.GetSafeHdc();
    HGDIOBJ hOldFont = ::SelectObject(hDC, font.GetSafeHandle());
    COLORREF clrOld = ::SetTextColor(hDC, clrText);
    int nOldMode = ::SetBkMode(hDC, TRANSPARENT);
    if (!data.IsHorzBar()) {
        RECT rc = rcText;
        ::DrawTextA(hDC, data.m_lpszText, -1, &rc, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
    } else {
        LOGFONTA lf = {};
        font.GetObject(sizeof(lf), &lf);
        const int nFontHeight = lf.lfHeight < 0 ? -lf.lfHeight : lf.lfHeight;
        CRect rc;
        rc.left = rcText.left + (rcText.Width() - nFontHeight) / 2 + 1;
        rc.top = rcText.bottom;
        rc.right = rc.left + rcText.Width();
        rc.bottom = rc.top + rcText.Height();
        rc.DeflateRect(2, 2);
        // The upward text starts at the bottom; above the text rectangle it must not show.
        CallerClip clip(hDC);
        const CRect rcDevice = LogicalToDeviceRect(hDC, CRect(data.m_rcItem.left, data.m_rcItem.top,
                                                              data.m_rcItem.right, rcText.top));
        POINT org = {0, 0};
        ::LPtoDP(hDC, &org, 1);
        ::ExcludeClipRect(hDC, rcDevice.left - org.x, rcDevice.top - org.y, rcDevice.right - org.x,
                          rcDevice.bottom - org.y);
        ::DrawTextA(hDC, data.m_lpszText, -1, &rc, DT_SINGLELINE | DT_NOCLIP | DT_NOPREFIX);
    }
    ::SetBkMode(hDC, nOldMode);
    ::SetTextColor(hDC, clrOld);
    ::SelectObject(hDC, hOldFont);
}

// An 8 x 8 pattern of lines on every other row (or column) for the XP gripper band.
HBRUSH CreateGripperBrush(CDC& dc, bool bHorzBar, bool bPalette, COLORREF clrFill, COLORREF clrLine)
{
    if (bPalette) {
        WORD rows[8];
        for (int i = 0; i < 8; ++i)
            rows[i] = (WORD)((i % 2) != 0 ? 0x00 : (bHorzBar ? 0xFF : 0xAA));
        HBITMAP hMono = ::CreateBitmap(8, 8, 1, 1, rows);
        HBRUSH hBrush = ::CreatePatternBrush(hMono);
        ::DeleteObject(hMono);
        return hBrush;
    }
    HDC hMem = ::CreateCompatibleDC(dc.GetSafeHdc());
    HBITMAP hBitmap = ::CreateCompatibleBitmap(dc.GetSafeHdc(), 8, 8);
    HGDIOBJ hOld = ::SelectObject(hMem, hBitmap);
    FillSolidRect(hMem, CRect(0, 0, 8, 8), clrFill);
    HPEN hPen = ::CreatePen(PS_SOLID, 1, ::GetNearestColor(dc.GetSafeHdc(), clrLine));
    HGDIOBJ hOldPen = ::SelectObject(hMem, hPen);
    for (int i = 0; i < 8; i += 2) {
        if (bHorzBar) {
            ::MoveToEx(hMem, 0, i, NULL);
            ::LineTo(hMem, 8, i);
        } else {
            ::MoveToEx(hMem, i, 0, NULL);
            ::LineTo(hMem, i, 8);
        }
    }
    ::SelectObject(hMem, hOldPen);
    ::DeleteObject(hPen);
    ::SelectObject(hMem, hOld);
    ::DeleteDC(hMem);
    HBRUSH hBrush = ::CreatePatternBrush(hBitmap);
    ::DeleteObject(hBitmap);
    return hBrush;
}

} // namespace

void CUiPaintManager::PaintGripper(CDC& dc, GripperPaintData& data)
{
    const COLORREF a = GetColor(1004);
    const COLORREF b = GetColor(1006);
    CRect rc(data.m_rcItem);
    if (!data.IsFloating() && !data.IsResizable()) {
        if (data.IsHorzBar()) {
            rc.DeflateRect(4, 1, 4, 0);
            dc.Draw3dRect(rc.left, rc.top, 3, rc.Height(), a, b);
            dc.Draw3dRect(rc.left + 3, rc.top, 3, rc.Height(), a, b);
        } else {
            rc.OffsetRect(1, 0);
            rc.DeflateRect(0, 4, 1, 4);
            dc.Draw3dRect(rc.left, rc.top, rc.Width(), 3, a, b);
            dc.Draw3dRect(rc.left, rc.top + 3, rc.Width(), 3, a, b);
        }
        return;
    }
    if (!data.IsFloating())
        rc.DeflateRect(1, 1);
    COLORREF clrText = GetColor(COLOR_HIGHLIGHTTEXT);
    HDC hDC = dc.GetSafeHdc();
    if (!data.IsResizable()) {
        FillSolidRect(hDC, rc, GetColor(COLOR_HIGHLIGHT));
    } else {
        const bool bActive = data.IsActive() || data.IsFloating();
        clrText = GetColor(bActive ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT);
        const COLORREF clrFrom = GetColor(bActive ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION);
        const COLORREF clrTo = GetColor(bActive ? COLOR_GRADIENTACTIVECAPTION : COLOR_GRADIENTINACTIVECAPTION);
        if (GetBitsPerPixel(hDC) > 8)
            FillGradientRect(hDC, rc, clrFrom, clrTo, data.IsHorzBar(), 256);
        else
            FillSolidRect(hDC, rc, clrFrom);
    }
    const bool bSmallNormal = data.IsResizable() && !data.IsFloating();
    CFont& font = bSmallNormal ? (data.IsHorzBar() ? m_fontNormalVertUpSmall : m_fontNormalSmall)
                               : (data.IsHorzBar() ? m_fontBoldVertUpSmall : m_fontBoldSmall);
    PaintGripperText(dc, data, font, clrText);
}

void CUiPaintManagerXP::PaintGripper(CDC& dc, GripperPaintData& data)
{
    HDC hDC = dc.GetSafeHdc();
    CRect rc(data.m_rcItem);
    if (!data.IsResizable() && !data.IsFloating()) {
        CRect rcFill(rc);
        rcFill.DeflateRect(1, 1);
        FillSolidRect(hDC, rcFill, GetColor(1000));
        const bool bPalette = GetBitsPerPixel(hDC) <= 8;
        const COLORREF face = GetColor(COLOR_BTNFACE);
        const COLORREF shadow = GetColor(COLOR_BTNSHADOW);
        const COLORREF clrLine = RGB((2 * GetRValue(face) + GetRValue(shadow)) / 3,
                                     (2 * GetGValue(face) + GetGValue(shadow)) / 3,
                                     (2 * GetBValue(face) + GetBValue(shadow)) / 3);
        HBRUSH hBrush = CreateGripperBrush(dc, data.IsHorzBar(), bPalette, RGB(255, 255, 255), clrLine);
        CRect rcBand;
        if (data.IsHorzBar()) {
            rcBand.SetRect(rc.left + 6, rc.top + 2, rc.left + 9, rc.bottom - 2);
        } else {
            rc.OffsetRect(1, 0);
            rcBand.SetRect(rc.left + 3, rc.top + 6, rc.right - 1, rc.top + 9);
        }
        HGDIOBJ hOldBrush = ::SelectObject(hDC, hBrush);
        COLORREF clrOldBk = ::SetBkColor(hDC, GetColor(2001));
        ::PatBlt(hDC, rcBand.left, rcBand.top, rcBand.Width(), rcBand.Height(), 0xA000C9);
        ::SetBkColor(hDC, clrOldBk);
        ::SelectObject(hDC, hOldBrush);
        ::DeleteObject(hBrush);
        return;
    }
    const bool bInactiveCaption = data.IsResizable() && !data.IsActive();
    if ((data.m_bLookFlags & GripperPaintData::kLookBackgroundPainted) == 0) {
        const int nFill = !data.IsResizable() ? COLOR_BTNSHADOW : (data.IsActive() ? COLOR_HIGHLIGHT : 2000);
        FillSolidRect(hDC, rc, GetColor(nFill));
        if (bInactiveCaption && !data.IsFloating())
            DrawCutCornerFrame(dc, rc, GetColor(COLOR_BTNSHADOW), GetColor(COLOR_BTNSHADOW));
    }
    CFont& font = data.IsResizable() ? (data.IsHorzBar() ? m_fontNormalVertUpSmall : m_fontNormalSmall)
                                     : (data.IsHorzBar() ? m_fontBoldVertUpSmall : m_fontBoldSmall);
    PaintGripperText(dc, data, font, GetColor(bInactiveCaption ? COLOR_BTNTEXT : COLOR_CAPTIONTEXT));
}

void CUiPaintManager::PaintControlBarBorders(CDC& dc, BarFramePaintData& data)
{
    CRect rc(data.m_rcItem);
    if (rc.IsRectEmpty())
        return;
    // The clip the caller gets back is the frame alone: the client area excluded, the window
    // rectangle intersected, so the caption painted next cannot stray into the client.
    dc.ExcludeClipRect(&data.m_rcClient);
    FillSolidRect(dc.GetSafeHdc(), rc, GetColor(1000));
    if (data.IsFloating()) {
        dc.Draw3dRect(&rc, GetColor(1000), GetColor(1008));
        rc.DeflateRect(1, 1);
    }
    if (data.IsFloating() || !data.IsResizable())
        dc.Draw3dRect(&rc, GetColor(1004), GetColor(1006));
    dc.IntersectClipRect(&data.m_rcItem);
}

void CUiPaintManagerXP::PaintControlBarBorders(CDC& dc, BarFramePaintData& data)
{
    CRect rc(data.m_rcItem);
    if (rc.IsRectEmpty())
        return;
    HDC hDC = dc.GetSafeHdc();
    CallerClip clip(hDC);
    COLORREF clrOldBk = ::GetBkColor(hDC);
    dc.ExcludeClipRect(&data.m_rcClient);
    const int nFill = !data.IsFloating() ? 1000 : (data.IsResizable() ? 2008 : 2009);
    FillSolidRect(hDC, rc, GetColor(nFill));
    const COLORREF shadow = GetColor(COLOR_BTNSHADOW);
    if (data.IsFloating()) {
        dc.Draw3dRect(&rc, shadow, shadow);
        rc.DeflateRect(1, 1);
        dc.Draw3dRect(&rc, shadow, shadow);
        rc.DeflateRect(1, 1, 2, 2);
        dc.SetPixel(rc.left, rc.top, shadow);
        dc.SetPixel(rc.right, rc.top, shadow);
        dc.SetPixel(rc.left, rc.bottom, shadow);
        dc.SetPixel(rc.right, rc.bottom, shadow);
    } else {
        if (!data.IsResizable())
            dc.Draw3dRect(&rc, GetColor(COLOR_BTNFACE), GetColor(COLOR_BTNFACE));
        if (GetBitsPerPixel(hDC) <= 8 && (data.m_bFlags & BarFramePaintData::kResizableDocked) == 0)
            PaintHalftoneOutline(dc, rc);
    }
    ::SetBkColor(hDC, clrOldBk);
}

// The outline of a fixed-size bar on a palette display: a half-tone pen, a plain rectangle
// or an octagon with its corners cut by 2 pixels.
void CUiPaintManagerXP::PaintHalftoneOutline(CDC& dc, const CRect& rc)
{
    HDC hDC = dc.GetSafeHdc();
    WORD rows[8];
    for (int i = 0; i < 8; ++i)
        rows[i] = (WORD)((i % 2) == 0 ? 0xAA : 0x55);
    HBITMAP hPattern = ::CreateBitmap(8, 8, 1, 1, rows);
    LOGBRUSH lb = {BS_PATTERN, 0, (ULONG_PTR)hPattern};
    HPEN hPen = ::ExtCreatePen(PS_GEOMETRIC | PS_SOLID, 1, &lb, 0, NULL);
    if (hPen == NULL)
        hPen = ::CreatePen(PS_SOLID, 1, GetColor(COLOR_BTNSHADOW));
    HGDIOBJ hOldPen = ::SelectObject(hDC, hPen != NULL ? (HGDIOBJ)hPen : ::GetStockObject(NULL_PEN));
    HGDIOBJ hOldBrush = ::SelectObject(hDC, ::GetStockObject(NULL_BRUSH));
    if ((m_bLookBits & 2) != 0) {
        ::Rectangle(hDC, rc.left, rc.top, rc.right, rc.bottom);
    } else {
        const int r = rc.right - 1, b = rc.bottom - 1;
        POINT pts[9] = {{rc.left + 2, rc.top}, {r - 2, rc.top}, {r, rc.top + 2}, {r, b - 2}, {r - 2, b},
                        {rc.left + 2, b}, {rc.left, b - 2}, {rc.left, rc.top + 2}, {rc.left + 2, rc.top}};
        ::Polyline(hDC, pts, 9);
    }
    ::SelectObject(hDC, hOldBrush);
    ::SelectObject(hDC, hOldPen);
    if (hPen != NULL)
        ::DeleteObject(hPen);
    ::DeleteObject(hPattern);
}

void DrawCutCornerFrame(CDC& dc, const CRect& rc, COLORREF clrTopLeft, COLORREF clrBottomRight)
{
    const int w = rc.Width(), h = rc.Height();
    dc.FillSolidRect(rc.left + 1, rc.top, w - 2, 1, clrTopLeft);
    dc.FillSolidRect(rc.left, rc.top + 1, 1, h - 2, clrTopLeft);
    dc.FillSolidRect(rc.right - 1, rc.top + 1, 1, h - 2, clrBottomRight);
    dc.FillSolidRect(rc.left + 1, rc.bottom - 1, w - 2, 1, clrBottomRight);
}
