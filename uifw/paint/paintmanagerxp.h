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
};
