// The usage statistics of a command profile in an archive, and that archive in the registry.
//
// Layout: the header text, the long and short framework versions, four reserved zeros, the
// total, then (command id, count) records of the counted commands in the order of the command
// map, and 0 as the end mark. Only the short version is checked. The class library's archive
// throws at the end of the data; that is caught here and reported as false.
#include "cmdprofile.h"

#include "libraryversion.h"
#include "registryarchive.h"

namespace {

const char kSection[] = "CommandManager";
const UINT kArchiveBufferSize = 4096;
const UINT kMemFileGrowBytes = 1024;

struct UsageRecord {
    DWORD dwCmdId;
    DWORD dwCount;
};

} // namespace

void CUiCmdProfile::StoreStatistics(CArchive& ar)
{
    CString strHeader;
    strHeader.Format("Vavi-RIZ (v. %s) command profile", (LPCSTR)LibraryVersionText('.'));
    ar << strHeader;
    ar << LibraryVersion(false);
    ar << LibraryVersion(true);
    for (int i = 0; i < 4; i++)
        ar << (DWORD)0;
    ar << (DWORD)m_nTotalUsage;
    ForEachItem([&ar](CUiCmdItem* pItem) {
        if (!pItem->IsUsageTracked())
            return;
        ar << (DWORD)pItem->m_nCmdId;
        ar << (DWORD)pItem->m_nUsageCount;
    });
    ar << (DWORD)0;
}

bool CUiCmdProfile::LoadStatistics(CArchive& ar)
{
    CString strHeader;
    DWORD dwLongVersion = 0, dwShortVersion = 0, dwReserved = 0, dwTotal = 0;
    ar >> strHeader;
    ar >> dwLongVersion;
    ar >> dwShortVersion;
    if (dwShortVersion != LibraryVersion(true))
        return false;
    for (int i = 0; i < 4; i++)
        ar >> dwReserved;
    ar >> dwTotal;
    // Gathered aside: a record list cut short must not leave some counts changed.
    CArray<UsageRecord, const UsageRecord&> records;
    for (;;) {
        UsageRecord record = {0, 0};
        ar >> record.dwCmdId;
        if (record.dwCmdId == 0)
            break;
        ar >> record.dwCount;
        records.Add(record);
    }
    m_nTotalUsage = dwTotal;
    for (INT_PTR i = 0; i < records.GetSize(); i++) {
        if (CUiCmdItem* pItem = CmdGetPtr(records[i].dwCmdId))
            pItem->m_nUsageCount = records[i].dwCount;
    }
    return true;
}

bool CUiCmdProfile::SerializeProfile(CArchive& ar)
{
    try {
        if (ar.IsStoring()) {
            StoreStatistics(ar);
            return true;
        }
        return LoadStatistics(ar);
    } catch (CException* e) {
        e->Delete();
        return false;
    }
}

bool CUiCmdProfile::PersistInRegistry(LPCSTR lpszCompanyKey, LPCSTR lpszProductKey, bool bSave)
{
    const CString strPath = RegistryArchivePath(kSection, m_strName, lpszCompanyKey, lpszProductKey);
    try {
        CMemFile file(kMemFileGrowBytes);
        if (bSave) {
            CArchive ar(&file, CArchive::store, kArchiveBufferSize);
            if (!SerializeProfile(ar)) {
                ar.Abort();
                return false;
            }
            ar.Close();
            file.SeekToBegin();
            return RegistryArchiveWrite(file, strPath, HKEY_CURRENT_USER);
        }
        if (!RegistryArchiveRead(file, strPath, HKEY_CURRENT_USER))
            return false;
        file.SeekToBegin();
        CArchive ar(&file, CArchive::load, kArchiveBufferSize);
        return SerializeProfile(ar);
    } catch (CException* e) {
        e->Delete();
        return false;
    }
}
