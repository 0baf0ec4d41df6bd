// CUiRadioButton: a framework radio button that keeps its group exclusive. A click clears
// the group's other checked radio buttons and their tab stops, then checks itself (a checked
// one stays checked and still notifies); the arrow keys move the check, the tab stop and the
// focus to the next or previous enabled, visible radio button of the group the same way.
#pragma once
#include "uicheckbox.h"

class CUiRadioButton : public CUiCheckBox {
    DECLARE_DYNCREATE(CUiRadioButton)
public:
    virtual bool PaintRadioHook(CDC& dc, const CRect& rcBox, int nStateIndex);

    BOOL PreTranslateMessage(MSG* pMsg) override;
    LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override;
    void OnClick(bool bFromKeyboard, bool bOnDropDownPart) override;
    void DrawCheckMark(CDC& dc, const CRect& rcBox, const PushButtonPaintData& data) override;

    // Unchecks the group's other checked radio buttons and takes their tab stops (only when
    // this one is enabled).
    void ClearGroup();
    // Moves the check to the next (or previous) enabled, visible radio button of the group;
    // false when there is none or it is checked already.
    bool MoveInGroup(bool bNext);
};
