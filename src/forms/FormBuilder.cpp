#include "forms/FormBuilder.h"

#include "core/Bilingual.h"
#include "forms/FormInputs.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionTabWidgetFrame>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <QValidator>

#include <algorithm>

namespace brantel::forms {
namespace {

class SelectAllFilter : public QObject {
 public:
  using QObject::QObject;
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::FocusIn) {
      // After the click that gave the focus has placed the caret.
      QTimer::singleShot(0, watched, [watched] {
        if (auto* line = qobject_cast<QLineEdit*>(watched)) line->selectAll();
        else if (auto* memo = qobject_cast<QPlainTextEdit*>(watched)) memo->selectAll();
      });
    }
    return false;
  }
};

// The most characters the user may type into a box. Unlike QLineEdit's own
// limit it never cuts a text the program puts there: a number rewritten in
// its display form can be longer than what was typed ("1e25" becomes 26
// digits and a point), and cutting it would change its value.
class MaxLengthValidator : public QValidator {
 public:
  MaxLengthValidator(int maxLength, QObject* parent) : QValidator(parent), max_(maxLength) {}
  State validate(QString& input, int&) const override { return input.size() <= max_ ? Acceptable : Invalid; }

 private:
  int max_;
};

QString FromUtf8(const char* text) { return text ? QString::fromUtf8(text) : QString(); }

// "Option1(2)" gives "Option1" and 2; a plain name gives itself and -1.
std::pair<QString, int> SplitArrayName(const QString& name) {
  static const QRegularExpression re(QStringLiteral("^(.*)\\((\\d+)\\)$"));
  const auto m = re.match(name);
  if (!m.hasMatch()) return {name, -1};
  return {m.captured(1), m.captured(2).toInt()};
}

bool IsContainer(Kind kind) { return kind == Kind::Frame || kind == Kind::Picture || kind == Kind::TabPage; }

void SetRedText(QWidget* w) {
  QPalette p = w->palette();
  p.setColor(QPalette::Text, Qt::red);
  p.setColor(QPalette::WindowText, Qt::red);
  w->setPalette(p);
}

}  // namespace

// A tab control whose pages place their controls in the control's own
// coordinates, as the designs do: the pages start below the row of tabs.
class TabControl : public QTabWidget {
 public:
  using QTabWidget::QTabWidget;
  // The corner of the page area within the control, in pixels.
  QPoint PageOrigin() const {
    QStyleOptionTabWidgetFrame option;
    initStyleOption(&option);
    return style()->subElementRect(QStyle::SE_TabWidgetTabContents, &option, this).topLeft();
  }
};

QString PlainCaption(const QString& caption) {
  QString out;
  out.reserve(caption.size());
  for (qsizetype i = 0; i < caption.size(); ++i) {
    if (caption[i] == u'&') {
      if (i + 1 < caption.size() && caption[i + 1] == u'&') {
        out += u'&';
        ++i;
      }
      continue;
    }
    out += caption[i];
  }
  return out.trimmed();
}

void SelectAllOnFocus(QWidget* box) {
  if (!box) return;
  box->installEventFilter(new SelectAllFilter(box));
}

void AppendToCaption(QLabel* label, const QString& text) {
  label->setText(label->text() + text);
  if (QWidget* box = label->buddy()) box->setAccessibleName(PlainCaption(label->text()));
}

FormLayout::FormLayout(QWidget* form, const FormDesign& design, std::span<const ControlRow> controls,
                       const Factory& factory)
    : form_(form), design_(design), controls_(controls.begin(), controls.end()) {
  CheckTable();
  if (design.name) form->setObjectName(QString::fromUtf8(design.name));
  // The designs were laid out for an 8-point dialog font of Arial's widths.
  QFont font = form->font();
  font.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("Arial"), font.family()});
  font.setPointSizeF(kDialogFontPoints);
  form->setFont(font);
  if (design.width > 0 && design.height > 0) SetFormSize(design.width, design.height);
  for (const ControlRow& row : controls_) {
    QWidget* parent = row.container ? Find(QString::fromUtf8(row.container)) : form;
    QWidget* w = Make(row, parent, factory);
    w->setObjectName(QString::fromUtf8(row.name));
    w->setFont(font);  // style sheets on frames would stop the form's font reaching here
    if (row.kind == Kind::TabPage) {
      if (auto* tabs = dynamic_cast<TabControl*>(parent)) pageTabs_.insert(w, tabs);
    } else {
      QRect place(Px(row.at.left), Px(row.at.top), Px(row.at.width), Px(row.at.height));
      if (const TabControl* tabs = pageTabs_.value(parent)) place.translate(-tabs->PageOrigin());
      w->setGeometry(place);
    }
    if (row.flags & kRedText) SetRedText(w);
    if (row.flags & kHidden) w->setVisible(false);
    if (row.flags & kDisabled) w->setEnabled(false);
    widgets_.insert(QString::fromUtf8(row.name), w);
  }
  // Labels name their boxes, for the keyboard and for screen readers.
  for (const ControlRow& row : controls_) {
    if (row.kind != Kind::Label || !row.partner) continue;
    Require<QLabel>(QString::fromUtf8(row.name))->setBuddy(Find(QString::fromUtf8(row.partner)));
  }
}

void FormLayout::CheckTable() const {
  QHash<QString, const ControlRow*> seen;
  QHash<QString, int> pages;  // the pages each tab control has so far
  for (const ControlRow& row : controls_) {
    if (!row.name || !*row.name) Fail(QStringLiteral("a row without a name"));
    const QString name = QString::fromUtf8(row.name);
    if (seen.contains(name)) Fail(QStringLiteral("the name %1 stands twice").arg(name));
    if (row.container) {
      const QString container = QString::fromUtf8(row.container);
      const auto it = seen.constFind(container);
      if (it == seen.constEnd()) {
        Fail(QStringLiteral("the container %1 of %2 is no earlier row").arg(container, name));
      }
      const Kind kind = it.value()->kind;
      if (row.kind == Kind::TabPage) {
        if (kind != Kind::TabStrip) Fail(QStringLiteral("the tab page %1 is not on a tab control").arg(name));
      } else if (!IsContainer(kind)) {
        Fail(QStringLiteral("%1 holds %2 but is no frame, picture or tab page").arg(container, name));
      }
    }
    if (row.kind == Kind::TabPage) {
      const auto [strip, index] = SplitArrayName(name);
      const QString expected = strip + QStringLiteral("(%1)").arg(pages.value(strip));
      if (!row.container || strip != QString::fromUtf8(row.container) || name != expected) {
        Fail(QStringLiteral("the tab page %1 is out of turn; the next page is %2").arg(name, expected));
      }
      pages[strip] = index + 1;
    }
    seen.insert(name, &row);
  }
  for (const ControlRow& row : controls_) {
    if (!row.partner) continue;
    const QString name = QString::fromUtf8(row.name);
    const QString partner = QString::fromUtf8(row.partner);
    const auto it = seen.constFind(partner);
    if (it == seen.constEnd()) Fail(QStringLiteral("%1 names %2 as its partner, which is no row").arg(name, partner));
    if (row.kind == Kind::Label) continue;
    const bool captionless =
        (row.kind == Kind::Option || row.kind == Kind::CheckBox) && !row.caption.english && !row.caption.greek;
    if (!captionless || it.value()->kind != Kind::Label) {
      Fail(QStringLiteral("%1 takes the name of %2, but only an option or check box without a caption "
                          "takes the name of a label")
               .arg(name, partner));
    }
  }
}

void FormLayout::Fail(const QString& what) const {
  throw DesignError(QStringLiteral("Control table of \"%1\": %2").arg(FromUtf8(design_.caption.english), what));
}

void FormLayout::FailLookUp(QAnyStringView name, const char* expected) const {
  const QWidget* found = Find(name);
  if (!found) Fail(QStringLiteral("no control is named %1").arg(name.toString()));
  Fail(QStringLiteral("%1 is a %2, not a %3")
           .arg(name.toString(), QString::fromLatin1(found->metaObject()->className()), QString::fromLatin1(expected)));
}

QWidget* FormLayout::Make(const ControlRow& row, QWidget* parent, const Factory& factory) {
  if (factory) {
    if (QWidget* own = factory(row, parent)) return own;
  }
  switch (row.kind) {
    case Kind::Frame: {
      // The caption sits on the frame's top line, the children are placed
      // from the frame's outer corner.
      auto* box = new QGroupBox(parent);
      QString style = QStringLiteral(
          "QGroupBox { border: 1px solid palette(mid); border-radius: 2px; margin-top: 6px; }"
          "QGroupBox::title { subcontrol-origin: margin; subcontrol-position: top left;"
          " left: 6px; top: -1px; padding: 0px 2px; }");
      if (row.flags & kBlueCaption) style += QStringLiteral("QGroupBox { color: blue; }");
      box->setStyleSheet(style);
      return box;
    }
    case Kind::Label: {
      auto* label = new QLabel(parent);
      label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
      label->setWordWrap(row.at.height >= 2 * 195 + 30);
      return label;
    }
    case Kind::TextBox: {
      auto* edit = new TextBox(parent);
      if (row.maxLength > 0) edit->setValidator(new MaxLengthValidator(row.maxLength, edit));
      if (row.flags & kReadOnly) {
        edit->setReadOnly(true);
        edit->setFocusPolicy(Qt::ClickFocus);
      }
      if (!(row.flags & kNoSelectAll)) SelectAllOnFocus(edit);
      return edit;
    }
    case Kind::MemoBox: {
      auto* memo = new QPlainTextEdit(parent);
      memo->setTabChangesFocus(true);
      if (row.flags & kReadOnly) memo->setReadOnly(true);
      return memo;
    }
    case Kind::Button: {
      auto* button = new QPushButton(parent);
      button->setAutoDefault(false);
      if (row.flags & kDefault) button->setDefault(true);
      return button;
    }
    case Kind::CheckBox: return new QCheckBox(parent);
    case Kind::Option: return new QRadioButton(parent);
    case Kind::Picture: {
      auto* frame = new QFrame(parent);
      frame->setFrameStyle(QFrame::Box | QFrame::Plain);
      return frame;
    }
    case Kind::HScroll: return new QScrollBar(Qt::Horizontal, parent);
    case Kind::VScroll: return new QScrollBar(Qt::Vertical, parent);
    case Kind::ComboBox: return new QComboBox(parent);
    case Kind::ListBox: return new QListWidget(parent);
    case Kind::TabStrip: return new TabControl(parent);
    case Kind::TabPage: {
      auto* tabs = qobject_cast<QTabWidget*>(parent);
      if (!tabs) Fail(QStringLiteral("the tab control of %1 is no tab widget").arg(QString::fromUtf8(row.name)));
      auto* page = new QWidget;
      tabs->addTab(page, QString());
      return page;
    }
    case Kind::Grid: {
      auto* grid = new QTableWidget(parent);
      grid->verticalHeader()->hide();
      grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
      grid->setSelectionMode(QAbstractItemView::SingleSelection);
      grid->setSelectionBehavior(QAbstractItemView::SelectItems);
      return grid;
    }
  }
  return new QWidget(parent);
}

QWidget* FormLayout::Find(QAnyStringView name) const {
  const auto it = widgets_.constFind(name.toString());
  return it == widgets_.constEnd() ? nullptr : it.value().data();
}

OptionArray FormLayout::Options(QAnyStringView arrayName) const {
  std::vector<std::pair<int, QRadioButton*>> items;
  for (const ControlRow& row : controls_) {
    const auto [base, index] = SplitArrayName(QString::fromUtf8(row.name));
    if (index >= 0 && base == arrayName) items.emplace_back(index, Require<QRadioButton>(QString::fromUtf8(row.name)));
  }
  if (items.empty()) Fail(QStringLiteral("no option buttons are named %1(i)").arg(arrayName.toString()));
  std::sort(items.begin(), items.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  OptionArray group;
  group.lowerBound = items.front().first;
  for (const auto& [index, button] : items) {
    if (index != group.UBound() + 1) Fail(QStringLiteral("the indexes of %1 leave a gap").arg(arrayName.toString()));
    group.buttons.push_back(button);
  }
  return group;
}

QString FormLayout::Caption(const Bilingual& caption, bool english) {
  if (!english && caption.greek) return QString::fromUtf8(caption.greek);
  return FromUtf8(caption.english);
}

QString FormLayout::Caption(const ControlRow& row, bool english) { return Caption(row.caption, english); }

void FormLayout::SetCaptions(bool english) {
  if (form_ && (design_.caption.english || design_.caption.greek))
    form_->setWindowTitle(Caption(design_.caption, english));
  // Visible captions; a box's caption is its spoken name.
  std::vector<std::pair<QWidget*, QString>> spoken;
  QHash<const QWidget*, std::size_t> spokenAt;
  const auto speak = [&](QWidget* w, const QString& name) {
    const auto it = spokenAt.constFind(w);
    if (it != spokenAt.constEnd()) {
      spoken[it.value()].second = name;
      return;
    }
    spokenAt.insert(w, spoken.size());
    spoken.emplace_back(w, name);
  };
  for (const ControlRow& row : controls_) {
    if (!row.caption.english && !row.caption.greek) continue;
    QWidget* w = Find(QString::fromUtf8(row.name));
    const QString caption = Caption(row, english);
    if (auto* label = qobject_cast<QLabel*>(w)) {
      label->setText(caption);
    } else if (auto* frame = qobject_cast<QGroupBox*>(w)) {
      frame->setTitle(caption);
    } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
      button->setText(caption);
    } else if (row.kind == Kind::TabPage) {
      auto* tabs = Require<QTabWidget>(QString::fromUtf8(row.container));
      tabs->setTabText(tabs->indexOf(w), caption);
    } else {
      speak(w, PlainCaption(caption));
    }
  }
  // A box, and an option or check box without a caption, is spoken of by
  // the caption of its label.
  for (const ControlRow& row : controls_) {
    if (!row.partner) continue;
    const bool isLabel = row.kind == Kind::Label;
    const ControlRow& label = isLabel ? row : *RowOf(QString::fromUtf8(row.partner));
    QWidget* named = Find(QString::fromUtf8(isLabel ? row.partner : row.name));
    speak(named, PlainCaption(Caption(label, english)));
  }
  // Two boxes of one kind and one name are told apart by their order (a box
  // and the option beside it, which share their label, differ in kind).
  const auto key = [](const QWidget* w, const QString& name) {
    return QString::fromLatin1(w->metaObject()->className()) + u'\n' + name;
  };
  QHash<QString, int> uses;
  for (const auto& [w, name] : spoken) ++uses[key(w, name)];
  QHash<QString, int> seen;
  for (const auto& [w, name] : spoken) {
    const int count = uses.value(key(w, name));
    if (count == 1) {
      w->setAccessibleName(name);
      continue;
    }
    const int n = ++seen[key(w, name)];
    w->setAccessibleName(Bilingual{"%1 (%2 of %3)", "%1 (%2 από %3)"}.In(english).arg(name).arg(n).arg(count));
  }
}

const ControlRow* FormLayout::RowOf(QAnyStringView name) const {
  for (const ControlRow& row : controls_) {
    if (QAnyStringView(row.name) == name) return &row;
  }
  return nullptr;
}

void FormLayout::SetFormWidth(int twips) {
  if (form_) SetFormSize(twips, Twips(form_->height() - menuHeight_));
}

void FormLayout::SetFormSize(int widthTwips, int heightTwips) {
  if (!form_) return;
  form_->setFixedSize(Px(widthTwips), Px(heightTwips) + menuHeight_);
  if (menuBar_) menuBar_->setGeometry(0, 0, form_->width(), menuHeight_);
}

void FormLayout::AddMenuBar(QMenuBar* bar) {
  if (!form_ || !bar || menuBar_) return;
  bar->setParent(form_);
  menuBar_ = bar;
  const int height = bar->sizeHint().height();
  for (const ControlRow& row : controls_) {
    if (row.container) continue;
    if (QWidget* w = Find(QString::fromUtf8(row.name))) w->move(w->x(), w->y() + height);
  }
  const int width = form_->width();
  const int inner = form_->height() - menuHeight_;
  menuHeight_ = height;
  form_->setFixedSize(width, inner + menuHeight_);
  bar->setGeometry(0, 0, width, menuHeight_);
  bar->show();
}

QRect FormLayout::ClientRect() const {
  if (!form_) return QRect();
  return QRect(0, menuHeight_, form_->width(), form_->height() - menuHeight_);
}

}  // namespace brantel::forms
