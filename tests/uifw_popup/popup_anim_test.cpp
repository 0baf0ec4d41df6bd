// The opening animation and the shadow, on pixel buffers and seams; a popup never takes the
// activation.
#include "popup_test_support.h"

#include <cstdlib>

using namespace popuptest;
using namespace winharness;

namespace {

int g_nBits = 32;
int FakeBits()
{
    return g_nBits;
}

class PopupAnimTest : public ::testing::Test {
protected:
    PopupAnimTest() { CUiPopupBaseWnd::g_pfnBitsPerPixel = &FakeBits; }
    ~PopupAnimTest() override
    {
        g_nBits = 32;
        CUiPopupBaseWnd::g_pfnBitsPerPixel = m_pfnSaved;
    }
    int (*m_pfnSaved)() = CUiPopupBaseWnd::g_pfnBitsPerPixel;
    PopupScope scope;
};

TEST_F(PopupAnimTest, TheRandomKindIsNeverNoneOrRandomAgain)
{
    CUiPopupBaseWnd popup;
    for (unsigned seed = 0; seed < 1000; ++seed) {
        std::srand(seed);
        popup.m_nAnimation = 1;
        popup.InitAnimation();
        ASSERT_GE(popup.m_nAnimation, 2) << seed;
        ASSERT_LE(popup.m_nAnimation, 10) << seed;
    }
    popup.m_nAnimation = 11;
    popup.InitAnimation();
    EXPECT_EQ(0, popup.m_nAnimation);
    EXPECT_TRUE(popup.IsAnimationEnded());
    g_nBits = 8;
    popup.m_nAnimation = 4;
    popup.InitAnimation();
    EXPECT_EQ(0, popup.m_nAnimation);
}

TEST_F(PopupAnimTest, AProgressiveAnimationShowsFiveFramesAndEndsOnTheSixthTick)
{
    CUiPopupBaseWnd popup;
    popup.m_nAnimation = 4;
    popup.m_nPendingSound = 2;
    popup.StartAnimation();
    ASSERT_FALSE(popup.IsAnimationEnded());
    std::vector<int> progress;
    int nTicks = 0;
    while (!popup.IsAnimationEnded() && nTicks < 10) {
        popup.AnimationTick();
        ++nTicks;
        if (!popup.IsAnimationEnded())
            progress.push_back(popup.m_nProgress);
    }
    EXPECT_EQ((std::vector<int>{20, 40, 60, 80, 100}), progress);
    EXPECT_EQ(6, nTicks);
    EXPECT_EQ(std::vector<int>{2}, g_sounds);
    popup.AnimationTick();
    EXPECT_EQ(std::vector<int>{2}, g_sounds);
}

TEST_F(PopupAnimTest, FadeMixesEachChannel)
{
    const DWORD back = 0x646464;      // (100, 100, 100)
    const DWORD content = 0xC80032;   // red 200, green 0, blue 50
    DWORD frame = 0;
    CUiPopupBaseWnd::FadePixels(&frame, &back, &content, 1, 1, 50);
    EXPECT_EQ(0x96324Bu, frame);      // (150, 50, 75)
}

TEST_F(PopupAnimTest, BlindsAndCirclesTakeTheContentByCell)
{
    const int n = 32 * 32;
    std::vector<DWORD> back(n, 0x000000), content(n, 0xFFFFFF), frame(n, 0x000000);
    auto at = [&](int x, int y) { return frame[y * 32 + x]; };
    CUiPopupBaseWnd::MixPixels(8, frame.data(), back.data(), content.data(), 32, 32, 50, 40);
    EXPECT_EQ(0xFFFFFFu, at(5, 5));     // the left half of a row
    EXPECT_EQ(0x000000u, at(20, 5));    // not yet its right half
    EXPECT_EQ(0xFFFFFFu, at(20, 20));   // the lower rows whole
    CUiPopupBaseWnd::MixPixels(9, frame.data(), back.data(), content.data(), 32, 32, 100, 80);
    EXPECT_EQ(0xFFFFFFu, at(16, 16));   // inside the circle
    EXPECT_EQ(0x000000u, at(0, 0));     // the cell's corner
    CUiPopupBaseWnd::MixPixels(10, frame.data(), back.data(), content.data(), 32, 32, 20, 0);
    EXPECT_EQ(0x000000u, at(16, 16));   // a shrinking hole of background
    EXPECT_EQ(0xFFFFFFu, at(0, 0));
}

TEST_F(PopupAnimTest, TheGradientShadowDarkensTheStripsOnce)
{
    const int w = 40, h = 30, s = 4;
    std::vector<DWORD> bits((w + s) * (h + s), 0xC8C8C8);
    PopupShadow::ShadeGradient(bits.data(), w, h, s, 75, 100, CLR_INVALID, CRect(), CRect());
    for (int y = 9; y <= 29; ++y) {
        ASSERT_EQ(0x969696u, bits[y * (w + s) + w]) << y;        // 150: the innermost line
        ASSERT_EQ(0xBABABAu, bits[y * (w + s) + w + 3]) << y;    // 186: the outermost
    }
    EXPECT_EQ(0xC8C8C8u, bits[2 * (w + s) + w]);                 // above the corner
    EXPECT_EQ(0xC8C8C8u, bits[20 * (w + s) + 20]);               // the body

    // Painted with the cache, a second paint restores the strips instead of darkening again.
    DibSurface surface(80, 60, RGB(200, 200, 200));
    PopupShadow shadow;
    const CRect rcBody(10, 10, 50, 40);
    ASSERT_TRUE(shadow.Paint(*surface.cdc(), rcBody, CRect(), CRect(), 4, 75, 100, TRUE, FALSE, FALSE));
    EXPECT_EQ(RGB(150, 150, 150), surface.Pixel(50, 25));
    EXPECT_TRUE(shadow.HasCachedStrips());
    ASSERT_TRUE(shadow.Paint(*surface.cdc(), rcBody, CRect(), CRect(), 4, 75, 100, TRUE, FALSE, FALSE));
    EXPECT_EQ(RGB(150, 150, 150), surface.Pixel(50, 25));
    EXPECT_EQ(RGB(186, 186, 186), surface.Pixel(53, 25));
    EXPECT_TRUE(shadow.Paint(*surface.cdc(), rcBody, CRect(), CRect(), 0, 75, 100, TRUE, FALSE, FALSE));
}

TEST_F(PopupAnimTest, OnPaletteScreensTheDitheredShadowIsAtMostFourPixels)
{
    g_nBits = 8;
    DibSurface surface(80, 60, RGB(255, 255, 255));
    PopupShadow shadow;
    ASSERT_TRUE(shadow.Paint(*surface.cdc(), CRect(10, 10, 50, 40), CRect(), CRect(), 7, 75, 100, FALSE, FALSE,
                             FALSE));
    int nInside = 0, nBeyond = 0;
    for (int y = 0; y < 60; ++y) {
        for (int x = 50; x < 80; ++x)
            (x < 54 ? nInside : nBeyond) += surface.Pixel(x, y) != RGB(255, 255, 255) ? 1 : 0;
    }
    EXPECT_GT(nInside, 0);
    EXPECT_EQ(0, nBeyond);
}

TEST_F(PopupAnimTest, EveryKindOpensAndEndsOnARealMenu)
{
    CReceiverFrame* frame = MakeReceiver();
    for (int nKind : {2, 3, 4, 5, 6, 7, 8, 9, 10}) {
        CUiPopupBaseWnd::g_nDefaultAnimation = nKind;
        CUiPopupMenuWnd* pMenu = new CUiPopupMenuWnd;
        pMenu->InitRootMenu(frame->GetSafeHwnd());
        pMenu->ItemInsertCommand(ID_A, -1, "Alpha", nullptr, nullptr, 0);
        ASSERT_TRUE(pMenu->TrackMenu(0, 300, 300));
        EXPECT_EQ(pMenu, PopupTrackingState::Get().m_pAnimating) << nKind;
        EXPECT_TRUE(WaitAnimationEnd()) << nKind;
        EXPECT_TRUE(pMenu->IsAnimationEnded()) << nKind;
        CUiPopupMenuWnd::CloseTrackedMenus();
    }
    CUiPopupBaseWnd::g_nDefaultAnimation = 0;
    DestroyReceiver(frame);
}

TEST_F(PopupAnimTest, AClickOnAPopupLeavesTheActiveWindow)
{
    CReceiverFrame* frame = MakeReceiver();
    CUiPopupMenuWnd* pMenu = new CUiPopupMenuWnd;
    pMenu->InitRootMenu(frame->GetSafeHwnd());
    pMenu->ItemInsertCommand(ID_A, -1, "Alpha", nullptr, nullptr, 0);
    ASSERT_TRUE(pMenu->TrackMenu(0, 300, 300));
    ASSERT_TRUE(WaitAnimationEnd());
    const HWND hActive = ::GetActiveWindow();
    CRect rc;
    pMenu->GetItemRect(0, rc);
    pMenu->ClientToScreen(rc);
    EXPECT_EQ(MA_NOACTIVATEANDEAT, pMenu->SendMessage(WM_MOUSEACTIVATE, (WPARAM)frame->GetSafeHwnd(),
                                                      MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN)));
    EXPECT_EQ(1, HookMouse(WM_LBUTTONDOWN, rc.CenterPoint()));
    EXPECT_EQ(1, HookMouse(WM_LBUTTONUP, rc.CenterPoint()));
    ASSERT_TRUE(PumpUntil([] { return !CUiPopupMenuWnd::IsTrackingMenu(); }));
    EXPECT_EQ(hActive, ::GetActiveWindow());
    PumpUntil([&] { return frame->nHandledA > 0; });
    EXPECT_EQ(1, frame->nHandledA);
    DestroyReceiver(frame);
}

// What the window shows at the centre of its body.
COLORREF ShownPixelOf(CUiPopupMenuWnd& menu)
{
    const CPoint pt = menu.m_rcContent.CenterPoint();
    DibSurface surface(1, 1);
    CClientDC dc(&menu);
    ::BitBlt(surface.dc(), 0, 0, 1, 1, dc.GetSafeHdc(), pt.x, pt.y, SRCCOPY);
    return surface.Pixel(0, 0);
}

TEST_F(PopupAnimTest, AClickIntoANestedParentKeepsItsSubmenuAboveAndBothPainted)
{
    CReceiverFrame* frame = MakeReceiver();
    CUiPopupMenuWnd parent;
    parent.InitRootMenu(frame->GetSafeHwnd());
    parent.ItemInsertCommand(ID_A, -1, "Alpha", nullptr, nullptr, 0);
    CUiPopupMenuWnd* pSub = new CUiPopupMenuWnd;
    pSub->ItemInsertCommand(ID_B, -1, "Beta", nullptr, nullptr, 0);
    parent.ItemInsertSubmenu(pSub, -1, "More");
    ASSERT_TRUE(parent.TrackMenu(CUiPopupMenuWnd::kNested, 300, 300));
    parent.SetCurrentItem(1, TRUE, TRUE, FALSE);
    ASSERT_TRUE(::IsWindow(pSub->GetSafeHwnd()) && pSub->IsWindowVisible());
    PumpPending();
    const COLORREF clrParent = ShownPixelOf(parent), clrSub = ShownPixelOf(*pSub);
    // The parent stacked over its submenu, and both spoiled on the screen.
    parent.SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    const COLORREF kSpoilt = RGB(255, 0, 255);
    for (CWnd* pWnd : {static_cast<CWnd*>(&parent), static_cast<CWnd*>(pSub)}) {
        pWnd->ValidateRect(nullptr);
        CClientDC dc(pWnd);
        CRect rc;
        pWnd->GetClientRect(rc);
        dc.FillSolidRect(rc, kSpoilt);
    }
    ASSERT_EQ(kSpoilt, ShownPixelOf(parent));

    EXPECT_EQ(MA_NOACTIVATE, parent.SendMessage(WM_MOUSEACTIVATE, (WPARAM)frame->GetSafeHwnd(),
                                                MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN)));
    bool bSubAbove = false;
    for (HWND h = ::GetWindow(pSub->GetSafeHwnd(), GW_HWNDNEXT); h != NULL; h = ::GetWindow(h, GW_HWNDNEXT))
        bSubAbove = bSubAbove || h == parent.GetSafeHwnd();
    EXPECT_TRUE(bSubAbove);
    EXPECT_EQ(pSub->GetSafeHwnd(), ::GetWindow(parent.GetSafeHwnd(), GW_HWNDPREV));
    // Painted at once, before any paint message could come.
    EXPECT_EQ(clrParent, ShownPixelOf(parent));
    EXPECT_EQ(clrSub, ShownPixelOf(*pSub));
    parent.CloseMenu(FALSE);
    parent.DestroyWindow();
    DestroyReceiver(frame);
}

TEST_F(PopupAnimTest, APopupHasNoFrameWhateverItsStyle)
{
    CUiPopupBaseWnd popup;
    ASSERT_TRUE(popup.CreateEx(0, AfxRegisterWndClass(0), "", WS_POPUP | WS_CAPTION | WS_THICKFRAME,
                               CRect(100, 100, 300, 250), nullptr, 0));
    CRect rcWindow, rcClient;
    popup.GetWindowRect(rcWindow);
    popup.GetClientRect(rcClient);
    EXPECT_EQ(rcWindow.Size(), rcClient.Size());
    popup.DestroyWindow();
}

} // namespace
