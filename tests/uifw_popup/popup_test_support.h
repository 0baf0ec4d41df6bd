// Support of the popup menu tests: the base look, a fake work area, a receiver frame with a
// bound command profile that records the commands it gets, recorded sounds, a fake clock and
// a script of steps run by a timer (so input arrives while a menu's own loop runs).
#pragma once
#include "afxwin.h"
#include "afxframe.h"
#include "cmdmanager.h"
#include "popupmenuwnd.h"
#include "popuptrackingstate.h"
#include "winharness.h"
#include <deque>
#include <functional>
#include <vector>

extern CWinApp theApp;

namespace popuptest {

const UINT ID_A = 0x8101, ID_B = 0x8102, ID_C = 0x8103, ID_D = 0x8104, ID_NOHANDLER = 0x8105;
const UINT ID_CHECKED = 0x8106, ID_RADIO = 0x8107, ID_RENAMED = 0x8108, ID_DISABLED = 0x8109;
const UINT ID_OPEN = 0x810A, ID_SAVE = 0x810B, ID_SELECT = 0x810C, ID_SEND = 0x810D;

extern std::vector<int> g_sounds;
extern clock_t g_clock;

// The classic look, a work area of 0,0,1024,768, the fake clock and recorded sounds, no
// animation by default; everything back when it ends.
class PopupScope {
public:
    PopupScope();
    ~PopupScope();
};

class CReceiverFrame : public CFrameWnd {
public:
    CReceiverFrame();
    ~CReceiverFrame() override;
    struct Received {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    };
    std::vector<Received> received;
    int nHandledA = 0;
    int nPrepare = 0;
    DWORD dwPrepareAnswer = 0;
    int nClosedNotes = 0;

    // Commands of message with wParam id received so far.
    int Count(UINT message, UINT nId) const;

    afx_msg void OnA() { ++nHandledA; }
    afx_msg void OnB() {}
    afx_msg void OnUpdateChecked(CCmdUI* pCmdUI) { pCmdUI->SetCheck(1); }
    afx_msg void OnUpdateRadio(CCmdUI* pCmdUI) { pCmdUI->SetRadio(TRUE); }
    afx_msg void OnUpdateRenamed(CCmdUI* pCmdUI) { pCmdUI->SetText("Renamed"); }
    afx_msg void OnUpdateDisabled(CCmdUI* pCmdUI)
    {
        ++nUpdates;
        pCmdUI->Enable(FALSE);
    }
    int nUpdates = 0;
    afx_msg void OnUpdateEnabled(CCmdUI* pCmdUI) { pCmdUI->Enable(TRUE); }
    // Answers g_nMsgCreateInplaceEdit when set.
    std::function<void(CUiPopupMenuWnd::InplaceEditCreateRecord&)> onCreateInplaceEdit;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    DECLARE_MESSAGE_MAP()
};

// Makes, shows and binds a receiver frame to a profile of its own.
CReceiverFrame* MakeReceiver();
void DestroyReceiver(CReceiverFrame* pFrame);

// A popup menu built from a menu template: entries of {id, text}; id 0 a separator.
struct Entry {
    UINT nId;
    LPCSTR pszText;
};
HMENU MakeMenu(std::initializer_list<Entry> entries);
// A menu bar whose first submenu holds the entries (what LoadMenu with popup-only reads).
HMENU MakeMenuBar(std::initializer_list<Entry> entries);

// Steps run one after another on a 60 ms timer of a hidden window.
class StepScript {
public:
    StepScript();
    ~StepScript();
    void Add(std::function<void()> step) { m_steps.push_back(std::move(step)); }
    void Start();
    bool Done() const { return m_steps.empty(); }

private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD);
    std::deque<std::function<void()>> m_steps;
    UINT_PTR m_nTimer;
};

// A key press and its release as the tracking's keyboard hook gets them (typed keys reach
// the hook the same way; calling it directly keeps other programs' windows on the test
// display out of the test).
void HookKey(UINT vk);
// A mouse message at a screen point as the mouse hook gets it; the hook's answer (0: the
// message goes on to the window under the point).
LRESULT HookMouse(UINT message, POINT ptScreen);

// Waits (bounded) until no menu animates.
bool WaitAnimationEnd();

} // namespace popuptest
