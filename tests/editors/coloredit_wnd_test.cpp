// The script editor window driven by messages: creation, notifications, typing, read-only
// mode, the accelerators through the application's loop, keys, mouse, caret and IME window.
#include "coloredit_test_support.h"
#include <imm.h>

using namespace coloredit_test;
using namespace winharness;

TEST_F(ColorEditWindowTest, CreatesAVisibleChildWithTheScrollBarsAskedFor)
{
    EXPECT_EQ(editor->GetStyle() & 0xFFFF0000, 0x52300000u);
    EXPECT_EQ(editor->GetDlgCtrlID(), (int)kEditorId);
    EXPECT_NE(::GetClassLongA(hwnd(), GCL_STYLE) & CS_DBLCLKS, 0u);
    EXPECT_EQ(editor->GetModel().GetLineCount(), 1);
    EXPECT_EQ(Text(), "");

    ColorEditWnd plain(&parent, CRect(0, 0, 200, 100), 102, 4, FALSE);
    EXPECT_EQ(plain.GetStyle() & 0xFFFF0000, 0x52200000u);
    // A line wider than the window gives no horizontal bar to an editor made without one.
    plain.SetText(CString('a', 300));
    EXPECT_EQ(plain.GetStyle() & WS_HSCROLL, 0u);

    // The longer form takes a point size and a face name and keeps its own font.
    ColorEditWnd longForm(&parent, CRect(0, 0, 200, 100), 103, 4, TRUE, 120, "Courier New");
    EXPECT_EQ(longForm.GetStyle() & 0xFFFF0000, 0x52300000u);
    EXPECT_EQ(longForm.GetCellWidth(), editor->GetCellWidth());
    EXPECT_EQ(longForm.GetLineHeight(), editor->GetLineHeight());
}

TEST_F(ColorEditWindowTest, CellSpacingHoldsUntilTheWindowIsShownAgain)
{
    const int nWidth = editor->GetCellWidth();
    EXPECT_GT(nWidth, 0);
    EXPECT_NE(nWidth, 10);   // measured from the font when the window was shown
    editor->AddCharSpacing(2);
    EXPECT_EQ(editor->GetCellWidth(), nWidth + 2);
    editor->AddCharSpacing(-3);
    EXPECT_EQ(editor->GetCellWidth(), nWidth + 2);
    editor->ShowWindow(SW_HIDE);
    editor->ShowWindow(SW_SHOW);
    EXPECT_EQ(editor->GetCellWidth(), nWidth);
}

TEST_F(ColorEditWindowTest, TypingOneCharacterSendsOneChange)
{
    SendChar(hwnd(), 'a');
    EXPECT_EQ(Text(), "a");
    EXPECT_EQ(parent.Count(EN_CHANGE), 1);
    ASSERT_EQ(parent.notes.size(), 1u);
    EXPECT_EQ(parent.notes[0].id, kEditorId);
}

TEST_F(ColorEditWindowTest, WholeTextOperationsNotifyOnce)
{
    editor->SetText("a\r\nb");
    EXPECT_EQ(parent.Count(EN_CHANGE), 1);
    editor->ResetContent();
    EXPECT_EQ(parent.Count(EN_CHANGE), 2);
    // An undo with nothing to undo changes nothing but still reports a change.
    editor->Undo();
    EXPECT_EQ(parent.Count(EN_CHANGE), 3);
    EXPECT_EQ(Text(), "");
}

TEST_F(ColorEditWindowTest, ReadOnlyEditorIgnoresEditsButCopies)
{
    Type("abc");
    editor->ClearUndoHistory();
    SetClipboardText("zz");
    editor->m_bReadOnly = TRUE;
    KeyThroughAppLoop('A', kCtrl);   // selecting still works
    ASSERT_TRUE(editor->HasSelection());
    parent.notes.clear();

    KeyDown(VK_BACK);
    KeyDown(VK_DELETE);
    SendChar(hwnd(), 'x');
    SendChar(hwnd(), 13);
    KeyDown(VK_RETURN, kCtrl);
    PumpPending();
    // Each key of the table drops the selection; the commands get one again.
    KeyThroughAppLoop('A', kCtrl);
    KeyThroughAppLoop('X', kCtrl);
    KeyThroughAppLoop('V', kCtrl);
    EXPECT_EQ(Text(), "abc");
    EXPECT_EQ(parent.Count(EN_CHANGE), 0);
    EXPECT_FALSE(editor->CanUndo());
    EXPECT_EQ(ClipboardText(), "zz");

    ASSERT_TRUE(editor->HasSelection());
    KeyThroughAppLoop('C', kCtrl);
    EXPECT_EQ(ClipboardText(), "abc");
}

TEST_F(ColorEditWindowTest, UndoAndRedoTravelThroughTheApplicationLoop)
{
    Type("ab");
    KeyThroughAppLoop('Z', kCtrl);
    EXPECT_EQ(Text(), "a");
    parent.notes.clear();
    KeyThroughAppLoop('Z', kCtrl | kShift);
    EXPECT_EQ(Text(), "ab");
    EXPECT_EQ(parent.Count(EN_CHANGE), 1);
    EXPECT_FALSE(editor->CanRedo());
    // Without the loop's pre-translate walk the key is only a key.
    KeyDown('Z', kCtrl);
    EXPECT_EQ(Text(), "ab");
}

TEST_F(ColorEditWindowTest, ControlCharactersOfKeyChordsTypeNothing)
{
    Type("ab");
    parent.notes.clear();
    // The loop makes Ctrl+Y (redo elsewhere) the character 0x19 and Ctrl+Backspace 0x7F: as
    // bytes of the script they would show as nothing and break it when it runs.
    KeyThroughAppLoop('Y', kCtrl);
    KeyThroughAppLoop(VK_BACK, kCtrl);
    SendChar(hwnd(), 0x1B);
    EXPECT_EQ(Text(), "a");
    EXPECT_EQ(parent.Count(EN_CHANGE), 1);   // the Backspace alone
    // A loaded text keeps what it holds.
    editor->SetText("x\x19y\x7F");
    EXPECT_EQ(Text(), "x\x19y\x7F\r\n\r\n");
}

TEST_F(ColorEditWindowTest, ShiftExtendsTheSelectionAndAPlainMoveDropsIt)
{
    editor->SetText("foo(bar) x\nsecond");
    MoveCaret(1, 0);
    KeyDown(VK_RIGHT, kShift);
    KeyDown(VK_RIGHT, kShift);
    EXPECT_EQ(editor->GetModel().GetAnchor(), ColorEditPos(1, 0));
    EXPECT_EQ(editor->GetModel().GetCaret(), ColorEditPos(3, 0));
    KeyDown(VK_DOWN, kShift);
    EXPECT_EQ(editor->GetModel().GetSelectedText(), "oo(bar) x\r\nsec");
    KeyDown(VK_RIGHT);
    EXPECT_FALSE(editor->HasSelection());
    EXPECT_EQ(editor->GetModel().GetCaret(), ColorEditPos(4, 1));
    // End and Home keep the anchor where the selection left it.
    KeyDown(VK_HOME, kShift);
    EXPECT_EQ(editor->GetModel().GetSelectedText(), "seco");
}

TEST_F(ColorEditWindowTest, KeysStepOverDoubleByteCharactersAndCtrlEnterBreaksTheLine)
{
    Type("a\x82\xA0");   // a, then the two bytes of one double-byte character
    EXPECT_EQ(editor->GetModel().GetCaret().column, 3);
    KeyDown(VK_LEFT);
    EXPECT_EQ(editor->GetModel().GetCaret().column, 1);
    KeyDown(VK_BACK);
    EXPECT_EQ(Text(), "\x82\xA0");

    KeyDown(VK_RETURN, kCtrl);
    PumpPending();
    EXPECT_EQ(editor->GetModel().GetLineCount(), 2);
    EXPECT_EQ(editor->GetModel().GetCaret(), ColorEditPos(0, 1));
    // The LF that the system makes of Ctrl+Enter inserts nothing.
    SendChar(hwnd(), 10);
    EXPECT_EQ(Text(), "\r\n\x82\xA0\r\n");
}

TEST_F(ColorEditWindowTest, MouseClicksDragsAndDoubleClicksSelectCells)
{
    editor->SetText("foo(bar) x\nsecond");
    const int cw = editor->GetCellWidth();
    const int lh = editor->GetLineHeight();
    auto cellX = [&](int column) { return 8 + column * cw + 1; };

    Click(hwnd(), cellX(5), lh + 2);
    EXPECT_EQ(editor->GetModel().GetCaret(), ColorEditPos(5, 1));
    EXPECT_FALSE(editor->HasSelection());
    EXPECT_EQ(::GetFocus(), hwnd());

    SendMouse(hwnd(), WM_LBUTTONDOWN, cellX(1), 2, MK_LBUTTON);
    EXPECT_EQ(::GetCapture(), hwnd());
    SendMouse(hwnd(), WM_MOUSEMOVE, cellX(4), 2, MK_LBUTTON);
    SendMouse(hwnd(), WM_LBUTTONUP, cellX(4), 2);
    EXPECT_EQ(::GetCapture(), (HWND)NULL);
    EXPECT_EQ(editor->GetModel().GetSelectedText(), "oo(");
    // Moving without the button changes nothing.
    SendMouse(hwnd(), WM_MOUSEMOVE, cellX(8), 2);
    EXPECT_EQ(editor->GetModel().GetSelectedText(), "oo(");

    // Shift+click moves the caret and keeps the anchor.
    Click(hwnd(), cellX(2), lh + 2, MK_SHIFT);
    EXPECT_EQ(editor->GetModel().GetSelectedText(), "oo(bar) x\r\nse");

    SendMouse(hwnd(), WM_LBUTTONDBLCLK, cellX(5), 2, MK_LBUTTON);
    EXPECT_EQ(editor->GetModel().GetCaret(), ColorEditPos(4, 0));
    EXPECT_EQ(editor->GetModel().GetAnchor(), ColorEditPos(7, 0));
}

TEST_F(ColorEditWindowTest, FocusShowsTheCaretWithTheImeWindowAtIt)
{
    editor->SetText("abc\ndef");
    editor->SetFocus();
    EXPECT_EQ(parent.Count(EN_SETFOCUS), 1);
    MoveCaret(2, 1);
    const CPoint expected(2 * editor->GetCellWidth() + 7, editor->GetLineHeight());
    POINT pt;
    ASSERT_TRUE(::GetCaretPos(&pt));
    EXPECT_EQ(CPoint(pt), expected);

    HIMC hImc = ::ImmGetContext(hwnd());
    if (hImc != NULL) {
        COMPOSITIONFORM cf = {};
        ASSERT_TRUE(::ImmGetCompositionWindow(hImc, &cf));
        EXPECT_EQ(cf.dwStyle, (DWORD)CFS_POINT);
        EXPECT_EQ(CPoint(cf.ptCurrentPos), expected);
        ::ImmReleaseContext(hwnd(), hImc);
    }

    parent.SetFocus();
    EXPECT_EQ(parent.Count(EN_KILLFOCUS), 1);
}
