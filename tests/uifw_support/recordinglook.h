// A look that records what the framework's elements ask it to paint: the XP look with every
// call of the element painters below noted (name, rectangle, asking object, the flags that
// matter, the clip box) before it draws, and three answers the test sets (themed toolbar frame, the bar
// padding, the extra space beside a bar button). RecordingLookScope installs one through the
// paint-manager holder and puts a plain XP look back when it ends.
#pragma once
#include "paintmanagerxp.h"
#include "pushbuttonpaintdata.h"

#include <string>
#include <vector>

namespace painttest {

struct PaintCall {
    std::string name;   // "PushButton", "Separator", "ToolBarExtras", "ContentExpandButton", "ToolBarShade",
                        // "StatusPane", "SizeGrip"
    CRect rc;
    CObject* pAsking = nullptr;
    bool bHorz = false;
    BYTE bFlags = 0;    // a push button's first flag byte (PushButtonPaintData::kHover ...)
    BYTE bFlags2 = 0;
    int nIndex = -1;    // the button index of a row decoration
    POINT ptViewport = {0, 0};
    CRect rcClip;       // the context's clip box at the call
    DWORD dwKind = 0;   // a status pane record's kind and bar style
    DWORD dwStyle = 0;
};

class RecordingLook : public CUiPaintManagerXP {
public:
    std::vector<PaintCall> calls;
    BOOL bThemedToolBarFrame = FALSE;
    int nFixedBarPadding = 6;
    CSize sizeBarButtonExtra = CSize(0, 0);

    // The calls of one kind, in order.
    std::vector<PaintCall> Calls(const std::string& name) const;

    BOOL IsToolBarThemedFrame(CUiControlBar*) override { return bThemedToolBarFrame; }
    int GetFixedBarPadding(CUiControlBar*) override { return nFixedBarPadding; }
    CSize GetBarButtonExtraSpace() override { return sizeBarButtonExtra; }
    void PaintPushButton(CDC& dc, PushButtonPaintData& data) override;
    void PaintSeparator(CDC& dc, const CRect& rc, BOOL bHorz, BOOL bTransparent, CObject* pAsking,
                        LPARAM lParam) override;
    void PaintToolBarExtras(CDC& dc, CUiToolControlBar* pBar, int nButton, const CRect& rcRow) override;
    void PaintContentExpandButton(CDC& dc, const CRect& rc, BOOL bHorz, BOOL bNoHidden, BOOL bEnabled, BOOL bPushed,
                                  BOOL bHover, CObject* pAsking, LPARAM lParam, BOOL bTransparent) override;
    void PaintToolBarShade(CDC& dc, CUiBarButton* pButton, LPARAM lParam) override;
    void PaintStatusPane(CDC& dc, StatusPanePaintData& data) override;
    void PaintSizeGrip(CDC& dc, const CRect& rc, DWORD dwValue1, DWORD dwValue2) override;

private:
    PaintCall& Record(const char* pszName, const CRect& rc, CObject* pAsking, CDC& dc);
};

class RecordingLookScope {
public:
    RecordingLookScope();
    ~RecordingLookScope();
    RecordingLook& look() { return *m_pLook; }

private:
    RecordingLook* m_pLook;
    RecordingLookScope(const RecordingLookScope&) = delete;
    RecordingLookScope& operator=(const RecordingLookScope&) = delete;
};

} // namespace painttest
