// The framework's toolbar with the menu bar and the panel bar that derive from it. The
// paint manager reads the toolbar's four option and layout bits by name, the index of the
// button whose menu is open and the button array.
#pragma once
#include "afxtempl.h"
#include "barbutton.h"
#include "controlbar.h"

class CUiToolControlBar : public CUiControlBar {
    DECLARE_DYNCREATE(CUiToolControlBar)
public:
    CUiToolControlBar();
    ~CUiToolControlBar() override;

    CUiBarContentExpandButton* m_pContentExpandButton;
    CArray<CUiBarButton*, CUiBarButton*> m_arrButtons;
    BYTE m_bShowBarsInContentMenu : 1;
    BYTE m_bNoContentExpand : 1;
    BYTE m_bContentWrapped : 1;
    BYTE m_bInRelayout : 1;
    int m_nMenuTrackingIndex;
    int m_nPressedIndex;
    int m_nHotIndex;
};

class CUiMenuControlBar : public CUiToolControlBar {
    DECLARE_DYNCREATE(CUiMenuControlBar)
public:
    CUiMenuControlBar();
    ~CUiMenuControlBar() override;
};

class CUiPanelControlBar : public CUiToolControlBar {
    DECLARE_DYNCREATE(CUiPanelControlBar)
public:
    CUiPanelControlBar();
    ~CUiPanelControlBar() override;
};
