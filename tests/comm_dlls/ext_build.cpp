// An extension DLL that the tests build twice, as its author rebuilds it: KVR_BUILD 1 with
// optimisation, KVR_BUILD 2 without and with other numbers. Each echoes a received block on its
// port as its build's mark (0xA1 or 0xB2) followed by every byte looked up in a 64 KiB table of
// its build, and leaves the user's sends to the program. The echo is an export of its own too,
// "KvrTableEcho", through which the tests' extension DLL that needs a helper DLL echoes
// (ext_helped.cpp).
//
// Its sections begin at page boundaries of the file (--file-alignment 0x1000 in its build), so
// Wine maps its code, table and data straight from the file, as it maps every such section of
// any DLL: a second build written into the same file changes what a process that mapped the
// file runs.
#include "kvrextension.h"

#include <array>

#ifndef KVR_BUILD
#define KVR_BUILD 1
#endif

namespace {

const BYTE kMark = KVR_BUILD == 1 ? 0xA1 : 0xB2;
const unsigned kFactor = KVR_BUILD == 1 ? 7 : 13;

// Byte i of a block maps byte b to kTable[i % 256 * 256 + b].
constexpr std::array<BYTE, 65536> MakeTable()
{
    std::array<BYTE, 65536> table = {};
    for (unsigned k = 0; k < table.size(); ++k)
        table[k] = static_cast<BYTE>((k * kFactor + (k >> 8)) & 0xFF);
    return table;
}
constexpr std::array<BYTE, 65536> kTable = MakeTable();

BYTE g_echo[1 + 4096];

const char* const kComment = KVR_BUILD == 1 ? "Table echo, build 1" : "Table echo, build 2";

} // namespace

// Writes the echo of the block's n bytes (at most 4096) to pEcho; its length.
extern "C" DWORD KvrTableEcho(BYTE* pEcho, const BYTE* pBlock, DWORD n)
{
    n = n < 4096 ? n : 4096;
    pEcho[0] = kMark;
    for (DWORD i = 0; i < n; ++i)
        pEcho[1 + i] = kTable[i % 256 * 256 + pBlock[i]];
    return n + 1;
}

extern "C" int WINAPI CallBackKVR(KvrBlock* pReply, KvrBlock* pRequest)
{
    DWORD* reply = pReply->w;
    const DWORD* request = pRequest->w;
    switch (request[KvrCommand]) {
    case KvrVersionQuery:
        reply[KvrCommand] = 256;
        reply[KvrParam] = 0x00B00000 + KVR_BUILD;
        break;
    case KvrCommentQuery:
        reply[KvrData] = reinterpret_cast<DWORD>(kComment);
        break;
    case KvrCmdReceived:
        reply[KvrCommand] = KvrActRoute;
        reply[KvrLength] = KvrTableEcho(g_echo, reinterpret_cast<const BYTE*>(request[KvrData]), request[KvrLength]);
        reply[KvrData] = reinterpret_cast<DWORD>(g_echo);
        break;
    default:
        break;
    }
    return 0;
}
