// String resources of the class-library test program.
#pragma once
#define IDS_TEST_JAPANESE 101
#define IDS_TEST_PROMPT 102
#define IDS_TEST_FORMAT 103
