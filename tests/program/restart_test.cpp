// The main window comes back as the user left it: three restarts in a row keep every pane's
// visibility, rectangle, group and selected tab, the bars and the status bar, and a splitter
// that a limit stopped comes back where it was let go after the next drag; splitters only
// touched in a smaller window leave the panes the sizes they remember, and the splitter of the
// upper of two rows at the bottom lands where let go whatever the lower one remembers; so does an
// arrangement made by mouse (the bottom group floating, a tab docked at the left and another
// beside it, the toolbar moved along its row, a pane hidden, two tabs of the floating group
// docked at the right and bottom edges and the rest docked back by a double click, which leaves
// the log list a quarter of the window with its rows) and a changed look.
#include <gtest/gtest.h>

#include "journeys.h"

#include <algorithm>
#include <cstdlib>

using namespace e2e;

namespace {

const int kSendEditor = 32772;
const int kDetailLog = 32774;
const int kScript2 = 32899;
const int kExplorer = 32777;

struct Snapshot {
    LayoutView layout;
    RECT menuBar = {};
    RECT toolBar = {};
    RECT logList = {};
    bool statusBar = false;
};

Snapshot Take(Korvane& k)
{
    Snapshot shot;
    shot.layout = k.ReadLayout();
    k.ReadTabOrders(shot.layout);
    shot.menuBar = ScreenRect(k.MenuBar());
    shot.toolBar = ScreenRect(k.ToolBar());
    shot.logList = ScreenRect(k.LogList());
    shot.statusBar = StatusBarSeen(k);
    return shot;
}

// bRects: rectangles compared too (a changed look may change the bars' sizes).
void ExpectSame(const Snapshot& before, const Snapshot& after, bool bRects, const std::string& when)
{
    SCOPED_TRACE(when);
    if (bRects) {
        EXPECT_EQ("", before.layout.Differences(after.layout));
        EXPECT_EQ(RectText(before.menuBar), RectText(after.menuBar)) << "the menu bar";
        EXPECT_EQ(RectText(before.toolBar), RectText(after.toolBar)) << "the toolbar";
        EXPECT_EQ(RectText(before.logList), RectText(after.logList)) << "the log list";
    } else {
        for (const PaneView& pane : before.layout.panes) {
            const PaneView* other = after.layout.Pane(pane.id);
            ASSERT_NE(nullptr, other);
            EXPECT_EQ(pane.seen, other->seen) << NameOf(pane.id);
            EXPECT_EQ(pane.floating, other->floating) << NameOf(pane.id);
            const GroupView* g1 = before.layout.GroupOf(pane.id);
            const GroupView* g2 = after.layout.GroupOf(pane.id);
            ASSERT_EQ(g1 == nullptr, g2 == nullptr) << NameOf(pane.id);
            if (g1 != nullptr) {
                EXPECT_EQ(g1->members, g2->members) << NameOf(pane.id);
                EXPECT_EQ(g1->selected, g2->selected) << NameOf(pane.id);
            }
        }
    }
    EXPECT_EQ(before.statusBar, after.statusBar) << "the status bar";
}

// The log list, what the window is for, keeps a quarter of the main window's client area each
// way whatever the panes remember, and shows rows there.
void ExpectLogListUsable(Korvane& k, const std::string& when)
{
    RECT rcClient;
    ::GetClientRect(k.Main(), &rcClient);
    const RECT rc = ScreenRect(k.LogList());
    EXPECT_TRUE(Shown(k.LogList())) << when;
    EXPECT_GE(rc.right - rc.left, rcClient.right / 4) << when << ": the log list " << RectText(rc);
    EXPECT_GE(rc.bottom - rc.top, rcClient.bottom / 4) << when << ": the log list " << RectText(rc);
    EXPECT_GE(ListRowsShown(k.LogList()), 5) << when;
}

// Under Wine a press inside the main window may put the floating frame behind it for a moment
// (the program brings it in front again): the frame's strip is read once it lies on top and
// rests.
std::vector<TabLabel> FloatingTabLabels(Korvane& k)
{
    HWND hStrip = TabStripOf(k.ReadLayout().GroupOf(kDetailLog)->hwnd);
    const RECT rc = ScreenRect(hStrip);
    WaitFor([&] { return ::GetAncestor(::WindowFromPoint(Center(rc)), GA_ROOT) == ::GetAncestor(hStrip, GA_ROOT); });
    WaitStill(rc);
    return k.TabLabels(hStrip);
}

void Restart(Korvane& k)
{
    ASSERT_TRUE(k.Close()) << "the program did not end with 0";
    ASSERT_TRUE(k.Start());
}

// The splitter above the bottom group dragged up past the room the log list keeps stops there;
// dragged from there back to where it was, it lands there (not short by the first drag's
// overshoot), and shows there again at the next start.
void ExpectSplitterLandsWhereLetGoAfterALimit(Korvane& k, const std::string& look)
{
    SCOPED_TRACE(look);
    auto group = [&] { return k.ReadLayout().GroupOf(kDetailLog)->hwnd; };
    const RECT before = WaitSettled(group());
    const POINT strip = {(before.left + before.right) / 2, before.top + 1};
    Drag(strip, POINT{strip.x, 100});
    RECT stopped = {};
    ASSERT_TRUE(WaitFor([&] {
        stopped = WaitSettled(group());
        return stopped.top < before.top - 100;
    })) << "the splitter did not follow the drag up: " << RectText(stopped);
    ExpectLogListUsable(k, "the splitter dragged up past the log list's room");
    EXPECT_GT(stopped.top, 100 + 50) << "no limit stopped the splitter";

    Drag(POINT{strip.x, stopped.top + 1}, strip);
    RECT landed = {};
    EXPECT_TRUE(WaitFor([&] {
        landed = WaitSettled(group());
        return std::abs(landed.top - before.top) <= 3;
    })) << "let go at " << strip.y << " after a stop at " << stopped.top << ", the splitter landed at "
        << RectText(landed) << ", not at " << RectText(before);
    Restart(k);
    EXPECT_EQ(RectText(landed), RectText(WaitSettled(group()))) << "the splitter's place at the next start";
}

HWND GroupOf(Korvane& k, int paneId)
{
    const LayoutView layout = k.ReadLayout();
    const GroupView* group = layout.GroupOf(paneId);
    return group != nullptr ? group->hwnd : NULL;
}

// The main window sized by a drag of its lower right corner, as a hand does.
void SizeByCorner(Korvane& k, int cx, int cy)
{
    const RECT rc = ScreenRect(k.Main());
    Drag(POINT{rc.right - 2, rc.bottom - 2}, POINT{rc.left + cx - 2, rc.top + cy - 2});
    RECT now = {};
    ASSERT_TRUE(WaitFor([&] {
        now = WaitSettled(k.Main());
        return now.right - now.left == cx && now.bottom - now.top == cy;
    })) << "the window dragged by its corner to " << cx << " x " << cy << " is " << RectText(now);
}

// The bottom group's splitter put at y 400 and the right group's at x 400, more than a window of
// 640 x 480 has room for: made that small, the window shows both groups squeezed. Each splitter
// pressed there, moved a little and let go where it was taken changes nothing on the screen, and
// the window made large again shows both groups as before.
void ExpectSplittersTouchedInASmallerWindowKeepTheSizes(Korvane& k, const std::string& look)
{
    SCOPED_TRACE(look);
    const RECT large = ScreenRect(k.Main());
    const RECT bottom = WaitSettled(GroupOf(k, kDetailLog));
    const int across = (bottom.left + bottom.right) / 2;
    Drag(POINT{across, bottom.top + 1}, POINT{across, large.top + 400});
    const RECT right = WaitSettled(GroupOf(k, kSendEditor));
    const int down = (right.top + right.bottom) / 2;
    Drag(POINT{right.left + 1, down}, POINT{large.left + 400, down});
    // One layout places both groups: the second is read once the first has settled.
    const RECT bottomLarge = WaitSettled(GroupOf(k, kDetailLog)), rightLarge = ScreenRect(GroupOf(k, kSendEditor));

    ASSERT_NO_FATAL_FAILURE(SizeByCorner(k, 640, 480));
    const RECT bottomSmall = WaitSettled(GroupOf(k, kDetailLog)), rightSmall = ScreenRect(GroupOf(k, kSendEditor));
    ASSERT_LT(bottomSmall.bottom - bottomSmall.top, bottomLarge.bottom - bottomLarge.top)
        << "the bottom group is not squeezed: " << RectText(bottomSmall);
    ASSERT_LT(rightSmall.right - rightSmall.left, rightLarge.right - rightLarge.left)
        << "the right group is not squeezed: " << RectText(rightSmall);
    const POINT atBottom = {(bottomSmall.left + bottomSmall.right) / 2, bottomSmall.top + 1};
    PressAndMove(atBottom, POINT{atBottom.x, atBottom.y - 8});
    MoveAndRelease(atBottom);
    EXPECT_EQ(RectText(bottomSmall), RectText(WaitSettled(GroupOf(k, kDetailLog)))) << "the bottom group after a touch";
    const POINT atRight = {rightSmall.left + 1, (rightSmall.top + rightSmall.bottom) / 2};
    PressAndMove(atRight, POINT{atRight.x + 8, atRight.y});
    MoveAndRelease(atRight);
    EXPECT_EQ(RectText(rightSmall), RectText(WaitSettled(GroupOf(k, kSendEditor)))) << "the right group after a touch";

    ASSERT_NO_FATAL_FAILURE(SizeByCorner(k, large.right - large.left, large.bottom - large.top));
    EXPECT_EQ(RectText(bottomLarge), RectText(WaitSettled(GroupOf(k, kDetailLog))))
        << "the bottom group in the window made large again";
    EXPECT_EQ(RectText(rightLarge), RectText(ScreenRect(GroupOf(k, kSendEditor))))
        << "the right group in the window made large again";
}

// The right group dragged by its caption onto the outer bottom marker becomes a row under the
// bottom group, the two held thinner than they remember by the log list's room. The upper row's
// splitter dragged down lands where let go: the lower row keeps what it shows, and takes back
// none of what the upper one gave up.
void ExpectTheUpperOfTwoBottomRowsLandsWhereLetGo(Korvane& k)
{
    PressAndMove(CaptionPoint(GroupOf(k, kSendEditor)), Center(ScreenRect(k.LogList())));
    Markers markers;
    ASSERT_TRUE(WaitFor([&] {
        markers = AddOuterMarkers(k, markers);
        return markers.outer;
    }));
    MoveAndRelease(Center(markers.bottom));
    RECT upper = {}, lower = {};
    ASSERT_TRUE(WaitFor([&] {
        upper = WaitSettled(GroupOf(k, kDetailLog));
        lower = ScreenRect(GroupOf(k, kSendEditor));
        return lower.top == upper.bottom && lower.left == upper.left && lower.right == upper.right;
    })) << "the right group is no row under the bottom group: " << RectText(lower) << " and " << RectText(upper);
    ExpectLogListUsable(k, "two rows at the bottom");

    const POINT taken = {(upper.left + upper.right) / 2, upper.top + 2};
    Drag(taken, POINT{taken.x, taken.y + 98});
    RECT landed = {};
    EXPECT_TRUE(WaitFor([&] {
        landed = WaitSettled(GroupOf(k, kDetailLog));
        return std::abs(landed.top - (upper.top + 98)) <= 3;
    })) << "let go at " << taken.y + 98 << ", the upper row's splitter landed at " << RectText(landed)
        << " (the lower row: " << RectText(ScreenRect(GroupOf(k, kSendEditor))) << ")";
    EXPECT_EQ(RectText(lower), RectText(ScreenRect(GroupOf(k, kSendEditor)))) << "the lower row";
}

} // namespace

TEST(Restart, TheDefaultLayoutComesBackWholeThreeTimesAndSplittersLandWhereLetGoAndKeepWhatTheyRememberWhenTouched)
{
    Korvane k;
    ASSERT_TRUE(k.Start());
    const Snapshot first = Take(k);
    ExpectDefaultLayout(k, first.layout);
    EXPECT_TRUE(first.statusBar);
    for (int i = 1; i <= 3; ++i) {
        Restart(k);
        ExpectSame(first, Take(k), true, "start " + std::to_string(i + 1));
        ExpectDefaultLayout(k, k.ReadLayout());
    }

    // Two looks, each drawing its own tracking band and resizing once the button is let go; the
    // Studio 2005 look's dock markers put a second row at the bottom.
    ExpectSplitterLandsWhereLetGoAfterALimit(k, "Studio 2005");
    ASSERT_TRUE(k.Close());
    SetProgramSetting("UI", 32830);
    ASSERT_TRUE(k.Start());
    ExpectSplitterLandsWhereLetGoAfterALimit(k, "classic");
    ExpectSplittersTouchedInASmallerWindowKeepTheSizes(k, "classic");
    ASSERT_TRUE(k.Close());
    SetProgramSetting("UI", 32827);
    ASSERT_TRUE(k.Start());
    ExpectTheUpperOfTwoBottomRowsLandsWhereLetGo(k);
    EXPECT_TRUE(k.Close());
}

TEST(Restart, AnArrangementMadeByMouseAndAChangedLookComeBack)
{
    Korvane k;
    ASSERT_TRUE(k.Start());
    // The bottom group floats in the middle of the screen.
    const LayoutView start = k.ReadLayout();
    ASSERT_NE(nullptr, start.GroupOf(kDetailLog));
    Drag(CaptionPoint(start.GroupOf(kDetailLog)->hwnd), Center(ScreenRect(k.LogList())));
    ASSERT_TRUE(WaitFor([&] { return FloatingFrameOf(k, kDetailLog) != NULL; }));

    // Script 2's tab dragged out of the right group and docked at the main window's left.
    HWND hStrip = TabStripOf(start.GroupOf(kScript2)->hwnd);
    const std::vector<TabLabel> labels = k.TabLabels(hStrip);
    ASSERT_EQ(3u, labels.size());
    const POINT over = Center(ScreenRect(k.LogList()));
    PressAndMove(Center(labels[2].rc), over);
    // A slow program may take the press after the moves: the markers come with a later move, so
    // the pointer stirs a pixel while they are looked for, as a hand that holds a drag does.
    Markers markers;
    int stir = 0;
    ASSERT_TRUE(WaitFor([&] {
        markers = AddOuterMarkers(k, markers);
        if (!markers.outer)
            MouseMove(over.x + (++stir & 1), over.y);
        return markers.outer;
    }));
    MoveAndRelease(Center(markers.left));
    ASSERT_TRUE(WaitFor([&] {
        HWND hBar = k.PaneBar(kScript2);
        return Seen(hBar) && ScreenRect(hBar).left < ScreenRect(k.LogList()).left;
    })) << "script 2 is not docked at the left";

    // The send data explorer's tab out of the floating group, docked beside script 2 on the
    // compass over it: the two side by side in one container.
    const std::vector<TabLabel> floating = FloatingTabLabels(k);
    ASSERT_EQ(5u, floating.size());
    const POINT overScript = Center(ScreenRect(k.PaneBar(kScript2)));
    PressAndMove(Center(floating[2].rc), overScript);
    ASSERT_TRUE(WaitForCompassOver(k, k.PaneBar(kScript2), overScript, false, markers)) << "markers: " << markers.seen;
    MoveAndRelease(Center(markers.compassRight));
    ASSERT_TRUE(WaitFor([&] {
        const RECT rcScript = ScreenRect(k.PaneBar(kScript2)), rcExplorer = ScreenRect(k.PaneBar(kExplorer));
        return Seen(k.PaneBar(kExplorer)) && Seen(k.PaneBar(kScript2)) && rcExplorer.left >= rcScript.right &&
               rcExplorer.right < ScreenRect(k.LogList()).left;
    })) << "the send data explorer is not beside script 2";

    // The toolbar, alone in its row under the menu bar, by its gripper along that row: pulled
    // just past the row it stays there and follows the hand.
    const RECT rcTool = ScreenRect(k.ToolBar());
    const int below = rcTool.bottom + 6;
    Drag(POINT{rcTool.left + 3, (rcTool.top + rcTool.bottom) / 2}, POINT{rcTool.left + 160, below});
    ASSERT_TRUE(WaitFor([&] {
        const RECT rc = ScreenRect(k.ToolBar());
        return rc.left >= rcTool.left + 100 && rc.top == rcTool.top;
    })) << "the toolbar did not move along its row";
    WaitStill(ScreenRect(k.Main()));

    // A pane of the floating group hidden through the view menu.
    ClickViewRow(k, 3);
    ASSERT_FALSE(ReadViewChecks(k).panes[1]) << "the view menu did not hide the pane";

    // Two tabs of the floating group out onto the right and the bottom edge markers, and the
    // pane left shown in it docked back by a double click on the frame's caption: the panes
    // docked around remember more than the window has, and the log list keeps its room.
    auto floatingPanes = [&] {
        const LayoutView layout = k.ReadLayout();
        return std::count_if(layout.panes.begin(), layout.panes.end(), [](const PaneView& p) { return p.floating; });
    };
    for (RECT Markers::*edge : {&Markers::right, &Markers::bottom}) {
        const std::vector<TabLabel> tabs = FloatingTabLabels(k);
        ASSERT_GE(tabs.size(), 2u);
        const auto floatingBefore = floatingPanes();
        PressAndMove(Center(tabs.back().rc), Center(ScreenRect(k.LogList())));
        markers = Markers();
        ASSERT_TRUE(WaitFor([&] {
            markers = AddOuterMarkers(k, markers);
            return markers.outer;
        }));
        MoveAndRelease(Center(markers.*edge));
        ASSERT_TRUE(WaitFor([&] { return floatingPanes() < floatingBefore; })) << "a tab did not leave the floating group";
        ExpectLogListUsable(k, "a tab docked at an edge");
    }
    HWND hLeft = NULL;
    for (const PaneName& pane : kPanes) {
        if (hLeft == NULL && k.ReadLayout().Pane(pane.id)->seen && FloatingFrameOf(k, pane.id) != NULL)
            hLeft = FloatingFrameOf(k, pane.id);
    }
    ASSERT_NE(nullptr, hLeft) << "no floating frame left";
    const POINT atCaption = CaptionPoint(hLeft);
    DoubleClick(atCaption.x, atCaption.y);
    ASSERT_TRUE(WaitFor([&] { return !::IsWindowVisible(hLeft); })) << "the floating frame did not dock back";
    WaitStill(ScreenRect(k.Main()));
    ExpectLogListUsable(k, "the floating frame docked back");

    const Snapshot arranged = Take(k);
    for (int i = 1; i <= 3; ++i) {
        Restart(k);
        ExpectLogListUsable(k, "start " + std::to_string(i + 1) + " after the arrangement");
        // Seen: on top, with something drawn in them (a container left unsized shows nothing).
        EXPECT_TRUE(WaitFor([&] { return Seen(k.PaneBar(kExplorer)) && Seen(k.PaneBar(kScript2)); }))
            << "the two panes side by side are not on the screen at start " << i + 1;
        ExpectSame(arranged, Take(k), true, "start " + std::to_string(i + 1) + " after the arrangement");
    }

    ASSERT_TRUE(k.Close());
    SetProgramSetting("UI", 32828);
    ASSERT_TRUE(k.Start());
    const Snapshot office = Take(k);
    ExpectSame(arranged, office, false, "in another look");
    Restart(k);
    ExpectSame(office, Take(k), true, "in another look, started again");

    // In this look a tab dragged out shows a halftone outline, over its group's lower half and
    // on over the log list: the strip, which drops the tab meanwhile, keeps nothing of it.
    HWND hRight = TabStripOf(k.ReadLayout().GroupOf(kSendEditor)->hwnd);
    const RECT rcStrip = ScreenRect(hRight);
    const POINT atTab = Center(k.TabLabels(hRight).back().rc), overLog = Center(ScreenRect(k.LogList()));
    PressAndMove(atTab, POINT{atTab.x, rcStrip.top - 12});
    MouseMove(overLog.x, overLog.y);
    WaitStill(rcStrip);
    const Screenshot shown(rcStrip);
    ::RedrawWindow(hRight, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
    WaitStill(rcStrip);
    EXPECT_EQ(0, shown.Differences(Screenshot(rcStrip))) << "pixels of the strip changed by a repaint mid-drag";
    MoveAndRelease(overLog);
    EXPECT_TRUE(k.Close());
}
