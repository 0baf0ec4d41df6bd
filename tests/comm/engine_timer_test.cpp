// Event names of a connection and the period timers.
#include "periodtimer.h"
#include "portsession.h"

#include <gtest/gtest.h>

TEST(ConnectionEventNames, AreBuiltFromTickProcessAndPort)
{
    CString stop = MakeThreadEventName("ThreadStop", 0x1234ABCD, 0x10, 1);
    EXPECT_STREQ("1234ABCD00000010MirtolexThreadStop0001", stop);
    EXPECT_STREQ("1234ABCD00000010MirtolexThreadStop0001_RT0000", MakeTimerEventName(stop, "RT", 0));

    SetStartTickCount(0x00C0FFEE);
    CPortSlot& slot = GetPortSlot(1);
    int saved = slot.m_nPort;
    slot.m_nPort = 1;
    EXPECT_STREQ(MakeThreadEventName("ThreadSend", 0x00C0FFEE, GetCurrentProcessId(), 1),
                 slot.MakeThreadSendEventName());
    CString com;
    com.Format("00C0FFEE%08XMirtolexThreadCom0001", static_cast<unsigned>(GetCurrentProcessId()));
    EXPECT_STREQ(com, slot.MakeThreadComEventName());
    slot.m_nPort = saved;
}

TEST(ConnectionEventNames, DeviceNameReachesPortsAboveNine)
{
    EXPECT_STREQ("\\\\.\\COM1", MakeComDeviceName(0));
    EXPECT_STREQ("\\\\.\\COM13", MakeComDeviceName(12));
}

TEST(LineState, WordCarriesHoldsAndErrors)
{
    COMSTAT stat = {};
    stat.fCtsHold = 1;
    EXPECT_EQ(0x89000000u, LineStateWord(CE_FRAME | CE_BREAK, stat));
    stat = {};
    stat.fDsrHold = 1;
    stat.fRlsdHold = 1;
    EXPECT_EQ(0x66000000u, LineStateWord(CE_OVERRUN | CE_RXPARITY, stat));
    // Only the low byte of the error word counts.
    EXPECT_EQ(0u, LineStateWord(CE_TXFULL | CE_MODE, COMSTAT{}));
}

namespace {

CString UniqueName(const char* what)
{
    static int n = 0;
    CString name;
    name.Format("KorvaneTestTimer_%s_%08lX_%d", what, static_cast<unsigned long>(GetTickCount()), ++n);
    return name;
}

} // namespace

TEST(PeriodTimer, FiresOnEveryPeriodAndNeverAfterItsStop)
{
    CString name = UniqueName("period");
    HANDLE event = CreateEventA(nullptr, FALSE, FALSE, name);
    CPeriodTimer* timer = StartPeriodTimer(name, 30);
    ASSERT_NE(nullptr, timer);
    // Five periods, however slowly the machine runs them, and none of them early.
    int fired = 0;
    const DWORD start = GetTickCount();
    while (fired < 5 && GetTickCount() - start < 30000) {
        if (WaitForSingleObject(event, 1000) == WAIT_OBJECT_0)
            ++fired;
    }
    const DWORD elapsed = GetTickCount() - start;
    StopPeriodTimer(timer);
    EXPECT_EQ(5, fired);
    EXPECT_GE(elapsed, 4u * 30 - 10);
    ResetEvent(event);
    EXPECT_EQ(static_cast<DWORD>(WAIT_TIMEOUT), WaitForSingleObject(event, 150));
    EXPECT_EQ(0, GetLivePeriodTimerCount());
    CloseHandle(event);
}

TEST(PeriodTimer, StopRightAfterStartIsNeverLost)
{
    CString name = UniqueName("burst");
    HANDLE event = CreateEventA(nullptr, FALSE, FALSE, name);
    for (int i = 0; i < 1000; ++i)
        StopPeriodTimer(StartPeriodTimer(name, i % 3));
    // Every stop waited for its thread: none is left, and none was waited for in vain.
    EXPECT_EQ(0, GetLivePeriodTimerCount());
    ResetEvent(event);
    EXPECT_EQ(static_cast<DWORD>(WAIT_TIMEOUT), WaitForSingleObject(event, 50));
    CloseHandle(event);
}

TEST(PeriodTimer, PeriodOfZeroOrLessRunsAsOneMillisecond)
{
    CString name = UniqueName("zero");
    HANDLE event = CreateEventA(nullptr, FALSE, FALSE, name);
    CPeriodTimer* timer = StartPeriodTimer(name, -5);
    ASSERT_NE(nullptr, timer);
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(event, 1000));
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(event, 1000));
    StopPeriodTimer(timer);
    EXPECT_EQ(0, GetLivePeriodTimerCount());
    StopPeriodTimer(nullptr);
    CloseHandle(event);
}
