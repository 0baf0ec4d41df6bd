#include "dataexplorerpane.h"

#include <mbstring.h>

#include <vector>

#include "popupmenupresenter.h"
#include "resource.h"
#include "sendeditorpane.h"

namespace {
const UINT_PTR kFillTimer = 1;
const UINT kFillTimerMs = 100;

// The path names an existing file (not a folder).
bool IsExistingFile(const CString& path)
{
    const DWORD attributes = ::GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

CString CurrentDirectory()
{
    const DWORD n = ::GetCurrentDirectoryA(0, NULL);
    std::vector<char> buffer(n + 1, '\0');
    ::GetCurrentDirectoryA(n + 1, buffer.data());
    return CString(buffer.data());
}

// The drive and folder of a file's path.
CString FolderOf(const CString& path)
{
    const unsigned char* p = reinterpret_cast<const unsigned char*>(static_cast<LPCSTR>(path));
    const unsigned char* last = _mbsrchr(p, '\\');
    return last == NULL ? path : path.Left(static_cast<int>(last - p) + 1);
}
} // namespace

BEGIN_MESSAGE_MAP(CDataExplorerPane, CUiResizableDialog)
    ON_WM_TIMER()
    ON_COMMAND(ID_EXPLORER_REFRESH, OnRefresh)
    ON_COMMAND(ID_HEX_SEND_TO_SEND_EDITOR, OnSendToSendEditor)
    ON_UPDATE_COMMAND_UI(ID_HEX_SEND_TO_SEND_EDITOR, OnUpdateSendToSendEditor)
    ON_NOTIFY(TVN_SELCHANGED, IDC_EXPLORER_TREE, OnSelChanged)
    ON_NOTIFY(NM_DBLCLK, IDC_EXPLORER_TREE, OnOpenItem)
    ON_NOTIFY(NM_RETURN, IDC_EXPLORER_TREE, OnOpenItem)
    ON_NOTIFY(TVN_KEYDOWN, IDC_EXPLORER_TREE, OnTreeKeyDown)
    ON_NOTIFY(NM_RCLICK, IDC_EXPLORER_TREE, OnTreeRightClick)
END_MESSAGE_MAP()

CDataExplorerPane::CDataExplorerPane()
    : CUiResizableDialog(IDD_EXPLORER_PANE), m_bFile(FALSE), m_hTitleWnd(NULL), m_bFilled(FALSE),
      m_pSendEditor(NULL)
{
    CUiControlBar::RegisterBarWindowClass();
}

CDataExplorerPane::~CDataExplorerPane()
{
}

void CDataExplorerPane::DoDataExchange(CDataExchange* pDX)
{
    CUiResizableDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_EXPLORER_TOOLBAR, m_toolBar);
}

BOOL CDataExplorerPane::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    return CUiResizableDialog::OnNotify(wParam, lParam, pResult);
}

BOOL CDataExplorerPane::OnInitDialog()
{
    CUiResizableDialog::OnInitDialog();
    GetDlgItem(IDC_EXPLORER_TREE)->ShowWindow(SW_HIDE);
    static const UINT kButtons[] = {ID_EXPLORER_REFRESH, ID_HEX_SEND_TO_SEND_EDITOR};
    m_toolBar.SetButtonList(kButtons, sizeof(kButtons) / sizeof(kButtons[0]));
    ShowSizeGrip(false);
    LayoutPaneBars(this, IDC_EXPLORER_TREE);
    return TRUE;
}

void CDataExplorerPane::OnRefresh()
{
    if (!m_bFilled) {
        SetTimer(kFillTimer, kFillTimerMs, NULL);
        return;
    }
    HTREEITEM hItem = m_tree.GetSelectedItem();
    if (hItem == NULL)
        return;
    CString path = m_tree.GetItemPath(hItem);
    if (::GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES)
        return;
    if (IsExistingFile(path))
        path = FolderOf(path);
    LockWindowUpdate();
    m_tree.SetSelPath(path);
    UnlockWindowUpdate();
}

void CDataExplorerPane::OnTimer(UINT_PTR nIDEvent)
{
    KillTimer(kFillTimer);
    if (m_tree.GetSafeHwnd() == NULL && m_tree.SubclassDlgItem(IDC_EXPLORER_TREE, this)) {
        m_tree.DisplayTree(NULL, TRUE);
        LockWindowUpdate();
        m_tree.SetSelPath(CurrentDirectory());
        UnlockWindowUpdate();
        m_tree.ShowWindow(SW_SHOW);
        m_bFilled = TRUE;
    }
    CUiResizableDialog::OnTimer(nIDEvent);
}

void CDataExplorerPane::OnSelChanged(NMHDR* pNMHDR, LRESULT* pResult)
{
    const NMTREEVIEWA* pView = reinterpret_cast<const NMTREEVIEWA*>(pNMHDR);
    m_bFile = FALSE;
    m_strSelPath = m_tree.GetItemPath(pView->itemNew.hItem);
    m_bFile = IsExistingFile(m_strSelPath);
    CString title;
    title.LoadString(IDS_EXPLORER_TITLE);
    if (!m_strSelPath.IsEmpty()) {
        title += " - ";
        title += m_strSelPath;
    }
    if (m_hTitleWnd != NULL)
        ::SetWindowTextA(m_hTitleWnd, title);
    *pResult = 0;
}

void CDataExplorerPane::OnOpenItem(NMHDR*, LRESULT* pResult)
{
    OnSendToSendEditor();
    *pResult = 0;
}

void CDataExplorerPane::OnSendToSendEditor()
{
    if (m_pSendEditor != NULL && IsExistingFile(m_strSelPath))
        m_pSendEditor->GetEditor().LoadFile(m_strSelPath);
}

void CDataExplorerPane::OnUpdateSendToSendEditor(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_bFile);
}

void CDataExplorerPane::OnTreeKeyDown(NMHDR* pNMHDR, LRESULT* pResult)
{
    if (reinterpret_cast<const NMTVKEYDOWN*>(pNMHDR)->wVKey == VK_F5)
        OnRefresh();
    *pResult = 0;
}

void CDataExplorerPane::OnTreeRightClick(NMHDR*, LRESULT* pResult)
{
    CPoint point;
    ::GetCursorPos(&point);
    CMenu menu;
    if (menu.LoadMenu(IDR_EXPLORER_CONTEXT))
        CUiPopupMenuPresenter().TrackContextMenu(this, menu, point);
    *pResult = 1;
}
