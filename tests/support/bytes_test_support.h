// Byte helpers shared by the communication tests: safe arrays of bytes to and from vectors, and
// a value read from a byte layout at an offset.
#pragma once

#include <cstddef>
#include <cstring>
#include <vector>

#include "afxdisp.h"

namespace testbytes {

inline std::vector<BYTE> BytesOf(const COleSafeArray& constBuffer)
{
    // Reading through an access does not change the array; its members are just not const.
    COleSafeArray& buffer = const_cast<COleSafeArray&>(constBuffer);
    std::vector<BYTE> out(buffer.GetOneDimSize());
    if (!out.empty()) {
        void* p = nullptr;
        buffer.AccessData(&p);
        std::memcpy(out.data(), p, out.size());
        buffer.UnaccessData();
    }
    return out;
}

inline COleSafeArray BufferOf(const std::vector<BYTE>& bytes)
{
    COleSafeArray buffer;
    buffer.CreateOneDim(VT_UI1, static_cast<DWORD>(bytes.size()), bytes.empty() ? nullptr : bytes.data());
    return buffer;
}

template <typename T>
T At(const std::vector<BYTE>& bytes, std::size_t offset)
{
    T value;
    std::memcpy(&value, bytes.data() + offset, sizeof value);
    return value;
}

} // namespace testbytes
