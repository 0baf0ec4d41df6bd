// CScriptPane: a port's Lua script in the script editor, with new, load, save and save as, the
// path of the script file and the pane's title. A port in script mode takes the pane's text
// when its connection starts; a fresh or cleared pane holds the default script.
//
// A script file becomes the pane's document only once it has been read: a failed load or drop
// leaves text, path and title as they were, so that the next Save cannot write the old script
// over the file that could not be read.
#pragma once

#include "afxdisp.h"
#include "coloreditwnd.h"
#include "resizabledialog.h"
#include "panetoolbar.h"

class CScriptPane : public CUiResizableDialog {
public:
    CScriptPane();
    ~CScriptPane() override;

    // The title's base text and the window that shows the title (the pane's bar).
    void SetTitleTarget(LPCSTR lpszBase, CWnd* pWnd);
    void UpdateTitle();
    CString GetTitleText() const;

    // The editor's text with CR LF line ends, without a terminating zero.
    COleSafeArray GetScriptText() const;
    // The bytes become the script (the default script when there are none); no path.
    void SetScriptText(COleSafeArray bytes);
    // Reads the file into the editor and makes it the pane's document; 13021 when it cannot
    // be read, and nothing changes.
    BOOL LoadScriptFile(LPCSTR path);
    // Writes the editor's text to the script path; 13089 for an empty editor, 13022 when the
    // file cannot be written.
    BOOL SaveScriptFile();

    const CString& GetScriptPath() const { return m_strPath; }
    ColorEditWnd* GetEditor() const { return m_pEditor; }
    CPaneToolBar& GetToolBar() { return m_toolBar; }

    BOOL OnInitDialog() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnNewScript();
    afx_msg void OnLoadScript();
    afx_msg void OnSave();
    afx_msg void OnSaveScriptAs();
    afx_msg void OnUpdateSave(CCmdUI* pCmdUI);
    DECLARE_MESSAGE_MAP()

    void SetEditorText(LPCSTR lpszText);

    CPaneToolBar m_toolBar;
    HWND m_hTitleWnd;
    CFont m_font;
    ColorEditWnd* m_pEditor;
    CString m_strPath;
    CString m_strTitleBase;
};
