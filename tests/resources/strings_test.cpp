// The shell's strings, the toolbar resources with their bitmaps, the image strips of the
// port states and settings trees, the icon and the program's version.
#include <gtest/gtest.h>

#include "appsettings.h"
#include "resource.h"
#include "resource_reader.h"

using namespace restest;

TEST(ShellStrings, TextsAsTheProgramShowsThem)
{
    EXPECT_EQ("通信処理を開始します。(ﾎﾟｰﾄ1)\nﾎﾟｰﾄ1 通信開始", LoadText(32804));
    // The code page 932 bytes themselves, half-width katakana included.
    EXPECT_EQ(std::string("\x92\xca\x90\x4d\x8f\x88\x97\x9d\x82\xf0\x8a\x4a\x8e\x6e\x82\xb5\x82\xdc\x82\xb7\x81\x42"
                          "(\xce\xdf\xb0\xc4" "1)\n\xce\xdf\xb0\xc4" "1 \x92\xca\x90\x4d\x8a\x4a\x8e\x6e"),
              LoadText(32804));
    EXPECT_EQ("Korvane", LoadText(0xE000));
    EXPECT_EQ("Korvane", LoadText(128));
    EXPECT_EQ("ﾚﾃﾞｨ", LoadText(0xE001));
    EXPECT_EQ("Port 1", LoadText(59143));
    EXPECT_EQ("Port 2", LoadText(59144));
    EXPECT_FALSE(LoadText(59145).empty());
    for (UINT nId : {59137u, 59138u, 59139u, 59142u})
        EXPECT_FALSE(LoadText(nId).empty()) << nId;

    struct Given
    {
        UINT nId;
        const char* text;
    };
    const Given kGiven[] = {
        {61220, "送信ﾃﾞｰﾀｴﾃﾞｨﾀ"}, {61221, "詳細ﾛｸﾞﾃﾞｰﾀ"}, {61222, "ﾂｰﾙﾊﾞｰ"}, {61225, "接続中"},
        {61226, "接続状況"}, {61228, "処理待機中"}, {61229, "None"}, {61231, "送信ﾃﾞｰﾀｴｸｽﾌﾟﾛｰﾗ"},
        {61232, "COM制御1"}, {61233, "COM制御2"}, {61236, "ｽｸﾘﾌﾟﾄ1"}, {61237, "ｽｸﾘﾌﾟﾄ2"},
        {32870, "RTS\nRTS"}, {32871, "DTR\nDTR"}, {32872, "BRK\nBRK"},
        {32858, "ﾃﾞｰﾀをｸﾘｱします。\nﾃﾞｰﾀｸﾘｱ"}, {32873, "ﾊﾞｯﾌｧ内のﾃﾞｰﾀを受信ﾃﾞｰﾀとして吐き出します。\nﾃﾞｰﾀ吐出"},
        {32853, "全ての範囲を選択します。\n全て選択"}, {32849, "選択範囲をｸﾘｯﾌﾟﾎﾞｰﾄﾞにｺﾋﾟｰします。\nｺﾋﾟｰ"},
        {32857, "現在のﾃﾞｰﾀをﾌｧｲﾙ名を選択して保存します。\n名前を付けて保存"},
        {32845, "ﾃﾞｰﾀの解析ﾀﾞｲｱﾛｸﾞを表示します。\nﾃﾞｰﾀ解析"}, {32852, "設定ﾀﾞｲｱﾛｸﾞを表示します。\nﾌﾟﾛﾊﾟﾃｨ"},
        {32862, "CTS\nCTS"}, {32863, "DSR\nDSR"}, {32864, "RLSD\nRLSD"}, {32865, "RING\nRING"},
        {32866, "FRM\nFRM"}, {32867, "OVR\nOVR"}, {32868, "PRT\nPRT"}, {32869, "BRK\nBRK"},
        // The looks the setting "UI" names, each as status text and tip.
        {32827, "Switch to Visual Studio 2005 theme\nSwitch to Visual Studio 2005 theme"},
        {32828, "Switch to Microsoft Office 2003 theme\nSwitch to Microsoft Office 2003 theme"},
        {32829, "Switch to Microsoft Office XP theme\nSwitch to Microsoft Office XP theme"},
        {32830, "Switch to Microsoft Office 2000 theme\nSwitch to Microsoft Office 2000 theme"},
    };
    for (const Given& given : kGiven)
        EXPECT_EQ(given.text, LoadText(given.nId)) << given.nId;
}

// Texts that belong to other parts of the program (the menu bar's system commands) or to no
// one are not in the string table.
TEST(ShellStrings, ForeignIdsAreAbsent)
{
    for (UINT nId : {30002u, 30003u, 30009u, 30045u})
        EXPECT_EQ("", LoadText(nId)) << nId;
    for (UINT nId = 30343; nId <= 30357; ++nId)
        EXPECT_EQ("", LoadText(nId)) << nId;
}

namespace {

SIZE BitmapSize(UINT nId)
{
    SIZE size = {0, 0};
    HBITMAP hBitmap = static_cast<HBITMAP>(
        ::LoadImageA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(nId), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    BITMAP bm = {};
    if (hBitmap != nullptr && ::GetObjectA(hBitmap, sizeof(bm), &bm) == sizeof(bm)) {
        size.cx = bm.bmWidth;
        size.cy = bm.bmHeight;
    }
    if (hBitmap != nullptr)
        ::DeleteObject(hBitmap);
    return size;
}

}  // namespace

TEST(ToolBars, ButtonsAndOneImagePerButton)
{
    const std::vector<WORD> large = ReadToolBar(IDR_MAINFRAME);
    const std::vector<WORD> kLarge = {1, 24, 24, 16, 32811, 0, 32816, 32825, 32817, 32810, 0, 32804,
                                      32808, 32806, 32805, 32809, 32807, 0, 32826, 57664};
    EXPECT_EQ(kLarge, large);
    std::vector<WORD> kSmall = kLarge;
    kSmall[1] = kSmall[2] = 16;
    EXPECT_EQ(kSmall, ReadToolBar(IDR_MAINFRAME_SMALL));
    const SIZE sizeLarge = BitmapSize(IDR_MAINFRAME);
    EXPECT_EQ(312, sizeLarge.cx);
    EXPECT_EQ(24, sizeLarge.cy);

    // Every toolbar's bitmap holds exactly one image for each of its commands.
    for (UINT nId : {128u, 200u, 191u, 206u, 241u}) {
        const std::vector<WORD> words = ReadToolBar(nId);
        ASSERT_GE(words.size(), 4u) << nId;
        EXPECT_EQ(words.size() - 4, words[3]) << nId;
        const long nImages = static_cast<long>(std::count_if(words.begin() + 4, words.end(), [](WORD w) { return w != 0; }));
        const SIZE size = BitmapSize(nId);
        EXPECT_EQ(words[1] * nImages, size.cx) << nId;
        EXPECT_EQ(words[2], size.cy) << nId;
    }
}

TEST(Pictures, StateStripsAndIcon)
{
    // Port states 0, 1 and 3 (index 3 included), and the tree's group, editable and locked page.
    const SIZE states = BitmapSize(IDB_PORT_STATES);
    EXPECT_GE(states.cx, 4 * 16);
    EXPECT_EQ(16, states.cy);
    const SIZE tree = BitmapSize(IDB_SETTINGS_TREE);
    EXPECT_GE(tree.cx, 3 * 16);
    EXPECT_EQ(16, tree.cy);
    HICON hIcon = static_cast<HICON>(
        ::LoadImageA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME), IMAGE_ICON, 16, 16, 0));
    EXPECT_NE(nullptr, hIcon);
    if (hIcon != nullptr)
        ::DestroyIcon(hIcon);
}

TEST(Version, TheProgramHasAFileVersion)
{
    EXPECT_EQ("1.0.0.0", std::string(GetProgramFileVersion()));
}
