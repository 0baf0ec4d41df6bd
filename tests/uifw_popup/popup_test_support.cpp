#include "popup_test_support.h"

#include "popupcolormenuwnd.h"

#include "monitorinfo.h"
#include "paintmanager.h"
#include "paintmanagerholder.h"

CWinApp theApp("uifw_popup_tests");

namespace popuptest {

std::vector<int> g_sounds;
clock_t g_clock = 1000;

namespace {

void FakeWorkArea(MonitorInfo& info, const RECT&)
{
    info.rcMonitor = {0, 0, 1024, 768};
    info.rcWork = {0, 0, 1024, 768};
    info.dwFlags = 1;
}

clock_t FakeClock()
{
    // Every reading is a step later, so no two key presses come too close.
    g_clock += 50;
    return g_clock;
}

void RecordSound(int nEvent)
{
    g_sounds.push_back(nEvent);
}

int g_nProfile = 0;
StepScript* g_pScript = nullptr;

} // namespace

PopupScope::PopupScope()
{
    PaintManagerHolder::Get().SetPaintManager(new CUiPaintManager);
    SetMonitorInfoSource(&FakeWorkArea);
    CUiPopupBaseWnd::g_pfnClock = &FakeClock;
    CUiPopupBaseWnd::g_pfnPlaySound = &RecordSound;
    CUiPopupBaseWnd::g_nDefaultAnimation = 0;
    g_sounds.clear();
}

PopupScope::~PopupScope()
{
    CUiPopupMenuWnd::CloseTrackedMenus();
    CUiPopupBaseWnd::g_nDefaultAnimation = 4;
    CUiPopupBaseWnd::g_pfnClock = &clock;
    CUiPopupBaseWnd::g_pfnPlaySound = nullptr;
    SetMonitorInfoSource(nullptr);
    PaintManagerHolder::Get().SetPaintManager(nullptr);
    PopupBarTrackingBridge::g_bButtonMenuTracking = false;
}

BEGIN_MESSAGE_MAP(CReceiverFrame, CFrameWnd)
    ON_COMMAND(ID_A, OnA)
    ON_COMMAND(ID_B, OnB)
    ON_COMMAND(ID_OPEN, OnB)
    ON_COMMAND(ID_SAVE, OnB)
    ON_COMMAND(ID_SEND, OnB)
    ON_UPDATE_COMMAND_UI(ID_CHECKED, OnUpdateChecked)
    ON_UPDATE_COMMAND_UI(ID_RADIO, OnUpdateRadio)
    ON_UPDATE_COMMAND_UI(ID_RENAMED, OnUpdateRenamed)
    ON_UPDATE_COMMAND_UI(ID_DISABLED, OnUpdateDisabled)
    ON_UPDATE_COMMAND_UI(ID_SELECT, OnUpdateDisabled)
    ON_UPDATE_COMMAND_UI(ID_C, OnUpdateEnabled)
    ON_UPDATE_COMMAND_UI(ID_D, OnUpdateEnabled)
END_MESSAGE_MAP()

CReceiverFrame::CReceiverFrame() = default;
CReceiverFrame::~CReceiverFrame() = default;

int CReceiverFrame::Count(UINT message, UINT nId) const
{
    int n = 0;
    for (const Received& r : received)
        n += r.message == message && LOWORD(r.wParam) == nId ? 1 : 0;
    return n;
}

LRESULT CReceiverFrame::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND || message == WM_SYSCOMMAND || message == CUiPopupMenuWnd::g_nMsgPopupNext ||
        message == CUiPopupMenuWnd::g_nMsgPopupPrev || message == CUiPopupColorMenuWnd::g_nMsgNotifyColorChanged ||
        message == CUiPopupColorMenuWnd::g_nMsgNotifyColorChangedFinally ||
        message == CUiPopupColorMenuWnd::g_nMsgNotifyCustColor)
        received.push_back({message, wParam, lParam});
    if (message == CUiPopupMenuWnd::g_nMsgPrepareMenu) {
        ++nPrepare;
        reinterpret_cast<PopupPrepareRecord*>(wParam)->m_dwFlags |= dwPrepareAnswer;
        return 0;
    }
    if (message == CUiPopupMenuWnd::g_nMsgNotifyMenuClosed)
        ++nClosedNotes;
    if (message == CUiPopupMenuWnd::g_nMsgCreateInplaceEdit && onCreateInplaceEdit) {
        onCreateInplaceEdit(*reinterpret_cast<CUiPopupMenuWnd::InplaceEditCreateRecord*>(wParam));
        return 0;
    }
    if (message == WM_SYSCOMMAND)
        return 0;
    return CFrameWnd::WindowProc(message, wParam, lParam);
}

CReceiverFrame* MakeReceiver()
{
    CReceiverFrame* pFrame = new CReceiverFrame;
    // Shown without taking the activation: another program's window activated on the test
    // display must not close this thread's menus.
    pFrame->Create(NULL, "popup receiver", WS_OVERLAPPEDWINDOW, CRect(50, 50, 450, 350));
    pFrame->ShowWindow(SW_SHOWNA);
    CString name;
    name.Format("popuptest%d", ++g_nProfile);
    CUiCmdManager* pManager = CmdManagerHolder::GetStoredHandle();
    pManager->ProfileInstall(name, pFrame->GetSafeHwnd());
    // No command counts as rarely used unless a test says so.
    pManager->ProfileFindByName(name)->m_nRarelyPercent = 0;
    winharness::PumpPending();
    return pFrame;
}

void DestroyReceiver(CReceiverFrame* pFrame)
{
    CUiPopupMenuWnd::CloseTrackedMenus();
    const HWND hWnd = pFrame->GetSafeHwnd();
    CmdManagerHolder::GetStoredHandle()->ProfileReleaseWindow(hWnd, true);
    pFrame->DestroyWindow();   // the frame deletes itself
    winharness::PumpPending();
}

HMENU MakeMenu(std::initializer_list<Entry> entries)
{
    HMENU hMenu = ::CreatePopupMenu();
    for (const Entry& e : entries) {
        if (e.nId == 0)
            ::AppendMenuA(hMenu, MF_SEPARATOR, 0, NULL);
        else
            ::AppendMenuA(hMenu, MF_STRING, e.nId, e.pszText);
    }
    return hMenu;
}

HMENU MakeMenuBar(std::initializer_list<Entry> entries)
{
    HMENU hBar = ::CreateMenu();
    ::AppendMenuA(hBar, MF_POPUP, (UINT_PTR)MakeMenu(entries), "Ctx");
    return hBar;
}

StepScript::StepScript() : m_nTimer(0)
{
    g_pScript = this;
}

StepScript::~StepScript()
{
    if (m_nTimer != 0)
        ::KillTimer(NULL, m_nTimer);
    g_pScript = nullptr;
}

void StepScript::Start()
{
    m_nTimer = ::SetTimer(NULL, 0, 60, &StepScript::OnTimer);
}

void CALLBACK StepScript::OnTimer(HWND, UINT, UINT_PTR, DWORD)
{
    if (g_pScript == nullptr || g_pScript->m_steps.empty())
        return;
    // A menu that still opens takes no keys yet: on a loaded machine its animation can outlast
    // a tick, so the step waits for the next one.
    if (PopupTrackingState::Get().m_pAnimating != nullptr)
        return;
    std::function<void()> step = std::move(g_pScript->m_steps.front());
    g_pScript->m_steps.pop_front();
    step();
}

void HookKey(UINT vk)
{
    PopupTrackingState::Get().KeyboardHook(HC_ACTION, vk, winharness::KeyLParam(vk, false));
    PopupTrackingState::Get().KeyboardHook(HC_ACTION, vk, winharness::KeyLParam(vk, true));
}

LRESULT HookMouse(UINT message, POINT ptScreen)
{
    MOUSEHOOKSTRUCT mhs = {};
    mhs.pt = ptScreen;
    mhs.hwnd = ::WindowFromPoint(ptScreen);
    mhs.wHitTestCode = HTCLIENT;
    return PopupTrackingState::Get().MouseHook(HC_ACTION, message, (LPARAM)&mhs);
}

bool WaitAnimationEnd()
{
    return winharness::PumpUntil([] { return PopupTrackingState::Get().m_pAnimating == nullptr; });
}

} // namespace popuptest
