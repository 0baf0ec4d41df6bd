// What the tool dialogs share: their fixed-pitch font and the program's icon on their caption.
#pragma once

#include "afxwin.h"

// Height 12, fixed pitch of the modern family, no face name: the system picks its fixed font.
void CreateToolFont(CFont& font);

// The program's icon (resource 128) as the dialog's big and small icon.
void SetToolIcons(CWnd* pDialog);
