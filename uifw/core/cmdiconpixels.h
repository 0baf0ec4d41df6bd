// Pixels of the 32-bit sections the command icon works on, and the bitmaps of an icon.
//
// A 32-bit section stores blue in its lowest byte and red in its third, the reverse of a
// COLORREF; every comparison with a colour key goes through these conversions.
#pragma once

#include "afxwin.h"

inline COLORREF DibPixelToColor(DWORD dwPixel)
{
    return RGB((dwPixel >> 16) & 0xFF, (dwPixel >> 8) & 0xFF, dwPixel & 0xFF);
}

inline DWORD ColorToDibPixel(COLORREF clr)
{
    return ((DWORD)GetRValue(clr) << 16) | ((DWORD)GetGValue(clr) << 8) | GetBValue(clr);
}

// An icon's information; its two bitmaps are deleted with it.
class IconInfoBitmaps
{
public:
    explicit IconInfoBitmaps(HICON hIcon)
    {
        memset(&m_info, 0, sizeof(m_info));
        m_bValid = hIcon != NULL && ::GetIconInfo(hIcon, &m_info);
    }
    ~IconInfoBitmaps()
    {
        if (m_info.hbmColor != NULL)
            ::DeleteObject(m_info.hbmColor);
        if (m_info.hbmMask != NULL)
            ::DeleteObject(m_info.hbmMask);
    }
    bool IsValid() const { return m_bValid; }
    const ICONINFO& Info() const { return m_info; }
    // The colour bitmap, or the mask of an icon without one.
    HBITMAP Image() const { return m_info.hbmColor != NULL ? m_info.hbmColor : m_info.hbmMask; }

private:
    ICONINFO m_info;
    bool m_bValid;
    IconInfoBitmaps(const IconInfoBitmaps&) = delete;
    IconInfoBitmaps& operator=(const IconInfoBitmaps&) = delete;
};
