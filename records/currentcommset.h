// The current communication set: the one record that the connections, the log and the
// settings dialogs read, and that the settings dialog replaces as a whole on Apply.
#pragma once

#include "commsetrecord.h"

CCommSetRecord& GetCurrentCommSet();
