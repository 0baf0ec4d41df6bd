// Period timers of the connections: a thread per timer that sets a named event on every period.
//
// A connection's loop waits on the timer's named event among its other handles; the timer
// thread runs at the highest priority so that the events keep time while the main thread is
// busy. The timer's stop event is created here, before its thread starts, and belongs to that
// one timer: a stop can never be lost to a thread that has not yet opened its event, and a new
// timer of the same name never takes the stop meant for an old one. Stopping waits (bounded)
// until the thread has ended, so no timer of an ended connection fires into the next one.
#pragma once

#include "afxwin.h"

class CPeriodTimer;

// Starts a thread that sets the auto-reset event of that name every period milliseconds.
// A period of 0 or less runs as 1 ms. Returns the timer, or NULL when it cannot be started.
CPeriodTimer* StartPeriodTimer(LPCSTR pszName, int nPeriod);

// Stops the timer, waits until its thread has ended (at most a few seconds) and frees it.
// Accepts NULL.
void StopPeriodTimer(CPeriodTimer* pTimer);

// Timer threads that have started and not yet ended, in the whole process.
int GetLivePeriodTimerCount();
