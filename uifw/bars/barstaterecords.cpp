// The stream form of the saved docking layout: header, versions, the frame's placement as
// text, the class library's dock state, the outer items, the tree of bar records depth first
// and the auto-hidden bars' ids. Records read from the stream are appended before they are
// read, so data that ends early leaves nothing behind that the site's Clear does not free.
#include "barstaterecords.h"

#include <cstdio>

#include "afxext.h"
#include "barstatelimits.h"
#include "libraryversion.h"

// The class library's macros take no nested class names.
#define IMPLEMENT_NESTED_DYNAMIC(outer, inner, base) \
    const CRuntimeClass outer::inner::class##inner = {#inner, sizeof(outer::inner), 0xFFFF, NULL, RUNTIME_CLASS(base)}; \
    CRuntimeClass* outer::inner::GetRuntimeClass() const { return (CRuntimeClass*)&outer::inner::class##inner; }

namespace {
const char kPlacementFormat[] = "%d,%d,%d,%d,%d,%d";
}

CString BarStateHeaderText()
{
    CString str;
    str.Format("Vavi-RIZ (v. %s) control bar state", (LPCSTR)LibraryVersionText('.'));
    return str;
}

bool BarStateNeutralPlacement(CFrameWnd* pFrame, WINDOWPLACEMENT& wp)
{
    ::ZeroMemory(&wp, sizeof(wp));
    wp.length = sizeof(wp);
    if (pFrame == nullptr || pFrame->GetSafeHwnd() == NULL || !pFrame->GetWindowPlacement(&wp))
        return false;
    wp.ptMinPosition = CPoint(0, 0);
    wp.ptMaxPosition = CPoint(0, 0);
    wp.showCmd = (pFrame->GetStyle() & WS_VISIBLE) ? SW_SHOWNA : SW_HIDE;
    return true;
}

// ---------------------------------------------------------------------------------------

void BarPlacementRecord::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << (WORD)(nOrder == 0 ? 1 : 0);
        if (nOrder == 0)
            return;
        ar << (DWORD)nOrder << rcSaved << (LONG)nSavedHorz << (LONG)nSavedVert << (DWORD)nReserved;
        return;
    }
    Reset();
    WORD wEmpty;
    ar >> wEmpty;
    if (wEmpty & 1)
        return;
    DWORD dwOrder, dwLast;
    LONG nHorz, nVert;
    ar >> dwOrder >> rcSaved >> nHorz >> nVert >> dwLast;
    nOrder = dwOrder;
    nSavedHorz = nHorz;
    nSavedVert = nVert;
    nReserved = (int)dwLast;
}

void CUiControlBar::OuterItemData_t::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << (WORD)((m_bFlags & kFloating) ? 1 : 0) << m_nBarId;
        ar << m_ptPos << m_sizeHorz << m_sizeVert << m_sizeFloat;
        m_record.Serialize(ar);
        return;
    }
    *this = OuterItemData_t();
    WORD wFloating;
    ar >> wFloating >> m_nBarId;
    m_bFlags = (BYTE)(wFloating & kFloating);
    ar >> m_ptPos >> m_sizeHorz >> m_sizeVert >> m_sizeFloat;
    m_record.Serialize(ar);
}

// ---------------------------------------------------------------------------------------

IMPLEMENT_NESTED_DYNAMIC(CUiControlBar, InternalDockStateBar, CObject)

CUiControlBar::InternalDockStateBar::InternalDockStateBar()
    : m_nBarId(0), m_nDockBarId(0), m_nRingLevel(0), m_nMRUWidth(0), m_dwStyle(0), m_dwFlags(0), m_dwMRUFloatStyle(0),
      m_dwFloatFrameStyle(0), m_dwBarValue(0), m_nSelectedChild(-1), m_pBar(nullptr)
{
    Reset();
}

CUiControlBar::InternalDockStateBar::~InternalDockStateBar()
{
    Clear();
}

void CUiControlBar::InternalDockStateBar::Reset()
{
    m_nBarId = AFX_IDW_DOCKBAR_FLOAT;
    m_nDockBarId = AFX_IDW_DOCKBAR_FLOAT;
    m_nRingLevel = 0;
    m_nMRUWidth = 50;
    m_dwFlags = 0;
    m_dwMRUFloatStyle = 0;
    m_dwFloatFrameStyle = WS_CHILD;
    m_dwBarValue = 0;
    m_ptLastFloat = CPoint(0, 0);
    m_rcMRUDock.SetRectEmpty();
    m_rcFloatFrame.SetRect(0, 0, 200, 200);
    m_rcDock.SetRect(0, 0, 200, 200);
    m_sizeHorz = m_sizeVert = m_sizeFloat = CSize(200, 200);
    m_nSelectedChild = -1;
    m_pBar = nullptr;
}

void CUiControlBar::InternalDockStateBar::Clear()
{
    Reset();
    for (INT_PTR i = 0; i < m_arrChildren.GetSize(); i++)
        delete m_arrChildren[i];
    m_arrChildren.RemoveAll();
}

bool CUiControlBar::InternalDockStateBar::SerializeState(CArchive& ar, int nDepth)
{
    if (ar.IsStoring()) {
        ar << (DWORD)m_nBarId << (DWORD)m_nDockBarId << (LONG)m_nRingLevel << (LONG)m_nMRUWidth << m_dwStyle
           << m_dwFlags << m_dwMRUFloatStyle;
        ar << m_ptLastFloat << m_ptMRUFloat << m_rcMRUDock << m_rcFloatFrame << m_dwFloatFrameStyle << m_dwBarValue
           << m_rcDock << m_sizeHorz << m_sizeVert << m_sizeFloat;
        ar << (DWORD)m_arrChildren.GetSize();
        for (INT_PTR i = 0; i < m_arrChildren.GetSize(); i++)
            m_arrChildren[i]->SerializeState(ar, nDepth + 1);
        return true;
    }
    Clear();
    if (nDepth > kMaxNesting)
        return false;
    DWORD dwBarId, dwDockBarId, dwCount;
    LONG nLevel, nWidth;
    ar >> dwBarId >> dwDockBarId >> nLevel >> nWidth >> m_dwStyle >> m_dwFlags >> m_dwMRUFloatStyle;
    m_nBarId = dwBarId;
    m_nDockBarId = dwDockBarId;
    m_nRingLevel = nLevel;
    m_nMRUWidth = nWidth;
    ar >> m_ptLastFloat >> m_ptMRUFloat >> m_rcMRUDock >> m_rcFloatFrame >> m_dwFloatFrameStyle >> m_dwBarValue >>
        m_rcDock >> m_sizeHorz >> m_sizeVert >> m_sizeFloat;
    ar >> dwCount;
    for (DWORD i = 0; i < dwCount; i++) {
        InternalDockStateBar* pChild = new InternalDockStateBar;
        m_arrChildren.Add(pChild);
        if (!pChild->SerializeState(ar, nDepth + 1))
            return false;
    }
    return true;
}

// ---------------------------------------------------------------------------------------

IMPLEMENT_NESTED_DYNAMIC(CUiControlBar, InternalDockStateSite, CObject)

CUiControlBar::InternalDockStateSite::InternalDockStateSite(CFrameWnd* pFrame)
    : m_pFrame(pFrame), m_pDockState(new CDockState)
{
    ::ZeroMemory(&m_wp, sizeof(m_wp));
    m_wp.length = sizeof(m_wp);
}

CUiControlBar::InternalDockStateSite::~InternalDockStateSite()
{
    Clear();
    delete m_pDockState;
}

void CUiControlBar::InternalDockStateSite::Clear()
{
    ::ZeroMemory(&m_wp, sizeof(m_wp));
    m_wp.length = sizeof(m_wp);
    m_pDockState->Clear();
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); i++)
        delete m_arrBars[i];
    m_arrBars.RemoveAll();
    m_arrOuterItems.RemoveAll();
    m_arrAutoHideIds.RemoveAll();
}

bool CUiControlBar::InternalDockStateSite::SerializeState(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << BarStateHeaderText();
        ar << LibraryVersion(false) << LibraryVersion(true) << (DWORD)0 << (DWORD)0 << (DWORD)0 << (DWORD)0;
        CString strPlacement;
        const RECT& rc = m_wp.rcNormalPosition;
        strPlacement.Format(kPlacementFormat, (int)rc.left, (int)rc.top, (int)rc.right, (int)rc.bottom,
                            (int)m_wp.showCmd, (int)m_wp.flags);
        ar << strPlacement;
        m_pDockState->Serialize(ar);
        ar << (DWORD)m_arrOuterItems.GetSize();
        for (INT_PTR i = 0; i < m_arrOuterItems.GetSize(); i++)
            m_arrOuterItems[i].Serialize(ar);
        ar << (DWORD)m_arrBars.GetSize();
        for (INT_PTR i = 0; i < m_arrBars.GetSize(); i++)
            m_arrBars[i]->SerializeState(ar);
        ar << (DWORD)m_arrAutoHideIds.GetSize();
        for (INT_PTR i = 0; i < m_arrAutoHideIds.GetSize(); i++)
            ar << m_arrAutoHideIds[i];
        return true;
    }

    CString strHeader;
    ar >> strHeader;
    DWORD dwVersions[6];
    for (DWORD& dw : dwVersions)
        ar >> dw;
    if (dwVersions[1] != LibraryVersion(true))
        return false;
    Clear();
    BarStateNeutralPlacement(m_pFrame, m_wp);
    CString strPlacement;
    ar >> strPlacement;
    int n[6];
    if (std::sscanf(strPlacement, kPlacementFormat, &n[0], &n[1], &n[2], &n[3], &n[4], &n[5]) != 6) {
        ::ZeroMemory(&m_wp, sizeof(m_wp));
        m_wp.length = sizeof(m_wp);
        return false;
    }
    ::SetRect(&m_wp.rcNormalPosition, n[0], n[1], n[2], n[3]);
    m_wp.showCmd = barstatelimits::ShowCommand(n[4]);
    m_wp.flags = (UINT)n[5] & (WPF_SETMINPOSITION | WPF_RESTORETOMAXIMIZED | WPF_ASYNCWINDOWPLACEMENT);
    m_pDockState->Serialize(ar);
    DWORD dwCount;
    ar >> dwCount;
    for (DWORD i = 0; i < dwCount; i++) {
        OuterItemData_t item;
        item.Serialize(ar);
        m_arrOuterItems.Add(item);
    }
    ar >> dwCount;
    for (DWORD i = 0; i < dwCount; i++) {
        InternalDockStateBar* pBar = new InternalDockStateBar;
        m_arrBars.Add(pBar);
        if (!pBar->SerializeState(ar))
            return false;
    }
    ar >> dwCount;
    for (DWORD i = 0; i < dwCount; i++) {
        DWORD dwId;
        ar >> dwId;
        m_arrAutoHideIds.Add(dwId);
    }
    return true;
}
