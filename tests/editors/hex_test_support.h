// Helpers of the hex editor model tests: a model laid out in a known cell size, byte vectors
// and the pixel point of a byte's cell.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "hexeditmodel.h"

typedef std::vector<BYTE> Bytes;

inline Bytes B(std::initializer_list<int> values)
{
    Bytes bytes;
    for (int v : values)
        bytes.push_back(static_cast<BYTE>(v));
    return bytes;
}

inline Bytes B(const std::string& s)
{
    return Bytes(s.begin(), s.end());
}

inline Bytes ModelBytes(const HexEditModel& model)
{
    Bytes bytes;
    model.GetBuffer().Read(0, model.GetDataSize(), bytes);
    return bytes;
}

// Cells of 8 x 16 pixels; an area of width x (header + rows) cells without scroll bars.
inline HexViewMetrics TestMetrics(int columns = 100, int rows = 10, bool header = true)
{
    HexViewMetrics m;
    m.nCellWidth = 8;
    m.nCellHeight = 16;
    m.nAreaWidth = columns * 8 + 4;
    m.nAreaHeight = (rows + (header ? 1 : 0)) * 16;
    m.nVScrollWidth = 16;
    m.nHScrollHeight = 16;
    return m;
}

// A focused model with the data, laid out in TestMetrics, history emptied.
inline void SetUpModel(HexEditModel& model, const Bytes& data, int columns = 100, int rows = 10)
{
    model.SetViewMetrics(TestMetrics(columns, rows, model.m_bShowHeader != FALSE));
    model.RecalcLayout();
    model.SetData(data.empty() ? NULL : data.data(), static_cast<UINT>(data.size()));
    model.ClearUndo();
    model.ClearRedo();
    model.SetFocus();
    model.TakeViewChanges();
}

// Middle of the cell of byte index (hex column: its first or second digit).
inline POINT PointOfByte(const HexEditModel& model, int index, bool charColumn, int digit = 0)
{
    const HexLayout& l = model.GetLayout();
    const int c = index % kHexBytesPerLine;
    const int row = (index - model.GetTop()) / kHexBytesPerLine + (model.m_bShowHeader ? 1 : 0);
    const int column = charColumn ? l.cols.CharCellOf(c) : l.cols.HexCellOf(c) + digit;
    POINT pt;
    pt.x = (column - model.GetHScroll()) * l.nCellWidth + l.nCellWidth / 2 + l.nCellWidth / 2;
    pt.y = row * l.nCellHeight + l.nCellHeight / 2;
    return pt;
}

inline void Click(HexEditModel& model, POINT pt, bool shift = false)
{
    model.LButtonDown(pt.x, pt.y, shift);
    model.LButtonUp(pt.x, pt.y);
}

inline void Type(HexEditModel& model, const char* text)
{
    for (const char* p = text; *p; ++p)
        model.Char(static_cast<BYTE>(*p));
}
