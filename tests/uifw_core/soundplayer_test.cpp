// The menu sound player with a fake sound call that blocks until the test lets it go, so
// the "one sound at a time" rule can be watched while a sound is playing.
#include <gtest/gtest.h>

#include "soundplayer.h"

#include <mutex>
#include <string>
#include <vector>

namespace {

class FakeSoundSystem : public CUiSoundSystem
{
public:
    FakeSoundSystem() : release(::CreateEventA(NULL, TRUE, TRUE, NULL)) {}
    ~FakeSoundSystem() override
    {
        for (HANDLE h : threads)
            ::CloseHandle(h);
        ::CloseHandle(release);
    }

    BOOL PlaySound(LPCSTR lpszAlias, HMODULE, DWORD dwFlags) override
    {
        {
            std::lock_guard<std::mutex> lock(mutex);
            played.push_back({lpszAlias, dwFlags});
        }
        ::WaitForSingleObject(release, 5000);
        return TRUE;
    }
    HANDLE CreateSuspendedThread(LPTHREAD_START_ROUTINE pfnStart, LPVOID pParam, DWORD* pdwThreadId) override
    {
        ++starts;
        if (failStart)
            return NULL;
        HANDLE hThread = CUiSoundSystem::CreateSuspendedThread(pfnStart, pParam, pdwThreadId);
        HANDLE hOwn = NULL;
        ::DuplicateHandle(::GetCurrentProcess(), hThread, ::GetCurrentProcess(), &hOwn, SYNCHRONIZE, FALSE, 0);
        threads.push_back(hOwn);
        return hThread;
    }

    size_t PlayedCount()
    {
        std::lock_guard<std::mutex> lock(mutex);
        return played.size();
    }
    bool WaitPlayed(size_t n)
    {
        for (int i = 0; i < 3000 && PlayedCount() < n; i++)
            ::Sleep(10);
        return PlayedCount() >= n;
    }
    bool WaitThreadsEnded()
    {
        for (HANDLE h : threads)
            if (::WaitForSingleObject(h, 30000) != WAIT_OBJECT_0)
                return false;
        return true;
    }

    HANDLE release;
    std::mutex mutex;
    std::vector<std::pair<std::string, DWORD>> played;
    std::vector<HANDLE> threads;
    int starts = 0;
    bool failStart = false;
};

class SoundPlayerTest : public ::testing::Test
{
protected:
    SoundPlayerTest() { CUiSoundSystem::Install(&fake); }
    ~SoundPlayerTest() override
    {
        ::SetEvent(fake.release);
        fake.WaitThreadsEnded();
        CUiSoundSystem::Install(NULL);
    }

    CUiSoundPlayer* player = SoundPlayerHolder::GetStoredHandle();
    FakeSoundSystem fake;
};

TEST_F(SoundPlayerTest, OnlyMenuEventsStartAThread)
{
    ASSERT_NE(nullptr, player);
    EXPECT_EQ(player, SoundPlayerHolder::GetStoredHandle());
    EXPECT_TRUE(player->IsKindOf(RUNTIME_CLASS(CUiSoundPlayer)));
    player->PlayUiSound(0);
    player->PlayUiSound(4);
    player->PlayUiSound(-1);
    EXPECT_EQ(0, fake.starts);

    player->PlayUiSound(1);
    ASSERT_TRUE(fake.WaitThreadsEnded());
    player->PlayUiSound(2);
    ASSERT_TRUE(fake.WaitThreadsEnded());
    ASSERT_EQ(2u, fake.PlayedCount());
    EXPECT_EQ("MenuPopup", fake.played[0].first);
    EXPECT_EQ(0x00012003u, fake.played[0].second);
    EXPECT_EQ("MenuPopup", fake.played[1].first);
    EXPECT_EQ(0x00012003u, fake.played[1].second);
}

TEST_F(SoundPlayerTest, ARequestWhileASoundPlaysIsDroppedAndTheNextAfterItPlays)
{
    ::ResetEvent(fake.release);
    player->PlayUiSound(3);
    ASSERT_TRUE(fake.WaitPlayed(1));
    player->PlayUiSound(3);
    player->PlayUiSound(1);
    EXPECT_EQ(1, fake.starts);

    ::SetEvent(fake.release);
    ASSERT_TRUE(fake.WaitThreadsEnded());
    player->PlayUiSound(3);
    ASSERT_TRUE(fake.WaitThreadsEnded());
    EXPECT_EQ(2, fake.starts);
    ASSERT_EQ(2u, fake.PlayedCount());
    EXPECT_EQ("MenuCommand", fake.played[1].first);
    EXPECT_EQ(0x00012002u, fake.played[1].second);
}

TEST_F(SoundPlayerTest, AThreadThatCannotStartLeavesThePlayerIdle)
{
    fake.failStart = true;
    player->PlayUiSound(3);
    EXPECT_EQ(1, fake.starts);
    fake.failStart = false;
    player->PlayUiSound(3);
    ASSERT_TRUE(fake.WaitThreadsEnded());
    EXPECT_EQ(2, fake.starts);
    EXPECT_EQ(1u, fake.PlayedCount());
}

} // namespace
