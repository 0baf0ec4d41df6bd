#include "popupbasewnd.h"
#include "paintsystem.h"

#include "soundplayer.h"
#include <cmath>
#include <cstdlib>

IMPLEMENT_DYNCREATE(CUiPopupBaseWnd, CWnd)

namespace {

int RealBitsPerPixel()
{
    HDC hDC = ::GetDC(NULL);
    const int nBits = ::GetDeviceCaps(hDC, BITSPIXEL) * ::GetDeviceCaps(hDC, PLANES);
    ::ReleaseDC(NULL, hDC);
    return nBits;
}

void RealPlaySound(int nEvent)
{
    SoundPlayerHolder::GetStoredHandle()->PlayUiSound(nEvent);
}

} // namespace

clock_t (*CUiPopupBaseWnd::g_pfnClock)() = &clock;
int (*CUiPopupBaseWnd::g_pfnBitsPerPixel)() = &RealBitsPerPixel;
void (*CUiPopupBaseWnd::g_pfnPlaySound)(int) = &RealPlaySound;
int CUiPopupBaseWnd::g_nDefaultAnimation = 4;
bool CUiPopupBaseWnd::g_bMenuShadows = true;
clock_t CUiPopupBaseWnd::g_tLastFrame = 0;

BEGIN_MESSAGE_MAP(CUiPopupBaseWnd, CWnd)
    ON_WM_MOUSEACTIVATE()
    ON_WM_ERASEBKGND()
    ON_WM_PAINT()
    ON_WM_NCPAINT()
    ON_WM_NCCALCSIZE()
    ON_WM_SIZE()
    ON_WM_TIMER()
    ON_WM_SETCURSOR()
END_MESSAGE_MAP()

CUiPopupBaseWnd::CUiPopupBaseWnd()
    : m_ptTrack(0, 0), m_bBaseFlags(0), m_pCookie(nullptr), m_pfnCallback(nullptr), m_bCookieFlag(0),
      m_nAnimation(g_nDefaultAnimation), m_nPendingSound(0), m_pBackBits(nullptr), m_pContentBits(nullptr),
      m_pFrameBits(nullptr), m_nProgress(0), m_nPrevProgress(0), m_bAnimFlags(0), m_sizeContent(1, 1)
{
    m_rcExclude.SetRectEmpty();
    InitAnimation();
}

CUiPopupBaseWnd::~CUiPopupBaseWnd()
{
    m_bmpBack.DeleteObject();
    m_bmpContent.DeleteObject();
    m_bmpFrame.DeleteObject();
    m_bmpUnder.DeleteObject();
}

void CUiPopupBaseWnd::PlaySoundEvent(int nEvent)
{
    if (g_pfnPlaySound != nullptr && nEvent != 0)
        g_pfnPlaySound(nEvent);
}

int CUiPopupBaseWnd::ScreenBitsPerPixel()
{
    return g_pfnBitsPerPixel();
}

CUiToolControlBar* CUiPopupBaseWnd::GetOwnerToolBar()
{
    return nullptr;
}

BOOL CUiPopupBaseWnd::IsJoinedBorderClosed()
{
    return FALSE;
}

LPVOID CUiPopupBaseWnd::GetCallbackCookie() const
{
    return m_bCookieFlag ? m_pCookie : nullptr;
}

BOOL CUiPopupBaseWnd::IsInternalCallback() const
{
    return FALSE;
}

BOOL CUiPopupBaseWnd::IsNestedTracking() const
{
    return FALSE;
}

void CUiPopupBaseWnd::OnAdjustAnimationType(int&)
{
}

void CUiPopupBaseWnd::InitAnimation()
{
    m_nProgress = m_nPrevProgress = 0;
    OnAdjustAnimationType(m_nAnimation);
    if ((m_nAnimation < 0 || m_nAnimation > 10) && m_nAnimation != -1 && m_nAnimation != -2)
        m_nAnimation = 0;
    if (m_nAnimation == 1) {
        m_nAnimation = std::rand() % 11;
        if (m_nAnimation == 0 || m_nAnimation == 1)
            m_nAnimation = 4;
    }
    if (ScreenBitsPerPixel() < 9 && m_nAnimation != -1 && m_nAnimation != -2)
        m_nAnimation = 0;
    m_bAnimFlags = (BYTE)(m_nAnimation == 0 ? m_bAnimFlags | 1 : m_bAnimFlags & ~1);
}

void CUiPopupBaseWnd::StartAnimation()
{
    InitAnimation();
    if (m_nAnimation == 0)
        return;
    if (::IsWindow(m_hWnd))
        SetTimer(kAnimationTimer, kAnimationPeriod, nullptr);
    g_tLastFrame = g_pfnClock();
}

void CUiPopupBaseWnd::ResetAnimationSurfaces()
{
    m_bmpBack.DeleteObject();
    m_bmpContent.DeleteObject();
    m_bmpFrame.DeleteObject();
    m_pBackBits = m_pContentBits = m_pFrameBits = nullptr;
}

BOOL CUiPopupBaseWnd::IsShadowEnabled() const
{
    return g_bMenuShadows;
}

int CUiPopupBaseWnd::GetShadowSize() const
{
    return 0;
}

void CUiPopupBaseWnd::RenderAnimationFrame(CDC& dc)
{
    PaintContent(dc, TRUE);
}

void CUiPopupBaseWnd::PaintContent(CDC&, BOOL)
{
}

void CUiPopupBaseWnd::GetContentRect(RECT& rc) const
{
    if (::IsWindow(m_hWnd))
        ::GetClientRect(m_hWnd, &rc);
    else
        ::SetRectEmpty(&rc);
}

BOOL CUiPopupBaseWnd::IsContextHelpMode() const
{
    return FALSE;
}

BOOL CUiPopupBaseWnd::DestroyWindow()
{
    if (!::IsWindow(m_hWnd))
        return TRUE;
    return CWnd::DestroyWindow();
}

void CUiPopupBaseWnd::AnimationTick()
{
    if (IsAnimationEnded())
        return;
    const clock_t t = g_pfnClock();
    const int k = (int)((double)(t - g_tLastFrame) / (double)kAnimationPeriod + 0.5);
    if (m_nAnimation == -2 || (m_nAnimation >= 2 && m_nAnimation <= 10)) {
        m_nPrevProgress = m_nProgress;
        m_nProgress += 20;
        if (m_nProgress > 20 * k + 100)
            m_nProgress = 101;
        if (m_nProgress > 100)
            m_bAnimFlags |= 1;
    } else if (m_nAnimation == -1) {
        m_bAnimFlags |= 1;
    }
    const bool bEnded = IsAnimationEnded();
    if (bEnded) {
        if (!IsNestedTracking()) {
            PlaySoundEvent(m_nPendingSound);
            m_nPendingSound = 0;
        }
        if (::IsWindow(m_hWnd))
            KillTimer(kAnimationTimer);
        m_nAnimation = g_nDefaultAnimation;
    }
    if (::IsWindow(m_hWnd)) {
        if (bEnded)
            ResetAnimationSurfaces();
        else
            InvalidateRect(nullptr, FALSE);
    }
    g_tLastFrame = t;
    if (bEnded)
        OnAnimationEnded();
}

void CUiPopupBaseWnd::FadePixels(DWORD* pFrame, const DWORD* pBack, const DWORD* pContent, int cx, int cy,
                                 int p)
{
    for (int i = 0; i < cx * cy; ++i) {
        DWORD out = 0;
        for (int ch = 0; ch < 3; ++ch) {
            const int b = (pBack[i] >> (8 * ch)) & 0xFF;
            const int c = (pContent[i] >> (8 * ch)) & 0xFF;
            out |= (DWORD)((b * (100 - p) + c * p) / 100) << (8 * ch);
        }
        pFrame[i] = out;
    }
}

void CUiPopupBaseWnd::MixPixels(int nKind, DWORD* pFrame, const DWORD* pBack, const DWORD* pContent, int cx,
                                int cy, int p, int pPrev)
{
    if (p == pPrev)
        return;
    const int d = p - pPrev;
    const int nRadius = nKind == 9 ? p * 16 / 100 : (100 - p) * 16 / 100;
    if ((nKind == 9 || nKind == 10) && nRadius == 0)
        return;
    for (int y = 0; y < cy; ++y) {
        const int r = y % 32;
        const bool bWholeRow = 100 - r * 100 / 32 < p;
        for (int x = 0; x < cx; ++x) {
            const int i = y * cx + x;
            switch (nKind) {
            case 7:
                if (d > 0 && std::rand() % d > d / 2 + 1)
                    pFrame[i] = pContent[i];
                break;
            case 8:
                pFrame[i] = bWholeRow || (x % 32) * 100 / 32 < p ? pContent[i] : pBack[i];
                break;
            case 9:
            case 10: {
                const int dx = x % 32 - 16, dy = y % 32 - 16;
                const bool bInside = std::sqrt((double)(dx * dx + dy * dy)) < nRadius;
                pFrame[i] = bInside == (nKind == 9) ? pContent[i] : pBack[i];
                break;
            }
            default:
                break;
            }
        }
    }
}

void CUiPopupBaseWnd::CaptureScreenUnder()
{
    m_bmpUnder.DeleteObject();
    if (!::IsWindow(m_hWnd))
        return;
    CRect rc;
    GetWindowRect(rc);
    HDC hScreen = ::GetDC(NULL);
    CDC dcMem;
    if (dcMem.CreateCompatibleDC(CDC::FromHandle(hScreen)) &&
        m_bmpUnder.Attach(CreateOffscreenBitmap(hScreen, rc.Width(), rc.Height()))) {
        CBitmap* pOld = dcMem.SelectObject(&m_bmpUnder);
        ::BitBlt(dcMem.GetSafeHdc(), 0, 0, rc.Width(), rc.Height(), hScreen, rc.left, rc.top, SRCCOPY);
        dcMem.SelectObject(pOld);
    }
    ::ReleaseDC(NULL, hScreen);
}

bool CUiPopupBaseWnd::MakeSections(CDC& dcWindow, CDC& dcMem, int cx, int cy)
{
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
    bmi.bmiHeader.biWidth = cx;
    bmi.bmiHeader.biHeight = -cy;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    CBitmap* apBitmaps[3] = {&m_bmpBack, &m_bmpContent, &m_bmpFrame};
    DWORD** appBits[3] = {&m_pBackBits, &m_pContentBits, &m_pFrameBits};
    for (int i = 0; i < 3; ++i) {
        void* pv = nullptr;
        HBITMAP h = ::CreateDIBSection(dcWindow.GetSafeHdc(), &bmi, DIB_RGB_COLORS, &pv, NULL, 0);
        if (h == NULL) {
            ResetAnimationSurfaces();
            return false;
        }
        apBitmaps[i]->Attach(h);
        *appBits[i] = static_cast<DWORD*>(pv);
    }
    // The background: what lay under the window before it showed.
    CBitmap* pOld = dcMem.SelectObject(&m_bmpBack);
    if (m_bmpUnder.GetSafeHandle() != NULL) {
        CDC dcUnder;
        dcUnder.CreateCompatibleDC(&dcWindow);
        CBitmap* pOldUnder = dcUnder.SelectObject(&m_bmpUnder);
        dcMem.BitBlt(0, 0, cx, cy, &dcUnder, 0, 0, SRCCOPY);
        dcUnder.SelectObject(pOldUnder);
    } else {
        dcMem.BitBlt(0, 0, cx, cy, &dcWindow, 0, 0, SRCCOPY);
    }
    ::GdiFlush();
    memcpy(m_pContentBits, m_pBackBits, (size_t)cx * cy * 4);
    dcMem.SelectObject(&m_bmpContent);
    PaintContent(dcMem, FALSE);
    ::GdiFlush();
    dcMem.SelectObject(pOld);
    return true;
}

int CUiPopupBaseWnd::OnMouseActivate(CWnd*, UINT, UINT)
{
    if (IsNestedTracking()) {
        OnNestedMouseActivate();
        return MA_NOACTIVATE;
    }
    POINT pt;
    ::GetCursorPos(&pt);
    const HWND hUnder = ::WindowFromPoint(pt);
    if (::GetWindow(m_hWnd, GW_CHILD) != NULL && hUnder != NULL &&
        (::GetWindowLongA(hUnder, GWL_STYLE) & WS_CHILD) != 0 && ::GetParent(hUnder) == m_hWnd)
        return MA_ACTIVATE;
    return MA_NOACTIVATEANDEAT;
}

void CUiPopupBaseWnd::OnNestedMouseActivate()
{
    SetWindowPos(&CWnd::wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

BOOL CUiPopupBaseWnd::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CUiPopupBaseWnd::OnPaint()
{
    CPaintDC dc(this);
    if (!IsWindowVisible())
        return;
    if (IsAnimationEnded())
        PaintContent(dc, TRUE);
    else
        RenderAnimationFrame(dc);
}

void CUiPopupBaseWnd::OnNcPaint()
{
}

// Whatever styles the window was given, a popup has no frame: its client area is the whole
// window.
void CUiPopupBaseWnd::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS*)
{
}

void CUiPopupBaseWnd::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    InvalidateRect(nullptr, FALSE);
}

void CUiPopupBaseWnd::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == kAnimationTimer) {
        AnimationTick();
        return;
    }
    if (nIDEvent == 669) {
        KillTimer(669);
        ShowWindow(SW_SHOWNA);
        InvalidateRect(nullptr, FALSE);
        UpdateWindow();
        return;
    }
    CWnd::OnTimer(nIDEvent);
}

BOOL CUiPopupBaseWnd::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (IsContextHelpMode()) {
        ::SetCursor(AfxGetContextHelpCursor());
        return TRUE;
    }
    return CWnd::OnSetCursor(pWnd, nHitTest, message);
}
