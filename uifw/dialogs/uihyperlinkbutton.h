// CUiHyperLinkButton: a framework button that looks and acts like a web link. A click opens
// its target (the target member, else the trimmed window text) through the shell; a
// successful open marks the link visited, which changes its colour. In command mode a click
// is an ordinary button click that also marks the link visited.
//
// Web-like targets ("http://", "file://", "www.", "web.") go first to the command that the
// registry holds for web pages, then to the shell's Internet-shortcut object, then to
// ShellExecute; anything else goes to the shortcut object, ShellExecute and the command, in
// that order. The three open methods are virtual, so a caller (or a test) can replace any.
#pragma once
#include "uibutton.h"

class CUiHyperLinkButton : public CUiButton {
    DECLARE_DYNCREATE(CUiHyperLinkButton)
public:
    enum : BYTE { kCommandMode = 0x01, kShowVisited = 0x02, kVisited = 0x04 };
    enum { kVerbOpen = 0, kVerbEdit = 1, kVerbPrint = 2 };

    CUiHyperLinkButton();

    virtual bool OpenViaUrlShortcut(LPCSTR lpszTarget, int nVerb, bool bShowErrors);
    virtual bool OpenViaShellExecute(LPCSTR lpszTarget, int nVerb, bool bShowErrors);
    virtual bool OpenViaShellCommand(LPCSTR lpszTarget, int nVerb, bool bShowErrors);
    virtual void PaintLink(CDC& dc, CRect rc, bool bVisited, bool bEnabled, bool bShowFocus, bool bFocus,
                           bool bHover, bool bPushed);
    virtual COLORREF GetLinkColor(bool bVisited, bool bEnabled, bool bShowFocus, bool bFocus, bool bHover,
                                  bool bPushed);
    virtual CString GetLinkText(bool bFlag);
    virtual bool OpenLink(LPCSTR lpszTarget, int nVerb, bool bShowErrors);

    void OnClick(bool bFromKeyboard, bool bOnDropDownPart) override;
    void PaintButton(CDC& dc, bool bBackgroundPainted) override;

    // What a click opens: the target member, else the window text without surrounding blanks.
    CString GetEffectiveTarget() const;
    bool IsVisited() const { return (m_bLinkFlags & kVisited) != 0; }

    CString m_strTarget;
    BYTE m_bLinkFlags;
    int m_nLinkAlign;
    COLORREF m_clrVisited;
    bool m_bAlwaysUnderline;
};
