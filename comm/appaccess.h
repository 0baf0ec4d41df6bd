// What the connection engine reads and writes of the application's editors.
//
// The send data editor and the script panes are windows of the main thread, owned by the
// application shell; the connection threads reach them only through these accessors, which the
// application installs at start-up (and implements by a synchronous message to the main
// thread, so no editor is ever touched from a connection thread). Without them, the editor and
// the scripts read as empty and writes go nowhere.
#pragma once

#include "afxwin.h"
#include "afxdisp.h"

class IAppAccessors
{
public:
    virtual ~IAppAccessors() {}
    // A copy of the send data editor's bytes. Called on connection threads.
    virtual COleSafeArray GetSendEditorData() = 0;
    // Replaces the send data editor's bytes (an empty buffer empties it). Called on connection
    // threads by the script library and the extended-mode loop.
    virtual void SetSendEditorData(const COleSafeArray& data) {}
    // The text of the script pane of a port (0 = "Port 1", 1 = "Port 2"), without a
    // terminating zero; empty when the pane is empty. Called on the port's connection thread.
    virtual COleSafeArray GetScriptText(int nPort);
};

void SetAppAccessors(IAppAccessors* pAccessors);
IAppAccessors* GetAppAccessors();

// The send data editor's bytes through the installed accessors (empty without them).
COleSafeArray GetSendEditorData();
// Replaces the send data editor's bytes through the installed accessors.
void SetSendEditorData(const COleSafeArray& data);
// A port's script text through the installed accessors (empty without them).
COleSafeArray GetScriptText(int nPort);
