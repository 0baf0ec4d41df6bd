// CUiComboEditCtrlHook: the edit child of a CUiComboBox. Its editing commands disarm the
// combo's type-ahead completion, and its context menu follows the combo's menu switch.
#pragma once
#include "uieditbase.h"

class CUiComboBox;

class CUiComboEditCtrlHook : public CUiEditBase {
    DECLARE_DYNCREATE(CUiComboEditCtrlHook)
public:
    CUiComboEditCtrlHook();

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override;

protected:
    CUiComboBox* GetCombo() const;
};
