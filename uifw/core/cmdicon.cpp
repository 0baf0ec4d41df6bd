#include "cmdicon.h"

#include "cmdiconpixels.h"

namespace {

const double kDefaultLightnessFactor = 1.4;
// Keys tried first for a bitmap with a free colour key.
const COLORREF kPreferredKeys[] = {RGB(255, 0, 255), RGB(0, 255, 0), RGB(192, 192, 192)};
const COLORREF kLastCountedKey = 0xFFFFFE;

bool ColorUsed(const CBitmapColorCounts& counts, COLORREF clr)
{
    DWORD dwCount = 0;
    return counts.Lookup(clr, dwCount);
}

} // namespace

CUiCmdIcon::CUiCmdIcon(HBITMAP hBitmap, COLORREF clrKey, const RECT* pRect, bool bCopy)
    : m_clrTint(kNoTint), m_dLightnessFactor(kDefaultLightnessFactor)
{
    if (hBitmap != NULL)
        m_bitmap.Set(hBitmap, clrKey, pRect, bCopy);
}

CUiCmdIcon::CUiCmdIcon(const CUiCmdIcon& other) : m_clrTint(kNoTint), m_dLightnessFactor(kDefaultLightnessFactor)
{
    AssignFromOther(other);
}

CUiCmdIcon::~CUiCmdIcon()
{
}

void CUiCmdIcon::ConstructFromIcon(HICON hIcon, bool bCopy)
{
    AssignFromHICON(hIcon, bCopy);
}

CUiCmdIcon& CUiCmdIcon::SetFromOther(const CUiCmdIcon& other)
{
    AssignFromOther(other);
    return *this;
}

bool CUiCmdIcon::IsEmpty() const
{
    return m_bitmap.m_hBitmap == NULL && m_icon.m_hIcon == NULL;
}

void CUiCmdIcon::DropGeneratedLook()
{
    m_generated.Empty();
}

void CUiCmdIcon::Empty()
{
    m_bitmap.Empty();
    m_icon.Empty();
    DropGeneratedLook();
    m_clrTint = kNoTint;
    m_dLightnessFactor = kDefaultLightnessFactor;
}

void CUiCmdIcon::AssignFromOther(const CUiCmdIcon& other)
{
    if (&other == this)
        return;
    DropGeneratedLook();
    if (other.m_bitmap.m_hBitmap != NULL) {
        m_icon.Empty();
        m_bitmap.Set(other.m_bitmap.m_hBitmap, other.m_bitmap.m_clrKey, NULL, true);
    } else {
        m_bitmap.Empty();
        if (other.m_icon.m_hIcon != NULL)
            m_icon.Take(other.m_icon.m_hIcon, true);
        else
            m_icon.Empty();
    }
    m_clrTint = other.m_clrTint;
    m_dLightnessFactor = other.m_dLightnessFactor;
}

void CUiCmdIcon::AssignFromHICON(HICON hIcon, bool bCopy)
{
    DropGeneratedLook();
    m_bitmap.Empty();
    m_icon.Take(hIcon, bCopy);
}

void CUiCmdIcon::AssignFromHBITMAP(HBITMAP hBitmap, COLORREF clrKey, const RECT* pRect, bool bCopy)
{
    m_icon.Empty();
    DropGeneratedLook();
    m_bitmap.Set(hBitmap, clrKey, pRect, bCopy);
}

CSize CUiCmdIcon::GetSize() const
{
    if (m_bitmap.m_hBitmap != NULL)
        return CSize(m_bitmap.m_cx, m_bitmap.m_cy);
    if (m_icon.m_hIcon != NULL)
        return CSize(m_icon.m_cx, m_icon.m_cy);
    return CSize(0, 0);
}

bool CUiCmdIcon::IsBitmapBased() const
{
    return m_bitmap.m_hBitmap != NULL;
}

HBITMAP CUiCmdIcon::GetBitmap() const
{
    return m_bitmap.m_hBitmap;
}

COLORREF CUiCmdIcon::GetBitmapColorKey() const
{
    return m_bitmap.m_clrKey;
}

HICON CUiCmdIcon::GetIcon(bool bMapSysColors)
{
    if (m_icon.m_hIcon == NULL && m_bitmap.m_hBitmap != NULL)
        m_icon.TakeMadeFromBitmap(m_bitmap.MakeIcon(bMapSysColors), m_bitmap.m_hBitmap);
    return m_icon.m_hIcon;
}

HICON CUiCmdIcon::DetachAsIcon(bool bMapSysColors)
{
    if (IsEmpty())
        return NULL;
    DropGeneratedLook();
    HICON hIcon = m_icon.m_hIcon != NULL ? m_icon.Detach() : m_bitmap.MakeIcon(bMapSysColors);
    m_bitmap.Empty();
    return hIcon;
}

COLORREF CUiCmdIcon::GetTintColor() const
{
    return m_clrTint;
}

COLORREF CUiCmdIcon::SetTintColor(COLORREF clrTint)
{
    return ReplaceLookInput(m_clrTint, clrTint);
}

double CUiCmdIcon::GetLightnessFactor() const
{
    return m_dLightnessFactor;
}

double CUiCmdIcon::SetLightnessFactor(double dFactor)
{
    return ReplaceLookInput(m_dLightnessFactor, dFactor);
}

UINT CUiCmdIcon::GetColorHistogram(CBitmapColorCounts& counts) const
{
    counts.RemoveAll();
    if (m_bitmap.m_hBitmap != NULL)
        return CountBitmapColors(m_bitmap.m_hBitmap, counts);
    IconInfoBitmaps bitmaps(m_icon.m_hIcon);
    return bitmaps.IsValid() ? CountBitmapColors(bitmaps.Image(), counts) : 0;
}

UINT CUiCmdIcon::GetBitsPerPixel() const
{
    BITMAP bm;
    if (m_bitmap.m_hBitmap != NULL)
        return ::GetObject(m_bitmap.m_hBitmap, sizeof(bm), &bm) != 0 ? bm.bmBitsPixel : 0;
    IconInfoBitmaps bitmaps(m_icon.m_hIcon);
    if (!bitmaps.IsValid())
        return 0;
    if (bitmaps.Info().hbmColor == NULL)
        return 1;
    return ::GetObject(bitmaps.Info().hbmColor, sizeof(bm), &bm) != 0 ? bm.bmBitsPixel : 0;
}

bool CUiCmdIcon::ExtractBitmap(HBITMAP* phBitmap, COLORREF* pclrKey, CBitmapColorList* pColors, COLORREF** ppBits)
{
    if (IsEmpty() || phBitmap == NULL)
        return false;
    CBitmapColorCounts counts;
    GetColorHistogram(counts);

    COLORREF clrKey = kNoTint;
    if (m_bitmap.m_hBitmap != NULL && ppBits == NULL && m_bitmap.m_clrKey != kNoTint) {
        clrKey = m_bitmap.m_clrKey;
    } else {
        for (COLORREF clr : kPreferredKeys) {
            if (!ColorUsed(counts, clr)) {
                clrKey = clr;
                break;
            }
        }
        for (COLORREF clr = 1; clrKey == kNoTint && clr < kLastCountedKey; clr++) {
            if (!ColorUsed(counts, clr))
                clrKey = clr;
        }
        if (clrKey == kNoTint)
            return false;
    }

    COLORREF* pBits = NULL;
    HBITMAP hBitmap = NULL;
    const CSize size = GetSize();
    if (m_bitmap.m_hBitmap != NULL) {
        hBitmap = CloneBitmap(m_bitmap.m_hBitmap, NULL, &pBits);
        if (hBitmap != NULL && clrKey != m_bitmap.m_clrKey) {
            DWORD* pPixels = reinterpret_cast<DWORD*>(pBits);
            const DWORD dwOld = ColorToDibPixel(m_bitmap.m_clrKey), dwNew = ColorToDibPixel(clrKey);
            for (int i = 0; i < size.cx * size.cy; i++) {
                if ((pPixels[i] & 0xFFFFFF) == dwOld)
                    pPixels[i] = dwNew;
            }
        }
    } else {
        hBitmap = Create32BitSection(size.cx, size.cy, &pBits);
        if (hBitmap != NULL) {
            DWORD* pPixels = reinterpret_cast<DWORD*>(pBits);
            for (int i = 0; i < size.cx * size.cy; i++)
                pPixels[i] = ColorToDibPixel(clrKey);
            HDC hDC = ::CreateCompatibleDC(NULL);
            HGDIOBJ hOld = ::SelectObject(hDC, hBitmap);
            ::DrawIconEx(hDC, 0, 0, m_icon.m_hIcon, size.cx, size.cy, 0, NULL, DI_NORMAL);
            ::SelectObject(hDC, hOld);
            ::DeleteDC(hDC);
        }
    }
    if (hBitmap == NULL)
        return false;
    ::GdiFlush();

    *phBitmap = hBitmap;
    if (pclrKey != NULL)
        *pclrKey = clrKey;
    if (ppBits != NULL)
        *ppBits = pBits;
    if (pColors != NULL) {
        pColors->RemoveAll();
        pColors->Add(clrKey);
        POSITION pos = counts.GetStartPosition();
        while (pos != NULL) {
            COLORREF clr;
            DWORD dwCount;
            counts.GetNextAssoc(pos, clr, dwCount);
            if (clr != clrKey)
                pColors->Add(clr);
        }
    }
    return true;
}

bool CUiCmdIcon::ScaleToSize(const CUiCmdIcon& other, int cx, int cy)
{
    if (other.IsEmpty() || cx <= 0 || cy <= 0)
        return false;
    if (&other == this) {
        CUiCmdIcon copy(other);
        return ScaleToSize(copy, cx, cy);
    }
    Empty();
    if (other.GetSize() == CSize(cx, cy)) {
        AssignFromOther(other);
        return !IsEmpty();
    }
    HBITMAP hSource = NULL;
    COLORREF clrKey = 0;
    if (!const_cast<CUiCmdIcon&>(other).ExtractBitmap(&hSource, &clrKey))
        return false;
    const CSize sizeSource = other.GetSize();
    COLORREF* pBits = NULL;
    HBITMAP hScaled = Create32BitSection(cx, cy, &pBits);
    if (hScaled != NULL) {
        HDC hSourceDC = ::CreateCompatibleDC(NULL);
        HDC hScaledDC = ::CreateCompatibleDC(NULL);
        HGDIOBJ hOldSource = ::SelectObject(hSourceDC, hSource);
        HGDIOBJ hOldScaled = ::SelectObject(hScaledDC, hScaled);
        // The target starts as the key and the source's transparent pixels are the key: a
        // stretch that never blends colours keeps exactly those pixels transparent.
        const int nOldMode = ::SetStretchBltMode(hScaledDC, COLORONCOLOR);
        ::StretchBlt(hScaledDC, 0, 0, cx, cy, hSourceDC, 0, 0, sizeSource.cx, sizeSource.cy, SRCCOPY);
        ::SetStretchBltMode(hScaledDC, nOldMode);
        ::SelectObject(hSourceDC, hOldSource);
        ::SelectObject(hScaledDC, hOldScaled);
        ::DeleteDC(hSourceDC);
        ::DeleteDC(hScaledDC);
        CUiCmdIcon scaled(hScaled, clrKey, NULL, false);
        AssignFromHICON(scaled.DetachAsIcon(), false);
    }
    ::DeleteObject(hSource);
    return !IsEmpty();
}
