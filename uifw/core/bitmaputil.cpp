#include "bitmaputil.h"

#include "paintsystem.h"

#include <cstring>
#include <memory>
#include <new>

namespace {

class ScreenDC
{
public:
    ScreenDC() : m_hDC(::GetDC(NULL)) {}
    ~ScreenDC() { ::ReleaseDC(NULL, m_hDC); }
    operator HDC() const { return m_hDC; }

private:
    HDC m_hDC;
};

// Bytes of one row of pixels, rounded up to whole double words.
ULONGLONG RowBytes(ULONGLONG nBitCount, LONG nWidth)
{
    const ULONGLONG cx = nWidth < 0 ? (ULONGLONG)(-(LONGLONG)nWidth) : (ULONGLONG)nWidth;
    return ((nBitCount * cx + 31) & ~(ULONGLONG)31) / 8;
}

ULONGLONG ImageBytes(const BITMAPINFOHEADER& bih)
{
    const ULONGLONG cy = bih.biHeight < 0 ? (ULONGLONG)(-(LONGLONG)bih.biHeight) : (ULONGLONG)bih.biHeight;
    return RowBytes(bih.biBitCount, bih.biWidth) * cy;
}

// Entries of the colour table that a packed DIB of ours carries.
DWORD PackedTableEntries(WORD nBitCount)
{
    return nBitCount <= 8 ? 1u << nBitCount : 0;
}

DWORD PackedDibSize(const BITMAPINFOHEADER& bih)
{
    return bih.biSize + PackedTableEntries(bih.biBitCount) * sizeof(RGBQUAD) + bih.biSizeImage;
}

WORD StoredBitCount(const BITMAP& bm)
{
    const int nBits = bm.bmPlanes * bm.bmBitsPixel;
    for (const WORD nAllowed : {1, 4, 8, 16, 24})
        if (nBits <= nAllowed)
            return nAllowed;
    return 32;
}

bool StoreBitmap(CArchive& ar, HBITMAP hBitmap)
{
    HGLOBAL hDib = BitmapToPackedDib(hBitmap);
    if (hDib == NULL)
        return false;
    const BITMAPINFOHEADER* pbih = static_cast<const BITMAPINFOHEADER*>(::GlobalLock(hDib));
    const DWORD dwDibSize = PackedDibSize(*pbih);
    BITMAPFILEHEADER bfh = {};
    bfh.bfType = 0x4D42;   // "BM"
    bfh.bfSize = dwDibSize + sizeof(BITMAPFILEHEADER);
    bfh.bfOffBits = sizeof(BITMAPFILEHEADER) + pbih->biSize + PackedTableEntries(pbih->biBitCount) * sizeof(RGBQUAD);
    bool bDone = false;
    try {
        ar.Write(&bfh, sizeof(bfh));
        ar.Write(pbih, dwDibSize);
        bDone = true;
    } catch (CException* e) {
        e->Delete();
    }
    ::GlobalUnlock(hDib);
    ::GlobalFree(hDib);
    return bDone;
}

// Builds a DIB section from a packed DIB of dwCount bytes whose pixels start at
// ullBitsOffset (or right after the colour table when it is ~0).
HBITMAP BitmapFromPackedDib(const BYTE* pDib, DWORD dwCount, ULONGLONG ullBitsOffset)
{
    if (dwCount < sizeof(BITMAPINFOHEADER))
        return NULL;
    BITMAPINFOHEADER bih;
    std::memcpy(&bih, pDib, sizeof(bih));
    if (bih.biSize < sizeof(BITMAPINFOHEADER) || bih.biSize > dwCount)
        return NULL;
    ULONGLONG ullColors = bih.biClrUsed != 0 ? bih.biClrUsed : (bih.biBitCount <= 8 ? 1u << bih.biBitCount : 0);
    ULONGLONG ullTable = ullColors * sizeof(RGBQUAD);
    // The three masks of a plain header follow it; later headers hold them inside.
    if (bih.biCompression == BI_BITFIELDS && bih.biSize < sizeof(BITMAPV4HEADER))
        ullTable += 3 * sizeof(DWORD);
    const ULONGLONG ullHeaderAndTable = bih.biSize + ullTable;
    if (ullHeaderAndTable > dwCount)
        return NULL;
    const ULONGLONG ullPixels = bih.biSizeImage != 0 ? bih.biSizeImage : ImageBytes(bih);
    const ULONGLONG ullOffset = ullBitsOffset == ~(ULONGLONG)0 ? ullHeaderAndTable : ullBitsOffset;
    if (ullOffset > dwCount || ullPixels > dwCount - ullOffset)
        return NULL;

    void* pBits = NULL;
    HBITMAP hBitmap =
        ::CreateDIBSection(NULL, reinterpret_cast<const BITMAPINFO*>(pDib), DIB_RGB_COLORS, &pBits, NULL, 0);
    if (hBitmap == NULL)
        return NULL;
    DIBSECTION ds = {};
    if (pBits == NULL || ::GetObject(hBitmap, sizeof(ds), &ds) == 0) {
        ::DeleteObject(hBitmap);
        return NULL;
    }
    const ULONGLONG ullRoom = (ULONGLONG)ds.dsBm.bmWidthBytes * (ULONGLONG)ds.dsBm.bmHeight;
    std::memcpy(pBits, pDib + ullOffset, (size_t)(ullPixels < ullRoom ? ullPixels : ullRoom));
    return hBitmap;
}

bool LoadBitmapBytes(CArchive& ar, HBITMAP& hBitmap, DWORD dwCount)
{
    ULONGLONG ullBitsOffset = ~(ULONGLONG)0;
    if (dwCount == 0) {
        BITMAPFILEHEADER bfh;
        if (ar.Read(&bfh, sizeof(bfh)) != sizeof(bfh) || bfh.bfSize <= sizeof(bfh) ||
            bfh.bfOffBits < sizeof(bfh))
            return false;
        dwCount = bfh.bfSize - sizeof(bfh);
        ullBitsOffset = bfh.bfOffBits - sizeof(bfh);
    }
    std::unique_ptr<BYTE[]> pDib(new (std::nothrow) BYTE[dwCount]);
    if (!pDib || ar.Read(pDib.get(), dwCount) != dwCount)
        return false;
    HBITMAP hLoaded = BitmapFromPackedDib(pDib.get(), dwCount, ullBitsOffset);
    if (hLoaded == NULL)
        return false;
    hBitmap = hLoaded;
    return true;
}

// A bitmap file (dwCount 0) or packed DIB of dwCount bytes in a block of dwSize bytes.
HBITMAP LoadBitmapFromBlock(const void* pData, DWORD dwSize, DWORD dwCount)
{
    if (pData == NULL || dwSize == 0)
        return NULL;
    HBITMAP hBitmap = NULL;
    try {
        CMemFile file(static_cast<BYTE*>(const_cast<void*>(pData)), dwSize);
        CArchive ar(&file, CArchive::load);
        if (!SerializeBitmap(ar, hBitmap, dwCount))
            hBitmap = NULL;
    } catch (CException* e) {
        e->Delete();
        hBitmap = NULL;
    }
    return hBitmap;
}

} // namespace

HBITMAP Create32BitSection(int cx, int cy, COLORREF** ppBits)
{
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = cx;
    bmi.bmiHeader.biHeight = cy;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    return ::CreateDIBSection(NULL, &bmi, DIB_RGB_COLORS, reinterpret_cast<void**>(ppBits), NULL, 0);
}

HBITMAP CloneBitmap(HBITMAP hBitmap, const RECT* pRect, COLORREF** ppBits)
{
    BITMAP bm = {};
    if (hBitmap == NULL || ::GetObject(hBitmap, sizeof(bm), &bm) == 0)
        return NULL;
    const CRect rc = pRect != NULL ? CRect(*pRect) : CRect(0, 0, bm.bmWidth, bm.bmHeight);
    if (rc.Width() <= 0 || rc.Height() <= 0)
        return NULL;
    HBITMAP hCopy = NULL;
    if (ppBits != NULL)
        hCopy = Create32BitSection(rc.Width(), rc.Height(), ppBits);
    else
        hCopy = CreateOffscreenBitmap(NULL, rc.Width(), rc.Height());
    if (hCopy == NULL)
        return NULL;
    // Contexts made for the screen without taking its context, which costs Wine a request.
    HDC hSrc = ::CreateCompatibleDC(NULL);
    HDC hDst = ::CreateCompatibleDC(NULL);
    HGDIOBJ hOldSrc = ::SelectObject(hSrc, hBitmap);
    HGDIOBJ hOldDst = ::SelectObject(hDst, hCopy);
    const bool bCopied = hOldSrc != NULL && hOldDst != NULL &&
                         ::BitBlt(hDst, 0, 0, rc.Width(), rc.Height(), hSrc, rc.left, rc.top, SRCCOPY);
    if (hOldSrc != NULL)
        ::SelectObject(hSrc, hOldSrc);
    if (hOldDst != NULL)
        ::SelectObject(hDst, hOldDst);
    ::DeleteDC(hSrc);
    ::DeleteDC(hDst);
    if (!bCopied) {
        ::DeleteObject(hCopy);
        if (ppBits != NULL)
            *ppBits = NULL;
        return NULL;
    }
    ::GdiFlush();
    return hCopy;
}

UINT CountBitmapColors(HBITMAP hBitmap, CBitmapColorCounts& counts)
{
    counts.RemoveAll();
    BITMAP bm = {};
    if (hBitmap == NULL || ::GetObject(hBitmap, sizeof(bm), &bm) == 0)
        return 0;
    COLORREF* pPixels = NULL;
    HBITMAP hCopy = CloneBitmap(hBitmap, NULL, &pPixels);
    if (hCopy == NULL)
        return 0;
    const size_t nPixels = (size_t)bm.bmWidth * (size_t)bm.bmHeight;
    for (size_t i = 0; i < nPixels; i++) {
        const DWORD bgra = pPixels[i];
        counts[RGB((bgra >> 16) & 0xFF, (bgra >> 8) & 0xFF, bgra & 0xFF)]++;
    }
    ::DeleteObject(hCopy);
    return (UINT)(bm.bmPlanes * bm.bmBitsPixel);
}

UINT GetBitmapColorList(HBITMAP hBitmap, CBitmapColorList& colors, bool bRemoveDuplicates)
{
    colors.RemoveAll();
    BITMAP bm = {};
    if (hBitmap == NULL || ::GetObject(hBitmap, sizeof(bm), &bm) == 0)
        return 0;
    const UINT nBits = (UINT)(bm.bmPlanes * bm.bmBitsPixel);
    if (nBits > 8) {
        CBitmapColorCounts counts;
        if (CountBitmapColors(hBitmap, counts) == 0)
            return 0;
        for (POSITION pos = counts.GetStartPosition(); pos != NULL;) {
            COLORREF clr = 0;
            DWORD dwCount = 0;
            counts.GetNextAssoc(pos, clr, dwCount);
            colors.Add(clr);
        }
        return nBits;
    }
    HGLOBAL hDib = BitmapToPackedDib(hBitmap);
    if (hDib == NULL)
        return 0;
    const BITMAPINFO* pbmi = static_cast<const BITMAPINFO*>(::GlobalLock(hDib));
    const DWORD nEntries = PackedTableEntries(pbmi->bmiHeader.biBitCount);
    for (DWORD i = 0; i < nEntries; i++) {
        const RGBQUAD& q = pbmi->bmiColors[i];
        const COLORREF clr = RGB(q.rgbRed, q.rgbGreen, q.rgbBlue);
        bool bSeen = false;
        for (INT_PTR j = 0; bRemoveDuplicates && !bSeen && j < colors.GetSize(); j++)
            bSeen = colors[j] == clr;
        if (!bSeen)
            colors.Add(clr);
    }
    ::GlobalUnlock(hDib);
    ::GlobalFree(hDib);
    return nBits;
}

HGLOBAL BitmapToPackedDib(HBITMAP hBitmap, HPALETTE hPalette)
{
    BITMAP bm = {};
    if (hBitmap == NULL || ::GetObject(hBitmap, sizeof(bm), &bm) == 0)
        return NULL;
    BITMAPINFOHEADER bih = {};
    bih.biSize = sizeof(BITMAPINFOHEADER);
    bih.biWidth = bm.bmWidth;
    bih.biHeight = bm.bmHeight;
    bih.biPlanes = 1;
    bih.biBitCount = StoredBitCount(bm);
    bih.biCompression = BI_RGB;
    bih.biSizeImage = (DWORD)ImageBytes(bih);
    const DWORD dwSize = PackedDibSize(bih);
    HGLOBAL hDib = ::GlobalAlloc(GMEM_FIXED, dwSize);
    if (hDib == NULL)
        return NULL;
    BYTE* pDib = static_cast<BYTE*>(::GlobalLock(hDib));
    std::memcpy(pDib, &bih, sizeof(bih));
    ScreenDC screen;
    HPALETTE hOldPalette =
        ::SelectPalette(screen, hPalette != NULL ? hPalette : (HPALETTE)::GetStockObject(DEFAULT_PALETTE), FALSE);
    ::RealizePalette(screen);
    const int nLines = ::GetDIBits(screen, hBitmap, 0, (UINT)bm.bmHeight,
                                   pDib + bih.biSize + PackedTableEntries(bih.biBitCount) * sizeof(RGBQUAD),
                                   reinterpret_cast<BITMAPINFO*>(pDib), DIB_RGB_COLORS);
    if (hOldPalette != NULL)
        ::SelectPalette(screen, hOldPalette, FALSE);
    // The platform may have filled in or changed the size field; the block has ours.
    reinterpret_cast<BITMAPINFOHEADER*>(pDib)->biSizeImage = bih.biSizeImage;
    ::GlobalUnlock(hDib);
    if (nLines != bm.bmHeight) {
        ::GlobalFree(hDib);
        return NULL;
    }
    return hDib;
}

bool SerializeBitmap(CArchive& ar, HBITMAP& hBitmap, DWORD dwCount)
{
    if (ar.IsStoring())
        return StoreBitmap(ar, hBitmap);
    try {
        return LoadBitmapBytes(ar, hBitmap, dwCount);
    } catch (CException* e) {
        // The end of the data came first.
        e->Delete();
        return false;
    }
}

HBITMAP LoadBitmapFromMemory(const void* pData, DWORD dwSize)
{
    return LoadBitmapFromBlock(pData, dwSize, 0);
}

HBITMAP LoadBitmapFromResource(HINSTANCE hInstance, HRSRC hResource)
{
    if (hResource == NULL)
        return NULL;
    const DWORD dwSize = ::SizeofResource(hInstance, hResource);
    HGLOBAL hData = ::LoadResource(hInstance, hResource);
    // A bitmap resource is a packed DIB: no file header.
    return LoadBitmapFromBlock(hData != NULL ? ::LockResource(hData) : NULL, dwSize, dwSize);
}
