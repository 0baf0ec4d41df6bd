// The byte buffer of a hex editor, handed in and out as VT_UI1 safe arrays. Growing it
// reports failure as a result (an allocation the system refuses, or a size of 2^31 bytes or
// more) and leaves it unchanged.
#pragma once

#include "afxdisp.h"

#include <vector>

class HexBuffer {
public:
    HexBuffer();

    // Whether the buffer holds a byte array (an editor without one shows only its background).
    bool HasData() const;
    UINT GetSize() const { return m_nSize; }
    // Changes with every change of the content, so what was worked out from the bytes can
    // tell whether it still holds.
    unsigned GetVersion() const { return m_nVersion; }

    // Replaces the content; a source that is not a byte array gives an empty buffer.
    void Assign(const BYTE* bytes, UINT n);
    void Assign(const COleSafeArray& source);
    COleSafeArray ToSafeArray() const;
    COleSafeArray ToSafeArray(UINT index, UINT n) const;

    // n zero bytes at index (0 .. size); false and nothing changed when it cannot grow.
    bool Insert(UINT index, UINT n);
    // Removes what of index .. index + n - 1 lies in the buffer.
    void Remove(UINT index, UINT n);
    // Copies what of the range lies in the buffer; returns the number of bytes read or written.
    UINT Read(UINT index, UINT n, std::vector<BYTE>& out) const;
    UINT Write(UINT index, const BYTE* bytes, UINT n);
    void Fill(UINT index, UINT n, BYTE value);
    BYTE GetAt(UINT index) const;
    void SetAt(UINT index, BYTE value);

    // Read access to all bytes while the buffer stays unchanged (the pointer is null for an
    // empty buffer).
    class Reader {
    public:
        explicit Reader(const HexBuffer& buffer)
            : m_pData(buffer.m_nSize ? buffer.m_bytes.data() : NULL), m_nSize(buffer.m_nSize) {}
        Reader(const Reader&) = delete;
        Reader& operator=(const Reader&) = delete;
        const BYTE* Data() const { return m_pData; }
        UINT Size() const { return m_nSize; }

    private:
        const BYTE* m_pData;
        UINT m_nSize;
    };

private:
    // Room for size bytes; false when the system refuses it.
    bool Reserve(UINT size);
    // No data at all, after an allocation for new content failed.
    void Forget();

    std::vector<BYTE> m_bytes;
    bool m_bHasData;
    UINT m_nSize;
    unsigned m_nVersion = 0;
};
