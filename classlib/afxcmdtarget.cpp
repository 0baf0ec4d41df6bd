// Command targets: message-map lookup, command dispatch by handler shape, the command-UI
// update of one item, and the wait cursor.
#include "afxwnd.h"
#include "afxmenu.h"
#include "afxapp.h"
#include "afxwinstate.h"

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

CCmdTarget::CCmdTarget()
{
}

CCmdTarget::~CCmdTarget()
{
}

const AFX_MSGMAP* PASCAL CCmdTarget::GetThisMessageMap()
{
    static const AFX_MSGMAP_ENTRY _messageEntries[] = {{0, 0, 0, 0, AfxSig_end, (AFX_PMSG)0}};
    static const AFX_MSGMAP messageMap = {nullptr, &_messageEntries[0]};
    return &messageMap;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const
{
    return GetThisMessageMap();
}

const AFX_MSGMAP_ENTRY* PASCAL CCmdTarget::FindMessageEntry(const AFX_MSGMAP_ENTRY* lpEntry,
                                                             UINT nMsg, UINT nCode, UINT nID)
{
    for (; lpEntry->nSig != AfxSig_end; ++lpEntry) {
        if (lpEntry->nMessage == nMsg && lpEntry->nCode == nCode && nID >= lpEntry->nID &&
            nID <= lpEntry->nLastID)
            return lpEntry;
    }
    return nullptr;
}

static BOOL AfxDispatchCmdMsg(CCmdTarget* pTarget, UINT nID, int nCode, AFX_PMSG pfn,
                              void* pExtra, UINT_PTR nSig)
{
    (void)nCode;
    switch (nSig) {
    case AfxSigCmd_v:
        (pTarget->*pfn)();
        return TRUE;
    case AfxSigCmd_b:
        return (pTarget->*reinterpret_cast<BOOL (CCmdTarget::*)()>(pfn))();
    case AfxSigCmd_RANGE:
        (pTarget->*reinterpret_cast<void (CCmdTarget::*)(UINT)>(pfn))(nID);
        return TRUE;
    case AfxSigCmd_EX:
        return (pTarget->*reinterpret_cast<BOOL (CCmdTarget::*)(UINT)>(pfn))(nID);
    case AfxSigNotify_v: {
        AFX_NOTIFY* pNotify = (AFX_NOTIFY*)pExtra;
        (pTarget->*reinterpret_cast<void (CCmdTarget::*)(NMHDR*, LRESULT*)>(pfn))(pNotify->pNMHDR, pNotify->pResult);
        return TRUE;
    }
    case AfxSigNotify_b: {
        AFX_NOTIFY* pNotify = (AFX_NOTIFY*)pExtra;
        return (pTarget->*reinterpret_cast<BOOL (CCmdTarget::*)(NMHDR*, LRESULT*)>(pfn))(pNotify->pNMHDR, pNotify->pResult);
    }
    case AfxSigNotify_RANGE: {
        AFX_NOTIFY* pNotify = (AFX_NOTIFY*)pExtra;
        (pTarget->*reinterpret_cast<void (CCmdTarget::*)(UINT, NMHDR*, LRESULT*)>(pfn))(nID, pNotify->pNMHDR, pNotify->pResult);
        return TRUE;
    }
    case AfxSigNotify_EX: {
        AFX_NOTIFY* pNotify = (AFX_NOTIFY*)pExtra;
        return (pTarget->*reinterpret_cast<BOOL (CCmdTarget::*)(UINT, NMHDR*, LRESULT*)>(pfn))(nID, pNotify->pNMHDR, pNotify->pResult);
    }
    case AfxSigCmdUI: {
        // The handler may say "not mine after all" with ContinueRouting.
        CCmdUI* pCmdUI = (CCmdUI*)pExtra;
        pCmdUI->m_bContinueRouting = FALSE;
        (pTarget->*reinterpret_cast<void (CCmdTarget::*)(CCmdUI*)>(pfn))(pCmdUI);
        BOOL bResult = !pCmdUI->m_bContinueRouting;
        pCmdUI->m_bContinueRouting = FALSE;
        return bResult;
    }
    case AfxSig_v_w_l: {
        // A thread message through OnCmdMsg (see CWinThread::PreTranslateMessage).
        MSG* pMsg = (MSG*)pExtra;
        (pTarget->*reinterpret_cast<void (CCmdTarget::*)(WPARAM, LPARAM)>(pfn))(pMsg->wParam, pMsg->lParam);
        return TRUE;
    }
    default:
        return FALSE;
    }
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    UINT nMsg = 0;
    UINT nLookupCode = (UINT)nCode;
    if (nCode != (int)CN_UPDATE_COMMAND_UI) {
        nMsg = HIWORD(nCode);
        nLookupCode = LOWORD(nCode);
    }
    if (nMsg == 0)
        nMsg = WM_COMMAND;

    for (const AFX_MSGMAP* pMap = GetMessageMap(); pMap->pfnGetBaseMap != nullptr;
         pMap = pMap->pfnGetBaseMap()) {
        const AFX_MSGMAP_ENTRY* lpEntry = FindMessageEntry(pMap->lpEntries, nMsg, nLookupCode, nID);
        if (lpEntry != nullptr) {
            if (pHandlerInfo != nullptr) {
                pHandlerInfo->pTarget = this;
                pHandlerInfo->pmf = lpEntry->pfn;
                return TRUE;
            }
            return AfxDispatchCmdMsg(this, nID, (int)nLookupCode, lpEntry->pfn, pExtra, lpEntry->nSig);
        }
    }
    return FALSE;
}

// ---------------------------------------------------------------------------------------
// Wait cursor, counted per thread.

void AFXAPI AfxDoWaitCursor(int nCode)
{
    AFX_WIN_THREAD_STATE* pState = AfxGetWinThreadState();
    HCURSOR hcurWait = ::LoadCursor(NULL, IDC_WAIT);
    if (nCode > 0) {
        HCURSOR hcurPrev = ::SetCursor(hcurWait);
        if (pState->nWaitCursorCount++ == 0)
            pState->hcurWaitRestore = hcurPrev;
    } else if (nCode < 0) {
        if (pState->nWaitCursorCount > 0 && --pState->nWaitCursorCount == 0)
            ::SetCursor(pState->hcurWaitRestore);
    } else {
        if (pState->nWaitCursorCount > 0)
            ::SetCursor(hcurWait);
    }
}

// Through the application, which may show its own cursor.
static void AfxAppWaitCursor(int nCode)
{
    CWinApp* pApp = AfxGetApp();
    if (pApp != nullptr)
        pApp->DoWaitCursor(nCode);
    else
        AfxDoWaitCursor(nCode);
}

void CCmdTarget::BeginWaitCursor()
{
    AfxAppWaitCursor(1);
}

void CCmdTarget::EndWaitCursor()
{
    AfxAppWaitCursor(-1);
}

void CCmdTarget::RestoreWaitCursor()
{
    AfxAppWaitCursor(0);
}

// ---------------------------------------------------------------------------------------
// CCmdUI

CCmdUI::CCmdUI()
    : m_nID(0), m_nIndex(0), m_pMenu(nullptr), m_pSubMenu(nullptr), m_pParentMenu(nullptr),
      m_pOther(nullptr), m_nIndexMax(0), m_bEnableChanged(FALSE), m_bContinueRouting(FALSE)
{
}

void CCmdUI::Enable(BOOL bOn)
{
    if (m_pMenu != nullptr) {
        if (m_pSubMenu != nullptr)
            return;   // a popup item is never greyed by its first command
        m_pMenu->EnableMenuItem(m_nIndex, MF_BYPOSITION | (bOn ? MF_ENABLED : (MF_DISABLED | MF_GRAYED)));
    } else if (m_pOther != nullptr) {
        // A control losing its enabled state must not keep the focus.
        if (!bOn && ::GetFocus() == m_pOther->m_hWnd) {
            CWnd* pParent = m_pOther->GetParent();
            if (pParent != nullptr)
                pParent->SendMessage(WM_NEXTDLGCTL, 0, FALSE);
        }
        m_pOther->EnableWindow(bOn);
    }
    m_bEnableChanged = TRUE;
}

void CCmdUI::SetCheck(int nCheck)
{
    if (m_pMenu != nullptr) {
        if (m_pSubMenu != nullptr)
            return;
        m_pMenu->CheckMenuItem(m_nIndex, MF_BYPOSITION | (nCheck ? MF_CHECKED : MF_UNCHECKED));
    } else if (m_pOther != nullptr) {
        if (m_pOther->SendMessage(WM_GETDLGCODE) & DLGC_BUTTON)
            m_pOther->SendMessage(BM_SETCHECK, (WPARAM)nCheck);
    }
}

void CCmdUI::SetRadio(BOOL bOn)
{
    if (m_pMenu != nullptr && m_pSubMenu == nullptr) {
        MENUITEMINFO mii = {};
        mii.cbSize = sizeof(mii);
        mii.fMask = MIIM_FTYPE;
        if (m_pMenu->GetMenuItemInfo(m_nIndex, &mii, TRUE)) {
            mii.fType |= MFT_RADIOCHECK;
            m_pMenu->SetMenuItemInfo(m_nIndex, &mii, TRUE);
        }
    }
    SetCheck(bOn ? 1 : 0);
}

void CCmdUI::SetText(LPCTSTR lpszText)
{
    if (m_pMenu != nullptr) {
        if (m_pSubMenu != nullptr)
            return;
        UINT nState = m_pMenu->GetMenuState(m_nIndex, MF_BYPOSITION);
        nState &= ~(MF_BITMAP | MF_OWNERDRAW | MF_SEPARATOR | MF_POPUP | MF_HILITE);
        m_pMenu->ModifyMenu(m_nIndex, MF_BYPOSITION | MF_STRING | nState, m_nID, lpszText);
    } else if (m_pOther != nullptr) {
        CString strOld;
        m_pOther->GetWindowText(strOld);
        if (strOld != lpszText)
            m_pOther->SetWindowText(lpszText);
    }
}

BOOL CCmdUI::DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHndler)
{
    if (m_nID == 0 || LOWORD(m_nID) == 0xFFFF)
        return TRUE;   // separators and "no command" items have no state

    m_bEnableChanged = FALSE;
    BOOL bResult = pTarget->OnCmdMsg(m_nID, (int)CN_UPDATE_COMMAND_UI, this, NULL);
    if (bDisableIfNoHndler && !m_bEnableChanged) {
        AFX_CMDHANDLERINFO info;
        info.pTarget = nullptr;
        BOOL bHandler = pTarget->OnCmdMsg(m_nID, CN_COMMAND, this, &info);
        Enable(bHandler);
    }
    return bResult;
}
