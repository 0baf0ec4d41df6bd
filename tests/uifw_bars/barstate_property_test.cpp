// Saved layouts come back exactly: seeded random sequences of what a person does by mouse
// with the eight panes (float one, dock it or now and then its group at a side, beside another
// pane, into a group, out of a group, out of a floating group or container onto a side marker,
// hide and show it), and what the main window does with panes a saved layout left out (group
// them with a pane that may be hidden), each followed by save, load into a fresh frame and a
// comparison of where every pane sits: side, ring, row, container, group with its tab order and
// selection, floating rectangle, visibility and its rectangle on the screen; then a second save
// and load, which must change nothing at all. After every step and every load the view keeps a
// quarter of the client area, and a pane, group or container moved onto a side of the other
// orientation is no thicker there than it remembered for that orientation when it last lay
// on one (or its least). After every step and every load each floating frame names a bar it holds and shows
// its close button, and a double click on a docked pane, group or toolbar (the frame has the
// main window's two toolbar rows) floats it on the work area, a second one on its floating
// frame puts everything back. Now and then the toolbar is dragged by mouse into the menu
// bar's row or out of it, or out across another side until it floats; docked back by a double
// click on its floating frame, it takes back the place and length it had before it floated.
// Or its floating frame is dragged by the caption into the menu bar's row, and beside the
// menu bar the later of the two is dragged to the row's left end; after every step and every
// load a toolbar whose row has room for its bars has its whole length.
// A failing sequence prints its seed and the steps that led to it;
// KORVANE_LAYOUT_SEED=<n> runs sequence n again (with the sequences before it in its chain).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "bars_test_support.h"
#include "layout_check_support.h"

#include "barstate.h"
#include "barstate_test_support.h"
#include "dyntabbar.h"
#include "minidockframewnd.h"
#include "monitorinfo.h"
#include "ncareabutton.h"

namespace {

using barstatetest::Bytes;
using barstest::PaneFrameFixture;
using layoutcheck::BuildDefaultLayout;
using layoutcheck::Idle;
using layoutcheck::LayOutAtIdle;
using layoutcheck::RowsOf;
using layoutcheck::Unusable;

// 200 sequences in chains of forty: the first of a chain starts from the main window's
// default layout, each later one from the frame its predecessor was loaded into, so that
// layouts grow richer than a few steps make them while every sequence costs one fresh frame.
const unsigned kChains = 5;
const unsigned kChainLength = 40;
const unsigned kMaxSteps = 3;

std::string RowPlace(CDockBar* pDockBar, CControlBar* pBar)
{
    const auto rows = RowsOf(pDockBar);
    for (size_t r = 0; r < rows.size(); r++) {
        for (size_t c = 0; c < rows[r].size(); c++) {
            if (rows[r][c] == pBar)
                return " row " + std::to_string(r) + " col " + std::to_string(c);
        }
    }
    return " row ?";
}

std::vector<UINT> TabIds(CUiDynTabControlBar* pGroup)
{
    std::vector<UINT> ids;
    for (int i = 0; i < pGroup->m_wndTabs.ItemGetCount(); ++i) {
        CUiControlBar* pTab = pGroup->m_wndTabs.GetItemBar(i, true);
        ids.push_back(pTab != nullptr ? (UINT)pTab->GetDlgCtrlID() : 0);
    }
    return ids;
}

// Where a pane sits, from itself out to the frame side or floating frame that holds it. Unless
// bExact, a container holding one bar is left out of the path.
std::string PathOf(CControlBar* pPane, bool bExact)
{
    std::ostringstream out;
    CControlBar* p = pPane;
    for (int nDepth = 0; p != nullptr && nDepth < 16; nDepth++) {
        CDockBar* pDock = p->m_pDockBar;
        if (pDock == nullptr || pDock->GetSafeHwnd() == NULL) {
            out << " nowhere";
            break;
        }
        // A container or group holding one bar (kept by the place of a bar that left) looks
        // and acts as that bar alone; a saved layout does not keep such places.
        if (!bExact && pDock->IsKindOf(RUNTIME_CLASS(CUiDockDynBar)) && pDock->GetDockedCount() == 1) {
            p = static_cast<CControlBar*>(pDock->GetParent());
            continue;
        }
        if (pDock->IsKindOf(RUNTIME_CLASS(CUiDockDynTabBar))) {
            CUiDynTabControlBar* pGroup = static_cast<CUiDockDynTabBar*>(pDock)->GetGroup();
            if (pGroup == nullptr) {
                out << " orphan tab";
                break;
            }
            out << " tab of [";
            for (UINT nId : TabIds(pGroup))
                out << std::hex << nId << std::dec << ' ';
            out << ']';
            // A hidden group has no selection anyone sees; showing a pane of it selects that one.
            CUiControlBar* pSelected = pGroup->GetSelectedBar();
            if (pGroup->GetStyle() & WS_VISIBLE)
                out << " selected " << std::hex << (pSelected != nullptr ? pSelected->GetDlgCtrlID() : 0) << std::dec;
            p = pGroup;
        } else if (pDock->IsKindOf(RUNTIME_CLASS(CUiDockDynBar))) {
            out << " in container " << (static_cast<CUiDockDynBar*>(pDock)->IsHorizontal() ? "across" : "down")
                << RowPlace(pDock, p);
            p = static_cast<CControlBar*>(pDock->GetParent());
        } else if (pDock->m_bFloating) {
            CRect rc;
            pDock->GetParentFrame()->GetWindowRect(&rc);
            out << " floating at " << rc.left << ',' << rc.top;
            // A hidden floating frame takes its size from its bars when one shows again.
            if (pDock->GetParentFrame()->GetStyle() & WS_VISIBLE)
                out << ',' << rc.right << ',' << rc.bottom;
            break;
        } else {
            const UINT nLevel = pDock->IsKindOf(RUNTIME_CLASS(CUiDockBar)) ? static_cast<CUiDockBar*>(pDock)->m_nLevel : 0;
            out << " side " << std::hex << pDock->GetDlgCtrlID() << std::dec << " ring " << nLevel << RowPlace(pDock, p);
            break;
        }
    }
    return out.str();
}

std::string Describe(PaneFrameFixture& fx, bool bExact = false)
{
    std::ostringstream out;
    for (barstest::Pane* pPane : fx.panes) {
        out << std::hex << pPane->GetDlgCtrlID() << std::dec << ((pPane->GetStyle() & WS_VISIBLE) ? " shown" : " hidden")
            << PathOf(pPane, bExact) << '\n';
    }
    return out.str();
}

// What is wrong with the room the frame leaves its view: a quarter of the client area each way,
// no less than 100 x 60 pixels; empty when it has that.
std::string ViewRoomShort(PaneFrameFixture& fx)
{
    CRect rcClient;
    fx.pFrame->GetClientRect(&rcClient);
    const CRect rcView = layoutcheck::ShownPart(fx.pFrame->GetDlgItem(AFX_IDW_PANE_FIRST));
    if (rcView.Width() >= std::max(100, rcClient.Width() / 4) && rcView.Height() >= std::max(60, rcClient.Height() / 4))
        return std::string();
    return "the view is " + layoutcheck::RectText(rcView) + " of a client area " + layoutcheck::RectText(rcClient);
}

// Where the view and every shown pane lie, for a round trip that must not move them.
std::string PlacesOnScreen(PaneFrameFixture& fx)
{
    std::ostringstream out;
    out << "view " << layoutcheck::RectText(layoutcheck::ShownPart(fx.pFrame->GetDlgItem(AFX_IDW_PANE_FIRST))) << '\n';
    for (barstest::Pane* pPane : fx.panes) {
        if (pPane->IsWindowVisible())
            out << std::hex << pPane->GetDlgCtrlID() << std::dec << " at " << layoutcheck::RectText(layoutcheck::ShownPart(pPane)) << '\n';
    }
    return out.str();
}

const UINT kSides[] = {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT, AFX_IDW_DOCKBAR_RIGHT};

// One random step on the frame, described in words for the report of a failing sequence.
class Steps {
public:
    Steps(PaneFrameFixture& fx, unsigned nSeed, std::ostream& notes)
        : m_fx(fx), m_rng(nSeed), m_notes(notes)
    {
    }

    // Notes the step before it is taken, so that a step that ends the process is named.
    void Step()
    {
        barstest::Pane* p = Pick(true);
        if (p == nullptr) {
            Show();
            return;
        }
        switch (Below(10)) {
        case 0: {
            const int x = 40 + Below(800), y = 40 + Below(600);
            Note(Name(p) + " floated at " + std::to_string(x) + "," + std::to_string(y));
            Grab(p);
            p->FloatAt(x, y, CBRS_ALIGN_TOP);
            return;
        }
        case 1:
        case 2: {
            const UINT nSide = kSides[Below(4)];
            const bool bInner = Below(4) == 0;
            // Now and then its group, docked on a side, by the group's caption.
            CUiControlBar* pHolder = Below(3) == 0 ? GroupOnSide(p) : p;
            Note(Name(p) + (pHolder != p ? "'s group" : p->IsInTabbedGroup() ? " (out of its group)" : "") +
                 " docked at side " + Hex(nSide) + (bInner ? " inside" : ""));
            Grab(p);
            pHolder->DockAtFrameSide(nSide, bInner);
            return;
        }
        case 3: {
            barstest::Pane* pTarget = Pick(true, p);
            if (pTarget == nullptr) {
                Note("no target");
                return;
            }
            const UINT nSide = kSides[Below(4)];
            Note(Name(p) + " docked beside " + Name(pTarget) + " at " + Hex(nSide));
            Grab(p);
            p->DockIntoBar(50, pTarget, nSide, true);
            return;
        }
        case 4: {
            barstest::Pane* pTarget = Pick(true, p);
            if (pTarget == nullptr) {
                Note("no target");
                return;
            }
            const int nIndex = (int)Below(4) - 1;
            Note(Name(p) + " into the group of " + Name(pTarget) + " at " + std::to_string(nIndex));
            Grab(p);
            pTarget->DockIntoTabbedGroup(p, nIndex);
            return;
        }
        case 5:
            Note(Name(p) + " hidden");
            CUiControlBar::ToggleBarById(m_fx.pFrame, (UINT)p->GetDlgCtrlID(), true);
            return;
        case 6:
            JoinFloating(p);
            return;
        case 7:
            LeaveFloatingByMarker();
            return;
        case 8:
            JoinHidden(p);
            return;
        default:
            Show();
            return;
        }
    }

    // After the step and the idle pass: a pane left shown in a floating frame that another
    // pane left is on screen with a size; what went wrong, else empty.
    std::string CheckLeftPanes()
    {
        std::string strWrong;
        for (barstest::Pane* p : m_left) {
            CRect rc;
            p->GetWindowRect(&rc);
            if (!p->IsWindowVisible() || rc.IsRectEmpty())
                strWrong = Name(p) + " left shown is not on screen:" + layoutcheck::HoldersOf(p);
        }
        m_left.clear();
        return strWrong;
    }

private:
    PaneFrameFixture& m_fx;
    std::mt19937 m_rng;
    std::ostream& m_notes;
    std::vector<barstest::Pane*> m_left;

    void Note(const std::string& strStep) { m_notes << "  " << strStep << '\n'; }

    unsigned Below(unsigned n) { return (unsigned)(m_rng() % n); }
    static std::string Hex(UINT n)
    {
        std::ostringstream out;
        out << std::hex << n;
        return out.str();
    }
    static std::string Name(CControlBar* p) { return "pane " + Hex((UINT)p->GetDlgCtrlID()); }

    // A shown pane (or a hidden one), other than pExcept.
    barstest::Pane* Pick(bool bShown, barstest::Pane* pExcept = nullptr)
    {
        std::vector<barstest::Pane*> candidates;
        for (barstest::Pane* p : m_fx.panes) {
            if (p != pExcept && ((p->GetStyle() & WS_VISIBLE) != 0) == bShown)
                candidates.push_back(p);
        }
        return candidates.empty() ? nullptr : candidates[Below((unsigned)candidates.size())];
    }

    // The pane's group when the group lies on a frame side, else the pane.
    static CUiControlBar* GroupOnSide(barstest::Pane* p)
    {
        CUiDynTabControlBar* pGroup = p->GetTabContainerBar();
        if (pGroup == nullptr || pGroup->m_pDockBar == nullptr || pGroup->m_pDockBar->m_bFloating ||
            pGroup->m_pDockBar->IsKindOf(RUNTIME_CLASS(CUiDockDynBar)))
            return p;
        return pGroup;
    }

    // A pane taken by its tab is the group's selected one before it moves, as a press selects.
    void Grab(barstest::Pane* p)
    {
        if (CUiDynTabControlBar* pGroup = p->GetTabContainerBar()) {
            const int nTab = pGroup->m_wndTabs.ItemFindByLParam((LPARAM)p);
            if (nTab >= 0)
                pGroup->m_wndTabs.SelectionSet(nTab);
        }
    }

    // A pane grouped with or docked beside a floating one, so that floating groups and
    // containers are common.
    void JoinFloating(barstest::Pane* p)
    {
        std::vector<barstest::Pane*> floating;
        for (barstest::Pane* pOther : m_fx.panes) {
            if (pOther != p && (pOther->GetStyle() & WS_VISIBLE) && pOther->GetParentFrame() != m_fx.pFrame)
                floating.push_back(pOther);
        }
        if (floating.empty()) {
            Note("nothing floats");
            return;
        }
        GroupOrDockBeside(p, floating[Below((unsigned)floating.size())], "floating");
    }

    // p grabbed and put into the group of the target or docked beside it, at random.
    void GroupOrDockBeside(barstest::Pane* p, barstest::Pane* pTarget, const char* pszTarget)
    {
        Grab(p);
        if (Below(2) == 0) {
            Note(Name(p) + " into the group of the " + pszTarget + " " + Name(pTarget));
            pTarget->DockIntoTabbedGroup(p, -1);
        } else {
            const UINT nSide = kSides[Below(4)];
            Note(Name(p) + " docked beside the " + pszTarget + " " + Name(pTarget) + " at " + Hex(nSide));
            p->DockIntoBar(50, pTarget, nSide, true);
        }
    }

    // A shown pane of a floating group or container dropped onto one of the side markers.
    void LeaveFloatingByMarker()
    {
        std::vector<barstest::Pane*> candidates;
        for (barstest::Pane* p : m_fx.panes) {
            if ((p->GetStyle() & WS_VISIBLE) && p->GetParentFrame() != m_fx.pFrame &&
                p->m_pDockBar->IsKindOf(RUNTIME_CLASS(CUiDockDynBar)))
                candidates.push_back(p);
        }
        if (candidates.empty()) {
            Note("no floating group");
            return;
        }
        barstest::Pane* p = candidates[Below((unsigned)candidates.size())];
        for (barstest::Pane* pOther : m_fx.panes) {
            if (pOther != p && (pOther->GetStyle() & WS_VISIBLE) && pOther->GetParentFrame() == p->GetParentFrame())
                m_left.push_back(pOther);
        }
        // The four frame edges, then the four sides of the view.
        const int nKind = 14 + (int)Below(8);
        Note(Name(p) + " out of its floating holder onto marker " + std::to_string(nKind));
        Grab(p);
        layoutcheck::DropOnMarker(p, nKind);
    }

    // As the main window places a pane a saved layout left out: into the group of, or beside,
    // a pane that may be hidden, and then shown.
    void JoinHidden(barstest::Pane* p)
    {
        barstest::Pane* pAnchor = Pick(false, p);
        if (pAnchor == nullptr) {
            Note("nothing hidden");
            return;
        }
        GroupOrDockBeside(p, pAnchor, "hidden");
        m_fx.pFrame->ShowControlBar(p, TRUE, FALSE);
    }

    void Show()
    {
        barstest::Pane* p = Pick(false);
        if (p == nullptr) {
            Note("nothing hidden");
            return;
        }
        Note(Name(p) + " shown");
        CUiControlBar::ToggleBarById(m_fx.pFrame, (UINT)p->GetDlgCtrlID(), true);
    }
};

// Every shown floating frame names a shown bar it holds in its window text, and that bar
// shows its close button in the frame's caption; what is wrong, else empty.
std::string CheckFloatingFrames(PaneFrameFixture& fx)
{
    std::vector<CControlBar*> bars(fx.panes, fx.panes + 8);
    bars.insert(bars.end(), fx.toolbars.begin(), fx.toolbars.end());
    for (CControlBar* pBar : bars) {
        CFrameWnd* pParent = pBar->GetParentFrame();
        if (!pBar->IsWindowVisible() || pParent == nullptr || !pParent->IsKindOf(RUNTIME_CLASS(CUiMiniDockFrameWnd)))
            continue;
        auto* pFloating = static_cast<CUiMiniDockFrameWnd*>(pParent);
        CString strFrame;
        pFloating->GetWindowText(strFrame);
        bool bNamed = false;
        for (CControlBar* pHeld : bars) {
            CString strBar;
            pHeld->GetWindowText(strBar);
            bNamed = bNamed || (pHeld->GetParentFrame() == pFloating && pHeld->IsWindowVisible() && strBar == strFrame);
        }
        CUiControlBar* pHosted = pFloating->GetHostedUiBar();
        bool bClose = false;
        for (INT_PTR i = 0; pHosted != nullptr && i < pHosted->m_arrNcButtons.GetSize(); ++i) {
            CUiBarNcAreaButton* pButton = pHosted->m_arrNcButtons[i];
            bClose = bClose || (pButton->IsKindOf(RUNTIME_CLASS(CUiBarNcAreaButtonClose)) && pButton->IsButtonVisible() &&
                                CRect().IntersectRect(pButton->m_rc, pFloating->m_rcCaption));
        }
        if (!bNamed || !bClose)
            return "the floating frame of " + std::string((LPCSTR)strFrame) + (bNamed ? "" : " names no shown bar it holds") +
                   (bClose ? "" : " has no close button");
    }
    return std::string();
}

// Where the toolbars are, as Describe tells it of the panes.
std::string DescribeToolBars(PaneFrameFixture& fx)
{
    std::ostringstream out;
    for (barstest::StandInToolBar* p : fx.toolbars) {
        out << std::hex << p->GetDlgCtrlID() << std::dec;
        if (p->IsFloating())
            out << " floating\n";
        else
            out << " side " << std::hex << p->m_pDockBar->GetDlgCtrlID() << std::dec << RowPlace(p->m_pDockBar, p) << '\n';
    }
    return out.str();
}

// A double click on the caption of a docked pane (or its group) or on a docked toolbar, chosen
// at random, floats it on the work area and never at the screen's corner; a double click on
// the floating frame's caption puts everything back where it was. What is wrong, else empty.
std::string CheckDoubleClicks(PaneFrameFixture& fx, unsigned nSeed)
{
    std::vector<CUiControlBar*> candidates;
    for (barstest::Pane* p : fx.panes) {
        CUiControlBar* pCaptioned = p;
        if (CUiDynTabControlBar* pGroup = p->GetTabContainerBar())
            pCaptioned = pGroup;
        if (p->IsWindowVisible() && p->GetParentFrame() == fx.pFrame && !pCaptioned->m_rcCaption.IsRectEmpty() &&
            std::find(candidates.begin(), candidates.end(), pCaptioned) == candidates.end())
            candidates.push_back(pCaptioned);
    }
    for (barstest::StandInToolBar* p : fx.toolbars) {
        if (p->IsWindowVisible() && !p->IsFloating())
            candidates.push_back(p);
    }
    if (candidates.empty())
        return std::string();
    CUiControlBar* pBar = candidates[std::mt19937(nSeed)() % candidates.size()];
    std::ostringstream name;
    name << "bar " << std::hex << pBar->GetDlgCtrlID() << std::dec;
    if (CUiDynTabControlBar* pGroup = pBar->IsKindOf(RUNTIME_CLASS(CUiDynTabControlBar))
                                          ? static_cast<CUiDynTabControlBar*>(pBar)
                                          : nullptr)
        name << " (the group of pane " << std::hex << pGroup->m_wndTabs.GetItemBar(0, true)->GetDlgCtrlID() << std::dec << ')';
    const std::string before = Describe(fx) + DescribeToolBars(fx);
    CRect rc;
    pBar->GetWindowRect(&rc);
    if (pBar->IsFixedSizeBar()) {
        pBar->SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(2, 2));
    } else {
        const CPoint pt = rc.TopLeft() + pBar->m_rcCaption.CenterPoint();
        pBar->SendMessage(WM_NCLBUTTONDBLCLK, HTCAPTION, MAKELPARAM(pt.x, pt.y));
    }
    LayOutAtIdle();
    CFrameWnd* pParent = pBar->GetParentFrame();
    if (pParent == nullptr || !pParent->IsKindOf(RUNTIME_CLASS(CUiMiniDockFrameWnd)))
        return name.str() + " did not float on a double click";
    CRect rcFrame;
    pParent->GetWindowRect(&rcFrame);
    MonitorInfo info;
    MonitorInfoFromWindow(info, pParent);
    if (rcFrame.TopLeft() == CPoint(0, 0) || (rcFrame & CRect(info.rcWork)) != rcFrame) {
        std::ostringstream out;
        out << name.str() << " floated by a double click at " << rcFrame.left << ',' << rcFrame.top << ',' << rcFrame.right
            << ',' << rcFrame.bottom;
        return out.str();
    }
    auto* pFloating = static_cast<CUiMiniDockFrameWnd*>(pParent);
    const CPoint ptCaption = rcFrame.TopLeft() + pFloating->m_rcCaption.CenterPoint();
    pFloating->SendMessage(WM_NCLBUTTONDBLCLK, HTCAPTION, MAKELPARAM(ptCaption.x, ptCaption.y));
    LayOutAtIdle();
    const std::string after = Describe(fx) + DescribeToolBars(fx);
    if (after != before)
        return name.str() + " double-clicked twice did not come back:\n" + before + "  came to:\n" + after;
    CRect rcBack;
    pBar->GetWindowRect(&rcBack);
    if (pBar->IsFixedSizeBar() && rcBack != rc)
        return name.str() + " double-clicked twice came back at " + layoutcheck::RectText(rcBack) + ", not at " +
               layoutcheck::RectText(rc);
    return std::string();
}

// The toolbar dragged by mouse (its drag loop under scripted input): into the menu bar's row,
// out of it into a row of its own, or out across the right, left or bottom side, moved once
// or twice there and off the frame, floating; beside the menu bar, the later of the two by
// its gripper to the row's left end. A floating one is docked back by a double click on its
// floating frame's caption and must be where it was docked before it floated, or its
// floating frame is dragged by the caption through the row below into the menu bar's row. It
// outlives the frames of a chain, which all lie at the same place on the screen.
class ToolBarSteps {
public:
    // What went wrong, else empty.
    std::string Step(PaneFrameFixture& fx, unsigned nSeed, std::ostream& notes)
    {
        std::mt19937 rng(nSeed * 7919u);
        auto below = [&](int n) { return (int)(rng() % (unsigned)n); };
        if (below(3) != 0)
            return std::string();
        barstest::StandInToolBar* pMenu = fx.toolbars[0];
        barstest::StandInToolBar* pTool = fx.toolbars[1];
        if (!pTool->IsWindowVisible())
            return std::string();
        CRect rcTool, rcMenu, rcClient;
        pTool->GetWindowRect(&rcTool);
        pMenu->GetWindowRect(&rcMenu);
        fx.pFrame->GetClientRect(&rcClient);
        fx.pFrame->ClientToScreen(&rcClient);
        const int yMenu = rcMenu.CenterPoint().y;
        winharness::ScriptedInputPlayer player;
        player.Keys(true);
        auto drag = [&](CUiControlBar* pBar, CPoint ptPress, CPoint ptGrab) {
            player.PostToCapture(WM_LBUTTONUP).Keys(false);
            ::SetCursorPos(ptPress.x, ptPress.y);
            player.Start(1);
            pBar->DragLoop(ptPress, ptGrab, 1, 1);
            LayOutAtIdle();
        };
        if (pTool->IsFloating()) {
            auto* pFloating = static_cast<CUiMiniDockFrameWnd*>(pTool->GetParentFrame());
            CRect rc;
            pFloating->GetWindowRect(&rc);
            const CPoint pt = rc.TopLeft() + pFloating->m_rcCaption.CenterPoint();
            if (below(2) == 0) {
                const int x = rcMenu.left + below(rcMenu.Width()), y = rcMenu.bottom + 2 + below(20);
                notes << "  the toolbar's floating frame by its caption through " << x << ',' << y
                      << " into the menu bar's row\n";
                player.MoveTo(x, y).MoveTo(x + 1, y).MoveTo(x + 2, yMenu);
                drag(pTool, pt, CPoint(0, 0));
                return std::string();
            }
            notes << "  the toolbar docked back by a double click\n";
            pFloating->SendMessage(WM_NCLBUTTONDBLCLK, HTCAPTION, MAKELPARAM(pt.x, pt.y));
            LayOutAtIdle();
            pTool->GetWindowRect(&rc);
            if (!pTool->IsFloating() && rc != m_rcDocked)
                return "the toolbar docked back at " + layoutcheck::RectText(rc) + ", not at " +
                       layoutcheck::RectText(m_rcDocked);
            return std::string();
        }
        const bool bBesideMenu = pTool->m_pDockBar == pMenu->m_pDockBar && rcTool.top == rcMenu.top;
        const CPoint ptPress(rcTool.left + 4, rcTool.CenterPoint().y);
        const int nKind = below(4);
        if (nKind == 0 && !bBesideMenu && pTool->GetDockBarId() == AFX_IDW_DOCKBAR_TOP) {
            const int x = rcMenu.left + below(rcMenu.Width());
            notes << "  the toolbar into the menu bar's row at " << x << '\n';
            player.MoveTo(ptPress.x, yMenu).MoveTo(x, yMenu);
        } else if (nKind == 1 && bBesideMenu) {
            notes << "  the toolbar out of the menu bar's row into a row of its own\n";
            player.MoveTo(ptPress.x, rcTool.bottom + 3);
        } else if (nKind == 2 && bBesideMenu) {
            const bool bToolLater = rcTool.left > rcMenu.left;
            barstest::StandInToolBar* pLater = bToolLater ? pTool : pMenu;
            const CRect& rcLater = bToolLater ? rcTool : rcMenu;
            notes << "  the " << (bToolLater ? "toolbar" : "menu bar") << " by its gripper to the row's left end\n";
            const CPoint ptGripper(rcLater.left + 4, yMenu);
            player.MoveTo(rcClient.left + 30, yMenu).MoveTo(rcClient.left + 2, yMenu);
            drag(pLater, ptGripper, ptGripper - rcLater.TopLeft());
            return std::string();
        } else {
            // Clear of the zones of the other sides, at any place along this one.
            CRect rcTop;
            fx.pFrame->GetControlBar(AFX_IDW_DOCKBAR_TOP)->GetWindowRect(&rcTop);
            const int nSide = below(3);
            const int nAlong = nSide == 2 ? rcClient.left + 31 + below(rcClient.Width() - 62)
                                          : rcTop.bottom + 31 + below(rcClient.bottom - 31 - rcTop.bottom - 31);
            const CPoint pt = nSide == 0 ? CPoint(rcClient.right - 6, nAlong)
                              : nSide == 1 ? CPoint(rcClient.left + 6, nAlong)
                                           : CPoint(nAlong, rcClient.bottom - 10);
            const CPoint ptOff = nSide == 0 ? CPoint(rcClient.right + 40, pt.y) : CPoint(pt.x, rcClient.bottom + 60);
            const int nMoves = 1 + below(2);
            notes << "  the toolbar dragged out across the " << (nSide == 0 ? "right" : nSide == 1 ? "left" : "bottom")
                  << " side at " << pt.x << ',' << pt.y << ", moved " << nMoves << " times there\n";
            m_rcDocked = rcTool;
            player.MoveTo(ptPress.x, rcClient.CenterPoint().y).MoveTo(pt.x, pt.y);
            if (nMoves > 1)
                player.MoveTo(nSide == 2 ? pt.x + 1 : pt.x, nSide == 2 ? pt.y : pt.y + 1);
            player.MoveTo(ptOff.x, ptOff.y);
        }
        drag(pTool, ptPress, ptPress - rcTool.TopLeft());
        return std::string();
    }

private:
    CRect m_rcDocked;   // where the toolbar was docked before it last floated
};

// A docked toolbar whose row has room for its bars at the lengths their contents need (the
// menu bar's contents, not the row it stretches over) has its whole length; what is wrong,
// else empty.
std::string CheckToolBarLengths(PaneFrameFixture& fx)
{
    for (barstest::StandInToolBar* p : fx.toolbars) {
        if (p->bRowOfItsOwn || !p->IsWindowVisible() || p->IsFloating())
            continue;
        const bool bHorz = p->IsDockedHorizontally() != FALSE;
        CArray<CUiControlBar*, CUiControlBar*> row;
        p->CollectVisibleRowBars(row);
        int nWanted = 0;
        for (INT_PTR i = 0; i < row.GetSize(); ++i)
            nWanted += outerrow::Along(row[i]->CalcFixedLayout(FALSE, bHorz), bHorz);
        CRect rcRow, rc;
        p->m_pDockBar->GetClientRect(&rcRow);
        if (nWanted > outerrow::Length(rcRow, bHorz))
            continue;
        p->GetWindowRect(&rc);
        const int nWhole = outerrow::Along(p->CalcFixedLayout(FALSE, bHorz), bHorz);
        if (outerrow::Length(rc, bHorz) != nWhole) {
            std::ostringstream out;
            out << "toolbar " << std::hex << p->GetDlgCtrlID() << std::dec << " is " << outerrow::Length(rc, bHorz)
                << " long, not its " << nWhole << ", in a row of " << row.GetSize() << " bars wanting " << nWanted
                << " of " << outerrow::Length(rcRow, bHorz);
            return out.str();
        }
    }
    return std::string();
}

// After a step and after a load: the floating frames' captions, then the double clicks.
std::string CheckFramesAndDoubleClicks(PaneFrameFixture& fx, unsigned nSeed)
{
    const std::string strFrames = CheckFloatingFrames(fx);
    return strFrames.empty() ? CheckDoubleClicks(fx, nSeed) : strFrames;
}

// What the panes and their holders remember for the orientation of the frame sides they do not
// lie on: the thickness the bar kept for it when it last lay on such a side (as the frame first
// gave it when it never did). A holder is a pane's group or container, out to the frame side.
class SideMemory {
public:
    // After a step: a bar moved directly onto a side of the other orientation that came out
    // thicker than it remembered for it (or its least), else empty; then notes what each one
    // remembers now. A frame it has not seen before is only noted.
    std::string CheckAndNote(PaneFrameFixture& fx)
    {
        if (fx.pFrame != m_pFrame)
            m_kept.clear();
        m_pFrame = fx.pFrame;
        std::ostringstream wrong;
        std::map<HWND, Kept> now;
        for (CUiControlBar* pBar : Holders(fx)) {
            auto it = m_kept.find(pBar->m_hWnd);
            if (!pBar->IsWindowVisible()) {
                if (it != m_kept.end())
                    now[pBar->m_hWnd] = it->second;
                continue;
            }
            const int o = OrientationOf(pBar);
            const Kept code{o, {0, (int)pBar->m_sizeHorz.cy, (int)pBar->m_sizeVert.cx}};
            CDockBar* pDock = pBar->m_pDockBar;
            const bool bOnSide = o != 0 && !pDock->IsKindOf(RUNTIME_CLASS(CUiDockDynBar));
            if (it != m_kept.end() && bOnSide && it->second.nOrientation != 0 && it->second.nOrientation != o) {
                CRect rc;
                pBar->GetWindowRect(&rc);
                const int nThickness = o == 1 ? rc.Height() : rc.Width();
                const int nMost = std::max(it->second.nAcross[o], pBar->GetMinRowThickness());
                if (nThickness > nMost)
                    wrong << "bar " << std::hex << pBar->GetDlgCtrlID() << std::dec << " moved to side "
                          << std::hex << pDock->GetDlgCtrlID() << std::dec << " is " << nThickness
                          << " thick, remembering " << it->second.nAcross[o] << " for it\n";
            }
            // Only the orientation it lies on is its own to change; a tab takes its group's.
            Kept kept = it != m_kept.end() && o != 0 && !pBar->IsInTabbedGroup() ? it->second : code;
            kept.nAcross[o] = code.nAcross[o];
            kept.nOrientation = o;
            now[pBar->m_hWnd] = kept;
        }
        m_kept.swap(now);
        return wrong.str();
    }

private:
    struct Kept {
        int nOrientation;   // 1 on a side at the top or bottom, 2 at the left or right, 0 elsewhere
        int nAcross[3];     // the thickness remembered for each orientation
    };
    std::map<HWND, Kept> m_kept;
    CFrameWnd* m_pFrame = nullptr;

    static std::vector<CUiControlBar*> Holders(PaneFrameFixture& fx)
    {
        std::vector<CUiControlBar*> bars;
        for (barstest::Pane* pPane : fx.panes) {
            for (CControlBar* p = pPane; p != nullptr && p->IsKindOf(RUNTIME_CLASS(CUiControlBar));) {
                if (std::find(bars.begin(), bars.end(), p) == bars.end())
                    bars.push_back(static_cast<CUiControlBar*>(p));
                CDockBar* pDock = p->m_pDockBar;
                p = pDock != nullptr && pDock->IsKindOf(RUNTIME_CLASS(CUiDockDynBar)) ? static_cast<CControlBar*>(pDock->GetParent())
                                                                                      : nullptr;
            }
        }
        return bars;
    }
    static int OrientationOf(CUiControlBar* pBar)
    {
        CDockBar* pDock = pBar->m_pDockBar;
        while (pDock != nullptr && pDock->IsKindOf(RUNTIME_CLASS(CUiDockDynBar)))
            pDock = static_cast<CControlBar*>(pDock->GetParent())->m_pDockBar;
        if (pDock == nullptr || pDock->m_bFloating || !(pDock->m_dwStyle & CBRS_ALIGN_ANY))
            return 0;
        return (pDock->m_dwStyle & CBRS_ORIENT_HORZ) ? 1 : 2;
    }
};

struct Chain {
    std::unique_ptr<PaneFrameFixture> frame;
    std::ostringstream steps;   // of every sequence so far, for the report
    SideMemory sides;
    ToolBarSteps tools;
};

// A sequence that ends the process still names itself.
const Chain* g_pRunning = nullptr;

LONG WINAPI ReportCrash(EXCEPTION_POINTERS*)
{
    if (g_pRunning != nullptr) {
        std::fprintf(stderr, "the process ended in this sequence:\n%s\n", g_pRunning->steps.str().c_str());
        std::fflush(stderr);
    }
    return EXCEPTION_CONTINUE_SEARCH;
}

// Runs sequence nSeed on the chain's frame; its report, empty when the layout came back. A
// sequence that ends in a layout nobody can go on with adds to unusable and ends the chain.
std::string RunSequence(Chain& chain, unsigned nSeed, std::vector<std::string>& unusable, bool& bEnds)
{
    PaneFrameFixture& a = *chain.frame;
    Steps steps(a, nSeed, chain.steps);
    chain.steps << "seed " << nSeed << ":\n";
    const unsigned nSteps = 1 + nSeed * 2654435761u % kMaxSteps;
    chain.sides.CheckAndNote(a);
    for (unsigned i = 0; i < nSteps; i++) {
        steps.Step();
        LayOutAtIdle();
        std::string strLeft = steps.CheckLeftPanes();
        if (strLeft.empty() && !(strLeft = Unusable(a)).empty())
            strLeft = "unusable after the step: " + strLeft;
        if (strLeft.empty())
            strLeft = ViewRoomShort(a);
        if (!strLeft.empty()) {
            unusable.push_back(chain.steps.str() + "  " + strLeft + "\n");
            bEnds = true;
            return std::string();
        }
        if (!(strLeft = chain.sides.CheckAndNote(a)).empty()) {
            bEnds = true;
            return chain.steps.str() + "  after the step: " + strLeft;
        }
        if (!(strLeft = chain.tools.Step(a, nSeed * 8 + i, chain.steps)).empty() ||
            !(strLeft = CheckToolBarLengths(a)).empty()) {
            bEnds = true;
            return chain.steps.str() + "  " + strLeft + "\n";
        }
        if (!(strLeft = CheckFramesAndDoubleClicks(a, nSeed * 8 + i)).empty()) {
            bEnds = true;
            return chain.steps.str() + "  after the step: " + strLeft + "\n";
        }
    }
    Idle();
    bEnds = true;
    const std::string strUnusable = Unusable(a);
    if (!strUnusable.empty()) {
        unusable.push_back(chain.steps.str() + "  ends unusable: " + strUnusable + "\n");
        return std::string();
    }
    const std::string before = Describe(a) + PlacesOnScreen(a);
    const Bytes saved = barstatetest::Store([&](CArchive& ar) { BarStateSerialize(ar, a.pFrame, nullptr); });
    std::unique_ptr<PaneFrameFixture> b(new PaneFrameFixture(true));
    const bool bLoaded = barstatetest::Load(saved, [&](CArchive& ar) { return BarStateSerialize(ar, b->pFrame, nullptr); });
    // The apply ends with the command update of an idle pass; the layouts it asked for follow.
    LayOutAtIdle();
    chain.frame = std::move(b);
    std::string strLoaded = Unusable(*chain.frame) + ViewRoomShort(*chain.frame);
    if (!strLoaded.empty()) {
        unusable.push_back(chain.steps.str() + "  unusable after the load: " + strLoaded + "\n");
        return std::string();
    }
    const std::string after = Describe(*chain.frame) + PlacesOnScreen(*chain.frame);
    if (!bLoaded || after != before)
        return chain.steps.str() + (bLoaded ? "" : "  the load failed\n") + "  saved:\n" + before + "  loaded:\n" + after;
    if (!(strLoaded = CheckToolBarLengths(*chain.frame)).empty() ||
        !(strLoaded = CheckFramesAndDoubleClicks(*chain.frame, nSeed * 8 + 5)).empty())
        return chain.steps.str() + "  after the load: " + strLoaded + "\n";
    // A loaded layout is saved and loaded again without a single change.
    const std::string first = Describe(*chain.frame, true) + PlacesOnScreen(*chain.frame);
    const Bytes savedAgain =
        barstatetest::Store([&](CArchive& ar) { BarStateSerialize(ar, chain.frame->pFrame, nullptr); });
    std::unique_ptr<PaneFrameFixture> c(new PaneFrameFixture(true));
    const bool bLoadedAgain =
        barstatetest::Load(savedAgain, [&](CArchive& ar) { return BarStateSerialize(ar, c->pFrame, nullptr); });
    LayOutAtIdle();
    chain.frame = std::move(c);
    if (!(strLoaded = Unusable(*chain.frame) + ViewRoomShort(*chain.frame)).empty()) {
        unusable.push_back(chain.steps.str() + "  unusable after the second load: " + strLoaded + "\n");
        return std::string();
    }
    const std::string second = Describe(*chain.frame, true) + PlacesOnScreen(*chain.frame);
    // The layout is the one the double click was tried on after the first load; the next
    // sequence's steps try theirs on this frame.
    if (bLoadedAgain && second == first && !(strLoaded = CheckFloatingFrames(*chain.frame)).empty())
        return chain.steps.str() + "  after the second load: " + strLoaded + "\n";
    if (bLoadedAgain && second == first) {
        bEnds = false;
        return std::string();
    }
    return chain.steps.str() + (bLoadedAgain ? "" : "  the second load failed\n") + "  loaded:\n" + first +
           "  loaded again:\n" + second;
}

TEST(BarStateProperty, EveryUsableLayoutMadeByTheDockingOperationsComesBackIdentical)
{
    // KORVANE_LAYOUT_SEED=<n> runs the chain of sequence n up to it.
    unsigned nOnly = 0;
    if (const char* pszSeed = std::getenv("KORVANE_LAYOUT_SEED"))
        nOnly = (unsigned)std::strtoul(pszSeed, nullptr, 10);
    unsigned nCompared = 0;
    std::vector<std::string> unusable;
    const LPTOP_LEVEL_EXCEPTION_FILTER pfnOld = ::SetUnhandledExceptionFilter(ReportCrash);
    for (unsigned c = 0; c < kChains; c++) {
        const unsigned nFirst = c * kChainLength + 1;
        if (nOnly != 0 && (nOnly < nFirst || nOnly >= nFirst + kChainLength))
            continue;
        Chain chain;
        g_pRunning = &chain;
        chain.frame.reset(new PaneFrameFixture(true));
        BuildDefaultLayout(*chain.frame);
        for (unsigned nSeed = nFirst; nSeed < nFirst + kChainLength && (nOnly == 0 || nSeed <= nOnly); nSeed++) {
            bool bEnds = false;
            const std::string strFailure = RunSequence(chain, nSeed, unusable, bEnds);
            EXPECT_EQ("", strFailure) << "sequence " << nSeed << " did not come back";
            if (bEnds)
                break;
            nCompared++;
        }
    }
    g_pRunning = nullptr;
    ::SetUnhandledExceptionFilter(pfnOld);
    for (const std::string& s : unusable)
        std::printf("%s", s.c_str());
    EXPECT_TRUE(unusable.empty()) << unusable.size() << " sequences ended in an unusable layout";
    std::printf("%u sequences came back identical\n", nCompared);
}

} // namespace
