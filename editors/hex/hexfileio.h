// Whole-file reads and writes of the hex editor's byte files and the marker file. Both report
// every failure, the class library's file exceptions included, by their result.
#pragma once

#include <vector>

#include "afxwin.h"

// Reads the whole file into content; FALSE when it cannot be opened or read, or its length
// lies outside minLength..maxLength.
BOOL HexReadWholeFile(LPCSTR path, ULONGLONG minLength, ULONGLONG maxLength, std::vector<BYTE>& content);

// Creates (or empties) the file and writes size bytes from p into it.
BOOL HexWriteWholeFile(LPCSTR path, const void* p, UINT size);
