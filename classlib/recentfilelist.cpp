#include "afxwin.h"

CRecentFileList::CRecentFileList(UINT nStart, LPCSTR lpszSection, LPCSTR lpszEntryFormat, int nSize)
    : m_nSize(nSize > 0 ? nSize : 0), m_arrNames(new CString[nSize > 0 ? nSize : 1]),
      m_strSectionName(lpszSection != NULL ? lpszSection : ""),
      m_strEntryFormat(lpszEntryFormat != NULL ? lpszEntryFormat : ""), m_nStart(nStart)
{
}

CRecentFileList::~CRecentFileList()
{
    delete[] m_arrNames;
}

void CRecentFileList::Add(LPCSTR lpszPathName)
{
    if (m_nSize == 0 || lpszPathName == NULL || *lpszPathName == 0)
        return;
    int nFound = m_nSize - 1;
    for (int i = 0; i < m_nSize; ++i) {
        if (m_arrNames[i].CompareNoCase(lpszPathName) == 0) {
            nFound = i;
            break;
        }
    }
    for (int i = nFound; i > 0; --i)
        m_arrNames[i] = m_arrNames[i - 1];
    m_arrNames[0] = lpszPathName;
}

void CRecentFileList::Remove(int nIndex)
{
    if (nIndex < 0 || nIndex >= m_nSize)
        return;
    for (int i = nIndex; i < m_nSize - 1; ++i)
        m_arrNames[i] = m_arrNames[i + 1];
    m_arrNames[m_nSize - 1].Empty();
}

BOOL CRecentFileList::GetDisplayName(CString& strName, int nIndex, LPCSTR lpszCurDir, int nCurDir,
                                     BOOL /*bAtLeastName*/) const
{
    strName.Empty();
    if (nIndex < 0 || nIndex >= m_nSize || m_arrNames[nIndex].IsEmpty())
        return FALSE;
    const CString& path = m_arrNames[nIndex];
    strName = path;
    if (lpszCurDir != NULL && nCurDir > 0 && path.GetLength() > nCurDir) {
        CString dir(lpszCurDir, nCurDir);
        if (dir.Right(1) != "\\")
            dir += "\\";
        if (path.Left(dir.GetLength()).CompareNoCase(dir) == 0)
            strName = path.Mid(dir.GetLength());
    }
    return TRUE;
}
