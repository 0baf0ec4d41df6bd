// A menu opened from a real toolbar button with a drop-down, in each look: joined with its
// button where the look joins them, its border open where the button meets it, the shadows of
// body and button one outline that falls on neither, and every opening animation keeping the
// button (and the room of its shadow) as the background picture had it until it ends.
#include "popup_test_support.h"

#include "controlbar.h"
#include "paintmanagerholder.h"
#include "paintmanageroffice2003.h"
#include "paintmanagerstudio2005.h"
#include "paintmanagerxp.h"
#include "toolcontrolbar.h"
#include "windowsversion.h"

using namespace popuptest;
using namespace winharness;

namespace {

// What lay under the menu in the frame tests: a colour no look paints.
const COLORREF kUnder = RGB(10, 200, 30);

struct Look {
    const char* pszName;
    CRuntimeClass* pClass;
    bool bJoins;
};
const Look kLooks[] = {{"classic", RUNTIME_CLASS(CUiPaintManager), false},
                       {"XP", RUNTIME_CLASS(CUiPaintManagerXP), true},
                       {"Office 2003", RUNTIME_CLASS(CUiPaintManagerOffice2003), true},
                       {"Studio 2005", RUNTIME_CLASS(CUiPaintManagerStudio2005), true}};

class PopupJoinedTest : public ::testing::Test {
protected:
    PopupJoinedTest() : frame(MakeReceiver())
    {
        frame->SetWindowPos(nullptr, 100, 100, 700, 560, SWP_NOZORDER | SWP_NOACTIVATE);
        EnableFrameDocking(frame, CBRS_ALIGN_ANY, TRUE);
        CUiCmdManager* pManager = CmdManagerHolder::GetStoredHandle();
        pManager->CmdAllocPtr(pManager->ProfileFindByWindow(frame->GetSafeHwnd())->GetName(), ID_A);
    }
    ~PopupJoinedTest() override
    {
        CloseBar();
        DestroyReceiver(frame);
    }

    // A toolbar of the look docked on the side, whose only button drops down a menu with a
    // submenu; its menu opened by a press on the button, the opening animation ended.
    CUiPopupMenuWnd* OpenButtonMenu(const Look& look, UINT nDockBarId, LPCSTR lpszButton = "Menu")
    {
        CloseBar();
        CUiCmdManager* pManager = CmdManagerHolder::GetStoredHandle();
        pManager->ProfileFindByWindow(frame->GetSafeHwnd())->CmdGetPtr(ID_A)->m_strToolbarText = lpszButton;
        PaintManagerHolder::Get().SetPaintManagerClass(look.pClass);
        bar = new CUiToolControlBar;
        const DWORD dwAlign = nDockBarId == AFX_IDW_DOCKBAR_BOTTOM ? CBRS_ALIGN_BOTTOM
                              : nDockBarId == AFX_IDW_DOCKBAR_RIGHT ? CBRS_ALIGN_RIGHT
                                                                    : CBRS_ALIGN_TOP;
        EXPECT_TRUE(bar->Create("Joined", frame, 0xB201, WS_CHILD | WS_VISIBLE | dwAlign | CBRS_SIZE_DYNAMIC));
        const UINT nId = ID_A;
        bar->SetButtonList(&nId, 1);
        HMENU hMenu = MakeMenu({{ID_B, "Beta"}, {ID_C, "Gamma"}, {0, nullptr}, {ID_D, "Delta"}});
        ::AppendMenuA(hMenu, MF_POPUP, (UINT_PTR)MakeMenu({{ID_OPEN, "Open"}}), "More");
        bar->SetButtonMenu(0, hMenu, false, true, true);
        bar->EnableDocking(CBRS_ALIGN_ANY);
        frame->DockControlBar(bar, nDockBarId);
        frame->RecalcLayout();
        bar->CalcButtonLayout();
        PumpPending();
        const CPoint pt = bar->GetButton(0)->GetRect().CenterPoint();
        SendMouse(bar->GetSafeHwnd(), WM_LBUTTONDOWN, pt.x, pt.y, MK_LBUTTON);
        EXPECT_TRUE(WaitAnimationEnd());
        return PopupTrackingState::Get().m_pRoot;
    }
    void CloseBar()
    {
        CUiToolControlBar::EndAllBarMenuTracking();
        CUiPopupMenuWnd::CloseTrackedMenus();
        PumpPending();
        if (bar != nullptr) {
            bar->DestroyWindow();
            delete bar;
            bar = nullptr;
        }
    }
    static CRect ButtonInMenu(CUiPopupMenuWnd* pMenu)
    {
        CRect rc(pMenu->m_rcExclude);
        pMenu->ScreenToClient(rc);
        return rc;
    }
    // The menu painted as a paint after its animation paints it, with or without shadows, the
    // shadows darkening a screen of kUnder.
    static void PaintMenu(CUiPopupMenuWnd* pMenu, DibSurface& surface, bool bShadows)
    {
        SetUnderPicture(pMenu);
        pMenu->m_shadowBody.Destroy();
        pMenu->m_shadowExclude.Destroy();
        const UINT nFlags = pMenu->m_nTrackFlags;
        if (!bShadows)
            pMenu->m_nTrackFlags |= CUiPopupMenuWnd::kNoShadow;
        pMenu->PaintContent(*surface.cdc(), TRUE);
        pMenu->m_nTrackFlags = nFlags;
    }
    static void SetUnderPicture(CUiPopupMenuWnd* pMenu)
    {
        CRect rc;
        pMenu->GetClientRect(rc);
        CClientDC dcWindow(pMenu);
        CDC dc;
        dc.CreateCompatibleDC(&dcWindow);
        pMenu->m_bmpUnder.DeleteObject();
        pMenu->m_bmpUnder.CreateCompatibleBitmap(&dcWindow, rc.Width(), rc.Height());
        CBitmap* pOld = dc.SelectObject(&pMenu->m_bmpUnder);
        dc.FillSolidRect(rc, kUnder);
        dc.SelectObject(pOld);
    }
    // One frame of the animation kind at progress p (after pPrev) into the surface.
    static void RenderFrame(CUiPopupMenuWnd* pMenu, DibSurface& surface, int nKind, int p, int pPrev)
    {
        pMenu->m_nAnimation = nKind;
        pMenu->m_nPrevProgress = pPrev;
        pMenu->m_nProgress = p;
        pMenu->RenderAnimationFrame(*surface.cdc());
    }
    static void StartFrames(CUiPopupMenuWnd* pMenu)
    {
        pMenu->ResetAnimationSurfaces();
        SetUnderPicture(pMenu);
    }

    PopupScope scope;
    CReceiverFrame* frame;
    CUiToolControlBar* bar = nullptr;
};

bool IsDarkened(COLORREF clr)
{
    return GetGValue(clr) < GetGValue(kUnder) && GetRValue(clr) <= GetRValue(kUnder);
}

TEST_F(PopupJoinedTest, TheMenuJoinsItsButtonWithOneShadowOutline)
{
    // The button narrower and wider than its menu.
    const struct {
        UINT nDockBarId;
        LPCSTR lpszButton;
    } cases[] = {{AFX_IDW_DOCKBAR_TOP, "Menu"},
                 {AFX_IDW_DOCKBAR_BOTTOM, "Menu"},
                 {AFX_IDW_DOCKBAR_TOP, "A button far wider than its menu"},
                 {AFX_IDW_DOCKBAR_BOTTOM, "A button far wider than its menu"}};
    for (const Look& look : kLooks) {
        for (const auto& c : cases) {
            const bool bBelow = c.nDockBarId == AFX_IDW_DOCKBAR_TOP;
            SCOPED_TRACE(::testing::Message() << look.pszName << (bBelow ? " below " : " above ") << c.lpszButton);
            CUiPopupMenuWnd* pMenu = OpenButtonMenu(look, c.nDockBarId, c.lpszButton);
            ASSERT_NE(nullptr, pMenu);
            EXPECT_FALSE(pMenu->IsInternalCallback());
            if (!look.bJoins) {
                EXPECT_EQ(0, pMenu->m_nJoinedSide);
                continue;
            }
            ASSERT_EQ(bBelow ? 1 : 2, pMenu->m_nJoinedSide);
            const int s = pMenu->GetShadowSize();
            const CRect rcBody(pMenu->m_rcContent);
            const CRect rcButton = ButtonInMenu(pMenu);
            CRect rcClient;
            pMenu->GetClientRect(rcClient);
            DibSurface plain(rcClient.Width(), rcClient.Height()), shaded(rcClient.Width(), rcClient.Height());
            PaintMenu(pMenu, plain, false);
            PaintMenu(pMenu, shaded, true);
            // No shadow on the button or the body, whichever side they meet on.
            int nShadedInside = 0;
            for (const CRect& rc : {rcButton, rcBody}) {
                for (int y = rc.top; y < rc.bottom; ++y) {
                    for (int x = rc.left; x < rc.right; ++x)
                        nShadedInside += plain.Pixel(x, y) != shaded.Pixel(x, y) ? 1 : 0;
                }
            }
            EXPECT_EQ(0, nShadedInside);
            // A shadow beside the button's free side, and beside the body.
            for (int y = rcButton.top + 2 * s + 1; y < rcButton.bottom - 2; ++y)
                EXPECT_TRUE(IsDarkened(shaded.Pixel(rcButton.right, y))) << y;
            EXPECT_TRUE(IsDarkened(shaded.Pixel(rcBody.right, rcBody.CenterPoint().y)));
            EXPECT_TRUE(IsDarkened(shaded.Pixel(rcBody.right - 1, rcBody.bottom)) || !bBelow);
            // The border is open where the button meets it and framed beyond the button.
            const int yEdge = bBelow ? rcBody.top : rcBody.bottom - 1;
            const int yInside = bBelow ? yEdge + 1 : yEdge - 1;
            const int xOpen = rcButton.CenterPoint().x;
            const int xFramed = rcButton.right + s + 4;
            EXPECT_EQ(plain.Pixel(xOpen, yInside), plain.Pixel(xOpen, yEdge));
            if (xFramed < rcBody.right - 2) {
                EXPECT_NE(plain.Pixel(xFramed, yInside), plain.Pixel(xFramed, yEdge));
                EXPECT_EQ(plain.Pixel(xFramed, yEdge), plain.Pixel(rcBody.left, rcBody.CenterPoint().y));
            }

            // A submenu opened from its item paints that item itself.
            const int nSub = pMenu->ItemGetCount() - 1;
            pMenu->SetCurrentItem(nSub, TRUE, FALSE, FALSE);
            CUiPopupMenuWnd* pSub = pMenu->ItemGetPopup(nSub);
            ASSERT_TRUE(pSub != nullptr && ::IsWindow(pSub->GetSafeHwnd()));
            EXPECT_TRUE(pSub->IsInternalCallback());
        }
    }
}

TEST_F(PopupJoinedTest, EveryAnimationKeepsTheButtonAsTheScreenHadIt)
{
    for (const Look& look : kLooks) {
        if (!look.bJoins)
            continue;
        SCOPED_TRACE(look.pszName);
        CUiPopupMenuWnd* pMenu = OpenButtonMenu(look, AFX_IDW_DOCKBAR_TOP);
        ASSERT_NE(nullptr, pMenu);
        ASSERT_EQ(1, pMenu->m_nJoinedSide);
        const int s = pMenu->GetShadowSize();
        CRect rcClient;
        pMenu->GetClientRect(rcClient);
        // The button and the room of its shadow: every side but the one that meets the body.
        CRect rcKept = ButtonInMenu(pMenu);
        rcKept.InflateRect(s, s, s, 0);
        rcKept.IntersectRect(rcKept, rcClient);
        const CPoint ptButton = ButtonInMenu(pMenu).CenterPoint();
        DibSurface surface(rcClient.Width(), rcClient.Height());
        for (int nKind : {2, 3, 4, 5, 6, 7, 8, 9, 10, -2}) {
            StartFrames(pMenu);
            for (int p = 20; p <= 100; p += 20) {
                RenderFrame(pMenu, surface, nKind, p, p - 20);
                if (p != 20 && p != 60 && p != 100)
                    continue;
                if (nKind == 4) {
                    // The fade mixes the whole window, the button with what the menu paints of it.
                    const DWORD content = pMenu->m_pContentBits[ptButton.y * rcClient.Width() + ptButton.x];
                    const int g = (GetGValue(kUnder) * (100 - p) + ((content >> 8) & 0xFF) * p) / 100;
                    EXPECT_EQ(g, GetGValue(surface.Pixel(ptButton.x, ptButton.y))) << p;
                    continue;
                }
                int nChanged = 0;
                for (int y = rcKept.top; y < rcKept.bottom; ++y) {
                    for (int x = rcKept.left; x < rcKept.right; ++x)
                        nChanged += surface.Pixel(x, y) != kUnder ? 1 : 0;
                }
                EXPECT_EQ(0, nChanged) << "kind " << nKind << " at " << p;
            }
        }
        // The last frame shows the whole body.
        EXPECT_NE(kUnder, surface.Pixel(pMenu->m_rcContent.CenterPoint().x, pMenu->m_rcContent.CenterPoint().y));
        pMenu->ResetAnimationSurfaces();
    }
}

TEST_F(PopupJoinedTest, AJoinedMenuSlidesAndUnfoldsOutOfItsButtonsSide)
{
    const Look& look = kLooks[1];
    struct Case {
        UINT nDockBarId;
        int nSide;
        int nKind;
        // Where the content shows at half progress: the quarters of the body, in the order
        // top-left, top-right, bottom-left, bottom-right.
        bool bShown[4];
    };
    const Case cases[] = {
        {AFX_IDW_DOCKBAR_RIGHT, 3, 2, {false, true, false, false}},
        {AFX_IDW_DOCKBAR_RIGHT, 3, 5, {false, true, false, false}},
        {AFX_IDW_DOCKBAR_BOTTOM, 2, 2, {false, false, true, false}},
        {AFX_IDW_DOCKBAR_BOTTOM, 2, 3, {false, false, true, true}},
        {AFX_IDW_DOCKBAR_BOTTOM, 2, 6, {false, false, true, true}},
        {AFX_IDW_DOCKBAR_TOP, 1, 5, {true, false, false, false}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "side " << c.nSide << " kind " << c.nKind);
        CUiPopupMenuWnd* pMenu = OpenButtonMenu(look, c.nDockBarId);
        ASSERT_NE(nullptr, pMenu);
        ASSERT_EQ(c.nSide, pMenu->m_nJoinedSide);
        CRect rcClient;
        pMenu->GetClientRect(rcClient);
        DibSurface surface(rcClient.Width(), rcClient.Height());
        StartFrames(pMenu);
        RenderFrame(pMenu, surface, c.nKind, 50, 40);
        const CRect& b = pMenu->m_rcContent;
        const CPoint quarters[4] = {{b.left + b.Width() / 4, b.top + b.Height() / 4},
                                    {b.right - b.Width() / 4, b.top + b.Height() / 4},
                                    {b.left + b.Width() / 4, b.bottom - b.Height() / 4},
                                    {b.right - b.Width() / 4, b.bottom - b.Height() / 4}};
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(c.bShown[i], surface.Pixel(quarters[i].x, quarters[i].y) != kUnder) << i;
        pMenu->ResetAnimationSurfaces();
    }
}

TEST_F(PopupJoinedTest, UnfoldingStretchesWithHalftoneOnTheNtFamily)
{
    CUiPopupMenuWnd* pMenu = OpenButtonMenu(kLooks[1], AFX_IDW_DOCKBAR_TOP);
    ASSERT_NE(nullptr, pMenu);
    ASSERT_NE(0, PaintManagerHolder::Get().m_wFamilyFlags & kWinNT);
    CRect rcClient;
    pMenu->GetClientRect(rcClient);
    DibSurface surface(rcClient.Width(), rcClient.Height());
    StartFrames(pMenu);
    RenderFrame(pMenu, surface, 6, 20, 0);
    // A content of black and white lines, halved: halftone mixes each pair into grey, where a
    // plain stretch would keep one line of each pair.
    const CRect& b = pMenu->m_rcContent;
    for (int y = b.top; y < b.bottom; ++y) {
        for (int x = b.left; x < b.right; ++x)
            pMenu->m_pContentBits[y * rcClient.Width() + x] = (y - b.top) % 2 == 0 ? 0 : 0xFFFFFF;
    }
    RenderFrame(pMenu, surface, 6, 50, 40);
    const COLORREF clr = surface.Pixel(b.CenterPoint().x, b.top + b.Height() / 4);
    EXPECT_GT(GetGValue(clr), 40);
    EXPECT_LT(GetGValue(clr), 215);
    pMenu->ResetAnimationSurfaces();
}

} // namespace
