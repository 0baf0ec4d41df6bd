#include "tooldialog.h"

#include "resource.h"

void CreateToolFont(CFont& font)
{
    font.CreateFont(12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                    CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN, NULL);
}

void SetToolIcons(CWnd* pDialog)
{
    const HICON hIcon = ::LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDR_MAINFRAME));
    pDialog->SetIcon(hIcon, TRUE);
    pDialog->SetIcon(hIcon, FALSE);
}
