// The commands shared by the hex editors that show logged bytes.
#include "hexeditviewer.h"

#include "resource.h"
#include "hexeditcommands.h"

IMPLEMENT_DYNAMIC(CHexEditViewer, CHexEdit)

BEGIN_MESSAGE_MAP(CHexEditViewer, CHexEdit)
    ON_WM_CONTEXTMENU()
    ON_COMMAND(ID_HEX_SELECT_ALL, OnSelectAll)
    ON_UPDATE_COMMAND_UI(ID_HEX_SELECT_ALL, OnUpdateSelectAll)
    ON_COMMAND(ID_HEX_COPY, OnCopy)
    ON_UPDATE_COMMAND_UI(ID_HEX_COPY, OnUpdateSelection)
    ON_COMMAND(ID_HEX_DATA_ANALYSIS, OnDataAnalysis)
    ON_COMMAND(ID_HEX_SEND_TO_SEND_EDITOR, OnSendToSendEditor)
    ON_COMMAND(ID_HEX_SAVE_AS, OnSaveAs)
END_MESSAGE_MAP()

CHexEditViewer::CHexEditViewer()
{
}

void CHexEditViewer::OnContextMenu(CWnd*, CPoint point)
{
    HexShowContextMenu(*this, IDR_HEXEDIT_CONTEXT, point);
}

void CHexEditViewer::OnSelectAll()
{
    SelectAll();
}

void CHexEditViewer::OnUpdateSelectAll(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(GetModel().GetDataSize() > 0);
}

void CHexEditViewer::OnCopy()
{
    Copy();
}

void CHexEditViewer::OnUpdateSelection(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(!HasNoSelection());
}

void CHexEditViewer::OnDataAnalysis()
{
    HexRunDataAnalysis(*this);
}

void CHexEditViewer::OnSendToSendEditor()
{
    HexSendToSendEditor(*this);
}

void CHexEditViewer::OnSaveAs()
{
    CString path = m_strPath;
    if (!HexAskFileName(this, FALSE, path))
        return;
    m_strPath = path;
    HexSaveEditorBytes(*this, m_strPath);
}
