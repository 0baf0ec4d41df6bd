// Reader of communication-set files ("*.kvr").
//
// Layout, little-endian: a 512-byte header (magic "kvr\0" at 0, version 100..103 at 16, total
// file size at 24, checksum at 28, auto-start at 32), five 256-byte blocks (Port 1 and Port 2
// main blocks, Port 1 and Port 2 behaviour blocks, display block), then the variable items,
// each a 4-byte length and that many bytes. Later versions append items; the items a file's
// version lacks leave their fields as they were before the load.
//
// A set file is outside input: the reader refuses a file shorter than its fixed part and one
// whose items run past its end (CommSetReadTruncated) rather than trusting the lengths.
#include "commsetrecord.h"
#include "bytestreamreader.h"

#include <cstring>

namespace {

const DWORD kHeaderSize = 512;
const DWORD kBlockSize = 256;
const DWORD kFixedPartSize = kHeaderSize + 5 * kBlockSize; // 1792
const int kMainBlockWords = 45;

const DWORD kMagicOffset = 0;
const DWORD kVersionOffset = 16;
const DWORD kSizeOffset = 24;
const DWORD kChecksumOffset = 28;
const DWORD kAutoStartOffset = 32;

const int kFirstVersion = 100;
const int kLastVersion = 103;

DWORD GetLe32(const BYTE* p)
{
    return static_cast<DWORD>(p[0]) | (static_cast<DWORD>(p[1]) << 8) |
           (static_cast<DWORD>(p[2]) << 16) | (static_cast<DWORD>(p[3]) << 24);
}

int GetInt(const BYTE* p)
{
    return static_cast<int>(GetLe32(p));
}

using PortField = int (CCommSetRecord::*)[CCommSetRecord::kPortCount];

// Main-block words after the reserved block (words 18 to 44), in file order.
const PortField kMainFieldsAfterReserved[] = {
    &CCommSetRecord::m_nReservedOne,
    &CCommSetRecord::m_nAutoRetry,
    &CCommSetRecord::m_nRetryPeriod,
    &CCommSetRecord::m_nReservedZero,
    &CCommSetRecord::m_nComIndex,
    &CCommSetRecord::m_nBaudRate,
    &CCommSetRecord::m_nDataBits,
    &CCommSetRecord::m_nParity,
    &CCommSetRecord::m_nStopBits,
    &CCommSetRecord::m_nDetailedFlow,
    &CCommSetRecord::m_nOptionValue,
    &CCommSetRecord::m_nRecvFraming,
    &CCommSetRecord::m_nFixedBlockSize,
    &CCommSetRecord::m_nInQueue,
    &CCommSetRecord::m_nOutQueue,
    &CCommSetRecord::fOutxCtsFlow,
    &CCommSetRecord::fOutxDsrFlow,
    &CCommSetRecord::fDtrControl,
    &CCommSetRecord::fRtsControl,
    &CCommSetRecord::fDsrSensitivity,
    &CCommSetRecord::fInX,
    &CCommSetRecord::fOutX,
    &CCommSetRecord::fTXContinueOnXoff,
    &CCommSetRecord::XonLim,
    &CCommSetRecord::XoffLim,
    &CCommSetRecord::XonChar,
    &CCommSetRecord::XoffChar,
};
static_assert(3 + CCommSetRecord::kReservedBlockWords + sizeof(kMainFieldsAfterReserved) /
                  sizeof(kMainFieldsAfterReserved[0]) == kMainBlockWords,
              "the main block holds 45 words");

void ReadMainBlock(CCommSetRecord& set, int port, const BYTE* block)
{
    set.m_nInUse[port] = GetInt(block + 0);
    set.m_nCommType[port] = GetInt(block + 4);
    set.m_nRecvBufferSize[port] = GetInt(block + 8);
    for (int i = 0; i < CCommSetRecord::kReservedBlockWords; ++i)
        set.m_nReservedBlock[port][i] = GetInt(block + 12 + 4 * i);
    const BYTE* p = block + 12 + 4 * CCommSetRecord::kReservedBlockWords;
    for (PortField field : kMainFieldsAfterReserved) {
        (set.*field)[port] = GetInt(p);
        p += 4;
    }
}

void ReadBehaviourBlock(CCommSetRecord& set, int port, const BYTE* block)
{
    set.m_nRecvTimeoutOn[port] = GetInt(block + 0);
    set.m_nRecvTimeout[port] = GetInt(block + 4);
    set.m_nAutoSendOn[port] = GetInt(block + 8);
    set.m_nAutoSendPeriod[port] = GetInt(block + 12);
    set.m_nRandomOn[port] = GetInt(block + 16);
    set.m_nRandomEverySend[port] = GetInt(block + 20);
    set.m_nRandomInterval[port] = GetInt(block + 24);
    set.m_nEndAfterSend[port] = GetInt(block + 28);
    set.m_nEndAfterRecv[port] = GetInt(block + 32);
    set.m_nRecvActionOn[port] = GetInt(block + 36);
    set.m_nReplyTarget[port] = GetInt(block + 40);
    set.m_nReplyKind[port] = GetInt(block + 44);
    set.m_byFixedReply[port] = block[48];
    set.m_nExtendedMode[port] = GetInt(block + 52);
    set.m_nScriptMode[port] = GetInt(block + 56);
}

void ReadDisplayBlock(CCommSetRecord& set, const BYTE* block)
{
    for (int port = 0; port < CCommSetRecord::kPortCount; ++port) {
        const BYTE* p = block + 16 * port;
        set.m_clrBack[port] = GetLe32(p);
        for (int kind = 0; kind < 3; ++kind)
            set.m_clrText[port][kind] = GetLe32(p + 4 + 4 * kind);
    }
    set.m_nDateFormat = GetInt(block + 32);
    for (int i = 0; i < 6; ++i)
        set.m_nDisplayFlags[i] = GetInt(block + 36 + 4 * i);
}

void KeepPortPage(CCommSetRecord& set, int port, COleSafeArray& item)
{
    std::memset(set.m_portPage[port], 0, sizeof(set.m_portPage[port]));
    const DWORD nLength = item.GetOneDimSize();
    const DWORD nKeep = nLength < CCommSetRecord::kPortPageSize
        ? nLength : static_cast<DWORD>(CCommSetRecord::kPortPageSize);
    if (nKeep > 0) {
        void* pData = nullptr;
        item.AccessData(&pData);
        std::memcpy(set.m_portPage[port], pData, nKeep);
        item.UnaccessData();
    }
}

// Checks the header of the loaded file and zeroes its checksum word in the buffer;
// 0 or the failure code.
int CheckHeader(CByteStreamReader& reader, int& nVersion, int& nAutoStart)
{
    const DWORD nLength = reader.GetRemaining();
    void* pData = nullptr;
    reader.AccessData(&pData);
    BYTE* p = static_cast<BYTE*>(pData);
    int result = CommSetReadOk;
    nVersion = GetInt(p + kVersionOffset);
    nAutoStart = GetInt(p + kAutoStartOffset);
    if (std::memcmp(p + kMagicOffset, "kvr", 4) != 0) {
        result = CommSetReadBadMagic;
    } else if (nVersion < kFirstVersion || nVersion > kLastVersion) {
        result = CommSetReadBadVersion;
    } else if (GetLe32(p + kSizeOffset) != nLength) {
        result = CommSetReadBadSize;
    } else {
        const DWORD nStored = GetLe32(p + kChecksumOffset);
        std::memset(p + kChecksumOffset, 0, 4);
        if (ComputeSetChecksum(p, nLength) != nStored)
            result = CommSetReadBadChecksum;
    }
    reader.UnaccessData();
    return result;
}

// Everything after the file was loaded: header, blocks, items.
int ReadLoadedSet(CCommSetRecord& set, CByteStreamReader& reader)
{
    SetCommSetDefaults(set, FALSE);

    if (reader.GetRemaining() < kFixedPartSize)
        return CommSetReadTruncated;
    int nVersion = 0;
    int nAutoStart = 0;
    const int headerResult = CheckHeader(reader, nVersion, nAutoStart);
    if (headerResult != CommSetReadOk)
        return headerResult;
    set.m_nAutoStart = nAutoStart;

    BYTE blocks[5][kBlockSize];
    reader.Skip(kHeaderSize);
    for (auto& block : blocks)
        reader.ReadBytes(block, kBlockSize);

    for (int port = 0; port < CCommSetRecord::kPortCount; ++port) {
        ReadMainBlock(set, port, blocks[port]);
        if (set.m_nInUse[port] && set.m_nCommType[port] != CCommSetRecord::kCommTypeSerial)
            return CommSetReadBadPortType;
    }
    ReadBehaviourBlock(set, 0, blocks[2]);
    ReadBehaviourBlock(set, 1, blocks[3]);
    ReadDisplayBlock(set, blocks[4]);

    // Items are taken one by one, each assigned only once it was read whole, so a damaged
    // file leaves the items before the damage in the set, as with the other refusals.
    bool ok = true;
    auto takeString = [&](CString& dest) {
        if (!ok)
            return;
        CString text = reader.ReadString();
        if (reader.HasFailed())
            ok = false;
        else
            dest = text;
    };
    auto takeBlob = [&](COleSafeArray& dest) {
        if (!ok)
            return;
        COleSafeArray blob = reader.ReadBlob();
        if (reader.HasFailed())
            ok = false;
        else
            dest = blob;
    };

    takeString(set.m_strSetName);
    takeString(set.m_strComment);
    takeBlob(set.m_randomRegions[0]);
    takeBlob(set.m_randomRegions[1]);
    takeString(set.m_strExtDllPath[0]);
    takeString(set.m_strExtDllPath[1]);
    takeBlob(set.m_extSettings[0]);
    takeBlob(set.m_extSettings[1]);
    takeBlob(set.m_sendData);
    if (nVersion > 100) {
        takeBlob(set.m_delimiters[0]);
        takeBlob(set.m_delimiters[1]);
    }
    if (nVersion > 101) {
        takeBlob(set.m_sendMarkers);
        takeBlob(set.m_detailMarkers);
        for (int port = 0; port < CCommSetRecord::kPortCount; ++port) {
            COleSafeArray page;
            takeBlob(page);
            if (ok)
                KeepPortPage(set, port, page);
        }
    }
    if (nVersion > 102) {
        takeBlob(set.m_scriptText[0]);
        takeBlob(set.m_scriptText[1]);
    }
    if (!ok)
        return CommSetReadTruncated;
    return CommSetReadOk;
}

} // namespace

DWORD ComputeSetChecksum(const BYTE* pBytes, DWORD nLength)
{
    DWORD sum = 0;
    DWORD i = 0;
    for (; i + 4 <= nLength; i += 4)
        sum ^= GetLe32(pBytes + i);
    if (i < nLength) {
        BYTE tail[4] = {0, 0, 0, 0};
        std::memcpy(tail, pBytes + i, nLength - i);
        sum ^= GetLe32(tail);
    }
    return sum;
}

int ReadCommSetFile(CCommSetRecord& set)
{
    CByteStreamReader reader;
    if (!reader.LoadFile(set.m_strSetPath))
        return CommSetReadNoFile;
    return ReadLoadedSet(set, reader);
}

int ReadCommSetBytes(CCommSetRecord& set, const BYTE* pBytes, DWORD nLength)
{
    COleSafeArray content;
    content.CreateOneDim(VT_UI1, nLength, nLength ? pBytes : NULL);
    CByteStreamReader reader(content);
    return ReadLoadedSet(set, reader);
}
