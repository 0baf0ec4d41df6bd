// Filling a command profile from menus, toolbar resources and toolbar windows.
//
// A toolbar resource is untrusted input like any resource: its button count must fit the
// bytes it has, and a button image must lie inside the bitmap, else nothing is copied from
// outside it (the image then stays empty and its command is not registered).
#include "cmdprofile.h"
#include "bitmaputil.h"

#include "cmdicon.h"
#include "resourcemanager.h"

#include <commctrl.h>

namespace {

const int kMenuTextChars = 1024;
const WORD kToolBarResourceType = 241;

struct ToolBarResourceHeader {
    WORD wVersion;
    WORD wWidth;
    WORD wHeight;
    WORD wCount;
};

// The menu item's text without line ends, split at its first tab into menu and accelerator
// text.
void SplitMenuText(CString strText, CUiCmdItem& item)
{
    strText.Remove('\n');
    strText.Remove('\r');
    strText.Trim();
    if (strText.IsEmpty())
        return;
    const int nTab = strText.Find('\t');
    if (nTab < 0) {
        item.m_strMenuText = strText;
        return;
    }
    item.m_strMenuText = strText.Left(nTab);
    item.m_strAccelText = strText.Mid(nTab + 1);
    item.m_strMenuText.Trim();
    item.m_strAccelText.Trim();
}

} // namespace

bool CUiCmdProfile::UpdateFromMenu(HMENU hMenu, bool bReplace, bool bRecursive, bool bLoadTips)
{
    if (hMenu == NULL || !::IsMenu(hMenu))
        return false;
    const int nCount = ::GetMenuItemCount(hMenu);
    for (int nPos = 0; nPos < nCount; nPos++) {
        char szText[kMenuTextChars] = "";
        MENUITEMINFOA info;
        memset(&info, 0, sizeof(info));
        info.cbSize = sizeof(info);
        info.fMask = MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_CHECKMARKS | MIIM_TYPE | MIIM_DATA;
        info.dwTypeData = szText;
        info.cch = kMenuTextChars;
        if (!::GetMenuItemInfoA(hMenu, (UINT)nPos, TRUE, &info) || (info.fType & MFT_SEPARATOR) != 0)
            continue;
        if (info.hSubMenu != NULL) {
            if (bRecursive)
                UpdateFromMenu(info.hSubMenu, bReplace, true, true);
            continue;
        }
        if ((int)info.wID < 1)
            continue;
        CUiCmdItem cmdTemplate(info.wID);
        if ((info.fType & (MFT_BITMAP | MFT_OWNERDRAW)) == 0)
            SplitMenuText(szText, cmdTemplate);
        if (bLoadTips)
            cmdTemplate.UpdateFromResource();
        CmdSetup(cmdTemplate, bReplace);
    }
    return true;
}

bool CUiCmdProfile::UpdateFromMenuResource(UINT nResourceId, bool bReplace, bool bLoadTips)
{
    CMenu menu;
    if (!ResourceManagerHolder::GetResourceManager()->LoadMenu(&menu, nResourceId))
        return false;
    const bool bResult = UpdateFromMenu(menu.GetSafeHmenu(), bReplace, true, bLoadTips);
    menu.DestroyMenu();
    return bResult;
}

bool CUiCmdProfile::UpdateFromToolBar(UINT nResourceId, UINT** ppIds, int* pnCount, bool bReplace, bool bLoadTips,
                                      COLORREF clrTransparent)
{
    CUiResourceManager* pManager = ResourceManagerHolder::GetResourceManager();
    ResourceBuffer resource;
    if (!pManager->LoadResourceBuffer(resource, MAKEINTRESOURCEA(kToolBarResourceType),
                                      MAKEINTRESOURCEA(LOWORD(nResourceId))))
        return false;
    ToolBarResourceHeader header;
    if (resource.GetSize() < sizeof(header))
        return false;
    memcpy(&header, resource.GetData(), sizeof(header));
    if (resource.GetSize() < sizeof(header) + (DWORD)header.wCount * sizeof(WORD))
        return false;
    HBITMAP hBitmap = pManager->LoadBitmap(LOWORD(nResourceId));
    if (hBitmap == NULL)
        return false;
    // Every button's image is copied out of the strip, and Wine takes a look at the display's
    // configuration each time a loaded bitmap is selected: the strip is first copied once into
    // a bitmap of the same pixels, which on a 32-bit display it selects without one.
    if (HBITMAP hStrip = CloneBitmap(hBitmap)) {
        ::DeleteObject(hBitmap);
        hBitmap = hStrip;
    }

    const WORD* pButtons = reinterpret_cast<const WORD*>(resource.GetData() + sizeof(header));
    int nImage = 0;
    for (int i = 0; i < header.wCount; i++) {
        const UINT nCmdId = pButtons[i];
        if (nCmdId == 0)
            continue;
        const CRect rcImage(header.wWidth * nImage, 0, header.wWidth * (nImage + 1), header.wHeight);
        nImage++;
        CUiCmdIcon* pIcon = new CUiCmdIcon(hBitmap, clrTransparent, &rcImage, true);
        if (pIcon->IsEmpty()) {
            delete pIcon;
            continue;
        }
        CUiCmdItem cmdTemplate(nCmdId);
        if (bLoadTips)
            cmdTemplate.UpdateFromResource();
        if (CmdSetup(cmdTemplate, bReplace))
            CmdSetIcon(nCmdId, pIcon, true);
        else
            delete pIcon;
    }
    ::DeleteObject(hBitmap);

    if (ppIds != NULL) {
        *ppIds = new UINT[header.wCount > 0 ? header.wCount : 1];
        for (int i = 0; i < header.wCount; i++)
            (*ppIds)[i] = pButtons[i];
    }
    if (pnCount != NULL)
        *pnCount = header.wCount;
    return true;
}

bool CUiCmdProfile::UpdateFromToolBarCtrl(CWnd* pToolBar, bool bReplace, bool bLoadTips)
{
    if (pToolBar == NULL || !::IsWindow(pToolBar->GetSafeHwnd()))
        return false;
    HWND hToolBar = pToolBar->GetSafeHwnd();
    HIMAGELIST hImages = (HIMAGELIST)::SendMessage(hToolBar, TB_GETIMAGELIST, 0, 0);
    if (hImages == NULL)
        return false;
    const int nCount = (int)::SendMessage(hToolBar, TB_BUTTONCOUNT, 0, 0);
    for (int i = 0; i < nCount; i++) {
        TBBUTTON button;
        memset(&button, 0, sizeof(button));
        if (!::SendMessage(hToolBar, TB_GETBUTTON, (WPARAM)i, (LPARAM)&button) || button.idCommand == 0)
            continue;
        char szText[kMenuTextChars] = "";
        TBBUTTONINFOA info;
        memset(&info, 0, sizeof(info));
        info.cbSize = sizeof(info);
        info.dwMask = TBIF_IMAGE | TBIF_TEXT | TBIF_BYINDEX;
        info.pszText = szText;
        info.cchText = kMenuTextChars;
        int nImage = button.iBitmap;
        if (::SendMessage(hToolBar, TB_GETBUTTONINFOA, (WPARAM)i, (LPARAM)&info) >= 0)
            nImage = info.iImage;
        else
            szText[0] = '\0';
        CUiCmdItem cmdTemplate((UINT)button.idCommand);
        cmdTemplate.m_strToolbarText = szText;
        if (bLoadTips)
            cmdTemplate.UpdateFromResource();
        if (!CmdSetup(cmdTemplate, bReplace) || nImage < 0)
            continue;
        CUiCmdItem* pItem = CmdGetPtr((UINT)button.idCommand);
        if (pItem->m_nIconIndex >= 0)
            continue;
        HICON hIcon = ImageList_GetIcon(hImages, nImage, ILD_NORMAL);
        if (hIcon == NULL)
            continue;
        CUiCmdIcon* pIcon = new CUiCmdIcon;
        pIcon->ConstructFromIcon(hIcon, false);
        AppendIcon(pItem, pIcon);
    }
    return true;
}
