// The framework's tab strips: the strip itself, the MDI tab strip, the tab group of docked
// bars and the auto-hide strip with its slider. The paint manager reads the strip's tab
// style (bit 7 keeps a caller's cross margin) and its first flag bit.
#pragma once
#include "afxwin.h"
#include "hooksink.h"
#include "mousecapturesink.h"

class CUiTabWnd : public CWnd, public CUiMouseCaptureSink {
    DECLARE_DYNCREATE(CUiTabWnd)
public:
    CUiTabWnd();
    ~CUiTabWnd() override;

    DWORD GetTabStyle() const { return m_dwTabStyle; }
    void ModifyTabStyle(DWORD dwRemove, DWORD dwAdd) { m_dwTabStyle = (m_dwTabStyle & ~dwRemove) | dwAdd; }
    BOOL IsTabFlagSet(int nBit) const { return (m_dwTabFlags & (1u << nBit)) != 0; }

protected:
    DWORD m_dwTabStyle;
    DWORD m_dwTabFlags;
};

class CUiTabMdiWnd : public CUiTabWnd, public CUiHookSink {
    DECLARE_DYNCREATE(CUiTabMdiWnd)
public:
    CUiTabMdiWnd();
    ~CUiTabMdiWnd() override;
};

class CUiDynTabWnd : public CUiTabWnd {
    DECLARE_DYNCREATE(CUiDynTabWnd)
public:
    CUiDynTabWnd();
    ~CUiDynTabWnd() override;
};

class CUiDynAutoHideArea : public CUiTabWnd {
    DECLARE_DYNCREATE(CUiDynAutoHideArea)
public:
    CUiDynAutoHideArea();
    ~CUiDynAutoHideArea() override;
};

class CUiDynAutoHideSlider : public CWnd {
    DECLARE_DYNCREATE(CUiDynAutoHideSlider)
public:
    CUiDynAutoHideSlider();
    ~CUiDynAutoHideSlider() override;
};
