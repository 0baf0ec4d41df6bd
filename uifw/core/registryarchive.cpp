#include "registryarchive.h"

#include "libraryversion.h"

namespace {

const UINT kPieceSize = 16;
const UINT kPiecesPerBlock = 128;

class RegKey
{
public:
    RegKey() : m_hKey(NULL) {}
    ~RegKey()
    {
        if (m_hKey != NULL)
            ::RegCloseKey(m_hKey);
    }
    HKEY* operator&() { return &m_hKey; }
    operator HKEY() const { return m_hKey; }

private:
    HKEY m_hKey;
    RegKey(const RegKey&) = delete;
    RegKey& operator=(const RegKey&) = delete;
};

CString BlockKeyName(UINT nPiece)
{
    CString strName;
    strName.Format("block_0x%08lX", (unsigned long)(nPiece / kPiecesPerBlock));
    return strName;
}

CString PieceValueName(UINT nPiece)
{
    CString strName;
    strName.Format("data_0x%08lX", (unsigned long)nPiece);
    return strName;
}

bool WritePieces(CFile& file, HKEY hKey, CRegistryArchiveHash& hash)
{
    BYTE piece[kPieceSize];
    for (UINT nPiece = 0;; nPiece++) {
        UINT nRead = file.Read(piece, kPieceSize);
        if (nRead == 0)
            return true;
        RegKey block;
        if (::RegCreateKeyExA(hKey, BlockKeyName(nPiece), 0, NULL, 0, KEY_ALL_ACCESS, NULL, &block, NULL) !=
            ERROR_SUCCESS)
            return false;
        if (::RegSetValueExA(block, PieceValueName(nPiece), 0, REG_BINARY, piece, nRead) != ERROR_SUCCESS)
            return false;
        hash.Feed(piece, nRead);
    }
}

bool ReadPieces(CFile& file, HKEY hKey, DWORD dwDataSize, CRegistryArchiveHash& hash)
{
    BYTE piece[kPieceSize];
    DWORD dwDone = 0;
    for (UINT nPiece = 0; dwDone < dwDataSize; nPiece++) {
        const DWORD dwExpected = dwDataSize - dwDone < kPieceSize ? dwDataSize - dwDone : kPieceSize;
        RegKey block;
        if (::RegOpenKeyExA(hKey, BlockKeyName(nPiece), 0, KEY_READ, &block) != ERROR_SUCCESS)
            return false;
        // Exactly a binary value of the expected size: anything else is a broken archive.
        DWORD dwType = 0;
        DWORD cb = sizeof(piece);
        if (::RegQueryValueExA(block, PieceValueName(nPiece), NULL, &dwType, piece, &cb) != ERROR_SUCCESS ||
            dwType != REG_BINARY || cb != dwExpected)
            return false;
        hash.Feed(piece, dwExpected);
        file.Write(piece, dwExpected);
        dwDone += dwExpected;
    }
    return true;
}

bool IntegrityMatches(HKEY hKey, const CString& strComputed)
{
    char szStored[64] = {};
    DWORD dwType = 0;
    DWORD cb = (DWORD)strComputed.GetLength() + 1;
    if (::RegQueryValueExA(hKey, "data_integrity", NULL, &dwType, (BYTE*)szStored, &cb) != ERROR_SUCCESS ||
        dwType != REG_SZ)
        return false;
    return strComputed == szStored;
}

} // namespace

CRegistryArchiveHash::CRegistryArchiveHash() : m_lanes(), m_nNextLane(0)
{
}

void CRegistryArchiveHash::Feed(const BYTE* pData, UINT nCount)
{
    for (UINT i = 0; i < nCount; i++) {
        DWORD& h = m_lanes[m_nNextLane];
        h = (h << 4) + pData[i];
        const DWORD g = h & 0xF0000000;
        if (g != 0)
            h = h ^ g ^ (g >> 24);
        m_nNextLane = (m_nNextLane + 1) % 4;
    }
}

CString CRegistryArchiveHash::GetText() const
{
    return RegistryArchiveIntegrityText(m_lanes);
}

CString RegistryArchiveIntegrityText(const DWORD* pLanes)
{
    CString strText;
    for (int i = 0; i < 4; i++) {
        const DWORD h = pLanes[i];
        CString strLane;
        strLane.Format("%02X %02X %02X %02X", (unsigned)(h >> 24) & 0xFF, (unsigned)(h >> 16) & 0xFF,
                       (unsigned)(h >> 8) & 0xFF, (unsigned)h & 0xFF);
        if (i > 0)
            strText += ' ';
        strText += strLane;
    }
    return strText;
}

CString RegistryArchivePath(LPCSTR lpszSection, LPCSTR lpszProfileName, LPCSTR lpszCompanyKey,
                            LPCSTR lpszProductKey)
{
    auto text = [](LPCSTR psz) { return psz != NULL ? psz : ""; };
    CString strPath;
    strPath.Format("Software\\%s\\%s\\%s\\%s\\%s\\%s", text(lpszCompanyKey), text(lpszProductKey), "VaviRIZ227",
                   "Profiles", text(lpszProfileName), text(lpszSection));
    for (const char ch : {'\r', '\t', '\n', '?', '*'})
        strPath.Replace(ch, '_');
    return strPath;
}

bool RegistryArchiveWrite(CFile& file, LPCSTR lpszKeyPath, HKEY hRootKey)
{
    if (lpszKeyPath == NULL)
        return false;
    try {
        {
            RegKey old;
            if (::RegOpenKeyExA(hRootKey, lpszKeyPath, 0, KEY_READ | KEY_WRITE, &old) == ERROR_SUCCESS) {
                ::RegCloseKey(old);
                // When the old tree cannot go, it is written over.
                CWinApp::DelRegTree(hRootKey, lpszKeyPath);
            }
        }
        file.SeekToBegin();
        const DWORD dwLength = (DWORD)file.GetLength();
        RegKey key;
        if (::RegCreateKeyExA(hRootKey, lpszKeyPath, 0, NULL, 0, KEY_ALL_ACCESS, NULL, &key, NULL) != ERROR_SUCCESS)
            return false;
        if (::RegSetValueExA(key, "data_size", 0, REG_DWORD, (const BYTE*)&dwLength, sizeof(dwLength)) !=
            ERROR_SUCCESS)
            return false;
        CRegistryArchiveHash hash;
        if (!WritePieces(file, key, hash))
            return false;
        const CString strIntegrity = hash.GetText();
        if (::RegSetValueExA(key, "data_integrity", 0, REG_SZ, (const BYTE*)(LPCSTR)strIntegrity,
                             (DWORD)strIntegrity.GetLength() + 1) != ERROR_SUCCESS)
            return false;
        CString strGenerator;
        strGenerator.Format("Vavi-RIZ v. %s registry archiver", (LPCSTR)LibraryVersionText('.'));
        ::RegSetValueExA(key, "data_generator", 0, REG_SZ, (const BYTE*)(LPCSTR)strGenerator,
                         (DWORD)strGenerator.GetLength() + 1);
        return true;
    } catch (CException* e) {
        e->Delete();
        return false;
    }
}

bool RegistryArchiveRead(CFile& file, LPCSTR lpszKeyPath, HKEY hRootKey)
{
    if (lpszKeyPath == NULL)
        return false;
    try {
        RegKey key;
        if (::RegOpenKeyExA(hRootKey, lpszKeyPath, 0, KEY_READ, &key) != ERROR_SUCCESS)
            return false;
        DWORD dwDataSize = 0;
        DWORD dwType = 0;
        DWORD cb = sizeof(dwDataSize);
        if (::RegQueryValueExA(key, "data_size", NULL, &dwType, (BYTE*)&dwDataSize, &cb) != ERROR_SUCCESS ||
            dwType != REG_DWORD || cb != sizeof(dwDataSize))
            return false;
        if (dwDataSize == 0)
            return true;
        CRegistryArchiveHash hash;
        if (!ReadPieces(file, key, dwDataSize, hash))
            return false;
        if (!IntegrityMatches(key, hash.GetText()))
            return false;
        file.SeekToBegin();
        return true;
    } catch (CException* e) {
        e->Delete();
        return false;
    }
}
