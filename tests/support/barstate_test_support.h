// Archives over memory files for the saved-layout tests: the bytes a storing function writes,
// and a loading function run over given bytes.
#pragma once
#include <vector>

#include "afxarchive.h"
#include "afxfile.h"

namespace barstatetest {

typedef std::vector<BYTE> Bytes;

template <class Fn> Bytes Store(Fn fn)
{
    CMemFile file(1024);
    {
        CArchive ar(&file, CArchive::store);
        fn(ar);
        ar.Close();
    }
    Bytes bytes((size_t)file.GetLength());
    file.SeekToBegin();
    if (!bytes.empty())
        file.Read(bytes.data(), (UINT)bytes.size());
    return bytes;
}

// Loads the bytes with fn(archive); false also when the archive ran out of data.
template <class Fn> bool Load(const Bytes& bytes, Fn fn)
{
    CMemFile file(1024);
    if (!bytes.empty())
        file.Write(bytes.data(), (UINT)bytes.size());
    file.SeekToBegin();
    try {
        CArchive ar(&file, CArchive::load);
        return fn(ar);
    } catch (CException* e) {
        e->Delete();
        return false;
    }
}

} // namespace barstatetest
