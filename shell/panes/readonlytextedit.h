// CReadOnlyTextEdit: the detailed log data pane's text view of a message entry. Besides what
// a read-only edit does, it answers select all, copy and properties, shows the hex editors'
// context menu (whose byte commands it leaves unanswered, so they stay disabled), and draws
// the low lines of fonts that leave them out.
#pragma once

#include "afxwin.h"

class CReadOnlyTextEdit : public CEdit {
public:
    afx_msg void OnSelectAll();
    afx_msg void OnCopy();
    afx_msg void OnProperties();

protected:
    afx_msg void OnPaint();
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
    afx_msg void OnUpdateSelectAll(CCmdUI* pCmdUI);
    afx_msg void OnUpdateCopy(CCmdUI* pCmdUI);
    DECLARE_MESSAGE_MAP()

private:
    // The low lines the view's font leaves out of its lines, drawn over the edit's text.
    void DrawLowLines(HDC hDC);
};

// Whether an edit holds text, and whether its selection covers at least one character.
bool EditHasText(HWND hEdit);
bool EditHasSelection(HWND hEdit);
// The other-settings dialog at the hex view page for the dump editor.
void ShowDumpEditorProperties(CWnd* pOwner);
