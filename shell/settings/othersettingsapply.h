// What applying the other settings changes at once besides the settings themselves: the frame
// is asked to refresh what depends on the toolbar size and the log size, the log list takes a
// new font, each hex editor whose display settings changed takes them, and a new menu
// animation becomes the popup menus' default.
//
// The log list and the editors belong to the application; it installs a host through which
// they are reached. Without a host only the refreshes and the menu animation take effect.
#pragma once

#include "afxwin.h"
#include "appsettings.h"

#include <vector>

class IOtherSettingsHost {
public:
    virtual ~IOtherSettingsHost() {}
    // The log list's font from the settings' log font index.
    virtual void ApplyLogFont(const CAppSettings& settings) = 0;
    // The display settings of one editor (a CAppSettings::EditorIndex) into that editor.
    virtual void ApplyEditorSettings(int nEditorIndex, const CAppSettings& settings) = 0;
};

// The installed host (not owned), or null.
void SetOtherSettingsHost(IOtherSettingsHost* pHost);
IOtherSettingsHost* GetOtherSettingsHost();

// The frame refresh asked for a changed toolbar size (no effect before the next start).
const WPARAM kRefreshToolbarSize = 1;
// The frame refresh that lists the log again.
const WPARAM kRefreshLogList = 0;

// Whether all nine display fields are equal.
bool SameEditorDisplay(const CEditorDisplaySettings& a, const CEditorDisplaySettings& b);

// Acts on the differences between the settings before and after the pages were taken; the
// frame refreshes that the change asks for, in the order to post them.
std::vector<WPARAM> ApplyOtherSettingsChanges(const CAppSettings& before, const CAppSettings& after);
