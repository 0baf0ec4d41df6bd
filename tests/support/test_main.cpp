// Shared main of the test executables: GoogleTest with a check that the process runs in
// the Japanese ANSI code page, which every text test depends on, and, where 32-bit code is
// emulated, an end without teardown.
//
// An executable whose tests are split over two ctest entries is given `--only-suite=NAME` in
// one and `--skip-suite=NAME` in the other; a filter the person gives (GTEST_FILTER or
// --gtest_filter) still holds in both, so it is narrowed here rather than replaced.
#include <windows.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <gtest/gtest.h>

namespace {

bool GlobMatches(const char* pattern, const char* end, const char* name)
{
    if (pattern == end)
        return *name == '\0';
    if (*pattern == '*') {
        for (const char* p = name;; p++) {
            if (GlobMatches(pattern + 1, end, p))
                return true;
            if (*p == '\0')
                return false;
        }
    }
    return *name != '\0' && (*pattern == '?' || *pattern == *name) && GlobMatches(pattern + 1, end, name + 1);
}

bool AnyMatches(const std::string& patterns, const std::string& name)
{
    size_t start = 0;
    for (;;) {
        const size_t colon = patterns.find(':', start);
        const size_t stop = colon == std::string::npos ? patterns.size() : colon;
        if (GlobMatches(patterns.c_str() + start, patterns.c_str() + stop, name.c_str()))
            return true;
        if (colon == std::string::npos)
            return false;
        start = colon + 1;
    }
}

// GoogleTest's own rule: "positive-negative", an empty positive part meaning every test.
bool FilterMatches(const std::string& filter, const std::string& name)
{
    const size_t dash = filter.find('-');
    std::string positive = filter.substr(0, dash);
    if (positive.empty())
        positive = "*";
    return AnyMatches(positive, name) && !(dash != std::string::npos && AnyMatches(filter.substr(dash + 1), name));
}

// The person's filter narrowed to the tests of one suite, or to all the others, as a list of
// names; "-*" when nothing is left.
void NarrowToSuite(const std::string& suite, bool bOnly)
{
    const std::string filter = GTEST_FLAG_GET(filter);
    std::string names;
    const testing::UnitTest& unit = *testing::UnitTest::GetInstance();
    for (int i = 0; i < unit.total_test_suite_count(); i++) {
        const testing::TestSuite& s = *unit.GetTestSuite(i);
        if ((suite == s.name()) != bOnly)
            continue;
        for (int j = 0; j < s.total_test_count(); j++) {
            const std::string name = std::string(s.name()) + "." + s.GetTestInfo(j)->name();
            if (FilterMatches(filter, name))
                names += (names.empty() ? "" : ":") + name;
        }
    }
    GTEST_FLAG_SET(filter, names.empty() ? "-*" : names);
}

} // namespace

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    for (int i = 1; i < argc; i++) {
        if (std::strncmp(argv[i], "--only-suite=", 13) == 0)
            NarrowToSuite(argv[i] + 13, true);
        else if (std::strncmp(argv[i], "--skip-suite=", 13) == 0)
            NarrowToSuite(argv[i] + 13, false);
    }
    if (GetACP() != 932) {
        std::fprintf(stderr, "FATAL: ANSI code page is %u, not 932; run with LC_ALL=ja_JP.UTF-8\n", GetACP());
        return 3;
    }
    const int result = RUN_ALL_TESTS();
    // Emulated (scripts/i386.sh), Wine's teardown now and then hangs; elsewhere a crash or hang in it must fail the test.
    if (std::getenv("KORVANE_I386_EMULATED")) {
        std::fflush(nullptr);
        ::TerminateProcess(::GetCurrentProcess(), static_cast<UINT>(result));
    }
    return result;
}
