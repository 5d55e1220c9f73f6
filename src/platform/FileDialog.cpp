#include "platform/FileDialog.h"

#include "core/platform/Desktop.h"

#include <QDir>
#include <QFileDialog>
#include <QRegularExpression>
#include <QStringList>

#include <algorithm>

namespace brantel::platform {
namespace {

FileDialogHandler& Handler() {
  static FileDialogHandler handler;
  return handler;
}

// The patterns of one filter pair ("*.BNL;*.BAK" or "*.BNL *.BAK"); "*.*"
// means every file, also one without a dot.
QStringList Patterns(const QString& patterns) {
  QStringList out;
  for (const QString& p : patterns.split(QRegularExpression(QStringLiteral("[; ]")), Qt::SkipEmptyParts))
    out << (p == u"*.*" ? QStringLiteral("*") : p);
  return out;
}

// Where a dialog without a starting folder starts.
QString DefaultFolder(const QStringList& patterns) {
  const QDir current = QDir::current();
  if (!current.entryList(patterns, QDir::Files).isEmpty()) return current.absolutePath();
  return DocumentsFolder().value_or(current.absolutePath());
}

}  // namespace

QStringList FileDialogNameFilters(const QString& filter) {
  const QStringList parts = filter.split(u'|');
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QString description = parts[i];
    const qsizetype open = description.indexOf(u'(');
    if (open >= 0) description = description.left(open);
    filters << description.trimmed() + QStringLiteral(" (") + Patterns(parts[i + 1]).join(u' ') + u')';
  }
  return filters;
}

std::optional<QString> ShowFileDialog(const FileDialogRequest& request, QWidget* parent) {
  if (Handler()) return Handler()(request, parent);

  const QStringList filters = FileDialogNameFilters(request.filter);
  const qsizetype selected = std::clamp<qsizetype>(request.filterIndex, 1, std::max<qsizetype>(filters.size(), 1)) - 1;
  const QStringList parts = request.filter.split(u'|');
  const QStringList patterns = 2 * selected + 1 < parts.size() ? Patterns(parts[2 * selected + 1]) : QStringList();

  QFileDialog dialog(parent);
  if (!request.title.isEmpty()) dialog.setWindowTitle(request.title);
  const bool open = request.mode == FileDialogMode::Open;
  dialog.setAcceptMode(open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
  dialog.setFileMode(open ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
  dialog.setNameFilters(filters);
  if (selected < filters.size()) dialog.selectNameFilter(filters[selected]);
  dialog.setDefaultSuffix(request.defaultExtension);
  dialog.setDirectory(request.folder.isEmpty() ? DefaultFolder(patterns) : request.folder);
  if (!request.fileName.isEmpty()) dialog.selectFile(request.fileName);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  const QStringList chosen = dialog.selectedFiles();
  if (chosen.isEmpty()) return std::nullopt;
  return QDir::cleanPath(chosen.front());
}

FileDialogHandler SetFileDialogHandler(FileDialogHandler handler) {
  FileDialogHandler previous = Handler();
  Handler() = std::move(handler);
  return previous;
}

}  // namespace brantel::platform
