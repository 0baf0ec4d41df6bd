#include "popuptrackingstate.h"

#include "popupmenuwnd.h"
#include "commandstatustext.h"

clock_t PopupTrackingState::g_tLastKey = 0;
void (*PopupTrackingState::g_pfnTrackingEnded)() = nullptr;

bool PopupBarTrackingBridge::g_bButtonMenuTracking = false;
void (*PopupBarTrackingBridge::g_pfnEndAllBarMenuTracking)() = nullptr;
bool (*PopupBarTrackingBridge::g_pfnIsPointInTrackedButton)(HWND, POINT) = nullptr;
bool (*PopupBarTrackingBridge::g_pfnIsToolBar)(LPVOID) = nullptr;

void PopupBarTrackingBridge::EndAllBarMenuTracking()
{
    if (g_pfnEndAllBarMenuTracking != nullptr)
        g_pfnEndAllBarMenuTracking();
    else
        g_bButtonMenuTracking = false;
}

namespace {

PopupTrackingState* g_pState = nullptr;

} // namespace

PopupTrackingState::PopupTrackingState()
    : m_bFlags(0), m_pRoot(nullptr), m_pFocused(nullptr), m_pAnimating(nullptr), m_hMouseHook(NULL),
      m_hKeyboardHook(NULL), m_pResult(nullptr)
{
}

PopupTrackingState::~PopupTrackingState()
{
    SetMenuHooks(false);
}

PopupTrackingState& PopupTrackingState::Get()
{
    if (g_pState == nullptr)
        g_pState = new PopupTrackingState;
    return *g_pState;
}

void PopupTrackingState::Shutdown()
{
    if (g_pState == nullptr)
        return;
    g_pState->EndMenuTracking();
    delete g_pState;
    g_pState = nullptr;
}

void PopupTrackingState::BeginMenuTracking(CUiPopupMenuWnd* pMenu)
{
    if (m_pRoot != nullptr) {
        if (m_pRoot == pMenu)
            return;
        EndMenuTracking();
    }
    if (pMenu != nullptr) {
        m_pRoot = pMenu;
        SetMenuHooks(true);
    }
}

void PopupTrackingState::SetMenuHooks(bool bInstall)
{
    if (bInstall) {
        if (m_hMouseHook == NULL)
            m_hMouseHook = ::SetWindowsHookExA(WH_MOUSE, MouseHookProc, NULL, ::GetCurrentThreadId());
        if (m_hKeyboardHook == NULL)
            m_hKeyboardHook = ::SetWindowsHookExA(WH_KEYBOARD, KeyboardHookProc, NULL, ::GetCurrentThreadId());
        return;
    }
    if (m_hMouseHook != NULL)
        ::UnhookWindowsHookEx(m_hMouseHook);
    if (m_hKeyboardHook != NULL)
        ::UnhookWindowsHookEx(m_hKeyboardHook);
    m_hMouseHook = m_hKeyboardHook = NULL;
}

void PopupTrackingState::EndMenuTracking()
{
    m_bFlags |= 1;
    m_pFocused = m_pAnimating = nullptr;
    m_pResult = nullptr;
    const bool bTracked = m_pRoot != nullptr;
    if (m_pRoot != nullptr) {
        CUiPopupMenuWnd* pRoot = m_pRoot;
        pRoot->BuildItemsFromMenu(NULL, TRUE);
        if (::IsWindow(pRoot->GetSafeHwnd())) {
            HWND hFrame = ::GetWindow(pRoot->GetSafeHwnd(), GW_OWNER);
            if (hFrame == NULL)
                hFrame = ::GetParent(pRoot->GetSafeHwnd());
            if (hFrame != NULL)
                ShowCommandStatusText(CWnd::FromHandle(hFrame), AFX_IDS_IDLEMESSAGE);
            pRoot->DestroyWindow();
            CUiPopupMenuWnd::PumpPendingMessages(CUiPopupMenuWnd::g_bIdlePump);
        }
        delete pRoot;
        m_pRoot = nullptr;
    }
    SetMenuHooks(false);
    m_bFlags &= ~1;
    if (bTracked && g_pfnTrackingEnded != nullptr)
        g_pfnTrackingEnded();
}

CUiPopupMenuWnd* PopupTrackingState::InputMenu() const
{
    return m_pFocused != nullptr && ::IsWindow(m_pFocused->GetSafeHwnd()) ? m_pFocused : nullptr;
}

LRESULT CALLBACK PopupTrackingState::MouseHookProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    return Get().MouseHook(nCode, wParam, lParam);
}

LRESULT CALLBACK PopupTrackingState::KeyboardHookProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    return Get().KeyboardHook(nCode, wParam, lParam);
}

LRESULT PopupTrackingState::MouseHook(int nCode, WPARAM wParam, LPARAM lParam)
{
    const HHOOK hHook = m_hMouseHook;
    if (nCode < 0 || m_pRoot == nullptr || IsEnding())
        return ::CallNextHookEx(hHook, nCode, wParam, lParam);
    // Between two menus of the chain (one gone, the next not yet focused) the mouse reaches
    // neither the menus nor the windows under them.
    CUiPopupMenuWnd* pMenu = InputMenu();
    if (pMenu == nullptr)
        return 1;
    const MOUSEHOOKSTRUCT* pHook = reinterpret_cast<const MOUSEHOOKSTRUCT*>(lParam);
    const UINT message = (UINT)wParam;
    bool bPassOn = false;
    CPoint pt(pHook->pt);
    switch (message) {
    case WM_MOUSEMOVE:
        pMenu->ScreenToClient(&pt);
        if (pMenu->OnTrackMouseMove(message, pt, bPassOn))
            return 1;
        return ::CallNextHookEx(hHook, nCode, wParam, lParam);
    case WM_MOUSEWHEEL:
        if (pMenu->OnTrackMouseWheel(const_cast<MOUSEHOOKSTRUCT*>(pHook), bPassOn) || !bPassOn)
            return 1;
        return ::CallNextHookEx(hHook, nCode, wParam, lParam);
    case WM_LBUTTONDOWN: case WM_LBUTTONUP: case WM_RBUTTONDOWN: case WM_RBUTTONUP:
    case WM_MBUTTONDOWN: case WM_MBUTTONUP: case WM_NCLBUTTONDOWN: case WM_NCLBUTTONUP:
    case WM_NCRBUTTONDOWN: case WM_NCRBUTTONUP: case WM_NCMBUTTONDOWN: case WM_NCMBUTTONUP: {
        const HWND hMenu = pMenu->GetSafeHwnd();
        pMenu->ScreenToClient(&pt);
        if (pMenu->OnTrackMouseClick(message, pt, bPassOn))
            return 1;
        if (!::IsWindow(hMenu))
            return 1;
        if (bPassOn)
            return ::CallNextHookEx(hHook, nCode, wParam, lParam);
        for (CUiPopupMenuWnd* pWalk = pMenu; pWalk != nullptr; pWalk = pWalk->GetParentMenu()) {
            CPoint ptWalk(pHook->pt);
            pWalk->ScreenToClient(&ptWalk);
            if (::IsWindow(pWalk->GetSafeHwnd()) &&
                (pWalk->IsPointOverWindow(ptWalk) || pWalk->IsPointOnVisibleTip(pHook->pt)))
                return 1;
        }
        if (m_pRoot != nullptr)
            m_pRoot->CloseMenu(FALSE);
        if (message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN)
            return ::CallNextHookEx(hHook, nCode, wParam, lParam);
        return 1;
    }
    default:
        return ::CallNextHookEx(hHook, nCode, wParam, lParam);
    }
}

LRESULT PopupTrackingState::KeyboardHook(int nCode, WPARAM wParam, LPARAM lParam)
{
    const HHOOK hHook = m_hKeyboardHook;
    if (nCode < 0)
        return ::CallNextHookEx(hHook, nCode, wParam, lParam);
    CUiPopupMenuWnd* pMenu = m_pRoot != nullptr && !IsEnding() ? InputMenu() : nullptr;
    const bool bRelease = (lParam & 0x80000000) != 0;
    if (pMenu != nullptr) {
        if (bRelease)
            return 1;
        const clock_t t = CUiPopupBaseWnd::g_pfnClock();
        const clock_t dt = t > g_tLastKey ? t - g_tLastKey : g_tLastKey - t;
        if (dt >= kKeyInterval) {
            g_tLastKey = t;
            bool bPassOn = false;
            if (pMenu->OnTrackKeyDown((UINT)wParam, LOWORD(lParam), HIWORD(lParam), bPassOn))
                return 1;
            return bPassOn ? ::CallNextHookEx(hHook, nCode, wParam, lParam) : 1;
        }
    }
    static const int kModifiers[] = {VK_MENU,    VK_RMENU, VK_LMENU,  VK_CONTROL, VK_RCONTROL,
                                     VK_LCONTROL, VK_SHIFT, VK_RSHIFT, VK_LSHIFT};
    bool bModifier = (lParam & (1 << 29)) != 0;
    for (int vk : kModifiers)
        bModifier = bModifier || (::GetKeyState(vk) & 0x8000) != 0;
    if (!PopupBarTrackingBridge::g_bButtonMenuTracking && bModifier && bRelease)
        CUiPopupMenuWnd::CloseTrackedMenus();
    return ::CallNextHookEx(hHook, nCode, wParam, lParam);
}
