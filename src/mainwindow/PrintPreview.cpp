#include "mainwindow/PrintPreview.h"

#include "core/ErrorReporting.h"
#include "core/History.h"
#include "core/OutputBuffers.h"
#include "mainwindow/PrintText.h"
#include "mainwindow/RichTextBox.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QPushButton>
#include <QTextEdit>

namespace brantel {
namespace {

using forms::ControlRow;
using forms::FormDesign;
using forms::Kind;

constexpr FormDesign kForm{9600, 7080, "Print Preview"};
constexpr ControlRow kControls[] = {
    {"RichTextBox1", Kind::Picture, nullptr, 120, 120, 9360, 6240, "Preview"},
    {"Command2", Kind::Button, nullptr, 120, 6540, 1920, 405, "&Copy to Clipboard"},
    {"Command3", Kind::Button, nullptr, 2160, 6540, 1200, 405, "&Print"},
    {"Command8", Kind::Button, nullptr, 6960, 6540, 1200, 405, "Help"},
    {"Command1", Kind::Button, nullptr, 8280, 6540, 1200, 405, "Close", nullptr, nullptr,
     forms::kDefault},
};

}  // namespace

frmPreview::frmPreview(QWidget* owner) : FormDialog(owner) {
  Build(kForm, kControls, RichTextBoxFactory);
  ui_.view = Require<QTextEdit>(u"RichTextBox1");
  SetDesignFont(ui_.view);
  // Close is the Cancel of the preview.
  WireButtons(nullptr, Require<QPushButton>(u"Command1"), Require<QPushButton>(u"Command8"));
  connect(Require<QPushButton>(u"Command2"), &QPushButton::clicked, this, &frmPreview::Command2_Click);
  connect(Require<QPushButton>(u"Command3"), &QPushButton::clicked, this, &frmPreview::Command3_Click);
  Form_Load();
}

void frmPreview::Form_Load() {
  LoadInputs();
  AddHistoryLine(QStringLiteral("Preview displayed"));
  forms::CenterForm(this);
}

void frmPreview::LoadFromProject() {
  pageIndex_ = 0;
  SetRichText(ui_.view, OutBuf[0]);
}

void frmPreview::Command2_Click() {
  QClipboard* clipboard = QGuiApplication::clipboard();
  clipboard->clear();
  clipboard->setText(OutBuf[static_cast<std::size_t>(pageIndex_)]);
  AddHistoryLine(QStringLiteral("Output copied to clipboard"));
}

void frmPreview::Command3_Click() { PrintPreviewText(); }

void frmPreview::PrintPreviewText() {
  // A print the user cancelled in a dialog stays cancelled while the window
  // is open.
  if (printCancelled_) {
    AddHistoryLine(QStringLiteral("Printing aborted"));
    return;
  }
  const qint16 answer = PrintWholeText(RichText(ui_.view));
  if (answer != kErrNone) printCancelled_ = answer == kErrCancelled;
}

}  // namespace brantel
