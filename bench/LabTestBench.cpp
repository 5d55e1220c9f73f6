// The uniaxial test tool with its 20 rows and the stress-strain chart shown,
// as the user drives it, against a whole repaint of the same window (grid
// and chart included) in the same run: one entry into a cell of the grid,
// and one keystroke in the height and in the diameter box, each from the
// change to the test evaluated again, the grid, the results and the chart
// painted.

#include "BenchHelpers.h"
#include "core/project/ProjectRecord.h"
#include "platform/CommonDialogs.h"
#include "tools/elasticity/LabTest.h"
#include "tools/elasticity/LabTestDialog.h"
#include "tools/elasticity/StressStrainChart.h"

#include <QCheckBox>

namespace {

using namespace brantel;

// Twenty load steps of a Force/Strain test on a 54 mm by 108 mm specimen,
// rising to a peak at row 15 and falling after it.
void StoreTwentyRows() {
  bench::QuietSettings();
  Project = ProjectRecord{};
  Project.LabHeight = 108;
  Project.LabDiameter = 54;
  Project.LabDataType = LabDataKind::ForceStrain;
  Project.LabPointCount = 20;
  for (int r = 0; r < 20; ++r) {
    const float ey = 0.25f * r;
    const float force = r <= 15 ? 15.0f * r : 225.0f - 20.0f * (r - 15);
    Project.LabPoints[r] = {force, 0, 0.3f * ey, ey, 0};
  }
}

struct OpenLab {
  LabTestDialog dialog;
  QWidget* chart = nullptr;

  explicit OpenLab(benchmark::State& state) {
    dialog.Layout().Require<QCheckBox>(labtest::kShowChart)->setChecked(true);
    bench::ShowOnScreen(dialog, state);
    chart = bench::ChartViewport(dialog.Layout().Require<StressStrainChart>(labtest::kChart));
  }
};

void BM_CellEditWithChart(benchmark::State& state) {
  StoreTwentyRows();
  bool flip = false;
  platform::SetInputBoxHandler([&flip](const QString&, const QString&, const QString&) {
    return flip ? QStringLiteral("140") : QStringLiteral("141");
  });
  {
    OpenLab lab(state);
    bench::Run(state, {bench::WholeWindows({&lab.dialog}),
                       {lab.chart},
                       [&](int) {
                         flip = !flip;
                         lab.dialog.EditCell(10, labcol::kForce);
                       },
                       {}});
    lab.dialog.close();
  }
  platform::SetInputBoxHandler({});
}
BENCHMARK(BM_CellEditWithChart)->Unit(benchmark::kMicrosecond);

// The height changes the displacements of every row; the curve stays.
void BM_HeightKeystroke(benchmark::State& state) {
  StoreTwentyRows();
  OpenLab lab(state);
  bench::KeystrokesAgainstRepaint(state, lab.dialog, lab.dialog.Layout().Require<QLineEdit>(labtest::kHeight),
                                  QStringLiteral("1081"), QStringLiteral("108"));
  lab.dialog.close();
}
BENCHMARK(BM_HeightKeystroke)->Unit(benchmark::kMicrosecond);

// The diameter changes the stress of every row, and so the curve.
void BM_DiameterKeystroke(benchmark::State& state) {
  StoreTwentyRows();
  OpenLab lab(state);
  bench::KeystrokesAgainstRepaint(state, lab.dialog, lab.dialog.Layout().Require<QLineEdit>(labtest::kDiameter),
                                  QStringLiteral("541"), QStringLiteral("54"), {lab.chart});
  lab.dialog.close();
}
BENCHMARK(BM_DiameterKeystroke)->Unit(benchmark::kMicrosecond);

}  // namespace
