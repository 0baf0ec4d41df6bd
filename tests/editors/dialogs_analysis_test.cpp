// The data analysis report, and the dialog showing it while the editor marks the bytes.
#include <gtest/gtest.h>

#include "../../res/resource.h"
#include "dataanalysisdlg.h"
#include "dialogs_test_support.h"
#include "hexeditsend.h"
#include "winharness.h"

using namespace winharness;

namespace {

std::string Report(int caret, const ByteVector& bytes)
{
    return static_cast<LPCSTR>(BuildDataAnalysisText(caret, bytes.data(), static_cast<UINT>(bytes.size())));
}

bool Contains(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

} // namespace

TEST(DataAnalysis, ReadsFourBytesBothWaysAndStopsBeforeTheEightByteGroup)
{
    const std::string text = Report(0, {0x01, 0x02, 0x03, 0x04});
    EXPECT_EQ(0u, text.find("Cursor Position(Dec):0\r\nCursor Position(Hex):00000000\r\n\r\n1Byte [0x01]\r\n"));
    EXPECT_TRUE(Contains(text, "\r\nL:long              :67305985\r\n"));
    EXPECT_TRUE(Contains(text, "\r\nB:long              :16909060\r\n"));
    EXPECT_TRUE(Contains(text, "2Byte [0x0102]\r\nL:short             :513\r\nL:unsigned short    :513\r\n"
                               "B:short             :258\r\n"));
    EXPECT_TRUE(Contains(text, "4Byte [0x01020304]\r\n"));
    EXPECT_FALSE(Contains(text, "8Byte"));
    // Every group ends with an empty line.
    EXPECT_EQ(text.size() - 4, text.rfind("\r\n\r\n"));
}

TEST(DataAnalysis, SignedAndUnsignedReadingsOfOneByte)
{
    const std::string text = Report(0, {0xFF});
    EXPECT_TRUE(Contains(text, "char                :-1\r\n"));
    EXPECT_TRUE(Contains(text, "unsigned char       :255\r\n"));
    EXPECT_FALSE(Contains(text, "2Byte"));
}

TEST(DataAnalysis, TheGroupsFollowTheBytesLeftFromTheCaret)
{
    const ByteVector data = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
    EXPECT_FALSE(Contains(Report(7, data), "4Byte"));
    EXPECT_TRUE(Contains(Report(7, data), "2Byte [0x0708]"));
    EXPECT_TRUE(Contains(Report(9, data), "1Byte [0x09]"));
    EXPECT_FALSE(Contains(Report(9, data), "2Byte"));
    EXPECT_EQ("Cursor Position(Dec):10\r\nCursor Position(Hex):0000000A\r\n\r\n", Report(10, data));
    EXPECT_EQ("Cursor Position(Dec):40\r\nCursor Position(Hex):00000028\r\n\r\n", Report(40, data));
}

TEST(DataAnalysis, FloatsAndDoublesAreTheValuesOfTheBitPatterns)
{
    // 1.5f little-endian is 00 00 C0 3F; 2.0 big-endian is 40 00 00 00 00 00 00 00.
    const std::string f = Report(0, {0x00, 0x00, 0xC0, 0x3F});
    EXPECT_TRUE(Contains(f, "L:float             :1.500000\r\n"));
    const std::string d = Report(0, {0x40, 0, 0, 0, 0, 0, 0, 0});
    EXPECT_TRUE(Contains(d, "8Byte [0x4000000000000000]\r\n"));
    EXPECT_TRUE(Contains(d, "B:double            :2.000000\r\n"));
    EXPECT_TRUE(Contains(d, "L:double            :0.000000\r\n"));
}

TEST(DataAnalysis, TheEditorCommandMarksEightBytesWhileTheDialogRuns)
{
    HiddenParent parent;
    CHexEditSend editor;
    ASSERT_TRUE(editor.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 600, 300), parent.wnd(), 100));
    editor.SetData(ByteArray({0x10, 0x20, 0x30, 0x40, 0x50}));
    editor.SendMessage(WM_KEYDOWN, VK_RIGHT, 0);
    ASSERT_EQ(1, editor.GetModel().GetCaret());

    DialogDriver driver;
    std::string shown;
    HexMarker markDuringRun;
    driver.Step(1, [&](HWND hDlg) {
        shown = DialogDriver::Text(hDlg, IDC_ANALYSIS_TEXT);
        markDuringRun = editor.GetModel().m_analysis;
        DialogDriver::Post(hDlg, IDOK);
    });
    editor.SendMessage(WM_COMMAND, ID_HEX_DATA_ANALYSIS);

    EXPECT_FALSE(driver.timedOut);
    ASSERT_EQ(1u, driver.captions.size());
    EXPECT_EQ("データ解析", driver.captions[0]);
    EXPECT_EQ(Report(1, {0x10, 0x20, 0x30, 0x40, 0x50}), shown);
    EXPECT_EQ(1, markDuringRun.nStart);
    EXPECT_EQ(8, markDuringRun.nLength);
    EXPECT_EQ(-1, editor.GetModel().m_analysis.nStart);
    EXPECT_EQ(-1, editor.GetModel().m_analysis.nLength);
}
