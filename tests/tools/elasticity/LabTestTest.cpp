#include "tools/elasticity/LabTest.h"

#include "core/NumberFormat.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

namespace brantel {
namespace {

LabTestInput Input(LabDataKind type, double height, std::vector<LabRow> rows) {
  LabTestInput in;
  in.DataType = type;
  in.Height = height;
  in.Rows = std::move(rows);
  return in;
}

TEST(LabTest, EveryDataColumnIsEitherEnteredOrFilled) {
  const std::set<int> editable[] = {{1, 3, 4}, {1, 2, 3}, {3, 4, 5}};
  for (int index = 0; index <= 2; ++index) {
    const auto type = static_cast<LabDataKind>(index);
    std::set<int> seen;
    for (int c = 0; c < labcol::kCount; ++c) {
      EXPECT_EQ(IsLabColumnEditable(type, c), editable[index].count(c) == 1) << index << " " << c;
      if (IsLabColumnEditable(type, c)) seen.insert(c);
    }
    for (int c : LabFilledColumns(type)) {
      EXPECT_FALSE(IsLabColumnEditable(type, c));
      seen.insert(c);
    }
    EXPECT_EQ(seen, (std::set<int>{1, 2, 3, 4, 5})) << index;
  }
  // An unknown data type is the first one.
  EXPECT_EQ(LabFilledColumns(static_cast<LabDataKind>(7)), LabFilledColumns(LabDataKind::ForceStrain));
  EXPECT_STREQ(LabColumnHeader(labcol::kEy).greek, "εy (milli)");
  EXPECT_STREQ(LabColumnHeader(labcol::kModulus).english, "El. Mod (GPa)");
  EXPECT_EQ(LabColumnWidth(0, 9750), 320);
  EXPECT_EQ(LabColumnWidth(3, 9750), 1500);
}

TEST(LabTest, ForceDisplacementOfASmallCylinder) {
  LabTestInput in = Input(LabDataKind::ForceDisplacement, 100,
                          {{0, 0, 0, 0, 0}, {98.175, 0.1, 0.25, 0, 0}, {196.35, 0.2, 0.5, 0, 0}});
  in.Diameter = 50;
  const LabEvaluation e = EvaluateLabTest(in);
  ASSERT_TRUE(e.Volume);
  EXPECT_NEAR(*LabSpecimenArea(LabAreaSource::Diameter, 50, 0), 1963.495, 1e-3);
  EXPECT_NEAR(*e.Volume, 196349.5, 0.1);
  const double sigma[] = {0, 50, 100}, ey[] = {0, 1, 2};
  for (int r = 0; r < 3; ++r) {
    EXPECT_EQ(e.Rows[r].Filled[0].Column, labcol::kSigma);
    EXPECT_NEAR(*e.Rows[r].Filled[0].Value, sigma[r], 1e-3);
    EXPECT_NEAR(*e.Rows[r].Filled[1].Value, ey[r], 1e-12);
  }
  EXPECT_FALSE(e.Rows[0].Modulus);
  EXPECT_NEAR(*e.Rows[1].Modulus, 50, 1e-3);  // 50 MPa per thousandth = 50 GPa
  EXPECT_NEAR(*e.Rows[2].Modulus, 50, 1e-3);
  EXPECT_NEAR(*e.MeanModulus, 50, 1e-3);
  EXPECT_NEAR(*e.MeanPoisson, 0.25, 1e-6);
  // Half of 100 MPa times 0.002, in J/m3, times the volume in m3.
  EXPECT_NEAR(*e.Energy, 0.5 * 100e6 * 0.002 * 196349.5e-9, 1e-4);
}

TEST(LabTest, RowsAfterThePeakAddEnergyButNoModulus) {
  LabTestInput in = Input(LabDataKind::ForceStrain, 50,
                          {{0, 0, 0, 0, 0}, {50, 0, 0, 0.5, 0}, {100, 0, 0, 1.0, 0}, {80, 0, 0, 1.4, 0}});
  in.AreaOption = LabAreaSource::Area;
  in.Area = 1000;
  const LabEvaluation e = EvaluateLabTest(in);
  EXPECT_EQ(*e.Volume, 50000.0f);
  EXPECT_NEAR(*e.Rows[3].Filled[0].Value, 80, 1e-9);     // stress
  EXPECT_NEAR(*e.Rows[3].Filled[1].Value, 0.07, 1e-12);  // shortening, mm
  EXPECT_NEAR(*e.Rows[1].Modulus, 100, 1e-4);
  EXPECT_NEAR(*e.Rows[2].Modulus, 100, 1e-4);
  EXPECT_FALSE(e.Rows[3].Modulus);
  EXPECT_NEAR(*e.MeanModulus, 100, 1e-4);
  // (12.5 + 37.5 + 36) MPa x thousandths x 50000 mm3 = 4.3e6 microjoules.
  EXPECT_NEAR(*e.Energy, 4.3, 1e-5);
  EXPECT_FALSE(e.MeanPoisson);  // no lateral strain anywhere
}

TEST(LabTest, StressStrainOfASmallCylinderByHand) {
  // 50 mm by 100 mm; the stress peaks at 45 MPa and falls to 40.
  LabTestInput in = Input(LabDataKind::StressStrain, 100,
                          {{0, 0, 0, 0, 0}, {0, 0, 0.1, 0.5, 20}, {0, 0, 0.25, 1.0, 45}, {0, 0, 0.3, 1.5, 40}});
  in.Diameter = 50;
  const LabEvaluation e = EvaluateLabTest(in);
  const double force[] = {0, 39.270, 88.357, 78.540}, shortening[] = {0, 0.05, 0.1, 0.15};
  for (int r = 0; r < 4; ++r) {
    EXPECT_EQ(e.Rows[r].Filled[0].Column, labcol::kForce);
    EXPECT_NEAR(e.Rows[r].Values.Force, force[r], 1e-9) << r;  // as its cell reads
    EXPECT_NEAR(*e.Rows[r].Filled[1].Value, shortening[r], 1e-12) << r;
  }
  EXPECT_NEAR(*e.Rows[1].Modulus, 40, 1e-4);
  EXPECT_NEAR(*e.Rows[2].Modulus, 50, 1e-4);
  EXPECT_FALSE(e.Rows[3].Modulus);
  EXPECT_NEAR(*e.MeanModulus, 45, 1e-4);
  EXPECT_NEAR(*e.MeanPoisson, (0.2 + 0.25 + 0.2) / 3, 1e-6);
  // (5 + 16.25 + 21.25) MPa x thousandths x 196349.5 mm3.
  EXPECT_NEAR(*e.Energy, 42.5 * 196349.5e-6, 1e-4);
}

TEST(LabTest, FilledCellsReadBackAsTheyAreShown) {
  // 1 kN on 3 mm2: 333.333... MPa, shown and read back as 333.333.
  LabTestInput in = Input(LabDataKind::ForceStrain, 10, {{0, 0, 0, 0, 0}, {1, 0, 0, 1, 0}});
  in.AreaOption = LabAreaSource::Area;
  in.Area = 3;
  const LabEvaluation e = EvaluateLabTest(in);
  EXPECT_EQ(e.Rows[1].Values.Sigma, 333.333);
  EXPECT_EQ(Format(*e.Rows[1].Filled[0].Value, kLabMask), QStringLiteral("333.333"));
  EXPECT_NEAR(*e.Rows[1].Modulus, 333.333, 1e-3);
}

TEST(LabTest, WhatCannotBeComputedKeepsTheCellAndItsValue) {
  // Stress/Strain without height: no shortening, force from the area. The
  // shortening cell keeps its 9, and the later steps read it.
  LabTestInput in = Input(LabDataKind::StressStrain, 0, {{9, 9, 0, 0, 0}, {9, 9, 0, 1, 20}});
  in.Diameter = 10;
  LabEvaluation e = EvaluateLabTest(in);
  EXPECT_NEAR(*e.Rows[1].Filled[0].Value, 78.5398 * 20 / 1000, 1e-4);
  EXPECT_FALSE(e.Rows[1].Filled[1].Value);
  EXPECT_EQ(e.Rows[1].Values.DeltaY, 9);
  EXPECT_EQ(*e.Volume, 0.0f);
  EXPECT_EQ(*e.Energy, 0.0f);

  // Zero area: the stress column stays as it stands (7 and 9 MPa) and the
  // modulus and the energy follow it; with no volume the energy is 0.
  in = Input(LabDataKind::ForceStrain, 100, {{0, 0, 0, 0, 7}, {50, 0, 0, 1, 9}});
  in.AreaOption = LabAreaSource::Area;
  in.Area = 0;
  e = EvaluateLabTest(in);
  EXPECT_FALSE(e.Rows[1].Filled[0].Value);
  EXPECT_EQ(e.Rows[1].Values.Sigma, 9);
  EXPECT_FLOAT_EQ(*e.Rows[1].Modulus, 2.0f);
  EXPECT_FLOAT_EQ(*e.MeanModulus, 2.0f);
  EXPECT_EQ(*e.Energy, 0.0f);
  // With no stress standing there is no modulus.
  in.Rows = {{0, 0, 0, 0, 0}, {50, 0, 0, 1, 0}};
  e = EvaluateLabTest(in);
  EXPECT_FALSE(e.MeanModulus);
  EXPECT_FALSE(e.Rows[1].Modulus);

  // A negative area is no area, and gives no volume and no energy.
  in.Area = -5;
  e = EvaluateLabTest(in);
  EXPECT_FALSE(LabSpecimenArea(LabAreaSource::Area, 0, -5));
  EXPECT_FALSE(e.Volume);
  EXPECT_FALSE(e.Energy);

  // One row: no modulus, energy 0.
  in = Input(LabDataKind::ForceStrain, 100, {{10, 0, 1, 2, 0}});
  in.Diameter = 50;
  e = EvaluateLabTest(in);
  EXPECT_FALSE(e.MeanModulus);
  EXPECT_EQ(*e.Energy, 0.0f);
  EXPECT_NEAR(*e.MeanPoisson, 0.5, 1e-7);

  // A specimen too large for a 32-bit volume.
  in.Height = 1e40;
  e = EvaluateLabTest(in);
  EXPECT_FALSE(e.Volume);
  EXPECT_FALSE(e.Energy);
  EXPECT_FALSE(e.Rows[0].Filled[1].Value);
}

TEST(LabTest, ChartSeriesFollowsTheGrid) {
  LabTestInput in = Input(LabDataKind::StressStrain, 100, {{0, 0, 0, 0, 0}, {0, 0, 0, 1.5, 30}, {0, 0, 0, 1, 20}});
  in.Diameter = 50;
  const std::vector<QPointF> p = LabStressStrainPoints(EvaluateLabTest(in).Rows);
  ASSERT_EQ(p.size(), 3u);
  EXPECT_EQ(p[1], QPointF(1.5, 30));
  EXPECT_EQ(p[2], QPointF(1, 20));
}

TEST(LabTest, CellEntriesAndThePointCount) {
  struct Entry {
    const char* answer;
    const char* current;
    const char* stored;  // nullptr: refused
  } entries[] = {
      {"-3.5", "1", "3.5"}, {"", "12.500", "12.5"}, {"", "", "0"},           {"abc", "7", "0"},
      {"2e3", "", "2000"},  {"1e39", "", nullptr},  {"-1e400", "", nullptr},
  };
  for (const Entry& x : entries) {
    const auto text = LabCellEntryText(QString::fromUtf8(x.answer), QString::fromUtf8(x.current));
    if (!x.stored) {
      EXPECT_FALSE(text) << x.answer;
    } else {
      ASSERT_TRUE(text) << x.answer;
      EXPECT_EQ(*text, QString::fromUtf8(x.stored));
    }
  }
  struct Count {
    double value;
    int n;  // 0: not accepted
  } counts[] = {{0, 0},   {21, 0},   {-3, 0},  {0.9, 0}, {5, 5},   {1, 1},
                {20, 20}, {20.4, 0}, {1.4, 1}, {2.5, 2}, {1.5, 2}, {1e300, 0}};
  for (const Count& c : counts) {
    EXPECT_EQ(LabPointCount(c.value).value_or(0), c.n) << c.value;
  }
  EXPECT_EQ(Format(*LabEquivalentDiameter(100), kLabDiameterMask), QStringLiteral("11.28"));
  EXPECT_FALSE(LabEquivalentDiameter(-1));
  EXPECT_FALSE(LabEquivalentDiameter(1e308));  // not "d=0"
}

}  // namespace
}  // namespace brantel
