#include "luahost.h"

#include "messagetext.h"
#include "periodtimer.h"
#include "portreporter.h"
#include "scriptdlls.h"
#include "scriptlibrary.h"

#include <cstdio>
#include <cstring>

namespace {

enum
{
    MsgScriptWarning = 10041,
    MsgScriptErrorDetail = 10042,
    MsgScriptLoadError = 13081,
    MsgScriptChunkError = 13082,
};

const char kContextKey[] = "MirtolexDataReg";

// Instructions between two looks at the stop event: a look costs a fraction of a microsecond,
// the count a few microseconds of script.
const int kStopCheckCount = 4000;

void StopHook(lua_State* L, lua_Debug*)
{
    CPortSessionContext* pContext = GetSessionContext(L);
    if (pContext && pContext->m_hStop && WaitForSingleObject(pContext->m_hStop, 0) == WAIT_OBJECT_0) {
        pContext->m_nInterrupted = 1;
        luaL_error(L, "stopped");
    }
}

struct SetUpArgs
{
    CPortSessionContext* pContext;
    const CPluginDllList* pDlls;
};

// Runs in protected mode: everything here allocates and may raise a memory error.
int SetUpState(lua_State* L)
{
    const SetUpArgs* pArgs = static_cast<const SetUpArgs*>(lua_touserdata(L, 1));
    lua_settop(L, 0);
    luaL_openlibs(L);
    RegisterScriptApi(L);
    lua_pushcclosure(L, ScriptSendData, 0);
    lua_setfield(L, LUA_GLOBALSINDEX, "SendData");
    // Script-DLL functions come last, so one of a library function's name replaces it.
    pArgs->pDlls->RegisterAll(L);
    lua_pushlightuserdata(L, pArgs->pContext);
    lua_setfield(L, LUA_REGISTRYINDEX, kContextKey);
    return 0;
}

} // namespace

// ---- host context --------------------------------------------------------------------------

CPortSessionContext::CPortSessionContext(int nPort, HANDLE hPort)
    : m_nPort(nPort), m_nSub(0), m_nDisconnect(0), m_hStop(NULL), m_nInterrupted(0), m_hPort(hPort),
      m_pWriter(NULL), m_pReporter(NULL)
{
    for (int i = 0; i < 2; ++i) {
        m_nOneShot[i] = 0;
        m_pTimer[i] = NULL;
        m_hTimerEvent[i] = NULL;
    }
}

CPortSessionContext::~CPortSessionContext()
{
    StopTimer(0);
    StopTimer(1);
}

void CPortSessionContext::StartTimer(int nId, int nPeriod, bool bOneShot)
{
    if (m_pTimer[nId])
        return;
    m_pTimer[nId] = StartPeriodTimer(m_strTimerName[nId], nPeriod > 0 ? nPeriod : 1);
    if (m_pTimer[nId] && bOneShot)
        m_nOneShot[nId] = 1;
}

void CPortSessionContext::StopTimer(int nId)
{
    if (!m_pTimer[nId])
        return;
    StopPeriodTimer(m_pTimer[nId]);
    m_pTimer[nId] = NULL;
    m_nOneShot[nId] = 0;
    if (m_hTimerEvent[nId])
        ResetEvent(m_hTimerEvent[nId]);
}

CPortSessionContext* GetSessionContext(lua_State* L)
{
    lua_getfield(L, LUA_REGISTRYINDEX, kContextKey);
    CPortSessionContext* pContext = static_cast<CPortSessionContext*>(lua_touserdata(L, -1));
    lua_pop(L, 1);
    return pContext;
}

// ---- Lua state -----------------------------------------------------------------------------

struct CLuaHost::CallArgs
{
    enum Kind { None, Number, Bytes };

    LPCSTR pszName;
    Kind kind;
    double dNumber;
    const std::vector<BYTE>* pBytes;

    // Runs in protected mode: the lookup, the argument table and the call may all raise.
    static int Run(lua_State* L)
    {
        const CallArgs* pArgs = static_cast<const CallArgs*>(lua_touserdata(L, 1));
        lua_settop(L, 0);
        lua_getfield(L, LUA_GLOBALSINDEX, pArgs->pszName);
        int nArgs = 0;
        if (pArgs->kind == Number) {
            lua_pushnumber(L, pArgs->dNumber);
            nArgs = 1;
        } else if (pArgs->kind == Bytes) {
            const std::vector<BYTE>& bytes = *pArgs->pBytes;
            lua_createtable(L, static_cast<int>(bytes.size()), 0);
            for (size_t i = 0; i < bytes.size(); ++i) {
                lua_pushnumber(L, bytes[i]);
                lua_rawseti(L, -2, static_cast<int>(i + 1));
            }
            nArgs = 1;
        }
        lua_call(L, nArgs, 1);
        return 1;
    }
};

CLuaHost::CLuaHost(CPortReporter& reporter) : m_reporter(reporter), m_L(NULL), m_pContext(NULL)
{
}

CLuaHost::~CLuaHost()
{
    Close();
}

void CLuaHost::Close()
{
    if (m_L) {
        lua_close(m_L);
        m_L = NULL;
    }
}

bool CLuaHost::Create(CPortSessionContext* pContext, const CPluginDllList& dlls)
{
    m_L = luaL_newstate();
    if (!m_L) {
        m_reporter.MessageText(MsgScriptWarning, GetMessageText(MsgScriptLoadError));
        m_reporter.MessageText(MsgScriptErrorDetail, "not enough memory");
        return false;
    }
    SetUpArgs args = {pContext, &dlls};
    if (lua_cpcall(m_L, SetUpState, &args) != 0) {
        ReportError(MsgScriptLoadError);
        Close();
        return false;
    }
    m_pContext = pContext;
    lua_sethook(m_L, StopHook, LUA_MASKCOUNT, kStopCheckCount);
    return true;
}

bool CLuaHost::Load(const std::vector<char>& text)
{
    // The text ends at its first zero byte.
    size_t nLength = strnlen(text.data(), text.size());
    if (luaL_loadbuffer(m_L, text.data(), nLength, NULL) != 0) {
        ReportError(MsgScriptLoadError);
        Close();
        return false;
    }
    return true;
}

bool CLuaHost::RunChunk()
{
    if (lua_pcall(m_L, 0, 0, 0) != 0) {
        ReportError(MsgScriptChunkError);
        return false;
    }
    return true;
}

bool CLuaHost::Call(LPCSTR pszName, int nErrorMessage)
{
    CallArgs args = {pszName, CallArgs::None, 0, NULL};
    return CallProtected(args, nErrorMessage);
}

bool CLuaHost::Call(LPCSTR pszName, double dArgument, int nErrorMessage)
{
    CallArgs args = {pszName, CallArgs::Number, dArgument, NULL};
    return CallProtected(args, nErrorMessage);
}

bool CLuaHost::Call(LPCSTR pszName, const std::vector<BYTE>& bytes, int nErrorMessage)
{
    CallArgs args = {pszName, CallArgs::Bytes, 0, &bytes};
    return CallProtected(args, nErrorMessage);
}

bool CLuaHost::CallProtected(CallArgs& args, int nErrorMessage)
{
    // lua_cpcall drops the callback's result, as the host wants.
    if (lua_cpcall(m_L, CallArgs::Run, &args) != 0) {
        ReportError(nErrorMessage);
        return false;
    }
    lua_settop(m_L, 0);
    return true;
}

void CLuaHost::ReportError(int nMessage)
{
    if (m_pContext && m_pContext->m_nInterrupted) {
        lua_pop(m_L, 1);
        return;
    }
    m_reporter.MessageText(MsgScriptWarning, GetMessageText(nMessage));
    // The error value as text; a value that is neither a string nor a number gives an empty
    // text. A number is formatted here, as Lua would, rather than converted in place.
    char szNumber[32] = "";
    const char* pszText = szNumber;
    if (lua_type(m_L, -1) == LUA_TSTRING) {
        pszText = lua_tostring(m_L, -1);
    } else if (lua_type(m_L, -1) == LUA_TNUMBER) {
        std::snprintf(szNumber, sizeof(szNumber), LUA_NUMBER_FMT, lua_tonumber(m_L, -1));
    }
    m_reporter.MessageText(MsgScriptErrorDetail, pszText);
    lua_pop(m_L, 1);
}
