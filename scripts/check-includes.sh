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
    [uifw]="classlib"
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
    while IFS= read -r h; do home[$(basename "$h")]=$f; done < <(find "$f" -name '*.h')
done

# The folder a test folder tests: tests/uifw_popup tests uifw, tests/classlib_win classlib.
tested() { local d=${1#tests/}; echo "${d%%_*}"; }

bad=0
check_file() {   # file, its folder, the folders it may include from
    local file=$1 self=$2 ok=" $3 " name target
    while IFS= read -r name; do
        target=${home[$(basename "$name")]:-}
        [ -z "$target" ] || [ "$target" = "$self" ] && continue
        case "$ok" in *" $target "*) continue ;; esac
        echo "include across folders: $file includes \"$name\" from $target/" >&2
        bad=1
    done < <(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\)".*/\1/p' "$file")
}

for f in $folders tests/support; do
    [ -d "$f" ] || continue
    while IFS= read -r file; do check_file "$file" "$f" "${allowed[$f]}"; done \
        < <(find "$f" -name '*.c' -o -name '*.cpp' -o -name '*.h' -o -name '*.rc')
done
for d in tests/*/; do
    d=${d%/}
    [ "$d" = tests/support ] && continue
    lib=$(tested "$d")
    [ -n "${allowed[$lib]+x}" ] || continue
    while IFS= read -r file; do check_file "$file" "$lib" "${allowed[$lib]}" ; done \
        < <(find "$d" -name '*.cpp' -o -name '*.h' -o -name '*.rc')
done
exit $bad
