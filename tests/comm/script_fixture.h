// Script and extended-mode connections run for real against the scripted device and the
// recording window: the application's accessors are a small test application that holds the
// send data editor's bytes and the two script texts, and the test DLLs are those built beside
// the test executable.
#pragma once

#include "connectionparts.h"
#include "engine_fixture.h"
#include "scriptdlls.h"
#include "scriptloop.h"
#include "temp_folder_support.h"

#include <string>
#include <vector>

class AppTest : public EngineTest
{
protected:
    TestApp app;

    void SetUp() override
    {
        EngineTest::SetUp();
        SetAppAccessors(&app);
        GetScriptDllList().Clear();
    }

    void TearDown() override
    {
        EngineTest::TearDown();
        GetScriptDllList().Clear();
    }

    // The payload of a message entry as text, without its terminating zero (which must be
    // there).
    static std::string PayloadText(const RecordedReport& report)
    {
        EXPECT_FALSE(report.payload.empty());
        EXPECT_EQ(0, report.payload.empty() ? -1 : report.payload.back());
        if (report.payload.empty())
            return std::string();
        return std::string(report.payload.begin(), report.payload.end() - 1);
    }

    // The payload texts of every message entry with this code, in order.
    std::vector<std::string> Texts(int code) const
    {
        std::vector<std::string> texts;
        for (const auto& report : frame.Reports()) {
            if (report.type == RecordedReport::Record && report.kind == 0 && report.code == code)
                texts.push_back(PayloadText(report));
        }
        return texts;
    }

    // Until a message entry with this code and payload text was recorded.
    bool WaitForLog(int code, const std::string& text, DWORD timeoutMs = 30000)
    {
        return frame.WaitFor(
            [&] {
                for (const auto& t : Texts(code))
                    if (t == text)
                        return true;
                return false;
            },
            timeoutMs);
    }

    static std::vector<std::string> Last(const std::vector<std::string>& trace, size_t n)
    {
        if (trace.size() < n)
            return trace;
        return std::vector<std::string>(trace.end() - n, trace.end());
    }

    // The last n entries of the trace without line states and buffer registration.
    std::vector<std::string> Tail(size_t n) const { return Last(Messages(), n); }

    static std::string ExeFolder()
    {
        char path[MAX_PATH];
        GetModuleFileNameA(nullptr, path, MAX_PATH);
        std::string folder(path);
        return folder.substr(0, folder.find_last_of('\\'));
    }
};

// A connection of port 1 in script mode.
class ScriptTest : public AppTest
{
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        set.m_nScriptMode[0] = 1;
    }

    // Starts port 1 with the script and waits until its channel buffer was registered (it
    // may be gone again when the script ends at once). Scripts that want to be waited for
    // until OnConnected has run log "ready" there.
    void Run(const std::string& script)
    {
        app.SetScript(0, script);
        Start();
        ASSERT_TRUE(frame.WaitForText("register"));
    }

    // What the user's send command does in script mode.
    void SendCommand(int port = 0)
    {
        HANDLE h = CreateEventA(nullptr, FALSE, FALSE, MakeScriptSendEventName(port));
        SetEvent(h);
        CloseHandle(h);
    }
};

