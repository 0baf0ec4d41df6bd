// The standard controls: one-line wrappers over their messages. None of them adds data to
// CWnd, so the temporary CWnd of a dialog item may be used through any of these types
// ((CEdit*)GetDlgItem(id)). Owner-drawn buttons, list boxes and combo boxes receive their
// WM_DRAWITEM (and WM_MEASUREITEM, WM_COMPAREITEM, WM_DELETEITEM) back from the parent
// through the virtual DrawItem and its companions.
#pragma once
#include "afxwnd.h"

class CStatic : public CWnd {
    DECLARE_DYNAMIC(CStatic)
public:
    CStatic() {}
    virtual BOOL Create(LPCTSTR lpszText, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID = 0xFFFF)
    {
        return CWnd::Create("STATIC", lpszText, dwStyle, rect, pParentWnd, nID);
    }
    HICON SetIcon(HICON hIcon) { return (HICON)SendMessage(STM_SETICON, (WPARAM)hIcon); }
    HICON GetIcon() const { return (HICON)SendMessage(STM_GETICON); }
    HBITMAP SetBitmap(HBITMAP hBitmap) { return (HBITMAP)SendMessage(STM_SETIMAGE, IMAGE_BITMAP, (LPARAM)hBitmap); }
    HBITMAP GetBitmap() const { return (HBITMAP)SendMessage(STM_GETIMAGE, IMAGE_BITMAP); }
    HCURSOR SetCursor(HCURSOR hCursor) { return (HCURSOR)SendMessage(STM_SETIMAGE, IMAGE_CURSOR, (LPARAM)hCursor); }
    HENHMETAFILE SetEnhMetaFile(HENHMETAFILE hMetaFile) { return (HENHMETAFILE)SendMessage(STM_SETIMAGE, IMAGE_ENHMETAFILE, (LPARAM)hMetaFile); }
};

class CButton : public CWnd {
    DECLARE_DYNAMIC(CButton)
public:
    CButton() {}
    virtual BOOL Create(LPCTSTR lpszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
    {
        return CWnd::Create("BUTTON", lpszCaption, dwStyle, rect, pParentWnd, nID);
    }
    UINT GetState() const { return (UINT)SendMessage(BM_GETSTATE); }
    void SetState(BOOL bHighlight) { SendMessage(BM_SETSTATE, (WPARAM)bHighlight); }
    int GetCheck() const { return (int)SendMessage(BM_GETCHECK); }
    void SetCheck(int nCheck) { SendMessage(BM_SETCHECK, (WPARAM)nCheck); }
    UINT GetButtonStyle() const { return (UINT)GetStyle() & 0xFFFF; }
    void SetButtonStyle(UINT nStyle, BOOL bRedraw = TRUE) { SendMessage(BM_SETSTYLE, nStyle, (LPARAM)bRedraw); }
    HICON SetIcon(HICON hIcon) { return (HICON)SendMessage(BM_SETIMAGE, IMAGE_ICON, (LPARAM)hIcon); }
    HICON GetIcon() const { return (HICON)SendMessage(BM_GETIMAGE, IMAGE_ICON); }
    HBITMAP SetBitmap(HBITMAP hBitmap) { return (HBITMAP)SendMessage(BM_SETIMAGE, IMAGE_BITMAP, (LPARAM)hBitmap); }
    HBITMAP GetBitmap() const { return (HBITMAP)SendMessage(BM_GETIMAGE, IMAGE_BITMAP); }

    // Owner draw (BS_OWNERDRAW): called with the parent's WM_DRAWITEM.
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
};

class CEdit : public CWnd {
    DECLARE_DYNAMIC(CEdit)
public:
    CEdit() {}
    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
    {
        return CWnd::Create("EDIT", NULL, dwStyle, rect, pParentWnd, nID);
    }
    BOOL CanUndo() const { return (BOOL)SendMessage(EM_CANUNDO); }
    int GetLineCount() const { return (int)SendMessage(EM_GETLINECOUNT); }
    BOOL GetModify() const { return (BOOL)SendMessage(EM_GETMODIFY); }
    void SetModify(BOOL bModified = TRUE) { SendMessage(EM_SETMODIFY, (WPARAM)bModified); }
    void GetRect(LPRECT lpRect) const { SendMessage(EM_GETRECT, 0, (LPARAM)lpRect); }
    DWORD GetSel() const { return (DWORD)SendMessage(EM_GETSEL); }
    void GetSel(int& nStartChar, int& nEndChar) const
    {
        DWORD dwStart = 0, dwEnd = 0;
        SendMessage(EM_GETSEL, (WPARAM)&dwStart, (LPARAM)&dwEnd);
        nStartChar = (int)dwStart;
        nEndChar = (int)dwEnd;
    }
    HLOCAL GetHandle() const { return (HLOCAL)SendMessage(EM_GETHANDLE); }
    void SetHandle(HLOCAL hBuffer) { SendMessage(EM_SETHANDLE, (WPARAM)hBuffer); }
    void SetMargins(UINT nLeft, UINT nRight) { SendMessage(EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELONG(nLeft, nRight)); }
    DWORD GetMargins() const { return (DWORD)SendMessage(EM_GETMARGINS); }
    void SetLimitText(UINT nMax) { SendMessage(EM_SETLIMITTEXT, nMax); }
    UINT GetLimitText() const { return (UINT)SendMessage(EM_GETLIMITTEXT); }
    CPoint PosFromChar(UINT nChar) const { return CPoint((LPARAM)(DWORD)SendMessage(EM_POSFROMCHAR, nChar)); }
    int CharFromPos(CPoint pt) const { return (int)SendMessage(EM_CHARFROMPOS, 0, MAKELPARAM(pt.x, pt.y)); }
    int GetLine(int nIndex, LPTSTR lpszBuffer) const { return (int)SendMessage(EM_GETLINE, (WPARAM)nIndex, (LPARAM)lpszBuffer); }
    int GetLine(int nIndex, LPTSTR lpszBuffer, int nMaxLength) const
    {
        if (nMaxLength < (int)sizeof(WORD))
            return 0;
        *(LPWORD)lpszBuffer = (WORD)nMaxLength;
        return (int)SendMessage(EM_GETLINE, (WPARAM)nIndex, (LPARAM)lpszBuffer);
    }
    void EmptyUndoBuffer() { SendMessage(EM_EMPTYUNDOBUFFER); }
    BOOL FmtLines(BOOL bAddEOL) { return (BOOL)SendMessage(EM_FMTLINES, (WPARAM)bAddEOL); }
    void LimitText(int nChars = 0) { SendMessage(EM_LIMITTEXT, (WPARAM)nChars); }
    int LineFromChar(int nIndex = -1) const { return (int)SendMessage(EM_LINEFROMCHAR, (WPARAM)nIndex); }
    int LineIndex(int nLine = -1) const { return (int)SendMessage(EM_LINEINDEX, (WPARAM)nLine); }
    int LineLength(int nLine = -1) const { return (int)SendMessage(EM_LINELENGTH, (WPARAM)nLine); }
    void LineScroll(int nLines, int nChars = 0) { SendMessage(EM_LINESCROLL, (WPARAM)nChars, (LPARAM)nLines); }
    void ReplaceSel(LPCTSTR lpszNewText, BOOL bCanUndo = FALSE) { SendMessage(EM_REPLACESEL, (WPARAM)bCanUndo, (LPARAM)lpszNewText); }
    void SetPasswordChar(TCHAR ch) { SendMessage(EM_SETPASSWORDCHAR, (WPARAM)(BYTE)ch); }
    void SetRect(LPCRECT lpRect) { SendMessage(EM_SETRECT, 0, (LPARAM)lpRect); }
    void SetRectNP(LPCRECT lpRect) { SendMessage(EM_SETRECTNP, 0, (LPARAM)lpRect); }
    void SetSel(DWORD dwSelection, BOOL bNoScroll = FALSE)
    {
        SendMessage(EM_SETSEL, LOWORD(dwSelection), HIWORD(dwSelection));
        if (!bNoScroll)
            SendMessage(EM_SCROLLCARET);
    }
    void SetSel(int nStartChar, int nEndChar, BOOL bNoScroll = FALSE)
    {
        SendMessage(EM_SETSEL, (WPARAM)nStartChar, (LPARAM)nEndChar);
        if (!bNoScroll)
            SendMessage(EM_SCROLLCARET);
    }
    BOOL SetTabStops(int nTabStops, LPINT rgTabStops) { return (BOOL)SendMessage(EM_SETTABSTOPS, (WPARAM)nTabStops, (LPARAM)rgTabStops); }
    void SetTabStops() { SendMessage(EM_SETTABSTOPS); }
    BOOL SetTabStops(const int& cxEachStop) { return (BOOL)SendMessage(EM_SETTABSTOPS, 1, (LPARAM)&cxEachStop); }
    BOOL Undo() { return (BOOL)SendMessage(EM_UNDO); }
    void Clear() { SendMessage(WM_CLEAR); }
    void Copy() { SendMessage(WM_COPY); }
    void Cut() { SendMessage(WM_CUT); }
    void Paste() { SendMessage(WM_PASTE); }
    BOOL SetReadOnly(BOOL bReadOnly = TRUE) { return (BOOL)SendMessage(EM_SETREADONLY, (WPARAM)bReadOnly); }
    int GetFirstVisibleLine() const { return (int)SendMessage(EM_GETFIRSTVISIBLELINE); }
    TCHAR GetPasswordChar() const { return (TCHAR)SendMessage(EM_GETPASSWORDCHAR); }
};

class CScrollBar : public CWnd {
    DECLARE_DYNAMIC(CScrollBar)
public:
    CScrollBar() {}
    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
    {
        return CWnd::Create("SCROLLBAR", NULL, dwStyle, rect, pParentWnd, nID);
    }
    int GetScrollPos() const { return ::GetScrollPos(m_hWnd, SB_CTL); }
    int SetScrollPos(int nPos, BOOL bRedraw = TRUE) { return ::SetScrollPos(m_hWnd, SB_CTL, nPos, bRedraw); }
    void GetScrollRange(LPINT lpMinPos, LPINT lpMaxPos) const { ::GetScrollRange(m_hWnd, SB_CTL, lpMinPos, lpMaxPos); }
    void SetScrollRange(int nMinPos, int nMaxPos, BOOL bRedraw = TRUE) { ::SetScrollRange(m_hWnd, SB_CTL, nMinPos, nMaxPos, bRedraw); }
    void ShowScrollBar(BOOL bShow = TRUE) { ::ShowScrollBar(m_hWnd, SB_CTL, bShow); }
    BOOL EnableScrollBar(UINT nArrowFlags = ESB_ENABLE_BOTH) { return ::EnableScrollBar(m_hWnd, SB_CTL, nArrowFlags); }
    BOOL SetScrollInfo(LPSCROLLINFO lpScrollInfo, BOOL bRedraw = TRUE)
    {
        lpScrollInfo->cbSize = sizeof(SCROLLINFO);
        ::SetScrollInfo(m_hWnd, SB_CTL, lpScrollInfo, bRedraw);
        return TRUE;
    }
    BOOL GetScrollInfo(LPSCROLLINFO lpScrollInfo, UINT nMask = SIF_ALL)
    {
        lpScrollInfo->cbSize = sizeof(SCROLLINFO);
        lpScrollInfo->fMask = nMask;
        return ::GetScrollInfo(m_hWnd, SB_CTL, lpScrollInfo);
    }
    int GetScrollLimit()
    {
        SCROLLINFO info;
        if (!GetScrollInfo(&info, SIF_RANGE | SIF_PAGE))
            return 0;
        return info.nPage > 1 ? info.nMax - ((int)info.nPage - 1) : info.nMax;
    }
};

class CListBox : public CWnd {
    DECLARE_DYNAMIC(CListBox)
public:
    CListBox() {}
    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
    {
        return CWnd::Create("LISTBOX", NULL, dwStyle, rect, pParentWnd, nID);
    }
    int GetCount() const { return (int)SendMessage(LB_GETCOUNT); }
    int GetHorizontalExtent() const { return (int)SendMessage(LB_GETHORIZONTALEXTENT); }
    void SetHorizontalExtent(int cxExtent) { SendMessage(LB_SETHORIZONTALEXTENT, (WPARAM)cxExtent); }
    int GetTopIndex() const { return (int)SendMessage(LB_GETTOPINDEX); }
    int SetTopIndex(int nIndex) { return (int)SendMessage(LB_SETTOPINDEX, (WPARAM)nIndex); }
    int GetCurSel() const { return (int)SendMessage(LB_GETCURSEL); }
    int SetCurSel(int nSelect) { return (int)SendMessage(LB_SETCURSEL, (WPARAM)nSelect); }
    int GetSel(int nIndex) const { return (int)SendMessage(LB_GETSEL, (WPARAM)nIndex); }
    int SetSel(int nIndex, BOOL bSelect = TRUE) { return (int)SendMessage(LB_SETSEL, (WPARAM)bSelect, (LPARAM)nIndex); }
    int GetSelCount() const { return (int)SendMessage(LB_GETSELCOUNT); }
    int GetSelItems(int nMaxItems, LPINT rgIndex) const { return (int)SendMessage(LB_GETSELITEMS, (WPARAM)nMaxItems, (LPARAM)rgIndex); }
    int GetCaretIndex() const { return (int)SendMessage(LB_GETCARETINDEX); }
    int SetCaretIndex(int nIndex, BOOL bScroll = TRUE) { return (int)SendMessage(LB_SETCARETINDEX, (WPARAM)nIndex, MAKELONG(bScroll, 0)); }
    DWORD_PTR GetItemData(int nIndex) const { return (DWORD_PTR)SendMessage(LB_GETITEMDATA, (WPARAM)nIndex); }
    void* GetItemDataPtr(int nIndex) const { return (void*)GetItemData(nIndex); }
    int SetItemData(int nIndex, DWORD_PTR dwItemData) { return (int)SendMessage(LB_SETITEMDATA, (WPARAM)nIndex, (LPARAM)dwItemData); }
    int SetItemDataPtr(int nIndex, void* pData) { return SetItemData(nIndex, (DWORD_PTR)pData); }
    int GetItemRect(int nIndex, LPRECT lpRect) const { return (int)SendMessage(LB_GETITEMRECT, (WPARAM)nIndex, (LPARAM)lpRect); }
    int GetText(int nIndex, LPTSTR lpszBuffer) const { return (int)SendMessage(LB_GETTEXT, (WPARAM)nIndex, (LPARAM)lpszBuffer); }
    void GetText(int nIndex, CString& rString) const;
    int GetTextLen(int nIndex) const { return (int)SendMessage(LB_GETTEXTLEN, (WPARAM)nIndex); }
    void SetColumnWidth(int cxWidth) { SendMessage(LB_SETCOLUMNWIDTH, (WPARAM)cxWidth); }
    BOOL SetTabStops(int nTabStops, LPINT rgTabStops) { return (BOOL)SendMessage(LB_SETTABSTOPS, (WPARAM)nTabStops, (LPARAM)rgTabStops); }
    int SetItemHeight(int nIndex, UINT cyItemHeight) { return (int)SendMessage(LB_SETITEMHEIGHT, (WPARAM)nIndex, MAKELONG(cyItemHeight, 0)); }
    int GetItemHeight(int nIndex) const { return (int)SendMessage(LB_GETITEMHEIGHT, (WPARAM)nIndex); }
    int FindStringExact(int nIndexStart, LPCTSTR lpszFind) const { return (int)SendMessage(LB_FINDSTRINGEXACT, (WPARAM)nIndexStart, (LPARAM)lpszFind); }
    int FindString(int nStartAfter, LPCTSTR lpszItem) const { return (int)SendMessage(LB_FINDSTRING, (WPARAM)nStartAfter, (LPARAM)lpszItem); }
    int SelectString(int nStartAfter, LPCTSTR lpszItem) { return (int)SendMessage(LB_SELECTSTRING, (WPARAM)nStartAfter, (LPARAM)lpszItem); }
    UINT ItemFromPoint(CPoint pt, BOOL& bOutside) const
    {
        DWORD dw = (DWORD)SendMessage(LB_ITEMFROMPOINT, 0, MAKELPARAM(pt.x, pt.y));
        bOutside = (BOOL)HIWORD(dw);
        return (UINT)LOWORD(dw);
    }
    int AddString(LPCTSTR lpszItem) { return (int)SendMessage(LB_ADDSTRING, 0, (LPARAM)lpszItem); }
    int DeleteString(UINT nIndex) { return (int)SendMessage(LB_DELETESTRING, nIndex); }
    int InsertString(int nIndex, LPCTSTR lpszItem) { return (int)SendMessage(LB_INSERTSTRING, (WPARAM)nIndex, (LPARAM)lpszItem); }
    void ResetContent() { SendMessage(LB_RESETCONTENT); }
    int Dir(UINT attr, LPCTSTR lpszWildCard) { return (int)SendMessage(LB_DIR, attr, (LPARAM)lpszWildCard); }

    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
    virtual void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct);
    virtual int CompareItem(LPCOMPAREITEMSTRUCT lpCompareItemStruct);
    virtual void DeleteItem(LPDELETEITEMSTRUCT lpDeleteItemStruct);
    virtual int VKeyToItem(UINT nKey, UINT nIndex);
    virtual int CharToItem(UINT nKey, UINT nIndex);
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
};

class CComboBox : public CWnd {
    DECLARE_DYNAMIC(CComboBox)
public:
    CComboBox() {}
    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
    {
        return CWnd::Create("COMBOBOX", NULL, dwStyle, rect, pParentWnd, nID);
    }
    int GetCount() const { return (int)SendMessage(CB_GETCOUNT); }
    int GetCurSel() const { return (int)SendMessage(CB_GETCURSEL); }
    int SetCurSel(int nSelect) { return (int)SendMessage(CB_SETCURSEL, (WPARAM)nSelect); }
    DWORD GetEditSel() const { return (DWORD)SendMessage(CB_GETEDITSEL); }
    BOOL LimitText(int nMaxChars) { return (BOOL)SendMessage(CB_LIMITTEXT, (WPARAM)nMaxChars); }
    BOOL SetEditSel(int nStartChar, int nEndChar) { return (BOOL)SendMessage(CB_SETEDITSEL, 0, MAKELONG(nStartChar, nEndChar)); }
    DWORD_PTR GetItemData(int nIndex) const { return (DWORD_PTR)SendMessage(CB_GETITEMDATA, (WPARAM)nIndex); }
    int SetItemData(int nIndex, DWORD_PTR dwItemData) { return (int)SendMessage(CB_SETITEMDATA, (WPARAM)nIndex, (LPARAM)dwItemData); }
    void* GetItemDataPtr(int nIndex) const { return (void*)GetItemData(nIndex); }
    int SetItemDataPtr(int nIndex, void* pData) { return SetItemData(nIndex, (DWORD_PTR)pData); }
    int GetLBText(int nIndex, LPTSTR lpszText) const { return (int)SendMessage(CB_GETLBTEXT, (WPARAM)nIndex, (LPARAM)lpszText); }
    void GetLBText(int nIndex, CString& rString) const;
    int GetLBTextLen(int nIndex) const { return (int)SendMessage(CB_GETLBTEXTLEN, (WPARAM)nIndex); }
    int SetItemHeight(int nIndex, UINT cyItemHeight) { return (int)SendMessage(CB_SETITEMHEIGHT, (WPARAM)nIndex, MAKELONG(cyItemHeight, 0)); }
    int GetItemHeight(int nIndex) const { return (int)SendMessage(CB_GETITEMHEIGHT, (WPARAM)nIndex); }
    int FindStringExact(int nIndexStart, LPCTSTR lpszFind) const { return (int)SendMessage(CB_FINDSTRINGEXACT, (WPARAM)nIndexStart, (LPARAM)lpszFind); }
    int SetExtendedUI(BOOL bExtended = TRUE) { return (int)SendMessage(CB_SETEXTENDEDUI, (WPARAM)bExtended); }
    BOOL GetExtendedUI() const { return (BOOL)SendMessage(CB_GETEXTENDEDUI); }
    void GetDroppedControlRect(LPRECT lprect) const { SendMessage(CB_GETDROPPEDCONTROLRECT, 0, (LPARAM)lprect); }
    BOOL GetDroppedState() const { return (BOOL)SendMessage(CB_GETDROPPEDSTATE); }
    int GetDroppedWidth() const { return (int)SendMessage(CB_GETDROPPEDWIDTH); }
    int SetDroppedWidth(UINT nWidth) { return (int)SendMessage(CB_SETDROPPEDWIDTH, nWidth); }
    int GetTopIndex() const { return (int)SendMessage(CB_GETTOPINDEX); }
    int SetTopIndex(int nIndex) { return (int)SendMessage(CB_SETTOPINDEX, (WPARAM)nIndex); }
    void ShowDropDown(BOOL bShowIt = TRUE) { SendMessage(CB_SHOWDROPDOWN, (WPARAM)bShowIt); }
    int AddString(LPCTSTR lpszString) { return (int)SendMessage(CB_ADDSTRING, 0, (LPARAM)lpszString); }
    int DeleteString(UINT nIndex) { return (int)SendMessage(CB_DELETESTRING, nIndex); }
    int InsertString(int nIndex, LPCTSTR lpszString) { return (int)SendMessage(CB_INSERTSTRING, (WPARAM)nIndex, (LPARAM)lpszString); }
    void ResetContent() { SendMessage(CB_RESETCONTENT); }
    int Dir(UINT attr, LPCTSTR lpszWildCard) { return (int)SendMessage(CB_DIR, attr, (LPARAM)lpszWildCard); }
    int FindString(int nStartAfter, LPCTSTR lpszString) const { return (int)SendMessage(CB_FINDSTRING, (WPARAM)nStartAfter, (LPARAM)lpszString); }
    int SelectString(int nStartAfter, LPCTSTR lpszString) { return (int)SendMessage(CB_SELECTSTRING, (WPARAM)nStartAfter, (LPARAM)lpszString); }
    void Clear() { SendMessage(WM_CLEAR); }
    void Copy() { SendMessage(WM_COPY); }
    void Cut() { SendMessage(WM_CUT); }
    void Paste() { SendMessage(WM_PASTE); }

    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
    virtual void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct);
    virtual int CompareItem(LPCOMPAREITEMSTRUCT lpCompareItemStruct);
    virtual void DeleteItem(LPDELETEITEMSTRUCT lpDeleteItemStruct);
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
};
