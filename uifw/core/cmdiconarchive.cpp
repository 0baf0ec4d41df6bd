// A command icon in the class library's binary archive: a kind byte (0 empty, 1 bitmap,
// 2 icon), then a bitmap file and the colour key, or the icon's flags, hotspot and bitmaps.
// The archive throws at the end of the data; a load that fails leaves the icon empty.
#include "cmdicon.h"

#include "cmdiconpixels.h"

namespace {

enum { kKindEmpty = 0, kKindBitmap = 1, kKindIcon = 2 };
enum { kIconFlagIsIcon = 0x01, kIconFlagColor = 0x02, kIconFlagMask = 0x04 };

bool StoreIcon(CArchive& ar, HICON hIcon)
{
    IconInfoBitmaps bitmaps(hIcon);
    const ICONINFO& info = bitmaps.Info();
    BYTE nFlags = 0;
    if (info.fIcon)
        nFlags |= kIconFlagIsIcon;
    if (info.hbmColor != NULL)
        nFlags |= kIconFlagColor;
    if (info.hbmMask != NULL)
        nFlags |= kIconFlagMask;
    ar << nFlags;
    ar << (DWORD)info.xHotspot;
    ar << (DWORD)info.yHotspot;
    HBITMAP hColor = info.hbmColor, hMask = info.hbmMask;
    if (hColor != NULL && !SerializeBitmap(ar, hColor))
        return false;
    return hMask == NULL || SerializeBitmap(ar, hMask);
}

// The icon made from the stored information, or NULL.
HICON LoadStoredIcon(CArchive& ar)
{
    BYTE nFlags = 0;
    DWORD dwHotspotX = 0, dwHotspotY = 0;
    ar >> nFlags;
    ar >> dwHotspotX;
    ar >> dwHotspotY;
    ICONINFO info = {(nFlags & kIconFlagIsIcon) != 0, dwHotspotX, dwHotspotY, NULL, NULL};
    bool bRead = true;
    if ((nFlags & kIconFlagColor) != 0)
        bRead = SerializeBitmap(ar, info.hbmColor);
    if (bRead && (nFlags & kIconFlagMask) != 0)
        bRead = SerializeBitmap(ar, info.hbmMask);
    HICON hIcon = bRead && info.hbmMask != NULL ? ::CreateIconIndirect(&info) : NULL;
    if (info.hbmColor != NULL)
        ::DeleteObject(info.hbmColor);
    if (info.hbmMask != NULL)
        ::DeleteObject(info.hbmMask);
    return hIcon;
}

} // namespace

bool CUiCmdIcon::Serialize(CArchive& ar)
{
    try {
        if (ar.IsStoring()) {
            if (IsEmpty()) {
                ar << (BYTE)kKindEmpty;
            } else if (IsBitmapBased()) {
                ar << (BYTE)kKindBitmap;
                HBITMAP hBitmap = m_bitmap.m_hBitmap;
                if (!SerializeBitmap(ar, hBitmap))
                    return false;
                ar << (DWORD)m_bitmap.m_clrKey;
            } else {
                ar << (BYTE)kKindIcon;
                return StoreIcon(ar, m_icon.m_hIcon);
            }
            return true;
        }
        Empty();
        BYTE nKind = 0;
        ar >> nKind;
        if ((nKind & kKindBitmap) != 0) {
            HBITMAP hBitmap = NULL;
            if (!SerializeBitmap(ar, hBitmap))
                return false;
            // Held from here, so that a key cut short empties it with the rest.
            m_bitmap.Set(hBitmap, 0, NULL, false);
            DWORD dwKey = 0;
            ar >> dwKey;
            m_bitmap.m_clrKey = (COLORREF)dwKey;
        } else if ((nKind & kKindIcon) != 0) {
            HICON hIcon = LoadStoredIcon(ar);
            if (hIcon == NULL)
                return false;
            m_icon.Take(hIcon, false);
        }
        return true;
    } catch (CException* e) {
        e->Delete();
        if (ar.IsLoading())
            Empty();
        return false;
    }
}
