// CUiEditBase: an edit whose context menu is a framework popup menu of the six edit
// commands, which the edit itself executes and enables (unless the window has no command
// profile or the menu is switched off: then the platform's menu).
#pragma once
#include "afxctrls.h"

class CUiEditBase : public CEdit {
    DECLARE_DYNCREATE(CUiEditBase)
public:
    enum : BYTE { kFrameworkMenu = 0x01 };

    CUiEditBase();

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override;

    // Whether the command is enabled for the edit's state; false for other commands.
    bool IsEditCommandEnabled(UINT nID);

    BYTE m_bEditFlags;

protected:
    // Shows the framework menu at the point (screen; outside the window: its centre); false
    // when it could not be built or shown.
    bool TrackEditMenu(CPoint ptScreen);
    void OnContextMenuMsg(WPARAM wParam, LPARAM lParam);
};
