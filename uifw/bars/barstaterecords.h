// The records of a frame's saved docking layout and their stream form.
//
// A site holds one frame's layout: its window placement, the class library's dock state (the
// fixed-size bars, bars on the outer ring and bars floating alone) with one outer item per
// framework bar among them, a tree of bar records for what the class library cannot express
// (resizable bars on inner rings, nested and tabbed containers, floating containers), and the
// control ids of the auto-hidden bars. Every integer in the stream is 32-bit little endian
// unless a field says otherwise; readers answer false on a value they refuse, and the archive
// itself throws when the data ends early.
#pragma once
#include "afxarchive.h"
#include "afxtempl.h"
#include "controlbar.h"
#include "outerrow.h"

#include <vector>

struct CUiControlBar::OuterItemData_t {
    enum : BYTE { kFloating = 0x01 };

    DWORD m_nBarId = 0xE81F;
    CPoint m_ptPos = CPoint(0, 0);   // floating: its frame's top-left corner on the screen
    CSize m_sizeHorz = CSize(200, 200);
    CSize m_sizeVert = CSize(200, 200);
    CSize m_sizeFloat = CSize(200, 200);
    BarPlacementRecord m_record;
    BYTE m_bFlags = 0;

    void Serialize(CArchive& ar);
};

class CUiControlBar::InternalDockStateBar : public CObject {
    DECLARE_DYNAMIC(InternalDockStateBar)
public:
    // State flags.
    enum : DWORD {
        kKindMask = 0x000F, kKindBar = 1, kKindContainer = 2, kKindTabbed = 3,
        kVisible = 0x0010, kFloating = 0x0020, kNewRow = 0x0040, kChild = 0x0080, kTab = 0x0100,
        kSelectedTab = 0x0200, kAutoHidden = 0x0400, kCreateStyleMask = 0xF000,
    };
    // Real layouts nest two to four deep; a deeper stream is damaged.
    enum { kMaxNesting = 32 };

    InternalDockStateBar();
    ~InternalDockStateBar() override;

    UINT m_nBarId;
    UINT m_nDockBarId;
    int m_nRingLevel;
    int m_nMRUWidth;
    DWORD m_dwStyle;
    DWORD m_dwFlags;
    DWORD m_dwMRUFloatStyle;
    DWORD m_dwFloatFrameStyle;
    DWORD m_dwBarValue;
    CPoint m_ptLastFloat;
    CPoint m_ptMRUFloat;
    CRect m_rcMRUDock;
    CRect m_rcFloatFrame;      // screen
    CRect m_rcDock;            // client coordinates of the dock bar
    CSize m_sizeHorz;
    CSize m_sizeVert;
    CSize m_sizeFloat;
    CArray<InternalDockStateBar*, InternalDockStateBar*> m_arrChildren;
    int m_nSelectedChild;      // not stored
    CUiControlBar* m_pBar;     // not stored: the bar the record was applied to

    UINT GetKind() const { return m_dwFlags & kKindMask; }
    void Reset();
    void Clear();
    // nDepth: the record's level, 1 for a top-level record.
    bool SerializeState(CArchive& ar, int nDepth = 1);

    void CaptureState(CUiControlBar* pBar, InternalDockStateBar* pParent);
    // Mends a record read from outside into one the capture could have written (named: the
    // bars named so far); false when nothing of it can be applied.
    bool RefuseDamage(CFrameWnd* pFrame, InternalDockStateBar* pParent, std::vector<UINT>& named);
    // The ids of the plain bars the record and its children were applied to.
    void CollectPlainBarIds(std::vector<UINT>& ids) const;
    // False only when a floating frame cannot be made.
    bool ApplyState(CFrameWnd* pFrame, InternalDockStateBar* pParent);
    void RestoreSizes(CFrameWnd* pFrame, InternalDockStateBar* pParent);
    void FinishApply(CFrameWnd* pFrame, InternalDockStateBar* pParent);
    // Dissolves the containers of the record's tree left with one bar, inner ones first;
    // whether one was.
    bool DissolveIfSingle();

private:
    InternalDockStateBar(const InternalDockStateBar&) = delete;
    InternalDockStateBar& operator=(const InternalDockStateBar&) = delete;

    void CaptureChildren(CUiControlBar* pBar);
    void CaptureFloatingFrame(CUiControlBar* pBar);
    bool CreateContainer(CFrameWnd* pFrame, InternalDockStateBar* pParent);
    void DockIntoDockBar(CFrameWnd* pFrame, InternalDockStateBar* pParent);
    void CopyIntoBar(CFrameWnd* pFrame);
    void SelectChildTab();
};

class CUiControlBar::InternalDockStateSite : public CObject {
    DECLARE_DYNAMIC(InternalDockStateSite)
public:
    explicit InternalDockStateSite(CFrameWnd* pFrame);
    ~InternalDockStateSite() override;

    CFrameWnd* m_pFrame;
    WINDOWPLACEMENT m_wp;
    CArray<OuterItemData_t, OuterItemData_t&> m_arrOuterItems;
    CDockState* m_pDockState;
    CArray<InternalDockStateBar*, InternalDockStateBar*> m_arrBars;
    CDWordArray m_arrAutoHideIds;

    void Clear();
    // False on a short version of another framework or a damaged placement text or nesting.
    bool SerializeState(CArchive& ar);

    void CaptureState();
    void CaptureFloatingContainer(CFrameWnd* pFloatingFrame);
    void CaptureRingDockBar(CDockBar* pDockBar);
    // False when a floating frame could not be made; the bars stay as far as applied.
    bool ApplyState(bool bPositionFrame);

private:
    InternalDockStateSite(const InternalDockStateSite&) = delete;
    InternalDockStateSite& operator=(const InternalDockStateSite&) = delete;

    void KeepPlacementOnWorkArea();
    void PositionFrame();
    void UndockAll();
    void RefuseDamagedRecords();
    void KeepTreeBarsOutOfDockState();
    void MarkLeftOutBars();
    bool ApplyBarRecords();
    void ApplyAutoHideIds();
    void FinishBars();
};

// The text that heads every stored layout.
CString BarStateHeaderText();
// The frame's placement with the minimised and maximised positions cleared and the show
// command SW_SHOWNA when the frame is visible, else SW_HIDE; false when it cannot be had.
bool BarStateNeutralPlacement(CFrameWnd* pFrame, WINDOWPLACEMENT& wp);
// The class library's side of the layout: its dock state and the outer items.
void FrameBarInfoCapture(CFrameWnd* pFrame, CDockState& state,
                         CArray<CUiControlBar::OuterItemData_t, CUiControlBar::OuterItemData_t&>& items);
bool FrameBarInfoApply(CFrameWnd* pFrame, CDockState& state,
                       CArray<CUiControlBar::OuterItemData_t, CUiControlBar::OuterItemData_t&>& items);
