// A node of a dock-marker tree: a picture marker (its two pictures, its shape and its place
// on the screen) or a compound of child markers. Trees live only while the markers' windows
// are made; each window takes its node's pictures and shape with it.
#pragma once
#include "paintmanager.h"

struct CUiPaintManager::DockMarker {
    DockMarker();
    ~DockMarker();

    // Builds the node of the kind (-1 empty, 0 to 8) for the target rectangle; false for an
    // unknown kind or a picture that cannot be made (the node is then empty).
    bool Create(int nKind, const RECT& rcTarget);
    // One window per node with a picture, appended to arr when it exists; false when any
    // window failed (the others are still made).
    bool CreateWindows(CWnd* pParent, CTypedPtrArray<CPtrArray, CUiDynDockMarkerWnd*>& arr);
    void Reset();
    // The rectangle within rcTarget where a marker of the kind stands.
    void PlaceInRect(int nKind, const RECT& rcTarget);

    int m_nKind;
    CBitmap m_bmpNormal;
    CBitmap m_bmpHover;
    CRgn m_rgnShape;
    CSize m_size;
    CTypedPtrArray<CPtrArray, DockMarker*> m_arrChildren;
    CRect m_rect;

private:
    bool CreatePicture(int nKind, const RECT& rcTarget);
    bool CreateEdges(const RECT& rcTarget);

    DockMarker(const DockMarker&) = delete;
    DockMarker& operator=(const DockMarker&) = delete;
};
