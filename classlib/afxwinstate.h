// Per-thread state of the window part of the library (internal to classlib).
//
// Every window, DC, GDI object, menu and image list handle maps to at most one permanent
// object per thread (the object that owns it) and otherwise to a temporary object made on
// demand by FromHandle; temporaries live until the thread's next idle pass.
#pragma once
#include "afxwnd.h"
#include <unordered_map>
#include <vector>

class CDC;
class CGdiObject;
class CMenu;
class CImageList;
class CFrameWnd;
class CToolTipCtrl;
class CControlBar;

// One handle -> object map with permanent and temporary entries. The traits of each
// object type say how its handle is set and cleared without side effects.
template <class T, class H>
struct AfxHandleMap {
    std::unordered_map<H, T*> perm;
    std::unordered_map<H, T*> temp;
    std::vector<T*> dead;   // temporaries whose handle died before the idle pass

    T* LookupPermanent(H h) const
    {
        auto it = perm.find(h);
        return it == perm.end() ? nullptr : it->second;
    }
    T* LookupTemporary(H h) const
    {
        auto it = temp.find(h);
        return it == temp.end() ? nullptr : it->second;
    }
    void SetPermanent(H h, T* p)
    {
        perm[h] = p;
        auto it = temp.find(h);
        if (it != temp.end()) {
            dead.push_back(it->second);
            temp.erase(it);
        }
    }
    void RemovePermanent(H h, T* p)
    {
        auto it = perm.find(h);
        if (it != perm.end() && it->second == p)
            perm.erase(it);
    }
    // A temporary object's handle is going away: keep the object for the idle pass only.
    bool RetireTemporary(H h, T* p)
    {
        auto it = temp.find(h);
        if (it == temp.end() || it->second != p)
            return false;
        temp.erase(it);
        dead.push_back(p);
        return true;
    }
    // FromHandle's lookup: the handle's permanent object, else its temporary one, else a new
    // temporary from make(), which gives the object its handle.
    template <class Make>
    T* FromHandle(H h, Make make)
    {
        if (T* p = LookupPermanent(h))
            return p;
        if (T* p = LookupTemporary(h))
            return p;
        T* p = make();
        temp[h] = p;
        return p;
    }
    // The idle pass: deletes every temporary, live or dead, after detach(p) cleared its handle
    // so its destructor leaves the handle alone. The maps are emptied first, so a destructor
    // that reaches the map meets a consistent one.
    template <class DetachHandle>
    void DeleteTemporaries(DetachHandle detach)
    {
        std::unordered_map<H, T*> live;
        live.swap(temp);
        std::vector<T*> retired;
        retired.swap(dead);
        for (auto& kv : live) {
            detach(kv.second);
            delete kv.second;
        }
        for (T* p : retired) {
            detach(p);
            delete p;
        }
    }
};

struct AFX_WIN_THREAD_STATE {
    AfxHandleMap<CWnd, HWND> wnds;
    AfxHandleMap<CDC, HDC> dcs;
    AfxHandleMap<CGdiObject, HGDIOBJ> gdis;
    AfxHandleMap<CMenu, HMENU> menus;
    AfxHandleMap<CImageList, HIMAGELIST> imagelists;

    MSG lastSentMsg = {};       // the message AfxCallWndProc is processing
    CWnd* pWndInit = nullptr;   // window being created
    HHOOK hHookCbt = nullptr;
    HWND hLockoutNotifyWindow = nullptr;
    int nTempMapLock = 0;
    std::vector<CFrameWnd*> frames;   // frames of this thread, updated at idle
    int nWaitCursorCount = 0;
    HCURSOR hcurWaitRestore = nullptr;
    bool bInMsgFilter = false;
    // A double-byte character on its way: the pump's lead byte waiting for its trail byte, and
    // the lead byte that a subclassed system control got and its procedure has not yet.
    bool bLeadByteHeld = false;
    MSG msgLeadByte = {};
    HWND hWndSuperLead = NULL;
    BYTE bySuperLead = 0;

    // Tool tips: the thread's tooltip, the window and hit of the tool it holds.
    CToolTipCtrl* pToolTip = nullptr;
    HWND hToolTipHit = NULL;
    INT_PTR nToolTipHit = -1;
    TOOLINFO toolTipInfo = {};   // the tool in the tooltip; cbSize 0 while none

    // Fly-by prompts: the last command hit and the bar that shows its prompt.
    INT_PTR nLastStatus = -1;
    CControlBar* pLastStatus = nullptr;
};

AFX_WIN_THREAD_STATE* AFXAPI AfxGetWinThreadState();

// Whether a WM_CHAR's wParam is a lone lead byte of a double-byte character.
bool AfxIsLeadByteChar(WPARAM wParam);
// The wide character of a lead byte and the trail byte of the WM_CHAR after it; false when the
// two make none.
bool AfxWideCharOfBytes(BYTE byLead, WPARAM wTrail, WCHAR& wch);
// Takes a message of the pump that is half of a double-byte character (a WM_CHAR of a lead
// byte, or the one after it) past the pre-translate walk, dispatching the character whole once
// both halves came. False for every other message, which the pump handles as usual.
bool AfxTakeDoubleByteHalf(const MSG& msg);
// A message taken from the queue, handled as the thread's loop handles it: the lead-byte
// hold, the pre-translate walk, then translate and dispatch.
void AfxHandleTakenMessage(MSG& msg);

// Internal helpers shared by the window sources.
BOOL AFXAPI AfxReflectToChild(HWND hWndChild, UINT message, WPARAM wParam, LPARAM lParam,
                              LRESULT* pResult);
void AFXAPI AfxAddFrameWnd(CFrameWnd* pFrame);
void AFXAPI AfxRemoveFrameWnd(CFrameWnd* pFrame);
// A window is going: the tooltip forgets its tool.
void AFXAPI AfxToolTipWindowGone(HWND hWnd);
// A new object of pClass when it is a pKind; NULL (and nothing left behind) otherwise.
CObject* AFXAPI AfxCreateObjectOfKind(CRuntimeClass* pClass, CRuntimeClass* pKind);
// Client and non-client mouse moves and button messages.
BOOL AFXAPI AfxIsMouseMessage(UINT message);
