// Message-map entries. Each ON_ macro expands to one AFX_MSGMAP_ENTRY: the message, the
// notification code, the id range, the handler's signature and the handler itself. The
// handler is checked against its expected shape by a static_cast to the exact member type,
// then stored as a plain member pointer; the dispatcher casts it back by the signature.
#pragma once

enum AfxSig : UINT_PTR {
    AfxSig_end = 0,

    // Commands, notifications and command-UI (dispatched by CCmdTarget::OnCmdMsg).
    AfxSigCmd_v,          // void ()
    AfxSigCmd_b,          // BOOL ()                      ON_CONTROL_REFLECT_EX
    AfxSigCmd_RANGE,      // void (UINT nID)
    AfxSigCmd_EX,         // BOOL (UINT nID)
    AfxSigCmdUI,          // void (CCmdUI*)
    AfxSigNotify_v,       // void (NMHDR*, LRESULT*)
    AfxSigNotify_b,       // BOOL (NMHDR*, LRESULT*)      ON_NOTIFY_REFLECT_EX
    AfxSigNotify_RANGE,   // void (UINT nID, NMHDR*, LRESULT*)
    AfxSigNotify_EX,      // BOOL (UINT nID, NMHDR*, LRESULT*)

    // Window messages (dispatched by CWnd::OnWndMsg).
    AfxSig_l_w_l,         // LRESULT (WPARAM, LPARAM)     ON_MESSAGE, ON_REGISTERED_MESSAGE
    AfxSig_v_w_l,         // void (WPARAM, LPARAM)        ON_THREAD_MESSAGE
    AfxSig_v_v,           // void ()
    AfxSig_b_v,           // BOOL ()
    AfxSig_u_v,           // UINT ()
    AfxSig_l_v,           // LRESULT ()
    AfxSig_hc_v,          // HCURSOR ()
    AfxSig_i_CREATE,      // int (LPCREATESTRUCT)
    AfxSig_b_CREATE,      // BOOL (LPCREATESTRUCT)
    AfxSig_v_u_size,      // void (UINT, int, int)        sizes: unsigned words
    AfxSig_v_i_i_move,    // void (int, int)              positions: signed words
    AfxSig_v_u_pt,        // void (UINT, CPoint)
    AfxSig_b_u_s_pt,      // BOOL (UINT, short, CPoint)
    AfxSig_v_u_u_u,       // void (UINT, UINT, UINT)      keys and characters
    AfxSig_v_W,           // void (CWnd*)
    AfxSig_v_W_pt,        // void (CWnd*, CPoint)
    AfxSig_b_D,           // BOOL (CDC*)
    AfxSig_v_D,           // void (CDC*)
    AfxSig_v_up,          // void (UINT_PTR)
    AfxSig_v_u_u_SB,      // void (UINT, UINT, CScrollBar*)
    AfxSig_v_u_u,         // void (UINT, UINT)            reflected scroll
    AfxSig_b_W_u_u,       // BOOL (CWnd*, UINT, UINT)
    AfxSig_h_D_W_u,       // HBRUSH (CDC*, CWnd*, UINT)
    AfxSig_h_D_u,         // HBRUSH (CDC*, UINT)          reflected colour
    AfxSig_v_i_DRAW,      // void (int, LPDRAWITEMSTRUCT)
    AfxSig_v_i_MEASURE,   // void (int, LPMEASUREITEMSTRUCT)
    AfxSig_v_DRAW,        // void (LPDRAWITEMSTRUCT)      reflected
    AfxSig_v_MEASURE,     // void (LPMEASUREITEMSTRUCT)   reflected
    AfxSig_v_POS,         // void (WINDOWPOS*)
    AfxSig_v_b_NCCALC,    // void (BOOL, NCCALCSIZE_PARAMS*)
    AfxSig_l_pt,          // LRESULT (CPoint)
    AfxSig_v_b_dw,        // void (BOOL, DWORD)
    AfxSig_v_u_W_b,       // void (UINT, CWnd*, BOOL)
    AfxSig_b_b,           // BOOL (BOOL)
    AfxSig_i_W_u_u,       // int (CWnd*, UINT, UINT)
    AfxSig_v_u_sz,        // void (UINT, LPCTSTR)
    AfxSig_v_b_u,         // void (BOOL, UINT)
    AfxSig_v_u_l,         // void (UINT, LPARAM)
    AfxSig_v_b,           // void (BOOL)
    AfxSig_v_MINMAX,      // void (MINMAXINFO*)
    AfxSig_v_HDROP,       // void (HDROP)
    AfxSig_v_M_u_b,       // void (CMenu*, UINT, BOOL)
    AfxSig_v_M,           // void (CMenu*)
    AfxSig_v_u_u_M,       // void (UINT, UINT, HMENU)
    AfxSig_v_b_W_W,       // void (BOOL, CWnd*, CWnd*)
    AfxSig_v_u_R,         // void (UINT, LPRECT)
    AfxSig_v_i_STYLE,     // void (int, LPSTYLESTRUCT)
    AfxSig_b_HELPINFO,    // BOOL (HELPINFO*)
    AfxSig_v_u_W,         // void (UINT, CWnd*)
    AfxSig_v_u_i_i,       // void (UINT, int, int)        display change
    AfxSig_i_u_W_u,       // int (UINT, CListBox*, UINT)  WM_VKEYTOITEM / WM_CHARTOITEM
    AfxSig_v_v_reflect,   // void ()                      reflected WM_PARENTNOTIFY etc.
    AfxSig_l_u_u_M,       // LRESULT (UINT, UINT, CMenu*) WM_MENUCHAR
};

#define WM_REFLECT_BASE 0xBC00
// The old all-in-one colour message: the WM_CTLCOLORxxx messages are dispatched under it.
#ifndef WM_CTLCOLOR
#define WM_CTLCOLOR 0x0019
#endif

#define AFX_ON_WM(msg, sig, type, fn) \
    { msg, 0, 0, 0, sig, (AFX_PMSG)(AFX_PMSGW)(static_cast<type>(fn)) },

// ---- Messages with their usual handler shapes.
#define ON_WM_CREATE() AFX_ON_WM(WM_CREATE, AfxSig_i_CREATE, int (CWnd::*)(LPCREATESTRUCT), &ThisClass::OnCreate)
#define ON_WM_NCCREATE() AFX_ON_WM(WM_NCCREATE, AfxSig_b_CREATE, BOOL (CWnd::*)(LPCREATESTRUCT), &ThisClass::OnNcCreate)
#define ON_WM_DESTROY() AFX_ON_WM(WM_DESTROY, AfxSig_v_v, void (CWnd::*)(), &ThisClass::OnDestroy)
#define ON_WM_NCDESTROY() AFX_ON_WM(WM_NCDESTROY, AfxSig_v_v, void (CWnd::*)(), &ThisClass::OnNcDestroy)
#define ON_WM_CLOSE() AFX_ON_WM(WM_CLOSE, AfxSig_v_v, void (CWnd::*)(), &ThisClass::OnClose)
#define ON_WM_SIZE() AFX_ON_WM(WM_SIZE, AfxSig_v_u_size, void (CWnd::*)(UINT, int, int), &ThisClass::OnSize)
#define ON_WM_MOVE() AFX_ON_WM(WM_MOVE, AfxSig_v_i_i_move, void (CWnd::*)(int, int), &ThisClass::OnMove)
#define ON_WM_SIZING() AFX_ON_WM(WM_SIZING, AfxSig_v_u_R, void (CWnd::*)(UINT, LPRECT), &ThisClass::OnSizing)
#define ON_WM_MOVING() AFX_ON_WM(WM_MOVING, AfxSig_v_u_R, void (CWnd::*)(UINT, LPRECT), &ThisClass::OnMoving)
#define ON_WM_ENTERSIZEMOVE() AFX_ON_WM(WM_ENTERSIZEMOVE, AfxSig_v_v, void (CWnd::*)(), &ThisClass::OnEnterSizeMove)
#define ON_WM_EXITSIZEMOVE() AFX_ON_WM(WM_EXITSIZEMOVE, AfxSig_v_v, void (CWnd::*)(), &ThisClass::OnExitSizeMove)
#define ON_WM_PAINT() AFX_ON_WM(WM_PAINT, AfxSig_v_v, void (CWnd::*)(), &ThisClass::OnPaint)
#define ON_WM_NCPAINT() AFX_ON_WM(WM_NCPAINT, AfxSig_v_v, void (CWnd::*)(), &ThisClass::OnNcPaint)
#define ON_WM_ERASEBKGND() AFX_ON_WM(WM_ERASEBKGND, AfxSig_b_D, BOOL (CWnd::*)(CDC*), &ThisClass::OnEraseBkgnd)
#define ON_WM_TIMER() AFX_ON_WM(WM_TIMER, AfxSig_v_up, void (CWnd::*)(UINT_PTR), &ThisClass::OnTimer)
#define ON_WM_MOUSEMOVE() AFX_ON_WM(WM_MOUSEMOVE, AfxSig_v_u_pt, void (CWnd::*)(UINT, CPoint), &ThisClass::OnMouseMove)
#define ON_WM_LBUTTONDOWN() AFX_ON_WM(WM_LBUTTONDOWN, AfxSig_v_u_pt, void (CWnd::*)(UINT, CPoint), &ThisClass::OnLButtonDown)
#define ON_WM_LBUTTONUP() AFX_ON_WM(WM_LBUTTONUP, AfxSig_v_u_pt, void (CWnd::*)(UINT, CPoint), &ThisClass::OnLButtonUp)
#define ON_WM_LBUTTONDBLCLK() AFX_ON_WM(WM_LBUTTONDBLCLK, AfxSig_v_u_pt, void (CWnd::*)(UINT, CPoint), &ThisClass::OnLButtonDblClk)
#define ON_WM_RBUTTONDOWN() AFX_ON_WM(WM_RBUTTONDOWN, AfxSig_v_u_pt, void (CWnd::*)(UINT, CPoint), &ThisClass::OnRButtonDown)
#define ON_WM_RBUTTONUP() AFX_ON_WM(WM_RBUTTONUP, AfxSig_v_u_pt, void (CWnd::*)(UINT, CPoint), &ThisClass::OnRButtonUp)
#define ON_WM_RBUTTONDBLCLK() AFX_ON_WM(WM_RBUTTONDBLCLK, AfxSig_v_u_pt, void (CWnd::*)(UINT, CPoint), &ThisClass::OnRButtonDblClk)
#define ON_WM_MBUTTONDOWN() AFX_ON_WM(WM_MBUTTONDOWN, AfxSig_v_u_pt, void (CWnd::*)(UINT, CPoint), &ThisClass::OnMButtonDown)
#define ON_WM_MBUTTONUP() AFX_ON_WM(WM_MBUTTONUP, AfxSig_v_u_pt, void (CWnd::*)(UINT, CPoint), &ThisClass::OnMButtonUp)
#define ON_WM_MBUTTONDBLCLK() AFX_ON_WM(WM_MBUTTONDBLCLK, AfxSig_v_u_pt, void (CWnd::*)(UINT, CPoint), &ThisClass::OnMButtonDblClk)
#define ON_WM_MOUSEWHEEL() AFX_ON_WM(WM_MOUSEWHEEL, AfxSig_b_u_s_pt, BOOL (CWnd::*)(UINT, short, CPoint), &ThisClass::OnMouseWheel)
#define ON_WM_NCMOUSEMOVE() AFX_ON_WM(WM_NCMOUSEMOVE, AfxSig_v_u_pt, void (CWnd::*)(UINT, CPoint), &ThisClass::OnNcMouseMove)
#define ON_WM_NCLBUTTONDOWN() AFX_ON_WM(WM_NCLBUTTONDOWN, AfxSig_v_u_pt, void (CWnd::*)(UINT, CPoint), &ThisClass::OnNcLButtonDown)
#define ON_WM_NCLBUTTONUP() AFX_ON_WM(WM_NCLBUTTONUP, AfxSig_v_u_pt, void (CWnd::*)(UINT, CPoint), &ThisClass::OnNcLButtonUp)
#define ON_WM_NCLBUTTONDBLCLK() AFX_ON_WM(WM_NCLBUTTONDBLCLK, AfxSig_v_u_pt, void (CWnd::*)(UINT, CPoint), &ThisClass::OnNcLButtonDblClk)
#define ON_WM_NCRBUTTONDOWN() AFX_ON_WM(WM_NCRBUTTONDOWN, AfxSig_v_u_pt, void (CWnd::*)(UINT, CPoint), &ThisClass::OnNcRButtonDown)
#define ON_WM_NCRBUTTONUP() AFX_ON_WM(WM_NCRBUTTONUP, AfxSig_v_u_pt, void (CWnd::*)(UINT, CPoint), &ThisClass::OnNcRButtonUp)
#define ON_WM_NCRBUTTONDBLCLK() AFX_ON_WM(WM_NCRBUTTONDBLCLK, AfxSig_v_u_pt, void (CWnd::*)(UINT, CPoint), &ThisClass::OnNcRButtonDblClk)
#define ON_WM_NCMBUTTONDOWN() AFX_ON_WM(WM_NCMBUTTONDOWN, AfxSig_v_u_pt, void (CWnd::*)(UINT, CPoint), &ThisClass::OnNcMButtonDown)
#define ON_WM_NCMBUTTONUP() AFX_ON_WM(WM_NCMBUTTONUP, AfxSig_v_u_pt, void (CWnd::*)(UINT, CPoint), &ThisClass::OnNcMButtonUp)
#define ON_WM_NCMBUTTONDBLCLK() AFX_ON_WM(WM_NCMBUTTONDBLCLK, AfxSig_v_u_pt, void (CWnd::*)(UINT, CPoint), &ThisClass::OnNcMButtonDblClk)
#define ON_WM_KEYDOWN() AFX_ON_WM(WM_KEYDOWN, AfxSig_v_u_u_u, void (CWnd::*)(UINT, UINT, UINT), &ThisClass::OnKeyDown)
#define ON_WM_KEYUP() AFX_ON_WM(WM_KEYUP, AfxSig_v_u_u_u, void (CWnd::*)(UINT, UINT, UINT), &ThisClass::OnKeyUp)
#define ON_WM_SYSKEYDOWN() AFX_ON_WM(WM_SYSKEYDOWN, AfxSig_v_u_u_u, void (CWnd::*)(UINT, UINT, UINT), &ThisClass::OnSysKeyDown)
#define ON_WM_SYSKEYUP() AFX_ON_WM(WM_SYSKEYUP, AfxSig_v_u_u_u, void (CWnd::*)(UINT, UINT, UINT), &ThisClass::OnSysKeyUp)
#define ON_WM_CHAR() AFX_ON_WM(WM_CHAR, AfxSig_v_u_u_u, void (CWnd::*)(UINT, UINT, UINT), &ThisClass::OnChar)
#define ON_WM_SYSCHAR() AFX_ON_WM(WM_SYSCHAR, AfxSig_v_u_u_u, void (CWnd::*)(UINT, UINT, UINT), &ThisClass::OnSysChar)
#define ON_WM_DEADCHAR() AFX_ON_WM(WM_DEADCHAR, AfxSig_v_u_u_u, void (CWnd::*)(UINT, UINT, UINT), &ThisClass::OnDeadChar)
#define ON_WM_SYSDEADCHAR() AFX_ON_WM(WM_SYSDEADCHAR, AfxSig_v_u_u_u, void (CWnd::*)(UINT, UINT, UINT), &ThisClass::OnSysDeadChar)
#define ON_WM_SETFOCUS() AFX_ON_WM(WM_SETFOCUS, AfxSig_v_W, void (CWnd::*)(CWnd*), &ThisClass::OnSetFocus)
#define ON_WM_KILLFOCUS() AFX_ON_WM(WM_KILLFOCUS, AfxSig_v_W, void (CWnd::*)(CWnd*), &ThisClass::OnKillFocus)
#define ON_WM_CAPTURECHANGED() AFX_ON_WM(WM_CAPTURECHANGED, AfxSig_v_W, void (CWnd::*)(CWnd*), &ThisClass::OnCaptureChanged)
#define ON_WM_PALETTECHANGED() AFX_ON_WM(WM_PALETTECHANGED, AfxSig_v_W, void (CWnd::*)(CWnd*), &ThisClass::OnPaletteChanged)
#define ON_WM_QUERYNEWPALETTE() AFX_ON_WM(WM_QUERYNEWPALETTE, AfxSig_b_v, BOOL (CWnd::*)(), &ThisClass::OnQueryNewPalette)
#define ON_WM_CONTEXTMENU() AFX_ON_WM(WM_CONTEXTMENU, AfxSig_v_W_pt, void (CWnd::*)(CWnd*, CPoint), &ThisClass::OnContextMenu)
#define ON_WM_DROPFILES() AFX_ON_WM(WM_DROPFILES, AfxSig_v_HDROP, void (CWnd::*)(HDROP), &ThisClass::OnDropFiles)
#define ON_WM_HSCROLL() AFX_ON_WM(WM_HSCROLL, AfxSig_v_u_u_SB, void (CWnd::*)(UINT, UINT, CScrollBar*), &ThisClass::OnHScroll)
#define ON_WM_VSCROLL() AFX_ON_WM(WM_VSCROLL, AfxSig_v_u_u_SB, void (CWnd::*)(UINT, UINT, CScrollBar*), &ThisClass::OnVScroll)
#define ON_WM_GETDLGCODE() AFX_ON_WM(WM_GETDLGCODE, AfxSig_u_v, UINT (CWnd::*)(), &ThisClass::OnGetDlgCode)
#define ON_WM_SETCURSOR() AFX_ON_WM(WM_SETCURSOR, AfxSig_b_W_u_u, BOOL (CWnd::*)(CWnd*, UINT, UINT), &ThisClass::OnSetCursor)
#define ON_WM_CTLCOLOR() AFX_ON_WM(WM_CTLCOLOR, AfxSig_h_D_W_u, HBRUSH (CWnd::*)(CDC*, CWnd*, UINT), &ThisClass::OnCtlColor)
#define ON_WM_DRAWITEM() AFX_ON_WM(WM_DRAWITEM, AfxSig_v_i_DRAW, void (CWnd::*)(int, LPDRAWITEMSTRUCT), &ThisClass::OnDrawItem)
#define ON_WM_MEASUREITEM() AFX_ON_WM(WM_MEASUREITEM, AfxSig_v_i_MEASURE, void (CWnd::*)(int, LPMEASUREITEMSTRUCT), &ThisClass::OnMeasureItem)
#define ON_WM_WINDOWPOSCHANGED() AFX_ON_WM(WM_WINDOWPOSCHANGED, AfxSig_v_POS, void (CWnd::*)(WINDOWPOS*), &ThisClass::OnWindowPosChanged)
#define ON_WM_WINDOWPOSCHANGING() AFX_ON_WM(WM_WINDOWPOSCHANGING, AfxSig_v_POS, void (CWnd::*)(WINDOWPOS*), &ThisClass::OnWindowPosChanging)
#define ON_WM_NCCALCSIZE() AFX_ON_WM(WM_NCCALCSIZE, AfxSig_v_b_NCCALC, void (CWnd::*)(BOOL, NCCALCSIZE_PARAMS*), &ThisClass::OnNcCalcSize)
#define ON_WM_NCHITTEST() AFX_ON_WM(WM_NCHITTEST, AfxSig_l_pt, LRESULT (CWnd::*)(CPoint), &ThisClass::OnNcHitTest)
#define ON_WM_ACTIVATEAPP() AFX_ON_WM(WM_ACTIVATEAPP, AfxSig_v_b_dw, void (CWnd::*)(BOOL, DWORD), &ThisClass::OnActivateApp)
#define ON_WM_ACTIVATE() AFX_ON_WM(WM_ACTIVATE, AfxSig_v_u_W_b, void (CWnd::*)(UINT, CWnd*, BOOL), &ThisClass::OnActivate)
#define ON_WM_NCACTIVATE() AFX_ON_WM(WM_NCACTIVATE, AfxSig_b_b, BOOL (CWnd::*)(BOOL), &ThisClass::OnNcActivate)
#define ON_WM_MOUSEACTIVATE() AFX_ON_WM(WM_MOUSEACTIVATE, AfxSig_i_W_u_u, int (CWnd::*)(CWnd*, UINT, UINT), &ThisClass::OnMouseActivate)
#define ON_WM_SETTINGCHANGE() AFX_ON_WM(WM_SETTINGCHANGE, AfxSig_v_u_sz, void (CWnd::*)(UINT, LPCTSTR), &ThisClass::OnSettingChange)
#define ON_WM_WININICHANGE() AFX_ON_WM(WM_WININICHANGE, AfxSig_v_u_sz, void (CWnd::*)(UINT, LPCTSTR), &ThisClass::OnSettingChange)
#define ON_WM_SYSCOLORCHANGE() AFX_ON_WM(WM_SYSCOLORCHANGE, AfxSig_v_v, void (CWnd::*)(), &ThisClass::OnSysColorChange)
#define ON_WM_DISPLAYCHANGE() AFX_ON_WM(WM_DISPLAYCHANGE, AfxSig_v_u_i_i, void (CWnd::*)(UINT, int, int), &ThisClass::OnDisplayChange)
#define ON_WM_THEMECHANGED() AFX_ON_WM(WM_THEMECHANGED, AfxSig_l_v, LRESULT (CWnd::*)(), &ThisClass::OnThemeChanged)
#define ON_WM_SHOWWINDOW() AFX_ON_WM(WM_SHOWWINDOW, AfxSig_v_b_u, void (CWnd::*)(BOOL, UINT), &ThisClass::OnShowWindow)
#define ON_WM_SYSCOMMAND() AFX_ON_WM(WM_SYSCOMMAND, AfxSig_v_u_l, void (CWnd::*)(UINT, LPARAM), &ThisClass::OnSysCommand)
#define ON_WM_PARENTNOTIFY() AFX_ON_WM(WM_PARENTNOTIFY, AfxSig_v_u_l, void (CWnd::*)(UINT, LPARAM), &ThisClass::OnParentNotify)
#define ON_WM_ENABLE() AFX_ON_WM(WM_ENABLE, AfxSig_v_b, void (CWnd::*)(BOOL), &ThisClass::OnEnable)
#define ON_WM_GETMINMAXINFO() AFX_ON_WM(WM_GETMINMAXINFO, AfxSig_v_MINMAX, void (CWnd::*)(MINMAXINFO*), &ThisClass::OnGetMinMaxInfo)
#define ON_WM_QUERYDRAGICON() AFX_ON_WM(WM_QUERYDRAGICON, AfxSig_hc_v, HCURSOR (CWnd::*)(), &ThisClass::OnQueryDragIcon)
#define ON_WM_INITMENUPOPUP() AFX_ON_WM(WM_INITMENUPOPUP, AfxSig_v_M_u_b, void (CWnd::*)(CMenu*, UINT, BOOL), &ThisClass::OnInitMenuPopup)
#define ON_WM_INITMENU() AFX_ON_WM(WM_INITMENU, AfxSig_v_M, void (CWnd::*)(CMenu*), &ThisClass::OnInitMenu)
#define ON_WM_MENUSELECT() AFX_ON_WM(WM_MENUSELECT, AfxSig_v_u_u_M, void (CWnd::*)(UINT, UINT, HMENU), &ThisClass::OnMenuSelect)
#define ON_WM_ENTERIDLE() AFX_ON_WM(WM_ENTERIDLE, AfxSig_v_u_W, void (CWnd::*)(UINT, CWnd*), &ThisClass::OnEnterIdle)
#define ON_WM_MDIACTIVATE() AFX_ON_WM(WM_MDIACTIVATE, AfxSig_v_b_W_W, void (CWnd::*)(BOOL, CWnd*, CWnd*), &ThisClass::OnMDIActivate)
#define ON_WM_STYLECHANGED() AFX_ON_WM(WM_STYLECHANGED, AfxSig_v_i_STYLE, void (CWnd::*)(int, LPSTYLESTRUCT), &ThisClass::OnStyleChanged)
#define ON_WM_STYLECHANGING() AFX_ON_WM(WM_STYLECHANGING, AfxSig_v_i_STYLE, void (CWnd::*)(int, LPSTYLESTRUCT), &ThisClass::OnStyleChanging)
#define ON_WM_HELPINFO() AFX_ON_WM(WM_HELP, AfxSig_b_HELPINFO, BOOL (CWnd::*)(HELPINFO*), &ThisClass::OnHelpInfo)
#define ON_WM_MOUSELEAVE() AFX_ON_WM(WM_MOUSELEAVE, AfxSig_v_v, void (CWnd::*)(), &ThisClass::OnMouseLeave)
#define ON_WM_MOUSEHOVER() AFX_ON_WM(WM_MOUSEHOVER, AfxSig_v_u_pt, void (CWnd::*)(UINT, CPoint), &ThisClass::OnMouseHover)
#define ON_WM_MENUCHAR() AFX_ON_WM(WM_MENUCHAR, AfxSig_l_u_u_M, LRESULT (CWnd::*)(UINT, UINT, CMenu*), &ThisClass::OnMenuChar)
#define ON_WM_ENTERMENULOOP() AFX_ON_WM(WM_ENTERMENULOOP, AfxSig_v_b, void (CWnd::*)(BOOL), &ThisClass::OnEnterMenuLoop)
#define ON_WM_EXITMENULOOP() AFX_ON_WM(WM_EXITMENULOOP, AfxSig_v_b, void (CWnd::*)(BOOL), &ThisClass::OnExitMenuLoop)
#define ON_WM_CANCELMODE() AFX_ON_WM(WM_CANCELMODE, AfxSig_v_v, void (CWnd::*)(), &ThisClass::OnCancelMode)
#define ON_WM_VKEYTOITEM() AFX_ON_WM(WM_VKEYTOITEM, AfxSig_i_u_W_u, int (CWnd::*)(UINT, CListBox*, UINT), &ThisClass::OnVKeyToItem)
#define ON_WM_CHARTOITEM() AFX_ON_WM(WM_CHARTOITEM, AfxSig_i_u_W_u, int (CWnd::*)(UINT, CListBox*, UINT), &ThisClass::OnCharToItem)

// ---- Reflected messages: the parent hands them back to the control that sent them.
#define ON_WM_CTLCOLOR_REFLECT() AFX_ON_WM(WM_CTLCOLOR + WM_REFLECT_BASE, AfxSig_h_D_u, HBRUSH (CWnd::*)(CDC*, UINT), &ThisClass::CtlColor)
#define ON_WM_DRAWITEM_REFLECT() AFX_ON_WM(WM_DRAWITEM + WM_REFLECT_BASE, AfxSig_v_DRAW, void (CWnd::*)(LPDRAWITEMSTRUCT), &ThisClass::DrawItem)
#define ON_WM_MEASUREITEM_REFLECT() AFX_ON_WM(WM_MEASUREITEM + WM_REFLECT_BASE, AfxSig_v_MEASURE, void (CWnd::*)(LPMEASUREITEMSTRUCT), &ThisClass::MeasureItem)
#define ON_WM_HSCROLL_REFLECT() AFX_ON_WM(WM_HSCROLL + WM_REFLECT_BASE, AfxSig_v_u_u, void (CWnd::*)(UINT, UINT), &ThisClass::HScroll)
#define ON_WM_VSCROLL_REFLECT() AFX_ON_WM(WM_VSCROLL + WM_REFLECT_BASE, AfxSig_v_u_u, void (CWnd::*)(UINT, UINT), &ThisClass::VScroll)

// ---- General messages.
#define ON_MESSAGE(message, memberFxn) \
    { message, 0, 0, 0, AfxSig_l_w_l, \
      (AFX_PMSG)(AFX_PMSGW)(static_cast<LRESULT (CWnd::*)(WPARAM, LPARAM)>(&ThisClass::memberFxn)) },
// The entry refers to the variable that holds the registered number; it is read at dispatch.
#define ON_REGISTERED_MESSAGE(nMessageVariable, memberFxn) \
    { 0xC000, 0, 0, 0, (UINT_PTR)(UINT*)(&nMessageVariable), \
      (AFX_PMSG)(AFX_PMSGW)(static_cast<LRESULT (CWnd::*)(WPARAM, LPARAM)>(&ThisClass::memberFxn)) },
#define ON_THREAD_MESSAGE(message, memberFxn) \
    { message, 0, 0, 0, AfxSig_v_w_l, \
      (AFX_PMSG)(AFX_PMSGT)(static_cast<void (CWinThread::*)(WPARAM, LPARAM)>(&ThisClass::memberFxn)) },
#define ON_REGISTERED_THREAD_MESSAGE(nMessageVariable, memberFxn) \
    { 0xC000, 0, 0, 0, (UINT_PTR)(UINT*)(&nMessageVariable), \
      (AFX_PMSG)(AFX_PMSGT)(static_cast<void (CWinThread::*)(WPARAM, LPARAM)>(&ThisClass::memberFxn)) },

// ---- Commands and their update handlers.
#define ON_COMMAND(id, memberFxn) \
    { WM_COMMAND, CN_COMMAND, (WORD)(id), (WORD)(id), AfxSigCmd_v, \
      static_cast<AFX_PMSG>(&ThisClass::memberFxn) },
#define ON_COMMAND_EX(id, memberFxn) \
    { WM_COMMAND, CN_COMMAND, (WORD)(id), (WORD)(id), AfxSigCmd_EX, \
      (AFX_PMSG)(static_cast<BOOL (CCmdTarget::*)(UINT)>(&ThisClass::memberFxn)) },
#define ON_COMMAND_RANGE(id, idLast, memberFxn) \
    { WM_COMMAND, CN_COMMAND, (WORD)(id), (WORD)(idLast), AfxSigCmd_RANGE, \
      (AFX_PMSG)(static_cast<void (CCmdTarget::*)(UINT)>(&ThisClass::memberFxn)) },
#define ON_COMMAND_EX_RANGE(id, idLast, memberFxn) \
    { WM_COMMAND, CN_COMMAND, (WORD)(id), (WORD)(idLast), AfxSigCmd_EX, \
      (AFX_PMSG)(static_cast<BOOL (CCmdTarget::*)(UINT)>(&ThisClass::memberFxn)) },
#define ON_UPDATE_COMMAND_UI(id, memberFxn) \
    { WM_COMMAND, CN_UPDATE_COMMAND_UI, (WORD)(id), (WORD)(id), AfxSigCmdUI, \
      (AFX_PMSG)(static_cast<void (CCmdTarget::*)(CCmdUI*)>(&ThisClass::memberFxn)) },
#define ON_UPDATE_COMMAND_UI_RANGE(id, idLast, memberFxn) \
    { WM_COMMAND, CN_UPDATE_COMMAND_UI, (WORD)(id), (WORD)(idLast), AfxSigCmdUI, \
      (AFX_PMSG)(static_cast<void (CCmdTarget::*)(CCmdUI*)>(&ThisClass::memberFxn)) },

// ---- Control notifications (WM_COMMAND with a code) and WM_NOTIFY.
#define ON_CONTROL(wNotifyCode, id, memberFxn) \
    { WM_COMMAND, (WORD)(wNotifyCode), (WORD)(id), (WORD)(id), AfxSigCmd_v, \
      static_cast<AFX_PMSG>(&ThisClass::memberFxn) },
#define ON_CONTROL_RANGE(wNotifyCode, id, idLast, memberFxn) \
    { WM_COMMAND, (WORD)(wNotifyCode), (WORD)(id), (WORD)(idLast), AfxSigCmd_RANGE, \
      (AFX_PMSG)(static_cast<void (CCmdTarget::*)(UINT)>(&ThisClass::memberFxn)) },
#define ON_NOTIFY(wNotifyCode, id, memberFxn) \
    { WM_NOTIFY, (WORD)(int)(wNotifyCode), (WORD)(id), (WORD)(id), AfxSigNotify_v, \
      (AFX_PMSG)(static_cast<void (CCmdTarget::*)(NMHDR*, LRESULT*)>(&ThisClass::memberFxn)) },
#define ON_NOTIFY_RANGE(wNotifyCode, id, idLast, memberFxn) \
    { WM_NOTIFY, (WORD)(int)(wNotifyCode), (WORD)(id), (WORD)(idLast), AfxSigNotify_RANGE, \
      (AFX_PMSG)(static_cast<void (CCmdTarget::*)(UINT, NMHDR*, LRESULT*)>(&ThisClass::memberFxn)) },
#define ON_NOTIFY_EX(wNotifyCode, id, memberFxn) \
    { WM_NOTIFY, (WORD)(int)(wNotifyCode), (WORD)(id), (WORD)(id), AfxSigNotify_EX, \
      (AFX_PMSG)(static_cast<BOOL (CCmdTarget::*)(UINT, NMHDR*, LRESULT*)>(&ThisClass::memberFxn)) },
#define ON_NOTIFY_EX_RANGE(wNotifyCode, id, idLast, memberFxn) \
    { WM_NOTIFY, (WORD)(int)(wNotifyCode), (WORD)(id), (WORD)(idLast), AfxSigNotify_EX, \
      (AFX_PMSG)(static_cast<BOOL (CCmdTarget::*)(UINT, NMHDR*, LRESULT*)>(&ThisClass::memberFxn)) },

// Reflected forms: the control handles its own notification. A plain reflect handler ends
// the routing; an _EX handler returning FALSE lets the parent handle it as well.
#define ON_CONTROL_REFLECT(wNotifyCode, memberFxn) \
    { WM_COMMAND + WM_REFLECT_BASE, (WORD)(wNotifyCode), 0, 0, AfxSigCmd_v, \
      static_cast<AFX_PMSG>(&ThisClass::memberFxn) },
#define ON_CONTROL_REFLECT_EX(wNotifyCode, memberFxn) \
    { WM_COMMAND + WM_REFLECT_BASE, (WORD)(wNotifyCode), 0, 0, AfxSigCmd_b, \
      (AFX_PMSG)(static_cast<BOOL (CCmdTarget::*)()>(&ThisClass::memberFxn)) },
#define ON_NOTIFY_REFLECT(wNotifyCode, memberFxn) \
    { WM_NOTIFY + WM_REFLECT_BASE, (WORD)(int)(wNotifyCode), 0, 0, AfxSigNotify_v, \
      (AFX_PMSG)(static_cast<void (CCmdTarget::*)(NMHDR*, LRESULT*)>(&ThisClass::memberFxn)) },
#define ON_NOTIFY_REFLECT_EX(wNotifyCode, memberFxn) \
    { WM_NOTIFY + WM_REFLECT_BASE, (WORD)(int)(wNotifyCode), 0, 0, AfxSigNotify_b, \
      (AFX_PMSG)(static_cast<BOOL (CCmdTarget::*)(NMHDR*, LRESULT*)>(&ThisClass::memberFxn)) },

// Button, edit, combo box and list box notifications.
#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_BN_DOUBLECLICKED(id, memberFxn) ON_CONTROL(BN_DOUBLECLICKED, id, memberFxn)
#define ON_BN_SETFOCUS(id, memberFxn) ON_CONTROL(BN_SETFOCUS, id, memberFxn)
#define ON_BN_KILLFOCUS(id, memberFxn) ON_CONTROL(BN_KILLFOCUS, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn) ON_CONTROL(EN_CHANGE, id, memberFxn)
#define ON_EN_UPDATE(id, memberFxn) ON_CONTROL(EN_UPDATE, id, memberFxn)
#define ON_EN_SETFOCUS(id, memberFxn) ON_CONTROL(EN_SETFOCUS, id, memberFxn)
#define ON_EN_KILLFOCUS(id, memberFxn) ON_CONTROL(EN_KILLFOCUS, id, memberFxn)
#define ON_EN_MAXTEXT(id, memberFxn) ON_CONTROL(EN_MAXTEXT, id, memberFxn)
#define ON_EN_ERRSPACE(id, memberFxn) ON_CONTROL(EN_ERRSPACE, id, memberFxn)
#define ON_EN_HSCROLL(id, memberFxn) ON_CONTROL(EN_HSCROLL, id, memberFxn)
#define ON_EN_VSCROLL(id, memberFxn) ON_CONTROL(EN_VSCROLL, id, memberFxn)
#define ON_CBN_SELCHANGE(id, memberFxn) ON_CONTROL(CBN_SELCHANGE, id, memberFxn)
#define ON_CBN_DBLCLK(id, memberFxn) ON_CONTROL(CBN_DBLCLK, id, memberFxn)
#define ON_CBN_SETFOCUS(id, memberFxn) ON_CONTROL(CBN_SETFOCUS, id, memberFxn)
#define ON_CBN_KILLFOCUS(id, memberFxn) ON_CONTROL(CBN_KILLFOCUS, id, memberFxn)
#define ON_CBN_EDITCHANGE(id, memberFxn) ON_CONTROL(CBN_EDITCHANGE, id, memberFxn)
#define ON_CBN_EDITUPDATE(id, memberFxn) ON_CONTROL(CBN_EDITUPDATE, id, memberFxn)
#define ON_CBN_DROPDOWN(id, memberFxn) ON_CONTROL(CBN_DROPDOWN, id, memberFxn)
#define ON_CBN_CLOSEUP(id, memberFxn) ON_CONTROL(CBN_CLOSEUP, id, memberFxn)
#define ON_CBN_SELENDOK(id, memberFxn) ON_CONTROL(CBN_SELENDOK, id, memberFxn)
#define ON_CBN_SELENDCANCEL(id, memberFxn) ON_CONTROL(CBN_SELENDCANCEL, id, memberFxn)
#define ON_LBN_SELCHANGE(id, memberFxn) ON_CONTROL(LBN_SELCHANGE, id, memberFxn)
#define ON_LBN_DBLCLK(id, memberFxn) ON_CONTROL(LBN_DBLCLK, id, memberFxn)
#define ON_LBN_SETFOCUS(id, memberFxn) ON_CONTROL(LBN_SETFOCUS, id, memberFxn)
#define ON_LBN_KILLFOCUS(id, memberFxn) ON_CONTROL(LBN_KILLFOCUS, id, memberFxn)
#define ON_LBN_SELCANCEL(id, memberFxn) ON_CONTROL(LBN_SELCANCEL, id, memberFxn)
#define ON_STN_CLICKED(id, memberFxn) ON_CONTROL(STN_CLICKED, id, memberFxn)
#define ON_STN_DBLCLK(id, memberFxn) ON_CONTROL(STN_DBLCLK, id, memberFxn)
