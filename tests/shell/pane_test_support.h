// What the pane tests share: a shown test frame with one control bar that hosts the pane from
// its template, a recording application host for the hex editors, shell drops made in memory,
// the command state a pane's update handler gives, and folders of test files.
#pragma once

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "afxwin.h"
#include "controlbar.h"
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

// A shown frame holding one control bar of 420 x 320 pixels; Host creates a pane in the bar
// and fills the bar's client area with it.
class PaneFrame {
public:
    static const UINT kBarId = 32772;
    PaneFrame();
    ~PaneFrame();
    bool Host(CDialog& pane, UINT nTemplate);
    CUiControlBar& Bar() { return m_bar; }
    std::string BarText() const;

private:
    CFrameWnd* m_pFrame;
    CUiControlBar m_bar;
};

// Sends the pane WM_DROPFILES with the paths as a shell drop.
void DropFiles(HWND hWnd, const std::vector<std::string>& paths);

// Whether the pane's update handler for the command enables it (a handler that sets nothing
// leaves it enabled exactly when the command has a handler).
bool CommandEnabled(CCmdTarget* pTarget, UINT nId);

// The system's name of a path: UTF-16, with the extended-length prefix past MAX_PATH.
std::wstring SystemName(const std::string& path);
// "<missing>" when the file cannot be opened.
std::string ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::string& bytes);
// Removes a folder with everything in it.
void RemoveTree(const std::string& path);
std::string BytesOf(COleSafeArray data);

} // namespace panetest
