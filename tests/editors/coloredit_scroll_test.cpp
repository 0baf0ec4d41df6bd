// Scrolling of the script editor: the wheel, the scroll bar messages, and keeping the caret
// and the lines an undo touches in view.
#include "coloredit_test_support.h"

using namespace coloredit_test;
using namespace winharness;

namespace {

// 99 line-ended lines; the empty line that every text ends with makes 100.
CString HundredLines()
{
    CString s;
    for (int i = 0; i < 99; ++i) {
        CString line;
        line.Format("line %d\n", i);
        s += line;
    }
    return s;
}

} // namespace

class ColorEditScrollTest : public ColorEditWindowTest {
protected:
    void SetUp() override
    {
        ColorEditWindowTest::SetUp();
        editor->SetText(HundredLines());
        ASSERT_EQ(editor->GetModel().GetLineCount(), 100);
        // The acceptance numbers need a page well short of the text.
        CRect rc;
        editor->GetClientRect(&rc);
        ASSERT_LT(rc.Height() / editor->GetLineHeight(), 75);
    }
    void ScrollTo(int line)
    {
        editor->SendMessage(WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, line), 0);
        ASSERT_EQ(editor->GetTopLine(), line);
    }
    int Wheel(short delta, UINT keys = 0)
    {
        CPoint pt(10, 10);
        editor->ClientToScreen(&pt);
        editor->SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(keys, (WORD)delta), MAKELPARAM(pt.x, pt.y));
        return editor->GetTopLine();
    }
};

TEST_F(ColorEditScrollTest, WheelScrollsFiveLinesPerNotchAndAtMostFiveDownwards)
{
    ScrollTo(20);
    EXPECT_EQ(Wheel(120), 15);
    EXPECT_EQ(editor->GetScrollPos(SB_VERT), 15);
    ScrollTo(20);
    EXPECT_EQ(Wheel(240), 10);
    ScrollTo(20);
    EXPECT_EQ(Wheel(-360), 25);
    EXPECT_EQ(editor->GetScrollPos(SB_VERT), 25);
    // Shift or Ctrl leaves the wheel to someone else.
    EXPECT_EQ(Wheel(-120, MK_SHIFT), 25);
    EXPECT_EQ(Wheel(-120, MK_CONTROL), 25);
    // Not above the first line.
    ScrollTo(2);
    EXPECT_EQ(Wheel(120), 0);
}

TEST_F(ColorEditScrollTest, ScrollBarFollowsTheTextAndItsMessages)
{
    CRect rc;
    editor->GetClientRect(&rc);
    const int page = rc.Height() / editor->GetLineHeight();
    SCROLLINFO si = {};
    si.cbSize = sizeof(si);
    si.fMask = SIF_ALL;
    ASSERT_TRUE(editor->GetScrollInfo(SB_VERT, &si));
    EXPECT_EQ(si.nMax, 99);
    EXPECT_EQ((int)si.nPage, page);

    editor->SendMessage(WM_VSCROLL, SB_LINEDOWN);
    EXPECT_EQ(editor->GetTopLine(), 1);
    editor->SendMessage(WM_VSCROLL, SB_LINEUP);
    editor->SendMessage(WM_VSCROLL, SB_LINEUP);
    EXPECT_EQ(editor->GetTopLine(), 0);
    editor->SendMessage(WM_VSCROLL, SB_PAGEDOWN);
    EXPECT_EQ(editor->GetTopLine(), 3 * page / 4);
    editor->SendMessage(WM_VSCROLL, SB_BOTTOM);
    EXPECT_EQ(editor->GetTopLine(), 100 - page);
    editor->SendMessage(WM_VSCROLL, SB_TOP);
    EXPECT_EQ(editor->GetTopLine(), 0);
}

TEST_F(ColorEditScrollTest, CaretMovesAndUndoBringTheirLinesIntoView)
{
    CRect rc;
    editor->GetClientRect(&rc);
    const int page = rc.Height() / editor->GetLineHeight();

    KeyDown(VK_END, kCtrl);
    EXPECT_EQ(editor->GetModel().GetCaret().line, 99);
    EXPECT_EQ(editor->GetTopLine(), 100 - page);
    SendChar(hwnd(), 'z');

    KeyDown(VK_HOME, kCtrl);
    EXPECT_EQ(editor->GetTopLine(), 0);
    editor->Undo();
    EXPECT_LE(editor->GetTopLine(), 99);
    EXPECT_GT(editor->GetTopLine() + page, 99);

    KeyDown(VK_HOME, kCtrl);
    KeyDown(VK_NEXT);
    EXPECT_EQ(editor->GetModel().GetCaret().line, page);
    EXPECT_EQ(editor->GetTopLine(), page);
}

TEST_F(ColorEditWindowTest, LongLinesScrollSideways)
{
    editor->SetText(CString('w', 200));
    CRect rc;
    editor->GetClientRect(&rc);
    const int columns = rc.Width() / editor->GetCellWidth() - 1;
    KeyDown(VK_END);
    EXPECT_EQ(editor->GetModel().GetCaret().column, 200);
    EXPECT_EQ(editor->GetFirstVisibleColumn(), 200 - columns + columns / 4);
    // The view may go past the scroll range: the caret stands a quarter page from the edge.
    EXPECT_EQ(editor->GetScrollPos(SB_HORZ), 200 - columns);
    KeyDown(VK_HOME);
    EXPECT_EQ(editor->GetFirstVisibleColumn(), 0);
    editor->SendMessage(WM_HSCROLL, SB_LINERIGHT);
    EXPECT_EQ(editor->GetFirstVisibleColumn(), 1);
}
