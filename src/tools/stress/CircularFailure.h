#pragma once

#include "core/project/ProjectRecord.h"
#include "tools/stress/CircularOpening.h"

#include <QPoint>
#include <QPolygon>
#include <QRect>
#include <QString>
#include <QStringList>

#include <array>
#include <vector>

namespace brantel {

// Mechanics of the failure-around-a-circular-opening tool: where the
// tangential stress on the boundary of the opening (or at the distance r
// from its centre) reaches the uniaxial compressive strength Co, or falls
// to minus the tensile strength To, for a plane far-field stress state and
// a pressure p inside the opening; and the geometry of the picture that
// shows those zones as hatched wedges around a disc.
//
// The tangential stress at the angle psi from the direction of s2 is the
// Kirsch value for the reduced principal stresses s1' = s1 - p, s2' = s2 - p:
//   sigma_t(psi) = (S/2)(1 + k) - (D/2)(1 + 3k^2) cos 2psi,
// S = s1' + s2', D = s2' - s1' (never positive), k = a^2 / r^2.
//
// Stresses, strengths, a and r are in the project's units; angles are
// degrees, measured anticlockwise from the x axis, radians turned into
// degrees by dividing by kDegreeFactor (0.017453292519943278).
//
// Shared arithmetic used (core/Arithmetic.h): CalcPrincipal2D, ArcCos and
// kDegreeFactor. An overflow (6) or a division by zero (11, r = 0) raises a
// RuntimeError; the dialog logs it (LogRuntimeError) and blanks the drawing,
// which could not stand for the inputs.

// How much of the boundary fails in one mode. The values are those the
// dialog keeps.
enum class FailureState {
  Undecided = -1,  // nothing computed
  Partial = 0,     // two zones
  Complete = 1,    // the whole boundary
  None = 2,        // nowhere
};

struct FailureZones {
  // False when a <= 0: nothing else is set; the history receives
  // CircFailRadiusError() and the drawing is left as it was.
  bool Computed = false;
  float S1 = 0.0f, S2 = 0.0f;            // principal stresses of the entered state
  float Theta1 = 0.0f, Theta2 = 0.0f;    // their directions, degrees
  float S1Field = 0.0f, S2Field = 0.0f;  // s1 - p, s2 - p
  FailureState Compression = FailureState::Undecided;
  FailureState Tension = FailureState::Undecided;
  // Where each of the four zones starts and ends, degrees: the compression
  // zones [0, 1] and [2, 3], the tension zones [4, 5] and [6, 7]; 0 for a
  // mode that fails nowhere, and the four quadrants -90, 90, 90, 270 for a
  // mode that fails all round.
  std::array<float, 8> ZoneLimits{};
  // The start, middle and end of each zone in turn (BuildWedgeAngles).
  std::array<float, 12> WedgeAngles{};
};

// The zones for the stress state `stress` (Sx, Sy, Txy) and the inputs of
// `input` (InternalPressure, A, R, Co, To).
//
// With s1' != s2' the quotients
//   Xc = ((S/2)(1 + k) - Co) / ((D/2)(1 + 3k^2))    (compression)
//   Xt = ((S/2)(1 + k) + To) / ((D/2)(1 + 3k^2))    (tension)
// are the values of cos 2psi where sigma_t equals Co and -To, held as 32-bit
// floats. Compression: Xc < -1 complete, Xc > 1 none, otherwise partial with
// phi = ArcCos(Xc) and zones centred on Theta2 and Theta2 + 180, phi wide.
// Tension: Xt > 1 complete, Xt < -1 none, otherwise partial with
// phit = ArcCos(Xt) and zones from Theta2 + phit/2 to Theta2 + 180 - phit/2
// and from Theta2 + 180 + phit/2 to Theta2 + 360 - phit/2. A quotient beyond
// the 32-bit range only says complete or none and raises nothing.
//
// With s1' = s2' the tangential stress is (S/2)(1 + k) all round: the whole
// boundary fails in compression when it reaches Co, in tension when it
// falls to -To, and nowhere otherwise.
FailureZones CalcFailureZones(const StressInput& stress, const CircFailData& input);

// Writes S1Field and S2Field into the working copy (nothing when not computed).
void RecordFailureZones(const FailureZones& zones, CircFailData& input);

// The start, middle and end of each zone from the zones' limits: angles 0,
// 1 and 2 are limit 0, the mean of limits 0 and 1, and limit 1; angles 3, 4
// and 5 come from limits 2 and 3, and so on to angle 11, limit 7. Each
// middle is a 32-bit float.
std::array<float, 12> BuildWedgeAngles(const std::array<float, 8>& limits);

// The history lines of a calculation, in the current language, in order:
// the radius error when not computed; otherwise one line for compression
// and one for tension, each only when that mode fails all round or nowhere
// ("Complete failure in compression", "There is no region that fails in
// compression", "Complete failure in tension", "There is no region that
// fails in tension"). A partial failure adds no line.
QStringList FailureZoneHistory(const FailureZones& zones);

// "Error: The opening radius is <= 0" in the current language.
QString CircFailRadiusError();

// ---------------------------------------------------------------------------
// The picture (pixels of the drawing box, origin top left, y downward).

inline constexpr QPoint kZoneCentre{225, 190};
inline constexpr int kZoneDiscRadius = 150;
inline constexpr QRect kZoneDisc{75, 40, 300, 300};  // the disc's bounding box
inline constexpr int kZoneFarDistance = 900;         // far points of the wedges
inline constexpr int kZoneAxisHalfLength = 180;      // principal lines each side
inline constexpr QPoint kZoneTitleAt{110, 10};
inline constexpr QRect kZoneCompressionLegendBox{30, 370, 50, 20};
inline constexpr QRect kZoneTensionLegendBox{30, 400, 50, 20};
inline constexpr QPoint kZoneCompressionLegendAt{80, 370};
inline constexpr QPoint kZoneTensionLegendAt{80, 400};
inline constexpr const char* kZoneTitle = "Stresses around circular opening";

// Compression wedges are hatched blue, tension wedges red (diagonal cross).
enum class ZoneKind { Compression, Tension };

// One hatched wedge: the triangle from the centre to the far points at From
// and To degrees, intersected with the disc. Each spans at most 90 degrees.
struct ZoneWedge {
  ZoneKind Kind = ZoneKind::Compression;
  float From = 0.0f;
  float To = 0.0f;
};

// The wedges to draw, compression before tension: each failing zone split
// at its middle angle. In the zones' wedge angles, (0, 1), (1, 2), (3, 4),
// (4, 5) when compression fails partly or all round, (6, 7), (7, 8),
// (9, 10), (10, 11) when tension does.
std::vector<ZoneWedge> ZoneWedges(const FailureZones& zones);

// The point at `distance` pixels from the centre in the direction of
// `angle` degrees (anticlockwise on the screen), each coordinate taken to
// the nearest integer with halves to even.
QPoint ZonePoint(float angle, int distance);

// The triangle of a wedge: the centre and the far points at From and To.
QPolygon WedgeTriangle(const ZoneWedge& wedge);

// The two ends of the principal line in the direction theta (degrees):
// kZoneAxisHalfLength pixels from the centre on each side.
std::array<QPoint, 2> PrincipalAxisEnds(float theta);

// The legend texts beside the blue and the red box (English in both
// languages): " - Failure in Compression", " - All boundary failing in
// compression", " - There is no failure in Compression"; " - Failure in
// Tension", " - All boundary failing in tension", " - There is no failure
// in Tension". Empty while undecided.
QString CompressionLegend(FailureState state);
QString TensionLegend(FailureState state);

// ---------------------------------------------------------------------------
// Validation at OK.

// The inputs in the order they are checked, as a failed check names the one
// it refuses: each box by its reading rule (CircFailReadsWholeEntry), then
// by its value rule (CircFailValueRule); once every input has passed, the
// check across them (CircFailDistanceCheck).
enum class CircFailField { Sx, Sy, Txy, Radius, Pressure, Co, To, Distance };

// The eleven checks in the order they run; the first failing one stops
// validation. A box whose number lies beyond the 32-bit range fails the
// first check made on it.
enum class CircFailCheck {
  None = 0,
  Sx = 1,                      // sx not a number
  Sy = 2,                      // sy
  Txy = 3,                     // txy
  Radius = 4,                  // a
  RadiusNotPositive = 5,       // a <= 0
  NegativePressure = 6,        // p < 0
  Co = 7,                      // Co not a number
  NegativeCo = 8,              // Co < 0
  NegativeTo = 9,              // To < 0
  DistanceNotPositive = 10,    // r <= 0
  DistanceInsideOpening = 11,  // a > r (r = a passes)
};

// How the box of an input is read: true for the whole entry (a numeric text,
// within the 32-bit range: sx, sy, txy, a, Co), false for its leading number
// (only a number beyond the 32-bit range is refused: p, To, r).
bool CircFailReadsWholeEntry(CircFailField field);

// The message refusing the text of an input's box. Where one check covers
// both the text and the value (p, To, r) it is the message of the value
// rule.
InputMessage CircFailTextMessage(CircFailField field);

// The value rule of an input: a > 0, p >= 0, Co >= 0, To >= 0, r > 0, each
// refused with the message of its check; none for sx, sy, txy.
ValueRule CircFailValueRule(CircFailField field);

// The check across the inputs, once each has passed: DistanceInsideOpening
// when the radius a reaches beyond the distance r (r = a passes), else None.
CircFailCheck CircFailDistanceCheck(float a, float r);

// The message of a failed check; the box of `Field` gets the focus and has
// its text selected.
struct CircFailCheckMessage {
  CircFailField Field;
  InputMessage Message;
};

// The message of a failed check (not of None).
const CircFailCheckMessage& CircFailCheckMessageOf(CircFailCheck check);

}  // namespace brantel
