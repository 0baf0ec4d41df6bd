#include "barsliderbutton.h"

#include <algorithm>
#include <cstdlib>

#include "cmdmanager.h"
#include "glyphs.h"
#include "paintmanager.h"
#include "paintmanagerholder.h"
#include "popupmenuwnd.h"
#include "pushbuttonpaintdata.h"
#include "toolcontrolbar.h"

IMPLEMENT_DYNCREATE(CUiBarSliderButton, CUiBarButton)

namespace {

bool IsEmptyPart(const RECT& rc)
{
    return rc.right <= rc.left || rc.bottom <= rc.top;
}

// Whether the button is still one of the bar's buttons and the bar still alive: the loop
// pumps messages that may remove the button or rebuild the bar.
bool IsStillInBar(CUiToolControlBar* pBar, HWND hBar, const CUiBarButton* pButton)
{
    if (!::IsWindow(hBar) || CWnd::FromHandlePermanent(hBar) != pBar)
        return false;
    for (int i = 0; i < pBar->GetButtonsCount(); ++i) {
        if (pBar->m_arrButtons[i] == pButton)
            return true;
    }
    return false;
}

bool IsLoopEndMessage(const MSG& msg, HWND hBar)
{
    switch (msg.message) {
    case WM_CANCELMODE:
    case WM_ACTIVATEAPP:
    case WM_KEYDOWN:
    case WM_KEYUP:
        return true;
    case WM_CAPTURECHANGED:
        return (HWND)msg.lParam != hBar;
    default:
        return msg.message >= WM_LBUTTONUP && msg.message <= WM_MBUTTONDBLCLK;
    }
}

// The buttons as of the input taken so far, not as the hand holds them now: a move and a release
// taken late together must still move the thumb before the release ends the loop.
bool IsKeyDown(int vk)
{
    return (::GetKeyState(vk) & 0x8000) != 0;
}

} // namespace

CUiBarSliderButton::CUiBarSliderButton() : CUiBarSliderButton(nullptr, 0, 0)
{
}

CUiBarSliderButton::CUiBarSliderButton(CUiToolControlBar* pBar, UINT nCmdID, DWORD dwStyle)
    : CUiBarButton(pBar, nCmdID, dwStyle), m_nPressedPart(-1), m_nHotPart(-1), m_nTotal(0), m_nPos(0), m_nPage(0),
      m_nArrowH(0), m_nArrowV(0), m_nAreaH(50), m_nAreaV(50)
{
    for (RECT& rc : m_rcParts)
        ::SetRectEmpty(&rc);
}

CUiBarSliderButton::~CUiBarSliderButton()
{
}

bool CUiBarSliderButton::IsHorizontal() const
{
    return m_bNoRotateVertical || m_pBar == nullptr || !m_pBar->IsDockedVertically();
}

UINT CUiBarSliderButton::GetScrollRange() const
{
    return SliderMath::PositionRange(m_nTotal, m_nPage, (int)(IsHorizontal() ? m_nArrowH : m_nArrowV));
}

UINT CUiBarSliderButton::Exchange(UINT& nField, UINT nValue)
{
    const UINT nOld = nField;
    nField = nValue;
    CalcSliderLayout();
    return nOld;
}

UINT CUiBarSliderButton::SetScrollTotal(UINT nTotal)
{
    if (m_nPos > nTotal)
        m_nPos = nTotal;
    return Exchange(m_nTotal, nTotal);
}

UINT CUiBarSliderButton::SetScrollPos(UINT nPos)
{
    return Exchange(m_nPos, nPos);
}

UINT CUiBarSliderButton::SetScrollPageSize(UINT nPage)
{
    return Exchange(m_nPage, nPage);
}

UINT CUiBarSliderButton::SetScrollButtonExtentH(UINT nExtent)
{
    return Exchange(m_nArrowH, nExtent);
}

UINT CUiBarSliderButton::SetScrollButtonExtentV(UINT nExtent)
{
    return Exchange(m_nArrowV, nExtent);
}

UINT CUiBarSliderButton::SetScrollAreaExtentH(UINT nExtent)
{
    return Exchange(m_nAreaH, nExtent);
}

UINT CUiBarSliderButton::SetScrollAreaExtentV(UINT nExtent)
{
    return Exchange(m_nAreaV, nExtent);
}

void CUiBarSliderButton::SetRect(const RECT& rc)
{
    m_rect = rc;
    CalcSliderLayout();
}

void CUiBarSliderButton::CalcSliderLayout()
{
    const bool bHorz = IsHorizontal();
    SliderMath::Settings s;
    s.nTotal = m_nTotal;
    s.nPos = m_nPos;
    s.nPage = m_nPage;
    s.nArrowExtent = (int)(bHorz ? m_nArrowH : m_nArrowV);
    s.nAreaLength = (int)(bHorz ? m_nAreaH : m_nAreaV);
    SliderMath::CalcSliderLayout(m_rect, bHorz, s, m_rcParts);
}

// ---- Measuring and painting.

CSize CUiBarSliderButton::CalculateLayout(CDC& dc, CSize sizeGiven, bool bHorz)
{
    if (m_bNoRotateVertical)
        bHorz = true;
    if (FindCmdItem(m_nEffectiveCmdID) == nullptr) {
        m_size = sizeGiven;
        return m_size;
    }
    bool bIcon = false, bText = false;
    const CSize sizeContent = MeasureContent(dc, bHorz, bIcon, bText);
    int w = sizeContent.cx, h = sizeContent.cy;
    if (!bText && m_pBar != nullptr) {
        const CSize sizeDefault = m_pBar->GetDefaultButtonSize();
        if (bHorz)
            h = std::max<int>(h, sizeDefault.cy - 7);
        else
            w = std::max<int>(w, sizeDefault.cx - 7);
    }
    if (bHorz)
        w += (int)m_nAreaH;
    else
        h += (int)m_nAreaV;
    if (!bText && !bIcon) {
        if (bHorz)
            h += 4;
        else
            w += 4;
    }
    if (bIcon) {
        w += 6;
        h += 6;
    }
    m_size = CSize(w, h);
    return m_size;
}

void CUiBarSliderButton::Paint(CDC& dc, bool bHorz)
{
    if (m_bNoRotateVertical)
        bHorz = true;
    if (!m_bVisible || (GetStyle() & TBBS_HIDDEN) || !dc.RectVisible(&m_rect))
        return;
    const RECT& rcLabel = m_rcParts[SliderMath::kLabel];
    if (!IsEmptyPart(rcLabel) && dc.RectVisible(&rcLabel)) {
        CUiCmdIcon iconLarge;
        CUiCmdIcon* pIcon = GetPaintIcon(iconLarge);
        CFont* pFont = CUiToolControlBar::GetButtonFont(!bHorz);
        const CString strText = GetText();
        PushButtonPaintData data(this, bHorz, rcLabel, strText, pIcon, TRUE, FALSE, FALSE, FALSE, !IsDisabled(), TRUE,
                                 FALSE, FALSE, 5, pFont != nullptr ? (HFONT)pFont->GetSafeHandle() : NULL, FALSE, 0,
                                 TRUE);
        PaintManagerHolder::Get()->PaintPushButton(dc, data);
    }
    const RECT& rcArea = m_rcParts[SliderMath::kScrollArea];
    if (IsEmptyPart(rcArea) || !dc.RectVisible(&rcArea))
        return;
    for (int nPart = SliderMath::kScrollArea; nPart <= SliderMath::kThumb; ++nPart) {
        const RECT& rc = m_rcParts[nPart];
        if (!IsEmptyPart(rc) && dc.RectVisible(&rc))
            PaintSlider(dc, nPart, bHorz);
    }
}

void CUiBarSliderButton::PaintSlider(CDC& dc, int nPart, bool bHorz)
{
    CUiPaintManager* pPM = PaintManagerHolder::Get().GetStoredHandle();
    const bool bActive = !IsDisabled() && m_nTotal > m_nPage && m_nTotal > 0;
    const bool bPressed = bActive && nPart == m_nPressedPart;
    const bool bMenus = CUiToolControlBar::g_bMenuTracking || CUiPopupMenuWnd::IsTrackingMenu();
    const bool bHot = !bMenus && (m_bHover || m_bTrackingPressed) && (nPart == m_nHotPart || m_nHotPart < 0);
    const bool bArrows = (bHorz ? m_nArrowH : m_nArrowV) > 0;
    CRect rc(m_rcParts[nPart]);
    // The track and page areas: the look's light face while the slider can move, its plain
    // face otherwise, the shadow while a page area is held.
    const int nFace = bActive ? COLOR_3DLIGHT : COLOR_BTNFACE;
    switch (nPart) {
    case SliderMath::kTrack:
        if (bArrows) {
            ::FillRect(dc.GetSafeHdc(), &rc, pPM->GetBrush(nFace));
        } else {
            CRect rcGroove(rc);
            if (bHorz) {
                rcGroove.top = rc.top + rc.Height() / 2 - 1;
                rcGroove.bottom = rcGroove.top + 3;
            } else {
                rcGroove.left = rc.left + rc.Width() / 2 - 1;
                rcGroove.right = rcGroove.left + 3;
            }
            ::FillRect(dc.GetSafeHdc(), &rcGroove, ::GetSysColorBrush(COLOR_3DDKSHADOW));
            rcGroove.DeflateRect(1, 1);
            ::FillRect(dc.GetSafeHdc(), &rcGroove, pPM->GetBrush(nFace));
        }
        return;
    case SliderMath::kPageBefore:
    case SliderMath::kPageAfter:
        if (bArrows)
            ::FillRect(dc.GetSafeHdc(), &rc, pPM->GetBrush(bPressed ? COLOR_3DSHADOW : nFace));
        return;
    case SliderMath::kDecrement:
    case SliderMath::kIncrement:
    case SliderMath::kThumb:
        break;
    default:
        return;
    }
    PushButtonPaintData data(this, bHorz, rc, nullptr, nullptr, TRUE, bHot && bActive, bPressed, FALSE, bActive, TRUE,
                             FALSE, FALSE, 5, NULL, FALSE, 0, FALSE);
    pPM->PaintPushButton(dc, data);
    if (nPart == SliderMath::kThumb)
        return;
    const bool bDecrement = nPart == SliderMath::kDecrement;
    const int nGlyph = bHorz ? (bDecrement ? kGlyphTriangleLeft : kGlyphTriangleRight)
                             : (bDecrement ? kGlyphTriangleUp : kGlyphTriangleDown);
    const COLORREF colors[2] = {0, pPM->GetColor(bPressed ? (bDecrement ? 1010 : 1011) : 2010)};
    pPM->PaintGlyphCentered(dc, rc, GetCaptionGlyph(nGlyph), colors);
}

// ---- Tracking.

int CUiBarSliderButton::HitTestPart(CPoint point) const
{
    for (int nPart = SliderMath::kPageBefore; nPart <= SliderMath::kThumb; ++nPart) {
        if (::PtInRect(&m_rcParts[nPart], point))
            return nPart;
    }
    return -1;
}

void CUiBarSliderButton::OnClick(CPoint point, bool bDown)
{
    CUiBarButton::OnClick(point, bDown);
    if (m_pBar == nullptr || m_pBar->GetSafeHwnd() == NULL || CUiControlBar::IsFrameInHelpMode(m_pBar))
        return;
    m_nPressedPart = m_nHotPart = -1;
    const UINT nRange = GetScrollRange();
    if (!bDown || nRange == 0) {
        RedrawButton(true);
        return;
    }
    m_nPressedPart = HitTestPart(point);
    RedrawButton(true);
    if (m_nPressedPart < 0)
        return;
    const int nStep = SliderMath::StepOf(m_nPressedPart, m_nPage, nRange);
    if (m_nPressedPart == SliderMath::kThumb) {
        m_nHotPart = m_nPressedPart;
        RedrawButton(false);
    }
    TrackPress(point, nStep);
}

void CUiBarSliderButton::TrackPress(CPoint point, int nStep)
{
    CUiToolControlBar* pBar = m_pBar;
    const HWND hBar = pBar->GetSafeHwnd();
    const bool bHorz = IsHorizontal();
    const bool bThumb = m_nPressedPart == SliderMath::kThumb;
    const UINT nStartPos = m_nPos;
    pBar->CUiMouseCaptureSink::SetCapture(hBar);
    const bool bTimer = nStep != 0 && ::SetTimer(hBar, kRepeatTimer, kRepeatPeriod, NULL) != 0;

    bool bInBar = true;
    while (::IsWindow(hBar)) {
        MSG msg;
        if (!::PeekMessage(&msg, NULL, 0, 0, PM_NOREMOVE)) {
            ::WaitMessage();
            continue;
        }
        if (IsLoopEndMessage(msg, hBar) || !IsKeyDown(VK_LBUTTON) || IsKeyDown(VK_RBUTTON) || IsKeyDown(VK_MBUTTON) ||
            CUiPopupMenuWnd::IsTrackingMenu() || ::GetCapture() != hBar)
            break;
        const bool bTick = msg.message == WM_TIMER && msg.hwnd == hBar && msg.wParam == kRepeatTimer;
        if (!bTick && msg.message != WM_MOUSEMOVE) {
            if (!AfxPumpPeekedMessage(msg)) {
                ::PostQuitMessage(0);
                break;
            }
            bInBar = IsStillInBar(pBar, hBar, this);
            if (!bInBar)
                break;
            continue;
        }
        ::PeekMessage(&msg, msg.hwnd, msg.message, msg.message, PM_REMOVE);
        const UINT nRange = GetScrollRange();
        CPoint ptCursor;
        ::GetCursorPos(&ptCursor);
        ::ScreenToClient(hBar, &ptCursor);
        if (bThumb) {
            if (bTick)
                continue;
            const RECT& rcTrack = m_rcParts[SliderMath::kTrack];
            const RECT& rcThumb = m_rcParts[SliderMath::kThumb];
            const int nFree = bHorz ? (rcTrack.right - rcTrack.left) - (rcThumb.right - rcThumb.left)
                                    : (rcTrack.bottom - rcTrack.top) - (rcThumb.bottom - rcThumb.top);
            if (nFree < 1)
                break;
            const int nDistance = bHorz ? ptCursor.x - point.x : ptCursor.y - point.y;
            SetScrollPos(SliderMath::DragPosition(nStartPos, nDistance, nFree, nRange));
            m_nHotPart = m_nPressedPart;
            RedrawButton(true);
            continue;
        }
        if (!::PtInRect(&m_rcParts[m_nPressedPart], ptCursor)) {
            if (m_nHotPart != -1) {
                m_nHotPart = -1;
                RedrawButton(true);
            }
            continue;
        }
        SetScrollPos(SliderMath::MoveByStep(m_nPos, nStep, nRange));
        m_nHotPart = m_nPressedPart;
        RedrawButton(true);
    }

    if (::IsWindow(hBar)) {
        if (bTimer)
            ::KillTimer(hBar, kRepeatTimer);
        if (::GetCapture() == hBar)
            ::ReleaseCapture();
    }
    if (!bInBar || !IsStillInBar(pBar, hBar, this))
        return;
    m_nPressedPart = m_nHotPart = -1;
    RedrawButton(true);
}
