#include "hyperlinktext.h"

#include <cstring>

bool UiIsWebLinkTarget(LPCSTR lpszTarget)
{
    if (lpszTarget == nullptr)
        return false;
    return _strnicmp(lpszTarget, "http://", 7) == 0 || _strnicmp(lpszTarget, "file://", 7) == 0 ||
           _strnicmp(lpszTarget, "www.", 4) == 0 || _strnicmp(lpszTarget, "web.", 4) == 0;
}

LPCSTR UiHyperLinkVerbText(int nVerb)
{
    static const LPCSTR kVerbs[] = {"open", "edit", "print"};
    return nVerb >= 0 && nVerb < 3 ? kVerbs[nVerb] : nullptr;
}

LPCSTR UiHyperLinkVerbCommandKey(int nVerb)
{
    static const LPCSTR kKeys[] = {"\\shell\\open\\command", "\\shell\\edit\\command", "\\shell\\print\\command"};
    return nVerb >= 0 && nVerb < 3 ? kKeys[nVerb] : nullptr;
}

CString UiHyperLinkErrorText(int nCode)
{
    switch (nCode) {
    case 0:
        return "OS is out of memory or resources.";
    case 2:
        return "File was not found.";
    case 3:
        return "Path was not found.";
    case 5:
        return "OS denied access to the file.";
    case 8:
        return "Not enough memory.";
    case 11:
        return "EXE file is invalid (must run on other platform or error in its image).";
    case 26:
        return "A sharing violation occurred.";
    case 27:
        return "The filename association is incomplete or invalid.";
    case 28:
        return "DDE transaction could not be completed due to request timed out.";
    case 29:
        return "DDE transaction failed.";
    case 30:
        return "DDE transaction was not completed due to other DDE transactions.";
    case 31:
        return "There is no application associated with the given filename extension.";
    case 32:
        return "DLL was not found.";
    default: {
        CString str;
        str.Format("Unknown Error (%d=0x%X) occurred.", nCode, nCode);
        return str;
    }
    }
}

CString UiHyperLinkErrorMessage(int nCode)
{
    CString str;
    str.Format("Unable to open hyper link:\n%s", (LPCSTR)UiHyperLinkErrorText(nCode));
    return str;
}

bool UiBuildShellCommandLine(LPCSTR lpszRegistered, LPCSTR lpszTarget, CString& strLine)
{
    strLine.Empty();
    if (lpszRegistered == nullptr || lpszTarget == nullptr || std::strchr(lpszTarget, '"') != nullptr)
        return false;
    CString strCommand(lpszRegistered);
    bool bQuoted = false;
    int nCut = strCommand.Find("\"%1\"");
    if (nCut >= 0)
        bQuoted = true;
    else
        nCut = strCommand.Find("%1");
    if (nCut >= 0)
        strCommand = strCommand.Left(nCut);
    const size_t nLength = (size_t)strCommand.GetLength() + 1 + std::strlen(lpszTarget) + (bQuoted ? 2 : 0);
    if (nLength > (size_t)kUiMaxShellCommandLine)
        return false;
    strLine = strCommand;
    strLine += ' ';
    if (bQuoted)
        strLine += '"';
    strLine += lpszTarget;
    if (bQuoted)
        strLine += '"';
    return true;
}
