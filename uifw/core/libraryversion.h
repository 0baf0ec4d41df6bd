// The framework's version, written into the headers of its archives and into the generator
// text of the registry archive.
#pragma once

#include "afxwin.h"

// 0x02020701, or its two high bytes (0x0202) in the short form.
DWORD LibraryVersion(bool bShortForm = false);
// The four bytes of the long form from the highest down, with chSeparator between them.
CString LibraryVersionText(char chSeparator = '.');
