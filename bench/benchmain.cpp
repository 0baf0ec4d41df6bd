// The benchmark: the program's start-up and memory, keys typed into its editors, the log, the
// receive path and the automatic reply, and the editors' models, each figure against a floor
// measured beside it in the same run. Arguments name the figure groups to run (start, memory,
// keys, log, receive, pty, hex, script, soak); none runs them all but the soak, which takes
// minutes and runs only when named. The exit code is the number of figures that fell short of
// their goals.
#include "benchkit.h"
#include "figures.h"

#include <cstdio>
#include <cstring>

int main(int argc, char** argv)
{
    if (GetACP() != 932) {
        std::fprintf(stderr, "the ANSI code page is %u, not 932; run through scripts/bench.sh\n", GetACP());
        return 100;
    }
    struct Group
    {
        const char* name;
        void (*run)();
        bool named;  // runs only when named
    };
    const Group groups[] = {
        {"start", bench::StartupFigures, false}, {"memory", bench::MemoryFigures, false},
        {"keys", bench::KeyFigures, false},      {"log", bench::LogFigures, false},
        {"receive", bench::ReceiveFigures, false}, {"pty", bench::PtyFigures, false},
        {"hex", bench::HexFigures, false},       {"script", bench::ScriptFigures, false},
        {"soak", bench::SoakFigures, true},
    };
    std::printf("%-36s %12s %-9s       %12s %-16s       %9s  %-10s %s\n", "figure", "value", "unit", "floor", "(what)",
                "ratio", "goal", "result");
    for (const Group& group : groups) {
        bool wanted = argc < 2 && !group.named;
        for (int i = 1; i < argc; ++i)
            wanted = wanted || std::strcmp(argv[i], group.name) == 0;
        if (wanted)
            group.run();
    }
    std::printf("%d figure(s) short of their goals (median of %d runs)\n", bench::ShortCount(), bench::Runs());
    return bench::ShortCount();
}
