// The main frame's panes as far as the frame itself drives them: the send data editor, the
// detailed log data view of the selected record, the connection-status list, the send data
// explorer, the COM control panes and the script panes. Each is a pane dialog on its own
// template; the frame reaches the editors through them and nothing else.
#pragma once

#include "afxwin.h"
#include "afxdisp.h"
#include "afxcmn.h"
#include "resizabledialog.h"
#include "hexedit.h"
#include "hexeditsend.h"

#include <vector>

class CChannelBuffer;

class CFrameSendPane : public CUiResizableDialog {
public:
    BOOL OnInitDialog() override;
    CHexEditSend& Editor() { return m_editor; }

private:
    CHexEditSend m_editor;
};

// Shows the bytes of the record selected in the log view.
class CFrameDetailPane : public CUiResizableDialog {
public:
    BOOL OnInitDialog() override;
    CHexEdit& Editor() { return m_editor; }

protected:
    LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override;

private:
    CHexEdit m_editor;
};

class CFrameConnPane : public CUiResizableDialog {
public:
    BOOL OnInitDialog() override;
    // One row per buffer, in the order given.
    void ShowConnections(const std::vector<CChannelBuffer*>& buffers);
    int GetRowCount();
    CString GetRowText(int nRow, int nColumn);

private:
    CListCtrl m_list;
};

class CFrameExplorerPane : public CUiResizableDialog {
};

// Follows a connection of its port: reset and busy when one begins, idle when it ends.
class CFrameComPane : public CUiResizableDialog {
public:
    CFrameComPane() : m_bIdle(TRUE), m_dwLineState(0) {}
    BOOL OnInitDialog() override;
    LRESULT OnComAction(int nAction, LPARAM lParam);
    CHexEdit& Editor() { return m_editor; }
    BOOL IsIdle() const { return m_bIdle; }

private:
    CHexEdit m_editor;
    BOOL m_bIdle;
    DWORD m_dwLineState;
};

// Holds a port's script text.
class CFrameScriptPane : public CUiResizableDialog {
public:
    void SetScriptText(const COleSafeArray& text) { m_text = text; }
    COleSafeArray GetScriptText() const { return m_text; }

private:
    COleSafeArray m_text;
};
