// Probes that read another process's windows as a person sees them, and real input given
// through the window system.
//
// - Windows: top-level and child windows by class, control id and title; their screen
//   rectangles, whether they are shown, their texts (WM_GETTEXT, which the system carries
//   across processes).
// - Controls whose answers are written to memory the caller names (list view items, status
//   bar panes, list box and tree items) are read through a block of memory allocated in the
//   program's own process.
// - Screen pixels: a rectangle of the screen copied as it is shown.
// - Input: the mouse moved, pressed and released and keys typed with SendInput, as a hand
//   does; a drag is a sequence of moves with pauses.
// - Menus: the framework's popup menus are windows of their own that paint their items; a
//   popup's rows are read from its pixels (rows of text, separators, the highlighted row,
//   check marks, greyed text).
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace e2e {

// ---- Windows.

std::string ClassOf(HWND hWnd);
// The window's text through WM_GETTEXT (code page 932 bytes).
std::string TextOf(HWND hWnd);
RECT ScreenRect(HWND hWnd);
// Visible with every ancestor, and not of zero size.
bool Shown(HWND hWnd);
POINT Center(const RECT& rc);

// The top-level windows of a process (shown ones only when asked).
std::vector<HWND> TopWindows(DWORD pid, bool bShownOnly = true);
// Every descendant of root, depth first.
std::vector<HWND> Descendants(HWND root);
// The first descendant matching every criterion given (class, control id, text).
HWND FindChild(HWND root, const char* cls, int id = -1, const char* text = nullptr);
std::vector<HWND> FindChildren(HWND root, const char* cls, int id = -1);
// The first shown descendant of that class and id (pages of a dialog reuse ids).
HWND ShownChild(HWND root, const char* cls, int id);
// The chain of ancestors of a window, nearest first, up to and without the desktop.
std::vector<HWND> Ancestors(HWND hWnd);

// How long a probe waits for what it needs by default: the test machines are shared, and a
// program held to busy cores may take many seconds for what takes it milliseconds alone. A
// wait that is met returns at once, so only a failure pays for the patience.
const unsigned kPatienceMs = 30000;

// Polls cond every 20 ms until it holds (true) or the time has passed (false).
bool WaitFor(const std::function<bool()>& cond, unsigned timeoutMs = kPatienceMs);
// Waits until the program whose UI thread owns the window has taken the input and the
// messages given to it so far, run its idle pass and painted what was left to paint (false
// after the time, said on the output). A pixel of the program's window is marked for
// painting: the system lets the thread paint only once its queue holds no input and no posted
// message, and the thread's idle pass comes after that; two such rounds, then no shown window
// of the thread has anything left to paint.
bool WaitIdle(HWND hWnd, unsigned timeoutMs = kPatienceMs);
// Waits until the program of the window is idle and the window has kept its place and size
// over several of the program's idle rounds (a layout has settled); answers its rectangle.
RECT WaitSettled(HWND hWnd, unsigned timeoutMs = kPatienceMs);
// Waits until the program showing the screen rectangle is idle and the rectangle's pixels
// stay the same over more than one of its paint cycles: three samples, each after the program
// went idle again, some time apart (false when they never did within the time).
bool WaitStill(const RECT& rc, unsigned timeoutMs = kPatienceMs);

// ---- Memory of the program's process.

class RemoteBlock {
public:
    RemoteBlock(HWND hWndOfProcess, size_t size);
    ~RemoteBlock();
    RemoteBlock(const RemoteBlock&) = delete;
    RemoteBlock& operator=(const RemoteBlock&) = delete;

    bool Valid() const { return m_pRemote != nullptr; }
    // The block's address in the program's process.
    void* Address() const { return m_pRemote; }
    template <class T> T* At(size_t offset = 0) const
    {
        return reinterpret_cast<T*>(static_cast<char*>(m_pRemote) + offset);
    }
    bool Write(const void* p, size_t size, size_t offset = 0);
    bool Read(void* p, size_t size, size_t offset = 0) const;
    std::string ReadString(size_t offset, size_t maxBytes) const;

private:
    HANDLE m_hProcess;
    void* m_pRemote;
    size_t m_size;
};

int ListCount(HWND hList);
// How many whole rows a list view shows at once.
int ListRowsShown(HWND hList);
std::string ListCell(HWND hList, int row, int column);
std::vector<std::string> ListRow(HWND hList, int row, int columns);
// The rectangle of a list view's row, or of one cell of it, on the screen (empty when not
// shown).
RECT ListRowRect(HWND hList, int row);
RECT ListCellRect(HWND hList, int row, int column);
// The texts of a status bar's panes.
std::vector<std::string> StatusTexts(HWND hStatus);
// The items of a combo box's list, and its current selection.
std::vector<std::string> ComboItems(HWND hCombo);
int ComboSelection(HWND hCombo);
// A tree view's items as "text" in display order (expanded branches only), with their
// rectangles on the screen.
struct TreeItem {
    std::string text;
    RECT rc;
};
std::vector<TreeItem> TreeItems(HWND hTree);

// ---- Screen pixels.

class Screenshot {
public:
    explicit Screenshot(const RECT& rc);
    int Width() const { return m_cx; }
    int Height() const { return m_cy; }
    const RECT& Rect() const { return m_rc; }
    // The pixel at screen coordinates as 0x00BBGGRR.
    COLORREF At(int x, int y) const;
    COLORREF AtLocal(int x, int y) const { return m_pixels[static_cast<size_t>(y) * m_cx + x]; }
    bool operator==(const Screenshot& other) const;
    // Number of pixels that differ from the other shot of the same rectangle.
    int Differences(const Screenshot& other) const;
    // The smallest rectangle (screen coordinates) holding them; empty when none differs.
    RECT DifferenceBounds(const Screenshot& other) const;
    // Saves a 24-bit BMP, for looking at a failure.
    bool SaveBmp(const std::string& path) const;

private:
    RECT m_rc;
    int m_cx;
    int m_cy;
    std::vector<COLORREF> m_pixels;
};

int Luma(COLORREF c);
// The colour most pixels of the shot have (a window's background).
COLORREF MostCommonColor(const Screenshot& shot);
// Pixels of the rectangle that stand out from its most common colour (text, lines, icons): a
// window that shows nothing drawn has none.
int InkPixels(const RECT& rc);
// Shown, on top at its middle, and something drawn in it.
bool Seen(HWND hWnd);

// ---- Input.

void MouseMove(int x, int y);
void MouseDown(bool bRight = false);
void MouseUp(bool bRight = false);
void Click(int x, int y, bool bRight = false);
void DoubleClick(int x, int y);
// The two presses and releases of a left double click where the cursor is. They carry the
// times a hand's double click has whenever this thread gets to give them: a busy machine that
// holds it between the clicks must not make two single clicks of them.
void DoubleClickHere();
// Presses at from and moves (past the drag threshold, in steps with pauses) to the point; the
// button stays down.
void PressAndMove(POINT from, POINT to);
// Moves on to the point and releases there after a rest, as a hand drops.
void MoveAndRelease(POINT to);
// A whole drag from one point to another.
void Drag(POINT from, POINT to);
enum Mods : unsigned { kNoMods = 0, kShift = 1, kCtrl = 2, kAlt = 4 };
void KeyDown(WORD vk);
void KeyUp(WORD vk);
void Key(WORD vk, unsigned mods = kNoMods);
// Types printable ASCII text as keys.
void Type(const std::string& text);
// Brings the window to the front by a click on its caption area's left end.
void Activate(HWND hTop);

// ---- Framework popup menus.

// A shown popup menu window of the process (the framework's own popup class), the
// most recently opened first.
std::vector<HWND> PopupMenus(DWORD pid);
// One row of a popup menu read from its pixels, in the popup's client coordinates.
struct MenuRow {
    int top = 0;
    int bottom = 0;
    bool separator = false;
    bool greyed = false;      // its text has no dark ink, only grey
    bool highlighted = false; // drawn on the look's highlight
    bool checked = false;     // a mark in the check column
};
// skipTop: rows at the top that belong to the button the menu is joined with.
std::vector<MenuRow> MenuRows(HWND hPopup, int skipTop = 0);
// The screen point in the middle of a popup row's text.
POINT MenuRowPoint(HWND hPopup, const MenuRow& row);

} // namespace e2e
