// The log list window under Xvfb: columns, rows and their colours, selection and trimming
// reaching the detailed log data pane, dropped files, the context menu and its presenter.
#include "log_test_support.h"

#include <shlobj.h>

#include <functional>

#include "cmdmanager.h"
#include "contextmenupresenter.h"
#include "popuptracktestsupport.h"
#include "logview.h"
#include "winharness.h"

using namespace logtest;

namespace {

// What the detailed log data pane received.
struct PaneMessage
{
    bool posted;
    WPARAM action;
    LPARAM lParam;
    int seq;                  // of the record shown, -1 for a clear
    std::vector<BYTE> bytes;  // of the record shown
};

// A plain window standing in for the detailed log data pane. Posted messages are taken from
// the queue by Pump and recorded there; whatever reaches the window procedure was sent.
class PaneRecorder
{
public:
    PaneRecorder()
    {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = WndProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "KorvaneLogTestPane";
        RegisterClassA(&wc);
        m_hWnd = CreateWindowExA(0, wc.lpszClassName, "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, wc.hInstance, nullptr);
        SetWindowLongPtrA(m_hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    ~PaneRecorder() { DestroyWindow(m_hWnd); }

    HWND Handle() const { return m_hWnd; }

    void Pump()
    {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.hwnd == m_hWnd && msg.message == WM_LOG_DETAIL) {
                messages.push_back({true, msg.wParam, msg.lParam, -1, {}});
                continue;
            }
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }

    std::vector<PaneMessage> messages;

private:
    static LRESULT CALLBACK WndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        PaneRecorder* self = reinterpret_cast<PaneRecorder*>(GetWindowLongPtrA(hWnd, GWLP_USERDATA));
        if (self != nullptr && message == WM_LOG_DETAIL) {
            PaneMessage seen = {false, wParam, lParam, -1, {}};
            if (wParam == LogDetailShow && lParam != 0) {
                const CCommLogRecord* pRecord = reinterpret_cast<const CCommLogRecord*>(lParam);
                seen.seq = pRecord->m_nSeq;
                seen.bytes = BytesOf(pRecord->m_data);
            }
            self->messages.push_back(seen);
            return 0;
        }
        return DefWindowProcA(hWnd, message, wParam, lParam);
    }

    HWND m_hWnd;
};

class LogViewTest : public ::testing::Test
{
protected:
    LogViewTest()
    {
        SetCommSetDefaults(set, 0);
        settings.m_strPath = folder.Path().c_str();
        parent.CreateEx(0, AfxRegisterWndClass(0), "log view test", WS_OVERLAPPEDWINDOW, 0, 0, 800, 600,
                        nullptr, nullptr);
        CObject* pObject = RUNTIME_CLASS(CLogview)->CreateObject();
        view = dynamic_cast<CLogview*>(pObject);
        view->SetSources(&settings, &set);
        view->Create(nullptr, nullptr, AFX_WS_DEFAULT_VIEW, CRect(0, 0, 780, 560), &parent, AFX_IDW_PANE_FIRST);
        view->SetDetailPane(pane.Handle());
    }
    ~LogViewTest() override
    {
        // The view deletes itself when its window goes.
        parent.DestroyWindow();
    }

    // The list as it stands once it has caught up with the log.
    CListCtrl& List()
    {
        view->UpdateRows();
        return view->GetListCtrl();
    }
    std::string ItemText(int row, int column) { return Str(List().GetItemText(row, column)); }

    void Select(int row)
    {
        List().SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    }

    int CountPane(bool posted, WPARAM action)
    {
        int n = 0;
        for (const PaneMessage& m : pane.messages)
            n += (m.posted == posted && m.action == action) ? 1 : 0;
        return n;
    }

    // The record last sent to the detail pane, -1 for none.
    int ShownSeq()
    {
        for (auto it = pane.messages.rbegin(); it != pane.messages.rend(); ++it)
            if (!it->posted && it->action == LogDetailShow)
                return it->seq;
        return -1;
    }

    // The colours the view gives a row at its item pre-paint stage, asked the way the list
    // asks its parent.
    void CustomDrawColours(int row, COLORREF& text, COLORREF& back)
    {
        NMLVCUSTOMDRAW draw = {};
        draw.nmcd.hdr.hwndFrom = view->m_hWnd;
        draw.nmcd.hdr.idFrom = AFX_IDW_PANE_FIRST;
        draw.nmcd.hdr.code = NM_CUSTOMDRAW;
        draw.nmcd.dwDrawStage = CDDS_PREPAINT;
        EXPECT_EQ(CDRF_NOTIFYITEMDRAW, parent.SendMessage(WM_NOTIFY, AFX_IDW_PANE_FIRST, reinterpret_cast<LPARAM>(&draw)));
        draw.nmcd.dwDrawStage = CDDS_ITEMPREPAINT;
        draw.nmcd.dwItemSpec = static_cast<DWORD_PTR>(row);
        draw.clrText = CLR_DEFAULT;
        draw.clrTextBk = CLR_DEFAULT;
        EXPECT_EQ(CDRF_DODEFAULT, parent.SendMessage(WM_NOTIFY, AFX_IDW_PANE_FIRST, reinterpret_cast<LPARAM>(&draw)));
        text = draw.clrText;
        back = draw.clrTextBk;
    }

    TempFolder folder;
    CAppSettings settings;
    CCommSetRecord set;
    RecordingPrompts prompts;
    PaneRecorder pane;
    CWnd parent;
    CLogview* view = nullptr;
};

TEST_F(LogViewTest, CreatedByItsRunTimeClassAsAReportList)
{
    ASSERT_NE(nullptr, view);
    ASSERT_TRUE(::IsWindow(view->m_hWnd));
    EXPECT_STREQ("CLogview", view->GetRuntimeClass()->m_lpszClassName);
    const DWORD style = view->GetStyle();
    EXPECT_EQ(DWORD(LVS_REPORT), style & LVS_TYPEMASK);
    EXPECT_TRUE(style & LVS_SINGLESEL);
    EXPECT_TRUE(style & LVS_SHOWSELALWAYS);
    EXPECT_TRUE(style & LVS_NOSORTHEADER);
    EXPECT_TRUE(view->GetExStyle() & WS_EX_ACCEPTFILES);
    EXPECT_EQ(DWORD(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT),
              List().GetExtendedStyle() & (LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT));

    const char* titles[] = {"No.", "ID", "Time", "Contents"};
    const int widths[] = {40, 50, 100, 600};
    for (int i = 0; i < 4; ++i) {
        char text[32] = {};
        LVCOLUMNA column = {};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.pszText = text;
        column.cchTextMax = sizeof(text);
        ASSERT_TRUE(List().GetColumn(i, &column));
        EXPECT_STREQ(titles[i], text);
        EXPECT_EQ(widths[i], column.cx);
    }
}

TEST_F(LogViewTest, LogFontFollowsTheSizeIndex)
{
    LOGFONTA font = {};
    ASSERT_NE(nullptr, view->GetFont());
    GetObjectA(view->GetFont()->m_hObject, sizeof(font), &font);
    EXPECT_EQ(12, font.lfHeight);
    EXPECT_EQ(FIXED_PITCH | FF_MODERN, font.lfPitchAndFamily);

    settings.m_nLogFont = 2;
    view->SetLogFont(settings);
    GetObjectA(view->GetFont()->m_hObject, sizeof(font), &font);
    EXPECT_EQ(16, font.lfHeight);
}

TEST_F(LogViewTest, DroppedShownRecordClearsTheDetailPane)
{
    settings.m_nMaxLog = 10;
    for (int i = 0; i < 10; ++i)
        view->AppendLogRecord(Record(1, CCommLogRecord::KindReceive, {BYTE(i)}));
    ASSERT_EQ(10, List().GetItemCount());
    Select(0);
    ASSERT_EQ(1u, pane.messages.size());
    EXPECT_EQ(0, pane.messages[0].seq);
    pane.messages.clear();

    view->AppendLogRecord(Record(1, CCommLogRecord::KindReceive, {10}));
    pane.Pump();

    EXPECT_EQ(10, List().GetItemCount());
    EXPECT_EQ("0002", ItemText(0, 0));
    EXPECT_EQ("0011", ItemText(9, 0));
    EXPECT_EQ(10, view->GetRecordCount());
    EXPECT_EQ(1, CountPane(true, LogDetailClear));
    EXPECT_EQ(0, CountPane(false, LogDetailShow));
    for (const PaneMessage& m : pane.messages)
        EXPECT_EQ(0, m.lParam);
}

TEST_F(LogViewTest, RowTextsAndAFilteredRecord)
{
    set.m_nDisplayFlags[0 * 3 + CCommLogRecord::KindSend] = 14;
    view->AppendLogRecord(Message(0, 20001, Text("abc")));
    view->AppendLogRecord(Record(0, CCommLogRecord::KindSend, {1, 2, 3}));  // filtered
    view->AppendLogRecord(Record(1, CCommLogRecord::KindSend, {1, 2, 3}));

    ASSERT_EQ(2, List().GetItemCount());
    EXPECT_EQ(3, view->GetRecordCount());
    EXPECT_EQ("0001", ItemText(0, 0));
    EXPECT_EQ("1:(-)", ItemText(0, 1));
    EXPECT_EQ("12:34:56.789", ItemText(0, 2));
    EXPECT_EQ("シリアル処理開始 (abc)", ItemText(0, 3));
    EXPECT_EQ("0003", ItemText(1, 0));
    EXPECT_EQ("2:(-)", ItemText(1, 1));
    EXPECT_EQ("Send:0003:0102 03" + std::string(33, ' ') + ":[..." + std::string(13, ' ') + "]", ItemText(1, 3));
}

TEST_F(LogViewTest, RowsAreColouredByPortAndKind)
{
    set.m_nDisplayFlags[5] = 1;
    view->AppendLogRecord(Record(1, CCommLogRecord::KindReceive, {0x41}));
    view->AppendLogRecord(Record(0, CCommLogRecord::KindSend, {0x41}));

    COLORREF text = 0, back = 0;
    CustomDrawColours(0, text, back);
    EXPECT_EQ(0x0000A0u, text);
    EXPECT_EQ(0xDDFFDDu, back);
    CustomDrawColours(1, text, back);
    EXPECT_EQ(0xA00000u, text);
    EXPECT_EQ(0xDDFFFFu, back);

    // The list itself paints row 0 on the Port 2 background.
    CRect row;
    ASSERT_TRUE(List().GetItemRect(0, &row, LVIR_BOUNDS));
    CRect client;
    view->GetClientRect(&client);
    HDC hScreen = GetDC(nullptr);
    HDC hDC = CreateCompatibleDC(hScreen);
    HBITMAP hBitmap = CreateCompatibleBitmap(hScreen, client.Width(), client.Height());
    ReleaseDC(nullptr, hScreen);
    HGDIOBJ hOld = SelectObject(hDC, hBitmap);
    view->SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(hDC), PRF_CLIENT | PRF_ERASEBKGND);
    const COLORREF pixel = GetPixel(hDC, 400, (row.top + row.bottom) / 2);
    SelectObject(hDC, hOld);
    DeleteObject(hBitmap);
    DeleteDC(hDC);
    EXPECT_EQ(0xDDFFDDu, pixel);
}

// At every log font a row shows its low lines, also where the font draws the character as
// nothing (the IPA fonts at 12 and 18 pixels): "EV_TXEMPTY" differs from "EV TXEMPTY".
TEST_F(LogViewTest, RowsShowTheirLowLinesAtEveryLogFont)
{
    view->AppendLogRecord(Message(0, 20003, Text("EV_TXEMPTY")));
    view->AppendLogRecord(Message(0, 20003, Text("EV TXEMPTY")));
    view->UpdateRows();
    for (int nIndex = 0; nIndex < 4; ++nIndex) {
        settings.m_nLogFont = nIndex;
        view->SetLogFont(settings);
        CRect client, rows[2];
        view->GetClientRect(&client);
        winharness::DibSurface surface(client.Width(), client.Height());
        view->SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(surface.dc()), PRF_CLIENT | PRF_ERASEBKGND);
        for (int row = 0; row < 2; ++row)
            ASSERT_TRUE(List().GetSubItemRect(row, 3, LVIR_BOUNDS, rows[row]));
        ASSERT_EQ(rows[0].Height(), rows[1].Height());
        int nDiffer = 0;
        for (int y = 0; y < rows[0].Height(); ++y)
            for (int x = rows[0].left; x < rows[0].right; ++x)
                nDiffer += surface.Pixel(x, rows[0].top + y) != surface.Pixel(x, rows[1].top + y);
        EXPECT_LT(0, nDiffer) << "font index " << nIndex;
    }
}

// The list grows while scrolled to its end (a pane group floated away, the frame maximised):
// what it shows on the screen is what a fresh paint of the same rows shows.
TEST_F(LogViewTest, AListThatGrowsShowsEachRowOnce)
{
    parent.ShowWindow(SW_SHOWNA);
    view->SetWindowPos(nullptr, 0, 0, 500, 200, SWP_NOZORDER | SWP_NOACTIVATE);
    for (int i = 0; i < 120; ++i)
        view->AppendLogRecord(Record(i % 2, CCommLogRecord::KindReceive, {static_cast<BYTE>(i)}));
    List().EnsureVisible(119, FALSE);
    view->UpdateWindow();
    winharness::PumpPending();
    auto Shown = [&](winharness::DibSurface& surface) {
        CClientDC dc(view);
        ::BitBlt(surface.dc(), 0, 0, surface.width(), surface.height(), dc.GetSafeHdc(), 0, 0, SRCCOPY);
    };
    view->SetWindowPos(nullptr, 0, 0, 760, 520, SWP_NOZORDER | SWP_NOACTIVATE);
    view->UpdateWindow();
    winharness::PumpPending();
    CRect client;
    view->GetClientRect(&client);
    winharness::DibSurface shown(client.Width(), client.Height()), fresh(client.Width(), client.Height());
    Shown(shown);
    view->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Shown(fresh);
    int nDiffer = 0;
    for (int y = 0; y < client.Height(); ++y)
        for (int x = 0; x < client.Width(); ++x)
            nDiffer += shown.Pixel(x, y) != fresh.Pixel(x, y);
    EXPECT_EQ(0, nDiffer);
}

// A full log's batches move the rows on the screen with their records and draw only what
// comes into view: after each batch the screen shows what a fresh paint of the same rows shows,
// whatever the batch's size, with automatic scroll on and off, the list focused, a row chosen
// and the list painted while rows waited to be trimmed.
TEST_F(LogViewTest, AFullLogsBatchesShowWhatAFreshPaintShows)
{
    parent.ShowWindow(SW_SHOWNA);
    view->SetWindowPos(nullptr, 0, 0, 600, 250, SWP_NOZORDER | SWP_NOACTIVATE);
    settings.m_nAutoScroll = 1;
    settings.m_nMaxLog = 60;
    CListCtrl& list = view->GetListCtrl();
    int nNext = 0;
    auto Batch = [&](int nCount) {
        for (int i = 0; i < nCount; ++i, ++nNext)
            view->AppendLogRecord(Record(nNext % 2, CCommLogRecord::KindReceive, {BYTE(nNext), BYTE(nNext >> 8)}));
    };
    CRect client;
    view->GetClientRect(&client);
    winharness::DibSurface shown(client.Width(), client.Height()), fresh(client.Width(), client.Height());
    auto Copy = [&](winharness::DibSurface& surface) {
        CClientDC dc(view);
        ::BitBlt(surface.dc(), 0, 0, surface.width(), surface.height(), dc.GetSafeHdc(), 0, 0, SRCCOPY);
    };
    // The rows that differ between the screen after the batch and a fresh paint of it.
    auto RowsDiffering = [&]() {
        view->UpdateRows();
        view->UpdateWindow();
        winharness::PumpPending();
        Copy(shown);
        view->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        Copy(fresh);
        std::string rows;
        for (int y = 0; y < client.Height(); ++y) {
            int nDiffer = 0;
            for (int x = 0; x < client.Width(); ++x)
                nDiffer += shown.Pixel(x, y) != fresh.Pixel(x, y);
            if (nDiffer != 0)
                rows += " y" + std::to_string(y);
        }
        return rows;
    };

    Batch(60);
    EXPECT_EQ("", RowsDiffering());
    view->SetFocus();
    const int nPage = list.GetCountPerPage();
    ASSERT_GT(nPage, 3);
    for (int nCount : {1, 3, nPage - 1, nPage + 2, 2}) {
        Batch(nCount);
        EXPECT_EQ("", RowsDiffering()) << "automatic scroll, batch of " << nCount;
    }
    Batch(2);
    view->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    Batch(3);
    EXPECT_EQ("", RowsDiffering()) << "automatic scroll, painted between";

    // Automatic scroll off, the view in the middle with a row chosen on it, then at the top.
    settings.m_nAutoScroll = 0;
    list.EnsureVisible(20, FALSE);
    Select(list.GetTopIndex() + 2);
    EXPECT_EQ("", RowsDiffering());
    for (int nCount : {1, 4, 2}) {
        Batch(nCount);
        EXPECT_EQ("", RowsDiffering()) << "no automatic scroll, batch of " << nCount;
    }
    Batch(2);
    view->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    Batch(1);
    EXPECT_EQ("", RowsDiffering()) << "no automatic scroll, painted between";
    Batch(list.GetTopIndex() + 3);
    EXPECT_EQ("", RowsDiffering()) << "no automatic scroll, past the view's top";
    EXPECT_EQ(0, list.GetTopIndex());
}

TEST_F(LogViewTest, RefreshAfterAColourChangeKeepsEveryNumber)
{
    settings.m_nMaxLog = 10;
    for (int i = 0; i < 13; ++i)
        view->AppendLogRecord(Record(i % 2, CCommLogRecord::KindReceive, {BYTE(i)}));
    std::vector<std::string> before;
    for (int row = 0; row < List().GetItemCount(); ++row)
        before.push_back(ItemText(row, 0));
    ASSERT_EQ("0004", before.front());

    set.m_clrBack[1] = RGB(0x12, 0x34, 0x56);
    Select(2);
    pane.messages.clear();
    view->RefreshList();
    pane.Pump();

    std::vector<std::string> after;
    for (int row = 0; row < List().GetItemCount(); ++row)
        after.push_back(ItemText(row, 0));
    EXPECT_EQ(before, after);
    EXPECT_EQ(1, CountPane(true, LogDetailClear));
    EXPECT_EQ(-1, view->GetStore().GetShownSeq());
    COLORREF text = 0, back = 0;
    CustomDrawColours(0, text, back);  // seq 3, Port 2
    EXPECT_EQ(RGB(0x12, 0x34, 0x56), back);
}

namespace {

int g_nViewPaints = 0;
HWND g_hPaintedView = NULL;

LRESULT CALLBACK CountViewPaints(int nCode, WPARAM wParam, LPARAM lParam)
{
    const CWPSTRUCT* pMsg = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (nCode == HC_ACTION && pMsg->message == WM_PAINT && pMsg->hwnd == g_hPaintedView)
        ++g_nViewPaints;
    return CallNextHookEx(NULL, nCode, wParam, lParam);
}

}  // namespace

// The rows hold no texts of their own: they show their records as the set words them when
// drawn; listing everything again leaves the list shown and drawing.
TEST_F(LogViewTest, RowsWordTheirRecordsWhenDrawnAndARefreshDrawsAgain)
{
    parent.ShowWindow(SW_SHOWNA);
    set.m_nDateFormat = 1;
    for (int i = 0; i < 3; ++i)
        view->AppendLogRecord(Record(0, CCommLogRecord::KindReceive, {BYTE(i)}));
    const std::string shortTime = ItemText(2, 2);
    EXPECT_EQ(12u, shortTime.size());
    EXPECT_EQ("0003", ItemText(2, 0));
    EXPECT_EQ("1:(-)", ItemText(2, 1));

    set.m_nDateFormat = 0;
    view->RefreshList();
    EXPECT_TRUE(view->IsWindowVisible());
    EXPECT_EQ(23u, ItemText(2, 2).size());
    EXPECT_EQ(shortTime, ItemText(2, 2).substr(11));

    g_hPaintedView = view->m_hWnd;
    g_nViewPaints = 0;
    HHOOK hHook = SetWindowsHookExA(WH_CALLWNDPROC, CountViewPaints, NULL, GetCurrentThreadId());
    view->AppendLogRecord(Record(1, CCommLogRecord::KindSend, {BYTE(9)}));
    view->UpdateWindow();
    UnhookWindowsHookEx(hHook);
    EXPECT_GE(g_nViewPaints, 1);
    EXPECT_EQ("2:(-)", ItemText(3, 1));
}

TEST_F(LogViewTest, SelectingARowSendsItsRecordToTheDetailPane)
{
    view->AppendLogRecord(Record(0, CCommLogRecord::KindSend, {7}));
    view->AppendLogRecord(Record(1, CCommLogRecord::KindReceive, {8, 9}));

    Select(1);
    ASSERT_EQ(1u, pane.messages.size());
    const PaneMessage& shown = pane.messages[0];
    EXPECT_FALSE(shown.posted);
    EXPECT_EQ(WPARAM(LogDetailShow), shown.action);
    EXPECT_EQ(1, shown.seq);
    EXPECT_EQ((std::vector<BYTE>{8, 9}), shown.bytes);
    EXPECT_EQ(reinterpret_cast<LPARAM>(&view->GetStore().GetRecord(1)), shown.lParam);
    EXPECT_EQ(1, view->GetStore().GetShownSeq());

    // Focus alone (not selected and focused) shows nothing.
    List().SetItemState(0, LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    EXPECT_EQ(1u, pane.messages.size());

    // Typed digits choose the next row whose number begins with them.
    for (char c : std::string("0002"))
        view->SendMessage(WM_CHAR, static_cast<WPARAM>(c), 1);
    EXPECT_EQ(1, List().GetNextItem(-1, LVNI_SELECTED));
    EXPECT_LT(1u, pane.messages.size());
    EXPECT_EQ(1, ShownSeq());
}

// Rows that come together go into the list as one batch, by themselves once the thread has
// nothing else to do: with automatic scroll on, only the batch's last row is selected and
// shown, and only its record reaches the detail pane. Until a batch goes in, the rows of
// records trimmed meanwhile show nothing, never another record. With automatic scroll off, a
// full log's trims leave what the user looks at in place.
TEST_F(LogViewTest, AutoScrollShowsEachBatchsLastRowAndNoRowShowsATrimmedRecord)
{
    parent.ShowWindow(SW_SHOWNA);
    settings.m_nAutoScroll = 1;
    settings.m_nMaxLog = 50;
    CListCtrl& list = view->GetListCtrl();
    auto Batch = [&](int nFirst, int nCount) {
        for (int i = nFirst; i < nFirst + nCount; ++i)
            view->AppendLogRecord(Record(0, CCommLogRecord::KindReceive, {BYTE(i)}));
    };
    auto LastRowShown = [&](int nRows) {
        EXPECT_EQ(nRows, list.GetItemCount());
        EXPECT_EQ(LVIS_SELECTED | LVIS_FOCUSED, list.GetItemState(nRows - 1, LVIS_SELECTED | LVIS_FOCUSED));
        EXPECT_LE(nRows, list.GetTopIndex() + list.GetCountPerPage());
        EXPECT_EQ(1, CountPane(false, LogDetailShow));
    };

    Batch(0, 30);
    ASSERT_TRUE(winharness::PumpUntil([&] { return list.GetItemCount() == 30; }));
    LastRowShown(30);
    EXPECT_EQ(29, ShownSeq());

    // 60 more: all 30 rows listed and the first 10 of the batch leave the log.
    pane.messages.clear();
    Batch(30, 60);
    ASSERT_EQ(30, list.GetItemCount());
    EXPECT_EQ("", Str(list.GetItemText(0, 0)));
    EXPECT_EQ("", Str(list.GetItemText(29, 3)));
    ASSERT_TRUE(winharness::PumpUntil([&] { return list.GetItemCount() == 50; }));
    pane.Pump();
    LastRowShown(50);
    EXPECT_EQ(89, ShownSeq());
    // Posted, and taken from the queue by whichever pump came first.
    EXPECT_EQ(1, CountPane(true, LogDetailClear) + CountPane(false, LogDetailClear));
    EXPECT_EQ("0041", ItemText(0, 0));
    EXPECT_EQ("0090", ItemText(49, 0));

    // Automatic scroll off, a row chosen: while older rows are trimmed, the rows on the screen
    // and the chosen one keep their records (the view moves up with the trims) until those
    // records are trimmed themselves.
    settings.m_nAutoScroll = 0;
    const int nTop = list.GetTopIndex();
    const int nTrim = nTop / 2;
    ASSERT_GT(nTrim, 2);
    Select(nTop + 5);
    const std::string topRecord = ItemText(nTop, 0), chosenRecord = ItemText(nTop + 5, 0);
    pane.messages.clear();
    Batch(90, nTrim);
    char last[8];
    std::snprintf(last, sizeof(last), "%04d", 90 + nTrim);
    ASSERT_TRUE(winharness::PumpUntil([&] { return Str(list.GetItemText(49, 0)) == last; }));
    EXPECT_EQ(nTop - nTrim, list.GetTopIndex());
    EXPECT_EQ(topRecord, ItemText(list.GetTopIndex(), 0));
    EXPECT_EQ(nTop + 5 - nTrim, list.GetNextItem(-1, LVNI_SELECTED));
    EXPECT_EQ(UINT(LVIS_SELECTED | LVIS_FOCUSED), list.GetItemState(nTop + 5 - nTrim, LVIS_SELECTED | LVIS_FOCUSED));
    EXPECT_EQ(chosenRecord, ItemText(nTop + 5 - nTrim, 0));
    pane.Pump();
    EXPECT_EQ(0u, pane.messages.size());
    Batch(90 + nTrim, nTop + 5);
    ASSERT_TRUE(winharness::PumpUntil([&] { return list.GetNextItem(-1, LVNI_SELECTED) < 0; }));
    pane.Pump();
    EXPECT_EQ(0, list.GetTopIndex());
    EXPECT_EQ(1, CountPane(true, LogDetailClear) + CountPane(false, LogDetailClear));
    EXPECT_EQ(0, CountPane(false, LogDetailShow));
}

// A device whose records keep the thread busy leaves the batch's timer no turn: a record that
// comes once the batch is well past its time brings it, painted, without the thread going idle.
TEST_F(LogViewTest, ARecordBringsABatchLongOverdue)
{
    parent.ShowWindow(SW_SHOWNA);
    settings.m_nAutoScroll = 1;
    settings.m_nMaxLog = 3;
    CListCtrl& list = view->GetListCtrl();
    for (int i = 0; i < 3; ++i)
        view->AppendLogRecord(Record(0, CCommLogRecord::KindReceive, {BYTE(i)}));
    view->UpdateRows();
    view->UpdateWindow();
    view->AppendLogRecord(Record(0, CCommLogRecord::KindReceive, {3}));
    EXPECT_EQ("0003", Str(list.GetItemText(2, 0)));
    ::Sleep(1000);
    view->AppendLogRecord(Record(0, CCommLogRecord::KindReceive, {4}));
    EXPECT_EQ("0005", Str(list.GetItemText(2, 0)));
    EXPECT_EQ(UINT(LVIS_SELECTED | LVIS_FOCUSED), list.GetItemState(2, LVIS_SELECTED | LVIS_FOCUSED));
    EXPECT_FALSE(::GetUpdateRect(list.m_hWnd, nullptr, FALSE));
}

TEST_F(LogViewTest, ClearingTheLogClearsTheDetailPane)
{
    view->AppendLogRecord(Record(0, CCommLogRecord::KindSend, {1}));
    Select(0);
    view->ClearLogView();
    pane.Pump();
    EXPECT_EQ(0, List().GetItemCount());
    EXPECT_EQ(0, view->GetRecordCount());
    EXPECT_EQ(1, CountPane(true, LogDetailClear));
    EXPECT_EQ(-1, view->GetStore().GetShownSeq());
}

HDROP MakeDrop(const std::string& path)
{
    const size_t size = sizeof(DROPFILES) + path.size() + 2;
    HGLOBAL hGlobal = GlobalAlloc(GHND, size);
    DROPFILES* pDrop = static_cast<DROPFILES*>(GlobalLock(hGlobal));
    pDrop->pFiles = sizeof(DROPFILES);
    pDrop->fWide = FALSE;
    std::memcpy(reinterpret_cast<char*>(pDrop) + sizeof(DROPFILES), path.c_str(), path.size());
    GlobalUnlock(hGlobal);
    return static_cast<HDROP>(hGlobal);
}

TEST_F(LogViewTest, DroppedLogFileIsReadAfterConfirmation)
{
    // A saved log of two records.
    const std::string path = folder.File("dropped.mqt");
    view->AppendLogRecord(Record(0, CCommLogRecord::KindSend, {0x21}));
    view->AppendLogRecord(Record(1, CCommLogRecord::KindReceive, {0x22}));
    ASSERT_TRUE(view->WriteLogFile(path.c_str()));
    view->ClearLogView();
    view->AppendLogRecord(Message(0, 20002));

    prompts.answers.push_back(IDCANCEL);
    view->SendMessage(WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(path)), 0);
    ASSERT_EQ(1u, prompts.seen.size());
    CString question;
    question.Format(GetMessageText(13008), path.c_str());
    EXPECT_EQ(Str(question), prompts.seen[0].text);
    EXPECT_EQ(UINT(MB_OKCANCEL | MB_ICONQUESTION), prompts.seen[0].type & (MB_TYPEMASK | MB_ICONMASK));
    ASSERT_EQ(1, view->GetRecordCount());
    EXPECT_EQ(20002, view->GetStore().GetRecord(0).m_nMsgCode);

    prompts.answers.push_back(IDOK);
    view->SendMessage(WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(path)), 0);
    EXPECT_EQ(2u, prompts.seen.size());
    ASSERT_EQ(2, view->GetRecordCount());
    EXPECT_EQ(std::vector<BYTE>{0x21}, BytesOf(view->GetStore().GetRecord(0).m_data));
    EXPECT_EQ(std::vector<BYTE>{0x22}, BytesOf(view->GetStore().GetRecord(1).m_data));
    EXPECT_EQ(2, List().GetItemCount());
    EXPECT_EQ("0001", ItemText(0, 0));
}

TEST_F(LogViewTest, ContextMenuGoesThroughTheFrameworkPopupAtTheClickPoint)
{
    CmdManagerHolder::GetStoredHandle()->ProfileInstall("logviewtest", parent.m_hWnd);
    popuptrack::TrackRecorder recorder;
    int page = -1;
    view->SetPropertiesHandler([&](CWnd*, int nPage) { page = nPage; });

    recorder.Choose(32820);
    view->SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(view->m_hWnd), MAKELPARAM(300, 200));
    ASSERT_EQ(1u, recorder.calls.size());
    const popuptrack::RecordedTrack& call = recorder.calls[0];
    EXPECT_EQ(0x800u, call.nFlags);
    EXPECT_EQ(300, call.x);
    EXPECT_EQ(200, call.y);
    EXPECT_FALSE(call.bExclude);
    EXPECT_FALSE(call.bResult);
    EXPECT_EQ(view->m_hWnd, call.hWndReceiver);
    EXPECT_EQ(view->m_hWnd, call.hWndOwner);
    EXPECT_EQ(popuptrack::MenuResourceIds(172), call.ids);
    winharness::PumpUntil([&] { return page >= 0; });
    EXPECT_EQ(1, page);

    // From the keyboard: just inside the list's top-left corner. Refused: no menu stays.
    recorder.Refuse();
    view->SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(view->m_hWnd), MAKELPARAM(-1, -1));
    ASSERT_EQ(2u, recorder.calls.size());
    POINT corner = {0, 0};
    ::ClientToScreen(view->m_hWnd, &corner);
    EXPECT_EQ(corner.x + 5, recorder.calls[1].x);
    EXPECT_EQ(corner.y + 5, recorder.calls[1].y);
    EXPECT_FALSE(CUiPopupMenuWnd::IsTrackingMenu());
    CmdManagerHolder::GetStoredHandle()->ProfileReleaseWindow(parent.m_hWnd, true);
}

TEST_F(LogViewTest, WithoutAPresenterNoMenuOpens)
{
    SetContextMenuPresenter(nullptr);
    view->SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(view->m_hWnd), MAKELPARAM(300, 200));
    EXPECT_FALSE(CUiPopupMenuWnd::IsTrackingMenu());
}

TEST_F(LogViewTest, PropertiesCommandOpensTheSettingsAtPageOne)
{
    int page = -1;
    CWnd* pOwner = nullptr;
    view->SetPropertiesHandler([&](CWnd* pParent, int nPage) {
        pOwner = pParent;
        page = nPage;
    });
    view->SendMessage(WM_COMMAND, MAKEWPARAM(32820, 0), 0);
    EXPECT_EQ(1, page);
    EXPECT_EQ(view, pOwner);
}

}  // namespace
