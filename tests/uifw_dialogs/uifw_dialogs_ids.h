// Identifiers of the dialog tests' resources.
#pragma once

#define IDD_JAPANESE_COMBO 101
#define IDD_BROKEN 102
#define IDD_RESIZABLE 103
#define IDD_PANE 104
#define IDD_PAGE_ONE 105
#define IDD_PAGE_TWO 106
#define IDD_CONTROLS 107
#define IDD_TINY 108
#define IDD_CHECKS 109

#define IDC_COMBO 1000
#define IDC_EDIT 1001
#define IDC_STATIC_TEXT 1002
#define IDC_BUTTON 1003
#define IDC_LIST 1004
#define IDC_RADIO1 1005
#define IDC_RADIO2 1006
#define IDC_RADIO3 1007
#define IDC_CHECK3 1008
#define IDC_CHECK2 1009
#define IDC_COLOR_BUTTON 1010

#define IDS_PAGE_ONE 201
#define IDS_PAGE_TWO 202
