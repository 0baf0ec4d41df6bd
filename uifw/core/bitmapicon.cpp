// On Windows 2000 and later an image list with a mask makes the icon; elsewhere the mask is
// built pixel by pixel (key pixels white in the mask and black in the image) for
// CreateIconIndirect.
#include "bitmapicon.h"

#include "bitmaputil.h"
#include "cmdiconpixels.h"
#include "paintmanagerholder.h"
#include "paintsystem.h"

#include <commctrl.h>
#include <vector>

namespace {

void MapSysColors(DWORD* pPixels, int nCount, COLORREF clrKey)
{
    const struct {
        COLORREF clrClassic;
        int nSysColor;
    } kMap[] = {{RGB(128, 128, 128), COLOR_BTNSHADOW}, {RGB(192, 192, 192), COLOR_BTNFACE},
                {RGB(223, 223, 223), COLOR_3DLIGHT}};
    for (const auto& entry : kMap) {
        const COLORREF clrSystem = PaintGetSysColor(entry.nSysColor);
        if (entry.clrClassic == clrKey || clrSystem == entry.clrClassic)
            continue;
        const DWORD dwOld = ColorToDibPixel(entry.clrClassic), dwNew = ColorToDibPixel(clrSystem);
        for (int i = 0; i < nCount; i++) {
            if ((pPixels[i] & 0xFFFFFF) == dwOld)
                pPixels[i] = dwNew;
        }
    }
}

HICON IconThroughImageList(HBITMAP hImage, int cx, int cy, COLORREF clrKey)
{
    HIMAGELIST hList = ImageList_Create(cx, cy, ILC_COLOR32 | ILC_MASK, 1, 0);
    if (hList == NULL)
        return NULL;
    HICON hIcon = NULL;
    if (ImageList_AddMasked(hList, hImage, clrKey) >= 0)
        hIcon = ImageList_GetIcon(hList, 0, ILD_NORMAL);
    ImageList_Destroy(hList);
    return hIcon;
}

HICON IconThroughMask(HBITMAP hImage, DWORD* pPixels, int cx, int cy, COLORREF clrKey)
{
    // Monochrome rows are padded to 16 bits; the section is bottom-up, the mask top-down.
    const int nMaskStride = ((cx + 15) / 16) * 2;
    std::vector<BYTE> mask((size_t)nMaskStride * cy, 0);
    const DWORD dwKey = ColorToDibPixel(clrKey);
    for (int y = 0; y < cy; y++) {
        DWORD* pRow = pPixels + (size_t)(cy - 1 - y) * cx;
        for (int x = 0; x < cx; x++) {
            if ((pRow[x] & 0xFFFFFF) != dwKey)
                continue;
            mask[(size_t)y * nMaskStride + x / 8] |= (BYTE)(0x80 >> (x % 8));
            pRow[x] = 0;
        }
    }
    HBITMAP hMask = ::CreateBitmap(cx, cy, 1, 1, mask.data());
    if (hMask == NULL)
        return NULL;
    ICONINFO info = {TRUE, 0, 0, hMask, hImage};
    HICON hIcon = ::CreateIconIndirect(&info);
    ::DeleteObject(hMask);
    return hIcon;
}

} // namespace

HICON CreateIconFromBitmap(HBITMAP hBitmap, COLORREF clrKey, const RECT* pRect, bool bMapSysColors)
{
    COLORREF* pBits = NULL;
    HBITMAP hImage = CloneBitmap(hBitmap, pRect, &pBits);
    if (hImage == NULL)
        return NULL;
    BITMAP bm;
    ::GetObject(hImage, sizeof(bm), &bm);
    DWORD* pPixels = reinterpret_cast<DWORD*>(pBits);
    if (bMapSysColors)
        MapSysColors(pPixels, bm.bmWidth * bm.bmHeight, clrKey);
    const WORD wFamily = PaintManagerHolder::Get().m_wFamilyFlags;
    HICON hIcon = (wFamily & kWinNT5OrLater) != 0 && (wFamily & kWin9x) == 0
                      ? IconThroughImageList(hImage, bm.bmWidth, bm.bmHeight, clrKey)
                      : IconThroughMask(hImage, pPixels, bm.bmWidth, bm.bmHeight, clrKey);
    ::DeleteObject(hImage);
    return hIcon;
}

HICON FindWindowIcon(HWND hWnd)
{
    HICON hIcon = (HICON)::SendMessage(hWnd, WM_GETICON, ICON_SMALL, 0);
    if (hIcon == NULL)
        hIcon = (HICON)::SendMessage(hWnd, WM_GETICON, ICON_BIG, 0);
    if (hIcon == NULL)
        hIcon = (HICON)::GetClassLongPtrA(hWnd, GCLP_HICONSM);
    if (hIcon == NULL)
        hIcon = (HICON)::GetClassLongPtrA(hWnd, GCLP_HICON);
    return hIcon;
}
