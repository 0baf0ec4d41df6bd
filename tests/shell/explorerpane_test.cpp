// The send data explorer hosted from its template in a control bar of a test frame, beside a
// send data editor pane: the folder tree's order and expand buttons, the first fill along the
// working directory and its refresh after the disk changed, the selection's title and command
// state, sending a file and menu 193.
#include <gtest/gtest.h>

#include <shellapi.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "dataexplorerpane.h"
#include "pane_test_support.h"
#include "pane_test_tools.h"
#include "programdriver.h"
#include "popupmenuwnd.h"
#include "resource.h"
#include "sendeditorpane.h"
#include "shell_test_support.h"
#include "winharness.h"

using namespace panetest;

// The process's import slot of the shell call through which the folder tree asks for its
// items' icons.
extern "C" FARPROC g_shellFileInfoSlot asm("__imp__SHGetFileInfoA@20");

namespace {

// A test folder "<temp>\テスト_<pid>\work" made the working directory while alive.
class WorkFolder {
public:
    WorkFolder()
    {
        char temp[MAX_PATH] = "";
        ::GetTempPathA(MAX_PATH, temp);
        m_base = std::string(temp) + "テスト_" + std::to_string(::GetCurrentProcessId());
        // Process ids repeat: a run that ended early may have left its folder behind.
        e2e::RemoveFolder(m_base);
        ::CreateDirectoryA(m_base.c_str(), NULL);
        m_path = m_base + "\\work";
        ::CreateDirectoryA(m_path.c_str(), NULL);
        char old[MAX_PATH] = "";
        ::GetCurrentDirectoryA(MAX_PATH, old);
        m_old = old;
        ::SetCurrentDirectoryA(m_path.c_str());
    }
    ~WorkFolder()
    {
        ::SetCurrentDirectoryA(m_old.c_str());
        e2e::RemoveFolder(m_base);
    }
    const std::string& Path() const { return m_path; }
    std::string Sub(const std::string& name) const { return m_path + "\\" + name; }

private:
    std::string m_base, m_path, m_old;
};

std::vector<std::string> ChildTexts(CFolderTree& tree, HTREEITEM hItem)
{
    std::vector<std::string> texts;
    for (HTREEITEM h = tree.GetChildItem(hItem); h != NULL; h = tree.GetNextSiblingItem(h))
        texts.push_back(std::string(tree.GetItemText(h)));
    return texts;
}

HTREEITEM Child(CFolderTree& tree, HTREEITEM hItem, const std::string& text)
{
    for (HTREEITEM h = tree.GetChildItem(hItem); h != NULL; h = tree.GetNextSiblingItem(h))
        if (std::string(tree.GetItemText(h)) == text)
            return h;
    return NULL;
}

// What a tree shows below an item, in display order: each item's depth, text and icons, and
// whether it is open and has an expand button.
std::vector<std::string> ShownBelow(CFolderTree& tree, HTREEITEM hItem)
{
    std::vector<std::string> rows;
    for (HTREEITEM h = tree.GetChildItem(hItem); h != NULL; h = tree.GetNextVisibleItem(h)) {
        int depth = 0;
        HTREEITEM p = tree.GetParentItem(h);
        for (; p != NULL && p != hItem; p = tree.GetParentItem(p))
            ++depth;
        if (p == NULL)
            break;
        int image = -1, selected = -1;
        tree.GetItemImage(h, image, selected);
        rows.push_back(std::string(depth, ' ') + std::string(tree.GetItemText(h)) + " " + std::to_string(image) + "/" +
                       std::to_string(selected) + ((tree.GetItemState(h, TVIS_EXPANDED) & TVIS_EXPANDED) ? " open" : "") +
                       (tree.GetChildItem(h) != NULL ? " +" : ""));
    }
    return rows;
}

// The paths below a folder that the shell is asked about for icons while alive, each named
// from that folder down.
class IconLookups {
public:
    explicit IconLookups(const std::string& folder)
    {
        s_folder = folder + "\\";
        s_asked.clear();
        s_real = reinterpret_cast<Call>(Swap(reinterpret_cast<FARPROC>(&Record)));
    }
    ~IconLookups() { Swap(reinterpret_cast<FARPROC>(s_real)); }
    const std::set<std::string>& Asked() const { return s_asked; }

private:
    using Call = DWORD_PTR(WINAPI*)(LPCSTR, DWORD, SHFILEINFOA*, UINT, UINT);
    static FARPROC Swap(FARPROC next)
    {
        DWORD dwOld = 0;
        ::VirtualProtect(&g_shellFileInfoSlot, sizeof(FARPROC), PAGE_READWRITE, &dwOld);
        const FARPROC previous = g_shellFileInfoSlot;
        g_shellFileInfoSlot = next;
        ::VirtualProtect(&g_shellFileInfoSlot, sizeof(FARPROC), dwOld, &dwOld);
        return previous;
    }
    static DWORD_PTR WINAPI Record(LPCSTR pszPath, DWORD dwAttributes, SHFILEINFOA* pInfo, UINT cbInfo, UINT uFlags)
    {
        std::string path = pszPath;
        if ((uFlags & (SHGFI_ICON | SHGFI_SYSICONINDEX)) && !(uFlags & SHGFI_PIDL) && path.size() > s_folder.size() &&
            lstrcmpiA(path.substr(0, s_folder.size()).c_str(), s_folder.c_str()) == 0) {
            path = path.substr(s_folder.size());
            s_asked.insert(path.back() == '\\' ? path.substr(0, path.size() - 1) : path);
        }
        return s_real(pszPath, dwAttributes, pInfo, cbInfo, uFlags);
    }
    static inline std::string s_folder;
    static inline std::set<std::string> s_asked;
    static inline Call s_real = nullptr;
};

LRESULT NotifyFromTree(CDataExplorerPane& pane, UINT code)
{
    NMHDR hdr = {pane.GetTree().m_hWnd, IDC_EXPLORER_TREE, code};
    return pane.SendMessage(WM_NOTIFY, IDC_EXPLORER_TREE, reinterpret_cast<LPARAM>(&hdr));
}

// Enter typed as a hand types it, the main key or the keypad's.
void RealEnter(bool bKeypad)
{
    INPUT in[2] = {{INPUT_KEYBOARD, {}}, {INPUT_KEYBOARD, {}}};
    in[0].ki.wVk = in[1].ki.wVk = VK_RETURN;
    in[0].ki.wScan = in[1].ki.wScan = static_cast<WORD>(::MapVirtualKeyA(VK_RETURN, 0));
    in[0].ki.dwFlags = bKeypad ? KEYEVENTF_EXTENDEDKEY : 0;
    in[1].ki.dwFlags = in[0].ki.dwFlags | KEYEVENTF_KEYUP;
    ::SendInput(2, in, sizeof(INPUT));
}

// Takes the queue's messages as the application's loop does, each offered to the windows'
// pre-translation first, until pred() holds or a second has passed.
bool AppLoopUntil(const std::function<bool()>& pred)
{
    for (const DWORD dwStart = ::GetTickCount(); !pred() && ::GetTickCount() - dwStart < 1000; ::Sleep(1)) {
        MSG msg;
        while (::PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
            if (!AfxPreTranslateMessage(&msg)) {
                ::TranslateMessage(&msg);
                ::DispatchMessageA(&msg);
            }
        }
    }
    return pred();
}

class ExplorerPaneTest : public PaneHostFixture {
protected:
    ExplorerPaneTest()
    {
        ::CreateDirectoryA(work.Sub("Zeta").c_str(), NULL);
        ::CreateDirectoryA(work.Sub("alpha").c_str(), NULL);
        WriteFileBytes(work.Sub("b.bin"), "bytes of b");
        WriteFileBytes(work.Sub("h.txt"), "hidden");
        ::SetFileAttributesA(work.Sub("h.txt").c_str(), FILE_ATTRIBUTE_HIDDEN);
        WriteFileBytes(work.Sub("alpha\\only.txt"), "hidden only");
        ::SetFileAttributesA(work.Sub("alpha\\only.txt").c_str(), FILE_ATTRIBUTE_HIDDEN);

        bHosted = HostPane(editor, IDD_SEND_EDITOR_PANE, 32772, IDC_SEND_EDITOR);
        pEditorBar = bars.back();
        bHosted = bHosted && HostPane(pane, IDD_EXPLORER_PANE, 32777, IDC_EXPLORER_TREE);
        pBar = bars.back();
        editor.SetTitleTarget(pEditorBar);
        pane.SetTitleTarget(pBar);
        pane.SetSendEditorPane(&editor);
    }

    // The first refresh; true when the tree is filled.
    bool Fill()
    {
        pane.SendMessage(WM_COMMAND, ID_EXPLORER_REFRESH);
        return winharness::PumpUntil([this] { return pane.IsFilled() != FALSE; });
    }

    WorkFolder work;
    winharness::ScriptedPrompts prompts;
    CSendEditorPane editor;
    CDataExplorerPane pane;
    CUiControlBar* pEditorBar = nullptr;
    CUiControlBar* pBar = nullptr;
    bool bHosted = false;
};

} // namespace

TEST_F(ExplorerPaneTest, TheFirstRefreshOpensTheWorkingDirectoryWithFoldersBeforeFilesInNameOrder)
{
    ASSERT_TRUE(bHosted);
    EXPECT_FALSE(pane.GetDlgItem(IDC_EXPLORER_TREE)->IsWindowVisible());
    ASSERT_TRUE(Fill());
    CFolderTree& tree = pane.GetTree();
    EXPECT_TRUE(tree.IsWindowVisible());

    // The drives are the roots; the working directory is selected and listed.
    char drives[128] = "";
    ::GetLogicalDriveStringsA(sizeof(drives), drives);
    int nDrives = 0;
    for (const char* p = drives; *p; p += strlen(p) + 1)
        ++nDrives;
    int nRoots = 0;
    for (HTREEITEM h = tree.GetRootItem(); h != NULL; h = tree.GetNextSiblingItem(h))
        ++nRoots;
    EXPECT_EQ(nDrives, nRoots);
    HTREEITEM hSel = tree.GetSelectedItem();
    ASSERT_NE(nullptr, hSel);
    EXPECT_EQ(0, lstrcmpiA(work.Path().c_str(), tree.GetItemPath(hSel)));
    EXPECT_EQ((std::vector<std::string>{"alpha", "Zeta", "b.bin", "h.txt"}), ChildTexts(tree, hSel));

    // A folder holding only a hidden file has no expand button, an empty one neither.
    EXPECT_EQ(nullptr, tree.GetChildItem(Child(tree, hSel, "alpha")));
    EXPECT_EQ(nullptr, tree.GetChildItem(Child(tree, hSel, "Zeta")));

    // F5 gives a folder that got content its expand button.
    WriteFileBytes(work.Sub("alpha\\seen.txt"), "seen");
    NMTVKEYDOWN f5 = {{tree.m_hWnd, IDC_EXPLORER_TREE, TVN_KEYDOWN}, VK_F5, 0};
    pane.SendMessage(WM_NOTIFY, IDC_EXPLORER_TREE, reinterpret_cast<LPARAM>(&f5));
    ASSERT_EQ(hSel, tree.GetSelectedItem());
    EXPECT_NE(nullptr, tree.GetChildItem(Child(tree, hSel, "alpha")));

    // Refresh with a file selected lists its folder again and keeps it open and selected, as a
    // fresh fill shows it: what came on disk shows up, what went goes, and a folder opened
    // beside it is closed again, its button as its content is now. What is still there keeps
    // its item (a mark the refresh has no reason to touch stays on it), and only what is new
    // costs the shell a look for its icons.
    tree.Expand(Child(tree, hSel, "alpha"), TVE_EXPAND);
    for (const char* kept : {"alpha", "b.bin"})
        tree.SetItemState(Child(tree, hSel, kept), TVIS_BOLD, TVIS_BOLD);
    EXPECT_EQ((std::vector<std::string>{"only.txt", "seen.txt"}), ChildTexts(tree, Child(tree, hSel, "alpha")));
    ::DeleteFileA(work.Sub("alpha\\seen.txt").c_str());
    ::RemoveDirectoryA(work.Sub("Zeta").c_str());
    ::DeleteFileA(work.Sub("h.txt").c_str());
    ::CreateDirectoryA(work.Sub("mid").c_str(), NULL);
    ::CreateDirectoryA(work.Sub("mid\\inner").c_str(), NULL);
    WriteFileBytes(work.Sub("c.bin"), "new");
    tree.SelectItem(Child(tree, hSel, "b.bin"));
    std::set<std::string> iconsAsked;
    {
        IconLookups lookups(work.Path());
        pane.SendMessage(WM_COMMAND, ID_EXPLORER_REFRESH);
        iconsAsked = lookups.Asked();
    }
    hSel = tree.GetSelectedItem();
    EXPECT_EQ(0, lstrcmpiA(work.Path().c_str(), tree.GetItemPath(hSel)));
    EXPECT_TRUE(tree.GetItemState(hSel, TVIS_EXPANDED) & TVIS_EXPANDED);
    EXPECT_EQ((std::vector<std::string>{"alpha", "mid", "b.bin", "c.bin"}), ChildTexts(tree, hSel));
    for (const char* kept : {"alpha", "b.bin"})
        EXPECT_TRUE(tree.GetItemState(Child(tree, hSel, kept), TVIS_BOLD) & TVIS_BOLD) << kept;
    EXPECT_EQ((std::set<std::string>{"c.bin", "mid"}), iconsAsked);
    EXPECT_EQ(nullptr, tree.GetChildItem(Child(tree, hSel, "alpha")));
    EXPECT_NE(nullptr, tree.GetChildItem(Child(tree, hSel, "mid")));
    CFolderTree fresh;
    ASSERT_TRUE(fresh.Create(WS_CHILD | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT, CRect(0, 0, 200, 200), &pane, 1));
    ASSERT_TRUE(fresh.DisplayTree(NULL, TRUE));
    ASSERT_TRUE(fresh.SetSelPath(work.Path().c_str()));
    EXPECT_EQ(ShownBelow(fresh, fresh.GetSelectedItem()), ShownBelow(tree, hSel));
    for (HTREEITEM h = tree.GetParentItem(hSel); h != NULL; h = tree.GetParentItem(h))
        EXPECT_TRUE(tree.GetItemState(h, TVIS_EXPANDED) & TVIS_EXPANDED) << tree.GetItemText(h);
}

TEST_F(ExplorerPaneTest, ASelectedFileIsTitledSendableAndLoadsOnADoubleClickOrFromTheMenu)
{
    ASSERT_TRUE(bHosted);
    ASSERT_TRUE(Fill());
    CFolderTree& tree = pane.GetTree();
    HTREEITEM hFolder = tree.GetSelectedItem();
    EXPECT_FALSE(CommandEnabled(&pane, ID_HEX_SEND_TO_SEND_EDITOR));

    tree.SelectItem(Child(tree, hFolder, "b.bin"));
    EXPECT_TRUE(pane.IsFileSelected());
    EXPECT_TRUE(CommandEnabled(&pane, ID_HEX_SEND_TO_SEND_EDITOR));
    const std::string file = std::string(tree.GetItemPath(tree.GetSelectedItem()));
    EXPECT_EQ("送信ﾃﾞｰﾀｴｸｽﾌﾟﾛｰﾗ - " + file, WindowText(pBar));

    NotifyFromTree(pane, NM_DBLCLK);
    EXPECT_EQ(file, std::string(editor.GetEditor().GetDocumentPath()));
    EXPECT_EQ("bytes of b", BytesOf(editor.GetEditor().GetData()));
    EXPECT_EQ("送信ﾃﾞｰﾀｴﾃﾞｨﾀ - " + file, WindowText(pEditorBar));

    // Menu 193 at the cursor: send, a separator, refresh; choosing send loads the file again.
    WriteFileBytes(work.Sub("b.bin"), "changed");
    static std::vector<UINT> items;
    items.clear();
    CUiPopupMenuWnd::g_pfnTrackMenuHook = [](const PopupTrackCall& call, UINT* pnChosen) {
        for (int i = 0; i < call.pMenu->ItemGetCount(); ++i)
            items.push_back(call.pMenu->ItemGetCmdID(i));
        *pnChosen = ID_HEX_SEND_TO_SEND_EDITOR;
        return static_cast<int>(CUiPopupMenuWnd::kHookChoose);
    };
    EXPECT_EQ(1, NotifyFromTree(pane, NM_RCLICK));
    CUiPopupMenuWnd::g_pfnTrackMenuHook = nullptr;
    winharness::PumpPending();
    ASSERT_EQ(3u, items.size());
    EXPECT_EQ(static_cast<UINT>(ID_HEX_SEND_TO_SEND_EDITOR), items[0]);
    EXPECT_EQ(static_cast<UINT>(ID_EXPLORER_REFRESH), items[2]);
    EXPECT_EQ("changed", BytesOf(editor.GetEditor().GetData()));

    // A folder is not sent.
    tree.SelectItem(hFolder);
    EXPECT_FALSE(pane.IsFileSelected());
    EXPECT_FALSE(CommandEnabled(&pane, ID_HEX_SEND_TO_SEND_EDITOR));
    EXPECT_EQ("送信ﾃﾞｰﾀｴｸｽﾌﾟﾛｰﾗ - " + std::string(tree.GetItemPath(hFolder)), WindowText(pBar));
    EXPECT_TRUE(prompts.records.empty());
}

// Enter in the tree, typed into the application's loop, is the tree's and not the pane's.
TEST_F(ExplorerPaneTest, EnterInTheTreeLoadsTheSelectedFileFromEitherEnterKey)
{
    ASSERT_TRUE(bHosted);
    ASSERT_TRUE(Fill());
    CFolderTree& tree = pane.GetTree();
    tree.SelectItem(Child(tree, tree.GetSelectedItem(), "b.bin"));
    const std::string file = std::string(tree.GetItemPath(tree.GetSelectedItem()));
    pFrame->SetForegroundWindow();
    tree.SetFocus();
    for (const bool bKeypad : {false, true}) {
        const std::string bytes = bKeypad ? "keypad" : "main";
        WriteFileBytes(work.Sub("b.bin"), bytes);
        RealEnter(bKeypad);
        EXPECT_TRUE(AppLoopUntil([&] { return BytesOf(editor.GetEditor().GetData()) == bytes; })) << bytes << " Enter";
        EXPECT_EQ(file, std::string(editor.GetEditor().GetDocumentPath()));
        EXPECT_EQ(tree.m_hWnd, ::GetFocus());
    }
    EXPECT_TRUE(pane.IsWindowVisible());
    EXPECT_TRUE(prompts.records.empty());
}

TEST_F(ExplorerPaneTest, OnlyExistingFoldersOnTheTreesDrivesAreValidPaths)
{
    ASSERT_TRUE(bHosted);
    ASSERT_TRUE(Fill());
    CFolderTree& tree = pane.GetTree();
    EXPECT_TRUE(tree.IsValidPath(work.Path().c_str()));
    EXPECT_TRUE(tree.IsValidPath((work.Path() + "\\").c_str()));
    EXPECT_FALSE(tree.IsValidPath(work.Sub("missing").c_str()));
    EXPECT_FALSE(tree.IsValidPath(work.Sub("b.bin").c_str()));
    EXPECT_FALSE(tree.IsValidPath("Q:\\nowhere"));
    EXPECT_FALSE(tree.SetSelPath(work.Sub("missing").c_str()));
}

TEST(SortStringArray, SortsWithoutRegardToCase)
{
    CStringArray strings;
    for (const char* s : {"b", "Zeta", "alpha", "B", "a"})
        strings.Add(s);
    SortStringArray(strings);
    std::vector<std::string> sorted;
    for (INT_PTR i = 0; i < strings.GetSize(); ++i)
        sorted.push_back(std::string(strings[i]));
    EXPECT_EQ((std::vector<std::string>{"a", "alpha", "b", "B", "Zeta"}), sorted);
}
