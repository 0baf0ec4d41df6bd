// Opening the other-settings dialog from the frame's command, the log view or a hex editor.
// The dialog is always owned by the main frame, even when a floating pane asked for it, so
// that the refreshes it posts reach the frame.
#pragma once

#include "afxwin.h"
#include "appsettings.h"

// Start page for the page last chosen in the tree (the frame's own command).
const int kOtherSettingsLastPage = -1;

// Runs the dialog modally over pFrame at nStartPage (or the last page), with nEditorIndex
// chosen on the editor page; Apply and OK write into settings.
INT_PTR RunOtherSettingsDialog(CAppSettings& settings, CWnd* pFrame, int nStartPage, int nEditorIndex = 0);
