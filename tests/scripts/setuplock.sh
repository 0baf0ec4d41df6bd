#!/usr/bin/env bash
# The set-up waits while another package manager holds the package lists' lock (which apt-get
# itself would not wait for) and says so, rather than ending with apt-get's lock error. It runs
# on an apt configuration of its own (lists, cache and lock in a folder here, no sources), in a
# build folder that lacks only the Lua sources' archive, so that its one step is an update.
set -u
here=$(cd "$(dirname "$0")/../.." && pwd)
dir=$(mktemp -d)
holder=
trap '[ -n "$holder" ] && kill "$holder" 2>/dev/null; rm -rf "$dir"' EXIT
fail() { echo "FAILED: $*"; exit 1; }

source "$here/tests/scripts/setupready.sh"
mkdir -p "$dir/lists/partial" "$dir/cache/archives/partial" "$dir/parts"
ready_build_folder "$dir"
cat >"$dir/apt.conf" <<EOF
Dir::State::Lists "$dir/lists";
Dir::Cache "$dir/cache";
Dir::Etc::SourceList "/dev/null";
Dir::Etc::SourceParts "$dir/parts";
EOF

# apt's locks are record locks; the holder says when it has the lock, keeps it until it is told
# to let go, and says when it lets it go (just before it does). It is told a moment after the
# set-up has said that it waits (or has ended), however slow the machine: a fixed time ran out
# before a set-up on two busy cores reached apt. The set-up waits whether its look sees the lock
# or the lock is taken only after its look (here: a lock list that shows nothing).
mkdir -p "$dir/blind"
printf '#!/bin/sh\nexit 0\n' >"$dir/blind/lslocks"
chmod +x "$dir/blind/lslocks"
for look in seen "taken after the look"; do
    rm -f "$dir/held" "$dir/letgo" "$dir/released" "$dir/out" "$dir/end"
    perl -MFcntl -e 'open(my $f, ">>", $ARGV[0]) or die "open: $!";
                     my $l = pack("s s x4 q q i x4", F_WRLCK, 0, 0, 0, 0);
                     fcntl($f, F_SETLK, $l) or die "lock: $!";
                     open(my $r, ">", $ARGV[1]) or die; close $r;
                     select(undef, undef, undef, 0.1) until -e $ARGV[2];
                     open($r, ">", $ARGV[3]) or die; close $r' \
         "$dir/lists/lock" "$dir/held" "$dir/letgo" "$dir/released" &
    holder=$!
    while ! [ -e "$dir/held" ] && kill -0 "$holder" 2>/dev/null; do sleep 0.1; done
    [ -e "$dir/held" ] || fail "the lock holder never took the lock"
    path=$PATH
    [ "$look" = seen ] || path="$dir/blind:$PATH"
    (
        PATH="$path" APT_CONFIG="$dir/apt.conf" BUILD_DIR="$dir/build" WINEPREFIX="$dir/prefix" \
            bash "$here/scripts/setup.sh" >"$dir/out" 2>&1
        rc=$?
        # Whether the lock was still held as the set-up ended, and how it ended.
        [ -e "$dir/released" ] && echo "$rc let go" >"$dir/end" || echo "$rc held" >"$dir/end"
    ) &
    while ! grep -q "waiting for it" "$dir/out" 2>/dev/null && ! [ -e "$dir/end" ]; do sleep 0.1; done
    sleep 2
    touch "$dir/letgo"
    wait "$holder"
    holder=
    wait
    cat "$dir/out"
    read -r rc lock <"$dir/end"
    [ "$lock" != held ] || fail "lock $look: the set-up ended while the lock was still held"
    [ "$rc" -eq 0 ] || fail "lock $look: the set-up ended with $rc"
    grep -q "waiting for it" "$dir/out" || fail "lock $look: the set-up did not say that it waits"
done
echo "setup lock: ok"
