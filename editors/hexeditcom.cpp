// The COM control pane's hex editor.
#include "hexeditcom.h"

#include "resource.h"
#include "hexeditcommands.h"

IMPLEMENT_DYNCREATE(CHexEditCom, CHexEdit)

BEGIN_MESSAGE_MAP(CHexEditCom, CHexEdit)
    ON_WM_CONTEXTMENU()
    ON_COMMAND(ID_HEX_SELECT_ALL, OnSelectAll)
    ON_UPDATE_COMMAND_UI(ID_HEX_SELECT_ALL, OnUpdateSelectAll)
    ON_COMMAND(ID_HEX_COPY, OnCopy)
    ON_UPDATE_COMMAND_UI(ID_HEX_COPY, OnUpdateCopy)
    ON_COMMAND(ID_HEX_DATA_ANALYSIS, OnDataAnalysis)
    ON_COMMAND(ID_HEX_SEND_TO_SEND_EDITOR, OnSendToSendEditor)
    ON_COMMAND(ID_HEX_SAVE_AS, OnSaveAs)
    ON_COMMAND(ID_HEX_PROPERTIES, OnProperties)
END_MESSAGE_MAP()

CHexEditCom::CHexEditCom() : m_nPortIndex(0), m_pPresenter(nullptr)
{
    SetEditable(FALSE);
}

void CHexEditCom::OnContextMenu(CWnd*, CPoint point)
{
    HexShowContextMenu(*this, HexMenuPresenter(m_pPresenter), IDR_HEXEDIT_CONTEXT, point);
}

void CHexEditCom::OnSelectAll()
{
    SelectAll();
}

void CHexEditCom::OnUpdateSelectAll(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(GetModel().GetDataSize() > 0);
}

void CHexEditCom::OnCopy()
{
    Copy();
}

void CHexEditCom::OnUpdateCopy(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(!HasNoSelection());
}

void CHexEditCom::OnDataAnalysis()
{
    HexRunDataAnalysis(*this);
}

void CHexEditCom::OnSendToSendEditor()
{
    HexSendToSendEditor(*this);
}

void CHexEditCom::OnSaveAs()
{
    CString path = m_strPath;
    if (!HexAskFileName(this, FALSE, path))
        return;
    m_strPath = path;
    HexSaveEditorBytes(*this, m_strPath);
}

void CHexEditCom::OnProperties()
{
    HexShowProperties(this, 2 + m_nPortIndex);
}
