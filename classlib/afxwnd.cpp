// CWnd's binding to its HWND, creation, the window procedure with its exception barrier,
// and message dispatch through the message maps.
#include "afxwnd.h"
#include "afxdc.h"
#include "afxmenu.h"
#include "afxapp.h"
#include "afxwinstate.h"
#include <list>
#include <mutex>
#include <string>

// ---------------------------------------------------------------------------------------
// Per-thread state. The object is never freed: the main thread's must outlive the static
// destructors (the application object may still own windows then).

AFX_WIN_THREAD_STATE* AFXAPI AfxGetWinThreadState()
{
    static thread_local AFX_WIN_THREAD_STATE* t_pState = nullptr;
    if (t_pState == nullptr)
        t_pState = new AFX_WIN_THREAD_STATE;
    return t_pState;
}

HWND AFXAPI AfxGetLockoutNotifyWindow()
{
    return AfxGetWinThreadState()->hLockoutNotifyWindow;
}

// ---------------------------------------------------------------------------------------
// Window classes.

namespace {
std::mutex g_classLock;
std::list<std::string> g_classNames;   // names handed out stay valid for the process
}

BOOL AFXAPI AfxRegisterClass(WNDCLASS* lpWndClass)
{
    WNDCLASS wndcls;
    if (::GetClassInfo(lpWndClass->hInstance, lpWndClass->lpszClassName, &wndcls))
        return TRUE;
    return ::RegisterClass(lpWndClass) != 0;
}

LPCTSTR AFXAPI AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground, HICON hIcon)
{
    HINSTANCE hInst = AfxGetInstanceHandle();
    char szName[96];
    wsprintfA(szName, "Afx:%p:%x:%p:%p:%p", (void*)hInst, nClassStyle, (void*)hCursor,
              (void*)hbrBackground, (void*)hIcon);

    std::lock_guard<std::mutex> lock(g_classLock);
    for (const std::string& s : g_classNames) {
        if (s == szName)
            return s.c_str();
    }
    g_classNames.emplace_back(szName);
    LPCSTR lpszName = g_classNames.back().c_str();
    WNDCLASS wndcls = {};
    wndcls.style = nClassStyle;
    wndcls.lpfnWndProc = ::DefWindowProc;
    wndcls.hInstance = hInst;
    wndcls.hIcon = hIcon;
    wndcls.hCursor = hCursor;
    wndcls.hbrBackground = hbrBackground;
    wndcls.lpszClassName = lpszName;
    if (!AfxRegisterClass(&wndcls)) {
        g_classNames.pop_back();
        AfxThrowResourceException();
    }
    return lpszName;
}

LPCTSTR AFXAPI AfxGetDefaultWndClass()
{
    static LPCTSTR s_lpszClass = nullptr;
    if (s_lpszClass == nullptr)
        s_lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(NULL, IDC_ARROW));
    return s_lpszClass;
}

BOOL AFXAPI AfxCompareClassName(HWND hWnd, LPCTSTR lpszClassName)
{
    char szTemp[64];
    if (!::GetClassNameA(hWnd, szTemp, (int)sizeof(szTemp)))
        return FALSE;
    return ::lstrcmpiA(szTemp, lpszClassName) == 0;
}

BOOL AFXAPI AfxIsDescendant(HWND hWndParent, HWND hWndChild)
{
    do {
        if (hWndParent == hWndChild)
            return TRUE;
        hWndChild = ::GetParent(hWndChild);
    } while (hWndChild != NULL);
    return FALSE;
}

// ---------------------------------------------------------------------------------------
// Creation hook: the system's CBT notification of a new window attaches the object waiting
// in the thread's slot and puts AfxWndProc in front of the class's procedure.

static LRESULT CALLBACK AfxCbtFilterHook(int code, WPARAM wParam, LPARAM lParam)
{
    AFX_WIN_THREAD_STATE* pState = AfxGetWinThreadState();
    if (code == HCBT_CREATEWND && pState->pWndInit != nullptr) {
        HWND hWnd = (HWND)wParam;
        // The system may create its input-method windows first; they are not ours.
        if (!AfxCompareClassName(hWnd, "IME") && !AfxCompareClassName(hWnd, "MSCTFIME UI")) {
            CWnd* pWndInit = pState->pWndInit;
            pState->pWndInit = nullptr;
            pWndInit->Attach(hWnd);
            // Called from inside the system's CreateWindowEx: nothing may unwind through it.
            try {
                pWndInit->PreSubclassWindow();
            } catch (CException* e) {
                AfxProcessWndProcException(e, nullptr);
                e->Delete();
            } catch (...) {
            }
            pWndInit->HookWindowProc();
        }
    }
    return ::CallNextHookEx(pState->hHookCbt, code, wParam, lParam);
}

void AFXAPI AfxHookWindowCreate(CWnd* pWnd)
{
    AFX_WIN_THREAD_STATE* pState = AfxGetWinThreadState();
    if (pState->hHookCbt == nullptr) {
        pState->hHookCbt = ::SetWindowsHookEx(WH_CBT, AfxCbtFilterHook, NULL, ::GetCurrentThreadId());
        if (pState->hHookCbt == nullptr)
            AfxThrowMemoryException();
    }
    pState->pWndInit = pWnd;
}

BOOL AFXAPI AfxUnhookWindowCreate()
{
    AFX_WIN_THREAD_STATE* pState = AfxGetWinThreadState();
    if (pState->pWndInit != nullptr) {
        pState->pWndInit = nullptr;
        return FALSE;
    }
    return TRUE;
}

// ---------------------------------------------------------------------------------------
// The window procedure and its barrier.

WNDPROC AFXAPI AfxGetAfxWndProc()
{
    return AfxWndProc;
}

LRESULT AFXAPI AfxProcessWndProcException(CException* e, const MSG* pMsg)
{
    LRESULT lResult = 0;
    if (pMsg != nullptr) {
        if (pMsg->message == WM_CREATE)
            lResult = -1;   // the creation fails
        else if (pMsg->message == WM_PAINT)
            ::ValidateRect(pMsg->hwnd, NULL);   // no endless repaint of a failing painter
    }
    // A user exception has been reported by whoever threw it.
    if (!e->IsKindOf(RUNTIME_CLASS(CUserException)))
        e->ReportError(MB_ICONSTOP);
    return lResult;
}

LRESULT AFXAPI AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    AFX_WIN_THREAD_STATE* pState = AfxGetWinThreadState();
    MSG oldState = pState->lastSentMsg;
    pState->lastSentMsg.hwnd = hWnd;
    pState->lastSentMsg.message = nMsg;
    pState->lastSentMsg.wParam = wParam;
    pState->lastSentMsg.lParam = lParam;

    LRESULT lResult = 0;
    try {
        lResult = pWnd->WindowProc(nMsg, wParam, lParam);
    } catch (CException* e) {
        lResult = AfxProcessWndProcException(e, &pState->lastSentMsg);
        e->Delete();
    } catch (...) {
        // Not one of ours: still never unwind into the system's code.
        CException unknown(FALSE);
        lResult = AfxProcessWndProcException(&unknown, &pState->lastSentMsg);
    }
    pState->lastSentMsg = oldState;
    return lResult;
}

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    if (nMsg == WM_QUERYAFXWNDPROC)
        return 1;
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (pWnd == nullptr)
        return ::DefWindowProc(hWnd, nMsg, wParam, lParam);
    LRESULT lResult = AfxCallWndProc(pWnd, hWnd, nMsg, wParam, lParam);
    if (nMsg == WM_NCDESTROY) {
        // A handler that did not pass WM_NCDESTROY on to CWnd: finish the unbinding here.
        CWnd* pStill = CWnd::FromHandlePermanent(hWnd);
        if (pStill != nullptr) {
            if (pStill->m_pfnSuper != nullptr)
                ::SetWindowLongPtr(hWnd, GWLP_WNDPROC, (LONG_PTR)pStill->m_pfnSuper);
            pStill->m_pfnSuper = pStill->m_pfnSuperW = nullptr;
            pStill->Detach();
            pStill->PostNcDestroy();
        }
    }
    return lResult;
}

// ---------------------------------------------------------------------------------------
// Handle maps.

static HWND AfxSafeHwndOf(const CWnd* pWnd)
{
    return pWnd == nullptr ? NULL : pWnd->m_hWnd;
}

CWnd* PASCAL CWnd::FromHandlePermanent(HWND hWnd)
{
    if (hWnd == NULL)
        return nullptr;
    return AfxGetWinThreadState()->wnds.LookupPermanent(hWnd);
}

CWnd* PASCAL CWnd::FromHandle(HWND hWnd)
{
    if (hWnd == NULL)
        return nullptr;
    return AfxGetWinThreadState()->wnds.FromHandle(hWnd, [hWnd] {
        CWnd* p = new CWnd;
        p->m_hWnd = hWnd;
        return p;
    });
}

void PASCAL CWnd::DeleteTempMap()
{
    AfxGetWinThreadState()->wnds.DeleteTemporaries([](CWnd* p) { p->m_hWnd = NULL; });
}

BOOL CWnd::Attach(HWND hWndNew)
{
    if (hWndNew == NULL || m_hWnd != NULL)
        return FALSE;
    AfxHandleMap<CWnd, HWND>& map = AfxGetWinThreadState()->wnds;
    if (map.LookupPermanent(hWndNew) != nullptr)
        return FALSE;
    map.SetPermanent(hWndNew, this);
    m_hWnd = hWndNew;
    return TRUE;
}

HWND CWnd::Detach()
{
    HWND hWnd = m_hWnd;
    if (hWnd != NULL)
        AfxGetWinThreadState()->wnds.RemovePermanent(hWnd, this);
    m_hWnd = NULL;
    return hWnd;
}

// ---------------------------------------------------------------------------------------
// Construction, creation, destruction.

IMPLEMENT_DYNCREATE(CWnd, CCmdTarget)

const CWnd CWnd::wndTop(HWND_TOP);
const CWnd CWnd::wndBottom(HWND_BOTTOM);
const CWnd CWnd::wndTopMost(HWND_TOPMOST);
const CWnd CWnd::wndNoTopMost(HWND_NOTOPMOST);

CWnd::CWnd()
    : m_hWnd(NULL), m_hWndOwner(NULL), m_nFlags(0), m_pfnSuper(nullptr), m_pfnSuperW(nullptr), m_nModalResult(0)
{
}

CWnd::CWnd(HWND hWnd)
    : m_hWnd(hWnd), m_hWndOwner(NULL), m_nFlags(0), m_pfnSuper(nullptr), m_pfnSuperW(nullptr), m_nModalResult(0)
{
}

static bool AfxIsSpecialWnd(const CWnd* p)
{
    return p == &CWnd::wndTop || p == &CWnd::wndBottom || p == &CWnd::wndTopMost ||
           p == &CWnd::wndNoTopMost;
}

CWnd::~CWnd()
{
    if (m_hWnd != NULL && !AfxIsSpecialWnd(this)) {
        AFX_WIN_THREAD_STATE* pState = AfxGetWinThreadState();
        if (pState->wnds.LookupPermanent(m_hWnd) == this) {
            // The object dies before its window: the window goes with it.
            HWND hWnd = m_hWnd;
            ::DestroyWindow(hWnd);
            if (m_hWnd != NULL) {
                // Could not be destroyed here (another thread's window): unbind it at least.
                if (::IsWindow(hWnd) && m_pfnSuper != nullptr &&
                    (WNDPROC)::GetWindowLongPtr(hWnd, GWLP_WNDPROC) == AfxWndProc)
                    ::SetWindowLongPtr(hWnd, GWLP_WNDPROC, (LONG_PTR)m_pfnSuper);
                Detach();
            }
        } else {
            pState->wnds.RetireTemporary(m_hWnd, this);
        }
    }
}

BOOL CWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (cs.lpszClass == NULL)
        cs.lpszClass = AfxGetDefaultWndClass();
    return TRUE;
}

void CWnd::PreSubclassWindow()
{
}

void CWnd::PostNcDestroy()
{
}

void CWnd::CalcWindowRect(LPRECT lpClientRect, UINT nAdjustType)
{
    DWORD dwExStyle = GetExStyle();
    if (nAdjustType == 0)
        dwExStyle &= ~WS_EX_CLIENTEDGE;
    ::AdjustWindowRectEx(lpClientRect, GetStyle(), FALSE, dwExStyle);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                    int x, int y, int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu,
                    LPVOID lpParam)
{
    if (m_hWnd != NULL)
        return FALSE;
    CREATESTRUCT cs;
    cs.dwExStyle = dwExStyle;
    cs.lpszClass = lpszClassName;
    cs.lpszName = lpszWindowName;
    cs.style = dwStyle;
    cs.x = x;
    cs.y = y;
    cs.cx = nWidth;
    cs.cy = nHeight;
    cs.hwndParent = hWndParent;
    cs.hMenu = nIDorHMenu;
    cs.hInstance = AfxGetInstanceHandle();
    cs.lpCreateParams = lpParam;

    if (!PreCreateWindow(cs)) {
        PostNcDestroy();
        return FALSE;
    }
    AfxHookWindowCreate(this);
    HWND hWnd = ::CreateWindowEx(cs.dwExStyle, cs.lpszClass, cs.lpszName, cs.style, cs.x, cs.y,
                                 cs.cx, cs.cy, cs.hwndParent, cs.hMenu, cs.hInstance,
                                 cs.lpCreateParams);
    // Never attached: the object gets its clean-up call here (it got none from a window).
    if (!AfxUnhookWindowCreate())
        PostNcDestroy();
    return hWnd != NULL;
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                    const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam)
{
    return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top,
                    rect.right - rect.left, rect.bottom - rect.top, AfxSafeHwndOf(pParentWnd),
                    (HMENU)(UINT_PTR)nID, lpParam);
}

BOOL CWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                  CWnd* pParentWnd, UINT nID, CCreateContext* pContext)
{
    return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect, pParentWnd, nID,
                    (LPVOID)pContext);
}

BOOL CWnd::DestroyWindow()
{
    if (m_hWnd == NULL)
        return FALSE;
    AFX_WIN_THREAD_STATE* pState = AfxGetWinThreadState();
    HWND hWndOrig = m_hWnd;
    if (pState->wnds.LookupPermanent(hWndOrig) == this) {
        // WM_NCDESTROY unbinds the object and may delete it: 'this' is not touched after.
        return ::DestroyWindow(hWndOrig);
    }
    BOOL bResult = ::DestroyWindow(hWndOrig);
    if (bResult && !pState->wnds.RetireTemporary(hWndOrig, this))
        m_hWnd = NULL;
    return bResult;
}

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    if (!Attach(hWnd))
        return FALSE;
    PreSubclassWindow();
    HookWindowProc();
    return TRUE;
}

void CWnd::HookWindowProc()
{
    // A system control's procedure taken by its wide-character name before it is replaced: a
    // double-byte character reaches it whole only through that one (DefWindowProc).
    WNDPROC pfnOldW = (WNDPROC)::GetWindowLongPtrW(m_hWnd, GWLP_WNDPROC);
    WNDPROC pfnOld = (WNDPROC)::SetWindowLongPtr(m_hWnd, GWLP_WNDPROC, (LONG_PTR)AfxWndProc);
    if (pfnOld != AfxWndProc) {
        m_pfnSuper = pfnOld;
        m_pfnSuperW = pfnOldW;
    }
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent)
{
    HWND hWndControl = ::GetDlgItem(AfxSafeHwndOf(pParent), (int)nID);
    if (hWndControl == NULL)
        return FALSE;
    return SubclassWindow(hWndControl);
}

HWND CWnd::UnsubclassWindow()
{
    if (m_hWnd == NULL)
        return NULL;
    if (m_pfnSuper != nullptr)
        ::SetWindowLongPtr(m_hWnd, GWLP_WNDPROC, (LONG_PTR)m_pfnSuper);
    m_pfnSuper = m_pfnSuperW = nullptr;
    return Detach();
}

// ---------------------------------------------------------------------------------------
// Dispatch.

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = 0;
    if (!OnWndMsg(message, wParam, lParam, &lResult))
        lResult = DefWindowProc(message, wParam, lParam);
    return lResult;
}

LRESULT CWnd::DefWindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnSuper != nullptr) {
        WCHAR wch = 0;
        if (nMsg == WM_CHAR && m_pfnSuperW != nullptr && TakeSuperDoubleByte(wParam, wch))
            return wch != 0 ? ::CallWindowProcW(m_pfnSuperW, m_hWnd, WM_CHAR, wch, lParam) : 0;
        return ::CallWindowProc(m_pfnSuper, m_hWnd, nMsg, wParam, lParam);
    }
    return ::DefWindowProc(m_hWnd, nMsg, wParam, lParam);
}

bool CWnd::TakeSuperDoubleByte(WPARAM wParam, WCHAR& wch)
{
    // A system control's ANSI procedure would take the two bytes of a double-byte character
    // as two characters (Wine's edit makes the lead byte 「・」): the lead byte is kept here and
    // the character goes to the wide-character procedure once its trail byte comes.
    AFX_WIN_THREAD_STATE* pState = AfxGetWinThreadState();
    const BYTE byLead = pState->hWndSuperLead == m_hWnd ? pState->bySuperLead : 0;
    pState->hWndSuperLead = NULL;
    wch = 0;
    if (byLead != 0)
        return AfxWideCharOfBytes(byLead, wParam, wch);
    if (!AfxIsLeadByteChar(wParam))
        return false;
    pState->hWndSuperLead = m_hWnd;
    pState->bySuperLead = LOBYTE(wParam);
    return true;
}

LRESULT CWnd::Default()
{
    const MSG* pMsg = &AfxGetWinThreadState()->lastSentMsg;
    return DefWindowProc(pMsg->message, pMsg->wParam, pMsg->lParam);
}

MSG* AFXAPI AfxGetCurrentMessageRecord()
{
    return &AfxGetWinThreadState()->lastSentMsg;
}

void AFXAPI AfxGetPermanentChildren(HWND hWndParent, CArray<HWND, HWND>& children)
{
    children.RemoveAll();
    if (hWndParent == NULL)
        return;
    // A window that is gone has no parent, and a popup's is the desktop.
    for (const auto& entry : AfxGetWinThreadState()->wnds.perm) {
        if (::GetAncestor(entry.first, GA_PARENT) == hWndParent)
            children.Add(entry.first);
    }
}

const MSG* PASCAL CWnd::GetCurrentMessage()
{
    MSG* pMsg = &AfxGetWinThreadState()->lastSentMsg;
    pMsg->time = ::GetMessageTime();
    DWORD dwPos = ::GetMessagePos();
    pMsg->pt.x = (short)LOWORD(dwPos);
    pMsg->pt.y = (short)HIWORD(dwPos);
    return pMsg;
}

static const AFX_MSGMAP_ENTRY* AfxFindWndEntry(const AFX_MSGMAP* pMap, UINT nMsg)
{
    for (; pMap->pfnGetBaseMap != nullptr; pMap = pMap->pfnGetBaseMap()) {
        const AFX_MSGMAP_ENTRY* p = CCmdTarget::FindMessageEntry(pMap->lpEntries, nMsg, 0, 0);
        if (p != nullptr)
            return p;
    }
    return nullptr;
}

static const AFX_MSGMAP_ENTRY* AfxFindRegisteredEntry(const AFX_MSGMAP* pMap, UINT nMsg)
{
    for (; pMap->pfnGetBaseMap != nullptr; pMap = pMap->pfnGetBaseMap()) {
        for (const AFX_MSGMAP_ENTRY* p = pMap->lpEntries; p->nSig != AfxSig_end; ++p) {
            if (p->nMessage == 0xC000 && *(const UINT*)p->nSig == nMsg)
                return p;
        }
    }
    return nullptr;
}

// The child window a parent offers a message to before handling it itself.
static HWND AfxReflectTarget(CWnd* pWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_DRAWITEM: {
        LPDRAWITEMSTRUCT p = (LPDRAWITEMSTRUCT)lParam;
        return p->CtlType == ODT_MENU ? NULL : p->hwndItem;
    }
    case WM_MEASUREITEM: {
        LPMEASUREITEMSTRUCT p = (LPMEASUREITEMSTRUCT)lParam;
        if (p->CtlType == ODT_MENU)
            return NULL;
        CWnd* pChild = pWnd->GetDescendantWindow((int)p->CtlID, TRUE);
        return AfxSafeHwndOf(pChild);
    }
    case WM_DELETEITEM:
        return ((LPDELETEITEMSTRUCT)lParam)->hwndItem;
    case WM_COMPAREITEM:
        return ((LPCOMPAREITEMSTRUCT)lParam)->hwndItem;
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_HSCROLL:
    case WM_VSCROLL:
        return (HWND)lParam;
    default:
        if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC)
            return (HWND)lParam;
        return NULL;
    }
    (void)wParam;
}

BOOL AFXAPI AfxReflectToChild(HWND hWndChild, UINT message, WPARAM wParam, LPARAM lParam,
                              LRESULT* pResult)
{
    CWnd* pChild = CWnd::FromHandlePermanent(hWndChild);
    if (pChild == nullptr)
        return FALSE;
    return pChild->OnChildNotify(message, wParam, lParam, pResult);
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    LRESULT lResult = 0;
    const AFX_MSGMAP* pMap = GetMessageMap();
    const AFX_MSGMAP_ENTRY* lpEntry = nullptr;
    UINT nCtlType = 0;

    if (message == WM_COMMAND) {
        if (!OnCommand(wParam, lParam))
            return FALSE;
        lResult = 1;
        goto LReturnTrue;
    }
    if (message == WM_NOTIFY) {
        NMHDR* pNMHDR = (NMHDR*)lParam;
        if (pNMHDR->hwndFrom != NULL && OnNotify(wParam, lParam, &lResult))
            goto LReturnTrue;
        return FALSE;
    }

    if (message >= 0xC000) {
        lpEntry = AfxFindRegisteredEntry(pMap, message);
        if (lpEntry == nullptr)
            return FALSE;
        lResult = (this->*reinterpret_cast<LRESULT (CWnd::*)(WPARAM, LPARAM)>((AFX_PMSGW)lpEntry->pfn))(wParam, lParam);
        goto LReturnTrue;
    }

    if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) {
        nCtlType = message - WM_CTLCOLORMSGBOX;
        lpEntry = AfxFindWndEntry(pMap, WM_CTLCOLOR);
    } else if (message >= WM_REFLECT_BASE + WM_CTLCOLORMSGBOX &&
               message <= WM_REFLECT_BASE + WM_CTLCOLORSTATIC) {
        // A parent reflects a colour request: a NULL brush leaves it to the parent.
        nCtlType = message - (WM_REFLECT_BASE + WM_CTLCOLORMSGBOX);
        lpEntry = AfxFindWndEntry(pMap, WM_REFLECT_BASE + WM_CTLCOLOR);
        if (lpEntry == nullptr)
            return FALSE;
        HBRUSH hbr = (this->*reinterpret_cast<HBRUSH (CWnd::*)(CDC*, UINT)>((AFX_PMSGW)lpEntry->pfn))(
            CDC::FromHandle((HDC)wParam), nCtlType);
        if (hbr == NULL)
            return FALSE;
        lResult = (LRESULT)hbr;
        goto LReturnTrue;
    } else {
        lpEntry = AfxFindWndEntry(pMap, message);
    }

    if (lpEntry == nullptr) {
        // Unhandled here: controls get their own notifications back before the default.
        HWND hWndChild = AfxReflectTarget(this, message, wParam, lParam);
        if (hWndChild != NULL && hWndChild != m_hWnd &&
            AfxReflectToChild(hWndChild, message, wParam, lParam, &lResult))
            goto LReturnTrue;
        if (message == WM_DRAWITEM && ((LPDRAWITEMSTRUCT)lParam)->CtlType == ODT_MENU) {
            CMenu* pMenu = CMenu::FromHandlePermanent((HMENU)((LPDRAWITEMSTRUCT)lParam)->hwndItem);
            if (pMenu != nullptr) {
                pMenu->DrawItem((LPDRAWITEMSTRUCT)lParam);
                lResult = TRUE;
                goto LReturnTrue;
            }
        }
        return FALSE;
    }

    {
        AFX_PMSGW pfn = (AFX_PMSGW)lpEntry->pfn;
        switch (lpEntry->nSig) {
        case AfxSig_l_w_l:
            lResult = (this->*reinterpret_cast<LRESULT (CWnd::*)(WPARAM, LPARAM)>(pfn))(wParam, lParam);
            break;
        case AfxSig_v_w_l:
            (this->*reinterpret_cast<void (CWnd::*)(WPARAM, LPARAM)>(pfn))(wParam, lParam);
            break;
        case AfxSig_v_v:
        case AfxSig_v_v_reflect:
            (this->*pfn)();
            break;
        case AfxSig_b_v:
            lResult = (this->*reinterpret_cast<BOOL (CWnd::*)()>(pfn))();
            break;
        case AfxSig_u_v:
            lResult = (this->*reinterpret_cast<UINT (CWnd::*)()>(pfn))();
            break;
        case AfxSig_l_v:
            lResult = (this->*reinterpret_cast<LRESULT (CWnd::*)()>(pfn))();
            break;
        case AfxSig_hc_v:
            lResult = (LRESULT)(this->*reinterpret_cast<HCURSOR (CWnd::*)()>(pfn))();
            break;
        case AfxSig_i_CREATE:
            lResult = (this->*reinterpret_cast<int (CWnd::*)(LPCREATESTRUCT)>(pfn))((LPCREATESTRUCT)lParam);
            break;
        case AfxSig_b_CREATE:
            lResult = (this->*reinterpret_cast<BOOL (CWnd::*)(LPCREATESTRUCT)>(pfn))((LPCREATESTRUCT)lParam);
            break;
        case AfxSig_v_u_size:
            (this->*reinterpret_cast<void (CWnd::*)(UINT, int, int)>(pfn))((UINT)wParam, LOWORD(lParam), HIWORD(lParam));
            break;
        case AfxSig_v_i_i_move:
            (this->*reinterpret_cast<void (CWnd::*)(int, int)>(pfn))((short)LOWORD(lParam), (short)HIWORD(lParam));
            break;
        case AfxSig_v_u_pt:
            (this->*reinterpret_cast<void (CWnd::*)(UINT, CPoint)>(pfn))((UINT)wParam, CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)));
            break;
        case AfxSig_b_u_s_pt:
            lResult = (this->*reinterpret_cast<BOOL (CWnd::*)(UINT, short, CPoint)>(pfn))(
                LOWORD(wParam), (short)HIWORD(wParam), CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)));
            break;
        case AfxSig_v_u_u_u:
            (this->*reinterpret_cast<void (CWnd::*)(UINT, UINT, UINT)>(pfn))((UINT)wParam, LOWORD(lParam), HIWORD(lParam));
            break;
        case AfxSig_v_W:
            (this->*reinterpret_cast<void (CWnd::*)(CWnd*)>(pfn))(CWnd::FromHandle(message == WM_CAPTURECHANGED ? (HWND)lParam : (HWND)wParam));
            break;
        case AfxSig_v_W_pt:
            (this->*reinterpret_cast<void (CWnd::*)(CWnd*, CPoint)>(pfn))(CWnd::FromHandle((HWND)wParam), CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)));
            break;
        case AfxSig_b_D:
            lResult = (this->*reinterpret_cast<BOOL (CWnd::*)(CDC*)>(pfn))(CDC::FromHandle((HDC)wParam));
            break;
        case AfxSig_v_D:
            (this->*reinterpret_cast<void (CWnd::*)(CDC*)>(pfn))(CDC::FromHandle((HDC)wParam));
            break;
        case AfxSig_v_up:
            (this->*reinterpret_cast<void (CWnd::*)(UINT_PTR)>(pfn))((UINT_PTR)wParam);
            break;
        case AfxSig_v_u_u_SB:
            (this->*reinterpret_cast<void (CWnd::*)(UINT, UINT, CScrollBar*)>(pfn))(
                LOWORD(wParam), HIWORD(wParam), (CScrollBar*)CWnd::FromHandle((HWND)lParam));
            break;
        case AfxSig_v_u_u:
            (this->*reinterpret_cast<void (CWnd::*)(UINT, UINT)>(pfn))(LOWORD(wParam), HIWORD(wParam));
            break;
        case AfxSig_b_W_u_u:
            lResult = (this->*reinterpret_cast<BOOL (CWnd::*)(CWnd*, UINT, UINT)>(pfn))(
                CWnd::FromHandle((HWND)wParam), LOWORD(lParam), HIWORD(lParam));
            break;
        case AfxSig_h_D_W_u:
            lResult = (LRESULT)(this->*reinterpret_cast<HBRUSH (CWnd::*)(CDC*, CWnd*, UINT)>(pfn))(
                CDC::FromHandle((HDC)wParam), CWnd::FromHandle((HWND)lParam), nCtlType);
            break;
        case AfxSig_v_i_DRAW:
            (this->*reinterpret_cast<void (CWnd::*)(int, LPDRAWITEMSTRUCT)>(pfn))((int)wParam, (LPDRAWITEMSTRUCT)lParam);
            lResult = TRUE;
            break;
        case AfxSig_v_i_MEASURE:
            (this->*reinterpret_cast<void (CWnd::*)(int, LPMEASUREITEMSTRUCT)>(pfn))((int)wParam, (LPMEASUREITEMSTRUCT)lParam);
            lResult = TRUE;
            break;
        case AfxSig_v_DRAW:
            (this->*reinterpret_cast<void (CWnd::*)(LPDRAWITEMSTRUCT)>(pfn))((LPDRAWITEMSTRUCT)lParam);
            lResult = TRUE;
            break;
        case AfxSig_v_MEASURE:
            (this->*reinterpret_cast<void (CWnd::*)(LPMEASUREITEMSTRUCT)>(pfn))((LPMEASUREITEMSTRUCT)lParam);
            lResult = TRUE;
            break;
        case AfxSig_v_POS:
            (this->*reinterpret_cast<void (CWnd::*)(WINDOWPOS*)>(pfn))((WINDOWPOS*)lParam);
            break;
        case AfxSig_v_b_NCCALC:
            (this->*reinterpret_cast<void (CWnd::*)(BOOL, NCCALCSIZE_PARAMS*)>(pfn))((BOOL)wParam, (NCCALCSIZE_PARAMS*)lParam);
            break;
        case AfxSig_l_pt:
            lResult = (this->*reinterpret_cast<LRESULT (CWnd::*)(CPoint)>(pfn))(CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)));
            break;
        case AfxSig_v_b_dw:
            (this->*reinterpret_cast<void (CWnd::*)(BOOL, DWORD)>(pfn))((BOOL)wParam, (DWORD)lParam);
            break;
        case AfxSig_v_u_W_b:
            (this->*reinterpret_cast<void (CWnd::*)(UINT, CWnd*, BOOL)>(pfn))(
                LOWORD(wParam), CWnd::FromHandle((HWND)lParam), (BOOL)HIWORD(wParam));
            break;
        case AfxSig_b_b:
            lResult = (this->*reinterpret_cast<BOOL (CWnd::*)(BOOL)>(pfn))((BOOL)wParam);
            break;
        case AfxSig_i_W_u_u:
            lResult = (this->*reinterpret_cast<int (CWnd::*)(CWnd*, UINT, UINT)>(pfn))(
                CWnd::FromHandle((HWND)wParam), LOWORD(lParam), HIWORD(lParam));
            break;
        case AfxSig_v_u_sz:
            (this->*reinterpret_cast<void (CWnd::*)(UINT, LPCTSTR)>(pfn))((UINT)wParam, (LPCTSTR)lParam);
            break;
        case AfxSig_v_b_u:
            (this->*reinterpret_cast<void (CWnd::*)(BOOL, UINT)>(pfn))((BOOL)wParam, (UINT)lParam);
            break;
        case AfxSig_v_u_l:
            (this->*reinterpret_cast<void (CWnd::*)(UINT, LPARAM)>(pfn))((UINT)wParam, lParam);
            break;
        case AfxSig_v_b:
            (this->*reinterpret_cast<void (CWnd::*)(BOOL)>(pfn))((BOOL)wParam);
            break;
        case AfxSig_v_MINMAX:
            (this->*reinterpret_cast<void (CWnd::*)(MINMAXINFO*)>(pfn))((MINMAXINFO*)lParam);
            break;
        case AfxSig_v_HDROP:
            (this->*reinterpret_cast<void (CWnd::*)(HDROP)>(pfn))((HDROP)wParam);
            break;
        case AfxSig_v_M_u_b:
            (this->*reinterpret_cast<void (CWnd::*)(CMenu*, UINT, BOOL)>(pfn))(
                CMenu::FromHandle((HMENU)wParam), LOWORD(lParam), (BOOL)HIWORD(lParam));
            break;
        case AfxSig_v_M:
            (this->*reinterpret_cast<void (CWnd::*)(CMenu*)>(pfn))(CMenu::FromHandle((HMENU)wParam));
            break;
        case AfxSig_v_u_u_M:
            (this->*reinterpret_cast<void (CWnd::*)(UINT, UINT, HMENU)>(pfn))(LOWORD(wParam), HIWORD(wParam), (HMENU)lParam);
            break;
        case AfxSig_v_b_W_W:
            (this->*reinterpret_cast<void (CWnd::*)(BOOL, CWnd*, CWnd*)>(pfn))(
                (HWND)lParam == m_hWnd, CWnd::FromHandle((HWND)lParam), CWnd::FromHandle((HWND)wParam));
            break;
        case AfxSig_v_u_R:
            (this->*reinterpret_cast<void (CWnd::*)(UINT, LPRECT)>(pfn))((UINT)wParam, (LPRECT)lParam);
            lResult = TRUE;
            break;
        case AfxSig_v_i_STYLE:
            (this->*reinterpret_cast<void (CWnd::*)(int, LPSTYLESTRUCT)>(pfn))((int)wParam, (LPSTYLESTRUCT)lParam);
            break;
        case AfxSig_b_HELPINFO:
            lResult = (this->*reinterpret_cast<BOOL (CWnd::*)(HELPINFO*)>(pfn))((HELPINFO*)lParam);
            break;
        case AfxSig_v_u_W:
            (this->*reinterpret_cast<void (CWnd::*)(UINT, CWnd*)>(pfn))((UINT)wParam, CWnd::FromHandle((HWND)lParam));
            break;
        case AfxSig_v_u_i_i:
            (this->*reinterpret_cast<void (CWnd::*)(UINT, int, int)>(pfn))((UINT)wParam, LOWORD(lParam), HIWORD(lParam));
            break;
        case AfxSig_i_u_W_u:
            lResult = (this->*reinterpret_cast<int (CWnd::*)(UINT, CListBox*, UINT)>(pfn))(
                LOWORD(wParam), (CListBox*)CWnd::FromHandle((HWND)lParam), HIWORD(wParam));
            break;
        case AfxSig_l_u_u_M:
            lResult = (this->*reinterpret_cast<LRESULT (CWnd::*)(UINT, UINT, CMenu*)>(pfn))(
                LOWORD(wParam), HIWORD(wParam), CMenu::FromHandle((HMENU)lParam));
            break;
        default:
            return FALSE;
        }
    }

LReturnTrue:
    if (pResult != nullptr)
        *pResult = lResult;
    return TRUE;
}

// A command from a menu, an accelerator or a control.
namespace {
class CTestCmdUI : public CCmdUI {
public:
    BOOL m_bEnabled = TRUE;
    void Enable(BOOL bOn) override
    {
        m_bEnabled = bOn;
        m_bEnableChanged = TRUE;
    }
    void SetCheck(int) override {}
    void SetRadio(BOOL) override {}
    void SetText(LPCTSTR) override {}
};
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    UINT nID = LOWORD(wParam);
    HWND hWndCtrl = (HWND)lParam;
    int nCode = HIWORD(wParam);

    if (hWndCtrl == NULL) {
        if (nID == 0)
            return FALSE;
        // A menu item or accelerator whose command has been disabled since it was shown
        // does nothing.
        CTestCmdUI state;
        state.m_nID = nID;
        OnCmdMsg(nID, (int)CN_UPDATE_COMMAND_UI, &state, NULL);
        if (!state.m_bEnabled)
            return TRUE;
        nCode = CN_COMMAND;
    } else {
        if (AfxGetLockoutNotifyWindow() == m_hWnd)
            return TRUE;
        if (AfxReflectToChild(hWndCtrl, WM_COMMAND, wParam, lParam, NULL))
            return TRUE;
        if (nID == 0)
            return FALSE;
    }
    return OnCmdMsg(nID, nCode, NULL, NULL);
}

BOOL CWnd::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    NMHDR* pNMHDR = (NMHDR*)lParam;
    HWND hWndCtrl = pNMHDR->hwndFrom;
    UINT nID = (UINT)::GetDlgCtrlID(hWndCtrl);
    int nCode = (int)pNMHDR->code;

    if (AfxGetLockoutNotifyWindow() == m_hWnd)
        return TRUE;
    if (AfxReflectToChild(hWndCtrl, WM_NOTIFY, wParam, lParam, pResult))
        return TRUE;
    AFX_NOTIFY notify;
    notify.pResult = pResult;
    notify.pNMHDR = pNMHDR;
    return OnCmdMsg(nID, MAKELONG(nCode, WM_NOTIFY), &notify, NULL);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    return ReflectChildNotify(message, wParam, lParam, pResult);
}

BOOL CWnd::ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    LRESULT lLocal = 0;
    if (pResult == nullptr)
        pResult = &lLocal;
    switch (message) {
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_PARENTNOTIFY:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_DELETEITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_COMPAREITEM:
        return CWnd::OnWndMsg(WM_REFLECT_BASE + message, wParam, lParam, pResult);
    case WM_COMMAND: {
        int nCode = HIWORD(wParam);
        if (CCmdTarget::OnCmdMsg(0, MAKELONG(nCode, WM_REFLECT_BASE + WM_COMMAND), NULL, NULL)) {
            *pResult = 1;
            return TRUE;
        }
        return FALSE;
    }
    case WM_NOTIFY: {
        NMHDR* pNMHDR = (NMHDR*)lParam;
        AFX_NOTIFY notify;
        notify.pResult = pResult;
        notify.pNMHDR = pNMHDR;
        return CCmdTarget::OnCmdMsg(0, MAKELONG((int)pNMHDR->code, WM_REFLECT_BASE + WM_NOTIFY), &notify, NULL);
    }
    default:
        if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC)
            return CWnd::OnWndMsg(WM_REFLECT_BASE + message, wParam, lParam, pResult);
        return FALSE;
    }
}

BOOL PASCAL CWnd::ReflectLastMsg(HWND hWndChild, LRESULT* pResult)
{
    const MSG* pMsg = &AfxGetWinThreadState()->lastSentMsg;
    return AfxReflectToChild(hWndChild, pMsg->message, pMsg->wParam, pMsg->lParam, pResult);
}

BOOL CWnd::SendChildNotifyLastMsg(LRESULT* pResult)
{
    const MSG* pMsg = &AfxGetWinThreadState()->lastSentMsg;
    return OnChildNotify(pMsg->message, pMsg->wParam, pMsg->lParam, pResult);
}

BOOL CWnd::PreTranslateMessage(MSG* pMsg)
{
    if (m_nFlags & WF_TOOLTIPS)
        FilterToolTipMessage(pMsg);
    return FALSE;
}

BOOL CWnd::PreTranslateInput(LPMSG lpMsg)
{
    if ((lpMsg->message < WM_KEYFIRST || lpMsg->message > WM_KEYLAST) &&
        (lpMsg->message < WM_MOUSEFIRST || lpMsg->message > WM_MOUSELAST))
        return FALSE;
    return ::IsDialogMessage(m_hWnd, lpMsg);
}

BOOL PASCAL CWnd::WalkPreTranslateTree(HWND hWndStop, MSG* pMsg)
{
    for (HWND hWnd = pMsg->hwnd; hWnd != NULL; hWnd = ::GetParent(hWnd)) {
        CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
        if (pWnd != nullptr && pWnd->PreTranslateMessage(pMsg))
            return TRUE;
        if (hWnd == hWndStop)
            break;
    }
    return FALSE;
}

CScrollBar* CWnd::GetScrollBarCtrl(int) const
{
    return nullptr;
}

// ---------------------------------------------------------------------------------------
// Handlers with more than default processing.

void CWnd::OnNcDestroy()
{
    // The application's or the thread's main window is going: the thread's loop ends.
    CWinThread* pThread = AfxGetThread();
    if (pThread != nullptr) {
        if (pThread->m_pMainWnd == this) {
            if (pThread == AfxGetApp())
                ::PostQuitMessage(0);
            pThread->m_pMainWnd = nullptr;
        }
        if (pThread->m_pActiveWnd == this)
            pThread->m_pActiveWnd = nullptr;
    }
    CWinApp* pApp = AfxGetApp();
    if (pApp != nullptr && pApp->m_pMainWnd == this)
        pApp->m_pMainWnd = nullptr;
    AfxToolTipWindowGone(m_hWnd);

    WNDPROC pfnWndProc = (WNDPROC)::GetWindowLongPtr(m_hWnd, GWLP_WNDPROC);
    Default();
    if ((WNDPROC)::GetWindowLongPtr(m_hWnd, GWLP_WNDPROC) == pfnWndProc && m_pfnSuper != nullptr)
        ::SetWindowLongPtr(m_hWnd, GWLP_WNDPROC, (LONG_PTR)m_pfnSuper);
    m_pfnSuper = m_pfnSuperW = nullptr;
    Detach();
    PostNcDestroy();
}

HBRUSH CWnd::OnCtlColor(CDC*, CWnd* pWnd, UINT)
{
    LRESULT lResult = 0;
    if (pWnd != nullptr && pWnd->m_hWnd != m_hWnd && pWnd->SendChildNotifyLastMsg(&lResult))
        return (HBRUSH)lResult;
    return (HBRUSH)Default();
}

void CWnd::OnDrawItem(int, LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    if (lpDrawItemStruct->CtlType == ODT_MENU) {
        CMenu* pMenu = CMenu::FromHandlePermanent((HMENU)lpDrawItemStruct->hwndItem);
        if (pMenu != nullptr) {
            pMenu->DrawItem(lpDrawItemStruct);
            return;
        }
    } else if (ReflectLastMsg(lpDrawItemStruct->hwndItem)) {
        return;
    }
    Default();
}

void CWnd::OnMeasureItem(int, LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    if (lpMeasureItemStruct->CtlType != ODT_MENU) {
        CWnd* pChild = GetDescendantWindow((int)lpMeasureItemStruct->CtlID, TRUE);
        if (pChild != nullptr && pChild->SendChildNotifyLastMsg())
            return;
    }
    Default();
}

void CWnd::OnHScroll(UINT, UINT, CScrollBar* pScrollBar)
{
    if (pScrollBar != nullptr && ReflectLastMsg(((CWnd*)pScrollBar)->m_hWnd))
        return;
    Default();
}

void CWnd::OnVScroll(UINT, UINT, CScrollBar* pScrollBar)
{
    if (pScrollBar != nullptr && ReflectLastMsg(((CWnd*)pScrollBar)->m_hWnd))
        return;
    Default();
}

int CWnd::OnVKeyToItem(UINT, CListBox* pListBox, UINT)
{
    LRESULT lResult = 0;
    if (pListBox != nullptr && ReflectLastMsg(((CWnd*)pListBox)->m_hWnd, &lResult))
        return (int)lResult;
    return (int)Default();
}

int CWnd::OnCharToItem(UINT, CListBox* pListBox, UINT)
{
    LRESULT lResult = 0;
    if (pListBox != nullptr && ReflectLastMsg(((CWnd*)pListBox)->m_hWnd, &lResult))
        return (int)lResult;
    return (int)Default();
}

// ---------------------------------------------------------------------------------------
// The message map of CWnd: only the clean-up that must run for every window.

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
    ON_WM_NCDESTROY()
END_MESSAGE_MAP()
