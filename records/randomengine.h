// Random-data engine: lays random values over chosen byte ranges of data before it is sent.
//
// Each port slot owns one CRandomEngine. When a connection starts, the frame loads the port's
// regions into it; afterwards the user-interface thread (hand sends, automatic replies) and the
// port's connection thread (periodic sends) both call ApplyRandomRegions, so the engine keeps
// its regions and current values under a binary semaphore. Values are drawn again on every
// use when the interval is 0, else only once the interval has run out since the last drawing,
// so the sends in between carry the same bytes.
//
// The numbers come from one generator for the whole process, the C runtime's well-known linear
// congruential one, kept here rather than in the runtime because the runtime keeps a state per
// thread: every connection thread would start from the same unseeded state and repeat the same
// sequence on every connection. SeedRandom seeds it once at start-up; tests seed it with a fixed
// value and give an engine their own clock.
#pragma once

#include "afxwin.h"
#include "afxdisp.h"
#include "afxmt.h"

#include "randomregion.h"

#include <cstdint>
#include <functional>
#include <vector>

// Seeds the process-wide generator with the current calendar time in seconds.
void SeedRandom();
// Seeds it with a given value (the same seed gives the same sequence).
void SeedRandom(uint32_t seed);
// The next value of the generator, 0 to 32767.
int NextRandom();

class CRandomEngine {
public:
    // The calendar clock in whole seconds.
    using Clock = std::function<long long()>;

    CRandomEngine();
    CRandomEngine(const CRandomEngine&) = delete;
    CRandomEngine& operator=(const CRandomEngine&) = delete;

    // Replaces the regions by the records of the blob and sets the renewal interval in seconds
    // (0: new values for every use). The values are drawn anew at the next use.
    void LoadRandomRegions(const COleSafeArray& blob, int interval);

    // A copy of the data with every region's current values laid over it.
    COleSafeArray ApplyRandomRegions(const COleSafeArray& data);

    // Draws new values for every region now.
    void RenewRandomValues();

    // Replaces the calendar clock (an empty clock restores the real one).
    void SetClock(Clock clock);

    int GetRegionCount();
    int GetRenewalInterval();

private:
    void RenewLocked();
    long long Now() const;

    CSemaphore m_lock;
    long long m_lastRenewal;
    int m_interval;
    std::vector<std::vector<BYTE>> m_values;
    std::vector<RandomRegion> m_regions;
    Clock m_clock;
};
