// CDialog, dialog init data and the dialog data exchange.
#include "afxdialog.h"
#include "afxdc.h"
#include "afxapp.h"
#include "afxwinstate.h"
#include <errno.h>
#include <stdlib.h>

// ---------------------------------------------------------------------------------------
// Dialog init data (RT_DLGINIT): records of control id, message, byte count and the bytes
// (a zero-terminated string), ended by a zero id. The message numbers are those of the
// 16-bit list and combo boxes, mapped to today's.

// Walks the records from p; pEnd bounds the walk when the size is known (a resource), so a
// damaged record cannot make it read past the data.
static BOOL AfxRunDlgInit(HWND hWnd, const BYTE* p, const BYTE* pEnd)
{
    BOOL bSuccess = TRUE;
    while (bSuccess) {
        if (pEnd != nullptr && p + 2 > pEnd)
            break;
        WORD nIDC = *(const WORD*)p;
        if (nIDC == 0)
            break;
        if (pEnd != nullptr && p + 8 > pEnd)
            return FALSE;
        WORD nMsg = *(const WORD*)(p + 2);
        DWORD dwLen = *(const DWORD*)(p + 4);
        p += 8;
        if (pEnd != nullptr && dwLen > (DWORD)(pEnd - p))
            return FALSE;
        // The text up to its terminating zero, never beyond the record.
        CString strItem((LPCSTR)p, (int)dwLen);
        strItem = CString((LPCSTR)strItem);
        if (nMsg == 0x1234)
            nMsg = CBEM_INSERTITEMA;
        else if (nMsg == 0x0401)
            nMsg = LB_ADDSTRING;
        else if (nMsg == 0x0403)
            nMsg = CB_ADDSTRING;
        if (nMsg == LB_ADDSTRING || nMsg == CB_ADDSTRING) {
            LRESULT lr = ::SendDlgItemMessage(hWnd, nIDC, nMsg, 0, (LPARAM)(LPCSTR)strItem);
            if (lr == LB_ERR || lr == LB_ERRSPACE)
                bSuccess = FALSE;
        } else if (nMsg == CBEM_INSERTITEMA) {
            COMBOBOXEXITEMA item = {};
            item.mask = CBEIF_TEXT;
            item.iItem = -1;
            item.pszText = (LPSTR)(LPCSTR)strItem;
            if (::SendDlgItemMessage(hWnd, nIDC, CBEM_INSERTITEMA, 0, (LPARAM)&item) == -1)
                bSuccess = FALSE;
        }
        p += dwLen;
    }
    return bSuccess;
}

BOOL CWnd::ExecuteDlgInit(LPCTSTR lpszResourceName)
{
    if (lpszResourceName == NULL || m_hWnd == NULL)
        return TRUE;
    HINSTANCE hInst = AfxGetResourceHandle();
    HRSRC hRsrc = ::FindResource(hInst, lpszResourceName, RT_DLGINIT);
    if (hRsrc == NULL)
        return TRUE;   // no init data: nothing to do
    HGLOBAL hRes = ::LoadResource(hInst, hRsrc);
    const BYTE* p = hRes != NULL ? (const BYTE*)::LockResource(hRes) : nullptr;
    if (p == nullptr)
        return FALSE;
    return AfxRunDlgInit(m_hWnd, p, p + ::SizeofResource(hInst, hRsrc));
}

BOOL CWnd::ExecuteDlgInit(const void* lpResource, DWORD dwSize)
{
    if (lpResource == nullptr || m_hWnd == NULL)
        return TRUE;
    return AfxRunDlgInit(m_hWnd, (const BYTE*)lpResource, (const BYTE*)lpResource + dwSize);
}

BOOL CWnd::ExecuteDlgInit(LPVOID lpResource)
{
    if (lpResource == nullptr || m_hWnd == NULL)
        return TRUE;
    return AfxRunDlgInit(m_hWnd, (const BYTE*)lpResource, nullptr);
}

// ---------------------------------------------------------------------------------------
// CWnd's data exchange entry points.

void CWnd::DoDataExchange(CDataExchange*)
{
}

BOOL CWnd::UpdateData(BOOL bSaveAndValidate)
{
    if (m_hWnd == NULL)
        return FALSE;
    CDataExchange dx(this, bSaveAndValidate);
    // Controls changed by the exchange must not notify their parent meanwhile.
    AFX_WIN_THREAD_STATE* pState = AfxGetWinThreadState();
    HWND hWndOldLockout = pState->hLockoutNotifyWindow;
    pState->hLockoutNotifyWindow = m_hWnd;
    BOOL bOK = FALSE;
    try {
        DoDataExchange(&dx);
        bOK = TRUE;
    } catch (CUserException* e) {
        e->Delete();   // already reported to the user
    } catch (CException* e) {
        e->ReportError(MB_ICONSTOP);
        e->Delete();
    }
    pState->hLockoutNotifyWindow = hWndOldLockout;
    return bOK;
}

void CWnd::UpdateDialogControls(CCmdTarget* pTarget, BOOL bDisableIfNoHndler)
{
    if (m_hWnd == NULL)
        return;
    CCmdUI state;
    CWnd wndTemp;
    for (HWND hWndChild = ::GetTopWindow(m_hWnd); hWndChild != NULL;
         hWndChild = ::GetWindow(hWndChild, GW_HWNDNEXT)) {
        state.m_nID = (UINT)::GetDlgCtrlID(hWndChild);
        state.m_pOther = &wndTemp;
        wndTemp.m_hWnd = hWndChild;
        // A reflected update handler of the control itself comes first.
        CWnd* pWnd = CWnd::FromHandlePermanent(hWndChild);
        if (pWnd != nullptr &&
            pWnd->CCmdTarget::OnCmdMsg(0, MAKELONG(0xFFFF, WM_COMMAND + WM_REFLECT_BASE), &state, NULL))
            continue;
        if (CCmdTarget::OnCmdMsg(state.m_nID, (int)CN_UPDATE_COMMAND_UI, &state, NULL))
            continue;
        // Only push buttons are greyed for lack of a handler.
        BOOL bDisableTemp = bDisableIfNoHndler;
        if (bDisableTemp) {
            if ((wndTemp.SendMessage(WM_GETDLGCODE) & DLGC_BUTTON) == 0) {
                bDisableTemp = FALSE;
            } else {
                UINT nStyle = (UINT)(wndTemp.GetStyle() & 0x0F);
                if (nStyle == (UINT)BS_AUTOCHECKBOX || nStyle == (UINT)BS_AUTO3STATE ||
                    nStyle == (UINT)BS_GROUPBOX || nStyle == (UINT)BS_AUTORADIOBUTTON)
                    bDisableTemp = FALSE;
            }
        }
        state.DoUpdate(pTarget, bDisableTemp);
    }
    wndTemp.m_hWnd = NULL;
}

// ---------------------------------------------------------------------------------------
// CDataExchange

CDataExchange::CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
    : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd), m_hWndLastControl(NULL),
      m_bEditLastControl(FALSE), m_idLastControl(0)
{
}

HWND CDataExchange::PrepareCtrl(int nIDC)
{
    HWND hWndCtrl = ::GetDlgItem(m_pDlgWnd->m_hWnd, nIDC);
    if (hWndCtrl == NULL)
        AfxThrowNotSupportedException();   // no such control in the dialog
    m_hWndLastControl = hWndCtrl;
    m_bEditLastControl = FALSE;
    m_idLastControl = (UINT)nIDC;
    return hWndCtrl;
}

HWND CDataExchange::PrepareEditCtrl(int nIDC)
{
    HWND hWndCtrl = PrepareCtrl(nIDC);
    m_bEditLastControl = TRUE;
    return hWndCtrl;
}

void CDataExchange::Fail()
{
    if (m_bSaveAndValidate && m_hWndLastControl != NULL) {
        ::SetFocus(m_hWndLastControl);
        if (m_bEditLastControl)
            ::SendMessage(m_hWndLastControl, EM_SETSEL, 0, -1);
    }
    AfxThrowUserException();
}

// ---------------------------------------------------------------------------------------
// DDX

static CString AfxGetText(HWND hWnd)
{
    CString str;
    int nLen = ::GetWindowTextLength(hWnd);
    ::GetWindowText(hWnd, str.GetBuffer(nLen), nLen + 1);
    str.ReleaseBuffer();
    return str;
}

// Sets the text only when it differs, so that a field does not flicker or lose its
// selection on every exchange.
static void AfxSetWindowTextIfChanged(HWND hWnd, LPCTSTR lpszNew)
{
    if (AfxGetText(hWnd) != lpszNew)
        ::SetWindowText(hWnd, lpszNew);
}

static void AfxFailWithPrompt(CDataExchange* pDX, LPCTSTR lpszPrompt)
{
    AfxMessageBox(lpszPrompt, MB_ICONEXCLAMATION);
    pDX->Fail();
}

// A whole number with optional sign and surrounding blanks; FALSE when the text is not one
// or does not fit.
static BOOL AfxParseInteger(LPCTSTR lpsz, BOOL bSigned, long long llMin, long long llMax, long long& rValue)
{
    while (*lpsz == ' ' || *lpsz == '\t')
        ++lpsz;
    if (*lpsz == '\0')
        return FALSE;
    if (!bSigned && *lpsz == '-')
        return FALSE;
    char* pEnd = nullptr;
    errno = 0;
    long long ll = strtoll(lpsz, &pEnd, 10);
    if (pEnd == lpsz || errno == ERANGE)
        return FALSE;
    while (*pEnd == ' ' || *pEnd == '\t')
        ++pEnd;
    if (*pEnd != '\0' || ll < llMin || ll > llMax)
        return FALSE;
    rValue = ll;
    return TRUE;
}

static void AfxTextInteger(CDataExchange* pDX, int nIDC, long long& rValue, BOOL bSigned, long long llMin, long long llMax)
{
    HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        long long ll = 0;
        if (!AfxParseInteger(AfxGetText(hWndCtrl), bSigned, llMin, llMax, ll))
            AfxFailWithPrompt(pDX, bSigned ? "整数を入力してください。" : "正の整数を入力してください。");
        rValue = ll;
    } else {
        CString str;
        str.Format("%lld", rValue);
        AfxSetWindowTextIfChanged(hWndCtrl, str);
    }
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, BYTE& value)
{
    long long ll = value;
    AfxTextInteger(pDX, nIDC, ll, FALSE, 0, 255);
    value = (BYTE)ll;
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, short& value)
{
    long long ll = value;
    AfxTextInteger(pDX, nIDC, ll, TRUE, -32768, 32767);
    value = (short)ll;
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, int& value)
{
    long long ll = value;
    AfxTextInteger(pDX, nIDC, ll, TRUE, INT_MIN, INT_MAX);
    value = (int)ll;
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, UINT& value)
{
    long long ll = value;
    AfxTextInteger(pDX, nIDC, ll, FALSE, 0, UINT_MAX);
    value = (UINT)ll;
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, long& value)
{
    long long ll = value;
    AfxTextInteger(pDX, nIDC, ll, TRUE, LONG_MIN, LONG_MAX);
    value = (long)ll;
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, DWORD& value)
{
    long long ll = value;
    AfxTextInteger(pDX, nIDC, ll, FALSE, 0, 0xFFFFFFFFLL);
    value = (DWORD)ll;
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = AfxGetText(hWndCtrl);
    else
        AfxSetWindowTextIfChanged(hWndCtrl, value);
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, LPTSTR value, int nMaxLen)
{
    HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        if (nMaxLen > 0) {
            ::GetWindowText(hWndCtrl, value, nMaxLen);
            value[nMaxLen - 1] = '\0';
        }
    } else {
        AfxSetWindowTextIfChanged(hWndCtrl, value);
    }
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, double& value)
{
    HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        CString str = AfxGetText(hWndCtrl);
        LPCSTR lpsz = str;
        char* pEnd = nullptr;
        double d = strtod(lpsz, &pEnd);
        while (pEnd != nullptr && (*pEnd == ' ' || *pEnd == '\t'))
            ++pEnd;
        if (pEnd == lpsz || pEnd == nullptr || *pEnd != '\0')
            AfxFailWithPrompt(pDX, "数値を入力してください。");
        value = d;
    } else {
        CString str;
        str.Format("%.15g", value);
        AfxSetWindowTextIfChanged(hWndCtrl, str);
    }
}

void AFXAPI DDX_Check(CDataExchange* pDX, int nIDC, int& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        value = (int)::SendMessage(hWndCtrl, BM_GETCHECK, 0, 0);
    } else {
        if (value < 0 || value > 2)
            value = 0;
        ::SendMessage(hWndCtrl, BM_SETCHECK, (WPARAM)value, 0);
    }
}

void AFXAPI DDX_Radio(CDataExchange* pDX, int nIDC, int& value)
{
    // nIDC is the first radio button of its group; the group ends at the next WS_GROUP.
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = -1;
    int iButton = 0;
    do {
        if (::SendMessage(hWndCtrl, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) {
            if (pDX->m_bSaveAndValidate) {
                if (::SendMessage(hWndCtrl, BM_GETCHECK, 0, 0) != 0)
                    value = iButton;
            } else {
                ::SendMessage(hWndCtrl, BM_SETCHECK, (iButton == value), 0);
            }
            iButton++;
        }
        hWndCtrl = ::GetWindow(hWndCtrl, GW_HWNDNEXT);
    } while (hWndCtrl != NULL && !(::GetWindowLong(hWndCtrl, GWL_STYLE) & WS_GROUP));
}

void AFXAPI DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        index = (int)::SendMessage(hWndCtrl, CB_GETCURSEL, 0, 0);
    else
        ::SendMessage(hWndCtrl, CB_SETCURSEL, (WPARAM)index, 0);
}

void AFXAPI DDX_LBIndex(CDataExchange* pDX, int nIDC, int& index)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        index = (int)::SendMessage(hWndCtrl, LB_GETCURSEL, 0, 0);
    else
        ::SendMessage(hWndCtrl, LB_SETCURSEL, (WPARAM)index, 0);
}

static CString AfxComboText(HWND hWndCtrl)
{
    // A drop-down list has no edit part: its text is the selected item's.
    if ((::GetWindowLong(hWndCtrl, GWL_STYLE) & 0x3) == CBS_DROPDOWNLIST) {
        int nIndex = (int)::SendMessage(hWndCtrl, CB_GETCURSEL, 0, 0);
        CString str;
        if (nIndex != CB_ERR) {
            int nLen = (int)::SendMessage(hWndCtrl, CB_GETLBTEXTLEN, (WPARAM)nIndex, 0);
            ::SendMessage(hWndCtrl, CB_GETLBTEXT, (WPARAM)nIndex, (LPARAM)str.GetBuffer(nLen));
            str.ReleaseBuffer();
        }
        return str;
    }
    return AfxGetText(hWndCtrl);
}

void AFXAPI DDX_CBString(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        value = AfxComboText(hWndCtrl);
    } else {
        if (::SendMessage(hWndCtrl, CB_SELECTSTRING, (WPARAM)-1, (LPARAM)(LPCSTR)value) == CB_ERR)
            AfxSetWindowTextIfChanged(hWndCtrl, value);
    }
}

void AFXAPI DDX_CBStringExact(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        value = AfxComboText(hWndCtrl);
    } else {
        int i = (int)::SendMessage(hWndCtrl, CB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)(LPCSTR)value);
        if (i == CB_ERR)
            AfxSetWindowTextIfChanged(hWndCtrl, value);
        else
            ::SendMessage(hWndCtrl, CB_SETCURSEL, (WPARAM)i, 0);
    }
}

void AFXAPI DDX_LBString(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        int nIndex = (int)::SendMessage(hWndCtrl, LB_GETCURSEL, 0, 0);
        value.Empty();
        if (nIndex != LB_ERR) {
            int nLen = (int)::SendMessage(hWndCtrl, LB_GETTEXTLEN, (WPARAM)nIndex, 0);
            ::SendMessage(hWndCtrl, LB_GETTEXT, (WPARAM)nIndex, (LPARAM)value.GetBuffer(nLen));
            value.ReleaseBuffer();
        }
    } else {
        ::SendMessage(hWndCtrl, LB_SELECTSTRING, (WPARAM)-1, (LPARAM)(LPCSTR)value);
    }
}

void AFXAPI DDX_Scroll(CDataExchange* pDX, int nIDC, int& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = ::GetScrollPos(hWndCtrl, SB_CTL);
    else
        ::SetScrollPos(hWndCtrl, SB_CTL, value, TRUE);
}

void AFXAPI DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl)
{
    if (rControl.m_hWnd != NULL)
        return;   // bound by an earlier exchange
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (!rControl.SubclassWindow(hWndCtrl))
        AfxThrowNotSupportedException();   // the control already belongs to another object
}

// ---- Validation: only when saving; a failure tells the user and keeps the dialog open.

void AFXAPI DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars)
{
    if (pDX->m_bSaveAndValidate) {
        if (value.GetLength() > nChars) {
            CString strPrompt;
            strPrompt.Format("%d 文字以内で入力してください。", nChars);
            AfxFailWithPrompt(pDX, strPrompt);
        }
    } else if (pDX->m_hWndLastControl != NULL && pDX->m_bEditLastControl) {
        // While loading, the control itself is limited.
        UINT nMsg = AfxCompareClassName(pDX->m_hWndLastControl, "ComboBox") ? CB_LIMITTEXT : EM_LIMITTEXT;
        ::SendMessage(pDX->m_hWndLastControl, nMsg, (WPARAM)nChars, 0);
    }
}

static void AfxFailMinMax(CDataExchange* pDX, long long llMin, long long llMax)
{
    CString strPrompt;
    strPrompt.Format("%lld から %lld までの整数を入力してください。", llMin, llMax);
    AfxFailWithPrompt(pDX, strPrompt);
}

void AFXAPI DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal)
{
    if (pDX->m_bSaveAndValidate && (value < minVal || value > maxVal))
        AfxFailMinMax(pDX, minVal, maxVal);
}

void AFXAPI DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal)
{
    if (pDX->m_bSaveAndValidate && (value < minVal || value > maxVal))
        AfxFailMinMax(pDX, minVal, maxVal);
}

void AFXAPI DDV_MinMaxLong(CDataExchange* pDX, long value, long minVal, long maxVal)
{
    if (pDX->m_bSaveAndValidate && (value < minVal || value > maxVal))
        AfxFailMinMax(pDX, minVal, maxVal);
}

void AFXAPI DDV_MinMaxDWord(CDataExchange* pDX, DWORD value, DWORD minVal, DWORD maxVal)
{
    if (pDX->m_bSaveAndValidate && (value < minVal || value > maxVal))
        AfxFailMinMax(pDX, minVal, maxVal);
}

void AFXAPI DDV_MinMaxByte(CDataExchange* pDX, BYTE value, BYTE minVal, BYTE maxVal)
{
    if (pDX->m_bSaveAndValidate && (value < minVal || value > maxVal))
        AfxFailMinMax(pDX, minVal, maxVal);
}

void AFXAPI DDV_MinMaxShort(CDataExchange* pDX, short value, short minVal, short maxVal)
{
    if (pDX->m_bSaveAndValidate && (value < minVal || value > maxVal))
        AfxFailMinMax(pDX, minVal, maxVal);
}

// ---------------------------------------------------------------------------------------
// CDialog

IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_COMMAND(IDOK, OnOK)
    ON_COMMAND(IDCANCEL, OnCancel)
    ON_MESSAGE(WM_INITDIALOG, HandleInitDialog)
    ON_MESSAGE(WM_SETFONT, HandleSetFont)
END_MESSAGE_MAP()

INT_PTR CALLBACK AfxDlgProc(HWND, UINT message, WPARAM, LPARAM)
{
    // WM_INITDIALOG has been handled by the dialog's message map (OnInitDialog), which
    // called this procedure only for the dialog manager's default part.
    return message == WM_INITDIALOG ? TRUE : FALSE;
}

void CDialog::CommonConstruct()
{
    m_lpszTemplateName = NULL;
    m_hDialogTemplate = NULL;
    m_lpDialogTemplate = nullptr;
    m_lpDialogInit = nullptr;
    m_pParentWnd = nullptr;
    m_hWndTop = NULL;
    m_nIDHelp = 0;
}

CDialog::CDialog()
{
    CommonConstruct();
}

CDialog::CDialog(LPCTSTR lpszTemplateName, CWnd* pParentWnd)
{
    CommonConstruct();
    m_lpszTemplateName = lpszTemplateName;
    if (IS_INTRESOURCE(lpszTemplateName))
        m_nIDHelp = LOWORD((DWORD_PTR)lpszTemplateName);
    m_pParentWnd = pParentWnd;
}

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
{
    CommonConstruct();
    m_lpszTemplateName = MAKEINTRESOURCE(nIDTemplate);
    m_nIDHelp = nIDTemplate;
    m_pParentWnd = pParentWnd;
}

CDialog::~CDialog()
{
    if (m_hWnd != NULL)
        DestroyWindow();
}

BOOL CDialog::CreateDlgIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd, HINSTANCE hInst)
{
    if (hInst == NULL)
        hInst = AfxGetResourceHandle();
    m_nModalResult = -1;
    m_nFlags |= WF_CONTINUEMODAL;
    AfxHookWindowCreate(this);
    HWND hWnd = ::CreateDialogIndirectParam(hInst, lpDialogTemplate, pParentWnd->GetSafeHwnd(), AfxDlgProc, 0);
    if (!AfxUnhookWindowCreate())
        PostNcDestroy();
    return hWnd != NULL && m_hWnd == hWnd;
}

BOOL CDialog::Create(LPCTSTR lpszTemplateName, CWnd* pParentWnd)
{
    m_lpszTemplateName = lpszTemplateName;
    if (IS_INTRESOURCE(lpszTemplateName) && m_nIDHelp == 0)
        m_nIDHelp = LOWORD((DWORD_PTR)lpszTemplateName);
    HINSTANCE hInst = AfxGetResourceHandle();
    HRSRC hResource = ::FindResource(hInst, lpszTemplateName, RT_DIALOG);
    if (hResource == NULL)
        return FALSE;
    HGLOBAL hTemplate = ::LoadResource(hInst, hResource);
    return CreateIndirect(hTemplate, pParentWnd, hInst);
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd)
{
    return Create(MAKEINTRESOURCE(nIDTemplate), pParentWnd);
}

BOOL CDialog::CreateIndirect(HGLOBAL hDialogTemplate, CWnd* pParentWnd, HINSTANCE hInst)
{
    if (hDialogTemplate == NULL)
        return FALSE;
    LPCDLGTEMPLATE lpTemplate = (LPCDLGTEMPLATE)::LockResource(hDialogTemplate);
    if (lpTemplate == nullptr)
        return FALSE;
    return CreateIndirect(lpTemplate, pParentWnd, NULL, hInst);
}

BOOL CDialog::CreateIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd, void* lpDialogInit, HINSTANCE hInst)
{
    m_lpDialogInit = lpDialogInit;
    if (pParentWnd == nullptr)
        pParentWnd = m_pParentWnd;
    if (!CreateDlgIndirect(lpDialogTemplate, pParentWnd, hInst))
        return FALSE;
    if (!(m_nFlags & WF_CONTINUEMODAL)) {
        // Ended while it was being initialised.
        DestroyWindow();
        return FALSE;
    }
    return TRUE;
}

BOOL CDialog::InitModalIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd, void* lpDialogInit)
{
    m_lpDialogTemplate = lpDialogTemplate;
    m_lpszTemplateName = NULL;
    m_hDialogTemplate = NULL;
    m_lpDialogInit = lpDialogInit;
    m_pParentWnd = pParentWnd;
    return TRUE;
}

BOOL CDialog::InitModalIndirect(HGLOBAL hDialogTemplate, CWnd* pParentWnd)
{
    m_hDialogTemplate = hDialogTemplate;
    m_lpDialogTemplate = nullptr;
    m_lpszTemplateName = NULL;
    m_pParentWnd = pParentWnd;
    return TRUE;
}

HWND CDialog::PreModal()
{
    return CWnd::GetSafeOwner_(m_pParentWnd->GetSafeHwnd(), &m_hWndTop);
}

void CDialog::PostModal()
{
    if (m_hWndTop != NULL && ::IsWindow(m_hWndTop))
        ::EnableWindow(m_hWndTop, TRUE);
    m_hWndTop = NULL;
}

INT_PTR CDialog::DoModal()
{
    LPCDLGTEMPLATE lpDialogTemplate = m_lpDialogTemplate;
    HGLOBAL hDialogTemplate = m_hDialogTemplate;
    HINSTANCE hInst = AfxGetResourceHandle();
    if (m_lpszTemplateName != NULL) {
        HRSRC hResource = ::FindResource(hInst, m_lpszTemplateName, RT_DIALOG);
        hDialogTemplate = hResource != NULL ? ::LoadResource(hInst, hResource) : NULL;
    }
    if (hDialogTemplate != NULL)
        lpDialogTemplate = (LPCDLGTEMPLATE)::LockResource(hDialogTemplate);
    if (lpDialogTemplate == nullptr)
        return -1;

    HWND hWndParent = PreModal();
    BOOL bEnableParent = FALSE;
    if (hWndParent != NULL && hWndParent != ::GetDesktopWindow() && ::IsWindowEnabled(hWndParent)) {
        ::EnableWindow(hWndParent, FALSE);
        bEnableParent = TRUE;
    }

    try {
        if (CreateDlgIndirect(lpDialogTemplate, CWnd::FromHandle(hWndParent), hInst)) {
            if (m_nFlags & WF_CONTINUEMODAL) {
                DWORD dwFlags = MLF_SHOWONIDLE;
                if (GetStyle() & DS_NOIDLEMSG)
                    dwFlags |= MLF_NOIDLEMSG;
                RunModalLoop(dwFlags);
            }
            // Hidden before the owner comes back, so activation returns to the owner.
            if (m_hWnd != NULL)
                SetWindowPos(NULL, 0, 0, 0, 0,
                             SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
        }
    } catch (CException* e) {
        e->ReportError(MB_ICONSTOP);
        e->Delete();
        m_nModalResult = -1;
    }
    m_nFlags &= ~(WF_MODALLOOP | WF_CONTINUEMODAL);

    if (bEnableParent)
        ::EnableWindow(hWndParent, TRUE);
    if (hWndParent != NULL && m_hWnd != NULL && ::GetActiveWindow() == m_hWnd)
        ::SetActiveWindow(hWndParent);

    DestroyWindow();
    PostModal();
    return m_nModalResult;
}

void CDialog::EndDialog(int nResult)
{
    if (m_nFlags & (WF_MODALLOOP | WF_CONTINUEMODAL))
        EndModalLoop(nResult);
    if (m_hWnd != NULL)
        ::EndDialog(m_hWnd, nResult);
}

void CDialog::PreInitDialog()
{
}

LRESULT CDialog::HandleInitDialog(WPARAM, LPARAM)
{
    PreInitDialog();
    Default();
    return OnInitDialog();
}

LRESULT CDialog::HandleSetFont(WPARAM wParam, LPARAM)
{
    OnSetFont(CFont::FromHandle((HFONT)wParam));
    return Default();
}

void CDialog::OnSetFont(CFont*)
{
}

BOOL CDialog::OnInitDialog()
{
    BOOL bDlgInit = m_lpDialogInit != nullptr ? ExecuteDlgInit(m_lpDialogInit) : ExecuteDlgInit(m_lpszTemplateName);
    if (!bDlgInit) {
        EndDialog(-1);
        return FALSE;
    }
    if (!UpdateData(FALSE)) {
        EndDialog(-1);
        return FALSE;
    }
    return TRUE;
}

void CDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

void CDialog::NextDlgCtrl() const
{
    if (m_hWnd != NULL)
        ::SendMessage(m_hWnd, WM_NEXTDLGCTL, 0, 0);
}

void CDialog::PrevDlgCtrl() const
{
    if (m_hWnd != NULL)
        ::SendMessage(m_hWnd, WM_NEXTDLGCTL, 1, 0);
}

void CDialog::GotoDlgCtrl(CWnd* pWndCtrl)
{
    if (m_hWnd != NULL && pWndCtrl != nullptr)
        ::SendMessage(m_hWnd, WM_NEXTDLGCTL, (WPARAM)pWndCtrl->m_hWnd, 1);
}

void CDialog::SetDefID(UINT nID)
{
    if (m_hWnd != NULL)
        ::SendMessage(m_hWnd, DM_SETDEFID, nID, 0);
}

DWORD CDialog::GetDefID() const
{
    return m_hWnd == NULL ? 0 : (DWORD)::SendMessage(m_hWnd, DM_GETDEFID, 0, 0);
}

void CDialog::MapDialogRect(LPRECT lpRect) const
{
    CWnd::MapDialogRect(lpRect);
}

BOOL CDialog::CheckAutoCenter()
{
    return FALSE;
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg)
{
    if (CWnd::PreTranslateMessage(pMsg))
        return TRUE;
    // Escape in a multi-line edit would otherwise be swallowed by the edit.
    if (pMsg->message == WM_KEYDOWN && (pMsg->wParam == VK_ESCAPE || pMsg->wParam == VK_CANCEL) &&
        (::GetWindowLong(pMsg->hwnd, GWL_STYLE) & ES_MULTILINE) && AfxCompareClassName(pMsg->hwnd, "Edit")) {
        HWND hItem = ::GetDlgItem(m_hWnd, IDCANCEL);
        if (hItem == NULL || ::IsWindowEnabled(hItem)) {
            SendMessage(WM_COMMAND, IDCANCEL, 0);
            return TRUE;
        }
    }
    return PreTranslateInput(pMsg);
}

BOOL CDialog::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    if ((nCode != CN_COMMAND && nCode != (int)CN_UPDATE_COMMAND_UI) || nID < 0x8000 || nID >= 0xF000)
        return FALSE;
    // Commands of menus shown by the dialog get a last chance at the thread object.
    CWinThread* pThread = AfxGetThread();
    if (pThread != nullptr && pThread->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    return FALSE;
}
