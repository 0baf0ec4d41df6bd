// Driving modal dialogs from a test: a thread hook notes every dialog that initialises and
// every window that goes away, and a thread timer runs the test's steps from inside the
// dialogs' own message loops. A step names the number of dialogs that must be open (1 for
// the first dialog, 2 for one opened from it) and receives the innermost one once it is
// shown. A dialog left open without a step for a while is cancelled, so a test never hangs.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <deque>
#include <functional>
#include <string>
#include <utility>
#include <vector>

class DialogDriver {
public:
    DialogDriver()
    {
        INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_WIN95_CLASSES};
        ::InitCommonControlsEx(&icc);
        s_pActive = this;
        m_hook = ::SetWindowsHookExA(WH_CALLWNDPROCRET, HookProc, NULL, ::GetCurrentThreadId());
        m_timer = ::SetTimer(NULL, 0, 10, TimerProc);
        m_lastProgress = ::GetTickCount();
    }

    ~DialogDriver()
    {
        ::KillTimer(NULL, m_timer);
        ::UnhookWindowsHookEx(m_hook);
        s_pActive = nullptr;
    }

    DialogDriver(const DialogDriver&) = delete;
    DialogDriver& operator=(const DialogDriver&) = delete;

    // Runs fn with the innermost dialog once exactly `depth` dialogs are open.
    void Step(int depth, std::function<void(HWND)> fn) { m_steps.emplace_back(depth, std::move(fn)); }

    int Depth() const { return static_cast<int>(m_dialogs.size()); }
    HWND Top() const { return m_dialogs.empty() ? NULL : m_dialogs.back(); }
    bool AllStepsRun() const { return m_steps.empty(); }

    std::vector<std::string> captions;  // the caption of each dialog when it initialised
    // Called with each dialog as soon as its initialisation returns, before it is shown.
    std::function<void(HWND)> onInit;
    bool timedOut = false;

    // Presses a button (or sends a command) of a dialog by posting it, so that a dialog it
    // opens runs its own loop.
    static void Post(HWND hDlg, UINT id) { ::PostMessageA(hDlg, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }
    static void Press(HWND hDlg, UINT id)
    {
        ::SendMessageA(hDlg, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(hDlg, id)));
    }
    static std::string Text(HWND hDlg, int id)
    {
        char text[4096] = "";
        ::GetDlgItemTextA(hDlg, id, text, sizeof(text));
        return text;
    }
    static std::string WindowText(HWND hWnd)
    {
        char text[4096] = "";
        ::GetWindowTextA(hWnd, text, sizeof(text));
        return text;
    }

private:
    static LRESULT CALLBACK HookProc(int code, WPARAM wParam, LPARAM lParam)
    {
        if (code == HC_ACTION && s_pActive != nullptr) {
            const CWPRETSTRUCT* p = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
            if (p->message == WM_INITDIALOG) {
                s_pActive->m_dialogs.push_back(p->hwnd);
                s_pActive->captions.push_back(WindowText(p->hwnd));
                s_pActive->m_lastProgress = ::GetTickCount();
                if (s_pActive->onInit)
                    s_pActive->onInit(p->hwnd);
            } else if (p->message == WM_NCDESTROY) {
                auto& d = s_pActive->m_dialogs;
                for (size_t i = 0; i < d.size(); ++i) {
                    if (d[i] == p->hwnd) {
                        d.erase(d.begin() + static_cast<long>(i));
                        break;
                    }
                }
            }
        }
        return ::CallNextHookEx(NULL, code, wParam, lParam);
    }

    static void CALLBACK TimerProc(HWND, UINT, UINT_PTR, DWORD)
    {
        DialogDriver* self = s_pActive;
        if (self == nullptr || self->m_dialogs.empty())
            return;
        // A step waits until its dialog is on the screen, as the user would.
        if (!self->m_steps.empty() && self->m_steps.front().first == self->Depth() && ::IsWindowVisible(self->Top())) {
            auto step = std::move(self->m_steps.front());
            self->m_steps.pop_front();
            ++self->m_nStepsRunning;
            step.second(self->Top());
            --self->m_nStepsRunning;
            self->m_lastProgress = ::GetTickCount();
            return;
        }
        // A step that pumps while it waits (a long command) re-enters here: a loaded machine may
        // take longer than a dialog left without steps, so a running step gets five minutes, and
        // a dialog half a minute to show for its step.
        const DWORD nLimit = self->m_nStepsRunning == 0 ? 30000 : 300000;
        if (::GetTickCount() - self->m_lastProgress > nLimit) {
            self->timedOut = true;
            self->m_lastProgress = ::GetTickCount();
            ::PostMessageA(self->Top(), WM_COMMAND, IDCANCEL, 0);
        }
    }

    static inline DialogDriver* s_pActive = nullptr;
    HHOOK m_hook = NULL;
    UINT_PTR m_timer = 0;
    DWORD m_lastProgress = 0;
    int m_nStepsRunning = 0;
    std::vector<HWND> m_dialogs;
    std::deque<std::pair<int, std::function<void(HWND)>>> m_steps;
};
