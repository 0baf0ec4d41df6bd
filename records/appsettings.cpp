// Application settings in the profile section "CMN", and the rule that a program of another
// version starts with the UI framework's default layout: its saved layout belongs to the
// version that wrote it, so a version change deletes the framework's key below the
// application key.
#include "appsettings.h"
#include "conversions.h"

#include <shlwapi.h>
#include <vector>

const char kNoVersionText[] = "Nothing";

namespace {

const char kSection[] = "CMN";
const char kCompanyKey[] = "Pellandor";
const char kFrameworkKey[] = "VaviRIZ227";
const int kMaxVersionLength = 260;
const int kMinLog = 10;
const int kMaxLog = 9999;

// Key names of an editor block are its prefix and one of these, in block order.
const char* const kEditorPrefixes[CAppSettings::EditorCount] = {"E", "D", "C1", "C2"};
const char* const kEditorKeys[9] = {
    "ASCII", "ADDRCK", "ADDR", "MODE", "BACK", "TEXT", "FONT", "HEAD", "TCODE",
};

int GetEditorValue(const CEditorDisplaySettings& block, int i)
{
    switch (i) {
    case 0: return block.nAscii;
    case 1: return block.nAddrCheck;
    case 2: return block.nAddrDigits;
    case 3: return block.nMode;
    case 4: return static_cast<int>(block.clrBack);
    case 5: return static_cast<int>(block.clrText);
    case 6: return block.nFont;
    case 7: return block.nHead;
    default: return block.nTextCode;
    }
}

void SetEditorValue(CEditorDisplaySettings& block, int i, int value)
{
    switch (i) {
    case 0: block.nAscii = value; break;
    case 1: block.nAddrCheck = value; break;
    case 2: block.nAddrDigits = value; break;
    case 3: block.nMode = value; break;
    case 4: block.clrBack = static_cast<COLORREF>(value); break;
    case 5: block.clrText = static_cast<COLORREF>(value); break;
    case 6: block.nFont = value; break;
    case 7: block.nHead = value; break;
    default: block.nTextCode = value; break;
    }
}

CString EditorKey(int editor, int i)
{
    return CString(kEditorPrefixes[editor]) + kEditorKeys[i];
}

void ReadInt(CProfileSectionReader& section, LPCSTR key, int& value)
{
    value = static_cast<int>(section.GetInt(key, value));
}

void ReadText(CProfileSectionReader& section, LPCSTR key, CString& value)
{
    value = section.GetString(key, value);
}

void WriteInt(CWinApp* app, LPCSTR key, int value)
{
    app->WriteProfileInt(kSection, key, value);
}

// The program's module name: its file name without folder and extension.
CString ModuleName(CWinApp* app)
{
    if (app->m_pszExeName != nullptr && *app->m_pszExeName != '\0')
        return app->m_pszExeName;
    char szPath[MAX_PATH + 1] = {};
    GetModuleFileNameA(nullptr, szPath, MAX_PATH);
    CString name = PathFindFileNameA(szPath);
    const int dot = name.ReverseFind('.');
    return dot > 0 ? name.Left(dot) : name;
}

// Removes the framework's saved layout and command profiles below the application key.
void DeleteFrameworkKey(CWinApp* app)
{
    const CString path = CString("Software\\") + kCompanyKey + "\\" + ModuleName(app);
    HKEY hAppKey = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_ALL_ACCESS, &hAppKey) != ERROR_SUCCESS)
        return;
    app->DelRegTree(hAppKey, kFrameworkKey);
    RegCloseKey(hAppKey);
}

} // namespace

CString GetProgramFileVersion()
{
    char szPath[MAX_PATH + 1] = {};
    const DWORD nPath = GetModuleFileNameA(nullptr, szPath, MAX_PATH);
    if (nPath == 0 || nPath >= MAX_PATH)
        return kNoVersionText;
    DWORD dwHandle = 0;
    const DWORD nSize = GetFileVersionInfoSizeA(szPath, &dwHandle);
    if (nSize == 0)
        return kNoVersionText;
    std::vector<BYTE> info(nSize);
    if (!GetFileVersionInfoA(szPath, 0, nSize, info.data()))
        return kNoVersionText;
    WORD* pTranslation = nullptr;
    UINT nLength = 0;
    if (!VerQueryValueA(info.data(), "\\VarFileInfo\\Translation",
                        reinterpret_cast<void**>(&pTranslation), &nLength) ||
        pTranslation == nullptr || nLength < 2 * sizeof(WORD))
        return kNoVersionText;
    CString query;
    query.Format("\\StringFileInfo\\%04X%04X\\%s", pTranslation[0], pTranslation[1], "FileVersion");
    char* pValue = nullptr;
    nLength = 0;
    if (!VerQueryValueA(info.data(), query, reinterpret_cast<void**>(&pValue), &nLength) ||
        pValue == nullptr)
        return kNoVersionText;
    CString version(pValue);
    if (version.GetLength() > kMaxVersionLength)
        version = version.Left(kMaxVersionLength);
    return version;
}

CAppSettings::CAppSettings()
{
    SetAppSettingsDefaults(*this);
}

void SetAppSettingsDefaults(CAppSettings& settings)
{
    settings.m_nAutoScroll = 0;
    settings.m_nMaxLog = 1000;
    settings.m_nAutoSave = 0;
    char szDir[MAX_PATH + 1] = {};
    GetCurrentDirNoSlash(MAX_PATH, szDir);
    settings.m_strPath = szDir;
    settings.m_strFilePrefix = "AUTOSAVE";
    settings.m_nLogFont = 0;
    for (int editor = 0; editor < CAppSettings::EditorCount; ++editor) {
        CEditorDisplaySettings& block = settings.m_editor[editor];
        block.nAscii = 1;
        block.nAddrCheck = 1;
        block.nAddrDigits = 1;
        block.nMode = 1;
        block.clrBack = GetSysColor(editor == CAppSettings::EditorSend ? COLOR_INFOBK : COLOR_3DLIGHT);
        block.clrText = GetSysColor(COLOR_WINDOWTEXT);
        block.nFont = 1;
        block.nHead = 1;
        block.nTextCode = 1;
    }
    settings.m_strVersion = GetProgramFileVersion();
    settings.m_nLook = 32827;
    settings.m_nToolSize = 1;
    settings.m_nTaskTray = 0;
    settings.m_nMenuEffect = 0;
}

void LoadAppSettings(CAppSettings& settings)
{
    SetAppSettingsDefaults(settings);
    CWinApp* app = AfxGetApp();
    if (app == nullptr)
        return;
    const CString running = settings.m_strVersion;

    {
        CProfileSectionReader section(app, kSection);
        ReadInt(section, "MAXLOG", settings.m_nMaxLog);
        ReadInt(section, "AUTO", settings.m_nAutoSave);
        ReadText(section, "PATH", settings.m_strPath);
        ReadText(section, "FILE", settings.m_strFilePrefix);
        ReadInt(section, "LOGFONT", settings.m_nLogFont);
        for (int editor = 0; editor < CAppSettings::EditorCount; ++editor) {
            CEditorDisplaySettings& block = settings.m_editor[editor];
            for (int i = 0; i < 9; ++i) {
                int value = GetEditorValue(block, i);
                ReadInt(section, EditorKey(editor, i), value);
                SetEditorValue(block, i, value);
            }
        }
        ReadText(section, "VER", settings.m_strVersion);
        ReadInt(section, "UI", settings.m_nLook);
        ReadInt(section, "TOOLSIZE", settings.m_nToolSize);
        ReadInt(section, "TASKTRY", settings.m_nTaskTray);
        ReadInt(section, "CONTEXT", settings.m_nMenuEffect);
    }

    if (settings.m_nMaxLog < kMinLog)
        settings.m_nMaxLog = kMinLog;
    if (settings.m_nMaxLog > kMaxLog)
        settings.m_nMaxLog = kMaxLog;

    if (settings.m_strVersion != running || settings.m_strVersion == kNoVersionText)
        DeleteFrameworkKey(app);
}

void SaveAppSettings(CAppSettings& settings)
{
    CWinApp* app = AfxGetApp();
    if (app == nullptr)
        return;
    settings.m_strVersion = GetProgramFileVersion();

    WriteInt(app, "MAXLOG", settings.m_nMaxLog);
    WriteInt(app, "AUTO", settings.m_nAutoSave);
    app->WriteProfileString(kSection, "PATH", settings.m_strPath);
    app->WriteProfileString(kSection, "FILE", settings.m_strFilePrefix);
    WriteInt(app, "LOGFONT", settings.m_nLogFont);
    for (int editor = 0; editor < CAppSettings::EditorCount; ++editor) {
        for (int i = 0; i < 9; ++i)
            WriteInt(app, EditorKey(editor, i), GetEditorValue(settings.m_editor[editor], i));
    }
    app->WriteProfileString(kSection, "VER", settings.m_strVersion);
    WriteInt(app, "UI", settings.m_nLook);
    WriteInt(app, "TOOLSIZE", settings.m_nToolSize);
    WriteInt(app, "TASKTRY", settings.m_nTaskTray);
    WriteInt(app, "CONTEXT", settings.m_nMenuEffect);
}
