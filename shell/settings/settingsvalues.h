// The window-free rules of the other-settings pages: the least number of log entries kept and
// the menu animations offered on the toolbar page.
#pragma once

// The log keeps at least this many entries, whatever the page was given.
const int kMinLogEntries = 10;
int AtLeastMinLogEntries(int nEntries);

// One menu animation: the name in the list and the popup menus' animation number.
struct MenuAnimationEntry
{
    char szName[64];
    int nNumber;
};

// In list order, ended by an entry with an empty name.
extern const MenuAnimationEntry kMenuAnimations[];

// The list index of the animation with this number; 0 ("(none)") when none has it.
int MenuAnimationListIndex(int nNumber);
