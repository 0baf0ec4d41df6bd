// Painters that narrow the clip region for a while give the caller's clip back when they
// end: the caller may have excluded children or other parts it paints itself.
#pragma once
#include "afxwin.h"

class CallerClip {
public:
    explicit CallerClip(HDC hDC);
    ~CallerClip();
    // Puts the caller's clip back now (the destructor does it again harmlessly).
    void Restore();

private:
    HDC m_hDC;
    HRGN m_hSaved;   // null: the caller had no clip region

    CallerClip(const CallerClip&) = delete;
    CallerClip& operator=(const CallerClip&) = delete;
};

// The logical rectangle in device coordinates, as clip regions take it.
CRect LogicalToDeviceRect(HDC hDC, const RECT& rc);
// Intersects the clip region with hRgn given in logical coordinates (the region is offset).
void IntersectClipWithRegion(HDC hDC, HRGN hRgn);
