// Numbered message texts and Windows Sockets error texts. Every message box, message log entry
// and settings-tree label of the program's own code takes its wording from here, so that a log
// record of kind 0 need carry only its code. Both lookups are stateless and return a fresh
// string; a code (or part) without a row gives an empty string.
#pragma once

#include "afx.h"

// The text of a numbered message; texts with "%s"/"%d" placeholders are formatted by the caller.
CString GetMessageText(int code);

// Part of the explanation of a Windows Sockets error number: 0 the English description,
// 1 the Japanese explanation (lines separated by LF), 3 the symbolic name.
enum WinsockErrorPart {
    WSA_TEXT_DESCRIPTION = 0,
    WSA_TEXT_EXPLANATION = 1,
    WSA_TEXT_NAME = 3,
};
CString WinsockErrorText(int part, int code);
