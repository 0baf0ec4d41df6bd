// CHexViewPage: the display settings of the four hex editors of the main window, one editor
// at a time, with a read-only sample editor that shows every change at once. The page keeps
// its own copy of the four records, so switching between editors keeps what was changed in
// each until the dialog takes them back.
#pragma once

#include "afxwin.h"
#include "appsettings.h"
#include "colorbutton.h"
#include "hexedit.h"
#include "settingspage.h"

#include <vector>

class CHexViewPage : public CSettingsPage<CAppSettings> {
public:
    // The owner sets m_nEditorIndex before the first PutSettings.
    explicit CHexViewPage(CWnd* pParent);

    void PutSettings(const CAppSettings& settings) override;
    int TakeSettings(CAppSettings& settings) override;

    // The editor shown: a CAppSettings::EditorIndex.
    int m_nEditorIndex;
    // Send data editor, detailed log data, COM control 1, COM control 2.
    std::vector<CEditorDisplaySettings> m_records;
    CColorButton m_textColor;
    CColorButton m_backColor;
    CHexEdit m_sample;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    CEditorDisplaySettings* Current();
    void ShowRecord();
    void UpdateSample();

    afx_msg void OnCheckBox(UINT nId);
    afx_msg void OnDropList(UINT nId);
    afx_msg void OnTextColor();
    afx_msg void OnBackColor();
    afx_msg void OnEditorChoice();
    DECLARE_MESSAGE_MAP()
};
