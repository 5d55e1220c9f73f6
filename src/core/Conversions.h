#pragma once

#include <QtGlobal>

namespace brantel {

// Numeric conversions that raise a run-time error (core/RuntimeError.h)
// where a plain cast would overflow: nothing here ever hands back an
// infinite or undefined number.

// Rounds to a 32-bit float; a magnitude beyond the float range raises
// Overflow (6), an undefined number Invalid procedure call (5).
float CheckedFloat(double value);

// True when the value is finite and within the 32-bit float range.
bool FitsFloat(double value);

// Rounds to a 16-bit integer, halves to the even neighbour; outside
// -32768..32767 raises Overflow (6).
qint16 RoundToInt16(double value);

// Rounds to a 32-bit integer, halves to the even neighbour; out of range
// raises Overflow (6).
qint32 RoundToInt32(double value);

// Passes a finite value through; infinity raises Overflow (6), NaN raises
// Invalid procedure call (5).
double CheckFinite(double value);

}  // namespace brantel
