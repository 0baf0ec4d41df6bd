// One button of a framework toolbar: a command button, a separator (own id 0), a button with
// a drop-down menu, or the place of a child control that lives in the bar. The bar owns the
// buttons, lays them out, tracks the mouse and orders the painting; the button knows its
// command, its state word, its size and rectangle, and measures and paints itself through
// the current paint manager.
//
// Texts, icons and tips are not kept here: they come from the command profile bound to the
// bar's window, looked up by id each time. A button whose command is not in the profile has
// no text, icon, tip or delivery, and keeps the size the bar gives it.
//
// The effective id is the command the button delivers and shows the icon and tip of; it
// equals the own id unless the auto-change mode made the last command chosen from the
// button's menu the effective one.
#pragma once
#include "afxwin.h"
#include "afxext.h"

class CUiToolControlBar;
class CUiPopupMenuWnd;
class CUiCmdIcon;
class CUiCmdItem;

// The class library's toolbar button style bits.
#ifndef TBBS_SEPARATOR
#define TBBS_BUTTON 0x00000000
#define TBBS_SEPARATOR 0x00000001
#define TBBS_CHECKBOX 0x00000002
#define TBBS_CHECKED 0x00010000
#define TBBS_PRESSED 0x00020000
#define TBBS_DISABLED 0x00040000
#define TBBS_HIDDEN 0x00080000
#define TBBS_INDETERMINATE 0x00100000
#endif

// A copy of a tip text that the class library's tool tip handling frees after use
// (LPSTR_TEXTCALLBACK when none can be allocated).
LPSTR AllocTipText(const CString& strText);

class CUiBarButton : public CObject {
    DECLARE_DYNCREATE(CUiBarButton)
public:
    CUiBarButton();
    CUiBarButton(CUiToolControlBar* pBar, UINT nCmdID, DWORD dwStyle);
    ~CUiBarButton() override;

    static const DWORD kStylePressed = TBBS_PRESSED;
    // The width of the drop-down part: the arrow glyph (5) and its margin (6).
    static const int kDropDownExtent = 11;

    CUiToolControlBar* GetBar() const { return m_pBar; }

    virtual void SyncCtrlVisibility();
    virtual bool QueryBarOptionA() const;
    virtual bool IsToolTipAllowed() const;
    virtual bool QueryBarOptionC() const;
    virtual UINT GetCmdID(bool bEffective) const;
    virtual void SetCmdID(UINT nCmdID, bool bEffectiveOnly, bool bNotify);
    virtual bool IsSeparatedDropDown() const { return m_bSeparatedDropDown; }
    virtual void SetSeparatedDropDown(bool bOn) { m_bSeparatedDropDown = bOn; }
    virtual bool IsAutoChangeCmd() const { return m_bAutoChangeCmd; }
    virtual void SetAutoChangeCmd(bool bOn) { m_bAutoChangeCmd = bOn; }
    virtual bool IsNoRotateVertical() const { return m_bNoRotateVertical; }
    virtual void SetNoRotateVertical(bool bOn) { m_bNoRotateVertical = bOn; }
    virtual bool IsCtrlVisibleVertically() const { return m_bCtrlVisibleVertically; }
    virtual void SetCtrlVisibleVertically(bool bOn) { m_bCtrlVisibleVertically = bOn; }
    virtual CWnd* GetCtrl() const { return m_pCtrl; }
    virtual CWnd* SetCtrl(CWnd* pCtrl, bool bNotOwned);
    virtual DWORD GetStyle() const;
    virtual void SetStyle(DWORD dwStyle);
    virtual void ModifyStyle(DWORD dwAdd, DWORD dwRemove);
    virtual void SetTrackingPressed() { m_bTrackingPressed = true; }
    virtual void ClearTrackingPressed() { m_bTrackingPressed = false; }
    virtual bool IsTrackingPressed() const { return m_bTrackingPressed; }
    virtual void SetVerticalLayout(bool bVertical);
    virtual bool GetWrap(int nMode) const;
    virtual BYTE SetWrap(int nMode, bool bOn);
    virtual bool IsSeparator() const;
    virtual bool IsDisabled() const;
    virtual bool IsIndeterminate() const;
    virtual BOOL IsPressed() const;
    virtual void SetVisible(bool bOn);
    virtual bool IsVisible() const { return m_bVisible; }
    virtual void SetHover(bool bOn);
    virtual bool IsHover() const { return m_bHover; }
    virtual CString GetText() const;
    virtual void SetRect(const RECT& rc);
    virtual CRect GetRect() const;
    virtual CRect GetDropDownRect() const;
    virtual CSize GetSize() const { return m_size; }
    virtual void SetMenu(HMENU hMenu, bool bPopupOnly, bool bOwned);
    virtual HMENU GetMenu() const { return m_hMenu; }
    virtual void SetAppendMdiWindows(bool bOn) { m_bAppendMdiWindows = bOn; }
    virtual bool IsAppendMdiWindows() const { return m_bAppendMdiWindows; }
    virtual bool IsAbleToTrackMenu(bool bUnused = false) const;
    virtual bool IsMenuPopupOnly() const { return m_bMenuPopupOnly; }
    virtual CSize CalculateLayout(CDC& dc, CSize sizeGiven, bool bHorz);
    virtual bool PutToPopupMenu(CUiPopupMenuWnd* pMenu);
    virtual CUiCmdIcon* GetIconPtr() const;
    virtual CWnd* GetCmdTargetWnd() const;
    virtual void Paint(CDC& dc, bool bHorz);
    virtual int OnTrackPopup(CPoint point, bool bSelectFirst);
    virtual void OnHover(CPoint point, bool bEntering);
    virtual void OnClick(CPoint point, bool bDown);
    virtual void OnDeliverCmd();
    virtual INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const;
    virtual int OnHelpHitTest(CPoint point);
    virtual void OnUpdateCmdUI(CWnd* pTarget, BOOL bDisableIfNoHndler, int nIndex);
    virtual bool IsPlainCommandButton() const;
    virtual void RedrawButton(bool bUpdateNow);
    virtual int GetBarDockCode() const;
    virtual bool OnSetCursor(CPoint point);

    // The command item of an id in the profile of the bar's window; null without one.
    CUiCmdItem* FindCmdItem(UINT nCmdID) const;
    // The button's index in its bar's array, -1 when it is not there.
    int IndexInBar() const;

protected:
    // Whether a control is attached and shown in the button's place.
    bool IsCtrlShown() const;
    // Menu tracking shared with the chevron: converts, marks the button, tracks.
    void TrackPopupAtButton(CUiPopupMenuWnd* pPopup, CPoint point, bool bSelectFirst);

    CUiToolControlBar* m_pBar;
    UINT m_nCmdID;
    UINT m_nEffectiveCmdID;
    DWORD m_dwStyle;
    CSize m_size;
    CRect m_rect;
    bool m_bWrap[3];
    bool m_bVisible;
    bool m_bHover;
    bool m_bCtrlNotOwned;
    bool m_bVerticalLayout;
    bool m_bMenuPopupOnly;
    bool m_bMenuOwned;
    bool m_bAppendMdiWindows;
    bool m_bSeparatedDropDown;
    bool m_bAutoChangeCmd;
    bool m_bDropDownPressed;
    bool m_bNoRotateVertical;
    bool m_bCtrlVisibleVertically;
    bool m_bTrackingPressed;
    CWnd* m_pCtrl;
    HMENU m_hMenu;
};

class CUiBarColorButton : public CUiBarButton {
    DECLARE_DYNCREATE(CUiBarColorButton)
public:
    CUiBarColorButton();
    CUiBarColorButton(CUiToolControlBar* pBar, UINT nCmdID, DWORD dwStyle);
    ~CUiBarColorButton() override;
};
