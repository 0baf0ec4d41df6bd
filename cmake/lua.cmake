# Lua 5.1.5, unchanged, built as lua51.dll from the sources that the set-up step unpacks
# into the build tree. The program and the script DLLs share this one Lua.
set(LUA_DIR ${CMAKE_BINARY_DIR}/_deps/lua-5.1.5/src)
if(NOT EXISTS ${LUA_DIR}/lapi.c)
    message(FATAL_ERROR "Lua sources missing in ${LUA_DIR}: run scripts/setup.sh first")
endif()
file(GLOB LUA_SOURCES ${LUA_DIR}/*.c)
list(REMOVE_ITEM LUA_SOURCES ${LUA_DIR}/lua.c ${LUA_DIR}/luac.c ${LUA_DIR}/print.c)
add_library(lua51 SHARED ${LUA_SOURCES})
set_target_properties(lua51 PROPERTIES PREFIX "" OUTPUT_NAME lua51 C_STANDARD 99
                      RUNTIME_OUTPUT_DIRECTORY ${KORVANE_PROGRAM_DIR})
target_compile_definitions(lua51 PUBLIC LUA_BUILD_AS_DLL)
target_compile_options(lua51 PRIVATE -w -fexec-charset=UTF-8)
target_include_directories(lua51 SYSTEM PUBLIC ${LUA_DIR})

# The tests' folder gets a copy, for the test executables and the script DLLs that link it.
add_custom_command(OUTPUT ${KORVANE_TEST_BIN}/lua51.dll
                   COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:lua51> ${KORVANE_TEST_BIN}/lua51.dll
                   DEPENDS lua51 VERBATIM)
add_custom_target(lua51_for_tests DEPENDS ${KORVANE_TEST_BIN}/lua51.dll)
