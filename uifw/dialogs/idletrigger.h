// Whether the message the thread is dispatching is one after which the class library runs
// its idle processing. Mouse moves count only when the point moved; this keeps its own
// memory of the last point, since the thread's test remembers the point it saw and a second
// look from here would rob the message loop of its idle pass.
#pragma once
#include "afxwin.h"

bool UiIsIdleTriggerMessage(const MSG& msg);
// The same for the thread's current message (false without a thread object).
bool UiIsCurrentMessageIdleTrigger();
