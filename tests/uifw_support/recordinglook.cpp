#include "recordinglook.h"

#include "paintmanagerholder.h"
#include "toolcontrolbar.h"

namespace painttest {

namespace {

POINT ViewportOf(CDC& dc)
{
    POINT pt = {0, 0};
    ::GetViewportOrgEx(dc.GetSafeHdc(), &pt);
    return pt;
}

} // namespace

std::vector<PaintCall> RecordingLook::Calls(const std::string& name) const
{
    std::vector<PaintCall> out;
    for (const PaintCall& call : calls) {
        if (call.name == name)
            out.push_back(call);
    }
    return out;
}

void RecordingLook::PaintPushButton(CDC& dc, PushButtonPaintData& data)
{
    PaintCall call;
    call.name = "PushButton";
    call.rc = data.m_rcItem;
    call.pAsking = data.m_pAsking;
    call.bHorz = data.Has(PushButtonPaintData::kHorz);
    call.bFlags = data.m_bFlags;
    call.bFlags2 = data.m_bFlags2;
    call.ptViewport = ViewportOf(dc);
    calls.push_back(call);
    CUiPaintManagerXP::PaintPushButton(dc, data);
}

void RecordingLook::PaintSeparator(CDC& dc, const CRect& rc, BOOL bHorz, BOOL bTransparent, CObject* pAsking,
                                   LPARAM lParam)
{
    PaintCall call;
    call.name = "Separator";
    call.rc = rc;
    call.pAsking = pAsking;
    call.bHorz = bHorz != FALSE;
    call.ptViewport = ViewportOf(dc);
    calls.push_back(call);
    CUiPaintManagerXP::PaintSeparator(dc, rc, bHorz, bTransparent, pAsking, lParam);
}

void RecordingLook::PaintToolBarExtras(CDC& dc, CUiToolControlBar* pBar, int nButton, const CRect& rcRow)
{
    PaintCall call;
    call.name = "ToolBarExtras";
    call.rc = rcRow;
    call.pAsking = static_cast<CObject*>(pBar);
    call.nIndex = nButton;
    calls.push_back(call);
    CUiPaintManagerXP::PaintToolBarExtras(dc, pBar, nButton, rcRow);
}

void RecordingLook::PaintContentExpandButton(CDC& dc, const CRect& rc, BOOL bHorz, BOOL bNoHidden, BOOL bEnabled,
                                             BOOL bPushed, BOOL bHover, CObject* pAsking, LPARAM lParam,
                                             BOOL bTransparent)
{
    PaintCall call;
    call.name = "ContentExpandButton";
    call.rc = rc;
    call.pAsking = pAsking;
    call.bHorz = bHorz != FALSE;
    call.bFlags = (BYTE)((bEnabled ? PushButtonPaintData::kEnabled : 0) | (bPushed ? PushButtonPaintData::kPushed : 0) |
                         (bHover ? PushButtonPaintData::kHover : 0));
    calls.push_back(call);
    CUiPaintManagerXP::PaintContentExpandButton(dc, rc, bHorz, bNoHidden, bEnabled, bPushed, bHover, pAsking, lParam,
                                                bTransparent);
}

void RecordingLook::PaintToolBarShade(CDC& dc, CUiBarButton* pButton, LPARAM lParam)
{
    PaintCall call;
    call.name = "ToolBarShade";
    call.pAsking = static_cast<CObject*>(pButton);
    call.ptViewport = ViewportOf(dc);
    calls.push_back(call);
    CUiPaintManagerXP::PaintToolBarShade(dc, pButton, lParam);
}

RecordingLookScope::RecordingLookScope() : m_pLook(new RecordingLook)
{
    PaintManagerHolder::Get().SetPaintManager(m_pLook);
}

RecordingLookScope::~RecordingLookScope()
{
    PaintManagerHolder::Get().SetPaintManager(nullptr);
}

} // namespace painttest
