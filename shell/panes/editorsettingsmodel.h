// How one editor's display settings of the application settings become the display fields of
// a hex editor: shared by the panes that host the editors and by the settings page's sample.
// The settings keep indexes (address digits 0/1, grouping 0/1/2, font size 0-3); the editor
// wants digits and a font height.
#pragma once

#include "appsettings.h"
#include "hexeditmodel.h"

// 8 when the index is above 0, else 4.
int AddressDigitsFromIndex(int nIndex);
// Hex digits per group: 4 for index 1, 8 for index 2, 2 for anything else.
int GroupDigitsFromIndex(int nIndex);

enum class CharCodeUse { Apply, Keep };

// Colours, columns, address digits, grouping, font height and header into the model; the
// character code too unless told to keep the model's. The caller lays the editor out again.
void ApplyEditorDisplaySettings(HexEditModel& model, const CEditorDisplaySettings& settings,
                                CharCodeUse charCode = CharCodeUse::Apply);
