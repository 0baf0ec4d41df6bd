// A connection of port 1 or 2 run for real on a thread of its own, against a recording window
// that stands in for the main frame. Which device answers is the deriving fixture's choice:
// the scripted device behind the serial seam, or a real port.
#pragma once

#include "appaccess.h"
#include "channelbuffer.h"
#include "connectionparts.h"
#include "currentcommset.h"
#include "portsession.h"
#include "recorderwindow.h"

#include <gtest/gtest.h>

#include <mutex>
#include <string>
#include <vector>

inline COleSafeArray Bytes(const std::vector<BYTE>& bytes)
{
    COleSafeArray data;
    data.CreateOneDim(VT_UI1, static_cast<DWORD>(bytes.size()), bytes.empty() ? nullptr : bytes.data());
    return data;
}

// The send data editor as the connection loops see it.
class TestEditor : public IAppAccessors
{
public:
    std::vector<BYTE> bytes;
    COleSafeArray GetSendEditorData() override { return Bytes(bytes); }
};

// The application as the connection threads see it. The real shell answers on its main
// thread; here a lock does, since the test reads what the connection thread wrote.
class TestApp : public IAppAccessors
{
public:
    COleSafeArray GetSendEditorData() override
    {
        std::lock_guard<std::mutex> hold(m_lock);
        return Bytes(m_editor);
    }
    void SetSendEditorData(const COleSafeArray& data) override
    {
        std::lock_guard<std::mutex> hold(m_lock);
        m_editor = BytesOf(data);
        ++m_editorWrites;
    }
    COleSafeArray GetScriptText(int nPort) override
    {
        std::lock_guard<std::mutex> hold(m_lock);
        const std::string& text = m_script[nPort == 1 ? 1 : 0];
        return Bytes(std::vector<BYTE>(text.begin(), text.end()));
    }

    void SetEditor(const std::vector<BYTE>& bytes)
    {
        std::lock_guard<std::mutex> hold(m_lock);
        m_editor = bytes;
    }
    std::vector<BYTE> Editor()
    {
        std::lock_guard<std::mutex> hold(m_lock);
        return m_editor;
    }
    int EditorWrites()
    {
        std::lock_guard<std::mutex> hold(m_lock);
        return m_editorWrites;
    }
    void SetScript(int nPort, const std::string& text)
    {
        std::lock_guard<std::mutex> hold(m_lock);
        m_script[nPort == 1 ? 1 : 0] = text;
    }

private:
    std::mutex m_lock;
    std::vector<BYTE> m_editor;
    int m_editorWrites = 0;
    std::string m_script[2];
};

class ConnectionTest : public ::testing::Test
{
protected:
    RecorderWindow frame;
    TestEditor editor;
    CCommSetRecord& set = GetCurrentCommSet();

    void SetUp() override
    {
        m_saved = set;
        SetCommSetDefaults(set, 0);
        // Every test gets event names of its own, so nothing one leaves behind reaches the next.
        static DWORD s_tick = GetTickCount() & 0x0FFFFFFF;
        SetStartTickCount(++s_tick);
        SetAppAccessors(&editor);
        for (int port = 0; port < 2; ++port) {
            CPortSlot& slot = GetPortSlot(port);
            slot.m_nPort = port;
            slot.m_hFrameWnd = frame.Handle();
            slot.m_nRetryWait = 0;
        }
    }

    void TearDown() override
    {
        if (m_hThread) {
            SetStopEvent();
            EXPECT_TRUE(WaitEnded(10000)) << "the connection thread did not end";
            CloseHandle(m_hThread);
            m_hThread = nullptr;
        }
        if (m_hStop)
            CloseHandle(m_hStop);
        SetAppAccessors(nullptr);
        set = m_saved;
    }

    // Starts the connection thread the way the frame does: the stop event reset first.
    void Start(int port = 0)
    {
        m_nPort = port;
        m_hStop = CreateEventA(nullptr, TRUE, FALSE, GetPortSlot(port).MakeThreadStopEventName());
        ResetEvent(m_hStop);
        m_hThread = CreateThread(nullptr, 0, ThreadProc, reinterpret_cast<LPVOID>(static_cast<INT_PTR>(port)), 0, nullptr);
    }

    // Starts and waits until the loop has registered its buffer and shown the line state.
    bool StartConnected(int port = 0)
    {
        Start(port);
        return frame.WaitFor([&] { return !frame.Buffers().empty() && frame.Count("pane 2 00000000") > 0; });
    }

    void SetStopEvent()
    {
        if (m_hStop)
            SetEvent(m_hStop);
    }

    bool WaitEnded(DWORD timeoutMs = 30000)
    {
        return frame.WaitFor([&] { return !m_hThread || WaitForSingleObject(m_hThread, 0) == WAIT_OBJECT_0; },
                             timeoutMs);
    }

    bool Stop()
    {
        SetStopEvent();
        return WaitEnded();
    }

    // Pushes into the connection's registered channel buffer and signals it, as the frame does.
    void Push(const std::vector<BYTE>& bytes, int flag = 1)
    {
        ASSERT_FALSE(frame.Buffers().empty());
        CChannelBuffer* buffer = frame.Buffers().front();
        buffer->Push(Bytes(bytes), flag);
        buffer->Signal();
    }

    // Queues line commands in the "pane" and sets the line-command event, as the pane does.
    void LineCommands(const std::vector<int>& codes)
    {
        frame.QueueLineCommands(codes);
        HANDLE h = CreateEventA(nullptr, FALSE, FALSE, GetPortSlot(m_nPort).MakeThreadComEventName());
        SetEvent(h);
        CloseHandle(h);
    }

    // The trace without the line-state words and the buffer registration.
    std::vector<std::string> Messages() const { return frame.Trace({"pane 2", "register", "unregister"}); }

    static DWORD WINAPI ThreadProc(LPVOID param) { return PortSessionThread(param); }

    HANDLE m_hThread = nullptr;
    HANDLE m_hStop = nullptr;
    int m_nPort = 0;

private:
    CCommSetRecord m_saved;
};
