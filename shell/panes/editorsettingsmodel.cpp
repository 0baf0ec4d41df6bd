#include "editorsettingsmodel.h"

#include "conversions.h"

int AddressDigitsFromIndex(int nIndex)
{
    return nIndex > 0 ? 8 : 4;
}

int GroupDigitsFromIndex(int nIndex)
{
    switch (nIndex) {
    case 1:
        return 4;
    case 2:
        return 8;
    default:
        return 2;
    }
}

void ApplyEditorDisplaySettings(HexEditModel& model, const CEditorDisplaySettings& settings, CharCodeUse charCode)
{
    model.m_crText = settings.clrText;
    model.m_crBack = settings.clrBack;
    model.m_bShowChars = settings.nAscii;
    model.m_bShowAddress = settings.nAddrCheck;
    model.m_nAddressDigits = static_cast<short>(AddressDigitsFromIndex(settings.nAddrDigits));
    model.m_nGroupDigits = static_cast<short>(GroupDigitsFromIndex(settings.nMode));
    model.m_nFontHeight = FontPointSizeFromIndex(settings.nFont);
    model.m_bShowHeader = settings.nHead;
    if (charCode == CharCodeUse::Apply)
        model.m_nCharCode = settings.nTextCode;
}
