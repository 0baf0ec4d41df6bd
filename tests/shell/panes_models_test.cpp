// The panes' window-free parts: the COM control pane's indicator colours, the connection-status
// rows, the detail text of a message entry and the editors' display settings.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "appsettings.h"
#include "channelbuffer.h"
#include "commlogrecord.h"
#include "connstatusmodel.h"
#include "conversions.h"
#include "detaillogmodel.h"
#include "editorsettingsmodel.h"
#include "lineindicatormodel.h"
#include "messagetext.h"
#include "resource.h"
#include "shell_test_support.h"

namespace {

std::vector<COLORREF> Colours(DWORD word)
{
    std::vector<COLORREF> colours;
    for (const LineIndicator& indicator : kLineIndicators)
        colours.push_back(LineIndicatorColor(indicator, word));
    return colours;
}

std::vector<std::string> Texts(const ConnStatusRow& row)
{
    return std::vector<std::string>(row.texts, row.texts + kConnStatusColumnCount);
}

CCommLogRecord Message(int code, int error, const std::string& payload)
{
    CCommLogRecord record(0, 0);
    record.m_nKind = CCommLogRecord::KindMessage;
    record.m_nMsgCode = code;
    record.m_nSysError = error;
    if (!payload.empty())
        record.SetPayload(payload.data(), static_cast<int>(payload.size()));
    return record;
}

} // namespace

TEST(LineIndicators, EachShowsItsOwnBitInItsColours)
{
    std::vector<std::string> names;
    for (const LineIndicator& indicator : kLineIndicators)
        names.push_back(indicator.pszText);
    EXPECT_EQ(std::vector<std::string>({"CTS", "DSR", "RLSD", "FRM", "OVR", "PRT", "BRK"}), names);
    EXPECT_EQ(ID_COM_IND_CTS, kLineIndicators[0].nId);
    EXPECT_EQ(ID_COM_IND_FRM, kLineIndicators[3].nId);

    // CTS and the framing error on; the other lines olive, the other errors dark red.
    EXPECT_EQ(std::vector<COLORREF>({0xCCFFFF, 0x00BBBB, 0x00BBBB, 0x4444FF, 0x000099, 0x000099, 0x000099}),
              Colours(0x88000000));
    const std::vector<COLORREF> allOff = {0x00BBBB, 0x00BBBB, 0x00BBBB, 0x000099, 0x000099, 0x000099, 0x000099};
    EXPECT_EQ(allOff, Colours(0));
    // The ring bit has no indicator.
    EXPECT_EQ(allOff, Colours(0x10000000));
    EXPECT_EQ(std::vector<COLORREF>({0xCCFFFF, 0xCCFFFF, 0xCCFFFF, 0x4444FF, 0x4444FF, 0x4444FF, 0x4444FF}),
              Colours(0xFF000000));
}

TEST(ConnStatusRows, ColumnsOfSerialAndOtherConnections)
{
    CChannelBuffer serial(3, 0, 2);
    serial.m_nPort = 0;
    serial.m_nSub = 0;
    serial.m_timeCreated = SYSTEMTIME{2026, 12, 1, 7, 12, 3, 4, 5};
    EXPECT_EQ(std::vector<std::string>({"12:03:04.005", "1:(-)", "", "COM3", "COMポート"}), Texts(MakeConnStatusRow(serial)));

    CChannelBuffer peer(1, 0, 0);
    peer.m_nPort = 1;
    peer.m_nSub = 2;
    peer.m_timeCreated = SYSTEMTIME{2026, 12, 1, 7, 23, 59, 58, 999};
    EXPECT_EQ(std::vector<std::string>({"23:59:58.999", "2:(2)", "", "", "接続相手情報"}), Texts(MakeConnStatusRow(peer)));

    CChannelBuffer unknown(7, 0, 0);
    EXPECT_EQ("", std::string(MakeConnStatusRow(unknown).texts[4]));

    const std::vector<ConnStatusRow> rows = MakeConnStatusRows({&peer, &serial});
    ASSERT_EQ(2u, rows.size());
    EXPECT_EQ("2:(2)", std::string(rows[0].texts[1]));
    EXPECT_EQ("1:(-)", std::string(rows[1].texts[1]));
    EXPECT_TRUE(MakeConnStatusRows({}).empty());
    EXPECT_STREQ("Comment", kConnStatusColumns[4].pszHeader);
    EXPECT_EQ(150, kConnStatusColumns[4].nWidth);
}

TEST(MessageDetailText, PayloadAndTheExplanationOfItsError)
{
    const std::string message(GetMessageText(13021));
    ASSERT_NE("", message);

    // A socket error: its symbol and number, the English and the Japanese explanation.
    const std::string socket(BuildMessageDetailText(Message(13021, 10060, std::string("abc\0zz", 6))));
    const std::string expected = message + "\r\nabc\r\n\r\nWSAETIMEDOUT (10060)\r\n" +
                                 std::string(LfToCrLf(WinsockErrorText(WSA_TEXT_DESCRIPTION, 10060))) + "\r\n" +
                                 std::string(LfToCrLf(WinsockErrorText(WSA_TEXT_EXPLANATION, 10060)));
    EXPECT_EQ(expected, socket);
    // The explanations' LF line ends become CR LF for the edit control.
    for (size_t i = socket.find('\n'); i != std::string::npos; i = socket.find('\n', i + 1))
        EXPECT_EQ('\r', socket[i - 1]) << i;

    // A system error from 20001 on: the result code and the system's own text.
    const std::string system(BuildMessageDetailText(Message(20003, 2, "")));
    const std::string head = std::string(GetMessageText(20003)) + "\r\n\r\nRESULT CODE = (2)\r\n";
    ASSERT_EQ(0u, system.find(head)) << system;
    char systemText[512] = "";
    ::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, NULL, 2, 0, systemText, sizeof(systemText), NULL);
    EXPECT_NE("", std::string(systemText));
    EXPECT_EQ(head + systemText, system);

    // No error: no blank line; the payload alone on its line.
    EXPECT_EQ(message, std::string(BuildMessageDetailText(Message(13021, 0, ""))));
    EXPECT_EQ(message + "\r\nonly", std::string(BuildMessageDetailText(Message(13021, 0, "only"))));
}

TEST(EditorDisplaySettings, IndexesBecomeDigitsAndPointsFromTheProfile)
{
    UseTestProfile();
    theApp.WriteProfileInt("CMN", "C2ADDR", 1);
    theApp.WriteProfileInt("CMN", "C2MODE", 2);
    theApp.WriteProfileInt("CMN", "C2FONT", 3);
    theApp.WriteProfileInt("CMN", "C2TCODE", 1);
    CAppSettings settings;
    LoadAppSettings(settings);
    UseTestProfile();

    HexEditModel model;
    ApplyEditorDisplaySettings(model, settings.m_editor[CAppSettings::EditorCom2]);
    EXPECT_EQ(8, model.m_nAddressDigits);
    EXPECT_EQ(8, model.m_nGroupDigits);
    EXPECT_EQ(18, model.m_nFontHeight);
    EXPECT_EQ(1, model.m_nCharCode);

    CEditorDisplaySettings other = settings.m_editor[CAppSettings::EditorCom2];
    other.nAddrDigits = 0;
    other.nMode = 1;
    other.nFont = 7;
    other.nTextCode = 4;
    other.clrBack = RGB(1, 2, 3);
    other.nAscii = 0;
    other.nHead = 0;
    // The settings page's sample keeps its own decoding.
    ApplyEditorDisplaySettings(model, other, CharCodeUse::Keep);
    EXPECT_EQ(4, model.m_nAddressDigits);
    EXPECT_EQ(4, model.m_nGroupDigits);
    EXPECT_EQ(12, model.m_nFontHeight);
    EXPECT_EQ(1, model.m_nCharCode);
    EXPECT_EQ(RGB(1, 2, 3), model.m_crBack);
    EXPECT_FALSE(model.m_bShowChars);
    EXPECT_FALSE(model.m_bShowHeader);
    EXPECT_EQ(2, GroupDigitsFromIndex(0));
    EXPECT_EQ(2, GroupDigitsFromIndex(-1));
}
