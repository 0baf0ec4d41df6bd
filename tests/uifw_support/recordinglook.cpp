#include "recordinglook.h"

#include "paintmanagerholder.h"
#include "statuspanepaintdata.h"
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

PaintCall& RecordingLook::Record(const char* pszName, const CRect& rc, CObject* pAsking, CDC& dc)
{
    PaintCall call;
    call.name = pszName;
    call.rc = rc;
    call.pAsking = pAsking;
    call.ptViewport = ViewportOf(dc);
    dc.GetClipBox(call.rcClip);
    calls.push_back(call);
    return calls.back();
}

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
    PaintCall& call = Record("PushButton", data.m_rcItem, data.m_pAsking, dc);
    call.bHorz = data.Has(PushButtonPaintData::kHorz);
    call.bFlags = data.m_bFlags;
    call.bFlags2 = data.m_bFlags2;
    CUiPaintManagerXP::PaintPushButton(dc, data);
}

void RecordingLook::PaintSeparator(CDC& dc, const CRect& rc, BOOL bHorz, BOOL bTransparent, CObject* pAsking,
                                   LPARAM lParam)
{
    Record("Separator", rc, pAsking, dc).bHorz = bHorz != FALSE;
    CUiPaintManagerXP::PaintSeparator(dc, rc, bHorz, bTransparent, pAsking, lParam);
}

void RecordingLook::PaintToolBarExtras(CDC& dc, CUiToolControlBar* pBar, int nButton, const CRect& rcRow)
{
    Record("ToolBarExtras", rcRow, static_cast<CObject*>(pBar), dc).nIndex = nButton;
    CUiPaintManagerXP::PaintToolBarExtras(dc, pBar, nButton, rcRow);
}

void RecordingLook::PaintContentExpandButton(CDC& dc, const CRect& rc, BOOL bHorz, BOOL bNoHidden, BOOL bEnabled,
                                             BOOL bPushed, BOOL bHover, CObject* pAsking, LPARAM lParam,
                                             BOOL bTransparent)
{
    PaintCall& call = Record("ContentExpandButton", rc, pAsking, dc);
    call.bHorz = bHorz != FALSE;
    call.bFlags = (BYTE)((bEnabled ? PushButtonPaintData::kEnabled : 0) | (bPushed ? PushButtonPaintData::kPushed : 0) |
                         (bHover ? PushButtonPaintData::kHover : 0));
    CUiPaintManagerXP::PaintContentExpandButton(dc, rc, bHorz, bNoHidden, bEnabled, bPushed, bHover, pAsking, lParam,
                                                bTransparent);
}

void RecordingLook::PaintToolBarShade(CDC& dc, CUiBarButton* pButton, LPARAM lParam)
{
    Record("ToolBarShade", pButton != nullptr ? pButton->GetRect() : CRect(), static_cast<CObject*>(pButton), dc);
    CUiPaintManagerXP::PaintToolBarShade(dc, pButton, lParam);
}

void RecordingLook::PaintStatusPane(CDC& dc, StatusPanePaintData& data)
{
    PaintCall& call = Record("StatusPane", data.m_rcItem, data.m_pAsking, dc);
    call.dwKind = data.m_dwKind;
    call.dwStyle = data.m_dwBarStyle;
    CUiPaintManagerXP::PaintStatusPane(dc, data);
}

void RecordingLook::PaintSizeGrip(CDC& dc, const CRect& rc, DWORD dwValue1, DWORD dwValue2)
{
    Record("SizeGrip", rc, nullptr, dc);
    CUiPaintManagerXP::PaintSizeGrip(dc, rc, dwValue1, dwValue2);
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
