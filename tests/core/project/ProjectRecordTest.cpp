#include "ProjectTestSupport.h"

#include "core/History.h"
#include "core/Settings.h"
#include "core/project/ProjectRecord.h"

namespace brantel {
namespace {

using test::Differences;
using test::ProjectTest;

class ProjectRecordTest : public ProjectTest {};

// A field that differs shows its two values as numbers, the expected one
// first; the comparison stays exact, -0 against 0 included.
TEST(ProjectDifferences, NameTheFieldAndShowBothValuesAsNumbers) {
  ProjectRecord changed = test::NewProjectDefaults();
  changed.Stress2D.Sx = -0.0f;
  changed.BoltDiameter = 25;
  changed.LabPointCount = 4;
  EXPECT_EQ(Differences(test::NewProjectDefaults(), changed),
            "Stress2D.Sx: 0 / -0\nLabPointCount: 1 / 4\nBoltDiameter: 22 / 25\n");
}

TEST_F(ProjectRecordTest, NewSetsTheDefaultsOfTheTable) {
  Project = test::FilledRecord();
  FileNew();
  const ProjectRecord& p = Project;
  // Roof bolting in field order, the point load, the laboratory count.
  const float bolts[] = {p.BoltStrength,      p.BoltDiameter,      p.BoltLength,        p.BoltSF,
                         p.BoltHeight,        p.BoltUnit,          p.BoltWidth,         p.BoltAnchorDiameter,
                         p.BoltBondedLength,  p.BoltHoleDiameter,  p.BoltResinCohesion, p.BoltResinFriction,
                         p.ResinRockCohesion, p.ResinRockFriction, p.BoltNormalStress,  p.BoltAnchorSafetyFactor};
  const float expectedBolts[] = {0, 22, 3, 1, 2, 24, 3, 24, 3, 27, 1000, 10, 2000, 12, 0, 1.4f};
  for (int i = 0; i < 16; ++i) EXPECT_EQ(bolts[i], expectedBolts[i]) << i;
  EXPECT_EQ(p.PointLoadQ, 100.0f);
  EXPECT_EQ(p.LineLoadQm, 100.0f);
  EXPECT_EQ(p.StripLoadQ, 100.0f);
  EXPECT_EQ(p.PointLoadType, PointLoadKind::Point);
  EXPECT_EQ(p.PointLoadR, 3.0f);
  EXPECT_EQ(p.PointLoadZ, 2.0f);
  EXPECT_EQ(p.LabPointCount, 1);
  EXPECT_EQ(p.HoekInput.S, 0.2f);
  EXPECT_EQ(p.BieniawskiInput.K, 0.75f);
  // Every field of the file, all 20 laboratory rows included.
  ProjectRecord expected = test::NewProjectDefaults();
  expected.InputUnits = NewProjectUnits;
  EXPECT_EQ(Differences(expected, p), "");
  EXPECT_EQ(p.ProjectPath, QStringLiteral("Untitled"));
  EXPECT_EQ(p.ProjectTitle, QString());
  EXPECT_TRUE(p.FileSaved);
  EXPECT_TRUE(p.FileEmpty);
  EXPECT_FALSE(p.FileHoldsData);
  EXPECT_EQ(p.NewFileMark, RecentFileMark::Marked);
}

TEST_F(ProjectRecordTest, NewKeepsResultsAndResetsTheSlopeInputs) {
  ProjectRecord& p = Project;
  p = test::FilledRecord();
  p.CoulombPrincipal.S1 = 11.0f;
  p.HoekPrincipal.TauMax = 12.0f;
  p.Stress3D.Principal[2] = 13.0f;
  p.Stress2DPlane.SigmaN = 14.0f;
  p.CircOpening.SigmaTheta = 15.0f;
  p.CircStress.GraphOption = StressGraph::Sigma1Chart;  // not in the file
  p.PillarStress.Sx = 16.0f;                            // only Sy of the pillar stress is an input
  p.PillarLayout.Extraction = 17.0f;
  p.RosettePrincipal.E1 = 18.0;
  p.Rosette.Ew = 19.0f;
  p.CoulombInput.Failure = true;
  p.JointPlanes[1].JointFailure = true;
  p.TransformInputs.NewTensor[1][1] = 21.0f;
  p.CoulombSlopeData = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 1};
  p.ProjectDisplayName = QStringLiteral("shown");
  p.FileVersion = 55;
  p.ProjectPath = QStringLiteral("/p/keep.BNL");
  p.InputUnits = UnitSystem::Imperial;
  NewProjectUnits = UnitSystem::SI;
  FileNew(ProjectNameOnReset::Kept, UnitsOnReset::Kept);
  EXPECT_EQ(p.CoulombPrincipal.S1, 11.0f);
  EXPECT_EQ(p.HoekPrincipal.TauMax, 12.0f);
  EXPECT_EQ(p.Stress3D.Principal[2], 13.0f);
  EXPECT_EQ(p.Stress2DPlane.SigmaN, 14.0f);
  EXPECT_EQ(p.CircOpening.SigmaTheta, 15.0f);
  EXPECT_EQ(p.CircStress.GraphOption, StressGraph::Sigma1Chart);
  EXPECT_EQ(p.PillarStress.Sx, 16.0f);
  EXPECT_EQ(p.PillarStress.Sy, 0.0f);
  EXPECT_EQ(p.PillarLayout.Extraction, 17.0f);
  EXPECT_EQ(p.RosettePrincipal.E1, 18.0);
  EXPECT_EQ(p.Rosette.Ew, 19.0f);
  EXPECT_TRUE(p.CoulombInput.Failure);
  EXPECT_TRUE(p.JointPlanes[1].JointFailure);
  EXPECT_EQ(p.TransformInputs.NewTensor[1][1], 21.0f);
  const BoltedWedgeData& slope = p.CoulombSlopeData;
  EXPECT_EQ(slope.SafetyFactor, 9.0f);
  EXPECT_EQ(slope.ReqBoltLoad, 12.0f);
  for (float input : {slope.FrictionAngle, slope.Cohesion, slope.DiscAngle, slope.Width, slope.Height,
                      slope.SpecificGravity, slope.BoltLoad, slope.BoltAngle, slope.ReqSafetyFactor, slope.BoltAngle2})
    EXPECT_EQ(input, 0.0f);
  EXPECT_EQ(slope.Tab, 0);
  // The flags: the path and the units stay.
  EXPECT_EQ(p.ProjectPath, QStringLiteral("/p/keep.BNL"));
  EXPECT_EQ(p.InputUnits, UnitSystem::Imperial);
  EXPECT_EQ(p.ProjectDisplayName, QStringLiteral("shown"));
  EXPECT_EQ(p.ProjectDescription, QString());
}

TEST_F(ProjectRecordTest, NewWritesExactlyOneHistoryLineInTheLanguage) {
  FileNew();
  EXPECT_EQ(History(), QStringLiteral("1. File initialized. Use Edit-Project Parameters to enter data.\r\n"));
  EnglishMenus = false;
  FileNew();
  EXPECT_EQ(History(), QStringLiteral("1. File initialized. Use Edit-Project Parameters to enter data.\r\n"
                                      "2. Αρχικοποίηση αρχείου. Επιλέξτε το μενού 'Δεδομένα' για εισαγωγή "
                                      "δεδομένων.\r\n"));
  // The reset of a record of one's own writes nothing.
  ProjectRecord other = test::FilledRecord();
  ResetProjectRecord(other);
  EXPECT_EQ(other.ProjectPath, QStringLiteral("Untitled"));
  EXPECT_EQ(History().count(u'\n'), 2);
  EXPECT_TRUE(boxes_->Shown().empty());
}

}  // namespace
}  // namespace brantel
