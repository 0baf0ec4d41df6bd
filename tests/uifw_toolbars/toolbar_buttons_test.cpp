// The toolbar's button array, its idle command update, its tool tips and the measuring of
// its buttons.
#include <gtest/gtest.h>

#include <cstdlib>

#include "toolbar_test_support.h"

using namespace tbtest;

namespace {

class ToolBarButtons : public ToolBarFixture {};

TEST_F(ToolBarButtons, ListsInsertsAndRemovesAroundTheChevron)
{
    CUiToolControlBar* pBar = MakeBar({kOpen, 0, kSave});
    ASSERT_EQ(4, pBar->GetButtonsCount());
    EXPECT_EQ(0u, pBar->GetButtonID(1));
    EXPECT_NE(0u, pBar->GetButtonStyle(1) & TBBS_SEPARATOR);
    EXPECT_EQ(0xFFFFFFBEu, pBar->GetButtonID(3));
    EXPECT_TRUE(pBar->IsContentExpandButton(3));
    EXPECT_EQ(pBar->m_pContentExpandButton, pBar->GetButton(3));

    EXPECT_TRUE(pBar->InsertButton(-1, kClose, false));
    EXPECT_EQ(kClose, pBar->GetButtonID(3));
    EXPECT_TRUE(pBar->InsertButton(pBar->GetButtonsCount(), kAmpersand, false));
    EXPECT_EQ(kAmpersand, pBar->GetButtonID(4));
    EXPECT_TRUE(pBar->IsContentExpandButton(5));
    EXPECT_FALSE(pBar->InsertButton(pBar->GetButtonsCount() + 1, kClose, false));
    EXPECT_FALSE(pBar->RemoveButton(5, false));
    EXPECT_TRUE(pBar->IsContentExpandButton(5));

    pBar->m_nHotIndex = 1;
    pBar->m_nPressedIndex = 2;
    pBar->m_nMenuTrackingIndex = 3;
    EXPECT_TRUE(pBar->RemoveButton(0, false));
    EXPECT_EQ(-1, pBar->m_nHotIndex);
    EXPECT_EQ(-1, pBar->m_nPressedIndex);
    EXPECT_EQ(-1, pBar->m_nMenuTrackingIndex);
    EXPECT_EQ(5, pBar->GetButtonsCount());

    // A resource the command manager cannot load leaves the buttons as they are.
    EXPECT_FALSE(pBar->LoadToolBarCommands(999));
    EXPECT_EQ(5, pBar->GetButtonsCount());

    // The test toolbar resource: its commands with their images go into the bar's profile.
    ASSERT_TRUE(pBar->LoadToolBarCommands(700));
    ASSERT_EQ(4, pBar->GetButtonsCount());
    EXPECT_EQ(kOpen, pBar->GetButtonID(0));
    EXPECT_EQ(0u, pBar->GetButtonID(1));
    EXPECT_EQ(kSave, pBar->GetButtonID(2));
    EXPECT_TRUE(pBar->IsContentExpandButton(3));
    ASSERT_NE(nullptr, pBar->GetButton(2)->GetIconPtr());
    EXPECT_EQ(CSize(16, 15), pBar->GetButton(2)->GetIconPtr()->GetSize());

    EXPECT_TRUE(pBar->SetButtonList(nullptr, 0));
    EXPECT_EQ(0, pBar->GetButtonsCount());
    EXPECT_EQ(nullptr, pBar->m_pContentExpandButton);
}

// Controls attached in a row without a layout each wait for one layout, which puts every
// one of them in its button's place.
TEST_F(ToolBarButtons, ControlsAttachedInARowAreLaidOutOnce)
{
    CUiToolControlBar* pBar = MakeBar({kOpen, kSave});
    CStatic first, second;
    ASSERT_TRUE(first.Create("1", WS_CHILD | WS_VISIBLE, CRect(0, 0, 30, 12), pBar, kOpen));
    ASSERT_TRUE(second.Create("2", WS_CHILD | WS_VISIBLE, CRect(0, 0, 30, 12), pBar, kSave));
    EXPECT_TRUE(pBar->AttachButtonControl(0, &first, true, false));
    EXPECT_TRUE(pBar->AttachButtonControl(1, &second, true, false));
    EXPECT_FALSE(pBar->AttachButtonControl(0, &second, true, false));
    pBar->RequestFrameRecalcLayout();
    winharness::PumpPending();
    for (int i = 0; i < 2; ++i) {
        CWnd& ctrl = i == 0 ? static_cast<CWnd&>(first) : static_cast<CWnd&>(second);
        CRect rcButton, rcCtrl;
        pBar->GetButtonRect(i, &rcButton);
        ctrl.GetWindowRect(&rcCtrl);
        pBar->ScreenToClient(&rcCtrl);
        EXPECT_TRUE(ctrl.IsWindowVisible());
        EXPECT_TRUE(rcButton.PtInRect(rcCtrl.CenterPoint())) << i;
    }
    pBar->AttachButtonControl(0, nullptr);
    pBar->AttachButtonControl(1, nullptr);
}

// A control a button holds follows its command's state at each idle update, and a bar
// without one updates its buttons all the same.
TEST_F(ToolBarButtons, AHeldControlFollowsItsCommandAtTheIdleUpdate)
{
    CUiToolControlBar* pPlain = MakeBar({kSave});
    pPlain->SendMessage(WM_IDLEUPDATECMDUI, TRUE, 0);
    EXPECT_EQ(0u, pPlain->GetButtonStyle(0) & TBBS_DISABLED);

    CUiToolControlBar* pBar = MakeBar({kOpen, kSave});
    CEdit edit;
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 40, 14), pBar, kOpen));
    ASSERT_TRUE(pBar->AttachButtonControl(0, &edit, true, false));
    for (bool bEnabled : {false, true, false}) {
        pFrame->bOpenEnabled = bEnabled;
        pBar->SendMessage(WM_IDLEUPDATECMDUI, TRUE, 0);
        EXPECT_EQ(bEnabled, edit.IsWindowEnabled() != FALSE);
    }
    pBar->AttachButtonControl(0, nullptr);
}

TEST_F(ToolBarButtons, IdleUpdateSetsStylesAndTheCommandItems)
{
    CUiToolControlBar* pBar = MakeBar({kOpen, 0, kSave, kClose});
    pFrame->nSaveCheck = 2;
    pFrame->bOpenEnabled = false;
    pBar->SendMessage(WM_IDLEUPDATECMDUI, TRUE, 0);

    const DWORD dwSave = pBar->GetButtonStyle(2);
    EXPECT_EQ((DWORD)(TBBS_INDETERMINATE | TBBS_CHECKBOX), dwSave & (TBBS_INDETERMINATE | TBBS_CHECKBOX | TBBS_CHECKED));
    EXPECT_TRUE(Item(kSave)->StateGetCheck());
    EXPECT_NE(0u, pBar->GetButtonStyle(0) & TBBS_DISABLED);
    EXPECT_FALSE(Item(kOpen)->StateIsEnable());
    EXPECT_NE(0u, pBar->GetButtonStyle(3) & TBBS_DISABLED);   // no handler
    EXPECT_EQ(0u, pBar->GetButtonStyle(4));                   // the chevron

    pFrame->bOpenEnabled = true;
    pBar->SendMessage(WM_IDLEUPDATECMDUI, TRUE, 0);
    EXPECT_EQ(0u, pBar->GetButtonStyle(0) & TBBS_DISABLED);
    EXPECT_TRUE(Item(kOpen)->StateIsEnable());

    // A hidden bar is left alone.
    pBar->ShowWindow(SW_HIDE);
    pFrame->bOpenEnabled = false;
    pBar->OnUpdateCmdUI(pFrame, TRUE);
    EXPECT_EQ(0u, pBar->GetButtonStyle(0) & TBBS_DISABLED);
}

TEST_F(ToolBarButtons, ToolTipsCarryTheShortcutAndStopWhileMenusAreOpen)
{
    CUiToolControlBar* pBar = MakeBar({kOpen, 0, kSave});
    const bool bSavedC = CUiToolControlBar::g_bOptionC;
    CUiToolControlBar::g_bOptionC = true;
    TOOLINFO ti = {};
    ti.cbSize = sizeof(ti);
    ASSERT_EQ((INT_PTR)kOpen, pBar->OnToolHitTest(Centre(pBar, 0), &ti));
    ASSERT_NE(LPSTR_TEXTCALLBACK, ti.lpszText);
    EXPECT_STREQ("Open (Ctrl+O)", ti.lpszText);
    EXPECT_EQ(kOpen, (UINT)ti.uId);
    EXPECT_EQ(pBar->GetButton(0)->GetRect(), CRect(ti.rect));
    EXPECT_EQ(pBar->GetSafeHwnd(), ti.hwnd);
    free(ti.lpszText);

    // Save has no tip.
    EXPECT_EQ(-1, pBar->OnToolHitTest(Centre(pBar, 2), nullptr));
    CUiToolControlBar::g_bMenuTracking = true;
    EXPECT_EQ(-1, pBar->OnToolHitTest(Centre(pBar, 0), nullptr));
    CUiToolControlBar::g_bMenuTracking = false;
    CUiToolControlBar::g_bShowToolTips = false;
    EXPECT_EQ(-1, pBar->OnToolHitTest(Centre(pBar, 0), nullptr));

    // The chevron answers whatever the option says.
    TOOLINFO chevron = {};
    chevron.cbSize = sizeof(chevron);
    EXPECT_EQ(0xE001, pBar->m_pContentExpandButton->OnToolHitTest(Centre(pBar, 3), &chevron));
    EXPECT_STREQ("Where are buttons?", chevron.lpszText);
    EXPECT_EQ(0xE001u, (UINT)chevron.uId);
    free(chevron.lpszText);
    CUiToolControlBar::g_bShowToolTips = true;
    CUiToolControlBar::g_bOptionC = bSavedC;
}

TEST_F(ToolBarButtons, ButtonsMeasureTheirIconTextAndMenuPart)
{
    CUiToolControlBar* pBar = MakeBar({kOpen, 0, kAmpersand, kMissing, kSave});
    const CSize sizeGiven(23, 22);
    BarFontDC horz(pBar, false);
    CUiBarButton* pSeparator = pBar->GetButton(1);
    EXPECT_EQ(CSize(6, 22), pSeparator->CalculateLayout(horz.dc(), sizeGiven, true));
    EXPECT_EQ(CSize(23, 6), pSeparator->CalculateLayout(horz.dc(), sizeGiven, false));

    // The icon alone fits the default size; doubled it does not.
    EXPECT_EQ(CSize(23, 22), pBar->GetButton(0)->CalculateLayout(horz.dc(), sizeGiven, true));
    CUiToolControlBar::g_bOptionA = true;
    EXPECT_EQ(CSize(38, 38), pBar->GetButton(0)->CalculateLayout(horz.dc(), sizeGiven, true));
    CUiToolControlBar::g_bOptionA = false;

    // "A&&B" shows as "A&B"; "&Open" as "Open".
    const CSize sizeAmp = horz.Measure("A&B");
    EXPECT_EQ(CSize(std::max<int>(23, sizeAmp.cx + 12), std::max<int>(22, sizeAmp.cy + 6)),
              pBar->GetButton(2)->CalculateLayout(horz.dc(), sizeGiven, true));
    Item(kSave)->m_strToolbarText = "&Open it";
    const CSize sizeOpen = horz.Measure("Open it");
    const CSize sizeSave = pBar->GetButton(4)->CalculateLayout(horz.dc(), sizeGiven, true);
    EXPECT_EQ(CSize(sizeOpen.cx + 12, std::max<int>(22, sizeOpen.cy + 6)), sizeSave);

    // A command the profile lacks keeps the given size.
    EXPECT_EQ(CSize(23, 22), pBar->GetButton(3)->CalculateLayout(horz.dc(), sizeGiven, true));

    // A menu adds the drop-down part along the bar.
    BarFontDC vert(pBar, true);
    const CSize sizeVert = pBar->GetButton(4)->CalculateLayout(vert.dc(), sizeGiven, false);
    HMENU hMenu = ::CreatePopupMenu();
    ::AppendMenuA(hMenu, MF_STRING, kMenuFirst, "First");
    ASSERT_TRUE(pBar->SetButtonMenu(4, hMenu, false, true, false));
    EXPECT_EQ(CSize(sizeSave.cx + 11, sizeSave.cy), pBar->GetButton(4)->CalculateLayout(horz.dc(), sizeGiven, true));
    EXPECT_EQ(CSize(sizeVert.cx, sizeVert.cy + 11), pBar->GetButton(4)->CalculateLayout(vert.dc(), sizeGiven, false));
}

} // namespace
