// CLogview: the main frame's view, a report-style list over the communication log.
//
// The log itself (records, numbering, trimming, filters, files, exports) is CLogStore; the
// view owns one and is the store's row sink. It adds the window's part: the columns and
// the font, the row colours (custom draw), the selected record going to the detailed log
// data pane (WM_LOG_DETAIL), the context menu through a presenter, and log files dropped
// on it.
//
// The list is virtual (LVS_OWNERDATA): it holds only the count of its rows, their selection
// and focus. It asks for a row's texts when it draws the row (LVN_GETDISPINFO) and the view
// makes them from the row's record, as the store would have. Nine thousand rows so cost
// neither their texts' memory nor the time to copy them in, listing them all again (refresh,
// reading a file) draws the list once at its end, and the rows a full log trims cost nothing
// each: a list of real rows moves them all for every row deleted at its front, some
// milliseconds a row at 9,999 under Wine, and a full log then read a device at that pace.
//
// The store takes every record at once, but the list follows it in batches: rows added and
// rows trimmed away wait for a timer, whose message comes only when the thread has nothing
// else to do, a few tens of milliseconds after the last batch at the earliest (longer when
// the list took long over that one and its paints since); a record that comes while a batch
// is well overdue, the thread never idle, brings it and its paint at once. A list that
// inserts, selects, scrolls and paints each row on its own costs the interface thread over ten
// milliseconds a row on a shown window, and the connection threads wait for that thread on
// every record: a chatty device would be read at the pace of the screen. A batch is drawn once,
// and automatic scrolling selects and shows only its last row; without it, the rows on the
// screen and the selected one keep their records while older ones are trimmed. Until then the
// list's rows stand for the store's rows shifted by the rows still to be trimmed: a row whose
// record already left the log paints empty, never another. In a full log, whose row count
// stays, a batch moves the rows on the screen with their records and draws only the rows it
// brings into view.
#pragma once

#include <functional>

#include "afxwin.h"
#include "afxcview.h"
#include "logstore.h"
#include "logtext.h"

// Sent to the detailed log data pane: wParam LogDetailShow with lParam the selected
// CCommLogRecord (sent); LogDetailClear with lParam 0 (posted) when the record shown there
// left the log or every row was deleted.
#define WM_LOG_DETAIL (WM_APP + 2)
enum LogDetailAction { LogDetailShow = 0, LogDetailClear = 1 };

class CLogview : public CListView, private ILogRowSink
{
    DECLARE_DYNCREATE(CLogview)
public:
    // The menu resource of the context menu and its one command.
    static const UINT kContextMenuId = 172;
    static const UINT kPropertiesCommand = 32820;
    // The page of the other-settings dialog that the properties command opens.
    static const int kPropertiesPage = 1;

    CLogview();
    virtual ~CLogview();

    void AppendLogRecord(const CCommLogRecord& record) { m_store.AppendLogRecord(record); }
    void ClearLogView() { m_store.ClearLogView(); }
    void RefreshList() { m_store.RefreshList(); }
    void SetLogFont(const CAppSettings& settings);
    int GetRecordCount() const { return m_store.GetRecordCount(); }
    // The rows the log lists, whether or not the list shows them yet.
    int GetRowCount() const { return m_store.GetRowCount(); }
    // Brings the list up to date with the store now, rather than at the next batch.
    void UpdateRows();

    BOOL ReadLogFile(LPCSTR pszPath) { return m_store.ReadLogFile(pszPath); }
    BOOL WriteLogFile(LPCSTR pszPath) { return m_store.WriteLogFile(pszPath); }
    BOOL WriteRealtimeLog(const CCommLogRecord& record) { return m_store.WriteRealtimeLog(record); }
    void CloseRealtimeLog() { m_store.CloseRealtimeLog(); }
    BOOL ExportLogCsv(LPCSTR pszPath) { return m_store.ExportLogCsv(pszPath); }
    BOOL ExportLogText(LPCSTR pszPath) { return m_store.ExportLogText(pszPath); }

    // The window of the detailed log data pane; the frame sets it once the panes exist.
    void SetDetailPane(HWND hWnd) { m_hDetailPane = hWnd; }
    HWND GetDetailPane() const { return m_hDetailPane; }
    // The application's settings and current set; see CLogStore::SetSources. The list takes
    // the log font of the settings given.
    void SetSources(const CAppSettings* pSettings, const CCommSetRecord* pSet);
    // Runs the other-settings dialog at the given page for the properties command; the
    // application installs it (the dialog belongs to the shell).
    void SetPropertiesHandler(std::function<void(CWnd* pParent, int nPage)> handler) { m_onProperties = std::move(handler); }

    CLogStore& GetStore() { return m_store; }
    const CLogStore& GetStore() const { return m_store; }

protected:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnPaint();
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
    afx_msg void OnDropFiles(HDROP hDropInfo);
    afx_msg void OnDeleteAllItems(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnDeleteItem(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnItemChanged(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnGetDispInfo(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnFindItem(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnProperties();

    DECLARE_MESSAGE_MAP()

private:
    void OnRowAppended(const CCommLogRecord& record, BOOL bAutoScroll) override;
    void OnFirstRowDeleted() override;
    void OnAllRowsDeleted() override;
    void OnShownRecordDropped() override;
    void OnRelistBegin() override;
    void OnRelistEnd() override;
    void PostClearToDetailPane();
    // Asks for the next batch: soon when the last one is long past, else once the gap after it
    // has passed (the timer's message comes only when the thread has nothing else to do).
    void ScheduleUpdate();
    // How long the next batch is still to wait after the last one, in milliseconds.
    DWORD UpdateWait() const;
    // The part of the client area that shows rows (below the header) and a row's height;
    // false while there is no row.
    bool RowsArea(CRect& rcRows, int& nRowHeight);
    // The stored record a row of the list shows, or null (a row whose record left the log).
    const CCommLogRecord* RecordOfRow(int nRow) const;
    // The texts of a row's record, made again only for another row or record.
    const CLogRowTexts* RowTexts(int nRow);
    // Whether the list's font draws the low line "_" as nothing; and, when it does, the low
    // lines of a row drawn by the list itself (logviewlowline.cpp).
    void CheckLowLine();
    void DrawLowLines(HDC hDC, int nRow);
    static const int kContentsColumn = 3;
    static const UINT_PTR kUpdateTimer = 0x4C47;
    // The bounds of the time between the end of one batch and the next.
    static const DWORD kUpdateGapMs = 40;
    static const DWORD kUpdateGapMaxMs = 250;
    // How long past its time a batch waits for the timer before a record brings it.
    static const DWORD kUpdateOverdueMs = 300;

    CFont m_font;
    bool m_bDrawLowLine;
    HWND m_hDetailPane;
    // The row whose texts were made last (nullptr: none; every change of the rows drops it).
    const CCommLogRecord* m_pTextsRecord;
    int m_nTextsSeq;
    CLogRowTexts m_rowTexts;
    // What the list still lacks of the store: rows at its front whose records were trimmed,
    // rows at its end not inserted yet, and whether the last row appended asked to be
    // selected and shown.
    int m_nRowsToDelete;
    int m_nRowsToInsert;
    bool m_bScrollToLast;
    bool m_bUpdateScheduled;
    // While a batch moves the selection and focus with their records.
    bool m_bMovingSelection;
    // While every row is listed again (the list's redraw is held off until its end).
    bool m_bRelisting;
    // What the list took over the last batch and the paints since, and when the batch was done.
    DWORD m_dwListBusyMs;
    DWORD m_dwListDone;
    // When the timer set for the next batch is due.
    DWORD m_dwUpdateDue;
    CLogStore m_store;
    std::function<void(CWnd*, int)> m_onProperties;
};
