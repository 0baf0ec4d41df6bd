#include "serialwriter.h"

#include "serialapi.h"

#include <memory>

namespace {

// The most bytes of waiting blocks handed to the system as one write; a longer block goes alone.
const size_t kMaxWriteBytes = 1 << 20;

} // namespace

CSerialWriter::CSerialWriter() : m_hPort(INVALID_HANDLE_VALUE), m_hEvent(NULL), m_pRunning(NULL)
{
}

CSerialWriter::~CSerialWriter()
{
    delete m_pRunning;
}

void CSerialWriter::Attach(HANDLE hPort, HANDLE hEvent)
{
    m_hPort = hPort;
    m_hEvent = hEvent;
}

DWORD CSerialWriter::Write(const void* pData, int nLength)
{
    const BYTE* p = static_cast<const BYTE*>(pData);
    m_waiting.emplace_back(p, p + nLength);
    return m_pRunning ? 0 : StartWaiting();
}

DWORD CSerialWriter::StartWaiting()
{
    // The oldest block, and the ones after it as long as they fit.
    size_t nBlocks = 1, nBytes = m_waiting.front().size();
    while (nBlocks < m_waiting.size() && nBytes + m_waiting[nBlocks].size() <= kMaxWriteBytes)
        nBytes += m_waiting[nBlocks++].size();
    std::unique_ptr<SystemWrite> w(new SystemWrite);
    ZeroMemory(&w->ov, sizeof(w->ov));
    w->ov.hEvent = m_hEvent;
    w->nBlocks = static_cast<int>(nBlocks);
    if (nBlocks == 1) {
        w->bytes.swap(m_waiting.front());
    } else {
        w->bytes.reserve(nBytes);
        for (size_t i = 0; i < nBlocks; ++i)
            w->bytes.insert(w->bytes.end(), m_waiting[i].begin(), m_waiting[i].end());
    }
    m_waiting.erase(m_waiting.begin(), m_waiting.begin() + nBlocks);
    DWORD written = 0;
    if (!SerialApi().WriteFile(m_hPort, w->bytes.data(), static_cast<DWORD>(w->bytes.size()), &written, &w->ov)) {
        DWORD error = GetLastError();
        if (error != ERROR_IO_PENDING) {
            m_waiting.clear();
            return error;
        }
    }
    m_pRunning = w.release();
    return 0;
}

int CSerialWriter::Collect(DWORD& dwError)
{
    dwError = 0;
    int nDone = 0;
    while (m_pRunning) {
        DWORD n = 0;
        if (!SerialApi().GetOverlappedResult(m_hPort, &m_pRunning->ov, &n, FALSE)) {
            DWORD error = GetLastError();
            if (error == ERROR_IO_INCOMPLETE)
                return nDone;
            delete m_pRunning;
            m_pRunning = NULL;
            m_waiting.clear();
            dwError = error;
            return nDone;
        }
        nDone += m_pRunning->nBlocks;
        delete m_pRunning;
        m_pRunning = NULL;
        if (!m_waiting.empty()) {
            dwError = StartWaiting();
            if (dwError)
                return nDone;
        }
    }
    return nDone;
}

int CSerialWriter::GetPendingCount() const
{
    return static_cast<int>(m_waiting.size()) + (m_pRunning ? m_pRunning->nBlocks : 0);
}

int CSerialWriter::WaitAll(DWORD dwTimeout, HANDLE hStop, DWORD& dwError)
{
    int nDone = 0;
    dwError = 0;
    DWORD start = GetTickCount();
    for (;;) {
        nDone += Collect(dwError);
        if (dwError || !GetPendingCount())
            return nDone;
        DWORD elapsed = GetTickCount() - start;
        if (elapsed >= dwTimeout)
            return nDone;
        // The shared event may already have been taken by an earlier wait: poll in short steps.
        DWORD step = dwTimeout - elapsed < 20 ? dwTimeout - elapsed : 20;
        if (hStop) {
            HANDLE handles[2] = {hStop, m_hEvent};
            if (WaitForMultipleObjects(2, handles, FALSE, step) == WAIT_OBJECT_0)
                return nDone;
        } else {
            WaitForSingleObject(m_hEvent, step);
        }
    }
}

void CSerialWriter::DropWaiting()
{
    m_waiting.clear();
}

bool CSerialWriter::ReleaseFinished()
{
    DWORD n = 0;
    if (m_pRunning && !SerialApi().GetOverlappedResult(m_hPort, &m_pRunning->ov, &n, FALSE) &&
        GetLastError() == ERROR_IO_INCOMPLETE)
        return false;
    delete m_pRunning;
    m_pRunning = NULL;
    return true;
}

bool CSerialWriter::WaitReleased(DWORD dwTimeout)
{
    m_waiting.clear();
    DWORD start = GetTickCount();
    while (!ReleaseFinished()) {
        if (GetTickCount() - start >= dwTimeout)
            return false;
        Sleep(5);
    }
    return true;
}

bool CSerialWriter::Abandon()
{
    // A write that still runs stays allocated: the system may yet read its bytes and fill its
    // record. Blocks that never got their turn are the writer's own.
    m_waiting.clear();
    bool bReleased = ReleaseFinished();
    m_pRunning = NULL;
    return bReleased;
}
