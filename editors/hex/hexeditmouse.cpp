// CHexEdit: mouse selection, the drag timer and the marker tooltip.
#include "hexedit.h"

#include <string.h>

void CHexEdit::OnLButtonDown(UINT nFlags, CPoint point)
{
    m_model.LButtonDown(point.x, point.y, (nFlags & MK_SHIFT) != 0);
    ApplyViewChanges();
}

void CHexEdit::OnLButtonUp(UINT, CPoint point)
{
    m_model.LButtonUp(point.x, point.y);
    ApplyViewChanges();
}

void CHexEdit::OnLButtonDblClk(UINT, CPoint point)
{
    m_model.LButtonDblClk(point.x, point.y);
    ApplyViewChanges();
}

void CHexEdit::OnMouseMove(UINT, CPoint point)
{
    m_model.MouseMove(point.x, point.y);
    ApplyViewChanges();
}

void CHexEdit::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != kHexDragTimerId) {
        CWnd::OnTimer(nIDEvent);
        return;
    }
    m_model.DragTimer();
    ApplyViewChanges();
}

// ---------------------------------------------------------------------------------------
// Marker tooltip: one tool over the whole client area whose text follows the marker under
// the mouse. The tooltip subclasses the control to see the mouse by itself.

void CHexEdit::FillMarkerTool(TOOLINFO& ti)
{
    memset(&ti, 0, sizeof(ti));
    ti.cbSize = TTTOOLINFOA_V2_SIZE;
    ti.uFlags = TTF_SUBCLASS;
    ti.hwnd = m_hWnd;
    ti.uId = 0;
    GetClientRect(&ti.rect);
    ti.lpszText = m_szTipText;
}

void CHexEdit::UpdateMarkerTip()
{
    if (m_markerTip.m_hWnd == NULL) {
        if (!m_markerTip.CreateEx(this, TTS_ALWAYSTIP))
            return;
        m_szTipText[0] = '\0';
        TOOLINFO ti;
        FillMarkerTool(ti);
        m_markerTip.SendMessage(TTM_ADDTOOL, 0, reinterpret_cast<LPARAM>(&ti));
        m_markerTip.Activate(TRUE);
    }
    const CString& tip = m_model.GetTipText();
    const int length = tip.GetLength() < kHexTipTextMax ? tip.GetLength() : kHexTipTextMax;
    memcpy(m_szTipText, static_cast<LPCSTR>(tip), length);
    m_szTipText[length] = '\0';
    TOOLINFO ti;
    FillMarkerTool(ti);
    m_markerTip.SendMessage(TTM_UPDATETIPTEXT, 0, reinterpret_cast<LPARAM>(&ti));
}
