// CHexEdit painting into a DIB (through the painter and through WM_PRINTCLIENT of the real
// window), and scrolling of the real window.
#include "hexedit_test_support.h"
#include "hexpaint.h"

using namespace winharness;

namespace {

const COLORREF kBack = 0xF0E0D0;  // unlike the header's white, so the two can be told apart
const COLORREF kText = 0x102030;
const COLORREF kMarkText = 0x0000FF;
const COLORREF kMarkBack = 0xCCCCEE;

class HexEditPaintTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(MakeEditor(hex, parent, Bytes()));
        HexEditModel& model = hex.GetModel();
        model.m_crBack = kBack;
        model.m_crText = kText;
        model.m_nGroupDigits = 2;
        hex.RecalcLayout();
    }

    // Paints the editor's client area into a DIB of its size.
    void Paint(DibSurface& surface)
    {
        CRect rc;
        hex.GetClientRect(&rc);
        PaintHexEdit(surface.dc(), rc, hex.GetModel());
        GdiFlush();
    }

    CSize ClientSize()
    {
        CRect rc;
        hex.GetClientRect(&rc);
        return rc.Size();
    }

    HiddenParent parent;
    CHexEdit hex;
};

}  // namespace

TEST_F(HexEditPaintTest, MarkerSelectionAddressAndHeaderColours)
{
    Bytes data;
    for (int i = 0; i < 40; ++i)
        data.push_back(static_cast<BYTE>(0x30 + i));
    hex.SetData(SafeBytes(data));
    hex.AddMarker(1, 2, kMarkText, kMarkBack, "abc");
    // Bytes 2..3 selected by keys: byte 2 is marked and selected, byte 3 only selected.
    SendKey(hex, VK_RIGHT);
    SendKey(hex, VK_RIGHT);
    SendKey(hex, VK_RIGHT, kShift);
    SendKey(hex, VK_RIGHT, kShift);
    ASSERT_EQ(2, hex.GetModel().GetSelStart());
    ASSERT_EQ(3, hex.GetModel().GetSelEnd());

    const CSize size = ClientSize();
    DibSurface surface(size.cx, size.cy, 0x123456);
    Paint(surface);
    const HexEditModel& model = hex.GetModel();

    EXPECT_EQ(kBack, DominantColor(surface, HexCellRect(model, 0)));
    EXPECT_EQ(kMarkBack, DominantColor(surface, HexCellRect(model, 1)));
    EXPECT_EQ(kMarkBack, DominantColor(surface, CharCellRect(model, 1)));
    // Marked and selected: the marker's colours swapped.
    EXPECT_EQ(kMarkText, DominantColor(surface, HexCellRect(model, 2)));
    EXPECT_EQ(kMarkText, DominantColor(surface, CharCellRect(model, 2)));
    // Selected only: the control's colours swapped.
    EXPECT_EQ(kText, DominantColor(surface, HexCellRect(model, 3)));
    EXPECT_EQ(kBack, DominantColor(surface, HexCellRect(model, 4)));

    // The address column: the trailing space cell of the first data row is all grey, and the
    // row past the data shows only its background.
    EXPECT_EQ(0, CountOther(surface, CellRect(model, 8, 1), kHexAddressBack));
    EXPECT_EQ(kHexAddressBack, DominantColor(surface, CellRect(model, -1, 2, 10)));
    // The header row is white across the whole width, its texts grey.
    const RECT header = {0, 0, size.cx, model.GetLayout().nCellHeight};
    EXPECT_EQ(kHexHeaderBack, DominantColor(surface, header));
    EXPECT_GT(CountOther(surface, header, kHexHeaderBack), 0);
    EXPECT_EQ(kHexHeaderBack, surface.Pixel(size.cx - 1, 0));
    // Below the data: the control's background; the separator lines of the character column.
    const int x0 = (model.GetColumns().nCharStart - model.GetHScroll()) * model.GetLayout().nCellWidth +
                   model.GetLayout().nCellWidth / 2 - 2;
    EXPECT_EQ(kHexSeparatorLine, surface.Pixel(x0, size.cy - 1));
    EXPECT_EQ(kHexSeparatorLine, surface.Pixel(x0 + 16 * model.GetLayout().nCellWidth + 4, size.cy - 1));
    EXPECT_EQ(kBack, surface.Pixel(x0 + 1, size.cy - 1));

    // The window paints the same picture when asked to print its client area.
    DibSurface printed(size.cx, size.cy, 0x123456);
    printed.PrintWindow(hex);
    EXPECT_EQ(kMarkText, DominantColor(printed, HexCellRect(model, 2)));
    EXPECT_EQ(kMarkBack, DominantColor(printed, HexCellRect(model, 1)));
    EXPECT_EQ(0, CountOther(printed, CellRect(model, 8, 1), kHexAddressBack));
}

TEST_F(HexEditPaintTest, AnalysisHighlightWinsOverMarkersAndSelection)
{
    hex.SetData(SafeBytes(B({1, 2, 3, 4, 5, 6, 7, 8})));
    hex.AddMarker(0, 8, kMarkText, kMarkBack, "all");
    hex.SelectAll();
    hex.GetModel().m_analysis.nStart = 2;
    hex.GetModel().m_analysis.nLength = 3;

    const CSize size = ClientSize();
    DibSurface surface(size.cx, size.cy);
    Paint(surface);
    const HexEditModel& model = hex.GetModel();
    EXPECT_EQ(kMarkText, DominantColor(surface, HexCellRect(model, 1)));
    for (int b = 2; b <= 4; ++b)
        EXPECT_EQ(static_cast<COLORREF>(0x8888FF), DominantColor(surface, HexCellRect(model, b))) << b;
    EXPECT_EQ(kMarkText, DominantColor(surface, HexCellRect(model, 5)));
}

TEST_F(HexEditPaintTest, CaretBarMarksTheByteInTheOtherColumn)
{
    hex.SetData(SafeBytes(B({1, 2, 3, 4, 5, 6, 7, 8})));
    hex.SetFocus();
    ASSERT_EQ(hex.m_hWnd, ::GetFocus());
    const HexEditModel& model = hex.GetModel();
    POINT pt = PointOfByte(model, 5, false);
    Click(hex, pt.x, pt.y);
    ASSERT_EQ(5, model.GetCaret());
    ASSERT_TRUE(model.IsCaretShown());

    const CSize size = ClientSize();
    DibSurface surface(size.cx, size.cy);
    Paint(surface);
    // Caret in the hex column: a bar of font height / 7 pixels under the character cell.
    const COLORREF bar = 0xFFFFFF - kBack;
    const RECT charCell = CharCellRect(model, 5);
    const int barHeight = model.m_nFontHeight / 7;
    for (int x = charCell.left; x < charCell.right; ++x) {
        EXPECT_EQ(bar, surface.Pixel(x, charCell.bottom - 1)) << x;
        EXPECT_NE(bar, surface.Pixel(x, charCell.bottom - barHeight - 1)) << x;
    }
    EXPECT_EQ(0, CountOther(surface, {charCell.left, charCell.bottom - barHeight, charCell.right, charCell.bottom},
                            bar));
    EXPECT_NE(bar, surface.Pixel(CharCellRect(model, 4).left, CharCellRect(model, 4).bottom - 1));

    // Caret in the character column: the bar lies under the byte's two hex digits instead.
    pt = PointOfByte(model, 6, true);
    Click(hex, pt.x, pt.y);
    ASSERT_FALSE(model.IsHexColumn());
    Paint(surface);
    const RECT hexCell = HexCellRect(model, 6);
    EXPECT_EQ(0, CountOther(surface, {hexCell.left, hexCell.bottom - barHeight, hexCell.right, hexCell.bottom}, bar));
    EXPECT_NE(bar, surface.Pixel(CharCellRect(model, 5).left, CharCellRect(model, 5).bottom - 1));

    // Without the focus there is no caret and no bar.
    ::SetFocus(parent);
    Paint(surface);
    EXPECT_EQ(0, surface.Count(bar));
}

TEST_F(HexEditPaintTest, DoubleWidthCharacterTakesTheColoursOfEachOfItsBytes)
{
    // UTF-8 E3 81 82 (hiragana a) over cells 0 and 1; only byte 1 is marked.
    hex.GetModel().m_nCharCode = CHARCODE_UTF8;
    hex.SetData(SafeBytes(B({0xE3, 0x81, 0x82, 0x41})));
    hex.AddMarker(1, 1, kMarkText, kMarkBack, "second half");

    const CSize size = ClientSize();
    DibSurface surface(size.cx, size.cy);
    Paint(surface);
    const HexEditModel& model = hex.GetModel();
    EXPECT_EQ(kBack, DominantColor(surface, CharCellRect(model, 0)));
    EXPECT_EQ(kMarkBack, DominantColor(surface, CharCellRect(model, 1)));
    // The third byte's cell stays blank; the glyph halves are drawn in the first two.
    EXPECT_EQ(0, CountOther(surface, CharCellRect(model, 2), kBack));
    EXPECT_GT(CountOther(surface, CharCellRect(model, 0), kBack), 0);
    EXPECT_GT(CountOther(surface, CharCellRect(model, 1), kMarkBack), 0);
}

TEST_F(HexEditPaintTest, TheLowLineShowsInTheLowerHalfOfItsCellAtEveryFontHeight)
{
    hex.SetData(SafeBytes(B({0x5F, 0x5F})));
    for (int height : {12, 14, 16, 18}) {
        hex.GetModel().m_nFontHeight = height;
        hex.RecalcLayout();
        const CSize size = ClientSize();
        DibSurface surface(size.cx, size.cy);
        Paint(surface);
        RECT upper = CharCellRect(hex.GetModel(), 1), lower = upper;
        upper.bottom = lower.top = (upper.top + upper.bottom) / 2;
        EXPECT_GT(CountOther(surface, lower, kBack), 0) << height;
        EXPECT_EQ(0, CountOther(surface, upper, kBack)) << height;
    }
}

TEST_F(HexEditPaintTest, WheelScrollsThreeRowsPerNotch)
{
    hex.SetData(SafeBytes(Bytes(4096, 0xAB)));
    SizeEditorInCells(hex, 80, 10);
    const HexEditModel& model = hex.GetModel();
    ASSERT_EQ(10, model.GetLayout().nVisibleRows);
    EXPECT_TRUE(hex.GetStyle() & WS_VSCROLL);
    EXPECT_FALSE(hex.GetStyle() & WS_HSCROLL);

    for (int i = 0; i < 3; ++i)
        hex.SendMessage(WM_VSCROLL, SB_PAGEDOWN, 0);
    ASSERT_EQ(480, model.GetTop());
    EXPECT_EQ(30, hex.GetScrollPos(SB_VERT));

    hex.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, 120), MAKELPARAM(10, 10));
    EXPECT_EQ(432, model.GetTop());
    EXPECT_EQ(27, hex.GetScrollPos(SB_VERT));
    hex.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-240)), MAKELPARAM(10, 10));
    EXPECT_EQ(480, model.GetTop());
    // A scroll-bar message gives the control the focus.
    EXPECT_EQ(hex.m_hWnd, ::GetFocus());

    SCROLLINFO si = {sizeof(si), SIF_ALL};
    hex.GetScrollInfo(SB_VERT, &si);
    EXPECT_EQ(0, si.nMin);
    EXPECT_EQ(256, si.nMax);
    EXPECT_EQ(10u, si.nPage);

    // Data that fits does not scroll by the wheel, and its bar goes away.
    hex.SetData(SafeBytes(Bytes(32, 1)));
    EXPECT_FALSE(hex.GetStyle() & WS_VSCROLL);
    hex.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-120)), 0);
    EXPECT_EQ(0, model.GetTop());
}

namespace {

// What the shown editor's client area holds on the screen.
void CaptureScreen(CHexEdit& hex, DibSurface& surface)
{
    HDC hdc = ::GetDC(hex.m_hWnd);
    ::BitBlt(surface.dc(), 0, 0, surface.width(), surface.height(), hdc, 0, 0, SRCCOPY);
    ::ReleaseDC(hex.m_hWnd, hdc);
    GdiFlush();
}

int CountDifferent(const DibSurface& a, const DibSurface& b)
{
    int n = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            n += a.Pixel(x, y) != b.Pixel(x, y);
    return n;
}

}  // namespace

// A typed key paints again the rows it changed and leaves the others as they are on the
// screen, and what it paints is what painting the whole window paints.
TEST(HexEditRepaint, AKeyRepaintsItsRowsAndTheScreenMatchesAWholePaint)
{
    CWnd shown;
    ASSERT_TRUE(shown.CreateEx(0, AfxRegisterWndClass(0), "hex repaint", WS_POPUP | WS_VISIBLE, 0, 0, 720, 420,
                               NULL, NULL));
    CHexEdit hex;
    Bytes data;
    for (int i = 0; i < 512; ++i)
        data.push_back(static_cast<BYTE>(i * 3));
    ASSERT_TRUE(MakeEditor(hex, shown.m_hWnd, data));
    hex.SetFocus();
    hex.UpdateWindow();
    PumpPending();
    CRect rc;
    hex.GetClientRect(&rc);
    const HexEditModel& model = hex.GetModel();
    if (model.IsInsertMode())
        SendKey(hex, VK_INSERT);
    ASSERT_FALSE(model.IsInsertMode());

    // A dot that only a paint of the tenth row would cover.
    const RECT rcRow = HexCellRect(model, 10 * kHexBytesPerLine + 4);
    const COLORREF kDot = 0x00FF00;
    HDC hdc = ::GetDC(hex.m_hWnd);
    ::SetPixel(hdc, rcRow.left + 1, rcRow.top + 1, kDot);
    ::ReleaseDC(hex.m_hWnd, hdc);

    SendChar(hex, '7');
    SendChar(hex, 'A');
    PumpPending();
    EXPECT_EQ(0x7A, EditorBytes(hex)[0]);
    DibSurface typed(rc.Width(), rc.Height());
    CaptureScreen(hex, typed);
    EXPECT_EQ(kDot, typed.Pixel(rcRow.left + 1, rcRow.top + 1));

    hex.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
    DibSurface whole(rc.Width(), rc.Height());
    CaptureScreen(hex, whole);
    EXPECT_EQ(1, CountDifferent(typed, whole));

    // Inserting moves every byte after the caret: those rows are painted again, rightly.
    SendKey(hex, VK_INSERT);
    SendChar(hex, '1');
    PumpPending();
    ASSERT_TRUE(model.IsInsertMode());
    EXPECT_EQ(513u, EditorBytes(hex).size());
    CaptureScreen(hex, typed);
    hex.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
    CaptureScreen(hex, whole);
    EXPECT_EQ(0, CountDifferent(typed, whole));
    hex.DestroyWindow();
    shown.DestroyWindow();
}
