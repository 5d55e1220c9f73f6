#include "support/DialogTest.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTest>

#include <gtest/gtest.h>

namespace brantel::test {

void DialogTest::TearDown() {
  owned_.reset();
  CoreTest::TearDown();
}

void DialogTest::Use(forms::FormDialog& dialog) {
  current_ = &dialog;
  if (!dialog.isVisible()) dialog.show();
  EXPECT_TRUE(QTest::qWaitForWindowExposed(&dialog));
}

forms::FormDialog& DialogTest::Current() const {
  if (!current_) throw forms::DesignError(QStringLiteral("no dialog is open"));
  return *current_;
}

void DialogTest::Type(QAnyStringView box, const QString& text) {
  QWidget* w = Control(box);
  w->setFocus();
  if (auto* line = qobject_cast<QLineEdit*>(w)) line->selectAll();
  else if (auto* memo = qobject_cast<QPlainTextEdit*>(w)) memo->selectAll();
  if (text.isEmpty()) QTest::keyClick(w, Qt::Key_Delete);
  QTest::keyClicks(w, text);
}

void DialogTest::Keys(QAnyStringView box, const QString& text) {
  QWidget* w = Control(box);
  w->setFocus();
  QTest::keyClicks(w, text);
}

void DialogTest::Paste(QAnyStringView box, const QString& text) {
  auto* line = Control<QLineEdit>(box);
  line->setFocus();
  line->setText(text);
}

void DialogTest::ExpectEachRefused(std::initializer_list<Refusal> refusals, QAnyStringView resultBox,
                                   const QString& result) {
  for (const Refusal& refusal : refusals) {
    boxes_->Clear();
    const QString before = Text(refusal.box);
    Paste(refusal.box, QString::fromUtf8(refusal.text));
    ASSERT_EQ(Messages().size(), 1u) << refusal.text;
    EXPECT_EQ(LastMessage(), QString::fromUtf8(refusal.message)) << refusal.text;
    EXPECT_TRUE(Control<QLineEdit>(refusal.box)->hasFocus()) << refusal.text;
    EXPECT_EQ(Text(resultBox), result) << refusal.text;
    Paste(refusal.box, before);
  }
}

void DialogTest::Focus(QAnyStringView name) { Control(name)->setFocus(); }

void DialogTest::Press(QAnyStringView button) { Control<QAbstractButton>(button)->click(); }

QString DialogTest::Text(QAnyStringView name) const {
  QWidget* w = Control(name);
  if (auto* line = qobject_cast<QLineEdit*>(w)) return line->text();
  if (auto* memo = qobject_cast<QPlainTextEdit*>(w)) return memo->toPlainText();
  if (auto* label = qobject_cast<QLabel*>(w)) return label->text();
  if (auto* combo = qobject_cast<QComboBox*>(w)) return combo->currentText();
  if (auto* button = qobject_cast<QAbstractButton*>(w)) return button->text();
  ADD_FAILURE() << name.toString().toStdString() << " shows no text";
  return {};
}

bool DialogTest::Enabled(QAnyStringView name) const { return Control(name)->isEnabled(); }

QStringList MenuBarLayout(const QMenuBar& bar) {
  QStringList lines;
  for (const QAction* head : bar.actions()) {
    lines << head->menu()->objectName() + u' ' + head->text();
    for (const QAction* entry : head->menu()->actions()) {
      QStringList parts;
      if (!entry->objectName().isEmpty()) parts << entry->objectName();
      if (entry->isSeparator()) parts << QStringLiteral("-");
      else parts << entry->text();
      if (!entry->shortcut().isEmpty()) parts << entry->shortcut().toString();
      if (entry->isCheckable()) parts << QStringLiteral("checkable");
      lines << QStringLiteral("  ") + parts.join(u' ');
    }
  }
  return lines;
}

}  // namespace brantel::test
