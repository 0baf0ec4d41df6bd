// The character column far into the data: the cells a view shows are the cells the decoding
// gives when it walks from where it must start (the data start for UTF-8, the nearest escape
// sequence for ISO-2022-JP), wherever the view is, and stay so after the data changes.
#include <gtest/gtest.h>

#include "hex_test_support.h"
#include "hexcodec.h"
#include "hexdecodepoints.h"

namespace {

// UTF-8 sequences (whole, cut and overlong), ISO-2022-JP escapes in both directions, JIS
// pairs and plain ASCII, mixed at random so that characters run over every span boundary.
Bytes MixedData(size_t size, unsigned seed)
{
    const Bytes pieces[] = {B("ab"), B({0xE3, 0x81, 0x82}), B({0xC3, 0xA9}), B({0xF0, 0x9F, 0x98, 0x80}),
                            B({0xE3, 0x81}), B({0x80}), B({0x1B, '$', 'B'}), B({0x1B, '(', 'B'}),
                            B({0x24, 0x22}), B({0x30, 0x21, 0x30}), B({0xFC, 0x80, 0x80, 0x80, 0x80, 0x80})};
    Bytes data;
    while (data.size() < size) {
        seed = seed * 1103515245 + 12345;
        const Bytes& piece = pieces[(seed >> 16) % (sizeof(pieces) / sizeof(pieces[0]))];
        data.insert(data.end(), piece.begin(), piece.end());
    }
    data.resize(size);
    return data;
}

std::vector<HexCharCell> Decode(const Bytes& data, size_t from, int mode, UINT first, UINT count)
{
    std::vector<HexCharCell> cells;
    DecodeDisplayCells(data.data() + from, static_cast<UINT>(data.size() - from), mode, first, count, cells);
    return cells;
}

// The cells of a view as the decoding defines them, without kept points: UTF-8 decoded whole
// from the data start; ISO-2022-JP decoded from the nearest escape before the view (the
// data from there on, the view a few bytes into it).
std::vector<HexCharCell> Expected(const Bytes& data, int mode, UINT first, UINT count)
{
    if (mode == CHARCODE_UTF8) {
        const UINT size = static_cast<UINT>(data.size());
        std::vector<HexCharCell> whole = Decode(data, 0, mode, 0, size);
        std::vector<HexCharCell> cells(count);
        for (UINT i = 0; i < count && first + i < size; ++i)
            cells[i] = whole[first + i];
        return cells;
    }
    size_t from = first;
    for (size_t j = first; j-- > 0;) {
        if (HexDecodePoints::IsJisEscape(data.data(), static_cast<UINT>(data.size()), static_cast<UINT>(j))) {
            from = j;
            break;
        }
    }
    return Decode(data, from, mode, static_cast<UINT>(first - from), count);
}

void ExpectViews(HexEditModel& model, const Bytes& data, int mode)
{
    model.m_nCharCode = mode;
    const UINT span = HexDecodePoints::kSpan;
    std::vector<UINT> firsts;
    // Views around every span boundary, from the far end first so that points are built in
    // one go, then random ones.
    for (UINT k = static_cast<UINT>(data.size()) / span; k > 0; --k) {
        for (UINT d = 0; d < 4; ++d) {
            if (k * span - 2 + d < data.size())
                firsts.push_back(k * span - 2 + d);
        }
    }
    unsigned seed = 99;
    for (int i = 0; i < 40; ++i) {
        seed = seed * 1103515245 + 12345;
        firsts.push_back((seed >> 8) % static_cast<UINT>(data.size()));
    }
    for (UINT first : firsts) {
        std::vector<HexCharCell> cells;
        model.GetDisplayCells(first, 64, cells);
        const std::vector<HexCharCell> expected = Expected(data, mode, first, 64);
        ASSERT_EQ(expected.size(), cells.size());
        for (size_t i = 0; i < cells.size(); ++i) {
            ASSERT_EQ(expected[i].nHalf, cells[i].nHalf) << "mode " << mode << " view at " << first << " cell " << i;
            ASSERT_EQ(expected[i].text, cells[i].text) << "mode " << mode << " view at " << first << " cell " << i;
        }
    }
}

}  // namespace

TEST(HexDecodePoints, ViewsFarIntoTheDataShowWhatTheWholeDecodingShows)
{
    for (int mode : {CHARCODE_UTF8, CHARCODE_JIS}) {
        Bytes data = MixedData(10 * HexDecodePoints::kSpan + 77, 5);
        HexEditModel model;
        SetUpModel(model, data);
        ExpectViews(model, data, mode);

        // An edit at the start moves every character boundary after it: nothing kept for the
        // bytes as they were may be used.
        ASSERT_TRUE(model.InsertUnits(0, 1));
        data.insert(data.begin(), 0);
        ExpectViews(model, data, mode);
        model.RemoveUnits(0, 2);
        data.erase(data.begin(), data.begin() + 2);
        ExpectViews(model, data, mode);
    }
}

TEST(HexDecodePoints, JisWithoutEscapesAndWithOneAtTheStart)
{
    // No escape at all: every view starts in single-byte state at its first byte. One escape
    // to the two-byte state at the start: every view continues the pairs from there.
    Bytes plain = MixedData(5 * HexDecodePoints::kSpan, 8);
    for (BYTE& b : plain)
        b = b == 0x1B ? 'x' : b;
    Bytes kanji = plain;
    kanji[0] = 0x1B;
    kanji[1] = '$';
    kanji[2] = 'B';
    for (const Bytes* data : {&plain, &kanji}) {
        HexEditModel model;
        SetUpModel(model, *data);
        ExpectViews(model, *data, CHARCODE_JIS);
    }
}
