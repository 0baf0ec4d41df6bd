// CUiComboBox: a flat combo box with hover tracking and type-ahead completion.
//
// Typing into its edit selects the first list entry that begins with the typed text and
// leaves the completed tail selected; Delete, Backspace and the editing commands disarm the
// completion until the next key press. A disabled combo keeps its edit enabled but
// read-only, so its text can still be selected and copied.
#pragma once
#include "afxctrls.h"
#include "comboedithook.h"
#include "mousecapturesink.h"

class CUiComboBox : public CComboBox, public CUiMouseCaptureSink {
    DECLARE_DYNCREATE(CUiComboBox)
public:
    enum : BYTE {
        kTypeAhead = 0x01, kEditMenu = 0x02, kRepaintPending = 0x04, kHoverTimer = 0x08, kCompletionArmed = 0x10,
    };
    enum { kHoverTimerId = 10, kHoverPeriod = 50 };

    CUiComboBox();
    ~CUiComboBox() override;

    virtual void PaintFlat(bool bPushed, bool bHover);
    virtual void DrawFlatFrame(bool bPushed, bool bHover, CDC& dc);

    void PreSubclassWindow() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override;

    // Completes the typed text from the list (the reflected CBN_EDITUPDATE).
    void CompleteTypedText();
    void StartHover();

    BYTE m_bComboFlags;
    CUiComboEditCtrlHook m_wndEditHook;

protected:
    void AttachEditHook();
    void HoverTimerStep();
    void DrawFrameNow(bool bPushed, bool bHover);
    HWND EditChild() const;
};
