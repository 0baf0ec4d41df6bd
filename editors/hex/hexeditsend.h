// CHexEditSend: the send data editor, fully editable, with a document file. Besides the
// shared commands it has undo and redo, cut and paste, clear data, read file, save, save as
// and text input, and it loads a file dropped on its pane (WM_APP+5 with the path). Its
// title window (the pane's bar) shows "送信ﾃﾞｰﾀｴﾃﾞｨﾀ" and the document path.
#pragma once

#include "hexedit.h"

// Sent by the send data pane with the path of a dropped file in lParam.
const UINT WM_HEXSEND_LOADFILE = WM_APP + 5;

class CHexEditSend : public CHexEdit {
    DECLARE_DYNCREATE(CHexEditSend)
public:
    CHexEditSend();

    // The window whose text shows the document (not owned), or null.
    void SetTitleWindow(HWND hWnd) { m_hTitleWnd = hWnd; }
    HWND GetTitleWindow() const { return m_hTitleWnd; }
    const CString& GetDocumentPath() const { return m_strPath; }

    // Reads the whole file and puts it in the editor (undoable); the document path and title
    // follow. A file that cannot be read shows 13021 and changes nothing.
    BOOL LoadFile(LPCSTR path);
    // Writes all bytes to the document path; 13022 when that fails.
    BOOL SaveFile();
    // The string 61220, " - " and the document path when there is one, on the title window.
    void UpdateTitle();
    CString GetTitleText() const;

    afx_msg void OnSelectAll();
    afx_msg void OnCopy();
    afx_msg void OnCut();
    afx_msg void OnPaste();
    afx_msg void OnUndo();
    afx_msg void OnRedo();
    afx_msg void OnDataAnalysis();
    afx_msg void OnSaveAs();
    afx_msg void OnSave();
    afx_msg void OnReadFile();
    afx_msg void OnDataClear();
    afx_msg void OnTextInput();
    afx_msg void OnProperties();
    afx_msg void OnMarker();
    afx_msg void OnMarkerInfo();

protected:
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    afx_msg void OnUpdateSelectAll(CCmdUI* pCmdUI);
    afx_msg void OnUpdateSelection(CCmdUI* pCmdUI);
    afx_msg void OnUpdatePaste(CCmdUI* pCmdUI);
    afx_msg void OnUpdateUndo(CCmdUI* pCmdUI);
    afx_msg void OnUpdateRedo(CCmdUI* pCmdUI);
    afx_msg void OnUpdateSave(CCmdUI* pCmdUI);
    afx_msg void OnUpdateTextInput(CCmdUI* pCmdUI);
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
    DECLARE_MESSAGE_MAP()

    CString m_strPath;
    HWND m_hTitleWnd;
};
