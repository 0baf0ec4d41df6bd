// The element painters of the classic look. Each element brings its own painting; until it
// does, its painter leaves the context as it found it.
#include "paintmanager.h"

void CUiPaintManager::PaintToolBarExtras(CDC&, CUiToolControlBar*, int, const CRect&)
{
}

void CUiPaintManager::PaintTabItem(CDC&, const CRect&, BOOL, BOOL, BOOL, BOOL, BOOL, BOOL, BOOL, const CRect&, int, int, CFont*, LPCSTR, CUiCmdIcon*, CObject*, LPARAM)
{
}

void CUiPaintManager::PaintTabClientArea(CDC&, const CRect&, const CRect&, const CRect&, int, BOOL, CObject*, LPARAM)
{
}

void CUiPaintManager::PaintTabButton(CDC&, const CRect&, int, int, BOOL, BOOL, BOOL, BOOL, BOOL, CObject*, LPARAM)
{
}

void CUiPaintManager::PaintGripper(CDC&, GripperPaintData&)
{
}

void CUiPaintManager::PaintControlBarBorders(CDC&, BarFramePaintData&)
{
}

void CUiPaintManager::PaintControlFrame(CDC&, ControlFramePaintData&)
{
}

void CUiPaintManager::PaintComboFrame(CDC&, ComboFramePaintData&)
{
}

void CUiPaintManager::PaintControlBarBackground(CDC&, const CRect&, CWnd*, LPARAM)
{
}

void CUiPaintManager::PaintDockBarBackground(CDC&, const CRect&, CWnd*, LPARAM)
{
}

void CUiPaintManager::PaintDockSplitter(CDC&, const CRect&, DWORD, DWORD)
{
}

void CUiPaintManager::PaintArrowButton(CDC&, BOOL, const CRect&, int, BOOL, BOOL, DWORD, DWORD)
{
}

void CUiPaintManager::PaintIcon(CDC&, IconItemPaintData&)
{
}

void CUiPaintManager::PaintMenuItemInPlaceWnd(CDC&, MenuInPlaceWndPaintData&)
{
}

void CUiPaintManager::PaintSizeGrip(CDC&, const CRect&, DWORD, DWORD)
{
}

void CUiPaintManager::FillWindowColorRect(CDC&, const CRect&, LPARAM)
{
}

void CUiPaintManager::PaintFrameRect(CDC&, const CRect&)
{
}

void CUiPaintManager::PaintCaptionButtonFace(CDC&, const CRect&, LPCSTR, UINT, DWORD, DWORD, DWORD)
{
}

void CUiPaintManager::PaintCaptionText(CDC&, const CRect&, LPCSTR)
{
}

void CUiPaintManager::PaintCaptionFrame(CDC&, const CRect&, LPCSTR)
{
}

void CUiPaintManager::PaintSmallCaptionText(CDC&, const CRect&, LPCSTR, CUiCmdIcon*, BOOL, BOOL, BOOL)
{
}

void CUiPaintManager::PaintToolTipText(CDC&, const CRect&, LPCSTR)
{
}

void CUiPaintManager::PaintCaptionBackground(CDC&, const CRect&, LPCSTR)
{
}

void CUiPaintManager::PaintCaptionIcon(CDC&, const CRect&, const GlyphBitmap*, LPARAM)
{
}

void CUiPaintManager::PaintMenuBarDragger(CDC&, const CRect&, BOOL)
{
}

void CUiPaintManager::PaintResizeGripper(CDC&, const CRect&, int)
{
}

void CUiPaintManager::PaintSmallButton(CDC&, PushButtonPaintData&)
{
}

void CUiPaintManager::FillShadowColorRect(CDC&, const CRect&, DWORD, DWORD)
{
}

void CUiPaintManager::PaintPanelBackground(CDC&, const CRect&, const CRect&, CObject*, LPARAM)
{
}

void CUiPaintManager::PaintSunkenFrame(CDC&, const CRect&, DWORD, DWORD)
{
}

void CUiPaintManager::PaintPaneFrame(CDC&, const CRect&, const DWORD*)
{
}

BOOL CUiPaintManager::CreateDockMarkers(CWnd*, int, const CRect&, CTypedPtrArray<CPtrArray, CUiDynDockMarkerWnd*>&)
{
    return FALSE;
}

void CUiPaintManager::AdjustDockMarkerColors(int, CBitmap&, COLORREF, CBitmap&, COLORREF)
{
}

void CUiPaintManager::PaintDockMarkerHighlight(DWORD*, int, int, BOOL, const RECT&, const RECT&, COLORREF, COLORREF, int)
{
}

void CUiPaintManager::PaintToolBarShade(CDC&, CUiBarButton*, LPARAM)
{
}
