#include "core/Settings.h"
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

// Sets of boxes judged in turn: an emptied box gets "0" and the check goes
// on with the next set, whose fault is then shown once; all pass only when
// every set does, judged again after the "0".
TEST_F(FailureDialogCommonTest, InputSetsZeroEmptyBoxesAndRefuseTheFault) {
  QWidget window;
  std::array<QLineEdit*, 3> boxes{new QLineEdit(&window), new QLineEdit(&window), new QLineEdit(&window)};
  window.show();
  std::array<float, 3> fields{7, 7, 7};
  forms::NumericInputs first, second;
  for (std::size_t i = 0; i < boxes.size(); ++i) {
    (i < 2 ? first : second)
        .Add(boxes[i], fields[i],
             {.reading = forms::Reading::WholeEntry, .message = InvalidValueFor({"sy", "σy"}), .zeroWhenEmpty = true});
  }
  boxes[1]->setText(QStringLiteral("4"));
  boxes[2]->setText(QStringLiteral("abc"));
  EXPECT_FALSE(JudgeInputSets({&first, &second}));
  EXPECT_EQ(boxes[0]->text(), QStringLiteral("0"));
  ASSERT_EQ(boxes_->Shown().size(), 1u);
  EXPECT_EQ(boxes_->Shown().back().prompt, QStringLiteral("Invalid value for sy"));
  EXPECT_EQ(boxes[2]->selectedText(), QStringLiteral("abc"));
  EXPECT_EQ(fields[1], 7.0f);

  boxes[1]->clear();
  boxes[2]->clear();
  EXPECT_TRUE(JudgeInputSets({&first, &second}));
  EXPECT_EQ(boxes[1]->text(), QStringLiteral("0"));
  EXPECT_EQ(boxes[2]->text(), QStringLiteral("0"));
  EXPECT_EQ(fields, (std::array<float, 3>{0, 0, 0}));
  EXPECT_EQ(boxes_->Shown().size(), 1u);
}

TEST_F(FailureDialogCommonTest, TheProgramSpeaksEnglishAsTheLanguageSettingSays) {
  EnglishMenus = true;
  EXPECT_TRUE(ProgramInEnglish());
  EnglishMenus = false;
  EXPECT_FALSE(ProgramInEnglish());
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
