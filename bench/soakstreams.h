// The byte streams of the soak: what each peer sends, how what comes back (the echo, the
// script's replies, the hourly files' records) is checked against it in order, and the reader
// that follows the hourly files while the program writes them.
#pragma once

#include "portdevice.h"

#include <windows.h>

#include <atomic>
#include <deque>
#include <map>
#include <memory>
#include <string>

namespace bench {

// The bytes of a peer's stream, made again from its seed by every checker.
class SoakStream
{
public:
    explicit SoakStream(unsigned seed) : m_state(seed | 1) {}
    BYTE Next();

private:
    unsigned m_state;
    unsigned m_word = 0;
    int m_left = 0;
};

// Bytes compared with a stream as they arrive: a lost, doubled, changed or moved byte ends
// the match, and every byte after it counts as stray.
class StreamCheck
{
public:
    explicit StreamCheck(unsigned seed) : m_expected(seed) {}
    void Take(const BYTE* data, size_t length);
    unsigned long long Matched() const { return m_matched; }
    unsigned long long Stray() const { return m_stray; }

private:
    SoakStream m_expected;
    std::atomic<unsigned long long> m_matched{0};
    std::atomic<unsigned long long> m_stray{0};
};

// A peer on the far end of a pseudo-terminal pair: it writes its stream at full speed in
// pieces of 1 to 4,096 bytes with a pause now and then, and checks what comes back.
class SoakPeer
{
public:
    explicit SoakPeer(unsigned seed);
    bool Open(int comNumber);
    void StartSending();
    // The sending ends at the next delimiter of the stream, so that no block of a framing
    // connection waits for bytes that never come.
    void EndSending(BYTE delimiter);
    // True when the writer ended and every write went out.
    bool WaitSent(DWORD timeoutMs) { return m_device.WaitWritten(timeoutMs); }
    void Close() { m_device.Close(); }

    unsigned long long Sent() const { return m_sent; }
    const StreamCheck& Back() const { return m_back; }

private:
    bool NextPiece(const BYTE*& data, size_t& length);
    unsigned Random();

    PortDevice m_device;
    SoakStream m_stream;
    StreamCheck m_back;
    unsigned m_random;
    BYTE m_piece[4096];
    std::atomic<unsigned long long> m_sent{0};
    std::atomic<bool> m_ending{false};
    std::atomic<int> m_delimiter{-1};
    bool m_done = false;
};

// The hourly files of a folder as the program writes them: every whole record read once, in
// file-name order; the received and sent bytes of each port checked against the peers'
// streams; message records counted by their code; the bytes of the newest records that a log
// of the given size holds.
class HourlyFollower
{
public:
    HourlyFollower(std::string folder, std::string prefix, const unsigned seeds[2], size_t logSize);
    // Reads what was appended since the last call.
    void Poll();

    unsigned long long Records() const { return m_records; }
    const StreamCheck& Received(int port) const { return *m_received[port]; }
    const StreamCheck& Sent(int port) const { return *m_sent[port]; }
    const std::map<int, unsigned long long>& Messages() const { return m_messages; }
    // Files that did not start with the log file header, and records that could not be read.
    unsigned long long Damaged() const { return m_damaged; }
    int Files() const { return static_cast<int>(m_files.size()); }
    // Bytes of the serialised bodies of the newest logSize records.
    unsigned long long LogBytes() const { return m_logBytes; }

private:
    void ReadFile(const std::string& name, size_t& offset);
    void TakeRecord(const BYTE* body, size_t length);

    std::string m_folder;
    std::string m_prefix;
    std::map<std::string, size_t> m_files;  // name -> offset of its first unread record
    std::unique_ptr<StreamCheck> m_received[2];
    std::unique_ptr<StreamCheck> m_sent[2];
    unsigned long long m_records = 0;
    unsigned long long m_damaged = 0;
    std::map<int, unsigned long long> m_messages;
    size_t m_logSize;
    std::deque<size_t> m_logSizes;
    unsigned long long m_logBytes = 0;
};

// Turns the program's hourly log on into the folder, with the file prefix and the log's size, in
// its "CMN" settings.
bool WriteHourlySettings(const std::string& folder, const char* prefix, DWORD maxLog);

} // namespace bench
