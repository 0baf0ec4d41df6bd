// CHexEditCom: the read-only hex editor of a COM control pane, showing the bytes its port's
// connection has buffered. Besides the shared viewer commands it has properties; its context
// menu (169) also lists the marker commands, which it does not handle, so they stay disabled.
#pragma once

#include "hexeditviewer.h"

class CHexEditCom : public CHexEditViewer {
    DECLARE_DYNCREATE(CHexEditCom)
public:
    CHexEditCom();

    int m_nPortIndex;    // 0 port 1, 1 port 2; set by the pane

    afx_msg void OnProperties();

protected:
    DECLARE_MESSAGE_MAP()
};
