// ColorEditWnd: creation, public operations, geometry, caret, focus and notifications.
#include "coloreditwnd.h"
#include "coloreditmenu.h"
#include "afxdc.h"
#include <imm.h>
#include <algorithm>
#include <climits>

IMPLEMENT_DYNAMIC(ColorEditWnd, CWnd)

BEGIN_MESSAGE_MAP(ColorEditWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_SHOWWINDOW()
    ON_WM_SIZE()
    ON_WM_ERASEBKGND()
    ON_WM_PAINT()
    ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
    ON_WM_SETCURSOR()
    ON_WM_GETDLGCODE()
    ON_WM_KEYDOWN()
    ON_WM_CHAR()
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_MOUSEWHEEL()
    ON_WM_VSCROLL()
    ON_WM_HSCROLL()
    ON_WM_CONTEXTMENU()
    ON_WM_SETFOCUS()
    ON_WM_KILLFOCUS()
    ON_COMMAND(ID_EDIT_COPY, OnEditCopy)
    ON_COMMAND(ID_EDIT_CUT, OnEditCut)
    ON_COMMAND(ID_EDIT_PASTE, OnEditPaste)
    ON_COMMAND(ID_EDIT_SELECT_ALL, OnEditSelectAll)
    ON_COMMAND(ID_EDIT_UNDO, OnEditUndo)
    ON_COMMAND(ID_EDIT_REDO, OnEditRedo)
    ON_UPDATE_COMMAND_UI(ID_EDIT_COPY, OnUpdateNeedSel)
    ON_UPDATE_COMMAND_UI(ID_EDIT_CUT, OnUpdateNeedSel)
    ON_UPDATE_COMMAND_UI(ID_EDIT_PASTE, OnUpdateEditPaste)
    ON_UPDATE_COMMAND_UI(ID_EDIT_SELECT_ALL, OnUpdateEditSelectAll)
    ON_UPDATE_COMMAND_UI(ID_EDIT_UNDO, OnUpdateEditUndo)
    ON_UPDATE_COMMAND_UI(ID_EDIT_REDO, OnUpdateEditRedo)
END_MESSAGE_MAP()

ColorEditWnd::ColorEditWnd(CWnd* pParentWnd, const RECT& rect, UINT nID, int nTabWidth, BOOL bHScroll)
    : m_bReadOnly(FALSE), m_nCellWidth(10), m_nLineHeight(10), m_hCursor(NULL), m_nFirstColumn(0),
      m_nTopLine(0), m_crBack(RGB(255, 255, 255)), m_crSelBack(RGB(0, 0, 0)),
      m_crSelText(RGB(255, 255, 255)), m_model(nTabWidth), m_bSelectionShown(FALSE), m_bSelecting(FALSE),
      m_bCaretCreated(FALSE), m_nMouseDownX(0), m_nMouseDownY(0), m_bAccelEnabled(TRUE), m_nID(nID),
      m_hAccel(NULL)
{
    Construct(pParentWnd, rect, nID, bHScroll);
}

ColorEditWnd::ColorEditWnd(CWnd* pParentWnd, const RECT& rect, UINT nID, int nTabWidth, BOOL bHScroll,
                           int /*nPointSize*/, LPCTSTR /*lpszFaceName*/)
    : ColorEditWnd(pParentWnd, rect, nID, nTabWidth, bHScroll)
{
}

void ColorEditWnd::Construct(CWnd* pParentWnd, const RECT& rect, UINT nID, BOOL bHScroll)
{
    m_hAccel = ColorEditCreateAccelerators();
    if (!m_font.CreateFont(12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                           CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN, NULL))
        return;
    DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_VSCROLL;
    if (bHScroll)
        dwStyle |= WS_HSCROLL;
    if (!Create(NULL, NULL, dwStyle, rect, pParentWnd, nID))
        return;
    ResetContent();
}

ColorEditWnd::~ColorEditWnd()
{
    // The window goes first, while this object can still answer its last messages (the
    // focus loss destroys the caret).
    if (m_hWnd != NULL && ::IsWindow(m_hWnd)) {
        if (m_bCaretCreated) {
            ::HideCaret(m_hWnd);
            ::DestroyCaret();
            m_bCaretCreated = FALSE;
        }
        DestroyWindow();
    }
    if (m_hAccel != NULL)
        ::DestroyAcceleratorTable(m_hAccel);
}

// ---- Text ---------------------------------------------------------------------------------

void ColorEditWnd::SetText(LPCSTR lpszText)
{
    m_model.SetText(lpszText);
    m_nTopLine = 0;
    m_nFirstColumn = 0;
    m_bSelectionShown = FALSE;
    m_bSelecting = FALSE;
    ApplyRefresh();
    UpdateScrollBars();
    Invalidate(FALSE);
    UpdateCaret(TRUE);
}

void ColorEditWnd::GetText(CString& strText) const
{
    m_model.GetText(strText);
}

CString ColorEditWnd::GetLine(int nLine) const
{
    return m_model.GetLine(nLine);
}

void ColorEditWnd::ResetContent()
{
    m_model.ResetContent();
    m_nTopLine = 0;
    m_nFirstColumn = 0;
    m_bSelectionShown = FALSE;
    m_bSelecting = FALSE;
    ApplyRefresh();
}

void ColorEditWnd::ClearUndoHistory()
{
    m_model.ClearUndoHistory();
}

void ColorEditWnd::SetKeywordSet(CKeywordSet* pKeywords)
{
    m_model.SetKeywordSet(pKeywords);
    ApplyRefresh();
}

void ColorEditWnd::SetSelectionBkColor(COLORREF crBack)
{
    m_crSelBack = crBack;
    if (m_hWnd != NULL)
        Invalidate(FALSE);
}

void ColorEditWnd::AddCharSpacing(int nPixels)
{
    if (nPixels > 0)
        m_nCellWidth += nPixels;
}

BOOL ColorEditWnd::HasSelection()
{
    BOOL bHas = m_model.HasSelection();
    if (bHas != m_bSelectionShown && m_hWnd != NULL) {
        if (bHas)
            InvalidateLines(m_model.GetAnchor().line, m_model.GetCaret().line, TRUE);
        else
            Invalidate(FALSE);
    }
    m_bSelectionShown = bHas;
    return bHas;
}

// ---- Model refresh and notifications -----------------------------------------------------

void ColorEditWnd::ApplyRefresh()
{
    const ColorEditRefresh r = m_model.TakeRefresh();
    if (m_hWnd != NULL) {
        for (int nLine : r.showLines)
            EnsureLineVisible(nLine);
        if (r.scrollRanges)
            UpdateScrollBars();
        if (r.all)
            Invalidate(FALSE);
        else if (r.firstLine <= r.lastLine)
            InvalidateLines(r.firstLine, r.lastLine);
    }
    if (r.changeNotify)
        NotifyParent(EN_CHANGE);
}

void ColorEditWnd::NotifyParent(UINT nCode)
{
    if (m_hWnd == NULL || !::IsWindow(m_hWnd))
        return;
    HWND hParent = ::GetParent(m_hWnd);
    if (hParent == NULL)
        return;
    ::SendMessage(hParent, WM_COMMAND, MAKEWPARAM(m_nID, nCode), (LPARAM)m_hWnd);
}

// ---- Geometry -----------------------------------------------------------------------------

int ColorEditWnd::WholeLinesThatFit() const
{
    CRect rc;
    GetClientRect(&rc);
    return rc.Height() / std::max(m_nLineHeight, 1);
}

int ColorEditWnd::VisibleLines() const
{
    return std::min(WholeLinesThatFit(), m_model.GetLineCount());
}

int ColorEditWnd::VisibleColumns() const
{
    CRect rc;
    GetClientRect(&rc);
    return rc.Width() / std::max(m_nCellWidth, 1) - 1;
}

int ColorEditWnd::LastVisibleLine() const
{
    return std::min(m_nTopLine + VisibleLines(), m_model.GetLineCount());
}

CRect ColorEditWnd::LineRect(int nLine) const
{
    return LinesRect(nLine, nLine);
}

// Lines far outside the window are clipped to a band around the client area so that the
// pixel arithmetic cannot overflow.
CRect ColorEditWnd::LinesRect(int nFirst, int nLast) const
{
    if (nFirst > nLast)
        std::swap(nFirst, nLast);
    CRect rcClient;
    GetClientRect(&rcClient);
    const int nRows = rcClient.Height() / std::max(m_nLineHeight, 1) + 2;
    auto clampRow = [&](int nLine) {
        long long row = (long long)nLine - m_nTopLine;
        return (int)std::clamp<long long>(row, -1, nRows);
    };
    const int top = clampRow(nFirst) * m_nLineHeight;
    const int bottom = nLast == ColorEditRefresh::kToBottom ? std::max<int>(rcClient.bottom, top)
                                                             : (clampRow(nLast) + 1) * m_nLineHeight;
    return CRect(0, top, rcClient.right, bottom);
}

void ColorEditWnd::InvalidateLines(int nFirst, int nLast, BOOL bErase)
{
    if (m_hWnd == NULL)
        return;
    CRect rc = LinesRect(nFirst, nLast);
    // Glyphs may reach a little above and below their line.
    rc.InflateRect(0, 4);
    InvalidateRect(&rc, bErase);
}

ColorEditPos ColorEditWnd::PositionFromPoint(CPoint point) const
{
    const int cw = std::max(m_nCellWidth, 1);
    const int column = (point.x - kLeftMargin + cw / 2) / cw + m_nFirstColumn;
    const int line = point.y / std::max(m_nLineHeight, 1) + m_nTopLine;
    return m_model.ClampPosition(column, line);
}

// ---- Caret and anchor ---------------------------------------------------------------------

void ColorEditWnd::UpdateCaret(BOOL bShow)
{
    if (m_hWnd == NULL || ::GetFocus() != m_hWnd)
        return;
    if (bShow) {
        if (!m_bCaretCreated) {
            ::CreateCaret(m_hWnd, NULL, 2, m_nLineHeight);
            ::ShowCaret(m_hWnd);
            m_bCaretCreated = TRUE;
        }
    } else if (m_bCaretCreated) {
        ::HideCaret(m_hWnd);
        ::DestroyCaret();
        m_bCaretCreated = FALSE;
    }
    const ColorEditPos caret = m_model.GetCaret();
    POINT pt;
    pt.x = (caret.column - m_nFirstColumn) * m_nCellWidth + kLeftMargin - 1;
    pt.y = (caret.line - m_nTopLine) * m_nLineHeight;
    ::SetCaretPos(pt.x, pt.y);

    // The input method composes at the caret.
    HIMC hImc = ::ImmGetContext(m_hWnd);
    if (hImc != NULL) {
        COMPOSITIONFORM cf = {};
        ::ImmGetCompositionWindow(hImc, &cf);
        cf.dwStyle = CFS_POINT;
        cf.ptCurrentPos = pt;
        ::ImmSetCompositionWindow(hImc, &cf);
        ::ImmReleaseContext(m_hWnd, hImc);
    }
}

void ColorEditWnd::UpdateAnchor(BOOL bExtend)
{
    if (!bExtend) {
        m_model.CollapseSelection();
        return;
    }
    if (::GetKeyState(VK_SHIFT) >= 0)
        m_model.CollapseSelection();
    InvalidateLines(m_model.GetAnchor().line, m_model.GetCaret().line);
}

// ---- Focus --------------------------------------------------------------------------------

void ColorEditWnd::OnSetFocus(CWnd* pOldWnd)
{
    CWnd::OnSetFocus(pOldWnd);
    UpdateCaret(TRUE);
    NotifyParent(EN_SETFOCUS);
}

// The caret is destroyed here, while it is still this window's: the window that takes the
// focus creates its own.
void ColorEditWnd::OnKillFocus(CWnd* pNewWnd)
{
    CWnd::OnKillFocus(pNewWnd);
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    m_bSelecting = FALSE;
    if (m_bCaretCreated) {
        ::HideCaret(m_hWnd);
        ::DestroyCaret();
        m_bCaretCreated = FALSE;
    }
    NotifyParent(EN_KILLFOCUS);
}

// ---- Creation and shape -------------------------------------------------------------------

int ColorEditWnd::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    m_bCaretCreated = FALSE;
    m_hCursor = ::LoadCursor(NULL, IDC_IBEAM);
    return 0;
}

void ColorEditWnd::OnShowWindow(BOOL bShow, UINT nStatus)
{
    CWnd::OnShowWindow(bShow, nStatus);
    if (!bShow)
        return;
    CClientDC dc(this);
    CFont* pOld = dc.SelectObject(&m_font);
    TEXTMETRIC tm;
    if (dc.GetTextMetrics(&tm)) {
        m_nCellWidth = std::max<int>(tm.tmAveCharWidth, 1);
        m_nLineHeight = std::max<int>(tm.tmHeight, 1);
    }
    dc.SelectObject(pOld);
}

void ColorEditWnd::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    UpdateScrollBars();
}

BOOL ColorEditWnd::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

BOOL ColorEditWnd::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    POINT pt;
    ::GetCursorPos(&pt);
    ScreenToClient(&pt);
    CRect rc;
    GetClientRect(&rc);
    if (rc.PtInRect(pt) && m_hCursor != NULL) {
        ::SetCursor(m_hCursor);
        return TRUE;
    }
    return CWnd::OnSetCursor(pWnd, nHitTest, message);
}

UINT ColorEditWnd::OnGetDlgCode()
{
    return DLGC_WANTALLKEYS;
}
