#include "forms/FormDialog.h"

#include "core/Bilingual.h"
#include "core/Validation.h"

#include <QCloseEvent>
#include <QPushButton>

#include <algorithm>
#include <utility>
#include <vector>

namespace brantel::forms {

FormDialog::FormDialog(QWidget* owner) : QDialog(owner) { setWindowFlag(Qt::WindowContextHelpButtonHint, false); }

FormDialog::~FormDialog() = default;

void FormDialog::Build(const FormDesign& design, std::span<const ControlRow> controls, const Factory& factory) {
  layout_ = std::make_unique<FormLayout>(this, design, controls, factory);
  layout_->SetCaptions(ProgramInEnglish());
}

FormLayout& FormDialog::Layout() const {
  if (!layout_) throw DesignError(QStringLiteral("%1 has no control table").arg(objectName()));
  return *layout_;
}

void FormDialog::WireButtons(QPushButton* ok, QPushButton* cancel, QPushButton* help) {
  if (ok) connect(ok, &QPushButton::clicked, this, &FormDialog::OkClicked);
  if (cancel) connect(cancel, &QPushButton::clicked, this, &FormDialog::CancelClicked);
  if (help) connect(help, &QPushButton::clicked, this, &FormDialog::HelpClicked);
}

void FormDialog::LoadInputs() {
  loading_ = true;
  accepted_ = false;
  LoadFromProject();
  loading_ = false;
}

void FormDialog::RecalculateIfValid(const std::function<void()>& calculation) {
  if (loading_) return;
  if (ValidateInput()) calculation();
}

void FormDialog::OkClicked() {
  if (ValidateInput()) AcceptAndUnload();
}

void FormDialog::CancelClicked() {
  accepted_ = false;
  Unload();
}

void FormDialog::HelpClicked() { ShowHelpHint(); }

void FormDialog::showEvent(QShowEvent* event) {
  unloaded_ = false;
  QDialog::showEvent(event);
}

void FormDialog::Unload() {
  if (unloaded_) return;
  unloaded_ = true;
  if (accepted_) CommitToProject();
  FormUnload();
  done(accepted_ ? QDialog::Accepted : QDialog::Rejected);
}

void FormDialog::AcceptAndUnload() {
  accepted_ = true;
  Unload();
}

namespace {

std::vector<QPointer<FormDialog>>& ModelessTools() {
  static std::vector<QPointer<FormDialog>> tools;
  return tools;
}

}  // namespace

void KeepModelessTool(FormDialog* dialog) {
  auto& tools = ModelessTools();
  std::erase_if(tools, [](const QPointer<FormDialog>& tool) { return !tool; });
  if (dialog && std::find(tools.begin(), tools.end(), dialog) == tools.end()) tools.emplace_back(dialog);
}

void CloseModelessTools() {
  // A copy: closing a tool may open or close others.
  const std::vector<QPointer<FormDialog>> tools = std::exchange(ModelessTools(), {});
  for (const QPointer<FormDialog>& tool : tools) {
    if (tool && tool->isVisible()) tool->CancelClicked();
  }
}

void FormDialog::closeEvent(QCloseEvent* event) {
  // The close box is a Cancel.
  if (!unloaded_) accepted_ = false;
  Unload();
  event->accept();
}

}  // namespace brantel::forms
