/* An extension DLL written in C, as a DLL's author writing C builds one: from the interface
 * header alone, with the C compiler, strict C99. It echoes every received block on its port
 * and leaves the user's sends to the program. The tests build it, so that a header that stops
 * compiling as C, or whose words change their values there, stops the build; they do not load
 * it. */
#include "kvrextension.h"

/* Bit 31 keeps its value and stays unsigned in C: as an int it would be negative and widen
 * with its sign. */
typedef char KvrTopBitIsUnsigned[(KvrReleaseBit == 0x80000000u && KvrReleaseBit > 0 &&
                                  KvrActCallAgain == 0x80000000u && KvrActCallAgain > 0) ? 1 : -1];

static const char kComment[] = "Echo written in C";

int WINAPI CallBackKVR(KvrBlock* pReply, KvrBlock* pRequest)
{
    DWORD* reply = pReply->w;
    const DWORD* request = pRequest->w;
    switch (request[KvrCommand]) {
    case KvrVersionQuery:
        reply[KvrCommand] = 256;
        reply[KvrParam] = 0x00010000;
        break;
    case KvrCommentQuery:
        reply[KvrData] = request[KvrParam] == 0 ? (DWORD)kComment : 0;
        break;
    case KvrCmdReceived:
        /* The request's data stays valid until the program has copied the reply's. */
        reply[KvrCommand] = KvrActRoute;
        reply[KvrLength] = request[KvrLength];
        reply[KvrData] = request[KvrData];
        break;
    default:
        break;
    }
    return 0;
}
