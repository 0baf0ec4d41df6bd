// The image of a command, menu item, toolbar button or tab. It holds either a bitmap with a
// colour key (the key's pixels are transparent; typically one button cut from a toolbar
// bitmap) or an icon, and makes the icon from the bitmap when one is asked for.
//
// A tint colour turns on a generated look: a light, tinted silhouette of the image that the
// flat looks paint for disabled icons. It is a cache that any change of image, tint or
// lightness factor drops; the paint manager's icon background hint and effect factor set tint
// and factor whenever the system changes.
#pragma once

#include "afxwin.h"

#include "bitmaputil.h"

// The bitmap of a command icon, with its colour key and size. Owns the bitmap.
class CmdIconBitmapHolder
{
public:
    CmdIconBitmapHolder();
    ~CmdIconBitmapHolder();

    // NULL empties; the held bitmap again without a rectangle only changes the key. Otherwise
    // takes hBitmap itself (bCopy false) or a copy of it or of pRect of it. A rectangle that
    // is not wholly inside the bitmap leaves the holder empty.
    void Set(HBITMAP hBitmap, COLORREF clrKey, const RECT* pRect, bool bCopy);
    void Empty();
    HICON MakeIcon(bool bMapSysColors = false) const;

    HBITMAP m_hBitmap;
    COLORREF m_clrKey;
    int m_cx;
    int m_cy;

private:
    CmdIconBitmapHolder(const CmdIconBitmapHolder&) = delete;
    CmdIconBitmapHolder& operator=(const CmdIconBitmapHolder&) = delete;
};

// An icon with its size. Owns the icon.
class CmdIconIconHolder
{
public:
    CmdIconIconHolder();
    ~CmdIconIconHolder();

    // Without bCopy the handle itself is kept (the held one again changes nothing), with it
    // a new icon made from the handle's icon information. The size is twice the hotspot
    // modulo 256, or the colour (else mask) bitmap's size where that gives 0.
    void Take(HICON hIcon, bool bCopy);
    // Takes an icon just made from the whole of hSource, with the size Take would give it.
    void TakeMadeFromBitmap(HICON hIcon, HBITMAP hSource);
    void Empty();
    // The icon is the caller's now; the holder is empty.
    HICON Detach();

    HICON m_hIcon;
    int m_cx;
    int m_cy;

private:
    void SetSize(DWORD xHotspot, DWORD yHotspot, CSize sizeImage);
    CmdIconIconHolder(const CmdIconIconHolder&) = delete;
    CmdIconIconHolder& operator=(const CmdIconIconHolder&) = delete;
};

class CUiCmdIcon
{
public:
    enum { kPaintNormal = 0, kPaintDisabled = 1, kPaintMono = 2, kPaintFlatDisabled = 3 };

    explicit CUiCmdIcon(HBITMAP hBitmap = NULL, COLORREF clrKey = RGB(0, 0, 0), const RECT* pRect = NULL,
                        bool bCopy = true);
    CUiCmdIcon(const CUiCmdIcon& other);
    CUiCmdIcon& operator=(const CUiCmdIcon& other) { return SetFromOther(other); }
    CUiCmdIcon& SetFromOther(const CUiCmdIcon& other);
    void ConstructFromIcon(HICON hIcon, bool bCopy);

    virtual ~CUiCmdIcon();
    virtual bool IsEmpty() const;
    virtual void Empty();
    // Stores or loads; a load that fails leaves the icon empty and gives false.
    virtual bool Serialize(CArchive& ar);
    virtual void AssignFromOther(const CUiCmdIcon& other);
    virtual void AssignFromHICON(HICON hIcon, bool bCopy);
    virtual void AssignFromHBITMAP(HBITMAP hBitmap, COLORREF clrKey, const RECT* pRect = NULL, bool bCopy = true);
    virtual CSize GetSize() const;
    virtual bool IsBitmapBased() const;
    virtual HBITMAP GetBitmap() const;
    virtual COLORREF GetBitmapColorKey() const;
    // A copy of the image (the caller's) with a colour key no pixel uses; with ppBits a
    // 32-bit section and its pixels. pColors receives the image's colours, the key first.
    virtual bool ExtractBitmap(HBITMAP* phBitmap, COLORREF* pclrKey, CBitmapColorList* pColors = NULL,
                               COLORREF** ppBits = NULL);
    // bMapSysColors: a bitmap's classic toolbar greys become the current system colours.
    virtual HICON GetIcon(bool bMapSysColors = false);
    virtual HICON DetachAsIcon(bool bMapSysColors = false);
    virtual HICON GetGeneratedIcon();
    virtual void SyncWithPaintManager();
    virtual void OnSysColorChange();
    virtual void OnSettingChange(UINT uFlags, LPCSTR lpszSection);
    virtual void OnDisplayChange(int nBitsPerPixel, int cx, int cy);
    virtual void OnThemeChanged(WPARAM wParam, LPARAM lParam);
    virtual void GenerateLook();
    // Draws in state 0 normal, 1 embossed, 2 in the brush's colour, 3 the flat looks' disabled
    // form; false when there is nothing to draw.
    virtual bool Paint(CDC* pDC, POINT pt, int nState = kPaintNormal, HBRUSH hBrush = NULL);
    virtual UINT GetColorHistogram(CBitmapColorCounts& counts) const;
    virtual UINT GetBitsPerPixel() const;
    virtual bool ScaleToSize(const CUiCmdIcon& other, int cx, int cy);
    virtual COLORREF GetTintColor() const;
    virtual COLORREF SetTintColor(COLORREF clrTint);
    virtual double GetLightnessFactor() const;
    virtual double SetLightnessFactor(double dFactor);
    // Transparent mark images: the bitmap's key is the background colour. A mark colour of
    // -1 is the look's colour 1010; a blank colour of -1 is magenta.
    virtual bool CreateCheckMarkBitmap(COLORREF clrMark, COLORREF clrBackground, int cx, int cy,
                                       COLORREF** ppBits = NULL);
    virtual bool CreateRadioBitmap(COLORREF clrMark, COLORREF clrBackground, int cx, int cy,
                                   COLORREF** ppBits = NULL);
    virtual bool CreateBlankBitmap(COLORREF clrBlank, int cx, int cy, COLORREF** ppBits = NULL);

    static constexpr COLORREF kNoTint = (COLORREF)-1;

protected:
    void DropGeneratedLook();
    // Tint and factor: a new value drops the generated look; the old value.
    template <class T> T ReplaceLookInput(T& field, T value)
    {
        const T old = field;
        if (value != field) {
            field = value;
            DropGeneratedLook();
        }
        return old;
    }
    // Empties the icon and makes a 32-bit section filled with clrBackground as the new image.
    HDC BeginMarkBitmap(COLORREF clrBackground, int cx, int cy, HBITMAP* phBitmap, COLORREF** ppBits);
    void EndMarkBitmap(HDC hDC, HBITMAP hBitmap, COLORREF clrKey, COLORREF* pBits, COLORREF** ppBits);
    // A mark image: pfnPaintMark draws the mark with its top-left corner at the centre less 3.
    bool CreateMarkBitmap(void (*pfnPaintMark)(HDC, int, int, COLORREF), COLORREF clrMark, COLORREF clrBackground,
                          int cx, int cy, COLORREF** ppBits);

    CmdIconBitmapHolder m_bitmap;
    CmdIconIconHolder m_icon;
    CmdIconIconHolder m_generated;
    COLORREF m_clrTint;
    double m_dLightnessFactor;
};
