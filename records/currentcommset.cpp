#include "currentcommset.h"

#include <mutex>

namespace {

std::mutex& CommSetLock()
{
    static std::mutex s_lock;
    return s_lock;
}

} // namespace

CCommSetRecord& GetCurrentCommSet()
{
    static CCommSetRecord s_set;
    return s_set;
}

void CopyCurrentCommSet(CCommSetRecord& set)
{
    std::lock_guard<std::mutex> hold(CommSetLock());
    set = GetCurrentCommSet();
}

void AssignCurrentCommSet(const CCommSetRecord& set)
{
    std::lock_guard<std::mutex> hold(CommSetLock());
    GetCurrentCommSet() = set;
}
