#include "tools/stress/Fadum.h"

#include "core/Arithmetic.h"
#include "core/Conversions.h"
#include "core/NumberFormat.h"
#include "core/RuntimeError.h"

#include <algorithm>
#include <cmath>

namespace brantel {
namespace {

// The constants of the factor as written: 3.1415 for the half turn added to
// a negative arctangent, 12.566 for 4 pi.
constexpr double kHalfTurnWritten = 3.1415;
constexpr double kFourPiWritten = 12.566;

// 4 pi Ir for m, n >= 0.
double CornerSum(double m, double n) {
  const double m2 = m * m, n2 = n * n;
  const double root = std::sqrt(CheckFinite(m2 + n2 + 1.0));
  const double twoMnR = CheckFinite(2.0 * m * n * root);
  const double denominator = CheckFinite(m2 + n2 - m2 * n2 + 1.0);
  const double angle = denominator == 0.0 ? kPi / 2.0 : std::atan(twoMnR / denominator);
  const float t = CheckedFloat(angle);
  if (t == 0.0f) return 0.0;
  double sum = CheckedDivide(m2 + n2 + 2.0, m2 + n2 + 1.0) * CheckedDivide(twoMnR, m2 + n2 + m2 * n2 + 1.0) + angle;
  if (t < 0.0f) sum += kHalfTurnWritten;
  return CheckFinite(sum);
}

// 4 pi Ir with the sign of each argument.
double SignedCornerSum(float m, float n) {
  const double sum = CornerSum(std::fabs(static_cast<double>(m)), std::fabs(static_cast<double>(n)));
  return (m < 0.0f) != (n < 0.0f) ? -sum : sum;
}

// Not negative, with the sentence of the box; the load's in Greek as given.
ValueRule NotNegative(FadumBox box, const char* greekLoad) {
  const InputMessage negative[] = {
      Sentence({"The load of the foundation should be positive", greekLoad}),
      Sentence(
          {"The width of the foundation should be positive", "Το πλάτος του θεμελίου πρέπει να έχει θετική τιμή!"}),
      Sentence(
          {"The length of the foundation should be positive", "Το μήκος του θεμελίου πρέπει να έχει θετική τιμή!"}),
      Sentence({"The depth of the point should be positive", "Το βάθος του σημείου πρέπει να έχει θετική τιμή!"}),
  };
  return NotNegativeRule(negative[static_cast<std::size_t>(box)]);
}

// The corner stress of one auxiliary rectangle.
float RectStress(const PlanRect& r, float depth, float load) {
  const float a = CheckedFloat(static_cast<double>(r.X1) - r.X0);
  const float b = CheckedFloat(static_cast<double>(r.Y1) - r.Y0);
  return CornerStress(a, b, depth, load);
}

PlanRect Rect(float x0, float x1, float y0, float y1) { return {x0, x1, y0, y1, true}; }

}  // namespace

float FadumIr(float m, float n) { return CheckedFloat(SignedCornerSum(m, n) * (1.0 / kFourPiWritten)); }

float CornerStress(float a, float b, float z, float q) {
  if (!(z > 0.0f)) return 0.0f;
  const float m = CheckedFloat(static_cast<double>(a) / z);
  const float n = CheckedFloat(static_cast<double>(b) / z);
  return CheckedFloat(SignedCornerSum(m, n) * q / kFourPiWritten);
}

FadumCornerResult FadumCornerResults(float load, float width, float length, float depth) {
  float m = 0.0f, n = 0.0f, q = 0.0f;
  if (depth != 0.0f) {
    m = CheckedFloat(static_cast<double>(length) / depth);
    n = CheckedFloat(static_cast<double>(width) / depth);
    q = load;
  }
  FadumCornerResult r;
  r.Ir = FadumIr(m, n);
  r.Stress = CheckedFloat(static_cast<double>(q) * r.Ir);
  return r;
}

ValueRule FadumCornerValueRule(FadumBox box) {
  return NotNegative(box, "Το φορτίο του θεμελίου πρέπει να έχει θετική τιμή!");
}

ValueRule FoundationValueRule(FadumBox box) {
  return NotNegative(box, "Το Φορτίο του θεμελίου πρέπει να έχει θετική τιμή!");
}

std::array<FadumChartCurve, kFadumCurves> FadumChartCurves() {
  std::array<FadumChartCurve, kFadumCurves> curves;
  float n = 0.1f;
  for (FadumChartCurve& curve : curves) {
    curve.N = n;
    curve.Points.reserve(kFadumCurvePoints);
    float m = 0.1f;
    for (int row = 0; row < kFadumCurvePoints; ++row) {
      curve.Points.append(QPointF(m, FadumIr(m, n)));
      m = CheckedFloat(static_cast<double>(m) + 0.1);
    }
    n = CheckedFloat(static_cast<double>(n) + 0.1);
  }
  return curves;
}

QRectF PlanRect::InPlanUnits() const {
  const double left = std::min(X0, X1), top = std::min(Y0, Y1);
  const double width = std::fabs(static_cast<double>(X1) - X0);
  const double height = std::fabs(static_cast<double>(Y1) - Y0);
  return QRectF(left * kPlanUnitsPerLength, top * kPlanUnitsPerLength, width * kPlanUnitsPerLength,
                height * kPlanUnitsPerLength);
}

PlanRect FoundationOutline(float length, float width) {
  return Rect(0.0f, std::max(length, 0.0f), 0.0f, std::max(width, 0.0f));
}

FoundationStress FoundationPointStress(float length, float width, float depth, float load, float x, float y) {
  const float l = std::max(length, 0.0f), b = std::max(width, 0.0f);
  FoundationStress s;
  // Whole, A, B and C in that order, and the sign each enters the sum with.
  std::array<double, 4> signs{};
  if (x > l && y > b) {
    s.Case = FoundationCase::BeyondFarCorner;
    s.Whole = Rect(0, x, 0, y);
    s.A = Rect(0, x, b, y);
    s.B = Rect(l, x, 0, y);
    s.C = Rect(l, x, b, y);
    signs = {1, -1, -1, 1};
  } else if (x > l && y == b) {
    s.Case = FoundationCase::BeyondOnFarEdgeY;
    s.Whole = Rect(0, x, 0, b);
    s.A = Rect(l, x, 0, b);
    signs = {1, -1, 0, 0};
  } else if (x == l && y > b) {
    s.Case = FoundationCase::BeyondOnFarEdgeX;
    s.Whole = Rect(0, l, 0, y);
    s.A = Rect(0, l, b, y);
    signs = {1, -1, 0, 0};
  } else if (x > l && y < b) {
    s.Case = FoundationCase::BesideEdgeX;
    s.Whole = Rect(0, x, 0, y);
    s.C = Rect(0, x, y, b);
    s.A = Rect(l, x, 0, y);
    s.B = Rect(l, x, y, b);
    signs = {1, -1, -1, 1};
  } else if (x < l && y > b) {
    s.Case = FoundationCase::BesideEdgeY;
    s.Whole = Rect(0, x, 0, y);
    s.C = Rect(x, l, 0, y);
    s.A = Rect(0, x, b, y);
    s.B = Rect(x, l, b, y);
    signs = {1, -1, -1, 1};
  } else if (x == l && y < b) {
    s.Case = FoundationCase::OnEdgeX;
    s.Whole = Rect(0, l, 0, y);
    s.C = Rect(0, l, y, b);
    signs = {1, 0, 0, 1};
  } else if (x < l && y == b) {
    s.Case = FoundationCase::OnEdgeY;
    s.Whole = Rect(0, x, 0, b);
    s.C = Rect(x, l, 0, b);
    signs = {1, 0, 0, 1};
  } else if (x == l && y == b) {
    s.Case = FoundationCase::AtFarCorner;
    s.Stress = CornerStress(l, b, depth, load);
    return s;
  } else {
    s.Case = FoundationCase::Under;
    s.Whole = Rect(0, x, 0, y);
    s.A = Rect(x, l, 0, y);
    s.B = Rect(0, x, y, b);
    s.C = Rect(x, l, y, b);
    signs = {1, 1, 1, 1};
  }
  const std::array<const PlanRect*, 4> rects = {&s.Whole, &s.A, &s.B, &s.C};
  double sum = 0.0;
  for (std::size_t i = 0; i < rects.size(); ++i) {
    if (rects[i]->Shown) sum += signs[i] * RectStress(*rects[i], depth, load);
  }
  s.Stress = CheckedFloat(sum);
  return s;
}

QPointF PlanPointAt(double xPlanUnits, double yPlanUnits) {
  const auto shown = [](double planUnits) {
    const double held = std::clamp(CheckFinite(planUnits), 0.0, kPlanExtent);
    return ParseLeadingNumber(Format(held / kPlanUnitsPerLength, kPlanCoordinateMask));
  };
  return QPointF(shown(xPlanUnits), shown(yPlanUnits));
}

}  // namespace brantel
