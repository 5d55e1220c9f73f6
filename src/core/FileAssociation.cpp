#include "core/FileAssociation.h"

#include "core/FileHelpers.h"
#include "core/platform/Launcher.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

namespace brantel {

namespace {

constexpr int kStartTimeoutMs = 10000;
constexpr int kRunTimeoutMs = 60000;

QString XdgFolder(const char* variable, const QString& fallbackBelowHome) {
  const QString value = qEnvironmentVariable(variable);
  if (!value.isEmpty() && QDir::isAbsolutePath(value)) return QDir::cleanPath(value);
  return QDir::cleanPath(QDir::homePath() + u'/' + fallbackBelowHome);
}

bool IsAsciiLetterOrDigit(QChar c) {
  return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9');
}

bool HasControlCharacter(const QString& text) {
  for (const QChar c : text) {
    if (c.unicode() < 0x20 || c.unicode() == 0x7f) return true;
  }
  return false;
}

// A desktop-entry string: backslash, and the control characters a path may
// hold, written as escapes.
QString EscapeDesktopString(const QString& text) {
  QString out;
  out.reserve(text.size());
  for (const QChar c : text) {
    switch (c.unicode()) {
      case u'\\': out += QStringLiteral("\\\\"); break;
      case u'\n': out += QStringLiteral("\\n"); break;
      case u'\t': out += QStringLiteral("\\t"); break;
      case u'\r': out += QStringLiteral("\\r"); break;
      default: out += c;
    }
  }
  return out;
}

QString CommandLineText(const QString& program, const QStringList& arguments) {
  return (QStringList{program} + arguments).join(u' ');
}

// Makes a folder with its parents; a failure line, or "".
QString MakeFolder(const QString& folder) {
  if (QFileInfo(folder).isDir() || QDir().mkpath(folder)) return QString();
  return QStringLiteral("Could not create the folder %1").arg(QDir::toNativeSeparators(folder));
}

// Writes a whole file through a temporary file and a rename; a failure
// line, or "".
QString WriteWholeFile(const QString& path, const QByteArray& bytes) {
  const std::optional<RuntimeError> error = SaveFileAtomically(path, bytes);
  if (!error) return QString();
  return QStringLiteral("Could not write %1: %2").arg(QDir::toNativeSeparators(path), error->Description());
}

}  // namespace

QString XdgDataHome() { return XdgFolder("XDG_DATA_HOME", QStringLiteral(".local/share")); }

QString XdgConfigHome() { return XdgFolder("XDG_CONFIG_HOME", QStringLiteral(".config")); }

QString RunCommandChecked(const QString& program, const QStringList& arguments) {
  const QString command = CommandLineText(program, arguments);
  const QString path = platform::FindProgram(program);
  if (path.isEmpty()) return QStringLiteral("Command not found: %1").arg(program);
  QProcess process;
  process.setProgram(path);
  process.setArguments(arguments);
  process.setProcessChannelMode(QProcess::MergedChannels);
  process.start();
  if (!process.waitForStarted(kStartTimeoutMs)) {
    return QStringLiteral("Could not start: %1 (%2)").arg(command, process.errorString());
  }
  if (!process.waitForFinished(kRunTimeoutMs)) {
    process.kill();
    process.waitForFinished(kStartTimeoutMs);
    return QStringLiteral("Command did not finish: %1").arg(command);
  }
  if (process.exitStatus() != QProcess::NormalExit) {
    return QStringLiteral("Command crashed: %1").arg(command);
  }
  if (process.exitCode() != 0) {
    QString failure = QStringLiteral("Command failed with exit code %1: %2").arg(process.exitCode()).arg(command);
    const QString output = QString::fromLocal8Bit(process.readAll()).trimmed();
    if (!output.isEmpty()) failure += QStringLiteral(" (") + output.section(u'\n', 0, 0).trimmed() + u')';
    return failure;
  }
  return QString();
}

bool IsRegistrableExtension(QStringView extension) {
  if (extension.isEmpty()) return false;
  for (const QChar c : extension) {
    if (!IsAsciiLetterOrDigit(c)) return false;
  }
  return true;
}

QString FileAssociationProgramId(const QString& exeName) {
  QString id = exeName.toLower();
  for (QChar& c : id) {
    if (!((c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9'))) c = u'-';
  }
  return id;
}

QString FileAssociationMimeType(const QString& exeName, const QString& extension) {
  return QStringLiteral("application/x-") + FileAssociationProgramId(exeName) + u'-' + extension.toLower();
}

QString DesktopExecValue(const QString& programPath) {
  QString quoted;
  quoted.reserve(programPath.size() + 2);
  quoted += u'"';
  for (const QChar c : programPath) {
    if (c == u'"' || c == u'`' || c == u'$' || c == u'\\') quoted += u'\\';
    if (c == u'%') quoted += u'%';
    quoted += c;
  }
  quoted += u'"';
  return EscapeDesktopString(quoted) + QStringLiteral(" %f");
}

QByteArray MimePackageText(const QString& mimeType, const QString& extension, const QString& comment) {
  const QString text = QStringLiteral(
                           "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                           "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
                           "  <mime-type type=\"%1\">\n"
                           "    <comment>%2</comment>\n"
                           "    <glob pattern=\"*.%3\"/>\n"
                           "  </mime-type>\n"
                           "</mime-info>\n")
                           .arg(mimeType.toHtmlEscaped(), comment.toHtmlEscaped(), extension.toLower().toHtmlEscaped());
  return text.toUtf8();
}

QByteArray DesktopEntryText(const QString& name, const QString& programPath, const QString& mimeType) {
  QString text = QStringLiteral("[Desktop Entry]\nType=Application\n");
  text += QStringLiteral("Name=") + EscapeDesktopString(name) + u'\n';
  text += QStringLiteral("Exec=") + DesktopExecValue(programPath) + u'\n';
  text += QStringLiteral("MimeType=") + mimeType + QStringLiteral(";\n");
  text += QStringLiteral("Terminal=false\n");
  return text.toUtf8();
}

QByteArray MimeAppsWithDefault(const QByteArray& existing, const QString& mimeType, const QString& desktopId) {
  static const QString kGroup = QStringLiteral("[Default Applications]");
  QStringList lines = QString::fromUtf8(existing).split(u'\n');
  if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
  const QString entry = mimeType + u'=' + desktopId + u';';

  qsizetype header = -1;
  for (qsizetype i = 0; i < lines.size(); ++i) {
    if (lines[i].trimmed() == kGroup) {
      header = i;
      break;
    }
  }
  if (header < 0) {
    if (!lines.isEmpty() && !lines.last().trimmed().isEmpty()) lines << QString();
    lines << kGroup << entry;
  } else {
    bool replaced = false;
    for (qsizetype i = header + 1; i < lines.size() && !lines[i].trimmed().startsWith(u'['); ++i) {
      const QString line = lines[i].trimmed();
      if (line.startsWith(u'#')) continue;
      const qsizetype eq = line.indexOf(u'=');
      if (eq > 0 && line.left(eq).trimmed() == mimeType) {
        lines[i] = entry;
        replaced = true;
        break;
      }
    }
    if (!replaced) lines.insert(header + 1, entry);
  }
  return (lines.join(u'\n') + u'\n').toUtf8();
}

FileAssociationResult AssociateFileType(const QString& folder, const QString& exeName, const QString& extension,
                                        const QString& displayName, const FileAssociationPlaces& places) {
  FileAssociationResult result;
  if (!IsRegistrableExtension(extension)) {
    result.Failures
        << QStringLiteral("Invalid file extension '%1': only letters and digits are allowed").arg(extension);
    return result;
  }
  const QString programPath = JoinPath(folder, exeName);
  result.ProgramPath = programPath;
  if (exeName.isEmpty() || !QDir::isAbsolutePath(programPath) || HasControlCharacter(programPath) ||
      !QFileInfo(programPath).isFile()) {
    result.Failures << QStringLiteral("Program not found: %1").arg(programPath);
    return result;
  }

  const QString dataHome = places.DataHome.isEmpty() ? XdgDataHome() : places.DataHome;
  const QString configHome = places.ConfigHome.isEmpty() ? XdgConfigHome() : places.ConfigHome;
  const CommandRunner run = places.Run ? places.Run : CommandRunner(RunCommandChecked);
  const QString id = FileAssociationProgramId(exeName);
  const QString desktopId = id + QStringLiteral(".desktop");
  result.MimeType = FileAssociationMimeType(exeName, extension);

  const auto note = [&result](const QString& failure) {
    if (!failure.isEmpty()) result.Failures << failure;
    return failure.isEmpty();
  };

  // 1. The MIME type and its glob, then the MIME database.
  const QString mimeFolder = JoinPath(dataHome, QStringLiteral("mime"));
  const QString packages = JoinPath(mimeFolder, QStringLiteral("packages"));
  result.PackageFile = JoinPath(packages, id + u'-' + extension.toLower() + QStringLiteral(".xml"));
  if (note(MakeFolder(packages)) &&
      note(WriteWholeFile(result.PackageFile, MimePackageText(result.MimeType, extension,
                                                              displayName + QStringLiteral(" project file"))))) {
    note(run(QStringLiteral("update-mime-database"), {mimeFolder}));
  }

  // 2. The desktop entry, then the desktop database.
  const QString applications = JoinPath(dataHome, QStringLiteral("applications"));
  result.DesktopFile = JoinPath(applications, desktopId);
  if (note(MakeFolder(applications)) &&
      note(WriteWholeFile(result.DesktopFile, DesktopEntryText(displayName, programPath, result.MimeType)))) {
    note(run(QStringLiteral("update-desktop-database"), {applications}));
  }

  // 3. The program as the type's default handler.
  result.DefaultsFile = JoinPath(configHome, QStringLiteral("mimeapps.list"));
  QByteArray existing;
  QFile current(result.DefaultsFile);
  bool readable = true;
  if (current.exists()) {
    if (current.open(QIODevice::ReadOnly)) {
      existing = current.readAll();
    } else {
      readable = note(QStringLiteral("Could not read %1: %2")
                          .arg(QDir::toNativeSeparators(result.DefaultsFile), current.errorString()));
    }
  }
  if (readable && note(MakeFolder(configHome))) {
    note(WriteWholeFile(result.DefaultsFile, MimeAppsWithDefault(existing, result.MimeType, desktopId)));
  }
  return result;
}

}  // namespace brantel
