// Korvane's main window as a user meets it, read and driven from outside: its bars and
// panes by their control ids, the menus opened by their access keys, the toolbar's buttons
// found by the prompt the status bar shows over them, the log list's rows, the layout of the
// eight panes (which group each lies in, which tab is selected, where each lies on the screen)
// and a serial peer on the other end of the pseudo-terminal pair.
#pragma once

#include "programdriver.h"
#include "uiprobe.h"

#include <memory>
#include <string>
#include <vector>

namespace e2e {

const int kMenuBarId = 0xE805;
const int kToolBarId = 59392;
const int kStatusBarId = 59393;
const int kLogListId = 59648;

struct PaneName {
    int id;
    const char* title; // the caption a person reads
    const char* name;  // for the tests' messages
};
// The eight panes: their bars' control ids and captions.
extern const PaneName kPanes[8];
// The pane's name in the tests' messages.
const char* NameOf(int id);

// One pane as a person sees it.
struct PaneView {
    int id = 0;
    bool exists = false;
    bool seen = false;      // shown and on top at its middle
    bool floating = false;  // in a frame of its own
    RECT rc = {};
    int groupKey = 0;       // the id of the group's selected pane when it lies in a tabbed group
};

struct GroupView {
    HWND hwnd = NULL;
    std::vector<int> members; // the panes inside, in tab order when read from the strip
    int selected = 0;         // the pane the strip shows selected
    bool floating = false;
    RECT rc = {};
};

struct LayoutView {
    std::vector<PaneView> panes;
    std::vector<GroupView> groups;
    const PaneView* Pane(int id) const;
    const GroupView* GroupOf(int id) const;
    // What differs between two layouts, empty when they are the same.
    std::string Differences(const LayoutView& other) const;
};

// A rectangle as the tests' messages show it: "(left,top widthxheight)".
std::string RectText(const RECT& rc);

// A label of a tab strip found in its pixels.
struct TabLabel {
    RECT rc;
};

class Korvane {
public:
    // A working folder of its own; the program's registry key is emptied when asked.
    explicit Korvane(bool bEmptyProfile = true);
    ~Korvane();
    Korvane(const Korvane&) = delete;
    Korvane& operator=(const Korvane&) = delete;

    const std::string& Folder() const { return m_folder; }
    std::string File(const std::string& name) const { return m_folder + "\\" + name; }
    // From the next start on, the program runs from a copy of its folder (korvane.exe and
    // lua51.dll) made inside the working folder, where a test puts what a user would put
    // beside the program; answers the copy's path, empty when it could not be made.
    std::string CopyProgramFolder();

    // Starts the program and waits until its main window shows and it waits for input.
    bool Start();
    // Ends it through WM_CLOSE: true when it ended with 0.
    bool Close();
    Program& Process() { return *m_program; }
    DWORD Pid() const { return m_program != nullptr ? m_program->Pid() : 0; }
    bool Running() const { return m_program != nullptr && m_program->Running(); }

    HWND Main() const;
    HWND MenuBar() const;
    HWND ToolBar() const;
    HWND StatusBar() const;
    HWND LogList() const;
    // A pane's bar wherever it lies (the main window or a floating frame).
    HWND PaneBar(int id) const;
    std::vector<std::string> Status() const;

    // Brings the main window to the front.
    void Activate();
    // Alt+key opens a menu of the menu bar; answers its popup window.
    HWND OpenMenu(char accessKey);
    // The rows of a menu bar popup (the part joined with the menu bar's button left out).
    std::vector<MenuRow> MenuItems(HWND hPopup) const;
    // The text rows only (separators left out).
    std::vector<MenuRow> MenuCommands(HWND hPopup) const;
    void CloseMenus();
    bool NoMenuOpen() const;

    // The centre of the toolbar button over which the status bar shows the prompt: of the
    // main toolbar, or of the bar given (a pane's toolbar).
    bool FindToolButton(const std::string& prompt, POINT* pAt, HWND hBar = NULL) const;
    bool ClickToolButton(const std::string& prompt);

    // A shown dialog of the program with the title.
    HWND WaitDialog(const std::string& title, unsigned timeoutMs = kPatienceMs) const;
    // Any shown dialog of the program (a file dialog, a message box).
    HWND WaitAnyDialog(unsigned timeoutMs = kPatienceMs) const;
    bool WaitDialogGone(HWND hDlg, unsigned timeoutMs = kPatienceMs) const;
    // Picks an item of a drop list by its text, with the mouse.
    bool ChooseInCombo(HWND hCombo, const std::string& item);
    // Clicks a tree item by its text (the first, or a later one of the same text).
    bool ClickTreeItem(HWND hTree, const std::string& text, int occurrence = 0);

    int LogCount() const;
    std::vector<std::vector<std::string>> LogRows(int columns = 4) const;

    // Tab labels of a strip, left to right.
    std::vector<TabLabel> TabLabels(HWND hTabWnd) const;
    LayoutView ReadLayout() const;
    // Reads the tab order of every group by clicking each label once, then puts the
    // selection back.
    void ReadTabOrders(LayoutView& layout);

private:
    void PictureIfFailed();

    std::string m_folder;
    std::string m_exeFolder;
    std::unique_ptr<Program> m_program;
    bool m_bPictured = false;
};

// The other end of the pseudo-terminal pair, opened with plain Win32 calls.
class SerialPeer {
public:
    SerialPeer();
    ~SerialPeer();
    bool Open();
    bool Write(const std::vector<BYTE>& bytes);
    // Reads until count bytes came or the time has passed.
    std::vector<BYTE> Read(size_t count, unsigned timeoutMs = kPatienceMs);

private:
    HANDLE m_hPort;
};

// The COM ports of the test command's pseudo-terminal pair: the program's and the peer's
// (KORVANE_PTY_COMS, "7 8" when unset).
int ProgramCom();
int PeerCom();

std::string Hex(const std::vector<BYTE>& bytes);

} // namespace e2e
