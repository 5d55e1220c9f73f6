#include "mainwindow/OutputPagesWindow.h"

#include "core/ErrorReporting.h"
#include "core/Globals.h"
#include "core/History.h"
#include "core/OutputBuffers.h"
#include "mainwindow/PrintText.h"
#include "mainwindow/TextView.h"
#include "platform/CommonDialogs.h"
#include "platform/Printer.h"

#include <QClipboard>
#include <QEvent>
#include <QGuiApplication>
#include <QPushButton>
#include <QTextEdit>

#include <algorithm>

namespace brantel {
namespace {

using forms::ControlRow;
using forms::FormDesign;
using forms::Kind;

constexpr FormDesign kForm{.name = "frmTxtBox", .width = 10440, .height = 7080, .caption = {"Calculation Results"}};
// clang-format off
constexpr ControlRow kControls[] = {
    {.name = outputpages::kView, .kind = Kind::Picture, .at = {120, 120, 10200, 6240}, .caption = {"Results"}},
    {.name = outputpages::kNext, .kind = Kind::Button, .at = {120, 6540, 1170, 405}, .caption = {"&Next Page"}},
    {.name = outputpages::kPrevious, .kind = Kind::Button, .at = {1395, 6540, 1380, 405}, .caption = {"P&revious Page"}},
    {.name = outputpages::kCopyPage, .kind = Kind::Button, .at = {2880, 6540, 1170, 405}, .caption = {"&Copy Page"}},
    {.name = outputpages::kCopyAll, .kind = Kind::Button, .at = {4155, 6540, 1170, 405}, .caption = {"Cop&y All"}},
    {.name = outputpages::kPrintPage, .kind = Kind::Button, .at = {5430, 6540, 1170, 405}, .caption = {"&Print Page"}},
    {.name = outputpages::kPrintAll, .kind = Kind::Button, .at = {6705, 6540, 1170, 405}, .caption = {"Print &All"}},
    {.name = outputpages::kHelp, .kind = Kind::Button, .at = {8040, 6540, 1080, 405}, .caption = {"Help"}},
    {.name = outputpages::kClose, .kind = Kind::Button, .at = {9240, 6540, 1080, 405}, .caption = {"Close"}},
};
// clang-format on

// The last page index, kept within the pages that exist.
int LastPage() { return std::clamp(OutBufLastPage, 0, kOutBufPages - 1); }

// The number as text with its sign position: a blank before a non-negative one.
QString SignedNumber(int n) { return n >= 0 ? QStringLiteral(" ") + QString::number(n) : QString::number(n); }

void PutOnClipboard(const QString& text) {
  QClipboard* clipboard = QGuiApplication::clipboard();
  clipboard->clear();
  clipboard->setText(text);
}

}  // namespace

OutputPagesWindow::OutputPagesWindow(QWidget* owner) : FormDialog(owner) {
  Build(kForm, kControls, TextViewFactory);
  ui_.view = Require<QTextEdit>(outputpages::kView);
  ui_.next = Require<QPushButton>(outputpages::kNext);
  ui_.previous = Require<QPushButton>(outputpages::kPrevious);
  SetDesignFont(ui_.view);
  // Close is the Cancel of the window.
  WireButtons(nullptr, Require<QPushButton>(outputpages::kClose), Require<QPushButton>(outputpages::kHelp));
  const std::pair<const char*, void (OutputPagesWindow::*)()> handlers[] = {
      {outputpages::kCopyPage, &OutputPagesWindow::OnCopyPageClicked},
      {outputpages::kPrintPage, &OutputPagesWindow::OnPrintPageClicked},
      {outputpages::kNext, &OutputPagesWindow::OnNextPageClicked},
      {outputpages::kPrevious, &OutputPagesWindow::OnPreviousPageClicked},
      {outputpages::kPrintAll, &OutputPagesWindow::OnPrintAllClicked},
      {outputpages::kCopyAll, &OutputPagesWindow::OnCopyAllClicked},
  };
  for (const auto& [name, handler] : handlers) {
    connect(Require<QPushButton>(name), &QPushButton::clicked, this, handler);
  }
  OnLoad();
}

void OutputPagesWindow::OnLoad() {
  LoadInputs();
  AddHistoryLine(QStringLiteral("Results displayed"));
  forms::CenterForm(this);
}

void OutputPagesWindow::LoadFromProject() {
  // From page 0, one Next: the last page when there are two.
  currentPage_ = 0;
  OnNextPageClicked();
}

bool OutputPagesWindow::event(QEvent* event) {
  if (event->type() == QEvent::WindowActivate) {
    if (ui_.next->isEnabled()) ui_.next->setFocus();
  }
  return forms::FormDialog::event(event);
}

void OutputPagesWindow::ShowCurrentPage() {
  const bool inRange = currentPage_ >= 0 && currentPage_ < kOutBufPages;
  SetViewText(ui_.view, inRange ? OutBuf[static_cast<std::size_t>(currentPage_)] : QString());
}

void OutputPagesWindow::OnNextPageClicked() {
  if (currentPage_ < LastPage()) {
    ++currentPage_;
    ShowCurrentPage();
  }
  ui_.previous->setEnabled(true);
  ui_.next->setEnabled(currentPage_ < LastPage());
}

void OutputPagesWindow::OnPreviousPageClicked() {
  if (currentPage_ >= 1) {
    --currentPage_;
    ShowCurrentPage();
  }
  ui_.next->setEnabled(true);
  ui_.previous->setEnabled(currentPage_ != 0);
}

void OutputPagesWindow::OnCopyPageClicked() {
  const bool inRange = currentPage_ >= 0 && currentPage_ < kOutBufPages;
  PutOnClipboard(inRange ? OutBuf[static_cast<std::size_t>(currentPage_)] : QString());
  AddHistoryLine(QStringLiteral("Output page #") + SignedNumber(currentPage_) + QStringLiteral("copied to clipboard"));
}

void OutputPagesWindow::OnCopyAllClicked() {
  PutOnClipboard(JoinOutBuf(0, LastPage()));
  AddHistoryLine(QStringLiteral("Output copied to clipboard"));
}

void OutputPagesWindow::OnPrintPageClicked() {
  if (PrintOutputPages(currentPage_, currentPage_)) {
    AddHistoryLine(QStringLiteral("Current page printed"));
  }
  ShowCurrentPage();
}

void OutputPagesWindow::OnPrintAllClicked() {
  if (PrintOutputPages(0, LastPage())) AddHistoryLine(QStringLiteral("All pages printed"));
  ShowCurrentPage();
}

bool OutputPagesWindow::PrintOutputPages(int first, int last) {
  cancelled_ = false;
  const std::optional<NextStep> next = RunReported([this] {
    if (!platform::ShowPrintDialog(platform::SystemPrinter(), platform::PrintDialogKind::Print, this)) {
      RaiseError(ErrorNumber::DialogCancel);
    }
  });
  if (next == NextStep::ResumeCancelled) cancelled_ = true;
  else if (next && next != NextStep::ResumeNext) return false;
  if (cancelled_) {
    AddHistoryLine(QStringLiteral("Printing aborted"));
    return false;
  }
  return !PrintWholeText(JoinOutBuf(first, last));
}

}  // namespace brantel
