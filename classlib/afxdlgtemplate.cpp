// CDialogTemplate: reading and rewriting a dialog template's font.
#include "afxdlgtemplate.h"
#include <string.h>
#include <vector>

namespace {

// A bounded walk over template bytes: every read checks the remaining size and a failed
// read leaves ok false.
struct TemplateReader {
    const BYTE* p;
    UINT cb;
    UINT pos;
    bool ok;

    TemplateReader(const BYTE* pData, UINT cbData) : p(pData), cb(cbData), pos(0), ok(true) {}
    bool Skip(UINT n)
    {
        if (!ok || n > cb - pos)
            return ok = false;
        pos += n;
        return true;
    }
    WORD Word()
    {
        if (!ok || cb - pos < 2) {
            ok = false;
            return 0;
        }
        WORD w;
        memcpy(&w, p + pos, 2);
        pos += 2;
        return w;
    }
    BYTE Byte()
    {
        if (!ok || cb - pos < 1) {
            ok = false;
            return 0;
        }
        return p[pos++];
    }
    void SkipString()
    {
        while (ok && Word() != 0) {
        }
    }
    // A name or ordinal: 0 none, 0xFFFF and an ordinal, or a string.
    void SkipNameOrOrdinal()
    {
        WORD w = Word();
        if (w == 0xFFFF)
            Word();
        else if (w != 0)
            SkipString();
    }
    void AlignDword() { Skip(((pos + 3) & ~3u) - pos); }
};

// Where the parts of a template lie.
struct TemplateLayout {
    bool bEx = false;
    UINT offStyle = 0;
    UINT offFont = 0;      // where the font is, or would go
    bool bHasFont = false;
    WORD nSize = 0;
    WORD nWeight = FW_NORMAL;
    BYTE bItalic = 0;
    BYTE nCharSet = DEFAULT_CHARSET;
    CString strFace;
    UINT offItems = 0;     // the first item, DWORD-aligned
    UINT cbTotal = 0;
};

bool ReadLayout(const BYTE* p, UINT cb, TemplateLayout& layout)
{
    TemplateReader r(p, cb);
    if (cb >= 4 && ((const WORD*)p)[0] == 1 && ((const WORD*)p)[1] == 0xFFFF)
        layout.bEx = true;
    layout.offStyle = layout.bEx ? 12 : 0;
    const UINT offCount = layout.bEx ? 16 : 8;
    if (!r.Skip(layout.bEx ? 26 : 18))
        return false;
    DWORD dwStyle;
    memcpy(&dwStyle, p + layout.offStyle, 4);
    WORD cItems;
    memcpy(&cItems, p + offCount, 2);
    r.SkipNameOrOrdinal();   // menu
    r.SkipNameOrOrdinal();   // class
    r.SkipString();          // title
    if (!r.ok)
        return false;
    layout.offFont = r.pos;
    if (dwStyle & DS_SETFONT) {
        layout.bHasFont = true;
        layout.nSize = r.Word();
        if (layout.bEx) {
            layout.nWeight = r.Word();
            layout.bItalic = r.Byte();
            layout.nCharSet = r.Byte();
        }
        const UINT offFace = r.pos;
        r.SkipString();
        if (!r.ok)
            return false;
        const WCHAR* pszFace = (const WCHAR*)(p + offFace);
        layout.strFace = CString(pszFace, (int)((r.pos - offFace) / 2 - 1));
    }
    layout.offItems = (r.pos + 3) & ~3u;
    for (WORD i = 0; i < cItems && r.ok; ++i) {
        r.AlignDword();
        r.Skip(layout.bEx ? 24 : 18);
        r.SkipNameOrOrdinal();   // class
        r.SkipNameOrOrdinal();   // text
        WORD cbExtra = r.Word();
        r.Skip(cbExtra);
    }
    if (!r.ok)
        return false;
    layout.cbTotal = r.pos;
    if (layout.offItems > layout.cbTotal)
        layout.offItems = layout.cbTotal;
    return true;
}

BOOL DefaultDBCSQuery()
{
    return ::GetSystemMetrics(SM_DBCSENABLED) != 0;
}

CDialogTemplate::DBCS_QUERY g_pfnDBCSQuery = DefaultDBCSQuery;

void AppendWord(std::vector<BYTE>& out, WORD w)
{
    out.push_back(LOBYTE(w));
    out.push_back(HIBYTE(w));
}

} // namespace

void CDialogTemplate::SetDBCSQuery(DBCS_QUERY pfnQuery)
{
    g_pfnDBCSQuery = pfnQuery != nullptr ? pfnQuery : DefaultDBCSQuery;
}

BOOL CDialogTemplate::IsDBCSSystem()
{
    return g_pfnDBCSQuery();
}

CDialogTemplate::CDialogTemplate() : m_hTemplate(NULL), m_cbTemplate(0)
{
}

CDialogTemplate::CDialogTemplate(const DLGTEMPLATE* pTemplate, UINT cb) : m_hTemplate(NULL), m_cbTemplate(0)
{
    SetTemplate(pTemplate, cb);
}

CDialogTemplate::~CDialogTemplate()
{
    Free();
}

void CDialogTemplate::Free()
{
    if (m_hTemplate != NULL)
        ::GlobalFree(m_hTemplate);
    m_hTemplate = NULL;
    m_cbTemplate = 0;
}

HGLOBAL CDialogTemplate::Detach()
{
    HGLOBAL h = m_hTemplate;
    m_hTemplate = NULL;
    m_cbTemplate = 0;
    return h;
}

const DLGTEMPLATE* CDialogTemplate::GetTemplate() const
{
    return m_hTemplate != NULL ? (const DLGTEMPLATE*)::GlobalLock(m_hTemplate) : nullptr;
}

BOOL CDialogTemplate::IsDialogEx(const DLGTEMPLATE* pTemplate)
{
    const WORD* pw = (const WORD*)pTemplate;
    return pw != nullptr && pw[0] == 1 && pw[1] == 0xFFFF;
}

UINT CDialogTemplate::GetTemplateSize(const DLGTEMPLATE* pTemplate, UINT cbLimit)
{
    TemplateLayout layout;
    if (pTemplate == nullptr || !ReadLayout((const BYTE*)pTemplate, cbLimit, layout))
        return 0;
    return layout.cbTotal;
}

BOOL CDialogTemplate::SetTemplate(const DLGTEMPLATE* pTemplate, UINT cb)
{
    Free();
    if (pTemplate == nullptr)
        return FALSE;
    UINT cbWalked = GetTemplateSize(pTemplate, cb != 0 ? cb : 0x100000);
    if (cbWalked == 0)
        return FALSE;
    m_hTemplate = ::GlobalAlloc(GPTR, cbWalked);
    if (m_hTemplate == NULL)
        return FALSE;
    memcpy((void*)m_hTemplate, pTemplate, cbWalked);
    m_cbTemplate = cbWalked;
    return TRUE;
}

BOOL CDialogTemplate::GetFont(const DLGTEMPLATE* pTemplate, CString& strFaceName, WORD& nFontSize)
{
    TemplateLayout layout;
    if (pTemplate == nullptr || !ReadLayout((const BYTE*)pTemplate, 0x100000, layout) || !layout.bHasFont)
        return FALSE;
    strFaceName = layout.strFace;
    nFontSize = layout.nSize;
    return TRUE;
}

BOOL CDialogTemplate::HasFont() const
{
    TemplateLayout layout;
    return m_hTemplate != NULL && ReadLayout((const BYTE*)m_hTemplate, m_cbTemplate, layout) && layout.bHasFont;
}

BOOL CDialogTemplate::GetFont(CString& strFaceName, WORD& nFontSize) const
{
    TemplateLayout layout;
    if (m_hTemplate == NULL || !ReadLayout((const BYTE*)m_hTemplate, m_cbTemplate, layout) || !layout.bHasFont)
        return FALSE;
    strFaceName = layout.strFace;
    nFontSize = layout.nSize;
    return TRUE;
}

BOOL CDialogTemplate::SetFont(LPCTSTR lpszFaceName, WORD nFontSize)
{
    TemplateLayout layout;
    const BYTE* p = (const BYTE*)m_hTemplate;
    if (p == nullptr || lpszFaceName == nullptr || !ReadLayout(p, m_cbTemplate, layout))
        return FALSE;
    std::vector<BYTE> out(p, p + layout.offFont);
    DWORD dwStyle;
    memcpy(&dwStyle, out.data() + layout.offStyle, 4);
    dwStyle |= DS_SETFONT;
    memcpy(out.data() + layout.offStyle, &dwStyle, 4);
    AppendWord(out, nFontSize);
    if (layout.bEx) {
        AppendWord(out, layout.nWeight);
        out.push_back(layout.bItalic);
        out.push_back(layout.nCharSet);
    }
    int cch = ::MultiByteToWideChar(CP_ACP, 0, lpszFaceName, -1, NULL, 0);
    if (cch <= 0)
        return FALSE;
    std::vector<WCHAR> face((size_t)cch);
    ::MultiByteToWideChar(CP_ACP, 0, lpszFaceName, -1, face.data(), cch);
    for (WCHAR ch : face)
        AppendWord(out, ch);
    while (out.size() % 4 != 0)
        out.push_back(0);
    out.insert(out.end(), p + layout.offItems, p + layout.cbTotal);

    HGLOBAL hNew = ::GlobalAlloc(GPTR, out.size());
    if (hNew == NULL)
        return FALSE;
    memcpy((void*)hNew, out.data(), out.size());
    Free();
    m_hTemplate = hNew;
    m_cbTemplate = (UINT)out.size();
    return TRUE;
}

BOOL CDialogTemplate::SetSystemFont()
{
    CString strFace;
    WORD nSize = 0;
    const BOOL bHasFont = GetFont(strFace, nSize);
    const bool bOldFace = strFace.CompareNoCase("MS Shell Dlg") == 0 ||
                          strFace.CompareNoCase("MS Sans Serif") == 0 || strFace.CompareNoCase("Helv") == 0;
    if (bHasFont && !(bOldFace && IsDBCSSystem()))
        return m_hTemplate != NULL;
    CString strSystemFace = "System";
    HGDIOBJ hFont = ::GetStockObject(DEFAULT_GUI_FONT);
    LOGFONTA lf = {};
    if (hFont != NULL && ::GetObjectA(hFont, sizeof(lf), &lf) != 0 && lf.lfFaceName[0] != '\0')
        strSystemFace = lf.lfFaceName;
    if (!bHasFont || nSize == 8)
        nSize = 0;
    return SetFont(strSystemFace, nSize);
}
