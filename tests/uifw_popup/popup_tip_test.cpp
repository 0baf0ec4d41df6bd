// The menu tip window: its text, the one-second show delay that hiding cancels, showing
// without activation, and how the balloon is painted.
#include "popup_test_support.h"

#include "paintmanager.h"
#include "paintmanagerholder.h"
#include "popupcolormenuwnd.h"
#include "popupmenutipwnd.h"

using namespace popuptest;
using namespace winharness;

namespace {

class PopupTipTest : public ::testing::Test {
protected:
    PopupTipTest() : frame(MakeReceiver()) {}
    ~PopupTipTest() override
    {
        tip.HideTip();
        DestroyReceiver(frame);
    }

    PopupScope scope;
    CReceiverFrame* frame;
    CUiPopupMenuTipWnd tip;
};

TEST_F(PopupTipTest, TextIsTrimmed)
{
    tip.SetText("  abc  ");
    EXPECT_STREQ("abc", tip.GetText());
    tip.SetText(nullptr);
    EXPECT_STREQ("", tip.GetText());
}

TEST_F(PopupTipTest, HidingBeforeTheDelayKeepsItHiddenTheTimerShowsItWithoutActivation)
{
    tip.SetText("Explains the item");
    const CRect rcItem(300, 300, 400, 320);
    ASSERT_TRUE(tip.ShowTipAt(frame, rcItem));
    EXPECT_FALSE(tip.IsWindowVisible());
    tip.HideTip();
    PumpFor(1200);
    EXPECT_FALSE(tip.IsWindowVisible());

    ASSERT_TRUE(tip.ShowTipAt(frame, rcItem));
    CRect rcWnd;
    tip.GetWindowRect(rcWnd);
    const PopupTipShape& shape = tip.Shape();
    EXPECT_EQ(CPoint(306 - shape.Width() + 12, 306 - (shape.Height() + 25) + 10), rcWnd.TopLeft());
    const HWND hActive = ::GetActiveWindow();
    tip.SendMessage(WM_TIMER, CUiPopupMenuTipWnd::kShowTimer, 0);
    EXPECT_TRUE(tip.IsWindowVisible());
    EXPECT_EQ(hActive, ::GetActiveWindow());
}

TEST_F(PopupTipTest, PaintsFillFramesAndTheIcon)
{
    tip.SetText("");
    ASSERT_TRUE(tip.ShowTipAt(frame, CRect(300, 300, 400, 320)));
    CUiPaintManager* pPaint = PaintManagerHolder::Get().GetStoredHandle();
    const PopupTipShape& shape = tip.Shape();
    DibSurface surface(shape.WindowSize().cx, shape.WindowSize().cy, RGB(1, 2, 3));
    tip.PaintContent(*surface.cdc(), FALSE);
    const int y = shape.Height() / 2;
    EXPECT_EQ(pPaint->GetColor(21), surface.Pixel(0, y));
    EXPECT_EQ(pPaint->GetColor(15), surface.Pixel(1, y));
    EXPECT_EQ(pPaint->GetColor(15), surface.Pixel(2, y));
    EXPECT_EQ(pPaint->GetColor(24), surface.Pixel(5, y));
    // The icon sits at (12, 10), 16 pixels square.
    int nIconPixels = 0;
    for (int iy = 10; iy < 26; ++iy)
        for (int ix = 12; ix < 28; ++ix)
            nIconPixels += surface.Pixel(ix, iy) != pPaint->GetColor(24);
    EXPECT_GT(nIconPixels, 40);
}

TEST_F(PopupTipTest, BelowAnItemAtTheTopTheTextAndTheIconMoveDownWithTheBalloon)
{
    tip.SetText("WWWW");
    ASSERT_TRUE(tip.ShowTipAt(frame, CRect(300, 2, 400, 22)));
    const PopupTipShape& shape = tip.Shape();
    ASSERT_NE(0, shape.Flags() & PopupTipShape::kPointerTop);
    CUiPaintManager* pPaint = PaintManagerHolder::Get().GetStoredHandle();
    const COLORREF clrText = pPaint->GetColor(23);
    const COLORREF clrFill = pPaint->GetColor(24);
    ASSERT_NE(clrText, clrFill);
    ASSERT_NE(clrText, pPaint->GetColor(15));
    ASSERT_NE(clrText, pPaint->GetColor(21));
    DibSurface surface(shape.WindowSize().cx, shape.WindowSize().cy, RGB(1, 2, 3));
    tip.PaintContent(*surface.cdc(), FALSE);
    auto count = [&](int x0, int y0, int x1, int y1, bool bOther, COLORREF clr) {
        int n = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                n += (surface.Pixel(x, y) == clr) != bOther;
        return n;
    };
    const int xText = 12 + 16 + 5;
    // The text in colour 23 from 25 pixels lower; the icon at (12, 35).
    EXPECT_GT(count(xText, 35, shape.Width() - 12, shape.Height() + 25 - 10, false, clrText), 10);
    EXPECT_EQ(0, count(xText, 0, shape.Width(), 34, false, clrText));
    EXPECT_GT(count(12, 35, 28, 51, true, clrFill), 40);
    EXPECT_EQ(0, count(12, 28, 28, 34, true, clrFill));
}

TEST_F(PopupTipTest, ACommandItemShowsItsTipASubmenuItemHidesItAClickOnItIsSwallowed)
{
    CUiPopupMenuWnd* pMenu = new CUiPopupMenuWnd;
    pMenu->InitRootMenu(frame->GetSafeHwnd());
    CUiCmdItem* pCmd =
        CmdManagerHolder::GetStoredHandle()->ProfileFindByWindow(frame->GetSafeHwnd())->CmdAllocPtr(ID_A);
    pCmd->m_strMenuText = "&Alpha";
    pCmd->m_strTipTool = " Does alpha ";
    ASSERT_TRUE(pMenu->ItemInsert(ID_A));
    pMenu->ItemInsertSubmenu(nullptr, -1, "&More");
    pMenu->ItemGetPopup(1)->ItemInsertCommand(ID_B, -1, "&Beta", nullptr, nullptr, 0);
    ASSERT_TRUE(pMenu->TrackMenu(0, 200, 200));
    ASSERT_TRUE(WaitAnimationEnd());
    CRect rcA, rcMore;
    pMenu->GetItemRect(0, rcA);
    pMenu->ClientToScreen(rcA);
    pMenu->GetItemRect(1, rcMore);
    pMenu->ClientToScreen(rcMore);

    HookMouse(WM_MOUSEMOVE, rcA.CenterPoint());
    CUiPopupMenuTipWnd& menuTip = pMenu->m_wndTip;
    EXPECT_STREQ("Does alpha", menuTip.GetText());
    EXPECT_FALSE(menuTip.IsWindowVisible());
    menuTip.SendMessage(WM_TIMER, CUiPopupMenuTipWnd::kShowTimer, 0);
    EXPECT_TRUE(pMenu->IsTipVisible());

    CRect rcTip;
    menuTip.GetWindowRect(rcTip);
    EXPECT_EQ(1, HookMouse(WM_LBUTTONDOWN, rcTip.CenterPoint()));
    EXPECT_EQ(1, HookMouse(WM_LBUTTONUP, rcTip.CenterPoint()));
    PumpFor(50);
    EXPECT_TRUE(CUiPopupMenuWnd::IsTrackingMenu());

    HookMouse(WM_MOUSEMOVE, rcMore.CenterPoint());
    EXPECT_FALSE(menuTip.IsWindowVisible());
    CUiPopupMenuWnd::CloseTrackedMenus();
}

TEST_F(PopupTipTest, TheColourMenuNamesTheSwatchTrimmed)
{
    CUiPopupColorMenuWnd* pMenu = new CUiPopupColorMenuWnd;
    pMenu->InitRootMenu(frame->GetSafeHwnd());
    ASSERT_TRUE(pMenu->TrackMenu(0, 200, 200));
    ASSERT_TRUE(WaitAnimationEnd());
    CPoint pt = pMenu->GetCellRect(35).CenterPoint();
    pMenu->ClientToScreen(&pt);
    HookMouse(WM_MOUSEMOVE, pt);
    EXPECT_STREQ("Pale green", pMenu->m_wndTip.GetText());
    EXPECT_TRUE(::IsWindow(pMenu->m_wndTip.GetSafeHwnd()));
    CUiPopupMenuWnd::CloseTrackedMenus();
}

}  // namespace
