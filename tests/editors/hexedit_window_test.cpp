// CHexEdit as a window: run-time creation, the registered class in a dialog template bound by
// DDX_Control, dialog navigation with Tab, and the marker tooltip.
#include <string>

#include "hexedit_test_support.h"

using namespace winharness;

namespace {

const UINT kHexId = 100;
const UINT kEdit1Id = 101;
const UINT kEdit2Id = 102;

// A dialog template in memory: a CHexEdit control followed by two edits, in tab order.
class DialogTemplate {
public:
    DialogTemplate()
    {
        Dword(WS_POPUP | WS_VISIBLE | DS_SETFONT);
        Dword(0);
        m_countAt = m_words.size();
        Word(0);
        Short(0), Short(0), Short(300), Short(200);
        Word(0);  // no menu
        Word(0);  // the dialog class
        String("hex dialog");
        Word(9);
        String("MS Shell Dlg");
        Item(WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | WS_HSCROLL, 5, 5, 200, 120, kHexId, "CHexEdit");
        Item(WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER, 5, 130, 100, 14, kEdit1Id, "EDIT");
        Item(WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER, 5, 150, 100, 14, kEdit2Id, "EDIT");
    }

    LPCDLGTEMPLATE Get() const { return reinterpret_cast<LPCDLGTEMPLATE>(m_words.data()); }

private:
    void Word(WORD w) { m_words.push_back(w); }
    void Short(short s) { m_words.push_back(static_cast<WORD>(s)); }
    void Dword(DWORD d)
    {
        Word(LOWORD(d));
        Word(HIWORD(d));
    }
    void String(const char* text)
    {
        for (const char* p = text; *p; ++p)
            Word(static_cast<WORD>(static_cast<BYTE>(*p)));
        Word(0);
    }
    void Item(DWORD style, short x, short y, short cx, short cy, WORD id, const char* className)
    {
        if (m_words.size() % 2)
            Word(0);  // items start on a DWORD boundary
        Dword(style);
        Dword(0);
        Short(x), Short(y), Short(cx), Short(cy);
        Word(id);
        String(className);
        String("");
        Word(0);
        ++m_words[m_countAt];
    }

    std::vector<WORD> m_words;
    size_t m_countAt = 0;
};

class HexDialog : public CDialog {
public:
    CHexEdit m_hex;

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        CDialog::DoDataExchange(pDX);
        DDX_Control(pDX, kHexId, m_hex);
    }
};

}  // namespace

TEST(HexEditWindow, IsCreatableByItsRunTimeClassName)
{
    CObject* object = CRuntimeClass::CreateObject("CHexEdit");
    ASSERT_TRUE(object != NULL);
    ASSERT_TRUE(object->IsKindOf(RUNTIME_CLASS(CHexEdit)));
    CHexEdit* hex = static_cast<CHexEdit*>(object);
    HiddenParent parent;
    const RECT rc = {0, 0, 300, 200};
    ASSERT_TRUE(hex->Create(WS_CHILD | WS_VISIBLE | WS_BORDER, rc, CWnd::FromHandle(parent), 5));
    char name[32] = "";
    GetClassNameA(hex->m_hWnd, name, sizeof(name));
    EXPECT_STREQ("CHexEdit", name);
    EXPECT_TRUE(GetClassLongA(hex->m_hWnd, GCL_STYLE) & CS_DBLCLKS);
    EXPECT_EQ(LoadCursor(NULL, IDC_IBEAM), reinterpret_cast<HCURSOR>(GetClassLongPtrA(hex->m_hWnd, GCLP_HCURSOR)));
    EXPECT_FALSE(hex->GetStyle() & WS_BORDER);
    EXPECT_TRUE(hex->GetExStyle() & WS_EX_CLIENTEDGE);
    EXPECT_EQ(static_cast<LRESULT>(DLGC_WANTALLKEYS), hex->SendMessage(WM_GETDLGCODE));
    // Laid out on creation: two rows fit, the line does not.
    hex->SetData(SafeBytes(Bytes(20, 1)));
    EXPECT_GT(hex->GetModel().GetLayout().nVisibleRows, 2);
    EXPECT_FALSE(hex->GetStyle() & WS_VSCROLL);
    EXPECT_EQ(hex->GetModel().GetColumns().nLineWidth > hex->GetModel().GetLayout().nVisibleCols,
              (hex->GetStyle() & WS_HSCROLL) != 0);
    delete hex;
}

TEST(HexEditWindow, DialogTemplateNamesTheClassAndDdxControlBindsIt)
{
    ASSERT_TRUE(CHexEdit::RegisterWndClass());
    HiddenParent parent;
    DialogTemplate dlgTemplate;
    HexDialog dlg;
    ASSERT_TRUE(dlg.CreateIndirect(dlgTemplate.Get(), CWnd::FromHandle(parent)));
    CHexEdit& hex = dlg.m_hex;
    ASSERT_TRUE(hex.m_hWnd != NULL);
    EXPECT_EQ(&hex, CWnd::FromHandlePermanent(::GetDlgItem(dlg.m_hWnd, kHexId)));
    // Bound after the template made it: it was laid out in PreSubclassWindow.
    EXPECT_GT(hex.GetModel().GetLayout().nVisibleRows, 2);

    hex.SetData(SafeBytes(B({0x10, 0x20, 0x30})));
    hex.SetFocus();
    ASSERT_EQ(hex.m_hWnd, ::GetFocus());
    // Arrows go to the control through the dialog's own key handling.
    MSG msg = {hex.m_hWnd, WM_KEYDOWN, VK_RIGHT, static_cast<LPARAM>(KeyLParam(VK_RIGHT, false))};
    EXPECT_TRUE(CWnd::WalkPreTranslateTree(dlg.m_hWnd, &msg));
    EXPECT_EQ(1, hex.GetModel().GetCaret());

    // Tab: the dialog hands it to the control, which asks the dialog for the next control.
    msg.wParam = VK_TAB;
    msg.lParam = KeyLParam(VK_TAB, false);
    EXPECT_TRUE(CWnd::WalkPreTranslateTree(dlg.m_hWnd, &msg));
    EXPECT_EQ(::GetDlgItem(dlg.m_hWnd, kEdit1Id), ::GetFocus());
    // Shift+Tab goes backwards (round to the last control).
    hex.SetFocus();
    SendKey(hex, VK_TAB, kShift);
    EXPECT_EQ(::GetDlgItem(dlg.m_hWnd, kEdit2Id), ::GetFocus());
    // Ctrl+Tab does nothing.
    hex.SetFocus();
    SendKey(hex, VK_TAB, kCtrl);
    EXPECT_EQ(hex.m_hWnd, ::GetFocus());
    dlg.DestroyWindow();
}

TEST(HexEditWindow, MarkerTooltipShowsTheCommentUnderTheMouse)
{
    HiddenParent parent;
    CHexEdit hex;
    ASSERT_TRUE(MakeEditor(hex, parent, Bytes(32, 0)));
    hex.AddMarker(1, 2, 0x0000FF, 0xCCCCEE, "abc");
    hex.AddMarker(20, 1, 0x0000FF, 0xCCCCEE, std::string(2000, 'x').c_str());
    // Made on the first mouse move, not before.
    EXPECT_EQ(NULL, ToolTipWithToolFor(hex.m_hWnd));

    POINT pt = PointOfByte(hex.GetModel(), 2, false);
    SendMouse(hex, WM_MOUSEMOVE, pt.x, pt.y);
    const HWND tip = ToolTipWithToolFor(hex.m_hWnd);
    ASSERT_TRUE(tip != NULL);
    EXPECT_EQ("abc", ToolTipText(tip, hex.m_hWnd));

    pt = PointOfByte(hex.GetModel(), 5, true);
    SendMouse(hex, WM_MOUSEMOVE, pt.x, pt.y);
    EXPECT_EQ("", ToolTipText(tip, hex.m_hWnd));

    // A comment longer than the tip buffer is cut to it (the tooltip reports only the start).
    pt = PointOfByte(hex.GetModel(), 20, true);
    SendMouse(hex, WM_MOUSEMOVE, pt.x, pt.y);
    const std::string text = ToolTipText(tip, hex.m_hWnd);
    EXPECT_GE(text.size(), 80u);
    EXPECT_EQ(std::string(text.size(), 'x'), text);

    // The tool follows the client area when the control is resized.
    hex.SetWindowPos(NULL, 0, 0, 500, 300, SWP_NOMOVE | SWP_NOZORDER);
    TOOLINFOA ti = {};
    ti.cbSize = TTTOOLINFOA_V2_SIZE;
    ti.hwnd = hex.m_hWnd;
    ASSERT_TRUE(SendMessageA(tip, TTM_GETTOOLINFOA, 0, reinterpret_cast<LPARAM>(&ti)));
    CRect rc;
    hex.GetClientRect(&rc);
    EXPECT_EQ(rc, CRect(ti.rect));
    EXPECT_EQ(ToolTipWithToolFor(hex.m_hWnd), tip);
}

TEST(HexEditWindow, RelayTooltipIsMadeOnTheFirstRelayedMessage)
{
    HiddenParent parent;
    CHexEdit hex;
    ASSERT_TRUE(MakeEditor(hex, parent, Bytes(8, 0)));
    const int before = CountToolTipWindows();
    MSG msg = {hex.m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5)};
    hex.PreTranslateMessage(&msg);
    EXPECT_EQ(before + 1, CountToolTipWindows());
    hex.PreTranslateMessage(&msg);
    EXPECT_EQ(before + 1, CountToolTipWindows());
    hex.DestroyWindow();
    EXPECT_EQ(before, CountToolTipWindows());
}
