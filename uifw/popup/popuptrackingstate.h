// The one tracking of popup menus: the root menu of the chain being tracked (owned: deleted
// when the tracking ends), the deepest open menu that gets input first, the menu whose
// opening animation runs, the two thread hooks and the caller's result variable. Made on
// first use; PopupTrackingState::Shutdown ends a tracking still running from the
// application's exit path.
#pragma once
#include "afxwin.h"
#include <ctime>

class CUiPopupMenuWnd;

class PopupTrackingState {
public:
    static PopupTrackingState& Get();
    // Ends a running tracking (the application's exit path).
    static void Shutdown();

    void BeginMenuTracking(CUiPopupMenuWnd* pMenu);
    void EndMenuTracking();
    void SetMenuHooks(bool bInstall);
    void SetResultCmdIdPtr(UINT* pResult) { m_pResult = pResult; }
    bool IsEnding() const { return (m_bFlags & 1) != 0; }
    bool IsRoot(const CUiPopupMenuWnd* pMenu) const { return pMenu != nullptr && pMenu == m_pRoot; }
    bool HasHooks() const { return m_hMouseHook != NULL || m_hKeyboardHook != NULL; }

    // The hook bodies (the procedures call these; tests call them directly too).
    LRESULT MouseHook(int nCode, WPARAM wParam, LPARAM lParam);
    LRESULT KeyboardHook(int nCode, WPARAM wParam, LPARAM lParam);

    BYTE m_bFlags;
    CUiPopupMenuWnd* m_pRoot;
    CUiPopupMenuWnd* m_pFocused;
    CUiPopupMenuWnd* m_pAnimating;
    HHOOK m_hMouseHook;
    HHOOK m_hKeyboardHook;
    UINT* m_pResult;

    // The key interval between two handled presses.
    static const clock_t kKeyInterval = 20;
    static clock_t g_tLastKey;

    // Called once a tracking has ended and its menus are gone; the bars install it (the
    // floating frames that could not come forward on the screen while a menu stood in front
    // of them come forward then). None by default.
    static void (*g_pfnTrackingEnded)();

private:
    PopupTrackingState();
    ~PopupTrackingState();
    // The focused menu when its window exists, else null: input then drives no menu.
    CUiPopupMenuWnd* InputMenu() const;
    static LRESULT CALLBACK MouseHookProc(int nCode, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK KeyboardHookProc(int nCode, WPARAM wParam, LPARAM lParam);
};

// Whether a toolbar or menu-bar button shows its menu, and what the popup asks of the bars;
// the bars install their answers (none by default: no bar tracking).
struct PopupBarTrackingBridge {
    static bool g_bButtonMenuTracking;
    static void (*g_pfnEndAllBarMenuTracking)();
    static bool (*g_pfnIsPointInTrackedButton)(HWND hWndBar, POINT ptScreen);
    static bool (*g_pfnIsToolBar)(LPVOID pCookie);
    static void EndAllBarMenuTracking();
};
