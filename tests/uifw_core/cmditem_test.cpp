// Command items: texts from the tests' string table, state marks, the update-command-UI
// protocol against a real message map, usage counting with and without a profile, and
// delivery to a real window.
#include <gtest/gtest.h>

#include "cmdprofile.h"
#include "uifw_core_ids.h"
#include "winharness.h"

#include <vector>

namespace {

struct Delivered {
    UINT nMessage;
    WPARAM wParam;
    LPARAM lParam;
};

std::vector<Delivered> g_delivered;

LRESULT CALLBACK RecordingProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    if (nMessage == WM_COMMAND || nMessage == WM_SYSCOMMAND) {
        g_delivered.push_back({nMessage, wParam, lParam});
        return 1;
    }
    return ::DefWindowProc(hWnd, nMessage, wParam, lParam);
}

// A child of the hidden parent that records the commands it receives.
class RecordingWindow
{
public:
    explicit RecordingWindow(HWND hParent)
    {
        WNDCLASSA wc;
        memset(&wc, 0, sizeof(wc));
        wc.lpfnWndProc = RecordingProc;
        wc.hInstance = ::GetModuleHandle(NULL);
        wc.lpszClassName = "KorvaneCmdRecorder";
        ::RegisterClassA(&wc);
        m_hWnd = ::CreateWindowA("KorvaneCmdRecorder", "", WS_CHILD, 0, 0, 10, 10, hParent, NULL,
                                 ::GetModuleHandle(NULL), NULL);
        g_delivered.clear();
    }
    ~RecordingWindow() { ::DestroyWindow(m_hWnd); }
    HWND m_hWnd;
};

class CUpdateTarget : public CWnd
{
public:
    afx_msg void OnHandled() {}
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CUpdateTarget, CWnd)
    ON_COMMAND(500, OnHandled)
END_MESSAGE_MAP()

} // namespace

TEST(CmdItem, TipsComeFromTheStringTableSplitAtTheFirstLineFeed)
{
    CUiCmdItem item(IDS_TEST_BOTH);
    ASSERT_TRUE(item.UpdateFromResource());
    EXPECT_EQ(CString("接続状況 ｳｨﾝﾄﾞｳを表示します。"), item.m_strTipStatus);
    EXPECT_EQ(CString("接続状況"), item.m_strTipTool);

    CUiCmdItem statusOnly(IDS_CMD_STATUS_ONLY);
    statusOnly.m_strTipTool = "old";
    ASSERT_TRUE(statusOnly.UpdateFromResource());
    EXPECT_EQ(CString("ｽﾃｰﾀｽﾊﾞｰだけ"), statusOnly.GetStatusTip());
    EXPECT_TRUE(statusOnly.m_strTipTool.IsEmpty());

    // Tabs become blanks and carriage returns vanish before the split and the trimming.
    CUiCmdItem messy(IDS_CMD_TABS_AND_RETURNS);
    ASSERT_TRUE(messy.UpdateFromResource());
    EXPECT_EQ(CString("表示 する"), messy.m_strTipStatus);
    EXPECT_EQ(CString("ﾂｰﾙ ﾁｯﾌﾟ"), messy.m_strTipTool);

    CUiCmdItem missing(33999);
    missing.m_strTipStatus = "old";
    EXPECT_FALSE(missing.UpdateFromResource());
    EXPECT_TRUE(missing.m_strTipStatus.IsEmpty());
    EXPECT_FALSE(CUiCmdItem(0).UpdateFromResource());
}

TEST(CmdItem, MarksExcludeEachOtherAndTheAdapterSetsThem)
{
    CUiCmdItem item(700);
    item.StateSetRadio(true);
    item.StateSetCheck(true);
    EXPECT_TRUE(item.StateGetCheck());
    EXPECT_FALSE(item.StateGetRadio());
    EXPECT_EQ((DWORD)CUiCmdItem::kStateCheck, item.StateSetCheck(true));
    item.StateSetCheck(false);
    EXPECT_EQ(0u, item.m_dwState & CUiCmdItem::kStateMarks);

    CUiCmdItemUI cmdUI(&item, 0);
    cmdUI.SetCheck(2);
    EXPECT_TRUE(item.StateGetIndeterminate());
    EXPECT_FALSE(item.StateGetCheck());
    cmdUI.SetCheck(1);
    EXPECT_TRUE(item.StateGetCheck());
    cmdUI.SetRadio(TRUE);
    EXPECT_TRUE(item.StateGetRadio());
    EXPECT_FALSE(item.StateGetCheck());
    cmdUI.Enable(FALSE);
    EXPECT_FALSE(item.StateIsEnable());
    cmdUI.SetText("新しい(&N)");
    EXPECT_EQ(CString("新しい(&N)"), item.m_strMenuText);

    // The shared bit of 0x400 and 0x1400: either setter clears both first.
    item.StateSetFlag00001400(true);
    EXPECT_TRUE(item.StateIsFlag00001400());
    item.StateSetFlag00000400(true);
    EXPECT_TRUE(item.StateIsFlag00000400());
    EXPECT_FALSE(item.StateIsFlag00001400());
}

TEST(CmdItem, TextPreferringTheMenuFallsBackToTooltipThenToolbarText)
{
    CUiCmdItem item(701);
    item.m_strToolbarText = "ﾎﾞﾀﾝ";
    EXPECT_EQ(CString("ﾎﾞﾀﾝ"), item.GetTextPreferMenu());
    item.m_strTipTool = "ﾋﾝﾄ";
    EXPECT_EQ(CString("ﾋﾝﾄ"), item.GetTextForMenu());
    item.m_strMenuText = "ﾒﾆｭｰ";
    EXPECT_EQ(CString("ﾒﾆｭｰ"), item.GetTextPreferMenu());
}

TEST(CmdItem, UpdateDisablesCommandsWithoutHandlerButNotTheLibrarysOwn)
{
    CUpdateTarget target;
    CUiCmdItem handled(500), unhandled(501), sysCommand(0xF060), mdiWindow(0xFF09), pastSysRange(0xF1F0),
        pastMdiRange(0xFF0A);
    for (CUiCmdItem* pItem : {&handled, &unhandled, &sysCommand, &mdiWindow, &pastSysRange, &pastMdiRange})
        pItem->StateEnable(false);
    handled.DoUpdateCmdUI(&target);
    unhandled.StateEnable(true);
    unhandled.DoUpdateCmdUI(&target);
    EXPECT_TRUE(sysCommand.DoUpdateCmdUI(&target));
    EXPECT_TRUE(mdiWindow.DoUpdateCmdUI(NULL));
    pastSysRange.DoUpdateCmdUI(&target);
    pastMdiRange.DoUpdateCmdUI(&target);

    EXPECT_TRUE(handled.StateIsEnable());
    EXPECT_FALSE(unhandled.StateIsEnable());
    EXPECT_TRUE(sysCommand.StateIsEnable());
    EXPECT_TRUE(mdiWindow.StateIsEnable());
    EXPECT_FALSE(pastSysRange.StateIsEnable());
    EXPECT_FALSE(pastMdiRange.StateIsEnable());
}

TEST(CmdItem, ReservedIdentifiersAreBasicAndNeverCounted)
{
    CUiCmdProfile profile("items");
    profile.CmdSetup(CUiCmdItem(0xE115));
    profile.CmdSetup(CUiCmdItem(702));
    CUiCmdItem* pRecent = profile.CmdGetPtr(0xE115);
    CUiCmdItem* pPlain = profile.CmdGetPtr(702);
    pRecent->StateSetForceRarely(true);
    EXPECT_EQ(0u, pRecent->m_dwState & CUiCmdItem::kStateBasic);
    EXPECT_TRUE(pRecent->StateIsBasic());
    EXPECT_FALSE(pRecent->StateIsForcedRarelyUsed());
    pRecent->IncrementUsageCount();
    EXPECT_EQ(0u, pRecent->GetUsageCount());
    EXPECT_EQ(0u, profile.m_nTotalUsage);

    // With a total of 0 every item that is not basic is rarely used.
    EXPECT_EQ(0u, pPlain->GetUsagePercent());
    EXPECT_TRUE(pPlain->StateIsRarelyUsed());
    EXPECT_FALSE(pRecent->StateIsRarelyUsed());

    pPlain->StateSetForceRarely(true);
    pPlain->IncrementUsageCount();
    EXPECT_EQ(0u, pPlain->GetUsageCount());
    pPlain->StateSetForceRarely(false);
    pPlain->IncrementUsageCount();
    EXPECT_EQ(1u, pPlain->GetUsageCount());
    EXPECT_EQ(1u, profile.m_nTotalUsage);
    EXPECT_FALSE(pPlain->StateIsRarelyUsed());
}

TEST(CmdItem, TotalReachingTheLimitHalvesTotalAndEveryCount)
{
    CUiCmdProfile profile("overflow");
    profile.CmdSetup(CUiCmdItem(710));
    profile.CmdSetup(CUiCmdItem(711));
    CUiCmdItem* pBusy = profile.CmdGetPtr(710);
    CUiCmdItem* pRare = profile.CmdGetPtr(711);
    pBusy->m_nUsageCount = 5;
    pRare->m_nUsageCount = 1;
    profile.m_nTotalUsage = 0xFFFFFFFC;
    pBusy->IncrementUsageCount();
    EXPECT_EQ(0xFFFFFFFDu, profile.m_nTotalUsage);
    EXPECT_EQ(6u, pBusy->GetUsageCount());
    pBusy->IncrementUsageCount();
    EXPECT_EQ(0x7FFFFFFFu, profile.m_nTotalUsage);
    EXPECT_EQ(3u, pBusy->GetUsageCount());
    EXPECT_EQ(0u, pRare->GetUsageCount());

    // A saved profile may hold a total at the very top: the next use halves it first instead
    // of wrapping it to 0, which would make every command rarely used.
    pBusy->m_nUsageCount = 0xC0000000;
    pRare->m_nUsageCount = 0x3FFFFFFF;
    profile.m_nTotalUsage = 0xFFFFFFFF;
    pBusy->IncrementUsageCount();
    EXPECT_EQ(0x80000000u, profile.m_nTotalUsage);
    EXPECT_EQ(0x60000001u, pBusy->GetUsageCount());
    EXPECT_EQ(0x1FFFFFFFu, pRare->GetUsageCount());
    EXPECT_FALSE(pBusy->StateIsRarelyUsed());
    EXPECT_FALSE(pRare->StateIsRarelyUsed());
}

TEST(CmdItem, PercentageHoldsForCountsBeyondThirtyTwoBitProducts)
{
    CUiCmdProfile profile("percent");
    profile.CmdSetup(CUiCmdItem(720));
    CUiCmdItem* pItem = profile.CmdGetPtr(720);
    pItem->m_nUsageCount = 50000000;
    profile.m_nTotalUsage = 100000000;
    EXPECT_EQ(50u, pItem->GetUsagePercent());
    pItem->m_nUsageCount = 7;
    profile.m_nTotalUsage = 9;
    EXPECT_EQ(77u, pItem->GetUsagePercent());

    EXPECT_EQ(100u, pItem->SetProfileRarelyPercent(250));
    EXPECT_EQ(100u, profile.m_nRarelyPercent);
    EXPECT_EQ(100u, pItem->GetProfileRarelyPercent());
}

TEST(CmdItem, DeliveryUsesSystemCommandsWithTheCursorAndCountsTheUse)
{
    winharness::HiddenParent parent;
    RecordingWindow window(parent);
    CUiCmdProfile profile("deliver");
    profile.CmdSetup(CUiCmdItem(0xF060));
    profile.CmdSetup(CUiCmdItem(730));
    CUiCmdItem* pClose = profile.CmdGetPtr(0xF060);
    CUiCmdItem* pPlain = profile.CmdGetPtr(730);

    ::SetCursorPos(123, 45);
    POINT pt;
    ::GetCursorPos(&pt);
    EXPECT_TRUE(pClose->Deliver(window.m_hWnd, true));
    EXPECT_TRUE(pPlain->Deliver(window.m_hWnd, true));
    ASSERT_EQ(2u, g_delivered.size());
    EXPECT_EQ((UINT)WM_SYSCOMMAND, g_delivered[0].nMessage);
    EXPECT_EQ((WPARAM)0xF060, g_delivered[0].wParam);
    EXPECT_EQ(MAKELPARAM(pt.x, pt.y), g_delivered[0].lParam);
    EXPECT_EQ((UINT)WM_COMMAND, g_delivered[1].nMessage);
    EXPECT_EQ((WPARAM)730, g_delivered[1].wParam);
    EXPECT_EQ(0, g_delivered[1].lParam);
    EXPECT_EQ(1u, pPlain->GetUsageCount());
    EXPECT_EQ(0u, pClose->GetUsageCount());

    EXPECT_FALSE(pPlain->Deliver(NULL, true));
    EXPECT_EQ(1u, pPlain->GetUsageCount());

    // Posted: it arrives through the queue; the owner road goes to the parent.
    g_delivered.clear();
    EXPECT_TRUE(pPlain->Deliver(window.m_hWnd, false));
    EXPECT_TRUE(g_delivered.empty());
    winharness::PumpPending();
    ASSERT_EQ(1u, g_delivered.size());
    EXPECT_EQ((WPARAM)730, g_delivered[0].wParam);
    EXPECT_FALSE(pPlain->DeliverToWindow(NULL));
    EXPECT_FALSE(pPlain->DeliverToOwner(NULL));
    EXPECT_EQ(2u, profile.m_nTotalUsage);

    // A window without owner delivers to its parent.
    RecordingWindow child(window.m_hWnd);
    EXPECT_TRUE(pPlain->DeliverToOwner(CWnd::FromHandle(child.m_hWnd), true));
    ASSERT_EQ(1u, g_delivered.size());
    EXPECT_EQ((WPARAM)730, g_delivered[0].wParam);
}

TEST(CmdItem, FreeStandingItemCountsAloneAndReadsAnEmptyProfile)
{
    winharness::HiddenParent parent;
    RecordingWindow window(parent);
    CUiCmdItem item(740);
    EXPECT_TRUE(item.Deliver(window.m_hWnd, true));
    EXPECT_EQ(1u, item.GetUsageCount());
    EXPECT_EQ(0u, item.GetProfileTotalUsage());
    EXPECT_EQ(0u, item.GetUsagePercent());
    EXPECT_EQ(10u, item.GetProfileRarelyPercent());
    EXPECT_EQ(100u, item.SetProfileRarelyPercent(250));
    EXPECT_EQ(10u, item.GetProfileRarelyPercent());
    EXPECT_TRUE(item.StateIsRarelyUsed());
    item.AnalyzeGlobalUsageOverflow();
    item.OnSysColorChange();
    EXPECT_EQ(1u, item.GetUsageCount());
}

TEST(CmdItem, CopiesCarryEverythingAndUpdatesFillOnlyWhatTheyShould)
{
    CUiCmdItem source(750);
    source.m_nIconIndex = 2;
    source.m_strMenuText = "ﾒﾆｭｰ";
    source.m_strToolbarText = "ﾂｰﾙ";
    source.m_strAccelText = "Ctrl+M";
    source.m_anParams[2] = 9;
    source.m_nUsageCount = 4;
    source.StateSetBasic(true);
    CUiCmdItem copy(source);
    EXPECT_EQ(750u, copy.m_nCmdId);
    EXPECT_EQ(2, copy.m_nIconIndex);
    EXPECT_EQ(9, copy.m_anParams[2]);
    EXPECT_EQ(100, copy.m_anParams[1]);
    EXPECT_EQ(4u, copy.m_nUsageCount);
    EXPECT_TRUE(copy.StateIsBasic());

    CUiCmdItem target(750);
    target.m_strMenuText = "元";
    target.UpdateMoreEmpty(source);
    EXPECT_EQ(CString("元"), target.m_strMenuText);
    EXPECT_EQ(CString("Ctrl+M"), target.m_strAccelText);
    EXPECT_TRUE(target.m_strToolbarText.IsEmpty());
    EXPECT_EQ(2, target.m_nIconIndex);
    target.UpdateMoreExact(source);
    EXPECT_EQ(CString("ﾒﾆｭｰ"), target.m_strMenuText);
    EXPECT_EQ(CString("ﾂｰﾙ"), target.m_strToolbarText);
}
