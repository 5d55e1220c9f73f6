#pragma once

#include "core/UnitSystem.h"

#include <QString>
#include <QStringList>

#include <array>

namespace brantel {

// The graph buffer: up to three curves of up to 101 points that a tool fills
// and the graph window draws, and the graph-format settings.

inline constexpr int kGraphCurves = 3;
inline constexpr int kGraphPointBound = 100;  // points 0..100

// GraphCurveData[curve][point][0] is x, [1] is y.
extern std::array<std::array<std::array<float, 2>, kGraphPointBound + 1>, kGraphCurves> GraphCurveData;
extern int GraphLastPoint;  // index of the last filled point; -1 when there is none
extern std::array<QString, kGraphCurves> CurveNames;
extern int CurveCount;
extern std::array<qint32, 6> CurveColours;  // 24-bit colours, red in the low byte
extern int GraphIndex;                      // index of the current graph in the title arrays

// The grid lines a chart draws: horizontal ones (on the Y axis), vertical
// ones (on the X axis) or both.
enum class GridLines { None = 0, Horizontal = 1, Vertical = 2, Both = 3 };
// What the curves are drawn with.
enum class CurveStyle { Lines = 1, Symbols = 2, LinesAndSymbols = 3 };

struct GraphFormat {
  GridLines GridStyle = GridLines::None;
  CurveStyle GraphStyle = CurveStyle::LinesAndSymbols;
  bool CurveLegend = true;  // the legend shown
  int SymbolSize = 5;
  QString GraphTitle;
  QStringList XTitles;  // 0..GraphIndex
  QStringList YTitles;  // 0..0
};

extern GraphFormat GraphDefaults;
extern GraphFormat GraphSettings;
extern UnitSystem GraphUnits;    // unit system when the settings were last reset
extern bool GraphSettingsValid;  // the last used parameters, not the defaults

// Curve colours, the title arrays (emptied) and the curve count.
void InitGraphDefaults();

// Start-up's part: GraphIndex 0, InitGraphDefaults, the buffer, the curve
// names, the default block and GraphSettingsValid false.
void SetUpGraphBuffer();

// Copies the default block into the current block; GraphUnits = InputUnits.
void ResetGraphSettings();

// What the grid and graph styles show.
inline bool GridOnY(GridLines grid) { return grid == GridLines::Horizontal || grid == GridLines::Both; }
inline bool GridOnX(GridLines grid) { return grid == GridLines::Vertical || grid == GridLines::Both; }
inline GridLines GridStyleOf(bool onY, bool onX) {
  if (onY) return onX ? GridLines::Both : GridLines::Horizontal;
  return onX ? GridLines::Vertical : GridLines::None;
}
inline bool StyleHasLines(CurveStyle style) {
  return style == CurveStyle::Lines || style == CurveStyle::LinesAndSymbols;
}
inline bool StyleHasSymbols(CurveStyle style) {
  return style == CurveStyle::Symbols || style == CurveStyle::LinesAndSymbols;
}

// The colour of a platform colour number (red in the low byte) as r, g, b.
inline int ColourRed(qint32 c) { return c & 0xFF; }
inline int ColourGreen(qint32 c) { return (c >> 8) & 0xFF; }
inline int ColourBlue(qint32 c) { return (c >> 16) & 0xFF; }
inline constexpr qint32 ColourRGB(int r, int g, int b) { return r | (g << 8) | (b << 16); }

}  // namespace brantel
