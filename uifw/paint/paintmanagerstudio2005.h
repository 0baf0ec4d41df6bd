// The Visual Studio 2005 look: marker-guided docking, Studio-style auto-hide tabs, and its
// own colours on the blue Luna scheme (every other case takes the Office 2003 colours).
#pragma once
#include "paintmanageroffice2003.h"

class CUiPaintManagerStudio2005 : public CUiPaintManagerOffice2003 {
    DECLARE_DYNCREATE(CUiPaintManagerStudio2005)
public:
    CUiPaintManagerStudio2005();
    ~CUiPaintManagerStudio2005() override;

    int GetThemeKind() override;
    void InitColorTable() override;
    void GetTabItemPadding(CUiTabWnd* pTabWnd, int& nLead, int& nFar, int& nCross) override;
    int GetDockingDragMode() override;
    BOOL IsStudioStyleAutoHideTabs() override;
    BOOL IsThemeColorSchemeUsable() override;
    BOOL InitSchemeGradientColors(COLORREF* pBase, COLORREF* pAccent) override;
    // Caption buttons
    void PaintBarNcAreaButton(CDC& dc, NcButtonPaintData& data) override;
    // Bar frames, backgrounds and tabs
    void PaintToolBarShade(CDC& dc, CUiBarButton* pButton, LPARAM lParam) override;
    void PaintGripper(CDC& dc, GripperPaintData& data) override;
    void PaintControlBarBorders(CDC& dc, BarFramePaintData& data) override;
    void PaintTabItem(CDC& dc, const CRect& rcArea, BOOL bTopLeft, BOOL bHorz, BOOL bSelected, BOOL bCenteredText,
                      BOOL bGrouped, BOOL bGroupActive, BOOL bInvertedVert, const CRect& rcItem, int cxText,
                      int cyText, CFont* pFont, LPCSTR lpszText, CUiCmdIcon* pIcon, CObject* pAsking,
                      LPARAM lParam) override;
};

// The look the application saved as a command id: 32828 Office 2003, 32829 XP, 32830 the
// classic look, any other value Studio 2005.
CRuntimeClass* PaintManagerClassOfLook(UINT nLookCmdId);
