// One entry into a cell of the uniaxial test tool's grid with the
// stress-strain chart shown, 20 rows: from the entry to the results, the
// grid and the chart painted. The baseline is a full repaint of the same
// window, measured in the same run.

#include "BenchHelpers.h"
#include "core/project/ProjectRecord.h"
#include "platform/CommonDialogs.h"
#include "tools/elasticity/LabTest.h"
#include "tools/elasticity/LabTestDialog.h"

#include <QAbstractScrollArea>
#include <QCheckBox>
#include <QCoreApplication>
#include <QEvent>

#include <benchmark/benchmark.h>

namespace {

using namespace brantel;

// Counts the paints of a widget.
class PaintCounter : public QObject {
 public:
  int paints = 0;
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++paints;
    return false;
  }
};

// Twenty load steps of a Force/Strain test on a 54 mm by 108 mm specimen,
// rising to a peak at row 15 and falling after it.
void StoreTwentyRows() {
  Project = ProjectRecord{};
  Project.LabHeight = 108;
  Project.LabDiameter = 54;
  Project.LabDataType = kLabForceStrain;
  Project.LabPointCount = 20;
  for (int r = 0; r < 20; ++r) {
    const float ey = 0.25f * r;
    const float force = r <= 15 ? 15.0f * r : 225.0f - 20.0f * (r - 15);
    Project.LabPoints[r] = {force, 0, 0.3f * ey, ey, 0};
  }
}

// Runs the posted work of an edit: the chart's scene updates, then the
// paints of every widget that changed.
void PaintPending() {
  for (int i = 0; i < 3; ++i) QCoreApplication::sendPostedEvents();
}

struct OpenLab {
  frmLab dialog;
  QWidget* chartArea = nullptr;

  OpenLab(benchmark::State& state) {
    dialog.Layout().Require<QCheckBox>(u"chkPlot")->setChecked(true);
    bench::ShowOnScreen(dialog, state);
    PaintPending();
    for (auto* view : dialog.findChildren<QAbstractScrollArea*>()) {
      if (QString::fromLatin1(view->metaObject()->className()).contains(QStringLiteral("ChartView"))) {
        chartArea = view->viewport();
      }
    }
    if (!chartArea) state.SkipWithError("no chart");
  }
};

void BM_CellEditWithChart(benchmark::State& state) {
  bench::QuietSettings();
  StoreTwentyRows();
  bool flip = false;
  platform::SetInputBoxHandler([&flip](const QString&, const QString&, const QString&) {
    return flip ? QStringLiteral("140") : QStringLiteral("141");
  });
  {
    OpenLab lab(state);
    PaintCounter counter;
    lab.chartArea->installEventFilter(&counter);
    for (auto _ : state) {
      flip = !flip;
      lab.dialog.fLx1_EditCell(10, labcol::kForce);
      PaintPending();
    }
    state.counters["chart_paints_per_edit"] =
        benchmark::Counter(counter.paints, benchmark::Counter::kAvgIterations);
    lab.chartArea->removeEventFilter(&counter);
    lab.dialog.close();
  }
  platform::SetInputBoxHandler({});
}
BENCHMARK(BM_CellEditWithChart)->Unit(benchmark::kMicrosecond);

void BM_FullRepaint(benchmark::State& state) {
  bench::QuietSettings();
  StoreTwentyRows();
  OpenLab lab(state);
  for (auto _ : state) lab.dialog.repaint();
  lab.dialog.close();
}
BENCHMARK(BM_FullRepaint)->Unit(benchmark::kMicrosecond);

}  // namespace
