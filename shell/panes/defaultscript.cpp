#include "defaultscript.h"

#include "scriptdlls.h"

namespace {

const char kDefaultScript[] =
    "---------------------------------------------\n"
    "-- 接続完了通知\n"
    "---------------------------------------------\n"
    "function OnConnected()\n"
    "    Logput(1,'OnConnected')\n"
    "    return 0\n"
    "end\n"
    "---------------------------------------------\n"
    "-- 送信ﾎﾞﾀﾝ押下\n"
    "---------------------------------------------\n"
    "function OnSendPush()\n"
    "    Logput(1,'OnSendPush')\n"
    "    a = GetEditorData()\n"
    "    SendData(a)\n"
    "    return 0\n"
    "end\n"
    "---------------------------------------------\n"
    "-- ﾀｲﾏｰ通知\n"
    "---------------------------------------------\n"
    "function OnTimer(id)\n"
    "    Logput(1,'OnTimer')\n"
    "    return 0\n"
    "end\n"
    "---------------------------------------------\n"
    "-- 受信通知\n"
    "---------------------------------------------\n"
    "function OnReceive(recv)\n"
    "    Logput(1,'OnReceive')\n"
    "    return 0\n"
    "end\n"
    "---------------------------------------------\n"
    "-- 切断通知\n"
    "---------------------------------------------\n"
    "function OnDisConnected()\n"
    "    Logput(1,'OnDisConnected')\n"
    "    return 0\n"
    "end\n";

const char* const kLuaReservedWords[] = {"and", "break", "do", "else", "elseif", "end", "false",
                                         "for", "function", "if", "in", "local", "nil", "not",
                                         "or", "repeat", "return", "then", "true", "until", "while"};

const char* const kLibraryNames[] = {"Logput", "SetTimer", "KillTimer", "Disconnect", "GetEditorData",
                                     "SetEditorData", "SendData", "FileRead", "FileWrite", "BitOr",
                                     "BitAnd", "BitOff", "StringToTable", "TableCat"};

} // namespace

const CString& DefaultScriptText()
{
    static const CString text(kDefaultScript);
    return text;
}

CLuaKeywordSet& ScriptKeywordSet()
{
    static CLuaKeywordSet keywords;
    return keywords;
}

void FillScriptKeywords()
{
    CLuaKeywordSet& keywords = ScriptKeywordSet();
    for (const char* word : kLuaReservedWords)
        keywords.m_keywords1.insert(CString(word));
    for (const char* name : kLibraryNames)
        keywords.m_keywords2.insert(CString(name));
    const CPluginDllList& dlls = GetScriptDllList();
    for (int i = 0; i < dlls.GetCount(); ++i)
        for (const CPluginDllList::Function& function : dlls.GetEntry(i).functions)
            keywords.m_keywords3.insert(CString(function.szName));
}
