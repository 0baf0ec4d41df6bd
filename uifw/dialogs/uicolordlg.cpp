#include "uicolordlg.h"
#include "colordlgfields.h"
#include "resourcemanager.h"
#include "uifwres.h"

#include <cstdlib>

namespace {

// The fields in group order: red, green, blue; cyan, magenta, yellow; hue, saturation, lightness.
const UINT kFieldIds[9] = {IDC_UI_COLOR_RED,  IDC_UI_COLOR_GREEN,   IDC_UI_COLOR_BLUE,
                           IDC_UI_COLOR_CYAN, IDC_UI_COLOR_MAGENTA, IDC_UI_COLOR_YELLOW,
                           IDC_UI_COLOR_HUE,  IDC_UI_COLOR_SATURATION, IDC_UI_COLOR_LIGHTNESS};
const UINT kSpinIds[9] = {IDC_UI_COLOR_SPIN_RED,  IDC_UI_COLOR_SPIN_GREEN,   IDC_UI_COLOR_SPIN_BLUE,
                          IDC_UI_COLOR_SPIN_HUE,  IDC_UI_COLOR_SPIN_SATURATION, IDC_UI_COLOR_SPIN_LIGHTNESS,
                          IDC_UI_COLOR_SPIN_CYAN, IDC_UI_COLOR_SPIN_MAGENTA, IDC_UI_COLOR_SPIN_YELLOW};
const UINT kLabelIds[12] = {IDC_UI_COLOR_LABEL_DIFF,    IDC_UI_COLOR_LABEL_RED,        IDC_UI_COLOR_LABEL_GREEN,
                            IDC_UI_COLOR_LABEL_BLUE,    IDC_UI_COLOR_LABEL_CYAN,       IDC_UI_COLOR_LABEL_MAGENTA,
                            IDC_UI_COLOR_LABEL_YELLOW,  IDC_UI_COLOR_LABEL_HUE,        IDC_UI_COLOR_LABEL_SATURATION,
                            IDC_UI_COLOR_LABEL_LIGHTNESS, IDC_UI_COLOR_LABEL_RGB,      IDC_UI_COLOR_LABEL_HSL};

const UINT kIdsValueRange = 30002;

const CSize kAnchorTop(0, 0);
const CSize kAnchorRight(100, 0);
const CSize kAnchorBottom(0, 100);
const CSize kAnchorAll(100, 100);

int GroupOfField(UINT nId)
{
    for (int i = 0; i < 9; ++i) {
        if (kFieldIds[i] == nId)
            return i / 3;
    }
    return -1;
}

} // namespace

CUiColorDlg::CUiColorDlg(COLORREF clrOld, COLORREF clrNew, CWnd* pParentWnd)
    : CUiResizableDialog(IDD_UI_COLOR_DLG, pParentWnd), m_clrOld(clrOld), m_clrNew(clrNew), m_bInitialized(false),
      m_bUpdating(false), m_picker(CUiColorCtrl::kModeBasicColors), m_diff(CUiColorCtrl::kModeDiff), m_hIcon(NULL)
{
    HINSTANCE hInst = NULL;
    if (CUiResourceManager* pManager = ResourceManagerHolder::GetResourceManager())
        hInst = pManager->FindResourceHandle(RT_GROUP_ICON, MAKEINTRESOURCE(IDI_UI_COLOR_DLG));
    if (hInst != NULL)
        m_hIcon = ::LoadIconA(hInst, MAKEINTRESOURCEA(IDI_UI_COLOR_DLG));
}

void CUiColorDlg::DoDataExchange(CDataExchange* pDX)
{
    CUiResizableDialog::DoDataExchange(pDX);
    for (int i = 0; i < 9; ++i) {
        DDX_Control(pDX, (int)kSpinIds[i], m_spins[i]);
        DDX_Control(pDX, (int)kFieldIds[i], m_fields[i]);
    }
    DDX_Control(pDX, IDC_UI_COLOR_MODES, m_wndModes);
    DDX_Control(pDX, IDCANCEL, m_btnCancel);
    DDX_Control(pDX, IDOK, m_btnOK);
    for (int i = 0; i < 12; ++i)
        DDX_Control(pDX, (int)kLabelIds[i], m_labels[i]);
}

BOOL CUiColorDlg::OnInitDialog()
{
    CUiResizableDialog::OnInitDialog();
    for (int nMode = 0; nMode < CUiColorCtrl::kModeDiff; ++nMode)
        m_wndModes.AddString(CUiColorCtrl::GetModeName(nMode));
    if (m_hIcon != NULL) {
        SetIcon(m_hIcon, TRUE);
        SetIcon(m_hIcon, FALSE);
    }
    if (!m_strCaption.IsEmpty()) {
        const int nLineFeed = m_strCaption.ReverseFind('\n');
        SetWindowText(nLineFeed >= 0 ? m_strCaption.Mid(nLineFeed + 1) : m_strCaption);
    }

    m_picker.m_colors.clrRef = m_picker.m_colors.clrPrevious = m_clrOld;
    m_picker.m_colors.clrCurrent = m_clrNew;
    m_diff.m_colors.clrRef = m_diff.m_colors.clrCurrent = m_diff.m_colors.clrPrevious = m_clrOld;
    m_wndModes.SetCurSel(m_picker.GetMode());

    AnchorDlgItem(IDC_UI_COLOR_MODES, kAnchorTop, kAnchorRight);
    AnchorDlgItem(IDC_UI_COLOR_PICKER, kAnchorTop, kAnchorAll);
    for (int i = 0; i < 9; ++i) {
        AnchorDlgItem(kFieldIds[i], kAnchorRight, kAnchorRight);
        AnchorDlgItem(kSpinIds[i], kAnchorRight, kAnchorRight);
    }
    for (UINT nId : kLabelIds)
        AnchorDlgItem(nId, kAnchorRight, kAnchorRight);
    AnchorDlgItem(IDC_UI_COLOR_DIFF, kAnchorRight, kAnchorRight);
    AnchorDlgItem(IDOK, kAnchorBottom, kAnchorBottom);
    AnchorDlgItem(IDCANCEL, kAnchorBottom, kAnchorBottom);
    ShowSizeGrip(true);

    m_picker.SubclassDlgItem(IDC_UI_COLOR_PICKER, this);
    m_diff.SubclassDlgItem(IDC_UI_COLOR_DIFF, this);
    for (CSpinButtonCtrl& spin : m_spins)
        spin.SetRange(0, 255);

    m_bInitialized = true;
    OnColorChanged(&m_picker.m_colors);
    m_diff.SetColor(m_clrOld, false);
    return TRUE;
}

void CUiColorDlg::UpdateFields(COLORREF clr, bool bRgb, bool bCmy, bool bHsl)
{
    const bool bWanted[kUiColorGroupCount] = {bRgb, bCmy, bHsl};
    for (int nGroup = 0; nGroup < kUiColorGroupCount; ++nGroup) {
        if (!bWanted[nGroup])
            continue;
        int values[3];
        UiColorToGroupValues(clr, nGroup, values);
        for (int i = 0; i < 3; ++i) {
            CString strValue;
            strValue.Format("%d", values[i]);
            m_fields[nGroup * 3 + i].SetWindowText(strValue);
        }
    }
    if (m_picker.GetColor() != clr)
        m_picker.SetColor(clr, false);
    if (m_diff.GetColor() != clr)
        m_diff.SetColor(clr, false);
    m_clrNew = m_picker.GetColor();
}

void CUiColorDlg::OnColorChanged(const CUiColorCtrl::color_triple_t* pColors)
{
    if (m_bUpdating || pColors == nullptr)
        return;
    m_bUpdating = true;
    UpdateFields(pColors->clrCurrent, true, true, true);
    m_bUpdating = false;
}

void CUiColorDlg::OnFieldChanged(int nGroup)
{
    if (!m_bInitialized || m_bUpdating)
        return;
    CString strMessage;
    if (!ResourceManagerHolder::GetResourceManager()->LoadString(strMessage, kIdsValueRange))
        strMessage = "Value must be in range 0..255";
    m_bUpdating = true;
    int values[3];
    for (int i = 0; i < 3; ++i) {
        CString strValue;
        m_fields[nGroup * 3 + i].GetWindowText(strValue);
        values[i] = std::atoi(strValue);
    }
    COLORREF clr = 0;
    const int nInvalid = UiColorFromGroupValues(nGroup, values, clr);
    if (nInvalid >= 0) {
        AfxMessageBox(strMessage, MB_OK);
        m_fields[nGroup * 3 + nInvalid].SetFocus();
    } else {
        UpdateFields(clr, nGroup != kUiColorGroupRgb, nGroup != kUiColorGroupCmy, nGroup != kUiColorGroupHsl);
    }
    m_bUpdating = false;
}

void CUiColorDlg::OnModeChosen()
{
    if (!m_bInitialized)
        return;
    const int nMode = m_wndModes.GetCurSel();
    if (nMode < 0)
        return;
    m_picker.ReleasePickers();
    m_picker.SetMode(nMode);
}

void CUiColorDlg::PaintMinimizedIcon()
{
    CPaintDC dc(this);
    SendMessage(WM_ICONERASEBKGND, (WPARAM)dc.GetSafeHdc(), 0);
    CRect rc;
    GetClientRect(&rc);
    const int x = (rc.Width() - ::GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (rc.Height() - ::GetSystemMetrics(SM_CYICON) + 1) / 2;
    if (m_hIcon != NULL)
        dc.DrawIcon(x, y, m_hIcon);
}

LRESULT CUiColorDlg::WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    if (nMsg == CUiColorCtrl::g_nMsgColorChanged) {
        OnColorChanged((const CUiColorCtrl::color_triple_t*)lParam);
        return 0;
    }
    switch (nMsg) {
    case WM_COMMAND:
        if (HIWORD(wParam) == EN_CHANGE) {
            const int nGroup = GroupOfField(LOWORD(wParam));
            if (nGroup >= 0) {
                OnFieldChanged(nGroup);
                return 0;
            }
        } else if (HIWORD(wParam) == CBN_SELENDOK && LOWORD(wParam) == IDC_UI_COLOR_MODES) {
            OnModeChosen();
            return 0;
        }
        break;
    case WM_PAINT:
        if (IsIconic()) {
            PaintMinimizedIcon();
            return 0;
        }
        break;
    case WM_QUERYDRAGICON:
        return (LRESULT)m_hIcon;
    case WM_CONTEXTMENU:
        return 0;
    case WM_SIZE: {
        const LRESULT lr = CUiResizableDialog::WindowProc(nMsg, wParam, lParam);
        ::RedrawWindow(m_hWnd, NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_ERASE);
        return lr;
    }
    default:
        break;
    }
    return CUiResizableDialog::WindowProc(nMsg, wParam, lParam);
}
