// Painting of the script editor into a DIB: keyword colours, selection colours, and the
// window's own off-screen painting.
#include "coloredit_test_support.h"
#include "afxdc.h"

using namespace coloredit_test;
using namespace winharness;

namespace {

struct CellCount {
    int total = 0;
    int matching = 0;   // pixels of the colour asked for
    int other = 0;      // pixels of neither colour
};

// Counts the pixels of cells [first, last) of a line that have colour clr, and those that
// have neither clr nor clrOr.
CellCount CountCells(const DibSurface& dib, const ColorEditWnd& editor, int line, int first, int last,
                     COLORREF clr, COLORREF clrOr)
{
    CellCount c;
    const int cw = editor.GetCellWidth();
    const int lh = editor.GetLineHeight();
    for (int y = line * lh; y < (line + 1) * lh; ++y) {
        for (int x = 8 + first * cw; x < 8 + last * cw; ++x) {
            const COLORREF p = dib.Pixel(x, y);
            ++c.total;
            c.matching += p == clr;
            c.other += p != clr && p != clrOr;
        }
    }
    return c;
}

} // namespace

TEST_F(ColorEditWindowTest, KeywordGlyphsAreDrawnInTheirColourOnWhite)
{
    CLuaKeywordSet keywords;
    keywords.m_keywords1.insert("local");
    editor->SetKeywordSet(&keywords);
    editor->SetText("local x");
    CRect rc;
    editor->GetClientRect(&rc);
    DibSurface dib(rc.Width(), rc.Height(), RGB(90, 90, 90));
    editor->Paint(dib.cdc(), rc);

    const CellCount keyword = CountCells(dib, *editor, 0, 0, 5, RGB(0, 0, 200), RGB(255, 255, 255));
    EXPECT_GT(keyword.matching, 10);
    EXPECT_EQ(keyword.other, 0);
    EXPECT_EQ(RGB(0, 0, 200), 0xC80000u);
    const CellCount plain = CountCells(dib, *editor, 0, 6, 7, RGB(0, 0, 0), RGB(255, 255, 255));
    EXPECT_GT(plain.matching, 3);
    EXPECT_EQ(plain.other, 0);
    // The whole client area is the background outside the text.
    EXPECT_EQ(dib.Pixel(2, 2), RGB(255, 255, 255));
    EXPECT_EQ(dib.Pixel(rc.right - 1, rc.bottom - 1), RGB(255, 255, 255));
}

TEST_F(ColorEditWindowTest, SelectedCellsTakeTheSelectionBackground)
{
    const COLORREF green = RGB(0, 128, 0);
    editor->SetText("abcd");
    editor->SetSelectionBkColor(green);
    MoveCaret(1, 0);
    KeyDown(VK_RIGHT, kShift);
    KeyDown(VK_RIGHT, kShift);
    CRect rc;
    editor->GetClientRect(&rc);
    DibSurface dib(rc.Width(), rc.Height());
    editor->Paint(dib.cdc(), rc);

    // Cells 1 and 2: green behind white glyphs; cells 0 and 3: black on white.
    const CellCount selected = CountCells(dib, *editor, 0, 1, 3, green, RGB(255, 255, 255));
    EXPECT_EQ(selected.other, 0);
    EXPECT_GT(selected.matching, selected.total / 2);
    EXPECT_EQ(CountCells(dib, *editor, 0, 0, 1, green, green).matching, 0);
    EXPECT_EQ(CountCells(dib, *editor, 0, 3, 4, green, green).matching, 0);
}

TEST_F(ColorEditWindowTest, TheWindowPaintsWhatPaintDraws)
{
    CLuaKeywordSet keywords;
    keywords.m_keywords1.insert("end");
    editor->SetKeywordSet(&keywords);
    editor->SetText("if x then\n  y = 1 -- end\nend");
    editor->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
    CRect rc;
    editor->GetClientRect(&rc);

    DibSurface expected(rc.Width(), rc.Height());
    editor->Paint(expected.cdc(), rc);
    DibSurface onScreen(rc.Width(), rc.Height(), RGB(90, 90, 90));
    HDC hdc = ::GetDC(hwnd());
    ::BitBlt(onScreen.dc(), 0, 0, rc.Width(), rc.Height(), hdc, 0, 0, SRCCOPY);
    ::ReleaseDC(hwnd(), hdc);

    int differing = 0;
    for (int y = 0; y < rc.Height(); ++y)
        for (int x = 0; x < rc.Width(); ++x)
            differing += expected.Pixel(x, y) != onScreen.Pixel(x, y);
    EXPECT_EQ(differing, 0);
    EXPECT_GT(expected.Count(RGB(0, 150, 0)), 10);   // the comment
}

TEST_F(ColorEditWindowTest, LowLinesShowInTheLowerHalfOfTheirCells)
{
    // Whatever the font does with "_" at the editor's size, "port_name" never reads "port name".
    editor->SetText("a_b\na_b\nxyz");
    CRect rc;
    editor->GetClientRect(&rc);
    DibSurface dib(rc.Width(), rc.Height());
    editor->Paint(dib.cdc(), rc);
    const int cw = editor->GetCellWidth();
    const int lh = editor->GetLineHeight();
    for (int line = 0; line < 2; ++line) {
        int upper = 0, lower = 0;
        for (int y = line * lh; y < (line + 1) * lh; ++y)
            for (int x = 8 + cw; x < 8 + 2 * cw; ++x)
                (y - line * lh < lh / 2 ? upper : lower) += dib.Pixel(x, y) != RGB(255, 255, 255);
        EXPECT_GT(lower, 0) << line;
        EXPECT_EQ(upper, 0) << line;
    }
}
