#include "graph/GraphDrawing.h"

#include "core/graph/GraphBuffer.h"
#include "graph/GraphChart.h"

#include <algorithm>

namespace brantel {
namespace {

QColor CurveColour(int curve) {
  const qint32 c = CurveColours[static_cast<std::size_t>(std::clamp(curve - 1, 0, 5))];
  return QColor(ColourRed(c), ColourGreen(c), ColourBlue(c));
}

void SetGrids(GraphChart& chart) {
  chart.SetGrid(GraphChart::Axis::Y, GridOnY(GraphSettings.GridStyle));
  chart.SetGrid(GraphChart::Axis::X, GridOnX(GraphSettings.GridStyle));
}

// Legend labels: the curve names without surrounding blanks, or none at all.
void SetLegend(GraphChart& chart, int curves) {
  if (!GraphSettings.CurveLegend) {
    chart.ClearSeriesLabels();
    return;
  }
  for (int s = 1; s <= curves; ++s) {
    const QString name = s <= kGraphCurves ? CurveNames[static_cast<std::size_t>(s - 1)] : QString();
    chart.SetSeriesLabel(s, name.trimmed());
  }
}

QString FirstTitle(const QStringList& titles) { return titles.isEmpty() ? QString() : titles.first(); }

}  // namespace

void SetUpGraphChart(GraphChart& chart, bool withHeader) {
  for (GraphChart::Axis axis : {GraphChart::Axis::X, GraphChart::Axis::Y}) {
    chart.SetAxisLineWidth(axis, 2);
    chart.SetAxisFontSize(axis, 10);
  }
  chart.SetAxisTitle(GraphChart::Axis::X, FirstTitle(GraphSettings.XTitles));
  chart.SetAxisTitle(GraphChart::Axis::Y, FirstTitle(GraphSettings.YTitles));
  SetGrids(chart);
  if (withHeader) {
    chart.SetHeader(GraphSettings.GraphTitle);
    chart.SetHeaderFontSize(15);
  }
  CurveCount = 3;
}

void DrawGraphBuffer(GraphChart& chart) {
  chart.SetRepainting(false);
  // The buffer holds three curves of points 0..100; nothing beyond is read.
  const int curves = std::clamp<int>(CurveCount, 0, kGraphCurves);
  const int last = std::clamp<int>(GraphLastPoint, -1, kGraphPointBound);
  chart.SetCurveCount(curves);
  for (int s = 1; s <= curves; ++s) {
    chart.SetPointCount(s, last + 1);
    const auto& curve = GraphCurveData[static_cast<std::size_t>(s - 1)];
    for (int p = 0; p <= last; ++p) {
      const auto& point = curve[static_cast<std::size_t>(p)];
      chart.SetPoint(s, p + 1, static_cast<double>(point[0]), static_cast<double>(point[1]));
    }
    chart.SetSymbolSize(s, GraphSettings.SymbolSize);
    chart.SetSymbolColour(s, CurveColour(s));
    chart.SetLineShown(s, StyleHasLines(GraphSettings.GraphStyle));
    chart.SetLineColour(s, CurveColour(s));
    chart.SetLineWidth(s, 3);
    chart.SetSymbolShown(s, StyleHasSymbols(GraphSettings.GraphStyle));
  }
  SetLegend(chart, curves);
  chart.SetRepainting(true);
}

void ApplyGraphSettings(GraphChart& chart) {
  chart.SetRepainting(false);
  chart.SetSymbolSize(1, GraphSettings.SymbolSize);
  chart.SetHeader(GraphSettings.GraphTitle);
  chart.SetAxisTitle(GraphChart::Axis::X, FirstTitle(GraphSettings.XTitles));
  chart.SetAxisTitle(GraphChart::Axis::Y, FirstTitle(GraphSettings.YTitles));
  SetGrids(chart);
  SetLegend(chart, CurveCount);
  for (int k = 1; k <= CurveCount; ++k) {
    chart.SetSymbolSize(k, GraphSettings.SymbolSize);
    chart.SetSymbolColour(k, CurveColour(k));
    chart.SetLineShown(k, StyleHasLines(GraphSettings.GraphStyle));
    chart.SetSymbolShown(k, StyleHasSymbols(GraphSettings.GraphStyle));
  }
  chart.SetRepainting(true);
}

}  // namespace brantel
