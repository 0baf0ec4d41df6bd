// The COM tool's formatters: every line of the DCB in its place and width, and the flag lists
// of the COMMPROP marked from the right field.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "commreport.h"

namespace {

std::vector<std::string> Lines(const CString& text)
{
    std::vector<std::string> lines;
    std::string all(text);
    size_t start = 0;
    for (size_t end; (end = all.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(all.substr(start, end - start));
    lines.push_back(all.substr(start));
    return lines;
}

// The lines of one flag list, from its header to the empty line that ends it.
std::vector<std::string> ListOf(const CString& text, const std::string& header)
{
    const std::vector<std::string> lines = Lines(text);
    std::vector<std::string> list;
    bool in = false;
    for (const std::string& line : lines) {
        if (line == header) {
            in = true;
            continue;
        }
        if (in && line.empty())
            break;
        if (in)
            list.push_back(line);
    }
    return list;
}

int Marked(const std::vector<std::string>& list)
{
    int count = 0;
    for (const std::string& line : list)
        count += line.rfind("[○]", 0) == 0;
    return count;
}

} // namespace

TEST(DcbReport, EveryFieldInItsPlaceAndWidth)
{
    DCB dcb = {};
    dcb.DCBlength = sizeof(DCB);
    dcb.BaudRate = 9600;
    dcb.fDtrControl = 2;
    dcb.fRtsControl = 3;
    dcb.fAbortOnError = 1;
    dcb.fDummy2 = 0x1ABCD;
    dcb.XonLim = 0x800;
    dcb.ByteSize = 8;
    dcb.XonChar = static_cast<char>(0x91);
    dcb.EvtChar = static_cast<char>(0xFF);

    const CString text = FormatDcbReport(dcb);
    EXPECT_NE(-1, text.Find("[00002580]:BaudRate                <現在のボーレート>\r\n"));
    EXPECT_NE(-1, text.Find("[00000002]:fDtrControl             <DTRフロー制御タイプ>\r\n"));
    EXPECT_NE(-1, text.Find("[91]      :XonChar                 <XonChar>\r\n"));
    EXPECT_NE(-1, text.Find("[FF]      :EvtChar                 <EvtChar>\r\n"));
    EXPECT_NE(-1, text.Find("[00000003]:fRtsControl             <RTSフロー制御>\r\n"));
    EXPECT_NE(-1, text.Find("[00000001]:fAbortOnError           <Read/WriteエラーAbort>\r\n"));
    // The 17 upper bits of the flag word, shifted down.
    EXPECT_NE(-1, text.Find("[0001ABCD]:fDummy2                 <予約>\r\n"));
    EXPECT_NE(-1, text.Find("[0800]    :XonLim                  <送信XONスレッショルド>\r\n"));
    EXPECT_NE(-1, text.Find("[08]      :ByteSize                <１ByteのBit数,4-8>\r\n"));

    const std::vector<std::string> lines = Lines(text);
    // 29 lines with their own ends, the closing empty line, and nothing after it.
    ASSERT_EQ(31u, lines.size());
    const char* const names[] = {"DCBlength", "BaudRate", "fBinary", "fParity", "fOutxCtsFlow", "fOutxDsrFlow",
                                 "fDtrControl", "fDsrSensitivity", "fTXContinueOnXoff", "fOutX", "fInX",
                                 "fErrorChar", "fNull", "fRtsControl", "fAbortOnError", "fDummy2", "wReserved",
                                 "XonLim", "XoffLim", "ByteSize", "Parity", "StopBits", "XonChar", "XoffChar",
                                 "ErrorChar", "EofChar", "EvtChar", "wReserved1"};
    EXPECT_EQ("--- DCB ---", lines[0]);
    for (size_t i = 0; i < 28; ++i)
        EXPECT_EQ(std::string(names[i]) + " ", lines[i + 1].substr(11, std::string(names[i]).size() + 1)) << i;
    EXPECT_EQ("", lines[29]);
    EXPECT_EQ("", lines[30]);
}

TEST(CommPropReport, FlagListsAreMarkedFromTheirOwnField)
{
    COMMPROP prop = {};
    prop.wPacketLength = 0x40;
    prop.dwMaxBaud = BAUD_USER;
    prop.dwSettableBaud = BAUD_9600 | BAUD_115200;
    prop.wSettableData = DATABITS_8;
    prop.dwProvSubType = PST_RS232;
    prop.wSettableStopParity = STOPBITS_10 | PARITY_NONE;
    prop.wcProvChar[0] = L'A';

    const CString text = FormatCommPropReport(prop);
    const std::vector<std::string> maxBaud = ListOf(text, "--- ボーレート最大値 ---");
    ASSERT_EQ(20u, maxBaud.size());
    EXPECT_EQ("[○]BAUD_USER", maxBaud[19]);
    EXPECT_EQ(1, Marked(maxBaud));
    EXPECT_EQ("[－]BAUD_075", maxBaud[0]);

    const std::vector<std::string> settable = ListOf(text, "--- 許可されたボーレート ---");
    ASSERT_EQ(20u, settable.size());
    EXPECT_EQ(2, Marked(settable));
    EXPECT_EQ("[○]BAUD_9600", settable[11]);
    EXPECT_EQ("[○]BAUD_115200", settable[17]);

    const std::vector<std::string> data = ListOf(text, "--- 許可されたバイトサイズ ---");
    ASSERT_EQ(6u, data.size());
    EXPECT_EQ(1, Marked(data));
    EXPECT_EQ("[○]DATABITS_8", data[3]);

    // The sub-type is one value: RS-232 marks only itself, not RS-422's bits as well.
    std::vector<std::string> subTypes = ListOf(text, "--- 特定プロバイダタイプ ---");
    ASSERT_EQ(13u, subTypes.size());
    EXPECT_EQ(1, Marked(subTypes));
    EXPECT_EQ("[○]PST_RS232", subTypes[5]);
    prop.dwProvSubType = PST_UNSPECIFIED;
    subTypes = ListOf(FormatCommPropReport(prop), "--- 特定プロバイダタイプ ---");
    EXPECT_EQ(1, Marked(subTypes));
    EXPECT_EQ("[○]PST_UNSPECIFIED", subTypes[11]);

    const std::vector<std::string> stopParity = ListOf(text, "--- ストップビット／パリティ許可 ---");
    ASSERT_EQ(8u, stopParity.size());
    EXPECT_EQ("[○]STOPBITS_10", stopParity[0]);
    EXPECT_EQ("[○]PARITY_NONE", stopParity[3]);
    EXPECT_EQ(2, Marked(stopParity));

    // Line 19 shows the first provider character, line 20 it as text, then two line ends.
    EXPECT_NE(-1, text.Find("[00000041]:wcProvChar          <プロバイダー特定データ>\r\n"
                            "          :[A] <プロバイダー特定データの内容>\r\n\r\n--- ボーレート最大値 ---\r\n"));
    EXPECT_EQ(0, text.Find("--- COMMPROP ---\r\n[0040]    :wPacketLength       <構造体サイズ>\r\n"));
}

TEST(CommPropReport, ProviderTextStaysInsideTheStructure)
{
    // A structure at the very end of a committed page, the page after it inaccessible: the
    // provider text must not read past wcProvChar.
    SYSTEM_INFO si;
    ::GetSystemInfo(&si);
    BYTE* pages = static_cast<BYTE*>(::VirtualAlloc(NULL, si.dwPageSize * 2, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
    ASSERT_NE(nullptr, pages);
    DWORD old = 0;
    ASSERT_TRUE(::VirtualProtect(pages + si.dwPageSize, si.dwPageSize, PAGE_NOACCESS, &old));
    COMMPROP* prop = reinterpret_cast<COMMPROP*>(pages + si.dwPageSize - sizeof(COMMPROP));
    std::memset(prop, 0, sizeof(COMMPROP));
    prop->wcProvChar[0] = L'Z';
    const CString text = FormatCommPropReport(*prop);
    EXPECT_NE(-1, text.Find("          :[Z] <プロバイダー特定データの内容>\r\n"));
    prop->wcProvChar[0] = 0;
    EXPECT_NE(-1, FormatCommPropReport(*prop).Find("[00000000]:wcProvChar          <プロバイダー特定データ>\r\n"
                                                    "          :[] <プロバイダー特定データの内容>"));
    ::VirtualFree(pages, 0, MEM_RELEASE);
}
