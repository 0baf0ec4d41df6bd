#include "paintclip.h"

CallerClip::CallerClip(HDC hDC) : m_hDC(hDC), m_hSaved(::CreateRectRgn(0, 0, 0, 0))
{
    if (::GetClipRgn(hDC, m_hSaved) != 1) {
        ::DeleteObject(m_hSaved);
        m_hSaved = NULL;
    }
}

CallerClip::~CallerClip()
{
    Restore();
    if (m_hSaved != NULL)
        ::DeleteObject(m_hSaved);
}

void CallerClip::Restore()
{
    ::SelectClipRgn(m_hDC, m_hSaved);
}

CRect LogicalToDeviceRect(HDC hDC, const RECT& rc)
{
    POINT pts[2] = {{rc.left, rc.top}, {rc.right, rc.bottom}};
    ::LPtoDP(hDC, pts, 2);
    return CRect(pts[0], pts[1]);
}

void IntersectClipWithRegion(HDC hDC, HRGN hRgn)
{
    POINT org = {0, 0};
    ::LPtoDP(hDC, &org, 1);
    ::OffsetRgn(hRgn, org.x, org.y);
    ::ExtSelectClipRgn(hDC, hRgn, RGN_AND);
    ::OffsetRgn(hRgn, -org.x, -org.y);
}
