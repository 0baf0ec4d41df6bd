// Script editor text: the line store with its colours and longest line, and replacing and
// reading the whole text.
#include "coloreditmodel.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "script_model_test_support.h"

namespace {

using scriptmodel_test::L;
using scriptmodel_test::Lines;

std::string Text(const CColorEditModel& m)
{
    const CString text = m.GetText();
    return std::string(text.GetString(), text.GetLength());
}

TEST(ScriptText, SetTextKeepsEveryLineInFrontOfTheResetLine)
{
    CColorEditModel m(4);
    m.SetText("abc");
    EXPECT_EQ(L({"abc", ""}), Lines(m));
    EXPECT_EQ("abc\r\n\r\n", Text(m));

    m.SetText("a\r\nb");
    EXPECT_EQ(L({"a", "b", ""}), Lines(m));
    m.SetText("a\nb\n");
    EXPECT_EQ(L({"a", "b", ""}), Lines(m));

    m.SetText("x\ty");
    EXPECT_EQ(L({"x   y", ""}), Lines(m));
    m.SetText("\tx\r\nabc\td\r\nabcd\te");
    EXPECT_EQ(L({"    x", "abc d", "abcd    e", ""}), Lines(m));

    m.SetText("");
    EXPECT_EQ(L({""}), Lines(m));
    EXPECT_EQ("", Text(m));
}

TEST(ScriptText, SetTextOfGetTextGivesTheSameTextBack)
{
    const char* texts[] = {"", "abc", "a\r\nb", "a\r\nb\r\n", "a\r\n\r\n", "\r\n", "\r\n\r\n\r\n",
                           "x\r\n\r\ny\r\n", "line\twith tab\r\n\r\n\r\nend", "\x82\xA0\x82\xA2\r\nz"};
    for (const char* source : texts) {
        CColorEditModel m(4);
        m.SetText(source);
        const std::string once = Text(m);
        const L lines = Lines(m);
        m.SetText(once.c_str());
        EXPECT_EQ(once, Text(m)) << "from \"" << source << "\"";
        EXPECT_EQ(lines, Lines(m)) << "from \"" << source << "\"";
    }

    // Edited texts that end with an empty line come back unchanged as well.
    CColorEditModel m(4);
    m.SetText("one\ntwo\n");
    m.SetCaret(ColorEditPos(3, 1));
    m.CollapseSelection();
    m.TypeChar(13);
    m.TypeChar(13);
    const std::string edited = Text(m);
    EXPECT_EQ("one\r\ntwo\r\n\r\n\r\n\r\n", edited);
    m.SetText(edited.c_str());
    EXPECT_EQ(edited, Text(m));
}

TEST(ScriptText, GetTextEndsEveryLineOnlyWhenThereAreSeveral)
{
    CColorEditModel m(4);
    m.Paste("single");
    EXPECT_EQ(L({"single"}), Lines(m));
    EXPECT_EQ("single", Text(m));
    m.Paste("\nnext");
    EXPECT_EQ("single\r\nnext\r\n", Text(m));
}

TEST(ScriptText, SetTextIsOneUndoStepAndOneNotification)
{
    CColorEditModel m(4);
    m.TakeRefresh();
    m.SetText("a\nb\nc");
    const ColorEditRefresh r = m.TakeRefresh();
    EXPECT_TRUE(r.changeNotify);
    EXPECT_TRUE(r.scrollRanges);
    EXPECT_TRUE(r.all);
    EXPECT_EQ(1u, m.GetHistory().m_undo.size());
    EXPECT_EQ(ColorEditPos(0, 0), m.GetCaret());

    m.Undo();
    EXPECT_EQ(L({""}), Lines(m));  // the empty line of the reset stays
    m.Redo();
    EXPECT_EQ(L({"a", "b", "c", ""}), Lines(m));

    m.ClearUndoHistory();
    EXPECT_FALSE(m.CanUndo());
    EXPECT_FALSE(m.CanRedo());
}

TEST(ScriptText, StoreKeepsColoursAndTheLongestLine)
{
    CTextStore store;
    EXPECT_EQ(0, store.GetLineCount());
    store.Clear();
    EXPECT_EQ(1, store.GetLineCount());
    EXPECT_EQ(0, store.GetLongestLineLength());

    CLuaKeywordSet lua;
    lua.m_keywords1.insert(CString("end"));
    store.SetKeywordSet(&lua);
    store.InsertLine(CString("end"), 0, true);
    EXPECT_EQ(kColorKeyword1, store.GetLineColors(0)[0]);
    store.InsertLine(CString("a much longer line"), 1, false);
    EXPECT_TRUE(store.GetLineColors(1).empty());  // coloured by the next RecolorAll
    EXPECT_EQ(18, store.GetLongestLineLength());
    store.RecolorAll();
    EXPECT_EQ(18u, store.GetLineColors(1).size());

    store.ReplaceLine(CString("-- short"), 1);
    EXPECT_EQ(8, store.GetLongestLineLength());
    EXPECT_EQ(kColorLuaComment, store.GetLineColors(1)[0]);
    store.DeleteLine(1);
    EXPECT_EQ(3, store.GetLongestLineLength());
    store.DeleteLine(7);  // no such line
    EXPECT_EQ(2, store.GetLineCount());
}

TEST(ScriptText, KeywordSetRecoloursEveryLine)
{
    CColorEditModel m(4);
    m.SetText("local x\n-- note\n");
    EXPECT_EQ(0u, m.GetLineColors(0)[0]);
    CLuaKeywordSet lua;
    lua.m_keywords1.insert(CString("local"));
    m.TakeRefresh();
    m.SetKeywordSet(&lua);
    EXPECT_TRUE(m.TakeRefresh().all);
    EXPECT_EQ(kColorKeyword1, m.GetLineColors(0)[0]);
    EXPECT_EQ(kColorLuaComment, m.GetLineColors(1)[0]);
    m.TypeChar(' ');  // typed lines are coloured at once
    EXPECT_EQ(kColorPlainText, m.GetLineColors(0)[0]);
    EXPECT_EQ(kColorKeyword1, m.GetLineColors(0)[1]);
}

} // namespace
