#pragma once

#include "core/Bilingual.h"
#include "core/Validation.h"
#include "core/project/ProjectRecord.h"  // LabDataKind, LabAreaSource

#include <QPointF>
#include <QRgb>
#include <QString>
#include <QStringView>
#include <QtGlobal>

#include <array>
#include <optional>
#include <vector>

namespace brantel {

// Mechanics of the uniaxial compression test tool (LabTestDialog): the data grid's
// layout by data type, the point count, the specimen area and volume, the
// columns the evaluation fills, the mean elasticity modulus, the mean
// Poisson's ratio, the energy to failure and the stress-strain series.
//
// Fixed units: specimen in mm, forces in kN, stresses in MPa, strains in
// thousandths. A slope in MPa per thousandth of strain is in GPa; a stress
// in MPa times a strain in thousandths times a volume in mm^3 is in
// microjoules, so the energy is that sum times 1e-6 J.
//
// Uses kPi (core/Arithmetic.h), CheckedFloat / RoundToInt16 / RoundToInt32 (core/Conversions.h) and
// ParseLeadingNumber / Format / FormatGeneral (core/NumberFormat.h). No function here
// raises an error: what cannot be computed comes back as nothing. A data
// cell that cannot be computed keeps what it holds (it may be the user's
// own entry from another data type); a result box or the modulus column is
// blanked.

// Grid columns (row 0 is the fixed header, rows 1..N the data points).
namespace labcol {
inline constexpr int kNumber = 0;   // the row number r
inline constexpr int kForce = 1;    // F, kN
inline constexpr int kDeltaY = 2;   // axial shortening, mm
inline constexpr int kEx = 3;       // lateral strain, thousandths
inline constexpr int kEy = 4;       // axial strain, thousandths
inline constexpr int kSigma = 5;    // axial stress, MPa
inline constexpr int kModulus = 6;  // modulus from the row before, GPa
inline constexpr int kCount = 7;
}  // namespace labcol

// The data type of a stored LabDataType: any value outside the list is taken
// as Force/Strain. The area option (LabAreaSource) takes any value but Area
// as the diameter given.
LabDataKind LabDataKindOf(LabDataKind stored);

inline constexpr int kLabMinPoints = 1;
inline constexpr int kLabMaxPointCount = 20;

// Header text of a grid column (empty texts outside 0..6).
Bilingual LabColumnHeader(int column);

// Column widths in twips: 320 for the number column, the grid's width / 6.5
// (rounded to whole twips) for each of the others.
int LabColumnWidth(int column, int gridWidthTwips);

// Cell colours: editable cells yellow, the other data cells white. The
// number column keeps the grid's own colour.
inline constexpr QRgb kLabEditableColour = 0xFFFFFF00;  // yellow
inline constexpr QRgb kLabPlainColour = 0xFFFFFFFF;     // white

// True for the columns the user enters in this data type: lateral strain
// always; force and axial strain (0), force and shortening (1), axial strain
// and stress (2).
bool IsLabColumnEditable(LabDataKind dataType, int column);

// The two columns the evaluation fills: the one that needs the area first
// (stress, or force for Stress/Strain), then the one that needs the height
// (shortening, or axial strain for Force/Displacement).
std::array<int, 2> LabFilledColumns(LabDataKind dataType);

// The cell editor's texts. Title: kLabFieldTitle and the column's header;
// prompt: kLabRowPrompt and the row number. A cell that is not editable
// answers kLabInputNotAllowed (through ShowMsg, OK button, no own title).
inline constexpr Bilingual kLabFieldTitle{"Field: ", "Πεδίο: "};
inline constexpr Bilingual kLabRowPrompt{"Enter Value for Row: ", "Εισαγωγή τιμής στη γραμμή: "};
inline constexpr Bilingual kLabInputNotAllowed{"Input not allowed", "Δεν επιτρέπεται εισαγωγή δεδομένων"};
// A number beyond the 32-bit range in a cell or box: refused with this
// whole sentence through ShowInvalidValue.
inline constexpr InputMessage kLabTooLarge = Sentence({"The value is too large", "Η τιμή είναι πολύ μεγάλη"});

// The text a cell gets from the editor's answer: the absolute value of the
// answer's leading number (of the cell's current text when the answer is
// empty, also after Cancel) as a plain number text ("-3.5" gives "3.5",
// "12.500" "12.5", "" and "abc" give "0"). Nothing for a number beyond the
// 32-bit range: the cell keeps its text and kLabTooLarge is shown.
std::optional<QString> LabCellEntryText(QStringView answer, QStringView currentText);

// The point count from the leading number of its box: from 1 to 20 (both
// included) it is rounded to a whole number, halves to even; anything else
// gives nothing and N stays as it is.
std::optional<int> LabPointCount(double value);

// pi d^2 / 4 with pi = kPi when the diameter is given, the entered area
// otherwise; nothing for a negative or too large area.
std::optional<double> LabSpecimenArea(LabAreaSource areaOption, double diameter, double area);

// The diameter of a circle of the entered area, sqrt(4 A / pi), shown as
// "d=" and the mask kLabDiameterMask beside the area box; nothing for a
// negative area or one beyond the 32-bit range, which no specimen has
// (the label keeps its text).
std::optional<double> LabEquivalentDiameter(double area);
inline constexpr char16_t kLabDiameterMask[] = u"#0.#0";

// Display: filled cells, column 6 and the three means with kLabMask; the
// volume, loaded points and entered cells as plain number texts
// (FormatGeneral).
inline constexpr char16_t kLabMask[] = u"#0.##0";

// One data row: the leading numbers of grid columns 1..5.
struct LabRow {
  double Force = 0;   // kN
  double DeltaY = 0;  // mm
  double Ex = 0;      // thousandths
  double Ey = 0;      // thousandths
  double Sigma = 0;   // MPa
};

// What the evaluation reads from the dialog.
struct LabTestInput {
  double Height = 0;  // mm
  LabAreaSource AreaOption = LabAreaSource::Diameter;
  double Diameter = 0;  // mm
  double Area = 0;      // mm^2
  LabDataKind DataType = LabDataKind::ForceStrain;
  std::vector<LabRow> Rows;  // data rows 1..N
};

// A filled cell: its column and its value (shown with kLabMask), or nothing
// when it cannot be computed (no area, no height, beyond the 32-bit range):
// the cell then keeps its text.
struct LabCell {
  int Column = 0;
  std::optional<double> Value;
};

struct LabRowResult {
  std::array<LabCell, 2> Filled;  // in the order of LabFilledColumns
  std::optional<float> Modulus;   // column 6, GPa; nothing: blank the cell
  // The row as the later steps read it back from the grid: a filled value
  // as its kLabMask text reads, a cell left as it was with its own value.
  LabRow Values;
};

struct LabEvaluation {
  std::optional<float> Volume;  // mm^3
  std::vector<LabRowResult> Rows;
  std::optional<float> MeanModulus;  // GPa: nothing when no row has one
  std::optional<float> MeanPoisson;  // nothing when no row has both strains
  std::optional<float> Energy;       // to failure, J: 0 when no row counts, nothing without a volume
};

// Completes the grid and computes the results:
// - filled cells: sigma = F / A * 1000 or F = A sigma / 1000 (A > 0);
//   shortening = H ey / 1000 (Force/Strain always, Stress/Strain when
//   H > 0); ey = shortening / H * 1000 (Force/Displacement, H > 0);
// - Poisson's ratio: the mean of ex / ey over the rows with both non-zero;
// - modulus of row r >= 2 with ey(r) > 0, a strictly rising stress and a
//   strain step: (sigma(r) - sigma(r-1)) / (ey(r) - ey(r-1)) GPa, and their mean;
// - energy: the trapezoids (sigma(r-1) + sigma(r)) / 2 (ey(r) - ey(r-1)) V
//   over the rows r >= 2 with ey(r) > 0 (after the peak too), in J.
// A negative height counts as no height, a negative area as no area.
// Per-point values and running sums are 32-bit floats, each product or
// quotient formed in 64 bits first.
LabEvaluation EvaluateLabTest(const LabTestInput& in);

// The stress-strain series: (ey, sigma) of each row in grid order, as
// 32-bit values (give it the evaluation's read-back rows).
std::vector<QPointF> LabStressStrainPoints(const std::vector<LabRowResult>& rows);

// The chart's texts; both axes linear, automatic with their minimum at 0.
inline constexpr Bilingual kLabChartTitle{"Stress-Strain Plot", "Διάγραμμα Τάσης - Παραμόρφωσης"};
inline constexpr char kLabChartXTitle[] = "e";
inline constexpr char kLabChartYTitle[] = "s";

}  // namespace brantel
