#pragma once

#include "forms/FormHelpers.h"

#include <QHash>
#include <QPointer>
#include <QRect>
#include <QString>
#include <QWidget>

#include <functional>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

class QMenuBar;
class QLabel;

namespace brantel::forms {

// Every dialog declares its controls as a table of ControlRow entries, with
// the positions and sizes of its design in twips and its captions in both
// languages. FormLayout turns the table into widgets (15 twips to a pixel)
// and SetCaptions captions them in the current language.

inline constexpr int kTwipsPerPixel = 15;
inline constexpr double kDialogFontPoints = 8.0;
inline int Px(int twips) { return (twips + (twips >= 0 ? 7 : -7)) / kTwipsPerPixel; }
inline int Twips(int pixels) { return pixels * kTwipsPerPixel; }

// A fault in a control table, or a control looked up under a name the table
// does not hold or as another kind of widget. It is a programming error, so
// it is raised in every build: the first test that builds the dialog fails
// with the design name.
class DesignError : public std::logic_error {
 public:
  explicit DesignError(const QString& what) : std::logic_error(what.toStdString()) {}
};

enum class Kind {
  Frame,      // group box with a caption; a container
  Label,
  TextBox,    // one-line edit box
  MemoBox,    // multi-line edit box
  Button,
  CheckBox,
  Option,     // option button; "Name(i)" rows form the array "Name"
  Picture,    // a plain drawing surface, or the dialog's own widget (see Factory); a container
  HScroll,
  VScroll,
  ComboBox,
  ListBox,
  TabStrip,   // a tab control ("SSTab1"); its pages are the rows "SSTab1(0)", "SSTab1(1)", ...
  TabPage,    // a page of the tab control named as its container, in index order; a
              // container whose rows are placed in twips from the tab control's own
              // corner, as designed; its caption is the tab's
  Grid,       // a table of cells (QTableWidget) without row headers, edited by the dialog
};

// Row flags.
enum Flag : unsigned {
  kReadOnly = 1u << 0,     // a result box: read-only and out of the Tab order
  kRedText = 1u << 1,
  kBlueCaption = 1u << 2,  // frame caption in blue
  kHidden = 1u << 3,
  kDisabled = 1u << 4,
  kNoSelectAll = 1u << 5,  // a text box that keeps the caret where the user clicks
  kDefault = 1u << 6,      // the button that Enter presses
};

struct ControlRow {
  const char* name;                 // "Text1", "Option1(0)"
  Kind kind;
  const char* container = nullptr;  // nullptr: the form itself; else an earlier container row
  int left = 0, top = 0, width = 0, height = 0;  // twips within the container
  const char* english = nullptr;    // caption (UTF-8); for a box, its spoken name
  const char* greek = nullptr;      // nullptr: the English caption in both languages
  const char* partner = nullptr;    // a label: the box it names; an option button or check
                                    // box without a caption: the label whose caption names it
  unsigned flags = 0;
  int maxLength = 0;                // text boxes: most characters the user may type, 0 = no limit
};

struct FormDesign {
  int width = 0, height = 0;        // inner size in twips
  const char* english = nullptr;    // window caption
  const char* greek = nullptr;
};

class TabControl;

// Makes the widget of a row when the dialog wants its own (a plot, a chart);
// returns nullptr to get the plain one.
using Factory = std::function<QWidget*(const ControlRow& row, QWidget* parent)>;

// The widgets of a control table. The table is checked when the layout is
// built: every name is unique, every container is an earlier row that can
// hold controls, tab pages come in order on their tab control, and every
// partner is a row of the table (a box for a label, a label for an option).
// A fault raises DesignError.
class FormLayout {
 public:
  FormLayout(QWidget* form, const FormDesign& design, std::span<const ControlRow> controls,
             const Factory& factory = {});

  // The control of a design name, as the kind of widget the caller expects.
  // A name the table does not hold, or a widget of another kind, raises
  // DesignError naming it.
  template <typename T>
  T* Require(QStringView name) const {
    T* widget = qobject_cast<T*>(Find(name));
    if (!widget) FailLookUp(name, T::staticMetaObject.className());
    return widget;
  }
  // The option buttons "Name(0)", "Name(1)", ... as one array; raises
  // DesignError when the table holds none.
  OptionArray Options(QStringView arrayName) const;

  // Window caption, captions and the spoken names of the boxes, in English
  // (true) or Greek (false). A box is spoken of by its label's caption; two
  // boxes of one kind that would share a name get "(1 of 2)", "(2 of 2)".
  void SetCaptions(bool english);

  // The caption a row shows in a language.
  static QString Caption(const ControlRow& row, bool english);

  // Resizes the form's inner area, in twips (below its menu bar, if any).
  void SetFormWidth(int twips);
  void SetFormSize(int widthTwips, int heightTwips);

  // Puts a menu bar along the top of the form, outside the designed area as
  // a window's menu bar lies outside its client area: the controls of the
  // form move down by the bar's height and the form grows by it.
  void AddMenuBar(QMenuBar* bar);
  // The designed area of the form, below its menu bar, in pixels.
  QRect ClientRect() const;

  const FormDesign& Design() const { return design_; }

 private:
  void CheckTable() const;
  QWidget* Make(const ControlRow& row, QWidget* parent, const Factory& factory);
  QWidget* Find(QStringView name) const;
  const ControlRow* RowOf(QStringView name) const;
  [[noreturn]] void FailLookUp(QStringView name, const char* expected) const;
  [[noreturn]] void Fail(const QString& what) const;

  QPointer<QWidget> form_;
  QPointer<QMenuBar> menuBar_;
  int menuHeight_ = 0;  // pixels above the designed area
  FormDesign design_;
  std::vector<ControlRow> controls_;
  QHash<QString, QPointer<QWidget>> widgets_;
  QHash<const QWidget*, const TabControl*> pageTabs_;  // the tab control of each page
};

// The caption text without its access-key marks ("&OK" reads "OK").
QString PlainCaption(const QString& caption);

// Selects a box's whole text whenever it gets the focus, also by a click.
void SelectAllOnFocus(QWidget* box);

// Appends a text (a unit suffix, say) to a label's caption after the
// captions are set; the box the label names is then spoken of by the whole
// caption.
void AppendToCaption(QLabel* label, const QString& text);

}  // namespace brantel::forms
