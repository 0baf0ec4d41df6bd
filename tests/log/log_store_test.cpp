// The window-free log: numbering, the MAXLOG limit, display filters, refreshing, and the four
// texts of a list row.
#include "log_test_support.h"

using namespace logtest;

namespace {

class LogStoreNumbering : public LogStoreTest
{
};

TEST_F(LogStoreNumbering, FullLogDropsTheOldestRecordAndItsRow)
{
    settings.m_nMaxLog = 10;
    for (int i = 0; i < 10; ++i)
        store.AppendLogRecord(Record(0, CCommLogRecord::KindReceive, {BYTE(i)}));
    store.SetShownSeq(0);  // the detail pane shows record 0

    store.AppendLogRecord(Record(0, CCommLogRecord::KindReceive, {10}));

    EXPECT_EQ((std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}), StoredSeqs());
    EXPECT_EQ(10, store.GetRecordCount());
    ASSERT_EQ(10u, mirror.rows.size());
    EXPECT_EQ(10, store.GetRowCount());
    EXPECT_EQ("0002", Str(mirror.rows[0].strNo));
    EXPECT_EQ("0011", Str(mirror.rows[9].strNo));
    EXPECT_EQ(1, mirror.firstDeleted);
    EXPECT_EQ(1, mirror.shownDropped);
    EXPECT_EQ(-1, store.GetShownSeq());
    // Rows still find their records after the front went.
    ASSERT_NE(nullptr, store.FindRowRecord(0));
    EXPECT_EQ(1, store.FindRowRecord(0)->m_nSeq);
    EXPECT_EQ(10, store.FindRowRecord(9)->m_nSeq);
    EXPECT_EQ(nullptr, store.FindRowRecord(10));
}

TEST_F(LogStoreNumbering, DroppingARecordThatIsNotShownLeavesThePaneAlone)
{
    settings.m_nMaxLog = 10;
    for (int i = 0; i < 10; ++i)
        store.AppendLogRecord(Record(0, CCommLogRecord::KindSend, {1}));
    store.SetShownSeq(5);
    store.AppendLogRecord(Record(0, CCommLogRecord::KindSend, {1}));
    EXPECT_EQ(0, mirror.shownDropped);
    EXPECT_EQ(5, store.GetShownSeq());
}

TEST_F(LogStoreNumbering, SequenceStartsAgainAtZeroAfter9999Records)
{
    settings.m_nMaxLog = 10;
    store.ClearLogView();
    for (int i = 0; i < 9999; ++i)
        store.AppendLogRecord(Record(1, CCommLogRecord::KindSend, {1}));
    EXPECT_EQ(9998, store.Records().back().m_nSeq);
    EXPECT_EQ("9999", Str(mirror.rows.back().strNo));

    store.AppendLogRecord(Record(1, CCommLogRecord::KindSend, {2}));  // the 10000th

    EXPECT_EQ(0, store.Records().back().m_nSeq);
    EXPECT_EQ("0001", Str(mirror.rows.back().strNo));
    // The row of the wrapped number still finds its own record.
    const CCommLogRecord* pLast = store.FindRowRecord(store.GetRowCount() - 1);
    ASSERT_NE(nullptr, pLast);
    EXPECT_EQ(std::vector<BYTE>{2}, BytesOf(pLast->m_data));
}

TEST_F(LogStoreNumbering, ClearRemovesEverythingAndRestartsAtZero)
{
    for (int i = 0; i < 3; ++i)
        store.AppendLogRecord(Record(0, CCommLogRecord::KindSend, {1}));
    store.SetShownSeq(1);
    store.ClearLogView();
    EXPECT_EQ(0, store.GetRecordCount());
    EXPECT_EQ(0, store.GetRowCount());
    EXPECT_EQ(1, mirror.allDeleted);
    EXPECT_EQ(-1, store.GetShownSeq());
    store.AppendLogRecord(Record(0, CCommLogRecord::KindSend, {1}));
    EXPECT_EQ(0, store.Records().front().m_nSeq);
}

TEST_F(LogStoreNumbering, MaxLogOutsideItsRangeNeverEmptiesTheLog)
{
    settings.m_nMaxLog = 0;
    store.AppendLogRecord(Record(0, CCommLogRecord::KindSend, {1}));
    store.AppendLogRecord(Record(0, CCommLogRecord::KindSend, {2}));
    ASSERT_EQ(1, store.GetRecordCount());
    EXPECT_EQ(std::vector<BYTE>{2}, BytesOf(store.GetRecord(0).m_data));
}

class LogStoreFilter : public LogStoreTest
{
};

TEST_F(LogStoreFilter, FilteredRecordIsStoredAndCountedButNotListed)
{
    settings.m_nMaxLog = 10;
    set.m_nDisplayFlags[1 * 3 + CCommLogRecord::KindReceive] = 14;  // Port 2 receive: bit 0 clear

    store.AppendLogRecord(Record(1, CCommLogRecord::KindReceive, {1}));  // seq 0, not listed
    for (int i = 0; i < 9; ++i)
        store.AppendLogRecord(Record(0, CCommLogRecord::KindReceive, {2}));

    EXPECT_EQ(10, store.GetRecordCount());
    EXPECT_EQ(9, store.GetRowCount());
    EXPECT_EQ(9u, mirror.rows.size());

    // Trimming the filtered record deletes no row.
    store.AppendLogRecord(Record(0, CCommLogRecord::KindReceive, {3}));
    EXPECT_EQ(0, mirror.firstDeleted);
    EXPECT_EQ(10u, mirror.rows.size());
    EXPECT_EQ(1, store.Records().front().m_nSeq);
    EXPECT_EQ("0002", Str(mirror.rows[0].strNo));
}

TEST_F(LogStoreFilter, RefreshKeepsNumbersAndAppliesTheNewDisplay)
{
    settings.m_nMaxLog = 10;
    for (int i = 0; i < 14; ++i)
        store.AppendLogRecord(Record(i % 2, CCommLogRecord::KindSend, {BYTE(i)}));
    const std::vector<int> before = StoredSeqs();
    ASSERT_EQ(4, before.front());

    set.m_clrBack[0] = RGB(1, 2, 3);
    set.m_nDisplayFlags[0 * 3 + CCommLogRecord::KindSend] = 0;  // Port 1 send no longer listed
    set.m_nDateFormat = 0;
    store.SetShownSeq(7);
    store.RefreshList();

    EXPECT_EQ(before, StoredSeqs());
    EXPECT_EQ(1, mirror.allDeleted);
    EXPECT_EQ(-1, store.GetShownSeq());
    ASSERT_EQ(5u, mirror.rows.size());  // the Port 2 sends: 5, 7, 9, 11, 13
    EXPECT_EQ("0006", Str(mirror.rows[0].strNo));
    EXPECT_EQ("2024/01/03 12:34:56.789", Str(mirror.rows[0].strTime));
    EXPECT_EQ(14, store.GetNextSeq());
}

TEST_F(LogStoreFilter, AutoScrollIsPassedWithEachNewRow)
{
    settings.m_nAutoScroll = 1;
    store.AppendLogRecord(Record(0, CCommLogRecord::KindSend, {1}));
    settings.m_nAutoScroll = 0;
    store.AppendLogRecord(Record(0, CCommLogRecord::KindSend, {1}));
    EXPECT_EQ((std::vector<bool>{true, false}), mirror.autoScrolled);
}

// ---- Row texts.

CLogRowTexts RowOf(const CCommLogRecord& record, const CCommSetRecord& set)
{
    CLogRowTexts texts;
    BuildLogRowTexts(record, set, texts);
    return texts;
}

class LogRowTexts : public ::testing::Test
{
protected:
    LogRowTexts() { SetCommSetDefaults(set, 0); }
    CCommSetRecord set;
};

TEST_F(LogRowTexts, MessageWithTextPayload)
{
    EXPECT_EQ("シリアル処理開始 (abc)", Str(RowOf(Message(0, 20001, Text("abc")), set).strContents));
    EXPECT_EQ("シリアル処理開始", Str(RowOf(Message(0, 20001), set).strContents));
}

TEST_F(LogRowTexts, PayloadTextStopsAtTheEndWithoutAZeroByte)
{
    // A payload from a damaged or foreign file may carry no terminating zero.
    EXPECT_EQ("シリアル処理開始 (abc)", Str(RowOf(Message(0, 20001, Text("abc", false)), set).strContents));
    EXPECT_EQ("シリアル処理開始 (ab)", Str(RowOf(Message(0, 20001, {'a', 'b', 0, 'c'}), set).strContents));
}

TEST_F(LogRowTexts, SendWithAllDigests)
{
    CCommLogRecord record = Record(0, CCommLogRecord::KindSend, {1, 2, 3});
    set.m_nDisplayFlags[1] = 15;
    const std::string expected = "Send:0003:0102 03" + std::string(33, ' ') + ":[..." + std::string(13, ' ') + "]";
    EXPECT_EQ(expected, Str(RowOf(record, set).strContents));

    set.m_nDisplayFlags[1] = 1 | 8;
    EXPECT_EQ("Send:[..." + std::string(13, ' ') + "]", Str(RowOf(record, set).strContents));
}

TEST_F(LogRowTexts, ReceiveWithSixteenBytesAndAPeer)
{
    std::vector<BYTE> bytes;
    for (int i = 0; i < 20; ++i)
        bytes.push_back(static_cast<BYTE>(0x41 + i));
    CCommLogRecord record = Record(1, CCommLogRecord::KindReceive, bytes);
    record.m_dwPeerAddr = 0x0100007F;
    record.m_nPeerPort = 80;
    set.m_nDisplayFlags[5] = 15;
    EXPECT_EQ("Recv:0020:4142 4344 4546 4748 494A 4B4C 4D4E 4F50 :[ABCDEFGHIJKLMNOP] IP:127.0.0.1 Port:80",
              Str(RowOf(record, set).strContents));
}

TEST_F(LogRowTexts, NumberIdAndTime)
{
    CCommLogRecord record = Record(0, CCommLogRecord::KindSend, {1});
    record.m_nSeq = 41;
    CLogRowTexts texts = RowOf(record, set);
    EXPECT_EQ("0042", Str(texts.strNo));
    EXPECT_EQ("1:(-)", Str(texts.strId));
    EXPECT_EQ("12:34:56.789", Str(texts.strTime));

    record.m_nPort = 1;
    record.m_nSub = 3;
    set.m_nDateFormat = 0;
    texts = RowOf(record, set);
    EXPECT_EQ("2:(3)", Str(texts.strId));
    EXPECT_EQ("2024/01/03 12:34:56.789", Str(texts.strTime));
}

TEST_F(LogRowTexts, PortOrKindOutsideTheTablesHasNoFlagsOrColours)
{
    CCommLogRecord record = Record(7, CCommLogRecord::KindReceive, {1});
    EXPECT_EQ(0, LogDisplayFlags(set, record));
    COLORREF text = 0, back = 0;
    EXPECT_FALSE(LogRowColors(set, record, text, back));
    record.m_nPort = -1;
    EXPECT_EQ(0, LogDisplayFlags(set, record));

    record = Record(1, CCommLogRecord::KindReceive, {1});
    ASSERT_TRUE(LogRowColors(set, record, text, back));
    EXPECT_EQ(0x0000A0u, text);
    EXPECT_EQ(0xDDFFDDu, back);
}

}  // namespace
