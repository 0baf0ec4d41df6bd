// An extension DLL that answers nonsense drives connections in extended mode: received
// blocks, user sends and the timers it starts keep asking it, and whatever it answers the
// connection carries out or refuses without a crash. A connection it ends or fails is started
// again until it has given its replies. And the import table of a DLL's file, which the module
// keeper reads in its copies, is read from mutated images without a read past them.
#include "script_fixture.h"

#include "dllimports.h"
#include "fuzzharness.h"

#include <cstddef>
#include <cstring>

namespace {

typedef void (*FuzzStartProc)(unsigned);
typedef long (*FuzzRepliesProc)();

class ExtensionFuzz : public AppTest
{
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        m_path = ExeFolder() + "\\kvrtest_extfuzz.dll";
        m_hDll = LoadLibraryA(m_path.c_str());
        ASSERT_NE(nullptr, m_hDll);
        m_start = reinterpret_cast<FuzzStartProc>(GetProcAddress(m_hDll, "KvrFuzzStart"));
        m_replies = reinterpret_cast<FuzzRepliesProc>(GetProcAddress(m_hDll, "KvrFuzzReplies"));
        ASSERT_TRUE(m_start && m_replies);
        set.m_nExtendedMode[0] = 1;
        set.m_strExtDllPath[0] = m_path.c_str();
        set.m_extSettings[0] = Bytes({1, 2, 3});
        app.SetEditor({0x10, 0x20, 0x30});
    }

    void TearDown() override
    {
        AppTest::TearDown();
        if (m_hDll)
            FreeLibrary(m_hDll);
    }

    // Ends the connection's thread handles once it ended by itself.
    void Forget()
    {
        CloseHandle(m_hThread);
        m_hThread = nullptr;
        CloseHandle(m_hStop);
        m_hStop = nullptr;
    }

    std::string m_path;
    HMODULE m_hDll = nullptr;
    FuzzStartProc m_start = nullptr;
    FuzzRepliesProc m_replies = nullptr;
};

} // namespace

TEST_F(ExtensionFuzz, TenThousandSeededRepliesThroughConnections)
{
    const long target = fuzz::InputCount(10000);
    m_start(20261207);
    int connections = 0;
    int round = 0;
    const DWORD began = GetTickCount();
    const DWORD bound = fuzz::LongRun() ? 800000 : 120000;
    const std::vector<std::string> over = fuzz::WithCeiling(fuzz::kDefaultCeiling, [&] {
        while (m_replies() < target) {
            if (!m_hThread) {
                Start();
                ++connections;
            }
            // Traffic that asks the DLL: a received block and now and then a user's send.
            device.Inject(std::vector<BYTE>{static_cast<BYTE>(round), 0x0D, 0x0A});
            if (!frame.Buffers().empty())
                Push({0x55, static_cast<BYTE>(round)}, round % 2);
            ++round;
            frame.Pump(1);
            if (WaitForSingleObject(m_hThread, 0) == WAIT_OBJECT_0) {
                Forget();
                frame.Clear();
            }
            if (frame.Reports().size() > 20000)
                frame.Clear();
            ASSERT_LT(GetTickCount() - began, bound) << "replies so far: " << m_replies();
        }
    });
    EXPECT_TRUE(over.empty()) << testing::PrintToString(over);
    ASSERT_TRUE(Stop() || !m_hThread);
    std::printf("fuzz extension replies    %ld replies through %d connections  %.2f s\n", m_replies(), connections,
                (GetTickCount() - began) / 1000.0);
    EXPECT_GE(m_replies(), target);
    EXPECT_GE(connections, 1);
}

namespace {

// A small 32-bit image with one section, at file offset 0x200 and address 0x1000, that holds
// an import table naming two DLLs and their names.
fuzz::Seed ImageSeed()
{
    fuzz::Seed seed;
    fuzz::Bytes& b = seed.bytes;
    b.assign(0x280, 0);
    b[0] = 'M';
    b[1] = 'Z';
    const size_t nt = 0x40;
    const size_t optional = nt + offsetof(IMAGE_NT_HEADERS32, OptionalHeader);
    const size_t imports = optional + offsetof(IMAGE_OPTIONAL_HEADER32, DataDirectory) +
                           IMAGE_DIRECTORY_ENTRY_IMPORT * sizeof(IMAGE_DATA_DIRECTORY);
    const size_t section = optional + sizeof(IMAGE_OPTIONAL_HEADER32);
    const size_t table = 0x200;
    fuzz::Put32(b, 0x3C, nt);
    fuzz::Put32(b, nt, IMAGE_NT_SIGNATURE);
    b[nt + 4 + offsetof(IMAGE_FILE_HEADER, NumberOfSections)] = 1;
    b[nt + 4 + offsetof(IMAGE_FILE_HEADER, SizeOfOptionalHeader)] = sizeof(IMAGE_OPTIONAL_HEADER32);
    b[optional] = IMAGE_NT_OPTIONAL_HDR32_MAGIC & 0xFF;
    b[optional + 1] = IMAGE_NT_OPTIONAL_HDR32_MAGIC >> 8;
    fuzz::Put32(b, optional + offsetof(IMAGE_OPTIONAL_HEADER32, SizeOfHeaders), table);
    fuzz::Put32(b, optional + offsetof(IMAGE_OPTIONAL_HEADER32, NumberOfRvaAndSizes), 16);
    fuzz::Put32(b, imports, 0x1000);
    fuzz::Put32(b, imports + 4, 3 * sizeof(IMAGE_IMPORT_DESCRIPTOR));
    fuzz::Put32(b, section + offsetof(IMAGE_SECTION_HEADER, Misc), 0x80);
    fuzz::Put32(b, section + offsetof(IMAGE_SECTION_HEADER, VirtualAddress), 0x1000);
    fuzz::Put32(b, section + offsetof(IMAGE_SECTION_HEADER, SizeOfRawData), 0x80);
    fuzz::Put32(b, section + offsetof(IMAGE_SECTION_HEADER, PointerToRawData), table);
    const char* const names[] = {"first.dll", "second.dll"};
    for (size_t i = 0; i < 2; ++i) {
        const size_t descriptor = table + i * sizeof(IMAGE_IMPORT_DESCRIPTOR);
        const size_t name = table + 0x40 + i * 0x20;
        fuzz::Put32(b, descriptor + offsetof(IMAGE_IMPORT_DESCRIPTOR, Name), static_cast<DWORD>(0x1000 + name - table));
        fuzz::Put32(b, descriptor + offsetof(IMAGE_IMPORT_DESCRIPTOR, FirstThunk), 0x1070);
        std::memcpy(&b[name], names[i], std::strlen(names[i]));
        seed.lengthFields.push_back(descriptor + offsetof(IMAGE_IMPORT_DESCRIPTOR, Name));
        seed.boundaries.push_back(descriptor);
        seed.boundaries.push_back(name);
    }
    for (size_t field : {offsetof(IMAGE_SECTION_HEADER, Misc), offsetof(IMAGE_SECTION_HEADER, VirtualAddress),
                         offsetof(IMAGE_SECTION_HEADER, SizeOfRawData), offsetof(IMAGE_SECTION_HEADER, PointerToRawData)})
        seed.lengthFields.push_back(section + field);
    seed.lengthFields.insert(seed.lengthFields.end(), {0x3C, imports, imports + 4});
    seed.boundaries.insert(seed.boundaries.end(), {0x40, nt + 4, optional, section, section + 40, table, b.size()});
    return seed;
}

} // namespace

TEST(FuzzExtension, ImportTablesOfMutatedImages)
{
    const fuzz::Seed seed = ImageSeed();
    std::vector<CString> names;
    ASSERT_TRUE(ReadDllImports(seed.bytes.data(), seed.bytes.size(), names));
    EXPECT_EQ((std::vector<CString>{"first.dll", "second.dll"}), names);
    const fuzz::RunResult result =
        fuzz::Run("dll imports", {seed}, fuzz::InputCount(3000), [](const BYTE* p, size_t n) {
            std::vector<CString> found;
            const bool bRead = ReadDllImports(p, n, found);
            size_t nLength = 0;
            for (const CString& name : found)
                nLength += name.GetLength();
            return bRead && nLength < n;
        });
    EXPECT_TRUE(result.Passed()) << testing::PrintToString(result.failures);
    EXPECT_GT(result.accepted, 0);
    EXPECT_GT(result.refused, 0);
}
