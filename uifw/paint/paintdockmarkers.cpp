// Marker-guided docking: the marker trees with their pictures, the marker windows made from
// them, and how each look recolours the pictures.
#include "dockmarker.h"

#include "bitmaputil.h"
#include "dockmarkerpictures.h"
#include "dockmarkerwnd.h"
#include "markerbitmaps.h"
#include "paintmanagerholder.h"
#include "paintmanageroffice2003.h"
#include "paintsystem.h"
#include "themeapi.h"

namespace {

const COLORREF kMarkerKey = RGB(0, 255, 0);

struct Picture {
    const unsigned char* pData;
    DWORD dwSize;
};

Picture PictureOfKind(int nKind)
{
    switch (nKind) {
    case 0: return {g_abDockMarker_top, sizeof(g_abDockMarker_top)};
    case 1: return {g_abDockMarker_bottom, sizeof(g_abDockMarker_bottom)};
    case 2: return {g_abDockMarker_left, sizeof(g_abDockMarker_left)};
    case 3: return {g_abDockMarker_right, sizeof(g_abDockMarker_right)};
    case 4: return {g_abDockMarker_centre, sizeof(g_abDockMarker_centre)};
    case 8: return {g_abDockMarker_small, sizeof(g_abDockMarker_small)};
    default: return {nullptr, 0};
    }
}

CSize BitmapSize(HBITMAP hBitmap)
{
    BITMAP bm = {};
    if (hBitmap == NULL || ::GetObject(hBitmap, sizeof(bm), &bm) == 0)
        return CSize(-1, -1);
    return CSize(bm.bmWidth, bm.bmHeight);
}

} // namespace

CUiPaintManager::DockMarker::DockMarker() : m_nKind(-1), m_size(0, 0), m_rect(0, 0, 0, 0)
{
}

CUiPaintManager::DockMarker::~DockMarker()
{
    Reset();
}

void CUiPaintManager::DockMarker::Reset()
{
    m_bmpNormal.DeleteObject();
    m_bmpHover.DeleteObject();
    m_rgnShape.DeleteObject();
    m_nKind = -1;
    m_size = CSize(0, 0);
    m_rect.SetRectEmpty();
    for (INT_PTR i = 0; i < m_arrChildren.GetSize(); ++i)
        delete m_arrChildren[i];
    m_arrChildren.RemoveAll();
}

bool CUiPaintManager::DockMarker::Create(int nKind, const RECT& rcTarget)
{
    Reset();
    if (nKind == -1)
        return true;
    if (nKind < -1 || nKind > 8)
        return false;
    if (nKind <= 4 || nKind == 8)
        return CreatePicture(nKind, rcTarget);
    if (nKind == 5)
        return CreateEdges(rcTarget);
    if (!CreateEdges(rcTarget))
        return false;
    DockMarker* pCentre = new DockMarker;
    if (!pCentre->Create(4, rcTarget)) {
        delete pCentre;
        Reset();
        return false;
    }
    const CRect rc(rcTarget);
    const int cxBox = pCentre->m_size.cx + 12;
    const int cyBox = pCentre->m_size.cy + 12;
    CRect rcBox(CPoint(rc.left + (rc.Width() - cxBox) / 2, rc.top + (rc.Height() - cyBox) / 2), CSize(cxBox, cyBox));
    for (INT_PTR i = 0; i < m_arrChildren.GetSize(); ++i)
        m_arrChildren[i]->PlaceInRect(m_arrChildren[i]->m_nKind, rcBox);
    m_arrChildren.InsertAt(0, pCentre);
    m_nKind = 6;
    if (nKind == 7) {
        DockMarker* pSmall = new DockMarker;
        if (!pSmall->Create(8, rcTarget)) {
            delete pSmall;
            Reset();
            return false;
        }
        m_arrChildren.Add(pSmall);
        m_nKind = 7;
    }
    return true;
}

bool CUiPaintManager::DockMarker::CreatePicture(int nKind, const RECT& rcTarget)
{
    const Picture picture = PictureOfKind(nKind);
    HBITMAP hNormal = LoadBitmapFromMemory(picture.pData, picture.dwSize);
    HBITMAP hHover = LoadBitmapFromMemory(picture.pData, picture.dwSize);
    const CSize size = BitmapSize(hNormal);
    if (hNormal == NULL || hHover == NULL || size != BitmapSize(hHover)) {
        if (hNormal != NULL)
            ::DeleteObject(hNormal);
        if (hHover != NULL)
            ::DeleteObject(hHover);
        return false;
    }
    HRGN hShape = BitmapToRegion(hNormal, kMarkerKey, 0);
    if (hShape == NULL) {
        ::DeleteObject(hNormal);
        ::DeleteObject(hHover);
        return false;
    }
    m_bmpNormal.Attach(hNormal);
    m_bmpHover.Attach(hHover);
    m_rgnShape.Attach(hShape);
    m_size = size;
    m_nKind = nKind;
    PlaceInRect(nKind, rcTarget);
    PaintManagerHolder::Get()->AdjustDockMarkerColors(nKind, m_bmpNormal, kMarkerKey, m_bmpHover, kMarkerKey);
    return true;
}

bool CUiPaintManager::DockMarker::CreateEdges(const RECT& rcTarget)
{
    DockMarker* pEdges[4] = {};
    bool bOk = true;
    for (int i = 0; i < 4; ++i) {
        pEdges[i] = new DockMarker;
        bOk = bOk && pEdges[i]->Create(i, rcTarget);
    }
    if (!bOk) {
        for (DockMarker* p : pEdges)
            delete p;
        return false;
    }
    for (DockMarker* p : pEdges)
        m_arrChildren.Add(p);
    m_nKind = 5;
    return true;
}

void CUiPaintManager::DockMarker::PlaceInRect(int nKind, const RECT& rcTarget)
{
    m_rect = rcTarget;
    const int cx = m_size.cx, cy = m_size.cy;
    auto centreX = [&] {
        m_rect.left += (m_rect.Width() - cx) / 2;
        m_rect.right = m_rect.left + cx;
    };
    auto centreY = [&] {
        m_rect.top += (m_rect.Height() - cy) / 2;
        m_rect.bottom = m_rect.top + cy;
    };
    switch (nKind) {
    case 0: m_rect.bottom = m_rect.top + cy; centreX(); break;
    case 1: m_rect.top = m_rect.bottom - cy; centreX(); break;
    case 2: m_rect.right = m_rect.left + cx; centreY(); break;
    case 3: m_rect.left = m_rect.right - cx; centreY(); break;
    case 4:
    case 8: centreX(); centreY(); break;
    default: break;
    }
}

bool CUiPaintManager::DockMarker::CreateWindows(CWnd* pParent, CTypedPtrArray<CPtrArray, CUiDynDockMarkerWnd*>& arr)
{
    bool bOk = true;
    if (m_bmpNormal.GetSafeHandle() != NULL) {
        const int nKind = m_nKind;
        const CRect rc(m_rect);
        HBITMAP hNormal = (HBITMAP)m_bmpNormal.Detach();
        HBITMAP hHover = (HBITMAP)m_bmpHover.Detach();
        HRGN hShape = (HRGN)m_rgnShape.Detach();
        CUiDynDockMarkerWnd* pWnd = new CUiDynDockMarkerWnd(pParent, nKind, hHover, hNormal, hShape, rc);
        if (pWnd->GetSafeHwnd() != NULL) {
            arr.Add(pWnd);
        } else {
            delete pWnd;
            bOk = false;
        }
    }
    // The children go after the node's own window; resetting first would delete them.
    for (INT_PTR i = 0; i < m_arrChildren.GetSize(); ++i) {
        if (!m_arrChildren[i]->CreateWindows(pParent, arr))
            bOk = false;
    }
    Reset();
    return bOk;
}

BOOL CUiPaintManager::CreateDockMarkers(CWnd* pParent, int nKind, const CRect& rcTarget,
                                        CTypedPtrArray<CPtrArray, CUiDynDockMarkerWnd*>& arrMarkers)
{
    DestroyDockMarkerArray(arrMarkers);
    DockMarker tree;
    if (!tree.Create(nKind, rcTarget))
        return FALSE;
    return tree.CreateWindows(pParent, arrMarkers) ? TRUE : FALSE;
}

void CUiPaintManager::AdjustDockMarkerColors(int nKind, CBitmap& bmpNormal, COLORREF clrNormalKey, CBitmap& bmpHover,
                                             COLORREF clrHoverKey)
{
    if (nKind == 4)
        return;
    if (GetScreenBitsPerPixel() < 9) {
        ReplaceBitmapHLS(bmpNormal, clrNormalKey, 0, 0, -0.15, -1.0);
        ReplaceBitmapHLS(bmpHover, clrHoverKey, 0, 0, 0.3, -1.0);
    } else {
        ReplaceBitmapHLS(bmpHover, clrHoverKey, 0, 0, 0.35, 0);
    }
}

void CUiPaintManagerOffice2003::AdjustDockMarkerColors(int nKind, CBitmap& bmpNormal, COLORREF clrNormalKey,
                                                       CBitmap& bmpHover, COLORREF clrHoverKey)
{
    const int nScheme = PaintManagerHolder::Get().m_nScheme;
    if (nKind == 4 || GetScreenBitsPerPixel() < 9 || (nScheme != kSchemeOlive && nScheme != kSchemeSilver)) {
        CUiPaintManagerXP::AdjustDockMarkerColors(nKind, bmpNormal, clrNormalKey, bmpHover, clrHoverKey);
        return;
    }
    const double dHue = nScheme == kSchemeOlive ? 0.6 : 0.0;
    const double dSaturation = nScheme == kSchemeOlive ? -0.45 : -0.85;
    ReplaceBitmapHLS(bmpNormal, clrNormalKey, 0, dHue, 0, dSaturation);
    ReplaceBitmapHLS(bmpHover, clrHoverKey, 0, 0, 0.35, 0);
    ReplaceBitmapHLS(bmpHover, clrHoverKey, 0, dHue, 0, dSaturation);
}
