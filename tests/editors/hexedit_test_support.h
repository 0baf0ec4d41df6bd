// Helpers of the CHexEdit window tests: a real editor window under a hidden top-level parent,
// data in and out, window sizes in cells, and the pixel colours of a cell.
#pragma once

#include <gtest/gtest.h>

#include <map>

#include "hex_test_support.h"
#include "hexedit.h"
#include "winharness.h"

inline COleSafeArray SafeBytes(const Bytes& bytes)
{
    COleSafeArray array;
    array.CreateOneDim(VT_UI1, static_cast<DWORD>(bytes.size()), bytes.empty() ? NULL : bytes.data());
    return array;
}

inline Bytes EditorBytes(const CHexEdit& hex)
{
    return ModelBytes(hex.GetModel());
}

// A child editor of the hidden parent, 700 x 400 pixels, holding the data with its history
// emptied.
inline bool MakeEditor(CHexEdit& hex, HWND parent, const Bytes& data, UINT id = 100)
{
    const RECT rc = {0, 0, 700, 400};
    if (!hex.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP, rc, CWnd::FromHandle(parent), id))
        return false;
    hex.SetData(SafeBytes(data));
    hex.ClearUndo();
    hex.GetModel().ClearRedo();
    return true;
}

// Resizes the editor so that its client area, with the bars it then shows, holds the given
// cells: `columns` cells across and the header plus `rows` rows (and half a row more).
inline void SizeEditorInCells(CHexEdit& hex, int columns, int rows)
{
    for (int pass = 0; pass < 3; ++pass) {
        const HexLayout& l = hex.GetModel().GetLayout();
        CRect rcWindow, rcClient;
        hex.GetWindowRect(&rcWindow);
        hex.GetClientRect(&rcClient);
        const int header = hex.GetModel().m_bShowHeader ? 1 : 0;
        const int cx = columns * l.nCellWidth + l.nCellWidth / 2 + 2;
        const int cy = (rows + header) * l.nCellHeight + l.nCellHeight / 2;
        hex.SetWindowPos(NULL, 0, 0, cx + rcWindow.Width() - rcClient.Width(),
                         cy + rcWindow.Height() - rcClient.Height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

// Pixel rectangle of a cell column on a row (0 = the header row when it is shown) in the
// editor's current layout.
inline RECT CellRect(const HexEditModel& model, int column, int row, int cells = 1)
{
    const HexLayout& l = model.GetLayout();
    RECT rc;
    rc.left = (column - model.GetHScroll()) * l.nCellWidth + l.nCellWidth / 2;
    rc.top = row * l.nCellHeight;
    rc.right = rc.left + cells * l.nCellWidth;
    rc.bottom = rc.top + l.nCellHeight;
    return rc;
}

// The display row of a byte, counting the header row.
inline int RowOfByte(const HexEditModel& model, int index)
{
    return (index - model.GetTop()) / kHexBytesPerLine + (model.m_bShowHeader ? 1 : 0);
}

inline RECT HexCellRect(const HexEditModel& model, int index)
{
    return CellRect(model, model.GetColumns().HexCellOf(index % kHexBytesPerLine), RowOfByte(model, index), 2);
}

inline RECT CharCellRect(const HexEditModel& model, int index)
{
    return CellRect(model, model.GetColumns().CharCellOf(index % kHexBytesPerLine), RowOfByte(model, index));
}

// The colour most pixels of the rectangle have: a cell's background, whatever its glyph.
inline COLORREF DominantColor(const winharness::DibSurface& surface, const RECT& rc)
{
    std::map<COLORREF, int> counts;
    for (int y = rc.top; y < rc.bottom; ++y)
        for (int x = rc.left; x < rc.right; ++x)
            ++counts[surface.Pixel(x, y)];
    COLORREF best = CLR_INVALID;
    int most = -1;
    for (const auto& c : counts) {
        if (c.second > most) {
            most = c.second;
            best = c.first;
        }
    }
    return best;
}

// Number of pixels in the rectangle that differ from the colour.
inline int CountOther(const winharness::DibSurface& surface, const RECT& rc, COLORREF color)
{
    int n = 0;
    for (int y = rc.top; y < rc.bottom; ++y)
        for (int x = rc.left; x < rc.right; ++x)
            n += surface.Pixel(x, y) != color;
    return n;
}

// Holds the Wine clipboard empty before and after a test.
inline void EmptyTheClipboard(HWND owner)
{
    if (OpenClipboard(owner)) {
        EmptyClipboard();
        CloseClipboard();
    }
}

// Puts a CF_TEXT block of exactly these bytes (no terminator added) on the clipboard alone.
inline bool PutTextBlock(HWND owner, const char* bytes, size_t n)
{
    if (!OpenClipboard(owner))
        return false;
    EmptyClipboard();
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, n);
    memcpy(GlobalLock(block), bytes, n);
    GlobalUnlock(block);
    const bool put = SetClipboardData(CF_TEXT, block) != NULL;
    CloseClipboard();
    return put;
}

// The text of a tooltip window's only tool of hwndTool.
inline std::string ToolTipText(HWND tip, HWND hwndTool)
{
    char text[1100] = "";
    TOOLINFOA ti = {};
    ti.cbSize = TTTOOLINFOA_V2_SIZE;
    ti.hwnd = hwndTool;
    ti.uId = 0;
    ti.lpszText = text;
    SendMessageA(tip, TTM_GETTEXTA, sizeof(text), reinterpret_cast<LPARAM>(&ti));
    return text;
}

struct ToolTipSearch {
    HWND tool = NULL;
    HWND found = NULL;
    int count = 0;
};

inline BOOL CALLBACK ToolTipSearchProc(HWND hwnd, LPARAM lParam)
{
    ToolTipSearch* s = reinterpret_cast<ToolTipSearch*>(lParam);
    char name[64] = "";
    GetClassNameA(hwnd, name, sizeof(name));
    if (lstrcmpiA(name, TOOLTIPS_CLASSA) != 0)
        return TRUE;
    ++s->count;
    TOOLINFOA ti = {};
    ti.cbSize = TTTOOLINFOA_V2_SIZE;
    ti.hwnd = s->tool;
    ti.uId = 0;
    if (s->tool != NULL && s->found == NULL && SendMessageA(hwnd, TTM_GETTOOLINFOA, 0, reinterpret_cast<LPARAM>(&ti)))
        s->found = hwnd;
    return TRUE;
}

// The tooltip window of this thread that has a tool for the window (none: NULL).
inline HWND ToolTipWithToolFor(HWND hwndTool)
{
    ToolTipSearch search;
    search.tool = hwndTool;
    EnumThreadWindows(GetCurrentThreadId(), ToolTipSearchProc, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Number of tooltip windows of this thread.
inline int CountToolTipWindows()
{
    ToolTipSearch search;
    EnumThreadWindows(GetCurrentThreadId(), ToolTipSearchProc, reinterpret_cast<LPARAM>(&search));
    return search.count;
}
