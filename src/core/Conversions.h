#pragma once

#include <QtGlobal>

namespace brantel {

// Numeric conversions with the run-time errors of the language they stand
// for: nothing here ever hands back an infinite or undefined number.

// Rounds to a 32-bit float; a magnitude beyond the float range raises
// Overflow (6), an undefined number Invalid procedure call (5).
float CSng(double value);

// True when the value is finite and within the 32-bit float range.
bool FitsSingle(double value);

// Rounds to a 16-bit integer, halves to the even neighbour; outside
// -32768..32767 raises Overflow (6).
qint16 CInt(double value);

// Rounds to a 32-bit integer, halves to the even neighbour; out of range
// raises Overflow (6).
qint32 CLng(double value);

// Passes a finite value through; infinity raises Overflow (6), NaN raises
// Invalid procedure call (5).
double CheckFinite(double value);

}  // namespace brantel
