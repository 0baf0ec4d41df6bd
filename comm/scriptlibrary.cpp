#include "scriptlibrary.h"

#include "appaccess.h"
#include "commlogrecord.h"
#include "connectionparts.h"
#include "luahost.h"
#include "messagetext.h"
#include "portreporter.h"
#include "serialwriter.h"

#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <vector>

namespace {

enum
{
    MsgWriteFailed = 20009,
    MsgScriptInfo = 10039,
    MsgScriptNotice = 10040,
    MsgScriptWarning = 10041,
    MsgSendDataError = 13090,
};

// A library function's body returns the number of its results, or kRaise when a Lua error
// object is on the stack. Its Lua-facing wrapper raises that error only after the body has
// returned, so the body's C++ objects are gone before Lua jumps away; and no C++ exception
// (a failed allocation) ever crosses Lua's C frames: it becomes Lua's memory error.
const int kRaise = -1;
const int kOutOfMemory = -2;

#define LUA_ENTRY(name)                                                                            \
    int name(lua_State* L)                                                                         \
    {                                                                                              \
        int n = kOutOfMemory;                                                                      \
        try {                                                                                      \
            n = name##Body(L);                                                                     \
        } catch (CException* e) {                                                                  \
            e->Delete();                                                                           \
        } catch (...) {                                                                            \
        }                                                                                          \
        if (n == kOutOfMemory)                                                                     \
            lua_pushliteral(L, "not enough memory");                                               \
        return n < 0 ? lua_error(L) : n;                                                           \
    }

// A Lua number as a 32-bit integer: truncated toward zero, wrapped modulo 2^32. Numbers that
// do not fit (or are not numbers at all) must not reach a plain integer conversion.
int ToInt32(double d)
{
    if (std::isnan(d) || std::isinf(d))
        return 0;
    double t = std::fmod(std::trunc(d), 4294967296.0);
    if (t < 0)
        t += 4294967296.0;
    return static_cast<int>(static_cast<unsigned int>(t));
}

int ArgInt(lua_State* L, int nIndex)
{
    return ToInt32(lua_tonumber(L, nIndex));
}

// Bytes of a table argument: t[1], t[2], ... up to the first entry that is not a number.
// Raw reads: no metamethod of the script runs (and none can raise) while bytes are gathered.
void ReadTableBytes(lua_State* L, int nIndex, std::vector<BYTE>& bytes)
{
    for (int i = 1;; ++i) {
        lua_rawgeti(L, nIndex, i);
        bool bNumber = lua_isnumber(L, -1) != 0;
        if (bNumber)
            bytes.push_back(static_cast<BYTE>(ArgInt(L, -1)));
        lua_pop(L, 1);
        if (!bNumber)
            return;
    }
}

// Bytes of a string argument up to its first zero byte; a number counts as its text.
void ReadStringBytes(lua_State* L, int nIndex, std::vector<BYTE>& bytes)
{
    if (lua_type(L, nIndex) == LUA_TNUMBER) {
        // Formatted here as Lua formats it, rather than converted in place by Lua.
        char szNumber[32];
        std::snprintf(szNumber, sizeof(szNumber), LUA_NUMBER_FMT, lua_tonumber(L, nIndex));
        bytes.assign(szNumber, szNumber + std::strlen(szNumber));
        return;
    }
    size_t nLength = 0;
    const char* p = lua_tolstring(L, nIndex, &nLength);
    if (!p)
        return;
    nLength = strnlen(p, nLength);
    bytes.assign(p, p + nLength);
}

// A table or string argument; false when the argument is neither.
bool ReadDataArgument(lua_State* L, int nIndex, std::vector<BYTE>& bytes)
{
    if (lua_type(L, nIndex) == LUA_TTABLE) {
        ReadTableBytes(L, nIndex, bytes);
        return true;
    }
    if (lua_isstring(L, nIndex)) {
        ReadStringBytes(L, nIndex, bytes);
        return true;
    }
    return false;
}

// The result table is built in protected mode and parked in the registry under this key.
char g_resultKey;

struct TableArgs
{
    const BYTE* p;
    size_t n;
    bool bSigned;
};

int BuildByteTable(lua_State* L)
{
    const TableArgs* pArgs = static_cast<const TableArgs*>(lua_touserdata(L, 1));
    lua_pushlightuserdata(L, &g_resultKey);
    lua_createtable(L, 0, static_cast<int>(pArgs->n));
    for (size_t i = 0; i < pArgs->n; ++i) {
        BYTE b = pArgs->p[i];
        lua_pushnumber(L, pArgs->bSigned ? static_cast<signed char>(b) : b);
        lua_rawseti(L, -2, static_cast<int>(i + 1));
    }
    lua_rawset(L, LUA_REGISTRYINDEX);
    return 0;
}

// Pushes a new table of the bytes (values 0 to 255, or -128 to 127 when signed). Returns
// false with Lua's error object on the stack when Lua runs out of memory.
bool PushByteTable(lua_State* L, const BYTE* p, size_t n, bool bSigned = false)
{
    if (n > static_cast<size_t>(INT_MAX)) {
        lua_pushliteral(L, "not enough memory");
        return false;
    }
    TableArgs args = {p, n, bSigned};
    if (lua_cpcall(L, BuildByteTable, &args) != 0)
        return false;
    lua_pushlightuserdata(L, &g_resultKey);
    lua_rawget(L, LUA_REGISTRYINDEX);
    lua_pushlightuserdata(L, &g_resultKey);
    lua_pushnil(L);
    lua_rawset(L, LUA_REGISTRYINDEX);
    return true;
}

bool PushByteTable(lua_State* L, const std::vector<BYTE>& bytes, bool bSigned = false)
{
    return PushByteTable(L, bytes.data(), bytes.size(), bSigned);
}

int PushNumber(lua_State* L, int n)
{
    lua_pushnumber(L, n);
    return 1;
}

void LogText(CPortSessionContext* pContext, int nCode, const std::vector<BYTE>& text)
{
    std::vector<BYTE> payload(text);
    payload.push_back(0);
    pContext->m_pReporter->Message(nCode, 0, payload.data(), static_cast<int>(payload.size()));
}

// ---- the functions -------------------------------------------------------------------------

int LogputBody(lua_State* L)
{
    CPortSessionContext* pContext = GetSessionContext(L);
    if (!pContext)
        return 0;
    int nError = 0;
    if (lua_gettop(L) != 2)
        nError = 1;
    else if (!lua_isnumber(L, 1))
        nError = 2;
    else if (!lua_isstring(L, 2))
        nError = 3;
    if (nError) {
        CString strText;
        strText.Format("ﾊﾟﾗﾒｰﾀｴﾗｰ [%d]", nError);
        pContext->m_pReporter->MessageText(MsgScriptWarning, strText);
        return 0;
    }
    int nLevel = ArgInt(L, 1);
    std::vector<BYTE> text;
    ReadStringBytes(L, 2, text);
    LogText(pContext, nLevel == 1 ? MsgScriptInfo : nLevel == 2 ? MsgScriptNotice : MsgScriptWarning, text);
    return 0;
}

int SetTimerBody(lua_State* L)
{
    int nArgs = lua_gettop(L);
    if (nArgs < 1 || nArgs > 3)
        return PushNumber(L, 1);
    for (int i = 1; i <= nArgs; ++i) {
        if (!lua_isnumber(L, i))
            return PushNumber(L, 2);
    }
    int nId = 0, nPeriod = 0, nOneShot = 0;
    if (nArgs == 1) {
        nPeriod = ArgInt(L, 1);
    } else {
        nId = ArgInt(L, 1);
        nPeriod = ArgInt(L, 2);
        if (nArgs == 3)
            nOneShot = ArgInt(L, 3);
    }
    CPortSessionContext* pContext = GetSessionContext(L);
    if (pContext)
        pContext->StartTimer(nId == 0 ? 0 : 1, nPeriod, nOneShot != 0);
    return PushNumber(L, 0);
}

int KillTimerBody(lua_State* L)
{
    int nArgs = lua_gettop(L);
    if (nArgs > 1)
        return PushNumber(L, 1);
    if (nArgs == 1 && !lua_isnumber(L, 1))
        return PushNumber(L, 2);
    int nId = nArgs == 1 ? ArgInt(L, 1) : 0;
    CPortSessionContext* pContext = GetSessionContext(L);
    if (pContext)
        pContext->StopTimer(nId == 0 ? 0 : 1);
    return PushNumber(L, 0);
}

int DisconnectBody(lua_State* L)
{
    CPortSessionContext* pContext = GetSessionContext(L);
    if (pContext)
        pContext->m_nDisconnect = 1;
    return 0;
}

int GetEditorDataBody(lua_State* L)
{
    if (lua_gettop(L) > 0)
        return PushNumber(L, 1);
    std::vector<BYTE> bytes = BytesOf(GetSendEditorData());
    return PushByteTable(L, bytes) ? 1 : kRaise;
}

int SetEditorDataBody(lua_State* L)
{
    if (lua_gettop(L) != 1)
        return PushNumber(L, 1);
    std::vector<BYTE> bytes;
    if (!ReadDataArgument(L, 1, bytes))
        return PushNumber(L, 2);
    SetSendEditorData(ByteBufferOf(bytes));
    return PushNumber(L, 0);
}

// FileRead's work without Lua: 0 with the bytes in a block of the caller's to free, or the
// error number. Class-library file exceptions and a block too big for memory both give 7.
int ReadWholeFile(const char* pszPath, BYTE*& pBytes, size_t& nSize)
{
    pBytes = NULL;
    nSize = 0;
    CFileStatus status;
    if (!CFile::GetStatus(pszPath, status))
        return 3;
    if (status.m_size == 0)
        return 4;
    if (status.m_size > static_cast<ULONGLONG>(INT_MAX))
        return 7;
    nSize = static_cast<size_t>(status.m_size);
    pBytes = static_cast<BYTE*>(std::malloc(nSize));
    if (!pBytes)
        return 7;
    CFile file;
    if (!file.Open(pszPath, CFile::modeRead | CFile::shareDenyNone | CFile::typeBinary | CFile::modeNoInherit)) {
        std::free(pBytes);
        pBytes = NULL;
        return 5;
    }
    int nResult = 0;
    try {
        UINT nRead = file.Read(pBytes, static_cast<UINT>(nSize));
        file.Close();
        if (nRead < nSize)
            nResult = 6;
    } catch (CException* e) {
        e->Delete();
        file.Abort();
        nResult = 7;
    } catch (const std::bad_alloc&) {
        file.Abort();
        nResult = 7;
    }
    if (nResult) {
        std::free(pBytes);
        pBytes = NULL;
    }
    return nResult;
}

int FileReadBody(lua_State* L)
{
    if (lua_gettop(L) != 1)
        return PushNumber(L, 1);
    if (!lua_isstring(L, 1))
        return PushNumber(L, 2);
    std::vector<BYTE> path;
    ReadStringBytes(L, 1, path);
    path.push_back(0);
    BYTE* pBytes = NULL;
    size_t nSize = 0;
    int nResult = ReadWholeFile(reinterpret_cast<const char*>(path.data()), pBytes, nSize);
    if (nResult)
        return PushNumber(L, nResult);
    bool bPushed = PushByteTable(L, pBytes, nSize);
    std::free(pBytes);
    return bPushed ? 1 : kRaise;
}

int FileWriteBody(lua_State* L)
{
    if (lua_gettop(L) != 2)
        return PushNumber(L, 1);
    if (!lua_isstring(L, 2))
        return PushNumber(L, 2);
    std::vector<BYTE> bytes;
    if (!ReadDataArgument(L, 1, bytes))
        return PushNumber(L, 3);
    std::vector<BYTE> path;
    ReadStringBytes(L, 2, path);
    path.push_back(0);
    CFile file;
    if (!file.Open(reinterpret_cast<const char*>(path.data()),
                   CFile::modeCreate | CFile::modeWrite | CFile::shareDenyWrite | CFile::typeBinary | CFile::modeNoInherit))
        return PushNumber(L, 4);
    // A write that fails on the way (a full disk) cannot be told apart for the script from a
    // file that could not be made: both leave no usable file.
    try {
        file.Write(bytes.data(), static_cast<UINT>(bytes.size()));
        file.Close();
    } catch (CException* e) {
        e->Delete();
        file.Abort();
        return PushNumber(L, 4);
    }
    return PushNumber(L, 0);
}

int BitOrBody(lua_State* L)
{
    if (lua_gettop(L) < 2 || !lua_isnumber(L, 1) || !lua_isnumber(L, 2))
        return 0;
    return PushNumber(L, (ArgInt(L, 1) | ArgInt(L, 2)) & 0xFF);
}

int BitAndBody(lua_State* L)
{
    if (lua_gettop(L) != 2 || !lua_isnumber(L, 1) || !lua_isnumber(L, 2))
        return 0;
    return PushNumber(L, ArgInt(L, 1) & ArgInt(L, 2) & 0xFF);
}

int BitOffBody(lua_State* L)
{
    if (lua_gettop(L) != 2 || !lua_isnumber(L, 1) || !lua_isnumber(L, 2))
        return 0;
    return PushNumber(L, ArgInt(L, 1) & ~ArgInt(L, 2) & 0xFF);
}

int StringToTableBody(lua_State* L)
{
    if (lua_gettop(L) != 1)
        return PushNumber(L, 1);
    if (!lua_isstring(L, 1))
        return PushNumber(L, 2);
    std::vector<BYTE> bytes;
    ReadStringBytes(L, 1, bytes);
    return PushByteTable(L, bytes, true) ? 1 : kRaise;
}

int TableCatBody(lua_State* L)
{
    if (lua_gettop(L) != 2)
        return PushNumber(L, 1);
    if (lua_type(L, 1) != LUA_TTABLE)
        return PushNumber(L, 2);
    if (lua_type(L, 2) != LUA_TTABLE)
        return PushNumber(L, 3);
    std::vector<BYTE> bytes;
    ReadTableBytes(L, 1, bytes);
    ReadTableBytes(L, 2, bytes);
    return PushByteTable(L, bytes) ? 1 : kRaise;
}

int ScriptSendDataBody(lua_State* L)
{
    CPortSessionContext* pContext = GetSessionContext(L);
    if (!pContext)
        return 0;
    int nArgs = lua_gettop(L);
    std::vector<BYTE> bytes;
    if (nArgs < 1 || nArgs > 2 || !ReadDataArgument(L, 1, bytes)) {
        pContext->m_pReporter->MessageText(MsgScriptWarning, GetMessageText(MsgSendDataError));
        return 0;
    }
    int nTarget = nArgs == 2 ? ArgInt(L, 2) : 0;
    if (nTarget < 0 || nTarget > 2)
        nTarget = 0;
    if (bytes.empty())
        return 0;

    if (nTarget == 0) {
        // Logged as sent before the write starts; the loop reports its completion.
        CPortReporter& reporter = *pContext->m_pReporter;
        reporter.Data(CCommLogRecord::KindSend, bytes.data(), static_cast<int>(bytes.size()));
        DWORD dwError = pContext->m_pWriter->Write(bytes.data(), static_cast<int>(bytes.size()));
        if (dwError)
            reporter.Message(MsgWriteFailed, dwError);
        return 0;
    }
    // The frame pushes the bytes into the channel buffers of the target port's connections,
    // which log and write them; nothing is logged here.
    CCommLogRecord record(pContext->m_nPort, pContext->m_nSub);
    record.m_nKind = CCommLogRecord::KindSend;
    record.m_nRouteTarget = nTarget;
    GetLocalTime(&record.m_time);
    record.SetPayload(bytes.data(), static_cast<int>(bytes.size()));
    ::SendMessageA(pContext->m_pReporter->GetFrameWnd(), WM_COMM_NOTIFY, CommNotifyRoute,
                   reinterpret_cast<LPARAM>(&record));
    return 0;
}

LUA_ENTRY(Logput)
LUA_ENTRY(SetTimer)
LUA_ENTRY(KillTimer)
LUA_ENTRY(Disconnect)
LUA_ENTRY(GetEditorData)
LUA_ENTRY(SetEditorData)
LUA_ENTRY(FileRead)
LUA_ENTRY(FileWrite)
LUA_ENTRY(BitOr)
LUA_ENTRY(BitAnd)
LUA_ENTRY(BitOff)
LUA_ENTRY(StringToTable)
LUA_ENTRY(TableCat)

const luaL_Reg kLibrary[] = {
    {"Logput", Logput},
    {"SetTimer", SetTimer},
    {"KillTimer", KillTimer},
    {"Disconnect", Disconnect},
    {"GetEditorData", GetEditorData},
    {"SetEditorData", SetEditorData},
    {"FileRead", FileRead},
    {"FileWrite", FileWrite},
    {"BitOr", BitOr},
    {"BitAnd", BitAnd},
    {"BitOff", BitOff},
    {"StringToTable", StringToTable},
    {"TableCat", TableCat},
};

} // namespace

LUA_ENTRY(ScriptSendData)

void RegisterScriptApi(lua_State* L)
{
    for (const luaL_Reg& function : kLibrary) {
        lua_pushcclosure(L, function.func, 0);
        lua_setfield(L, LUA_GLOBALSINDEX, function.name);
    }
}
