#include "dllpage.h"

#include <mbstring.h>
#include <string.h>

#include <vector>

#include "dllselectdlg.h"
#include "messagetext.h"
#include "pluginprobe.h"
#include "plugindll.h"
#include "resource.h"

namespace {

// Comment query nComment on a copy of the last reply; a reply that asks for it is followed
// by its release: the reply with word 0 reduced to its top bit, and a zeroed reply.
CString QueryComment(CPluginDll& dll, KvrBlock& reply, DWORD nComment)
{
    KvrBlock request = reply;
    request.w[KvrCommand] = KvrCommentQuery;
    request.w[KvrParam] = nComment;
    if (dll.CallDirect(reply, request) != 0)
        return CString();
    const CString strText = KvrReplyText(reply.w[KvrData]);
    if (reply.w[KvrCommand] & KvrReleaseBit) {
        KvrBlock release = reply;
        release.w[KvrCommand] &= KvrReleaseBit;
        KvrBlock empty = {};
        dll.CallDirect(empty, release);
    }
    return strText;
}

COleSafeArray BytesToArray(const BYTE* pBytes, DWORD nCount)
{
    COleSafeArray array;
    array.CreateOneDim(VT_UI1, nCount, pBytes);
    return array;
}

} // namespace

BEGIN_MESSAGE_MAP(CDllPage, CSettingsPageBase)
    ON_BN_CLICKED(IDC_DLLPAGE_CHOOSE, OnChoose)
    ON_BN_CLICKED(IDC_DLLPAGE_CLEAR, OnClear)
    ON_BN_CLICKED(IDC_DLLPAGE_DETAILS, OnDetails)
END_MESSAGE_MAP()

CDllPage::CDllPage(CWnd* pParent) : CSettingsPage<CCommSetRecord>(IDD_DLL_PAGE, pParent), m_strSelectFolder(GetAppDirectory()), m_nPort(0)
{
    m_dllData = BytesToArray(NULL, 0);
    Create(IDD_DLL_PAGE, pParent);
}

void CDllPage::PutSettings(const CCommSetRecord& set)
{
    m_strDllPath = set.m_strExtDllPath[m_nPort];
    m_dllData = set.m_extSettings[m_nPort];
    Refresh();
}

int CDllPage::TakeSettings(CCommSetRecord& set)
{
    set.m_strExtDllPath[m_nPort] = m_strDllPath;
    set.m_extSettings[m_nPort] = m_dllData;
    return 0;
}

void CDllPage::Refresh()
{
    CString strPath, strVersion, strComment1, strComment2;
    EnableItem(IDC_DLLPAGE_CLEAR, FALSE);
    EnableItem(IDC_DLLPAGE_DETAILS, FALSE);
    CPluginDll dll;
    if (!m_strDllPath.IsEmpty() && dll.Load(m_strDllPath)) {
        EnableItem(IDC_DLLPAGE_CLEAR, TRUE);
        strPath = m_strDllPath;
        KvrBlock reply = {}, request = {};
        request.w[KvrCommand] = KvrVersionQuery;
        if (dll.CallDirect(reply, request) == 0)
            strVersion.Format("0x%08X", static_cast<unsigned>(reply.w[KvrParam]));
        strComment1 = QueryComment(dll, reply, 0);
        strComment2 = QueryComment(dll, reply, 1);
        request = reply;
        request.w[KvrCommand] = KvrDetailsCapability;
        if (dll.CallDirect(reply, request) == 0 && reply.w[KvrParam] == 1)
            EnableItem(IDC_DLLPAGE_DETAILS, TRUE);
        dll.Unload();
    }
    SetDlgItemText(IDC_DLLPAGE_PATH, strPath);
    SetDlgItemText(IDC_DLLPAGE_TYPE, strVersion);
    SetDlgItemText(IDC_DLLPAGE_COMMENT1, strComment1);
    SetDlgItemText(IDC_DLLPAGE_COMMENT2, strComment2);
}

void CDllPage::OnChoose()
{
    CDllSelectDlg dlg(this);
    dlg.m_strCurrent = m_strDllPath;
    dlg.m_strFolder = m_strSelectFolder;
    if (dlg.DoModal() != IDOK)
        return;
    if (_mbscmp(reinterpret_cast<const unsigned char*>((LPCSTR)dlg.m_strResult),
                reinterpret_cast<const unsigned char*>((LPCSTR)m_strDllPath)) == 0)
        return;
    m_strDllPath = dlg.m_strResult;
    m_dllData = BytesToArray(NULL, 0);
    Refresh();
}

void CDllPage::OnClear()
{
    if (m_strDllPath.IsEmpty())
        return;
    if (AfxMessageBox(GetMessageText(13024), MB_OKCANCEL | MB_ICONQUESTION) != IDOK)
        return;
    m_strDllPath.Empty();
    m_dllData = BytesToArray(NULL, 0);
    Refresh();
}

void CDllPage::OnDetails()
{
    CPluginDll dll;
    if (m_strDllPath.IsEmpty() || !dll.Load(m_strDllPath))
        return;
    // The DLL gets a copy of its data of its own, valid during the call.
    const DWORD nSize = m_dllData.GetOneDimSize();
    std::vector<BYTE> copy(nSize);
    if (nSize != 0) {
        void* pData = NULL;
        m_dllData.AccessData(&pData);
        memcpy(copy.data(), pData, nSize);
        m_dllData.UnaccessData();
    }
    KvrBlock reply = {}, request = {};
    request.w[KvrCommand] = KvrDetails;
    request.w[KvrLength] = nSize;
    request.w[KvrData] = nSize != 0 ? reinterpret_cast<DWORD>(copy.data()) : 0;
    if (dll.CallDirect(reply, request) == 0) {
        const DWORD nNewSize = reply.w[KvrLength];
        const DWORD dwNewData = reply.w[KvrData];
        if (nNewSize != 0 && dwNewData != 0)
            m_dllData = BytesToArray(reinterpret_cast<const BYTE*>(dwNewData), nNewSize);
        if (reply.w[KvrCommand] & KvrReleaseBit) {
            KvrBlock release = reply;
            dll.CallDirect(reply, release);
        }
    }
    dll.Unload();
}
