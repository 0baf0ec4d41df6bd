#include "hooksink.h"

#include <vector>

namespace {

typedef CUiHookSink::HookChains_t Chain;

Chain* FindChain(HWND hWnd)
{
    void* p = NULL;
    if (hWnd == NULL || !HookChainsMap().Lookup(hWnd, p))
        return NULL;
    return static_cast<Chain*>(p);
}

INT_PTR IndexOfSink(const Chain* pChain, const CUiHookSink* pSink)
{
    for (INT_PTR i = 0; i < pChain->m_sinks.GetSize(); i++)
        if (pChain->m_sinks[i] == pSink)
            return i;
    return -1;
}

// The windows whose chains hold the sink. Compares pointers only, so it may be asked about
// a sink that is already gone.
std::vector<HWND> WindowsHookedBy(const CUiHookSink* pSink)
{
    std::vector<HWND> windows;
    CMapPtrToPtr& map = HookChainsMap();
    for (POSITION pos = map.GetStartPosition(); pos != NULL;) {
        void* pKey = NULL;
        void* pValue = NULL;
        map.GetNextAssoc(pos, pKey, pValue);
        if (IndexOfSink(static_cast<Chain*>(pValue), pSink) >= 0)
            windows.push_back(static_cast<HWND>(pKey));
    }
    return windows;
}

bool SinkIsInAnyChain(const CUiHookSink* pSink)
{
    return !WindowsHookedBy(pSink).empty();
}

// Takes the chain out of the map; the last one out frees the map's table.
void RemoveChain(HWND hWnd)
{
    CMapPtrToPtr& map = HookChainsMap();
    map.RemoveKey(hWnd);
    if (map.IsEmpty())
        map.RemoveAll();
}

// The current-message record holds this message until the procedure returns, whatever
// road it takes out.
class CurrentMessageScope
{
public:
    CurrentMessageScope(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam)
        : m_pRecord(AfxGetCurrentMessageRecord()), m_saved(*m_pRecord)
    {
        m_pRecord->hwnd = hWnd;
        m_pRecord->message = nMessage;
        m_pRecord->wParam = wParam;
        m_pRecord->lParam = lParam;
    }
    ~CurrentMessageScope() { *m_pRecord = m_saved; }

private:
    MSG* m_pRecord;
    MSG m_saved;
};

LRESULT OnNcDestroy(Chain* pChain, HWND hWnd, WPARAM wParam, LPARAM lParam)
{
    // Out of the map and unsubclassed first: nothing below can reach a chain on its way out.
    RemoveChain(hWnd);
    ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, (LONG_PTR)pChain->m_pfnPrevWndProc);
    std::vector<CUiHookSink*> sinks(pChain->m_sinks.GetData(),
                                    pChain->m_sinks.GetData() + pChain->m_sinks.GetSize());
    pChain->m_sinks.RemoveAll();
    for (CUiHookSink* pSink : sinks)
        pSink->OnHookWndNcDestroy();
    // A self-deleting sink that still watches another window lives on until it leaves that.
    for (CUiHookSink* pSink : sinks)
        if (pSink->IsAutoDeleteHookWndSink() && !SinkIsInAnyChain(pSink))
            delete pSink;
    LRESULT lResult = ::CallWindowProcA(pChain->m_pfnPrevWndProc, hWnd, WM_NCDESTROY, wParam, lParam);
    delete pChain;
    return lResult;
}

LRESULT CallPrevious(UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    const MSG* pMsg = AfxGetCurrentMessageRecord();
    Chain* pChain = FindChain(pMsg->hwnd);
    if (pChain == NULL)
        return 0;
    return ::CallWindowProcA(pChain->m_pfnPrevWndProc, pChain->m_hWnd, nMessage, wParam, lParam);
}

} // namespace

CMapPtrToPtr& HookChainsMap()
{
    static CMapPtrToPtr map(10);
    return map;
}

LRESULT CALLBACK SharedHookWndProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    CurrentMessageScope scope(hWnd, nMessage, wParam, lParam);
    Chain* pChain = FindChain(hWnd);
    if (pChain == NULL)
        return 0;
    if (nMessage == WM_NCDESTROY)
        return OnNcDestroy(pChain, hWnd, wParam, lParam);

    std::vector<CUiHookSink*> sinks(pChain->m_sinks.GetData(),
                                    pChain->m_sinks.GetData() + pChain->m_sinks.GetSize());
    for (CUiHookSink* pSink : sinks) {
        // A sink may have destroyed the window, or detached (and deleted) a sink, before now.
        if (FindChain(hWnd) != pChain)
            return 0;
        if (IndexOfSink(pChain, pSink) < 0)
            continue;
        LRESULT lResult = 0;
        if (pSink->DispatchHookedMessage(lResult, pChain->m_hWnd, nMessage, wParam, lParam))
            return lResult;
    }
    if (FindChain(hWnd) != pChain)
        return 0;
    return ::CallWindowProcA(pChain->m_pfnPrevWndProc, hWnd, nMessage, wParam, lParam);
}

CUiHookSink::CUiHookSink(bool bEnableDetailedWndHooks)
    : m_nHookFlags(bEnableDetailedWndHooks ? kDispatchEnabled : 0)
{
}

CUiHookSink::~CUiHookSink()
{
}

bool CUiHookSink::IsAutoDeleteHookWndSink()
{
    return false;
}

LRESULT CUiHookSink::CallOriginalProcWithParams(WPARAM wParam, LPARAM lParam)
{
    return CallPrevious(AfxGetCurrentMessageRecord()->message, wParam, lParam);
}

LRESULT CUiHookSink::CallOriginalProcWithMessage(UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    return CallPrevious(nMessage, wParam, lParam);
}

LRESULT CUiHookSink::CallOriginalProcForCurrent()
{
    const MSG* pMsg = AfxGetCurrentMessageRecord();
    return CallPrevious(pMsg->message, pMsg->wParam, pMsg->lParam);
}

bool CUiHookSink::DispatchHookedMessage(LRESULT& lResult, HWND hWnd, UINT nMessage, WPARAM& wParam,
                                        LPARAM& lParam)
{
    if ((m_nHookFlags & kDispatchEnabled) == 0)
        return false;
    switch (nMessage) {
    case WM_COMMAND:
        return OnHookCmdMsg(lResult, hWnd, HIWORD(wParam), LOWORD(wParam), (HWND)lParam);
    case WM_NOTIFY:
        return OnHookNotifyMsg(lResult, hWnd, wParam, lParam);
    case WM_PAINT:
        return OnHookPaintMsg(lResult, hWnd, wParam);
    case WM_ERASEBKGND:
        return OnHookEraseBackgroundMsg(lResult, hWnd, (HDC)wParam);
    case WM_PRINT:
        return OnHookPrintMsg(lResult, hWnd, (HDC)wParam);
    case WM_NCPAINT:
        return OnHookNcPaintMsg(lResult, hWnd, (HRGN)wParam);
    default:
        return false;
    }
}

bool CUiHookSink::OnHookCmdMsg(LRESULT&, HWND, WORD, WORD, HWND)
{
    return false;
}

bool CUiHookSink::OnHookNotifyMsg(LRESULT&, HWND, WPARAM, LPARAM)
{
    return false;
}

bool CUiHookSink::OnHookPaintMsg(LRESULT&, HWND, WPARAM)
{
    return false;
}

bool CUiHookSink::OnHookEraseBackgroundMsg(LRESULT&, HWND, HDC)
{
    return false;
}

bool CUiHookSink::OnHookPrintMsg(LRESULT&, HWND, HDC)
{
    return false;
}

bool CUiHookSink::OnHookNcPaintMsg(LRESULT&, HWND, HRGN)
{
    return false;
}

void CUiHookSink::OnHookWndNcDestroy()
{
}

void CUiHookSink::OnHookWndAttach(HWND)
{
}

void CUiHookSink::OnHookWndDetach(HWND)
{
}

bool CUiHookSink::InstallWindowHook(HWND hWnd, bool bRemove, bool bAddToHead)
{
    if (hWnd == NULL)
        return false;
    Chain* pChain = FindChain(hWnd);
    if (bRemove) {
        INT_PTR nIndex = pChain == NULL ? -1 : IndexOfSink(pChain, this);
        if (nIndex < 0)
            return true;
        OnHookWndDetach(hWnd);
        // The notification may have changed the chain: look again.
        pChain = FindChain(hWnd);
        nIndex = pChain == NULL ? -1 : IndexOfSink(pChain, this);
        if (nIndex >= 0)
            pChain->m_sinks.RemoveAt(nIndex);
        if (IsAutoDeleteHookWndSink() && !SinkIsInAnyChain(this))
            delete this;
        return true;
    }

    if (!::IsWindow(hWnd))
        return false;
    if (pChain != NULL && IndexOfSink(pChain, this) >= 0)
        return true;
    if (pChain == NULL) {
        pChain = new Chain;
        pChain->m_hWnd = hWnd;
        pChain->m_pfnPrevWndProc =
            (WNDPROC)::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, (LONG_PTR)SharedHookWndProc);
        HookChainsMap().SetAt(hWnd, pChain);
    }
    if (bAddToHead)
        pChain->m_sinks.InsertAt(0, this);
    else
        pChain->m_sinks.Add(this);
    OnHookWndAttach(hWnd);
    return true;
}

void CUiHookSink::UnhookAllWindows()
{
    // Collected first: detaching while walking the map is avoided.
    const std::vector<HWND> windows = WindowsHookedBy(this);
    // A self-deleting sink is gone after its last detach; a notification may detach it early.
    for (HWND hWnd : windows) {
        if (!SinkIsInAnyChain(this))
            break;
        InstallWindowHook(hWnd, true);
    }
}

bool CUiHookSink::IsWindowHookedBySink(HWND hWnd)
{
    Chain* pChain = FindChain(hWnd);
    return pChain != NULL && IndexOfSink(pChain, this) >= 0;
}
