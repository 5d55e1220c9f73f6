// A help file beside the program that is not the one the build made: damaged
// copies are refused with the program's message for a help file that cannot
// be used, and neither the help nor any later look-up of the program's
// resources (the style's icons) can crash on them, nor on a help file cut
// short while it is open.

#include "MainWindowFixture.h"

#include "core/Messages.h"
#include "mainwindow/HelpActions.h"
#include "mainwindow/HelpWindow.h"

#include <QApplication>
#include <QFile>
#include <QIcon>
#include <QRandomGenerator>
#include <QStyle>
#include <QtEndian>

#include <functional>
#include <ostream>
#include <utility>

namespace brantel {
namespace {

using test::ChooseEntry;
using test::MainWindowTest;
using test::TestWindow;

const QString kFailed = QStringLiteral("Operation Failed");
const QString kMissing = QStringLiteral("Help file (Brantel.chm) not available");

// The help file the build made.
QByteArray BuiltHelpFile() {
  QFile file(QStringLiteral(BRANTEL_HELP_FILE));
  if (!file.open(QIODevice::ReadOnly)) return QByteArray();
  return file.readAll();
}

// A Qt resource file: "qres", its format, and where its tree of names and
// its data begin; a node of the tree takes 22 bytes from format 2 on, and a
// folder's node holds its number of children at byte 6.
quint32 Format(const QByteArray& file) { return qFromBigEndian<quint32>(file.constData() + 4); }
quint32 TreeOffset(const QByteArray& file) { return qFromBigEndian<quint32>(file.constData() + 8); }
quint32 DataOffset(const QByteArray& file) { return qFromBigEndian<quint32>(file.constData() + 12); }
constexpr int kNodeSize = 22;

// The damaged copies. Each would crash the program or open blank pages
// without a word if it were trusted; the first two and the changed page
// have the size of the real file, so only its checksum tells them apart.
QByteArray RootClaimingManyChildren(const QByteArray& real) {
  QByteArray file = real;
  qToBigEndian<quint32>(1u << 28, file.data() + TreeOffset(file) + 6);
  return file;
}
QByteArray HeaderOverNoise(const QByteArray& real) {
  QByteArray file = real.left(24);
  QRandomGenerator noise(34);
  while (file.size() < real.size()) file += static_cast<char>(noise.generate() & 0xff);
  return file;
}
QByteArray CutInsideTree(const QByteArray& real) { return real.left(TreeOffset(real) + 3 * kNodeSize + 7); }
QByteArray Empty(const QByteArray&) { return QByteArray(); }
QByteArray Garbage(const QByteArray&) { return QByteArrayLiteral("help"); }
QByteArray OnePageByteChanged(const QByteArray& real) {
  QByteArray file = real;
  file[DataOffset(file) + 40] = static_cast<char>(file[DataOffset(file) + 40] ^ 0x20);
  return file;
}
QByteArray TrailingBytes(const QByteArray& real) { return real + QByteArray(16, 'x'); }

struct DamagedCase {
  const char* name;
  QByteArray (*make)(const QByteArray& real);
};

void PrintTo(const DamagedCase& damaged, std::ostream* out) { *out << damaged.name; }

const DamagedCase kDamaged[] = {
    {"TreeRootClaimingTwoToThe28Children", RootClaimingManyChildren},
    {"ValidHeaderOverNoise", HeaderOverNoise},
    {"CutInsideItsTree", CutInsideTree},
    {"Empty", Empty},
    {"Garbage", Garbage},
    {"OnePageByteChanged", OnePageByteChanged},
    {"TrailingBytesAfterTheFile", TrailingBytes},
};

class HelpFileTest : public MainWindowTest {
 protected:
  void TearDown() override {
    HelpUninitialize();
    MainWindowTest::TearDown();
  }
  QString HelpPath() const { return AppFolder + HelpFileName; }
  void Install(const QByteArray& bytes) {
    QFile::remove(HelpPath());
    WriteFile(HelpPath(), bytes);
  }
  static QString ShownPage() {
    HelpWindow* help = HelpWindow::Existing();
    return help && help->isVisible() ? help->CurrentPage() : QString();
  }
  // Every way the user reaches the help: Contents and Index from the menu,
  // and a topic (F1). Each must give `message` and show no help window.
  void ExpectEveryHelpRequestSays(TestWindow& w, const QString& message) {
    const std::pair<const char*, std::function<void()>> requests[] = {
        {"contents", [&w] { ChooseEntry(w, Command::HelpContents); }},
        {"index", [&w] { ChooseEntry(w, Command::HelpIndex); }},
        {"topic", [] { ShowHelpTopic(1000); }},
    };
    for (const auto& [request, ask] : requests) {
      boxes_->Clear();
      ask();
      ASSERT_EQ(boxes_->Shown().size(), 1u) << request;
      EXPECT_EQ(boxes_->Last().prompt, message) << request;
      EXPECT_EQ(ShownPage(), QString()) << request;
    }
  }
  // Puts the help the build made in place: its index opens, no message.
  void ExpectBuiltHelpOpens(TestWindow& w, const QByteArray& real) {
    Install(real);
    boxes_->Clear();
    ChooseEntry(w, Command::HelpIndex);
    EXPECT_EQ(ShownPage(), QStringLiteral("index.html"));
    EXPECT_TRUE(boxes_->Shown().empty());
  }
  // Looks up resources the way icons are found: through every resource
  // file registered, the help's among them.
  static void ExpectResourceLookUpsWork() {
    const QPixmap icon = QApplication::style()->standardIcon(QStyle::SP_DialogOkButton).pixmap(16, 16);
    EXPECT_FALSE(icon.isNull());
    EXPECT_TRUE(QIcon(QStringLiteral(":/no/such/icon.png")).pixmap(16, 16).isNull());
  }
  static bool HelpPagesReadable() { return QFile::exists(u':' + kHelpRoot + QStringLiteral("/contents.html")); }
};

class DamagedHelpFileTest : public HelpFileTest, public ::testing::WithParamInterface<DamagedCase> {};

TEST_P(DamagedHelpFileTest, IsRefusedWithTheMessageAndNothingCrashes) {
  const QByteArray real = BuiltHelpFile();
  ASSERT_TRUE(real.startsWith("qres"));
  ASSERT_GE(Format(real), 2u);
  ASSERT_LT(DataOffset(real) + 40, TreeOffset(real));
  ASSERT_LE(TreeOffset(real) + 4 * kNodeSize, static_cast<quint32>(real.size()));
  TestWindow& w = LoadWindow();
  Install(GetParam().make(real));
  ExpectEveryHelpRequestSays(w, kFailed);
  EXPECT_FALSE(HelpPagesReadable());
  ExpectResourceLookUpsWork();

  // The help the build made opens after it.
  ExpectBuiltHelpOpens(w, real);
}

INSTANTIATE_TEST_SUITE_P(HelpFile, DamagedHelpFileTest, ::testing::ValuesIn(kDamaged),
                         [](const ::testing::TestParamInfo<DamagedCase>& info) { return info.param.name; });

TEST_F(HelpFileTest, AHelpFileCutShortWhileOpenIsRefusedAtTheNextRequest) {
  const QByteArray real = BuiltHelpFile();
  TestWindow& w = LoadWindow();
  Install(real);
  ChooseEntry(w, Command::HelpContents);
  ASSERT_EQ(ShownPage(), QStringLiteral("contents.html"));
  EXPECT_TRUE(HelpPagesReadable());

  // Cut short in place, as a copy being written over it would leave it.
  ASSERT_TRUE(QFile::resize(HelpPath(), 4096));
  ExpectResourceLookUpsWork();
  ExpectEveryHelpRequestSays(w, kFailed);
  EXPECT_FALSE(HelpPagesReadable());
  ExpectResourceLookUpsWork();

  // Whole again, then taken away while open.
  ExpectBuiltHelpOpens(w, real);
  ASSERT_TRUE(QFile::remove(HelpPath()));
  ExpectEveryHelpRequestSays(w, kMissing);
  EXPECT_FALSE(HelpPagesReadable());
}

TEST_F(HelpFileTest, ThePagesAreReadableFromOpeningUntilTheEndOfTheProgram) {
  const QByteArray real = BuiltHelpFile();
  TestWindow& w = LoadWindow();
  Install(real);
  EXPECT_FALSE(HelpPagesReadable());
  ChooseEntry(w, Command::HelpContents);
  ChooseEntry(w, Command::HelpIndex);
  ShowHelpTopic(1000);
  EXPECT_EQ(ShownPage(), QStringLiteral("about.html"));
  EXPECT_TRUE(HelpPagesReadable());

  // Another program folder: its help file takes the place of the first.
  AppFolder = Home() + QStringLiteral("/other/");
  SetAppHelpFile();
  Install(real);
  ChooseEntry(w, Command::HelpContents);
  EXPECT_EQ(ShownPage(), QStringLiteral("contents.html"));
  EXPECT_TRUE(boxes_->Shown().empty());

  HelpUninitialize();
  EXPECT_EQ(HelpWindow::Existing(), nullptr);
  EXPECT_FALSE(HelpPagesReadable());
  ExpectResourceLookUpsWork();
}

}  // namespace
}  // namespace brantel
