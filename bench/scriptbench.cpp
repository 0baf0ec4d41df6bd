// Figure 10: the script editor model over 10,000 lines. Colouring the whole text costs a small
// multiple of reading it; an edit recolours its own line, not the text.
#include "benchkit.h"
#include "figures.h"

#include "coloreditmodel.h"
#include "luakeywordset.h"

#include <cstdio>
#include <string>

namespace bench {

namespace {

std::string Script(int lines)
{
    std::string text;
    char line[160];
    for (int i = 0; i < lines; ++i) {
        switch (i % 4) {
        case 0:
            std::snprintf(line, sizeof(line), "function OnReceive%d(data) -- block %d\n", i, i);
            break;
        case 1:
            std::snprintf(line, sizeof(line), "    local n%d = string.len(data) + %d\n", i, i);
            break;
        case 2:
            std::snprintf(line, sizeof(line), "    if n%d > 10 then SendData(\"reply %d\") end\n", i - 1, i);
            break;
        default:
            std::snprintf(line, sizeof(line), "end\n");
        }
        text += line;
    }
    return text;
}

// The floor of colouring: one pass over every byte that looks at each.
size_t ByteScan(const std::string& text)
{
    size_t letters = 0;
    for (unsigned char c : text)
        letters += (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
    return letters;
}

// The words the editor colours, as a keyword file gives them: Lua's own and the library's.
const char kKeywords[] =
    "and break do else elseif end false for function if in local nil not or repeat return then true "
    "until while SendData GetEditorData SetEditorData OnReceive OnConnected OnDisConnected OnTimer "
    "OnSendPush SetTimer KillTimer Sleep string len sub byte char format table insert remove math";

void LoadKeywords(CLuaKeywordSet& keywords)
{
    char folder[MAX_PATH], path[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    GetTempFileNameA(folder, "kvk", 0, path);
    HANDLE h = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(h, kKeywords, sizeof(kKeywords) - 1, &written, nullptr);
    CloseHandle(h);
    keywords.LoadKeywordFile(path);
    DeleteFileA(path);
}

} // namespace

void ScriptFigures()
{
    const std::string big = Script(10000);
    const std::string small = Script(10);
    CLuaKeywordSet keywords;
    LoadKeywords(keywords);
    CColorEditModel bigModel, smallModel;
    bigModel.SetText(big.c_str());
    smallModel.SetText(small.c_str());
    bigModel.SetKeywordSet(&keywords);
    smallModel.SetKeywordSet(&keywords);

    volatile size_t sink = 0;
    std::vector<double> floors, values;
    for (int run = 0; run < Runs(); ++run) {
        floors.push_back(TimeOf([&] { sink = sink + ByteScan(big); }));
        values.push_back(TimeOf([&] { bigModel.SetKeywordSet(&keywords); }));
        bigModel.TakeRefresh();
    }
    Report("10 script.colour-10000-lines", Median(values) * 1e3, "ms", Median(floors) * 1e3, "byte-scan", AtMost, 20);

    const int kChars = 200;
    floors.clear();
    values.clear();
    for (int run = 0; run < Runs(); ++run) {
        smallModel.SetCaret(ColorEditPos(0, 0));
        smallModel.CollapseSelection();
        floors.push_back(TimeOf([&] {
            for (int i = 0; i < kChars; ++i)
                smallModel.TypeChar('x');
        }) / kChars);
        bigModel.SetCaret(ColorEditPos(0, 0));
        bigModel.CollapseSelection();
        values.push_back(TimeOf([&] {
            for (int i = 0; i < kChars; ++i)
                bigModel.TypeChar('x');
        }) / kChars);
        for (int i = 0; i < kChars; ++i) {
            smallModel.Undo();
            bigModel.Undo();
        }
        smallModel.TakeRefresh();
        bigModel.TakeRefresh();
    }
    Report("10 script.type-at-top-10000-lines", Median(values) * 1e6, "us", Median(floors) * 1e6, "10-line-script",
           AtMost, 2);
}

} // namespace bench
