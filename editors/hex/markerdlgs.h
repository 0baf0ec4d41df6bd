// The marker dialogs of the hex editors.
//
// CMarkerSettingDlg asks for a marker's two colours and its comment. CMarkerInfoDlg lists the
// markers of one editor and edits, deletes, reorders, loads and saves them; it works on a copy
// and gives the copy back to the editor on OK only when something changed.
#pragma once

#include "afxwin.h"
#include "afxcmn.h"

#include <vector>

#include "colorbutton.h"
#include "hexmarker.h"

class CHexEdit;

class CMarkerSettingDlg : public CDialog {
public:
    explicit CMarkerSettingDlg(CWnd* pParent = NULL);

    COLORREF m_crText;
    COLORREF m_crBack;
    CString m_strComment;

    BOOL OnInitDialog() override;
    void OnOK() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;

    CColorButton m_textButton;
    CColorButton m_backButton;
    CEdit m_comment;
};

class CMarkerInfoDlg : public CDialog {
public:
    explicit CMarkerInfoDlg(CWnd* pParent = NULL);

    void SetEditor(CHexEdit* pEditor) { m_pEditor = pEditor; }

    // The dialog's copy of the markers and its state, for the dialog's users and tests.
    const std::vector<HexMarker>& GetMarkers() const { return m_markers; }
    int GetSelectedRow() const { return m_nSelected; }
    bool IsChanged() const { return m_bChanged; }

    BOOL OnInitDialog() override;
    void OnOK() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg void OnEdit();
    afx_msg void OnDelete();
    afx_msg void OnUp();
    afx_msg void OnDown();
    afx_msg void OnDeleteAll();
    afx_msg void OnLoad();
    afx_msg void OnSave();
    afx_msg void OnItemChanged(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnListDblClk(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

    void FillList();
    void SetRow(int row, bool insert);
    void SelectRow(int row);
    void UpdateButtons();
    void Swap(int row, int other);

    CHexEdit* m_pEditor;
    std::vector<HexMarker> m_markers;
    bool m_bChanged;
    int m_nSelected;
    CListCtrl m_list;
};
