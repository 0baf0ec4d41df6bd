#!/usr/bin/env bash
# The benchmark command: set up and build as the test command does, then run the benchmark
# executable under Wine with the test command's display, locale and pseudo-terminal pair (its
# process gets the preload library that gives the pair modem lines). Arguments name the
# figure groups to run (build, start, memory, keys, log, receive, pty, hex, script, soak; none:
# all but the soak); BENCH_RUNS sets the runs each median is taken over. Exits with the number
# of figures short of their goals.
#
# "soak" runs the real program for KORVANE_SOAK_MINUTES (default 10) on two pairs: the test
# command's (COM7 and COM8) for port 1 and a second one (COM9 and COM10) for port 2; the
# program is started by the benchmark with the preload library it inherits.
#
# "bash scripts/bench.sh testtime" instead times the test command held to two cores, against
# its bound of 20 minutes.
set -uo pipefail
source "$(dirname "$0")/env.sh"

# One line in the benchmark executable's format.
report_line() {  # name value unit floor floor-name goal
    awk -v n="$1" -v v="$2" -v u="$3" -v f="$4" -v fn="$5" -v g="$6" 'BEGIN {
        r = f > 0 ? v / f : 1e9; ok = r <= g ? "ok" : "short"
        printf "%-36s %12.6g %-9s floor %12.6g %-16s ratio %9.4g  goal <= %-6g %s\n", n, v, u, f, fn, r, g, ok
        exit ok == "ok" ? 0 : 1 }'
}

# Seconds that a command takes.
seconds_of() {
    local start end
    start=$(date +%s.%N)
    "$@" >/dev/null 2>&1 || return 1
    end=$(date +%s.%N)
    awk -v s="$start" -v e="$end" 'BEGIN { printf "%.1f", e - s }'
}

# A clean clone's build from an empty build folder without the compiler cache: configure, then
# build the given targets (none: all of them).
clean_build() {  # source build-folder [targets...]
    local src=$1 b=$2
    shift 2
    mkdir -p "$b/_deps"
    cp -a "$BUILD_DIR/_deps/lua-5.1.5" "$b/_deps/"
    env -u CMAKE_CXX_COMPILER_LAUNCHER -u CMAKE_C_COMPILER_LAUNCHER \
        cmake -S "$src" -B "$b" -DCMAKE_TOOLCHAIN_FILE="$src/cmake/mingw-i686.cmake" \
        -DCMAKE_BUILD_TYPE=${BUILD_TYPE:-RelWithDebInfo} &&
        env -u CMAKE_CXX_COMPILER_LAUNCHER -u CMAKE_C_COMPILER_LAUNCHER \
            cmake --build "$b" -j "$JOBS" ${1:+--target "$@"}
}

# Figure 1: the run command's build of a clean clone (the program and lua51.dll) against the
# test command's build of the same clone (everything), each from an empty build folder.
build_figure() {
    local tmp run test rc=0
    tmp=$(mktemp -d "${TMPDIR:-/tmp}/korvane-build.XXXXXX")
    mkdir -p "$tmp/src"
    (cd "$here" && git ls-files -z | xargs -0 cp --parents -t "$tmp/src")
    run=$(seconds_of clean_build "$tmp/src" "$tmp/run" korvane) || rc=1
    test=$(seconds_of clean_build "$tmp/src" "$tmp/test") || rc=1
    rm -rf "$tmp"
    if [ $rc -ne 0 ]; then
        echo "1 build: a clean build failed" >&2
        return 1
    fi
    report_line "1 build.run-command-clean-clone" "$run" s "$test" test-command-build 0.5
}

if [ "${1:-}" = testtime ]; then
    mkdir -p "$BUILD_DIR"
    start=$(date +%s.%N)
    taskset -c 0,1 bash "$here/scripts/test.sh" >"$BUILD_DIR/testtime.log" 2>&1
    rc=$?
    end=$(date +%s.%N)
    awk -v s="$start" -v e="$end" -v rc="$rc" -v load="$(cut -d' ' -f1-3 /proc/loadavg)" 'BEGIN {
        t = e - s; ok = (rc == 0 && t <= 1200) ? "ok" : "short"
        printf "%-36s %12.6g %-9s floor %12.6g %-16s ratio %9.4g  goal <= 1      %s (exit %d, load %s)\n",
               "test-command-two-cores", t, "s", 1200, "20-minutes", t / 1200, ok, rc, load
        exit ok == "ok" ? 0 : 1 }'
    exit
fi
bash "$here/scripts/setup.sh" || exit 1
configure_and_build || exit 1

# The build figure runs when asked for by name or when no group is named.
short=0
groups=()
for arg in "$@"; do [ "$arg" = build ] || groups+=("$arg"); done
if [ $# -eq 0 ] || [ ${#groups[@]} -lt $# ]; then
    build_figure || short=1
fi
[ $# -gt 0 ] && [ ${#groups[@]} -eq 0 ] && exit $short

start_wine_session
for group in "$@"; do
    if [ "$group" = soak ]; then
        start_pty_pair 9 10 KORVANE_PTY_COMS2 || exit 1
    fi
done

cd "$TEST_BIN" && env LC_ALL=$WINE_LOCALE LD_PRELOAD="$PTY_MODEM_LIB" wine korvane_bench.exe "${groups[@]}"
exit $(($? + short))
