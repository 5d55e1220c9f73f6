#include "core/Messages.h"
#include "core/NumberFormat.h"
#include "core/Settings.h"
#include "core/commands/Commands.h"
#include "core/commands/ToolRegistry.h"
#include "core/project/ProjectRecord.h"
#include "mainwindow/ProgramTools.h"
#include "platform/Printer.h"
#include "support/DialogTest.h"
#include "support/Renders.h"
#include "tools/stress/CircularFailureDialog.h"
#include "tools/stress/FailureZonePicture.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFileInfo>
#include <QImage>
#include <QLineEdit>
#include <QMenuBar>
#include <QPrinter>
#include <QTest>

#include <cmath>
#include <iterator>
#include <tuple>
#include <utility>
#include <vector>

namespace brantel {
namespace {

using S = FailureState;

// sx, sy, txy; p, a, r, Co, To as the project holds them.
struct Inputs {
  float sx, sy, txy, p, a, r, co, to;
};

void Store(const Inputs& in) {
  Project.CircFailStress = {in.sx, in.sy, in.txy, StressGraph::None};
  CircFailData& d = Project.CircFailInput;
  d = CircFailData{};
  d.InternalPressure = in.p;
  d.A = in.a;
  d.R = in.r;
  d.Co = in.co;
  d.To = in.to;
}

class CircularFailureDialogTest : public test::DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    Store({10, 5, 0, 0, 1, 1, 100, 10});
  }
  CircularFailureDialog& Open() { return DialogTest::Open<CircularFailureDialog>(); }
  CircularFailureDialog& Dialog() const { return static_cast<CircularFailureDialog&>(Current()); }
  FailureZonePicture* Picture() const { return Control<FailureZonePicture>(circularfailure::kZonePicture); }
  static int Count(const QString& text, const QString& line) { return static_cast<int>(text.count(line)); }

  // Whether the picture shows a colour near the point at `angle` degrees
  // (anticlockwise from the right), 100 pixels from the centre of the disc.
  bool ColourAt(float angle, QRgb colour) const {
    const QImage image = Picture()->grab().toImage();
    const double w = angle * 3.14159265358979 / 180;
    const int x = 1 + kZoneCentre.x() + static_cast<int>(std::lround(100 * std::cos(w)));
    const int y = 1 + kZoneCentre.y() - static_cast<int>(std::lround(100 * std::sin(w)));
    for (int dy = -5; dy <= 5; ++dy) {
      for (int dx = -5; dx <= 5; ++dx) {
        if (image.pixel(x + dx, y + dy) == colour) return true;
      }
    }
    return false;
  }
  bool Blue(float angle) const { return ColourAt(angle, qRgb(0, 0, 255)); }
  bool Red(float angle) const { return ColourAt(angle, qRgb(255, 0, 0)); }
};

constexpr const char* kNoCompression = "There is no region that fails in compression";
constexpr const char* kNoTension = "There is no region that fails in tension";
constexpr const char* kAllCompression = "Complete failure in compression";
constexpr const char* kAllTension = "Complete failure in tension";

TEST_F(CircularFailureDialogTest, EachCaseIsClassifiedLoggedAndDrawn) {
  struct Case {
    const char* name;
    Inputs in;
    FailureState compression, tension;
    QStringList findings;
    // The quadrants (0, 90, 180, 270 degrees) hatched blue and red.
    bool blue[4], red[4];
  };
  // Compression fails around theta2 and theta2 + 180, tension across them.
  const Case cases[] = {
      {"none", {10, 5, 0, 0, 1, 1, 100, 100}, S::None, S::None, {kNoCompression, kNoTension}, {}, {}},
      {"compression", {0, 10, 0, 0, 1, 1, 20, 100}, S::Partial, S::None, {kNoTension}, {true, false, true, false}, {}},
      {"tension", {0, 10, 0, 0, 1, 1, 100, 5}, S::None, S::Partial, {kNoCompression}, {}, {false, true, false, true}},
      {"both",
       {0, 10, 0, 0, 1, 1, 20, 5},
       S::Partial,
       S::Partial,
       {},
       {true, false, true, false},
       {false, true, false, true}},
      {"turned",
       {10, 0, 0, 0, 1, 1, 20, 5},
       S::Partial,
       S::Partial,
       {},
       {false, true, false, true},
       {true, false, true, false}},
      {"all-compression",
       {10, 5, 0, 0, 1, 1, 0, 100},
       S::Complete,
       S::None,
       {kAllCompression, kNoTension},
       {true, true, true, true},
       {}},
      {"all-tension",
       {-10, -5, 0, 0, 1, 1, 100, 0},
       S::None,
       S::Complete,
       {kNoCompression, kAllTension},
       {},
       {true, true, true, true}},
      {"equal-reaching-Co",
       {10, 10, 0, 0, 1, 1, 15, 5},
       S::Complete,
       S::None,
       {kAllCompression, kNoTension},
       {true, true, true, true},
       {}},
      {"equal-below-Co", {10, 10, 0, 0, 1, 2, 15, 5}, S::None, S::None, {kNoCompression, kNoTension}, {}, {}},
      {"equal-pressure-tension",
       {10, 10, 0, 30, 1, 1, 100, 30},
       S::None,
       S::Complete,
       {kNoCompression, kAllTension},
       {},
       {true, true, true, true}},
  };
  for (const Case& c : cases) {
    Store(c.in);
    const qsizetype before = History().size();
    Open();
    const QString logged = History().mid(before);
    EXPECT_EQ(Dialog().Zones().Compression, c.compression) << c.name;
    EXPECT_EQ(Dialog().Zones().Tension, c.tension) << c.name;
    // The findings, then the tool's line, and nothing else (no error).
    QStringList expected = c.findings;
    expected << QStringLiteral("Failure Criteria around Circular Openings.");
    QStringList lines;
    for (const QString& line : logged.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts)) {
      lines << line.section(QStringLiteral(". "), 1);
    }
    EXPECT_EQ(lines, expected) << c.name;
    ASSERT_TRUE(Picture()->Drawn()) << c.name;
    for (int q = 0; q < 4; ++q) {
      EXPECT_EQ(Blue(90.0f * q), c.blue[q]) << c.name << " quadrant " << q;
      EXPECT_EQ(Red(90.0f * q), c.red[q]) << c.name << " quadrant " << q;
    }
    test::SaveRender(Dialog(), QStringLiteral("circfail-%1").arg(QLatin1String(c.name)));
  }
  EnglishMenus = false;
  Store(cases[3].in);
  Open();
  test::SaveRender(Dialog(), QStringLiteral("circfail-both-el"));
  EXPECT_TRUE(History().contains(QStringLiteral("Εφαρμογή κριτηρίων αστοχίας σε κυκλικά ανοίγματα.")));
}

TEST_F(CircularFailureDialogTest, EveryChangeRecalculatesAndLogsItsFindings) {
  Store({0, 10, 0, 0, 1, 1, 20, 5});
  Open();
  ASSERT_EQ(Dialog().Zones().Compression, S::Partial);
  Type(circularfailure::kCompressiveStrength, QStringLiteral("100"));  // Co 1, 10: partial; 100: none
  EXPECT_EQ(Dialog().Zones().Compression, S::None);
  EXPECT_EQ(Count(History(), QString::fromLatin1(kNoCompression)), 1);
  Paste(circularfailure::kCompressiveStrength, QStringLiteral("150"));  // each change logs again
  Paste(circularfailure::kCompressiveStrength, QStringLiteral("200"));
  EXPECT_EQ(Count(History(), QString::fromLatin1(kNoCompression)), 3);
  // A partial entry counts as 0, and nothing is refused while typing.
  Type(circularfailure::kCompressiveStrength, QStringLiteral("-"));
  EXPECT_EQ(Dialog().WorkingInput().Co, 0.0f);
  EXPECT_EQ(Dialog().Zones().Compression, S::Partial);
  Type(circularfailure::kSx, QStringLiteral("1x"));
  EXPECT_EQ(Dialog().WorkingStress().Sx, 1.0f);
  EXPECT_TRUE(Messages().empty());

  // The pressure reduces both principal stresses.
  Type(circularfailure::kInternalPressure, QStringLiteral("4"));
  EXPECT_EQ(Dialog().WorkingInput().S1Field, 6.0f);
  EXPECT_EQ(Dialog().WorkingInput().S2Field, -3.0f);
  // r below a is computed while typing; OK refuses it.
  Type(circularfailure::kRadialDistance, QStringLiteral("0.5"));
  EXPECT_TRUE(Dialog().Zones().Computed);
}

TEST_F(CircularFailureDialogTest, ARadiusOrDistanceThatCannotBeUsedIsLogged) {
  Store({0, 10, 0, 0, 1, 1, 20, 5});
  Open();
  const FailureZones drawn = Picture()->Zones();
  // a <= 0: the history says so and the picture stays as it was.
  Type(circularfailure::kOpeningRadius, QStringLiteral("0"));
  EXPECT_TRUE(History().endsWith(QStringLiteral("Error: The opening radius is <= 0\r\n")));
  EXPECT_TRUE(Picture()->Drawn());
  EXPECT_EQ(Picture()->Zones().ZoneLimits, drawn.ZoneLimits);
  Type(circularfailure::kOpeningRadius, QStringLiteral("1"));

  // r = 0 while the box is emptied: the division is logged and the picture,
  // which cannot stand for these inputs, is blanked; no inf or NaN anywhere.
  Type(circularfailure::kRadialDistance, QString());
  EXPECT_TRUE(History().endsWith(QStringLiteral("11 Division by zero\r\n")));
  EXPECT_FALSE(Picture()->Drawn());
  Type(circularfailure::kRadialDistance, QStringLiteral("2"));
  EXPECT_TRUE(Picture()->Drawn());
  // A number beyond the 32-bit range.
  Paste(circularfailure::kSx, QStringLiteral("1e39"));
  EXPECT_TRUE(History().endsWith(QStringLiteral("6 Overflow\r\n")));
  EXPECT_FALSE(Picture()->Drawn());
  // While one box cannot be read, no box reaches the working copy.
  Paste(circularfailure::kCompressiveStrength, QStringLiteral("50"));
  EXPECT_EQ(Dialog().WorkingStress().Sx, 0.0f);
  EXPECT_EQ(Dialog().WorkingInput().Co, 20.0f);
  EXPECT_FALSE(Picture()->Drawn());
  EXPECT_TRUE(Messages().empty());
}

TEST_F(CircularFailureDialogTest, OkRunsTheChecksInOrder) {
  using namespace circularfailure;
  struct Case {
    std::vector<std::pair<const char*, const char*>> entries;
    const char* message;
    const char* focus;
  };
  // Each case refuses its first box in the order sx, sy, txy, a, p, Co, To,
  // r, and then the distance against the radius; a number beyond the 32-bit
  // range fails the first check made on its box.
  const Case cases[] = {
      {{{kSx, "x"}, {kSy, "y"}}, "Invalid value for sx", kSx},
      {{{kSy, "y"}, {kTxy, "t"}}, "Invalid value for sy", kSy},
      {{{kTxy, "t"}}, "Invalid value for txy", kTxy},
      {{{kOpeningRadius, "a"}, {kInternalPressure, "-1"}}, "Invalid value for the opening radius", kOpeningRadius},
      {{{kOpeningRadius, "1e39"}}, "Invalid value for the opening radius", kOpeningRadius},
      {{{kOpeningRadius, "0"}, {kInternalPressure, "-1"}}, "Invalid value for the opening radius: a>0", kOpeningRadius},
      {{{kInternalPressure, "-1"}, {kCompressiveStrength, "c"}},
       "Pressure in the borehole should be >= 0",
       kInternalPressure},
      {{{kInternalPressure, "1e39"}}, "Pressure in the borehole should be >= 0", kInternalPressure},
      // The pressure is read by its leading number: a text without one is 0.
      {{{kInternalPressure, "p"}, {kCompressiveStrength, "c"}},
       "Invalid value for the UCS of the host rock",
       kCompressiveStrength},
      {{{kCompressiveStrength, "-1"}, {kTensileStrength, "-1"}},
       "Invalid value for the UCS of the host rock: Co>=0",
       kCompressiveStrength},
      {{{kTensileStrength, "-1"}, {kRadialDistance, "0"}},
       "Invalid value for the tensile strength of the host rock: To>=0",
       kTensileStrength},
      {{{kTensileStrength, "t"}, {kRadialDistance, "0"}},
       "The distance from the center of the opening should be r>0",
       kRadialDistance},
      {{{kRadialDistance, "0"}}, "The distance from the center of the opening should be r>0", kRadialDistance},
      {{{kRadialDistance, "1e39"}}, "The distance from the center of the opening should be r>0", kRadialDistance},
      {{{kOpeningRadius, "2"}, {kRadialDistance, "1.5"}},
       "The distance from the center of the opening should be greater than the radius",
       kRadialDistance},
  };
  for (const Case& c : cases) {
    Open();
    for (const auto& [box, text] : c.entries) Paste(box, QString::fromUtf8(text));
    Focus(circularfailure::kHelp);
    boxes_->Clear();
    Press(circularfailure::kOk);
    ASSERT_EQ(Messages().size(), 1u) << c.message;
    EXPECT_EQ(LastMessage(), QString::fromUtf8(c.message));
    EXPECT_TRUE(Control<QLineEdit>(c.focus)->hasFocus()) << c.message;
    EXPECT_EQ(Control<QLineEdit>(c.focus)->selectedText(), Text(c.focus)) << c.message;
    EXPECT_TRUE(Dialog().isVisible()) << c.message;
    Dialog().close();
    EXPECT_EQ(Project.CircFailInput.A, 1.0f);
    EXPECT_TRUE(Project.FileSaved);
  }
  // Entries on their way to a number read 0, and OK takes them.
  Open();
  boxes_->Clear();
  for (const auto& [box, text] : {std::pair{kSx, ""},
                                  {kSy, "-"},
                                  {kTxy, "."},
                                  {kOpeningRadius, "1"},
                                  {kInternalPressure, ""},
                                  {kCompressiveStrength, ""},
                                  {kTensileStrength, ""},
                                  {kRadialDistance, "2"}}) {
    Paste(box, QString::fromUtf8(text));
  }
  Press(kOk);
  EXPECT_TRUE(Messages().empty());
  EXPECT_FALSE(Dialog().isVisible());
  const StressInput& s = Project.CircFailStress;
  const CircFailData& d = Project.CircFailInput;
  EXPECT_EQ(std::make_tuple(s.Sx, s.Sy, s.Txy), std::make_tuple(0.0f, 0.0f, 0.0f));
  EXPECT_EQ(std::make_tuple(d.A, d.InternalPressure, d.Co, d.To, d.R), std::make_tuple(1.0f, 0.0f, 0.0f, 0.0f, 2.0f));

  EnglishMenus = false;
  Store({10, 5, 0, 0, 1, 1, 100, 10});
  Open();
  Paste(circularfailure::kCompressiveStrength, QStringLiteral("c"));
  Press(circularfailure::kOk);
  EXPECT_EQ(LastMessage(), QStringLiteral("Εσφαλμένη τιμή γιά την αντοχή Co"));
  Paste(circularfailure::kCompressiveStrength, QStringLiteral("1"));
  Paste(circularfailure::kSx, QStringLiteral("x"));
  Press(circularfailure::kOk);
  EXPECT_EQ(LastMessage(), QStringLiteral("Εσφαλμένη τιμή για το σx"));
}

TEST_F(CircularFailureDialogTest, OkCommitsAndCancelCloseBoxAndExitDoNot) {
  const auto unchanged = [] {
    EXPECT_EQ(Project.CircFailStress.Sx, 10.0f);
    EXPECT_EQ(Project.CircFailInput.Co, 100.0f);
    EXPECT_TRUE(Project.FileSaved);
  };
  Open();
  Type(circularfailure::kSx, QStringLiteral("20"));
  Press(circularfailure::kCancel);
  unchanged();
  Open();
  Type(circularfailure::kCompressiveStrength, QStringLiteral("50"));
  Dialog().close();
  unchanged();
  Open();
  Type(circularfailure::kCompressiveStrength, QStringLiteral("50"));
  Dialog().EntryOf(CircularFailureCommand::Exit)->trigger();
  EXPECT_FALSE(Dialog().isVisible());
  unchanged();

  Open();
  Type(circularfailure::kSx, QStringLiteral("20"));
  Type(circularfailure::kSy, QStringLiteral("-4"));
  Type(circularfailure::kTxy, QStringLiteral("3"));
  Type(circularfailure::kInternalPressure, QStringLiteral("2"));
  Type(circularfailure::kOpeningRadius, QStringLiteral("1.5"));
  Type(circularfailure::kRadialDistance, QStringLiteral("1.5"));  // r = a passes
  Type(circularfailure::kCompressiveStrength, QStringLiteral("40"));
  Type(circularfailure::kTensileStrength, QStringLiteral("2"));
  Press(circularfailure::kOk);
  EXPECT_FALSE(Dialog().isVisible());
  const StressInput& s = Project.CircFailStress;
  const CircFailData& d = Project.CircFailInput;
  EXPECT_EQ(std::make_tuple(s.Sx, s.Sy, s.Txy, s.GraphOption), std::make_tuple(20.0f, -4.0f, 3.0f, StressGraph::None));
  EXPECT_EQ(std::make_tuple(d.InternalPressure, d.A, d.R, d.Co, d.To), std::make_tuple(2.0f, 1.5f, 1.5f, 40.0f, 2.0f));
  EXPECT_NEAR(d.S1Field, 18.3693f, 1e-3);  // 8 + sqrt(153) - 2
  EXPECT_NEAR(d.S2Field, -6.3693f, 1e-3);
  EXPECT_FALSE(Project.FileSaved);
  EXPECT_FALSE(Project.FileEmpty);

  Open();  // reopening shows the committed values
  EXPECT_EQ(Text(circularfailure::kOpeningRadius), QStringLiteral("1.500"));
  EXPECT_EQ(Text(circularfailure::kSy), QStringLiteral("-4.000"));
}

TEST_F(CircularFailureDialogTest, OkWithoutEditsKeepsTheStoredValues) {
  Store({1.23456f, -0.00042f, 7.77777f, 0.12345f, 0.33333f, 0.66667f, 12.34567f, 0.98765f});
  Open();
  EXPECT_EQ(Text(circularfailure::kOpeningRadius), QStringLiteral("0.333"));
  for (const char* box :
       {circularfailure::kSx, circularfailure::kSy, circularfailure::kTxy, circularfailure::kInternalPressure,
        circularfailure::kOpeningRadius, circularfailure::kRadialDistance, circularfailure::kCompressiveStrength,
        circularfailure::kTensileStrength}) {
    Focus(box);
  }
  Press(circularfailure::kOk);
  ASSERT_FALSE(Dialog().isVisible());
  const StressInput& s = Project.CircFailStress;
  const CircFailData& d = Project.CircFailInput;
  EXPECT_EQ(std::make_tuple(s.Sx, s.Sy, s.Txy), std::make_tuple(1.23456f, -0.00042f, 7.77777f));
  EXPECT_EQ(std::make_tuple(d.InternalPressure, d.A, d.R, d.Co, d.To),
            std::make_tuple(0.12345f, 0.33333f, 0.66667f, 12.34567f, 0.98765f));
}

TEST_F(CircularFailureDialogTest, TheMenusSaveNothingPrintAndCopyTheWindow) {
  Store({0, 10, 0, 0, 1, 1, 20, 5});
  Open();
  auto* bar = Dialog().findChild<QMenuBar*>();
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(bar->geometry().topLeft(), QPoint(0, 0));
  EXPECT_EQ(Picture()->y(), bar->height() + 8);  // the design lies below the menu bar
  EXPECT_EQ(Dialog().EntryOf(CircularFailureCommand::Print)->text(), QStringLiteral("Print"));
  EXPECT_EQ(Dialog().EntryOf(CircularFailureCommand::Save)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_S));

  Dialog().EntryOf(CircularFailureCommand::Save)->trigger();
  EXPECT_EQ(LastMessage(), QStringLiteral("Option not active yet"));
  boxes_->Clear();

  // Copy: the window below its menu bar, as shown, drawing included.
  QApplication::clipboard()->clear();
  Dialog().EntryOf(CircularFailureCommand::Copy)->trigger();
  const QImage copied = QApplication::clipboard()->image();
  ASSERT_EQ(copied.size(), QSize(Dialog().width(), Dialog().height() - bar->height()));
  // Beside the principal line along x, in the compression zone.
  const QPoint centre = Picture()->pos() - QPoint(0, bar->height()) + kZoneCentre + QPoint(1, 1);
  bool blue = false;
  for (int dx = 80; dx < 120 && !blue; ++dx) blue = copied.pixel(centre + QPoint(dx, 10)) == qRgb(0, 0, 255);
  EXPECT_TRUE(blue);

  // Print: the same picture on the printer, with no dialog to answer.
  QPrinter& printer = platform::SystemPrinter();
  printer.setOutputFormat(QPrinter::PdfFormat);
  const QString pdf = Home() + QStringLiteral("/window.pdf");
  printer.setOutputFileName(pdf);
  Dialog().EntryOf(CircularFailureCommand::Print)->trigger();
  EXPECT_TRUE(Messages().empty());
  EXPECT_GT(QFileInfo(pdf).size(), 1000);
  // A printer that fails offers Retry or Cancel.
  printer.setOutputFileName(Home() + QStringLiteral("/no/such/window.pdf"));
  AnswerNextBox(Answer::Cancel);
  Dialog().EntryOf(CircularFailureCommand::Print)->trigger();
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_EQ(Messages().back().style.buttons, Buttons::RetryCancel);
  EXPECT_TRUE(Dialog().isVisible());
}

TEST_F(CircularFailureDialogTest, EachMenuEntryKeepsItsDesignNameCaptionAndShortcut) {
  Open();
  EXPECT_EQ(test::MenuBarLayout(*Dialog().findChild<QMenuBar*>()),
            QStringList({"mnuFile &File", "  mnuFileItem(0) Save Ctrl+S", "  mnuFileItem(1) -",
                         "  mnuFileItem(2) Print Ctrl+P", "  mnuFileItem(3) -", "  mnuFileItem(4) Exit Ctrl+X",
                         "mnuEdit &Edit", "  mnuEditItem(0) Copy Ctrl+C"}));
  const std::pair<CircularFailureCommand, const char*> entries[] = {
      {CircularFailureCommand::Save, "mnuFileItem(0)"},
      {CircularFailureCommand::Print, "mnuFileItem(2)"},
      {CircularFailureCommand::Exit, "mnuFileItem(4)"},
      {CircularFailureCommand::Copy, "mnuEditItem(0)"},
  };
  ASSERT_EQ(std::size(entries), static_cast<std::size_t>(kCircularFailureCommandCount));
  for (const auto& [command, name] : entries) {
    ASSERT_NE(Dialog().EntryOf(command), nullptr) << name;
    EXPECT_EQ(Dialog().EntryOf(command)->objectName(), QString::fromLatin1(name));
  }
}

TEST_F(CircularFailureDialogTest, EditKeysInABoxEditTheBoxAndTheMenuKeysWorkElsewhere) {
  Open();
  Control<QLineEdit>(circularfailure::kSx)->selectAll();
  QTest::keyClick(Control(circularfailure::kSx), Qt::Key_X, Qt::ControlModifier);  // cuts the selected text
  EXPECT_TRUE(Dialog().isVisible());
  EXPECT_EQ(Text(circularfailure::kSx), QString());
  QTest::keyClick(Control(circularfailure::kSx), Qt::Key_S, Qt::ControlModifier);
  EXPECT_EQ(LastMessage(), QStringLiteral("Option not active yet"));
  Focus(circularfailure::kHelp);
  QTest::keyClick(Control(circularfailure::kHelp), Qt::Key_X, Qt::ControlModifier);
  EXPECT_FALSE(Dialog().isVisible());
  EXPECT_EQ(Project.CircFailStress.Sx, 10.0f);
}

TEST_F(CircularFailureDialogTest, BoxesCarryTheNamesOfTheirLabels) {
  Open();
  EXPECT_EQ(Control<QLineEdit>(circularfailure::kSx)->accessibleName(), QStringLiteral("sx"));
  EXPECT_EQ(Control<QLineEdit>(circularfailure::kInternalPressure)->accessibleName(), QStringLiteral("pw"));
  EXPECT_EQ(Control<QLineEdit>(circularfailure::kOpeningRadius)->accessibleName(), QStringLiteral("Radius"));
  EXPECT_EQ(Control<QLineEdit>(circularfailure::kRadialDistance)->accessibleName(), QStringLiteral("Radial Distance"));
  EXPECT_EQ(Dialog().windowTitle(), QStringLiteral("Failure Criteria around Circular Openings"));
  EnglishMenus = false;
  Open();
  EXPECT_EQ(Control<QLineEdit>(circularfailure::kTxy)->accessibleName(), QStringLiteral("τxy"));
  EXPECT_EQ(Control<QLineEdit>(circularfailure::kOpeningRadius)->accessibleName(), QStringLiteral("Ακτίνα"));
  EXPECT_EQ(Dialog().EntryOf(CircularFailureCommand::Exit)->text(),
            QStringLiteral("Exit"));  // English in both languages
}

TEST(CircularFailureMenuEntry, TheToolOpensTheDialog) {
  ClearTools();
  RegisterProgramTools();
  test::ExpectToolOpens<CircularFailureDialog>(Tool::CircularFailure);
  EXPECT_FALSE(OwnedByMainWindow(Tool::CircularFailure));
  ClearTools();
}

// The worked example of the tool's help page (in MPa and m).
TEST_F(CircularFailureDialogTest, HelpPageExample) {
  Store({5, 20, 0, 0, 2, 2, 50, 2});
  Open();
  const FailureZones& zones = Dialog().Zones();
  EXPECT_EQ(zones.Compression, S::Partial);
  EXPECT_EQ(zones.Tension, S::Partial);
  const char* const angles[] = {"-16.8", "16.8", "163.2", "196.8", "77.1", "102.9", "257.1", "282.9"};
  for (int i = 0; i < 8; ++i) EXPECT_EQ(Format(zones.ZoneLimits[i], u"#0.0"), QString::fromLatin1(angles[i])) << i;
  EXPECT_TRUE(Blue(0) && Blue(180) && !Blue(90));
  EXPECT_TRUE(Red(90) && Red(270) && !Red(0));
  // A stronger rock: the side walls hold.
  Type(circularfailure::kCompressiveStrength, QStringLiteral("60"));
  EXPECT_EQ(Dialog().Zones().Compression, S::None);
  EXPECT_EQ(Dialog().Zones().Tension, S::Partial);
  EXPECT_TRUE(History().endsWith(QStringLiteral("There is no region that fails in compression\r\n")));
  EXPECT_TRUE(Messages().empty());
}

}  // namespace
}  // namespace brantel
