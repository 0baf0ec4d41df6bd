#include "dialogs_test_support.h"

#include "afxdlgtemplate.h"
#include "paintmanager.h"
#include "paintmanagerholder.h"
#include "popupmenuwnd.h"
#include "resourcemanager.h"
#include <commctrl.h>
#include <cstring>

CWinApp theApp("uifw_dialogs_tests");

namespace dlgtest {

namespace {

void PutWord(std::vector<BYTE>& out, WORD w)
{
    out.push_back(LOBYTE(w));
    out.push_back(HIBYTE(w));
}

void PutDword(std::vector<BYTE>& out, DWORD dw)
{
    PutWord(out, LOWORD(dw));
    PutWord(out, HIWORD(dw));
}

void PutString(std::vector<BYTE>& out, const std::wstring& str)
{
    for (wchar_t ch : str)
        PutWord(out, (WORD)ch);
    PutWord(out, 0);
}

void Align(std::vector<BYTE>& out)
{
    while (out.size() % 4 != 0)
        out.push_back(0);
}

struct Walker {
    const BYTE* p;
    size_t pos = 0;
    WORD Word()
    {
        WORD w;
        memcpy(&w, p + pos, 2);
        pos += 2;
        return w;
    }
    DWORD Dword()
    {
        DWORD dw;
        memcpy(&dw, p + pos, 4);
        pos += 4;
        return dw;
    }
    std::wstring String()
    {
        std::wstring str;
        for (WORD w = Word(); w != 0; w = Word())
            str += (wchar_t)w;
        return str;
    }
    std::wstring NameOrOrdinal()
    {
        WORD w = Word();
        if (w == 0)
            return std::wstring();
        if (w == 0xFFFF)
            return L"#" + std::to_wstring(Word());
        pos -= 2;
        return String();
    }
    void Align() { pos = (pos + 3) & ~(size_t)3; }
};

bool g_bDbcsAnswer = false;

BOOL FixedDbcsAnswer()
{
    return g_bDbcsAnswer;
}

} // namespace

std::vector<ItemSpec> ThreeItems()
{
    return {{IDOK, L"Button", L"OK"}, {1000, L"ComboBox", L""}, {1001, L"Static", L"Label text"}};
}

std::vector<DWORD> BuildTemplate(const TemplateSpec& spec)
{
    std::vector<BYTE> out;
    DWORD dwStyle = spec.dwStyle | (spec.bFont ? DS_SETFONT : 0);
    if (spec.bEx) {
        PutWord(out, 1);
        PutWord(out, 0xFFFF);
        PutDword(out, 0);   // help id
        PutDword(out, 0);   // extended style
        PutDword(out, dwStyle);
    } else {
        PutDword(out, dwStyle);
        PutDword(out, 0);
    }
    PutWord(out, (WORD)spec.items.size());
    for (short n : {0, 0, 120, 60})
        PutWord(out, (WORD)n);
    PutWord(out, 0);   // menu
    PutWord(out, 0);   // class
    PutString(out, L"Template");
    if (spec.bFont) {
        PutWord(out, spec.nSize);
        if (spec.bEx) {
            PutWord(out, spec.nWeight);
            out.push_back(spec.bItalic);
            out.push_back(spec.nCharSet);
        }
        PutString(out, spec.strFace);
    }
    int y = 2;
    for (const ItemSpec& item : spec.items) {
        Align(out);
        const DWORD dwItemStyle = WS_CHILD | WS_VISIBLE;
        if (spec.bEx) {
            PutDword(out, 0);
            PutDword(out, 0);
            PutDword(out, dwItemStyle);
        } else {
            PutDword(out, dwItemStyle);
            PutDword(out, 0);
        }
        for (short n : {(short)2, (short)y, (short)60, (short)12})
            PutWord(out, (WORD)n);
        y += 14;
        if (spec.bEx)
            PutDword(out, item.nId);
        else
            PutWord(out, item.nId);
        PutString(out, item.strClass);
        PutString(out, item.strText);
        PutWord(out, 0);   // no creation data
    }
    std::vector<DWORD> aligned((out.size() + 3) / 4);
    memcpy(aligned.data(), out.data(), out.size());
    return aligned;
}

TemplateSpec ReadTemplate(const DLGTEMPLATE* pTemplate)
{
    TemplateSpec spec;
    Walker w{(const BYTE*)pTemplate};
    spec.bEx = ((const WORD*)pTemplate)[0] == 1 && ((const WORD*)pTemplate)[1] == 0xFFFF;
    if (spec.bEx) {
        w.pos = 12;
        spec.dwStyle = w.Dword();
    } else {
        spec.dwStyle = w.Dword();
        w.Dword();
    }
    WORD cItems = w.Word();
    w.pos += 8;
    w.NameOrOrdinal();
    w.NameOrOrdinal();
    w.String();
    spec.bFont = (spec.dwStyle & DS_SETFONT) != 0;
    spec.strFace.clear();
    if (spec.bFont) {
        spec.nSize = w.Word();
        if (spec.bEx) {
            spec.nWeight = w.Word();
            spec.bItalic = w.p[w.pos++];
            spec.nCharSet = w.p[w.pos++];
        }
        spec.strFace = w.String();
    }
    for (WORD i = 0; i < cItems; ++i) {
        w.Align();
        ItemSpec item;
        w.pos += spec.bEx ? 20 : 16;
        item.nId = spec.bEx ? (WORD)w.Dword() : w.Word();
        item.strClass = w.NameOrOrdinal();
        item.strText = w.NameOrOrdinal();
        w.pos += w.Word();
        spec.items.push_back(item);
    }
    return spec;
}

bool SheetFontFromComCtl(CString& strFace, WORD& nSize)
{
    HMODULE hComCtl = ::GetModuleHandleA("comctl32.dll");
    // In the resource manager's neutral language, as the framework reads it.
    HRSRC hResource = hComCtl != NULL ? ::FindResourceExA(hComCtl, (LPCSTR)RT_DIALOG, MAKEINTRESOURCEA(1006),
                                                          MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US))
                                      : NULL;
    if (hResource == NULL)
        return false;
    const DLGTEMPLATE* pTemplate = (const DLGTEMPLATE*)::LockResource(::LoadResource(hComCtl, hResource));
    TemplateSpec spec = ReadTemplate(pTemplate);
    if (!spec.bFont)
        return false;
    strFace = CString(spec.strFace.c_str());
    nSize = spec.nSize;
    return true;
}

CString DefaultGuiFace()
{
    LOGFONTA lf = {};
    ::GetObjectA(::GetStockObject(DEFAULT_GUI_FONT), sizeof(lf), &lf);
    return lf.lfFaceName;
}

DbcsAnswer::DbcsAnswer(bool bDbcs)
{
    g_bDbcsAnswer = bDbcs;
    CDialogTemplate::SetDBCSQuery(&FixedDbcsAnswer);
}

DbcsAnswer::~DbcsAnswer()
{
    CDialogTemplate::SetDBCSQuery(nullptr);
}

bool CreateShownDialog(CDialog& dlg, UINT nIDTemplate, CWnd* pParent, int x, int y)
{
    if (!dlg.Create(nIDTemplate, pParent))
        return false;
    dlg.SetWindowPos(NULL, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    dlg.ShowWindow(SW_SHOW);
    dlg.SetActiveWindow();
    return true;
}

DialogScope::DialogScope()
{
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&icc);
    PaintManagerHolder::Get().SetPaintManager(new CUiPaintManager);
    ResourceManagerHolder::InstallResourceManager(nullptr);
    CUiPopupMenuWnd::g_pfnTrackMenuHook = nullptr;
}

DialogScope::~DialogScope()
{
    CUiPopupMenuWnd::g_pfnTrackMenuHook = nullptr;
    CUiPopupMenuWnd::CloseTrackedMenus();
    ResourceManagerHolder::InstallResourceManager(nullptr);
    PaintManagerHolder::Get().SetPaintManager(nullptr);
}

} // namespace dlgtest
