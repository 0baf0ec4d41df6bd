// Received bytes that do not yet form a complete block, and the cutting of blocks off them by
// the port's framing rule.
//
// A port whose delimiter never comes piles up its bytes here, megabytes of them, and each read
// must still cost what it costs with nothing pending: new bytes are appended in place, a
// delimiter is looked for only in bytes not searched before, blocks are cut off the front
// without moving the rest each time, and the COM control pane is shown the pending bytes
// through a byte buffer that refers to them instead of a copy.
#pragma once

#include "afxwin.h"
#include "afxdisp.h"

#include <vector>

class CPendingBytes
{
public:
    CPendingBytes();
    ~CPendingBytes();
    CPendingBytes(const CPendingBytes&) = delete;
    CPendingBytes& operator=(const CPendingBytes&) = delete;

    // Appends the bytes; false (nothing appended) when there is no memory for them.
    bool Append(const BYTE* pBytes, DWORD nCount);

    bool IsEmpty() const { return Size() == 0; }
    size_t Size() const { return m_bytes.size() - m_nStart; }

    // Length of the first complete block, 0 when none is complete: framing 0 takes everything,
    // 1 blocks of nFixedSize (none when it is 0 or less), any other mode up to and including the
    // first byte that is one of the delimiters.
    size_t NextBlock(int nFraming, int nFixedSize, const std::vector<BYTE>& delimiters);

    // Cuts the first nCount bytes off and returns them.
    std::vector<BYTE> Take(size_t nCount);
    std::vector<BYTE> TakeAll() { return Take(Size()); }
    void Clear();

    // The pending bytes as a byte buffer that refers to them; valid until the next change.
    const COleSafeArray& View();

private:
    std::vector<BYTE> m_bytes;
    size_t m_nStart;        // the pending bytes begin here
    size_t m_nSearched;     // no delimiter before this index
    SAFEARRAY* m_pView;
    COleSafeArray m_view;
};
