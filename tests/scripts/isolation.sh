#!/usr/bin/env bash
# What a user made with the run command (the program's keys in the run command's Wine prefix,
# and its working folder with start-up set and logs) is left as it was, by the test command's
# tests (compared with what the test command found when it began) and by the smoke road (run
# here on the finished build, around a log file put into the user's folder for it). The
# program's folder holds none of the tests' executables, DLLs and helpers: the program takes
# every DLL there for an extension DLL the user put there.
set -u
here=$(cd "$(dirname "$0")/../.." && pwd)
source "$here/scripts/env.sh"
status=0

if [ -f "$BUILD_DIR/run-world.start" ]; then
    if ! diff "$BUILD_DIR/run-world.start" <(run_world_fingerprint); then
        echo "FAILED: the tests changed what the run command made"
        status=1
    fi
else
    echo "note: no fingerprint from the test command's start; only the smoke road is checked"
fi

# Every file the build makes besides the program, as the build lists them.
while read -r name; do
    if [ -n "$name" ] && [ -e "$PROGRAM_DIR/$name" ]; then
        echo "FAILED: the program's folder holds $name of the tests"
        status=1
    fi
done <"$BUILD_DIR/test-runnables.txt"

made=
if [ ! -d "$RUN_WORK" ]; then
    mkdir -p "$RUN_WORK"
    made=1
fi
marker="$RUN_WORK/isolation-check-$$.mqt"
printf 'a user log' >"$marker"
before=$(run_world_fingerprint)
if ! KORVANE_BUILT=1 bash "$here/scripts/run.sh" --smoke; then
    echo "FAILED: the smoke road"
    status=1
fi
after=$(run_world_fingerprint)
if [ "$before" != "$after" ]; then
    echo "FAILED: the smoke road changed what the run command made"
    diff <(echo "$before") <(echo "$after")
    status=1
fi
rm -f "$marker"
[ -n "$made" ] && rmdir "$RUN_WORK" 2>/dev/null
[ $status -eq 0 ] && echo "isolation: ok"
exit $status
