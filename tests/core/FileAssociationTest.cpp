#include "core/FileAssociation.h"
#include "core/platform/Launcher.h"
#include "support/TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace brantel {
namespace {

using test::CoreTest;

class FileAssociation : public CoreTest {
 protected:
  void SetUp() override {
    CoreTest::SetUp();
    programFolder_ = Home() + QStringLiteral("/opt/Brantel");
    WriteFile(programFolder_ + QStringLiteral("/brantel"), "#!/bin/sh\n");
    places_.DataHome = Home() + QStringLiteral("/xdg-data");
    places_.ConfigHome = Home() + QStringLiteral("/xdg-config");
    places_.Run = [this](const QString& program, const QStringList& arguments) {
      commands_ << (QStringList{program} + arguments).join(u' ');
      return failingCommand_ == program ? QStringLiteral("Command failed with exit code 1: ") + program : QString();
    };
  }

  FileAssociationResult Associate(const QString& extension) {
    return AssociateFileType(programFolder_ + u'/', QStringLiteral("brantel"), extension, QStringLiteral("Brantel"),
                             places_);
  }

  QString programFolder_;
  FileAssociationPlaces places_;
  QStringList commands_;
  QString failingCommand_;
};

TEST_F(FileAssociation, WritesTheMimePackageTheDesktopEntryAndTheDefault) {
  WriteFile(places_.ConfigHome + QStringLiteral("/mimeapps.list"),
            "[Added Associations]\ntext/plain=gedit.desktop;\n\n[Default Applications]\n"
            "# kept\ntext/plain=gedit.desktop;\n");
  const FileAssociationResult result = Associate(QStringLiteral("BNL"));
  EXPECT_TRUE(result.Succeeded()) << result.Failures.join(u'\n').toStdString();
  EXPECT_EQ(result.MimeType, QStringLiteral("application/x-brantel-bnl"));
  EXPECT_EQ(result.ProgramPath, programFolder_ + QStringLiteral("/brantel"));

  EXPECT_EQ(result.PackageFile, places_.DataHome + QStringLiteral("/mime/packages/brantel-bnl.xml"));
  EXPECT_EQ(QString::fromUtf8(ReadFile(result.PackageFile)),
            QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                           "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
                           "  <mime-type type=\"application/x-brantel-bnl\">\n"
                           "    <comment>Brantel project file</comment>\n"
                           "    <glob pattern=\"*.bnl\"/>\n"
                           "  </mime-type>\n"
                           "</mime-info>\n"));

  EXPECT_EQ(result.DesktopFile, places_.DataHome + QStringLiteral("/applications/brantel.desktop"));
  EXPECT_EQ(QString::fromUtf8(ReadFile(result.DesktopFile)),
            QStringLiteral("[Desktop Entry]\nType=Application\nName=Brantel\nExec=\"") + programFolder_ +
                QStringLiteral("/brantel\" %f\nMimeType=application/x-brantel-bnl;\nTerminal=false\n"));

  EXPECT_EQ(
      commands_,
      (QStringList{QStringLiteral("update-mime-database ") + places_.DataHome + QStringLiteral("/mime"),
                   QStringLiteral("update-desktop-database ") + places_.DataHome + QStringLiteral("/applications")}));

  EXPECT_EQ(ReadFile(result.DefaultsFile),
            QByteArray("[Added Associations]\ntext/plain=gedit.desktop;\n\n[Default Applications]\n"
                       "application/x-brantel-bnl=brantel.desktop;\n# kept\ntext/plain=gedit.desktop;\n"));
  // Registering again replaces the default instead of adding a second one.
  WriteFile(result.DefaultsFile, "[Default Applications]\napplication/x-brantel-bnl=other.desktop;\n");
  EXPECT_TRUE(Associate(QStringLiteral("bnl")).Succeeded());
  EXPECT_EQ(ReadFile(result.DefaultsFile),
            QByteArray("[Default Applications]\napplication/x-brantel-bnl=brantel.desktop;\n"));
}

TEST_F(FileAssociation, ExecQuotesThePathWithItsSpecialCharacters) {
  EXPECT_EQ(DesktopExecValue(QStringLiteral("/opt/brantel/brantel")), QStringLiteral("\"/opt/brantel/brantel\" %f"));
  EXPECT_EQ(DesktopExecValue(QStringLiteral("/opt/my apps/a$b\"c\\d%e`f")),
            QStringLiteral("\"/opt/my apps/a\\\\$b\\\\\"c\\\\\\\\d%%e\\\\`f\" %f"));
  EXPECT_EQ(FileAssociationMimeType(QStringLiteral("My Calc"), QStringLiteral("B2")),
            QStringLiteral("application/x-my-calc-b2"));
  // A new defaults file gets the group.
  EXPECT_EQ(MimeAppsWithDefault({}, QStringLiteral("a/b"), QStringLiteral("c.desktop")),
            QByteArray("[Default Applications]\na/b=c.desktop;\n"));
}

TEST_F(FileAssociation, RefusesBadExtensionsAndMissingProgramsWritingNothing) {
  for (const QString& ext : {QString(), QStringLiteral("B NL"), QStringLiteral("B.NL"), QStringLiteral("*"),
                             QStringLiteral("../x"), QStringLiteral("ΒΝΛ")}) {
    const FileAssociationResult result = Associate(ext);
    ASSERT_EQ(result.Failures.size(), 1) << ext.toStdString();
    EXPECT_TRUE(result.Failures[0].startsWith(QStringLiteral("Invalid file extension"))) << ext.toStdString();
  }
  const FileAssociationResult missing =
      AssociateFileType(programFolder_, QStringLiteral("nothere"), QStringLiteral("BNL"), QStringLiteral("B"), places_);
  ASSERT_EQ(missing.Failures.size(), 1);
  EXPECT_TRUE(missing.Failures[0].startsWith(QStringLiteral("Program not found")));
  EXPECT_FALSE(QFileInfo::exists(places_.DataHome));
  EXPECT_FALSE(QFileInfo::exists(places_.ConfigHome));
  EXPECT_TRUE(commands_.isEmpty());
}

TEST_F(FileAssociation, EveryFailedStepIsListedAndItsFollowersSkipped) {
  // A file where the MIME folder belongs: that folder cannot be made, for the
  // superuser as well; the MIME database is then not updated.
  WriteFile(places_.DataHome + QStringLiteral("/mime"), "not a folder");
  failingCommand_ = QStringLiteral("update-desktop-database");
  const FileAssociationResult result = Associate(QStringLiteral("BNL"));
  ASSERT_EQ(result.Failures.size(), 2) << result.Failures.join(u'\n').toStdString();
  EXPECT_TRUE(result.Failures[0].startsWith(QStringLiteral("Could not create the folder")));
  EXPECT_TRUE(result.Failures[0].contains(QStringLiteral("/mime/packages")));
  EXPECT_EQ(result.Failures[1], QStringLiteral("Command failed with exit code 1: update-desktop-database"));
  EXPECT_EQ(commands_.size(), 1);
  EXPECT_TRUE(QFileInfo::exists(result.DesktopFile));
  EXPECT_TRUE(QFileInfo::exists(result.DefaultsFile));
}

TEST_F(FileAssociation, AReadOnlyDataFolderIsReported) {
  if (!PermissionsApply()) GTEST_SKIP() << "the superuser writes into read-only folders";
  ASSERT_TRUE(QDir().mkpath(places_.DataHome));
  QFile::setPermissions(places_.DataHome, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
  const FileAssociationResult result = Associate(QStringLiteral("BNL"));
  QFile::setPermissions(places_.DataHome, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
  EXPECT_EQ(result.Failures.size(), 2);
  EXPECT_TRUE(commands_.isEmpty());
}

TEST_F(FileAssociation, MissingCommandsAreReportedFailures) {
  const QString emptyPath = Home() + QStringLiteral("/nobin");
  ASSERT_TRUE(QDir().mkpath(emptyPath));
  env_.Set("PATH", emptyPath.toUtf8());
  places_.Run = nullptr;
  const FileAssociationResult result = Associate(QStringLiteral("BNL"));
  EXPECT_EQ(result.Failures, (QStringList{QStringLiteral("Command not found: update-mime-database"),
                                          QStringLiteral("Command not found: update-desktop-database")}));
  EXPECT_TRUE(QFileInfo::exists(result.PackageFile));
  EXPECT_TRUE(QFileInfo::exists(result.DefaultsFile));
}

TEST_F(FileAssociation, TheMimeDatabaseTakesThePackage) {
  if (platform::FindProgram(QStringLiteral("update-mime-database")).isEmpty()) {
    GTEST_SKIP() << "update-mime-database is not installed";
  }
  places_.Run = [](const QString& program, const QStringList& arguments) {
    return program == u"update-mime-database" ? RunCommandChecked(program, arguments) : QString();
  };
  const FileAssociationResult result = Associate(QStringLiteral("BNL"));
  EXPECT_TRUE(result.Succeeded()) << result.Failures.join(u'\n').toStdString();
  const QByteArray globs = ReadFile(places_.DataHome + QStringLiteral("/mime/globs2"));
  EXPECT_TRUE(globs.contains("application/x-brantel-bnl:*.bnl")) << globs.toStdString();
}

TEST_F(FileAssociation, XdgFoldersFollowTheEnvironment) {
  env_.Set("XDG_DATA_HOME", "/srv/data");
  EXPECT_EQ(XdgDataHome(), QStringLiteral("/srv/data"));
  env_.Set("XDG_DATA_HOME", "relative/data");  // not absolute: ignored
  EXPECT_EQ(XdgDataHome(), Home() + QStringLiteral("/.local/share"));
  env_.Unset("XDG_CONFIG_HOME");
  EXPECT_EQ(XdgConfigHome(), Home() + QStringLiteral("/.config"));
}

}  // namespace
}  // namespace brantel
