#include "popupshadow.h"
#include "paintsystem.h"

#include "paintmanager.h"
#include "paintmanagerholder.h"
#include "popupbasewnd.h"
#include <cmath>
#include <algorithm>

namespace {

enum { kCache = 0x01, kTint = 0x02 };

struct ShadowMarks {
    bool a = false, b = false, c = false, d = false, e = false, f = false, g = false;
    int nShiftA = 0;
    int nGapFrom = 0;
    int nGapTo = 0;
};

ShadowMarks MarksOf(const CRect& e1, const CRect& e2, const CRect& rcBody, int s)
{
    ShadowMarks m;
    if (e1.IsRectEmpty() || e2.IsRectEmpty())
        return m;
    if (e1.right == e2.right) {
        (e1.top >= e2.top ? m.f : m.b) = true;
    } else if (e1.left == e2.left && e2.bottom >= e1.top - 1 && e2.top < e1.top && e2.right >= e1.right) {
        m.e = true;
    } else if (e1.left == e2.left && e1.bottom >= e2.top - 1 && e1.top < e2.top && e1.right >= e2.right) {
        m.a = true;
        m.nShiftA = rcBody.right - e1.right + e2.right;
    } else if (e1.bottom == e2.bottom) {
        (e1.left >= e2.left ? m.d : m.c) = true;
    } else if (e1.right == e2.left + 1) {
        m.g = true;
        m.nGapFrom = e2.bottom - e1.top + rcBody.top;
        m.nGapTo = s + m.nGapFrom;
    } else if (e1.left == e2.right - 1) {
        m.a = true;
    }
    return m;
}

CUiPaintManager* PaintManager()
{
    return PaintManagerHolder::Get().GetStoredHandle();
}

} // namespace

PopupShadow::PopupShadow() : m_nSize(0), m_nDarkest(0), m_nLightest(0), m_bOptions(0)
{
    m_rcBody.SetRectEmpty();
    m_rcExclude1.SetRectEmpty();
    m_rcExclude2.SetRectEmpty();
}

PopupShadow::~PopupShadow()
{
    Destroy();
}

void PopupShadow::DestroyStrips()
{
    m_bmpRight.DeleteObject();
    m_bmpBottom.DeleteObject();
}

void PopupShadow::Destroy()
{
    DestroyStrips();
    m_rcBody.SetRectEmpty();
    m_rgnClip.DeleteObject();
    m_bOptions = 0;
}

DWORD PopupShadow::DarkenPixel(DWORD px, int p, COLORREF clrTint)
{
    // Buffer pixels are blue, green, red from the low byte up; the tint is a COLORREF.
    const int tint[3] = {GetBValue(clrTint), GetGValue(clrTint), GetRValue(clrTint)};
    DWORD out = 0;
    for (int ch = 0; ch < 3; ++ch) {
        const int c = (px >> (8 * ch)) & 0xFF;
        int f = p;
        if (clrTint != CLR_INVALID)
            f = std::min(100, ::MulDiv(100 - p, tint[ch], 255) + p);
        out |= (DWORD)(c * f / 100) << (8 * ch);
    }
    return out;
}

void PopupShadow::ShadeGradient(DWORD* pBits, int w, int h, int s, int nDarkest, int nLightest, COLORREF clrTint,
                                const CRect& rcExclude1, const CRect& rcExclude2)
{
    if (s <= 0 || w <= 0 || h <= 0)
        return;
    const int stride = w + s;
    const ShadowMarks m = MarksOf(rcExclude1, rcExclude2, CRect(0, 0, w, h), s);
    auto shade = [&](int x, int y, int p) {
        if (x < 0 || y < 0 || x >= stride || y >= h + s)
            return;
        DWORD& px = pBits[y * stride + x];
        px = DarkenPixel(px, p, clrTint);
    };
    for (int i = 0; i < s; ++i) {
        const int p = nDarkest + i * (nLightest - nDarkest) / s;
        const int xFrom = m.d ? s + 1 : (m.a ? i + 1 + m.nShiftA : 2 * s + 1);
        const int xTo = m.c ? w + s - 1 : w - 1;
        for (int x = xFrom; x <= xTo; ++x)
            shade(x, h + i, p);
        const int yFrom = m.f ? s + 1 : (m.e ? i + 1 : 2 * s + 1);
        const int yTo = m.b ? h + s - 1 : h - 1;
        for (int y = yFrom; y <= yTo; ++y) {
            if (m.g && y >= m.nGapFrom && y <= i - s + m.nGapTo)
                continue;
            shade(w + i, y, p);
        }
    }
    for (int i = 0; i < s; ++i) {
        for (int j = 0; j < s; ++j) {
            if (i * i + j * j > s * s)
                continue;
            const int p = (int)std::sqrt((double)(i * i + j * j)) * (nLightest - nDarkest) / s + nDarkest;
            if (!m.b && !m.c)
                shade(w + i, h + j, p);
            if (!m.a && !m.d)
                shade(2 * s - i, h + j, p);
            if (!m.e && !m.f)
                shade(w + i, 2 * s - j, p);
        }
    }
}

BOOL PopupShadow::Paint(CDC& dc, const CRect& rcBody, const CRect& rcExclude1, const CRect& rcExclude2, int nSize,
                        int nDarkest, int nLightest, BOOL bCache, BOOL bTint, BOOL bOffscreen)
{
    m_rcBody = rcBody;
    m_rcExclude1 = rcExclude1;
    m_rcExclude2 = rcExclude2;
    m_nSize = nSize;
    m_nDarkest = nDarkest;
    m_nLightest = nLightest;
    m_bOptions = (BYTE)((bCache ? kCache : 0) | (bTint ? kTint : 0));
    if (nSize == 0 || rcBody.IsRectEmpty())
        return TRUE;
    if (m_rgnClip.GetSafeHandle() == NULL && !rcExclude1.IsRectEmpty() && !rcExclude2.IsRectEmpty()) {
        m_rgnClip.CreateRectRgn(rcBody.right, rcBody.top, rcBody.right + nSize, rcBody.bottom + nSize);
        CRgn bottom;
        bottom.CreateRectRgn(rcBody.left, rcBody.bottom, rcBody.right + nSize, rcBody.bottom + nSize);
        m_rgnClip.CombineRgn(&m_rgnClip, &bottom, RGN_OR);
    }
    if (bOffscreen && bCache) {
        const CRect rcAll(rcBody.left, rcBody.top, rcBody.right + nSize, rcBody.bottom + nSize);
        CDC dcMem;
        CBitmap bmp;
        if (!dcMem.CreateCompatibleDC(&dc) ||
            !bmp.Attach(CreateOffscreenBitmap(dc.GetSafeHdc(), rcAll.Width(), rcAll.Height())))
            return FALSE;
        CBitmap* pOld = dcMem.SelectObject(&bmp);
        dcMem.BitBlt(0, 0, rcAll.Width(), rcAll.Height(), &dc, rcAll.left, rcAll.top, SRCCOPY);
        dcMem.SetViewportOrg(-rcAll.left, -rcAll.top);
        const BOOL bDone = Render(dcMem);
        dcMem.SetViewportOrg(0, 0);
        dc.BitBlt(rcAll.left, rcAll.top, rcAll.Width(), rcAll.Height(), &dcMem, 0, 0, SRCCOPY);
        dcMem.SelectObject(pOld);
        return bDone;
    }
    // The strips narrow the caller's clip rather than replace it: a joined menu keeps its
    // button out of the shadow of its body, and the button's shadow out of the body.
    const int nSaved = m_rgnClip.GetSafeHandle() != NULL ? dc.SaveDC() : 0;
    if (nSaved != 0)
        dc.SelectClipRgn(&m_rgnClip, RGN_AND);
    const BOOL bDone = Render(dc);
    if (nSaved != 0)
        dc.RestoreDC(nSaved);
    return bDone;
}

BOOL PopupShadow::Render(CDC& dc)
{
    const int s = m_nSize;
    if (HasCachedStrips()) {
        CDC dcMem;
        if (!dcMem.CreateCompatibleDC(&dc))
            return FALSE;
        CBitmap* pOld = dcMem.SelectObject(&m_bmpRight);
        dc.BitBlt(m_rcBody.right, m_rcBody.top, s, m_rcBody.Height() + s, &dcMem, 0, 0, SRCCOPY);
        dcMem.SelectObject(&m_bmpBottom);
        dc.BitBlt(m_rcBody.left, m_rcBody.bottom, m_rcBody.Width() + s, s, &dcMem, 0, 0, SRCCOPY);
        dcMem.SelectObject(pOld);
        return TRUE;
    }
    return CUiPopupBaseWnd::ScreenBitsPerPixel() < 9 ? RenderDithered(dc) : RenderGradient(dc);
}

BOOL PopupShadow::RenderDithered(CDC& dc)
{
    static const WORD kPattern[8] = {0x55, 0xFF, 0xAA, 0xFF, 0x55, 0xFF, 0xAA, 0xFF};
    CBitmap bmpPattern;
    if (!bmpPattern.CreateBitmap(8, 8, 1, 1, kPattern))
        return FALSE;
    CBrush brush;
    if (!brush.CreatePatternBrush(&bmpPattern))
        return FALSE;
    const int s = std::min(m_nSize, 4);
    const CRect& b = m_rcBody;
    CBrush* pOldBrush = dc.SelectObject(&brush);
    dc.PatBlt(b.right, b.top + s, s, b.Height() - s, 0x00A000C9);
    dc.PatBlt(b.left + s, b.bottom, b.Width(), s, 0x00A000C9);
    dc.SelectObject(pOldBrush);
    if ((m_bOptions & kCache) != 0 && !SaveStrips(dc))
        return FALSE;
    return TRUE;
}

BOOL PopupShadow::RenderGradient(CDC& dc)
{
    const int s = m_nSize;
    const int w = m_rcBody.Width();
    const int h = m_rcBody.Height();
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
    bmi.bmiHeader.biWidth = w + s;
    bmi.bmiHeader.biHeight = -(h + s);
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    void* pvBits = nullptr;
    HBITMAP hSection = ::CreateDIBSection(dc.GetSafeHdc(), &bmi, DIB_RGB_COLORS, &pvBits, NULL, 0);
    if (hSection == NULL)
        return FALSE;
    CDC dcMem;
    if (!dcMem.CreateCompatibleDC(&dc)) {
        ::DeleteObject(hSection);
        return FALSE;
    }
    HGDIOBJ hOld = ::SelectObject(dcMem.GetSafeHdc(), hSection);
    dcMem.BitBlt(0, 0, w + s, h + s, &dc, m_rcBody.left, m_rcBody.top, SRCCOPY);
    ::GdiFlush();
    COLORREF clrTint = CLR_INVALID;
    if ((m_bOptions & kTint) != 0 && PaintManager() != nullptr) {
        clrTint = PaintManager()->GetMenuShadowColor();
        if (clrTint == (COLORREF)-1)
            clrTint = CLR_INVALID;
    }
    CRect e1(m_rcExclude1), e2(m_rcExclude2);
    e1.OffsetRect(-m_rcBody.left, -m_rcBody.top);
    e2.OffsetRect(-m_rcBody.left, -m_rcBody.top);
    ShadeGradient(static_cast<DWORD*>(pvBits), w, h, s, m_nDarkest, m_nLightest, clrTint, e1, e2);
    dc.BitBlt(m_rcBody.left, m_rcBody.top, w + s, h + s, &dcMem, 0, 0, SRCCOPY);
    ::SelectObject(dcMem.GetSafeHdc(), hOld);
    ::DeleteObject(hSection);
    if ((m_bOptions & kCache) != 0 && !SaveStrips(dc))
        return FALSE;
    return TRUE;
}

BOOL PopupShadow::SaveStrips(CDC& dc)
{
    const int s = m_nSize;
    const CRect& b = m_rcBody;
    DestroyStrips();
    CDC dcMem;
    if (!dcMem.CreateCompatibleDC(&dc) ||
        !m_bmpRight.Attach(CreateOffscreenBitmap(dc.GetSafeHdc(), s, b.Height() + s)) ||
        !m_bmpBottom.Attach(CreateOffscreenBitmap(dc.GetSafeHdc(), b.Width() + s, s))) {
        DestroyStrips();
        return FALSE;
    }
    CBitmap* pOld = dcMem.SelectObject(&m_bmpRight);
    dcMem.BitBlt(0, 0, s, b.Height() + s, &dc, b.right, b.top, SRCCOPY);
    dcMem.SelectObject(&m_bmpBottom);
    dcMem.BitBlt(0, 0, b.Width() + s, s, &dc, b.left, b.bottom, SRCCOPY);
    dcMem.SelectObject(pOld);
    return TRUE;
}
