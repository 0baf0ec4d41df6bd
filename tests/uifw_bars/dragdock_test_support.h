// The frames, panes and drag helpers the docking and dragging tests share: a frame with
// panes docked on request, tabbed groups, the drag target for a screen point, and the drag
// loop run under scripted input, in the base look or in Studio 2005.
#pragma once
#include <gtest/gtest.h>

#include <functional>

#include "bars_test_support.h"

#include "dockhighlightwnd.h"
#include "dockmarkerwnd.h"
#include "dynbar.h"
#include "minidockframewnd.h"
#include "ncareabutton.h"
#include "paintmanagerholder.h"
#include "paintmanagerstudio2005.h"

namespace dragdocktest {

using barstest::FrameFixture;
using barstest::Pane;

// A pane whose floating frame cannot be made.
class NoFramePane : public Pane {
public:
    CUiMiniDockFrameWnd* CreateFloatingFrame(DWORD) override { return nullptr; }
};

class DragDockTest : public ::testing::Test {
protected:
    explicit DragDockTest(bool bStudio = false)
    {
        PaintManagerHolder::Get().SetPaintManagerClass(bStudio ? RUNTIME_CLASS(CUiPaintManagerStudio2005)
                                                               : RUNTIME_CLASS(CUiPaintManager));
    }
    FrameFixture fx{CRect(40, 40, 840, 640)};
    std::vector<Pane*> panes;
    template <class T = Pane> T* MakePane(UINT nID)
    {
        T* p = new T;
        p->m_bAutoDelete = FALSE;
        p->Create("Pane", fx.pFrame, nID, 0x5640283C);
        p->EnableDocking(CBRS_ALIGN_ANY);
        panes.push_back(p);
        return p;
    }
    Pane* DockedPane(UINT nID, UINT nSide)
    {
        Pane* p = MakePane(nID);
        p->DockAtFrameSide(nSide, false);
        fx.pFrame->RecalcLayout();
        winharness::PumpPending();
        return p;
    }
    // b1 docked on the right, b2 joined to it as a tab.
    CUiDynTabControlBar* MakeGroup(Pane*& b1, Pane*& b2, UINT nFirstId)
    {
        b1 = DockedPane(nFirstId, AFX_IDW_DOCKBAR_RIGHT);
        b2 = DockedPane(nFirstId + 1, AFX_IDW_DOCKBAR_BOTTOM);
        if (!b1->DockIntoTabbedGroup(b2, -1, nullptr, true))
            return nullptr;
        fx.pFrame->RecalcLayout();
        winharness::PumpPending();
        return b1->GetTabContainerBar();
    }
    // A group of three: b1's, with b2 and b3 as tabs after it.
    CUiDynTabControlBar* MakeGroupOfThree(Pane*& b1, Pane*& b2, Pane*& b3, UINT nFirstId)
    {
        CUiDynTabControlBar* pGroup = MakeGroup(b1, b2, nFirstId);
        b3 = DockedPane(nFirstId + 2, AFX_IDW_DOCKBAR_TOP);
        if (pGroup == nullptr || !b1->DockIntoTabbedGroup(b3, -1, nullptr, true))
            return nullptr;
        Layout();
        return pGroup;
    }
    void Layout()
    {
        fx.pFrame->RecalcLayout();
        winharness::PumpPending();
    }
    void TearDown() override
    {
        CUiDynDockMarkerWnd::DestroyAllMarkers();
        if (::IsWindow(fx.hFrame))
            ::DestroyWindow(fx.hFrame);
        winharness::PumpPending();
        for (Pane* p : panes)
            delete p;
        PaintManagerHolder::Get().SetPaintManager(nullptr);
    }
    static COLORREF ScreenPixel(int x, int y)
    {
        HDC hScreen = ::GetDC(NULL);
        const COLORREF clr = ::GetPixel(hScreen, x, y);
        ::ReleaseDC(NULL, hScreen);
        return clr;
    }
    static CRect WindowRect(CWnd* p)
    {
        CRect rc;
        p->GetWindowRect(&rc);
        return rc;
    }
    CRect SiteRect() const { return WindowRect(fx.pFrame); }
    static CUiMiniDockFrameWnd* FloatingFrameOf(CUiControlBar* p)
    {
        CFrameWnd* pFrame = p->GetParentFrame();
        return pFrame != nullptr && pFrame->IsKindOf(RUNTIME_CLASS(CUiMiniDockFrameWnd))
                   ? static_cast<CUiMiniDockFrameWnd*>(pFrame)
                   : nullptr;
    }
    // The drag target the bar would get at the screen point.
    struct Target {
        int m_nKind;
        CUiControlBar* m_pTarget;
        CRect m_rect;
    };
    static Target TargetAt(CUiControlBar* pBar, int x, int y)
    {
        CUiControlBar::InternalDraggingState_t state(pBar);
        state.Empty(false);
        state.CalcDragTarget(x, y, false);
        return {state.m_nKind, state.m_pTarget, state.m_rect};
    }
};

class StudioDragDockTest : public DragDockTest {
protected:
    StudioDragDockTest() : DragDockTest(true) {}
};

class DragLoopTest : public DragDockTest {
protected:
    // A press on the bar's caption at the point; the steps run inside the drag loop.
    void DragFrom(CUiControlBar* pBar, CPoint ptPress, winharness::ScriptedInputPlayer& player)
    {
        ::SetCursorPos(ptPress.x, ptPress.y);
        player.Start();
        CRect rc = WindowRect(pBar);
        pBar->DragLoop(ptPress, CPoint(ptPress.x - rc.left, ptPress.y - rc.top), 1, 1);
        winharness::PumpPending();
    }
    CPoint CaptionPoint(Pane* pBar)
    {
        CRect rc = WindowRect(pBar);
        return CPoint(rc.left + pBar->m_rcCaption.CenterPoint().x, rc.top + pBar->m_rcCaption.CenterPoint().y);
    }
};

class StudioDragLoopTest : public DragLoopTest {
protected:
    StudioDragLoopTest() { PaintManagerHolder::Get().SetPaintManagerClass(RUNTIME_CLASS(CUiPaintManagerStudio2005)); }
    // Drags the bar over ptOver (to raise the markers there), onto the marker that pick
    // chooses, and drops it; the kind of the last target before the drop.
    int DropOnMarker(Pane* pBar, CPoint ptOver, std::function<CUiDynDockMarkerWnd*()> pick)
    {
        const CPoint pt = CaptionPoint(pBar);
        int nKind = -1;
        auto moveTo = [](CPoint p) {
            ::SetCursorPos(p.x, p.y);
            if (HWND hCapture = ::GetCapture()) {
                ::ScreenToClient(hCapture, &p);
                ::PostMessageA(hCapture, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(p.x, p.y));
            }
        };
        winharness::ScriptedInputPlayer player;
        player.Keys(true)
            .MoveTo(pt.x + 20, pt.y + 20)
            .MoveTo(ptOver.x, ptOver.y)
            .MoveTo(ptOver.x + 1, ptOver.y + 1)
            .Call([&] {
                CUiDynDockMarkerWnd* pMarker = pick();
                if (pMarker != nullptr)
                    moveTo(WindowRect(pMarker).CenterPoint());
            })
            .Call([] {})
            .Call([] {})
            .Call([&] { nKind = CUiControlBar::g_DragStatePrevious.m_nKind; })
            .PostToCapture(WM_LBUTTONUP)
            .Keys(false);
        DragFrom(pBar, pt, player);
        return nKind;
    }
};

class ToolDragTest : public DragLoopTest {
protected:
    std::vector<barstest::StandInToolBar*> tools;
    barstest::StandInToolBar* MakeTool(UINT nID, UINT nSide = AFX_IDW_DOCKBAR_TOP)
    {
        auto* p = new barstest::StandInToolBar;
        p->Create(fx.pFrame, nID);
        fx.pFrame->DockControlBar(p, nSide);
        tools.push_back(p);
        return p;
    }
    // Stand-ins of the main window's menu bar (a row of its own) and toolbar, in two rows at
    // the top.
    void MakeMenuBarAndToolBarRows(barstest::StandInToolBar*& pMenu, barstest::StandInToolBar*& pTool)
    {
        pMenu = MakeTool(0xE805);
        pMenu->bRowOfItsOwn = true;
        pTool = MakeTool(0xE800);
        pTool->bTurns = true;
        SetRows(pMenu->m_pDockBar, {nullptr, pMenu, nullptr, pTool, nullptr});
    }
    // The rows of the dock bar: the bars in their order, 0 for each row break.
    void SetRows(CDockBar* pDock, std::initializer_list<CControlBar*> entries)
    {
        pDock->m_arrBars.RemoveAll();
        for (CControlBar* p : entries)
            pDock->m_arrBars.Add(p);
        Layout();
    }
    void TearDown() override
    {
        for (auto* p : tools) {
            p->DestroyWindow();
            delete p;
        }
        DragLoopTest::TearDown();
    }
};

class StudioToolDragTest : public ToolDragTest {
protected:
    StudioToolDragTest() { PaintManagerHolder::Get().SetPaintManagerClass(RUNTIME_CLASS(CUiPaintManagerStudio2005)); }
};

} // namespace dragdocktest
