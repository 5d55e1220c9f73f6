#pragma once

#include "forms/FormBuilder.h"
#include "forms/FormDialog.h"

#include <QString>

class QPlainTextEdit;
class QPushButton;

namespace brantel {

// The project-description dialog: edits the project's description and,
// while the project holds no data yet, its unit system. Changing the unit
// system starts the project afresh ("Untitled", every input at its default)
// in the new system; the description typed survives that.
class frmBrantelDesc : public forms::FormDialog {
  Q_OBJECT

 public:
  explicit frmBrantelDesc(QWidget* owner = nullptr);

  // The controls, for the main window's keyboard hooks and for tests.
  QPlainTextEdit* Text1() const;
  const forms::OptionArray& Option1() const { return option1_; }
  QPushButton* Command1() const;  // Cancel
  QPushButton* Command2() const;  // OK
  QPushButton* Command3() const;  // Help

  void Command1_Click();
  void Command2_Click();
  void Command3_Click();

 protected:
  void FormUnload() override;

 private:
  void Form_Load();

  forms::FormLayout layout_;
  forms::OptionArray option1_;
  QString shownText_;  // the description as the box showed it at load
};

// Loads the dialog and shows it modally over the owner (the main window).
// True when it was closed with OK.
bool ShowDescriptionDialog(QWidget* owner);

}  // namespace brantel
