// Layout arithmetic, scroll bars, scrolling, caret placement and hit-testing of the model.
#include <gtest/gtest.h>

#include <string.h>

#include "hex_test_support.h"

TEST(HexLayout, ColumnsFollowTheDisplaySettings)
{
    HexColumns c = ComputeHexColumns(TRUE, 8, 2, TRUE);
    EXPECT_EQ(10, c.nHexStart);
    EXPECT_EQ(48, c.nHexWidth);
    EXPECT_EQ(59, c.nCharStart);
    EXPECT_EQ(75, c.nLineWidth);

    c = ComputeHexColumns(TRUE, 8, 4, TRUE);
    EXPECT_EQ(40, c.nHexWidth);
    EXPECT_EQ(51, c.nCharStart);
    EXPECT_EQ(67, c.nLineWidth);

    c = ComputeHexColumns(FALSE, 8, 8, FALSE);
    EXPECT_EQ(0, c.nHexStart);
    EXPECT_EQ(36, c.nHexWidth);
    EXPECT_EQ(36, c.nCharStart);
    EXPECT_EQ(35, c.nLineWidth);
    // The first digit of byte 5 with 4-byte groups: two digits per byte, one separator.
    EXPECT_EQ(11, c.HexCellOf(5));
}

TEST(HexLayout, ScrollBarReservationsSettleTogether)
{
    const HexColumns cols = ComputeHexColumns(TRUE, 8, 2, TRUE);  // 75 cells
    HexViewMetrics m = TestMetrics(100, 4);
    // Wide enough and 3 rows of data fit 4 rows: no bars.
    HexLayout l = ComputeHexLayout(m, cols, TRUE, 48);
    EXPECT_FALSE(l.bHBarReserved);
    EXPECT_FALSE(l.bVBarReserved);
    EXPECT_EQ(4, l.nVisibleRows);
    EXPECT_EQ(4, l.nTotalRows);
    // Too narrow: the horizontal bar takes a row, and then the rows need the vertical bar.
    m.nAreaWidth = 60 * 8 + 4;
    l = ComputeHexLayout(m, cols, TRUE, 48);
    EXPECT_TRUE(l.bHBarReserved);
    EXPECT_TRUE(l.bVBarReserved);
    EXPECT_EQ(3, l.nVisibleRows);
    EXPECT_EQ(58, l.nVisibleCols);
    EXPECT_EQ(m.nAreaWidth - 16, l.rcClient.right);
    EXPECT_EQ(m.nAreaHeight - 16, l.rcClient.bottom);
}

TEST(HexLayout, EmptyDataHasOneRowAndTheCaretAtZero)
{
    HexEditModel model;
    SetUpModel(model, Bytes());
    EXPECT_EQ(1, model.GetLayout().nTotalRows);
    EXPECT_EQ(0, model.GetCaret());
    model.KeyDown(VK_RIGHT, false, false);
    EXPECT_EQ(0, model.GetCaret());
}

TEST(HexLayout, SixteenBytesGetAnEmptyAppendRow)
{
    HexEditModel model;
    SetUpModel(model, Bytes(16, 1));
    EXPECT_EQ(2, model.GetLayout().nTotalRows);
    model.KeyDown(VK_DOWN, false, false);
    EXPECT_EQ(16, model.GetCaret());
}

TEST(HexLayout, LargeDataSwitchesToEightAddressDigitsForGood)
{
    HexEditModel model;
    model.m_nAddressDigits = 4;
    SetUpModel(model, Bytes(65536, 0));
    EXPECT_EQ(4, model.m_nAddressDigits);
    model.SetData(Bytes(65537, 0).data(), 65537);
    EXPECT_EQ(8, model.m_nAddressDigits);
    EXPECT_EQ(10, model.GetColumns().nHexStart);
    model.SetData(Bytes(10, 0).data(), 10);
    EXPECT_EQ(8, model.m_nAddressDigits);
}

TEST(HexLayout, ScrollBarsFollowTopAndLineWidth)
{
    HexEditModel model;
    SetUpModel(model, Bytes(4096, 0), 100, 10);
    const HexScrollBar& v = model.GetScrollBar(SB_VERT);
    EXPECT_TRUE(v.bShow);
    EXPECT_EQ(0, v.nMin);
    EXPECT_EQ(256, v.nMax);
    EXPECT_EQ(10, v.nPage);
    EXPECT_FALSE(model.GetScrollBar(SB_HORZ).bShow);

    // Small data: the vertical bar goes and top returns to 0.
    model.SetData(Bytes(20, 0).data(), 20);
    EXPECT_FALSE(model.GetScrollBar(SB_VERT).bShow);
    EXPECT_EQ(0, model.GetTop());
}

TEST(HexLayout, WheelAndScrollMessagesMoveTopWithinTheData)
{
    HexEditModel model;
    SetUpModel(model, Bytes(4096, 0), 100, 10);
    model.VScroll(SB_THUMBTRACK, 30);
    EXPECT_EQ(480, model.GetTop());
    EXPECT_EQ(30, model.GetScrollBar(SB_VERT).nPos);
    model.TakeViewChanges();
    model.MouseWheel(120);
    EXPECT_EQ(432, model.GetTop());
    EXPECT_TRUE(model.TakeViewChanges() & HEXVIEW_REDRAW);
    model.MouseWheel(-120);
    EXPECT_EQ(480, model.GetTop());

    model.VScroll(SB_PAGEDOWN, 0);
    EXPECT_EQ(640, model.GetTop());
    model.VScroll(SB_THUMBTRACK, 1000);
    EXPECT_EQ((256 - 9) * 16, model.GetTop());  // the last row stays on the bottom line
    model.VScroll(SB_THUMBTRACK, 0);
    model.VScroll(SB_LINEUP, 0);
    EXPECT_EQ(0, model.GetTop());
    model.TakeViewChanges();
    model.VScroll(SB_ENDSCROLL, 0);
    EXPECT_EQ(0u, model.TakeViewChanges());

    // Data that fits does not scroll by the wheel.
    model.SetData(Bytes(40, 0).data(), 40);
    model.MouseWheel(-120);
    EXPECT_EQ(0, model.GetTop());
}

TEST(HexLayout, HorizontalScrollKeepsTheCaretCellInView)
{
    HexEditModel model;
    SetUpModel(model, Bytes(64, 0), 40, 10);  // 67 cells in a 40-cell window
    EXPECT_TRUE(model.GetScrollBar(SB_HORZ).bShow);
    EXPECT_EQ(0, model.GetHScroll());
    model.KeyDown(VK_END, false, false);  // byte 15: digits in cells 47-48
    EXPECT_EQ(40, model.GetLayout().nVisibleCols);
    EXPECT_EQ(49 - 40, model.GetHScroll());
    model.KeyDown(VK_HOME, false, false);
    EXPECT_EQ(0, model.GetHScroll());
    model.HScroll(SB_THUMBTRACK, 500);
    EXPECT_EQ(67 - model.GetLayout().nVisibleCols, model.GetHScroll());
}

TEST(HexLayout, MovingDownPastTheLastRowScrollsOneRow)
{
    HexEditModel model;
    SetUpModel(model, Bytes(4096, 0), 100, 10);
    for (int i = 0; i < 10; ++i)
        model.KeyDown(VK_DOWN, false, false);
    EXPECT_EQ(160, model.GetCaret());
    EXPECT_EQ(16, model.GetTop());
    model.KeyDown(VK_NEXT, false, false);
    EXPECT_EQ(320, model.GetCaret());
    EXPECT_EQ(176, model.GetTop());
}

TEST(HexLayout, CaretPlacementInCellsAndPixels)
{
    HexEditModel model;
    SetUpModel(model, Bytes(64, 0));  // 8 digits, 4-digit groups: hex from cell 10, chars from 51
    model.MoveCaret(5, 1, false);  // byte 21, fifth of its row
    HexCaretPlacement p = model.GetCaretPlacement();
    EXPECT_EQ((10 + 5 / 2 + 2 * 5) * 8 + 4 - 1, p.x);
    EXPECT_EQ(2 * 16, p.y);  // second data row under the header
    EXPECT_TRUE(p.bVisible);
    EXPECT_TRUE(model.IsCaretShown());

    const POINT pt = PointOfByte(model, 21, true);
    Click(model, pt);
    p = model.GetCaretPlacement();
    EXPECT_EQ((51 + 5) * 8 + 4 - 1, p.x);

    // A selection hides the caret; after it the caret is drawn behind its last byte.
    model.KeyDown(VK_RIGHT, true, false);
    EXPECT_FALSE(model.GetCaretPlacement().bVisible);
    EXPECT_EQ((51 + 6) * 8 + 4 - 1, model.GetCaretPlacement().x);

    // Without the focus the caret is not placed.
    model.KillFocus();
    EXPECT_FALSE(model.IsCaretShown());
    EXPECT_TRUE(model.TakeViewChanges() & HEXVIEW_CARET_DESTROY);
}

TEST(HexHitTest, HexCellsGiveByteAndNibble)
{
    HexEditModel model;
    model.m_nGroupDigits = 2;
    SetUpModel(model, Bytes(64, 0));
    int index = -1;
    ASSERT_TRUE(model.HitTest(PointOfByte(model, 20, false, 1).x, PointOfByte(model, 20, false).y, &index));
    EXPECT_EQ(20, index);
    EXPECT_EQ(0, model.GetCaret());  // the query form changes nothing

    POINT pt = PointOfByte(model, 20, false, 1);
    model.HitTest(pt.x, pt.y);
    EXPECT_EQ(20, model.GetCaret());
    EXPECT_EQ(1, model.GetNibble());
    EXPECT_TRUE(model.IsHexColumn());

    // The separator after a byte leads to the next byte's first digit.
    pt = PointOfByte(model, 20, false, 2);
    model.HitTest(pt.x, pt.y);
    EXPECT_EQ(21, model.GetCaret());
    EXPECT_EQ(0, model.GetNibble());

    // Left of the hex column counts as its first cell, below the data as the append position.
    model.HitTest(2, pt.y);
    EXPECT_EQ(16, model.GetCaret());
    model.HitTest(pt.x, 8 * 16 + 4);
    EXPECT_EQ(64, model.GetCaret());

    // The header row is not a byte.
    index = -1;
    EXPECT_FALSE(model.HitTest(pt.x, 5, &index));
    EXPECT_EQ(-1, index);
}

TEST(HexHitTest, CharacterColumnClickStartsAFreshByte)
{
    HexEditModel model;
    SetUpModel(model, B({0x00, 0x11, 0x22, 0x33}));
    Click(model, PointOfByte(model, 1, false));
    Type(model, "7");  // a half-typed byte: 00 70 11 22 33, nibble 1
    EXPECT_EQ(1, model.GetNibble());
    Click(model, PointOfByte(model, 3, true));
    EXPECT_FALSE(model.IsHexColumn());
    EXPECT_EQ(3, model.GetCaret());
    EXPECT_EQ(0, model.GetNibble());
    Type(model, "Z");
    EXPECT_EQ(B({0x00, 0x70, 0x11, 'Z', 0x22, 0x33}), ModelBytes(model));
}

TEST(HexLayout, HeaderAndAddressTexts)
{
    EXPECT_STREQ("00 01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F ", HexGroupHeaderText(2));
    EXPECT_STREQ("0001 0203 0405 0607 0809 0A0B 0C0D 0E0F ", HexGroupHeaderText(4));
    EXPECT_STREQ("00010203 04050607 08090A0B 0C0D0E0F ", HexGroupHeaderText(8));
    EXPECT_EQ(" ADDRESS ", HexAddressLabel(8));
    EXPECT_EQ(" ADDR", HexAddressLabel(4));
    EXPECT_EQ(" 00001230 ", HexAddressText(8, 0x1230, false));
    EXPECT_EQ(" 0010 ", HexAddressText(4, 0x10, false));
    EXPECT_EQ("      ", HexAddressText(4, 0x20, true));
    // Each header fills its column: hex width cells, one per character.
    for (int digits : {2, 4, 8})
        EXPECT_EQ(ComputeHexColumns(TRUE, 8, digits, TRUE).nHexWidth,
                  static_cast<int>(strlen(HexGroupHeaderText(digits))));
}
