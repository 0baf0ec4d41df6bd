// Byte classes of the script editor. Script text is code page 932 bytes; the editor works on
// bytes, but a lead byte and the trail byte after it form one character that moves, draws and
// deletes as a unit. A lead byte with no byte after it (at the end of a line) is a character of
// its own, one byte and one cell wide.
//
// The classes are plain ASCII rules so that the C library's locale never changes how a line is
// coloured or how the caret moves: bytes of 0x80 and above are neither letters, digits nor
// white space.
#pragma once

#include "conversions.h"

namespace ColorEditChars {

inline bool IsLeadByte(unsigned char c) { return IsShiftJisLeadByte(c); }

inline bool IsAsciiAlnum(unsigned char c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

inline bool IsAsciiSpace(unsigned char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// Bytes (1 or 2) of the character that starts at index i of the len bytes at p; i must lie on
// a character boundary.
inline int CharLengthAt(const unsigned char* p, int len, int i)
{
    return (IsLeadByte(p[i]) && i + 1 < len) ? 2 : 1;
}

// True when column col falls between a lead byte and its trail byte, found by walking the
// characters from the start of the line.
inline bool IsTrailPosition(const unsigned char* p, int len, int col)
{
    if (col <= 0 || col >= len)
        return false;
    int i = 0;
    while (i < col)
        i += CharLengthAt(p, len, i);
    return i != col;
}

// Start of the character that holds byte index i (i itself, or i - 1 for a trail byte).
inline int CharStartOf(const unsigned char* p, int len, int i)
{
    return IsTrailPosition(p, len, i) ? i - 1 : i;
}

} // namespace ColorEditChars
