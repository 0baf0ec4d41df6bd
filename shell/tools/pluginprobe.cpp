#include "pluginprobe.h"

#include <string.h>

#include "plugindll.h"

namespace {

// Comment query nComment; after a reply that asks for it, the DLL gets its own reply back as
// the request, the reply block left as it was, to release the text.
int QueryComment(CPluginDll& dll, DWORD nComment, CString& strComment)
{
    KvrBlock reply = {}, request = {};
    request.w[KvrCommand] = KvrCommentQuery;
    request.w[KvrParam] = nComment;
    if (dll.CallDirect(reply, request) != 0)
        return -3;
    strComment = KvrReplyText(reply.w[KvrData]);
    if (reply.w[KvrCommand] & KvrReleaseBit) {
        request = reply;
        if (dll.CallDirect(reply, request) != 0)
            return -4;
    }
    return 0;
}

} // namespace

CString KvrReplyText(DWORD dwAddress)
{
    return dwAddress == 0 ? CString() : CString(reinterpret_cast<LPCSTR>(dwAddress));
}

int ProbePluginDll(LPCSTR pszPath, DllInfo& info)
{
    CPluginDll dll;
    if (!dll.Load(pszPath))
        return -1;
    LPCSTR pszName = strrchr(pszPath, '\\');
    info.strFileName = pszName != NULL ? pszName + 1 : pszPath;

    KvrBlock reply = {}, request = {};
    request.w[KvrCommand] = KvrVersionQuery;
    if (dll.CallDirect(reply, request) != 0) {
        dll.Unload();
        return -2;
    }
    info.dwType = reply.w[KvrParam];
    int nResult = QueryComment(dll, 0, info.strComment1);
    if (nResult == 0)
        nResult = QueryComment(dll, 1, info.strComment2);
    dll.Unload();
    return nResult;
}

int EnumPluginDlls(LPCSTR pszFolder, std::vector<DllInfo>& list)
{
    list.clear();
    if (pszFolder == NULL || *pszFolder == '\0')
        return -1;
    const CString strFolder(pszFolder);
    WIN32_FIND_DATAA found;
    HANDLE hFind = ::FindFirstFileA(strFolder + "*.dll", &found);
    if (hFind == INVALID_HANDLE_VALUE)
        return 0;
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            continue;
        DllInfo info;
        if (ProbePluginDll(strFolder + found.cFileName, info) == 0)
            list.push_back(info);
    } while (::FindNextFileA(hFind, &found));
    ::FindClose(hFind);
    return 0;
}
