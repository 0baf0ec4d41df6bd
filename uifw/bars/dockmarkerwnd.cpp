#include "dockmarkerwnd.h"

IMPLEMENT_DYNAMIC(CUiDynDockMarkerWnd, CWnd)

const char* const CUiDynDockMarkerWnd::kClassName = "VaviRIZ-DynDockMarker";

namespace {

bool RegisterMarkerClass()
{
    HINSTANCE hInstance = ::GetModuleHandleA(NULL);
    WNDCLASSA wc = {};
    if (::GetClassInfoA(hInstance, CUiDynDockMarkerWnd::kClassName, &wc))
        return true;
    wc.style = CS_GLOBALCLASS;
    wc.lpfnWndProc = ::DefWindowProcA;
    wc.hInstance = hInstance;
    wc.hCursor = ::LoadCursor(NULL, IDC_ARROW);
    wc.lpszClassName = CUiDynDockMarkerWnd::kClassName;
    return ::RegisterClassA(&wc) != 0;
}

// The hidden popup that owns every marker; made on first need.
CWnd* g_pDockMarkerOwnerWnd = nullptr;

CWnd* MarkerOwner()
{
    if (g_pDockMarkerOwnerWnd != nullptr)
        return g_pDockMarkerOwnerWnd;
    CWnd* pOwner = new CWnd;
    if (!pOwner->CreateEx(WS_EX_TOPMOST, CUiDynDockMarkerWnd::kClassName, "", WS_POPUP, CRect(0, 0, 0, 0),
                          CWnd::GetDesktopWindow(), 0)) {
        delete pOwner;
        return nullptr;
    }
    g_pDockMarkerOwnerWnd = pOwner;
    return pOwner;
}

} // namespace

CUiDynDockMarkerWnd::CUiDynDockMarkerWnd(CWnd* pTarget, int nType, HBITMAP hHover, HBITMAP hNormal, HRGN hShape,
                                         const RECT& rc)
    : m_hWndTarget(pTarget != nullptr ? pTarget->GetSafeHwnd() : NULL), m_nType(nType), m_nHoverState(0)
{
    m_bmpHover.Attach(hHover);
    m_bmpNormal.Attach(hNormal);
    m_rgnShape.Attach(hShape);
    if (!RegisterMarkerClass())
        return;
    CWnd* pOwner = MarkerOwner();
    if (pOwner == nullptr)
        return;
    if (!CreateEx(WS_EX_TOPMOST, kClassName, "", WS_POPUP, rc, pOwner, 0))
        return;
    // The window owns its shape from now on.
    ::SetWindowRgn(m_hWnd, (HRGN)m_rgnShape.Detach(), FALSE);
}

CUiDynDockMarkerWnd::~CUiDynDockMarkerWnd()
{
    if (m_hWnd != NULL)
        DestroyWindow();
}
