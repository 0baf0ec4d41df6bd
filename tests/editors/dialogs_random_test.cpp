// The random-region input rules and the two random-region dialogs run modally.
#include <gtest/gtest.h>

#include <cfloat>

#include "../../res/resource.h"
#include "dialogs_test_support.h"
#include "messagetext.h"
#include "randominput.h"
#include "randominputdlg.h"
#include "randomsettingdlg.h"
#include "winharness.h"

using namespace winharness;

namespace {

RandomRegion Region(uint32_t start, uint32_t end, uint32_t type)
{
    RandomRegion r = MakeEmptyRandomRegion();
    r.start = start;
    r.end = end;
    r.type = type;
    SetRandomFullRange(r);
    return r;
}

COleSafeArray Blob(const std::vector<RandomRegion>& regions)
{
    return RandomRegionsToBlob(regions);
}

std::string Cell(HWND hList, int row, int column)
{
    return winharness::ListViewCell(hList, row, column);
}

int RowCount(HWND hDlg, int listId)
{
    return static_cast<int>(::SendDlgItemMessageA(hDlg, listId, LVM_GETITEMCOUNT, 0, 0));
}

void SelectRow(HWND hDlg, int row)
{
    LVITEMA item = {};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    ::SendDlgItemMessageA(hDlg, IDC_RANDOM_LIST, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
}

void ChooseType(HWND hDlg, int type)
{
    HWND hCombo = ::GetDlgItem(hDlg, IDC_RANDOM_TYPE);
    ::SendMessageA(hCombo, CB_SETCURSEL, type, 0);
    ::SendMessageA(hDlg, WM_COMMAND, MAKEWPARAM(IDC_RANDOM_TYPE, CBN_SELCHANGE), reinterpret_cast<LPARAM>(hCombo));
}

void Fill(HWND hDlg, const char* start, const char* end, const char* min, const char* max)
{
    ::SetDlgItemTextA(hDlg, IDC_RANDOM_START, start);
    ::SetDlgItemTextA(hDlg, IDC_RANDOM_END, end);
    ::SetDlgItemTextA(hDlg, IDC_RANDOM_MIN, min);
    ::SetDlgItemTextA(hDlg, IDC_RANDOM_MAX, max);
}

int Parse(const char* start, const char* end, int type, const char* min, const char* max, RandomRegion& r)
{
    return ParseRandomRegionInput(start, end, type, min, max, r);
}

} // namespace

// ---- The input rules.

TEST(RandomInput, AddressesMustNotRunBackwards)
{
    RandomRegion r = MakeEmptyRandomRegion();
    EXPECT_EQ(13017, Parse("00000010", "0000000F", RandomValueByte, "0", "255", r));
    EXPECT_EQ(0, Parse("00000010", "00000010", RandomValueByte, "0", "255", r));
    EXPECT_EQ(0x10u, r.start);
    EXPECT_EQ(0x10u, r.end);
}

TEST(RandomInput, ClampsTheSmallTypesAndNeedsMinimumBelowMaximum)
{
    RandomRegion r = MakeEmptyRandomRegion();
    ASSERT_EQ(0, Parse("0", "1", RandomValueChar, "-500", "10", r));
    EXPECT_EQ(-128, r.signedMin);
    EXPECT_EQ(10, r.signedMax);
    ASSERT_EQ(0, Parse("0", "1", RandomValueByte, "10", "300", r));
    EXPECT_EQ(10u, r.unsignedMin);
    EXPECT_EQ(255u, r.unsignedMax);
    EXPECT_EQ(13018, Parse("0", "1", RandomValueByte, "100", "100", r));
    EXPECT_EQ(13018, Parse("0", "1", RandomValueLongLE, "5", "-5", r));
    // Clamping can make the pair collapse: both above 127 become 127.
    EXPECT_EQ(13018, Parse("0", "1", RandomValueChar, "200", "300", r));
}

TEST(RandomInput, RefusesIntegersTheStoredFieldCannotHoldInsteadOfOverflowing)
{
    RandomRegion r = MakeEmptyRandomRegion();
    ASSERT_EQ(0, Parse("0", "3", RandomValueLongLE, "-2147483648", "2147483647", r));
    EXPECT_EQ(INT32_MIN, r.signedMin);
    EXPECT_EQ(INT32_MAX, r.signedMax);
    EXPECT_EQ(13018, Parse("0", "3", RandomValueLongLE, "0", "2147483648", r));
    EXPECT_EQ(13018, Parse("0", "3", RandomValueLongLE, "0", "99999999999999999999", r));
    EXPECT_EQ(13018, Parse("0", "3", RandomValueLongLE, "-2147483649", "0", r));
    ASSERT_EQ(0, Parse("0", "3", RandomValueUlongBE, "0", "4294967295", r));
    EXPECT_EQ(4294967295u, r.unsignedMax);
    EXPECT_EQ(13018, Parse("0", "3", RandomValueUlongBE, "0", "4294967296", r));
    // A minus sign must not wrap around to a huge unsigned value.
    EXPECT_EQ(13018, Parse("0", "3", RandomValueUlongBE, "-1", "10", r));
    // Leading digits count, like atoi: "12abc" is 12, an empty text 0.
    ASSERT_EQ(0, Parse("0", "3", RandomValueWordLE, "", "12abc", r));
    EXPECT_EQ(0u, r.unsignedMin);
    EXPECT_EQ(12u, r.unsignedMax);
}

TEST(RandomInput, RefusesNotANumberAndFloatsTheStoredTypeCannotHold)
{
    RandomRegion r = MakeEmptyRandomRegion();
    EXPECT_EQ(13018, Parse("0", "3", RandomValueFloatLE, "nan", "1", r));
    EXPECT_EQ(13018, Parse("0", "3", RandomValueFloatLE, "0", "1e39", r));
    EXPECT_EQ(13018, Parse("0", "7", RandomValueDoubleLE, "0", "1e999", r));
    ASSERT_EQ(0, Parse("0", "7", RandomValueDoubleLE, "0", "1e39", r));
    EXPECT_EQ(1e39, r.doubleMax);

    // The full-range texts the dialog shows are accepted back unchanged.
    RandomRegion full = Region(0, 3, RandomValueFloatBE);
    ASSERT_EQ(0, Parse("0", "3", RandomValueFloatBE, RandomRangeMinText(full), RandomRangeMaxText(full), r));
    EXPECT_EQ(-FLT_MAX, r.floatMin);
    EXPECT_EQ(FLT_MAX, r.floatMax);
    full = Region(0, 7, RandomValueDoubleBE);
    ASSERT_EQ(0, Parse("0", "7", RandomValueDoubleBE, RandomRangeMinText(full), RandomRangeMaxText(full), r));
    EXPECT_EQ(DBL_MAX, r.doubleMax);
}

// ---- The list dialog.

TEST(RandomSettingDialog, ABlobOfTheWrongSizeListsNothingAndGivesAnEmptyBlobBack)
{
    ByteVector odd(57, 0);
    DialogDriver driver;
    int rows = -1;
    driver.Step(1, [&](HWND hDlg) {
        rows = RowCount(hDlg, IDC_RANDOM_LIST);
        DialogDriver::Post(hDlg, IDC_RANDOM_OK);
    });
    CRandomSettingDlg dlg;
    dlg.SetRegionData(ByteArray(odd));
    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_FALSE(driver.timedOut);
    EXPECT_EQ(0, rows);
    COleSafeArray blob = dlg.GetRegionData();
    EXPECT_EQ(static_cast<VARTYPE>(VT_ARRAY | VT_UI1), blob.vt);
    EXPECT_TRUE(BytesOf(blob).empty());
    ASSERT_EQ(1u, driver.captions.size());
    EXPECT_EQ("ランダム設定", driver.captions[0]);
}

TEST(RandomSettingDialog, ShowsEachRegionAsARowOfTexts)
{
    RandomRegion ulong = Region(0x10, 0x1F, RandomValueUlongLE);
    RandomRegion chars = Region(0, 0, RandomValueChar);
    DialogDriver driver;
    std::vector<std::vector<std::string>> rows;
    std::vector<std::string> headers;
    driver.Step(1, [&](HWND hDlg) {
        HWND hList = ::GetDlgItem(hDlg, IDC_RANDOM_LIST);
        for (int row = 0; row < RowCount(hDlg, IDC_RANDOM_LIST); ++row) {
            rows.emplace_back();
            for (int c = 0; c < 6; ++c)
                rows.back().push_back(Cell(hList, row, c));
        }
        for (int c = 0; c < 6; ++c) {
            char text[64] = "";
            LVCOLUMNA col = {};
            col.mask = LVCF_TEXT;
            col.pszText = text;
            col.cchTextMax = sizeof(text);
            ::SendMessageA(hList, LVM_GETCOLUMNA, c, reinterpret_cast<LPARAM>(&col));
            headers.push_back(text);
        }
        // The template's own OK stays hidden.
        EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(hDlg, IDOK)));
        DialogDriver::Post(hDlg, IDCANCEL);
    });
    CRandomSettingDlg dlg;
    dlg.SetRegionData(Blob({ulong, chars}));
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    ASSERT_EQ(2u, rows.size());
    EXPECT_EQ((std::vector<std::string>{"1", "00000010", "0000001F", "ULONG(LE)", "0", "4294967295"}), rows[0]);
    EXPECT_EQ((std::vector<std::string>{"2", "00000000", "00000000", "char", "-128", "127"}), rows[1]);
    EXPECT_EQ((std::vector<std::string>{"No.", "Start Addr.", "End Addr.", "TYPE", "min", "max"}), headers);
}

TEST(RandomSettingDialog, AddRefusesAnEmptyRangeAndKeepsTheUsersText)
{
    ScriptedPrompts prompts;
    DialogDriver driver;
    std::string minAfter, maxAfter, startAfter;
    std::vector<std::string> newRecordFields;
    driver.Step(1, [&](HWND hDlg) { DialogDriver::Post(hDlg, IDC_RANDOM_ADD); });
    driver.Step(2, [&](HWND hDlg) {
        // A new record starts as "char" with its full range.
        newRecordFields = {DialogDriver::Text(hDlg, IDC_RANDOM_MIN), DialogDriver::Text(hDlg, IDC_RANDOM_MAX)};
        ChooseType(hDlg, RandomValueByte);
        Fill(hDlg, "00000002", "00000005", "100", "100");
        DialogDriver::Post(hDlg, IDOK);
    });
    driver.Step(2, [&](HWND hDlg) {
        startAfter = DialogDriver::Text(hDlg, IDC_RANDOM_START);
        minAfter = DialogDriver::Text(hDlg, IDC_RANDOM_MIN);
        maxAfter = DialogDriver::Text(hDlg, IDC_RANDOM_MAX);
        ::SetDlgItemTextA(hDlg, IDC_RANDOM_MAX, "200");
        DialogDriver::Post(hDlg, IDOK);
    });
    driver.Step(1, [&](HWND hDlg) { DialogDriver::Post(hDlg, IDC_RANDOM_OK); });

    CRandomSettingDlg dlg;
    dlg.SetRegionData(COleSafeArray());
    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_FALSE(driver.timedOut);
    EXPECT_TRUE(driver.AllStepsRun());
    EXPECT_EQ((std::vector<std::string>{"-128", "127"}), newRecordFields);

    ASSERT_EQ(1u, prompts.records.size());
    EXPECT_EQ("message", prompts.records[0].kind);
    EXPECT_EQ("ランダム範囲が誤っています。", prompts.records[0].text);
    EXPECT_EQ(static_cast<UINT>(MB_ICONEXCLAMATION), prompts.records[0].type & MB_ICONMASK);
    EXPECT_EQ("00000002", startAfter);
    EXPECT_EQ("100", minAfter);
    EXPECT_EQ("100", maxAfter);

    const std::vector<RandomRegion> regions = RandomRegionsFromBlob(dlg.GetRegionData());
    ASSERT_EQ(1u, regions.size());
    EXPECT_EQ(2u, regions[0].start);
    EXPECT_EQ(5u, regions[0].end);
    EXPECT_EQ(static_cast<uint32_t>(RandomValueByte), regions[0].type);
    EXPECT_EQ(100u, regions[0].unsignedMin);
    EXPECT_EQ(200u, regions[0].unsignedMax);
    EXPECT_EQ(0, dlg.GetSelectedRow());
}

TEST(RandomSettingDialog, EditRefusesAddressesThatRunBackwards)
{
    ScriptedPrompts prompts;
    DialogDriver driver;
    std::vector<std::string> shown;
    driver.Step(1, [&](HWND hDlg) {
        SelectRow(hDlg, 0);
        DialogDriver::Post(hDlg, IDC_RANDOM_EDIT);
    });
    driver.Step(2, [&](HWND hDlg) {
        for (int id : {IDC_RANDOM_START, IDC_RANDOM_END, IDC_RANDOM_MIN, IDC_RANDOM_MAX})
            shown.push_back(DialogDriver::Text(hDlg, id));
        ::SetDlgItemTextA(hDlg, IDC_RANDOM_START, "00000010");
        ::SetDlgItemTextA(hDlg, IDC_RANDOM_END, "0000000F");
        DialogDriver::Post(hDlg, IDOK);
    });
    driver.Step(2, [&](HWND hDlg) { DialogDriver::Post(hDlg, IDCANCEL); });
    driver.Step(1, [&](HWND hDlg) { DialogDriver::Post(hDlg, IDC_RANDOM_OK); });

    RandomRegion word = Region(4, 5, RandomValueWordBE);
    word.unsignedMin = 7;
    word.unsignedMax = 9;
    CRandomSettingDlg dlg;
    dlg.SetRegionData(Blob({word}));
    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_TRUE(driver.AllStepsRun());
    EXPECT_EQ((std::vector<std::string>{"00000004", "00000005", "7", "9"}), shown);
    ASSERT_EQ(1u, prompts.records.size());
    EXPECT_EQ("入力アドレスが誤っています。", prompts.records[0].text);
    EXPECT_EQ(static_cast<UINT>(MB_ICONEXCLAMATION), prompts.records[0].type & MB_ICONMASK);
    // The cancelled edit left the region as it was.
    const std::vector<RandomRegion> regions = RandomRegionsFromBlob(dlg.GetRegionData());
    ASSERT_EQ(1u, regions.size());
    EXPECT_EQ(7u, regions[0].unsignedMin);
}

TEST(RandomSettingDialog, DeletingAndMovingKeepTheSelectionOnTheRightRow)
{
    ScriptedPrompts prompts;
    prompts.messageAnswers = {IDOK, IDCANCEL};
    DialogDriver driver;
    std::vector<std::string> numbers;
    int selectedAfterFirstDelete = -2;
    driver.Step(1, [&](HWND hDlg) {
        // Moving the first row up does nothing.
        SelectRow(hDlg, 0);
        DialogDriver::Press(hDlg, IDC_RANDOM_UP);
        // Down swaps rows 0 and 1 and follows the moved record.
        DialogDriver::Press(hDlg, IDC_RANDOM_DOWN);
        HWND hList = ::GetDlgItem(hDlg, IDC_RANDOM_LIST);
        for (int row = 0; row < 3; ++row)
            numbers.push_back(Cell(hList, row, 0) + ":" + Cell(hList, row, 1));
        // Deleting the last of three selects the new last row.
        SelectRow(hDlg, 2);
        DialogDriver::Press(hDlg, IDC_RANDOM_DELETE);
    });
    driver.Step(1, [&](HWND hDlg) {
        selectedAfterFirstDelete = static_cast<int>(
            ::SendDlgItemMessageA(hDlg, IDC_RANDOM_LIST, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
        // A cancelled question keeps the row.
        DialogDriver::Press(hDlg, IDC_RANDOM_DELETE);
        DialogDriver::Post(hDlg, IDC_RANDOM_OK);
    });

    CRandomSettingDlg dlg;
    dlg.SetRegionData(Blob({Region(1, 1, 0), Region(2, 2, 1), Region(3, 3, 2)}));
    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_TRUE(driver.AllStepsRun());
    EXPECT_EQ((std::vector<std::string>{"1:00000002", "2:00000001", "3:00000003"}), numbers);
    EXPECT_EQ(1, selectedAfterFirstDelete);
    EXPECT_EQ(1, dlg.GetSelectedRow());
    ASSERT_EQ(2u, prompts.records.size());
    EXPECT_EQ(std::string(GetMessageText(13016)), prompts.records[0].text);
    EXPECT_EQ(static_cast<UINT>(MB_OKCANCEL | MB_ICONQUESTION), prompts.records[0].type);
    const std::vector<RandomRegion> regions = RandomRegionsFromBlob(dlg.GetRegionData());
    ASSERT_EQ(2u, regions.size());
    EXPECT_EQ(2u, regions[0].start);
    EXPECT_EQ(1u, regions[1].start);
}

TEST(RandomSettingDialog, DeletingTheOnlyRowLeavesNoSelection)
{
    ScriptedPrompts prompts;
    DialogDriver driver;
    driver.Step(1, [&](HWND hDlg) {
        SelectRow(hDlg, 0);
        DialogDriver::Press(hDlg, IDC_RANDOM_DELETE);
        DialogDriver::Post(hDlg, IDC_RANDOM_OK);
    });
    CRandomSettingDlg dlg;
    dlg.SetRegionData(Blob({Region(1, 1, 0)}));
    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_EQ(-1, dlg.GetSelectedRow());
    EXPECT_TRUE(BytesOf(dlg.GetRegionData()).empty());
}

TEST(RandomSettingDialog, EnterInTheListAndADoubleClickEditTheSelectedRow)
{
    DialogDriver driver;
    bool stayedOpen = false;
    driver.Step(1, [&](HWND hDlg) {
        SelectRow(hDlg, 0);
        // Enter elsewhere reaches the hidden default button and closes nothing.
        ::SetFocus(::GetDlgItem(hDlg, IDC_RANDOM_ADD));
        ::SendMessageA(hDlg, WM_COMMAND, IDOK, 0);
        stayedOpen = ::IsWindow(hDlg) && ::IsWindowVisible(hDlg);
        ::SetFocus(::GetDlgItem(hDlg, IDC_RANDOM_LIST));
        ::PostMessageA(hDlg, WM_COMMAND, IDOK, 0);
    });
    driver.Step(2, [&](HWND hDlg) { DialogDriver::Post(hDlg, IDCANCEL); });
    driver.Step(1, [&](HWND hDlg) {
        // Posted, so the notification must outlive this step.
        static NMITEMACTIVATE nm;
        nm = NMITEMACTIVATE{};
        nm.hdr.hwndFrom = ::GetDlgItem(hDlg, IDC_RANDOM_LIST);
        nm.hdr.idFrom = IDC_RANDOM_LIST;
        nm.hdr.code = NM_DBLCLK;
        nm.iItem = 0;
        ::PostMessageA(hDlg, WM_NOTIFY, IDC_RANDOM_LIST, reinterpret_cast<LPARAM>(&nm));
    });
    driver.Step(2, [&](HWND hDlg) { DialogDriver::Post(hDlg, IDCANCEL); });
    driver.Step(1, [&](HWND hDlg) { DialogDriver::Post(hDlg, IDCANCEL); });

    CRandomSettingDlg dlg;
    dlg.SetRegionData(Blob({Region(1, 1, 0)}));
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_TRUE(stayedOpen);
    EXPECT_TRUE(driver.AllStepsRun());
    EXPECT_FALSE(driver.timedOut);
    EXPECT_EQ((std::vector<std::string>{"ランダム設定", "ランダム入力", "ランダム入力"}), driver.captions);
}
