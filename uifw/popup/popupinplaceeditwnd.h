// The edit field of a menu item. It lives inside the menu window while the menu is shown,
// judges every keystroke through the caller's validation callback (undoing what is refused),
// stores its text on Enter and hands the focus back to the menu on Esc. It never destroys the
// menu: it posts WM_CANCELMODE, which ends the tracking. It deletes itself after its window.
#pragma once
#include "afxwin.h"
#include "afxctrls.h"
#include "popupmenuwnd.h"

class CUiPopupMenuWnd::CInPlaceEditWnd : public CEdit {
public:
    typedef bool (*ValidateProc)(CInPlaceEditWnd* pEdit, DWORD_PTR dwCookie, LPCSTR lpszOld, LPCSTR lpszNew);
    typedef void (*CommitProc)(CInPlaceEditWnd* pEdit, DWORD_PTR dwCookie, LPCSTR lpszText);
    typedef bool (*HookProc)(LRESULT* pResult, UINT message, WPARAM wParam, LPARAM lParam, CInPlaceEditWnd* pEdit,
                             DWORD_PTR dwCookie);
    enum { kCommitting = 0x01 };

    CInPlaceEditWnd(CString* pValue, DWORD_PTR dwValidate, DWORD_PTR dwCommit, DWORD_PTR dwHook, DWORD_PTR dwCookie);
    ~CInPlaceEditWnd() override;

    virtual BOOL Create(CUiPopupMenuWnd* pMenu, const RECT& rect, UINT nID);

    static const UINT g_nMsgDeleteSelection;
    static const UINT g_nMsgSelectAll;

    ValidateProc m_pfnValidate;
    CommitProc m_pfnCommit;
    HookProc m_pfnHook;
    DWORD_PTR m_dwCookie;
    CString* m_pValue;
    CString m_strInitial;
    BYTE m_bFlags;
    // The menu the edit was created in.
    CUiPopupMenuWnd* m_pMenu;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void PostNcDestroy() override;

private:
    using CEdit::Create;
    void PostCancelMode();
    CString Text() const;
    LRESULT OnKeyDown(WPARAM wParam, LPARAM lParam);
    LRESULT GuardedEdit(UINT message, WPARAM wParam, LPARAM lParam);
    void DeleteSelection();
    void PaintFrame();
};
