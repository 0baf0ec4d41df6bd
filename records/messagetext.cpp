// Lookups over the sorted tables of messagetable.cpp.
#include "messagetext.h"

#include <algorithm>

#include "messagetable.h"

namespace {

template <typename Row>
const Row* FindRow(const Row* rows, size_t count, int code)
{
    const Row* end = rows + count;
    const Row* row = std::lower_bound(rows, end, code,
                                      [](const Row& r, int c) { return r.code < c; });
    return (row != end && row->code == code) ? row : nullptr;
}

}  // namespace

CString GetMessageText(int code)
{
    const MessageTextRow* row = FindRow(g_messageTextRows, g_messageTextRowCount, code);
    return CString(row ? row->text : "");
}

CString WinsockErrorText(int part, int code)
{
    const WinsockErrorRow* row = FindRow(g_winsockErrorRows, g_winsockErrorRowCount, code);
    if (row == nullptr)
        return CString();
    switch (part) {
    case WSA_TEXT_DESCRIPTION: return CString(row->description);
    case WSA_TEXT_EXPLANATION: return CString(row->explanation);
    case WSA_TEXT_NAME: return CString(row->name);
    default: return CString();
    }
}
