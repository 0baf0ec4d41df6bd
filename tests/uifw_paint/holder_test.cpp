// Installing and replacing the current paint manager; the metrics each look answers; the
// depth of a context as the looks read it.
#include <gtest/gtest.h>

#include "paintmanageroffice2003.h"
#include "paintmanagerstudio2005.h"
#include "paintsystem.h"
#include "painttestsupport.h"
#include "tabwnd.h"

#include <vector>

TEST(PaintManagerHolder, AnXPLookIsCurrentFromTheStart)
{
    CUiPaintManager* pCurrent = PaintManagerHolder::Get().GetStoredHandle();
    ASSERT_NE(nullptr, pCurrent);
    EXPECT_TRUE(pCurrent->IsKindOf(RUNTIME_CLASS(CUiPaintManager)));
    EXPECT_EQ(2, pCurrent->GetThemeKind());
}

TEST(PaintManagerHolder, ANonPaintManagerClassIsRefusedAndTheCurrentOneKept)
{
    painttest::PaintLookScope scope;
    CUiPaintManager* pBefore = scope.Install(RUNTIME_CLASS(CUiPaintManagerOffice2003));
    PaintManagerHolder& holder = PaintManagerHolder::Get();
    EXPECT_FALSE(holder.SetPaintManagerClass(RUNTIME_CLASS(CBrush)));
    EXPECT_FALSE(holder.SetPaintManagerClass(RUNTIME_CLASS(CWnd)));
    EXPECT_EQ(pBefore, holder.GetStoredHandle());

    // The current object again: nothing changes, the same object stays.
    const INT_PTR nColors = pBefore->m_arrColors.GetSize();
    EXPECT_TRUE(holder.SetPaintManager(pBefore));
    EXPECT_EQ(pBefore, holder.GetStoredHandle());
    EXPECT_EQ(nColors, pBefore->m_arrColors.GetSize());

    // Null as a class keeps what is there; null as an object installs a new XP look.
    EXPECT_TRUE(holder.SetPaintManagerClass(nullptr));
    EXPECT_EQ(pBefore, holder.GetStoredHandle());
    EXPECT_TRUE(holder.SetPaintManager(nullptr));
    EXPECT_TRUE(holder.GetStoredHandle()->IsKindOf(RUNTIME_CLASS(CUiPaintManagerXP)));
    EXPECT_FALSE(holder.GetStoredHandle()->IsKindOf(RUNTIME_CLASS(CUiPaintManagerOffice2003)));
}

TEST(PaintManagerHolder, EachLookAnswersItsMetrics)
{
    painttest::PaintLookScope scope;
    struct Expect {
        CRuntimeClass* pClass;
        int kind, border, gap;
        CSize shadow;
        int dragMode;
        BOOL joined, autoHide;
        CSize extra;
    } const looks[] = {
        {RUNTIME_CLASS(CUiPaintManager), 1, 6, 2, CSize(1, 1), 0, FALSE, FALSE, CSize(0, 0)},
        {RUNTIME_CLASS(CUiPaintManagerXP), 2, 3, 1, CSize(0, 0), 0, TRUE, FALSE, CSize(0, 0)},
        {RUNTIME_CLASS(CUiPaintManagerOffice2003), 3, 3, 1, CSize(0, 0), 0, TRUE, FALSE, CSize(4, 4)},
        {RUNTIME_CLASS(CUiPaintManagerStudio2005), 4, 3, 1, CSize(0, 0), 1, TRUE, TRUE, CSize(4, 4)},
    };
    for (const Expect& e : looks) {
        SCOPED_TRACE(e.pClass->m_lpszClassName);
        CUiPaintManager* pm = scope.Install(e.pClass);
        ASSERT_TRUE(pm->IsKindOf(e.pClass));
        EXPECT_EQ(e.kind, pm->GetThemeKind());
        EXPECT_EQ(e.border, pm->GetMenuBorderSize());
        EXPECT_EQ(e.gap, pm->GetToolBarButtonGap());
        EXPECT_EQ(e.shadow, pm->GetGlyphShadowOffset());
        EXPECT_EQ(e.dragMode, pm->GetDockingDragMode());
        EXPECT_EQ(e.joined, pm->IsMenuJoinedWithButton());
        EXPECT_EQ(e.autoHide, pm->IsStudioStyleAutoHideTabs());
        EXPECT_EQ(e.extra, pm->GetBarButtonExtraSpace());
        EXPECT_EQ(4, pm->GetMenuShadowSize());
        EXPECT_EQ(CSize(6, 6), pm->GetPushButtonMargins());
        if (e.kind >= 3) {
            EXPECT_GE(pm->GetMenuCheckMarkHeight(), 18);
            EXPECT_EQ(CSize(0, -1), pm->GetToolBarButtonOffset(TRUE));
            EXPECT_EQ(CSize(0, 0), pm->GetToolBarButtonOffset(FALSE));
            EXPECT_DOUBLE_EQ(0.7, pm->GetIconEffectFactor());
        } else {
            EXPECT_EQ(::GetSystemMetrics(SM_CYMENUCHECK), pm->GetMenuCheckMarkHeight());
            EXPECT_EQ((COLORREF)-1, pm->GetIconBkColorHint());
            EXPECT_DOUBLE_EQ(0.0, pm->GetIconEffectFactor());
        }
    }
}

TEST(PaintManagerHolder, IconBackgroundHintFollowsTheNTFamilyFlag)
{
    painttest::PaintLookScope scope;
    scope.UseIdentitySysColors();
    CUiPaintManager* pm = scope.Install(RUNTIME_CLASS(CUiPaintManagerOffice2003));
    scope.SetVersion(VER_PLATFORM_WIN32_NT, 5, 1, 2600, "");
    EXPECT_EQ(painttest::IdentitySysColor(COLOR_BTNFACE), pm->GetIconBkColorHint());
    scope.SetVersion(VER_PLATFORM_WIN32_WINDOWS, 4, 10, 1998, "");
    EXPECT_EQ((COLORREF)-1, pm->GetIconBkColorHint());
}

TEST(PaintManagerHolder, ThePaletteHas252RedMajorEntries)
{
    CUiPaintManager pm;
    ASSERT_EQ(252, pm.m_palette.GetEntryCount());
    PALETTEENTRY entries[252];
    ASSERT_EQ(252u, pm.m_palette.GetPaletteEntries(0, 252, entries));
    EXPECT_EQ(0, entries[0].peRed + entries[0].peGreen + entries[0].peBlue);
    EXPECT_EQ(42, entries[36].peRed);
    EXPECT_EQ(0, entries[36].peGreen);
    EXPECT_EQ(0, entries[36].peBlue);
    EXPECT_EQ(51, entries[6].peGreen);
    EXPECT_EQ(255, entries[251].peRed);
    EXPECT_EQ(255, entries[251].peGreen);
    EXPECT_EQ(255, entries[251].peBlue);
}

TEST(PaintManagerHolder, TabPaddingOfTheBaseAndStudioLooks)
{
    painttest::PaintLookScope scope;
    CUiPaintManager* pm = scope.Install(RUNTIME_CLASS(CUiPaintManager));
    int lead = -1, farMargin = -1, cross = 9;
    pm->GetTabItemPadding(nullptr, lead, farMargin, cross);
    EXPECT_EQ(4, lead);
    EXPECT_EQ(2, farMargin);
    EXPECT_EQ(2, cross);

    CUiTabWnd strip;
    strip.ModifyTabStyle(0, 0x0080);
    cross = 9;
    pm->GetTabItemPadding(&strip, lead, farMargin, cross);
    EXPECT_EQ(9, cross);

    pm = scope.Install(RUNTIME_CLASS(CUiPaintManagerStudio2005));
    cross = 9;
    pm->GetTabItemPadding(&strip, lead, farMargin, cross);
    EXPECT_EQ(0, lead);
    EXPECT_EQ(2, farMargin);
    EXPECT_EQ(2, cross);
}

TEST(PaintManagerHolder, LooksAreCreatedFromTheirClassNamesAndTheSavedChoice)
{
    painttest::PaintLookScope scope;
    for (LPCSTR name : {"CUiPaintManager", "CUiPaintManagerXP", "CUiPaintManagerOffice2003", "CUiPaintManagerStudio2005"}) {
        CRuntimeClass* pClass = CRuntimeClass::FromName(name);
        ASSERT_NE(nullptr, pClass) << name;
        EXPECT_TRUE(PaintManagerHolder::Get().SetPaintManagerClass(pClass));
        EXPECT_STREQ(name, PaintManagerHolder::Get().GetStoredHandle()->GetRuntimeClass()->m_lpszClassName);
    }
    EXPECT_EQ(RUNTIME_CLASS(CUiPaintManagerOffice2003), PaintManagerClassOfLook(32828));
    EXPECT_EQ(RUNTIME_CLASS(CUiPaintManagerXP), PaintManagerClassOfLook(32829));
    EXPECT_EQ(RUNTIME_CLASS(CUiPaintManager), PaintManagerClassOfLook(32830));
    EXPECT_EQ(RUNTIME_CLASS(CUiPaintManagerStudio2005), PaintManagerClassOfLook(32827));
    EXPECT_EQ(RUNTIME_CLASS(CUiPaintManagerStudio2005), PaintManagerClassOfLook(0));
}

TEST(PaintSystem, TheDepthOfEveryKindOfContextIsWhatTheContextSaysAcrossADisplayChange)
{
    HWND hWnd = ::CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 20, 20, NULL, NULL, NULL, NULL);
    HDC hScreen = ::GetDC(NULL);
    HDC hWindow = ::GetDC(hWnd);
    HDC hMemory = ::CreateCompatibleDC(hScreen);
    HDC hDevice = ::CreateDCA("DISPLAY", NULL, NULL, NULL);
    for (int nRound = 0; nRound < 2; ++nRound) {
        SCOPED_TRACE(nRound);
        for (HDC hDC : {hScreen, hWindow, hMemory, hDevice})
            EXPECT_EQ(::GetDeviceCaps(hDC, BITSPIXEL), GetBitsPerPixel(hDC));
        EXPECT_EQ(::GetDeviceCaps(hScreen, BITSPIXEL), GetScreenBitsPerPixel());
        // An override answers for every context until taken away.
        SetBitsPerPixelOverride(8);
        EXPECT_EQ(8, GetBitsPerPixel(hWindow));
        EXPECT_EQ(8, GetScreenBitsPerPixel());
        SetBitsPerPixelOverride(0);
        ForgetDisplayBitsPerPixel();
    }
    EXPECT_EQ(0, GetBitsPerPixel(NULL));
    ::DeleteDC(hDevice);
    ::DeleteDC(hMemory);
    ::ReleaseDC(hWnd, hWindow);
    ::ReleaseDC(NULL, hScreen);
    ::DestroyWindow(hWnd);
}

// Drawn on alike, the bitmap for off-screen drawing holds what a compatible bitmap holds, and
// a memory context keeps its own kind of bitmap.
TEST(PaintSystem, AnOffscreenBitmapHoldsWhatACompatibleOneHolds)
{
    HWND hWnd = ::CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 20, 20, NULL, NULL, NULL, NULL);
    HDC hWindow = ::GetDC(hWnd);
    HDC hMemory = ::CreateCompatibleDC(hWindow);
    auto pixelsAfterDrawing = [&](HBITMAP hBitmap) {
        HGDIOBJ hOld = ::SelectObject(hMemory, hBitmap);
        const RECT rcAll = {0, 0, 30, 20}, rcPart = {3, 4, 17, 9};
        ::FillRect(hMemory, &rcAll, (HBRUSH)::GetStockObject(WHITE_BRUSH));
        HBRUSH hBrush = ::CreateSolidBrush(RGB(12, 200, 77));
        ::FillRect(hMemory, &rcPart, hBrush);
        ::DeleteObject(hBrush);
        ::SetPixel(hMemory, 29, 19, RGB(250, 1, 130));
        ::TextOutA(hMemory, 1, 1, "Ab", 2);
        ::SelectObject(hMemory, hOld);
        BITMAPINFO bmi = {};
        bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
        bmi.bmiHeader.biWidth = 30;
        bmi.bmiHeader.biHeight = 20;
        bmi.bmiHeader.biPlanes = 1;
        bmi.bmiHeader.biBitCount = 32;
        std::vector<DWORD> pixels(30 * 20);
        EXPECT_EQ(20, ::GetDIBits(hMemory, hBitmap, 0, 20, pixels.data(), &bmi, DIB_RGB_COLORS));
        return pixels;
    };
    HBITMAP hOffscreen = CreateOffscreenBitmap(hWindow, 30, 20);
    HBITMAP hCompatible = ::CreateCompatibleBitmap(hWindow, 30, 20);
    ASSERT_NE((HBITMAP)NULL, hOffscreen);
    BITMAP bmOffscreen, bmCompatible;
    ::GetObject(hOffscreen, sizeof(bmOffscreen), &bmOffscreen);
    ::GetObject(hCompatible, sizeof(bmCompatible), &bmCompatible);
    EXPECT_EQ(bmCompatible.bmBitsPixel, bmOffscreen.bmBitsPixel);
    EXPECT_EQ(30, bmOffscreen.bmWidth);
    EXPECT_EQ(20, bmOffscreen.bmHeight);
    EXPECT_EQ(pixelsAfterDrawing(hCompatible), pixelsAfterDrawing(hOffscreen));
    // Without a target, for the screen.
    HBITMAP hForScreen = CreateOffscreenBitmap(NULL, 30, 20);
    BITMAP bmForScreen;
    ASSERT_NE(0, ::GetObject(hForScreen, sizeof(bmForScreen), &bmForScreen));
    EXPECT_EQ(bmCompatible.bmBitsPixel, bmForScreen.bmBitsPixel);
    EXPECT_EQ(pixelsAfterDrawing(hCompatible), pixelsAfterDrawing(hForScreen));
    ::DeleteObject(hForScreen);

    HBITMAP hMono = ::CreateBitmap(8, 8, 1, 1, NULL);
    HGDIOBJ hOld = ::SelectObject(hMemory, hMono);
    HBITMAP hForMono = CreateOffscreenBitmap(hMemory, 8, 8);
    BITMAP bmForMono;
    ::GetObject(hForMono, sizeof(bmForMono), &bmForMono);
    EXPECT_EQ(1, bmForMono.bmBitsPixel);
    ::SelectObject(hMemory, hOld);
    for (HBITMAP h : {hOffscreen, hCompatible, hMono, hForMono})
        ::DeleteObject(h);
    ::DeleteDC(hMemory);
    ::ReleaseDC(hWnd, hWindow);
    ::DestroyWindow(hWnd);
}
