// A DLL with a Lua function but without "GetModuleName": not a script DLL.
#include <windows.h>

extern "C" {
#include "lua.h"
}

extern "C" __declspec(dllexport) int Twice(lua_State* L)
{
    lua_pushnumber(L, -1);
    return 1;
}
