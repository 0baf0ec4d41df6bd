// The property-sheet font and the font rules of dialog and page templates.
#include "dlgtemplatefont.h"
#include "resourcemanager.h"

namespace {

// The process-wide record of the sheet font, read once the library is there.
struct FAKE_PROPPAGEFONTINFO {
    CString strFace;
    WORD nSize = 0;
};

FAKE_PROPPAGEFONTINFO& SheetFontRecord(bool bWizard)
{
    static FAKE_PROPPAGEFONTINFO s_sheet, s_wizard;
    return bWizard ? s_wizard : s_sheet;
}

} // namespace

bool GetPropSheetFont(CString& strFace, WORD& nSize, bool bWizard)
{
    FAKE_PROPPAGEFONTINFO& record = SheetFontRecord(bWizard);
    if (record.nSize == 0) {
        HMODULE hComCtl = ::GetModuleHandleA("COMCTL32.DLL");
        if (hComCtl == NULL)
            return false;
        LPCSTR lpszName = MAKEINTRESOURCEA(bWizard ? 1020 : 1006);
        WORD wLang = ResourceManagerHolder::GetResourceManager()->GetLangIdNeutral();
        HRSRC hResource = ::FindResourceExA(hComCtl, (LPCSTR)RT_DIALOG, lpszName, wLang);
        if (hResource == NULL)
            hResource = ::FindResourceA(hComCtl, lpszName, (LPCSTR)RT_DIALOG);
        HGLOBAL hData = hResource != NULL ? ::LoadResource(hComCtl, hResource) : NULL;
        const DLGTEMPLATE* pTemplate = hData != NULL ? (const DLGTEMPLATE*)::LockResource(hData) : nullptr;
        CString strRead;
        WORD nRead = 0;
        if (pTemplate == nullptr || !CDialogTemplate::GetFont(pTemplate, strRead, nRead) || nRead == 0)
            return false;
        record.strFace = strRead;
        record.nSize = nRead;
    }
    strFace = record.strFace;
    nSize = record.nSize;
    return true;
}

bool UiApplyDialogFontRule(CDialogTemplate& dlgTemplate)
{
    CString strSheetFace, strFace;
    WORD nSheetSize = 0, nSize = 0;
    if (GetPropSheetFont(strSheetFace, nSheetSize, false) && dlgTemplate.GetFont(strFace, nSize)) {
        const bool bSame = strFace.CompareNoCase(strSheetFace) == 0 && nSize == nSheetSize;
        const bool bOldFace = strFace.CompareNoCase("MS Sans Serif") == 0 || strFace.CompareNoCase("MS Shell Dlg") == 0;
        if (!bSame && bOldFace && nSize == nSheetSize && !dlgTemplate.SetFont(strSheetFace, nSheetSize))
            return false;
    }
    return dlgTemplate.SetSystemFont() != FALSE;
}

bool UiApplyPageFontRule(CDialogTemplate& dlgTemplate, bool bWizard)
{
    CString strSheetFace, strFace;
    WORD nSheetSize = 0, nSize = 0;
    if (!GetPropSheetFont(strSheetFace, nSheetSize, bWizard))
        return false;
    if (dlgTemplate.GetFont(strFace, nSize) && strFace == strSheetFace && nSize == nSheetSize)
        return false;
    return dlgTemplate.SetFont(strSheetFace, nSheetSize) != FALSE;
}
