// On Windows 2000 and later an image list with a mask makes the icon; elsewhere the mask is
// built pixel by pixel (key pixels white in the mask and black in the image) for
// CreateIconIndirect.
#include "bitmapicon.h"

#include "bitmaputil.h"
#include "cmdiconpixels.h"
#include "paintmanagerholder.h"
#include "paintsystem.h"

#include <commctrl.h>
#include <mutex>
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

// The image list that makes the icons of one size. Making and destroying a list for each icon
// cost more than the icon itself, and a toolbar's first paint makes an icon for every button:
// the list takes one icon after another and is made anew only when it is full or another size
// is asked for. It lives as long as the process.
class IconMakerList
{
public:
    HICON MakeIcon(HBITMAP hImage, int cx, int cy, COLORREF clrKey)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_hList != NULL && (cx != m_cx || cy != m_cy || ImageList_GetImageCount(m_hList) >= kImages)) {
            ImageList_Destroy(m_hList);
            m_hList = NULL;
        }
        if (m_hList == NULL) {
            m_hList = ImageList_Create(cx, cy, ILC_COLOR32 | ILC_MASK, kImages, 0);
            m_cx = cx;
            m_cy = cy;
        }
        if (m_hList == NULL)
            return NULL;
        const int nIndex = ImageList_AddMasked(m_hList, hImage, clrKey);
        return nIndex >= 0 ? ImageList_GetIcon(m_hList, nIndex, ILD_NORMAL) : NULL;
    }

private:
    static const int kImages = 32;
    std::mutex m_mutex;
    HIMAGELIST m_hList = NULL;
    int m_cx = 0;
    int m_cy = 0;
};

HICON IconThroughImageList(HBITMAP hImage, int cx, int cy, COLORREF clrKey)
{
    static IconMakerList* s_pMaker = new IconMakerList;
    return s_pMaker->MakeIcon(hImage, cx, cy, clrKey);
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
