#include "dllimports.h"

#include <cstddef>
#include <cstring>

namespace {

// The image's bytes with reads that fail instead of leaving them.
class ImageBytes
{
public:
    ImageBytes(const BYTE* p, size_t n) : m_p(p), m_n(n) {}

    bool Word(size_t at, WORD& value) const { return Read(at, &value, sizeof(value)); }
    bool Dword(size_t at, DWORD& value) const { return Read(at, &value, sizeof(value)); }

    // The offset in the file of an address relative to the image's base, and the end of the
    // bytes of the header or section that holds it.
    bool OffsetOf(DWORD dwRva, size_t& nOffset, size_t& nEnd) const;

    bool Parse();
    DWORD ImportRva() const { return m_dwImportRva; }

    // The zero-terminated text at the offset, at most MAX_PATH bytes before its end.
    bool Text(size_t at, size_t nEnd, CString& text) const;

private:
    bool Read(size_t at, void* pValue, size_t nBytes) const
    {
        if (at > m_n || m_n - at < nBytes)
            return false;
        std::memcpy(pValue, m_p + at, nBytes);
        return true;
    }

    const BYTE* m_p;
    size_t m_n;
    DWORD m_dwHeaders = 0;      // the size of the headers
    size_t m_nSections = 0;     // the offset of the section table
    WORD m_wSectionCount = 0;
    DWORD m_dwImportRva = 0;
};

bool ImageBytes::Parse()
{
    WORD wMagic = 0;
    DWORD dwPe = 0;
    DWORD dwSignature = 0;
    if (!Word(0, wMagic) || wMagic != IMAGE_DOS_SIGNATURE || !Dword(0x3C, dwPe) || !Dword(dwPe, dwSignature) ||
        dwSignature != IMAGE_NT_SIGNATURE)
        return false;
    const size_t nFileHeader = size_t(dwPe) + 4;
    const size_t nOptional = nFileHeader + sizeof(IMAGE_FILE_HEADER);
    WORD wOptionalSize = 0;
    WORD wOptionalMagic = 0;
    if (!Word(nFileHeader + offsetof(IMAGE_FILE_HEADER, NumberOfSections), m_wSectionCount) ||
        !Word(nFileHeader + offsetof(IMAGE_FILE_HEADER, SizeOfOptionalHeader), wOptionalSize) ||
        !Word(nOptional, wOptionalMagic) || !Dword(nOptional + offsetof(IMAGE_OPTIONAL_HEADER32, SizeOfHeaders), m_dwHeaders))
        return false;
    m_nSections = nOptional + wOptionalSize;
    // The two kinds of image differ in where their directories begin.
    size_t nCount = 0;
    size_t nDirectories = 0;
    if (wOptionalMagic == IMAGE_NT_OPTIONAL_HDR32_MAGIC) {
        nCount = nOptional + offsetof(IMAGE_OPTIONAL_HEADER32, NumberOfRvaAndSizes);
        nDirectories = nOptional + offsetof(IMAGE_OPTIONAL_HEADER32, DataDirectory);
    } else if (wOptionalMagic == IMAGE_NT_OPTIONAL_HDR64_MAGIC) {
        nCount = nOptional + offsetof(IMAGE_OPTIONAL_HEADER64, NumberOfRvaAndSizes);
        nDirectories = nOptional + offsetof(IMAGE_OPTIONAL_HEADER64, DataDirectory);
    } else {
        return false;
    }
    DWORD dwCount = 0;
    if (!Dword(nCount, dwCount))
        return false;
    if (dwCount <= IMAGE_DIRECTORY_ENTRY_IMPORT)
        return true;
    const size_t nImport = nDirectories + IMAGE_DIRECTORY_ENTRY_IMPORT * sizeof(IMAGE_DATA_DIRECTORY);
    return nImport + sizeof(IMAGE_DATA_DIRECTORY) <= m_nSections && Dword(nImport, m_dwImportRva);
}

bool ImageBytes::OffsetOf(DWORD dwRva, size_t& nOffset, size_t& nEnd) const
{
    if (dwRva < m_dwHeaders) {
        nOffset = dwRva;
        nEnd = m_dwHeaders < m_n ? m_dwHeaders : m_n;
        return nOffset < nEnd;
    }
    for (WORD i = 0; i < m_wSectionCount; ++i) {
        const size_t nHeader = m_nSections + size_t(i) * sizeof(IMAGE_SECTION_HEADER);
        DWORD dwAddress = 0;
        DWORD dwRawSize = 0;
        DWORD dwRaw = 0;
        if (!Dword(nHeader + offsetof(IMAGE_SECTION_HEADER, VirtualAddress), dwAddress) ||
            !Dword(nHeader + offsetof(IMAGE_SECTION_HEADER, SizeOfRawData), dwRawSize) ||
            !Dword(nHeader + offsetof(IMAGE_SECTION_HEADER, PointerToRawData), dwRaw))
            return false;
        const DWORD dwInto = dwRva - dwAddress;
        if (dwRva < dwAddress || dwInto >= dwRawSize)
            continue;
        if (dwRaw >= m_n || dwInto >= m_n - dwRaw)
            return false;
        nOffset = size_t(dwRaw) + dwInto;
        nEnd = m_n - dwRaw < dwRawSize ? m_n : size_t(dwRaw) + dwRawSize;
        return true;
    }
    return false;
}

bool ImageBytes::Text(size_t at, size_t nEnd, CString& text) const
{
    const size_t nMax = nEnd - at < MAX_PATH ? nEnd - at : MAX_PATH;
    const void* pZero = std::memchr(m_p + at, 0, nMax);
    if (pZero == NULL)
        return false;
    text = CString(reinterpret_cast<LPCSTR>(m_p + at));
    return true;
}

} // namespace

bool ReadDllImports(const BYTE* pFile, size_t nSize, std::vector<CString>& names)
{
    names.clear();
    ImageBytes image(pFile, nSize);
    if (!image.Parse())
        return false;
    if (image.ImportRva() == 0)
        return true;
    size_t nAt = 0;
    size_t nEnd = 0;
    if (!image.OffsetOf(image.ImportRva(), nAt, nEnd))
        return false;
    // The descriptors end with one whose fields are all zero.
    for (; nEnd - nAt >= sizeof(IMAGE_IMPORT_DESCRIPTOR); nAt += sizeof(IMAGE_IMPORT_DESCRIPTOR)) {
        DWORD dwName = 0;
        DWORD dwThunks = 0;
        image.Dword(nAt + offsetof(IMAGE_IMPORT_DESCRIPTOR, Name), dwName);
        image.Dword(nAt + offsetof(IMAGE_IMPORT_DESCRIPTOR, FirstThunk), dwThunks);
        if (dwName == 0 && dwThunks == 0)
            return true;
        size_t nName = 0;
        size_t nNameEnd = 0;
        CString strName;
        if (!image.OffsetOf(dwName, nName, nNameEnd) || !image.Text(nName, nNameEnd, strName) || strName.IsEmpty())
            return false;
        bool bListed = false;
        for (const CString& name : names)
            bListed = bListed || name.CompareNoCase(strName) == 0;
        if (!bListed)
            names.push_back(strName);
    }
    return false;
}

bool ReadDllImportsOfFile(LPCSTR pszPath, std::vector<CString>& names)
{
    names.clear();
    HANDLE hFile = CreateFileA(pszPath, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, NULL, OPEN_EXISTING, 0, NULL);
    if (hFile == INVALID_HANDLE_VALUE)
        return false;
    const DWORD dwSize = GetFileSize(hFile, NULL);
    HANDLE hMapping = dwSize == 0 || dwSize == INVALID_FILE_SIZE
                          ? NULL
                          : CreateFileMappingA(hFile, NULL, PAGE_READONLY, 0, 0, NULL);
    CloseHandle(hFile);
    if (hMapping == NULL)
        return false;
    const BYTE* pView = static_cast<const BYTE*>(MapViewOfFile(hMapping, FILE_MAP_READ, 0, 0, 0));
    CloseHandle(hMapping);
    if (pView == NULL)
        return false;
    const bool bRead = ReadDllImports(pView, dwSize, names);
    UnmapViewOfFile(pView);
    return bRead;
}
