// The non-client wrapper of the main frame's panes: each pane dialog is held as
// CNcPaneWrapper<its class>, which gives the dialog a one-pixel border in the current look.
// The client area shrinks by a pixel on every side, and the border is painted by the paint
// manager, so it changes with the look. The wrapper adds no data.
#pragma once
#include "afxwin.h"

// The pane's answer to a non-client message it handles itself (size or paint of the border);
// false for any other message.
bool HandlePaneNcMessage(CWnd* pPane, UINT nMsg, WPARAM wParam, LPARAM lParam, LRESULT& lResult);

template <class TPane>
class CNcPaneWrapper : public TPane {
public:
    ~CNcPaneWrapper() override {}

    LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override
    {
        LRESULT lResult = 0;
        if (HandlePaneNcMessage(this, nMsg, wParam, lParam, lResult))
            return lResult;
        return TPane::WindowProc(nMsg, wParam, lParam);
    }
};
