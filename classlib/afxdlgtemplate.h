// Dialog templates in memory: the font of a DLGTEMPLATE or DLGTEMPLATEEX read and rewritten.
//
// A CDialogTemplate owns a copy of a template in global memory. SetFont rebuilds the header
// with the new face and size (setting DS_SETFONT) and copies every item unchanged behind it,
// DWORD-aligned as the dialog manager reads them; the extended form keeps its weight, italic
// and charset. SetSystemFont applies the system-font rule: a template without font, or on a
// double-byte system one in "MS Shell Dlg", "MS Sans Serif" or "Helv", gets the face of
// DEFAULT_GUI_FONT ("System" when there is none), and size 8 of those faces becomes 0, the
// system font's own size. CDialog itself never applies the rule; the framework's dialogs do.
// Every reader is bounded by the template's size, so a damaged template fails instead of
// reading past its end.
#pragma once
#include "afxstr.h"

class CDialogTemplate {
public:
    CDialogTemplate();
    // Copies the template; cb may be 0 when the size is to be measured from the template.
    explicit CDialogTemplate(const DLGTEMPLATE* pTemplate, UINT cb = 0);
    ~CDialogTemplate();

    BOOL SetTemplate(const DLGTEMPLATE* pTemplate, UINT cb = 0);
    BOOL HasFont() const;
    BOOL GetFont(CString& strFaceName, WORD& nFontSize) const;
    BOOL SetFont(LPCTSTR lpszFaceName, WORD nFontSize);
    BOOL SetSystemFont();
    // The copy in global memory; Detach hands it over (the caller frees it with GlobalFree).
    HGLOBAL GetHandle() const { return m_hTemplate; }
    HGLOBAL Detach();
    const DLGTEMPLATE* GetTemplate() const;
    UINT GetSize() const { return m_cbTemplate; }

    // Size of a whole template with its items; 0 when it cannot be walked within cbLimit.
    static UINT AFX_CDECL GetTemplateSize(const DLGTEMPLATE* pTemplate, UINT cbLimit = 0x100000);
    static BOOL AFX_CDECL GetFont(const DLGTEMPLATE* pTemplate, CString& strFaceName, WORD& nFontSize);
    static BOOL AFX_CDECL IsDialogEx(const DLGTEMPLATE* pTemplate);

    // The double-byte system query of the rule (GetSystemMetrics(SM_DBCSENABLED)); a test
    // replaces it to take the other branch. NULL puts the system's back.
    typedef BOOL (*DBCS_QUERY)();
    static void AFX_CDECL SetDBCSQuery(DBCS_QUERY pfnQuery);
    static BOOL AFX_CDECL IsDBCSSystem();

    HGLOBAL m_hTemplate;
    UINT m_cbTemplate;

private:
    void Free();
    CDialogTemplate(const CDialogTemplate&) = delete;
    CDialogTemplate& operator=(const CDialogTemplate&) = delete;
};
