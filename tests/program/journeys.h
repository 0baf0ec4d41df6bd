// What the journeys share: the default layout as a person sees it, the view menu's checks, the
// status bar as drawn, a start-up set on the pseudo-terminal pair.
#pragma once

#include "korvaneui.h"

#include <gtest/gtest.h>

#include <string>

namespace e2e {

// A value of the program's settings (its "CMN" key), as a user sets it while the program is not
// running: "UI" picks the look (32827 Studio 2005, 32828 Office 2003, 32829 XP, 32830 classic).
void SetProgramSetting(const char* name, DWORD value);

// The status bar shown at the bottom of the main window with its panes drawn.
bool StatusBarSeen(const Korvane& k);
// The port 1 state shown in the status bar.
std::string PortState(const Korvane& k);

// The right group (send data editor selected, script 1, script 2) and the bottom group
// (detailed log data selected, connection status, send data explorer, COM control 1 and 2),
// docked in the main window; tab orders read from the strips.
void ExpectDefaultLayout(const Korvane& k, const LayoutView& layout);

struct ViewChecks {
    bool toolbar = false;
    bool statusBar = false;
    bool panes[8] = {};
};
// The check marks of the view menu's bar and pane items, read from its pixels.
ViewChecks ReadViewChecks(Korvane& k);
// Clicks the view menu's row of a bar or pane (0 toolbar, 1 status bar, 2.. the panes).
void ClickViewRow(Korvane& k, int row);

// Through F12's dialog: port 1 on the program's end of the pair, its baud rate picked from
// the drop list, and the received data echoed back.
void ChooseSettings(Korvane& k);

// "auto.kvr" in the program's folder: a set of that name whose port 1 is in use on the
// program's end of the pair (written by the tests' own set writer), in extended mode with the
// extension DLL of that path when one is given.
// With bLines, port 1 reads blocks up to a line feed at 115200 baud with 64 KiB buffers.
bool WriteStartupSet(Korvane& k, const char* name, const std::string& extensionDll = "", bool bLines = false);
// The view menu's automatic scroll turned on by its keys; answers whether the menu then shows
// it checked.
bool TurnOnAutoScroll(Korvane& k);
// The peer opened, and the program started with such a set: its port 1 connected.
void StartConnected(Korvane& k, SerialPeer& peer, const char* name);

// The first log row whose contents begin with kind and hold text, the spaces that group the
// hex digits in byte pairs left out (blocks sharing a row are grouped from the first one's
// start); -1 when none does.
int FindLogRow(const Korvane& k, const std::string& text, const char* kind = "");
// The same for the given bytes' hex digits.
int FindLogRow(const Korvane& k, const char* kind, const std::vector<BYTE>& bytes);

const char kConnected[] = "接続中";
const char kNone[] = "None";

} // namespace e2e

namespace e2e {

// ---- Dragging bars as a hand does.

// The dock markers shown while a bar is dragged: the four at the main window's edges and
// the compass over the bar or view under the cursor (its centre joins a tabbed group).
struct Markers {
    RECT left = {}, right = {}, top = {}, bottom = {};
    RECT compassLeft = {}, compassRight = {}, compassTop = {}, compassBottom = {};
    RECT compassCentre = {};
    bool outer = false;    // all four known (AddOuterMarkers)
    bool compass = false;
    bool compassTab = false;  // the compass's tab marker, which stands over a group, shown
    std::string seen;  // every marker's rectangle, for a failure's message
};
Markers ReadMarkers(const Korvane& k);
// The outer markers shown now added to those known from earlier looks during the same drag: a
// slow program shows the four one after the other, and hides them while the pointer is over a
// group.
Markers AddOuterMarkers(const Korvane& k, Markers known);
// Waits until the compass stands over hTarget, with its tab marker when bTab, the pointer
// stirring a pixel at `over` as a hand that holds a drag does: a slow program still shows the
// compass over the group the pointer crossed before, and moves it only at a later move. False
// (markers.seen says what showed) when it never came.
bool WaitForCompassOver(const Korvane& k, HWND hTarget, POINT over, bool bTab, Markers& markers);

// The point on a bar's caption (docked group or floating frame) that a hand takes.
POINT CaptionPoint(HWND hWnd);
// The floating frame that holds a pane, NULL when it is docked.
HWND FloatingFrameOf(const Korvane& k, int paneId);
// The tab strip of a group.
HWND TabStripOf(HWND hGroup);

// After a docking step: every pane still exists, every group's strip shows one tab per pane
// inside it, and every pane is seen or can be brought up by its tab.
void ExpectEveryPaneReachable(const Korvane& k, const std::string& step);

} // namespace e2e
