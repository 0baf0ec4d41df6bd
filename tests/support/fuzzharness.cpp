#include "fuzzharness.h"

#include "afx.h"

#include <objidl.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace fuzz {

namespace {

// ---- allocation ceiling ------------------------------------------------------------------------

// The hooks run inside allocations, so what they note goes into fixed storage.
const int kMaxNoted = 16;
std::atomic<size_t> g_ceiling{0};   // 0: no ceiling in force
std::atomic<int> g_overCount{0};
size_t g_overSizes[kMaxNoted];
bool g_overSpy[kMaxNoted];

bool NoteRequest(size_t size, bool spy)
{
    const size_t ceiling = g_ceiling.load();
    if (ceiling == 0 || size <= ceiling)
        return true;
    const int n = g_overCount.fetch_add(1);
    if (n < kMaxNoted) {
        g_overSizes[n] = size;
        g_overSpy[n] = spy;
    }
    return false;
}

BOOL AFXAPI AllocHook(size_t nSize, BOOL, LONG)
{
    return NoteRequest(nSize, false) ? TRUE : FALSE;
}

// Sees the task-memory requests, through which safe arrays get their bytes. A request over the
// ceiling is noted and served: the spy cannot refuse one without handing out a short block.
class CeilingSpy : public IMallocSpy
{
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override
    {
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IMallocSpy)) {
            *ppv = static_cast<IMallocSpy*>(this);
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    SIZE_T STDMETHODCALLTYPE PreAlloc(SIZE_T cbRequest) override
    {
        NoteRequest(cbRequest, true);
        return cbRequest;
    }
    void* STDMETHODCALLTYPE PostAlloc(void* pActual) override { return pActual; }
    void* STDMETHODCALLTYPE PreFree(void* pRequest, BOOL) override { return pRequest; }
    void STDMETHODCALLTYPE PostFree(BOOL) override {}
    SIZE_T STDMETHODCALLTYPE PreRealloc(void* pRequest, SIZE_T cbRequest, void** ppNewRequest, BOOL) override
    {
        NoteRequest(cbRequest, true);
        *ppNewRequest = pRequest;
        return cbRequest;
    }
    void* STDMETHODCALLTYPE PostRealloc(void* pActual, BOOL) override { return pActual; }
    void* STDMETHODCALLTYPE PreGetSize(void* pRequest, BOOL) override { return pRequest; }
    SIZE_T STDMETHODCALLTYPE PostGetSize(SIZE_T cbActual, BOOL) override { return cbActual; }
    void* STDMETHODCALLTYPE PreDidAlloc(void* pRequest, BOOL) override { return pRequest; }
    int STDMETHODCALLTYPE PostDidAlloc(void*, BOOL, int fActual) override { return fActual; }
    void STDMETHODCALLTYPE PreHeapMinimize() override {}
    void STDMETHODCALLTYPE PostHeapMinimize() override {}
};

// The spy stays registered for the whole process: it cannot be revoked while blocks it saw
// are alive, and it notes nothing while no ceiling is in force.
void InstallHooks()
{
    static bool s_installed = false;
    if (s_installed)
        return;
    s_installed = true;
    static CeilingSpy s_spy;
    CoRegisterMallocSpy(&s_spy);
    AfxSetAllocHook(AllocHook);
}

// ---- fault report ----------------------------------------------------------------------------

const char* g_currentReader = nullptr;
long g_currentInput = -1;
const Bytes* g_currentBytes = nullptr;

LONG CALLBACK ReportFault(EXCEPTION_POINTERS* info)
{
    if (info->ExceptionRecord->ExceptionCode != EXCEPTION_ACCESS_VIOLATION || !g_currentReader)
        return EXCEPTION_CONTINUE_SEARCH;
    std::fprintf(stderr, "fuzz: access violation in reader %s, input %ld (%u bytes):", g_currentReader,
                 g_currentInput, g_currentBytes ? static_cast<unsigned>(g_currentBytes->size()) : 0u);
    if (g_currentBytes) {
        for (size_t i = 0; i < g_currentBytes->size(); ++i)
            std::fprintf(stderr, "%s%02X", i % 32 ? " " : "\n  ", (*g_currentBytes)[i]);
    }
    std::fprintf(stderr, "\n");
    std::fflush(stderr);
    return EXCEPTION_CONTINUE_SEARCH;
}

void InstallFaultReport()
{
    static bool s_installed = false;
    if (!s_installed) {
        s_installed = true;
        AddVectoredExceptionHandler(1, ReportFault);
    }
}

double Now()
{
    LARGE_INTEGER frequency, counter;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// ---- mutations -------------------------------------------------------------------------------

DWORD Remaining(const Bytes& bytes, size_t field)
{
    return field + 4 <= bytes.size() ? static_cast<DWORD>(bytes.size() - field - 4) : 0;
}

// The value a length field gets from the special list.
DWORD SpecialLength(const Bytes& bytes, size_t field, unsigned which)
{
    const DWORD rem = Remaining(bytes, field);
    switch (which) {
    case 0: return 0;
    case 1: return rem - 1;
    case 2: return rem;
    case 3: return rem + 1;
    case 4: return 0x7FFFFFFF;
    default: return 0xFFFFFFFF;
    }
}
const unsigned kSpecialLengths = 6;
const unsigned kCutsPerBoundary = 3;

size_t StructuredCount(const Seed& seed)
{
    return seed.lengthFields.size() * kSpecialLengths + seed.boundaries.size() * kCutsPerBoundary;
}

Bytes Structured(const Seed& seed, size_t k)
{
    Bytes bytes = seed.bytes;
    const size_t fieldCases = seed.lengthFields.size() * kSpecialLengths;
    if (k < fieldCases) {
        const size_t field = seed.lengthFields[k / kSpecialLengths];
        if (field + 4 <= bytes.size())
            Put32(bytes, field, SpecialLength(bytes, field, static_cast<unsigned>(k % kSpecialLengths)));
        return bytes;
    }
    k -= fieldCases;
    const size_t boundary = seed.boundaries[k / kCutsPerBoundary];
    const long cut = static_cast<long>(boundary) + static_cast<long>(k % kCutsPerBoundary) - 1;
    if (cut >= 0 && static_cast<size_t>(cut) < bytes.size())
        bytes.resize(static_cast<size_t>(cut));
    return bytes;
}

void RandomStep(Bytes& bytes, const Seed& seed, Random& random)
{
    const unsigned size = static_cast<unsigned>(bytes.size());
    switch (random.Below(10)) {
    case 0:
    case 1:
    case 2:
        if (size)
            bytes[random.Below(size)] ^= static_cast<BYTE>(1u << random.Below(8));
        break;
    case 3: {
        const unsigned n = 1 + random.Below(16);
        const unsigned at = random.Below(size + 1);
        Bytes extra(n);
        for (BYTE& b : extra)
            b = static_cast<BYTE>(random.Next());
        bytes.insert(bytes.begin() + at, extra.begin(), extra.end());
        break;
    }
    case 4:
        if (size) {
            const unsigned at = random.Below(size);
            const unsigned n = 1 + random.Below(16);
            bytes.erase(bytes.begin() + at, bytes.begin() + (at + n < size ? at + n : size));
        }
        break;
    case 5:
    case 6:
        if (!seed.lengthFields.empty()) {
            const size_t field = seed.lengthFields[random.Below(static_cast<unsigned>(seed.lengthFields.size()))];
            if (field + 4 <= bytes.size())
                Put32(bytes, field, SpecialLength(bytes, field, random.Below(kSpecialLengths)));
            break;
        }
        [[fallthrough]];
    case 7:
        if (size >= 4) {
            const unsigned at = random.Below(size - 3);
            const DWORD values[] = {0, 0x7FFFFFFF, 0xFFFFFFFF, 0x80000000, Remaining(bytes, at),
                                    Remaining(bytes, at) + 1, random.Next()};
            Put32(bytes, at, values[random.Below(7)]);
        }
        break;
    case 8:
        if (size)
            bytes[random.Below(size)] = static_cast<BYTE>(random.Below(3) == 0 ? 0 : random.Next());
        break;
    default:
        if (!seed.boundaries.empty() && random.Below(2)) {
            const size_t b = seed.boundaries[random.Below(static_cast<unsigned>(seed.boundaries.size()))];
            if (b < bytes.size())
                bytes.resize(b);
        } else if (size) {
            bytes.resize(random.Below(size));
        }
        break;
    }
}

} // namespace

// ---- public --------------------------------------------------------------------------------

unsigned Random::Next()
{
    m_state = m_state * 6364136223846793005ull + 1442695040888963407ull;
    return static_cast<unsigned>(m_state >> 33);
}

void Put32(Bytes& bytes, size_t offset, DWORD value)
{
    for (int i = 0; i < 4; ++i)
        bytes[offset + i] = static_cast<BYTE>(value >> (8 * i));
}

DWORD Get32(const Bytes& bytes, size_t offset)
{
    return bytes[offset] | (bytes[offset + 1] << 8) | (bytes[offset + 2] << 16) |
           (static_cast<DWORD>(bytes[offset + 3]) << 24);
}

void Append32(Bytes& bytes, DWORD value)
{
    bytes.resize(bytes.size() + 4);
    Put32(bytes, bytes.size() - 4, value);
}

bool LongRun()
{
    const char* mode = std::getenv("KORVANE_FUZZ");
    return mode && std::strcmp(mode, "long") == 0;
}

long InputCount(long shortCount)
{
    return LongRun() ? 100000 : shortCount;
}

Bytes Mutate(const std::vector<Seed>& seeds, long index)
{
    size_t k = static_cast<size_t>(index);
    for (const Seed& seed : seeds) {
        const size_t n = StructuredCount(seed);
        if (k < n)
            return Structured(seed, k);
        k -= n;
    }
    Random random(static_cast<unsigned long long>(index));
    const Seed& seed = seeds[random.Below(static_cast<unsigned>(seeds.size()))];
    Bytes bytes = seed.bytes;
    const unsigned steps = 1 + random.Below(4);
    for (unsigned i = 0; i < steps; ++i)
        RandomStep(bytes, seed, random);
    return bytes;
}

std::vector<std::string> WithCeiling(size_t ceiling, const std::function<void()>& body)
{
    InstallHooks();
    g_overCount = 0;
    g_ceiling = ceiling;
    std::vector<std::string> failures;
    try {
        body();
    } catch (CException* e) {
        e->Delete();
        failures.push_back("a class-library exception left the reader");
    } catch (...) {
        failures.push_back("an exception left the reader");
    }
    g_ceiling = 0;
    const int n = g_overCount.load();
    for (int i = 0; i < n && i < kMaxNoted; ++i) {
        char text[128];
        std::snprintf(text, sizeof(text), "%s request of %lu bytes over the ceiling of %lu",
                      g_overSpy[i] ? "task-memory" : "operator new", static_cast<unsigned long>(g_overSizes[i]),
                      static_cast<unsigned long>(ceiling));
        failures.push_back(text);
    }
    return failures;
}

GuardedBuffer::~GuardedBuffer()
{
    if (m_base)
        VirtualFree(m_base, 0, MEM_RELEASE);
}

const BYTE* GuardedBuffer::Place(const BYTE* p, size_t n)
{
    const size_t page = 4096;
    if (!m_base || n > m_usable) {
        if (m_base)
            VirtualFree(m_base, 0, MEM_RELEASE);
        m_usable = (n + 64 * 1024 + page - 1) / page * page;
        m_base = static_cast<BYTE*>(VirtualAlloc(nullptr, m_usable + page, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
        DWORD old = 0;
        VirtualProtect(m_base + m_usable, page, PAGE_NOACCESS, &old);
    }
    BYTE* at = m_base + m_usable - n;
    if (n)
        std::memcpy(at, p, n);
    return at;
}

std::string RunResult::Summary() const
{
    char text[256];
    std::snprintf(text, sizeof(text), "fuzz %-22s tried %6ld  refused %6ld  accepted %6ld  %7.2f s  slowest %.3f s (input %ld)",
                  name.c_str(), tried, refused, accepted, seconds, slowestSeconds, slowestInput);
    return text;
}

RunResult Run(const std::string& name, const std::vector<Seed>& seeds, long count, const Reader& reader,
              const Fixup& fixup, size_t ceiling)
{
    InstallFaultReport();
    RunResult result;
    result.name = name;
    GuardedBuffer buffer;
    const double start = Now();
    Bytes input;
    g_currentReader = result.name.c_str();
    g_currentBytes = &input;
    for (long i = 0; i < count; ++i) {
        input = Mutate(seeds, i);
        if (fixup)
            fixup(input);
        g_currentInput = i;
        const BYTE* p = buffer.Place(input.data(), input.size());
        bool accepted = false;
        const double before = Now();
        std::vector<std::string> failures = WithCeiling(ceiling, [&] { accepted = reader(p, input.size()); });
        const double took = Now() - before;
        ++result.tried;
        ++(accepted ? result.accepted : result.refused);
        if (took > result.slowestSeconds) {
            result.slowestSeconds = took;
            result.slowestInput = i;
        }
        if (took > 1.0)
            failures.push_back("took over a second");
        for (const std::string& failure : failures) {
            if (result.failures.size() < 20)
                result.failures.push_back("input " + std::to_string(i) + ": " + failure);
        }
    }
    g_currentReader = nullptr;
    g_currentBytes = nullptr;
    result.seconds = Now() - start;
    std::printf("%s\n", result.Summary().c_str());
    std::fflush(stdout);
    return result;
}

} // namespace fuzz
