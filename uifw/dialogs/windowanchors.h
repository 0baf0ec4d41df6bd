// The anchoring layer CUiWA over CUiWS: child controls that follow the window's size by
// anchors, the minimum and maximum tracking sizes, and the placement text's operations.
//
// The first WM_SIZE records the whole window's size; from then on it is the smallest the
// window can be dragged to (min-track) and every WM_SIZE lays the anchored children out,
// except those that only tell of another window being maximised or restored.
#pragma once
#include "windowstate.h"

// The named anchor sizes, in percent of the client area.
extern const CSize kUiAnchorNone;
extern const CSize kUiAnchorTopLeft;
extern const CSize kUiAnchorTopRight;
extern const CSize kUiAnchorBottomLeft;
extern const CSize kUiAnchorBottomRight;

template <class TBase>
class CUiWA : public TBase {
public:
    enum { kSizeRecorded = 0x01, kMaxTrack = 0x02, kMinTrack = 0x04, kMaxInfo = 0x08 };

    template <class... Args>
    explicit CUiWA(Args... args)
        : TBase(args...), m_bWAFlags(kMinTrack), m_sizeInitial(0, 0), m_sizeMaxTrack(0, 0), m_ptMaxPosition(0, 0),
          m_sizeMaxInfo(0, 0), m_anchors(10)
    {
    }
    ~CUiWA() override { m_anchors.RemoveAll(); }

    virtual void ShowSizeGrip(bool bShow)
    {
        const bool bShown = (this->m_bWSFlags & TBase::kGripperShown) != 0;
        if (bShow == bShown)
            return;
        this->m_bWSFlags ^= TBase::kGripperShown;
        if (::IsWindow(this->GetSafeHwnd())) {
            if (bShow) {
                CRect rcClient;
                this->GetClientRect(&rcClient);
                this->m_rcGripper = UiGripperRectOf(rcClient);
            }
            this->InvalidateRect(&this->m_rcGripper, TRUE);
        }
    }
    void SavePlacementText() override
    {
        UiSavePlacement(this, this->m_strProfileSection, this->m_strProfileEntry);
    }
    virtual void LoadPlacementText(bool bHide)
    {
        UiLoadPlacement(this, this->m_strProfileSection, this->m_strProfileEntry, bHide);
    }
    virtual void EnablePlacementProfile(LPCTSTR lpszSection, LPCTSTR lpszEntry, bool bHide)
    {
        this->m_strProfileSection = lpszSection;
        this->m_strProfileEntry = lpszEntry;
        this->m_bWSFlags |= TBase::kSavePlacement;
        if (::IsWindow(this->GetSafeHwnd()))
            LoadPlacementText(bHide);
    }
    bool TrackSysMenuPopup(const POINT* pPoint, bool bFromKeyboard) override
    {
        this->m_bWSFlags &= ~TBase::kMenuOpen;
        if (!UiTrackSysMenuPopup(this, pPoint, bFromKeyboard))
            return false;
        this->m_bWSFlags |= TBase::kMenuOpen;
        this->SetTimer(TBase::kSysMenuTimerId, 20, NULL);
        return true;
    }
    virtual bool AddAnchor(HWND hChild, CSize sizeTopLeft, CSize sizeBottomRight)
    {
        return UiAnchorChild(this, hChild, sizeTopLeft, sizeBottomRight, m_anchors);
    }
    bool AnchorDlgItem(UINT nId, CSize sizeTopLeft, CSize sizeBottomRight)
    {
        if (UiIsNoAnchor(sizeTopLeft) || !::IsWindow(this->GetSafeHwnd()))
            return false;
        HWND hItem = ::GetDlgItem(this->m_hWnd, (int)nId);
        return hItem != NULL && AddAnchor(hItem, sizeTopLeft, sizeBottomRight);
    }
    virtual void ArrangeAnchoredChildren(int cx, int cy) { UiArrangeAnchored(this, m_anchors, cx, cy); }

    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        bool bOpen = false;
        if (UiIsAltSpace(this, pMsg, &bOpen)) {
            if (bOpen)
                TrackSysMenuPopup(nullptr, true);
            return (this->GetStyle() & WS_POPUP) != 0;
        }
        return TBase::PreTranslateMessage(pMsg);
    }

    LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override
    {
        switch (nMsg) {
        case WM_GETMINMAXINFO:
            OnGetMinMaxInfo((MINMAXINFO*)lParam);
            return 0;
        case WM_SIZE: {
            LRESULT lr = this->WSWindowProc(nMsg, wParam, lParam);
            if (!::IsWindow(this->GetSafeHwnd()))
                return lr;
            if (!(m_bWAFlags & kSizeRecorded)) {
                CRect rcWindow;
                this->GetWindowRect(&rcWindow);
                m_sizeInitial = rcWindow.Size();
                m_bWAFlags |= kSizeRecorded;
                ArrangeAnchoredChildren(-1, -1);
            } else if (wParam != SIZE_MAXSHOW && wParam != SIZE_MAXHIDE) {
                ArrangeAnchoredChildren(LOWORD(lParam), HIWORD(lParam));
            }
            return lr;
        }
        case WM_DESTROY:
        case WM_NCDESTROY: {
            HWND hWnd = this->m_hWnd;
            LRESULT lr = this->WSWindowProc(nMsg, wParam, lParam);
            if (::IsWindow(hWnd) && CWnd::FromHandlePermanent(hWnd) == this)
                m_anchors.RemoveAll();
            return lr;
        }
        default:
            return this->WSWindowProc(nMsg, wParam, lParam);
        }
    }

    BYTE m_bWAFlags;
    CSize m_sizeInitial;
    CSize m_sizeMaxTrack;
    CPoint m_ptMaxPosition;
    CSize m_sizeMaxInfo;
    UiAnchorMap m_anchors;

protected:
    void OnGetMinMaxInfo(MINMAXINFO* pInfo)
    {
        if (pInfo == nullptr || !(m_bWAFlags & kSizeRecorded))
            return;
        if (m_bWAFlags & kMinTrack)
            pInfo->ptMinTrackSize = CPoint(m_sizeInitial.cx, m_sizeInitial.cy);
        if (m_bWAFlags & kMaxTrack)
            pInfo->ptMaxTrackSize = CPoint(m_sizeMaxTrack.cx, m_sizeMaxTrack.cy);
        if (m_bWAFlags & kMaxInfo) {
            pInfo->ptMaxPosition = m_ptMaxPosition;
            pInfo->ptMaxSize = CPoint(m_sizeMaxInfo.cx, m_sizeMaxInfo.cy);
        }
    }
};
