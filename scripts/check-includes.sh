#!/usr/bin/env bash
# Fails when a source includes a header from a folder it may not stand on. The program's
# folders stand on each other in one direction; each line below names a folder and the
# folders it may include from (besides itself). A test folder may include from the folder
# it tests, from what that folder may include, and from tests/support.
set -u
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top" || exit 2

declare -A allowed=(
    [classlib]=""
    [res]=""
    [uifw]="classlib res"
    [records]="classlib"
    [comm]="classlib records"
    [log]="classlib res records uifw"
    [editors]="classlib res records uifw"
    [shell]="classlib res uifw records comm log editors"
    [tests/support]="classlib"
)
folders="classlib res uifw records comm log editors shell"

# Where each header of the program lives (header names are unique across the program).
declare -A home
for f in $folders; do
    [ -d "$f" ] || continue
    while IFS= read -r h; do home[${h##*/}]=$f; done < <(find "$f" -name '*.h')
done

# The folder a test folder tests: tests/uifw_popup tests uifw, tests/classlib_win classlib.
tested() { local d=${1#tests/}; echo "${d%%_*}"; }

bad=0
# Every quoted include of the files, read in one pass: "file:included name" lines.
includes_of() {
    find "$@" \( -name '*.c' -o -name '*.cpp' -o -name '*.h' -o -name '*.rc' \) -print0 |
        xargs -0 -r grep -H -o -E '^[[:space:]]*#[[:space:]]*include[[:space:]]*"[^"]*"' |
        sed 's/:[^"]*"\([^"]*\)"$/:\1/'
}

check_folder() {   # the folder whose rules apply, the folders it may include from, the files' folder
    local self=$1 ok=" $2 " file name target
    while IFS=: read -r file name; do
        target=${home[${name##*/}]:-}
        [ -z "$target" ] || [ "$target" = "$self" ] && continue
        case "$ok" in *" $target "*) continue ;; esac
        echo "include across folders: $file includes \"$name\" from $target/" >&2
        bad=1
    done < <(includes_of "$3")
}

for f in $folders tests/support; do
    [ -d "$f" ] && check_folder "$f" "${allowed[$f]}" "$f"
done
for d in tests/*/; do
    d=${d%/}
    [ "$d" = tests/support ] && continue
    lib=$(tested "$d")
    [ -n "${allowed[$lib]+x}" ] || continue
    check_folder "$lib" "${allowed[$lib]}" "$d"
done
exit $bad
