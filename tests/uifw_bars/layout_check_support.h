// What the saved-layout tests do with the frame of eight panes: the main window's default
// layout, the idle pass that lays the frame out as the message loop would, and whether a
// person can go on with its panes.
#pragma once
#include <sstream>
#include <string>
#include <vector>

#include "afxwinstate.h"
#include "bars_test_support.h"
#include "dynbar.h"
#include "dyntabbar.h"

namespace layoutcheck {

// The bar dropped as a drag ends over a dock marker of that kind (14 to 17 the frame's edges,
// 18 to 21 the view's sides), without the drag's own loop.
inline bool DropOnMarker(CUiControlBar* pBar, int nKind)
{
    CUiControlBar::InternalDraggingState_t state(pBar);
    state.Empty(false);
    state.m_nKind = nKind;
    return pBar->DragApplyTarget(state, true);
}

// The frame's layouts asked for at idle time, as the message loop runs them between a
// person's steps: a hidden frame gets no idle pass and keeps its request.
inline void LayOutAtIdle()
{
    winharness::PumpPending();
    for (CFrameWnd* pFrame : AfxGetWinThreadState()->frames) {
        if (!pFrame->IsWindowVisible())
            continue;
        if (pFrame->m_nIdleFlags & CFrameWnd::idleLayout)
            pFrame->RecalcLayout((pFrame->m_nIdleFlags & CFrameWnd::idleNotify) != 0);
        pFrame->m_nIdleFlags &= ~(CFrameWnd::idleLayout | CFrameWnd::idleNotify);
    }
    winharness::PumpPending();
}

// The whole idle pass: the layouts, then every frame's and bar's command update.
inline void Idle()
{
    LayOutAtIdle();
    AfxIdleUpdateFrames(nullptr);
    winharness::PumpPending();
}

// The bars of a dock bar's rows, row by row, placeholders and empty rows left out.
inline std::vector<std::vector<CControlBar*>> RowsOf(CDockBar* pDockBar)
{
    std::vector<std::vector<CControlBar*>> rows(1);
    for (INT_PTR i = 1; i < pDockBar->m_arrBars.GetSize(); i++) {
        void* p = pDockBar->m_arrBars[i];
        if (p == nullptr) {
            if (!rows.back().empty())
                rows.emplace_back();
        } else if (IsBarEntry(p)) {
            rows.back().push_back(static_cast<CControlBar*>(p));
        }
    }
    if (rows.back().empty())
        rows.pop_back();
    return rows;
}

// The part of a window that shows through every window holding it, on the screen.
inline CRect ShownPart(CWnd* pWnd)
{
    CRect rc;
    pWnd->GetWindowRect(&rc);
    for (CWnd* p = pWnd; !(p->GetStyle() & WS_POPUP) && (p = p->GetParent()) != nullptr;) {
        CRect rcClient;
        p->GetClientRect(&rcClient);
        p->ClientToScreen(&rcClient);
        rc &= rcClient;
    }
    return rc;
}

// A rectangle as the reports show it: "left,top widthxheight".
inline std::string RectText(const CRect& rc)
{
    return std::to_string(rc.left) + "," + std::to_string(rc.top) + " " + std::to_string(rc.Width()) + "x" +
           std::to_string(rc.Height());
}

// The windows that hold a pane, inside out: class, shown (+) or not (-), and for dock bars
// their bars and shown bars, for the report of an unusable layout.
inline std::string HoldersOf(CWnd* pPane)
{
    std::ostringstream out;
    for (CWnd* p = pPane; p != nullptr; p = p->GetParent()) {
        out << ' ' << p->GetRuntimeClass()->m_lpszClassName << ((p->GetStyle() & WS_VISIBLE) ? '+' : '-');
        if (p->IsKindOf(RUNTIME_CLASS(CDockBar)))
            out << static_cast<CDockBar*>(p)->GetDockedCount() << '/' << static_cast<CDockBar*>(p)->GetDockedVisibleCount();
        if (p->GetStyle() & WS_POPUP)
            break;
    }
    return out.str();
}

// A layout a person can go on with: every pane has a place, a shown pane can be seen and has a
// size on screen, no container shows without a shown pane, every tab stands for a pane of its
// own group and every pane of a group has its tab.
inline std::string Unusable(barstest::PaneFrameFixture& fx)
{
    for (barstest::Pane* pPane : fx.panes) {
        if (pPane->GetSafeHwnd() == NULL)
            return "a pane's window is gone";
        if (pPane->m_pDockBar == nullptr)
            return "a pane has no place";
        if ((pPane->GetStyle() & WS_VISIBLE) && !pPane->IsWindowVisible())
            return "a shown pane cannot be seen:" + HoldersOf(pPane);
        if ((pPane->GetStyle() & WS_VISIBLE) && ShownPart(pPane).IsRectEmpty()) {
            std::ostringstream out;
            out << "shown pane " << std::hex << pPane->GetDlgCtrlID() << " has no size on screen:" << HoldersOf(pPane);
            return out.str();
        }
        for (CWnd* pHolder = pPane->GetParent(); pHolder != nullptr && !(pHolder->GetStyle() & WS_POPUP);
             pHolder = pHolder->GetParent()) {
            if (pHolder->IsKindOf(RUNTIME_CLASS(CUiDynControlBar)) && (pHolder->GetStyle() & WS_VISIBLE) &&
                static_cast<CUiDynControlBar*>(pHolder)->m_pInnerDockBar->GetDockedVisibleCount() == 0)
                return "a container shows without a shown pane:" + HoldersOf(pPane);
        }
        if (CUiDynTabControlBar* pGroup = pPane->GetTabContainerBar()) {
            if (pGroup->m_wndTabs.ItemFindByLParam((LPARAM)pPane) < 0)
                return "a pane of a group has no tab";
            for (int i = 0; i < pGroup->m_wndTabs.ItemGetCount(); ++i) {
                CUiControlBar* pTab = pGroup->m_wndTabs.GetItemBar(i, true);
                if (pTab == nullptr || pTab->GetSafeHwnd() == NULL || pTab->GetTabContainerBar() != pGroup)
                    return "a tab stands for a pane that is elsewhere";
            }
        }
    }
    return std::string();
}

// The main window's layout: a group of three on the right and one of five at the bottom.
inline void BuildDefaultLayout(barstest::PaneFrameFixture& fx)
{
    using P = barstest::PaneFrameFixture;
    barstest::Pane* const* p = fx.panes;
    p[P::kScript1]->m_sizeHorz = p[P::kScript1]->m_sizeVert = CSize(300, 300);
    p[P::kConnectionStatus]->m_sizeHorz = p[P::kConnectionStatus]->m_sizeVert = CSize(250, 250);
    p[P::kScript1]->DockAtFrameSide(AFX_IDW_DOCKBAR_RIGHT, false);
    p[P::kScript1]->DockIntoTabbedGroup(p[P::kScript2], 1);
    p[P::kScript1]->DockIntoTabbedGroup(p[P::kSendEditor], 0);
    p[P::kConnectionStatus]->DockAtFrameSide(AFX_IDW_DOCKBAR_BOTTOM, false);
    for (int n : {P::kComControl2, P::kComControl1, P::kSendExplorer})
        p[P::kConnectionStatus]->DockIntoTabbedGroup(p[n], 1);
    p[P::kConnectionStatus]->DockIntoTabbedGroup(p[P::kDetailedLog], 0);
    Idle();
}

} // namespace layoutcheck
