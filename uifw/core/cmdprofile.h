// A named set of command items with the icons of those commands and the usage statistics that
// decide which commands are rarely used. The profile owns its items and icons; an item's icon
// index selects an entry of the icon array, and no two items share one.
//
// It fills itself from menus, menu resources, toolbar resources and toolbar windows, and
// keeps the usage counts in a small archive (a header, the total, one record per counted
// command, an end mark) that the registry archive stores between runs. Reading an archive
// is all or nothing: the records are gathered aside and applied only once the end mark was
// read, so a broken archive never leaves the profile half loaded.
#pragma once

#include "afxwin.h"
#include "afxtempl.h"

#include "cmditem.h"

class CUiCmdIcon;

class CUiCmdProfile
{
public:
    typedef CMap<UINT, UINT, CUiCmdItem*, CUiCmdItem*> CCmdMap;
    typedef CTypedPtrArray<CPtrArray, CUiCmdIcon*> CIconArray;

    explicit CUiCmdProfile(LPCSTR lpszName = NULL);
    virtual ~CUiCmdProfile();

    // A known command takes the template's texts and icon index: with bReplace the
    // template's non-empty ones win, without it only what the item lacks is filled.
    virtual bool CmdSetup(const CUiCmdItem& cmdTemplate, bool bReplace = false, bool* pbNew = NULL);
    virtual bool CmdRemove(UINT nCmdId, bool* pbRemoved = NULL);
    virtual void CmdRemoveAll();
    // Every command whose state has a bit of dwMask (with bExact: all of them).
    virtual void CmdRemoveByMask(DWORD dwMask, bool bExact = false);
    // 0 chooses the highest free identifier from 65534 down.
    virtual CUiCmdItem* CmdAllocPtr(UINT nCmdId = 0);
    virtual CUiCmdItem* CmdGetPtr(UINT nCmdId);
    // With bUseDirectly the profile takes pIcon over from the call on, used or not; without
    // it the profile keeps a copy. NULL (or an empty icon) removes the command's icon.
    virtual bool CmdSetIcon(UINT nCmdId, CUiCmdIcon* pIcon, bool bUseDirectly);
    virtual CUiCmdIcon* CmdGetIconPtr(UINT nCmdId);
    virtual bool CmdIsRegistered(UINT nCmdId);
    virtual bool UpdateFromMenuResource(UINT nResourceId, bool bReplace = false, bool bLoadTips = true);
    virtual bool UpdateFromMenu(HMENU hMenu, bool bReplace = false, bool bRecursive = true, bool bLoadTips = true);
    // A toolbar resource (type 241) and the bitmap of the same id: every button's command
    // with the button's image. *ppIds (allocated with new[], freed by the caller with
    // delete[]) lists all buttons in order, separators as 0.
    virtual bool UpdateFromToolBar(UINT nResourceId, UINT** ppIds = NULL, int* pnCount = NULL, bool bReplace = false,
                                   bool bLoadTips = true, COLORREF clrTransparent = RGB(192, 192, 192));
    virtual bool UpdateFromToolBarCtrl(CWnd* pToolBar, bool bReplace = false, bool bLoadTips = true);
    // pIds ends with 0; system-menu commands are refused.
    virtual bool SetBasicCommands(const UINT* pIds, bool bOn = true);
    virtual bool SerializeProfile(CArchive& ar);
    virtual bool PersistInRegistry(LPCSTR lpszCompanyKey, LPCSTR lpszProductKey, bool bSave);
    virtual void OnSysColorChange();
    virtual void OnSettingChange(UINT uFlags, LPCSTR lpszSection);
    virtual void OnDisplayChange(int nBitsPerPixel, int cx, int cy);
    virtual void OnThemeChanged(WPARAM wParam, LPARAM lParam);
    virtual void ResetUsageStatistics();
    virtual void AssignFrom(const CUiCmdProfile& other);
    virtual CUiCmdItem* OnCreateCmdItem(const CUiCmdItem& cmdTemplate);

    // A null handle removes the icon. Without bCopy the handle is consumed (destroyed after
    // the call); with it the caller keeps it.
    bool CmdSetIconHandle(UINT nCmdId, HICON hIcon, bool bCopy);
    const CString& GetName() const { return m_strName; }
    // Calls fn(item) for every item, in the order of the command map.
    template <class Fn> void ForEachItem(Fn fn) const
    {
        POSITION pos = m_cmds.GetStartPosition();
        while (pos != NULL) {
            UINT nCmdId;
            CUiCmdItem* pItem;
            m_cmds.GetNextAssoc(pos, nCmdId, pItem);
            fn(pItem);
        }
    }

    CString m_strName;
    UINT m_nRarelyPercent;
    UINT m_nTotalUsage;
    CCmdMap m_cmds;
    CIconArray m_icons;

private:
    // Deletes icon nIndex and moves every later index down by one.
    void RemoveIconAt(int nIndex);
    // Appends (or takes over) an icon for an item that has none.
    void AppendIcon(CUiCmdItem* pItem, CUiCmdIcon* pIcon);
    bool LoadStatistics(CArchive& ar);
    void StoreStatistics(CArchive& ar);

    CUiCmdProfile(const CUiCmdProfile&) = delete;
    CUiCmdProfile& operator=(const CUiCmdProfile&) = delete;
};
