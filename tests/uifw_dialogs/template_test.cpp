// Dialog templates in memory: the font rewritten with every item kept, the system-font rule
// on both sides of the double-byte query, and the property-sheet font rules.
#include "dialogs_test_support.h"

#include "afxdlgtemplate.h"
#include "dlgtemplatefont.h"

using namespace dlgtest;

namespace {

TemplateSpec Rewritten(const TemplateSpec& spec, bool (*rule)(CDialogTemplate&))
{
    std::vector<DWORD> bytes = BuildTemplate(spec);
    CDialogTemplate dlgTemplate((const DLGTEMPLATE*)bytes.data(), (UINT)(bytes.size() * 4));
    EXPECT_TRUE(rule(dlgTemplate));
    return ReadTemplate(dlgTemplate.GetTemplate());
}

bool ToTahoma9(CDialogTemplate& t)
{
    return t.SetFont("Tahoma", 9) != FALSE;
}

bool SystemRule(CDialogTemplate& t)
{
    return t.SetSystemFont() != FALSE;
}

bool DialogRule(CDialogTemplate& t)
{
    return UiApplyDialogFontRule(t);
}

void ExpectSameItems(const TemplateSpec& expected, const TemplateSpec& actual)
{
    ASSERT_EQ(expected.items.size(), actual.items.size());
    for (size_t i = 0; i < expected.items.size(); ++i) {
        EXPECT_EQ(expected.items[i].nId, actual.items[i].nId);
        EXPECT_TRUE(expected.items[i].strClass == actual.items[i].strClass);
        EXPECT_TRUE(expected.items[i].strText == actual.items[i].strText);
    }
}

std::wstring Wide(const CString& str)
{
    std::wstring out;
    WCHAR buf[64] = {};
    ::MultiByteToWideChar(CP_ACP, 0, str, -1, buf, 64);
    out = buf;
    return out;
}

} // namespace

TEST(DialogTemplateTest, BothFormsTakeANewFontAndKeepEveryItem)
{
    TemplateSpec spec;
    spec.items = ThreeItems();
    TemplateSpec plain = Rewritten(spec, ToTahoma9);
    EXPECT_FALSE(plain.bEx);
    EXPECT_TRUE(plain.strFace == L"Tahoma");
    EXPECT_EQ(9, plain.nSize);
    ExpectSameItems(spec, plain);

    spec.bEx = true;
    spec.nWeight = FW_BOLD;
    spec.bItalic = 1;
    spec.nCharSet = SHIFTJIS_CHARSET;
    TemplateSpec ex = Rewritten(spec, ToTahoma9);
    EXPECT_TRUE(ex.bEx);
    EXPECT_TRUE(ex.strFace == L"Tahoma");
    EXPECT_EQ(9, ex.nSize);
    EXPECT_EQ(FW_BOLD, ex.nWeight);
    EXPECT_EQ(1, ex.bItalic);
    EXPECT_EQ(SHIFTJIS_CHARSET, ex.nCharSet);
    ExpectSameItems(spec, ex);
}

TEST(DialogTemplateTest, TheSystemFontRuleTakesOldFacesOnlyOnADoubleByteSystem)
{
    TemplateSpec spec;
    spec.strFace = L"MS Sans Serif";
    spec.items = ThreeItems();
    {
        DbcsAnswer dbcs(true);
        TemplateSpec rewritten = Rewritten(spec, SystemRule);
        EXPECT_TRUE(rewritten.strFace == Wide(DefaultGuiFace()));
        EXPECT_EQ(0, rewritten.nSize);
        ExpectSameItems(spec, rewritten);
    }
    {
        DbcsAnswer dbcs(false);
        TemplateSpec kept = Rewritten(spec, SystemRule);
        EXPECT_TRUE(kept.strFace == L"MS Sans Serif");
        EXPECT_EQ(8, kept.nSize);
    }
    // Without a font the template gets one, on either side.
    spec.bFont = false;
    DbcsAnswer dbcs(false);
    TemplateSpec given = Rewritten(spec, SystemRule);
    EXPECT_TRUE(given.bFont);
    EXPECT_TRUE(given.strFace == Wide(DefaultGuiFace()));
    EXPECT_EQ(0, given.nSize);
    ExpectSameItems(spec, given);
}

TEST(DialogTemplateTest, ADamagedTemplateIsRefused)
{
    TemplateSpec spec;
    spec.items = ThreeItems();
    std::vector<DWORD> bytes = BuildTemplate(spec);
    // Cut inside the last item: the walk would run past the end.
    CDialogTemplate cut((const DLGTEMPLATE*)bytes.data(), (UINT)(bytes.size() * 4 - 8));
    EXPECT_EQ(NULL, cut.GetHandle());
    EXPECT_FALSE(cut.SetFont("Tahoma", 9));
}

TEST(DialogFontRuleTest, TheSheetFontReplacesOnlyOldFacesAtItsSize)
{
    ::LoadLibraryA("comctl32.dll");
    CString strSheetFace;
    WORD nSheetSize = 0;
    ASSERT_TRUE(SheetFontFromComCtl(strSheetFace, nSheetSize));
    CString strRead;
    WORD nRead = 0;
    ASSERT_TRUE(GetPropSheetFont(strRead, nRead, false));
    EXPECT_EQ(strSheetFace, strRead);
    EXPECT_EQ(nSheetSize, nRead);

    TemplateSpec spec;
    spec.items = ThreeItems();
    spec.strFace = L"MS Sans Serif";
    spec.nSize = nSheetSize;
    {
        DbcsAnswer dbcs(false);
        TemplateSpec sheet = Rewritten(spec, DialogRule);
        EXPECT_TRUE(sheet.strFace == Wide(strSheetFace));
        EXPECT_EQ(nSheetSize, sheet.nSize);
        ExpectSameItems(spec, sheet);

        spec.strFace = L"Arial";
        spec.nSize = 8;
        EXPECT_TRUE(Rewritten(spec, DialogRule).strFace == L"Arial");

        spec.strFace = L"MS Shell Dlg";
        spec.nSize = (WORD)(nSheetSize + 2);
        TemplateSpec other = Rewritten(spec, DialogRule);
        EXPECT_TRUE(other.strFace == L"MS Shell Dlg");
        EXPECT_EQ(nSheetSize + 2, other.nSize);
    }
    DbcsAnswer dbcs(true);
    EXPECT_TRUE(Rewritten(spec, DialogRule).strFace == Wide(DefaultGuiFace()));
    EXPECT_EQ(nSheetSize + 2, Rewritten(spec, DialogRule).nSize);
    spec.strFace = L"Arial";
    EXPECT_TRUE(Rewritten(spec, DialogRule).strFace == L"Arial");
}
