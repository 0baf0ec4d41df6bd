// What the paint manager asks of the bars of a frame: which window relays the system
// changes, and the Office 2003 answers for docked, floating, menu and panel bars.
#include <gtest/gtest.h>

#include "dockbar.h"
#include "framefixture.h"
#include "paintmanageroffice2003.h"
#include "painttestsupport.h"
#include "statuscontrolbar.h"
#include "tabwnd.h"
#include "menucontrolbar.h"
#include "toolcontrolbar.h"

namespace {

// The bars made here as any control bar is made: a child window with its bar style.
template <class BASE>
using CTestBar = painttest::TestBar<BASE>;

class BarFrameTest : public ::testing::Test {
protected:
    BarFrameTest()
    {
        scope.UseIdentitySysColors();
        scope.SetBitsPerPixel(32);
        pFrame = new CFrameWnd;
        pFrame->Create(NULL, "Bars", WS_OVERLAPPEDWINDOW, CRect(20, 20, 520, 420));
        hFrame = pFrame->GetSafeHwnd();
    }
    ~BarFrameTest() override
    {
        if (::IsWindow(hFrame))
            ::DestroyWindow(hFrame);
        winharness::PumpPending();
    }
    // Outer dock bars at the ids, before the frame makes plain dock bars for the other sides.
    void MakeOuterDockBars(std::initializer_list<UINT> ids)
    {
        painttest::AddOuterDockBars(pFrame, ids);
        pFrame->EnableDocking(CBRS_ALIGN_ANY);
    }
    // The colour table follows a changed face colour only when it was rebuilt.
    bool Rebuilt(LRESULT (*relay)(CWnd*), CWnd* pWnd)
    {
        scope.SetSysColor(COLOR_BTNFACE, RGB(++nFace, 1, 1));
        relay(pWnd);
        return scope.Current()->GetColor(COLOR_BTNFACE) == RGB(nFace, 1, 1);
    }

    painttest::PaintLookScope scope;
    CFrameWnd* pFrame = nullptr;
    HWND hFrame = NULL;
    int nFace = 10;
};

LRESULT SysColor(CWnd* pWnd)
{
    return PaintManagerHolder::Get().OnSysColorChange(pWnd);
}
LRESULT Setting(CWnd* pWnd)
{
    return PaintManagerHolder::Get().OnSettingChange(pWnd, 0, "intl");
}
LRESULT Display(CWnd* pWnd)
{
    return PaintManagerHolder::Get().OnDisplayChange(pWnd, 32, 1280, 1024);
}
LRESULT Theme(CWnd* pWnd)
{
    return PaintManagerHolder::Get().OnThemeChanged(pWnd, 0, 0);
}

} // namespace

TEST_F(BarFrameTest, TheStatusBarRelaysForItsFrame)
{
    scope.Install(RUNTIME_CLASS(CUiPaintManager));
    CUiStatusControlBar status;
    ASSERT_TRUE(status.Create(pFrame, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, AFX_IDW_STATUS_BAR));
    pFrame->EnableDocking(CBRS_ALIGN_ANY);
    CTestBar<CUiToolControlBar> toolbar;
    ASSERT_TRUE(toolbar.Create(pFrame, CBRS_ALIGN_TOP, 0xE810));
    pFrame->DockControlBar(&toolbar, AFX_IDW_DOCKBAR_TOP);

    PaintManagerHolder& holder = PaintManagerHolder::Get();
    EXPECT_FALSE(holder.IsThemeRelayWindow(&toolbar));
    EXPECT_TRUE(holder.IsThemeRelayWindow(&status));
    EXPECT_EQ(0, holder.OnSysColorChange(&toolbar));
    for (auto relay : {SysColor, Setting, Display, Theme}) {
        EXPECT_FALSE(Rebuilt(relay, &toolbar));
        EXPECT_TRUE(Rebuilt(relay, &status));
    }
    // The frame itself does not relay while it has a status bar.
    EXPECT_FALSE(holder.IsThemeRelayWindow(pFrame));
}

TEST_F(BarFrameTest, WithoutAStatusBarTheFirstOuterDockBarRelays)
{
    scope.Install(RUNTIME_CLASS(CUiPaintManagerXP));
    MakeOuterDockBars({AFX_IDW_DOCKBAR_LEFT, AFX_IDW_DOCKBAR_BOTTOM});
    CWnd* pTop = pFrame->GetControlBar(AFX_IDW_DOCKBAR_TOP);
    CWnd* pBottom = pFrame->GetControlBar(AFX_IDW_DOCKBAR_BOTTOM);
    CWnd* pLeft = pFrame->GetControlBar(AFX_IDW_DOCKBAR_LEFT);
    ASSERT_NE(nullptr, pTop);
    ASSERT_FALSE(pTop->IsKindOf(RUNTIME_CLASS(CUiDockOuterBar)));
    CTestBar<CUiToolControlBar> toolbar;
    ASSERT_TRUE(toolbar.Create(pFrame, CBRS_ALIGN_TOP, 0xE810));
    pFrame->DockControlBar(&toolbar, AFX_IDW_DOCKBAR_TOP);

    PaintManagerHolder& holder = PaintManagerHolder::Get();
    // Bottom comes before left in the order top, bottom, left, right; the top one is no
    // framework dock bar.
    EXPECT_TRUE(Rebuilt(SysColor, pBottom));
    EXPECT_FALSE(Rebuilt(SysColor, pLeft));
    EXPECT_FALSE(Rebuilt(SysColor, pTop));
    EXPECT_FALSE(Rebuilt(SysColor, &toolbar));

    // A status bar that is no framework status bar does not take the part.
    CStatusBar plain;
    ASSERT_TRUE(plain.Create(pFrame, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, AFX_IDW_STATUS_BAR));
    EXPECT_TRUE(holder.IsThemeRelayWindow(pBottom));
    EXPECT_FALSE(holder.IsThemeRelayWindow(&plain));
}

TEST_F(BarFrameTest, WithoutBarsTheFirstMdiTabWindowRelaysElseEveryWindow)
{
    PaintManagerHolder& holder = PaintManagerHolder::Get();
    CWnd child;
    ASSERT_TRUE(child.Create(NULL, NULL, WS_CHILD, CRect(0, 0, 10, 10), pFrame, 100));
    EXPECT_TRUE(holder.IsThemeRelayWindow(&child));
    CUiTabMdiWnd tabs;
    ASSERT_TRUE(tabs.Create(NULL, NULL, WS_CHILD, CRect(0, 0, 10, 10), pFrame, 101));
    EXPECT_FALSE(holder.IsThemeRelayWindow(&child));
    EXPECT_TRUE(holder.IsThemeRelayWindow(&tabs));

    // A window outside any frame relays for itself.
    winharness::HiddenParent parent;
    CWnd lone;
    ASSERT_TRUE(lone.Create(NULL, NULL, WS_CHILD, CRect(0, 0, 10, 10), parent.wnd(), 1));
    EXPECT_TRUE(holder.IsThemeRelayWindow(&lone));
    lone.DestroyWindow();
    child.DestroyWindow();
    tabs.DestroyWindow();
}

TEST_F(BarFrameTest, Office2003ThemesOnlyDockedPlainToolbars)
{
    MakeOuterDockBars({AFX_IDW_DOCKBAR_TOP});
    CTestBar<CUiToolControlBar> toolbar, floating, loose, wrapped;
    CTestBar<CUiMenuControlBar> menubar;
    CTestBar<CUiPanelControlBar> panel;
    ASSERT_TRUE(toolbar.Create(pFrame, CBRS_ALIGN_TOP, 0xE810));
    ASSERT_TRUE(floating.Create(pFrame, CBRS_ALIGN_TOP, 0xE811));
    ASSERT_TRUE(loose.Create(pFrame, CBRS_ALIGN_TOP, 0xE812));
    ASSERT_TRUE(wrapped.Create(pFrame, CBRS_ALIGN_TOP, 0xE813));
    ASSERT_TRUE(menubar.Create(pFrame, CBRS_ALIGN_TOP, 0xE814));
    ASSERT_TRUE(panel.Create(pFrame, CBRS_ALIGN_TOP, 0xE815));
    for (CControlBar* pBar : std::initializer_list<CControlBar*>{&toolbar, &floating, &wrapped, &menubar, &panel})
        pFrame->DockControlBar(pBar, AFX_IDW_DOCKBAR_TOP);
    pFrame->FloatControlBar(&floating, CPoint(300, 200), CBRS_ALIGN_TOP);
    wrapped.m_bContentWrapped = 1;
    ASSERT_TRUE(floating.IsBarFloating());
    ASSERT_FALSE(toolbar.IsBarFloating());

    CUiPaintManager* pm = scope.Install(RUNTIME_CLASS(CUiPaintManagerOffice2003));
    EXPECT_TRUE(pm->IsToolBarThemedFrame(&toolbar));
    EXPECT_EQ(0, pm->GetFixedBarPadding(&toolbar));
    EXPECT_FALSE(pm->IsToolBarThemedFrame(&floating));
    EXPECT_EQ(6, pm->GetFixedBarPadding(&floating));
    EXPECT_FALSE(pm->IsToolBarThemedFrame(&loose));
    EXPECT_FALSE(pm->IsToolBarThemedFrame(&wrapped));
    EXPECT_FALSE(pm->IsToolBarThemedFrame(&menubar));
    EXPECT_FALSE(pm->IsToolBarThemedFrame(&panel));
    EXPECT_EQ(0, pm->GetFixedBarPadding(&menubar));
    CRect rc(0, 0, 100, 30);
    pm->AdjustBarClientRect(&toolbar, rc);
    EXPECT_EQ(CRect(0, 0, 100, 30), rc);

    // On a palette display the themed frame is off and the base padding returns.
    scope.SetBitsPerPixel(8);
    EXPECT_FALSE(pm->IsToolBarThemedFrame(&toolbar));
    EXPECT_EQ(6, pm->GetFixedBarPadding(&toolbar));
    pm->AdjustBarClientRect(&toolbar, rc);
    EXPECT_EQ(CRect(1, 1, 99, 29), rc);

    scope.SetBitsPerPixel(32);
    pm = scope.Install(RUNTIME_CLASS(CUiPaintManager));
    EXPECT_FALSE(pm->IsToolBarThemedFrame(&toolbar));
    EXPECT_EQ(6, pm->GetFixedBarPadding(&toolbar));
    EXPECT_EQ(0, pm->GetFixedBarPadding(&menubar));
    rc.SetRect(0, 0, 100, 30);
    pm->AdjustBarClientRect(&toolbar, rc);
    EXPECT_EQ(CRect(3, 1, 97, 29), rc);
    // A vertically docked bar gives up its width and height the other way round.
    pFrame->DockControlBar(&toolbar, AFX_IDW_DOCKBAR_LEFT);
    ASSERT_TRUE(toolbar.IsDockedVertically());
    rc.SetRect(0, 0, 30, 100);
    pm->AdjustBarClientRect(&toolbar, rc);
    EXPECT_EQ(CRect(1, 3, 29, 97), rc);
    // Not yet docked: its style says.
    EXPECT_FALSE(loose.IsDockedVertically());
    CTestBar<CUiToolControlBar> side;
    ASSERT_TRUE(side.Create(pFrame, CBRS_ALIGN_LEFT, 0xE816));
    EXPECT_TRUE(side.IsDockedVertically());
    EXPECT_FALSE(side.IsBarFloating());
}
