// The base of the framework's popup windows (menus, menu tips). A popup never takes the
// activation from the window that owns it, and opens with an animation: the screen under the
// window is captured before anything of the popup is drawn, the content is painted into a
// picture of its own, and each 30 ms tick of timer 666 shows one frame mixed from the two
// until the sixth tick ends it. The pixel effects work on 32-bit top-down buffers and are
// plain functions, so they are tested without windows.
//
// The clock, the screen's colour depth and the sound player are reached through seams the
// tests replace.
#pragma once
#include "afxwin.h"
#include "popupshadow.h"
#include <ctime>

class CUiToolControlBar;

typedef void (*PopupTrackCallback)(LPVOID pCookie, CDC& dc, CWnd* pMenu, const RECT& rcExclude, int nJoinedSide);

class CUiPopupBaseWnd : public CWnd {
    DECLARE_DYNCREATE(CUiPopupBaseWnd)
public:
    enum { kAnimationTimer = 666, kAnimationPeriod = 30 };
    // Base flags.
    enum { kHasExclude = 0x01, kJoined = 0x02 };

    CUiPopupBaseWnd();
    ~CUiPopupBaseWnd() override;

    // The toolbar from whose button the popup was opened, or null.
    virtual CUiToolControlBar* GetOwnerToolBar();
    // Whether the border side that meets the owner button is drawn closed.
    virtual BOOL IsJoinedBorderClosed();

    virtual LPVOID GetCallbackCookie() const;
    // Whether the track callback is the framework's own (a submenu painting its opening item).
    virtual BOOL IsInternalCallback() const;
    virtual BOOL IsNestedTracking() const;
    virtual void InitAnimation();
    virtual void StartAnimation();
    virtual void OnAdjustAnimationType(int& nKind);
    virtual void ResetAnimationSurfaces();
    virtual BOOL IsShadowEnabled() const;
    virtual int GetShadowSize() const;
    virtual void RenderAnimationFrame(CDC& dc);
    virtual void PaintContent(CDC& dc, BOOL bToWindow);
    virtual void GetContentRect(RECT& rc) const;
    virtual BOOL IsContextHelpMode() const;
    BOOL DestroyWindow() override;

    // One tick of timer 666: the frame step, the end of the animation.
    void AnimationTick();
    bool IsAnimationEnded() const { return (m_bAnimFlags & 1) != 0; }
    // Keeps what the screen shows under the window (still hidden): under Wine a new popup's
    // own context does not show it.
    void CaptureScreenUnder();

    // The frame pixel effects over 32-bit buffers of cx x cy pixels.
    static void FadePixels(DWORD* pFrame, const DWORD* pBack, const DWORD* pContent, int cx, int cy, int nPercent);
    // Kinds 7 (dissolve), 8 (blinds), 9 and 10 (circles) at progress p after pPrev.
    static void MixPixels(int nKind, DWORD* pFrame, const DWORD* pBack, const DWORD* pContent, int cx, int cy, int p,
                          int pPrev);

    // Seams.
    static clock_t (*g_pfnClock)();
    static int (*g_pfnBitsPerPixel)();
    static void (*g_pfnPlaySound)(int nEvent);
    static void PlaySoundEvent(int nEvent);
    static int ScreenBitsPerPixel();

    static int g_nDefaultAnimation;
    static bool g_bMenuShadows;
    static clock_t g_tLastFrame;

    CRect m_rcExclude;
    CPoint m_ptTrack;
    BYTE m_bBaseFlags;
    LPVOID m_pCookie;
    PopupTrackCallback m_pfnCallback;
    BYTE m_bCookieFlag;
    int m_nAnimation;
    int m_nPendingSound;
    DWORD* m_pBackBits;
    DWORD* m_pContentBits;
    DWORD* m_pFrameBits;
    int m_nProgress;
    int m_nPrevProgress;
    BYTE m_bAnimFlags;
    CSize m_sizeContent;
    PopupShadow m_shadowBody;
    PopupShadow m_shadowExclude;
    CBitmap m_bmpBack;
    CBitmap m_bmpContent;
    CBitmap m_bmpFrame;
    CBitmap m_bmpUnder;

protected:
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnPaint();
    afx_msg void OnNcPaint();
    afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    // Called when the animation ended (the menu clears the animating menu).
    virtual void OnAnimationEnded() {}
    // A click on a popup of a nested tracking: it comes to the top (a menu brings its open
    // submenus with it).
    virtual void OnNestedMouseActivate();
    bool MakeSections(CDC& dcWindow, CDC& dcMem, int cx, int cy);
    DECLARE_MESSAGE_MAP()
};
