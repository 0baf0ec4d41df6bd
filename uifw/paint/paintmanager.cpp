#include "paintmanager.h"

#include "glyphbitmap.h"
#include "paintmanagerholder.h"
#include "paintsystem.h"
#include "tabwnd.h"

IMPLEMENT_DYNCREATE(CUiPaintManager, CObject)

DWORD CUiPaintManager::g_dwOptions = 0;

namespace {

// Red takes seven levels, green and blue six: 7 x 6 x 6 = 252 entries, red-major.
void CreateLookPalette(CPalette& palette)
{
    const int kEntries = 252;
    BYTE buffer[sizeof(LOGPALETTE) + kEntries * sizeof(PALETTEENTRY)] = {};
    LOGPALETTE* pLog = reinterpret_cast<LOGPALETTE*>(buffer);
    pLog->palVersion = 0x300;
    pLog->palNumEntries = kEntries;
    for (int r = 0; r < 7; ++r) {
        for (int g = 0; g < 6; ++g) {
            for (int b = 0; b < 6; ++b) {
                PALETTEENTRY& entry = pLog->palPalEntry[r * 36 + g * 6 + b];
                entry.peRed = (BYTE)(r * 255 / 6);
                entry.peGreen = (BYTE)(g * 255 / 5);
                entry.peBlue = (BYTE)(b * 255 / 5);
                entry.peFlags = 0;
            }
        }
    }
    palette.CreatePalette(pLog);
}

} // namespace

void FillSolidRect(HDC hDC, const RECT& rc, COLORREF clr)
{
    COLORREF clrOld = ::SetBkColor(hDC, clr);
    ::ExtTextOutA(hDC, 0, 0, ETO_OPAQUE, &rc, NULL, 0, NULL);
    ::SetBkColor(hDC, clrOld);
}

CUiPaintManager::CUiPaintManager()
    : m_mapColorIds(10), m_hCachedDC(), m_hCachedOldBitmap(), m_nDrawStateDisabledFlag(DSS_DISABLED),
      m_bFlags(0)
{
    m_mapColorIds.InitHashTable(17, FALSE);
    CreateLookPalette(m_palette);
    if ((PaintManagerHolder::Get().m_wFamilyFlags & kWinNT5OrLater) != 0)
        m_bFlags |= 1;
}

CUiPaintManager::~CUiPaintManager()
{
    m_arrColors.RemoveAll();
    m_arrBrushes.RemoveAll();
    m_mapColorIds.RemoveAll();
    EndPaintSession(this, 0);
    ReleaseFonts();
    ReleaseHalftoneBrushes();
    m_palette.DeleteObject();
}

void CUiPaintManager::Serialize(CArchive&)
{
}

int CUiPaintManager::GetThemeKind()
{
    return 1;
}

int CUiPaintManager::GetMenuBorderSize()
{
    return 6;
}

void CUiPaintManager::EndPaintSession(CObject*, DWORD)
{
    for (int i = 0; i < 2; ++i) {
        if (m_hCachedDC[i] == NULL)
            continue;
        if (m_hCachedOldBitmap[i] != NULL)
            ::SelectObject(m_hCachedDC[i], m_hCachedOldBitmap[i]);
        ::DeleteDC(m_hCachedDC[i]);
        m_hCachedDC[i] = NULL;
        m_hCachedOldBitmap[i] = NULL;
    }
}

HBRUSH CUiPaintManager::GetBrush(int nIndex)
{
    if (nIndex < 0 || nIndex >= (int)m_arrBrushes.GetSize())
        nIndex = COLOR_BTNFACE;
    return nIndex < (int)m_arrBrushes.GetSize() ? m_arrBrushes[nIndex] : NULL;
}

BOOL CUiPaintManager::LookupColorId(int nId, int& nIndex) const
{
    DWORD dwIndex = 0;
    if (!m_mapColorIds.Lookup((DWORD)nId, dwIndex))
        return FALSE;
    nIndex = (int)dwIndex;
    return TRUE;
}

COLORREF CUiPaintManager::GetColor(int nIndex)
{
    if (nIndex >= kFirstExtendedColorId && !LookupColorId(nIndex, nIndex))
        nIndex = COLOR_BTNFACE;
    if (nIndex < 0 || nIndex >= (int)m_arrColors.GetSize())
        nIndex = COLOR_BTNFACE;
    return nIndex < (int)m_arrColors.GetSize() ? m_arrColors[nIndex] : PaintGetSysColor(COLOR_BTNFACE);
}

int CUiPaintManager::SetColorEntry(COLORREF clr, int nIndex)
{
    if (nIndex >= 0 && nIndex < (int)m_arrColors.GetSize()) {
        m_arrColors[nIndex] = clr;
        return nIndex;
    }
    return (int)m_arrColors.Add(clr);
}

void CUiPaintManager::MapColorIds(std::initializer_list<int> ids, int nIndex)
{
    for (int nId : ids)
        MapColorId(nId, nIndex);
}

COLORREF CUiPaintManager::GetThemeFillColor()
{
    return GetColor(1000);
}

COLORREF CUiPaintManager::GetMenuShadowColor()
{
    return (COLORREF)-1;
}

void CUiPaintManager::InitColorTable()
{
    // Each rebuild appends the computed colours of the look after the system entries; cut
    // them away first so that a long run of setting changes does not grow the table.
    if (m_arrColors.GetSize() > kSysColorCount)
        m_arrColors.SetSize(kSysColorCount);
    m_mapColorIds.RemoveAll();
    MapColorIds({1000, 1001, 2000}, COLOR_BTNFACE);
    MapColorIds({1002, 1003, 2002}, COLOR_3DLIGHT);
    MapColorIds({1004, 1005, 2004}, COLOR_3DHILIGHT);
    MapColorIds({1006, 1007, 2006}, COLOR_BTNSHADOW);
    MapColorIds({1008, 1009, 2008}, COLOR_3DDKSHADOW);
    MapColorIds({1010, 1011}, COLOR_WINDOWTEXT);
    MapColorId(2010, COLOR_BTNSHADOW);
}

CSize CUiPaintManager::GetGlyphShadowOffset()
{
    return CSize(1, 1);
}

void CUiPaintManager::PaintGlyph(CDC& dc, int x, int y, const GlyphBitmap& glyph, const COLORREF* pColors)
{
    const int cx = (int)glyph.Width();
    const int cy = (int)glyph.Height();
    CRect rc(x, y, x + cx, y + cy);
    if (cx == 0 || cy == 0 || pColors == nullptr || !dc.RectVisible(&rc))
        return;
    for (int row = 0; row < cy; ++row) {
        for (int col = 0; col < cx; ++col) {
            UINT nValue = glyph.Value(col, row);
            if (nValue != 0)
                dc.SetPixel(x + col, y + row, pColors[nValue]);
        }
    }
}

void CUiPaintManager::PaintGlyphCentered(CDC& dc, const CRect& rcIn, const GlyphBitmap& glyph,
                                         const COLORREF* pColors)
{
    CRect rc(rcIn);
    rc.NormalizeRect();
    if (rc.IsRectEmpty())
        return;
    int x = rc.left + (rc.Width() - (int)glyph.Width()) / 2;
    int y = rc.top + (rc.Height() - (int)glyph.Height()) / 2;
    PaintGlyph(dc, x, y, glyph, pColors);
}

int CUiPaintManager::GetMenuCheckMarkHeight()
{
    return ::GetSystemMetrics(SM_CYMENUCHECK);
}

void CUiPaintManager::GetTabItemPadding(CUiTabWnd* pTabWnd, int& nLead, int& nFar, int& nCross)
{
    nLead = 4;
    nFar = 2;
    // Tab style 0x0080 keeps the caller's cross margin.
    if (pTabWnd == nullptr || (pTabWnd->GetTabStyle() & 0x0080) == 0)
        nCross = 2;
}

CSize CUiPaintManager::GetPushButtonMargins()
{
    return CSize(6, 6);
}

int CUiPaintManager::GetFontTextHeight(BOOL bBold)
{
    SIZE size = {};
    GetFontTextSizes(size, FALSE);
    return bBold ? size.cx : size.cy;
}

int CUiPaintManager::GetMenuShadowSize()
{
    return 4;
}

int CUiPaintManager::GetToolBarButtonGap()
{
    return 2;
}

BOOL CUiPaintManager::IsMenuJoinedWithButton()
{
    return FALSE;
}

int CUiPaintManager::GetDockingDragMode()
{
    return 0;
}

BOOL CUiPaintManager::IsStudioStyleAutoHideTabs()
{
    return FALSE;
}

BOOL CUiPaintManager::HasThemedBackground(CWnd*, LPARAM)
{
    return FALSE;
}

BOOL CUiPaintManager::PaintThemedBackground(CDC&, CWnd*, LPARAM)
{
    return FALSE;
}

// One body for the four system changes: the arguments tell nothing the refresh needs.
LRESULT CUiPaintManager::OnSysColorChange()
{
    EndPaintSession(this, 0);
    SyncSystemData();
    InitColorTable();
    InitHalftoneBrushes();
    return 0;
}

LRESULT CUiPaintManager::OnSettingChange(UINT, LPCSTR)
{
    return OnSysColorChange();
}

LRESULT CUiPaintManager::OnDisplayChange(INT, INT, INT)
{
    return OnSysColorChange();
}

LRESULT CUiPaintManager::OnThemeChanged(WPARAM, LPARAM)
{
    return OnSysColorChange();
}

CSize CUiPaintManager::GetToolBarButtonOffset(BOOL)
{
    return CSize(0, 0);
}

COLORREF CUiPaintManager::GetIconBkColorHint()
{
    return (COLORREF)-1;
}

double CUiPaintManager::GetIconEffectFactor()
{
    return 0.0;
}

CSize CUiPaintManager::GetBarButtonExtraSpace()
{
    return CSize(0, 0);
}
