// Resource ids of the framework-core tests' own resources.
#pragma once

// Block 2049 holds these two in both languages; 32777 is an empty entry between them.
#define IDS_TEST_BOTH 32776
#define IDS_TEST_BOTH_NEXT 32778
// Blocks that exist in one language only.
#define IDS_TEST_ENGLISH_ONLY 40000
#define IDS_TEST_JAPANESE_ONLY 40016

// Raw resources cut short: a string block (ids 47984-47999) whose first entry claims more
// characters than the block holds, and an accelerator table of one entry and a piece.
#define IDS_TEST_BLOCK_CUT_SHORT 3000
#define IDS_TEST_CUT_SHORT 47984
#define IDR_TEST_ACCEL_CUT_SHORT 300

#define IDR_TEST_MENU 200
#define IDR_TEST_ACCEL 201
#define IDB_TEST_COLORS24 202
#define IDB_TEST_PALETTE8 203

#define ID_TEST_FIRST 33001
#define ID_TEST_SECOND 33002

// Command texts: 32776 above also carries a status-bar tip and a tooltip in Japanese.
#define IDS_CMD_STATUS_ONLY 32790
#define IDS_CMD_TABS_AND_RETURNS 32791

#define IDR_CMD_MENU 210
#define ID_CMD_TOPMOST 32825
#define ID_CMD_STANDARD_BAR 32826

// Toolbar resources (type 241) with their bitmaps of the same ids: buttons 100, separator,
// 101 over two 16 x 15 images; one claiming more buttons than it holds; one with more images
// than its bitmap is wide.
#define IDR_CMD_TOOLBAR 220
#define IDR_CMD_TOOLBAR_COUNT_TOO_LARGE 221
#define IDR_CMD_TOOLBAR_TOO_NARROW 222
#define ID_CMD_BUTTON_FIRST 100
#define ID_CMD_BUTTON_SECOND 101
#define ID_CMD_BUTTON_THIRD 102
