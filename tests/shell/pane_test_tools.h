// The pane tests' tools beside the hosting frame: a recording application host for the hex
// editors, shell drops made in memory, the command state a pane's update handler gives, the
// text of a pane's bar, and test files by paths of any length.
#pragma once

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "afxwin.h"
#include "hexedithost.h"

namespace panetest {

// Notes what the hex editors ask of the application.
class RecordingHexEditHost : public IHexEditHost {
public:
    RecordingHexEditHost() : m_pOld(GetHexEditHost()) { SetHexEditHost(this); }
    ~RecordingHexEditHost() override { SetHexEditHost(m_pOld); }
    void SetSendEditorData(const COleSafeArray& data) override;
    void ShowOtherSettings(CWnd* pParent, int nStartPage, int nEditorIndex) override;

    std::vector<std::string> sent;                  // the bytes of each send
    std::vector<std::pair<int, int>> properties;    // page and editor of each properties call

private:
    IHexEditHost* m_pOld;
};

// The window text of a pane's bar (its title).
std::string WindowText(CWnd* pWnd);

// Sends the pane WM_DROPFILES with the paths as a shell drop.
void DropFiles(HWND hWnd, const std::vector<std::string>& paths);

// Whether the pane's update handler for the command enables it (a handler that sets nothing
// leaves it enabled exactly when the command has a handler).
bool CommandEnabled(CCmdTarget* pTarget, UINT nId);
// The check mark the update handler gives the command (-1 when it sets none).
int CommandChecked(CCmdTarget* pTarget, UINT nId);

// The system's name of a path: UTF-16, with the extended-length prefix past MAX_PATH.
std::wstring SystemName(const std::string& path);
// "<missing>" when the file cannot be opened.
std::string ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::string& bytes);
std::string BytesOf(COleSafeArray data);

} // namespace panetest
