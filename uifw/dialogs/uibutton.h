// CUiButton: the framework's owner-drawn push button, painted by the current paint manager
// with hover, an optional icon pair, an optional drop-down menu (the whole button or a split
// part at the right), keyboard activation, its own cursor and a tooltip control.
//
// Subclassing switches the control to BS_OWNERDRAW and keeps the logical type (push,
// default, check, radio, 3-state) in the object, which answers BM_GETCHECK, BM_SETCHECK and
// BM_SETSTYLE itself. A click is sent as WM_COMMAND (BN_CLICKED) to the parent only when the
// press and the release hit the same part; the second press of a double click is dropped.
// Space pushes on key-down and clicks on key-up; Return clicks on key-down.
#pragma once
#include "afxcmn.h"
#include "afxctrls.h"
#include "afxmenu.h"
#include "mousecapturesink.h"

class CUiPopupMenuWnd;
struct PushButtonPaintData;

class CUiButton : public CButton, public CUiMouseCaptureSink {
    DECLARE_DYNCREATE(CUiButton)
public:
    enum : BYTE {
        kShowFocus = 0x01, kBorder = 0x02, kHover = 0x04, kPushed = 0x08, kMouseTracking = 0x10,
        kKeyboardPress = 0x20, kSplit = 0x40, kMenuResult = 0x80,
    };
    enum : BYTE { kAdoptCommand = 0x01 };

    CUiButton();
    ~CUiButton() override;

    virtual BOOL IsEffectivelyEnabled();
    virtual void OnClick(bool bFromKeyboard, bool bOnDropDownPart);
    virtual bool TrackDropDown(bool bFromKeyboard);
    virtual bool HasDropDownMenu();
    virtual bool PutToPopupMenu(CUiPopupMenuWnd* pPopup);
    virtual void PaintButton(CDC& dc, bool bBackgroundPainted);
    virtual HFONT GetDialogFont();

    void SetIcons(HICON hIconHover, HICON hIconNormal = NULL);
    void SetIconsFromResources(UINT nHoverId, UINT nNormalId = 0);
    bool SetCursorFromResource(UINT nId);

    void PreSubclassWindow() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override;
    LRESULT DefWindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override;
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

    // The popup menu's callback that paints the button under a joined menu.
    static void PaintCombinedContent(LPVOID pCookie, CDC& dc, CWnd* pMenu, const RECT& rcExclude, int nJoinedSide);

    CMenu m_menu;
    DWORD m_dwMenuAlign;
    int m_nMenuLeftAreaWidth;
    int m_nTextAlign;
    int m_nLogicalType;
    int m_nCheck;
    BYTE m_bState;
    BYTE m_bOptions;
    int m_nPressedPart;
    HCURSOR m_hCursor;
    CToolTipCtrl m_wndToolTip;
    HICON m_hIconHover;
    HICON m_hIconNormal;
    COLORREF m_clrTextDisabled;
    COLORREF m_clrTextNormal;
    COLORREF m_clrTextHover;
    COLORREF m_clrTextPressed;

protected:
    int PartUnderPoint(POINT ptClient) const;
    void Repaint();
    void PaintBuffered(HDC hDC);
    void EnsureToolTip();
    void OnMouseMoveMsg(UINT nFlags, CPoint point);
    void OnLButtonDownMsg(CPoint point);
    void OnLButtonUpMsg(CPoint point);
    void ClearPressState();
    // The themed background when the look has one for a button at rest, else colour 1000;
    // true only when the themed background was painted.
    bool PaintBackground(CDC& dc, bool bHover, bool bPushed);
    void CopyTextColors(PushButtonPaintData& data) const;
    // The face of a push-kind button with the given icon; a colour sample shows its focus
    // rectangle and border only while no menu is tracked and passes no font of its own.
    void PaintFace(CDC& dc, bool bBackgroundPainted, HICON hIconOverride, bool bColorSample);
    // The window that receives a drop-down menu's commands: the parent, or for a button in a
    // control bar the first parent that is no bar (a floating bar's frame gives its parent
    // frame); dwFlags and nCode get the alignment code of the bar's dock side.
    CWnd* FindMenuReceiver(DWORD& dwFlags, UINT& nCode) const;
    // Sends BN_CLICKED to the parent and repaints when the button outlived it.
    void NotifyParentAndRepaint();
};
