#include "sampler.h"

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>

namespace bench {

namespace {

// The executable sections of a module as loaded, and where its file expects to lie.
struct CodeRange
{
    ULONG_PTR begin;
    ULONG_PTR end;
    ULONG_PTR moduleBase;
    ULONG_PTR preferredBase;
    std::string name;
};

std::vector<CodeRange> g_ranges;

void FindCodeRanges()
{
    g_ranges.clear();
    HMODULE modules[512];
    DWORD needed = 0;
    if (!EnumProcessModules(GetCurrentProcess(), modules, sizeof(modules), &needed))
        return;
    const size_t count = std::min<size_t>(needed / sizeof(HMODULE), 512);
    for (size_t i = 0; i < count; ++i) {
        const BYTE* base = reinterpret_cast<const BYTE*>(modules[i]);
        const IMAGE_DOS_HEADER* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
        const IMAGE_NT_HEADERS32* nt = reinterpret_cast<const IMAGE_NT_HEADERS32*>(base + dos->e_lfanew);
        char path[MAX_PATH] = {};
        GetModuleFileNameA(modules[i], path, MAX_PATH);
        const IMAGE_SECTION_HEADER* section = IMAGE_FIRST_SECTION(nt);
        for (WORD s = 0; s < nt->FileHeader.NumberOfSections; ++s, ++section) {
            if (!(section->Characteristics & IMAGE_SCN_MEM_EXECUTE))
                continue;
            CodeRange range;
            range.begin = reinterpret_cast<ULONG_PTR>(base) + section->VirtualAddress;
            range.end = range.begin + section->Misc.VirtualSize;
            range.moduleBase = reinterpret_cast<ULONG_PTR>(base);
            range.preferredBase = nt->OptionalHeader.ImageBase;
            range.name = path;
            g_ranges.push_back(range);
        }
    }
    std::sort(g_ranges.begin(), g_ranges.end(), [](const CodeRange& a, const CodeRange& b) { return a.begin < b.begin; });
}

const CodeRange* RangeOf(ULONG_PTR address)
{
    auto it = std::upper_bound(g_ranges.begin(), g_ranges.end(), address,
                               [](ULONG_PTR a, const CodeRange& r) { return a < r.begin; });
    if (it == g_ranges.begin())
        return nullptr;
    --it;
    return address < it->end ? &*it : nullptr;
}

// Whether the code before the address ends in a call, so that the address is a return address.
bool FollowsCall(ULONG_PTR address)
{
    const CodeRange* range = RangeOf(address);
    if (range == nullptr || address < range->begin + 7)
        return false;
    const BYTE* p = reinterpret_cast<const BYTE*>(address);
    if (p[-5] == 0xE8)
        return true;
    // call r/m32: FF with a ModR/M byte whose reg field is 2, of 2, 3, 4, 6 or 7 bytes.
    const int lengths[] = {2, 3, 4, 6, 7};
    for (int n : lengths) {
        if (p[-n] == 0xFF && ((p[-n + 1] >> 3) & 7) == 2)
            return true;
    }
    return false;
}

} // namespace

ThreadSampler::ThreadSampler() : m_hThread(nullptr), m_stackBase(0)
{
    DuplicateHandle(GetCurrentProcess(), GetCurrentThread(), GetCurrentProcess(), &m_hThread, 0, FALSE,
                    DUPLICATE_SAME_ACCESS);
    // The stack's committed pages run from the one in use to its top in one region.
    MEMORY_BASIC_INFORMATION region = {};
    if (VirtualQuery(&region, &region, sizeof(region)) != 0)
        m_stackBase = reinterpret_cast<ULONG_PTR>(region.BaseAddress) + region.RegionSize;
}

ThreadSampler::~ThreadSampler()
{
    Stop();
    if (m_hThread != nullptr)
        CloseHandle(m_hThread);
}

void ThreadSampler::Start()
{
    FindCodeRanges();
    m_bStop = false;
    m_sampler = std::thread([this] { Run(); });
}

void ThreadSampler::Stop()
{
    m_bStop = true;
    if (m_sampler.joinable())
        m_sampler.join();
}

void ThreadSampler::Run()
{
    // The return addresses are found by scanning the stack rather than by following frame
    // pointers, which optimised code (ours and Wine's) does not keep.
    const size_t kMaxWords = 16384;
    const size_t kMaxFrames = 400;
    // Nothing is allocated while the thread stands suspended: it may hold the heap's lock.
    DWORD frames[kMaxFrames];
    while (!m_bStop) {
        Sleep(1);
        if (SuspendThread(m_hThread) == static_cast<DWORD>(-1))
            continue;
        size_t count = 0;
        CONTEXT context = {};
        context.ContextFlags = CONTEXT_CONTROL | CONTEXT_INTEGER;
        if (GetThreadContext(m_hThread, &context)) {
            frames[count++] = context.Eip;
            const DWORD* sp = reinterpret_cast<const DWORD*>(context.Esp);
            const DWORD* top = reinterpret_cast<const DWORD*>(m_stackBase);
            for (size_t i = 0; i < kMaxWords && sp + i < top && count < kMaxFrames; ++i) {
                if (FollowsCall(sp[i]))
                    frames[count++] = sp[i];
            }
        }
        ResumeThread(m_hThread);
        if (count == 0)
            continue;
        m_samples.push_back(static_cast<DWORD>(count));
        m_samples.insert(m_samples.end(), frames, frames + count);
        ++m_nSamples;
    }
}

void ThreadSampler::Print(const char* pszTitle) const
{
    // Every sample as a line of addresses, innermost first, each as its module's index and
    // the address its file gives it; the modules first.
    const std::string path = std::string("profile-") + pszTitle + ".txt";
    FILE* file = std::fopen(path.c_str(), "w");
    if (file == nullptr)
        return;
    std::map<std::string, size_t> modules;
    for (const CodeRange& range : g_ranges) {
        if (modules.emplace(range.name, modules.size()).second)
            std::fprintf(file, "module %zu %s\n", modules.size() - 1, range.name.c_str());
    }
    std::map<std::string, size_t> selfByModule;
    for (size_t at = 0; at < m_samples.size();) {
        const DWORD n = m_samples[at];
        std::fputs("sample", file);
        for (DWORD i = 0; i < n; ++i) {
            const DWORD address = m_samples[at + 1 + i];
            const CodeRange* range = RangeOf(address);
            if (range == nullptr) {
                std::fprintf(file, " ?:%08lx", static_cast<unsigned long>(address));
                if (i == 0)
                    ++selfByModule["?"];
                continue;
            }
            std::fprintf(file, " %zu:%08lx", modules[range->name],
                         static_cast<unsigned long>(address - range->moduleBase + range->preferredBase));
            if (i == 0)
                ++selfByModule[range->name];
        }
        std::fputs("\n", file);
        at += 1 + n;
    }
    std::fclose(file);
    std::printf("profile %s: %zu samples in %s\n", pszTitle, m_nSamples, path.c_str());
    for (const auto& entry : selfByModule)
        std::printf("profile %s: %5.1f%% in %s\n", pszTitle,
                    100.0 * static_cast<double>(entry.second) / static_cast<double>(m_nSamples), entry.first.c_str());
    std::fflush(stdout);
}

bool ProfileWanted(const char* pszPart)
{
    char text[128] = {};
    if (!GetEnvironmentVariableA("KORVANE_BENCH_PROFILE", text, sizeof(text)))
        return false;
    return std::strstr(text, pszPart) != nullptr;
}

} // namespace bench
