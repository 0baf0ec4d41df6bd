#include "hexlayout.h"

#include <stdio.h>

int HexGroupBytes(int groupDigits)
{
    switch (groupDigits) {
    case 2:
        return 1;
    case 8:
        return 4;
    default:
        return 2;
    }
}

HexColumns ComputeHexColumns(BOOL showAddress, int addressDigits, int groupDigits, BOOL showChars)
{
    HexColumns c;
    // The address text takes cells -1 .. digits: a space, the digits and a space.
    c.nAddressWidth = showAddress ? addressDigits + 2 : 0;
    c.nGroupBytes = HexGroupBytes(groupDigits);
    c.nGroupsPerLine = kHexBytesPerLine / c.nGroupBytes;
    c.nHexStart = c.nAddressWidth;
    c.nHexWidth = 2 * kHexBytesPerLine + c.nGroupsPerLine;
    const int t = c.nAddressWidth + c.nHexWidth;
    c.bCharShown = showChars != FALSE;
    if (c.bCharShown) {
        c.nCharStart = t + 1;
        c.nLineWidth = t + 1 + kHexBytesPerLine;
    } else {
        c.nCharStart = t;
        c.nLineWidth = t - 1;
    }
    return c;
}

int HexDigitsBefore(int r, int groupDigits)
{
    const int period = 2 * HexGroupBytes(groupDigits) + 1;
    return r <= 0 ? 0 : r - r / period;
}

HexLayout ComputeHexLayout(const HexViewMetrics& metrics, const HexColumns& cols, BOOL showHeader,
                           UINT dataSize)
{
    HexLayout layout;
    layout.cols = cols;
    layout.nCellWidth = metrics.nCellWidth > 0 ? metrics.nCellWidth : 1;
    layout.nCellHeight = metrics.nCellHeight > 0 ? metrics.nCellHeight : 1;
    RECT rc = {0, 0, metrics.nAreaWidth, metrics.nAreaHeight};
    layout.nTotalRows = static_cast<int>(dataSize / kHexBytesPerLine + 1);
    for (;;) {
        layout.nVisibleCols = (rc.right - layout.nCellWidth / 2 - rc.left) / layout.nCellWidth;
        layout.nVisibleRows = (rc.bottom - rc.top) / layout.nCellHeight;
        if (showHeader && layout.nVisibleRows > 0)
            --layout.nVisibleRows;
        bool changed = false;
        if (cols.nLineWidth > layout.nVisibleCols && !layout.bHBarReserved) {
            rc.bottom -= metrics.nHScrollHeight;
            layout.bHBarReserved = true;
            changed = true;
        }
        if (layout.nTotalRows > layout.nVisibleRows && !layout.bVBarReserved) {
            rc.right -= metrics.nVScrollWidth;
            layout.bVBarReserved = true;
            changed = true;
        }
        if (!changed)
            break;
    }
    layout.rcClient = rc;
    return layout;
}

const char kHexCharHeaderText[] = "0123456789ABCDEF";

LPCSTR HexGroupHeaderText(int groupDigits)
{
    switch (HexGroupBytes(groupDigits)) {
    case 1:
        return "00 01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F ";
    case 4:
        return "00010203 04050607 08090A0B 0C0D0E0F ";
    default:
        return "0001 0203 0405 0607 0809 0A0B 0C0D 0E0F ";
    }
}

std::string HexAddressLabel(int addressDigits)
{
    const std::string label = " ADDRESS         ";
    const size_t length = addressDigits + 1 > 0 ? static_cast<size_t>(addressDigits + 1) : 0;
    return label.substr(0, length);
}

std::string HexAddressText(int addressDigits, UINT rowStart, bool beyondData)
{
    char text[32];
    const int width = addressDigits < 0 ? 0 : (addressDigits > 16 ? 16 : addressDigits);
    if (beyondData)
        snprintf(text, sizeof(text), " %*c ", width, ' ');
    else
        snprintf(text, sizeof(text), " %0*X ", width, rowStart);
    return text;
}
