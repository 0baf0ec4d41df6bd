// Reading the numbers of the settings pages' digit edits. The edits take digits only, but a
// baud rate may hold ten of them: a number is read without overflow and clamped to the int32
// range, so a long entry never wraps into a negative or small value.
#pragma once

// The decimal number at the start of text (an optional sign, then digits), clamped to
// [INT32_MIN, INT32_MAX]; 0 when no digit starts the text.
int ParseDecimalClamped(const char* text);
