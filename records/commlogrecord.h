// One entry of the communication log: a message of a connection, a block that was sent or a
// block that was received. Connection threads fill one and hand it to the main frame, the log
// keeps copies, and the saved-log files store its serialised body, whose byte layout is fixed:
// the ten leading 32-bit fields (peer address and peer port before the time), the sixteen
// bytes of the SYSTEMTIME, then the payload.
#pragma once

#include "afxwin.h"
#include "afxdisp.h"

class CCommLogRecord
{
public:
    // Size of the fixed part of the serialised body; the payload follows it.
    static const int kBodyHeaderSize = 56;

    enum Kind { KindMessage = 0, KindSend = 1, KindReceive = 2 };

    CCommLogRecord();
    CCommLogRecord(int nPort, int nSub);
    CCommLogRecord(const CCommLogRecord& other);
    CCommLogRecord& operator=(const CCommLogRecord& other);
    ~CCommLogRecord();

    // A new byte buffer of 56 + payload length bytes.
    COleSafeArray ToBytes() const;
    // Fills the record from a serialised body. Returns 0 and leaves the record unchanged when
    // the body is shorter than the fixed part (or absent), 1 otherwise.
    int FromBytes(int nLength, const BYTE* pData);

    // Payload helpers: the payload is read and written only between access and release.
    int GetPayloadSize() const;
    void SetPayload(const void* pData, int nLength);
    void SetPayload(const COleSafeArray& data);

    int m_nSeq;             // 0..9998, set by the log when the record is appended
    int m_nPort;            // 0 = Port 1, 1 = Port 2
    int m_nKind;            // Kind
    int m_nSub;             // connection sub-number, 0 for serial connections
    int m_nMsgCode;         // message-text code of a kind-0 record, else 0
    int m_nSysError;        // last-error value reported with a message, else 0
    int m_nRouteTarget;     // script SendData routing: 0 own port, 1 Port 1, 2 Port 2
    int m_nReserved;        // carried unchanged
    SYSTEMTIME m_time;      // local time at which the producer made the record
    COleSafeArray m_data;   // payload; for kind 0 an optional zero-terminated text
    DWORD m_dwPeerAddr;     // IPv4 address, lowest byte first when printed; always 0 here
    int m_nPeerPort;        // -1 = no peer
};
