// The toolbar's answers to the docking code's size questions and the placement of its
// buttons. The wrap flags (one per layout mode) carry the rows from the size questions to
// the placement; a docked bar too short for its buttons hides the ones that fit worst and
// lists them in the chevron's menu.
#include "toolcontrolbar.h"

#include <algorithm>
#include <climits>

#include "dockbar.h"
#include "monitorinfo.h"
#include "paintmanager.h"
#include "paintmanagerholder.h"

// A client context of the bar with a measuring font selected.
class CUiToolControlBar::MeasureContext {
public:
    MeasureContext(const CUiToolControlBar* pBar, bool bVerticalFont)
        : m_hWnd(pBar->GetSafeHwnd()), m_hDC(::GetDC(pBar->GetSafeHwnd())), m_hOld(NULL)
    {
        CFont* pFont = GetButtonFont(bVerticalFont);
        if (pFont != nullptr && pFont->GetSafeHandle() != NULL)
            m_hOld = ::SelectObject(m_hDC, pFont->GetSafeHandle());
    }
    ~MeasureContext()
    {
        if (m_hOld != NULL)
            ::SelectObject(m_hDC, m_hOld);
        ::ReleaseDC(m_hWnd, m_hDC);
    }
    CDC& dc() const { return *CDC::FromHandle(m_hDC); }

private:
    HWND m_hWnd;
    HDC m_hDC;
    HGDIOBJ m_hOld;
    MeasureContext(const MeasureContext&) = delete;
    MeasureContext& operator=(const MeasureContext&) = delete;
};

namespace {

const int kUnbounded = 32767;

bool AlignedTopOrBottom(DWORD dwStyle)
{
    return (dwStyle & (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)) != 0;
}

int RowGap(CUiToolControlBar* pBar)
{
    return PaintManagerHolder::Get()->GetFixedBarPadding(pBar);
}

} // namespace

bool CUiToolControlBar::IsHorizontalBar() const
{
    return AlignedTopOrBottom(m_dwStyle) || m_bNoContentExpand;
}

bool CUiToolControlBar::IsButtonInLayout(int nIndex) const
{
    CUiBarButton* pButton = GetButton(nIndex);
    if (pButton == nullptr || (pButton->GetStyle() & TBBS_HIDDEN))
        return false;
    CUiBarButton* pNext = GetButton(nIndex + 1);
    return !(pButton->IsSeparator() && pNext != nullptr && (pNext->GetStyle() & TBBS_HIDDEN));
}

// ---- Size questions.

CSize CUiToolControlBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    return CalcLayoutExtent((bStretch ? LM_STRETCH : 0) | (bHorz ? LM_HORZ : 0), -1);
}

CSize CUiToolControlBar::CalcDynamicLayout(int nLength, DWORD nMode)
{
    if (nLength == -1 && !(nMode & (LM_MRUWIDTH | LM_COMMIT)) && (nMode & (LM_HORZDOCK | LM_VERTDOCK)))
        return CalcFixedLayout((nMode & LM_STRETCH) != 0, (nMode & LM_HORZDOCK) != 0);
    return CalcLayoutExtent(nMode, nLength);
}

CSize CUiToolControlBar::CalcLayoutExtent(DWORD nMode, int nLength)
{
    if (!m_bInRelayout)
        m_bContentWrapped = 0;
    CSize size = GetDefaultButtonSize();
    const CSize sizeDefault = size;
    if (GetButtonsCount() > 0) {
        if (m_pContentExpandButton != nullptr)
            m_pContentExpandButton->m_bNothingHidden = false;
        const bool bHorz = (nMode & LM_HORZ) != 0;
        int nWork = bHorz ? kUnbounded : 0;
        bool bVertSizing = false;
        CRect rcBorders(0, 0, 0, 0);
        AdjustInsideRect(rcBorders, bHorz);
        if (m_dwStyle & CBRS_SIZE_DYNAMIC) {
            if (nMode & LM_MRUWIDTH) {
                nWork = m_nMRUWidth;
            } else if (nMode & LM_HORZDOCK) {
                nWork = kUnbounded;
            } else if (nMode & LM_VERTDOCK) {
                nWork = 0;
            } else if (nLength != -1) {
                if (nMode & LM_LENGTHY) {
                    nWork = nLength + rcBorders.Height();
                    bVertSizing = true;
                } else {
                    nWork = nLength + rcBorders.Width();
                }
            } else if (m_dwStyle & CBRS_FLOATING) {
                nWork = m_nMRUWidth;
            }
        }
        const bool bExpand = IsContentExpandAllowed() && !m_bNoContentExpand;
        CRect rcHost(0, 0, 0, 0);
        CWnd* pHost = m_pDockBar != nullptr ? (CWnd*)m_pDockBar : (GetSafeHwnd() != NULL ? GetParent() : nullptr);
        if (pHost != nullptr)
            pHost->GetClientRect(&rcHost);
        if (bExpand && !bHorz) {
            nWork = rcHost.Height();
            bVertSizing = true;
        }
        WrapButtonRows(nWork, bVertSizing);
        size = CalcWrappedExtent(!bHorz);
        bool bLaidOut = false;
        if ((m_dwStyle & CBRS_SIZE_DYNAMIC) && bExpand) {
            CSize sizeExtra(6, 6);
            if (m_pContentExpandButton != nullptr && m_pContentExpandButton->IsVisible()) {
                const CSize sizeChevron = m_pContentExpandButton->GetSize();
                sizeExtra = bHorz ? CSize(sizeChevron.cx + 6, 6) : CSize(6, sizeChevron.cy + 6);
            }
            int nNew = nWork;
            if (bHorz && size.cx + sizeExtra.cx > rcHost.Width())
                nNew = rcHost.Width() - sizeExtra.cx;
            else if (!bHorz && size.cy + sizeExtra.cy > rcHost.Height())
                nNew = rcHost.Height() - sizeExtra.cy;
            nNew = std::max(nNew, 1);
            if (nNew != nWork && !m_bInRelayout) {
                m_bContentWrapped = 1;
                m_bInRelayout = 1;
                const CSize sizeAgain = CalcLayoutExtent(nMode, nNew);
                if (nWork != kUnbounded)
                    CalcButtonLayout();
                m_bInRelayout = 0;
                return sizeAgain;
            }
        }
        if (!bLaidOut && nWork != kUnbounded)
            CalcButtonLayout();
        if (m_pContentExpandButton != nullptr && m_pContentExpandButton->m_arrHidden.GetSize() == 0) {
            m_pContentExpandButton->m_bNothingHidden = true;
            size = CalcWrappedExtent(!bHorz);
        }
        if ((nMode & LM_COMMIT) && (m_dwStyle & (CBRS_FLOATING | CBRS_SIZE_DYNAMIC)) && bHorz)
            m_nMRUWidth = size.cx;
        size.cx -= rcBorders.Width();
        size.cy -= rcBorders.Height();
        const CSize sizeFixed = CControlBar::CalcFixedLayout((nMode & LM_STRETCH) != 0, bHorz);
        size.cx = std::max(size.cx, sizeFixed.cx);
        size.cy = std::max(size.cy, sizeFixed.cy);
        bool bAcross = false, bLeft = false;
        if (IsBarFloating() && QueryGripperLayout(bAcross, bLeft))
            size.cy += std::min(m_rcCaption.Width(), m_rcCaption.Height());
        // A docked bar's frame (the look's part of the window) comes on top, or the buttons
        // that the size was made for would not fit the client area it leaves.
        if (m_pDockBar != nullptr && !IsBarFloating()) {
            CRect rcFrame(0, 0, 100, 100);
            PaintManagerHolder::Get()->AdjustBarClientRect(this, rcFrame);
            size.cx += 100 - rcFrame.Width();
            size.cy += 100 - rcFrame.Height();
            // So does its gripper, which the non-client area takes from the same window.
            bool bGripAcross = false, bGripLeft = false;
            if (QueryGripperLayout(bGripAcross, bGripLeft)) {
                if (bGripAcross)
                    size.cy += m_nCaptionTop + 1;
                else
                    size.cx += m_nCaptionLeft + 1;
            }
        }
    }
    if (IsBarFloating()) {
        size.cx = std::max<int>(size.cx, sizeDefault.cx * 2);
        m_sizeFloat = size;
    } else if (IsDockedVertically()) {
        m_sizeVert = size;
    } else {
        m_sizeHorz = size;
    }
    // Not yet docked: the class library gives every bar of a frame its dock site when it
    // is created, so the dock bar tells.
    if (m_pDockBar == nullptr) {
        if (AlignedTopOrBottom(m_dwStyle))
            size.cy += 4;
        else
            size.cx += 4;
    }
    return size;
}

void CUiToolControlBar::WrapButtonRows(int nLength, bool bVertical)
{
    if (m_bNoContentExpand || GetButtonsCount() == 0)
        return;
    const CSize sizeDefault = GetDefaultButtonSize();
    const int nStep = sizeDefault.cx / 2;
    if (IsContentExpandAllowed()) {
        if (!bVertical) {
            WrapButtonsHorizontally(nLength, kUnbounded);
            return;
        }
        for (int h = std::max<int>(nLength - sizeDefault.cy, sizeDefault.cy); h > 0; h -= sizeDefault.cy / 2) {
            WrapButtonsVertically(h);
            if (CalcWrappedExtent(true).cy <= nLength)
                break;
        }
        return;
    }
    if (!IsBarFloating()) {
        if (bVertical)
            WrapButtonsHorizontally(kUnbounded, nLength);
        else
            WrapButtonsHorizontally(nLength, kUnbounded);
        return;
    }
    if (bVertical) {
        if (nLength >= kUnbounded) {
            WrapButtonsHorizontally(kUnbounded, kUnbounded);
            return;
        }
        MonitorInfo info;
        MonitorInfoFromWindow(info, this);
        const int nLimit = info.rcWork.right - info.rcWork.left + nStep;
        for (int w = nStep; w <= nLimit; w += nStep) {
            WrapButtonsHorizontally(w, kUnbounded);
            const CSize sizeExtent = CalcWrappedExtent(false);
            if (sizeExtent.cy <= nLength) {
                WrapButtonsHorizontally(sizeExtent.cx, kUnbounded);
                break;
            }
        }
        return;
    }
    const int nRows = WrapButtonsHorizontally(nLength, kUnbounded);
    int nLow = nStep, nHigh = nLength;
    if (WrapButtonsHorizontally(nLow, kUnbounded) != nRows || nLow < nLength) {
        while (nLow < nHigh) {
            const int nMid = (nLow + nHigh) / 2;
            if (nMid == nLow)
                break;
            if (WrapButtonsHorizontally(nMid, kUnbounded) == nRows)
                nHigh = nMid;
            else
                nLow = nMid;
        }
        WrapButtonsHorizontally(nHigh, kUnbounded);
    }
    WrapButtonsHorizontally(CalcWrappedExtent(false).cx, kUnbounded);
}

int CUiToolControlBar::WrapButtonsHorizontally(int nWidth, int nHeight)
{
    const bool bAllowed = IsBarFloating() || nHeight == kUnbounded || IsContentExpandAllowed();
    const bool bMeasureHorz = AlignedTopOrBottom(m_dwStyle);
    MeasureContext mc(this, !bMeasureHorz && !m_bNoContentExpand);
    if (!bAllowed && IsHorizontalBar() && m_pContentExpandButton != nullptr && !m_bNoContentExpand)
        nWidth -= m_pContentExpandButton->CalculateLayout(mc.dc(), GetDefaultButtonSize(), true).cx;
    return WrapWalk(mc.dc(), nWidth, bMeasureHorz, false, bAllowed, m_bNoContentExpand);
}

int CUiToolControlBar::WrapButtonsVertically(int nHeight)
{
    MeasureContext mc(this, true);
    if (m_pContentExpandButton != nullptr)
        nHeight -= m_pContentExpandButton->CalculateLayout(mc.dc(), GetDefaultButtonSize(), false).cy;
    return WrapWalk(mc.dc(), nHeight, false, true, true, false);
}

int CUiToolControlBar::WrapWalk(CDC& dc, int nAvailable, bool bMeasureHorz, bool bAlongHeight, bool bAllowed,
                                bool bKeepFlags)
{
    const CSize sizeDefault = GetDefaultButtonSize();
    const int nMode = GetLayoutMode();
    int nLines = 1, nPos = 0;
    CUiBarButton* pPrev = nullptr;
    for (int i = 0; i < GetButtonsCount(); ++i) {
        CUiBarButton* pButton = m_arrButtons[i];
        if (!bKeepFlags)
            pButton->SetWrap(nMode, false);
        if (pButton == m_pContentExpandButton)
            break;
        if (!IsButtonInLayout(i))
            continue;
        const CSize size = pButton->CalculateLayout(dc, sizeDefault, bMeasureHorz);
        int nExtent = bAlongHeight ? size.cy : size.cx;
        if (pButton->IsSeparator() && nPos == 0)
            nExtent = 0;
        // Kept flags say where lines break; otherwise a line breaks before a button that
        // does not fit (never before a separator).
        const bool bNewLine = bKeepFlags
                                  ? (pPrev != nullptr && pPrev->GetWrap(nMode))
                                  : (bAllowed && pPrev != nullptr && nPos + nExtent > nAvailable && !pButton->IsSeparator());
        if (bNewLine) {
            if (!bKeepFlags)
                pPrev->SetWrap(nMode, true);
            ++nLines;
            nPos = 0;
        }
        nPos += nExtent;
        pPrev = pButton;
    }
    return nLines;
}

CSize CUiToolControlBar::CalcWrappedExtent(bool bVertical)
{
    const CSize sizeDefault = GetDefaultButtonSize();
    if (GetButtonsCount() == 0)
        return sizeDefault;
    const bool bColumns = bVertical && IsContentExpandAllowed() && !m_bNoContentExpand;
    const bool bStacked = bVertical && !m_bNoContentExpand && !bColumns;
    const bool bMeasureHorz = !(bVertical && !m_bNoContentExpand);
    MeasureContext mc(this, !bMeasureHorz);
    const int nMode = GetLayoutMode();
    const int nGap = RowGap(this);
    CSize result = sizeDefault;
    int nThickness = bColumns ? sizeDefault.cx : sizeDefault.cy;
    int x = 0, y = 0, nLines = 0;
    bool bLineStart = true;
    for (int i = 0; i < GetButtonsCount(); ++i) {
        CUiBarButton* pButton = m_arrButtons[i];
        if (pButton == m_pContentExpandButton)
            break;
        if (!IsButtonInLayout(i))
            continue;
        CSize size = pButton->CalculateLayout(mc.dc(), sizeDefault, bMeasureHorz);
        // Stacked down a docked side there are no wrap points: the placement keeps every
        // separator but a leading one, and so does the size.
        if (pButton->IsSeparator() && (bLineStart || (!bStacked && pButton->GetWrap(nMode))))
            size = CSize(0, 0);
        result.cx = std::max<int>(result.cx, x + size.cx);
        result.cy = std::max<int>(result.cy, y + size.cy);
        bLineStart = false;
        if (bColumns) {
            nThickness = std::max<int>(nThickness, size.cx);
            y += size.cy;
            if (pButton->GetWrap(nMode)) {
                x += nThickness + nGap;
                y = 0;
                nThickness = sizeDefault.cx;
                ++nLines;
                bLineStart = true;
            }
        } else if (bStacked) {
            y += size.cy;
        } else {
            nThickness = std::max<int>(nThickness, size.cy);
            x += size.cx;
            if (pButton->GetWrap(nMode)) {
                y += nThickness + nGap;
                x = 0;
                nThickness = sizeDefault.cy;
                ++nLines;
                bLineStart = true;
            }
        }
    }
    if (m_pContentExpandButton != nullptr) {
        if (IsContentExpandAllowed()) {
            const CSize sizeChevron = m_pContentExpandButton->CalculateLayout(mc.dc(), sizeDefault, !bVertical);
            if (bVertical)
                result.cy += sizeChevron.cy;
            else
                result.cx += sizeChevron.cx;
            if (nLines > 0 && !m_bNoContentExpand)
                m_bContentWrapped = 1;
        } else if (!IsBarFloating()) {
            // The placement keeps the look's extra space before the chevron: so does the size.
            const CSize sizeChevron = m_pContentExpandButton->CalculateLayout(mc.dc(), sizeDefault, bMeasureHorz);
            const CSize sizeExtra = PaintManagerHolder::Get()->GetBarButtonExtraSpace();
            result.cx = std::max<int>(result.cx, x + sizeChevron.cx + (bMeasureHorz ? sizeExtra.cx : 0));
            result.cy = std::max<int>(result.cy, y + sizeChevron.cy + (bMeasureHorz ? 0 : sizeExtra.cy));
        }
    }
    if (!bVertical) {
        result.cx += nGap / 2 + m_cxLeftBorder + m_cxRightBorder;
    } else {
        result.cx += 1;
        result.cy += m_cyTopBorder + m_cyBottomBorder + nGap;
    }
    if (IsBarFloating()) {
        result.cx += 1;
        result.cy += 1;
    }
    if (m_bNoContentExpand && (m_bBarFlags & kContained) && GetSafeHwnd() != NULL) {
        CRect rc(0, 0, 1, 1);
        CalcWindowRect(&rc);
        result.cx += rc.Width() - 1 + m_cxLeftBorder + m_cxRightBorder;
        result.cy += rc.Height() - 1 + m_cyTopBorder + m_cyBottomBorder;
    }
    return result;
}

CSize CUiToolControlBar::CalcMinimumSize(bool bHorz)
{
    if (m_bNoContentExpand)
        return CUiToolControlBar::CalcFixedLayout(FALSE, bHorz);
    MeasureContext mc(this, !bHorz);
    const CSize sizeDefault = GetDefaultButtonSize();
    CSize size(0, 0);
    if (m_pContentExpandButton != nullptr)
        size = m_pContentExpandButton->CalculateLayout(mc.dc(), sizeDefault, bHorz);
    int nSmallest = -1;
    for (int i = 0; i < GetButtonsCount() && m_arrButtons[i] != m_pContentExpandButton; ++i) {
        CUiBarButton* pButton = m_arrButtons[i];
        if (pButton->IsSeparator() || (pButton->GetStyle() & TBBS_HIDDEN))
            continue;
        const CSize sizeButton = pButton->CalculateLayout(mc.dc(), sizeDefault, bHorz);
        const int nExtent = bHorz ? sizeButton.cx : sizeButton.cy;
        nSmallest = nSmallest < 0 ? nExtent : std::min(nSmallest, nExtent);
    }
    if (nSmallest > 0) {
        if (bHorz)
            size.cx += nSmallest;
        else
            size.cy += nSmallest;
    }
    if (GetSafeHwnd() != NULL) {
        CRect rcWindow, rcClient;
        GetWindowRect(&rcWindow);
        GetClientRect(&rcClient);
        if (bHorz)
            size.cx += rcWindow.Width() - rcClient.Width();
        else
            size.cy += rcWindow.Height() - rcClient.Height();
    }
    return size;
}

CSize CUiToolControlBar::GetMinSize() const
{
    return const_cast<CUiToolControlBar*>(this)->CalcMinimumSize(!IsDockedVertically());
}

// ---- Placement.

void CUiToolControlBar::HideOverflow(CArray<CRect, const CRect&>& rects, CArray<bool, bool>& visible, int nIndex,
                                     int nOverflow, int& nPos, bool bHorz)
{
    auto extent = [&](int i) { return bHorz ? rects[i].Width() : rects[i].Height(); };
    // Remainders are signed: an earlier button that covers the overflow with a smaller
    // remainder than the current one's wins; a tie keeps the current one.
    int nBest = -1, nBestRest = nOverflow - extent(nIndex);
    for (int i = 0; i < nIndex; ++i) {
        if (!visible[i] || m_arrButtons[i]->IsSeparator() || extent(i) > nOverflow)
            continue;
        const int nRest = nOverflow - extent(i);
        if (nRest < nBestRest) {
            nBest = i;
            nBestRest = nRest;
        }
    }
    if (nBest < 0) {
        visible[nIndex] = false;
        nPos -= extent(nIndex);
        if (!m_arrButtons[nIndex]->IsSeparator())
            m_pContentExpandButton->m_arrHidden.Add(m_arrButtons[nIndex]);
        return;
    }
    int nFreed = extent(nBest);
    visible[nBest] = false;
    m_pContentExpandButton->m_arrHidden.Add(m_arrButtons[nBest]);
    int nPrev = -1, nNext = -1;
    for (int i = nBest - 1; i >= 0 && nPrev < 0; --i)
        if (visible[i])
            nPrev = i;
    for (int i = nBest + 1; i <= nIndex && nNext < 0; ++i)
        if (visible[i])
            nNext = i;
    if (nPrev >= 0 && nNext >= 0 && m_arrButtons[nPrev]->IsSeparator() && m_arrButtons[nNext]->IsSeparator()) {
        visible[nPrev] = false;
        nFreed += extent(nPrev);
    }
    for (int i = nBest + 1; i <= nIndex; ++i) {
        if (visible[i])
            rects[i].OffsetRect(bHorz ? -nFreed : 0, bHorz ? 0 : -nFreed);
    }
    nPos -= nFreed;
}

void CUiToolControlBar::CalcButtonLayout()
{
    if (GetSafeHwnd() == NULL || GetButtonsCount() == 0)
        return;
    PlaceButtons();
}

void CUiToolControlBar::PlaceButtons()
{
    CRect rcArea;
    GetClientRect(&rcArea);
    rcArea.left += m_cxLeftBorder;
    rcArea.right -= m_cxRightBorder;
    rcArea.top += m_cyTopBorder;
    rcArea.bottom -= m_cyBottomBorder;
    const bool bHorz = IsHorizontalBar();
    const bool bMeasureHorz = AlignedTopOrBottom(m_dwStyle);
    const bool bFloating = IsBarFloating() != FALSE;
    const bool bDocked = !bFloating;
    const bool bRowsByFlags = bFloating || m_bNoContentExpand;
    const int nMode = GetLayoutMode();
    const int nGap = RowGap(this);
    const CSize sizeDefault = GetDefaultButtonSize();
    MeasureContext mc(this, !bMeasureHorz && !m_bNoContentExpand);
    CUiPaintManager* pPaint = PaintManagerHolder::Get().GetStoredHandle();

    const int nCount = GetButtonsCount();
    const int nMain = m_pContentExpandButton != nullptr ? nCount - 1 : nCount;
    CArray<CRect, const CRect&> rects;
    CArray<bool, bool> visible;
    rects.SetSize(nCount);
    visible.SetSize(nCount);

    if (m_pContentExpandButton != nullptr) {
        m_pContentExpandButton->m_arrHidden.RemoveAll();
        m_pContentExpandButton->m_bNothingHidden = true;
        if (bDocked && !m_bNoContentExpand) {
            const CSize sizeChevron = m_pContentExpandButton->CalculateLayout(mc.dc(), sizeDefault, bHorz);
            const CSize sizeExtra = pPaint->GetBarButtonExtraSpace();
            CRect rc = rcArea;
            if (bHorz) {
                rc.left = rc.right - sizeChevron.cx;
                rcArea.right -= sizeChevron.cx + sizeExtra.cx;
            } else {
                rc.top = rc.bottom - sizeChevron.cy;
                rcArea.bottom -= sizeChevron.cy + sizeExtra.cy;
            }
            rects[nCount - 1] = rc;
            visible[nCount - 1] = true;
        } else {
            rects[nCount - 1] = CRect(rcArea.TopLeft(), CSize(0, 0));
            visible[nCount - 1] = false;
        }
        if (nCount == 1) {
            m_pContentExpandButton->SetVisible(visible[0]);
            m_pContentExpandButton->SetRect(rects[0]);
            return;
        }
    }

    // The main walk.
    int x = rcArea.left, y = rcArea.top, nThickness = sizeDefault.cy;
    int nLastVisible = -1;
    bool bHidAny = false;
    for (int i = 0; i < nMain; ++i) {
        CUiBarButton* pButton = m_arrButtons[i];
        visible[i] = true;
        if (!IsButtonInLayout(i)) {
            visible[i] = false;
            rects[i] = CRect(x, y, x, y);
            continue;
        }
        pButton->SetVerticalLayout(!bHorz);
        if (pButton->IsSeparator() && (nLastVisible < 0 || m_arrButtons[nLastVisible]->IsSeparator()))
            visible[i] = false;
        const CSize size = pButton->CalculateLayout(mc.dc(), sizeDefault, bMeasureHorz);
        rects[i] = CRect(x, y, x + size.cx, y + size.cy);
        if (!visible[i])
            continue;
        nThickness = std::max<int>(nThickness, size.cy);
        if (bRowsByFlags) {
            if (pButton->GetWrap(nMode)) {
                x = rcArea.left;
                y += nGap + nThickness;
                nThickness = sizeDefault.cy;
            } else if (bHorz) {
                x += size.cx;
            } else {
                y += size.cy;
            }
            nLastVisible = i;
            continue;
        }
        int& nPos = bHorz ? x : y;
        nPos += bHorz ? size.cx : size.cy;
        const int nEnd = bHorz ? rcArea.right : rcArea.bottom;
        // No visible button may reach past the end of the area.
        while (nPos > nEnd && visible[i] && m_pContentExpandButton != nullptr) {
            HideOverflow(rects, visible, i, nPos - nEnd, nPos, bHorz);
            bHidAny = true;
        }
        if (visible[i])
            nLastVisible = i;
        else
            for (nLastVisible = i - 1; nLastVisible >= 0 && !visible[nLastVisible]; --nLastVisible) {
            }
    }

    // Separators at the ends of what stays visible.
    if (bHidAny && bDocked && !m_bNoContentExpand) {
        int nReclaim = 0;
        for (int i = 0; i < nMain; ++i) {
            if (!visible[i])
                continue;
            if (!m_arrButtons[i]->IsSeparator())
                break;
            visible[i] = false;
            nReclaim += bHorz ? rects[i].Width() : rects[i].Height();
        }
        if (nReclaim > 0) {
            for (int i = 0; i < nMain; ++i) {
                if (visible[i])
                    rects[i].OffsetRect(bHorz ? -nReclaim : 0, bHorz ? 0 : -nReclaim);
            }
        }
        for (int i = nMain - 1; i >= 0; --i) {
            if (!visible[i])
                continue;
            if (!m_arrButtons[i]->IsSeparator())
                break;
            visible[i] = false;
        }
    }

    // Rows: thickness, visibility, separators stretched, buttons centred across the row.
    const bool bByHeights = bHorz || bFloating || m_bNoContentExpand;
    int nRows = 0;
    for (int nStart = 0; nStart < nMain;) {
        int nEndRow = nStart;
        while (nEndRow < nMain - 1 && !(bRowsByFlags && visible[nEndRow] && m_arrButtons[nEndRow]->GetWrap(nMode)))
            ++nEndRow;
        int nRowThickness = 0;
        for (int i = nStart; i <= nEndRow; ++i) {
            if (visible[i])
                nRowThickness = std::max(nRowThickness, bByHeights ? rects[i].Height() : rects[i].Width());
        }
        for (int i = nStart; i <= nEndRow; ++i) {
            if (!visible[i] || !bByHeights)
                continue;
            if (m_arrButtons[i]->IsSeparator())
                rects[i].bottom = rects[i].top + nRowThickness;
            else
                rects[i].OffsetRect(0, (nRowThickness - rects[i].Height()) / 2);
        }
        ++nRows;
        nStart = nEndRow + 1;
    }
    CRect rcClient;
    GetClientRect(&rcClient);
    if (bDocked && nRows == 1 && !m_bNoContentExpand) {
        for (int i = 0; i < nCount; ++i) {
            if (!visible[i])
                continue;
            if (bHorz) {
                const int nFull = rcClient.Height();
                if (m_arrButtons[i]->IsSeparator()) {
                    rects[i].top = m_cyTopBorder;
                    rects[i].bottom = m_cyBottomBorder + nFull;
                } else {
                    const int h = rects[i].Height();
                    rects[i].top = (nFull - h) / 2;
                    rects[i].bottom = rects[i].top + h;
                }
            } else {
                const int nFull = rcClient.Width();
                if (m_arrButtons[i]->IsSeparator()) {
                    rects[i].left = m_cxLeftBorder;
                    rects[i].right = m_cxRightBorder + nFull;
                } else {
                    const int w = rects[i].Width();
                    rects[i].left = (nFull - w) / 2;
                    rects[i].right = rects[i].left + w;
                }
            }
        }
    }
    if ((bFloating || nRows > 1) && !m_bNoContentExpand) {
        const int nGrow = pPaint->HasThemedBackground(this, 0) ? 2 : 1;
        for (int nStart = 0; nStart < nMain;) {
            int nEndRow = nStart;
            while (nEndRow < nMain - 1 && !(bRowsByFlags && visible[nEndRow] && m_arrButtons[nEndRow]->GetWrap(nMode)))
                ++nEndRow;
            int nLow = INT_MAX, nHigh = INT_MIN;
            for (int i = nStart; i <= nEndRow; ++i) {
                if (!visible[i])
                    continue;
                nLow = std::min(nLow, AlignedTopOrBottom(m_dwStyle) ? (int)rects[i].top : (int)rects[i].left);
                nHigh = std::max(nHigh, AlignedTopOrBottom(m_dwStyle) ? (int)rects[i].bottom : (int)rects[i].right);
            }
            for (int i = nStart; i < nEndRow; ++i) {
                if (!visible[i] || !m_arrButtons[i]->IsSeparator())
                    continue;
                if (AlignedTopOrBottom(m_dwStyle)) {
                    rects[i].top = nLow - nGrow;
                    rects[i].bottom = nHigh + nGrow;
                } else {
                    rects[i].left = nLow - nGrow;
                    rects[i].right = nHigh + nGrow + 1;
                }
            }
            nStart = nEndRow + 1;
        }
    }
    if (bFloating) {
        for (int i = 0; i < nCount; ++i)
            rects[i].OffsetRect(0, 1);
    }

    // The chevron's list without TBBS_HIDDEN entries, with the bar's group separators.
    if (m_pContentExpandButton != nullptr) {
        CArray<CUiBarButton*, CUiBarButton*>& arrHidden = m_pContentExpandButton->m_arrHidden;
        for (INT_PTR i = arrHidden.GetSize() - 1; i >= 0; --i) {
            if (arrHidden[i]->GetStyle() & TBBS_HIDDEN)
                arrHidden.RemoveAt(i);
        }
        if (m_bBarFlags & kContained) {
            DWORD dwStyle = m_pContentExpandButton->GetStyle() & ~TBBS_DISABLED;
            if (arrHidden.GetSize() == 0)
                dwStyle |= TBBS_DISABLED;
            m_pContentExpandButton->SetStyle(dwStyle);
        }
        if (bDocked && !m_bNoContentExpand && arrHidden.GetSize() >= 2) {
            auto indexOf = [&](CUiBarButton* p) {
                for (int i = 0; i < nCount; ++i)
                    if (m_arrButtons[i] == p)
                        return i;
                return -1;
            };
            for (INT_PTR n = 0; n + 1 < arrHidden.GetSize(); ++n) {
                int a = indexOf(arrHidden[n]), b = indexOf(arrHidden[n + 1]);
                if (a > b)
                    std::swap(a, b);
                if (b - a <= 1)
                    continue;
                for (int i = a + 1; i < b; ++i) {
                    // A separator that takes no place (before a hidden button) is no group's.
                    if (m_arrButtons[i]->IsSeparator() && IsButtonInLayout(i)) {
                        arrHidden.InsertAt(n + 1, m_arrButtons[i]);
                        ++n;
                        break;
                    }
                }
            }
        }
        m_pContentExpandButton->m_bNothingHidden = arrHidden.GetSize() == 0;
    }

    // A docked bar moves by the look's button offset.
    if (bDocked) {
        CSize sizeOffset = pPaint->GetToolBarButtonOffset(FALSE);
        if (sizeOffset != CSize(0, 0)) {
            if (m_bNoContentExpand) {
                if (bHorz)
                    sizeOffset.cy += 2;
                else
                    sizeOffset.cx += 2;
            }
            for (int i = 0; i < nCount; ++i) {
                if (visible[i])
                    rects[i].OffsetRect(sizeOffset);
            }
        }
    }
    for (int i = 0; i < nCount; ++i) {
        m_arrButtons[i]->SetVisible(visible[i]);
        m_arrButtons[i]->SetRect(rects[i]);
    }
}

// ---- Re-layout triggers.

void CUiToolControlBar::RecalcDelayShow(AFX_SIZEPARENTPARAMS* lpLayout)
{
    CUiControlBar::RecalcDelayShow(lpLayout);
    if (GetSafeHwnd() != NULL && (GetStyle() & WS_VISIBLE) && !IsBarFloating())
        CalcButtonLayout();
}

void CUiToolControlBar::OnSize(UINT nType, int cx, int cy)
{
    CUiControlBar::OnSize(nType, cx, cy);
    if (GetBarBeingDragged() == this)
        CalcButtonLayout();
    else
        RequestFrameRecalcLayout();
}

void CUiToolControlBar::RequestFrameRecalcLayout()
{
    if (GetSafeHwnd() == NULL)
        return;
    CUiControlBar::RequestFrameRecalcLayout();
    CalcButtonLayout();
    if (m_bBarFlags & kContained) {
        Invalidate();
        UpdateWindow();
        return;
    }
    if (!IsBarFloating() && IsContentExpandAllowed() && m_pDockBar != nullptr &&
        m_pDockBar->IsKindOf(RUNTIME_CLASS(CUiDockOuterBar)))
        static_cast<CUiDockOuterBar*>(m_pDockBar)->RequestDelayedLayout();
}

// A bar just dropped into a row that is too short for it shows its chevron list at once,
// before the frame's layout shrinks it: its length becomes the room the row's other bars
// leave (never below its minimum) and its buttons are placed for that length.
void CUiToolControlBar::RefreshContentExpandLayout()
{
    if (GetSafeHwnd() == NULL || m_pDockBar == nullptr || IsBarFloating())
        return;
    const bool bHorz = !IsDockedVertically();
    CArray<CUiControlBar*, CUiControlBar*> arrRow;
    CollectVisibleRowBars(arrRow);
    CRect rcClient;
    m_pDockBar->GetClientRect(&rcClient);
    int nRoom = bHorz ? rcClient.Width() : rcClient.Height();
    for (INT_PTR i = 0; i < arrRow.GetSize(); ++i) {
        if (arrRow[i] == this)
            continue;
        CRect rc;
        arrRow[i]->GetWindowRect(&rc);
        nRoom -= bHorz ? rc.Width() : rc.Height();
    }
    const CSize sizeMin = GetMinSize();
    nRoom = std::max<int>(nRoom, bHorz ? sizeMin.cx : sizeMin.cy);
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    if ((bHorz ? rcWindow.Width() : rcWindow.Height()) > nRoom)
        SetWindowPos(NULL, 0, 0, bHorz ? nRoom : rcWindow.Width(), bHorz ? rcWindow.Height() : nRoom,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
    CalcButtonLayout();
}

void CUiToolControlBar::ToggleDocking()
{
    ToggleDockingByContext();
}

LRESULT CUiToolControlBar::WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    switch (nMsg) {
    case WM_WINDOWPOSCHANGED:
        if (GetBarBeingDragged() != this)
            RequestFrameRecalcLayout();
        [[fallthrough]];
    case WM_SIZE:
        Invalidate(TRUE);
        if (m_pDockContext == nullptr)
            UpdateWindow();
        break;
    case WM_LBUTTONDBLCLK:
        // Over a button a double click is a second click; elsewhere the base toggles docking.
        if (!IsBarDragActive() &&
            HitTestButtonEx((short)LOWORD(lParam), (short)HIWORD(lParam), 0, 0, false) >= 0) {
            SendMessage(WM_LBUTTONUP, wParam, lParam);
            SendMessage(WM_LBUTTONDOWN, wParam, lParam);
            return 0;
        }
        break;
    case WM_SETTINGCHANGE: {
        const LRESULT lResult = CUiControlBar::WindowProc(nMsg, wParam, lParam);
        if (m_bBarFlags & kContained) {
            RequestFrameRecalcLayout();
        } else if (CFrameWnd* pFrame = GetParentFrame()) {
            pFrame->m_nIdleFlags |= 12;
        }
        return lResult;
    }
    default:
        break;
    }
    return CUiControlBar::WindowProc(nMsg, wParam, lParam);
}
