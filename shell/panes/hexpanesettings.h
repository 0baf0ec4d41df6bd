// Puts one editor block of the application settings into a pane's hex editor: the display
// fields, then a new layout and an immediate redraw.
#pragma once

#include "appsettings.h"
#include "hexedit.h"

void ApplyHexPaneSettings(CHexEdit& editor, const CEditorDisplaySettings& settings);
