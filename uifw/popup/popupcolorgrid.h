// The arithmetic of the colour menu, free of any window: the shared palette of forty named
// colours (eight columns, five rows), where the swatches and the two optional buttons lie,
// what a point hits, how the arrow keys walk the grid and what a choice reports. The colour
// menu window feeds it its metrics and does the drawing and posting.
#pragma once
#include "afxwin.h"

struct PopupColorEntry {
    COLORREF clr;
    LPCSTR pszName;
};

class PopupColorGrid {
public:
    static constexpr int kColorCount = 40;
    static constexpr int kColumns = 8;
    static constexpr int kRows = 5;
    static constexpr int kChosenNone = -1;
    static constexpr int kChosenDefault = -4;
    static constexpr int kChosenCustom = -5;
    // Stored through the result pointer when the custom colour dialog is asked for.
    static constexpr COLORREF kResultCustom = (COLORREF)-2;

    static const PopupColorEntry& Entry(int nIndex);
    static int FindColorIndex(COLORREF clr);
    // The index an arrow key moves to from the chosen index; nothing or a button chosen
    // starts at the first swatch. -1 for a key that is no arrow.
    static int MoveInGrid(int nChosen, UINT nVirtKey);

    // What a choice reports: the preview, the final colour, the custom colour request, or
    // nothing at all.
    enum NotifyKind { NotifyNone, NotifyChanged, NotifyChangedFinally, NotifyCustColor };
    struct Notification {
        NotifyKind kind = NotifyNone;
        WPARAM wParam = 0;
        bool bStoreResult = false;
        COLORREF clrResult = 0;
    };
    static Notification Decide(int nChosen, bool bFinal, COLORREF clrDefault);

    struct Metrics {
        int nMargin = 0;    // m
        int nShadow = 0;    // sh
        int nBorder = 0;    // b
        int nLeftBand = 0;  // L
    };
    // Lays the grid out; a button whose size is CSize(0, 0) is not shown. The text sizes are
    // the measured texts of the buttons without their "&".
    void Layout(const Metrics& metrics, bool bDefault, CSize szDefaultText, bool bCustom, CSize szCustomText);
    CSize GetSize() const { return m_size; }
    // The window is made: the buttons move with the content rectangle and the left band.
    void PlaceInWindow(CPoint ptContent);

    CRect GetCellRect(int nIndex) const;
    int HitTest(CPoint pt) const;
    const CRect& GetDefaultButtonRect() const { return m_rcDefault; }
    const CRect& GetCustomButtonRect() const { return m_rcCustom; }
    bool HasDefaultButton() const { return m_bDefault; }
    bool HasCustomButton() const { return m_bCustom; }

private:
    Metrics m_metrics;
    bool m_bDefault = false;
    bool m_bCustom = false;
    int m_cyDefault = 0;
    CSize m_size;
    CPoint m_ptContent;
    CRect m_rcDefault;
    CRect m_rcCustom;
};
