#include "colorpickerbase.h"

#include "bitmaputil.h"
#include "colorhls.h"
#include "paintsystem.h"

#include <algorithm>

ColorPickerImage::ColorPickerImage() : m_hBitmap(NULL), m_hOldBitmap(NULL), m_pBits(nullptr), m_cx(0), m_cy(0)
{
}

ColorPickerImage::~ColorPickerImage()
{
    Destroy();
}

bool ColorPickerImage::Create(CDC* pTarget, int cx, int cy, COLORREF clrFill)
{
    Destroy();
    if (cx <= 0 || cy <= 0)
        return false;
    if (!m_dc.CreateCompatibleDC(pTarget))
        return false;
    COLORREF* pBits = nullptr;
    m_hBitmap = Create32BitSection(cx, cy, &pBits);
    if (m_hBitmap == NULL || pBits == nullptr) {
        Destroy();
        return false;
    }
    m_hOldBitmap = ::SelectObject(m_dc.GetSafeHdc(), m_hBitmap);
    m_pBits = (DWORD*)pBits;
    m_cx = cx;
    m_cy = cy;
    FillBlock(0, 0, cx, cy, clrFill);
    return true;
}

void ColorPickerImage::Destroy()
{
    if (m_dc.GetSafeHdc() != NULL) {
        if (m_hOldBitmap != NULL)
            ::SelectObject(m_dc.GetSafeHdc(), m_hOldBitmap);
        m_dc.DeleteDC();
    }
    if (m_hBitmap != NULL)
        ::DeleteObject(m_hBitmap);
    m_hBitmap = NULL;
    m_hOldBitmap = NULL;
    m_pBits = nullptr;
    m_cx = m_cy = 0;
}

void ColorPickerImage::SetPixel(int x, int y, COLORREF clr)
{
    if (m_pBits != nullptr && x >= 0 && y >= 0 && x < m_cx && y < m_cy)
        m_pBits[Row(y) + x] = RGB(GetBValue(clr), GetGValue(clr), GetRValue(clr));
}

void ColorPickerImage::FillBlock(int x, int y, int cx, int cy, COLORREF clr)
{
    if (m_pBits == nullptr)
        return;
    const int left = std::max(0, x), top = std::max(0, y);
    const int right = std::min(m_cx, x + cx), bottom = std::min(m_cy, y + cy);
    const DWORD dw = RGB(GetBValue(clr), GetGValue(clr), GetRValue(clr));
    for (int row = top; row < bottom; ++row)
        std::fill(m_pBits + Row(row) + left, m_pBits + Row(row) + std::max(left, right), dw);
}

COLORREF ColorPickerImage::GetPixel(int x, int y) const
{
    if (m_pBits == nullptr || x < 0 || y < 0 || x >= m_cx || y >= m_cy)
        return CLR_INVALID;
    const DWORD dw = m_pBits[Row(y) + x];
    return RGB(GetBValue(dw), GetGValue(dw), GetRValue(dw));
}

void ColorPickerImage::Draw(CDC* pDC, int x, int y)
{
    if (!IsEmpty())
        pDC->BitBlt(x, y, m_cx, m_cy, &m_dc, 0, 0, SRCCOPY);
}

bool ColorPickerImage::IsPaletteScreen()
{
    return GetScreenBitsPerPixel() <= 8;
}

void DrawPickerMark(CDC* pDC, const CRect& rc)
{
    pDC->Draw3dRect(&rc, RGB(255, 255, 255), RGB(255, 255, 255));
    CRect rcOuter(rc);
    rcOuter.InflateRect(1, 1);
    pDC->Draw3dRect(&rcOuter, RGB(0, 0, 0), RGB(0, 0, 0));
}

PickerPaletteScope::PickerPaletteScope(CDC* pDC, CPalette* pPalette) : m_pDC(pDC), m_pOld(nullptr)
{
    if (pPalette != nullptr && pPalette->GetSafeHandle() != NULL) {
        m_pOld = pDC->SelectPalette(pPalette, FALSE);
        pDC->RealizePalette();
    }
}

PickerPaletteScope::~PickerPaletteScope()
{
    if (m_pOld != nullptr)
        m_pDC->SelectPalette(m_pOld, FALSE);
}

CUiColorCtrl::any_picker_data_t::any_picker_data_t()
    : m_nTracking(kTrackIdle), m_cx(50), m_cy(50), m_clr(RGB(255, 255, 255)), m_clrRef(RGB(255, 255, 255)),
      m_hue(0.0), m_saturation(0.0), m_lightness(1.0)
{
    RGBToHLS(m_clr, m_hue, m_saturation, m_lightness);
}

CUiColorCtrl::any_picker_data_t::~any_picker_data_t() = default;

void CUiColorCtrl::any_picker_data_t::Layout(CDC*, CPalette*, int cx, int cy, bool)
{
    m_cx = std::max(1, cx);
    m_cy = std::max(1, cy);
}

void CUiColorCtrl::any_picker_data_t::Release()
{
    m_nTracking = kTrackIdle;
}

void CUiColorCtrl::any_picker_data_t::Paint(CDC*, CPalette*)
{
}

void CUiColorCtrl::any_picker_data_t::OnMouseDown(UINT, int, int)
{
}

void CUiColorCtrl::any_picker_data_t::OnMouseUp(UINT, int, int)
{
    m_nTracking = kTrackIdle;
}

void CUiColorCtrl::any_picker_data_t::OnMouseMove(UINT, int, int)
{
}

void CUiColorCtrl::any_picker_data_t::SetRefColor(COLORREF clr)
{
    m_clrRef = clr;
}

void CUiColorCtrl::any_picker_data_t::SetColor(COLORREF clr)
{
    m_clr = clr & 0xFFFFFF;
    RGBToHLS(m_clr, m_hue, m_saturation, m_lightness);
}

void CUiColorCtrl::any_picker_data_t::SetHLS(double hue, double saturation, double lightness)
{
    m_hue = hue;
    m_saturation = saturation;
    m_lightness = lightness;
    m_clr = HLSToRGB(hue, lightness, saturation);
}
