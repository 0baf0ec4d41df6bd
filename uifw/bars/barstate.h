// Saving and restoring a frame's docking layout and its own placement in the registry.
//
// The layout lies under HKEY_CURRENT_USER in the registry archive at
// "Software\<key>\<profile>\VaviRIZ227\Profiles\<layout>\ControlBar". Only frames bound to a
// command profile have one. While a layout is captured or applied the frame is in the frame
// lock map, so its bars ask it for no layout in between; a second load or save of the same
// frame meanwhile is refused.
#pragma once
#include "afxarchive.h"
#include "afxwin.h"

// pwpOut, when given, receives the placement that was loaded, and the frame is moved there.
bool BarStateLoad(CFrameWnd* pFrame, LPCSTR lpszRegistryKey, LPCSTR lpszProfileName, LPCSTR lpszLayoutName,
                  WINDOWPLACEMENT* pwpOut);
bool BarStateSave(CFrameWnd* pFrame, LPCSTR lpszRegistryKey, LPCSTR lpszProfileName, LPCSTR lpszLayoutName,
                  WINDOWPLACEMENT* pwpOut);
void BarStateRegistryPath(CString& strPath, LPCSTR lpszLayoutName, LPCSTR lpszRegistryKey, LPCSTR lpszProfileName);
// Stores or loads (by the archive's direction) and, after a load, applies. A failed read
// applies nothing; a failed apply leaves the bars as far as they were applied.
bool BarStateSerialize(CArchive& ar, CFrameWnd* pFrame, WINDOWPLACEMENT* pwpOut);
