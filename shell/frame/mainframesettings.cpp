// The frame's openers of the two settings dialogs, and the editors' side of applying the other
// settings. The communication settings come back at the page the user left them on, and the
// set-modified mark comes back from them, but only when the dialog ended with OK: a cancelled
// visit changes neither.
#include "mainframe.h"

#include "appsettings.h"
#include "commsettingdlg.h"
#include "hexpanesettings.h"
#include "othersettingsopen.h"

void CMainFrame::OnCommSettings()
{
    CCommSettingDlg dlg(this);
    dlg.m_bRunning = AnyPortRunning() ? 1 : 0;
    dlg.m_bSetModified = m_bSetModified;
    dlg.m_nInitialPage = m_nCommSettingPage;
    if (dlg.DoModal() != IDOK)
        return;
    m_bSetModified = dlg.m_bSetModified;
    m_nCommSettingPage = dlg.m_nInitialPage;
    SetFrameTitle();
}

void CMainFrame::OnOtherSettings()
{
    RunOtherSettingsDialog(GetAppSettings(), this, kOtherSettingsLastPage);
}

void CMainFrame::ApplyEditorSettings(int nEditorIndex, const CAppSettings& settings)
{
    switch (nEditorIndex) {
    case CAppSettings::EditorSend:
        m_wndSendPane.ApplyEditorSettings(settings);
        break;
    case CAppSettings::EditorDump:
        m_wndDetailPane.ApplyEditorSettings(settings);
        break;
    case CAppSettings::EditorCom1:
    case CAppSettings::EditorCom2:
        m_wndComPane[nEditorIndex - CAppSettings::EditorCom1].ApplyEditorSettings(settings);
        break;
    default: break;
    }
}
