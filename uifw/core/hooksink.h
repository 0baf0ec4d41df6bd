// Hook chains: objects that watch the messages of a window they do not own.
//
// A CUiHookSink is a mix-in with virtual notifications. The first sink attached to a window
// replaces the window's procedure with SharedHookWndProc; from then on each message is offered
// to the window's sinks in chain order, and only when none of them answers true does it reach
// the window's previous procedure. The per-window record (HookChains_t) lives in one
// process-wide map from window handle to chain, HookChainsMap, which holds no memory while no
// window is hooked.
//
// A window stays subclassed until its WM_NCDESTROY, even when its last sink left. At
// WM_NCDESTROY the chain leaves the map and the previous procedure is put back before anyone
// is told, so whatever a sink or the previous procedure does then finds no chain to trip on.
// A sink may detach itself or others, or destroy the window, in the middle of a message: the
// walk goes over a snapshot, skips sinks that left, and stops when the chain is gone.
//
// Chains hold plain pointers: an owner detaches its sink (UnhookAllWindows) before destroying
// it; only sinks that answer IsAutoDeleteHookWndSink are deleted by the chains themselves.
#pragma once

#include "afxwin.h"

class CUiHookSink
{
public:
    typedef CArray<CUiHookSink*, CUiHookSink*> HookSinkArray_t;

    struct HookChains_t {
        HookSinkArray_t m_sinks;   // in call order
        HWND m_hWnd = NULL;
        WNDPROC m_pfnPrevWndProc = NULL;
    };

    explicit CUiHookSink(bool bEnableDetailedWndHooks = true);
    virtual ~CUiHookSink();

    virtual bool IsAutoDeleteHookWndSink();

    // The previous procedure of the current message's window, for use inside a notification.
    virtual LRESULT CallOriginalProcWithParams(WPARAM wParam, LPARAM lParam);
    virtual LRESULT CallOriginalProcWithMessage(UINT nMessage, WPARAM wParam, LPARAM lParam);
    virtual LRESULT CallOriginalProcForCurrent();

    // True: the message is handled with lResult and goes no further. Changes to wParam and
    // lParam are seen by the later sinks and the previous procedure.
    virtual bool DispatchHookedMessage(LRESULT& lResult, HWND hWnd, UINT nMessage, WPARAM& wParam,
                                       LPARAM& lParam);
    virtual bool OnHookCmdMsg(LRESULT& lResult, HWND hWnd, WORD nNotifyCode, WORD nID, HWND hWndCtrl);
    virtual bool OnHookNotifyMsg(LRESULT& lResult, HWND hWnd, WPARAM wParam, LPARAM lParam);
    virtual bool OnHookPaintMsg(LRESULT& lResult, HWND hWnd, WPARAM wParam);
    virtual bool OnHookEraseBackgroundMsg(LRESULT& lResult, HWND hWnd, HDC hDC);
    virtual bool OnHookPrintMsg(LRESULT& lResult, HWND hWnd, HDC hDC);
    virtual bool OnHookNcPaintMsg(LRESULT& lResult, HWND hWnd, HRGN hRgnUpdate);
    virtual void OnHookWndNcDestroy();
    virtual void OnHookWndAttach(HWND hWnd);
    virtual void OnHookWndDetach(HWND hWnd);

    // Attaches (at the end, or at the head) or detaches this sink. False for a null window and,
    // when attaching, for a handle that names no window.
    virtual bool InstallWindowHook(HWND hWnd, bool bRemove = false, bool bAddToHead = false);
    virtual void UnhookAllWindows();

    bool IsWindowHookedBySink(HWND hWnd);

protected:
    enum { kDispatchEnabled = 0x01 };
    BYTE m_nHookFlags;
};

// The process-wide map: window handle -> HookChains_t*.
CMapPtrToPtr& HookChainsMap();

LRESULT CALLBACK SharedHookWndProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam);
