// Figure 4: a key typed into the program's editors, from its arrival in the queue to the
// paint done, against a bare edit control in the same process fed the same keys: the hex
// editor of the send data editor pane (overwrite and insert) and the script editor, with the
// program's default settings, each beside a bare multi-line edit control of the same size
// and a fixed-pitch font. Keys are posted as the keyboard posts them (key down, translated
// into a character, key up); the queue is then worked until nothing is left to dispatch or
// paint. Keys alternate one by one between an editor and its bare edit control.
#include "benchkit.h"
#include "figures.h"

#include "appsettings.h"
#include "coloreditwnd.h"
#include "defaultscript.h"
#include "hexedit.h"
#include "hexeditsend.h"
#include "hexpanesettings.h"

#include <string>
#include <vector>

namespace bench {

namespace {

const int kWidth = 760;
const int kHeight = 300;

// Dispatches what the queue holds, paints included, until it holds nothing.
void WorkQueue()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

// Seconds from posting the key to the queue being empty, paints done.
double TypeKey(HWND hWnd, char ch)
{
    const UINT vk = static_cast<UINT>(VkKeyScanA(ch) & 0xFF);
    const UINT scan = MapVirtualKeyA(vk, 0);
    const double start = Now();
    PostMessageA(hWnd, WM_KEYDOWN, vk, 1 | (scan << 16));
    PostMessageA(hWnd, WM_KEYUP, vk, 1 | (scan << 16) | 0xC0000000);
    WorkQueue();
    return Now() - start;
}

HWND BareEdit(HWND parent, int y, HFONT font, const std::string& text)
{
    HWND edit = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE |
                                                   ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_WANTRETURN,
                                0, y, kWidth, kHeight, parent, nullptr, GetModuleHandleA(nullptr), nullptr);
    SendMessageA(edit, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    SetWindowTextA(edit, text.c_str());
    SendMessageA(edit, EM_SETSEL, 0, 0);
    return edit;
}

// Median seconds of a key typed into the editor and into the bare edit, in alternating runs.
void Compare(const char* name, HWND editor, HWND bare, const char* keys, const std::function<void()>& reset)
{
    const int kKeys = 24;
    std::vector<double> floors, values;
    for (int run = 0; run < Runs(); ++run) {
        reset();
        // Key by key, each into the bare edit and then into the editor, so that what else
        // the machine does weighs on both alike; the focus moves outside the timed part.
        for (int i = 0; i < kKeys; ++i) {
            SetFocus(bare);
            WorkQueue();
            floors.push_back(TypeKey(bare, keys[i % strlen(keys)]));
            SetFocus(editor);
            WorkQueue();
            values.push_back(TypeKey(editor, keys[i % strlen(keys)]));
        }
        SendMessageA(bare, EM_SETSEL, 0, -1);
        SendMessageA(bare, WM_UNDO, 0, 0);
    }
    Report(std::string("4 keys.") + name, Median(values) * 1e3, "ms", Median(floors) * 1e3, "bare-edit-control",
           AtMost, 1.2);
}

std::string EditText(int lines, int width)
{
    std::string text;
    for (int i = 0; i < lines; ++i) {
        char line[32];
        std::snprintf(line, sizeof(line), "%08X  ", i * 16);
        text += line;
        text += std::string(static_cast<size_t>(width), static_cast<char>('a' + i % 26));
        text += "\r\n";
    }
    return text;
}

} // namespace

void KeyFigures()
{
    CHexEdit::RegisterWndClass();
    CWnd parent;
    parent.CreateEx(0, AfxRegisterWndClass(0, nullptr, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)), "keys bench",
                    WS_POPUP | WS_VISIBLE, 0, 0, kWidth, 2 * kHeight + 10, nullptr, nullptr);
    CAppSettings settings;
    HFONT font = CreateFontA(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN, nullptr);

    // The send data editor's hex editor with 4 KiB of data.
    {
        CHexEditSend hex;
        hex.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP, CRect(0, 0, kWidth, kHeight), &parent, 1000);
        std::vector<BYTE> data(4096);
        for (size_t i = 0; i < data.size(); ++i)
            data[i] = static_cast<BYTE>(i * 7);
        COleSafeArray bytes;
        bytes.CreateOneDim(VT_UI1, static_cast<DWORD>(data.size()), data.data());
        hex.SetData(bytes);
        ApplyHexPaneSettings(hex, settings.m_editor[CAppSettings::EditorSend]);
        HWND bare = BareEdit(parent.m_hWnd, kHeight + 10, font, EditText(256, 48));
        WorkQueue();
        HexEditModel& model = hex.GetModel();
        // The same data again with the caret on the third row, where a person types.
        auto toStart = [&](DWORD mode) {
            hex.SetData(bytes);
            hex.ClearUndo();
            model.m_dwMode = (model.m_dwMode & ~HEXMODE_INSERT) | mode;
            for (UINT vk : {VK_DOWN, VK_DOWN, VK_RIGHT, VK_RIGHT, VK_RIGHT})
                hex.SendMessage(WM_KEYDOWN, vk, 1);
        };
        Compare("hex-overwrite", hex.m_hWnd, bare, "0123456789ABCDEF", [&] { toStart(0); });
        Compare("hex-insert", hex.m_hWnd, bare, "0123456789ABCDEF", [&] { toStart(HEXMODE_INSERT); });
        DestroyWindow(bare);
        hex.DestroyWindow();
    }

    // The script editor with the default script and the script keywords.
    {
        ColorEditWnd script(&parent, CRect(0, 0, kWidth, kHeight), 1001, 4, TRUE);
        script.AddCharSpacing(2);
        FillScriptKeywords();
        script.SetKeywordSet(&ScriptKeywordSet());
        script.SetSelectionBkColor(0);
        script.m_bReadOnly = FALSE;
        script.SetText(DefaultScriptText());
        script.ClearUndoHistory();
        HWND bare = BareEdit(parent.m_hWnd, kHeight + 10, font, EditText(60, 40));
        WorkQueue();
        Compare("script", script.m_hWnd, bare, "local x = SendData(y) ", [&] { script.ClearUndoHistory(); });
        DestroyWindow(bare);
        script.DestroyWindow();
    }
    parent.DestroyWindow();
    DeleteObject(font);
    CommandToolFigures();
}

} // namespace bench
