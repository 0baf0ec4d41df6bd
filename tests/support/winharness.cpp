// Window test harness (see winharness.h).
#include "winharness.h"
#include "uiprobe.h"
#include <commctrl.h>
#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace winharness {

namespace {
const char kParentClass[] = "KorvaneTestHiddenParent";

void RegisterParentClass()
{
    static bool s_done = false;
    if (s_done)
        return;
    WNDCLASSA wc = {};
    wc.lpfnWndProc = ::DefWindowProcA;
    wc.hInstance = ::GetModuleHandleA(NULL);
    wc.hCursor = ::LoadCursor(NULL, IDC_ARROW);
    wc.hbrBackground = (HBRUSH)(COLOR_WINDOW + 1);
    wc.lpszClassName = kParentClass;
    ::RegisterClassA(&wc);
    s_done = true;
}

std::string FilterText(LPCSTR lpstrFilter)
{
    std::string s;
    if (lpstrFilter == NULL)
        return s;
    for (LPCSTR p = lpstrFilter; *p != '\0' || p[1] != '\0'; ++p)
        s += (*p == '\0') ? '|' : *p;
    return s + "||";
}
// Without a window manager (Xvfb), Wine waits up to two seconds for every managed top-level
// window to be unmapped. Test executables ask Wine to leave their windows unmanaged; the
// setting is per executable and read when the display driver starts, before any window.
struct UnmanagedWindowsUnderWine {
    UnmanagedWindowsUnderWine()
    {
        HMODULE hNtdll = ::GetModuleHandleA("ntdll.dll");
        if (hNtdll == NULL || ::GetProcAddress(hNtdll, "wine_get_version") == NULL)
            return;
        char szPath[MAX_PATH];
        DWORD n = ::GetModuleFileNameA(NULL, szPath, MAX_PATH);
        if (n == 0 || n >= MAX_PATH)
            return;
        const char* pszExe = strrchr(szPath, '\\');
        pszExe = pszExe != NULL ? pszExe + 1 : szPath;
        std::string strKey = std::string("Software\\Wine\\AppDefaults\\") + pszExe + "\\X11 Driver";
        HKEY hKey;
        if (::RegCreateKeyExA(HKEY_CURRENT_USER, strKey.c_str(), 0, NULL, 0, KEY_SET_VALUE, NULL, &hKey, NULL) == ERROR_SUCCESS) {
            ::RegSetValueExA(hKey, "Managed", 0, REG_SZ, (const BYTE*)"N", 2);
            ::RegCloseKey(hKey);
        }
    }
} g_unmanagedWindows;

} // namespace

HiddenParent::HiddenParent()
{
    RegisterParentClass();
    m_hWnd = ::CreateWindowExA(0, kParentClass, "test parent", WS_OVERLAPPEDWINDOW, 0, 0, 640, 480,
                               NULL, NULL, ::GetModuleHandleA(NULL), NULL);
}

HiddenParent::~HiddenParent()
{
    if (::IsWindow(m_hWnd))
        ::DestroyWindow(m_hWnd);
}

bool PumpPending()
{
    bool bQuit = false;
    MSG msg;
    while (::PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            bQuit = true;
            continue;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    return bQuit;
}

void IdlePass()
{
    AfxIdleUpdateFrames(nullptr);
    PumpPending();
}

bool PumpUntil(const std::function<bool()>& pred, unsigned timeoutMs)
{
    DWORD dwStart = ::GetTickCount();
    for (;;) {
        if (pred())
            return true;
        PumpPending();
        if (pred())
            return true;
        if (::GetTickCount() - dwStart >= timeoutMs)
            return false;
        ::MsgWaitForMultipleObjects(0, NULL, FALSE, 10, QS_ALLINPUT);
    }
}

void PumpFor(unsigned ms)
{
    DWORD dwStart = ::GetTickCount();
    while (::GetTickCount() - dwStart < ms) {
        PumpPending();
        ::MsgWaitForMultipleObjects(0, NULL, FALSE, 5, QS_ALLINPUT);
    }
}

KeyboardModifiers::KeyboardModifiers(unsigned mods)
{
    ::GetKeyboardState(m_saved);
    BYTE state[256];
    memcpy(state, m_saved, sizeof(state));
    const BYTE down = 0x80;
    state[VK_SHIFT] = state[VK_LSHIFT] = state[VK_RSHIFT] = (mods & kShift) ? down : 0;
    state[VK_CONTROL] = state[VK_LCONTROL] = state[VK_RCONTROL] = (mods & kCtrl) ? down : 0;
    state[VK_MENU] = state[VK_LMENU] = state[VK_RMENU] = (mods & kAlt) ? down : 0;
    ::SetKeyboardState(state);
}

KeyboardModifiers::~KeyboardModifiers()
{
    ::SetKeyboardState(m_saved);
}

namespace {
ScriptedInputPlayer* g_pPlayer = nullptr;
}

ScriptedInputPlayer::ScriptedInputPlayer() : m_next(0), m_idleTicks(0), m_timer(0)
{
}

ScriptedInputPlayer::~ScriptedInputPlayer()
{
    if (m_timer != 0)
        ::KillTimer(NULL, m_timer);
    if (g_pPlayer == this)
        g_pPlayer = nullptr;
    BYTE state[256];
    ::GetKeyboardState(state);
    state[VK_LBUTTON] = state[VK_SHIFT] = state[VK_CONTROL] = state[VK_MENU] = 0;
    ::SetKeyboardState(state);
}

ScriptedInputPlayer& ScriptedInputPlayer::MoveTo(int x, int y)
{
    m_steps.push_back([x, y]() {
        ::SetCursorPos(x, y);
        HWND hCapture = ::GetCapture();
        if (hCapture != NULL) {
            POINT pt = {x, y};
            ::ScreenToClient(hCapture, &pt);
            ::PostMessageA(hCapture, WM_MOUSEMOVE, (::GetKeyState(VK_LBUTTON) < 0) ? MK_LBUTTON : 0,
                           MAKELPARAM(pt.x, pt.y));
        }
    });
    return *this;
}

ScriptedInputPlayer& ScriptedInputPlayer::Keys(bool bLeftButton, unsigned mods)
{
    m_steps.push_back([bLeftButton, mods]() {
        BYTE state[256];
        ::GetKeyboardState(state);
        const BYTE down = 0x80;
        state[VK_LBUTTON] = bLeftButton ? down : 0;
        state[VK_SHIFT] = state[VK_LSHIFT] = (mods & kShift) ? down : 0;
        state[VK_CONTROL] = state[VK_LCONTROL] = (mods & kCtrl) ? down : 0;
        state[VK_MENU] = state[VK_LMENU] = (mods & kAlt) ? down : 0;
        ::SetKeyboardState(state);
    });
    return *this;
}

ScriptedInputPlayer& ScriptedInputPlayer::Post(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    m_steps.push_back([=]() { ::PostMessageA(hWnd, nMsg, wParam, lParam); });
    return *this;
}

ScriptedInputPlayer& ScriptedInputPlayer::PostToCapture(UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    m_steps.push_back([=]() {
        if (HWND hCapture = ::GetCapture())
            ::PostMessageA(hCapture, nMsg, wParam, lParam);
    });
    return *this;
}

ScriptedInputPlayer& ScriptedInputPlayer::Call(std::function<void()> fn)
{
    m_steps.push_back(fn);
    return *this;
}

void ScriptedInputPlayer::Start(unsigned intervalMs)
{
    g_pPlayer = this;
    m_timer = ::SetTimer(NULL, 0, intervalMs, &ScriptedInputPlayer::OnTimer);
}

void CALLBACK ScriptedInputPlayer::OnTimer(HWND, UINT, UINT_PTR nId, DWORD)
{
    if (g_pPlayer != nullptr && g_pPlayer->m_timer == nId)
        g_pPlayer->Tick();
}

void ScriptedInputPlayer::Tick()
{
    if (m_next < m_steps.size()) {
        m_steps[m_next++]();
        return;
    }
    // A loop that outlived its script is ended, so a test fails instead of hanging.
    if (++m_idleTicks > 20) {
        if (HWND hCapture = ::GetCapture())
            ::SendMessageA(hCapture, WM_CANCELMODE, 0, 0);
    }
}

RealHand::RealHand() : m_bDone(0), m_bStuck(0), m_nThreadId(0), m_hReturned(NULL), m_hCallWnd(NULL)
{
}

RealHand::~RealHand()
{
    // A button left down by a failed test must not hold the next one.
    if (::GetAsyncKeyState(VK_LBUTTON) < 0)
        RealButton(false);
    if (m_hCallWnd != NULL)
        ::DestroyWindow(m_hCallWnd);
}

LRESULT CALLBACK RealHand::CallWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    if (nMsg == WM_APP) {
        (*reinterpret_cast<std::function<void()>*>(wParam))();
        return 0;
    }
    return ::DefWindowProcA(hWnd, nMsg, wParam, lParam);
}

RealHand& RealHand::Call(std::function<void()> fn)
{
    m_steps.push_back([this, fn]() {
        std::function<void()> call = fn;
        ::SendMessageA(m_hCallWnd, WM_APP, (WPARAM)&call, 0);
    });
    return *this;
}

RealHand& RealHand::WaitFor(std::function<bool()> pred, unsigned ms)
{
    m_steps.push_back([this, pred, ms]() {
        const DWORD dwStart = ::GetTickCount();
        bool bHolds = false;
        std::function<void()> ask = [&] { bHolds = pred(); };
        for (;;) {
            ::SendMessageA(m_hCallWnd, WM_APP, (WPARAM)&ask, 0);
            if (bHolds || ::GetTickCount() - dwStart >= ms)
                break;
            ::Sleep(10);
        }
    });
    return *this;
}

RealHand& RealHand::Settle()
{
    return WaitFor([] { return HIWORD(::GetQueueStatus(QS_INPUT)) == 0; });
}

RealHand& RealHand::MoveTo(CPoint pt, int nStep)
{
    return MoveTo([pt]() { return pt; }, nStep);
}

RealHand& RealHand::MoveTo(std::function<CPoint()> where, int nStep)
{
    m_steps.push_back([where, nStep]() {
        const CPoint pt = where();
        CPoint ptFrom;
        ::GetCursorPos(&ptFrom);
        const int nFar = (int)std::max(std::abs(pt.x - ptFrom.x), std::abs(pt.y - ptFrom.y));
        const int n = std::max(1, nFar / std::max(nStep, 1));
        for (int i = 1; i <= n; ++i) {
            RealMove(CPoint(ptFrom.x + (pt.x - ptFrom.x) * i / n, ptFrom.y + (pt.y - ptFrom.y) * i / n));
            ::Sleep(5);
        }
    });
    return *this;
}

RealHand& RealHand::Press()
{
    m_steps.push_back([]() { RealButton(true); ::Sleep(20); });
    return *this;
}

RealHand& RealHand::Release()
{
    m_steps.push_back([]() { RealButton(false); ::Sleep(20); });
    return *this;
}

RealHand& RealHand::Pause(unsigned ms)
{
    m_steps.push_back([ms]() { ::Sleep(ms); });
    return *this;
}

RealHand& RealHand::Click(CPoint pt)
{
    return MoveTo(pt).Pause(30).Press().Release().Pause(30);
}

RealHand& RealHand::DoubleClick(CPoint pt)
{
    MoveTo(pt).Pause(30);
    m_steps.push_back([]() { e2e::DoubleClickHere(); });
    return Pause(40);
}

RealHand& RealHand::Drag(CPoint from, CPoint to, int nStep)
{
    const CPoint ptStart(from.x + (to.x > from.x ? 10 : -10), from.y + (to.y > from.y ? 10 : -10));
    return MoveTo(from, nStep).Settle().Press().MoveTo(ptStart, 4).MoveTo(to, nStep).Settle().Release().Settle();
}

DWORD WINAPI RealHand::ThreadMain(LPVOID pParam)
{
    RealHand* pHand = static_cast<RealHand*>(pParam);
    for (auto& step : pHand->m_steps) {
        step();
    }
    ::InterlockedExchange(&pHand->m_bDone, 1);
    // A modal loop that outlived the steps is ended, so a test fails instead of hanging.
    if (::WaitForSingleObject(pHand->m_hReturned, 15000) == WAIT_TIMEOUT) {
        ::InterlockedExchange(&pHand->m_bStuck, 1);
        do {
            GUITHREADINFO info = {};
            info.cbSize = sizeof(info);
            if (::GetGUIThreadInfo(pHand->m_nThreadId, &info)) {
                if (info.hwndCapture != NULL)
                    ::PostMessageA(info.hwndCapture, WM_CANCELMODE, 0, 0);
                // The system's own move and size loops end on Esc.
                if (info.flags & (GUI_INMOVESIZE | GUI_INMENUMODE))
                    ::PostThreadMessageA(pHand->m_nThreadId, WM_KEYDOWN, VK_ESCAPE, 0);
            }
            RealButton(false);
        } while (::WaitForSingleObject(pHand->m_hReturned, 500) == WAIT_TIMEOUT);
    }
    return 0;
}

bool RealHand::Play(unsigned timeoutMs)
{
    m_bDone = m_bStuck = 0;
    m_nThreadId = ::GetCurrentThreadId();
    if (m_hCallWnd == NULL) {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = &RealHand::CallWndProc;
        wc.hInstance = ::GetModuleHandleA(NULL);
        wc.lpszClassName = "KorvaneRealHandCalls";
        ::RegisterClassA(&wc);
        m_hCallWnd = ::CreateWindowA(wc.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, NULL, wc.hInstance, NULL);
    }
    m_hReturned = ::CreateEventA(NULL, TRUE, FALSE, NULL);
    HANDLE hThread = ::CreateThread(NULL, 0, &RealHand::ThreadMain, this, 0, NULL);
    if (hThread == NULL) {
        ::CloseHandle(m_hReturned);
        return false;
    }
    const bool bDone = PumpUntil([this] { return m_bDone != 0; }, timeoutMs);
    ::SetEvent(m_hReturned);
    ::WaitForSingleObject(hThread, INFINITE);
    ::CloseHandle(hThread);
    ::CloseHandle(m_hReturned);
    // What the last steps gave the queue is handled before the caller looks, and the idle
    // pass the message loop would make then (the frames' delayed layouts) is made.
    PumpFor(30);
    IdlePass();
    m_steps.clear();
    return bDone && !m_bStuck;
}

LPARAM KeyLParam(UINT vk, bool bUp, bool bAlt)
{
    UINT scan = ::MapVirtualKeyA(vk, 0);
    LPARAM l = 1 | ((LPARAM)(scan & 0xFF) << 16);
    switch (vk) {
    case VK_INSERT: case VK_DELETE: case VK_HOME: case VK_END: case VK_PRIOR: case VK_NEXT:
    case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN:
        l |= (LPARAM)1 << 24;   // extended key
        break;
    default:
        break;
    }
    if (bAlt)
        l |= (LPARAM)1 << 29;
    if (bUp)
        l |= ((LPARAM)1 << 30) | ((LPARAM)1 << 31);
    return l;
}

void SendKey(HWND hWnd, UINT vk, unsigned mods)
{
    KeyboardModifiers guard(mods);
    bool bAlt = (mods & kAlt) != 0;
    ::SendMessageA(hWnd, bAlt ? WM_SYSKEYDOWN : WM_KEYDOWN, vk, KeyLParam(vk, false, bAlt));
    ::SendMessageA(hWnd, bAlt ? WM_SYSKEYUP : WM_KEYUP, vk, KeyLParam(vk, true, bAlt));
}

void SendChar(HWND hWnd, UINT ch, unsigned mods)
{
    KeyboardModifiers guard(mods);
    ::SendMessageA(hWnd, WM_CHAR, ch, 1);
}

void PostKeyDown(HWND hWnd, UINT vk)
{
    ::PostMessageA(hWnd, WM_KEYDOWN, vk, KeyLParam(vk, false));
}

LRESULT SendMouse(HWND hWnd, UINT message, int x, int y, UINT keyFlags)
{
    return ::SendMessageA(hWnd, message, keyFlags, MAKELPARAM((WORD)(short)x, (WORD)(short)y));
}

void Click(HWND hWnd, int x, int y, UINT keyFlags)
{
    SendMouse(hWnd, WM_LBUTTONDOWN, x, y, keyFlags | MK_LBUTTON);
    SendMouse(hWnd, WM_LBUTTONUP, x, y, keyFlags);
}

void RealMove(POINT ptScreen)
{
    const int cx = ::GetSystemMetrics(SM_CXSCREEN), cy = ::GetSystemMetrics(SM_CYSCREEN);
    INPUT in = {};
    in.type = INPUT_MOUSE;
    // Rounded up, so that the system's scaling back down lands on the pixel itself.
    in.mi.dx = (LONG)(((LONGLONG)ptScreen.x * 65536 + cx - 1) / cx);
    in.mi.dy = (LONG)(((LONGLONG)ptScreen.y * 65536 + cy - 1) / cy);
    in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    ::SendInput(1, &in, sizeof(in));
}

void RealButton(bool bDown)
{
    INPUT in = {};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = bDown ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
    ::SendInput(1, &in, sizeof(in));
}

std::string ListViewCell(HWND hList, int row, int column)
{
    char text[256] = "";
    LVITEMA item = {};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = sizeof(text);
    ::SendMessageA(hList, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
    return text;
}

DibSurface::DibSurface(int width, int height, COLORREF fill) : m_pBits(nullptr), m_cx(width), m_cy(height)
{
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = width;
    bmi.bmiHeader.biHeight = -height;   // top-down: row 0 first
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    HDC hScreen = ::GetDC(NULL);
    m_hDC = ::CreateCompatibleDC(hScreen);
    ::ReleaseDC(NULL, hScreen);
    void* pBits = nullptr;
    m_hBitmap = ::CreateDIBSection(m_hDC, &bmi, DIB_RGB_COLORS, &pBits, NULL, 0);
    m_pBits = (uint32_t*)pBits;
    m_hOld = ::SelectObject(m_hDC, m_hBitmap);
    Fill(fill);
}

DibSurface::~DibSurface()
{
    ::SelectObject(m_hDC, m_hOld);
    ::DeleteObject(m_hBitmap);
    ::DeleteDC(m_hDC);
}

COLORREF DibSurface::Pixel(int x, int y) const
{
    ::GdiFlush();
    if (x < 0 || y < 0 || x >= m_cx || y >= m_cy || m_pBits == nullptr)
        return CLR_INVALID;
    uint32_t v = m_pBits[(size_t)y * m_cx + x];
    return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
}

void DibSurface::Fill(COLORREF clr)
{
    RECT rc = {0, 0, m_cx, m_cy};
    HBRUSH hbr = ::CreateSolidBrush(clr);
    ::FillRect(m_hDC, &rc, hbr);
    ::DeleteObject(hbr);
    ::GdiFlush();
}

int DibSurface::Count(COLORREF clr) const
{
    int n = 0;
    for (int y = 0; y < m_cy; ++y)
        for (int x = 0; x < m_cx; ++x)
            n += Pixel(x, y) == clr;
    return n;
}

int DibSurface::CountOther(COLORREF clr) const
{
    return m_cx * m_cy - Count(clr);
}

void DibSurface::PrintWindow(HWND hWnd)
{
    ::SendMessageA(hWnd, WM_PRINTCLIENT, (WPARAM)m_hDC, PRF_CLIENT | PRF_ERASEBKGND | PRF_CHILDREN);
    ::GdiFlush();
}

ScriptedPrompts::ScriptedPrompts()
{
    m_pOld = AfxSetPromptHook(this);
}

ScriptedPrompts::~ScriptedPrompts()
{
    AfxSetPromptHook(m_pOld);
}

int ScriptedPrompts::MessageBox(HWND, LPCSTR lpszText, LPCSTR, UINT nType)
{
    PromptRecord r;
    r.kind = "message";
    r.text = lpszText != NULL ? lpszText : "";
    r.type = nType;
    records.push_back(r);
    if (!messageAnswers.empty()) {
        int n = messageAnswers.front();
        messageAnswers.pop_front();
        return n;
    }
    UINT t = nType & MB_TYPEMASK;
    return (t == MB_YESNO || t == MB_YESNOCANCEL) ? IDYES : IDOK;
}

INT_PTR ScriptedPrompts::FileDialog(BOOL bOpen, OPENFILENAME* pofn)
{
    PromptRecord r;
    r.kind = bOpen ? "file-open" : "file-save";
    r.text = pofn->lpstrTitle != NULL ? pofn->lpstrTitle : "";
    r.filter = FilterText(pofn->lpstrFilter);
    r.defExt = pofn->lpstrDefExt != NULL ? pofn->lpstrDefExt : "";
    r.initial = pofn->lpstrFile != NULL ? pofn->lpstrFile : "";
    r.flags = pofn->Flags;
    records.push_back(r);
    std::string answer;
    if (!fileAnswers.empty()) {
        answer = fileAnswers.front();
        fileAnswers.pop_front();
    }
    if (answer.empty() || pofn->lpstrFile == NULL || answer.size() + 1 > pofn->nMaxFile)
        return IDCANCEL;
    memcpy(pofn->lpstrFile, answer.c_str(), answer.size() + 1);
    size_t nSlash = answer.find_last_of('\\');
    pofn->nFileOffset = (WORD)(nSlash == std::string::npos ? 0 : nSlash + 1);
    size_t nDot = answer.find_last_of('.');
    pofn->nFileExtension = (WORD)(nDot == std::string::npos || nDot < pofn->nFileOffset ? answer.size() : nDot + 1);
    if (pofn->lpstrFileTitle != NULL && pofn->nMaxFileTitle > 0)
        lstrcpynA(pofn->lpstrFileTitle, answer.c_str() + pofn->nFileOffset, (int)pofn->nMaxFileTitle);
    return IDOK;
}

INT_PTR ScriptedPrompts::ColorDialog(CHOOSECOLOR* pcc)
{
    PromptRecord r;
    r.kind = "color";
    char sz[16];
    wsprintfA(sz, "%06X", (unsigned)pcc->rgbResult);
    r.initial = sz;
    r.flags = pcc->Flags;
    records.push_back(r);
    long answer = -1;
    if (!colorAnswers.empty()) {
        answer = colorAnswers.front();
        colorAnswers.pop_front();
    }
    if (answer < 0)
        return IDCANCEL;
    pcc->rgbResult = (COLORREF)answer;
    return IDOK;
}

BOOL ScriptedPrompts::BrowseForFolder(HWND, LPCSTR lpszTitle, UINT ulFlags, CString& strFolder)
{
    PromptRecord r;
    r.kind = "folder";
    r.text = lpszTitle != NULL ? lpszTitle : "";
    r.flags = ulFlags;
    records.push_back(r);
    std::string answer;
    if (!folderAnswers.empty()) {
        answer = folderAnswers.front();
        folderAnswers.pop_front();
    }
    if (answer.empty())
        return FALSE;
    strFolder = answer.c_str();
    return TRUE;
}

} // namespace winharness

namespace winharness {

std::vector<std::string> AsciiMap(const DibSurface& surface, int x, int y, int cx, int cy,
                                  const ColorLegend& legend)
{
    std::vector<std::string> rows;
    for (int row = y; row < y + cy; ++row) {
        std::string line;
        for (int col = x; col < x + cx; ++col) {
            char letter = '?';
            if (col >= 0 && row >= 0 && col < surface.width() && row < surface.height()) {
                COLORREF clr = surface.Pixel(col, row);
                for (const auto& entry : legend) {
                    if (entry.second == clr) {
                        letter = entry.first;
                        break;
                    }
                }
            }
            line += letter;
        }
        rows.push_back(line);
    }
    return rows;
}

::testing::AssertionResult MatchesAsciiMap(const DibSurface& surface, int x, int y,
                                           const std::vector<std::string>& expected,
                                           const ColorLegend& legend)
{
    const int cx = expected.empty() ? 0 : (int)expected[0].size();
    std::vector<std::string> actual = AsciiMap(surface, x, y, cx, (int)expected.size(), legend);
    if (actual == expected)
        return ::testing::AssertionSuccess();
    ::testing::AssertionResult result = ::testing::AssertionFailure();
    result << "at (" << x << ", " << y << ")\nexpected  actual\n";
    for (size_t i = 0; i < expected.size(); ++i)
        result << expected[i] << "  " << actual[i] << "\n";
    return result;
}

DcState DcState::Capture(HDC hDC)
{
    DcState s;
    s.textColor = ::GetTextColor(hDC);
    s.bkColor = ::GetBkColor(hDC);
    s.bkMode = ::GetBkMode(hDC);
    s.rop2 = ::GetROP2(hDC);
    s.mapMode = ::GetMapMode(hDC);
    s.polyFillMode = ::GetPolyFillMode(hDC);
    s.stretchMode = ::GetStretchBltMode(hDC);
    s.textAlign = ::GetTextAlign(hDC);
    s.pen = ::GetCurrentObject(hDC, OBJ_PEN);
    s.brush = ::GetCurrentObject(hDC, OBJ_BRUSH);
    s.font = ::GetCurrentObject(hDC, OBJ_FONT);
    s.bitmap = ::GetCurrentObject(hDC, OBJ_BITMAP);
    s.palette = ::GetCurrentObject(hDC, OBJ_PAL);
    ::GetViewportOrgEx(hDC, &s.viewportOrg);
    ::GetWindowOrgEx(hDC, &s.windowOrg);
    ::GetBrushOrgEx(hDC, &s.brushOrg);
    ::GetCurrentPositionEx(hDC, &s.currentPos);
    HRGN hRgn = ::CreateRectRgn(0, 0, 0, 0);
    if (::GetClipRgn(hDC, hRgn) == 1) {
        s.hasClip = true;
        DWORD n = ::GetRegionData(hRgn, 0, NULL);
        s.clip.resize(n);
        if (n != 0)
            ::GetRegionData(hRgn, n, (RGNDATA*)s.clip.data());
    }
    ::DeleteObject(hRgn);
    return s;
}

std::string DcState::Differences(const DcState& o) const
{
    std::string d;
    auto check = [&d](bool same, const char* name) {
        if (!same)
            d += std::string(d.empty() ? "" : ", ") + name;
    };
    check(textColor == o.textColor, "text colour");
    check(bkColor == o.bkColor, "background colour");
    check(bkMode == o.bkMode, "background mode");
    check(rop2 == o.rop2, "drawing mode");
    check(mapMode == o.mapMode, "mapping mode");
    check(polyFillMode == o.polyFillMode, "fill mode");
    check(stretchMode == o.stretchMode, "stretch mode");
    check(textAlign == o.textAlign, "text alignment");
    check(pen == o.pen, "pen");
    check(brush == o.brush, "brush");
    check(font == o.font, "font");
    check(bitmap == o.bitmap, "bitmap");
    check(palette == o.palette, "palette");
    check(viewportOrg.x == o.viewportOrg.x && viewportOrg.y == o.viewportOrg.y, "viewport origin");
    check(windowOrg.x == o.windowOrg.x && windowOrg.y == o.windowOrg.y, "window origin");
    check(brushOrg.x == o.brushOrg.x && brushOrg.y == o.brushOrg.y, "brush origin");
    check(currentPos.x == o.currentPos.x && currentPos.y == o.currentPos.y, "current position");
    check(hasClip == o.hasClip && clip == o.clip, "clip region");
    return d;
}

::testing::AssertionResult SameDcState(const DcState& before, HDC hDC)
{
    std::string d = before.Differences(DcState::Capture(hDC));
    if (d.empty())
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "the context changed: " << d;
}

} // namespace winharness
