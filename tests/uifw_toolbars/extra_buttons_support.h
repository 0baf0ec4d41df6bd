// Support for the tests of the colour and slider buttons: a button of the class put in a
// place of a test toolbar, real mouse input (the cursor moved and buttons pressed through
// SendInput, as a user would) and a window that records the registered messages it gets.
#pragma once
#include "toolbar_test_support.h"

#include <vector>

namespace tbtest {

// Replaces button nIndex of the bar by a new button of class T for the command and lays the
// bar out again.
template <class T> T* PutButton(CWnd* pFrame, CUiToolControlBar* pBar, int nIndex, UINT nCmdID)
{
    T* pButton = new T(pBar, nCmdID, 0);
    delete pBar->m_arrButtons[nIndex];
    pBar->m_arrButtons[nIndex] = pButton;
    static_cast<CFrameWnd*>(pFrame)->RecalcLayout();
    pBar->CalcButtonLayout();
    pBar->Invalidate();
    winharness::PumpPending();
    return pButton;
}

// Real input at a screen point.
using winharness::RealButton;
using winharness::RealMove;

// A hidden child window recording every registered message (0xC000 and above) it receives;
// as a command target it enables every command.
class MessageRecorder : public CWnd {
public:
    struct Received {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    };
    explicit MessageRecorder(CWnd* pParent);
    ~MessageRecorder() override;
    std::vector<Received> received;
    int Count(UINT message) const;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
};

} // namespace tbtest
