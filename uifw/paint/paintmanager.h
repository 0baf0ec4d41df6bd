// The paint manager: the one object every framework element asks to paint a part of itself.
// Four looks form a single line of classes (CUiPaintManager, the classic look; XP; Office
// 2003; Studio 2005), each replacing only what it draws differently. The virtual operations
// stand in one fixed order shared by the whole family; the element painters among them
// belong to the elements and are filled in with them.
//
// The manager owns the system data the painters read: the colour table with its brushes and
// the map of extended colour ids, thirteen fonts, twelve half-tone brushes, a 252-colour
// palette and two cached memory contexts. Construction makes only the palette and the
// constants; installation and every system change refresh the rest (SyncSystemData, then
// InitColorTable, then InitHalftoneBrushes).
#pragma once
#include "afxwin.h"
#include "afxdc.h"
#include "afxtempl.h"
#include <initializer_list>

class GlyphBitmap;
class CUiControlBar;
class CUiToolControlBar;
class CUiBarButton;
class CUiCmdIcon;
class CUiDynDockMarkerWnd;
class CUiTabWnd;
struct PushButtonPaintData;
struct MenuItemPaintData;
struct NcButtonPaintData;
struct GripperPaintData;
struct BarFramePaintData;
struct StatusPanePaintData;
struct ControlFramePaintData;
struct ComboFramePaintData;
struct IconItemPaintData;
struct MenuInPlaceWndPaintData;

// The head every paint record begins with.
struct PaintDataHead {
    CObject* m_pAsking = nullptr;
    DWORD m_dwCallerValue = 0;
    CRect m_rcItem;
};

// The index of the extended colour id map: 1000 and up.
const int kFirstExtendedColorId = 1000;

class CUiPaintManager : public CObject {
    DECLARE_DYNCREATE(CUiPaintManager)
public:
    CUiPaintManager();
    ~CUiPaintManager() override;

    void Serialize(CArchive& ar) override;
    virtual int GetThemeKind();
    virtual int GetMenuBorderSize();
    virtual void EndPaintSession(CObject* pAsking, DWORD dwValue);
    virtual HBRUSH GetBrush(int nIndex);
    virtual COLORREF GetColor(int nIndex);
    virtual COLORREF GetThemeFillColor();
    virtual COLORREF GetMenuShadowColor();
    virtual void AdjustBarClientRect(CUiControlBar* pBar, CRect& rc);
    virtual int GetFixedBarPadding(CUiControlBar* pBar);
    virtual BOOL IsToolBarThemedFrame(CUiControlBar* pBar);
    virtual void InitColorTable();
    virtual void InitHalftoneBrushes();
    virtual CSize GetGlyphShadowOffset();
    virtual void PaintGlyph(CDC& dc, int x, int y, const GlyphBitmap& glyph, const COLORREF* pColors);
    virtual void PaintGlyphCentered(CDC& dc, const CRect& rc, const GlyphBitmap& glyph, const COLORREF* pColors);
    virtual void PaintToolBarExtras(CDC& dc, CUiToolControlBar* pBar, int nButton, const CRect& rcRow);
    virtual void PaintContentExpandButton(CDC& dc, const CRect& rc, BOOL bHorz, BOOL bBarFullyVisible,
                                          BOOL bEnabled, BOOL bPushed, BOOL bHover, CObject* pAsking,
                                          LPARAM lParam, BOOL bTransparent);
    virtual void PaintMenuExpandButton(CDC& dc, const CRect& rc, BOOL bPushed, CObject* pMenu);
    virtual int GetMenuCheckMarkHeight();
    virtual void PaintTabItem(CDC& dc, const CRect& rcArea, BOOL bTopLeft, BOOL bHorz, BOOL bSelected,
                              BOOL bCenteredText, BOOL bGrouped, BOOL bGroupActive, BOOL bInvertedVert,
                              const CRect& rcItem, int cxText, int cyText, CFont* pFont, LPCSTR lpszText,
                              CUiCmdIcon* pIcon, CObject* pAsking, LPARAM lParam);
    virtual void PaintTabClientArea(CDC& dc, const CRect& rcStrip, const CRect& rcSecond,
                                    const CRect& rcNearBorder, int nPosition, BOOL bGrouped,
                                    CObject* pAsking, LPARAM lParam);
    virtual void PaintTabButton(CDC& dc, const CRect& rcButton, int nKind, int nUnused, BOOL bHorz,
                                BOOL bEnabled, BOOL bHover, BOOL bPushed, BOOL bGrouped,
                                CObject* pAsking, LPARAM lParam);
    virtual void PaintClientAreaBorder(CDC& dc, const CRect& rc, CObject* pAsking, LPARAM lParam);
    virtual void GetTabItemPadding(CUiTabWnd* pTabWnd, int& nLead, int& nFar, int& nCross);
    virtual void PaintResizableDialogNcBorder(CDC& dc, const CRect& rc, CObject* pAsking, LPARAM lParam);
    virtual void PaintCmdIcon(CDC& dc, BOOL bHorz, LPCSTR lpszText, CUiCmdIcon* pIcon, const CRect& rcClient,
                              CRect& rcText, BOOL bPushed, BOOL bEnabled, BOOL bHover, UINT nAlign);
    virtual void PaintBarNcAreaButton(CDC& dc, NcButtonPaintData& data);
    virtual void PaintSysCmdGlyph(CDC& dc, UINT nSysCmd, const CRect& rc, BOOL bHover, BOOL bPushed, BOOL bEnabled);
    virtual void PaintPushButton(CDC& dc, PushButtonPaintData& data);
    virtual CSize GetPushButtonMargins();
    virtual void PaintInsertionMarker(CDC& dc, const CRect& rc, BOOL bNearEdge, BOOL bHorz);
    virtual void PaintFocusFrame(CDC& dc, const CRect& rc);
    virtual void PaintMenuItem(CDC& dc, MenuItemPaintData& data);
    virtual void PaintInsetLine(CDC& dc, const CRect& rcItem, int cxIconArea, BOOL bRarelyUsed,
                                CObject* pAsking, LPARAM lParam);
    virtual void PaintSeparator(CDC& dc, const CRect& rc, BOOL bHorz, BOOL bTransparent, CObject* pAsking,
                                LPARAM lParam);
    virtual void PaintGripper(CDC& dc, GripperPaintData& data);
    virtual void PaintControlBarBorders(CDC& dc, BarFramePaintData& data);
    virtual void PaintControlFrame(CDC& dc, ControlFramePaintData& data);
    virtual void PaintComboFrame(CDC& dc, ComboFramePaintData& data);
    virtual int GetFontTextHeight(BOOL bBold);
    virtual int GetMenuShadowSize();
    virtual int GetToolBarButtonGap();
    virtual void PaintMenuBorder(CDC& dc, const CRect& rc, CObject* pAsking, LPARAM lParam);
    virtual BOOL IsMenuJoinedWithButton();
    virtual void PaintMenuJoinedArea(CDC& dc, const CRect& rcBorder, const CRect& rcButton, int nSide,
                                     CObject* pAsking, LPARAM lParam);
    virtual void PaintStatusPane(CDC& dc, StatusPanePaintData& data);
    virtual int GetDockingDragMode();
    virtual BOOL IsStudioStyleAutoHideTabs();
    virtual BOOL HasThemedBackground(CWnd* pWnd, LPARAM lParam);
    virtual BOOL PaintThemedBackground(CDC& dc, CWnd* pWnd, LPARAM lParam);
    virtual void PaintControlBarBackground(CDC& dc, const CRect& rc, CWnd* pAsking, LPARAM lParam);
    virtual void PaintDockBarBackground(CDC& dc, const CRect& rc, CWnd* pAsking, LPARAM lParam);
    virtual void PaintDockSplitter(CDC& dc, const CRect& rc, DWORD dwValue1, DWORD dwValue2);
    virtual void PaintArrowButton(CDC& dc, BOOL bHorz, const CRect& rc, int nDirection, BOOL bHover,
                                  BOOL bPushed, DWORD dwValue1, DWORD dwValue2);
    virtual void PaintIcon(CDC& dc, IconItemPaintData& data);
    virtual LRESULT OnSysColorChange();
    virtual LRESULT OnSettingChange(UINT uFlags, LPCSTR lpszSection);
    virtual LRESULT OnDisplayChange(INT nBitsPerPixel, INT cx, INT cy);
    virtual LRESULT OnThemeChanged(WPARAM wParam, LPARAM lParam);
    virtual CSize GetToolBarButtonOffset(BOOL bFlag);
    virtual void PaintMenuItemInPlaceWnd(CDC& dc, MenuInPlaceWndPaintData& data);
    virtual COLORREF GetIconBkColorHint();
    virtual double GetIconEffectFactor();
    virtual CSize GetBarButtonExtraSpace();
    virtual void PaintSizeGrip(CDC& dc, const CRect& rc, DWORD dwValue1, DWORD dwValue2);
    virtual void FillWindowColorRect(CDC& dc, const CRect& rc, LPARAM lParam);
    virtual void PaintFrameRect(CDC& dc, const CRect& rc);
    virtual void PaintCaptionButtonFace(CDC& dc, const CRect& rc, LPCSTR lpszText, UINT nState,
                                        DWORD dwValue1, DWORD dwValue2, DWORD dwValue3);
    virtual void PaintCaptionText(CDC& dc, const CRect& rc, LPCSTR lpszText);
    virtual void PaintCaptionFrame(CDC& dc, const CRect& rc, LPCSTR lpszText);
    virtual void PaintSmallCaptionText(CDC& dc, const CRect& rc, LPCSTR lpszText, CUiCmdIcon* pIcon,
                                       BOOL bLargeIcon, BOOL bState1, BOOL bState2);
    virtual void PaintToolTipText(CDC& dc, const CRect& rc, LPCSTR lpszText);
    virtual void PaintCaptionBackground(CDC& dc, const CRect& rc, LPCSTR lpszText);
    virtual void PaintCaptionIcon(CDC& dc, const CRect& rc, const GlyphBitmap* pGlyph, LPARAM lParam);
    virtual void PaintMenuBarDragger(CDC& dc, const CRect& rc, BOOL bDrawDots);
    virtual void PaintResizeGripper(CDC& dc, const CRect& rc, int nOffset);
    virtual void PaintSmallButton(CDC& dc, PushButtonPaintData& data);
    virtual void FillShadowColorRect(CDC& dc, const CRect& rc, DWORD dwValue1, DWORD dwValue2);
    virtual void PaintPanelBackground(CDC& dc, const CRect& rcOuter, const CRect& rcInner, CObject* pAsking,
                                      LPARAM lParam);
    virtual void PaintSunkenFrame(CDC& dc, const CRect& rc, DWORD dwValue1, DWORD dwValue2);
    virtual void PaintPaneFrame(CDC& dc, const CRect& rc, const DWORD* pValues);
    virtual BOOL CreateDockMarkers(CWnd* pParent, int nKind, const CRect& rcTarget,
                                   CTypedPtrArray<CPtrArray, CUiDynDockMarkerWnd*>& arrMarkers);
    virtual void AdjustDockMarkerColors(int nKind, CBitmap& bmpNormal, COLORREF clrNormalKey,
                                        CBitmap& bmpHover, COLORREF clrHoverKey);
    virtual void PaintDockMarkerHighlight(DWORD* pPixels, int cx, int cy, BOOL bUseRects, const RECT& rcOuter,
                                          const RECT& rcTab, COLORREF clrTint, COLORREF clrBorderTint,
                                          int nBorderWidth);
    virtual void PaintToolBarShade(CDC& dc, CUiBarButton* pButton, LPARAM lParam);

    // Colour table entry at nIndex, or appended when nIndex lies outside (-1); the index used.
    int SetColorEntry(COLORREF clr, int nIndex);
    // Refreshes the theme interface, the fonts and the system part of the colour and brush tables.
    void SyncSystemData();
    static HFONT CreateMenuFont(BOOL bPreferTahoma);
    void GetFontTextSizes(SIZE& size, BOOL bBold);
    // The extended id's map entry; FALSE when not mapped.
    BOOL LookupColorId(int nId, int& nIndex) const;
    void MapColorId(int nId, int nIndex) { m_mapColorIds.SetAt((DWORD)nId, (DWORD)nIndex); }
    int GetColorTableSize() const { return (int)m_arrColors.GetSize(); }

    CArray<COLORREF, COLORREF> m_arrColors;
    CArray<HBRUSH, HBRUSH> m_arrBrushes;
    CMap<DWORD, DWORD, DWORD, DWORD> m_mapColorIds;
    HDC m_hCachedDC[2];
    HGDIOBJ m_hCachedOldBitmap[2];
    CPalette m_palette;
    // Face towards highlight (1/2, 3/5, 4/5), shadow towards face (1/2, 2/5, 1/5), then the
    // same six from the system colours.
    CBrush m_brushHalftone[12];
    CFont m_fontNormal;
    CFont m_fontNormalVert;
    CFont m_fontNormalVertUp;
    CFont m_fontBold;
    CFont m_fontBoldVert;
    CFont m_fontBoldVertUp;
    CFont m_fontNormalSmall;
    CFont m_fontNormalVertSmall;
    CFont m_fontNormalVertUpSmall;
    CFont m_fontBoldSmall;
    CFont m_fontBoldVertSmall;
    CFont m_fontBoldVertUpSmall;
    CFont m_fontMarlett;
    UINT m_nDrawStateDisabledFlag;
    BYTE m_bFlags;   // bit 0: the menu font prefers "Tahoma"

    // The status bar's font and the tab fonts are the first six fonts above.
    CFont& GetStatusBarFont() { return m_fontNormal; }

    // The paint managers' process-wide option word; bit 0: the status bar's pane frame is
    // drawn without themed painting. Nothing in the program sets it.
    static DWORD g_dwOptions;

protected:
    void ReleaseFonts();
    void ReleaseHalftoneBrushes();
    // Maps each id to nIndex.
    void MapColorIds(std::initializer_list<int> ids, int nIndex);

public:
    // Bar frames, edit and combo frames, tabs, dock markers
    struct DockMarker;
    // The combo's drop-down arrow in a flat button.
    void PaintComboDropButton(CDC& dc, const CRect& rcButton, BOOL bHover, BOOL bPushed, BOOL bEnabled,
                              BOOL bTransparent);
    // The painters every look's tabs share, with the colours the look picks.
    void PaintTabItemFace(CDC& dc, const struct TabItemArgs& args, const struct TabItemColors& colors);
    void PaintTabIconAndText(CDC& dc, const struct TabItemArgs& args, const CRect& rcIcon, const CRect& rcText,
                             COLORREF clrText, int nStartY);
    void PaintTabAreaFace(CDC& dc, const CRect& rcStrip, const CRect& rcNearBorder, int nPosition, BOOL bGrouped,
                          COLORREF clrStrip, COLORREF clrBorder, COLORREF clrLine);
    void PaintNearBorderLine(CDC& dc, const CRect& rc, int nPosition, COLORREF clrLine);
    void PaintTabButtonFace(CDC& dc, const CRect& rcButton, int nKind, BOOL bHorz, BOOL bEnabled, BOOL bHover,
                            BOOL bPushed, COLORREF clrGlyph);
    // An icon item in the classic look's raised box or the flat looks' framed box.
    void PaintIconItem(CDC& dc, IconItemPaintData& data, bool bFlat);
    // The caption button face of the flat looks; Office 2003 fills it with a gradient.
    void PaintFlatCaptionButtonFace(CDC& dc, const CRect& rcButton, LPCSTR lpszText, UINT nState, bool bGradient);
};

// Solid fill of a rectangle with one colour (no brush selected into the context afterwards).
void FillSolidRect(HDC hDC, const RECT& rc, COLORREF clr);
