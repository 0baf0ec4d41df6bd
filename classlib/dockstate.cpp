// The dock state: the frame's bar layout captured as records, stored and applied again.
//
// Stored form: the tag "KDS", a version, the record count, then per record its id, a flag
// byte (visible, floating, horizontal, dock bar, has docking memory), its point and MRU
// width, the docking memory when present and a dock bar's row ids. Every value has a fixed
// width, so writing the same state twice gives the same bytes.
#include "afxext.h"
#include "afxarchive.h"

namespace {
const DWORD kTag = 0x0053444B;   // "KDS"
const WORD kVersion = 1;

enum : BYTE {
    kVisible = 0x01,
    kFloating = 0x02,
    kHorz = 0x04,
    kDockBar = 0x08,
    kDocking = 0x10,
};

void WriteRect(CArchive& ar, const CRect& rect)
{
    ar << (LONG)rect.left << (LONG)rect.top << (LONG)rect.right << (LONG)rect.bottom;
}

void ReadRect(CArchive& ar, CRect& rect)
{
    LONG l, t, r, b;
    ar >> l >> t >> r >> b;
    rect.SetRect(l, t, r, b);
}

void WritePoint(CArchive& ar, const CPoint& pt)
{
    ar << (LONG)pt.x << (LONG)pt.y;
}

void ReadPoint(CArchive& ar, CPoint& pt)
{
    LONG x, y;
    ar >> x >> y;
    pt = CPoint(x, y);
}
}

CControlBarInfo::CControlBarInfo()
    : m_nBarID(0), m_bVisible(FALSE), m_bFloating(FALSE), m_bHorz(FALSE), m_bDockBar(FALSE), m_pointPos(0, 0),
      m_nMRUWidth(32767), m_bDocking(FALSE), m_uMRUDockID(0), m_dwMRUFloatStyle(0), m_ptMRUFloatPos(0, 0),
      m_pBar(nullptr)
{
    m_rectMRUDockPos.SetRectEmpty();
}

void CControlBarInfo::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        BYTE flags = (m_bVisible ? kVisible : 0) | (m_bFloating ? kFloating : 0) | (m_bHorz ? kHorz : 0) |
                     (m_bDockBar ? kDockBar : 0) | (m_bDocking ? kDocking : 0);
        ar << (DWORD)m_nBarID << flags;
        WritePoint(ar, m_pointPos);
        ar << (LONG)m_nMRUWidth;
        if (m_bDocking) {
            ar << (DWORD)m_uMRUDockID;
            WriteRect(ar, m_rectMRUDockPos);
            ar << (DWORD)m_dwMRUFloatStyle;
            WritePoint(ar, m_ptMRUFloatPos);
        }
        if (m_bDockBar) {
            ar << (DWORD)m_arrBarID.GetSize();
            for (INT_PTR i = 0; i < m_arrBarID.GetSize(); i++)
                ar << (DWORD)m_arrBarID[i];
        }
        return;
    }
    DWORD dwID;
    BYTE flags;
    ar >> dwID >> flags;
    m_nBarID = dwID;
    m_bVisible = (flags & kVisible) != 0;
    m_bFloating = (flags & kFloating) != 0;
    m_bHorz = (flags & kHorz) != 0;
    m_bDockBar = (flags & kDockBar) != 0;
    m_bDocking = (flags & kDocking) != 0;
    ReadPoint(ar, m_pointPos);
    LONG nWidth;
    ar >> nWidth;
    m_nMRUWidth = (int)nWidth;
    if (m_bDocking) {
        DWORD dwDockID, dwFloatStyle;
        ar >> dwDockID;
        ReadRect(ar, m_rectMRUDockPos);
        ar >> dwFloatStyle;
        ReadPoint(ar, m_ptMRUFloatPos);
        m_uMRUDockID = dwDockID;
        m_dwMRUFloatStyle = dwFloatStyle;
    }
    m_arrBarID.RemoveAll();
    if (m_bDockBar) {
        DWORD dwCount;
        ar >> dwCount;
        for (DWORD i = 0; i < dwCount; i++) {
            DWORD dw;
            ar >> dw;
            m_arrBarID.Add(dw);
        }
    }
    m_pBar = nullptr;
}

BOOL CControlBarInfo::operator==(const CControlBarInfo& o) const
{
    if (m_nBarID != o.m_nBarID || !m_bVisible != !o.m_bVisible || !m_bFloating != !o.m_bFloating ||
        !m_bHorz != !o.m_bHorz || !m_bDockBar != !o.m_bDockBar || !m_bDocking != !o.m_bDocking ||
        m_pointPos != o.m_pointPos || m_nMRUWidth != o.m_nMRUWidth || m_arrBarID.GetSize() != o.m_arrBarID.GetSize())
        return FALSE;
    if (m_bDocking && (m_uMRUDockID != o.m_uMRUDockID || m_rectMRUDockPos != o.m_rectMRUDockPos ||
                       m_dwMRUFloatStyle != o.m_dwMRUFloatStyle || m_ptMRUFloatPos != o.m_ptMRUFloatPos))
        return FALSE;
    for (INT_PTR i = 0; i < m_arrBarID.GetSize(); i++) {
        if (m_arrBarID[i] != o.m_arrBarID[i])
            return FALSE;
    }
    return TRUE;
}

// ---------------------------------------------------------------------------------------

IMPLEMENT_SERIAL(CDockState, CObject, 1)

CDockState::CDockState()
{
}

CDockState::~CDockState()
{
    Clear();
}

void CDockState::Clear()
{
    for (INT_PTR i = 0; i < m_arrBarInfo.GetSize(); i++)
        delete (CControlBarInfo*)m_arrBarInfo[i];
    m_arrBarInfo.RemoveAll();
}

void CDockState::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << kTag << kVersion << (DWORD)m_arrBarInfo.GetSize();
        for (INT_PTR i = 0; i < m_arrBarInfo.GetSize(); i++)
            GetBarInfo((int)i)->Serialize(ar);
        return;
    }
    Clear();
    DWORD dwTag, dwCount;
    WORD wVersion;
    ar >> dwTag;
    if (dwTag != kTag)
        return;
    ar >> wVersion;
    if (wVersion != kVersion)
        return;
    ar >> dwCount;
    // Each record is held before it is read: data that ends early leaves it where Clear frees it.
    for (DWORD i = 0; i < dwCount; i++) {
        CControlBarInfo* pInfo = new CControlBarInfo;
        m_arrBarInfo.Add(pInfo);
        pInfo->Serialize(ar);
    }
}

// ---------------------------------------------------------------------------------------
// A bar's record.

void CControlBar::GetBarInfo(CControlBarInfo* pInfo)
{
    pInfo->m_pBar = this;
    pInfo->m_nBarID = (UINT)GetDlgCtrlID();
    pInfo->m_bVisible = IsVisible();
    pInfo->m_bFloating = IsFloating();
    pInfo->m_bHorz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
    pInfo->m_bDockBar = IsDockBar();
    pInfo->m_nMRUWidth = m_nMRUWidth;
    // A floating dock bar's place is on the screen; every other bar's is in its parent.
    CRect rect;
    GetWindowRect(&rect);
    if (!(pInfo->m_bDockBar && pInfo->m_bFloating) && GetParent() != nullptr)
        GetParent()->ScreenToClient(&rect);
    pInfo->m_pointPos = rect.TopLeft();
    pInfo->m_bDocking = m_pDockContext != nullptr;
    if (m_pDockContext != nullptr) {
        pInfo->m_uMRUDockID = m_pDockContext->m_uMRUDockID;
        pInfo->m_rectMRUDockPos = m_pDockContext->m_rectMRUDockPos;
        pInfo->m_dwMRUFloatStyle = m_pDockContext->m_dwMRUFloatStyle;
        pInfo->m_ptMRUFloatPos = m_pDockContext->m_ptMRUFloatPos;
    }
    pInfo->m_arrBarID.RemoveAll();
    if (IsDockBar()) {
        CDockBar* pDockBar = (CDockBar*)this;
        for (INT_PTR i = 1; i < pDockBar->m_arrBars.GetSize(); i++) {
            void* p = pDockBar->m_arrBars[i];
            CControlBar* pBar = pDockBar->GetDockedControlBar((int)i);
            if (p == nullptr)
                pInfo->m_arrBarID.Add(0);
            else if (pBar == nullptr)
                pInfo->m_arrBarID.Add((DWORD)(UINT_PTR)p | CControlBarInfo::kPlaceHolderFlag);
            else
                pInfo->m_arrBarID.Add((DWORD)pBar->GetDlgCtrlID() & 0xFFFF);
        }
    }
}

void CControlBar::SetBarInfo(CControlBarInfo* pInfo, CFrameWnd* pFrameWnd)
{
    m_nMRUWidth = pInfo->m_nMRUWidth;
    if (pInfo->m_bDocking && m_pDockContext != nullptr) {
        m_pDockContext->m_uMRUDockID = pInfo->m_uMRUDockID;
        m_pDockContext->m_rectMRUDockPos = pInfo->m_rectMRUDockPos;
        m_pDockContext->m_dwMRUFloatStyle = pInfo->m_dwMRUFloatStyle;
        m_pDockContext->m_ptMRUFloatPos = pInfo->m_ptMRUFloatPos;
    }
    if (!IsDockBar()) {
        m_nStateFlags &= ~(delayHide | delayShow);
        SetWindowPos(NULL, pInfo->m_pointPos.x, pInfo->m_pointPos.y, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | (pInfo->m_bVisible ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
        return;
    }
    // A dock bar takes its rows again; each bar named in them moves in.
    CDockBar* pDockBar = (CDockBar*)this;
    pDockBar->m_arrBars.RemoveAll();
    pDockBar->m_arrBars.Add(nullptr);
    for (INT_PTR i = 0; i < pInfo->m_arrBarID.GetSize(); i++) {
        DWORD dwID = pInfo->m_arrBarID[i];
        if (dwID == 0) {
            pDockBar->m_arrBars.Add(nullptr);
            continue;
        }
        UINT nID = dwID & 0xFFFF;
        CControlBar* pBar = (dwID & CControlBarInfo::kPlaceHolderFlag) ? nullptr : pFrameWnd->GetControlBar(nID);
        if (pBar == nullptr || pBar->IsDockBar()) {
            pDockBar->m_arrBars.Add((void*)(UINT_PTR)nID);
            continue;
        }
        // A bar named twice would hold two entries, one of them left behind when it moves on.
        if (pDockBar->FindBar(pBar) > 0)
            continue;
        CDockBar* pOld = pBar->m_pDockBar;
        pBar->SetParent(pDockBar);
        if (pOld != nullptr && pOld != pDockBar)
            pOld->RemoveControlBar(pBar, -1, -1);
        pBar->m_pDockBar = pDockBar;
        DWORD dwStyle = pBar->GetBarStyle() & ~(CBRS_ALIGN_ANY | CBRS_FLOATING);
        dwStyle |= pDockBar->m_dwStyle & CBRS_ALIGN_ANY;
        if (pDockBar->m_bFloating) {
            dwStyle |= CBRS_FLOATING;
            CString strTitle;
            pBar->GetWindowText(strTitle);
            pDockBar->GetParent()->SetWindowText(strTitle);
        }
        pBar->SetBarStyle(dwStyle);
        pDockBar->m_arrBars.Add(pBar);
    }
    if (pDockBar->m_arrBars[pDockBar->m_arrBars.GetSize() - 1] != nullptr)
        pDockBar->m_arrBars.Add(nullptr);
}

// ---------------------------------------------------------------------------------------
// The frame's side.

void CFrameWnd::GetDockState(CDockState& state) const
{
    state.Clear();
    for (POSITION pos = m_listControlBars.GetHeadPosition(); pos != NULL;) {
        CControlBar* pBar = (CControlBar*)m_listControlBars.GetNext(pos);
        if (pBar->m_hWnd == NULL)
            continue;
        CControlBarInfo* pInfo = new CControlBarInfo;
        pBar->GetBarInfo(pInfo);
        state.m_arrBarInfo.Add(pInfo);
    }
}

void CFrameWnd::SetDockState(const CDockState& state)
{
    // Each record finds its bar: a floating dock bar gets a new floating frame at its place,
    // any other record the frame's bar of its id; a record whose bar is missing stays without.
    for (INT_PTR i = 0; i < state.m_arrBarInfo.GetSize(); i++) {
        CControlBarInfo* pInfo = state.GetBarInfo((int)i);
        pInfo->m_pBar = nullptr;
        if (pInfo->m_bDockBar && pInfo->m_bFloating) {
            CMiniDockFrameWnd* pFrame = CreateFloatingFrame(pInfo->m_bHorz ? CBRS_ALIGN_TOP : CBRS_ALIGN_LEFT);
            if (pFrame == nullptr)
                continue;
            CRect rect(pInfo->m_pointPos, CSize(10, 10));
            pFrame->CalcWindowRect(&rect);
            pFrame->SetWindowPos(NULL, rect.left, rect.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            pInfo->m_pBar = &pFrame->m_wndDockBar;
            continue;
        }
        CControlBar* pBar = GetControlBar(pInfo->m_nBarID);
        if (pBar != nullptr && !pBar->IsDockBar() == !pInfo->m_bDockBar && !(pBar->IsDockBar() && pBar->IsFloating()))
            pInfo->m_pBar = pBar;
    }
    // Dock bars take their rows (pulling their bars in), bars their places and memories.
    for (INT_PTR i = 0; i < state.m_arrBarInfo.GetSize(); i++) {
        CControlBarInfo* pInfo = state.GetBarInfo((int)i);
        if (pInfo->m_pBar != nullptr)
            pInfo->m_pBar->SetBarInfo(pInfo, this);
    }
    // Floating frames show with a visible bar; one left without bars goes.
    for (INT_PTR i = 0; i < state.m_arrBarInfo.GetSize(); i++) {
        CControlBarInfo* pInfo = state.GetBarInfo((int)i);
        if (pInfo->m_pBar == nullptr || !pInfo->m_bDockBar || !pInfo->m_bFloating)
            continue;
        CDockBar* pDockBar = (CDockBar*)pInfo->m_pBar;
        CFrameWnd* pFrame = pDockBar->GetParentFrame();
        if (pDockBar->GetDockedCount() == 0) {
            pInfo->m_pBar = nullptr;
            pFrame->DestroyWindow();
            continue;
        }
        pFrame->RecalcLayout();
    }
    DelayRecalcLayout();
}
