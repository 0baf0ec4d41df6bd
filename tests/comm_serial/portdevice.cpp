#include "portdevice.h"

#include <algorithm>
#include <cstdio>

PortDevice::~PortDevice()
{
    Close();
}

bool PortDevice::Open(int comNumber)
{
    Close();
    char name[32];
    std::snprintf(name, sizeof(name), "\\\\.\\COM%d", comNumber);
    m_hPort = CreateFileA(name, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr);
    if (m_hPort == INVALID_HANDLE_VALUE)
        return false;
    DCB dcb = {};
    dcb.DCBlength = sizeof(dcb);
    COMMTIMEOUTS timeouts = {MAXDWORD, 0, 0, 0, 0};
    bool ok = GetCommState(m_hPort, &dcb);
    if (ok) {
        dcb.BaudRate = 9600;
        dcb.ByteSize = 8;
        dcb.Parity = NOPARITY;
        dcb.StopBits = ONESTOPBIT;
        dcb.fBinary = 1;
        dcb.fParity = 0;
        dcb.fOutxCtsFlow = dcb.fOutxDsrFlow = 0;
        dcb.fDtrControl = DTR_CONTROL_DISABLE;
        dcb.fRtsControl = RTS_CONTROL_DISABLE;
        dcb.fOutX = dcb.fInX = 0;
        dcb.fNull = 0;
        dcb.fErrorChar = 0;
        dcb.fAbortOnError = 0;
        ok = SetCommState(m_hPort, &dcb) && SetCommTimeouts(m_hPort, &timeouts) &&
             PurgeComm(m_hPort, PURGE_RXCLEAR | PURGE_TXCLEAR);
    }
    if (!ok) {
        CloseHandle(m_hPort);
        m_hPort = INVALID_HANDLE_VALUE;
        return false;
    }
    m_closing = false;
    m_paused = false;
    m_reader = std::thread([this] { ReadLoop(); });
    return true;
}

void PortDevice::Close()
{
    StopWriting();
    m_closing = true;
    if (m_reader.joinable())
        m_reader.join();
    if (m_hPort != INVALID_HANDLE_VALUE)
        CloseHandle(m_hPort);
    m_hPort = INVALID_HANDLE_VALUE;
    std::lock_guard<std::mutex> hold(m_lock);
    m_received.clear();
}

void PortDevice::StartWriting(std::vector<BYTE> bytes, std::vector<size_t> pieces, bool repeat)
{
    size_t index = 0, offset = 0;
    StartWritingFrom([bytes = std::move(bytes), pieces = std::move(pieces), repeat, index,
                      offset](const BYTE*& data, size_t& length) mutable {
        if (index == pieces.size()) {
            if (!repeat || pieces.empty())
                return false;
            index = offset = 0;
        }
        data = bytes.data() + offset;
        length = std::min(pieces[index++], bytes.size() - offset);
        offset += length;
        return true;
    });
}

void PortDevice::StartWritingFrom(PieceSource source)
{
    StopWriting();
    m_stopWriting = false;
    m_writeFailed = false;
    m_writeDone = false;
    m_writer = std::thread([this, source = std::move(source)] { WriteLoop(source); });
}

bool PortDevice::WaitWritten(DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    while (!m_writeDone && GetTickCount() - start < timeoutMs)
        Sleep(5);
    return m_writeDone && !m_writeFailed;
}

void PortDevice::StopWriting()
{
    m_stopWriting = true;
    if (m_writer.joinable())
        m_writer.join();
}

std::vector<BYTE> PortDevice::Received() const
{
    std::lock_guard<std::mutex> hold(m_lock);
    return m_received;
}

size_t PortDevice::ReceivedCount() const
{
    std::lock_guard<std::mutex> hold(m_lock);
    return m_received.size();
}

bool PortDevice::DrainQuiet(DWORD quietMs, DWORD timeoutMs)
{
    DWORD start = GetTickCount(), since = start;
    size_t seen = ReceivedCount();
    for (;;) {
        Sleep(10);
        DWORD now = GetTickCount();
        size_t count = ReceivedCount();
        if (count != seen) {
            seen = count;
            since = now;
        }
        if (now - since >= quietMs || now - start >= timeoutMs)
            break;
    }
    std::lock_guard<std::mutex> hold(m_lock);
    m_received.clear();
    return GetTickCount() - since >= quietMs;
}

void PortDevice::ReadLoop()
{
    std::vector<BYTE> buffer(4096);
    while (!m_closing) {
        if (m_paused) {
            Sleep(5);
            continue;
        }
        long n = Transfer(false, buffer.data(), static_cast<DWORD>(buffer.size()), m_closing, 1000);
        if (n > 0 && m_receiver) {
            m_receiver(buffer.data(), static_cast<size_t>(n));
        } else if (n > 0) {
            std::lock_guard<std::mutex> hold(m_lock);
            m_received.insert(m_received.end(), buffer.begin(), buffer.begin() + n);
        } else {
            // Reads return at once: wait a moment before asking again.
            Sleep(1);
        }
    }
}

void PortDevice::WriteLoop(PieceSource source)
{
    const BYTE* data = nullptr;
    size_t length = 0;
    while (!m_stopWriting && source(data, length)) {
        if (length == 0)
            continue;
        long n = Transfer(true, const_cast<BYTE*>(data), static_cast<DWORD>(length), m_stopWriting, m_writeBoundMs);
        if (n != static_cast<long>(length)) {
            m_writeFailed = !m_stopWriting;
            break;
        }
    }
    m_writeDone = true;
}

long PortDevice::Transfer(bool write, BYTE* data, DWORD length, const std::atomic<bool>& stop, DWORD boundMs)
{
    OVERLAPPED ov = {};
    ov.hEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    if (!ov.hEvent)
        return -1;
    DWORD done = 0;
    BOOL ok = write ? WriteFile(m_hPort, data, length, &done, &ov) : ReadFile(m_hPort, data, length, &done, &ov);
    long result = -1;
    if (ok || GetLastError() == ERROR_IO_PENDING) {
        DWORD start = GetTickCount();
        while (WaitForSingleObject(ov.hEvent, 20) == WAIT_TIMEOUT) {
            if (stop || GetTickCount() - start >= boundMs) {
                CancelIo(m_hPort);
                // The record must outlive the operation: wait (bounded) for its end.
                WaitForSingleObject(ov.hEvent, 2000);
                break;
            }
        }
        if (GetOverlappedResult(m_hPort, &ov, &done, FALSE))
            result = static_cast<long>(done);
    }
    CloseHandle(ov.hEvent);
    return result;
}
