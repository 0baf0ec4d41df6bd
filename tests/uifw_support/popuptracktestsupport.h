// Support for the tests of the windows that open context menus: the framework presenter is
// installed behind the context-menu seam and the TrackMenu hook records each call and
// answers it (go on, refuse, or choose a command) instead of showing the menu.
#pragma once
#include "popupmenupresenter.h"
#include "popupmenuwnd.h"
#include <vector>

namespace popuptrack {

struct RecordedTrack {
    UINT nFlags = 0;
    int x = 0, y = 0;
    bool bExclude = false;
    bool bResult = false;
    HWND hWndReceiver = NULL;
    HWND hWndOwner = NULL;
    HWND hWndFocus = NULL;   // the focus when the menu was tracked
    std::vector<UINT> ids;   // the menu's command ids in order (separators 0)
    std::vector<bool> enabled;
};

class TrackRecorder {
public:
    // Installs the framework presenter and the hook (answer: go on).
    TrackRecorder();
    ~TrackRecorder();
    void Refuse() { m_nAnswer = CUiPopupMenuWnd::kHookRefuse; }
    void Choose(UINT nId)
    {
        m_nAnswer = CUiPopupMenuWnd::kHookChoose;
        m_nChosen = nId;
    }
    void GoOn() { m_nAnswer = CUiPopupMenuWnd::kHookGoOn; }

    std::vector<RecordedTrack> calls;

private:
    static int Hook(const PopupTrackCall& call, UINT* pnChosen);
    CUiPopupMenuPresenter m_presenter;
    int m_nAnswer;
    UINT m_nChosen;
};

// The items of the menu being tracked now (empty when none): ids and enabled states after
// the update pass.
RecordedTrack TrackedRootItems();

// The ids of the first submenu of a menu resource, in order.
std::vector<UINT> MenuResourceIds(UINT nMenuId);

} // namespace popuptrack
