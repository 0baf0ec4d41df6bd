// What the command icon takes from the current look: painting in the four states, the tint
// and lightness of its generated look, and the colour of its marks.
#include "cmdicon.h"

#include "paintdraw.h"
#include "paintmanager.h"
#include "paintmanagerholder.h"
#include "paintsystem.h"

namespace {

const int kMarkColorId = 1010;

COLORREF MarkColor(COLORREF clrMark)
{
    return clrMark == CUiCmdIcon::kNoTint ? PaintManagerHolder::Get()->GetColor(kMarkColorId) : clrMark;
}

} // namespace

bool CUiCmdIcon::Paint(CDC* pDC, POINT pt, int nState, HBRUSH hBrush)
{
    if (pDC == NULL)
        return false;
    const CSize size = GetSize();
    HDC hDC = pDC->GetSafeHdc();
    // Blended looks need more than a palette; on 8 bits the flat disabled form is the
    // monochrome one.
    if (nState == kPaintFlatDisabled && (PaintManagerHolder::Get().m_wFamilyFlags & kWinNT5OrLater) != 0 &&
        ::GetBitsPerPixel(hDC) > 8) {
        if (HICON hGenerated = GetGeneratedIcon())
            return ::DrawState(hDC, NULL, NULL, (LPARAM)hGenerated, 0, pt.x, pt.y, size.cx, size.cy,
                               DST_ICON | DSS_NORMAL) != FALSE;
    }
    HICON hIcon = GetIcon();
    if (hIcon == NULL)
        return false;
    UINT nFlags = DST_ICON;
    if (nState == kPaintDisabled)
        nFlags |= DSS_DISABLED;
    else if (nState == kPaintMono || nState == kPaintFlatDisabled)
        nFlags |= DSS_MONO;
    return ::DrawState(hDC, hBrush, NULL, (LPARAM)hIcon, 0, pt.x, pt.y, size.cx, size.cy, nFlags) != FALSE;
}

void CUiCmdIcon::SyncWithPaintManager()
{
    if (CUiPaintManager* pManager = PaintManagerHolder::Get().GetStoredHandle()) {
        SetTintColor(pManager->GetIconBkColorHint());
        SetLightnessFactor(pManager->GetIconEffectFactor());
    }
    if (!IsEmpty() && IsBitmapBased())
        m_icon.Empty();
}

void CUiCmdIcon::OnSysColorChange()
{
    SyncWithPaintManager();
}

void CUiCmdIcon::OnSettingChange(UINT, LPCSTR)
{
    SyncWithPaintManager();
}

void CUiCmdIcon::OnDisplayChange(int, int, int)
{
    SyncWithPaintManager();
}

void CUiCmdIcon::OnThemeChanged(WPARAM, LPARAM)
{
    SyncWithPaintManager();
}

bool CUiCmdIcon::CreateMarkBitmap(void (*pfnPaintMark)(HDC, int, int, COLORREF), COLORREF clrMark,
                                  COLORREF clrBackground, int cx, int cy, COLORREF** ppBits)
{
    HBITMAP hBitmap = NULL;
    COLORREF* pBits = NULL;
    HDC hDC = BeginMarkBitmap(clrBackground, cx, cy, &hBitmap, &pBits);
    if (hDC == NULL)
        return false;
    pfnPaintMark(hDC, cx / 2 - 3, cy / 2 - 3, MarkColor(clrMark));
    EndMarkBitmap(hDC, hBitmap, clrBackground, pBits, ppBits);
    return true;
}

bool CUiCmdIcon::CreateCheckMarkBitmap(COLORREF clrMark, COLORREF clrBackground, int cx, int cy, COLORREF** ppBits)
{
    return CreateMarkBitmap(PaintCheckMark, clrMark, clrBackground, cx, cy, ppBits);
}

bool CUiCmdIcon::CreateRadioBitmap(COLORREF clrMark, COLORREF clrBackground, int cx, int cy, COLORREF** ppBits)
{
    return CreateMarkBitmap(PaintRadioBullet, clrMark, clrBackground, cx, cy, ppBits);
}
