#include "cmdicon.h"

#include "bitmapicon.h"
#include "cmdiconpixels.h"

namespace {

CSize BitmapSize(HBITMAP hBitmap)
{
    BITMAP bm;
    if (hBitmap == NULL || ::GetObject(hBitmap, sizeof(bm), &bm) == 0)
        return CSize(0, 0);
    return CSize(bm.bmWidth, bm.bmHeight);
}

} // namespace

CmdIconBitmapHolder::CmdIconBitmapHolder() : m_hBitmap(NULL), m_clrKey(0), m_cx(0), m_cy(0)
{
}

CmdIconBitmapHolder::~CmdIconBitmapHolder()
{
    Empty();
}

void CmdIconBitmapHolder::Empty()
{
    if (m_hBitmap != NULL)
        ::DeleteObject(m_hBitmap);
    m_hBitmap = NULL;
    m_clrKey = 0;
    m_cx = m_cy = 0;
}

void CmdIconBitmapHolder::Set(HBITMAP hBitmap, COLORREF clrKey, const RECT* pRect, bool bCopy)
{
    if (hBitmap == NULL) {
        Empty();
        return;
    }
    if (hBitmap == m_hBitmap && pRect == NULL) {
        m_clrKey = clrKey;
        return;
    }
    HBITMAP hNew = hBitmap;
    if (bCopy) {
        if (pRect != NULL) {
            // Copying from outside the bitmap would give pixels nobody drew.
            const CSize size = BitmapSize(hBitmap);
            if (pRect->left < 0 || pRect->top < 0 || pRect->right > size.cx || pRect->bottom > size.cy ||
                pRect->left >= pRect->right || pRect->top >= pRect->bottom) {
                Empty();
                return;
            }
        }
        hNew = CloneBitmap(hBitmap, pRect);
    }
    if (hNew != m_hBitmap)
        Empty();
    if (hNew == NULL)
        return;
    const CSize size = BitmapSize(hNew);
    m_hBitmap = hNew;
    m_clrKey = clrKey;
    m_cx = size.cx;
    m_cy = size.cy;
}

HICON CmdIconBitmapHolder::MakeIcon(bool bMapSysColors) const
{
    if (m_hBitmap == NULL)
        return NULL;
    return CreateIconFromBitmap(m_hBitmap, m_clrKey, NULL, bMapSysColors);
}

CmdIconIconHolder::CmdIconIconHolder() : m_hIcon(NULL), m_cx(0), m_cy(0)
{
}

CmdIconIconHolder::~CmdIconIconHolder()
{
    Empty();
}

void CmdIconIconHolder::Empty()
{
    if (m_hIcon != NULL)
        ::DestroyIcon(m_hIcon);
    m_hIcon = NULL;
    m_cx = m_cy = 0;
}

HICON CmdIconIconHolder::Detach()
{
    HICON hIcon = m_hIcon;
    m_hIcon = NULL;
    m_cx = m_cy = 0;
    return hIcon;
}

void CmdIconIconHolder::Take(HICON hIcon, bool bCopy)
{
    if (!bCopy && hIcon == m_hIcon)
        return;
    HICON hNew = hIcon;
    IconInfoBitmaps bitmaps(hIcon);
    ICONINFO info = bitmaps.Info();
    if (bCopy)
        hNew = bitmaps.IsValid() ? ::CreateIconIndirect(&info) : NULL;
    if (hNew != m_hIcon)
        Empty();
    if (hNew == NULL)
        return;
    m_hIcon = hNew;
    SetSize(info.xHotspot, info.yHotspot, BitmapSize(bitmaps.Image()));
}

void CmdIconIconHolder::TakeMadeFromBitmap(HICON hIcon, HBITMAP hSource)
{
    if (hIcon == m_hIcon)
        return;
    Empty();
    if (hIcon == NULL)
        return;
    m_hIcon = hIcon;
    // An icon's hotspot is its centre, and this icon is the bitmap's size: what Take learns
    // from the icon's information, which costs Wine two looks at the display's configuration.
    const CSize size = BitmapSize(hSource);
    SetSize(size.cx / 2, size.cy / 2, size);
}

void CmdIconIconHolder::SetSize(DWORD xHotspot, DWORD yHotspot, CSize sizeImage)
{
    m_cx = (int)((xHotspot * 2) % 256);
    m_cy = (int)((yHotspot * 2) % 256);
    if (m_cx == 0 || m_cy == 0) {
        m_cx = sizeImage.cx;
        m_cy = sizeImage.cy;
    }
}
