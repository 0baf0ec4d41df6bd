// CUiResizablePropertySheet: the one-time set-up, page placement, paging keys and the
// button hooks.
#include "resizablepropertysheet.h"
#include "monitorinfo.h"

IMPLEMENT_DYNCREATE(CUiResizablePropertySheet, CUiResPS)

namespace {

int g_nLiveButtonHooks = 0;

bool IsPage(HWND hWnd)
{
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    return pWnd != nullptr && pWnd->IsKindOf(RUNTIME_CLASS(CPropertyPage));
}

CRect RectInParent(HWND hWnd)
{
    CRect rc;
    ::GetWindowRect(hWnd, &rc);
    ::MapWindowPoints(NULL, ::GetParent(hWnd), (POINT*)&rc, 2);
    return rc;
}

void AddStyle(HWND hWnd, DWORD dwAdd)
{
    ::SetWindowLongA(hWnd, GWL_STYLE, ::GetWindowLongA(hWnd, GWL_STYLE) | (LONG)dwAdd);
}

} // namespace

CUiResizablePropertySheet::CButtonInSheetHook::CButtonInSheetHook()
{
    ++g_nLiveButtonHooks;
}

CUiResizablePropertySheet::CButtonInSheetHook::~CButtonInSheetHook()
{
    --g_nLiveButtonHooks;
}

void CUiResizablePropertySheet::CButtonInSheetHook::PostNcDestroy()
{
    CUiButton::PostNcDestroy();
    delete this;
}

int CUiResizablePropertySheet::CButtonInSheetHook::GetLiveCount()
{
    return g_nLiveButtonHooks;
}

CUiResizablePropertySheet::CUiResizablePropertySheet() : m_bSheetFlags(0), m_pPageBeforeSwitch(nullptr)
{
}

void CUiResizablePropertySheet::PreSubclassWindow()
{
    CUiResizablePropertySheetBase::PreSubclassWindow();
    EnableToolTips(TRUE);
}

void CUiResizablePropertySheet::AnchorPage(CPropertyPage* pPage)
{
    if (pPage == nullptr)
        pPage = GetActivePage();
    if (pPage == nullptr || pPage->GetSafeHwnd() == NULL)
        return;
    UiAnchorRecord record;
    if (!m_anchors.Lookup(pPage->m_hWnd, record)) {
        POSITION pos = m_anchors.GetStartPosition();
        while (pos != NULL) {
            HWND hChild = NULL;
            m_anchors.GetNextAssoc(pos, hChild, record);
            if (hChild != pPage->m_hWnd && ::IsWindow(hChild) && IsPage(hChild)) {
                const CRect rc = RectInParent(hChild);
                pPage->MoveWindow(&rc, TRUE);
                break;
            }
        }
        AddAnchor(pPage->m_hWnd, kUiAnchorTopLeft, kUiAnchorBottomRight);
    }
    ArrangeAnchoredChildren(-1, -1);
}

void CUiResizablePropertySheet::OnChildSheetLayout()
{
}

void CUiResizablePropertySheet::AdjustSheetStyle()
{
    if (!(GetStyle() & WS_CHILD)) {
        ModifyStyle(0, WS_CLIPCHILDREN);
        if (m_bWSFlags & kSavePlacement)
            LoadPlacementText(false);
    } else {
        OnChildSheetLayout();
    }
    SetWindowPos(NULL, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED | SWP_NOCOPYBITS |
                                       SWP_NOOWNERZORDER);
    ArrangeAnchoredChildren(-1, -1);
}

void CUiResizablePropertySheet::SetUpLayout()
{
    m_bSheetFlags |= kSetUpDone;
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    m_sizeInitial = rcWindow.Size();
    m_bWAFlags |= kMinTrack;
    SetWindowPos(NULL, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED | SWP_NOOWNERZORDER);

    HWND hTab = (HWND)SendMessage(PSM_GETTABCONTROL);
    for (HWND hChild = ::GetWindow(m_hWnd, GW_CHILD); hChild != NULL; hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
        if (hChild == hTab) {
            AddStyle(hChild, WS_CLIPSIBLINGS);
            AddAnchor(hChild, kUiAnchorTopLeft, kUiAnchorBottomRight);
        } else if (AfxCompareClassName(hChild, "static")) {
            AddStyle(hChild, WS_CLIPSIBLINGS);
            AddAnchor(hChild, kUiAnchorBottomLeft, kUiAnchorBottomRight);
        } else if (AfxCompareClassName(hChild, "button")) {
            CRect rc = RectInParent(hChild);
            rc.OffsetRect(-10, 0);
            ::MoveWindow(hChild, rc.left, rc.top, rc.Width(), rc.Height(), TRUE);
            AddStyle(hChild, WS_CLIPSIBLINGS);
            AddAnchor(hChild, kUiAnchorBottomRight, kUiAnchorBottomRight);
            CButtonInSheetHook* pHook = new CButtonInSheetHook;
            if (!pHook->SubclassWindow(hChild))
                delete pHook;
        }
    }
    AnchorPage(nullptr);

    MonitorInfo info;
    MonitorInfoFromWindow(info, this);
    const CRect rcWork(info.rcWork);
    m_sizeMaxTrack = rcWork.Size();
    m_ptMaxPosition = rcWork.TopLeft();
    m_sizeMaxInfo = rcWork.Size();
    m_bWAFlags |= kMaxTrack | kMaxInfo;

    GetWindowRect(&rcWindow);
    SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(rcWindow.Width(), rcWindow.Height()));
    if (IsWindowVisible())
        RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    AdjustSheetStyle();
}

void CUiResizablePropertySheet::PlaceLikeBefore(CPropertyPage* pPageBefore)
{
    CPropertyPage* pActive = GetActivePage();
    if (pPageBefore != nullptr && pActive != nullptr && pActive != pPageBefore &&
        ::IsWindow(pPageBefore->GetSafeHwnd()) && pActive->GetSafeHwnd() != NULL) {
        const CRect rc = RectInParent(pPageBefore->m_hWnd);
        pActive->MoveWindow(&rc, TRUE);
    }
    AnchorPage(nullptr);
    ArrangeAnchoredChildren(-1, -1);
}

void CUiResizablePropertySheet::SwitchPageInPlace(int nTarget)
{
    SendMessage(WM_COMMAND, nTarget > GetActiveIndex() ? ID_WIZNEXT : ID_WIZBACK, 0);
    // Paging by the wizard commands may leave the focus on a hidden wizard button; it
    // stays in the sheet, on the tabs, so the keys go on working.
    HWND hFocus = ::GetFocus();
    if (hFocus == NULL || !::IsChild(m_hWnd, hFocus) || !::IsWindowVisible(hFocus)) {
        if (CWnd* pTab = GetTabControl())
            pTab->SetFocus();
    }
}

BOOL CUiResizablePropertySheet::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_TAB && m_hWnd != NULL) {
        HWND hFocus = ::GetFocus();
        if (hFocus == m_hWnd || ::IsChild(m_hWnd, hFocus)) {
            const bool bShift = ::GetKeyState(VK_SHIFT) < 0;
            if (::GetKeyState(VK_CONTROL) < 0) {
                const int nTarget = GetActiveIndex() + (bShift ? -1 : 1);
                if (nTarget >= 0 && nTarget < GetPageCount())
                    SwitchPageInPlace(nTarget);
            } else {
                SendMessage(WM_NEXTDLGCTL, bShift ? 1 : 0, 0);
            }
            return TRUE;
        }
    }
    return CUiResizablePropertySheetBase::PreTranslateMessage(pMsg);
}

BOOL CUiResizablePropertySheet::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (nID == ID_WIZBACK || nID == ID_WIZNEXT) {
        BOOL bDone = CUiResizablePropertySheetBase::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
        if (nCode == CN_COMMAND)
            AnchorPage(nullptr);
        return bDone;
    }
    if (!(GetStyle() & WS_CHILD))
        return CUiResizablePropertySheetBase::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    if ((nCode == CN_COMMAND || nCode == (int)CN_UPDATE_COMMAND_UI) && nID >= 0x8000 && nID <= 0xEFFF) {
        CWinThread* pThread = AfxGetThread();
        return pThread != nullptr && pThread->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
    }
    return FALSE;
}

LRESULT CUiResizablePropertySheet::WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    const bool bPaging = nMsg == WM_COMMAND && (LOWORD(wParam) == ID_WIZBACK || LOWORD(wParam) == ID_WIZNEXT);
    switch (nMsg) {
    case WM_DESTROY:
    case WM_NCDESTROY:
        m_bSheetFlags &= ~kSetUpDone;
        break;
    case WM_SIZE:
        AnchorPage(nullptr);
        break;
    case WM_CLOSE:
        if (m_bWSFlags & kSavePlacement)
            SavePlacementText();
        break;
    case WM_COMMAND:
        if ((wParam == IDOK || wParam == IDCANCEL) && (m_bWSFlags & kSavePlacement))
            SavePlacementText();
        if (bPaging)
            m_pPageBeforeSwitch = GetActivePage();
        break;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_CLOSE && (m_bWSFlags & kSavePlacement))
            SavePlacementText();
        break;
    default:
        break;
    }

    HWND hWnd = m_hWnd;
    LRESULT lr = (m_bSheetFlags & kSetUpDone) ? CUiResizablePropertySheetBase::WindowProc(nMsg, wParam, lParam)
                                               : CPropertySheet::WindowProc(nMsg, wParam, lParam);
    if (!::IsWindow(hWnd) || CWnd::FromHandlePermanent(hWnd) != this)
        return lr;

    if (nMsg == WM_CREATE) {
        ModifyStyle(0, WS_CLIPCHILDREN | WS_THICKFRAME);
        PostMessage(kSetUpMessage);
    } else if (nMsg == kSetUpMessage && !(m_bSheetFlags & kSetUpDone)) {
        SetUpLayout();
    } else if (bPaging && (m_bSheetFlags & kSetUpDone)) {
        PlaceLikeBefore(m_pPageBeforeSwitch);
    } else if ((GetStyle() & WS_CHILD) && (nMsg == WM_SIZE || (nMsg == WM_WINDOWPOSCHANGED && IsWindowVisible()))) {
        CRect rcClient;
        GetClientRect(&rcClient);
        if (CWnd* pTab = GetTabControl())
            pTab->SetWindowPos(NULL, 0, 0, rcClient.Width(), rcClient.Height(), SWP_NOZORDER | SWP_NOREDRAW);
        ArrangeAnchoredChildren(-1, -1);
        OnChildSheetLayout();
    }
    return lr;
}
