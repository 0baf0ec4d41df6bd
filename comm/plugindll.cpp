#include "plugindll.h"

#include "modulekeeper.h"
#include "portreporter.h"

#include <cstring>

namespace {

enum
{
    MsgDllInfo = 10036,
    MsgDllNotice = 10037,
    MsgDllWarning = 10038,
};

} // namespace

CPluginDll::CPluginDll() : m_hFrameWnd(NULL), m_nPort(0), m_nSub(0), m_pCallBack(NULL), m_hModule(NULL)
{
    std::memset(m_szText, 0, sizeof(m_szText));
}

CPluginDll::~CPluginDll()
{
    Unload();
}

BOOL CPluginDll::Load(LPCSTR pszPath)
{
    Unload();
    m_hModule = GetExtensionModules().Load(pszPath);
    if (m_hModule)
        m_pCallBack = reinterpret_cast<CallBackKvrProc>(GetProcAddress(m_hModule, "CallBackKVR"));
    if (!m_pCallBack) {
        Unload();
        return 0;
    }
    return 1;
}

void CPluginDll::Unload()
{
    GetExtensionModules().Free(m_hModule);
    m_hModule = NULL;
    m_pCallBack = NULL;
}

int CPluginDll::CallDirect(KvrBlock& reply, KvrBlock& request)
{
    return m_pCallBack(&reply, &request);
}

int CPluginDll::Call(KvrBlock& reply, KvrBlock& request)
{
    std::memset(&reply, 0, sizeof(reply));
    std::memset(m_szText, 0, sizeof(m_szText));
    request.w[KvrText] = reinterpret_cast<DWORD>(m_szText);
    request.w[KvrTextSize] = kTextSize;
    request.w[KvrTextLevel] = 0;
    int nResult = m_pCallBack(&reply, &request);
    request.w[KvrKeep1] = reply.w[KvrKeep1];
    request.w[KvrKeep2] = reply.w[KvrKeep2];
    if (nResult == 1 || reply.w[KvrTextLevel] == 0)
        return nResult;
    // The DLL may have filled the whole buffer.
    m_szText[kTextSize - 1] = '\0';
    DWORD dwLevel = reply.w[KvrTextLevel];
    CPortReporter reporter(m_hFrameWnd, m_nPort);
    reporter.MessageText(dwLevel == 1 ? MsgDllInfo : dwLevel == 2 ? MsgDllNotice : MsgDllWarning, m_szText);
    return 0;
}

CString GetAppDirectory()
{
    char szPath[MAX_PATH];
    DWORD n = GetModuleFileNameA(NULL, szPath, sizeof(szPath));
    if (n == 0 || n >= sizeof(szPath))
        return CString();
    char* pSlash = std::strrchr(szPath, '\\');
    if (pSlash)
        pSlash[1] = '\0';
    return CString(szPath);
}
