#include "core/project/ProjectFile.h"

#include "core/FileHelpers.h"
#include "core/Globals.h"
#include "core/History.h"
#include "core/Messages.h"
#include "core/NumberFormat.h"
#include "core/TextCodec.h"
#include "core/project/ProjectFileRows.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QFile>
#include <QStringList>
#include <QThread>
#include <QTimer>

#include <cerrno>
#include <chrono>
#include <cmath>
#include <new>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace brantel {

namespace projectfile {

QString FieldName::ToString() const {
  QString text = QString::fromLatin1(base);
  if (i >= 0) {
    text += u'(' + QString::number(i);
    if (j >= 0) text += u',' + QString::number(j);
    text += u')';
  }
  if (member) text += QString::fromLatin1(member);
  return text;
}

}  // namespace projectfile

namespace {

using projectfile::FieldName;

const QString kCrLf = QStringLiteral("\r\n");

// The blank of the description's rules is the space: a line holding a tab
// holds text the user typed, and is kept.
bool IsBlank(QChar c) { return c == u' '; }

bool IsBlankLine(QStringView line) {
  for (QChar c : line)
    if (!IsBlank(c)) return false;
  return true;
}

// Length of a line without the blanks around it.
qsizetype TrimmedLength(QStringView line) {
  qsizetype first = 0, last = line.size();
  while (first < last && IsBlank(line[first])) ++first;
  while (last > first && IsBlank(line[last - 1])) --last;
  return last - first;
}

// A piece of a file's line for a message: control characters escaped, long
// lines cut short.
QString Quoted(QStringView text) { return QuotedText(text, 40); }

// A path in a message: a file name may hold any character but "/" and NUL.
QString ShownPath(const QString& path) { return ShownText(path, 1024); }

QString CannotOpenText(const QString& path, const QString& why) {
  return Tr({"Cannot open the project file \"%1\": %2", "Αδύνατο το άνοιγμα του αρχείου έργου \"%1\": %2"})
      .arg(ShownPath(path), why);
}

QString CannotSaveText(const QString& path, const QString& why) {
  return Tr({"Cannot save the project file \"%1\": %2", "Αδύνατη η αποθήκευση του αρχείου έργου \"%1\": %2"})
      .arg(ShownPath(path), why);
}

QString LimitMegabytes() { return QString::number(kMaxProjectFileBytes / (1024 * 1024)); }

// A file too large for a project: its size, or nothing where it holds more
// than it says.
QString TooLargeReason(std::optional<qint64> size) {
  return Tr({"it is too large for a project file: %1 (a project file is at most %2 MB)",
             "είναι πολύ μεγάλο για αρχείο έργου: %1 (ένα αρχείο έργου έχει το πολύ %2 MB)"})
      .arg(TooLargeSizeText(size, kMaxProjectFileBytes), LimitMegabytes());
}

// Every read of a project file: kMaxProjectFileBytes, whatever size the
// file gives.
ReadLimit ProjectReadLimit() {
  return ReadLimit{kMaxProjectFileBytes, [](const QString&, std::optional<qint64> size) {
                     return RuntimeError(ErrorNumber::PathFileAccess, TooLargeReason(size));
                   }};
}

// Why a path cannot hold a project, judged without reading it: not an
// ordinary file, or too large. Empty when nothing speaks against it.
QString UnfitReason(const QString& path) {
  const QString irregular = IrregularFileReason(path);
  if (!irregular.isEmpty()) return irregular;
  struct stat st {};
  if (::stat(QFile::encodeName(path).constData(), &st) != 0 || st.st_size <= kMaxProjectFileBytes) return QString();
  return TooLargeReason(static_cast<qint64>(st.st_size));
}

qint64 Nanoseconds(const struct timespec& time) {
  return static_cast<qint64>(time.tv_sec) * 1000000000LL + time.tv_nsec;
}

QByteArray Digest(const QByteArray& bytes) { return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256); }

// The stamp of the file at `path`, whose bytes are `bytes`.
ProjectFileStamp StampOf(const QString& path, const QByteArray& bytes) {
  ProjectFileStamp stamp;
  struct stat st {};
  if (::stat(QFile::encodeName(path).constData(), &st) != 0) return stamp;
  stamp.path = path;
  stamp.size = st.st_size;
  stamp.modifiedNs = Nanoseconds(st.st_mtim);
  stamp.digest = Digest(bytes);
  return stamp;
}

// ---------------------------------------------------------------- writing

// Writes the value lines of the table, version gates ignored.
class RowWriter {
 public:
  explicit RowWriter(QString& out) : out_(out) {}

  template <projectfile::RowInteger T>
  void Int(const FieldName& name, const T& f, int, T) {
    IntLine(Stored(name, f));
  }
  template <projectfile::RowInteger T>
  void NumInt(const FieldName& name, const T& f, int, T) {
    Line(FormatInt(Stored(name, f)));
  }
  void Flag(const FieldName&, const bool& f, projectfile::FlagForm form, int, bool) {
    IntLine(projectfile::StoredFlag(f, form));
  }
  void Num(const FieldName& name, const float& f, int, float) { Line(Number(name, f)); }
  void Num64(const FieldName& name, const double& f, int, double) {
    if (!std::isfinite(f)) NotFinite(name);
    Line(FormatShortest(f));
  }
  void Print(const FieldName& name, const float& f, int, float) {
    const QString text = Number(name, f);
    Line(std::signbit(f) ? text : u' ' + text);
  }
  void Count(const FieldName& name, const int& f, int, int, int maximum) {
    if (f < 0 || f > maximum) {
      RaiseError(ErrorNumber::Subscript, Tr({"The project was not saved: %1 is %2, outside 0 to %3.",
                                             "Το έργο δεν αποθηκεύτηκε: το %1 είναι %2, εκτός των ορίων 0 έως %3."})
                                             .arg(name.ToString(), QString::number(f), QString::number(maximum)));
    }
    IntLine(static_cast<qint16>(f));
  }
  void Rows(const FieldName& name, const LabPointRows& rows, int count, int) {
    for (int r = 0; r < count; ++r)
      for (int c = 0; c < kLabColumns; ++c) Line(Number(FieldName{name.base, nullptr, r + 1, c + 1}, rows[r][c]));
  }

  void Line(const QString& text) {
    out_ += text;
    out_ += kCrLf;
  }
  // A 16-bit integer in the print form: a blank before a non-negative value.
  void IntLine(qint16 value) {
    if (value >= 0) out_ += u' ';
    Line(FormatInt(value));
  }

 private:
  // The 16-bit integer of a row; a value beyond that range is no value of
  // the record (they come from rows and option groups), and is refused
  // rather than written as another number.
  template <projectfile::RowInteger T>
  static qint16 Stored(const FieldName& name, T value) {
    const int stored = projectfile::StoredInt(value);
    if (stored < -32768 || stored > 32767) {
      RaiseError(ErrorNumber::Overflow,
                 Tr({"The project was not saved: %1 is %2, outside -32768 to 32767.",
                     "Το έργο δεν αποθηκεύτηκε: το %1 είναι %2, εκτός των ορίων -32768 έως 32767."})
                     .arg(name.ToString(), QString::number(stored)));
    }
    return static_cast<qint16>(stored);
  }
  static QString Number(const FieldName& name, float value) {
    if (!std::isfinite(value)) NotFinite(name);
    return FormatShortest(value);
  }
  [[noreturn]] static void NotFinite(const FieldName& name) {
    RaiseError(ErrorNumber::Overflow, Tr({"The project was not saved: %1 is not a finite number.",
                                          "Το έργο δεν αποθηκεύτηκε: το %1 δεν είναι πεπερασμένος αριθμός."})
                                          .arg(name.ToString()));
  }

  QString& out_;
};

// ---------------------------------------------------------------- reading

// The lines of a file being read, with the messages of its failures.
class LineReader {
 public:
  LineReader(QStringList lines, QString path) : lines_(std::move(lines)), path_(std::move(path)) {}

  // The next line; a file that ends here is Input past end of file, with
  // the reason given or "the file ends before this line".
  const QString& Next(const FieldName* field, const QString* endReason = nullptr) {
    if (next_ >= lines_.size()) {
      next_ = lines_.size() + 1;
      Fail(ErrorNumber::InputPastEnd, field,
           endReason ? *endReason
                     : Tr({"the file ends before this line", "το αρχείο τελειώνει πριν από αυτή τη γραμμή"}));
    }
    return lines_.at(next_++);
  }
  bool AtEnd() const { return next_ >= lines_.size(); }
  qsizetype LineNumber() const { return next_; }  // of the line read last

  [[noreturn]] void Fail(ErrorNumber number, const FieldName* field, const QString& reason) const {
    const QString where = field ? QStringLiteral(" (") + field->ToString() + u')' : QString();
    RaiseError(number, Tr({"Cannot read the project file \"%1\", line %2%3: %4",
                           "Αδύνατη η ανάγνωση του αρχείου έργου \"%1\", γραμμή %2%3: %4"})
                           .arg(ShownPath(path_), QString::number(next_), where, reason));
  }

 private:
  QStringList lines_;
  QString path_;  // a copy: the caller's may be the ProjectPath of the record being replaced
  qsizetype next_ = 0;
};

// True when the text is a number as a whole whose magnitude is too large.
bool IsNumberOutOfRange(QStringView text) {
  if (ParseNumber(text)) return true;
  try {
    ParseLeadingNumber(text);
  } catch (const RuntimeError&) {
    return true;
  }
  return false;
}

// Reads the value lines of the table, skipping the rows that the file's
// version does not hold.
class RowReader {
 public:
  RowReader(LineReader& lines, int version) : lines_(lines), version_(version) {}

  template <projectfile::RowInteger T>
  void Int(const FieldName& name, T& f, int from, T) {
    if (Holds(from)) f = projectfile::IntOfStored<T>(ReadInt(name));
  }
  template <projectfile::RowInteger T>
  void NumInt(const FieldName& name, T& f, int from, T) {
    if (Holds(from)) f = projectfile::IntOfStored<T>(ReadInt(name));
  }
  void Flag(const FieldName& name, bool& f, projectfile::FlagForm form, int from, bool) {
    if (Holds(from)) f = projectfile::FlagOfStored(ReadInt(name), form);
  }
  void Num(const FieldName& name, float& f, int from, float) {
    if (Holds(from)) f = ReadSingle(name);
  }
  void Print(const FieldName& name, float& f, int from, float) {
    if (Holds(from)) f = ReadSingle(name);
  }
  void Num64(const FieldName& name, double& f, int from, double) {
    if (!Holds(from)) return;
    const QString& line = lines_.Next(&name);
    const std::optional<double> v = ParseNumber(line);
    if (!v) BadNumber(name, line, QStringLiteral("64"));
    f = *v;
  }
  void Count(const FieldName& name, int& f, int from, int, int maximum) {
    if (!Holds(from)) return;
    const qint16 count = ReadInt(name);
    if (count < 0 || count > maximum) {
      lines_.Fail(
          ErrorNumber::Subscript, &name,
          Tr({"%1 test points are outside the range 0 to %2", "%1 σημεία δοκιμής είναι εκτός των ορίων 0 έως %2"})
              .arg(QString::number(count), QString::number(maximum)));
    }
    f = count;
  }
  void Rows(const FieldName& name, LabPointRows& rows, int count, int from) {
    if (!Holds(from)) return;
    for (int r = 0; r < count; ++r)
      for (int c = 0; c < kLabColumns; ++c) rows[r][c] = ReadSingle(FieldName{name.base, nullptr, r + 1, c + 1});
  }

  // A 16-bit integer; a number with a fraction is rounded, halves to even.
  qint16 ReadInt(const FieldName& name) {
    const QString& line = lines_.Next(&name);
    const std::optional<double> v = ParseNumber(line);
    if (!v) {
      if (IsNumberOutOfRange(line)) OutOfIntRange(name, line);
      NotANumber(name, line);
    }
    const double rounded = std::nearbyint(*v);  // the process rounds to nearest, ties to even
    if (!(rounded >= -32768.0 && rounded <= 32767.0)) OutOfIntRange(name, line);
    return static_cast<qint16>(rounded);
  }

 private:
  bool Holds(int from) const { return from <= version_; }

  float ReadSingle(const FieldName& name) {
    const QString& line = lines_.Next(&name);
    const std::optional<float> v = ParseNumberSingle(line);
    if (!v) BadNumber(name, line, QStringLiteral("32"));
    return *v;
  }

  [[noreturn]] void BadNumber(const FieldName& name, const QString& line, const QString& bits) {
    if (IsNumberOutOfRange(line)) {
      lines_.Fail(ErrorNumber::Overflow, &name,
                  Tr({"%1 is outside the range of a %2-bit number", "το %1 είναι εκτός των ορίων αριθμού %2 bit"})
                      .arg(Quoted(line), bits));
    }
    NotANumber(name, line);
  }
  [[noreturn]] void NotANumber(const FieldName& name, const QString& line) {
    lines_.Fail(ErrorNumber::TypeMismatch, &name,
                Tr({"%1 is not a number", "το %1 δεν είναι αριθμός"}).arg(Quoted(line)));
  }
  [[noreturn]] void OutOfIntRange(const FieldName& name, const QString& line) {
    lines_.Fail(ErrorNumber::Overflow, &name,
                Tr({"%1 is outside the range -32768 to 32767", "το %1 είναι εκτός των ορίων -32768 έως 32767"})
                    .arg(Quoted(line)));
  }

  LineReader& lines_;
  int version_;
};

// The signature field of the first line: leading blanks skipped, up to a
// comma or the line end.
QString SignatureField(QStringView line) {
  qsizetype start = 0;
  while (start < line.size() && (line[start] == u' ' || line[start] == u'\t')) ++start;
  const QStringView rest = line.mid(start);
  const qsizetype comma = rest.indexOf(u',');
  return (comma >= 0 ? rest.left(comma) : rest).toString();
}

bool IsMarker(QStringView line) { return line == StartDescMarker() || line == EndDescMarker(); }

// A description line that reads as a marker line once its trailing blanks
// are gone ("##EndDesc##", "##EndDesc##  ") is written with one blank more,
// and read back with one blank less, so that no description line is taken
// for a marker and every one comes back as it was.
bool IsMarkerWithBlanks(QStringView line) {
  qsizetype end = line.size();
  while (end > 0 && IsBlank(line[end - 1])) --end;
  return IsMarker(line.left(end));
}

bool IsEscapedMarker(QStringView line) { return line.endsWith(u' ') && IsMarkerWithBlanks(line); }

// Reads the description block: an optional start marker, then every line
// up to the end marker; lines of blanks only are dropped, every other line
// is kept followed by CR LF.
void ReadProjectDescription(LineReader& lines, QString& description) {
  const FieldName block{"ProjectDescription"};
  const QString noEnd = Tr({"the line \"##EndDesc##\" is missing", "λείπει η γραμμή \"##EndDesc##\""});
  description.clear();
  const QString* line = &lines.Next(&block, &noEnd);
  if (*line == StartDescMarker()) line = &lines.Next(&block, &noEnd);
  while (*line != EndDescMarker()) {
    if (!IsBlankLine(*line)) {
      description += IsEscapedMarker(*line) ? line->chopped(1) : *line;
      description += kCrLf;
    }
    line = &lines.Next(&block, &noEnd);
  }
}

}  // namespace

QString ProjectSignatureOf(int version) { return QStringLiteral("BRANTEL_%1").arg(version + 50); }

void SetProjectSignatures() {
  for (int k = 0; k < kProjectSignatureCount; ++k)
    ProjectSignatures[static_cast<std::size_t>(k)] = ProjectSignatureOf(kProjectFileFirstVersion + k);
}
QString ProjectSignatureWritten() { return ProjectSignatureOf(kProjectFileVersionWritten); }
QString StartDescMarker() { return QStringLiteral("##StartDesc##"); }
QString EndDescMarker() { return QStringLiteral("##EndDesc##"); }

QString ToDotDecimal(float value) { return FormatShortest(value); }
QString ToDotDecimal(double value) { return FormatShortest(value); }
QString ToDotDecimal(qint16 value) { return FormatInt(value); }
QString ToDotDecimal(const QString& text) {
  QString out = text;
  const qsizetype comma = out.indexOf(u',');
  if (comma >= 0) out[comma] = u'.';
  return out;
}

bool CheckFileSignature(const QString& signature, int& fileVersion) {
  for (int k = kProjectSignatureCount - 1; k >= 0; --k) {
    const QString& known = ProjectSignatures[static_cast<std::size_t>(k)];
    if (!known.isEmpty() && signature == known) {
      fileVersion = kProjectFileFirstVersion + k;
      return true;
    }
  }
  // Under the application title, which the history line then carries too.
  ShowMsg(QStringLiteral("Invalid File Type"), Buttons::Ok, AppTitle);
  return false;
}

void WrapLine(QString& line) {
  if (line.size() <= kDescriptionWidth) return;
  QString result;
  result.reserve(line.size() + line.size() / kDescriptionWidth * 2 + 2);
  const QStringView text(line);
  qsizetype pos = 0;
  while (text.size() - pos > kDescriptionWidth) {
    qsizetype cut = kDescriptionWidth;
    if (!IsBlank(text[pos + kDescriptionWidth - 1])) {
      for (qsizetype p = kDescriptionWidth - 1; p >= 40; --p) {
        if (IsBlank(text[pos + p - 1])) {
          cut = p;
          break;
        }
      }
    }
    // Never between the two halves of a character outside the basic plane.
    if (text[pos + cut - 1].isHighSurrogate()) --cut;
    result += text.mid(pos, cut);
    result += kCrLf;
    pos += cut;
  }
  result += text.mid(pos);
  line = result;
}

void WrapDescription(QString& description) {
  if (description.isEmpty()) return;
  QString result;
  result.reserve(description.size() + description.size() / kDescriptionWidth * 2 + 2);
  for (QString line : SplitLines(description)) {
    const qsizetype length = TrimmedLength(line);
    if (length == 0) continue;
    if (length <= kDescriptionWidth) {
      result += line;
      result += kCrLf;
      continue;
    }
    WrapLine(line);
    // A piece of blanks only (a long run of blanks, or the blank after the
    // last cut) would be an empty line that the reader drops.
    for (QStringView piece : QStringView(line).split(kCrLf)) {
      if (IsBlankLine(piece)) continue;
      result += piece;
      result += kCrLf;
    }
  }
  result.chop(kCrLf.size());
  description = result;
}

bool ConvertProjectFiles() { return true; }

QByteArray ProjectFileBytes(const ProjectRecord& record) {
  QString out;
  out.reserve(8192 + record.ProjectDescription.size() + record.ProjectTitle.size());
  RowWriter writer(out);

  writer.Line(ProjectSignatureWritten());
  writer.Int(FieldName{"InputUnits"}, UnitSystemNumber(record.InputUnits), projectfile::kAllVersions, 0);
  // The title is one line of the file whatever it holds.
  QString title = record.ProjectTitle;
  title.replace(u'\r', u' ').replace(u'\n', u' ');
  writer.Line(title);

  writer.Line(StartDescMarker());
  QString description = record.ProjectDescription;
  WrapDescription(description);
  if (description.isEmpty()) {
    writer.Line(QString());
  } else {
    for (const QString& line : SplitLines(description)) writer.Line(IsMarkerWithBlanks(line) ? line + u' ' : line);
  }
  writer.Line(EndDescMarker());

  projectfile::VisitFileRows(record, writer);
  return out.toUtf8();
}

bool ChangedOnDisk(const ProjectFileStamp& stamp) {
  if (stamp.path.isEmpty()) return false;
  struct stat st {};
  if (::stat(QFile::encodeName(stamp.path).constData(), &st) != 0) return false;
  if (!S_ISREG(st.st_mode)) return true;
  if (st.st_size != stamp.size) return true;
  // The same size: the bytes tell, whatever the time says. A file only
  // touched (a backup tool, a copy that keeps nothing of the time) holds
  // what this run wrote; another program's edit may keep the size and put
  // the time back.
  QByteArray bytes;
  const bool unreadable = ReadRegularFile(stamp.path, bytes, ProjectReadLimit()).has_value();
  if (stamp.digest.isEmpty()) return !unreadable || Nanoseconds(st.st_mtim) != stamp.modifiedNs;
  return unreadable || Digest(bytes) != stamp.digest;
}

ProjectFileStamp StampOfFile(const QString& path) {
  QByteArray bytes;
  const bool unreadable = !IrregularFileReason(path).isEmpty() || ReadRegularFile(path, bytes, ProjectReadLimit());
  ProjectFileStamp stamp = StampOf(path, bytes);
  // Named even when nothing stands there now: a file put there later is a
  // change.
  stamp.path = path;
  if (unreadable) stamp.digest.clear();
  return stamp;
}

namespace {

// One round of the wait for a lock: the events that came meanwhile are
// handled, user input held back (DropHeldInput), and the next round starts
// at the next tick of `tick` at the latest.
void WaitOneTick(const QTimer& tick) {
  if (tick.isActive()) {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents | QEventLoop::WaitForMoreEvents);
  } else {
    QThread::msleep(static_cast<unsigned long>(tick.interval()));  // no event loop to wait in
  }
}

bool SameFile(const struct stat& a, const struct stat& b) { return a.st_dev == b.st_dev && a.st_ino == b.st_ino; }

// How many saves wait for a lock now (one, or none, but for a save that an
// event handled during the wait started).
int savesWaiting = 0;

// The longest the input held back by a wait takes to be let through.
constexpr int kHeldInputMs = 100;

// Drops the user's input, and what only input makes (a shortcut, a drop).
class InputDropper : public QObject {
 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    switch (event->type()) {
      case QEvent::InputMethod:
      case QEvent::Shortcut:
      case QEvent::ShortcutOverride:
      case QEvent::DragEnter:
      case QEvent::DragMove:
      case QEvent::Drop: return true;
      default: return event->isInputEvent();
    }
  }
};

// Lets through the input that a wait held back, dropping the clicks and
// keys that the user aimed at windows that could not answer (they would
// reach the first box the save shows, or start another save in the middle
// of this one). The window system's request to close a window is no input
// to drop: the window has it while Waiting() still says that a save waits,
// and can close once the save is over. Held back, that request would come
// while the save's question or error stands in front, and the window
// system's close of a window that a box blocks is lost.
void DropHeldInput() {
  QCoreApplication* application = QCoreApplication::instance();
  InputDropper dropper;
  application->installEventFilter(&dropper);
  // Held-back input is looked at again only once the event loop is woken.
  if (QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance()) dispatcher->wakeUp();
  QCoreApplication::processEvents(QEventLoop::AllEvents, kHeldInputMs);
  application->removeEventFilter(&dropper);
}

// Counts a wait for a lock while it lasts; at its end the input it held back
// is let through, where the wait handled the application's events.
class WaitingSave {
 public:
  explicit WaitingSave(bool handlesEvents) : handlesEvents_(handlesEvents) { ++savesWaiting; }
  ~WaitingSave() {
    if (handlesEvents_) DropHeldInput();
    --savesWaiting;
  }
  WaitingSave(const WaitingSave&) = delete;
  WaitingSave& operator=(const WaitingSave&) = delete;

 private:
  bool handlesEvents_;
};

}  // namespace

std::optional<RuntimeError> ProjectFileLock::Take(const QString& path, int waitSeconds) {
  Release();
  if (path.isEmpty()) return std::nullopt;
  const QByteArray name = QFile::encodeName(path);
  const QDeadlineTimer deadline{std::chrono::seconds(waitSeconds)};
  QTimer tick;
  tick.setInterval(20);
  if (QCoreApplication::instance() && QThread::currentThread() == QCoreApplication::instance()->thread()) tick.start();
  for (;;) {
    // Opened without waiting (a pipe put in place of the file is no file to
    // lock); nothing there, or nothing that can be opened, is the save's to
    // report.
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    struct stat opened {};
    if (::fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode)) {
      ::close(fd);
      return std::nullopt;
    }
    int failure = 0;
    std::optional<WaitingSave> waiting;
    while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
      failure = errno;
      if (failure == EINTR) continue;
      if (failure != EWOULDBLOCK || deadline.hasExpired()) break;
      if (!waiting) waiting.emplace(tick.isActive());
      WaitOneTick(tick);
      failure = 0;
    }
    if (failure == EWOULDBLOCK) {
      ::close(fd);
      return RuntimeError(
          ErrorNumber::PathFileAccess,
          CannotSaveText(path, Tr({"another program has kept it locked for more than %1 seconds",
                                   "άλλο πρόγραμμα το κρατά κλειδωμένο για περισσότερα από %1 δευτερόλεπτα"})
                                   .arg(waitSeconds)));
    }
    if (failure != 0) {
      // No locks on this file system (ENOLCK, EOPNOTSUPP), or none on a
      // file open for reading (NFS gives EBADF): saved as without a lock.
      ::close(fd);
      return std::nullopt;
    }
    // The save that held the lock may have put a new file in place of the
    // one locked: the lock is the one of the file that the path names now.
    struct stat now {};
    if (::stat(name.constData(), &now) != 0 || SameFile(now, opened)) {
      fd_ = fd;
      return std::nullopt;
    }
    ::close(fd);
  }
}

bool ProjectFileLock::Waiting() { return savesWaiting > 0; }

void ProjectFileLock::Release() {
  if (fd_ < 0) return;
  ::close(fd_);  // the lock goes with the file's last descriptor
  fd_ = -1;
}

std::optional<RuntimeError> RefuseOversizeProjectFile(const QString& path, qint64 size) {
  if (size <= kMaxProjectFileBytes) return std::nullopt;
  return RuntimeError(
      ErrorNumber::PathFileAccess,
      CannotSaveText(path, Tr({"it would be too large for a project file: %1 (a project file is at most %2 MB). "
                               "Shorten the project description.",
                               "θα ήταν πολύ μεγάλο για αρχείο έργου: %1 (ένα αρχείο έργου έχει το πολύ %2 MB). "
                               "Συντομεύστε την περιγραφή του έργου."})
                               .arg(TooLargeSizeText(size, kMaxProjectFileBytes), LimitMegabytes())));
}

std::optional<RuntimeError> WriteProjectFile(const QString& path, const ProjectRecord& record,
                                             ProjectFileStamp* written) {
  // What stands at the path is said before anything else, as Open says it:
  // the rename of the new file would fail on a folder, and would put a file
  // in place of a device or a pipe.
  const QString irregular = IrregularFileReason(path);
  if (!irregular.isEmpty()) return RuntimeError(ErrorNumber::PathFileAccess, CannotSaveText(path, irregular));
  AddHistoryLine(Tr({"Saving: ", "Αποθήκευση: "}) + ShownPath(path));
  QByteArray bytes;
  try {
    bytes = ProjectFileBytes(record);
  } catch (const RuntimeError& e) {
    return e;
  } catch (const std::bad_alloc&) {
    return RuntimeError(ErrorNumber::OutOfMemory);
  }
  // The reader refuses a file above the limit: such a file is never written.
  if (std::optional<RuntimeError> e = RefuseOversizeProjectFile(path, bytes.size())) return e;
  if (std::optional<RuntimeError> e = SaveFileAtomically(path, bytes))
    return RuntimeError(e->Number(), e->Description() + QStringLiteral(": ") + ShownPath(path));
  if (written) *written = StampOf(path, bytes);
  return std::nullopt;
}

ProjectReadResult ReadProjectBytes(const QByteArray& bytes, const QString& path, ProjectRecord& out) {
  ProjectReadResult result;
  try {
    LineReader lines(SplitLines(DecodeText(bytes)), path);

    // The signature; an empty file has none.
    const QString signature = lines.AtEnd() ? QString() : SignatureField(lines.Next(nullptr));
    int version = 0;
    if (!CheckFileSignature(signature, version)) {
      result.signatureRefused = true;
      result.message = QStringLiteral("Invalid File Type");
      return result;
    }

    ProjectRecord scratch = out;
    ResetProjectRecord(scratch, ProjectNameOnReset::Kept);
    scratch.ProjectPath = path;
    scratch.FileVersion = version;

    RowReader rows(lines, version);
    const FieldName units{"InputUnits"};
    scratch.InputUnits = UnitSystemOfNumber(rows.ReadInt(units));
    const FieldName title{"ProjectTitle"};
    scratch.ProjectTitle = lines.Next(&title);
    ReadProjectDescription(lines, scratch.ProjectDescription);
    projectfile::VisitFileRows(scratch, rows);

    scratch.FileSaved = true;
    scratch.FileEmpty = false;
    scratch.FileHoldsData = true;
    out = std::move(scratch);
    result.read = true;
  } catch (const RuntimeError& e) {
    result.errorNumber = e.Number();
    result.message = e.Description();
  } catch (const std::bad_alloc&) {
    result.errorNumber = ErrorNumber::OutOfMemory;
    result.message = Tr({"Cannot read the project file \"%1\": %2", "Αδύνατη η ανάγνωση του αρχείου έργου \"%1\": %2"})
                         .arg(ShownPath(path), ErrorText(ErrorNumber::OutOfMemory));
  }
  return result;
}

std::optional<RuntimeError> RefuseIrregularProjectFile(const QString& path) {
  const QString reason = UnfitReason(path);
  if (reason.isEmpty()) return std::nullopt;
  return RuntimeError(ErrorNumber::PathFileAccess, CannotOpenText(path, reason));
}

ProjectReadResult ReadProjectFile(const QString& pathOfCaller, ProjectRecord& out) {
  const QString path = pathOfCaller;  // it may be out.ProjectPath itself
  AddHistoryLine(Tr({"Opening: ", "Άνοιγμα: "}) + ShownPath(path));
  ProjectReadResult refused;
  if (std::optional<RuntimeError> e = RefuseIrregularProjectFile(path)) {
    refused.errorNumber = e->Number();
    refused.message = e->Description();
    return refused;
  }
  QByteArray bytes;
  if (std::optional<RuntimeError> e = ReadRegularFile(path, bytes, ProjectReadLimit())) {
    refused.errorNumber = e->Number();
    refused.message = CannotOpenText(path, e->Description());
    return refused;
  }
  ProjectReadResult result = ReadProjectBytes(bytes, path, out);
  if (result.read) result.stamp = StampOf(path, bytes);
  return result;
}

bool ReadProjectFile(const QString& path, ProjectRecord& out, QString& message) {
  const ProjectReadResult result = ReadProjectFile(path, out);
  message = result.message;
  return result.read;
}

}  // namespace brantel
