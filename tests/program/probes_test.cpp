// The probes the journeys read the program with wait for a program that a busy machine holds
// up, and each rejects the state it must reject: a greyed menu item, a hidden pane (its view
// menu check, its tab), a missing status bar.
#include <gtest/gtest.h>

#include "journeys.h"

#include <thread>

using namespace e2e;

TEST(Probes, WaitForAHeldProgramAndRejectAGreyedItemAHiddenPaneAMissingTabAndAMissingStatusBar)
{
    Korvane k;
    ASSERT_TRUE(k.Start());

    // The program's thread held, as cores busy with other work hold it, while the caption's
    // double click waits for it, and let go a moment later: the screen is still all the while,
    // but the program has not taken its input. Once the probe says the window is still, it is
    // maximised and laid out anew, the status bar along its bottom.
    HANDLE hThread = ::OpenThread(THREAD_SUSPEND_RESUME, FALSE, ::GetWindowThreadProcessId(k.Main(), NULL));
    ASSERT_NE(nullptr, hThread);
    ASSERT_NE(static_cast<DWORD>(-1), ::SuspendThread(hThread));
    const RECT rcBefore = ScreenRect(k.Main());
    DoubleClick(rcBefore.left + 200, rcBefore.top + 8);
    std::thread release([hThread] {
        ::Sleep(1500);
        ::ResumeThread(hThread);
    });
    WaitStill(rcBefore);
    const bool zoomed = ::IsZoomed(k.Main()) != FALSE;
    const RECT rcStatus = ScreenRect(k.StatusBar());
    RECT client;
    ::GetClientRect(k.Main(), &client);
    ::MapWindowPoints(k.Main(), NULL, reinterpret_cast<POINT*>(&client), 2);
    release.join();
    ::CloseHandle(hThread);
    EXPECT_TRUE(zoomed) << "still before the program took the double click";
    EXPECT_EQ(client.bottom, rcStatus.bottom) << "still before the program laid its window out";

    // With an empty log the file menu can load a log but neither save nor export one.
    HWND hPopup = k.OpenMenu('F');
    ASSERT_NE(nullptr, hPopup);
    std::vector<MenuRow> rows = k.MenuCommands(hPopup);
    ASSERT_EQ(4u, rows.size());
    EXPECT_FALSE(rows[0].greyed);
    EXPECT_TRUE(rows[1].greyed);
    EXPECT_TRUE(rows[2].greyed);
    EXPECT_TRUE(rows[0].highlighted) << "the first item of a menu opened by its key is highlighted";
    EXPECT_FALSE(rows[1].highlighted);
    k.CloseMenus();

    // The detailed log data hidden through the view menu: not seen, unchecked, no tab.
    const LayoutView before = k.ReadLayout();
    ASSERT_TRUE(before.Pane(32774)->seen);
    ASSERT_NE(nullptr, before.GroupOf(32774));
    const size_t tabsBefore = k.TabLabels(TabStripOf(before.GroupOf(32774)->hwnd)).size();
    ClickViewRow(k, 3);
    ASSERT_TRUE(WaitFor([&] { return !k.ReadLayout().Pane(32774)->seen; })) << "the hidden pane is still seen";
    // The focus went on with the hidden pane; the view menu's key still opens it.
    const ViewChecks checks = ReadViewChecks(k);
    EXPECT_FALSE(checks.panes[1]) << "the hidden pane is checked in the view menu";
    EXPECT_TRUE(checks.panes[2]) << "a shown pane is unchecked";
    const LayoutView after = k.ReadLayout();
    const GroupView* group = after.GroupOf(32776);
    ASSERT_NE(nullptr, group);
    EXPECT_EQ(tabsBefore - 1, k.TabLabels(TabStripOf(group->hwnd)).size()) << "the hidden pane's tab is still shown";

    // The status bar switched off through the view menu is not seen.
    ClickViewRow(k, 1);
    WaitStill(ScreenRect(k.Main()));
    EXPECT_FALSE(StatusBarSeen(k));
    EXPECT_FALSE(ReadViewChecks(k).statusBar);
    EXPECT_TRUE(k.Close());
}
