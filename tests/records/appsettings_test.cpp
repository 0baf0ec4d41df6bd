// Application settings in the real registry of the Wine prefix: defaults, the log-size limits,
// a full round trip, and the rule that a different stored version removes the UI framework's
// saved layout.
#include <gtest/gtest.h>

#include <shlwapi.h>
#include <string>

#include "appsettings.h"

namespace {

// The version text of this executable's version resource (its first translation).
const char kRunningVersion[] = "3, 1, 4, 15";

class CSettingsTestApp : public CWinApp
{
};

CWinApp* TestApp()
{
    CWinApp* app = AfxGetApp();
    if (app == nullptr) {
        static CSettingsTestApp s_app;
        app = &s_app;
    }
    if (app->m_pszRegistryKey == nullptr)
        app->SetRegistryKey("Pellandor");
    return app;
}

class AppSettingsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_app = TestApp();
        ASSERT_STREQ("Pellandor", m_app->m_pszRegistryKey);
        m_appKey = std::string("Software\\Pellandor\\") + m_app->m_pszProfileName;
        m_section = m_appKey + "\\CMN";
        m_framework = m_appKey + "\\VaviRIZ227";
        SHDeleteKeyA(HKEY_CURRENT_USER, m_appKey.c_str());
    }

    void TearDown() override
    {
        SHDeleteKeyA(HKEY_CURRENT_USER, m_appKey.c_str());
    }

    void PutDword(const char* name, DWORD value)
    {
        HKEY key = nullptr;
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, m_section.c_str(), 0, nullptr, 0,
                                                 KEY_ALL_ACCESS, nullptr, &key, nullptr));
        RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value));
        RegCloseKey(key);
    }

    void PutText(const char* name, const char* text)
    {
        HKEY key = nullptr;
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, m_section.c_str(), 0, nullptr, 0,
                                                 KEY_ALL_ACCESS, nullptr, &key, nullptr));
        RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                       static_cast<DWORD>(strlen(text) + 1));
        RegCloseKey(key);
    }

    // Type and raw bytes of a stored value; type 0 when it is missing.
    DWORD GetValue(const char* name, std::string& data)
    {
        char buffer[1024] = {};
        DWORD size = sizeof(buffer);
        DWORD type = 0;
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, m_section.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
            return 0;
        const LONG result = RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size);
        RegCloseKey(key);
        if (result != ERROR_SUCCESS)
            return 0;
        data.assign(buffer, size);
        return type;
    }

    // A framework layout with a nested key and a value, as the UI framework leaves it.
    void MakeFrameworkLayout()
    {
        HKEY key = nullptr;
        const std::string nested = m_framework + "\\Profiles\\Korvane\\ControlBar\\block_0x00000000";
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, nested.c_str(), 0, nullptr, 0,
                                                 KEY_ALL_ACCESS, nullptr, &key, nullptr));
        const BYTE piece[4] = {1, 2, 3, 4};
        RegSetValueExA(key, "data_0x00000000", 0, REG_BINARY, piece, sizeof(piece));
        RegCloseKey(key);
    }

    bool KeyExists(const std::string& path)
    {
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
            return false;
        RegCloseKey(key);
        return true;
    }

    CWinApp* m_app = nullptr;
    std::string m_appKey;
    std::string m_section;
    std::string m_framework;
};

} // namespace

TEST_F(AppSettingsTest, RunningVersionComesFromTheFirstTranslation)
{
    EXPECT_EQ(CString(kRunningVersion), GetProgramFileVersion());
}

TEST_F(AppSettingsTest, FreshProfileGivesTheDefaults)
{
    CAppSettings settings;
    settings.m_nMaxLog = 1;
    settings.m_strVersion = "stale";
    LoadAppSettings(settings);

    char cwd[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, cwd);
    std::string dir = cwd;
    if (!dir.empty() && dir.back() == '\\')
        dir.pop_back();
    EXPECT_EQ(0, settings.m_nAutoScroll);
    EXPECT_EQ(1000, settings.m_nMaxLog);
    EXPECT_EQ(0, settings.m_nAutoSave);
    EXPECT_EQ(CString(dir.c_str()), settings.m_strPath);
    EXPECT_EQ(CString("AUTOSAVE"), settings.m_strFilePrefix);
    EXPECT_EQ(0, settings.m_nLogFont);
    for (int editor = 0; editor < CAppSettings::EditorCount; ++editor) {
        const CEditorDisplaySettings& block = settings.m_editor[editor];
        EXPECT_EQ(1, block.nAscii);
        EXPECT_EQ(1, block.nAddrCheck);
        EXPECT_EQ(1, block.nAddrDigits);
        EXPECT_EQ(1, block.nMode);
        EXPECT_EQ(GetSysColor(editor == 0 ? COLOR_INFOBK : COLOR_3DLIGHT), block.clrBack) << editor;
        EXPECT_EQ(GetSysColor(COLOR_WINDOWTEXT), block.clrText);
        EXPECT_EQ(1, block.nFont);
        EXPECT_EQ(1, block.nHead);
        EXPECT_EQ(1, block.nTextCode);
    }
    EXPECT_EQ(CString(kRunningVersion), settings.m_strVersion);
    EXPECT_EQ(32827, settings.m_nLook);
    EXPECT_EQ(1, settings.m_nToolSize);
    EXPECT_EQ(0, settings.m_nTaskTray);
    EXPECT_EQ(0, settings.m_nMenuEffect);
}

TEST_F(AppSettingsTest, LogSizeIsClampedOnLoad)
{
    const struct { DWORD stored; int loaded; } cases[] = {
        {5, 10}, {100000, 9999}, {10, 10}, {9999, 9999}, {0, 10}, {0xFFFFFFFF, 10},
    };
    for (const auto& c : cases) {
        PutDword("MAXLOG", c.stored);
        CAppSettings settings;
        LoadAppSettings(settings);
        EXPECT_EQ(c.loaded, settings.m_nMaxLog) << c.stored;
    }
}

TEST_F(AppSettingsTest, SaveThenLoadRoundTripsEveryValue)
{
    CAppSettings saved;
    saved.m_nAutoScroll = 1;
    saved.m_nMaxLog = 4321;
    saved.m_nAutoSave = 1;
    saved.m_strPath = "C:\\ログ\\表示";
    saved.m_strFilePrefix = "ﾛｸﾞ";
    saved.m_nLogFont = 3;
    int v = 0;
    for (int editor = 0; editor < CAppSettings::EditorCount; ++editor) {
        CEditorDisplaySettings& block = saved.m_editor[editor];
        block.nAscii = 10 + v++;
        block.nAddrCheck = 10 + v++;
        block.nAddrDigits = 10 + v++;
        block.nMode = 10 + v++;
        block.clrBack = 0x00A0B000 + v++;
        block.clrText = 0x00FFEE00 + v++;
        block.nFont = 10 + v++;
        block.nHead = 10 + v++;
        block.nTextCode = 10 + v++;
    }
    saved.m_strVersion = "unused";
    saved.m_nLook = 32829;
    saved.m_nToolSize = 0;
    saved.m_nTaskTray = 2;
    saved.m_nMenuEffect = 7;
    SaveAppSettings(saved);

    std::string data;
    EXPECT_EQ(static_cast<DWORD>(REG_DWORD), GetValue("DHEAD", data));
    EXPECT_EQ(saved.m_editor[CAppSettings::EditorDump].nHead, *reinterpret_cast<const int*>(data.data()));
    EXPECT_EQ(static_cast<DWORD>(REG_DWORD), GetValue("C2BACK", data));
    EXPECT_EQ(saved.m_editor[CAppSettings::EditorCom2].clrBack, *reinterpret_cast<const DWORD*>(data.data()));
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), GetValue("VER", data));
    EXPECT_STREQ(kRunningVersion, data.c_str());
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), GetValue("FILE", data));
    EXPECT_STREQ("ﾛｸﾞ", data.c_str());
    EXPECT_EQ(0u, GetValue("DHEADT", data));

    CAppSettings loaded;
    LoadAppSettings(loaded);
    EXPECT_EQ(0, loaded.m_nAutoScroll);
    EXPECT_EQ(4321, loaded.m_nMaxLog);
    EXPECT_EQ(1, loaded.m_nAutoSave);
    EXPECT_EQ(saved.m_strPath, loaded.m_strPath);
    EXPECT_EQ(saved.m_strFilePrefix, loaded.m_strFilePrefix);
    EXPECT_EQ(3, loaded.m_nLogFont);
    for (int editor = 0; editor < CAppSettings::EditorCount; ++editor) {
        const CEditorDisplaySettings& a = saved.m_editor[editor];
        const CEditorDisplaySettings& b = loaded.m_editor[editor];
        EXPECT_EQ(a.nAscii, b.nAscii);
        EXPECT_EQ(a.nAddrCheck, b.nAddrCheck);
        EXPECT_EQ(a.nAddrDigits, b.nAddrDigits);
        EXPECT_EQ(a.nMode, b.nMode);
        EXPECT_EQ(a.clrBack, b.clrBack);
        EXPECT_EQ(a.clrText, b.clrText);
        EXPECT_EQ(a.nFont, b.nFont);
        EXPECT_EQ(a.nHead, b.nHead);
        EXPECT_EQ(a.nTextCode, b.nTextCode);
    }
    EXPECT_EQ(CString(kRunningVersion), loaded.m_strVersion);
    EXPECT_EQ(32829, loaded.m_nLook);
    EXPECT_EQ(0, loaded.m_nToolSize);
    EXPECT_EQ(2, loaded.m_nTaskTray);
    EXPECT_EQ(7, loaded.m_nMenuEffect);
}

TEST_F(AppSettingsTest, AnotherStoredVersionDeletesTheFrameworkLayout)
{
    MakeFrameworkLayout();
    PutText("VER", "1, 0, 0, 0");
    CAppSettings settings;
    LoadAppSettings(settings);
    EXPECT_FALSE(KeyExists(m_framework));
    EXPECT_TRUE(KeyExists(m_section));
    EXPECT_EQ(CString("1, 0, 0, 0"), settings.m_strVersion);

    MakeFrameworkLayout();
    PutText("VER", "Nothing");
    LoadAppSettings(settings);
    EXPECT_FALSE(KeyExists(m_framework));

    // Saving stores the running version, so the next start keeps the layout.
    SaveAppSettings(settings);
    MakeFrameworkLayout();
    LoadAppSettings(settings);
    EXPECT_TRUE(KeyExists(m_framework + "\\Profiles\\Korvane\\ControlBar\\block_0x00000000"));

    // No stored version counts as the running one.
    SHDeleteKeyA(HKEY_CURRENT_USER, m_section.c_str());
    LoadAppSettings(settings);
    EXPECT_TRUE(KeyExists(m_framework));
}
