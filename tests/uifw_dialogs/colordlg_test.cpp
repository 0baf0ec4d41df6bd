// The framework's colour dialog from the program's resources: the fields after
// initialisation, edits of each group, picker changes without feedback, the mode list, and
// the modal run's answer.
#include "dialogs_test_support.h"

#include "colorctrl.h"
#include "uicolordlg.h"
#include "uifwres.h"

using namespace dlgtest;
using namespace winharness;

namespace {

const COLORREF kOld = RGB(10, 20, 30);
const COLORREF kNew = RGB(200, 100, 50);

// Counts the EN_CHANGE notifications of the nine fields.
class CountingColorDlg : public CUiColorDlg {
public:
    using CUiColorDlg::CUiColorDlg;
    int nFieldChanges = 0;
    LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override
    {
        if (nMsg == WM_COMMAND && HIWORD(wParam) == EN_CHANGE)
            ++nFieldChanges;
        return CUiColorDlg::WindowProc(nMsg, wParam, lParam);
    }
};

class ColorDlgFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(CreateShownDialog(dlg, IDD_UI_COLOR_DLG, parent.wnd(), 50, 50));
        PumpPending();
    }
    void TearDown() override { dlg.DestroyWindow(); }

    std::vector<std::string> Fields()
    {
        std::vector<std::string> texts;
        for (UINT nId : {IDC_UI_COLOR_RED, IDC_UI_COLOR_GREEN, IDC_UI_COLOR_BLUE, IDC_UI_COLOR_CYAN,
                         IDC_UI_COLOR_MAGENTA, IDC_UI_COLOR_YELLOW, IDC_UI_COLOR_HUE, IDC_UI_COLOR_SATURATION,
                         IDC_UI_COLOR_LIGHTNESS}) {
            CString str;
            dlg.GetDlgItemText(nId, str);
            texts.push_back((LPCSTR)str);
        }
        return texts;
    }
    std::vector<std::string> FirstFields(size_t n)
    {
        std::vector<std::string> texts = Fields();
        texts.resize(n);
        return texts;
    }
    void Type(UINT nId, LPCSTR lpszText) { dlg.SetDlgItemText(nId, lpszText); }

    DialogScope scope;
    HiddenParent parent;
    CountingColorDlg dlg{kOld, kNew, nullptr};
};

} // namespace

TEST_F(ColorDlgFixture, InitialisationFillsTheFieldsTheListAndBothHalvesOfTheDifferenceView)
{
    EXPECT_EQ((std::vector<std::string>{"200", "100", "50", "55", "155", "205", "14", "153", "125"}), Fields());
    EXPECT_EQ(kOld, dlg.m_diff.m_colors.clrRef);
    EXPECT_EQ(kOld, dlg.m_diff.m_colors.clrCurrent);
    EXPECT_EQ(kNew, dlg.m_picker.GetColor());
    EXPECT_EQ(kOld, dlg.m_picker.m_colors.clrRef);
    EXPECT_EQ(kNew, dlg.m_clrNew);
    EXPECT_EQ(15, dlg.m_wndModes.GetCount());
    EXPECT_EQ(0, dlg.m_wndModes.GetCurSel());
    CString strName;
    dlg.m_wndModes.GetLBText(14, strName);
    EXPECT_STREQ(CUiColorCtrl::GetModeName(14), strName);
    EXPECT_NE((HICON)NULL, dlg.m_hIcon);
    EXPECT_EQ((LRESULT)dlg.m_hIcon, dlg.SendMessage(WM_GETICON, ICON_BIG));
}

TEST_F(ColorDlgFixture, AValueOutOfRangeIsRefusedWithTheFocusBackInItsField)
{
    ScriptedPrompts prompts;
    Type(IDC_UI_COLOR_RED, "256");
    ASSERT_EQ(1u, prompts.records.size());
    EXPECT_EQ("Value must be in range 0..255", prompts.records[0].text);
    EXPECT_EQ(dlg.GetDlgItem(IDC_UI_COLOR_RED)->m_hWnd, ::GetFocus());
    EXPECT_EQ(kNew, dlg.m_picker.GetColor());
    EXPECT_EQ("155", Fields()[4]);
}

TEST_F(ColorDlgFixture, AnEditRewritesTheOtherGroupsButNeverItsOwn)
{
    Type(IDC_UI_COLOR_GREEN, "0");
    EXPECT_EQ(RGB(200, 0, 50), dlg.m_picker.GetColor());
    EXPECT_EQ(RGB(200, 0, 50), dlg.m_clrNew);
    EXPECT_EQ((std::vector<std::string>{"200", "0", "50", "55", "255", "205"}),
              FirstFields(6));

    // A hue typed with a leading zero keeps its text: the HSL fields are not written back.
    Type(IDC_UI_COLOR_HUE, "0170");
    const COLORREF clr = dlg.m_picker.GetColor();
    EXPECT_GT(GetBValue(clr), GetRValue(clr));
    const std::vector<std::string> fields = Fields();
    EXPECT_EQ("0170", fields[6]);
    EXPECT_EQ(std::to_string(GetRValue(clr)), fields[0]);
    EXPECT_EQ(std::to_string(255 - GetBValue(clr)), fields[5]);
    EXPECT_EQ(clr, dlg.m_diff.GetColor());

    Type(IDC_UI_COLOR_CYAN, "255");
    EXPECT_EQ(0, GetRValue(dlg.m_picker.GetColor()));
}

TEST_F(ColorDlgFixture, APickerChangeRewritesAllNineFieldsOnceWithoutFeedback)
{
    dlg.nFieldChanges = 0;
    dlg.m_picker.SetColor(RGB(201, 99, 51), true);
    EXPECT_EQ(9, dlg.nFieldChanges);
    EXPECT_EQ(RGB(201, 99, 51), dlg.m_picker.GetColor());
    EXPECT_EQ(RGB(201, 99, 51), dlg.m_diff.GetColor());
    EXPECT_EQ("201", Fields()[0]);
    EXPECT_EQ("156", Fields()[4]);

    // A click on the old half of the difference view brings the old colour back everywhere.
    CRect rc;
    dlg.m_diff.GetClientRect(&rc);
    Click(dlg.m_diff.m_hWnd, rc.Width() / 2, rc.Height() * 3 / 4);
    EXPECT_EQ(kOld, dlg.m_diff.GetColor());
    EXPECT_EQ(kOld, dlg.m_picker.GetColor());
    EXPECT_EQ((std::vector<std::string>{"10", "20", "30"}),
              FirstFields(3));
}

TEST_F(ColorDlgFixture, AModeChosenInTheListSwitchesThePicker)
{
    dlg.m_wndModes.SetCurSel(4);
    dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_UI_COLOR_MODES, CBN_SELENDOK), (LPARAM)dlg.m_wndModes.m_hWnd);
    EXPECT_EQ(CUiColorCtrl::kModeRgbCube, dlg.m_picker.GetMode());
    EXPECT_EQ(kNew, dlg.m_picker.GetColor());
}

TEST(ColorDlgModalTest, OkAnswersThePickersColourAndCancelAnswersCancel)
{
    DialogScope scope;
    HiddenParent parent;
    for (UINT nEnd : {IDOK, IDCANCEL}) {
        CUiColorDlg dlg(kOld, kNew, parent.wnd());
        ScriptedInputPlayer player;
        player.Call([&] {
            dlg.SetDlgItemText(IDC_UI_COLOR_RED, "77");
            dlg.PostMessage(WM_COMMAND, nEnd);
        });
        player.Start();
        EXPECT_EQ((INT_PTR)nEnd, dlg.DoModal());
        if (nEnd == IDOK)
            EXPECT_EQ(RGB(77, 100, 50), dlg.m_clrNew);
    }
}
