#include "cmdprofile.h"

#include "cmdicon.h"

namespace {

const UINT kHighestFreeId = 65534;

} // namespace

CUiCmdProfile::CUiCmdProfile(LPCSTR lpszName)
    : m_strName(lpszName != NULL ? lpszName : ""), m_nRarelyPercent(CUiCmdItem::kDefaultRarelyPercent),
      m_nTotalUsage(0), m_cmds(10)
{
}

CUiCmdProfile::~CUiCmdProfile()
{
    CmdRemoveAll();
}

void CUiCmdProfile::CmdRemoveAll()
{
    for (INT_PTR i = 0; i < m_icons.GetSize(); i++)
        delete m_icons[i];
    m_icons.RemoveAll();
    ForEachItem([](CUiCmdItem* pItem) { delete pItem; });
    m_cmds.RemoveAll();
}

CUiCmdItem* CUiCmdProfile::OnCreateCmdItem(const CUiCmdItem& cmdTemplate)
{
    return new CUiCmdItem(cmdTemplate);
}

bool CUiCmdProfile::CmdSetup(const CUiCmdItem& cmdTemplate, bool bReplace, bool* pbNew)
{
    if (pbNew != NULL)
        *pbNew = false;
    if ((int)cmdTemplate.m_nCmdId < 1)
        return false;
    CUiCmdItem* pItem = CmdGetPtr(cmdTemplate.m_nCmdId);
    if (pItem != NULL) {
        if (bReplace)
            pItem->UpdateMoreExact(cmdTemplate);
        else
            pItem->UpdateMoreEmpty(cmdTemplate);
        return true;
    }
    pItem = OnCreateCmdItem(cmdTemplate);
    pItem->m_pProfile = this;
    m_cmds[cmdTemplate.m_nCmdId] = pItem;
    if (pbNew != NULL)
        *pbNew = true;
    return true;
}

void CUiCmdProfile::RemoveIconAt(int nIndex)
{
    delete m_icons[nIndex];
    m_icons.RemoveAt(nIndex);
    ForEachItem([nIndex](CUiCmdItem* pItem) {
        if (pItem->m_nIconIndex >= nIndex)
            pItem->m_nIconIndex--;
    });
}

bool CUiCmdProfile::CmdRemove(UINT nCmdId, bool* pbRemoved)
{
    if (pbRemoved != NULL)
        *pbRemoved = false;
    if ((int)nCmdId < 1)
        return false;
    CUiCmdItem* pItem = CmdGetPtr(nCmdId);
    if (pItem == NULL)
        return true;
    const int nIconIndex = pItem->m_nIconIndex;
    m_cmds.RemoveKey(nCmdId);
    delete pItem;
    if (pbRemoved != NULL)
        *pbRemoved = true;
    if (nIconIndex >= 0 && nIconIndex < m_icons.GetSize())
        RemoveIconAt(nIconIndex);
    return true;
}

void CUiCmdProfile::CmdRemoveByMask(DWORD dwMask, bool bExact)
{
    CDWordArray ids;
    ForEachItem([&](CUiCmdItem* pItem) {
        const DWORD dwCommon = pItem->m_dwState & dwMask;
        if (bExact ? dwCommon == dwMask : dwCommon != 0)
            ids.Add(pItem->m_nCmdId);
    });
    for (INT_PTR i = 0; i < ids.GetSize(); i++)
        CmdRemove(ids[i]);
}

CUiCmdItem* CUiCmdProfile::CmdAllocPtr(UINT nCmdId)
{
    if (nCmdId == 0) {
        for (UINT nFree = kHighestFreeId; nFree >= 1 && nCmdId == 0; nFree--) {
            if (!CmdIsRegistered(nFree))
                nCmdId = nFree;
        }
        if (nCmdId == 0)
            return NULL;
    } else if (CmdIsRegistered(nCmdId)) {
        return NULL;
    }
    if (!CmdSetup(CUiCmdItem(nCmdId)))
        return NULL;
    return CmdGetPtr(nCmdId);
}

CUiCmdItem* CUiCmdProfile::CmdGetPtr(UINT nCmdId)
{
    if ((int)nCmdId < 1)
        return NULL;
    CUiCmdItem* pItem = NULL;
    if (!m_cmds.Lookup(nCmdId, pItem))
        return NULL;
    return pItem;
}

bool CUiCmdProfile::CmdIsRegistered(UINT nCmdId)
{
    return CmdGetPtr(nCmdId) != NULL;
}

void CUiCmdProfile::AppendIcon(CUiCmdItem* pItem, CUiCmdIcon* pIcon)
{
    pItem->m_nIconIndex = (int)m_icons.Add(pIcon);
}

bool CUiCmdProfile::CmdSetIcon(UINT nCmdId, CUiCmdIcon* pIcon, bool bUseDirectly)
{
    if (pIcon != NULL && pIcon->IsEmpty()) {
        if (bUseDirectly)
            delete pIcon;
        pIcon = NULL;
    }
    CUiCmdItem* pItem = CmdGetPtr(nCmdId);
    if (pItem == NULL) {
        // The icon was handed over with the call: what cannot be used is not left behind.
        if (bUseDirectly)
            delete pIcon;
        return false;
    }
    if (pIcon == NULL) {
        if (pItem->m_nIconIndex >= 0) {
            const int nIndex = pItem->m_nIconIndex;
            pItem->m_nIconIndex = -1;
            RemoveIconAt(nIndex);
        }
        return true;
    }
    if (pItem->m_nIconIndex >= 0) {
        if (bUseDirectly) {
            delete m_icons[pItem->m_nIconIndex];
            m_icons[pItem->m_nIconIndex] = pIcon;
        } else {
            m_icons[pItem->m_nIconIndex]->AssignFromOther(*pIcon);
        }
        return true;
    }
    AppendIcon(pItem, bUseDirectly ? pIcon : new CUiCmdIcon(*pIcon));
    return true;
}

bool CUiCmdProfile::CmdSetIconHandle(UINT nCmdId, HICON hIcon, bool bCopy)
{
    if (hIcon == NULL)
        return CmdSetIcon(nCmdId, NULL, false);
    CUiCmdIcon icon;
    icon.ConstructFromIcon(hIcon, bCopy);
    return CmdSetIcon(nCmdId, &icon, false);
}

CUiCmdIcon* CUiCmdProfile::CmdGetIconPtr(UINT nCmdId)
{
    CUiCmdItem* pItem = CmdGetPtr(nCmdId);
    if (pItem == NULL || pItem->m_nIconIndex < 0 || pItem->m_nIconIndex >= m_icons.GetSize())
        return NULL;
    return m_icons[pItem->m_nIconIndex];
}

bool CUiCmdProfile::SetBasicCommands(const UINT* pIds, bool bOn)
{
    if (pIds == NULL)
        return false;
    bool bAll = true;
    for (; *pIds != 0; pIds++) {
        if (CUiCmdItem::IsSysCommandId(*pIds)) {
            bAll = false;
            continue;
        }
        CUiCmdItem* pItem = CmdGetPtr(*pIds);
        if (pItem == NULL) {
            bAll = false;
            continue;
        }
        pItem->StateSetBasic(bOn);
    }
    return bAll;
}

void CUiCmdProfile::OnSysColorChange()
{
    ForEachItem([&](CUiCmdItem* pItem) { pItem->OnSysColorChange(); });
}

void CUiCmdProfile::OnSettingChange(UINT uFlags, LPCSTR lpszSection)
{
    ForEachItem([&](CUiCmdItem* pItem) { pItem->OnSettingChange(uFlags, lpszSection); });
}

void CUiCmdProfile::OnDisplayChange(int nBitsPerPixel, int cx, int cy)
{
    ForEachItem([&](CUiCmdItem* pItem) { pItem->OnDisplayChange(nBitsPerPixel, cx, cy); });
}

void CUiCmdProfile::OnThemeChanged(WPARAM wParam, LPARAM lParam)
{
    ForEachItem([&](CUiCmdItem* pItem) { pItem->OnThemeChanged(wParam, lParam); });
}

void CUiCmdProfile::ResetUsageStatistics()
{
    ForEachItem([&](CUiCmdItem* pItem) { pItem->ResetUsageCount(); });
    m_nTotalUsage = 0;
}

void CUiCmdProfile::AssignFrom(const CUiCmdProfile& other)
{
    if (&other == this)
        return;
    m_strName = other.m_strName;
    m_nRarelyPercent = other.m_nRarelyPercent;
    m_nTotalUsage = other.m_nTotalUsage;
    CmdRemoveAll();
    other.ForEachItem([this](CUiCmdItem* pItem) {
        CUiCmdItem* pCopy = OnCreateCmdItem(*pItem);
        pCopy->m_pProfile = this;
        m_cmds[pItem->m_nCmdId] = pCopy;
    });
    for (INT_PTR i = 0; i < other.m_icons.GetSize(); i++)
        m_icons.Add(new CUiCmdIcon(*other.m_icons[i]));
}
