#include "core/project/OutputListing.h"

#include "core/Globals.h"
#include "core/Messages.h"
#include "core/NumberFormat.h"
#include "core/OutputBuffers.h"
#include "core/RuntimeError.h"
#include "core/Settings.h"
#include "core/Version.h"
#include "core/project/ProjectFile.h"

#include <cmath>

namespace brantel {
namespace {

const QString kCrLf = QStringLiteral("\r\n");

class ListingWriter {
 public:
  explicit ListingWriter(UnitSystem units) : units_(units) { out_.reserve(4096); }

  void Line(const QString& text) {
    out_ += text;
    out_ += kCrLf;
  }
  void Blank() { out_ += kCrLf; }

  // A section: an empty line and its bracketed heading.
  void Section(const QString& heading) {
    Blank();
    Line(heading);
    section_ = heading;
    part_.clear();
  }
  // A heading within a section (a parameter set), after an empty line.
  void Part(const QString& heading) {
    Blank();
    Line(heading);
    part_ = heading;
  }

  // A value row with the suffix of its quantity from the unit-label table.
  void Row(const QString& label, float value, UnitRow unit) { ValueRow(label, value, UnitLabel(units_, unit)); }
  // A value row of an angle, " (deg)" whatever the unit system.
  void AngleRow(const QString& label, float value) { ValueRow(label, value, QStringLiteral(" (deg)")); }
  // A value row without a unit.
  void PlainRow(const QString& label, float value) { ValueRow(label, value, QString()); }

  // The three stress rows of a plane stress state.
  void Stresses(const StressInput& stress, UnitRow unit) {
    Row(QStringLiteral("Sigma X"), stress.Sx, unit);
    Row(QStringLiteral("Sigma Y"), stress.Sy, unit);
    Row(QStringLiteral("Tau XY"), stress.Txy, unit);
  }

  QString Text() const { return out_; }

 private:
  void ValueRow(const QString& label, float value, const QString& suffix) {
    if (!std::isfinite(value)) NotFinite(label);
    out_ += PadLeftDots(label, kListingLabelWidth);
    out_ += FormatGeneral(value);
    out_ += suffix;
    out_ += kCrLf;
  }

  // A listing must never print "inf" or "nan": a value that is not a number
  // refuses the whole listing and names the row, so that the user can set
  // the tool's input right.
  [[noreturn]] void NotFinite(const QString& label) const {
    QString row = section_;
    if (!part_.isEmpty()) row += u' ' + part_;
    row += u' ' + label;
    RaiseError(ErrorNumber::Overflow,
               Tr({"The listing was not built: %1 is not a finite number.",
                   "Η κατάσταση δεδομένων δεν δημιουργήθηκε: το %1 δεν είναι πεπερασμένος αριθμός."})
                   .arg(row));
  }

  UnitSystem units_;
  QString out_;
  QString section_;
  QString part_;
};

void JointSet(ListingWriter& w, const ProjectRecord& r, std::size_t set) {
  w.Section(QStringLiteral("[Coulomb Criterion on Discontinuity]"));
  w.Part(set == 0 ? QStringLiteral("[Set 1]") : QStringLiteral("[Set 2]"));
  w.Stresses(r.JointStress[set], UnitRow::SmallStress);
  const JointMaterial& material = r.JointMaterials[set];
  const JointPlane& plane = r.JointPlanes[set];
  w.Row(QStringLiteral("Pore Pressure"), material.PorePressure, UnitRow::SmallStress);
  w.Row(QStringLiteral("Material Cohesion"), material.Cohesion, UnitRow::SmallStress);
  w.AngleRow(QStringLiteral("Material Angle of Internal Friction"), material.FrictionAngle);
  w.Row(QStringLiteral("Discontinuity Cohesion"), plane.Cohesion, UnitRow::SmallStress);
  w.AngleRow(QStringLiteral("Discontinuity Angle of Internal Friction"), plane.FrictionAngle);
}

}  // namespace

QString PadLeftDots(const QString& text, int width) {
  if (text.size() >= width) return text;
  return text + QString(width - text.size(), u'.');
}

QString OutputListingText(const ProjectRecord& r) {
  ListingWriter w(r.InputUnits);

  if (PrintModuleHeader) {
    w.Line(QStringLiteral("Brantel module build: ") + FormatSigned(version::kMajor) + u'.' +
           QString::number(version::kMinor) + u'.' + QString::number(version::kRevision));
    w.Line(QStringLiteral("Project File: ") + r.ProjectPath);
    w.Line(QStringLiteral("Input Units: ") + UnitLabel(r.InputUnits, UnitRow::Length) +
           UnitLabel(r.InputUnits, UnitRow::Stress));
    w.Blank();
  }

  w.Line(QStringLiteral("[PROJECT TITLE]"));
  w.Line(r.ProjectTitle);
  w.Blank();

  w.Line(QStringLiteral("[PROJECT DESCRIPTION]"));
  QString description = r.ProjectDescription;
  WrapDescription(description);
  w.Line(description);

  w.Section(QStringLiteral("[2D Stresses]"));
  w.Stresses(r.Stress2D, UnitRow::Stress);

  w.Section(QStringLiteral("[3D Stresses]"));
  for (std::size_t i = 0; i < 3; ++i) {
    for (std::size_t j = 0; j < 3; ++j) {
      w.Row(QStringLiteral("Sigma %1%2").arg(i + 1).arg(j + 1), r.Stress3D.Tensor[i][j], UnitRow::Stress);
    }
  }

  w.Section(QStringLiteral("[Coulomb Criterion]"));
  w.Stresses(r.CoulombStress, UnitRow::SmallStress);
  w.Row(QStringLiteral("Pore Pressure"), r.CoulombInput.PorePressure, UnitRow::SmallStress);
  w.Row(QStringLiteral("Cohesion"), r.CoulombInput.Cohesion, UnitRow::SmallStress);
  w.Row(QStringLiteral("Uniaxial Strength"), r.CoulombInput.UniaxialStrength, UnitRow::Stress);
  w.AngleRow(QStringLiteral("Angle of Internal Friction"), r.CoulombInput.FrictionAngle);

  JointSet(w, r, 0);
  JointSet(w, r, 1);

  const BoltedWedgeData& wedge = r.CoulombWedgeData;
  w.Section(QStringLiteral("[Coulomb Criterion on Bolted Rock Wedge]"));
  w.Row(QStringLiteral("Width"), wedge.Width, UnitRow::Length);
  w.Row(QStringLiteral("Height"), wedge.Height, UnitRow::Length);
  w.Row(QStringLiteral("Specific Gravity"), wedge.SpecificGravity, UnitRow::UnitWeight);
  w.Row(QStringLiteral("Material Cohesion"), wedge.Cohesion, UnitRow::SmallStress);
  w.AngleRow(QStringLiteral("Material Angle of Internal Friction"), wedge.FrictionAngle);
  w.AngleRow(QStringLiteral("Discontinuity Angle to Horizontal"), wedge.DiscAngle);
  w.Part(QStringLiteral("[Parameter Set #1]"));
  w.Row(QStringLiteral("Bolt Load"), wedge.BoltLoad, UnitRow::Force);
  w.AngleRow(QStringLiteral("Bolt Angle to Horizontal"), wedge.BoltAngle);
  w.Part(QStringLiteral("[Parameter Set #2]"));
  w.PlainRow(QStringLiteral("Safety Factor"), wedge.ReqSafetyFactor);
  w.AngleRow(QStringLiteral("Bolt Angle to Horizontal"), wedge.BoltAngle2);

  w.Section(QStringLiteral("[Circular Opening]"));
  w.Stresses(r.CircStress, UnitRow::Stress);
  w.Row(QStringLiteral("Opening Radius"), r.CircOpening.A, UnitRow::Length);
  w.Row(QStringLiteral("Distance from Center"), r.CircOpening.R, UnitRow::Length);
  w.AngleRow(QStringLiteral("Angle from Horizontal"), r.CircOpening.Angle);

  w.Section(QStringLiteral("[Von Mises Criterion]"));
  w.Stresses(r.VonMisesStress, UnitRow::Stress);
  w.Row(QStringLiteral("Tensile Strength"), r.VonMisesInput.TensileStrength, UnitRow::Stress);

  return w.Text();
}

void LoadOutBuf0() {
  OutBuf[0].clear();
  OutBuf[0] = OutputListingText(Project);
}

}  // namespace brantel
