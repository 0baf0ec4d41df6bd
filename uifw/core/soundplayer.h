// Menu sounds: a popup that opens or a command that is chosen plays the user's system sound
// for it on a short-lived thread, so the interface never waits for a sound. One sound at a
// time: a request that comes while a sound thread runs is dropped. The idle state is a
// named auto-reset event, signalled while no sound thread runs; the test that starts a
// request consumes the signal, and the sound thread gives it back when its sound ended.
//
// The sound call and the thread start go through CUiSoundSystem, which tests replace.
#pragma once

#include "afxwin.h"

class CUiSoundSystem
{
public:
    virtual ~CUiSoundSystem();
    virtual BOOL PlaySound(LPCSTR lpszAlias, HMODULE hModule, DWORD dwFlags);
    // A suspended thread, or NULL.
    virtual HANDLE CreateSuspendedThread(LPTHREAD_START_ROUTINE pfnStart, LPVOID pParam, DWORD* pdwThreadId);

    // The system in use (the real calls unless a test installed its own).
    static CUiSoundSystem* GetCurrent();
    // Installs pSystem (NULL: the real one again); the caller keeps ownership.
    static void Install(CUiSoundSystem* pSystem);
};

class CUiSoundPlayer : public CObject
{
    DECLARE_DYNCREATE(CUiSoundPlayer)
public:
    enum {
        kNoSound = 0,
        kMenuPopup = 1,
        kMenuPopupAnimated = 2,
        kMenuCommand = 3,
    };

    CUiSoundPlayer();
    virtual ~CUiSoundPlayer();
    virtual void Serialize(CArchive& ar);
    virtual void PlayUiSound(int nEvent);
};

class SoundPlayerHolder
{
public:
    static CUiSoundPlayer* GetStoredHandle();
};
