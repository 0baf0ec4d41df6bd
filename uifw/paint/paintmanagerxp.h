// The flat Office XP look: lighter computed bar and menu colours, flat glyphs without a
// shadow offset, menus joined with the button that opened them.
#pragma once
#include "glyphs.h"
#include "paintmanager.h"

class CUiPaintManagerXP : public CUiPaintManager {
    DECLARE_DYNCREATE(CUiPaintManagerXP)
public:
    CUiPaintManagerXP();
    ~CUiPaintManagerXP() override;

    int GetThemeKind() override;
    int GetMenuBorderSize() override;
    COLORREF GetThemeFillColor() override;
    void InitColorTable() override;
    CSize GetGlyphShadowOffset() override;
    int GetToolBarButtonGap() override;
    BOOL IsMenuJoinedWithButton() override;
    // Whether the visual style's colour scheme may colour this look.
    virtual BOOL IsThemeColorSchemeUsable();
    // Buttons, captions, icons, separators, menu borders, status panes, menu items, chevron
    void PaintContentExpandButton(CDC& dc, const CRect& rc, BOOL bHorz, BOOL bNoHidden, BOOL bEnabled, BOOL bPushed,
                                  BOOL bHover, CObject* pAsking, LPARAM lParam, BOOL bTransparent) override;
    void PaintClientAreaBorder(CDC& dc, const CRect& rc, CObject* pAsking, LPARAM lParam) override;
    void PaintCmdIcon(CDC& dc, BOOL bHorz, LPCSTR lpszText, CUiCmdIcon* pIcon, const CRect& rcClient, CRect& rcText,
                      BOOL bPushed, BOOL bEnabled, BOOL bHover, UINT nAlign) override;
    void PaintBarNcAreaButton(CDC& dc, NcButtonPaintData& data) override;
    void PaintSysCmdGlyph(CDC& dc, UINT nSysCmd, const CRect& rc, BOOL bHover, BOOL bPushed, BOOL bEnabled) override;
    void PaintPushButton(CDC& dc, PushButtonPaintData& data) override;
    void PaintMenuItem(CDC& dc, MenuItemPaintData& data) override;
    void PaintInsetLine(CDC& dc, const CRect& rcItem, int cxIconArea, BOOL bRarelyUsed, CObject* pAsking,
                        LPARAM lParam) override;
    void PaintSeparator(CDC& dc, const CRect& rc, BOOL bHorz, BOOL bTransparent, CObject* pAsking,
                        LPARAM lParam) override;
    void PaintMenuBorder(CDC& dc, const CRect& rc, CObject* pAsking, LPARAM lParam) override;
    void PaintMenuJoinedArea(CDC& dc, const CRect& rcBorder, const CRect& rcButton, int nSide, CObject* pAsking,
                             LPARAM lParam) override;
    void PaintStatusPane(CDC& dc, StatusPanePaintData& data) override;

    // Bit 0 and 1 set by XP (bit 1 read by the bar-frame painter), bit 2 by Office 2003.
    BYTE m_bLookBits;
    ChevronGlyphs m_chevronGlyphs;
    int m_nColorIdSlots[10];

protected:
    // Appends clr and maps every id to the new entry.
    void MapNewColor(std::initializer_list<int> ids, COLORREF clr);
public:
    // Bar frames, backgrounds, tabs and small painters
    void PaintDockSplitter(CDC& dc, const CRect& rc, DWORD dwValue1, DWORD dwValue2) override;
    void PaintMenuItemInPlaceWnd(CDC& dc, MenuInPlaceWndPaintData& data) override;
    void PaintGripper(CDC& dc, GripperPaintData& data) override;
    void PaintControlBarBorders(CDC& dc, BarFramePaintData& data) override;
    void PaintHalftoneOutline(CDC& dc, const CRect& rc);
    void PaintControlFrame(CDC& dc, ControlFramePaintData& data) override;
    void PaintComboFrame(CDC& dc, ComboFramePaintData& data) override;
    void PaintTabClientArea(CDC& dc, const CRect& rcStrip, const CRect& rcSecond, const CRect& rcNearBorder,
                            int nPosition, BOOL bGrouped, CObject* pAsking, LPARAM lParam) override;
    void PaintTabButton(CDC& dc, const CRect& rcButton, int nKind, int nUnused, BOOL bHorz, BOOL bEnabled,
                        BOOL bHover, BOOL bPushed, BOOL bGrouped, CObject* pAsking, LPARAM lParam) override;
    void PaintFrameRect(CDC& dc, const CRect& rc) override;
    void PaintIcon(CDC& dc, IconItemPaintData& data) override;
    void PaintCaptionButtonFace(CDC& dc, const CRect& rc, LPCSTR lpszText, UINT nState, DWORD dwValue1,
                                DWORD dwValue2, DWORD dwValue3) override;
};
