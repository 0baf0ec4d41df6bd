// CHexEditViewer: what the two hex editors that show logged bytes have in common (the COM
// control pane's and the detailed log data pane's): select all, copy, data analysis, send to
// the send data editor, save as, and the context menu through a presenter.
#pragma once

#include "hexedit.h"

class CHexEditViewer : public CHexEdit {
    DECLARE_DYNAMIC(CHexEditViewer)
public:
    CHexEditViewer();

    CString m_strPath;   // the last save-as path

    afx_msg void OnSelectAll();
    afx_msg void OnCopy();
    afx_msg void OnDataAnalysis();
    afx_msg void OnSendToSendEditor();
    afx_msg void OnSaveAs();

protected:
    afx_msg void OnUpdateSelectAll(CCmdUI* pCmdUI);
    afx_msg void OnUpdateSelection(CCmdUI* pCmdUI);
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
    DECLARE_MESSAGE_MAP()
};
