// Script editor editing operations and their undo steps: typing, TAB, Enter, Backspace,
// Delete, selections, cut and paste, and the caret standing one past the last line.
#include "coloreditmodel.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "script_model_test_support.h"

namespace {

using scriptmodel_test::L;
using scriptmodel_test::Lines;

// A store holding exactly the given lines (no reset line after them), history cleared.
void Load(CColorEditModel& m, const char* pasted)
{
    m.ResetContent();
    m.Paste(pasted);
    m.ClearUndoHistory();
    m.TakeRefresh();
}

// Caret and anchor at one place.
void Put(CColorEditModel& m, int column, int line)
{
    m.SetCaret(ColorEditPos(column, line));
    m.CollapseSelection();
}

TEST(ScriptEdit, TabsExpandToTheNextMultipleOfTheTabWidth)
{
    CColorEditModel m(4);
    EXPECT_EQ(CString("    "), m.ExpandTab(0));
    EXPECT_EQ(CString(" "), m.ExpandTab(3));
    EXPECT_EQ(CString("    "), m.ExpandTab(4));
    EXPECT_EQ(CString("  "), m.ExpandTab(6));

    Load(m, "abc");
    Put(m, 3, 0);
    m.TypeChar(9);
    EXPECT_EQ(L({"abc "}), Lines(m));
    m.TypeChar(9);
    EXPECT_EQ(L({"abc     "}), Lines(m));
    EXPECT_EQ(ColorEditPos(8, 0), m.GetCaret());
}

TEST(ScriptEdit, ClipboardTextSplitsAtLineEnds)
{
    CColorEditModel m(4);
    Load(m, "abcd");
    Put(m, 2, 0);
    m.InsertClipboardText("x\ny");
    EXPECT_EQ(L({"abx", "ycd"}), Lines(m));
    EXPECT_EQ(ColorEditPos(1, 1), m.GetCaret());
    EXPECT_EQ(m.GetCaret(), m.GetAnchor());

    Load(m, "abcd");
    Put(m, 2, 0);
    m.Paste("1\r\n\t2\r\n3");
    EXPECT_EQ(L({"ab1", "    2", "3cd"}), Lines(m));
    EXPECT_EQ(ColorEditPos(1, 2), m.GetCaret());
    m.Undo();
    EXPECT_EQ(L({"abcd"}), Lines(m));
    EXPECT_EQ(ColorEditPos(2, 0), m.GetCaret());

    // A tab inside a pasted line counts from the caret's column.
    Load(m, "ab");
    Put(m, 2, 0);
    m.Paste("\tz");
    EXPECT_EQ(L({"ab  z"}), Lines(m));
}

TEST(ScriptEdit, EveryKeystrokeIsOneUndoStep)
{
    CColorEditModel m(4);
    Load(m, "abcd");
    Put(m, 2, 0);
    m.TypeChar('x');
    m.TypeChar('y');
    m.TypeChar('z');
    EXPECT_EQ(L({"abxyzcd"}), Lines(m));
    m.Undo();
    EXPECT_EQ(L({"abxycd"}), Lines(m));
    EXPECT_EQ(ColorEditPos(4, 0), m.GetCaret());
    m.Undo();
    m.Undo();
    EXPECT_EQ(L({"abcd"}), Lines(m));
    EXPECT_EQ(ColorEditPos(2, 0), m.GetCaret());
    EXPECT_EQ(ColorEditPos(2, 0), m.GetAnchor());
    EXPECT_FALSE(m.CanUndo());

    m.Redo();
    EXPECT_EQ(L({"abxcd"}), Lines(m));
    EXPECT_EQ(ColorEditPos(3, 0), m.GetCaret());
    EXPECT_TRUE(m.CanRedo());
    m.TypeChar('q');  // a new keystroke after an undo empties redo
    EXPECT_FALSE(m.CanRedo());
    m.Redo();
    EXPECT_EQ(L({"abxqcd"}), Lines(m));
}

TEST(ScriptEdit, EnterSplitsTheLineAndUndoJoinsIt)
{
    CColorEditModel m(4);
    Load(m, "abcd");
    Put(m, 2, 0);
    m.TypeChar(13);
    EXPECT_EQ(L({"ab", "cd"}), Lines(m));
    EXPECT_EQ(ColorEditPos(0, 1), m.GetCaret());
    ASSERT_EQ(1u, m.GetHistory().m_undo.size());
    EXPECT_EQ(2u, m.GetHistory().m_undo.back().m_pieces.size());

    m.Undo();
    EXPECT_EQ(L({"abcd"}), Lines(m));
    EXPECT_EQ(1, m.GetLineCount());
    EXPECT_EQ(ColorEditPos(2, 0), m.GetCaret());
    const ColorEditRefresh r = m.TakeRefresh();
    EXPECT_TRUE(r.changeNotify);
    EXPECT_EQ(std::vector<int>({1, 0}), r.showLines);  // newest change first

    m.Redo();
    EXPECT_EQ(L({"ab", "cd"}), Lines(m));
    EXPECT_EQ(ColorEditPos(0, 1), m.GetCaret());
}

TEST(ScriptEdit, LineFeedAndNulCharactersInsertNothing)
{
    CColorEditModel m(4);
    Load(m, "ab");
    m.SetCaret(ColorEditPos(1, 0));
    m.SetAnchor(ColorEditPos(2, 0));
    EXPECT_FALSE(m.TypeChar(10));  // sent after Ctrl+Enter
    EXPECT_FALSE(m.TypeChar(0));
    EXPECT_FALSE(m.TypeChar(8));   // Backspace comes as a key
    EXPECT_EQ(L({"ab"}), Lines(m));
    EXPECT_TRUE(m.HasSelection());
    EXPECT_FALSE(m.CanUndo());
    EXPECT_FALSE(m.TakeRefresh().changeNotify);

    EXPECT_TRUE(m.TypeChar(13));  // the Ctrl+Enter carriage return replaces the selection
    EXPECT_EQ(L({"a", ""}), Lines(m));
}

TEST(ScriptEdit, BackspaceAndDeleteJoinLinesAndKeepCharactersWhole)
{
    CColorEditModel m(4);
    Load(m, "ab\n\x82\xA0x");
    Put(m, 0, 1);
    m.KeyBackspace();
    EXPECT_EQ(L({"ab\x82\xA0x"}), Lines(m));
    EXPECT_EQ(ColorEditPos(2, 0), m.GetCaret());
    m.Undo();
    EXPECT_EQ(L({"ab", "\x82\xA0x"}), Lines(m));
    EXPECT_EQ(ColorEditPos(0, 1), m.GetCaret());
    m.Redo();
    EXPECT_EQ(ColorEditPos(2, 0), m.GetCaret());
    m.KeyDelete();  // the whole double-byte character
    EXPECT_EQ(L({"abx"}), Lines(m));
    m.Undo();
    Put(m, 4, 0);
    m.KeyBackspace();
    EXPECT_EQ(L({"abx"}), Lines(m));
    EXPECT_EQ(ColorEditPos(2, 0), m.GetCaret());

    // 82 82 41: the pair 82 82 then 'A'. Backspace after the 'A' removes only the 'A'.
    Load(m, "\x82\x82" "A");
    Put(m, 3, 0);
    m.KeyBackspace();
    EXPECT_EQ(L({"\x82\x82"}), Lines(m));

    // At the end of the text Delete does nothing; at the start Backspace does nothing.
    Load(m, "a\nb");
    Put(m, 1, 1);
    m.KeyDelete();
    Put(m, 0, 0);
    m.KeyBackspace();
    EXPECT_EQ(L({"a", "b"}), Lines(m));
    Put(m, 1, 0);
    m.KeyDelete();
    EXPECT_EQ(L({"ab"}), Lines(m));
    m.Undo();
    EXPECT_EQ(L({"a", "b"}), Lines(m));
    EXPECT_EQ(ColorEditPos(1, 0), m.GetCaret());
}

TEST(ScriptEdit, LeadByteAtTheEndOfALineDeletesAlone)
{
    CColorEditModel m(4);
    Load(m, "ab\x82\nc");
    Put(m, 3, 0);
    m.KeyBackspace();
    EXPECT_EQ(L({"ab", "c"}), Lines(m));
    m.Undo();
    Put(m, 2, 0);
    m.KeyDelete();
    EXPECT_EQ(L({"ab", "c"}), Lines(m));
}

TEST(ScriptEdit, SelectionsAreDeletedCutAndReplacedInOneStep)
{
    CColorEditModel m(4);
    Load(m, "first\nsecond\nthird\nfourth");
    m.SetAnchor(ColorEditPos(2, 0));
    m.SetCaret(ColorEditPos(3, 2));
    EXPECT_EQ(CString("rst\r\nsecond\r\nthi"), m.GetSelectedText());
    EXPECT_TRUE(m.IsSelected(2, 0));
    EXPECT_FALSE(m.IsSelected(1, 0));
    EXPECT_TRUE(m.IsSelected(100, 1));
    EXPECT_TRUE(m.IsSelected(2, 2));
    EXPECT_FALSE(m.IsSelected(3, 2));

    m.TypeChar('X');
    EXPECT_EQ(L({"fiXrd", "fourth"}), Lines(m));
    EXPECT_EQ(ColorEditPos(3, 0), m.GetCaret());
    ASSERT_EQ(1u, m.GetHistory().m_undo.size());
    m.Undo();
    EXPECT_EQ(L({"first", "second", "third", "fourth"}), Lines(m));
    EXPECT_EQ(ColorEditPos(3, 2), m.GetCaret());  // the selection comes back
    EXPECT_EQ(ColorEditPos(2, 0), m.GetAnchor());

    m.SetAnchor(ColorEditPos(4, 1));  // caret before anchor on one line
    m.SetCaret(ColorEditPos(1, 1));
    EXPECT_EQ(CString("eco"), m.Cut());
    EXPECT_EQ(L({"first", "snd", "third", "fourth"}), Lines(m));
    EXPECT_EQ(ColorEditPos(1, 1), m.GetCaret());
    EXPECT_FALSE(m.HasSelection());

    m.SelectAll();
    EXPECT_EQ(ColorEditPos(0, 0), m.GetAnchor());
    EXPECT_EQ(ColorEditPos(6, 3), m.GetCaret());
    m.Paste("new");
    EXPECT_EQ(L({"new"}), Lines(m));
    m.Undo();
    EXPECT_EQ(L({"first", "snd", "third", "fourth"}), Lines(m));
}

TEST(ScriptEdit, PastedTextIsInsertedExactly)
{
    CColorEditModel m(4);
    Load(m, "abc\ndef");
    Put(m, 3, 0);
    m.Paste("x\r\n");
    EXPECT_EQ(L({"abcx", "", "def"}), Lines(m));
    EXPECT_EQ(ColorEditPos(0, 1), m.GetCaret());
    m.Undo();
    EXPECT_EQ(L({"abc", "def"}), Lines(m));
    EXPECT_EQ(ColorEditPos(3, 0), m.GetCaret());

    // On a blank line.
    Load(m, "a\n\nb");
    Put(m, 0, 1);
    m.Paste("x\r\n");
    EXPECT_EQ(L({"a", "x", "", "b"}), Lines(m));
    EXPECT_EQ(ColorEditPos(0, 2), m.GetCaret());

    // One of two blank lines cut and pasted back.
    Load(m, "a\n\n\nb");
    m.SetAnchor(ColorEditPos(0, 1));
    m.SetCaret(ColorEditPos(0, 2));
    const CString cut = m.Cut();
    EXPECT_EQ(CString("\r\n"), cut);
    EXPECT_EQ(L({"a", "", "b"}), Lines(m));
    m.Paste(cut);
    EXPECT_EQ(L({"a", "", "", "b"}), Lines(m));
    EXPECT_EQ(ColorEditPos(0, 2), m.GetCaret());
    m.Undo();
    EXPECT_EQ(L({"a", "", "b"}), Lines(m));
}

TEST(ScriptEdit, CaretPastTheLastLineReadsAsAnEmptyLine)
{
    CColorEditModel m(4);
    Load(m, "ab\nx\n");  // the pasted text ends with LF at the end of the text
    EXPECT_EQ(L({"ab", "x"}), Lines(m));
    EXPECT_EQ(ColorEditPos(0, 2), m.GetCaret());

    m.MoveEnd(false);
    EXPECT_EQ(ColorEditPos(0, 2), m.GetCaret());
    m.KeyDelete();
    EXPECT_EQ(L({"ab", "x"}), Lines(m));

    m.KeyBackspace();
    EXPECT_EQ(L({"ab", "x"}), Lines(m));
    EXPECT_EQ(ColorEditPos(1, 1), m.GetCaret());

    Put(m, 0, 2);
    m.TypeChar(13);
    EXPECT_EQ(L({"ab", "x", "", ""}), Lines(m));
    EXPECT_EQ(ColorEditPos(0, 3), m.GetCaret());
    m.Undo();
    EXPECT_EQ(L({"ab", "x"}), Lines(m));
    EXPECT_EQ(ColorEditPos(0, 2), m.GetCaret());

    m.TypeChar('z');  // typing there appends a line
    EXPECT_EQ(L({"ab", "x", "z"}), Lines(m));
    EXPECT_EQ(ColorEditPos(1, 2), m.GetCaret());

    Load(m, "ab\nx\n");
    m.MoveRight(false);
    EXPECT_EQ(ColorEditPos(1, 1), m.GetCaret());
    Load(m, "ab\nx\n");
    m.SetAnchor(ColorEditPos(1, 0));
    m.KeyDelete();
    EXPECT_EQ(L({"a"}), Lines(m));
    Load(m, "ab\nx\n");
    m.Paste("p\n");
    EXPECT_EQ(L({"ab", "x", "p"}), Lines(m));
    EXPECT_EQ(ColorEditPos(0, 3), m.GetCaret());
}

TEST(ScriptEdit, NotificationsAndRepaintHints)
{
    CColorEditModel m(4);
    m.SetText("abc\ndef\n");
    m.TakeRefresh();
    Put(m, 1, 1);
    m.TypeChar('a');
    ColorEditRefresh r = m.TakeRefresh();
    EXPECT_TRUE(r.changeNotify);
    EXPECT_FALSE(r.all);
    EXPECT_EQ(1, r.firstLine);
    EXPECT_EQ(1, r.lastLine);

    m.TypeChar(13);
    r = m.TakeRefresh();
    EXPECT_EQ(0, r.firstLine);
    EXPECT_EQ(ColorEditRefresh::kToBottom, r.lastLine);

    m.ClearUndoHistory();
    m.Undo();  // an empty stack changes nothing but still notifies
    r = m.TakeRefresh();
    EXPECT_TRUE(r.changeNotify);
    EXPECT_FALSE(r.HasDirtyLines());

    m.ResetContent();
    r = m.TakeRefresh();
    EXPECT_TRUE(r.changeNotify);
    EXPECT_EQ(L({""}), Lines(m));
    EXPECT_EQ(ColorEditPos(0, 0), m.GetCaret());
}

} // namespace
