# Sourced by env.sh and setup.sh: 32-bit programs on a machine whose processor runs none.
#
# Some virtual machines run 64-bit user code only (the kernel says "IA-32 emulation off", and an
# i386 program fails with "Exec format error"): 32-bit Wine, and with it the program, cannot run
# there. Set-up then has qemu's user-mode emulator run every i386 program (binfmt_misc, as root).
# Debian 12's own qemu (7.2) will not do: under it 32-bit Wine takes about 50 s to start a
# process (it ignores MAP_FIXED_NOREPLACE, so Wine's reservation of its address space takes
# thousands of tries) and a process that starts a few threads at once faults. Its backports carry
# qemu 10, which runs both as a processor would. On every other machine nothing here does anything.

qemu_i386=/usr/bin/qemu-i386

# Whether i386 programs run through the emulator on this machine, and through which.
i386_emulator() {
    [ "$(head -n 1 /proc/sys/fs/binfmt_misc/qemu-i386 2>/dev/null)" = enabled ] &&
        sed -n 's/^interpreter //p' /proc/sys/fs/binfmt_misc/qemu-i386
}

# The release's backports as a package source, taken from the stanza of the release itself in
# the machine's own list (its mirror, its keys); nothing when the list has no such stanza.
add_backports_source() {
    local codename=$1 list=/etc/apt/sources.list.d/debian.sources
    local own=/etc/apt/sources.list.d/debian-backports.sources
    grep -rqs "^Suites:.* $codename-backports" /etc/apt/sources.list.d/ && return 0
    [ -f "$list" ] || return 1
    awk -v c="$codename" 'BEGIN { RS = "" }
    {
        n = split($0, line, "\n"); deb = 0; suite = 0
        for (i = 1; i <= n; i++) {
            if (line[i] ~ /^Types:/ && (" " substr(line[i], 7) " ") ~ / deb /) deb = 1
            if (line[i] ~ /^Suites:/ && (" " substr(line[i], 8) " ") ~ (" " c " ")) suite = 1
        }
        if (!deb || !suite) next
        for (i = 1; i <= n; i++) {
            if (line[i] ~ /^Types:/) print "Types: deb"
            else if (line[i] ~ /^Suites:/) print "Suites: " c "-backports"
            else print line[i]
        }
        exit
    }' "$list" >"$own"
    [ -s "$own" ] || { rm -f "$own"; return 1; }
    run_apt_get update -qq
}

# qemu-user of version 8 or later.
install_qemu_user() {
    local version codename target=()
    version=$(dpkg-query -W -f='${Version}' qemu-user 2>/dev/null || true)
    [ -n "$version" ] && dpkg --compare-versions "$version" ge 1:8 && return 0
    codename=$(. /etc/os-release 2>/dev/null && echo "${VERSION_CODENAME:-}")
    if [ "$codename" = bookworm ]; then
        add_backports_source "$codename" || return 1
        target=(-t "$codename-backports")
    fi
    DEBIAN_FRONTEND=noninteractive run_apt_get install -y -qq --no-install-recommends "${target[@]}" qemu-user >/dev/null
}

# Has the emulator run i386 programs when the processor cannot. Returns non-zero, having said
# why, when 32-bit programs cannot be made to run.
ensure_i386_programs() {
    local probe=/lib/ld-linux.so.2 entry=/proc/sys/fs/binfmt_misc/qemu-i386
    [ -x "$probe" ] || return 0    # not installed yet: nothing to judge by
    if [ -n "$(i386_emulator)" ]; then
        [ "$(i386_emulator)" = "$qemu_i386" ] && return 0
    elif "$probe" --version >/dev/null 2>&1; then
        return 0
    fi
    echo "setup: this processor runs no 32-bit code; 32-bit programs will run through qemu-i386"
    install_qemu_user && [ -x "$qemu_i386" ] ||
        { echo "setup: qemu-user 8 or later could not be installed" >&2; return 1; }
    if ! [ -e /proc/sys/fs/binfmt_misc/register ]; then
        mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc ||
            { echo "setup: binfmt_misc could not be mounted" >&2; return 1; }
    fi
    [ -e "$entry" ] && echo -1 >"$entry"
    # The i386 ELF header, as qemu's own binfmt entries give it; F: the emulator is opened now,
    # so that it serves in every mount namespace.
    printf '%s' ':qemu-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:'"$qemu_i386"':F' \
        >/proc/sys/fs/binfmt_misc/register ||
        { echo "setup: the i386 emulator could not be registered" >&2; return 1; }
    "$probe" --version >/dev/null 2>&1 ||
        { echo "setup: 32-bit programs do not run even through qemu-i386" >&2; return 1; }
}
