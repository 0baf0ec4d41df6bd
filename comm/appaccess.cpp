#include "appaccess.h"

namespace {

IAppAccessors* g_pAccessors = NULL;

COleSafeArray EmptyBuffer()
{
    COleSafeArray empty;
    empty.CreateOneDim(VT_UI1, 0);
    return empty;
}

} // namespace

COleSafeArray IAppAccessors::GetScriptText(int nPort)
{
    return EmptyBuffer();
}

void SetAppAccessors(IAppAccessors* pAccessors)
{
    g_pAccessors = pAccessors;
}

IAppAccessors* GetAppAccessors()
{
    return g_pAccessors;
}

COleSafeArray GetSendEditorData()
{
    if (g_pAccessors)
        return g_pAccessors->GetSendEditorData();
    return EmptyBuffer();
}

void SetSendEditorData(const COleSafeArray& data)
{
    if (g_pAccessors)
        g_pAccessors->SetSendEditorData(data);
}

COleSafeArray GetScriptText(int nPort)
{
    if (g_pAccessors)
        return g_pAccessors->GetScriptText(nPort);
    return EmptyBuffer();
}
