// Button menus: the popup flags by dock side, the tracked button, ending every button menu,
// a delayed request with no menu open, the auto-change mode, the chevron with nothing to
// offer and the context-help loop.
#include <gtest/gtest.h>

#include "popupmenuwnd.h"
#include "popuptracktestsupport.h"
#include "toolbar_test_support.h"

using namespace tbtest;

namespace {

class ToolBarMenu : public ToolBarFixture {
protected:
    popuptrack::TrackRecorder recorder;
    CUiToolControlBar* MakeMenuBar(UINT nDockBarId = AFX_IDW_DOCKBAR_TOP)
    {
        CUiToolControlBar* pBar = MakeBar({kOpen, kSave}, nDockBarId);
        HMENU hMenu = ::CreatePopupMenu();
        ::AppendMenuA(hMenu, MF_STRING, kMenuFirst, "First");
        ::AppendMenuA(hMenu, MF_STRING, kMenuSecond, "Second");
        EXPECT_TRUE(pBar->SetButtonMenu(1, hMenu, false, true, true));
        pFrame->RecalcLayout();
        pBar->CalcButtonLayout();
        return pBar;
    }
    void CloseMenus()
    {
        CUiToolControlBar::EndAllBarMenuTracking();
        winharness::PumpUntil([] { return !CUiPopupMenuWnd::IsTrackingMenu(); });
    }
};

TEST_F(ToolBarMenu, AMenuButtonOpensOnTheDockSideAndIsMarked)
{
    const struct {
        UINT nSide;
        UINT nFlags;
    } cases[] = {{AFX_IDW_DOCKBAR_TOP, 0x824}, {AFX_IDW_DOCKBAR_BOTTOM, 0x826}, {AFX_IDW_DOCKBAR_LEFT, 0x821}};
    for (const auto& c : cases) {
        CUiToolControlBar* pBar = MakeMenuBar(c.nSide);
        recorder.calls.clear();
        Mouse(pBar, WM_LBUTTONDOWN, Centre(pBar, 1), MK_LBUTTON);
        ASSERT_EQ(1u, recorder.calls.size()) << c.nSide;
        EXPECT_EQ(c.nFlags, recorder.calls[0].nFlags) << c.nSide;
        EXPECT_TRUE(CUiToolControlBar::g_bMenuTracking) << c.nSide;
        EXPECT_EQ(1, pBar->m_nMenuTrackingIndex) << c.nSide;
        EXPECT_NE(0u, pBar->GetButtonStyle(1) & TBBS_PRESSED) << c.nSide;
        EXPECT_NE(pBar->GetSafeHwnd(), ::GetCapture()) << c.nSide;

        // While the menu is open a disabled button may become the hot one but is not drawn so.
        pBar->SetButtonStyle(0, TBBS_DISABLED);
        const CPoint pt = Centre(pBar, 0);
        pBar->UpdateHotButton(pt.x, pt.y);
        EXPECT_EQ(0, pBar->m_nHotIndex) << c.nSide;
        EXPECT_FALSE(pBar->GetButton(0)->IsHover()) << c.nSide;
        Mouse(pBar, WM_LBUTTONUP, Centre(pBar, 1));
        CloseMenus();
        EXPECT_EQ(-1, pBar->m_nMenuTrackingIndex);
    }
    EXPECT_TRUE(pFrame->commands.empty());
}

TEST_F(ToolBarMenu, EndingAllButtonMenusClearsEveryBar)
{
    CUiToolControlBar* pFirst = MakeBar({kOpen, kSave});
    CUiToolControlBar* pSecond = MakeBar({kOpen, kSave});
    pFirst->SetMenuTrackingButton(0);
    pSecond->SetMenuTrackingButton(1);
    CUiToolControlBar::g_bMenuTracking = true;
    CUiToolControlBar::EndAllBarMenuTracking();
    EXPECT_FALSE(CUiToolControlBar::g_bMenuTracking);
    EXPECT_EQ(-1, pFirst->m_nMenuTrackingIndex);
    EXPECT_EQ(-1, pSecond->m_nMenuTrackingIndex);
    EXPECT_EQ(0u, pFirst->GetButtonStyle(0) & TBBS_PRESSED);
    EXPECT_EQ(0u, pSecond->GetButtonStyle(1) & TBBS_PRESSED);
}

TEST_F(ToolBarMenu, ADelayedRequestWithNoMenuOpenOpensNothing)
{
    CUiToolControlBar* pBar = MakeMenuBar();
    pBar->PostMessage(CUiToolControlBar::g_nMsgTrackButtonMenu, 1, 0);
    winharness::PumpPending();
    EXPECT_TRUE(recorder.calls.empty());
    EXPECT_FALSE(CUiToolControlBar::g_bMenuTracking);
    EXPECT_EQ(-1, pBar->m_nMenuTrackingIndex);
}

TEST_F(ToolBarMenu, AutoChangeSendsTheChosenCommandAndMakesItTheButtons)
{
    CUiToolControlBar* pBar = MakeMenuBar();
    CUiBarButton* pButton = pBar->GetButton(1);
    pButton->SetAutoChangeCmd(true);
    recorder.Choose(kMenuSecond);
    Mouse(pBar, WM_LBUTTONDOWN, Centre(pBar, 1), MK_LBUTTON);
    Mouse(pBar, WM_LBUTTONUP, Centre(pBar, 1));
    winharness::PumpPending();
    ASSERT_EQ(1u, recorder.calls.size());
    EXPECT_EQ(0x280u, recorder.calls[0].nFlags & 0x280u);
    EXPECT_EQ(std::vector<UINT>{kMenuSecond}, pFrame->commands);
    EXPECT_EQ(kMenuSecond, pButton->GetCmdID(true));
    EXPECT_EQ(kSave, pButton->GetCmdID(false));
}

// A menu whose own loop rebuilt the bar: the chosen command belongs to a button that is gone.
CUiToolControlBar* g_pRebuiltBar = nullptr;
int RebuildAndChoose(const PopupTrackCall&, UINT* pnChosen)
{
    const UINT ids[] = {kOpen};
    g_pRebuiltBar->SetButtonList(ids, 1);
    *pnChosen = kMenuSecond;
    return CUiPopupMenuWnd::kHookChoose;
}

TEST_F(ToolBarMenu, AutoChangeIgnoresAChoiceWhenItsButtonWentDuringTheMenu)
{
    CUiToolControlBar* pBar = MakeMenuBar();
    pBar->GetButton(1)->SetAutoChangeCmd(true);
    g_pRebuiltBar = pBar;
    CUiPopupMenuWnd::g_pfnTrackMenuHook = &RebuildAndChoose;
    Mouse(pBar, WM_LBUTTONDOWN, Centre(pBar, 1), MK_LBUTTON);
    CUiPopupMenuWnd::g_pfnTrackMenuHook = nullptr;
    winharness::PumpPending();
    EXPECT_TRUE(pFrame->commands.empty());
    ASSERT_EQ(2, pBar->GetButtonsCount());
    EXPECT_EQ(kOpen, pBar->GetButton(0)->GetCmdID(true));
}

TEST_F(ToolBarMenu, TheChevronListsTheHiddenButtonsAndTheFramesBars)
{
    std::vector<UINT> ids;
    for (UINT i = 0; i < 10; ++i)
        ids.push_back(kIconFirst + i);
    CUiToolControlBar* pBar = MakeBar(ids);
    CRect rcWindow, rcClient;
    pBar->GetWindowRect(&rcWindow);
    pBar->GetClientRect(&rcClient);
    pBar->SetWindowPos(NULL, 0, 0, 100 + rcWindow.Width() - rcClient.Width(), rcWindow.Height(),
                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    pBar->CalcButtonLayout();
    CUiBarContentExpandButton* pChevron = pBar->m_pContentExpandButton;
    std::vector<UINT> hidden;
    for (INT_PTR n = 0; n < pChevron->m_arrHidden.GetSize(); ++n)
        hidden.push_back(pChevron->m_arrHidden[n]->GetCmdID(true));
    ASSERT_FALSE(hidden.empty());
    const int nChevron = pBar->GetButtonsCount() - 1;
    for (bool bBars : {false, true}) {
        pBar->m_bShowBarsInContentMenu = bBars ? 1 : 0;
        recorder.calls.clear();
        Mouse(pBar, WM_LBUTTONDOWN, Centre(pBar, nChevron), MK_LBUTTON);
        ASSERT_EQ(1u, recorder.calls.size()) << bBars;
        EXPECT_EQ(0x824u, recorder.calls[0].nFlags) << bBars;
        EXPECT_TRUE(CUiToolControlBar::g_bMenuTracking) << bBars;
        EXPECT_EQ(nChevron, pBar->m_nMenuTrackingIndex) << bBars;
        std::vector<UINT> expected = hidden;
        if (bBars) {
            // A separator, then the submenu of the frame's bars.
            expected.push_back(0);
            expected.push_back((UINT)-1);
        }
        EXPECT_EQ(expected, recorder.calls[0].ids) << bBars;
        Mouse(pBar, WM_LBUTTONUP, Centre(pBar, nChevron));
        CloseMenus();
    }
}

TEST_F(ToolBarMenu, AChevronWithNothingToOfferOpensNothing)
{
    CUiToolControlBar* pBar = MakeBar({kOpen, kSave});
    pBar->m_bShowBarsInContentMenu = 0;
    pBar->CalcButtonLayout();
    ASSERT_EQ(0, pBar->m_pContentExpandButton->m_arrHidden.GetSize());
    Mouse(pBar, WM_LBUTTONDOWN, Centre(pBar, 2), MK_LBUTTON);
    Mouse(pBar, WM_LBUTTONUP, Centre(pBar, 2));
    EXPECT_TRUE(recorder.calls.empty());
    EXPECT_FALSE(CUiToolControlBar::g_bMenuTracking);
}

TEST_F(ToolBarMenu, TheHelpLoopAnswersSystemAndMenuCommands)
{
    CUiToolControlBar* pBar = MakeBar({kOpen, kSave});
    pFrame->m_bHelpMode = TRUE;
    const struct {
        UINT nMsg;
        WPARAM wParam;
        int nExpected;
    } cases[] = {{WM_SYSCOMMAND, SC_CLOSE, 0x1EF06}, {WM_SYSCOMMAND, 0xF012, 0x1EF01}, {WM_COMMAND, kSave, (int)kSave}};
    for (const auto& c : cases) {
        ::PostMessageA(hFrame, c.nMsg, c.wParam, 0);
        EXPECT_EQ(c.nExpected, pBar->HelpModeMenuLoop()) << c.wParam;
    }
    pFrame->m_bHelpMode = FALSE;
    EXPECT_EQ(-3, pBar->HelpModeMenuLoop());
    EXPECT_TRUE(pFrame->commands.empty());
}

} // namespace
