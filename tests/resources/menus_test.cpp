// The main frame's menu, the notification-area and explorer menus and the accelerator table,
// and the prompt-and-tip string of every command of every menu and toolbar of the program.
#include <gtest/gtest.h>

#include <algorithm>

#include "resource.h"
#include "resource_reader.h"

using namespace restest;

namespace {

const MenuEntry* FindCommand(const std::vector<MenuEntry>& items, UINT nId)
{
    for (const MenuEntry& entry : items) {
        if (entry.nId == nId)
            return &entry;
        if (const MenuEntry* found = FindCommand(entry.children, nId))
            return found;
    }
    return nullptr;
}

struct CommandText
{
    UINT nId;
    const char* text;
};

}  // namespace

TEST(MainMenu, HasTheSixPopupsAndEveryCommandWithItsText)
{
    const std::vector<MenuEntry> menu = ReadMenu(IDR_MAINFRAME);
    const char* const kPopups[] = {"ﾌｧｲﾙ(&F)", "設定(&E)", "通信(&C)", "ﾂｰﾙ(&T)", "表示(&V)", "ﾍﾙﾌﾟ(&H)"};
    ASSERT_EQ(6u, menu.size());
    for (size_t i = 0; i < menu.size(); ++i) {
        EXPECT_EQ(kPopups[i], menu[i].text);
        EXPECT_FALSE(menu[i].children.empty()) << kPopups[i];
    }
    const CommandText kCommands[] = {
        {32813, "ﾛｸﾞﾌｧｲﾙの読込(&L)..."}, {32814, "ﾛｸﾞﾌｧｲﾙの保存(&W)..."}, {32894, "ﾛｸﾞをﾃｷｽﾄで出力(&C)..."},
        {57665, "ｱﾌﾟﾘｹｰｼｮﾝの終了(&X)"}, {32811, "通信設定(&S)...\tF12"}, {32816, "その他の設定(&D)...\tF11"},
        {32825, "最前面に表示(&T)\tCtrl+T"}, {32817, "自動ｽｸﾛｰﾙ(&A)"}, {32810, "ﾛｸﾞ削除(&E)\tF8"},
        {32804, "Port1 処理開始(&G)\tCtrl+1"}, {32808, "Port1 ﾃﾞｰﾀ送信(&1)\tCtrl+2"},
        {32806, "Port1 処理終了(&H)\tCtrl+3"}, {32805, "Port2 処理開始(&J)\tCtrl+4"},
        {32809, "Port2 ﾃﾞｰﾀ送信(&2)\tCtrl+5"}, {32807, "Port2 処理終了(&K)\tCtrl+6"},
        {32826, "ｺﾏﾝﾄﾞ発行ﾂｰﾙ(&N)..."}, {32831, "COMﾂｰﾙ(&C)..."}, {59392, "ﾂｰﾙ ﾊﾞｰ(&T)"},
        {59393, "ｽﾃｰﾀｽ ﾊﾞｰ(&S)"}, {32772, "送信ﾃﾞｰﾀｴﾃﾞｨﾀ"}, {32774, "詳細ﾛｸﾞﾃﾞｰﾀ"}, {32776, "接続状況"},
        {32777, "送信ﾃﾞｰﾀｴｸｽﾌﾟﾛｰﾗ"}, {32860, "COMポート(1)制御"}, {32861, "COMポート(2)制御"},
        {32898, "ｽｸﾘﾌﾟﾄ(1)"}, {32899, "ｽｸﾘﾌﾟﾄ(2)"}, {57664, "Korvane の情報(&A)..."},
        {32832, "ｻﾎﾟｰﾄﾍﾟｰｼﾞ(&S)..."}, {32856, "ｳｨﾝﾄﾞｳ表示(&D)"},
    };
    for (const CommandText& command : kCommands) {
        const MenuEntry* entry = FindCommand(menu, command.nId);
        ASSERT_NE(nullptr, entry) << command.nId;
        EXPECT_EQ(command.text, entry->text) << command.nId;
    }
}

TEST(TrayAndExplorerMenus, HoldTheirItemsInOrder)
{
    const std::vector<MenuEntry> tray = ReadMenu(IDR_TRAY_MENU);
    ASSERT_EQ(1u, tray.size());
    const std::vector<MenuEntry>& items = tray[0].children;
    const UINT kIds[] = {32811, 0, 32804, 32808, 32806, 32805, 32809, 32807, 0, 32856, 0, 57665};
    ASSERT_EQ(std::size(kIds), items.size());
    for (size_t i = 0; i < items.size(); ++i) {
        EXPECT_EQ(kIds[i] == 0, items[i].bSeparator) << i;
        EXPECT_EQ(kIds[i], items[i].nId) << i;
    }
    EXPECT_EQ("通信設定(&S)...", items[0].text);
    EXPECT_EQ("ｳｨﾝﾄﾞｳ表示(&D)", items[9].text);
    EXPECT_EQ("ｱﾌﾟﾘｹｰｼｮﾝの終了(&X)", items[11].text);

    const std::vector<MenuEntry> explorer = ReadMenu(IDR_EXPLORER_CONTEXT);
    ASSERT_EQ(1u, explorer.size());
    ASSERT_EQ(3u, explorer[0].children.size());
    EXPECT_EQ(32834u, explorer[0].children[0].nId);
    EXPECT_EQ("送信ﾃﾞｰﾀｴﾃﾞｨﾀに送る(&S)", explorer[0].children[0].text);
    EXPECT_TRUE(explorer[0].children[1].bSeparator);
    EXPECT_EQ(32835u, explorer[0].children[2].nId);
    EXPECT_EQ("最新に更新(&R)\tF5", explorer[0].children[2].text);
}

// The thirteen keys of the frame, and F8, which its menu item advertises.
TEST(Accelerators, HoldTheFrameKeysAndF8)
{
    HACCEL hAccel = ::LoadAcceleratorsA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME));
    ASSERT_NE(nullptr, hAccel);
    ACCEL table[32] = {};
    const int n = ::CopyAcceleratorTableA(hAccel, table, 32);
    struct Key
    {
        WORD key;
        bool bControl;
        WORD cmd;
    };
    const Key kKeys[] = {{'1', true, 32804}, {'2', true, 32808}, {'3', true, 32806}, {'4', true, 32805},
                         {'5', true, 32809}, {'6', true, 32807}, {'N', true, 32800}, {'O', true, 32801},
                         {'P', true, 32882}, {'S', true, 32802}, {'T', true, 32825}, {VK_F11, false, 32816},
                         {VK_F12, false, 32811}, {VK_F8, false, 32810}};
    EXPECT_EQ(static_cast<int>(std::size(kKeys)), n);
    for (const Key& key : kKeys) {
        const ACCEL* found = std::find_if(table, table + n, [&](const ACCEL& a) { return a.key == key.key; });
        ASSERT_NE(table + n, found) << key.cmd;
        EXPECT_EQ(key.cmd, found->cmd);
        EXPECT_TRUE(found->fVirt & FVIRTKEY);
        EXPECT_EQ(key.bControl, (found->fVirt & FCONTROL) != 0) << key.cmd;
        EXPECT_FALSE(found->fVirt & (FSHIFT | FALT)) << key.cmd;
    }
}

BOOL CALLBACK CollectName(HMODULE, LPCSTR, LPSTR lpName, LONG_PTR lParam)
{
    if (IS_INTRESOURCE(lpName))
        reinterpret_cast<std::vector<UINT>*>(lParam)->push_back(static_cast<UINT>(reinterpret_cast<UINT_PTR>(lpName)));
    return TRUE;
}

// Every command that a menu or a toolbar of the program offers has a status-bar prompt and a
// tooltip: one string holding both, split by one line feed.
TEST(CommandStrings, EveryMenuAndToolbarCommandHasPromptAndTip)
{
    HMODULE hModule = ::GetModuleHandleA(nullptr);
    std::vector<UINT> menus, toolbars, commands;
    ::EnumResourceNamesA(hModule, RT_MENU, CollectName, reinterpret_cast<LONG_PTR>(&menus));
    ::EnumResourceNamesA(hModule, MAKEINTRESOURCEA(241), CollectName, reinterpret_cast<LONG_PTR>(&toolbars));
    for (UINT nMenu : {128u, 141u, 169u, 172u, 193u, 204u})
        EXPECT_NE(menus.end(), std::find(menus.begin(), menus.end(), nMenu)) << nMenu;
    EXPECT_EQ(5u, toolbars.size());
    for (UINT nMenu : menus)
        CollectCommands(ReadMenu(nMenu), commands);
    for (UINT nToolBar : toolbars) {
        const std::vector<WORD> words = ReadToolBar(nToolBar);
        for (size_t i = 4; i < words.size(); ++i)
            if (words[i] != 0)
                commands.push_back(words[i]);
    }
    EXPECT_GT(commands.size(), 60u);
    for (UINT nId : commands) {
        const std::string text = LoadText(nId);
        EXPECT_EQ(1, std::count(text.begin(), text.end(), '\n')) << nId << " \"" << text << "\"";
        EXPECT_NE('\n', text.empty() ? '\n' : text.front()) << nId;
        EXPECT_NE('\n', text.empty() ? '\n' : text.back()) << nId;
    }
}
