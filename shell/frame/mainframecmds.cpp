// The frame's commands on the log, the window and the tools, and the start-up set.
#include "mainframe.h"

#include "aboutdlg.h"
#include "afxdlgs.h"
#include "appsettings.h"
#include "commandtooldlg.h"
#include "commsetrecord.h"
#include "comtooldlg.h"
#include "currentcommset.h"
#include "logview.h"
#include "messagetext.h"
#include "resource.h"
#include "saveformatdlg.h"

namespace {

const char kLogFilter[] = "Mirtolex Log file(*.mqt)|*.mqt|All Files(*.*)|*.*||";
const char kTextFilter[] = "Mirtolex Log file(*.txt)|*.txt|All Files(*.*)|*.*||";
const char kCsvFilter[] = "Mirtolex Log file(*.csv)|*.csv|All Files(*.*)|*.*||";

// AfxMessageBox adds a warning icon to a box without one; this one is plain.
void ShowNoLogData(CWnd& owner)
{
    owner.MessageBox(GetMessageText(13005), NULL, MB_OK);
}

} // namespace

BOOL CMainFrame::AskFilePath(BOOL bOpen, LPCSTR lpszExt, LPCSTR lpszFilter, CString& strPath)
{
    const DWORD dwFlags = OFN_HIDEREADONLY | (bOpen ? OFN_FILEMUSTEXIST : OFN_OVERWRITEPROMPT);
    CFileDialog dlg(bOpen, lpszExt, strPath, dwFlags, lpszFilter, this);
    if (dlg.DoModal() != IDOK)
        return FALSE;
    strPath = dlg.GetPathName();
    return TRUE;
}

void CMainFrame::OnLoadLog()
{
    CString strPath = GetCurrentCommSet().m_strLogPath;
    if (!AskFilePath(TRUE, "mqt", kLogFilter, strPath))
        return;
    GetCurrentCommSet().m_strLogPath = strPath;
    m_pLogView->ReadLogFile(strPath);
}

void CMainFrame::OnSaveLog()
{
    if (m_pLogView->GetRecordCount() == 0) {
        ShowNoLogData(*this);
        return;
    }
    CString strPath = GetCurrentCommSet().m_strLogPath;
    if (!AskFilePath(FALSE, "mqt", kLogFilter, strPath))
        return;
    GetCurrentCommSet().m_strLogPath = strPath;
    m_pLogView->WriteLogFile(strPath);
}

void CMainFrame::OnExportLog()
{
    if (m_pLogView->GetRecordCount() == 0) {
        ShowNoLogData(*this);
        return;
    }
    CSaveFormatDlg dlg(this);
    if (dlg.DoModal() != IDOK)
        return;
    CCommSetRecord& set = GetCurrentCommSet();
    if (dlg.m_nFormat == CSaveFormatDlg::FormatText) {
        CString strPath = set.m_strTextPath;
        if (!AskFilePath(FALSE, "txt", kTextFilter, strPath))
            return;
        set.m_strTextPath = strPath;
        m_pLogView->ExportLogText(strPath);
    } else {
        CString strPath = set.m_strCsvPath;
        if (!AskFilePath(FALSE, "csv", kCsvFilter, strPath))
            return;
        set.m_strCsvPath = strPath;
        m_pLogView->ExportLogCsv(strPath);
    }
}

void CMainFrame::OnUpdateLogFile(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(!AnyPortRunning());
}

void CMainFrame::OnUpdateSaveLog(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(!AnyPortRunning() && m_pLogView != NULL && m_pLogView->GetRecordCount() > 0);
}

void CMainFrame::OnTopmost()
{
    m_bTopmost = !m_bTopmost;
    SetWindowPos(m_bTopmost ? &CWnd::wndTopMost : &CWnd::wndNoTopMost, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
}

void CMainFrame::OnUpdateTopmost(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(m_bTopmost ? 1 : 0);
}

void CMainFrame::OnAutoScroll()
{
    CAppSettings& settings = GetAppSettings();
    settings.m_nAutoScroll = !settings.m_nAutoScroll;
}

void CMainFrame::OnUpdateAutoScroll(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(GetAppSettings().m_nAutoScroll ? 1 : 0);
}

void CMainFrame::OnClearLog()
{
    if (m_pLogView->GetRowCount() == 0)
        return;
    if (AfxMessageBox(GetMessageText(13015), MB_OKCANCEL | MB_ICONQUESTION) == IDOK)
        m_pLogView->ClearLogView();
}

void CMainFrame::OnUpdateClearLog(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_pLogView != NULL && m_pLogView->GetRowCount() > 0);
}

void CMainFrame::OnComTool()
{
    CComToolDlg dlg(this);
    dlg.DoModal();
}

void CMainFrame::OnCommandTool()
{
    CCommandToolDlg dlg(this);
    dlg.DoModal();
}

void CMainFrame::LoadStartupCommSet(BOOL bStartPorts)
{
    m_bSetModified = 0;
    m_bSetLoaded = 1;
    CCommSetRecord& set = GetCurrentCommSet();
    if (ReadCommSetFile(set) == 0) {
        CHexEditSend& sendEditor = m_wndSendPane.GetEditor();
        sendEditor.SetData(set.m_sendData);
        sendEditor.SetMarkerData(set.m_sendMarkers);
        m_wndDetailPane.GetEditor().SetMarkerData(set.m_detailMarkers);
        m_wndScriptPane[0].SetScriptText(set.m_scriptText[0]);
        m_wndScriptPane[1].SetScriptText(set.m_scriptText[1]);
        PostMessage(WM_FRAME_REFRESH, 0, 0);
        SetFrameTitle();
        sendEditor.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        m_wndDetailPane.GetEditor().RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        if (bStartPorts || set.m_nAutoStart != 0) {
            for (int nPort = 0; nPort < 2; nPort++) {
                if (set.m_nInUse[nPort] != 0)
                    StartPortSession(nPort);
            }
        }
        return;
    }
    AfxMessageBox(GetMessageText(13021), MB_OK | MB_ICONSTOP);
    SetCommSetDefaults(set, TRUE);
    m_bSetLoaded = 0;
    SetFrameTitle();
}
