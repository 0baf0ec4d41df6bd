// Hex editor model: data, layout, scrolling, caret placement, hit-testing, markers, decodings
// and cell colours. Editing is in hexeditediting.cpp, keys and mouse in hexeditinput.cpp.
#include "hexeditmodel.h"

#include <algorithm>

#include "conversions.h"

namespace {

const COLORREF kAnalysisBack = 0x8888FF;

}  // namespace

HexEditModel::HexEditModel()
{
    m_analysis.crText = kAnalysisBack;
    m_analysis.crBack = 0xFFFFFF;
}

UINT HexEditModel::TakeViewChanges()
{
    const UINT changes = m_nChanges;
    m_nChanges = 0;
    return changes;
}

// ---------------------------------------------------------------------------------------
// Data

void HexEditModel::SetData(const COleSafeArray& data)
{
    AssignFrom(data, &HexEditModel::SetData);
}

void HexEditModel::ResetData(const COleSafeArray& data)
{
    AssignFrom(data, &HexEditModel::ResetData);
}

void HexEditModel::AssignFrom(const COleSafeArray& data, void (HexEditModel::*assign)(const BYTE*, UINT))
{
    HexBuffer incoming;
    incoming.Assign(data);
    HexBuffer::Reader reader(incoming);
    (this->*assign)(reader.Data(), reader.Size());
}

void HexEditModel::SetData(const BYTE* bytes, UINT n)
{
    // A viewer's user cannot undo: a viewer keeps no history, however often its data comes.
    if (!m_bEditable) {
        ResetData(bytes, n);
        return;
    }
    // Two undo steps: the first removes the new content, the second brings the old back.
    ClearSelection();
    m_nCaret = 0;
    const UINT oldSize = m_buffer.GetSize();
    if (oldSize > 0) {
        HexBuffer::Reader reader(m_buffer);
        AddUndoRecord(HEXUNDO_REMOVED, reader.Data(), oldSize, true);
    }
    if (n > 0)
        AddUndoRecord(HEXUNDO_INSERTED, NULL, n, true);
    ReplaceContent(bytes, n);
}

void HexEditModel::ResetData(const BYTE* bytes, UINT n)
{
    m_undo.Clear();
    m_redo.Clear();
    ReplaceContent(bytes, n);
}

void HexEditModel::ReplaceContent(const BYTE* bytes, UINT n)
{
    // New data may come while the button is held (a script or an extension DLL writing the
    // editor during a drag): the drag ends here, or its anchor and the release would put the
    // caret and the selection past the new end.
    EndDrag();
    ClearSelection();
    m_buffer.Assign(bytes, n);
    m_nCaret = 0;
    m_nTop = 0;
    m_nNibble = 0;
    RecalcLayout();
    UpdateCaretPos();
    Changed(HEXVIEW_REDRAW);
}

// ---------------------------------------------------------------------------------------
// Layout and scrolling

void HexEditModel::SetViewMetrics(const HexViewMetrics& metrics)
{
    m_metrics = metrics;
    m_bHaveMetrics = true;
}

void HexEditModel::RecalcLayout()
{
    if (!m_bHaveMetrics)
        return;
    if (m_buffer.GetSize() > 0x10000)
        m_nAddressDigits = 8;
    const HexColumns cols = ComputeHexColumns(m_bShowAddress, m_nAddressDigits, m_nGroupDigits, m_bShowChars);
    m_layout = ComputeHexLayout(m_metrics, cols, m_bShowHeader, m_buffer.GetSize());
    m_nTop = (m_nTop / kHexBytesPerLine) * kHexBytesPerLine;
    EnsureCaretVisible();
    UpdateScrollBars();
    if (!m_vbar.bShow)
        m_nTop = 0;
    Changed(HEXVIEW_REDRAW);
}

bool HexEditModel::EnsureCaretVisible()
{
    const int size = static_cast<int>(m_buffer.GetSize());
    if (m_nCaret < 0)
        m_nCaret = 0;
    if (m_nCaret >= size) {
        m_nCaret = size;
        m_nNibble = 0;
    }
    const int oldTop = m_nTop;
    const int oldHScroll = m_nHScroll;
    const int rows = m_layout.nVisibleRows;
    if (m_nCaret < m_nTop)
        m_nTop = (m_nCaret / kHexBytesPerLine) * kHexBytesPerLine;
    else if (m_nCaret >= m_nTop + rows * kHexBytesPerLine)
        m_nTop = (m_nCaret / kHexBytesPerLine - rows + 1) * kHexBytesPerLine;
    // The last row never scrolls above the bottom line.
    if (m_nTop > size - (rows - 1) * kHexBytesPerLine) {
        m_nTop = (size / kHexBytesPerLine - rows + 1) * kHexBytesPerLine;
        if (m_nTop < 0)
            m_nTop = 0;
    }

    const HexColumns& cols = m_layout.cols;
    const int c = m_nCaret % kHexBytesPerLine;
    int column, end;
    if (IsHexColumn()) {
        column = cols.HexCellOf(c);
        end = column + 2;
    } else {
        column = cols.CharCellOf(c);
        end = column + 1;
    }
    if (column < m_nHScroll)
        m_nHScroll = column;
    else if (end - m_nHScroll >= m_layout.nVisibleCols)
        m_nHScroll = end - m_layout.nVisibleCols;
    return m_nTop != oldTop || m_nHScroll != oldHScroll;
}

bool HexEditModel::UpdateScrollBars()
{
    HexScrollBar v;
    v.nMin = 0;
    v.nMax = m_layout.nTotalRows - 1;
    v.nPage = m_layout.nVisibleRows;
    v.nPos = (m_nTop + kHexBytesPerLine - 1) / kHexBytesPerLine;
    v.bShow = m_layout.nTotalRows - 1 >= m_layout.nVisibleRows;

    HexScrollBar h;
    const int lineWidth = m_layout.cols.nLineWidth;
    const int cols = m_layout.nVisibleCols;
    h.nMin = 0;
    h.nMax = lineWidth - 1;
    h.nPage = cols;
    if (lineWidth - 1 > cols && m_nHScroll + cols > lineWidth - 1)
        m_nHScroll = lineWidth - cols;
    h.bShow = lineWidth - 1 >= cols;
    if (!h.bShow && m_nHScroll != 0) {
        m_nHScroll = 0;
        UpdateCaretPos();
    }
    h.nPos = m_nHScroll;

    const bool changed = !m_bScrollBarsKnown || v.nPos != m_vbar.nPos || h.nPos != m_hbar.nPos;
    m_vbar = v;
    m_hbar = h;
    m_bScrollBarsKnown = true;
    Changed(HEXVIEW_SCROLLBARS);
    return changed;
}

void HexEditModel::VScroll(UINT code, int trackPos)
{
    int top = m_nTop;
    const int page = kHexBytesPerLine * m_layout.nVisibleRows;
    switch (code) {
    case SB_LINEUP:
        top -= kHexBytesPerLine;
        break;
    case SB_LINEDOWN:
        top += kHexBytesPerLine;
        break;
    case SB_PAGEUP:
        top -= page;
        break;
    case SB_PAGEDOWN:
        top += page;
        break;
    case SB_THUMBTRACK:
        top = kHexBytesPerLine * trackPos;
        break;
    default:
        return;
    }
    const int maxTop = (static_cast<int>(m_buffer.GetSize()) / kHexBytesPerLine - (m_layout.nVisibleRows - 1)) *
                       kHexBytesPerLine;
    top = std::max(0, std::min(top, maxTop));
    if (top != m_nTop) {
        m_nTop = top;
        m_vbar.nPos = top / kHexBytesPerLine;
        Changed(HEXVIEW_REDRAW | HEXVIEW_SCROLLBARS);
        UpdateCaretPos();
    }
}

void HexEditModel::HScroll(UINT code, int trackPos)
{
    int pos = m_nHScroll;
    switch (code) {
    case SB_LINELEFT:
        --pos;
        break;
    case SB_LINERIGHT:
        ++pos;
        break;
    case SB_PAGELEFT:
        pos -= m_layout.nVisibleCols;
        break;
    case SB_PAGERIGHT:
        pos += m_layout.nVisibleCols;
        break;
    case SB_THUMBTRACK:
        pos = trackPos;
        break;
    default:
        return;
    }
    pos = std::max(0, std::min(pos, m_layout.cols.nLineWidth - m_layout.nVisibleCols));
    if (pos != m_nHScroll) {
        m_nHScroll = pos;
        m_hbar.nPos = pos;
        Changed(HEXVIEW_REDRAW | HEXVIEW_SCROLLBARS);
        UpdateCaretPos();
    }
}

void HexEditModel::MouseWheel(int delta)
{
    if (m_layout.nTotalRows - 1 < m_layout.nVisibleRows)
        return;
    for (int i = 0; i < 3; ++i)
        VScroll(delta > 0 ? SB_LINEUP : SB_LINEDOWN, 0);
}

// ---------------------------------------------------------------------------------------
// Caret and hit-testing

void HexEditModel::SetCaretColumn(bool hexColumn)
{
    if (hexColumn)
        m_dwMode |= HEXMODE_HEXCOLUMN;
    else
        m_dwMode &= ~HEXMODE_HEXCOLUMN;
}

void HexEditModel::MoveCaret(int dx, int dy, bool force)
{
    m_nCaret += dx + kHexBytesPerLine * dy;
    m_nNibble = 0;
    const bool scrolled = EnsureCaretVisible();
    const bool barMoved = UpdateScrollBars();
    if (scrolled || barMoved || force)
        Changed(HEXVIEW_REDRAW);
    UpdateCaretPos();
}

SIZE HexEditModel::GetCaretSize() const
{
    SIZE size = {IsInsertMode() ? 0 : m_layout.nCellWidth, m_layout.nCellHeight};
    return size;
}

void HexEditModel::UpdateCaretPos()
{
    if (!m_bFocused)
        return;
    const HexColumns& cols = m_layout.cols;
    const bool hex = IsHexColumn();
    const int header = m_bShowHeader ? 1 : 0;
    int column, row;
    if (!HasNoSelection() && m_nCaret == m_nSelEnd + 1) {
        // The caret just after a selection is drawn after its last byte.
        const int e = m_nSelEnd % kHexBytesPerLine;
        column = hex ? cols.nHexStart + 2 * (e + 1) + e / cols.nGroupBytes + m_nNibble : cols.nCharStart + e + 1;
        row = m_nSelEnd < m_nTop ? -1 : (m_nSelEnd - m_nTop) / kHexBytesPerLine + header;
    } else {
        const int c = m_nCaret % kHexBytesPerLine;
        column = hex ? cols.nHexStart + c / cols.nGroupBytes + 2 * c + m_nNibble : cols.nCharStart + c;
        row = m_nCaret < m_nTop ? -1 : (m_nCaret - m_nTop) / kHexBytesPerLine + header;
    }
    const int cw = m_layout.nCellWidth;
    HexCaretPlacement placement;
    placement.x = (column - m_nHScroll) * cw + cw / 2 - 1;
    placement.y = row * m_layout.nCellHeight;
    const RECT& rc = m_layout.rcClient;
    const int lineHeight = m_nFontHeight > 0 ? m_nFontHeight : m_layout.nCellHeight;
    placement.bVisible = HasData() && HasNoSelection() && !m_bMouseSelecting && placement.x >= rc.left &&
                         placement.x <= rc.right && placement.y >= rc.top &&
                         placement.y / lineHeight < rc.bottom / lineHeight;
    m_caretPlacement = placement;
    m_bCaretShown = placement.bVisible;
    Changed(HEXVIEW_CARET);
}

bool HexEditModel::IsOnHeaderRow(int y) const
{
    return m_bShowHeader && y / m_layout.nCellHeight == 0;
}

bool HexEditModel::IsInClient(int x, int y) const
{
    const RECT& rc = m_layout.rcClient;
    return x >= rc.left && x < rc.right && y >= rc.top && y < rc.bottom;
}

bool HexEditModel::HitTest(int x, int y, int* pIndex)
{
    const HexColumns& cols = m_layout.cols;
    const int cw = m_layout.nCellWidth;
    const int column = (x - cw / 2) / cw + m_nHScroll;
    int row = y / m_layout.nCellHeight;
    if (m_bShowHeader) {
        if (row == 0)
            return false;
        --row;
    }
    const bool charHit = (column >= cols.nCharStart && cols.bCharShown && !m_bKeepColumn) ||
                         (m_bKeepColumn && !IsHexColumn());
    int index, nibble = 0;
    if (charHit) {
        const int c = std::max(0, std::min(column - cols.nCharStart, kHexBytesPerLine - 1));
        index = kHexBytesPerLine * row + m_nTop + c;
    } else {
        const int r = std::max(0, std::min(column - cols.nHexStart, cols.nGroupsPerLine + 2 * kHexBytesPerLine - 2));
        const int digits = HexDigitsBefore(r, m_nGroupDigits);
        index = kHexBytesPerLine * row + m_nTop + digits / 2;
        nibble = digits % 2;
    }
    if (pIndex) {
        *pIndex = index;
        return true;
    }
    // A click into the character column starts a fresh byte, so a half-typed hex digit
    // does not turn the next typed character into an overwrite.
    m_nCaret = index;
    m_nNibble = nibble;
    SetCaretColumn(!charHit);
    EnsureCaretVisible();
    return true;
}

// ---------------------------------------------------------------------------------------
// Selection

void HexEditModel::ClearSelection()
{
    // Every change of the selection ends a half-typed byte.
    m_nSelStart = m_nSelEnd = -1;
    m_nNibble = 0;
}

bool HexEditModel::GetSelectionRange(UINT& start, UINT& count) const
{
    const UINT size = m_buffer.GetSize();
    if (HasNoSelection() || m_nSelStart < 0 || m_nSelEnd < m_nSelStart || static_cast<UINT>(m_nSelStart) >= size)
        return false;
    start = m_nSelStart;
    const UINT end = std::min(static_cast<UINT>(m_nSelEnd), size - 1);
    count = end - start + 1;
    return true;
}

bool HexEditModel::GetSelectedBytes(std::vector<BYTE>& bytes) const
{
    UINT start, count;
    if (!GetSelectionRange(start, count))
        return false;
    m_buffer.Read(start, count, bytes);
    return true;
}

void HexEditModel::SelectAll()
{
    if (m_buffer.GetSize() == 0)
        return;
    m_nSelStart = 0;
    m_nSelEnd = static_cast<int>(m_buffer.GetSize()) - 1;
    m_nCaret = 0;
    m_nNibble = 0;
    EnsureCaretVisible();
    UpdateScrollBars();
    Changed(HEXVIEW_REDRAW);
    UpdateCaretPos();
}

// ---------------------------------------------------------------------------------------
// Markers

int HexEditModel::AddMarker(int start, int length, COLORREF crText, COLORREF crBack, LPCSTR comment)
{
    HexMarker marker;
    marker.nStart = start;
    marker.nLength = length;
    marker.crText = crText;
    marker.crBack = crBack;
    marker.strComment = comment ? comment : "";
    m_markers.push_back(marker);
    m_crMarkerText = crText;
    m_crMarkerBack = crBack;
    Changed(HEXVIEW_REDRAW);
    return 1;
}

void HexEditModel::ClearMarkers()
{
    m_markers.clear();
    Changed(HEXVIEW_REDRAW);
}

int HexEditModel::CountMarkersInRange(int start, int n) const
{
    return static_cast<int>(std::count_if(m_markers.begin(), m_markers.end(),
                                          [=](const HexMarker& m) { return m.Overlaps(start, n); }));
}

void HexEditModel::RemoveMarkersInRange(int start, int n)
{
    const size_t before = m_markers.size();
    m_markers.erase(std::remove_if(m_markers.begin(), m_markers.end(),
                                   [=](const HexMarker& m) { return m.Overlaps(start, n); }),
                    m_markers.end());
    if (m_markers.size() != before)
        Changed(HEXVIEW_REDRAW);
}

void HexEditModel::SetMarkerData(const COleSafeArray& blob)
{
    m_markers.clear();
    DeserializeMarkers(blob, m_markers);
    Changed(HEXVIEW_REDRAW);
}

int HexEditModel::FindMarkerAt(LONGLONG b) const
{
    for (size_t i = 0; i < m_markers.size(); ++i) {
        if (m_markers[i].Covers(b))
            return static_cast<int>(i);
    }
    return -1;
}

CString HexEditModel::GetMarkerTipAt(int x, int y)
{
    int index = 0;
    if (!HitTest(x, y, &index))
        return CString();
    const int marker = FindMarkerAt(index);
    if (marker < 0)
        return CString();
    const CString& comment = m_markers[marker].strComment;
    if (comment.GetLength() <= kHexTipTextMax)
        return comment;
    // Cut on a character boundary so the tip does not end in half a character.
    int length = 0;
    while (length < kHexTipTextMax) {
        const int step = IsShiftJisLeadByte(static_cast<BYTE>(comment[length])) ? 2 : 1;
        if (length + step > kHexTipTextMax)
            break;
        length += step;
    }
    return comment.Left(length);
}

// ---------------------------------------------------------------------------------------
// Decodings and colours

BOOL HexEditModel::DataToText(CString& text, UINT* pFailIndex, LPCSTR newline, bool* pCloseKanji) const
{
    HexBuffer::Reader reader(m_buffer);
    std::string result;
    if (!HexDataToText(reader.Data(), reader.Size(), m_nCharCode, result, pFailIndex, newline, pCloseKanji))
        return FALSE;
    text = CString(result.data(), static_cast<int>(result.size()));
    return TRUE;
}

void HexEditModel::TextToData(LPCSTR text, int mode, LPCSTR newline, bool closeKanji)
{
    const std::vector<BYTE> data = HexTextToData(text, mode, newline, closeKanji);
    SetData(data.empty() ? NULL : data.data(), static_cast<UINT>(data.size()));
}

void HexEditModel::GetDisplayCells(UINT first, UINT count, std::vector<HexCharCell>& cells) const
{
    HexBuffer::Reader reader(m_buffer);
    m_decodePoints.Follow(m_buffer.GetVersion());
    DecodeDisplayCells(reader.Data(), reader.Size(), m_nCharCode, first, count, cells, &m_decodePoints);
}

void HexEditModel::GetCellColors(LONGLONG b, COLORREF& crText, COLORREF& crBack) const
{
    crText = m_crText;
    if (m_analysis.Covers(b)) {
        crBack = m_analysis.crText;
        return;
    }
    crBack = m_crBack;
    const int marker = FindMarkerAt(b);
    if (marker >= 0) {
        crText = m_markers[marker].crText;
        crBack = m_markers[marker].crBack;
    }
    // Compared unsigned, as no selection (-1) then lies beyond every byte.
    const ULONGLONG ub = static_cast<ULONGLONG>(b);
    if (static_cast<UINT>(m_nSelStart) <= ub && ub <= static_cast<UINT>(m_nSelEnd))
        std::swap(crText, crBack);
}
