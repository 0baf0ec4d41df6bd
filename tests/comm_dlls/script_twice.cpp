// A script DLL that lists two functions through "GetModuleName": Twice(n) answers 2 * n and
// Hello() answers a text.
#include <windows.h>

#include <cstring>

extern "C" {
#include "lua.h"
}

extern "C" __declspec(dllexport) int Twice(lua_State* L)
{
    lua_pushnumber(L, 2 * lua_tonumber(L, 1));
    return 1;
}

extern "C" __declspec(dllexport) int Hello(lua_State* L)
{
    lua_pushstring(L, "hello from the DLL");
    return 1;
}

extern "C" __declspec(dllexport) int GetModuleName(char* buffer, int size, int index)
{
    static const char* const names[] = {"Twice", "Hello"};
    if (index < 0 || index >= 2)
        return 1;
    lstrcpynA(buffer, names[index], size);
    return 0;
}
