#include "benchkit.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace bench {

namespace {

int g_short = 0;

} // namespace

double CounterSeconds(LONGLONG counter)
{
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    return static_cast<double>(counter) / static_cast<double>(frequency.QuadPart);
}

double Now()
{
    LARGE_INTEGER count;
    QueryPerformanceCounter(&count);
    return CounterSeconds(count.QuadPart);
}

double TimeOf(const std::function<void()>& fn)
{
    const double start = Now();
    fn();
    return Now() - start;
}

double Median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

double Percentile(std::vector<double> values, double share)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    size_t index = static_cast<size_t>(share * static_cast<double>(values.size()));
    return values[std::min(index, values.size() - 1)];
}

bool Report(const std::string& name, double value, const std::string& unit, double floor,
            const std::string& floorName, GoalKind kind, double goal)
{
    const double ratio = floor != 0 ? value / floor : (value == 0 ? 0 : 1e9);
    const bool ok = kind == AtLeast ? ratio >= goal : ratio <= goal;
    if (!ok)
        ++g_short;
    std::printf("%-36s %12.6g %-9s floor %12.6g %-16s ratio %9.4g  goal %s %-6g %s\n", name.c_str(), value,
                unit.c_str(), floor, floorName.c_str(), ratio, kind == AtLeast ? ">=" : "<=", goal,
                ok ? "ok" : "short");
    std::fflush(stdout);
    return ok;
}

void ReportInfo(const std::string& name, double value, const std::string& unit, double floor,
                const std::string& floorName)
{
    std::printf("%-36s %12.6g %-9s floor %12.6g %-16s ratio %9.4g  goal -         info\n", name.c_str(), value,
                unit.c_str(), floor, floorName.c_str(), floor != 0 ? value / floor : 0.0);
    std::fflush(stdout);
}

int Runs()
{
    char text[16] = {};
    if (GetEnvironmentVariableA("BENCH_RUNS", text, sizeof(text))) {
        const int n = std::atoi(text);
        if (n > 0)
            return n;
    }
    return 5;
}

int ShortCount()
{
    return g_short;
}

} // namespace bench
