// The named anchor sizes.
#include "windowanchors.h"

const CSize kUiAnchorNone(-1, -1);
const CSize kUiAnchorTopLeft(0, 0);
const CSize kUiAnchorTopRight(100, 0);
const CSize kUiAnchorBottomLeft(0, 100);
const CSize kUiAnchorBottomRight(100, 100);
