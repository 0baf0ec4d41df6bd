#include "pushbuttonparts.h"

#include "glyphs.h"
#include "paintparts.h"

#include <algorithm>

#include <string>

bool PushButtonParts::Begin(PushButtonPaintData& data)
{
    CRect rcClient(data.m_rcItem);
    if (rcClient.IsRectEmpty())
        return false;
    if (!data.Has(PushButtonPaintData::kEnabled))
        data.m_bFlags &= PushButtonPaintData::kDisabledMask;
    bDropDown = data.Has2(PushButtonPaintData::kDropDown);
    bSeparated = bDropDown && data.Has2(PushButtonPaintData::kSeparatedDropDown);
    bPressedLook = (data.Has(PushButtonPaintData::kPushed) && !bSeparated) ||
                   data.Has2(PushButtonPaintData::kDropDownPushed);
    rcMain = rcClient;
    rcDrop.SetRectEmpty();
    if (bDropDown) {
        if (data.Has(PushButtonPaintData::kHorz)) {
            rcMain.right -= 6 + (int)g_glyphSmallDownTriangle.Width();
            rcDrop.SetRect(rcMain.right - 1, rcClient.top, rcClient.right, rcClient.bottom);
        } else {
            rcMain.bottom -= 6 + (int)g_glyphSmallRightTriangle.Height();
            rcDrop.SetRect(rcClient.left, rcMain.bottom - 1, rcClient.right, rcClient.bottom);
        }
    }
    return true;
}

void PaintDropDownArrow(CUiPaintManager& pm, CDC& dc, const PushButtonPaintData& data, const PushButtonParts& parts,
                        COLORREF clrArrow)
{
    if (!parts.bDropDown)
        return;
    CRect rcArrow(parts.rcDrop);
    if (parts.bPressedLook) {
        CSize offset = pm.GetGlyphShadowOffset();
        rcArrow.OffsetRect(offset.cx, offset.cy);
    }
    const COLORREF colors[2] = {0, clrArrow};
    const GlyphBitmap& glyph =
        data.Has(PushButtonPaintData::kHorz) ? g_glyphSmallDownTriangle : g_glyphSmallRightTriangle;
    pm.PaintGlyphCentered(dc, rcArrow, glyph, colors);
}

namespace {

// The caller's font, the theme font, or for a vertical button a turned copy of a caller's
// font that is not turned; the copy is deleted by the destructor.
class ButtonFont {
public:
    ButtonFont(CUiPaintManager& pm, const PushButtonPaintData& data) : m_hFont(data.m_hFont), m_hOwned(NULL)
    {
        const bool bHorz = data.Has(PushButtonPaintData::kHorz);
        const bool bBold = data.Has2(PushButtonPaintData::kDefault);
        if (m_hFont == NULL) {
            CFont& font = bHorz ? (bBold ? pm.m_fontBold : pm.m_fontNormal)
                                : (bBold ? pm.m_fontBoldVert : pm.m_fontNormalVert);
            m_hFont = (HFONT)font.GetSafeHandle();
            return;
        }
        LOGFONTA lf = {};
        if (bHorz || ::GetObjectA(m_hFont, sizeof(lf), &lf) == 0 || lf.lfEscapement != 0)
            return;
        lf.lfEscapement = lf.lfOrientation = 2700;
        m_hOwned = ::CreateFontIndirectA(&lf);
        if (m_hOwned != NULL)
            m_hFont = m_hOwned;
    }
    ~ButtonFont()
    {
        if (m_hOwned != NULL)
            ::DeleteObject(m_hOwned);
    }
    HFONT Get() const { return m_hFont; }

private:
    HFONT m_hFont;
    HFONT m_hOwned;
};

void DrawHorizontalByDrawState(CDC& dc, const PushButtonPaintData& data, const CRect& rcText, UINT nFlags)
{
    RECT rcMeasure = {0, 0, 0, 0};
    dc.DrawText(data.Text(), -1, &rcMeasure, DT_CALCRECT | DT_SINGLELINE);
    const int cx = rcMeasure.right - rcMeasure.left;
    const int cy = rcMeasure.bottom - rcMeasure.top;
    int x = rcText.left;
    if ((data.m_nTextFormat & DT_CENTER) != 0)
        x = rcText.left + (rcText.Width() - cx) / 2;
    else if ((data.m_nTextFormat & DT_RIGHT) != 0)
        x = rcText.right - cx;
    int y = rcText.top;
    if ((data.m_nTextFormat & DT_VCENTER) != 0)
        y = rcText.top + (rcText.Height() - cy) / 2;
    ::DrawStateA(dc.GetSafeHdc(), NULL, NULL, (LPARAM)data.Text(), lstrlenA(data.Text()), x, y, cx, cy,
                 DST_PREFIXTEXT | nFlags);
}

} // namespace

void DrawVerticalText(CDC& dc, HFONT hFont, const CRect& rcText, LPCSTR lpszText, COLORREF clr)
{
    const std::string text(lpszText != nullptr ? lpszText : "");
    const size_t nAmp = text.find('&');
    const std::string before = nAmp == std::string::npos ? text : text.substr(0, nAmp);
    const std::string shown = nAmp == std::string::npos ? text : before + text.substr(nAmp + 1);

    HGDIOBJ hOldFont = dc.SelectObject((HGDIOBJ)hFont);
    const COLORREF clrOld = dc.SetTextColor(clr);
    RECT rcMeasure = {0, 0, 0, 0};
    dc.DrawText(shown.c_str(), -1, &rcMeasure, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    const int cxLength = rcMeasure.right - rcMeasure.left;
    const int cyHeight = rcMeasure.bottom - rcMeasure.top;
    const int left = rcText.left + (rcText.Width() - cyHeight) / 2;
    const int top = rcText.top + (rcText.Height() - cxLength) / 2;
    // A font turned by 270 degrees runs downwards from its origin and stands to the left of it.
    CRect rcDraw(left + cyHeight, top, left + cyHeight + cxLength, top + cyHeight);
    dc.DrawText(shown.c_str(), -1, &rcDraw, DT_NOCLIP | DT_SINGLELINE | DT_NOPREFIX);

    if (nAmp != std::string::npos && nAmp + 1 < text.size()) {
        const size_t nChar = ::IsDBCSLeadByte((BYTE)text[nAmp + 1]) && nAmp + 2 < text.size() ? 2 : 1;
        const std::string through = before + text.substr(nAmp + 1, nChar);
        RECT rcBefore = {0, 0, 0, 0}, rcThrough = {0, 0, 0, 0};
        dc.DrawText(before.c_str(), -1, &rcBefore, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
        dc.DrawText(through.c_str(), -1, &rcThrough, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
        TEXTMETRICA tm = {};
        ::GetTextMetricsA(dc.GetSafeHdc(), &tm);
        // One pixel below the baseline, which lies the ascent left of the origin.
        const int x = std::max(left, left + cyHeight - (int)tm.tmAscent - 1);
        HPEN hPen = ::CreatePen(PS_SOLID, 1, clr);
        HGDIOBJ hOldPen = dc.SelectObject((HGDIOBJ)hPen);
        POINT ptOld;
        ::MoveToEx(dc.GetSafeHdc(), x, top + (rcBefore.right - rcBefore.left), &ptOld);
        ::LineTo(dc.GetSafeHdc(), x, top + (rcThrough.right - rcThrough.left));
        ::MoveToEx(dc.GetSafeHdc(), ptOld.x, ptOld.y, NULL);
        dc.SelectObject(hOldPen);
        ::DeleteObject(hPen);
    }
    dc.SetTextColor(clrOld);
    dc.SelectObject(hOldFont);
}

void PaintPushButtonContent(CUiPaintManager& pm, CDC& dc, const PushButtonPaintData& data,
                            const PushButtonParts& parts, BOOL bIconPressed, const PushButtonTextStyle& style)
{
    const bool bHorz = data.Has(PushButtonPaintData::kHorz);
    const BOOL bEnabled = data.Has(PushButtonPaintData::kEnabled);
    const BOOL bHover = data.Has(PushButtonPaintData::kHover);
    CRect rcContent(parts.rcMain);
    CRect rcText(rcContent);
    if (!rcContent.IsRectEmpty()) {
        if (IsNonEmptyIcon(data.m_pIcon)) {
            pm.PaintCmdIcon(dc, bHorz, data.Text(), data.m_pIcon, rcContent, rcText, bIconPressed, bEnabled, bHover,
                            (UINT)data.m_nAlign);
        } else {
            if (bHorz)
                rcContent.DeflateRect(2, 0);
            else
                rcContent.DeflateRect(0, 2);
            rcText = rcContent;
            pm.PaintSysCmdGlyph(dc, data.m_nSysCmd, rcContent, bHover, bIconPressed, bEnabled);
        }
    }

    if (data.Text()[0] != '\0' && !rcText.IsRectEmpty()) {
        if (parts.bPressedLook) {
            CSize offset = pm.GetGlyphShadowOffset();
            rcText.OffsetRect(offset.cx, offset.cy);
        }
        ButtonFont font(pm, data);
        if (bHorz) {
            HGDIOBJ hOldFont = dc.SelectObject((HGDIOBJ)font.Get());
            const COLORREF clrOld = dc.SetTextColor(style.clrText);
            if (style.bDrawState && (data.m_bFlags3 & PushButtonPaintData::kUseDrawText) == 0)
                DrawHorizontalByDrawState(dc, data, rcText, style.nDrawStateFlags);
            else
                dc.DrawText(data.Text(), -1, &rcText, data.m_nTextFormat);
            dc.SetTextColor(clrOld);
            dc.SelectObject(hOldFont);
        } else {
            if (style.bEngraved) {
                CRect rcLight(rcText);
                rcLight.OffsetRect(1, 1);
                DrawVerticalText(dc, font.Get(), rcLight, data.Text(), style.clrLight);
            }
            DrawVerticalText(dc, font.Get(), rcText, data.Text(), style.bEngraved ? style.clrEngraved : style.clrText);
        }
    }

    if (data.Has(PushButtonPaintData::kDrawFocus)) {
        CRect rcFocus(parts.rcMain);
        rcFocus.DeflateRect(3, 3);
        dc.DrawFocusRect(&rcFocus);
    }
}
