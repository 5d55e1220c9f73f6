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
    9495, 6405, "Calculation of Additional Pressure under a CORNER of Orthogonal Foundation (Fadum)",
    "Υπολογισμός Πρόσθετης Τάσης κάτω από την Γωνία Ορθογωνίου Θεμελίου (Fadum)"};

constexpr ControlRow kControls[] = {
    {"SSTab1", Kind::TabStrip, nullptr, 120, 120, 9255, 6135},
    // The chart.
    {"SSTab1(0)", Kind::TabPage, "SSTab1", 0, 0, 0, 0, "Graph", "Γράφημα"},
    {"MSChart1", Kind::Picture, "SSTab1(0)", 120, 480, 8895, 5415, "Fadum Chart"},
    // The analysis.
    {"SSTab1(1)", Kind::TabPage, "SSTab1", 0, 0, 0, 0, "Analysis", "Ανάλυση"},
    {"Frame2", Kind::Frame, "SSTab1(1)", 240, 600, 6015, 2535, "Foundation Parameters", "Παράμετροι Θεμελίου",
     nullptr, kBlue},
    {"Label11", Kind::Label, "Frame2", 1200, 480, 3180, 255, "Distributed Load (Pressure)",
     "Κατανεμημένο φορτίο (τάση)", "txtFortio"},
    {"txtFortio", Kind::TextBox, "Frame2", 4440, 480, 1335, 285},
    {"Label12", Kind::Label, "Frame2", 1680, 960, 2700, 255, "Foundation Width", "Πλάτος Θεμελίου", "txtPlatos"},
    {"txtPlatos", Kind::TextBox, "Frame2", 4440, 960, 1335, 285},
    {"Label13", Kind::Label, "Frame2", 1560, 1440, 2820, 255, "Foundation Length", "Μήκος Θεμελίου", "txtMhkos"},
    {"txtMhkos", Kind::TextBox, "Frame2", 4440, 1440, 1335, 285},
    {"Label14", Kind::Label, "Frame2", 1560, 1920, 2820, 255, "Depth", "Βάθος σημείου", "txtBathos"},
    {"txtBathos", Kind::TextBox, "Frame2", 4440, 1920, 1335, 285},
    {"Frame1", Kind::Frame, "SSTab1(1)", 240, 3360, 6015, 1455, "Results", "Αποτελέσματα", nullptr, kBlue},
    {"Label21", Kind::Label, "Frame1", 2160, 360, 2100, 255, "Ir Coefficient", "Συντελεστής Ir", "txtIr"},
    {"txtIr", Kind::TextBox, "Frame1", 4320, 360, 1335, 285, nullptr, nullptr, nullptr, kResult},
    {"Label22", Kind::Label, "Frame1", 360, 840, 3900, 495, "Additional Pressure under Foundation Corner",
     "Επιπρόσθετο Φορτίο (κατω από την γωνία)", "txtSigma"},
    {"txtSigma", Kind::TextBox, "Frame1", 4320, 840, 1335, 285, nullptr, nullptr, nullptr, kResult},
    {"btnCancel", Kind::Button, "SSTab1(1)", 3240, 5040, 1215, 375, "Cancel"},
    {"btnOk", Kind::Button, "SSTab1(1)", 4920, 5040, 1215, 375, "OK"},
};

// The sentences of the check, by box.
constexpr InputMessage kNegative[] = {
    Sentence({"The load of the foundation should be positive", "Το φορτίο του θεμελίου πρέπει να έχει θετική τιμή!"}),
    Sentence({"The width of the foundation should be positive", "Το πλάτος του θεμελίου πρέπει να έχει θετική τιμή!"}),
    Sentence({"The length of the foundation should be positive", "Το μήκος του θεμελίου πρέπει να έχει θετική τιμή!"}),
    Sentence({"The depth of the point should be positive", "Το βάθος του σημείου πρέπει να έχει θετική τιμή!"}),
};

}  // namespace

frmFadumCoefs::frmFadumCoefs(QWidget* owner) : FormDialog(owner) {
  setObjectName(QStringLiteral("frmFadumCoefs"));
  Build(kForm, kControls, [](const ControlRow& row, QWidget* parent) -> QWidget* {
    if (QLatin1String(row.name) == QLatin1String("MSChart1")) return new QChartView(parent);
    return nullptr;
  });
  ui_.tabs = Require<QTabWidget>(u"SSTab1");
  ui_.chart = Require<QChartView>(u"MSChart1");
  ui_.load = Require<QLineEdit>(u"txtFortio");
  ui_.width = Require<QLineEdit>(u"txtPlatos");
  ui_.length = Require<QLineEdit>(u"txtMhkos");
  ui_.depth = Require<QLineEdit>(u"txtBathos");
  ui_.ir = Require<QLineEdit>(u"txtIr");
  ui_.sigma = Require<QLineEdit>(u"txtSigma");
  ui_.ok = Require<QPushButton>(u"btnOk");
  ui_.cancel = Require<QPushButton>(u"btnCancel");

  // The window may grow; the tab control and the chart follow it.
  setMinimumSize(size());
  setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
  SetUpChart();

  WireButtons(ui_.ok, ui_.cancel, nullptr);
  for (QLineEdit* box : {ui_.load, ui_.width, ui_.length, ui_.depth}) {
    connect(box, &QLineEdit::textChanged, this, &frmFadumCoefs::TextInput_Change);
  }
  ui_.tabs->setCurrentIndex(kAnalysisTab);
  connect(ui_.tabs, &QTabWidget::currentChanged, this, &frmFadumCoefs::SSTab1_Click);

  Form_Load();
}

frmFadumCoefs::~frmFadumCoefs() = default;

QChart* frmFadumCoefs::Chart() const { return ui_.chart->chart(); }

void frmFadumCoefs::Form_Load() {
  LoadInputs();
  AddHistoryLine(Tr({"Calculation of Additional Pressure a Corner of Orthogonal Foundation due to Uniform Loading.",
                     "Υπολογισμός Πρόσθετης Τάσης στο Υπέδαφος από Ομοιόμορφη Φόρτιση κάτω από μία Γωνία "
                     "Ορθογωνίου Θεμελίου."}));
  AppendUnitsToCaptions(Layout(), {{u"Label11", UnitRow::Stress}, {u"Label12", UnitRow::Length},
                                   {u"Label13", UnitRow::Length}, {u"Label14", UnitRow::Length},
                                   {u"Label22", UnitRow::Stress}});
  if (ui_.tabs->currentIndex() == kGraphTab) DrawFadumChart();
  // The stored values as they stand, unchecked.
  CalcResults();
}

void frmFadumCoefs::LoadFromProject() {
  inputs_ = {Project.CornerLoad, Project.CornerWidth, Project.CornerLength, Project.CornerDepth};
  forms::ShowStoredGeneral(ui_.load, inputs_.Load);
  forms::ShowStoredGeneral(ui_.width, inputs_.Width);
  forms::ShowStoredGeneral(ui_.length, inputs_.Length);
  forms::ShowStoredGeneral(ui_.depth, inputs_.Depth);
}

bool frmFadumCoefs::ValidateInput() {
  // In the order of FadumBox, as kNegative.
  const std::array<QLineEdit*, 4> boxes{ui_.load, ui_.width, ui_.length, ui_.depth};
  const auto values = EntryValues(boxes);
  const FadumCheck check = values ? CheckFadumCorner((*values)[0], (*values)[1], (*values)[2], (*values)[3])
                                  : FadumCheck{FadumFault::NotNumeric};
  switch (check.Fault) {
    case FadumFault::NotNumeric:
      ShowInputNotNumeric();
      return false;
    case FadumFault::Negative: {
      const auto box = static_cast<std::size_t>(check.Box);
      return forms::RefuseEntry(boxes[box], kNegative[box]);
    }
    case FadumFault::None:
      break;
  }
  inputs_ = {CSng((*values)[0]), CSng((*values)[1]), CSng((*values)[2]), CSng((*values)[3])};
  return true;
}

void frmFadumCoefs::CalcResults() {
  forms::Calculate({ui_.ir, ui_.sigma}, [this] {
    const FadumCornerResult r = FadumCornerResults(inputs_.Load, inputs_.Width, inputs_.Length, inputs_.Depth);
    forms::ShowResult(ui_.ir, r.Ir, kFadumIrMask);
    forms::ShowResult(ui_.sigma, FormatGeneral(r.Stress));
  });
}

void frmFadumCoefs::TextInput_Change() {
  if (loading_) return;
  if (ValidateInput()) CalcResults();
}

void frmFadumCoefs::SSTab1_Click(int tab) {
  if (tab == kGraphTab) DrawFadumChart();
}

void frmFadumCoefs::SetUpChart() {
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
  connect(chart, &QChart::plotAreaChanged, this, &frmFadumCoefs::PlaceCurveLabels);
  // The view gives up the chart it was made with without deleting it.
  std::unique_ptr<QChart> blank(ui_.chart->chart());
  ui_.chart->setChart(chart);
}

void frmFadumCoefs::DrawFadumChart() {
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

void frmFadumCoefs::PlaceCurveLabels() {
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

void frmFadumCoefs::resizeEvent(QResizeEvent* event) {
  FormDialog::resizeEvent(event);
  Form_Resize();
}

void frmFadumCoefs::Form_Resize() {
  // The tab control keeps its margins to the window, the chart its margins
  // within the tab control.
  const int tabWidth = forms::Twips(width()) - 240, tabHeight = forms::Twips(height()) - 270;
  ui_.tabs->resize(forms::Px(tabWidth), forms::Px(tabHeight));
  ui_.chart->resize(forms::Px(tabWidth - 600), forms::Px(tabHeight - 800));
}

void frmFadumCoefs::CommitToProject() {
  Project.CornerLoad = inputs_.Load;
  Project.CornerWidth = inputs_.Width;
  Project.CornerLength = inputs_.Length;
  Project.CornerDepth = inputs_.Depth;
  MarkProjectChanged();
}

}  // namespace brantel
