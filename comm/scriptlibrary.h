// The function library of the scripts: the C functions that a port's Lua script calls.
//
// Byte data crosses into Lua as a table of numbers (one byte per entry at indices 1 to n) or
// as a string; tables are read from index 1 up to the first entry that is not a number, each
// number truncated to an integer whose low 8 bits are kept. Bad arguments are answered with a
// number, with nothing, or with a logged warning (10041), never with a Lua error. Lua's own
// errors (a table too big for memory) reach the calling callback as script errors; the
// library frees its own memory first, since a Lua error does not unwind C++ frames.
//
// The functions that need the connection take the host context from the Lua registry
// (luahost.h). They all run on the connection's thread, inside a callback or the main chunk.
#pragma once

#include "luaapi.h"

// Registers Logput, SetTimer, KillTimer, Disconnect, GetEditorData, SetEditorData, FileRead,
// FileWrite, BitOr, BitAnd, BitOff, StringToTable and TableCat as globals, in this order.
// Call it in protected mode.
void RegisterScriptApi(lua_State* L);

// SendData (data [, target]): writes the bytes on the own port (target 0, or none) or has the
// frame route them to the connections of port 1 (target 1) or port 2 (target 2). The script
// host registers it right after the library.
int ScriptSendData(lua_State* L);
