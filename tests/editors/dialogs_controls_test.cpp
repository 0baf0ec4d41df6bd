// The hex-digit edit and the colour button as real controls: typed characters, clipboard
// shortcuts, the colour dialog through the prompt hook, the click reaching the parent after
// the choice, and the painted swatch.
#include <gtest/gtest.h>

#include "colorbutton.h"
#include "numericedit.h"
#include "winharness.h"

using namespace winharness;

namespace {

const UINT kButtonId = 100;

// Records the button's colour when the click reaches the parent.
class CClickParent : public CWnd {
public:
    CColorButton* pButton = nullptr;
    std::vector<COLORREF> colorsSeen;

    afx_msg void OnButtonClicked()
    {
        if (pButton != nullptr)
            colorsSeen.push_back(pButton->GetColor());
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CClickParent, CWnd)
    ON_BN_CLICKED(kButtonId, OnButtonClicked)
END_MESSAGE_MAP()

void PutTextOnClipboard(HWND owner, const char* text)
{
    ASSERT_TRUE(OpenClipboard(owner));
    EmptyClipboard();
    const size_t n = strlen(text) + 1;
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, n);
    memcpy(GlobalLock(h), text, n);
    GlobalUnlock(h);
    SetClipboardData(CF_TEXT, h);
    CloseClipboard();
}

std::string TextOf(const CWnd& wnd)
{
    CString s;
    wnd.GetWindowText(s);
    return static_cast<LPCSTR>(s);
}

} // namespace

TEST(NumericEdit, TakesOnlyHexDigitsAndBackspaceFromTheKeyboard)
{
    HiddenParent parent;
    CNumericEdit edit;
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | ES_UPPERCASE | ES_AUTOHSCROLL, CRect(0, 0, 200, 24),
                            parent.wnd(), 10));
    for (char c : std::string("g- a1Fz\t"))
        SendChar(edit.m_hWnd, static_cast<unsigned char>(c));
    // 'a' shows upper-cased by the field's own style.
    EXPECT_EQ("A1F", TextOf(edit));
    SendChar(edit.m_hWnd, 8);
    EXPECT_EQ("A1", TextOf(edit));
}

TEST(NumericEdit, ClipboardShortcutsDoNothingButPastingByMessageIsNotFiltered)
{
    HiddenParent parent;
    CNumericEdit edit;
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | ES_UPPERCASE, CRect(0, 0, 200, 24), parent.wnd(), 10));
    CEdit plain;
    ASSERT_TRUE(plain.Create(WS_CHILD | WS_VISIBLE, CRect(0, 30, 200, 54), parent.wnd(), 11));
    PutTextOnClipboard(parent.hwnd(), "zz");

    // Ctrl+V arrives as the control character 0x16: a plain edit pastes, ours does not.
    SendChar(plain.m_hWnd, 0x16, kCtrl);
    EXPECT_EQ("zz", TextOf(plain));
    SendChar(edit.m_hWnd, 0x16, kCtrl);
    EXPECT_EQ("", TextOf(edit));

    edit.SendMessage(WM_PASTE);
    EXPECT_EQ("ZZ", TextOf(edit));
}

class ColorButtonTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), "colour test", WS_POPUP, 0, 0, 200, 100, NULL, NULL));
        HWND hButton = ::CreateWindowExA(0, "BUTTON", "", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 10, 10, 80, 30,
                                         parent.m_hWnd, reinterpret_cast<HMENU>(kButtonId), NULL, NULL);
        ASSERT_NE(hButton, (HWND)NULL);
        ASSERT_TRUE(button.SubclassWindow(hButton));
        parent.pButton = &button;
        button.SetColor(0x00AA00);
    }
    void TearDown() override
    {
        button.DestroyWindow();
        parent.DestroyWindow();
    }

    void Click()
    {
        parent.SendMessage(WM_COMMAND, MAKEWPARAM(kButtonId, BN_CLICKED), reinterpret_cast<LPARAM>(button.m_hWnd));
    }

    CClickParent parent;
    CColorButton button;
};

TEST_F(ColorButtonTest, BecomesOwnerDrawnWhenSubclassed)
{
    EXPECT_EQ(static_cast<DWORD>(BS_OWNERDRAW), button.GetStyle() & BS_TYPEMASK);
}

TEST_F(ColorButtonTest, CancelledDialogKeepsTheColourAndAChoiceReplacesIt)
{
    ScriptedPrompts prompts;
    prompts.colorAnswers = {-1, 0x123456};

    Click();
    ASSERT_EQ(1u, prompts.records.size());
    EXPECT_EQ("color", prompts.records[0].kind);
    EXPECT_EQ("00AA00", prompts.records[0].initial);
    EXPECT_EQ(static_cast<DWORD>(CC_RGBINIT | CC_FULLOPEN), prompts.records[0].flags & (CC_RGBINIT | CC_FULLOPEN));
    EXPECT_EQ(0x00AA00u, button.GetColor());

    Click();
    EXPECT_EQ(0x123456u, button.GetColor());
    // The click went on to the parent after each choice, which then read the colour.
    ASSERT_EQ(2u, parent.colorsSeen.size());
    EXPECT_EQ(0x00AA00u, parent.colorsSeen[0]);
    EXPECT_EQ(0x123456u, parent.colorsSeen[1]);
}

TEST_F(ColorButtonTest, WithoutTheDialogFlagAClickOnlyReachesTheParent)
{
    ScriptedPrompts prompts;
    button.m_bOpensDialog = 0;
    Click();
    EXPECT_TRUE(prompts.records.empty());
    EXPECT_EQ(1u, parent.colorsSeen.size());
}

TEST_F(ColorButtonTest, PaintsTheSwatchInItsColourAndCheckeredWhenDisabled)
{
    button.SetColor(0x123456);
    DibSurface surface(80, 30, RGB(1, 2, 3));
    DRAWITEMSTRUCT dis = {};
    dis.CtlType = ODT_BUTTON;
    dis.CtlID = kButtonId;
    dis.itemAction = ODA_DRAWENTIRE;
    dis.hwndItem = button.m_hWnd;
    dis.hDC = surface.dc();
    dis.rcItem = {0, 0, 80, 30};
    button.DrawItem(&dis);
    // The swatch lies 6 pixels inside the button on every side.
    EXPECT_EQ(0x123456u, surface.Pixel(40, 15));
    EXPECT_EQ(0x123456u, surface.Pixel(6, 6));
    EXPECT_EQ(0x123456u, surface.Pixel(73, 23));
    EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), surface.Pixel(0, 0));

    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    button.EnableWindow(FALSE);
    dis.itemState = ODS_DISABLED;
    surface.Fill(RGB(1, 2, 3));
    button.DrawItem(&dis);
    for (int y = 10; y < 14; ++y) {
        for (int x = 30; x < 34; ++x)
            EXPECT_EQ(((x + y) % 2 == 0) ? face : 0x123456u, surface.Pixel(x, y)) << x << "," << y;
    }
}
