// The rows of the connection-status pane: one per registered channel buffer, in the order of
// the frame's list, each with the texts of the five columns.
#pragma once

#include "afxwin.h"

#include <vector>

class CChannelBuffer;

struct ConnStatusColumn
{
    const char* pszHeader;
    int nWidth;
};

const int kConnStatusColumnCount = 5;

// "Time", "ID", "IP", "Port", "Comment" with their widths.
extern const ConnStatusColumn kConnStatusColumns[kConnStatusColumnCount];

struct ConnStatusRow
{
    CString texts[kConnStatusColumnCount];
};

// The creation time "HH:MM:SS.mmm"; "<port>:(-)" or "<port>:(<sub>)"; for a serial connection
// an empty address and "COM<n>"; the comment of the connection kind.
ConnStatusRow MakeConnStatusRow(const CChannelBuffer& buffer);

std::vector<ConnStatusRow> MakeConnStatusRows(const std::vector<const CChannelBuffer*>& buffers);
