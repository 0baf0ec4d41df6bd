// CSV and text exports: exact lines, positions with gaps, CSV quoting and failures.
#include "log_test_support.h"

#include "logexport.h"

using namespace logtest;

namespace {

class LogExport : public LogStoreTest
{
protected:
    std::string Csv()
    {
        const std::string path = folder.File("log.csv");
        EXPECT_TRUE(store.ExportLogCsv(path.c_str()));
        return ReadFileText(path);
    }
    std::string TextDump()
    {
        const std::string path = folder.File("log.txt");
        EXPECT_TRUE(store.ExportLogText(path.c_str()));
        return ReadFileText(path);
    }
    const std::string header = MessageText(13064);
};

TEST_F(LogExport, CsvHeaderAndAMessageWithoutPayload)
{
    ASSERT_EQ("No,処理ポート,サブポート,日付,時刻,ミリ秒,タイプ,内容,内容2,バイト数,ダンプ1(16進),ダンプ2(ASCII),IP,PORT,\r\n",
              header);
    store.AppendLogRecord(Message(0, 20001));
    EXPECT_EQ(header + "1,1,,2024/01/03,12:34:56,789,0,シリアル処理開始,\r\n", Csv());
    EXPECT_TRUE(prompts.seen.empty());
}

TEST_F(LogExport, CsvMessageWithPayloadAndDataRecords)
{
    CCommLogRecord message = Message(1, 10041, Text("bad arg"));
    message.m_nSub = 2;
    store.AppendLogRecord(message);
    store.AppendLogRecord(Record(0, CCommLogRecord::KindSend, {1, 2, 3}));
    set.m_nDisplayFlags[5] = 1 | 2;  // Port 2 receive: count only
    store.AppendLogRecord(Record(1, CCommLogRecord::KindReceive, {0x41}));

    const std::string expected = header + "1,2,2,2024/01/03,12:34:56,789,0,ｽｸﾘﾌﾟﾄ 警告,bad arg,\r\n" +
                                 "2,1,,2024/01/03,12:34:56,789,1,Send,,3,0102 03" + std::string(33, ' ') +
                                 ",..." + std::string(13, ' ') + ",\r\n" +
                                 "3,2,,2024/01/03,12:34:56,789,2,Recv,,1,\r\n";
    EXPECT_EQ(expected, Csv());
}

TEST_F(LogExport, CsvNumbersArePositionsInTheWholeLog)
{
    set.m_nDisplayFlags[1] = 0;  // Port 1 send filtered
    set.m_nDisplayFlags[2] = 1;
    store.AppendLogRecord(Record(0, CCommLogRecord::KindSend, {1}));
    store.AppendLogRecord(Record(0, CCommLogRecord::KindReceive, {1}));
    store.AppendLogRecord(Record(0, CCommLogRecord::KindSend, {1}));
    store.AppendLogRecord(Record(0, CCommLogRecord::KindReceive, {1}));
    const std::string line = ",1,,2024/01/03,12:34:56,789,2,Recv,,\r\n";
    EXPECT_EQ(header + "2" + line + "4" + line, Csv());
}

TEST_F(LogExport, AllFilteredGivesTheHeaderAndAnEmptyTextFile)
{
    for (int& flags : set.m_nDisplayFlags)
        flags = 14;
    store.AppendLogRecord(Record(0, CCommLogRecord::KindSend, {1}));
    store.AppendLogRecord(Message(1, 20002));
    EXPECT_EQ(header, Csv());
    EXPECT_EQ("", TextDump());
}

TEST_F(LogExport, CsvFieldsAreQuotedOnlyWhenTheyMustBe)
{
    store.AppendLogRecord(Message(0, 10039, Text("a,b\"c")));
    store.AppendLogRecord(Message(0, 10039, Text("line1\r\nline2")));
    store.AppendLogRecord(Record(0, CCommLogRecord::KindReceive, {'x', ',', 'y'}));
    set.m_nDisplayFlags[2] = 1 | 8;
    const std::string csv = Csv();
    EXPECT_NE(std::string::npos, csv.find(",ｽｸﾘﾌﾟﾄ 情報,\"a,b\"\"c\",\r\n"));
    EXPECT_NE(std::string::npos, csv.find(",\"line1\r\nline2\",\r\n"));
    EXPECT_NE(std::string::npos, csv.find(",Recv,,\"x,y" + std::string(13, ' ') + "\",\r\n"));

    EXPECT_EQ("plain", Str(LogCsvField("plain")));
    EXPECT_EQ("\"\"\"\"", Str(LogCsvField("\"")));
    // A double-byte character whose trail byte looks like no delimiter stays as it is; a
    // lone lead byte does not hide a comma after it.
    EXPECT_EQ("表示", Str(LogCsvField("表示")));
    EXPECT_EQ("\"\x82,\"", Str(LogCsvField("\x82,")));
}

TEST_F(LogExport, TextDumpOfASeventeenByteReceive)
{
    std::vector<BYTE> bytes;
    for (int i = 0; i < 17; ++i)
        bytes.push_back(static_cast<BYTE>(0x30 + i));
    store.AppendLogRecord(Record(0, CCommLogRecord::KindReceive, bytes, Time(2024, 1, 3, 9, 8, 7, 6)));

    const std::string expected = std::string("No.1\r\n") +
                                 "############################## Port.1 ##############################\r\n" +
                                 "2024/01/03 09:08:07.006\r\n" + "受信 17 Byte\r\n" +
                                 "00000000: 3031 3233 3435 3637 3839 3A3B 3C3D 3E3F  [0123456789:;<=>?]\r\n" +
                                 "00000010: 40" + std::string(1 + 15 * 2 + 7, ' ') + " [@" + std::string(15, ' ') +
                                 "]\r\n" + "\r\n";
    EXPECT_EQ(expected, TextDump());
}

TEST_F(LogExport, TextDumpOfPort2MessagesAndSends)
{
    CCommLogRecord message = Message(1, 20003, Text("COM9"));
    store.AppendLogRecord(message);
    CCommLogRecord send = Record(1, CCommLogRecord::KindSend, {});
    send.m_nSub = 0;
    store.AppendLogRecord(send);

    const std::string banner = "============================== Port.2 Sub.0 ==============================\r\n";
    const std::string expected = "No.1\r\n" + banner + "2024/01/03 12:34:56.789\r\n" + "ﾒｯｾｰｼﾞ\r\nCOMポートオープンエラー\r\nCOM9\r\n" +
                                 "\r\n" + "No.2\r\n" + banner + "2024/01/03 12:34:56.789\r\n" + "送信 0 Byte\r\n" + "\r\n";
    EXPECT_EQ(expected, TextDump());
}

TEST_F(LogExport, UncreatableFileOrEmptyLogShows13006)
{
    EXPECT_FALSE(store.ExportLogCsv(folder.File("log.csv").c_str()));
    EXPECT_FALSE(store.ExportLogText(folder.File("log.txt").c_str()));
    EXPECT_FALSE(FileExists(folder.File("log.csv")));

    store.AppendLogRecord(Record(0, CCommLogRecord::KindSend, {1}));
    EXPECT_FALSE(store.ExportLogCsv(folder.File("none\\log.csv").c_str()));
    EXPECT_FALSE(store.ExportLogText(folder.File("none\\log.txt").c_str()));

    ASSERT_EQ(4u, prompts.seen.size());
    for (const PromptSeen& seen : prompts.seen) {
        EXPECT_EQ(MessageText(13006), seen.text);
        EXPECT_EQ(UINT(MB_ICONSTOP), seen.type & MB_ICONMASK);
    }
}

}  // namespace
