// The command manager: profiles by name and by window (real windows under the hidden
// parent), releasing, and the operations that pass on to a named profile.
#include <gtest/gtest.h>

#include "cmdmanager.h"
#include "uifw_core_ids.h"
#include "winharness.h"

namespace {

HWND MakeWindow(HWND hParent)
{
    return ::CreateWindowA("STATIC", "", hParent != NULL ? WS_CHILD : WS_POPUP, 0, 0, 10, 10, hParent, NULL,
                           ::GetModuleHandle(NULL), NULL);
}

// Counts its deletions, to see who deletes a profile handed over.
class CCountedProfile : public CUiCmdProfile
{
public:
    explicit CCountedProfile(LPCSTR lpszName, int* pnDeleted) : CUiCmdProfile(lpszName), m_pnDeleted(pnDeleted) {}
    ~CCountedProfile() override { (*m_pnDeleted)++; }
    int* m_pnDeleted;
};

class CCountingManager : public CUiCmdManager
{
public:
    INT_PTR ProfileCount() const { return m_profilesByName.GetCount(); }
};

} // namespace

TEST(CmdManager, DefaultProfileExistsAndEmptyNamesMeanIt)
{
    CCountingManager manager;
    CUiCmdProfile* pDefault = manager.ProfileFindByName("default");
    ASSERT_NE(nullptr, pDefault);
    EXPECT_EQ(pDefault, manager.ProfileFindByName(NULL));
    EXPECT_TRUE(manager.ProfileInstall(""));
    EXPECT_TRUE(manager.ProfileInstall(NULL));
    EXPECT_EQ(1, manager.ProfileCount());
    EXPECT_EQ(pDefault, manager.ProfileFindByName(""));
    EXPECT_EQ(CString("default"), pDefault->GetName());
    EXPECT_EQ(nullptr, manager.ProfileFindByName("missing"));
    EXPECT_EQ(nullptr, manager.CmdGetPtr("missing", 100));
    EXPECT_FALSE(manager.CmdSetup("missing", CUiCmdItem(100)));
    EXPECT_FALSE(manager.CmdRemoveByMask("missing", 0x10));

    CUiCmdManager* pHeld = CmdManagerHolder::GetStoredHandle();
    ASSERT_NE(nullptr, pHeld);
    EXPECT_EQ(pHeld, CmdManagerHolder::GetStoredHandle());
    EXPECT_NE(nullptr, pHeld->ProfileFindByName(NULL));
    EXPECT_TRUE(g_bUiCommandTips);
}

TEST(CmdManager, WindowsKeepTheirFirstProfileAndChildrenFindTheirFrames)
{
    winharness::HiddenParent parent;
    CUiCmdManager manager;
    HWND hFrame = MakeWindow(parent);
    HWND hChild = MakeWindow(hFrame);
    HWND hGrandChild = MakeWindow(hChild);
    HWND hOutsider = MakeWindow(NULL);

    ASSERT_TRUE(manager.ProfileInstall("A", hFrame));
    ASSERT_TRUE(manager.ProfileInstall("B"));
    CUiCmdProfile* pA = manager.ProfileFindByName("A");
    EXPECT_TRUE(manager.ProfileBindWindow("B", hFrame));
    EXPECT_EQ(pA, manager.ProfileFindByWindow(hFrame));
    EXPECT_EQ(pA, manager.ProfileFindByWindow(hGrandChild));
    EXPECT_EQ(nullptr, manager.ProfileFindByWindow(hOutsider));
    EXPECT_EQ(nullptr, manager.ProfileFindByWindow(NULL));
    EXPECT_FALSE(manager.ProfileBindWindow("C", hOutsider));
    EXPECT_FALSE(manager.ProfileBindWindow("B", NULL));

    // A bound child decides for itself and its children.
    EXPECT_TRUE(manager.ProfileBindWindow("B", hChild));
    EXPECT_EQ(manager.ProfileFindByName("B"), manager.ProfileFindByWindow(hGrandChild));
    ::DestroyWindow(hOutsider);
    ::DestroyWindow(hFrame);
}

TEST(CmdManager, ReleasingTheLastWindowDeletesTheProfileWhenAsked)
{
    winharness::HiddenParent parent;
    CUiCmdManager manager;
    HWND hFirst = MakeWindow(parent);
    HWND hSecond = MakeWindow(parent);
    int nDeleted = 0;
    ASSERT_TRUE(manager.ProfileInstall("Frame", hFirst, new CCountedProfile("Frame", &nDeleted)));
    ASSERT_TRUE(manager.ProfileBindWindow("Frame", hSecond));

    bool bDeleted = true;
    EXPECT_TRUE(manager.ProfileReleaseWindow(hFirst, true, &bDeleted));
    EXPECT_FALSE(bDeleted);
    EXPECT_NE(nullptr, manager.ProfileFindByName("Frame"));
    EXPECT_TRUE(manager.ProfileReleaseWindow(hSecond, true, &bDeleted));
    EXPECT_TRUE(bDeleted);
    EXPECT_EQ(1, nDeleted);
    EXPECT_EQ(nullptr, manager.ProfileFindByName("Frame"));
    EXPECT_FALSE(manager.ProfileReleaseWindow(hSecond, true, &bDeleted));
    EXPECT_FALSE(bDeleted);
    EXPECT_FALSE(manager.ProfileReleaseWindow(NULL));

    // Without the flag the profile stays.
    ASSERT_TRUE(manager.ProfileInstall("Kept", hFirst));
    EXPECT_TRUE(manager.ProfileReleaseWindow(hFirst, false, &bDeleted));
    EXPECT_FALSE(bDeleted);
    EXPECT_NE(nullptr, manager.ProfileFindByName("Kept"));
    ::DestroyWindow(hFirst);
    ::DestroyWindow(hSecond);
}

TEST(CmdManager, InstallingAnExistingNameDeletesTheOfferedProfile)
{
    int nDeleted = 0;
    {
        CUiCmdManager manager;
        CUiCmdProfile* pDefault = manager.ProfileFindByName(NULL);
        EXPECT_TRUE(manager.ProfileInstall("default", NULL, new CCountedProfile("default", &nDeleted)));
        EXPECT_EQ(1, nDeleted);
        EXPECT_EQ(pDefault, manager.ProfileFindByName(NULL));
        EXPECT_TRUE(manager.ProfileInstall("Own", NULL, new CCountedProfile("Own", &nDeleted)));
        EXPECT_EQ(1, nDeleted);
    }
    // The manager deletes what it holds.
    EXPECT_EQ(2, nDeleted);
}

TEST(CmdManager, OperationsPassOnToTheNamedProfile)
{
    CUiCmdManager manager;
    ASSERT_TRUE(manager.ProfileInstall("Ops"));
    ASSERT_TRUE(manager.ProfileLoadMenu("Ops", IDR_CMD_MENU));
    EXPECT_NE(nullptr, manager.CmdGetPtr("Ops", ID_CMD_TOPMOST));
    UINT* pIds = NULL;
    int nCount = 0;
    ASSERT_TRUE(manager.ProfileLoadToolBar("Ops", 0x10000 | IDR_CMD_TOOLBAR, &pIds, &nCount));
    EXPECT_EQ(3, nCount);
    delete[] pIds;
    EXPECT_NE(nullptr, manager.CmdGetIconPtr("Ops", ID_CMD_BUTTON_FIRST));
    EXPECT_FALSE(manager.ProfileLoadToolBarEx("missing", IDR_CMD_TOOLBAR));

    const UINT basic[] = {ID_CMD_TOPMOST, 0};
    EXPECT_TRUE(manager.ProfileMarkCommands("Ops", basic));
    EXPECT_TRUE(manager.CmdGetPtr("Ops", ID_CMD_TOPMOST)->StateIsBasic());
    EXPECT_TRUE(manager.CmdRemoveByMask("Ops", CUiCmdItem::kStateBasic));
    EXPECT_EQ(nullptr, manager.CmdGetPtr("Ops", ID_CMD_TOPMOST));

    // An icon handle: copied, or consumed.
    HICON hIcon = ::CopyIcon(::LoadIcon(NULL, IDI_APPLICATION));
    EXPECT_TRUE(manager.CmdSetIcon("Ops", ID_CMD_STANDARD_BAR, hIcon, true));
    ICONINFO info;
    ASSERT_TRUE(::GetIconInfo(hIcon, &info));
    ::DeleteObject(info.hbmColor);
    ::DeleteObject(info.hbmMask);
    ASSERT_NE(nullptr, manager.CmdGetIconPtr("Ops", ID_CMD_STANDARD_BAR));
    EXPECT_NE(hIcon, manager.CmdGetIconPtr("Ops", ID_CMD_STANDARD_BAR)->GetIcon());
    EXPECT_TRUE(manager.CmdSetIcon("Ops", ID_CMD_STANDARD_BAR, NULL, false));
    EXPECT_EQ(nullptr, manager.CmdGetIconPtr("Ops", ID_CMD_STANDARD_BAR));
    ::DestroyIcon(hIcon);

    CUiCmdItem* pNew = manager.CmdAllocPtr("Ops");
    ASSERT_NE(nullptr, pNew);
    EXPECT_EQ(65534u, pNew->m_nCmdId);
    bool bRemoved = false;
    EXPECT_TRUE(manager.CmdRemove("Ops", 65534, &bRemoved));
    EXPECT_TRUE(bRemoved);
    HMENU hMenu = ::CreatePopupMenu();
    ::AppendMenuA(hMenu, MF_STRING, 870, "項目\tF2");
    EXPECT_TRUE(manager.UpdateFromMenu("Ops", hMenu));
    ::DestroyMenu(hMenu);
    EXPECT_EQ(CString("F2"), manager.CmdGetPtr("Ops", 870)->m_strAccelText);
    manager.CmdRemoveAll("Ops");
    EXPECT_EQ(0, manager.ProfileFindByName("Ops")->m_cmds.GetCount());
}
