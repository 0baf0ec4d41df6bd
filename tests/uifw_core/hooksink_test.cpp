// Hook chains on real windows: a plain window whose own procedure records what reaches it,
// and a class-library window.
#include <gtest/gtest.h>

#include "hooksink.h"
#include "mousecapturesink.h"
#include "winharness.h"

#include <functional>
#include <string>
#include <vector>

using namespace winharness;

namespace {

const UINT WM_TEST_PLAIN = WM_USER + 1;
const UINT WM_TEST_ASK_PREVIOUS = WM_USER + 5;

// What the plain window's own procedure saw, and what it does at WM_NCDESTROY.
std::vector<std::string> g_log;
std::vector<WPARAM> g_prevWParams;
std::function<void(HWND)> g_onNcDestroy;

LRESULT CALLBACK RecordingProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    if (nMessage == WM_NCDESTROY) {
        g_log.push_back("prev:ncdestroy");
        if (g_onNcDestroy)
            g_onNcDestroy(hWnd);
    }
    if (nMessage >= WM_USER && nMessage < WM_USER + 100) {
        g_log.push_back("prev");
        g_prevWParams.push_back(wParam);
        return 1000 + (nMessage - WM_USER);
    }
    return ::DefWindowProcA(hWnd, nMessage, wParam, lParam);
}

HWND CreatePlainWindow(HWND hParent)
{
    static bool bRegistered = false;
    if (!bRegistered) {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = RecordingProc;
        wc.hInstance = ::GetModuleHandleA(NULL);
        wc.lpszClassName = "UiCoreHookTestWindow";
        ::RegisterClassA(&wc);
        bRegistered = true;
    }
    return ::CreateWindowExA(0, "UiCoreHookTestWindow", "", WS_CHILD, 0, 0, 50, 50, hParent, NULL,
                             ::GetModuleHandleA(NULL), NULL);
}

// Tells whether the map holds a bucket table, through the map's own protected member.
struct MapProbe : CMapPtrToPtr {
    static bool HoldsTable(const CMapPtrToPtr& map) { return map.*(&MapProbe::m_pHashTable) != NULL; }
};

class RecordingSink : public CUiHookSink
{
public:
    explicit RecordingSink(const char* pszName, bool bDispatch = true) : CUiHookSink(bDispatch), name(pszName) {}

    bool DispatchHookedMessage(LRESULT& lResult, HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam) override
    {
        if (nMessage == WM_TEST_PLAIN || nMessage == WM_TEST_ASK_PREVIOUS) {
            g_log.push_back(name);
            if (onMessage)
                onMessage(wParam);
            if (answer) {
                lResult = result;
                return true;
            }
            return false;
        }
        return CUiHookSink::DispatchHookedMessage(lResult, hWnd, nMessage, wParam, lParam);
    }
    bool OnHookCmdMsg(LRESULT&, HWND, WORD, WORD nID, HWND) override
    {
        commands.push_back(nID);
        return false;
    }
    bool IsAutoDeleteHookWndSink() override { return autoDelete; }
    void OnHookWndAttach(HWND) override { ++attaches; }
    void OnHookWndDetach(HWND) override { ++detaches; }
    void OnHookWndNcDestroy() override { g_log.push_back(name + ":ncdestroy"); }

    std::string name;
    bool answer = false;
    LRESULT result = 0;
    bool autoDelete = false;
    int attaches = 0;
    int detaches = 0;
    std::vector<WORD> commands;
    std::function<void(WPARAM&)> onMessage;
};

class SelfDeletingSink : public RecordingSink
{
public:
    SelfDeletingSink(const char* pszName, bool* pbDeleted) : RecordingSink(pszName), m_pbDeleted(pbDeleted)
    {
        autoDelete = true;
    }
    ~SelfDeletingSink() override { *m_pbDeleted = true; }

private:
    bool* m_pbDeleted;
};

class HookSinkTest : public ::testing::Test
{
protected:
    HookSinkTest()
    {
        g_log.clear();
        g_prevWParams.clear();
        g_onNcDestroy = nullptr;
        hWnd = CreatePlainWindow(parent);
    }
    ~HookSinkTest() override
    {
        if (::IsWindow(hWnd))
            ::DestroyWindow(hWnd);
        g_onNcDestroy = nullptr;
    }

    std::vector<std::string> Send(UINT nMessage = WM_TEST_PLAIN, WPARAM wParam = 0)
    {
        g_log.clear();
        lastResult = ::SendMessageA(hWnd, nMessage, wParam, 0);
        return g_log;
    }

    HiddenParent parent;
    HWND hWnd = NULL;
    LRESULT lastResult = 0;
};

typedef std::vector<std::string> Log;

TEST_F(HookSinkTest, SinksAreAskedInChainOrderAndATrueAnswerEndsTheMessage)
{
    RecordingSink a("A"), b("B"), head("H");
    ASSERT_TRUE(a.InstallWindowHook(hWnd));
    ASSERT_TRUE(b.InstallWindowHook(hWnd));
    EXPECT_EQ((Log{"A", "B", "prev"}), Send());
    EXPECT_EQ(1001, lastResult);

    a.answer = true;
    a.result = 42;
    EXPECT_EQ((Log{"A"}), Send());
    EXPECT_EQ(42, lastResult);
    a.answer = false;

    ASSERT_TRUE(head.InstallWindowHook(hWnd, false, true));
    EXPECT_EQ((Log{"H", "A", "B", "prev"}), Send());

    // Attaching again changes nothing and tells nobody.
    EXPECT_TRUE(a.InstallWindowHook(hWnd));
    EXPECT_EQ(1, a.attaches);
    EXPECT_EQ((Log{"H", "A", "B", "prev"}), Send());

    a.UnhookAllWindows();
    b.InstallWindowHook(hWnd, true);
    head.InstallWindowHook(hWnd, true);
    EXPECT_EQ(1, a.detaches);
    EXPECT_FALSE(a.IsWindowHookedBySink(hWnd));
    // Still subclassed with an empty chain: every message reaches the previous procedure.
    EXPECT_EQ((Log{"prev"}), Send());
    EXPECT_EQ((LONG_PTR)SharedHookWndProc, ::GetWindowLongPtrA(hWnd, GWLP_WNDPROC));
    EXPECT_EQ(1002, ::SendMessageA(hWnd, WM_USER + 2, 0, 0));
}

TEST_F(HookSinkTest, AChangedWParamReachesTheLaterSinksAndThePreviousProcedure)
{
    RecordingSink a("A"), b("B");
    WPARAM seenByB = 0;
    a.onMessage = [](WPARAM& wParam) { wParam = 77; };
    b.onMessage = [&seenByB](WPARAM& wParam) { seenByB = wParam; };
    a.InstallWindowHook(hWnd);
    b.InstallWindowHook(hWnd);
    Send(WM_TEST_PLAIN, 5);
    EXPECT_EQ(77u, seenByB);
    ASSERT_EQ(1u, g_prevWParams.size());
    EXPECT_EQ(77u, g_prevWParams[0]);
    a.UnhookAllWindows();
    b.UnhookAllWindows();
}

TEST_F(HookSinkTest, CommandsReachTheCommandNotificationOnlyWithDispatchOn)
{
    RecordingSink quiet("quiet", false), routed("routed", true);
    quiet.InstallWindowHook(hWnd);
    routed.InstallWindowHook(hWnd);
    ::SendMessageA(hWnd, WM_COMMAND, MAKEWPARAM(321, 0), 0);
    EXPECT_TRUE(quiet.commands.empty());
    EXPECT_EQ(std::vector<WORD>{321}, routed.commands);
    quiet.UnhookAllWindows();
    routed.UnhookAllWindows();
}

TEST_F(HookSinkTest, NullAndDestroyedWindowsCannotBeHooked)
{
    RecordingSink a("A");
    EXPECT_FALSE(a.InstallWindowHook(NULL));
    EXPECT_FALSE(a.InstallWindowHook(NULL, true));
    HWND hGone = CreatePlainWindow(parent);
    ::DestroyWindow(hGone);
    EXPECT_FALSE(a.InstallWindowHook(hGone));
    // Detaching from a window without a chain is a successful no-op.
    EXPECT_TRUE(a.InstallWindowHook(hWnd, true));
    EXPECT_EQ(0, a.detaches);
}

TEST_F(HookSinkTest, NcDestroyUnhooksFirstThenTellsSinksDeletesOwnedOnesAndCallsThePrevious)
{
    RecordingSink a("A");
    bool bDeleted = false;
    SelfDeletingSink* pOwned = new SelfDeletingSink("D", &bDeleted);
    a.InstallWindowHook(hWnd);
    pOwned->InstallWindowHook(hWnd);

    LONG_PTR procSeenByPrevious = 0;
    bool bHookedSeenByPrevious = true;
    g_onNcDestroy = [&](HWND h) {
        procSeenByPrevious = ::GetWindowLongPtrA(h, GWLP_WNDPROC);
        bHookedSeenByPrevious = a.IsWindowHookedBySink(h);
        a.UnhookAllWindows();
    };
    g_log.clear();
    ::DestroyWindow(hWnd);

    EXPECT_EQ((Log{"A:ncdestroy", "D:ncdestroy", "prev:ncdestroy"}), g_log);
    EXPECT_TRUE(bDeleted);
    EXPECT_EQ((LONG_PTR)RecordingProc, procSeenByPrevious);
    EXPECT_FALSE(bHookedSeenByPrevious);
    EXPECT_EQ(0, HookChainsMap().GetCount());
    EXPECT_FALSE(MapProbe::HoldsTable(HookChainsMap()));
}

TEST_F(HookSinkTest, AnOwnedSinkOnTwoWindowsLivesUntilItsLastWindowIsGone)
{
    HWND hSecond = CreatePlainWindow(parent);
    bool bDeleted = false;
    SelfDeletingSink* pOwned = new SelfDeletingSink("D", &bDeleted);
    pOwned->InstallWindowHook(hWnd);
    pOwned->InstallWindowHook(hSecond);
    ::DestroyWindow(hWnd);
    EXPECT_FALSE(bDeleted);
    g_log.clear();
    ::SendMessageA(hSecond, WM_TEST_PLAIN, 0, 0);
    EXPECT_EQ((Log{"D", "prev"}), g_log);
    ::DestroyWindow(hSecond);
    EXPECT_TRUE(bDeleted);
    EXPECT_FALSE(MapProbe::HoldsTable(HookChainsMap()));
}

TEST_F(HookSinkTest, ASinkDetachingItselfAndTheNextSkipsNoLiveSinkAndCallsNoDetachedOne)
{
    RecordingSink a("A"), b("B"), c("C");
    bool bDeleted = false;
    SelfDeletingSink* pOwned = new SelfDeletingSink("D", &bDeleted);
    a.InstallWindowHook(hWnd);
    b.InstallWindowHook(hWnd);
    pOwned->InstallWindowHook(hWnd);
    c.InstallWindowHook(hWnd);
    a.onMessage = [&](WPARAM&) {
        a.InstallWindowHook(hWnd, true);
        b.InstallWindowHook(hWnd, true);
        pOwned->InstallWindowHook(hWnd, true);
    };
    EXPECT_EQ((Log{"A", "C", "prev"}), Send());
    EXPECT_TRUE(bDeleted);
    EXPECT_EQ((Log{"C", "prev"}), Send());
    c.UnhookAllWindows();
}

TEST_F(HookSinkTest, ASinkDestroyingTheWindowEndsTheWalk)
{
    RecordingSink a("A"), b("B");
    a.InstallWindowHook(hWnd);
    b.InstallWindowHook(hWnd);
    a.onMessage = [&](WPARAM&) { ::DestroyWindow(hWnd); };
    const Log log = Send();
    EXPECT_EQ((Log{"A", "A:ncdestroy", "B:ncdestroy", "prev:ncdestroy"}), log);
    EXPECT_EQ(0, lastResult);
    EXPECT_FALSE(::IsWindow(hWnd));
}

TEST_F(HookSinkTest, CallingThePreviousProcedureInsideANotificationLeavesTheCurrentMessageAsItWas)
{
    MSG* pRecord = AfxGetCurrentMessageRecord();
    const MSG saved = *pRecord;
    pRecord->hwnd = parent.hwnd();
    pRecord->message = 0x1234;
    pRecord->wParam = 5;
    pRecord->lParam = 6;

    RecordingSink a("A");
    LRESULT fromPrevious = 0, withParams = 0, withMessage = 0;
    a.onMessage = [&](WPARAM&) {
        fromPrevious = a.CallOriginalProcForCurrent();
        withParams = a.CallOriginalProcWithParams(9, 0);
        withMessage = a.CallOriginalProcWithMessage(WM_USER + 7, 0, 0);
    };
    a.answer = true;
    a.InstallWindowHook(hWnd);
    g_prevWParams.clear();
    a.result = 1;
    EXPECT_EQ(1, ::SendMessageA(hWnd, WM_TEST_ASK_PREVIOUS, 3, 0));
    EXPECT_EQ(1005, fromPrevious);
    EXPECT_EQ(1005, withParams);
    EXPECT_EQ(1007, withMessage);
    EXPECT_EQ((std::vector<WPARAM>{3, 9, 0}), g_prevWParams);

    auto expectRecordKept = [&]() {
        const MSG* pMsg = CWnd::GetCurrentMessage();
        EXPECT_EQ(parent.hwnd(), pMsg->hwnd);
        EXPECT_EQ(0x1234u, pMsg->message);
        EXPECT_EQ(5u, pMsg->wParam);
        EXPECT_EQ(6, pMsg->lParam);
    };
    expectRecordKept();
    // The destruction road restores it as well.
    ::DestroyWindow(hWnd);
    expectRecordKept();
    *pRecord = saved;
}

class CCountingWnd : public CWnd
{
public:
    int handled = 0;
    UINT currentSeen = 0;
    afx_msg LRESULT OnTest(WPARAM, LPARAM)
    {
        ++handled;
        currentSeen = CWnd::GetCurrentMessage()->message;
        return 55;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CCountingWnd, CWnd)
    ON_MESSAGE(WM_USER + 20, OnTest)
END_MESSAGE_MAP()

TEST_F(HookSinkTest, AClassLibraryWindowKeepsItsMessageMapAndDiesCleanlyWhileHooked)
{
    CCountingWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, AfxRegisterWndClass(0), "", WS_CHILD, CRect(0, 0, 20, 20), parent.wnd(), 7));
    RecordingSink a("A");
    ASSERT_TRUE(a.InstallWindowHook(wnd.m_hWnd));
    EXPECT_EQ(55, wnd.SendMessage(WM_USER + 20));
    EXPECT_EQ(1, wnd.handled);
    EXPECT_EQ(WM_USER + 20u, wnd.currentSeen);
    HWND hWndLib = wnd.m_hWnd;
    g_log.clear();
    wnd.DestroyWindow();
    EXPECT_EQ((Log{"A:ncdestroy"}), g_log);
    EXPECT_EQ(NULL, wnd.m_hWnd);
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hWndLib));
    EXPECT_FALSE(a.IsWindowHookedBySink(hWndLib));
}

TEST_F(HookSinkTest, TheCaptureSinkTakesTheCaptureAndNamesTheWindowThatHadIt)
{
    CUiMouseCaptureSink capture;
    ::ReleaseCapture();
    EXPECT_EQ(NULL, capture.SetCapture(parent.hwnd()));
    EXPECT_EQ(parent.hwnd(), ::GetCapture());
    EXPECT_EQ(parent.hwnd(), capture.SetCapture(parent.hwnd()));
    ::ReleaseCapture();
}

} // namespace
