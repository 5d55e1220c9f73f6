#include "forms/FormInputs.h"
#include "support/TestEnvironment.h"
#include "tools/failure/FailureDialogs.h"

#include <QCheckBox>
#include <QLabel>
#include <QWidget>

#include <array>

namespace brantel {
namespace {

class FailureDialogCommonTest : public test::CoreTest {};

TEST_F(FailureDialogCommonTest, InputChecksZeroEmptyBoxesAndRefuseTheFault) {
  QWidget window;
  std::array<QLineEdit*, 3> boxes{new QLineEdit(&window), new QLineEdit(&window), new QLineEdit(&window)};
  window.show();
  CriterionInputCheck check;
  check.ZeroedBoxes = {0};
  EXPECT_TRUE(ApplyInputCheck(check, boxes));
  EXPECT_EQ(boxes[0]->text(), QStringLiteral("0"));
  EXPECT_TRUE(boxes_->Shown().empty());

  boxes[2]->setText(QStringLiteral("abc"));
  check = {};
  check.Fault = InputFault{2, InvalidValueFor({"sy", "σy"})};
  EXPECT_FALSE(ApplyInputCheck(check, boxes));
  ASSERT_EQ(boxes_->Shown().size(), 1u);
  EXPECT_EQ(boxes_->Shown().back().prompt, QStringLiteral("Invalid value for sy"));
  EXPECT_EQ(boxes[2]->selectedText(), QStringLiteral("abc"));
}

TEST_F(FailureDialogCommonTest, PoreControlsFollowTheirOption) {
  QWidget window;
  PoreControls c{new QCheckBox(&window), new QLabel(&window), new QLineEdit(&window), new QLabel(&window),
                 new QLineEdit(&window)};
  c.result->setText(QStringLiteral("True"));
  c.option->setChecked(true);
  ShowPoreControls(c);
  for (QWidget* w : std::initializer_list<QWidget*>{c.caption, c.box, c.resultCaption, c.result})
    EXPECT_TRUE(w->isEnabled());
  EXPECT_EQ(c.result->text(), QStringLiteral("True"));
  c.option->setChecked(false);
  ShowPoreControls(c);
  for (QWidget* w : std::initializer_list<QWidget*>{c.caption, c.box, c.resultCaption, c.result})
    EXPECT_FALSE(w->isEnabled());
  EXPECT_EQ(c.result->text(), QString());
}

}  // namespace
}  // namespace brantel
