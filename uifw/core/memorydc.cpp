#include "memorydc.h"
#include "paintsystem.h"

HBITMAP(WINAPI* CUiMemoryDC::s_pfnCreateDIBSection)(HDC, const BITMAPINFO*, UINT, void**, HANDLE,
                                                    DWORD) = ::CreateDIBSection;

CUiMemoryDC::CUiMemoryDC()
    : m_hDisplacedBitmap(NULL), m_pTarget(NULL), m_bOffscreen(false), m_pDibBits(NULL)
{
}

CUiMemoryDC::CUiMemoryDC(CDC* pTarget, const RECT* pRect, DWORD dwOptions)
    : m_hDisplacedBitmap(NULL), m_pTarget(NULL), m_bOffscreen(false), m_pDibBits(NULL)
{
    BeginOffscreen(pTarget, pRect, dwOptions);
}

CUiMemoryDC::~CUiMemoryDC()
{
    Finish();
}

void CUiMemoryDC::BeginOffscreen(CDC* pTarget, const RECT* pRect, DWORD dwOptions)
{
    Finish();
    if (pTarget == NULL || pTarget->m_hDC == NULL)
        return;
    m_pTarget = pTarget;
    if (pRect != NULL)
        m_rect = *pRect;
    else
        pTarget->GetClipBox(&m_rect);

    m_bOffscreen = (dwOptions & kUseOffscreen) != 0 && !pTarget->IsPrinting();
    if (m_bOffscreen) {
        HDC hMemDC = ::CreateCompatibleDC(pTarget->m_hDC);
        CRect rcDevice = m_rect;
        if ((dwOptions & kDeviceUnits) == 0)
            pTarget->LPtoDP(&rcDevice);
        if (hMemDC != NULL && Attach(hMemDC) && MakeBitmap(dwOptions, rcDevice.Width(), rcDevice.Height())) {
            m_hDisplacedBitmap = ::SelectObject(m_hDC, m_bitmap.m_hObject);
            if ((dwOptions & kDeviceUnits) == 0) {
                SetMapMode(pTarget->GetMapMode());
                SetWindowOrg(m_rect.left, m_rect.top);
            }
        } else {
            // Without a context or bitmap of our own the caller still draws: into the target.
            if (m_hDC != NULL)
                DeleteDC();
            else if (hMemDC != NULL)
                ::DeleteDC(hMemDC);
            m_bOffscreen = false;
        }
    }
    if (!m_bOffscreen)
        BorrowTarget();

    if (dwOptions & kCopyTarget) {
        // Into the rectangle's own logical place: logical (0, 0) may lie outside the bitmap.
        if (m_bOffscreen)
            ::BitBlt(m_hDC, m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), pTarget->m_hDC, m_rect.left,
                     m_rect.top, SRCCOPY);
    } else if (dwOptions & kFillBackground) {
        FillSolidRect(&m_rect, ::GetBkColor(pTarget->m_hAttribDC));
    }
}

bool CUiMemoryDC::MakeBitmap(DWORD dwOptions, int cx, int cy)
{
    if (dwOptions & kMonochrome)
        return m_bitmap.CreateBitmap(cx, cy, 1, 1, NULL) != FALSE;
    if (dwOptions & kDibSection) {
        BITMAPINFO bmi = {};
        bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        bmi.bmiHeader.biWidth = cx;
        bmi.bmiHeader.biHeight = cy;
        bmi.bmiHeader.biPlanes = 1;
        bmi.bmiHeader.biBitCount = 32;
        bmi.bmiHeader.biCompression = BI_RGB;
        bmi.bmiHeader.biSizeImage = (DWORD)cx * (DWORD)cy * 4;
        void* pBits = NULL;
        HBITMAP hBitmap = s_pfnCreateDIBSection(m_pTarget->m_hDC, &bmi, DIB_RGB_COLORS, &pBits, NULL, 0);
        if (hBitmap == NULL || pBits == NULL) {
            if (hBitmap != NULL)
                ::DeleteObject(hBitmap);
            return false;
        }
        m_bitmap.Attach(hBitmap);
        m_pDibBits = pBits;
        return true;
    }
    return m_bitmap.Attach(CreateOffscreenBitmap(m_pTarget->m_hDC, cx, cy)) != FALSE;
}

void CUiMemoryDC::BorrowTarget()
{
    m_hDC = m_pTarget->m_hDC;
    m_hAttribDC = m_pTarget->m_hAttribDC;
    m_bPrinting = m_pTarget->m_bPrinting;
}

void CUiMemoryDC::Finish()
{
    if (m_pTarget == NULL)
        return;
    if (m_bOffscreen) {
        m_pTarget->BitBlt(m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), this, m_rect.left, m_rect.top,
                          SRCCOPY);
        ::SelectObject(m_hDC, m_hDisplacedBitmap);
    } else {
        // The handles are the target's.
        m_hDC = NULL;
        m_hAttribDC = NULL;
        m_bPrinting = FALSE;
    }
    m_pTarget = NULL;
    m_hDisplacedBitmap = NULL;
    m_rect.SetRectEmpty();
    m_bOffscreen = false;
    m_pDibBits = NULL;
    m_bitmap.DeleteObject();
    if (m_hDC != NULL)
        DeleteDC();
}
