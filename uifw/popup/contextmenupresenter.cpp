#include "contextmenupresenter.h"

#include "resourcemanager.h"

namespace {

IContextMenuPresenter* g_pPresenter = nullptr;

} // namespace

void SetContextMenuPresenter(IContextMenuPresenter* pPresenter)
{
    g_pPresenter = pPresenter;
}

IContextMenuPresenter* GetContextMenuPresenter()
{
    return g_pPresenter;
}

BOOL TrackContextMenuResource(CWnd* pTarget, UINT nMenuId, CPoint ptScreen)
{
    if (g_pPresenter == nullptr || pTarget == nullptr)
        return FALSE;
    CMenu menu;
    if (!ResourceManagerHolder::GetResourceManager()->LoadMenu(&menu, nMenuId))
        return FALSE;
    return g_pPresenter->TrackContextMenu(pTarget, menu, ptScreen);
}
