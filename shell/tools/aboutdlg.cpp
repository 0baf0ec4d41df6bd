#include "aboutdlg.h"

#include "appsettings.h"
#include "resource.h"
#include "scriptdlls.h"
#include "shellopen.h"

CString FormatScriptDllLines()
{
    CString text;
    const CPluginDllList& list = GetScriptDllList();
    for (int i = 0; i < list.GetCount(); ++i) {
        const CPluginDllList::Entry& entry = list.GetEntry(i);
        const int slash = entry.strPath.ReverseFind('\\');
        CString names;
        for (const CPluginDllList::Function& function : entry.functions) {
            if (!names.IsEmpty())
                names += ",";
            names += function.szName;
        }
        text.AppendFormat("[Lua] [%s] [Module:%s]\r\n", static_cast<LPCSTR>(entry.strPath.Mid(slash + 1)),
                          static_cast<LPCSTR>(names));
    }
    return text;
}

BEGIN_MESSAGE_MAP(CAboutDlg, CDialog)
    ON_BN_CLICKED(IDC_ABOUT_HELP, OnSupportPage)
    ON_STN_CLICKED(IDC_ABOUT_ADDRESS, OnSupportPage)
END_MESSAGE_MAP()

CAboutDlg::CAboutDlg(CWnd* pParent) : CDialog(IDD_ABOUT, pParent)
{
}

void CAboutDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_ABOUT_VERSION, m_version);
    DDX_Control(pDX, IDC_ABOUT_DLLS, m_dlls);
    DDX_Control(pDX, IDC_ABOUT_ENGINE, m_engine);
    DDX_Control(pDX, IDC_ABOUT_ADDRESS, m_address);
    DDX_Control(pDX, IDC_ABOUT_HELP, m_help);
}

BOOL CAboutDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    const CString appName = AfxGetAppName();
    SetWindowText(appName + " Version Infomation");
    // The running program's own version: the settings' "VER" names the program that last
    // saved them, which may be another one.
    m_version.SetWindowText(appName + " Version " + GetProgramFileVersion());
    m_dlls.SetWindowText(FormatScriptDllLines());
    return TRUE;
}

void CAboutDlg::OnSupportPage()
{
    OpenSupportPage(m_hWnd);
}
