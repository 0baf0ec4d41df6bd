#!/usr/bin/env bash
# Runs a test executable in a Wine session of its own: its own display and its own Wine server
# on a copy of the tests' prefix. Such a run takes nothing of the shared display's cursor,
# focus or foreground window, so it goes on beside the executables that take turns there.
# Usage: apart.sh EXECUTABLE [ARGUMENTS...], from ctest, inside the test command's session.
set -uo pipefail
source "$(dirname "$0")/env.sh"
apart="$BUILD_DIR/testprefix-apart-$$"
rm -rf "$apart"
# Wine's own files are only read, so links do; the registry files are written by replacing
# them, but are copied anyway so that nothing this run does reaches the shared prefix.
cp -al "$TEST_PREFIX" "$apart" || exit 1
for reg in "$apart"/*.reg; do cp --remove-destination "$TEST_PREFIX/${reg##*/}" "$reg"; done
rm -f "$apart"/dosdevices/com*
export WINEPREFIX="$apart"
unset DISPLAY_NUM
start_display
trap 'wineserver -k 2>/dev/null; stop_display; rm -rf "$apart"' EXIT
wineserver -p 2>/dev/null
# Wine's services start outside the test's output pipes (see start_wine_session).
env LC_ALL=$WINE_LOCALE wine cmd /c exit >/dev/null 2>&1 </dev/null
env LC_ALL=$WINE_LOCALE wine "$@"
