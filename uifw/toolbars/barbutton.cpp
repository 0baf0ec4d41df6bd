#include "barbutton.h"

IMPLEMENT_DYNCREATE(CUiBarButton, CObject)
IMPLEMENT_DYNCREATE(CUiBarColorButton, CUiBarButton)
IMPLEMENT_DYNCREATE(CUiBarContentExpandButton, CUiBarButton)

CUiBarButton::CUiBarButton() : m_pBar(nullptr), m_nCmdID(0), m_dwStyle(0), m_rect(0, 0, 0, 0)
{
}

CUiBarButton::CUiBarButton(CUiToolControlBar* pBar, UINT nCmdID, DWORD dwStyle)
    : m_pBar(pBar), m_nCmdID(nCmdID), m_dwStyle(dwStyle), m_rect(0, 0, 0, 0)
{
}

CUiBarButton::~CUiBarButton()
{
}

DWORD CUiBarButton::GetStyle() const
{
    return m_dwStyle;
}

BOOL CUiBarButton::IsPressed() const
{
    return (GetStyle() & kStylePressed) != 0;
}

CRect CUiBarButton::GetRect() const
{
    return m_rect;
}

void CUiBarButton::SetRect(const RECT& rc)
{
    m_rect = rc;
}

CUiBarColorButton::CUiBarColorButton()
{
}

CUiBarColorButton::CUiBarColorButton(CUiToolControlBar* pBar, UINT nCmdID, DWORD dwStyle)
    : CUiBarButton(pBar, nCmdID, dwStyle)
{
}

CUiBarColorButton::~CUiBarColorButton()
{
}

CUiBarContentExpandButton::CUiBarContentExpandButton()
{
}

CUiBarContentExpandButton::CUiBarContentExpandButton(CUiToolControlBar* pBar)
    : CUiBarButton(pBar, (UINT)-66, 0)
{
}

CUiBarContentExpandButton::~CUiBarContentExpandButton()
{
}
