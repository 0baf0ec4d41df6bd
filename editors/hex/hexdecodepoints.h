// Where the character column's decoders may start for a view far into the data.
//
// The UTF-8 decoder walks from the data start (whether a byte lies inside a sequence is known
// only from there) and the ISO-2022-JP decoder from the nearest escape sequence before the
// view, which may lie anywhere before it. Both walks are deterministic, so a state they pass
// through can be kept and a later walk resumed from it: these points keep, for every span of
// kSpan bytes, the first state a walk reaches in it, built as far as a view needs and dropped
// whole when the data changes. A view then costs what it shows, wherever it is.
#pragma once

#include <windows.h>

#include <vector>

class HexDecodePoints {
public:
    static const UINT kSpan = 4096;
    static const UINT kNone = 0xFFFFFFFF;

    // Drops every point unless they were built for this content version of the data.
    void Follow(unsigned version);

    // The position the UTF-8 walk from the data start reaches at or before first.
    UINT Utf8Start(const BYTE* d, UINT size, UINT first);
    // The state the ISO-2022-JP walk for a view at first starts from: the nearest escape
    // sequence before first (in single-byte state), a state of the walk from it at or before
    // first, or first itself in single-byte state when no escape comes before it.
    void JisStart(const BYTE* d, UINT size, UINT first, UINT& start, bool& kanji);

    // One step of each walk from position i.
    static UINT Utf8Step(const BYTE* d, UINT size, UINT i);
    static void JisStep(const BYTE* d, UINT size, UINT& i, bool& kanji);
    // Whether an escape sequence that switches the state starts at i.
    static bool IsJisEscape(const BYTE* d, UINT size, UINT i);

private:
    struct JisPoint {
        UINT escape;  // the last escape before the span's start, or kNone
        UINT i;       // the first state of the walk from it at or after the span's start
        bool kanji;
    };

    void Clear();
    void BuildUtf8(const BYTE* d, UINT size, UINT k);
    void BuildJis(const BYTE* d, UINT size, UINT k);

    unsigned m_version = 0;
    bool m_bFollowing = false;
    std::vector<UINT> m_utf8;      // point k: first walk position >= k * kSpan
    UINT m_utf8Walk = 0;           // where the UTF-8 walk stands
    std::vector<JisPoint> m_jis;   // point k of the ISO-2022-JP walks
    UINT m_jisScanned = 0;         // escapes are known below this position
    JisPoint m_jisWalk = {kNone, 0, false};
};
