// CString: code page 932 bytes, formatting, searching and editing by whole characters,
// direct buffer access and string resources.
#include "afxwin.h"
#include "classlib_test_ids.h"
#include <cstdio>
#include <gtest/gtest.h>
#include <string>

namespace {

std::string Bytes(const CString& s)
{
    return std::string((LPCSTR)s, s.GetLength());
}

} // namespace

TEST(CStringTest, HoldsOnlyTheTextPointer)
{
    EXPECT_EQ(sizeof(CString), sizeof(char*));
    CString s("abc");
    EXPECT_EQ(*reinterpret_cast<char* const*>(&s), (LPCSTR)s);
}

TEST(CStringTest, FormatGivesExactCodePage932Bytes)
{
    CString s;
    s.Format("%04d|%02X|%s", 7, 0xAB, "表示ﾌｨﾙﾀ");
    const unsigned char expected[] = {0x30, 0x30, 0x30, 0x37, 0x7C, 0x41, 0x42, 0x7C,
                                      0x95, 0x5C, 0x8E, 0xA6, 0xCC, 0xA8, 0xD9, 0xC0};
    ASSERT_EQ(s.GetLength(), (int)sizeof(expected));
    EXPECT_EQ(memcmp((LPCSTR)s, expected, sizeof(expected)), 0);
}

TEST(CStringTest, FormatConventions)
{
    CString name("ポート");
    CString s;
    s.Format("%d %u %s %02d %03d %08X", -5, 4000000000u, (LPCTSTR)name, 3, 45, 0x1234ABCDu);
    EXPECT_EQ(s, "-5 4000000000 ポート 03 045 1234ABCD");
    // Longer than any first guess of a buffer.
    CString big(static_cast<char>('x'), 5000);
    s.Format("[%s]", (LPCTSTR)big);
    EXPECT_EQ(s.GetLength(), 5002);
    s.AppendFormat("%d", 12);
    EXPECT_EQ(s.Right(4), "x]12");
    // A CString given as it is goes as its text.
    s.Format("%s|%d|%s", name, 5, CString("表示"));
    EXPECT_EQ(s, "ポート|5|表示");
    s.FormatMessage("%2 %1!d!", 7, name);
    EXPECT_EQ(s, "ポート 7");
    // Formatting a string into itself.
    s = "ab";
    s.Format("%s%s", (LPCTSTR)s, (LPCTSTR)s);
    EXPECT_EQ(s, "abab");
}

TEST(CStringTest, FindSkipsTrailBytes)
{
    CString s("ソ\\");
    ASSERT_EQ(s.GetLength(), 3);
    EXPECT_EQ((BYTE)s[1], 0x5C);
    EXPECT_EQ(s.Find("\\"), 2);
    EXPECT_EQ(s.Find('\\'), 2);
    EXPECT_EQ(s.ReverseFind('\\'), 2);
    EXPECT_EQ(CString("表示").Find('\\'), -1);
    EXPECT_EQ(CString("ソ").ReverseFind('\\'), -1);
    EXPECT_EQ(CString("a表\\b\\").Find('\\', 4), 5);
    EXPECT_EQ(CString("x表示y").Find("示"), 3);
    EXPECT_EQ(CString("ソ\\a").FindOneOf("\\a"), 2);
    // "ー" is 81 5B and "ｰ" is B0: a search for the byte 5B must not stop inside "ー".
    EXPECT_EQ(CString("ー[").Find('['), 2);
}

TEST(CStringTest, EditingKeepsDoubleByteCharacters)
{
    CString s("ソ\\表\\");
    EXPECT_EQ(s.Remove('\\'), 2);
    EXPECT_EQ(Bytes(s), "ソ表");

    s = "ソ\\";
    s.TrimRight('\\');
    EXPECT_EQ(Bytes(s), "ソ");
    s.TrimRight('\\');
    EXPECT_EQ(Bytes(s), "ソ");

    s = "ソソ";
    EXPECT_EQ(s.Replace('\\', '/'), 0);
    EXPECT_EQ(s.Replace("\\", "/"), 0);
    EXPECT_EQ(Bytes(s), "ソソ");
    s = "a\\bソ\\";
    EXPECT_EQ(s.Replace("\\", "\\\\"), 2);
    EXPECT_EQ(Bytes(s), "a\\\\bソ\\\\");

    // "ア" is 83 41, "ヂ" is 83 61: case mapping must leave the trail byte alone.
    s = "アaBヂ";
    s.MakeUpper();
    EXPECT_EQ(Bytes(s), "アABヂ");
    s.MakeLower();
    EXPECT_EQ(Bytes(s), "アabヂ");
    EXPECT_NE(CString("ア").CompareNoCase("ヂ"), 0);
    EXPECT_EQ(CString("AbCア").CompareNoCase("aBcア"), 0);

    s = "表a示";
    s.MakeReverse();
    EXPECT_EQ(Bytes(s), "示a表");

    s = "  ﾃｽﾄ\t\r\n";
    s.TrimLeft();
    s.TrimRight();
    EXPECT_EQ(Bytes(s), "ﾃｽﾄ");

    EXPECT_EQ(CString("表示abc").SpanExcluding("ab"), "表示");
    EXPECT_EQ(CString("表表x").SpanIncluding("表"), "表表");
}

TEST(CStringTest, SubstringsClampToTheText)
{
    CString s("abcdef");
    EXPECT_EQ(s.Left(2), "ab");
    EXPECT_EQ(s.Left(99), "abcdef");
    EXPECT_EQ(s.Left(-1), "");
    EXPECT_EQ(s.Right(2), "ef");
    EXPECT_EQ(s.Right(99), "abcdef");
    EXPECT_EQ(s.Mid(2), "cdef");
    EXPECT_EQ(s.Mid(2, 2), "cd");
    EXPECT_EQ(s.Mid(5, 10), "f");
    EXPECT_EQ(s.Mid(10), "");
    EXPECT_EQ(s.Mid(-3, 2), "ab");
}

TEST(CStringTest, InsertDeleteTokenize)
{
    CString s("ace");
    EXPECT_EQ(s.Insert(1, 'b'), 4);
    EXPECT_EQ(s.Insert(3, "d"), 5);
    EXPECT_EQ(s.Insert(99, "!"), 6);
    EXPECT_EQ(s, "abcde!");
    EXPECT_EQ(s.Delete(1, 2), 4);
    EXPECT_EQ(s, "ade!");
    EXPECT_EQ(s.Delete(3, 10), 3);
    EXPECT_EQ(s, "ade");

    CString list(",9600,,8,表示,");
    CStringArray tokens;
    int pos = 0;
    for (CString t = list.Tokenize(",", pos); pos >= 0; t = list.Tokenize(",", pos))
        tokens.Add(t);
    ASSERT_EQ(tokens.GetSize(), 3);
    EXPECT_EQ(tokens[0], "9600");
    EXPECT_EQ(tokens[1], "8");
    EXPECT_EQ(tokens[2], "表示");
}

TEST(CStringTest, ConcatenationAndComparison)
{
    CString a("ab");
    CString b = a + "cd" + 'e' + CString("f");
    EXPECT_EQ(b, "abcdef");
    EXPECT_EQ("x" + a, "xab");
    b += b;
    EXPECT_EQ(b, "abcdefabcdef");
    // Appending a string's own text to itself while the buffer grows.
    CString c("0123456789");
    for (int i = 0; i < 5; i++)
        c += (LPCSTR)c;
    EXPECT_EQ(c.GetLength(), 320);
    EXPECT_EQ(c.Right(10), "0123456789");

    EXPECT_TRUE(CString("abc") < CString("abd"));
    EXPECT_TRUE("abc" == CString("abc"));
    EXPECT_TRUE(CString("b") > "a");
    EXPECT_EQ(CString("a").Compare("b"), -1);
    EXPECT_EQ(CString("b").Compare("a"), 1);
    // Bytes above 0x7F sort after ASCII.
    EXPECT_LT(CString("z").Compare("表"), 0);

    CString empty;
    EXPECT_TRUE(empty.IsEmpty());
    EXPECT_EQ(empty.GetLength(), 0);
    EXPECT_STREQ((LPCSTR)empty, "");
    CString nullText((LPCSTR)NULL);
    EXPECT_TRUE(nullText.IsEmpty());
    a.Empty();
    EXPECT_TRUE(a.IsEmpty());
}

TEST(CStringTest, GetBufferAndReleaseBuffer)
{
    CString s;
    LPSTR p = s.GetBuffer(300);
    strcpy(p, "表示");
    s.ReleaseBuffer();
    EXPECT_EQ(s.GetLength(), 4);
    EXPECT_EQ(s, "表示");

    p = s.GetBuffer(10);
    memcpy(p, "abcdef", 6);
    s.ReleaseBuffer(3);
    EXPECT_EQ(s, "abc");

    p = s.GetBufferSetLength(5);
    memcpy(p, "vwxyz", 5);
    EXPECT_EQ(s.GetLength(), 5);
    EXPECT_EQ(s, "vwxyz");

    char buffer[64];
    DWORD n = GetCurrentDirectoryA(sizeof(buffer), buffer);
    CString dir;
    GetCurrentDirectoryA(MAX_PATH, dir.GetBuffer(MAX_PATH));
    dir.ReleaseBuffer();
    if (n < sizeof(buffer)) {
        EXPECT_EQ(dir, buffer);
    }

    // A copy made while a buffer is open is its own string.
    CString original("keep");
    CString copy = original;
    copy.GetBuffer(0)[0] = 'K';
    copy.ReleaseBuffer();
    EXPECT_EQ(original, "keep");
    EXPECT_EQ(copy, "Keep");
}

TEST(CStringTest, LoadStringFromResources)
{
    CString s;
    ASSERT_TRUE(s.LoadString(IDS_TEST_JAPANESE));
    EXPECT_EQ(Bytes(s), "\x95\x5C\x8E\xA6\xCC\xA8\xD9\xC0");
    CString fromId((LPCSTR)MAKEINTRESOURCE(IDS_TEST_PROMPT));
    EXPECT_EQ(Bytes(fromId), "ポートを開けません");
    EXPECT_FALSE(s.LoadString(9999));
    EXPECT_TRUE(s.IsEmpty());
    s.Format(IDS_TEST_FORMAT, "n", 3);
    EXPECT_EQ(s, "n=3");
}

TEST(CStringTest, WideConversionUsesCodePage932)
{
    CString s(L"表示\x30BD");
    EXPECT_EQ(Bytes(s), "表示ソ");
    BSTR b = s.AllocSysString();
    EXPECT_EQ(SysStringLen(b), 3u);
    EXPECT_EQ(b[2], 0x30BD);
    SysFreeString(b);
}
