// The About box: its title and version, the script DLLs with their functions, and the way to
// the support page from the help button and from the address.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "aboutdlg.h"
#include "appsettings.h"
#include "dialogdriver.h"
#include "resource.h"
#include "scriptdlls.h"
#include "shell_test_support.h"
#include "shellopen.h"
#include "temp_folder_support.h"
#include "winharness.h"

namespace {

struct Opened {
    std::string verb;
    std::string file;
    INT show;
};
std::vector<Opened> g_opened;

HINSTANCE WINAPI RecordOpen(HWND, LPCSTR verb, LPCSTR file, LPCSTR, LPCSTR, INT show)
{
    g_opened.push_back({verb ? verb : "", file ? file : "", show});
    return reinterpret_cast<HINSTANCE>(33);
}

struct AboutTexts {
    std::string title;
    std::string version;
    std::string dlls;
};

AboutTexts ShowAbout(const std::function<void(HWND)>& more = nullptr)
{
    AboutTexts texts;
    DialogDriver driver;
    driver.Step(1, [&](HWND hDlg) {
        texts.title = DialogDriver::WindowText(hDlg);
        texts.version = DialogDriver::Text(hDlg, IDC_ABOUT_VERSION);
        texts.dlls = DialogDriver::Text(hDlg, IDC_ABOUT_DLLS);
        if (more)
            more(hDlg);
        DialogDriver::Post(hDlg, IDOK);
    });
    CAboutDlg dlg;
    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_FALSE(driver.timedOut);
    return texts;
}

} // namespace

TEST(AboutBox, ShowsTheRunningProgramsVersionWhateverTheSettingsSay)
{
    // The settings name another program's version.
    UseTestProfile();
    theApp.WriteProfileString("CMN", "VER", "0.0.0.9");
    CAppSettings settings;
    LoadAppSettings(settings);
    EXPECT_STREQ("0.0.0.9", settings.m_strVersion);

    GetScriptDllList().Clear();
    const AboutTexts texts = ShowAbout();
    EXPECT_EQ("Korvane Version Infomation", texts.title);
    EXPECT_EQ("Korvane Version " + std::string(GetProgramFileVersion()), texts.version);
    EXPECT_NE(std::string(kNoVersionText), std::string(GetProgramFileVersion()));
    EXPECT_EQ("", texts.dlls);
    UseTestProfile();
}

TEST(AboutBox, ListsTheScriptDllsWithTheirFunctions)
{
    TempFolder folder;
    ASSERT_TRUE(::CopyFileA((ExeFolder() + "\\kvrtest_script.dll").c_str(), folder.File("kvrtest_script.dll").c_str(), FALSE));
    GetScriptDllList().LoadFolder(folder.Path().c_str());
    ASSERT_EQ(1, GetScriptDllList().GetCount());
    const AboutTexts texts = ShowAbout();
    GetScriptDllList().Clear();
    EXPECT_EQ("[Lua] [kvrtest_script.dll] [Module:Twice,Hello]\r\n", texts.dlls);
}

TEST(AboutBox, HelpButtonAndAddressOpenTheSupportPage)
{
    g_opened.clear();
    SetShellExecuteProc(RecordOpen);
    std::string address;
    ShowAbout([&](HWND hDlg) {
        address = DialogDriver::Text(hDlg, IDC_ABOUT_ADDRESS);
        DialogDriver::Press(hDlg, IDC_ABOUT_HELP);
        // A click on the address as the user gives it.
        winharness::Click(::GetDlgItem(hDlg, IDC_ABOUT_ADDRESS), 3, 3);
    });
    SetShellExecuteProc(NULL);
    EXPECT_EQ(kSupportPageAddress, address);
    ASSERT_EQ(2u, g_opened.size());
    for (const Opened& opened : g_opened) {
        EXPECT_EQ("open", opened.verb);
        EXPECT_EQ(kSupportPageAddress, opened.file);
        EXPECT_EQ(SW_SHOWNORMAL, opened.show);
    }
}
