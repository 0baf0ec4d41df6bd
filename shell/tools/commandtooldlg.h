// CCommandToolDlg: the command tool. Its list holds the commands of the system's command
// interpreter that the tool offers ("mode"); choosing one runs its help ("mode /?") at once,
// the run button runs the shown command line with the user's parameter. The command runs on
// a worker thread (commandrunner.h) while the dialog drains the pipe on every report and, while
// the command keeps writing, in passes of bounded length between which the message loop runs
// (so the stop button answers); once the worker has ended, what is left is drained whatever
// input waits. It shows the elapsed time and turns the run button into a stop button.
//
// The dialog never lets its handles go while the worker may still use them: ending the dialog
// while a command runs stops the command, waits for the worker, drops its queued reports, and
// only then closes the pipe and the stop event.
#pragma once

#include "afxwin.h"
#include "afxcmn.h"

#include "commandoutput.h"

class CCommandToolDlg : public CDialog {
public:
    explicit CCommandToolDlg(CWnd* pParent = NULL);
    ~CCommandToolDlg() override;

    BOOL OnInitDialog() override;
    BOOL DestroyWindow() override;

    static const int kMaxCommands = 8;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;
    afx_msg void OnCommandSelected(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnParamChange();
    afx_msg void OnHostChange();
    afx_msg LRESULT OnCommandOutput(WPARAM wParam, LPARAM lParam);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnClose();
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    DECLARE_MESSAGE_MAP()

    void UpdateControls();
    void UpdateCommandLine();
    void StartCommand(const CString& strCommand);
    // Stops a running worker and waits for it; its reports still queued are dropped.
    void StopWorker();
    void ClosePipe();
    // Appends what waits in the pipe to the help output or the command output, for a bounded
    // time; a timer brings the next pass while the command keeps writing.
    void DrainPipe(bool bHelp);
    static void AppendOutput(CEdit& target, const CString& strText);
    void SetRunningState(bool bRunning);

    CButton m_run;
    CEdit m_status;
    CTreeCtrl m_tree;
    CEdit m_output;
    CEdit m_param;
    CEdit m_host;
    CEdit m_helpOutput;
    CEdit m_commandLine;
    int m_nCommand;
    CString m_params[kMaxCommands];
    DWORD m_dwStartTick;
    HANDLE m_hStop;
    CFont m_font;
    HANDLE m_hRead;
    HANDLE m_hWrite;
    BOOL m_bHelp;
    BOOL m_bRunning;
    CImageList m_images;
    CBitmap m_bitmap;
    CBrush m_windowBrush;
    COLORREF m_crWindow;
    CBrush m_infoBrush;
    COLORREF m_crInfo;
    HANDLE m_hWorker;
    CCommandOutputText m_outputText;
    // The output that the next timed pass drains into, whether one is due, and whether the
    // loop has worked off what the last pass left queued (the timer's first tick says so).
    bool m_bDrainHelp;
    bool m_bDrainScheduled;
    bool m_bDrainCaughtUp;
    // The control that had the focus when a run greyed it.
    HWND m_hFocusBeforeRun;
};
