// The slider button in a bar: the groove of a slider without arrows, a press on a new slider,
// and the tracking loop driven by real input from a second thread while the loop runs: the
// repeat while an arrow is held, the thumb drag, the end of the loop, and a slider taken out
// of its bar during the loop.
#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <thread>

#include "barsliderbutton.h"
#include "extra_buttons_support.h"

using namespace tbtest;

namespace {

using namespace SliderMath;

CPoint CentreOf(const RECT& rc)
{
    return CPoint((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
}

// Notes whether the bar still held the capture and the loop's timer when a press returned.
class ProbeSlider : public CUiBarSliderButton {
public:
    ProbeSlider(CUiToolControlBar* pBar, UINT nCmdID, DWORD dwStyle) : CUiBarSliderButton(pBar, nCmdID, dwStyle) {}
    void OnClick(CPoint point, bool bDown) override
    {
        CUiToolControlBar* pBar = m_pBar;
        CUiBarSliderButton::OnClick(point, bDown);
        if (!bDown)
            return;
        ++nPresses;
        bCaptureAfterPress = ::GetCapture() == pBar->GetSafeHwnd();
        bTimerAfterPress = ::KillTimer(pBar->GetSafeHwnd(), kRepeatTimer) != FALSE;
    }
    int nPresses = 0;
    bool bCaptureAfterPress = true;
    bool bTimerAfterPress = true;
};

// Takes the slider out of its bar's array, as a rebuild of the bar would, keeping the object.
class Remover : public CWnd {
public:
    Remover() { CreateEx(0, AfxRegisterWndClass(0), "remover", WS_POPUP, CRect(0, 0, 1, 1), nullptr, 0); }
    ~Remover() override { DestroyWindow(); }
    CUiToolControlBar* pBar = nullptr;
    CUiBarSliderButton* pSlider = nullptr;
    UINT nPosAtRemoval = 0;
    bool bRemoved = false;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_APP) {
            const int nIndex = pSlider->IndexInBar();
            pBar->m_arrButtons.RemoveAt(nIndex);
            pBar->m_nPressedIndex = pBar->m_nHotIndex = pBar->m_nMenuTrackingIndex = -1;
            nPosAtRemoval = pSlider->GetScrollPos();
            bRemoved = true;
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

class BarSliderButton : public ToolBarFixture {
protected:
    ProbeSlider* MakeSlider(UINT nTotal, UINT nPage, UINT nArrows)
    {
        pBar = MakeBar({kOpen, kSave});
        ProbeSlider* pSlider = PutButton<ProbeSlider>(pFrame, pBar, 1, kSave);
        pSlider->SetScrollTotal(nTotal);
        pSlider->SetScrollPageSize(nPage);
        pSlider->SetScrollButtonExtentH(nArrows);
        pBar->CalcButtonLayout();
        pBar->Invalidate();
        winharness::PumpPending();
        return pSlider;
    }
    CPoint OnScreen(const RECT& rc)
    {
        CPoint pt = CentreOf(rc);
        pBar->ClientToScreen(&pt);
        return pt;
    }
    // Runs the input script on a second thread while this thread pumps (and runs the loop).
    void Drive(const std::function<void()>& script)
    {
        std::atomic<bool> bDone(false);
        std::thread input([&] {
            script();
            bDone = true;
        });
        winharness::PumpUntil([&] { return bDone.load(); }, 60000);
        input.join();
        winharness::PumpFor(100);
    }
    CUiToolControlBar* pBar = nullptr;
};

TEST_F(BarSliderButton, WithoutArrowsTheTrackIsAGroove)
{
    ProbeSlider* pSlider = MakeSlider(100, 0, 0);
    CRect rcClient;
    pBar->GetClientRect(&rcClient);
    winharness::DibSurface surface(rcClient.Width(), rcClient.Height());
    pSlider->Paint(*surface.cdc(), true);
    const RECT rcTrack = pSlider->GetPartRect(kTrack);
    const int yMid = rcTrack.top + (rcTrack.bottom - rcTrack.top) / 2;
    const COLORREF clrGroove = ::GetSysColor(COLOR_3DDKSHADOW);
    EXPECT_EQ(clrGroove, surface.Pixel(rcTrack.right - 2, yMid - 1));
    EXPECT_EQ(clrGroove, surface.Pixel(rcTrack.right - 2, yMid + 1));
    EXPECT_NE(clrGroove, surface.Pixel(rcTrack.right - 2, yMid));
    EXPECT_NE(clrGroove, surface.Pixel(rcTrack.right - 2, rcTrack.top + 1));

    // With arrows the track is filled instead.
    pSlider->SetScrollButtonExtentH(10);
    surface.Fill(RGB(255, 255, 255));
    pSlider->Paint(*surface.cdc(), true);
    const RECT rcTrack2 = pSlider->GetPartRect(kTrack);
    EXPECT_EQ(surface.Pixel(rcTrack2.right - 2, rcTrack2.top + 1), surface.Pixel(rcTrack2.right - 2, yMid - 1));
}

TEST_F(BarSliderButton, APressOnANewSliderOnlyRedraws)
{
    ProbeSlider* pSlider = MakeSlider(0, 0, 0);
    Mouse(pBar, WM_LBUTTONDOWN, CentreOf(pSlider->GetPartRect(kScrollArea)), MK_LBUTTON);
    EXPECT_EQ(-1, pSlider->m_nPressedPart);
    EXPECT_EQ(0u, pSlider->GetScrollPos());
    EXPECT_EQ(1, pSlider->nPresses);
    EXPECT_FALSE(pSlider->bTimerAfterPress);
    Mouse(pBar, WM_LBUTTONUP, CentreOf(pSlider->GetPartRect(kScrollArea)));
}

TEST_F(BarSliderButton, HoldingTheIncrementArrowRepeatsOnlyOverTheArrow)
{
    ProbeSlider* pSlider = MakeSlider(100, 0, 10);
    const CPoint ptArrow = OnScreen(pSlider->GetPartRect(kIncrement));
    const CPoint ptLabel = OnScreen(pSlider->GetPartRect(kLabel));
    UINT nAtLeave = 0;
    DWORD dwHeld = 0;
    Drive([&] {
        RealMove(ptArrow);
        ::Sleep(50);
        const DWORD dwPress = ::GetTickCount();
        RealButton(true);
        // Held over the arrow until it has stepped a few times, however slowly the loop runs.
        for (const DWORD dwStart = ::GetTickCount(); pSlider->GetScrollPos() < 4 && ::GetTickCount() - dwStart < 30000;)
            ::Sleep(5);
        nAtLeave = pSlider->GetScrollPos();
        dwHeld = ::GetTickCount() - dwPress;
        RealMove(ptLabel);
        ::Sleep(700);
        RealButton(false);
    });
    // No faster than a step per 50 ms over the arrow; none over the label once the loop took the
    // move there (input comes before the repeat timer: one step under way at most).
    EXPECT_GE(nAtLeave, 4u);
    EXPECT_LE(nAtLeave, dwHeld / 50 + 2);
    EXPECT_LE(pSlider->GetScrollPos(), nAtLeave + 1);
    ASSERT_EQ(1, pSlider->nPresses);
    EXPECT_FALSE(pSlider->bTimerAfterPress);
    EXPECT_FALSE(pSlider->bCaptureAfterPress);
    EXPECT_EQ(-1, pSlider->m_nPressedPart);

    // The position stops at the range.
    pSlider->SetScrollTotal(3);
    pSlider->SetScrollPos(0);
    Drive([&] {
        RealMove(ptArrow);
        ::Sleep(50);
        RealButton(true);
        for (const DWORD dwStart = ::GetTickCount(); pSlider->GetScrollPos() < 3 && ::GetTickCount() - dwStart < 30000;)
            ::Sleep(5);
        // A few more periods held at the end of the range.
        ::Sleep(250);
        RealButton(false);
    });
    EXPECT_EQ(3u, pSlider->GetScrollPos());
}

TEST_F(BarSliderButton, DraggingTheThumbByHalfTheFreeTrackMovesHalfTheRange)
{
    ProbeSlider* pSlider = MakeSlider(100, 0, 10);
    const RECT rcTrack = pSlider->GetPartRect(kTrack);
    const RECT rcThumb = pSlider->GetPartRect(kThumb);
    const int nFree = (rcTrack.right - rcTrack.left) - (rcThumb.right - rcThumb.left);
    ASSERT_EQ(20, nFree);
    const CPoint ptThumb = OnScreen(rcThumb);
    // The move and the release are taken late, together, as on a busy machine: the thread that
    // runs the loop is held while they are made.
    HANDLE hLoopThread = ::OpenThread(THREAD_SUSPEND_RESUME, FALSE, ::GetCurrentThreadId());
    ASSERT_NE(nullptr, hLoopThread);
    Drive([&] {
        RealMove(ptThumb);
        ::Sleep(50);
        RealButton(true);
        ::Sleep(150);
        ::SuspendThread(hLoopThread);
        RealMove(ptThumb + CPoint(nFree / 2, 0));
        RealButton(false);
        ::Sleep(300);   // how long the busy machine holds it
        ::ResumeThread(hLoopThread);
    });
    ::CloseHandle(hLoopThread);
    EXPECT_EQ(50u, pSlider->GetScrollPos());
    EXPECT_EQ(rcThumb.left + nFree / 2, pSlider->GetPartRect(kThumb).left);
    EXPECT_FALSE(pSlider->bCaptureAfterPress);
}

TEST_F(BarSliderButton, ASliderTakenOutOfItsBarDuringTheLoopIsLeftAlone)
{
    ProbeSlider* pSlider = MakeSlider(1000, 0, 10);
    Remover remover;
    remover.pBar = pBar;
    remover.pSlider = pSlider;
    const CPoint ptArrow = OnScreen(pSlider->GetPartRect(kIncrement));
    const HWND hRemover = remover.GetSafeHwnd();
    Drive([&] {
        RealMove(ptArrow);
        ::Sleep(50);
        RealButton(true);
        // Taken out once the loop has stepped.
        for (const DWORD dwStart = ::GetTickCount(); pSlider->GetScrollPos() == 0 && ::GetTickCount() - dwStart < 30000;)
            ::Sleep(5);
        ::PostMessageA(hRemover, WM_APP, 0, 0);
        ::Sleep(300);
        RealButton(false);
    });
    ASSERT_TRUE(remover.bRemoved);
    EXPECT_GT(remover.nPosAtRemoval, 0u);
    EXPECT_EQ(remover.nPosAtRemoval, pSlider->GetScrollPos());
    // The loop's end did not reach the button: its pressed part is as the loop left it.
    EXPECT_EQ((int)kIncrement, pSlider->m_nPressedPart);
    ASSERT_EQ(1, pSlider->nPresses);
    EXPECT_FALSE(pSlider->bTimerAfterPress);
    EXPECT_FALSE(pSlider->bCaptureAfterPress);
    delete pSlider;
}

} // namespace
