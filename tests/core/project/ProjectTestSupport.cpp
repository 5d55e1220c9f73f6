#include "ProjectTestSupport.h"

#include "core/Globals.h"
#include "core/Settings.h"
#include "core/project/ProjectFileRows.h"

#include <cfloat>
#include <cstring>
#include <sstream>

namespace brantel::test {
namespace {

using projectfile::FieldName;

struct Collector {
  FieldValues values;
  void Add(const FieldName& name, quint64 bits) { values.emplace_back(name.ToString().toStdString(), bits); }
  template <projectfile::RowInteger T>
  void Int(const FieldName& n, const T& f, int, T) {
    Add(n, static_cast<quint16>(projectfile::StoredInt(f)));
  }
  template <projectfile::RowInteger T>
  void NumInt(const FieldName& n, const T& f, int, T) {
    Add(n, static_cast<quint16>(projectfile::StoredInt(f)));
  }
  void Flag(const FieldName& n, const bool& f, projectfile::FlagForm, int, bool) { Add(n, f ? 1 : 0); }
  void Num(const FieldName& n, const float& f, int, float) { Add(n, Bits(f)); }
  void Print(const FieldName& n, const float& f, int, float) { Add(n, Bits(f)); }
  void Num64(const FieldName& n, const double& f, int, double) {
    quint64 b;
    std::memcpy(&b, &f, sizeof b);
    Add(n, b);
  }
  void Count(const FieldName& n, const int& f, int, int, int) { Add(n, static_cast<quint16>(f)); }
  void Rows(const FieldName& n, const LabPointRows& rows, int, int) {
    for (int r = 0; r < kLabMaxPoints; ++r)
      for (int c = 0; c < kLabColumns; ++c) Add(FieldName{n.base, nullptr, r + 1, c + 1}, Bits(rows[r][c]));
  }
  static quint64 Bits(float f) {
    quint32 b;
    std::memcpy(&b, &f, sizeof b);
    return b;
  }
};

}  // namespace

FieldValues FileFields(const ProjectRecord& record) {
  Collector c;
  projectfile::VisitFileRows(record, c);
  return c.values;
}

std::string Differences(const ProjectRecord& expected, const ProjectRecord& actual) {
  std::ostringstream out;
  if (expected.ProjectTitle != actual.ProjectTitle)
    out << "ProjectTitle: " << expected.ProjectTitle.toStdString() << " / " << actual.ProjectTitle.toStdString()
        << "\n";
  if (expected.ProjectDescription != actual.ProjectDescription)
    out << "ProjectDescription: [" << expected.ProjectDescription.toStdString() << "] / ["
        << actual.ProjectDescription.toStdString() << "]\n";
  if (expected.InputUnits != actual.InputUnits)
    out << "InputUnits: " << expected.InputUnits << " / " << actual.InputUnits << "\n";
  const FieldValues a = FileFields(expected);
  const FieldValues b = FileFields(actual);
  if (a.size() != b.size()) out << "field counts " << a.size() << " / " << b.size() << "\n";
  for (std::size_t i = 0; i < std::min(a.size(), b.size()); ++i) {
    if (a[i] != b[i]) out << a[i].first << ": " << std::hex << a[i].second << " / " << b[i].second << std::dec << "\n";
  }
  return out.str();
}

ProjectRecord FilledRecord() {
  ProjectRecord r;
  r.InputUnits = 1;
  r.ProjectTitle = QStringLiteral("Tunnel T1, Σήραγγα");
  r.ProjectDescription = QStringLiteral("First line, with commas, 1,5 and Σήραγγα\r\n   \r\n##EndDesc##\r\n") +
                         QString(44, u'a') + u' ' + QString(12, u'b') + u' ' + QString(17, u'c');

  r.Stress2D = {1.5f, -2.25f, 10.1908455f, 1};
  r.Stress2DPlane.PlaneAngle = 30.0f;
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) r.Stress3D.Tensor[i][j] = static_cast<float>(10 * (i + 1) + j + 1);
  r.Stress3D.Normal = {0.1f, 0.2f, 0.3f};
  r.Stress3D.AtGivenPlane = true;

  r.CoulombStress = {40.0f, 41.0f, 42.0f, 2};
  r.CoulombInput.UsePore = true;
  r.CoulombInput.PorePressure = 4.5f;
  r.CoulombInput.ParamOption = CoulombDerived::UniaxialStrength;
  r.CoulombInput.Cohesion = 5.5f;
  r.CoulombInput.UniaxialStrength = 6.5f;
  r.CoulombInput.FrictionAngle = 35.0f;

  r.JointSelectedSet = 1;
  for (int set = 0; set < 2; ++set) {
    const float base = set == 0 ? 100.0f : 200.0f;
    r.JointStress[set] = {base, base + 1, base + 2, set + 1};
    r.JointMaterials[set].UsePore = set == 0;
    r.JointMaterials[set].PorePressure = base + 3;
    r.JointMaterials[set].Cohesion = base + 4;
    r.JointMaterials[set].FrictionAngle = base + 5;
    r.JointPlanes[set].Cohesion = base + 6;
    r.JointPlanes[set].FrictionAngle = base + 7;
    r.JointPlanes[set].Alpha = base + 8;
  }

  BoltedWedgeData& w = r.CoulombWedgeData;
  w.Width = 10.0f;
  w.Height = 20.0f;
  w.SpecificGravity = 2.7f;
  w.Cohesion = 50.0f;
  w.FrictionAngle = 30.0f;
  w.DiscAngle = 45.0f;
  w.Tab = 1;
  w.BoltLoad = 150.0f;
  w.BoltAngle = 15.0f;
  w.ReqSafetyFactor = 1.5f;
  w.BoltAngle2 = 25.0f;

  r.PlaneElasticity.Ex = 0.001;
  r.PlaneElasticity.Ey = -0.0025;
  r.PlaneElasticity.Gxy = 0.1 + 0.2;
  r.PlaneStressTabConstants = {30000.0f, 0.25f};
  r.PlaneStressIn = {61.0f, 62.0f, 63.0f};
  r.PlaneStrainTabConstants = {20000.0f, 0.3f};
  r.PlaneElasticity.Tab = 1;
  r.PlaneElasticity.StressTabAssumption = PlaneAssumption::PlaneStress;
  r.PlaneElasticity.StrainTabAssumption = PlaneAssumption::PlaneStrain;

  r.CircStress.Sx = 70.0f;
  r.CircStress.Sy = 71.0f;
  r.CircStress.Txy = 72.0f;
  r.CircOpening.R = 3.0f;
  r.CircOpening.A = 1.5f;
  r.CircOpening.Angle = 60.0f;
  r.CircOpening.ShowGraph = true;
  r.CircOpening.PlotTo3R = true;
  r.CircOpening.InternalPressure = 0.5f;

  r.CircFailStress.Sx = 80.0f;
  r.CircFailStress.Sy = 81.0f;
  r.CircFailStress.Txy = 82.0f;
  r.CircFailInput.A = 2.0f;
  r.CircFailInput.Co = 100.0f;
  r.CircFailInput.To = 10.0f;
  r.CircFailInput.R = 4.0f;
  r.CircFailInput.InternalPressure = 0.75f;

  r.Rosette.W1 = -0.0f;
  r.Rosette.W2 = 45.0f;
  r.Rosette.W3 = 90.0f;
  r.Rosette.Ea = 1e-6f;
  r.Rosette.Eb = 2.5e-5f;
  r.Rosette.Ec = -0.0001f;
  r.Rosette.W = 30.0f;

  r.PillarStress.Sy = 90.0f;
  r.PillarLayout.Wp = 5.0f;
  r.PillarLayout.Lp = 6.0f;
  r.PillarLayout.Wo = 7.0f;

  r.VonMisesStress = {91.0f, 92.0f, 93.0f, 1};
  r.VonMisesInput = {12.5f, true};

  r.BieniawskiStress = {94.0f, 95.0f, 96.0f, 1};
  r.BieniawskiInput.A = 4.0f;
  r.BieniawskiInput.K = 0.8f;
  r.BieniawskiInput.Co = 150.0f;
  r.BieniawskiInput.UsePore = true;
  r.BieniawskiInput.PorePressure = 2.0f;

  r.HoekStress = {97.0f, 98.0f, 99.5f, 1};
  HoekParams& h = r.HoekInput;
  h.CriterionType = HoekCriterion::Generalized;
  h.Co = 120.0f;
  h.M = 8.0f;
  h.CoMass = 60.0f;
  h.Mb = 1.5f;
  h.S = 0.004f;
  h.A = 0.55f;
  h.Reserved1 = FLT_TRUE_MIN;
  h.Reserved2 = 16777216.0f;
  h.Reserved3 = FLT_MAX;
  h.UsePore = false;
  h.PorePressure = 1.25f;

  r.PointLoadQ = 500.0f;
  r.LineLoadQm = 250.0f;
  r.StripLoadQ = 125.0f;
  r.PointLoadType = PointLoadKind::Strip;
  r.PointLoadR = 3.5f;
  r.PointLoadZ = 2.5f;

  r.FadumLength = 12.0f;
  r.FadumWidth = 8.0f;
  r.FadumLoad = 123456789.0f;
  r.FadumX = 1.75f;
  r.FadumY = 2.75f;
  r.FadumDepth = 5.0f;
  r.CornerLoad = 1e15f;
  r.CornerWidth = 3.0f;
  r.CornerLength = 4.0f;
  r.CornerDepth = 6.0f;

  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 3; ++j) {
      const float ij = static_cast<float>(10 * (i + 1) + j + 1);
      r.TransformInputs.Cosines[i][j] = ij + 0.5f;
      r.TransformInputs.Tensor[i][j] = -ij;
      r.Hooke3DInputs.Stress[i][j] = static_cast<float>(100 * (i + 1) + j + 1);
    }
  }
  r.TransformInputs.Vector = {301.0f, 302.0f, 303.0f};
  r.TransformInputs.Option = TransformOperand::Vector;

  r.LabHeight = 100.0f;
  r.LabDiameter = 54.7f;
  r.LabArea = 2350.5f;
  r.LabAreaOption = LabAreaSource::Area;
  r.LabPointCount = 3;
  r.LabDataType = LabDataKind::StressStrain;
  for (int row = 0; row < 3; ++row)
    for (int c = 0; c < kLabColumns; ++c) r.LabPoints[row][c] = static_cast<float>(10 * (row + 1) + c + 1) + 0.25f;

  r.BoltStrength = 250.0f;
  r.BoltDiameter = 20.0f;
  r.BoltLength = 2.4f;
  r.BoltSF = 1.6f;
  r.BoltHeight = 2.2f;
  r.BoltUnit = 25.0f;
  r.BoltAnchorDiameter = 22.0f;
  r.BoltBondedLength = 2.8f;
  r.BoltHoleDiameter = 32.0f;
  r.BoltResinCohesion = 1100.0f;
  r.BoltResinFriction = 11.0f;
  r.ResinRockCohesion = 2100.0f;
  r.ResinRockFriction = 13.0f;
  r.BoltNormalStress = 0.9f;
  r.BoltAnchorSafetyFactor = 1.45f;

  r.Hooke3DInputs.E = 45000.0f;
  r.Hooke3DInputs.Nu = 0.2f;
  r.Hooke3DInputs.Flag = 1;
  return r;
}

QString FilledDescriptionAsRead() {
  return QStringLiteral("First line, with commas, 1,5 and Σήραγγα\r\n##EndDesc##\r\n") + QString(44, u'a') + u' ' +
         QString(12, u'b') + QStringLiteral(" \r\n") + QString(17, u'c') + QStringLiteral("\r\n");
}

ProjectRecord NewProjectDefaults() {
  ProjectRecord r;
  r.PointLoadQ = r.LineLoadQm = r.StripLoadQ = 100.0f;
  r.PointLoadR = 3.0f;
  r.PointLoadZ = 2.0f;
  r.FadumLength = r.FadumWidth = r.FadumDepth = 1.0f;
  r.FadumLoad = 100.0f;
  r.FadumX = r.FadumY = 4.0f;
  r.CornerWidth = r.CornerLength = r.CornerDepth = 1.0f;
  r.CornerLoad = 100.0f;
  r.HoekInput.M = 7.0f;
  r.HoekInput.Mb = 10.0f;
  r.HoekInput.S = 0.2f;
  r.HoekInput.A = 0.5f;
  r.BieniawskiInput.A = 5.0f;
  r.BieniawskiInput.K = 0.75f;
  r.LabPointCount = 1;
  r.BoltDiameter = 22.0f;
  r.BoltLength = 3.0f;
  r.BoltSF = 1.0f;
  r.BoltHeight = 2.0f;
  r.BoltUnit = 24.0f;
  r.BoltWidth = 3.0f;
  r.BoltAnchorDiameter = 24.0f;
  r.BoltBondedLength = 3.0f;
  r.BoltHoleDiameter = 27.0f;
  r.BoltResinCohesion = 1000.0f;
  r.BoltResinFriction = 10.0f;
  r.ResinRockCohesion = 2000.0f;
  r.ResinRockFriction = 12.0f;
  r.BoltAnchorSafetyFactor = 1.4f;
  return r;
}

QString DataFile(const char* name) { return QStringLiteral(BRANTEL_PROJECT_TEST_DATA "/") + QString::fromUtf8(name); }

void FillProjectSignatures() {
  for (int k = 0; k < kProjectSignatureCount; ++k)
    ProjectSignatures[static_cast<std::size_t>(k)] = QStringLiteral("BRANTEL_%1").arg(100 + k);
}

void ProjectTest::SetUp() {
  CoreTest::SetUp();
  FillProjectSignatures();
  DefaultUnits = 1;
}

}  // namespace brantel::test
