// CRandomSettingDlg: the list of a port's random regions, with add, edit, delete and moving
// a region up or down. The settings page gives it the port's region blob (SetRegionData)
// before DoModal and, on IDOK, takes the edited blob back (GetRegionData).
#pragma once

#include "afxwin.h"
#include "afxcmn.h"
#include "afxdisp.h"

#include <vector>

#include "randomregion.h"

class CRandomSettingDlg : public CDialog {
public:
    explicit CRandomSettingDlg(CWnd* pParent = NULL);

    // A blob whose size is not a multiple of one record gives an empty list.
    void SetRegionData(const COleSafeArray& blob);
    // The shown records in list order; an empty byte array when there are none.
    COleSafeArray GetRegionData() const;

    // The shown records and the selected row (-1: none), for the dialog's users and tests.
    const std::vector<RandomRegion>& GetShownRegions() const { return m_shown; }
    int GetSelectedRow() const { return m_nSelected; }

    BOOL OnInitDialog() override;
    void OnOK() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg void OnAdd();
    afx_msg void OnEdit();
    afx_msg void OnDelete();
    afx_msg void OnUp();
    afx_msg void OnDown();
    afx_msg void OnOkButton();
    afx_msg void OnItemChanged(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnListDblClk(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnListReturn(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

    // Writes the row's texts; appending inserts an item and appends the record, replacing
    // rewrites the item and the record at that row.
    void SetListRow(int row, const RandomRegion& region, bool replace);
    void SelectRow(int row);
    void SwapRows(int row, int other);

    std::vector<RandomRegion> m_loaded;
    std::vector<RandomRegion> m_shown;
    int m_nSelected;
    CListCtrl m_list;
};
