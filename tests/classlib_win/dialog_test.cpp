// Dialogs: modal runs from a resource template with init data, data exchange both ways,
// validation, the owner's state, templates from memory, and the common dialogs through the
// prompt hook.
#include "test_app.h"
#include "afxdialog.h"
#include "afxctrls.h"
#include "afxdlgs.h"
#include "winharness.h"
#include <gtest/gtest.h>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

using namespace winharness;

namespace {

class CDataDlg : public CDialog {
public:
    explicit CDataDlg(CWnd* pParent) : CDialog(IDD_TEST_DATA, pParent) {}

    int m_nNumber = 7;
    CString m_strName = "初期";
    int m_nChoice = 1;
    int m_nCheck = 1;
    int m_nRadio = 2;
    CComboBox m_combo;

    // What the test saw while the dialog ran.
    std::vector<std::string> comboItems;
    std::string numberShown;
    std::string nameShown;
    BOOL bOwnerEnabledDuringRun = TRUE;
    int nDestroyCalls = 0;
    // Texts typed into the fields before OK is pressed; the script of the run.
    std::string typeNumber = "42";
    std::string typeName = "名前テスト";
    bool bCancelAfterFailure = false;

    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Control(pDX, IDC_CHOICE, m_combo);
        DDX_Text(pDX, IDC_NUMBER, m_nNumber);
        DDV_MinMaxInt(pDX, m_nNumber, 0, 1000);
        DDX_Text(pDX, IDC_NAME, m_strName);
        DDV_MaxChars(pDX, m_strName, 20);
        DDX_CBIndex(pDX, IDC_CHOICE, m_nChoice);
        DDX_Check(pDX, IDC_CHECK, m_nCheck);
        DDX_Radio(pDX, IDC_RADIO_A, m_nRadio);
    }

    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        for (int i = 0; i < m_combo.GetCount(); ++i) {
            CString s;
            m_combo.GetLBText(i, s);
            comboItems.push_back((LPCSTR)s);
        }
        CString s;
        GetDlgItemText(IDC_NUMBER, s);
        numberShown = (LPCSTR)s;
        GetDlgItemText(IDC_NAME, s);
        nameShown = (LPCSTR)s;
        HWND hOwner = ::GetWindow(m_hWnd, GW_OWNER);
        bOwnerEnabledDuringRun = ::IsWindowEnabled(hOwner);
        SetDlgItemText(IDC_NUMBER, typeNumber.c_str());
        SetDlgItemText(IDC_NAME, typeName.c_str());
        m_combo.SetCurSel(2);
        CheckRadioButton(IDC_RADIO_A, IDC_RADIO_C, IDC_RADIO_B);
        PostMessage(WM_COMMAND, IDOK);
        if (bCancelAfterFailure)
            PostMessage(WM_COMMAND, IDCANCEL);
        return TRUE;
    }

    BOOL DestroyWindow() override
    {
        ++nDestroyCalls;
        return CDialog::DestroyWindow();
    }
};

} // namespace

TEST(Dialog, DoModalFillsTheComboFromInitDataAndExchangesData)
{
    HiddenParent owner;
    ASSERT_TRUE(::IsWindowEnabled(owner));
    CDataDlg dlg(owner.wnd());
    EXPECT_EQ(dlg.DoModal(), IDOK);

    EXPECT_EQ(dlg.comboItems, (std::vector<std::string>{"CR+LF", "LF", "全角"}));
    EXPECT_EQ(dlg.numberShown, "7");
    EXPECT_EQ(dlg.nameShown, "初期");
    EXPECT_FALSE(dlg.bOwnerEnabledDuringRun);
    EXPECT_TRUE(::IsWindowEnabled(owner));
    EXPECT_EQ(dlg.nDestroyCalls, 1);
    EXPECT_EQ(dlg.m_hWnd, (HWND)NULL);
    EXPECT_EQ(dlg.m_combo.m_hWnd, (HWND)NULL);

    EXPECT_EQ(dlg.m_nNumber, 42);
    EXPECT_EQ(dlg.m_strName, "名前テスト");
    EXPECT_EQ(dlg.m_nChoice, 2);
    EXPECT_EQ(dlg.m_nCheck, 1);
    EXPECT_EQ(dlg.m_nRadio, 1);
}

TEST(Dialog, ValidationFailureKeepsTheDialogOpenAndTellsTheUser)
{
    ScriptedPrompts prompts;
    HiddenParent owner;
    CDataDlg dlg(owner.wnd());
    dlg.typeNumber = "12x";
    dlg.bCancelAfterFailure = true;
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    ASSERT_EQ(prompts.records.size(), 1u);
    EXPECT_EQ(prompts.records[0].text, "整数を入力してください。");
    EXPECT_EQ(dlg.m_nNumber, 7);   // unchanged
    EXPECT_EQ(dlg.nDestroyCalls, 1);
    EXPECT_TRUE(::IsWindowEnabled(owner));

    CDataDlg range(owner.wnd());
    range.typeNumber = "5000";
    range.bCancelAfterFailure = true;
    EXPECT_EQ(range.DoModal(), IDCANCEL);
    ASSERT_EQ(prompts.records.size(), 2u);
    EXPECT_EQ(prompts.records[1].text, "0 から 1000 までの整数を入力してください。");

    CDataDlg tooLong(owner.wnd());
    tooLong.typeName = std::string(25, 'x');
    tooLong.bCancelAfterFailure = true;
    EXPECT_EQ(tooLong.DoModal(), IDCANCEL);
    ASSERT_EQ(prompts.records.size(), 3u);
    EXPECT_EQ(prompts.records[2].text, "20 文字以内で入力してください。");
    // The exchange had already stored the text when the check failed, as it does in order.
    EXPECT_EQ(tooLong.m_strName, CString(std::string(25, 'x').c_str()));
    // While loading, the field itself was limited to 20 characters.
    EXPECT_EQ(tooLong.nDestroyCalls, 1);
}

namespace {

// A template in memory with one edit control, ended from OnInitDialog.
// Items start on a DWORD boundary: the header with its three empty arrays is 24 bytes.
struct alignas(4) EditDialogTemplate {
    DLGTEMPLATE dlg;
    WORD menu, cls, title;
    DLGITEMTEMPLATE item;
    WORD itemClass[2];
    WORD itemTitle;
    WORD itemData;
};

class CMemoryDlg : public CDialog {
public:
    int nDestroyCalls = 0;
    BOOL bEditFound = FALSE;
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        bEditFound = GetDlgItem(500) != nullptr;
        EndDialog(5);
        return TRUE;
    }
    BOOL DestroyWindow() override
    {
        ++nDestroyCalls;
        return CDialog::DestroyWindow();
    }
};

} // namespace

TEST(Dialog, TemplateFromMemoryEndedDuringInitialisation)
{
    EditDialogTemplate t = {};
    t.dlg.style = WS_POPUP | WS_CAPTION;
    t.dlg.cdit = 1;
    t.dlg.cx = 100;
    t.dlg.cy = 50;
    t.item.style = WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL;
    t.item.x = 5;
    t.item.y = 5;
    t.item.cx = 80;
    t.item.cy = 12;
    t.item.id = 500;
    t.itemClass[0] = 0xFFFF;
    t.itemClass[1] = 0x0081;   // edit
    HiddenParent owner;
    CMemoryDlg dlg;
    dlg.InitModalIndirect(&t.dlg, owner.wnd());
    EXPECT_EQ(dlg.DoModal(), 5);
    EXPECT_TRUE(dlg.bEditFound);
    EXPECT_EQ(dlg.nDestroyCalls, 1);
    EXPECT_TRUE(::IsWindowEnabled(owner));
}

TEST(Dialog, ModelessDialogFromAResource)
{
    HiddenParent owner;
    CDialog dlg;
    ASSERT_TRUE(dlg.Create(IDD_TEST_DATA, owner.wnd()));
    CComboBox* pCombo = (CComboBox*)dlg.GetDlgItem(IDC_CHOICE);
    ASSERT_NE(pCombo, nullptr);
    EXPECT_EQ(pCombo->GetCount(), 3);
    EXPECT_TRUE(::IsWindowEnabled(owner));
    EXPECT_TRUE(dlg.DestroyWindow());
    EXPECT_EQ(dlg.m_hWnd, (HWND)NULL);
}

TEST(CommonDialogs, FileDialogPassesItsFilterAndReturnsTheChosenPath)
{
    ScriptedPrompts prompts;
    prompts.fileAnswers.push_back("C:\\logs\\today.mqt");
    prompts.fileAnswers.push_back("");
    CFileDialog save(FALSE, ".mqt", "C:\\logs\\old.mqt", OFN_OVERWRITEPROMPT,
                     "Mirtolex Log file(*.mqt)|*.mqt|All Files(*.*)|*.*||");
    ASSERT_EQ(save.DoModal(), IDOK);
    EXPECT_EQ(save.GetPathName(), "C:\\logs\\today.mqt");
    EXPECT_EQ(save.GetFileName(), "today.mqt");
    EXPECT_EQ(save.GetFileExt(), "mqt");
    EXPECT_EQ(save.GetFileTitle(), "today");
    ASSERT_EQ(prompts.records.size(), 1u);
    EXPECT_EQ(prompts.records[0].kind, "file-save");
    EXPECT_EQ(prompts.records[0].filter, "Mirtolex Log file(*.mqt)|*.mqt|All Files(*.*)|*.*||");
    EXPECT_EQ(prompts.records[0].defExt, "mqt");   // without the dot
    EXPECT_EQ(prompts.records[0].initial, "C:\\logs\\old.mqt");
    EXPECT_TRUE(prompts.records[0].flags & OFN_OVERWRITEPROMPT);

    // A '|' that is the second byte of a double-byte character stays in the filter text.
    CFileDialog open(TRUE, "bin", NULL, OFN_FILEMUSTEXIST, "ソ\x7C|*.bin||");
    EXPECT_EQ(open.DoModal(), IDCANCEL);
    ASSERT_EQ(prompts.records.size(), 2u);
    EXPECT_EQ(prompts.records[1].kind, "file-open");
}

TEST(CommonDialogs, ColourDialogAndFolderBrowser)
{
    ScriptedPrompts prompts;
    prompts.colorAnswers.push_back(0x123456);
    CColorDialog dlg(0x00FF00, CC_FULLOPEN);
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.GetColor(), (COLORREF)0x123456);
    EXPECT_EQ(prompts.records[0].kind, "color");
    EXPECT_EQ(prompts.records[0].initial, "00FF00");
    EXPECT_TRUE(prompts.records[0].flags & CC_RGBINIT);

    CColorDialog cancelled;
    EXPECT_EQ(cancelled.DoModal(), IDCANCEL);

    prompts.folderAnswers.push_back("C:\\data");
    CString strFolder = "unchanged";
    EXPECT_TRUE(AfxBrowseForFolder(NULL, "保存を行うディレクトリを指定してください。", strFolder));
    EXPECT_EQ(strFolder, "C:\\data");
    EXPECT_FALSE(AfxBrowseForFolder(NULL, "again", strFolder));
    EXPECT_EQ(strFolder, "C:\\data");
    EXPECT_EQ(prompts.records.back().kind, "folder");
}

namespace {

// A top-level window of the test's thread with a class of its own.
HWND MakeWindowOfClass(LPCSTR pszClass, WNDPROC proc, DWORD dwExStyle, DWORD dwStyle, int cx, int cy)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = proc;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.lpszClassName = pszClass;
    ::RegisterClassA(&wc);
    return ::CreateWindowExA(dwExStyle, pszClass, "", dwStyle, 0, 0, cx, cy, nullptr, nullptr, wc.hInstance, nullptr);
}

// A shown window that keeps the thread's queue from ever emptying: every message it takes
// posts the next and leaves it to paint, as a log flooded by a device does.
class QueueFlood {
public:
    QueueFlood()
    {
        m_hWnd = MakeWindowOfClass("KorvaneTestQueueFlood", Proc, WS_EX_TOOLWINDOW, WS_POPUP | WS_VISIBLE, 200, 100);
        ::PostMessageA(m_hWnd, WM_APP, 0, 0);
    }
    ~QueueFlood()
    {
        ::DestroyWindow(m_hWnd);
        PumpPending();
    }

private:
    static LRESULT CALLBACK Proc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_APP) {
            ::InvalidateRect(hWnd, nullptr, TRUE);
            ::PostMessageA(hWnd, WM_APP, 0, 0);
            return 0;
        }
        return ::DefWindowProcA(hWnd, message, wParam, lParam);
    }
    HWND m_hWnd;
};

// The first dialog of the thread, or of those shown only.
struct FindDialog {
    bool bShownOnly;
    HWND hFound;
};

BOOL CALLBACK FindDialogProc(HWND hWnd, LPARAM lParam)
{
    FindDialog* pFind = reinterpret_cast<FindDialog*>(lParam);
    char szClass[16] = "";
    ::GetClassNameA(hWnd, szClass, sizeof(szClass));
    if (std::string(szClass) == "#32770" && (!pFind->bShownOnly || ::IsWindowVisible(hWnd))) {
        pFind->hFound = hWnd;
        return FALSE;
    }
    return TRUE;
}

HWND DialogOfThread(DWORD dwThread, bool bShownOnly)
{
    FindDialog find = {bShownOnly, nullptr};
    ::EnumThreadWindows(dwThread, FindDialogProc, reinterpret_cast<LPARAM>(&find));
    return find.hFound;
}

// Cancels the thread's dialogs until they have gone, shown or not, as one may still be starting.
void CancelDialogsOf(DWORD dwThread)
{
    for (HWND h = DialogOfThread(dwThread, false); h != nullptr; h = DialogOfThread(dwThread, false)) {
        ::PostMessageA(h, WM_COMMAND, IDCANCEL, 0);
        ::Sleep(50);
    }
}

// Watches from another thread for a dialog of the calling thread to be shown, then cancels
// it; one that stays hidden is cancelled after five seconds all the same.
class ShownWatch {
public:
    ShownWatch() : m_dwThread(::GetCurrentThreadId())
    {
        m_hThread = ::CreateThread(nullptr, 0, Run, this, 0, nullptr);
    }
    // The time from the watch's start to the dialog being shown, or -1 when it never was.
    long Join()
    {
        ::WaitForSingleObject(m_hThread, INFINITE);
        ::CloseHandle(m_hThread);
        return m_nShownMs;
    }

private:
    static DWORD WINAPI Run(LPVOID pParam)
    {
        ShownWatch* self = static_cast<ShownWatch*>(pParam);
        const DWORD dwStart = ::GetTickCount();
        HWND hShown = nullptr;
        while (hShown == nullptr && ::GetTickCount() - dwStart < 5000) {
            hShown = DialogOfThread(self->m_dwThread, true);
            if (hShown == nullptr)
                ::Sleep(5);
        }
        if (hShown != nullptr)
            self->m_nShownMs = static_cast<long>(::GetTickCount() - dwStart);
        CancelDialogsOf(self->m_dwThread);
        return 0;
    }

    DWORD m_dwThread;
    HANDLE m_hThread;
    long m_nShownMs = -1;
};

} // namespace

// Whatever keeps the queue busy, a modal dialog of the library, a message box and the system's
// common dialogs are shown while the flood goes on, not when it ends.
TEST(Dialog, ModalDialogsAndBoxesShowWhileTheQueueNeverEmpties)
{
    HiddenParent owner;
    QueueFlood flood;
    auto ShownWithin = [](const char* pszWhat, const std::function<void()>& run) {
        ShownWatch watch;
        run();
        const long nMs = watch.Join();
        EXPECT_NE(-1, nMs) << pszWhat << " stayed hidden";
        std::printf("%s shown after %ld ms\n", pszWhat, nMs);
    };
    ShownWithin("dialog", [&] {
        CDialog dlg(IDD_TEST_DATA, owner.wnd());
        EXPECT_EQ(IDCANCEL, dlg.DoModal());
    });
    ShownWithin("message box", [] { AfxMessageBox("flood", MB_OKCANCEL); });
    ShownWithin("colour dialog", [] {
        CColorDialog dlg(0x00FF00, CC_FULLOPEN);
        dlg.DoModal();
    });
    ShownWithin("file dialog", [] {
        CFileDialog dlg(TRUE, "bin", nullptr, OFN_FILEMUSTEXIST, "*.bin|*.bin||");
        dlg.DoModal();
    });
}

namespace {

// A window of the test's thread that makes, when another thread asks, a dialog window made
// hidden on purpose (to be shown later, as a program may do), and destroys it again.
class HiddenDialogMaker {
public:
    enum { kMake = WM_APP + 1, kPing, kDestroy };
    HiddenDialogMaker()
    {
        m_hWnd = MakeWindowOfClass("KorvaneTestHiddenDialogMaker", Proc, 0, WS_POPUP, 10, 10);
        s_hPinged = ::CreateEventA(nullptr, FALSE, FALSE, nullptr);
    }
    ~HiddenDialogMaker()
    {
        ::DestroyWindow(m_hWnd);
        ::CloseHandle(s_hPinged);
    }
    HWND hwnd() const { return m_hWnd; }
    static HANDLE Pinged() { return s_hPinged; }

private:
    static LRESULT CALLBACK Proc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        switch (message) {
        case kMake:
            return (LRESULT)::CreateWindowExA(0, "#32770", "hidden", WS_POPUP | WS_CAPTION, 20, 20, 200, 100, nullptr,
                                              nullptr, ::GetModuleHandleA(nullptr), nullptr);
        case kPing:
            ::SetEvent(s_hPinged);
            return 0;
        case kDestroy:
            ::DestroyWindow((HWND)wParam);
            return 0;
        }
        return ::DefWindowProcA(hWnd, message, wParam, lParam);
    }
    HWND m_hWnd;
    static HANDLE s_hPinged;
};
HANDLE HiddenDialogMaker::s_hPinged = NULL;

// From another thread: once the box of the thread is shown, has the thread make a hidden
// dialog, lets the flood run well past the time in which the box was shown, sees whether
// the hidden dialog was shown, and then cancels the box.
struct HiddenDuringBox {
    DWORD dwThread;
    HWND hMaker;
    HWND hBox;
    HWND hHidden;
    bool bHiddenShown;

    static DWORD WINAPI Run(LPVOID pParam)
    {
        HiddenDuringBox* p = static_cast<HiddenDuringBox*>(pParam);
        const DWORD dwStart = ::GetTickCount();
        while (p->hBox == nullptr && ::GetTickCount() - dwStart < 5000) {
            p->hBox = DialogOfThread(p->dwThread, true);
            if (p->hBox == nullptr)
                ::Sleep(5);
        }
        if (p->hBox != nullptr) {
            // Made once the box has been shown for a while, and then left well past the time
            // in which a hidden box would have been shown.
            ::Sleep(400);
            p->hHidden = (HWND)::SendMessageA(p->hMaker, HiddenDialogMaker::kMake, 0, 0);
            ::Sleep(400);
            // A message posted now is taken through the box's loop, as the flood's are.
            ::PostMessageA(p->hMaker, HiddenDialogMaker::kPing, 0, 0);
            ::WaitForSingleObject(HiddenDialogMaker::Pinged(), 5000);
            p->bHiddenShown = p->hHidden != nullptr && ::IsWindowVisible(p->hHidden);
            ::SendMessageA(p->hMaker, HiddenDialogMaker::kDestroy, (WPARAM)p->hHidden, 0);
        }
        CancelDialogsOf(p->dwThread);
        return 0;
    }
};

} // namespace

// The box shown while the queue never empties is the only window shown for it: a dialog that
// the program makes hidden while the box waits stays hidden, however long the flood goes on.
TEST(Dialog, ADialogMadeHiddenWhileAMessageBoxWaitsStaysHidden)
{
    HiddenParent owner;
    QueueFlood flood;
    HiddenDialogMaker maker;
    HiddenDuringBox run = {::GetCurrentThreadId(), maker.hwnd(), nullptr, nullptr, false};
    const HANDLE hThread = ::CreateThread(nullptr, 0, HiddenDuringBox::Run, &run, 0, nullptr);
    AfxMessageBox("flood", MB_OKCANCEL);
    ::WaitForSingleObject(hThread, INFINITE);
    ::CloseHandle(hThread);
    ASSERT_NE(nullptr, run.hBox) << "the box stayed hidden";
    ASSERT_NE(nullptr, run.hHidden) << "no dialog was made while the box waited";
    EXPECT_FALSE(run.bHiddenShown) << "the dialog made hidden while the box waited was shown";
}

