// Windows version flags and text, the visual-style scheme and which looks may use it.
#include <gtest/gtest.h>

#include "paintmanageroffice2003.h"
#include "paintmanagerstudio2005.h"
#include "painttestsupport.h"

namespace {

std::vector<int> SetBits(WORD w)
{
    std::vector<int> bits;
    for (int i = 0; i < 16; ++i) {
        if (w & (1 << i))
            bits.push_back(i);
    }
    return bits;
}

OSVERSIONINFOA Version(DWORD platform, DWORD major, DWORD minor, DWORD build, LPCSTR sp)
{
    return painttest::MakeVersionInfo(platform, major, minor, build, sp);
}

} // namespace

TEST(WindowsVersion, FamilyFlagsAndTextFollowTheVersionRecord)
{
    CString text;
    WORD xp = ComputeWindowsFamily(Version(VER_PLATFORM_WIN32_NT, 5, 1, 2600, "Service Pack 2"), text);
    EXPECT_EQ(std::vector<int>({5, 8, 9, 10, 11}), SetBits(xp));
    EXPECT_STREQ("Windows XP v.5.1 (build 2600) Service Pack 2", (LPCSTR)text);

    WORD server = ComputeWindowsFamily(Version(VER_PLATFORM_WIN32_NT, 5, 2, 3790, ""), text);
    EXPECT_EQ(0, text.Find(" v.5.2")) << (LPCSTR)text;
    EXPECT_EQ(std::vector<int>({5, 9, 10, 11}), SetBits(server));

    WORD w98 = ComputeWindowsFamily(Version(VER_PLATFORM_WIN32_WINDOWS, 4, 10, 1998, ""), text);
    EXPECT_EQ(std::vector<int>({1, 3, 4}), SetBits(w98));
    EXPECT_EQ(0, text.Find("Windows 98 v.4.10")) << (LPCSTR)text;

    WORD w95 = ComputeWindowsFamily(Version(VER_PLATFORM_WIN32_WINDOWS, 4, 0, 950, ""), text);
    EXPECT_EQ(std::vector<int>({1, 2}), SetBits(w95));
    EXPECT_EQ(0, text.Find("Windows 95 v.4.0")) << (LPCSTR)text;

    WORD w2000 = ComputeWindowsFamily(Version(VER_PLATFORM_WIN32_NT, 5, 0, 2195, ""), text);
    EXPECT_EQ(std::vector<int>({5, 7, 9, 10}), SetBits(w2000));
    WORD nt4 = ComputeWindowsFamily(Version(VER_PLATFORM_WIN32_NT, 4, 0, 1381, ""), text);
    EXPECT_EQ(std::vector<int>({5, 6, 9}), SetBits(nt4));
    EXPECT_EQ(0, text.Find("Windows NT v.4.0")) << (LPCSTR)text;
}

TEST(WindowsVersion, TheHolderTakesAnInjectedVersion)
{
    painttest::PaintLookScope scope;
    scope.SetVersion(VER_PLATFORM_WIN32_NT, 5, 1, 2600, "Service Pack 2");
    PaintManagerHolder& holder = PaintManagerHolder::Get();
    EXPECT_EQ(std::vector<int>({5, 8, 9, 10, 11}), SetBits(holder.m_wFamilyFlags));
    EXPECT_STREQ("Windows XP v.5.1 (build 2600) Service Pack 2", (LPCSTR)holder.m_strVersion);
}

TEST(ThemeScheme, OnlyTheLunaStyleNamesAScheme)
{
    EXPECT_EQ(kSchemeBlue, ThemeSchemeFromNames(L"C:\\WINDOWS\\Resources\\Themes\\Luna\\LUNA.MSSTYLES", L"NormalColor"));
    EXPECT_EQ(kSchemeOlive, ThemeSchemeFromNames(L"x\\luna.msstyles", L"HomeStead"));
    EXPECT_EQ(kSchemeSilver, ThemeSchemeFromNames(L"x\\luna.msstyles", L"metallic"));
    EXPECT_EQ(kSchemeNone, ThemeSchemeFromNames(L"x\\luna.msstyles", L"royale"));
    EXPECT_EQ(kSchemeNone, ThemeSchemeFromNames(L"x\\royale.msstyles", L"NormalColor"));
}

TEST(ThemeScheme, UnderWineNoSchemeIsRead)
{
    painttest::PaintLookScope scope;
    PaintManagerHolder& holder = PaintManagerHolder::Get();
    holder.SetThemeInfoOverride(nullptr);
    EXPECT_EQ(kSchemeNone, holder.m_nScheme);
    EXPECT_NE(0, holder.m_bThemeFlags & kThemeColorsAllowed);
    CUiPaintManagerOffice2003* pOffice =
        static_cast<CUiPaintManagerOffice2003*>(scope.Install(RUNTIME_CLASS(CUiPaintManagerOffice2003)));
    EXPECT_FALSE(pOffice->IsThemeColorSchemeUsable());
    // Studio 2005 then runs on the Office 2003 table without a scheme.
    CUiPaintManager* pStudio = scope.Install(RUNTIME_CLASS(CUiPaintManagerStudio2005));
    EXPECT_EQ(pStudio->GetColor(COLOR_WINDOW), pStudio->GetColor(3000));
}

TEST(ThemeScheme, WhichLooksMayUseWhichScheme)
{
    painttest::PaintLookScope scope;
    const BYTE themed = kThemeApiUsable | kThemeAppThemed | kThemeTaskbandRead;
    CUiPaintManagerOffice2003 office;
    CUiPaintManagerStudio2005 studio;
    CUiPaintManagerXP xp;

    scope.SetTheme(themed, kSchemeBlue);
    EXPECT_TRUE(office.IsThemeColorSchemeUsable());
    EXPECT_TRUE(studio.IsThemeColorSchemeUsable());
    scope.SetTheme(themed, kSchemeSilver);
    EXPECT_TRUE(office.IsThemeColorSchemeUsable());
    EXPECT_TRUE(studio.IsThemeColorSchemeUsable());
    scope.SetTheme(themed, kSchemeOlive);
    EXPECT_TRUE(office.IsThemeColorSchemeUsable());
    EXPECT_FALSE(studio.IsThemeColorSchemeUsable());

    // A classic desktop: not themed, no scheme, the taskband colours may still be there.
    scope.SetTheme(kThemeApiUsable | kThemeTaskbandRead, kSchemeNone);
    EXPECT_FALSE(office.IsThemeColorSchemeUsable());
    EXPECT_FALSE(studio.IsThemeColorSchemeUsable());
    EXPECT_TRUE(xp.IsThemeColorSchemeUsable());

    // Without the theme interface no look may.
    scope.SetTheme(0, kSchemeBlue);
    EXPECT_FALSE(xp.IsThemeColorSchemeUsable());
    EXPECT_FALSE(office.IsThemeColorSchemeUsable());
}
