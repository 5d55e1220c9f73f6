#pragma once

#include "core/Arithmetic.h"  // Principal2D, the results of CalcPrincipal2D
#include "core/Settings.h"    // RecentFileMark
#include "core/UnitSystem.h"

#include <QString>

#include <array>

namespace brantel {

// Arrays of the record are indexed from 0: element [0] is the first row,
// column or set ((1,1) of a matrix is [0][0], joint set 0 is [0]).
using Matrix3 = std::array<std::array<float, 3>, 3>;
using Vector3 = std::array<float, 3>;

// The choices of the record. Each is the index of its option in the tool's
// group and holds any 16-bit value: a value typed into the project file
// outside the list is kept as typed and written back, and the tools take it
// as their first choice (as their description says).
enum class PlaneAssumption : qint16 { PlaneStress = 0, PlaneStrain = 1 };
// The tab of the plane elasticity tool in view, by its place on the tab
// control: the stress state from the strains, or the strain state from the
// stresses.
enum class PlaneElasticityTab : qint16 { Stress = 0, Strain = 1 };
enum class CoulombDerived : qint16 { Cohesion = 0, UniaxialStrength = 1, FrictionAngle = 2 };
enum class HoekCriterion : qint16 { IntactRock = 0, Generalized = 1 };
enum class PointLoadKind : qint16 { Point = 0, Line = 1, Strip = 2 };
enum class TransformOperand : qint16 { Tensor = 0, Vector = 1 };
enum class LabDataKind : qint16 { ForceStrain = 0, ForceDisplacement = 1, StressStrain = 2 };
enum class LabAreaSource : qint16 { Diameter = 0, Area = 1 };
// The graph a stress tool shows beside its inputs: its graph option, or its
// Mohr-circle check box (None unchecked, MohrCircle checked). Sigma1Chart
// is the third option of the two Coulomb tools: the s1-s3 plot of the
// criterion, the s1-beta chart of the discontinuity.
enum class StressGraph : qint16 { None = 0, MohrCircle = 1, Sigma1Chart = 2 };

// A plane stress state as the tools take it (project stress unit).
struct StressInput {
  float Sx = 0.0f;
  float Sy = 0.0f;
  float Txy = 0.0f;
  StressGraph GraphOption = StressGraph::None;
};

struct StressOnPlane {
  float SigmaN = 0.0f;      // result
  float TauN = 0.0f;        // result
  float PlaneAngle = 0.0f;  // input
};

struct RoomPillarData {
  float AvgPillarStress = 0.0f;  // result
  float Sv = 0.0f;               // result
  float Wp = 0.0f;               // pillar width
  float Lp = 0.0f;               // pillar length
  float Wo = 0.0f;               // opening width
  float Extraction = 0.0f;       // extraction ratio in percent, result
};

struct CircularData {
  float InternalPressure = 0.0f;
  float S1Field = 0.0f;  // computed
  float S2Field = 0.0f;  // computed
  float R = 0.0f;        // distance of the point from the centre
  float A = 0.0f;        // radius of the opening
  float Angle = 0.0f;    // angle from horizontal
  float SigmaR = 0.0f;   // results
  float SigmaTheta = 0.0f;
  float TauRTheta = 0.0f;
  bool ShowGraph = false;  // check-box values
  bool PlotTo3R = false;
};

struct CircFailData {
  float S1Field = 0.0f;  // computed
  float S2Field = 0.0f;  // computed
  float InternalPressure = 0.0f;
  float A = 0.0f;
  float R = 0.0f;
  float Co = 0.0f;  // uniaxial compressive strength
  float To = 0.0f;  // tensile strength
};

struct Stress3DData {
  Matrix3 Tensor{};
  Vector3 Principal{};   // results
  Vector3 Invariants{};  // results
  Vector3 Normal{};      // normal of the plane, input
  Vector3 Traction{};    // stress vector on the plane, result
  bool AtGivenPlane = false;
};

struct Hooke3DData {
  Matrix3 Stress{};
  float E = 0.0f;
  float Nu = 0.0f;
  int Flag = 0;  // carried by the file; the tool stores 0
};

struct RosetteData {
  float W1 = 0.0f;  // gauge angles
  float W2 = 0.0f;
  float W3 = 0.0f;
  float Ea = 0.0f;  // gauge readings
  float Eb = 0.0f;
  float Ec = 0.0f;
  float W = 0.0f;   // angle of the plane for the strain calculation
  float Ew = 0.0f;  // results on that plane
  float Gw = 0.0f;
};

// The rosette tool's results (not in the project file).
struct RosettePrincipalStrains {
  double E1 = 0.0;
  double E2 = 0.0;
  double Theta1 = 0.0;
  double Theta2 = 0.0;
};
struct RosetteStrainTensor {
  double Ex = 0.0;
  double Ey = 0.0;
  double Gxy = 0.0;
};

struct PlaneElasticityData {
  double Ex = 0.0;  // strains of the stress-state tab
  double Ey = 0.0;
  double Gxy = 0.0;
  PlaneElasticityTab Tab = PlaneElasticityTab::Stress;                 // the tab in view
  PlaneAssumption StressTabAssumption = PlaneAssumption::PlaneStress;  // one per tab
  PlaneAssumption StrainTabAssumption = PlaneAssumption::PlaneStress;
};

struct ElasticConstants {
  float E = 0.0f;
  float Nu = 0.0f;
};

struct PlaneStressState {
  float Sx = 0.0f;
  float Sy = 0.0f;
  float Txy = 0.0f;
};

struct CoulombParams {
  float PorePressure = 0.0f;
  bool UsePore = false;
  float Cohesion = 0.0f;
  float UniaxialStrength = 0.0f;
  float FrictionAngle = 0.0f;
  bool Failure = false;  // results
  bool PoreFailure = false;
  float FailureAngle = 0.0f;
  CoulombDerived ParamOption = CoulombDerived::Cohesion;  // which of the three strength values is derived
};

struct JointMaterial {
  float PorePressure = 0.0f;
  bool UsePore = false;
  float Cohesion = 0.0f;
  float FrictionAngle = 0.0f;
  bool Failure = false;  // results
  bool PoreFailure = false;
};

struct JointPlane {
  float Cohesion = 0.0f;
  float FrictionAngle = 0.0f;
  float Alpha = 0.0f;
  bool JointFailure = false;  // result
};

struct BoltedWedgeData {
  float FrictionAngle = 0.0f;
  float Cohesion = 0.0f;
  float DiscAngle = 0.0f;  // discontinuity angle to horizontal
  float Width = 0.0f;
  float Height = 0.0f;
  float SpecificGravity = 0.0f;
  float BoltLoad = 0.0f;
  float BoltAngle = 0.0f;
  float SafetyFactor = 0.0f;  // result of set 1
  float ReqSafetyFactor = 0.0f;
  float BoltAngle2 = 0.0f;
  float ReqBoltLoad = 0.0f;  // result of set 2
  int Tab = 0;               // the tab in view
};

struct VonMisesData {
  float TensileStrength = 0.0f;
  bool Failure = false;
};

struct HoekParams {
  float PorePressure = 0.0f;
  bool UsePore = false;
  HoekCriterion CriterionType = HoekCriterion::IntactRock;
  float Co = 0.0f;
  float M = 0.0f;
  float CoMass = 0.0f;
  float Mb = 0.0f;
  float S = 0.0f;
  float A = 0.0f;
  float Reserved1 = 0.0f;  // only the project file reads and writes these
  float Reserved2 = 0.0f;
  float Reserved3 = 0.0f;
  bool Failure = false;  // results
  bool PoreFailure = false;
};

struct BieniawskiParams {
  float PorePressure = 0.0f;
  bool UsePore = false;
  float A = 0.0f;
  float K = 0.0f;
  float Co = 0.0f;
  bool Failure = false;  // results
  bool PoreFailure = false;
};

struct TransformData {
  Matrix3 Cosines{};    // direction cosines of the new axes
  Matrix3 Tensor{};     // tensor to transform
  Matrix3 NewTensor{};  // result
  Vector3 Vector{};
  Vector3 NewVector{};  // result
  TransformOperand Option = TransformOperand::Tensor;
};

inline constexpr int kLabMaxPoints = 20;
inline constexpr int kLabColumns = 5;
using LabPointRows = std::array<std::array<float, kLabColumns>, kLabMaxPoints>;

// The one open project: its header, and the inputs, options and last results
// of every tool. The groups of the tools are only groupings of the members.
struct ProjectRecord {
  // Header.
  QString ProjectPath;         // full path of the project file
  QString ProjectDisplayName;  // the project that was open when an Open began
  QString ProjectTitle;        // one line
  QString ProjectDescription;  // lines joined by CR LF
  UnitSystem InputUnits = UnitSystem::Imperial;
  int FileVersion = 0;         // the version of the file being read (50 and up)
  bool FileSaved = true;       // no change since the last save
  bool FileEmpty = true;       // no tool has accepted inputs yet
  bool FileHoldsData = false;  // read from a file or described: units locked
  // The recent-file mode of a project made by New.
  RecentFileMark NewFileMark = RecentFileMark::Unmarked;

  // The point-load tool (PointLoadDialog): the load of each kind and the
  // point below it.
  float PointLoadQ = 0.0f;
  float LineLoadQm = 0.0f;
  float StripLoadQ = 0.0f;
  PointLoadKind PointLoadType = PointLoadKind::Point;
  float PointLoadR = 0.0f;
  float PointLoadZ = 0.0f;

  // The rectangular foundation (FoundationDialog): the rectangle, its load,
  // the depth and the point.
  float FadumLength = 0.0f;
  float FadumWidth = 0.0f;
  float FadumDepth = 0.0f;
  float FadumLoad = 0.0f;
  float FadumX = 0.0f;
  float FadumY = 0.0f;

  // The stress under a corner of the rectangle (FadumChartDialog).
  float CornerWidth = 0.0f;
  float CornerLength = 0.0f;
  float CornerDepth = 0.0f;
  float CornerLoad = 0.0f;

  // The 2-D stresses (Stress2DDialog): the stress state and the plane.
  StressInput Stress2D;
  StressOnPlane Stress2DPlane;

  // Room and pillar (RoomPillarDialog; of PillarStress only Sy is an input).
  StressInput PillarStress;
  RoomPillarData PillarLayout;

  // The circular opening (CircularOpeningDialog).
  StressInput CircStress;
  CircularData CircOpening;

  // Failure around a circular opening (CircularFailureDialog).
  StressInput CircFailStress;
  CircFailData CircFailInput;

  // The 3-D stresses (Stress3DDialog).
  Stress3DData Stress3D;

  // 3-D elasticity (Elasticity3DDialog).
  Hooke3DData Hooke3DInputs;

  // The strain rosette (RosetteDialog): its inputs and last results.
  RosetteData Rosette;
  RosettePrincipalStrains RosettePrincipal;
  RosetteStrainTensor RosetteTensor;

  // Plane stress and plane strain (PlaneElasticityDialog).
  PlaneElasticityData PlaneElasticity;
  ElasticConstants PlaneStressTabConstants;  // stress-state tab
  PlaneStressState PlaneStressIn;
  ElasticConstants PlaneStrainTabConstants;  // strain-state tab

  // The Coulomb criterion (CoulombDialog).
  StressInput CoulombStress;
  CoulombParams CoulombInput;
  Principal2D CoulombPrincipal;

  // The von Mises criterion (VonMisesDialog).
  StressInput VonMisesStress;
  VonMisesData VonMisesInput;

  // The Hoek-Brown criterion (HoekBrownDialog).
  StressInput HoekStress;
  HoekParams HoekInput;
  Principal2D HoekPrincipal;

  // The Bieniawski criterion (BieniawskiDialog).
  StressInput BieniawskiStress;
  BieniawskiParams BieniawskiInput;
  Principal2D BieniawskiPrincipal;

  // The bolted rock wedge and slope (CoulombWedgeDialog).
  BoltedWedgeData CoulombWedgeData;
  BoltedWedgeData CoulombSlopeData;  // not in the project file

  // The discontinuity tool (CoulombJointDialog): two parameter sets.
  std::array<StressInput, 2> JointStress{};
  std::array<JointMaterial, 2> JointMaterials{};
  std::array<JointPlane, 2> JointPlanes{};
  int JointSelectedSet = 0;  // the set shown, 0 or 1

  // The uniaxial compression test (LabTestDialog).
  float LabHeight = 0.0f;
  float LabDiameter = 0.0f;
  float LabArea = 0.0f;
  LabAreaSource LabAreaOption = LabAreaSource::Diameter;
  int LabPointCount = 0;  // rows of LabPoints in use, at most 20
  LabDataKind LabDataType = LabDataKind::ForceStrain;
  LabPointRows LabPoints{};

  // Roof bolting (RoofBoltingDialog), in the order of the tool.
  float BoltStrength = 0.0f;
  float BoltDiameter = 0.0f;
  float BoltLength = 0.0f;
  float BoltSF = 0.0f;
  float BoltHeight = 0.0f;
  float BoltUnit = 0.0f;
  float BoltWidth = 0.0f;               // not in the project file
  float BoltAnchorDiameter = 0.0f;      // the resin anchor: bolt diameter, mm
  float BoltBondedLength = 0.0f;        // bonded length
  float BoltHoleDiameter = 0.0f;        // hole diameter, mm
  float BoltResinCohesion = 0.0f;       // bolt/resin interface, kPa
  float BoltResinFriction = 0.0f;       // its friction angle, degrees
  float ResinRockCohesion = 0.0f;       // resin/rock interface, kPa
  float ResinRockFriction = 0.0f;       // its friction angle, degrees
  float BoltNormalStress = 0.0f;        // normal stress on the interfaces, kPa
  float BoltAnchorSafetyFactor = 0.0f;  // safety factor of the anchor

  // The stress transformation (TransformationDialog).
  TransformData TransformInputs;
};

extern ProjectRecord Project;

// What a reset does with the project's name: "Untitled", or the path kept.
enum class ProjectNameOnReset { Untitled, Kept };
// What a reset does with the project's unit system: the unit system of new
// projects (NewProjectUnits), or the project's own kept.
enum class UnitsOnReset { NewProjectUnits, Kept };

// Resets a record as New does, without the history line: the name and the
// unit system as the two choices say; the flags, title and description are
// cleared, and every input that the project file carries (with BoltWidth
// and the inputs of CoulombSlopeData) returns to its default. Results that
// the file does not carry keep their values.
void ResetProjectRecord(ProjectRecord& record, ProjectNameOnReset name = ProjectNameOnReset::Untitled,
                        UnitsOnReset units = UnitsOnReset::NewProjectUnits);

// New: resets the current project (ResetProjectRecord; File > New takes
// both defaults) and appends "File initialized. Use Edit-Project Parameters
// to enter data." (or its Greek twin) to the history.
void FileNew(ProjectNameOnReset name = ProjectNameOnReset::Untitled,
             UnitsOnReset units = UnitsOnReset::NewProjectUnits);

// A tool's inputs were accepted: the project is modified and no longer empty.
void MarkProjectChanged();

// The history line of New: "File initialized. Use Edit-Project Parameters to
// enter data." or its Greek twin.
void AddFileInitializedLine();

}  // namespace brantel
