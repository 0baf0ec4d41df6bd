// The registry archive against the Wine prefix's own registry, under a company key of the
// tests' own that is removed afterwards.
#include <gtest/gtest.h>

#include "libraryversion.h"
#include "registryarchive.h"

#include <string>
#include <vector>

namespace {

const char kCompany[] = "KorvaneUiCoreTest";

std::string HashText(const std::vector<BYTE>& bytes)
{
    CRegistryArchiveHash hash;
    hash.Feed(bytes.data(), (UINT)bytes.size());
    return (LPCSTR)hash.GetText();
}

std::vector<BYTE> Counting(size_t n)
{
    std::vector<BYTE> bytes(n);
    for (size_t i = 0; i < n; i++)
        bytes[i] = (BYTE)(i * 7 + 3);
    return bytes;
}

class RegistryArchiveTest : public ::testing::Test
{
protected:
    RegistryArchiveTest() : path(RegistryArchivePath("ControlBar", "Layout", kCompany, "Product")) {}
    ~RegistryArchiveTest() override { CWinApp::DelRegTree(HKEY_CURRENT_USER, CString("Software\\") + kCompany); }

    bool Write(const std::vector<BYTE>& bytes)
    {
        CMemFile file;
        file.Write(bytes.data(), (UINT)bytes.size());
        return RegistryArchiveWrite(file, path, HKEY_CURRENT_USER);
    }
    bool Read(std::vector<BYTE>& bytes)
    {
        CMemFile file;
        const bool bRead = RegistryArchiveRead(file, path, HKEY_CURRENT_USER);
        bytes.resize((size_t)file.GetLength());
        position = file.GetPosition();
        file.SeekToBegin();
        if (!bytes.empty())
            file.Read(bytes.data(), (UINT)bytes.size());
        return bRead;
    }
    HKEY Open(const CString& strSub = CString())
    {
        HKEY hKey = NULL;
        const CString strPath = strSub.IsEmpty() ? path : path + "\\" + strSub;
        if (::RegOpenKeyExA(HKEY_CURRENT_USER, strPath, 0, KEY_READ | KEY_WRITE, &hKey) != ERROR_SUCCESS)
            return NULL;
        return hKey;
    }
    std::vector<std::string> ValueNames(const CString& strSub)
    {
        std::vector<std::string> names;
        HKEY hKey = Open(strSub);
        if (hKey == NULL)
            return names;
        char szName[64];
        for (DWORD i = 0;; i++) {
            DWORD cch = sizeof(szName);
            if (::RegEnumValueA(hKey, i, szName, &cch, NULL, NULL, NULL, NULL) != ERROR_SUCCESS)
                break;
            names.push_back(szName);
        }
        ::RegCloseKey(hKey);
        return names;
    }
    DWORD ValueSize(const CString& strSub, LPCSTR lpszName)
    {
        HKEY hKey = Open(strSub);
        DWORD cb = 0;
        if (hKey != NULL && ::RegQueryValueExA(hKey, lpszName, NULL, NULL, NULL, &cb) != ERROR_SUCCESS)
            cb = (DWORD)-1;
        if (hKey != NULL)
            ::RegCloseKey(hKey);
        return cb;
    }
    std::string TextValue(LPCSTR lpszName)
    {
        HKEY hKey = Open();
        char szText[128] = {};
        DWORD cb = sizeof(szText) - 1;
        ::RegQueryValueExA(hKey, lpszName, NULL, NULL, (BYTE*)szText, &cb);
        ::RegCloseKey(hKey);
        return szText;
    }
    void SetValue(const CString& strSub, LPCSTR lpszName, DWORD dwType, const void* pData, DWORD cb)
    {
        HKEY hKey = Open(strSub);
        ASSERT_NE((HKEY)NULL, hKey);
        ::RegSetValueExA(hKey, lpszName, 0, dwType, (const BYTE*)pData, cb);
        ::RegCloseKey(hKey);
    }

    CString path;
    ULONGLONG position = 0;
};

TEST(RegistryArchiveHashTest, IntegrityTextsOfKnownData)
{
    EXPECT_EQ("00 00 00 61 00 00 00 62 00 00 00 63 00 00 00 00", HashText({'a', 'b', 'c'}));
    std::vector<BYTE> all(256);
    for (int i = 0; i < 256; i++)
        all[i] = (BYTE)i;
    EXPECT_EQ("04 82 12 4C 06 E0 97 8D 0D E3 06 DE 00 C5 D5 2F", HashText(all));
    EXPECT_EQ("00 10 FF EF 00 10 FF EF 00 10 FF EF 00 10 FF EF", HashText(std::vector<BYTE>(64, 0xFF)));
    EXPECT_EQ("00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00", HashText({}));
    // The lanes run on across separate feeds.
    CRegistryArchiveHash split;
    split.Feed(all.data(), 17);
    split.Feed(all.data() + 17, 239);
    EXPECT_EQ(HashText(all), (LPCSTR)split.GetText());
}

TEST(RegistryArchivePathTest, PathHasItsPartsInOrderAndNoUnsafeCharacters)
{
    EXPECT_EQ(CString("Software\\Co\\Prod\\VaviRIZ227\\Profiles\\a_b_c_d_e\\CommandManager"),
              RegistryArchivePath("CommandManager", "a*b\tc?d\re", "Co", "Prod"));
    EXPECT_EQ(CString("Software\\Co\\Prod\\VaviRIZ227\\Profiles\\x_y\\ControlBar"),
              RegistryArchivePath("ControlBar", "x\ny", "Co", "Prod"));
}

TEST(LibraryVersionTest, VersionNumbersAndText)
{
    EXPECT_EQ(0x02020701u, LibraryVersion());
    EXPECT_EQ(0x202u, LibraryVersion(true));
    EXPECT_EQ(CString("2.2.7.1"), LibraryVersionText('.'));
    EXPECT_EQ(CString("2,2,7,1"), LibraryVersionText(','));
}

TEST_F(RegistryArchiveTest, PiecesGoSixteenBytesAValueAndOneHundredTwentyEightAKey)
{
    ASSERT_TRUE(Write(Counting(16)));
    EXPECT_EQ((std::vector<std::string>{"data_0x00000000"}), ValueNames("block_0x00000000"));
    EXPECT_EQ(16u, ValueSize("block_0x00000000", "data_0x00000000"));

    ASSERT_TRUE(Write(Counting(17)));
    EXPECT_EQ(2u, ValueNames("block_0x00000000").size());
    EXPECT_EQ(1u, ValueSize("block_0x00000000", "data_0x00000001"));

    ASSERT_TRUE(Write(Counting(2100)));
    const std::vector<std::string> first = ValueNames("block_0x00000000");
    ASSERT_EQ(128u, first.size());
    EXPECT_EQ(16u, ValueSize("block_0x00000000", "data_0x0000007F"));
    EXPECT_EQ((std::vector<std::string>{"data_0x00000080", "data_0x00000081", "data_0x00000082", "data_0x00000083"}),
              ValueNames("block_0x00000001"));
    EXPECT_EQ(4u, ValueSize("block_0x00000001", "data_0x00000083"));
    EXPECT_EQ(sizeof(DWORD), ValueSize("", "data_size"));
    EXPECT_EQ("Vavi-RIZ v. 2.2.7.1 registry archiver", TextValue("data_generator"));
    EXPECT_EQ(HashText(Counting(2100)), TextValue("data_integrity"));

    std::vector<BYTE> back;
    EXPECT_TRUE(Read(back));
    EXPECT_EQ(Counting(2100), back);
    EXPECT_EQ(0u, position);
}

TEST_F(RegistryArchiveTest, AnEmptyFileStoresSizeZeroAndReadsBackWithoutTouchingTheFile)
{
    ASSERT_TRUE(Write({}));
    EXPECT_EQ("00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00", TextValue("data_integrity"));
    EXPECT_EQ("Vavi-RIZ v. 2.2.7.1 registry archiver", TextValue("data_generator"));
    HKEY hKey = Open();
    DWORD dwSubKeys = 99;
    ::RegQueryInfoKeyA(hKey, NULL, NULL, NULL, &dwSubKeys, NULL, NULL, NULL, NULL, NULL, NULL, NULL);
    ::RegCloseKey(hKey);
    EXPECT_EQ(0u, dwSubKeys);

    CMemFile file;
    file.Write("xyz", 3);
    file.Seek(1, CFile::begin);
    EXPECT_TRUE(RegistryArchiveRead(file, path, HKEY_CURRENT_USER));
    EXPECT_EQ(3u, file.GetLength());
    EXPECT_EQ(1u, file.GetPosition());
}

TEST_F(RegistryArchiveTest, ABrokenArchiveDoesNotRead)
{
    std::vector<BYTE> back;
    EXPECT_FALSE(Read(back));   // no key at all
    CMemFile scratch;
    EXPECT_FALSE(RegistryArchiveRead(scratch, NULL, HKEY_CURRENT_USER));
    EXPECT_FALSE(RegistryArchiveWrite(scratch, NULL, HKEY_CURRENT_USER));

    ASSERT_TRUE(Write(Counting(2100)));
    std::string text = TextValue("data_integrity");
    text[4] = text[4] == '0' ? '1' : '0';
    SetValue("", "data_integrity", REG_SZ, text.c_str(), (DWORD)text.size() + 1);
    EXPECT_FALSE(Read(back));

    ASSERT_TRUE(Write(Counting(2100)));
    HKEY hKey = Open();
    ::RegDeleteKeyA(hKey, "block_0x00000001");
    ::RegCloseKey(hKey);
    EXPECT_FALSE(Read(back));
    // What came before the missing piece stays in the file.
    EXPECT_EQ(2048u, back.size());

    // Uniform data: a reader that hashed a short piece with the byte left over from the
    // piece before, or took a text value's bytes, would find the integrity text matching.
    const std::vector<BYTE> uniform(2100, 0x5A);
    ASSERT_TRUE(Write(uniform));
    SetValue("block_0x00000000", "data_0x00000005", REG_BINARY, uniform.data(), 15);
    EXPECT_FALSE(Read(back));

    ASSERT_TRUE(Write(uniform));
    SetValue("block_0x00000000", "data_0x00000005", REG_SZ, uniform.data(), 16);
    EXPECT_FALSE(Read(back));
    ASSERT_TRUE(Write(uniform));
    EXPECT_TRUE(Read(back));
    EXPECT_EQ(uniform, back);

    ASSERT_TRUE(Write(Counting(2100)));
    SetValue("block_0x00000001", "data_0x00000083", REG_BINARY, Counting(16).data(), 16);
    EXPECT_FALSE(Read(back));
}

TEST_F(RegistryArchiveTest, ASecondWriteLeavesNoPieceOfTheLongerFirst)
{
    ASSERT_TRUE(Write(Counting(2100)));
    ASSERT_TRUE(Write(Counting(40)));
    HKEY hKey = Open("block_0x00000001");
    EXPECT_EQ((HKEY)NULL, hKey);
    EXPECT_EQ(3u, ValueNames("block_0x00000000").size());
    std::vector<BYTE> back;
    EXPECT_TRUE(Read(back));
    EXPECT_EQ(Counting(40), back);
}

} // namespace
