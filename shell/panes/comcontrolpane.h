// The COM control pane of one port: seven indicators of the connection's modem lines and line
// errors, toggles for RTS, DTR and break, and a read-only view of the bytes the connection has
// buffered but not yet cut into blocks, which the user can drop or hand over as a received
// block.
//
// The pane and the connection thread meet only through the frame's line-state message and a
// named event: a button queues a line command and sets the event, and the woken connection
// asks the frame for queued commands until it gets 0. The queue is touched on the main thread
// only, since those requests arrive as synchronous messages.
#pragma once
#include "afxmt.h"
#include "colorlabel.h"
#include "hexeditcom.h"
#include "lineindicatormodel.h"
#include "panetoolbar.h"
#include "resizabledialog.h"

#include <deque>

class CAppSettings;
class COleSafeArray;

class CComControlPane : public CUiResizableDialog {
public:
    // The frame's line-state actions.
    enum LineAction : UINT { kReset = 0, kEnded = 1, kShowLineWord = 2, kNextCommand = 3, kShowBuffer = 4 };
    // The line commands the connection carries out.
    enum LineCommand : int {
        kSetRts = 0x01, kClearRts = 0x02, kSetDtr = 0x04, kClearDtr = 0x08, kSetBreak = 0x10, kClearBreak = 0x20,
        kDropBuffered = 0x40, kFlushBuffered = 0x80,
    };

    CComControlPane();
    ~CComControlPane() override;

    // The settings the pane applies at initialisation; set by its creator before creation.
    void SetSources(const CAppSettings* pSettings) { m_pSettings = pSettings; }
    // The port's editor display settings into the editor, which is laid out and redrawn.
    void ApplyEditorSettings(const CAppSettings& settings);
    CHexEditCom& GetEditor() { return m_wndEditor; }
    // One line-state action of the frame; the next line command for kNextCommand, else 0.
    // kShowBuffer takes a COleSafeArray*.
    LRESULT OnLineAction(UINT nAction, LPARAM lParam);

    BOOL DestroyWindow() override;

    int m_nPort;
    CEvent* m_pLineEvent;
    std::deque<int> m_queue;
    CHexEditCom m_wndEditor;
    CPaneToolBar m_wndCommandBar;
    CPaneToolBar m_wndIndicatorBar;
    CFont m_fontIndicator;
    CColorLabel m_labels[kLineIndicatorCount];
    int m_bIdle;
    int m_bRtsOn;
    int m_bDtrOn;
    int m_bBreakOn;

protected:
    const CAppSettings* m_pSettings;

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    void ShowLineWord(DWORD dwWord);
    void Reset(bool bIdle);
    void Queue(int nCommand);
    // A toggle: queues nOff when on, else nOn, and flips the mark.
    void Toggle(int& bOn, int nOn, int nOff);
    bool HasBytes() const;

    afx_msg void OnRts();
    afx_msg void OnDtr();
    afx_msg void OnBreak();
    afx_msg void OnDataClear();
    afx_msg void OnDataFlush();
    afx_msg void OnSelectAll();
    afx_msg void OnCopy();
    afx_msg void OnSaveAs();
    afx_msg void OnDataAnalysis();
    afx_msg void OnProperties();
    afx_msg void OnIndicator(UINT nID);
    afx_msg void OnUpdateRts(CCmdUI* pCmdUI);
    afx_msg void OnUpdateDtr(CCmdUI* pCmdUI);
    afx_msg void OnUpdateBreak(CCmdUI* pCmdUI);
    afx_msg void OnUpdateHasBytes(CCmdUI* pCmdUI);
    afx_msg void OnUpdateCopy(CCmdUI* pCmdUI);
    afx_msg void OnUpdateNotIdle(CCmdUI* pCmdUI);
    afx_msg void OnUpdateAlways(CCmdUI* pCmdUI);
    DECLARE_MESSAGE_MAP()
};
