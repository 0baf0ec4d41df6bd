// The Lua side of a script connection: the host context that the function library reaches
// through the Lua registry, and the connection's Lua state with its callbacks.
//
// Each script connection owns one Lua state, created when the connection has loaded its
// script and closed when it ends, and used only on the connection's thread. Everything that
// can raise a Lua error runs in protected mode: the set-up of the state (standard libraries,
// the function library, the script DLLs), the main chunk and every callback, which is even
// looked up by name inside the protected call, so a script whose globals table has an
// erroring metatable fails like any other script error instead of ending the program. A failed
// step is reported as a pair of log messages: 10041 with the text of the step's message, then
// 10042 with Lua's error text.
//
// A script that never returns must not keep its port from being stopped: a count hook looks
// at the connection's stop event every few thousand instructions and, when it is set, ends the
// running chunk or callback with an error that is not reported as a script error (the loop
// ends the connection as stopped).
#pragma once

#include "afxwin.h"

#include "luaapi.h"

#include <vector>

class CPeriodTimer;
class CPluginDllList;
class CPortReporter;
class CSerialWriter;

// What the function library needs of its connection. The connection's loop owns it; the
// Lua registry holds its address under "MirtolexDataReg" from before the script's main chunk
// runs, so library calls at the top level of a script find it too.
struct CPortSessionContext
{
    CPortSessionContext(int nPort, HANDLE hPort);
    ~CPortSessionContext();
    CPortSessionContext(const CPortSessionContext&) = delete;
    CPortSessionContext& operator=(const CPortSessionContext&) = delete;

    // Timer 0 sets the event m_strTimerName[0] on every period, timer 1 m_strTimerName[1].
    // Starting a running timer changes nothing; a period of 0 or less runs as 1 ms.
    void StartTimer(int nId, int nPeriod, bool bOneShot);
    // Stops a running timer, clears its one-shot flag and drops a period that ran out before
    // the stop, so no expiry of a stopped timer reaches the script.
    void StopTimer(int nId);
    bool IsTimerRunning(int nId) const { return m_pTimer[nId] != NULL; }

    int m_nPort;
    int m_nSub;                     // 0 for a serial connection
    int m_nOneShot[2];              // 1: the timer stops after its first expiry
    CPeriodTimer* m_pTimer[2];      // non-null while the timer runs
    CString m_strTimerName[2];      // "%s_ST0000" and "%s_RT0000" of the connection
    HANDLE m_hTimerEvent[2];        // the loop's handles of the two timer events
    int m_nDisconnect;              // set by Disconnect(); the loop ends after the callback
    HANDLE m_hStop;                 // the connection's stop event, which the hook looks at
    int m_nInterrupted;             // set when the hook ended a callback on a stop
    HANDLE m_hPort;
    CSerialWriter* m_pWriter;       // the connection's writes (SendData on the own port)
    CPortReporter* m_pReporter;     // the connection's reports to the frame
};

// The context of the connection whose state L is; NULL when none was stored.
CPortSessionContext* GetSessionContext(lua_State* L);

class CLuaHost
{
public:
    explicit CLuaHost(CPortReporter& reporter);
    ~CLuaHost();
    CLuaHost(const CLuaHost&) = delete;
    CLuaHost& operator=(const CLuaHost&) = delete;

    // Creates the state, opens the standard libraries, registers the function library,
    // SendData and every script-DLL function, and stores the context. On a failure (no memory)
    // the state is closed again and the failure reported with message 13081.
    bool Create(CPortSessionContext* pContext, const CPluginDllList& dlls);

    // Loads the text (up to its first zero byte) as the main chunk, without a chunk name.
    // On a failure the error is reported with message 13081 and the state closed.
    bool Load(const std::vector<char>& text);

    // Runs the loaded main chunk; a failure is reported with message 13082.
    bool RunChunk();

    // Calls a global function by name with no argument, a number, or a table of byte values
    // at indices 1 to n; the one result asked for is dropped. A failure (the function is
    // missing or raised an error) is reported with the given message code.
    bool Call(LPCSTR pszName, int nErrorMessage);
    bool Call(LPCSTR pszName, double dArgument, int nErrorMessage);
    bool Call(LPCSTR pszName, const std::vector<BYTE>& bytes, int nErrorMessage);

    bool IsOpen() const { return m_L != NULL; }
    void Close();

private:
    struct CallArgs;
    bool CallProtected(CallArgs& args, int nErrorMessage);
    // Reports 10041 with the text of the message, then 10042 with the error value on top of
    // the stack, and pops it; an error of the stop hook is only popped.
    void ReportError(int nMessage);

    CPortReporter& m_reporter;
    lua_State* m_L;
    CPortSessionContext* m_pContext;
};
