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
