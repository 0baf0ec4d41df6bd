// The detailed log data pane's hex editor.
#include "hexeditdump.h"

#include "resource.h"
#include "hexeditcommands.h"

IMPLEMENT_DYNCREATE(CHexEditDump, CHexEdit)

BEGIN_MESSAGE_MAP(CHexEditDump, CHexEdit)
    ON_WM_CONTEXTMENU()
    ON_COMMAND(ID_HEX_SELECT_ALL, OnSelectAll)
    ON_UPDATE_COMMAND_UI(ID_HEX_SELECT_ALL, OnUpdateSelectAll)
    ON_COMMAND(ID_HEX_COPY, OnCopy)
    ON_UPDATE_COMMAND_UI(ID_HEX_COPY, OnUpdateSelection)
    ON_COMMAND(ID_HEX_DATA_ANALYSIS, OnDataAnalysis)
    ON_COMMAND(ID_HEX_SEND_TO_SEND_EDITOR, OnSendToSendEditor)
    ON_COMMAND(ID_HEX_SAVE_AS, OnSaveAs)
    ON_COMMAND(ID_HEX_PROPERTIES, OnProperties)
    ON_COMMAND(ID_HEX_MARKER, OnMarker)
    ON_UPDATE_COMMAND_UI(ID_HEX_MARKER, OnUpdateSelection)
    ON_COMMAND(ID_HEX_MARKER_INFO, OnMarkerInfo)
END_MESSAGE_MAP()

CHexEditDump::CHexEditDump() : m_pPresenter(nullptr)
{
}

void CHexEditDump::OnContextMenu(CWnd*, CPoint point)
{
    HexShowContextMenu(*this, HexMenuPresenter(m_pPresenter), IDR_HEXEDIT_CONTEXT, point);
}

void CHexEditDump::OnSelectAll()
{
    SelectAll();
}

void CHexEditDump::OnUpdateSelectAll(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(GetModel().GetDataSize() > 0);
}

void CHexEditDump::OnCopy()
{
    Copy();
}

void CHexEditDump::OnUpdateSelection(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(!HasNoSelection());
}

void CHexEditDump::OnDataAnalysis()
{
    HexRunDataAnalysis(*this);
}

void CHexEditDump::OnSendToSendEditor()
{
    HexSendToSendEditor(*this);
}

void CHexEditDump::OnSaveAs()
{
    CString path = m_strPath;
    if (!HexAskFileName(this, FALSE, path))
        return;
    m_strPath = path;
    HexSaveEditorBytes(*this, m_strPath);
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
