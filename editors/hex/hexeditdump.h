// CHexEditDump: the hex editor of the detailed log data pane, showing the bytes of the
// selected log entry (the pane makes it read-only). Besides the shared viewer commands it has
// properties, the marker command and the marker-information dialog, which work although it
// is read-only.
#pragma once

#include "hexeditviewer.h"

class CHexEditDump : public CHexEditViewer {
    DECLARE_DYNCREATE(CHexEditDump)
public:
    CHexEditDump();

    afx_msg void OnProperties();
    afx_msg void OnMarker();
    afx_msg void OnMarkerInfo();

protected:
    DECLARE_MESSAGE_MAP()
};
