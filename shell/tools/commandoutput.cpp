#include "commandoutput.h"

#include <string>

namespace {

// The second bytes of code page 932. A first byte before anything else (a line end, a zero
// byte, a space) is a character cut short, and the edit must not join the next byte to it.
bool IsTrailByte(char c)
{
    const BYTE b = static_cast<BYTE>(c);
    return b >= 0x40 && b <= 0xFC && b != 0x7F;
}

} // namespace

CString CCommandOutputText::Take(const char* pBytes, int nCount)
{
    std::string out;
    out.reserve(static_cast<size_t>(nCount) + static_cast<size_t>(nCount) / 8 + 2);
    int i = 0;
    // A lead byte without a trail byte shows as "?": alone in the edit it would take the next
    // character as its trail byte.
    if (m_nLead >= 0 && nCount > 0) {
        if (IsTrailByte(pBytes[0])) {
            out += static_cast<char>(m_nLead);
            out += pBytes[0];
            i = 1;
        } else {
            out += '?';
        }
        m_nLead = -1;
    }
    for (; i < nCount; ++i) {
        const char c = pBytes[i];
        const bool bLineEnded = m_bAfterCR;
        m_bAfterCR = false;
        if (::IsDBCSLeadByteEx(932, static_cast<BYTE>(c))) {
            if (i + 1 == nCount) {
                m_nLead = static_cast<BYTE>(c);
                break;
            }
            if (IsTrailByte(pBytes[i + 1])) {
                out += c;
                out += pBytes[++i];
            } else {
                out += '?';
            }
            continue;
        }
        if (c == '\0') {
            out += "^@";
            continue;
        }
        // A CR LF doubled to CR CR LF shows an empty line or a soft break in the edit, and a
        // copy of the output would carry the extra CR.
        if (c == '\n' && !bLineEnded)
            out += '\r';
        out += c;
        m_bAfterCR = c == '\r';
    }
    return CString(out.c_str(), static_cast<int>(out.size()));
}
