// CUiCheckBox: a two- or three-state check box painted by the framework: a 13 x 13 mark,
// the text and a focus rectangle, with hover and pressed looks. The mark goes first to a
// hook that a look may answer; otherwise the platform's frame control draws it.
//
// The press flags note what is held (the left mouse button, the space key) so the mark can
// show its pressed look; a double click counts as a second press, so fast clicks each toggle.
#pragma once
#include "uibutton.h"

class CUiCheckBox : public CUiButton {
    DECLARE_DYNCREATE(CUiCheckBox)
public:
    enum : BYTE { kMouseHeld = 0x01, kSpaceHeld = 0x02 };
    enum { kBoxSize = 13, kBoxGap = 4 };

    CUiCheckBox();

    virtual void PaintCheckBox(CDC& dc, PushButtonPaintData& data);
    virtual void DrawCheckMark(CDC& dc, const CRect& rcBox, const PushButtonPaintData& data);
    virtual bool PaintCheckBoxHook(CDC& dc, const CRect& rcBox, int nStateIndex);

    void OnClick(bool bFromKeyboard, bool bOnDropDownPart) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    void PaintButton(CDC& dc, bool bBackgroundPainted) override;

    BYTE m_bPressFlags;

protected:
    int MarkLookOf(const PushButtonPaintData& data) const;
    // The platform's mark of a kind (DFCS_BUTTONCHECK, DFCS_BUTTONRADIO) in a look.
    void DrawFrameMark(CDC& dc, const CRect& rcBox, UINT nKind, int nLook) const;
};
