// CFolderTree: a tree of the machine's drives, folders and (optionally) files with the shell's
// small icons, filled lazily: a folder with content carries one empty placeholder child until
// it is opened, and opening it lists the folder afresh. An item's path is the texts from its
// root item down, joined with "\"; a file's item carries kFileItem as its data. In a dialog,
// Enter stays with the tree, which tells its parent (NM_RETURN).
#pragma once

#include "afxcmn.h"
#include "afxcoll.h"

class CFolderTree : public CTreeCtrl {
public:
    // The item data of a file's item; drives, folders and placeholders carry 0.
    static const DWORD_PTR kFileItem = 1;

    CFolderTree();
    ~CFolderTree() override;

    // Empties the tree and shows the drives (no root) or one root folder with its content.
    BOOL DisplayTree(LPCSTR lpszRoot, BOOL bShowFiles);
    BOOL AttachSystemImageList();
    BOOL DisplayDrives();
    void DisplayPath(HTREEITEM hParent, LPCSTR lpszPath);
    HTREEITEM AddItem(HTREEITEM hParent, LPCSTR lpszPath, HTREEITEM hInsertAfter = TVI_LAST, BOOL bFile = FALSE);
    BOOL HasSubItems(LPCSTR lpszPath) const;
    CString GetItemPath(HTREEITEM hItem) const;
    // Opens the tree along a folder's path and selects its item, listing again every folder on
    // the way that was open (its other sub-folders shown closed); FALSE when the path is not
    // valid or an item on the way is missing.
    BOOL SetSelPath(LPCSTR lpszPath);
    // The path lies on one of the tree's drives and names an existing folder.
    BOOL IsValidPath(LPCSTR lpszPath) const;
    HTREEITEM FindChildItem(HTREEITEM hParent, const CString& upperText) const;
    static CString GetSubPath(LPCSTR lpszPath);

    const CString& GetLastError() const { return m_strError; }

protected:
    afx_msg void OnItemExpanded(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg UINT OnGetDlgCode();
    DECLARE_MESSAGE_MAP()

    void InsertPlaceholder(HTREEITEM hItem);
    HTREEITEM AddFolderItem(HTREEITEM hParent, const CString& path, HTREEITEM hInsertAfter);
    // The folder's sub-folders (not "." or "..") and, when files are shown, its files, each
    // sorted.
    void ListFolder(const CString& folder, CStringArray& folders, CStringArray& files) const;
    void RefreshFolder(HTREEITEM hItem, const CString& upperNext);
    void ShowClosed(HTREEITEM hItem, const CString& path);
    void ExpandItem(HTREEITEM hItem, UINT nCode);
    bool IsDescendant(HTREEITEM hAncestor, HTREEITEM hItem) const;

    CString m_strError;
    BOOL m_bShowFiles;
    CImageList m_imageList;
    CString m_strRoot;
};

// Ascending by the case-insensitive multibyte comparison; names that compare equal keep their
// order.
void SortStringArray(CStringArray& strings);
