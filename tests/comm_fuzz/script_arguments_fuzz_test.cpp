// Every function of the script library called from a running script with mixtures of nil,
// booleans, numbers (NaN, the infinities, huge), strings (empty, with a zero byte, 1 MB) and
// tables (empty, nested, with holes), as zero to three arguments. No call may raise or crash;
// each answers only what it answers for its own arguments: one of its numbered refusals,
// nothing, or its result.
#include "script_fixture.h"

#include "fuzzharness.h"

#include <map>
#include <set>
#include <sstream>

namespace {

// For every function: every call protected, its answer noted as "nil", "table", "byte" (an
// integer 0..255, the bit functions' results) or the number itself; "raised" for an error.
// Logs "mix <name> <answers>" once per function, then "done".
const char kMixtures[] = R"(
local huge = string.rep('x', 1048576)
local holes = {1, nil, 3}
holes[10] = 5
local nested = {{1, {2, {3}}}, {}}
local values = {nil, true, false, 0/0, 1/0, -1/0, 1e308, -1e308, 2^53, -0.5, 256,
                '', 'a\0b', huge, {}, nested, holes}
local count = 17
local names = {'Logput', 'SetTimer', 'KillTimer', 'GetEditorData', 'SetEditorData', 'FileWrite',
               'FileRead', 'BitOr', 'BitAnd', 'BitOff', 'StringToTable', 'TableCat', 'SendData',
               'Disconnect'}

local function note(answers, ok, ...)
    local token
    if not ok then
        token = 'raised'
    elseif select('#', ...) == 0 or (...) == nil then
        token = 'nil'
    elseif type((...)) == 'table' then
        token = 'table'
    elseif type((...)) == 'number' then
        token = tostring((...))
    else
        token = type((...))
    end
    answers[token] = true
end

function OnConnected()
    for _, name in ipairs(names) do
        local f = _G[name]
        local answers = {}
        note(answers, pcall(f))
        for i = 1, count do
            note(answers, pcall(f, values[i]))
            for j = 1, count do
                note(answers, pcall(f, values[i], values[j]))
                if i ~= 14 and j ~= 14 then
                    for k = 1, count do
                        if k ~= 14 then note(answers, pcall(f, values[i], values[j], values[k])) end
                    end
                end
            end
        end
        local list = {}
        for token in pairs(answers) do list[#list + 1] = token end
        table.sort(list)
        Logput(1, 'mix ' .. name .. ' ' .. table.concat(list, ','))
        KillTimer(0)
        KillTimer(1)
    end
    Logput(1, 'done')
end
)";

std::set<std::string> Split(const std::string& text)
{
    std::set<std::string> parts;
    std::stringstream in(text);
    std::string part;
    while (std::getline(in, part, ','))
        parts.insert(part);
    return parts;
}

} // namespace

TEST_F(ScriptTest, EveryLibraryFunctionSurvivesArgumentMixtures)
{
    // FileWrite and FileRead take numbers as names: their files go to a folder of their own.
    TempFolder folder;
    char saved[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, saved);
    ASSERT_TRUE(SetCurrentDirectoryA(folder.Path().c_str()));
    app.SetEditor({1, 2, 3});
    bool done = false;
    // The scripted device keeps every byte written to it, and the 1 MB string is sent some
    // fifteen times: its own record grows past the usual ceiling.
    const std::vector<std::string> over = fuzz::WithCeiling(4 * fuzz::kDefaultCeiling, [&] {
        Run(kMixtures);
        done = WaitForLog(10039, "done", 120000);
    });
    SetCurrentDirectoryA(saved);
    EXPECT_TRUE(over.empty()) << testing::PrintToString(over);
    ASSERT_TRUE(done);

    std::map<std::string, std::set<std::string>> answers;
    for (const std::string& text : Texts(10039)) {
        if (text.compare(0, 4, "mix ") != 0)
            continue;
        const size_t space = text.find(' ', 4);
        answers[text.substr(4, space - 4)] = Split(text.substr(space + 1));
    }
    auto within = [](const std::set<std::string>& seen, const std::set<std::string>& allowed) {
        for (const std::string& token : seen)
            if (!allowed.count(token))
                return ::testing::AssertionFailure() << "answer " << token;
        return ::testing::AssertionSuccess();
    };
    using Set = std::set<std::string>;
    const std::map<std::string, Set> allowed = {
        {"Logput", {"nil"}},
        {"SetTimer", {"0", "1", "2"}},
        {"KillTimer", {"0", "1", "2"}},
        {"GetEditorData", {"table", "1"}},
        {"SetEditorData", {"0", "1", "2"}},
        {"FileRead", {"table", "1", "2", "3", "4", "5", "6", "7"}},
        {"FileWrite", {"0", "1", "2", "3", "4"}},
        {"StringToTable", {"table", "1", "2"}},
        {"TableCat", {"table", "1", "2", "3"}},
        {"SendData", {"nil"}},
        {"Disconnect", {"nil"}},
    };
    ASSERT_EQ(14u, answers.size());
    for (const auto& [name, set] : allowed)
        EXPECT_TRUE(within(answers[name], set)) << name << ": " << testing::PrintToString(answers[name]);
    // The bit functions answer a byte, or nothing when an operand is missing or not a number.
    Set bytes = {"nil"};
    for (int b = 0; b < 256; ++b)
        bytes.insert(std::to_string(b));
    for (const char* name : {"BitOr", "BitAnd", "BitOff"}) {
        EXPECT_TRUE(within(answers[name], bytes)) << name;
        EXPECT_TRUE(answers[name].count("nil")) << name;
    }
    // Each refuses some mixture and takes another.
    EXPECT_TRUE(answers["SetTimer"].count("0") && answers["SetTimer"].count("2"));
    EXPECT_TRUE(answers["FileRead"].count("table") && answers["FileRead"].count("3"));
    EXPECT_TRUE(answers["TableCat"].count("table") && answers["TableCat"].count("3"));
    EXPECT_TRUE(WaitEnded(10000));
}
