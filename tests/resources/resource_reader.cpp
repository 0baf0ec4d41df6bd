#include "resource_reader.h"

#include <cstring>

namespace restest {

namespace {

std::string Narrow(const WCHAR* p, int nLength)
{
    if (nLength <= 0)
        return std::string();
    const int n = ::WideCharToMultiByte(932, 0, p, nLength, nullptr, 0, nullptr, nullptr);
    std::string out(n, '\0');
    ::WideCharToMultiByte(932, 0, p, nLength, out.data(), n, nullptr, nullptr);
    return out;
}

const BYTE* LockResourceData(UINT nId, LPCSTR lpType, DWORD* pnSize)
{
    HMODULE hModule = ::GetModuleHandleA(nullptr);
    HRSRC hRsrc = ::FindResourceA(hModule, MAKEINTRESOURCEA(nId), lpType);
    if (hRsrc == nullptr)
        return nullptr;
    HGLOBAL hGlobal = ::LoadResource(hModule, hRsrc);
    *pnSize = ::SizeofResource(hModule, hRsrc);
    return hGlobal != nullptr ? static_cast<const BYTE*>(::LockResource(hGlobal)) : nullptr;
}

std::vector<MenuEntry> ReadMenuHandle(HMENU hMenu)
{
    std::vector<MenuEntry> items;
    const int nCount = ::GetMenuItemCount(hMenu);
    for (int i = 0; i < nCount; ++i) {
        char szText[256] = {};
        MENUITEMINFOA info = {};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
        info.dwTypeData = szText;
        info.cch = sizeof(szText) - 1;
        ::GetMenuItemInfoA(hMenu, i, TRUE, &info);
        MenuEntry entry;
        entry.bSeparator = (info.fType & MFT_SEPARATOR) != 0;
        entry.text = szText;
        if (info.hSubMenu != nullptr)
            entry.children = ReadMenuHandle(info.hSubMenu);
        else if (!entry.bSeparator)
            entry.nId = info.wID;
        items.push_back(entry);
    }
    return items;
}

// A name or ordinal field of a template: 0 none, 0xFFFF and an ordinal, or a string.
const WORD* ReadNameOrOrdinal(const WORD* p, std::string& name)
{
    static const char* const kPredefined[] = {"Button", "Edit", "Static", "ListBox", "ScrollBar", "ComboBox"};
    if (*p == 0xFFFF) {
        const WORD wOrdinal = p[1];
        if (wOrdinal >= 0x80 && wOrdinal <= 0x85)
            name = kPredefined[wOrdinal - 0x80];
        else
            name = "#" + std::to_string(wOrdinal);
        return p + 2;
    }
    const WCHAR* psz = reinterpret_cast<const WCHAR*>(p);
    const int nLength = static_cast<int>(wcslen(psz));
    name = Narrow(psz, nLength);
    return p + nLength + 1;
}

const BYTE* AlignDword(const BYTE* p, const BYTE* pBase)
{
    return pBase + ((p - pBase + 3) & ~3);
}

}  // namespace

std::string LoadText(UINT nId)
{
    char szText[1024] = {};
    const int n = ::LoadStringA(::GetModuleHandleA(nullptr), nId, szText, sizeof(szText));
    return std::string(szText, n > 0 ? n : 0);
}

std::vector<MenuEntry> ReadMenu(UINT nMenuId)
{
    HMENU hMenu = ::LoadMenuA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(nMenuId));
    if (hMenu == nullptr)
        return {};
    std::vector<MenuEntry> items = ReadMenuHandle(hMenu);
    ::DestroyMenu(hMenu);
    return items;
}

void CollectCommands(const std::vector<MenuEntry>& items, std::vector<UINT>& ids)
{
    for (const MenuEntry& entry : items) {
        if (entry.nId != 0)
            ids.push_back(entry.nId);
        CollectCommands(entry.children, ids);
    }
}

std::vector<WORD> ReadToolBar(UINT nId)
{
    DWORD nSize = 0;
    const BYTE* p = LockResourceData(nId, MAKEINTRESOURCEA(241), &nSize);
    if (p == nullptr)
        return {};
    std::vector<WORD> words(nSize / 2);
    std::memcpy(words.data(), p, words.size() * 2);
    return words;
}

const DialogControl* DialogTemplate::Find(UINT nId) const
{
    for (const DialogControl& control : controls)
        if (control.nId == nId)
            return &control;
    return nullptr;
}

DialogTemplate ReadDialog(UINT nId)
{
    DialogTemplate dialog;
    DWORD nSize = 0;
    const BYTE* pBase = LockResourceData(nId, RT_DIALOG, &nSize);
    if (pBase == nullptr || nSize < 26)
        return dialog;
    const WORD* pw = reinterpret_cast<const WORD*>(pBase);
    if (pw[0] != 1 || pw[1] != 0xFFFF)
        return dialog;  // only the extended form is written by our scripts
    dialog.bFound = true;
    std::memcpy(&dialog.dwStyle, pBase + 12, 4);
    const WORD nItems = *reinterpret_cast<const WORD*>(pBase + 16);
    pw = reinterpret_cast<const WORD*>(pBase + 26);
    std::string ignored;
    pw = ReadNameOrOrdinal(pw, ignored);  // menu
    pw = ReadNameOrOrdinal(pw, ignored);  // class
    pw = ReadNameOrOrdinal(pw, dialog.caption);
    if (dialog.dwStyle & (DS_SETFONT | DS_SHELLFONT)) {
        dialog.wPointSize = pw[0];
        pw += 3;  // point size, weight, italic and character set
        pw = ReadNameOrOrdinal(pw, dialog.faceName);
    }
    const BYTE* p = reinterpret_cast<const BYTE*>(pw);
    for (WORD i = 0; i < nItems; ++i) {
        p = AlignDword(p, pBase);
        if (p + 24 > pBase + nSize)
            break;
        DialogControl control;
        std::memcpy(&control.dwStyle, p + 8, 4);
        short place[4];  // x, y, cx, cy
        std::memcpy(place, p + 12, sizeof(place));
        control.rc = {place[0], place[1], place[0] + place[2], place[1] + place[3]};
        std::memcpy(&control.nId, p + 20, 4);
        pw = ReadNameOrOrdinal(reinterpret_cast<const WORD*>(p + 24), control.className);
        pw = ReadNameOrOrdinal(pw, control.text);
        const WORD nExtra = *pw++;
        p = reinterpret_cast<const BYTE*>(pw) + nExtra;
        dialog.controls.push_back(control);
    }
    return dialog;
}

namespace {

BOOL CALLBACK AddDialogId(HMODULE, LPCSTR, LPSTR lpName, LONG_PTR lParam)
{
    // Our scripts name every template by a number; a name would show as id 0.
    reinterpret_cast<std::vector<UINT>*>(lParam)->push_back(IS_INTRESOURCE(lpName) ? LOWORD(lpName) : 0);
    return TRUE;
}

}  // namespace

std::vector<UINT> DialogIds(HMODULE hModule)
{
    std::vector<UINT> ids;
    ::EnumResourceNamesA(hModule != nullptr ? hModule : ::GetModuleHandleA(nullptr), RT_DIALOG, AddDialogId,
                         reinterpret_cast<LONG_PTR>(&ids));
    return ids;
}

std::vector<InitEntry> ReadDialogInit(UINT nId)
{
    std::vector<InitEntry> entries;
    DWORD nSize = 0;
    const BYTE* p = LockResourceData(nId, MAKEINTRESOURCEA(240), &nSize);
    if (p == nullptr)
        return entries;
    const BYTE* pEnd = p + nSize;
    while (p + 2 <= pEnd) {
        WORD wId;
        std::memcpy(&wId, p, 2);
        if (wId == 0 || p + 8 > pEnd)
            break;
        InitEntry entry;
        entry.nControlId = wId;
        std::memcpy(&entry.wMessage, p + 2, 2);
        DWORD nLength;
        std::memcpy(&nLength, p + 4, 4);
        p += 8;
        if (nLength > static_cast<DWORD>(pEnd - p))
            break;
        entry.text.assign(reinterpret_cast<const char*>(p), strnlen(reinterpret_cast<const char*>(p), nLength));
        p += nLength;
        entries.push_back(entry);
    }
    return entries;
}

}  // namespace restest
