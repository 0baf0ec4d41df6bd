#include "ncpanewrapper.h"

#include "afxdc.h"
#include "paintmanager.h"
#include "paintmanagerholder.h"

namespace {

void PaintPaneBorder(CWnd* pPane)
{
    CRect rcWindow, rcClient;
    pPane->GetWindowRect(&rcWindow);
    pPane->GetClientRect(&rcClient);
    pPane->ClientToScreen(&rcClient);
    if (rcWindow == rcClient)
        return;
    const CPoint ptOrigin = rcWindow.TopLeft();
    rcWindow.OffsetRect(-ptOrigin);
    rcClient.OffsetRect(-ptOrigin);
    CWindowDC dc(pPane);
    // The client area is the pane's own to paint: the border never draws over it.
    dc.ExcludeClipRect(&rcClient);
    PaintManagerHolder::Get()->PaintResizableDialogNcBorder(dc, rcWindow, pPane, 0);
}

} // namespace

bool HandlePaneNcMessage(CWnd* pPane, UINT nMsg, WPARAM wParam, LPARAM lParam, LRESULT& lResult)
{
    switch (nMsg) {
    case WM_NCCALCSIZE: {
        // With or without the valid-rectangle record, the proposed client rectangle comes first.
        RECT* pRect = wParam ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0]
                             : reinterpret_cast<RECT*>(lParam);
        ::InflateRect(pRect, -1, -1);
        lResult = 0;
        return true;
    }
    case WM_NCPAINT:
        PaintPaneBorder(pPane);
        lResult = 0;
        return true;
    default:
        return false;
    }
}
