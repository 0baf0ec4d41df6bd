// CSendEditorPane: the pane that holds the bytes the ports send. The send editor fills the pane
// below its toolbar; whatever the editor holds when a port sends is what goes out. A file
// dropped from the shell loads into the editor as its document.
#pragma once

#include "appsettings.h"
#include "hexeditsend.h"
#include "panetoolbar.h"
#include "resizabledialog.h"

class CSendEditorPane : public CUiResizableDialog {
public:
    CSendEditorPane();
    ~CSendEditorPane() override;

    // The application's settings (not owned); read by OnInitDialog for the display.
    void SetSources(const CAppSettings* pSettings) { m_pSettings = pSettings; }
    // The window that shows the editor's title (the pane's bar).
    void SetTitleTarget(CWnd* pWnd);
    CHexEditSend& GetEditor() { return m_editor; }
    CPaneToolBar& GetToolBar() { return m_toolBar; }
    void ApplyEditorSettings(const CAppSettings& settings);

    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnDataClear();
    afx_msg void OnReadFile();
    afx_msg void OnSave();
    afx_msg void OnSaveAs();
    afx_msg void OnTextInput();
    afx_msg void OnCopy();
    afx_msg void OnCut();
    afx_msg void OnPaste();
    afx_msg void OnUndo();
    afx_msg void OnRedo();
    afx_msg void OnMarker();
    afx_msg void OnMarkerInfo();
    afx_msg void OnProperties();
    afx_msg void OnDataAnalysis();
    afx_msg void OnSelectAll();
    afx_msg void OnUpdateSave(CCmdUI* pCmdUI);
    afx_msg void OnUpdateAlways(CCmdUI* pCmdUI);
    afx_msg void OnUpdateSelection(CCmdUI* pCmdUI);
    afx_msg void OnUpdatePaste(CCmdUI* pCmdUI);
    afx_msg void OnUpdateUndo(CCmdUI* pCmdUI);
    afx_msg void OnUpdateRedo(CCmdUI* pCmdUI);
    afx_msg void OnUpdateSelectAll(CCmdUI* pCmdUI);
    DECLARE_MESSAGE_MAP()

    CHexEditSend m_editor;
    CPaneToolBar m_toolBar;
    const CAppSettings* m_pSettings;
};
