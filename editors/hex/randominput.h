// The rules of the random-region input: what the four texts and the chosen type of the
// input dialog make of a RandomRegion, or which message refuses them. Window-free, so the
// dialog's checks are tested on their own.
//
// The addresses are hexadecimal (leading hex digits). The minimum and maximum are read by the
// type's pair: signed and unsigned decimal integers (leading sign and digits, like atoi and
// strtoul, but with no overflow: a value the 32-bit field cannot hold is refused), float and
// double decimal numbers (like atof; not-a-number, and values the stored float or double
// cannot hold, are refused). Then the type's clamps apply and the minimum must stay strictly
// below the maximum.
#pragma once

#include "randomregion.h"

// The message code of the refusal, or 0 when region holds the accepted input.
const int kRandomInputAccepted = 0;
const int kRandomInputBadAddress = 13017;
const int kRandomInputBadRange = 13018;

int ParseRandomRegionInput(LPCSTR startText, LPCSTR endText, int type, LPCSTR minText, LPCSTR maxText,
                           RandomRegion& region);

// Leading decimal integer of a text (white space, an optional sign, digits). False when the
// value lies outside the range of the type (int32 or uint32); an empty text reads as 0.
bool ParseRandomSigned(LPCSTR text, int32_t& value);
bool ParseRandomUnsigned(LPCSTR text, uint32_t& value);
// Leading decimal number of a text; false for not-a-number and for a value the type cannot
// hold (infinite, or beyond the largest finite float for the float pair).
bool ParseRandomFloat(LPCSTR text, float& value);
bool ParseRandomDouble(LPCSTR text, double& value);
