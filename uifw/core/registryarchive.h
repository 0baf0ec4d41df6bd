// Framework state in the registry (command usage counts, docking layout): the bytes of a
// memory file stored under one key as a tree of small checked pieces.
//
// Under the archive key: "data_size" (REG_DWORD), one subkey per 128 pieces
// ("block_0x%08lX" of piece / 128) holding the 16-byte pieces as REG_BINARY values
// ("data_0x%08lX" of the piece number; the last piece may be shorter), "data_integrity" (the
// text of a four-lane hash of the data) and "data_generator" (which framework wrote it). A
// write first removes the whole old key, so no piece of a longer older archive survives; a
// read gives the bytes back only when every piece has its exact type and size and the hash
// text matches.
#pragma once

#include "afxwin.h"

// Four 32-bit lanes taking the data's bytes in turn, each with the ELF hash step.
class CRegistryArchiveHash
{
public:
    CRegistryArchiveHash();
    void Feed(const BYTE* pData, UINT nCount);
    const DWORD* GetLanes() const { return m_lanes; }
    // The integrity text of the bytes fed so far.
    CString GetText() const;

private:
    DWORD m_lanes[4];
    UINT m_nNextLane;
};

// "XX XX XX XX" per lane, highest byte first, lanes h0..h3 joined by blanks (47 characters).
CString RegistryArchiveIntegrityText(const DWORD* pLanes);

// "Software\<company>\<product>\VaviRIZ227\Profiles\<profile>\<section>", with every
// carriage return, tab, line feed, '?' and '*' made '_'.
CString RegistryArchivePath(LPCSTR lpszSection, LPCSTR lpszProfileName, LPCSTR lpszCompanyKey,
                            LPCSTR lpszProductKey);

// Stores the whole file (from its start) under the key path below hRootKey.
bool RegistryArchiveWrite(CFile& file, LPCSTR lpszKeyPath, HKEY hRootKey);
// Appends the stored bytes to the file at its position and rewinds it; false when the key,
// a piece or the integrity text is missing or wrong (the bytes read so far stay in the
// file). A stored size of 0 is true and leaves the file untouched.
bool RegistryArchiveRead(CFile& file, LPCSTR lpszKeyPath, HKEY hRootKey);
