#include "framefixture.h"

namespace painttest {

::testing::AssertionResult SameClip(const winharness::DcState& before, HDC hDC)
{
    winharness::DcState after = winharness::DcState::Capture(hDC);
    if (after.hasClip == before.hasClip && after.clip == before.clip)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "the clip region changed";
}

FrameFixture::FrameFixture()
{
    scope.UseIdentitySysColors();
    scope.SetBitsPerPixel(32);
    scope.GradientFillOff();
    pFrame = new CFrameWnd;
    pFrame->Create(NULL, "Frame", WS_OVERLAPPEDWINDOW, CRect(20, 20, 620, 420));
    hFrame = pFrame->GetSafeHwnd();
}

FrameFixture::~FrameFixture()
{
    if (::IsWindow(hFrame))
        ::DestroyWindow(hFrame);
    winharness::PumpPending();
}

void AddOuterDockBars(CFrameWnd* pFrame, std::initializer_list<UINT> ids)
{
    for (UINT nID : ids) {
        CUiDockOuterBar* pDockBar = new CUiDockOuterBar;
        pDockBar->m_bAutoDelete = TRUE;
        DWORD dwAlign = nID == AFX_IDW_DOCKBAR_TOP ? CBRS_ALIGN_TOP
                      : nID == AFX_IDW_DOCKBAR_BOTTOM ? CBRS_ALIGN_BOTTOM
                      : nID == AFX_IDW_DOCKBAR_LEFT ? CBRS_ALIGN_LEFT : CBRS_ALIGN_RIGHT;
        ASSERT_TRUE(pDockBar->Create(pFrame, dwAlign | WS_CHILD | WS_VISIBLE, nID));
    }
}

void FrameFixture::MakeOuterDockBars()
{
    AddOuterDockBars(pFrame, {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT, AFX_IDW_DOCKBAR_RIGHT});
    pFrame->EnableDocking(CBRS_ALIGN_ANY);
}

CWnd* FrameFixture::MakeChild(CWnd* pParent, const CRect& rc)
{
    children.emplace_back(new CWnd);
    CWnd* pChild = children.back().get();
    pChild->CreateEx(0, "STATIC", "", WS_CHILD | WS_VISIBLE, rc, pParent, 0x4321);
    return pChild;
}

} // namespace painttest
