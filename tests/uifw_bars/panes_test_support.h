// The eight panes in the main window's default layout, in the Studio 2005 look the program
// starts in, driven with a real hand: where a pane's tab and caption are on the screen, and
// the check that every pane can still be reached after a step (its window shows, or a tab of
// its group stands for it, or the view menu can show it where it is) and that no tab stands
// for a pane that is elsewhere.
#pragma once
#include <gtest/gtest.h>

#include <string>

#include "bars_test_support.h"

#include "dockhighlightwnd.h"
#include "dockmarkerwnd.h"
#include "dyntabbar.h"
#include "minidockframewnd.h"
#include "paintmanagerholder.h"
#include "paintmanagerstudio2005.h"

namespace panestest {

using barstest::Pane;
using barstest::PaneFrameFixture;

inline CRect WindowRect(CWnd* p)
{
    CRect rc;
    p->GetWindowRect(&rc);
    return rc;
}

// The groups of the frame, docked or floating, found through the panes.
inline std::vector<CUiDynTabControlBar*> GroupsOf(Pane* const* panes, int nCount)
{
    std::vector<CUiDynTabControlBar*> groups;
    for (int i = 0; i < nCount; ++i) {
        CUiDynTabControlBar* pGroup = panes[i]->GetTabContainerBar();
        if (pGroup != nullptr && std::find(groups.begin(), groups.end(), pGroup) == groups.end())
            groups.push_back(pGroup);
    }
    return groups;
}

inline std::string NameOf(CUiControlBar* pBar)
{
    CString str;
    pBar->GetWindowText(str);
    return std::to_string(pBar->GetDlgCtrlID()) + " \"" + (LPCSTR)str + "\"";
}

// The strips whose tabs stand for a bar: the strip of every live group window of the frame
// and of its floating frames.
inline void CollectStrips(HWND hWnd, std::vector<CUiDynTabControlBar*>& groups)
{
    for (HWND h = ::GetWindow(hWnd, GW_CHILD); h != NULL; h = ::GetWindow(h, GW_HWNDNEXT)) {
        CWnd* p = CWnd::FromHandlePermanent(h);
        if (p != nullptr && p->IsKindOf(RUNTIME_CLASS(CUiDynTabControlBar)))
            groups.push_back(static_cast<CUiDynTabControlBar*>(p));
        CollectStrips(h, groups);
    }
}

struct OwnedFrames {
    HWND hOwner;
    std::vector<HWND> frames;
};

inline BOOL CALLBACK CollectOwned(HWND hWnd, LPARAM lParam)
{
    auto* pOwned = reinterpret_cast<OwnedFrames*>(lParam);
    if (::GetWindow(hWnd, GW_OWNER) == pOwned->hOwner)
        pOwned->frames.push_back(hWnd);
    return TRUE;
}

// The floating frames of the frame (its owned top-level windows).
inline std::vector<HWND> FloatingFramesOf(CFrameWnd* pFrame)
{
    OwnedFrames owned{pFrame->m_hWnd, {}};
    ::EnumThreadWindows(::GetCurrentThreadId(), &CollectOwned, (LPARAM)&owned);
    return owned.frames;
}

inline ::testing::AssertionResult EveryPaneReachable(CFrameWnd* pFrame, Pane* const* panes, int nCount)
{
    std::string problems;
    auto fail = [&](CUiControlBar* pBar, const char* pszWhat) { problems += "\n  " + NameOf(pBar) + ": " + pszWhat; };
    for (int i = 0; i < nCount; ++i) {
        Pane* p = panes[i];
        if (!::IsWindow(p->GetSafeHwnd())) {
            problems += "\n  pane " + std::to_string(i) + ": its window is gone";
            continue;
        }
        CDockBar* pDock = p->m_pDockBar;
        if (pDock == nullptr || !::IsWindow(pDock->GetSafeHwnd())) {
            fail(p, "no dock bar");
            continue;
        }
        if (p->GetParent() != pDock)
            fail(p, "its window is not in its dock bar");
        if (pDock->FindBar(p) < 1)
            fail(p, "its dock bar does not hold it");
        if (pFrame->GetControlBar((UINT)p->GetDlgCtrlID()) != p)
            fail(p, "the view menu does not find it");
        CUiDynTabControlBar* pGroup = p->GetTabContainerBar();
        int nTabs = 0;
        if (pGroup != nullptr) {
            for (int t = 0; t < pGroup->m_wndTabs.ItemGetCount(); ++t)
                nTabs += pGroup->m_wndTabs.GetItemBar(t, true) == p ? 1 : 0;
            if (nTabs != 1)
                fail(p, nTabs == 0 ? "no tab of its group stands for it" : "several tabs stand for it");
        }
        if (!(p->GetStyle() & WS_VISIBLE))
            continue;   // hidden: the view menu shows it where it is
        if (pGroup == nullptr) {
            if (!p->IsWindowVisible() || WindowRect(p).IsRectEmpty())
                fail(p, "shown, but not on the screen");
        } else if (!pGroup->IsWindowVisible()) {
            fail(p, "its group is not on the screen");
        } else if (pGroup->GetSelectedBar() != p && !pGroup->m_wndTabs.IsWindowVisible()) {
            fail(p, "neither selected nor reachable by a tab");
        }
    }
    std::vector<CUiDynTabControlBar*> groups;
    CollectStrips(pFrame->m_hWnd, groups);
    for (HWND hFloating : FloatingFramesOf(pFrame))
        CollectStrips(hFloating, groups);
    for (CUiDynTabControlBar* pGroup : groups) {
        CUiDockDynTabBar* pInner = pGroup->GetTabDockBar();
        CUiDynTabWnd& strip = pGroup->m_wndTabs;
        int nBars = 0;
        for (int t = 0; t < strip.ItemGetCount(); ++t) {
            CUiControlBar* pBar = strip.GetItemBar(t, true);
            if (pBar == nullptr)
                problems += "\n  group " + NameOf(pGroup) + ": a provisional tab at rest";
            else if (pInner == nullptr || pBar->GetSafeHwnd() == NULL || pBar->GetParent() != pInner)
                problems += "\n  group " + NameOf(pGroup) + ": a tab stands for " + NameOf(pBar) + ", which is elsewhere";
            else
                ++nBars;
        }
        if (nBars < 2)
            problems += "\n  group " + NameOf(pGroup) + ": left with " + std::to_string(nBars) + " pane(s)";
        if (strip.ItemGetVisibleCount() > 0 && pGroup->GetSelectedBar() == nullptr)
            problems += "\n  group " + NameOf(pGroup) + ": no tab selected";
    }
    if (problems.empty())
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "panes out of reach:" << problems;
}

struct StudioLook {
    StudioLook() { PaintManagerHolder::Get().SetPaintManagerClass(RUNTIME_CLASS(CUiPaintManagerStudio2005)); }
    ~StudioLook() { PaintManagerHolder::Get().SetPaintManager(nullptr); }
};

// The default layout in the Studio 2005 look, its frame in front.
struct DefaultLayoutFixture : StudioLook, PaneFrameFixture {
    DefaultLayoutFixture()
    {
        pFrame->SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        BuildDefaultLayout();
    }
    ~DefaultLayoutFixture()
    {
        CUiDynDockMarkerWnd::DestroyAllMarkers();
        if (::IsWindow(hFrame))
            ::DestroyWindow(hFrame);
        winharness::PumpPending();
    }
    ::testing::AssertionResult Reachable() { return EveryPaneReachable(pFrame, panes, 8); }
    CUiDynTabControlBar* GroupOf(int nPane) { return panes[nPane]->GetTabContainerBar(); }
    // The centre of the pane's tab on the screen.
    CPoint TabPoint(int nPane)
    {
        CUiDynTabControlBar* pGroup = GroupOf(nPane);
        if (pGroup == nullptr)
            return CPoint(-1, -1);
        CUiDynTabWnd& strip = pGroup->m_wndTabs;
        strip.UpdateLayout(true);
        const int nTab = strip.ItemFindByLParam((LPARAM)panes[nPane]);
        CRect rc = strip.ItemGetWindowRect(nTab);
        strip.ClientToScreen(&rc);
        return rc.CenterPoint();
    }
    // A point on the caption of a docked bar, or of the floating frame a bar floats in.
    static CPoint CaptionPoint(CUiControlBar* pBar)
    {
        CFrameWnd* pParent = pBar->GetParentFrame();
        if (pParent != nullptr && pParent->IsKindOf(RUNTIME_CLASS(CUiMiniDockFrameWnd))) {
            const CRect rc = WindowRect(pParent);
            return CPoint(rc.left + 40, rc.top + ::GetSystemMetrics(SM_CYFRAME) + ::GetSystemMetrics(SM_CYSMCAPTION) / 2);
        }
        const CRect rc = WindowRect(pBar);
        return CPoint(rc.left + pBar->m_rcCaption.left + 40, rc.top + pBar->m_rcCaption.CenterPoint().y);
    }
    // The floating frame the pane floats in, or null.
    CUiMiniDockFrameWnd* FloatingFrameOf(CUiControlBar* pBar)
    {
        CFrameWnd* pParent = pBar->GetParentFrame();
        return pParent != nullptr && pParent->IsKindOf(RUNTIME_CLASS(CUiMiniDockFrameWnd))
                   ? static_cast<CUiMiniDockFrameWnd*>(pParent)
                   : nullptr;
    }
    // A point in the view, away from every bar.
    CPoint ViewPoint()
    {
        CWnd* pView = pFrame->GetDlgItem(AFX_IDW_PANE_FIRST);
        return WindowRect(pView).CenterPoint();
    }
};

} // namespace panestest
