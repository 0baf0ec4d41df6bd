// The system data of a paint manager: system colours and brushes, the thirteen fonts made
// from the system's menu font, and the twelve half-tone brushes.
#include "paintmanager.h"

#include "paintdraw.h"
#include "paintmanagerholder.h"
#include "paintsystem.h"

#include <algorithm>

namespace {

// The non-client metrics record without the padded-border field that later systems added.
const UINT kNonClientMetricsSize = 340;

int CALLBACK FindFaceProc(const LOGFONTA* pLogFont, const TEXTMETRICA*, DWORD, LPARAM lParam)
{
    if (lstrcmpiA(pLogFont->lfFaceName, "Tahoma") == 0) {
        *reinterpret_cast<bool*>(lParam) = true;
        return 0;
    }
    return 1;
}

bool TahomaExists()
{
    bool bFound = false;
    HDC hDC = ::GetDC(NULL);
    ::EnumFontFamiliesA(hDC, NULL, FindFaceProc, (LPARAM)&bFound);
    ::ReleaseDC(NULL, hDC);
    return bFound;
}

void CreateFontFrom(CFont& font, const LOGFONT& lfBase, LONG nEscapement, LONG nWeight, LPCSTR lpszFace,
                    bool bSmall)
{
    LOGFONT lf = lfBase;
    lf.lfEscapement = nEscapement;
    if (nWeight != 0)
        lf.lfWeight = nWeight;
    if (lpszFace != nullptr)
        lstrcpynA(lf.lfFaceName, lpszFace, LF_FACESIZE);
    if (bSmall && lf.lfHeight < -11)
        lf.lfHeight = -11;
    font.CreateFontIndirect(&lf);
}

COLORREF BlendFifths(COLORREF a, COLORREF b, int n)
{
    return RGB(GetRValue(a) + MulDiv(GetRValue(b) - GetRValue(a), n, 5),
               GetGValue(a) + MulDiv(GetGValue(b) - GetGValue(a), n, 5),
               GetBValue(a) + MulDiv(GetBValue(b) - GetBValue(a), n, 5));
}

COLORREF BlendHalf(COLORREF a, COLORREF b)
{
    return RGB(GetRValue(a) + (GetRValue(b) - GetRValue(a)) / 2, GetGValue(a) + (GetGValue(b) - GetGValue(a)) / 2,
               GetBValue(a) + (GetBValue(b) - GetBValue(a)) / 2);
}

void MakePatternBrush(CBrush& brush, COLORREF a, COLORREF b, int lines, COLORREF clrLine)
{
    HBITMAP hBitmap = MakeDitherBitmap(a, b, 1, 1, lines, lines, clrLine);
    if (hBitmap == NULL)
        return;
    brush.Attach(::CreatePatternBrush(hBitmap));
    ::DeleteObject(hBitmap);
}

} // namespace

HFONT CUiPaintManager::CreateMenuFont(BOOL bPreferTahoma)
{
    NONCLIENTMETRICSA ncm = {};
    ncm.cbSize = kNonClientMetricsSize;
    if (!::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, kNonClientMetricsSize, &ncm, 0))
        return NULL;
    LOGFONTA lf = ncm.lfMenuFont;
    lf.lfCharSet = (BYTE)::GetTextCharset(NULL);
    if (bPreferTahoma && TahomaExists())
        lstrcpynA(lf.lfFaceName, "Tahoma", LF_FACESIZE);
    return ::CreateFontIndirectA(&lf);
}

void CUiPaintManager::ReleaseFonts()
{
    CFont* fonts[] = {&m_fontNormal, &m_fontNormalVert, &m_fontNormalVertUp, &m_fontBold,
                      &m_fontBoldVert, &m_fontBoldVertUp, &m_fontNormalSmall, &m_fontNormalVertSmall,
                      &m_fontNormalVertUpSmall, &m_fontBoldSmall, &m_fontBoldVertSmall,
                      &m_fontBoldVertUpSmall, &m_fontMarlett};
    for (CFont* pFont : fonts)
        pFont->DeleteObject();
}

void CUiPaintManager::ReleaseHalftoneBrushes()
{
    for (CBrush& brush : m_brushHalftone)
        brush.DeleteObject();
}

void CUiPaintManager::SyncSystemData()
{
    PaintManagerHolder::Get().LoadThemeApi();

    ReleaseFonts();
    HFONT hMenuFont = CreateMenuFont((m_bFlags & 1) != 0);
    if (hMenuFont == NULL)
        hMenuFont = (HFONT)::GetStockObject(DEFAULT_GUI_FONT);
    if (hMenuFont == NULL)
        hMenuFont = (HFONT)::GetStockObject(SYSTEM_FONT);
    LOGFONT lf = {};
    ::GetObjectA(hMenuFont, sizeof(lf), &lf);
    // A stock font is not ours to delete.
    if (hMenuFont != (HFONT)::GetStockObject(DEFAULT_GUI_FONT) && hMenuFont != (HFONT)::GetStockObject(SYSTEM_FONT))
        ::DeleteObject(hMenuFont);

    // Windows 9x and NT 4 turn only some faces; Arial turns everywhere.
    LPCSTR lpszVertFace = (PaintManagerHolder::Get().m_wFamilyFlags & (kWin9x | kWinNT4)) != 0 ? "Arial" : nullptr;
    for (int pass = 0; pass < 2; ++pass) {
        const bool bSmall = pass == 1;
        CFont* set[6] = {&m_fontNormal, &m_fontNormalVert, &m_fontNormalVertUp,
                         &m_fontBold, &m_fontBoldVert, &m_fontBoldVertUp};
        if (bSmall) {
            CFont* small[6] = {&m_fontNormalSmall, &m_fontNormalVertSmall, &m_fontNormalVertUpSmall,
                               &m_fontBoldSmall, &m_fontBoldVertSmall, &m_fontBoldVertUpSmall};
            std::copy(small, small + 6, set);
        }
        CreateFontFrom(*set[0], lf, 0, 0, nullptr, bSmall);
        CreateFontFrom(*set[1], lf, 2700, 0, lpszVertFace, bSmall);
        CreateFontFrom(*set[2], lf, 900, 0, lpszVertFace, bSmall);
        CreateFontFrom(*set[3], lf, 0, FW_HEAVY, nullptr, bSmall);
        CreateFontFrom(*set[4], lf, 2700, FW_HEAVY, lpszVertFace, bSmall);
        CreateFontFrom(*set[5], lf, 900, FW_HEAVY, lpszVertFace, bSmall);
    }
    LOGFONT lfGlyph = lf;
    lstrcpynA(lfGlyph.lfFaceName, "Marlett", LF_FACESIZE);
    lfGlyph.lfCharSet = SYMBOL_CHARSET;
    lfGlyph.lfHeight = ::GetSystemMetrics(SM_CYMENUCHECK) - 1;
    m_fontMarlett.CreateFontIndirect(&lfGlyph);

    while (m_arrColors.GetSize() < kSysColorCount)
        m_arrColors.Add(PaintGetSysColor(COLOR_BTNFACE));
    while (m_arrBrushes.GetSize() < kSysColorCount)
        m_arrBrushes.Add(PaintGetSysColorBrush(COLOR_BTNFACE));
    for (int i = 0; i < kSysColorCount; ++i) {
        m_arrColors[i] = PaintGetSysColor(i);
        m_arrBrushes[i] = PaintGetSysColorBrush(i);
    }
}

void CUiPaintManager::InitHalftoneBrushes()
{
    ReleaseHalftoneBrushes();
    const COLORREF table[4] = {GetColor(COLOR_BTNFACE), GetColor(COLOR_BTNSHADOW), GetColor(COLOR_3DHILIGHT),
                               GetColor(COLOR_3DDKSHADOW)};
    const COLORREF system[4] = {PaintGetSysColor(COLOR_BTNFACE), PaintGetSysColor(COLOR_BTNSHADOW),
                                PaintGetSysColor(COLOR_3DHILIGHT), PaintGetSysColor(COLOR_3DDKSHADOW)};
    const COLORREF* sources[2] = {table, system};
    const bool bSolid = GetScreenBitsPerPixel() > 8;
    for (int group = 0; group < 2; ++group) {
        const COLORREF face = sources[group][0];
        const COLORREF shadow = sources[group][1];
        const COLORREF light = sources[group][2];
        const COLORREF dark = sources[group][3];
        CBrush* brushes = &m_brushHalftone[group * 6];
        if (bSolid) {
            brushes[0].CreateSolidBrush(BlendHalf(face, light));
            brushes[1].CreateSolidBrush(BlendFifths(face, light, 3));
            brushes[2].CreateSolidBrush(BlendFifths(face, light, 4));
            brushes[3].CreateSolidBrush(BlendHalf(shadow, face));
            brushes[4].CreateSolidBrush(BlendFifths(shadow, face, 2));
            brushes[5].CreateSolidBrush(BlendFifths(shadow, face, 1));
            continue;
        }
        const COLORREF kNone = (COLORREF)-1;
        MakePatternBrush(brushes[0], face, light, 0, kNone);
        MakePatternBrush(brushes[1], face, light, 1, light);
        MakePatternBrush(brushes[2], face, light, 2, light);
        MakePatternBrush(brushes[3], shadow, face, 0, kNone);
        MakePatternBrush(brushes[4], shadow, face, 1, kNone);
        MakePatternBrush(brushes[5], dark, shadow, 0, kNone);
    }
}

void CUiPaintManager::GetFontTextSizes(SIZE& size, BOOL bBold)
{
    auto textHeight = [](CFont& font) {
        HDC hDC = ::GetDC(NULL);
        HGDIOBJ hOld = ::SelectObject(hDC, font.GetSafeHandle() != NULL ? font.GetSafeHandle()
                                                                       : ::GetStockObject(DEFAULT_GUI_FONT));
        TEXTMETRICA tm = {};
        ::GetTextMetricsA(hDC, &tm);
        ::SelectObject(hDC, hOld);
        ::ReleaseDC(NULL, hDC);
        return (int)tm.tmHeight;
    };
    size.cx = textHeight(bBold ? m_fontBold : m_fontNormal) + 2;
    size.cy = textHeight(m_fontNormal) + 2;
}
