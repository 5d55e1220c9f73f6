#pragma once

namespace brantel {

class GraphChart;

// The graph buffer on a chart, shared by the graph window and by any other
// chart that shows the same curves.

// Axes, axis titles, grids and (with withHeader) the header from the current
// graph settings; CurveCount becomes 3. The settings are used as they stand:
// resetting them first is the caller's business.
void SetUpGraphChart(GraphChart& chart, bool withHeader);

// Loads the curves of the graph buffer, points 0..GraphLastPoint, into the
// chart with the current graph style, symbol size and legend.
void DrawGraphBuffer(GraphChart& chart);

// The current settings applied to a chart that already holds its curves:
// symbol size, titles, grids, legend, and symbols and lines by the graph
// style. Line colours and widths stay as they are.
void ApplyGraphSettings(GraphChart& chart);

}  // namespace brantel
