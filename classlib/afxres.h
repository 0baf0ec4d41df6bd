// The standard command ids that every menu, accelerator table and message map of the program
// shares with the class library (resource scripts include this header too).
#pragma once

#define ID_EDIT_COPY        0xE122
#define ID_EDIT_CUT         0xE123
#define ID_EDIT_PASTE       0xE125
#define ID_EDIT_SELECT_ALL  0xE12A
#define ID_EDIT_UNDO        0xE12B
#define ID_EDIT_REDO        0xE12C
