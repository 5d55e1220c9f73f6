#include "mainwindow/PrintPreview.h"

#include "core/ErrorReporting.h"
#include "core/History.h"
#include "core/OutputBuffers.h"
#include "mainwindow/PrintText.h"
#include "mainwindow/TextView.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QPushButton>
#include <QTextEdit>

namespace brantel {
namespace {

using forms::ControlRow;
using forms::FormDesign;
using forms::Kind;

constexpr FormDesign kForm{.name = "frmPreview", .width = 9600, .height = 7080, .caption = {"Print Preview"}};
// clang-format off
constexpr ControlRow kControls[] = {
    {.name = printpreview::kView, .kind = Kind::Picture, .at = {120, 120, 9360, 6240}, .caption = {"Preview"}},
    {.name = printpreview::kCopyToClipboard, .kind = Kind::Button, .at = {120, 6540, 1920, 405}, .caption = {"&Copy to Clipboard"}},
    {.name = printpreview::kPrint, .kind = Kind::Button, .at = {2160, 6540, 1200, 405}, .caption = {"&Print"}},
    {.name = printpreview::kHelp, .kind = Kind::Button, .at = {6960, 6540, 1200, 405}, .caption = {"Help"}},
    {.name = printpreview::kClose, .kind = Kind::Button, .at = {8280, 6540, 1200, 405}, .caption = {"Close"}, .flags = forms::kDefault},
};
// clang-format on

}  // namespace

PrintPreview::PrintPreview(QWidget* owner) : FormDialog(owner) {
  Build(kForm, kControls, TextViewFactory);
  ui_.view = Require<QTextEdit>(printpreview::kView);
  SetDesignFont(ui_.view);
  // Close is the Cancel of the preview.
  WireButtons(nullptr, Require<QPushButton>(printpreview::kClose), Require<QPushButton>(printpreview::kHelp));
  connect(Require<QPushButton>(printpreview::kCopyToClipboard), &QPushButton::clicked, this,
          &PrintPreview::OnCopyToClipboardClicked);
  connect(Require<QPushButton>(printpreview::kPrint), &QPushButton::clicked, this, &PrintPreview::OnPrintClicked);
  OnLoad();
}

void PrintPreview::OnLoad() {
  LoadInputs();
  AddHistoryLine(QStringLiteral("Preview displayed"));
  forms::CenterForm(this);
}

void PrintPreview::LoadFromProject() {
  pageIndex_ = 0;
  SetViewText(ui_.view, OutBuf[0]);
}

void PrintPreview::OnCopyToClipboardClicked() {
  QClipboard* clipboard = QGuiApplication::clipboard();
  clipboard->clear();
  clipboard->setText(OutBuf[static_cast<std::size_t>(pageIndex_)]);
  AddHistoryLine(QStringLiteral("Output copied to clipboard"));
}

void PrintPreview::OnPrintClicked() { PrintPreviewText(); }

void PrintPreview::PrintPreviewText() {
  // A print the user cancelled in a dialog stays cancelled while the window
  // is open.
  if (printCancelled_) {
    AddHistoryLine(QStringLiteral("Printing aborted"));
    return;
  }
  const int answer = PrintWholeText(ViewText(ui_.view));
  if (answer != kErrNone) printCancelled_ = answer == kErrCancelled;
}

}  // namespace brantel
