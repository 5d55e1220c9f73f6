#pragma once

#include <QDialog>

namespace brantel {

// The base of every dialog: a loading flag, an accepted flag and one unload
// path. OK validates, sets the accepted flag only when the inputs pass, and
// unloads; Cancel, Esc and the window's close box unload without it.
// FormUnload runs once on every unload and commits only when accepted.
class FormDialog : public QDialog {
  Q_OBJECT

 public:
  explicit FormDialog(QWidget* owner = nullptr);

  bool IsAccepted() const { return accepted_; }
  bool IsLoading() const { return loading_; }

  // Closes the dialog (runs FormUnload once).
  void Unload();
  // Sets the accepted flag and unloads.
  void AcceptAndUnload();

  void accept() override { Unload(); }
  void reject() override { Unload(); }

 protected:
  // Commit here when IsAccepted(); called once per opening.
  virtual void FormUnload() {}
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;

  bool loading_ = false;
  bool accepted_ = false;

 private:
  bool unloaded_ = false;
};

}  // namespace brantel
