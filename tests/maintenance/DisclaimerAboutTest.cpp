#include "core/Globals.h"
#include "core/IniFile.h"
#include "core/Settings.h"
#include "core/Version.h"
#include "core/platform/Launcher.h"
#include "core/platform/SystemInfo.h"
#include "maintenance/AboutDialog.h"
#include "maintenance/DisclaimerDialog.h"
#include "support/DialogTest.h"
#include "support/IniValues.h"
#include "support/Renders.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace brantel {
namespace {

class DisclaimerTest : public test::DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    AppNameUpper = QStringLiteral("BRANTEL");
    DisclaimerAtStart = true;
    dialog_ = &Open<DisclaimerDialog>();
  }
  QCheckBox* Tick() const { return Control<QCheckBox>(disclaimer::kDoNotShowAgain); }
  DisclaimerDialog* dialog_ = nullptr;
};

TEST_F(DisclaimerTest, ShowsItsTextAndCaptions) {
  const QString text = DisclaimerText();
  EXPECT_TRUE(text.startsWith(QStringLiteral(
      "Disclaimer of Liability Clause\r\n\r\nThis software is provided 'AS IS' without warranty of any kind "
      "including express or implied warranties of merchantability or fitness for a particular purpose. ")));
  EXPECT_TRUE(text.contains(QStringLiteral("by the authors, the user expressly waives")));
  EXPECT_TRUE(text.contains(QStringLiteral("whether in an action in contract or tort, arising")));
  EXPECT_TRUE(text.endsWith(QStringLiteral("use of, this software in whole or in part. \r\n\r\n")));
  EXPECT_EQ(dialog_->windowTitle(), QStringLiteral("Disclaimer for BRANTEL"));
  EXPECT_EQ(Text(disclaimer::kAccept), QStringLiteral("Accept and Continue"));
  EXPECT_EQ(Text(disclaimer::kDecline), QStringLiteral("Do not Accept and Exit"));
  EXPECT_EQ(Text(disclaimer::kDoNotShowAgain),
            QStringLiteral("I accept this disclaimer for this and any subsequent use of this program. "
                           "Please do not show this disclaimer again."));
  EXPECT_FALSE(Tick()->isChecked());

  test::SaveRender(*dialog_, QStringLiteral("disclaimer"));
  // The check box shows its whole caption.
  EXPECT_GE(Tick()->width(), Tick()->sizeHint().width());
}

TEST_F(DisclaimerTest, AcceptingWithoutTheTickWritesNothing) {
  Press(disclaimer::kAccept);
  EXPECT_TRUE(dialog_->IsAccepted());
  EXPECT_FALSE(dialog_->isVisible());
  EXPECT_TRUE(DisclaimerAtStart);
  EXPECT_FALSE(QFileInfo::exists(SettingsIniPath));
}

TEST_F(DisclaimerTest, AcceptingWithTheTickTurnsItOff) {
  Tick()->setChecked(true);
  Press(disclaimer::kAccept);
  EXPECT_TRUE(dialog_->IsAccepted());
  EXPECT_FALSE(DisclaimerAtStart);
  EXPECT_EQ(ReadIniValue(QStringLiteral("Settings"), QStringLiteral("ShowDisclaim"), SettingsIniPath),
            QStringLiteral("0"));
}

TEST_F(DisclaimerTest, DecliningOrClosingNeverAcceptsNorSaves) {
  Tick()->setChecked(true);
  Press(disclaimer::kDecline);
  EXPECT_FALSE(dialog_->IsAccepted());
  EXPECT_FALSE(dialog_->isVisible());

  DisclaimerDialog& closed = Open<DisclaimerDialog>();
  Tick()->setChecked(true);
  closed.close();
  EXPECT_FALSE(closed.IsAccepted());

  DisclaimerDialog& escaped = Open<DisclaimerDialog>();
  QTest::keyClick(&escaped, Qt::Key_Escape);
  EXPECT_FALSE(escaped.IsAccepted());
  EXPECT_FALSE(escaped.isVisible());

  EXPECT_TRUE(DisclaimerAtStart);
  EXPECT_FALSE(QFileInfo::exists(SettingsIniPath));
}

class AboutTest : public test::DialogTest {
 protected:
  void TearDown() override {
    platform::SetSystemInfoLookup({});
    platform::SetLauncherHandlers({});
    DialogTest::TearDown();
  }
};

TEST_F(AboutTest, ShowsTheVersionAndStartsSystemInformationWhenThereIsOne) {
  std::vector<QString> started;
  bool startWorks = true;
  QString program;
  platform::SetSystemInfoLookup([&] { return program; });
  platform::LauncherHandlers launcher;
  launcher.start = [&](const QString& path, const QStringList& arguments) {
    started.push_back(path);
    EXPECT_TRUE(arguments.isEmpty());
    return startWorks;
  };
  platform::SetLauncherHandlers(launcher);

  AboutDialog& about = Open<AboutDialog>();
  EXPECT_EQ(about.windowTitle(), QStringLiteral("Brantel"));
  EXPECT_EQ(Text(about::kVersion),
            QStringLiteral("Version: %1.%2.%3").arg(version::kMajor).arg(version::kMinor).arg(version::kRevision));
  EXPECT_EQ(Text(about::kSystemInfo), QStringLiteral("&System Info..."));
  test::SaveRender(about, QStringLiteral("about"));

  Press(about::kSystemInfo);  // no program on this desktop
  EXPECT_TRUE(started.empty());
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_EQ(LastMessage(), QStringLiteral("System Information Is Unavailable At This Time"));
  EXPECT_EQ(Messages().back().style, BoxStyle{});

  program = QStringLiteral("/usr/bin/hardinfo");
  Press(about::kSystemInfo);
  EXPECT_EQ(started, std::vector<QString>{program});
  EXPECT_EQ(Messages().size(), 1u);

  startWorks = false;  // found, but it will not start
  Press(about::kSystemInfo);
  EXPECT_EQ(Messages().size(), 2u);

  Press(about::kOk);
  EXPECT_FALSE(about.isVisible());
}

}  // namespace
}  // namespace brantel
