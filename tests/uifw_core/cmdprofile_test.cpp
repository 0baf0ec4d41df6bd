// Command profiles: items and their icon indices, filling from the tests' menu and toolbar
// resources, basic commands, and the usage archive in memory and in the Wine prefix's
// registry (under a company key of the tests' own, removed afterwards).
#include <gtest/gtest.h>

#include "afxcmn.h"
#include "archive_test_support.h"
#include "cmdicon.h"
#include "cmdmanager.h"
#include "uifw_core_ids.h"
#include "winharness.h"

#include <cstring>
#include <set>
#include <utility>
#include <vector>

namespace {

const char kCompany[] = "KorvaneCmdProfileTest";

CUiCmdIcon* BlankIcon(COLORREF clr)
{
    CUiCmdIcon* pIcon = new CUiCmdIcon;
    pIcon->CreateBlankBitmap(clr, 16, 16);
    return pIcon;
}

std::vector<BYTE> Store(CUiCmdProfile& profile)
{
    return archivetest::Stored([&profile](CArchive& ar) { EXPECT_TRUE(profile.SerializeProfile(ar)); });
}

bool Load(CUiCmdProfile& profile, const std::vector<BYTE>& bytes)
{
    return archivetest::Loaded(bytes, [&profile](CArchive& ar) { return profile.SerializeProfile(ar); });
}

void PutDword(std::vector<BYTE>& bytes, DWORD dw)
{
    for (int i = 0; i < 4; i++)
        bytes.push_back((BYTE)(dw >> (8 * i)));
}

DWORD DwordAt(const std::vector<BYTE>& bytes, size_t nOffset)
{
    DWORD dw = 0;
    memcpy(&dw, bytes.data() + nOffset, 4);
    return dw;
}

const char kHeader[] = "Vavi-RIZ (v. 2.2.7.1) command profile";

// The archive bytes up to (not including) the records.
std::vector<BYTE> ArchiveHead(DWORD dwShortVersion, DWORD dwTotal)
{
    const size_t nLength = strlen(kHeader);
    std::vector<BYTE> bytes(1 + nLength);
    bytes[0] = (BYTE)nLength;
    memcpy(bytes.data() + 1, kHeader, nLength);
    PutDword(bytes, 0x02020701);
    PutDword(bytes, dwShortVersion);
    for (int i = 0; i < 4; i++)
        PutDword(bytes, 0);
    PutDword(bytes, dwTotal);
    return bytes;
}

} // namespace

TEST(CmdProfile, RemovingACommandMovesTheLaterIconsDown)
{
    CUiCmdProfile profile("icons");
    for (UINT nCmdId = 801; nCmdId <= 803; nCmdId++) {
        ASSERT_TRUE(profile.CmdSetup(CUiCmdItem(nCmdId)));
        ASSERT_TRUE(profile.CmdSetIcon(nCmdId, BlankIcon(RGB(nCmdId - 800, 0, 0)), true));
    }
    ASSERT_EQ(0, profile.CmdGetPtr(801)->m_nIconIndex);
    bool bRemoved = false;
    EXPECT_TRUE(profile.CmdRemove(801, &bRemoved));
    EXPECT_TRUE(bRemoved);
    EXPECT_EQ(2, profile.m_icons.GetSize());
    EXPECT_EQ(0, profile.CmdGetPtr(802)->m_nIconIndex);
    EXPECT_EQ(1, profile.CmdGetPtr(803)->m_nIconIndex);
    EXPECT_EQ(RGB(2, 0, 0), profile.CmdGetIconPtr(802)->GetBitmapColorKey());
    EXPECT_EQ(RGB(3, 0, 0), profile.CmdGetIconPtr(803)->GetBitmapColorKey());

    EXPECT_TRUE(profile.CmdRemove(801, &bRemoved));
    EXPECT_FALSE(bRemoved);
    EXPECT_FALSE(profile.CmdRemove(0));

    // Removing an icon alone renumbers the same way; a copy is kept when not used directly.
    CUiCmdIcon own;
    own.CreateBlankBitmap(RGB(9, 0, 0), 8, 8);
    EXPECT_TRUE(profile.CmdSetIcon(802, &own, false));
    EXPECT_EQ(RGB(9, 0, 0), profile.CmdGetIconPtr(802)->GetBitmapColorKey());
    EXPECT_NE(own.GetBitmap(), profile.CmdGetIconPtr(802)->GetBitmap());
    EXPECT_TRUE(profile.CmdSetIcon(802, NULL, false));
    EXPECT_EQ(-1, profile.CmdGetPtr(802)->m_nIconIndex);
    EXPECT_EQ(0, profile.CmdGetPtr(803)->m_nIconIndex);
    EXPECT_EQ(NULL, profile.CmdGetIconPtr(802));
    // An icon for an unknown command is refused (and, handed over, deleted by the profile).
    EXPECT_FALSE(profile.CmdSetIcon(899, BlankIcon(RGB(1, 1, 1)), true));
}

TEST(CmdProfile, RemovingByMaskTakesCommandsWithAnyOrAllBits)
{
    CUiCmdProfile profile("mask");
    for (UINT nCmdId = 811; nCmdId <= 813; nCmdId++)
        profile.CmdSetup(CUiCmdItem(nCmdId));
    profile.CmdGetPtr(811)->m_dwState = 0x40;
    profile.CmdGetPtr(812)->m_dwState = 0x40 | 0x80;
    profile.CmdRemoveByMask(0xC0, true);
    EXPECT_TRUE(profile.CmdIsRegistered(811));
    EXPECT_FALSE(profile.CmdIsRegistered(812));
    profile.CmdRemoveByMask(0xC0);
    EXPECT_FALSE(profile.CmdIsRegistered(811));
    EXPECT_TRUE(profile.CmdIsRegistered(813));
}

TEST(CmdProfile, AllocationChoosesTheHighestFreeIdentifier)
{
    CUiCmdProfile profile("alloc");
    CUiCmdItem* pFirst = profile.CmdAllocPtr(0);
    ASSERT_NE(nullptr, pFirst);
    EXPECT_EQ(65534u, pFirst->m_nCmdId);
    ASSERT_NE(nullptr, profile.CmdAllocPtr(65533));
    CUiCmdItem* pNext = profile.CmdAllocPtr(0);
    ASSERT_NE(nullptr, pNext);
    EXPECT_EQ(65532u, pNext->m_nCmdId);
    EXPECT_EQ(&profile, pNext->m_pProfile);
    EXPECT_EQ(nullptr, profile.CmdAllocPtr(65533));
    EXPECT_EQ(nullptr, profile.CmdGetPtr(0));
}

TEST(CmdProfile, MenuResourceGivesTextsAcceleratorsAndTips)
{
    CUiCmdProfile profile("menu");
    ASSERT_TRUE(profile.UpdateFromMenuResource(IDR_CMD_MENU));
    CUiCmdItem* pTopmost = profile.CmdGetPtr(ID_CMD_TOPMOST);
    ASSERT_NE(nullptr, pTopmost);
    EXPECT_EQ(CString("最前面に表示(&T)"), pTopmost->m_strMenuText);
    EXPECT_EQ(CString("Ctrl+T"), pTopmost->m_strAccelText);
    CUiCmdItem* pBar = profile.CmdGetPtr(ID_CMD_STANDARD_BAR);
    ASSERT_NE(nullptr, pBar);
    EXPECT_TRUE(pBar->m_strAccelText.IsEmpty());
    CUiCmdItem* pStatus = profile.CmdGetPtr(IDS_TEST_BOTH);
    ASSERT_NE(nullptr, pStatus);
    EXPECT_EQ(CString("接続状況"), pStatus->m_strTipTool);
    EXPECT_EQ(3, profile.m_cmds.GetCount());

    // Again without replace: the menu text stays, only empty texts are filled.
    CUiCmdItem second(ID_CMD_TOPMOST);
    second.m_strMenuText = "別(&X)";
    second.m_strAccelText = "Ctrl+X";
    second.m_strTipStatus = "ﾋﾝﾄ";
    bool bNew = true;
    EXPECT_TRUE(profile.CmdSetup(second, false, &bNew));
    EXPECT_FALSE(bNew);
    EXPECT_EQ(CString("最前面に表示(&T)"), pTopmost->m_strMenuText);
    EXPECT_EQ(CString("Ctrl+T"), pTopmost->m_strAccelText);
    EXPECT_EQ(CString("ﾋﾝﾄ"), pTopmost->m_strTipStatus);
    EXPECT_TRUE(profile.CmdSetup(second, true));
    EXPECT_EQ(CString("別(&X)"), pTopmost->m_strMenuText);

    EXPECT_FALSE(profile.UpdateFromMenu(NULL));
    EXPECT_FALSE(profile.UpdateFromMenuResource(9999));
}

TEST(CmdProfile, ToolBarResourceGivesImagesAndTheButtonList)
{
    CUiCmdProfile profile("toolbar");
    UINT* pIds = NULL;
    int nCount = 0;
    ASSERT_TRUE(profile.UpdateFromToolBar(IDR_CMD_TOOLBAR, &pIds, &nCount, false, true, RGB(192, 192, 192)));
    ASSERT_EQ(3, nCount);
    EXPECT_EQ((UINT)ID_CMD_BUTTON_FIRST, pIds[0]);
    EXPECT_EQ(0u, pIds[1]);
    EXPECT_EQ((UINT)ID_CMD_BUTTON_SECOND, pIds[2]);
    delete[] pIds;

    CUiCmdItem* pFirst = profile.CmdGetPtr(ID_CMD_BUTTON_FIRST);
    CUiCmdItem* pSecond = profile.CmdGetPtr(ID_CMD_BUTTON_SECOND);
    ASSERT_NE(nullptr, pFirst);
    ASSERT_NE(nullptr, pSecond);
    EXPECT_EQ(0, pFirst->m_nIconIndex);
    EXPECT_EQ(1, pSecond->m_nIconIndex);
    // Each image is its own 16 x 15 cut: red on silver, then blue on silver.
    for (UINT nCmdId : {(UINT)ID_CMD_BUTTON_FIRST, (UINT)ID_CMD_BUTTON_SECOND}) {
        CUiCmdIcon* pIcon = profile.CmdGetIconPtr(nCmdId);
        ASSERT_NE(nullptr, pIcon);
        EXPECT_EQ(CSize(16, 15), pIcon->GetSize());
        EXPECT_EQ(RGB(192, 192, 192), pIcon->GetBitmapColorKey());
        CBitmapColorCounts counts;
        pIcon->GetColorHistogram(counts);
        DWORD dwCount = 0;
        EXPECT_TRUE(counts.Lookup(nCmdId == ID_CMD_BUTTON_FIRST ? RGB(255, 0, 0) : RGB(0, 0, 255), dwCount));
        EXPECT_EQ(90u, dwCount);
        EXPECT_EQ(2, counts.GetCount());
    }
    EXPECT_TRUE(profile.UpdateFromToolBar(IDR_CMD_TOOLBAR));
    EXPECT_EQ(2, profile.m_icons.GetSize());
}

TEST(CmdProfile, ToolBarResourceLargerThanItsDataOrBitmapCopiesNothingOutside)
{
    CUiCmdProfile profile("broken toolbars");
    UINT* pIds = NULL;
    EXPECT_FALSE(profile.UpdateFromToolBar(IDR_CMD_TOOLBAR_COUNT_TOO_LARGE, &pIds));
    EXPECT_EQ(nullptr, pIds);
    EXPECT_EQ(0, profile.m_cmds.GetCount());

    int nCount = 0;
    ASSERT_TRUE(profile.UpdateFromToolBar(IDR_CMD_TOOLBAR_TOO_NARROW, &pIds, &nCount));
    delete[] pIds;
    EXPECT_EQ(3, nCount);
    EXPECT_TRUE(profile.CmdIsRegistered(ID_CMD_BUTTON_FIRST));
    EXPECT_TRUE(profile.CmdIsRegistered(ID_CMD_BUTTON_SECOND));
    EXPECT_FALSE(profile.CmdIsRegistered(ID_CMD_BUTTON_THIRD));
    EXPECT_EQ(2, profile.m_icons.GetSize());
    EXPECT_FALSE(profile.UpdateFromToolBar(9999));
}

TEST(CmdProfile, ToolBarWindowGivesTextsAndImageListIcons)
{
    AfxInitCommonControls(ICC_BAR_CLASSES);
    winharness::HiddenParent parent;
    HWND hToolBar = ::CreateWindowExA(0, TOOLBARCLASSNAMEA, "", WS_CHILD | CCS_NORESIZE, 0, 0, 200, 30, parent,
                                      NULL, ::GetModuleHandle(NULL), NULL);
    ASSERT_NE((HWND)NULL, hToolBar);
    ::SendMessage(hToolBar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    HIMAGELIST hImages = ImageList_Create(16, 16, ILC_COLOR24 | ILC_MASK, 1, 1);
    CUiCmdIcon source;
    source.CreateBlankBitmap(RGB(1, 2, 3), 16, 16);
    ImageList_AddMasked(hImages, source.GetBitmap(), RGB(255, 255, 255));
    ::SendMessage(hToolBar, TB_SETIMAGELIST, 0, (LPARAM)hImages);
    TBBUTTON buttons[2];
    memset(buttons, 0, sizeof(buttons));
    buttons[0].iBitmap = 0;
    buttons[0].idCommand = 820;
    buttons[0].fsState = TBSTATE_ENABLED;
    buttons[0].iString = (INT_PTR) "ﾎﾞﾀﾝ";
    buttons[1].fsStyle = BTNS_SEP;
    ::SendMessage(hToolBar, TB_ADDBUTTONSA, 2, (LPARAM)buttons);

    CUiCmdProfile profile("toolbar window");
    EXPECT_TRUE(profile.UpdateFromToolBarCtrl(CWnd::FromHandle(hToolBar)));
    CUiCmdItem* pItem = profile.CmdGetPtr(820);
    ASSERT_NE(nullptr, pItem);
    EXPECT_EQ(CString("ﾎﾞﾀﾝ"), pItem->m_strToolbarText);
    ASSERT_NE(nullptr, profile.CmdGetIconPtr(820));
    EXPECT_EQ(CSize(16, 16), profile.CmdGetIconPtr(820)->GetSize());
    EXPECT_EQ(1, profile.m_cmds.GetCount());
    EXPECT_FALSE(profile.UpdateFromToolBarCtrl(NULL));
    ::DestroyWindow(hToolBar);
    ImageList_Destroy(hImages);
}

TEST(CmdProfile, BasicCommandsRefuseSystemCommandsAndMissingOnes)
{
    CUiCmdProfile profile("basic");
    profile.CmdSetup(CUiCmdItem(830));
    profile.CmdSetup(CUiCmdItem(831));
    profile.CmdSetup(CUiCmdItem(0xF060));
    const UINT withSystem[] = {830, 0xF060, 831, 0};
    EXPECT_FALSE(profile.SetBasicCommands(withSystem));
    EXPECT_TRUE(profile.CmdGetPtr(830)->StateIsBasic());
    EXPECT_TRUE(profile.CmdGetPtr(831)->StateIsBasic());
    EXPECT_EQ(0u, profile.CmdGetPtr(0xF060)->m_dwState & CUiCmdItem::kStateBasic);
    const UINT missing[] = {830, 839, 0};
    EXPECT_FALSE(profile.SetBasicCommands(missing, false));
    EXPECT_FALSE(profile.CmdGetPtr(830)->StateIsBasic());
    const UINT none[] = {0};
    EXPECT_TRUE(profile.SetBasicCommands(none));
    EXPECT_FALSE(profile.SetBasicCommands(NULL));
}

TEST(CmdProfile, ArchiveOfOneCountedCommandHasExactBytes)
{
    CUiCmdProfile profile("archive");
    profile.CmdSetup(CUiCmdItem(32800));
    profile.CmdSetup(CUiCmdItem(32801));   // never used: no record
    profile.CmdSetup(CUiCmdItem(0xF020));  // system command: no record
    profile.CmdGetPtr(32800)->m_nUsageCount = 3;
    profile.CmdGetPtr(0xF020)->m_nUsageCount = 5;
    profile.m_nTotalUsage = 3;

    std::vector<BYTE> expected = ArchiveHead(0x202, 3);
    PutDword(expected, 32800);
    PutDword(expected, 3);
    PutDword(expected, 0);
    EXPECT_EQ(expected, Store(profile));
}

TEST(CmdProfile, ArchiveRecordsEveryTrackedCommandAndReadsThemBack)
{
    CUiCmdProfile profile("records");
    for (UINT nCmdId = 840; nCmdId < 850; nCmdId++) {
        profile.CmdSetup(CUiCmdItem(nCmdId));
        profile.CmdGetPtr(nCmdId)->m_nUsageCount = nCmdId - 839;
    }
    profile.CmdGetPtr(841)->StateSetBasic(true);
    profile.CmdGetPtr(842)->StateSetForceRarely(true);
    profile.CmdGetPtr(843)->StateSetNotTracked(true);
    profile.m_nTotalUsage = 55;
    const std::vector<BYTE> bytes = Store(profile);

    const size_t nHead = ArchiveHead(0x202, 0).size();
    std::set<std::pair<DWORD, DWORD>> records;
    size_t nOffset = nHead;
    for (; DwordAt(bytes, nOffset) != 0; nOffset += 8)
        records.insert({DwordAt(bytes, nOffset), DwordAt(bytes, nOffset + 4)});
    EXPECT_EQ(bytes.size(), nOffset + 4);
    std::set<std::pair<DWORD, DWORD>> expected;
    for (DWORD nCmdId : {840, 844, 845, 846, 847, 848, 849})
        expected.insert({nCmdId, nCmdId - 839});
    EXPECT_EQ(expected, records);

    CUiCmdProfile fresh("records");
    for (UINT nCmdId = 840; nCmdId < 846; nCmdId++)
        fresh.CmdSetup(CUiCmdItem(nCmdId));
    fresh.CmdGetPtr(841)->m_nUsageCount = 77;
    ASSERT_TRUE(Load(fresh, bytes));
    EXPECT_EQ(55u, fresh.m_nTotalUsage);
    EXPECT_EQ(1u, fresh.CmdGetPtr(840)->m_nUsageCount);
    EXPECT_EQ(77u, fresh.CmdGetPtr(841)->m_nUsageCount);
    EXPECT_EQ(6u, fresh.CmdGetPtr(845)->m_nUsageCount);
    EXPECT_EQ(6, fresh.m_cmds.GetCount());
}

TEST(CmdProfile, ArchiveOfAnotherVersionOrCutShortChangesNothing)
{
    CUiCmdProfile profile("refused");
    profile.CmdSetup(CUiCmdItem(32800));
    profile.CmdSetup(CUiCmdItem(32801));
    profile.CmdGetPtr(32800)->m_nUsageCount = 2;
    profile.m_nTotalUsage = 2;

    std::vector<BYTE> otherVersion = ArchiveHead(0x203, 9);
    PutDword(otherVersion, 32800);
    PutDword(otherVersion, 9);
    PutDword(otherVersion, 0);
    EXPECT_FALSE(Load(profile, otherVersion));

    std::vector<BYTE> cutShort = ArchiveHead(0x202, 9);
    PutDword(cutShort, 32800);
    PutDword(cutShort, 8);
    PutDword(cutShort, 32801);
    EXPECT_FALSE(Load(profile, cutShort));
    EXPECT_EQ(2u, profile.m_nTotalUsage);
    EXPECT_EQ(2u, profile.CmdGetPtr(32800)->m_nUsageCount);
    EXPECT_EQ(0u, profile.CmdGetPtr(32801)->m_nUsageCount);

    // A record of a command the profile lacks is read and dropped.
    std::vector<BYTE> unknown = ArchiveHead(0x202, 9);
    PutDword(unknown, 39999);
    PutDword(unknown, 4);
    PutDword(unknown, 32801);
    PutDword(unknown, 5);
    PutDword(unknown, 0);
    EXPECT_TRUE(Load(profile, unknown));
    EXPECT_EQ(9u, profile.m_nTotalUsage);
    EXPECT_EQ(5u, profile.CmdGetPtr(32801)->m_nUsageCount);
    EXPECT_EQ(nullptr, profile.CmdGetPtr(39999));
}

TEST(CmdProfile, PersistedStatisticsComeBackIntoAFreshProfile)
{
    struct CompanyKeyRemover {
        ~CompanyKeyRemover() { CWinApp::DelRegTree(HKEY_CURRENT_USER, CString("Software\\") + kCompany); }
    } remover;
    CUiCmdManager manager;
    ASSERT_TRUE(manager.ProfileInstall("Main*Frame"));
    ASSERT_TRUE(manager.CmdSetup("Main*Frame", CUiCmdItem(32800)));
    manager.CmdGetPtr("Main*Frame", 32800)->m_nUsageCount = 3;
    manager.ProfileFindByName("Main*Frame")->m_nTotalUsage = 3;
    ASSERT_TRUE(manager.ProfilePersist("Main*Frame", kCompany, "Product", true));

    HKEY hKey = NULL;
    const CString strPath =
        CString("Software\\") + kCompany + "\\Product\\VaviRIZ227\\Profiles\\Main_Frame\\CommandManager";
    ASSERT_EQ(ERROR_SUCCESS, ::RegOpenKeyExA(HKEY_CURRENT_USER, strPath, 0, KEY_READ, &hKey));
    ::RegCloseKey(hKey);

    CUiCmdProfile fresh("Main*Frame");
    fresh.CmdSetup(CUiCmdItem(32800));
    ASSERT_TRUE(fresh.PersistInRegistry(kCompany, "Product", false));
    EXPECT_EQ(3u, fresh.m_nTotalUsage);
    EXPECT_EQ(3u, fresh.CmdGetPtr(32800)->m_nUsageCount);

    CUiCmdProfile absent("Nobody");
    EXPECT_FALSE(absent.PersistInRegistry(kCompany, "Product", false));
    EXPECT_FALSE(manager.ProfilePersist("Nobody", kCompany, "Product", true));
}

TEST(CmdProfile, CopyAndResetKeepIconIndicesAndProtectedCounts)
{
    CUiCmdProfile profile("source");
    profile.CmdSetup(CUiCmdItem(860));
    profile.CmdSetup(CUiCmdItem(861));
    profile.CmdSetIcon(861, BlankIcon(RGB(4, 0, 0)), true);
    profile.CmdGetPtr(860)->m_nUsageCount = 4;
    profile.CmdGetPtr(861)->m_nUsageCount = 6;
    profile.CmdGetPtr(861)->StateSetBasic(true);
    profile.m_nTotalUsage = 10;
    profile.m_nRarelyPercent = 20;

    CUiCmdProfile copy;
    copy.AssignFrom(profile);
    EXPECT_EQ(CString("source"), copy.GetName());
    EXPECT_EQ(20u, copy.m_nRarelyPercent);
    EXPECT_EQ(&copy, copy.CmdGetPtr(861)->m_pProfile);
    ASSERT_NE(nullptr, copy.CmdGetIconPtr(861));
    EXPECT_NE(profile.CmdGetIconPtr(861), copy.CmdGetIconPtr(861));
    EXPECT_EQ(RGB(4, 0, 0), copy.CmdGetIconPtr(861)->GetBitmapColorKey());

    copy.ResetUsageStatistics();
    EXPECT_EQ(0u, copy.m_nTotalUsage);
    EXPECT_EQ(0u, copy.CmdGetPtr(860)->m_nUsageCount);
    EXPECT_EQ(6u, copy.CmdGetPtr(861)->m_nUsageCount);
    EXPECT_EQ(4u, profile.CmdGetPtr(860)->m_nUsageCount);
}
