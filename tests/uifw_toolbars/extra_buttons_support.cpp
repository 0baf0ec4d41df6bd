#include "extra_buttons_support.h"

namespace tbtest {

MessageRecorder::MessageRecorder(CWnd* pParent)
{
    CreateEx(0, AfxRegisterWndClass(0), "recorder", WS_CHILD, CRect(0, 0, 10, 10), pParent, 0);
}

MessageRecorder::~MessageRecorder()
{
    DestroyWindow();
}

int MessageRecorder::Count(UINT message) const
{
    int n = 0;
    for (const Received& r : received)
        n += r.message == message ? 1 : 0;
    return n;
}

LRESULT MessageRecorder::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message >= 0xC000)
        received.push_back({message, wParam, lParam});
    return CWnd::WindowProc(message, wParam, lParam);
}

BOOL MessageRecorder::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if ((UINT)nCode == CN_UPDATE_COMMAND_UI && pExtra != nullptr) {
        static_cast<CCmdUI*>(pExtra)->Enable(TRUE);
        return TRUE;
    }
    return CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

} // namespace tbtest
