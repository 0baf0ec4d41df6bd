// What the settings pages share of their windows.
#pragma once

#include "afxwin.h"

// A page is a child dialog; without the modal frame and with a tab stop, Tab moves into it
// from the settings dialog's tree and buttons.
inline void LetTabEnterPage(CWnd* pPage)
{
    pPage->ModifyStyle(DS_MODALFRAME, WS_TABSTOP);
}

// The check state of a dialog button as 0 or 1.
inline int IsChecked(const CWnd* pDlg, int nId)
{
    return pDlg->IsDlgButtonChecked(nId) == BST_CHECKED ? 1 : 0;
}

inline void SetChecked(CWnd* pDlg, int nId, int bChecked)
{
    pDlg->CheckDlgButton(nId, bChecked ? BST_CHECKED : BST_UNCHECKED);
}
