#include "popupmenucmdui.h"

CUiPopupMenuCmdUI::CUiPopupMenuCmdUI(HWND hWndReceiver, CUiPopupMenuWnd* pMenu)
    : m_hWndReceiver(hWndReceiver), m_pPopup(pMenu), m_pItem(nullptr)
{
    m_pOther = nullptr;
}

void CUiPopupMenuCmdUI::Enable(BOOL bOn)
{
    m_bEnableChanged = TRUE;
    if (m_pItem == nullptr || m_pItem->IsSubmenu() || m_pItem->IsSeparator())
        return;
    if ((m_pItem->m_bFlags1 & PopupMenuItemData::kAlwaysEnabled) != 0)
        bOn = TRUE;
    m_pItem->m_bFlags2 = (BYTE)(bOn ? m_pItem->m_bFlags2 | PopupMenuItemData::kEnabled
                                    : m_pItem->m_bFlags2 & ~PopupMenuItemData::kEnabled);
}

void CUiPopupMenuCmdUI::SetCheck(int nCheck)
{
    if (m_pItem == nullptr || m_pItem->IsSubmenu())
        return;
    m_pItem->m_bFlags1 = (BYTE)(nCheck != 0 ? m_pItem->m_bFlags1 | PopupMenuItemData::kChecked
                                            : m_pItem->m_bFlags1 & ~PopupMenuItemData::kChecked);
}

void CUiPopupMenuCmdUI::SetRadio(BOOL bOn)
{
    if (m_pItem == nullptr || m_pItem->IsSubmenu())
        return;
    m_pItem->m_bFlags2 = (BYTE)(bOn ? m_pItem->m_bFlags2 | PopupMenuItemData::kRadio
                                    : m_pItem->m_bFlags2 & ~PopupMenuItemData::kRadio);
}

void CUiPopupMenuCmdUI::SetText(LPCTSTR lpszText)
{
    if (m_pItem == nullptr || lpszText == nullptr || !m_pItem->IsCommand())
        return;
    m_pItem->SetText(lpszText);
    m_pItem->MeasureItem();
}
