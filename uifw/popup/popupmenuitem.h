// One entry of a popup menu: a command, a separator or a submenu. Command entries take their
// texts and icon from the command profile of their receiver, unless they are own items; an
// entry owns its submenu, and the menu that holds it destroys the submenu with it.
#pragma once
#include "afxwin.h"
#include "cmdicon.h"

class CUiPopupMenuWnd;
class CUiCmdItem;

class PopupMenuItemData {
public:
    // Flag byte 1.
    enum {
        kCurrent = 0x01,
        kDisplayed = 0x02,
        kAlwaysDisplayed = 0x04,
        kJoinSubmenu = 0x08,
        kCompact = 0x10,
        kAlwaysEnabled = 0x20,
        kPaintBit = 0x40,
        kChecked = 0x80,
    };
    // Flag byte 2.
    enum {
        kRadio = 0x01,
        kEnabled = 0x02,
        kIndeterminate = 0x04,
        kOwnItem = 0x10,
    };
    // Flag byte 3.
    enum {
        kEditOnClick = 0x01,   // the I-beam over the edit field; a click shows the edit
        kShowThirdText = 0x02, // the field shows the third text instead of the value
    };
    static const UINT kSubmenuId = 0xFFFFFFFF;
    static const int kFreshIndex = -100;

    typedef BOOL (*BeforeCommandProc)(CUiPopupMenuWnd* pMenu, PopupMenuItemData* pItem);
    typedef void (*ClickProc)(CUiPopupMenuWnd* pMenu, PopupMenuItemData* pItem);

    PopupMenuItemData();
    PopupMenuItemData(const PopupMenuItemData& other) { *this = other; }
    PopupMenuItemData& operator=(const PopupMenuItemData& other);

    // 0xFFFFFFFF for separators and submenu items.
    UINT GetCmdID() const;
    bool IsSeparator() const { return m_nCmdId == 0; }
    bool IsSubmenu() const { return m_nCmdId == kSubmenuId; }
    bool IsCommand() const { return m_nCmdId != 0 && m_nCmdId != kSubmenuId && m_pInplaceValue == nullptr; }
    bool IsDisplayed() const { return (m_bFlags1 & (kDisplayed | kAlwaysDisplayed)) != 0; }
    bool IsEnabled() const { return (m_bFlags2 & kEnabled) != 0 || (m_bFlags1 & kAlwaysEnabled) != 0; }
    // Displayed, and a submenu or an enabled command.
    bool IsSelectable() const;

    CString GetText() const;
    CString GetAccelText() const;
    void SetText(LPCSTR lpszText);
    void SetAccelText(LPCSTR lpszText);
    // The part after the first tab becomes the accelerator text.
    void SetSplitText(LPCSTR lpszText);
    void UpdateAccessChar();
    CUiCmdItem* GetCmdItem() const;
    // The own icon, else the command's icon; null when none.
    CUiCmdIcon* GetIcon();
    // pDC null: a screen context.
    void MeasureItem(CDC* pDC = nullptr);
    bool InitFromCmd(const CUiCmdItem* pCmd, int nPos);
    CString GetStatusText() const;
    bool SetOwnIcon(HICON hIcon);
    // Given the item rectangle, where its edit field lies.
    void GetEditFieldRect(const RECT& rcItem, RECT& rcField) const;
    bool HasInplaceEdit() const { return m_pInplaceValue != nullptr; }
    // What the field shows while its edit is hidden.
    CString GetInplaceValueText() const;

    CUiPopupMenuWnd* m_pSubmenu;
    int m_nIndex;
    UINT m_nCmdId;
    CString m_strText;
    CString m_strAccel;
    CUiCmdIcon m_icon;
    int m_cx;
    int m_cy;
    int m_cxIconArea;
    BYTE m_bFlags1;
    BYTE m_bFlags2;
    BeforeCommandProc m_pfnBeforeCommand;
    ClickProc m_pfnClick;
    BYTE m_cAccessChar;
    HWND m_hWndReceiver;
    CString* m_pInplaceValue;
    int m_cxInplace;
    // The edit shown over the field while the menu window lives; null otherwise.
    CWnd* m_pInplaceEdit;
    // Handed unchanged to the edit: validation, commit, hook, cookie.
    DWORD_PTR m_dwInplaceParams[4];
    BYTE m_bFlags3;
    CString m_strThird;
};

// Framework-wide switches of the items.
extern bool g_bPopupLargeIcons;
extern bool g_bPopupFirstLetterAccess;
