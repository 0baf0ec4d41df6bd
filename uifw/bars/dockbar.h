// The framework's dock bars: the inner dock bar and the frame's outer dock bars (the four
// sides, ids 0xE81B top, 0xE81E bottom, 0xE81C left, 0xE81D right).
#pragma once
#include "afxext.h"

class CUiDockBar : public CDockBar {
    DECLARE_DYNAMIC(CUiDockBar)
public:
    explicit CUiDockBar(BOOL bFloating = FALSE);
    ~CUiDockBar() override;
};

class CUiDockOuterBar : public CUiDockBar {
    DECLARE_DYNAMIC(CUiDockOuterBar)
public:
    explicit CUiDockOuterBar(BOOL bFloating = FALSE);
    ~CUiDockOuterBar() override;
};
