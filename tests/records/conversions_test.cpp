// Shared conversions. The current-folder cases change the process's folder and put it back.
#include <gtest/gtest.h>

#include <string.h>

#include <string>
#include <vector>

#include "conversions.h"

TEST(ParseHexText, ReadsLeadingHexDigits)
{
    EXPECT_EQ(0x1Au, ParseHexText("1aG5"));
    EXPECT_EQ(0u, ParseHexText(""));
    EXPECT_EQ(0x23456789u, ParseHexText("123456789"));  // the ninth digit from the end falls off
    EXPECT_EQ(0xFFFFFFFFu, ParseHexText("FFFFFFFF"));
    EXPECT_EQ(0xABCDEFu, ParseHexText("aBcDeF"));
    EXPECT_EQ(0u, ParseHexText("G1"));
    EXPECT_EQ(0u, ParseHexText(" 1"));
    EXPECT_EQ(0x12u, ParseHexText("12 34"));
    EXPECT_EQ(0u, ParseHexText(nullptr));
}

TEST(LfToCrLf, PutsCrBeforeEveryLf)
{
    EXPECT_STREQ("a\r\r\nb", LfToCrLf("a\r\nb"));
    EXPECT_STREQ("plain text", LfToCrLf("plain text"));
    EXPECT_STREQ("", LfToCrLf(""));
    const CString onlyLf = LfToCrLf("\n\n\n");
    EXPECT_EQ(6, onlyLf.GetLength());
    EXPECT_STREQ("\r\n\r\n\r\n", onlyLf);
    // Double-byte characters (here with trail bytes 0x5C) pass through untouched.
    const unsigned char text[] = {0x95, 0x5C, 0x0A, 0x83, 0x5C, 0};
    const unsigned char expected[] = {0x95, 0x5C, 0x0D, 0x0A, 0x83, 0x5C};
    const CString converted = LfToCrLf(reinterpret_cast<const char*>(text));
    ASSERT_EQ(6, converted.GetLength());
    EXPECT_EQ(0, memcmp(expected, static_cast<LPCTSTR>(converted), 6));
}

TEST(FontPointSizeFromIndex, MapsTheFourSizes)
{
    EXPECT_EQ(12, FontPointSizeFromIndex(0));
    EXPECT_EQ(14, FontPointSizeFromIndex(1));
    EXPECT_EQ(16, FontPointSizeFromIndex(2));
    EXPECT_EQ(18, FontPointSizeFromIndex(3));
    EXPECT_EQ(12, FontPointSizeFromIndex(9));
    EXPECT_EQ(12, FontPointSizeFromIndex(-1));
}

TEST(SwapBytes, ReversesByteOrder)
{
    EXPECT_EQ(0x3412u, SwapBytes16(0x1234));
    EXPECT_EQ(0x78563412u, SwapBytes32(0x12345678u));
    EXPECT_EQ(0x0000803Fu, SwapBytes32(0x3F800000u));  // 1.0f
    EXPECT_EQ(0xEFCDAB8967452301ull, SwapBytes64(0x0123456789ABCDEFull));
    EXPECT_EQ(0x000000000000F03Full, SwapBytes64(0x3FF0000000000000ull));  // 1.0
}

namespace {

// Runs a test in a folder of its own and restores the process's current folder afterwards.
class CurrentDirTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(0u, GetCurrentDirectoryA(MAX_PATH, saved_));
        char temp[MAX_PATH];
        ASSERT_NE(0u, GetTempPathA(MAX_PATH, temp));
        base_ = std::string(temp) + "korvane_curdir_" + std::to_string(GetCurrentProcessId());
        ASSERT_TRUE(CreateDirectoryA(base_.c_str(), nullptr) ||
                    GetLastError() == ERROR_ALREADY_EXISTS);
    }
    void TearDown() override
    {
        SetCurrentDirectoryA(saved_);
        for (auto it = made_.rbegin(); it != made_.rend(); ++it)
            RemoveDirectoryA(it->c_str());
        RemoveDirectoryA(base_.c_str());
    }
    std::string MakeSub(const std::string& name)
    {
        std::string path = base_ + "\\" + name;
        if (CreateDirectoryA(path.c_str(), nullptr))
            made_.push_back(path);
        return path;
    }

    char saved_[MAX_PATH] = {};
    std::string base_;
    std::vector<std::string> made_;
};

}  // namespace

TEST_F(CurrentDirTest, PlainFolderIsReturnedAsItIs)
{
    ASSERT_TRUE(SetCurrentDirectoryA(base_.c_str()));
    char expected[MAX_PATH];
    const DWORD expectedLength = GetCurrentDirectoryA(MAX_PATH, expected);
    ASSERT_NE('\\', expected[expectedLength - 1]);

    char buffer[MAX_PATH];
    EXPECT_EQ(expectedLength, GetCurrentDirNoSlash(MAX_PATH, buffer));
    EXPECT_STREQ(expected, buffer);
}

TEST_F(CurrentDirTest, DriveRootLosesItsBackslash)
{
    ASSERT_TRUE(SetCurrentDirectoryA("C:\\"));
    char buffer[MAX_PATH];
    EXPECT_EQ(2u, GetCurrentDirNoSlash(MAX_PATH, buffer));
    EXPECT_STREQ("C:", buffer);
}

TEST_F(CurrentDirTest, TrailByte5CAtTheEndIsPartOfTheName)
{
    // "表" is 95 5C in code page 932: the last byte of the folder is 0x5C but no separator.
    const std::string path = MakeSub("\x95\x5C");
    if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
        // Wine stores a non-ASCII name only when the host has a matching glibc locale.
        GTEST_SKIP() << "the file system here cannot hold a folder named with a double-byte "
                        "character";
    }
    ASSERT_TRUE(SetCurrentDirectoryA(path.c_str()));
    char expected[MAX_PATH];
    const DWORD expectedLength = GetCurrentDirectoryA(MAX_PATH, expected);
    ASSERT_EQ(0x5C, static_cast<unsigned char>(expected[expectedLength - 1]));

    char buffer[MAX_PATH];
    EXPECT_EQ(expectedLength, GetCurrentDirNoSlash(MAX_PATH, buffer));
    EXPECT_STREQ(expected, buffer);
}

TEST_F(CurrentDirTest, FolderThatDoesNotFitGivesEmptyText)
{
    ASSERT_TRUE(SetCurrentDirectoryA(base_.c_str()));
    char buffer[8];
    memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(0u, GetCurrentDirNoSlash(sizeof buffer, buffer));
    EXPECT_STREQ("", buffer);
}
