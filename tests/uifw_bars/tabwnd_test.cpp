// The tab strip: its items, selection and layout on objects without a window (measured with
// a screen DC in the look's tab fonts), then real strips on a shown host window for the hit
// test, the scroll buttons, dragging items, selection by resting and the tab list menu.
#include <gtest/gtest.h>

#include "paintmanager.h"
#include "paintmanagerholder.h"
#include "popupmenuwnd.h"
#include "tabwnd.h"
#include "winharness.h"

#include <string>
#include <vector>

namespace {

CSize TextExtent(CFont* pFont, LPCSTR lpszText)
{
    CWindowDC dc(nullptr);
    CFont* pOld = dc.SelectObject(pFont);
    const CSize size = dc.GetTextExtent(lpszText, (int)strlen(lpszText));
    dc.SelectObject(pOld);
    return size;
}

CUiPaintManager& Look()
{
    return *PaintManagerHolder::Get().GetStoredHandle();
}

std::string Order(const CUiTabWnd& strip)
{
    std::string s;
    for (int i = 0; i < strip.ItemGetCount(); ++i)
        s += (const char*)strip.ItemGetInfo(i)->m_strText;
    return s;
}

// A strip that records what its virtual operations hear.
class RecordingStrip : public CUiTabWnd {
public:
    std::vector<int> steps;   // single scroll steps
    int nMoves = 0;
    void ScrollItems(int nStep, bool bRepeat) override
    {
        if (!bRepeat)
            steps.push_back(nStep);
        CUiTabWnd::ScrollItems(nStep, bRepeat);
    }
    void OnItemMoved(int, int) override { ++nMoves; }
};

// A shown top-level window without a frame's layout, to hold strips.
class Host {
public:
    Host()
    {
        m_wnd.CreateEx(WS_EX_TOOLWINDOW, AfxGetDefaultWndClass(), "tabs", WS_POPUP | WS_VISIBLE, CRect(60, 60, 460, 260),
                       nullptr, 0);
        winharness::PumpPending();
    }
    ~Host() { m_wnd.DestroyWindow(); }
    CWnd* wnd() { return &m_wnd; }

private:
    CWnd m_wnd;
};

TEST(TabModel, InsertBeforeTheSelectionKeepsItAndRemovingItLeavesNone)
{
    CUiTabWnd strip;
    strip.ItemInsert("A");
    strip.ItemInsert("B");
    strip.ItemInsert("C", NULL, true, CUiTabItemInfo::kHidden, -1, 7);
    EXPECT_EQ(3, strip.ItemGetCount());
    EXPECT_EQ(2, strip.ItemGetVisibleCount());
    EXPECT_EQ(-1, strip.SelectionSet(1));
    strip.ItemInsert("X", NULL, true, 0, 0);
    EXPECT_EQ(2, strip.SelectionGet());
    EXPECT_EQ("XABC", Order(strip));
    EXPECT_TRUE(strip.ItemGetInfo(2)->m_dwFlags & CUiTabItemInfo::kSelected);
    EXPECT_EQ(strip.ItemGetInfo(1), strip.ItemGetInfo(2)->m_pPrev);
    EXPECT_EQ(strip.ItemGetInfo(1), strip.ItemGetInfo(0)->m_pNext);
    // Hidden items are found only when asked.
    EXPECT_EQ(3, strip.ItemFindByLParam(7));
    EXPECT_EQ(-1, strip.ItemFindByLParam(7, -1, true, false));
    EXPECT_EQ(3, strip.ItemFindByStyle(CUiTabItemInfo::kHidden, 0));

    // Removing before the selection moves it down; removing it leaves none.
    EXPECT_EQ(1, strip.ItemRemove(0));
    EXPECT_EQ(1, strip.SelectionGet());
    EXPECT_EQ(2, strip.ItemRemove(1, 5));   // clamped to what is there
    EXPECT_EQ(-1, strip.SelectionGet());
    EXPECT_EQ("A", Order(strip));
    EXPECT_EQ(1, strip.ItemGetVisibleCount());
    EXPECT_EQ(nullptr, strip.ItemGetInfo(0)->m_pNext);
}

TEST(TabModel, OneActiveItemPerGroupAndMovesKeepTheOrder)
{
    CUiTabWnd strip;
    const DWORD g = CUiTabItemInfo::kGroupStart;
    for (LPCSTR t : {"A", "B", "C", "D"})
        strip.ItemInsert(t, NULL, true, (t[0] == 'A' || t[0] == 'C') ? g : 0);
    strip.SelectionSet(0);
    strip.SelectionSet(2);
    strip.SelectionSet(1);
    auto active = [&](int i) { return (strip.ItemGetInfo(i)->m_dwFlags & CUiTabItemInfo::kGroupActive) != 0; };
    EXPECT_FALSE(active(0));
    EXPECT_TRUE(active(1));
    EXPECT_TRUE(active(2));   // the other group keeps its own
    EXPECT_FALSE(strip.ItemGetInfo(2)->m_dwFlags & CUiTabItemInfo::kSelected);

    CUiTabWnd plain;
    for (LPCSTR t : {"A", "B", "C", "D"})
        plain.ItemInsert(t, NULL, true, 0, -1, t[0]);
    EXPECT_TRUE(plain.ItemMove(0, 2));
    EXPECT_EQ("BCAD", Order(plain));
    EXPECT_EQ(2, plain.SelectionGet());
    EXPECT_EQ('A', plain.ItemGetInfo(2)->m_lParam);
    EXPECT_TRUE(plain.ItemMove(3, 0));
    EXPECT_EQ("DBCA", Order(plain));
    EXPECT_EQ(0, plain.SelectionGet());
    EXPECT_FALSE(plain.ItemMove(1, 9));
}

TEST(TabLayout, ItemsMeasureInTheLooksTabFonts)
{
    CUiTabWnd top;
    top.ItemInsert("Send data");
    top.RecalcTabLayoutIn(CRect(0, 0, 400, 40), nullptr);
    const CSize text = TextExtent(&Look().m_fontNormal, "Send data");
    EXPECT_EQ(std::max(text.cx + 7, 6L), top.ItemGetInfo(0)->m_size.cx);
    EXPECT_EQ(std::max(text.cy + 4, 20L), top.ItemGetInfo(0)->m_size.cy);
    EXPECT_EQ(top.ItemGetInfo(0)->m_size.cx, top.GetTotalExtent());

    CUiTabWnd left;
    left.ModifyTabStyle(0, 2);
    left.ItemInsert("Send data");
    left.RecalcTabLayoutIn(CRect(0, 0, 40, 400), nullptr);
    const CSize vert = TextExtent(&Look().m_fontNormalVert, "Send data");
    EXPECT_EQ(vert.cx + 17, left.ItemGetInfo(0)->m_size.cy);              // along the strip
    EXPECT_EQ(std::max(vert.cy + 6, 22L), left.ItemGetInfo(0)->m_size.cx);  // across it

    // A selected item with 0x0040 is measured bold.
    CUiTabWnd bold;
    bold.ModifyTabStyle(0, 0x0040);
    bold.ItemInsert("Send data");
    bold.SelectionSet(0);
    bold.RecalcTabLayoutIn(CRect(0, 0, 400, 40), nullptr);
    EXPECT_EQ(TextExtent(&Look().m_fontBold, "Send data").cx + 7, bold.ItemGetInfo(0)->m_size.cx);
}

TEST(TabLayout, ItemsThatFitNeedNoScrollingAndHideTheButtonsWhenAsked)
{
    CUiTabWnd strip;
    for (LPCSTR t : {"One", "Two", "Three"})
        strip.ItemInsert(t);
    const CRect rcArea(0, 0, 400, 30);
    strip.RecalcTabLayoutIn(rcArea, nullptr);
    EXPECT_EQ(0, strip.GetScrollMax());
    EXPECT_EQ(0u, strip.GetTabStyle() & 0x0C00);
    EXPECT_FALSE(strip.GetHitRect(CUiTabWnd::kHitNext).IsRectEmpty());
    EXPECT_EQ(0, strip.GetFirstVisible());
    EXPECT_EQ(2, strip.GetLastVisible());
    // Items follow each other from the items area's start.
    const CRect rc0 = strip.ItemGetWindowRect(0), rc1 = strip.ItemGetWindowRect(1);
    EXPECT_EQ(strip.GetItemsArea().left, rc0.left);
    EXPECT_EQ(rc0.right, rc1.left);
    EXPECT_EQ(1, strip.HitTestTabIn(rc1.CenterPoint(), rcArea));
    EXPECT_EQ(CUiTabWnd::kHitNext, strip.HitTestTabIn(strip.GetHitRect(CUiTabWnd::kHitNext).CenterPoint(), rcArea));

    strip.ModifyTabStyle(0, 0x4000);
    strip.RecalcTabLayoutIn(rcArea, nullptr);
    EXPECT_TRUE(strip.GetHitRect(CUiTabWnd::kHitPrev).IsRectEmpty());
    EXPECT_TRUE(strip.GetHitRect(CUiTabWnd::kHitNext).IsRectEmpty());
}

TEST(TabLayout, AnOverflowingStripScrollsAnItemIntoView)
{
    CUiTabWnd strip;
    for (int i = 0; i < 12; ++i)
        strip.ItemInsert("Connection");
    const CRect rcArea(0, 0, 300, 30);
    strip.RecalcTabLayoutIn(rcArea, nullptr);
    const int nLength = strip.GetItemsArea().Width();
    EXPECT_EQ(strip.GetTotalExtent() - nLength, strip.GetScrollMax());
    EXPECT_EQ(CUiTabWnd::kNextEnabled, strip.GetTabStyle() & 0x0C00);
    EXPECT_EQ(0, strip.GetFirstVisible());
    EXPECT_LT(strip.GetLastVisible(), 11);

    strip.ItemEnsureVisible(11, false);
    strip.RecalcTabLayoutIn(rcArea, nullptr);
    EXPECT_EQ(strip.GetScrollMax(), strip.GetScrollPos());
    EXPECT_EQ(11, strip.GetLastVisible());
    EXPECT_EQ(CUiTabWnd::kPrevEnabled, strip.GetTabStyle() & 0x0C00);
    // The scroll moves the items, not the hit test's idea of them.
    EXPECT_EQ(11, strip.HitTestTabIn(strip.ItemGetWindowRect(11).CenterPoint(), rcArea));
}

TEST(TabLayout, EqualWidthsShareTheAreaOnlyWhenNeededOrAlwaysAsked)
{
    CUiTabWnd strip;
    strip.ModifyTabStyle(0, 0x0004);
    for (LPCSTR t : {"One", "Two"})
        strip.ItemInsert(t);
    strip.RecalcTabLayoutIn(CRect(0, 0, 400, 30), nullptr);
    EXPECT_EQ(strip.ItemGetInfo(0)->m_size.cx, strip.ItemGetWindowRect(0).Width());
    strip.ModifyTabStyle(0, 0x2000);
    strip.RecalcTabLayoutIn(CRect(0, 0, 400, 30), nullptr);
    EXPECT_EQ(strip.GetItemsArea().Width() / 2, strip.ItemGetWindowRect(1).Width());
    for (int i = 0; i < 20; ++i)
        strip.ItemInsert("A long caption");
    strip.RecalcTabLayoutIn(CRect(0, 0, 400, 30), nullptr);
    EXPECT_TRUE(strip.ItemGetInfo(5)->m_bShrunk & 1);
}

TEST(TabLayout, GroupedStripsShowEachGroupsActiveItemInFull)
{
    CUiTabWnd strip;
    strip.ModifyTabStyle(0, CUiTabWnd::kGrouped);
    const DWORD g = CUiTabItemInfo::kGroupStart;
    strip.ItemInsert("Send data", NULL, true, g);
    strip.ItemInsert("Script", NULL, true, 0);
    strip.ItemInsert("Log", NULL, true, g);
    strip.SelectionSet(1);
    strip.SelectionSet(2);
    strip.RecalcTabLayoutIn(CRect(0, 0, 600, 30), nullptr);
    const int cxSend = strip.ItemGetInfo(0)->m_size.cx, cxScript = strip.ItemGetInfo(1)->m_size.cx;
    const int cxLog = strip.ItemGetInfo(2)->m_size.cx;
    // Without icons a collapsed member keeps only the margins around its text.
    const int nCollapsed = std::max(cxSend - (int)strip.ItemGetInfo(0)->m_sizeText.cx,
                                    cxScript - (int)strip.ItemGetInfo(1)->m_sizeText.cx);
    EXPECT_EQ(10 + nCollapsed + std::max(cxSend, cxScript) + 20 + cxLog, strip.GetTotalExtent());
    EXPECT_EQ(nCollapsed, strip.ItemGetWindowRect(0).Width());
    EXPECT_EQ(std::max(cxSend, cxScript), strip.ItemGetWindowRect(1).Width());
    EXPECT_EQ(strip.ItemGetWindowRect(1).right + 20, strip.ItemGetWindowRect(2).left);
    // Grouped strips have no cross margin.
    EXPECT_EQ(0, strip.GetItemsArea().top);
}

TEST(TabLayout, AVerticalStripLaysItsItemsDownwards)
{
    CUiTabWnd strip;
    strip.ModifyTabStyle(0, 3 | CUiTabWnd::kCloseShown);
    strip.ItemInsert("One");
    strip.ItemInsert("Two");
    const CRect rcArea(0, 0, 40, 300);
    strip.RecalcTabLayoutIn(rcArea, nullptr);
    const CRect rcItems = strip.GetItemsArea();
    EXPECT_EQ(38, rcItems.right);   // the right side less the cross margin
    EXPECT_EQ(4, rcItems.top);
    EXPECT_EQ(strip.ItemGetWindowRect(0).bottom, strip.ItemGetWindowRect(1).top);
    EXPECT_EQ(1, strip.HitTestTabIn(strip.ItemGetWindowRect(1).CenterPoint(), rcArea));
    EXPECT_EQ(CUiTabWnd::kHitRest, strip.HitTestTabIn(CPoint(1, 100), rcArea));
    // Close sits at the far end, below the scroll pair.
    const CRect rcClose = strip.GetHitRect(CUiTabWnd::kHitClose);
    EXPECT_EQ(300 - 2 - 2, rcClose.bottom);
    EXPECT_LT(strip.GetHitRect(CUiTabWnd::kHitNext).bottom, rcClose.top);
    EXPECT_EQ(CUiTabWnd::kHitClose, strip.HitTestTabIn(rcClose.CenterPoint(), rcArea));
}

class TabWindowTest : public ::testing::Test {
protected:
    Host host;
    RecordingStrip strip;
    bool Make(DWORD dwTabStyle, int nItems, LPCSTR lpszText = "Connection")
    {
        if (!strip.Create(host.wnd(), CRect(0, 0, 300, 30), 0x100, WS_CHILD | WS_VISIBLE, dwTabStyle))
            return false;
        for (int i = 0; i < nItems; ++i)
            strip.ItemInsert(lpszText, NULL, true, 0, -1, i, false);
        strip.UpdateLayout(true);
        return true;
    }
    void TearDown() override
    {
        if (strip.GetSafeHwnd() != NULL)
            strip.DestroyWindow();
    }
};

TEST_F(TabWindowTest, AnEmptyStripAnswersItemsAreaInsideAndOutsideBeyondItsClientArea)
{
    ASSERT_TRUE(Make(0, 0));
    char szClass[64] = {};
    ::GetClassNameA(strip.m_hWnd, szClass, sizeof(szClass));
    EXPECT_STREQ("VaviRIZ-TabWindow", szClass);
    const CRect rcItems = strip.GetItemsArea();
    ASSERT_FALSE(rcItems.IsRectEmpty());
    EXPECT_EQ(CUiTabWnd::kHitItemsArea, strip.HitTestTab(rcItems.CenterPoint()));
    EXPECT_EQ(CUiTabWnd::kHitOutside, strip.HitTestTab(CPoint(310, 10)));
    EXPECT_EQ(CUiTabWnd::kHitOutside, strip.HitTestTab(CPoint(-1, 10)));
    EXPECT_EQ(CUiTabWnd::kHitRest, strip.HitTestTab(CPoint(150, 29)));
    strip.UpdateWindow();   // paints only its client area
}

TEST_F(TabWindowTest, TheSelectedTabIsPaintedWhereTheScrolledLayoutPutsIt)
{
    ASSERT_TRUE(Make(0, 12));
    strip.SelectionSet(9);
    ASSERT_GT(strip.GetScrollPos(), 0);
    CRect rcClient;
    strip.GetClientRect(&rcClient);
    winharness::DibSurface surface(rcClient.Width(), rcClient.Height(), RGB(1, 2, 3));
    strip.PaintItems(*surface.cdc(), rcClient);
    const COLORREF clrSelected = Look().GetColor(2000);
    const CRect rcSelected = strip.ItemGetWindowRect(9), rcOther = strip.ItemGetWindowRect(strip.GetFirstVisible());
    ASSERT_NE(clrSelected, surface.Pixel(rcOther.left + 3, rcOther.top + 3));
    EXPECT_EQ(clrSelected, surface.Pixel(rcSelected.left + 3, rcSelected.top + 3));
    EXPECT_EQ(clrSelected, surface.Pixel(rcSelected.right - 3, rcSelected.top + 3));
    EXPECT_EQ(0, surface.Count(RGB(1, 2, 3)));   // the whole client area is painted
}

TEST_F(TabWindowTest, NextScrollsOneAreaLengthInSmallStepsEvenWhenReleasedAtOnce)
{
    ASSERT_TRUE(Make(CUiTabWnd::kScrollByPage, 12));
    ASSERT_GT(strip.GetScrollMax(), strip.GetItemsAreaLength());
    const CPoint pt = strip.GetHitRect(CUiTabWnd::kHitNext).CenterPoint();
    winharness::SendMouse(strip.m_hWnd, WM_LBUTTONDOWN, pt.x, pt.y, MK_LBUTTON);
    winharness::SendMouse(strip.m_hWnd, WM_LBUTTONUP, pt.x, pt.y);
    EXPECT_FALSE(strip.IsTracking());
    EXPECT_TRUE(strip.IsScrolling());
    EXPECT_TRUE(winharness::PumpUntil([&] { return !strip.IsScrolling(); }));
    const int nLength = strip.GetItemsAreaLength();
    EXPECT_EQ(nLength, strip.GetScrollPos());
    int nSum = 0;
    for (int n : strip.steps) {
        EXPECT_LE(n, 10);
        EXPECT_GT(n, 0);
        nSum += n;
    }
    EXPECT_EQ(nLength, nSum);
    EXPECT_EQ((size_t)((nLength + 9) / 10), strip.steps.size());
}

TEST_F(TabWindowTest, WithoutPageScrollingTheReleaseStopsTheScroll)
{
    ASSERT_TRUE(Make(0, 12));
    const CPoint pt = strip.GetHitRect(CUiTabWnd::kHitNext).CenterPoint();
    winharness::SendMouse(strip.m_hWnd, WM_LBUTTONDOWN, pt.x, pt.y, MK_LBUTTON);
    EXPECT_EQ(strip.m_hWnd, ::GetCapture());
    EXPECT_EQ(strip.GetScrollMax(), strip.GetScrollRemaining());   // to the end while held
    winharness::PumpFor(50);
    winharness::SendMouse(strip.m_hWnd, WM_LBUTTONUP, pt.x, pt.y);
    EXPECT_FALSE(strip.IsScrolling());
    EXPECT_LT(strip.GetScrollPos(), strip.GetScrollMax());
    EXPECT_NE(strip.m_hWnd, ::GetCapture());
}

TEST_F(TabWindowTest, ADisabledButtonIsNotTracked)
{
    ASSERT_TRUE(Make(0, 2, "A"));
    ASSERT_EQ(0u, strip.GetTabStyle() & CUiTabWnd::kNextEnabled);
    const CPoint pt = strip.GetHitRect(CUiTabWnd::kHitNext).CenterPoint();
    winharness::SendMouse(strip.m_hWnd, WM_LBUTTONDOWN, pt.x, pt.y, MK_LBUTTON);
    EXPECT_FALSE(strip.IsTracking());
    EXPECT_NE(strip.m_hWnd, ::GetCapture());
    EXPECT_FALSE(strip.IsScrolling());
    winharness::SendMouse(strip.m_hWnd, WM_LBUTTONUP, pt.x, pt.y);

    // A press on an item selects it; the right button still gets default processing.
    const CPoint ptItem = strip.ItemGetWindowRect(1).CenterPoint();
    winharness::SendMouse(strip.m_hWnd, WM_RBUTTONDOWN, ptItem.x, ptItem.y, MK_RBUTTON);
    EXPECT_EQ(1, strip.SelectionGet());
    EXPECT_TRUE(strip.IsTracking());
    winharness::SendMouse(strip.m_hWnd, WM_RBUTTONUP, ptItem.x, ptItem.y);
    EXPECT_FALSE(strip.IsTracking());
}

TEST_F(TabWindowTest, DraggingOntoANeighbourSwapsOnceUntilTheCursorLeavesTheSwapRectangle)
{
    ASSERT_TRUE(strip.Create(host.wnd(), CRect(0, 0, 300, 30), 0x100, WS_CHILD | WS_VISIBLE, CUiTabWnd::kItemDrag));
    strip.ItemInsert("A", NULL, true, 0, -1, 0, false);
    strip.ItemInsert("Bbbbbbbbbbbb", NULL, true, 0, -1, 0, false);
    strip.ItemInsert("C", NULL, true, 0, -1, 0, false);
    strip.UpdateLayout(true);
    const CRect rcA = strip.ItemGetWindowRect(0), rcB = strip.ItemGetWindowRect(1);
    const int y = rcA.CenterPoint().y;
    CPoint origin(0, 0);
    strip.ClientToScreen(&origin);
    std::string afterSwap, stillInRect;
    {
        winharness::ScriptedInputPlayer player;
        player.MoveTo(origin.x + rcB.left + 4, origin.y + y)
            .Call([&] { afterSwap = Order(strip); })
            .MoveTo(origin.x + rcB.left + 10, origin.y + y)
            .Call([&] { stillInRect = Order(strip); })
            .MoveTo(origin.x + rcA.left + 2, origin.y + y)
            .PostToCapture(WM_LBUTTONUP, 0, MAKELPARAM(rcA.left + 2, y));
        winharness::SendMouse(strip.m_hWnd, WM_LBUTTONDOWN, rcA.left + 2, y, MK_LBUTTON);
        player.Start();
        winharness::SendMouse(strip.m_hWnd, WM_MOUSEMOVE, rcA.left + 9, y, MK_LBUTTON);   // starts the drag
        EXPECT_TRUE(player.Done());
    }
    EXPECT_EQ("BbbbbbbbbbbbAC", afterSwap);
    EXPECT_EQ("BbbbbbbbbbbbAC", stillInRect);
    EXPECT_EQ("ABbbbbbbbbbbbC", Order(strip));   // back once the cursor left it
    EXPECT_EQ(2, strip.nMoves);
    EXPECT_FALSE(strip.IsDragging());
    EXPECT_FALSE(strip.IsTracking());
    EXPECT_NE(strip.m_hWnd, ::GetCapture());
}

TEST_F(TabWindowTest, RestingOnAnItemSelectsItOnlyWhileTheCursorStaysOverIt)
{
    ASSERT_TRUE(Make(CUiTabWnd::kHoverSelect, 3, "Tab"));
    strip.SelectionSet(0);
    auto rest = [&](int nItem, CPoint ptCursorClient) {
        const CPoint pt = strip.ItemGetWindowRect(nItem).CenterPoint();
        CPoint ptScreen = pt;
        strip.ClientToScreen(&ptScreen);
        ::SetCursorPos(ptScreen.x, ptScreen.y);
        winharness::SendMouse(strip.m_hWnd, WM_MOUSEMOVE, pt.x, pt.y);
        strip.ClientToScreen(&ptCursorClient);
        ::SetCursorPos(ptCursorClient.x, ptCursorClient.y);
        winharness::PumpFor(300);
    };
    rest(2, strip.ItemGetWindowRect(0).CenterPoint());   // moved away before 200 ms
    EXPECT_EQ(0, strip.SelectionGet());
    rest(1, strip.ItemGetWindowRect(1).CenterPoint());
    EXPECT_EQ(1, strip.SelectionGet());
}

namespace tablist {
std::vector<UINT> ids;
std::vector<int> checks;
UINT nFlags = 0;
UINT nChoose = 0;
int Choose(const PopupTrackCall& call, UINT* pnChosen)
{
    nFlags = call.nFlags;
    ids.clear();
    for (int i = 0; i < call.pMenu->ItemGetCount(); ++i)
        ids.push_back(call.pMenu->ItemGetCmdID(i));
    *pnChosen = nChoose;
    return CUiPopupMenuWnd::kHookChoose;
}
} // namespace tablist

TEST_F(TabWindowTest, TheTabListMenuSelectsTheItemOfItsCommand)
{
    ASSERT_TRUE(Make(CUiTabWnd::kTabListShown | CUiTabWnd::kTabListEnabled, 3, "Tab"));
    const CRect rcList = strip.GetHitRect(CUiTabWnd::kHitTabList);
    ASSERT_FALSE(rcList.IsRectEmpty());
    tablist::nChoose = 2 + 0xFFFF;
    CUiPopupMenuWnd::g_pfnTrackMenuHook = tablist::Choose;
    winharness::Click(strip.m_hWnd, rcList.CenterPoint().x, rcList.CenterPoint().y);
    CUiPopupMenuWnd::g_pfnTrackMenuHook = nullptr;
    EXPECT_EQ((std::vector<UINT>{0xFFFF, 0x10000, 0x10001}), tablist::ids);
    EXPECT_EQ(0xFA4u, tablist::nFlags);
    EXPECT_EQ(2, strip.SelectionGet());
}

} // namespace
