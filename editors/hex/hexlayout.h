// Geometry of the hex editor in character cells of its fixed-pitch font: the address column,
// the hex column with its digit groups, the character column, the visible rows and columns
// and the scroll-bar reservations. The cell size and the window's area are handed in, so the
// arithmetic runs without a window; the pixel x of cell column c is
// (c - horizontal scroll) x cell width + cell width / 2.
#pragma once

#include <windows.h>

#include <string>

const int kHexBytesPerLine = 16;

// What the window measures for a layout pass.
struct HexViewMetrics {
    int nAreaWidth = 0;    // client area as it would be without scroll bars, in pixels
    int nAreaHeight = 0;
    int nCellWidth = 8;    // extent of "0" in the control's font
    int nCellHeight = 16;
    int nVScrollWidth = 16;   // SM_CXVSCROLL
    int nHScrollHeight = 16;  // SM_CYHSCROLL
};

// Column positions that follow from the display settings alone.
struct HexColumns {
    int nAddressWidth = 10;  // cells of the address column (digits and a space each side), or 0
    int nGroupBytes = 2;     // bytes per digit group (group digits / 2)
    int nGroupsPerLine = 8;
    int nHexStart = 10;      // first cell of the hex column
    int nHexWidth = 40;      // 2 x 16 digits + one separator per group
    int nCharStart = 51;     // first cell of the character column
    int nLineWidth = 67;     // cells of a whole line
    bool bCharShown = true;

    // Cell of the first hex digit of byte c (0..15) of a row.
    int HexCellOf(int c) const { return nHexStart + 2 * c + c / nGroupBytes; }
    // Cell of the character of byte c of a row.
    int CharCellOf(int c) const { return nCharStart + c; }
};

// Group digits 2, 4 or 8 give 1, 2 or 4 bytes per group; anything else is taken as 4 digits.
int HexGroupBytes(int groupDigits);

HexColumns ComputeHexColumns(BOOL showAddress, int addressDigits, int groupDigits, BOOL showChars);

// Number of digit cells among hex cells 0 .. r - 1 (every (group digits + 1)-th cell is a
// separator): the digit index that a click on hex cell r lands on.
int HexDigitsBefore(int r, int groupDigits);

// Result of a layout pass.
struct HexLayout {
    HexColumns cols;
    RECT rcClient = {0, 0, 0, 0};  // area left for the rows after the scroll-bar reservations
    int nCellWidth = 8;
    int nCellHeight = 16;
    int nVisibleCols = 0;
    int nVisibleRows = 0;
    int nTotalRows = 1;
    bool bHBarReserved = false;
    bool bVBarReserved = false;
};

// Visible rows and columns, total rows and the scroll-bar reservations, repeated until both
// reservations settle (reserving one bar can make the other necessary).
HexLayout ComputeHexLayout(const HexViewMetrics& metrics, const HexColumns& cols, BOOL showHeader,
                           UINT dataSize);

// One scroll bar as the window should set it (SIF_ALL) and show it.
struct HexScrollBar {
    int nMin = 0;
    int nMax = 0;
    int nPage = 0;
    int nPos = 0;
    bool bShow = false;
};

// Texts of the header row and the address column.
// Hex column header for group digits 2, 4 or 8 (other values as 4); each ends with a space.
LPCSTR HexGroupHeaderText(int groupDigits);
extern const char kHexCharHeaderText[];  // "0123456789ABCDEF"
// The address column's header: the first (digits + 1) characters of " ADDRESS         ".
std::string HexAddressLabel(int addressDigits);
// A row's address " %0*X ", or only spaces (" %*c ") for a row that starts beyond the data.
std::string HexAddressText(int addressDigits, UINT rowStart, bool beyondData);
