#include "toolcontrolbar.h"

IMPLEMENT_DYNCREATE(CUiToolControlBar, CUiControlBar)
IMPLEMENT_DYNCREATE(CUiMenuControlBar, CUiToolControlBar)
IMPLEMENT_DYNCREATE(CUiPanelControlBar, CUiToolControlBar)

CUiToolControlBar::CUiToolControlBar()
    : m_pContentExpandButton(nullptr), m_bShowBarsInContentMenu(1), m_bNoContentExpand(0), m_bContentWrapped(0),
      m_bInRelayout(0), m_nMenuTrackingIndex(-1), m_nPressedIndex(-1), m_nHotIndex(-1)
{
    m_bBarFlags |= kFixedSize;
}

CUiToolControlBar::~CUiToolControlBar()
{
    for (INT_PTR i = 0; i < m_arrButtons.GetSize(); ++i)
        delete m_arrButtons[i];
    m_arrButtons.RemoveAll();
    m_pContentExpandButton = nullptr;
}

CUiMenuControlBar::CUiMenuControlBar()
{
}

CUiMenuControlBar::~CUiMenuControlBar()
{
}

CUiPanelControlBar::CUiPanelControlBar()
{
}

CUiPanelControlBar::~CUiPanelControlBar()
{
}
