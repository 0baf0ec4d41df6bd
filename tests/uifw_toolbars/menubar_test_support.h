// The frames the menu bar tests drive. The SDI frame is the toolbar tests' frame with the
// menu [File, separator, Edit, Window] (File: "&First\tCtrl+F", Edit: "Second", Window: "Save")
// and a second toolbar whose buttons have access keys of their own; the MDI frame is the class
// library's, with children made on demand. Key messages are built the way the frame's
// pre-translation hands them to the bar.
#pragma once
#include "mdibuttons.h"
#include "menucontrolbar.h"
#include "popupmenuwnd.h"
#include "popuptracktestsupport.h"
#include "toolbar_test_support.h"

namespace mbtest {

// Commands of the second toolbar: "&Tools" (with a menu), "&Run" (plain command).
enum : UINT { kTools = 32830, kRun = 32831 };

// [&File, separator, &Edit, &Window] (without Window when asked).
HMENU MakeFrameMenu(bool bWithWindow = true);

// A message record of a key: Alt held sets bit 29 of lParam.
MSG KeyMsg(HWND hWnd, UINT nMessage, UINT vk, bool bAlt);
// Pumps, then ends every open menu and pumps again.
void CloseMenus();

// Records the messages of a window that reach the end of its hook chain.
class MessageRecorder : public CUiHookSink {
public:
    explicit MessageRecorder(HWND hWnd) { InstallWindowHook(hWnd); }
    ~MessageRecorder() override { UnhookAllWindows(); }
    bool DispatchHookedMessage(LRESULT&, HWND, UINT nMessage, WPARAM&, LPARAM&) override
    {
        messages.push_back(nMessage);
        return false;
    }
    bool Saw(UINT nMessage) const;
    std::vector<UINT> messages;
};

class MenuBarFixture : public tbtest::ToolBarFixture {
protected:
    MenuBarFixture();
    ~MenuBarFixture() override;

    // Sets [File, separator, Edit, Window] (or the given menu) on the frame and creates the
    // menu bar docked at the top.
    CUiMenuControlBar* MakeMenuBar(HMENU hMenu = NULL);
    // The second toolbar: kTools with a menu of kMenuSecond, kRun.
    CUiToolControlBar* MakeSecondBar();
    // Sends the record to the bar's TranslateMenuKey, then pumps.
    bool Key(UINT nMessage, UINT vk, bool bAlt);

    popuptrack::TrackRecorder recorder;
    CUiMenuControlBar* pMenuBar = nullptr;
};

class MdiFrame : public CMDIFrameWnd {
public:
    std::vector<UINT> commands;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
};

class MdiFixture : public ::testing::Test {
protected:
    MdiFixture();
    ~MdiFixture() override;

    // Creates the bar (a new CUiMenuControlBar unless given; the fixture deletes it) on the
    // frame with the menu (MakeFrameMenu unless given).
    CUiMenuControlBar* MakeMenuBar(CUiMenuControlBar* pBar = nullptr, HMENU hMenu = NULL);
    CMDIChildWnd* AddChild(LPCSTR lpszTitle, DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW);
    // Maximises or restores the child, then pumps the posted rebuilds.
    void Maximize(CMDIChildWnd* pChild);
    void Restore(CMDIChildWnd* pChild);
    CUiCmdItem* Item(UINT id);

    popuptrack::TrackRecorder recorder;
    MdiFrame* pFrame;
    HWND hFrame;
    HWND hClient;
    CUiMenuControlBar* pMenuBar = nullptr;
};

} // namespace mbtest
