// The framework's floating frame of a control bar.
#pragma once
#include "afxext.h"
#include "mousecapturesink.h"

class CUiMiniDockFrameWnd : public CMiniDockFrameWnd, public CUiMouseCaptureSink {
    DECLARE_DYNCREATE(CUiMiniDockFrameWnd)
public:
    CUiMiniDockFrameWnd();
    ~CUiMiniDockFrameWnd() override;
};
