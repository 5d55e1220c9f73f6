#include "mainwindow/DescriptionDialog.h"

#include "core/FileBrowsing.h"
#include "core/Globals.h"
#include "core/History.h"
#include "core/Messages.h"
#include "core/Settings.h"
#include "core/project/ProjectFile.h"
#include "core/project/ProjectRecord.h"
#include "forms/FormHelpers.h"

#include <QFontDatabase>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextOption>
#include <QTimer>

#include <algorithm>
#include <functional>
#include <optional>
#include <utility>

namespace brantel {
namespace {

using forms::ControlRow;
using forms::FormDesign;
using forms::Kind;

// The description box is wide enough for a wrapped line of 60 characters of
// the fixed font; the unit frame and the buttons stand to its right.
constexpr FormDesign kForm{.name = "frmBrantelDesc", .width = 9360, .height = 4440, .caption = {"Project Description"}};
// clang-format off
constexpr ControlRow kControls[] = {
    {.name = description::kDescription, .kind = Kind::MemoBox, .at = {120, 120, 7200, 4200}, .caption = {"Project Description"}},
    {.name = description::kUnitsFrame, .kind = Kind::Frame, .at = {7440, 120, 1800, 1080}, .caption = {"Current Units"}},
    {.name = description::kEnglish, .kind = Kind::Option, .container = description::kUnitsFrame, .at = {240, 360, 1440, 255}, .caption = {"English"}},
    {.name = description::kMetric, .kind = Kind::Option, .container = description::kUnitsFrame, .at = {240, 720, 1440, 255}, .caption = {"Metric"}},
    {.name = description::kOk, .kind = Kind::Button, .at = {7440, 3000, 1800, 375}, .caption = {"OK"}, .flags = forms::kDefault},
    {.name = description::kCancel, .kind = Kind::Button, .at = {7440, 3480, 1800, 375}, .caption = {"Cancel"}},
    {.name = description::kHelp, .kind = Kind::Button, .at = {7440, 3960, 1800, 375}, .caption = {"Help"}},
};
// clang-format on

constexpr Bilingual kDescriptionTooLong{
    "The project description holds at most 1,048,576 characters: what was typed or pasted beyond that was left out.",
    "Η περιγραφή του έργου χωρά το πολύ 1.048.576 χαρακτήρες: ό,τι πληκτρολογήθηκε ή επικολλήθηκε πέρα από αυτό "
    "παραλείφθηκε."};
static_assert(kMaxDescriptionLength == 1'048'576, "the message names the limit");

static_assert(kMaxDescriptionLines == 50'000, "the message names the limit");
constexpr Bilingual kDescriptionTooManyLines{
    "The project description holds at most 50,000 lines: what was typed or pasted beyond that was left out.",
    "Η περιγραφή του έργου χωρά το πολύ 50.000 γραμμές: ό,τι πληκτρολογήθηκε ή επικολλήθηκε πέρα από αυτό "
    "παραλείφθηκε."};

static_assert(kMaxDescriptionLineLength == 4096, "the message names the limit");
constexpr Bilingual kDescriptionLineTooLong{
    "A line of the project description holds at most 4,096 characters: what was typed or pasted beyond that was "
    "left out.",
    "Μια γραμμή της περιγραφής του έργου χωρά το πολύ 4.096 χαρακτήρες: ό,τι πληκτρολογήθηκε ή επικολλήθηκε πέρα "
    "από αυτό παραλείφθηκε."};
// An edit that would join two lines into one longer than a line holds (a
// Backspace or Delete at a line end): the line end stays, and every
// character with it.
constexpr Bilingual kLinesNotJoined{
    "A line of the project description holds at most 4,096 characters: the two lines were not joined, and nothing "
    "was left out.",
    "Μια γραμμή της περιγραφής του έργου χωρά το πολύ 4.096 χαρακτήρες: οι δύο γραμμές δεν ενώθηκαν και τίποτα δεν "
    "παραλείφθηκε."};

// What the box shows at once: a description of at most four times the
// characters it takes, in at most twice the lines it takes, its long lines
// broken as a paste's are. A longer text takes more than a second to show;
// the project keeps such a description as it stands, and the box shows
// nothing of it. A description that the box took comes back within these:
// the file wraps its lines at 40 to 60 characters, which adds at most a line
// for every 40 characters.
constexpr qsizetype kMaxShownLength = 4 * kMaxDescriptionLength;
constexpr qsizetype kMaxShownLines = 2 * kMaxDescriptionLines;
static_assert(kMaxDescriptionLines + kMaxDescriptionLength / 40 < kMaxShownLines);
constexpr Bilingual kDescriptionNotShown{
    "The project description is too long to show here: this box shows at most 4,194,304 characters in at most "
    "100,000 lines. The description is kept as it stands.",
    "Η περιγραφή του έργου είναι πολύ μεγάλη για να εμφανιστεί εδώ: το πλαίσιο δείχνει το πολύ 4.194.304 "
    "χαρακτήρες σε το πολύ 100.000 γραμμές. Η περιγραφή διατηρείται ως έχει."};
static_assert(kMaxShownLength == 4'194'304 && kMaxShownLines == 100'000, "the message names the limits");

constexpr Bilingual kUnitChangeResetsInputs{
    "A new unit system starts the project afresh: every tool's inputs return to their defaults, and the values "
    "typed in this project are lost. Change the unit system?",
    "Ένα νέο σύστημα μονάδων ξεκινά το έργο από την αρχή: τα δεδομένα κάθε εργαλείου επιστρέφουν στις "
    "προεπιλεγμένες τιμές τους και οι τιμές που πληκτρολογήθηκαν σε αυτό το έργο χάνονται. Να αλλάξει το σύστημα "
    "μονάδων;"};

// The longest stretch without a blank that the box still wraps at word
// boundaries. There, each row of a stretch that does not fit a row is found
// by measuring the rest of the stretch again, a time that grows with the
// square of its length (a stretch of a million characters holds the window
// up for minutes); wrapped anywhere, a line takes a time that grows with its
// length alone. So the box wraps at word boundaries while every stretch is
// at most this long, and anywhere while one is longer: ordinary text keeps
// its words whole, and a line of a million characters without a blank is
// laid out in a fraction of a second.
constexpr qsizetype kLongestStretchWrappedAtWords = 1000;

bool IsBlankForWrap(QChar c) { return c == u' ' || c == u'\t'; }

// Whether a text holds a stretch of more than kLongestStretchWrappedAtWords
// characters without a blank or a line end.
bool HoldsLongStretch(QStringView text) {
  qsizetype stretch = 0;
  for (const QChar c : text) {
    stretch = IsBlankForWrap(c) || c == u'\n' ? 0 : stretch + 1;
    if (stretch > kLongestStretchWrappedAtWords) return true;
  }
  return false;
}

bool HoldsLongStretch(const QTextBlock& line) {
  return line.length() > kLongestStretchWrappedAtWords && HoldsLongStretch(line.text());
}

// A text with a line break put in wherever one of its lines (ended by LF)
// would be longer than kMaxDescriptionLineLength characters, once the text
// stands between `before` characters of the line it goes into and `after`
// characters of the line it ends in. A line too long ends after the last
// blank in the second half of what fits, or else where it is full; the
// text's first line may start on a line of its own, and a break may end its
// last one.
QString BreakLongLines(QStringView text, qsizetype before, qsizetype after) {
  QString broken;
  broken.reserve(text.size() + text.size() / kMaxDescriptionLineLength + 2);
  qsizetype line = before;  // the characters of the line so far
  for (qsizetype from = 0;;) {
    const qsizetype lineEnd = text.indexOf(u'\n', from);
    QStringView rest = text.sliced(from, (lineEnd < 0 ? text.size() : lineEnd) - from);
    for (;;) {
      const qsizetype full = IndexAfterCharacters(rest, kMaxDescriptionLineLength - line);
      if (full == rest.size()) break;
      qsizetype end = full;
      for (qsizetype at = full; at > full / 2; --at) {
        if (IsBlankForWrap(rest[at - 1])) {
          end = at;
          break;
        }
      }
      broken += rest.first(end);
      broken += u'\n';
      rest = rest.sliced(end);
      line = 0;
    }
    broken += rest;
    line += CharacterCount(rest);
    if (lineEnd < 0) break;
    broken += u'\n';
    line = 0;
    from = lineEnd + 1;
  }
  if (line > 0 && line + after > kMaxDescriptionLineLength) broken += u'\n';
  return broken;
}

// The description as the box shows it: each line break of the view an LF
// and its long lines broken; nothing when the box cannot show it in time.
std::optional<QString> ForTheBox(const QString& description) {
  QString text = description;
  MakeLineBreaksLineFeeds(text);
  if (text.size() > kMaxShownLength) return std::nullopt;
  text = BreakLongLines(text, 0, 0);
  if (text.count(u'\n') >= kMaxShownLines) return std::nullopt;
  return text;
}

QString FromTheBox(const QString& text) {
  QString description = text;
  description.replace(u'\n', QStringLiteral("\r\n"));
  return description;
}

// The end of the part of a pasted text that the box shows as at most
// `count` characters beside at most `breaks` line ends: the box makes one
// line end of each line break of the view (CR LF is one), and one character
// of anything else.
qsizetype EndOfFirstShown(QStringView text, qsizetype count, qsizetype breaks) {
  qsizetype at = 0;
  while (at < text.size()) {
    const qsizetype breakLength = ViewLineBreakLength(text, at);
    if (breakLength > 0 ? breaks-- == 0 : count-- == 0) break;
    at += std::max<qsizetype>(breakLength, 1);
  }
  return at;
}

// The characters of the box, its line ends not counted: the project file
// wraps a description's lines, and the line ends it adds never make a
// description the box took too long for it.
qsizetype CharactersBesideLineEnds(const QTextDocument* document) {
  return document->characterCount() - document->blockCount();  // a paragraph's end after each line
}

// The description box: what a paste or a drop puts in is what `fit` makes
// of the text (DescriptionDialog::TextToPaste).
class DescriptionBox final : public QPlainTextEdit {
 public:
  DescriptionBox(QWidget* parent, std::function<QString(const QString&)> fit)
      : QPlainTextEdit(parent), fit_(std::move(fit)) {}

 protected:
  void insertFromMimeData(const QMimeData* source) override {
    // Data without text puts nothing in: a middle-click with nothing
    // selected anywhere on X11 brings data of no format at all, on which
    // this Qt's own insertFromMimeData crashes.
    if (!source || !source->hasText() || isReadOnly()) return;
    QMimeData fitted;
    fitted.setText(fit_(source->text()));
    QPlainTextEdit::insertFromMimeData(&fitted);
  }

 private:
  std::function<QString(const QString&)> fit_;
};

}  // namespace

DescriptionDialog::DescriptionDialog(QWidget* owner) : FormDialog(owner) {
  Build(kForm, kControls, [this](const ControlRow& row, QWidget* parent) -> QWidget* {
    if (QString::fromUtf8(row.name) != QLatin1String(description::kDescription)) return nullptr;
    auto* box = new DescriptionBox(parent, [this](const QString& pasted) { return TextToPaste(pasted); });
    box->setTabChangesFocus(true);
    return box;
  });
  ui_.description = Require<QPlainTextEdit>(description::kDescription);
  ui_.units = Options(description::kUnitSystem);
  QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  fixed.setPointSizeF(9.0);
  ui_.description->setFont(fixed);
  WireButtons(Require<QPushButton>(description::kOk), Require<QPushButton>(description::kCancel),
              Require<QPushButton>(description::kHelp));
  connect(ui_.description->document(), &QTextDocument::contentsChange, this,
          &DescriptionDialog::OnDescriptionContentsChanged);
  connect(ui_.description, &QPlainTextEdit::textChanged, this, &DescriptionDialog::OnDescriptionEdited);
  OnLoad();
}

void DescriptionDialog::OnDescriptionContentsChanged(int position, int, int added) {
  editStart_ = editStart_ < 0 ? position : std::min(editStart_, position);
  const QTextDocument* document = ui_.description->document();
  KeepLongLinesLaidOut(document->findBlock(position), document->findBlock(position + added));
  ChooseWrap(position, added);
}

// Runs when the document has changed and before the box lays the change
// out, so that a long stretch is never laid out wrapped at word boundaries:
// while the box wraps at words, only the lines the change touched can hold
// a new long stretch. While it wraps anywhere, a change may have taken the
// last one away; that is looked at once the edit is over (a text put in
// whole first empties the box: the box would wrap at words for a moment and
// lay the long line out twice).
void DescriptionDialog::ChooseWrap(int position, int added) {
  if (ui_.description->wordWrapMode() == QTextOption::WrapAnywhere) {
    if (!wrapCheckPending_) {
      wrapCheckPending_ = true;
      QTimer::singleShot(0, this, &DescriptionDialog::WrapAtWordsWithoutLongStretch);
    }
    return;
  }
  QTextDocument* document = ui_.description->document();
  const QTextBlock last = document->findBlock(position + added);
  for (QTextBlock line = document->findBlock(position); line.isValid(); line = line.next()) {
    if (HoldsLongStretch(line)) {
      ui_.description->setWordWrapMode(QTextOption::WrapAnywhere);
      return;
    }
    if (line == last) break;
  }
}

// Wraps at words again once no line holds a long stretch; the look stops at
// the first one, and costs far less than laying a long line out.
void DescriptionDialog::WrapAtWordsWithoutLongStretch() {
  wrapCheckPending_ = false;
  if (ui_.description->wordWrapMode() != QTextOption::WrapAnywhere) return;
  for (QTextBlock line = ui_.description->document()->begin(); line.isValid(); line = line.next()) {
    if (HoldsLongStretch(line)) return;
  }
  ui_.description->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
}

// Every edit of the user ends with the cursor after what it put in (typing,
// pasting, dropping, an input method): the characters beyond a limit are
// the last ones before the cursor, and never reach back before the edit's
// start, so nothing that was there before goes. The steps below edit the box
// too; they run once, for the user's edit.
void DescriptionDialog::OnDescriptionEdited() {
  const int start = std::exchange(editStart_, -1);
  if (IsLoading() || fitting_ || start < 0) return;
  const QScopedValueRollback<bool> fitting(fitting_, true);
  MakeLineSeparatorsLineEnds(start);
  LeaveOutLinesBeyondTheMost(start);
  LeaveOutCharactersBeyondTheMost(start);
  LeaveOutBeyondTheLongestLine(start);
}

// A line separator (U+2028: Shift+Return, an input method) that the edit put
// in ends a line of its own, as every other line break of the box does: the
// box counts lines as it keeps them, and lays no line out with the next.
void DescriptionDialog::MakeLineSeparatorsLineEnds(int start) {
  QTextDocument* document = ui_.description->document();
  const int end = ui_.description->textCursor().position();
  int first = -1;
  int last = -1;
  for (QTextBlock line = document->findBlock(start); line.isValid() && line.position() < end; line = line.next()) {
    const QString text = line.text();
    for (qsizetype at = text.indexOf(QChar::LineSeparator); at >= 0; at = text.indexOf(QChar::LineSeparator, at + 1)) {
      const int position = line.position() + static_cast<int>(at);
      if (position < start || position >= end) continue;
      if (first < 0) first = position;
      last = position;
    }
  }
  if (first < 0) return;
  // The stretch from the first to the last put in again, in one step.
  QTextCursor stretch(document);
  stretch.joinPreviousEditBlock();
  stretch.setPosition(first);
  stretch.setPosition(last + 1, QTextCursor::KeepAnchor);
  QString text = stretch.selectedText();
  MakeLineBreaksLineFeeds(text);
  stretch.insertText(text);
  stretch.endEditBlock();
}

void DescriptionDialog::LeaveOutLinesBeyondTheMost(int start) {
  QTextDocument* document = ui_.description->document();
  if (document->blockCount() <= mostLines_) return;
  // Every line beyond the most came with this edit, which ends at the
  // cursor: the edit is left out from the first line end too many.
  const int end = ui_.description->textCursor().position();
  QTextBlock last = document->findBlock(end);
  for (int excess = document->blockCount() - mostLines_; excess > 0 && last.isValid(); --excess) last = last.previous();
  const int from = std::max(start, last.position() + last.length() - 1);
  if (from < end) LeaveOut(from, end, kDescriptionTooManyLines);
}

void DescriptionDialog::LeaveOutCharactersBeyondTheMost(int start) {
  QTextDocument* document = ui_.description->document();
  qsizetype excess = CharactersBesideLineEnds(document) - mostCharacters_;
  if (excess <= 0) return;
  // The edit loses its last characters beyond the most, and the line ends
  // among them.
  const int end = ui_.description->textCursor().position();
  QTextCursor edit(document);
  edit.setPosition(start);
  edit.setPosition(end, QTextCursor::KeepAnchor);
  const QString put = edit.selectedText();  // a line end is a paragraph separator here
  qsizetype kept = put.size();
  for (; kept > 0 && excess > 0; --kept) {
    if (put[kept - 1] != QChar::ParagraphSeparator) --excess;
  }
  int from = start + static_cast<int>(kept);
  if (from >= end) return;
  // Never half of a character outside the basic plane.
  if (from > start && document->characterAt(from).isLowSurrogate()) --from;
  LeaveOut(from, end, kDescriptionTooLong);
}

// A line the edit made longer than the box keeps (a key typed into a full
// line, a paste that the limits above cut short) loses the end of what the
// edit put in it. A line that the edit joined of two is parted again where
// they joined, and keeps of the edit what fits before the second one's rest.
void DescriptionDialog::LeaveOutBeyondTheLongestLine(int start) {
  QTextDocument* document = ui_.description->document();
  const int end = ui_.description->textCursor().position();
  // From the last line back: what is done in a line leaves the lines before
  // it where they were.
  for (int at = end;;) {
    const QTextBlock line = document->findBlock(at);
    const int lineStart = line.position();
    const QString text = line.text();
    if (text.size() > kMaxDescriptionLineLength && CharacterCount(text) > kMaxDescriptionLineLength) {
      const qsizetype from = std::max(start, lineStart) - lineStart;  // the edit's part of the line
      const qsizetype to = std::min<qsizetype>(end - lineStart, text.size());
      const QStringView put = QStringView(text).sliced(from, to - from);
      const qsizetype before = CharacterCount(QStringView(text).first(from));
      const qsizetype after = CharacterCount(QStringView(text).sliced(to));
      const bool joined = before + after > kMaxDescriptionLineLength;
      const qsizetype kept = std::max<qsizetype>(0, kMaxDescriptionLineLength - after - (joined ? 0 : before));
      const int cut = lineStart + static_cast<int>(from + IndexAfterCharacters(put, kept));
      if (cut < lineStart + to) LeaveOut(cut, lineStart + static_cast<int>(to), kDescriptionLineTooLong);
      // The characters stay, in two lines; where some of the edit was cut
      // above, that cut's message is the one shown (SayLeftOut).
      if (joined) PartLines(lineStart + static_cast<int>(from), kLinesNotJoined);
    }
    if (lineStart <= start) break;
    at = lineStart - 1;
  }
}

// Takes the characters from `from` to `end` out of the box, as one step of
// Undo with the edit that brought them, and says so once the edit is over.
void DescriptionDialog::LeaveOut(int from, int end, const Bilingual& message) {
  QTextCursor cut(ui_.description->document());
  cut.joinPreviousEditBlock();
  cut.setPosition(from);
  cut.setPosition(end, QTextCursor::KeepAnchor);
  cut.removeSelectedText();
  cut.endEditBlock();
  SayLeftOut(message);
}

// Ends a line at `at`, as one step of Undo with the edit, and says why.
void DescriptionDialog::PartLines(int at, const Bilingual& message) {
  QTextCursor part(ui_.description->document());
  part.joinPreviousEditBlock();
  part.setPosition(at);
  part.insertBlock();
  part.endEditBlock();
  SayLeftOut(message);
}

// Says once that an edit was left out, when the edit is over (a message box
// must not open in the middle of a key press or a drop).
void DescriptionDialog::SayLeftOut(const Bilingual& message) {
  if (leftOutMessage_) return;
  leftOutMessage_ = &message;
  QTimer::singleShot(0, this, &DescriptionDialog::ShowLeftOutMessage);
}

// A text pasted or dropped at the box's cursor, as it goes in: each line
// break of the view an LF, and a text far beyond the box's limits cut before
// the box lays it out. Laid out whole, millions of characters or short lines
// would hold the window up for a minute before the box's limits cut them:
// what is left is two characters and two line ends beyond the room, so that
// the box's own cut (OnDescriptionEdited) still ends the text where it would
// have and says what was left out. Its lines longer than the box keeps are
// broken (BreakLongLines), so that nothing pasted is lost to the line's
// limit.
QString DescriptionDialog::TextToPaste(const QString& pasted) const {
  const QTextCursor cursor = ui_.description->textCursor();
  const QTextDocument* document = ui_.description->document();
  const int start = cursor.selectionStart();
  const int end = cursor.selectionEnd();
  const QTextBlock first = document->findBlock(start);
  const QTextBlock last = document->findBlock(end);
  const int linesSelected = last.blockNumber() - first.blockNumber();
  const qsizetype room =
      std::max<qsizetype>(0, mostCharacters_ - CharactersBesideLineEnds(document) + end - start - linesSelected);
  const qsizetype lineRoom = std::max(0, mostLines_ - document->blockCount() + linesSelected);
  QString text = pasted.left(EndOfFirstShown(pasted, room + 2, lineRoom + 2));
  MakeLineBreaksLineFeeds(text);
  const QString firstText = first.text();
  const QString lastText = last.text();
  return BreakLongLines(text, CharacterCount(QStringView(firstText).first(start - first.position())),
                        CharacterCount(QStringView(lastText).sliced(end - last.position())));
}

void DescriptionDialog::ShowLeftOutMessage() {
  const Bilingual* message = std::exchange(leftOutMessage_, nullptr);
  if (message) ShowInvalidValue(*message, false);
  ui_.description->setFocus();
}

void DescriptionDialog::OnLoad() {
  SetMessageTitles(TitlePrefix::ProjectDescription);
  AddHistoryLine(Tr({"Editing Project Description", "Τροποποίηση περιγραφής"}));
  LoadInputs();
  forms::CenterForm(this);
}

void DescriptionDialog::ShowDescriptionNotShown() {
  ShowInvalidValue(kDescriptionNotShown, false);
  ui_.description->setFocus();
}

void DescriptionDialog::LoadFromProject() {
  // A description the box cannot show in time is not put into it: the box
  // stays empty and read-only, says why, and OK gives the description back
  // as it stands.
  const std::optional<QString> shown = ForTheBox(Project.ProjectDescription);
  const bool showable = shown.has_value();
  const QString text = shown.value_or(QString());
  ui_.description->setReadOnly(!showable);
  ui_.description->setPlaceholderText(showable ? QString() : Tr(kDescriptionNotShown));
  // Chosen before the text goes in, so that it is laid out once.
  ui_.description->setWordWrapMode(HoldsLongStretch(text) ? QTextOption::WrapAnywhere
                                                          : QTextOption::WrapAtWordBoundaryOrAnywhere);
  ui_.description->setPlainText(text);
  shownText_ = ui_.description->toPlainText();
  // A longer description than the box takes (from another program, or its
  // lines wrapped by the project file) may be edited as long as it is.
  mostCharacters_ = std::max(kMaxDescriptionLength, CharactersBesideLineEnds(ui_.description->document()));
  mostLines_ = std::max(kMaxDescriptionLines, ui_.description->document()->blockCount());
  if (!showable) QTimer::singleShot(0, this, &DescriptionDialog::ShowDescriptionNotShown);

  // Both options off, and disabled once the project holds data (from a file
  // or an earlier accepted visit); then the project's own system is set and
  // enabled.
  const bool locked = Project.FileHoldsData;
  for (QRadioButton* option : ui_.units.buttons) {
    option->setAutoExclusive(false);
    option->setChecked(false);
    option->setAutoExclusive(true);
    option->setEnabled(!locked);
  }
  if (QRadioButton* current = ui_.units.At(UnitSystemNumber(Project.InputUnits))) {
    current->setChecked(true);
    current->setEnabled(true);
  }
}

UnitSystem DescriptionDialog::ChosenUnits() const {
  bool anyChosen = false;
  for (const QRadioButton* option : ui_.units.buttons) anyChosen = anyChosen || option->isChecked();
  return anyChosen ? UnitSystemOfNumber(forms::GetArrayIndex(ui_.units)) : Project.InputUnits;
}

bool DescriptionDialog::ValidateInput() {
  // The reset of a new unit system would throw away what the tools hold:
  // asked first, once a tool has taken inputs in this project.
  if (ChosenUnits() == Project.InputUnits || Project.FileEmpty) return true;
  const Answer pressed = ShowMessageBox(Tr(kUnitChangeResetsInputs),
                                        BoxStyle{Buttons::YesNo, Icon::Question, DefaultButton::Second}, AppTitle);
  if (pressed != Answer::Yes) {
    if (QRadioButton* current = ui_.units.At(UnitSystemNumber(Project.InputUnits))) current->setChecked(true);
  }
  return true;
}

void DescriptionDialog::CommitToProject() {
  // A box the user did not edit gives back the stored text as it stands.
  const QString text = ui_.description->toPlainText();
  const QString description = text == shownText_ ? Project.ProjectDescription : FromTheBox(text);

  const UnitSystem units = ChosenUnits();
  if (units != Project.InputUnits) {
    // Inputs entered in the old units mean nothing in the new ones.
    forms::CloseModelessTools();
    Project.InputUnits = units;
    FileNew(ProjectNameOnReset::Untitled, UnitsOnReset::Kept);
  }
  Project.ProjectDescription = description;
  AddHistoryLine(Tr({"Project Description Modified", "Η περιγραφή τροποποιήθηκε"}));
  MarkProjectChanged();
  Project.FileHoldsData = true;
}

void DescriptionDialog::FormUnload() {
  if (!IsAccepted()) {
    AddHistoryLine(Tr({"Project Description Not Modified", "Η περιγραφή δεν τροποποιήθηκε"}));
  }
}

}  // namespace brantel
