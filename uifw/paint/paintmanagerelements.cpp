// The element painters of the classic look. Each element brings its own painting; until it
// does, its painter leaves the context as it found it.
#include "paintmanager.h"

void CUiPaintManager::PaintContentExpandButton(CDC&, const CRect&, BOOL, BOOL, BOOL, BOOL, BOOL, CObject*, LPARAM, BOOL)
{
}

void CUiPaintManager::PaintMenuExpandButton(CDC&, const CRect&, BOOL, CObject*)
{
}

void CUiPaintManager::PaintClientAreaBorder(CDC&, const CRect&, CObject*, LPARAM)
{
}

void CUiPaintManager::PaintResizableDialogNcBorder(CDC&, const CRect&, CObject*, LPARAM)
{
}

void CUiPaintManager::PaintCmdIcon(CDC&, BOOL, LPCSTR, CUiCmdIcon*, const CRect&, CRect&, BOOL, BOOL, BOOL, UINT)
{
}

void CUiPaintManager::PaintBarNcAreaButton(CDC&, NcButtonPaintData&)
{
}

void CUiPaintManager::PaintSysCmdGlyph(CDC&, UINT, const CRect&, BOOL, BOOL, BOOL)
{
}

void CUiPaintManager::PaintPushButton(CDC&, PushButtonPaintData&)
{
}

void CUiPaintManager::PaintInsertionMarker(CDC&, const CRect&, BOOL, BOOL)
{
}

void CUiPaintManager::PaintFocusFrame(CDC&, const CRect&)
{
}

void CUiPaintManager::PaintMenuItem(CDC&, MenuItemPaintData&)
{
}

void CUiPaintManager::PaintInsetLine(CDC&, const CRect&, int, BOOL, CObject*, LPARAM)
{
}

void CUiPaintManager::PaintSeparator(CDC&, const CRect&, BOOL, BOOL, CObject*, LPARAM)
{
}

void CUiPaintManager::PaintMenuBorder(CDC&, const CRect&, CObject*, LPARAM)
{
}

void CUiPaintManager::PaintMenuJoinedArea(CDC&, const CRect&, const CRect&, int, CObject*, LPARAM)
{
}

void CUiPaintManager::PaintStatusPane(CDC&, StatusPanePaintData&)
{
}

void CUiPaintManager::PaintSmallButton(CDC&, PushButtonPaintData&)
{
}

