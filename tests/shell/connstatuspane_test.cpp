// The connection-status pane hosted from its template: its columns, one row per registered
// buffer in the list's order, and the list that follows the pane's size.
#include "pane_test_support.h"

#include "channelbuffer.h"
#include "connstatuspane.h"
#include "ncpanewrapper.h"
#include "resource.h"

#include <memory>

using namespace panetest;

namespace {

class ConnStatusPaneTest : public PaneHostFixture {
protected:
    ConnStatusPaneTest() { EXPECT_TRUE(HostPane(pane, IDD_CONN_STATUS_PANE, 32776, 0)); }

    std::vector<std::string> Row(int nItem)
    {
        std::vector<std::string> texts;
        for (int col = 0; col < 5; ++col)
            texts.push_back((LPCSTR)pane.m_wndList.GetItemText(nItem, col));
        return texts;
    }

    CNcPaneWrapper<CConnStatusPane> pane;
};

std::unique_ptr<CChannelBuffer> Buffer(int nPort, int nSub, int nKind, int nComIndex)
{
    std::unique_ptr<CChannelBuffer> buffer(new CChannelBuffer(nKind, 0, nComIndex));
    buffer->m_nPort = nPort;
    buffer->m_nSub = nSub;
    return buffer;
}

} // namespace

TEST_F(ConnStatusPaneTest, OneRowPerBufferInListOrderAndHeadersOnlyWithoutBuffers)
{
    const HWND hHeader = (HWND)pane.m_wndList.SendMessage(LVM_GETHEADER);
    ASSERT_EQ(5, Header_GetItemCount(hHeader));
    auto serial = Buffer(0, 0, 3, 2);
    serial->m_timeCreated.wHour = 12;
    serial->m_timeCreated.wMinute = 3;
    serial->m_timeCreated.wSecond = 4;
    serial->m_timeCreated.wMilliseconds = 5;
    auto peer = Buffer(1, 2, 1, 0);
    pane.ShowConnections({serial.get(), peer.get()});
    ASSERT_EQ(2, pane.m_wndList.GetItemCount());
    EXPECT_EQ((std::vector<std::string>{"12:03:04.005", "1:(-)", "", "COM3", "COMポート"}), Row(0));
    EXPECT_EQ("2:(2)", Row(1)[1]);
    EXPECT_EQ("接続相手情報", Row(1)[4]);

    pane.ShowConnections({peer.get(), serial.get()});
    ASSERT_EQ(2, pane.m_wndList.GetItemCount());
    EXPECT_EQ("2:(2)", Row(0)[1]);
    EXPECT_EQ("1:(-)", Row(1)[1]);

    pane.ShowConnections({});
    EXPECT_EQ(0, pane.m_wndList.GetItemCount());
    EXPECT_EQ(5, Header_GetItemCount(hHeader));
}

TEST_F(ConnStatusPaneTest, TheListFillsThePaneWhateverItsSize)
{
    pane.SetWindowPos(NULL, 0, 0, 333, 121, SWP_NOMOVE | SWP_NOZORDER);
    CRect rcClient, rcList;
    pane.GetClientRect(&rcClient);
    pane.m_wndList.GetWindowRect(&rcList);
    pane.ScreenToClient(&rcList);
    EXPECT_EQ(rcClient, rcList);
    EXPECT_EQ(331, rcList.Width());
}
