// The font of the framework's dialog and page templates: the property-sheet font read from
// the common-controls library, and the two rules that put it into templates.
//
// Dialog rule: a template already in the sheet font stays; one in "MS Sans Serif" or "MS
// Shell Dlg" at the sheet font's size takes the sheet face; then the system-font rule of the
// class library applies. Page rule: every template not exactly in the sheet font takes it.
#pragma once
#include "afxdlgtemplate.h"

// The property-sheet font (face and point size) of the sheet or wizard template of
// "COMCTL32.DLL"; false while the library is not loaded or its template cannot be read
// (tried again at the next call).
bool GetPropSheetFont(CString& strFace, WORD& nSize, bool bWizard);

// Rewrites the copy by the dialog rule; false when the copy could not be rewritten.
bool UiApplyDialogFontRule(CDialogTemplate& dlgTemplate);
// Rewrites the copy by the page rule; true when it was rewritten.
bool UiApplyPageFontRule(CDialogTemplate& dlgTemplate, bool bWizard);
