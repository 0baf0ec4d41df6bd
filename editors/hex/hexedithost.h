// What the hex editor variants need of the application: the send data editor's setter (the
// "send to the send data editor" command of the COM and dump editors) and the other-settings
// dialog (the Properties command). The application implements the interface and installs it
// once; until then both commands do nothing.
#pragma once

#include "afxwin.h"
#include "afxdisp.h"

class IHexEditHost {
public:
    virtual ~IHexEditHost() {}
    // Replaces the send data editor's bytes (undoable there).
    virtual void SetSendEditorData(const COleSafeArray& data) = 0;
    // Runs the other-settings dialog modally, opened at a page (2: the editor settings) for
    // an editor (0 send, 1 dump, 2 + port index for a COM editor).
    virtual void ShowOtherSettings(CWnd* pParent, int nStartPage, int nEditorIndex) = 0;
};

// The installed host (not owned), or null.
void SetHexEditHost(IHexEditHost* pHost);
IHexEditHost* GetHexEditHost();

// The page of the other-settings dialog with the editor settings.
const int kOtherSettingsEditorPage = 2;
