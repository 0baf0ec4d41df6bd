// What the push-button bodies of all looks share: the drop-down geometry, the arrow, and
// the content (icon or system-command glyph, then the text, horizontal or turned for a
// vertical bar, then the focus rectangle). The looks choose only colours, fills and frames.
#pragma once
#include "pushbuttonpaintdata.h"

struct PushButtonParts {
    CRect rcMain;          // the main part; the whole button without a drop-down
    CRect rcDrop;          // the drop-down part, sharing one pixel column or row with the main part
    bool bDropDown;
    bool bSeparated;       // the drop-down part is framed on its own
    bool bPressedLook;     // pushed and not separated, or the drop-down part pushed

    // Masks a disabled button's state in the record and lays the parts out; false for an
    // empty button, which paints nothing.
    bool Begin(PushButtonPaintData& data);
};

// How a look draws the text of a button.
struct PushButtonTextStyle {
    COLORREF clrText;
    // Horizontal text through DrawState with this flag added (base look); otherwise DrawText.
    bool bDrawState;
    UINT nDrawStateFlags;
    // Vertical text is drawn first in clrLight one pixel right and down, then in clrEngraved.
    bool bEngraved;
    COLORREF clrLight;
    COLORREF clrEngraved;
};

// The small down (or right) triangle centred in the drop-down part, moved by the look's
// glyph offset in the pressed look.
void PaintDropDownArrow(CUiPaintManager& pm, CDC& dc, const PushButtonPaintData& data, const PushButtonParts& parts,
                        COLORREF clrArrow);
// Icon or glyph, text and focus rectangle. bIconPressed is the pressed state the look hands
// to the icon painter.
void PaintPushButtonContent(CUiPaintManager& pm, CDC& dc, const PushButtonPaintData& data,
                            const PushButtonParts& parts, BOOL bIconPressed, const PushButtonTextStyle& style);
// Text turned to run downwards, centred in rcText, its first "&" taken as the mark of the
// character to underline.
void DrawVerticalText(CDC& dc, HFONT hFont, const CRect& rcText, LPCSTR lpszText, COLORREF clr);
