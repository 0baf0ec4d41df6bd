// The Office 2003 look: colours drawn from the Windows XP colour scheme when one is in use,
// gradients across bars and frames, and a docked toolbar painted with rounded ends.
#pragma once
#include "paintmanagerxp.h"

class CUiPaintManagerOffice2003 : public CUiPaintManagerXP {
    DECLARE_DYNCREATE(CUiPaintManagerOffice2003)
public:
    CUiPaintManagerOffice2003();
    ~CUiPaintManagerOffice2003() override;

    int GetThemeKind() override;
    COLORREF GetMenuShadowColor() override;
    void AdjustBarClientRect(CUiControlBar* pBar, CRect& rc) override;
    int GetFixedBarPadding(CUiControlBar* pBar) override;
    BOOL IsToolBarThemedFrame(CUiControlBar* pBar) override;
    void InitColorTable() override;
    int GetMenuCheckMarkHeight() override;
    BOOL HasThemedBackground(CWnd* pWnd, LPARAM lParam) override;
    CSize GetToolBarButtonOffset(BOOL bFlag) override;
    COLORREF GetIconBkColorHint() override;
    double GetIconEffectFactor() override;
    CSize GetBarButtonExtraSpace() override;
    BOOL IsThemeColorSchemeUsable() override;
    // The scheme's base and accent colours; FALSE without a usable scheme. Either may be null.
    virtual BOOL InitSchemeGradientColors(COLORREF* pBase, COLORREF* pAccent);
    // The frame gradient from 3001 to 3000 over at most 700 pixels, 3000 beyond.
    virtual BOOL PaintGradientBackground(CDC& dc, const CRect& rc, const CRect& rcClip, LPARAM lParam);
    // Separators, joined menu borders, status panes, chevron and menu-expand buttons
    void PaintContentExpandButton(CDC& dc, const CRect& rc, BOOL bHorz, BOOL bNoHidden, BOOL bEnabled, BOOL bPushed,
                                  BOOL bHover, CObject* pAsking, LPARAM lParam, BOOL bTransparent) override;
    void PaintMenuExpandButton(CDC& dc, const CRect& rc, BOOL bPushed, CObject* pMenu) override;
    void PaintSeparator(CDC& dc, const CRect& rc, BOOL bHorz, BOOL bTransparent, CObject* pAsking,
                        LPARAM lParam) override;
    void PaintMenuJoinedArea(CDC& dc, const CRect& rcBorder, const CRect& rcButton, int nSide, CObject* pAsking,
                             LPARAM lParam) override;
    void PaintStatusPane(CDC& dc, StatusPanePaintData& data) override;

    // When not -1, the bar background and frame painters use this id's colour.
    int m_nExtraColorId;

protected:
    // The colour-table builder of this look (the Studio 2005 look falls back on it).
    void BuildOffice2003Colors();
    void ResetSchemeColorSlots();
    // Whether pBar is a docked toolbar that takes the themed frame above 8 bits per pixel.
    static bool IsThemedDockedToolBar(CUiControlBar* pBar);

public:
    // Bar frames, backgrounds, tabs, dock markers and small painters
    BOOL PaintThemedBackground(CDC& dc, CWnd* pWnd, LPARAM lParam) override;
    void PaintControlBarBackground(CDC& dc, const CRect& rc, CWnd* pAsking, LPARAM lParam) override;
    void PaintDockBarBackground(CDC& dc, const CRect& rc, CWnd* pAsking, LPARAM lParam) override;
    void PaintSizeGrip(CDC& dc, const CRect& rc, DWORD dwValue1, DWORD dwValue2) override;
    void PaintToolBarShade(CDC& dc, CUiBarButton* pButton, LPARAM lParam) override;
    void PaintToolBarExtras(CDC& dc, CUiToolControlBar* pBar, int nButton, const CRect& rcRow) override;
    // A docked toolbar's own gradient over rcBar, rounded at its far end.
    void PaintToolBarFace(CDC& dc, CUiToolControlBar* pBar, const CRect& rcBar);
    bool PaintSchemeGradient(HDC hDC, const CRect& rc, double dFirstLight, double dMiddleLight, double dLastLight,
                             BOOL bVertical);
    void PaintPlainToolBarGradient(HDC hDC, const CRect& rc, bool bVerticalBar);
    void PaintGripper(CDC& dc, GripperPaintData& data) override;
    void PaintControlBarBorders(CDC& dc, BarFramePaintData& data) override;
    void PaintControlFrame(CDC& dc, ControlFramePaintData& data) override;
    void PaintComboFrame(CDC& dc, ComboFramePaintData& data) override;
    void PaintTabClientArea(CDC& dc, const CRect& rcStrip, const CRect& rcSecond, const CRect& rcNearBorder,
                            int nPosition, BOOL bGrouped, CObject* pAsking, LPARAM lParam) override;
    void AdjustDockMarkerColors(int nKind, CBitmap& bmpNormal, COLORREF clrNormalKey, CBitmap& bmpHover,
                                COLORREF clrHoverKey) override;
    void PaintDockMarkerHighlight(DWORD* pPixels, int cx, int cy, BOOL bUseRects, const RECT& rcOuter,
                                  const RECT& rcTab, COLORREF clrTint, COLORREF clrBorderTint,
                                  int nBorderWidth) override;
    void PaintCaptionFrame(CDC& dc, const CRect& rc, LPCSTR lpszText) override;
    void PaintCaptionBackground(CDC& dc, const CRect& rc, LPCSTR lpszText) override;
    void PaintCaptionButtonFace(CDC& dc, const CRect& rc, LPCSTR lpszText, UINT nState, DWORD dwValue1,
                                DWORD dwValue2, DWORD dwValue3) override;
    void PaintMenuBarDragger(CDC& dc, const CRect& rc, BOOL bDrawDots) override;
    void PaintSunkenFrame(CDC& dc, const CRect& rc, DWORD dwValue1, DWORD dwValue2) override;
    void PaintPaneFrame(CDC& dc, const CRect& rc, const DWORD* pValues) override;
};
