#include "core/Globals.h"
#include "core/OutputBuffers.h"
#include "core/RuntimeError.h"
#include "core/Settings.h"
#include "core/Startup.h"
#include "core/Version.h"
#include "core/project/OutputListing.h"
#include "core/project/ProjectRecord.h"
#include "support/TestEnvironment.h"

#include <QFile>

#include <limits>

namespace brantel {
namespace {

const QString kCrLf = QStringLiteral("\r\n");

// A golden listing of tests/core/project/data, its LF line ends made CR LF
// and the program's version put in.
QString Golden(const char* name) {
  QFile file(QStringLiteral(BRANTEL_PROJECT_TEST_DATA "/") + QString::fromLatin1(name));
  EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name;
  QString text = QString::fromUtf8(file.readAll());
  text.replace(u'\n', kCrLf);
  text.replace(QStringLiteral("{major}"), QString::number(version::kMajor));
  text.replace(QStringLiteral("{minor}"), QString::number(version::kMinor));
  text.replace(QStringLiteral("{revision}"), QString::number(version::kRevision));
  return text;
}

// The inputs that the golden listings hold, and distinct values in fields
// that the listing must leave out.
void FillListedInputs(ProjectRecord& r) {
  r.Stress2D = {12.5f, -3.0f, 0.0f, StressGraph::MohrCircle};
  r.Stress2DPlane = {7.0f, 8.0f, 9.0f};
  r.Stress3D.Tensor = {{{10.0f, 2.25f, -1.5f}, {2.25f, 0.1f, 1234567.0f}, {-1.5f, 1.5e-5f, 2.5e7f}}};
  r.Stress3D.Principal = {91.0f, 92.0f, 93.0f};
  r.Stress3D.Normal = {0.5f, 0.5f, 0.7f};
  r.CoulombStress = {150.0f, 75.5f, -20.0f, StressGraph::Sigma1Chart};
  r.CoulombInput.PorePressure = 10.0f;
  r.CoulombInput.Cohesion = 250.0f;
  r.CoulombInput.UniaxialStrength = 1.2f;
  r.CoulombInput.FrictionAngle = 30.0f;
  r.CoulombInput.FailureAngle = 61.0f;
  r.CoulombPrincipal.S1 = 177.0f;
  r.JointStress = {{{100.0f, 50.0f, 25.0f, StressGraph::None}, {-40.0f, 60.25f, 0.0f, StressGraph::None}}};
  r.JointMaterials[0].PorePressure = 5.0f;
  r.JointMaterials[0].Cohesion = 300.0f;
  r.JointMaterials[0].FrictionAngle = 35.0f;
  r.JointPlanes[0] = {20.0f, 28.5f, 44.0f, true};
  r.JointMaterials[1].PorePressure = 0.0f;
  r.JointMaterials[1].Cohesion = 310.0f;
  r.JointMaterials[1].FrictionAngle = 36.0f;
  r.JointPlanes[1] = {0.0f, 22.0f, 66.0f, false};
  BoltedWedgeData& wedge = r.CoulombWedgeData;
  wedge.Width = 6.0f;
  wedge.Height = 4.5f;
  wedge.SpecificGravity = 26.5f;
  wedge.Cohesion = 15.0f;
  wedge.FrictionAngle = 32.0f;
  wedge.DiscAngle = 55.0f;
  wedge.BoltLoad = 120.0f;
  wedge.BoltAngle = 10.0f;
  wedge.SafetyFactor = 1.07f;
  wedge.ReqSafetyFactor = 1.5f;
  wedge.BoltAngle2 = -5.0f;
  wedge.ReqBoltLoad = 333.0f;
  r.CircStress = {20.0f, 10.0f, 5.0f, StressGraph::MohrCircle};
  r.CircOpening.InternalPressure = 2.0f;
  r.CircOpening.A = 3.0f;
  r.CircOpening.R = 4.5f;
  r.CircOpening.Angle = 45.0f;
  r.CircOpening.SigmaR = 17.0f;
  r.VonMisesStress = {30.0f, 12.0f, 4.0f, StressGraph::None};
  r.VonMisesInput.TensileStrength = 8.5f;
  // Tools the listing does not cover.
  r.HoekStress = {71.0f, 72.0f, 73.0f, StressGraph::None};
  r.PointLoadQ = 555.0f;
  r.BoltStrength = 444.0f;
}

class OutputListing : public test::CoreTest {
 protected:
  void SetUp() override {
    CoreTest::SetUp();
    InitGlobals();  // the unit-label table
    EnglishMenus = true;
    PrintModuleHeader = true;
    FillListedInputs(Project);
  }
};

TEST_F(OutputListing, SiProjectMatchesItsGoldenListing) {
  Project.InputUnits = UnitSystem::SI;
  Project.ProjectPath = QStringLiteral("/home/engineer/Documents/MyBrantel/Quarry.BNL");
  Project.ProjectTitle = QStringLiteral("Limestone quarry, bench 3");
  Project.ProjectDescription =
      QStringLiteral("Face stability of the north bench.\r\n   \r\nValues from the 2004 survey.");
  OutBuf[1] = QStringLiteral("page one stays");
  LoadOutBuf0();
  EXPECT_EQ(OutBuf[0], Golden("listing-si.txt"));
  EXPECT_EQ(OutBuf[1], QStringLiteral("page one stays"));
  // The page is built afresh at each call.
  const QString first = OutBuf[0];
  LoadOutBuf0();
  EXPECT_EQ(OutBuf[0], first);
}

TEST_F(OutputListing, ImperialProjectWithGreekTextMatchesItsGoldenListing) {
  Project.InputUnits = UnitSystem::Imperial;
  Project.ProjectPath = QStringLiteral("/home/engineer/Documents/MyBrantel/Μετρό.BNL");
  Project.ProjectTitle = QStringLiteral("Σήραγγα Μετρό Θεσσαλονίκης");
  Project.ProjectDescription = QStringLiteral(
      "Σήραγγα μετρό, τμήμα Β.\n"
      "Οι τάσεις μετρήθηκαν με υπερδιάτρηση σε τρία σημεία του θόλου και των παρειών της διατομής.");
  LoadOutBuf0();
  EXPECT_EQ(OutBuf[0], Golden("listing-imperial.txt"));
  // The listing wraps the description; the project keeps it as typed.
  EXPECT_EQ(Project.ProjectDescription,
            QStringLiteral("Σήραγγα μετρό, τμήμα Β.\n"
                           "Οι τάσεις μετρήθηκαν με υπερδιάτρηση σε τρία σημεία του θόλου και των "
                           "παρειών της διατομής."));
  LoadOutBuf0();
  EXPECT_EQ(OutBuf[0], Golden("listing-imperial.txt"));
}

TEST_F(OutputListing, WithoutHeaderAndWithEmptyTextsThePageStartsAtTheTitle) {
  PrintModuleHeader = false;
  Project.InputUnits = UnitSystem::SI;
  Project.ProjectPath = QStringLiteral("/tmp/x.BNL");
  LoadOutBuf0();
  EXPECT_TRUE(OutBuf[0].startsWith(
      QStringLiteral("[PROJECT TITLE]\r\n\r\n\r\n[PROJECT DESCRIPTION]\r\n\r\n\r\n[2D Stresses]\r\nSigma X...")))
      << OutBuf[0].left(120).toStdString();
  EXPECT_FALSE(OutBuf[0].contains(QStringLiteral("Brantel module build")));
  EXPECT_FALSE(OutBuf[0].contains(QStringLiteral("/tmp/x.BNL")));
  // Without the header the rest of the page is the same.
  const QString withoutHeader = OutBuf[0];
  PrintModuleHeader = true;
  LoadOutBuf0();
  EXPECT_TRUE(OutBuf[0].endsWith(withoutHeader));
  EXPECT_TRUE(OutBuf[0].startsWith(QStringLiteral("Brantel module build:  ")));
  EXPECT_TRUE(OutBuf[0].contains(QStringLiteral("\r\nInput Units:  (m) (MPa)\r\n\r\n[PROJECT TITLE]\r\n")));
}

TEST_F(OutputListing, LabelsArePaddedWithDotsUpToFortyTwoCharacters) {
  const QString forty = QStringLiteral("Discontinuity Angle of Internal Friction");
  ASSERT_EQ(forty.size(), 40);
  EXPECT_EQ(PadLeftDots(forty, 42), forty + QStringLiteral(".."));
  EXPECT_EQ(PadLeftDots(forty + u'X', 42), forty + QStringLiteral("X."));
  EXPECT_EQ(PadLeftDots(forty + QStringLiteral("XY"), 42), forty + QStringLiteral("XY"));
  EXPECT_EQ(PadLeftDots(forty + QStringLiteral("XYZ"), 42), forty + QStringLiteral("XYZ"));
  EXPECT_EQ(PadLeftDots(QStringLiteral("Sigma X"), 42), QStringLiteral("Sigma X") + QString(35, u'.'));
  EXPECT_EQ(PadLeftDots(QString(), 3), QStringLiteral("..."));
  EXPECT_EQ(PadLeftDots(QStringLiteral("ab"), 0), QStringLiteral("ab"));
  EXPECT_EQ(PadLeftDots(QStringLiteral("ab"), -5), QStringLiteral("ab"));
  // A Greek label counts its letters, not its bytes.
  EXPECT_EQ(PadLeftDots(QStringLiteral("Τάση"), 6), QStringLiteral("Τάση.."));
}

TEST_F(OutputListing, ValueThatIsNoNumberRefusesTheListingAndNamesTheRow) {
  struct Case {
    float* field;
    float value;
    const char* row;
  };
  const float inf = std::numeric_limits<float>::infinity();
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const Case cases[] = {
      {&Project.Stress2D.Sx, inf, "[2D Stresses] Sigma X"},
      {&Project.Stress3D.Tensor[2][1], -inf, "[3D Stresses] Sigma 32"},
      {&Project.JointMaterials[1].PorePressure, nan, "[Coulomb Criterion on Discontinuity] [Set 2] Pore Pressure"},
      {&Project.CoulombWedgeData.ReqSafetyFactor, nan,
       "[Coulomb Criterion on Bolted Rock Wedge] [Parameter Set #2] Safety Factor"},
      {&Project.VonMisesInput.TensileStrength, inf, "[Von Mises Criterion] Tensile Strength"},
  };
  for (const Case& c : cases) {
    const float kept = *c.field;
    *c.field = c.value;
    OutBuf[0] = QStringLiteral("an earlier listing");
    try {
      LoadOutBuf0();
      ADD_FAILURE() << "listed " << c.row;
    } catch (const RuntimeError& e) {
      EXPECT_EQ(e.Number(), ErrorNumber::Overflow) << c.row;
      EXPECT_EQ(e.Description(), QStringLiteral("The listing was not built: ") + QString::fromUtf8(c.row) +
                                     QStringLiteral(" is not a finite number."));
    }
    EXPECT_TRUE(OutBuf[0].isEmpty()) << c.row;
    *c.field = kept;
  }
  // A field outside the listing does not matter to it.
  Project.HoekStress.Sx = nan;
  LoadOutBuf0();
  EXPECT_FALSE(OutBuf[0].contains(QStringLiteral("nan"), Qt::CaseInsensitive));
  EXPECT_FALSE(OutBuf[0].contains(QStringLiteral("inf"), Qt::CaseInsensitive));
}

}  // namespace
}  // namespace brantel
