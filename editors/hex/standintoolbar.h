// CStandInToolBar: a plain stand-in for the window framework's toolbar control bar, until the
// framework's own class takes its place. A dialog template names the window class
// "VaviRIZ-ControlBar"; the dialog binds the control with DDX_Control and fills it with
// SetButtonList, InsertButton and AttachButtonControl, the operations of the framework's bar
// that the dialogs use. Each button is a plain push button captioned with the short text of
// its command (the part of the command's string after '\n'); a separator is a gap. Commands
// and notifications of the buttons and attached controls go on to the bar's parent.
#pragma once

#include "afxwin.h"

#include <vector>

extern const char kControlBarClassName[];  // "VaviRIZ-ControlBar"

class CStandInToolBar : public CWnd {
public:
    CStandInToolBar();

    // Registers the window class "VaviRIZ-ControlBar" unless it exists already; dialogs whose
    // template holds such a control call it before they are created.
    static BOOL RegisterWndClass();

    // Replaces the buttons by one per entry, in order; 0 is a separator.
    BOOL SetButtonList(const UINT* pIDs, int nCount);
    // Inserts a button at the index; -1 appends it.
    BOOL InsertButton(int nIndex, UINT nID, BOOL bRedraw = TRUE);
    // Index of the first button with the command, or -1.
    int CommandToButtonIndex(UINT nID) const;
    // Puts a child window of the bar whose control id is the button's command in the button's
    // place. FALSE for a bad index, a window that is no child of the bar, or another id.
    BOOL AttachButtonControl(int nIndex, CWnd* pWnd, BOOL bRedraw = TRUE);

    int GetButtonCount() const { return static_cast<int>(m_buttons.size()); }
    UINT GetButtonID(int nIndex) const;
    // The window in the button's place: its push button or the attached control (null for a
    // separator).
    HWND GetButtonWindow(int nIndex) const;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

private:
    struct Button {
        UINT nID;
        HWND hButton;    // the push button, or null for a separator or an attached control
        HWND hAttached;  // the control in the button's place
    };

    HWND CreateButtonWindow(UINT nID);
    void DestroyButtons();
    void RecalcLayout();

    std::vector<Button> m_buttons;
};
