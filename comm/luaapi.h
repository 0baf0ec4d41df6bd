// Lua 5.1 for the program's C++ code. Lua is the unchanged C library in lua51.dll, shared by
// the program and every script DLL; its headers declare plain C functions.
#pragma once

extern "C" {
#include "lua.h"
#include "lualib.h"
#include "lauxlib.h"
}
