// Anchor records, gripper rectangle and placement text without windows.
#include <gtest/gtest.h>

#include "anchormath.h"

TEST(AnchorMathTest, ARecordStoresOffsetsAndPlacesTheChildForAnotherSize)
{
    UiAnchorRecord record;
    ASSERT_TRUE(UiMakeAnchorRecord(CRect(10, 20, 190, 80), 200, 100, CSize(0, 0), CSize(100, 100), record));
    EXPECT_EQ(10, record.nTopLeftOffX);
    EXPECT_EQ(20, record.nTopLeftOffY);
    EXPECT_EQ(-10, record.nBottomRightOffX);
    EXPECT_EQ(-20, record.nBottomRightOffY);
    EXPECT_EQ(CRect(10, 20, 290, 130), UiPlaceAnchored(record, 300, 150));

    // No bottom-right: the top-left pair twice; no top-left: nothing.
    ASSERT_TRUE(UiMakeAnchorRecord(CRect(10, 20, 190, 80), 200, 100, CSize(100, 100), CSize(-1, -1), record));
    EXPECT_EQ(100, record.nBottomRightPctX);
    EXPECT_EQ(100, record.nBottomRightPctY);
    EXPECT_EQ(CRect(110, 70, 290, 130), UiPlaceAnchored(record, 300, 150));
    EXPECT_FALSE(UiMakeAnchorRecord(CRect(0, 0, 1, 1), 200, 100, CSize(-1, -1), CSize(0, 0), record));
}

TEST(AnchorMathTest, RecordingTruncatesAndLayingOutRounds)
{
    UiAnchorRecord record;
    // 33 % of 101 is 33.33: the offset keeps the truncated 33, the layout of 103 rounds 33.99 to 34.
    ASSERT_TRUE(UiMakeAnchorRecord(CRect(40, 0, 50, 10), 101, 10, CSize(33, 0), CSize(33, 0), record));
    EXPECT_EQ(7, record.nTopLeftOffX);
    EXPECT_EQ(41, UiPlaceAnchored(record, 103, 10).left);
}

TEST(AnchorMathTest, PlacementTextNeedsAllSixNumbers)
{
    WINDOWPLACEMENT wp = {};
    wp.rcNormalPosition = {10, 20, 300, 200};
    wp.showCmd = SW_SHOWNORMAL;
    wp.flags = 0;
    EXPECT_EQ(CString("10,20,300,200,1,0"), UiFormatPlacementText(wp));

    WINDOWPLACEMENT read = {};
    ASSERT_TRUE(UiParsePlacementText("-5,6,70,80,3,2", read));
    EXPECT_EQ(CRect(-5, 6, 70, 80), CRect(read.rcNormalPosition));
    EXPECT_EQ(3u, read.showCmd);
    EXPECT_EQ(2u, read.flags);
    WINDOWPLACEMENT kept = wp;
    EXPECT_FALSE(UiParsePlacementText("1,2,3,4,5", kept));
    EXPECT_EQ(CRect(10, 20, 300, 200), CRect(kept.rcNormalPosition));
    EXPECT_FALSE(UiParsePlacementText("", kept));
}

TEST(AnchorMathTest, TheGripperIsTheBottomRightSquare)
{
    EXPECT_EQ(CRect(184, 84, 200, 100), UiGripperRect(CRect(0, 0, 200, 100), 16, 16));
}
