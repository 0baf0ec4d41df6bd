#include "hexdecodepoints.h"

#include "hexcodec.h"

namespace {

const BYTE kEsc = 0x1B;

} // namespace

void HexDecodePoints::Follow(unsigned version)
{
    if (!m_bFollowing || version != m_version)
        Clear();
    m_version = version;
    m_bFollowing = true;
}

void HexDecodePoints::Clear()
{
    m_utf8.clear();
    m_utf8Walk = 0;
    m_jis.clear();
    m_jisScanned = 0;
    m_jisWalk = {kNone, 0, false};
}

UINT HexDecodePoints::Utf8Step(const BYTE* d, UINT size, UINT i)
{
    const int n = Utf8SequenceLength(d[i]);
    return n >= 2 && static_cast<UINT>(n) <= size - i ? i + n : i + 1;
}

bool HexDecodePoints::IsJisEscape(const BYTE* d, UINT size, UINT i)
{
    return i + 2 < size && d[i] == kEsc && (d[i + 1] == '(' || d[i + 1] == '$') && d[i + 2] == 'B';
}

void HexDecodePoints::JisStep(const BYTE* d, UINT size, UINT& i, bool& kanji)
{
    if (!kanji) {
        if (d[i] == 'B' && i >= 2 && d[i - 1] == '$' && d[i - 2] == kEsc)
            kanji = true;
        ++i;
    } else if (i + 2 < size && d[i] == kEsc && d[i + 1] == '(' && d[i + 2] == 'B') {
        kanji = false;
        ++i;
    } else {
        i += i + 1 < size ? 2 : 1;
    }
}

void HexDecodePoints::BuildUtf8(const BYTE* d, UINT size, UINT k)
{
    while (m_utf8.size() <= k) {
        const UINT target = static_cast<UINT>(m_utf8.size()) * kSpan;
        while (m_utf8Walk < target)
            m_utf8Walk = Utf8Step(d, size, m_utf8Walk);
        m_utf8.push_back(m_utf8Walk);
    }
}

UINT HexDecodePoints::Utf8Start(const BYTE* d, UINT size, UINT first)
{
    UINT k = first / kSpan;
    BuildUtf8(d, size, k);
    // A sequence that runs over the span's start puts its point a little past it.
    if (m_utf8[k] > first)
        --k;
    return m_utf8[k];
}

void HexDecodePoints::BuildJis(const BYTE* d, UINT size, UINT k)
{
    while (m_jis.size() <= k) {
        const UINT target = static_cast<UINT>(m_jis.size()) * kSpan;
        // The last escape below the span's start begins a walk of its own; with no later
        // escape before the start, the walk that began there runs on to it.
        for (; m_jisScanned < target; ++m_jisScanned) {
            if (IsJisEscape(d, size, m_jisScanned))
                m_jisWalk = {m_jisScanned, m_jisScanned, false};
        }
        JisPoint point = m_jisWalk;
        if (point.escape != kNone) {
            while (m_jisWalk.i < target)
                JisStep(d, size, m_jisWalk.i, m_jisWalk.kanji);
            point.i = m_jisWalk.i;
            point.kanji = m_jisWalk.kanji;
        }
        m_jis.push_back(point);
    }
}

void HexDecodePoints::JisStart(const BYTE* d, UINT size, UINT first, UINT& start, bool& kanji)
{
    const UINT k = first / kSpan;
    kanji = false;
    for (UINT j = first; j-- > k * kSpan;) {
        if (IsJisEscape(d, size, j)) {
            start = j;
            return;
        }
    }
    BuildJis(d, size, k);
    const JisPoint& point = m_jis[k];
    if (point.escape == kNone) {
        start = first;
    } else if (point.i <= first) {
        start = point.i;
        kanji = point.kanji;
    } else if (k > 0 && m_jis[k - 1].escape == point.escape) {
        // A two-byte character runs over the span's start: the span before holds an
        // earlier state of the same walk.
        start = m_jis[k - 1].i;
        kanji = m_jis[k - 1].kanji;
    } else {
        start = point.escape;
    }
}
