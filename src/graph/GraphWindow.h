#pragma once

#include "forms/FormBuilder.h"

#include <QMainWindow>
#include <QPointer>
#include <QSize>

#include <array>
#include <memory>

class QAction;
class QGroupBox;
class QLabel;
class QPrinter;

namespace brantel {

// The design names of the graph window's controls, for its code and its
// tests.
namespace graphwindow {
inline constexpr char kChart[] = "Graph1";
inline constexpr char kPointIdFrame[] = "Frame1";
// The curve nearest the pointer, the value and the X coordinate of its point
// there.
inline constexpr char kNearestCurve[] = "lblCurve";
inline constexpr char kNearestValue[] = "lblSF";
inline constexpr char kNearestX[] = "lblX";
}  // namespace graphwindow

class GraphChart;
class GraphOptionsDialog;

// What the entries of the graph window's menus run.
enum class GraphCommand {
  Print,          // File: the chart on the printer
  ExportToExcel,  // File: the curves into a new workbook, opened
  Exit,           // File: the window closed
  Copy,           // Edit: the chart's picture on the clipboard
  PointId,        // Options: the Point ID frame shown or hidden (a checkable entry)
  BasicOptions,   // Options: the graph options dialog; stays last (kGraphCommandCount)
};
inline constexpr int kGraphCommandCount = static_cast<int>(GraphCommand::BasicOptions) + 1;

// The graph window: shows the curves of the graph buffer, prints them,
// copies them as a picture, exports them to a spreadsheet, names the point
// under the pointer and opens the graph options dialog. It computes
// nothing; the tool that fills the buffer calls GraphInit and DrawCurve and
// shows it.
class GraphWindow : public QMainWindow {
  Q_OBJECT

 public:
  // The one graph window of the process, loaded on first use; closing it
  // unloads it.
  static GraphWindow* Load();
  // The loaded window, or nullptr.
  static GraphWindow* Loaded();
  // Closes the loaded window, if any.
  static void UnloadWindow();

  explicit GraphWindow(QWidget* parent = nullptr);
  ~GraphWindow() override;

  // Sets up the chart from the current graph settings (resetting them first
  // on the first graph of the process and after a change of the project's
  // unit system).
  void GraphInit();
  // Loads the curves of the graph buffer into the chart.
  void DrawCurve();
  // Empties the chart.
  void ClearGraph();
  // Reads the chart's format back into the current graph settings.
  void SaveCurrentGraphSettings();

  GraphChart& Chart() const { return *ui_.chart; }
  // The menu entry that runs a command.
  QAction* EntryOf(GraphCommand command) const { return entries_[static_cast<std::size_t>(command)]; }
  // The options dialog while it is open.
  GraphOptionsDialog* OptionsDialog() const;

  // The chart's size (twips) in an inner area of the window, for the chart's
  // left and top edges.
  static QSize ChartSizeFor(int innerWidth, int innerHeight, int chartLeft, int chartTop);

 protected:
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void OnLoad();
  void OnResize();
  void OnUnload();
  void OnDeactivate();
  // Names the curve and the point nearest the pointer in the Point ID frame.
  void OnChartPointerMoved(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, QPoint pixel);
  void ExportToExcel();
  void PrintGraph();
  void PrintChart(QPrinter& printer);
  // The menus from their tables; each entry runs the command its row names.
  void BuildMenus();
  void OnEntryChosen(GraphCommand command);

  QWidget* inner_ = nullptr;
  std::unique_ptr<forms::FormLayout> layout_;
  struct Ui {
    GraphChart* chart;
    QGroupBox* pointId;
    QLabel* nearestCurve;
    QLabel* nearestValue;
    QLabel* nearestX;
  } ui_;
  std::array<QAction*, kGraphCommandCount> entries_{};  // by command
  QPointer<GraphOptionsDialog> options_;
  bool unloaded_ = false;

  // Point identification: the pointer in pixels, the nearest curve and
  // point and their distance in pixels, and the data coordinates of the
  // pointer.
  int pixelX_ = 0, pixelY_ = 0;
  int nearestCurve_ = -1, nearestPoint_ = -1, distance_ = 0;
  double dataX_ = 0, dataY_ = 0;
};

}  // namespace brantel
