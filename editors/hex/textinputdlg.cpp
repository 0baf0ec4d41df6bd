// The text input dialog.
#include "textinputdlg.h"

#include <vector>

#include "resource.h"

namespace {
int g_nLastLineEnd = 0;
const int kToolBarHeight = 24;
} // namespace

BEGIN_MESSAGE_MAP(CTextInputDlg, CDialog)
    ON_COMMAND(ID_TEXTINPUT_APPLY, OnApply)
    ON_COMMAND(ID_TEXTINPUT_SJIS, OnApplySjis)
    ON_COMMAND(ID_TEXTINPUT_JIS, OnApplyJis)
    ON_COMMAND(ID_TEXTINPUT_EUC, OnApplyEuc)
    ON_COMMAND(ID_TEXTINPUT_UTF8, OnApplyUtf8)
    ON_COMMAND(ID_TEXTINPUT_CLOSE, OnCloseCommand)
    ON_WM_SIZE()
END_MESSAGE_MAP()

CTextInputDlg::CTextInputDlg(CWnd* pParent)
    : CDialog(IDD_TEXT_INPUT, pParent), m_nCharCode(0), m_nLineEnd(g_nLastLineEnd)
{
    // The template's toolbar needs its window class before the dialog is made.
    CUiControlBar::RegisterBarWindowClass();
}

int CTextInputDlg::GetLastLineEnd()
{
    return g_nLastLineEnd;
}

void CTextInputDlg::SetLastLineEnd(int nLineEnd)
{
    g_nLastLineEnd = nLineEnd;
}

LPCSTR CTextInputDlg::CaptionSuffix(int nCharCode)
{
    switch (nCharCode) {
    case 0:
        return " - ASCII";
    case 1:
        return " - SHIFTJIS";
    case 2:
        return " - JIS";
    case 3:
        return " - EUC";
    case 4:
        return " - UTF8";
    default:
        return " - Unknown";
    }
}

void CTextInputDlg::SetData(const COleSafeArray& data)
{
    m_data = data;
}

void CTextInputDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_TEXTINPUT_LINE_END, m_lineEndList);
    DDX_Control(pDX, IDC_TEXTINPUT_TEXT, m_edit);
    DDX_Control(pDX, IDC_TEXTINPUT_TOOLBAR, m_toolBar);
}

BOOL CTextInputDlg::OnInitDialog()
{
    CDialog::OnInitDialog();

    static const UINT kButtons[] = {ID_TEXTINPUT_APPLY, 0, ID_TEXTINPUT_SJIS, ID_TEXTINPUT_JIS,
                                    ID_TEXTINPUT_EUC, ID_TEXTINPUT_UTF8, 0};
    m_toolBar.SetButtonList(kButtons, sizeof(kButtons) / sizeof(kButtons[0]));
    m_toolBar.InsertButton(-1, IDC_TEXTINPUT_LINE_END, FALSE);
    m_lineEndList.SetParent(&m_toolBar);
    m_toolBar.AttachButtonControl(m_toolBar.CommandToButtonIndex(IDC_TEXTINPUT_LINE_END), &m_lineEndList, true);
    m_lineEndList.SetCurSel(m_nLineEnd);

    // The bytes with a terminating NUL become the field's text.
    std::vector<char> text(1, '\0');
    if (m_data.vt == (VT_ARRAY | VT_UI1) && m_data.parray != NULL) {
        const DWORD size = m_data.GetOneDimSize();
        void* p = NULL;
        m_data.AccessData(&p);
        text.assign(static_cast<const char*>(p), static_cast<const char*>(p) + size);
        m_data.UnaccessData();
        text.push_back('\0');
    }
    m_edit.SetWindowText(text.data());

    CString caption;
    GetWindowText(caption);
    caption += CaptionSuffix(m_nCharCode);
    SetWindowText(caption);

    RecalcLayout();
    return TRUE;
}

void CTextInputDlg::RecalcLayout()
{
    if (m_toolBar.m_hWnd == NULL || m_edit.m_hWnd == NULL)
        return;
    CRect rc;
    GetClientRect(&rc);
    m_toolBar.MoveWindow(0, 0, rc.Width(), kToolBarHeight);
    m_edit.MoveWindow(4, 28, rc.Width() - 8, rc.Height() - 32);
}

void CTextInputDlg::OnSize(UINT nType, int cx, int cy)
{
    CDialog::OnSize(nType, cx, cy);
    RecalcLayout();
}

void CTextInputDlg::Apply(int nCharCode)
{
    m_nCharCode = nCharCode;
    EndDialog(IDOK);
}

void CTextInputDlg::OnApply()
{
    Apply(m_nCharCode);
}

void CTextInputDlg::OnApplySjis()
{
    Apply(1);
}

void CTextInputDlg::OnApplyJis()
{
    Apply(2);
}

void CTextInputDlg::OnApplyEuc()
{
    Apply(3);
}

void CTextInputDlg::OnApplyUtf8()
{
    Apply(4);
}

void CTextInputDlg::OnCloseCommand()
{
    EndDialog(IDCANCEL);
}

BOOL CTextInputDlg::DestroyWindow()
{
    // Runs however the dialog ends: the line end and the text are kept even on cancel.
    if (m_lineEndList.m_hWnd != NULL) {
        const int selected = m_lineEndList.GetCurSel();
        m_nLineEnd = selected == 1 ? 1 : 0;
        g_nLastLineEnd = m_nLineEnd;
    }
    if (m_edit.m_hWnd != NULL) {
        m_edit.GetWindowText(m_strText);
        m_data.Clear();
        m_data.CreateOneDim(VT_UI1, static_cast<DWORD>(m_strText.GetLength()),
                            m_strText.IsEmpty() ? NULL : static_cast<LPCSTR>(m_strText));
    }
    return CDialog::DestroyWindow();
}
