#include "settingsvalues.h"

#include <climits>

int ParseClampedInt(const char* pszText)
{
    if (pszText == nullptr)
        return 0;
    const char* p = pszText;
    while (*p == ' ' || *p == '\t')
        ++p;
    bool bNegative = false;
    if (*p == '-' || *p == '+') {
        bNegative = *p == '-';
        ++p;
    }
    // Gathered as a magnitude that stops growing once past the int range.
    const long long kLimit = bNegative ? -static_cast<long long>(INT_MIN) : INT_MAX;
    long long nValue = 0;
    for (; *p >= '0' && *p <= '9'; ++p) {
        nValue = nValue * 10 + (*p - '0');
        if (nValue > kLimit)
            nValue = kLimit;
    }
    return static_cast<int>(bNegative ? -nValue : nValue);
}

int LogEntriesFromText(const char* pszText)
{
    const int nEntries = ParseClampedInt(pszText);
    return nEntries < kMinLogEntries ? kMinLogEntries : nEntries;
}

const MenuAnimationEntry kMenuAnimations[] = {
    {"(none)", 0},
    {"Random select", 1},
    {"Roll", 2},
    {"Slide", 3},
    {"Fade", 4},
    {"Roll and stretch", 5},
    {"Slide and stretch", 6},
    {"Noise", 7},
    {"Boxes", 8},
    {"Circles", 9},
    {"Holes", 10},
    {"", 0},
};

int MenuAnimationListIndex(int nNumber)
{
    for (int i = 0; kMenuAnimations[i].szName[0] != '\0'; ++i) {
        if (kMenuAnimations[i].nNumber == nNumber)
            return i;
    }
    return 0;
}
