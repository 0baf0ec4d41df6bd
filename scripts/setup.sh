#!/usr/bin/env bash
# Installs what a fresh Debian machine lacks to build and run Korvane, fetches the Lua
# sources into the build tree and prepares the Wine prefix. Idempotent: a second run on a
# ready machine only checks.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
BUILD_DIR=${BUILD_DIR:-$here/build}
mkdir -p "$BUILD_DIR"

packages=(g++-mingw-w64-i686-posix mingw-w64-tools cmake make wine wine64 wine32:i386
          xvfb xauth x11-apps x11-utils imagemagick fonts-ipafont-gothic fonts-ipafont-mincho fonts-wine
          fonts-horai-umefont
          googletest dpkg-dev locales socat gcc-multilib)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

# A fresh machine often runs its automatic upgrades right after boot, holding the package
# locks for minutes: apt-get waits for them (at most lock_wait seconds) instead of ending at
# once, and says so. It waits by itself for dpkg's locks, not for the package lists' lock of an
# update; the locks are where the machine's apt configuration puts them.
lock_wait=900
eval "$(apt-config shell apt_lists Dir::State::lists/d apt_status Dir::State::status/f apt_archives Dir::Cache::archives/d)"
apt_admin=$(dirname "$apt_status")
package_locks=("${apt_lists}lock" "$apt_admin/lock-frontend" "$apt_admin/lock" "${apt_archives}lock")
package_lock_held() {
    lslocks -n -r -o PATH 2>/dev/null | grep -qxF -f <(printf '%s\n' "${package_locks[@]}")
}
say_waiting() {
    [ -n "${said_waiting:-}" ] && return 0
    echo "setup: another package manager holds the package lock; waiting for it (at most $((lock_wait / 60)) minutes)" >&2
    said_waiting=1
}
run_apt_get() {
    local deadline=$((SECONDS + lock_wait)) rc err
    err=$(mktemp)
    while :; do
        if package_lock_held; then
            say_waiting
            while package_lock_held && [ $SECONDS -lt $deadline ]; do sleep 2; done
        fi
        rc=0
        LC_ALL=C apt-get -o DPkg::Lock::Timeout=$lock_wait "$@" 2>"$err" || rc=$?
        # Another package manager can take a lock between the look above and apt-get's own
        # try, and apt-get does not wait for the lists' lock: it tries again.
        if [ $rc -ne 0 ] && grep -qE 'Could not get lock|Unable to lock' "$err" && [ $SECONDS -lt $deadline ]; then
            say_waiting
            sleep 2
            continue
        fi
        cat "$err" >&2
        apt_errors=$(cat "$err")
        rm -f "$err"
        return $rc
    done
}

have_src_list() { grep -rqs '^Types: deb-src' /etc/apt/sources.list.d/; }

if ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
    need_update=1
fi
if ! have_src_list; then
    sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources \
        > /etc/apt/sources.list.d/debian-src.sources
    need_update=1
fi
lua_tar=$(ls "$BUILD_DIR"/_deps/lua5.1_5.1.5.orig.tar.gz 2>/dev/null || true)
if [ ${#missing[@]} -gt 0 ] || [ -z "$lua_tar" ]; then
    if [ -n "${need_update:-}" ] || [ ${#missing[@]} -gt 0 ] || [ -z "$lua_tar" ]; then
        # A mirror caught in its sync fails an index or two: the lists there are still serve
        # whatever is already known, and a package or source they lack fails below, by name.
        run_apt_get update -qq || echo "setup: the package lists were not all updated; going on with those there are" >&2
    fi
fi
install_missing() {
    DEBIAN_FRONTEND=noninteractive run_apt_get install -y -qq --no-install-recommends "$@" "${missing[@]}" >/dev/null
}
if [ ${#missing[@]} -gt 0 ]; then
    echo "setup: installing ${missing[*]}"
    if ! install_missing; then
        # A suite whose list of one architecture failed to update (a mirror in its sync) leaves
        # that architecture on the release's older versions while the other takes the suite's
        # newer ones; a library installed for both (wine32 needs many) must have one version on
        # both, so apt finds no solution. Preferring the machine's own release gives them one.
        codename=$(. /etc/os-release 2>/dev/null && echo "${VERSION_CODENAME:-}")
        retried=
        if [ -n "$codename" ] && grep -q 'Unable to correct problems' <<<"${apt_errors:-}"; then
            echo "setup: the install could not be resolved; trying once more, preferring the release $codename" >&2
            retried=1
        fi
        if [ -z "$retried" ] || ! install_missing -t "$codename"; then
            echo "setup: the packages could not be installed (apt-get's errors above). A package mirror" \
                 "in the middle of its sync can leave the package lists incomplete for hours: run" \
                 "'apt-get update' again later, then this command again." >&2
            exit 1
        fi
    fi
fi

# Lua 5.1.5 sources, unchanged, from Debian's source package; kept in the build tree only.
mkdir -p "$BUILD_DIR/_deps"
if [ ! -f "$BUILD_DIR/_deps/lua-5.1.5/src/lapi.c" ]; then
    (cd "$BUILD_DIR/_deps" && apt-get source --download-only -qq lua5.1 >/dev/null 2>&1 || true)
    tarball=$(ls "$BUILD_DIR"/_deps/lua5.1_5.1.5.orig.tar.gz)
    tar -xzf "$tarball" -C "$BUILD_DIR/_deps"
fi

# A Japanese UTF-8 locale of the build's own: Wine converts file names through the host's
# locale, and without it no file or folder with a Japanese name can be created or opened.
if [ ! -f "$BUILD_DIR/locale/ja_JP.UTF-8/LC_CTYPE" ]; then
    mkdir -p "$BUILD_DIR/locale"
    localedef -i ja_JP -f UTF-8 "$BUILD_DIR/locale/ja_JP.UTF-8" >/dev/null 2>&1 || true
fi

source "$here/scripts/i386.sh"
ensure_i386_programs || exit 1

# A Wine prefix of the build's own (the one the calling script chose), with the Japanese font
# names mapped to the IPA fonts. A fixed-pitch font that names no face gets Wine's default
# fixed face, "Courier New"; unmapped, that is IPAGothic, whose low line "_" rounds to no pixel
# at 12 and 18 pixels (the program's edits and editors would show "hi_there" as "hi there").
# Ume Gothic has IPAGothic's cell sizes and draws it inside the cell at every size.
export WINEPREFIX="${WINEPREFIX:-$BUILD_DIR/testprefix}" WINEDEBUG=-all WINEARCH=win64
if [ ! -f "$WINEPREFIX/system.reg" ] || [ ! -f "$WINEPREFIX/.korvane-prefix-4" ]; then
    echo "setup: preparing the Wine prefix"
    wineboot -i >/dev/null 2>&1 || true
    timeout 60 wineserver -w || true
    reg="$BUILD_DIR/_deps/fonts.reg"
    printf 'REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n' > "$reg"
    printf '"ＭＳ ゴシック"="IPAGothic"\r\n"ＭＳ Ｐゴシック"="IPAPGothic"\r\n"MS UI Gothic"="IPAPGothic"\r\n"ＭＳ 明朝"="IPAMincho"\r\n"MS Gothic"="IPAGothic"\r\n"MS PGothic"="IPAPGothic"\r\n"MS Mincho"="IPAMincho"\r\n' >> "$reg"
    printf '"Courier New"="Ume Gothic"\r\n' >> "$reg"
    # Without a window manager Wine waits for every managed top-level window that hides.
    printf '\r\n[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]\r\n"Managed"="N"\r\n' >> "$reg"
    # A program that crashes ends at once with its fault on the output: the automatic debugger
    # would wait, holding a test run until its time-out.
    printf '\r\n[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\AeDebug]\r\n"Debugger"=""\r\n' >> "$reg"
    # regedit reads a REGEDIT4 file in the ANSI code page: convert to CP932 and run in it.
    iconv -f UTF-8 -t CP932 "$reg" > "$reg.932"
    env LC_ALL=ja_JP.UTF-8 wine regedit "$(winepath -w "$reg.932" 2>/dev/null)" >/dev/null 2>&1 || true
    timeout 60 wineserver -w || true
    touch "$WINEPREFIX/.korvane-prefix-4"
fi
echo "setup: ready"
