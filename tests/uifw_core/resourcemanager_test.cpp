// The resource manager over the tests' own resources, which exist in Japanese (0x0411),
// in English (0x0409), or in both.
#include <gtest/gtest.h>

#include "bitmap_test_support.h"
#include "resourcemanager.h"
#include "uifw_core_ids.h"

#include <vector>

using namespace bitmaptest;

namespace {

const WORD kJapanese = 0x0411;
const WORD kEnglish = 0x0409;

std::vector<ACCEL> Entries(HACCEL hAccel)
{
    std::vector<ACCEL> entries((size_t)::CopyAcceleratorTableA(hAccel, NULL, 0));
    if (!entries.empty())
        ::CopyAcceleratorTableA(hAccel, entries.data(), (int)entries.size());
    return entries;
}

TEST(ResourceManagerTest, TheDefaultInstanceLoadsAsTheClassLibraryDoes)
{
    CUiResourceManager* pManager = ResourceManagerHolder::GetResourceManager();
    ASSERT_NE(nullptr, pManager);
    EXPECT_FALSE(pManager->IsCustomLangAllowed());
    EXPECT_EQ(kEnglish, pManager->GetLangIdDesired());
    EXPECT_EQ(kEnglish, pManager->GetLangIdNeutral());

    CString strExpected, strText;
    ASSERT_TRUE(strExpected.LoadString(IDS_TEST_BOTH));
    WORD wLang = 0;
    HINSTANCE hModule = NULL;
    EXPECT_TRUE(pManager->LoadString(strText, IDS_TEST_BOTH, &wLang, &hModule));
    EXPECT_EQ(strExpected, strText);
    EXPECT_EQ(AfxGetResourceHandle(), hModule);
    EXPECT_FALSE(pManager->LoadString(strText, 12345));
}

TEST(ResourceManagerTest, WithTheChoiceOnAResourceIsFoundInTheWantedThenTheFallbackLanguageOnly)
{
    CUiResourceManager japanese(true, kJapanese), english(true, kEnglish);
    CString strText;
    WORD wLang = 0;
    EXPECT_TRUE(japanese.LoadString(strText, IDS_TEST_BOTH, &wLang));
    EXPECT_EQ(CString("接続状況 ｳｨﾝﾄﾞｳを表示します。\n接続状況"), strText);
    EXPECT_EQ(kJapanese, wLang);
    EXPECT_TRUE(english.LoadString(strText, IDS_TEST_BOTH, &wLang));
    EXPECT_EQ(CString("Test string"), strText);
    EXPECT_EQ(kEnglish, wLang);

    EXPECT_TRUE(japanese.LoadString(strText, IDS_TEST_ENGLISH_ONLY, &wLang));
    EXPECT_EQ(CString("English only"), strText);
    EXPECT_EQ(kEnglish, wLang);
    // Wanted and fallback are the same: nothing else is tried.
    EXPECT_FALSE(english.LoadString(strText, IDS_TEST_JAPANESE_ONLY, &wLang));
    EXPECT_EQ(kEnglish, wLang);

    HRSRC hResource = NULL;
    EXPECT_EQ(AfxGetResourceHandle(),
              japanese.FindResourceHandle(RT_STRING, MAKEINTRESOURCEA(IDS_TEST_ENGLISH_ONLY / 16 + 1), &wLang,
                                          &hResource));
    EXPECT_NE((HRSRC)NULL, hResource);
    EXPECT_EQ(kEnglish, wLang);
    EXPECT_EQ((HINSTANCE)NULL, japanese.FindResourceHandle(RT_STRING, MAKEINTRESOURCEA(IDS_TEST_ENGLISH_ONLY / 16 + 1),
                                                           kJapanese, &wLang, &hResource));
    // With the choice off any language is found.
    CUiResourceManager plain(false, kEnglish);
    EXPECT_NE((HINSTANCE)NULL,
              plain.FindResourceHandle(RT_STRING, MAKEINTRESOURCEA(IDS_TEST_JAPANESE_ONLY / 16 + 1)));
}

TEST(ResourceManagerTest, StringEntriesAreCountedWithinTheirBlock)
{
    // 32776 is entry 8 of block 2049.
    CUiResourceManager english(true, kEnglish);
    ResourceBuffer block;
    ASSERT_TRUE(english.LoadResourceBuffer(block, RT_STRING, MAKEINTRESOURCEA(2049)));
    const WORD* p = reinterpret_cast<const WORD*>(block.GetData());
    for (int i = 0; i < 8; i++)
        p += 1 + *p;
    ASSERT_EQ(11, *p);
    EXPECT_EQ(0, std::wmemcmp(L"Test string", reinterpret_cast<const wchar_t*>(p + 1), 11));

    // The empty entry between the two strings of the block.
    CString strText = "kept";
    EXPECT_TRUE(english.LoadString(strText, IDS_TEST_BOTH + 1));
    EXPECT_EQ(CString("kept"), strText);
    EXPECT_TRUE(english.LoadString(strText, IDS_TEST_BOTH_NEXT));
    EXPECT_EQ(CString("Next string"), strText);
}

TEST(ResourceManagerTest, ResourcesCutShortAreReadOnlyInsideTheirSize)
{
    CUiResourceManager japanese(true, kJapanese);
    CString strText = "kept";
    EXPECT_FALSE(japanese.LoadString(strText, IDS_TEST_CUT_SHORT));
    EXPECT_FALSE(japanese.LoadString(strText, IDS_TEST_CUT_SHORT + 1));
    EXPECT_EQ(CString("kept"), strText);

    HACCEL hAccel = japanese.LoadAccelerators(IDR_TEST_ACCEL_CUT_SHORT);
    ASSERT_NE((HACCEL)NULL, hAccel);
    const std::vector<ACCEL> entries = Entries(hAccel);
    ASSERT_EQ(1u, entries.size());
    EXPECT_EQ(FVIRTKEY | FCONTROL, entries[0].fVirt);
    EXPECT_EQ('A', entries[0].key);
    EXPECT_EQ(0x1234, entries[0].cmd);
    ::DestroyAcceleratorTable(hAccel);
}

TEST(ResourceManagerTest, ALoadedMenuReplacesTheOneTheObjectHeld)
{
    for (bool bChoice : {true, false}) {
        CUiResourceManager manager(bChoice, kJapanese);
        CMenu menu;
        menu.CreatePopupMenu();
        HMENU hOld = menu.m_hMenu;
        WORD wLang = 0;
        ASSERT_TRUE(manager.LoadMenu(&menu, IDR_TEST_MENU, &wLang));
        EXPECT_FALSE(::IsMenu(hOld));
        EXPECT_NE(hOld, menu.m_hMenu);
        EXPECT_EQ(bChoice ? kJapanese : kEnglish, wLang);
        CMenu* pPopup = menu.GetSubMenu(0);
        ASSERT_NE(nullptr, pPopup);
        ASSERT_EQ(3u, pPopup->GetMenuItemCount());
        CString strItem;
        pPopup->GetMenuString(0, strItem, MF_BYPOSITION);
        EXPECT_EQ(CString("最初(&A)\tCtrl+A"), strItem);
        EXPECT_EQ((UINT)ID_TEST_SECOND, pPopup->GetMenuItemID(2));
        EXPECT_FALSE(manager.LoadMenu(&menu, 999));
    }
}

TEST(ResourceManagerTest, AcceleratorsAndBitmapsEqualThePlatformLoaders)
{
    CUiResourceManager manager(true, kJapanese);
    HINSTANCE hInstance = AfxGetResourceHandle();

    HACCEL hOurs = manager.LoadAccelerators(IDR_TEST_ACCEL);
    HACCEL hPlatform = ::LoadAcceleratorsA(hInstance, MAKEINTRESOURCEA(IDR_TEST_ACCEL));
    ASSERT_NE((HACCEL)NULL, hOurs);
    const std::vector<ACCEL> ours = Entries(hOurs), platform = Entries(hPlatform);
    ASSERT_EQ(3u, ours.size());
    ASSERT_EQ(platform.size(), ours.size());
    for (size_t i = 0; i < ours.size(); i++) {
        EXPECT_EQ(platform[i].fVirt, ours[i].fVirt);
        EXPECT_EQ(platform[i].key, ours[i].key);
        EXPECT_EQ(platform[i].cmd, ours[i].cmd);
    }
    ::DestroyAcceleratorTable(hOurs);
    ::DestroyAcceleratorTable(hPlatform);

    for (UINT nId : {IDB_TEST_COLORS24, IDB_TEST_PALETTE8}) {
        HBITMAP hMine = manager.LoadBitmap(nId);
        HBITMAP hTheirs = ::LoadBitmapA(hInstance, MAKEINTRESOURCEA(nId));
        ASSERT_NE((HBITMAP)NULL, hMine);
        EXPECT_EQ(Pixels(hTheirs), Pixels(hMine));
        EXPECT_EQ(nId == IDB_TEST_COLORS24 ? ExpectedColors() : ExpectedPalette(), Pixels(hMine));
        ::DeleteObject(hMine);
        ::DeleteObject(hTheirs);
    }
    EXPECT_EQ((HBITMAP)NULL, manager.LoadBitmap(999));
    EXPECT_EQ((HACCEL)NULL, manager.LoadAccelerators(999));
}

TEST(ResourceManagerTest, LocaleInformationOfTheWantedLanguage)
{
    char szName[64] = {};
    CUiResourceManager english(true, kEnglish);
    EXPECT_GT(english.GetLocaleInfo(LOCALE_SENGLANGUAGE, szName, sizeof(szName)), 0);
    EXPECT_STREQ("English", szName);
    CUiResourceManager japanese(true, kJapanese);
    EXPECT_GT(japanese.GetLocaleInfo(LOCALE_SENGLANGUAGE, szName, sizeof(szName)), 0);
    EXPECT_STREQ("Japanese", szName);
}

class CCountedManager : public CUiResourceManager
{
public:
    explicit CCountedManager(int* pnDeleted) : m_pnDeleted(pnDeleted) {}
    ~CCountedManager() override { ++*m_pnDeleted; }

private:
    int* m_pnDeleted;
};

TEST(ResourceManagerTest, TheHolderOwnsWhatIsInstalled)
{
    int nDeleted = 0;
    CCountedManager* pFirst = new CCountedManager(&nDeleted);
    ResourceManagerHolder::InstallResourceManager(pFirst);
    EXPECT_EQ(pFirst, ResourceManagerHolder::GetResourceManager());
    ResourceManagerHolder::InstallResourceManager(new CCountedManager(&nDeleted));
    EXPECT_EQ(1, nDeleted);
    ResourceManagerHolder::InstallResourceManager(NULL);
    EXPECT_EQ(2, nDeleted);
    CUiResourceManager* pDefault = ResourceManagerHolder::GetResourceManager();
    ASSERT_NE(nullptr, pDefault);
    EXPECT_FALSE(pDefault->IsCustomLangAllowed());
    EXPECT_EQ(kEnglish, pDefault->GetLangIdDesired());
}

} // namespace
