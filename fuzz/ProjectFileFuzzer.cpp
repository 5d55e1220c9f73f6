// Fuzz target of the project-file reader. Whatever the bytes, reading must
// not crash, must leave the record alone unless the file was read whole, and
// a record that was read must write and read back to the same file.

#include "FuzzCheck.h"
#include "core/Globals.h"
#include "core/Settings.h"
#include "core/project/ProjectFile.h"
#include "core/project/ProjectRecord.h"

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>

const char* const brantel::fuzz::kTargetName = "project file fuzzer";

namespace {

using namespace brantel;

using fuzz::Check;

void SetUpOnce() {
  static bool done = false;
  if (done) return;
  done = true;
  for (int k = 0; k < kProjectSignatureCount; ++k)
    ProjectSignatures[static_cast<std::size_t>(k)] = QStringLiteral("BRANTEL_%1").arg(100 + k);
  AppTitle = QStringLiteral("Brantel");
  EnglishMenus = 1;
  DefaultUnits = 1;
  DisplayHistoryWin = 0;  // no history: it would only grow
}

// A project in memory with a value in many fields.
ProjectRecord Current() {
  ProjectRecord r;
  ResetProjectRecord(r, true, true);
  r.ProjectTitle = QStringLiteral("current");
  r.ProjectDescription = QStringLiteral("kept\r\n");
  r.Stress2D.Sx = 7.5f;
  r.LabPointCount = 2;
  r.LabPoints[1][4] = -3.25f;
  r.PlaneElasticity.Gxy = 0.1;
  r.FileSaved = kFlagFalse;
  return r;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  SetUpOnce();
  const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  const QString path = QStringLiteral("fuzz.BNL");

  ProjectRecord record = Current();
  const QByteArray before = ProjectFileBytes(record);
  const ProjectReadResult result = ReadProjectBytes(bytes, path, record);
  if (!result.read) {
    Check(!result.message.isEmpty(), "a failure without a message");
    Check(ProjectFileBytes(record) == before && record.FileSaved == kFlagFalse &&
              record.ProjectPath == QStringLiteral("Untitled"),
          "a failed read changed the record");
    return 0;
  }
  Check(record.InputUnits == 0 || record.InputUnits == 1, "units outside 0..1");
  Check(record.LabPointCount >= 0 && record.LabPointCount <= kLabMaxPoints, "point count outside 0..20");
  Check(record.FileVersion >= 50 && record.FileVersion <= 60, "version outside 50..60");

  // Written and read back, the record gives the same file again.
  const QByteArray written = ProjectFileBytes(record);
  ProjectRecord again;
  const ProjectReadResult reread = ReadProjectBytes(written, path, again);
  Check(reread.read, "a written file does not read back");
  Check(ProjectFileBytes(again) == written, "a written file reads back differently");
  return 0;
}
