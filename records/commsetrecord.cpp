// Communication set: defaults, copying and the comparison of the log-display settings.
#include "commsetrecord.h"
#include "conversions.h"

#include <cstring>

namespace {

const int kReservedBlockDefaults[CCommSetRecord::kReservedBlockWords] = {
    0x0100007F, 0, 1024, 0, 0, 2000, 1000, 1024, 5, 0, 0x0100007F, 1024, 0, 0x0100007F, 1024,
};

void MakeEmpty(COleSafeArray& buffer)
{
    buffer.Clear();
    buffer.CreateOneDim(VT_UI1, 0);
}

} // namespace

CCommSetRecord::CCommSetRecord()
{
    m_nExtra = 0;
    MakeEmpty(m_sendData);
    MakeEmpty(m_sendMarkers);
    MakeEmpty(m_detailMarkers);
    SetCommSetDefaults(*this, TRUE);
}

CCommSetRecord::CCommSetRecord(const CCommSetRecord& other) = default;
CCommSetRecord& CCommSetRecord::operator=(const CCommSetRecord& other) = default;
CCommSetRecord::~CCommSetRecord() = default;

int CCommSetRecord::CompareLogDisplay(const CCommSetRecord& other) const
{
    if (m_nDateFormat != other.m_nDateFormat)
        return 1;
    for (int port = 0; port < kPortCount; ++port) {
        if (m_clrBack[port] != other.m_clrBack[port])
            return 1;
        for (int kind = 0; kind < 3; ++kind) {
            if (m_clrText[port][kind] != other.m_clrText[port][kind])
                return 1;
        }
    }
    for (int i = 0; i < 6; ++i) {
        if (m_nDisplayFlags[i] != other.m_nDisplayFlags[i])
            return 1;
    }
    return 0;
}

void SetCommSetDefaults(CCommSetRecord& set, int bResetPaths)
{
    if (bResetPaths) {
        char szDir[MAX_PATH + 1] = {};
        GetCurrentDirNoSlash(MAX_PATH, szDir);
        const CString base = CString(szDir) + "\\default";
        set.m_strSetPath = base + ".kvr";
        set.m_strLogPath = base + ".mqt";
        set.m_strCsvPath = base + ".csv";
        set.m_strTextPath = base + ".txt";
    }
    set.m_strSetName = "Default";
    set.m_strComment = "Please Config Comment...";
    set.m_nAutoStart = 0;

    for (int port = 0; port < CCommSetRecord::kPortCount; ++port) {
        set.m_nInUse[port] = port == 0 ? 1 : 0;
        set.m_nCommType[port] = CCommSetRecord::kCommTypeSerial;
        set.m_nRecvBufferSize[port] = 4096;
        std::memcpy(set.m_nReservedBlock[port], kReservedBlockDefaults, sizeof(kReservedBlockDefaults));
        set.m_nReservedOne[port] = 1;
        set.m_nAutoRetry[port] = 0;
        set.m_nRetryPeriod[port] = 3000;
        set.m_nReservedZero[port] = 0;
        set.m_nComIndex[port] = 0;
        set.m_nBaudRate[port] = 9600;
        set.m_nDataBits[port] = 0;
        set.m_nParity[port] = 0;
        set.m_nStopBits[port] = 0;
        set.m_nDetailedFlow[port] = 0;
        set.m_nOptionValue[port] = 0;
        set.m_nRecvFraming[port] = 0;
        set.m_nFixedBlockSize[port] = 32;
        set.m_nInQueue[port] = 2048;
        set.m_nOutQueue[port] = 2048;
        set.fOutxCtsFlow[port] = 0;
        set.fOutxDsrFlow[port] = 0;
        set.fDtrControl[port] = 0;
        set.fRtsControl[port] = 0;
        set.fDsrSensitivity[port] = 0;
        set.fInX[port] = 0;
        set.fOutX[port] = 0;
        set.fTXContinueOnXoff[port] = 0;
        set.XonLim[port] = 2048;
        set.XoffLim[port] = 2048;
        set.XonChar[port] = 17;
        set.XoffChar[port] = 19;
        MakeEmpty(set.m_delimiters[port]);
        set.m_nRecvTimeoutOn[port] = 0;
        set.m_nRecvTimeout[port] = 5000;
        set.m_nAutoSendOn[port] = 0;
        set.m_nAutoSendPeriod[port] = 3000;
        set.m_nRandomOn[port] = 0;
        set.m_nRandomEverySend[port] = 0;
        set.m_nRandomInterval[port] = 10;
        set.m_nEndAfterSend[port] = 0;
        set.m_nEndAfterRecv[port] = 0;
        set.m_nRecvActionOn[port] = 0;
        set.m_nReplyTarget[port] = 0;
        set.m_nReplyKind[port] = 0;
        set.m_byFixedReply[port] = 0;
        set.m_nExtendedMode[port] = 0;
        set.m_nScriptMode[port] = 0;
        set.m_clrBack[port] = port == 0 ? 0xDDFFFF : 0xDDFFDD;
        set.m_clrText[port][0] = 0x000000;
        set.m_clrText[port][1] = 0xA00000;
        set.m_clrText[port][2] = 0x0000A0;
        MakeEmpty(set.m_randomRegions[port]);
        set.m_strExtDllPath[port].Empty();
        MakeEmpty(set.m_extSettings[port]);
        std::memset(set.m_portPage[port], 0, sizeof(set.m_portPage[port]));
        MakeEmpty(set.m_scriptText[port]);
    }
    set.m_nReservedDisplay = 0;
    set.m_nDateFormat = 1;
    static const int kDisplayDefaults[6] = {1, 15, 15, 1, 15, 15};
    std::memcpy(set.m_nDisplayFlags, kDisplayDefaults, sizeof(kDisplayDefaults));
}
