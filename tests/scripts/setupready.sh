# Sourced by the set-up's tests: a build folder and Wine prefix under $1 in which the set-up finds
# Lua's sources, the locale and a prepared prefix (with the set-up's own stamp, whichever it is
# now), so that only its package steps have work.
ready_build_folder() {
    local stamp
    stamp=$(grep -o -m1 '\.korvane-prefix-[0-9]*' "$here/scripts/setup.sh")
    mkdir -p "$1/build/_deps/lua-5.1.5/src" "$1/build/locale/ja_JP.UTF-8" "$1/prefix"
    touch "$1/build/_deps/lua-5.1.5/src/lapi.c" "$1/build/locale/ja_JP.UTF-8/LC_CTYPE" \
          "$1/prefix/system.reg" "$1/prefix/$stamp"
}
