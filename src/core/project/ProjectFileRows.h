#pragma once

#include "core/project/ProjectRecord.h"

#include <QString>

#include <concepts>
#include <type_traits>

namespace brantel::projectfile {

// The name of a field in messages: "Stress2D.Sx", "Stress3D.Tensor(1,2)",
// "JointStress(1).Sx". Indices are written as the file's table counts them.
struct FieldName {
  const char* base = "";
  const char* member = nullptr;  // after the indexed part: "JointStress" (1) ".Sx"
  int i = -1;                    // -1: no index
  int j = -1;
  QString ToString() const;
};

// The version from which a row is in the file; rows of every version use 0.
// New rows take the number of a new version, written out, and
// kProjectFileVersionWritten (ProjectFileVersion.h) is raised to it: a new
// row tagged with a version already written would have every file of that
// version end before its last line.
inline constexpr int kAllVersions = 0;

// How a row of the file stores a yes/no: as a 16-bit integer, in the form
// its tool has always written, and read back the way that tool has always
// taken a value someone typed into the file. (The settings file's yes/no
// values are another matter: YesWrittenAs, core/Settings.h.)
enum class FlagForm {
  MinusOne,  // yes -1, no 0; any value but 0 reads as yes
  One,       // yes 1, no 0; any value but 0 reads as yes
  OnlyOne,   // yes 1, no 0; any value but 1 reads as no
};

// The integer a row holds for `value`.
constexpr qint16 StoredFlag(bool value, FlagForm form) {
  if (!value) return 0;
  return form == FlagForm::MinusOne ? qint16(-1) : qint16(1);
}

// The yes/no of the integer a row holds.
constexpr bool FlagOfStored(qint16 stored, FlagForm form) {
  return form == FlagForm::OnlyOne ? stored == 1 : stored != 0;
}

// The record's whole numbers (counts, indices: int) and choices (enum
// classes over qint16), which the file keeps as 16-bit integers. A choice
// holds any 16-bit value, so a code typed into the file is kept as typed.
template <typename T>
concept StoredChoice = std::is_enum_v<T> && std::same_as<std::underlying_type_t<T>, qint16>;
template <typename T>
concept RowInteger = std::same_as<T, int> || StoredChoice<T>;

// The integer a row holds for a whole number or a choice of the record. The
// writer refuses an int beyond the 16-bit range, which no row can hold.
template <RowInteger T>
constexpr int StoredInt(T value) {
  return static_cast<int>(value);
}

// The whole number or choice of the integer a row holds.
template <RowInteger T>
constexpr T IntOfStored(qint16 stored) {
  return static_cast<T>(stored);
}

// Walks the project file's value lines after the description block (from
// the 2-D stresses to the last tool's group), in file order. For each line
// it calls one of these members of the visitor:
//   Int(name, T&, fromVersion, default)    a RowInteger as a 16-bit integer, " 1" / "-1"
//   NumInt(name, T&, fromVersion, default) a RowInteger as a 16-bit integer, "1" / "-1"
//   Num(name, float&, fromVersion, default)     a 32-bit number
//   Num64(name, double&, fromVersion, default)  a 64-bit number
//   Print(name, float&, fromVersion, default)   a 32-bit number, " 1.5" / "-1.5"
//   Flag(name, bool&, form, fromVersion, default) a yes/no, stored as Int in `form`
// and, for the laboratory points, once each:
//   Count(name, int& LabPointCount, fromVersion, default, maximum)
//   Rows(name, LabPointRows&, count, fromVersion)  `count` rows of 5 numbers
// `Record` is ProjectRecord or const ProjectRecord. The defaults are those of
// a new project; the reader, the writer and New all follow this one table.
template <typename Record, typename Visitor>
void VisitFileRows(Record& r, Visitor& v) {
  constexpr int all = kAllVersions;

  // 2-D stresses.
  v.Num(FieldName{"Stress2D.Sx"}, r.Stress2D.Sx, all, 0.0f);
  v.Num(FieldName{"Stress2D.Sy"}, r.Stress2D.Sy, all, 0.0f);
  v.Num(FieldName{"Stress2D.Txy"}, r.Stress2D.Txy, all, 0.0f);
  v.Int(FieldName{"Stress2D.GraphOption"}, r.Stress2D.GraphOption, all, StressGraph::None);
  v.Num(FieldName{"Stress2DPlane.PlaneAngle"}, r.Stress2DPlane.PlaneAngle, all, 0.0f);

  // 3-D stresses: each row of the tensor, then that element of the normal.
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 3; ++j)
      v.Num(FieldName{"Stress3D.Tensor", nullptr, i + 1, j + 1}, r.Stress3D.Tensor[i][j], all, 0.0f);
    v.Num(FieldName{"Stress3D.Normal", nullptr, i + 1}, r.Stress3D.Normal[i], all, 0.0f);
  }
  v.Flag(FieldName{"Stress3D.AtGivenPlane"}, r.Stress3D.AtGivenPlane, FlagForm::OnlyOne, all, false);

  // Coulomb criterion.
  v.Num(FieldName{"CoulombStress.Sx"}, r.CoulombStress.Sx, all, 0.0f);
  v.Num(FieldName{"CoulombStress.Sy"}, r.CoulombStress.Sy, all, 0.0f);
  v.Num(FieldName{"CoulombStress.Txy"}, r.CoulombStress.Txy, all, 0.0f);
  v.Int(FieldName{"CoulombStress.GraphOption"}, r.CoulombStress.GraphOption, all, StressGraph::None);
  v.Flag(FieldName{"CoulombInput.UsePore"}, r.CoulombInput.UsePore, FlagForm::MinusOne, all, false);
  v.Num(FieldName{"CoulombInput.PorePressure"}, r.CoulombInput.PorePressure, all, 0.0f);
  v.Int(FieldName{"CoulombInput.ParamOption"}, r.CoulombInput.ParamOption, all, CoulombDerived::Cohesion);
  v.Num(FieldName{"CoulombInput.Cohesion"}, r.CoulombInput.Cohesion, all, 0.0f);
  v.Num(FieldName{"CoulombInput.UniaxialStrength"}, r.CoulombInput.UniaxialStrength, all, 0.0f);
  v.Num(FieldName{"CoulombInput.FrictionAngle"}, r.CoulombInput.FrictionAngle, all, 0.0f);

  // Coulomb criterion with a discontinuity: the selected set, then set 0
  // (every version) and set 1 (from version 53 on).
  v.Int(FieldName{"JointSelectedSet"}, r.JointSelectedSet, 53, 0);
  for (int set = 0; set < 2; ++set) {
    const int from = set == 0 ? all : 53;
    auto& stress = r.JointStress[set];
    auto& material = r.JointMaterials[set];
    auto& plane = r.JointPlanes[set];
    v.Num(FieldName{"JointStress", ".Sx", set}, stress.Sx, from, 0.0f);
    v.Num(FieldName{"JointStress", ".Sy", set}, stress.Sy, from, 0.0f);
    v.Num(FieldName{"JointStress", ".Txy", set}, stress.Txy, from, 0.0f);
    v.Int(FieldName{"JointStress", ".GraphOption", set}, stress.GraphOption, from, StressGraph::None);
    v.Flag(FieldName{"JointMaterials", ".UsePore", set}, material.UsePore, FlagForm::MinusOne, from, false);
    v.Num(FieldName{"JointMaterials", ".PorePressure", set}, material.PorePressure, from, 0.0f);
    v.Num(FieldName{"JointMaterials", ".Cohesion", set}, material.Cohesion, from, 0.0f);
    v.Num(FieldName{"JointMaterials", ".FrictionAngle", set}, material.FrictionAngle, from, 0.0f);
    v.Num(FieldName{"JointPlanes", ".Cohesion", set}, plane.Cohesion, from, 0.0f);
    v.Num(FieldName{"JointPlanes", ".FrictionAngle", set}, plane.FrictionAngle, from, 0.0f);
    v.Num(FieldName{"JointPlanes", ".Alpha", set}, plane.Alpha, from, 0.0f);
  }

  // Bolted rock wedge.
  auto& wedge = r.CoulombWedgeData;
  v.Num(FieldName{"CoulombWedgeData.Width"}, wedge.Width, all, 0.0f);
  v.Num(FieldName{"CoulombWedgeData.Height"}, wedge.Height, all, 0.0f);
  v.Num(FieldName{"CoulombWedgeData.SpecificGravity"}, wedge.SpecificGravity, all, 0.0f);
  v.Num(FieldName{"CoulombWedgeData.Cohesion"}, wedge.Cohesion, all, 0.0f);
  v.Num(FieldName{"CoulombWedgeData.FrictionAngle"}, wedge.FrictionAngle, all, 0.0f);
  v.Num(FieldName{"CoulombWedgeData.DiscAngle"}, wedge.DiscAngle, all, 0.0f);
  v.Int(FieldName{"CoulombWedgeData.Tab"}, wedge.Tab, all, 0);
  v.Num(FieldName{"CoulombWedgeData.BoltLoad"}, wedge.BoltLoad, all, 0.0f);
  v.Num(FieldName{"CoulombWedgeData.BoltAngle"}, wedge.BoltAngle, all, 0.0f);
  v.Num(FieldName{"CoulombWedgeData.ReqSafetyFactor"}, wedge.ReqSafetyFactor, all, 0.0f);
  v.Num(FieldName{"CoulombWedgeData.BoltAngle2"}, wedge.BoltAngle2, all, 0.0f);

  // Plane stress and plane strain.
  v.Num64(FieldName{"PlaneElasticity.Ex"}, r.PlaneElasticity.Ex, all, 0.0);
  v.Num64(FieldName{"PlaneElasticity.Ey"}, r.PlaneElasticity.Ey, all, 0.0);
  v.Num64(FieldName{"PlaneElasticity.Gxy"}, r.PlaneElasticity.Gxy, all, 0.0);
  v.Num(FieldName{"PlaneConstants1.E"}, r.PlaneStressTabConstants.E, all, 0.0f);
  v.Num(FieldName{"PlaneConstants1.Nu"}, r.PlaneStressTabConstants.Nu, all, 0.0f);
  v.Num(FieldName{"PlaneStressIn.Sx"}, r.PlaneStressIn.Sx, all, 0.0f);
  v.Num(FieldName{"PlaneStressIn.Sy"}, r.PlaneStressIn.Sy, all, 0.0f);
  v.Num(FieldName{"PlaneStressIn.Txy"}, r.PlaneStressIn.Txy, all, 0.0f);
  v.Num(FieldName{"PlaneConstants2.E"}, r.PlaneStrainTabConstants.E, all, 0.0f);
  v.Num(FieldName{"PlaneConstants2.Nu"}, r.PlaneStrainTabConstants.Nu, all, 0.0f);
  v.NumInt(FieldName{"PlaneElasticity.Tab"}, r.PlaneElasticity.Tab, all, PlaneElasticityTab::Stress);
  v.NumInt(FieldName{"PlaneElasticity.Assumption1"}, r.PlaneElasticity.StressTabAssumption, all,
           PlaneAssumption::PlaneStress);
  v.NumInt(FieldName{"PlaneElasticity.Assumption2"}, r.PlaneElasticity.StrainTabAssumption, all,
           PlaneAssumption::PlaneStress);

  // Circular opening.
  v.Num(FieldName{"CircStress.Sx"}, r.CircStress.Sx, all, 0.0f);
  v.Num(FieldName{"CircStress.Sy"}, r.CircStress.Sy, all, 0.0f);
  v.Num(FieldName{"CircStress.Txy"}, r.CircStress.Txy, all, 0.0f);
  v.Num(FieldName{"CircOpening.R"}, r.CircOpening.R, all, 0.0f);
  v.Num(FieldName{"CircOpening.A"}, r.CircOpening.A, all, 0.0f);
  v.Num(FieldName{"CircOpening.Angle"}, r.CircOpening.Angle, all, 0.0f);
  v.Flag(FieldName{"CircOpening.ShowGraph"}, r.CircOpening.ShowGraph, FlagForm::MinusOne, all, false);
  v.Flag(FieldName{"CircOpening.PlotTo3R"}, r.CircOpening.PlotTo3R, FlagForm::MinusOne, 59, false);
  v.Num(FieldName{"CircOpening.InternalPressure"}, r.CircOpening.InternalPressure, 59, 0.0f);

  // Failure around a circular opening.
  v.Num(FieldName{"CircFailStress.Sx"}, r.CircFailStress.Sx, 58, 0.0f);
  v.Num(FieldName{"CircFailStress.Sy"}, r.CircFailStress.Sy, 58, 0.0f);
  v.Num(FieldName{"CircFailStress.Txy"}, r.CircFailStress.Txy, 58, 0.0f);
  v.Num(FieldName{"CircFailInput.A"}, r.CircFailInput.A, 58, 0.0f);
  v.Num(FieldName{"CircFailInput.Co"}, r.CircFailInput.Co, 58, 0.0f);
  v.Num(FieldName{"CircFailInput.To"}, r.CircFailInput.To, 58, 0.0f);
  v.Num(FieldName{"CircFailInput.R"}, r.CircFailInput.R, 58, 0.0f);
  v.Num(FieldName{"CircFailInput.InternalPressure"}, r.CircFailInput.InternalPressure, 59, 0.0f);

  // Strain rosette.
  v.Num(FieldName{"Rosette.W1"}, r.Rosette.W1, all, 0.0f);
  v.Num(FieldName{"Rosette.W2"}, r.Rosette.W2, all, 0.0f);
  v.Num(FieldName{"Rosette.W3"}, r.Rosette.W3, all, 0.0f);
  v.Num(FieldName{"Rosette.Ea"}, r.Rosette.Ea, all, 0.0f);
  v.Num(FieldName{"Rosette.Eb"}, r.Rosette.Eb, all, 0.0f);
  v.Num(FieldName{"Rosette.Ec"}, r.Rosette.Ec, all, 0.0f);
  v.Num(FieldName{"Rosette.W"}, r.Rosette.W, all, 0.0f);

  // Room and pillar.
  v.Num(FieldName{"PillarStress.Sy"}, r.PillarStress.Sy, all, 0.0f);
  v.Num(FieldName{"PillarLayout.Wp"}, r.PillarLayout.Wp, all, 0.0f);
  v.Num(FieldName{"PillarLayout.Lp"}, r.PillarLayout.Lp, all, 0.0f);
  v.Num(FieldName{"PillarLayout.Wo"}, r.PillarLayout.Wo, all, 0.0f);

  // Von Mises criterion.
  v.Num(FieldName{"VonMisesStress.Sx"}, r.VonMisesStress.Sx, all, 0.0f);
  v.Num(FieldName{"VonMisesStress.Sy"}, r.VonMisesStress.Sy, all, 0.0f);
  v.Num(FieldName{"VonMisesStress.Txy"}, r.VonMisesStress.Txy, all, 0.0f);
  v.Int(FieldName{"VonMisesStress.GraphOption"}, r.VonMisesStress.GraphOption, 54, StressGraph::None);
  v.Num(FieldName{"VonMisesInput.TensileStrength"}, r.VonMisesInput.TensileStrength, 51, 0.0f);
  v.Flag(FieldName{"VonMisesInput.Failure"}, r.VonMisesInput.Failure, FlagForm::MinusOne, 51, false);

  // Bieniawski criterion.
  v.Num(FieldName{"BieniawskiStress.Sx"}, r.BieniawskiStress.Sx, 51, 0.0f);
  v.Num(FieldName{"BieniawskiStress.Sy"}, r.BieniawskiStress.Sy, 51, 0.0f);
  v.Num(FieldName{"BieniawskiStress.Txy"}, r.BieniawskiStress.Txy, 51, 0.0f);
  v.Int(FieldName{"BieniawskiStress.GraphOption"}, r.BieniawskiStress.GraphOption, 54, StressGraph::None);
  v.Num(FieldName{"BieniawskiInput.A"}, r.BieniawskiInput.A, 51, 5.0f);
  v.Num(FieldName{"BieniawskiInput.K"}, r.BieniawskiInput.K, 51, 0.75f);
  v.Num(FieldName{"BieniawskiInput.Co"}, r.BieniawskiInput.Co, 51, 0.0f);
  v.Flag(FieldName{"BieniawskiInput.UsePore"}, r.BieniawskiInput.UsePore, FlagForm::One, 51, false);
  v.Num(FieldName{"BieniawskiInput.PorePressure"}, r.BieniawskiInput.PorePressure, 51, 0.0f);

  // Hoek-Brown criterion (its Txy in the print form).
  v.Num(FieldName{"HoekStress.Sx"}, r.HoekStress.Sx, 54, 0.0f);
  v.Num(FieldName{"HoekStress.Sy"}, r.HoekStress.Sy, 54, 0.0f);
  v.Print(FieldName{"HoekStress.Txy"}, r.HoekStress.Txy, 54, 0.0f);
  v.Int(FieldName{"HoekStress.GraphOption"}, r.HoekStress.GraphOption, 54, StressGraph::None);
  v.Int(FieldName{"HoekInput.CriterionType"}, r.HoekInput.CriterionType, 54, HoekCriterion::IntactRock);
  v.Num(FieldName{"HoekInput.Co"}, r.HoekInput.Co, 54, 0.0f);
  v.Num(FieldName{"HoekInput.M"}, r.HoekInput.M, 54, 7.0f);
  v.Num(FieldName{"HoekInput.CoMass"}, r.HoekInput.CoMass, 54, 0.0f);
  v.Num(FieldName{"HoekInput.Mb"}, r.HoekInput.Mb, 54, 10.0f);
  v.Num(FieldName{"HoekInput.S"}, r.HoekInput.S, 54, 0.2f);
  v.Num(FieldName{"HoekInput.A"}, r.HoekInput.A, 54, 0.5f);
  v.Num(FieldName{"HoekInput.Reserved1"}, r.HoekInput.Reserved1, 54, 0.0f);
  v.Num(FieldName{"HoekInput.Reserved2"}, r.HoekInput.Reserved2, 54, 0.0f);
  v.Num(FieldName{"HoekInput.Reserved3"}, r.HoekInput.Reserved3, 54, 0.0f);
  v.Flag(FieldName{"HoekInput.UsePore"}, r.HoekInput.UsePore, FlagForm::One, 54, false);
  v.Num(FieldName{"HoekInput.PorePressure"}, r.HoekInput.PorePressure, 54, 0.0f);

  // Point load.
  v.Num(FieldName{"PointLoadQ"}, r.PointLoadQ, 51, 100.0f);
  v.Num(FieldName{"LineLoadQm"}, r.LineLoadQm, 57, 100.0f);
  v.Num(FieldName{"StripLoadQ"}, r.StripLoadQ, 57, 100.0f);
  v.Int(FieldName{"PointLoadType"}, r.PointLoadType, 57, PointLoadKind::Point);
  v.Num(FieldName{"PointLoadR"}, r.PointLoadR, 51, 3.0f);
  v.Num(FieldName{"PointLoadZ"}, r.PointLoadZ, 51, 2.0f);

  // Rectangular foundation and its coefficient chart.
  v.Num(FieldName{"FadumLength"}, r.FadumLength, 51, 1.0f);
  v.Num(FieldName{"FadumWidth"}, r.FadumWidth, 51, 1.0f);
  v.Num(FieldName{"FadumLoad"}, r.FadumLoad, 51, 100.0f);
  v.Num(FieldName{"FadumX"}, r.FadumX, 51, 4.0f);
  v.Num(FieldName{"FadumY"}, r.FadumY, 51, 4.0f);
  v.Num(FieldName{"FadumDepth"}, r.FadumDepth, 51, 1.0f);
  v.Num(FieldName{"CornerLoad"}, r.CornerLoad, 57, 100.0f);
  v.Num(FieldName{"CornerWidth"}, r.CornerWidth, 57, 1.0f);
  v.Num(FieldName{"CornerLength"}, r.CornerLength, 57, 1.0f);
  v.Num(FieldName{"CornerDepth"}, r.CornerDepth, 57, 1.0f);

  // Coordinate transformation: each direction cosine followed by the same
  // element of the tensor.
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 3; ++j) {
      v.Num(FieldName{"TransformInputs.Cosines", nullptr, i + 1, j + 1}, r.TransformInputs.Cosines[i][j], all, 0.0f);
      v.Num(FieldName{"TransformInputs.Tensor", nullptr, i + 1, j + 1}, r.TransformInputs.Tensor[i][j], all, 0.0f);
    }
  }
  for (int i = 0; i < 3; ++i)
    v.Num(FieldName{"TransformInputs.Vector", nullptr, i + 1}, r.TransformInputs.Vector[i], all, 0.0f);
  v.Int(FieldName{"TransformInputs.Option"}, r.TransformInputs.Option, all, TransformOperand::Tensor);

  // Uniaxial test evaluation.
  v.Num(FieldName{"LabHeight"}, r.LabHeight, 52, 0.0f);
  v.Num(FieldName{"LabDiameter"}, r.LabDiameter, 52, 0.0f);
  v.Num(FieldName{"LabArea"}, r.LabArea, 56, 0.0f);
  v.Int(FieldName{"LabAreaOption"}, r.LabAreaOption, 56, LabAreaSource::Diameter);
  v.Count(FieldName{"LabPointCount"}, r.LabPointCount, 52, 1, kLabMaxPoints);
  v.Int(FieldName{"LabDataType"}, r.LabDataType, 52, LabDataKind::ForceStrain);
  v.Rows(FieldName{"LabPoints"}, r.LabPoints, r.LabPointCount, 52);

  // Roof bolting (BoltWidth is not in the file).
  v.Num(FieldName{"BoltStrength"}, r.BoltStrength, 55, 0.0f);
  v.Num(FieldName{"BoltDiameter"}, r.BoltDiameter, 55, 22.0f);
  v.Num(FieldName{"BoltLength"}, r.BoltLength, 55, 3.0f);
  v.Num(FieldName{"BoltSF"}, r.BoltSF, 55, 1.0f);
  v.Num(FieldName{"BoltHeight"}, r.BoltHeight, 55, 2.0f);
  v.Num(FieldName{"BoltUnit"}, r.BoltUnit, 55, 24.0f);
  v.Num(FieldName{"BoltDiam2"}, r.BoltAnchorDiameter, 58, 24.0f);
  v.Num(FieldName{"BoltLength2"}, r.BoltBondedLength, 58, 3.0f);
  v.Num(FieldName{"BoltDiamHole"}, r.BoltHoleDiameter, 58, 27.0f);
  v.Num(FieldName{"BoltCo1"}, r.BoltResinCohesion, 58, 1000.0f);
  v.Num(FieldName{"BoltPhi1"}, r.BoltResinFriction, 58, 10.0f);
  v.Num(FieldName{"BoltCo2"}, r.ResinRockCohesion, 58, 2000.0f);
  v.Num(FieldName{"BoltPhi2"}, r.ResinRockFriction, 58, 12.0f);
  v.Num(FieldName{"BoltS2"}, r.BoltNormalStress, 58, 0.0f);
  v.Num(FieldName{"BoltSF1"}, r.BoltAnchorSafetyFactor, 58, 1.4f);

  // Hooke's law in three dimensions.
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j)
      v.Num(FieldName{"Hooke3DInputs.Stress", nullptr, i + 1, j + 1}, r.Hooke3DInputs.Stress[i][j], 59, 0.0f);
  v.Num(FieldName{"Hooke3DInputs.E"}, r.Hooke3DInputs.E, 59, 0.0f);
  v.Num(FieldName{"Hooke3DInputs.Nu"}, r.Hooke3DInputs.Nu, 59, 0.0f);
  v.Int(FieldName{"Hooke3DInputs.Flag"}, r.Hooke3DInputs.Flag, 59, 0);
}

}  // namespace brantel::projectfile
