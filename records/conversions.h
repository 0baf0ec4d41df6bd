// Small conversions shared by the log, the editors, the settings and the random-data engine:
// hexadecimal text, LF to CR LF for edit controls, the font size index of the settings, the
// current folder without a trailing backslash, byte swapping for big-endian output, and the
// lead bytes of code page 932.
#pragma once

#include <stdint.h>

#include "afx.h"

// Value of the leading hexadecimal digits of a zero-terminated text; stops at the first other
// character. Only the last eight digits count (earlier ones are shifted out). Null or empty → 0.
uint32_t ParseHexText(LPCTSTR text);

// A copy of the text in which every LF is preceded by a CR (an existing CR LF becomes CR CR LF).
CString LfToCrLf(LPCTSTR text);

// Font height of a font size index of the settings: 1 → 14, 2 → 16, 3 → 18, anything else 12.
int FontPointSizeFromIndex(int index);

// The current folder into buffer (bufferSize bytes) without a trailing backslash ("C:\" gives
// "C:"); returns its length. Returns 0 with an empty buffer when the folder cannot be read or
// does not fit.
DWORD GetCurrentDirNoSlash(DWORD bufferSize, LPTSTR buffer);

uint16_t SwapBytes16(uint16_t value);
uint32_t SwapBytes32(uint32_t value);  // also the bits of a float
uint64_t SwapBytes64(uint64_t value);  // also the bits of a double

// The lead bytes of code page 932: 0x81-0x9F and 0xE0-0xFC, the IBM extension kanji (0xFA-0xFC)
// and the user-defined range (0xF0-0xF9) included. Every place that steps over characters
// asks this one rule, so the editors agree with each other on where a character ends.
inline bool IsShiftJisLeadByte(unsigned char b)
{
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}
