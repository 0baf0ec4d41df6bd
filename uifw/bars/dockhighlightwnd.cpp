#include "dockhighlightwnd.h"

#include <algorithm>

#include "controlbar.h"
#include "dockbar.h"
#include "dockmarkerwnd.h"
#include "paintmanager.h"
#include "paintmanagerholder.h"

IMPLEMENT_DYNAMIC(CUiDynDockHighlightWnd, CWnd)

BEGIN_MESSAGE_MAP(CUiDynDockHighlightWnd, CWnd)
    ON_WM_MOUSEACTIVATE()
    ON_WM_PAINT()
    ON_WM_NCHITTEST()
END_MESSAGE_MAP()

const char* const CUiDynDockHighlightWnd::kClassName = "VaviRIZ-DynDockHighlightWnd";

namespace {

bool RegisterHighlightClass()
{
    HINSTANCE hInstance = ::GetModuleHandleA(NULL);
    WNDCLASSA wc = {};
    if (::GetClassInfoA(hInstance, CUiDynDockHighlightWnd::kClassName, &wc))
        return true;
    wc.style = CS_GLOBALCLASS;
    wc.lpfnWndProc = ::DefWindowProcA;
    wc.hInstance = hInstance;
    wc.hCursor = ::LoadCursor(NULL, IDC_ARROW);
    wc.lpszClassName = CUiDynDockHighlightWnd::kClassName;
    return ::RegisterClassA(&wc) != 0;
}

// The main and tab rectangles of a tabbed-group shape in a client area of the size.
void TabbedShape(const CSize& size, CRect& rcMain, CRect& rcTab)
{
    const int th = CUiDynDockHighlightWnd::TabHeightFor(size.cy);
    rcMain.SetRect(0, 0, size.cx, size.cy - th);
    int nWidth = 36;
    if (8 + nWidth > size.cx)
        nWidth = (size.cx - 8) / 2;
    rcTab.SetRect(8, size.cy - th, 8 + nWidth, size.cy);
}

} // namespace

bool CUiDynDockHighlightWnd::CalcHighlightRect(CUiDynDockMarkerWnd* pMarker, CRect& rc)
{
    CUiControlBar* pDragged = CUiControlBar::GetBarBeingDragged();
    if (pMarker == nullptr || pDragged == nullptr)
        return false;
    const int nType = pMarker->GetMarkerType();
    if (HWND hTarget = pMarker->GetTargetWnd()) {
        if (!::GetWindowRect(hTarget, &rc))
            return false;
        CWnd* pTarget = CWnd::FromHandlePermanent(hTarget);
        // Beside a bar, or into its group: where the drop puts the dragged bar, or the group.
        if (pTarget != nullptr && pTarget->IsKindOf(RUNTIME_CLASS(CUiControlBar))) {
            CUiControlBar* pBar = static_cast<CUiControlBar*>(pTarget);
            if (nType >= 0 && nType < 4)
                rc = pDragged->PlaceBeside(pBar, kFrameSides[nType]);
            else if (nType == 8)
                rc = CUiDockBar::PlaceOnceLeft(CUiControlBar::HostOfJoining(pBar), pDragged);
            else
                return false;
            return !rc.IsRectEmpty();
        }
    } else {
        CUiDynDockMarkerWnd::MarkerArray& outer = CUiDynDockMarkerWnd::OuterDockMarkers;
        if (outer.GetSize() != 4)
            return false;
        CRect rcMarker[4];
        for (int i = 0; i < 4; ++i) {
            if (outer[i]->GetSafeHwnd() == NULL)
                return false;
            outer[i]->GetWindowRect(&rcMarker[i]);
        }
        rc.SetRect(rcMarker[2].left, rcMarker[0].top, rcMarker[3].right, rcMarker[1].bottom);
    }
    // A side of the view or of the frame: the place the layout will give the bar there, a new
    // ring inside the others or outside them.
    if (nType >= 0 && nType < 4) {
        rc = pDragged->PlaceOfNewRowOnSide(kFrameSides[nType], nullptr, pMarker->GetTargetWnd() == NULL);
        return !rc.IsRectEmpty();
    }
    return nType == 8;
}

CUiDynDockHighlightWnd::CUiDynDockHighlightWnd(CUiDynDockMarkerWnd* pMarker) : m_pMarker(pMarker)
{
    CRect rc;
    if (!CalcHighlightRect(pMarker, rc) || !RegisterHighlightClass())
        return;
    CWnd* pOwner = CUiDynDockMarkerWnd::EnsureOwnerWnd();
    if (pOwner == nullptr)
        return;
    TakeSnapshot(rc);
    if (!CreateEx(WS_EX_TOPMOST, kClassName, "", WS_POPUP, rc, pOwner, 0))
        return;
    SetWindowPos(pOwner, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    // Behind every marker, their own order kept: the cursor rests on one of them, and the
    // window under the cursor must be that marker for the drop to dock there.
    HWND hLowest = NULL;
    for (HWND h = ::GetTopWindow(NULL); h != NULL; h = ::GetWindow(h, GW_HWNDNEXT)) {
        CWnd* p = CWnd::FromHandlePermanent(h);
        if (p != nullptr && p->IsKindOf(RUNTIME_CLASS(CUiDynDockMarkerWnd)))
            hLowest = h;
    }
    if (hLowest != NULL)
        ::SetWindowPos(m_hWnd, hLowest, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
}

LRESULT CUiDynDockHighlightWnd::OnNcHitTest(CPoint)
{
    // Never the window under the cursor: the drag looks through it for the markers.
    return HTTRANSPARENT;
}

CUiDynDockHighlightWnd::~CUiDynDockHighlightWnd()
{
    if (m_hWnd != NULL)
        DestroyWindow();
}

BOOL CUiDynDockHighlightWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!RegisterHighlightClass() || !CWnd::PreCreateWindow(cs))
        return FALSE;
    cs.lpszClass = kClassName;
    return TRUE;
}

void CUiDynDockHighlightWnd::TakeSnapshot(const CRect& rcScreen)
{
    const int cx = rcScreen.Width(), cy = rcScreen.Height();
    if (cx <= 0 || cy <= 0)
        return;
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = cx;
    bmi.bmiHeader.biHeight = cy;   // bottom-up, as the tint expects
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    void* pBits = nullptr;
    HDC hScreen = ::GetDC(NULL);
    HBITMAP hDib = ::CreateDIBSection(hScreen, &bmi, DIB_RGB_COLORS, &pBits, NULL, 0);
    if (hDib == NULL || pBits == nullptr) {
        ::ReleaseDC(NULL, hScreen);
        return;
    }
    HDC hMem = ::CreateCompatibleDC(hScreen);
    HGDIOBJ hOld = ::SelectObject(hMem, hDib);
    ::BitBlt(hMem, 0, 0, cx, cy, hScreen, rcScreen.left, rcScreen.top, SRCCOPY);
    ::SelectObject(hMem, hOld);
    ::DeleteDC(hMem);
    ::ReleaseDC(NULL, hScreen);
    ::GdiFlush();

    CRect rcMain(0, 0, 0, 0), rcTab(0, 0, 0, 0);
    const bool bTabbed = m_pMarker->GetMarkerType() == 8;
    if (bTabbed)
        TabbedShape(CSize(cx, cy), rcMain, rcTab);
    PaintManagerHolder::Get()->PaintDockMarkerHighlight(static_cast<DWORD*>(pBits), cx, cy, bTabbed ? TRUE : FALSE,
                                                        rcMain, rcTab, (COLORREF)-1, (COLORREF)-1, 2);
    m_bmpImage.Attach(hDib);
}

int CUiDynDockHighlightWnd::OnMouseActivate(CWnd*, UINT, UINT)
{
    return MA_NOACTIVATEANDEAT;
}

void CUiDynDockHighlightWnd::OnPaint()
{
    CPaintDC dc(this);
    CRect rc;
    GetClientRect(&rc);
    if (rc.IsRectEmpty() || m_bmpImage.GetSafeHandle() == NULL)
        return;
    CDC dcMem;
    if (!dcMem.CreateCompatibleDC(&dc))
        return;
    CBitmap* pOld = dcMem.SelectObject(&m_bmpImage);
    dc.BitBlt(0, 0, rc.Width(), rc.Height(), &dcMem, 0, 0, SRCCOPY);
    dcMem.SelectObject(pOld);
}
