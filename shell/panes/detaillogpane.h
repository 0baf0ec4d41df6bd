// CDetailLogPane: the pane that shows the log entry selected in the log list. A send or receive
// entry shows its bytes in the read-only dump editor, a message entry its text in the text
// view; one of the two is visible at a time, and that one decides what the commands do.
#pragma once

#include "appsettings.h"
#include "commlogrecord.h"
#include "hexeditdump.h"
#include "readonlytextedit.h"
#include "resizabledialog.h"
#include "panetoolbar.h"

// The log list's message to the pane: wParam 1 clears it, else lParam is the record to show.
const UINT WM_SHOW_LOG_RECORD = WM_APP + 2;

class CDetailLogPane : public CUiResizableDialog {
public:
    enum ViewMode { kTextView = 0, kDumpView = 1 };

    CDetailLogPane();
    ~CDetailLogPane() override;

    void SetSources(const CAppSettings* pSettings) { m_pSettings = pSettings; }
    void ApplyEditorSettings(const CAppSettings& settings);
    CHexEditDump& GetEditor() { return m_editor; }
    CReadOnlyTextEdit& GetTextView() { return m_textView; }
    CPaneToolBar& GetToolBar() { return m_toolBar; }
    int GetViewMode() const { return m_nViewMode; }

    BOOL OnInitDialog() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    afx_msg LRESULT OnShowLogRecord(WPARAM wParam, LPARAM lParam);
    afx_msg void OnSelectAll();
    afx_msg void OnCopy();
    afx_msg void OnDataAnalysis();
    afx_msg void OnSendToSendEditor();
    afx_msg void OnSaveAs();
    afx_msg void OnMarker();
    afx_msg void OnMarkerInfo();
    afx_msg void OnProperties();
    afx_msg void OnUpdateSelectAll(CCmdUI* pCmdUI);
    afx_msg void OnUpdateCopy(CCmdUI* pCmdUI);
    afx_msg void OnUpdateDumpOnly(CCmdUI* pCmdUI);
    afx_msg void OnUpdateMarker(CCmdUI* pCmdUI);
    DECLARE_MESSAGE_MAP()

    void ShowView(int nMode);

    CHexEditDump m_editor;
    CReadOnlyTextEdit m_textView;
    CPaneToolBar m_toolBar;
    int m_nViewMode;
    CFont m_font;
    CBrush m_brush;
    COLORREF m_crText;
    COLORREF m_crBack;
    const CAppSettings* m_pSettings;
};
