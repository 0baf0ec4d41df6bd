// CUiColorDlg: the framework's modal colour dialog. A large colour control in a selectable
// mode, a difference view with the old colour beside the new one, the list of picker modes
// and nine value fields (red, green, blue; cyan, magenta, yellow; hue, saturation,
// lightness) that follow every change and can be edited.
//
// Every writer of the fields holds the updating guard, so the EN_CHANGE notifications of
// its own writes never feed back into the colour; an edited group rewrites the two other
// groups and never itself, so rounding cannot fight the user's typing. After IDOK the new
// colour member holds the choice. The template comes from the framework's resources.
#pragma once
#include "colorctrl.h"
#include "resizabledialog.h"
#include "uibutton.h"
#include "uicombobox.h"
#include "uilabel.h"

class CUiColorDlg : public CUiResizableDialog {
public:
    CUiColorDlg(COLORREF clrOld, COLORREF clrNew, CWnd* pParentWnd = NULL);

    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override;

    // The fields of the flagged groups for a colour, then the picker, the difference view
    // and the new colour member follow it.
    void UpdateFields(COLORREF clr, bool bRgb, bool bCmy, bool bHsl);

    COLORREF m_clrOld;
    COLORREF m_clrNew;
    CString m_strCaption;
    CSpinButtonCtrl m_spins[9];
    CEdit m_fields[9];
    CUiComboBox m_wndModes;
    CUiButton m_btnCancel;
    CUiButton m_btnOK;
    CUiLabel m_labels[12];
    bool m_bInitialized;
    bool m_bUpdating;
    CUiColorCtrl m_picker;
    CUiColorCtrl m_diff;
    HICON m_hIcon;

protected:
    void OnColorChanged(const CUiColorCtrl::color_triple_t* pColors);
    void OnFieldChanged(int nGroup);
    void OnModeChosen();
    void PaintMinimizedIcon();
};
