#include "othersettingsopen.h"

#include "othersettingdlg.h"

INT_PTR RunOtherSettingsDialog(CAppSettings& settings, CWnd* pFrame, int nStartPage, int nEditorIndex)
{
    COtherSettingDlg dlg(settings, pFrame);
    if (nStartPage != kOtherSettingsLastPage)
        dlg.m_nInitialPage = nStartPage;
    dlg.m_nEditorIndex = nEditorIndex;
    return dlg.DoModal();
}
