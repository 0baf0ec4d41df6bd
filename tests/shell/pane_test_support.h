// The frame the pane tests host their panes in: a shown frame with a view and the framework's
// docking, whose control bars each carry one pane made from its template, as the main frame
// makes them (bar style, size grip off, main control anchored to every side). The frame
// records the commands it receives.
#pragma once
#include <gtest/gtest.h>

#include "controlbar.h"
#include "resizabledialog.h"
#include "winharness.h"

#include <vector>

namespace panetest {

class PaneFrame : public CFrameWnd {
public:
    std::vector<UINT> commands;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
};

class PaneHostFixture : public ::testing::Test {
protected:
    PaneHostFixture();
    ~PaneHostFixture() override;

    // A new docked control bar of the frame with the pane's id and caption.
    CUiControlBar* MakeBar(UINT nBarId, LPCSTR lpszCaption);
    // Creates pPane from its template inside a new bar; nAnchorId 0 anchors nothing.
    bool HostPane(CUiResizableDialog& pane, UINT nTemplate, UINT nBarId, UINT nAnchorId);

    // Destroys every pane and bar made so far.
    void DestroyHosted();

    PaneFrame* pFrame;
    HWND hFrame;
    std::vector<CUiControlBar*> bars;
    std::vector<HWND> panes;
};

} // namespace panetest
