// The commands that the three hex editor variants share: the context menu, data analysis,
// the marker command and the marker-information dialog, the byte-file dialogs and files,
// the Properties command and sending the bytes to the send data editor.
#pragma once

#include "afxwin.h"
#include "afxdisp.h"


class CHexEdit;

// Filter and flags of the byte-file dialogs. A save dialog must be able to name a new file,
// so it does not ask for an existing one; the open dialog does.
extern const char kHexBinaryFilter[];
extern const char kHexBinaryExt[];
const DWORD kHexSaveAsFlags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_LONGNAMES;
const DWORD kHexOpenFlags = OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_LONGNAMES;

// Shows the first sub-menu of the menu resource for the editor at a screen point; (-1, -1)
// (from the keyboard) opens it at the client origin plus (5, 5). The editor takes the focus
// and is the command target; the menu goes through the context-menu presenter.
void HexShowContextMenu(CHexEdit& edit, UINT nMenuId, CPoint point);

// Marks the eight bytes from the caret, runs the data analysis dialog and removes the mark.
void HexRunDataAnalysis(CHexEdit& edit);

// Over a selection without markers: the marker-setting dialog, then a new marker. Over
// markers: asks whether to remove them.
void HexRunMarkerCommand(CHexEdit& edit);
void HexRunMarkerInfo(CHexEdit& edit);

// The byte-file dialog (open or save as) starting at path; TRUE with the chosen path in it.
BOOL HexAskFileName(CWnd* pOwner, BOOL bOpen, CString& path);

// Creates the file and writes the bytes; FALSE when it cannot be created or written.
BOOL HexWriteBytesFile(LPCSTR path, const COleSafeArray& data);
// Reads the whole file; FALSE (data untouched) when it cannot be opened, is too large for an
// editor, or is read short.
BOOL HexReadBytesFile(LPCSTR path, COleSafeArray& data);

// Writes the editor's bytes to the path, showing 13022 when that fails.
BOOL HexSaveEditorBytes(const CHexEdit& edit, LPCSTR path);

// The other-settings dialog at the editor page for an editor index.
void HexShowProperties(CWnd* pOwner, int nEditorIndex);
// A copy of the editor's bytes into the send data editor.
void HexSendToSendEditor(const CHexEdit& edit);

// Message box of a numbered message.
int HexMessage(int nCode, UINT nType);
