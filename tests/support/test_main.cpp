// Shared main of the test executables: GoogleTest with a check that the process runs in
// the Japanese ANSI code page, which every text test depends on.
#include <windows.h>
#include <cstdio>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    if (GetACP() != 932) {
        std::fprintf(stderr, "FATAL: ANSI code page is %u, not 932; run with LC_ALL=ja_JP.UTF-8\n", GetACP());
        return 3;
    }
    return RUN_ALL_TESTS();
}
