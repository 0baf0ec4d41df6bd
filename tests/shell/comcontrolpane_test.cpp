// The COM control pane of each port hosted from its template: the indicator colours of a line
// word, the queue of line commands with the named event that wakes the port's connection, the
// update rules of its toolbar, and the editor's display settings.
#include "pane_test_support.h"
#include "pane_test_tools.h"

#include "appsettings.h"
#include "bytes_test_support.h"
#include "comcontrolpane.h"
#include "ncpanewrapper.h"
#include "portsession.h"
#include "resource.h"

using namespace panetest;
using testbytes::BufferOf;

namespace {

class ComControlPaneTest : public PaneHostFixture {
protected:
    ComControlPaneTest()
    {
        SetAppSettingsDefaults(settings);
        for (int i = 0; i < 2; ++i) {
            panes[i].m_nPort = i;
            panes[i].SetSources(&settings);
            EXPECT_TRUE(HostPane(panes[i], IDD_COM_CONTROL_PANE, 32860 + i, IDC_COM_EDITOR));
            panes[i].OnLineAction(CComControlPane::kEnded, 0);
        }
    }

    // Whether the event of the port's connection is set (taking it, as the connection does).
    static bool EventSet(int nPort)
    {
        CString strName;
        strName.Format("%08X%08XMirtolexThreadCom%04d", (unsigned)GetStartTickCount(), (unsigned)::GetCurrentProcessId(),
                       nPort);
        HANDLE hEvent = ::OpenEventA(SYNCHRONIZE, FALSE, strName);
        EXPECT_NE((HANDLE)NULL, hEvent) << (LPCSTR)strName;
        const bool bSet = hEvent != NULL && ::WaitForSingleObject(hEvent, 0) == WAIT_OBJECT_0;
        if (hEvent != NULL)
            ::CloseHandle(hEvent);
        return bSet;
    }

    // The toolbar's state of the command after an update pass.
    DWORD ButtonStyle(CComControlPane& pane, UINT nId)
    {
        pane.m_wndCommandBar.OnUpdateCmdUI(nullptr, TRUE);
        const int nIndex = pane.m_wndCommandBar.CommandToButtonIndex(nId);
        EXPECT_GE(nIndex, 0) << nId;
        return pane.m_wndCommandBar.GetButtonStyle(nIndex);
    }
    bool Enabled(CComControlPane& pane, UINT nId) { return !(ButtonStyle(pane, nId) & TBBS_DISABLED); }
    bool Checked(CComControlPane& pane, UINT nId) { return (ButtonStyle(pane, nId) & TBBS_CHECKED) != 0; }

    void Press(CComControlPane& pane, UINT nId) { pane.SendMessage(WM_COMMAND, nId, 0); }

    CAppSettings settings;
    CNcPaneWrapper<CComControlPane> panes[2];
};

} // namespace

TEST_F(ComControlPaneTest, ALineWordColoursEachIndicatorByItsBit)
{
    CComControlPane& pane = panes[0];
    // The labels stand in the indicator bar, each after a separator.
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(pane.m_wndIndicatorBar.GetSafeHwnd(), ::GetParent(pane.m_labels[i].GetSafeHwnd()));
    EXPECT_EQ(13, pane.m_wndIndicatorBar.CommandToButtonIndex(ID_COM_IND_BRK));

    pane.OnLineAction(CComControlPane::kShowLineWord, 0x88000000);
    const COLORREF expected[] = {0xCCFFFF, 0x00BBBB, 0x00BBBB, 0x4444FF, 0x000099, 0x000099, 0x000099};
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(expected[i], pane.m_labels[i].GetBkColor()) << i;

    pane.OnLineAction(CComControlPane::kShowLineWord, 0x10000000);
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(i < 3 ? 0x00BBBBu : 0x000099u, pane.m_labels[i].GetBkColor()) << i;

    // The label paints its colour, leaving two pixels at the right and bottom.
    pane.OnLineAction(CComControlPane::kShowLineWord, 0x80000000);
    CRect rc;
    pane.m_labels[0].GetWindowRect(&rc);
    winharness::DibSurface surface(rc.Width(), rc.Height(), RGB(1, 2, 3));
    pane.m_labels[0].SendMessage(WM_PAINT);
    HDC hDC = ::GetWindowDC(pane.m_labels[0].GetSafeHwnd());
    ::BitBlt(surface.dc(), 0, 0, rc.Width(), rc.Height(), hDC, 0, 0, SRCCOPY);
    ::ReleaseDC(pane.m_labels[0].GetSafeHwnd(), hDC);
    EXPECT_EQ((COLORREF)0xCCFFFF, surface.Pixel(1, 1));
}

// CTS, DSR, RLSD, FRM, OVR, PRT and BRK side by side inside their bar, each a sunken, centred
// label of 34 by 16 pixels, also after the pane changed its size.
TEST_F(ComControlPaneTest, TheSevenIndicatorsStandInTheirOrderInsideTheirBar)
{
    const char* const names[] = {"CTS", "DSR", "RLSD", "FRM", "OVR", "PRT", "BRK"};
    for (int nPass = 0; nPass < 2; ++nPass) {
        CComControlPane& pane = panes[0];
        CRect rcBar;
        pane.m_wndIndicatorBar.GetWindowRect(&rcBar);
        int xPrevious = rcBar.left;
        for (int i = 0; i < 7; ++i) {
            CColorLabel& label = pane.m_labels[i];
            CRect rc;
            label.GetWindowRect(&rc);
            EXPECT_EQ(34, rc.Width()) << names[i];
            EXPECT_EQ(16, rc.Height()) << names[i];
            EXPECT_LE(xPrevious, rc.left) << names[i];
            EXPECT_LE(rc.right, rcBar.right) << names[i];
            EXPECT_LE(rcBar.top, rc.top) << names[i];
            EXPECT_LE(rc.bottom, rcBar.bottom) << names[i];
            EXPECT_TRUE(label.IsWindowVisible()) << names[i];
            EXPECT_EQ((DWORD)(SS_SUNKEN | SS_CENTER), label.GetStyle() & (SS_SUNKEN | SS_CENTER)) << names[i];
            EXPECT_EQ(names[i], panetest::WindowText(&label));
            xPrevious = rc.right;
        }
        ::SetWindowPos(pane.GetParent()->GetSafeHwnd(), NULL, 0, 0, 520, 300, SWP_NOMOVE | SWP_NOZORDER);
        winharness::PumpPending();
    }
}

TEST_F(ComControlPaneTest, TogglesQueueTheirCommandsAndWakeOnlyTheirPortsConnection)
{
    EventSet(0);
    EventSet(1);
    CComControlPane& pane = panes[0];
    pane.OnLineAction(CComControlPane::kReset, 0);
    Press(pane, ID_COM_RTS);
    EXPECT_TRUE(EventSet(0));
    EXPECT_FALSE(EventSet(1));
    EXPECT_TRUE(Checked(pane, ID_COM_RTS));
    Press(pane, ID_COM_RTS);
    EXPECT_TRUE(EventSet(0));
    EXPECT_FALSE(Checked(pane, ID_COM_RTS));
    EXPECT_EQ(1, pane.OnLineAction(CComControlPane::kNextCommand, 0));
    EXPECT_EQ(2, pane.OnLineAction(CComControlPane::kNextCommand, 0));
    EXPECT_EQ(0, pane.OnLineAction(CComControlPane::kNextCommand, 0));

    Press(pane, ID_COM_DTR);
    Press(pane, ID_COM_BRK);
    Press(pane, ID_COM_DTR);
    EXPECT_EQ(4, pane.OnLineAction(CComControlPane::kNextCommand, 0));
    EXPECT_EQ(0x10, pane.OnLineAction(CComControlPane::kNextCommand, 0));
    EXPECT_EQ(8, pane.OnLineAction(CComControlPane::kNextCommand, 0));

    // The toolbar's button reaches the pane.
    pane.m_wndCommandBar.OnUpdateCmdUI(nullptr, TRUE);
    const CPoint ptRts = pane.m_wndCommandBar.GetButton(0)->GetRect().CenterPoint();
    CPoint ptScreen = ptRts;
    pane.m_wndCommandBar.ClientToScreen(&ptScreen);
    ::SetCursorPos(ptScreen.x, ptScreen.y);
    winharness::Click(pane.m_wndCommandBar.GetSafeHwnd(), ptRts.x, ptRts.y);
    winharness::PumpPending();
    EXPECT_EQ(1, pane.OnLineAction(CComControlPane::kNextCommand, 0));
    EXPECT_TRUE(EventSet(0));

    // Port 2's pane wakes port 2's connection only.
    EventSet(0);
    panes[1].OnLineAction(CComControlPane::kReset, 0);
    Press(panes[1], ID_COM_RTS);
    EXPECT_FALSE(EventSet(0));
    EXPECT_TRUE(EventSet(1));
    EXPECT_EQ(1, panes[1].OnLineAction(CComControlPane::kNextCommand, 0));
}

TEST_F(ComControlPaneTest, BufferedBytesCanBeDroppedOrHandedOverWhileAConnectionRuns)
{
    CComControlPane& pane = panes[0];
    pane.OnLineAction(CComControlPane::kReset, 0);
    EXPECT_FALSE(Enabled(pane, ID_HEX_DATA_CLEAR));
    COleSafeArray bytes = BufferOf({1, 2, 3});
    pane.OnLineAction(CComControlPane::kShowBuffer, (LPARAM)&bytes);
    EXPECT_EQ(3u, pane.m_wndEditor.GetModel().GetDataSize());
    EXPECT_TRUE(Enabled(pane, ID_HEX_DATA_CLEAR));
    EXPECT_TRUE(Enabled(pane, ID_COM_FLUSH));
    EXPECT_TRUE(Enabled(pane, ID_HEX_SELECT_ALL));
    EXPECT_FALSE(Enabled(pane, ID_HEX_COPY));
    Press(pane, ID_HEX_SELECT_ALL);
    EXPECT_TRUE(Enabled(pane, ID_HEX_COPY));

    Press(pane, ID_COM_FLUSH);
    EXPECT_EQ(0u, pane.m_wndEditor.GetModel().GetDataSize());
    EXPECT_EQ(0x80, pane.OnLineAction(CComControlPane::kNextCommand, 0));
    pane.OnLineAction(CComControlPane::kShowBuffer, (LPARAM)&bytes);
    Press(pane, ID_HEX_DATA_CLEAR);
    EXPECT_EQ(0u, pane.m_wndEditor.GetModel().GetDataSize());
    EXPECT_EQ(0x40, pane.OnLineAction(CComControlPane::kNextCommand, 0));
    EXPECT_EQ(0, pane.OnLineAction(99, 0));
}

TEST_F(ComControlPaneTest, BufferedReadsLeaveNoUndoRecordInTheViewer)
{
    CComControlPane& pane = panes[0];
    pane.OnLineAction(CComControlPane::kReset, 0);
    std::vector<BYTE> block(64 * 1024);
    for (int i = 0; i < 48; ++i) {
        block[0] = static_cast<BYTE>(i);
        COleSafeArray bytes = BufferOf(block);
        pane.OnLineAction(CComControlPane::kShowBuffer, (LPARAM)&bytes);
    }
    const HexEditModel& model = pane.m_wndEditor.GetModel();
    EXPECT_EQ(block.size(), model.GetDataSize());
    EXPECT_EQ(0u, model.GetUndoList().GetCount());
    EXPECT_EQ(0u, model.GetRedoList().GetCount());
    Press(pane, ID_HEX_DATA_CLEAR);
    EXPECT_EQ(0u, model.GetUndoList().GetCount());
}

TEST_F(ComControlPaneTest, AnEndedConnectionLeavesThePaneIdleAndEmpty)
{
    CComControlPane& pane = panes[0];
    pane.OnLineAction(CComControlPane::kReset, 0);
    Press(pane, ID_COM_RTS);
    Press(pane, ID_COM_BRK);
    COleSafeArray bytes = BufferOf({1, 2, 3});
    pane.OnLineAction(CComControlPane::kShowBuffer, (LPARAM)&bytes);
    pane.OnLineAction(CComControlPane::kShowLineWord, 0xFF000000);
    EXPECT_TRUE(Checked(pane, ID_COM_RTS));
    EXPECT_TRUE(Enabled(pane, ID_HEX_SAVE_AS));

    pane.OnLineAction(CComControlPane::kEnded, 0);
    for (UINT id : {ID_COM_RTS, ID_COM_DTR, ID_COM_BRK}) {
        EXPECT_FALSE(Enabled(pane, id)) << id;
        EXPECT_FALSE(Checked(pane, id)) << id;
    }
    for (UINT id : {ID_HEX_DATA_CLEAR, ID_COM_FLUSH, ID_HEX_SELECT_ALL, ID_HEX_COPY, ID_HEX_SAVE_AS, ID_HEX_DATA_ANALYSIS})
        EXPECT_FALSE(Enabled(pane, id)) << id;
    EXPECT_TRUE(Enabled(pane, ID_HEX_PROPERTIES));
    EXPECT_EQ(0u, pane.m_wndEditor.GetModel().GetDataSize());
    EXPECT_EQ(0, pane.OnLineAction(CComControlPane::kNextCommand, 0));
    EXPECT_EQ((COLORREF)0x00BBBB, pane.m_labels[0].GetBkColor());
    EXPECT_EQ((COLORREF)0x000099, pane.m_labels[6].GetBkColor());

    // A new connection starts with every line off.
    pane.OnLineAction(CComControlPane::kReset, 0);
    EXPECT_TRUE(Enabled(pane, ID_COM_RTS));
    EXPECT_FALSE(Checked(pane, ID_COM_RTS));
    Press(pane, ID_COM_RTS);
    EXPECT_EQ(1, pane.OnLineAction(CComControlPane::kNextCommand, 0));
}

TEST_F(ComControlPaneTest, EachPaneTakesItsOwnPortsEditorSettings)
{
    settings.m_editor[CAppSettings::EditorCom1].nAddrDigits = 0;
    settings.m_editor[CAppSettings::EditorCom1].nMode = 0;
    settings.m_editor[CAppSettings::EditorCom1].nFont = 0;
    settings.m_editor[CAppSettings::EditorCom2].nAddrDigits = 1;
    settings.m_editor[CAppSettings::EditorCom2].nMode = 2;
    settings.m_editor[CAppSettings::EditorCom2].nFont = 3;
    panes[0].ApplyEditorSettings(settings);
    panes[1].ApplyEditorSettings(settings);
    const HexEditModel& model = panes[1].m_wndEditor.GetModel();
    EXPECT_EQ(8, model.m_nAddressDigits);
    EXPECT_EQ(8, model.m_nGroupDigits);
    EXPECT_EQ(18, model.m_nFontHeight);
    EXPECT_EQ(4, panes[0].m_wndEditor.GetModel().m_nAddressDigits);
    EXPECT_EQ(2, panes[0].m_wndEditor.GetModel().m_nGroupDigits);
    EXPECT_EQ(12, panes[0].m_wndEditor.GetModel().m_nFontHeight);
}

TEST_F(ComControlPaneTest, TheEditorFillsThePaneBelowItsTwoToolbars)
{
    CComControlPane& pane = panes[0];
    CRect rcClient, rcCommands, rcIndicators, rcEditor;
    pane.GetClientRect(&rcClient);
    pane.m_wndCommandBar.GetWindowRect(&rcCommands);
    pane.m_wndIndicatorBar.GetWindowRect(&rcIndicators);
    pane.m_wndEditor.GetWindowRect(&rcEditor);
    pane.ScreenToClient(&rcCommands);
    pane.ScreenToClient(&rcIndicators);
    pane.ScreenToClient(&rcEditor);
    EXPECT_EQ(0, rcCommands.top);
    EXPECT_EQ(rcCommands.bottom, rcIndicators.top);
    EXPECT_EQ(rcIndicators.bottom, rcEditor.top);
    EXPECT_EQ(rcClient.bottom, rcEditor.bottom);
    EXPECT_EQ(rcClient.right, rcEditor.right);
    // The frame's anchor keeps it so.
    pane.SetWindowPos(NULL, 0, 0, 500, 300, SWP_NOMOVE | SWP_NOZORDER);
    pane.GetClientRect(&rcClient);
    pane.m_wndEditor.GetWindowRect(&rcEditor);
    pane.ScreenToClient(&rcEditor);
    EXPECT_EQ(rcClient.BottomRight(), rcEditor.BottomRight());
}
