#include "core/Messages.h"
#include "forms/FormHelpers.h"
#include "support/TestEnvironment.h"

#include <QApplication>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QLineEdit>
#include <QRadioButton>
#include <QScreen>
#include <QVBoxLayout>
#include <QWidget>

#include <memory>

namespace brantel {
namespace {

using test::CoreTest;

class FormHelpersTest : public CoreTest {
 protected:
  void SetUp() override {
    CoreTest::SetUp();
    window_ = std::make_unique<QWidget>();
    auto* layout = new QVBoxLayout(window_.get());
    for (int i = 0; i < 3; ++i) {
      auto* b = new QRadioButton(QStringLiteral("Option %1").arg(i), window_.get());
      layout->addWidget(b);
      group_.buttons.push_back(b);
    }
    group_.lowerBound = 0;
  }
  std::unique_ptr<QWidget> window_;
  forms::OptionArray group_;
};

TEST_F(FormHelpersTest, ArrayIndexOfAnOptionGroup) {
  EXPECT_EQ(forms::GetArrayIndex(group_), 0);  // none selected
  forms::SetArrayIndex(group_, 2);
  EXPECT_TRUE(group_.buttons[2]->isChecked());
  EXPECT_EQ(forms::GetArrayIndex(group_), 2);
  forms::SetArrayIndex(group_, 1);
  EXPECT_FALSE(group_.buttons[2]->isChecked());
  EXPECT_EQ(forms::GetArrayIndex(group_), 1);
  EXPECT_TRUE(boxes_->Shown().empty());
}

TEST_F(FormHelpersTest, AnIndexPastTheBoundsLeavesNothingSelected) {
  forms::SetArrayIndex(group_, 1);
  forms::SetArrayIndex(group_, 3);
  ASSERT_EQ(boxes_->Shown().size(), 1u);
  EXPECT_EQ(boxes_->Last().prompt, QStringLiteral("Internal Error: SetArrayIndex. Check input/form data."));
  for (QRadioButton* b : group_.buttons) EXPECT_FALSE(b->isChecked());
  // The group still works as one afterwards.
  forms::SetArrayIndex(group_, 0);
  group_.buttons[2]->click();
  EXPECT_FALSE(group_.buttons[0]->isChecked());
}

TEST_F(FormHelpersTest, AChoiceArrayReadsAndSetsItsOptionsByName) {
  enum class Shade { Light, Medium, Dark };
  const forms::ChoiceArray<Shade> shades{group_};
  EXPECT_EQ(shades.Chosen(), Shade::Light);  // none selected
  shades.Choose(Shade::Dark);
  EXPECT_TRUE(group_.buttons[2]->isChecked());
  shades.OptionOf(Shade::Medium)->click();
  EXPECT_EQ(shades.Chosen(), Shade::Medium);
  EXPECT_EQ(shades.OptionOf(static_cast<Shade>(3)), nullptr);
  EXPECT_TRUE(boxes_->Shown().empty());
}

TEST_F(FormHelpersTest, CenterFormKeepsATallWindowOnTheScreen) {
  const QRect screen = QGuiApplication::primaryScreen()->geometry();
  window_->resize(200, screen.height() + 100);
  forms::CenterForm(window_.get());
  EXPECT_EQ(window_->frameGeometry().top(), screen.top());
  EXPECT_EQ(window_->frameGeometry().left(), screen.left() + screen.width() / 2 - window_->frameGeometry().width() / 2);

  window_->resize(200, 100);
  forms::CenterForm(window_.get());
  EXPECT_EQ(window_->frameGeometry().top(), screen.top() + screen.height() / 2 - window_->frameGeometry().height() / 2);
}

TEST_F(FormHelpersTest, SelectAllTextSelectsTheFocusedBox) {
  auto* edit = new QLineEdit(QStringLiteral("12.500"), window_.get());
  window_->layout()->addWidget(edit);
  window_->show();
  QApplication::setActiveWindow(window_.get());
  edit->setFocus();
  QApplication::processEvents();
  edit->deselect();
  forms::SelectAllText();
  EXPECT_EQ(edit->selectedText(), QStringLiteral("12.500"));
}

TEST_F(FormHelpersTest, FocusHandlersAreQuietOnceTheWindowHasClosed) {
  // A handler calls into the dialog that installed it. A box that still
  // holds the focus when its closed dialog is deleted loses it as it goes,
  // after the dialog's own part is gone: that may call nothing.
  auto* a = new QLineEdit(window_.get());
  auto* b = new QLineEdit(window_.get());
  int calls = 0;
  forms::OnLostFocus(a, [&] { ++calls; });
  forms::OnGotFocus(a, [&] { ++calls; });
  window_->show();
  QApplication::setActiveWindow(window_.get());
  a->setFocus();
  QApplication::processEvents();
  calls = 0;
  b->setFocus();
  a->setFocus();
  EXPECT_EQ(calls, 2);  // a user's focus changes count
  window_->hide();
  calls = 0;
  QFocusEvent out(QEvent::FocusOut, Qt::OtherFocusReason);
  QApplication::sendEvent(a, &out);
  EXPECT_EQ(calls, 0);
}

}  // namespace
}  // namespace brantel
