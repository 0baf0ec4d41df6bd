// What the editor dialogs' tests share: the modal dialog driver, byte arrays and whole files.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "afxwin.h"
#include "afxdisp.h"
#include "dialogdriver.h"
#include "temp_folder_support.h"

using ByteVector = std::vector<BYTE>;

inline COleSafeArray ByteArray(const ByteVector& bytes)
{
    COleSafeArray array;
    array.CreateOneDim(VT_UI1, static_cast<DWORD>(bytes.size()), bytes.empty() ? NULL : bytes.data());
    return array;
}

inline ByteVector BytesOf(const COleSafeArray& source)
{
    ByteVector bytes;
    if (source.vt != (VT_ARRAY | VT_UI1) || source.parray == NULL)
        return bytes;
    COleSafeArray& array = const_cast<COleSafeArray&>(source);
    const DWORD size = array.GetOneDimSize();
    void* p = NULL;
    array.AccessData(&p);
    bytes.assign(static_cast<const BYTE*>(p), static_cast<const BYTE*>(p) + size);
    array.UnaccessData();
    return bytes;
}


inline bool ReadWholeFile(const std::string& path, ByteVector& bytes)
{
    HANDLE h = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    const DWORD size = ::GetFileSize(h, NULL);
    bytes.resize(size);
    DWORD read = 0;
    const BOOL ok = size == 0 || ::ReadFile(h, bytes.data(), size, &read, NULL);
    ::CloseHandle(h);
    return ok && read == size;
}
