#include "tools/stress/FadumChartDialog.h"

#include "core/Conversions.h"
#include "core/History.h"
#include "core/Messages.h"
#include "core/NumberFormat.h"
#include "core/project/ProjectRecord.h"
#include "forms/FormInputs.h"
#include "tools/stress/Fadum.h"
#include "tools/stress/StressDialogs.h"

#include <QChart>
#include <QChartView>
#include <QColor>
#include <QGraphicsLayout>
#include <QGraphicsSimpleTextItem>
#include <QLegend>
#include <QLineEdit>
#include <QLineSeries>
#include <QLogValueAxis>
#include <QPen>
#include <QPushButton>
#include <QResizeEvent>
#include <QTabWidget>
#include <QValueAxis>

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

namespace brantel {
namespace {

using forms::ControlRow;
using forms::Kind;

constexpr unsigned kResult = forms::kReadOnly | forms::kRedText;
constexpr unsigned kBlue = forms::kBlueCaption;

constexpr forms::FormDesign kForm{
    .name = "frmFadumCoefs",
    .width = 9495,
    .height = 6405,
    .caption = {"Calculation of Additional Pressure under a CORNER of Orthogonal Foundation (Fadum)",
                "Υπολογισμός Πρόσθετης Τάσης κάτω από την Γωνία Ορθογωνίου Θεμελίου (Fadum)"}};

// clang-format off
constexpr auto kControls = forms::JoinRows(
    std::to_array<ControlRow>({
    {.name = fadumchart::kTabs, .kind = Kind::TabStrip, .at = {120, 120, 9255, 6135}},
    // The chart.
    {.name = "SSTab1(0)", .kind = Kind::TabPage, .container = fadumchart::kTabs, .caption = {"Graph", "Γράφημα"}},
    {.name = fadumchart::kFadumChart, .kind = Kind::Picture, .container = "SSTab1(0)", .at = {120, 480, 8895, 5415}, .caption = {"Fadum Chart"}},
    // The analysis.
    {.name = "SSTab1(1)", .kind = Kind::TabPage, .container = fadumchart::kTabs, .caption = {"Analysis", "Ανάλυση"}},
    {.name = "Frame2", .kind = Kind::Frame, .container = "SSTab1(1)", .at = {240, 600, 6015, 2535}, .caption = {"Foundation Parameters", "Παράμετροι Θεμελίου"}, .flags = kBlue},
    }),
    FoundationBoxRows({.frame = "Frame2",
                       .pressure = {{"Distributed Load (Pressure)", "Κατανεμημένο φορτίο (τάση)"}, {1200, 480, 3180, 255}, {4440, 480, 1335, 285}},
                       .width = {{"Foundation Width", "Πλάτος Θεμελίου"}, {1680, 960, 2700, 255}, {4440, 960, 1335, 285}},
                       .length = {{"Foundation Length", "Μήκος Θεμελίου"}, {1560, 1440, 2820, 255}, {4440, 1440, 1335, 285}}}),
    std::to_array<ControlRow>({
    {.name = fadumchart::kPointDepthLabel, .kind = Kind::Label, .container = "Frame2", .at = {1560, 1920, 2820, 255}, .caption = {"Depth", "Βάθος σημείου"}, .partner = fadumchart::kPointDepth},
    {.name = fadumchart::kPointDepth, .kind = Kind::TextBox, .container = "Frame2", .at = {4440, 1920, 1335, 285}},
    {.name = "Frame1", .kind = Kind::Frame, .container = "SSTab1(1)", .at = {240, 3360, 6015, 1455}, .caption = {"Results", "Αποτελέσματα"}, .flags = kBlue},
    {.name = "Label21", .kind = Kind::Label, .container = "Frame1", .at = {2160, 360, 2100, 255}, .caption = {"Ir Coefficient", "Συντελεστής Ir"}, .partner = fadumchart::kIrCoefficient},
    {.name = fadumchart::kIrCoefficient, .kind = Kind::TextBox, .container = "Frame1", .at = {4320, 360, 1335, 285}, .flags = kResult},
    {.name = fadumchart::kCornerStressLabel, .kind = Kind::Label, .container = "Frame1", .at = {360, 840, 3900, 495}, .caption = {"Additional Pressure under Foundation Corner", "Επιπρόσθετο Φορτίο (κατω από την γωνία)"}, .partner = fadumchart::kCornerStress},
    {.name = fadumchart::kCornerStress, .kind = Kind::TextBox, .container = "Frame1", .at = {4320, 840, 1335, 285}, .flags = kResult},
    {.name = fadumchart::kCancel, .kind = Kind::Button, .container = "SSTab1(1)", .at = {3240, 5040, 1215, 375}, .caption = {"Cancel"}},
    {.name = fadumchart::kOk, .kind = Kind::Button, .container = "SSTab1(1)", .at = {4920, 5040, 1215, 375}, .caption = {"OK"}},
    }));
// clang-format on

}  // namespace

FadumChartDialog::FadumChartDialog(QWidget* owner) : FormDialog(owner) {
  Build(kForm, kControls, [](const ControlRow& row, QWidget* parent) -> QWidget* {
    if (QLatin1String(row.name) == QLatin1String(fadumchart::kFadumChart)) return new QChartView(parent);
    return nullptr;
  });
  ui_.tabs = Require<QTabWidget>(fadumchart::kTabs);
  ui_.fadumChart = Require<QChartView>(fadumchart::kFadumChart);
  ui_.load = Require<QLineEdit>(fadumchart::kDistributedLoad);
  ui_.width = Require<QLineEdit>(fadumchart::kFoundationWidth);
  ui_.length = Require<QLineEdit>(fadumchart::kFoundationLength);
  ui_.depth = Require<QLineEdit>(fadumchart::kPointDepth);
  ui_.irCoefficient = Require<QLineEdit>(fadumchart::kIrCoefficient);
  ui_.cornerStress = Require<QLineEdit>(fadumchart::kCornerStress);
  ui_.ok = Require<QPushButton>(fadumchart::kOk);
  ui_.cancel = Require<QPushButton>(fadumchart::kCancel);

  // The window may grow; the tab control and the chart follow it.
  setMinimumSize(size());
  setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
  SetUpChart();

  // Every box is read before any value is checked.
  inputs_.Add(ui_.load, values_.Load, WholeEntryRules(FadumCornerValueRule(FadumBox::Load)));
  inputs_.Add(ui_.width, values_.Width, WholeEntryRules(FadumCornerValueRule(FadumBox::Width)));
  inputs_.Add(ui_.length, values_.Length, WholeEntryRules(FadumCornerValueRule(FadumBox::Length)));
  inputs_.Add(ui_.depth, values_.Depth, WholeEntryRules(FadumCornerValueRule(FadumBox::Depth)));

  WireButtons(ui_.ok, ui_.cancel, nullptr);
  for (QLineEdit* box : {ui_.load, ui_.width, ui_.length, ui_.depth}) {
    connect(box, &QLineEdit::textChanged, this, &FadumChartDialog::OnInputEdited);
  }
  ui_.tabs->setCurrentIndex(kAnalysisTab);
  connect(ui_.tabs, &QTabWidget::currentChanged, this, &FadumChartDialog::OnTabChanged);

  OnLoad();
}

FadumChartDialog::~FadumChartDialog() = default;

QChart* FadumChartDialog::Chart() const { return ui_.fadumChart->chart(); }

void FadumChartDialog::OnLoad() {
  LoadInputs();
  AddHistoryLine(Tr({"Calculation of Additional Pressure a Corner of Orthogonal Foundation due to Uniform Loading.",
                     "Υπολογισμός Πρόσθετης Τάσης στο Υπέδαφος από Ομοιόμορφη Φόρτιση κάτω από μία Γωνία "
                     "Ορθογωνίου Θεμελίου."}));
  AppendUnitsToCaptions(Layout(), {{fadumchart::kDistributedLoadLabel, UnitRow::Stress},
                                   {fadumchart::kFoundationWidthLabel, UnitRow::Length},
                                   {fadumchart::kFoundationLengthLabel, UnitRow::Length},
                                   {fadumchart::kPointDepthLabel, UnitRow::Length},
                                   {fadumchart::kCornerStressLabel, UnitRow::Stress}});
  if (ui_.tabs->currentIndex() == kGraphTab) DrawFadumChart();
  // The stored values as they stand, unchecked.
  CalcResults();
}

void FadumChartDialog::LoadFromProject() {
  values_ = {Project.CornerLoad, Project.CornerWidth, Project.CornerLength, Project.CornerDepth};
  forms::ShowStoredGeneral(ui_.load, values_.Load);
  forms::ShowStoredGeneral(ui_.width, values_.Width);
  forms::ShowStoredGeneral(ui_.length, values_.Length);
  forms::ShowStoredGeneral(ui_.depth, values_.Depth);
}

bool FadumChartDialog::ValidateInput() { return inputs_.Validate(); }

void FadumChartDialog::CalcResults() {
  forms::Calculate({ui_.irCoefficient, ui_.cornerStress}, [this] {
    const FadumCornerResult r = FadumCornerResults(values_.Load, values_.Width, values_.Length, values_.Depth);
    forms::ShowResult(ui_.irCoefficient, r.Ir, kFadumIrMask);
    forms::ShowResult(ui_.cornerStress, FormatGeneral(r.Stress));
  });
}

void FadumChartDialog::OnInputEdited() {
  RecalculateIfValid([this] { CalcResults(); });
}

void FadumChartDialog::OnTabChanged(int tab) {
  if (tab == kGraphTab) DrawFadumChart();
}

void FadumChartDialog::SetUpChart() {
  auto* chart = new QChart;
  chart->setTitle(kFadumChartTitle.toString());
  chart->setBackgroundRoundness(0);
  // The right margin holds the values of n at the ends of the curves, in
  // place of a legend of twenty rows.
  chart->setMargins(QMargins(4, 4, 28, 4));
  chart->layout()->setContentsMargins(0, 0, 0, 0);
  chart->legend()->hide();
  QFont small = font();
  small.setPointSizeF(7.0);
  QFont titleFont = font();
  titleFont.setBold(true);
  auto* x = new QLogValueAxis;
  x->setBase(10.0);
  x->setMinorTickCount(8);  // a line at every whole multiple within a decade
  x->setLabelFormat(QStringLiteral("%g"));
  x->setTitleText(kFadumChartXTitle.toString());
  x->setLabelsFont(small);
  x->setTitleFont(titleFont);
  // Just below 0.1, so that the first decade's mark is not lost to the
  // rounding of its logarithm.
  x->setRange(std::nextafter(kFadumChartAxes.XMin, 0.0), kFadumChartAxes.XMax);
  auto* y = new QValueAxis;
  y->setTitleText(kFadumChartYTitle.toString());
  y->setRange(kFadumChartAxes.YMin, kFadumChartAxes.YMax);
  y->setTickCount(kFadumChartAxes.YDivisions + 1);
  y->setLabelFormat(QStringLiteral("%.2f"));
  y->setLabelsFont(small);
  y->setTitleFont(titleFont);
  chart->addAxis(x, Qt::AlignBottom);
  chart->addAxis(y, Qt::AlignLeft);
  for (int k = 0; k < kFadumCurves; ++k) {
    auto* series = new QLineSeries;
    chart->addSeries(series);
    series->attachAxis(x);
    series->attachAxis(y);
    const QColor colour = QColor::fromHsv(k * 300 / kFadumCurves, 230, 190);
    series->setPen(QPen(colour, 1));  // thin lines draw fastest
    curves_.append(series);
    auto* label = new QGraphicsSimpleTextItem(chart);
    label->setFont(small);
    label->setBrush(colour);
    label->hide();
    curveLabels_.append(label);
  }
  curveHeading_ = new QGraphicsSimpleTextItem(kFadumChartNTitle.toString(), chart);
  curveHeading_->setFont(small);
  curveHeading_->hide();
  connect(chart, &QChart::plotAreaChanged, this, &FadumChartDialog::PlaceCurveLabels);
  // The view gives up the chart it was made with without deleting it.
  std::unique_ptr<QChart> blank(ui_.fadumChart->chart());
  ui_.fadumChart->setChart(chart);
}

void FadumChartDialog::DrawFadumChart() {
  // The curves depend on no input: worked out once, they stand for every
  // later drawing.
  static const auto curves = FadumChartCurves();
  for (int k = 0; k < kFadumCurves; ++k) {
    const FadumChartCurve& curve = curves[static_cast<std::size_t>(k)];
    // The chart lays out a curve, a name or a label handed to it again as if
    // it were new; what it shows already stays as it is.
    if (curves_[k]->points() != curve.Points) curves_[k]->replace(curve.Points);
    const QString n = Format(curve.N, u"#0.0");
    if (curves_[k]->name() != QStringLiteral("n = ") + n) curves_[k]->setName(QStringLiteral("n = ") + n);
    if (curveLabels_[k]->text() != n) curveLabels_[k]->setText(n);
  }
  PlaceCurveLabels();
  ++chartDrawCount_;
}

void FadumChartDialog::PlaceCurveLabels() {
  QChart* chart = Chart();
  const QRectF plot = chart->plotArea();
  if (curves_.isEmpty() || curves_.front()->count() == 0 || !plot.isValid()) return;
  // Each label at the height of its curve's end, the curves of larger n
  // higher; labels that would overlap are pushed apart, first upward from
  // the lowest, then downward from the top of the plot.
  const double lineHeight = curveLabels_.front()->boundingRect().height() - 2;
  std::vector<double> centre(static_cast<std::size_t>(kFadumCurves));
  for (int k = 0; k < kFadumCurves; ++k) {
    centre[static_cast<std::size_t>(k)] = chart->mapToPosition(curves_[k]->points().back(), curves_[k]).y();
  }
  for (std::size_t k = 1; k < centre.size(); ++k) centre[k] = std::min(centre[k], centre[k - 1] - lineHeight);
  centre.back() = std::max(centre.back(), plot.top() + lineHeight);
  for (std::size_t k = centre.size() - 1; k-- > 0;) centre[k] = std::max(centre[k], centre[k + 1] + lineHeight);
  const double left = plot.right() + 4;
  for (int k = 0; k < kFadumCurves; ++k) {
    QGraphicsSimpleTextItem* label = curveLabels_[k];
    label->setPos(left, centre[static_cast<std::size_t>(k)] - label->boundingRect().height() / 2);
    label->show();
  }
  curveHeading_->setPos(left, centre.back() - 2.2 * lineHeight);
  curveHeading_->show();
}

void FadumChartDialog::resizeEvent(QResizeEvent* event) {
  FormDialog::resizeEvent(event);
  OnResize();
}

void FadumChartDialog::OnResize() {
  // The tab control keeps its margins to the window, the chart its margins
  // within the tab control.
  const int tabWidth = forms::Twips(width()) - 240, tabHeight = forms::Twips(height()) - 270;
  ui_.tabs->resize(forms::Px(tabWidth), forms::Px(tabHeight));
  ui_.fadumChart->resize(forms::Px(tabWidth - 600), forms::Px(tabHeight - 800));
}

void FadumChartDialog::CommitToProject() {
  Project.CornerLoad = values_.Load;
  Project.CornerWidth = values_.Width;
  Project.CornerLength = values_.Length;
  Project.CornerDepth = values_.Depth;
  MarkProjectChanged();
}

}  // namespace brantel
