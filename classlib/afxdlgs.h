// The common dialogs: file open/save, colour, and the shell's folder browser. Each shows
// its dialog through the prompt hook (AfxGetPromptHook), so tests answer them without a
// window while the program gets the system's dialogs.
#pragma once
#include "afxdialog.h"
#include <commdlg.h>
#include <string>

class CCommonDialog : public CDialog {
    DECLARE_DYNAMIC(CCommonDialog)
public:
    explicit CCommonDialog(CWnd* pParentWnd) : CDialog((UINT)0, pParentWnd) { m_lpszTemplateName = NULL; }
    virtual void OnOK();
    virtual void OnCancel();
};

class CFileDialog : public CCommonDialog {
    DECLARE_DYNAMIC(CFileDialog)
public:
    // lpszFilter uses '|' between texts and patterns and ends with "||".
    explicit CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt = NULL, LPCTSTR lpszFileName = NULL,
                         DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCTSTR lpszFilter = NULL,
                         CWnd* pParentWnd = NULL, DWORD dwSize = 0);

    OPENFILENAME m_ofn;

    virtual INT_PTR DoModal();

    CString GetPathName() const;
    CString GetFileName() const;
    CString GetFileExt() const;
    CString GetFileTitle() const;
    CString GetFolderPath() const;
    BOOL GetReadOnlyPref() const { return (m_ofn.Flags & OFN_READONLY) != 0; }
    // Multiple selection: positions over the chosen files.
    POSITION GetStartPosition() const;
    CString GetNextPathName(POSITION& pos) const;

protected:
    BOOL m_bOpenFileDialog;
    CString m_strDefExt;
    std::string m_strFilter;   // texts and patterns separated by NULs
    CString m_strTitle;
    char m_szFileTitle[64];
    char m_szFileName[_MAX_PATH * 8];
};

class CColorDialog : public CCommonDialog {
    DECLARE_DYNAMIC(CColorDialog)
public:
    explicit CColorDialog(COLORREF clrInit = 0, DWORD dwFlags = 0, CWnd* pParentWnd = NULL);

    CHOOSECOLOR m_cc;

    virtual INT_PTR DoModal();
    COLORREF GetColor() const { return m_cc.rgbResult; }
    void SetCurrentColor(COLORREF clr) { m_cc.rgbResult = clr; }
    // The 16 custom colours shared by every colour dialog of the process.
    static COLORREF* PASCAL GetSavedCustomColors();
};

// Lets the user choose a folder (file-system folders only with BIF_RETURNONLYFSDIRS). TRUE
// with the chosen path in strFolder; FALSE when cancelled or the choice has no path.
BOOL AFXAPI AfxBrowseForFolder(CWnd* pOwner, LPCTSTR lpszTitle, CString& strFolder,
                               UINT ulFlags = 0x0001 /* BIF_RETURNONLYFSDIRS */);
