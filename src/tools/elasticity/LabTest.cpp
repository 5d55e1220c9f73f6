#include "tools/elasticity/LabTest.h"

#include "core/Arithmetic.h"
#include "core/Conversions.h"
#include "core/NumberFormat.h"
#include "core/RuntimeError.h"
#include "core/Validation.h"

#include <cmath>

namespace brantel {
namespace {

constexpr Bilingual kHeaders[labcol::kCount] = {
    {"#", "No"},
    {"Force (kN)", "Force (kN)"},
    {"DeltaY (mm)", "DeltaY (mm)"},
    {"ex (milli)", "εx (milli)"},
    {"ey (milli)", "εy (milli)"},
    {"sy (MPa)", "σy (MPa)"},
    {"El. Mod (GPa)", "El. Mod. (GPa)"},
};

// MPa x thousandths x mm^3 = microjoules.
constexpr double kMicrojoule = 1e-6;

double& Field(LabRow& row, int column) {
  switch (column) {
    case labcol::kForce: return row.Force;
    case labcol::kDeltaY: return row.DeltaY;
    case labcol::kEx: return row.Ex;
    case labcol::kEy: return row.Ey;
    default: return row.Sigma;
  }
}

// A filled value as the grid shows it and reads it back, or nothing when it
// cannot stand in a cell.
LabCell Fill(int column, std::optional<double> value) {
  LabCell cell{column, std::nullopt};
  if (value && FitsFloat(*value)) cell.Value = *value;
  return cell;
}

// What the grid reads back from a filled cell.
double ReadBack(const LabCell& cell) { return ParseLeadingNumber(Format(*cell.Value, kLabMask)); }

// Runs one part of the evaluation; a float overflow inside it leaves its
// result as nothing.
template <typename F>
std::optional<float> Guarded(F&& f) {
  try {
    return f();
  } catch (const RuntimeError&) {
    return std::nullopt;
  }
}

}  // namespace

LabDataKind LabDataKindOf(LabDataKind stored) {
  switch (stored) {
    case LabDataKind::ForceDisplacement:
    case LabDataKind::StressStrain: return stored;
    case LabDataKind::ForceStrain: break;
  }
  return LabDataKind::ForceStrain;  // also any value outside the list
}

Bilingual LabColumnHeader(int column) {
  if (column < 0 || column >= labcol::kCount) return {"", ""};
  return kHeaders[column];
}

int LabColumnWidth(int column, int gridWidthTwips) {
  if (column == labcol::kNumber) return 320;
  return RoundToInt32(gridWidthTwips / 6.5);
}

bool IsLabColumnEditable(LabDataKind dataType, int column) {
  if (column == labcol::kEx) return true;
  switch (LabDataKindOf(dataType)) {
    case LabDataKind::ForceDisplacement: return column == labcol::kForce || column == labcol::kDeltaY;
    case LabDataKind::StressStrain: return column == labcol::kEy || column == labcol::kSigma;
    case LabDataKind::ForceStrain: break;
  }
  return column == labcol::kForce || column == labcol::kEy;
}

std::array<int, 2> LabFilledColumns(LabDataKind dataType) {
  switch (LabDataKindOf(dataType)) {
    case LabDataKind::ForceDisplacement: return {labcol::kSigma, labcol::kEy};
    case LabDataKind::StressStrain: return {labcol::kForce, labcol::kDeltaY};
    case LabDataKind::ForceStrain: break;
  }
  return {labcol::kSigma, labcol::kDeltaY};
}

std::optional<QString> LabCellEntryText(QStringView answer, QStringView currentText) {
  const std::optional<double> value = LeadingNumber(answer.isEmpty() ? currentText : answer);
  if (!value || !FitsFloat(*value)) return std::nullopt;
  return FormatGeneral(std::fabs(*value));
}

std::optional<int> LabPointCount(double value) {
  if (!(value >= kLabMinPoints && value <= kLabMaxPointCount)) return std::nullopt;
  return RoundToInt16(value);
}

std::optional<double> LabSpecimenArea(LabAreaSource areaOption, double diameter, double area) {
  const double a = areaOption == LabAreaSource::Area ? area : kPi * diameter * diameter / 4.0;
  if (!FitsFloat(a) || a < 0) return std::nullopt;
  return a;
}

std::optional<double> LabEquivalentDiameter(double area) {
  if (area < 0 || !FitsFloat(area)) return std::nullopt;
  return std::sqrt(4.0 * area / kPi);
}

LabEvaluation EvaluateLabTest(const LabTestInput& in) {
  LabEvaluation out;
  const LabDataKind type = LabDataKindOf(in.DataType);
  const std::optional<double> specimenArea = LabSpecimenArea(in.AreaOption, in.Diameter, in.Area);
  const bool hasHeight = in.Height >= 0 && FitsFloat(in.Height);
  if (specimenArea && hasHeight) {
    out.Volume = Guarded([&] { return CheckedFloat(in.Height * *specimenArea); });
  }

  // Fill the columns of the data type.
  const double area = specimenArea.value_or(0.0);
  const bool byArea = area > 0;
  const double h = hasHeight ? in.Height : 0.0;
  const std::array<int, 2> columns = LabFilledColumns(type);
  out.Rows.reserve(in.Rows.size());
  for (const LabRow& row : in.Rows) {
    std::optional<double> first, second;
    switch (type) {
      case LabDataKind::ForceDisplacement:
        if (byArea) first = row.Force / area * 1000.0;
        if (h > 0) second = row.DeltaY / h * 1000.0;
        break;
      case LabDataKind::StressStrain:
        if (byArea) first = area * row.Sigma / 1000.0;
        if (h > 0) second = h * row.Ey / 1000.0;
        break;
      case LabDataKind::ForceStrain:
        if (byArea) first = row.Force / area * 1000.0;
        if (hasHeight) second = h * row.Ey / 1000.0;
        break;
    }
    LabRowResult r;
    r.Filled = {Fill(columns[0], first), Fill(columns[1], second)};
    r.Values = row;
    for (const LabCell& cell : r.Filled) {
      if (cell.Value) Field(r.Values, cell.Column) = ReadBack(cell);
    }
    out.Rows.push_back(r);
  }

  // Poisson's ratio.
  out.MeanPoisson = Guarded([&]() -> std::optional<float> {
    float sum = 0;
    int count = 0;
    for (const LabRowResult& r : out.Rows) {
      if (r.Values.Ex == 0 || r.Values.Ey == 0) continue;
      sum = CheckedFloat(static_cast<double>(sum) + CheckedFloat(r.Values.Ex / r.Values.Ey));
      ++count;
    }
    if (count == 0) return std::nullopt;
    return CheckedFloat(static_cast<double>(sum) / count);
  });

  // Elasticity modulus: the slope between each point and the one before.
  std::optional<float> sum = 0.0f;
  int count = 0;
  for (size_t i = 1; i < out.Rows.size(); ++i) {
    const LabRow& a = out.Rows[i - 1].Values;
    const LabRow& b = out.Rows[i].Values;
    if (!(b.Ey > 0 && a.Sigma < b.Sigma && b.Ey - a.Ey != 0)) continue;
    const std::optional<float> slope = Guarded([&] { return CheckedFloat((b.Sigma - a.Sigma) / (b.Ey - a.Ey)); });
    out.Rows[i].Modulus = slope;
    if (!slope) continue;
    if (sum) sum = Guarded([&] { return CheckedFloat(static_cast<double>(*sum) + *slope); });
    ++count;
  }
  if (count > 0 && sum) out.MeanModulus = CheckedFloat(static_cast<double>(*sum) / count);

  // Energy to failure: the area under the curve times the volume.
  if (out.Volume) {
    const double volume = *out.Volume;
    out.Energy = Guarded([&] {
      float energy = 0;
      for (size_t i = 1; i < out.Rows.size(); ++i) {
        const LabRow& a = out.Rows[i - 1].Values;
        const LabRow& b = out.Rows[i].Values;
        if (!(b.Ey > 0)) continue;
        const float term = CheckedFloat((a.Sigma + b.Sigma) / 2.0 * (b.Ey - a.Ey) * volume * kMicrojoule);
        energy = CheckedFloat(static_cast<double>(energy) + term);
      }
      return energy;
    });
  }
  return out;
}

std::vector<QPointF> LabStressStrainPoints(const std::vector<LabRowResult>& rows) {
  std::vector<QPointF> points;
  points.reserve(rows.size());
  for (const LabRowResult& r : rows) {
    if (!FitsFloat(r.Values.Ey) || !FitsFloat(r.Values.Sigma)) continue;
    points.emplace_back(static_cast<float>(r.Values.Ey), static_cast<float>(r.Values.Sigma));
  }
  return points;
}

}  // namespace brantel
