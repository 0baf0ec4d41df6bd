// Reading the program's resources from this executable's module without any window: strings,
// menus, dialog templates (DLGTEMPLATEEX) and dialog init data, in code page 932.
#pragma once

#include <windows.h>
#include <string>
#include <vector>

namespace restest {

// The string of an id as LoadString gives it; empty when the id has none.
std::string LoadText(UINT nId);

struct MenuEntry
{
    UINT nId = 0;          // 0 for a separator or a popup
    bool bSeparator = false;
    std::string text;
    std::vector<MenuEntry> children;  // a popup's items
};
// The items of a menu resource, popups with their items; empty when it cannot be loaded.
std::vector<MenuEntry> ReadMenu(UINT nMenuId);
// Every command id of a menu, popups walked.
void CollectCommands(const std::vector<MenuEntry>& items, std::vector<UINT>& ids);

// The words of a toolbar resource (type 241); empty when absent.
std::vector<WORD> ReadToolBar(UINT nId);

struct DialogControl
{
    UINT nId = 0;
    std::string className;  // predefined classes by name ("Button", "Edit", ...)
    std::string text;
    DWORD dwStyle = 0;
    RECT rc = {};  // in dialog units, as the template places it
};
struct DialogTemplate
{
    bool bFound = false;
    DWORD dwStyle = 0;
    std::string caption;
    std::string faceName;
    WORD wPointSize = 0;
    std::vector<DialogControl> controls;
    const DialogControl* Find(UINT nId) const;
};
// Walks the bytes of an extended dialog template.
DialogTemplate ReadDialog(UINT nId);
// The ids of every dialog template of a module (this executable's by default).
std::vector<UINT> DialogIds(HMODULE hModule = nullptr);

struct InitEntry
{
    UINT nControlId = 0;
    WORD wMessage = 0;
    std::string text;
};
// The records of a template's dialog init data (type 240), in order.
std::vector<InitEntry> ReadDialogInit(UINT nId);

}  // namespace restest
