#!/usr/bin/env bash
# The test command: set up the machine, build, and run every test executable under Wine.
set -uo pipefail
source "$(dirname "$0")/env.sh"
bash "$here/scripts/setup.sh" || exit 1
configure_and_build || exit 1

start_display
# Wine 8's server keeps an object of every process that waited for comm events on a
# pseudo-terminal, and lists all its objects when it is stopped: that list goes to a file.
wineserver -p 2>"$BUILD_DIR/wineserver.log"
# Start Wine's own services now, outside ctest: they would otherwise inherit its output pipes
# and keep ctest waiting after the last test ended.
env LC_ALL=$WINE_LOCALE wine cmd /c exit >/dev/null 2>&1 </dev/null
trap 'stop_pty_pair; wineserver -k 2>/dev/null; stop_display' EXIT
# The real serial path's test runs its connection on one end and plays the device on the other.
start_pty_pair 7 8

log="$BUILD_DIR/test-output.log"
(cd "$BUILD_DIR" && env LC_ALL=$WINE_LOCALE ctest -V --timeout 900 -j "${TEST_JOBS:-2}" "$@") >"$log" 2>&1
rc=$?
# Each executable's own summary, then ctest's closing lines (full output on failure).
grep -E '^\s*[0-9]+/[0-9]+ Test|\[  (PASSED|FAILED)  \]|\[==========\] [0-9]+ tests? from' "$log" || true
if [ $rc -ne 0 ]; then
    echo "---- output of the failing tests ----"
    grep -E '\[  FAILED  \]|Failure|error:|Expected|Which is|Value of|Actual|^[0-9]+: ' "$log" | grep -vE '^[0-9]+: \[ (RUN|      OK) ' | head -300
    echo "(whole output: $log)"
fi
tail -n 4 "$log"
exit $rc
