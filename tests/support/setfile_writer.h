// The tests' own writer of set files, laid out byte by byte as the reader expects them
// (version 100 to 103), independent of the program's reader.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "bytes_test_support.h"
#include "commsetrecord.h"
#include "temp_folder_support.h"

namespace testsets {

using Bytes = std::vector<BYTE>;
using testbytes::BytesOf;


inline void Put32(Bytes& file, size_t offset, DWORD value)
{
    for (int i = 0; i < 4; ++i)
        file[offset + i] = static_cast<BYTE>(value >> (8 * i));
}

inline DWORD Get32(const Bytes& file, size_t offset)
{
    DWORD value = 0;
    for (int i = 0; i < 4; ++i)
        value |= static_cast<DWORD>(file[offset + i]) << (8 * i);
    return value;
}

inline void AppendItem(Bytes& file, const Bytes& item)
{
    const size_t at = file.size();
    file.resize(at + 4);
    Put32(file, at, static_cast<DWORD>(item.size()));
    file.insert(file.end(), item.begin(), item.end());
}

inline void AppendText(Bytes& file, const CString& text)
{
    LPCTSTR p = text;
    AppendItem(file, Bytes(p, p + text.GetLength()));
}

// Size word and XOR checksum for the file as it is now.
inline void SealHeader(Bytes& file)
{
    Put32(file, 24, static_cast<DWORD>(file.size()));
    Put32(file, 28, 0);
    Bytes padded = file;
    padded.resize((padded.size() + 3) / 4 * 4, 0);
    DWORD sum = 0;
    for (size_t i = 0; i < padded.size(); i += 4)
        sum ^= Get32(padded, i);
    Put32(file, 28, sum);
}

struct PageItems
{
    Bytes page[2];
    bool given = false;
};

inline Bytes WriteSetFile(const CCommSetRecord& s, int version, const PageItems* pages = nullptr)
{
    Bytes file(1792, 0);
    std::memcpy(file.data(), "kvr", 4);
    std::memcpy(file.data() + 4, "garbage 4-15", 12);
    Put32(file, 16, static_cast<DWORD>(version));
    Put32(file, 20, 0xDEADBEEF);
    Put32(file, 32, static_cast<DWORD>(s.m_nAutoStart));
    for (int port = 0; port < 2; ++port) {
        size_t at = 512 + 256 * port;
        auto word = [&](int value) { Put32(file, at, static_cast<DWORD>(value)); at += 4; };
        word(s.m_nInUse[port]);
        word(s.m_nCommType[port]);
        word(s.m_nRecvBufferSize[port]);
        for (int i = 0; i < 15; ++i)
            word(s.m_nReservedBlock[port][i]);
        word(s.m_nReservedOne[port]);
        word(s.m_nAutoRetry[port]);
        word(s.m_nRetryPeriod[port]);
        word(s.m_nReservedZero[port]);
        word(s.m_nComIndex[port]);
        word(s.m_nBaudRate[port]);
        word(s.m_nDataBits[port]);
        word(s.m_nParity[port]);
        word(s.m_nStopBits[port]);
        word(s.m_nDetailedFlow[port]);
        word(s.m_nOptionValue[port]);
        word(s.m_nRecvFraming[port]);
        word(s.m_nFixedBlockSize[port]);
        word(s.m_nInQueue[port]);
        word(s.m_nOutQueue[port]);
        word(s.fOutxCtsFlow[port]);
        word(s.fOutxDsrFlow[port]);
        word(s.fDtrControl[port]);
        word(s.fRtsControl[port]);
        word(s.fDsrSensitivity[port]);
        word(s.fInX[port]);
        word(s.fOutX[port]);
        word(s.fTXContinueOnXoff[port]);
        word(s.XonLim[port]);
        word(s.XoffLim[port]);
        word(s.XonChar[port]);
        word(s.XoffChar[port]);
        EXPECT_EQ(512 + 256 * port + 180u, at);

        const size_t b = 1024 + 256 * port;
        Put32(file, b + 0, s.m_nRecvTimeoutOn[port]);
        Put32(file, b + 4, s.m_nRecvTimeout[port]);
        Put32(file, b + 8, s.m_nAutoSendOn[port]);
        Put32(file, b + 12, s.m_nAutoSendPeriod[port]);
        Put32(file, b + 16, s.m_nRandomOn[port]);
        Put32(file, b + 20, s.m_nRandomEverySend[port]);
        Put32(file, b + 24, s.m_nRandomInterval[port]);
        Put32(file, b + 28, s.m_nEndAfterSend[port]);
        Put32(file, b + 32, s.m_nEndAfterRecv[port]);
        Put32(file, b + 36, s.m_nRecvActionOn[port]);
        Put32(file, b + 40, s.m_nReplyTarget[port]);
        Put32(file, b + 44, s.m_nReplyKind[port]);
        Put32(file, b + 48, 0xEEEEEE00u | s.m_byFixedReply[port]);  // bytes 49-51 are not read
        Put32(file, b + 52, s.m_nExtendedMode[port]);
        Put32(file, b + 56, s.m_nScriptMode[port]);

        const size_t d = 1536 + 16 * port;
        Put32(file, d, s.m_clrBack[port]);
        for (int kind = 0; kind < 3; ++kind)
            Put32(file, d + 4 + 4 * kind, s.m_clrText[port][kind]);
    }
    Put32(file, 1536 + 32, s.m_nDateFormat);
    for (int i = 0; i < 6; ++i)
        Put32(file, 1536 + 36 + 4 * i, s.m_nDisplayFlags[i]);

    AppendText(file, s.m_strSetName);
    AppendText(file, s.m_strComment);
    AppendItem(file, BytesOf(s.m_randomRegions[0]));
    AppendItem(file, BytesOf(s.m_randomRegions[1]));
    AppendText(file, s.m_strExtDllPath[0]);
    AppendText(file, s.m_strExtDllPath[1]);
    AppendItem(file, BytesOf(s.m_extSettings[0]));
    AppendItem(file, BytesOf(s.m_extSettings[1]));
    AppendItem(file, BytesOf(s.m_sendData));
    if (version >= 101) {
        AppendItem(file, BytesOf(s.m_delimiters[0]));
        AppendItem(file, BytesOf(s.m_delimiters[1]));
    }
    if (version >= 102) {
        AppendItem(file, BytesOf(s.m_sendMarkers));
        AppendItem(file, BytesOf(s.m_detailMarkers));
        for (int port = 0; port < 2; ++port) {
            if (pages != nullptr && pages->given)
                AppendItem(file, pages->page[port]);
            else
                AppendItem(file, Bytes(s.m_portPage[port], s.m_portPage[port] + 1024));
        }
    }
    if (version >= 103) {
        AppendItem(file, BytesOf(s.m_scriptText[0]));
        AppendItem(file, BytesOf(s.m_scriptText[1]));
    }
    SealHeader(file);
    return file;
}


// A set of the name, every value its default, whose port 1 is in use on COM comNumber.
inline CCommSetRecord PortOneSet(const char* name, int comNumber)
{
    CCommSetRecord set;
    SetCommSetDefaults(set, TRUE);
    set.m_strSetName = name;
    set.m_nInUse[0] = 1;
    set.m_nCommType[0] = CCommSetRecord::kCommTypeSerial;
    set.m_nComIndex[0] = comNumber - 1;
    return set;
}

// Writes a set file of the newest version to a path; false when it cannot be written.
inline bool WriteSetFileTo(const char* pszPath, const CCommSetRecord& set)
{
    return WriteWholeFile(pszPath, WriteSetFile(set, 103));
}

} // namespace testsets
