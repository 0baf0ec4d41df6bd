// The channel buffer: order, flags, copies, empty entries and the trigger event.
#include "channelbuffer.h"
#include "connectionparts.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace {

COleSafeArray Buffer(const std::vector<BYTE>& bytes)
{
    return ByteBufferOf(bytes);
}

} // namespace

TEST(ChannelBuffer, PopsInPushOrderWithFlagsAndKeepsCopies)
{
    CChannelBuffer buffer(3, 0, 4);
    EXPECT_EQ(3, buffer.m_nCommType);
    EXPECT_EQ(4, buffer.m_nComIndex);
    EXPECT_EQ(0, buffer.m_nLastFlag);

    COleSafeArray a = Buffer({0x41});
    EXPECT_TRUE(buffer.Push(a, 1));
    EXPECT_TRUE(buffer.Push(Buffer({0x42, 0x43}), 0));
    // Changing A after the push leaves the queued copy alone.
    BYTE* p = nullptr;
    a.AccessData(reinterpret_cast<void**>(&p));
    p[0] = 0x5A;
    a.UnaccessData();
    EXPECT_EQ(2, buffer.GetCount());

    COleSafeArray out;
    ASSERT_TRUE(buffer.PopNext(out));
    EXPECT_EQ(std::vector<BYTE>({0x41}), BytesOf(out));
    EXPECT_EQ(1, buffer.m_nLastFlag);
    // Changing what was popped does not reach the next entry either.
    out.AccessData(reinterpret_cast<void**>(&p));
    p[0] = 0;
    out.UnaccessData();
    EXPECT_EQ(std::vector<BYTE>({0x42, 0x43}), BytesOf(buffer.Pop()));
    EXPECT_EQ(0, buffer.m_nLastFlag);
    EXPECT_EQ(0, buffer.GetCount());
}

TEST(ChannelBuffer, EmptyEntryIsToldFromEmptyQueue)
{
    CChannelBuffer buffer(3, 0, 0);
    COleSafeArray out = Buffer({1, 2});
    EXPECT_FALSE(buffer.PopNext(out));
    EXPECT_EQ(2u, out.GetOneDimSize()) << "nothing queued leaves the target alone";
    EXPECT_EQ(0u, buffer.Pop().GetOneDimSize());

    buffer.Push(Buffer({}), 1);
    EXPECT_EQ(1, buffer.GetCount());
    ASSERT_TRUE(buffer.PopNext(out));
    EXPECT_EQ(0u, out.GetOneDimSize());
    EXPECT_EQ(1, buffer.m_nLastFlag);
    EXPECT_FALSE(buffer.PopNext(out));
}

TEST(ChannelBuffer, TwoSignalsBeforeTheWaiterRunsWakeItOnce)
{
    CChannelBuffer buffer(3, 0, 0);
    buffer.m_strEventName.Format("KorvaneTestTrigger%08lX", static_cast<unsigned long>(GetTickCount()));
    HANDLE trigger = CreateEventA(nullptr, FALSE, FALSE, buffer.m_strEventName);
    ASSERT_NE(nullptr, trigger);
    buffer.Push(Buffer({1}), 0);
    buffer.Signal();
    buffer.Push(Buffer({2}), 0);
    buffer.Signal();
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(trigger, 0));
    EXPECT_EQ(static_cast<DWORD>(WAIT_TIMEOUT), WaitForSingleObject(trigger, 0));
    // One wake drains both, oldest first.
    EXPECT_EQ(std::vector<BYTE>({1}), BytesOf(buffer.Pop()));
    EXPECT_EQ(std::vector<BYTE>({2}), BytesOf(buffer.Pop()));
    CloseHandle(trigger);
}

// The trigger's handle is kept between signals, but only for an event a connection holds, only
// for the name it was opened by, and only while the buffer lives.
TEST(ChannelBuffer, SignalSetsTheNamedEventAndKeepsNoEventAlive)
{
    CString first, second;
    first.Format("KorvaneTestKeptTrigger%08lX", static_cast<unsigned long>(GetTickCount()));
    second = first + "B";
    auto exists = [](const CString& name) {
        HANDLE h = CreateEventA(nullptr, FALSE, FALSE, name);
        const bool existed = GetLastError() == ERROR_ALREADY_EXISTS;
        CloseHandle(h);
        return existed;
    };
    {
        CChannelBuffer buffer(3, 0, 0);
        buffer.m_strEventName = first;
        // Nobody holds the event yet: the signal goes with it.
        buffer.Signal();
        EXPECT_FALSE(exists(first));

        HANDLE a = CreateEventA(nullptr, FALSE, FALSE, first);
        ASSERT_NE(nullptr, a);
        for (int i = 0; i < 3; ++i) {
            buffer.Signal();
            EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(a, 0)) << "signal " << i;
        }

        HANDLE b = CreateEventA(nullptr, FALSE, FALSE, second);
        buffer.m_strEventName = second;
        buffer.Signal();
        EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(b, 0));
        EXPECT_EQ(static_cast<DWORD>(WAIT_TIMEOUT), WaitForSingleObject(a, 0));
        CloseHandle(a);
        CloseHandle(b);
    }
    EXPECT_FALSE(exists(first)) << "the destroyed buffer still held the trigger";
    EXPECT_FALSE(exists(second));
}

TEST(ChannelBuffer, OneThreadPushesWhileAnotherPops)
{
    CChannelBuffer buffer(3, 0, 0);
    const int kCount = 5000;
    std::thread pusher([&] {
        for (int i = 0; i < kCount; ++i)
            buffer.Push(Buffer({static_cast<BYTE>(i), static_cast<BYTE>(i >> 8)}), i & 1);
    });
    int next = 0;
    bool inOrder = true;
    COleSafeArray out;
    while (next < kCount) {
        if (!buffer.PopNext(out))
            continue;
        std::vector<BYTE> bytes = BytesOf(out);
        inOrder = inOrder && bytes.size() == 2 && (bytes[0] | (bytes[1] << 8)) == next &&
                  buffer.m_nLastFlag == (next & 1);
        ++next;
    }
    pusher.join();
    EXPECT_TRUE(inOrder);
    EXPECT_EQ(0, buffer.GetCount());
}
