// The extension-DLL selection dialog and the extension-DLL page over four copies of the
// recording extension DLL in a folder of the tests' own: A answers everything (comments with
// the release bit), B fails the version query, C answers details with data of its own, D has
// no settings window. Each copy is loaded and scripted by the test first, so the dialog and
// the page share its module and its record of the blocks it got.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "bytes_test_support.h"
#include "dialogdriver.h"
#include "dllpage.h"
#include "dllselectdlg.h"
#include "messagetext.h"
#include "settings_test_support.h"
#include "shell_test_support.h"

using namespace settingstest;
using testbytes::BufferOf;
using testbytes::BytesOf;

namespace {

typedef std::array<DWORD, 10> Words;

const char kC1[] = "c1";
const char kC2[] = "c2";
const DWORD kTypeA = 0x0A0B0C0D;

class ExtCopy {
public:
    void Load(const std::string& path)
    {
        m_h = ::LoadLibraryA(path.c_str());
        ASSERT_NE((HMODULE)NULL, m_h) << path;
        m_add = reinterpret_cast<AddFn>(::GetProcAddress(m_h, "KvrTestAddReply"));
        m_reset = reinterpret_cast<void (*)()>(::GetProcAddress(m_h, "KvrTestReset"));
        m_count = reinterpret_cast<int (*)()>(::GetProcAddress(m_h, "KvrTestRequestCount"));
        m_get = reinterpret_cast<GetFn>(::GetProcAddress(m_h, "KvrTestGetRequest"));
        m_replyIn = reinterpret_cast<int (*)(int, DWORD*)>(::GetProcAddress(m_h, "KvrTestGetReplyIn"));
    }
    ~ExtCopy()
    {
        if (m_h != NULL)
            ::FreeLibrary(m_h);
    }

    void Reset() { m_reset(); }
    void Add(DWORD command, int result, const Words& words, const std::vector<BYTE>& data = {}, bool nullData = false)
    {
        m_add(command, result, words.data(), data.empty() ? nullptr : data.data(), static_cast<int>(data.size()),
              nullData ? 1 : 0, nullptr);
    }
    int Count() { return m_count(); }
    Words Request(int i, std::vector<BYTE>* pData = nullptr)
    {
        Words w = {};
        BYTE data[64] = {};
        const int n = m_get(i, w.data(), data, sizeof(data), nullptr, nullptr);
        if (pData != nullptr)
            pData->assign(data, data + (n > 0 ? n : 0));
        return w;
    }
    Words ReplyIn(int i)
    {
        Words w = {};
        m_replyIn(i, w.data());
        return w;
    }
    // The index of the first request at or after from whose word 0 is command, -1 when none.
    int Find(DWORD command, int from = 0)
    {
        for (int i = from; i < Count(); ++i) {
            if (Request(i)[0] == command)
                return i;
        }
        return -1;
    }

private:
    typedef void (*AddFn)(DWORD, int, const DWORD*, const BYTE*, int, int, const char*);
    typedef int (*GetFn)(int, DWORD*, BYTE*, int, char*, int*);
    HMODULE m_h = NULL;
    AddFn m_add = nullptr;
    void (*m_reset)() = nullptr;
    int (*m_count)() = nullptr;
    GetFn m_get = nullptr;
    int (*m_replyIn)(int, DWORD*) = nullptr;
};

Words CommentReply(const char* text)
{
    Words w = {};
    w[0] = 0x80000000;
    w[6] = reinterpret_cast<DWORD>(text);
    return w;
}

// The copies are made and mapped once, before any test of the run, in a folder beside the
// tests, and stay mapped: under Wine a DLL mapped after threads of the process have come and
// gone can fault in Wine's loader (the program maps the DLLs of its folder at its start for
// the same reason), the program keeps every extension DLL it mapped until it ends, and Wine
// removes no mapped file.
class DllCopies : public ::testing::Environment {
public:
    void SetUp() override
    {
        const std::string folder = ExeFolder() + "\\dllchoice";
        ::CreateDirectoryA(folder.c_str(), NULL);
        for (const char* name : {"A.dll", "B.dll", "C.dll", "D.dll"}) {
            const std::string path = folder + "\\" + name;
            ::CopyFileA((ExeFolder() + "\\kvrtest_ext.dll").c_str(), path.c_str(), FALSE);
            ::LoadLibraryA(path.c_str());
        }
    }
};
::testing::Environment* const g_pDllCopies = ::testing::AddGlobalTestEnvironment(new DllCopies);

class DllChoiceTest : public ::testing::Test {
protected:
    DllChoiceTest()
    {
        const char* names[4] = {"A", "B", "C", "D"};
        for (int i = 0; i < 4; ++i)
            dlls[i].Load(folder.File(std::string(names[i]) + ".dll"));
        Script();
    }

    struct Folder {
        std::string Path() const { return ExeFolder() + "\\dllchoice"; }
        std::string File(const std::string& name) const { return Path() + "\\" + name; }
    };
    static constexpr Folder folder = {};

    // The answers of each copy, from the start.
    void Script()
    {
        for (ExtCopy& dll : dlls)
            dll.Reset();
        A().Add(0x2000000, 0, Words{0, kTypeA});
        A().Add(0x1000000, 0, CommentReply(kC1));
        A().Add(0x1000000, 0, CommentReply(kC2));
        A().Add(0x4000000, 0, Words{0, 1});
        B().Add(0x2000000, 1, Words{});
        C().Add(0x4000000, 0, Words{0, 1});
        C().Add(0x8000000, 0, Words{0x80000000, 0, 0, 0, 0, 0, 0, 0, 0, 7}, {9, 8, 7, 6});
        D().Add(0x4000000, 0, Words{0, 0});
    }

    ExtCopy& A() { return dlls[0]; }
    ExtCopy& B() { return dlls[1]; }
    ExtCopy& C() { return dlls[2]; }
    ExtCopy& D() { return dlls[3]; }

    // The DLL names in the order the file system lists them.
    std::vector<std::string> FolderOrder()
    {
        std::vector<std::string> names;
        WIN32_FIND_DATAA found;
        HANDLE h = ::FindFirstFileA((folder.Path() + "\\*.dll").c_str(), &found);
        if (h != INVALID_HANDLE_VALUE) {
            do
                names.push_back(found.cFileName);
            while (::FindNextFileA(h, &found));
            ::FindClose(h);
        }
        return names;
    }

    PageClasses classes;
    ExtCopy dlls[4];
};

std::string Cell(HWND hList, int row, int column)
{
    return winharness::ListViewCell(hList, row, column);
}

int RowOf(HWND hList, const std::string& name)
{
    const int n = static_cast<int>(::SendMessageA(hList, LVM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < n; ++i) {
        if (Cell(hList, i, 1) == name)
            return i;
    }
    return -1;
}

void SelectRow(HWND hList, int row)
{
    LVITEMA item = {};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    ::SendMessageA(hList, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
}

void DoubleClick(HWND hDlg)
{
    NMITEMACTIVATE nm = {};
    nm.hdr.hwndFrom = ::GetDlgItem(hDlg, IDC_DLLSELECT_LIST);
    nm.hdr.idFrom = IDC_DLLSELECT_LIST;
    nm.hdr.code = NM_DBLCLK;
    ::SendMessageA(hDlg, WM_NOTIFY, IDC_DLLSELECT_LIST, reinterpret_cast<LPARAM>(&nm));
}

} // namespace

TEST_F(DllChoiceTest, SelectionDialogListsTheDllsThatAnswerAndReturnsTheChosenName)
{
    std::vector<std::vector<std::string>> rows;
    std::string details;
    bool openAfterEmptyOk = false;
    winharness::ScriptedPrompts prompts;
    prompts.messageAnswers = {IDOK};
    CDllSelectDlg dlg;
    dlg.m_strFolder = (folder.Path() + "\\").c_str();
    DialogDriver driver;
    driver.Step(1, [&](HWND hDlg) {
        HWND hList = ::GetDlgItem(hDlg, IDC_DLLSELECT_LIST);
        const int n = static_cast<int>(::SendMessageA(hList, LVM_GETITEMCOUNT, 0, 0));
        for (int i = 0; i < n; ++i)
            rows.push_back({Cell(hList, i, 0), Cell(hList, i, 1), Cell(hList, i, 2), Cell(hList, i, 3)});
        Press(hDlg, IDOK);
        openAfterEmptyOk = ::IsWindowVisible(hDlg) != FALSE;
        SelectRow(hList, RowOf(hList, "A.dll"));
        details = Text(hDlg, IDC_DLLSELECT_DETAILS);
        DoubleClick(hDlg);
    });
    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_STREQ("A.dll", dlg.m_strResult);

    std::vector<std::vector<std::string>> expected;
    for (const std::string& name : FolderOrder()) {
        if (name == "B.dll")
            continue;
        const std::string number = std::to_string(expected.size() + 1);
        if (name == "A.dll")
            expected.push_back({number, name, "0x0A0B0C0D", "c1"});
        else
            expected.push_back({number, name, "0x00010001", "Korvane test extension"});
    }
    EXPECT_EQ(expected, rows);
    EXPECT_EQ("Name:A.dll\r\nType:0A0B0C0D\r\n\r\nComment(1):\r\nc1\r\n\r\nComment(2):\r\nc2", details);
    ASSERT_EQ(1u, prompts.records.size());
    EXPECT_EQ(std::string(GetMessageText(13025)), prompts.records[0].text);
    EXPECT_TRUE(openAfterEmptyOk);

    // The follow-up after a comment is the DLL's own reply, the reply block left as it was.
    const int nComment = A().Find(0x1000000);
    ASSERT_GE(nComment, 0);
    EXPECT_EQ(CommentReply(kC1), A().Request(nComment + 1));
    EXPECT_EQ(CommentReply(kC1), A().ReplyIn(nComment + 1));
}

TEST_F(DllChoiceTest, PageShowsTheDllAndReleasesItsCommentsWithAZeroedReply)
{
    winharness::HiddenParent parent;
    CDllPage page(parent.wnd());
    page.SetPort(1);
    HWND hPage = page.GetSafeHwnd();
    CCommSetRecord set;
    SetCommSetDefaults(set, 1);

    set.m_strExtDllPath[1] = "A.dll";
    page.PutSettings(set);
    EXPECT_EQ("A.dll", Text(hPage, IDC_DLLPAGE_PATH));
    EXPECT_EQ("0x0A0B0C0D", Text(hPage, IDC_DLLPAGE_TYPE));
    EXPECT_EQ("c1", Text(hPage, IDC_DLLPAGE_COMMENT1));
    EXPECT_EQ("c2", Text(hPage, IDC_DLLPAGE_COMMENT2));
    EXPECT_TRUE(Enabled(hPage, IDC_DLLPAGE_CLEAR));
    EXPECT_TRUE(Enabled(hPage, IDC_DLLPAGE_DETAILS));
    const int nRelease = A().Find(0x80000000);
    ASSERT_GE(nRelease, 0);
    Words release = CommentReply(kC1);
    EXPECT_EQ(release, A().Request(nRelease));
    EXPECT_EQ(Words{}, A().ReplyIn(nRelease));

    // A comment address of 0 is an empty text.
    A().Reset();
    A().Add(0x1000000, 0, Words{});
    page.PutSettings(set);
    EXPECT_EQ("0x00010001", Text(hPage, IDC_DLLPAGE_TYPE));
    EXPECT_EQ("", Text(hPage, IDC_DLLPAGE_COMMENT1));
    EXPECT_EQ("", Text(hPage, IDC_DLLPAGE_COMMENT2));

    set.m_strExtDllPath[1] = "D.dll";
    page.PutSettings(set);
    EXPECT_TRUE(Enabled(hPage, IDC_DLLPAGE_CLEAR));
    EXPECT_FALSE(Enabled(hPage, IDC_DLLPAGE_DETAILS));

    set.m_strExtDllPath[1] = "NoSuchExtension.dll";
    page.PutSettings(set);
    for (int id : {IDC_DLLPAGE_PATH, IDC_DLLPAGE_TYPE, IDC_DLLPAGE_COMMENT1, IDC_DLLPAGE_COMMENT2})
        EXPECT_EQ("", Text(hPage, id)) << id;
    EXPECT_FALSE(Enabled(hPage, IDC_DLLPAGE_CLEAR));
    EXPECT_FALSE(Enabled(hPage, IDC_DLLPAGE_DETAILS));
    page.TakeSettings(set);
    EXPECT_STREQ("NoSuchExtension.dll", set.m_strExtDllPath[1]);
}

TEST_F(DllChoiceTest, DetailsHandTheDataOverAndTakeTheDllsReplyAsOutsideInput)
{
    winharness::HiddenParent parent;
    CDllPage page(parent.wnd());
    HWND hPage = page.GetSafeHwnd();
    CCommSetRecord set;
    SetCommSetDefaults(set, 1);
    set.m_strExtDllPath[0] = "C.dll";
    set.m_extSettings[0] = BufferOf({1, 2});
    page.PutSettings(set);

    Press(hPage, IDC_DLLPAGE_DETAILS);
    const int nDetails = C().Find(0x8000000);
    ASSERT_GE(nDetails, 0);
    std::vector<BYTE> sent;
    EXPECT_EQ(2u, C().Request(nDetails, &sent)[5]);
    EXPECT_EQ((std::vector<BYTE>{1, 2}), sent);
    EXPECT_EQ((std::vector<BYTE>{9, 8, 7, 6}), BytesOf(page.GetDllData()));
    // The release: a copy of the whole reply, the reply block passed on unchanged.
    const Words release = C().Request(nDetails + 1);
    EXPECT_EQ(0x80000000u, release[0]);
    EXPECT_EQ(4u, release[5]);
    EXPECT_EQ(7u, release[9]);
    EXPECT_EQ(release, C().ReplyIn(nDetails + 1));

    set.m_extSettings[0] = BufferOf({1, 2});
    page.PutSettings(set);
    C().Reset();
    C().Add(0x8000000, 0, Words{});
    Press(hPage, IDC_DLLPAGE_DETAILS);
    EXPECT_EQ((std::vector<BYTE>{1, 2}), BytesOf(page.GetDllData()));
    C().Reset();
    C().Add(0x8000000, 0, Words{}, {5}, true);
    Press(hPage, IDC_DLLPAGE_DETAILS);
    EXPECT_EQ((std::vector<BYTE>{1, 2}), BytesOf(page.GetDllData()));
}

TEST_F(DllChoiceTest, ChoosingAnotherDllDropsItsDataAndClearAsksFirst)
{
    winharness::HiddenParent parent;
    CDllPage page(parent.wnd());
    page.m_strSelectFolder = (folder.Path() + "\\").c_str();
    HWND hPage = page.GetSafeHwnd();
    CCommSetRecord set;
    SetCommSetDefaults(set, 1);
    set.m_strExtDllPath[0] = "C.dll";
    set.m_extSettings[0] = BufferOf({1, 2});
    page.PutSettings(set);

    auto choose = [&](const std::string& name) {
        Script();
        DialogDriver driver;
        driver.Step(1, [&](HWND hDlg) {
            SelectRow(::GetDlgItem(hDlg, IDC_DLLSELECT_LIST), RowOf(::GetDlgItem(hDlg, IDC_DLLSELECT_LIST), name));
            DialogDriver::Post(hDlg, IDOK);
        });
        Press(hPage, IDC_DLLPAGE_CHOOSE);
        EXPECT_TRUE(driver.AllStepsRun());
    };
    choose("C.dll");
    EXPECT_EQ((std::vector<BYTE>{1, 2}), BytesOf(page.GetDllData()));
    choose("A.dll");
    EXPECT_STREQ("A.dll", page.GetDllPath());
    EXPECT_TRUE(BytesOf(page.GetDllData()).empty());
    EXPECT_EQ("0x0A0B0C0D", Text(hPage, IDC_DLLPAGE_TYPE));

    winharness::ScriptedPrompts prompts;
    prompts.messageAnswers = {IDCANCEL, IDOK};
    Press(hPage, IDC_DLLPAGE_CLEAR);
    EXPECT_STREQ("A.dll", page.GetDllPath());
    ASSERT_EQ(1u, prompts.records.size());
    EXPECT_EQ(std::string(GetMessageText(13024)), prompts.records[0].text);
    EXPECT_EQ(static_cast<UINT>(MB_OKCANCEL | MB_ICONQUESTION), prompts.records[0].type);
    Press(hPage, IDC_DLLPAGE_CLEAR);
    EXPECT_STREQ("", page.GetDllPath());
    EXPECT_EQ("", Text(hPage, IDC_DLLPAGE_PATH));
    Press(hPage, IDC_DLLPAGE_CLEAR);
    EXPECT_EQ(2u, prompts.records.size());
}

TEST_F(DllChoiceTest, WithoutAFolderTheDialogSaysSoAndEndsCancelled)
{
    winharness::ScriptedPrompts prompts;
    prompts.messageAnswers = {IDOK};
    CDllSelectDlg dlg;
    dlg.m_strFolder.Empty();
    DialogDriver driver;
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    ASSERT_EQ(1u, prompts.records.size());
    EXPECT_EQ(std::string(GetMessageText(13026)), prompts.records[0].text);
    EXPECT_EQ(static_cast<UINT>(MB_ICONEXCLAMATION), prompts.records[0].type);
    EXPECT_TRUE(dlg.m_strResult.IsEmpty());
}
