// Archives in memory for the tests: the bytes something stores, and a load from given bytes.
#pragma once

#include "afxwin.h"

#include <vector>

namespace archivetest {

// The bytes that store(ar) writes into a storing archive.
template <class Store> std::vector<BYTE> Stored(Store store)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        store(ar);
    }
    std::vector<BYTE> bytes((size_t)file.GetLength());
    file.SeekToBegin();
    if (!bytes.empty())
        file.Read(bytes.data(), (UINT)bytes.size());
    return bytes;
}

// load(ar) over a loading archive of the bytes; its answer.
template <class Load> bool Loaded(const std::vector<BYTE>& bytes, Load load)
{
    CMemFile file;
    if (!bytes.empty())
        file.Write(bytes.data(), (UINT)bytes.size());
    file.SeekToBegin();
    CArchive ar(&file, CArchive::load);
    return load(ar);
}

} // namespace archivetest
