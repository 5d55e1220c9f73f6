#include "tools/stress/CircularFailureDialog.h"

#include "core/ErrorReporting.h"
#include "core/History.h"
#include "core/Messages.h"
#include "core/RuntimeError.h"
#include "forms/FormHelpers.h"
#include "forms/MenuTables.h"
#include "platform/Printer.h"
#include "platform/WindowCapture.h"
#include "tools/stress/FailureZonePicture.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>

namespace brantel {
namespace {

using forms::ControlRow;
using forms::Kind;
using forms::Reading;

constexpr forms::FormDesign kForm{
    .name = "frmCircFail",
    .width = 10080,
    .height = 7335,
    .caption = {"Failure Criteria around Circular Openings", "Εφαρμογή κριτηρίων αστοχίας σε κυκλικά ανοίγματα"}};

// clang-format off
constexpr ControlRow kControls[] = {
    {.name = circularfailure::kZonePicture, .kind = Kind::Picture, .at = {120, 120, 6855, 7095}},
    // The far-field stresses and the pressure in the opening.
    {.name = "lblsx", .kind = Kind::Label, .at = {7200, 270, 1335, 255}, .caption = {"sx", "σx"}, .partner = circularfailure::kSx},
    {.name = circularfailure::kSx, .kind = Kind::TextBox, .at = {8640, 240, 1215, 285}},
    {.name = "lblsy", .kind = Kind::Label, .at = {7200, 630, 1335, 255}, .caption = {"sy", "σy"}, .partner = circularfailure::kSy},
    {.name = circularfailure::kSy, .kind = Kind::TextBox, .at = {8640, 600, 1215, 285}},
    {.name = "lbltxy", .kind = Kind::Label, .at = {7200, 990, 1335, 255}, .caption = {"txy", "τxy"}, .partner = circularfailure::kTxy},
    {.name = circularfailure::kTxy, .kind = Kind::TextBox, .at = {8640, 960, 1215, 285}},
    {.name = "lblPW", .kind = Kind::Label, .at = {7200, 1350, 1335, 255}, .caption = {"pw"}, .partner = circularfailure::kInternalPressure},
    {.name = circularfailure::kInternalPressure, .kind = Kind::TextBox, .at = {8640, 1320, 1215, 285}},
    // The opening and the circle looked at.
    {.name = "lblRadius", .kind = Kind::Label, .at = {7200, 1950, 1335, 255}, .caption = {"Radius", "Ακτίνα"}, .partner = circularfailure::kOpeningRadius},
    {.name = circularfailure::kOpeningRadius, .kind = Kind::TextBox, .at = {8640, 1920, 1215, 285}},
    {.name = "Label7", .kind = Kind::Label, .at = {7200, 2310, 1335, 255}, .caption = {"Radial Distance"}, .partner = circularfailure::kRadialDistance},
    {.name = circularfailure::kRadialDistance, .kind = Kind::TextBox, .at = {8640, 2280, 1215, 285}},
    // The strengths of the rock.
    {.name = "Label5", .kind = Kind::Label, .at = {7200, 2910, 1335, 255}, .caption = {"Co"}, .partner = circularfailure::kCompressiveStrength},
    {.name = circularfailure::kCompressiveStrength, .kind = Kind::TextBox, .at = {8640, 2880, 1215, 285}},
    {.name = "Label6", .kind = Kind::Label, .at = {7200, 3270, 1335, 255}, .caption = {"To"}, .partner = circularfailure::kTensileStrength},
    {.name = circularfailure::kTensileStrength, .kind = Kind::TextBox, .at = {8640, 3240, 1215, 285}},
    // Buttons.
    {.name = circularfailure::kOk, .kind = Kind::Button, .at = {8640, 5880, 1215, 375}, .caption = {"OK"}, .flags = forms::kDefault},
    {.name = circularfailure::kCancel, .kind = Kind::Button, .at = {8640, 6360, 1215, 375}, .caption = {"Cancel"}},
    {.name = circularfailure::kHelp, .kind = Kind::Button, .at = {8640, 6840, 1215, 375}, .caption = {"Help"}},
};
// clang-format on

using ZoneMenuRow = forms::WindowMenuRow<CircularFailureCommand>;

// clang-format off
constexpr ZoneMenuRow kFileRows[] = {
    {.name = forms::Item(circularfailure::kFileEntries, 0), .caption = "Save", .command = CircularFailureCommand::Save, .shortcut = Qt::CTRL | Qt::Key_S},
    {.name = forms::Item(circularfailure::kFileEntries, 1)},
    {.name = forms::Item(circularfailure::kFileEntries, 2), .caption = "Print", .command = CircularFailureCommand::Print, .shortcut = Qt::CTRL | Qt::Key_P},
    {.name = forms::Item(circularfailure::kFileEntries, 3)},
    {.name = forms::Item(circularfailure::kFileEntries, 4), .caption = "Exit", .command = CircularFailureCommand::Exit, .shortcut = Qt::CTRL | Qt::Key_X},
};

constexpr ZoneMenuRow kEditRows[] = {
    {.name = forms::Item(circularfailure::kEditEntries, 0), .caption = "Copy", .command = CircularFailureCommand::Copy, .shortcut = Qt::CTRL | Qt::Key_C},
};

constexpr forms::MenuTable<CircularFailureCommand> kZoneMenus[] = {
    {"mnuFile", "&File", kFileRows},
    {"mnuEdit", "&Edit", kEditRows},
};
// clang-format on

// Prints a picture of the screen at its size on the screen, from the corner
// of the printable area (made smaller only where the page is smaller).
void PrintPicture(const QPixmap& picture, double screenDpiX, double screenDpiY) {
  QPrinter& printer = platform::SystemPrinter();
  QPainter painter;
  platform::PrinterJob job(printer);
  job.Begin(painter);
  QSizeF size(picture.width() * printer.logicalDpiX() / screenDpiX,
              picture.height() * printer.logicalDpiY() / screenDpiY);
  const QSizeF page(printer.width(), printer.height());
  if (size.width() > page.width() || size.height() > page.height()) size.scale(page, Qt::KeepAspectRatio);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.drawPixmap(QRectF(QPointF(0, 0), size), picture, QRectF(picture.rect()));
  job.Finish();
}

}  // namespace

CircularFailureDialog::CircularFailureDialog(QWidget* owner) : FormDialog(owner) {
  Build(kForm, kControls, [](const ControlRow& row, QWidget* parent) -> QWidget* {
    if (QLatin1String(row.name) == QLatin1String(circularfailure::kZonePicture)) return new FailureZonePicture(parent);
    return nullptr;
  });
  ui_.sx = Require<QLineEdit>(circularfailure::kSx);
  ui_.sy = Require<QLineEdit>(circularfailure::kSy);
  ui_.txy = Require<QLineEdit>(circularfailure::kTxy);
  ui_.pressure = Require<QLineEdit>(circularfailure::kInternalPressure);
  ui_.radius = Require<QLineEdit>(circularfailure::kOpeningRadius);
  ui_.co = Require<QLineEdit>(circularfailure::kCompressiveStrength);
  ui_.to = Require<QLineEdit>(circularfailure::kTensileStrength);
  ui_.distance = Require<QLineEdit>(circularfailure::kRadialDistance);
  ui_.ok = Require<QPushButton>(circularfailure::kOk);
  ui_.zonePicture = Require<FailureZonePicture>(circularfailure::kZonePicture);
  ui_.zonePicture->setAccessibleName(QString::fromLatin1(kZoneTitle));

  // The boxes in the order of the tool's checks at OK, each read and
  // checked by the rules of its input; the cross-check of a and r follows.
  const auto add = [this](QLineEdit* box, float& field, CircFailField which) {
    inputs_.Add(box, field,
                {.reading = CircFailReadsWholeEntry(which) ? Reading::WholeEntry : Reading::LeadingNumber,
                 .message = CircFailTextMessage(which),
                 .rule = CircFailValueRule(which)});
  };
  add(ui_.sx, stress_.Sx, CircFailField::Sx);
  add(ui_.sy, stress_.Sy, CircFailField::Sy);
  add(ui_.txy, stress_.Txy, CircFailField::Txy);
  add(ui_.radius, input_.A, CircFailField::Radius);
  add(ui_.pressure, input_.InternalPressure, CircFailField::Pressure);
  add(ui_.co, input_.Co, CircFailField::Co);
  add(ui_.to, input_.To, CircFailField::To);
  add(ui_.distance, input_.R, CircFailField::Distance);

  BuildMenus();
  WireButtons(ui_.ok, Require<QPushButton>(circularfailure::kCancel), Require<QPushButton>(circularfailure::kHelp));
  for (QLineEdit* box : {ui_.sx, ui_.sy, ui_.txy, ui_.pressure, ui_.radius, ui_.co, ui_.to, ui_.distance}) {
    connect(box, &QLineEdit::textChanged, this, &CircularFailureDialog::OnInputEdited);
  }

  OnLoad();
}

CircularFailureDialog::~CircularFailureDialog() = default;

void CircularFailureDialog::BuildMenus() {
  auto* bar = new QMenuBar;
  forms::BuildMenuBar<CircularFailureCommand>(bar, kZoneMenus, ui_.entries, this,
                                              [this](CircularFailureCommand command) { OnEntryChosen(command); });
  Layout().AddMenuBar(bar);
}

void CircularFailureDialog::OnLoad() {
  LoadInputs();
  if (Project.CircFailInput.A > 0) ShowFailureZones();
  AddHistoryLine(
      Tr({"Failure Criteria around Circular Openings.", "Εφαρμογή κριτηρίων αστοχίας σε κυκλικά ανοίγματα."}));
}

void CircularFailureDialog::LoadFromProject() {
  stress_ = Project.CircFailStress;
  stress_.GraphOption = StressGraph::None;  // not used here
  input_ = Project.CircFailInput;
  inputs_.Show(u"#0.##0");
}

void CircularFailureDialog::OnInputEdited() {
  if (loading_) return;
  ShowFailureZones();
}

void CircularFailureDialog::ReadInputs() {
  // A number too large to read raises Overflow; every box is read before
  // anything is written, so that the working copy keeps the last state read
  // in full.
  const auto read = [](const QLineEdit* box) {
    const std::optional<float> value = forms::LeadingValue<float>(box);
    if (!value) RaiseError(ErrorNumber::Overflow);
    return *value;
  };
  const float sx = read(ui_.sx), sy = read(ui_.sy), txy = read(ui_.txy);
  const float radius = read(ui_.radius), distance = read(ui_.distance);
  const float co = read(ui_.co), to = read(ui_.to), pressure = read(ui_.pressure);
  stress_.Sx = sx;
  stress_.Sy = sy;
  stress_.Txy = txy;
  input_.A = radius;
  input_.R = distance;
  input_.Co = co;
  input_.To = to;
  input_.InternalPressure = pressure;
}

void CircularFailureDialog::ShowFailureZones() {
  // A box whose number is too large to read, or arithmetic that overflows
  // or divides by r = 0: the error goes to the history and the picture is
  // blanked rather than left showing another state.
  const bool calculated = forms::Calculate(
      {},
      [this] {
        ReadInputs();
        zones_ = CalcFailureZones(stress_, input_);
      },
      [this] {
        zones_ = {};
        ui_.zonePicture->Blank();
      });
  if (!calculated) return;
  for (const QString& line : FailureZoneHistory(zones_)) AddHistoryLine(line);
  if (!zones_.Computed) return;  // a <= 0: the picture stays as it was
  RecordFailureZones(zones_, input_);
  DrawZones();
}

void CircularFailureDialog::DrawZones() { ui_.zonePicture->Draw(zones_); }

QLineEdit* CircularFailureDialog::BoxOf(CircFailField field) const {
  switch (field) {
    case CircFailField::Sx: return ui_.sx;
    case CircFailField::Sy: return ui_.sy;
    case CircFailField::Txy: return ui_.txy;
    case CircFailField::Radius: return ui_.radius;
    case CircFailField::Pressure: return ui_.pressure;
    case CircFailField::Co: return ui_.co;
    case CircFailField::To: return ui_.to;
    case CircFailField::Distance: return ui_.distance;
  }
  Q_UNREACHABLE();
  return nullptr;
}

bool CircularFailureDialog::ValidateInput() {
  // The working copy takes the boxes once each has passed, as every change
  // of a box has already put them there.
  if (!inputs_.Validate()) return false;
  const CircFailCheck failed = CircFailDistanceCheck(input_.A, input_.R);
  if (failed == CircFailCheck::None) return true;
  const CircFailCheckMessage& m = CircFailCheckMessageOf(failed);
  return forms::RefuseEntry(BoxOf(m.Field), m.Message);
}

void CircularFailureDialog::CommitToProject() {
  Project.CircFailStress = stress_;
  Project.CircFailInput = input_;
  MarkProjectChanged();
}

void CircularFailureDialog::OnEntryChosen(CircularFailureCommand command) {
  switch (command) {
    case CircularFailureCommand::Save: ShowMsg(QStringLiteral("Option not active yet")); break;
    case CircularFailureCommand::Print: PrintWindow(); break;
    case CircularFailureCommand::Exit: CancelClicked(); break;
    case CircularFailureCommand::Copy: QApplication::clipboard()->setPixmap(WindowPicture()); break;
  }
}

QPixmap CircularFailureDialog::WindowPicture() {
  const QRect client = Layout().ClientRect();
  return CaptureWindow(this, true, client.left(), client.top(), client.width(), client.height());
}

void CircularFailureDialog::PrintWindow() {
  const QPixmap picture = WindowPicture();
  const double dpiX = logicalDpiX(), dpiY = logicalDpiY();
  RunReported([&] { PrintPicture(picture, dpiX, dpiY); });
}

}  // namespace brantel
