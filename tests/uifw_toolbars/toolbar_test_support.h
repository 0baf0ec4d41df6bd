// The frame the toolbar tests drive: a shown, active frame with a view and the framework's
// docking, bound to a command profile of test commands, with one toolbar docked at the top.
// The frame records every command it receives; its update handlers do what the test sets.
#pragma once
#include "cmdmanager.h"
#include "dockbar.h"
#include "toolcontrolbar.h"
#include "winharness.h"

#include <vector>

namespace tbtest {

// Commands of the profile: 32800 "&Open" with a 16 x 16 icon, tip "Open" and accelerator
// "Ctrl+O"; 32801 "Save" (updated by the frame's handler); 32802 "Close" (no handler);
// 32804 "A&&B"; 32810 and 32811 the items of kMenu's popup; 32820.. 32829 icon-only.
enum : UINT {
    kOpen = 32800, kSave = 32801, kClose = 32802, kAmpersand = 32804, kMenuFirst = 32810, kMenuSecond = 32811,
    kIconFirst = 32820, kMissing = 32900,
};

class TestFrame : public CFrameWnd {
public:
    std::vector<UINT> commands;
    int nSaveCheck = -1;        // SetCheck of kSave at update time (-1: none)
    bool bOpenEnabled = true;   // Enable of kOpen at update time

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    afx_msg void OnHandled() {}
    afx_msg void OnHandledRange(UINT) {}
    afx_msg void OnUpdateOpen(CCmdUI* pCmdUI);
    afx_msg void OnUpdateSave(CCmdUI* pCmdUI);
    DECLARE_MESSAGE_MAP()
};

// A 16 x 16 icon of one colour (the caller's).
HICON MakeIcon(COLORREF clr);

class ToolBarFixture : public ::testing::Test {
protected:
    ToolBarFixture();
    ~ToolBarFixture() override;

    // A new docked toolbar of the frame with the ids (the fixture destroys it).
    CUiToolControlBar* MakeBar(const std::vector<UINT>& ids, UINT nDockBarId = AFX_IDW_DOCKBAR_TOP,
                               DWORD dwExtraStyle = 0);
    CUiCmdItem* Item(UINT id);
    // Sends a mouse message to the bar at a client point, the cursor moved there first.
    void Mouse(CUiToolControlBar* pBar, UINT nMsg, CPoint pt, UINT nFlags = 0);
    CPoint Centre(CUiToolControlBar* pBar, int nIndex) { return pBar->GetButton(nIndex)->GetRect().CenterPoint(); }
    // A point of the bar's client area on no button (below the buttons' row).
    CPoint Outside(CUiToolControlBar* pBar);

    TestFrame* pFrame;
    HWND hFrame;
    std::vector<CUiToolControlBar*> bars;
};

// A client context of the bar with its horizontal (or vertical) button font.
class BarFontDC {
public:
    BarFontDC(CWnd* pWnd, bool bVertical);
    ~BarFontDC();
    CDC& dc() { return *CDC::FromHandle(m_hDC); }
    // DrawText's measure of a single line without prefix processing.
    CSize Measure(LPCSTR lpszText);

private:
    HWND m_hWnd;
    HDC m_hDC;
    HGDIOBJ m_hOld;
};

} // namespace tbtest
