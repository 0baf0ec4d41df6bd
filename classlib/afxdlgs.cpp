// CFileDialog, CColorDialog and the folder browser, each shown through the prompt hook while
// the owner's top-level window waits with the owner (CPromptModality).
#include "afxdlgs.h"
#include "afxapp.h"

IMPLEMENT_DYNAMIC(CCommonDialog, CDialog)
IMPLEMENT_DYNAMIC(CFileDialog, CCommonDialog)
IMPLEMENT_DYNAMIC(CColorDialog, CCommonDialog)

void CCommonDialog::OnOK()
{
    CDialog::OnOK();
}

void CCommonDialog::OnCancel()
{
    CDialog::OnCancel();
}

// ---------------------------------------------------------------------------------------
// CFileDialog

CFileDialog::CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt, LPCTSTR lpszFileName, DWORD dwFlags,
                         LPCTSTR lpszFilter, CWnd* pParentWnd, DWORD dwSize)
    : CCommonDialog(pParentWnd), m_bOpenFileDialog(bOpenFileDialog)
{
    memset(&m_ofn, 0, sizeof(m_ofn));
    memset(m_szFileName, 0, sizeof(m_szFileName));
    memset(m_szFileTitle, 0, sizeof(m_szFileTitle));
    m_ofn.lStructSize = dwSize != 0 ? dwSize : sizeof(m_ofn);
    m_ofn.lpstrFile = m_szFileName;
    m_ofn.nMaxFile = _countof(m_szFileName);
    m_ofn.lpstrFileTitle = m_szFileTitle;
    m_ofn.nMaxFileTitle = _countof(m_szFileTitle);
    m_ofn.Flags = dwFlags | OFN_EXPLORER;
    m_ofn.hInstance = AfxGetResourceHandle();

    // The system appends ".<ext>" itself: an extension given with its dot would come out
    // doubled ("name..ext").
    if (lpszDefExt != NULL) {
        m_strDefExt = lpszDefExt;
        while (!m_strDefExt.IsEmpty() && m_strDefExt[0] == '.')
            m_strDefExt = m_strDefExt.Mid(1);
        m_ofn.lpstrDefExt = m_strDefExt;
    }
    if (lpszFileName != NULL)
        lstrcpynA(m_szFileName, lpszFileName, _countof(m_szFileName));

    if (lpszFilter != NULL) {
        // "text|pattern|...||": every '|' becomes a NUL. A '|' byte can be the second byte
        // of a double-byte character; those are kept.
        for (LPCSTR p = lpszFilter; *p != '\0'; ++p) {
            if (::IsDBCSLeadByte((BYTE)*p) && p[1] != '\0') {
                m_strFilter += p[0];
                m_strFilter += p[1];
                ++p;
            } else {
                m_strFilter += (*p == '|') ? '\0' : *p;
            }
        }
        m_strFilter += '\0';
        m_strFilter += '\0';
        m_ofn.lpstrFilter = m_strFilter.c_str();
    }
}

INT_PTR CFileDialog::DoModal()
{
    // Re-point the buffers: the object may have been copied into place after construction.
    m_ofn.lpstrFile = m_szFileName;
    m_ofn.lpstrFileTitle = m_szFileTitle;
    if (!m_strDefExt.IsEmpty())
        m_ofn.lpstrDefExt = m_strDefExt;
    if (!m_strFilter.empty())
        m_ofn.lpstrFilter = m_strFilter.c_str();
    m_ofn.hwndOwner = CWnd::GetSafeOwner_(m_pParentWnd->GetSafeHwnd(), NULL);
    CPromptModality modality(m_ofn.hwndOwner);
    return AfxGetPromptHook()->FileDialog(m_bOpenFileDialog, &m_ofn);
}

CString CFileDialog::GetPathName() const
{
    if ((m_ofn.Flags & OFN_ALLOWMULTISELECT) != 0 && m_ofn.nFileOffset > 0 &&
        m_ofn.lpstrFile[m_ofn.nFileOffset - 1] == '\0') {
        // Several files chosen: the first of them.
        POSITION pos = GetStartPosition();
        return GetNextPathName(pos);
    }
    return CString(m_ofn.lpstrFile);
}

CString CFileDialog::GetFileName() const
{
    CString strPath = GetPathName();
    int nSlash = strPath.ReverseFind('\\');
    return strPath.Mid(nSlash + 1);
}

CString CFileDialog::GetFileExt() const
{
    CString strName = GetFileName();
    int nDot = strName.ReverseFind('.');
    return nDot < 0 ? CString() : strName.Mid(nDot + 1);
}

CString CFileDialog::GetFileTitle() const
{
    CString strName = GetFileName();
    int nDot = strName.ReverseFind('.');
    return nDot < 0 ? strName : strName.Left(nDot);
}

CString CFileDialog::GetFolderPath() const
{
    CString strPath = GetPathName();
    int nSlash = strPath.ReverseFind('\\');
    return nSlash < 0 ? CString() : strPath.Left(nSlash);
}

POSITION CFileDialog::GetStartPosition() const
{
    return m_ofn.lpstrFile[0] == '\0' ? NULL : (POSITION)m_ofn.lpstrFile;
}

CString CFileDialog::GetNextPathName(POSITION& pos) const
{
    LPCSTR lpsz = (LPCSTR)pos;
    if (lpsz == m_ofn.lpstrFile) {
        // The first entry: a single path, or the folder of several names.
        if (!(m_ofn.Flags & OFN_ALLOWMULTISELECT) || lpsz[lstrlenA(lpsz) + 1] == '\0') {
            pos = NULL;
            return CString(lpsz);
        }
        lpsz += lstrlenA(lpsz) + 1;
    }
    CString strFolder(m_ofn.lpstrFile);
    CString strName(lpsz);
    LPCSTR lpszNext = lpsz + lstrlenA(lpsz) + 1;
    pos = *lpszNext == '\0' ? NULL : (POSITION)lpszNext;
    if (!strFolder.IsEmpty() && strFolder[strFolder.GetLength() - 1] != '\\')
        strFolder += '\\';
    return strFolder + strName;
}

// ---------------------------------------------------------------------------------------
// CColorDialog

COLORREF* PASCAL CColorDialog::GetSavedCustomColors()
{
    static COLORREF s_custom[16] = {
        0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF,
        0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF,
    };
    return s_custom;
}

CColorDialog::CColorDialog(COLORREF clrInit, DWORD dwFlags, CWnd* pParentWnd) : CCommonDialog(pParentWnd)
{
    memset(&m_cc, 0, sizeof(m_cc));
    m_cc.lStructSize = sizeof(m_cc);
    m_cc.lpCustColors = GetSavedCustomColors();
    m_cc.Flags = dwFlags;
    if ((m_cc.rgbResult = clrInit) != 0)
        m_cc.Flags |= CC_RGBINIT;
}

INT_PTR CColorDialog::DoModal()
{
    if (m_cc.lpCustColors == nullptr)
        m_cc.lpCustColors = GetSavedCustomColors();
    m_cc.hwndOwner = CWnd::GetSafeOwner_(m_pParentWnd->GetSafeHwnd(), NULL);
    CPromptModality modality(m_cc.hwndOwner);
    return AfxGetPromptHook()->ColorDialog(&m_cc);
}

// ---------------------------------------------------------------------------------------

BOOL AFXAPI AfxBrowseForFolder(CWnd* pOwner, LPCTSTR lpszTitle, CString& strFolder, UINT ulFlags)
{
    HWND hWndOwner = CWnd::GetSafeOwner_(pOwner->GetSafeHwnd(), NULL);
    CPromptModality modality(hWndOwner);
    CString strChosen;
    if (!AfxGetPromptHook()->BrowseForFolder(hWndOwner, lpszTitle, ulFlags, strChosen) || strChosen.IsEmpty())
        return FALSE;
    strFolder = strChosen;
    return TRUE;
}
