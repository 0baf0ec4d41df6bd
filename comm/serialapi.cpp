#include "serialapi.h"

namespace {

const SerialApiTable kSystemTable = {
    ::CreateFileA,
    ::GetCommState,
    ::SetCommState,
    ::EscapeCommFunction,
    ::SetupComm,
    ::SetCommTimeouts,
    ::SetCommMask,
    ::PurgeComm,
    ::WaitCommEvent,
    ::ClearCommError,
    ::ReadFile,
    ::WriteFile,
    ::GetOverlappedResult,
    ::CancelIo,
    ::CloseHandle,
    ::GetCommProperties,
    ::GetCommMask,
    ::GetCommModemStatus,
};

SerialApiTable g_table = kSystemTable;

} // namespace

SerialApiTable& SerialApi()
{
    return g_table;
}

const SerialApiTable& SystemSerialApi()
{
    return kSystemTable;
}

void ResetSerialApi()
{
    g_table = kSystemTable;
}
