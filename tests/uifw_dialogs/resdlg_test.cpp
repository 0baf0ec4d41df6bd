// CUiResDlg over the tests' own templates: found in any language, init data applied once,
// a failing record, missing and unmakeable templates.
#include "dialogs_test_support.h"
#include "uifw_dialogs_ids.h"

#include "resdlg.h"
#include "resourcemanager.h"

using namespace dlgtest;
using namespace winharness;

namespace {

std::vector<CString> ComboTexts(HWND hCombo)
{
    std::vector<CString> texts;
    const int n = (int)::SendMessageA(hCombo, CB_GETCOUNT, 0, 0);
    for (int i = 0; i < n; ++i) {
        char sz[64] = "";
        ::SendMessageA(hCombo, CB_GETLBTEXT, (WPARAM)i, (LPARAM)sz);
        texts.push_back(sz);
    }
    return texts;
}

// The combo box seen from inside: initial updates counted, and the n-th added string
// refused for lack of space when asked.
class ComboSpy : public CWnd {
public:
    int nInitialUpdates = 0;
    int nAdds = 0;
    int nFailAt = 0;
    LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override
    {
        if (nMsg == WM_INITIALUPDATE)
            ++nInitialUpdates;
        if (nMsg == CB_ADDSTRING && ++nAdds == nFailAt)
            return CB_ERRSPACE;
        return CWnd::WindowProc(nMsg, wParam, lParam);
    }
};

class SpyDialog : public CUiResDlg {
public:
    explicit SpyDialog(UINT nId = 0, CWnd* pParent = nullptr) : CUiResDlg(nId, pParent) {}
    ComboSpy spy;
    int nFailAt = 0;
    bool bEndInInit = false;
    std::vector<CString> textsAtInit;

protected:
    void PreInitDialog() override
    {
        spy.nFailAt = nFailAt;
        spy.SubclassWindow(::GetDlgItem(m_hWnd, IDC_COMBO));
    }
    BOOL OnInitDialog() override
    {
        BOOL b = CUiResDlg::OnInitDialog();
        textsAtInit = ComboTexts(spy.m_hWnd);
        if (bEndInInit)
            EndDialog(IDOK);
        return b;
    }
};

const std::vector<CString> kABC = {"a", "b", "c"};

} // namespace

TEST(ResDlgTest, AJapaneseOnlyTemplateIsFoundForAnEnglishManagerAndItsInitDataGoesInOnce)
{
    DialogScope scope;
    ResourceManagerHolder::InstallResourceManager(new CUiResourceManager(true, 0x0409));
    HiddenParent parent;
    SpyDialog dlg;
    ASSERT_TRUE(dlg.Create(IDD_JAPANESE_COMBO, parent.wnd()));
    EXPECT_EQ(kABC, ComboTexts(dlg.spy.m_hWnd));
    EXPECT_EQ(1, dlg.spy.nInitialUpdates);
    dlg.DestroyWindow();

    // Modal, through the class library's run: once again three strings, not six.
    SpyDialog modal(IDD_JAPANESE_COMBO, parent.wnd());
    modal.bEndInInit = true;
    EXPECT_EQ(IDOK, modal.DoModal());
    EXPECT_EQ(kABC, modal.textsAtInit);
    EXPECT_EQ(NULL, modal.GetSafeHwnd());
}

TEST(ResDlgTest, AFailingRecordStopsTheRestAndTheInitialUpdateButNotTheDialog)
{
    DialogScope scope;
    HiddenParent parent;
    SpyDialog dlg;
    dlg.nFailAt = 2;
    ASSERT_TRUE(dlg.Create(IDD_JAPANESE_COMBO, parent.wnd()));
    EXPECT_EQ(std::vector<CString>{"a"}, ComboTexts(dlg.spy.m_hWnd));
    EXPECT_EQ(0, dlg.spy.nInitialUpdates);
    EXPECT_TRUE(::IsWindow(dlg.m_hWnd));
    dlg.DestroyWindow();
}

TEST(ResDlgTest, AMissingOrUnmakeableTemplateFailsAndGivesTheOwnerBack)
{
    DialogScope scope;
    HiddenParent parent;
    CUiResDlg missing(4321, parent.wnd());
    EXPECT_EQ(-1, missing.DoModal());
    CUiResDlg missingModeless;
    EXPECT_FALSE(missingModeless.Create(4321, parent.wnd()));

    CUiResDlg broken(IDD_BROKEN, parent.wnd());
    EXPECT_EQ(-1, broken.DoModal());
    EXPECT_TRUE(::IsWindowEnabled(parent));
    EXPECT_EQ(NULL, broken.GetSafeHwnd());
    EXPECT_EQ(NULL, ::GetWindow(parent, GW_ENABLEDPOPUP));
}
