#include "forms/FormBuilder.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollBar>
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
  State validate(QString& input, int&) const override {
    return input.size() <= max_ ? Acceptable : Invalid;
  }

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

bool IsContainer(Kind kind) { return kind == Kind::Frame || kind == Kind::Picture; }

void SetRedText(QWidget* w) {
  QPalette p = w->palette();
  p.setColor(QPalette::Text, Qt::red);
  p.setColor(QPalette::WindowText, Qt::red);
  w->setPalette(p);
}

}  // namespace

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

FormLayout::FormLayout(QWidget* form, const FormDesign& design, std::span<const ControlRow> controls,
                       const Factory& factory)
    : form_(form), design_(design), controls_(controls.begin(), controls.end()) {
  CheckTable();
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
    w->setGeometry(Px(row.left), Px(row.top), Px(row.width), Px(row.height));
    if (row.flags & kRedText) SetRedText(w);
    if (row.flags & kHidden) w->setVisible(false);
    if (row.flags & kDisabled) w->setEnabled(false);
    widgets_.insert(QString::fromUtf8(row.name), w);
  }
  // Labels name their boxes, for the keyboard and for screen readers.
  for (const ControlRow& row : controls_) {
    if (row.kind != Kind::Label || !row.labelFor) continue;
    Require<QLabel>(QString::fromUtf8(row.name))->setBuddy(Find(QString::fromUtf8(row.labelFor)));
  }
}

void FormLayout::CheckTable() const {
  QHash<QString, const ControlRow*> seen;
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
      if (!IsContainer(it.value()->kind)) {
        Fail(QStringLiteral("%1 holds %2 but is no frame or picture").arg(container, name));
      }
    }
    seen.insert(name, &row);
  }
  for (const ControlRow& row : controls_) {
    if (!row.labelFor) continue;
    const QString name = QString::fromUtf8(row.name);
    if (row.kind != Kind::Label) Fail(QStringLiteral("%1 names a box but is no label").arg(name));
    const QString partner = QString::fromUtf8(row.labelFor);
    if (!seen.contains(partner)) Fail(QStringLiteral("the label %1 names %2, which is no row").arg(name, partner));
  }
}

void FormLayout::Fail(const QString& what) const {
  throw DesignError(QStringLiteral("Control table of \"%1\": %2")
                        .arg(FromUtf8(design_.english), what));
}

void FormLayout::FailLookUp(QStringView name, const char* expected) const {
  const QWidget* found = Find(name);
  if (!found) Fail(QStringLiteral("no control is named %1").arg(name));
  Fail(QStringLiteral("%1 is a %2, not a %3")
           .arg(name, QString::fromLatin1(found->metaObject()->className()), QString::fromLatin1(expected)));
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
      label->setWordWrap(row.height >= 2 * 195 + 30);
      return label;
    }
    case Kind::TextBox: {
      auto* edit = new QLineEdit(parent);
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
    case Kind::CheckBox:
      return new QCheckBox(parent);
    case Kind::Option:
      return new QRadioButton(parent);
    case Kind::Picture: {
      auto* frame = new QFrame(parent);
      frame->setFrameStyle(QFrame::Box | QFrame::Plain);
      return frame;
    }
    case Kind::HScroll:
      return new QScrollBar(Qt::Horizontal, parent);
    case Kind::VScroll:
      return new QScrollBar(Qt::Vertical, parent);
    case Kind::ComboBox:
      return new QComboBox(parent);
    case Kind::ListBox:
      return new QListWidget(parent);
  }
  return new QWidget(parent);
}

QWidget* FormLayout::Find(QStringView name) const {
  const auto it = widgets_.constFind(name.toString());
  return it == widgets_.constEnd() ? nullptr : it.value().data();
}

OptionArray FormLayout::Options(QStringView arrayName) const {
  std::vector<std::pair<int, QRadioButton*>> items;
  for (const ControlRow& row : controls_) {
    const auto [base, index] = SplitArrayName(QString::fromUtf8(row.name));
    if (index >= 0 && base == arrayName) items.emplace_back(index, Require<QRadioButton>(QString::fromUtf8(row.name)));
  }
  if (items.empty()) Fail(QStringLiteral("no option buttons are named %1(i)").arg(arrayName));
  std::sort(items.begin(), items.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  OptionArray group;
  group.lowerBound = items.front().first;
  for (const auto& [index, button] : items) {
    if (index != group.UBound() + 1) Fail(QStringLiteral("the indexes of %1 leave a gap").arg(arrayName));
    group.buttons.push_back(button);
  }
  return group;
}

QString FormLayout::Caption(const ControlRow& row, bool english) {
  if (!english && row.greek) return QString::fromUtf8(row.greek);
  return FromUtf8(row.english);
}

void FormLayout::SetCaptions(bool english) {
  if (form_) {
    const QString title = (!english && design_.greek) ? QString::fromUtf8(design_.greek)
                                                        : FromUtf8(design_.english);
    if (design_.english || design_.greek) form_->setWindowTitle(title);
  }
  for (const ControlRow& row : controls_) {
    QWidget* w = Find(QString::fromUtf8(row.name));
    const QString caption = Caption(row, english);
    const bool hasCaption = row.english || row.greek;
    if (auto* label = qobject_cast<QLabel*>(w)) {
      if (hasCaption) label->setText(caption);
    } else if (auto* box = qobject_cast<QGroupBox*>(w)) {
      if (hasCaption) box->setTitle(caption);
    } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
      if (hasCaption) button->setText(caption);
    } else if (hasCaption) {
      w->setAccessibleName(PlainCaption(caption));
    }
  }
  // A box takes the spoken name of the label that names it.
  for (const ControlRow& row : controls_) {
    if (row.kind != Kind::Label || !row.labelFor) continue;
    Find(QString::fromUtf8(row.labelFor))->setAccessibleName(PlainCaption(Caption(row, english)));
  }
}

void FormLayout::SetFormWidth(int twips) {
  if (form_) SetFormSize(twips, Twips(form_->height()));
}

void FormLayout::SetFormSize(int widthTwips, int heightTwips) {
  if (form_) form_->setFixedSize(Px(widthTwips), Px(heightTwips));
}

}  // namespace brantel::forms
