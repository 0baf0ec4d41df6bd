// Script DLLs: the folder scan, the "GetModuleName" protocol, and their functions as script
// globals.
#include "script_fixture.h"

namespace {

class ScriptDllTest : public ScriptTest
{
protected:
    // Copies a DLL built beside the test executable into the folder under a name.
    void Copy(const std::string& built, const std::string& name)
    {
        ASSERT_TRUE(CopyFileA((ExeFolder() + "\\" + built).c_str(), folder.File(name).c_str(), FALSE)) << built;
    }

    std::vector<std::string> Names(int entry) const
    {
        std::vector<std::string> names;
        for (const auto& function : GetScriptDllList().GetEntry(entry).functions)
            names.push_back(function.szName);
        return names;
    }

    // Unloaded (by the fixture's tear-down) before the folder is removed.
    TempFolder folder;
};

} // namespace

TEST_F(ScriptDllTest, FolderScanKeepsOnlyDllsThatListFunctions)
{
    Copy("kvrtest_script.dll", "kvrtest_script.dll");
    Copy("kvrtest_noname.dll", "kvrtest_noname.dll");
    Copy("kvrtest_script.dll", ".hidden.dll");
    Copy("lua51.dll", "lua51.dll");
    ASSERT_TRUE(CreateDirectoryA(folder.File("sub.dll").c_str(), nullptr));

    GetScriptDllList().LoadFolder(folder.Path().c_str());
    RemoveDirectoryA(folder.File("sub.dll").c_str());
    ASSERT_EQ(1, GetScriptDllList().GetCount());
    EXPECT_EQ(std::vector<std::string>({"Twice", "Hello"}), Names(0));
    EXPECT_STREQ(folder.File("kvrtest_script.dll").c_str(), GetScriptDllList().GetEntry(0).strPath);
    EXPECT_NE(nullptr, GetScriptDllList().GetEntry(0).hModule);

    // The DLL's functions are globals of the script, on the one Lua the program shares.
    Run(R"(
function OnConnected() Logput(1, 'twice=' .. Twice(21)) Logput(1, Hello()) end
function OnDisConnected() end
)");
    ASSERT_TRUE(WaitForLog(10039, "twice=42"));
    ASSERT_TRUE(WaitForLog(10039, "hello from the DLL"));
}

TEST_F(ScriptDllTest, StartUpLoaderScansTheWorkingFolder)
{
    Copy("kvrtest_script.dll", "a.dll");
    char saved[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, saved);
    ASSERT_TRUE(SetCurrentDirectoryA(folder.Path().c_str()));
    LoadScriptDlls();
    SetCurrentDirectoryA(saved);
    ASSERT_EQ(1, GetScriptDllList().GetCount());
    EXPECT_STREQ(folder.File("a.dll").c_str(), GetScriptDllList().GetEntry(0).strPath);
}

TEST_F(ScriptDllTest, DllFunctionReplacesTheLibrarysInThatConnectionOnly)
{
    Copy("kvrtest_partial.dll", "partial.dll");
    GetScriptDllList().LoadFolder(folder.Path().c_str());
    ASSERT_EQ(1, GetScriptDllList().GetCount());
    // "Missing" is listed but not exported: no record, no global.
    EXPECT_EQ(std::vector<std::string>({"Logput"}), Names(0));

    const char script[] = R"(
function OnConnected()
    local r = Logput(1, 'x')
    SendData({r == 'dll' and 1 or 0, Missing == nil and 1 or 0})
end
function OnDisConnected() end
)";
    Run(script);
    ASSERT_TRUE(frame.WaitForText("send 01 01"));
    EXPECT_TRUE(Texts(10039).empty());
    ASSERT_TRUE(Stop());
    CloseHandle(m_hThread);
    CloseHandle(m_hStop);
    m_hThread = m_hStop = nullptr;

    // Without the DLL, the next connection has the library's Logput again.
    GetScriptDllList().Clear();
    frame.Clear();
    Run(script);
    ASSERT_TRUE(frame.WaitForText("send 00 01"));
    EXPECT_EQ(std::vector<std::string>({"x"}), Texts(10039));
}
