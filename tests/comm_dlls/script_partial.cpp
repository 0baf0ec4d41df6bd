// A script DLL that lists "Logput", which it exports (and which then replaces the library's
// function of that name), and "Missing", which it does not export.
#include <windows.h>

extern "C" {
#include "lua.h"
}

extern "C" __declspec(dllexport) int Logput(lua_State* L)
{
    lua_pushstring(L, "dll");
    return 1;
}

extern "C" __declspec(dllexport) int GetModuleName(char* buffer, int size, int index)
{
    static const char* const names[] = {"Logput", "Missing"};
    if (index < 0 || index >= 2)
        return 1;
    lstrcpynA(buffer, names[index], size);
    return 0;
}
