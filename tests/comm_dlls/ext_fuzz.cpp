// An extension DLL that answers nonsense, driven by a seed: random actions (known ones, unknown
// bits, call-again chains), route targets and timer ids of any value, periods from 0 to huge,
// data lengths with a null pointer or over a block that holds fewer meaningful bytes, texts of
// any level that may fill the whole text buffer, and now and then a failed call.
//
// KvrFuzzStart seeds it and zeroes its count; KvrFuzzReplies tells how many replies it gave.
#include <windows.h>

#include <cstring>
#include <mutex>

namespace {

std::mutex g_lock;
unsigned long long g_state = 1;
long g_replies = 0;
BYTE g_data[2048];   // the block reply data points into; valid until the next call

unsigned Next()
{
    g_state = g_state * 6364136223846793005ull + 1442695040888963407ull;
    return static_cast<unsigned>(g_state >> 33);
}

unsigned Below(unsigned n)
{
    return Next() % n;
}

DWORD Pick(const DWORD* values, unsigned n)
{
    return values[Below(n)];
}

DWORD RandomAction()
{
    static const DWORD kActions[] = {0x100, 0x200, 0x400, 0x800, 0x1000, 0x2000};
    const unsigned roll = Below(100);
    if (roll < 15)
        return 0;
    if (roll < 20)
        return 0x40000 | Below(2) * 0x80000000u;   // nothing the program knows: asks again
    DWORD action = 0;
    const unsigned bits = 1 + Below(2);
    for (unsigned i = 0; i < bits; ++i) {
        DWORD one = kActions[Below(6)];
        // The end is rare, so that a connection lives for many replies.
        if (one == 0x200 && Below(400) != 0)
            one = 0x400;
        action |= one;
    }
    // Mostly chains of calls, each carried out before the next.
    if (Below(4) != 0)
        action |= 0x80000000u;
    return action;
}

} // namespace

extern "C" int WINAPI CallBackKVR(DWORD* reply, DWORD* request)
{
    std::lock_guard<std::mutex> hold(g_lock);
    ++g_replies;
    std::memset(reply, 0, 40);
    if (request[0] == 0x2000000) {
        reply[0] = Below(2) ? 256 : 100;
        return 0;
    }
    static const DWORD kParams[] = {0, 1, 2, 3, 0x80000000u, 0x80000001u, 0xFFFFFFFFu, 7};
    static const DWORD kPeriods[] = {0, 1, 5, 20, 0xFFFFFFFFu, 0x7FFFFFFFu, 0x80000000u, 1000};
    static const DWORD kLevels[] = {0, 0, 1, 2, 3, 0xFFFFFFFFu};
    reply[0] = RandomAction();
    reply[1] = Pick(kParams, 8);
    reply[2] = Pick(kPeriods, 8);
    reply[3] = Next();
    reply[4] = Next();
    switch (Below(5)) {
    case 0:   // a length without data
        reply[5] = Below(2) ? 0xFFFFFFFFu : 1 + Below(100);
        reply[6] = 0;
        break;
    case 1:   // data without a length
        reply[6] = reinterpret_cast<DWORD>(g_data);
        break;
    case 2:   // a long block of which only the start was written
        reply[5] = sizeof(g_data);
        reply[6] = reinterpret_cast<DWORD>(g_data);
        g_data[0] = static_cast<BYTE>(Next());
        break;
    default: {
        const unsigned n = 1 + Below(64);
        for (unsigned i = 0; i < n; ++i)
            g_data[i] = static_cast<BYTE>(Next());
        reply[5] = n;
        reply[6] = reinterpret_cast<DWORD>(g_data);
        break;
    }
    }
    reply[7] = Next();
    reply[8] = Pick(kLevels, 6);
    reply[9] = Next();
    char* text = reinterpret_cast<char*>(request[9]);
    if (text && request[7] >= 1) {
        const unsigned n = Below(request[7] + 1);
        for (unsigned i = 0; i < n; ++i)
            text[i] = static_cast<char>(Below(255) + 1);
    }
    return Below(3000) == 0 ? 1 : 0;
}

extern "C" void KvrFuzzStart(unsigned seed)
{
    std::lock_guard<std::mutex> hold(g_lock);
    g_state = seed * 0x9E3779B97F4A7C15ull + 1;
    g_replies = 0;
}

extern "C" long KvrFuzzReplies()
{
    std::lock_guard<std::mutex> hold(g_lock);
    return g_replies;
}
