#pragma once

#include "core/project/ProjectRecord.h"
#include "support/TestEnvironment.h"

#include <QByteArray>
#include <QString>

#include <string>
#include <utility>
#include <vector>

namespace brantel::test {

// One value line of the project file: the field's name, its value as raw
// bits (so that -0 and 0 differ), which the comparisons use, and as a number
// for messages.
struct FieldValue {
  std::string name;
  quint64 bits = 0;
  std::string number;
};
// Every value line of the project file, in file order; the laboratory points
// give all 20 rows.
using FieldValues = std::vector<FieldValue>;
FieldValues FileFields(const ProjectRecord& record);

// The fields that differ between two records ("" when none), the header's
// title, description and units included: a line each, the field's name, then
// the expected value and the actual one.
std::string Differences(const ProjectRecord& expected, const ProjectRecord& actual);

// One row of the project file as VisitFileRows walks it: the field's name,
// the version that added it (projectfile::kAllVersions: every version) and
// the lines it takes in the file of a record.
struct FileRow {
  std::string name;
  int from = 0;
  int lines = 1;
};
std::vector<FileRow> FileRowsOf(const ProjectRecord& record);

// The laboratory points of FilledRecord: a few, so that the rows beyond the
// count are not in its file.
inline constexpr int kFilledLabPoints = 3;

// A record with a distinct value in every field of the project file, none a
// new project's default, the one that the golden files data/filled-v<N>.BNL
// hold. A field's value follows from the version that added its row and the
// row's place among the rows of that version, which never change once that
// version has been written: a later version's rows, or a field's new name,
// leave every value as it was. Fields outside the file keep their zeros.
ProjectRecord FilledRecord();

// The description as it reads back from the golden files.
QString FilledDescriptionAsRead();

// The file fields of a new project, taken from the defaults table by hand.
ProjectRecord NewProjectDefaults();

// The path of a file below tests/core/project/data.
QString DataFile(const char* name);

// Fills the project-file signatures as start-up does.
void FillProjectSignatures();

// A test with the signatures filled and new projects in SI units.
class ProjectTest : public CoreTest {
 protected:
  void SetUp() override;
};

}  // namespace brantel::test
