#include "mainapp.h"

#include "aboutdlg.h"
#include "appsettings.h"
#include "currentcommset.h"
#include "hexedit.h"
#include "logview.h"
#include "mainframe.h"
#include "modulekeeper.h"
#include "plugindll.h"
#include "popupmenupresenter.h"
#include "portsession.h"
#include "randomengine.h"
#include "resource.h"
#include "scriptdlls.h"
#include "shellopen.h"

#include <commctrl.h>

namespace {
// The log list's and the editors' context menus open through it.
CUiPopupMenuPresenter g_contextMenus;
} // namespace

BEGIN_MESSAGE_MAP(CMainApp, CWinApp)
    ON_COMMAND(ID_FRAME_ABOUT, OnAbout)
    ON_COMMAND(ID_FRAME_SUPPORT_PAGE, OnSupportPage)
END_MESSAGE_MAP()

CMainApp::CMainApp()
    : CWinApp("Korvane"), m_dwMainThreadId(::GetCurrentThreadId()), m_hFrameWnd(NULL)
{
}

BOOL CMainApp::InitInstance()
{
    m_dwMainThreadId = ::GetCurrentThreadId();
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_WIN95_CLASSES | ICC_COOL_CLASSES | ICC_BAR_CLASSES};
    ::InitCommonControlsEx(&icc);
    AfxEnableControlContainer();
    Enable3dControlsStatic();
    SetStartTickCount(::GetTickCount());
    SeedRandom();
    SetRegistryKey("Pellandor");
    LoadAppSettings(GetAppSettings());
    LoadScriptDlls();
    // The extension DLLs that the DLL choice lists, mapped before any connection runs; under
    // Wine they then stay mapped (modulekeeper.h).
    GetExtensionModules().KeepFolder(GetAppDirectory());
    CHexEdit::RegisterWndClass();
    SetAppAccessors(this);
    SetHexEditHost(this);
    SetOtherSettingsHost(this);
    SetContextMenuPresenter(&g_contextMenus);
    return OpenMainFrame();
}

BOOL CMainApp::OpenMainFrame()
{
    CMainFrame* pFrame = new CMainFrame;
    m_pMainWnd = pFrame;
    if (!pFrame->LoadFrame(IDR_MAINFRAME, 0x00CF8000)) {
        m_pMainWnd = NULL;
        return FALSE;
    }
    m_hFrameWnd = pFrame->GetSafeHwnd();
    pFrame->GetLogView()->SetPropertiesHandler(
        [this](CWnd* pParent, int nPage) { ShowOtherSettings(pParent, nPage, 0); });
    pFrame->ActivateFrame(SW_SHOW);
    if (pFrame->IsIconic())
        pFrame->ShowWindow(SW_RESTORE);
    if (::GetFileAttributesA("auto.kvr") != INVALID_FILE_ATTRIBUTES) {
        GetCurrentCommSet().m_strSetPath = "auto.kvr";
        pFrame->LoadStartupCommSet(TRUE);
    }
    return TRUE;
}

int CMainApp::ExitInstance()
{
    SetContextMenuPresenter(nullptr);
    return CWinApp::ExitInstance();
}

CMainFrame* CMainApp::GetMainFrame() const
{
    return dynamic_cast<CMainFrame*>(m_pMainWnd);
}

COleSafeArray CMainApp::GetSendEditorData()
{
    COleSafeArray data;
    if (OnMainThread()) {
        if (CMainFrame* pFrame = GetMainFrame())
            data = pFrame->GetSendEditorBytes();
        return data;
    }
    ::SendMessageA(m_hFrameWnd.load(), WM_ACCESS_GET_SEND_DATA, 0, reinterpret_cast<LPARAM>(&data));
    return data;
}

void CMainApp::SetSendEditorData(const COleSafeArray& data)
{
    if (OnMainThread()) {
        if (CMainFrame* pFrame = GetMainFrame())
            pFrame->SetSendEditorBytes(data);
        return;
    }
    ::SendMessageA(m_hFrameWnd.load(), WM_ACCESS_SET_SEND_DATA, 0, reinterpret_cast<LPARAM>(&data));
}

COleSafeArray CMainApp::GetScriptText(int nPort)
{
    COleSafeArray data;
    if (OnMainThread()) {
        if (CMainFrame* pFrame = GetMainFrame())
            data = pFrame->GetScriptBytes(nPort);
        return data;
    }
    ::SendMessageA(m_hFrameWnd.load(), WM_ACCESS_GET_SCRIPT, nPort, reinterpret_cast<LPARAM>(&data));
    return data;
}

void CMainApp::OnAbout()
{
    CAboutDlg dlg(m_pMainWnd);
    dlg.DoModal();
}

void CMainApp::OnSupportPage()
{
    OpenSupportPage(m_pMainWnd != NULL ? m_pMainWnd->GetSafeHwnd() : NULL);
}
