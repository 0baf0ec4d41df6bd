// The framework's control bar on the class library's bar, with the two placement queries the
// paint manager reads: floating, and docked vertically.
#pragma once
#include "afxext.h"
#include "mousecapturesink.h"

class CUiControlBar : public CControlBar, public CUiMouseCaptureSink {
    DECLARE_DYNAMIC(CUiControlBar)
public:
    CUiControlBar();
    ~CUiControlBar() override;

    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;

    // The bar has a dock bar that is not one of the frame's four side dock bars, and a frame.
    BOOL IsBarFloating() const;
    // On the left or right dock bar, or, not yet docked, styled to dock at a side.
    BOOL IsDockedVertically() const;
    // In one of the frame's side dock bars.
    BOOL IsBarDocked() const;
};

// Whether nID is one of the frame's four side dock bars.
bool IsSideDockBarId(UINT nID);
