// CHexEdit: window class, creation, layout, public operations, the view work the model asks
// for, painting and scrolling. Keys and focus are in hexeditkeys.cpp, the mouse and the
// tooltips in hexeditmouse.cpp.
#include "hexedit.h"
#include "paintsystem.h"

#include <algorithm>

#include "hexclipboard.h"
#include "hexpaint.h"

const char kHexEditClassName[] = "CHexEdit";

IMPLEMENT_DYNCREATE(CHexEdit, CWnd)

BEGIN_MESSAGE_MAP(CHexEdit, CWnd)
    ON_WM_DESTROY()
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
    ON_WM_SIZE()
    ON_WM_VSCROLL()
    ON_WM_HSCROLL()
    ON_WM_MOUSEWHEEL()
    ON_WM_GETDLGCODE()
    ON_WM_KEYDOWN()
    ON_WM_KEYUP()
    ON_WM_CHAR()
    ON_MESSAGE(WM_IME_CHAR, OnImeChar)
    ON_WM_SETFOCUS()
    ON_WM_KILLFOCUS()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_MOUSEMOVE()
    ON_WM_TIMER()
    ON_WM_CONTEXTMENU()
END_MESSAGE_MAP()

CHexEdit::CHexEdit()
{
    m_szTipText[0] = '\0';
}

CHexEdit::~CHexEdit()
{
    // Destroyed here, while the handlers and the members they use still exist.
    if (m_hWnd != NULL)
        DestroyWindow();
}

BOOL CHexEdit::RegisterWndClass()
{
    WNDCLASS wc = {};
    wc.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = ::DefWindowProc;
    wc.hInstance = AfxGetInstanceHandle();
    wc.hCursor = ::LoadCursor(NULL, IDC_IBEAM);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = kHexEditClassName;
    return AfxRegisterClass(&wc);
}

// ---------------------------------------------------------------------------------------
// Creation

BOOL CHexEdit::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                      CWnd* pParentWnd, UINT nID, CCreateContext* pContext)
{
    const BOOL created = CWnd::Create(lpszClassName, lpszWindowName, dwStyle | WS_HSCROLL | WS_VSCROLL, rect,
                                      pParentWnd, nID, pContext);
    m_bCreating = false;
    return created;
}

BOOL CHexEdit::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return Create(kHexEditClassName, NULL, dwStyle, rect, pParentWnd, nID);
}

BOOL CHexEdit::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!RegisterWndClass())
        return FALSE;
    if (cs.lpszClass == NULL)
        cs.lpszClass = kHexEditClassName;
    cs.style &= ~WS_BORDER;
    cs.dwExStyle |= WS_EX_CLIENTEDGE;
    m_bCreating = true;
    return CWnd::PreCreateWindow(cs);
}

void CHexEdit::PreSubclassWindow()
{
    CWnd::PreSubclassWindow();
    // A control made from a dialog template already has its size: lay it out now. One that
    // Create is making has none yet and gets its layout from WM_SIZE.
    if (m_bCreating)
        m_bCreating = false;
    else
        RecalcLayout();
}

BOOL CHexEdit::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->hwnd == m_hWnd) {
        // Made on the first relay: a control bound from a dialog template never passed
        // through PreCreateWindow.
        if (m_toolTip.m_hWnd == NULL)
            m_toolTip.Create(this);
        if (m_toolTip.m_hWnd != NULL)
            m_toolTip.RelayEvent(pMsg);
    }
    return CWnd::PreTranslateMessage(pMsg);
}

void CHexEdit::OnDestroy()
{
    // The tooltips belong to the top-level window, not to this one: they go with the
    // control, so that a control made again gets tools for its new window.
    if (m_toolTip.m_hWnd != NULL)
        m_toolTip.DestroyWindow();
    if (m_markerTip.m_hWnd != NULL)
        m_markerTip.DestroyWindow();
    CWnd::OnDestroy();
}

// ---------------------------------------------------------------------------------------
// Layout

void CHexEdit::RecalcLayout()
{
    if (!::IsWindow(m_hWnd))
        return;
    m_font.DeleteObject();
    m_font.Attach(CreateHexEditFont(m_model.m_nFontHeight));
    HDC hdc = ::GetDC(m_hWnd);
    const SIZE cell = MeasureHexCell(hdc, m_font);
    ::ReleaseDC(m_hWnd, hdc);

    // The model decides on the scroll bars itself: it starts from the area without them.
    CRect rc;
    GetClientRect(&rc);
    const DWORD style = GetStyle();
    HexViewMetrics metrics;
    metrics.nVScrollWidth = ::GetSystemMetrics(SM_CXVSCROLL);
    metrics.nHScrollHeight = ::GetSystemMetrics(SM_CYHSCROLL);
    metrics.nAreaWidth = rc.Width() + ((style & WS_VSCROLL) ? metrics.nVScrollWidth : 0);
    metrics.nAreaHeight = rc.Height() + ((style & WS_HSCROLL) ? metrics.nHScrollHeight : 0);
    metrics.nCellWidth = std::max<int>(1, cell.cx);
    metrics.nCellHeight = std::max<int>(1, cell.cy);
    m_model.SetViewMetrics(metrics);
    m_model.RecalcLayout();
    ApplyViewChanges();
}

// ---------------------------------------------------------------------------------------
// Public operations

void CHexEdit::SetData(const COleSafeArray& data)
{
    m_model.SetData(data);
    ApplyViewChanges();
}

void CHexEdit::ResetData(const COleSafeArray& data)
{
    m_model.ResetData(data);
    ApplyViewChanges();
}

void CHexEdit::Undo()
{
    m_model.Undo();
    ApplyViewChanges();
}

void CHexEdit::Redo()
{
    m_model.Redo();
    ApplyViewChanges();
}

void CHexEdit::Copy()
{
    HexCopyToClipboard(m_model, m_hWnd);
}

void CHexEdit::Cut()
{
    HexCutToClipboard(m_model, m_hWnd);
    ApplyViewChanges();
}

void CHexEdit::Paste()
{
    HexPasteFromClipboard(m_model, m_hWnd);
    ApplyViewChanges();
}

BOOL CHexEdit::CanPaste()
{
    return HexClipboardCanPaste();
}

void CHexEdit::SelectAll()
{
    m_model.SelectAll();
    ApplyViewChanges();
}

void CHexEdit::ClearMarkers()
{
    m_model.ClearMarkers();
    ApplyViewChanges();
}

int CHexEdit::AddMarker(int start, int length, COLORREF crText, COLORREF crBack, LPCSTR comment)
{
    const int result = m_model.AddMarker(start, length, crText, crBack, comment);
    ApplyViewChanges();
    return result;
}

void CHexEdit::SetMarkerData(const COleSafeArray& blob)
{
    m_model.SetMarkerData(blob);
    ApplyViewChanges();
}

void CHexEdit::RemoveMarkersInRange(int start, int n)
{
    m_model.RemoveMarkersInRange(start, n);
    ApplyViewChanges();
}

void CHexEdit::TextToData(LPCSTR text, int mode, LPCSTR newline, bool closeKanji)
{
    m_model.TextToData(text, mode, newline, closeKanji);
    ApplyViewChanges();
}

// ---------------------------------------------------------------------------------------
// View work

void CHexEdit::ApplyViewChanges()
{
    // Before the window exists there is nothing to show; creation lays out and paints.
    if (!::IsWindow(m_hWnd)) {
        m_model.TakeViewChanges();
        return;
    }
    // Applying can send messages that call the model again (focus, size); their work is
    // taken here too. The bound keeps a model that never settles from hanging the window.
    for (int pass = 0; pass < 16; ++pass) {
        const UINT changes = m_model.TakeViewChanges();
        if (changes == 0)
            break;
        Apply(changes);
    }
}

void CHexEdit::Apply(UINT changes)
{
    if ((changes & HEXVIEW_FOCUS) && ::GetFocus() != m_hWnd)
        SetFocus();
    if (changes & HEXVIEW_CAPTURE)
        SetCapture();
    if ((changes & HEXVIEW_RELEASE_CAPTURE) && ::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    if (changes & HEXVIEW_TIMER_START)
        SetTimer(kHexDragTimerId, kHexDragTimerMs);
    if (changes & HEXVIEW_TIMER_STOP)
        KillTimer(kHexDragTimerId);
    if (changes & HEXVIEW_CARET_DESTROY)
        DestroySystemCaret();
    if (changes & HEXVIEW_CARET_CREATE)
        CreateSystemCaret();
    if (changes & HEXVIEW_SCROLLBARS)
        ApplyScrollBars();
    if (changes & HEXVIEW_REDRAW)
        RedrawChanged();
    if (changes & HEXVIEW_CARET)
        PlaceCaret();
    if ((changes & HEXVIEW_TIP_DEACTIVATE) && m_toolTip.m_hWnd != NULL)
        m_toolTip.Activate(FALSE);
    if (changes & HEXVIEW_TIP_UPDATE)
        UpdateMarkerTip();
}

void CHexEdit::ApplyScrollBars()
{
    // Showing or hiding a bar resizes the client area; the WM_SIZE that follows lays the
    // model out again and comes back here with bars that no longer change.
    const int bars[2] = {SB_VERT, SB_HORZ};
    for (int bar : bars) {
        const HexScrollBar& b = m_model.GetScrollBar(bar);
        SCROLLINFO si = {};
        si.cbSize = sizeof(si);
        si.fMask = SIF_ALL;
        si.nMin = b.nMin;
        si.nMax = b.nMax;
        si.nPage = static_cast<UINT>(std::max(0, b.nPage));
        si.nPos = b.nPos;
        SetScrollInfo(bar, &si, TRUE);
        ShowScrollBar(bar, b.bShow);
    }
}

void CHexEdit::RedrawChanged()
{
    // A key or a caret move changes a row or two: painting the whole window again costs far
    // more than working out which rows changed (under Wine every painted pixel also travels
    // to the display).
    CRect rc;
    GetClientRect(&rc);
    if (m_bPaintedKnown && IsWindowVisible() && rc.Width() > 0 && rc.Height() > 0) {
        HexPaintSignature now;
        SignHexPaint(rc, m_model, now);
        if (now.whole == m_painted.whole && now.rows.size() == m_painted.rows.size()) {
            bool bChanged = false;
            for (size_t row = 0; row < now.rows.size(); ++row) {
                if (now.rows[row] == m_painted.rows[row])
                    continue;
                const RECT rcRow = HexPaintRowRect(rc, m_model, static_cast<int>(row));
                InvalidateRect(&rcRow, FALSE);
                bChanged = true;
            }
            if (bChanged)
                UpdateWindow();
            return;
        }
    }
    RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

// ---------------------------------------------------------------------------------------
// Painting

void CHexEdit::OnPaint()
{
    CPaintDC dc(this);
    CRect rc;
    GetClientRect(&rc);
    if (rc.Width() <= 0 || rc.Height() <= 0)
        return;
    // Through an off-screen bitmap, so that scrolling and typing do not flicker.
    HDC hdcMem = ::CreateCompatibleDC(dc.m_hDC);
    HBITMAP hbm = CreateOffscreenBitmap(dc.m_hDC, rc.Width(), rc.Height());
    // The whole client area is painted (into the bitmap), whatever part of it is shown again.
    m_bPaintedKnown = true;
    if (hdcMem == NULL || hbm == NULL) {
        PaintHexEdit(dc.m_hDC, rc, m_model, &m_painted);
    } else {
        HGDIOBJ hOld = ::SelectObject(hdcMem, hbm);
        PaintHexEdit(hdcMem, rc, m_model, &m_painted);
        ::BitBlt(dc.m_hDC, 0, 0, rc.Width(), rc.Height(), hdcMem, 0, 0, SRCCOPY);
        ::SelectObject(hdcMem, hOld);
    }
    if (hbm != NULL)
        ::DeleteObject(hbm);
    if (hdcMem != NULL)
        ::DeleteDC(hdcMem);
}

BOOL CHexEdit::OnEraseBkgnd(CDC*)
{
    // Painting covers the whole client area.
    return TRUE;
}

LRESULT CHexEdit::OnPrintClient(WPARAM wParam, LPARAM)
{
    CRect rc;
    GetClientRect(&rc);
    PaintHexEdit(reinterpret_cast<HDC>(wParam), rc, m_model);
    return 0;
}

// ---------------------------------------------------------------------------------------
// Size and scrolling

void CHexEdit::OnSize(UINT, int, int)
{
    RecalcLayout();
    if (m_markerTip.m_hWnd != NULL) {
        TOOLINFO ti;
        FillMarkerTool(ti);
        m_markerTip.SendMessage(TTM_NEWTOOLRECT, 0, reinterpret_cast<LPARAM>(&ti));
    }
    RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CHexEdit::OnVScroll(UINT nSBCode, UINT, CScrollBar*)
{
    SetFocus();
    SCROLLINFO si = {};
    si.cbSize = sizeof(si);
    GetScrollInfo(SB_VERT, &si, SIF_TRACKPOS);
    m_model.VScroll(nSBCode, si.nTrackPos);
    ApplyViewChanges();
}

void CHexEdit::OnHScroll(UINT nSBCode, UINT, CScrollBar*)
{
    SetFocus();
    SCROLLINFO si = {};
    si.cbSize = sizeof(si);
    GetScrollInfo(SB_HORZ, &si, SIF_TRACKPOS);
    m_model.HScroll(nSBCode, si.nTrackPos);
    ApplyViewChanges();
}

BOOL CHexEdit::OnMouseWheel(UINT, short zDelta, CPoint)
{
    m_model.MouseWheel(zDelta);
    ApplyViewChanges();
    return TRUE;
}

void CHexEdit::OnContextMenu(CWnd*, CPoint)
{
    // Swallowed here; the variants map it to their menus.
}
