#include "korvaneui.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <sstream>

namespace e2e {

const PaneName kPanes[8] = {
    {32772, "送信ﾃﾞｰﾀｴﾃﾞｨﾀ", "send data editor"},  {32774, "詳細ﾛｸﾞﾃﾞｰﾀ", "detailed log data"},
    {32776, "接続状況", "connection status"},       {32777, "送信ﾃﾞｰﾀｴｸｽﾌﾟﾛｰﾗ", "send data explorer"},
    {32860, "COM制御1", "COM control 1"},          {32861, "COM制御2", "COM control 2"},
    {32898, "ｽｸﾘﾌﾟﾄ1", "script 1"},                {32899, "ｽｸﾘﾌﾟﾄ2", "script 2"},
};

const char* NameOf(int id)
{
    for (const PaneName& pane : kPanes) {
        if (pane.id == id)
            return pane.name;
    }
    return id == 0 ? "none" : "?";
}

namespace {

const char kBarClass[] = "VaviRIZ-ControlBar";
const char kTabClass[] = "VaviRIZ-TabWindow";

bool IsSelfOrDescendant(HWND hAncestor, HWND hWnd)
{
    for (HWND h = hWnd; h != NULL; h = ::GetAncestor(h, GA_PARENT)) {
        if (h == hAncestor)
            return true;
    }
    return false;
}

// The tabbed group a pane's bar lies in: the nearest bar above it that holds a tab strip.
HWND GroupWindow(HWND hBar)
{
    for (HWND h : Ancestors(hBar)) {
        if (ClassOf(h) == kBarClass && FindChild(h, kTabClass) != NULL && ::GetParent(FindChild(h, kTabClass)) == h)
            return h;
    }
    return NULL;
}

bool SameRect(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

} // namespace

std::string RectText(const RECT& rc)
{
    char text[80];
    std::snprintf(text, sizeof(text), "(%ld,%ld %ldx%ld)", rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top);
    return text;
}

// ---- Layout.

const PaneView* LayoutView::Pane(int id) const
{
    for (const PaneView& pane : panes) {
        if (pane.id == id)
            return &pane;
    }
    return nullptr;
}

const GroupView* LayoutView::GroupOf(int id) const
{
    for (const GroupView& group : groups) {
        if (std::find(group.members.begin(), group.members.end(), id) != group.members.end())
            return &group;
    }
    return nullptr;
}

std::string LayoutView::Differences(const LayoutView& other) const
{
    std::ostringstream out;
    for (const PaneView& a : panes) {
        const PaneView* b = other.Pane(a.id);
        if (b == nullptr) {
            out << NameOf(a.id) << ": missing; ";
            continue;
        }
        if (a.exists != b->exists || a.seen != b->seen || a.floating != b->floating)
            out << NameOf(a.id) << ": exists/seen/floating " << a.exists << a.seen << a.floating << " vs "
                << b->exists << b->seen << b->floating << "; ";
        if (a.seen && b->seen && !SameRect(a.rc, b->rc))
            out << NameOf(a.id) << ": " << RectText(a.rc) << " vs " << RectText(b->rc) << "; ";
        const GroupView* ga = GroupOf(a.id);
        const GroupView* gb = other.GroupOf(a.id);
        if ((ga == nullptr) != (gb == nullptr)) {
            out << NameOf(a.id) << ": in a group " << (ga != nullptr) << " vs " << (gb != nullptr) << "; ";
        } else if (ga != nullptr) {
            if (ga->members != gb->members)
                out << NameOf(a.id) << ": group members differ; ";
            if (ga->selected != gb->selected)
                out << NameOf(a.id) << ": group shows " << NameOf(ga->selected) << " vs "
                    << NameOf(gb->selected) << "; ";
        }
    }
    return out.str();
}

// ---- The program.

Korvane::Korvane(bool bEmptyProfile) : m_folder(NewFolder("kvrjourney"))
{
    if (bEmptyProfile)
        EmptyProgramKey();
}

Korvane::~Korvane()
{
    PictureIfFailed();
    m_program.reset();
    RemoveFolder(m_folder);
}

void Korvane::PictureIfFailed()
{
    // A failing journey leaves a picture of the screen beside the tests, as it was when the
    // program was still there.
    if (!::testing::Test::HasFailure() || m_bPictured || !Running())
        return;
    m_bPictured = true;
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    const std::string name = info != nullptr ? info->name() : "journey";
    Screenshot(RECT{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)})
        .SaveBmp(BinFolder() + "\\failed-" + name + ".bmp");
}

std::string Korvane::CopyProgramFolder()
{
    const std::string copy = File("program");
    ::CreateDirectoryA(copy.c_str(), NULL);
    for (const char* name : {"korvane.exe", "lua51.dll"}) {
        if (!::CopyFileA((ProgramFolder() + "\\" + name).c_str(), (copy + "\\" + name).c_str(), FALSE))
            return std::string();
    }
    m_exeFolder = copy;
    return copy;
}

bool Korvane::Start()
{
    m_program.reset(new Program(m_folder, m_exeFolder));
    if (!m_program->Start() || m_program->WaitMainWindow() == NULL)
        return false;
    m_program->WaitIdle();
    WaitStill(ScreenRect(Main()));
    return true;
}

bool Korvane::Close()
{
    PictureIfFailed();
    return m_program != nullptr && m_program->CloseAndWait();
}

HWND Korvane::Main() const
{
    return m_program != nullptr ? m_program->Main() : NULL;
}

HWND Korvane::MenuBar() const
{
    return FindChild(Main(), kBarClass, kMenuBarId);
}

HWND Korvane::ToolBar() const
{
    HWND hBar = FindChild(Main(), kBarClass, kToolBarId);
    if (hBar == NULL) {
        for (HWND hTop : TopWindows(m_program->Pid())) {
            if ((hBar = FindChild(hTop, kBarClass, kToolBarId)) != NULL)
                break;
        }
    }
    return hBar;
}

HWND Korvane::StatusBar() const
{
    return FindChild(Main(), STATUSCLASSNAMEA, kStatusBarId);
}

HWND Korvane::LogList() const
{
    return FindChild(Main(), WC_LISTVIEWA, kLogListId);
}

HWND Korvane::PaneBar(int id) const
{
    if (HWND hBar = FindChild(Main(), kBarClass, id))
        return hBar;
    for (HWND hTop : TopWindows(m_program->Pid(), false)) {
        if (hTop == Main())
            continue;
        if (HWND hBar = FindChild(hTop, kBarClass, id))
            return hBar;
    }
    return NULL;
}

std::vector<std::string> Korvane::Status() const
{
    HWND hStatus = StatusBar();
    return hStatus != NULL ? StatusTexts(hStatus) : std::vector<std::string>();
}

void Korvane::Activate()
{
    if (::GetForegroundWindow() != Main())
        e2e::Activate(Main());
}

HWND Korvane::OpenMenu(char accessKey)
{
    HWND hPopup = NULL;
    // Under a heavy load a press was seen to leave only the menu bar's keyboard mode: one more
    // try, said on the output, before the caller is told no menu opened.
    for (int attempt = 0; attempt < 2 && hPopup == NULL; ++attempt) {
        if (attempt > 0) {
            std::printf("note: Alt+%c opened no menu; pressed again\n", accessKey);
            Key(VK_ESCAPE);
            Key(VK_ESCAPE);
        }
        Activate();
        Key(static_cast<WORD>(accessKey), kAlt);
        WaitIdle(Main());
        WaitFor(
            [&] {
                std::vector<HWND> popups = PopupMenus(m_program->Pid());
                hPopup = popups.empty() ? NULL : popups.front();
                return hPopup != NULL;
            },
            2000);
    }
    if (hPopup != NULL)
        WaitStill(ScreenRect(hPopup));
    return hPopup;
}

std::vector<MenuRow> Korvane::MenuItems(HWND hPopup) const
{
    const RECT rcPopup = ScreenRect(hPopup);
    const RECT rcBar = ScreenRect(MenuBar());
    int skip = 0;
    if (rcPopup.top >= rcBar.top && rcPopup.top < rcBar.bottom)
        skip = rcBar.bottom - rcPopup.top;
    return MenuRows(hPopup, skip);
}

std::vector<MenuRow> Korvane::MenuCommands(HWND hPopup) const
{
    std::vector<MenuRow> rows = MenuItems(hPopup);
    rows.erase(std::remove_if(rows.begin(), rows.end(), [](const MenuRow& r) { return r.separator; }), rows.end());
    return rows;
}

void Korvane::CloseMenus()
{
    for (int i = 0; i < 3 && !NoMenuOpen(); ++i) {
        Key(VK_ESCAPE);
        WaitIdle(Main());
        WaitFor([&] { return NoMenuOpen(); }, 500);
    }
}

bool Korvane::NoMenuOpen() const
{
    return PopupMenus(m_program->Pid()).empty();
}

bool Korvane::FindToolButton(const std::string& prompt, POINT* pAt, HWND hBar) const
{
    if (hBar == NULL)
        hBar = ToolBar();
    if (!Shown(hBar))
        return false;
    const RECT rc = ScreenRect(hBar);
    const bool bHorz = rc.right - rc.left >= rc.bottom - rc.top;
    const int from = bHorz ? rc.left : rc.top, to = bHorz ? rc.right : rc.bottom;
    const int across = bHorz ? (rc.top + rc.bottom) / 2 : (rc.left + rc.right) / 2;
    int first = -1, last = -1;
    for (int at = from + 3; at < to; at += 6) {
        bHorz ? MouseMove(at, across) : MouseMove(across, at);
        WaitIdle(hBar);
        std::vector<std::string> texts = Status();
        const bool hit = !texts.empty() && texts[0] == prompt;
        if (hit) {
            if (first < 0)
                first = at;
            last = at;
        } else if (first >= 0) {
            break;
        }
    }
    if (first < 0)
        return false;
    const int mid = (first + last) / 2;
    *pAt = bHorz ? POINT{mid, across} : POINT{across, mid};
    return true;
}

bool Korvane::ClickToolButton(const std::string& prompt)
{
    POINT at;
    if (!FindToolButton(prompt, &at))
        return false;
    Click(at.x, at.y);
    return true;
}

HWND Korvane::WaitDialog(const std::string& title, unsigned timeoutMs) const
{
    HWND hFound = NULL;
    WaitFor(
        [&] {
            for (HWND h : TopWindows(m_program->Pid())) {
                if (ClassOf(h) == "#32770" && TextOf(h) == title) {
                    hFound = h;
                    return true;
                }
            }
            return false;
        },
        timeoutMs);
    return hFound;
}

HWND Korvane::WaitAnyDialog(unsigned timeoutMs) const
{
    HWND hFound = NULL;
    WaitFor(
        [&] {
            for (HWND h : TopWindows(m_program->Pid())) {
                if (h != Main() && ClassOf(h) == "#32770")
                    hFound = h;
            }
            return hFound != NULL;
        },
        timeoutMs);
    return hFound;
}

bool Korvane::WaitDialogGone(HWND hDlg, unsigned timeoutMs) const
{
    return WaitFor([&] { return !::IsWindow(hDlg) || !::IsWindowVisible(hDlg); }, timeoutMs);
}

bool Korvane::ChooseInCombo(HWND hCombo, const std::string& item)
{
    const std::vector<std::string> items = ComboItems(hCombo);
    const auto it = std::find(items.begin(), items.end(), item);
    if (it == items.end())
        return false;
    const int index = static_cast<int>(it - items.begin());
    const RECT rc = ScreenRect(hCombo);
    Click(rc.right - 8, (rc.top + rc.bottom) / 2);
    HWND hList = NULL;
    WaitFor([&] {
        for (HWND h : TopWindows(m_program->Pid())) {
            if (ClassOf(h) == "ComboLBox")
                hList = h;
        }
        return hList != NULL;
    });
    if (hList == NULL)
        return false;
    // The system carries the list's item rectangle across processes itself.
    RECT rcItem = {};
    DWORD_PTR ok = 0;
    ::SendMessageTimeoutA(hList, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&rcItem), SMTO_ABORTIFHUNG, 2000,
                          &ok);
    RECT rcClient;
    ::GetClientRect(hList, &rcClient);
    if (ok != static_cast<DWORD_PTR>(LB_ERR) && rcItem.top >= 0 && rcItem.bottom <= rcClient.bottom) {
        ::MapWindowPoints(hList, NULL, reinterpret_cast<POINT*>(&rcItem), 2);
        Click((rcItem.left + rcItem.right) / 2, (rcItem.top + rcItem.bottom) / 2);
    } else {
        // Out of sight in the list: the keys a person would use.
        Key(VK_HOME);
        for (int i = 0; i < index; ++i)
            Key(VK_DOWN);
        Key(VK_RETURN);
    }
    return WaitFor([&] { return ComboSelection(hCombo) == index; });
}

bool Korvane::ClickTreeItem(HWND hTree, const std::string& text, int occurrence)
{
    for (const TreeItem& item : TreeItems(hTree)) {
        if (item.text == text && item.rc.right > item.rc.left && occurrence-- == 0) {
            const POINT at = Center(item.rc);
            Click(at.x, at.y);
            return true;
        }
    }
    return false;
}

int Korvane::LogCount() const
{
    return ListCount(LogList());
}

std::vector<std::vector<std::string>> Korvane::LogRows(int columns) const
{
    std::vector<std::vector<std::string>> rows;
    HWND hList = LogList();
    const int count = ListCount(hList);
    for (int i = 0; i < count; ++i)
        rows.push_back(ListRow(hList, i, columns));
    return rows;
}

std::vector<TabLabel> Korvane::TabLabels(HWND hTabWnd) const
{
    const RECT rc = ScreenRect(hTabWnd);
    const Screenshot shot(rc);
    const int w = shot.Width(), h = shot.Height();
    const int backLuma = Luma(MostCommonColor(shot));
    auto ink = [&](int x, int y) { return std::abs(Luma(shot.AtLocal(x, y)) - backLuma) > 60; };
    // Text is ink that is not part of a line: the strip's edges and the tabs' tops and bottoms
    // run along it, the tabs' borders down most of it.
    std::vector<char> line(static_cast<size_t>(w) * h, 0);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w;) {
            int end = x;
            while (end < w && ink(end, y))
                ++end;
            if (end - x >= 16)
                std::fill(line.begin() + y * w + x, line.begin() + y * w + end, 1);
            x = end > x ? end : x + 1;
        }
    }
    for (int x = 0; x < w; ++x) {
        for (int y = 0; y < h;) {
            int end = y;
            while (end < h && ink(x, end))
                ++end;
            if ((end - y) * 10 >= h * 6)
                for (int i = y; i < end; ++i)
                    line[i * w + x] = 1;
            y = end > y ? end : y + 1;
        }
    }
    // Labels sit in the middle of the strip; the tabs' rounded corners lie outside it.
    std::vector<bool> text(w, false);
    for (int x = 0; x < w; ++x)
        for (int y = h * 3 / 10; y < h * 8 / 10 && !text[x]; ++y)
            text[x] = ink(x, y) && !line[y * w + x];
    std::vector<TabLabel> labels;
    int x = 0;
    while (x < w) {
        if (!text[x]) {
            ++x;
            continue;
        }
        int end = x, gap = 0;
        for (int i = x + 1; i < w && gap < 6; ++i) {
            if (text[i]) {
                end = i;
                gap = 0;
            } else {
                ++gap;
            }
        }
        // A glyph of a few columns alone is a button's mark, not a label.
        if (end - x >= 8)
            labels.push_back(TabLabel{RECT{rc.left + x, rc.top, rc.left + end + 1, rc.bottom}});
        x = end + 1;
    }
    return labels;
}

namespace {

// The window a click at the point would reach inside root if no other top-level window lay
// over it.
HWND DeepestChildAt(HWND root, POINT screen)
{
    HWND hAt = root;
    for (;;) {
        POINT pt = screen;
        ::ScreenToClient(hAt, &pt);
        HWND hChild = ::ChildWindowFromPointEx(hAt, pt, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
        if (hChild == NULL || hChild == hAt)
            return hAt;
        hAt = hChild;
    }
}

} // namespace

LayoutView Korvane::ReadLayout() const
{
    LayoutView layout;
    std::map<HWND, size_t> groupIndex;
    for (const PaneName& name : kPanes) {
        PaneView pane;
        pane.id = name.id;
        HWND hBar = PaneBar(name.id);
        pane.exists = hBar != NULL;
        if (hBar != NULL) {
            pane.rc = ScreenRect(hBar);
            pane.floating = ::GetAncestor(hBar, GA_ROOT) != Main();
            const POINT mid = Center(pane.rc);
            pane.seen = Shown(hBar) && IsSelfOrDescendant(hBar, ::WindowFromPoint(mid));
            if (HWND hGroup = GroupWindow(hBar)) {
                auto it = groupIndex.find(hGroup);
                if (it == groupIndex.end()) {
                    GroupView group;
                    group.hwnd = hGroup;
                    group.rc = ScreenRect(hGroup);
                    group.floating = pane.floating;
                    it = groupIndex.emplace(hGroup, layout.groups.size()).first;
                    layout.groups.push_back(group);
                }
                GroupView& group = layout.groups[it->second];
                group.members.push_back(name.id);
                // The group shows the pane on top among its children, a floating frame over
                // the group or not.
                if (Shown(hBar) && IsSelfOrDescendant(hBar, DeepestChildAt(hGroup, mid)))
                    group.selected = name.id;
            }
        }
        layout.panes.push_back(pane);
    }
    for (GroupView& group : layout.groups)
        std::sort(group.members.begin(), group.members.end());
    return layout;
}

namespace {

// Under Wine a press inside the main window may put a floating frame behind it for a moment
// (the program brings it in front again): a strip is read once it lies on top at its middle
// and its pixels rest, and a label of a floating strip is pressed once the cursor has rested
// on it, longer than the program's slowest watch, with the strip on top there.
bool OnTopAt(HWND hStrip, POINT at)
{
    return WaitFor([&] { return IsSelfOrDescendant(hStrip, ::WindowFromPoint(at)); });
}

void WaitUncovered(HWND hStrip)
{
    // A group with one shown pane hides its strip: nothing will ever lie on top there.
    if (!::IsWindowVisible(hStrip))
        return;
    OnTopAt(hStrip, Center(ScreenRect(hStrip)));
    WaitStill(ScreenRect(hStrip));
}

void ClickLabel(HWND hStrip, const TabLabel& label)
{
    const POINT at = Center(label.rc);
    MouseMove(at.x, at.y);
    if (::GetWindow(::GetAncestor(hStrip, GA_ROOT), GW_OWNER) != NULL)
        ::Sleep(300);
    OnTopAt(hStrip, at);
    MouseDown();
    MouseUp();
}

} // namespace

void Korvane::ReadTabOrders(LayoutView& layout)
{
    for (GroupView& group : layout.groups) {
        HWND hTab = NULL;
        for (HWND h = ::GetWindow(group.hwnd, GW_CHILD); h != NULL; h = ::GetWindow(h, GW_HWNDNEXT)) {
            if (ClassOf(h) == kTabClass)
                hTab = h;
        }
        if (hTab == NULL)
            continue;
        auto shownNow = [&] {
            for (const GroupView& candidate : ReadLayout().groups) {
                if (candidate.hwnd == group.hwnd)
                    return candidate.selected;
            }
            return 0;
        };
        // The labels are read once, with the group as it was: in some looks the labels of the
        // tabs beside the selected one are too faint to be told from the strip.
        WaitUncovered(hTab);
        const std::vector<TabLabel> labels = TabLabels(hTab);
        std::vector<int> order;
        for (const TabLabel& label : labels) {
            ClickLabel(hTab, label);
            // Until the program has taken the click the group still shows the tab selected
            // before it, which would be taken for the clicked one (and the clicked one's pane
            // lost from the order when the next click is taken first).
            WaitIdle(hTab);
            int shown = 0;
            WaitFor([&] {
                shown = shownNow();
                return shown != 0 && std::find(order.begin(), order.end(), shown) == order.end();
            });
            order.push_back(shown);
        }
        group.members = order;
        // Back to the tab that was selected, unless it is shown already: a second click on the
        // tab clicked last would be a double click, which floats its pane. Its label is read
        // where it lies now (a selected tab may be wider than the others and move its
        // neighbours).
        if (shownNow() == group.selected)
            continue;
        WaitUncovered(hTab);
        const std::vector<TabLabel> now = TabLabels(hTab);
        for (size_t i = 0; i < order.size(); ++i) {
            if (order[i] == group.selected) {
                ClickLabel(hTab, now.size() == labels.size() ? now[i] : labels[i]);
                WaitFor([&] { return shownNow() == group.selected; });
            }
        }
    }
}

// ---- The serial peer.

SerialPeer::SerialPeer() : m_hPort(INVALID_HANDLE_VALUE) {}

SerialPeer::~SerialPeer()
{
    if (m_hPort != INVALID_HANDLE_VALUE)
        ::CloseHandle(m_hPort);
}

namespace {

// Bytes another test left on their way through the pair (a connection that wrote to an end
// nobody read; the relay between the two ends holds some and hands them on later) would reach
// the program or the peer in the middle of a journey: each end is read until it stays quiet.
void ReadUntilQuiet(HANDLE hPort)
{
    COMMTIMEOUTS timeouts = {};
    timeouts.ReadIntervalTimeout = MAXDWORD;
    timeouts.ReadTotalTimeoutMultiplier = MAXDWORD;
    timeouts.ReadTotalTimeoutConstant = 150;
    ::SetCommTimeouts(hPort, &timeouts);
    const DWORD start = ::GetTickCount();
    BYTE buffer[4096];
    DWORD read = 0;
    while (::ReadFile(hPort, buffer, sizeof(buffer), &read, NULL) && read > 0 && ::GetTickCount() - start < 5000) {
    }
    ::PurgeComm(hPort, PURGE_RXCLEAR | PURGE_TXCLEAR);
}

void DrainProgramEnd()
{
    char name[32];
    std::snprintf(name, sizeof(name), "\\\\.\\COM%d", ProgramCom());
    HANDLE hPort = ::CreateFileA(name, GENERIC_READ | GENERIC_WRITE, 0, NULL, OPEN_EXISTING, 0, NULL);
    if (hPort == INVALID_HANDLE_VALUE)
        return;
    ReadUntilQuiet(hPort);
    ::CloseHandle(hPort);
}

} // namespace

bool SerialPeer::Open()
{
    DrainProgramEnd();
    char name[32];
    std::snprintf(name, sizeof(name), "\\\\.\\COM%d", PeerCom());
    m_hPort = ::CreateFileA(name, GENERIC_READ | GENERIC_WRITE, 0, NULL, OPEN_EXISTING, 0, NULL);
    if (m_hPort == INVALID_HANDLE_VALUE)
        return false;
    DCB dcb = {};
    dcb.DCBlength = sizeof(dcb);
    ::GetCommState(m_hPort, &dcb);
    dcb.BaudRate = CBR_9600;
    dcb.ByteSize = 8;
    dcb.Parity = NOPARITY;
    dcb.StopBits = ONESTOPBIT;
    dcb.fBinary = TRUE;
    ::SetCommState(m_hPort, &dcb);
    ReadUntilQuiet(m_hPort);
    // A read returns what has come within 50 ms.
    COMMTIMEOUTS timeouts = {};
    timeouts.ReadIntervalTimeout = MAXDWORD;
    timeouts.ReadTotalTimeoutMultiplier = MAXDWORD;
    timeouts.ReadTotalTimeoutConstant = 50;
    ::SetCommTimeouts(m_hPort, &timeouts);
    return true;
}

bool SerialPeer::Write(const std::vector<BYTE>& bytes)
{
    DWORD written = 0;
    return ::WriteFile(m_hPort, bytes.data(), static_cast<DWORD>(bytes.size()), &written, NULL) &&
           written == bytes.size();
}

std::vector<BYTE> SerialPeer::Read(size_t count, unsigned timeoutMs)
{
    std::vector<BYTE> got;
    const DWORD start = ::GetTickCount();
    while (got.size() < count && ::GetTickCount() - start < timeoutMs) {
        BYTE buffer[4096];
        DWORD read = 0;
        const DWORD want = static_cast<DWORD>(std::min<size_t>(sizeof(buffer), count - got.size()));
        if (!::ReadFile(m_hPort, buffer, want, &read, NULL))
            break;
        got.insert(got.end(), buffer, buffer + read);
    }
    return got;
}

namespace {

int PtyCom(int which)
{
    const char* coms = std::getenv("KORVANE_PTY_COMS");
    int first = 7, second = 8;
    if (coms != nullptr)
        std::sscanf(coms, "%d %d", &first, &second);
    return which == 0 ? first : second;
}

} // namespace

int ProgramCom()
{
    return PtyCom(0);
}

int PeerCom()
{
    return PtyCom(1);
}

std::string Hex(const std::vector<BYTE>& bytes)
{
    std::string text;
    char part[4];
    for (BYTE b : bytes) {
        std::snprintf(part, sizeof(part), "%02X", b);
        text += part;
    }
    return text;
}

} // namespace e2e
