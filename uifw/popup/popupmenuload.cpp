// Filling a popup menu from a Windows menu (with the recent files spliced in) and the way
// back to a Windows menu.
#include "popupmenuwnd.h"

#include "afxres.h"
#include "cmdmanager.h"
#include "resourcemanager.h"

namespace {

CString LoadTextOr(UINT nId, LPCSTR lpszDefault)
{
    CString text;
    if (!ResourceManagerHolder::GetResourceManager()->LoadString(text, nId))
        text = lpszDefault;
    return text;
}

} // namespace

BOOL CUiPopupMenuWnd::LoadMenuResource(HWND hWndReceiver, UINT nMenuId, BOOL bPopupOnly)
{
    CMenu menu;
    if (!ResourceManagerHolder::GetResourceManager()->LoadMenu(&menu, nMenuId))
        return FALSE;
    return LoadMenu(hWndReceiver, menu.GetSafeHmenu(), bPopupOnly, TRUE);
}

BOOL CUiPopupMenuWnd::LoadMenu(HWND hWndReceiver, HMENU hMenu, BOOL bPopupOnly, BOOL bTopMenu)
{
    if (hWndReceiver != NULL)
        m_hWndReceiver = hWndReceiver;
    if (hMenu == NULL || !::IsMenu(hMenu))
        return FALSE;
    if (bPopupOnly) {
        hMenu = ::GetSubMenu(hMenu, 0);
        if (hMenu == NULL || !::IsMenu(hMenu))
            return FALSE;
    }
    CUiCmdProfile* pProfile = CmdManagerHolder::GetStoredHandle()->ProfileFindByWindow(m_hWndReceiver);
    if (pProfile == nullptr || !pProfile->UpdateFromMenu(hMenu, false, true, true))
        return FALSE;
    return BuildItemsFromMenu(hMenu, bTopMenu);
}

bool CUiPopupMenuWnd::ReadMenuEntry(MENUITEMDATA& item, HMENU hMenu, int nPos)
{
    char szText[1024] = {};
    MENUITEMINFOA info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_CHECKMARKS | MIIM_TYPE | MIIM_DATA;
    info.dwTypeData = szText;
    info.cch = sizeof(szText) - 1;
    if (!::GetMenuItemInfoA(hMenu, (UINT)nPos, TRUE, &info))
        return false;
    item.m_nIndex = nPos;
    CString text(szText);
    if ((info.fType & MFT_SEPARATOR) != 0) {
        item.m_strText.Empty();
        item.m_nCmdId = 0;
    } else if (info.hSubMenu != NULL) {
        item.m_pSubmenu = new CUiPopupMenuWnd;
        item.m_pSubmenu->m_hWndReceiver = item.m_hWndReceiver;
        item.m_nCmdId = MENUITEMDATA::kSubmenuId;
    } else {
        if ((int)info.wID < 1)
            return false;
        item.m_nCmdId = info.wID;
        const CUiCmdItem* pCmd = item.GetCmdItem();
        if (pCmd == nullptr)
            return false;
        if (text.IsEmpty())
            text = !pCmd->m_strMenuText.IsEmpty() ? pCmd->m_strMenuText : pCmd->m_strTipTool;
    }
    if (!item.IsSeparator())
        item.SetSplitText(text);
    item.MeasureItem();
    return true;
}

BOOL CUiPopupMenuWnd::BuildItemsFromMenu(HMENU hMenu, BOOL bTopMenu)
{
    for (int i = 0; i < m_items.GetSize(); ++i) {
        if (m_items[i].m_pSubmenu != nullptr)
            DestroySubmenu(m_items[i].m_pSubmenu, m_hWndReceiver);
    }
    m_items.RemoveAll();
    if (hMenu == NULL)
        return TRUE;
    m_bState = (BYTE)(bTopMenu ? m_bState | kTopMenu : m_bState & ~kTopMenu);
    if (bTopMenu)
        m_pParent = nullptr;
    int nRecentPos = -1;
    const int nCount = ::GetMenuItemCount(hMenu);
    for (int nPos = 0; nPos < nCount; ++nPos) {
        const UINT nId = ::GetMenuItemID(hMenu, nPos);
        if (nId >= ID_FILE_MRU_FILE1 && nId <= ID_FILE_MRU_FILE16) {
            if (nRecentPos < 0)
                nRecentPos = ItemGetCount();
            continue;
        }
        MENUITEMDATA item;
        item.m_hWndReceiver = m_hWndReceiver;
        if (!ReadMenuEntry(item, hMenu, nPos)) {
            item.m_nCmdId = 0;
            item.m_strText.Empty();
            item.m_strAccel.Empty();
            item.MeasureItem();
        }
        if (item.IsSeparator() && ItemGetCount() > 0 && m_items[ItemGetCount() - 1].IsSeparator())
            continue;
        if (item.m_pSubmenu != nullptr) {
            item.m_pSubmenu->BuildItemsFromMenu(::GetSubMenu(hMenu, nPos), FALSE);
            item.m_pSubmenu->m_pParent = this;
        }
        ItemInsertRecord(-1, item);
    }
    bool bInserted = false;
    if (nRecentPos < 0 || !InsertRecentFiles(nRecentPos, bInserted)) {
        RecalcItemLayout();
        return nRecentPos < 0 ? TRUE : FALSE;
    }
    RecalcItemLayout();
    return TRUE;
}

BOOL CUiPopupMenuWnd::InsertRecentFiles(int nPos, bool& bInserted)
{
    bInserted = false;
    CWinApp* pApp = AfxGetApp();
    CRecentFileList* pList = pApp != nullptr ? pApp->m_pRecentFileList : nullptr;
    if (pList == nullptr || pList->GetSize() == 0)
        return TRUE;
    char szDir[MAX_PATH + 1] = {};
    const int nDir = (int)::GetCurrentDirectoryA(MAX_PATH, szDir);
    CUiCmdProfile* pProfile = CmdManagerHolder::GetStoredHandle()->ProfileFindByWindow(m_hWndReceiver);
    int nInserted = 0;
    for (int i = 1; i <= pList->GetSize(); ++i) {
        CString name;
        pList->GetDisplayName(name, i - 1, szDir, nDir);
        if (name.IsEmpty())
            continue;
        const UINT nId = 0xE10F + (UINT)i;
        CUiCmdItem* pCmd = pProfile != nullptr ? pProfile->CmdGetPtr(nId) : nullptr;
        if (pCmd == nullptr && pProfile != nullptr)
            pCmd = pProfile->CmdAllocPtr(nId);
        if (pCmd == nullptr)
            return FALSE;
        if (i < 10)
            pCmd->m_strMenuText.Format("&%d %s", i, (LPCSTR)name);
        else
            pCmd->m_strMenuText.Format("%d&%d %s", i / 10, i % 10, (LPCSTR)name);
        pCmd->m_strTipTool.Format(LoadTextOr(30004, "Recent file %d"), i);
        pCmd->m_strTipStatus.Format(LoadTextOr(30005, "Recent file %d (\"%s\")"), i, (LPCSTR)name);
        if (!ItemInsert(nId, nPos + nInserted))
            return FALSE;
        ++nInserted;
    }
    if (nInserted == 0)
        return TRUE;
    bInserted = true;
    return ItemInsert(0, nPos + nInserted);
}

HMENU CUiPopupMenuWnd::BuildHMenu(BOOL bDeep)
{
    HMENU hMenu = ::CreatePopupMenu();
    if (hMenu == NULL)
        return NULL;
    for (int i = 0; i < ItemGetCount(); ++i) {
        const MENUITEMDATA& item = m_items[i];
        CString text = item.GetText();
        if (!item.GetAccelText().IsEmpty())
            text += "\t" + item.GetAccelText();
        if (item.IsSeparator()) {
            ::AppendMenuA(hMenu, MF_SEPARATOR, 0, NULL);
        } else if (item.IsSubmenu()) {
            HMENU hSub = bDeep && item.m_pSubmenu != nullptr ? item.m_pSubmenu->BuildHMenu(TRUE) : ::CreatePopupMenu();
            // The appended submenu belongs to the new menu from here on; it is never
            // destroyed apart from it.
            if (hSub != NULL && ::IsMenu(hSub))
                ::AppendMenuA(hMenu, MF_POPUP | MF_STRING, (UINT_PTR)hSub, text);
        } else {
            ::AppendMenuA(hMenu, MF_STRING, item.m_nCmdId, text);
        }
    }
    return hMenu;
}
