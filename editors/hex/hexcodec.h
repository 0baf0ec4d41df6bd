// Character decodings of the hex editor's character column, of its input-method characters
// and of the send editor's text input.
//
// The program's own text is Shift-JIS (code page 932). Every decoding here produces Shift-JIS
// and every encoding starts from it; conversions through UTF-16 name code page 932 explicitly,
// so the results do not depend on the process's ANSI code page. Everything works on plain
// byte ranges so that the editor model, its painter and the tests share one implementation.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// Encoding of a character column (the setting TCODE).
enum CharCodeMode {
    CHARCODE_ASCII = 0,
    CHARCODE_SJIS = 1,
    CHARCODE_JIS = 2,
    CHARCODE_EUC = 3,
    CHARCODE_UTF8 = 4,
};

// 0 printable ASCII, 1 half-width katakana, 2 lead byte (0x81-0x9F, 0xE0-0xFC), -1 anything else.
int SjisByteClass(BYTE b);
// A byte that can follow a lead byte: 0x40-0x7E, 0x80-0xFC.
bool IsShiftJisTrailByte(BYTE b);
// An IBM extension character (lead 0xFA-0xFC) as its duplicate inside the JIS X 0208 square,
// which is where EUC-JP and JIS hold it: the NEC-selected rows from 0xED40 for the kanji and
// the small roman numerals, NEC row 13 or the standard code for the other signs. Any other
// pair stays as it is.
void FoldIbmExtension(BYTE& lead, BYTE& trail);
// 1 the single shift 0x8E, 2 a byte of a two-byte character, 0 printable ASCII, -1 other.
int EucByteClass(BYTE b);
// 0 printable ASCII, -1 other ASCII, 1 continuation byte, 2..8 the length a lead byte announces.
int Utf8SequenceLength(BYTE b);

// Two-byte code conversions in place, with the 8-bit arithmetic of the classic formulas.
void EucToSjisPair(BYTE& first, BYTE& second);
void SjisToEucPair(BYTE& first, BYTE& second);
void JisToSjisPair(BYTE& first, BYTE& second);
void SjisToJisPair(BYTE& first, BYTE& second);

// The full-width JIS pair of a half-width katakana byte (0xA1-0xDF); ".." for any other byte.
void HalfWidthKanaToFullWidth(BYTE pair[2], BYTE b);

// UTF-8 bytes of one Shift-JIS character (trail 0: the single byte lead); empty when the
// character does not convert.
std::string AnsiToUtf8(BYTE lead, BYTE trail);

// Shift-JIS text of one n-byte UTF-8 sequence; empty when the bytes do not decode. pExact
// (optional) tells whether code page 932 holds the character exactly; when it does not, the
// text is the code page's substitute and only fit for display.
std::string Utf8CharToDisplay(const BYTE* bytes, int n, bool* pExact = NULL);

// One cell of the character column. A two-cell character carries its whole text in both
// cells: half 1 shows the text's left half in the first cell, half 2 its right half in the
// second. Half 0 is a one-cell text; an empty text leaves the cell blank.
struct HexCharCell {
    BYTE nHalf = 0;
    std::string text;
};

class HexDecodePoints;

// The character cells of bytes first .. first + count - 1 of the data in a mode. Characters
// that begin before first continue in the first cells; cells past the data end are blank.
// Points kept for the same data (optional) let the decoding start near first.
void DecodeDisplayCells(const BYTE* data, UINT size, int mode, UINT first, UINT count,
                        std::vector<HexCharCell>& cells, HexDecodePoints* pPoints = NULL);

// The whole data as Shift-JIS text with CR LF line ends, offered only when the text, kept
// in an edit field and encoded again with newline for CR LF, gives the data back byte for
// byte. False with the index of the byte where that fails (the start of its character).
// pCloseKanji receives what HexTextToData needs to end JIS text in the mode the data ended in.
bool HexDataToText(const BYTE* data, UINT size, int mode, std::string& text, UINT* pFailIndex,
                   LPCSTR newline = "\r\n", bool* pCloseKanji = NULL);

// Shift-JIS text (NUL-terminated) encoded in a mode; every CR LF becomes newline. In JIS a
// kanji run at the end of the text is closed with ESC ( B only when closeKanji is set.
std::vector<BYTE> HexTextToData(LPCSTR text, int mode, LPCSTR newline, bool closeKanji = false);

// The bytes an input-method character (Shift-JIS, lead byte in bits 8-15) is stored as in a
// mode; empty when the mode drops it or it does not convert.
std::vector<BYTE> ImeCharToBytes(UINT code, int mode);
