#include "popupbasewnd.h"

IMPLEMENT_DYNCREATE(CUiPopupBaseWnd, CWnd)

CUiPopupBaseWnd::CUiPopupBaseWnd()
{
}

CUiPopupBaseWnd::~CUiPopupBaseWnd()
{
}

CUiToolControlBar* CUiPopupBaseWnd::GetOwnerToolBar()
{
    return nullptr;
}

BOOL CUiPopupBaseWnd::IsJoinedBorderClosed()
{
    return FALSE;
}
