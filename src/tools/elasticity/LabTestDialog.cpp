#include "tools/elasticity/LabTestDialog.h"

#include "core/Conversions.h"
#include "core/History.h"
#include "core/Messages.h"
#include "core/NumberFormat.h"
#include "core/Settings.h"
#include "core/Validation.h"
#include "core/project/ProjectRecord.h"
#include "forms/FormHelpers.h"
#include "forms/FormInputs.h"
#include "platform/CommonDialogs.h"
#include "tools/elasticity/StressStrainChart.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTableWidget>

#include <cmath>
#include <functional>
#include <limits>

namespace brantel {
namespace {

using forms::ControlRow;
using forms::Kind;

// A box whose number is too large to read counts as beyond every range, for
// the checks to refuse.
constexpr double kUnreadable = std::numeric_limits<double>::infinity();

constexpr unsigned kResult = forms::kReadOnly | forms::kRedText;
constexpr int kInputLength = 20;
constexpr int kGridWidth = 8115;
constexpr int kRowHeight = 270;

constexpr forms::FormDesign kForm{
    .name = "frmLab",
    .width = LabTestDialog::kNarrowWidth,
    .height = 7320,
    .caption = {"Evaluation of Uniaxial Testing Results", "Αξιολόγηση Εργαστηριακών Μετρήσεων Μονοαξονικής Θλίψης"}};

// clang-format off
constexpr ControlRow kControls[] = {
    // The specimen and the number of points.
    {.name = "Frame1", .kind = Kind::Frame, .at = {120, 60, 5040, 2040}, .caption = {"Input Data", "Εισαγωγή δεδομένων"}},
    {.name = "lblHeight", .kind = Kind::Label, .container = "Frame1", .at = {360, 330, 2280, 255}, .caption = {"Height (mm)", "Ύψος (mm)"}, .partner = labtest::kHeight},
    {.name = labtest::kHeight, .kind = Kind::TextBox, .container = "Frame1", .at = {2700, 300, 1095, 285}, .maxLength = kInputLength},
    {.name = labtest::kAreaFromDiameter, .kind = Kind::Option, .container = "Frame1", .at = {120, 690, 225, 255}, .partner = labtest::kDiameterLabel},
    {.name = labtest::kDiameterLabel, .kind = Kind::Label, .container = "Frame1", .at = {360, 690, 2280, 255}, .caption = {"Diameter (mm)", "Διάμετρος (mm)"}, .partner = labtest::kDiameter},
    {.name = labtest::kDiameter, .kind = Kind::TextBox, .container = "Frame1", .at = {2700, 660, 1095, 285}, .maxLength = kInputLength},
    {.name = labtest::kAreaGiven, .kind = Kind::Option, .container = "Frame1", .at = {120, 1050, 225, 255}, .partner = labtest::kAreaLabel},
    {.name = labtest::kAreaLabel, .kind = Kind::Label, .container = "Frame1", .at = {360, 1050, 2280, 255}, .caption = {"Loading Area (mm^2)", "Επιφάνεια Φόρτισης (mm2)"}, .partner = labtest::kArea},
    {.name = labtest::kArea, .kind = Kind::TextBox, .container = "Frame1", .at = {2700, 1020, 1095, 285}, .maxLength = kInputLength},
    {.name = labtest::kEquivalentDiameter, .kind = Kind::Label, .container = "Frame1", .at = {3900, 1050, 1020, 255}},
    {.name = "lblNum", .kind = Kind::Label, .container = "Frame1", .at = {360, 1530, 2280, 255}, .caption = {"Number of Data Points", "Αριθμός Μετρήσεων"}, .partner = labtest::kPointCount},
    {.name = labtest::kPointCount, .kind = Kind::TextBox, .container = "Frame1", .at = {2700, 1500, 495, 285}, .maxLength = 5},
    {.name = labtest::kPointCountBar, .kind = Kind::HScroll, .container = "Frame1", .at = {3300, 1515, 1500, 255}, .caption = {"Number of Data Points", "Αριθμός Μετρήσεων"}},
    // The data type and the chart switch.
    {.name = "Frame2", .kind = Kind::Frame, .at = {5280, 60, 2955, 1455}, .caption = {"Data Type", "Τύπος δεδομένων"}},
    {.name = labtest::kForceStrain, .kind = Kind::Option, .container = "Frame2", .at = {240, 330, 2595, 255}, .caption = {"Force/Strain", "Δύναμη / Παραμ."}},
    {.name = labtest::kForceDisplacement, .kind = Kind::Option, .container = "Frame2", .at = {240, 690, 2595, 255}, .caption = {"Force/Displacement", "Δύναμη / Μετατ."}},
    {.name = labtest::kStressStrain, .kind = Kind::Option, .container = "Frame2", .at = {240, 1050, 2595, 255}, .caption = {"Stress/Strain", "Τάση / Παραμ."}},
    {.name = labtest::kShowChart, .kind = Kind::CheckBox, .at = {5520, 1740, 2595, 255}, .caption = {"Graph", "Γράφημα"}},
    // Results.
    {.name = "Frame3", .kind = Kind::Frame, .at = {120, 2220, kGridWidth, 1140}, .caption = {"Results", "Αποτελέσματα"}},
    {.name = "lblVol", .kind = Kind::Label, .container = "Frame3", .at = {120, 330, 2520, 255}, .caption = {"Specimen Volume (mm^3)", "Όγκος Δοκιμίου (mm3)"}, .partner = labtest::kVolume},
    {.name = labtest::kVolume, .kind = Kind::TextBox, .container = "Frame3", .at = {2700, 300, 1335, 285}, .flags = kResult},
    {.name = "lblYoung", .kind = Kind::Label, .container = "Frame3", .at = {120, 720, 2520, 255}, .caption = {"Mean Elasticity Modulus (GPa)", "Μέσο μέτρο ελαστικότητας (GPa)"}, .partner = labtest::kMeanModulus},
    {.name = labtest::kMeanModulus, .kind = Kind::TextBox, .container = "Frame3", .at = {2700, 690, 1335, 285}, .flags = kResult},
    {.name = "lblPoisson", .kind = Kind::Label, .container = "Frame3", .at = {4200, 330, 2400, 255}, .caption = {"Mean Poisson's Ratio", "Μέσος λόγος Poisson"}, .partner = labtest::kMeanPoisson},
    {.name = labtest::kMeanPoisson, .kind = Kind::TextBox, .container = "Frame3", .at = {6660, 300, 1335, 285}, .flags = kResult},
    {.name = "lblEnergy", .kind = Kind::Label, .container = "Frame3", .at = {4200, 720, 2400, 255}, .caption = {"Energy to Failure (Joule)", "Απαιτούμενη ενέργεια (Joule)"}, .partner = labtest::kFailureEnergy},
    {.name = labtest::kFailureEnergy, .kind = Kind::TextBox, .container = "Frame3", .at = {6660, 690, 1335, 285}, .flags = kResult},
    // The readings.
    {.name = labtest::kReadings, .kind = Kind::Grid, .at = {120, 3480, kGridWidth, 3120}},
    // The chart, in the part of the window that only the wide setting shows.
    {.name = labtest::kChart, .kind = Kind::Picture, .at = {8400, 120, 3840, 7080}},
    // Buttons.
    {.name = labtest::kHelp, .kind = Kind::Button, .at = {4080, 6780, 1215, 375}, .caption = {"Help"}},
    {.name = labtest::kCancel, .kind = Kind::Button, .at = {5460, 6780, 1215, 375}, .caption = {"Cancel"}},
    {.name = labtest::kOk, .kind = Kind::Button, .at = {6840, 6780, 1215, 375}, .caption = {"OK"}, .flags = forms::kDefault},
};
// clang-format on

// Enter on the grid edits its current cell; the key goes no further, or
// it would press the dialog's OK button as well.
class GridEnterKey : public QObject {
 public:
  GridEnterKey(QTableWidget* grid, std::function<void(int, int)> edit)
      : QObject(grid), grid_(grid), edit_(std::move(edit)) {
    grid->installEventFilter(this);
  }
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() != QEvent::KeyPress) return false;
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key != Qt::Key_Return && key != Qt::Key_Enter) return false;
    if (grid_->currentRow() >= 0 && grid_->currentColumn() >= 0) edit_(grid_->currentRow(), grid_->currentColumn());
    return true;
  }

 private:
  QTableWidget* grid_;
  std::function<void(int, int)> edit_;
};

}  // namespace

LabTestDialog::LabTestDialog(QWidget* owner) : FormDialog(owner) {
  Build(kForm, kControls, [](const ControlRow& row, QWidget* parent) -> QWidget* {
    if (QLatin1String(row.name) == QLatin1String(labtest::kChart)) return new StressStrainChart(parent);
    return nullptr;
  });
  ui_.height = Require<QLineEdit>(labtest::kHeight);
  ui_.diameter = Require<QLineEdit>(labtest::kDiameter);
  ui_.area = Require<QLineEdit>(labtest::kArea);
  ui_.diameterLabel = Require<QLabel>(labtest::kDiameterLabel);
  ui_.areaLabel = Require<QLabel>(labtest::kAreaLabel);
  ui_.equivalentDiameter = Require<QLabel>(labtest::kEquivalentDiameter);
  ui_.pointCount = Require<QLineEdit>(labtest::kPointCount);
  ui_.pointCountBar = Require<QScrollBar>(labtest::kPointCountBar);
  ui_.showChart = Require<QCheckBox>(labtest::kShowChart);
  ui_.volume = Require<QLineEdit>(labtest::kVolume);
  ui_.meanModulus = Require<QLineEdit>(labtest::kMeanModulus);
  ui_.meanPoisson = Require<QLineEdit>(labtest::kMeanPoisson);
  ui_.failureEnergy = Require<QLineEdit>(labtest::kFailureEnergy);
  ui_.readings = Require<QTableWidget>(labtest::kReadings);
  ui_.chart = Require<StressStrainChart>(labtest::kChart);
  ui_.areaSource = {Options(labtest::kAreaSource)};
  ui_.dataType = {Options(labtest::kDataType)};

  ui_.pointCountBar->setRange(kLabMinPoints, kLabMaxPointCount);
  ui_.pointCountBar->setPageStep(1);
  ui_.readings->setColumnCount(labcol::kCount);
  ui_.readings->setRowCount(pointCount_);
  ui_.readings->verticalHeader()->setMinimumSectionSize(1);
  ui_.readings->verticalHeader()->setDefaultSectionSize(forms::Px(kRowHeight));
  ui_.readings->horizontalHeader()->setHighlightSections(false);
  ui_.chart->setVisible(false);

  // A text without a number counts as 0; only a value beyond the 32-bit
  // range is refused.
  for (auto [box, field] : {std::pair{ui_.height, &height_}, {ui_.diameter, &diameter_}, {ui_.area, &area_}}) {
    inputs_.Add(box, *field, {forms::Reading::LeadingNumber, kLabTooLarge});
  }

  WireButtons(Require<QPushButton>(labtest::kOk), Require<QPushButton>(labtest::kCancel),
              Require<QPushButton>(labtest::kHelp));
  connect(ui_.height, &QLineEdit::textChanged, this, &LabTestDialog::OnSpecimenEdited);
  connect(ui_.diameter, &QLineEdit::textChanged, this, &LabTestDialog::OnSpecimenEdited);
  connect(ui_.area, &QLineEdit::textChanged, this, &LabTestDialog::OnAreaEdited);
  connect(ui_.pointCount, &QLineEdit::textChanged, this, &LabTestDialog::OnPointCountEdited);
  forms::OnLostFocus(ui_.pointCount, [this] { OnPointCountFocusLost(); });
  connect(ui_.pointCountBar, &QScrollBar::valueChanged, this, &LabTestDialog::OnPointCountScrolled);
  for (const LabAreaSource source : {LabAreaSource::Diameter, LabAreaSource::Area}) {
    connect(ui_.areaSource.OptionOf(source), &QRadioButton::toggled, this, [this, source](bool on) {
      if (on) OnAreaSourceChosen(source);
    });
  }
  for (QRadioButton* option : ui_.dataType.buttons) {
    connect(option, &QRadioButton::toggled, this, [this](bool on) {
      if (on) OnDataTypeChosen();
    });
  }
  connect(ui_.showChart, &QCheckBox::toggled, this, &LabTestDialog::OnShowChartToggled);
  // A double click on a cell, or Enter on the current one, edits it.
  connect(ui_.readings, &QTableWidget::cellActivated, this, [this](int row, int column) { EditCell(row + 1, column); });
  new GridEnterKey(ui_.readings, [this](int row, int column) { EditCell(row + 1, column); });

  OnLoad();
}

LabTestDialog::~LabTestDialog() = default;

void LabTestDialog::OnLoad() {
  ui_.equivalentDiameter->clear();
  LoadInputs();
  AddHistoryLine(Tr(
      {"Evaluation of uniaxial testing laboratory data.", "Αξιολόγηση εργαστηριακών μετρήσεων μονοαξονικής θλίψης."}));
  WriteGridHeader();
  EvaluateTest();
}

void LabTestDialog::LoadFromProject() {
  forms::ShowStoredValue(ui_.height, Project.LabHeight, Format(Project.LabHeight, kLabMask));
  forms::ShowStoredValue(ui_.diameter, Project.LabDiameter, Format(Project.LabDiameter, kLabMask));
  // A count outside 1..20 (none in a file of an early version) stands for one point.
  const int stored = Project.LabPointCount;
  SetPointCount(stored >= kLabMinPoints && stored <= kLabMaxPointCount ? stored : kLabMinPoints);
  forms::ShowStoredValue(ui_.area, Project.LabArea, FormatShortest(Project.LabArea));
  const LabAreaSource source =
      Project.LabAreaOption == LabAreaSource::Area ? LabAreaSource::Area : LabAreaSource::Diameter;
  ui_.areaSource.Choose(source);
  ui_.dataType.Choose(LabDataKindOf(Project.LabDataType));
  // The readings as plain numbers that read back to the stored values.
  for (int r = 1; r <= pointCount_; ++r) {
    for (int c = labcol::kForce; c <= labcol::kSigma; ++c) {
      SetCellText(r, c, FormatShortest(Project.LabPoints[r - 1][c - labcol::kForce]));
    }
  }
}

LabDataKind LabTestDialog::DataKindChosen() const { return ui_.dataType.Chosen(); }

LabAreaSource LabTestDialog::AreaSourceChosen() const { return ui_.areaSource.Chosen(); }

bool LabTestDialog::ValidateInput() { return inputs_.Validate(); }

void LabTestDialog::CommitToProject() {
  // The validation of OK has read the three boxes.
  Project.LabHeight = height_;
  Project.LabDiameter = diameter_;
  Project.LabPointCount = pointCount_;
  Project.LabDataType = DataKindChosen();
  Project.LabArea = area_;
  Project.LabAreaOption = AreaSourceChosen();
  for (int r = 1; r <= pointCount_; ++r) {
    for (int c = labcol::kForce; c <= labcol::kSigma; ++c) {
      Project.LabPoints[r - 1][c - labcol::kForce] = static_cast<float>(CellValue(r, c));
    }
  }
  MarkProjectChanged();
}

void LabTestDialog::WriteGridHeader() {
  QStringList headers;
  for (int c = 0; c < labcol::kCount; ++c) headers << Tr(LabColumnHeader(c));
  ui_.readings->setHorizontalHeaderLabels(headers);
  for (int c = 0; c < labcol::kCount; ++c) {
    ui_.readings->setColumnWidth(c, forms::Px(LabColumnWidth(c, kGridWidth)));
  }
}

void LabTestDialog::SetupGridForDataType() {
  gridBusy_ = true;
  const LabDataKind type = DataKindChosen();
  for (int r = 1; r <= pointCount_; ++r) {
    for (int c = labcol::kForce; c < labcol::kCount; ++c) {
      forms::Cell(ui_.readings, r - 1, c)
          ->setBackground(QColor::fromRgb(IsLabColumnEditable(type, c) ? kLabEditableColour : kLabPlainColour));
    }
    QTableWidgetItem* number = forms::Cell(ui_.readings, r - 1, labcol::kNumber);
    number->setText(FormatInt(r));
    number->setTextAlignment(Qt::AlignCenter);
  }
  gridBusy_ = false;
}

double LabTestDialog::CellValue(int r, int c) const {
  const QTableWidgetItem* item = ui_.readings->item(r - 1, c);
  if (!item) return 0;
  // A number too large to read cannot stand in the grid: every cell is
  // written by the dialog.
  return LeadingNumber(item->text()).value_or(0);
}

void LabTestDialog::SetCellText(int r, int c, const QString& text) {
  QTableWidgetItem* item = forms::Cell(ui_.readings, r - 1, c);
  if (item && item->text() != text) item->setText(text);
}

void LabTestDialog::SetPointCount(int n) {
  gridBusy_ = true;
  const int before = ui_.readings->rowCount();
  for (int r = n + 1; r <= before; ++r) {
    for (int c = labcol::kForce; c < labcol::kCount; ++c) {
      const QTableWidgetItem* item = ui_.readings->item(r - 1, c);
      dropped_[r - 1][c] = item ? item->text() : QString();
    }
  }
  pointCount_ = n;
  ui_.pointCountBar->setValue(n);
  if (ui_.pointCount->text() != FormatInt(n) && !ui_.pointCount->hasFocus()) ui_.pointCount->setText(FormatInt(n));
  ui_.readings->setRowCount(n);
  for (int r = before + 1; r <= n; ++r) {
    for (int c = labcol::kForce; c < labcol::kCount; ++c) SetCellText(r, c, dropped_[r - 1][c]);
  }
  gridBusy_ = false;
  SetupGridForDataType();
}

void LabTestDialog::OnPointCountEdited() {
  if (gridBusy_) return;
  const std::optional<double> typed = forms::LeadingValue(ui_.pointCount);
  const std::optional<int> n = typed ? LabPointCount(*typed) : std::nullopt;
  if (!n) return;  // N and the grid stay as they are
  if (*n != pointCount_) {
    SetPointCount(*n);
    if (!loading_) EvaluateTest();
  }
}

void LabTestDialog::OnPointCountFocusLost() {
  // The box shows the count in force, whatever was left in it.
  if (ui_.pointCount->text() == FormatInt(pointCount_)) return;
  gridBusy_ = true;
  ui_.pointCount->setText(FormatInt(pointCount_));
  gridBusy_ = false;
}

void LabTestDialog::OnPointCountScrolled(int value) {
  if (gridBusy_ || value == pointCount_) return;
  SetPointCount(value);
  gridBusy_ = true;
  ui_.pointCount->setText(FormatInt(value));
  gridBusy_ = false;
  if (!loading_) EvaluateTest();
}

void LabTestDialog::OnSpecimenEdited() {
  if (!loading_) EvaluateTest();
}

void LabTestDialog::OnAreaEdited() {
  if (const std::optional<double> d = LabEquivalentDiameter(forms::LeadingValue(ui_.area).value_or(kUnreadable))) {
    ui_.equivalentDiameter->setText(QStringLiteral("d=") + Format(*d, kLabDiameterMask));
  }
  if (!loading_) EvaluateTest();
}

void LabTestDialog::OnAreaSourceChosen(LabAreaSource source) {
  const bool byDiameter = source == LabAreaSource::Diameter;
  ui_.diameterLabel->setEnabled(byDiameter);
  ui_.diameter->setEnabled(byDiameter);
  ui_.areaLabel->setEnabled(!byDiameter);
  ui_.area->setEnabled(!byDiameter);
  ui_.equivalentDiameter->setEnabled(!byDiameter);
  if (!loading_) EvaluateTest();
}

void LabTestDialog::OnDataTypeChosen() {
  // Only the colours: the filled columns stand until the next evaluation.
  SetupGridForDataType();
}

void LabTestDialog::EditCell(int r, int c) {
  if (gridBusy_ || r < 1 || r > pointCount_ || c < 0 || c >= labcol::kCount) return;
  ui_.readings->setCurrentCell(r - 1, c);
  if (!IsLabColumnEditable(DataKindChosen(), c)) {
    ShowMsg(Tr(kLabInputNotAllowed), Buttons::Ok);
    return;
  }
  QTableWidgetItem* item = forms::Cell(ui_.readings, r - 1, c);
  const QString current = item->text();
  const QString answer =
      platform::InputBox(Tr(kLabRowPrompt) + FormatInt(r),
                         Tr(kLabFieldTitle) + ui_.readings->horizontalHeaderItem(c)->text(), current, this);
  const std::optional<QString> text = LabCellEntryText(answer, current);
  if (!text) {
    ShowInputMessage(kLabTooLarge);
    return;
  }
  item->setText(*text);
  EvaluateTest();
}

void LabTestDialog::EvaluateTest() {
  LabTestInput in;
  in.Height = forms::LeadingValue(ui_.height).value_or(kUnreadable);
  in.AreaOption = AreaSourceChosen();
  in.Diameter = forms::LeadingValue(ui_.diameter).value_or(kUnreadable);
  in.Area = forms::LeadingValue(ui_.area).value_or(kUnreadable);
  in.DataType = DataKindChosen();
  in.Rows.reserve(pointCount_);
  for (int r = 1; r <= pointCount_; ++r) {
    in.Rows.push_back({CellValue(r, labcol::kForce), CellValue(r, labcol::kDeltaY), CellValue(r, labcol::kEx),
                       CellValue(r, labcol::kEy), CellValue(r, labcol::kSigma)});
  }
  evaluation_ = EvaluateLabTest(in);

  forms::ShowResult(ui_.volume, evaluation_.Volume ? FormatGeneral(*evaluation_.Volume) : QString());
  for (int r = 1; r <= pointCount_; ++r) {
    const LabRowResult& row = evaluation_.Rows[r - 1];
    // A cell that cannot be computed keeps what it holds.
    for (const LabCell& cell : row.Filled) {
      if (cell.Value) SetCellText(r, cell.Column, Format(*cell.Value, kLabMask));
    }
    SetCellText(r, labcol::kModulus, row.Modulus ? Format(*row.Modulus, kLabMask) : QString());
  }
  forms::ShowResult(ui_.meanModulus, evaluation_.MeanModulus, kLabMask);
  forms::ShowResult(ui_.meanPoisson, evaluation_.MeanPoisson, kLabMask);
  forms::ShowResult(ui_.failureEnergy, evaluation_.Energy, kLabMask);
  // The chart follows the data while it is shown.
  if (ui_.showChart->isChecked()) PlotStressStrain();
}

void LabTestDialog::PlotStressStrain() {
  ui_.chart->SetTitles(Tr(kLabChartTitle), QString::fromUtf8(kLabChartXTitle), QString::fromUtf8(kLabChartYTitle));
  ui_.chart->SetPoints(LabStressStrainPoints(evaluation_.Rows));
}

void LabTestDialog::OnShowChartToggled() {
  const bool shown = ui_.showChart->isChecked();
  ui_.chart->setVisible(shown);
  Layout().SetFormWidth(shown ? kWideWidth : kNarrowWidth);
  if (shown) PlotStressStrain();
  // Centred across the screen; the window keeps its height on it.
  forms::CenterHorizontally(this);
}

}  // namespace brantel
