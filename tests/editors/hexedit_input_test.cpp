// CHexEdit driven by real keyboard and mouse messages: typing, selection, focus and the system
// caret, the drag timer and the input-method composition window.
#include "hexedit_test_support.h"

#include <imm.h>

using namespace winharness;

namespace {

class HexEditInputTest : public ::testing::Test {
protected:
    void Make(const Bytes& data)
    {
        ASSERT_TRUE(MakeEditor(hex, parent, data));
        hex.SetFocus();
        ASSERT_EQ(hex.m_hWnd, ::GetFocus());
    }

    void Chars(const char* text)
    {
        for (const char* p = text; *p; ++p)
            SendChar(hex, static_cast<BYTE>(*p));
    }

    void ClickByte(int index, bool charColumn = false, UINT flags = 0)
    {
        const POINT pt = PointOfByte(hex.GetModel(), index, charColumn);
        Click(hex, pt.x, pt.y, flags);
    }

    HiddenParent parent;
    CHexEdit hex;
};

GUITHREADINFO GuiInfo()
{
    GUITHREADINFO info = {};
    info.cbSize = sizeof(info);
    GetGUIThreadInfo(GetCurrentThreadId(), &info);
    return info;
}

}  // namespace

TEST_F(HexEditInputTest, TypingTwoDigitsInInsertModeAppendsOneByte)
{
    Make(B({0x00, 0x11, 0x22}));
    SendKey(hex, VK_END, kCtrl);
    ASSERT_EQ(3, hex.GetModel().GetCaret());
    Chars("41");
    EXPECT_EQ(B({0x00, 0x11, 0x22, 0x41}), EditorBytes(hex));
    EXPECT_EQ(4, hex.GetModel().GetCaret());
    const HexUndoList& undo = hex.GetModel().GetUndoList();
    ASSERT_EQ(2u, undo.GetCount());
    EXPECT_EQ(HEXUNDO_INSERTED, undo.GetAt(0).nKind);
    EXPECT_EQ(HEXUNDO_OVERWRITTEN, undo.GetAt(1).nKind);
    // Ctrl+Z through the keyboard takes both steps back.
    SendKey(hex, 'Z', kCtrl);
    SendKey(hex, 'Z', kCtrl);
    EXPECT_EQ(B({0x00, 0x11, 0x22}), EditorBytes(hex));
}

TEST_F(HexEditInputTest, OverwriteModeFillsTheSelectionAndNeverGrows)
{
    Make(Bytes(8, 0xFF));
    SendKey(hex, VK_INSERT);
    ASSERT_FALSE(hex.GetModel().IsInsertMode());
    ClickByte(2);
    for (int i = 0; i < 4; ++i)
        SendKey(hex, VK_RIGHT, kShift);
    ASSERT_EQ(2, hex.GetModel().GetSelStart());
    ASSERT_EQ(5, hex.GetModel().GetSelEnd());
    Chars("A");
    EXPECT_EQ(B({0xFF, 0xFF, 0xA0, 0x00, 0x00, 0x00, 0xFF, 0xFF}), EditorBytes(hex));

    // At the append position nothing is typed, deleted or backspaced.
    SendKey(hex, VK_END, kCtrl);
    Chars("12z");
    SendKey(hex, VK_DELETE);
    SendKey(hex, VK_BACK);
    EXPECT_EQ(8u, hex.GetModel().GetDataSize());
    EXPECT_EQ(B({0xFF, 0xFF, 0xA0, 0x00, 0x00, 0x00, 0xFF, 0xFF}), EditorBytes(hex));
}

TEST_F(HexEditInputTest, ShiftArrowsAndDoubleClickSelect)
{
    Bytes data;
    for (int i = 0; i < 20; ++i)
        data.push_back(static_cast<BYTE>(i));
    Make(data);
    ClickByte(5);
    ASSERT_EQ(5, hex.GetModel().GetCaret());
    for (int i = 0; i < 3; ++i)
        SendKey(hex, VK_RIGHT, kShift);
    EXPECT_EQ(5, hex.GetModel().GetSelStart());
    EXPECT_EQ(7, hex.GetModel().GetSelEnd());
    SendKey(hex, VK_LEFT, kShift);
    EXPECT_EQ(5, hex.GetModel().GetSelStart());
    EXPECT_EQ(6, hex.GetModel().GetSelEnd());
    // A plain key clears the selection.
    SendKey(hex, VK_RIGHT);
    EXPECT_TRUE(hex.HasNoSelection());

    const POINT pt = PointOfByte(hex.GetModel(), 9, false);
    SendMouse(hex, WM_LBUTTONDOWN, pt.x, pt.y, MK_LBUTTON);
    SendMouse(hex, WM_LBUTTONUP, pt.x, pt.y);
    SendMouse(hex, WM_LBUTTONDBLCLK, pt.x, pt.y, MK_LBUTTON);
    SendMouse(hex, WM_LBUTTONUP, pt.x, pt.y);
    EXPECT_EQ(9, hex.GetModel().GetSelStart());
    EXPECT_EQ(9, hex.GetModel().GetSelEnd());
    EXPECT_EQ(10, hex.GetModel().GetCaret());
    EXPECT_EQ(NULL, ::GetCapture());
}

TEST_F(HexEditInputTest, DragSelectsWithCaptureAndKeepsScrollingPastTheEdge)
{
    Make(Bytes(4096, 0x5A));
    SizeEditorInCells(hex, 80, 10);
    const HexEditModel& model = hex.GetModel();
    POINT from = PointOfByte(model, 2, false);
    POINT to = PointOfByte(model, 6, false);
    SendMouse(hex, WM_LBUTTONDOWN, from.x, from.y, MK_LBUTTON);
    EXPECT_EQ(hex.m_hWnd, ::GetCapture());
    SendMouse(hex, WM_MOUSEMOVE, to.x, to.y, MK_LBUTTON);
    SendMouse(hex, WM_LBUTTONUP, to.x, to.y);
    EXPECT_EQ(NULL, ::GetCapture());
    EXPECT_EQ(2, model.GetSelStart());
    EXPECT_EQ(6, model.GetSelEnd());
    EXPECT_EQ(7, model.GetCaret());

    // Held below the bottom edge without moving, the view keeps scrolling on the timer.
    SendMouse(hex, WM_LBUTTONDOWN, from.x, from.y, MK_LBUTTON);
    CRect rc;
    hex.GetClientRect(&rc);
    SendMouse(hex, WM_MOUSEMOVE, from.x, rc.bottom + 20, MK_LBUTTON);
    const int topAfterMove = model.GetTop();
    EXPECT_TRUE(PumpUntil([&] { return model.GetTop() >= topAfterMove + 3 * 16; }));
    SendMouse(hex, WM_LBUTTONUP, from.x, rc.bottom + 20);
    const int topAfterUp = model.GetTop();
    PumpFor(500);
    EXPECT_EQ(topAfterUp, model.GetTop());  // the timer stopped with the button
    EXPECT_EQ(2, model.GetSelStart());
    EXPECT_GT(model.GetSelEnd(), topAfterMove + 3 * 16);
}

TEST_F(HexEditInputTest, FocusOwnsTheCaretInTheShapeOfTheMode)
{
    Make(Bytes(40, 0));
    ClickByte(0x12);
    const HexEditModel& model = hex.GetModel();
    GUITHREADINFO info = GuiInfo();
    EXPECT_EQ(hex.m_hWnd, info.hwndCaret);
    const HexCaretPlacement& placement = model.GetCaretPlacement();
    EXPECT_TRUE(placement.bVisible);
    CPoint pos = CWnd::GetCaretPos();
    EXPECT_EQ(placement.x, pos.x);
    EXPECT_EQ(placement.y, pos.y);
    EXPECT_EQ(model.GetLayout().nCellHeight, info.rcCaret.bottom - info.rcCaret.top);
    EXPECT_LE(info.rcCaret.right - info.rcCaret.left, 2);  // insert mode: a thin bar

    // Insert switches to overwrite mode: a caret one cell wide at the same place.
    SendKey(hex, VK_INSERT);
    info = GuiInfo();
    EXPECT_EQ(hex.m_hWnd, info.hwndCaret);
    EXPECT_EQ(model.GetLayout().nCellWidth, info.rcCaret.right - info.rcCaret.left);
    pos = CWnd::GetCaretPos();
    EXPECT_EQ(model.GetCaretPlacement().x, pos.x);

    // A selection hides the caret; moving on shows it again.
    SendKey(hex, VK_RIGHT, kShift);
    EXPECT_FALSE(model.IsCaretShown());
    SendKey(hex, VK_RIGHT);
    EXPECT_TRUE(model.IsCaretShown());

    // Losing the focus destroys the caret; getting it back creates it again.
    ::SetFocus(parent);
    EXPECT_EQ(NULL, GuiInfo().hwndCaret);
    EXPECT_FALSE(model.IsCaretShown());
    hex.SetFocus();
    EXPECT_EQ(hex.m_hWnd, GuiInfo().hwndCaret);
    EXPECT_TRUE(model.IsCaretShown());
}

TEST_F(HexEditInputTest, NotEditableEditorNavigatesButIgnoresTyping)
{
    Make(B({1, 2, 3, 4}));
    hex.SetEditable(FALSE);
    ClickByte(1);
    Chars("ff");
    SendKey(hex, VK_DELETE);
    SendKey(hex, VK_BACK);
    SendKey(hex, VK_INSERT);
    hex.SendMessage(WM_IME_CHAR, 0x82A0, 1);
    EXPECT_EQ(B({1, 2, 3, 4}), EditorBytes(hex));
    EXPECT_TRUE(hex.GetModel().IsInsertMode());
    SendKey(hex, VK_RIGHT);
    EXPECT_EQ(2, hex.GetModel().GetCaret());
}

TEST_F(HexEditInputTest, InputMethodCharacterIsStoredInTheCodeMode)
{
    Make(B({0x41}));
    hex.GetModel().m_nCharCode = CHARCODE_EUC;
    SendKey(hex, VK_END, kCtrl);
    // Hiragana a, Shift-JIS 82 A0, arrives with its lead byte in the high byte.
    EXPECT_EQ(0, hex.SendMessage(WM_IME_CHAR, 0x82A0, 1));
    EXPECT_EQ(B({0x41, 0xA4, 0xA2}), EditorBytes(hex));
}

TEST_F(HexEditInputTest, CompositionWindowFollowsTheCaretInTheControlFont)
{
    Make(Bytes(64, 0));
    HIMC himc = ImmGetContext(hex.m_hWnd);
    if (himc == NULL)
        GTEST_SKIP() << "no input context under this input method";
    ClickByte(0x21);
    COMPOSITIONFORM form = {};
    ASSERT_TRUE(ImmGetCompositionWindow(himc, &form));
    EXPECT_EQ(static_cast<DWORD>(CFS_POINT), form.dwStyle);
    EXPECT_EQ(hex.GetModel().GetCaretPlacement().x, form.ptCurrentPos.x);
    EXPECT_EQ(hex.GetModel().GetCaretPlacement().y, form.ptCurrentPos.y);
    LOGFONTA lf = {};
    ASSERT_TRUE(ImmGetCompositionFontA(himc, &lf));
    EXPECT_EQ(hex.GetModel().m_nFontHeight, lf.lfHeight);
    EXPECT_EQ(FIXED_PITCH | FF_MODERN, lf.lfPitchAndFamily);
    ImmReleaseContext(hex.m_hWnd, himc);
}

TEST_F(HexEditInputTest, NewDataWhileTheButtonIsHeldEndsTheDragInsideTheNewData)
{
    // A script or an extension DLL may replace the bytes while the user drags: real mouse
    // input in a shown window, the data replaced between the move and the release.
    ::SetWindowPos(parent, HWND_TOPMOST, 40, 40, 760, 480, SWP_SHOWWINDOW);
    Make(B({0x5F, 0x1C, 0x96}));
    const HexEditModel& model = hex.GetModel();
    POINT down = PointOfByte(model, 2, false, 0);
    POINT moved = PointOfByte(model, 2, false, 1);
    hex.ClientToScreen(&down);
    hex.ClientToScreen(&moved);

    // A failed step must not leave the button held for the tests after this one.
    struct ReleaseAtEnd {
        ~ReleaseAtEnd()
        {
            if (::GetAsyncKeyState(VK_LBUTTON) & 0x8000)
                RealButton(false);
            PumpFor(50);
        }
    } releaseAtEnd;
    RealMove(down);
    RealButton(true);
    ASSERT_TRUE(PumpUntil([&] { return model.IsMouseSelecting(); }));
    RealMove(moved);
    ASSERT_TRUE(PumpUntil([&] { return model.GetSelStart() == 2; }));
    ASSERT_EQ(hex.m_hWnd, ::GetCapture());

    hex.SetData(SafeBytes(B({0xF7, 0x48})));
    RealButton(false);
    PumpUntil([&] { return !model.IsMouseSelecting(); });

    EXPECT_FALSE(model.IsMouseSelecting());
    EXPECT_NE(hex.m_hWnd, ::GetCapture());
    EXPECT_LE(model.GetCaret(), 2);
    EXPECT_TRUE(model.HasNoSelection() || model.GetSelEnd() < 2);

    // The next paste lands in the new data.
    ASSERT_TRUE(PutTextBlock(parent, "\xAA", 2));
    SendKey(hex, 'V', kCtrl);
    EmptyTheClipboard(parent);
    EXPECT_EQ(B({0xAA, 0xF7, 0x48}), EditorBytes(hex));
}
