// The script panes hosted from their template in a control bar of a test frame: the default
// script, setting the text, loading, saving and dropping script files, and the shared keywords.
#include <gtest/gtest.h>

#include <string>

#include "conversions.h"
#include "defaultscript.h"
#include "messagetext.h"
#include "pane_test_support.h"
#include "pane_test_tools.h"
#include "resource.h"
#include "scriptdlls.h"
#include "scriptpane.h"
#include "shell_test_support.h"
#include "temp_folder_support.h"
#include "winharness.h"

using namespace panetest;

namespace {

COleSafeArray Bytes(const std::string& text)
{
    COleSafeArray bytes;
    bytes.CreateOneDim(VT_UI1, static_cast<DWORD>(text.size()), text.data());
    return bytes;
}

class ScriptPaneTest : public PaneHostFixture {
protected:
    ScriptPaneTest()
    {
        bHosted = HostPane(pane, IDD_SCRIPT_PANE, 32898, 0);
        pane.SetTitleTarget("ｽｸﾘﾌﾟﾄ1", bars.back());
    }

    std::string Text() { return BytesOf(pane.GetScriptText()); }

    TempFolder folder;
    winharness::ScriptedPrompts prompts;
    CScriptPane pane;
    bool bHosted = false;
};

} // namespace

TEST_F(ScriptPaneTest, AFreshPaneHoldsTheDefaultScriptWithNothingToUndoAndNoSave)
{
    ASSERT_TRUE(bHosted);
    const std::string script = Text();
    EXPECT_EQ(945u, script.size());
    // The editor's text ends with its empty last line.
    EXPECT_EQ(std::string(LfToCrLf(DefaultScriptText())) + "\r\n", script);
    EXPECT_EQ(0u, script.find("---------------------------------------------\r\n-- 接続完了通知\r\n"));
    EXPECT_FALSE(pane.GetEditor()->CanUndo());
    EXPECT_FALSE(CommandEnabled(&pane, ID_HEX_SAVE));
    // The editor keeps the toolbar's strip free.
    CRect rc;
    pane.GetEditor()->GetWindowRect(&rc);
    pane.ScreenToClient(&rc);
    EXPECT_EQ(24, rc.top);
    EXPECT_EQ(ClientSize(pane.m_hWnd).cy - 24, rc.Height());
}

TEST_F(ScriptPaneTest, SetScriptTextTakesTheBytesOrTheDefaultScriptAndDropsThePath)
{
    ASSERT_TRUE(bHosted);
    pane.SetScriptText(Bytes("x=1"));
    EXPECT_EQ("x=1\r\n\r\n", Text());
    EXPECT_EQ("ｽｸﾘﾌﾟﾄ1", WindowText(bars.back()));
    EXPECT_FALSE(pane.GetEditor()->CanUndo());
    pane.SetScriptText(COleSafeArray());
    EXPECT_EQ(std::string(LfToCrLf(DefaultScriptText())) + "\r\n", Text());
    EXPECT_TRUE(pane.GetScriptPath().IsEmpty());
}

TEST_F(ScriptPaneTest, ALoadedScriptSavedUnderANewNameGetsCrLfLineEndsAndTheTitle)
{
    ASSERT_TRUE(bHosted);
    const std::string source = folder.File("source.lua");
    const std::string target = folder.File("target.lua");
    WriteFileBytes(source, "a\nb\r\nc");
    prompts.fileAnswers = {source, target};
    pane.SendMessage(WM_COMMAND, ID_HEX_READ_FILE);
    EXPECT_EQ("ｽｸﾘﾌﾟﾄ1 - " + source, WindowText(bars.back()));
    EXPECT_TRUE(CommandEnabled(&pane, ID_HEX_SAVE));
    pane.SendMessage(WM_COMMAND, ID_HEX_SAVE_AS);
    EXPECT_EQ("a\r\nb\r\nc\r\n\r\n", ReadFileBytes(target));
    EXPECT_EQ("ｽｸﾘﾌﾟﾄ1 - " + target, WindowText(bars.back()));

    // The open dialog wants an existing file; the save dialog takes a new name.
    ASSERT_EQ(2u, prompts.records.size());
    EXPECT_EQ("file-open", prompts.records[0].kind);
    EXPECT_TRUE(prompts.records[0].flags & OFN_FILEMUSTEXIST);
    EXPECT_EQ("lua", prompts.records[0].defExt);
    EXPECT_EQ(0u, prompts.records[0].filter.find("Lua Script(*.lua)|*.lua|All Files(*.*)|*.*"));
    EXPECT_EQ("file-save", prompts.records[1].kind);
    EXPECT_FALSE(prompts.records[1].flags & OFN_FILEMUSTEXIST);
    EXPECT_TRUE(prompts.records[1].flags & OFN_OVERWRITEPROMPT);
    EXPECT_EQ(source, prompts.records[1].initial);
}

TEST_F(ScriptPaneTest, AnEmptiedEditorIsNotSaved)
{
    ASSERT_TRUE(bHosted);
    pane.GetEditor()->ResetContent();
    const std::string target = folder.File("empty.lua");
    prompts.fileAnswers = {target};
    pane.SendMessage(WM_COMMAND, ID_HEX_SAVE_AS);
    ASSERT_EQ(2u, prompts.records.size());
    EXPECT_EQ(std::string(GetMessageText(13089)), prompts.records[1].text);
    EXPECT_EQ(static_cast<UINT>(MB_ICONHAND), prompts.records[1].type & MB_ICONMASK);
    EXPECT_EQ("<missing>", ReadFileBytes(target));
}

TEST_F(ScriptPaneTest, AFileThatCannotBeReadOrADropAnsweredCancelChangesNothing)
{
    ASSERT_TRUE(bHosted);
    const std::string kept = folder.File("kept.lua");
    WriteFileBytes(kept, "kept = 1");
    ASSERT_TRUE(pane.LoadScriptFile(kept.c_str()));

    // Held open without sharing by another program.
    const std::string locked = folder.File("locked.lua");
    WriteFileBytes(locked, "locked = 1");
    HANDLE hLock = ::CreateFileA(locked.c_str(), GENERIC_READ | GENERIC_WRITE, 0, NULL, OPEN_EXISTING, 0, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, hLock);
    prompts.fileAnswers = {locked};
    pane.SendMessage(WM_COMMAND, ID_HEX_READ_FILE);
    ::CloseHandle(hLock);
    ASSERT_EQ(2u, prompts.records.size());
    EXPECT_EQ(std::string(GetMessageText(13021)), prompts.records[1].text);
    EXPECT_EQ(static_cast<UINT>(MB_ICONHAND), prompts.records[1].type & MB_ICONMASK);
    EXPECT_EQ("kept = 1\r\n\r\n", Text());
    EXPECT_EQ(kept, std::string(pane.GetScriptPath()));
    EXPECT_EQ("ｽｸﾘﾌﾟﾄ1 - " + kept, WindowText(bars.back()));

    // A drop asks first; Cancel leaves everything.
    const std::string dropped = folder.File("dropped.lua");
    WriteFileBytes(dropped, "dropped = 1");
    prompts.messageAnswers = {IDCANCEL};
    DropFiles(pane.m_hWnd, {dropped});
    ASSERT_EQ(3u, prompts.records.size());
    CString question;
    question.Format(GetMessageText(13108), dropped.c_str());
    EXPECT_EQ(std::string(question), prompts.records[2].text);
    EXPECT_EQ(static_cast<UINT>(MB_OKCANCEL | MB_ICONQUESTION), prompts.records[2].type);
    EXPECT_EQ("kept = 1\r\n\r\n", Text());
    EXPECT_EQ(kept, std::string(pane.GetScriptPath()));

    prompts.messageAnswers = {IDOK};
    DropFiles(pane.m_hWnd, {dropped});
    EXPECT_EQ("dropped = 1\r\n\r\n", Text());
    EXPECT_EQ("ｽｸﾘﾌﾟﾄ1 - " + dropped, WindowText(bars.back()));

    // New script asks, then brings the default script back without a path.
    prompts.messageAnswers = {IDOK};
    pane.SendMessage(WM_COMMAND, ID_HEX_DATA_CLEAR);
    EXPECT_EQ(std::string(GetMessageText(13088)), prompts.records.back().text);
    EXPECT_EQ(std::string(LfToCrLf(DefaultScriptText())) + "\r\n", Text());
    EXPECT_EQ("ｽｸﾘﾌﾟﾄ1", WindowText(bars.back()));
}

class ScriptPanesTest : public PaneHostFixture {
};

TEST_F(ScriptPanesTest, BothPanesShareOneKeywordSetWithEachNameOnce)
{
    TempFolder folder;
    ASSERT_TRUE(::CopyFileA((ExeFolder() + "\\kvrtest_script.dll").c_str(), folder.File("kvrtest_script.dll").c_str(),
                            FALSE));
    GetScriptDllList().Clear();
    GetScriptDllList().LoadFolder(folder.Path().c_str());
    {
        CScriptPane one, two;
        ASSERT_TRUE(HostPane(one, IDD_SCRIPT_PANE, 32898, 0));
        ASSERT_TRUE(HostPane(two, IDD_SCRIPT_PANE, 32899, 0));
        const CLuaKeywordSet& keywords = ScriptKeywordSet();
        EXPECT_EQ(21u, keywords.m_keywords1.size());
        EXPECT_EQ(14u, keywords.m_keywords2.size());
        ASSERT_EQ(2u, keywords.m_keywords3.size());
        EXPECT_EQ(1u, keywords.m_keywords3.count(CString("Twice")));
        EXPECT_EQ(1u, keywords.m_keywords3.count(CString("Hello")));
        EXPECT_EQ(1u, keywords.m_keywords1.count(CString("elseif")));
        EXPECT_EQ(1u, keywords.m_keywords2.count(CString("TableCat")));
    }
    GetScriptDllList().Clear();
}
