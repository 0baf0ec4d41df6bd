// The colour control: a child window that lets the user pick a colour in one of sixteen
// picker modes. Each mode is a picker-data object (colorpicker*.h) that owns its geometry,
// its cached images, its drawing and its mouse handling; the window owns one object of each
// kind, forwards painting and mouse input to the object of the current mode, and tells its
// parent through g_nMsgColorChanged whenever the current colour changes.
//
// The pickers stand without a window: they are laid out, painted and driven on any device
// context, which is how the colour dialog's fields and the tests reach them.
#pragma once
#include "afxwin.h"
#include "mousecapturesink.h"

#include <memory>

class CUiColorCtrl : public CWnd, public CUiMouseCaptureSink {
public:
    static const UINT g_nMsgColorChanged;

    enum {
        kModeBasicColors = 0,
        kModeHslPanel = 1,
        kModeHslBasicHue = 2,
        kModeHslRoller = 3,
        kModeRgbCube = 4,
        kModeRgbMixer = 5,
        kModeGrayscaleMixer = 6,
        kModeCmyCube = 7,
        kModeCmyMixer = 8,
        kModeFirstPlane = 9,   // red, green, blue, cyan, magenta, yellow axis
        kModeDiff = 15,
        kModeCount = 16,
    };

    // A cell of the cell-based pickers: a hexagon through its six corners, or a plain
    // rectangle.
    struct cell_t {
        COLORREF clr = RGB(255, 255, 255);
        CRect rc;
        POINT pts[6] = {};
        bool bHexagon = false;
    };

    // The parent receives the address of this record with every notification.
    struct color_triple_t {
        COLORREF clrRef = RGB(255, 255, 255);       // the "old" colour of the difference view
        COLORREF clrCurrent = RGB(255, 255, 255);
        COLORREF clrPrevious = RGB(255, 255, 255);  // the current colour before the last pick
    };

    class any_picker_data_t;
    class cell_based_data_t;
    class rgb_mixer_data_t;
    class cmy_mixer_data_t;
    class grayscale_mixer_data_t;
    class diff_data_t;
    class hsl_panel_data_t;
    class hsl_basic_hue_data_t;
    class hsl_roller_data_t;
    class xyz_plain_data_t;
    class rgb_cube_data_t;
    class cmy_cube_data_t;

    explicit CUiColorCtrl(int nMode);
    ~CUiColorCtrl() override;

    int GetMode() const { return m_nMode; }
    // Releases every picker, lays the new one out and repaints; a mode outside 0..15 is refused.
    bool SetMode(int nMode);
    // The framework's name of a mode for a mode list; empty for the difference view.
    static CString GetModeName(int nMode);

    COLORREF GetColor() const { return m_colors.clrCurrent; }
    void SetColor(COLORREF clr, bool bNotify);

    any_picker_data_t* GetPicker(int nMode) const;
    any_picker_data_t* GetCurrentPicker() const { return GetPicker(m_nMode); }
    bool IsTracking() const { return m_bTracking; }

    // Drops every picker's images and tracking state.
    void ReleasePickers();
    // Gives the current picker the client size and the colours; keep-colours false releases
    // every picker first.
    void LayoutPickers(bool bKeepColors);
    // Paints background and picker into pDC over the client rectangle.
    void DoPaint(CDC* pDC);

    virtual void NotifyColorChanged();

    color_triple_t m_colors;

protected:
    void PreSubclassWindow() override;

    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnCancelMode();
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnCaptureChanged(CWnd* pWnd);
    afx_msg BOOL OnQueryNewPalette();
    afx_msg void OnPaletteChanged(CWnd* pFocusWnd);
    afx_msg void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnRButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnMButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnMButtonDblClk(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()

private:
    void EndTracking();
    void PassMove(UINT nFlags, CPoint point);
    void RedrawNow();

    int m_nMode;
    bool m_bTracking;
    std::unique_ptr<cell_based_data_t> m_pBasicColors;
    std::unique_ptr<hsl_panel_data_t> m_pHslPanel;
    std::unique_ptr<hsl_basic_hue_data_t> m_pHslBasicHue;
    std::unique_ptr<hsl_roller_data_t> m_pHslRoller;
    std::unique_ptr<rgb_cube_data_t> m_pRgbCube;
    std::unique_ptr<rgb_mixer_data_t> m_pRgbMixer;
    std::unique_ptr<grayscale_mixer_data_t> m_pGrayscaleMixer;
    std::unique_ptr<cmy_cube_data_t> m_pCmyCube;
    std::unique_ptr<cmy_mixer_data_t> m_pCmyMixer;
    std::unique_ptr<xyz_plain_data_t> m_pPlanes[6];
    std::unique_ptr<diff_data_t> m_pDiff;
    any_picker_data_t* m_pickers[kModeCount];

    CUiColorCtrl(const CUiColorCtrl&) = delete;
    CUiColorCtrl& operator=(const CUiColorCtrl&) = delete;
};
