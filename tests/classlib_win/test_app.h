// The test executable's application object.
#pragma once
#include "afxwin.h"
#include "classlib_win_ids.h"

class CTestApp : public CWinApp {
public:
    CTestApp() : CWinApp("classlib_win_tests") {}
    int m_nAppCommands = 0;

    afx_msg void OnAppCommand();
    DECLARE_MESSAGE_MAP()
};

extern CTestApp theApp;
