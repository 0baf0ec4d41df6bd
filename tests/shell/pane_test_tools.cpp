#include "pane_test_tools.h"

#include <shellapi.h>
#include <shlobj.h>

#include <cstring>

#include "winharness.h"

namespace panetest {

std::string BytesOf(COleSafeArray data)
{
    std::string bytes;
    if (data.vt != (VT_ARRAY | VT_UI1) || data.parray == NULL)
        return bytes;
    void* p = NULL;
    data.AccessData(&p);
    bytes.assign(static_cast<const char*>(p), data.GetOneDimSize());
    data.UnaccessData();
    return bytes;
}

void RecordingHexEditHost::SetSendEditorData(const COleSafeArray& data)
{
    sent.push_back(BytesOf(data));
}

void RecordingHexEditHost::ShowOtherSettings(CWnd*, int nStartPage, int nEditorIndex)
{
    properties.emplace_back(nStartPage, nEditorIndex);
}

std::string WindowText(CWnd* pWnd)
{
    const int n = ::GetWindowTextLengthA(pWnd->GetSafeHwnd());
    std::string text(static_cast<size_t>(n) + 1, '\0');
    text.resize(static_cast<size_t>(::GetWindowTextA(pWnd->GetSafeHwnd(), &text[0], n + 1)));
    return text;
}

void DropFiles(HWND hWnd, const std::vector<std::string>& paths)
{
    size_t size = sizeof(DROPFILES) + 1;
    for (const std::string& path : paths)
        size += path.size() + 1;
    HGLOBAL hDrop = ::GlobalAlloc(GHND, size);
    char* p = static_cast<char*>(::GlobalLock(hDrop));
    DROPFILES* pFiles = reinterpret_cast<DROPFILES*>(p);
    pFiles->pFiles = sizeof(DROPFILES);
    pFiles->fWide = FALSE;
    char* pNames = p + sizeof(DROPFILES);
    for (const std::string& path : paths) {
        memcpy(pNames, path.c_str(), path.size() + 1);
        pNames += path.size() + 1;
    }
    ::GlobalUnlock(hDrop);
    // The pane releases the drop with DragFinish.
    ::SendMessageA(hWnd, WM_DROPFILES, reinterpret_cast<WPARAM>(hDrop), 0);
}

namespace {
class RecordingCmdUI : public CCmdUI {
public:
    BOOL bEnabled = FALSE;
    bool bSet = false;
    int nCheck = -1;
    void Enable(BOOL bOn) override
    {
        bEnabled = bOn;
        bSet = true;
        m_bEnableChanged = TRUE;
    }
    void SetCheck(int nState) override { nCheck = nState; }
};
} // namespace

bool CommandEnabled(CCmdTarget* pTarget, UINT nId)
{
    RecordingCmdUI cmdUI;
    cmdUI.m_nID = nId;
    cmdUI.DoUpdate(pTarget, TRUE);
    return cmdUI.bEnabled != FALSE;
}

int CommandChecked(CCmdTarget* pTarget, UINT nId)
{
    RecordingCmdUI cmdUI;
    cmdUI.m_nID = nId;
    cmdUI.DoUpdate(pTarget, TRUE);
    return cmdUI.nCheck;
}

std::wstring SystemName(const std::string& path)
{
    const int n = ::MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, NULL, 0);
    std::wstring wide(static_cast<size_t>(n), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, &wide[0], n);
    wide.resize(wide.size() - 1);
    return wide.size() >= MAX_PATH ? L"\\\\?\\" + wide : wide;
}

std::string ReadFileBytes(const std::string& path)
{
    std::string bytes;
    HANDLE h = ::CreateFileW(SystemName(path).c_str(), GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    if (h == INVALID_HANDLE_VALUE)
        return "<missing>";
    char buffer[4096];
    DWORD n = 0;
    while (::ReadFile(h, buffer, sizeof(buffer), &n, NULL) && n > 0)
        bytes.append(buffer, n);
    ::CloseHandle(h);
    return bytes;
}

void WriteFileBytes(const std::string& path, const std::string& bytes)
{
    HANDLE h = ::CreateFileW(SystemName(path).c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    DWORD n = 0;
    ::WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &n, NULL);
    ::CloseHandle(h);
}

} // namespace panetest
