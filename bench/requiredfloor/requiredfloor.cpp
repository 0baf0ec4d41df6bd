// What the program's start cannot do without, and nothing more: the common controls loaded,
// a frame with a menu, the log's list view and a status bar, as many child windows as the
// program's frame holds once started (each created, placed once and shown), and the toolbar
// icons its first paint makes through an image list. Started as the program is, beside the
// bare frame, it shows how far below the program's own start the start-up figure's goal lies.
#include "bareframe.h"

#include <commctrl.h>

namespace {

// With the list view, its header and the status bar, the 72 windows that the program's frame
// holds after a start with its default layout (its tooltips and helper windows left out).
const int kChildWindows = 69;
const int kToolbarIcons = 32;

void AddChildWindows(HWND hFrame, HINSTANCE hInstance)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = hInstance;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = "KorvaneFloorChild";
    RegisterClassA(&wc);
    for (int i = 0; i < kChildWindows; ++i) {
        const int x = 660 + (i % 10) * 29;
        const int y = 60 + (i / 10) * 41;
        HWND hChild = CreateWindowA(wc.lpszClassName, "", WS_CHILD | WS_CLIPSIBLINGS, x, y, 24, 30, hFrame,
                                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(100 + i)), hInstance, nullptr);
        SetWindowPos(hChild, nullptr, x, y, 25, 31, SWP_NOZORDER | SWP_NOACTIVATE);
        ShowWindow(hChild, SW_SHOWNA);
    }
}

void MakeToolbarIcons()
{
    HIMAGELIST hList = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, kToolbarIcons, 0);
    HDC hScreen = GetDC(nullptr);
    for (int i = 0; i < kToolbarIcons; ++i) {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = 16;
        info.bmiHeader.biHeight = 16;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* pBits = nullptr;
        HBITMAP hImage = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pBits, nullptr, 0);
        if (hImage == nullptr)
            continue;
        for (int p = 0; p < 16 * 16; ++p)
            static_cast<DWORD*>(pBits)[p] = static_cast<DWORD>(p * 977 + i) & 0xFFFFFF;
        const int nImage = ImageList_AddMasked(hList, hImage, RGB(192, 192, 192));
        if (HICON hIcon = ImageList_GetIcon(hList, nImage, ILD_NORMAL)) {
            DrawIconEx(hScreen, -100, -100, hIcon, 16, 16, 0, nullptr, DI_NORMAL);
            DestroyIcon(hIcon);
        }
        DeleteObject(hImage);
    }
    ReleaseDC(nullptr, hScreen);
    ImageList_Destroy(hList);
}

} // namespace

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int nShow)
{
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_WIN95_CLASSES | ICC_COOL_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&icc);
    HWND hWnd = bareframe::CreateFrame(hInstance, "KorvaneFloorFrame", "Floor - Korvane",
                                       WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 960, 768);
    if (!hWnd)
        return 2;
    HWND hList = CreateWindowA(WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_OWNERDATA, 0, 60, 650, 430,
                               hWnd, reinterpret_cast<HMENU>(1), hInstance, nullptr);
    LVCOLUMNA column = {};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.cx = 120;
    column.pszText = const_cast<char*>("Time");
    for (int i = 0; i < 5; ++i)
        SendMessageA(hList, LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&column));
    CreateWindowA(STATUSCLASSNAMEA, "", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, hWnd, reinterpret_cast<HMENU>(2), hInstance,
                  nullptr);
    AddChildWindows(hWnd, hInstance);
    MakeToolbarIcons();
    return bareframe::ShowAndRun(hWnd, nShow);
}
