// The toolbar and the mouse: press, release and capture, check boxes, double clicks,
// disabled buttons and a press that survives an insert before it.
#include <gtest/gtest.h>

#include "paintmanagerholder.h"
#include "paintmanagerstudio2005.h"
#include "toolbar_test_support.h"

using namespace tbtest;

namespace {

class ToolBarMouse : public ToolBarFixture {
protected:
    CUiToolControlBar* pBar = nullptr;
    void SetUp() override { pBar = MakeBar({kOpen, 0, kSave, kClose}); }
    bool Pressed(int nIndex) { return (pBar->GetButtonStyle(nIndex) & TBBS_PRESSED) != 0; }
    void Click(int nIndex)
    {
        Mouse(pBar, WM_LBUTTONDOWN, Centre(pBar, nIndex), MK_LBUTTON);
        Mouse(pBar, WM_LBUTTONUP, Centre(pBar, nIndex));
    }
};

TEST_F(ToolBarMouse, APressFollowsTheMouseAndTheReleaseDeliversOnce)
{
    Mouse(pBar, WM_LBUTTONDOWN, Centre(pBar, 0), MK_LBUTTON);
    EXPECT_EQ(pBar->GetSafeHwnd(), ::GetCapture());
    EXPECT_TRUE(Pressed(0));
    Mouse(pBar, WM_MOUSEMOVE, Outside(pBar), MK_LBUTTON);
    EXPECT_FALSE(Pressed(0));
    Mouse(pBar, WM_MOUSEMOVE, Centre(pBar, 0), MK_LBUTTON);
    EXPECT_TRUE(Pressed(0));
    Mouse(pBar, WM_LBUTTONUP, Centre(pBar, 0));
    EXPECT_EQ(std::vector<UINT>{kOpen}, pFrame->commands);
    EXPECT_FALSE(Pressed(0));
}

TEST_F(ToolBarMouse, AReleaseElsewhereDeliversNothingAndKeepsTheCheck)
{
    pBar->SetButtonStyle(2, TBBS_CHECKBOX | TBBS_CHECKED);
    Mouse(pBar, WM_LBUTTONDOWN, Centre(pBar, 2), MK_LBUTTON);
    Mouse(pBar, WM_MOUSEMOVE, Outside(pBar), MK_LBUTTON);
    Mouse(pBar, WM_LBUTTONUP, Outside(pBar));
    EXPECT_TRUE(pFrame->commands.empty());
    EXPECT_NE(pBar->GetSafeHwnd(), ::GetCapture());
    EXPECT_EQ((DWORD)(TBBS_CHECKBOX | TBBS_CHECKED), pBar->GetButtonStyle(2));
}

TEST_F(ToolBarMouse, AClickTogglesACheckBoxAndSettlesAnIndeterminateOne)
{
    pBar->SetButtonStyle(2, TBBS_CHECKBOX);
    Click(2);
    EXPECT_EQ((DWORD)(TBBS_CHECKBOX | TBBS_CHECKED), pBar->GetButtonStyle(2));
    Click(2);
    EXPECT_EQ((DWORD)TBBS_CHECKBOX, pBar->GetButtonStyle(2));
    pBar->SetButtonStyle(2, TBBS_CHECKBOX | TBBS_INDETERMINATE);
    Click(2);
    EXPECT_EQ((DWORD)(TBBS_CHECKBOX | TBBS_CHECKED), pBar->GetButtonStyle(2));
    pBar->SetButtonStyle(2, TBBS_CHECKBOX | TBBS_INDETERMINATE | TBBS_CHECKED);
    Click(2);
    EXPECT_EQ((DWORD)TBBS_CHECKBOX, pBar->GetButtonStyle(2));
    EXPECT_EQ(4u, pFrame->commands.size());
}

TEST_F(ToolBarMouse, ADoubleClickIsTwoClicks)
{
    Mouse(pBar, WM_LBUTTONDOWN, Centre(pBar, 0), MK_LBUTTON);
    Mouse(pBar, WM_LBUTTONUP, Centre(pBar, 0));
    Mouse(pBar, WM_LBUTTONDBLCLK, Centre(pBar, 0), MK_LBUTTON);
    Mouse(pBar, WM_LBUTTONUP, Centre(pBar, 0));
    EXPECT_EQ((std::vector<UINT>{kOpen, kOpen}), pFrame->commands);
}

TEST_F(ToolBarMouse, APressOnADisabledButtonTakesNoCapture)
{
    pFrame->bOpenEnabled = false;
    ::ReleaseCapture();
    Mouse(pBar, WM_LBUTTONDOWN, Centre(pBar, 0), MK_LBUTTON);
    EXPECT_NE(pBar->GetSafeHwnd(), ::GetCapture());
    EXPECT_EQ(-1, pBar->m_nPressedIndex);
    EXPECT_FALSE(Pressed(0));
    Mouse(pBar, WM_LBUTTONUP, Centre(pBar, 0));
    EXPECT_TRUE(pFrame->commands.empty());
}

TEST_F(ToolBarMouse, AnInsertBeforeThePressedButtonKeepsThePressOnIt)
{
    Mouse(pBar, WM_LBUTTONDOWN, Centre(pBar, 2), MK_LBUTTON);
    ASSERT_EQ(2, pBar->m_nPressedIndex);
    ASSERT_TRUE(pBar->InsertButton(0, kClose, true));
    EXPECT_EQ(3, pBar->m_nPressedIndex);
    EXPECT_EQ(kSave, pBar->GetButtonID(3));
    Mouse(pBar, WM_LBUTTONUP, Centre(pBar, 3));
    EXPECT_EQ(std::vector<UINT>{kSave}, pFrame->commands);
}

TEST_F(ToolBarMouse, APressBesideTheButtonsDragsTheBarInTheLookWithMarkers)
{
    PaintManagerHolder& holder = PaintManagerHolder::Get();
    CRuntimeClass* pOld = holder.GetStoredHandle()->GetRuntimeClass();
    holder.SetPaintManagerClass(RUNTIME_CLASS(CUiPaintManagerStudio2005));
    CRect rc;
    pBar->GetWindowRect(&rc);
    // The gripper at the bar's leading end.
    const CPoint pt(rc.left + 3, rc.CenterPoint().y);
    bool bDragged = false;
    winharness::ScriptedInputPlayer player;
    player.Keys(true)
        .MoveTo(pt.x + 30, pt.y)
        .MoveTo(pt.x + 30, pt.y + 1)
        .Call([&] { bDragged = CUiControlBar::GetBarBeingDragged() == pBar; })
        .PostToCapture(WM_LBUTTONUP)
        .Keys(false);
    ::SetCursorPos(pt.x, pt.y);
    player.Start();
    CPoint ptClient = pt;
    pBar->ScreenToClient(&ptClient);
    pBar->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(ptClient.x, ptClient.y));
    winharness::PumpUntil([&] { return player.Done(); });
    holder.SetPaintManagerClass(pOld);
    EXPECT_TRUE(bDragged);
    CRect rcAfter;
    pBar->GetWindowRect(&rcAfter);
    EXPECT_EQ(rc.left + 30, rcAfter.left);
}

} // namespace
