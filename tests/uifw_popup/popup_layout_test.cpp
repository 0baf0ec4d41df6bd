// Layout of a popup menu without a window: measuring with an injected context, which items
// show, the sizes, and the placement against a work area of 0,0,1024,768.
#include "popup_test_support.h"

#include "paintmanager.h"
#include "paintmanagerholder.h"
#include "paintmanagerxp.h"

using namespace popuptest;
using namespace winharness;

namespace {

HICON MakeIcon16()
{
    BYTE andMask[16 * 16 / 8] = {};
    BYTE xorMask[16 * 16 / 8];
    memset(xorMask, 0xFF, sizeof(xorMask));
    return ::CreateIcon(NULL, 16, 16, 1, 1, andMask, xorMask);
}

class PopupLayoutTest : public ::testing::Test {
protected:
    PopupLayoutTest() : frame(MakeReceiver()) {}
    ~PopupLayoutTest() override { DestroyReceiver(frame); }

    int TextWidth(DibSurface& surface, LPCSTR lpszText)
    {
        CDC* pDC = surface.cdc();
        CFont* pOld = pDC->SelectObject(&PaintManagerHolder::Get()->m_fontNormal);
        CRect rc(0, 0, 0, 0);
        pDC->DrawText(lpszText, &rc, DT_CALCRECT | DT_SINGLELINE);
        pDC->SelectObject(pOld);
        return rc.Width();
    }
    CUiCmdProfile* Profile() { return CmdManagerHolder::GetStoredHandle()->ProfileFindByWindow(frame->GetSafeHwnd()); }

    PopupScope scope;
    CReceiverFrame* frame;
};

TEST_F(PopupLayoutTest, ItemsMeasureByTheirTextIconAndKind)
{
    DibSurface surface(10, 10);
    HICON hIcon = MakeIcon16();
    PopupMenuItemData item;
    item.m_nCmdId = ID_A;
    item.m_bFlags2 |= PopupMenuItemData::kOwnItem;
    item.m_strText = "&Alpha";
    item.m_icon.ConstructFromIcon(hIcon, true);
    item.MeasureItem(surface.cdc());
    const int w = TextWidth(surface, "Alpha");
    EXPECT_EQ(22, item.m_cy);
    EXPECT_EQ(22, item.m_cxIconArea);
    EXPECT_EQ(w + 59, item.m_cx);
    EXPECT_EQ('A', item.m_cAccessChar);

    item.m_bFlags1 |= PopupMenuItemData::kCompact;
    item.MeasureItem(surface.cdc());
    EXPECT_EQ(20, item.m_cy);
    EXPECT_EQ(w + 31, item.m_cx);

    PopupMenuItemData separator;
    separator.MeasureItem(surface.cdc());
    EXPECT_EQ(6, separator.m_cy);
    PaintManagerHolder::Get().SetPaintManager(new CUiPaintManagerXP);
    separator.MeasureItem(surface.cdc());
    EXPECT_EQ(3, separator.m_cy);
    ::DestroyIcon(hIcon);
}

TEST_F(PopupLayoutTest, RarelyUsedItemsHideBehindTheExpandButton)
{
    HMENU hBar = MakeMenuBar({{ID_A, "A"}, {0, nullptr}, {ID_D, "Rare"}, {0, nullptr}, {ID_B, "B"}});
    CUiPopupMenuWnd menu;
    ASSERT_TRUE(menu.LoadMenu(frame->GetSafeHwnd(), hBar, TRUE, TRUE));
    Profile()->m_nRarelyPercent = 10;
    for (int i = 0; i < 10; ++i) {
        Profile()->CmdGetPtr(ID_A)->IncrementUsageCount();
        Profile()->CmdGetPtr(ID_B)->IncrementUsageCount();
    }
    menu.RecalcItemLayout();
    std::vector<int> shown;
    for (int i = 0; i < menu.ItemGetCount(); ++i) {
        if (menu.ItemIsDisplayed(i))
            shown.push_back(i);
    }
    EXPECT_EQ((std::vector<int>{0, 1, 4}), shown);
    EXPECT_NE(0, menu.m_bState & CUiPopupMenuWnd::kHasHidden);
    EXPECT_EQ(menu.ItemGetInfo(0).m_cy + 6 + menu.ItemGetInfo(4).m_cy + 1, menu.m_sizeContent.cy);
    EXPECT_GE(menu.m_sizeContent.cx, 80);
    const int nExpand = PaintManagerHolder::Get()->GetMenuCheckMarkHeight();
    EXPECT_EQ(CSize(menu.m_sizeContent.cx + 8, menu.m_sizeContent.cy + 8 + nExpand + 2), menu.CalcMenuSize());
    menu.SetLeftAreaWidth(7);
    EXPECT_EQ(menu.m_sizeContent.cx + 15, menu.CalcMenuSize().cx);

    // With 0x100 every item shows.
    menu.m_nTrackFlags = CUiPopupMenuWnd::kShowAll;
    menu.RecalcItemLayout();
    EXPECT_EQ(0, menu.m_bState & CUiPopupMenuWnd::kHasHidden);
    for (int i = 0; i < menu.ItemGetCount(); ++i)
        EXPECT_TRUE(menu.ItemIsDisplayed(i)) << i;
    EXPECT_EQ(CSize(menu.m_sizeContent.cx + 15, menu.m_sizeContent.cy + 9), menu.CalcMenuSize());

    // Nothing used at all: only the expand button.
    menu.m_nTrackFlags = 0;
    Profile()->ResetUsageStatistics();
    menu.RecalcItemLayout();
    EXPECT_TRUE(menu.AreAllItemsHidden());
    EXPECT_EQ(CUiPopupMenuWnd::kExpandButton, menu.GetNextItemIndex(2));
    ::DestroyMenu(hBar);
}

TEST_F(PopupLayoutTest, PlacementKeepsTheMenuInTheWorkArea)
{
    CUiPopupMenuWnd menu;
    menu.m_sizeContent = CSize(100, 191);   // a window of 108 x 200
    ASSERT_EQ(CSize(108, 200), menu.CalcMenuSize());
    // Below a button near the bottom: it flips above the button.
    menu.m_nTrackFlags = 4;
    menu.m_rcExclude.SetRect(100, 740, 180, 760);
    menu.m_bBaseFlags = CUiPopupBaseWnd::kHasExclude;
    menu.m_ptTrack = CPoint(100, 760);
    CRect rc;
    ASSERT_TRUE(menu.CalcPopupPosition(rc));
    EXPECT_EQ(740, rc.bottom);
    EXPECT_EQ(200, rc.Height());
    EXPECT_EQ(6u, menu.m_nTrackFlags & CUiPopupMenuWnd::kPlacementMask);

    // Taller than the work area: it spans it and scrolls.
    CUiPopupMenuWnd tall;
    tall.m_sizeContent = CSize(100, 891);
    tall.m_ptTrack = CPoint(100, 100);
    tall.m_rcExclude.SetRect(97, 97, 103, 103);
    ASSERT_TRUE(tall.CalcPopupPosition(rc));
    EXPECT_EQ(0, rc.top);
    EXPECT_EQ(768, rc.bottom);
    EXPECT_NE(0, tall.m_bState & CUiPopupMenuWnd::kScrollable);
    EXPECT_EQ(CRect(0, 0, rc.Width() - 4, 764), tall.m_rcContent);
    EXPECT_LT(tall.GetMaxScrollPos(), 0);

    // At a point near the right edge without a rectangle: moved left by its own width.
    CUiPopupMenuWnd right;
    right.m_sizeContent = CSize(100, 91);
    right.m_ptTrack = CPoint(1000, 100);
    ASSERT_TRUE(right.CalcPopupPosition(rc));
    EXPECT_EQ(CRect(892, 100, 1000, 200), rc);
}

} // namespace
