// The text view of the data gives the bytes back: either the conversion to text fails (at the
// first byte that would not come back) or the text, as an edit field keeps it, turns into the
// very same bytes again. Random blocks per decoding, the IBM extension kanji of names, and
// the line-end choice.
#include <gtest/gtest.h>

#include <random>

#include "hex_test_support.h"
#include "hex_textview_support.h"
#include "hexcodec.h"

namespace {

using textview_test::Pieces;
using textview_test::RandomBlock;

// What an edit field hands back of a code page 932 text: through UTF-16 and back.
std::string ThroughEditField(const std::string& text)
{
    if (text.empty())
        return text;
    std::vector<WCHAR> wide(text.size() + 1);
    const int n = MultiByteToWideChar(932, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                                      static_cast<int>(wide.size()));
    std::vector<char> back(4 * text.size() + 4);
    const int m = WideCharToMultiByte(932, 0, wide.data(), n, back.data(), static_cast<int>(back.size()), NULL, NULL);
    return std::string(back.data(), m > 0 ? m : 0);
}

struct TextView {
    bool ok = false;
    UINT failIndex = 0;
    std::string text;
    bool closeKanji = false;
};

TextView View(const Bytes& data, int mode, LPCSTR newline = "\r\n")
{
    TextView view;
    view.failIndex = 0xFFFFFFFF;
    view.ok = HexDataToText(data.data(), static_cast<UINT>(data.size()), mode, view.text, &view.failIndex, newline,
                            &view.closeKanji);
    return view;
}

Bytes Back(const TextView& view, int mode, LPCSTR newline = "\r\n")
{
    return HexTextToData(ThroughEditField(view.text).c_str(), mode, newline, view.closeKanji);
}

std::string Hex(const Bytes& bytes)
{
    std::string s;
    char digits[4];
    for (BYTE b : bytes) {
        snprintf(digits, sizeof(digits), "%02X ", b);
        s += digits;
    }
    return s;
}

// Names with IBM extension kanji: 髙橋, 﨑, 德 (Shift-JIS FB FC 8B B4, FA B1, FA BA).
const char* const kNames[] = {"\xFB\xFC\x8B\xB4", "\xFA\xB1", "\xFA\xBA"};

const int kTextModes[] = {CHARCODE_SJIS, CHARCODE_JIS, CHARCODE_EUC, CHARCODE_UTF8};

// A well-formed ISO-2022-JP block: ASCII and kanji runs by turns, each kanji run closed.
Bytes WellFormedJisBlock(std::mt19937& random)
{
    Bytes block;
    const int runs = 1 + random() % 4;
    const int firstAscii = random() % 2;
    for (int r = 0; r < runs; ++r) {
        if ((r + firstAscii) % 2) {
            for (int n = 1 + random() % 4; n > 0; --n)
                block.push_back(static_cast<BYTE>('A' + random() % 26));
        } else {
            block.insert(block.end(), {0x1B, '$', 'B'});
            for (int n = 1 + random() % 4; n > 0; --n) {
                // Hiragana (row 4) and first-level kanji (rows 16 to 47).
                const bool kana = random() % 2 != 0;
                block.push_back(static_cast<BYTE>(kana ? 0x24 : 0x30 + random() % 0x10));
                block.push_back(static_cast<BYTE>(kana ? 0x21 + random() % 0x53 : 0x21 + random() % 0x5E));
            }
            block.insert(block.end(), {0x1B, '(', 'B'});
        }
    }
    return block;
}

}  // namespace

TEST(HexTextView, BytesThatWouldNotComeBackFailAtTheirFirstByte)
{
    // A trail byte outside 40-7E, 80-FC, a single shift before a byte that is no katakana,
    // a control byte taken as a trail byte.
    TextView view = View(B({0x81, 0x00, 'A', 'B', 'C'}), CHARCODE_SJIS);
    EXPECT_FALSE(view.ok);
    EXPECT_EQ(0u, view.failIndex);
    view = View(B({'x', 0x8E, 0x41, 0x42}), CHARCODE_EUC);
    EXPECT_FALSE(view.ok);
    EXPECT_EQ(1u, view.failIndex);
    view = View(B({0x82, 0x0D, 0x0A}), CHARCODE_SJIS);
    EXPECT_FALSE(view.ok);
    EXPECT_EQ(0u, view.failIndex);
    // A pair outside the JIS square inside a kanji run.
    view = View(B({'a', 0x1B, '$', 'B', 0x24, 0x22, 0x0D, 0x0A, 0x1B, '(', 'B'}), CHARCODE_JIS);
    EXPECT_FALSE(view.ok);
    EXPECT_EQ(6u, view.failIndex);
    // A character that an edit field gives back as another one (NEC row 13's duplicate of
    // the "nearly equal" sign in Shift-JIS).
    view = View(B({'=', 0x87, 0x90}), CHARCODE_SJIS);
    EXPECT_FALSE(view.ok);
    EXPECT_EQ(1u, view.failIndex);
}

TEST(HexTextView, LineEndsComeBackOnlyUnderTheirOwnChoice)
{
    const Bytes lf = B({'a', '\n', 'b', '\n'});
    TextView view = View(lf, CHARCODE_ASCII, "\r\n");
    EXPECT_FALSE(view.ok);
    EXPECT_EQ(1u, view.failIndex);
    view = View(lf, CHARCODE_ASCII, "\n");
    ASSERT_TRUE(view.ok);
    EXPECT_EQ("a\r\nb\r\n", view.text);
    EXPECT_EQ(lf, Back(view, CHARCODE_ASCII, "\n"));

    const Bytes mixed = B({'a', '\r', '\n', 'b', '\n'});
    EXPECT_FALSE(View(mixed, CHARCODE_SJIS, "\r\n").ok);
    EXPECT_FALSE(View(mixed, CHARCODE_SJIS, "\n").ok);
}

TEST(HexTextView, JisTextEndsInTheModeItsBytesEndedIn)
{
    const Bytes closed = B({0x1B, '$', 'B', 0x24, 0x22, 0x1B, '(', 'B'});
    TextView view = View(closed, CHARCODE_JIS);
    ASSERT_TRUE(view.ok);
    EXPECT_EQ("\x82\xA0", view.text);
    EXPECT_EQ(closed, Back(view, CHARCODE_JIS));

    const Bytes open = B({0x1B, '$', 'B', 0x24, 0x22});
    view = View(open, CHARCODE_JIS);
    ASSERT_TRUE(view.ok);
    EXPECT_EQ(open, Back(view, CHARCODE_JIS));

    // A kanji run with nothing in it would vanish.
    view = View(B({'a', 0x1B, '$', 'B', 0x1B, '(', 'B'}), CHARCODE_JIS);
    EXPECT_FALSE(view.ok);
    EXPECT_EQ(1u, view.failIndex);
}

TEST(HexTextView, IbmExtensionKanjiAreCharactersInEveryDecoding)
{
    // 髙橋 in UTF-8 comes back whole.
    const Bytes takahashi = B({0xE9, 0xAB, 0x99, 0xE6, 0xA9, 0x8B});
    TextView view = View(takahashi, CHARCODE_UTF8);
    ASSERT_TRUE(view.ok);
    EXPECT_EQ(kNames[0], view.text);
    EXPECT_EQ(takahashi, Back(view, CHARCODE_UTF8));

    // Typed through the input method: EUC-JP and JIS hold them in the rows of the
    // NEC-selected IBM extension.
    EXPECT_EQ(B({0xFC, 0xE2}), ImeCharToBytes(0xFBFC, CHARCODE_EUC));
    EXPECT_EQ(B({0x7C, 0x62}), ImeCharToBytes(0xFBFC, CHARCODE_JIS));
    EXPECT_EQ(B({0xFB, 0xFC}), ImeCharToBytes(0xFBFC, CHARCODE_SJIS));
    EXPECT_EQ(B({0xE9, 0xAB, 0x99}), ImeCharToBytes(0xFBFC, CHARCODE_UTF8));
    EXPECT_EQ(B({0xFC, 0xEE}), ImeCharToBytes(0xFC4B, CHARCODE_EUC));  // 黑, the last of them
    EXPECT_EQ(B({0xFC, 0xF1}), ImeCharToBytes(0xFA40, CHARCODE_EUC));  // small roman one
    // The user-defined range has no place in EUC-JP and JIS; in UTF-8 it is private use.
    EXPECT_TRUE(ImeCharToBytes(0xF040, CHARCODE_EUC).empty());
    EXPECT_TRUE(ImeCharToBytes(0xF9FC, CHARCODE_JIS).empty());
    EXPECT_EQ(B({0xEE, 0x80, 0x80}), ImeCharToBytes(0xF040, CHARCODE_UTF8));

    for (int mode : kTextModes) {
        for (const char* name : kNames) {
            // Pasted: the text turned into data, and the data's text view.
            const Bytes data = HexTextToData(name, mode, "\r\n");
            view = View(data, mode);
            ASSERT_TRUE(view.ok) << mode << ": " << Hex(data) << " failed at " << view.failIndex;
            EXPECT_EQ(name, ThroughEditField(view.text)) << mode;
            EXPECT_EQ(data, Back(view, mode)) << mode;

            // Typed: one input-method character after the other.
            Bytes typed;
            for (const char* p = name; *p; p += 2) {
                const Bytes ch = ImeCharToBytes((static_cast<BYTE>(p[0]) << 8) | static_cast<BYTE>(p[1]), mode);
                typed.insert(typed.end(), ch.begin(), ch.end());
            }
            if (mode != CHARCODE_JIS) {  // JIS pairs typed alone have no escapes around them
                EXPECT_EQ(data, typed) << mode;
            }
        }
    }
}

TEST(HexTextView, EveryIbmExtensionCharacterFoldsIntoTheJisSquareAsItself)
{
    int folded = 0;
    for (int lead = 0xFA; lead <= 0xFC; ++lead) {
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            const char pair[2] = {static_cast<char>(lead), static_cast<char>(trail)};
            WCHAR original = 0, same = 0;
            if (trail == 0x7F || MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, pair, 2, &original, 1) != 1)
                continue;
            BYTE a = static_cast<BYTE>(lead), b = static_cast<BYTE>(trail);
            FoldIbmExtension(a, b);
            ASSERT_TRUE(a < 0xF0) << std::hex << lead << " " << trail;
            const char foldedPair[2] = {static_cast<char>(a), static_cast<char>(b)};
            ASSERT_EQ(1, MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, foldedPair, 2, &same, 1));
            ASSERT_EQ(original, same) << std::hex << lead << " " << trail;
            ++folded;
        }
    }
    EXPECT_EQ(388, folded);
}

TEST(HexTextView, RandomBlocksComeBackOrFail)
{
    std::mt19937 random(2026);
    for (int mode : {CHARCODE_ASCII, CHARCODE_SJIS, CHARCODE_JIS, CHARCODE_EUC, CHARCODE_UTF8}) {
        const std::vector<Bytes> pieces = Pieces(mode);
        int opened = 0;
        for (int run = 0; run < 4000; ++run) {
            const LPCSTR newline = run % 3 == 0 ? "\n" : "\r\n";
            const Bytes block = RandomBlock(random, pieces, newline);
            const TextView view = View(block, mode, newline);
            if (!view.ok) {
                ASSERT_LT(view.failIndex, block.size()) << mode << ": " << Hex(block);
                continue;
            }
            ++opened;
            ASSERT_EQ(block, Back(view, mode, newline)) << mode << ": " << Hex(block);
        }
        EXPECT_GT(opened, 100) << mode;
    }
}

TEST(HexTextView, WellFormedJisBlocksComeBackWithTheirClosingEscape)
{
    std::mt19937 random(7653);
    for (int run = 0; run < 20000; ++run) {
        const Bytes block = WellFormedJisBlock(random);
        const TextView view = View(block, CHARCODE_JIS);
        ASSERT_TRUE(view.ok) << Hex(block) << " failed at " << view.failIndex;
        ASSERT_EQ(block, Back(view, CHARCODE_JIS)) << Hex(block);
    }
}
