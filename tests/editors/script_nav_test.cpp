// Script editor caret movement: characters, words, lines and pages, double-click word
// selection and mouse positions, with double-byte characters kept whole.
#include "coloreditchars.h"
#include "coloreditmodel.h"
#include <gtest/gtest.h>

namespace {

class ScriptNav : public testing::Test {
protected:
    void Load(const char* pasted)
    {
        m.ResetContent();
        m.Paste(pasted);
        m.ClearUndoHistory();
    }
    void Put(int column, int line)
    {
        m.SetCaret(ColorEditPos(column, line));
        m.CollapseSelection();
    }
    CColorEditModel m{4};
};

TEST_F(ScriptNav, WordMoves)
{
    Load("foo(bar) x");
    EXPECT_EQ(3, m.WordRight(0, 0));
    EXPECT_EQ(7, m.WordLeft(8, 0));
    EXPECT_EQ(4, m.WordLeft(7, 0));
    EXPECT_EQ(4, m.WordRight(3, 0));   // one punctuation byte is stepped over
    EXPECT_EQ(7, m.WordRight(4, 0));
    EXPECT_EQ(10, m.WordRight(9, 0));  // no stop: the end of the line
    EXPECT_EQ(0, m.WordLeft(3, 0));    // passes index 0

    Load("  \x82\xA0\x82\xA2 ab");      // two double-byte characters
    EXPECT_EQ(4, m.WordRight(2, 0));    // one character, not one byte
    EXPECT_EQ(6, m.WordRight(4, 0));
    EXPECT_EQ(7, m.WordLeft(9, 0));
    EXPECT_EQ(4, m.WordLeft(6, 0));
    EXPECT_EQ(6, m.WordLeft(7, 0));    // after the space: back to the character's end
}

TEST_F(ScriptNav, CtrlArrowsCrossLineEnds)
{
    Load("one two\nthree");
    Put(0, 1);
    m.MoveLeft(true);
    EXPECT_EQ(ColorEditPos(7, 0), m.GetCaret());
    m.MoveLeft(true);
    EXPECT_EQ(ColorEditPos(4, 0), m.GetCaret());
    Put(0, 0);
    m.MoveLeft(true);
    EXPECT_EQ(ColorEditPos(0, 0), m.GetCaret());
    Put(7, 0);
    m.MoveRight(true);
    EXPECT_EQ(ColorEditPos(0, 1), m.GetCaret());
    Put(5, 1);
    m.MoveRight(true);
    EXPECT_EQ(ColorEditPos(5, 1), m.GetCaret());
}

TEST_F(ScriptNav, DoubleClickSelectsBetweenDelimiters)
{
    Load("foo(bar) x");
    m.SelectWordAt(5, 0);
    EXPECT_EQ(ColorEditPos(4, 0), m.GetCaret());
    EXPECT_EQ(ColorEditPos(7, 0), m.GetAnchor());
    EXPECT_EQ(CString("bar"), m.GetSelectedText());
    m.SelectWordAt(3, 0);  // on the parenthesis: that byte alone
    EXPECT_EQ(CString("("), m.GetSelectedText());
    m.SelectWordAt(1, 0);
    EXPECT_EQ(CString("foo"), m.GetSelectedText());
    m.SelectWordAt(99, 0);  // past the end: the last run
    EXPECT_EQ(CString("x"), m.GetSelectedText());

    // 83 7B is a character whose trail byte looks like '{'.
    Load("a \x83\x7B" "b c");
    m.SelectWordAt(3, 0);
    EXPECT_EQ(CString("\x83\x7B" "b"), m.GetSelectedText());
    EXPECT_EQ(ColorEditPos(2, 0), m.GetCaret());
}

TEST_F(ScriptNav, LeftAndRightStepOverWholeCharacters)
{
    Load("\x82\xA0z");
    Put(2, 0);
    m.MoveLeft(false);
    EXPECT_EQ(ColorEditPos(0, 0), m.GetCaret());
    m.MoveRight(false);
    EXPECT_EQ(ColorEditPos(2, 0), m.GetCaret());
    m.MoveRight(false);
    EXPECT_EQ(ColorEditPos(3, 0), m.GetCaret());
    m.MoveRight(false);  // end of the last line stays
    EXPECT_EQ(ColorEditPos(3, 0), m.GetCaret());

    Load("a\x82\xA0");
    Put(1, 0);
    m.MoveLeft(false);
    EXPECT_EQ(ColorEditPos(0, 0), m.GetCaret());  // from column 1 one byte

    // 82 82 41 is the pair 82 82 then 'A': Left after the 'A' moves one byte.
    Load("\x82\x82" "A");
    Put(3, 0);
    m.MoveLeft(false);
    EXPECT_EQ(ColorEditPos(2, 0), m.GetCaret());
    m.MoveLeft(false);
    EXPECT_EQ(ColorEditPos(0, 0), m.GetCaret());

    // Lead bytes are 0x81-0x9F and 0xE0-0xFC: 0x80 and 0xFD-0xFF are characters of their
    // own, the IBM extension kanji (FC 4B) are pairs.
    Load("\x80" "A\xFD" "B\xFC\x4B" "C");
    Put(0, 0);
    m.MoveRight(false);
    EXPECT_EQ(ColorEditPos(1, 0), m.GetCaret());
    m.MoveRight(false);
    m.MoveRight(false);
    EXPECT_EQ(ColorEditPos(3, 0), m.GetCaret());
    m.MoveRight(false);
    m.MoveRight(false);
    EXPECT_EQ(ColorEditPos(6, 0), m.GetCaret());

    // A lead byte at the end of a line is one byte wide.
    Load("ab\x82\ncd");
    Put(2, 0);
    m.MoveRight(false);
    EXPECT_EQ(ColorEditPos(3, 0), m.GetCaret());
    m.MoveRight(false);
    EXPECT_EQ(ColorEditPos(0, 1), m.GetCaret());
    m.MoveLeft(false);
    EXPECT_EQ(ColorEditPos(3, 0), m.GetCaret());
    m.MoveLeft(false);
    EXPECT_EQ(ColorEditPos(2, 0), m.GetCaret());
}

TEST_F(ScriptNav, VerticalMovesClampAndLeaveTrailBytes)
{
    Load("abcdef\n\x82\xA0\x82\xA2\nxy");
    Put(3, 0);
    m.MoveDown();
    EXPECT_EQ(ColorEditPos(2, 1), m.GetCaret());  // column 3 is inside the second character
    Put(5, 0);
    m.MoveDown();
    EXPECT_EQ(ColorEditPos(4, 1), m.GetCaret());
    m.MoveDown();
    EXPECT_EQ(ColorEditPos(2, 2), m.GetCaret());
    m.MoveDown();
    EXPECT_EQ(ColorEditPos(2, 2), m.GetCaret());
    m.MoveUp();
    m.MoveUp();
    EXPECT_EQ(ColorEditPos(2, 0), m.GetCaret());
    m.MoveUp();
    EXPECT_EQ(ColorEditPos(2, 0), m.GetCaret());

    m.MoveEnd(false);
    EXPECT_EQ(ColorEditPos(6, 0), m.GetCaret());
    m.MoveEnd(true);
    EXPECT_EQ(ColorEditPos(2, 2), m.GetCaret());
    m.MoveHome(false);
    EXPECT_EQ(ColorEditPos(0, 2), m.GetCaret());
    Put(1, 2);
    m.MoveHome(true);
    EXPECT_EQ(ColorEditPos(0, 0), m.GetCaret());
}

TEST_F(ScriptNav, PagesAndClickPositions)
{
    CString text;
    for (int i = 0; i < 30; ++i)
        text += "line\n";
    m.SetText(text);  // 30 lines and the empty one
    Put(3, 5);
    EXPECT_EQ(0, m.PageUp(10));
    EXPECT_EQ(ColorEditPos(3, 0), m.GetCaret());
    EXPECT_EQ(10, m.PageDown(10));
    EXPECT_EQ(30, m.PageDown(25));  // near the end: the last line
    EXPECT_EQ(ColorEditPos(0, 30), m.GetCaret());

    EXPECT_EQ(ColorEditPos(4, 29), m.ClampPosition(9, 29));
    EXPECT_EQ(ColorEditPos(0, 30), m.ClampPosition(3, 99));
    EXPECT_EQ(ColorEditPos(0, 0), m.ClampPosition(-2, -1));
    Load("\x82\xA0z");
    EXPECT_EQ(ColorEditPos(0, 0), m.ClampPosition(1, 0));
}

TEST(ScriptCells, WhatThePainterDrawsPerLine)
{
    // A pair is one two-cell glyph; a lead byte with nothing after it is one cell.
    const unsigned char line[] = {'a', 0x82, 0xA0, 0x82};
    EXPECT_EQ(1, ColorEditChars::CharLengthAt(line, 4, 0));
    EXPECT_EQ(2, ColorEditChars::CharLengthAt(line, 4, 1));
    EXPECT_EQ(1, ColorEditChars::CharLengthAt(line, 4, 3));
    EXPECT_TRUE(ColorEditChars::IsTrailPosition(line, 4, 2));
    EXPECT_FALSE(ColorEditChars::IsTrailPosition(line, 4, 3));
    EXPECT_FALSE(ColorEditChars::IsTrailPosition(line, 4, 4));

    CColorEditModel m(4);
    m.SetText("abc\ndef\nghi");
    m.SetAnchor(ColorEditPos(2, 2));
    m.SetCaret(ColorEditPos(1, 0));
    int from = -1, to = -1;
    ASSERT_TRUE(m.GetLineSelection(0, from, to));
    EXPECT_EQ(1, from);
    EXPECT_EQ(INT_MAX, to);
    ASSERT_TRUE(m.GetLineSelection(1, from, to));
    EXPECT_EQ(0, from);
    EXPECT_EQ(INT_MAX, to);
    ASSERT_TRUE(m.GetLineSelection(2, from, to));
    EXPECT_EQ(0, from);
    EXPECT_EQ(2, to);
    EXPECT_FALSE(m.GetLineSelection(3, from, to));
    m.SetAnchor(ColorEditPos(0, 2));  // ends at the start of line 2: nothing selected there
    EXPECT_FALSE(m.GetLineSelection(2, from, to));
}

} // namespace
