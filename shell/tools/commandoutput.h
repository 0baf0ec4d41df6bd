// What the command tool shows of the bytes a command writes: the text for an edit control,
// piece by piece as the pipe gives them. A line feed alone becomes CR LF and a CR LF stays
// one, also when the pipe gives its two bytes in two pieces; a zero byte shows as "^@" (the
// text after it is shown too), and a code page 932 lead byte that ends one piece waits for its
// trail byte in the next, so no character is split between two pieces. A lead byte without a
// trail byte after it shows as "?", and the byte after it (a line end, a zero byte) keeps its
// own meaning.
#pragma once

#include "afxwin.h"

class CCommandOutputText {
public:
    // The text of the next piece of output.
    CString Take(const char* pBytes, int nCount);
    // Forgets what the last piece left (a new command begins).
    void Reset()
    {
        m_nLead = -1;
        m_bAfterCR = false;
    }

private:
    int m_nLead = -1;
    // The last byte taken was a CR: a line feed that follows, in this piece or the next, ends
    // its line already.
    bool m_bAfterCR = false;
};
