// Synchronisation objects over the kernel's handles and critical sections, and the lock
// helpers that release what they hold when they go out of scope. A kernel object that cannot
// be created throws CResourceException*.
#pragma once
#include "afx.h"

class CSyncObject : public CObject {
    DECLARE_DYNAMIC(CSyncObject)
public:
    explicit CSyncObject(LPCSTR pstrName);
    virtual ~CSyncObject();

    operator HANDLE() const { return m_hObject; }
    HANDLE m_hObject;

    virtual BOOL Lock(DWORD dwTimeout = INFINITE);
    virtual BOOL Unlock() = 0;
    virtual BOOL Unlock(LONG /*lCount*/, LPLONG /*lpPrevCount*/ = NULL) { return TRUE; }
};

class CSemaphore : public CSyncObject {
    DECLARE_DYNAMIC(CSemaphore)
public:
    CSemaphore(LONG lInitialCount = 1, LONG lMaxCount = 1, LPCSTR pstrName = NULL,
               LPSECURITY_ATTRIBUTES lpsaAttributes = NULL);
    virtual ~CSemaphore();
    virtual BOOL Unlock();
    virtual BOOL Unlock(LONG lCount, LPLONG lprevCount = NULL);
};

class CMutex : public CSyncObject {
    DECLARE_DYNAMIC(CMutex)
public:
    CMutex(BOOL bInitiallyOwn = FALSE, LPCSTR lpszName = NULL, LPSECURITY_ATTRIBUTES lpsaAttribute = NULL);
    virtual ~CMutex();
    virtual BOOL Unlock();
};

class CEvent : public CSyncObject {
    DECLARE_DYNAMIC(CEvent)
public:
    CEvent(BOOL bInitiallyOwn = FALSE, BOOL bManualReset = FALSE, LPCSTR lpszName = NULL,
           LPSECURITY_ATTRIBUTES lpsaAttribute = NULL);
    virtual ~CEvent();
    BOOL SetEvent();
    BOOL PulseEvent();
    BOOL ResetEvent();
    virtual BOOL Unlock();
};

class CCriticalSection : public CSyncObject {
    DECLARE_DYNAMIC(CCriticalSection)
public:
    CCriticalSection();
    virtual ~CCriticalSection();

    operator CRITICAL_SECTION*() { return &m_sect; }
    CRITICAL_SECTION m_sect;

    BOOL Lock();
    // A critical section cannot wait with a time-out: any time-out waits until entered.
    virtual BOOL Lock(DWORD dwTimeout);
    virtual BOOL Unlock();
};

class CSingleLock {
public:
    explicit CSingleLock(CSyncObject* pObject, BOOL bInitialLock = FALSE);
    ~CSingleLock();

    BOOL Lock(DWORD dwTimeOut = INFINITE);
    BOOL Unlock();
    BOOL Unlock(LONG lCount, LPLONG lPrevCount = NULL);
    BOOL IsLocked() const { return m_bAcquired; }

protected:
    CSyncObject* m_pObject;
    HANDLE m_hObject;
    BOOL m_bAcquired;

private:
    CSingleLock(const CSingleLock&) = delete;
    CSingleLock& operator=(const CSingleLock&) = delete;
};

class CMultiLock {
public:
    CMultiLock(CSyncObject* ppObjects[], DWORD dwCount, BOOL bInitialLock = FALSE);
    ~CMultiLock();

    // Result as WaitForMultipleObjects / MsgWaitForMultipleObjects gives it.
    DWORD Lock(DWORD dwTimeOut = INFINITE, BOOL bWaitForAll = TRUE, DWORD dwWakeMask = 0);
    BOOL Unlock();
    BOOL Unlock(LONG lCount, LPLONG lPrevCount = NULL);
    BOOL IsLocked(DWORD dwItem);

protected:
    HANDLE m_hPreallocated[8];
    BOOL m_bPreallocated[8];
    CSyncObject* const* m_ppObjectArray;
    HANDLE* m_pHandleArray;
    BOOL* m_bLockedArray;
    DWORD m_dwCount;

private:
    CMultiLock(const CMultiLock&) = delete;
    CMultiLock& operator=(const CMultiLock&) = delete;
};
