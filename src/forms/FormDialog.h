#pragma once

#include "forms/FormBuilder.h"

#include <QDialog>
#include <QPointer>

#include <functional>
#include <memory>
#include <span>
#include <type_traits>

class QPushButton;

namespace brantel::forms {

// The base of every dialog. The constructor of a dialog builds its control
// table (Build), fills its private struct of typed handles (Require), wires
// its buttons (WireButtons) and its own handlers, and loads (LoadInputs).
//
// One unload path: OK validates (ValidateInput) and counts only when the
// inputs pass; Cancel, Esc and the window's close box unload without it.
// Each unload runs CommitToProject once when accepted, then FormUnload.
class FormDialog : public QDialog {
  Q_OBJECT

 public:
  explicit FormDialog(QWidget* owner = nullptr);
  ~FormDialog() override;

  bool IsAccepted() const { return accepted_; }
  bool IsLoading() const { return loading_; }

  // The controls of the design; the fixture of the tests reaches them by
  // their design names through Layout().Require.
  FormLayout& Layout() const;

  // The standard buttons. OK: ValidateInput, and when it passes the
  // accepted flag and the unload. Cancel: the unload without the flag.
  // Help: the help hint.
  void OkClicked();
  void CancelClicked();
  void HelpClicked();

  // Closes the dialog (runs the unload steps once).
  void Unload();
  // Sets the accepted flag and unloads.
  void AcceptAndUnload();

  void accept() override { Unload(); }
  void reject() override { CancelClicked(); }

 protected:
  // Builds the controls of a design and captions them in the current
  // language (a row without a Greek caption shows its English one in both).
  void Build(const FormDesign& design, std::span<const ControlRow> controls, const Factory& factory = {});
  // The control of a design name, as the widget the dialog expects; a name
  // the table does not hold or another kind of widget raises DesignError.
  template <typename T>
  T* Require(QAnyStringView name) const {
    return Layout().Require<T>(name);
  }
  OptionArray Options(QAnyStringView arrayName) const { return Layout().Options(arrayName); }

  // Connects the standard buttons to OkClicked, CancelClicked and
  // HelpClicked; a dialog without one of them passes nullptr.
  void WireButtons(QPushButton* ok, QPushButton* cancel, QPushButton* help);

  // Runs LoadFromProject with the loading flag set (change handlers stay
  // quiet) and the accepted flag cleared.
  void LoadInputs();

  // The step of a handler that recalculates after a change: nothing while
  // the dialog loads its inputs, and `calculation` only when ValidateInput
  // passes (a refused box shows its message and nothing is computed).
  void RecalculateIfValid(const std::function<void()>& calculation);

  // The steps a dialog overrides.
  // Fills the boxes from the project (or the settings the dialog edits).
  virtual void LoadFromProject() {}
  // Checks the inputs; OK counts only when this returns true.
  virtual bool ValidateInput() { return true; }
  // Copies the dialog's working values into the project; runs once, at the
  // unload, only when the dialog was accepted.
  virtual void CommitToProject() {}
  // Runs at every unload, after CommitToProject.
  virtual void FormUnload() {}

  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;

  bool loading_ = false;
  bool accepted_ = false;

 private:
  std::unique_ptr<FormLayout> layout_;
  bool unloaded_ = false;
};

// Loads a dialog, shows it modally and returns when it has closed; true
// when it was accepted.
template <typename Dialog, typename... Args>
bool ShowModal(Args&&... args) {
  Dialog dialog(std::forward<Args>(args)...);
  dialog.exec();
  return dialog.IsAccepted();
}

// Shows a modeless dialog, or brings the open one to the front (restored
// when it was minimized). The dialog is deleted once it has unloaded, and
// `open` forgets it then; a dialog that has unloaded is never shown again.
// A dialog that blocks the rest of the program while it is open (but lets
// the caller go on) passes Qt::ApplicationModal.
template <typename Dialog, typename Owner>
Dialog* ShowModeless(QPointer<Dialog>& open, Owner* owner, Qt::WindowModality modality = Qt::NonModal) {
  if (!open || !open->isVisible()) {
    open = new Dialog(owner);
    open->setWindowModality(modality);
    QObject::connect(open.data(), &QDialog::finished, open.data(), &QObject::deleteLater);
  }
  // A minimized dialog comes back as it was before.
  if (open->windowState() & Qt::WindowMinimized) {
    open->setWindowState(open->windowState() & ~Qt::WindowMinimized);
  }
  open->show();
  open->raise();
  open->activateWindow();
  return open.data();
}

// Keeps a modeless tool in the list that CloseModelessTools closes.
void KeepModelessTool(FormDialog* dialog);

// Closes every open modeless tool as a Cancel, so that nothing of it reaches
// the project: the main window calls it before the project is replaced.
void CloseModelessTools();

// The opener of a modeless tool for the tool registry (RegisterModelessTool
// in forms/ToolWindows.h): one dialog of the kind at a time, brought to the
// front when it is open already. `Closed`, when given, runs each time a
// dialog it opened has unloaded.
template <typename Dialog, auto Closed = nullptr>
void OpenModeless(QWidget* owner) {
  static QPointer<Dialog> open;
  const QPointer<Dialog> before = open;
  Dialog* dialog = ShowModeless(open, owner);
  KeepModelessTool(dialog);
  if constexpr (!std::is_null_pointer_v<decltype(Closed)>) {
    if (dialog != before) QObject::connect(dialog, &QDialog::finished, dialog, Closed);
  }
}

}  // namespace brantel::forms
