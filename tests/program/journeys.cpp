#include "journeys.h"

#include <commctrl.h>

#include "resource.h"

#include <algorithm>
#include <cstring>

namespace e2e {

void SetProgramSetting(const char* name, DWORD value)
{
    HKEY hKey = NULL;
    ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyExA(HKEY_CURRENT_USER, (std::string(kProgramKey) + "\\CMN").c_str(), 0, NULL,
                                               0, KEY_WRITE, NULL, &hKey, NULL));
    ::RegSetValueExA(hKey, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value));
    ::RegCloseKey(hKey);
}

bool StatusBarSeen(const Korvane& k)
{
    HWND hStatus = k.StatusBar();
    if (!Seen(hStatus))
        return false;
    // The port panes' texts must be drawn, not only the bar's background.
    RemoteBlock block(hStatus, sizeof(RECT));
    RECT rc = {};
    DWORD_PTR ok = 0;
    ::SendMessageTimeoutA(hStatus, SB_GETRECT, 1, reinterpret_cast<LPARAM>(block.Address()), SMTO_ABORTIFHUNG, 2000,
                          &ok);
    if (!ok || !block.Read(&rc, sizeof(rc)))
        return false;
    ::MapWindowPoints(hStatus, NULL, reinterpret_cast<POINT*>(&rc), 2);
    return InkPixels(rc) > 0;
}

std::string PortState(const Korvane& k)
{
    const std::vector<std::string> texts = k.Status();
    return texts.size() > 1 ? texts[1] : std::string("(no status bar)");
}

void ExpectDefaultLayout(const Korvane& k, const LayoutView& layout)
{
    for (const PaneView& pane : layout.panes) {
        EXPECT_TRUE(pane.exists) << NameOf(pane.id);
        EXPECT_FALSE(pane.floating) << NameOf(pane.id);
    }
    const GroupView* right = layout.GroupOf(32772);
    const GroupView* bottom = layout.GroupOf(32774);
    ASSERT_NE(nullptr, right) << "the send data editor is in no group";
    ASSERT_NE(nullptr, bottom) << "the detailed log data is in no group";
    EXPECT_EQ((std::vector<int>{32772, 32898, 32899}), right->members) << "the right group's tabs";
    EXPECT_EQ(32772, right->selected);
    EXPECT_EQ((std::vector<int>{32774, 32776, 32777, 32860, 32861}), bottom->members) << "the bottom group's tabs";
    EXPECT_EQ(32774, bottom->selected);
    RECT client;
    ::GetClientRect(k.Main(), &client);
    ::MapWindowPoints(k.Main(), NULL, reinterpret_cast<POINT*>(&client), 2);
    const POINT mid = Center(client);
    EXPECT_GT(right->rc.left, mid.x) << "the right group lies left of the middle";
    EXPECT_GE(right->rc.right, client.right - 8);
    EXPECT_GT(bottom->rc.top, mid.y) << "the bottom group lies above the middle";
    EXPECT_GE(bottom->rc.right - bottom->rc.left, (client.right - client.left) * 9 / 10);
    EXPECT_TRUE(layout.Pane(32772)->seen);
    EXPECT_TRUE(layout.Pane(32774)->seen);
}

ViewChecks ReadViewChecks(Korvane& k)
{
    ViewChecks checks;
    HWND hPopup = k.OpenMenu('V');
    if (hPopup == NULL) {
        ADD_FAILURE() << "the view menu did not open";
        return checks;
    }
    const std::vector<MenuRow> rows = k.MenuCommands(hPopup);
    EXPECT_GE(rows.size(), 10u) << "the view menu's rows";
    if (rows.size() >= 10) {
        checks.toolbar = rows[0].checked;
        checks.statusBar = rows[1].checked;
        for (int i = 0; i < 8; ++i)
            checks.panes[i] = rows[2 + i].checked;
    }
    k.CloseMenus();
    return checks;
}

void ClickViewRow(Korvane& k, int row)
{
    HWND hPopup = k.OpenMenu('V');
    ASSERT_NE(nullptr, hPopup);
    const std::vector<MenuRow> rows = k.MenuCommands(hPopup);
    ASSERT_GT(static_cast<int>(rows.size()), row);
    const POINT at = MenuRowPoint(hPopup, rows[row]);
    Click(at.x, at.y);
    ASSERT_TRUE(WaitFor([&] { return k.NoMenuOpen(); }));
}

// Port 1 on the program's end of the pair, its baud rate picked from the drop list, and the
// received data echoed back.
void ChooseSettings(Korvane& k)
{
    k.Activate();
    Key(VK_F12);
    HWND hDlg = k.WaitDialog("通信設定");
    ASSERT_NE(nullptr, hDlg) << "F12 opened no settings dialog";
    HWND hTree = FindChild(hDlg, "SysTreeView32");
    ASSERT_TRUE(k.ClickTreeItem(hTree, "ポート１", 0));
    ASSERT_TRUE(WaitFor([&] { return ShownChild(hDlg, "ComboBox", IDC_COMPORT_PORT) != NULL; }));
    HWND hUse = ShownChild(hDlg, "Button", IDC_PORTUSE_USE);
    if (::SendMessageA(hUse, BM_GETCHECK, 0, 0) != BST_CHECKED) {
        const POINT at = Center(ScreenRect(hUse));
        Click(ScreenRect(hUse).left + 6, at.y);
    }
    ASSERT_TRUE(k.ChooseInCombo(ShownChild(hDlg, "ComboBox", IDC_COMPORT_PORT), "COM" + std::to_string(ProgramCom())));
    ASSERT_TRUE(k.ChooseInCombo(ShownChild(hDlg, "ComboBox", IDC_COMPORT_BAUD_LIST), "115200"));
    EXPECT_EQ("115200", TextOf(ShownChild(hDlg, "Edit", IDC_COMPORT_BAUD)));

    ASSERT_TRUE(k.ClickTreeItem(hTree, "ポート１", 1));
    HWND hAction = NULL;
    ASSERT_TRUE(WaitFor([&] { return (hAction = ShownChild(hDlg, "Button", IDC_RECV_ACTION)) != NULL; }));
    if (::SendMessageA(hAction, BM_GETCHECK, 0, 0) != BST_CHECKED)
        Click(ScreenRect(hAction).left + 6, Center(ScreenRect(hAction)).y);
    HWND hEcho = ShownChild(hDlg, "Button", IDC_RECV_REPLY_RECEIVED);
    ASSERT_TRUE(WaitFor([&] { return ::IsWindowEnabled(hEcho); }));
    Click(ScreenRect(hEcho).left + 6, Center(ScreenRect(hEcho)).y);
    ASSERT_TRUE(WaitFor([&] { return ::SendMessageA(hEcho, BM_GETCHECK, 0, 0) == BST_CHECKED; }));

    HWND hOk = FindChild(hDlg, "Button", IDOK);
    const POINT ok = Center(ScreenRect(hOk));
    Click(ok.x, ok.y);
    ASSERT_TRUE(k.WaitDialogGone(hDlg)) << "the settings dialog stayed open after OK";
}

bool WriteStartupSet(Korvane& k, const char* name, const std::string& extensionDll, bool bLines)
{
    const std::string tool = BinFolder() + "\\kvrsmokeset.exe";
    std::string cmd = "\"" + tool + "\" \"" + k.File("auto.kvr") + "\" " + name + " " + std::to_string(ProgramCom());
    if (!extensionDll.empty())
        cmd += " \"" + extensionDll + "\"";
    if (bLines)
        cmd += " --lines";
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    if (!::CreateProcessA(tool.c_str(), &cmd[0], NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi))
        return false;
    ::WaitForSingleObject(pi.hProcess, kPatienceMs);
    DWORD code = 1;
    ::GetExitCodeProcess(pi.hProcess, &code);
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    return code == 0;
}

} // namespace e2e

namespace e2e {

Markers ReadMarkers(const Korvane& k)
{
    Markers m;
    RECT client;
    ::GetClientRect(k.Main(), &client);
    ::MapWindowPoints(k.Main(), NULL, reinterpret_cast<POINT*>(&client), 2);
    // The compass's markers stand close together; the outer ones stand alone near the edges
    // of the area the bars leave free.
    std::vector<RECT> all;
    for (HWND h : TopWindows(k.Pid())) {
        if (ClassOf(h) == "VaviRIZ-DynDockMarker") {
            all.push_back(ScreenRect(h));
            const RECT& rc = all.back();
            m.seen += "(" + std::to_string(rc.left) + "," + std::to_string(rc.top) + " " +
                      std::to_string(rc.right - rc.left) + "x" + std::to_string(rc.bottom - rc.top) + ") ";
        }
    }
    const POINT middle = Center(client);
    std::vector<RECT> compass;
    for (const RECT& rc : all) {
        const POINT c = Center(rc);
        bool bNeighbour = false;
        for (const RECT& other : all) {
            const POINT o = Center(other);
            bNeighbour |= &other != &rc && std::abs(o.x - c.x) < 70 && std::abs(o.y - c.y) < 70;
        }
        const int w = rc.right - rc.left, hgt = rc.bottom - rc.top;
        if (bNeighbour)
            compass.push_back(rc);
        else if (w < hgt)
            (c.x < middle.x ? m.left : m.right) = rc;
        else
            (c.y < middle.y ? m.top : m.bottom) = rc;
    }
    if (compass.size() == 5 || compass.size() == 6) {
        // The compass's background is the largest; the tab marker, shown over a group, stands
        // in its middle (elsewhere the background's middle is that place).
        auto area = [](const RECT& r) { return (r.right - r.left) * (r.bottom - r.top); };
        std::sort(compass.begin(), compass.end(), [&](const RECT& a, const RECT& b) { return area(a) > area(b); });
        m.compassCentre = compass[0];
        const POINT mid = Center(compass[0]);
        for (size_t i = 1; i < compass.size(); ++i) {
            const POINT c = Center(compass[i]);
            if (std::abs(c.x - mid.x) < 4 && std::abs(c.y - mid.y) < 4)
                m.compassCentre = compass[i], m.compassTab = true;
            else if (std::abs(c.y - mid.y) < std::abs(c.x - mid.x))
                (c.x < mid.x ? m.compassLeft : m.compassRight) = compass[i];
            else
                (c.y < mid.y ? m.compassTop : m.compassBottom) = compass[i];
        }
        m.compass = !::IsRectEmpty(&m.compassLeft) && !::IsRectEmpty(&m.compassRight) &&
                    !::IsRectEmpty(&m.compassTop) && !::IsRectEmpty(&m.compassBottom);
    }
    return m;
}

Markers AddOuterMarkers(const Korvane& k, Markers known)
{
    const Markers now = ReadMarkers(k);
    for (RECT Markers::*edge : {&Markers::left, &Markers::right, &Markers::top, &Markers::bottom}) {
        if (!::IsRectEmpty(&(now.*edge)))
            known.*edge = now.*edge;
    }
    known.outer = !::IsRectEmpty(&known.left) && !::IsRectEmpty(&known.right) && !::IsRectEmpty(&known.top) &&
                  !::IsRectEmpty(&known.bottom);
    known.seen = now.seen;
    return known;
}

bool WaitForCompassOver(const Korvane& k, HWND hTarget, POINT over, bool bTab, Markers& markers)
{
    int stir = 0;
    return WaitFor([&] {
        markers = ReadMarkers(k);
        const RECT rcTarget = ScreenRect(hTarget);
        if (markers.compass && (markers.compassTab || !bTab) && ::PtInRect(&rcTarget, Center(markers.compassCentre)))
            return true;
        MouseMove(over.x + (++stir & 1), over.y);
        return false;
    });
}

POINT CaptionPoint(HWND hWnd)
{
    const RECT rc = ScreenRect(hWnd);
    return POINT{rc.left + 60, rc.top + 8};
}

HWND FloatingFrameOf(const Korvane& k, int paneId)
{
    HWND hBar = k.PaneBar(paneId);
    HWND hRoot = hBar != NULL ? ::GetAncestor(hBar, GA_ROOT) : NULL;
    return hRoot != k.Main() ? hRoot : NULL;
}

HWND TabStripOf(HWND hGroup)
{
    for (HWND h = ::GetWindow(hGroup, GW_CHILD); h != NULL; h = ::GetWindow(h, GW_HWNDNEXT)) {
        if (ClassOf(h) == "VaviRIZ-TabWindow")
            return h;
    }
    return NULL;
}

namespace {

// What keeps a pane from a person's reach, one line each; empty when every pane is reachable.
std::string Unreachable(const Korvane& k)
{
    std::string problems;
    const LayoutView layout = k.ReadLayout();
    for (const PaneView& pane : layout.panes) {
        if (!pane.exists)
            problems += std::string(NameOf(pane.id)) + " is gone\n";
        else if (!pane.seen && layout.GroupOf(pane.id) == nullptr)
            problems += std::string(NameOf(pane.id)) + " can be reached neither seen nor by a tab\n";
    }
    for (const GroupView& group : layout.groups) {
        HWND hStrip = TabStripOf(group.hwnd);
        const size_t tabs = Shown(hStrip) ? k.TabLabels(hStrip).size() : 0;
        std::string names;
        for (int id : group.members)
            names += std::string(NameOf(id)) + " ";
        if (group.members.size() != tabs)
            problems += std::to_string(tabs) + " tabs shown for the group of " + names + "\n";
        if (group.selected == 0)
            problems += "the group of " + names + "shows none of its panes\n";
    }
    return problems;
}

} // namespace

void ExpectEveryPaneReachable(const Korvane& k, const std::string& step)
{
    // The program lays a moved group out on its next idle turns: a person reads it a moment later.
    std::string problems;
    WaitFor([&] { return (problems = Unreachable(k)).empty(); });
    EXPECT_EQ("", problems) << step;
}

void StartConnected(Korvane& k, SerialPeer& peer, const char* name)
{
    ASSERT_TRUE(peer.Open()) << "the peer's end of the pseudo-terminal pair (COM" << PeerCom() << ")";
    ASSERT_TRUE(WriteStartupSet(k, name));
    ASSERT_TRUE(k.Start());
    ASSERT_TRUE(WaitFor([&] { return PortState(k) == kConnected; })) << PortState(k);
}

bool TurnOnAutoScroll(Korvane& k)
{
    const size_t kAutoScrollRow = 11;
    if (k.OpenMenu('V') == NULL)
        return false;
    Key('A');
    WaitFor([&] { return k.NoMenuOpen(); });
    HWND menu = k.OpenMenu('V');
    if (menu == NULL)
        return false;
    const std::vector<MenuRow> rows = k.MenuCommands(menu);
    k.CloseMenus();
    return rows.size() > kAutoScrollRow && rows[kAutoScrollRow].checked;
}

int FindLogRow(const Korvane& k, const std::string& text, const char* kind)
{
    const std::vector<std::vector<std::string>> rows = k.LogRows();
    for (int i = 0; i < static_cast<int>(rows.size()); ++i) {
        const std::string& contents = rows[i][3];
        std::string packed = contents;
        packed.erase(std::remove(packed.begin(), packed.end(), ' '), packed.end());
        if (contents.compare(0, strlen(kind), kind) == 0 && packed.find(text) != std::string::npos)
            return i;
    }
    return -1;
}

int FindLogRow(const Korvane& k, const char* kind, const std::vector<BYTE>& bytes)
{
    return FindLogRow(k, Hex(bytes), kind);
}

} // namespace e2e
