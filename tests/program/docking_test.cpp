// Floating and docking the panes with the mouse as a hand does: each group floated by its
// caption and by a double click, docked back by each dock marker and by a double click on the
// floating caption, every pane dragged out by its tab and docked back; the toolbar dragged out
// over another side and docked back by a double click. After every step every pane can still
// be reached and no tab stands for a pane that is elsewhere. Then the right group, set side by
// side with the bottom group in a column, moved to the top edge: it takes the height it
// remembers for the top, as the drop area showed, and keeps it across a restart; and the
// toolbar floated from the menu bar's row docks back there at its place and length, and has
// its whole length there whichever road it takes in. While a modal dialog is open a floating
// frame takes no input: a click on it leaves the dialog in front, and the main window's keys do
// not open a second dialog from it. A message box asked from a floating frame makes the whole
// program wait for it as a dialog does. After a menu of the main window the first click into a
// floating frame reaches it.
#include <gtest/gtest.h>

#include "journeys.h"

#include <algorithm>

using namespace e2e;

namespace {

const int kSendEditor = 32772;
// The send editor pane's toolbar and hex editor.
const int kSendEditorToolBar = 1076;
const int kSendEditorHex = 1000;
const int kDetailLog = 32774;
const int kComControl2 = 32861;

HWND GroupOf(const Korvane& k, int paneId)
{
    const LayoutView layout = k.ReadLayout();
    const GroupView* group = layout.GroupOf(paneId);
    return group != nullptr ? group->hwnd : NULL;
}

// A point on the caption of a group where it stays: a group just docked stands at the top of
// the client area until the frame's layout, made once the program goes idle, gives it its
// place, and a press at the caption it had there would meet the log list.
POINT SettledCaptionPoint(HWND hWnd)
{
    WaitSettled(hWnd);
    return CaptionPoint(hWnd);
}

// The middle of the main window's log list, away from every docked bar.
POINT Middle(const Korvane& k)
{
    return Center(ScreenRect(k.LogList()));
}

// Floats the group of the pane by dragging its caption to the middle.
void FloatByCaption(Korvane& k, int paneId, const std::string& step)
{
    HWND hGroup = GroupOf(k, paneId);
    ASSERT_NE(nullptr, hGroup) << step;
    Drag(SettledCaptionPoint(hGroup), Middle(k));
    ASSERT_TRUE(WaitFor([&] { return FloatingFrameOf(k, paneId) != NULL; })) << step << ": not floating";
    ExpectEveryPaneReachable(k, step);
}

// For a failure's message: the window that holds the mouse, the program's loops, and the
// window a click at the point meets.
std::string WhatHoldsTheProgram(const Korvane& k, POINT at)
{
    GUITHREADINFO info = {};
    info.cbSize = sizeof(info);
    ::GetGUIThreadInfo(::GetWindowThreadProcessId(k.Main(), NULL), &info);
    const HWND hAt = ::WindowFromPoint(at);
    return "capture " + (info.hwndCapture != NULL ? ClassOf(info.hwndCapture) : std::string("none")) + ", flags " +
           std::to_string(info.flags) + ", at the point " + ClassOf(hAt) + " in " + ClassOf(::GetAncestor(hAt, GA_ROOT));
}

// bTakenLate: both clicks are queued while the program's UI thread is held, as a busy machine
// holds it, and it takes them together afterwards.
void ToggleByDoubleClick(Korvane& k, HWND hCaptionOf, int paneId, bool bFloats, const std::string& step,
                         bool bTakenLate = false)
{
    const POINT at = SettledCaptionPoint(hCaptionOf);
    HANDLE hThread = NULL;
    if (bTakenLate) {
        hThread = ::OpenThread(THREAD_SUSPEND_RESUME, FALSE, ::GetWindowThreadProcessId(k.Main(), NULL));
        ASSERT_NE(nullptr, hThread) << step;
        ::SuspendThread(hThread);
    }
    DoubleClick(at.x, at.y);
    if (hThread != NULL) {
        ::Sleep(300);   // how long the busy machine holds it
        ::ResumeThread(hThread);
        ::CloseHandle(hThread);
    }
    ASSERT_TRUE(WaitFor([&] { return (FloatingFrameOf(k, paneId) != NULL) == bFloats; }))
        << step << (bFloats ? ": still docked" : ": still floating") << "; " << WhatHoldsTheProgram(k, at);
    ExpectEveryPaneReachable(k, step);
}

// Drags a floating frame by its caption onto one of the dock markers.
void DockOnMarker(Korvane& k, int paneId, RECT Markers::*marker, const std::string& step)
{
    HWND hFrame = FloatingFrameOf(k, paneId);
    ASSERT_NE(nullptr, hFrame) << step;
    PressAndMove(CaptionPoint(hFrame), Middle(k));
    Markers markers;
    ASSERT_TRUE(WaitFor([&] {
        markers = ReadMarkers(k);
        const RECT& rc = markers.*marker;
        return rc.right > rc.left;
    })) << step << ": the marker never showed";
    MoveAndRelease(Center(markers.*marker));
    ASSERT_TRUE(WaitFor([&] { return FloatingFrameOf(k, paneId) == NULL; })) << step << ": still floating";
    ExpectEveryPaneReachable(k, step);
}

// The floating frame stays above the main window after a click on the main window, and no
// black band is drawn inside its border.
void ExpectFloatingFrameWhole(Korvane& k, int paneId, const std::string& step)
{
    HWND hFrame = FloatingFrameOf(k, paneId);
    ASSERT_NE(nullptr, hFrame);
    const RECT rcList = ScreenRect(k.LogList());
    Click(rcList.right - 20, rcList.bottom - 20);
    // Under Wine the press may put the frame behind the main window for a moment; the program
    // brings it in front again.
    const RECT rc = ScreenRect(hFrame);
    EXPECT_TRUE(WaitFor([&] { return ::GetAncestor(::WindowFromPoint(Center(rc)), GA_ROOT) == hFrame; }))
        << step << ": fell behind the main window";
    // A band is a line of the border mostly black; the caption's text and button are not.
    const Screenshot shot(rc);
    const int w = shot.Width(), h = shot.Height();
    auto blackShare = [&](int x0, int y0, int dx, int dy, int n) {
        int black = 0;
        for (int i = 0; i < n; ++i)
            black += shot.AtLocal(x0 + i * dx, y0 + i * dy) == RGB(0, 0, 0);
        return black * 2 > n;
    };
    int bands = 0;
    for (int d = 0; d < 8; ++d) {
        bands += blackShare(d, 0, 0, 1, h) + blackShare(w - 1 - d, 0, 0, 1, h);
        bands += blackShare(0, d, 1, 0, w) + blackShare(0, h - 1 - d, 1, 0, w);
    }
    EXPECT_EQ(0, bands) << step << ": a black band inside the frame's border";
    if (bands != 0)
        shot.SaveBmp(BinFolder() + "\\failed-black-band.bmp");
}

// Wholly on the work area, away from the screen's corner.
bool OnWorkArea(const RECT& rc)
{
    RECT rcWork = {};
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &rcWork, 0);
    return (rc.left != 0 || rc.top != 0) && rc.left >= rcWork.left && rc.top >= rcWork.top && rc.right <= rcWork.right &&
           rc.bottom <= rcWork.bottom;
}

// ---- A group moved from a column on the right to the top edge.

// The tinted drop area the markers show, empty while none shows.
RECT DropArea(const Korvane& k)
{
    for (HWND h : TopWindows(k.Pid())) {
        if (ClassOf(h) == "VaviRIZ-DynDockHighlightWnd")
            return ScreenRect(h);
    }
    return RECT{};
}

// Presses at from, moves over the point until the marker shows, onto it, and releases there
// once the markers' drop area shows; rcShown gets that area.
void DropOnMarker(const Korvane& k, POINT from, POINT over, RECT Markers::*marker, RECT& rcShown)
{
    PressAndMove(from, over);
    Markers markers;
    ASSERT_TRUE(WaitFor([&] {
        markers = ReadMarkers(k);
        return (markers.*marker).right > (markers.*marker).left;
    })) << "markers: " << markers.seen;
    const POINT at = Center(markers.*marker);
    MouseMove(at.x, at.y);
    EXPECT_TRUE(WaitFor([&] { return !::IsRectEmpty(&(rcShown = DropArea(k))); })) << "no drop area shown";
    MoveAndRelease(at);
}

// In the look (with dock markers, or with outlines): the bottom group dropped at the right
// side of the right group, the two side by side in a column at full height, the bottom group
// where the drop area showed it; then the right group by its caption onto the top edge. There
// it takes the height the default layout gave it for the top and bottom (300 pixels, which the
// frame has room for), not the column's; the drop area the markers showed was that place; a
// restart brings back the same.
void RightGroupFromAColumnToTheTop(int look)
{
    const bool bMarkers = look == 32827;
    SCOPED_TRACE(bMarkers ? "with dock markers" : "with outlines");
    Korvane k;
    SetProgramSetting("UI", look);
    ASSERT_TRUE(k.Start());
    const RECT rcRight = ScreenRect(GroupOf(k, kSendEditor));
    const POINT atRightSide = {rcRight.right - 10, (rcRight.top + rcRight.bottom) / 2};
    RECT rcBeside = {};
    if (bMarkers) {
        ASSERT_NO_FATAL_FAILURE(
            DropOnMarker(k, SettledCaptionPoint(GroupOf(k, kDetailLog)), Center(rcRight), &Markers::compassRight, rcBeside));
    } else {
        Drag(SettledCaptionPoint(GroupOf(k, kDetailLog)), atRightSide);
    }
    ASSERT_TRUE(WaitFor([&] {
        const RECT rcDetail = ScreenRect(GroupOf(k, kDetailLog)), rcEditor = ScreenRect(GroupOf(k, kSendEditor));
        return FloatingFrameOf(k, kDetailLog) == NULL && rcDetail.left >= rcEditor.right - 1 && rcDetail.top == rcEditor.top;
    })) << "the bottom group is not beside the right group: " << RectText(ScreenRect(GroupOf(k, kDetailLog)));
    // The classic look's tab labels, grey on grey, are not read from the pixels.
    if (bMarkers) {
        ExpectEveryPaneReachable(k, "the bottom group beside the right group");
        EXPECT_EQ(RectText(rcBeside), RectText(ScreenRect(GroupOf(k, kDetailLog)))) << "the drop area beside the right group";
    }

    const RECT rcList = ScreenRect(k.LogList());
    RECT rcShown = {};
    if (bMarkers) {
        ASSERT_NO_FATAL_FAILURE(
            DropOnMarker(k, SettledCaptionPoint(GroupOf(k, kSendEditor)), Middle(k), &Markers::top, rcShown));
    } else {
        Drag(SettledCaptionPoint(GroupOf(k, kSendEditor)), POINT{(rcList.left + rcList.right) / 2, rcList.top + 2});
    }
    RECT rcTop = {};
    ASSERT_TRUE(WaitFor([&] {
        rcTop = ScreenRect(GroupOf(k, kSendEditor));
        return FloatingFrameOf(k, kSendEditor) == NULL && rcTop.bottom <= ScreenRect(k.LogList()).top;
    })) << "the right group is not at the top: " << RectText(rcTop);
    // Docked, the group stands at the top of the client area, at its floating height, until
    // the frame's layout, which the program makes once it goes idle, gives it its place.
    rcTop = WaitSettled(GroupOf(k, kSendEditor));
    if (bMarkers)
        ExpectEveryPaneReachable(k, "the right group at the top");
    EXPECT_EQ(300, rcTop.bottom - rcTop.top) << RectText(rcTop);
    if (bMarkers) {
        EXPECT_EQ(RectText(rcShown), RectText(rcTop)) << "the drop area shown";
    }
    RECT rcClient;
    ::GetClientRect(k.Main(), &rcClient);
    const RECT rcView = ScreenRect(k.LogList());
    EXPECT_GE(rcView.bottom - rcView.top, rcClient.bottom / 4) << "the log list " << RectText(rcView);

    const LayoutView before = k.ReadLayout();
    ASSERT_TRUE(k.Close());
    ASSERT_TRUE(k.Start());
    EXPECT_EQ("", before.Differences(k.ReadLayout())) << "after a restart";
    EXPECT_EQ(RectText(rcView), RectText(ScreenRect(k.LogList()))) << "the log list after a restart";
    EXPECT_TRUE(k.Close());
}

} // namespace

TEST(Docking, GroupsFloatAndDockBackByCaptionDoubleClickAndEveryMarker)
{
    Korvane k;
    ASSERT_TRUE(k.Start());
    ExpectEveryPaneReachable(k, "first start");

    // Neither group ever floated: a double click floats each on the work area, where it is
    // docked, apart from the other; double clicks on their floating frames bring back the
    // layout of the start.
    const LayoutView start = k.ReadLayout();
    ToggleByDoubleClick(k, GroupOf(k, kSendEditor), kSendEditor, true, "right group floated by a double click");
    ToggleByDoubleClick(k, GroupOf(k, kDetailLog), kDetailLog, true, "bottom group floated by a double click");
    const RECT rcRight = ScreenRect(FloatingFrameOf(k, kSendEditor));
    const RECT rcBottom = ScreenRect(FloatingFrameOf(k, kDetailLog));
    EXPECT_TRUE(OnWorkArea(rcRight)) << rcRight.left << "," << rcRight.top;
    EXPECT_TRUE(OnWorkArea(rcBottom)) << rcBottom.left << "," << rcBottom.top;
    EXPECT_FALSE(rcRight.left == rcBottom.left && rcRight.top == rcBottom.top) << "one floats on the other";
    ToggleByDoubleClick(k, FloatingFrameOf(k, kDetailLog), kDetailLog, false, "bottom group docked by a double click");
    ToggleByDoubleClick(k, FloatingFrameOf(k, kSendEditor), kSendEditor, false, "right group docked by a double click");
    EXPECT_EQ("", start.Differences(k.ReadLayout()));

    // The toolbar by its gripper out of its row, docking on the main window's right side on
    // the way out, floats; a double click on its floating frame puts it back where it was.
    const RECT rcTool = ScreenRect(k.ToolBar());
    const RECT rcMain = ScreenRect(k.Main());
    const int yMiddle = (rcMain.top + rcMain.bottom) / 2;
    PressAndMove(POINT{rcTool.left + 3, (rcTool.top + rcTool.bottom) / 2}, POINT{rcMain.right - 4, yMiddle});
    const bool bRightOnTheWay = WaitFor([&] { return ::GetDlgCtrlID(::GetParent(k.ToolBar())) == 0xE81D; });
    MoveAndRelease(POINT{rcMain.right + 120, yMiddle});
    ASSERT_TRUE(bRightOnTheWay) << "the toolbar never docked on the right side";
    ASSERT_TRUE(WaitFor([&] { return ::GetAncestor(k.ToolBar(), GA_ROOT) != k.Main(); })) << "the toolbar did not float";
    const POINT atTool = CaptionPoint(::GetAncestor(k.ToolBar(), GA_ROOT));
    DoubleClick(atTool.x, atTool.y);
    ASSERT_TRUE(WaitFor([&] { return ::GetAncestor(k.ToolBar(), GA_ROOT) == k.Main(); })) << "the toolbar did not dock";
    EXPECT_TRUE(WaitFor([&] {
        const RECT rc = ScreenRect(k.ToolBar());
        return ::EqualRect(&rcTool, &rc) != FALSE;
    }))
        << "the toolbar docked at " << ScreenRect(k.ToolBar()).left << "," << ScreenRect(k.ToolBar()).top;

    // The bottom group: by its caption and back by a double click on the floating caption,
    // then floated by a double click and docked on each of the main window's edge markers.
    FloatByCaption(k, kDetailLog, "bottom group dragged out by its caption");
    ExpectFloatingFrameWhole(k, kDetailLog, "bottom group floating");
    ToggleByDoubleClick(k, FloatingFrameOf(k, kDetailLog), kDetailLog, false, "bottom group docked by a double click taken late", true);
    struct Edge {
        RECT Markers::*marker;
        const char* name;
    };
    for (const Edge& edge : {Edge{&Markers::left, "left"}, Edge{&Markers::top, "top"}, Edge{&Markers::right, "right"},
                             Edge{&Markers::bottom, "bottom"}}) {
        ToggleByDoubleClick(k, GroupOf(k, kDetailLog), kDetailLog, true, std::string("bottom group floated before the ") + edge.name + " marker", true);
        DockOnMarker(k, kDetailLog, edge.marker, std::string("bottom group docked on the ") + edge.name + " marker");
        if (HasFatalFailure())
            return;
    }

    // The right group: each side of the compass over the log list, each time floated first.
    for (const Edge& edge : {Edge{&Markers::compassLeft, "compass left"}, Edge{&Markers::compassTop, "compass top"},
                             Edge{&Markers::compassRight, "compass right"},
                             Edge{&Markers::compassBottom, "compass bottom"}}) {
        FloatByCaption(k, kSendEditor, std::string("right group floated before the ") + edge.name + " marker");
        DockOnMarker(k, kSendEditor, edge.marker, std::string("right group docked on the ") + edge.name + " marker");
        if (HasFatalFailure())
            return;
    }

    // Every pane by its tab out of its group, floating, and back by a double click on the
    // floating frame's caption.
    for (int groupOf : {kSendEditor, kDetailLog}) {
        const LayoutView before = k.ReadLayout();
        const std::vector<int> members = before.GroupOf(groupOf)->members;
        std::vector<int> floated;
        for (size_t j = 0; j < members.size(); ++j) {
            HWND hGroup = GroupOf(k, groupOf);
            // The pane docked back shows before the strip has painted its tab selected (and
            // wider, moving its neighbours) and the group its last layout: the labels are read
            // where a click will meet them.
            WaitIdle(hGroup);
            WaitStill(ScreenRect(TabStripOf(hGroup)));
            const std::vector<TabLabel> tabs = k.TabLabels(TabStripOf(hGroup));
            ASSERT_EQ(members.size(), tabs.size());
            const POINT at = Center(tabs[j].rc);
            Click(at.x, at.y);
            // Read before the program has taken the click, the tab selected before it would pass.
            WaitIdle(hGroup);
            int pane = 0;
            ASSERT_TRUE(WaitFor([&] {
                const LayoutView now = k.ReadLayout();
                pane = now.GroupOf(groupOf) != nullptr ? now.GroupOf(groupOf)->selected : 0;
                return pane != 0 && std::find(floated.begin(), floated.end(), pane) == floated.end();
            })) << "tab " << j << " shows a pane floated before";
            floated.push_back(pane);
            const std::string name = NameOf(pane);
            // Pressed beside the click, or the press would make a double click.
            Drag(POINT{at.x + 8, at.y}, Middle(k));
            ASSERT_TRUE(WaitFor([&] { return FloatingFrameOf(k, pane) != NULL; })) << name << ": its tab did not float";
            ExpectEveryPaneReachable(k, name + " floated by its tab");
            ToggleByDoubleClick(k, FloatingFrameOf(k, pane), pane, false, name + " docked back by a double click");
            if (HasFatalFailure())
                return;
            const LayoutView after = k.ReadLayout();
            ASSERT_NE(nullptr, after.GroupOf(pane)) << name << " is back in no group";
            EXPECT_EQ(members, after.GroupOf(pane)->members) << name << " is back in another group";
        }
    }

    // A single tab out of the bottom group and back into it by the compass's centre.
    HWND hStrip = TabStripOf(GroupOf(k, kDetailLog));
    ASSERT_NE(nullptr, hStrip);
    const std::vector<TabLabel> labels = k.TabLabels(hStrip);
    ASSERT_EQ(5u, labels.size());
    Drag(Center(labels.back().rc), Middle(k));
    ASSERT_TRUE(WaitFor([&] { return FloatingFrameOf(k, kComControl2) != NULL; })) << "the tab did not float";
    ExpectEveryPaneReachable(k, "a tab dragged out floating");
    ExpectFloatingFrameWhole(k, kComControl2, "a tab floating");
    HWND hFrame = FloatingFrameOf(k, kComControl2);
    HWND hBottom = GroupOf(k, kDetailLog);
    const POINT overBottom = Center(ScreenRect(hBottom));
    PressAndMove(CaptionPoint(hFrame), overBottom);
    Markers markers;
    ASSERT_TRUE(WaitForCompassOver(k, hBottom, overBottom, true, markers)) << "markers: " << markers.seen;
    MoveAndRelease(Center(markers.compassCentre));
    ASSERT_TRUE(WaitFor([&] { return FloatingFrameOf(k, kComControl2) == NULL; })) << "the tab did not dock back";
    ExpectEveryPaneReachable(k, "the tab docked back into its group");
    const LayoutView layout = k.ReadLayout();
    ASSERT_NE(nullptr, layout.GroupOf(kComControl2));
    EXPECT_EQ(layout.GroupOf(kDetailLog), layout.GroupOf(kComControl2)) << "the tab joined another group";

    LayoutView withOrders = layout;
    k.ReadTabOrders(withOrders);
    for (const GroupView& group : withOrders.groups) {
        std::vector<int> sorted = group.members;
        std::sort(sorted.begin(), sorted.end());
        EXPECT_EQ(layout.GroupOf(group.members.empty() ? 0 : group.members[0])->members, sorted)
            << "clicking each tab shows each pane of the group once";
    }
    EXPECT_TRUE(k.Close());

    // The right group from a column to the top edge, in the look with dock markers and in one
    // with outlines, each from a fresh start.
    RightGroupFromAColumnToTheTop(32827);
    RightGroupFromAColumnToTheTop(32830);
}

namespace {

// In a fresh profile of the look: the toolbar by its gripper into the menu bar's row, out of
// it across the right side low enough that it reaches past that side's end there, where it
// moves once more, and off the main window, floating; a double click on its floating frame's
// caption puts it back at the place and length it had beside the menu bar, and a restart
// keeps them. Then the two other roads into that row, where the toolbar has its whole length
// each time and after a restart: floated off the main window, its floating frame by the
// caption through the row below into the menu bar's row at x 700; moved by its gripper to
// x 300, before the menu bar, and the menu bar by its gripper to the row's left end.
void ToolbarBesideTheMenuBarFloatsAndDocksBack(int look, const std::string& name)
{
    SCOPED_TRACE(name);
    Korvane k;
    SetProgramSetting("UI", static_cast<DWORD>(look));
    ASSERT_TRUE(k.Start());
    const RECT rcMenu = ScreenRect(k.MenuBar());
    const RECT rcTool = ScreenRect(k.ToolBar());
    const int yMenu = (rcMenu.top + rcMenu.bottom) / 2;
    Drag(POINT{rcTool.left + 3, (rcTool.top + rcTool.bottom) / 2},
         POINT{rcMenu.right - (rcTool.right - rcTool.left) - 40, yMenu});
    ASSERT_TRUE(WaitFor([&] { return ScreenRect(k.ToolBar()).top == rcMenu.top; })) << "not in the menu bar's row";
    WaitStill(ScreenRect(k.Main()));
    const RECT rcInRow = ScreenRect(k.ToolBar()), rcMenuInRow = ScreenRect(k.MenuBar());
    ASSERT_EQ(rcTool.right - rcTool.left, rcInRow.right - rcInRow.left) << "squeezed in the menu bar's row";

    const RECT rcStatus = ScreenRect(k.StatusBar());
    const POINT onRight{rcStatus.right - 6, rcStatus.top - 40};
    PressAndMove(POINT{rcInRow.left + 3, yMenu}, onRight);
    ASSERT_TRUE(WaitFor([&] { return ::GetDlgCtrlID(::GetParent(k.ToolBar())) == 0xE81D; })) << "not on the right";
    MouseMove(onRight.x, onRight.y + 2);
    WaitIdle(k.Main());
    MoveAndRelease(POINT{rcStatus.right + 120, onRight.y});
    ASSERT_TRUE(WaitFor([&] { return ::GetAncestor(k.ToolBar(), GA_ROOT) != k.Main(); })) << "did not float";
    const POINT atCaption = CaptionPoint(::GetAncestor(k.ToolBar(), GA_ROOT));
    DoubleClick(atCaption.x, atCaption.y);
    ASSERT_TRUE(WaitFor([&] { return ::GetAncestor(k.ToolBar(), GA_ROOT) == k.Main(); })) << "did not dock";
    WaitStill(ScreenRect(k.Main()));
    EXPECT_EQ(RectText(rcInRow), RectText(ScreenRect(k.ToolBar()))) << "the toolbar docked back";
    EXPECT_EQ(RectText(rcMenuInRow), RectText(ScreenRect(k.MenuBar()))) << "the menu bar beside it";

    ASSERT_TRUE(k.Close());
    ASSERT_TRUE(k.Start());
    EXPECT_EQ(RectText(rcInRow), RectText(ScreenRect(k.ToolBar()))) << "the toolbar after a restart";
    EXPECT_EQ(RectText(rcMenuInRow), RectText(ScreenRect(k.MenuBar()))) << "the menu bar after a restart";

    const LONG nWhole = rcTool.right - rcTool.left;
    auto expectWhole = [&](const char* road) {
        ASSERT_TRUE(WaitFor([&] { return ScreenRect(k.ToolBar()).top == rcMenu.top; })) << road << ": not in the menu bar's row";
        WaitStill(ScreenRect(k.Main()));
        const RECT rc = ScreenRect(k.ToolBar());
        EXPECT_EQ(nWhole, rc.right - rc.left) << road << ": " << RectText(rc);
    };
    const RECT rcMain = ScreenRect(k.Main());
    Drag(POINT{ScreenRect(k.ToolBar()).left + 3, yMenu}, POINT{(rcMain.left + rcMain.right) / 2, rcMain.bottom + 60});
    ASSERT_TRUE(WaitFor([&] { return ::GetAncestor(k.ToolBar(), GA_ROOT) != k.Main(); })) << "did not float off the window";
    const HWND hFloating = ::GetAncestor(k.ToolBar(), GA_ROOT);
    WaitStill(ScreenRect(hFloating));
    const int x = rcMain.left + 700;
    PressAndMove(CaptionPoint(hFloating), POINT{x, rcMenu.bottom + 12});
    // Where the toolbar was on its way, for a failure's message.
    WaitIdle(k.Main());
    const std::string below = RectText(ScreenRect(k.ToolBar()));
    MouseMove(x, yMenu);
    WaitIdle(k.Main());
    const std::string over = RectText(ScreenRect(k.ToolBar()));
    MoveAndRelease(POINT{x + 1, yMenu});
    ASSERT_TRUE(WaitFor([&] { return ::GetAncestor(k.ToolBar(), GA_ROOT) == k.Main(); })) << "did not dock";
    expectWhole(("its floating frame into the menu bar's row (below it at " + below + ", over it at " + over + ")").c_str());

    Drag(POINT{ScreenRect(k.ToolBar()).left + 3, yMenu}, POINT{rcMain.left + 300, yMenu});
    ASSERT_TRUE(WaitFor([&] { return ScreenRect(k.ToolBar()).left < ScreenRect(k.MenuBar()).left; }))
        << "not before the menu bar: " << RectText(ScreenRect(k.ToolBar()));
    Drag(POINT{ScreenRect(k.MenuBar()).left + 3, yMenu}, POINT{rcMenu.left + 2, yMenu});
    ASSERT_TRUE(WaitFor([&] { return ScreenRect(k.MenuBar()).left < ScreenRect(k.ToolBar()).left; }))
        << "the menu bar not at the row's left end: " << RectText(ScreenRect(k.MenuBar()));
    expectWhole("the menu bar to the row's left end");

    const RECT rcWhole = ScreenRect(k.ToolBar());
    ASSERT_TRUE(k.Close());
    ASSERT_TRUE(k.Start());
    EXPECT_EQ(RectText(rcWhole), RectText(ScreenRect(k.ToolBar()))) << "the toolbar's whole length after a restart";
    EXPECT_TRUE(k.Close());
}

} // namespace

TEST(Docking, AToolbarFloatedFromTheMenuBarsRowDocksBackAtItsPlaceAndLengthWithMarkersAndWithOutlines)
{
    ToolbarBesideTheMenuBarFloatsAndDocksBack(32827, "Studio 2005, dock markers");
    ToolbarBesideTheMenuBarFloatsAndDocksBack(32830, "classic, outlines");
}

namespace {

// The program's shown dialogs of that title.
int DialogsTitled(const Korvane& k, const std::string& title)
{
    int n = 0;
    for (HWND h : TopWindows(k.Pid()))
        n += ClassOf(h) == "#32770" && TextOf(h) == title;
    return n;
}

// Whether hFront lies in front of hBehind in the order of windows.
bool InFrontOf(HWND hFront, HWND hBehind)
{
    for (HWND h = ::GetWindow(hFront, GW_HWNDNEXT); h != NULL; h = ::GetWindow(h, GW_HWNDNEXT)) {
        if (h == hBehind)
            return true;
    }
    return false;
}

// The program's shown dialogs and message boxes.
int ShownDialogs(const Korvane& k)
{
    int n = 0;
    for (HWND h : TopWindows(k.Pid()))
        n += ClassOf(h) == "#32770";
    return n;
}

// A point on the menu bar's button of the menu of that key, found by opening the menu by its
// key: the menu opens at its button's left edge.
POINT MenuButtonPoint(Korvane& k, char accessKey)
{
    const HWND hPopup = k.OpenMenu(accessKey);
    const RECT rcPopup = hPopup != NULL ? ScreenRect(hPopup) : RECT{};
    k.CloseMenus();
    Key(VK_ESCAPE);
    const RECT rcBar = ScreenRect(k.MenuBar());
    return POINT{rcPopup.left + 10, (rcBar.top + rcBar.bottom) / 2};
}

// Whether a click there opened a menu, waited for when one is expected, else looked for once
// the program has taken the click; a menu it opened is closed again.
bool ClickOpensAMenu(Korvane& k, POINT at, bool bRight, bool bExpected)
{
    Click(at.x, at.y, bRight);
    WaitIdle(k.Main());
    const bool bOpened = WaitFor([&] { return !k.NoMenuOpen(); }, bExpected ? kPatienceMs : 0);
    k.CloseMenus();
    return bOpened;
}

// After a menu of the main window, the first click into a floating frame reaches it: a click
// into the send editor in its floating frame, then the log list's right-click menu or the
// menu bar's 表示 closed with Esc, and one click on the frame's data-clear button asks its
// question. The click that opens a menu of the main window brings that window forward over
// the frame, and the frame must come forward again once the menu has gone.
void FirstClickAfterAMenuReachesAFloatingFrame(Korvane& k, HWND hFrame, POINT atList, POINT atView)
{
    const HWND hBar = FindChild(hFrame, nullptr, kSendEditorToolBar);
    ASSERT_TRUE(Shown(hBar)) << "the send editor's toolbar is not shown in its floating frame";
    POINT atClear = {};
    ASSERT_TRUE(k.FindToolButton("ﾃﾞｰﾀをｸﾘｱします。", &atClear, hBar)) << "no data-clear button on the send editor";
    const POINT inEditor = Center(ScreenRect(FindChild(hFrame, nullptr, kSendEditorHex)));
    for (const bool bMenuBar : {false, true}) {
        const std::string menu = bMenuBar ? "the view menu" : "the log list's menu";
        Click(inEditor.x, inEditor.y);
        WaitIdle(k.Main());
        const POINT at = bMenuBar ? atView : atList;
        if (bMenuBar) {
            Click(at.x, at.y);
        } else {
            // Pressed and released in one go, as a quick hand does: the menu opens before
            // anything else the press started has run.
            MouseMove(at.x, at.y);
            INPUT in[2] = {};
            in[0].type = in[1].type = INPUT_MOUSE;
            in[0].mi.dwFlags = MOUSEEVENTF_RIGHTDOWN;
            in[1].mi.dwFlags = MOUSEEVENTF_RIGHTUP;
            ::SendInput(2, in, sizeof(INPUT));
        }
        ASSERT_TRUE(WaitFor([&] { return !k.NoMenuOpen(); })) << menu << " did not open";
        k.CloseMenus();
        ASSERT_TRUE(k.NoMenuOpen()) << "Esc left " << menu << " open";
        Click(atClear.x, atClear.y);
        HWND hBox = k.WaitAnyDialog();
        EXPECT_NE(nullptr, hBox) << "after " << menu << ", one click on the floating frame's data-clear button asked nothing";
        if (hBox == nullptr) {
            Click(atClear.x, atClear.y);
            hBox = k.WaitAnyDialog();
        }
        ASSERT_NE(nullptr, hBox) << "a second click on data-clear asked nothing either";
        ::PostMessageA(hBox, WM_COMMAND, IDCANCEL, 0);
        ASSERT_TRUE(k.WaitDialogGone(hBox));
        WaitIdle(k.Main());
    }
}

// In the look, the bottom group docked and rows in the log: the right group and the bottom
// group floated by double clicks, a click inside the bottom group's frame, then F8, whose box
// asks whether to clear the log. While it waits the main window takes nothing: a right click on
// the log list opens no menu, a click on the menu bar's 表示 opens none (and so no second box),
// and a click on the other floating frame leaves the box in front and active. Its Cancel gives
// every window its input back and keeps the rows; then the first click into the right group's
// frame after a menu of the main window reaches it.
void MessageBoxFromAFloatingFrame(Korvane& k)
{
    for (int pane : {kSendEditor, kDetailLog}) {
        const POINT atGroup = SettledCaptionPoint(GroupOf(k, pane));
        DoubleClick(atGroup.x, atGroup.y);
        ASSERT_TRUE(WaitFor([&] { return FloatingFrameOf(k, pane) != NULL; })) << NameOf(pane) << " did not float";
    }
    const HWND hFrame = FloatingFrameOf(k, kDetailLog), hOther = FloatingFrameOf(k, kSendEditor);
    ASSERT_NE(hFrame, hOther);
    WaitSettled(hFrame);
    WaitSettled(hOther);
    // Each click checked first on the enabled main window: it reaches what it is meant for.
    const POINT atView = MenuButtonPoint(k, 'V');
    const RECT rcList = ScreenRect(k.LogList());
    const POINT atList{rcList.left + 40, rcList.top + 30};
    ASSERT_EQ(k.LogList(), ::WindowFromPoint(atList)) << "the log list is covered at " << atList.x << "," << atList.y;
    ASSERT_TRUE(ClickOpensAMenu(k, atList, true, true)) << "a right click on the log list opened no menu";
    ASSERT_TRUE(ClickOpensAMenu(k, atView, false, true)) << "a click on the view menu opened nothing";
    const POINT atOther = CaptionPoint(hOther);
    ASSERT_EQ(hOther, ::GetAncestor(::WindowFromPoint(atOther), GA_ROOT)) << "the other floating frame is covered";

    const int rows = k.LogCount();
    const POINT inFrame = Center(ScreenRect(hFrame));
    Click(inFrame.x, inFrame.y);
    WaitIdle(k.Main());
    Key(VK_F8);
    const HWND hBox = k.WaitAnyDialog();
    ASSERT_NE(nullptr, hBox) << "F8 from the floating frame asked nothing";
    WaitIdle(hBox);
    const RECT rcBox = ScreenRect(hBox);
    ASSERT_FALSE(::PtInRect(&rcBox, atList) || ::PtInRect(&rcBox, atView) || ::PtInRect(&rcBox, atOther))
        << "the box " << RectText(rcBox) << " covers a point clicked";
    auto expectBoxInFront = [&](const std::string& after) {
        EXPECT_TRUE(InFrontOf(hBox, k.Main())) << after << ": the box went behind the main window";
        EXPECT_TRUE(InFrontOf(hBox, hOther)) << after << ": the box went behind the other floating frame";
        EXPECT_EQ(hBox, ::GetAncestor(::WindowFromPoint(Center(rcBox)), GA_ROOT)) << after << ": the box is not seen";
        EXPECT_EQ(hBox, ::GetForegroundWindow()) << after << ": the box is not the active window";
    };
    expectBoxInFront("F8");
    EXPECT_FALSE(ClickOpensAMenu(k, atList, true, false)) << "a right click on the log list opened its menu under the box";
    expectBoxInFront("a right click on the log list");
    EXPECT_FALSE(ClickOpensAMenu(k, atView, false, false)) << "a click on the view menu opened it under the box";
    expectBoxInFront("a click on the view menu");
    Click(atOther.x, atOther.y);
    WaitIdle(k.Main());
    expectBoxInFront("a click on the other floating frame");
    EXPECT_EQ(1, ShownDialogs(k)) << "a second box opened";

    const POINT atCancel = Center(ScreenRect(FindChild(hBox, "Button", IDCANCEL)));
    if (::GetAncestor(::WindowFromPoint(atCancel), GA_ROOT) == hBox)
        Click(atCancel.x, atCancel.y);
    else
        ADD_FAILURE() << "the box's Cancel is covered";
    if (!k.WaitDialogGone(hBox)) {
        ADD_FAILURE() << "the box took no click on its Cancel";
        ::PostMessageA(hBox, WM_COMMAND, IDCANCEL, 0);
        ASSERT_TRUE(k.WaitDialogGone(hBox));
    }
    WaitIdle(k.Main());
    EXPECT_EQ(rows, k.LogCount()) << "Cancel cleared the log";
    // Which of the two: without a window manager the display gives the focus to the window under
    // the pointer when the box goes, and the program may take that.
    const HWND hActive = ::GetForegroundWindow();
    EXPECT_TRUE(hActive == hFrame || hActive == k.Main()) << "after Cancel the active window is " << ClassOf(hActive);
    EXPECT_TRUE(ClickOpensAMenu(k, atList, true, true)) << "after Cancel a right click on the log list opened no menu";
    EXPECT_TRUE(ClickOpensAMenu(k, atView, false, true)) << "after Cancel a click on the view menu opened nothing";
    FirstClickAfterAMenuReachesAFloatingFrame(k, hOther, atList, atView);
    for (int pane : {kSendEditor, kDetailLog}) {
        const POINT at = SettledCaptionPoint(FloatingFrameOf(k, pane));
        DoubleClick(at.x, at.y);
        EXPECT_TRUE(WaitFor([&] { return FloatingFrameOf(k, pane) == NULL; }))
            << NameOf(pane) << " did not dock back by a double click after Cancel";
    }
}

// In the look: the bottom group floated by a double click, then F11's dialog. A click on the
// floating frame's caption leaves the dialog in front of the main window and of the frame, and
// active; F11 pressed then opens no second dialog. Once the dialog is closed the frame takes
// input again: dragged by its caption it moves, and a double click docks it back. Then the
// message box of F8 asked from a floating frame, with rows in the log from the peer.
void ModalDialogOverAFloatingFrame(int look, const std::string& name)
{
    SCOPED_TRACE(name);
    SerialPeer peer;
    Korvane k;
    SetProgramSetting("UI", static_cast<DWORD>(look));
    ASSERT_NO_FATAL_FAILURE(StartConnected(k, peer, "Docking"));
    ASSERT_TRUE(peer.Write({0x4B, 0x56}));
    ASSERT_TRUE(WaitFor([&] { return FindLogRow(k, "Recv", {0x4B, 0x56}) >= 0; })) << "no row in the log";
    k.Activate();
    Key('3', kCtrl);
    ASSERT_TRUE(WaitFor([&] { return PortState(k) == kNone; })) << PortState(k);
    // The classic look's tab labels, grey on grey, are not read from the pixels: the double
    // clicks are given here without reading every pane's tab afterwards.
    const POINT atGroup = SettledCaptionPoint(GroupOf(k, kDetailLog));
    DoubleClick(atGroup.x, atGroup.y);
    ASSERT_TRUE(WaitFor([&] { return FloatingFrameOf(k, kDetailLog) != NULL; })) << "the bottom group did not float";
    const HWND hFrame = FloatingFrameOf(k, kDetailLog);
    ASSERT_NE(nullptr, hFrame);
    k.Activate();
    Key(VK_F11);
    const HWND hDlg = k.WaitDialog("その他の設定");
    ASSERT_NE(nullptr, hDlg) << "F11 opened no settings dialog";

    const POINT at = CaptionPoint(hFrame);
    Click(at.x, at.y);
    WaitIdle(k.Main());
    const RECT rcDlg = ScreenRect(hDlg);
    EXPECT_TRUE(InFrontOf(hDlg, k.Main())) << "the dialog went behind the main window";
    EXPECT_TRUE(InFrontOf(hDlg, hFrame)) << "the dialog went behind the floating frame";
    EXPECT_EQ(hDlg, ::GetAncestor(::WindowFromPoint(Center(rcDlg)), GA_ROOT)) << "the dialog is not seen in front";
    EXPECT_EQ(hDlg, ::GetForegroundWindow()) << "the dialog is not the active window";
    Key(VK_F11);
    WaitIdle(k.Main());
    EXPECT_EQ(1, DialogsTitled(k, "その他の設定")) << "F11 from the floating frame opened a second dialog";

    for (HWND h : TopWindows(k.Pid())) {
        if (ClassOf(h) == "#32770" && TextOf(h) == "その他の設定")
            ::PostMessageA(h, WM_COMMAND, IDCANCEL, 0);
    }
    ASSERT_TRUE(k.WaitDialogGone(hDlg));
    const RECT rcFrame = WaitSettled(hFrame);
    // Pressed away from the click before, which it would make a double click.
    Drag(POINT{at.x + 40, at.y}, POINT{at.x + 130, at.y + 60});
    // A drag may move the group into a frame of its own.
    RECT rcMoved = {};
    EXPECT_TRUE(WaitFor([&] {
        const HWND h = FloatingFrameOf(k, kDetailLog);
        rcMoved = h != NULL ? ScreenRect(h) : RECT{};
        return rcMoved.left > rcFrame.left + 40 && rcMoved.top > rcFrame.top + 30;
    })) << "the floating frame did not follow a drag after the dialog closed: " << RectText(rcMoved);
    const POINT atMoved = SettledCaptionPoint(FloatingFrameOf(k, kDetailLog));
    DoubleClick(atMoved.x, atMoved.y);
    EXPECT_TRUE(WaitFor([&] { return FloatingFrameOf(k, kDetailLog) == NULL; }))
        << "the bottom group did not dock back by a double click after the dialog closed";
    MessageBoxFromAFloatingFrame(k);
    EXPECT_TRUE(k.Close());
}

} // namespace

TEST(Docking, AModalDialogStaysInFrontOfAClickedFloatingFrameWhoseKeysWaitTillItCloses)
{
    ModalDialogOverAFloatingFrame(32827, "Studio 2005");
    ModalDialogOverAFloatingFrame(32830, "classic");
}
