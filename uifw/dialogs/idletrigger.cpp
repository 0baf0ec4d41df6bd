// Idle triggers of the framework's dialogs.
#include "idletrigger.h"

bool UiIsIdleTriggerMessage(const MSG& msg)
{
    static POINT s_ptLast = {-1, -1};
    static UINT s_nLastMsg = 0;
    if (msg.message == WM_MOUSEMOVE || msg.message == WM_NCMOUSEMOVE) {
        if (s_nLastMsg == msg.message && s_ptLast.x == msg.pt.x && s_ptLast.y == msg.pt.y)
            return false;
        s_ptLast = msg.pt;
        s_nLastMsg = msg.message;
        return true;
    }
    CWinThread* pThread = AfxGetThread();
    MSG copy = msg;
    return pThread != nullptr ? pThread->IsIdleMessage(&copy) != FALSE
                              : msg.message != WM_PAINT && msg.message != 0x0118;
}

bool UiIsCurrentMessageIdleTrigger()
{
    CWinThread* pThread = AfxGetThread();
    return pThread != nullptr && UiIsIdleTriggerMessage(pThread->m_msgCur);
}
