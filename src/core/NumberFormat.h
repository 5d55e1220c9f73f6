#pragma once

#include <QString>
#include <QStringView>

#include <optional>

namespace brantel {

// The one number formatter and parser of the program. Every number shown in
// a box, written to a file or read back goes through these, always with "."
// as the decimal point whatever the desktop's locale.

// Display masks. "0" is a digit that is always written, "#" one written only
// when significant; "." is the decimal point. Before the point, the digits
// from the first "0" on are always written ("#0" writes "0" for zero, "#.0"
// writes ".5" for 0.5, "00" writes "07"). After the point, the digits up to
// the last "0" are always written and the rest only when not zero, so
// "#0.##0" writes 1.5 as "1.500" and "#0.##" writes 2 as "2." (the point
// stays). Rounding is half away from zero on the value's decimal digits:
// 7 significant digits for a 32-bit float, 15 for a 64-bit one. Text before
// the first and after the last placeholder is copied as it stands.
QString Format(float value, QStringView mask);
QString Format(double value, QStringView mask);

// The general number format: up to 7 significant digits for a 32-bit float,
// up to 15 for a 64-bit one, no trailing zeros, no thousands separator;
// exponent form ("1.5E-05", "1E+20") below 1E-04 and from 1E+07 (32-bit)
// or 1E+15 (64-bit) on.
QString FormatGeneral(float value);
QString FormatGeneral(double value);

// The shortest text that reads back (with ParseLeadingNumber) to exactly the same value;
// exponent form below 1E-05 and from 1E+15 on. A negative zero is "-0".
QString FormatShortest(float value);
QString FormatShortest(double value);

// The leading number of a text: leading blanks are skipped, then an optional
// sign, digits with at most one ".", and an optional exponent are read up to
// the first character that cannot continue the number. A text without a
// leading number gives 0 ("12abc" gives 12, "-x" gives 0, "1e" gives 1).
// A number beyond the 64-bit range raises Overflow (6).
double ParseLeadingNumber(QStringView text);

// The value of a text that is a number as a whole: blanks around it, an
// optional sign, digits with at most one "." (at least one digit), and an
// optional exponent with digits. Anything else, or a value beyond the
// 64-bit range, gives nothing.
std::optional<double> ParseNumber(QStringView text);

// The same for a 32-bit number: the text is rounded once, straight to the
// nearest 32-bit value (a magnitude below the smallest one becomes 0);
// a value beyond the 32-bit range gives nothing.
std::optional<float> ParseNumberSingle(QStringView text);

// A 16-bit integer in plain decimal ("-3", "21").
inline QString FormatInt(qint64 value) { return QString::number(value); }

// A whole number with its sign position: a blank stands in for the sign of
// a number that is not negative (" 53", "-7").
inline QString FormatSigned(qint64 value) {
  return value < 0 ? QString::number(value) : QStringLiteral(" ") + QString::number(value);
}

}  // namespace brantel
