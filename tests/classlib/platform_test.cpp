// The platform every other test stands on: code page 932 and the shared Lua DLL.
#include <windows.h>
#include <cstring>
#include <gtest/gtest.h>
extern "C" {
#include <lua.h>
#include <lauxlib.h>
#include <lualib.h>
}

TEST(Platform, AnsiCodePageIsJapanese)
{
    ASSERT_EQ(GetACP(), 932u);
    EXPECT_TRUE(IsDBCSLeadByte(0x83));
    // Literals are stored as code page 932 bytes.
    EXPECT_EQ(std::strcmp("ソ", "\x83\x5C"), 0);
}

TEST(Platform, LuaFromSharedDll)
{
    lua_State* L = luaL_newstate();
    ASSERT_NE(L, nullptr);
    luaL_openlibs(L);
    ASSERT_EQ(luaL_loadstring(L, "return 6*7"), 0);
    ASSERT_EQ(lua_pcall(L, 0, 1, 0), 0);
    EXPECT_EQ(lua_tonumber(L, -1), 42);
    lua_close(L);
    EXPECT_NE(GetModuleHandleA("lua51.dll"), nullptr);
}
