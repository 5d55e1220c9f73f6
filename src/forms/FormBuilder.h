#pragma once

#include "core/Bilingual.h"
#include "forms/FormHelpers.h"

#include <QAnyStringView>
#include <QHash>
#include <QPointer>
#include <QRect>
#include <QString>
#include <QWidget>

#include <array>
#include <cstddef>
#include <functional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
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
  Frame,  // group box with a caption; a container
  Label,
  TextBox,  // one-line edit box
  MemoBox,  // multi-line edit box
  Button,
  CheckBox,
  Option,   // option button; "Name(i)" rows form the array "Name"
  Picture,  // a plain drawing surface, or the dialog's own widget (see Factory); a container
  HScroll,
  VScroll,
  ComboBox,
  ListBox,
  TabStrip,  // a tab control ("SSTab1"); its pages are the rows "SSTab1(0)", "SSTab1(1)", ...
  TabPage,   // a page of the tab control named as its container, in index order; a
             // container whose rows are placed in twips from the tab control's own
             // corner, as designed; its caption is the tab's
  Grid,      // a table of cells (QTableWidget) without row headers, edited by the dialog
};

// Row flags.
enum Flag : unsigned {
  kReadOnly = 1u << 0,  // a result box: read-only and out of the Tab order
  kRedText = 1u << 1,
  kBlueCaption = 1u << 2,  // frame caption in blue
  kHidden = 1u << 3,
  kDisabled = 1u << 4,
  kNoSelectAll = 1u << 5,  // a text box that keeps the caret where the user clicks
  kDefault = 1u << 6,      // the button that Enter presses
};

// The design name of an item of a control array: Item("optGraph", 1) is
// "optGraph(1)". A dialog's header declares its arrays' items with it, so
// a row and a test name an item as they name any other control.
struct ItemName {
  char text[40] = {};
  constexpr operator const char*() const { return text; }
  operator QAnyStringView() const { return QAnyStringView(text); }
};

constexpr ItemName Item(std::string_view array, int index) {
  ItemName item;
  std::size_t n = 0;
  for (char c : array) {
    if (n + 6 >= sizeof item.text) throw DesignError(QStringLiteral("the array name is too long"));
    item.text[n++] = c;
  }
  item.text[n++] = '(';
  if (index < 0 || index > 999) throw DesignError(QStringLiteral("the item index is out of range"));
  if (index >= 100) item.text[n++] = char('0' + index / 100);
  if (index >= 10) item.text[n++] = char('0' + index / 10 % 10);
  item.text[n++] = char('0' + index % 10);
  item.text[n] = ')';
  return item;
}

// The items 0 .. N-1 of a control array, for a grid of boxes:
// Items<9>("Text1")[k] is "Text1(k)".
template <std::size_t N>
constexpr std::array<ItemName, N> Items(std::string_view array) {
  std::array<ItemName, N> items{};
  for (std::size_t k = 0; k < N; ++k) items[k] = Item(array, static_cast<int>(k));
  return items;
}

// Where a control lies in its container, in twips.
struct TwipsRect {
  int left = 0, top = 0, width = 0, height = 0;
};

// A row of a control table. Rows are written with designated initialisers,
// naming only what the control has:
//   {.name = coulomb::kSx, .kind = Kind::TextBox, .container = "Frame1",
//    .at = {1800, 270, 1215, 285}, .maxLength = 20},
struct ControlRow {
  const char* name;  // design name: "Text1", "Option1(0)"
  Kind kind;
  const char* container = nullptr;  // nullptr: the form itself; else an earlier container row
  TwipsRect at = {};                // within the container
  Bilingual caption = {};           // a box: its spoken name; no Greek text: the English one in both
  const char* partner = nullptr;    // a label: the box it names; an option button or check
                                    // box without a caption: the label whose caption names it
  unsigned flags = 0;
  int maxLength = 0;  // text boxes: most characters the user may type, 0 = no limit
};

// One control table from parts, in order: a dialog's own rows beside rows
// that a family of dialogs shares (made by a constexpr function of the
// places that differ), so that a shared row is written once.
//   constexpr auto kControls = JoinRows(SharedRows(...), std::to_array<ControlRow>({...}));
template <std::size_t... N>
constexpr std::array<ControlRow, (N + ...)> JoinRows(const std::array<ControlRow, N>&... parts) {
  std::array<ControlRow, (N + ...)> rows{};
  std::size_t next = 0;
  for (const auto& part : {std::span<const ControlRow>(parts)...})
    for (const ControlRow& row : part) rows[next++] = row;
  return rows;
}

struct FormDesign {
  const char* name = nullptr;  // the window's design name ("frm2DPrinc"), its object name
  int width = 0, height = 0;   // inner size in twips
  Bilingual caption = {};      // the window's caption; no Greek text: the English one in both
};

class TabControl;

// Makes the widget of a row when the dialog wants its own (a plot, a chart);
// returns nullptr to get the plain one.
using Factory = std::function<QWidget*(const ControlRow& row, QWidget* parent)>;

// The widgets of a control table. The table is checked when the layout is
// built: every name is unique, every container is an earlier row that can
// hold controls, tab pages come in order on their tab control, and every
// partner is a row of the table (a box for a label, a label for an option).
// A fault raises DesignError. The first layout built makes every paste key of
// the application do nothing while the clipboard holds no text.
class FormLayout {
 public:
  FormLayout(QWidget* form, const FormDesign& design, std::span<const ControlRow> controls,
             const Factory& factory = {});

  // The control of a design name, as the kind of widget the caller expects.
  // A name the table does not hold, or a widget of another kind, raises
  // DesignError naming it.
  template <typename T>
  T* Require(QAnyStringView name) const {
    T* widget = qobject_cast<T*>(Find(name));
    if (!widget) FailLookUp(name, T::staticMetaObject.className());
    return widget;
  }
  // The option buttons "Name(0)", "Name(1)", ... as one array; raises
  // DesignError when the table holds none.
  OptionArray Options(QAnyStringView arrayName) const;

  // Window caption, captions and the spoken names of the boxes, in English
  // (true) or Greek (false). A box is spoken of by its label's caption; two
  // boxes of one kind that would share a name get "(1 of 2)", "(2 of 2)".
  void SetCaptions(bool english);

  // The caption a row shows in a language.
  static QString Caption(const ControlRow& row, bool english);
  // A caption in a language; without a Greek text, the English one.
  static QString Caption(const Bilingual& caption, bool english);

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
  QWidget* Find(QAnyStringView name) const;
  const ControlRow* RowOf(QAnyStringView name) const;
  [[noreturn]] void FailLookUp(QAnyStringView name, const char* expected) const;
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
