// Deterministic fuzzing of the readers of outside input.
//
// A reader is fed mutations of valid seed inputs: the length fields of a seed set to 0, to the
// bytes left after them minus one, exactly and plus one, to 0x7FFFFFFF and 0xFFFFFFFF; the
// seed cut at every boundary of its format and one byte on either side; then random runs of
// bit flips, byte insertions and deletions, overwritten words and cuts, all from a fixed seed
// so that a failing input comes back on every run.
//
// Every input lies so that its last byte is the last one before a no-access page: a read past
// the end faults at once, and the fault handler prints the reader, the input number and the
// input's bytes before the process dies. While a run lasts no allocation may ask for more than
// a ceiling: operator new requests through the class library's allocation hook and task-memory
// requests (safe arrays) through a malloc spy; a request above the ceiling is refused and
// fails the run, as does an input that takes over a second.
//
// Runs are short (a few thousand inputs) unless KORVANE_FUZZ is "long": then every reader gets
// 100,000 inputs and its counts and time are printed.
#pragma once

#include <windows.h>

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace fuzz {

using Bytes = std::vector<BYTE>;

// A valid input, the offsets of its 4-byte little-endian length fields, and the offsets where
// its format has a boundary (ends of headers, records and items).
struct Seed
{
    Bytes bytes;
    std::vector<size_t> lengthFields;
    std::vector<size_t> boundaries;
};

// Answers whether the reader took the input (true) or refused it (false).
using Reader = std::function<bool(const BYTE* p, size_t n)>;

struct RunResult
{
    std::string name;
    long tried = 0;
    long refused = 0;
    long accepted = 0;
    double seconds = 0;
    double slowestSeconds = 0;
    long slowestInput = -1;
    std::vector<std::string> failures;  // allocations over the ceiling, slow inputs

    bool Passed() const { return failures.empty(); }
    std::string Summary() const;
};

// The number of inputs a reader gets in this run (short or long).
long InputCount(long shortCount);
bool LongRun();

// The ceiling of one allocation during a run.
const size_t kDefaultCeiling = 16 * 1024 * 1024;

// Mends a mutated input before it is read (a checksum the reader checks first).
using Fixup = std::function<void(Bytes& bytes)>;

// Feeds the reader `count` inputs made from the seeds, and prints the summary.
RunResult Run(const std::string& name, const std::vector<Seed>& seeds, long count, const Reader& reader,
              const Fixup& fixup = Fixup(), size_t ceiling = kDefaultCeiling);

// Mutation number `index` of the seeds (deterministic).
Bytes Mutate(const std::vector<Seed>& seeds, long index);

// Runs the body with the allocation ceiling in force; the requests over it, as texts.
std::vector<std::string> WithCeiling(size_t ceiling, const std::function<void()>& body);

// Memory whose end touches a no-access page.
class GuardedBuffer
{
public:
    GuardedBuffer() = default;
    ~GuardedBuffer();
    GuardedBuffer(const GuardedBuffer&) = delete;
    GuardedBuffer& operator=(const GuardedBuffer&) = delete;

    // Copies the bytes so that the last one is followed by the guard page; returns the copy.
    const BYTE* Place(const BYTE* p, size_t n);

private:
    BYTE* m_base = nullptr;
    size_t m_usable = 0;
};

// Little-endian word helpers for building seeds.
void Put32(Bytes& bytes, size_t offset, DWORD value);
DWORD Get32(const Bytes& bytes, size_t offset);
void Append32(Bytes& bytes, DWORD value);

// A small generator of its own (the C runtime's is process-wide and used by the program).
class Random
{
public:
    explicit Random(unsigned long long seed) : m_state(seed * 0x9E3779B97F4A7C15ull + 1) {}
    unsigned Next();
    unsigned Below(unsigned n) { return n ? Next() % n : 0; }

private:
    unsigned long long m_state;
};

} // namespace fuzz
