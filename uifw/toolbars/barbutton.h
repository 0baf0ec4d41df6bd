// The buttons of the framework's toolbars. What the paint manager reads of a button: its
// bar, its rectangle and its pressed state; the colour and content-expand buttons by class.
#pragma once
#include "afxwin.h"

class CUiToolControlBar;

class CUiBarButton : public CObject {
    DECLARE_DYNCREATE(CUiBarButton)
public:
    CUiBarButton();
    CUiBarButton(CUiToolControlBar* pBar, UINT nCmdID, DWORD dwStyle);
    ~CUiBarButton() override;

    // The class library's toolbar button style bit of a pressed button.
    static const DWORD kStylePressed = 0x20000;

    CUiToolControlBar* GetBar() const { return m_pBar; }
    virtual DWORD GetStyle() const;
    virtual BOOL IsPressed() const;
    virtual CRect GetRect() const;
    virtual void SetRect(const RECT& rc);

protected:
    CUiToolControlBar* m_pBar;
    UINT m_nCmdID;
    DWORD m_dwStyle;
    CRect m_rect;
};

class CUiBarColorButton : public CUiBarButton {
    DECLARE_DYNCREATE(CUiBarColorButton)
public:
    CUiBarColorButton();
    CUiBarColorButton(CUiToolControlBar* pBar, UINT nCmdID, DWORD dwStyle);
    ~CUiBarColorButton() override;
};

class CUiBarContentExpandButton : public CUiBarButton {
    DECLARE_DYNCREATE(CUiBarContentExpandButton)
public:
    CUiBarContentExpandButton();
    explicit CUiBarContentExpandButton(CUiToolControlBar* pBar);
    ~CUiBarContentExpandButton() override;
};
