#include "graph/GraphWindow.h"

#include "core/ErrorReporting.h"
#include "core/Globals.h"
#include "core/History.h"
#include "core/Messages.h"
#include "core/NumberFormat.h"
#include "core/graph/GraphBuffer.h"
#include "core/platform/Launcher.h"
#include "core/project/ProjectRecord.h"
#include "forms/FormHelpers.h"
#include "forms/MenuTables.h"
#include "graph/GraphChart.h"
#include "graph/GraphDrawing.h"
#include "graph/GraphOptionsDialog.h"
#include "graph/GraphWorkbook.h"
#include "platform/CommonDialogs.h"
#include "platform/Printer.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryFile>

#include <cmath>

namespace brantel {
namespace {

using forms::ControlRow;
using forms::Kind;

// The window's inner area in twips; the chart fills it but for a strip
// below that holds the Point ID frame.
// The window itself, a main window around this layout, is named "frmGraph".
constexpr forms::FormDesign kGraphForm{.width = 0, .height = 0, .caption = {"Graph"}};
constexpr int kInnerWidth = 9600;
constexpr int kInnerHeight = 7200;
constexpr int kFrameGap = 40;  // between the chart's bottom and the frame

// clang-format off
constexpr ControlRow kGraphControls[] = {
    {.name = graphwindow::kChart, .kind = Kind::Picture, .at = {120, 120, 9180, 6380}, .caption = {"Graph"}},
    {.name = graphwindow::kPointIdFrame, .kind = Kind::Frame, .at = {120, 6540, 6255, 615}, .caption = {"Point ID"}},
    {.name = "lblCurveCaption", .kind = Kind::Label, .container = graphwindow::kPointIdFrame, .at = {120, 285, 615, 255}, .caption = {"Curve:"}, .partner = graphwindow::kNearestCurve},
    {.name = graphwindow::kNearestCurve, .kind = Kind::Label, .container = graphwindow::kPointIdFrame, .at = {735, 285, 1335, 255}},
    {.name = "lblSFCaption", .kind = Kind::Label, .container = graphwindow::kPointIdFrame, .at = {2160, 285, 615, 255}, .caption = {"Stress:"}, .partner = graphwindow::kNearestValue},
    {.name = graphwindow::kNearestValue, .kind = Kind::Label, .container = graphwindow::kPointIdFrame, .at = {2775, 285, 1335, 255}},
    {.name = "lblXCaption", .kind = Kind::Label, .container = graphwindow::kPointIdFrame, .at = {4200, 285, 735, 255}, .caption = {"Xcoord:"}, .partner = graphwindow::kNearestX},
    {.name = graphwindow::kNearestX, .kind = Kind::Label, .container = graphwindow::kPointIdFrame, .at = {4935, 285, 1215, 255}},
};
// clang-format on

using GraphMenuRow = forms::WindowMenuRow<GraphCommand>;

// clang-format off
constexpr GraphMenuRow kMenuSeparator{};

constexpr GraphMenuRow kFileRows[] = {
    {.caption = "&Print", .command = GraphCommand::Print},
    kMenuSeparator,
    {.caption = "E&xport to Excel", .command = GraphCommand::ExportToExcel},
    kMenuSeparator,
    {.caption = "E&xit", .command = GraphCommand::Exit},
};

constexpr GraphMenuRow kEditRows[] = {
    {.caption = "Copy ", .command = GraphCommand::Copy, .shortcut = Qt::CTRL | Qt::Key_C},
};

constexpr GraphMenuRow kOptionsRows[] = {
    {.caption = "Point ID", .command = GraphCommand::PointId, .checkable = true},
    {.caption = "Basic &Options", .command = GraphCommand::BasicOptions},
};

constexpr forms::MenuTable<GraphCommand> kGraphMenus[] = {
    {"GraphFile", "&File", kFileRows},
    {"GraphEdit", "&Edit", kEditRows},
    {"GraphOptions", "&Options", kOptionsRows},
};
// clang-format on

// The chart's mark of a point without a value.
constexpr double kNoValue = 1e308;
constexpr int kPointIdReach = 3;  // pixels

QPointer<GraphWindow>& Instance() {
  static QPointer<GraphWindow> instance;
  return instance;
}

// A new file name in the user's scratch folder that no other file has (an
// empty file is made under it). When none can be made, the folder and the
// failure.
QString ReserveWorkbookPath(QString& folder, QString& failure) {
  folder = UserTempFolder.isEmpty() ? QDir::tempPath() + u'/' : UserTempFolder;
  if (!folder.endsWith(u'/')) folder += u'/';
  QDir().mkpath(folder);
  QTemporaryFile reserve(folder + QStringLiteral("Graph_XXXXXX.xlsx"));
  reserve.setAutoRemove(false);
  if (!reserve.open()) {
    failure = reserve.errorString();
    if (failure.isEmpty()) failure = QStringLiteral("no new file could be made there");
    return QString();
  }
  const QString path = reserve.fileName();
  reserve.close();
  return path;
}

}  // namespace

GraphWindow* GraphWindow::Load() {
  if (!Instance()) {
    auto* window = new GraphWindow;
    window->setAttribute(Qt::WA_DeleteOnClose);
    Instance() = window;
  }
  return Instance();
}

GraphWindow* GraphWindow::Loaded() { return Instance(); }

void GraphWindow::UnloadWindow() {
  if (GraphWindow* window = Instance()) window->close();
}

GraphWindow::GraphWindow(QWidget* parent) : QMainWindow(parent) {
  setObjectName(QStringLiteral("frmGraph"));
  setWindowTitle(QStringLiteral("Graph"));
  inner_ = new QWidget(this);
  setCentralWidget(inner_);
  layout_ = std::make_unique<forms::FormLayout>(inner_, kGraphForm, kGraphControls,
                                                [](const ControlRow& row, QWidget* parent) -> QWidget* {
                                                  if (QLatin1String(row.name) == QLatin1String(graphwindow::kChart))
                                                    return new GraphChart(parent);
                                                  return nullptr;
                                                });
  layout_->SetCaptions(true);
  ui_.chart = layout_->Require<GraphChart>(graphwindow::kChart);
  ui_.pointId = layout_->Require<QGroupBox>(graphwindow::kPointIdFrame);
  ui_.nearestCurve = layout_->Require<QLabel>(graphwindow::kNearestCurve);
  ui_.nearestValue = layout_->Require<QLabel>(graphwindow::kNearestValue);
  ui_.nearestX = layout_->Require<QLabel>(graphwindow::kNearestX);
  ui_.chart->setAccessibleName(QStringLiteral("Graph"));
  connect(ui_.chart, &GraphChart::PointerMoved, this, &GraphWindow::OnChartPointerMoved);
  BuildMenus();
  inner_->installEventFilter(this);
  resize(forms::Px(kInnerWidth), forms::Px(kInnerHeight) + menuBar()->sizeHint().height());
  OnLoad();
}

GraphWindow::~GraphWindow() = default;

GraphOptionsDialog* GraphWindow::OptionsDialog() const { return options_; }

void GraphWindow::BuildMenus() {
  forms::BuildMenuBar<GraphCommand>(menuBar(), kGraphMenus, entries_, this,
                                    [this](GraphCommand command) { OnEntryChosen(command); });
}

void GraphWindow::OnLoad() {
  EntryOf(GraphCommand::PointId)->setChecked(true);
  ui_.pointId->setVisible(true);
  forms::CenterForm(this);
}

QSize GraphWindow::ChartSizeFor(int innerWidth, int innerHeight, int chartLeft, int chartTop) {
  const int height = innerHeight - chartTop < 800 ? 100 : innerHeight - chartTop - 700;
  const int width = innerWidth - chartLeft < 800 ? 500 : innerWidth - chartLeft - 300;
  return QSize(width, height);
}

void GraphWindow::OnResize() {
  const QSize size = ChartSizeFor(forms::Twips(inner_->width()), forms::Twips(inner_->height()),
                                  forms::Twips(ui_.chart->x()), forms::Twips(ui_.chart->y()));
  ui_.chart->resize(forms::Px(size.width()), forms::Px(size.height()));
  // The Point ID frame stays in the strip below the chart.
  ui_.pointId->move(ui_.pointId->x(), ui_.chart->y() + ui_.chart->height() + forms::Px(kFrameGap));
}

bool GraphWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == inner_ && event->type() == QEvent::Resize) OnResize();
  return QMainWindow::eventFilter(watched, event);
}

bool GraphWindow::event(QEvent* event) {
  if (event->type() == QEvent::WindowDeactivate) OnDeactivate();
  return QMainWindow::event(event);
}

void GraphWindow::OnDeactivate() {
  // While the options dialog is open it owns the settings: it read the
  // chart back when it opened and may have reset them since.
  if (options_ && options_->isVisible()) return;
  SaveCurrentGraphSettings();
}

void GraphWindow::closeEvent(QCloseEvent* event) {
  OnUnload();
  QMainWindow::closeEvent(event);
}

void GraphWindow::OnUnload() {
  if (unloaded_) return;
  unloaded_ = true;
  if (Instance() == this) Instance() = nullptr;
  if (options_) options_->Unload();
  // The main window, if the tool that opened this one disabled it.
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (window->objectName() == QLatin1String("frmMain")) window->setEnabled(true);
  }
}

void GraphWindow::GraphInit() {
  const bool firstGraph = GraphSettings.XTitles.isEmpty() || GraphSettings.XTitles.first().isEmpty();
  if (firstGraph || GraphUnits != Project.InputUnits) ResetGraphSettings();
  SetUpGraphChart(*ui_.chart, true);
}

void GraphWindow::DrawCurve() { DrawGraphBuffer(*ui_.chart); }

void GraphWindow::ClearGraph() {
  ui_.chart->SetCurveCount(0);
  CurveCount = 3;
}

void GraphWindow::SaveCurrentGraphSettings() {
  GraphSettings.SymbolSize = ui_.chart->SymbolSize(1);
  GraphSettings.CurveLegend = ui_.chart->SeriesLabelCount() > 0;
  GraphSettings.GraphTitle = ui_.chart->Header();
  if (GraphSettings.XTitles.isEmpty()) GraphSettings.XTitles.append(QString());
  if (GraphSettings.YTitles.isEmpty()) GraphSettings.YTitles.append(QString());
  GraphSettings.XTitles[0] = ui_.chart->AxisTitle(GraphChart::Axis::X);
  GraphSettings.YTitles[0] = ui_.chart->AxisTitle(GraphChart::Axis::Y);
  GraphSettings.GridStyle = GridStyleOf(ui_.chart->Grid(GraphChart::Axis::Y), ui_.chart->Grid(GraphChart::Axis::X));
}

void GraphWindow::OnEntryChosen(GraphCommand command) {
  switch (command) {
    case GraphCommand::Print: PrintGraph(); break;
    case GraphCommand::ExportToExcel: ExportToExcel(); break;
    case GraphCommand::Exit: close(); break;
    case GraphCommand::Copy: QApplication::clipboard()->setImage(ui_.chart->Picture()); break;
    case GraphCommand::PointId: {
      QAction* entry = EntryOf(GraphCommand::PointId);
      entry->setChecked(!ui_.pointId->isVisibleTo(inner_));
      ui_.pointId->setVisible(entry->isChecked());
      break;
    }
    case GraphCommand::BasicOptions:
      if (options_ && options_->isVisible()) return;
      SaveCurrentGraphSettings();
      forms::ShowModeless(options_, this, Qt::ApplicationModal);
      break;
  }
}

void GraphWindow::PrintGraph() {
  // The choices are made on the one printer of the process (as Printer
  // Setup left it); the chart prints on a copy that counts in the screen's
  // pixels, so that its texts keep their sizes relative to the chart, and
  // goes where that printer sends its output, which the copy may not know.
  bool cancelled = false;
  const std::optional<NextStep> result = RunReported([&] {
    if (!platform::ShowPrintDialog(platform::SystemPrinter(), platform::PrintDialogKind::Print, this))
      RaiseError(ErrorNumber::DialogCancel);
  });
  if (result == NextStep::ResumeCancelled) cancelled = true;
  else if (result && result != NextStep::ResumeNext) return;
  if (cancelled) return;
  AddHistoryLine(QStringLiteral("Printing Graph"));
  // Each attempt on a fresh copy: a failed job may leave its printer
  // unusable.
  RunReported([&] {
    QPrinter printer(QPrinter::ScreenResolution);
    platform::CopyPrinterChoices(platform::SystemPrinter(), printer);
    PrintChart(printer);
  });
}

void GraphWindow::PrintChart(QPrinter& printer) {
  QPainter painter;
  platform::PrinterJob job(printer, platform::SystemPrinter());
  job.Begin(painter);
  // The chart in a box 4 inches wide and 5 high, a tenth of an inch from the
  // corner of the printable area, in its own proportions.
  const double dpiX = printer.logicalDpiX();
  const double dpiY = printer.logicalDpiY();
  const QRectF box(0.1 * dpiX, 0.1 * dpiY, 4.0 * dpiX, 5.0 * dpiY);
  ui_.chart->Render(painter, box);
  job.Finish();
}

void GraphWindow::ExportToExcel() {
  forms::WaitPointer hourglass;
  const int n = ui_.chart->CurveCount();
  std::vector<WorkbookCurve> curves;
  for (int s = 1; s <= n; ++s) {
    WorkbookCurve curve;
    curve.name = s <= kGraphCurves ? CurveNames[static_cast<std::size_t>(s - 1)] : QString();
    for (int p = 1; p <= ui_.chart->PointCount(s); ++p) curve.points.push_back(ui_.chart->Point(s, p));
    curves.push_back(std::move(curve));
  }

  QString folder, failure;
  const QString path = ReserveWorkbookPath(folder, failure);
  if (!path.isEmpty()) failure = WriteCurveWorkbook(path, curves);
  if (!failure.isEmpty()) {
    // Only the file made for this export goes; the folder is named when
    // none could be made there.
    if (!path.isEmpty()) QFile::remove(path);
    const QString where = path.isEmpty()
                              ? Tr({"a spreadsheet file in ", "σε αρχείο λογιστικού φύλλου στο φάκελο "}) + folder
                              : Tr({"the spreadsheet file ", "στο αρχείο λογιστικού φύλλου "}) + path;
    hourglass.Restore();
    ShowMsg(Tr({"The curves could not be exported to ", "Οι καμπύλες δεν ήταν δυνατό να εξαχθούν "}) + where +
                QStringLiteral(": ") + failure,
            Icon::Critical, QString());
    return;
  }
  if (!platform::OpenWithDefaultProgram(path)) {
    hourglass.Restore();
    ShowMsg(Tr({"The curves were written to the spreadsheet file %1, but no program could be started to open it.",
                "Οι καμπύλες γράφτηκαν στο αρχείο λογιστικού φύλλου %1, αλλά δεν ήταν δυνατό να ανοίξει κάποιο "
                "πρόγραμμα για αυτό."})
                .arg(path),
            Icon::Critical, QString());
    return;
  }
  // The message box gets the normal pointer.
  hourglass.Restore();
  ShowMsg(QStringLiteral("Exported ") + QString::number(n) + QStringLiteral(" Curves"), Buttons::Ok, QString());
}

void GraphWindow::OnChartPointerMoved(Qt::MouseButtons, Qt::KeyboardModifiers, QPoint pixel) {
  pixelX_ = pixel.x();
  pixelY_ = pixel.y();
  if (!ui_.chart->InPlotArea(pixel)) {
    ui_.chart->ResetPointer();
    return;
  }
  const QPointF data = ui_.chart->ValueAt(pixel);
  dataX_ = data.x();
  dataY_ = data.y();
  const GraphChart::Nearest nearest = ui_.chart->NearestPoint(pixel);
  nearestCurve_ = nearest.curve;
  nearestPoint_ = nearest.point;
  distance_ = nearest.distance;
  if (nearestCurve_ == -1 && nearestPoint_ == -1) {
    ui_.chart->ResetPointer();
    return;
  }
  const QPointF point = ui_.chart->Point(nearestCurve_, nearestPoint_);
  if (distance_ <= kPointIdReach && point.y() != kNoValue && std::isfinite(point.y())) {
    ui_.nearestValue->setText(Format(point.y(), u"##0.00"));
    ui_.nearestX->setText(Format(point.x(), u"##0.00"));
    ui_.nearestCurve->setText(nearestCurve_ >= 1 && nearestCurve_ <= kGraphCurves
                                  ? CurveNames[static_cast<std::size_t>(nearestCurve_ - 1)]
                                  : QString());
    ui_.chart->SetPointer(Qt::CrossCursor);
  } else {
    ui_.chart->ResetPointer();
  }
}

}  // namespace brantel
