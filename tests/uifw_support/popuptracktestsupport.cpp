#include "popuptracktestsupport.h"

#include "popuptrackingstate.h"

namespace popuptrack {

namespace {

TrackRecorder* g_pRecorder = nullptr;

void ReadItems(const CUiPopupMenuWnd& menu, RecordedTrack& rec)
{
    for (int i = 0; i < menu.ItemGetCount(); ++i) {
        const PopupMenuItemData& item = menu.ItemGetInfo(i);
        rec.ids.push_back(item.IsSeparator() ? 0 : item.m_nCmdId);
        rec.enabled.push_back(item.IsEnabled());
    }
}

} // namespace

TrackRecorder::TrackRecorder() : m_nAnswer(CUiPopupMenuWnd::kHookGoOn), m_nChosen(0)
{
    g_pRecorder = this;
    SetContextMenuPresenter(&m_presenter);
    CUiPopupMenuWnd::g_pfnTrackMenuHook = &TrackRecorder::Hook;
}

TrackRecorder::~TrackRecorder()
{
    CUiPopupMenuWnd::CloseTrackedMenus();
    CUiPopupMenuWnd::g_pfnTrackMenuHook = nullptr;
    SetContextMenuPresenter(nullptr);
    g_pRecorder = nullptr;
}

int TrackRecorder::Hook(const PopupTrackCall& call, UINT* pnChosen)
{
    RecordedTrack rec;
    rec.nFlags = call.nFlags;
    rec.x = call.x;
    rec.y = call.y;
    rec.bExclude = call.pExclude != nullptr;
    rec.bResult = call.pResult != nullptr;
    rec.hWndReceiver = call.hWndReceiver;
    rec.hWndOwner = call.hWndOwner;
    rec.hWndFocus = ::GetFocus();
    ReadItems(*call.pMenu, rec);
    g_pRecorder->calls.push_back(rec);
    *pnChosen = g_pRecorder->m_nChosen;
    return g_pRecorder->m_nAnswer;
}

RecordedTrack TrackedRootItems()
{
    RecordedTrack rec;
    const CUiPopupMenuWnd* pRoot = PopupTrackingState::Get().m_pRoot;
    if (pRoot != nullptr) {
        rec.nFlags = pRoot->m_nTrackFlags;
        rec.hWndReceiver = pRoot->GetOwnerHwnd();
        ReadItems(*pRoot, rec);
    }
    return rec;
}

std::vector<UINT> MenuResourceIds(UINT nMenuId)
{
    std::vector<UINT> ids;
    CMenu menu;
    if (!menu.LoadMenu(nMenuId))
        return ids;
    HMENU hSub = ::GetSubMenu(menu.GetSafeHmenu(), 0);
    for (int i = 0; hSub != NULL && i < ::GetMenuItemCount(hSub); ++i) {
        const UINT nId = ::GetMenuItemID(hSub, i);
        if (nId == 0 && !ids.empty() && ids.back() == 0)
            continue;
        ids.push_back(nId);
    }
    return ids;
}

} // namespace popuptrack
