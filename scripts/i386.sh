# Sourced by env.sh and setup.sh: 32-bit programs on a machine whose processor runs none.
#
# Some virtual machines run 64-bit user code only (the kernel says "IA-32 emulation off", and an
# i386 program fails with "Exec format error"): 32-bit Wine, and with it the program, cannot run
# there. Set-up then has qemu's user-mode emulator run every i386 program (binfmt_misc), and the
# scripts preload into them the library that makes Wine's start fast under it
# (scripts/i386mmap.c). On every other machine nothing here does anything.

# Whether i386 programs run through the emulator on this machine.
i386_emulated() {
    [ "$(head -n 1 /proc/sys/fs/binfmt_misc/qemu-i386 2>/dev/null)" = enabled ]
}

# Has the emulator run i386 programs when the processor cannot (root, as set-up runs).
# Returns non-zero, having said why, when 32-bit programs cannot be made to run.
ensure_i386_programs() {
    local probe=/lib/ld-linux.so.2
    i386_emulated && return 0
    "$probe" --version >/dev/null 2>&1 && return 0
    [ -x "$probe" ] || return 0    # not installed yet: nothing to judge by
    echo "setup: this processor runs no 32-bit code; 32-bit programs will run through qemu-i386"
    if ! [ -x /usr/bin/qemu-i386-static ]; then
        DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends qemu-user-static >/dev/null ||
            { echo "setup: qemu-user-static could not be installed" >&2; return 1; }
    fi
    if ! [ -e /proc/sys/fs/binfmt_misc/register ]; then
        mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc ||
            { echo "setup: binfmt_misc could not be mounted" >&2; return 1; }
    fi
    if [ -e /proc/sys/fs/binfmt_misc/qemu-i386 ]; then
        echo 1 >/proc/sys/fs/binfmt_misc/qemu-i386
    else
        # The i386 ELF header, as qemu's own binfmt entries give it; F: the emulator is opened
        # now, so that it serves in every mount namespace.
        printf '%s' ':qemu-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:/usr/bin/qemu-i386-static:F' \
            >/proc/sys/fs/binfmt_misc/register ||
            { echo "setup: the i386 emulator could not be registered" >&2; return 1; }
    fi
    "$probe" --version >/dev/null 2>&1 ||
        { echo "setup: 32-bit programs do not run even through qemu-i386" >&2; return 1; }
}

# Under the emulator: builds the start library for both word sizes (a 64-bit process finds an
# empty one through $LIB, so it says nothing) and puts it into LD_PRELOAD for what this shell
# starts from now on.
use_i386_emulation() {
    i386_emulated || return 0
    local dir="$BUILD_DIR/i386mmap" src="$here/scripts/i386mmap.c"
    local lib32="$dir/lib/i386-linux-gnu/i386mmap.so" lib64="$dir/lib/x86_64-linux-gnu/i386mmap.so"
    if ! [ "$lib32" -nt "$src" ] || ! [ "$lib64" -nt "$src" ]; then
        mkdir -p "$(dirname "$lib32")" "$(dirname "$lib64")"
        gcc -m32 -shared -fPIC -O2 -Wall -Wextra -o "$lib32" "$src" -ldl || return 1
        gcc -shared -fPIC -O2 -Wall -Wextra -o "$lib64" "$src" || return 1
    fi
    local entry="$dir/\$LIB/i386mmap.so"
    case " ${LD_PRELOAD:-} " in *" $entry "*) return 0 ;; esac
    export LD_PRELOAD="$entry${LD_PRELOAD:+ $LD_PRELOAD}"
}
