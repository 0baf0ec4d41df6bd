// The current communication set: the one record that the connections, the log and the
// settings dialogs read, and that the settings dialog replaces as a whole on Apply.
//
// The main thread reads the record in place. Connection threads never do: each takes a copy
// of its own when it starts (CopyCurrentCommSet), and the settings dialog replaces the record
// through AssignCurrentCommSet, so a copy is never taken from a half-assigned set and no
// running connection holds any part of the record while it is replaced.
#pragma once

#include "commsetrecord.h"

CCommSetRecord& GetCurrentCommSet();

// Copies the current set into set, under the lock that AssignCurrentCommSet takes.
void CopyCurrentCommSet(CCommSetRecord& set);
// Replaces the current set, under the same lock.
void AssignCurrentCommSet(const CCommSetRecord& set);
