// The application object of the window tests: it ends the command routing of frames and
// dialogs, and its loop is the one the pre-translate tests run.
#include "test_app.h"

BEGIN_MESSAGE_MAP(CTestApp, CWinApp)
    ON_COMMAND(ID_TEST_APPCMD, OnAppCommand)
END_MESSAGE_MAP()

CTestApp theApp;

void CTestApp::OnAppCommand()
{
    ++m_nAppCommands;
}
