// The framework check box and radio button on a shown dialog: state cycles, the radio
// group's exclusivity by click and by arrow key, and the mark's state index.
#include "dialogs_test_support.h"
#include "uifw_dialogs_ids.h"

#include "buttonkinds.h"
#include "uicheckbox.h"
#include "uiradiobutton.h"

#include <map>

using namespace dlgtest;
using namespace winharness;

namespace {

class CountingDialog : public CDialog {
public:
    std::map<int, int> commands;
    LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override
    {
        if (nMsg == WM_COMMAND && HIWORD(wParam) == BN_CLICKED && lParam != 0)
            ++commands[LOWORD(wParam)];
        return CDialog::WindowProc(nMsg, wParam, lParam);
    }
};

// Each notes the state index its mark is drawn with.
class RecordingRadio : public CUiRadioButton {
public:
    int nIndex = -1;
    bool PaintRadioHook(CDC&, const CRect&, int n) override { return nIndex = n, true; }
};

class RecordingCheckBox : public CUiCheckBox {
public:
    int nIndex = -1;
    bool PaintCheckBoxHook(CDC&, const CRect&, int n) override { return nIndex = n, true; }
};

class ChecksFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(CreateShownDialog(dlg, IDD_CHECKS, parent.wnd()));
        ASSERT_TRUE(radios[0].SubclassDlgItem(IDC_RADIO1, &dlg));
        ASSERT_TRUE(radios[1].SubclassDlgItem(IDC_RADIO2, &dlg));
        ASSERT_TRUE(radios[2].SubclassDlgItem(IDC_RADIO3, &dlg));
        ASSERT_TRUE(tri.SubclassDlgItem(IDC_CHECK3, &dlg));
        ASSERT_TRUE(two.SubclassDlgItem(IDC_CHECK2, &dlg));
        PumpPending();
    }
    void TearDown() override { dlg.DestroyWindow(); }

    BOOL KeyDown(CWnd& wnd, UINT vk)
    {
        MSG msg = {wnd.m_hWnd, WM_KEYDOWN, vk, 1};
        return wnd.PreTranslateMessage(&msg);
    }
    int Checked() const
    {
        int n = 0;
        for (const CUiRadioButton& radio : radios)
            n += radio.m_nCheck == 1 ? 1 : 0;
        return n;
    }
    bool TabStop(CWnd& wnd) const { return (wnd.GetStyle() & WS_TABSTOP) != 0; }

    DialogScope scope;
    HiddenParent parent;
    CountingDialog dlg;
    RecordingRadio radios[3];
    RecordingCheckBox tri;
    CUiCheckBox two;
};

} // namespace

TEST_F(ChecksFixture, CheckBoxesCycleThroughTheirStatesWithOneCommandPerClick)
{
    std::vector<int> states;
    for (int i = 0; i < 3; ++i) {
        Click(tri.m_hWnd, 5, 5);
        states.push_back(tri.m_nCheck);
    }
    EXPECT_EQ((std::vector<int>{1, 2, 0}), states);
    EXPECT_EQ(3, dlg.commands[IDC_CHECK3]);

    Click(two.m_hWnd, 5, 5);
    EXPECT_EQ(1, two.m_nCheck);
    Click(two.m_hWnd, 5, 5);
    EXPECT_EQ(0, two.m_nCheck);
    EXPECT_EQ(2, dlg.commands[IDC_CHECK2]);
}

TEST_F(ChecksFixture, AClickOnARadioButtonClearsTheGroupAndMovesTheTabStop)
{
    radios[0].SendMessage(BM_SETCHECK, 1);
    Click(radios[1].m_hWnd, 5, 5);
    EXPECT_EQ(0, radios[0].m_nCheck);
    EXPECT_FALSE(TabStop(radios[0]));
    EXPECT_EQ(1, radios[1].m_nCheck);
    EXPECT_TRUE(TabStop(radios[1]));
    EXPECT_EQ(1, dlg.commands[IDC_RADIO2]);

    Click(radios[1].m_hWnd, 5, 5);
    EXPECT_EQ(1, radios[1].m_nCheck);
    EXPECT_EQ(2, dlg.commands[IDC_RADIO2]);
    EXPECT_EQ(1, Checked());
}

TEST_F(ChecksFixture, ArrowKeysSkipDisabledButtonsAndLeaveOneChecked)
{
    radios[0].SendMessage(BM_SETCHECK, 1);
    radios[1].EnableWindow(FALSE);
    radios[0].SetFocus();
    EXPECT_TRUE(KeyDown(radios[0], VK_DOWN));
    EXPECT_EQ(1, radios[2].m_nCheck);
    EXPECT_TRUE(TabStop(radios[2]));
    EXPECT_EQ(radios[2].m_hWnd, ::GetFocus());
    EXPECT_EQ(1, Checked());
    EXPECT_EQ(1, dlg.commands[IDC_RADIO3]);

    // Up from the third wraps past the disabled one to the first.
    EXPECT_TRUE(KeyDown(radios[2], VK_UP));
    EXPECT_EQ(1, radios[0].m_nCheck);
    EXPECT_EQ(1, Checked());

    // No other enabled, visible radio button: nothing happens and the key goes on.
    radios[2].ShowWindow(SW_HIDE);
    EXPECT_FALSE(KeyDown(radios[0], VK_DOWN));
    EXPECT_EQ(1, radios[0].m_nCheck);
    EXPECT_EQ(1, dlg.commands[IDC_RADIO1]);
    EXPECT_EQ(DLGC_RADIOBUTTON, radios[0].SendMessage(WM_GETDLGCODE) & DLGC_RADIOBUTTON);
    EXPECT_EQ(0, two.SendMessage(WM_GETDLGCODE) & DLGC_RADIOBUTTON);
}

TEST_F(ChecksFixture, TheMarkIsDrawnWithTheStateIndexOfItsLook)
{
    DibSurface surface(160, 24);
    tri.m_nCheck = 1;
    tri.m_bState |= CUiButton::kHover;
    tri.m_bPressFlags = CUiCheckBox::kMouseHeld;
    tri.PaintButton(*surface.cdc(), false);
    EXPECT_EQ(4, tri.nIndex);

    tri.m_bState &= ~CUiButton::kHover;
    tri.m_bPressFlags = 0;
    tri.m_nCheck = 2;
    tri.EnableWindow(FALSE);
    tri.PaintButton(*surface.cdc(), false);
    EXPECT_EQ(11, tri.nIndex);

    radios[0].m_nCheck = 1;
    radios[0].m_bPressFlags = CUiCheckBox::kSpaceHeld;
    radios[0].PaintButton(*surface.cdc(), false);
    EXPECT_EQ(3, radios[0].nIndex);

    // The rest of the tables: hover without the button, the button held outside.
    EXPECT_EQ(kUiMarkHover, UiMarkLook(true, true, false, false));
    EXPECT_EQ(kUiMarkHover, UiMarkLook(true, false, true, false));
    EXPECT_EQ(kUiMarkNormal, UiMarkLook(true, false, false, false));
    EXPECT_EQ(kUiMarkDisabled, UiMarkLook(false, true, true, true));
    EXPECT_EQ(8, UiCheckBoxStateIndex(kUiMarkHover, 2));
    EXPECT_EQ(5, UiRadioStateIndex(kUiMarkHover, 1));
    EXPECT_EQ(6, UiRadioStateIndex(kUiMarkDisabled, 0));
}

TEST_F(ChecksFixture, WithoutAHookTheMarkIsTheFrameControlsAndTheTextIsPainted)
{
    DibSurface surface(160, 24, RGB(1, 2, 3));
    two.SendMessage(BM_SETCHECK, 1);
    two.PaintButton(*surface.cdc(), false);
    // The box's white face and the check mark's dark pixels inside the 13 x 13 box.
    int nWhite = 0, nDark = 0;
    CRect rcClient;
    two.GetClientRect(&rcClient);
    const int yBox = (rcClient.Height() - 13) / 2;
    for (int y = yBox + 2; y < yBox + 11; ++y) {
        for (int x = 2; x < 11; ++x) {
            const COLORREF clr = surface.Pixel(x, y);
            nWhite += clr == RGB(255, 255, 255) ? 1 : 0;
            nDark += GetRValue(clr) < 64 && GetGValue(clr) < 64 ? 1 : 0;
        }
    }
    EXPECT_GT(nWhite, 20);
    EXPECT_GT(nDark, 4);
    EXPECT_NE(RGB(1, 2, 3), surface.Pixel(rcClient.right - 1, rcClient.bottom - 1));
}
