#!/usr/bin/env bash
# The run command: set up the machine, build what the program needs, and start Korvane under
# Wine in the run command's own prefix and working folder, build/work (where it looks for
# "auto.kvr" and script DLLs and writes its logs), on the display DISPLAY names or, without one,
# on a hidden display of its own, which it names.
#
# run.sh --smoke runs the program once end to end instead, in the tests' prefix and folders of
# its own, so nothing a user made with the run command is touched: a pseudo-terminal pair with
# COM1 of the prefix on one end, a start-up set "Smoke" on port 1 with the hourly log on, bytes
# written to the other end, which must reach the hourly file, and a close by WM_CLOSE that must
# end the program with 0; then a first start with no key in an empty folder.
# run.sh --pty-modem starts the program with the modem-line library (scripts/ptymodem.c)
# preloaded, which a COM port mapped to a pseudo-terminal needs; real serial devices pass
# through it untouched.
# KORVANE_BUILT=1 skips the set-up and the build (the tests run it on a finished build).
set -euo pipefail
source "$(dirname "$0")/env.sh"
if [ "${1:-}" != "--smoke" ]; then
    export WINEPREFIX="$RUN_PREFIX"
fi
if [ -z "${KORVANE_BUILT:-}" ]; then
    bash "$here/scripts/setup.sh"
    # Only what runs is built: the program with lua51.dll, and for the smoke road its two
    # helpers (the test executables, the fuzzers and the benchmark are the test command's).
    if [ "${1:-}" = "--smoke" ]; then
        configure_and_build --target korvane kvrclose kvrsmokeset
    else
        configure_and_build --target korvane
    fi
fi
exe="$PROGRAM_DIR/korvane.exe"
# Wine's lines that tell of no fault are not shown: its 64-bit helpers cannot load the 32-bit
# modem-line library and say so on every start of a program that preloads it, and every file
# dialog finds that the drive Z: (the Linux root) has no volume label or serial number.
without_wine_notes() {
    "$@" 2> >(grep -v -e 'wrong ELF class' -e 'FS volume label and serial are not available' >&2)
}

if [ "${1:-}" != "--smoke" ]; then
    mkdir -p "$RUN_WORK"
    # Without a display of the user's the window goes to one of our own, which nobody sees
    # unless told where it is.
    if [ -z "${DISPLAY:-}" ]; then
        start_display
        # Wine's own processes of the prefix (its services, the desktop's explorer) end a few
        # seconds after the program and use the display until then: stopped before them, they
        # would report its loss.
        trap 'timeout 30 wineserver -w 2>/dev/null || true; stop_display' EXIT
        if [ -n "${DISPLAY:-}" ]; then
            echo "run: no DISPLAY given: the program shows on a hidden display of its own, $DISPLAY, until it ends"
            echo "run: a picture of it: import -display $DISPLAY -window root x.png; to see and use the window, give a DISPLAY"
        fi
    fi
    preload=()
    if [ "${1:-}" = "--pty-modem" ]; then preload=(LD_PRELOAD="$PTY_MODEM_LIB"); fi
    cd "$RUN_WORK" && without_wine_notes env LC_ALL=$WINE_LOCALE "${preload[@]}" wine "$exe"
    rc=$?
    # The program removes the DLL copies' folders of earlier starts, but not its own: its copies
    # stay mapped until it has ended, and then the system has removed them and left the folder
    # empty. An instance still running keeps a file in its own.
    find "$WINEPREFIX/drive_c/users" -maxdepth 7 -type d -path '*/korvane-dlls/*' -empty -delete 2>/dev/null
    exit $rc
fi
work="$BUILD_DIR/smoke-work"

fail() { echo "smoke: $*" >&2; exit 1; }
# Waits (at most 30 s) until a top-level window of that title shows.
wait_for_window() {
    for _ in $(seq 300); do
        if xwininfo -root -tree 2>/dev/null | grep -q "\"$1\""; then return 0; fi
        sleep 0.1
    done
    return 1
}
# The prefix's server may be the test command's, running its tests: it is used as it is and
# left running; a server this road starts ends with it.
own_server=
trap 'stop_pty_pair; [ -n "$own_server" ] && wineserver -k 2>/dev/null; stop_display' EXIT
start_display
if wineserver -p 2>/dev/null; then own_server=1; fi
env LC_ALL=$WINE_LOCALE wine cmd /c exit >/dev/null 2>&1 </dev/null
start_pty_pair 1 9 || fail "no pseudo-terminal pair"
rm -rf "$work" && mkdir -p "$work/hourly"
key='HKCU\Software\Pellandor\Korvane\CMN'
env LC_ALL=$WINE_LOCALE wine reg delete 'HKCU\Software\Pellandor\Korvane' /f >/dev/null 2>&1 || true
env LC_ALL=$WINE_LOCALE wine reg add "$key" /v AUTO /t REG_DWORD /d 1 /f >/dev/null 2>&1
env LC_ALL=$WINE_LOCALE wine reg add "$key" /v PATH /t REG_SZ /d 'Z:'"${work//\//\\}"'\hourly' /f >/dev/null 2>&1
(cd "$work" && env LC_ALL=$WINE_LOCALE wine "$TEST_BIN/kvrsmokeset.exe" auto.kvr Smoke 1) || fail "no start-up set"
(cd "$work" && without_wine_notes env LC_ALL=$WINE_LOCALE LD_PRELOAD="$PTY_MODEM_LIB" wine "$exe") &
pid=$!
wait_for_window "Smoke - Korvane" || { kill "$pid" 2>/dev/null; fail "no window \"Smoke - Korvane\""; }
sleep 1
printf 'KVRSMOKE' >"$PTY_PAIR_DIR/end2"
found=
for _ in $(seq 300); do
    if grep -rqa KVRSMOKE "$work/hourly" 2>/dev/null; then found=1; break; fi
    sleep 0.1
done
(cd "$work" && env LC_ALL=$WINE_LOCALE wine "$TEST_BIN/kvrclose.exe" "Smoke - Korvane") || fail "close helper found no window"
rc=0
wait "$pid" || rc=$?
[ -n "$found" ] || fail "the hourly file never held the bytes"
[ "$rc" -eq 0 ] || fail "the program ended with $rc"

# A first start: no key and an empty folder give the default set, and a close leaves the
# settings, the bar layout and the command profile behind.
root='HKCU\Software\Pellandor\Korvane'
first="$BUILD_DIR/smoke-first"
rm -rf "$first" && mkdir -p "$first"
env LC_ALL=$WINE_LOCALE wine reg delete "$root" /f >/dev/null 2>&1 || true
(cd "$first" && env LC_ALL=$WINE_LOCALE wine "$exe") &
pid=$!
wait_for_window "Default - Korvane" || { kill "$pid" 2>/dev/null; fail "no window \"Default - Korvane\" on a first start"; }
(cd "$first" && env LC_ALL=$WINE_LOCALE wine "$TEST_BIN/kvrclose.exe" "Default - Korvane") || fail "close helper found no window"
rc=0
wait "$pid" || rc=$?
[ "$rc" -eq 0 ] || fail "the first start ended with $rc"
env LC_ALL=$WINE_LOCALE wine reg query "$root\CMN" /v VER >/dev/null 2>&1 || fail "no CMN VER after a first start"
for sub in ControlBar CommandManager; do
    env LC_ALL=$WINE_LOCALE wine reg query "$root\\VaviRIZ227\\Profiles\\Korvane\\$sub" >/dev/null 2>&1 ||
        fail "no $sub after a first start"
done
echo "smoke: ok"
