#pragma once

#include "core/commands/ToolRegistry.h"
#include "forms/FormDialog.h"
#include "support/TestEnvironment.h"

#include <QAnyStringView>
#include <QString>
#include <QStringList>

#include <initializer_list>
#include <memory>
#include <utility>

class QLineEdit;
class QMenuBar;

namespace brantel::test {

// The fixture of the dialog tests: a fresh process state (CoreTest), one
// dialog at a time, its controls reached by their design names, and every
// message box answered by the script (AnswerNextBox; Messages).
class DialogTest : public CoreTest {
 protected:
  void TearDown() override;

  // Loads a new dialog (the previous one goes) and shows it.
  template <typename Dialog, typename... Args>
  Dialog& Open(Args&&... args) {
    owned_.reset();
    auto dialog = std::make_unique<Dialog>(std::forward<Args>(args)...);
    Dialog& shown = *dialog;
    owned_ = std::move(dialog);
    Use(shown);
    return shown;
  }
  // Takes a dialog made elsewhere (a window factory of the tool registry),
  // the previous one going, and shows it.
  forms::FormDialog& Open(std::unique_ptr<forms::FormDialog> dialog) {
    owned_ = std::move(dialog);
    Use(*owned_);
    return *owned_;
  }
  // Works on a dialog that the program opened itself (it stays the
  // program's); shows it when it is not shown yet.
  void Use(forms::FormDialog& dialog);
  forms::FormDialog& Current() const;

  // A control by its design name; a name the dialog does not hold fails the
  // test with that name.
  template <typename T = QWidget>
  T* Control(QAnyStringView name) const {
    return Current().Layout().Require<T>(name);
  }

  // Types into a box as the user does: the focus into it, its whole text
  // selected, then the keys; an empty text deletes what was there.
  void Type(QAnyStringView box, const QString& text);
  // Keys at the box's cursor, without selecting first.
  void Keys(QAnyStringView box, const QString& text);
  // Puts a text into a box at once, as pasting does.
  void Paste(QAnyStringView box, const QString& text);
  // Moves the focus to a control (to leave the box that has it).
  void Focus(QAnyStringView name);
  // A click on a button, check box or option button.
  void Press(QAnyStringView button);
  // The text of a box (line or memo box, label, combo box).
  QString Text(QAnyStringView name) const;
  bool Enabled(QAnyStringView name) const;

  // An entry the dialog refuses: the box (by its design name), what is
  // pasted into it and the message that refuses it.
  struct Refusal {
    const char* box;
    const char* text;
    const char* message;
  };
  // Pastes each entry into its box alone and expects one message, that
  // message, the focus kept in the box and `resultBox` still showing
  // `result`, the last valid state; then puts the box's text back.
  void ExpectEachRefused(std::initializer_list<Refusal> refusals, QAnyStringView resultBox, const QString& result);

  // Message boxes: the next answers, and the boxes shown so far.
  void AnswerNextBox(brantel::Answer answer) { boxes_->Answer(answer); }
  const std::vector<ShownBox>& Messages() const { return boxes_->Shown(); }
  QString LastMessage() const { return Messages().empty() ? QString() : Messages().back().prompt; }

 private:
  std::unique_ptr<forms::FormDialog> owned_;
  QPointer<forms::FormDialog> current_;
};

// A window's menus as the user sees them, a line an entry: each menu's
// object name and caption, then its entries indented, each with its object
// name where it has one, its caption, its shortcut and "checkable" where it
// has them; a separator is "-" after its object name.
QStringList MenuBarLayout(const QMenuBar& bar);

// The tool has an opener, and its window is `Dialog`: what the tool's menu
// entry and quick buttons show (their places: tests/core/commands).
template <typename Dialog>
void ExpectToolOpens(Tool tool) {
  EXPECT_TRUE(ToolAvailable(tool)) << static_cast<int>(tool);
  const QMetaObject* type = ToolWindowOf(tool).type;
  EXPECT_STREQ(type ? type->className() : "no window", Dialog::staticMetaObject.className());
}

}  // namespace brantel::test
