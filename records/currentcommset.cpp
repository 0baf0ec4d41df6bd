#include "currentcommset.h"

CCommSetRecord& GetCurrentCommSet()
{
    static CCommSetRecord s_set;
    return s_set;
}
