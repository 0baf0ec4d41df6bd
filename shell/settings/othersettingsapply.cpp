#include "othersettingsapply.h"

#include "popupbasewnd.h"

namespace {

IOtherSettingsHost* g_pHost = nullptr;

} // namespace

void SetOtherSettingsHost(IOtherSettingsHost* pHost)
{
    g_pHost = pHost;
}

IOtherSettingsHost* GetOtherSettingsHost()
{
    return g_pHost;
}

bool SameEditorDisplay(const CEditorDisplaySettings& a, const CEditorDisplaySettings& b)
{
    return a.nAscii == b.nAscii && a.nAddrCheck == b.nAddrCheck && a.nAddrDigits == b.nAddrDigits &&
           a.nMode == b.nMode && a.clrBack == b.clrBack && a.clrText == b.clrText && a.nFont == b.nFont &&
           a.nHead == b.nHead && a.nTextCode == b.nTextCode;
}

std::vector<WPARAM> ApplyOtherSettingsChanges(const CAppSettings& before, const CAppSettings& after)
{
    std::vector<WPARAM> refreshes;
    if (before.m_nToolSize != after.m_nToolSize)
        refreshes.push_back(kRefreshToolbarSize);
    if (before.m_nMaxLog != after.m_nMaxLog)
        refreshes.push_back(kRefreshLogList);
    if (g_pHost != nullptr) {
        if (before.m_nLogFont != after.m_nLogFont)
            g_pHost->ApplyLogFont(after);
        for (int i = 0; i < CAppSettings::EditorCount; ++i) {
            if (!SameEditorDisplay(before.m_editor[i], after.m_editor[i]))
                g_pHost->ApplyEditorSettings(i, after);
        }
    }
    CUiPopupBaseWnd::g_nDefaultAnimation = after.m_nMenuEffect;
    return refreshes;
}
