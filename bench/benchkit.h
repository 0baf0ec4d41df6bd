// What every figure of the benchmark shares: a clock, medians, and the one line per figure.
//
// A figure is a value set against a floor measured in the same process, interleaved with it
// (these machines are shared and noisy: a ratio taken side by side holds where an absolute
// time does not). A goal is a bound on the ratio; a figure whose floor is a fixed rate (the
// line rate of a port, a required record rate) names that rate as its floor.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace bench {

// Seconds since an arbitrary start, from the performance counter.
double Now();

// The same clock from a performance counter value.
double CounterSeconds(LONGLONG counter);

// Seconds that fn takes.
double TimeOf(const std::function<void()>& fn);

double Median(std::vector<double> values);
// The value at or below which the given share (0..1) of the values lie.
double Percentile(std::vector<double> values, double share);

enum GoalKind { AtLeast, AtMost };

// Prints one line: name, value, unit, floor (and what it is), ratio, goal, ok or short.
// Returns whether the goal was met.
bool Report(const std::string& name, double value, const std::string& unit, double floor,
            const std::string& floorName, GoalKind kind, double goal);

// A line without a goal, for a figure shown beside another.
void ReportInfo(const std::string& name, double value, const std::string& unit, double floor,
                const std::string& floorName);

// How many runs each figure takes its median over (the BENCH_RUNS environment variable,
// default 5).
int Runs();

// The figures that fell short so far, for the exit code.
int ShortCount();

} // namespace bench
