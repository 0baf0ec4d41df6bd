// Support of the dialog tests: the application object, dialog templates built in memory and
// read back item by item, a switch of the double-byte query, and a scope that gives every
// test the classic look and a fresh resource manager.
#pragma once
#include "afxwin.h"
#include "winharness.h"
#include <string>
#include <vector>

extern CWinApp theApp;

namespace dlgtest {

struct ItemSpec {
    WORD nId;
    std::wstring strClass;   // a class name (the tests use names, not ordinals)
    std::wstring strText;
};

struct TemplateSpec {
    bool bEx = false;
    DWORD dwStyle = WS_POPUP | WS_CAPTION;
    bool bFont = true;
    std::wstring strFace = L"MS Shell Dlg";
    WORD nSize = 8;
    WORD nWeight = FW_NORMAL;
    BYTE bItalic = 0;
    BYTE nCharSet = DEFAULT_CHARSET;
    std::vector<ItemSpec> items;
};

// The template's bytes, DWORD-aligned items, 4-byte aligned storage.
std::vector<DWORD> BuildTemplate(const TemplateSpec& spec);
// Reads a template back with the tests' own walker.
TemplateSpec ReadTemplate(const DLGTEMPLATE* pTemplate);
// The three items every template test uses.
std::vector<ItemSpec> ThreeItems();

// The property-sheet font as comctl32's own template 1006 has it.
bool SheetFontFromComCtl(CString& strFace, WORD& nSize);
// The face of DEFAULT_GUI_FONT.
CString DefaultGuiFace();

// Answers the double-byte query with a fixed value while alive.
class DbcsAnswer {
public:
    explicit DbcsAnswer(bool bDbcs);
    ~DbcsAnswer();
};

// Creates the dialog from its template, placed at (x, y), shown and active.
bool CreateShownDialog(CDialog& dlg, UINT nIDTemplate, CWnd* pParent, int x = 100, int y = 100);

// The classic look, the default resource manager and no popup-menu hook; all back at the end.
class DialogScope {
public:
    DialogScope();
    ~DialogScope();
};

} // namespace dlgtest
