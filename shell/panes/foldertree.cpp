#include "foldertree.h"

#include <mbstring.h>
#include <shellapi.h>

#include <algorithm>
#include <vector>

namespace {

bool EndsWithBackslash(const CString& path)
{
    // A trail byte of 0x5C is no separator: look at the last character, not the last byte.
    const int n = path.GetLength();
    if (n == 0)
        return false;
    const unsigned char* p = reinterpret_cast<const unsigned char*>(static_cast<LPCSTR>(path));
    return _mbsdec(p, p + n) == p + n - 1 && p[n - 1] == '\\';
}

CString WithBackslash(const CString& path)
{
    return EndsWithBackslash(path) ? path : path + "\\";
}

CString WithoutBackslash(CString path)
{
    while (EndsWithBackslash(path))
        path = path.Left(path.GetLength() - 1);
    return path;
}

bool IsDotEntry(const WIN32_FIND_DATAA& data)
{
    return strcmp(data.cFileName, ".") == 0 || strcmp(data.cFileName, "..") == 0;
}

class CWaitCursorScope {
public:
    CWaitCursorScope() : m_hOld(::SetCursor(::LoadCursor(NULL, IDC_WAIT))) {}
    ~CWaitCursorScope() { ::SetCursor(m_hOld); }

private:
    HCURSOR m_hOld;
};

} // namespace

BEGIN_MESSAGE_MAP(CFolderTree, CTreeCtrl)
    ON_NOTIFY_REFLECT(TVN_ITEMEXPANDED, OnItemExpanded)
    ON_WM_GETDLGCODE()
END_MESSAGE_MAP()

CFolderTree::CFolderTree() : m_bShowFiles(FALSE)
{
}

CFolderTree::~CFolderTree()
{
    // The system's image list is shared by the whole process; it is never ours to destroy.
    m_imageList.Detach();
}

void SortStringArray(CStringArray& strings)
{
    // Stable, so names that compare equal keep the order in which the folder listed them.
    std::vector<CString> sorted;
    sorted.reserve(static_cast<size_t>(strings.GetSize()));
    for (INT_PTR i = 0; i < strings.GetSize(); ++i)
        sorted.push_back(strings[i]);
    std::stable_sort(sorted.begin(), sorted.end(), [](const CString& a, const CString& b) {
        return _mbsicmp(reinterpret_cast<const unsigned char*>(static_cast<LPCSTR>(a)),
                        reinterpret_cast<const unsigned char*>(static_cast<LPCSTR>(b))) < 0;
    });
    for (size_t i = 0; i < sorted.size(); ++i)
        strings[static_cast<INT_PTR>(i)] = sorted[i];
}

BOOL CFolderTree::DisplayTree(LPCSTR lpszRoot, BOOL bShowFiles)
{
    if (GetStyle() & TVS_EDITLABELS)
        ModifyStyle(TVS_EDITLABELS, 0);
    DeleteAllItems();
    if (!AttachSystemImageList())
        return FALSE;
    m_bShowFiles = bShowFiles;
    if (lpszRoot == NULL || *lpszRoot == '\0') {
        if (!DisplayDrives())
            return FALSE;
        m_strRoot.Empty();
        return TRUE;
    }
    m_strRoot = WithBackslash(lpszRoot);
    HTREEITEM hRoot = AddItem(TVI_ROOT, m_strRoot);
    DisplayPath(hRoot, m_strRoot);
    return TRUE;
}

BOOL CFolderTree::AttachSystemImageList()
{
    if (m_imageList.m_hImageList != NULL)
        m_imageList.Detach();
    SHFILEINFOA info = {};
    HIMAGELIST hList = reinterpret_cast<HIMAGELIST>(
        ::SHGetFileInfoA("C:\\", 0, &info, sizeof(info), SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
    if (hList == NULL) {
        m_strError = "Cannot retrieve the Handle of SystemImageList!";
        return FALSE;
    }
    m_imageList.Attach(hList);
    SetImageList(&m_imageList, TVSIL_NORMAL);
    return TRUE;
}

BOOL CFolderTree::DisplayDrives()
{
    DeleteAllItems();
    char buffer[128] = "";
    const DWORD n = ::GetLogicalDriveStringsA(sizeof(buffer), buffer);
    if (n == 0 || n > sizeof(buffer)) {
        m_strError = "Error Getting Logical DriveStrings!";
        return FALSE;
    }
    for (const char* p = buffer; *p != '\0'; p += strlen(p) + 1)
        AddFolderItem(TVI_ROOT, p, TVI_LAST);
    return TRUE;
}

void CFolderTree::InsertPlaceholder(HTREEITEM hItem)
{
    InsertItem("", hItem);
}

void CFolderTree::ListFolder(const CString& folder, CStringArray& folders, CStringArray& files) const
{
    const CString pattern = WithBackslash(folder) + "*.*";
    WIN32_FIND_DATAA data;
    HANDLE hFind = ::FindFirstFileA(pattern, &data);
    if (hFind != INVALID_HANDLE_VALUE) {
        do {
            const CString path = WithBackslash(folder) + data.cFileName;
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                if (!IsDotEntry(data))
                    folders.Add(path);
            } else if (m_bShowFiles) {
                files.Add(path);
            }
        } while (::FindNextFileA(hFind, &data));
        ::FindClose(hFind);
    }
    SortStringArray(folders);
    SortStringArray(files);
}

void CFolderTree::DisplayPath(HTREEITEM hParent, LPCSTR lpszPath)
{
    CStringArray folders, files;
    ListFolder(lpszPath, folders, files);
    SetRedraw(FALSE);
    {
        CWaitCursorScope wait;
        for (INT_PTR i = 0; i < folders.GetSize(); ++i)
            AddFolderItem(hParent, folders[i], TVI_LAST);
        for (INT_PTR i = 0; i < files.GetSize(); ++i)
            AddItem(hParent, files[i], TVI_LAST, TRUE);
    }
    SetRedraw(TRUE);
}

// Lists an open folder again into the items it shows. Asking the shell for an item's icons is
// what a listing costs most (milliseconds an item under Wine, where the shell looks into every
// path it is asked about), so only what is new asks: the items of what is still there
// keep their place and icons, those of what has gone go, and what is new is added in its
// place. Every sub-folder but upperNext, the next on the way down, is shown closed again, with
// a placeholder when it has content now, as a fresh listing would show it.
void CFolderTree::RefreshFolder(HTREEITEM hItem, const CString& upperNext)
{
    CStringArray folders, files;
    ListFolder(GetItemPath(hItem), folders, files);
    std::vector<HTREEITEM> shown;
    for (HTREEITEM h = GetChildItem(hItem); h != NULL; h = GetNextSiblingItem(h))
        shown.push_back(h);
    // shown[nNext] is the first item neither kept nor dropped yet; both lists are in the same
    // order, so an item passed over has gone from the folder.
    size_t nNext = 0;
    auto dropUpTo = [&](size_t nEnd) {
        for (; nNext < nEnd; ++nNext) {
            const HTREEITEM hSel = GetSelectedItem();
            if (hSel == shown[nNext] || IsDescendant(shown[nNext], hSel))
                SelectItem(hItem);
            DeleteItem(shown[nNext]);
        }
    };
    HTREEITEM hAfter = TVI_FIRST;
    for (const BOOL bFile : {FALSE, TRUE}) {
        const CStringArray& paths = bFile ? files : folders;
        for (INT_PTR i = 0; i < paths.GetSize(); ++i) {
            const CString name = GetSubPath(paths[i]);
            size_t nFound = nNext;
            while (nFound < shown.size() &&
                   (GetItemText(shown[nFound]) != name || (GetItemData(shown[nFound]) == kFileItem) != (bFile != FALSE)))
                ++nFound;
            HTREEITEM hChild = NULL;
            if (nFound < shown.size()) {
                dropUpTo(nFound);
                hChild = shown[nNext++];
                CString upper = name;
                if (!bFile && upper.MakeUpper() != upperNext)
                    ShowClosed(hChild, paths[i]);
            } else {
                hChild = bFile ? AddItem(hItem, paths[i], hAfter, TRUE) : AddFolderItem(hItem, paths[i], hAfter);
            }
            if (hChild != NULL)
                hAfter = hChild;
        }
    }
    dropUpTo(shown.size());
}

void CFolderTree::ShowClosed(HTREEITEM hItem, const CString& path)
{
    if (GetItemState(hItem, TVIS_EXPANDEDONCE) & TVIS_EXPANDEDONCE) {
        // The selection must not sit on an item the reset deletes: the tree control would go
        // on using it.
        if (IsDescendant(hItem, GetSelectedItem()))
            SelectItem(hItem);
        ExpandItem(hItem, TVE_COLLAPSE | TVE_COLLAPSERESET);
    }
    const BOOL bContent = HasSubItems(path);
    if (bContent && GetChildItem(hItem) == NULL)
        InsertPlaceholder(hItem);
    else if (!bContent)
        while (HTREEITEM hChild = GetChildItem(hItem))
            DeleteItem(hChild);
}

HTREEITEM CFolderTree::AddFolderItem(HTREEITEM hParent, const CString& path, HTREEITEM hInsertAfter)
{
    HTREEITEM hItem = AddItem(hParent, path, hInsertAfter);
    if (hItem != NULL && HasSubItems(path))
        InsertPlaceholder(hItem);
    return hItem;
}

CString CFolderTree::GetSubPath(LPCSTR lpszPath)
{
    const CString path = WithoutBackslash(lpszPath);
    const unsigned char* p = reinterpret_cast<const unsigned char*>(static_cast<LPCSTR>(path));
    const unsigned char* last = _mbsrchr(p, '\\');
    return last == NULL ? path : path.Mid(static_cast<int>(last - p) + 1);
}

HTREEITEM CFolderTree::AddItem(HTREEITEM hParent, LPCSTR lpszPath, HTREEITEM hInsertAfter, BOOL bFile)
{
    const CString path = lpszPath;
    const CString shellPath = WithBackslash(path);
    // The icons' indexes in the system image list, without the icons themselves: making each
    // icon only to destroy it at once doubled the cost of an item.
    SHFILEINFOA info = {};
    SHFILEINFOA open = {};
    if (!::SHGetFileInfoA(shellPath, 0, &info, sizeof(info), SHGFI_SYSICONINDEX | SHGFI_SMALLICON) ||
        !::SHGetFileInfoA(shellPath, 0, &open, sizeof(open), SHGFI_SYSICONINDEX | SHGFI_SMALLICON | SHGFI_OPENICON)) {
        m_strError = "Error Gettting SystemFileInfo!";
        return NULL;
    }
    const CString text = hParent == TVI_ROOT ? WithoutBackslash(path) : GetSubPath(path);
    return InsertItem(TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM, text, info.iIcon, open.iIcon, 0, 0,
                      bFile ? kFileItem : 0, hParent, hInsertAfter);
}

BOOL CFolderTree::HasSubItems(LPCSTR lpszPath) const
{
    WIN32_FIND_DATAA data;
    HANDLE hFind = ::FindFirstFileA(WithBackslash(lpszPath) + "*.*", &data);
    if (hFind == INVALID_HANDLE_VALUE)
        return FALSE;
    BOOL bFound = FALSE;
    do {
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            bFound = !IsDotEntry(data);
        else
            bFound = m_bShowFiles && !(data.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN);
    } while (!bFound && ::FindNextFileA(hFind, &data));
    ::FindClose(hFind);
    return bFound;
}

void CFolderTree::ExpandItem(HTREEITEM hItem, UINT nCode)
{
    Expand(hItem, nCode);
}

UINT CFolderTree::OnGetDlgCode()
{
    // The dialog manager would turn Enter into its default button's command; here it opens the
    // selected item.
    UINT nCode = CTreeCtrl::OnGetDlgCode();
    const MSG* pMsg = reinterpret_cast<const MSG*>(GetCurrentMessage()->lParam);
    if (pMsg != NULL && pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_RETURN)
        nCode |= DLGC_WANTMESSAGE;
    return nCode;
}

void CFolderTree::OnItemExpanded(NMHDR* pNMHDR, LRESULT* pResult)
{
    const NMTREEVIEWA* pView = reinterpret_cast<const NMTREEVIEWA*>(pNMHDR);
    HTREEITEM hItem = pView->itemNew.hItem;
    while (HTREEITEM hChild = GetChildItem(hItem))
        DeleteItem(hChild);
    if (pView->action & TVE_EXPAND)
        DisplayPath(hItem, GetItemPath(hItem));
    else
        InsertPlaceholder(hItem);
    *pResult = 0;
}

CString CFolderTree::GetItemPath(HTREEITEM hItem) const
{
    CString path;
    for (HTREEITEM h = hItem; h != NULL; h = GetParentItem(h))
        path = GetItemText(h) + "\\" + path;
    return WithoutBackslash(path);
}

bool CFolderTree::IsDescendant(HTREEITEM hAncestor, HTREEITEM hItem) const
{
    for (HTREEITEM h = hItem != NULL ? GetParentItem(hItem) : NULL; h != NULL; h = GetParentItem(h))
        if (h == hAncestor)
            return true;
    return false;
}

HTREEITEM CFolderTree::FindChildItem(HTREEITEM hParent, const CString& upperText) const
{
    for (HTREEITEM h = GetChildItem(hParent); h != NULL; h = GetNextSiblingItem(h)) {
        CString text = GetItemText(h);
        if (text.MakeUpper() == upperText)
            return h;
    }
    return NULL;
}

BOOL CFolderTree::IsValidPath(LPCSTR lpszPath) const
{
    CString path = WithoutBackslash(lpszPath);
    path.MakeUpper();
    for (HTREEITEM h = GetRootItem(); h != NULL; h = GetNextSiblingItem(h)) {
        CString root = GetItemText(h);
        root.MakeUpper();
        if (root.IsEmpty() || path.Left(root.GetLength()) != root)
            continue;
        // Device names ("nul", "con") resolve in any folder, missing ones too: ask for the
        // folder itself.
        const DWORD attributes = ::GetFileAttributesA(WithBackslash(lpszPath));
        return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
    }
    return FALSE;
}

BOOL CFolderTree::SetSelPath(LPCSTR lpszPath)
{
    if (!IsValidPath(lpszPath))
        return FALSE;
    CString path = lpszPath;
    path.MakeUpper();
    path = WithBackslash(path);
    std::vector<CString> components;
    const unsigned char* p = reinterpret_cast<const unsigned char*>(static_cast<LPCSTR>(path));
    int nStart = 0;
    for (int i = 0; p[i] != '\0'; i += _ismbblead(p[i]) && p[i + 1] != '\0' ? 2 : 1) {
        if (p[i] == '\\') {
            components.push_back(path.Mid(nStart, i - nStart));
            nStart = i + 1;
        }
    }

    SetRedraw(FALSE);
    HTREEITEM hParent = TVI_ROOT;
    HTREEITEM hFound = NULL;
    for (size_t n = 0; n < components.size(); ++n) {
        HTREEITEM hItem = FindChildItem(hParent, components[n]);
        if (hItem == NULL) {
            hFound = NULL;
            break;
        }
        const UINT nState = GetItemState(hItem, TVIS_EXPANDED | TVIS_EXPANDEDONCE);
        if (nState & TVIS_EXPANDED) {
            RefreshFolder(hItem, n + 1 < components.size() ? components[n + 1] : CString());
        } else {
            // Opened before and closed since: only its placeholder is left, and the tree sends
            // no notification for an item it has expanded once, so it is reset to be listed.
            if (nState & TVIS_EXPANDEDONCE) {
                if (IsDescendant(hItem, GetSelectedItem()))
                    SelectItem(hItem);
                ExpandItem(hItem, TVE_COLLAPSE | TVE_COLLAPSERESET);
                InsertPlaceholder(hItem);
            }
            ExpandItem(hItem, TVE_EXPAND);
        }
        hParent = hFound = hItem;
    }
    if (hFound == NULL) {
        SetRedraw(TRUE);
        return FALSE;
    }
    SelectItem(hFound);
    SetRedraw(TRUE);
    return TRUE;
}
