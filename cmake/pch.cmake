# Precompiled headers. The system headers and the class library's afxwin.h, which nearly
# every file of the program includes, take longer to compile than most files' own code:
# each library, test executable and the benchmark compiles them once, not in every file.
# (With ccache as compiler launcher, ccache is told to accept the precompiled header.)
set(KORVANE_PCH_HEADERS
    "$<$<COMPILE_LANGUAGE:CXX>:<windows.h$<ANGLE-R>>"
    "$<$<COMPILE_LANGUAGE:CXX>:<commctrl.h$<ANGLE-R>>"
    "$<$<COMPILE_LANGUAGE:CXX>:<algorithm$<ANGLE-R>>"
    "$<$<COMPILE_LANGUAGE:CXX>:<functional$<ANGLE-R>>"
    "$<$<COMPILE_LANGUAGE:CXX>:<string$<ANGLE-R>>"
    "$<$<COMPILE_LANGUAGE:CXX>:<vector$<ANGLE-R>>"
    "$<$<COMPILE_LANGUAGE:CXX>:${CMAKE_SOURCE_DIR}/classlib/afxwin.h>")

# korvane_precompile(target [test] [optimised]): "test" adds GoogleTest's header; "optimised"
# names test code compiled with the libraries' optimisation (a compiled header serves only code
# compiled with its options). The first target of each kind compiles the header and the later
# ones use its result: a compiled header is 130-180 MB, and one per target filled a small disk
# before the build was half done.
function(korvane_precompile target)
    set(headers ${KORVANE_PCH_HEADERS})
    set(kind lib)
    if("test" IN_LIST ARGN)
        list(APPEND headers "$<$<COMPILE_LANGUAGE:CXX>:<gtest/gtest.h$<ANGLE-R>>")
        set(kind test)
    endif()
    if("optimised" IN_LIST ARGN)
        string(APPEND kind _optimised)
    endif()
    get_property(owner GLOBAL PROPERTY KORVANE_PCH_OWNER_${kind})
    if(owner)
        target_precompile_headers(${target} REUSE_FROM ${owner})
    else()
        target_precompile_headers(${target} PRIVATE ${headers})
        set_property(GLOBAL PROPERTY KORVANE_PCH_OWNER_${kind} ${target})
    endif()
endfunction()

if(CMAKE_CXX_COMPILER_LAUNCHER MATCHES "ccache")
    set(CMAKE_CXX_COMPILER_LAUNCHER ${CMAKE_COMMAND} -E env
        "CCACHE_SLOPPINESS=pch_defines,time_macros,include_file_mtime,include_file_ctime" ccache)
    add_compile_options($<$<COMPILE_LANGUAGE:CXX>:-fpch-preprocess>)
endif()
