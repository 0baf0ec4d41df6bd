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

bool AfxIsLeadByteChar(WPARAM wParam)
{
    return HIBYTE(LOWORD(wParam)) == 0 && ::IsDBCSLeadByte(LOBYTE(wParam));
}

bool AfxWideCharOfBytes(BYTE byLead, WPARAM wTrail, WCHAR& wch)
{
    if (HIBYTE(LOWORD(wTrail)) != 0)
        return false;
    const char bytes[2] = {static_cast<char>(byLead), static_cast<char>(wTrail)};
    return ::MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, bytes, 2, &wch, 1) == 1;
}

// An input method hands a double-byte character to a window of this code page as two WM_CHAR,
// lead byte then trail byte. Neither half is a dialog key or an accelerator, and neither may
// meet the pre-translate walk alone: its dialog-message check makes a lone lead byte the code
// page's default character 「・」. Nor may they reach a system edit control one by one: under
// Wine its ANSI procedure turns each byte into a character of its own. So the pump keeps a
// lead byte until its trail byte comes and hands the window the whole character as a wide
// one: a system control takes it as such, and a window of ours, whose procedure is ANSI, gets
// the two bytes again, one after the other, from the system's conversion.
bool AfxTakeDoubleByteHalf(const MSG& msg)
{
    if (msg.message != WM_CHAR)
        return false;
    AFX_WIN_THREAD_STATE* pState = AfxGetWinThreadState();
    if (pState->bLeadByteHeld) {
        pState->bLeadByteHeld = false;
        MSG whole = pState->msgLeadByte;
        WCHAR wch = 0;
        if (msg.hwnd == whole.hwnd && AfxWideCharOfBytes(LOBYTE(whole.wParam), msg.wParam, wch)) {
            whole.wParam = wch;
            ::DispatchMessageW(&whole);
            return true;
        }
        // No trail byte of its: the lead byte goes as it came, and this one its own way.
        ::DispatchMessageA(&whole);
    }
    if (!AfxIsLeadByteChar(msg.wParam))
        return false;
    pState->msgLeadByte = msg;
    pState->bLeadByteHeld = true;
    return true;
}

BOOL AFXAPI AfxPumpMessage()
{
    CWinThread* pThread = AfxGetThread();
    if (pThread != NULL)
        return pThread->PumpMessage();
    MSG msg;
    if (!::GetMessageA(&msg, NULL, 0, 0))
        return FALSE;
    AfxHandleTakenMessage(msg);
    return TRUE;
}

void AfxHandleTakenMessage(MSG& msg)
{
    if (msg.message != WM_KICKIDLE && !AfxTakeDoubleByteHalf(msg) && !AfxPreTranslateMessage(&msg)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

BOOL AFXAPI AfxPumpPeekedMessage(const MSG& peeked)
{
    CWinThread* pThread = AfxGetThread();
    MSG local;
    MSG& msg = pThread != NULL ? pThread->m_msgCur : local;
    // A thread message (a thread timer's, say) is the first of its number in the queue, as
    // input never has its number.
    if (!::PeekMessageA(&msg, peeked.hwnd, peeked.message, peeked.message, PM_REMOVE))
        return TRUE;   // gone meanwhile, as a paint validated by a sent message
    if (msg.message == WM_QUIT)
        return FALSE;
    AfxHandleTakenMessage(msg);
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
