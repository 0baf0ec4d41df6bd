// The window side of threads: the pump used by the modal loops, the idle update of frames
// and the clean-up of temporary objects.
#include "afxwin.h"
#include "afxcmn.h"
#include "afxwinstate.h"

BOOL AFXAPI AfxPreTranslateMessage(MSG* pMsg)
{
    CWinThread* pThread = AfxGetThread();
    if (pThread != NULL)
        return pThread->PreTranslateMessage(pMsg);
    return CWnd::WalkPreTranslateTree(AfxGetMainWnd()->GetSafeHwnd(), pMsg);
}

BOOL AFXAPI AfxPumpMessage()
{
    CWinThread* pThread = AfxGetThread();
    if (pThread != NULL)
        return pThread->PumpMessage();
    MSG msg;
    if (!::GetMessageA(&msg, NULL, 0, 0))
        return FALSE;
    if (msg.message != WM_KICKIDLE && !AfxPreTranslateMessage(&msg)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    return TRUE;
}

void AFXAPI AfxIdleUpdateFrames(CWnd* pSkip)
{
    // A copy: an update handler may create or destroy frames.
    std::vector<CFrameWnd*> frames = AfxGetWinThreadState()->frames;
    for (CFrameWnd* pFrame : frames) {
        if (pFrame == pSkip || pFrame->m_hWnd == NULL || !pFrame->IsWindowVisible())
            continue;
        AfxCallWndProc(pFrame, pFrame->m_hWnd, WM_IDLEUPDATECMDUI, (WPARAM)TRUE, 0);
        pFrame->SendMessageToDescendants(WM_IDLEUPDATECMDUI, (WPARAM)TRUE, 0, TRUE, TRUE);
    }
}

void AFXAPI AfxDeleteTempMaps()
{
    AFX_WIN_THREAD_STATE* pState = AfxGetWinThreadState();
    if (pState->nTempMapLock != 0)
        return;
    CWnd::DeleteTempMap();
    CDC::DeleteTempMap();
    CGdiObject::DeleteTempMap();
    CMenu::DeleteTempMap();
    CImageList::DeleteTempMap();
}

size_t AFXAPI AfxTempObjectCount()
{
    const AFX_WIN_THREAD_STATE* pState = AfxGetWinThreadState();
    size_t n = 0;
    auto add = [&n](const auto& map) { n += map.temp.size() + map.dead.size(); };
    add(pState->wnds);
    add(pState->dcs);
    add(pState->gdis);
    add(pState->menus);
    add(pState->imagelists);
    return n;
}

void CWinApp::DoWaitCursor(int nCode)
{
    AfxDoWaitCursor(nCode);
}
