#include "panetoolbar.h"

CPaneToolBar::CPaneToolBar() {}

CPaneToolBar::~CPaneToolBar() {}

CUiBarContentExpandButton* CPaneToolBar::CreateContentExpandButton()
{
    return nullptr;
}

void LayoutPaneBars(CWnd* pPane, UINT nLeftOverId)
{
    // A bar made from a template carries no bar style: it learns here where it stands.
    for (CWnd* pChild = pPane->GetWindow(GW_CHILD); pChild != nullptr; pChild = pChild->GetWindow(GW_HWNDNEXT)) {
        CWnd* pKnown = CWnd::FromHandlePermanent(pChild->GetSafeHwnd());
        if (pKnown == nullptr || !pKnown->IsKindOf(RUNTIME_CLASS(CUiToolControlBar)))
            continue;
        CUiToolControlBar* pBar = static_cast<CUiToolControlBar*>(pKnown);
        if ((pBar->GetBarStyle() & CBRS_ALIGN_ANY) == 0) {
            pBar->SetBarStyle(pBar->GetBarStyle() | CBRS_ALIGN_TOP | CBRS_TOOLTIPS | CBRS_FLYBY);
            pBar->EnableToolTips(TRUE);
        }
    }
    pPane->RepositionBars(0, 0xFFFF, nLeftOverId);
}
