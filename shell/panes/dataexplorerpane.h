// CDataExplorerPane: a tree of the drives, folders and files from which the user sends a byte
// file to the send data editor. The tree stays empty and hidden until the first refresh, which
// fills it a moment later with the working directory opened and selected.
#pragma once

#include "foldertree.h"
#include "resizabledialog.h"
#include "panetoolbar.h"

class CSendEditorPane;

class CDataExplorerPane : public CUiResizableDialog {
public:
    CDataExplorerPane();
    ~CDataExplorerPane() override;

    void SetTitleTarget(CWnd* pWnd) { m_hTitleWnd = pWnd != NULL ? pWnd->GetSafeHwnd() : NULL; }
    // The send data editor pane that loads what this pane sends (not owned).
    void SetSendEditorPane(CSendEditorPane* pPane) { m_pSendEditor = pPane; }

    CFolderTree& GetTree() { return m_tree; }
    CPaneToolBar& GetToolBar() { return m_toolBar; }
    const CString& GetSelectedPath() const { return m_strSelPath; }
    BOOL IsFileSelected() const { return m_bFile; }
    BOOL IsFilled() const { return m_bFilled; }

    BOOL OnInitDialog() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    afx_msg void OnRefresh();
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnSelChanged(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnOpenItem(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnSendToSendEditor();
    afx_msg void OnUpdateSendToSendEditor(CCmdUI* pCmdUI);
    afx_msg void OnTreeKeyDown(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnTreeRightClick(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

    CPaneToolBar m_toolBar;
    CFolderTree m_tree;
    CString m_strSelPath;
    BOOL m_bFile;
    HWND m_hTitleWnd;
    BOOL m_bFilled;
    CSendEditorPane* m_pSendEditor;
};
