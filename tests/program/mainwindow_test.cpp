// The main window as a user meets it: the status bar at the bottom following the port and the
// view menu on every start, the menu bar as the top row, the COM control panes' seven line
// indicators, the log list drawing each row once after its size changes and a menu closed over
// it with every character of its rows, low lines in the log list and the script editor, and the
// log font kept across a restart.
#include <gtest/gtest.h>

#include "journeys.h"
#include "resource.h"

#include <algorithm>
#include <set>

using namespace e2e;

namespace {

const char kWaiting[] = "処理待機中";

RECT ClientOnScreen(HWND hWnd)
{
    RECT rc;
    ::GetClientRect(hWnd, &rc);
    ::MapWindowPoints(hWnd, NULL, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

// The status bar lies along the whole bottom of the main window's client area.
void ExpectStatusBarAtTheBottom(const Korvane& k)
{
    const RECT rc = WaitSettled(k.StatusBar());
    ASSERT_TRUE(StatusBarSeen(k)) << "no status bar";
    const RECT client = ClientOnScreen(k.Main());
    EXPECT_EQ(client.bottom, rc.bottom);
    EXPECT_EQ(client.left, rc.left);
    EXPECT_EQ(client.right, rc.right);
}

// The log list's rows as drawn now against a fresh paint of the same rows: the pixels that
// differ, leaving out a lone line of them (the list view's grid line along the top of the
// first row after a scroll), which no row drawn twice or out of place ever is.
int RowsRedrawnDifferently(const Korvane& k)
{
    HWND hList = k.LogList();
    const RECT rc = WaitSettled(hList);
    WaitStill(rc);
    const Screenshot shown(rc);
    ::InvalidateRect(hList, NULL, TRUE);
    ::UpdateWindow(hList);
    WaitStill(rc);
    const Screenshot fresh(rc);
    // A floating frame over the list is not the list: a caret blinking in it would count.
    std::vector<RECT> above;
    for (HWND hTop : TopWindows(k.Pid()))
        if (hTop != k.Main())
            above.push_back(ScreenRect(hTop));
    auto covered = [&](int x, int y) {
        const POINT pt = {rc.left + x, rc.top + y};
        return std::any_of(above.begin(), above.end(), [&](const RECT& r) { return ::PtInRect(&r, pt) != FALSE; });
    };
    std::vector<int> perRow(shown.Height(), 0);
    for (int y = 0; y < shown.Height(); ++y)
        for (int x = 0; x < shown.Width(); ++x)
            perRow[y] += shown.AtLocal(x, y) != fresh.AtLocal(x, y) && !covered(x, y);
    int differing = 0;
    for (int y = 0; y < shown.Height(); ++y) {
        const bool lone = (y == 0 || perRow[y - 1] == 0) && (y + 1 == shown.Height() || perRow[y + 1] == 0);
        if (!lone)
            differing += perRow[y];
    }
    return differing;
}

// Whether the lowest ink of a text begins inside it rather than at its first character: an
// underscore lies below the letters' baseline, under the characters after the first ones.
bool LowestInkStartsInside(const Screenshot& shot)
{
    const COLORREF back = shot.AtLocal(shot.Width() - 1, 0);
    auto ink = [&](int x, int y) { return std::abs(Luma(shot.AtLocal(x, y)) - Luma(back)) > 80; };
    int first = shot.Width();
    for (int y = 0; y < shot.Height(); ++y)
        for (int x = 0; x < shot.Width(); ++x)
            if (ink(x, y))
                first = std::min(first, x);
    for (int y = shot.Height() - 1; y >= 0; --y) {
        for (int x = 0; x < shot.Width(); ++x) {
            if (ink(x, y))
                return x - first >= 6;
        }
    }
    return false;
}

// Of two lines of the same text but for one character, the first at the top of the shot:
// where the first's pixels differ from the second's, at the offset (the line height) where
// they differ least, from the top row and the first column of the first line's ink.
std::vector<POINT> FirstLineDifferences(const Screenshot& shot, int* pWidth)
{
    const COLORREF back = MostCommonColor(shot);
    auto ink = [&](int x, int y) { return shot.AtLocal(x, y) != back; };
    int top = -1;
    for (int y = 0; y < shot.Height() && top < 0; ++y)
        for (int x = 0; x < shot.Width() && top < 0; ++x)
            if (ink(x, y))
                top = y;
    std::vector<POINT> best;
    int bestD = 0;
    for (int d = 8; top >= 0 && d <= 32 && top + 2 * d <= shot.Height(); ++d) {
        std::vector<POINT> differing;
        for (int y = top; y < top + d; ++y)
            for (int x = 0; x < shot.Width(); ++x)
                if (ink(x, y) != ink(x, y + d))
                    differing.push_back(POINT{x, y - top});
        if (bestD == 0 || differing.size() < best.size()) {
            best = differing;
            bestD = d;
        }
    }
    int left = shot.Width(), right = -1;
    for (int y = top; y >= 0 && y < top + bestD; ++y)
        for (int x = 0; x < shot.Width(); ++x)
            if (ink(x, y)) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
    for (POINT& pt : best)
        pt.x -= left;
    *pWidth = right - left + 1;
    return best;
}

} // namespace

TEST(MainWindow, TheStatusBarFollowsThePortAndTheViewMenuAtTheBottomOfEveryStart)
{
    SerialPeer peer;
    ASSERT_TRUE(peer.Open());
    Korvane k;
    ASSERT_TRUE(k.Start());
    ExpectStatusBarAtTheBottom(k);
    EXPECT_TRUE(WaitFor([&] { return PortState(k) == kNone; })) << PortState(k);
    ChooseSettings(k);
    if (HasFatalFailure())
        return;

    // Every text the port pane shows while port 1 connects.
    std::set<std::string> seen;
    k.Activate();
    Key('1', kCtrl);
    ASSERT_TRUE(WaitFor(
        [&] {
            const std::string state = PortState(k);
            seen.insert(state);
            return state == kConnected;
        },
        5000))
        << PortState(k);
    EXPECT_TRUE(seen.count(kWaiting) || seen.count(kConnected));
    Key('3', kCtrl);
    EXPECT_TRUE(WaitFor([&] { return PortState(k) == kNone; })) << PortState(k);

    // The view menu switches it off and on, its check following.
    ClickViewRow(k, 1);
    EXPECT_TRUE(WaitFor([&] { return !StatusBarSeen(k); })) << "the status bar stayed";
    EXPECT_FALSE(ReadViewChecks(k).statusBar);
    ClickViewRow(k, 1);
    EXPECT_TRUE(WaitFor([&] { return StatusBarSeen(k); })) << "the status bar did not come back";
    EXPECT_TRUE(ReadViewChecks(k).statusBar);

    ASSERT_TRUE(k.Close());
    ASSERT_TRUE(k.Start());
    ExpectStatusBarAtTheBottom(k);
    // Maximised too.
    const RECT rcCaption = ScreenRect(k.Main());
    DoubleClick(rcCaption.left + 200, rcCaption.top + 8);
    ASSERT_TRUE(WaitFor([&] { return ::IsZoomed(k.Main()) != FALSE; })) << "a double click on the caption did not maximise";
    WaitStill(ScreenRect(k.Main()));
    ExpectStatusBarAtTheBottom(k);
    EXPECT_TRUE(k.Close());
}

TEST(MainWindow, TheMenuBarIsTheTopRowAndEachComControlPaneShowsItsSevenIndicators)
{
    Korvane k;
    ASSERT_TRUE(k.Start());
    const RECT client = ClientOnScreen(k.Main());
    const RECT menu = ScreenRect(k.MenuBar());
    const RECT tool = ScreenRect(k.ToolBar());
    EXPECT_EQ(client.top, menu.top) << "the menu bar is not the first row";
    EXPECT_LE(menu.bottom, tool.top) << "the toolbar is not below the menu bar";

    const LayoutView layout = k.ReadLayout();
    HWND hStrip = TabStripOf(layout.GroupOf(32860)->hwnd);
    const char* const names[7] = {"CTS", "DSR", "RLSD", "FRM", "OVR", "PRT", "BRK"};
    for (int pane : {32860, 32861}) {
        SCOPED_TRACE(NameOf(pane));
        // Its tab brings the pane up.
        LayoutView orders = k.ReadLayout();
        k.ReadTabOrders(orders);
        const std::vector<int>& tabs = orders.GroupOf(pane)->members;
        const size_t index = std::find(tabs.begin(), tabs.end(), pane) - tabs.begin();
        const std::vector<TabLabel> labels = k.TabLabels(hStrip);
        ASSERT_LT(index, labels.size());
        const POINT at = Center(labels[index].rc);
        Click(at.x, at.y);
        ASSERT_TRUE(WaitFor([&] { return k.ReadLayout().Pane(pane)->seen; }));
        int lastRight = -1;
        for (const char* name : names) {
            HWND hLabel = FindChild(k.PaneBar(pane), "Static", -1, name);
            ASSERT_NE(nullptr, hLabel) << name;
            EXPECT_TRUE(Seen(hLabel)) << name << " is not seen";
            const RECT rc = ScreenRect(hLabel);
            EXPECT_EQ(34, rc.right - rc.left) << name;
            EXPECT_EQ(16, rc.bottom - rc.top) << name;
            EXPECT_GT(rc.left, lastRight) << name << " is out of order";
            lastRight = rc.left;
        }
    }
    EXPECT_TRUE(k.Close());
}

TEST(MainWindow, TheLogListDrawsEachRowOnceAfterResizesAndAClosedMenuAndLowLinesShowThereAndInTheScriptEditor)
{
    SerialPeer peer;
    Korvane k;
    StartConnected(k, peer, "Rows");
    if (HasFatalFailure())
        return;
    for (int i = 0; i < 12; ++i) {
        ASSERT_TRUE(peer.Write({static_cast<BYTE>(i), 0x5F, 0xA0}));
        ::Sleep(20);
    }
    // A send ends with an EV_TXEMPTY row.
    HWND hEditor = FindChild(k.PaneBar(32772), "CHexEdit");
    const RECT rcEditor = ScreenRect(hEditor);
    Click(rcEditor.left + 90, rcEditor.top + 24);
    Type("5A");
    Key('2', kCtrl);
    // Blocks that arrive together may share a row: the last one's bytes are what to wait for.
    ASSERT_TRUE(WaitFor([&] { return FindLogRow(k, "EV_TXEMPTY") >= 0 && FindLogRow(k, "0B5FA0") >= 0; }))
        << k.LogCount() << " rows:" << [&] {
               std::string all;
               for (const std::vector<std::string>& r : k.LogRows())
                   all += "\n  " + r[1] + " | " + r[2] + " | " + r[3];
               return all;
           }();
    WaitStill(ScreenRect(k.LogList()));

    EXPECT_EQ(0, RowsRedrawnDifferently(k)) << "at the start";

    // The underscore of "EV_TXEMPTY" is drawn: the cell's lowest ink lies under "_", not under
    // the "E" it begins with.
    const int row = FindLogRow(k, "EV_TXEMPTY");
    RECT cell = ListCellRect(k.LogList(), row, 3);
    ASSERT_GT(cell.bottom, cell.top);
    cell.right = std::min(cell.right, cell.left + 80);
    EXPECT_TRUE(LowestInkStartsInside(Screenshot(cell))) << "no underscore under \"EV_TXEMPTY\"";

    // Script 1's editor shows its low lines too: "port_name" typed above "port name" at its
    // top differs from it only at the bottom of the "_", in the middle of the text.
    const LayoutView start = k.ReadLayout();
    const std::vector<TabLabel> tabs = k.TabLabels(TabStripOf(start.GroupOf(32898)->hwnd));
    ASSERT_EQ(3u, tabs.size());
    Click(Center(tabs[1].rc).x, Center(tabs[1].rc).y);
    HWND hScript = FindChild(k.PaneBar(32898), nullptr, 101);
    ASSERT_TRUE(WaitFor([&] { return Shown(hScript); })) << "script 1 is not shown";
    const RECT rcScript = WaitSettled(hScript);
    Click(rcScript.left + 60, rcScript.top + 30);
    Key(VK_HOME, kCtrl);
    Type("port_name");
    Key(VK_RETURN);
    Type("port name");
    Key(VK_RETURN);
    // The caret goes with the focus.
    const RECT rcLogList = ScreenRect(k.LogList());
    Click(rcLogList.left + 60, rcLogList.top + 40);
    const RECT rcLines = {rcScript.left, rcScript.top, rcScript.left + 160, rcScript.top + 70};
    WaitStill(rcLines);
    const Screenshot lines(rcLines);
    int width = 0;
    const std::vector<POINT> differing = FirstLineDifferences(lines, &width);
    EXPECT_FALSE(differing.empty()) << "no underscore in \"port_name\"";
    for (const POINT& pt : differing) {
        EXPECT_GE(pt.y, 5) << "above the line's foot";
        EXPECT_TRUE(pt.x > width / 3 && pt.x < 2 * width / 3) << "not under the \"_\" of \"port_name\"";
    }

    // More rows than the list shows: it follows them to the end, where a list that grows
    // must draw its rows anew.
    for (int i = 0; i < 40; ++i) {
        ASSERT_TRUE(peer.Write({static_cast<BYTE>(0x80 + i), 0x5F}));
        ::Sleep(30);
    }
    ASSERT_TRUE(WaitFor([&] { return FindLogRow(k, "A75F") >= 0; })) << k.LogCount();
    ASSERT_GE(k.LogCount(), 35) << "too few rows to fill the list";
    // The last row taken, as a hand does with the End key: the list shows the end.
    const RECT rcRows = ScreenRect(k.LogList());
    Click(rcRows.left + 60, rcRows.top + 40);
    Key(VK_END);
    EXPECT_EQ(0, RowsRedrawnDifferently(k)) << "scrolled to the end";

    // The bottom group floated: the list grows.
    const LayoutView layout = k.ReadLayout();
    Drag(CaptionPoint(layout.GroupOf(32774)->hwnd), Center(ScreenRect(k.LogList())));
    ASSERT_TRUE(WaitFor([&] { return FloatingFrameOf(k, 32774) != NULL; }));
    EXPECT_EQ(0, RowsRedrawnDifferently(k)) << "after the bottom group floated";

    // Maximised.
    const RECT rcCaption = ScreenRect(k.Main());
    DoubleClick(rcCaption.left + 200, rcCaption.top + 8);
    ASSERT_TRUE(WaitFor([&] { return ::IsZoomed(k.Main()) != FALSE; }));
    EXPECT_EQ(0, RowsRedrawnDifferently(k)) << "after maximising";

    // A context menu closed over the list.
    const RECT rcList = ScreenRect(k.LogList());
    Click(rcList.left + 120, rcList.top + 60, true);
    ASSERT_TRUE(WaitFor([&] { return !k.NoMenuOpen(); })) << "no context menu";
    WaitStill(ScreenRect(PopupMenus(k.Pid()).front()));
    EXPECT_FALSE(k.MenuCommands(PopupMenus(k.Pid()).front()).empty()) << "the context menu shows no commands";
    k.CloseMenus();
    EXPECT_EQ(0, RowsRedrawnDifferently(k)) << "after a menu closed over the list";
    EXPECT_TRUE(k.Close());
}

TEST(MainWindow, TheLogFontChosenInTheOtherSettingsIsTheListsAtTheNextStart)
{
    Korvane k;
    ASSERT_TRUE(k.Start());
    // A row to measure: starting port 1 of the default set logs at least one message.
    auto rowHeight = [&] {
        k.Activate();
        Key('1', kCtrl);
        EXPECT_TRUE(WaitFor([&] { return k.LogCount() > 0; })) << "no row";
        Key('3', kCtrl);
        const RECT rc = ListRowRect(k.LogList(), 0);
        return rc.bottom - rc.top;
    };
    const int before = rowHeight();

    k.Activate();
    Key(VK_F11);
    HWND hDlg = k.WaitDialog("その他の設定");
    ASSERT_NE(nullptr, hDlg) << "F11 opened no settings dialog";
    HWND hTree = FindChild(hDlg, "SysTreeView32");
    HWND hFont = NULL;
    // The page with the log's font size, found as a person finds it: page by page.
    for (const TreeItem& item : TreeItems(hTree)) {
        Click(Center(item.rc).x, Center(item.rc).y);
        ::Sleep(150);
        HWND hCombo = ShownChild(hDlg, "ComboBox", IDC_LOGSAVE_FONT);
        if (hCombo != NULL && ComboItems(hCombo) == std::vector<std::string>{"12", "14", "16", "18"}) {
            hFont = hCombo;
            break;
        }
    }
    ASSERT_NE(nullptr, hFont) << "no page offers the log's font size";
    ASSERT_TRUE(k.ChooseInCombo(hFont, "16"));
    const POINT ok = Center(ScreenRect(FindChild(hDlg, "Button", IDOK)));
    Click(ok.x, ok.y);
    ASSERT_TRUE(k.WaitDialogGone(hDlg));
    const RECT rcNow = ListRowRect(k.LogList(), 0);
    const int applied = rcNow.bottom - rcNow.top;
    EXPECT_GT(applied, before) << "the font did not grow the rows";

    ASSERT_TRUE(k.Close());
    ASSERT_TRUE(k.Start());
    EXPECT_EQ(applied, rowHeight()) << "the list's font at the next start";
    EXPECT_TRUE(k.Close());
}
