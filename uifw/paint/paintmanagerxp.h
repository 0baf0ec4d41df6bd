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
};
