#!/usr/bin/env bash
# The benchmark command: set up and build as the test command does, then run the benchmark
# executable under Wine with the test command's display, locale and pseudo-terminal pair (its
# process gets the preload library that gives the pair modem lines). Arguments name the
# figure groups to run (receive, pty, log, hex, script; none: all); BENCH_RUNS sets the runs
# each median is taken over. Exits with the number of figures short of their goals.
set -uo pipefail
source "$(dirname "$0")/env.sh"
bash "$here/scripts/setup.sh" || exit 1
configure_and_build || exit 1

start_wine_session

cd "$BUILD_DIR/bin" && env LC_ALL=$WINE_LOCALE LD_PRELOAD="$PTY_MODEM_LIB" wine korvane_bench.exe "$@"
