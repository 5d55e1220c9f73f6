// The help the build made: every window's topic has its page, whose title
// names the window; every link between the pages leads somewhere; the manual
// has a page for every page of the help.

#include "MainWindowFixture.h"

#include "core/commands/ToolRegistry.h"
#include "core/help/HelpPages.h"
#include "graph/GraphOptionsDialog.h"
#include "graph/GraphWindow.h"
#include "maintenance/AboutDialog.h"
#include "maintenance/DisclaimerDialog.h"
#include "maintenance/FileConversionDialog.h"
#include "maintenance/SettingsDialog.h"
#include "mainwindow/HelpActions.h"
#include "mainwindow/HelpTopics.h"
#include "mainwindow/HelpWindow.h"
#include "plot/StressPlot.h"
#include "tools/failure/CoulombWedgeDialog.h"
#include "tools/stress/FadumChartDialog.h"
#include "tools/stress/Stress2DDialog.h"

#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QResource>
#include <QTextBrowser>

#include <set>

namespace brantel {
namespace {

const QString kRoot = QStringLiteral("/help-under-test");

// The words of a title, for "the page's title names the window": every word
// of the window's title is a word of the page's, in any order and letter case.
std::set<QString> Words(const QString& title) {
  static const QRegularExpression separators(QStringLiteral("[^\\w]+"), QRegularExpression::UseUnicodePropertiesOption);
  const QStringList words = title.toCaseFolded().split(separators, Qt::SkipEmptyParts);
  return {words.begin(), words.end()};
}

class HelpPagesTest : public test::MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    ASSERT_TRUE(QResource::registerResource(QStringLiteral(BRANTEL_HELP_FILE), kRoot));
  }
  void TearDown() override {
    HelpUninitialize();
    QResource::unregisterResource(QStringLiteral(BRANTEL_HELP_FILE), kRoot);
    MainWindowTest::TearDown();
  }
  static QStringList Pages() { return QDir(u':' + kRoot).entryList(QDir::Files, QDir::Name); }
  static QString Page(const QString& file) {
    QFile page(u':' + kRoot + u'/' + file);
    return page.open(QIODevice::ReadOnly) ? QString::fromUtf8(page.readAll()) : QString();
  }
};

TEST_F(HelpPagesTest, EveryWindowShowsItsTopicOnF1AndThePageNamesTheWindow) {
  QFile::copy(QStringLiteral(BRANTEL_HELP_FILE), AppFolder + HelpFileName);
  test::TestWindow& main = LoadWindow();
  GraphWindow* graph = GraphWindow::Load();
  // Every window of the tool registry, made as its menu entry makes it.
  RegisterProgramTools();
  std::vector<std::unique_ptr<QWidget>> windows;
  for (int i = 0; i < kToolCount; ++i) {
    if (const ToolWindow& tool = ToolWindowOf(static_cast<Tool>(i)); tool.make) windows.push_back(tool.make(nullptr));
  }
  // The windows that no entry opens through the registry: the Help menu's
  // about box and disclaimer, the graph window's options, the settings'
  // data-folder chooser, the file conversion (no entry opens it yet), the
  // coefficient chart that the foundation tool opens, and the slope twin of
  // the bolted wedge (its entry is not ready yet).
  windows.emplace_back(std::make_unique<AboutDialog>());
  windows.emplace_back(std::make_unique<DisclaimerDialog>());
  windows.emplace_back(std::make_unique<GraphOptionsDialog>(graph));
  windows.emplace_back(std::make_unique<DataFolderDialog>());
  windows.emplace_back(std::make_unique<FileConversionDialog>());
  windows.emplace_back(std::make_unique<FadumChartDialog>());
  windows.emplace_back(std::make_unique<CoulombWedgeDialog>(nullptr, WedgeTool::Slope));

  std::vector<const QWidget*> carriers{&main, graph};
  for (const auto& window : windows) carriers.push_back(window.get());
  // Two controls of the two-dimensional stress tool carry topics of their own.
  const Stress2DDialog* plane = nullptr;
  for (const auto& window : windows) {
    if (!plane) plane = qobject_cast<const Stress2DDialog*>(window.get());
  }
  ASSERT_NE(plane, nullptr);
  carriers.push_back(plane->findChild<StressPlot*>());
  carriers.push_back(plane->Layout().Require<QPushButton>(stress2d::kHelp));

  std::set<int> carried;
  for (const QWidget* carrier : carriers) {
    ASSERT_NE(carrier, nullptr);
    const QString name = QString::fromLatin1(carrier->metaObject()->className()) + u' ' + carrier->objectName();
    const int topic = HelpTopicOf(carrier);
    carried.insert(topic);
    const QString page = HelpTopicPage(topic);
    ASSERT_FALSE(page.isEmpty()) << name.toStdString() << " carries no topic";
    ShowContextHelp(carrier);
    ASSERT_NE(HelpWindow::Existing(), nullptr);
    EXPECT_EQ(HelpWindow::Existing()->CurrentPage(), page) << name.toStdString();
    EXPECT_FALSE(HelpWindow::Existing()->Browser()->toPlainText().isEmpty()) << page.toStdString();
    if (!carrier->isWindow()) continue;
    // The title as the title bar shows it, without the program's name
    // behind " for ".
    QString title = carrier->windowTitle().remove(QRegularExpression(QStringLiteral(" for \\w+$")));
    if (carrier == &main) title = QStringLiteral("Brantel");
    const std::set<QString> pageWords = Words(help::PageTitle(Page(page)));
    for (const QString& word : Words(title)) {
      EXPECT_TRUE(pageWords.count(word)) << page.toStdString() << " does not name \"" << title.toStdString() << '"';
    }
  }
  const QList<int>& topics = HelpTopics();
  EXPECT_EQ(carried, std::set<int>(topics.begin(), topics.end()));
  GraphWindow::UnloadWindow();
}

TEST_F(HelpPagesTest, EveryTopicHasItsPageAndEveryLinkLeadsToAPageAndAnchor) {
  const QStringList pages = Pages();
  for (int topic : HelpTopics()) {
    EXPECT_TRUE(pages.contains(HelpTopicPage(topic))) << "no page for topic " << topic;
  }
  const QStringList contents = help::PageLinks(Page(kHelpContentsPage));
  for (const QString& file : pages) {
    const QString html = Page(file);
    EXPECT_FALSE(help::PageTitle(html).isEmpty()) << file.toStdString();
    if (file == kHelpContentsPage || file == kHelpIndexPage) continue;
    EXPECT_FALSE(help::PageKeywords(html).isEmpty()) << file.toStdString() << " is missing from the index";
    EXPECT_TRUE(
        contents.filter(QRegularExpression(u'^' + QRegularExpression::escape(file) + QStringLiteral("(#|$)"))).size())
        << file.toStdString() << " is missing from the contents";
  }
  for (const QString& file : pages) {
    for (const QString& link : help::PageLinks(Page(file))) {
      const QString target = link.section(u'#', 0, 0).isEmpty() ? file : link.section(u'#', 0, 0);
      const QString anchor = link.section(u'#', 1);
      ASSERT_TRUE(pages.contains(target)) << file.toStdString() << " links to " << link.toStdString();
      if (!anchor.isEmpty()) {
        EXPECT_TRUE(help::PageAnchors(Page(target)).contains(anchor))
            << file.toStdString() << " links to " << link.toStdString();
      }
    }
  }
}

TEST_F(HelpPagesTest, TheManualHasAPageForEveryPageOfTheHelp) {
  QProcess pdftotext;
  pdftotext.start(QStringLiteral("pdftotext"), {QStringLiteral(BRANTEL_MANUAL_FILE), QStringLiteral("-")});
  ASSERT_TRUE(pdftotext.waitForFinished(30000)) << "pdftotext (poppler-utils) did not run";
  ASSERT_EQ(pdftotext.exitCode(), 0);
  // Letters and digits only: the PDF's text has ligatures, and hyphens that
  // the text extraction drops.
  const auto letters = [](const QString& text) {
    static const QRegularExpression other(QStringLiteral("[^\\w]|_"), QRegularExpression::UseUnicodePropertiesOption);
    return text.normalized(QString::NormalizationForm_KC).remove(other).toCaseFolded();
  };
  QStringList sheets = QString::fromUtf8(pdftotext.readAllStandardOutput()).split(u'\f');
  for (QString& sheet : sheets) sheet = letters(sheet);
  ASSERT_FALSE(sheets.isEmpty());
  EXPECT_TRUE(sheets.front().startsWith(QStringLiteral("brantel")));
  for (const QString& file : Pages()) {
    if (file == kHelpContentsPage || file == kHelpIndexPage) continue;
    const QString title = letters(help::PageTitle(Page(file)));
    const bool found =
        std::any_of(sheets.begin(), sheets.end(), [&](const QString& sheet) { return sheet.startsWith(title); });
    EXPECT_TRUE(found) << "no page of the manual begins with " << title.toStdString();
  }
}

}  // namespace
}  // namespace brantel
