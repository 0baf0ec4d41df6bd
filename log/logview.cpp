// The log list window: columns, font, rows from the store, colours, selection, context
// menu and dropped files.
#include "logview.h"

#include <shellapi.h>

#include <algorithm>

#include "contextmenupresenter.h"
#include "conversions.h"
#include "logtext.h"

IMPLEMENT_DYNCREATE(CLogview, CListView)

BEGIN_MESSAGE_MAP(CLogview, CListView)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_PAINT()
    ON_WM_TIMER()
    ON_WM_CONTEXTMENU()
    ON_WM_DROPFILES()
    ON_NOTIFY_REFLECT(LVN_DELETEALLITEMS, OnDeleteAllItems)
    ON_NOTIFY_REFLECT(LVN_DELETEITEM, OnDeleteItem)
    ON_NOTIFY_REFLECT(LVN_ITEMCHANGED, OnItemChanged)
    ON_NOTIFY_REFLECT(NM_CUSTOMDRAW, OnCustomDraw)
    ON_NOTIFY_REFLECT(LVN_GETDISPINFOA, OnGetDispInfo)
    ON_NOTIFY_REFLECT(LVN_GETDISPINFOW, OnGetDispInfo)
    ON_NOTIFY_REFLECT(LVN_ODFINDITEMA, OnFindItem)
    ON_NOTIFY_REFLECT(LVN_ODFINDITEMW, OnFindItem)
    ON_COMMAND(CLogview::kPropertiesCommand, OnProperties)
END_MESSAGE_MAP()

namespace {

struct LogColumn
{
    const char* pszTitle;
    int nWidth;
};

const LogColumn kColumns[] = {
    {"No.", 40},
    {"ID", 50},
    {"Time", 100},
    {"Contents", 600},
};

}  // namespace

CLogview::CLogview()
    : m_bDrawLowLine(false), m_hDetailPane(nullptr), m_pTextsRecord(nullptr), m_nTextsSeq(-1), m_nRowsToDelete(0),
      m_nRowsToInsert(0), m_bScrollToLast(false), m_bUpdateScheduled(false), m_bMovingSelection(false),
      m_bRelisting(false), m_dwListBusyMs(0), m_dwListDone(0), m_dwUpdateDue(0)
{
    m_store.SetRowSink(this);
}

CLogview::~CLogview()
{
    m_store.SetRowSink(nullptr);
}

BOOL CLogview::PreCreateWindow(CREATESTRUCT& cs)
{
    // The list holds no rows of its own, only their count (a list takes this style only when
    // it is made).
    cs.style |= LVS_OWNERDATA;
    return CListView::PreCreateWindow(cs);
}

int CLogview::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CListView::OnCreate(lpCreateStruct) == -1)
        return -1;
    DragAcceptFiles(TRUE);
    ModifyStyle(LVS_TYPEMASK, LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER);
    CListCtrl& list = GetListCtrl();
    list.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    for (int i = 0; i < static_cast<int>(sizeof(kColumns) / sizeof(kColumns[0])); ++i)
        list.InsertColumn(i, kColumns[i].pszTitle, LVCFMT_LEFT, kColumns[i].nWidth);
    SetLogFont(m_store.Settings());
    return 0;
}

void CLogview::SetSources(const CAppSettings* pSettings, const CCommSetRecord* pSet)
{
    m_store.SetSources(pSettings, pSet);
    if (m_hWnd != nullptr)
        SetLogFont(m_store.Settings());
}

void CLogview::SetLogFont(const CAppSettings& settings)
{
    // The new font is in place before the old one is deleted, so the list never holds a
    // deleted font.
    HGDIOBJ hOld = m_font.Detach();
    m_font.CreateFont(FontPointSizeFromIndex(settings.m_nLogFont), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                      DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                      FIXED_PITCH | FF_MODERN, NULL);
    CheckLowLine();
    if (m_hWnd != nullptr)
        SetFont(&m_font, TRUE);
    if (hOld != nullptr)
        ::DeleteObject(hOld);
}

void CLogview::OnSize(UINT nType, int cx, int cy)
{
    CListView::OnSize(nType, cx, cy);
    // The list may scroll its rows to fill the new size without painting them again, and its
    // header keeps the lines of the old width: the whole list is painted afresh.
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void CLogview::OnRowAppended(const CCommLogRecord&, BOOL bAutoScroll)
{
    if (m_hWnd == nullptr)
        return;
    ++m_nRowsToInsert;
    m_bScrollToLast = bAutoScroll != FALSE;
    ScheduleUpdate();
    // The timer's message comes only when the thread has nothing else to do, and a device
    // whose records keep the thread busy may leave it nothing else for seconds (the paint
    // waits the same way): a batch overdue by a good part of a second is made and painted
    // with the record, and the list stays that close behind the device.
    if (m_bUpdateScheduled && !m_bRelisting &&
        static_cast<LONG>(::GetTickCount() - m_dwUpdateDue) >= static_cast<LONG>(kUpdateOverdueMs)) {
        UpdateRows();
        UpdateWindow();
    }
}

void CLogview::OnFirstRowDeleted()
{
    if (m_hWnd == nullptr)
        return;
    m_pTextsRecord = nullptr;
    // The store's first row is either still in the list, to be deleted with the next batch,
    // or one the list never got.
    if (GetListCtrl().GetItemCount() > m_nRowsToDelete)
        ++m_nRowsToDelete;
    else if (m_nRowsToInsert > 0)
        --m_nRowsToInsert;
    ScheduleUpdate();
}

void CLogview::OnAllRowsDeleted()
{
    m_pTextsRecord = nullptr;
    m_nRowsToDelete = 0;
    m_nRowsToInsert = 0;
    if (m_hWnd != nullptr)
        GetListCtrl().DeleteAllItems();
}

void CLogview::OnRelistBegin()
{
    m_bRelisting = true;
    if (m_hWnd != nullptr)
        SetRedraw(FALSE);
}

void CLogview::OnRelistEnd()
{
    m_bRelisting = false;
    if (m_hWnd == nullptr)
        return;
    // The rows go in as one batch, which draws again; a log listed empty brings none.
    UpdateRows();
    SetRedraw(TRUE);
    Invalidate();
}

void CLogview::ScheduleUpdate()
{
    if (m_bUpdateScheduled)
        return;
    const DWORD dwWait = std::max<DWORD>(UpdateWait(), USER_TIMER_MINIMUM);
    m_bUpdateScheduled = SetTimer(kUpdateTimer, dwWait, nullptr) != 0;
    m_dwUpdateDue = ::GetTickCount() + dwWait;
    // Without a timer the list follows the store at once, as it did row by row.
    if (!m_bUpdateScheduled)
        UpdateRows();
}

DWORD CLogview::UpdateWait() const
{
    // Under Wine a batch costs the list tens of milliseconds however few rows it brings (its
    // scroll bar and a paint), and the records wait for the thread meanwhile: the next batch
    // comes twice as long after the last one as the list took over that one and its paints,
    // within bounds.
    DWORD dwGap = 2 * m_dwListBusyMs;
    dwGap = dwGap < kUpdateGapMs ? kUpdateGapMs : dwGap > kUpdateGapMaxMs ? kUpdateGapMaxMs : dwGap;
    const DWORD dwSince = ::GetTickCount() - m_dwListDone;
    return dwSince >= dwGap ? 0 : dwGap - dwSince;
}

void CLogview::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != kUpdateTimer) {
        CListView::OnTimer(nIDEvent);
        return;
    }
    // The timer is set with the first record after a batch, mostly before the batch's paint:
    // the gap that the paint added to is waited out first, or batches would follow each other
    // as fast as the list paints them, each with a few rows.
    const DWORD dwWait = UpdateWait();
    if (dwWait > USER_TIMER_MINIMUM && SetTimer(kUpdateTimer, dwWait, nullptr) != 0) {
        m_dwUpdateDue = ::GetTickCount() + dwWait;
        return;
    }
    UpdateRows();
}

void CLogview::OnPaint()
{
    const DWORD dwStart = ::GetTickCount();
    Default();
    m_dwListBusyMs += ::GetTickCount() - dwStart;
}

void CLogview::UpdateRows()
{
    if (m_bUpdateScheduled) {
        KillTimer(kUpdateTimer);
        m_bUpdateScheduled = false;
    }
    if (m_hWnd == nullptr || (m_nRowsToDelete == 0 && m_nRowsToInsert == 0))
        return;
    const DWORD dwStart = ::GetTickCount();
    m_pTextsRecord = nullptr;
    CListCtrl& list = GetListCtrl();
    const int nTrimmed = m_nRowsToDelete;
    const int nRows = list.GetItemCount() - m_nRowsToDelete + m_nRowsToInsert;
    const int nTop = list.GetTopIndex();
    const int nSelected = list.GetNextItem(-1, LVNI_SELECTED);
    const int nFocused = list.GetNextItem(-1, LVNI_FOCUSED);
    const bool bScroll = m_bScrollToLast && m_nRowsToInsert > 0;
    m_nRowsToDelete = 0;
    m_nRowsToInsert = 0;
    // A list whose count changes works out its scroll bar again, at a cost under Wine: it
    // does so once, as redraw comes back. A full log's count stays.
    const bool bCount = nRows != list.GetItemCount();
    // Every row of the list now stands for the record nTrimmed rows further down, and until now
    // it showed the record it showed after the last batch (or nothing). While the count stays,
    // the rows on the screen keep their pixels and move up with their records, so that only
    // the rows that come into view are drawn: drawing them all again, which the list does cell
    // by cell with its header, cost a full log many times what the few rows a batch brings
    // cost, and took that time from the connections waiting to hand over their records. A list
    // with something left to paint, or whose redraw comes back (it then draws whole), is drawn
    // whole.
    int nRowHeight = 0;
    CRect rcRows;
    const bool bMoveRows = !bCount && !GetUpdateRect(nullptr, FALSE) && RowsArea(rcRows, nRowHeight);
    if (bMoveRows)
        ScrollWindowEx(0, -nTrimmed * nRowHeight, rcRows, rcRows, nullptr, nullptr, SW_INVALIDATE | SW_ERASE);
    if (bCount)
        SetRedraw(FALSE);
    // The list keeps its selection and focus by row number: they move up with the rows trimmed
    // above them and so stay on their records, and go with a record that was trimmed. Moving
    // them shows nothing new in the detail pane. Automatic scrolling takes them off first, so
    // that the last row is selected afresh even where it stands at the same number.
    if (nTrimmed > 0 || bScroll) {
        m_bMovingSelection = true;
        if (nSelected >= 0)
            list.SetItemState(nSelected, 0, LVIS_SELECTED);
        if (nFocused >= 0)
            list.SetItemState(nFocused, 0, LVIS_FOCUSED);
    }
    if (bCount)
        list.SetItemCountEx(nRows, LVSICF_NOSCROLL | LVSICF_NOINVALIDATEALL);
    if (nTrimmed > 0 && !bScroll) {
        if (nSelected >= nTrimmed)
            list.SetItemState(nSelected - nTrimmed, LVIS_SELECTED, LVIS_SELECTED);
        if (nFocused >= nTrimmed)
            list.SetItemState(nFocused - nTrimmed, LVIS_FOCUSED, LVIS_FOCUSED);
    }
    m_bMovingSelection = false;
    // Selecting and focusing the row shows its record in the detail pane (OnItemChanged).
    if (bScroll)
        list.SetItemState(nRows - 1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    if (bCount)
        SetRedraw(TRUE);
    if (!bMoveRows)
        Invalidate();
    if (bScroll) {
        list.EnsureVisible(nRows - 1, FALSE);
    } else if (nTrimmed > 0) {
        // The rows on the screen keep their records: the view moves up by the rows trimmed
        // above it (to the first row once those it showed are trimmed too).
        const int nWantTop = nTop > nTrimmed ? nTop - nTrimmed : 0;
        const int nNowTop = list.GetTopIndex();
        CRect rcRow;
        if (nNowTop != nWantTop && list.GetItemRect(nNowTop, &rcRow, LVIR_BOUNDS))
            list.Scroll(CSize(0, (nWantTop - nNowTop) * rcRow.Height()));
    }
    if (bMoveRows) {
        // The list moved its own pixels with its scrolling; what is left is drawn: the rows
        // that came into view at the bottom (with the part row below them), the strip between
        // the header and the first row, which the list draws as no row, and the row the
        // selection and focus left, whose pixels moved with its record.
        const int nMoved = list.GetTopIndex() - nTop + nTrimmed;
        CRect rcNew = rcRows;
        rcNew.top = std::max(rcRows.top, rcRows.bottom - (nMoved + 1) * nRowHeight);
        InvalidateRect(rcNew, TRUE);
        CRect rcTop;
        if (list.GetItemRect(list.GetTopIndex(), &rcTop, LVIR_BOUNDS) && rcTop.top > rcRows.top) {
            rcTop.SetRect(rcRows.left, rcRows.top, rcRows.right, rcTop.top);
            InvalidateRect(rcTop, TRUE);
        }
        for (int nRow : {nSelected - nTrimmed, nFocused - nTrimmed}) {
            CRect rcRow;
            if (nRow >= 0 && list.GetItemRect(nRow, &rcRow, LVIR_BOUNDS)) {
                rcRow.left = rcRows.left;
                rcRow.right = rcRows.right;
                InvalidateRect(rcRow, TRUE);
            }
        }
    }
    m_dwListDone = ::GetTickCount();
    m_dwListBusyMs = m_dwListDone - dwStart;
}

bool CLogview::RowsArea(CRect& rcRows, int& nRowHeight)
{
    CListCtrl& list = GetListCtrl();
    CRect rcRow;
    if (list.GetItemCount() == 0 || !list.GetItemRect(list.GetTopIndex(), &rcRow, LVIR_BOUNDS))
        return false;
    nRowHeight = rcRow.Height();
    GetClientRect(&rcRows);
    // The rows begin below the header.
    CWnd* pHeader = list.GetHeaderCtrl();
    if (pHeader != nullptr && pHeader->IsWindowVisible()) {
        CRect rcHeader;
        pHeader->GetWindowRect(&rcHeader);
        ScreenToClient(&rcHeader);
        rcRows.top = std::max(rcRows.top, rcHeader.bottom);
    }
    return nRowHeight > 0 && !rcRows.IsRectEmpty();
}

const CCommLogRecord* CLogview::RecordOfRow(int nRow) const
{
    return nRow < m_nRowsToDelete ? nullptr : m_store.FindRowRecord(nRow - m_nRowsToDelete);
}

const CLogRowTexts* CLogview::RowTexts(int nRow)
{
    const CCommLogRecord* pRecord = RecordOfRow(nRow);
    if (pRecord == nullptr)
        return nullptr;
    if (pRecord != m_pTextsRecord || pRecord->m_nSeq != m_nTextsSeq) {
        BuildLogRowTexts(*pRecord, m_store.CommSet(), m_rowTexts);
        m_pTextsRecord = pRecord;
        m_nTextsSeq = pRecord->m_nSeq;
    }
    return &m_rowTexts;
}

void CLogview::OnGetDispInfo(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    // Both forms share the item's layout up to the text pointer's type.
    NMLVDISPINFOA* pInfo = reinterpret_cast<NMLVDISPINFOA*>(pNMHDR);
    if (!(pInfo->item.mask & LVIF_TEXT) || pInfo->item.pszText == nullptr || pInfo->item.cchTextMax <= 0)
        return;
    LPCSTR pszText = "";
    if (const CLogRowTexts* pTexts = RowTexts(pInfo->item.iItem)) {
        switch (pInfo->item.iSubItem) {
        case 0: pszText = pTexts->strNo; break;
        case 1: pszText = pTexts->strId; break;
        case 2: pszText = pTexts->strTime; break;
        case 3: pszText = pTexts->strContents; break;
        default: break;
        }
    }
    if (pNMHDR->code == LVN_GETDISPINFOW) {
        LPWSTR pszWide = reinterpret_cast<NMLVDISPINFOW*>(pNMHDR)->item.pszText;
        if (::MultiByteToWideChar(CP_ACP, 0, pszText, -1, pszWide, pInfo->item.cchTextMax) == 0)
            pszWide[pInfo->item.cchTextMax - 1] = L'\0';
        return;
    }
    ::lstrcpynA(pInfo->item.pszText, pszText, pInfo->item.cchTextMax);
}

void CLogview::OnFindItem(NMHDR* pNMHDR, LRESULT* pResult)
{
    // Letters typed into the list choose the next row whose number begins with them, as the
    // list itself chose among rows of its own.
    *pResult = -1;
    const NMLVFINDITEMA* pFind = reinterpret_cast<const NMLVFINDITEMA*>(pNMHDR);
    if (!(pFind->lvfi.flags & (LVFI_STRING | LVFI_PARTIAL)) || pFind->lvfi.psz == nullptr)
        return;
    char szWanted[64] = {};
    if (pNMHDR->code == LVN_ODFINDITEMW) {
        const LPCWSTR pszWide = reinterpret_cast<const NMLVFINDITEMW*>(pNMHDR)->lvfi.psz;
        ::WideCharToMultiByte(CP_ACP, 0, pszWide, -1, szWanted, sizeof(szWanted) - 1, nullptr, nullptr);
    } else {
        ::lstrcpynA(szWanted, pFind->lvfi.psz, sizeof(szWanted));
    }
    const int nWanted = ::lstrlenA(szWanted);
    const bool bPartial = (pFind->lvfi.flags & LVFI_PARTIAL) != 0;
    const int nRows = GetListCtrl().GetItemCount();
    const int nStart = pFind->iStart >= 0 && pFind->iStart < nRows ? pFind->iStart : 0;
    const int nLooked = (pFind->lvfi.flags & LVFI_WRAP) ? nRows : nRows - nStart;
    for (int i = 0; i < nLooked; ++i) {
        const int nRow = (nStart + i) % nRows;
        const CCommLogRecord* pRecord = RecordOfRow(nRow);
        if (pRecord == nullptr)
            continue;
        const CString strNo = LogRowNumberText(*pRecord);
        if (bPartial ? ::CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, strNo,
                                        std::min(nWanted, strNo.GetLength()), szWanted, nWanted) == CSTR_EQUAL
                     : ::lstrcmpiA(strNo, szWanted) == 0) {
            *pResult = nRow;
            return;
        }
    }
}

void CLogview::OnShownRecordDropped()
{
    PostClearToDetailPane();
}

void CLogview::PostClearToDetailPane()
{
    if (m_hDetailPane != nullptr)
        ::PostMessage(m_hDetailPane, WM_LOG_DETAIL, LogDetailClear, 0);
}

void CLogview::OnDeleteAllItems(NMHDR*, LRESULT* pResult)
{
    PostClearToDetailPane();
    m_store.SetShownSeq(-1);
    *pResult = 0;
}

void CLogview::OnDeleteItem(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
}

void CLogview::OnItemChanged(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    const NMLISTVIEW* pInfo = reinterpret_cast<const NMLISTVIEW*>(pNMHDR);
    if (m_bMovingSelection || pInfo->uNewState != (LVIS_SELECTED | LVIS_FOCUSED))
        return;
    const CCommLogRecord* pRecord = RecordOfRow(pInfo->iItem);
    if (pRecord == nullptr)
        return;
    m_store.SetShownSeq(pRecord->m_nSeq);
    if (m_hDetailPane != nullptr)
        ::SendMessage(m_hDetailPane, WM_LOG_DETAIL, LogDetailShow, reinterpret_cast<LPARAM>(pRecord));
}

void CLogview::OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult)
{
    NMLVCUSTOMDRAW* pDraw = reinterpret_cast<NMLVCUSTOMDRAW*>(pNMHDR);
    *pResult = CDRF_DODEFAULT;
    if (pDraw->nmcd.dwDrawStage == CDDS_PREPAINT) {
        *pResult = CDRF_NOTIFYITEMDRAW;
        return;
    }
    if (pDraw->nmcd.dwDrawStage == CDDS_ITEMPOSTPAINT) {
        DrawLowLines(pDraw->nmcd.hdc, static_cast<int>(pDraw->nmcd.dwItemSpec));
        return;
    }
    if (pDraw->nmcd.dwDrawStage != CDDS_ITEMPREPAINT)
        return;
    if (m_bDrawLowLine && GetListCtrl().GetItemText(static_cast<int>(pDraw->nmcd.dwItemSpec), kContentsColumn).Find('_') >= 0)
        *pResult = CDRF_NOTIFYPOSTPAINT;
    const CCommLogRecord* pRecord = RecordOfRow(static_cast<int>(pDraw->nmcd.dwItemSpec));
    COLORREF clrText = 0;
    COLORREF clrBack = 0;
    if (pRecord != nullptr && LogRowColors(m_store.CommSet(), *pRecord, clrText, clrBack)) {
        pDraw->clrText = clrText;
        pDraw->clrTextBk = clrBack;
    }
}

void CLogview::OnContextMenu(CWnd*, CPoint point)
{
    if (point.x == -1 && point.y == -1) {
        // From the keyboard: just inside the list's top-left corner.
        POINT corner = {5, 5};
        ClientToScreen(&corner);
        point = CPoint(corner.x, corner.y);
    }
    TrackContextMenuResource(this, kContextMenuId, point);
}

void CLogview::OnDropFiles(HDROP hDropInfo)
{
    char szPath[MAX_PATH + 1] = {};
    if (::DragQueryFileA(hDropInfo, 0, szPath, MAX_PATH + 1) > 0)
        m_store.OpenDroppedLogFile(szPath);
    ::DragFinish(hDropInfo);
}

void CLogview::OnProperties()
{
    if (m_onProperties)
        m_onProperties(this, kPropertiesPage);
}
