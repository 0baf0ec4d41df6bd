#include "soundplayer.h"

#include <mmsystem.h>

#include <cstring>

IMPLEMENT_DYNCREATE(CUiSoundPlayer, CObject)

namespace {

const DWORD kPopupSoundFlags = SND_ALIAS | SND_NOWAIT | SND_NODEFAULT | SND_ASYNC;
const DWORD kCommandSoundFlags = SND_ALIAS | SND_NOWAIT | SND_NODEFAULT;

// Lives on the requesting thread's stack until the sound thread signalled hStarted.
struct SoundRequest {
    HANDLE* phStarted;
    char szAlias[1024];
    HMODULE hModule;
    DWORD dwFlags;
    HANDLE hThread;
    DWORD dwThreadId;
};

class SoundShared
{
public:
    SoundShared()
    {
        // The name is the system's own, so it is shared by every instance on the machine.
        m_hIdle = ::CreateEventA(NULL, FALSE, TRUE, "CUiSoundPlayer__InternalSoundThredadParms_t");
        ::InitializeCriticalSection(&m_lock);
    }
    ~SoundShared()
    {
        ::DeleteCriticalSection(&m_lock);
        if (m_hIdle != NULL)
            ::CloseHandle(m_hIdle);
    }
    HANDLE m_hIdle;
    CRITICAL_SECTION m_lock;
};

SoundShared& Shared()
{
    static SoundShared shared;
    return shared;
}

CUiSoundSystem*& InstalledSystem()
{
    static CUiSoundSystem* pSystem = NULL;
    return pSystem;
}

DWORD WINAPI SoundThread(LPVOID pParam)
{
    SoundRequest* pRequest = static_cast<SoundRequest*>(pParam);
    char szAlias[1024];
    std::memcpy(szAlias, pRequest->szAlias, sizeof(szAlias));
    const HMODULE hModule = pRequest->hModule;
    const DWORD dwFlags = pRequest->dwFlags;
    ::SetEvent(*pRequest->phStarted);
    CUiSoundSystem::GetCurrent()->PlaySound(szAlias, hModule, dwFlags);
    ::SetEvent(Shared().m_hIdle);
    return 0;
}

void StartRequest(LPCSTR lpszAlias, DWORD dwFlags)
{
    SoundShared& shared = Shared();
    ::EnterCriticalSection(&shared.m_lock);
    if (shared.m_hIdle != NULL && ::WaitForSingleObject(shared.m_hIdle, 0) == WAIT_OBJECT_0) {
        SoundRequest request = {};
        std::strncpy(request.szAlias, lpszAlias, sizeof(request.szAlias) - 1);
        request.hModule = NULL;
        request.dwFlags = dwFlags;
        HANDLE hStarted = ::CreateEventA(NULL, TRUE, FALSE, NULL);
        request.phStarted = &hStarted;
        if (hStarted != NULL)
            request.hThread =
                CUiSoundSystem::GetCurrent()->CreateSuspendedThread(SoundThread, &request, &request.dwThreadId);
        if (request.hThread == NULL) {
            ::SetEvent(shared.m_hIdle);
        } else {
            ::SetThreadPriority(request.hThread, THREAD_PRIORITY_BELOW_NORMAL);
            ::ResumeThread(request.hThread);
            ::WaitForSingleObject(hStarted, INFINITE);
            ::CloseHandle(request.hThread);
        }
        if (hStarted != NULL)
            ::CloseHandle(hStarted);
    }
    ::LeaveCriticalSection(&shared.m_lock);
}

} // namespace

CUiSoundSystem::~CUiSoundSystem()
{
}

BOOL CUiSoundSystem::PlaySound(LPCSTR lpszAlias, HMODULE hModule, DWORD dwFlags)
{
    return ::PlaySoundA(lpszAlias, hModule, dwFlags);
}

HANDLE CUiSoundSystem::CreateSuspendedThread(LPTHREAD_START_ROUTINE pfnStart, LPVOID pParam, DWORD* pdwThreadId)
{
    return ::CreateThread(NULL, 0, pfnStart, pParam, CREATE_SUSPENDED, pdwThreadId);
}

CUiSoundSystem* CUiSoundSystem::GetCurrent()
{
    static CUiSoundSystem real;
    CUiSoundSystem* pSystem = InstalledSystem();
    return pSystem != NULL ? pSystem : &real;
}

void CUiSoundSystem::Install(CUiSoundSystem* pSystem)
{
    InstalledSystem() = pSystem;
}

CUiSoundPlayer::CUiSoundPlayer()
{
}

CUiSoundPlayer::~CUiSoundPlayer()
{
}

void CUiSoundPlayer::Serialize(CArchive&)
{
}

void CUiSoundPlayer::PlayUiSound(int nEvent)
{
    switch (nEvent) {
    case kMenuPopup:
    case kMenuPopupAnimated:
        StartRequest("MenuPopup", kPopupSoundFlags);
        break;
    case kMenuCommand:
        StartRequest("MenuCommand", kCommandSoundFlags);
        break;
    default:
        break;
    }
}

CUiSoundPlayer* SoundPlayerHolder::GetStoredHandle()
{
    static CUiSoundPlayer player;
    return &player;
}
