#include "core/NumberFormat.h"

#include "core/RuntimeError.h"

#include <locale.h>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace brantel {
namespace {

// A decimal number: value = 0.d1d2...dn x 10^point, digits without leading
// or trailing zeros (empty for zero).
struct Decimal {
  bool negative = false;
  std::string digits;
  int point = 0;
};

void Normalise(Decimal& d) {
  std::size_t first = d.digits.find_first_not_of('0');
  if (first == std::string::npos) {
    d.digits.clear();
    d.point = 0;
    return;
  }
  d.digits.erase(0, first);
  d.point -= static_cast<int>(first);
  const std::size_t last = d.digits.find_last_not_of('0');
  d.digits.erase(last + 1);
}

// The value rounded to `significant` digits, as printf rounds it.
Decimal ToDecimal(double value, int significant) {
  Decimal d;
  if (value == 0.0 || !std::isfinite(value)) return d;
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.*e", significant - 1, value);
  const char* p = buf;
  if (*p == '-') {
    d.negative = true;
    ++p;
  }
  std::string digits;
  int exponent = 0;
  for (; *p && *p != 'e'; ++p) {
    if (*p >= '0' && *p <= '9') digits.push_back(*p);
  }
  if (*p == 'e') exponent = std::atoi(p + 1);
  d.digits = digits;
  d.point = exponent + 1;
  Normalise(d);
  if (d.digits.empty()) d.negative = false;
  return d;
}

// The shortest digits that read back to the same value.
template <typename T>
Decimal ToShortestDecimal(T value) {
  Decimal d;
  if (value == 0 || !std::isfinite(value)) return d;
  char buf[64];
  auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific);
  std::string text(buf, res.ptr);
  std::size_t pos = 0;
  if (text[0] == '-') {
    d.negative = true;
    pos = 1;
  }
  std::string digits;
  for (; pos < text.size() && text[pos] != 'e'; ++pos) {
    if (text[pos] >= '0' && text[pos] <= '9') digits.push_back(text[pos]);
  }
  const int exponent = pos < text.size() ? std::atoi(text.c_str() + pos + 1) : 0;
  d.digits = digits;
  d.point = exponent + 1;
  Normalise(d);
  return d;
}

// Rounds half away from zero to `places` digits after the decimal point.
void RoundToPlaces(Decimal& d, int places) {
  const int keep = d.point + places;
  const int n = static_cast<int>(d.digits.size());
  if (keep >= n) return;
  if (keep < 0) {
    d.digits.clear();
    d.point = 0;
    return;
  }
  const bool up = d.digits[static_cast<std::size_t>(keep)] >= '5';
  d.digits.resize(static_cast<std::size_t>(keep));
  if (up) {
    int i = keep - 1;
    while (i >= 0 && d.digits[static_cast<std::size_t>(i)] == '9') {
      d.digits[static_cast<std::size_t>(i)] = '0';
      --i;
    }
    if (i < 0) {
      d.digits.insert(d.digits.begin(), '1');
      d.point += 1;
    } else {
      d.digits[static_cast<std::size_t>(i)] += 1;
    }
  }
  Normalise(d);
}

// Digit k (0 = first significant digit) or '0' beyond the stored digits.
char DigitAt(const Decimal& d, int k) {
  if (k < 0 || k >= static_cast<int>(d.digits.size())) return '0';
  return d.digits[static_cast<std::size_t>(k)];
}

// Plain or exponent form, the digits taken as they stand.
QString RenderGeneral(const Decimal& d, int fixedBelowExponent, int fixedFromExponent) {
  if (d.digits.empty()) return QStringLiteral("0");
  std::string out;
  if (d.negative) out.push_back('-');
  const int exponent = d.point - 1;
  const int n = static_cast<int>(d.digits.size());
  if (exponent < fixedBelowExponent || exponent >= fixedFromExponent) {
    out.push_back(d.digits[0]);
    if (n > 1) {
      out.push_back('.');
      out.append(d.digits, 1, std::string::npos);
    }
    out.push_back('E');
    out.push_back(exponent < 0 ? '-' : '+');
    const int mag = std::abs(exponent);
    if (mag < 10) out.push_back('0');
    out.append(std::to_string(mag));
  } else if (d.point <= 0) {
    out.append("0.");
    out.append(static_cast<std::size_t>(-d.point), '0');
    out.append(d.digits);
  } else {
    for (int k = 0; k < d.point; ++k) out.push_back(DigitAt(d, k));
    if (n > d.point) {
      out.push_back('.');
      out.append(d.digits, static_cast<std::size_t>(d.point), std::string::npos);
    }
  }
  return QString::fromLatin1(out.data(), static_cast<qsizetype>(out.size()));
}

bool IsPlaceholder(QChar c) { return c == u'0' || c == u'#'; }

QString FormatDecimal(Decimal d, QStringView mask) {
  // Split the mask: literal prefix, integer placeholders, ".", decimal
  // placeholders, literal suffix.
  qsizetype firstPh = -1, lastPh = -1, pointAt = -1;
  for (qsizetype i = 0; i < mask.size(); ++i) {
    if (IsPlaceholder(mask[i])) {
      if (firstPh < 0) firstPh = i;
      lastPh = i;
    } else if (mask[i] == u'.' && pointAt < 0) {
      pointAt = i;
      if (firstPh < 0) firstPh = i;
      lastPh = std::max(lastPh, i);
    }
  }
  if (firstPh < 0) return mask.toString();  // no placeholder at all

  const QStringView prefix = mask.left(firstPh);
  const QStringView suffix = mask.mid(lastPh + 1);
  const QStringView body = mask.mid(firstPh, lastPh - firstPh + 1);
  const qsizetype bodyPoint = pointAt >= 0 ? pointAt - firstPh : -1;
  const QStringView intPart = bodyPoint >= 0 ? body.left(bodyPoint) : body;
  const QStringView decPart = bodyPoint >= 0 ? body.mid(bodyPoint + 1) : QStringView();

  int intMin = 0;
  {
    const qsizetype zero = intPart.indexOf(u'0');
    if (zero >= 0) {
      for (qsizetype i = zero; i < intPart.size(); ++i)
        if (IsPlaceholder(intPart[i])) ++intMin;
    }
  }
  int decMax = 0, decMin = 0;
  for (qsizetype i = 0; i < decPart.size(); ++i) {
    if (IsPlaceholder(decPart[i])) {
      ++decMax;
      if (decPart[i] == u'0') decMin = decMax;
    }
  }

  RoundToPlaces(d, decMax);

  std::string intDigits;
  for (int k = 0; k < d.point; ++k) intDigits.push_back(DigitAt(d, k));
  if (static_cast<int>(intDigits.size()) < intMin)
    intDigits.insert(0, static_cast<std::size_t>(intMin) - intDigits.size(), '0');

  std::string decDigits;
  for (int k = 0; k < decMax; ++k) decDigits.push_back(DigitAt(d, d.point + k));
  while (static_cast<int>(decDigits.size()) > decMin && decDigits.back() == '0') decDigits.pop_back();

  QString out;
  out.reserve(mask.size() + 24);
  out += prefix;
  if (d.negative && !d.digits.empty()) out += u'-';
  out += QString::fromLatin1(intDigits.data(), static_cast<qsizetype>(intDigits.size()));
  if (bodyPoint >= 0) {
    out += u'.';
    out += QString::fromLatin1(decDigits.data(), static_cast<qsizetype>(decDigits.size()));
  }
  out += suffix;
  return out;
}

locale_t CLocale() {
  static locale_t loc = newlocale(LC_NUMERIC_MASK, "C", static_cast<locale_t>(nullptr));
  return loc;
}

bool IsBlank(QChar c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n'; }
bool IsDigit(QChar c) { return c >= u'0' && c <= u'9'; }

// Length of the number at the start of `s` (after blanks were skipped), or 0.
qsizetype ScanNumber(QStringView s, bool& hasDigits) {
  qsizetype i = 0;
  hasDigits = false;
  if (i < s.size() && (s[i] == u'+' || s[i] == u'-')) ++i;
  while (i < s.size() && IsDigit(s[i])) {
    ++i;
    hasDigits = true;
  }
  if (i < s.size() && s[i] == u'.') {
    ++i;
    while (i < s.size() && IsDigit(s[i])) {
      ++i;
      hasDigits = true;
    }
  }
  if (!hasDigits) return 0;
  if (i < s.size() && (s[i] == u'e' || s[i] == u'E')) {
    qsizetype j = i + 1;
    if (j < s.size() && (s[j] == u'+' || s[j] == u'-')) ++j;
    if (j < s.size() && IsDigit(s[j])) {
      while (j < s.size() && IsDigit(s[j])) ++j;
      i = j;
    }
  }
  return i;
}

double ConvertScanned(QStringView number, bool& overflow) {
  const std::string text = number.toString().toStdString();
  errno = 0;
  char* end = nullptr;
  const double v = strtod_l(text.c_str(), &end, CLocale());
  overflow = std::isinf(v);
  return v;
}

}  // namespace

QString Format(float value, QStringView mask) { return FormatDecimal(ToDecimal(static_cast<double>(value), 7), mask); }

QString Format(double value, QStringView mask) { return FormatDecimal(ToDecimal(value, 15), mask); }

QString FormatGeneral(float value) { return RenderGeneral(ToDecimal(static_cast<double>(value), 7), -4, 7); }

QString FormatGeneral(double value) { return RenderGeneral(ToDecimal(value, 15), -4, 15); }

QString FormatShortest(float value) {
  if (value == 0.0f && std::signbit(value)) return QStringLiteral("-0");
  return RenderGeneral(ToShortestDecimal(value), -5, 15);
}

QString FormatShortest(double value) {
  if (value == 0.0 && std::signbit(value)) return QStringLiteral("-0");
  return RenderGeneral(ToShortestDecimal(value), -5, 15);
}

double ParseLeadingNumber(QStringView text) {
  qsizetype start = 0;
  while (start < text.size() && IsBlank(text[start])) ++start;
  const QStringView rest = text.mid(start);
  bool hasDigits = false;
  const qsizetype len = ScanNumber(rest, hasDigits);
  if (len == 0) return 0.0;
  bool overflow = false;
  const double v = ConvertScanned(rest.left(len), overflow);
  if (overflow) RaiseError(ErrorNumber::Overflow);
  return v;
}

std::optional<double> ParseNumber(QStringView text) {
  const QStringView trimmed = text.trimmed();
  bool hasDigits = false;
  const qsizetype len = ScanNumber(trimmed, hasDigits);
  if (len == 0 || len != trimmed.size()) return std::nullopt;
  bool overflow = false;
  const double v = ConvertScanned(trimmed, overflow);
  if (overflow) return std::nullopt;
  return v;
}

std::optional<float> ParseNumberSingle(QStringView text) {
  const QStringView trimmed = text.trimmed();
  bool hasDigits = false;
  const qsizetype len = ScanNumber(trimmed, hasDigits);
  if (len == 0 || len != trimmed.size()) return std::nullopt;
  const std::string number = trimmed.toString().toStdString();
  char* end = nullptr;
  const float v = strtof_l(number.c_str(), &end, CLocale());
  if (std::isinf(v)) return std::nullopt;
  return v;
}

}  // namespace brantel
