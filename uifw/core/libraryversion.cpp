#include "libraryversion.h"

namespace {
const DWORD kLibraryVersion = 0x02020701;
}

DWORD LibraryVersion(bool bShortForm)
{
    return bShortForm ? kLibraryVersion >> 16 : kLibraryVersion;
}

CString LibraryVersionText(char chSeparator)
{
    CString strText;
    strText.Format("%d%c%d%c%d%c%d", (int)((kLibraryVersion >> 24) & 0xFF), chSeparator,
                   (int)((kLibraryVersion >> 16) & 0xFF), chSeparator,
                   (int)((kLibraryVersion >> 8) & 0xFF), chSeparator, (int)(kLibraryVersion & 0xFF));
    return strText;
}
