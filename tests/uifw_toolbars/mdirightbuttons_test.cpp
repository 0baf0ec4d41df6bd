// The right button's arithmetic without windows: the part size by system, the total size and
// the places of the parts for each set of caption flags, across and down the bar.
#include <gtest/gtest.h>

#include "mdibuttons.h"

namespace {

MdiRightButtonsInfo Info(DWORD dwFlags, int nPart = 16)
{
    MdiRightButtonsInfo info;
    info.m_cxPart = info.m_cyPart = nPart;
    info.m_dwFlags = dwFlags;
    return info;
}

TEST(MdiRightButtonsInfo, ThePartSizeComesFromTheSmallCaptionButtonsOnNewerSystems)
{
    EXPECT_EQ(CSize(16, 16), MdiRightButtonsInfo::PartSizeFor(true, 16, 16, 30, 30));   // 17 raised to 18
    EXPECT_EQ(CSize(20, 20), MdiRightButtonsInfo::PartSizeFor(true, 17, 21, 30, 30));
    EXPECT_EQ(CSize(16, 20), MdiRightButtonsInfo::PartSizeFor(false, 40, 40, 18, 22));
}

TEST(MdiRightButtonsInfo, TheTotalSizeCountsThePresentParts)
{
    using I = MdiRightButtonsInfo;
    const struct {
        DWORD dwFlags;
        int nAlong;
    } cases[] = {
        {I::kMinimizeBox | I::kMaximizeBox | I::kClose, 2 * 16 + 6 + 16 + 2},
        {I::kMinimizeBox | I::kMaximizeBox, 2 * 16 + 6},
        {I::kMaximizeBox | I::kClose, 2 + 16 + 2 + 16 + 2},
        {I::kMaximizeBox | I::kHelp | I::kClose, 2 + 3 * (16 + 2)},
        {I::kClose, 2 + 16 + 2},
        {0, 2},
    };
    for (const auto& c : cases) {
        MdiRightButtonsInfo across = Info(c.dwFlags);
        across.CalcExtent(true);
        EXPECT_TRUE(across.Has(I::kValid));
        EXPECT_EQ(CSize(c.nAlong, 18), CSize(across.m_cxTotal, across.m_cyTotal)) << c.dwFlags;
        MdiRightButtonsInfo down = Info(c.dwFlags);
        down.CalcExtent(false);
        EXPECT_EQ(CSize(18, c.nAlong), CSize(down.m_cxTotal, down.m_cyTotal)) << c.dwFlags;
    }
}

TEST(MdiRightButtonsInfo, PartsArePlacedInOrderAndHitByTheirCommands)
{
    using I = MdiRightButtonsInfo;
    MdiRightButtonsInfo info = Info(I::kHelp | I::kMinimizeBox | I::kMaximizeBox | I::kClose);
    info.CalcExtent(true);
    info.LayoutInRect(CRect(100, 10, 100 + info.m_cxTotal, 34), true);
    EXPECT_EQ(CRect(102, 14, 118, 30), info.m_rcHelp);
    EXPECT_EQ(CRect(120, 14, 136, 30), info.m_rcMinimize);
    EXPECT_EQ(CRect(138, 14, 154, 30), info.m_rcRestore);
    EXPECT_TRUE(info.m_rcMaximize.IsRectEmpty());
    EXPECT_EQ(CRect(156, 14, 172, 30), info.m_rcClose);
    EXPECT_EQ((UINT)SC_CONTEXTHELP, info.HitTestPart(CPoint(105, 20)));
    EXPECT_EQ((UINT)SC_RESTORE, info.HitTestPart(CPoint(140, 20)));
    EXPECT_EQ((UINT)SC_CLOSE, info.HitTestPart(CPoint(171, 29)));
    EXPECT_EQ(0u, info.HitTestPart(CPoint(119, 20)));   // the gap

    // Without a minimise box the maximise part stands alone; down the bar the parts stack.
    MdiRightButtonsInfo down = Info(I::kMaximizeBox | I::kClose);
    down.LayoutInRect(CRect(0, 0, 24, 60), false);
    EXPECT_EQ(CRect(4, 2, 20, 18), down.m_rcMaximize);
    EXPECT_EQ(CRect(4, 20, 20, 36), down.m_rcClose);
    EXPECT_EQ((UINT)SC_MAXIMIZE, down.HitTestPart(CPoint(10, 10)));

    // An empty rectangle places nothing.
    down.LayoutInRect(CRect(5, 5, 5, 40), false);
    EXPECT_TRUE(down.m_rcMaximize.IsRectEmpty());
    EXPECT_TRUE(down.m_rcClose.IsRectEmpty());
}

} // namespace
