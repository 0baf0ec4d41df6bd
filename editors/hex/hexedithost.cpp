// The application's services for the hex editor variants.
#include "hexedithost.h"

namespace {
IHexEditHost* g_pHexEditHost = nullptr;
}

void SetHexEditHost(IHexEditHost* pHost)
{
    g_pHexEditHost = pHost;
}

IHexEditHost* GetHexEditHost()
{
    return g_pHexEditHost;
}
