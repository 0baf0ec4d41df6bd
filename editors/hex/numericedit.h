// CNumericEdit: an edit control that takes only hexadecimal digits from the keyboard.
// Backspace and 0-9, a-f, A-F reach the edit; every other character, control characters
// included, is dropped, so the clipboard shortcuts (which arrive as control characters) do
// nothing in the field. Text put in by other means (WM_SETTEXT, WM_PASTE) is not filtered.
#pragma once

#include "afxwin.h"

class CNumericEdit : public CEdit {
    DECLARE_DYNAMIC(CNumericEdit)
public:
    CNumericEdit() {}

    // Whether a typed character reaches the edit.
    static bool IsAcceptedChar(UINT ch);

protected:
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    DECLARE_MESSAGE_MAP()
};
