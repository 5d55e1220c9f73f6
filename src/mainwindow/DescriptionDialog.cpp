#include "mainwindow/DescriptionDialog.h"

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
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextOption>
#include <QTimer>

#include <algorithm>
#include <functional>
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

// The most lines the box takes. The box keeps a block for every line, and
// its time grows with their number: a million short lines take seconds to
// paste or to show, fifty thousand a third of a second.
constexpr int kMaxDescriptionLines = 50'000;
constexpr Bilingual kDescriptionTooManyLines{
    "The project description holds at most 50,000 lines: what was typed or pasted beyond that was left out.",
    "Η περιγραφή του έργου χωρά το πολύ 50.000 γραμμές: ό,τι πληκτρολογήθηκε ή επικολλήθηκε πέρα από αυτό "
    "παραλείφθηκε."};
static_assert(kMaxDescriptionLines == 50'000, "the message names the limit");

// What the box shows at once: a description of at most four times the
// characters it takes, in at most twice the lines it takes, each of at most
// as many characters as it takes. The box lays a line out whole when the
// line comes into view, and a longer line, or a longer text, takes more than
// a second to show; the project keeps such a description as it stands, and
// the box shows nothing of it. A description that the box took comes back
// within these: the file wraps its lines at 40 to 60 characters, which adds
// at most a line for every 40 characters.
constexpr qsizetype kMaxShownLength = 4 * kMaxDescriptionLength;
constexpr qsizetype kMaxShownLine = kMaxDescriptionLength;
constexpr qsizetype kMaxShownLines = 2 * kMaxDescriptionLines;
static_assert(kMaxDescriptionLines + kMaxDescriptionLength / 40 < kMaxShownLines);
constexpr Bilingual kDescriptionNotShown{
    "The project description is too long to show here: this box shows at most 4,194,304 characters in at most "
    "100,000 lines, each of at most 1,048,576. The description is kept as it stands.",
    "Η περιγραφή του έργου είναι πολύ μεγάλη για να εμφανιστεί εδώ: το πλαίσιο δείχνει το πολύ 4.194.304 "
    "χαρακτήρες σε το πολύ 100.000 γραμμές, καθεμία το πολύ 1.048.576 χαρακτήρων. Η περιγραφή διατηρείται ως "
    "έχει."};
static_assert(kMaxShownLength == 4'194'304 && kMaxShownLine == 1'048'576 && kMaxShownLines == 100'000,
              "the message names the limits");

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

// Whether the box shows a text (as ForTheBox gives it) in time.
bool Showable(QStringView text) {
  if (text.size() > kMaxShownLength) return false;
  qsizetype line = 0;
  qsizetype lines = 1;
  for (const QChar c : text) {
    line = c == u'\n' ? 0 : line + 1;
    if (c == u'\n') ++lines;
    if (line > kMaxShownLine || lines > kMaxShownLines) return false;
  }
  return true;
}

// The box shows lines ended by LF; the record keeps CR LF.
QString ForTheBox(const QString& description) {
  QString text = description;
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  text.replace(u'\r', u'\n');
  return text;
}

QString FromTheBox(const QString& text) {
  QString description = text;
  description.replace(u'\n', QStringLiteral("\r\n"));
  return description;
}

// The end of the part of a pasted text that the box shows as at most
// `count` characters and `breaks` line ends: the box makes one line end of
// CR LF, of a lone CR or LF and of a paragraph separator, and one character
// of anything else.
qsizetype EndOfFirstShown(QStringView text, qsizetype count, qsizetype breaks) {
  qsizetype at = 0;
  for (qsizetype shown = 0; at < text.size() && shown < count; ++shown) {
    const QChar c = text[at];
    if (c == u'\r' || c == u'\n' || c == QChar::ParagraphSeparator) {
      if (breaks-- == 0) break;
    }
    at += c == u'\r' && at + 1 < text.size() && text[at + 1] == u'\n' ? 2 : 1;
  }
  return at;
}

// The description box. A paste or a drop far longer than the box can take
// is cut before it goes in: laid out whole, millions of characters or short
// lines would hold the window up for a minute before the box's limits cut
// them. What is left is two characters and two line ends beyond the room,
// so that the box's own cut (OnDescriptionEdited) still ends the text where
// it would have and says what was left out.
class DescriptionBox final : public QPlainTextEdit {
 public:
  DescriptionBox(QWidget* parent, std::function<qsizetype()> room) : QPlainTextEdit(parent), room_(std::move(room)) {}

 protected:
  void insertFromMimeData(const QMimeData* source) override {
    if (!source || !source->hasText() || isReadOnly()) return QPlainTextEdit::insertFromMimeData(source);
    const QString text = source->text();
    const QTextCursor cursor = textCursor();
    const QTextDocument* shown = document();
    const qsizetype room = std::max<qsizetype>(0, room_() + cursor.selectionEnd() - cursor.selectionStart());
    const qsizetype lineRoom =
        std::max(0, kMaxDescriptionLines - shown->blockCount() + shown->findBlock(cursor.selectionEnd()).blockNumber() -
                        shown->findBlock(cursor.selectionStart()).blockNumber());
    const qsizetype end = EndOfFirstShown(text, room + 2, lineRoom + 2);
    if (end >= text.size()) return QPlainTextEdit::insertFromMimeData(source);
    QMimeData cut;
    cut.setText(text.left(end));
    QPlainTextEdit::insertFromMimeData(&cut);
  }

 private:
  std::function<qsizetype()> room_;
};

}  // namespace

DescriptionDialog::DescriptionDialog(QWidget* owner) : FormDialog(owner) {
  Build(kForm, kControls, [this](const ControlRow& row, QWidget* parent) -> QWidget* {
    if (QString::fromUtf8(row.name) != QLatin1String(description::kDescription)) return nullptr;
    auto* box = new DescriptionBox(parent, [this] { return RoomLeft(); });
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
// pasting, dropping, an input method): the characters beyond the limit are
// the last ones before the cursor, and never reach back before the edit's
// start, so nothing that was there before goes.
void DescriptionDialog::OnDescriptionEdited() {
  const int start = std::exchange(editStart_, -1);
  if (IsLoading()) return;
  QTextDocument* document = ui_.description->document();
  if (start >= 0 && document->blockCount() > kMaxDescriptionLines) {
    // Every line beyond the most came with this edit, which ends at the
    // cursor: the edit is left out from the first line end too many.
    const int end = ui_.description->textCursor().position();
    QTextBlock last = document->findBlock(end);
    for (int excess = document->blockCount() - kMaxDescriptionLines; excess > 0 && last.isValid(); --excess)
      last = last.previous();
    const int from = std::max(start, last.position() + last.length() - 1);
    if (from < end) LeaveOut(from, end, kDescriptionTooManyLines);
  }
  const qsizetype length = document->characterCount() - 1;  // without the end of the last paragraph
  const qsizetype allowed = MostCharacters();
  if (length <= allowed || start < 0) return;
  const int end = ui_.description->textCursor().position();
  int from = static_cast<int>(std::max<qsizetype>(start, end - (length - allowed)));
  if (from >= end) return;
  // Never half of a character outside the basic plane.
  if (from > start && document->characterAt(from).isLowSurrogate()) --from;
  LeaveOut(from, end, kDescriptionTooLong);
}

// Takes the characters from `from` to `end` out of the box, as one step of
// Undo with the edit that brought them, and says so once the edit is over (a
// message box must not open in the middle of a key press or a drop).
void DescriptionDialog::LeaveOut(int from, int end, const Bilingual& message) {
  QTextCursor cut(ui_.description->document());
  cut.joinPreviousEditBlock();
  cut.setPosition(from);
  cut.setPosition(end, QTextCursor::KeepAnchor);
  cut.removeSelectedText();
  cut.endEditBlock();
  if (leftOutMessage_) return;
  leftOutMessage_ = &message;
  QTimer::singleShot(0, this, &DescriptionDialog::ShowLeftOutMessage);
}

qsizetype DescriptionDialog::MostCharacters() const { return std::max(kMaxDescriptionLength, shownText_.size()); }

qsizetype DescriptionDialog::RoomLeft() const {
  return MostCharacters() - (ui_.description->document()->characterCount() - 1);
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
  QString text = ForTheBox(Project.ProjectDescription);
  const bool showable = Showable(text);
  if (!showable) text.clear();
  ui_.description->setReadOnly(!showable);
  ui_.description->setPlaceholderText(showable ? QString() : Tr(kDescriptionNotShown));
  // Chosen before the text goes in, so that it is laid out once.
  ui_.description->setWordWrapMode(HoldsLongStretch(text) ? QTextOption::WrapAnywhere
                                                          : QTextOption::WrapAtWordBoundaryOrAnywhere);
  ui_.description->setPlainText(text);
  shownText_ = ui_.description->toPlainText();
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

void DescriptionDialog::CommitToProject() {
  // A box the user did not edit gives back the stored text as it stands.
  const QString text = ui_.description->toPlainText();
  const QString description = text == shownText_ ? Project.ProjectDescription : FromTheBox(text);

  bool anyChosen = false;
  for (const QRadioButton* option : ui_.units.buttons) anyChosen = anyChosen || option->isChecked();
  const UnitSystem units = anyChosen ? UnitSystemOfNumber(forms::GetArrayIndex(ui_.units)) : Project.InputUnits;
  if (units != Project.InputUnits) {
    // Inputs entered in the old units mean nothing in the new ones.
    forms::CloseModelessTools();
    Project.InputUnits = units;
    bool rename = true;
    bool keepUnits = false;
    FileNew(rename, keepUnits);
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
