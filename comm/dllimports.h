// The import table of a DLL's file: the names of the DLLs that the loader maps with it.
//
// The module keeper reads it in the copies it makes, so that the DLLs a user's DLL imports from
// the program's or the working folder are copied beside it. The bytes are a file from outside:
// every offset and length in them is checked against the bytes before it is followed.
#pragma once

#include "afxwin.h"

#include <vector>

// The DLL names of the import table of a 32- or 64-bit image file, in the table's order, each
// once; a DLL without imports has none. False when the bytes hold no image whose import table
// lies within them.
bool ReadDllImports(const BYTE* pFile, size_t nSize, std::vector<CString>& names);

// ReadDllImports of the file at the path.
bool ReadDllImportsOfFile(LPCSTR pszPath, std::vector<CString>& names);
