#!/usr/bin/env bash
# The set-up's package step as on a fresh machine: every package reported missing (a stand-in
# dpkg-query), the install simulated against an empty dpkg status, the package lists updated for
# real. It must get through whether the mirror's lists are whole or one architecture's list of a
# suite is stale (a mirror in its sync), where apt cannot resolve the install as first asked.
# Then, with a stand-in apt-get that can never resolve it, the set-up says what happened and
# what the user can do, and fails.
set -u
here=$(cd "$(dirname "$0")/../.." && pwd)
source "$here/tests/scripts/setupready.sh"
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
fail() { echo "FAILED: $*"; exit 1; }

ready_build_folder "$dir"
mkdir -p "$dir/bin"
printf '#!/bin/sh\nexit 1\n' >"$dir/bin/dpkg-query"
chmod +x "$dir/bin/dpkg-query"
: >"$dir/status"
printf 'Dir::State::status "%s";\nAPT::Get::Simulate "true";\n' "$dir/status" >"$dir/apt.conf"
setup() {
    PATH="$dir/bin:$PATH" APT_CONFIG="$dir/apt.conf" BUILD_DIR="$dir/build" WINEPREFIX="$dir/prefix" \
        bash "$here/scripts/setup.sh" 2>&1
}

out=$(setup)
rc=$?
echo "$out"
[ $rc -eq 0 ] && grep -qx "setup: ready" <<<"$out" || fail "fresh machine: the set-up ended with $rc"

# Every install fails as the stale mirror's does; the stand-in notes each call's arguments.
cat >"$dir/bin/apt-get" <<STUB
#!/bin/sh
echo "\$*" >>"$dir/calls"
case " \$* " in *" install "*)
    echo "E: Unable to correct problems, you have held broken packages." >&2; exit 100;; esac
exit 0
STUB
chmod +x "$dir/bin/apt-get"
out=$(setup)
rc=$?
echo "$out"
[ $rc -ne 0 ] || fail "unresolvable: the set-up ended with 0"
codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
installs=$(grep -c ' install ' "$dir/calls")
[ "$installs" -eq 2 ] || fail "unresolvable: $installs installs tried, not 2"
grep ' install ' "$dir/calls" | tail -n 1 | grep -q -- "-t $codename " ||
    fail "unresolvable: the second install did not prefer $codename"
[ "$(grep -c '^E: Unable to correct problems' <<<"$out")" -eq 2 ] || fail "unresolvable: apt's errors hidden"
grep -q "preferring the release $codename" <<<"$out" || fail "unresolvable: the retry was not said"
grep -q "run 'apt-get update' again later" <<<"$out" || fail "unresolvable: no word of what to do"
echo "setup packages: ok"
