// Character decodings: pair conversions, buffer to text and back, input-method characters and
// the cells of the character column.
#include <gtest/gtest.h>

#include "hex_test_support.h"
#include "hexcodec.h"

namespace {

Bytes Pair(BYTE a, BYTE b, void (*convert)(BYTE&, BYTE&))
{
    convert(a, b);
    return B({a, b});
}

bool ToText(const Bytes& data, int mode, Bytes& text, UINT& failIndex)
{
    std::string s;
    failIndex = 0xFFFFFFFF;
    const bool ok = HexDataToText(data.data(), static_cast<UINT>(data.size()), mode, s, &failIndex);
    text = B(s);
    return ok;
}

std::vector<HexCharCell> Cells(const Bytes& data, int mode, UINT first, UINT count)
{
    std::vector<HexCharCell> cells;
    DecodeDisplayCells(data.data(), static_cast<UINT>(data.size()), mode, first, count, cells);
    return cells;
}

const int kAllModes[] = {CHARCODE_ASCII, CHARCODE_SJIS, CHARCODE_JIS, CHARCODE_EUC, CHARCODE_UTF8};

}  // namespace

TEST(HexCodec, PairConversionsOfHiraganaAndKatakanaA)
{
    EXPECT_EQ(B({0x82, 0xA0}), Pair(0xA4, 0xA2, EucToSjisPair));
    EXPECT_EQ(B({0xA4, 0xA2}), Pair(0x82, 0xA0, SjisToEucPair));
    EXPECT_EQ(B({0x82, 0xA0}), Pair(0x24, 0x22, JisToSjisPair));
    EXPECT_EQ(B({0x25, 0x22}), Pair(0x83, 0x41, SjisToJisPair));
}

TEST(HexCodec, PairConversionsRoundTripOverEveryJisX0208Cell)
{
    // Every Shift-JIS pair of the 94 x 94 JIS X 0208 square comes back unchanged from JIS and
    // from EUC-JP, and lands inside the target code's square.
    int checked = 0;
    for (int row = 0; row < 94; ++row) {
        for (int cell = 0; cell < 94; ++cell) {
            BYTE jisFirst = static_cast<BYTE>(0x21 + row), jisSecond = static_cast<BYTE>(0x21 + cell);
            BYTE lead = jisFirst, trail = jisSecond;
            JisToSjisPair(lead, trail);
            ASSERT_EQ(2, SjisByteClass(lead)) << row << "," << cell;
            BYTE a = lead, b = trail;
            SjisToJisPair(a, b);
            ASSERT_EQ(jisFirst, a);
            ASSERT_EQ(jisSecond, b);
            a = lead;
            b = trail;
            SjisToEucPair(a, b);
            ASSERT_EQ(jisFirst | 0x80, a);
            ASSERT_EQ(jisSecond | 0x80, b);
            EucToSjisPair(a, b);
            ASSERT_EQ(lead, a);
            ASSERT_EQ(trail, b);
            ++checked;
        }
    }
    EXPECT_EQ(94 * 94, checked);
}

TEST(HexCodec, HalfWidthKatakanaBecomeFullWidthJisPairs)
{
    BYTE pair[2];
    HalfWidthKanaToFullWidth(pair, 0xB1);  // ｱ -> ア
    EXPECT_EQ(B({0x25, 0x22}), B({pair[0], pair[1]}));
    HalfWidthKanaToFullWidth(pair, 0xA1);  // ｡ -> 。
    EXPECT_EQ(B({0x21, 0x23}), B({pair[0], pair[1]}));
    HalfWidthKanaToFullWidth(pair, 0xDE);  // ﾞ -> ゛
    EXPECT_EQ(B({0x21, 0x2B}), B({pair[0], pair[1]}));
    HalfWidthKanaToFullWidth(pair, 0xDD);  // ﾝ -> ン
    EXPECT_EQ(B({0x25, 0x73}), B({pair[0], pair[1]}));
    HalfWidthKanaToFullWidth(pair, 0x41);
    EXPECT_EQ(B(".."), B({pair[0], pair[1]}));
}

TEST(HexCodec, DataToTextDecodesEveryMode)
{
    Bytes text;
    UINT at;
    ASSERT_TRUE(ToText(B({0x1B, 0x24, 0x42, 0x24, 0x22, 0x1B, 0x28, 0x42}), CHARCODE_JIS, text, at));
    EXPECT_EQ(B({0x82, 0xA0}), text);
    ASSERT_TRUE(ToText(B({0xE3, 0x81, 0x82}), CHARCODE_UTF8, text, at));
    EXPECT_EQ(B({0x82, 0xA0}), text);
    ASSERT_TRUE(ToText(B({'a', 0xA4, 0xA2, 0x8E, 0xB1, '\r', '\n'}), CHARCODE_EUC, text, at));
    EXPECT_EQ(B({'a', 0x82, 0xA0, 0xB1, '\r', '\n'}), text);
    ASSERT_TRUE(ToText(B({'x', '\t', 0x82, 0xA0, 0xB1, '\r', '\n'}), CHARCODE_SJIS, text, at));
    EXPECT_EQ(B({'x', '\t', 0x82, 0xA0, 0xB1, '\r', '\n'}), text);
}

TEST(HexCodec, DataToTextFailsAtTheOffendingByte)
{
    Bytes text;
    UINT at;
    const Bytes loneCr = B({'A', 'B', 'C', 'D', 'E', 0x0D, 'F', 'G'});
    for (int mode : kAllModes) {
        EXPECT_FALSE(ToText(loneCr, mode, text, at)) << mode;
        EXPECT_EQ(5u, at) << mode;
    }
    EXPECT_FALSE(ToText(B({'a', 'b', 0x0D}), CHARCODE_ASCII, text, at));
    EXPECT_EQ(2u, at);
    EXPECT_FALSE(ToText(B({'a', 0x82}), CHARCODE_SJIS, text, at));  // lead byte at the end
    EXPECT_EQ(1u, at);
    EXPECT_FALSE(ToText(B({'a', 0xB1}), CHARCODE_ASCII, text, at));
    EXPECT_EQ(1u, at);

    EXPECT_FALSE(ToText(B({0xC3, 0x28}), CHARCODE_UTF8, text, at));
    EXPECT_EQ(0u, at);
    EXPECT_FALSE(ToText(B({'o', 'k', 0x81, 'x'}), CHARCODE_UTF8, text, at));  // stray continuation
    EXPECT_EQ(2u, at);
    EXPECT_FALSE(ToText(B({'a', 0xE3, 0x81}), CHARCODE_UTF8, text, at));  // runs past the end
    EXPECT_EQ(1u, at);
}

TEST(HexCodec, Utf8TextConversionFailsInsteadOfLosingCharacters)
{
    Bytes text;
    UINT at;
    // e with acute accent and an emoji decode, but code page 932 has no form for them.
    EXPECT_FALSE(ToText(B({'a', 'b', 0xC3, 0xA9}), CHARCODE_UTF8, text, at));
    EXPECT_EQ(2u, at);
    EXPECT_FALSE(ToText(B({'a', 0xF0, 0x9F, 0x98, 0x80}), CHARCODE_UTF8, text, at));
    EXPECT_EQ(1u, at);
    // The yen sign has only a best-fit form (0x5C, the backslash).
    EXPECT_FALSE(ToText(B({0xC2, 0xA5}), CHARCODE_UTF8, text, at));
    EXPECT_EQ(0u, at);
    // Sequences that do not decode: an overlong form, a bad continuation, a 5-byte form.
    EXPECT_FALSE(ToText(B({'z', 0xC0, 0x80}), CHARCODE_UTF8, text, at));
    EXPECT_EQ(1u, at);
    EXPECT_FALSE(ToText(B({0xE3, 0x41, 0x42}), CHARCODE_UTF8, text, at));
    EXPECT_EQ(0u, at);
    EXPECT_FALSE(ToText(B({0xF8, 0x88, 0x80, 0x80, 0x80}), CHARCODE_UTF8, text, at));
    EXPECT_EQ(0u, at);
    // Half-width katakana have an exact form.
    ASSERT_TRUE(ToText(B({0xEF, 0xBD, 0xB1}), CHARCODE_UTF8, text, at));
    EXPECT_EQ(B({0xB1}), text);
}

TEST(HexCodec, TextToDataEncodesEveryMode)
{
    EXPECT_EQ(B({0x61, 0x0A, 0x62}), HexTextToData("a\r\nb", CHARCODE_ASCII, "\n"));
    EXPECT_EQ(B({0x61, 0x0D, 0x0A, 0x62}), HexTextToData("a\r\nb", CHARCODE_SJIS, "\r\n"));
    EXPECT_EQ(B({0x1B, 0x24, 0x42, 0x25, 0x22}), HexTextToData("\xB1", CHARCODE_JIS, "\r\n"));
    // A kanji run is closed before ASCII and before a line end, not at the end of the text.
    EXPECT_EQ(B({0x1B, 0x24, 0x42, 0x24, 0x22, 0x1B, 0x28, 0x42, 'a', 0x1B, 0x24, 0x42, 0x24, 0x22, 0x1B, 0x28,
                 0x42, '\n', 0x1B, 0x24, 0x42, 0x24, 0x22}),
              HexTextToData("\x82\xA0" "a\x82\xA0\r\n\x82\xA0", CHARCODE_JIS, "\n"));
    EXPECT_EQ(B({0xA4, 0xA2, 0x8E, 0xB1, 'x'}), HexTextToData("\x82\xA0\xB1x", CHARCODE_EUC, "\n"));
    EXPECT_EQ(B({0xE3, 0x81, 0x82, 0xEF, 0xBD, 0xB1, 'x'}), HexTextToData("\x82\xA0\xB1x", CHARCODE_UTF8, "\n"));
    // A lead byte at the very end is copied alone.
    EXPECT_EQ(B({'a', 0x82}), HexTextToData("a\x82", CHARCODE_SJIS, "\n"));
}

TEST(HexCodec, TextRoundTripsThroughEveryMode)
{
    const char* text = "Korvane \x82\xA0\x83\x41\xB1\xDE\r\n\x95\x5C\x8E\xA6\tend";
    for (int mode : {CHARCODE_SJIS, CHARCODE_JIS, CHARCODE_EUC, CHARCODE_UTF8}) {
        const Bytes data = HexTextToData(text, mode, "\r\n");
        Bytes back;
        UINT at;
        ASSERT_TRUE(ToText(data, mode, back, at)) << mode << " failed at " << at;
        if (mode == CHARCODE_JIS) {
            // Half-width katakana travel as their full-width forms in JIS.
            EXPECT_EQ(B("Korvane \x82\xA0\x83\x41\x83\x41\x81\x4A\r\n\x95\x5C\x8E\xA6\tend"), back);
        } else {
            EXPECT_EQ(B(text), back) << mode;
        }
    }
}

TEST(HexCodec, InputMethodCharactersAreStoredByMode)
{
    EXPECT_EQ(B({0x82, 0xA0}), ImeCharToBytes(0x82A0, CHARCODE_SJIS));
    EXPECT_EQ(B({0xA4, 0xA2}), ImeCharToBytes(0x82A0, CHARCODE_EUC));
    EXPECT_EQ(B({0x24, 0x22}), ImeCharToBytes(0x82A0, CHARCODE_JIS));
    EXPECT_EQ(B({0xE3, 0x81, 0x82}), ImeCharToBytes(0x82A0, CHARCODE_UTF8));
    EXPECT_EQ(B({0x8E, 0xB1}), ImeCharToBytes(0xB1, CHARCODE_EUC));
    EXPECT_EQ(B({0xEF, 0xBD, 0xB1}), ImeCharToBytes(0xB1, CHARCODE_UTF8));
    EXPECT_EQ(B({'a'}), ImeCharToBytes('a', CHARCODE_UTF8));
    EXPECT_TRUE(ImeCharToBytes('a', CHARCODE_JIS).empty());
}

TEST(HexCodecCells, TwoByteCharactersSpanTwoCells)
{
    std::vector<HexCharCell> cells = Cells(B({0xA4, 0xA2, 'z'}), CHARCODE_EUC, 0, 4);
    EXPECT_EQ(1, cells[0].nHalf);
    EXPECT_EQ("\x82\xA0", cells[0].text);
    EXPECT_EQ(2, cells[1].nHalf);
    EXPECT_EQ("\x82\xA0", cells[1].text);
    EXPECT_EQ("z", cells[2].text);
    EXPECT_EQ("", cells[3].text);  // past the data end

    cells = Cells(B({0xE3, 0x81, 0x82, 'q'}), CHARCODE_UTF8, 0, 4);
    EXPECT_EQ(1, cells[0].nHalf);
    EXPECT_EQ("\x82\xA0", cells[0].text);
    EXPECT_EQ(2, cells[1].nHalf);
    EXPECT_EQ("", cells[2].text);
    EXPECT_EQ("q", cells[3].text);

    cells = Cells(B({0x8E, 0xB1}), CHARCODE_EUC, 0, 2);
    EXPECT_EQ("\xB1 ", cells[0].text);
    EXPECT_EQ(2, cells[1].nHalf);

    cells = Cells(B({'a', 0x01, 0x7F, 0x82}), CHARCODE_SJIS, 0, 4);
    EXPECT_EQ("a", cells[0].text);
    EXPECT_EQ(".", cells[1].text);
    EXPECT_EQ(".", cells[2].text);
    EXPECT_EQ(".", cells[3].text);  // a lead byte without its trail byte
}

TEST(HexCodecCells, JisEscapesStayVisible)
{
    const std::vector<HexCharCell> cells =
        Cells(B({0x1B, 0x24, 0x42, 0x24, 0x22, 0x1B, 0x28, 0x42}), CHARCODE_JIS, 0, 8);
    EXPECT_EQ(".", cells[0].text);
    EXPECT_EQ("$", cells[1].text);
    EXPECT_EQ("B", cells[2].text);
    EXPECT_EQ(1, cells[3].nHalf);
    EXPECT_EQ("\x82\xA0", cells[3].text);
    EXPECT_EQ(2, cells[4].nHalf);
    EXPECT_EQ(".", cells[5].text);
    EXPECT_EQ("(", cells[6].text);
    EXPECT_EQ("B", cells[7].text);
}

TEST(HexCodecCells, CharactersCutByTheFirstVisibleRowContinueThere)
{
    // Shift-JIS: the pair 82 A0 at bytes 15-16, after a run of lead-class bytes.
    Bytes data(13, 'a');
    Bytes tail = B({0x88, 0x9F, 0x82, 0xA0, 'b'});
    data.insert(data.end(), tail.begin(), tail.end());
    std::vector<HexCharCell> cells = Cells(data, CHARCODE_SJIS, 16, 16);
    EXPECT_EQ(2, cells[0].nHalf);
    EXPECT_EQ("\x82\xA0", cells[0].text);
    EXPECT_EQ("b", cells[1].text);

    // EUC-JP: a half-width kana whose single shift ends the previous row.
    data.assign(15, 'a');
    tail = B({0x8E, 0xB1, 'c'});
    data.insert(data.end(), tail.begin(), tail.end());
    cells = Cells(data, CHARCODE_EUC, 16, 16);
    EXPECT_EQ(2, cells[0].nHalf);
    EXPECT_EQ("\xB1 ", cells[0].text);
    EXPECT_EQ("c", cells[1].text);

    // JIS: the kanji state and the pair parity come from the escape sequence before the row.
    data = B({'x', 0x1B, 0x24, 0x42});
    for (int i = 0; i < 6; ++i) {
        data.push_back(0x24);
        data.push_back(0x22);
    }
    data.push_back(0x24);  // pair at bytes 16-17
    data.push_back(0x22);
    cells = Cells(data, CHARCODE_JIS, 16, 16);
    EXPECT_EQ(1, cells[0].nHalf);
    cells = Cells(data, CHARCODE_JIS, 17, 15);
    EXPECT_EQ(2, cells[0].nHalf);
    EXPECT_EQ("\x82\xA0", cells[0].text);

    // UTF-8: a three-byte character at bytes 15-17.
    data.assign(15, 'a');
    tail = B({0xE3, 0x81, 0x82, 'd'});
    data.insert(data.end(), tail.begin(), tail.end());
    cells = Cells(data, CHARCODE_UTF8, 16, 16);
    EXPECT_EQ(2, cells[0].nHalf);
    EXPECT_EQ("\x82\xA0", cells[0].text);
    EXPECT_EQ("", cells[1].text);
    EXPECT_EQ("d", cells[2].text);
}

TEST(HexCodecCells, ModelRowStartingOnASecondByteDrawsItsHalfInCellZero)
{
    HexEditModel model;
    model.m_nCharCode = CHARCODE_SJIS;
    Bytes data(31, 'a');
    data.push_back(0x82);
    data.push_back(0xA0);
    SetUpModel(model, data);
    std::vector<HexCharCell> cells;
    model.GetDisplayCells(32, 16, cells);
    EXPECT_EQ(2, cells[0].nHalf);
    EXPECT_EQ("\x82\xA0", cells[0].text);
    model.GetDisplayCells(16, 16, cells);
    EXPECT_EQ(1, cells[15].nHalf);
}
