// The framework's floating frame of a control bar, or of a container of bars.
//
// The class library's floating dock frame with the whole non-client area its own: no system
// caption or border, a caption band painted by the paint manager with the bar's text and
// caption buttons, its own border hit tests and resize loop (minimum sizes, monitor limits),
// the caption dragging through the bar's drag loop, the bars menu on a right click, tips of
// the bar's buttons, and a frame that always stays reachable on its monitor's work area.
//
// The hosted bar is the first child of the floating dock bar. A frame whose bar is no
// framework bar draws a close button of its own.
#pragma once
#include "afxcmn.h"
#include "afxext.h"
#include "hooksink.h"
#include "mousecapturesink.h"

class CUiControlBar;

class CUiMiniDockFrameWnd : public CMiniDockFrameWnd, public CUiMouseCaptureSink {
    DECLARE_DYNCREATE(CUiMiniDockFrameWnd)
public:
    CUiMiniDockFrameWnd();
    ~CUiMiniDockFrameWnd() override;

    enum : UINT_PTR {
        kTimerLayoutButtons = 1,
        kTimerCloseHover = 2,
        kTimerButtonHover = 4,
        kTimerKeepInFront = 5,
        kTimerWatchOwner = 6
    };

    // Watches the window the frame floats for: whenever that comes forward, the frame follows
    // it in front. The system does not always keep an owned frame in front of its owner (Wine
    // may put the owner in front after a click on it without a message to either window), so
    // a slow timer looks too.
    class OwnerWatch : public CUiHookSink {
    public:
        explicit OwnerWatch(CUiMiniDockFrameWnd* pFrame) : m_pFrame(pFrame) {}
        bool DispatchHookedMessage(LRESULT& lResult, HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam) override;

    private:
        CUiMiniDockFrameWnd* m_pFrame;
    };
    OwnerWatch m_ownerWatch{this};

    CToolTipCtrl m_wndToolTip;
    CRect m_rcClose;          // window coordinates
    bool m_bCloseHover;
    CRect m_rcCaption;        // window coordinates
    CPoint m_ptLastTrack;
    int m_nResizeHit;         // HTLEFT .. HTBOTTOMRIGHT while a resize runs, else 0
    CRect m_rcResizeStart;    // screen
    HWND m_hLastHosted;       // the bar the caption showed last
    bool m_bForwardLost;      // came forward while a topmost window was shown

    void CalcWindowRect(LPRECT lpClientRect, UINT nAdjustType = 0) override;
    // The same for any frame of the class, made or not.
    static void FrameRectAround(LPRECT lpClientRect);
    INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL Create(CWnd* pParent, DWORD dwBarStyle) override;
    using CMiniDockFrameWnd::Create;
    void RecalcLayout(BOOL bNotify = TRUE) override;

    CControlBar* GetHostedControlBar() const;
    CUiControlBar* GetHostedUiBar() const;
    bool GetContainerCaptionText(CString& strText);
    // The text the caption shows for the bar the frame holds now.
    void GetCaptionText(CUiControlBar* pBar, CString& strText);
    // The window text and the caption buttons follow the bar the frame holds now.
    void FollowHostedBar();
    void UpdateCloseButtonHover(CPoint ptScreen);
    void ResizeLoop(int nHitTest);
    void ResizeStop();
    void ResizeTrack(int x, int y);
    bool IsResizing() const { return m_nResizeHit != 0; }
    // Puts the frame just in front of its owner when it is behind it. Forced, the shown
    // windows in front of the owner are put in front again in their order even when the frame
    // is already in front of it: the screen follows the order again.
    void KeepInFrontOfOwner(bool bForce = false);
    // Frames whose last coming forward the screen did not follow (a topmost window, a menu,
    // stood in front) come forward again, once nothing topmost is shown.
    static void ComeForwardWhereLost();
    // The same for every floating frame of the frame.
    static void KeepFloatingFramesInFront(CFrameWnd* pSite);
    // Moves the frame wholly onto its work area and off the top-left corner of every other
    // shown floating frame of its owner; answers its top-left corner.
    CPoint PlaceOnWorkArea();

protected:
    afx_msg void OnNcMouseMove(UINT nHitTest, CPoint point);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnNcPaint();
    afx_msg BOOL OnNcActivate(BOOL bActive);
    afx_msg void OnNcLButtonDown(UINT nHitTest, CPoint point);
    afx_msg void OnNcLButtonUp(UINT nHitTest, CPoint point);
    afx_msg void OnNcRButtonDown(UINT nHitTest, CPoint point);
    afx_msg void OnNcLButtonDblClk(UINT nHitTest, CPoint point);
    afx_msg void OnGetMinMaxInfo(MINMAXINFO* lpMMI);
    afx_msg void OnWindowPosChanging(WINDOWPOS* lpwndpos);
    afx_msg void OnWindowPosChanged(WINDOWPOS* lpwndpos);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnCaptureChanged(CWnd* pWnd);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg void OnCancelMode();
    afx_msg void OnClose();
    afx_msg void OnPaint();
    afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

    // The caption and border styles the system would draw, taken off again.
    void RemoveSystemFrame();
    // Whether a toolbar's borders all act as its caption.
    bool IsNotResizableToolBar(CUiControlBar* pBar) const;
};
