// Fuzz target of the project-file reader. Whatever the bytes, reading must
// not crash, must leave the record alone unless the file was read whole, and
// every project read must write a file that the program opens again: within
// the size limit (or refused by Save for its size), read back to the same
// project as Save leaves in memory, and written again to the same bytes.

#include "FuzzCheck.h"
#include "core/Globals.h"
#include "core/Settings.h"
#include "core/project/ProjectFile.h"
#include "core/project/ProjectFileRows.h"
#include "core/project/ProjectRecord.h"

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

const char* const brantel::fuzz::kTargetName = "project file fuzzer";

namespace {

using namespace brantel;

using fuzz::Check;

void SetUpOnce() {
  static bool done = false;
  if (done) return;
  done = true;
  SetProjectSignatures();
  AppTitle = QStringLiteral("Brantel");
  EnglishMenus = true;
  NewProjectUnits = UnitSystem::SI;
  HistoryShown = false;  // no history: it would only grow
}

// A project in memory with a value in many fields.
ProjectRecord Current() {
  ProjectRecord r;
  ResetProjectRecord(r);
  r.ProjectTitle = QStringLiteral("current");
  r.ProjectDescription = QStringLiteral("kept\r\n");
  r.Stress2D.Sx = 7.5f;
  r.LabPointCount = 2;
  r.LabPoints[1][4] = -3.25f;
  r.PlaneElasticity.Gxy = 0.1;
  r.FileSaved = false;
  return r;
}

// Every value of the file's rows as raw bits, in file order (so that -0
// and 0 differ); the laboratory points as many rows as the count says.
struct BitsOf {
  std::vector<std::uint64_t> bits;
  void Put(std::uint64_t b) { bits.push_back(b); }
  template <projectfile::RowInteger T>
  void Int(const projectfile::FieldName&, const T& f, int, T) {
    Put(static_cast<std::uint16_t>(projectfile::StoredInt(f)));
  }
  template <projectfile::RowInteger T>
  void NumInt(const projectfile::FieldName&, const T& f, int, T) {
    Put(static_cast<std::uint16_t>(projectfile::StoredInt(f)));
  }
  void Flag(const projectfile::FieldName&, const bool& f, projectfile::FlagForm, int, bool) { Put(f ? 1 : 0); }
  void Num(const projectfile::FieldName&, const float& f, int, float) { Single(f); }
  void Print(const projectfile::FieldName&, const float& f, int, float) { Single(f); }
  void Num64(const projectfile::FieldName&, const double& f, int, double) {
    std::uint64_t b;
    std::memcpy(&b, &f, sizeof b);
    Put(b);
  }
  void Count(const projectfile::FieldName&, const int& f, int, int, int) { Put(static_cast<std::uint16_t>(f)); }
  void Rows(const projectfile::FieldName&, const LabPointRows& rows, int count, int) {
    for (int r = 0; r < count; ++r)
      for (float v : rows[static_cast<std::size_t>(r)]) Single(v);
  }
  void Single(float f) {
    std::uint32_t b;
    std::memcpy(&b, &f, sizeof b);
    Put(b);
  }
};

std::vector<std::uint64_t> RowBits(const ProjectRecord& r) {
  BitsOf v;
  projectfile::VisitFileRows(r, v);
  return v.bits;
}

// The description as the file holds it, whatever the line ends around it.
QString Wrapped(QString description) {
  WrapDescription(description);
  return description;
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
    Check(ProjectFileBytes(record) == before && !record.FileSaved && record.ProjectPath == QStringLiteral("Untitled"),
          "a failed read changed the record");
    return 0;
  }
  Check(record.InputUnits == UnitSystem::Imperial || record.InputUnits == UnitSystem::SI, "units outside 0..1");
  Check(record.LabPointCount >= 0 && record.LabPointCount <= kLabMaxPoints, "point count outside 0..20");
  Check(record.FileVersion >= 50 && record.FileVersion <= 60, "version outside 50..60");

  // Written, the project fits a project file, or Save refuses it for its
  // size: the program never writes a file that it will not open.
  const QByteArray written = ProjectFileBytes(record);
  if (written.size() > kMaxProjectFileBytes) {
    Check(RefuseOversizeProjectFile(path, written.size()).has_value(), "a file too large to open is written");
    return 0;
  }
  Check(!RefuseOversizeProjectFile(path, written.size()), "a file of a project's size is refused");

  // Read back, it is the project as Save leaves it in memory (the
  // description wrapped as the file holds it), and it writes the same file.
  ProjectRecord again;
  const ProjectReadResult reread = ReadProjectBytes(written, path, again);
  Check(reread.read, "a written file does not read back");
  Check(again.InputUnits == record.InputUnits, "the units change through the file");
  Check(again.ProjectTitle == record.ProjectTitle, "the title changes through the file");
  Check(Wrapped(again.ProjectDescription) == Wrapped(record.ProjectDescription),
        "the description changes through the file");
  Check(RowBits(again) == RowBits(record), "a value changes through the file");
  Check(ProjectFileBytes(again) == written, "a written file reads back differently");
  return 0;
}
