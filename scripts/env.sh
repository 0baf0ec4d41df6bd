# Sourced by the scripts: the build folder, its Wine prefix and the Japanese code page.
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export BUILD_DIR=${BUILD_DIR:-$here/build}
# The program's folder holds what the program ships (korvane.exe, lua51.dll); the test
# executables, the tests' DLLs and helpers and the benchmark live in a folder of their own.
export PROGRAM_DIR="$BUILD_DIR/bin"
export TEST_BIN="$BUILD_DIR/testbin"
# Two Wine prefixes of the build's own. The run command's holds what a user made: the program's
# settings and layout in its registry. The tests' (the test command, the smoke road, the
# benchmark) is emptied and filled by the tests as they like. Scripts work in the tests' one
# unless they choose the run command's.
export RUN_PREFIX="$BUILD_DIR/wineprefix"
export TEST_PREFIX="$BUILD_DIR/testprefix"
export WINEPREFIX="$TEST_PREFIX"
# The run command's working folder, where the user's start-up set, logs and scripts live.
export RUN_WORK="$BUILD_DIR/work"
export WINEDEBUG=-all
# Wine's ANSI code page follows LC_ALL: ja_JP gives code page 932 (no glibc locale needed,
# so it is set only for the commands that start Wine, where bash does not try to use it).
export WINE_LOCALE=ja_JP.UTF-8
export LOCPATH="$BUILD_DIR/locale"
export JOBS=${JOBS:-$(nproc)}
# The preload library that gives pseudo-terminals modem lines in the 32-bit Wine process
# (scripts/ptymodem.c); a program started with it in LD_PRELOAD can run connections on COM
# ports mapped to a pseudo-terminal pair.
export PTY_MODEM_LIB="$BUILD_DIR/ptymodem/ptymodem.so"
source "$here/scripts/i386.sh"

configure_and_build() {
    build_pty_modem || return 1
    cmake -S "$here" -B "$BUILD_DIR" -DCMAKE_TOOLCHAIN_FILE="$here/cmake/mingw-i686.cmake" \
          -DCMAKE_BUILD_TYPE=${BUILD_TYPE:-RelWithDebInfo} -DKORVANE_PTY_MODEM_LIB="$PTY_MODEM_LIB" \
          >"$BUILD_DIR/configure.log" 2>&1 ||
        { cat "$BUILD_DIR/configure.log"; return 1; }
    cmake --build "$BUILD_DIR" -j "$JOBS" "$@"
}

# Built with the host compiler for i386, since Wine runs the 32-bit program in a 32-bit process.
build_pty_modem() {
    local src="$here/scripts/ptymodem.c"
    [ "$PTY_MODEM_LIB" -nt "$src" ] && return 0
    mkdir -p "$(dirname "$PTY_MODEM_LIB")"
    gcc -m32 -shared -fPIC -O2 -Wall -Wextra -o "$PTY_MODEM_LIB" "$src" -ldl
}

# A pseudo-terminal pair with COM ports $1 and $2 of the build's Wine prefix mapped to its two
# ends; the variable named by $3 (KORVANE_PTY_COMS when not given) names the two ports for the
# programs started afterwards, and PTY_PAIR_DIR holds the ends' links. The links live in the
# build folder, so runs of other build folders (each with its own prefix) never meet. Several
# pairs may run at once; stop_pty_pair stops them all. Start them after Wine's services are
# up: their start renews the prefix's COM links.
#
# A pair that ends is made again at once on new pseudo-terminals behind the same links, as a
# device pulled out and put back: a test that plays a lost device ends the pair's socat, whose
# process id is in the file that the variable ${3}_SOCAT (KORVANE_PTY_COMS_SOCAT) names.
PTY_PAIRS=()
start_pty_pair() {
    local dir="$BUILD_DIR/pty-$1-$2" dos="$WINEPREFIX/dosdevices" var=${3:-KORVANE_PTY_COMS} pid
    rm -rf "$dir"
    mkdir -p "$dir"
    (
        trap 'kill "$socat" 2>/dev/null; wait "$socat" 2>/dev/null; exit 0' TERM
        while :; do
            socat pty,raw,echo=0,link="$dir/end1" pty,raw,echo=0,link="$dir/end2" >>"$dir/socat.log" 2>&1 &
            socat=$!
            echo "$socat" >"$dir/socat.pid"
            wait "$socat"
            sleep 0.2
        done
    ) &
    pid=$!
    PTY_PAIRS+=("$pid $1 $2 $dir $var")
    for _ in $(seq 100); do [ -e "$dir/end1" ] && [ -e "$dir/end2" ] && break; sleep 0.05; done
    if ! [ -e "$dir/end1" ] || ! [ -e "$dir/end2" ]; then
        echo "warning: socat made no pseudo-terminal pair" >&2
        cat "$dir/socat.log" >&2
        return 1
    fi
    ln -sfn "$dir/end1" "$dos/com$1"
    ln -sfn "$dir/end2" "$dos/com$2"
    PTY_PAIR_DIR=$dir
    export "$var=$1 $2" "${var}_SOCAT=$dir/socat.pid"
}

stop_pty_pair() {
    local entry pid a b dir var
    for entry in "${PTY_PAIRS[@]}"; do
        read -r pid a b dir var <<<"$entry"
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
        rm -f "$WINEPREFIX/dosdevices/com$a" "$WINEPREFIX/dosdevices/com$b"
        rm -rf "$dir"
        unset "$var" "${var}_SOCAT"
    done
    PTY_PAIRS=()
    PTY_PAIR_DIR=
}

# What the programs of the test command run in: a private display, a Wine server kept for the
# whole run, Wine's own services, and the pseudo-terminal pair on COM7 and COM8 (the real
# serial path runs its connection on one end and plays the device on the other). Everything
# is stopped when the calling script exits.
start_wine_session() {
    start_display
    # Wine 8's server keeps an object of every process that waited for comm events on a
    # pseudo-terminal, and lists all its objects when it is stopped: that list goes to a file.
    wineserver -p 2>"$BUILD_DIR/wineserver.log"
    # Start Wine's own services now, outside ctest: they would otherwise inherit its output
    # pipes and keep ctest waiting after the last test ended.
    env LC_ALL=$WINE_LOCALE wine cmd /c exit >/dev/null 2>&1 </dev/null
    trap 'stop_pty_pair; wineserver -k 2>/dev/null; stop_display' EXIT
    start_pty_pair 7 8
}

# A private X display for the windows of the program and the tests.
start_display() {
    local n tries
    # Several test runs may start at once on one machine: a display whose server did not stay
    # up (another run took the number first) is given up for the next free number.
    for tries in $(seq 20); do
        n=${DISPLAY_NUM:-}
        if [ -z "$n" ]; then
            for n in $(seq 90 140); do
                [ -e /tmp/.X11-unix/X$n ] || [ -e /tmp/.X$n-lock ] || break
            done
        fi
        Xvfb :$n -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
        XVFB_PID=$!
        for _ in $(seq 50); do
            [ -e /tmp/.X11-unix/X$n ] && break
            kill -0 "$XVFB_PID" 2>/dev/null || break
            sleep 0.1
        done
        sleep 0.2
        if kill -0 "$XVFB_PID" 2>/dev/null && [ -e /tmp/.X11-unix/X$n ]; then
            export DISPLAY=:$n
            return 0
        fi
        [ -n "${DISPLAY_NUM:-}" ] && break
    done
    # Window tests fail in puzzling ways without a display: say so plainly.
    echo "warning: Xvfb did not start" >&2
}

stop_display() {
    [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null || true
}

# What a user made with the run command, as text: whether its prefix exists, the program's
# registry keys in it (with the times they were written), and every file of its working
# folder with a checksum. The tests compare it before and after.
run_world_fingerprint() {
    if [ -f "$RUN_PREFIX/user.reg" ]; then
        echo "prefix"
        awk '/^\[/ { keep = ($0 ~ /^\[Software\\\\Pellandor/) } keep' "$RUN_PREFIX/user.reg"
    else
        echo "no prefix"
    fi
    if [ -d "$RUN_WORK" ]; then
        (cd "$RUN_WORK" && find . -type f -print0 | sort -z | xargs -0 -r md5sum)
    else
        echo "no work folder"
    fi
}
