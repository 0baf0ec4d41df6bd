#include "uiprobe.h"

#include <commctrl.h>

#include <algorithm>
#include <map>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace e2e {

// ---- Windows.

std::string ClassOf(HWND hWnd)
{
    char name[256] = "";
    ::GetClassNameA(hWnd, name, sizeof(name));
    return name;
}

std::string TextOf(HWND hWnd)
{
    DWORD_PTR cch = 0;
    if (!::SendMessageTimeoutA(hWnd, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 2000, &cch))
        return std::string();
    std::string text(cch + 1, '\0');
    DWORD_PTR got = 0;
    ::SendMessageTimeoutA(hWnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]), SMTO_ABORTIFHUNG, 2000,
                          &got);
    text.resize(std::min<size_t>(got, cch));
    return text;
}

RECT ScreenRect(HWND hWnd)
{
    RECT rc = {};
    ::GetWindowRect(hWnd, &rc);
    return rc;
}

bool Shown(HWND hWnd)
{
    if (hWnd == NULL || !::IsWindow(hWnd) || !::IsWindowVisible(hWnd))
        return false;
    const RECT rc = ScreenRect(hWnd);
    return rc.right > rc.left && rc.bottom > rc.top;
}

POINT Center(const RECT& rc)
{
    return POINT{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
}

namespace {

struct TopSearch {
    DWORD pid;
    bool bShownOnly;
    std::vector<HWND>* out;
};

BOOL CALLBACK CollectTop(HWND hWnd, LPARAM lParam)
{
    TopSearch* search = reinterpret_cast<TopSearch*>(lParam);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hWnd, &pid);
    if (pid == search->pid && (!search->bShownOnly || Shown(hWnd)))
        search->out->push_back(hWnd);
    return TRUE;
}

void CollectChildren(HWND hParent, std::vector<HWND>& out)
{
    for (HWND h = ::GetWindow(hParent, GW_CHILD); h != NULL; h = ::GetWindow(h, GW_HWNDNEXT)) {
        out.push_back(h);
        CollectChildren(h, out);
    }
}

bool Matches(HWND h, const char* cls, int id, const char* text)
{
    if (cls != nullptr && ClassOf(h) != cls)
        return false;
    if (id != -1 && ::GetDlgCtrlID(h) != id)
        return false;
    if (text != nullptr && TextOf(h) != text)
        return false;
    return true;
}

} // namespace

std::vector<HWND> TopWindows(DWORD pid, bool bShownOnly)
{
    std::vector<HWND> out;
    TopSearch search = {pid, bShownOnly, &out};
    ::EnumWindows(CollectTop, reinterpret_cast<LPARAM>(&search));
    return out;
}

std::vector<HWND> Descendants(HWND root)
{
    std::vector<HWND> out;
    CollectChildren(root, out);
    return out;
}

HWND FindChild(HWND root, const char* cls, int id, const char* text)
{
    for (HWND h : Descendants(root)) {
        if (Matches(h, cls, id, text))
            return h;
    }
    return NULL;
}

std::vector<HWND> FindChildren(HWND root, const char* cls, int id)
{
    std::vector<HWND> out;
    for (HWND h : Descendants(root)) {
        if (Matches(h, cls, id, nullptr))
            out.push_back(h);
    }
    return out;
}

HWND ShownChild(HWND root, const char* cls, int id)
{
    for (HWND h : FindChildren(root, cls, id)) {
        if (Shown(h))
            return h;
    }
    return NULL;
}

std::vector<HWND> Ancestors(HWND hWnd)
{
    std::vector<HWND> out;
    for (HWND h = ::GetAncestor(hWnd, GA_PARENT); h != NULL && h != ::GetDesktopWindow();
         h = ::GetAncestor(h, GA_PARENT))
        out.push_back(h);
    return out;
}

bool WaitFor(const std::function<bool()>& cond, unsigned timeoutMs)
{
    const DWORD start = ::GetTickCount();
    for (;;) {
        if (cond())
            return true;
        if (::GetTickCount() - start >= timeoutMs)
            return false;
        ::Sleep(20);
    }
}

namespace {

// Polls cond, at first often (an idle program answers within a few milliseconds), then every
// 4 ms.
bool Poll(const std::function<bool()>& cond, DWORD start, unsigned timeoutMs)
{
    for (DWORD pause = 1;; pause = std::min<DWORD>(pause * 2, 4)) {
        if (cond())
            return true;
        if (::GetTickCount() - start >= timeoutMs)
            return false;
        ::Sleep(pause);
    }
}

unsigned Remaining(DWORD start, unsigned timeoutMs)
{
    const DWORD spent = ::GetTickCount() - start;
    return spent < timeoutMs ? timeoutMs - spent : 0;
}

BOOL CALLBACK CollectThreadTop(HWND hWnd, LPARAM lParam)
{
    reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(hWnd);
    return TRUE;
}

BOOL CALLBACK StopAtSomethingToPaint(HWND hWnd, LPARAM lParam)
{
    if (!::GetUpdateRect(hWnd, NULL, FALSE))
        return TRUE;
    *reinterpret_cast<bool*>(lParam) = true;
    return FALSE;
}

// Whether a shown window of the thread has something left to paint (a hidden or minimised
// window is given nothing to paint).
bool ThreadHasSomethingToPaint(DWORD tid)
{
    std::vector<HWND> tops;
    ::EnumThreadWindows(tid, CollectThreadTop, reinterpret_cast<LPARAM>(&tops));
    for (HWND hTop : tops) {
        if (!::IsWindowVisible(hTop))
            continue;
        bool bFound = ::GetUpdateRect(hTop, NULL, FALSE) != FALSE;
        if (!bFound)
            ::EnumChildWindows(hTop, StopAtSomethingToPaint, reinterpret_cast<LPARAM>(&bFound));
        if (bFound)
            return true;
    }
    return false;
}

// The deepest shown window at a screen point inside a top-level window, disabled ones too.
HWND DeepestAt(HWND hTop, POINT screen)
{
    HWND hAt = hTop;
    for (;;) {
        POINT pt = screen;
        ::ScreenToClient(hAt, &pt);
        HWND hChild = ::ChildWindowFromPointEx(hAt, pt, CWP_SKIPINVISIBLE);
        if (hChild == NULL || hChild == hAt)
            return hAt;
        hAt = hChild;
    }
}

// Marks one pixel for painting in a window of the thread that lies open on the screen there,
// near a corner of one of its top-level windows (the given window's first): it is painted
// again as it is. Answers the window, NULL when the thread shows none at the points tried.
HWND MarkPixel(HWND hWnd, DWORD tid)
{
    std::vector<HWND> tops = {::GetAncestor(hWnd, GA_ROOTOWNER), ::GetAncestor(hWnd, GA_ROOT)};
    ::EnumThreadWindows(tid, CollectThreadTop, reinterpret_cast<LPARAM>(&tops));
    for (HWND hTop : tops) {
        if (hTop == NULL || !::IsWindowVisible(hTop) || ::IsIconic(hTop))
            continue;
        RECT rc;
        ::GetClientRect(hTop, &rc);
        ::MapWindowPoints(hTop, NULL, reinterpret_cast<POINT*>(&rc), 2);
        if (rc.right - rc.left < 4 || rc.bottom - rc.top < 4)
            continue;
        const POINT points[] = {{rc.right - 2, rc.bottom - 2}, {rc.left + 1, rc.bottom - 2}, {rc.right - 2, rc.top + 1},
                                Center(rc)};
        for (const POINT& pt : points) {
            HWND hOver = ::WindowFromPoint(pt);
            if (hOver == NULL || ::GetWindowThreadProcessId(hOver, NULL) != tid)
                continue;
            HWND hAt = DeepestAt(::GetAncestor(hOver, GA_ROOT), pt);
            POINT local = pt;
            ::ScreenToClient(hAt, &local);
            RECT client;
            ::GetClientRect(hAt, &client);
            if (::GetWindowThreadProcessId(hAt, NULL) != tid || !::PtInRect(&client, local))
                continue;
            const RECT pixel = {local.x, local.y, local.x + 1, local.y + 1};
            ::InvalidateRect(hAt, &pixel, FALSE);
            return hAt;
        }
    }
    return NULL;
}

} // namespace

bool WaitIdle(HWND hWnd, unsigned timeoutMs)
{
    const DWORD start = ::GetTickCount();
    if (hWnd == NULL || !::IsWindow(hWnd))
        return false;
    const DWORD tid = ::GetWindowThreadProcessId(hWnd, NULL);
    const char* waitingFor = "an answer to a message";
    DWORD_PTR result = 0;
    bool idle = ::SendMessageTimeoutA(hWnd, WM_NULL, 0, 0, SMTO_NORMAL, std::max(1u, timeoutMs), &result) != 0;
    for (int round = 0; idle && round < 2; ++round) {
        waitingFor = "the paint of a marked pixel";
        HWND hMarked = MarkPixel(hWnd, tid);
        if (hMarked != NULL)
            idle = Poll([&] { return !::GetUpdateRect(hMarked, NULL, FALSE); }, start, timeoutMs);
    }
    if (idle) {
        waitingFor = "the paint of every window";
        idle = Poll([&] { return !ThreadHasSomethingToPaint(tid); }, start, timeoutMs);
    }
    if (!idle && ::IsWindow(hWnd))
        std::printf("note: the program did not go idle within %u ms (waiting for %s)\n", timeoutMs, waitingFor);
    return idle;
}

RECT WaitSettled(HWND hWnd, unsigned timeoutMs)
{
    const DWORD start = ::GetTickCount();
    WaitIdle(hWnd, timeoutMs);
    RECT rc = ScreenRect(hWnd);
    for (int still = 0; still < 3 && ::GetTickCount() - start < timeoutMs;) {
        ::Sleep(40);
        WaitIdle(hWnd, Remaining(start, timeoutMs));
        const RECT now = ScreenRect(hWnd);
        still = ::EqualRect(&now, &rc) ? still + 1 : 0;
        rc = now;
    }
    return rc;
}

bool WaitStill(const RECT& rc, unsigned timeoutMs)
{
    const DWORD start = ::GetTickCount();
    // The program that shows the rectangle (none when only the desktop lies there).
    HWND hShown = ::WindowFromPoint(Center(rc));
    if (hShown == ::GetDesktopWindow())
        hShown = NULL;
    auto idle = [&] {
        if (hShown != NULL && ::IsWindow(hShown))
            WaitIdle(hShown, Remaining(start, timeoutMs));
    };
    idle();
    Screenshot last(rc);
    for (int same = 0; ::GetTickCount() - start < timeoutMs;) {
        ::Sleep(50);
        idle();
        Screenshot now(rc);
        same = now == last ? same + 1 : 0;
        if (same >= 2)
            return true;
        last = now;
    }
    return false;
}

// ---- Memory of the program's process.

RemoteBlock::RemoteBlock(HWND hWndOfProcess, size_t size) : m_hProcess(NULL), m_pRemote(nullptr), m_size(size)
{
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hWndOfProcess, &pid);
    m_hProcess = ::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (m_hProcess != NULL)
        m_pRemote = ::VirtualAllocEx(m_hProcess, NULL, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
}

RemoteBlock::~RemoteBlock()
{
    if (m_pRemote != nullptr)
        ::VirtualFreeEx(m_hProcess, m_pRemote, 0, MEM_RELEASE);
    if (m_hProcess != NULL)
        ::CloseHandle(m_hProcess);
}

bool RemoteBlock::Write(const void* p, size_t size, size_t offset)
{
    SIZE_T done = 0;
    return m_pRemote != nullptr && offset + size <= m_size &&
           ::WriteProcessMemory(m_hProcess, At<char>(offset), p, size, &done) && done == size;
}

bool RemoteBlock::Read(void* p, size_t size, size_t offset) const
{
    SIZE_T done = 0;
    return m_pRemote != nullptr && offset + size <= m_size &&
           ::ReadProcessMemory(m_hProcess, At<char>(offset), p, size, &done) && done == size;
}

std::string RemoteBlock::ReadString(size_t offset, size_t maxBytes) const
{
    std::string text(maxBytes, '\0');
    if (!Read(&text[0], maxBytes, offset))
        return std::string();
    text.resize(strnlen(text.c_str(), maxBytes));
    return text;
}

namespace {

const size_t kTextRoom = 1024;

LRESULT Send(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    DWORD_PTR result = 0;
    ::SendMessageTimeoutA(hWnd, msg, wParam, lParam, SMTO_ABORTIFHUNG, 3000, &result);
    return static_cast<LRESULT>(result);
}

} // namespace

int ListCount(HWND hList)
{
    return static_cast<int>(Send(hList, LVM_GETITEMCOUNT, 0, 0));
}

int ListRowsShown(HWND hList)
{
    return static_cast<int>(Send(hList, LVM_GETCOUNTPERPAGE, 0, 0));
}

std::string ListCell(HWND hList, int row, int column)
{
    RemoteBlock block(hList, sizeof(LVITEMA) + kTextRoom);
    LVITEMA item = {};
    item.iSubItem = column;
    item.pszText = block.At<char>(sizeof(LVITEMA));
    item.cchTextMax = static_cast<int>(kTextRoom);
    if (!block.Write(&item, sizeof(item)))
        return std::string();
    Send(hList, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(block.Address()));
    return block.ReadString(sizeof(LVITEMA), kTextRoom);
}

std::vector<std::string> ListRow(HWND hList, int row, int columns)
{
    std::vector<std::string> cells;
    for (int c = 0; c < columns; ++c)
        cells.push_back(ListCell(hList, row, c));
    return cells;
}

namespace {

// A row's or a cell's bounds through the list's own memory (LVM_GETITEMRECT takes the kind in
// left, LVM_GETSUBITEMRECT also the column in top), on the screen.
RECT ListBounds(HWND hList, UINT message, int row, int column)
{
    RemoteBlock block(hList, sizeof(RECT));
    RECT rc = {LVIR_BOUNDS, column, 0, 0};
    if (!block.Write(&rc, sizeof(rc)) || !Send(hList, message, row, reinterpret_cast<LPARAM>(block.Address())) ||
        !block.Read(&rc, sizeof(rc)))
        return RECT{};
    ::MapWindowPoints(hList, NULL, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

} // namespace

RECT ListRowRect(HWND hList, int row)
{
    return ListBounds(hList, LVM_GETITEMRECT, row, 0);
}

RECT ListCellRect(HWND hList, int row, int column)
{
    return ListBounds(hList, LVM_GETSUBITEMRECT, row, column);
}


std::vector<std::string> StatusTexts(HWND hStatus)
{
    std::vector<std::string> texts;
    const int parts = static_cast<int>(Send(hStatus, SB_GETPARTS, 0, 0));
    RemoteBlock block(hStatus, kTextRoom);
    for (int i = 0; i < parts; ++i) {
        const LRESULT info = Send(hStatus, SB_GETTEXTLENGTHA, i, 0);
        if (LOWORD(info) >= kTextRoom) {
            texts.push_back(std::string());
            continue;
        }
        const char zero = 0;
        block.Write(&zero, 1);
        Send(hStatus, SB_GETTEXTA, i, reinterpret_cast<LPARAM>(block.Address()));
        texts.push_back(block.ReadString(0, kTextRoom));
    }
    return texts;
}

std::vector<std::string> ComboItems(HWND hCombo)
{
    // The system carries a combo box's item texts across processes itself, in UTF-16 whatever
    // the caller asked for: ask in UTF-16 and convert.
    std::vector<std::string> items;
    const int count = static_cast<int>(Send(hCombo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        DWORD_PTR cch = 0;
        ::SendMessageTimeoutW(hCombo, CB_GETLBTEXTLEN, i, 0, SMTO_ABORTIFHUNG, 3000, &cch);
        std::wstring wide(cch + 1, L'\0');
        DWORD_PTR got = 0;
        ::SendMessageTimeoutW(hCombo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(&wide[0]), SMTO_ABORTIFHUNG, 3000, &got);
        wide.resize(wcsnlen(wide.c_str(), wide.size()));
        std::string text(wide.size() * 2 + 1, '\0');
        const int n = ::WideCharToMultiByte(CP_ACP, 0, wide.c_str(), static_cast<int>(wide.size()), &text[0],
                                            static_cast<int>(text.size()), NULL, NULL);
        text.resize(n > 0 ? n : 0);
        items.push_back(text);
    }
    return items;
}

int ComboSelection(HWND hCombo)
{
    return static_cast<int>(Send(hCombo, CB_GETCURSEL, 0, 0));
}

std::vector<TreeItem> TreeItems(HWND hTree)
{
    std::vector<TreeItem> items;
    RemoteBlock block(hTree, sizeof(TVITEMA) + sizeof(RECT) + kTextRoom);
    const size_t rectAt = sizeof(TVITEMA);
    const size_t textAt = rectAt + sizeof(RECT);
    HTREEITEM hItem = reinterpret_cast<HTREEITEM>(Send(hTree, TVM_GETNEXTITEM, TVGN_FIRSTVISIBLE, 0));
    if (hItem == NULL)
        hItem = reinterpret_cast<HTREEITEM>(Send(hTree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
    for (int guard = 0; hItem != NULL && guard < 1000; ++guard) {
        TVITEMA item = {};
        item.mask = TVIF_TEXT | TVIF_HANDLE;
        item.hItem = hItem;
        item.pszText = block.At<char>(textAt);
        item.cchTextMax = static_cast<int>(kTextRoom);
        block.Write(&item, sizeof(item));
        Send(hTree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(block.Address()));
        TreeItem out;
        out.text = block.ReadString(textAt, kTextRoom);
        HTREEITEM hCopy = hItem;
        block.Write(&hCopy, sizeof(hCopy), rectAt);
        out.rc = RECT{};
        if (Send(hTree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(block.At<char>(rectAt)))) {
            block.Read(&out.rc, sizeof(RECT), rectAt);
            ::MapWindowPoints(hTree, NULL, reinterpret_cast<POINT*>(&out.rc), 2);
        }
        items.push_back(out);
        hItem = reinterpret_cast<HTREEITEM>(
            Send(hTree, TVM_GETNEXTITEM, TVGN_NEXTVISIBLE, reinterpret_cast<LPARAM>(hItem)));
    }
    return items;
}

// ---- Screen pixels.

Screenshot::Screenshot(const RECT& rc) : m_rc(rc), m_cx(std::max(0L, rc.right - rc.left)), m_cy(std::max(0L, rc.bottom - rc.top))
{
    m_pixels.assign(static_cast<size_t>(m_cx) * m_cy, 0);
    if (m_cx == 0 || m_cy == 0)
        return;
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = m_cx;
    bmi.bmiHeader.biHeight = -m_cy;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    HDC hScreen = ::GetDC(NULL);
    HDC hMem = ::CreateCompatibleDC(hScreen);
    void* pBits = nullptr;
    HBITMAP hBitmap = ::CreateDIBSection(hMem, &bmi, DIB_RGB_COLORS, &pBits, NULL, 0);
    HGDIOBJ hOld = ::SelectObject(hMem, hBitmap);
    ::BitBlt(hMem, 0, 0, m_cx, m_cy, hScreen, rc.left, rc.top, SRCCOPY);
    ::GdiFlush();
    const uint32_t* p = static_cast<const uint32_t*>(pBits);
    for (size_t i = 0; i < m_pixels.size(); ++i) {
        const uint32_t v = p[i];
        m_pixels[i] = RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
    }
    ::SelectObject(hMem, hOld);
    ::DeleteObject(hBitmap);
    ::DeleteDC(hMem);
    ::ReleaseDC(NULL, hScreen);
}

COLORREF Screenshot::At(int x, int y) const
{
    const int lx = x - m_rc.left, ly = y - m_rc.top;
    if (lx < 0 || ly < 0 || lx >= m_cx || ly >= m_cy)
        return CLR_INVALID;
    return AtLocal(lx, ly);
}

bool Screenshot::operator==(const Screenshot& other) const
{
    return m_cx == other.m_cx && m_cy == other.m_cy && m_pixels == other.m_pixels;
}

int Screenshot::Differences(const Screenshot& other) const
{
    if (m_cx != other.m_cx || m_cy != other.m_cy)
        return m_cx * m_cy;
    int n = 0;
    for (size_t i = 0; i < m_pixels.size(); ++i)
        n += m_pixels[i] != other.m_pixels[i];
    return n;
}

RECT Screenshot::DifferenceBounds(const Screenshot& other) const
{
    RECT rc = {0, 0, 0, 0};
    if (m_cx != other.m_cx || m_cy != other.m_cy)
        return m_rc;
    for (int y = 0; y < m_cy; ++y) {
        for (int x = 0; x < m_cx; ++x) {
            if (AtLocal(x, y) == other.AtLocal(x, y))
                continue;
            const RECT pixel = {m_rc.left + x, m_rc.top + y, m_rc.left + x + 1, m_rc.top + y + 1};
            ::UnionRect(&rc, &rc, &pixel);
        }
    }
    return rc;
}

bool Screenshot::SaveBmp(const std::string& path) const
{
    const int stride = (m_cx * 3 + 3) & ~3;
    BITMAPFILEHEADER fh = {};
    BITMAPINFOHEADER ih = {};
    ih.biSize = sizeof(ih);
    ih.biWidth = m_cx;
    ih.biHeight = m_cy;
    ih.biPlanes = 1;
    ih.biBitCount = 24;
    fh.bfType = 0x4D42;
    fh.bfOffBits = sizeof(fh) + sizeof(ih);
    fh.bfSize = fh.bfOffBits + stride * m_cy;
    FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr)
        return false;
    std::fwrite(&fh, sizeof(fh), 1, f);
    std::fwrite(&ih, sizeof(ih), 1, f);
    std::vector<unsigned char> line(stride, 0);
    for (int y = m_cy - 1; y >= 0; --y) {
        for (int x = 0; x < m_cx; ++x) {
            const COLORREF c = AtLocal(x, y);
            line[x * 3] = GetBValue(c);
            line[x * 3 + 1] = GetGValue(c);
            line[x * 3 + 2] = GetRValue(c);
        }
        std::fwrite(line.data(), stride, 1, f);
    }
    std::fclose(f);
    return true;
}

int Luma(COLORREF c)
{
    return (GetRValue(c) * 299 + GetGValue(c) * 587 + GetBValue(c) * 114) / 1000;
}

COLORREF MostCommonColor(const Screenshot& shot)
{
    std::map<COLORREF, int> counts;
    for (int y = 0; y < shot.Height(); ++y)
        for (int x = 0; x < shot.Width(); ++x)
            ++counts[shot.AtLocal(x, y)];
    COLORREF back = 0;
    int best = -1;
    for (const auto& entry : counts) {
        if (entry.second > best) {
            best = entry.second;
            back = entry.first;
        }
    }
    return back;
}

int InkPixels(const RECT& rc)
{
    const Screenshot shot(rc);
    const COLORREF back = MostCommonColor(shot);
    int ink = 0;
    for (int y = 0; y < shot.Height(); ++y)
        for (int x = 0; x < shot.Width(); ++x)
            ink += std::abs(Luma(shot.AtLocal(x, y)) - Luma(back)) > 60;
    return ink;
}

bool Seen(HWND hWnd)
{
    if (!Shown(hWnd))
        return false;
    const RECT rc = ScreenRect(hWnd);
    HWND hAt = ::WindowFromPoint(Center(rc));
    while (hAt != NULL && hAt != hWnd)
        hAt = ::GetAncestor(hAt, GA_PARENT);
    return hAt == hWnd && InkPixels(rc) > 0;
}

// ---- Input.

namespace {

void SendMouse(DWORD flags, int x = 0, int y = 0)
{
    INPUT in = {};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = flags;
    if (flags & MOUSEEVENTF_ABSOLUTE) {
        const int cx = ::GetSystemMetrics(SM_CXSCREEN), cy = ::GetSystemMetrics(SM_CYSCREEN);
        in.mi.dx = static_cast<LONG>((static_cast<long long>(x) * 65536 + cx / 2) / cx);
        in.mi.dy = static_cast<LONG>((static_cast<long long>(y) * 65536 + cy / 2) / cy);
    }
    ::SendInput(1, &in, sizeof(in));
}

void SendKey(WORD vk, bool bUp)
{
    INPUT in = {};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.wScan = static_cast<WORD>(::MapVirtualKeyA(vk, 0));
    in.ki.dwFlags = bUp ? KEYEVENTF_KEYUP : 0;
    switch (vk) {
    case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN: case VK_PRIOR: case VK_NEXT:
    case VK_HOME: case VK_END: case VK_INSERT: case VK_DELETE:
        in.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;
        break;
    default:
        break;
    }
    ::SendInput(1, &in, sizeof(in));
}

const unsigned kStepMs = 15;

} // namespace

void MouseMove(int x, int y)
{
    SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, x, y);
    ::Sleep(kStepMs);
}

void MouseDown(bool bRight)
{
    SendMouse(bRight ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN);
    ::Sleep(kStepMs);
}

void MouseUp(bool bRight)
{
    SendMouse(bRight ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP);
    ::Sleep(kStepMs);
}

void Click(int x, int y, bool bRight)
{
    MouseMove(x, y);
    MouseDown(bRight);
    MouseUp(bRight);
}

void DoubleClick(int x, int y)
{
    MouseMove(x, y);
    DoubleClickHere();
}

void DoubleClickHere()
{
    // Each input carries the time it has in a hand's double click, counted from the first,
    // however late this thread gets to give it.
    const DWORD dwFirst = ::GetTickCount();
    for (int i = 0; i < 4; ++i) {
        INPUT in = {};
        in.type = INPUT_MOUSE;
        in.mi.dwFlags = i % 2 == 0 ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
        in.mi.time = dwFirst + i * kStepMs;
        ::SendInput(1, &in, sizeof(in));
        ::Sleep(kStepMs);
    }
}

void PressAndMove(POINT from, POINT to)
{
    MouseMove(from.x, from.y);
    MouseDown();
    for (int i = 1; i <= 3; ++i) {
        MouseMove(from.x + i * 2, from.y + i * 2);
        ::Sleep(20);
    }
    const int steps = 10;
    for (int i = 1; i <= steps; ++i) {
        MouseMove(from.x + (to.x - from.x) * i / steps, from.y + (to.y - from.y) * i / steps);
        ::Sleep(20);
    }
    ::Sleep(150);
}

void MoveAndRelease(POINT to)
{
    POINT now;
    ::GetCursorPos(&now);
    for (int i = 1; i <= 5; ++i) {
        MouseMove(now.x + (to.x - now.x) * i / 5, now.y + (to.y - now.y) * i / 5);
        ::Sleep(20);
    }
    ::Sleep(200);
    MouseUp();
    ::Sleep(100);
}

void Drag(POINT from, POINT to)
{
    PressAndMove(from, to);
    MoveAndRelease(to);
}

void KeyDown(WORD vk)
{
    SendKey(vk, false);
}

void KeyUp(WORD vk)
{
    SendKey(vk, true);
}

void Key(WORD vk, unsigned mods)
{
    if (mods & kCtrl)
        SendKey(VK_CONTROL, false);
    if (mods & kShift)
        SendKey(VK_SHIFT, false);
    if (mods & kAlt)
        SendKey(VK_MENU, false);
    SendKey(vk, false);
    SendKey(vk, true);
    if (mods & kAlt)
        SendKey(VK_MENU, true);
    if (mods & kShift)
        SendKey(VK_SHIFT, true);
    if (mods & kCtrl)
        SendKey(VK_CONTROL, true);
    ::Sleep(kStepMs);
}

void Type(const std::string& text)
{
    for (char ch : text) {
        const SHORT scan = ::VkKeyScanA(ch);
        if (scan == -1)
            continue;
        Key(LOBYTE(scan), (HIBYTE(scan) & 1) ? kShift : kNoMods);
    }
}

void Activate(HWND hTop)
{
    const RECT rc = ScreenRect(hTop);
    Click(rc.left + 120, rc.top + 8);
    WaitFor([&] { return ::GetForegroundWindow() == hTop; }, 2000);
}

// ---- Framework popup menus.

std::vector<HWND> PopupMenus(DWORD pid)
{
    std::vector<HWND> out;
    for (HWND h : TopWindows(pid)) {
        // The popup menus register their class through the class library: "Afx:" names,
        // without a caption, owned popups that save the bits under them (a floating frame is
        // such a popup too, but does not).
        if ((::GetWindowLongA(h, GWL_STYLE) & WS_POPUP) && !(::GetWindowLongA(h, GWL_STYLE) & WS_CAPTION) &&
            ClassOf(h).compare(0, 4, "Afx:") == 0 && (::GetClassLongA(h, GCL_STYLE) & CS_SAVEBITS))
            out.push_back(h);
    }
    return out;
}

namespace {

int ColorDistance(COLORREF a, COLORREF b)
{
    return std::abs(GetRValue(a) - GetRValue(b)) + std::abs(GetGValue(a) - GetGValue(b)) +
           std::abs(GetBValue(a) - GetBValue(b));
}

// The most common colour of a run of pixels and its share in 1/100.
COLORREF MajorColor(const std::vector<COLORREF>& pixels, int* pShare)
{
    std::vector<std::pair<COLORREF, int>> counts;
    for (COLORREF c : pixels) {
        auto it = std::find_if(counts.begin(), counts.end(), [c](const std::pair<COLORREF, int>& e) { return e.first == c; });
        if (it == counts.end())
            counts.emplace_back(c, 1);
        else
            ++it->second;
    }
    auto best = std::max_element(counts.begin(), counts.end(),
                                 [](const std::pair<COLORREF, int>& a, const std::pair<COLORREF, int>& b) { return a.second < b.second; });
    if (best == counts.end()) {
        *pShare = 0;
        return 0;
    }
    *pShare = static_cast<int>(best->second * 100 / pixels.size());
    return best->first;
}

// Text ink differs from the row's own colour by more than this in brightness.
const int kInkContrast = 50;
// Enabled text stands out this much somewhere; greyed text never does.
const int kEnabledContrast = 130;
// The check column at the left end of a row, and the text that starts after it.
const int kCheckLeft = 3;
const int kCheckRight = 22;
const int kTextLeft = 26;
// The right end of the text, left of the shadow.
const int kTextRightMargin = 14;

} // namespace

std::vector<MenuRow> MenuRows(HWND hPopup, int skipTop)
{
    const RECT rc = ScreenRect(hPopup);
    const Screenshot shot(rc);
    const int w = shot.Width(), h = shot.Height();
    const int xs = kTextLeft, xe = w - kTextRightMargin;
    if (xe <= xs || skipTop >= h)
        return {};
    std::vector<COLORREF> body;
    for (int y = skipTop; y < h; ++y)
        for (int x = 0; x < w; ++x)
            body.push_back(shot.AtLocal(x, y));
    int share = 0;
    const COLORREF back = MajorColor(body, &share);

    enum Kind { kEmpty, kLine, kText };
    struct RowInfo {
        Kind kind = kEmpty;
        COLORREF major = 0;
        int contrast = 0;
        bool checkInk = false;
    };
    std::vector<RowInfo> rows(h);
    for (int y = skipTop; y < h; ++y) {
        std::vector<COLORREF> line;
        for (int x = xs; x < xe; ++x)
            line.push_back(shot.AtLocal(x, y));
        RowInfo& row = rows[y];
        row.major = MajorColor(line, &share);
        const int base = Luma(row.major);
        for (COLORREF c : line)
            row.contrast = std::max(row.contrast, std::abs(Luma(c) - base));
        for (int x = kCheckLeft; x <= kCheckRight && x < w; ++x)
            row.checkInk = row.checkInk || std::abs(Luma(shot.AtLocal(x, y)) - base) > kInkContrast;
        if (share >= 90 && ColorDistance(row.major, back) != 0 && row.contrast <= kInkContrast)
            row.kind = kLine;
        else if (row.contrast > kInkContrast)
            row.kind = kText;
    }

    std::vector<MenuRow> out;
    int y = skipTop;
    while (y < h) {
        if (rows[y].kind == kText) {
            MenuRow item;
            item.top = y;
            int end = y;
            // A band of text rows; one empty row inside a glyph line does not end it.
            while (end + 1 < h && (rows[end + 1].kind == kText ||
                                   (end + 2 < h && rows[end + 1].kind == kEmpty && rows[end + 2].kind == kText)))
                ++end;
            item.bottom = end + 1;
            int contrast = 0;
            for (int r = y; r <= end; ++r) {
                contrast = std::max(contrast, rows[r].contrast);
                item.highlighted = item.highlighted || ColorDistance(rows[r].major, back) != 0;
                item.checked = item.checked || rows[r].checkInk;
            }
            item.greyed = contrast < kEnabledContrast;
            out.push_back(item);
            y = end + 1;
        } else if (rows[y].kind == kLine) {
            int end = y;
            while (end + 1 < h && rows[end + 1].kind == kLine)
                ++end;
            // A separator is a thin line with the menu's own colour on both sides (a
            // highlight's frame has the highlight beside it, the border and shadow are wider).
            const bool thin = end - y < 2;
            const bool plainAbove = y - 1 >= skipTop && rows[y - 1].kind == kEmpty && rows[y - 1].major == back;
            const bool plainBelow = end + 1 < h && rows[end + 1].kind == kEmpty && rows[end + 1].major == back;
            if (thin && plainAbove && plainBelow) {
                MenuRow sep;
                sep.top = y;
                sep.bottom = end + 1;
                sep.separator = true;
                out.push_back(sep);
            }
            y = end + 1;
        } else {
            ++y;
        }
    }
    return out;
}

POINT MenuRowPoint(HWND hPopup, const MenuRow& row)
{
    const RECT rc = ScreenRect(hPopup);
    return POINT{rc.left + (rc.right - rc.left) / 2, rc.top + (row.top + row.bottom) / 2};
}

} // namespace e2e
