#!/usr/bin/env python3
"""Names the functions of a profile the benchmark wrote (bench/sampler.h) and prints where the
sampled thread's time went: the functions it stood in ("self"), those on its stack ("total"),
and the benchmark's own function nearest the top of its stack, to which time spent in Wine's
DLLs (the list view, GDI, the window system) belongs.

    python3 bench/profilereport.py build/testbin/profile-flood-full.txt [lines]
"""
import bisect
import collections
import re
import subprocess
import sys

WINE_DLLS = '/usr/lib/i386-linux-gnu/wine/i386-windows/'


def host_path(windows_path):
    path = windows_path.replace('\\', '/')
    if path.lower().startswith('z:'):
        return path[2:]
    return WINE_DLLS + path.rsplit('/', 1)[-1].lower()


def exports(dll):
    """The module's exports as (address, name) by address, for code without line tables (the
    system-call stubs of win32u.dll and ntdll.dll)."""
    text = subprocess.run(['i686-w64-mingw32-objdump', '-p', dll], capture_output=True, text=True).stdout
    base, rvas, found, in_names = 0, {}, [], False
    for line in text.split('\n'):
        if line.startswith('ImageBase'):
            base = int(line.split()[1], 16)
        match = re.match(r'\s*\[\s*(\d+)\] \+base\[\s*\d+\]\s+([0-9a-f]+) Export RVA', line)
        if match:
            rvas[match.group(1)] = int(match.group(2), 16)
        if line.startswith('[Ordinal/Name Pointer] Table'):
            in_names = True
            continue
        match = re.match(r'\s*\[\s*(\d+)\] (\S+)$', line)
        if in_names and match and match.group(1) in rvas:
            found.append((base + rvas[match.group(1)], match.group(2)))
        elif in_names and line.strip() == '':
            in_names = False
    return sorted(found)


def nearest_export(table, address):
    i = bisect.bisect_right(table, (address, '\uffff')) - 1
    return table[i][1] if i >= 0 else None


def main():
    path = sys.argv[1]
    lines = int(sys.argv[2]) if len(sys.argv) > 2 else 30
    modules, samples = {}, []
    for line in open(path, errors='replace'):
        fields = line.split()
        if fields[0] == 'module':
            modules[fields[1]] = ' '.join(fields[2:])
        elif fields[0] == 'sample':
            samples.append(fields[1:])
    if not samples:
        print('no samples')
        return
    wanted = collections.defaultdict(set)
    for sample in samples:
        for entry in sample:
            module, address = entry.split(':')
            if module != '?':
                wanted[module].add(address)
    names = {}
    own = None
    for module, addresses in wanted.items():
        addresses = sorted(addresses)
        short = modules[module].replace('\\', '/').rsplit('/', 1)[-1]
        if modules[module].lower().startswith('z:') and short.lower().endswith('.exe'):
            own = short
        out = subprocess.run(['i686-w64-mingw32-addr2line', '-f', '-C', '-e', host_path(modules[module])] +
                             ['0x' + a for a in addresses], capture_output=True, text=True).stdout.split('\n')
        table = None
        for i, address in enumerate(addresses):
            function = out[2 * i] if 2 * i < len(out) else '??'
            if function == '??':
                table = table if table is not None else exports(host_path(modules[module]))
                function = nearest_export(table, int(address, 16)) or '0x' + address
            names[module + ':' + address] = short + '!' + function
    self_counts, total_counts, own_counts = collections.Counter(), collections.Counter(), collections.Counter()
    for sample in samples:
        stack = [names.get(entry, '(Wine\'s Unix side)') for entry in sample]
        self_counts[stack[0]] += 1
        for function in set(stack):
            total_counts[function] += 1
        own_counts[next((f for f in stack if own and f.startswith(own + '!')), '(none found)')] += 1
    print('%d samples' % len(samples))
    for title, counts in (('self', self_counts), ('total', total_counts), ('nearest own function', own_counts)):
        print('--- ' + title)
        for function, count in counts.most_common(lines):
            print('%6d %5.1f%%  %s' % (count, 100.0 * count / len(samples), function[:160]))


if __name__ == '__main__':
    main()
