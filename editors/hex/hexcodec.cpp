// Character decodings of the hex editor. The display decoder finds a point before the first
// requested byte where a character surely begins (the start of a run of possible lead bytes,
// the nearest escape sequence, or the data start for UTF-8) and decodes forward from there,
// so a character cut by the top of the view or by a row end continues in the next cells.
#include "hexcodec.h"

#include "hexdecodepoints.h"

#include <string.h>

#include <algorithm>

#include "conversions.h"

namespace {

const UINT kShiftJisCodePage = 932;
const BYTE kEsc = 0x1B;

// Full-width Shift-JIS katakana of the half-width bytes 0xA1-0xDF (JIS X 0201 order, voiced
// sound marks as characters of their own).
const WORD kFullWidthKana[63] = {
    0x8142, 0x8175, 0x8176, 0x8141, 0x8145, 0x8392, 0x8340, 0x8342,
    0x8344, 0x8346, 0x8348, 0x8383, 0x8385, 0x8387, 0x8362, 0x815B,
    0x8341, 0x8343, 0x8345, 0x8347, 0x8349, 0x834A, 0x834C, 0x834E,
    0x8350, 0x8352, 0x8354, 0x8356, 0x8358, 0x835A, 0x835C, 0x835E,
    0x8360, 0x8363, 0x8365, 0x8367, 0x8369, 0x836A, 0x836B, 0x836C,
    0x836D, 0x836E, 0x8371, 0x8374, 0x8377, 0x837A, 0x837D, 0x837E,
    0x8380, 0x8381, 0x8382, 0x8384, 0x8386, 0x8388, 0x8389, 0x838A,
    0x838B, 0x838C, 0x838D, 0x838F, 0x8393, 0x814A, 0x814B,
};

bool IsPrintableAscii(BYTE b)
{
    return b >= 0x20 && b <= 0x7E;
}

bool IsHalfWidthKana(BYTE b)
{
    return b >= 0xA1 && b <= 0xDF;
}

bool IsEscapeAt(const BYTE* data, UINT size, UINT i, BYTE intermediate)
{
    return i + 2 < size && data[i] == kEsc && data[i + 1] == intermediate && data[i + 2] == 'B';
}

std::string PairText(BYTE first, BYTE second)
{
    const char text[2] = {static_cast<char>(first), static_cast<char>(second)};
    return std::string(text, 2);
}

void AppendPair(std::vector<BYTE>& out, BYTE first, BYTE second)
{
    out.push_back(first);
    out.push_back(second);
}

void AppendString(std::vector<BYTE>& out, const std::string& s)
{
    out.insert(out.end(), s.begin(), s.end());
}

void AppendEscape(std::vector<BYTE>& out, BYTE intermediate)
{
    out.push_back(kEsc);
    out.push_back(intermediate);
    out.push_back('B');
}

// Writes decoded cells into the requested window of cells and drops the rest.
class CellSink {
public:
    CellSink(std::vector<HexCharCell>& cells, UINT first, UINT count)
        : m_cells(cells), m_first(first), m_count(count) {}

    void Put(UINT index, BYTE half, const std::string& text)
    {
        if (index >= m_first && index - m_first < m_count) {
            m_cells[index - m_first].nHalf = half;
            m_cells[index - m_first].text = text;
        }
    }
    void Single(UINT index, BYTE b) { Put(index, 0, std::string(1, static_cast<char>(b))); }
    void Dot(UINT index) { Put(index, 0, "."); }
    void AsciiOrDot(UINT index, BYTE b)
    {
        if (IsPrintableAscii(b))
            Single(index, b);
        else
            Dot(index);
    }
    void Pair(UINT index, const std::string& text)
    {
        Put(index, 1, text);
        Put(index + 1, 2, text);
    }

private:
    std::vector<HexCharCell>& m_cells;
    UINT m_first;
    UINT m_count;
};

void DecodeSjisCells(const BYTE* d, UINT size, UINT first, UINT end, CellSink& sink)
{
    // A run of lead-class bytes begins on a character boundary, so its parity tells whether
    // the first byte is the second half of a pair.
    UINT i = first;
    while (i > 0 && SjisByteClass(d[i - 1]) == 2)
        --i;
    while (i < end) {
        const int cls = SjisByteClass(d[i]);
        if (cls == 0 || cls == 1) {
            sink.Single(i, d[i]);
            ++i;
        } else if (cls == 2 && i + 1 < size) {
            if (i + 1 >= first)
                sink.Pair(i, PairText(d[i], d[i + 1]));
            i += 2;
        } else {
            sink.Dot(i);
            ++i;
        }
    }
}

void DecodeEucCells(const BYTE* d, UINT size, UINT first, UINT end, CellSink& sink)
{
    UINT i = first;
    while (i > 0 && EucByteClass(d[i - 1]) > 0)
        --i;
    while (i < end) {
        const int cls = EucByteClass(d[i]);
        if (cls == 0) {
            sink.Single(i, d[i]);
            ++i;
        } else if (cls > 0 && i + 1 < size) {
            if (i + 1 >= first) {
                BYTE a = d[i], b = d[i + 1];
                if (cls == 1) {
                    sink.Pair(i, PairText(b, ' '));
                } else {
                    EucToSjisPair(a, b);
                    sink.Pair(i, PairText(a, b));
                }
            }
            i += 2;
        } else {
            sink.Dot(i);
            ++i;
        }
    }
}

void DecodeJisCells(const BYTE* d, UINT size, UINT first, UINT end, CellSink& sink, HexDecodePoints& points)
{
    // The nearest escape sequence before the first byte fixes the state; without one the
    // data is in ASCII state up to there.
    UINT i = first;
    bool kanji = false;
    points.JisStart(d, size, first, i, kanji);
    while (i < end) {
        const BYTE b = d[i];
        if (!kanji) {
            sink.AsciiOrDot(i, b);
            if (b == 'B' && i >= 2 && d[i - 1] == '$' && d[i - 2] == kEsc)
                kanji = true;
            ++i;
        } else if (IsEscapeAt(d, size, i, '(')) {
            kanji = false;
            sink.Dot(i);
            ++i;
        } else if (i + 1 < size) {
            if (i + 1 >= first) {
                BYTE a = b, c = d[i + 1];
                JisToSjisPair(a, c);
                sink.Pair(i, PairText(a, c));
            }
            i += 2;
        } else {
            sink.Dot(i);
            ++i;
        }
    }
}

void DecodeUtf8Cells(const BYTE* d, UINT size, UINT first, UINT end, CellSink& sink, HexDecodePoints& points)
{
    // Whether a byte lies inside a sequence is known only from the data start: the walk from
    // there resumes at the last point kept before the first byte.
    UINT i = points.Utf8Start(d, size, first);
    while (i < end) {
        const int n = Utf8SequenceLength(d[i]);
        if (n == 0) {
            sink.Single(i, d[i]);
            ++i;
        } else if (n >= 2 && static_cast<UINT>(n) <= size - i) {
            if (i + n > first) {
                const std::string text = Utf8CharToDisplay(d + i, n);
                if (!text.empty())
                    sink.Pair(i, text);
            }
            i += n;
        } else {
            sink.Dot(i);
            ++i;
        }
    }
}

}  // namespace

int SjisByteClass(BYTE b)
{
    if (IsPrintableAscii(b))
        return 0;
    if (IsHalfWidthKana(b))
        return 1;
    if (IsShiftJisLeadByte(b))
        return 2;
    return -1;
}

bool IsShiftJisTrailByte(BYTE b)
{
    return b >= 0x40 && b <= 0xFC && b != 0x7F;
}

void FoldIbmExtension(BYTE& lead, BYTE& trail)
{
    if (lead < 0xFA || lead > 0xFC || !IsShiftJisTrailByte(trail))
        return;
    // Index of the pair among the 188 trail bytes of each lead byte from 0xFA on.
    const int index = (lead - 0xFA) * 188 + (trail < 0x80 ? trail - 0x40 : trail - 0x41);
    WORD code = 0;
    if (index < 10) {
        code = static_cast<WORD>(0xEEEF + index);  // small roman numerals
    } else if (index < 20) {
        code = static_cast<WORD>(0x8754 + index - 10);  // roman numerals of NEC row 13
    } else if (index < 28) {
        static const WORD kSigns[8] = {0x81CA, 0xEEFA, 0xEEFB, 0xEEFC, 0x878A, 0x8782, 0x8784, 0x81E6};
        code = kSigns[index - 20];
    } else if (index < 28 + 360) {
        // The 360 kanji, in the same order as the NEC-selected rows from ED40.
        const int k = index - 28;
        const int t = k % 188;
        code = static_cast<WORD>(((0xED + k / 188) << 8) | (t < 63 ? 0x40 + t : 0x41 + t));
    } else {
        return;
    }
    lead = HIBYTE(code);
    trail = LOBYTE(code);
}

int EucByteClass(BYTE b)
{
    if (b == 0x8E)
        return 1;
    if (b >= 0xA1 && b <= 0xFE)
        return 2;
    if (IsPrintableAscii(b))
        return 0;
    return -1;
}

int Utf8SequenceLength(BYTE b)
{
    if (b < 0x80)
        return IsPrintableAscii(b) ? 0 : -1;
    if ((b & 0xC0) == 0x80)
        return 1;
    if ((b & 0xE0) == 0xC0)
        return 2;
    if ((b & 0xF0) == 0xE0)
        return 3;
    if ((b & 0xF8) == 0xF0)
        return 4;
    if ((b & 0xFC) == 0xF8)
        return 5;
    if ((b & 0xFE) == 0xFC)
        return 6;
    return b == 0xFE ? 7 : 8;
}

void EucToSjisPair(BYTE& first, BYTE& second)
{
    if (first & 1)
        second = static_cast<BYTE>((second >= 0x61 && second <= 0xDF) ? second - 0x61 : second - 0x60);
    else
        second = static_cast<BYTE>(second - 2);
    const int half = (first + 1) >> 1;
    first = static_cast<BYTE>(first >= 0xDF ? half + 0x70 : half + 0x30);
}

void SjisToEucPair(BYTE& first, BYTE& second)
{
    if (second >= 0x9F) {
        first = static_cast<BYTE>(first >= 0xA0 ? 2 * first + 0x20 : 2 * first + 0xA0);
        second = static_cast<BYTE>(second + 2);
    } else {
        first = static_cast<BYTE>(first < 0xA0 ? 2 * first - 0x61 : 2 * first + 0x1F);
        if (second > 0x7F)
            second = static_cast<BYTE>(second - 1);
        second = static_cast<BYTE>(second + 0x61);
    }
}

void JisToSjisPair(BYTE& first, BYTE& second)
{
    second = static_cast<BYTE>((first & 1) ? second + 0x1F : second + 0x7D);
    if (second > 0x7E)
        second = static_cast<BYTE>(second + 1);
    const int half = (first + 1) >> 1;
    first = static_cast<BYTE>(first < 0x5F ? half + 0x70 : half + 0xB0);
}

void SjisToJisPair(BYTE& first, BYTE& second)
{
    if (second >= 0x9F) {
        first = static_cast<BYTE>(first >= 0xA0 ? 2 * first + 0xA0 : 2 * first + 0x20);
        second = static_cast<BYTE>(second + 0x82);
    } else {
        first = static_cast<BYTE>(first < 0xA0 ? 2 * first + 0x1F : 2 * first - 0x61);
        if (second > 0x7F)
            second = static_cast<BYTE>(second - 1);
        second = static_cast<BYTE>(second - 0x1F);
    }
}

void HalfWidthKanaToFullWidth(BYTE pair[2], BYTE b)
{
    if (!IsHalfWidthKana(b)) {
        pair[0] = pair[1] = '.';
        return;
    }
    const WORD code = kFullWidthKana[b - 0xA1];
    pair[0] = HIBYTE(code);
    pair[1] = LOBYTE(code);
    SjisToJisPair(pair[0], pair[1]);
}

std::string AnsiToUtf8(BYTE lead, BYTE trail)
{
    const char source[2] = {static_cast<char>(lead), static_cast<char>(trail)};
    WCHAR wide[4];
    const int wideLength =
        MultiByteToWideChar(kShiftJisCodePage, MB_ERR_INVALID_CHARS, source, trail ? 2 : 1, wide, 4);
    if (wideLength <= 0)
        return std::string();
    char utf8[32];
    const int length = WideCharToMultiByte(CP_UTF8, 0, wide, wideLength, utf8, sizeof(utf8), NULL, NULL);
    return length > 0 ? std::string(utf8, length) : std::string();
}

std::string Utf8CharToDisplay(const BYTE* bytes, int n, bool* pExact)
{
    if (pExact)
        *pExact = false;
    if (!bytes || n <= 0 || n > 8)
        return std::string();
    WCHAR wide[8];
    const int wideLength = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS,
                                               reinterpret_cast<const char*>(bytes), n, wide, 8);
    if (wideLength <= 0)
        return std::string();
    char ansi[16];
    BOOL usedDefault = FALSE;
    const int length = WideCharToMultiByte(kShiftJisCodePage, 0, wide, wideLength, ansi,
                                           sizeof(ansi), NULL, &usedDefault);
    if (length <= 0)
        return std::string();
    if (pExact) {
        // A best-fit mapping (the yen sign to 0x5C, for one) uses no default character but
        // does not come back as the same character.
        WCHAR back[16];
        const int backLength = MultiByteToWideChar(kShiftJisCodePage, 0, ansi, length, back, 16);
        *pExact = !usedDefault && backLength == wideLength &&
                  memcmp(back, wide, wideLength * sizeof(WCHAR)) == 0;
    }
    return std::string(ansi, length);
}

void DecodeDisplayCells(const BYTE* data, UINT size, int mode, UINT first, UINT count,
                        std::vector<HexCharCell>& cells, HexDecodePoints* pPoints)
{
    HexDecodePoints ownPoints;
    HexDecodePoints& points = pPoints ? *pPoints : ownPoints;
    cells.assign(count, HexCharCell());
    if (!data || first >= size || count == 0)
        return;
    const UINT end = (size - first < count) ? size : first + count;
    CellSink sink(cells, first, count);
    switch (mode) {
    case CHARCODE_SJIS:
        DecodeSjisCells(data, size, first, end, sink);
        break;
    case CHARCODE_JIS:
        DecodeJisCells(data, size, first, end, sink, points);
        break;
    case CHARCODE_EUC:
        DecodeEucCells(data, size, first, end, sink);
        break;
    case CHARCODE_UTF8:
        DecodeUtf8Cells(data, size, first, end, sink, points);
        break;
    default:
        for (UINT i = first; i < end; ++i)
            sink.AsciiOrDot(i, data[i]);
        break;
    }
}

namespace {

bool IsJisSquareByte(BYTE b)
{
    return b >= 0x21 && b <= 0x7E;
}

bool IsEucSquareByte(BYTE b)
{
    return b >= 0xA1 && b <= 0xFE;
}

// The decoding proper: Shift-JIS text with CR LF line ends, every character well formed in
// its encoding. starts receives the data index where each character and escape begins;
// closed tells whether the data ends with an ESC ( B that closed a kanji run.
bool DecodeText(const BYTE* d, UINT size, int mode, std::string& text, std::vector<UINT>& starts,
                UINT& failIndex, bool& closed)
{
    auto fail = [&failIndex](UINT at) {
        failIndex = at;
        return false;
    };
    bool kanji = false;
    closed = false;
    UINT i = 0;
    while (i < size) {
        const BYTE b = d[i];
        starts.push_back(i);
        if (kanji) {
            // Inside a kanji run of JIS every pair is a character, CR and LF included.
            if (IsEscapeAt(d, size, i, '(')) {
                kanji = false;
                closed = i + 3 == size;
                i += 3;
                continue;
            }
            if (i + 1 >= size || !IsJisSquareByte(b) || !IsJisSquareByte(d[i + 1]))
                return fail(i);
            BYTE a = b, c = d[i + 1];
            JisToSjisPair(a, c);
            text += PairText(a, c);
            i += 2;
            continue;
        }
        if (b == '\t') {
            text += '\t';
            ++i;
            continue;
        }
        if (b == '\n' || b == '\r') {
            if (b == '\r') {
                if (i + 1 >= size || d[i + 1] != '\n')
                    return fail(i);
                ++i;
            }
            text += "\r\n";
            ++i;
            continue;
        }
        switch (mode) {
        case CHARCODE_SJIS: {
            const int cls = SjisByteClass(b);
            if (cls == 0 || cls == 1) {
                text += static_cast<char>(b);
                ++i;
            } else if (cls == 2 && i + 1 < size && IsShiftJisTrailByte(d[i + 1])) {
                text += PairText(b, d[i + 1]);
                i += 2;
            } else {
                return fail(i);
            }
            break;
        }
        case CHARCODE_JIS:
            if (IsEscapeAt(d, size, i, '$')) {
                kanji = true;
                i += 3;
            } else if (IsPrintableAscii(b)) {
                text += static_cast<char>(b);
                ++i;
            } else {
                return fail(i);
            }
            break;
        case CHARCODE_EUC: {
            const int cls = EucByteClass(b);
            if (cls == 0) {
                text += static_cast<char>(b);
                ++i;
            } else if (cls == 1 && i + 1 < size && IsHalfWidthKana(d[i + 1])) {
                text += static_cast<char>(d[i + 1]);
                i += 2;
            } else if (cls == 2 && i + 1 < size && IsEucSquareByte(d[i + 1])) {
                BYTE a = b, c = d[i + 1];
                EucToSjisPair(a, c);
                text += PairText(a, c);
                i += 2;
            } else {
                return fail(i);
            }
            break;
        }
        case CHARCODE_UTF8: {
            const int n = Utf8SequenceLength(b);
            if (n == 0) {
                text += static_cast<char>(b);
                ++i;
                break;
            }
            if (n < 2 || static_cast<UINT>(n) > size - i)
                return fail(i);
            // A sequence that does not decode, or a character code page 932 cannot hold,
            // would be lost or altered in the text: the conversion stops there.
            bool exact = false;
            const std::string ch = Utf8CharToDisplay(d + i, n, &exact);
            if (ch.empty() || !exact)
                return fail(i);
            text += ch;
            i += n;
            break;
        }
        default:
            if (!IsPrintableAscii(b))
                return fail(i);
            text += static_cast<char>(b);
            ++i;
            break;
        }
    }
    return true;
}

// The text as an edit field gives it back: the field holds UTF-16, so a code page 932
// character comes back as the code page's own form of it (an NEC-selected duplicate as its
// IBM extension code, for one) and a pair that is no character does not come back at all.
std::string ThroughUtf16(const std::string& text)
{
    if (text.empty())
        return text;
    const int length = static_cast<int>(text.size());
    std::vector<WCHAR> wide(text.size());
    const int wideLength = MultiByteToWideChar(kShiftJisCodePage, 0, text.data(), length, wide.data(), length);
    if (wideLength <= 0)
        return std::string();
    std::vector<char> back(2 * static_cast<size_t>(wideLength));
    const int backLength = WideCharToMultiByte(kShiftJisCodePage, 0, wide.data(), wideLength, back.data(),
                                               static_cast<int>(back.size()), NULL, NULL);
    return std::string(back.data(), backLength > 0 ? backLength : 0);
}

}  // namespace

bool HexDataToText(const BYTE* d, UINT size, int mode, std::string& text, UINT* pFailIndex, LPCSTR newline,
                   bool* pCloseKanji)
{
    // The text view is offered only for bytes that it gives back unchanged: the text, as
    // an edit field keeps it, is encoded again and must be the data byte for byte.
    // Otherwise the conversion fails at the start of the character where the bytes first
    // differ, and an apply that changed nothing can never change the data.
    text.clear();
    if (pCloseKanji)
        *pCloseKanji = false;
    std::vector<UINT> starts;
    UINT failIndex = 0;
    bool closed = false;
    bool ok = DecodeText(d, size, mode, text, starts, failIndex, closed);
    if (ok) {
        const std::vector<BYTE> back = HexTextToData(ThroughUtf16(text).c_str(), mode, newline, closed);
        UINT k = 0;
        while (k < size && k < back.size() && back[k] == d[k])
            ++k;
        if (k < size || back.size() != size) {
            ok = false;
            const auto next = std::upper_bound(starts.begin(), starts.end(), k);
            failIndex = next == starts.begin() ? 0 : *(next - 1);
        }
    }
    if (!ok) {
        text.clear();
        if (pFailIndex)
            *pFailIndex = failIndex;
        return false;
    }
    if (pCloseKanji)
        *pCloseKanji = closed;
    return true;
}

std::vector<BYTE> HexTextToData(LPCSTR text, int mode, LPCSTR newline, bool closeKanji)
{
    std::vector<BYTE> out;
    if (!text)
        return out;
    const size_t newlineLength = newline ? strlen(newline) : 0;
    const BYTE* p = reinterpret_cast<const BYTE*>(text);
    bool kanji = false;
    auto leaveKanji = [&]() {
        if (kanji) {
            AppendEscape(out, '(');
            kanji = false;
        }
    };
    auto enterKanji = [&]() {
        if (!kanji) {
            AppendEscape(out, '$');
            kanji = true;
        }
    };
    while (*p) {
        if (p[0] == '\r' && p[1] == '\n') {
            if (mode == CHARCODE_JIS)
                leaveKanji();
            out.insert(out.end(), reinterpret_cast<const BYTE*>(newline),
                       reinterpret_cast<const BYTE*>(newline) + newlineLength);
            p += 2;
            continue;
        }
        const BYTE b = *p;
        const int cls = SjisByteClass(b);
        if (cls == 2 && p[1] != 0) {
            BYTE first = b, second = p[1];
            switch (mode) {
            case CHARCODE_JIS:
                enterKanji();
                FoldIbmExtension(first, second);
                SjisToJisPair(first, second);
                AppendPair(out, first, second);
                break;
            case CHARCODE_EUC:
                FoldIbmExtension(first, second);
                SjisToEucPair(first, second);
                AppendPair(out, first, second);
                break;
            case CHARCODE_UTF8:
                AppendString(out, AnsiToUtf8(first, second));
                break;
            default:
                AppendPair(out, first, second);
                break;
            }
            p += 2;
            continue;
        }
        if (cls == 1) {
            switch (mode) {
            case CHARCODE_JIS: {
                enterKanji();
                BYTE pair[2];
                HalfWidthKanaToFullWidth(pair, b);
                AppendPair(out, pair[0], pair[1]);
                break;
            }
            case CHARCODE_EUC:
                AppendPair(out, 0x8E, b);
                break;
            case CHARCODE_UTF8:
                AppendString(out, AnsiToUtf8(b, 0));
                break;
            default:
                out.push_back(b);
                break;
            }
            ++p;
            continue;
        }
        if (mode == CHARCODE_JIS)
            leaveKanji();
        out.push_back(b);
        ++p;
    }
    if (mode == CHARCODE_JIS && closeKanji)
        leaveKanji();
    return out;
}

std::vector<BYTE> ImeCharToBytes(UINT code, int mode)
{
    std::vector<BYTE> out;
    BYTE lead = HIBYTE(LOWORD(code));
    BYTE trail = LOBYTE(code);
    if (lead) {
        if (mode == CHARCODE_JIS || mode == CHARCODE_EUC) {
            // Only characters of the JIS X 0208 square have a form there: the user-defined
            // range has none, and arithmetic on it would store some other character.
            FoldIbmExtension(lead, trail);
            if (lead >= 0xF0)
                return out;
        }
        switch (mode) {
        case CHARCODE_JIS:
            SjisToJisPair(lead, trail);
            AppendPair(out, lead, trail);
            break;
        case CHARCODE_EUC:
            SjisToEucPair(lead, trail);
            AppendPair(out, lead, trail);
            break;
        case CHARCODE_UTF8:
            AppendString(out, AnsiToUtf8(lead, trail));
            break;
        default:
            AppendPair(out, lead, trail);
            break;
        }
        return out;
    }
    switch (mode) {
    case CHARCODE_JIS:
        break;  // a single-byte character has no place in a bare JIS pair stream
    case CHARCODE_EUC:
        if (IsHalfWidthKana(trail))
            out.push_back(0x8E);
        out.push_back(trail);
        break;
    case CHARCODE_UTF8:
        if (IsHalfWidthKana(trail))
            AppendString(out, AnsiToUtf8(trail, 0));
        else
            out.push_back(trail);
        break;
    default:
        out.push_back(trail);
        break;
    }
    return out;
}
