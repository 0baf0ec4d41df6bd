// CFile, CMemFile and CArchive against real files in a temporary folder, and the memory
// exception that a failed new throws.
#include "afxwin.h"
#include <gtest/gtest.h>
#include <malloc.h>
#include <string>

namespace {

class FileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char szTemp[MAX_PATH];
        GetTempPathA(MAX_PATH, szTemp);
        m_strDir.Format("%sclasslib_file_%lu", szTemp, GetCurrentProcessId());
        CreateDirectoryA(m_strDir, NULL);
    }
    void TearDown() override
    {
        WIN32_FIND_DATAA fd;
        HANDLE h = FindFirstFileA(m_strDir + "\\*", &fd);
        if (h != INVALID_HANDLE_VALUE) {
            do {
                CString path = m_strDir + "\\" + fd.cFileName;
                SetFileAttributesA(path, FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(path);
            } while (FindNextFileA(h, &fd));
            FindClose(h);
        }
        RemoveDirectoryA(m_strDir);
    }
    CString Path(LPCSTR name) const { return m_strDir + "\\" + name; }
    void WriteFileBytes(LPCSTR name, const std::string& bytes)
    {
        CFile f(Path(name), CFile::modeCreate | CFile::modeWrite | CFile::typeBinary);
        f.Write(bytes.data(), (UINT)bytes.size());
    }

    CString m_strDir;
};

// Bytes in use on the runtime's heap.
size_t HeapBytesInUse()
{
    size_t total = 0;
    _HEAPINFO info;
    info._pentry = NULL;
    while (_heapwalk(&info) == _HEAPOK)
        if (info._useflag == _USEDENTRY)
            total += info._size;
    return total;
}

} // namespace

TEST_F(FileTest, ReadReturnsWhatIsLeftAtTheEnd)
{
    WriteFileBytes("six.bin", "abcdef");
    CFile f;
    ASSERT_TRUE(f.Open(Path("six.bin"), CFile::modeRead | CFile::typeBinary));
    EXPECT_EQ(f.GetLength(), 6u);
    EXPECT_EQ(f.Seek(4, CFile::begin), 4u);
    char buf[8] = {};
    UINT n = 99;
    EXPECT_NO_THROW(n = f.Read(buf, 4));
    EXPECT_EQ(n, 2u);
    EXPECT_EQ(std::string(buf, 2), "ef");
    EXPECT_EQ(f.Read(buf, 4), 0u);
    f.SeekToBegin();
    EXPECT_EQ(f.Read(buf, 3), 3u);
    EXPECT_EQ(f.GetPosition(), 3u);
    EXPECT_EQ(f.SeekToEnd(), 6u);
    EXPECT_EQ(f.GetFileName(), "six.bin");
    EXPECT_EQ(f.GetFileTitle(), "six");
    f.Close();
    EXPECT_EQ(f.m_hFile, CFile::hFileNull);
}

TEST_F(FileTest, OpenOfMissingFileReturnsFalse)
{
    CFile f;
    CFileException e;
    EXPECT_FALSE(f.Open(Path("missing.bin"), CFile::modeRead, &e));
    EXPECT_EQ(e.m_cause, CFileException::fileNotFound);
    EXPECT_EQ(e.m_lOsError, (LONG)ERROR_FILE_NOT_FOUND);
    EXPECT_FALSE(f.Open(Path("missing.bin"), CFile::modeRead));
    EXPECT_FALSE(f.Open(Path("nodir\\x.bin"), CFile::modeCreate | CFile::modeWrite, &e));
    EXPECT_EQ(e.m_cause, CFileException::badPath);

    bool bThrown = false;
    try {
        CFile g(Path("missing.bin"), CFile::modeRead);
    } catch (CFileException* pe) {
        bThrown = true;
        EXPECT_EQ(pe->m_cause, CFileException::fileNotFound);
        char szText[256];
        EXPECT_TRUE(pe->GetErrorMessage(szText, sizeof(szText)));
        EXPECT_NE(strstr(szText, "missing.bin"), nullptr);
        pe->Delete();
    }
    EXPECT_TRUE(bThrown);
}

TEST_F(FileTest, WriteToReadOnlyFileThrowsAndDeleteEndsIt)
{
    WriteFileBytes("ro.bin", "x");
    CFile f(Path("ro.bin"), CFile::modeRead);
    size_t before = 0;
    for (int round = 0; round < 2; round++) {
        // The first round warms up whatever the runtime allocates once.
        if (round == 1)
            before = HeapBytesInUse();
        for (int i = 0; i < 200; i++) {
            bool bThrown = false;
            try {
                f.Write("abc", 3);
            } catch (CFileException* e) {
                bThrown = true;
                EXPECT_EQ(e->m_cause, CFileException::accessDenied);
                EXPECT_EQ(e->m_lOsError, (LONG)ERROR_ACCESS_DENIED);
                EXPECT_TRUE(e->m_bAutoDelete);
                e->Delete();
            }
            ASSERT_TRUE(bThrown);
        }
    }
    // 200 leaked exceptions with their file names would hold tens of kilobytes.
    EXPECT_LT(HeapBytesInUse(), before + 2000);
}

TEST_F(FileTest, CreateTruncatesUnlessNoTruncate)
{
    WriteFileBytes("t.bin", "0123456789");
    {
        CFile f(Path("t.bin"), CFile::modeCreate | CFile::modeNoTruncate | CFile::modeReadWrite);
        EXPECT_EQ(f.GetLength(), 10u);
        f.SeekToEnd();
        f.Write("AB", 2);
    }
    {
        CFile f(Path("t.bin"), CFile::modeRead);
        EXPECT_EQ(f.GetLength(), 12u);
    }
    {
        CFile f(Path("t.bin"), CFile::modeCreate | CFile::modeWrite);
        EXPECT_EQ(f.GetLength(), 0u);
        f.Write("z", 1);
        f.SetLength(4);
        EXPECT_EQ(f.GetLength(), 4u);
    }
    CFile f;
    ASSERT_TRUE(f.Open(Path("new.bin"), CFile::modeCreate | CFile::modeNoTruncate | CFile::modeWrite));
    EXPECT_EQ(f.GetLength(), 0u);
}

TEST_F(FileTest, ShareModes)
{
    WriteFileBytes("s.bin", "data");
    {
        CFile reader(Path("s.bin"), CFile::modeRead | CFile::shareDenyWrite);
        CFile other;
        CFileException e;
        EXPECT_FALSE(other.Open(Path("s.bin"), CFile::modeWrite | CFile::shareDenyNone, &e));
        EXPECT_EQ(e.m_cause, CFileException::sharingViolation);
        EXPECT_TRUE(other.Open(Path("s.bin"), CFile::modeRead | CFile::shareDenyNone));
    }
    {
        CFile exclusive(Path("s.bin"), CFile::modeRead | CFile::shareExclusive);
        CFile other;
        EXPECT_FALSE(other.Open(Path("s.bin"), CFile::modeRead | CFile::shareDenyNone));
    }
    {
        CFile writer(Path("s.bin"), CFile::modeWrite | CFile::shareDenyNone);
        CFile other;
        EXPECT_TRUE(other.Open(Path("s.bin"), CFile::modeRead | CFile::shareDenyNone));
    }
}

TEST_F(FileTest, StatusRenameRemove)
{
    WriteFileBytes("a.bin", "12345");
    CFileStatus status;
    ASSERT_TRUE(CFile::GetStatus(Path("a.bin"), status));
    EXPECT_EQ(status.m_size, 5u);
    EXPECT_GE(status.m_mtime.GetYear(), 2020);
    EXPECT_FALSE(CFile::GetStatus(Path("none.bin"), status));

    CFile::Rename(Path("a.bin"), Path("b.bin"));
    EXPECT_TRUE(CFile::GetStatus(Path("b.bin"), status));
    CFile::Remove(Path("b.bin"));
    EXPECT_FALSE(CFile::GetStatus(Path("b.bin"), status));

    bool bThrown = false;
    try {
        CFile::Remove(Path("b.bin"));
    } catch (CFileException* e) {
        bThrown = true;
        EXPECT_EQ(e->m_cause, CFileException::fileNotFound);
        e->Delete();
    }
    EXPECT_TRUE(bThrown);
    bThrown = false;
    try {
        CFile::Rename(Path("b.bin"), Path("c.bin"));
    } catch (CFileException* e) {
        bThrown = true;
        e->Delete();
    }
    EXPECT_TRUE(bThrown);
}

TEST(CMemFileTest, GrowsSeeksAndDetaches)
{
    CMemFile mf(16);
    mf.Write("hello", 5);
    EXPECT_EQ(mf.GetLength(), 5u);
    mf.Seek(10, CFile::begin);
    mf.Write("!", 1);
    EXPECT_EQ(mf.GetLength(), 11u);
    mf.SeekToBegin();
    char buf[16] = {};
    EXPECT_EQ(mf.Read(buf, 16), 11u);
    EXPECT_EQ(std::string(buf, 11), std::string("hello\0\0\0\0\0!", 11));
    ULONGLONG nLength = mf.GetLength();
    BYTE* p = mf.Detach();
    EXPECT_EQ(memcmp(p, "hello", 5), 0);
    free(p);
    EXPECT_EQ(mf.GetLength(), 0u);
    EXPECT_EQ(nLength, 11u);

    BYTE fixed[4] = {1, 2, 3, 4};
    CMemFile over(fixed, sizeof(fixed));
    EXPECT_EQ(over.GetLength(), 4u);
    over.Write("ab", 2);
    EXPECT_EQ(fixed[0], 'a');
    bool bThrown = false;
    try {
        over.Write("cde", 3);
    } catch (CMemoryException* e) {
        bThrown = true;
        e->Delete();
    }
    EXPECT_TRUE(bThrown);
}

TEST(CArchiveTest, StringsRoundTripThroughMemFile)
{
    CString s10('a', 10);
    CString s300;
    for (int i = 0; i < 150; i++)
        s300 += "ソ";
    CString s70000;
    LPSTR p = s70000.GetBuffer(70000);
    for (int i = 0; i < 70000; i++)
        p[i] = (char)(1 + i % 250);
    s70000.ReleaseBuffer(70000);

    CMemFile mf;
    {
        CArchive ar(&mf, CArchive::store);
        ar << s10 << s300 << s70000 << CString();
        ar.Close();
    }
    // The length prefixes of the three sizes.
    BYTE* data = nullptr;
    ULONGLONG nLength = mf.GetLength();
    EXPECT_EQ(nLength, 1 + 10 + 3 + 300 + 7 + 70000 + 1u);
    mf.SeekToBegin();
    BYTE head[3];
    mf.Read(head, 1);
    EXPECT_EQ(head[0], 10);
    mf.Seek(11, CFile::begin);
    mf.Read(head, 3);
    EXPECT_EQ(head[0], 0xFF);
    EXPECT_EQ(head[1] | head[2] << 8, 300);
    mf.Seek(11 + 3 + 300, CFile::begin);
    BYTE big[7];
    mf.Read(big, 7);
    EXPECT_EQ(big[0], 0xFF);
    EXPECT_EQ(big[1], 0xFF);
    EXPECT_EQ(big[2], 0xFF);
    EXPECT_EQ(big[3] | big[4] << 8 | big[5] << 16 | big[6] << 24, 70000);
    (void)data;

    mf.SeekToBegin();
    CArchive ar(&mf, CArchive::load);
    CString r10, r300, r70000, rEmpty("x");
    ar >> r10 >> r300 >> r70000 >> rEmpty;
    EXPECT_EQ(r10, s10);
    EXPECT_EQ(r300, s300);
    EXPECT_EQ(r70000.GetLength(), 70000);
    EXPECT_EQ(memcmp((LPCSTR)r70000, (LPCSTR)s70000, 70000), 0);
    EXPECT_TRUE(rEmpty.IsEmpty());

    bool bThrown = false;
    try {
        BYTE b;
        ar >> b;
    } catch (CArchiveException* e) {
        bThrown = true;
        EXPECT_EQ(e->m_cause, CArchiveException::endOfFile);
        e->Delete();
    }
    EXPECT_TRUE(bThrown);
}

TEST_F(FileTest, ArchiveOfNumbersThroughRealFile)
{
    {
        CFile f(Path("ar.bin"), CFile::modeCreate | CFile::modeWrite);
        CArchive ar(&f, CArchive::store, 128);
        ar << (BYTE)0x12 << (WORD)0x3456 << (DWORD)0x789ABCDE << (LONG)-2 << 7 << CString("表示");
        for (int i = 0; i < 1000; i++)
            ar << (DWORD)i;
        ar.WriteCount(70000);
        ar.Write("tail", 4);
    }
    CFile f(Path("ar.bin"), CFile::modeRead);
    EXPECT_EQ(f.GetLength(), 1 + 2 + 4 + 4 + 4 + 5 + 4000 + 6 + 4u);
    CArchive ar(&f, CArchive::load, 128);
    BYTE b;
    WORD w;
    DWORD dw;
    LONG l;
    int n;
    CString s;
    ar >> b >> w >> dw >> l >> n >> s;
    EXPECT_EQ(b, 0x12);
    EXPECT_EQ(w, 0x3456);
    EXPECT_EQ(dw, 0x789ABCDEu);
    EXPECT_EQ(l, -2);
    EXPECT_EQ(n, 7);
    EXPECT_EQ(s, "表示");
    for (DWORD i = 0; i < 1000; i++) {
        ar >> dw;
        ASSERT_EQ(dw, i);
    }
    EXPECT_EQ(ar.ReadCount(), 70000u);
    char tail[8];
    EXPECT_EQ(ar.Read(tail, 8), 4u);
    EXPECT_EQ(std::string(tail, 4), "tail");

    // Storing into a loading archive is refused.
    bool bThrown = false;
    try {
        ar << (BYTE)1;
    } catch (CArchiveException* e) {
        bThrown = true;
        EXPECT_EQ(e->m_cause, CArchiveException::readOnly);
        e->Delete();
    }
    EXPECT_TRUE(bThrown);
}

TEST(CArchiveTest, DamagedLengthThrowsInsteadOfAllocating)
{
    const BYTE damaged[] = {0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x70, 'a', 'b'};
    CMemFile mf((BYTE*)damaged, sizeof(damaged));
    CArchive ar(&mf, CArchive::load);
    CString s;
    bool bThrown = false;
    try {
        ar >> s;
    } catch (CArchiveException* e) {
        bThrown = true;
        EXPECT_EQ(e->m_cause, CArchiveException::endOfFile);
        e->Delete();
    }
    EXPECT_TRUE(bThrown);
}

TEST(CArchiveTest, ReadsUtf16Strings)
{
    // 0xFF 0xFFFE marks UTF-16 text, followed by the usual length prefix.
    const BYTE stored[] = {0xFF, 0xFE, 0xFF, 2, 0x68, 0x88, 0x3A, 0x79};
    CMemFile mf((BYTE*)stored, sizeof(stored));
    CArchive ar(&mf, CArchive::load);
    CString s;
    ar >> s;
    EXPECT_EQ(s, "表示");
}

// Where allocations of the memory test go, so the compiler cannot drop them.
BYTE* volatile g_pAllocated = nullptr;

TEST(MemoryException, FailedNewReachesTheHandler)
{
    bool bCaught = false;
    try {
        g_pAllocated = new BYTE[0x7FFFFFF0];
    } catch (CMemoryException* e) {
        bCaught = true;
        e->Delete();
    }
    EXPECT_TRUE(bCaught);
    delete[] g_pAllocated;
    g_pAllocated = nullptr;

    bCaught = false;
    try {
        CString s;
        s.GetBuffer(0x7FFFFFF0);
    } catch (CException* e) {
        bCaught = e->IsKindOf(RUNTIME_CLASS(CMemoryException));
        e->Delete();
    }
    EXPECT_TRUE(bCaught);

    // The memory exception is one static object: Delete leaves it usable.
    for (int i = 0; i < 2; i++) {
        try {
            AfxThrowMemoryException();
        } catch (CMemoryException* e) {
            EXPECT_FALSE(e->m_bAutoDelete);
            e->Delete();
        }
    }
}
