#!/usr/bin/env bash
# The benchmark command: set up and build as the test command does, then run the benchmark
# executable under Wine with the test command's display, locale and pseudo-terminal pair (its
# process gets the preload library that gives the pair modem lines). Arguments name the
# figure groups to run (receive, pty, log, hex, script, soak; none: all but the soak); BENCH_RUNS
# sets the runs each median is taken over. Exits with the number of figures short of their goals.
#
# "soak" runs the real program for KORVANE_SOAK_MINUTES (default 10) on two pairs: the test
# command's (COM7 and COM8) for port 1 and a second one (COM9 and COM10) for port 2; the
# program is started by the benchmark with the preload library it inherits.
#
# "bash scripts/bench.sh testtime" instead times the test command held to two cores, against
# its bound of 20 minutes.
set -uo pipefail
source "$(dirname "$0")/env.sh"

if [ "${1:-}" = testtime ]; then
    start=$(date +%s.%N)
    taskset -c 0,1 bash "$here/scripts/test.sh" >"$BUILD_DIR/testtime.log" 2>&1
    rc=$?
    end=$(date +%s.%N)
    awk -v s="$start" -v e="$end" -v rc="$rc" -v load="$(cut -d' ' -f1-3 /proc/loadavg)" 'BEGIN {
        t = e - s; ok = (rc == 0 && t <= 1200) ? "ok" : "short"
        printf "%-36s %12.6g %-9s floor %12.6g %-16s ratio %9.4g  goal <= 1      %s (exit %d, load %s)\n",
               "7 test-command-two-cores", t, "s", 1200, "20-minutes", t / 1200, ok, rc, load
        exit ok == "ok" ? 0 : 1 }'
    exit
fi
bash "$here/scripts/setup.sh" || exit 1
configure_and_build || exit 1

start_wine_session
for group in "$@"; do
    if [ "$group" = soak ]; then
        start_pty_pair 9 10 KORVANE_PTY_COMS2 || exit 1
    fi
done

cd "$BUILD_DIR/bin" && env LC_ALL=$WINE_LOCALE LD_PRELOAD="$PTY_MODEM_LIB" wine korvane_bench.exe "$@"
