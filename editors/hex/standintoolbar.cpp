// The stand-in toolbar: class registration, buttons and their layout, and the relay of
// commands to the parent.
#include "standintoolbar.h"

#include <algorithm>

const char kControlBarClassName[] = "VaviRIZ-ControlBar";

namespace {
const int kSeparatorWidth = 6;
const int kButtonPadding = 12;
const int kMinButtonWidth = 24;
const int kMargin = 2;
} // namespace

CStandInToolBar::CStandInToolBar()
{
}

BOOL CStandInToolBar::RegisterWndClass()
{
    WNDCLASS wc = {};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = ::DefWindowProc;
    wc.hInstance = AfxGetInstanceHandle();
    wc.hCursor = ::LoadCursor(NULL, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kControlBarClassName;
    return AfxRegisterClass(&wc);
}

UINT CStandInToolBar::GetButtonID(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetButtonCount())
        return 0;
    return m_buttons[static_cast<size_t>(nIndex)].nID;
}

HWND CStandInToolBar::GetButtonWindow(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetButtonCount())
        return NULL;
    const Button& b = m_buttons[static_cast<size_t>(nIndex)];
    return b.hAttached != NULL ? b.hAttached : b.hButton;
}

HWND CStandInToolBar::CreateButtonWindow(UINT nID)
{
    if (nID == 0 || m_hWnd == NULL)
        return NULL;
    CString text;
    if (text.LoadString(nID)) {
        const int newline = text.Find('\n');
        if (newline >= 0)
            text = text.Mid(newline + 1);
    }
    HWND hButton = ::CreateWindowExA(0, "BUTTON", text, WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 0, 0, 0, 0, m_hWnd,
                                     reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)), AfxGetInstanceHandle(), NULL);
    if (hButton == NULL)
        return NULL;
    HWND hParent = ::GetParent(m_hWnd);
    HFONT hFont = hParent != NULL ? reinterpret_cast<HFONT>(::SendMessage(hParent, WM_GETFONT, 0, 0)) : NULL;
    if (hFont == NULL)
        hFont = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
    ::SendMessage(hButton, WM_SETFONT, reinterpret_cast<WPARAM>(hFont), FALSE);
    return hButton;
}

void CStandInToolBar::DestroyButtons()
{
    for (const Button& b : m_buttons) {
        if (b.hButton != NULL)
            ::DestroyWindow(b.hButton);
    }
    m_buttons.clear();
}

BOOL CStandInToolBar::SetButtonList(const UINT* pIDs, int nCount)
{
    if (m_hWnd == NULL || nCount < 0 || (nCount > 0 && pIDs == nullptr))
        return FALSE;
    DestroyButtons();
    for (int i = 0; i < nCount; ++i)
        m_buttons.push_back(Button{pIDs[i], CreateButtonWindow(pIDs[i]), NULL});
    RecalcLayout();
    return TRUE;
}

BOOL CStandInToolBar::InsertButton(int nIndex, UINT nID, BOOL)
{
    if (m_hWnd == NULL || nIndex < -1 || nIndex > GetButtonCount())
        return FALSE;
    const Button b{nID, CreateButtonWindow(nID), NULL};
    if (nIndex == -1)
        m_buttons.push_back(b);
    else
        m_buttons.insert(m_buttons.begin() + nIndex, b);
    RecalcLayout();
    return TRUE;
}

int CStandInToolBar::CommandToButtonIndex(UINT nID) const
{
    for (size_t i = 0; i < m_buttons.size(); ++i) {
        if (m_buttons[i].nID == nID)
            return static_cast<int>(i);
    }
    return -1;
}

BOOL CStandInToolBar::AttachButtonControl(int nIndex, CWnd* pWnd, BOOL)
{
    if (nIndex < 0 || nIndex >= GetButtonCount() || pWnd == nullptr || pWnd->m_hWnd == NULL)
        return FALSE;
    if (::GetParent(pWnd->m_hWnd) != m_hWnd || (pWnd->GetStyle() & WS_CHILD) == 0)
        return FALSE;
    Button& b = m_buttons[static_cast<size_t>(nIndex)];
    if (static_cast<UINT>(::GetDlgCtrlID(pWnd->m_hWnd)) != b.nID)
        return FALSE;
    if (b.hButton != NULL) {
        ::DestroyWindow(b.hButton);
        b.hButton = NULL;
    }
    b.hAttached = pWnd->m_hWnd;
    RecalcLayout();
    return TRUE;
}

void CStandInToolBar::RecalcLayout()
{
    if (m_hWnd == NULL)
        return;
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    const int height = std::max<int>(1, static_cast<int>(client.bottom) - 2);
    int x = kMargin;
    for (const Button& b : m_buttons) {
        if (b.hAttached != NULL) {
            RECT rc;
            ::GetWindowRect(b.hAttached, &rc);
            const int width = rc.right - rc.left;
            ::SetWindowPos(b.hAttached, NULL, x, 1, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            x += width + kMargin;
        } else if (b.hButton != NULL) {
            char text[256] = "";
            ::GetWindowTextA(b.hButton, text, sizeof(text));
            HDC hdc = ::GetDC(b.hButton);
            HGDIOBJ hOld = ::SelectObject(hdc, reinterpret_cast<HFONT>(::SendMessage(b.hButton, WM_GETFONT, 0, 0)));
            SIZE extent = {0, 0};
            ::GetTextExtentPoint32A(hdc, text, lstrlenA(text), &extent);
            ::SelectObject(hdc, hOld);
            ::ReleaseDC(b.hButton, hdc);
            const int width = std::max<int>(kMinButtonWidth, extent.cx + kButtonPadding);
            ::MoveWindow(b.hButton, x, 1, width, height, TRUE);
            x += width + kMargin;
        } else {
            x += kSeparatorWidth;
        }
    }
}

BOOL CStandInToolBar::OnCommand(WPARAM wParam, LPARAM lParam)
{
    // The bar's buttons and controls speak to the dialog that holds the bar.
    HWND hParent = ::GetParent(m_hWnd);
    if (hParent != NULL)
        ::SendMessage(hParent, WM_COMMAND, wParam, lParam);
    return TRUE;
}

BOOL CStandInToolBar::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    HWND hParent = ::GetParent(m_hWnd);
    if (hParent == NULL)
        return FALSE;
    *pResult = ::SendMessage(hParent, WM_NOTIFY, wParam, lParam);
    return TRUE;
}
