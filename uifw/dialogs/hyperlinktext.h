// The texts of the hyperlink button that need no window: which targets count as web links,
// the verbs, the error texts of the shell's open calls, and the command line built from the
// command that the registry holds for web pages.
#pragma once
#include "afxstr.h"

// True when the target begins with "http://", "file://", "www." or "web." (any case).
bool UiIsWebLinkTarget(LPCSTR lpszTarget);
// "open", "edit", "print" for verbs 0, 1, 2; null for any other.
LPCSTR UiHyperLinkVerbText(int nVerb);
// The registry key part of a verb: "\shell\open\command" and so on; null for others.
LPCSTR UiHyperLinkVerbCommandKey(int nVerb);
// The explanation of a failed ShellExecute or WinExec result code.
CString UiHyperLinkErrorText(int nCode);
// "Unable to open hyper link:\n" followed by the explanation of the code.
CString UiHyperLinkErrorMessage(int nCode);

// The longest command line the shell-command method runs (the platform's limit, terminating
// zero excluded).
const int kUiMaxShellCommandLine = 32766;

// The command line for a registered command and a target: the command is cut at its "%1"
// placeholder (the quoted one first, then the bare one) and a blank and the target follow;
// a target cut from a quoted placeholder is appended in double quotes, so a target with
// blanks stays one argument. False (nothing to run) when the target itself holds a double
// quote or the line would pass kUiMaxShellCommandLine.
bool UiBuildShellCommandLine(LPCSTR lpszRegistered, LPCSTR lpszTarget, CString& strLine);
