#include "core/graph/GraphBuffer.h"

#include "core/project/ProjectRecord.h"

namespace brantel {

std::array<std::array<std::array<float, 2>, kGraphPointBound + 1>, kGraphCurves> GraphCurveData{};
int GraphLastPoint = 0;
std::array<QString, kGraphCurves> CurveNames;
int CurveCount = 3;
std::array<qint32, 6> CurveColours{};
int GraphIndex = 0;
GraphFormat GraphDefaults;
GraphFormat GraphSettings;
UnitSystem GraphUnits = UnitSystem::Imperial;
bool GraphSettingsValid = false;

void InitGraphDefaults() {
  CurveColours = {ColourRGB(0, 0, 255), ColourRGB(205, 92, 92), ColourRGB(0, 0, 0),
                  ColourRGB(0, 100, 0), ColourRGB(255, 165, 0), ColourRGB(238, 130, 238)};
  const int titles = GraphIndex + 1;
  GraphSettings.XTitles = QStringList(titles, QString());
  GraphDefaults.XTitles = QStringList(titles, QString());
  GraphSettings.YTitles = QStringList(1, QString());
  GraphDefaults.YTitles = QStringList(1, QString());
  CurveCount = 3;
}

void SetUpGraphBuffer() {
  GraphIndex = 0;
  InitGraphDefaults();
  GraphCurveData = {};
  GraphLastPoint = 0;
  CurveNames = {QStringLiteral("sRadial"), QStringLiteral("sTangent"), QStringLiteral("sShear")};
  GraphDefaults.GridStyle = GridLines::None;
  GraphDefaults.GraphStyle = CurveStyle::LinesAndSymbols;
  GraphDefaults.CurveLegend = true;
  GraphDefaults.SymbolSize = 5;
  GraphDefaults.GraphTitle = QStringLiteral("Stress Distribution Around a Circular Opening");
  GraphDefaults.XTitles[0] = QStringLiteral("Distance from the center");
  GraphDefaults.YTitles[0] = QStringLiteral("Stress ratio");
  GraphSettingsValid = false;
}

void ResetGraphSettings() {
  // The title arrays hold 0..GraphIndex and 0..0 once start-up has run;
  // before that they are made to.
  const int titles = GraphIndex + 1;
  for (GraphFormat* block : {&GraphDefaults, &GraphSettings}) {
    while (block->XTitles.size() < titles) block->XTitles.append(QString());
    if (block->YTitles.isEmpty()) block->YTitles.append(QString());
  }
  for (int i = 0; i < titles; ++i) GraphSettings.XTitles[i] = GraphDefaults.XTitles[i];
  GraphSettings.YTitles[0] = GraphDefaults.YTitles[0];
  GraphSettings.GraphTitle = GraphDefaults.GraphTitle;
  GraphSettings.GridStyle = GraphDefaults.GridStyle;
  GraphSettings.GraphStyle = GraphDefaults.GraphStyle;
  GraphSettings.CurveLegend = GraphDefaults.CurveLegend;
  GraphSettings.SymbolSize = GraphDefaults.SymbolSize;
  GraphUnits = Project.InputUnits;
}

}  // namespace brantel
