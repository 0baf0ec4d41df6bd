// Flicker-free painting: an element paints into CUiMemoryDC, which covers a rectangle of the
// real context with a bitmap of its own and copies the finished picture onto the target in
// one step when it goes out of scope.
//
// It is a CDC whose handles are either its own memory context or, for a printer or when no
// memory context or bitmap can be made, the target's handles borrowed as they are: drawing
// then simply reaches the target and nothing is copied at the end. Borrowed handles are
// written into the CDC members, never attached, so the target keeps its handle-map entry.
#pragma once

#include "afxwin.h"

class CUiMemoryDC : public CDC
{
public:
    enum {
        kUseOffscreen = 0x01,     // an off-screen bitmap unless the target is a printer
        kFillBackground = 0x02,   // fill with the target's background colour first
        kMonochrome = 0x04,
        kDibSection = 0x08,       // 32-bit DIB section, its pixels at GetDibBits
        kDeviceUnits = 0x10,      // no conversion of the rectangle, no mapping transfer
        kCopyTarget = 0x20,       // start from the target's current pixels
    };

    CUiMemoryDC();
    CUiMemoryDC(CDC* pTarget, const RECT* pRect = NULL, DWORD dwOptions = kUseOffscreen | kFillBackground);
    virtual ~CUiMemoryDC();

    // pRect in the target's logical units; NULL covers the target's clip box.
    void BeginOffscreen(CDC* pTarget, const RECT* pRect = NULL, DWORD dwOptions = kUseOffscreen | kFillBackground);

    bool IsOffscreen() const { return m_bOffscreen; }
    void* GetDibBits() const { return m_pDibBits; }

    // The DIB section maker; tests replace it to make it fail.
    static HBITMAP(WINAPI* s_pfnCreateDIBSection)(HDC, const BITMAPINFO*, UINT, void**, HANDLE, DWORD);

private:
    bool MakeBitmap(DWORD dwOptions, int cx, int cy);
    void BorrowTarget();
    void Finish();

    CBitmap m_bitmap;
    HGDIOBJ m_hDisplacedBitmap;
    CDC* m_pTarget;
    CRect m_rect;
    bool m_bOffscreen;
    void* m_pDibBits;
};
