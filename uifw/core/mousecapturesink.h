// The one road by which the framework's drag and hover loops take the mouse capture: bars,
// floating frames, buttons, tab windows and controls derive from it, so a capture can be
// watched or redirected in one place.
#pragma once

#include <windows.h>

class CUiMouseCaptureSink
{
public:
    virtual ~CUiMouseCaptureSink();
    // Captures the mouse for hWnd; the window that had the capture before, or NULL.
    virtual HWND SetCapture(HWND hWnd);
};
