#pragma once

#include "core/Globals.h"
#include "core/Settings.h"
#include "core/commands/Commands.h"
#include "core/commands/ToolRegistry.h"
#include "core/project/ProjectRecord.h"
#include "support/DialogTest.h"
#include "support/Renders.h"
#include "tools/failure/FailurePlot.h"

#include <QString>

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <utility>
#include <vector>

namespace brantel::test {

// A principal-plane criterion's dialog on a fresh project record (the
// plot switch off by the settings, nothing to save yet).
template <typename ToolDialog>
class CriterionDialogTest : public DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    EnableMohrCircles = false;
    ResetProjectRecord(Project);
    Project.FileSaved = true;
  }
  ToolDialog& Open() { return DialogTest::Open<ToolDialog>(); }
  ToolDialog& Dialog() const { return static_cast<ToolDialog&>(Current()); }
};

// The items a plot drew in a colour (whatever its alpha) and of a type.
inline std::vector<PlotItem> ItemsOf(const FailurePlot& plot, QRgb colour, PlotItem::Type type) {
  std::vector<PlotItem> found;
  for (const PlotItem& item : plot.Items())
    if (item.colour.rgb() == (colour | 0xff000000u) && item.type == type) found.push_back(item);
  return found;
}

// The straight pieces a plot drew in a colour: its lines, and the pieces of
// its polylines and sets of lines, in the order drawn.
inline std::vector<QLineF> SegmentsOf(const StressPlot& plot, QRgb colour) {
  std::vector<QLineF> found;
  for (const PlotItem& item : plot.Items()) {
    if (item.colour.rgb() != (colour | 0xff000000u)) continue;
    const std::vector<QLineF> pieces = item.Segments();
    found.insert(found.end(), pieces.begin(), pieces.end());
  }
  return found;
}

// Each box (by its design name) shows the text given, as a help page quotes
// it; `text` reads a box of the dialog under test.
using ShownTexts = std::initializer_list<std::pair<QAnyStringView, const char*>>;
inline void ExpectShown(const std::function<QString(QAnyStringView)>& text, ShownTexts shown) {
  for (const auto& [box, expected] : shown)
    EXPECT_EQ(text(box), QString::fromUtf8(expected)) << box.toString().toStdString();
}

}  // namespace brantel::test
