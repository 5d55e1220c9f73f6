#include "ProjectTestSupport.h"

#include "core/Globals.h"
#include "core/Settings.h"
#include "core/project/ProjectFileRows.h"
#include "core/project/ProjectFileVersion.h"

#include <charconv>
#include <cstring>
#include <map>
#include <sstream>

namespace brantel::test {
namespace {

using projectfile::FieldName;

// A number as the shortest text that reads back to it exactly: two values
// that differ never show alike, and -0 shows as -0.
template <typename T>
std::string NumberText(T value) {
  char text[32];
  return std::string(text, std::to_chars(text, text + sizeof text, value).ptr);
}

struct Collector {
  FieldValues values;
  void Add(const FieldName& name, quint64 bits, std::string number) {
    values.push_back({name.ToString().toStdString(), bits, std::move(number)});
  }
  template <projectfile::RowInteger T>
  void Int(const FieldName& n, const T& f, int, T) {
    AddInt(n, projectfile::StoredInt(f));
  }
  template <projectfile::RowInteger T>
  void NumInt(const FieldName& n, const T& f, int, T) {
    AddInt(n, projectfile::StoredInt(f));
  }
  void Flag(const FieldName& n, const bool& f, projectfile::FlagForm, int, bool) { AddInt(n, f ? 1 : 0); }
  void Num(const FieldName& n, const float& f, int, float) { AddFloat(n, f); }
  void Print(const FieldName& n, const float& f, int, float) { AddFloat(n, f); }
  void Num64(const FieldName& n, const double& f, int, double) {
    quint64 b;
    std::memcpy(&b, &f, sizeof b);
    Add(n, b, NumberText(f));
  }
  void Count(const FieldName& n, const int& f, int, int, int) { AddInt(n, f); }
  void Rows(const FieldName& n, const LabPointRows& rows, int, int) {
    for (int r = 0; r < kLabMaxPoints; ++r)
      for (int c = 0; c < kLabColumns; ++c) AddFloat(FieldName{n.base, nullptr, r + 1, c + 1}, rows[r][c]);
  }
  // An integer as the file's 16 bits hold it.
  void AddInt(const FieldName& n, int f) { Add(n, static_cast<quint16>(f), NumberText(static_cast<qint16>(f))); }
  void AddFloat(const FieldName& n, float f) {
    quint32 b;
    std::memcpy(&b, &f, sizeof b);
    Add(n, b, NumberText(f));
  }
};

}  // namespace

FieldValues FileFields(const ProjectRecord& record) {
  Collector c;
  projectfile::VisitFileRows(record, c);
  return c.values;
}

std::string Differences(const ProjectRecord& expected, const ProjectRecord& actual) {
  std::ostringstream out;
  if (expected.ProjectTitle != actual.ProjectTitle)
    out << "ProjectTitle: " << expected.ProjectTitle.toStdString() << " / " << actual.ProjectTitle.toStdString()
        << "\n";
  if (expected.ProjectDescription != actual.ProjectDescription)
    out << "ProjectDescription: [" << expected.ProjectDescription.toStdString() << "] / ["
        << actual.ProjectDescription.toStdString() << "]\n";
  if (expected.InputUnits != actual.InputUnits)
    out << "InputUnits: " << UnitSystemNumber(expected.InputUnits) << " / " << UnitSystemNumber(actual.InputUnits)
        << "\n";
  const FieldValues a = FileFields(expected);
  const FieldValues b = FileFields(actual);
  if (a.size() != b.size()) out << "field counts " << a.size() << " / " << b.size() << "\n";
  for (std::size_t i = 0; i < std::min(a.size(), b.size()); ++i) {
    if (a[i].name != b[i].name || a[i].bits != b[i].bits)
      out << a[i].name << ": " << a[i].number << " / " << b[i].number << "\n";
  }
  return out.str();
}

namespace {

struct RowLister {
  std::vector<FileRow> rows;
  void Add(const FieldName& n, int from, int lines = 1) { rows.push_back({n.ToString().toStdString(), from, lines}); }
  template <projectfile::RowInteger T>
  void Int(const FieldName& n, const T&, int from, T) {
    Add(n, from);
  }
  template <projectfile::RowInteger T>
  void NumInt(const FieldName& n, const T&, int from, T) {
    Add(n, from);
  }
  void Flag(const FieldName& n, const bool&, projectfile::FlagForm, int from, bool) { Add(n, from); }
  void Num(const FieldName& n, const float&, int from, float) { Add(n, from); }
  void Print(const FieldName& n, const float&, int from, float) { Add(n, from); }
  void Num64(const FieldName& n, const double&, int from, double) { Add(n, from); }
  void Count(const FieldName& n, const int&, int from, int, int) { Add(n, from); }
  void Rows(const FieldName& n, const LabPointRows&, int count, int from) { Add(n, from, count * kLabColumns); }
};

}  // namespace

std::vector<FileRow> FileRowsOf(const ProjectRecord& record) {
  RowLister walker;
  projectfile::VisitFileRows(record, walker);
  return walker.rows;
}

namespace {

// The values of FilledRecord, from a row's number (below). A number's
// magnitude lies between number + 1 and number + 1.5, so no two are alike
// and none is a whole number; every fifth is scaled to a millionth and
// every fifth by a thousand million, for the numbers written with an
// exponent; odd numbers are negative.
float SingleValue(int number) {
  const double magnitude = number + 1 + (number % 7 + 1) / 16.0;
  const double scaled = number % 5 == 2 ? magnitude * 1e-6 : number % 5 == 4 ? magnitude * 1e9 : magnitude;
  return static_cast<float>(number % 2 ? -scaled : scaled);
}
double DoubleValue(int number) { return (number % 2 ? -1.0 : 1.0) * (number + 1 + (number % 7 + 1) / 16.0) / 3.0; }
qint16 IntValue(int number) { return static_cast<qint16>(number % 2 ? -(number + 2) : number + 2); }

// Numbers the rows by the version that added them: a thousand numbers a
// version, counted in file order among the rows of that version.
struct Filler {
  std::map<int, int> counted;  // by version
  int Number(int from, int count = 1) {
    int& n = counted[from];
    const int number = (from == projectfile::kAllVersions ? 0 : from - kProjectFileFirstVersion) * 1000 + n;
    n += count;
    return number;
  }
  template <projectfile::RowInteger T>
  void Int(const FieldName&, T& f, int from, T) {
    f = projectfile::IntOfStored<T>(IntValue(Number(from)));
  }
  template <projectfile::RowInteger T>
  void NumInt(const FieldName&, T& f, int from, T) {
    f = projectfile::IntOfStored<T>(IntValue(Number(from)));
  }
  // Yes: a new project's is no.
  void Flag(const FieldName&, bool& f, projectfile::FlagForm, int from, bool) {
    Number(from);
    f = true;
  }
  void Num(const FieldName&, float& f, int from, float) { f = SingleValue(Number(from)); }
  void Print(const FieldName&, float& f, int from, float) { f = SingleValue(Number(from)); }
  void Num64(const FieldName&, double& f, int from, double) { f = DoubleValue(Number(from)); }
  void Count(const FieldName&, int& f, int from, int, int) {
    Number(from);
    f = kFilledLabPoints;
  }
  // Numbers for every row the table can hold, the count's or not.
  void Rows(const FieldName&, LabPointRows& rows, int count, int from) {
    const int first = Number(from, kLabMaxPoints * kLabColumns);
    for (int r = 0; r < count; ++r)
      for (int c = 0; c < kLabColumns; ++c) rows[r][c] = SingleValue(first + r * kLabColumns + c);
  }
};

}  // namespace

ProjectRecord FilledRecord() {
  ProjectRecord r;
  r.InputUnits = UnitSystem::SI;
  r.ProjectTitle = QStringLiteral("Tunnel T1, Σήραγγα");
  r.ProjectDescription = QStringLiteral("First line, with commas, 1,5 and Σήραγγα\r\n   \r\n##EndDesc##\r\n") +
                         QString(44, u'a') + u' ' + QString(12, u'b') + u' ' + QString(17, u'c');
  Filler filler;
  projectfile::VisitFileRows(r, filler);
  return r;
}

QString FilledDescriptionAsRead() {
  return QStringLiteral("First line, with commas, 1,5 and Σήραγγα\r\n##EndDesc##\r\n") + QString(44, u'a') + u' ' +
         QString(12, u'b') + QStringLiteral(" \r\n") + QString(17, u'c') + QStringLiteral("\r\n");
}

ProjectRecord NewProjectDefaults() {
  ProjectRecord r;
  r.PointLoadQ = r.LineLoadQm = r.StripLoadQ = 100.0f;
  r.PointLoadR = 3.0f;
  r.PointLoadZ = 2.0f;
  r.FadumLength = r.FadumWidth = r.FadumDepth = 1.0f;
  r.FadumLoad = 100.0f;
  r.FadumX = r.FadumY = 4.0f;
  r.CornerWidth = r.CornerLength = r.CornerDepth = 1.0f;
  r.CornerLoad = 100.0f;
  r.HoekInput.M = 7.0f;
  r.HoekInput.Mb = 10.0f;
  r.HoekInput.S = 0.2f;
  r.HoekInput.A = 0.5f;
  r.BieniawskiInput.A = 5.0f;
  r.BieniawskiInput.K = 0.75f;
  r.LabPointCount = 1;
  r.BoltDiameter = 22.0f;
  r.BoltLength = 3.0f;
  r.BoltSF = 1.0f;
  r.BoltHeight = 2.0f;
  r.BoltUnit = 24.0f;
  r.BoltWidth = 3.0f;
  r.BoltAnchorDiameter = 24.0f;
  r.BoltBondedLength = 3.0f;
  r.BoltHoleDiameter = 27.0f;
  r.BoltResinCohesion = 1000.0f;
  r.BoltResinFriction = 10.0f;
  r.ResinRockCohesion = 2000.0f;
  r.ResinRockFriction = 12.0f;
  r.BoltAnchorSafetyFactor = 1.4f;
  return r;
}

QString DataFile(const char* name) { return QStringLiteral(BRANTEL_PROJECT_TEST_DATA "/") + QString::fromUtf8(name); }

void FillProjectSignatures() {
  for (int k = 0; k < kProjectSignatureCount; ++k)
    ProjectSignatures[static_cast<std::size_t>(k)] = ProjectSignatureOf(kProjectFileFirstVersion + k);
}

void ProjectTest::SetUp() {
  CoreTest::SetUp();
  FillProjectSignatures();
  NewProjectUnits = UnitSystem::SI;
}

}  // namespace brantel::test
