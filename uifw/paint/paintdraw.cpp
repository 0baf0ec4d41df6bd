#include "paintdraw.h"

#include "colorhls.h"
#include "paintmanager.h"
#include "paintmanagerholder.h"
#include "paintsystem.h"

#include <algorithm>
#include <set>

namespace {

COLORREF BandColor(COLORREF from, COLORREF to, int i, int steps)
{
    return RGB((GetRValue(from) * (steps - i) + GetRValue(to) * i) / steps,
               (GetGValue(from) * (steps - i) + GetGValue(to) * i) / steps,
               (GetBValue(from) * (steps - i) + GetBValue(to) * i) / steps);
}

void FillBand(HDC hDC, const RECT& rc, COLORREF clr, bool bBrush)
{
    if (bBrush) {
        HBRUSH hBrush = ::CreateSolidBrush(clr);
        ::FillRect(hDC, &rc, hBrush);
        ::DeleteObject(hBrush);
    } else {
        FillSolidRect(hDC, rc, clr);
    }
}

bool GradientFillRect(HDC hDC, const RECT& rc, COLORREF clrFrom, COLORREF clrTo, BOOL bVertical)
{
    PFN_GradientFill pfn = PaintManagerHolder::Get().m_pfnGradientFill;
    if (pfn == nullptr || (PaintManagerHolder::Get().m_wFamilyFlags & kWinNT) == 0)
        return false;
    // Vertical: "to" at the top, "from" at the bottom.
    COLORREF first = bVertical ? clrTo : clrFrom;
    COLORREF second = bVertical ? clrFrom : clrTo;
    TRIVERTEX v[2] = {};
    v[0].x = rc.left;
    v[0].y = rc.top;
    v[0].Red = (COLOR16)(GetRValue(first) << 8);
    v[0].Green = (COLOR16)(GetGValue(first) << 8);
    v[0].Blue = (COLOR16)(GetBValue(first) << 8);
    v[1].x = rc.right;
    v[1].y = rc.bottom;
    v[1].Red = (COLOR16)(GetRValue(second) << 8);
    v[1].Green = (COLOR16)(GetGValue(second) << 8);
    v[1].Blue = (COLOR16)(GetBValue(second) << 8);
    GRADIENT_RECT gr = {0, 1};
    pfn(hDC, v, 2, &gr, 1, bVertical ? GRADIENT_FILL_RECT_V : GRADIENT_FILL_RECT_H);
    return true;
}

void AddUnique(std::set<HWND>& served, HWND hWnd, bool& bRepeat)
{
    bRepeat = !served.insert(hWnd).second;
}

} // namespace

void FillGradientRect(HDC hDC, const RECT& rc, COLORREF clrFrom, COLORREF clrTo, BOOL bVertical, int nSteps)
{
    if (hDC == NULL)
        return;
    if (GradientFillRect(hDC, rc, clrFrom, clrTo, bVertical))
        return;
    const int width = rc.right - rc.left;
    const int height = rc.bottom - rc.top;
    if (width <= 0 || height <= 0)
        return;
    const int length = bVertical ? height : width;
    const bool bPalette = GetBitsPerPixel(hDC) < 9;
    int steps = std::min(nSteps, length);
    if (bPalette && steps > 0 && length / steps < 4)
        steps = length / 4;
    // A caller's 0 and a short rectangle on a palette display would leave no band at all.
    if (steps < 1)
        steps = 1;
    for (int i = 0; i < steps; ++i) {
        RECT band = rc;
        const int nearEdge = MulDiv(i, length, steps);
        const int farEdge = i == steps - 1 ? length : MulDiv(i + 1, length, steps);
        if (bVertical) {
            band.bottom = rc.bottom - nearEdge;
            band.top = rc.bottom - farEdge;
        } else {
            band.left = rc.left + nearEdge;
            band.right = rc.left + farEdge;
        }
        FillBand(hDC, band, BandColor(clrFrom, clrTo, i, steps), bPalette);
    }
}

void ExcludeChildWindowsFromClip(HDC hDC, HWND hParent, ChildClipFilter pfnFilter, LPARAM lParam)
{
    if (hDC == NULL || hParent == NULL || !::IsWindow(hParent))
        return;
    for (HWND hChild = ::GetWindow(hParent, GW_CHILD); hChild != NULL; hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
        LONG style = ::GetWindowLongA(hChild, GWL_STYLE);
        if ((style & WS_VISIBLE) == 0 || (style & WS_CHILD) == 0)
            continue;
        if (pfnFilter != nullptr && pfnFilter(hDC, hParent, hChild, lParam))
            continue;
        RECT rc;
        ::GetWindowRect(hChild, &rc);
        ::MapWindowPoints(NULL, hParent, (POINT*)&rc, 2);
        ::ExcludeClipRect(hDC, rc.left, rc.top, rc.right, rc.bottom);
    }
}

BOOL ChildClassExcludeFilter(HWND hChild)
{
    char szClass[64] = "";
    ::GetClassNameA(hChild, szClass, sizeof(szClass));
    if (lstrcmpiA(szClass, "static") == 0 || lstrcmpiA(szClass, "systabcontrol32") == 0 ||
        lstrcmpiA(szClass, "msctls_trackbar32") == 0)
        return TRUE;
    if (lstrcmpiA(szClass, "button") != 0)
        return FALSE;
    if ((PaintManagerHolder::Get().m_bThemeFlags & kThemeTaskbandRead) != 0)
        return TRUE;
    LONG type = ::GetWindowLongA(hChild, GWL_STYLE) & 0x0F;
    return (type >= 0 && type <= 7) || type == 9;
}

BOOL ChildClassExcludeFilterProc(HDC, HWND, HWND hChild, LPARAM)
{
    return ChildClassExcludeFilter(hChild);
}

void BlitWithColorKey(HDC hDest, int x, int y, int cx, int cy, HDC hSrc, int xSrc, int ySrc, int cxSrc,
                      int cySrc, COLORREF clrKey)
{
    if (cx < 0)
        cx = cxSrc;
    if (cy < 0)
        cy = cySrc;
    if (cx <= 0 || cy <= 0 || cxSrc <= 0 || cySrc <= 0)
        return;
    HDC hCopyDC = ::CreateCompatibleDC(hDest);
    HDC hMaskDC = ::CreateCompatibleDC(hDest);
    HBITMAP hCopy = ::CreateCompatibleBitmap(hDest, cx, cy);
    HBITMAP hMask = ::CreateBitmap(cx, cy, 1, 1, NULL);
    HGDIOBJ hOldCopy = ::SelectObject(hCopyDC, hCopy);
    HGDIOBJ hOldMask = ::SelectObject(hMaskDC, hMask);

    if (cx == cxSrc && cy == cySrc) {
        ::BitBlt(hCopyDC, 0, 0, cx, cy, hSrc, xSrc, ySrc, SRCCOPY);
    } else {
        int nOldMode = ::SetStretchBltMode(hCopyDC, COLORONCOLOR);
        ::StretchBlt(hCopyDC, 0, 0, cx, cy, hSrc, xSrc, ySrc, cxSrc, cySrc, SRCCOPY);
        ::SetStretchBltMode(hCopyDC, nOldMode);
    }
    // Key pixels white in the mask, then black in the copy.
    COLORREF clrOldBk = ::SetBkColor(hCopyDC, clrKey);
    ::BitBlt(hMaskDC, 0, 0, cx, cy, hCopyDC, 0, 0, SRCCOPY);
    ::SetBkColor(hCopyDC, clrOldBk);
    COLORREF clrCopyBk = ::SetBkColor(hCopyDC, RGB(255, 255, 255));
    COLORREF clrCopyText = ::SetTextColor(hCopyDC, RGB(0, 0, 0));
    ::BitBlt(hCopyDC, 0, 0, cx, cy, hMaskDC, 0, 0, 0x00220326 /* DSna */);
    ::SetBkColor(hCopyDC, clrCopyBk);
    ::SetTextColor(hCopyDC, clrCopyText);

    COLORREF clrDestBk = ::SetBkColor(hDest, RGB(255, 255, 255));
    COLORREF clrDestText = ::SetTextColor(hDest, RGB(0, 0, 0));
    ::BitBlt(hDest, x, y, cx, cy, hMaskDC, 0, 0, SRCAND);
    ::BitBlt(hDest, x, y, cx, cy, hCopyDC, 0, 0, SRCPAINT);
    ::SetBkColor(hDest, clrDestBk);
    ::SetTextColor(hDest, clrDestText);

    ::SelectObject(hCopyDC, hOldCopy);
    ::SelectObject(hMaskDC, hOldMask);
    ::DeleteObject(hCopy);
    ::DeleteObject(hMask);
    ::DeleteDC(hCopyDC);
    ::DeleteDC(hMaskDC);
}

void PassPaintMessages(BOOL bNcPaint, BOOL bEraseBkgnd, BOOL bPaint)
{
    const BOOL flags[3] = {bNcPaint, bEraseBkgnd, bPaint};
    const UINT kinds[3] = {WM_NCPAINT, WM_ERASEBKGND, WM_PAINT};
    for (int k = 0; k < 3; ++k) {
        if (!flags[k])
            continue;
        // A window whose paint handler never validates would hand its WM_PAINT back for ever;
        // each window is served once per call.
        std::set<HWND> served;
        MSG msg;
        while (::PeekMessageA(&msg, NULL, kinds[k], kinds[k], PM_NOREMOVE)) {
            if (!::GetMessageA(&msg, NULL, kinds[k], kinds[k]))
                return;
            bool bRepeat = false;
            AddUnique(served, msg.hwnd, bRepeat);
            if (bRepeat)
                break;
            ::DispatchMessageA(&msg);
        }
    }
}

HBITMAP MakeDitherBitmap(COLORREF clrA, COLORREF clrB, int mx, int my, int lx, int ly, COLORREF clrLine)
{
    if (clrA == (COLORREF)-1)
        clrA = PaintGetSysColor(COLOR_BTNFACE);
    if (clrB == (COLORREF)-1)
        clrB = PaintGetSysColor(COLOR_3DHILIGHT);
    if (clrLine == (COLORREF)-1)
        clrLine = clrA;
    HDC hScreen = ::GetDC(NULL);
    HBITMAP hBitmap = ::CreateCompatibleBitmap(hScreen, 16, 16);
    HDC hDC = ::CreateCompatibleDC(hScreen);
    ::ReleaseDC(NULL, hScreen);
    if (hBitmap == NULL || hDC == NULL) {
        if (hBitmap != NULL)
            ::DeleteObject(hBitmap);
        if (hDC != NULL)
            ::DeleteDC(hDC);
        return NULL;
    }
    HGDIOBJ hOld = ::SelectObject(hDC, hBitmap);
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            COLORREF clr;
            if ((x & lx) != 0 || (y & ly) != 0)
                clr = clrLine;
            else if ((y & my) != 0)
                clr = (x & mx) != 0 ? clrA : clrB;
            else
                clr = (x & mx) != 0 ? clrB : clrA;
            ::SetPixel(hDC, x, y, clr);
        }
    }
    ::SelectObject(hDC, hOld);
    ::DeleteDC(hDC);
    return hBitmap;
}

void PaintCheckMark(HDC hDC, int x, int y, COLORREF clr)
{
    // The top row of each column's two pixels; the shadow goes under the second.
    static const int kTop[7] = {2, 3, 4, 3, 2, 1, 0};
    const COLORREF clrShadow = ::GetNearestColor(hDC, InvertColor(clr));
    for (int col = 0; col < 7; ++col) {
        ::SetPixel(hDC, x + col, y + kTop[col], clr);
        ::SetPixel(hDC, x + col, y + kTop[col] + 1, clr);
        ::SetPixel(hDC, x + col, y + kTop[col] + 2, clrShadow);
    }
}

void PaintRadioBullet(HDC hDC, int x, int y, COLORREF clr)
{
    const COLORREF colors[2] = {::GetNearestColor(hDC, InvertColor(clr)), clr};
    const int offsets[2] = {1, 0};
    for (int i = 0; i < 2; ++i) {
        HBRUSH hBrush = ::CreateSolidBrush(colors[i]);
        HPEN hPen = ::CreatePen(PS_SOLID, 1, colors[i]);
        HGDIOBJ hOldBrush = ::SelectObject(hDC, hBrush);
        HGDIOBJ hOldPen = ::SelectObject(hDC, hPen);
        ::Ellipse(hDC, x + offsets[i], y + offsets[i], x + 6 + offsets[i], y + 6 + offsets[i]);
        ::SelectObject(hDC, hOldBrush);
        ::SelectObject(hDC, hOldPen);
        ::DeleteObject(hBrush);
        ::DeleteObject(hPen);
    }
}

void MeasureTextRect(HDC hDC, LPCSTR lpszText, HFONT hFont, RECT& rcText)
{
    ::SetRectEmpty(&rcText);
    if (hDC == NULL || lpszText == nullptr)
        return;
    HGDIOBJ hOld = hFont != NULL ? ::SelectObject(hDC, hFont) : NULL;
    ::DrawTextA(hDC, lpszText, -1, &rcText, DT_SINGLELINE | DT_CALCRECT);
    if (hOld != NULL)
        ::SelectObject(hDC, hOld);
}
