#include "logdisplaypage.h"

#include "commsetrecord.h"
#include "resource.h"

namespace {

// One group of boxes: the box that lists the entries (bit 0x1) and the three column boxes
// (bits 0x2, 0x4, 0x8), over one mask of the set's display flags (port * 3 + kind).
struct ColumnGroup
{
    int nListId;
    int nColumnIds[3];
    int nFlagIndex;
};

const ColumnGroup kGroups[] = {
    {IDC_LOGDISP_SEND1, {IDC_LOGDISP_SEND1_BYTES, IDC_LOGDISP_SEND1_HEX, IDC_LOGDISP_SEND1_TEXT}, 1},
    {IDC_LOGDISP_RECV1, {IDC_LOGDISP_RECV1_BYTES, IDC_LOGDISP_RECV1_HEX, IDC_LOGDISP_RECV1_TEXT}, 2},
    {IDC_LOGDISP_SEND2, {IDC_LOGDISP_SEND2_BYTES, IDC_LOGDISP_SEND2_HEX, IDC_LOGDISP_SEND2_TEXT}, 4},
    {IDC_LOGDISP_RECV2, {IDC_LOGDISP_RECV2_BYTES, IDC_LOGDISP_RECV2_HEX, IDC_LOGDISP_RECV2_TEXT}, 5},
};
const int kGroupCount = sizeof(kGroups) / sizeof(kGroups[0]);

// The message switches sit at kind 0 of each port's flags.
const int kMessageIds[2] = {IDC_LOGDISP_MESSAGES1, IDC_LOGDISP_MESSAGES2};

const int kColorIds[8] = {
    IDC_LOGDISP_BACK1, IDC_LOGDISP_MESSAGE_COLOR1, IDC_LOGDISP_SEND_COLOR1, IDC_LOGDISP_RECV_COLOR1,
    IDC_LOGDISP_BACK2, IDC_LOGDISP_MESSAGE_COLOR2, IDC_LOGDISP_SEND_COLOR2, IDC_LOGDISP_RECV_COLOR2,
};

// The set's colour behind button i of kColorIds.
template <class Set>
auto& ColorOf(Set& set, int i)
{
    const int port = i / 4;
    const int slot = i % 4;
    return slot == 0 ? set.m_clrBack[port] : set.m_clrText[port][slot - 1];
}

} // namespace

BEGIN_MESSAGE_MAP(CLogDisplayPage, CSettingsPageBase)
    ON_CONTROL_RANGE(BN_CLICKED, IDC_LOGDISP_SEND1, IDC_LOGDISP_RECV2, OnListBox)
END_MESSAGE_MAP()

CLogDisplayPage::CLogDisplayPage(CWnd* pParent) : CSettingsPage<CCommSetRecord>(IDD_LOG_DISPLAY_PAGE, pParent)
{
    Create(IDD_LOG_DISPLAY_PAGE, pParent);
}

void CLogDisplayPage::DoDataExchange(CDataExchange* pDX)
{
    CSettingsPageBase::DoDataExchange(pDX);
    for (int i = 0; i < 8; ++i)
        DDX_Control(pDX, kColorIds[i], m_colors[i]);
}

void CLogDisplayPage::PutSettings(const CCommSetRecord& set)
{
    SetListIndex(IDC_LOGDISP_DATE_FORMAT, set.m_nDateFormat == 1 ? 1 : 0);
    for (int port = 0; port < 2; ++port)
        SetCheck(kMessageIds[port], set.m_nDisplayFlags[port * 3]);
    for (int g = 0; g < kGroupCount; ++g) {
        const ColumnGroup& group = kGroups[g];
        const int nMask = set.m_nDisplayFlags[group.nFlagIndex];
        SetCheck(group.nListId, nMask & 0x1);
        for (int c = 0; c < 3; ++c)
            SetCheck(group.nColumnIds[c], nMask & (0x2 << c));
        ApplyColumnRule(g);
    }
    for (int i = 0; i < 8; ++i)
        m_colors[i].SetColor(ColorOf(set, i));
}

int CLogDisplayPage::TakeSettings(CCommSetRecord& set)
{
    const int nFormat = GetListIndex(IDC_LOGDISP_DATE_FORMAT);
    set.m_nDateFormat = nFormat < 0 ? 0 : nFormat;
    for (int port = 0; port < 2; ++port)
        set.m_nDisplayFlags[port * 3] = GetCheck(kMessageIds[port]);
    for (const ColumnGroup& group : kGroups) {
        int nMask = GetCheck(group.nListId);
        for (int c = 0; c < 3; ++c)
            nMask |= GetCheck(group.nColumnIds[c]) << (c + 1);
        set.m_nDisplayFlags[group.nFlagIndex] = nMask;
    }
    for (int i = 0; i < 8; ++i)
        ColorOf(set, i) = m_colors[i].GetColor();
    return 0;
}

void CLogDisplayPage::ApplyColumnRule(int nGroup)
{
    const ColumnGroup& group = kGroups[nGroup];
    const BOOL bEnable = GetCheck(group.nListId);
    for (int id : group.nColumnIds)
        EnableItem(id, bEnable);
}

void CLogDisplayPage::OnListBox(UINT nId)
{
    for (int g = 0; g < kGroupCount; ++g) {
        if (kGroups[g].nListId == static_cast<int>(nId))
            ApplyColumnRule(g);
    }
}
