// The process-wide holder of the current paint manager. It is made on first use: it learns
// the Windows version once, loads the optional libraries the painters use (msimg32 for
// gradients and blending, uxtheme for the visual-style colours) and installs an XP look
// until the application installs its own choice. The framework's
// bars pass the four system notifications through it; only one window per frame relays
// them, so each change reaches the paint manager once.
//
// Tests may replace what the running system answers: the version record and the theme
// information (SetVersionInfo, SetThemeInfoOverride); the msimg32 entry points are plain
// members and may be set to null.
#pragma once
#include "afxwin.h"
#include "themeapi.h"
#include "windowsversion.h"

class CUiPaintManager;

typedef BOOL(WINAPI* PFN_GradientFill)(HDC, PTRIVERTEX, ULONG, PVOID, ULONG, ULONG);
typedef BOOL(WINAPI* PFN_AlphaBlend)(HDC, int, int, int, int, HDC, int, int, int, int, BLENDFUNCTION);
typedef BOOL(WINAPI* PFN_TransparentBlt)(HDC, int, int, int, int, HDC, int, int, int, int, UINT);

class PaintManagerHolder {
public:
    // The holder, made on first use and destroyed at exit.
    static PaintManagerHolder& Get();

    PaintManagerHolder();
    ~PaintManagerHolder();

    // The current paint manager (null only while the holder is being made).
    CUiPaintManager* GetStoredHandle() const { return m_pPaintManager; }
    CUiPaintManager* operator->() const { return m_pPaintManager; }

    BOOL EnsurePaintManager();
    // Installs pPaintManager (owned from now on); null installs a new XP look.
    BOOL SetPaintManager(CUiPaintManager* pPaintManager);
    BOOL SetPaintManagerClass(CRuntimeClass* pClass);
    void LoadThemeApi();

    // Whether pWnd is the window of its frame that relays system notifications.
    BOOL IsThemeRelayWindow(CWnd* pWnd) const;
    LRESULT OnSysColorChange(CWnd* pWnd);
    LRESULT OnSettingChange(CWnd* pWnd, UINT uFlags, LPCSTR lpszSection);
    LRESULT OnDisplayChange(CWnd* pWnd, INT nBitsPerPixel, INT cx, INT cy);
    LRESULT OnThemeChanged(CWnd* pWnd, WPARAM wParam, LPARAM lParam);

    // Works the family flags and the version text out from vi instead of the system's record.
    void SetVersionInfo(const OSVERSIONINFOA& vi);
    // pInfo stands in for what uxtheme answers until called with null; the theme information
    // is read again either way.
    void SetThemeInfoOverride(const ThemeInfo* pInfo);

    CUiPaintManager* m_pPaintManager;
    CString m_strVersion;
    OSVERSIONINFOA m_version;
    WORD m_wFamilyFlags;
    ThemeApi m_themeApi;
    BYTE m_bThemeFlags;
    COLORREF m_clrTaskband[kTaskbandColorCount];
    int m_nScheme;
    HMODULE m_hMsimg32;
    PFN_GradientFill m_pfnGradientFill;
    PFN_AlphaBlend m_pfnAlphaBlend;
    PFN_TransparentBlt m_pfnTransparentBlt;

private:
    bool m_bStarted;
    bool m_bThemeOverride;
    ThemeInfo m_themeOverride;

    PaintManagerHolder(const PaintManagerHolder&) = delete;
    PaintManagerHolder& operator=(const PaintManagerHolder&) = delete;
};

// The taskband colours by name, as indexes of m_clrTaskband.
enum TaskbandColor {
    kTaskbandEdgeLight, kTaskbandEdgeHighlight, kTaskbandEdgeShadow, kTaskbandEdgeDkShadow,
    kTaskbandEdgeFill, kTaskbandFillHint, kTaskbandAccentHint,
};
