#include "ProjectTestSupport.h"

#include "core/Globals.h"
#include "core/History.h"
#include "core/RuntimeError.h"
#include "core/Settings.h"
#include "core/project/ProjectFile.h"
#include "core/project/ProjectFileRows.h"
#include "core/project/ProjectFileVersion.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <QTimer>

#include <cfloat>
#include <cmath>
#include <cstring>
#include <limits>
#include <map>
#include <random>
#include <variant>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace brantel {
namespace {

using test::Differences;
using test::FilledRecord;
using test::ProjectTest;

const QByteArray kCrLf = "\r\n";

// The golden file of a version: the file of FilledRecord as that version
// writes it. The file of the version written is compared byte for byte with
// what the program writes; those of the versions before it stay as they
// were written, the files that users have.
QString GoldenName(int version) { return QStringLiteral("filled-v%1.BNL").arg(version); }

QByteArray Golden(int version = kProjectFileVersionWritten) {
  QFile file(test::DataFile(GoldenName(version).toUtf8().constData()));
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A golden file's lines (without their CR LF).
QList<QByteArray> GoldenLines(int version = kProjectFileVersionWritten) {
  QList<QByteArray> lines = Golden(version).split('\n');
  lines.removeLast();  // after the final line break
  for (QByteArray& line : lines) line.chop(1);
  return lines;
}

QByteArray Join(const QList<QByteArray>& lines, const QByteArray& end = kCrLf) {
  QByteArray out;
  for (const QByteArray& line : lines) out += line + end;
  return out;
}

constexpr int kHeaderLines = 9;  // signature, units, title, markers and the 4 description lines of the golden files

// The value lines that a file of `version` holds for the record.
int ValueLinesOfVersion(const ProjectRecord& record, int version) {
  int lines = 0;
  for (const test::FileRow& row : test::FileRowsOf(record))
    if (row.from <= version) lines += row.lines;
  return lines;
}

// The field of the golden file's line (0 the first line), for messages.
std::string FieldOfLine(int line) {
  if (line < kHeaderLines) return "the header";
  int at = kHeaderLines;
  for (const test::FileRow& row : test::FileRowsOf(FilledRecord())) {
    at += row.lines;
    if (line < at) return row.name;
  }
  return "no field";
}

// Pointers to the fields of a record's file, in file order, with the
// version that added each; a whole number or a choice through its stored
// integer.
struct IntRef {
  void* field;
  int (*get)(const void* field);
  void (*set)(void* field, int stored);
};
struct FieldRef {
  int from;
  std::variant<IntRef, bool*, float*, double*, LabPointRows*> field;
};
struct FieldRefWalker {
  std::vector<FieldRef> refs;
  template <projectfile::RowInteger T>
  void AddInt(T& f, int from) {
    const IntRef ref{&f, [](const void* p) { return projectfile::StoredInt(*static_cast<const T*>(p)); },
                     [](void* p, int v) { *static_cast<T*>(p) = projectfile::IntOfStored<T>(static_cast<qint16>(v)); }};
    refs.push_back({from, ref});
  }
  template <projectfile::RowInteger T>
  void Int(const projectfile::FieldName&, T& f, int from, T) {
    AddInt(f, from);
  }
  template <projectfile::RowInteger T>
  void NumInt(const projectfile::FieldName&, T& f, int from, T) {
    AddInt(f, from);
  }
  void Flag(const projectfile::FieldName&, bool& f, projectfile::FlagForm, int from, bool) {
    refs.push_back({from, &f});
  }
  void Num(const projectfile::FieldName&, float& f, int from, float) { refs.push_back({from, &f}); }
  void Print(const projectfile::FieldName&, float& f, int from, float) { refs.push_back({from, &f}); }
  void Num64(const projectfile::FieldName&, double& f, int from, double) { refs.push_back({from, &f}); }
  void Count(const projectfile::FieldName&, int& f, int from, int, int) { AddInt(f, from); }
  void Rows(const projectfile::FieldName&, LabPointRows& rows, int, int from) { refs.push_back({from, &rows}); }
};

std::vector<FieldRef> FieldRefs(ProjectRecord& record) {
  FieldRefWalker walker;
  projectfile::VisitFileRows(record, walker);
  return walker.refs;
}

// What the golden values give in a file of that version: rows the version
// lacks keep the values of a new project.
ProjectRecord ExpectedForVersion(int version) {
  ProjectRecord expected = FilledRecord();
  expected.ProjectDescription = test::FilledDescriptionAsRead();
  ProjectRecord defaults = test::NewProjectDefaults();
  const std::vector<FieldRef> to = FieldRefs(expected);
  const std::vector<FieldRef> from = FieldRefs(defaults);
  for (std::size_t i = 0; i < to.size(); ++i) {
    if (to[i].from <= version) continue;
    std::visit(
        [&](auto& field) {
          using Field = std::decay_t<decltype(field)>;
          const Field& source = std::get<Field>(from[i].field);
          if constexpr (std::is_same_v<Field, IntRef>) field.set(field.field, source.get(source.field));
          else *field = *source;
        },
        to[i].field);
  }
  return expected;
}

// The whole record, header and every field, for "left untouched" checks.
std::string Unchanged(const ProjectRecord& before, const ProjectRecord& after) {
  std::string diff = Differences(before, after);
  if (before.ProjectPath != after.ProjectPath) diff += "ProjectPath\n";
  if (before.ProjectDisplayName != after.ProjectDisplayName) diff += "ProjectDisplayName\n";
  if (before.FileVersion != after.FileVersion) diff += "FileVersion\n";
  if (before.FileSaved != after.FileSaved || before.FileEmpty != after.FileEmpty ||
      before.FileHoldsData != after.FileHoldsData || before.NewFileMark != after.NewFileMark)
    diff += "flags\n";
  return diff;
}

// A project in memory that a failed open must leave alone.
ProjectRecord CurrentProject() {
  ProjectRecord r = test::NewProjectDefaults();
  r.ProjectPath = QStringLiteral("/somewhere/current.BNL");
  r.ProjectTitle = QStringLiteral("current");
  r.ProjectDescription = QStringLiteral("kept\r\n");
  r.Stress2D.Sx = 7.0f;
  r.LabPointCount = 2;
  r.CoulombPrincipal.S1 = 3.0f;
  r.FileSaved = false;
  r.FileEmpty = false;
  r.FileVersion = 57;
  return r;
}

class ProjectFileTest : public ProjectTest {
 protected:
  QString Path(const char* name) const { return Home() + u'/' + QString::fromUtf8(name); }
};

// Why a test that starts from the golden file of the version written does
// not run while that file is missing.
std::string GoldenFileMissing() {
  return "data/" + GoldenName(kProjectFileVersionWritten).toStdString() +
         " is missing: WritesTheGoldenFileOfTheVersionWrittenByteForByte says how to add it";
}

// The tests that start from the golden file of the version written. Right
// after kProjectFileVersionWritten is raised that file does not exist yet:
// they are skipped, and WritesTheGoldenFileOfTheVersionWrittenByteForByte
// alone fails, naming the file to add.
class GoldenFileTest : public ProjectFileTest {
 protected:
  void SetUp() override {
    ProjectFileTest::SetUp();
    if (Golden().isEmpty()) GTEST_SKIP() << GoldenFileMissing();
  }
};

TEST_F(ProjectFileTest, WritesTheGoldenFileOfTheVersionWrittenByteForByte) {
  ProjectRecord record = FilledRecord();
  // Results and inputs outside the file must not show in it.
  record.BoltWidth = 4.0f;
  record.CoulombSlopeData.Width = 9.0f;
  record.CoulombPrincipal.S1 = 9.0f;
  record.LabPoints[5][0] = 9.0f;
  const ProjectRecord before = record;

  const QString path = Path("filled.BNL");
  EXPECT_FALSE(WriteProjectFile(path, record).has_value());
  const QByteArray written = ReadFile(path);
  const QByteArray golden = Golden();
  if (written != golden) {
    // The file written, beside the build's test program, for the golden
    // file of a new version.
    const QString made = QStringLiteral(BRANTEL_PROJECT_TEST_OUTPUT "/") + GoldenName(kProjectFileVersionWritten);
    WriteFile(made, written);
    const QList<QByteArray> a = written.split('\n'), b = golden.split('\n');
    int line = 0;
    while (line < a.size() && line < b.size() && a[line] == b[line]) ++line;
    const std::string name = "data/" + GoldenName(kProjectFileVersionWritten).toStdString();
    if (golden.isEmpty()) {
      ADD_FAILURE() << name << " is missing. After raising kProjectFileVersionWritten, add the file this run wrote, "
                    << made.toStdString() << ", as " << name << "; the golden files of the versions before it stay.";
    } else {
      ADD_FAILURE() << "The file written differs from " << name << " at line " << line + 1 << " (" << FieldOfLine(line)
                    << "). Files of version " << kProjectFileVersionWritten
                    << " are out there and must read as they were written: leave " << name
                    << " as it is, and the version of every row. Rows that this version did not write take a new "
                       "version: raise kProjectFileVersionWritten to it, tag the rows with it, run this test again "
                       "and add the file it leaves in "
                    << BRANTEL_PROJECT_TEST_OUTPUT << " to data/.";
    }
  }
  EXPECT_EQ(Unchanged(before, record), "");  // the record keeps its own description
  EXPECT_TRUE(History().contains(QStringLiteral("1. Saving: ") + path + QStringLiteral("\r\n")));
  EXPECT_TRUE(boxes_->Shown().empty());
}

TEST_F(GoldenFileTest, ReadsTheGoldenFileIntoEveryField) {
  ProjectRecord record = CurrentProject();
  const QString path = WriteFile(Path("golden.BNL"), Golden());
  QString message;
  ASSERT_TRUE(ReadProjectFile(path, record, message)) << message.toStdString();
  EXPECT_EQ(Differences(ExpectedForVersion(kProjectFileVersionWritten), record), "");
  EXPECT_EQ(record.ProjectPath, path);
  EXPECT_EQ(record.FileVersion, kProjectFileVersionWritten);
  EXPECT_TRUE(record.FileSaved);
  EXPECT_FALSE(record.FileEmpty);
  EXPECT_TRUE(record.FileHoldsData);
  EXPECT_EQ(record.CoulombPrincipal.S1, 3.0f);  // results the file does not carry stay
  EXPECT_EQ(History(), QStringLiteral("1. Opening: ") + path + QStringLiteral("\r\n"));
  EXPECT_TRUE(boxes_->Shown().empty());
}

TEST_F(ProjectFileTest, GreekHistoryLinesOfSavingAndOpening) {
  EnglishMenus = false;
  const QString path = Path("greek.BNL");
  ProjectRecord record = FilledRecord();
  EXPECT_FALSE(WriteProjectFile(path, record).has_value());
  ASSERT_TRUE(ReadProjectFile(path, record).read);
  EXPECT_EQ(History(), QStringLiteral("1. Αποθήκευση: ") + path + QStringLiteral("\r\n2. Άνοιγμα: ") + path +
                           QStringLiteral("\r\n"));
}

TEST_F(ProjectFileTest, EveryVersionReadsItsGoldenFileAsThatVersionWroteIt) {
  // A row is in every version or in one written so far.
  for (const test::FileRow& row : test::FileRowsOf(FilledRecord())) {
    EXPECT_TRUE(row.from == projectfile::kAllVersions ||
                (row.from > kProjectFileFirstVersion && row.from <= kProjectFileVersionWritten))
        << row.name << " is in the file from version " << row.from
        << ": kProjectFileVersionWritten must be raised to the version of a new row";
  }
  for (int version = kProjectFileFirstVersion; version <= kProjectFileVersionWritten; ++version) {
    SCOPED_TRACE(GoldenName(version).toStdString());
    const QList<QByteArray> lines = GoldenLines(version);
    // The versions before it have been checked.
    if (lines.isEmpty() && version == kProjectFileVersionWritten) GTEST_SKIP() << GoldenFileMissing();
    ASSERT_FALSE(lines.isEmpty()) << "every version read keeps the golden file it was written with";
    EXPECT_EQ(lines[0], ProjectSignatureOf(version).toUtf8());
    // Every value line is one of a row of that version: none is left over.
    EXPECT_EQ(lines.size() - kHeaderLines, ValueLinesOfVersion(FilledRecord(), version));
    // A row given a version already written would read a line more than
    // that version's files hold, and end them early.
    ProjectRecord record = FilledRecord();  // every field set: the reset must show
    const ProjectReadResult result = ReadProjectBytes(Golden(version), QStringLiteral("v.BNL"), record);
    ASSERT_TRUE(result.read) << result.message.toStdString();
    EXPECT_EQ(Differences(ExpectedForVersion(version), record), "");
    EXPECT_EQ(record.FileVersion, version);
    EXPECT_EQ(record.InputUnits, UnitSystem::SI);
  }
  // The version after the one written reads as the version written.
  QList<QByteArray> lines = GoldenLines();
  lines[0] = ProjectSignatureOf(kProjectFileLastVersion).toUtf8();
  ProjectRecord record = FilledRecord();
  const ProjectReadResult result = ReadProjectBytes(Join(lines), QStringLiteral("v.BNL"), record);
  ASSERT_TRUE(result.read) << result.message.toStdString();
  EXPECT_EQ(Differences(ExpectedForVersion(kProjectFileVersionWritten), record), "");
  EXPECT_EQ(record.FileVersion, kProjectFileLastVersion);
}

// Fills every row of the file with random values: `s` and `d` give the
// numbers, `rng` the integers.
template <typename Single, typename Double>
struct RandomRowFiller {
  Single& s;
  Double& d;
  std::mt19937& rng;
  template <projectfile::RowInteger T>
  void Int(const projectfile::FieldName&, T& f, int, T) {
    f = projectfile::IntOfStored<T>(static_cast<qint16>(rng()));
  }
  template <projectfile::RowInteger T>
  void NumInt(const projectfile::FieldName&, T& f, int, T) {
    f = projectfile::IntOfStored<T>(static_cast<qint16>(rng()));
  }
  void Flag(const projectfile::FieldName&, bool& f, projectfile::FlagForm, int, bool) { f = rng() % 2 != 0; }
  void Num(const projectfile::FieldName&, float& f, int, float) { f = s(); }
  void Print(const projectfile::FieldName&, float& f, int, float) { f = s(); }
  void Num64(const projectfile::FieldName&, double& f, int, double) { f = d(); }
  void Count(const projectfile::FieldName&, int& f, int, int, int max) {
    f = static_cast<int>(rng() % static_cast<unsigned>(max + 1));
  }
  void Rows(const projectfile::FieldName&, LabPointRows& rows, int count, int) {
    rows = LabPointRows{};  // rows beyond the count read back as 0
    for (int r = 0; r < count; ++r)
      for (float& v : rows[r]) v = s();
  }
};

TEST_F(ProjectFileTest, RandomRecordsComeBackBitForBit) {
  std::mt19937 rng(20240611);
  const std::vector<float> awkward{FLT_TRUE_MIN, -FLT_TRUE_MIN, FLT_MIN,     -0.0f,          0.0f,  FLT_MAX,
                                   -FLT_MAX,     10.1908455f,   1e-5f,       9.99999975e-6f, 1e15f, 999999999999999.0f,
                                   0.1f,         1.0f / 3.0f,   16777217.0f, 123456789.0f};
  const std::vector<double> awkward64{
      std::numeric_limits<double>::denorm_min(), DBL_MAX, -DBL_MAX, -0.0, 0.1 + 0.2, 1e-5, 1e15, 1.0 / 3.0, 4.35e-310};
  const auto single = [&] {
    if (rng() % 3 == 0) return awkward[rng() % awkward.size()];
    for (;;) {
      const quint32 bits = rng();
      float f;
      std::memcpy(&f, &bits, sizeof f);
      if (std::isfinite(f)) return f;
    }
  };
  const auto dbl = [&] {
    if (rng() % 3 == 0) return awkward64[rng() % awkward64.size()];
    for (;;) {
      const quint64 bits = (static_cast<quint64>(rng()) << 32) | rng();
      double d;
      std::memcpy(&d, &bits, sizeof d);
      if (std::isfinite(d)) return d;
    }
  };
  const QStringList pieces{
      QStringLiteral("Σήραγγα"),       QStringLiteral("a,b"), QStringLiteral("  "), QStringLiteral("##EndDesc##"),
      QStringLiteral("##StartDesc##"), QStringLiteral(" "),   QStringLiteral("x"),  QStringLiteral("1.5"),
      QStringLiteral("\r\n"),          QStringLiteral("\n"),  QStringLiteral("\t"), QStringLiteral("😀")};
  const auto text = [&](int n) {
    QString t;
    for (int i = 0; i < n; ++i) t += pieces[static_cast<qsizetype>(rng() % pieces.size())];
    return t;
  };

  for (int round = 0; round < 300; ++round) {
    SCOPED_TRACE(round);
    ProjectRecord record;
    RandomRowFiller<decltype(single), decltype(dbl)> filler{single, dbl, rng};
    projectfile::VisitFileRows(record, filler);
    record.InputUnits = UnitSystemOfNumber(static_cast<int>(rng() % 2));
    record.ProjectTitle = text(static_cast<int>(rng() % 6)).remove(u'\r').remove(u'\n');
    record.ProjectDescription = text(static_cast<int>(rng() % 80));

    ProjectRecord back;
    const ProjectReadResult result = ReadProjectBytes(ProjectFileBytes(record), QStringLiteral("r.BNL"), back);
    ASSERT_TRUE(result.read) << result.message.toStdString();
    ProjectRecord expected = record;
    WrapDescription(expected.ProjectDescription);
    if (!expected.ProjectDescription.isEmpty()) expected.ProjectDescription += QStringLiteral("\r\n");
    // A line that is a marker followed by blanks of its own loses one blank.
    if (expected.ProjectDescription.contains(QStringLiteral("Desc## "))) continue;
    ASSERT_EQ(Differences(expected, back), "");
  }
}

TEST_F(ProjectFileTest, WrapsLongDescriptionLinesAtBlanks) {
  // Blanks at 45 and 58: a 58-character piece ending in the blank, then 17.
  QString line = QString(44, u'a') + u' ' + QString(12, u'b') + u' ' + QString(17, u'c');
  ASSERT_EQ(line.size(), 75);
  WrapLine(line);
  EXPECT_EQ(line, QString(44, u'a') + u' ' + QString(12, u'b') + QStringLiteral(" \r\n") + QString(17, u'c'));

  // No blank between 40 and 60: cut after character 60.
  line = QString(30, u'a') + u' ' + QString(44, u'b');
  WrapLine(line);
  EXPECT_EQ(line, QString(30, u'a') + u' ' + QString(29, u'b') + QStringLiteral("\r\n") + QString(15, u'b'));

  // A blank at 60 cuts there; long lines give several pieces.
  line = QString(59, u'a') + u' ' + QString(130, u'b');
  WrapLine(line);
  EXPECT_EQ(line, QString(59, u'a') + QStringLiteral(" \r\n") + QString(60, u'b') + QStringLiteral("\r\n") +
                      QString(60, u'b') + QStringLiteral("\r\n") + QString(10, u'b'));

  // A character outside the basic plane is never cut in two.
  line = QString(59, u'a') + QStringLiteral("😀") + QString(10, u'b');
  WrapLine(line);
  EXPECT_EQ(line, QString(59, u'a') + QStringLiteral("\r\n😀") + QString(10, u'b'));

  // Blank-only lines go (a tab is no blank), lines of 60 characters without
  // their blanks stay whole, commas and Greek stay as they are, CR, LF and
  // CR LF all end lines.
  QString description = QStringLiteral("  \r\nα, β, γ\n\t \r") + QString(10, u' ') + QString(60, u'x') +
                        QStringLiteral("\r\n") + QString(61, u'y') + QStringLiteral("\r\n\r\n");
  WrapDescription(description);
  EXPECT_EQ(description, QStringLiteral("α, β, γ\r\n\t \r\n") + QString(10, u' ') + QString(60, u'x') +
                             QStringLiteral("\r\n") + QString(60, u'y') + QStringLiteral("\r\ny"));

  // A piece of blanks only would be an empty line in the file: it goes.
  QString gap = u'a' + QString(120, u' ') + u'b';
  WrapDescription(gap);
  EXPECT_EQ(gap, u'a' + QString(59, u' ') + QStringLiteral("\r\n b"));

  QString blanks = QStringLiteral("   \r\n  ");
  WrapDescription(blanks);
  EXPECT_EQ(blanks, QString());

  // A 10-million-character line wraps in one pass.
  QString huge(10'000'000, u'z');
  WrapLine(huge);
  EXPECT_EQ(huge.size(), 10'000'000 + (10'000'000 / 60) * 2);
}

TEST_F(ProjectFileTest, DescriptionsThatLookLikeMarkersOrHoldCommasSurviveTheFile) {
  ProjectRecord record = test::NewProjectDefaults();
  record.ProjectDescription =
      QStringLiteral("##EndDesc##\r\n##StartDesc##\r\n1,5 and 2,5, \"quoted\"\r\n    \r\nΣήραγγα");
  record.Stress2D.Sx = 42.0f;
  const QByteArray bytes = ProjectFileBytes(record);
  EXPECT_TRUE(
      bytes.contains("\r\n##StartDesc##\r\n##EndDesc## \r\n##StartDesc## \r\n1,5 and 2,5, \"quoted\"\r\n"
                     "Σήραγγα\r\n##EndDesc##\r\n42\r\n"));
  ProjectRecord back;
  ASSERT_TRUE(ReadProjectBytes(bytes, QStringLiteral("m.BNL"), back).read);
  EXPECT_EQ(back.ProjectDescription,
            QStringLiteral("##EndDesc##\r\n##StartDesc##\r\n1,5 and 2,5, \"quoted\"\r\nΣήραγγα\r\n"));
  EXPECT_EQ(back.Stress2D.Sx, 42.0f);

  // Markers followed by blanks, and a line of a tab, come back as they were.
  record.ProjectDescription = QStringLiteral("##EndDesc## \r\n\t\r\n##StartDesc##   ");
  ASSERT_TRUE(ReadProjectBytes(ProjectFileBytes(record), QStringLiteral("m.BNL"), back).read);
  EXPECT_EQ(back.ProjectDescription, QStringLiteral("##EndDesc## \r\n\t\r\n##StartDesc##   \r\n"));

  // An empty description is one empty line between the markers.
  record.ProjectDescription.clear();
  EXPECT_TRUE(ProjectFileBytes(record).startsWith(ProjectSignatureWritten().toUtf8() +
                                                  "\r\n 0\r\n\r\n##StartDesc##\r\n\r\n##EndDesc##\r\n"));
}

TEST_F(GoldenFileTest, SignaturesAreCheckedExactly) {
  const QList<QByteArray> golden = GoldenLines();
  const auto withFirstLine = [&](const QByteArray& first) {
    QList<QByteArray> lines = golden;
    lines[0] = first;
    return Join(lines);
  };
  const QByteArray written = ProjectSignatureWritten().toUtf8();
  // (Every other version's signature opens its own golden file: see
  // EveryVersionReadsItsGoldenFileAsThatVersionWroteIt.)
  for (const QByteArray& signature :
       {written, "  " + written + ",rest", ProjectSignatureOf(kProjectFileLastVersion).toUtf8()}) {
    ProjectRecord record;
    EXPECT_TRUE(ReadProjectBytes(withFirstLine(signature), QStringLiteral("s.BNL"), record).read)
        << signature.toStdString();
  }
  const QByteArray longLine(10 * 1024 * 1024, 'B');
  for (const QByteArray& refused :
       {written.toLower(), "Brantel" + written.mid(7), ProjectSignatureOf(kProjectFileLastVersion + 1).toUtf8(),
        QByteArray("BRANTEL_099"), ProjectSignatureOf(kProjectFileFirstVersion - 1).toUtf8(), QByteArray(""),
        written + " ", longLine}) {
    SCOPED_TRACE(refused.left(20).toStdString());
    boxes_->Clear();
    ProjectRecord record = CurrentProject();
    const ProjectRecord before = record;
    const ProjectReadResult result = ReadProjectBytes(withFirstLine(refused), QStringLiteral("s.BNL"), record);
    EXPECT_FALSE(result.read);
    EXPECT_TRUE(result.signatureRefused);
    EXPECT_EQ(result.message, QStringLiteral("Invalid File Type"));
    EXPECT_EQ(Unchanged(before, record), "");
    ASSERT_EQ(boxes_->Shown().size(), 1u);
    EXPECT_EQ(boxes_->Last().prompt, QStringLiteral("Invalid File Type"));
    EXPECT_EQ(boxes_->Last().title, QStringLiteral("Brantel"));
  }
  // An empty file has no signature either.
  ProjectRecord record = CurrentProject();
  const QString empty = WriteFile(Path("empty.BNL"), QByteArray());
  QString message;
  EXPECT_FALSE(ReadProjectFile(empty, record, message));
  EXPECT_EQ(message, QStringLiteral("Invalid File Type"));
  EXPECT_EQ(Unchanged(CurrentProject(), record), "");
  EXPECT_TRUE(History().contains(QStringLiteral("Brantel: Invalid File Type")));
}

TEST_F(GoldenFileTest, AFileCutShortAtAnyLineIsRefusedAndTheProjectKept) {
  const QList<QByteArray> golden = GoldenLines();
  const QString path = QStringLiteral("/data/cut.BNL");
  for (int kept = 1; kept < golden.size(); ++kept) {
    SCOPED_TRACE(kept);
    ProjectRecord record = CurrentProject();
    const ProjectReadResult result = ReadProjectBytes(Join(golden.mid(0, kept)), path, record);
    ASSERT_FALSE(result.read);
    EXPECT_FALSE(result.signatureRefused);
    EXPECT_EQ(result.errorNumber, ErrorNumber::InputPastEnd);
    EXPECT_TRUE(result.message.contains(QStringLiteral("\"/data/cut.BNL\", line %1").arg(kept + 1)))
        << result.message.toStdString();
    if (kept >= 4 && kept < kHeaderLines) {
      EXPECT_TRUE(result.message.contains(QStringLiteral("\"##EndDesc##\" is missing")));
    }
    ASSERT_EQ(Unchanged(CurrentProject(), record), "");
  }
  EXPECT_TRUE(boxes_->Shown().empty());
}

TEST_F(GoldenFileTest, ABadValueOnAnyLineIsRefusedWithItsLineAndField) {
  const QList<QByteArray> golden = GoldenLines();
  for (int at = kHeaderLines; at < golden.size(); ++at) {
    SCOPED_TRACE(at + 1);
    QList<QByteArray> lines = golden;
    lines[at] = "12x";
    ProjectRecord record = CurrentProject();
    const ProjectReadResult result = ReadProjectBytes(Join(lines), QStringLiteral("bad.BNL"), record);
    ASSERT_FALSE(result.read);
    EXPECT_EQ(result.errorNumber, ErrorNumber::TypeMismatch);
    EXPECT_TRUE(result.message.contains(QStringLiteral("\"bad.BNL\", line %1 (").arg(at + 1)))
        << result.message.toStdString();
    EXPECT_TRUE(result.message.contains(QStringLiteral("\"12x\" is not a number")));
    ASSERT_EQ(Unchanged(CurrentProject(), record), "");
  }
  const auto failsWith = [&](int line, const QByteArray& text, ErrorNumber number, const char* field) {
    SCOPED_TRACE(text.toStdString());
    QList<QByteArray> lines = golden;
    lines[line - 1] = text;
    ProjectRecord record = CurrentProject();
    const ProjectReadResult result = ReadProjectBytes(Join(lines), QStringLiteral("bad.BNL"), record);
    EXPECT_FALSE(result.read);
    EXPECT_EQ(result.errorNumber, number);
    EXPECT_TRUE(result.message.contains(QStringLiteral("line %1 (%2)").arg(line).arg(QString::fromLatin1(field))))
        << result.message.toStdString();
    EXPECT_EQ(Unchanged(CurrentProject(), record), "");
  };
  failsWith(2, "1x", ErrorNumber::TypeMismatch, "InputUnits");
  failsWith(2, "", ErrorNumber::TypeMismatch, "InputUnits");
  failsWith(13, " 40000", ErrorNumber::Overflow, "Stress2D.GraphOption");
  failsWith(13, "-32769", ErrorNumber::Overflow, "Stress2D.GraphOption");
  failsWith(10, "nan", ErrorNumber::TypeMismatch, "Stress2D.Sx");
  failsWith(10, "inf", ErrorNumber::TypeMismatch, "Stress2D.Sx");
  failsWith(10, "3.5E+38", ErrorNumber::Overflow, "Stress2D.Sx");
  failsWith(10, "1E+400", ErrorNumber::Overflow, "Stress2D.Sx");
  failsWith(10, "1,5", ErrorNumber::TypeMismatch, "Stress2D.Sx");
  failsWith(74, "1E+309", ErrorNumber::Overflow, "PlaneElasticity.Gxy");
  failsWith(82, "70000", ErrorNumber::Overflow, "PlaneElasticity.Tab");
}

TEST_F(GoldenFileTest, IntegersAndUnitsAreReadLeniently) {
  QList<QByteArray> lines = GoldenLines();
  lines[1] = " 7 ";         // units outside 0..1 become 0
  lines[12] = "\t2.5 ";     // a fraction rounds half to even
  lines[9] = "  -1.5e0  ";  // blanks around numbers, exponents
  ProjectRecord record;
  const ProjectReadResult result = ReadProjectBytes(Join(lines), QStringLiteral("i.BNL"), record);
  ASSERT_TRUE(result.read) << result.message.toStdString();
  EXPECT_EQ(record.InputUnits, UnitSystem::Imperial);
  EXPECT_EQ(record.Stress2D.GraphOption, StressGraph::Sigma1Chart);
  EXPECT_EQ(record.Stress2D.Sx, -1.5f);
}

// The yes/no rows of the file and the line of each in the golden file,
// from the table of rows; and their values in a record.
// Counts the golden file's lines as the table of rows walks them; a
// visitor that looks at some rows hides those members.
struct FileLineCounter {
  int line = kHeaderLines;
  template <typename... Any>
  void Int(Any&&...) {
    ++line;
  }
  template <typename... Any>
  void NumInt(Any&&...) {
    ++line;
  }
  template <typename... Any>
  void Num(Any&&...) {
    ++line;
  }
  template <typename... Any>
  void Num64(Any&&...) {
    ++line;
  }
  template <typename... Any>
  void Print(Any&&...) {
    ++line;
  }
  template <typename... Any>
  void Flag(Any&&...) {
    ++line;
  }
  template <typename... Any>
  void Count(Any&&...) {
    ++line;
  }
  void Rows(const projectfile::FieldName&, const LabPointRows&, int count, int) { line += count * kLabColumns; }
};

struct YesNoRows : FileLineCounter {
  struct Found {
    QString name;
    int line;
    bool value;
  };
  std::vector<Found> rows;
  void Flag(const projectfile::FieldName& name, const bool& value, projectfile::FlagForm, int, bool) {
    rows.push_back({name.ToString(), line++, value});
  }
};

YesNoRows YesNoRowsOf(const ProjectRecord& record) {
  YesNoRows found;
  projectfile::VisitFileRows(record, found);
  return found;
}

TEST_F(GoldenFileTest, HandEditedYesNoValuesKeepTheirMeaningAndAreWrittenInTheToolsForm) {
  // Each yes/no as its tool writes it ("-1" or " 1" for yes, " 0" for no),
  // and whether its tool takes any value but 0 as yes (the pore options,
  // the graph boxes, the Von Mises verdict) or only 1 (the given-plane box).
  struct Expected {
    const char* yes;
    bool anyNonZero;
  };
  const std::map<QString, Expected> tools = {
      {QStringLiteral("Stress3D.AtGivenPlane"), {" 1", false}},
      {QStringLiteral("CoulombInput.UsePore"), {"-1", true}},
      {QStringLiteral("JointMaterials(0).UsePore"), {"-1", true}},
      {QStringLiteral("JointMaterials(1).UsePore"), {"-1", true}},
      {QStringLiteral("CircOpening.ShowGraph"), {"-1", true}},
      {QStringLiteral("CircOpening.PlotTo3R"), {"-1", true}},
      {QStringLiteral("VonMisesInput.Failure"), {"-1", true}},
      {QStringLiteral("BieniawskiInput.UsePore"), {" 1", true}},
      {QStringLiteral("HoekInput.UsePore"), {" 1", true}},
  };
  // Typed values: read as 16-bit integers (a fraction rounded half to even).
  struct Typed {
    const char* text;
    int value;
  };
  const Typed typed[] = {{"0", 0}, {"-1", -1},         {"1", 1},     {"7", 7},   {"255", 255},
                         {"2", 2}, {"-32768", -32768}, {" 0.6 ", 1}, {"0.5", 0}, {"1.5", 2}};
  const QList<QByteArray> golden = GoldenLines();
  const YesNoRows rows = YesNoRowsOf(FilledRecord());
  ASSERT_EQ(rows.rows.size(), tools.size());
  for (const YesNoRows::Found& row : rows.rows) {
    ASSERT_TRUE(tools.count(row.name)) << row.name.toStdString();
    const Expected& tool = tools.at(row.name);
    // The golden file holds the tool's own form.
    EXPECT_EQ(golden[row.line], row.value ? QByteArray(tool.yes) : QByteArray(" 0")) << row.name.toStdString();
    for (const Typed& t : typed) {
      const std::string what = row.name.toStdString() + " = " + t.text;
      QList<QByteArray> lines = golden;
      lines[row.line] = t.text;
      ProjectRecord record;
      const ProjectReadResult result = ReadProjectBytes(Join(lines), QStringLiteral("y.BNL"), record);
      ASSERT_TRUE(result.read) << what << ": " << result.message.toStdString();
      const bool yes = tool.anyNonZero ? t.value != 0 : t.value == 1;
      const YesNoRows read = YesNoRowsOf(record);
      for (const YesNoRows::Found& other : read.rows)
        EXPECT_EQ(other.value, other.name == row.name ? yes : rows.rows[&other - read.rows.data()].value) << what;
      // Saved again, the line holds the tool's form of that meaning and
      // every other line is the golden file's.
      lines[row.line] = yes ? QByteArray(tool.yes) : QByteArray(" 0");
      EXPECT_EQ(ProjectFileBytes(record), Join(lines)) << what;
    }
  }
}

// The lines of the golden file that hold a whole number or a choice, each
// with whether its row is in the print form (" 1").
struct IntegerRowLines : FileLineCounter {
  std::vector<std::pair<int, bool>> rows;
  template <typename... Any>
  void Int(Any&&...) {
    rows.push_back({line++, true});
  }
  template <typename... Any>
  void NumInt(Any&&...) {
    rows.push_back({line++, false});
  }
};

TEST_F(GoldenFileTest, HandEditedCodesAndCountsAreKeptAsTyped) {
  // Codes outside every tool's list, and the 16-bit bounds, in every row of
  // a whole number or a choice: the file saved again is the edited file.
  IntegerRowLines found;
  const ProjectRecord filled = FilledRecord();
  projectfile::VisitFileRows(filled, found);
  ASSERT_EQ(found.rows.size(), 19u);  // seven graph choices and twelve others
  for (const char* code : {"7", "-1", "32767", "-32768"}) {
    QList<QByteArray> lines = GoldenLines();
    for (const auto& [line, printForm] : found.rows)
      lines[line] = (printForm && code[0] != '-' ? QByteArray(" ") : QByteArray()) + code;
    ProjectRecord record;
    const ProjectReadResult result = ReadProjectBytes(Join(lines), QStringLiteral("c.BNL"), record);
    ASSERT_TRUE(result.read) << code << ": " << result.message.toStdString();
    EXPECT_EQ(ProjectFileBytes(record), Join(lines)) << code;
  }
  // A whole number no row can hold is refused, naming its field.
  ProjectRecord record = FilledRecord();
  record.JointSelectedSet = 40000;
  try {
    ProjectFileBytes(record);
    ADD_FAILURE() << "written";
  } catch (const RuntimeError& e) {
    EXPECT_EQ(e.Number(), ErrorNumber::Overflow);
    EXPECT_TRUE(e.Description().contains(QStringLiteral("JointSelectedSet")));
  }
}

TEST_F(GoldenFileTest, LaboratoryPointCountMustFitTheTable) {
  const QList<QByteArray> golden = GoldenLines();
  int countLine = kHeaderLines;
  for (const test::FileRow& row : test::FileRowsOf(FilledRecord())) {
    if (row.name == "LabPointCount") break;
    countLine += row.lines;
  }
  ASSERT_EQ(golden[countLine], " " + QByteArray::number(test::kFilledLabPoints));
  for (const QByteArray& count : {QByteArray("21"), QByteArray("-1"), QByteArray("32767")}) {
    QList<QByteArray> lines = golden;
    lines[countLine] = count;
    ProjectRecord record = CurrentProject();
    const ProjectReadResult result = ReadProjectBytes(Join(lines), QStringLiteral("lab.BNL"), record);
    EXPECT_FALSE(result.read);
    EXPECT_EQ(result.errorNumber, ErrorNumber::Subscript);
    EXPECT_TRUE(result.message.contains(QStringLiteral("(LabPointCount)")));
    EXPECT_EQ(Unchanged(CurrentProject(), record), "");
  }
  // No points at all: the rows are simply absent.
  QList<QByteArray> lines = golden;
  lines[countLine] = " 0";
  for (int i = 0; i < test::kFilledLabPoints * kLabColumns; ++i) lines.removeAt(countLine + 2);
  ProjectRecord record = FilledRecord();
  ASSERT_TRUE(ReadProjectBytes(Join(lines), QStringLiteral("lab.BNL"), record).read);
  EXPECT_EQ(record.LabPointCount, 0);
  EXPECT_EQ(record.LabPoints[0][0], 0.0f);
  EXPECT_EQ(record.BoltStrength, FilledRecord().BoltStrength);
}

TEST_F(GoldenFileTest, ReadsWindows1253AndEveryKindOfLineEnd) {
  QList<QByteArray> lines = GoldenLines();
  lines[2] = "\xD3\xDE\xF1\xE1\xE3\xE3\xE1 \xC1\x31";  // "Σήραγγα Α1" in the Greek ANSI code page
  lines[4] = "\xE1\xF0\xEF\xF8\xE7";                   // "αποψη"
  const QString path = WriteFile(Path("greek.BNL"), Join(lines));
  ProjectRecord record;
  record.ProjectPath = path;
  QString message;
  ASSERT_TRUE(ReadProjectFile(record.ProjectPath, record, message)) << message.toStdString();
  EXPECT_EQ(record.ProjectPath, path);
  EXPECT_EQ(record.ProjectTitle, QStringLiteral("Σήραγγα Α1"));
  EXPECT_TRUE(record.ProjectDescription.startsWith(QStringLiteral("αποψη\r\n")));

  const ProjectRecord expected = ExpectedForVersion(kProjectFileVersionWritten);
  for (const QByteArray& end : {QByteArray("\n"), QByteArray("\r")}) {
    ProjectRecord r;
    ASSERT_TRUE(ReadProjectBytes("\xEF\xBB\xBF" + Join(GoldenLines(), end), QStringLiteral("e.BNL"), r).read);
    EXPECT_EQ(Differences(expected, r), "");
  }
  // The last line needs no line break.
  QByteArray unterminated = Golden();
  unterminated.chop(2);
  ProjectRecord r;
  ASSERT_TRUE(ReadProjectBytes(unterminated, QStringLiteral("u.BNL"), r).read);
  EXPECT_EQ(Differences(expected, r), "");
}

TEST_F(ProjectFileTest, MissingAndUnreadableFilesAreReportedWithTheirPath) {
  ProjectRecord record = CurrentProject();
  ProjectReadResult result = ReadProjectFile(Path("missing.BNL"), record);
  EXPECT_FALSE(result.read);
  EXPECT_EQ(result.errorNumber, ErrorNumber::FileNotFound);
  EXPECT_TRUE(result.message.contains(Path("missing.BNL")));
  EXPECT_EQ(result.Error().Number(), ErrorNumber::FileNotFound);

  result = ReadProjectFile(Home(), record);
  EXPECT_FALSE(result.read);
  EXPECT_NE(result.errorNumber, ErrorNumber{});

  if (PermissionsApply()) {
    const QString locked = WriteFile(Path("locked.BNL"), Golden());
    QFile::setPermissions(locked, QFileDevice::WriteOwner);
    result = ReadProjectFile(locked, record);
    EXPECT_FALSE(result.read);
    EXPECT_EQ(result.errorNumber, ErrorNumber::PermissionDenied);
  }
  EXPECT_EQ(Unchanged(CurrentProject(), record), "");
  EXPECT_TRUE(History().contains(QStringLiteral("Opening: ") + Path("missing.BNL")));
  EXPECT_TRUE(boxes_->Shown().empty());
}

TEST_F(GoldenFileTest, AFileLargerThanAnyProjectIsRefusedUnread) {
  // One byte over the limit, without a byte on disk.
  const QString large = WriteFile(Path("large.BNL"), Golden());
  ASSERT_TRUE(QFile::resize(large, kMaxProjectFileBytes + 1));
  ProjectRecord record = CurrentProject();
  const ProjectReadResult result = ReadProjectFile(large, record);
  EXPECT_FALSE(result.read);
  EXPECT_EQ(result.errorNumber, ErrorNumber::PathFileAccess);
  EXPECT_EQ(result.message, QStringLiteral("Cannot open the project file \"") + large +
                                QStringLiteral("\": it is too large for a project file: 16.1 MB "
                                               "(a project file is at most 16 MB)"));
  EXPECT_EQ(Unchanged(CurrentProject(), record), "");
  // Back at its own size it reads.
  ASSERT_TRUE(QFile::resize(large, Golden().size()));
  EXPECT_TRUE(ReadProjectFile(large, record).read);
}

TEST_F(ProjectFileTest, AFileThatHoldsMoreThanItsSizeSaysIsReadNoFurtherThanTheLimit) {
  // A file of the system that says it is empty and never ends.
  const QString endless = QStringLiteral("/proc/self/pagemap");
  ProjectRecord record = CurrentProject();
  EXPECT_FALSE(RefuseIrregularProjectFile(endless).has_value());
  const ProjectReadResult result = ReadProjectFile(endless, record);
  EXPECT_FALSE(result.read);
  EXPECT_EQ(result.errorNumber, ErrorNumber::PathFileAccess);
  EXPECT_EQ(result.message, QStringLiteral("Cannot open the project file \"/proc/self/pagemap\": it is too large for "
                                           "a project file: more than 16 MB (a project file is at most 16 MB)"));
  EXPECT_EQ(Unchanged(CurrentProject(), record), "");
}

TEST_F(ProjectFileTest, AFailedSaveKeepsTheOldFileAndReturnsTheError) {
  const QString path = WriteFile(Path("old.BNL"), "old contents");

  ProjectRecord record = FilledRecord();
  record.HoekStress.Txy = std::numeric_limits<float>::quiet_NaN();
  std::optional<RuntimeError> error = WriteProjectFile(path, record);
  ASSERT_TRUE(error.has_value());
  EXPECT_EQ(error->Number(), ErrorNumber::Overflow);
  EXPECT_TRUE(error->Description().contains(QStringLiteral("HoekStress.Txy")));
  EXPECT_EQ(ReadFile(path), QByteArray("old contents"));

  record = FilledRecord();
  record.PlaneElasticity.Ex = -std::numeric_limits<double>::infinity();
  error = WriteProjectFile(path, record);
  ASSERT_TRUE(error.has_value());
  EXPECT_EQ(error->Number(), ErrorNumber::Overflow);

  record = FilledRecord();
  record.LabPointCount = 21;
  error = WriteProjectFile(path, record);
  ASSERT_TRUE(error.has_value());
  EXPECT_EQ(error->Number(), ErrorNumber::Subscript);
  EXPECT_EQ(ReadFile(path), QByteArray("old contents"));

  error = WriteProjectFile(Path("no/such/folder/p.BNL"), FilledRecord());
  ASSERT_TRUE(error.has_value());
  EXPECT_TRUE(error->Description().contains(Path("no/such/folder/p.BNL")));

  if (PermissionsApply()) {
    QDir().mkpath(Path("ro"));
    const QString inReadOnly = WriteFile(Path("ro/p.BNL"), "old contents");
    QFile::setPermissions(Path("ro"), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    error = WriteProjectFile(inReadOnly, FilledRecord());
    QFile::setPermissions(Path("ro"), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->Number(), ErrorNumber::PermissionDenied);
    EXPECT_EQ(ReadFile(inReadOnly), QByteArray("old contents"));
  }
  // A title can never break the line structure.
  record = FilledRecord();
  record.ProjectTitle = QStringLiteral("two\r\nlines");
  ProjectRecord back;
  ASSERT_TRUE(ReadProjectBytes(ProjectFileBytes(record), QStringLiteral("t.BNL"), back).read);
  EXPECT_EQ(back.ProjectTitle, QStringLiteral("two  lines"));
  EXPECT_EQ(back.Hooke3DInputs.Flag, FilledRecord().Hooke3DInputs.Flag);
  EXPECT_TRUE(ConvertProjectFiles());
}

// A record whose file is exactly `size` bytes: its description is lines of
// 60 characters (the file's own wrap, so the bytes are those of the file).
ProjectRecord RecordOfFileSize(qint64 size) {
  ProjectRecord record = FilledRecord();
  record.ProjectDescription.clear();
  const qint64 empty = ProjectFileBytes(record).size() - 2;  // an empty description is one empty line
  const qint64 room = size - empty;
  const qint64 fullLines = (room - 3) / 62;
  const qint64 last = room - fullLines * 62 - 2;  // 1..62 characters; above 60 two lines of the wrap
  QString description;
  description.reserve(static_cast<qsizetype>(room));
  for (qint64 i = 0; i < fullLines; ++i) description += QString(60, u'd') + QStringLiteral("\r\n");
  if (last > 60) {
    description += QString(static_cast<qsizetype>(last - 2 - 1), u'e') + QStringLiteral("\r\ne");
  } else {
    description += QString(static_cast<qsizetype>(last), u'e');
  }
  record.ProjectDescription = description;
  return record;
}

TEST_F(ProjectFileTest, SaveWritesAFileOfTheLimitAndRefusesOneByteMore) {
  // At the limit: written, and opened again from the disk.
  const QString path = Path("limit.BNL");
  ProjectRecord record = RecordOfFileSize(kMaxProjectFileBytes);
  ASSERT_EQ(ProjectFileBytes(record).size(), kMaxProjectFileBytes);
  ASSERT_FALSE(WriteProjectFile(path, record).has_value());
  EXPECT_EQ(QFileInfo(path).size(), kMaxProjectFileBytes);
  ProjectRecord back;
  const ProjectReadResult read = ReadProjectFile(path, back);
  ASSERT_TRUE(read.read) << read.message.toStdString();
  EXPECT_EQ(back.ProjectDescription, record.ProjectDescription + QStringLiteral("\r\n"));

  // One byte more: refused before a byte is written, saying the size and
  // the limit; the old file stays and no temporary file is left behind.
  record.ProjectDescription += u'f';
  ASSERT_EQ(ProjectFileBytes(record).size(), kMaxProjectFileBytes + 1);
  const QByteArray old = ReadFile(path);
  HistoryLog::Instance().Clear();
  std::optional<RuntimeError> error = WriteProjectFile(path, record);
  ASSERT_TRUE(error.has_value());
  EXPECT_EQ(error->Number(), ErrorNumber::PathFileAccess);
  EXPECT_EQ(error->Description(), QStringLiteral("Cannot save the project file \"") + path +
                                      QStringLiteral("\": it would be too large for a project file: 16.1 MB "
                                                     "(a project file is at most 16 MB). Shorten the project "
                                                     "description."));
  EXPECT_TRUE(ReadFile(path) == old);
  EXPECT_EQ(QDir(Home()).entryList({QStringLiteral("*limit*")}, QDir::Files | QDir::Hidden),
            QStringList{QStringLiteral("limit.BNL")});
  EXPECT_TRUE(History().contains(QStringLiteral("Saving: ") + path));

  // In Greek.
  EnglishMenus = false;
  error = WriteProjectFile(path, record);
  ASSERT_TRUE(error.has_value());
  EXPECT_EQ(error->Description(), QStringLiteral("Αδύνατη η αποθήκευση του αρχείου έργου \"") + path +
                                      QStringLiteral("\": θα ήταν πολύ μεγάλο για αρχείο έργου: 16.1 MB (ένα αρχείο "
                                                     "έργου έχει το πολύ 16 MB). Συντομεύστε την περιγραφή του "
                                                     "έργου."));
  EXPECT_FALSE(RefuseOversizeProjectFile(path, kMaxProjectFileBytes).has_value());
  EXPECT_TRUE(RefuseOversizeProjectFile(path, kMaxProjectFileBytes + 1).has_value());
}

TEST_F(ProjectFileTest, SaveSaysWhatStandsInPlaceOfTheFileAndLeavesIt) {
  const QString folder = Path("folder.BNL");
  ASSERT_TRUE(QDir().mkpath(folder + QStringLiteral("/inside")));
  const QString pipe = Path("pipe.BNL");
  ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0644), 0);
  struct Case {
    QString path;
    QString why;
  };
  for (const Case& c :
       {Case{folder, QStringLiteral("it is a folder")}, Case{pipe, QStringLiteral("it is a pipe, not a file")}}) {
    SCOPED_TRACE(c.path.toStdString());
    HistoryLog::Instance().Clear();
    const std::optional<RuntimeError> error = WriteProjectFile(c.path, FilledRecord());
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->Number(), ErrorNumber::PathFileAccess);
    EXPECT_EQ(error->Description(),
              QStringLiteral("Cannot save the project file \"") + c.path + QStringLiteral("\": ") + c.why);
    EXPECT_FALSE(History().contains(QStringLiteral("Saving:")));
  }
  EXPECT_TRUE(QFileInfo(folder + QStringLiteral("/inside")).isDir());
  struct stat st {};
  ASSERT_EQ(::stat(QFile::encodeName(pipe).constData(), &st), 0);
  EXPECT_TRUE(S_ISFIFO(st.st_mode));
  EXPECT_EQ(QDir(Home()).entryList({QStringLiteral("*.BNL*")}, QDir::AllEntries | QDir::System | QDir::Hidden),
            QStringList({QStringLiteral("folder.BNL"), QStringLiteral("pipe.BNL")}));
}

TEST_F(ProjectFileTest, OnlyOtherBytesCountAsAChangeOnDisk) {
  const QString path = Path("stamped.BNL");
  ProjectFileStamp stamp;
  ASSERT_FALSE(WriteProjectFile(path, FilledRecord(), &stamp).has_value());
  EXPECT_EQ(stamp.path, path);
  EXPECT_FALSE(ChangedOnDisk(stamp));
  EXPECT_FALSE(ChangedOnDisk(ProjectFileStamp{}));

  // Touched: a new modification time, the same bytes.
  const QByteArray bytes = ReadFile(path);
  const struct timespec later[2] = {{stamp.modifiedNs / 1000000000LL + 100, 0},
                                    {stamp.modifiedNs / 1000000000LL + 100, 0}};
  ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), later, 0), 0);
  EXPECT_FALSE(ChangedOnDisk(stamp));
  // Written anew with the same bytes (a copy put back).
  WriteFile(path, bytes);
  EXPECT_FALSE(ChangedOnDisk(stamp));

  // One byte other, the size kept: changed, whatever the time.
  QByteArray edited = bytes;
  edited[edited.size() - 3] = edited[edited.size() - 3] == '1' ? '0' : '1';
  WriteFile(path, edited);
  EXPECT_TRUE(ChangedOnDisk(stamp));
  const struct timespec same[2] = {{stamp.modifiedNs / 1000000000LL, stamp.modifiedNs % 1000000000LL},
                                   {stamp.modifiedNs / 1000000000LL, stamp.modifiedNs % 1000000000LL}};
  ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), same, 0), 0);
  EXPECT_TRUE(ChangedOnDisk(stamp));
  // Another size; a folder in its place; gone.
  WriteFile(path, bytes + "\r\n");
  EXPECT_TRUE(ChangedOnDisk(stamp));
  QFile::remove(path);
  ASSERT_TRUE(QDir().mkpath(path));
  EXPECT_TRUE(ChangedOnDisk(stamp));
  QDir().rmdir(path);
  EXPECT_FALSE(ChangedOnDisk(stamp));
}

TEST_F(ProjectFileTest, ALockHeldElsewhereIsWaitedForOnTheFileThePathNamesThenRefused) {
  const QString path = Path("locked.BNL");
  const QByteArray name = QFile::encodeName(path);
  ASSERT_FALSE(WriteProjectFile(path, FilledRecord()).has_value());
  // Another copy of the program holds the lock; while this one waits, it
  // puts a new file in place of the old one and holds the new one's lock
  // before it lets the old one go: the lock of the old file is no lock of
  // the project.
  const int old = ::open(name.constData(), O_RDONLY | O_CLOEXEC);
  ASSERT_EQ(::flock(old, LOCK_EX), 0);
  int replaced = -1;
  QTimer::singleShot(300, [&] {
    EXPECT_FALSE(WriteProjectFile(path, FilledRecord()).has_value());
    replaced = ::open(name.constData(), O_RDONLY | O_CLOEXEC);
    EXPECT_EQ(::flock(replaced, LOCK_EX), 0);
    ::close(old);
  });
  ProjectFileLock lock;
  QElapsedTimer waited;
  waited.start();
  const std::optional<RuntimeError> refused = lock.Take(path, 2);
  EXPECT_GE(waited.elapsed(), 2000);
  ASSERT_TRUE(refused.has_value());
  EXPECT_EQ(refused->Number(), ErrorNumber::PathFileAccess);
  EXPECT_EQ(refused->Description(), QStringLiteral("Cannot save the project file \"") + path +
                                        QStringLiteral("\": another program has kept it locked for more than 2 "
                                                       "seconds"));
  EXPECT_FALSE(lock.Held());

  // Let go: taken at once. A file not there yet has nothing to lock.
  ::close(replaced);
  EXPECT_FALSE(lock.Take(path).has_value());
  EXPECT_TRUE(lock.Held());
  EXPECT_FALSE(lock.Take(Path("new.BNL")).has_value());
  EXPECT_FALSE(lock.Held());
}

}  // namespace
}  // namespace brantel
