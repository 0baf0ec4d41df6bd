// The window-free rules of the settings pages: how a number typed into a digit edit is read,
// the least number of log entries kept, and the menu animations offered on the toolbar page.
#pragma once

// The decimal number of a text: optional leading spaces and sign, then digits up to the first
// other character; empty or without digits gives 0. A number beyond the int range is held at
// its nearest end instead of wrapping, so a long run of digits never turns negative.
int ParseClampedInt(const char* pszText);

// The log keeps at least this many entries, whatever the page was given.
const int kMinLogEntries = 10;
// The entries-kept field of the log-save page: its number, raised to kMinLogEntries.
int LogEntriesFromText(const char* pszText);

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
