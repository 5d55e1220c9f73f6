#include "mainwindow/TextBrowser.h"

#include "core/ErrorReporting.h"
#include "core/FileBrowsing.h"
#include "core/FileHelpers.h"
#include "core/Globals.h"
#include "core/Messages.h"
#include "core/Settings.h"
#include "core/TextCodec.h"
#include "core/platform/Launcher.h"
#include "forms/FormHelpers.h"
#include "mainwindow/TextView.h"
#include "platform/CommonDialogs.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStyle>
#include <QTextBlock>
#include <QTextDocument>

#include <cerrno>
#include <cmath>
#include <cstring>
#include <functional>
#include <optional>

namespace brantel {
namespace {

using forms::ControlRow;
using forms::FormDesign;
using forms::Kind;

constexpr FormDesign kForm{.name = "frmTextBrow", .width = 10440, .height = 6600, .caption = {"View Source Files"}};
// clang-format off
constexpr ControlRow kControls[] = {
    {.name = "lblDrive", .kind = Kind::Label, .at = {120, 120, 3000, 255}, .caption = {"Select Drive:"}, .partner = textbrowser::kDrive},
    {.name = textbrowser::kDrive, .kind = Kind::ComboBox, .at = {120, 375, 3000, 330}},
    {.name = "lblDir", .kind = Kind::Label, .at = {120, 825, 3000, 255}, .caption = {"Select Folder:"}, .partner = textbrowser::kFolders},
    {.name = textbrowser::kFolders, .kind = Kind::ListBox, .at = {120, 1080, 3000, 2265}},
    {.name = "lblFile", .kind = Kind::Label, .at = {120, 3465, 3000, 255}, .caption = {"Select File:"}, .partner = textbrowser::kFiles},
    {.name = textbrowser::kFiles, .kind = Kind::ListBox, .at = {120, 3720, 3000, 2265}},
    {.name = "lblPattern", .kind = Kind::Label, .at = {120, 6150, 840, 255}, .caption = {"Pattern:"}, .partner = textbrowser::kPattern},
    {.name = textbrowser::kPattern, .kind = Kind::TextBox, .at = {960, 6105, 2160, 330}},
    {.name = "lblCurrent", .kind = Kind::Label, .at = {3360, 120, 1080, 255}, .caption = {"Current file:"}},
    {.name = textbrowser::kCurrentFile, .kind = Kind::Label, .at = {4440, 120, 5880, 255}},
    {.name = "Frame1", .kind = Kind::Frame, .at = {3360, 420, 6960, 5565}, .caption = {"View of Selected File"}},
    {.name = textbrowser::kView, .kind = Kind::Picture, .container = "Frame1", .at = {120, 300, 6720, 5145}, .caption = {"View of Selected File"}},
    {.name = textbrowser::kUseExternalViewer, .kind = Kind::CheckBox, .at = {3360, 6150, 2520, 255}, .caption = {"Use external viewer"}},
    {.name = textbrowser::kSetFont, .kind = Kind::Button, .at = {6900, 6090, 1500, 375}, .caption = {"Set &Font"}},
    {.name = textbrowser::kOk, .kind = Kind::Button, .at = {8820, 6090, 1500, 375}, .caption = {"OK"}, .flags = forms::kDefault},
};
// clang-format on

constexpr int kPathRole = Qt::UserRole;

// The view of the file: plain text, read-only, in the fixed-pitch design
// font, without word wrap, so that a listing keeps its columns.
QWidget* BrowserViewFactory(const forms::ControlRow& row, QWidget* parent) {
  if (std::strcmp(row.name, textbrowser::kView) != 0) return nullptr;
  auto* view = new QPlainTextEdit(parent);
  view->setUndoRedoEnabled(false);
  SetUpReadingView(view);
  return view;
}

// Runs an action when Enter is pressed in a widget.
class EnterKeyFilter : public QObject {
 public:
  EnterKeyFilter(QObject* parent, std::function<void()> action) : QObject(parent), action_(std::move(action)) {}
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::KeyPress) {
      const int key = static_cast<QKeyEvent*>(event)->key();
      if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        action_();
        return true;
      }
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  std::function<void()> action_;
};

// The viewer program and its own arguments, or nothing when the desktop's
// default program has to stand in.
std::optional<QStringList> ResolveViewer(const QString& viewer) {
  const QString command = viewer.trimmed();
  if (command.isEmpty() || command.compare(QStringLiteral("Notepad.exe"), Qt::CaseInsensitive) == 0) {
    return std::nullopt;
  }
  const QString whole = platform::FindProgram(command);
  if (!whole.isEmpty()) return QStringList{whole};
  QStringList parts = QProcess::splitCommand(command);
  if (parts.size() > 1) {
    const QString program = platform::FindProgram(parts.first());
    if (!program.isEmpty()) {
      parts.first() = program;
      return parts;
    }
  }
  return std::nullopt;
}

}  // namespace

QString BrowserScratchPattern() { return UserTempFolder + QStringLiteral("~tmpbr-XXXXXX.tmp"); }

bool OpenInExternalViewer(const QString& viewer, const QString& file) {
  if (const auto command = ResolveViewer(viewer)) {
    return platform::StartProgram(command->first(), command->mid(1) << file);
  }
  return platform::OpenUrl(QUrl::fromLocalFile(file));
}

TextBrowser::TextBrowser(QWidget* owner) : FormDialog(owner) {
  Build(kForm, kControls, BrowserViewFactory);
  ui_.drive = Require<QComboBox>(textbrowser::kDrive);
  ui_.folders = Require<QListWidget>(textbrowser::kFolders);
  ui_.files = Require<QListWidget>(textbrowser::kFiles);
  ui_.pattern = Require<QLineEdit>(textbrowser::kPattern);
  ui_.currentFile = Require<QLabel>(textbrowser::kCurrentFile);
  ui_.view = Require<QPlainTextEdit>(textbrowser::kView);
  ui_.useExternalViewer = Require<QCheckBox>(textbrowser::kUseExternalViewer);
  ui_.setFont = Require<QPushButton>(textbrowser::kSetFont);
  ui_.ok = Require<QPushButton>(textbrowser::kOk);
  SetDesignFont(ui_.view);
  // OK only closes the browser; every unload keeps the pattern, folder and
  // viewer choice.
  WireButtons(nullptr, ui_.ok, nullptr);
  connect(ui_.drive, &QComboBox::currentIndexChanged, this, &TextBrowser::OnDriveChosen);
  // The list is rebuilt for the new folder once the double-click is over.
  connect(ui_.folders, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
    const QString path = item->data(kPathRole).toString();
    QMetaObject::invokeMethod(
        this, [this, path] { OnFolderChosen(path); }, Qt::QueuedConnection);
  });
  ui_.folders->installEventFilter(new EnterKeyFilter(ui_.folders, [this] {
    if (QListWidgetItem* item = ui_.folders->currentItem()) OnFolderChosen(item->data(kPathRole).toString());
  }));
  connect(ui_.files, &QListWidget::itemDoubleClicked, this, [this] { OnFileChosen(); });
  ui_.files->installEventFilter(new EnterKeyFilter(ui_.files, [this] { OnFileChosen(); }));
  connect(ui_.pattern, &QLineEdit::textChanged, this, &TextBrowser::OnPatternEdited);
  connect(ui_.useExternalViewer, &QCheckBox::clicked, this, &TextBrowser::OnExternalViewerToggled);
  connect(ui_.setFont, &QPushButton::clicked, this, &TextBrowser::OnSetFontClicked);
  OnLoad();
}

QStringList TextBrowser::ListedFiles() const {
  QStringList names;
  for (int i = 0; i < ui_.files->count(); ++i) names.append(ui_.files->item(i)->text());
  return names;
}

void TextBrowser::OnLoad() {
  LoadInputs();
  forms::CenterForm(this);
}

void TextBrowser::LoadFromProject() {
  if (BrowseDefaultFilter.trimmed().isEmpty()) {
    BrowseDefaultFilter = QStringLiteral("*.") + FileExtension;
  }
  // A pattern saved earlier is checked like a typed one.
  pattern_ = IsValidFilePattern(BrowseDefaultFilter) ? BrowseDefaultFilter : QStringLiteral("*.*");

  drives_ = BrowserDrives();
  {
    const QSignalBlocker blocker(ui_.drive);
    ui_.drive->addItems(drives_);
  }
  // The folder of the last visit, or the data folder; a folder that has gone
  // since gives way to the next one.
  QStringList folders;
  folders << BrowseLastDir << DataPath << UserFolder << QDir::homePath() << QStringLiteral("/");
  std::optional<RuntimeError> failure;
  for (const QString& folder : folders) {
    if (folder.isEmpty()) continue;
    try {
      ChangeFolder(folder);
      failure.reset();
      break;
    } catch (const RuntimeError& e) {
      failure = e;  // the next folder is tried; the error matters only if none can be listed
    }
  }
  if (failure) LogRuntimeError(*failure);

  ui_.pattern->setText(pattern_);
  ApplyBrowserFont();
  ui_.useExternalViewer->setChecked(BrowseInExternalViewer);
  UpdateViewerState();
}

bool TextBrowser::event(QEvent* event) {
  if (event->type() == QEvent::WindowActivate) ui_.ok->setFocus();
  return forms::FormDialog::event(event);
}

void TextBrowser::FormUnload() {
  BrowseDefaultFilter = ui_.pattern->text();
  BrowseLastDir = WithTrailingSlash(folder_);
  BrowseInExternalViewer = ui_.useExternalViewer->isChecked();
  SaveSettings(SettingsPart::TextBrowse);
}

void TextBrowser::ChangeFolder(const QString& path) {
  const QString folder = CleanFolderPath(path);
  const QStringList subfolders = ListSubfolders(folder);
  const QStringList files = ListMatchingFiles(folder, pattern_);
  folder_ = folder;

  QListWidget* folders = ui_.folders;
  folders->clear();
  const QStringList chain = FolderChain(folder);
  const QIcon open = style()->standardIcon(QStyle::SP_DirOpenIcon);
  const QIcon closed = style()->standardIcon(QStyle::SP_DirClosedIcon);
  for (int depth = 0; depth < chain.size(); ++depth) {
    const QString name = depth == 0 ? QStringLiteral("/") : chain[depth].section(u'/', -1);
    auto* item = new QListWidgetItem(open, QString(depth * 2, u' ') + name, folders);
    item->setData(kPathRole, chain[depth]);
  }
  const int current = static_cast<int>(chain.size()) - 1;
  for (const QString& name : subfolders) {
    auto* item = new QListWidgetItem(closed, QString((current + 1) * 2, u' ') + name, folders);
    item->setData(kPathRole, BrowserFilePath(folder, name));
  }
  folders->setCurrentRow(current);

  ui_.files->clear();
  ui_.files->addItems(files);
  ShowDriveOfFolder();
}

void TextBrowser::ShowDriveOfFolder() {
  const QSignalBlocker blocker(ui_.drive);
  ui_.drive->setCurrentIndex(static_cast<int>(drives_.indexOf(DriveOfPath(folder_, drives_))));
}

void TextBrowser::OpenFolder(const QString& path) { OnFolderChosen(path); }

void TextBrowser::OnDriveChosen() {
  const QString drive = ui_.drive->currentText();
  // A place that cannot be read leaves the folder list where it was.
  if (RunReported([&] { ChangeFolder(drive); })) ShowDriveOfFolder();
}

void TextBrowser::OnFolderChosen(const QString& path) {
  RunReported([&] { ChangeFolder(path); });
}

void TextBrowser::RefreshFiles() {
  RunReported([this] {
    const QStringList files = ListMatchingFiles(folder_, pattern_);
    ui_.files->clear();
    ui_.files->addItems(files);
  });
}

bool TextBrowser::SelectFile(const QString& name) {
  const auto found = ui_.files->findItems(name, Qt::MatchFixedString);
  if (found.isEmpty()) return false;
  ui_.files->setCurrentItem(found.first());
  return true;
}

void TextBrowser::OnPatternEdited() {
  const QString text = ui_.pattern->text();
  // The text is both the list's pattern and its file name: an exact name
  // is selected. A text that is no pattern shows every file.
  pattern_ = IsValidFilePattern(text) ? text : QStringLiteral("*.*");
  RefreshFiles();
  SelectFile(text.trimmed());
}

void TextBrowser::OnFileChosen() {
  QListWidgetItem* item = ui_.files->currentItem();
  if (!item) return;
  const QString path = BrowserFilePath(folder_, item->text());
  if (ui_.useExternalViewer->isChecked()) {
    ViewExternally(path);
    return;
  }
  // "Current file" names the file the view shows: a file refused leaves the
  // view, and so the label, as they were.
  RunReported([&] {
    const forms::WaitPointer wait;
    LoadView(path);
    ui_.currentFile->setText(path);
    ui_.currentFile->setToolTip(path);
  });
}

void TextBrowser::LoadView(const QString& path) {
  // A file far beyond any listing, a pipe, a device or a folder is refused
  // before any read: reading one would take minutes and all the memory,
  // wait for ever or never end.
  if (std::optional<RuntimeError> e = RefuseIrregularBrowserFile(path)) throw *e;
  if (std::optional<RuntimeError> e = RefuseOversizedBrowserFile(path)) throw *e;
  QString text;
  {
    QByteArray bytes;
    // Never more than the limit, whatever size the file gives (a file of
    // /proc gives 0 and never ends).
    if (std::optional<RuntimeError> e = ReadRegularFile(path, bytes, BrowserReadLimit())) throw *e;
    text = DecodeText(bytes);
  }  // the bytes are let go before the view makes its own copy of the text
  // The view keeps a block for every line and lays out each line it shows
  // whole: a text of too many lines or too long a line would keep it busy
  // for minutes and take all the memory, so it never reaches the view.
  if (std::optional<RuntimeError> e = RefuseUnshowableBrowserText(path, text)) throw *e;
  // Each line a block of its own, as the limits counted it; a long line is
  // not laid out again at each key that moves the cursor along it.
  MakeLineSeparatorsLineFeeds(text);
  ui_.view->setPlainText(text);
  const QTextDocument* shown = ui_.view->document();
  KeepLongLinesLaidOut(shown->firstBlock(), shown->lastBlock());
}

void TextBrowser::ViewExternally(const QString& path) {
  // The copy reads the whole file too: a file too large is refused first.
  if (std::optional<RuntimeError> e = RefuseOversizedBrowserFile(path)) {
    ReportError(*e, true);
    return;
  }
  // A copy of its own for every view, so that no link at a known name can
  // send it elsewhere. A failed copy has shown its message.
  const QString scratch = CopyTextFileToNew(path, BrowserScratchPattern(), BrowserReadLimit());
  if (scratch.isEmpty()) return;
  if (!OpenInExternalViewer(ExternalViewer, scratch)) {
    ShowMsg(QStringLiteral("Shell operation failed. Check status of External Viewer: ") + ExternalViewer, Buttons::Ok,
            ErrorTitle);
  }
}

void TextBrowser::OnExternalViewerToggled() { UpdateViewerState(); }

void TextBrowser::UpdateViewerState() { ui_.setFont->setEnabled(!ui_.useExternalViewer->isChecked()); }

void TextBrowser::OnSetFontClicked() {
  QFont font = ui_.view->font();
  font.setFamily(BrowseFontName);
  if (BrowseFontSize > 0.0f && std::isfinite(BrowseFontSize)) font.setPointSizeF(BrowseFontSize);
  font.setBold(BrowseFontBold);
  font.setItalic(BrowseFontItalic);
  // A cancelled dialog hands back the font it was given.
  platform::ShowFontDialog(font, this);
  BrowseFontName = font.family();
  if (font.pointSizeF() > 0.0) BrowseFontSize = static_cast<float>(font.pointSizeF());
  BrowseFontBold = font.bold();
  BrowseFontItalic = font.italic();
  ApplyBrowserFont();
}

void TextBrowser::ApplyBrowserFont() {
  const bool sizeOk = std::isfinite(BrowseFontSize) && BrowseFontSize > 0.0f && BrowseFontSize <= 1638.0f;
  if (BrowseFontName.trimmed().isEmpty() || !sizeOk) {
    ShowMsg(QStringLiteral("Invalid font selection"), Buttons::Ok, ErrorTitle);
    return;
  }
  QFont font = ui_.view->font();
  font.setFamily(BrowseFontName);
  font.setPointSizeF(BrowseFontSize);
  font.setBold(BrowseFontBold);
  font.setItalic(BrowseFontItalic);
  ui_.view->setFont(font);
}

}  // namespace brantel
