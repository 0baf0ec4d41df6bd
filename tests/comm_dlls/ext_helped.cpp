// An extension DLL whose echo comes from a helper DLL that it imports, "kvrhelper.dll", as an
// author's DLL needs a library of his beside it in the program's folder. The tests put the
// table echo's builds there under that name (ext_build.cpp), the second written over the
// first while the first is mapped.
#include "kvrextension.h"

extern "C" __declspec(dllimport) DWORD KvrTableEcho(BYTE* pEcho, const BYTE* pBlock, DWORD n);

namespace {

BYTE g_echo[1 + 4096];

} // namespace

extern "C" int WINAPI CallBackKVR(KvrBlock* pReply, KvrBlock* pRequest)
{
    if (pRequest->w[KvrCommand] == KvrVersionQuery)
        pReply->w[KvrCommand] = 256;
    if (pRequest->w[KvrCommand] == KvrCmdReceived) {
        pReply->w[KvrCommand] = KvrActRoute;
        pReply->w[KvrLength] =
            KvrTableEcho(g_echo, reinterpret_cast<const BYTE*>(pRequest->w[KvrData]), pRequest->w[KvrLength]);
        pReply->w[KvrData] = reinterpret_cast<DWORD>(g_echo);
    }
    return 0;
}
