// The generated (tinted) look of a command icon and the transparent mark images.
#include "cmdicon.h"

#include "bitmapicon.h"
#include "cmdiconpixels.h"

#include <algorithm>

namespace {

// One channel of the generated look: the lightness V blended with the tint's channel.
int TintChannel(int nTint, int nValue)
{
    return (nValue + 3 * ::MulDiv(nTint, nValue, 255)) / 4;
}

} // namespace

HICON CUiCmdIcon::GetGeneratedIcon()
{
    if (m_clrTint == kNoTint)
        return NULL;
    if (m_generated.m_hIcon == NULL)
        GenerateLook();
    return m_generated.m_hIcon;
}

void CUiCmdIcon::GenerateLook()
{
    DropGeneratedLook();
    if (m_clrTint == kNoTint || IsEmpty())
        return;
    HBITMAP hBitmap = NULL;
    COLORREF clrKey = 0;
    COLORREF* pBits = NULL;
    if (!ExtractBitmap(&hBitmap, &clrKey, NULL, &pBits))
        return;
    const CSize size = GetSize();
    const DWORD dwKey = ColorToDibPixel(clrKey);
    DWORD* pPixels = reinterpret_cast<DWORD*>(pBits);
    const double dFactor = m_dLightnessFactor;
    for (int i = 0; i < size.cx * size.cy; i++) {
        if ((pPixels[i] & 0xFFFFFF) == dwKey)
            continue;
        const COLORREF clr = DibPixelToColor(pPixels[i]);
        const double dScale = 1.0 / 255.0;
        double dLight = 0.3 * GetRValue(clr) * dScale + 0.5 * GetGValue(clr) * dScale + 0.2 * GetBValue(clr) * dScale;
        if (dFactor > 0.0)
            dLight = dLight + (1.0 - dLight) * dFactor;
        else if (dFactor < 0.0)
            dLight = dLight * (1.0 + dFactor);
        dLight = std::min(1.0, std::max(0.0, dLight));
        // 0.3, 0.5 and 0.2 have no exact binary form: white comes out a hair below 1, and a
        // plain truncation would make it 254. The tolerance is far below one channel step.
        const int nValue = (int)(dLight * 255.0 + 1e-7);
        pPixels[i] = ColorToDibPixel(RGB(TintChannel(GetRValue(m_clrTint), nValue),
                                         TintChannel(GetGValue(m_clrTint), nValue),
                                         TintChannel(GetBValue(m_clrTint), nValue)));
    }
    m_generated.TakeMadeFromBitmap(CreateIconFromBitmap(hBitmap, clrKey), hBitmap);
    ::DeleteObject(hBitmap);
}

HDC CUiCmdIcon::BeginMarkBitmap(COLORREF clrBackground, int cx, int cy, HBITMAP* phBitmap, COLORREF** ppBits)
{
    Empty();
    *phBitmap = NULL;
    if (cx <= 0 || cy <= 0)
        return NULL;
    HDC hDC = ::CreateCompatibleDC(NULL);
    HBITMAP hBitmap = hDC != NULL ? Create32BitSection(cx, cy, ppBits) : NULL;
    if (hBitmap == NULL) {
        if (hDC != NULL)
            ::DeleteDC(hDC);
        return NULL;
    }
    ::SelectObject(hDC, hBitmap);
    HBRUSH hBrush = ::CreateSolidBrush(clrBackground);
    const RECT rc = {0, 0, cx, cy};
    ::FillRect(hDC, &rc, hBrush);
    ::DeleteObject(hBrush);
    *phBitmap = hBitmap;
    return hDC;
}

void CUiCmdIcon::EndMarkBitmap(HDC hDC, HBITMAP hBitmap, COLORREF clrKey, COLORREF* pBits, COLORREF** ppBits)
{
    ::DeleteDC(hDC);
    ::GdiFlush();
    m_bitmap.Set(hBitmap, clrKey, NULL, false);
    if (ppBits != NULL)
        *ppBits = pBits;
}

bool CUiCmdIcon::CreateBlankBitmap(COLORREF clrBlank, int cx, int cy, COLORREF** ppBits)
{
    if (clrBlank == kNoTint)
        clrBlank = RGB(255, 0, 255);
    HBITMAP hBitmap = NULL;
    COLORREF* pBits = NULL;
    HDC hDC = BeginMarkBitmap(clrBlank, cx, cy, &hBitmap, &pBits);
    if (hDC == NULL)
        return false;
    EndMarkBitmap(hDC, hBitmap, clrBlank, pBits, ppBits);
    return true;
}
