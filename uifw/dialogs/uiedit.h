// CUiEdit: a flat edit whose frame the paint manager draws, lit while the mouse is over it
// or it has the focus.
#pragma once
#include "uieditbase.h"

class CUiEdit : public CUiEditBase {
    DECLARE_DYNCREATE(CUiEdit)
public:
    enum : BYTE { kMouseOver = 0x01 };
    enum { kHoverTimerId = 1, kHoverPeriod = 50 };

    CUiEdit();

    virtual void RedrawFrame();
    virtual void DrawFlatFrame(const RECT& rc, CDC& dc);
    virtual BOOL IsEffectivelyEnabled();

    LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override;

    BYTE m_bHoverFlags;

protected:
    void OnHoverTimer();
    void PaintNonClient();
};
