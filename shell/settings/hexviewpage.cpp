#include "hexviewpage.h"

#include "editorsettingsmodel.h"
#include "resource.h"

namespace {

// A control of the page and the field of the display record it edits.
struct FieldControl
{
    int nId;
    int CEditorDisplaySettings::*pField;
};

const FieldControl kCheckBoxes[] = {
    {IDC_HEXVIEW_HEADER, &CEditorDisplaySettings::nHead},
    {IDC_HEXVIEW_ADDRESS, &CEditorDisplaySettings::nAddrCheck},
    {IDC_HEXVIEW_CHARACTERS, &CEditorDisplaySettings::nAscii},
};

const FieldControl kDropLists[] = {
    {IDC_HEXVIEW_ADDRESS_DIGITS, &CEditorDisplaySettings::nAddrDigits},
    {IDC_HEXVIEW_GROUPING, &CEditorDisplaySettings::nMode},
    {IDC_HEXVIEW_FONT, &CEditorDisplaySettings::nFont},
    {IDC_HEXVIEW_CHAR_CODE, &CEditorDisplaySettings::nTextCode},
};

const int kSampleBytes = 0x80;

} // namespace

BEGIN_MESSAGE_MAP(CHexViewPage, CSettingsPageBase)
    ON_CONTROL_RANGE(BN_CLICKED, IDC_HEXVIEW_CHARACTERS, IDC_HEXVIEW_HEADER, OnCheckBox)
    ON_CONTROL_RANGE(CBN_SELCHANGE, IDC_HEXVIEW_GROUPING, IDC_HEXVIEW_CHAR_CODE, OnDropList)
    ON_BN_CLICKED(IDC_HEXVIEW_TEXT_COLOR, OnTextColor)
    ON_BN_CLICKED(IDC_HEXVIEW_BACK_COLOR, OnBackColor)
    ON_CBN_SELCHANGE(IDC_HEXVIEW_EDITOR_CHOICE, OnEditorChoice)
END_MESSAGE_MAP()

CHexViewPage::CHexViewPage(CWnd* pParent)
    : CSettingsPage<CAppSettings>(IDD_HEX_VIEW_PAGE, pParent), m_nEditorIndex(CAppSettings::EditorSend)
{
    Create(IDD_HEX_VIEW_PAGE, pParent);
}

void CHexViewPage::DoDataExchange(CDataExchange* pDX)
{
    CSettingsPageBase::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_HEXVIEW_TEXT_COLOR, m_textColor);
    DDX_Control(pDX, IDC_HEXVIEW_BACK_COLOR, m_backColor);
    DDX_Control(pDX, IDC_HEXVIEW_SAMPLE, m_sample);
}

BOOL CHexViewPage::OnInitDialog()
{
    CSettingsPageBase::OnInitDialog();
    COleSafeArray bytes;
    bytes.CreateOneDim(VT_UI1, kSampleBytes);
    BYTE* pBytes = nullptr;
    bytes.AccessData(reinterpret_cast<void**>(&pBytes));
    for (int i = 0; i < kSampleBytes; ++i)
        pBytes[i] = static_cast<BYTE>(i);
    bytes.UnaccessData();
    m_sample.SetEditable(FALSE);
    m_sample.SetData(bytes);
    return TRUE;
}

void CHexViewPage::PutSettings(const CAppSettings& settings)
{
    m_records.assign(settings.m_editor, settings.m_editor + CAppSettings::EditorCount);
    SetListIndex(IDC_HEXVIEW_EDITOR_CHOICE, m_nEditorIndex);
    ShowRecord();
}

int CHexViewPage::TakeSettings(CAppSettings& settings)
{
    for (size_t i = 0; i < m_records.size() && i < CAppSettings::EditorCount; ++i)
        settings.m_editor[i] = m_records[i];
    return 0;
}

CEditorDisplaySettings* CHexViewPage::Current()
{
    if (m_nEditorIndex < 0 || m_nEditorIndex >= static_cast<int>(m_records.size()))
        return nullptr;
    return &m_records[static_cast<size_t>(m_nEditorIndex)];
}

void CHexViewPage::ShowRecord()
{
    const CEditorDisplaySettings* pRecord = Current();
    if (pRecord == nullptr)
        return;
    for (const FieldControl& box : kCheckBoxes)
        SetCheck(box.nId, pRecord->*box.pField);
    for (const FieldControl& list : kDropLists)
        SetListIndex(list.nId, pRecord->*list.pField);
    m_backColor.SetColor(pRecord->clrBack);
    m_textColor.SetColor(pRecord->clrText);
    UpdateSample();
}

void CHexViewPage::UpdateSample()
{
    const CEditorDisplaySettings* pRecord = Current();
    if (pRecord == nullptr)
        return;
    // The sample shows its bytes in one decoding whatever the record chooses.
    ApplyEditorDisplaySettings(m_sample.GetModel(), *pRecord, CharCodeUse::Keep);
    m_sample.RecalcLayout();
    m_sample.Invalidate(TRUE);
    m_sample.UpdateWindow();
}

void CHexViewPage::OnCheckBox(UINT nId)
{
    CEditorDisplaySettings* pRecord = Current();
    for (const FieldControl& box : kCheckBoxes) {
        if (pRecord != nullptr && box.nId == static_cast<int>(nId)) {
            pRecord->*box.pField = GetCheck(box.nId);
            UpdateSample();
        }
    }
}

void CHexViewPage::OnDropList(UINT nId)
{
    CEditorDisplaySettings* pRecord = Current();
    for (const FieldControl& list : kDropLists) {
        if (pRecord != nullptr && list.nId == static_cast<int>(nId)) {
            pRecord->*list.pField = GetListIndex(list.nId);
            UpdateSample();
        }
    }
}

void CHexViewPage::OnTextColor()
{
    if (CEditorDisplaySettings* pRecord = Current()) {
        pRecord->clrText = m_textColor.GetColor();
        UpdateSample();
    }
}

void CHexViewPage::OnBackColor()
{
    if (CEditorDisplaySettings* pRecord = Current()) {
        pRecord->clrBack = m_backColor.GetColor();
        UpdateSample();
    }
}

void CHexViewPage::OnEditorChoice()
{
    m_nEditorIndex = GetListIndex(IDC_HEXVIEW_EDITOR_CHOICE);
    ShowRecord();
}
