// Opening and saving a full project: every tool's fields, 20 laboratory
// points and a description of 40 lines.

#include "core/Globals.h"
#include "core/Settings.h"
#include "core/project/ProjectFile.h"
#include "core/project/ProjectRecord.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

using namespace brantel;

struct FullProject {
  FullProject() {
    SetProjectSignatures();
    HistoryShown = false;  // keep the history out of the measurement
    NewProjectUnits = UnitSystem::SI;
    ResetProjectRecord(record);
    record.ProjectTitle = QStringLiteral("Tunnel T1, chainage 1+250 to 1+900");
    for (int i = 0; i < 40; ++i)
      record.ProjectDescription += QStringLiteral(
                                       "Line %1 of the ground report: borehole BH-%1, RQD 65%, "
                                       "Σήραγγα\r\n")
                                       .arg(i + 1);
    record.LabPointCount = kLabMaxPoints;
    for (int r = 0; r < kLabMaxPoints; ++r)
      for (int c = 0; c < kLabColumns; ++c) record.LabPoints[r][c] = 1.0f / static_cast<float>(3 + r * 5 + c);
    record.Stress2D = {12.5f, -3.75f, 1.0f / 7.0f, StressGraph::MohrCircle};
    for (int i = 0; i < 3; ++i)
      for (int j = 0; j < 3; ++j) {
        record.Stress3D.Tensor[i][j] = static_cast<float>(i + 1) / static_cast<float>(j + 7);
        record.TransformInputs.Cosines[i][j] = 0.1f * static_cast<float>(i + j);
        record.Hooke3DInputs.Stress[i][j] = 100.0f + static_cast<float>(i * 3 + j);
      }
    record.PlaneElasticity.Gxy = 0.1 + 0.2;
    path = dir.path() + QStringLiteral("/project.BNL");
    WriteProjectFile(path, record);
  }
  QTemporaryDir dir;
  QString path;
  ProjectRecord record;
};

void BM_OpenProject(benchmark::State& state) {
  FullProject project;
  ProjectRecord record;
  for (auto _ : state) {
    const ProjectReadResult result = ReadProjectFile(project.path, record);
    if (!result.read) state.SkipWithError("the project did not read");
    benchmark::DoNotOptimize(record.LabPoints);
  }
}
BENCHMARK(BM_OpenProject)->Unit(benchmark::kMicrosecond);

void BM_SaveProject(benchmark::State& state) {
  FullProject project;
  for (auto _ : state) {
    if (WriteProjectFile(project.path, project.record)) state.SkipWithError("the project did not save");
  }
}
BENCHMARK(BM_SaveProject)->Unit(benchmark::kMicrosecond);

void BM_ParseProjectBytes(benchmark::State& state) {
  FullProject project;
  const QByteArray bytes = ProjectFileBytes(project.record);
  ProjectRecord record;
  for (auto _ : state) {
    benchmark::DoNotOptimize(ReadProjectBytes(bytes, project.path, record).read);
  }
}
BENCHMARK(BM_ParseProjectBytes)->Unit(benchmark::kMicrosecond);

void BM_FormatProjectBytes(benchmark::State& state) {
  FullProject project;
  for (auto _ : state) {
    benchmark::DoNotOptimize(ProjectFileBytes(project.record));
  }
}
BENCHMARK(BM_FormatProjectBytes)->Unit(benchmark::kMicrosecond);

}  // namespace
