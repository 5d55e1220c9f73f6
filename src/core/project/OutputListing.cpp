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

// Unit-label rows of the listing's quantities, and the two suffixes that do
// not come from the table.
enum UnitRow : int {
  kNoUnit = 0,
  kLength = 1,
  kStress = 2,
  kUnitWeight = 3,
  kSmallStress = 5,  // psf / kPa
  kForce = 6,
  kDegrees = -1,
};

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

  void Row(const QString& label, float value, int unit) {
    if (!std::isfinite(value)) NotFinite(label);
    out_ += PadLeftDots(label, kListingLabelWidth);
    out_ += FormatGeneral(value);
    if (unit == kDegrees) out_ += QStringLiteral(" (deg)");
    else if (unit != kNoUnit) out_ += UnitLabel(units_, unit);
    out_ += kCrLf;
  }

  // The three stress rows of a plane stress state.
  void Stresses(const StressInput& stress, int unit) {
    Row(QStringLiteral("Sigma X"), stress.Sx, unit);
    Row(QStringLiteral("Sigma Y"), stress.Sy, unit);
    Row(QStringLiteral("Tau XY"), stress.Txy, unit);
  }

  QString Text() const { return out_; }

 private:
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
  w.Stresses(r.JointStress[set], kSmallStress);
  const JointMaterial& material = r.JointMaterials[set];
  const JointPlane& plane = r.JointPlanes[set];
  w.Row(QStringLiteral("Pore Pressure"), material.PorePressure, kSmallStress);
  w.Row(QStringLiteral("Material Cohesion"), material.Cohesion, kSmallStress);
  w.Row(QStringLiteral("Material Angle of Internal Friction"), material.FrictionAngle, kDegrees);
  w.Row(QStringLiteral("Discontinuity Cohesion"), plane.Cohesion, kSmallStress);
  w.Row(QStringLiteral("Discontinuity Angle of Internal Friction"), plane.FrictionAngle, kDegrees);
}

}  // namespace

QString PadLeftDots(const QString& text, int width) {
  if (text.size() >= width) return text;
  return text + QString(width - text.size(), u'.');
}

QString OutputListingText(ProjectRecord& r) {
  ListingWriter w(r.InputUnits);

  if (PrintModuleHeader) {
    w.Line(QStringLiteral("Brantel module build: ") + FormatSigned(version::kMajor) + u'.' +
           QString::number(version::kMinor) + u'.' + QString::number(version::kRevision));
    w.Line(QStringLiteral("Project File: ") + r.ProjectPath);
    w.Line(QStringLiteral("Input Units: ") + UnitLabel(r.InputUnits, kLength) + UnitLabel(r.InputUnits, kStress));
    w.Blank();
  }

  w.Line(QStringLiteral("[PROJECT TITLE]"));
  w.Line(r.ProjectTitle);
  w.Blank();

  w.Line(QStringLiteral("[PROJECT DESCRIPTION]"));
  WrapDescription(r.ProjectDescription);
  w.Line(r.ProjectDescription);

  w.Section(QStringLiteral("[2D Stresses]"));
  w.Stresses(r.Stress2D, kStress);

  w.Section(QStringLiteral("[3D Stresses]"));
  for (std::size_t i = 0; i < 3; ++i) {
    for (std::size_t j = 0; j < 3; ++j) {
      w.Row(QStringLiteral("Sigma %1%2").arg(i + 1).arg(j + 1), r.Stress3D.Tensor[i][j], kStress);
    }
  }

  w.Section(QStringLiteral("[Coulomb Criterion]"));
  w.Stresses(r.CoulombStress, kSmallStress);
  w.Row(QStringLiteral("Pore Pressure"), r.CoulombInput.PorePressure, kSmallStress);
  w.Row(QStringLiteral("Cohesion"), r.CoulombInput.Cohesion, kSmallStress);
  w.Row(QStringLiteral("Uniaxial Strength"), r.CoulombInput.UniaxialStrength, kStress);
  w.Row(QStringLiteral("Angle of Internal Friction"), r.CoulombInput.FrictionAngle, kDegrees);

  JointSet(w, r, 0);
  JointSet(w, r, 1);

  const BoltedWedgeData& wedge = r.CoulombWedgeData;
  w.Section(QStringLiteral("[Coulomb Criterion on Bolted Rock Wedge]"));
  w.Row(QStringLiteral("Width"), wedge.Width, kLength);
  w.Row(QStringLiteral("Height"), wedge.Height, kLength);
  w.Row(QStringLiteral("Specific Gravity"), wedge.SpecificGravity, kUnitWeight);
  w.Row(QStringLiteral("Material Cohesion"), wedge.Cohesion, kSmallStress);
  w.Row(QStringLiteral("Material Angle of Internal Friction"), wedge.FrictionAngle, kDegrees);
  w.Row(QStringLiteral("Discontinuity Angle to Horizontal"), wedge.DiscAngle, kDegrees);
  w.Part(QStringLiteral("[Parameter Set #1]"));
  w.Row(QStringLiteral("Bolt Load"), wedge.BoltLoad, kForce);
  w.Row(QStringLiteral("Bolt Angle to Horizontal"), wedge.BoltAngle, kDegrees);
  w.Part(QStringLiteral("[Parameter Set #2]"));
  w.Row(QStringLiteral("Safety Factor"), wedge.ReqSafetyFactor, kNoUnit);
  w.Row(QStringLiteral("Bolt Angle to Horizontal"), wedge.BoltAngle2, kDegrees);

  w.Section(QStringLiteral("[Circular Opening]"));
  w.Stresses(r.CircStress, kStress);
  w.Row(QStringLiteral("Opening Radius"), r.CircOpening.A, kLength);
  w.Row(QStringLiteral("Distance from Center"), r.CircOpening.R, kLength);
  w.Row(QStringLiteral("Angle from Horizontal"), r.CircOpening.Angle, kDegrees);

  w.Section(QStringLiteral("[Von Mises Criterion]"));
  w.Stresses(r.VonMisesStress, kStress);
  w.Row(QStringLiteral("Tensile Strength"), r.VonMisesInput.TensileStrength, kStress);

  return w.Text();
}

void LoadOutBuf0() {
  OutBuf[0].clear();
  OutBuf[0] = OutputListingText(Project);
}

}  // namespace brantel
