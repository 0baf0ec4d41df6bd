// The text that the detailed log data pane shows for a message entry of the log: the message,
// the text the entry carries, and the explanation of its error number. Numbers of messages
// below 20001 are Windows Sockets errors, explained from the program's own table; from 20001
// on they are system errors, explained by the system's message table.
#pragma once

#include "afxwin.h"

class CCommLogRecord;

// The detail text of a message record (kind 0).
CString BuildMessageDetailText(const CCommLogRecord& record);
