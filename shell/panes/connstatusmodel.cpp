#include "connstatusmodel.h"

#include "channelbuffer.h"
#include "messagetext.h"

const ConnStatusColumn kConnStatusColumns[kConnStatusColumnCount] = {
    {"Time", 100}, {"ID", 50}, {"IP", 100}, {"Port", 50}, {"Comment", 150},
};

namespace {

// The comment of each connection kind: 0 local port, 1 peer, 2 destination, 3 serial port.
const int kKindComments[] = {13028, 13029, 13030, 13042};
const int kSerialKind = 3;

} // namespace

ConnStatusRow MakeConnStatusRow(const CChannelBuffer& buffer)
{
    ConnStatusRow row;
    const SYSTEMTIME& t = buffer.m_timeCreated;
    row.texts[0].Format("%02d:%02d:%02d.%03d", t.wHour, t.wMinute, t.wSecond, t.wMilliseconds);
    row.texts[1].Format("%d", buffer.m_nPort + 1);
    if (buffer.m_nSub < 1)
        row.texts[1] += ":(-)";
    else
        row.texts[1].AppendFormat(":(%d)", buffer.m_nSub);
    if (buffer.m_nCommType == kSerialKind)
        row.texts[3].Format("COM%u", static_cast<unsigned>(buffer.m_nComIndex + 1));
    if (buffer.m_nCommType >= 0 && buffer.m_nCommType < static_cast<int>(sizeof(kKindComments) / sizeof(kKindComments[0])))
        row.texts[4] = GetMessageText(kKindComments[buffer.m_nCommType]);
    return row;
}

std::vector<ConnStatusRow> MakeConnStatusRows(const std::vector<const CChannelBuffer*>& buffers)
{
    std::vector<ConnStatusRow> rows;
    rows.reserve(buffers.size());
    for (const CChannelBuffer* pBuffer : buffers)
        rows.push_back(MakeConnStatusRow(*pBuffer));
    return rows;
}
