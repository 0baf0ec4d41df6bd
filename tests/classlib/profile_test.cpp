// The application profile in the Wine prefix's registry, under a test key that the tests
// remove again.
#include "afxwin.h"
#include <gtest/gtest.h>

namespace {

const char kTestKey[] = "KorvaneTest";

class ProfileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_pApp = AfxGetApp();
        ASSERT_NE(m_pApp, nullptr);
        RemoveTestKey();
        m_pApp->SetRegistryKey(kTestKey);
    }
    void TearDown() override { RemoveTestKey(); }

    void RemoveTestKey()
    {
        HKEY hSoftware;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software", 0, KEY_ALL_ACCESS, &hSoftware) == ERROR_SUCCESS) {
            m_pApp->DelRegTree(hSoftware, kTestKey);
            RegCloseKey(hSoftware);
        }
    }

    // Reads a value of HKCU\Software\KorvaneTest\<exe>\<section> directly.
    bool ReadRaw(LPCSTR section, LPCSTR entry, DWORD& type, BYTE* data, DWORD& size)
    {
        CString path;
        path.Format("Software\\%s\\%s\\%s", kTestKey, m_pApp->m_pszExeName, section);
        HKEY hKey;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_READ, &hKey) != ERROR_SUCCESS)
            return false;
        LONG lResult = RegQueryValueExA(hKey, entry, NULL, &type, data, &size);
        RegCloseKey(hKey);
        return lResult == ERROR_SUCCESS;
    }

    CWinApp* m_pApp = nullptr;
};

} // namespace

TEST_F(ProfileTest, NamesComeFromTheModule)
{
    EXPECT_STREQ(m_pApp->m_pszExeName, "classlib_tests");
    EXPECT_STREQ(m_pApp->m_pszAppName, "classlib_tests");
    EXPECT_STREQ(m_pApp->m_pszRegistryKey, kTestKey);
    EXPECT_STREQ(m_pApp->m_pszProfileName, "classlib_tests");
    EXPECT_EQ(AfxGetInstanceHandle(), GetModuleHandleA(NULL));
    EXPECT_EQ(AfxGetResourceHandle(), GetModuleHandleA(NULL));
    EXPECT_EQ(AfxGetThread(), m_pApp);
}

TEST_F(ProfileTest, WritesDwordAndStringValuesUnderSection)
{
    ASSERT_TRUE(m_pApp->WriteProfileInt("CMN", "MAXLOG", 5000));
    ASSERT_TRUE(m_pApp->WriteProfileString("CMN", "PREFIX", "ログ\\"));

    DWORD type = 0, size = sizeof(DWORD), value = 0;
    ASSERT_TRUE(ReadRaw("CMN", "MAXLOG", type, (BYTE*)&value, size));
    EXPECT_EQ(type, (DWORD)REG_DWORD);
    EXPECT_EQ(value, 5000u);

    char text[64] = {};
    size = sizeof(text);
    ASSERT_TRUE(ReadRaw("CMN", "PREFIX", type, (BYTE*)text, size));
    EXPECT_EQ(type, (DWORD)REG_SZ);
    EXPECT_STREQ(text, "ログ\\");

    EXPECT_EQ(m_pApp->GetProfileInt("CMN", "MAXLOG", 1), 5000u);
    EXPECT_EQ(m_pApp->GetProfileString("CMN", "PREFIX"), "ログ\\");
    m_pApp->WriteProfileInt("CMN", "NEG", -3);
    EXPECT_EQ((int)m_pApp->GetProfileInt("CMN", "NEG", 0), -3);
}

TEST_F(ProfileTest, MissingEntriesGiveDefaults)
{
    EXPECT_EQ(m_pApp->GetProfileInt("CMN", "NOSUCH", 1234), 1234u);
    EXPECT_EQ(m_pApp->GetProfileString("CMN", "NOSUCH", "既定"), "既定");
    EXPECT_EQ(m_pApp->GetProfileString("CMN", "NOSUCH"), "");
    EXPECT_EQ(m_pApp->GetProfileInt("OTHER", "NOSUCH", -1), (UINT)-1);
    // A value of another type reads as missing.
    m_pApp->WriteProfileString("CMN", "TEXT", "12");
    EXPECT_EQ(m_pApp->GetProfileInt("CMN", "TEXT", 7), 7u);
    m_pApp->WriteProfileInt("CMN", "NUM", 12);
    EXPECT_EQ(m_pApp->GetProfileString("CMN", "NUM", "d"), "d");
    // Writing NULL removes the entry.
    m_pApp->WriteProfileString("CMN", "TEXT", NULL);
    EXPECT_EQ(m_pApp->GetProfileString("CMN", "TEXT", "gone"), "gone");
}

// The section reader answers as GetProfileInt and GetProfileString do, key held open or not.
TEST_F(ProfileTest, SectionReaderReadsAsTheSingleReads)
{
    m_pApp->WriteProfileInt("CMN", "MAXLOG", 5000);
    m_pApp->WriteProfileInt("CMN", "NEG", -3);
    m_pApp->WriteProfileString("CMN", "PREFIX", "ログ\\");
    m_pApp->WriteProfileString("CMN", "TEXT", "12");
    {
        CProfileSectionReader section(m_pApp, "CMN");
        EXPECT_EQ(section.GetInt("MAXLOG", 1), 5000u);
        EXPECT_EQ((int)section.GetInt("NEG", 0), -3);
        EXPECT_EQ(section.GetString("PREFIX"), "ログ\\");
        EXPECT_EQ(section.GetInt("NOSUCH", 1234), 1234u);
        EXPECT_EQ(section.GetString("NOSUCH", "既定"), "既定");
        EXPECT_EQ(section.GetString("NOSUCH"), "");
        // A value of another type reads as missing.
        EXPECT_EQ(section.GetInt("TEXT", 7), 7u);
        EXPECT_EQ(section.GetString("MAXLOG", "d"), "d");
        CProfileSectionReader other(m_pApp, "OTHER");
        EXPECT_EQ(other.GetInt("NOSUCH", -1), (UINT)-1);
    }
    // Without a registry key the profile is an .INI file, read as before.
    CString strIni;
    char szTemp[MAX_PATH];
    GetTempPathA(MAX_PATH, szTemp);
    strIni.Format("%skorvane_profile_%lu.ini", szTemp, GetCurrentProcessId());
    WritePrivateProfileStringA("CMN", "MAXLOG", "321", strIni);
    WritePrivateProfileStringA("CMN", "PREFIX", "abc", strIni);
    LPCSTR pszOldKey = m_pApp->m_pszRegistryKey;
    LPCSTR pszOldProfile = m_pApp->m_pszProfileName;
    m_pApp->m_pszRegistryKey = NULL;
    m_pApp->m_pszProfileName = strIni;
    {
        CProfileSectionReader section(m_pApp, "CMN");
        EXPECT_EQ(section.GetInt("MAXLOG", 1), 321u);
        EXPECT_EQ(section.GetString("PREFIX"), "abc");
        EXPECT_EQ(section.GetInt("NOSUCH", 9), 9u);
    }
    m_pApp->m_pszRegistryKey = pszOldKey;
    m_pApp->m_pszProfileName = pszOldProfile;
    DeleteFileA(strIni);
}

TEST_F(ProfileTest, BinaryValues)
{
    BYTE data[] = {0x00, 0x5C, 0xFF, 0x83, 0x5C};
    ASSERT_TRUE(m_pApp->WriteProfileBinary("CMN", "BLOB", data, sizeof(data)));
    DWORD type = 0, size = 16;
    BYTE raw[16];
    ASSERT_TRUE(ReadRaw("CMN", "BLOB", type, raw, size));
    EXPECT_EQ(type, (DWORD)REG_BINARY);
    EXPECT_EQ(size, sizeof(data));

    LPBYTE pData = nullptr;
    UINT nBytes = 0;
    ASSERT_TRUE(m_pApp->GetProfileBinary("CMN", "BLOB", &pData, &nBytes));
    ASSERT_EQ(nBytes, sizeof(data));
    EXPECT_EQ(memcmp(pData, data, sizeof(data)), 0);
    delete[] pData;

    pData = (LPBYTE)1;
    nBytes = 9;
    EXPECT_FALSE(m_pApp->GetProfileBinary("CMN", "NOBLOB", &pData, &nBytes));
    EXPECT_EQ(pData, nullptr);
    EXPECT_EQ(nBytes, 0u);
}

TEST_F(ProfileTest, SectionRemovedByNullEntry)
{
    m_pApp->WriteProfileInt("GONE", "A", 1);
    m_pApp->WriteProfileInt("GONE", "B", 2);
    EXPECT_TRUE(m_pApp->WriteProfileString("GONE", NULL, NULL));
    EXPECT_EQ(m_pApp->GetProfileInt("GONE", "A", 0), 0u);
}
