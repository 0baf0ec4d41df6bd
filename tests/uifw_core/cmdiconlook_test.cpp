// What command icons take from the current look: icons made from bitmaps on both roads, the
// flat disabled state on a palette display, the mark colour 1010, and the tint and factor
// that a system change relayed by a frame's status bar gives every icon of every profile.
#include <gtest/gtest.h>

#include "bitmapicon.h"
#include "cmdmanager.h"
#include "paintmanageroffice2003.h"
#include "painttestsupport.h"
#include "statuscontrolbar.h"
#include "toolcontrolbar.h"
#include "uifw_core_ids.h"

#include <functional>

namespace {

const COLORREF kSentinel = RGB(1, 2, 3);
const COLORREF kKey = RGB(255, 0, 255);

HBITMAP MakeBitmap(int cx, int cy, const std::function<COLORREF(int, int)>& colorAt)
{
    winharness::DibSurface surface(cx, cy);
    for (int y = 0; y < cy; y++)
        for (int x = 0; x < cx; x++)
            ::SetPixel(surface.dc(), x, y, colorAt(x, y));
    HBITMAP hBitmap = ::CreateCompatibleBitmap(surface.dc(), cx, cy);
    HDC hDC = ::CreateCompatibleDC(surface.dc());
    HGDIOBJ hOld = ::SelectObject(hDC, hBitmap);
    ::BitBlt(hDC, 0, 0, cx, cy, surface.dc(), 0, 0, SRCCOPY);
    ::SelectObject(hDC, hOld);
    ::DeleteDC(hDC);
    return hBitmap;
}

// Left column key, then the classic face grey, then red.
HBITMAP ThreeColumns()
{
    return MakeBitmap(3, 2, [](int x, int) { return x == 0 ? kKey : x == 1 ? RGB(192, 192, 192) : RGB(200, 0, 0); });
}

// The pixel (x, y) of a mark bitmap's bottom-up section.
COLORREF MarkPixel(const COLORREF* pBits, int cx, int cy, int x, int y)
{
    const DWORD dw = pBits[(cy - 1 - y) * cx + x];
    return RGB((dw >> 16) & 0xFF, (dw >> 8) & 0xFF, dw & 0xFF);
}

// A bar made as any control bar is made: a child window with its bar style.
class CTestToolBar : public CUiToolControlBar
{
public:
    BOOL Create(CWnd* pParent, UINT nID)
    {
        m_dwStyle = CBRS_ALIGN_TOP;
        return CWnd::Create(NULL, NULL, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), pParent, nID);
    }
    CSize CalcFixedLayout(BOOL, BOOL) override { return CSize(100, 24); }
};

} // namespace

TEST(CmdIconLook, IconsFromBitmapsOnBothRoadsKeepKeyPixelsTransparent)
{
    painttest::PaintLookScope scope;
    scope.UseIdentitySysColors();
    HBITMAP hBitmap = ThreeColumns();
    winharness::DibSurface surface(3, 2);
    for (bool bWin9x : {false, true}) {
        if (bWin9x)
            scope.SetVersion(VER_PLATFORM_WIN32_WINDOWS, 4, 10, 2222, "");
        else
            scope.SetVersion(VER_PLATFORM_WIN32_NT, 5, 1, 2600, "Service Pack 2");
        HICON hIcon = CreateIconFromBitmap(hBitmap, kKey);
        ASSERT_NE((HICON)NULL, hIcon);
        surface.Fill(kSentinel);
        ::DrawIconEx(surface.dc(), 0, 0, hIcon, 0, 0, 0, NULL, DI_NORMAL);
        EXPECT_EQ(kSentinel, surface.Pixel(0, 1)) << bWin9x;
        EXPECT_EQ(RGB(192, 192, 192), surface.Pixel(1, 0)) << bWin9x;
        EXPECT_EQ(RGB(200, 0, 0), surface.Pixel(2, 1)) << bWin9x;
        ::DestroyIcon(hIcon);

        // The classic face grey becomes the system's face colour; a part rectangle is cut.
        const CRect rcPart(1, 0, 3, 2);
        hIcon = CreateIconFromBitmap(hBitmap, kKey, &rcPart, true);
        surface.Fill(kSentinel);
        ::DrawIconEx(surface.dc(), 0, 0, hIcon, 0, 0, 0, NULL, DI_NORMAL);
        EXPECT_EQ(painttest::IdentitySysColor(COLOR_BTNFACE), surface.Pixel(0, 0)) << bWin9x;
        EXPECT_EQ(RGB(200, 0, 0), surface.Pixel(1, 1)) << bWin9x;
        ::DestroyIcon(hIcon);
    }
    ::DeleteObject(hBitmap);
    EXPECT_EQ((HICON)NULL, CreateIconFromBitmap(NULL, kKey));
}

// A toolbar's first paint makes an icon for each of its buttons, one after another: each
// icon shows its own bitmap, whatever size the icon made before it had and however many
// icons came before it.
TEST(CmdIconLook, IconsMadeOneAfterAnotherEachShowTheirOwnBitmap)
{
    painttest::PaintLookScope scope;
    scope.SetVersion(VER_PLATFORM_WIN32_NT, 5, 1, 2600, "Service Pack 2");
    winharness::DibSurface surface(24, 24);
    for (int i = 0; i < 80; i++) {
        const int cx = i % 3 == 2 ? 24 : 16;
        const COLORREF clr = RGB(i * 3, 255 - i * 3, 100 + i);
        HBITMAP hBitmap = MakeBitmap(cx, cx, [&](int x, int) { return x == 0 ? kKey : clr; });
        HICON hIcon = CreateIconFromBitmap(hBitmap, kKey);
        ::DeleteObject(hBitmap);
        ASSERT_NE((HICON)NULL, hIcon) << i;
        ICONINFO info = {};
        ASSERT_TRUE(::GetIconInfo(hIcon, &info)) << i;
        BITMAP bm = {};
        ::GetObject(info.hbmMask, sizeof(bm), &bm);
        EXPECT_EQ(cx, bm.bmWidth) << i;
        ::DeleteObject(info.hbmMask);
        ::DeleteObject(info.hbmColor);
        surface.Fill(kSentinel);
        ::DrawIconEx(surface.dc(), 0, 0, hIcon, 0, 0, 0, NULL, DI_NORMAL);
        EXPECT_EQ(kSentinel, surface.Pixel(0, cx / 2)) << i;
        EXPECT_EQ(clr, surface.Pixel(cx - 1, cx - 1)) << i;
        if (cx == 16) {
            EXPECT_EQ(kSentinel, surface.Pixel(20, 20)) << i;
        }
        ::DestroyIcon(hIcon);
    }
}

TEST(CmdIconLook, FlatDisabledOnAPaletteDisplayIsTheBrushColour)
{
    painttest::PaintLookScope scope;
    CUiCmdIcon icon(ThreeColumns(), kKey, NULL, false);
    icon.SetTintColor(RGB(0, 0, 255));
    HBRUSH hBrush = ::CreateSolidBrush(RGB(0, 0, 160));
    winharness::DibSurface surface(3, 2, kSentinel);

    scope.SetBitsPerPixel(8);
    EXPECT_TRUE(icon.Paint(surface.cdc(), CPoint(0, 0), CUiCmdIcon::kPaintFlatDisabled, hBrush));
    EXPECT_EQ(RGB(0, 0, 160), surface.Pixel(1, 0));
    EXPECT_EQ(RGB(0, 0, 160), surface.Pixel(2, 1));
    EXPECT_EQ(kSentinel, surface.Pixel(0, 0));

    scope.SetBitsPerPixel(32);
    surface.Fill(kSentinel);
    EXPECT_TRUE(icon.Paint(surface.cdc(), CPoint(0, 0), CUiCmdIcon::kPaintFlatDisabled, hBrush));
    EXPECT_EQ(RGB(63, 63, 255), surface.Pixel(2, 1));
    ::DeleteObject(hBrush);
}

TEST(CmdIconLook, MarksSitAtTheCentreLessThreeInTheLooksMarkColour)
{
    painttest::PaintLookScope scope;
    scope.UseIdentitySysColors();
    CUiPaintManager* pManager = scope.Install(RUNTIME_CLASS(CUiPaintManager));
    const COLORREF clrMark = pManager->GetColor(1010);
    const COLORREF clrBack = RGB(0, 255, 0);

    CUiCmdIcon check;
    COLORREF* pBits = NULL;
    ASSERT_TRUE(check.CreateCheckMarkBitmap(CUiCmdIcon::kNoTint, clrBack, 24, 16, &pBits));
    EXPECT_EQ(clrBack, check.GetBitmapColorKey());
    EXPECT_EQ(CSize(24, 16), check.GetSize());
    // The mark's pixels, column by column from its corner (9, 5).
    const int markRows[7][2] = {{2, 3}, {3, 4}, {4, 5}, {3, 4}, {2, 3}, {1, 2}, {0, 1}};
    int nMark = 0;
    for (int y = 0; y < 16; y++) {
        for (int x = 0; x < 24; x++) {
            const COLORREF clr = MarkPixel(pBits, 24, 16, x, y);
            const bool bInMark = x >= 9 && x < 16 && (y - 5 == markRows[x - 9][0] || y - 5 == markRows[x - 9][1]);
            if (bInMark) {
                EXPECT_EQ(clrMark, clr) << x << "," << y;
            }
            nMark += clr == clrMark ? 1 : 0;
        }
    }
    EXPECT_EQ(14, nMark);

    CUiCmdIcon radio;
    ASSERT_TRUE(radio.CreateRadioBitmap(RGB(0, 0, 128), clrBack, 24, 16, &pBits));
    CRect rcInk;
    for (int y = 0; y < 16; y++)
        for (int x = 0; x < 24; x++)
            if (MarkPixel(pBits, 24, 16, x, y) == RGB(0, 0, 128))
                rcInk.UnionRect(rcInk, CRect(x, y, x + 1, y + 1));
    EXPECT_EQ(9, rcInk.left);
    EXPECT_EQ(5, rcInk.top);
    EXPECT_LE(rcInk.right, 15);
    EXPECT_LE(rcInk.bottom, 11);
    EXPECT_FALSE(radio.CreateRadioBitmap(RGB(0, 0, 128), clrBack, 24, 0));
}

TEST(CmdIconLook, FrameRelayGivesEveryIconTheLooksHintAndFactor)
{
    painttest::PaintLookScope scope;
    CUiPaintManager* pManager = scope.Install(RUNTIME_CLASS(CUiPaintManagerOffice2003));
    CFrameWnd* pFrame = new CFrameWnd;
    ASSERT_TRUE(pFrame->Create(NULL, "Commands", WS_OVERLAPPEDWINDOW, CRect(20, 20, 420, 320)));
    HWND hFrame = pFrame->GetSafeHwnd();
    CUiStatusControlBar status;
    ASSERT_TRUE(status.Create(pFrame, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, AFX_IDW_STATUS_BAR));
    CTestToolBar toolbar;
    ASSERT_TRUE(toolbar.Create(pFrame, 0xE810));

    CUiCmdManager* pCommands = CmdManagerHolder::GetStoredHandle();
    ASSERT_TRUE(pCommands->ProfileInstall("relay", hFrame));
    ASSERT_TRUE(pCommands->ProfileLoadToolBar("relay", IDR_CMD_TOOLBAR));
    CUiCmdIcon* pIcon = pCommands->CmdGetIconPtr("relay", ID_CMD_BUTTON_FIRST);
    ASSERT_NE(nullptr, pIcon);
    ASSERT_EQ(CUiCmdIcon::kNoTint, pIcon->GetTintColor());

    EXPECT_EQ(0, CmdManagerHolder::OnSysColorChange(&toolbar));
    EXPECT_EQ(CUiCmdIcon::kNoTint, pIcon->GetTintColor());
    EXPECT_DOUBLE_EQ(1.4, pIcon->GetLightnessFactor());

    CmdManagerHolder::OnSysColorChange(&status);
    EXPECT_EQ(pManager->GetColor(COLOR_BTNFACE), pIcon->GetTintColor());
    EXPECT_EQ(pManager->GetIconBkColorHint(), pIcon->GetTintColor());
    EXPECT_DOUBLE_EQ(0.7, pIcon->GetLightnessFactor());

    // The other notifications take the same road.
    pIcon->SetTintColor(CUiCmdIcon::kNoTint);
    CmdManagerHolder::OnSettingChange(&toolbar, 0, "intl");
    CmdManagerHolder::OnDisplayChange(&toolbar, 32, 1280, 1024);
    CmdManagerHolder::OnThemeChanged(&toolbar, 0, 0);
    EXPECT_EQ(CUiCmdIcon::kNoTint, pIcon->GetTintColor());
    CmdManagerHolder::OnThemeChanged(&status, 0, 0);
    EXPECT_EQ(pManager->GetIconBkColorHint(), pIcon->GetTintColor());

    bool bDeleted = false;
    EXPECT_TRUE(pCommands->ProfileReleaseWindow(hFrame, true, &bDeleted));
    EXPECT_TRUE(bDeleted);
    ::DestroyWindow(hFrame);
    winharness::PumpPending();
}
