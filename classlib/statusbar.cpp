// CStatusBar: panes over the common status control.
//
// The bar keeps its own pane records (id, style, width, text) and gives the control its
// parts and texts from them: the control only draws. A disabled pane shows no text but keeps
// it, so enabling it again brings the text back. WM_SETTEXT reaches the pane of id 0, which
// is how the frame's prompts arrive.
#include "afxext.h"
#include "afxdc.h"
#include <algorithm>
#include <vector>

IMPLEMENT_DYNAMIC(CStatusBar, CControlBar)

BEGIN_MESSAGE_MAP(CStatusBar, CControlBar)
    ON_WM_PAINT()
    ON_WM_SIZE()
    ON_WM_NCHITTEST()
    ON_WM_DRAWITEM_REFLECT()
    ON_MESSAGE(WM_SETTEXT, OnSetText)
    ON_MESSAGE(WM_GETTEXT, OnGetText)
    ON_MESSAGE(WM_GETTEXTLENGTH, OnGetTextLength)
    ON_MESSAGE(WM_SETFONT, OnSetFont)
END_MESSAGE_MAP()

CStatusBar::CStatusBar() : m_pPanes(nullptr), m_nCount(0), m_hFont(NULL)
{
    m_cxLeftBorder = m_cxRightBorder = 0;
    m_cyTopBorder = 2;
    m_cyBottomBorder = 0;
}

CStatusBar::~CStatusBar()
{
    DestroyWindow();
    delete[] m_pPanes;
}

BOOL CStatusBar::PreCreateWindow(CREATESTRUCT& cs)
{
    // The frame places the bar; the control must not size or move itself.
    cs.style |= CCS_NOPARENTALIGN | CCS_NOMOVEY | CCS_NODIVIDER | CCS_NORESIZE;
    return CControlBar::PreCreateWindow(cs);
}

BOOL CStatusBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    m_dwStyle = dwStyle & CBRS_ALL;
    DWORD dwWndStyle = dwStyle & ~CBRS_ALL;
    // A grip only where it can size the frame.
    CWnd* pTop = pParentWnd != nullptr ? pParentWnd->GetTopLevelParent() : nullptr;
    if (pParentWnd != nullptr && pParentWnd->IsFrameWnd() && pTop != nullptr &&
        (pTop->GetStyle() & WS_THICKFRAME))
        dwWndStyle |= SBARS_SIZEGRIP;
    AfxInitCommonControls(ICC_BAR_CLASSES);
    return CWnd::Create(STATUSCLASSNAMEA, NULL, dwWndStyle, CRect(0, 0, 0, 0), pParentWnd, nID);
}

void CStatusBar::AllocPanes(int nCount)
{
    delete[] m_pPanes;
    m_pPanes = nCount > 0 ? new Pane[nCount] : nullptr;
    m_nCount = nCount;
}

int CStatusBar::TextWidth(LPCTSTR lpsz) const
{
    if (m_hWnd == NULL || lpsz == NULL || *lpsz == 0)
        return 0;
    HDC hDC = ::GetDC(m_hWnd);
    HFONT hFont = m_hFont != NULL ? m_hFont : (HFONT)::SendMessage(m_hWnd, WM_GETFONT, 0, 0);
    if (hFont == NULL)
        hFont = (HFONT)::GetStockObject(DEFAULT_GUI_FONT);
    HGDIOBJ hOld = ::SelectObject(hDC, hFont);
    SIZE size = {};
    ::GetTextExtentPoint32A(hDC, lpsz, lstrlenA(lpsz), &size);
    ::SelectObject(hDC, hOld);
    ::ReleaseDC(m_hWnd, hDC);
    return size.cx;
}

BOOL CStatusBar::SetIndicators(const UINT* lpIDArray, int nIDCount)
{
    AllocPanes(nIDCount);
    for (int i = 0; i < nIDCount; i++) {
        Pane& pane = m_pPanes[i];
        pane.nID = lpIDArray != NULL ? lpIDArray[i] : 0;
        pane.nStyle = SBPS_NORMAL;
        pane.cxText = 0;
        if (pane.nID != 0) {
            pane.strText.LoadString(pane.nID);
            pane.cxText = TextWidth(pane.strText);
        } else if (i == 0) {
            pane.nStyle = SBPS_STRETCH | SBPS_NOBORDERS;
        }
    }
    UpdateAllPanes(TRUE, TRUE);
    return TRUE;
}

int CStatusBar::CommandToIndex(UINT nIDFind) const
{
    for (int i = 0; i < m_nCount; i++) {
        if (m_pPanes[i].nID == nIDFind)
            return i;
    }
    return -1;
}

UINT CStatusBar::GetItemID(int nIndex) const
{
    return nIndex >= 0 && nIndex < m_nCount ? m_pPanes[nIndex].nID : 0;
}

void CStatusBar::GetItemRect(int nIndex, LPRECT lpRect) const
{
    ::SetRectEmpty(lpRect);
    if (m_hWnd != NULL && nIndex >= 0 && nIndex < m_nCount)
        ::SendMessage(m_hWnd, SB_GETRECT, (WPARAM)nIndex, (LPARAM)lpRect);
}

void CStatusBar::GetPaneInfo(int nIndex, UINT& nID, UINT& nStyle, int& cxWidth) const
{
    if (nIndex < 0 || nIndex >= m_nCount) {
        nID = nStyle = 0;
        cxWidth = 0;
        return;
    }
    nID = m_pPanes[nIndex].nID;
    nStyle = m_pPanes[nIndex].nStyle;
    cxWidth = m_pPanes[nIndex].cxText;
}

void CStatusBar::SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth)
{
    if (nIndex < 0 || nIndex >= m_nCount)
        return;
    Pane& pane = m_pPanes[nIndex];
    pane.nID = nID;
    pane.nStyle = nStyle;
    pane.cxText = cxWidth;
    UpdateAllPanes(TRUE, TRUE);
}

UINT CStatusBar::GetPaneStyle(int nIndex) const
{
    return nIndex >= 0 && nIndex < m_nCount ? m_pPanes[nIndex].nStyle : 0;
}

void CStatusBar::SetPaneStyle(int nIndex, UINT nStyle)
{
    if (nIndex < 0 || nIndex >= m_nCount || m_pPanes[nIndex].nStyle == nStyle)
        return;
    BOOL bWidthChanged = (m_pPanes[nIndex].nStyle ^ nStyle) & SBPS_STRETCH;
    m_pPanes[nIndex].nStyle = nStyle;
    if (bWidthChanged)
        UpdateAllPanes(TRUE, FALSE);
    UpdatePane(nIndex);
}

CString CStatusBar::GetPaneText(int nIndex) const
{
    return nIndex >= 0 && nIndex < m_nCount ? m_pPanes[nIndex].strText : CString();
}

void CStatusBar::GetPaneText(int nIndex, CString& rString) const
{
    rString = GetPaneText(nIndex);
}

BOOL CStatusBar::SetPaneText(int nIndex, LPCTSTR lpszNewText, BOOL bUpdate)
{
    if (nIndex < 0 || nIndex >= m_nCount)
        return FALSE;
    Pane& pane = m_pPanes[nIndex];
    CString strNew(lpszNewText != NULL ? lpszNewText : "");
    if (pane.strText == strNew)
        return TRUE;
    pane.strText = strNew;
    if (bUpdate)
        UpdatePane(nIndex);
    return TRUE;
}

void CStatusBar::UpdatePane(int nIndex)
{
    if (m_hWnd == NULL || nIndex < 0 || nIndex >= m_nCount)
        return;
    const Pane& pane = m_pPanes[nIndex];
    UINT nType = pane.nStyle & (SBPS_NOBORDERS | SBPS_POPOUT | SBPS_OWNERDRAW);
    LPCTSTR lpsz = (pane.nStyle & SBPS_DISABLED) ? "" : (LPCTSTR)pane.strText;
    if (pane.nStyle & SBPS_OWNERDRAW)
        lpsz = (LPCTSTR)&pane;   // the drawing code gets the pane record as item data
    ::SendMessage(m_hWnd, SB_SETTEXTA, (WPARAM)(nIndex | nType), (LPARAM)lpsz);
}

void CStatusBar::UpdateAllPanes(BOOL bUpdateRects, BOOL bUpdateText)
{
    if (m_hWnd == NULL)
        return;
    if (bUpdateRects && m_nCount > 0) {
        int borders[3] = {};
        ::SendMessage(m_hWnd, SB_GETBORDERS, 0, (LPARAM)borders);
        int cxGap = borders[2];
        // The control draws each pane's sunken edge inside it and starts the text 3 pixels past it.
        int cxPad = 2 * (borders[0] + 3);
        CRect rect;
        GetClientRect(&rect);
        CalcInsideRect(rect, TRUE);
        if (GetStyle() & SBARS_SIZEGRIP)
            rect.right -= ::GetSystemMetrics(SM_CXVSCROLL);
        // A pane's width holds its text and, with an icon, a small icon; the control draws the
        // icon as tall and as wide as the pane is high, so such a pane gets the difference. It
        // also sets the icon 2 pixels in from the pane's edge, a fixed offset of its own (no
        // system metric); without them the end of the text, drawn 3 pixels past the icon,
        // reaches the pane's edge.
        const int cxIconInset = 2;
        CRect rcPart;
        ::SendMessage(m_hWnd, SB_GETRECT, 0, (LPARAM)&rcPart);
        const int cxIconExtra = std::max(0, rcPart.Height() - ::GetSystemMetrics(SM_CXSMICON)) + cxIconInset;
        std::vector<int> widths(m_nCount);
        for (int i = 0; i < m_nCount; i++) {
            widths[i] = m_pPanes[i].cxText + cxPad;
            if (::SendMessage(m_hWnd, SB_GETICON, (WPARAM)i, 0) != 0)
                widths[i] += cxIconExtra;
        }
        int cxUsed = 0;
        int nStretch = 0;
        for (int i = 0; i < m_nCount; i++) {
            if (m_pPanes[i].nStyle & SBPS_STRETCH)
                ++nStretch;
            else
                cxUsed += widths[i];
            if (i > 0)
                cxUsed += cxGap;
        }
        int cxExtra = std::max(0, rect.Width() - cxUsed);
        int* pRights = new int[m_nCount];
        int x = rect.left;
        for (int i = 0; i < m_nCount; i++) {
            if (i > 0)
                x += cxGap;
            if (m_pPanes[i].nStyle & SBPS_STRETCH) {
                int cx = cxExtra / nStretch;
                cxExtra -= cx;
                --nStretch;
                x += cx;
            } else {
                x += widths[i];
            }
            pRights[i] = x;
        }
        pRights[m_nCount - 1] = -1;   // the last pane reaches the right edge (or the grip)
        ::SendMessage(m_hWnd, SB_SETPARTS, (WPARAM)m_nCount, (LPARAM)pRights);
        delete[] pRights;
    }
    if (bUpdateText) {
        for (int i = 0; i < m_nCount; i++)
            UpdatePane(i);
    }
}

CSize CStatusBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    CSize size = CControlBar::CalcFixedLayout(bStretch, bHorz);
    HFONT hFont = m_hFont;
    if (hFont == NULL && m_hWnd != NULL)
        hFont = (HFONT)::SendMessage(m_hWnd, WM_GETFONT, 0, 0);
    if (hFont == NULL)
        hFont = (HFONT)::GetStockObject(DEFAULT_GUI_FONT);
    HDC hDC = ::GetDC(NULL);
    HGDIOBJ hOld = ::SelectObject(hDC, hFont);
    TEXTMETRIC tm = {};
    ::GetTextMetrics(hDC, &tm);
    ::SelectObject(hDC, hOld);
    ::ReleaseDC(NULL, hDC);
    int borders[3] = {};
    if (m_hWnd != NULL)
        ::SendMessage(m_hWnd, SB_GETBORDERS, 0, (LPARAM)borders);
    size.cy += tm.tmHeight + 2 * borders[1] + 2;
    return size;
}

void CStatusBar::OnPaint()
{
    // The control draws its panes; the control bar's own painting would only validate them.
    Default();
}

void CStatusBar::OnSize(UINT nType, int cx, int cy)
{
    Default();
    UpdateAllPanes(TRUE, FALSE);
    (void)nType, (void)cx, (void)cy;
}

LRESULT CStatusBar::OnNcHitTest(CPoint)
{
    LRESULT nResult = Default();
    // A maximised frame cannot be sized from its grip.
    if (nResult == HTBOTTOMRIGHT) {
        CWnd* pTop = GetTopLevelParent();
        if (pTop == nullptr || pTop->IsZoomed())
            return HTCLIENT;
    }
    return nResult;
}

LRESULT CStatusBar::OnSetText(WPARAM, LPARAM lParam)
{
    int nIndex = CommandToIndex(0);
    if (nIndex < 0)
        return FALSE;
    SetPaneText(nIndex, (LPCTSTR)lParam);
    return TRUE;
}

LRESULT CStatusBar::OnGetText(WPARAM wParam, LPARAM lParam)
{
    int nMax = (int)wParam;
    if (nMax <= 0 || lParam == 0)
        return 0;
    int nIndex = CommandToIndex(0);
    CString str = nIndex >= 0 ? m_pPanes[nIndex].strText : CString();
    lstrcpynA((LPSTR)lParam, str, nMax);
    return lstrlenA((LPSTR)lParam);
}

LRESULT CStatusBar::OnGetTextLength(WPARAM, LPARAM)
{
    int nIndex = CommandToIndex(0);
    return nIndex >= 0 ? m_pPanes[nIndex].strText.GetLength() : 0;
}

LRESULT CStatusBar::OnSetFont(WPARAM wParam, LPARAM)
{
    m_hFont = (HFONT)wParam;
    LRESULT lResult = Default();
    UpdateAllPanes(TRUE, FALSE);
    return lResult;
}

void CStatusBar::DrawItem(LPDRAWITEMSTRUCT)
{
}

void CStatusBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL)
{
    CStatusCmdUI state;
    state.m_pOther = this;
    state.m_nIndexMax = (UINT)m_nCount;
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; state.m_nIndex++) {
        state.m_nID = m_pPanes[state.m_nIndex].nID;
        // The bar's own update handlers come first, then the frame's.
        if (CWnd::OnCmdMsg(state.m_nID, (int)CN_UPDATE_COMMAND_UI, &state, NULL))
            continue;
        state.DoUpdate(pTarget, FALSE);
    }
}

// ---- The pane record.

void CStatusCmdUI::Enable(BOOL bOn)
{
    m_bEnableChanged = TRUE;
    CStatusBar* pBar = (CStatusBar*)m_pOther;
    UINT nStyle = pBar->GetPaneStyle((int)m_nIndex) & ~SBPS_DISABLED;
    if (!bOn)
        nStyle |= SBPS_DISABLED;
    pBar->SetPaneStyle((int)m_nIndex, nStyle);
}

void CStatusCmdUI::SetCheck(int nCheck)
{
    CStatusBar* pBar = (CStatusBar*)m_pOther;
    UINT nStyle = pBar->GetPaneStyle((int)m_nIndex) & ~SBPS_POPOUT;
    if (nCheck != 0)
        nStyle |= SBPS_POPOUT;
    pBar->SetPaneStyle((int)m_nIndex, nStyle);
}

void CStatusCmdUI::SetText(LPCTSTR lpszText)
{
    ((CStatusBar*)m_pOther)->SetPaneText((int)m_nIndex, lpszText);
}
