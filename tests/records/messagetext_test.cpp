// Message and socket error texts. Expected bytes are written as hex, not as literals: a literal
// would pass through the same compiler conversion as the table and prove nothing about it.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "messagetext.h"

namespace {

// "83 56 ..." of a string's bytes, for readable comparisons.
std::string HexOf(const CString& text)
{
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    LPCTSTR p = text;
    for (int i = 0; i < text.GetLength(); ++i) {
        const unsigned char b = static_cast<unsigned char>(p[i]);
        if (!out.empty())
            out += ' ';
        out += digits[b >> 4];
        out += digits[b & 15];
    }
    return out;
}

bool IsPlainAscii(const CString& text)
{
    LPCTSTR p = text;
    for (int i = 0; i < text.GetLength(); ++i)
        if (static_cast<unsigned char>(p[i]) < 0x20 || static_cast<unsigned char>(p[i]) > 0x7E)
            return false;
    return true;
}

bool HasDoubleByteCharacter(const CString& text)
{
    LPCTSTR p = text;
    for (int i = 0; i < text.GetLength(); ++i)
        if (IsDBCSLeadByte(static_cast<BYTE>(p[i])))
            return true;
    return false;
}

}  // namespace

TEST(MessageText, ExactlyTheTableCodesHaveRows)
{
    std::map<int, int> perGroup;  // thousands → rows
    int rows = 0;
    for (int code = -1; code <= 99999; ++code) {
        if (!GetMessageText(code).IsEmpty()) {
            ++rows;
            ++perGroup[code / 1000];
        }
    }
    EXPECT_EQ(180, rows);
    EXPECT_EQ((std::map<int, int>{{10, 40}, {11, 13}, {12, 5}, {13, 76}, {20, 36}, {30, 10}}),
              perGroup);

    EXPECT_TRUE(GetMessageText(0).IsEmpty());
    EXPECT_TRUE(GetMessageText(10009).IsEmpty());
    EXPECT_TRUE(GetMessageText(12004).IsEmpty());
    EXPECT_STREQ("Socket Option (IP_MULTICAST_LOOP) OK", GetMessageText(30009));
}

TEST(MessageText, SerialAndScriptTextsAreExactCodePage932Bytes)
{
    // "シリアル処理開始"
    EXPECT_EQ("83 56 83 8A 83 41 83 8B 8F 88 97 9D 8A 4A 8E 6E", HexOf(GetMessageText(20001)));
    // Half-width "ｽｸﾘﾌﾟﾄ" with the doubled closing parenthesis kept.
    EXPECT_EQ("BD B8 D8 CC DF C4 8E C0 8D 73 B4 D7 B0 20 28 4F 6E 54 69 6D 65 72 29 29",
              HexOf(GetMessageText(13085)));
    EXPECT_EQ("BD B8 D8 CC DF C4 8E C0 8D 73 B4 D7 B0 20 28 4F 6E 52 65 63 65 69 76 65 29 29",
              HexOf(GetMessageText(13086)));
    EXPECT_EQ("BD B8 D8 CC DF C4 20 8F EE 95 F1", HexOf(GetMessageText(10039)));
    EXPECT_EQ("D2 AF BE B0 BC DE", HexOf(GetMessageText(13100)));
    EXPECT_EQ("B7 AC CC DF C1 AC 90 DD 92 E8", HexOf(GetMessageText(12007)));
    EXPECT_STREQ("Mirtolex Mesasge", GetMessageText(13061));
}

TEST(MessageText, TrailByte5CIsKeptInTexts)
{
    EXPECT_EQ("95 5C 8E A6 CC A8 D9 C0", HexOf(GetMessageText(12009)));
    EXPECT_EQ("92 CA 90 4D 83 8D 83 4F 82 CC 93 E0 95 94 95 DB 91 B6 83 6F 83 62 83 74 83 40 "
              "82 CC 83 54 83 43 83 59 82 F0 8E 77 92 E8 82 B5 82 DC 82 B7 81 42 0D 0A 91 E5 "
              "82 AB 82 B7 82 AC 82 E9 82 C6 83 56 83 58 83 65 83 80 82 CC 93 AE 8D EC 82 AA "
              "92 78 82 AD 82 C8 82 E9 89 C2 94 5C 90 AB 82 AA 82 A0 82 E8 82 DC 82 B7 81 42",
              HexOf(GetMessageText(13001)));
    EXPECT_EQ("95 5C 8E A6 92 86 82 CC 83 8D 83 4F 82 F0 8D ED 8F 9C 82 B5 82 DC 82 B7 81 42 "
              "0A 82 E6 82 EB 82 B5 82 A2 82 C5 82 B7 82 A9 81 48",
              HexOf(GetMessageText(13015)));
    EXPECT_EQ("83 5C 83 50 83 62 83 67 82 CC 8F 89 8A FA 89 BB 82 C9 8E B8 94 73 82 B5 82 DC "
              "82 B5 82 BD 81 42",
              HexOf(GetMessageText(13019)));
    EXPECT_EQ("43 4F 4D 83 7C 81 5B 83 67 82 CC 83 66 83 74 83 48 83 8B 83 67 90 DD 92 E8 82 "
              "F0 8E E6 93 BE 82 B5 82 C4 95 5C 8E A6 82 B5 82 DC 82 B7 81 42",
              HexOf(GetMessageText(13041)));
    EXPECT_EQ("92 CA 90 4D 83 8D 83 4F 82 F0 83 8A 83 41 83 8B 83 5E 83 43 83 80 82 C9 83 74 "
              "83 40 83 43 83 8B 95 DB 91 B6 82 B5 82 DC 82 B7 81 42 0D 0A 83 74 83 40 83 43 "
              "83 8B 82 CD 8E 9E 92 50 88 CA 82 C5 8D 58 90 56 82 B3 82 EA 82 DC 82 B7 81 42 "
              "0D 0A 83 74 83 40 83 43 83 8B 93 AA 95 B6 8E 9A 82 CC 8C E3 82 C9 59 59 59 59 "
              "4D 4D 44 44 48 48 2E 6D 71 74 28 93 FA 95 74 82 C6 8E 9E 8A D4 95 5C 8C BB 2B "
              "8A 67 92 A3 8E 71 29 82 AA 92 C7 89 C1 82 B3 82 EA 82 DC 82 B7 81 42 0A",
              HexOf(GetMessageText(13071)));
}

TEST(MessageText, HeaderAndReportTemplatesKeepTheirLineEnds)
{
    EXPECT_EQ("4E 6F 2C 8F 88 97 9D 83 7C 81 5B 83 67 2C 83 54 83 75 83 7C 81 5B 83 67 2C 93 "
              "FA 95 74 2C 8E 9E 8D 8F 2C 83 7E 83 8A 95 62 2C 83 5E 83 43 83 76 2C 93 E0 97 "
              "65 2C 93 E0 97 65 32 2C 83 6F 83 43 83 67 90 94 2C 83 5F 83 93 83 76 31 28 31 "
              "36 90 69 29 2C 83 5F 83 93 83 76 32 28 41 53 43 49 49 29 2C 49 50 2C 50 4F 52 "
              "54 2C 0D 0A",
              HexOf(GetMessageText(13064)));
    EXPECT_STREQ("No.,Time,Source,Destination,Protocol,Size,Info,S Port,D Port\r\n",
                 GetMessageText(13103));
    EXPECT_EQ("23 23 23 23 23 23 23 23 23 23 23 23 23 23 23 23 23 23 23 23 23 23 23 23 23 23 "
              "23 23 23 23 23 20 4E 6F 2E 25 64 20 23 23 23 23 23 23 23 23 23 23 23 23 23 23 "
              "23 23 23 23 23 23 23 23 23 23 23 23 23 23 23 23 23 0D 0A 54 49 4D 45 20 25 73 "
              "0D 0A 91 97 90 4D 8C B3 20 25 73 28 25 73 29 0D 0A 91 97 90 4D 90 E6 20 25 73 "
              "28 25 73 29 0D 0A BB B2 BD DE 20 25 73 20 CA DE B2 C4 0D 0A CC DF DB C4 BA D9 "
              "20 25 73 0D 0A 8F EE 95 F1 20 25 73 0D 0A",
              HexOf(GetMessageText(13104)));
}

TEST(MessageText, EachCallReturnsAFreshString)
{
    CString first = GetMessageText(13061);
    first.SetAt(0, 'X');
    first += "!";
    EXPECT_STREQ("Mirtolex Mesasge", GetMessageText(13061));
}

TEST(WinsockErrorText, NamesDescriptionsAndExplanations)
{
    EXPECT_STREQ("WSAECONNRESET", WinsockErrorText(3, 10054));
    EXPECT_STREQ("Connection reset by peer", WinsockErrorText(0, 10054));
    EXPECT_STREQ("Connection refused", WinsockErrorText(0, 10061));
    EXPECT_STREQ("WSAECONNREFUSED", WinsockErrorText(3, 10061));
    // "接続が拒否された。"
    EXPECT_EQ("90 DA 91 B1 82 AA 8B 91 94 DB 82 B3 82 EA 82 BD 81 42",
              HexOf(WinsockErrorText(1, 10061)));
    EXPECT_STREQ("WSAHOST_NOT_FOUND", WinsockErrorText(3, 11001));
    EXPECT_STREQ("Valid name, no data record of requested type", WinsockErrorText(0, 11004));

    EXPECT_STREQ("", WinsockErrorText(0, 12345));
    EXPECT_STREQ("", WinsockErrorText(3, 0));
    EXPECT_STREQ("", WinsockErrorText(2, 10054));  // no part 2
    EXPECT_STREQ("", WinsockErrorText(-1, 10054));
}

TEST(WinsockErrorText, EveryRowIsComplete)
{
    int rows = 0;
    for (int code = 10000; code < 12000; ++code) {
        const CString name = WinsockErrorText(3, code);
        if (name.IsEmpty()) {
            EXPECT_TRUE(WinsockErrorText(0, code).IsEmpty()) << code;
            EXPECT_TRUE(WinsockErrorText(1, code).IsEmpty()) << code;
            continue;
        }
        ++rows;
        EXPECT_EQ(0, name.Find("WSA")) << code;
        const CString description = WinsockErrorText(0, code);
        const CString explanation = WinsockErrorText(1, code);
        if (code >= 11005 && code <= 11015) {
            // The quality-of-service numbers answer every part with their name.
            EXPECT_STREQ(name, description) << code;
            EXPECT_STREQ(name, explanation) << code;
        } else {
            EXPECT_FALSE(description.IsEmpty()) << code;
            EXPECT_TRUE(IsPlainAscii(description)) << code;
            EXPECT_NE(0, description.Compare(name)) << code;
            EXPECT_TRUE(HasDoubleByteCharacter(explanation)) << code;
        }
    }
    EXPECT_EQ(73, rows);
}
