#!/usr/bin/env bash
# The test command: set up the machine, build, and run every test executable under Wine.
set -uo pipefail
source "$(dirname "$0")/env.sh"
bash "$here/scripts/setup.sh" || exit 1
configure_and_build || exit 1
# What a user made with the run command; a test compares it once every other test has run.
run_world_fingerprint >"$BUILD_DIR/run-world.start"

start_wine_session

log="$BUILD_DIR/test-output.log"
# Where 32-bit code runs through an emulator (scripts/i386.sh), windows, threads and input keep
# another time than on a processor of their own, and a journey's drag or a process's end now and
# then goes astray there: an executable that fails is run once more before it counts, and ends
# without the teardown that now and then hangs there (tests/support/test_main.cpp).
repeat=()
if [ -n "$(i386_emulator)" ]; then
    echo "test: 32-bit code runs through $(i386_emulator) here: an executable that fails runs once more"
    repeat=(--repeat until-pass:2)
    export KORVANE_I386_EMULATED=1
fi
(cd "$BUILD_DIR" && env LC_ALL=$WINE_LOCALE ctest -V --timeout 900 -j "${TEST_JOBS:-2}" "${repeat[@]}" "$@") >"$log" 2>&1
rc=$?
# Every executable's number, name, runs and last result; a second run's line has no count.
results=$(sed -nE 's/^ *([0-9]+\/[0-9]+ )?Test +#([0-9]+): ([^ ]+) .*(Passed|\*\*\*[A-Za-z]+).*/\2 \3 \4/p' "$log" |
          awk '{ runs[$1]++; name[$1] = $2; last[$1] = $3 } END { for (n in runs) print n, name[n], last[n], runs[n] }')
# Each executable's own summary, then ctest's closing lines (full output on failure).
grep -E '^\s*([0-9]+/[0-9]+ )?Test +#|\[  (PASSED|FAILED)  \]|\[==========\] [0-9]+ tests? from' "$log" || true
if [ $rc -ne 0 ]; then
    echo "---- output of the failing tests ----"
    # Only the failing executables' lines: the others' would crowd the failures out.
    failing=$(awk '$3 != "Passed" { print $1 }' <<<"$results" | paste -sd'|')
    if [ -n "$failing" ]; then
        # Of each failing executable, what its failed tests printed (or the test it was in when
        # it crashed or timed out), so that a shortened report still shows each cause.
        for n in ${failing//|/ }; do
            grep -E "^$n: " "$log" | sed -E "s/^$n: //" | awk -v n="$n" '
                /^\[ RUN      \]/ { buf = ""; inside = 1; kept = 0 }
                inside && kept < 60 && !/^\[ RUN/ && !/^$/ && !/wrong ELF class/ { buf = buf n ": " $0 "\n"; ++kept }
                /^\[       OK \]/ { inside = 0; buf = "" }
                /^\[  FAILED  \] .* \([0-9]+ ms\)$/ { printf "%s", buf; inside = 0; buf = "" }
                END { if (inside) printf "%s%s: (ended inside this test)\n", buf, n }'
        done | head -300
    else
        grep -E '\[  FAILED  \]|Failure|error:' "$log" | head -300
    fi
    echo "(whole output: $log)"
fi
tail -n 4 "$log"
# A race that fails one run in two would otherwise pass unseen.
again=$(awk '$3 == "Passed" && $4 > 1 { print $2 }' <<<"$results" | sort | paste -sd' ')
[ -z "$again" ] || echo "test: passed only at their second run: $again"
exit $rc
