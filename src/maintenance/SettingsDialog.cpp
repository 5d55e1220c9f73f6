#include "maintenance/SettingsDialog.h"

#include "core/Bilingual.h"
#include "core/ChildTask.h"
#include "core/FileBrowsing.h"
#include "core/FileHelpers.h"
#include "core/Globals.h"
#include "core/History.h"
#include "core/Messages.h"
#include "core/Settings.h"
#include "core/SettingsChecks.h"
#include "core/platform/Launcher.h"
#include "forms/FormInputs.h"
#include "platform/CommonDialogs.h"
#include "platform/FileDialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QStyle>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <iterator>
#include <string_view>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace brantel {
namespace {

using forms::ControlRow;
using forms::Kind;

constexpr forms::FormDesign kSetForm{.name = "frmSet", .width = 9360, .height = 6480, .caption = {"Settings"}};

// clang-format off
constexpr ControlRow kSetControls[] = {
    {.name = "Frame1", .kind = Kind::Frame, .at = {120, 120, 4560, 975}, .caption = {"Default units"}},
    {.name = settings::kEnglishUnits, .kind = Kind::Option, .container = "Frame1", .at = {240, 300, 4200, 255}, .caption = {"ft, in, lbs, psi, pcf"}},
    {.name = settings::kMetricUnits, .kind = Kind::Option, .container = "Frame1", .at = {240, 600, 4200, 255}, .caption = {"m, cm, kN, MPa, kN/m3"}},
    {.name = settings::kDisplayHistory, .kind = Kind::CheckBox, .at = {240, 1215, 4320, 255}, .caption = {"Display command history window"}},
    {.name = "Label1", .kind = Kind::Label, .at = {240, 1575, 3060, 255}, .caption = {"Size of command history window (chars)"}, .partner = settings::kHistorySize},
    {.name = settings::kHistorySize, .kind = Kind::TextBox, .at = {3360, 1545, 1080, 285}, .maxLength = 6},
    {.name = settings::kHistoryFont, .kind = Kind::Button, .at = {240, 1920, 1575, 375}, .caption = {"&History Font"}},
    {.name = "Frame2", .kind = Kind::Frame, .at = {120, 2400, 4560, 1815}, .caption = {"Data file options"}},
    {.name = "Label3", .kind = Kind::Label, .container = "Frame2", .at = {120, 330, 600, 255}, .caption = {"Path:"}, .partner = settings::kDataPath},
    {.name = settings::kDataPath, .kind = Kind::TextBox, .container = "Frame2", .at = {720, 300, 3720, 285}},
    {.name = settings::kChooseDataFolder, .kind = Kind::Button, .container = "Frame2", .at = {720, 690, 1935, 375}, .caption = {"Set / Change Path"}},
    {.name = "Label4", .kind = Kind::Label, .container = "Frame2", .at = {120, 1290, 2760, 255}, .caption = {"Default extension for data files:"}, .partner = settings::kDefaultExtension},
    {.name = settings::kDefaultExtension, .kind = Kind::TextBox, .container = "Frame2", .at = {2880, 1260, 855, 285}},
    {.name = "Frame3", .kind = Kind::Frame, .at = {120, 4320, 4560, 1335}, .caption = {"External text (ASCII) viewer"}},
    {.name = "Label5", .kind = Kind::Label, .container = "Frame3", .at = {120, 330, 1080, 255}, .caption = {"Viewer spec:"}, .partner = settings::kExternalViewer},
    {.name = settings::kExternalViewer, .kind = Kind::TextBox, .container = "Frame3", .at = {1200, 300, 3240, 285}},
    {.name = settings::kSelectViewer, .kind = Kind::Button, .container = "Frame3", .at = {1200, 780, 1215, 375}, .caption = {"&Select"}},
    {.name = settings::kDefaultViewer, .kind = Kind::Button, .container = "Frame3", .at = {2520, 780, 1215, 375}, .caption = {"Set Default"}},
    {.name = "Frame4", .kind = Kind::Frame, .at = {4800, 120, 4440, 3120}, .caption = {"Miscellaneous options"}},
    {.name = settings::kKeepRecent, .kind = Kind::CheckBox, .container = "Frame4", .at = {240, 330, 4080, 255}, .caption = {"Keep recent filelist"}},
    {.name = settings::kShortNames, .kind = Kind::CheckBox, .container = "Frame4", .at = {240, 675, 4080, 255}, .caption = {"Short names in  file list"}},
    {.name = settings::kShowDisclaimer, .kind = Kind::CheckBox, .container = "Frame4", .at = {240, 1020, 4080, 255}, .caption = {"Show disclaimer at start-up"}},
    {.name = settings::kMaximizeMainWindow, .kind = Kind::CheckBox, .container = "Frame4", .at = {240, 1365, 4080, 255}, .caption = {"Maximize main menu at start-up"}},
    {.name = settings::kEnableToolbar, .kind = Kind::CheckBox, .container = "Frame4", .at = {240, 1710, 4080, 255}, .caption = {"Enable toolbar"}},
    {.name = settings::kLoadLastProject, .kind = Kind::CheckBox, .container = "Frame4", .at = {240, 2055, 4080, 255}, .caption = {"Load last input file"}},
    {.name = settings::kUpdateReminder, .kind = Kind::CheckBox, .container = "Frame4", .at = {240, 2400, 4080, 255}, .caption = {"Reminder of annual updates"}},
    {.name = settings::kCopyExamples, .kind = Kind::CheckBox, .container = "Frame4", .at = {240, 2745, 4080, 255}, .caption = {"Copy example files"}},
    {.name = settings::kHelp, .kind = Kind::Button, .at = {4920, 5880, 1215, 375}, .caption = {"Help"}},
    {.name = settings::kCancel, .kind = Kind::Button, .at = {6360, 5880, 1215, 375}, .caption = {"Cancel"}},
    {.name = settings::kOk, .kind = Kind::Button, .at = {7800, 5880, 1215, 375}, .caption = {"OK"}, .flags = forms::kDefault},
};
// clang-format on

constexpr forms::FormDesign kPathForm{.name = "frmPath", .width = 6240, .height = 4560, .caption = {"Select Path"}};

// clang-format off
constexpr ControlRow kPathControls[] = {
    {.name = selectpath::kDrives, .kind = Kind::ComboBox, .at = {120, 120, 3720, 315}, .caption = {"Drives"}},
    {.name = selectpath::kFolders, .kind = Kind::ListBox, .at = {120, 555, 3720, 3840}, .caption = {"Folders"}},
    {.name = "Frame1", .kind = Kind::Frame, .at = {3960, 120, 2160, 1575}, .caption = {"Set Path"}},
    {.name = selectpath::kUserHome, .kind = Kind::Option, .container = "Frame1", .at = {120, 300, 1920, 255}, .caption = {"User home"}},
    {.name = selectpath::kApplication, .kind = Kind::Option, .container = "Frame1", .at = {120, 600, 1920, 255}, .caption = {"Application "}},
    {.name = selectpath::kCurrent, .kind = Kind::Option, .container = "Frame1", .at = {120, 900, 1920, 255}, .caption = {"Current"}},
    {.name = selectpath::kUserTemporary, .kind = Kind::Option, .container = "Frame1", .at = {120, 1200, 1920, 255}, .caption = {"User temporary"}},
    {.name = selectpath::kOk, .kind = Kind::Button, .at = {4440, 2640, 1215, 375}, .caption = {"OK"}, .flags = forms::kDefault},
    {.name = selectpath::kCancel, .kind = Kind::Button, .at = {4440, 3120, 1215, 375}, .caption = {"Cancel"}},
    {.name = selectpath::kHelp, .kind = Kind::Button, .at = {4440, 3600, 1215, 375}, .caption = {"Help"}},
};
// clang-format on

QString WithSlash(const QString& folder) { return folder.endsWith(u'/') ? folder : folder + u'/'; }

}  // namespace

// --- SettingsDialog

SettingsDialog::SettingsDialog(QWidget* owner) : FormDialog(owner) {
  Build(kSetForm, kSetControls);
  ui_.units = Options(settings::kDefaultUnits);
  ui_.displayHistory = Require<QCheckBox>(settings::kDisplayHistory);
  ui_.historySize = Require<QLineEdit>(settings::kHistorySize);
  ui_.historyFont = Require<QPushButton>(settings::kHistoryFont);
  ui_.keepRecent = Require<QCheckBox>(settings::kKeepRecent);
  ui_.shortNames = Require<QCheckBox>(settings::kShortNames);
  ui_.showDisclaimer = Require<QCheckBox>(settings::kShowDisclaimer);
  ui_.maximizeMainWindow = Require<QCheckBox>(settings::kMaximizeMainWindow);
  ui_.enableToolbar = Require<QCheckBox>(settings::kEnableToolbar);
  ui_.loadLastProject = Require<QCheckBox>(settings::kLoadLastProject);
  ui_.updateReminder = Require<QCheckBox>(settings::kUpdateReminder);
  ui_.copyExamples = Require<QCheckBox>(settings::kCopyExamples);
  ui_.dataPath = Require<QLineEdit>(settings::kDataPath);
  ui_.extension = Require<QLineEdit>(settings::kDefaultExtension);
  ui_.externalViewer = Require<QLineEdit>(settings::kExternalViewer);

  WireButtons(Require<QPushButton>(settings::kOk), Require<QPushButton>(settings::kCancel),
              Require<QPushButton>(settings::kHelp));
  connect(ui_.displayHistory, &QCheckBox::toggled, this, &SettingsDialog::OnDisplayHistoryToggled);
  connect(ui_.keepRecent, &QCheckBox::toggled, this, &SettingsDialog::OnKeepRecentFilesToggled);
  connect(ui_.shortNames, &QCheckBox::toggled, this, &SettingsDialog::OnShortNamesToggled);
  connect(ui_.copyExamples, &QCheckBox::toggled, this, &SettingsDialog::OnCopyExamplesToggled);
  connect(Require<QPushButton>(settings::kChooseDataFolder), &QPushButton::clicked, this,
          &SettingsDialog::OnChooseDataFolderClicked);
  connect(Require<QPushButton>(settings::kDefaultViewer), &QPushButton::clicked, this,
          &SettingsDialog::OnDefaultViewerClicked);
  connect(Require<QPushButton>(settings::kSelectViewer), &QPushButton::clicked, this,
          &SettingsDialog::OnSelectViewerClicked);
  connect(ui_.historyFont, &QPushButton::clicked, this, &SettingsDialog::OnHistoryFontClicked);
  connect(ui_.extension, &QLineEdit::textChanged, this, &SettingsDialog::OnExtensionEdited);

  OnLoad();
}

void SettingsDialog::OnLoad() {
  SetMessageTitles(TitlePrefix::Settings);
  AddHistoryLine(QStringLiteral("Editing Settings"));
  for (int i = 0; i < kUnitSystemCount; ++i) ui_.units.At(i)->setText(UnitSystemNames[static_cast<std::size_t>(i)]);
  pendingPath_ = false;
  LoadInputs();
  forms::CenterForm(this);
}

void SettingsDialog::LoadFromProject() {
  forms::SetArrayIndex(ui_.units, UnitSystemNumber(NewProjectUnits));
  ui_.displayHistory->setChecked(HistoryShown);
  ui_.historySize->setText(QString::number(HistoryMaxCharacters));
  historySize_ = HistoryMaxCharacters;
  ui_.keepRecent->setChecked(RecentFilesListed);
  ui_.shortNames->setChecked(RecentFilesByName);
  ui_.showDisclaimer->setChecked(DisclaimerAtStart);
  ui_.maximizeMainWindow->setChecked(MainWindowMaximized);
  ui_.enableToolbar->setChecked(ToolbarShown);
  ui_.loadLastProject->setChecked(LastProjectOpensAtStart);
  ui_.updateReminder->setChecked(YearlyUpdateReminder);
  ui_.copyExamples->setChecked(CopyExampleFiles);
  ui_.dataPath->setText(DataPath);
  ui_.extension->setText(FileExtension);
  ui_.externalViewer->setText(ExternalViewer);
  OnDisplayHistoryToggled();
  UpdateShortNamesEnabled();
}

void SettingsDialog::OnActivate() {
  if (!pendingPath_) return;
  ui_.dataPath->setText(PathExchange);
  pendingPath_ = false;
}

void SettingsDialog::OnDisplayHistoryToggled() {
  const bool shown = ui_.displayHistory->isChecked();
  ui_.historySize->setEnabled(shown);
  ui_.historyFont->setEnabled(shown);
}

void SettingsDialog::OnKeepRecentFilesToggled() { UpdateShortNamesEnabled(); }

void SettingsDialog::UpdateShortNamesEnabled() { ui_.shortNames->setEnabled(ui_.keepRecent->isChecked()); }

void SettingsDialog::OnShortNamesToggled() {
  if (loading_) return;
  ShowMsg(QStringLiteral("Option will take effect upon restarting this program"), Buttons::Ok, MsgTitle);
}

void SettingsDialog::OnCopyExamplesToggled() {
  if (loading_ || !ui_.copyExamples->isChecked()) return;
  // The example files go to the user's data folder.
  ShowMsg(QStringLiteral("When this option is enabled, every time the program runs, it will try to copy the "
                         "example files from the install directory to the ") +
              UserFolder +
              QStringLiteral(" directory. The modified files will not be overridden, but missing files will be "
                             "replaced. "),
          Buttons::Ok, QString());
}

void SettingsDialog::OnChooseDataFolderClicked() {
  pendingPath_ = true;
  PathExchange = ui_.dataPath->text();
  forms::ShowModal<DataFolderDialog>(this);
  // This window is active again.
  OnActivate();
}

void SettingsDialog::OnDefaultViewerClicked() { ui_.externalViewer->setText(QStringLiteral("Notepad.exe")); }

void SettingsDialog::OnSelectViewerClicked() {
  platform::FileDialogRequest request;
  request.mode = platform::FileDialogMode::Open;
  request.title = QStringLiteral("Select External Editor");
  // Programs carry no extension here: every file is offered.
  request.filter = QStringLiteral("All Files (*.*)|*.*");
  request.filterIndex = 1;
  const QString current = platform::FindProgram(ui_.externalViewer->text().trimmed());
  if (!current.isEmpty()) request.folder = QFileInfo(current).absolutePath();
  if (const std::optional<QString> chosen = platform::ShowFileDialog(request, this)) {
    ui_.externalViewer->setText(*chosen);
  }
}

void SettingsDialog::OnHistoryFontClicked() {
  QFont font(DisplayFontName);
  if (DisplayFontSize > 0) font.setPointSizeF(DisplayFontSize);
  font.setBold(DisplayFontBold);
  font.setItalic(DisplayFontItalic);
  // Cancel keeps the font as it was.
  if (!platform::ShowFontDialog(font, this)) return;
  DisplayFontName = font.family();
  DisplayFontSize = static_cast<float>(font.pointSizeF());
  DisplayFontBold = font.bold();
  DisplayFontItalic = font.italic();
  emit displayFontChosen();
}

void SettingsDialog::OnExtensionEdited() {
  const QString upper = ExtensionBoxText(ui_.extension->text());
  if (upper == ui_.extension->text()) return;
  const int cursor = ui_.extension->cursorPosition();
  ui_.extension->setText(upper);
  ui_.extension->setCursorPosition(cursor);
}

bool SettingsDialog::ValidateInput() { return ValidateSettings(); }

bool SettingsDialog::ValidateSettings() {
  const DataPathCheck path = CheckDataPath(ui_.dataPath->text());
  if (ui_.dataPath->text() != path.Text) ui_.dataPath->setText(path.Text);
  if (!path.Valid) {
    ShowMsg(QStringLiteral("Invalid Path for Data Files"), Icon::Critical, ErrorTitle);
    forms::FocusBack(ui_.dataPath);
    return false;
  }
  const HistorySizeCheck size = CheckHistorySize(ui_.historySize->text(), forms::EntryValue(ui_.historySize));
  if (!size.Size) {
    ShowMsg(size.Message, Icon::Critical, RangeErrorTitle);
    forms::FocusBack(ui_.historySize);
    return false;
  }
  historySize_ = *size.Size;
  if (!CheckedFileExtension(ui_.extension->text())) {
    ShowMsg(QStringLiteral("Invalid character in file extension"), Icon::Critical, InvalidCharTitle);
    forms::FocusBack(ui_.extension);
    return false;
  }
  return true;
}

void SettingsDialog::CommitToProject() {
  NewProjectUnits = UnitSystemOfNumber(forms::GetArrayIndex(ui_.units));
  HistoryShown = ui_.displayHistory->isChecked();
  HistoryMaxCharacters = historySize_;
  RecentFilesListed = ui_.keepRecent->isChecked();
  RecentFilesByName = ui_.shortNames->isChecked();
  DisclaimerAtStart = ui_.showDisclaimer->isChecked();
  MainWindowMaximized = ui_.maximizeMainWindow->isChecked();
  ToolbarShown = ui_.enableToolbar->isChecked();
  LastProjectOpensAtStart = ui_.loadLastProject->isChecked();
  YearlyUpdateReminder = ui_.updateReminder->isChecked();
  CopyExampleFiles = ui_.copyExamples->isChecked();
  DataPath = CheckDataPath(ui_.dataPath->text()).Text;
  FileExtension = CheckedFileExtension(ui_.extension->text()).value_or(FileExtension);
  ExternalViewer = ui_.externalViewer->text();
  emit settingsApplied();
  AddHistoryLine(QStringLiteral("Settings Modified"));
  SaveSettings(SettingsPart::Main);
}

void SettingsDialog::FormUnload() {
  if (!accepted_) AddHistoryLine(QStringLiteral("Settings Not Modified"));
}

// --- DataFolderDialog

namespace {

// How often the folder chooser looks for the answer of a listing under way.
constexpr int kListingPollMs = 20;

// A mount table is read whole up to this size (some thousands of mounts).
constexpr qint64 kMaxMountTableBytes = 16 * 1024 * 1024;

// The file systems of the kernel's own, which hold no user's files (see
// VolumesInMountTable).
constexpr std::string_view kKernelFileSystems[] = {
    "autofs", "binfmt_misc", "bpf",        "cgroup",     "cgroup2",   "configfs", "debugfs",
    "devpts", "devtmpfs",    "efivarfs",   "fusectl",    "hugetlbfs", "mqueue",   "nsfs",
    "proc",   "pstore",      "rpc_pipefs", "securityfs", "selinuxfs", "sysfs",    "tracefs"};

// A field of the mount table with its escapes ("\040" for a blank: a
// backslash and three octal digits) turned back into the bytes they stand
// for.
QByteArray Unescaped(QByteArrayView field) {
  QByteArray bytes;
  bytes.reserve(field.size());
  const auto octal = [](char c) { return c >= '0' && c <= '7'; };
  for (qsizetype i = 0; i < field.size(); ++i) {
    if (field[i] == '\\' && i + 3 < field.size() && octal(field[i + 1]) && octal(field[i + 2]) && octal(field[i + 3])) {
      bytes += static_cast<char>((field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 + (field[i + 3] - '0'));
      i += 3;
    } else {
      bytes += field[i];
    }
  }
  return bytes;
}

// A folder's listing, done in a process of its own (ChildTask): "1" for a
// folder that can be read, then the name of each subfolder (hidden ones
// left out, links to folders in) with a NUL after it; "0" for anything
// else.
QByteArray ListFolder(const QByteArray& path) {
  const int fd = ::open(path.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return "0";
  DIR* dir = ::fdopendir(fd);
  if (!dir) {
    ::close(fd);
    return "0";
  }
  QByteArray listing = "1";
  while (const dirent* entry = ::readdir(dir)) {
    if (entry->d_name[0] == '.') continue;
    bool folder = entry->d_type == DT_DIR;
    if (entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN) {
      struct stat st {};
      folder = ::fstatat(::dirfd(dir), entry->d_name, &st, 0) == 0 && S_ISDIR(st.st_mode);
    }
    if (folder) listing += QByteArray(entry->d_name) + '\0';
  }
  ::closedir(dir);
  return listing;
}

}  // namespace

QStringList VolumesInMountTable(const QByteArray& table) {
  QStringList volumes;
  for (const QByteArray& line : table.split('\n')) {
    const QList<QByteArray> fields = line.split(' ');
    // The mount point is the fifth field; after the optional fields, "-"
    // and the file system's type.
    qsizetype separator = 6;
    while (separator < fields.size() && fields[separator] != "-") ++separator;
    if (separator + 1 >= fields.size()) continue;
    const QByteArray& type = fields[separator + 1];
    const std::string_view typeName(type.constData(), static_cast<std::size_t>(type.size()));
    if (std::find(std::begin(kKernelFileSystems), std::end(kKernelFileSystems), typeName) !=
        std::end(kKernelFileSystems))
      continue;
    const QByteArray mountPoint = Unescaped(fields[4]);
    if (mountPoint.startsWith('/')) volumes << QFile::decodeName(mountPoint);
  }
  volumes.removeDuplicates();
  std::sort(volumes.begin(), volumes.end());
  return volumes;
}

struct DataFolderDialog::Listing {
  QString folder;
  IfUnreadable ifUnreadable = IfUnreadable::Quiet;
  ChildTask task;
  QElapsedTimer waiting;
  bool saidSilent = false;  // the line that the volume does not answer shows
};

DataFolderDialog::DataFolderDialog(QWidget* owner, const QString& mountTable)
    : FormDialog(owner), mountTable_(mountTable) {
  Build(kPathForm, kPathControls);
  ui_.quickLocations = {Options(selectpath::kQuickLocations)};
  ui_.drives = Require<QComboBox>(selectpath::kDrives);
  ui_.folders = Require<QListWidget>(selectpath::kFolders);
  answerPoll_ = new QTimer(this);
  answerPoll_->setInterval(kListingPollMs);
  connect(answerPoll_, &QTimer::timeout, this, &DataFolderDialog::OnListingAnswered);

  WireButtons(Require<QPushButton>(selectpath::kOk), Require<QPushButton>(selectpath::kCancel),
              Require<QPushButton>(selectpath::kHelp));
  for (const QuickLocation location :
       {QuickLocation::UserData, QuickLocation::Program, QuickLocation::Current, QuickLocation::UserScratch}) {
    connect(ui_.quickLocations.OptionOf(location), &QRadioButton::clicked, this,
            [this, location] { OnQuickLocationChosen(location); });
  }
  connect(ui_.drives, &QComboBox::activated, this, &DataFolderDialog::OnVolumeChosen);
  // A folder of the list opens when it is clicked or entered. The list is
  // refilled once the click has been handled, as it holds the item clicked.
  const auto open = [this](QListWidgetItem* item) {
    const QString folder = item->data(Qt::UserRole).toString();
    QMetaObject::invokeMethod(
        this, [this, folder] { MoveTo(folder, IfUnreadable::Quiet); }, Qt::QueuedConnection);
  };
  connect(ui_.folders, &QListWidget::itemClicked, this, open);
  connect(ui_.folders, &QListWidget::itemActivated, this, open);
  // The folder highlighted is the one OK takes (Enter both opens it and
  // presses OK).
  connect(ui_.folders, &QListWidget::currentItemChanged, this, [this](QListWidgetItem* item) {
    if (item && !item->data(Qt::UserRole).toString().isEmpty()) chosenFolder_ = item->data(Qt::UserRole).toString();
  });

  OnLoad();
}

DataFolderDialog::~DataFolderDialog() = default;

void DataFolderDialog::OnLoad() {
  // The volumes, the root first, from the mount table alone.
  QByteArray table;
  if (ReadRegularFile(mountTable_, table, ReadLimit{kMaxMountTableBytes, {}})) table.clear();
  ui_.drives->addItems(VolumesInMountTable(table));

  // The folder the chooser starts at, else the current folder. Nothing here
  // waits for its volume: the folder shows at once, its subfolders when
  // they are listed.
  ui_.quickLocations.Choose(QuickLocation::Current);
  const QString start = PathExchange.trimmed();
  if (start.isEmpty()) MoveTo(QDir::currentPath(), IfUnreadable::Quiet, 0);
  else MoveTo(start, IfUnreadable::OpenStartFolder, 0);
  forms::CenterForm(this);
}

void DataFolderDialog::OnQuickLocationChosen(QuickLocation location) {
  QString folder;
  switch (location) {
    case QuickLocation::UserData: folder = UserFolder; break;
    case QuickLocation::Program: folder = AppFolder; break;
    case QuickLocation::Current: folder = PathExchange; break;
    case QuickLocation::UserScratch: folder = UserTempFolder; break;
  }
  // An empty or unusable folder leaves the lists where they are.
  MoveTo(folder.trimmed(), IfUnreadable::Quiet);
}

void DataFolderDialog::OnVolumeChosen() { MoveTo(ui_.drives->currentText(), IfUnreadable::SayDriveFailed); }

void DataFolderDialog::MoveTo(const QString& folder, IfUnreadable ifUnreadable, int waitMs) {
  if (folder.isEmpty()) return;
  const QString path = CleanFolderPath(folder);
  // Chosen again while it is being listed: the listing under way answers.
  if (pending_ && pending_->folder == path) {
    pending_->ifUnreadable = ifUnreadable;
    return;
  }
  auto listing = std::make_unique<Listing>();
  listing->folder = path;
  listing->ifUnreadable = ifUnreadable;
  // The user may go on choosing meanwhile: a listing that never answers
  // holds only its own process.
  listing->task =
      ChildTask([path = QFile::encodeName(listing->folder)] { return ListFolder(path); }, WithoutChild::RunHere);
  listing->waiting.start();
  pending_ = std::move(listing);
  if (pending_->task.WaitFor(std::chrono::milliseconds(waitMs))) return OnListingAnswered();
  pending_->saidSilent = waitMs >= kFolderAnswerWaitMs;
  ShowFolder(pending_->folder, {}, pending_->saidSilent);
  answerPoll_->start();
}

void DataFolderDialog::OnListingAnswered() {
  if (!pending_) return answerPoll_->stop();
  if (!pending_->task.Ended()) {
    if (!pending_->saidSilent && pending_->waiting.hasExpired(kFolderAnswerWaitMs)) {
      pending_->saidSilent = true;
      ShowFolder(pending_->folder, {}, true);
    }
    return;
  }
  answerPoll_->stop();
  const std::unique_ptr<Listing> listing = std::move(pending_);
  const QByteArray answer = listing->task.Answer().value_or(QByteArray());
  if (!answer.startsWith('1')) {
    // The lists stay where they were, or go back there.
    if (!listedFolder_.isEmpty()) {
      ShowFolder(listedFolder_, listedSubfolders_);
    } else {
      ui_.folders->clear();
      chosenFolder_.clear();
    }
    switch (listing->ifUnreadable) {
      case IfUnreadable::Quiet: break;
      case IfUnreadable::SayDriveFailed:
        ShowMsg(QStringLiteral("Windows is unable to read selected drive. Make sure the door is closed and the disk "
                               "is formatted and free of errors"),
                Buttons::Ok, ErrorTitle);
        break;
      case IfUnreadable::OpenStartFolder: MoveTo(QDir::currentPath(), IfUnreadable::Quiet, 0); break;
    }
    return;
  }
  QStringList subfolders;
  for (const QByteArray& name : answer.sliced(1).split('\0')) {
    if (!name.isEmpty()) subfolders << QFile::decodeName(name);
  }
  std::sort(subfolders.begin(), subfolders.end(),
            [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
  listedFolder_ = listing->folder;
  listedSubfolders_ = subfolders;
  ShowFolder(listedFolder_, listedSubfolders_);
}

void DataFolderDialog::ShowFolder(const QString& folder, const QStringList& subfolders, bool volumeSilent) {
  chosenFolder_ = folder;
  QStringList volumes;
  for (int i = 0; i < ui_.drives->count(); ++i) volumes << ui_.drives->itemText(i);
  const int drive = ui_.drives->findText(DriveOfPath(folder, volumes));
  if (drive >= 0) ui_.drives->setCurrentIndex(drive);
  const QIcon open = style()->standardIcon(QStyle::SP_DirOpenIcon);
  const QIcon closed = style()->standardIcon(QStyle::SP_DirClosedIcon);
  const QSignalBlocker quiet(ui_.folders);
  ui_.folders->clear();
  // The open folder's parents from the root down, each one step further in,
  // then its subfolders: all from the path, but the subfolders, which its
  // listing gives.
  int depth = 0;
  QListWidgetItem* current = nullptr;
  for (const QString& path : FolderChain(folder)) {
    const QString name = path == QStringLiteral("/") ? path : path.mid(path.lastIndexOf(u'/') + 1);
    auto* item = new QListWidgetItem(open, QString(depth * 2, u' ') + name, ui_.folders);
    item->setData(Qt::UserRole, path);
    current = item;
    ++depth;
  }
  for (const QString& child : subfolders) {
    auto* item = new QListWidgetItem(closed, QString(depth * 2, u' ') + child, ui_.folders);
    item->setData(Qt::UserRole, BrowserFilePath(folder, child));
  }
  if (volumeSilent) {
    auto* line = new QListWidgetItem(
        QString(depth * 2, u' ') + Tr({"(the volume does not answer)", "(ο τόμος δεν αποκρίνεται)"}), ui_.folders);
    line->setFlags(Qt::NoItemFlags);
  }
  ui_.folders->setCurrentItem(current);
}

void DataFolderDialog::FormUnload() {
  if (accepted_) PathExchange = WithSlash(chosenFolder_);
}

}  // namespace brantel
