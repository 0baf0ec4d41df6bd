// Where a dragged bar would go if the button were released now, and the halftone outlines
// that show such places and the resize trackers.
//
// Two process-wide states exist: the target now shown and the target just computed; the drag
// loop compares them to decide whether the preview must be redrawn, so the cursor kind, which
// changes without moving the preview, takes no part in the comparison.
#pragma once
#include "controlbar.h"

class CUiControlBar::InternalDraggingState_t : public CObject {
public:
    explicit InternalDraggingState_t(CUiControlBar* pBar);
    ~InternalDraggingState_t() override;
    InternalDraggingState_t& operator=(const InternalDraggingState_t& other);

    enum : BYTE { kEmpty = 0x01, kSplit = 0x02 };
    BYTE m_bFlags;
    int m_nKind;          // 0 float, 1..30 the docking targets
    int m_nCursorKind;    // 1 east-west, 2 north-south, else the four-way move cursor
    UINT m_nLevel;
    CRect m_rect;
    CUiControlBar* m_pBar;
    CUiControlBar* m_pTarget;
    HWND m_hTarget;       // the target's window, to know it still lives
    int m_nTabIndex;

    bool IsEmptyState() const { return (m_bFlags & kEmpty) != 0; }
    bool IsEqual(const InternalDraggingState_t& other) const;
    CUiControlBar* SetTarget(CUiControlBar* pBar, bool bSilent);
    // A docking applied during the drag may have dissolved the group the state targeted:
    // such a target is forgotten, untouched.
    void ForgetDeadTarget();
    void Empty(bool bEmpty);
    int CalcTabIndex(int x, int y);
    // Fills the state for a screen point; bNoDock forbids every docking. A group that is no
    // longer the target of a drop into it drops the tabs it showed for the dragged bar.
    void CalcDragTarget(int x, int y, bool bNoDock);
    // The same, but that group is answered (null when none) and keeps its tabs until the
    // caller drops them (DropProvisionalTabs): the drag loop first takes its outline away.
    CUiControlBar* FindDragTarget(int x, int y, bool bNoDock);
    static void DropProvisionalTabs(CUiControlBar* pGroup);
    static bool HasProvisionalTabs(CUiControlBar* pGroup);
    void DrawTracker(bool bErase);
    // Shown as an inverted outline (not as tabs or by markers): what paints under it while it
    // is shown would keep its pieces when it is inverted away.
    bool IsOutlined() const;

private:
    void FillDragTarget(int x, int y, bool bNoDock);
    void SetSplitForTarget(CUiControlBar* pTarget);
    bool FindFloatingTarget(CPoint pt, int nMinWidth, int nMinHeight);
    bool FindOuterSide(CPoint pt);
    bool FindInnerSide(CPoint pt);
    bool FindDockedTarget(CPoint pt, int nMinWidth, int nMinHeight);
    // The bands over a target bar (or its floating frame): tabs, above, below, left, right.
    bool TestTargetBands(CUiControlBar* pTarget, const CRect& rcHit, CPoint pt, int nMinWidth, int nMinHeight,
                         bool bDocked);

private:
    InternalDraggingState_t(const InternalDraggingState_t&) = delete;
};

// One outline to draw: offered to the frame first, drawn inverted when the frame did not.
struct DrawTrackedAreaData {
    enum : BYTE { kErasing = 0x01, kHandled = 0x02 };
    CUiControlBar* m_pSource;
    CDC* m_pDC;
    int m_nShape;         // 0, 1 filled, 2 frame outline, 3 tabbed-group outline
    CRect m_rect;
    BYTE m_bFlags;

    DrawTrackedAreaData(CUiControlBar* pSource, CDC* pDC, int nShape, const CRect& rect, bool bErasing)
        : m_pSource(pSource), m_pDC(pDC), m_nShape(nShape), m_rect(rect), m_bFlags(bErasing ? kErasing : 0)
    {
    }
};

void DrawTrackedArea(DrawTrackedAreaData& data);
