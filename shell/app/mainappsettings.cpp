// The application's side of the other settings: the editors and the log view open the dialog
// through it, and applying the dialog reaches the log view and the panes' editors through it.
// The dialog is owned by the main frame whoever asked for it, so that the refreshes it posts
// on Apply reach the frame even from a floating pane.
#include "mainapp.h"

#include "appsettings.h"
#include "logview.h"
#include "mainframe.h"
#include "othersettingsopen.h"

void CMainApp::ShowOtherSettings(CWnd* pParent, int nStartPage, int nEditorIndex)
{
    CWnd* pOwner = GetMainFrame();
    RunOtherSettingsDialog(GetAppSettings(), pOwner != NULL ? pOwner : pParent, nStartPage, nEditorIndex);
}

void CMainApp::ApplyLogFont(const CAppSettings& settings)
{
    CMainFrame* pFrame = GetMainFrame();
    if (pFrame != NULL && pFrame->GetLogView() != NULL)
        pFrame->GetLogView()->SetLogFont(settings);
}

void CMainApp::ApplyEditorSettings(int nEditorIndex, const CAppSettings& settings)
{
    if (CMainFrame* pFrame = GetMainFrame())
        pFrame->ApplyEditorSettings(nEditorIndex, settings);
}
