// The COM control pane's hex editor.
#include "hexeditcom.h"

#include "resource.h"
#include "hexeditcommands.h"

IMPLEMENT_DYNCREATE(CHexEditCom, CHexEditViewer)

BEGIN_MESSAGE_MAP(CHexEditCom, CHexEditViewer)
    ON_COMMAND(ID_HEX_PROPERTIES, OnProperties)
END_MESSAGE_MAP()

CHexEditCom::CHexEditCom() : m_nPortIndex(0)
{
    SetEditable(FALSE);
}

void CHexEditCom::OnProperties()
{
    HexShowProperties(this, 2 + m_nPortIndex);
}
