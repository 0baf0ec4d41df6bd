// Window test harness shared by the test executables that drive real windows under Xvfb.
//
// - HiddenParent: a top-level window, never shown, to parent and own the windows under test.
// - PumpUntil: processes the thread's messages until a condition holds or a bounded time
//   has passed, so a test never hangs on a window that does not react.
// - Keys and mouse: synthetic keyboard messages with modifiers (the thread's keyboard state
//   is set with SetKeyboardState for the duration, so GetKeyState sees Shift/Ctrl/Alt), and
//   mouse messages at client coordinates.
// - DibSurface: a 32-bit top-down DIB section selected into a memory DC, to paint into and
//   read pixels back exactly.
// - Pixel checks: an ASCII map of a rectangle of a DibSurface through a colour-to-letter
//   legend, compared with the expected rows; a snapshot of a device context's state (colours,
//   modes, selected objects, clip, origins) to show that a painter leaves it as it was.
// - ScriptedInputPlayer: input for modal loops (drags, resizes) that read the cursor and the
//   key state themselves: a thread timer, set before the loop starts, runs one step per tick
//   inside the loop (cursor moves, button and modifier states, posted messages, calls). When
//   the steps are done and the loop still runs, the window with the capture is sent
//   WM_CANCELMODE, so nothing hangs.
// - ScriptedPrompts: a prompt hook that records message boxes and answers them, and the
//   file, colour and folder dialogs, from a script instead of blocking.
#pragma once
#include "afxwin.h"
#include "afxdlgs.h"
#include <gtest/gtest.h>
#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace winharness {

class HiddenParent {
public:
    HiddenParent();
    ~HiddenParent();
    HWND hwnd() const { return m_hWnd; }
    CWnd* wnd() const { return CWnd::FromHandle(m_hWnd); }
    operator HWND() const { return m_hWnd; }

private:
    HWND m_hWnd;
    HiddenParent(const HiddenParent&) = delete;
    HiddenParent& operator=(const HiddenParent&) = delete;
};

// Dispatches every queued message (without the library's pre-translate walk); a WM_QUIT
// found is dropped and reported.
bool PumpPending();
// Pumps until pred() holds; false when timeoutMs passed first.
bool PumpUntil(const std::function<bool()>& pred, unsigned timeoutMs = 30000);
// Pumps for a fixed time.
void PumpFor(unsigned ms);
// The idle pass of the message loop once its queue is empty: every visible frame takes its
// idle update (the layout it delayed), then the queue is pumped.
void IdlePass();

enum Modifiers : unsigned { kNone = 0, kShift = 1, kCtrl = 2, kAlt = 4 };

// Sets the thread's keyboard state to exactly the given modifiers while alive.
class KeyboardModifiers {
public:
    explicit KeyboardModifiers(unsigned mods);
    ~KeyboardModifiers();

private:
    BYTE m_saved[256];
};

// lParam of a key message: repeat count 1, the scan code, the extended and previous-state bits.
LPARAM KeyLParam(UINT vk, bool bUp, bool bAlt = false);
// Sends (synchronously) WM_KEYDOWN [, WM_CHAR], WM_KEYUP for vk with the modifiers held.
void SendKey(HWND hWnd, UINT vk, unsigned mods = kNone);
// Sends WM_CHAR for a character code.
void SendChar(HWND hWnd, UINT ch, unsigned mods = kNone);
// Posts WM_KEYDOWN to hWnd, so it travels through the message loop of whoever pumps next.
void PostKeyDown(HWND hWnd, UINT vk);
// Sends a mouse message at client coordinates with the given MK_ flags.
LRESULT SendMouse(HWND hWnd, UINT message, int x, int y, UINT keyFlags = 0);
// A left click: button down and up at the point.
void Click(HWND hWnd, int x, int y, UINT keyFlags = 0);
// Real input, as a hand gives it: the cursor moved to a screen point and the left button
// pressed or released through SendInput; the window under the cursor gets the messages.
void RealMove(POINT ptScreen);
void RealButton(bool bDown);

// The text of a list view's cell (at most 255 bytes).
std::string ListViewCell(HWND hList, int row, int column);

class DibSurface {
public:
    DibSurface(int width, int height, COLORREF fill = RGB(255, 255, 255));
    ~DibSurface();

    HDC dc() const { return m_hDC; }
    CDC* cdc() const { return CDC::FromHandle(m_hDC); }
    int width() const { return m_cx; }
    int height() const { return m_cy; }
    // The pixel as a COLORREF (0x00BBGGRR).
    COLORREF Pixel(int x, int y) const;
    void Fill(COLORREF clr);
    // Number of pixels of the colour, or different from it.
    int Count(COLORREF clr) const;
    int CountOther(COLORREF clr) const;
    // Paints a window's client area into the surface (WM_PRINTCLIENT | PRF_CLIENT...).
    void PrintWindow(HWND hWnd);

private:
    HDC m_hDC;
    HBITMAP m_hBitmap;
    HGDIOBJ m_hOld;
    uint32_t* m_pBits;
    int m_cx;
    int m_cy;
};

// Letter -> colour. Pixels of a colour not in the legend show as '?'.
typedef std::vector<std::pair<char, COLORREF>> ColorLegend;

// Rows of the rectangle (x, y, cx, cy) of the surface, one letter per pixel.
std::vector<std::string> AsciiMap(const DibSurface& surface, int x, int y, int cx, int cy,
                                  const ColorLegend& legend);
// Success when the rows at (x, y) read exactly as expected; the failure shows both maps.
::testing::AssertionResult MatchesAsciiMap(const DibSurface& surface, int x, int y,
                                           const std::vector<std::string>& expected,
                                           const ColorLegend& legend);

struct DcState {
    COLORREF textColor = 0;
    COLORREF bkColor = 0;
    int bkMode = 0;
    int rop2 = 0;
    int mapMode = 0;
    int polyFillMode = 0;
    int stretchMode = 0;
    UINT textAlign = 0;
    HGDIOBJ pen = NULL;
    HGDIOBJ brush = NULL;
    HGDIOBJ font = NULL;
    HGDIOBJ bitmap = NULL;
    HGDIOBJ palette = NULL;
    POINT viewportOrg = {};
    POINT windowOrg = {};
    POINT brushOrg = {};
    POINT currentPos = {};
    bool hasClip = false;
    std::vector<char> clip;   // region data of the clip region, empty without one

    static DcState Capture(HDC hDC);
    // Names the fields that differ, empty when none.
    std::string Differences(const DcState& other) const;
};
// Success when the context's state equals the snapshot.
::testing::AssertionResult SameDcState(const DcState& before, HDC hDC);

class ScriptedInputPlayer {
public:
    ScriptedInputPlayer();
    ~ScriptedInputPlayer();

    // Moves the cursor to the screen point and posts WM_MOUSEMOVE (client coordinates) to the
    // window with the capture.
    ScriptedInputPlayer& MoveTo(int x, int y);
    // The thread's key state: left button and modifiers (GetKeyState sees them).
    ScriptedInputPlayer& Keys(bool bLeftButton, unsigned mods = kNone);
    ScriptedInputPlayer& Post(HWND hWnd, UINT nMsg, WPARAM wParam = 0, LPARAM lParam = 0);
    // Posts to the window that has the capture when the step runs.
    ScriptedInputPlayer& PostToCapture(UINT nMsg, WPARAM wParam = 0, LPARAM lParam = 0);
    ScriptedInputPlayer& Call(std::function<void()> fn);
    // Arms the timer; the steps run while the thread pumps messages.
    void Start(unsigned intervalMs = 15);
    bool Done() const { return m_next >= m_steps.size(); }

private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR nId, DWORD);
    void Tick();
    std::vector<std::function<void()>> m_steps;
    size_t m_next;
    int m_idleTicks;
    UINT_PTR m_timer;
    ScriptedInputPlayer(const ScriptedInputPlayer&) = delete;
    ScriptedInputPlayer& operator=(const ScriptedInputPlayer&) = delete;
};

// A hand's steps of real input (RealMove, RealButton: the window system turns them into the
// messages, captures and double clicks a user's hand would give), played from a thread of its
// own with pauses between the steps, while the calling thread pumps its messages and the
// modal loops the input starts pump theirs.

class RealHand {
public:
    RealHand();
    ~RealHand();
    // Moves from wherever the cursor is in steps of at most nStep pixels.
    RealHand& MoveTo(CPoint pt, int nStep = 24);
    // The same to a point known only when the step comes (set by an earlier Call).
    RealHand& MoveTo(std::function<CPoint()> where, int nStep = 24);
    RealHand& Press();
    RealHand& Release();
    RealHand& Pause(unsigned ms);
    RealHand& Click(CPoint pt);
    RealHand& DoubleClick(CPoint pt);
    // Press at from, a move past the drag thresholds, on to to, a rest, and the release; the
    // moves in steps of at most nStep pixels.
    RealHand& Drag(CPoint from, CPoint to, int nStep = 24);
    // Runs fn on the calling thread at this point of the steps, inside whatever loop the
    // thread is in then (it gets it as a sent message), and goes on when it has run.
    RealHand& Call(std::function<void()> fn);
    // Asks pred the same way every 10 ms until it holds or ms have passed: for what the
    // calling thread does when it gets to the input, however long that takes it.
    RealHand& WaitFor(std::function<bool()> pred, unsigned ms = 30000);
    // Waits until the calling thread has taken all the input given so far.
    RealHand& Settle();
    // Plays the steps and pumps until they are done and the queue is empty; false when they
    // took longer than timeoutMs, or when they left a modal loop running (it is cancelled).
    // The steps are then forgotten, so the hand can be used again.
    bool Play(unsigned timeoutMs = 120000);

private:
    static DWORD WINAPI ThreadMain(LPVOID pParam);
    static LRESULT CALLBACK CallWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);
    std::vector<std::function<void()>> m_steps;
    volatile LONG m_bDone;
    volatile LONG m_bStuck;   // the steps ended inside a loop that had to be cancelled
    DWORD m_nThreadId;
    HANDLE m_hReturned;
    HWND m_hCallWnd;          // a message-only window of the calling thread that runs the calls
    RealHand(const RealHand&) = delete;
    RealHand& operator=(const RealHand&) = delete;
};

struct PromptRecord {
    std::string kind;      // "message", "file-open", "file-save", "color", "folder"
    std::string text;      // message text or dialog title
    UINT type = 0;         // message box flags
    std::string filter;    // file dialogs: the filter with NULs shown as '|'
    std::string defExt;
    std::string initial;   // file dialogs: the initial file name; colour: hex of the start colour
    DWORD flags = 0;
};

// Installs itself while alive. Answers are taken in order; without one, a message box
// answers IDOK (IDYES for Yes/No boxes) and a dialog is cancelled.
class ScriptedPrompts : public CPromptHook {
public:
    ScriptedPrompts();
    ~ScriptedPrompts() override;

    std::vector<PromptRecord> records;
    std::deque<int> messageAnswers;
    std::deque<std::string> fileAnswers;   // path to answer, "" = cancel
    std::deque<long> colorAnswers;         // colour to answer, -1 = cancel
    std::deque<std::string> folderAnswers; // folder to answer, "" = cancel

    int MessageBox(HWND hWndOwner, LPCSTR lpszText, LPCSTR lpszCaption, UINT nType) override;
    INT_PTR FileDialog(BOOL bOpen, OPENFILENAME* pofn) override;
    INT_PTR ColorDialog(CHOOSECOLOR* pcc) override;
    BOOL BrowseForFolder(HWND hWndOwner, LPCSTR lpszTitle, UINT ulFlags, CString& strFolder) override;

private:
    CPromptHook* m_pOld;
};

} // namespace winharness
