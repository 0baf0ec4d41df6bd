#include "soakstreams.h"

#include "commlogrecord.h"
#include "logfiles.h"
#include "programdriver.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace bench {

namespace {

unsigned XorShift(unsigned& state)
{
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return state;
}

DWORD Word(const BYTE* p)
{
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<DWORD>(p[3]) << 24);
}

} // namespace

BYTE SoakStream::Next()
{
    if (m_left == 0) {
        m_word = XorShift(m_state);
        m_left = 4;
    }
    --m_left;
    const BYTE b = static_cast<BYTE>(m_word);
    m_word >>= 8;
    return b;
}

void StreamCheck::Take(const BYTE* data, size_t length)
{
    size_t i = 0;
    if (m_stray == 0) {
        for (; i < length && data[i] == m_expected.Next(); ++i) {
        }
        m_matched += i;
    }
    m_stray += length - i;
}

SoakPeer::SoakPeer(unsigned seed) : m_stream(seed), m_back(seed), m_random(seed * 2654435761u | 1) {}

bool SoakPeer::Open(int comNumber)
{
    // The program takes the bytes as fast as it logs them, and a peer waits for it as a device
    // waits on flow control; only a write not taken for two minutes means it stopped reading.
    m_device.SetWriteBound(120000);
    m_device.SetReceiver([this](const BYTE* data, size_t length) { m_back.Take(data, length); });
    return m_device.Open(comNumber);
}

void SoakPeer::StartSending()
{
    m_device.StartWritingFrom([this](const BYTE*& data, size_t& length) { return NextPiece(data, length); });
}

void SoakPeer::EndSending(BYTE delimiter)
{
    m_delimiter = delimiter;
    m_ending = true;
}

unsigned SoakPeer::Random()
{
    return XorShift(m_random);
}

bool SoakPeer::NextPiece(const BYTE*& data, size_t& length)
{
    if (m_done)
        return false;
    // A pause now and then, about every 200 pieces, of 50 to 500 ms.
    if (!m_ending && Random() % 200 == 0) {
        const DWORD pause = 50 + Random() % 451;
        const DWORD start = GetTickCount();
        while (!m_ending && GetTickCount() - start < pause)
            Sleep(10);
    }
    length = 1 + Random() % sizeof(m_piece);
    for (size_t i = 0; i < length; ++i) {
        m_piece[i] = m_stream.Next();
        if (m_ending && m_piece[i] == m_delimiter) {
            length = i + 1;
            m_done = true;
            break;
        }
    }
    data = m_piece;
    m_sent += length;
    return true;
}

HourlyFollower::HourlyFollower(std::string folder, std::string prefix, const unsigned seeds[2], size_t logSize)
    : m_folder(std::move(folder)), m_prefix(std::move(prefix)), m_logSize(logSize)
{
    for (int port = 0; port < 2; ++port) {
        m_received[port].reset(new StreamCheck(seeds[port]));
        m_sent[port].reset(new StreamCheck(seeds[port]));
    }
}

void HourlyFollower::Poll()
{
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((m_folder + "\\" + m_prefix + "*.mqt").c_str(), &found);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            m_files.emplace(found.cFileName, 0);
        } while (FindNextFileA(find, &found));
        FindClose(find);
    }
    // The hours follow each other: a file is read on only while it is among the newest two
    // (a record of the hour before may still come while the next file has begun).
    size_t index = 0;
    for (auto& file : m_files) {
        if (index++ + 2 >= m_files.size())
            ReadFile(file.first, file.second);
    }
}

void HourlyFollower::ReadFile(const std::string& name, size_t& offset)
{
    HANDLE file = CreateFileA((m_folder + "\\" + name).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    if (offset == 0) {
        BYTE header[kLogFileHeaderSize];
        DWORD got = 0;
        if (!::ReadFile(file, header, sizeof(header), &got, nullptr) || got < sizeof(header)) {
            CloseHandle(file);
            return;
        }
        if (Word(header) != 100) {
            ++m_damaged;
            offset = SIZE_MAX;
            CloseHandle(file);
            return;
        }
        offset = sizeof(header);
    }
    if (offset == SIZE_MAX) {
        CloseHandle(file);
        return;
    }
    LARGE_INTEGER at;
    at.QuadPart = static_cast<LONGLONG>(offset);
    SetFilePointerEx(file, at, nullptr, FILE_BEGIN);
    std::vector<BYTE> chunk(1 << 20);
    std::vector<BYTE> pending;
    DWORD got = 0;
    while (::ReadFile(file, chunk.data(), static_cast<DWORD>(chunk.size()), &got, nullptr) && got > 0) {
        pending.insert(pending.end(), chunk.begin(), chunk.begin() + got);
        size_t used = 0;
        while (pending.size() - used >= 4) {
            const size_t length = Word(pending.data() + used);
            if (length < static_cast<size_t>(CCommLogRecord::kBodyHeaderSize)) {
                // The program writes whole records only: this one cannot be read.
                ++m_damaged;
                offset = SIZE_MAX;
                CloseHandle(file);
                return;
            }
            if (pending.size() - used - 4 < length)
                break;
            TakeRecord(pending.data() + used + 4, length);
            used += 4 + length;
        }
        offset += used;
        pending.erase(pending.begin(), pending.begin() + used);
    }
    CloseHandle(file);
}

void HourlyFollower::TakeRecord(const BYTE* body, size_t length)
{
    ++m_records;
    m_logSizes.push_back(length);
    m_logBytes += length;
    if (m_logSizes.size() > m_logSize) {
        m_logBytes -= m_logSizes.front();
        m_logSizes.pop_front();
    }
    const int port = Word(body + 4) != 0 ? 1 : 0;
    const int kind = static_cast<int>(Word(body + 8));
    const BYTE* payload = body + CCommLogRecord::kBodyHeaderSize;
    const size_t size = length - CCommLogRecord::kBodyHeaderSize;
    if (kind == CCommLogRecord::KindReceive)
        m_received[port]->Take(payload, size);
    else if (kind == CCommLogRecord::KindSend)
        m_sent[port]->Take(payload, size);
    else
        ++m_messages[static_cast<int>(Word(body + 16))];
}

bool WriteHourlySettings(const std::string& folder, const char* prefix, DWORD maxLog)
{
    HKEY key = NULL;
    const std::string path = std::string(e2e::kProgramKey) + "\\CMN";
    if (RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return false;
    auto number = [&](const char* name, DWORD value) {
        return RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value)) ==
               ERROR_SUCCESS;
    };
    auto text = [&](const char* name, const std::string& value) {
        return RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                              static_cast<DWORD>(value.size() + 1)) == ERROR_SUCCESS;
    };
    const bool ok = number("MAXLOG", maxLog) && number("AUTO", 1) && text("PATH", folder) && text("FILE", prefix);
    RegCloseKey(key);
    return ok;
}

} // namespace bench
