// The settings that belong to the user rather than to a communication set: log size and
// automatic saving, the hourly log's folder and prefix, the log font, the display settings of
// the four hex editors, the look and a few window options, and the version of the program that
// last saved them. They live in the application's profile, section "CMN".
#pragma once

#include "afxwin.h"

// The nine display values of one hex editor.
struct CEditorDisplaySettings
{
    int nAscii;         // nonzero: character column shown
    int nAddrCheck;     // nonzero: address column shown
    int nAddrDigits;    // 0 four address digits, above 0 eight
    int nMode;          // hex grouping: 0 one byte, 1 two, 2 four
    COLORREF clrBack;
    COLORREF clrText;
    int nFont;          // font size index
    int nHead;          // nonzero: header row shown
    int nTextCode;      // character decoding: 0 ASCII, 1 Shift-JIS, 2 JIS, 3 EUC-JP, 4 UTF-8
};

class CAppSettings
{
public:
    // The editors in the order of their blocks; also the editor index of the settings dialog.
    enum EditorIndex { EditorSend = 0, EditorDump = 1, EditorCom1 = 2, EditorCom2 = 3, EditorCount = 4 };

    CAppSettings();

    int m_nAutoScroll;      // not saved
    int m_nMaxLog;          // 10..9999 after a load
    int m_nAutoSave;
    CString m_strPath;      // folder of the hourly files, no trailing backslash
    CString m_strFilePrefix;
    int m_nLogFont;
    CEditorDisplaySettings m_editor[EditorCount];
    CString m_strVersion;   // version of the program that last saved the settings
    int m_nLook;            // 32827..32830
    int m_nToolSize;
    int m_nTaskTray;
    int m_nMenuEffect;
};

// The version text stored when the running program's version cannot be read.
extern const char kNoVersionText[];

void SetAppSettingsDefaults(CAppSettings& settings);
void LoadAppSettings(CAppSettings& settings);
void SaveAppSettings(CAppSettings& settings);

// "FileVersion" of the running program's version resource (first translation), at most 260
// characters; kNoVersionText when it cannot be read.
CString GetProgramFileVersion();
