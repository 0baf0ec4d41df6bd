#include "cmditem.h"

#include "cmdicon.h"
#include "cmdprofile.h"
#include "resourcemanager.h"

namespace {

const UINT kUsageOverflow = 0xFFFFFFFE;

bool InRange(UINT nValue, UINT nFirst, UINT nLast)
{
    return nValue >= nFirst && nValue <= nLast;
}

} // namespace

CUiCmdItem::CUiCmdItem(UINT nCmdId)
    : m_pProfile(NULL), m_nCmdId(nCmdId), m_nIconIndex(-1), m_dwState(0), m_anParams{0, 100, -2, 250},
      m_nUsageCount(0)
{
}

CUiCmdItem::CUiCmdItem(const CUiCmdItem& other) : CUiCmdItem(0U)
{
    AssignFrom(other);
}

CUiCmdItem::~CUiCmdItem()
{
}

void CUiCmdItem::AssignFrom(const CUiCmdItem& other)
{
    if (&other == this)
        return;
    m_pProfile = other.m_pProfile;
    m_nCmdId = other.m_nCmdId;
    m_nIconIndex = other.m_nIconIndex;
    m_dwState = other.m_dwState;
    m_strMenuText = other.m_strMenuText;
    m_strToolbarText = other.m_strToolbarText;
    m_strTipTool = other.m_strTipTool;
    m_strTipStatus = other.m_strTipStatus;
    m_strAccelText = other.m_strAccelText;
    for (int i = 0; i < 4; i++)
        m_anParams[i] = other.m_anParams[i];
    m_nUsageCount = other.m_nUsageCount;
}

void CUiCmdItem::UpdateMoreExact(const CUiCmdItem& other)
{
    if (other.m_nIconIndex >= 0)
        m_nIconIndex = other.m_nIconIndex;
    if (!other.m_strMenuText.IsEmpty())
        m_strMenuText = other.m_strMenuText;
    if (!other.m_strToolbarText.IsEmpty())
        m_strToolbarText = other.m_strToolbarText;
    if (!other.m_strTipTool.IsEmpty())
        m_strTipTool = other.m_strTipTool;
    if (!other.m_strTipStatus.IsEmpty())
        m_strTipStatus = other.m_strTipStatus;
    if (!other.m_strAccelText.IsEmpty())
        m_strAccelText = other.m_strAccelText;
}

void CUiCmdItem::UpdateMoreEmpty(const CUiCmdItem& other)
{
    if (m_nIconIndex < 0)
        m_nIconIndex = other.m_nIconIndex;
    if (m_strMenuText.IsEmpty())
        m_strMenuText = other.m_strMenuText;
    if (m_strTipTool.IsEmpty())
        m_strTipTool = other.m_strTipTool;
    if (m_strTipStatus.IsEmpty())
        m_strTipStatus = other.m_strTipStatus;
    if (m_strAccelText.IsEmpty())
        m_strAccelText = other.m_strAccelText;
}

void CUiCmdItem::AnalyzeGlobalUsageOverflow()
{
    if (m_pProfile == NULL || m_pProfile->m_nTotalUsage < kUsageOverflow)
        return;
    // Halving the total and every count together keeps the percentages comparable.
    m_pProfile->m_nTotalUsage >>= 1;
    m_pProfile->ForEachItem([](CUiCmdItem* pItem) { pItem->m_nUsageCount >>= 1; });
}

void CUiCmdItem::ResetTexts()
{
    m_strTipTool.Empty();
    m_strTipStatus.Empty();
}

bool CUiCmdItem::UpdateFromResource()
{
    ResetTexts();
    if ((int)m_nCmdId < 1)
        return false;
    CString strText;
    if (!ResourceManagerHolder::GetResourceManager()->LoadString(strText, m_nCmdId))
        return false;
    strText.Replace('\t', ' ');
    strText.Remove('\r');
    strText.Trim();
    if (strText.IsEmpty())
        return false;
    const int nFeed = strText.Find('\n');
    if (nFeed < 0) {
        m_strTipStatus = strText;
        return true;
    }
    m_strTipStatus = strText.Left(nFeed);
    m_strTipTool = strText.Mid(nFeed + 1);
    m_strTipStatus.Trim();
    m_strTipTool.Trim();
    return true;
}

DWORD CUiCmdItem::ChangeState(DWORD dwClear, DWORD dwSet)
{
    m_dwState = (m_dwState & ~dwClear) | dwSet;
    return m_dwState;
}

bool CUiCmdItem::IsReservedCmdId(UINT nCmdId)
{
    return InRange(nCmdId, 0xFF00, 0xFF09) || InRange(nCmdId, 0xE110, 0xE11F) || IsSysCommandId(nCmdId) ||
           InRange(nCmdId, 0xE210, 0xE21F);
}

DWORD CUiCmdItem::StateSetBasic(bool bOn)
{
    return ChangeState(kStateBasic, bOn ? kStateBasic : 0);
}

bool CUiCmdItem::StateIsBasic() const
{
    return IsReservedCmdId(m_nCmdId) || (m_dwState & kStateBasic) != 0;
}

bool CUiCmdItem::StateIsRarelyUsed() const
{
    if (StateIsBasic())
        return false;
    return GetUsagePercent() < GetProfileRarelyPercent();
}

DWORD CUiCmdItem::StateSetForceRarely(bool bOn)
{
    return ChangeState(kStateForceRarely, bOn ? kStateForceRarely : 0);
}

bool CUiCmdItem::StateIsForcedRarelyUsed() const
{
    return !IsReservedCmdId(m_nCmdId) && (m_dwState & kStateForceRarely) != 0;
}

DWORD CUiCmdItem::StateEnable(bool bEnable)
{
    return ChangeState(kStateDisabled, bEnable ? 0 : kStateDisabled);
}

bool CUiCmdItem::StateIsEnable() const
{
    return (m_dwState & kStateDisabled) == 0;
}

DWORD CUiCmdItem::StateSetCheck(bool bOn)
{
    return ChangeState(kStateMarks, bOn ? kStateCheck : 0);
}

bool CUiCmdItem::StateGetCheck() const
{
    return (m_dwState & kStateCheck) != 0;
}

DWORD CUiCmdItem::StateSetRadio(bool bOn)
{
    return ChangeState(kStateMarks, bOn ? kStateRadio : 0);
}

bool CUiCmdItem::StateGetRadio() const
{
    return (m_dwState & kStateRadio) != 0;
}

DWORD CUiCmdItem::StateSetIndeterminate(bool bOn)
{
    return ChangeState(kStateMarks, bOn ? kStateIndeterminate : 0);
}

bool CUiCmdItem::StateGetIndeterminate() const
{
    return (m_dwState & kStateIndeterminate) != 0;
}

bool CUiCmdItem::DoUpdateCmdUI(CCmdTarget* pTarget, UINT nIndex)
{
    CUiCmdItemUI cmdUI(this, nIndex);
    if (IsSysCommandId(m_nCmdId) || InRange(m_nCmdId, 0xFF00, 0xFF09)) {
        cmdUI.Enable(TRUE);
        return true;
    }
    if (pTarget == NULL)
        return false;
    return cmdUI.DoUpdate(pTarget, TRUE) != FALSE;
}

bool CUiCmdItem::DeliverToOwner(CWnd* pWnd, bool bSend)
{
    if (pWnd == NULL || pWnd->GetSafeHwnd() == NULL)
        return false;
    HWND hTarget = ::GetWindow(pWnd->GetSafeHwnd(), GW_OWNER);
    if (hTarget == NULL)
        hTarget = ::GetParent(pWnd->GetSafeHwnd());
    return Deliver(hTarget, bSend);
}

bool CUiCmdItem::DeliverToWindow(CWnd* pWnd, bool bSend)
{
    return Deliver(pWnd != NULL ? pWnd->GetSafeHwnd() : NULL, bSend);
}

bool CUiCmdItem::Deliver(HWND hWnd, bool bSend)
{
    if (hWnd == NULL)
        return false;
    IncrementUsageCount();
    UINT nMessage = WM_COMMAND;
    LPARAM lParam = 0;
    if (IsSysCommandId(m_nCmdId)) {
        POINT pt = {0, 0};
        ::GetCursorPos(&pt);
        nMessage = WM_SYSCOMMAND;
        lParam = MAKELPARAM(pt.x, pt.y);
    }
    if (bSend)
        return ::SendMessage(hWnd, nMessage, (WPARAM)m_nCmdId, lParam) != 0;
    return ::PostMessage(hWnd, nMessage, (WPARAM)m_nCmdId, lParam) != FALSE;
}

UINT CUiCmdItem::GetUsageCount() const
{
    return m_nUsageCount;
}

UINT CUiCmdItem::GetUsagePercent() const
{
    const UINT nTotal = GetProfileTotalUsage();
    if (nTotal == 0)
        return 0;
    // 64 bits: a count above 42,949,672 (which a saved profile may hold) would wrap in 32.
    const ULONGLONG nPercent = (ULONGLONG)m_nUsageCount * 100 / nTotal;
    return nPercent > 0xFFFFFFFF ? 0xFFFFFFFF : (UINT)nPercent;
}

void CUiCmdItem::IncrementUsageCount()
{
    if (StateIsBasic() || StateIsForcedRarelyUsed())
        return;
    // A saved profile may hold a total already at the limit: it is halved before this use is
    // added, or the total would start again from 0 and every command turn rarely used.
    AnalyzeGlobalUsageOverflow();
    // A saved profile may hold a count above its total; the count stops at its top instead
    // of starting again from 0.
    if (m_nUsageCount != 0xFFFFFFFF)
        m_nUsageCount++;
    if (m_pProfile == NULL)
        return;
    m_pProfile->m_nTotalUsage++;
    AnalyzeGlobalUsageOverflow();
}

void CUiCmdItem::ResetUsageCount()
{
    if (StateIsBasic() || StateIsForcedRarelyUsed())
        return;
    m_nUsageCount = 0;
}

UINT CUiCmdItem::GetProfileTotalUsage() const
{
    return m_pProfile != NULL ? m_pProfile->m_nTotalUsage : 0;
}

UINT CUiCmdItem::GetProfileRarelyPercent() const
{
    return m_pProfile != NULL ? m_pProfile->m_nRarelyPercent : (UINT)kDefaultRarelyPercent;
}

UINT CUiCmdItem::SetProfileRarelyPercent(UINT nPercent)
{
    if (nPercent > 100)
        nPercent = 100;
    if (m_pProfile != NULL)
        m_pProfile->m_nRarelyPercent = nPercent;
    return nPercent;
}

void CUiCmdItem::OnSysColorChange()
{
    if (m_pProfile == NULL)
        return;
    if (CUiCmdIcon* pIcon = m_pProfile->CmdGetIconPtr(m_nCmdId))
        pIcon->OnSysColorChange();
}

void CUiCmdItem::OnSettingChange(UINT uFlags, LPCSTR lpszSection)
{
    if (m_pProfile == NULL)
        return;
    if (CUiCmdIcon* pIcon = m_pProfile->CmdGetIconPtr(m_nCmdId))
        pIcon->OnSettingChange(uFlags, lpszSection);
}

void CUiCmdItem::OnDisplayChange(int nBitsPerPixel, int cx, int cy)
{
    if (m_pProfile == NULL)
        return;
    if (CUiCmdIcon* pIcon = m_pProfile->CmdGetIconPtr(m_nCmdId))
        pIcon->OnDisplayChange(nBitsPerPixel, cx, cy);
}

void CUiCmdItem::OnThemeChanged(WPARAM wParam, LPARAM lParam)
{
    if (m_pProfile == NULL)
        return;
    if (CUiCmdIcon* pIcon = m_pProfile->CmdGetIconPtr(m_nCmdId))
        pIcon->OnThemeChanged(wParam, lParam);
}

CString CUiCmdItem::GetTextForMenu() const
{
    return GetTextPreferMenu();
}

CString CUiCmdItem::GetTextPreferMenu() const
{
    if (!m_strMenuText.IsEmpty())
        return m_strMenuText;
    if (!m_strTipTool.IsEmpty())
        return m_strTipTool;
    return m_strToolbarText;
}

CString CUiCmdItem::GetStatusTip() const
{
    return m_strTipStatus;
}

bool CUiCmdItem::IsUsageTracked() const
{
    return !StateIsBasic() && !StateIsForcedRarelyUsed() && (m_dwState & kStateNotTracked) == 0 &&
           !IsSysCommandId(m_nCmdId) && m_nUsageCount != 0;
}

CUiCmdItemUI::CUiCmdItemUI(CUiCmdItem* pItem, UINT nIndex) : m_pItem(pItem)
{
    m_nID = pItem->m_nCmdId;
    m_nIndex = nIndex;
}

void CUiCmdItemUI::Enable(BOOL bOn)
{
    m_pItem->StateEnable(bOn != FALSE);
    m_bEnableChanged = TRUE;
}

void CUiCmdItemUI::SetCheck(int nCheck)
{
    if (nCheck == 0 || nCheck == 1)
        m_pItem->StateSetCheck(nCheck != 0);
    else
        m_pItem->StateSetIndeterminate(true);
}

void CUiCmdItemUI::SetRadio(BOOL bOn)
{
    m_pItem->StateSetRadio(bOn != FALSE);
}

void CUiCmdItemUI::SetText(LPCTSTR lpszText)
{
    m_pItem->m_strMenuText = lpszText;
}
