// What the two settings dialogs share: the tree of page names (1003) with its three images
// (group, editable page, page that cannot be edited now), the array of pages placed in the
// page area, the page switch on a tree selection, Apply (1002), OK as Apply then close, and
// the pages' deletion when the dialog's window goes.
#pragma once

#include "afxwin.h"
#include "afxcmn.h"

class CSettingsDlgBase : public CDialog {
public:
    static const int kMaxPages = 16;
    enum TreeImage { ImageGroup = 0, ImagePage = 1, ImageLocked = 2 };

    CSettingsDlgBase(UINT nIDTemplate, CWnd* pParent);

    BOOL DestroyWindow() override;

    // The page now shown, -1 before any.
    int GetShownPage() const { return m_nShownPage; }
    CDialog* GetPage(int nIndex) const { return nIndex >= 0 && nIndex < kMaxPages ? m_pages[nIndex] : NULL; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;
    // Takes the pages into a working copy and writes it back.
    virtual void Apply() = 0;
    // A page was chosen in the tree.
    virtual void OnPageShown(int nIndex) { (void)nIndex; }

    // Moves every page to the page area and gives the tree its images.
    void PlacePagesAndImages();
    HTREEITEM InsertTreeItem(LPCTSTR lpszText, int nImage, HTREEITEM hParent, CDialog* pPage);
    void ShowPage(int nIndex);
    // Posts WM_FRAME_REFRESH to the dialog's owner, the main frame.
    void PostToFrame(WPARAM wParam);

    afx_msg void OnTreeSelChanged(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnApply();
    DECLARE_MESSAGE_MAP()

    CTreeCtrl m_tree;
    CImageList m_images;
    CDialog* m_pages[kMaxPages];
    int m_nShownPage;
};
