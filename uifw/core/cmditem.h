// One command as menus, toolbars and the menu bar show it: its texts, the index of its icon in
// its profile, its state bits and how often it was used. The profile that holds the item owns
// it; the usage counts of all items of a profile, against the profile's total, decide which
// commands the popup menus treat as rarely used.
//
// An item without a profile (a free-standing template or a caller's own) works as well: its
// count still changes, while the profile's total, threshold and percentage read as if the
// profile were empty (total 0, threshold 10).
#pragma once

#include "afxwin.h"

class CUiCmdProfile;

// Declares a state bit's setter and test; the setter returns the new state word.
#define UI_CMD_STATE_FLAG(Name, dwBits)                                                                     \
    virtual DWORD StateSet##Name(bool bOn = true) { return ChangeState(dwBits, bOn ? (dwBits) : 0); }      \
    virtual bool StateIs##Name() const { return (m_dwState & (dwBits)) == (dwBits); }

class CUiCmdItem
{
public:
    enum {
        kStateDisabled = 0x00000001,
        kStateCheck = 0x00000002,
        kStateRadio = 0x00000004,
        kStateIndeterminate = 0x00000008,
        kStateBasic = 0x00000010,
        kStateForceRarely = 0x00000020,
        kStateNotTracked = 0x00000040,
        kStateMarks = kStateCheck | kStateRadio | kStateIndeterminate,
    };
    enum { kDefaultRarelyPercent = 10 };

    explicit CUiCmdItem(UINT nCmdId = 0);
    CUiCmdItem(const CUiCmdItem& other);
    CUiCmdItem& operator=(const CUiCmdItem& other)
    {
        AssignFrom(other);
        return *this;
    }

    virtual void AssignFrom(const CUiCmdItem& other);
    // The other's icon index when set and each of its texts that is not empty win.
    virtual void UpdateMoreExact(const CUiCmdItem& other);
    virtual void AnalyzeGlobalUsageOverflow();
    virtual ~CUiCmdItem();
    virtual void ResetTexts();
    // The tooltip and status-bar tip from the string table entry of the command.
    virtual bool UpdateFromResource();
    // Fills only what this item lacks (never the toolbar text).
    virtual void UpdateMoreEmpty(const CUiCmdItem& other);

    virtual DWORD StateSetBasic(bool bOn = true);
    virtual bool StateIsBasic() const;
    virtual bool StateIsRarelyUsed() const;
    virtual DWORD StateSetForceRarely(bool bOn = true);
    virtual bool StateIsForcedRarelyUsed() const;
    virtual DWORD StateEnable(bool bEnable = true);
    virtual bool StateIsEnable() const;
    // At most one of check, radio and indeterminate is ever set.
    virtual DWORD StateSetCheck(bool bOn = true);
    virtual bool StateGetCheck() const;
    virtual DWORD StateSetRadio(bool bOn = true);
    virtual bool StateGetRadio() const;
    virtual DWORD StateSetIndeterminate(bool bOn = true);
    virtual bool StateGetIndeterminate() const;
    UI_CMD_STATE_FLAG(NotTracked, 0x00000040)
    // Bits the menus and toolbars give a meaning; here they are only kept.
    UI_CMD_STATE_FLAG(Flag00000080, 0x00000080)
    UI_CMD_STATE_FLAG(Flag00000100, 0x00000100)
    UI_CMD_STATE_FLAG(Flag00000200, 0x00000200)
    // 0x400 and the pair 0x1400 share a bit: either setter clears both bits first.
    virtual DWORD StateSetFlag00000400(bool bOn = true) { return ChangeState(0x1400, bOn ? 0x400 : 0); }
    virtual bool StateIsFlag00000400() const { return (m_dwState & 0x400) != 0; }
    UI_CMD_STATE_FLAG(Flag00000800, 0x00000800)
    UI_CMD_STATE_FLAG(Flag00001400, 0x00001400)
    UI_CMD_STATE_FLAG(Flag00002000, 0x00002000)
    UI_CMD_STATE_FLAG(Flag00004000, 0x00004000)
    UI_CMD_STATE_FLAG(Flag00008000, 0x00008000)
    UI_CMD_STATE_FLAG(Flag00010000, 0x00010000)
    UI_CMD_STATE_FLAG(Flag00020000, 0x00020000)
    UI_CMD_STATE_FLAG(Flag00040000, 0x00040000)
    UI_CMD_STATE_FLAG(Flag00080000, 0x00080000)
    UI_CMD_STATE_FLAG(Flag00100000, 0x00100000)
    UI_CMD_STATE_FLAG(Flag00200000, 0x00200000)

    // Runs the update-command-UI protocol of the target for this command only.
    virtual bool DoUpdateCmdUI(CCmdTarget* pTarget, UINT nIndex = 0);
    // To the window's owner, or its parent when it has none.
    virtual bool DeliverToOwner(CWnd* pWnd, bool bSend = false);
    virtual bool DeliverToWindow(CWnd* pWnd, bool bSend = false);
    // Counts the use, then sends or posts WM_SYSCOMMAND (system-menu ids, with the cursor
    // position) or WM_COMMAND.
    virtual bool Deliver(HWND hWnd, bool bSend = false);
    virtual UINT GetUsageCount() const;
    virtual UINT GetUsagePercent() const;
    virtual void IncrementUsageCount();
    virtual void ResetUsageCount();
    virtual UINT GetProfileTotalUsage() const;
    virtual UINT GetProfileRarelyPercent() const;
    // Values above 100 become 100; the value stored (without a profile: the value it would be).
    virtual UINT SetProfileRarelyPercent(UINT nPercent);
    virtual void OnSysColorChange();
    virtual void OnSettingChange(UINT uFlags, LPCSTR lpszSection);
    virtual void OnDisplayChange(int nBitsPerPixel, int cx, int cy);
    virtual void OnThemeChanged(WPARAM wParam, LPARAM lParam);
    virtual CString GetTextForMenu() const;
    virtual CString GetTextPreferMenu() const;
    virtual CString GetStatusTip() const;
    // Only such items go into the saved usage statistics.
    virtual bool IsUsageTracked() const;

    // The class library's own commands: MDI window list, recent files, system menu and 0xE210
    // to 0xE21F are always basic and never forced rarely used.
    static bool IsReservedCmdId(UINT nCmdId);
    static bool IsSysCommandId(UINT nCmdId) { return nCmdId >= 0xF000 && nCmdId <= 0xF1EF; }

    CUiCmdProfile* m_pProfile;
    UINT m_nCmdId;
    int m_nIconIndex;
    DWORD m_dwState;
    CString m_strMenuText;
    CString m_strToolbarText;
    CString m_strTipTool;
    CString m_strTipStatus;
    CString m_strAccelText;
    // Kept and copied for the menus and toolbars, never read here.
    int m_anParams[4];
    UINT m_nUsageCount;

protected:
    DWORD ChangeState(DWORD dwClear, DWORD dwSet);
};

// The update-command-UI adapter: what a handler sets goes into the item.
class CUiCmdItemUI : public CCmdUI
{
public:
    CUiCmdItemUI(CUiCmdItem* pItem, UINT nIndex);
    void Enable(BOOL bOn = TRUE) override;
    // 0 and 1 set or clear the check mark, any other value the indeterminate mark.
    void SetCheck(int nCheck = 1) override;
    void SetRadio(BOOL bOn = TRUE) override;
    void SetText(LPCTSTR lpszText) override;

    CUiCmdItem* m_pItem;
};
