#include "colorctrl.h"

#include "colorcellpickers.h"
#include "colorcubepickers.h"
#include "colorhslpickers.h"
#include "colorplanepickers.h"
#include "memorydc.h"
#include "paintmanager.h"
#include "paintmanagerholder.h"
#include "resourcemanager.h"

const UINT CUiColorCtrl::g_nMsgColorChanged = ::RegisterWindowMessageA("CUiColorCtrl::g_nMsgColorChanged");

BEGIN_MESSAGE_MAP(CUiColorCtrl, CWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_SIZE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_MOUSEMOVE()
    ON_WM_KEYDOWN()
    ON_WM_CANCELMODE()
    ON_WM_KILLFOCUS()
    ON_WM_CAPTURECHANGED()
    ON_WM_QUERYNEWPALETTE()
    ON_WM_PALETTECHANGED()
    ON_WM_KEYUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_RBUTTONDOWN()
    ON_WM_RBUTTONUP()
    ON_WM_RBUTTONDBLCLK()
    ON_WM_MBUTTONDOWN()
    ON_WM_MBUTTONUP()
    ON_WM_MBUTTONDBLCLK()
END_MESSAGE_MAP()

namespace {

const UINT kIdsFirstModeName = 30343;

CUiPaintManager* PaintManager()
{
    return PaintManagerHolder::Get().GetStoredHandle();
}

}  // namespace

CUiColorCtrl::CUiColorCtrl(int nMode)
    : m_nMode(nMode >= 0 && nMode < kModeCount ? nMode : kModeBasicColors), m_bTracking(false),
      m_pBasicColors(new cell_based_data_t), m_pHslPanel(new hsl_panel_data_t),
      m_pHslBasicHue(new hsl_basic_hue_data_t), m_pHslRoller(new hsl_roller_data_t),
      m_pRgbCube(new rgb_cube_data_t), m_pRgbMixer(new rgb_mixer_data_t),
      m_pGrayscaleMixer(new grayscale_mixer_data_t), m_pCmyCube(new cmy_cube_data_t),
      m_pCmyMixer(new cmy_mixer_data_t), m_pDiff(new diff_data_t)
{
    m_pickers[kModeBasicColors] = m_pBasicColors.get();
    m_pickers[kModeHslPanel] = m_pHslPanel.get();
    m_pickers[kModeHslBasicHue] = m_pHslBasicHue.get();
    m_pickers[kModeHslRoller] = m_pHslRoller.get();
    m_pickers[kModeRgbCube] = m_pRgbCube.get();
    m_pickers[kModeRgbMixer] = m_pRgbMixer.get();
    m_pickers[kModeGrayscaleMixer] = m_pGrayscaleMixer.get();
    m_pickers[kModeCmyCube] = m_pCmyCube.get();
    m_pickers[kModeCmyMixer] = m_pCmyMixer.get();
    for (int nAxis = 0; nAxis < 6; ++nAxis) {
        m_pPlanes[nAxis].reset(new xyz_plain_data_t(nAxis));
        m_pickers[kModeFirstPlane + nAxis] = m_pPlanes[nAxis].get();
    }
    m_pickers[kModeDiff] = m_pDiff.get();
}

CUiColorCtrl::~CUiColorCtrl()
{
    ReleasePickers();
}

CUiColorCtrl::any_picker_data_t* CUiColorCtrl::GetPicker(int nMode) const
{
    return nMode >= 0 && nMode < kModeCount ? m_pickers[nMode] : nullptr;
}

CString CUiColorCtrl::GetModeName(int nMode)
{
    static const LPCSTR kNames[kModeCount - 1] = {
        " basic colors",
        " hue, saturation and luminance - mixer",
        " hue, saturation and luminance - basic hue",
        " hue, saturation and luminance - roller",
        " red, green and blue - cube",
        " red, green and blue - mixer",
        " gray scale mixer",
        " cyan, magenta and yellow - cube",
        " cyan, magenta and yellow - mixer",
        " red axis",
        " green axis",
        " blue axis",
        " cyan axis",
        " magenta axis",
        " yellow axis",
    };
    CString strName;
    if (nMode < 0 || nMode >= kModeDiff)
        return strName;
    if (!ResourceManagerHolder::GetResourceManager()->LoadString(strName, kIdsFirstModeName + nMode))
        strName = kNames[nMode];
    return strName;
}

bool CUiColorCtrl::SetMode(int nMode)
{
    if (nMode < 0 || nMode >= kModeCount)
        return false;
    ReleasePickers();
    m_nMode = nMode;
    LayoutPickers(false);
    RedrawNow();
    return true;
}

void CUiColorCtrl::SetColor(COLORREF clr, bool bNotify)
{
    clr &= 0xFFFFFF;
    if (clr != m_colors.clrCurrent) {
        m_colors.clrCurrent = clr;
        if (bNotify)
            NotifyColorChanged();
    }
    any_picker_data_t* pPicker = GetCurrentPicker();
    pPicker->SetColor(m_colors.clrCurrent);
    pPicker->SetRefColor(m_colors.clrRef);
    RedrawNow();
}

void CUiColorCtrl::ReleasePickers()
{
    for (any_picker_data_t* pPicker : m_pickers)
        pPicker->Release();
}

void CUiColorCtrl::LayoutPickers(bool bKeepColors)
{
    if (!bKeepColors)
        ReleasePickers();
    if (GetSafeHwnd() == NULL)
        return;
    CRect rc;
    GetClientRect(&rc);
    CClientDC dc(this);
    any_picker_data_t* pPicker = GetCurrentPicker();
    pPicker->Layout(&dc, &PaintManager()->m_palette, rc.Width(), rc.Height(), bKeepColors);
    pPicker->SetColor(m_colors.clrCurrent);
    pPicker->SetRefColor(m_colors.clrRef);
}

void CUiColorCtrl::DoPaint(CDC* pDC)
{
    CRect rc;
    GetClientRect(&rc);
    CPalette* pPalette = nullptr;
    CPalette* pOldPalette = nullptr;
    if ((pDC->GetDeviceCaps(RASTERCAPS) & RC_PALETTE) != 0 && PaintManager()->m_palette.GetSafeHandle() != NULL) {
        pPalette = &PaintManager()->m_palette;
        pOldPalette = pDC->SelectPalette(pPalette, FALSE);
        pDC->RealizePalette();
    }
    if (!PaintManager()->HasThemedBackground(this, 0) || !PaintManager()->PaintThemedBackground(*pDC, this, 0))
        pDC->FillSolidRect(&rc, PaintManager()->GetColor(1000));
    GetCurrentPicker()->Paint(pDC, pPalette);
    if (pOldPalette != nullptr)
        pDC->SelectPalette(pOldPalette, FALSE);
}

void CUiColorCtrl::NotifyColorChanged()
{
    CWnd* pParent = GetParent();
    if (pParent != nullptr)
        pParent->SendMessage(g_nMsgColorChanged, (WPARAM)m_hWnd, (LPARAM)&m_colors);
}

void CUiColorCtrl::PreSubclassWindow()
{
    CWnd::PreSubclassWindow();
    LayoutPickers(false);
}

void CUiColorCtrl::RedrawNow()
{
    if (GetSafeHwnd() == NULL)
        return;
    Invalidate(FALSE);
    UpdateWindow();
}

void CUiColorCtrl::OnPaint()
{
    CPaintDC dc(this);
    CRect rc;
    GetClientRect(&rc);
    if (rc.IsRectEmpty() || !dc.RectVisible(&rc))
        return;
    CUiMemoryDC dcMemory(&dc, &rc, CUiMemoryDC::kUseOffscreen);
    DoPaint(&dcMemory);
}

BOOL CUiColorCtrl::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CUiColorCtrl::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    LayoutPickers(true);
    RedrawNow();
}

void CUiColorCtrl::OnLButtonDown(UINT nFlags, CPoint point)
{
    m_bTracking = true;
    CUiMouseCaptureSink::SetCapture(m_hWnd);
    any_picker_data_t* pPicker = GetCurrentPicker();
    if (pPicker->m_clr != m_colors.clrCurrent) {
        pPicker->SetColor(m_colors.clrCurrent);
        RedrawNow();
    }
    pPicker->OnMouseDown(nFlags, point.x, point.y);
    PassMove(0, point);
}

void CUiColorCtrl::PassMove(UINT nFlags, CPoint point)
{
    any_picker_data_t* pPicker = GetCurrentPicker();
    pPicker->OnMouseMove(nFlags, point.x, point.y);
    if (pPicker->m_clr != m_colors.clrCurrent) {
        m_colors.clrPrevious = m_colors.clrCurrent;
        m_colors.clrCurrent = pPicker->m_clr;
        NotifyColorChanged();
        RedrawNow();
    }
}

void CUiColorCtrl::OnMouseMove(UINT nFlags, CPoint point)
{
    if (m_bTracking)
        PassMove(nFlags, point);
}

void CUiColorCtrl::OnLButtonUp(UINT nFlags, CPoint point)
{
    EndTracking();
    GetCurrentPicker()->OnMouseUp(nFlags, point.x, point.y);
}

void CUiColorCtrl::EndTracking()
{
    m_bTracking = false;
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
}

void CUiColorCtrl::OnKeyDown(UINT, UINT, UINT)
{
    EndTracking();
}

void CUiColorCtrl::OnCancelMode()
{
    CWnd::OnCancelMode();
    EndTracking();
}

void CUiColorCtrl::OnKillFocus(CWnd* pNewWnd)
{
    CWnd::OnKillFocus(pNewWnd);
    EndTracking();
}

void CUiColorCtrl::OnCaptureChanged(CWnd* pWnd)
{
    CWnd::OnCaptureChanged(pWnd);
}

BOOL CUiColorCtrl::OnQueryNewPalette()
{
    Invalidate(FALSE);
    UpdateWindow();
    return TRUE;
}

void CUiColorCtrl::OnPaletteChanged(CWnd*)
{
    Invalidate(FALSE);
    UpdateWindow();
}

void CUiColorCtrl::OnKeyUp(UINT, UINT, UINT) {}
void CUiColorCtrl::OnLButtonDblClk(UINT, CPoint) {}
void CUiColorCtrl::OnRButtonDown(UINT, CPoint) {}
void CUiColorCtrl::OnRButtonUp(UINT, CPoint) {}
void CUiColorCtrl::OnRButtonDblClk(UINT, CPoint) {}
void CUiColorCtrl::OnMButtonDown(UINT, CPoint) {}
void CUiColorCtrl::OnMButtonUp(UINT, CPoint) {}
void CUiColorCtrl::OnMButtonDblClk(UINT, CPoint) {}
