#include "commandstatustext.h"

void ShowCommandStatusText(CWnd* pWnd, UINT nID)
{
    if (pWnd == nullptr || !::IsWindow(pWnd->GetSafeHwnd()))
        return;
    CWnd* pFrame = pWnd->IsKindOf(RUNTIME_CLASS(CFrameWnd)) ? pWnd : pWnd->GetParentFrame();
    if (pFrame != nullptr)
        pFrame->SendMessage(WM_SETMESSAGESTRING, nID, 0);
}
