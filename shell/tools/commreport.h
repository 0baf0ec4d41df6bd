// The COM tool's report: what the system says about one serial port, as text.
//
// The two formatters are pure functions of the system's structures; the report opens the port
// through the engine's serial seam, asks for its properties, state, event mask and modem
// status in that order, and ends at the first call that fails with that call's error line.
// The port is only read, never configured, and it is closed again whenever it was opened.
#pragma once

#include "afxwin.h"

// The COMMPROP as its twenty field lines followed by the seven flag lists.
CString FormatCommPropReport(const COMMPROP& prop);

// The DCB as its header, twenty-eight field lines and a closing empty line.
CString FormatDcbReport(const DCB& dcb);

// The whole report of the port with the COM index (0 = COM1).
CString ReportPortDefaultStatus(int nComIndex);
