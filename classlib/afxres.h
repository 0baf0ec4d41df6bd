// The standard command ids that every menu, accelerator table and message map of the program
// shares with the class library (resource scripts include this header too).
#pragma once

// The File menu's exit: closes the application's main window.
#define ID_APP_EXIT         0xE141

#define ID_EDIT_CLEAR       0xE120
#define ID_EDIT_COPY        0xE122
#define ID_EDIT_CUT         0xE123
#define ID_EDIT_PASTE       0xE125
#define ID_EDIT_SELECT_ALL  0xE12A
#define ID_EDIT_UNDO        0xE12B
#define ID_EDIT_REDO        0xE12C

// Status-bar indicators of the keyboard's toggle keys.
#define ID_INDICATOR_EXT    0xE700
#define ID_INDICATOR_CAPS   0xE701
#define ID_INDICATOR_NUM    0xE702
#define ID_INDICATOR_SCRL   0xE703
#define ID_INDICATOR_OVR    0xE704
#define ID_INDICATOR_REC    0xE705
#define ID_INDICATOR_KANA   0xE706

// The recent-file commands of the File menu.
#define ID_FILE_MRU_FILE1   0xE110
#define ID_FILE_MRU_FILE16  0xE11F

// The status prompts of the window-system commands.
#define AFX_IDS_SCSIZE        0xEF00
#define AFX_IDS_SCMOVE        0xEF01
#define AFX_IDS_SCMINIMIZE    0xEF02
#define AFX_IDS_SCMAXIMIZE    0xEF03
#define AFX_IDS_SCNEXTWINDOW  0xEF04
#define AFX_IDS_SCPREVWINDOW  0xEF05
#define AFX_IDS_SCCLOSE       0xEF06
#define AFX_IDS_SCRESTORE     0xEF12
#define AFX_IDS_SCTASKLIST    0xEF13
