// A consuming reader over a byte buffer. The reader is the buffer: every read removes what it
// took from the front, so the buffer always holds exactly the unread bytes. Strings and blobs
// share one layout, a 4-byte little-endian length followed by that many bytes.
//
// The readers of outside files (communication sets) cannot trust the lengths they find, so
// every read checks what remains: a read that would run past the end takes nothing, returns
// failure (or an empty result) and sets a sticky failure flag that the caller tests once after
// a run of reads.
#pragma once

#include "afxwin.h"
#include "afxdisp.h"

class CByteStreamReader : public COleSafeArray
{
public:
    CByteStreamReader();
    explicit CByteStreamReader(const COleSafeArray& source);
    CByteStreamReader(const CByteStreamReader& other);
    CByteStreamReader& operator=(const CByteStreamReader& other);

    // Reads the whole file into the buffer. Returns 1, or 0 with the buffer unchanged when the
    // file cannot be opened or read whole.
    int LoadFile(LPCTSTR pszPath);

    // Copies the first n bytes to pDest and removes them; FALSE when fewer remain.
    BOOL ReadBytes(void* pDest, DWORD n);
    // A length-prefixed text; the text ends at the first zero byte among its bytes, but all
    // of them are consumed. Empty (and nothing consumed) when the item runs past the end.
    CString ReadString();
    // A length-prefixed byte block as a new buffer; empty (and nothing consumed) when the
    // item runs past the end.
    COleSafeArray ReadBlob();
    // Removes n bytes unread; FALSE (nothing removed) when fewer remain.
    BOOL Skip(DWORD n);

    void Clear();

    DWORD GetRemaining() const;
    // TRUE once any read ran past the end; cleared by LoadFile and Clear.
    BOOL HasFailed() const { return m_bFailed; }

private:
    // Checks that a length prefix and its bytes are present; returns the length through nLen.
    BOOL PeekItemLength(DWORD& nLen);
    // Removes n bytes from the front (n not above the remaining size).
    void Consume(DWORD n);
    void CopyOut(DWORD nOffset, void* pDest, DWORD n);

    BOOL m_bFailed;
};
