// Rows of the two text tables behind messagetext.h. Both arrays are sorted by code.
#pragma once

#include <stddef.h>

struct MessageTextRow {
    int code;
    const char* text;
};

struct WinsockErrorRow {
    int code;
    const char* name;         // symbolic name, part 3
    const char* description;  // English description, part 0
    const char* explanation;  // Japanese explanation, part 1
};

extern const MessageTextRow g_messageTextRows[];
extern const size_t g_messageTextRowCount;
extern const WinsockErrorRow g_winsockErrorRows[];
extern const size_t g_winsockErrorRowCount;
