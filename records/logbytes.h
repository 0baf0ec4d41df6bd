// Little-endian words of the log files' fixed layout, shared by the record body and the file
// reader and writer.
#pragma once

#include "afxwin.h"

inline void LogPutInt32(BYTE* p, DWORD v)
{
    p[0] = static_cast<BYTE>(v);
    p[1] = static_cast<BYTE>(v >> 8);
    p[2] = static_cast<BYTE>(v >> 16);
    p[3] = static_cast<BYTE>(v >> 24);
}

inline DWORD LogGetInt32(const BYTE* p)
{
    return static_cast<DWORD>(p[0]) | (static_cast<DWORD>(p[1]) << 8) |
           (static_cast<DWORD>(p[2]) << 16) | (static_cast<DWORD>(p[3]) << 24);
}
