// The hyperlink button: the order in which it tries its three ways of opening a target, the
// command line it builds from the registry's command for web pages (run for real with a
// recorder program registered in the prefix's ".htm" class), its error texts shown through
// the prompt hook, and its colours.
#include "dialogs_test_support.h"
#include "temp_folder_support.h"
#include "uifw_dialogs_ids.h"

#include "hyperlinktext.h"
#include "paintmanager.h"
#include "paintmanagerholder.h"
#include "uihyperlinkbutton.h"

#include <fstream>
#include <sstream>

using namespace dlgtest;
using namespace winharness;

namespace {

// Notes every open method it is asked for; the method named in succeedAt answers true.
class RecordingLink : public CUiHyperLinkButton {
public:
    std::vector<std::string> calls;
    std::vector<std::string> targets;
    std::vector<bool> showErrors;
    std::string succeedAt;

    bool Note(const char* name, LPCSTR lpszTarget, bool bShowErrors)
    {
        calls.push_back(name);
        targets.push_back(lpszTarget);
        showErrors.push_back(bShowErrors);
        return succeedAt == name;
    }
    bool OpenViaUrlShortcut(LPCSTR t, int, bool b) override { return Note("shortcut", t, b); }
    bool OpenViaShellExecute(LPCSTR t, int, bool b) override { return Note("execute", t, b); }
    bool OpenViaShellCommand(LPCSTR t, int, bool b) override { return Note("command", t, b); }
};

// The real shortcut object, a recorded ShellExecute.
class RealShortcutLink : public CUiHyperLinkButton {
public:
    int nExecuted = 0;
    bool OpenViaShellExecute(LPCSTR, int, bool) override { return ++nExecuted, true; }
    bool OpenViaShellCommand(LPCSTR, int, bool) override { return false; }
};

const std::vector<std::string> kWebOrder = {"command", "shortcut", "execute"};
const std::vector<std::string> kFileOrder = {"shortcut", "execute", "command"};

std::string Built(LPCSTR lpszRegistered, LPCSTR lpszTarget)
{
    CString strLine;
    return UiBuildShellCommandLine(lpszRegistered, lpszTarget, strLine) ? std::string(strLine) : "<refused>";
}

// Points the ".htm" class of the prefix's registry at a class of its own whose open command
// is given; the old class comes back at the end.
class HtmClassOverride {
public:
    // The command's value is written with its type and, when asked, without its terminating zero.
    explicit HtmClassOverride(const std::string& strCommand, DWORD dwType = REG_SZ, bool bTerminated = true)
    {
        HKEY hKey = NULL;
        if (::RegOpenKeyExA(HKEY_CLASSES_ROOT, ".htm", 0, KEY_QUERY_VALUE, &hKey) == ERROR_SUCCESS) {
            char sz[261] = {};
            DWORD cb = 260;
            m_bHadOld = ::RegQueryValueExA(hKey, NULL, NULL, NULL, (LPBYTE)sz, &cb) == ERROR_SUCCESS;
            m_strOld = sz;
            ::RegCloseKey(hKey);
        }
        SetDefault(".htm", kClass);
        SetDefault(std::string(kClass) + "\\shell\\open\\command", strCommand, dwType, bTerminated);
    }
    ~HtmClassOverride()
    {
        if (m_bHadOld)
            SetDefault(".htm", m_strOld);
        else
            ::RegDeleteValueA(HKEY_CLASSES_ROOT, ".htm");
        for (const char* sub : {"\\shell\\open\\command", "\\shell\\open", "\\shell", ""})
            ::RegDeleteKeyA(HKEY_CLASSES_ROOT, (std::string(kClass) + sub).c_str());
    }

private:
    static constexpr const char* kClass = "KorvaneTestPage";
    static void SetDefault(const std::string& strKey, const std::string& strValue, DWORD dwType = REG_SZ,
                           bool bTerminated = true)
    {
        HKEY hKey = NULL;
        ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyA(HKEY_CLASSES_ROOT, strKey.c_str(), &hKey));
        ::RegSetValueExA(hKey, NULL, 0, dwType, (const BYTE*)strValue.c_str(),
                         (DWORD)strValue.size() + (bTerminated ? 1 : 0));
        ::RegCloseKey(hKey);
    }
    bool m_bHadOld = false;
    std::string m_strOld;
};

std::string RecorderPath()
{
    char sz[MAX_PATH] = {};
    ::GetModuleFileNameA(NULL, sz, MAX_PATH);
    std::string strPath = sz;
    return strPath.substr(0, strPath.rfind('\\') + 1) + "cmdline_recorder.exe";
}

std::string ReadFile(const std::string& strPath)
{
    std::ifstream in(strPath, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

} // namespace

TEST(HyperLinkTextTest, TheCommandIsCutAtItsPlaceholderAndTheTargetFollowsAsOneArgument)
{
    EXPECT_EQ("\"C:\\b.exe\"  \"http://a\"", Built("\"C:\\b.exe\" \"%1\" -nohome", "http://a"));
    EXPECT_EQ("C:\\b.exe  http://a", Built("C:\\b.exe %1", "http://a"));
    EXPECT_EQ("C:\\b.exe -new http://a", Built("C:\\b.exe -new", "http://a"));
    // A target with blanks stays one argument; one with a quote of its own is refused.
    EXPECT_EQ("b.exe  \"http://a/x y\"", Built("b.exe \"%1\"", "http://a/x y"));
    EXPECT_EQ("<refused>", Built("b.exe \"%1\"", "http://a\" -evil"));
    EXPECT_EQ("<refused>", Built("b.exe %1", "a\"b"));
    // The line grows as needed up to the platform's limit and is refused past it.
    const std::string strLong(kUiMaxShellCommandLine - 6, 'x');
    EXPECT_EQ(kUiMaxShellCommandLine, (int)Built("b.exe", strLong.c_str()).size());
    EXPECT_EQ("<refused>", Built("b.exe", (strLong + "y").c_str()));
}

TEST(HyperLinkTextTest, ErrorTextsByCode)
{
    EXPECT_STREQ("File was not found.", UiHyperLinkErrorText(2));
    EXPECT_STREQ("There is no application associated with the given filename extension.", UiHyperLinkErrorText(31));
    EXPECT_STREQ("Unknown Error (99=0x63) occurred.", UiHyperLinkErrorText(99));
    EXPECT_STREQ("Unable to open hyper link:\nDLL was not found.", UiHyperLinkErrorMessage(32));
    EXPECT_TRUE(UiIsWebLinkTarget("WWW.x.org"));
    EXPECT_TRUE(UiIsWebLinkTarget("File://c:/a"));
    EXPECT_FALSE(UiIsWebLinkTarget("http:/x"));
    EXPECT_FALSE(UiIsWebLinkTarget("readme.txt"));
}

TEST(HyperLinkTest, WebTargetsTryTheCommandFirstAndFilesTheShortcutFirst)
{
    DialogScope scope;
    RecordingLink link;
    EXPECT_FALSE(link.OpenLink("www.x.org", CUiHyperLinkButton::kVerbOpen, true));
    EXPECT_EQ(kWebOrder, link.calls);
    EXPECT_EQ((std::vector<bool>{true, true, true}), link.showErrors);
    EXPECT_FALSE(link.IsVisited());

    link.calls.clear();
    link.showErrors.clear();
    EXPECT_FALSE(link.OpenLink("readme.txt", CUiHyperLinkButton::kVerbOpen, true));
    EXPECT_EQ(kFileOrder, link.calls);
    EXPECT_EQ((std::vector<bool>{false, false, false}), link.showErrors);
    EXPECT_FALSE(link.IsVisited());

    // The first success ends the search and marks the link visited.
    link.calls.clear();
    link.succeedAt = "shortcut";
    EXPECT_TRUE(link.OpenLink("http://x", CUiHyperLinkButton::kVerbOpen, false));
    EXPECT_EQ((std::vector<std::string>{"command", "shortcut"}), link.calls);
    EXPECT_TRUE(link.IsVisited());
}

TEST(HyperLinkTest, AClickOpensTheTrimmedTextAndCommandModeClicksAndMarksVisited)
{
    DialogScope scope;
    HiddenParent parent;
    CDialog dlg;
    ASSERT_TRUE(CreateShownDialog(dlg, IDD_CONTROLS, parent.wnd()));
    RecordingLink link;
    ASSERT_TRUE(link.SubclassDlgItem(IDC_BUTTON, &dlg));
    link.SetWindowText("  http://a  ");
    link.succeedAt = "command";
    PumpPending();
    Click(link.m_hWnd, 5, 5);
    ASSERT_EQ(1u, link.targets.size());
    EXPECT_EQ("http://a", link.targets[0]);
    EXPECT_FALSE(link.showErrors[0]);
    EXPECT_TRUE(link.IsVisited());

    link.m_strTarget = "readme.txt";
    link.succeedAt = "execute";
    Click(link.m_hWnd, 5, 5);
    EXPECT_EQ((std::vector<std::string>{"http://a", "readme.txt", "readme.txt"}), link.targets);

    // In command mode nothing is opened; the click is the button's own.
    link.m_bLinkFlags = CUiHyperLinkButton::kCommandMode;
    Click(link.m_hWnd, 5, 5);
    EXPECT_EQ(3u, link.calls.size());
    EXPECT_TRUE(link.IsVisited());
    dlg.DestroyWindow();
}

TEST(HyperLinkTest, TheShortcutObjectFailsHereAndTheNextMethodIsTried)
{
    DialogScope scope;
    RealShortcutLink link;
    EXPECT_FALSE(link.OpenViaUrlShortcut("readme.txt", CUiHyperLinkButton::kVerbOpen, false));
    EXPECT_TRUE(link.OpenLink("readme.txt", CUiHyperLinkButton::kVerbOpen, false));
    EXPECT_EQ(1, link.nExecuted);
}

TEST(HyperLinkTest, ShellExecuteOfAMissingFileShowsItsErrorOnlyWhenAsked)
{
    DialogScope scope;
    ScriptedPrompts prompts;
    CUiHyperLinkButton link;
    EXPECT_FALSE(link.OpenViaShellExecute("C:\\korvane-no-such-folder\\missing.txt", 0, false));
    EXPECT_TRUE(prompts.records.empty());
    EXPECT_FALSE(link.OpenViaShellExecute("C:\\korvane-no-such-folder\\missing.txt", 0, true));
    ASSERT_EQ(1u, prompts.records.size());
    EXPECT_EQ("Unable to open hyper link:\nFile was not found.", prompts.records[0].text);
    EXPECT_EQ((UINT)MB_ICONERROR, prompts.records[0].type & MB_ICONMASK);
}

TEST(HyperLinkTest, TheRegisteredWebPageCommandRunsWithTheQuotedTarget)
{
    DialogScope scope;
    TempFolder folder;
    const std::string strOut = folder.Path() + "\\line.txt";
    ::SetEnvironmentVariableA("KORVANE_RECORDER_OUT", strOut.c_str());
    const std::string strRecorder = "\"" + RecorderPath() + "\"";
    CUiHyperLinkButton link;
    {
        HtmClassOverride htm(strRecorder + " \"%1\" -nohome");
        // Refused lines run nothing.
        EXPECT_FALSE(link.OpenViaShellCommand("http://a\"b", 0, false));
        EXPECT_FALSE(link.OpenViaShellCommand(std::string(40000, 'w').c_str(), 0, false));
        PumpFor(200);
        EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(strOut.c_str()));

        EXPECT_TRUE(link.OpenViaShellCommand("http://a/x y", 0, false));
        ASSERT_TRUE(PumpUntil([&] { return !ReadFile(strOut).empty(); }, 10000));
        EXPECT_EQ(strRecorder + "  \"http://a/x y\"", ReadFile(strOut));
    }
    {
        // A value stored without its terminating zero still reads as the whole command; a
        // value of another type is no command.
        ::DeleteFileA(strOut.c_str());
        HtmClassOverride htm(strRecorder + " %1", REG_SZ, false);
        EXPECT_TRUE(link.OpenViaShellCommand("http://b", 0, false));
        ASSERT_TRUE(PumpUntil([&] { return !ReadFile(strOut).empty(); }, 10000));
        EXPECT_EQ(strRecorder + "  http://b", ReadFile(strOut));
    }
    {
        HtmClassOverride htm(strRecorder + " %1", REG_BINARY);
        EXPECT_FALSE(link.OpenViaShellCommand("http://c", 0, false));
    }
    {
        // A command that cannot start: WinExec's code, shown when asked.
        HtmClassOverride htm("C:\\korvane-no-such-folder\\browser.exe %1");
        ScriptedPrompts prompts;
        EXPECT_FALSE(link.OpenViaShellCommand("http://a", 0, true));
        ASSERT_EQ(1u, prompts.records.size());
        EXPECT_EQ(0u, prompts.records[0].text.find("Unable to open hyper link:\n"));
        EXPECT_EQ((UINT)MB_ICONERROR, prompts.records[0].type & MB_ICONMASK);
    }
    ::SetEnvironmentVariableA("KORVANE_RECORDER_OUT", NULL);
}

TEST(HyperLinkTest, LinkColoursAndTheHoverUnderline)
{
    DialogScope scope;
    CUiHyperLinkButton link;
    CUiPaintManager* pManager = PaintManagerHolder::Get().GetStoredHandle();
    EXPECT_EQ(RGB(0, 0, 255), link.GetLinkColor(false, true, true, false, false, false));
    EXPECT_EQ(RGB(255, 0, 0), link.GetLinkColor(false, true, true, false, true, false));
    EXPECT_EQ(RGB(255, 0, 0), link.GetLinkColor(true, true, true, true, false, false));
    EXPECT_EQ(RGB(128, 0, 128), link.GetLinkColor(true, true, true, false, false, false));
    EXPECT_EQ(pManager->GetColor(16), link.GetLinkColor(true, false, true, false, true, false));

    // Hovered, the underline is drawn in the hover colour; at rest no pixel has it.
    HiddenParent parent;
    ASSERT_TRUE(link.Create("Link", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(0, 0, 120, 24), parent.wnd(), 7));
    DibSurface surface(120, 24);
    link.PaintButton(*surface.cdc(), false);
    EXPECT_EQ(0, surface.Count(RGB(255, 0, 0)));
    link.m_bState |= CUiButton::kHover;
    link.PaintButton(*surface.cdc(), false);
    EXPECT_GT(surface.Count(RGB(255, 0, 0)), 5);
    link.DestroyWindow();
}
