// Keyword colouring of script lines: whole-word keyword classes, Lua comments outside
// strings, escaped quotes and double-byte characters, and keyword files.
#include "luakeywordset.h"
#include <gtest/gtest.h>
#include <windows.h>
#include <cstdio>
#include <string>

namespace {

class LuaColoring : public testing::Test {
protected:
    LuaColoring()
    {
        for (const char* w : {"and", "break", "do", "else", "elseif", "end", "false", "for",
                              "function", "if", "in", "local", "nil", "not", "or", "repeat",
                              "return", "then", "true", "until", "while"})
            keywords.m_keywords1.insert(CString(w));
        for (const char* w : {"Logput", "SendData", "TableCat"})
            keywords.m_keywords2.insert(CString(w));
        keywords.m_keywords3.insert(CString("DllFunc"));
    }

    LineColorVector Colorize(const std::string& line)
    {
        LineColorVector colors(3, 0x123456);  // stale content must not survive
        keywords.ColorizeLine(CString(line.data(), static_cast<int>(line.size())), colors);
        EXPECT_EQ(line.size(), colors.size());
        return colors;
    }

    static bool AnyGreen(const LineColorVector& colors, size_t from = 0, size_t to = SIZE_MAX)
    {
        for (size_t i = from; i < colors.size() && i < to; ++i)
            if (colors[i] == kColorLuaComment)
                return true;
        return false;
    }

    CLuaKeywordSet keywords;
};

TEST_F(LuaColoring, KeywordThenCommentToTheEndOfTheLine)
{
    const std::string line = "local x = 1 -- end";
    const LineColorVector c = Colorize(line);
    for (int i = 0; i <= 4; ++i)
        EXPECT_EQ(0xC80000u, c[i]) << i;
    const size_t dash = line.find("--");
    for (size_t i = 5; i < dash; ++i)
        EXPECT_EQ(0u, c[i]) << i;
    for (size_t i = dash; i < line.size(); ++i)
        EXPECT_EQ(0x009600u, c[i]) << i;  // the keyword "end" inside the comment is green too
}

TEST_F(LuaColoring, HyphensInsideStringsStartNoComment)
{
    EXPECT_FALSE(AnyGreen(Colorize("print('a--b')")));
    EXPECT_FALSE(AnyGreen(Colorize("print(\"a--b\") x")));

    // The escaped quote neither closes the string nor lets its "--" start a comment; the
    // comment after the string does start.
    const std::string line = "s = \"a\\\"b\" -- c";
    const LineColorVector c = Colorize(line);
    const size_t close = line.rfind('"');
    EXPECT_FALSE(AnyGreen(c, 0, close + 1));
    const size_t dash = line.find("--");
    for (size_t i = dash; i < line.size(); ++i)
        EXPECT_EQ(kColorLuaComment, c[i]) << i;

    // A string holding "--" after an escaped quote.
    EXPECT_FALSE(AnyGreen(Colorize("s = 'it\\'s -- not a comment'")));
}

TEST_F(LuaColoring, WholeWordsCaseSensitive)
{
    for (COLORREF color : Colorize("ends End"))
        EXPECT_EQ(0u, color);
    const LineColorVector c = Colorize("end_x");
    EXPECT_EQ(kColorKeyword1, c[0]);
    EXPECT_EQ(kColorKeyword1, c[1]);
    EXPECT_EQ(kColorKeyword1, c[2]);
    EXPECT_EQ(0u, c[3]);
    EXPECT_EQ(0u, c[4]);

    const LineColorVector d = Colorize("Logput(DllFunc) end2 x");
    EXPECT_EQ(kColorKeyword2, d[0]);
    EXPECT_EQ(kColorKeyword2, d[5]);
    EXPECT_EQ(0u, d[6]);
    EXPECT_EQ(kColorKeyword3, d[7]);
    EXPECT_EQ(kColorKeyword3, d[13]);
    EXPECT_EQ(0u, d[16]);  // end2 is a word of its own, not a keyword
}

TEST_F(LuaColoring, DoubleByteCharactersDoNotToggleStringsOrFormWords)
{
    // 83 27 and 83 22 are double-byte characters whose trail bytes look like quotes.
    EXPECT_TRUE(AnyGreen(Colorize("a = \x83\x27 -- c")));
    EXPECT_TRUE(AnyGreen(Colorize("a = \x83\x22 -- c")));
    // A trail byte 0x5C is no backslash: the quote after it closes the string.
    const std::string line = "print('\x83\x5C') -- x";
    EXPECT_TRUE(AnyGreen(Colorize(line), line.find("--")));
    // The trail byte of 83 65 is an ASCII 'e': it does not join "nd" into a keyword.
    const LineColorVector c = Colorize("\x83\x65nd end");
    EXPECT_EQ(0u, c[2]);
    EXPECT_EQ(kColorKeyword1, c[5]);
}

TEST_F(LuaColoring, CommentLinesAndShortLines)
{
    const LineColorVector all = Colorize("-- end");
    for (COLORREF color : all)
        EXPECT_EQ(kColorLuaComment, color);
    const LineColorVector two = Colorize("--");
    EXPECT_EQ(kColorLuaComment, two[0]);
    EXPECT_EQ(kColorLuaComment, two[1]);
    EXPECT_EQ(0u, Colorize("-")[0]);

    const std::string indented = "  end -- x";
    const LineColorVector c = Colorize(indented);
    EXPECT_EQ(0u, c[0]);
    EXPECT_EQ(kColorKeyword1, c[2]);
    for (size_t i = indented.find("--"); i < indented.size(); ++i)
        EXPECT_EQ(kColorLuaComment, c[i]);

    LineColorVector empty(5, 1);
    keywords.ColorizeLine(CString(), empty);
    EXPECT_TRUE(empty.empty());
    // A lead byte at the end of a line is a character of its own.
    const LineColorVector lead = Colorize("x --\x83");
    EXPECT_EQ(kColorLuaComment, lead[4]);
}

TEST_F(LuaColoring, ALineColoursTheSameWhateverWasColouredBeforeIt)
{
    // Long and short words, escaped quotes, open strings and comments, one after the other:
    // each line colours as it does in a set that has coloured nothing yet.
    const std::vector<std::string> lines = {
        "function SendDataAndMore(x) return TableCat end",
        "end",
        "s = \"a\\\"b -- not\" -- yes",
        "'",
        "x = 'open -- still open",
        "DllFunc",
        "-",
        "local elseif_ = nil -- and",
        "do",
    };
    for (size_t i = 0; i < lines.size(); ++i) {
        CLuaKeywordSet fresh;
        fresh.m_keywords1 = keywords.m_keywords1;
        fresh.m_keywords2 = keywords.m_keywords2;
        fresh.m_keywords3 = keywords.m_keywords3;
        LineColorVector expected;
        fresh.ColorizeLine(CString(lines[i].c_str()), expected);
        EXPECT_EQ(expected, Colorize(lines[i])) << lines[i];
    }
}

TEST(KeywordSet, PlainSetColoursWordsOnlyAndFoldsCaseWhenAsked)
{
    CKeywordSet set;
    set.m_keywords1.insert(CString("END"));
    set.m_keywords1.insert(CString("END"));
    EXPECT_EQ(1u, set.m_keywords1.size());
    LineColorVector c;
    set.ColorizeLine(CString("end -- END"), c);
    EXPECT_EQ(0u, c[0]);
    EXPECT_EQ(0u, c[4]);  // no comment colouring in the plain set
    EXPECT_EQ(kColorKeyword1, c[7]);
    set.m_bCaseFolding = true;
    EXPECT_TRUE(set.IsKeyword1(CString("end")));
    EXPECT_FALSE(set.IsKeyword2(CString("end")));
}

class KeywordFile : public testing::Test {
protected:
    void SetUp() override
    {
        char dir[MAX_PATH];
        GetTempPathA(MAX_PATH, dir);
        GetTempFileNameA(dir, "kw", 0, path);
    }
    void TearDown() override { DeleteFileA(path); }
    void Write(const std::string& bytes)
    {
        FILE* f = fopen(path, "wb");
        ASSERT_NE(nullptr, f);
        fwrite(bytes.data(), 1, bytes.size(), f);
        fclose(f);
    }
    char path[MAX_PATH];
};

TEST_F(KeywordFile, ReadsWhiteSpaceSeparatedWordsIntoClassOne)
{
    Write("alpha beta\r\n\tgamma alpha");
    CKeywordSet set;
    set.LoadKeywordFile(path);
    EXPECT_EQ(3u, set.m_keywords1.size());
    EXPECT_TRUE(set.IsKeyword1(CString("gamma")));
    EXPECT_TRUE(set.m_keywords2.empty());

    CKeywordSet folded;
    folded.m_bCaseFolding = true;
    folded.LoadKeywordFile(path);
    EXPECT_EQ(1u, folded.m_keywords1.count(CString("BETA")));
    EXPECT_TRUE(folded.IsKeyword1(CString("Beta")));
}

TEST_F(KeywordFile, LongWordStaysInsideItsLimit)
{
    const std::string longWord(5000, 'w');
    Write("first " + longWord + " last\n");
    CKeywordSet set;
    set.LoadKeywordFile(path);
    EXPECT_TRUE(set.IsKeyword1(CString("first")));
    EXPECT_TRUE(set.IsKeyword1(CString("last")));
    for (const CString& w : set.m_keywords1)
        EXPECT_LE(w.GetLength(), CKeywordSet::kMaxFileWordLength);
}

TEST_F(KeywordFile, EmptyOrMissingFilesAddNothing)
{
    Write("");
    CKeywordSet set;
    set.LoadKeywordFile(path);
    set.LoadKeywordFile("");
    set.LoadKeywordFile("C:\\no\\such\\folder\\words.txt");
    EXPECT_TRUE(set.m_keywords1.empty());
}

} // namespace
