// A toolbar button whose drop-down is the colour menu. It keeps a selected and a default
// colour and shows the selected one as its command icon; the chosen colour reaches the
// command target through the colour menu's own notifications, so the button never changes
// its colours by itself. Pressed outside a separate drop-down arrow it sends the selected
// colour as a final choice.
#pragma once
#include "barbutton.h"

class CUiPopupColorMenuWnd;

class CUiBarColorButton : public CUiBarButton {
    DECLARE_DYNCREATE(CUiBarColorButton)
public:
    CUiBarColorButton();
    CUiBarColorButton(CUiToolControlBar* pBar, UINT nCmdID, DWORD dwStyle);
    ~CUiBarColorButton() override;

    enum IconStyle { kIconSquare = 0, kIconFramed = 1, kIconLetter = 2 };

    bool IsAbleToTrackMenu(bool bUnused = false) const override { return !bUnused; }
    bool PutToPopupMenu(CUiPopupMenuWnd* pMenu) override;
    int OnTrackPopup(CPoint point, bool bSelectFirst) override;
    void OnDeliverCmd() override;
    int OnHelpHitTest(CPoint point) override;
    bool IsPlainCommandButton() const override { return true; }

    virtual void OnSyncIcon();
    virtual COLORREF GetColor(bool bSelected) const;
    virtual void SetColor(COLORREF clr, bool bSelected);
    virtual DWORD GetExtraValue() const { return m_dwExtraValue; }
    virtual void SetExtraValue(DWORD dwValue) { m_dwExtraValue = dwValue; }
    virtual bool GetMenuOptionA() const { return m_bMenuOptionA; }
    virtual bool SetMenuOptionA(bool bOn);
    virtual bool GetMenuOptionB() const { return m_bMenuOptionB; }
    virtual bool SetMenuOptionB(bool bOn);
    virtual CString GetFirstBtnText() const { return m_strFirstBtnText; }
    virtual void SetFirstBtnText(LPCSTR lpszText) { m_strFirstBtnText = lpszText != nullptr ? lpszText : ""; }
    virtual CString GetSecondBtnText() const { return m_strSecondBtnText; }
    virtual void SetSecondBtnText(LPCSTR lpszText) { m_strSecondBtnText = lpszText != nullptr ? lpszText : ""; }
    virtual void GenerateColorIcon(HICON* phIcon);

    DWORD m_dwIconStyle;

protected:
    // A colour menu owned by the command target with this button's colours, flags and texts.
    CUiPopupColorMenuWnd* CreateColorMenu() const;

    COLORREF m_clrSelected;
    COLORREF m_clrDefault;
    DWORD m_dwExtraValue;
    bool m_bMenuOptionA;
    bool m_bMenuOptionB;
    CString m_strFirstBtnText;
    CString m_strSecondBtnText;
};
