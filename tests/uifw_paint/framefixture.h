// A frame with the framework's bars for the painters that walk real windows: outer dock
// bars, docked and floating toolbars, child windows standing for dialogs and tab strips.
#pragma once
#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <vector>

#include "dockbar.h"
#include "painttestsupport.h"
#include "toolcontrolbar.h"

namespace painttest {

// A bar made as any control bar is made: a child window with its bar style.
template <class BASE>
class TestBar : public BASE {
public:
    BOOL Create(CWnd* pParent, DWORD dwBarStyle, UINT nID)
    {
        this->m_dwStyle = dwBarStyle & CBRS_ALL;
        if (!CWnd::Create(NULL, NULL, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), pParent, nID))
            return FALSE;
        this->EnableDocking(CBRS_ALIGN_ANY);
        return TRUE;
    }
    CSize CalcFixedLayout(BOOL, BOOL) override { return CSize(120, 26); }
};

// The clip region alone: painters may leave the background colour as CDC::FillSolidRect does.
::testing::AssertionResult SameClip(const winharness::DcState& before, HDC hDC);

// Outer dock bars at the ids of the frame, before it makes plain ones for the other sides.
void AddOuterDockBars(CFrameWnd* pFrame, std::initializer_list<UINT> ids);

class FrameFixture : public ::testing::Test {
protected:
    FrameFixture();
    ~FrameFixture() override;
    // Outer dock bars on all four sides, before the frame makes plain ones.
    void MakeOuterDockBars();
    // A plain child window at rc of pParent's client area.
    CWnd* MakeChild(CWnd* pParent, const CRect& rc);

    PaintLookScope scope;
    CFrameWnd* pFrame = nullptr;
    HWND hFrame = NULL;
    std::vector<std::unique_ptr<CWnd>> children;
};

} // namespace painttest
