#pragma once

#include "core/project/ProjectRecord.h"
#include "support/TestEnvironment.h"

#include <QByteArray>
#include <QString>

#include <string>
#include <utility>
#include <vector>

namespace brantel::test {

// Every value line of the project file, by field name, as raw bits (so that
// -0 and 0 differ); the laboratory points give all 20 rows.
using FieldValues = std::vector<std::pair<std::string, quint64>>;
FieldValues FileFields(const ProjectRecord& record);

// The fields that differ between two records ("" when none), the header's
// title, description and units included.
std::string Differences(const ProjectRecord& expected, const ProjectRecord& actual);

// A record with a distinct value in every field of the project file, the one
// that data/filled-v59.BNL holds. Fields outside the file keep their zeros.
ProjectRecord FilledRecord();

// The description as it reads back from data/filled-v59.BNL.
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
