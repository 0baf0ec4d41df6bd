// The script function library, called from real scripts of a running script connection.
#include "script_fixture.h"

#include "messagetext.h"

namespace {

// S(...) writes results as text: numbers and strings as Lua prints them, tables as {a,b,c},
// several results separated by spaces, no result as "-". R(label, ...) logs "label=S(...)".
const char kPrelude[] = R"(
function S(...)
    local n = select('#', ...)
    if n == 0 then return '-' end
    local parts = {}
    for i = 1, n do
        local v = select(i, ...)
        if type(v) == 'table' then
            local items = {}
            for j, x in ipairs(v) do items[j] = tostring(x) end
            parts[i] = '{' .. table.concat(items, ',') .. '}'
        else
            parts[i] = tostring(v)
        end
    end
    return table.concat(parts, ' ')
end
function R(label, ...) Logput(1, label .. '=' .. S(...)) end
)";

class ScriptLibraryTest : public ScriptTest
{
protected:
    // Runs the body inside OnConnected and waits until it has run.
    void RunBody(const std::string& body, const std::string& topLevel = "")
    {
        Run(std::string(kPrelude) + topLevel + "\nfunction OnConnected()\n" + body +
            "\nLogput(1, 'done')\nend\nfunction OnDisConnected() end\n");
        ASSERT_TRUE(WaitForLog(10039, "done"));
    }

    // The "label=..." lines logged by R, as label -> text.
    std::map<std::string, std::string> Results() const
    {
        std::map<std::string, std::string> results;
        for (const std::string& text : Texts(10039)) {
            size_t eq = text.find('=');
            if (eq != std::string::npos)
                results[text.substr(0, eq)] = text.substr(eq + 1);
        }
        return results;
    }

    static std::string LuaPath(const std::string& path) { return "[[" + path + "]]"; }
};

// Makes a sparse file of the given size: the size is there, the disk blocks are not.
bool MakeSparseFile(const std::string& path, LONGLONG size)
{
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    LARGE_INTEGER at;
    at.QuadPart = size;
    bool ok = SetFilePointerEx(h, at, nullptr, FILE_BEGIN) && SetEndOfFile(h);
    CloseHandle(h);
    return ok;
}

} // namespace

TEST_F(ScriptLibraryTest, LogputLogsAtItsLevelAndWarnsOfBadCalls)
{
    RunBody(R"(
Logput(2, 'x')
Logput('a')
Logput(1, 5)
Logput('a', 'b')
Logput(1, {})
Logput(3, 'w')
Logput(1, 'cut' .. string.char(0) .. 'here')
)",
            "Logput(1, 'top')");
    EXPECT_EQ(std::vector<std::string>({"top", "5", "cut", "done"}), Texts(10039));
    EXPECT_EQ(std::vector<std::string>({"x"}), Texts(10040));
    EXPECT_EQ(std::vector<std::string>({"ﾊﾟﾗﾒｰﾀｴﾗｰ [1]", "ﾊﾟﾗﾒｰﾀｴﾗｰ [2]", "ﾊﾟﾗﾒｰﾀｴﾗｰ [3]", "w"}), Texts(10041));
    const RecordedReport* x = frame.FindMessage(10040);
    ASSERT_NE(nullptr, x);
    EXPECT_EQ(std::vector<BYTE>({'x', 0}), x->payload);
    EXPECT_EQ(0u, x->error);
}

TEST_F(ScriptLibraryTest, BitFunctionsKeepTheLowByte)
{
    RunBody(R"(
R('or', BitOr(0x1FF, 0))
R('off', BitOff(0xFF, 0x0F))
R('and', BitAnd(0x0F, 0x3C))
R('and3', BitAnd(1, 2, 3))
R('or1', BitOr(1))
R('or3', BitOr(1, 2, 4))
R('offs', BitOff('x', 1))
R('neg', BitOr(-1, 0))
R('frac', BitOr(2.9, 0))
R('huge', BitOr(1e300, 0), BitAnd(-1e300, 255), BitOr(0/0, 0))
)");
    std::map<std::string, std::string> r = Results();
    EXPECT_EQ("255", r["or"]);
    EXPECT_EQ("240", r["off"]);
    EXPECT_EQ("12", r["and"]);
    EXPECT_EQ("-", r["and3"]);
    EXPECT_EQ("-", r["or1"]);
    EXPECT_EQ("3", r["or3"]);
    EXPECT_EQ("-", r["offs"]);
    EXPECT_EQ("255", r["neg"]);
    EXPECT_EQ("2", r["frac"]);
    EXPECT_EQ("0 0 0", r["huge"]);
}

TEST_F(ScriptLibraryTest, StringAndTableConversions)
{
    RunBody(R"(
R('s2t', StringToTable("\130A"))
R('zero', StringToTable("a\0b"))
R('num', StringToTable(12))
R('s2t0', StringToTable())
R('s2tt', StringToTable({}))
R('cat', TableCat({1, 2, 'x', 4}, {5}))
R('cat8', TableCat({300, -1, 2.7}, {StringToTable("\130")[1]}))
R('cat1', TableCat({}))
R('cat2', TableCat(1, {}))
R('cat3', TableCat({}, 'x'))
)");
    std::map<std::string, std::string> r = Results();
    EXPECT_EQ("{-126,65}", r["s2t"]);
    EXPECT_EQ("{97}", r["zero"]);
    EXPECT_EQ("{49,50}", r["num"]);
    EXPECT_EQ("1", r["s2t0"]);
    EXPECT_EQ("2", r["s2tt"]);
    EXPECT_EQ("{1,2,5}", r["cat"]);
    EXPECT_EQ("{44,255,2,130}", r["cat8"]);
    EXPECT_EQ("1", r["cat1"]);
    EXPECT_EQ("2", r["cat2"]);
    EXPECT_EQ("3", r["cat3"]);
}

TEST_F(ScriptLibraryTest, EditorDataGoesThroughTheApplication)
{
    app.SetEditor({0x10, 0x20});
    RunBody(R"(
R('get', GetEditorData())
R('get1', GetEditorData(1))
R('set', SetEditorData({1, 2, 0x141}), GetEditorData())
R('sets', SetEditorData('AB'), GetEditorData())
R('set0', SetEditorData())
R('setb', SetEditorData(true))
R('sete', SetEditorData({}), GetEditorData())
)");
    std::map<std::string, std::string> r = Results();
    EXPECT_EQ("{16,32}", r["get"]);
    EXPECT_EQ("1", r["get1"]);
    EXPECT_EQ("0 {1,2,65}", r["set"]);
    EXPECT_EQ("0 {65,66}", r["sets"]);
    EXPECT_EQ("1", r["set0"]);
    EXPECT_EQ("2", r["setb"]);
    EXPECT_EQ("0 {}", r["sete"]);
    EXPECT_TRUE(app.Editor().empty());
    EXPECT_EQ(3, app.EditorWrites());
}

TEST_F(ScriptLibraryTest, FilesAreReadAndWrittenWhole)
{
    TempFolder folder;
    const std::string ab = LuaPath(folder.File("ab.bin"));
    const std::string empty = LuaPath(folder.File("empty.bin"));
    const std::string missing = LuaPath(folder.File("missing.bin"));
    const std::string noFolder = LuaPath(folder.File("no\\such\\folder.bin"));
    const std::string locked = folder.File("locked.bin");
    ASSERT_TRUE(MakeSparseFile(locked, 3));
    HANDLE hLocked = CreateFileA(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, hLocked);
    RunBody("R('missing', FileRead(" + missing + "))\n" +
            "R('write', FileWrite('AB', " + ab + "))\n" +
            "R('read', FileRead(" + ab + "))\n" +
            "R('write0', FileWrite({}, " + empty + "))\n" +
            "R('read0', FileRead(" + empty + "))\n" +
            "R('rewrite', FileWrite({0x141, 7}, " + ab + "), FileRead(" + ab + "))\n" +
            "R('nofolder', FileWrite('x', " + noFolder + "))\n" +
            "R('locked', FileRead(" + LuaPath(locked) + "))\n" +
            "R('r0', FileRead())\n" +
            "R('rt', FileRead({}))\n" +
            "R('w1', FileWrite('a'))\n" +
            "R('wp', FileWrite('a', {}))\n" +
            "R('wd', FileWrite(true, " + ab + "))\n");
    CloseHandle(hLocked);
    std::map<std::string, std::string> r = Results();
    EXPECT_EQ("3", r["missing"]);
    EXPECT_EQ("0", r["write"]);
    EXPECT_EQ("{65,66}", r["read"]);
    EXPECT_EQ("0", r["write0"]);
    EXPECT_EQ("4", r["read0"]);
    EXPECT_EQ("0 {65,7}", r["rewrite"]);
    EXPECT_EQ("4", r["nofolder"]);
    EXPECT_EQ("5", r["locked"]);
    EXPECT_EQ("1", r["r0"]);
    EXPECT_EQ("2", r["rt"]);
    EXPECT_EQ("1", r["w1"]);
    EXPECT_EQ("2", r["wp"]);
    EXPECT_EQ("3", r["wd"]);
}

TEST_F(ScriptLibraryTest, FileTooBigForMemoryAnswersSeven)
{
    TempFolder folder;
    // Too big for the address space of a 32-bit program, and too big for any size it can hold.
    const std::string big = folder.File("big.bin");
    const std::string huge = folder.File("huge.bin");
    ASSERT_TRUE(MakeSparseFile(big, 2000000000LL));
    ASSERT_TRUE(MakeSparseFile(huge, 5000000000LL));
    RunBody("R('big', FileRead(" + LuaPath(big) + "))\nR('huge', FileRead(" + LuaPath(huge) + "))");
    std::map<std::string, std::string> r = Results();
    EXPECT_EQ("7", r["big"]);
    EXPECT_EQ("7", r["huge"]);
    EXPECT_TRUE(Texts(10041).empty());
}

TEST_F(ScriptLibraryTest, TimerArgumentsAreChecked)
{
    RunBody(R"(
R('set0', SetTimer())
R('set4', SetTimer(1, 2, 3, 4))
R('sets', SetTimer('a'))
R('set2s', SetTimer(0, 'b'))
R('kill2', KillTimer(1, 2))
R('kills', KillTimer('x'))
R('kill', KillTimer())
R('kill7', KillTimer(7))
)");
    std::map<std::string, std::string> r = Results();
    EXPECT_EQ("1", r["set0"]);
    EXPECT_EQ("1", r["set4"]);
    EXPECT_EQ("2", r["sets"]);
    EXPECT_EQ("2", r["set2s"]);
    EXPECT_EQ("1", r["kill2"]);
    EXPECT_EQ("2", r["kills"]);
    EXPECT_EQ("0", r["kill"]);
    EXPECT_EQ("0", r["kill7"]);
}

TEST_F(ScriptLibraryTest, SendDataWritesOrRoutesAndReturnsNothing)
{
    RunBody(R"(
R('route', SendData({0x41}, 2))
SendData({0x42}, 5)
SendData('AB')
SendData({0x141, -1})
SendData({})
SendData()
SendData(1, 2, 3)
SendData(true)
)");
    EXPECT_EQ("-", Results()["route"]);
    EXPECT_EQ(1, frame.Count("route 2 41"));
    const RecordedReport* route = nullptr;
    for (const auto& report : frame.Reports())
        if (report.type == RecordedReport::Route)
            route = &report;
    ASSERT_NE(nullptr, route);
    EXPECT_EQ(0, route->port);
    EXPECT_EQ(0, frame.Count("send 41"));
    ASSERT_TRUE(frame.WaitForText("msg 20016", 5000, 3));
    std::vector<std::string> sends;
    for (const auto& text : Messages())
        if (text.compare(0, 4, "send") == 0)
            sends.push_back(text);
    EXPECT_EQ(std::vector<std::string>({"send 42", "send 41 42", "send 41 FF"}), sends);
    EXPECT_EQ(std::vector<BYTE>({0x42, 0x41, 0x42, 0x41, 0xFF}), device.Transmitted());
    std::string sendDataError(static_cast<LPCSTR>(GetMessageText(13090)));
    EXPECT_EQ(std::vector<std::string>({sendDataError, sendDataError, sendDataError}), Texts(10041));
}

TEST_F(ScriptLibraryTest, LibraryWorksAtTheTopLevelOfTheScript)
{
    app.SetEditor({0x33});
    RunBody("", "SendData(GetEditorData()) SetTimer(1, 10000) Disconnect()");
    // Disconnect at the top level ends the connection once OnConnected has returned.
    ASSERT_TRUE(WaitEnded());
    EXPECT_EQ(1, frame.Count("send 33"));
    EXPECT_EQ(1, frame.Count("msg 20011"));
}
