// Synchronisation objects and locks.
#include "afxmt.h"

IMPLEMENT_DYNAMIC(CSyncObject, CObject)
IMPLEMENT_DYNAMIC(CSemaphore, CSyncObject)
IMPLEMENT_DYNAMIC(CMutex, CSyncObject)
IMPLEMENT_DYNAMIC(CEvent, CSyncObject)
IMPLEMENT_DYNAMIC(CCriticalSection, CSyncObject)

CSyncObject::CSyncObject(LPCSTR) : m_hObject(NULL) {}

CSyncObject::~CSyncObject()
{
    if (m_hObject != NULL) {
        ::CloseHandle(m_hObject);
        m_hObject = NULL;
    }
}

BOOL CSyncObject::Lock(DWORD dwTimeout)
{
    DWORD dwRet = ::WaitForSingleObject(m_hObject, dwTimeout);
    return dwRet == WAIT_OBJECT_0 || dwRet == WAIT_ABANDONED;
}

CSemaphore::CSemaphore(LONG lInitialCount, LONG lMaxCount, LPCSTR pstrName, LPSECURITY_ATTRIBUTES lpsaAttributes)
    : CSyncObject(pstrName)
{
    m_hObject = ::CreateSemaphoreA(lpsaAttributes, lInitialCount, lMaxCount, pstrName);
    if (m_hObject == NULL)
        AfxThrowResourceException();
}

CSemaphore::~CSemaphore() {}

BOOL CSemaphore::Unlock()
{
    return Unlock(1, NULL);
}

BOOL CSemaphore::Unlock(LONG lCount, LPLONG lpPrevCount)
{
    return ::ReleaseSemaphore(m_hObject, lCount, lpPrevCount);
}

CMutex::CMutex(BOOL bInitiallyOwn, LPCSTR pstrName, LPSECURITY_ATTRIBUTES lpsaAttribute) : CSyncObject(pstrName)
{
    m_hObject = ::CreateMutexA(lpsaAttribute, bInitiallyOwn, pstrName);
    if (m_hObject == NULL)
        AfxThrowResourceException();
}

CMutex::~CMutex() {}

BOOL CMutex::Unlock()
{
    return ::ReleaseMutex(m_hObject);
}

CEvent::CEvent(BOOL bInitiallyOwn, BOOL bManualReset, LPCSTR pstrName, LPSECURITY_ATTRIBUTES lpsaAttribute)
    : CSyncObject(pstrName)
{
    m_hObject = ::CreateEventA(lpsaAttribute, bManualReset, bInitiallyOwn, pstrName);
    if (m_hObject == NULL)
        AfxThrowResourceException();
}

CEvent::~CEvent() {}

BOOL CEvent::SetEvent() { return ::SetEvent(m_hObject); }
BOOL CEvent::PulseEvent() { return ::PulseEvent(m_hObject); }
BOOL CEvent::ResetEvent() { return ::ResetEvent(m_hObject); }
BOOL CEvent::Unlock() { return TRUE; }

CCriticalSection::CCriticalSection() : CSyncObject(NULL)
{
    ::InitializeCriticalSection(&m_sect);
}

CCriticalSection::~CCriticalSection()
{
    ::DeleteCriticalSection(&m_sect);
}

BOOL CCriticalSection::Lock()
{
    ::EnterCriticalSection(&m_sect);
    return TRUE;
}

BOOL CCriticalSection::Lock(DWORD)
{
    return Lock();
}

BOOL CCriticalSection::Unlock()
{
    ::LeaveCriticalSection(&m_sect);
    return TRUE;
}

// ---------------------------------------------------------------------------------------

CSingleLock::CSingleLock(CSyncObject* pObject, BOOL bInitialLock)
    : m_pObject(pObject), m_hObject(pObject != NULL ? pObject->m_hObject : NULL), m_bAcquired(FALSE)
{
    if (bInitialLock)
        Lock();
}

CSingleLock::~CSingleLock()
{
    Unlock();
}

BOOL CSingleLock::Lock(DWORD dwTimeOut)
{
    if (m_pObject == NULL || m_bAcquired)
        return m_bAcquired;
    m_bAcquired = m_pObject->Lock(dwTimeOut);
    return m_bAcquired;
}

BOOL CSingleLock::Unlock()
{
    if (m_pObject != NULL && m_bAcquired)
        m_bAcquired = !m_pObject->Unlock();
    return !m_bAcquired;
}

BOOL CSingleLock::Unlock(LONG lCount, LPLONG lPrevCount)
{
    if (m_pObject != NULL && m_bAcquired)
        m_bAcquired = !m_pObject->Unlock(lCount, lPrevCount);
    return !m_bAcquired;
}

// ---------------------------------------------------------------------------------------

CMultiLock::CMultiLock(CSyncObject* ppObjects[], DWORD dwCount, BOOL bInitialLock)
    : m_ppObjectArray(ppObjects), m_pHandleArray(NULL), m_bLockedArray(NULL), m_dwCount(dwCount)
{
    if (dwCount == 0 || dwCount > MAXIMUM_WAIT_OBJECTS)
        AfxThrowInvalidArgException();
    if (dwCount <= _countof(m_hPreallocated)) {
        m_pHandleArray = m_hPreallocated;
        m_bLockedArray = m_bPreallocated;
    } else {
        m_pHandleArray = new HANDLE[dwCount];
        m_bLockedArray = new BOOL[dwCount];
    }
    for (DWORD i = 0; i < dwCount; i++) {
        m_pHandleArray[i] = ppObjects[i]->m_hObject;
        m_bLockedArray[i] = FALSE;
    }
    if (bInitialLock)
        Lock();
}

CMultiLock::~CMultiLock()
{
    Unlock();
    if (m_pHandleArray != m_hPreallocated) {
        delete[] m_pHandleArray;
        delete[] m_bLockedArray;
    }
}

DWORD CMultiLock::Lock(DWORD dwTimeOut, BOOL bWaitForAll, DWORD dwWakeMask)
{
    DWORD dwResult;
    if (dwWakeMask == 0)
        dwResult = ::WaitForMultipleObjects(m_dwCount, m_pHandleArray, bWaitForAll, dwTimeOut);
    else
        dwResult = ::MsgWaitForMultipleObjects(m_dwCount, m_pHandleArray, bWaitForAll, dwTimeOut, dwWakeMask);

    DWORD dwUpperBound = WAIT_OBJECT_0 + m_dwCount;
    if (dwResult >= WAIT_OBJECT_0 && dwResult < dwUpperBound) {
        if (bWaitForAll)
            for (DWORD i = 0; i < m_dwCount; i++)
                m_bLockedArray[i] = TRUE;
        else
            m_bLockedArray[dwResult - WAIT_OBJECT_0] = TRUE;
    } else if (dwResult >= WAIT_ABANDONED_0 && dwResult < WAIT_ABANDONED_0 + m_dwCount) {
        m_bLockedArray[dwResult - WAIT_ABANDONED_0] = TRUE;
    }
    return dwResult;
}

BOOL CMultiLock::Unlock()
{
    for (DWORD i = 0; i < m_dwCount; i++)
        if (m_bLockedArray[i])
            m_bLockedArray[i] = !m_ppObjectArray[i]->Unlock();
    return TRUE;
}

BOOL CMultiLock::Unlock(LONG lCount, LPLONG lPrevCount)
{
    BOOL bGotOne = FALSE;
    for (DWORD i = 0; i < m_dwCount; i++) {
        if (m_bLockedArray[i]) {
            CSemaphore* pSemaphore = (CSemaphore*)AfxDynamicDownCast(RUNTIME_CLASS(CSemaphore), m_ppObjectArray[i]);
            if (pSemaphore != NULL) {
                bGotOne = TRUE;
                m_bLockedArray[i] = !m_ppObjectArray[i]->Unlock(lCount, lPrevCount);
            }
        }
    }
    return bGotOne;
}

BOOL CMultiLock::IsLocked(DWORD dwObject)
{
    return dwObject < m_dwCount && m_bLockedArray[dwObject];
}
