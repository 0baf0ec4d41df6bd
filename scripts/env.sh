# Sourced by the scripts: the build folder, its Wine prefix and the Japanese code page.
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export BUILD_DIR=${BUILD_DIR:-$here/build}
export WINEPREFIX="$BUILD_DIR/wineprefix"
export WINEDEBUG=-all
# Wine's ANSI code page follows LC_ALL: ja_JP gives code page 932 (no glibc locale needed,
# so it is set only for the commands that start Wine, where bash does not try to use it).
export WINE_LOCALE=ja_JP.UTF-8
export LOCPATH="$BUILD_DIR/locale"
export JOBS=${JOBS:-$(nproc)}

configure_and_build() {
    cmake -S "$here" -B "$BUILD_DIR" -DCMAKE_TOOLCHAIN_FILE="$here/cmake/mingw-i686.cmake" \
          -DCMAKE_BUILD_TYPE=${BUILD_TYPE:-RelWithDebInfo} >"$BUILD_DIR/configure.log" 2>&1 ||
        { cat "$BUILD_DIR/configure.log"; return 1; }
    cmake --build "$BUILD_DIR" -j "$JOBS" "$@"
}

# A private X display for the windows of the program and the tests.
start_display() {
    local n=${DISPLAY_NUM:-}
    if [ -z "$n" ]; then
        for n in $(seq 90 140); do
            [ -e /tmp/.X11-unix/X$n ] || [ -e /tmp/.X$n-lock ] || break
        done
    fi
    Xvfb :$n -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    XVFB_PID=$!
    export DISPLAY=:$n
    for _ in $(seq 50); do [ -e /tmp/.X11-unix/X$n ] && break; sleep 0.1; done
    # Window tests fail in puzzling ways without a display: say so plainly.
    [ -e /tmp/.X11-unix/X$n ] || echo "warning: Xvfb did not start on :$n" >&2
}

stop_display() {
    [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null || true
}
