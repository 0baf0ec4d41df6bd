#include "serialwriter.h"

#include "serialapi.h"

CSerialWriter::CSerialWriter() : m_hPort(INVALID_HANDLE_VALUE), m_hEvent(NULL)
{
}

CSerialWriter::~CSerialWriter()
{
    for (PendingWrite* w : m_writes)
        delete w;
}

void CSerialWriter::Attach(HANDLE hPort, HANDLE hEvent)
{
    m_hPort = hPort;
    m_hEvent = hEvent;
}

DWORD CSerialWriter::Write(const void* pData, int nLength)
{
    PendingWrite* w = new PendingWrite;
    ZeroMemory(&w->ov, sizeof(w->ov));
    w->ov.hEvent = m_hEvent;
    w->bStarted = false;
    const BYTE* p = static_cast<const BYTE*>(pData);
    w->bytes.assign(p, p + nLength);
    m_writes.push_back(w);
    return m_writes.size() == 1 ? StartOldest() : 0;
}

DWORD CSerialWriter::StartOldest()
{
    PendingWrite* w = m_writes.front();
    DWORD written = 0;
    if (!SerialApi().WriteFile(m_hPort, w->bytes.data(), static_cast<DWORD>(w->bytes.size()), &written, &w->ov)) {
        DWORD error = GetLastError();
        if (error != ERROR_IO_PENDING) {
            DropAll();
            return error;
        }
    }
    w->bStarted = true;
    return 0;
}

int CSerialWriter::Collect(DWORD& dwError)
{
    dwError = 0;
    int nDone = 0;
    while (!m_writes.empty()) {
        PendingWrite* w = m_writes.front();
        if (!w->bStarted) {
            dwError = StartOldest();
            if (dwError)
                return nDone;
            continue;
        }
        DWORD n = 0;
        if (!SerialApi().GetOverlappedResult(m_hPort, &w->ov, &n, FALSE)) {
            DWORD error = GetLastError();
            if (error == ERROR_IO_INCOMPLETE)
                return nDone;
            DropAll();
            dwError = error;
            return nDone;
        }
        ++nDone;
        delete w;
        m_writes.pop_front();
    }
    return nDone;
}

void CSerialWriter::DropAll()
{
    for (PendingWrite* w : m_writes)
        delete w;
    m_writes.clear();
}

int CSerialWriter::WaitAll(DWORD dwTimeout, HANDLE hStop, DWORD& dwError)
{
    int nDone = 0;
    dwError = 0;
    DWORD start = GetTickCount();
    for (;;) {
        nDone += Collect(dwError);
        if (dwError || m_writes.empty())
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

bool CSerialWriter::WaitReleased(DWORD dwTimeout)
{
    DWORD start = GetTickCount();
    for (;;) {
        for (auto it = m_writes.begin(); it != m_writes.end();) {
            DWORD n = 0;
            if (!(*it)->bStarted || SerialApi().GetOverlappedResult(m_hPort, &(*it)->ov, &n, FALSE) ||
                GetLastError() != ERROR_IO_INCOMPLETE) {
                delete *it;
                it = m_writes.erase(it);
            } else {
                ++it;
            }
        }
        if (m_writes.empty() || GetTickCount() - start >= dwTimeout)
            return m_writes.empty();
        Sleep(5);
    }
}

bool CSerialWriter::Abandon()
{
    // Whatever still runs stays allocated: the system may yet read its bytes and fill its
    // record. Writes that never got their turn are the writer's own.
    for (auto it = m_writes.begin(); it != m_writes.end();) {
        if ((*it)->bStarted) {
            ++it;
            continue;
        }
        delete *it;
        it = m_writes.erase(it);
    }
    bool bAllReleased = m_writes.empty();
    m_writes.clear();
    return bAllReleased;
}
