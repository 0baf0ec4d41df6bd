#include "settingsvalues.h"

int AtLeastMinLogEntries(int nEntries)
{
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
