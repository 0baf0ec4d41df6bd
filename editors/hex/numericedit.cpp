// The hex-digit edit's character filter.
#include "numericedit.h"

IMPLEMENT_DYNAMIC(CNumericEdit, CEdit)

BEGIN_MESSAGE_MAP(CNumericEdit, CEdit)
    ON_WM_CHAR()
END_MESSAGE_MAP()

bool CNumericEdit::IsAcceptedChar(UINT ch)
{
    return ch == 8 || (ch >= '0' && ch <= '9') || (ch >= 'a' && ch <= 'f') || (ch >= 'A' && ch <= 'F');
}

void CNumericEdit::OnChar(UINT nChar, UINT, UINT)
{
    if (IsAcceptedChar(nChar))
        Default();
}
