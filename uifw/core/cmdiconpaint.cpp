// What the command icon takes from the current look: painting in the four states, the tint
// and lightness of its generated look, and the mark colour.
#include "cmdicon.h"

namespace {

int DeviceBitsPerPixel(CDC* pDC)
{
    return ::GetDeviceCaps(pDC->GetSafeHdc(), BITSPIXEL) * ::GetDeviceCaps(pDC->GetSafeHdc(), PLANES);
}

COLORREF MarkColor(COLORREF clrMark)
{
    return clrMark == CUiCmdIcon::kNoTint ? ::GetSysColor(COLOR_MENUTEXT) : clrMark;
}

} // namespace

bool CUiCmdIcon::Paint(CDC* pDC, POINT pt, int nState, HBRUSH hBrush)
{
    if (pDC == NULL)
        return false;
    const CSize size = GetSize();
    if (nState == kPaintFlatDisabled && DeviceBitsPerPixel(pDC) > 8) {
        if (HICON hGenerated = GetGeneratedIcon())
            return ::DrawState(pDC->GetSafeHdc(), NULL, NULL, (LPARAM)hGenerated, 0, pt.x, pt.y, size.cx, size.cy,
                               DST_ICON | DSS_NORMAL) != FALSE;
    }
    HICON hIcon = GetIcon();
    if (hIcon == NULL)
        return false;
    UINT nFlags = DST_ICON;
    if (nState == kPaintDisabled)
        nFlags |= DSS_DISABLED;
    else if (nState == kPaintMono || nState == kPaintFlatDisabled)
        nFlags |= DSS_MONO;
    return ::DrawState(pDC->GetSafeHdc(), hBrush, NULL, (LPARAM)hIcon, 0, pt.x, pt.y, size.cx, size.cy, nFlags) !=
           FALSE;
}

void CUiCmdIcon::SyncWithPaintManager()
{
    if (!IsEmpty() && IsBitmapBased())
        m_icon.Empty();
}

void CUiCmdIcon::OnSysColorChange()
{
    SyncWithPaintManager();
}

void CUiCmdIcon::OnSettingChange(UINT, LPCSTR)
{
    SyncWithPaintManager();
}

void CUiCmdIcon::OnDisplayChange(int, int, int)
{
    SyncWithPaintManager();
}

void CUiCmdIcon::OnThemeChanged(WPARAM, LPARAM)
{
    SyncWithPaintManager();
}

bool CUiCmdIcon::CreateCheckMarkBitmap(COLORREF clrMark, COLORREF clrBackground, int cx, int cy, COLORREF** ppBits)
{
    HBITMAP hBitmap = NULL;
    COLORREF* pBits = NULL;
    HDC hDC = BeginMarkBitmap(clrBackground, cx, cy, &hBitmap, &pBits);
    if (hDC == NULL)
        return false;
    (void)MarkColor(clrMark);
    EndMarkBitmap(hDC, hBitmap, clrBackground, pBits, ppBits);
    return true;
}

bool CUiCmdIcon::CreateRadioBitmap(COLORREF clrMark, COLORREF clrBackground, int cx, int cy, COLORREF** ppBits)
{
    HBITMAP hBitmap = NULL;
    COLORREF* pBits = NULL;
    HDC hDC = BeginMarkBitmap(clrBackground, cx, cy, &hBitmap, &pBits);
    if (hDC == NULL)
        return false;
    (void)MarkColor(clrMark);
    EndMarkBitmap(hDC, hBitmap, clrBackground, pBits, ppBits);
    return true;
}
