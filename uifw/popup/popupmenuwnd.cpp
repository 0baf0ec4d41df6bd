// The popup menu's items: reading, changing, inserting, removing and searching them.
#include "popupmenuwnd.h"

#include "cmdmanager.h"
#include "popuptrackingstate.h"
#include <mbstring.h>

IMPLEMENT_DYNCREATE(CUiPopupMenuWnd, CUiPopupBaseWnd)

const UINT CUiPopupMenuWnd::g_nMsgPrepareMenu = ::RegisterWindowMessageA("CUiPopupMenuWnd::g_nMsgPrepareMenu");
const UINT CUiPopupMenuWnd::g_nMsgPopupNext = ::RegisterWindowMessageA("CUiPopupMenuWnd::g_nMsgPopupNext");
const UINT CUiPopupMenuWnd::g_nMsgPopupPrev = ::RegisterWindowMessageA("CUiPopupMenuWnd::g_nMsgPopupPrev");
const UINT CUiPopupMenuWnd::g_nMsgNotifyMenuExpanded =
    ::RegisterWindowMessageA("CUiPopupMenuWnd::g_nMsgNotifyMenuExpanded");
const UINT CUiPopupMenuWnd::g_nMsgNotifyMenuClosed =
    ::RegisterWindowMessageA("CUiPopupMenuWnd::g_nMsgNotifyMenuClosed");
const UINT CUiPopupMenuWnd::g_nMsgPopupDrawItem = ::RegisterWindowMessageA("CUiPopupMenuWnd::g_nMsgPopupDrawItem");
const UINT CUiPopupMenuWnd::g_nMsgPopupDrawLeftArea =
    ::RegisterWindowMessageA("CUiPopupMenuWnd::g_nMsgPopupDrawLeftArea");
const UINT CUiPopupMenuWnd::g_nMsgCreateInplaceEdit =
    ::RegisterWindowMessageA("CUiPopupMenuWnd::g_nMsgCreateInplaceEdit");

bool CUiPopupMenuWnd::g_bHideRarelyUsed = true;
bool CUiPopupMenuWnd::g_bHighlightRarelyUsed = true;
bool CUiPopupMenuWnd::g_bExpandOnHover = true;
bool CUiPopupMenuWnd::g_bExpandAnimation = true;
bool CUiPopupMenuWnd::g_bKeepInWorkArea = true;
bool CUiPopupMenuWnd::g_bMenuTips = true;
bool CUiPopupMenuWnd::g_bSysCmdSwitch = false;
bool CUiPopupMenuWnd::g_bIdlePump = false;
CUiPopupMenuWnd::TrackMenuHook CUiPopupMenuWnd::g_pfnTrackMenuHook = nullptr;

CUiPopupMenuWnd::CUiPopupMenuWnd()
    : m_nCurIndex(-1), m_nPendingSubmenu(-1), m_nHoverIndex(-1), m_bState(0), m_nExpandHover(0), m_nTrackFlags(0),
      m_hWndReceiver(NULL), m_nScrollPos(0), m_nScrollStep(0), m_pParent(nullptr), m_cxLeftArea(0),
      m_nJoinedSide(0)
{
    m_rcContent.SetRectEmpty();
    ResetTrackingFields();
}

CUiPopupMenuWnd::~CUiPopupMenuWnd()
{
    CloseMenu(TRUE);
    if ((m_bState & kTopMenu) != 0)
        BuildItemsFromMenu(NULL, TRUE);
    for (int i = 0; i < m_items.GetSize(); ++i) {
        if (m_items[i].m_pSubmenu != nullptr)
            DestroySubmenu(m_items[i].m_pSubmenu, m_hWndReceiver);
    }
    m_items.RemoveAll();
    PopupTrackingState& state = PopupTrackingState::Get();
    if (state.m_pFocused == this)
        state.m_pFocused = nullptr;
    if (state.m_pAnimating == this)
        state.m_pAnimating = nullptr;
}

void CUiPopupMenuWnd::DestroySubmenu(CUiPopupMenuWnd* pSubmenu, HWND hWndReceiver)
{
    pSubmenu->m_hWndReceiver = hWndReceiver;
    pSubmenu->CloseMenu(FALSE);
    pSubmenu->BuildItemsFromMenu(NULL, FALSE);
    if (::IsWindow(pSubmenu->GetSafeHwnd()))
        pSubmenu->CWnd::DestroyWindow();
    delete pSubmenu;
}

CUiPopupMenuWnd* CUiPopupMenuWnd::GetTopMenu()
{
    CUiPopupMenuWnd* pMenu = this;
    while (pMenu->m_pParent != nullptr)
        pMenu = pMenu->m_pParent;
    return pMenu;
}

void CUiPopupMenuWnd::SetCmdReceiver(HWND hWnd, BOOL bNoSubmenus)
{
    m_hWndReceiver = hWnd;
    for (int i = 0; i < m_items.GetSize(); ++i) {
        MENUITEMDATA& item = m_items[i];
        if (item.IsCommand())
            item.m_hWndReceiver = hWnd;
        if (!bNoSubmenus && item.m_pSubmenu != nullptr)
            item.m_pSubmenu->SetCmdReceiver(hWnd, TRUE);
    }
}

int CUiPopupMenuWnd::ItemGetCount() const
{
    return (int)m_items.GetSize();
}

UINT CUiPopupMenuWnd::ItemGetCmdID(int nIndex) const
{
    if (nIndex < 0 || nIndex >= ItemGetCount())
        return 0;
    return m_items[nIndex].GetCmdID();
}

HICON CUiPopupMenuWnd::ItemGetIcon(int nIndex)
{
    if (nIndex < 0 || nIndex >= ItemGetCount())
        return NULL;
    CUiCmdIcon* pIcon = m_items[nIndex].GetIcon();
    return pIcon != nullptr ? pIcon->GetIcon() : NULL;
}

CString CUiPopupMenuWnd::ItemGetText(int nIndex) const
{
    if (nIndex < 0 || nIndex >= ItemGetCount())
        return CString();
    return m_items[nIndex].GetText();
}

CString CUiPopupMenuWnd::ItemGetAccelText(int nIndex) const
{
    if (nIndex < 0 || nIndex >= ItemGetCount())
        return CString();
    return m_items[nIndex].GetAccelText();
}

int CUiPopupMenuWnd::ItemFindPosForCmdID(UINT nCmdId, int nStart) const
{
    for (int i = nStart < 0 ? 0 : nStart + 1; i < ItemGetCount(); ++i) {
        if (m_items[i].GetCmdID() == nCmdId)
            return i;
    }
    return -1;
}

BOOL CUiPopupMenuWnd::ItemSetIcon(int nIndex, HICON hIcon)
{
    if (nIndex < 0 || nIndex >= ItemGetCount())
        return FALSE;
    return m_items[nIndex].SetOwnIcon(hIcon) ? TRUE : FALSE;
}

BOOL CUiPopupMenuWnd::ItemSetText(int nIndex, LPCSTR lpszText)
{
    if (nIndex < 0 || nIndex >= ItemGetCount())
        return FALSE;
    m_items[nIndex].SetSplitText(lpszText);
    m_items[nIndex].MeasureItem();
    return TRUE;
}

BOOL CUiPopupMenuWnd::ItemSetAccelText(int nIndex, LPCSTR lpszText)
{
    if (nIndex < 0 || nIndex >= ItemGetCount())
        return FALSE;
    m_items[nIndex].SetAccelText(lpszText);
    return TRUE;
}

CUiPopupMenuWnd* CUiPopupMenuWnd::ItemGetPopup(int nIndex) const
{
    if (nIndex < 0 || nIndex >= ItemGetCount() || !m_items[nIndex].IsSubmenu())
        return nullptr;
    return m_items[nIndex].m_pSubmenu;
}

BOOL CUiPopupMenuWnd::ItemIsDisplayed(int nIndex) const
{
    if (nIndex < 0 || nIndex >= ItemGetCount())
        return FALSE;
    return m_items[nIndex].IsDisplayed() ? TRUE : FALSE;
}

void CUiPopupMenuWnd::ItemSetDisplayed(int nIndex, BOOL bOn)
{
    if (nIndex < 0 || nIndex >= ItemGetCount())
        return;
    BYTE& flags = m_items[nIndex].m_bFlags1;
    flags = (BYTE)(bOn ? flags | MENUITEMDATA::kAlwaysDisplayed : flags & ~MENUITEMDATA::kAlwaysDisplayed);
    RecalcItemLayout();
}

BOOL CUiPopupMenuWnd::ItemRemove(int nIndex)
{
    if (nIndex < 0) {
        BuildItemsFromMenu(NULL, FALSE);
        RecalcItemLayout();
        return TRUE;
    }
    if (nIndex >= ItemGetCount())
        return FALSE;
    if (m_items[nIndex].m_pSubmenu != nullptr)
        DestroySubmenu(m_items[nIndex].m_pSubmenu, m_hWndReceiver);
    m_items.RemoveAt(nIndex);
    m_nCurIndex = -1;
    RecalcItemLayout();
    return TRUE;
}

BOOL CUiPopupMenuWnd::ItemInsert(UINT nCmdId, int nPos, LPCSTR lpszText, HICON hIcon, HWND hWndReceiver)
{
    if (nPos > ItemGetCount())
        return FALSE;
    MENUITEMDATA item;
    item.m_hWndReceiver = hWndReceiver != NULL ? hWndReceiver : m_hWndReceiver;
    if (nCmdId == MENUITEMDATA::kSubmenuId) {
        item.m_nCmdId = nCmdId;
        item.m_pSubmenu = new CUiPopupMenuWnd;
        item.m_pSubmenu->m_hWndReceiver = item.m_hWndReceiver;
        item.m_pSubmenu->m_pParent = this;
        item.SetOwnIcon(hIcon);
        item.SetSplitText(lpszText);
        item.MeasureItem();
    } else if (nCmdId != 0) {
        CUiCmdProfile* pProfile = CmdManagerHolder::GetStoredHandle()->ProfileFindByWindow(item.m_hWndReceiver);
        CUiCmdItem* pCmd = pProfile != nullptr ? pProfile->CmdGetPtr(nCmdId) : nullptr;
        if (pCmd == nullptr || !item.InitFromCmd(pCmd, nPos))
            return FALSE;
    } else {
        item.MeasureItem();
    }
    if (nPos >= 0)
        item.m_nIndex = nPos;
    ItemInsertRecord(nPos, item);
    // A submenu lays out its parent, which has it; a menu without a parent itself.
    LayoutTarget()->RecalcItemLayout();
    return TRUE;
}

BOOL CUiPopupMenuWnd::ItemInsertCommand(UINT nCmdId, int nPos, LPCSTR lpszText, LPCSTR lpszAccel,
                                        const CUiCmdIcon* pIcon, int nCheck, HWND hWndReceiver)
{
    if (nPos > ItemGetCount())
        return FALSE;
    MENUITEMDATA item;
    item.m_hWndReceiver = hWndReceiver != NULL ? hWndReceiver : m_hWndReceiver;
    item.m_bFlags2 |= MENUITEMDATA::kOwnItem;
    item.m_nCmdId = nCmdId;
    if (nCmdId == MENUITEMDATA::kSubmenuId) {
        item.m_pSubmenu = new CUiPopupMenuWnd;
        item.m_pSubmenu->m_hWndReceiver = item.m_hWndReceiver;
        item.m_pSubmenu->m_pParent = this;
        item.SetSplitText(lpszText);
    } else if (nCmdId != 0) {
        item.SetText(lpszText);
        item.SetAccelText(lpszAccel);
        if (nCheck == 1)
            item.m_bFlags1 |= MENUITEMDATA::kChecked;
        else if (nCheck == 2)
            item.m_bFlags2 |= MENUITEMDATA::kIndeterminate;
        else if (nCheck == 3)
            item.m_bFlags2 |= MENUITEMDATA::kRadio;
    }
    if (pIcon != nullptr && !pIcon->IsEmpty())
        item.m_icon = *pIcon;
    item.MeasureItem();
    item.m_bFlags1 |= MENUITEMDATA::kDisplayed;
    item.m_nIndex = nPos;
    ItemInsertRecord(nPos, item);
    LayoutTarget()->RecalcItemLayout();
    return TRUE;
}

BOOL CUiPopupMenuWnd::ItemInsertWithIcon(UINT nCmdId, int nPos, LPCSTR lpszText, LPCSTR lpszAccel, HICON hIcon,
                                         int nCheck, HWND hWndReceiver)
{
    CUiCmdIcon icon;
    if (hIcon != NULL)
        icon.ConstructFromIcon(hIcon, true);
    return ItemInsertCommand(nCmdId, nPos, lpszText, lpszAccel, &icon, nCheck, hWndReceiver);
}

BOOL CUiPopupMenuWnd::ItemInsertSubmenu(CUiPopupMenuWnd* pSubmenu, int nPos, LPCSTR lpszText, HICON hIcon)
{
    if (nPos > ItemGetCount())
        return FALSE;
    if (pSubmenu == nullptr)
        pSubmenu = new CUiPopupMenuWnd;
    pSubmenu->m_bState &= ~kTopMenu;
    pSubmenu->m_hWndReceiver = m_hWndReceiver;
    MENUITEMDATA item;
    item.m_hWndReceiver = m_hWndReceiver;
    item.m_pSubmenu = pSubmenu;
    item.m_nCmdId = MENUITEMDATA::kSubmenuId;
    item.SetSplitText(lpszText);
    item.SetOwnIcon(hIcon);
    item.MeasureItem();
    pSubmenu->m_pParent = this;
    item.m_bFlags1 |= MENUITEMDATA::kDisplayed;
    item.m_nIndex = nPos;
    ItemInsertRecord(nPos, item);
    LayoutTarget()->RecalcItemLayout();
    return TRUE;
}

CUiPopupMenuWnd::MENUITEMDATA& CUiPopupMenuWnd::ItemInsertRecord(int nPos, const MENUITEMDATA& item)
{
    if (nPos < 0 || nPos > ItemGetCount())
        nPos = ItemGetCount();
    m_items.InsertAt(nPos, item);
    return m_items[nPos];
}

namespace {

// Candidates after nStart to the end, then from the top up to before nStart.
template <class Match> int FindWrapping(int nCount, int nStart, Match match)
{
    for (int i = nStart < 0 ? 0 : nStart + 1; i < nCount; ++i) {
        if (i != nStart && match(i))
            return i;
    }
    for (int i = 0; nStart >= 1 && i < nStart; ++i) {
        if (match(i))
            return i;
    }
    return -1;
}

} // namespace

int CUiPopupMenuWnd::ItemFindByAccessChar(UINT nChar, int nStart) const
{
    if (nChar == '0' || nChar == 0)
        return -1;
    const BYTE key = (BYTE)(UINT_PTR)::CharUpperA((LPSTR)(UINT_PTR)(BYTE)nChar);
    return FindWrapping(ItemGetCount(), nStart, [&](int i) {
        const MENUITEMDATA& item = m_items[i];
        return item.m_cAccessChar != 0 && item.m_cAccessChar == key && item.IsSelectable();
    });
}

int CUiPopupMenuWnd::ItemFindByText(LPCSTR lpszText, int nStart) const
{
    if (lpszText == nullptr || *lpszText == 0)
        return -1;
    return FindWrapping(ItemGetCount(), nStart, [&](int i) {
        return _mbsicmp((const unsigned char*)(LPCSTR)m_items[i].GetText(), (const unsigned char*)lpszText) == 0;
    });
}

BOOL CUiPopupMenuWnd::AreAllItemsHidden() const
{
    for (int i = 0; i < ItemGetCount(); ++i) {
        if (m_items[i].IsDisplayed())
            return FALSE;
    }
    return TRUE;
}

BOOL CUiPopupMenuWnd::InitRootMenu(HWND hWndReceiver)
{
    if ((m_bState & kTopMenu) != 0 || m_pParent != nullptr || ItemGetCount() > 0)
        return FALSE;
    m_bState |= kTopMenu;
    m_sizeContent = CSize(1, 1);
    m_hWndReceiver = hWndReceiver;
    return TRUE;
}

DWORD CUiPopupMenuWnd::ItemGetFlags(int nIndex) const
{
    if (nIndex < 0 || nIndex >= ItemGetCount())
        return 0;
    return m_items[nIndex].m_bFlags1;
}

int CUiPopupMenuWnd::ItemGetIconAreaWidth(int nIndex) const
{
    if (nIndex < 0 || nIndex >= ItemGetCount())
        return 0;
    return m_items[nIndex].m_cxIconArea;
}

CUiToolControlBar* CUiPopupMenuWnd::GetOwnerToolBar()
{
    if (!m_bCookieFlag || PopupBarTrackingBridge::g_pfnIsToolBar == nullptr ||
        !PopupBarTrackingBridge::g_pfnIsToolBar(m_pCookie))
        return nullptr;
    return static_cast<CUiToolControlBar*>(m_pCookie);
}
