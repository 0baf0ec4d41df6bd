#include "popupmenuitem.h"

#include "cmdmanager.h"
#include "paintmanager.h"
#include "paintmanagerholder.h"
#include "resourcemanager.h"
#include <algorithm>

bool g_bPopupLargeIcons = false;
bool g_bPopupFirstLetterAccess = false;

namespace {

CUiPaintManager* PaintManager()
{
    return PaintManagerHolder::Get().GetStoredHandle();
}

} // namespace

PopupMenuItemData::PopupMenuItemData()
    : m_pSubmenu(nullptr), m_nIndex(kFreshIndex), m_nCmdId(0), m_cx(0), m_cy(0), m_cxIconArea(0),
      m_bFlags1(0), m_bFlags2(kEnabled), m_pfnBeforeCommand(nullptr), m_pfnClick(nullptr), m_cAccessChar(0),
      m_hWndReceiver(NULL), m_pInplaceValue(nullptr), m_cxInplace(0),
      m_pInplaceEdit(nullptr), m_dwInplaceParams{0, 0, 0, 0}, m_bFlags3(kEditOnClick)
{
}

PopupMenuItemData& PopupMenuItemData::operator=(const PopupMenuItemData& other)
{
    if (this == &other)
        return *this;
    m_pSubmenu = other.m_pSubmenu;
    m_nIndex = other.m_nIndex;
    m_nCmdId = other.m_nCmdId;
    m_strText = other.m_strText;
    m_strAccel = other.m_strAccel;
    m_icon = other.m_icon;
    m_cx = other.m_cx;
    m_cy = other.m_cy;
    m_cxIconArea = other.m_cxIconArea;
    m_bFlags1 = other.m_bFlags1;
    m_bFlags2 = other.m_bFlags2;
    m_pfnBeforeCommand = other.m_pfnBeforeCommand;
    m_pfnClick = other.m_pfnClick;
    m_cAccessChar = other.m_cAccessChar;
    m_hWndReceiver = other.m_hWndReceiver;
    m_pInplaceValue = other.m_pInplaceValue;
    m_cxInplace = other.m_cxInplace;
    m_pInplaceEdit = other.m_pInplaceEdit;
    for (int i = 0; i < 4; ++i)
        m_dwInplaceParams[i] = other.m_dwInplaceParams[i];
    m_bFlags3 = other.m_bFlags3;
    m_strThird = other.m_strThird;
    return *this;
}

UINT PopupMenuItemData::GetCmdID() const
{
    if (m_nCmdId == 0 || m_pInplaceValue != nullptr)
        return kSubmenuId;
    return m_nCmdId;
}

bool PopupMenuItemData::IsSelectable() const
{
    if (!IsDisplayed() || IsSeparator())
        return false;
    return IsSubmenu() || IsEnabled();
}

CString PopupMenuItemData::GetText() const
{
    return IsSeparator() ? CString() : m_strText;
}

CString PopupMenuItemData::GetAccelText() const
{
    return IsSeparator() ? CString() : m_strAccel;
}

void PopupMenuItemData::SetText(LPCSTR lpszText)
{
    if (!IsSeparator())
        m_strText = lpszText != nullptr ? lpszText : "";
}

void PopupMenuItemData::SetAccelText(LPCSTR lpszText)
{
    if (!IsSeparator())
        m_strAccel = lpszText != nullptr ? lpszText : "";
}

void PopupMenuItemData::SetSplitText(LPCSTR lpszText)
{
    CString text(lpszText != nullptr ? lpszText : "");
    const int nTab = text.Find('\t');
    if (nTab < 0) {
        SetText(text);
        return;
    }
    SetText(text.Left(nTab));
    SetAccelText(text.Mid(nTab + 1));
}

void PopupMenuItemData::UpdateAccessChar()
{
    m_cAccessChar = 0;
    const CString text = GetText();
    if (text.IsEmpty())
        return;
    const int nAmp = text.Find('&');
    char ch = 0;
    if (nAmp < 0) {
        if (!g_bPopupFirstLetterAccess)
            return;
        ch = text[0];
    } else {
        if (nAmp + 1 >= text.GetLength())
            return;
        ch = text[nAmp + 1];
    }
    m_cAccessChar = (BYTE)(UINT_PTR)::CharUpperA((LPSTR)(UINT_PTR)(BYTE)ch);
}

CUiCmdItem* PopupMenuItemData::GetCmdItem() const
{
    if (IsSeparator() || IsSubmenu() || (m_bFlags2 & kOwnItem) != 0)
        return nullptr;
    CUiCmdProfile* pProfile = CmdManagerHolder::GetStoredHandle()->ProfileFindByWindow(m_hWndReceiver);
    return pProfile != nullptr ? pProfile->CmdGetPtr(m_nCmdId) : nullptr;
}

CUiCmdIcon* PopupMenuItemData::GetIcon()
{
    if (IsSeparator())
        return nullptr;
    if (m_icon.IsEmpty() && (m_bFlags2 & kOwnItem) == 0) {
        if (IsSubmenu())
            return nullptr;
        CUiCmdProfile* pProfile = CmdManagerHolder::GetStoredHandle()->ProfileFindByWindow(m_hWndReceiver);
        CUiCmdIcon* pIcon = pProfile != nullptr ? pProfile->CmdGetIconPtr(m_nCmdId) : nullptr;
        return pIcon != nullptr && !pIcon->IsEmpty() ? pIcon : nullptr;
    }
    return m_icon.IsEmpty() ? nullptr : &m_icon;
}

void PopupMenuItemData::MeasureItem(CDC* pDC)
{
    UpdateAccessChar();
    m_cxIconArea = 16;
    if (IsSeparator()) {
        m_cx = 0;
        m_cy = PaintManager()->GetMenuBorderSize();
        return;
    }
    CString text = m_strText;
    if (m_pInplaceValue == nullptr)
        text += m_strAccel;
    text.Replace("&", "");
    CDC screen;
    HDC hScreen = NULL;
    if (pDC == nullptr) {
        hScreen = ::GetDC(NULL);
        screen.Attach(hScreen);
        pDC = &screen;
    }
    CFont* pOldFont = pDC->SelectObject(&PaintManager()->m_fontNormal);
    CRect rcText(0, 0, 0, 0);
    pDC->DrawText(text, &rcText, DT_CALCRECT | DT_SINGLELINE);
    pDC->SelectObject(pOldFont);
    if (hScreen != NULL) {
        screen.Detach();
        ::ReleaseDC(NULL, hScreen);
    }
    const int cxText = rcText.Width();
    const int cyText = rcText.Height() + 4;
    int cyIcon = 0;
    const bool bCompact = (m_bFlags1 & kCompact) != 0;
    if (!bCompact) {
        CUiCmdIcon* pIcon = GetIcon();
        if (pIcon != nullptr) {
            CSize size = pIcon->GetSize();
            if (g_bPopupLargeIcons) {
                size.cx *= 2;
                size.cy *= 2;
            }
            size.cx = std::max<LONG>(size.cx, 16);
            size.cy = std::max<LONG>(size.cy, 16);
            if (size.cx <= 18 && size.cy < size.cx)
                size.cy = size.cx;
            m_cxIconArea = std::max<int>(16, size.cx);
            cyIcon = size.cy + 4;
        }
    }
    m_cy = std::max(std::max(cyText, cyIcon), 22);
    if (bCompact)
        m_cy -= 2;
    m_cxIconArea = std::max(m_cxIconArea, m_cy);
    if (m_pInplaceValue != nullptr)
        m_cx = cxText + 21 + m_cxInplace + 12;
    else if (bCompact)
        m_cx = cxText + 31;
    else
        m_cx = cxText + 21 + m_cxIconArea + 16;
}

bool PopupMenuItemData::InitFromCmd(const CUiCmdItem* pCmd, int nPos)
{
    m_strText.Empty();
    m_strAccel.Empty();
    m_nCmdId = pCmd != nullptr ? pCmd->m_nCmdId : 0;
    if (m_nCmdId == 0 || (int)m_nCmdId < 0) {
        m_nCmdId = 0;
        m_nIndex = kFreshIndex;
        return false;
    }
    if (nPos >= 0)
        m_nIndex = nPos;
    m_strText = pCmd->m_strMenuText;
    m_strAccel = pCmd->m_strAccelText;
    UpdateAccessChar();
    MeasureItem();
    return true;
}

CString PopupMenuItemData::GetStatusText() const
{
    const CUiCmdItem* pCmd = GetCmdItem();
    if (pCmd == nullptr)
        return CString();
    static const UINT kSys[][2] = {{SC_SIZE, 0xEF00},       {SC_MOVE, 0xEF01},       {SC_MINIMIZE, 0xEF02},
                                   {SC_MAXIMIZE, 0xEF03},   {SC_NEXTWINDOW, 0xEF04}, {SC_PREVWINDOW, 0xEF05},
                                   {SC_CLOSE, 0xEF06},      {SC_RESTORE, 0xEF12},    {SC_TASKLIST, 0xEF13}};
    for (const auto& entry : kSys) {
        if (entry[0] != m_nCmdId)
            continue;
        CString text;
        if (!ResourceManagerHolder::GetResourceManager()->LoadString(text, entry[1]))
            return pCmd->m_strTipStatus;
        const int nLf = text.Find('\n');
        return nLf >= 0 ? text.Left(nLf) : text;
    }
    return pCmd->m_strTipStatus;
}

bool PopupMenuItemData::SetOwnIcon(HICON hIcon)
{
    if (!IsSubmenu() && (m_bFlags2 & kOwnItem) == 0)
        return false;
    if (hIcon != NULL)
        m_icon.ConstructFromIcon(hIcon, true);
    else
        m_icon.Empty();
    return true;
}

void PopupMenuItemData::GetEditFieldRect(const RECT& rcItem, RECT& rcField) const
{
    CRect rc(rcItem);
    rc.DeflateRect(1, 2);
    rc.left = rc.right - m_cxInplace;
    if (IsSubmenu())
        rc.right -= ::GetSystemMetrics(SM_CXHTHUMB);
    rcField = rc;
}

CString PopupMenuItemData::GetInplaceValueText() const
{
    if ((m_bFlags3 & kShowThirdText) != 0)
        return m_strThird;
    return m_pInplaceValue != nullptr ? *m_pInplaceValue : CString();
}
