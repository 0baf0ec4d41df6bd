// The context menu of a strip of bar tabs: the frame is told before and after the filling and
// may fill the menu itself; else fill(menu) does. A menu with items is tracked at pt once the
// focus went to the frame.
#pragma once
#include "controlbar.h"
#include "popupmenuwnd.h"
#include "tabwnd.h"

template <class Fill> void TrackStripMenu(CWnd* pStrip, CFrameWnd* pFrame, WORD nEvent, CPoint pt, UINT nMsg, Fill fill)
{
    CUiPopupMenuWnd* pMenu = new CUiPopupMenuWnd;
    if (!pMenu->InitRootMenu(pFrame->m_hWnd)) {
        delete pMenu;
        return;
    }
    CUiControlBar::POPUP_MENU_EVENT_DATA data(nEvent, pMenu, pStrip, pt, nMsg, 0);
    if (!data.NotifyTarget(false))
        fill(pMenu);
    data.NotifyTarget(true);
    if (pMenu->ItemGetCount() == 0) {
        delete pMenu;
        return;
    }
    pFrame->SetFocus();
    if (!pMenu->TrackMenu(0x800, pt.x, pt.y))
        delete pMenu;
}
