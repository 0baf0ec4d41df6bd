// The detailed log data pane's hex editor.
#include "hexeditdump.h"

#include "resource.h"
#include "hexeditcommands.h"

IMPLEMENT_DYNCREATE(CHexEditDump, CHexEditViewer)

BEGIN_MESSAGE_MAP(CHexEditDump, CHexEditViewer)
    ON_COMMAND(ID_HEX_PROPERTIES, OnProperties)
    ON_COMMAND(ID_HEX_MARKER, OnMarker)
    ON_UPDATE_COMMAND_UI(ID_HEX_MARKER, OnUpdateSelection)
    ON_COMMAND(ID_HEX_MARKER_INFO, OnMarkerInfo)
END_MESSAGE_MAP()

CHexEditDump::CHexEditDump()
{
}

void CHexEditDump::OnProperties()
{
    HexShowProperties(this, 1);
}

void CHexEditDump::OnMarker()
{
    HexRunMarkerCommand(*this);
}

void CHexEditDump::OnMarkerInfo()
{
    HexRunMarkerInfo(*this);
}
