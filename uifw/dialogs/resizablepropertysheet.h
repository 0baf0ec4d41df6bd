// CUiResizablePropertySheet: a property sheet that can be resized. It anchors its tab
// control, its pages and its push buttons (subclassed as framework buttons), keeps a newly
// active page in the place of the page before it, shows a size gripper, cannot be made
// smaller than at its set-up, maximises to its monitor's work area and can save its
// placement.
//
// The set-up runs once, on a message the sheet posts to itself at WM_CREATE, after the
// common control has made its pages and buttons; until then every message goes straight to
// the class library's sheet, so the anchoring layers stay out of the control's own set-up.
// Ctrl+Tab and Ctrl+Shift+Tab page forward and back without wrapping.
#pragma once
#include "respp.h"
#include "uibutton.h"
#include "windowanchors.h"

typedef CUiWA<CUiWS<CUiResPS, 301>> CUiResizablePropertySheetBase;

class CUiResizablePropertySheet : public CUiResizablePropertySheetBase {
    DECLARE_DYNCREATE(CUiResizablePropertySheet)
public:
    enum { kSetUpDone = 0x01 };
    // The message the sheet posts to itself for its one-time set-up.
    enum { kSetUpMessage = WM_USER + 10 };

    // A push button of the sheet drawn as a framework button; it deletes itself with its
    // window.
    class CButtonInSheetHook : public CUiButton {
    public:
        CButtonInSheetHook();
        ~CButtonInSheetHook() override;
        void PostNcDestroy() override;
        // Hooks alive in the process (they must all go with their sheets).
        static int GetLiveCount();
    };

    CUiResizablePropertySheet();

    void AnchorPage(CPropertyPage* pPage);
    virtual void AdjustSheetStyle();
    virtual void OnChildSheetLayout();

    void PreSubclassWindow() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override;

    BYTE m_bSheetFlags;

protected:
    void SetUpLayout();
    // Shows the page next to the active one (nTarget) where the active page was.
    void SwitchPageInPlace(int nTarget);
    void PlaceLikeBefore(CPropertyPage* pPageBefore);
    CPropertyPage* m_pPageBeforeSwitch;
};
