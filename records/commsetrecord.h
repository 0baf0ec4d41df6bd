// The communication set: everything that configures the two ports and the log display.
// Per-port fields are two-element arrays indexed by the port index (0 = Port 1, 1 = Port 2).
// The set is stored in "*.kvr" files, read by ReadCommSetFile; the field order follows the
// record's fixed layout, and the file layout is described beside the reader.
#pragma once

#include "afxwin.h"
#include "afxdisp.h"

// Results of ReadCommSetFile.
enum CommSetReadResult
{
    CommSetReadOk = 0,
    CommSetReadNoFile = -1,        // could not be opened or read whole
    CommSetReadBadMagic = -2,      // not "kvr"
    CommSetReadBadVersion = -3,    // version outside 100..103
    CommSetReadBadSize = -4,       // size word differs from the file size
    CommSetReadBadChecksum = -5,
    CommSetReadBadPortType = -6,   // a port in use with a communication type other than 3
    CommSetReadTruncated = -7,     // shorter than the fixed part, or an item runs past the end
};

class CCommSetRecord
{
public:
    static const int kPortCount = 2;
    static const int kReservedBlockWords = 15;
    static const int kPortPageSize = 1024;
    static const int kCommTypeSerial = 3;

    CCommSetRecord();
    CCommSetRecord(const CCommSetRecord& other);
    CCommSetRecord& operator=(const CCommSetRecord& other);
    ~CCommSetRecord();

    // 0 when the date format, the colours and the display flags are all equal.
    int CompareLogDisplay(const CCommSetRecord& other) const;

    CString m_strSetPath;           // the file ReadCommSetFile reads
    CString m_strLogPath;           // start name of the save-log dialog
    CString m_strCsvPath;
    CString m_strTextPath;
    COleSafeArray m_sendData;       // contents of the send data editor
    COleSafeArray m_sendMarkers;    // marker blob of the send data editor
    COleSafeArray m_detailMarkers;  // marker blob of the detailed log data editor
    CString m_strExtra1;            // carried with the record, never stored in a file
    CString m_strExtra2;
    int m_nExtra;
    CString m_strSetName;
    CString m_strComment;
    int m_nAutoStart;

    int m_nInUse[kPortCount];
    int m_nCommType[kPortCount];
    int m_nRecvBufferSize[kPortCount];
    int m_nReservedBlock[kPortCount][kReservedBlockWords];
    int m_nReservedOne[kPortCount];
    int m_nAutoRetry[kPortCount];
    int m_nRetryPeriod[kPortCount];     // ms
    int m_nReservedZero[kPortCount];
    int m_nComIndex[kPortCount];        // "COM%d" with index + 1
    int m_nBaudRate[kPortCount];
    int m_nDataBits[kPortCount];        // 0..4 = 8, 7, 6, 5, 4
    int m_nParity[kPortCount];          // 0 none, 1 odd, 2 even, 3 mark, 4 space
    int m_nStopBits[kPortCount];        // 0 one, 1 one and a half, 2 two
    int m_nDetailedFlow[kPortCount];
    int m_nOptionValue[kPortCount];
    int m_nRecvFraming[kPortCount];     // 0 per read, 1 fixed size, else delimiter
    int m_nFixedBlockSize[kPortCount];
    int m_nInQueue[kPortCount];
    int m_nOutQueue[kPortCount];
    int fOutxCtsFlow[kPortCount];
    int fOutxDsrFlow[kPortCount];
    int fDtrControl[kPortCount];        // 0 off, 1 on, 2 handshake
    int fRtsControl[kPortCount];        // 0 off, 1 on, 2 handshake
    int fDsrSensitivity[kPortCount];
    int fInX[kPortCount];
    int fOutX[kPortCount];
    int fTXContinueOnXoff[kPortCount];
    int XonLim[kPortCount];
    int XoffLim[kPortCount];
    int XonChar[kPortCount];
    int XoffChar[kPortCount];
    COleSafeArray m_delimiters[kPortCount];
    int m_nRecvTimeoutOn[kPortCount];
    int m_nRecvTimeout[kPortCount];     // ms
    int m_nAutoSendOn[kPortCount];
    int m_nAutoSendPeriod[kPortCount];  // ms
    int m_nRandomOn[kPortCount];
    int m_nRandomEverySend[kPortCount];
    int m_nRandomInterval[kPortCount];  // s
    int m_nEndAfterSend[kPortCount];
    int m_nEndAfterRecv[kPortCount];
    int m_nRecvActionOn[kPortCount];
    int m_nReplyTarget[kPortCount];     // 0 receiving port, 1 Port 1, 2 Port 2
    int m_nReplyKind[kPortCount];       // 0 send data, 1 received bytes, 2 fixed byte
    BYTE m_byFixedReply[kPortCount];
    int m_nExtendedMode[kPortCount];
    int m_nScriptMode[kPortCount];
    COLORREF m_clrBack[kPortCount];
    COLORREF m_clrText[kPortCount][3];  // by kind: message, send, receive
    int m_nReservedDisplay;             // never stored in a file
    int m_nDateFormat;                  // 1 time only, else date and time
    int m_nDisplayFlags[6];             // port * 3 + kind
    COleSafeArray m_randomRegions[kPortCount];
    CString m_strExtDllPath[kPortCount];
    COleSafeArray m_extSettings[kPortCount];
    BYTE m_portPage[kPortCount][kPortPageSize];
    COleSafeArray m_scriptText[kPortCount];
};

// Every default; the four paths only when bResetPaths is nonzero. The send data, the two
// marker buffers and the unnamed extras keep their values.
void SetCommSetDefaults(CCommSetRecord& set, int bResetPaths);

// Reads the file named by the set's file path into the set; a CommSetReadResult.
int ReadCommSetFile(CCommSetRecord& set);
// The same over the bytes of a set file already in memory (never -1).
int ReadCommSetBytes(CCommSetRecord& set, const BYTE* pBytes, DWORD nLength);

// XOR of the little-endian 32-bit words of the bytes, the last partial word padded with zero
// bytes. The file's checksum is this value computed with its own checksum word zeroed.
DWORD ComputeSetChecksum(const BYTE* pBytes, DWORD nLength);
