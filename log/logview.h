// CLogview: the main frame's view, a report-style list over the communication log.
//
// The log itself (records, numbering, trimming, filters, files, exports) is CLogStore; the
// view owns one and is the store's row sink. It adds the window's part: the columns and
// the font, the row colours (custom draw), the selected record going to the detailed log
// data pane (WM_LOG_DETAIL), the context menu through a presenter, and log files dropped
// on it.
//
// The rows hold no texts of their own: the list asks for a row's texts when it draws the
// row (LVN_GETDISPINFO) and the view makes them from the row's record, as the store would
// have. Nine thousand rows so cost neither their texts' memory nor the time to copy them
// in, and listing them all again (refresh, reading a file) draws the list once at its end.
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

    BOOL ReadLogFile(LPCSTR pszPath) { return m_store.ReadLogFile(pszPath); }
    BOOL WriteLogFile(LPCSTR pszPath) { return m_store.WriteLogFile(pszPath); }
    BOOL WriteRealtimeLog(const CCommLogRecord& record) { return m_store.WriteRealtimeLog(record); }
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
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
    afx_msg void OnDropFiles(HDROP hDropInfo);
    afx_msg void OnDeleteAllItems(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnDeleteItem(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnItemChanged(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnGetDispInfo(NMHDR* pNMHDR, LRESULT* pResult);
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
    // The texts of a row's record, made again only for another row or record.
    const CLogRowTexts* RowTexts(int nRow);
    // Whether the list's font draws the low line "_" as nothing; and, when it does, the low
    // lines of a row drawn by the list itself (logviewlowline.cpp).
    void CheckLowLine();
    void DrawLowLines(HDC hDC, int nRow);
    static const int kContentsColumn = 3;

    CFont m_font;
    bool m_bDrawLowLine;
    HWND m_hDetailPane;
    // The row whose texts were made last (nullptr: none; every change of the rows drops it).
    const CCommLogRecord* m_pTextsRecord;
    int m_nTextsSeq;
    CLogRowTexts m_rowTexts;
    CLogStore m_store;
    std::function<void(CWnd*, int)> m_onProperties;
};
