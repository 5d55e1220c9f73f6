#include "forms/FormBuilder.h"
#include "forms/FormDialog.h"
#include "support/TestEnvironment.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gmock/gmock.h>

namespace brantel {
namespace {

using namespace forms;
using ::testing::HasSubstr;
using test::CoreTest;

constexpr FormDesign kForm{4905, 2400, "Input", "Εισαγωγή"};
constexpr ControlRow kControls[] = {
    {"Frame1", Kind::Frame, nullptr, 120, 120, 4695, 1455, "Input Data", "Εισαγωγή δεδομένων", nullptr, kBlueCaption},
    {"lblsx", Kind::Label, "Frame1", 480, 240, 375, 255, "sx", "σx", "Text1"},
    {"Text1", Kind::TextBox, "Frame1", 960, 240, 855, 285, nullptr, nullptr, nullptr, 0, 20},
    {"Text4", Kind::TextBox, "Frame1", 960, 600, 855, 285, "s1", "σ1", nullptr, kReadOnly | kRedText},
    {"chkMohr", Kind::CheckBox, "Frame1", 2520, 360, 1815, 255, "Mohr's Circle", "Κύκλος του Mohr"},
    {"Option1(1)", Kind::Option, nullptr, 120, 1680, 1200, 255, "Metric"},
    {"Option1(0)", Kind::Option, nullptr, 1440, 1680, 1200, 255, "English"},
    {"CmdOk", Kind::Button, nullptr, 3480, 1980, 1215, 375, "OK"},
};

TEST(FormBuilder, PlacesEveryControlInPixelsOfItsContainer) {
  QWidget form;
  FormLayout layout(&form, kForm, kControls);
  EXPECT_EQ(form.size(), QSize(327, 160));
  auto* frame = layout.Require<QGroupBox>(u"Frame1");
  auto* box = layout.Require<QLineEdit>(u"Text1");
  ASSERT_TRUE(frame && box);
  EXPECT_EQ(box->parentWidget(), frame);
  EXPECT_EQ(box->geometry(), QRect(64, 16, 57, 19));
  EXPECT_TRUE(layout.Require<QLineEdit>(u"Text4")->isReadOnly());
  EXPECT_EQ(layout.Require<QLineEdit>(u"Text4")->focusPolicy(), Qt::ClickFocus);
  EXPECT_EQ(Px(3000), 200);
  EXPECT_EQ(Px(8), 1);
}

// The message of the DesignError that a call raises, or "" when none.
template <typename Call>
std::string DesignFault(Call&& call) {
  try {
    call();
  } catch (const DesignError& e) {
    return e.what();
  }
  return {};
}

TEST(FormBuilder, LookUpsNameTheControlThatIsMissingOrOfAnotherKind) {
  QWidget form;
  FormLayout layout(&form, kForm, kControls);
  EXPECT_EQ(layout.Require<QLineEdit>(u"Text1")->objectName(), QStringLiteral("Text1"));
  EXPECT_THAT(DesignFault([&] { layout.Require<QLineEdit>(u"Text9"); }),
              HasSubstr("Input\": no control is named Text9"));
  EXPECT_THAT(DesignFault([&] { layout.Require<QLineEdit>(u"chkMohr"); }),
              HasSubstr("chkMohr is a QCheckBox, not a QLineEdit"));
  EXPECT_THAT(DesignFault([&] { layout.Options(u"Option2"); }), HasSubstr("Option2"));
}

TEST(FormBuilder, FaultyTablesAreRefusedWithTheNameAtFault) {
  struct Case {
    std::vector<ControlRow> rows;
    const char* fault;
  };
  const std::vector<Case> cases = {
      {{{"Text1", Kind::TextBox}, {"Text1", Kind::TextBox}}, "the name Text1 stands twice"},
      {{{"Text1", Kind::TextBox, "Frame1"}, {"Frame1", Kind::Frame}}, "the container Frame1 of Text1 is no earlier row"},
      {{{"Label1", Kind::Label}, {"Text1", Kind::TextBox, "Label1"}}, "Label1 holds Text1 but is no frame"},
      {{{"lblsx", Kind::Label, nullptr, 0, 0, 0, 0, "sx", nullptr, "Text1"}}, "the label lblsx names Text1, which is no row"},
      {{{"Text1", Kind::TextBox, nullptr, 0, 0, 0, 0, "sx", nullptr, "Text2"}, {"Text2", Kind::TextBox}},
       "Text1 names a box but is no label"},
      {{{"", Kind::TextBox}}, "a row without a name"},
      {{{"opt(0)", Kind::Option}, {"opt(2)", Kind::Option}}, "the indexes of opt leave a gap"},
  };
  for (const Case& c : cases) {
    QWidget form;
    EXPECT_THAT(DesignFault([&] {
                  FormLayout layout(&form, kForm, c.rows);
                  layout.Options(u"opt");
                }),
                HasSubstr(c.fault));
  }
}

TEST(FormBuilder, CaptionsInBothLanguagesAndSpokenNames) {
  QWidget form;
  FormLayout layout(&form, kForm, kControls);
  layout.SetCaptions(true);
  EXPECT_EQ(form.windowTitle(), QStringLiteral("Input"));
  EXPECT_EQ(layout.Require<QGroupBox>(u"Frame1")->title(), QStringLiteral("Input Data"));
  EXPECT_EQ(layout.Require<QLineEdit>(u"Text1")->accessibleName(), QStringLiteral("sx"));
  EXPECT_EQ(layout.Require<QLineEdit>(u"Text4")->accessibleName(), QStringLiteral("s1"));
  EXPECT_EQ(layout.Require<QLabel>(u"lblsx")->buddy(), layout.Require<QWidget>(u"Text1"));
  layout.SetCaptions(false);
  EXPECT_EQ(form.windowTitle(), QStringLiteral("Εισαγωγή"));
  EXPECT_EQ(layout.Require<QCheckBox>(u"chkMohr")->text(), QStringLiteral("Κύκλος του Mohr"));
  EXPECT_EQ(layout.Require<QLineEdit>(u"Text1")->accessibleName(), QStringLiteral("σx"));
  // No Greek caption: the English one stands in both languages.
  EXPECT_EQ(layout.Require<QPushButton>(u"CmdOk")->text(), QStringLiteral("OK"));
  EXPECT_EQ(PlainCaption(QStringLiteral("E&xit && go")), QStringLiteral("Exit & go"));
}

TEST(FormBuilder, OptionArraysInIndexOrder) {
  QWidget form;
  FormLayout layout(&form, kForm, kControls);
  layout.SetCaptions(true);
  const forms::OptionArray units = layout.Options(u"Option1");
  ASSERT_EQ(units.buttons.size(), 2u);
  EXPECT_EQ(units.LBound(), 0);
  EXPECT_EQ(units.At(0)->text(), QStringLiteral("English"));
  EXPECT_EQ(units.At(1)->text(), QStringLiteral("Metric"));
}

TEST(FormBuilder, BoxesSelectTheirTextOnAClick) {
  QWidget form;
  FormLayout layout(&form, kForm, kControls);
  auto* box = layout.Require<QLineEdit>(u"Text1");
  box->setText(QStringLiteral("12.500"));
  form.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(5, 5));
  QTest::qWait(10);
  EXPECT_EQ(box->selectedText(), QStringLiteral("12.500"));
}

TEST(FormBuilder, MaxLengthLimitsTypingButNeverCutsTheProgramsText) {
  QWidget form;
  FormLayout layout(&form, kForm, kControls);
  auto* box = layout.Require<QLineEdit>(u"Text1");
  form.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  box->setFocus();
  QTest::keyClicks(box, QString(25, u'7'));
  EXPECT_EQ(box->text(), QString(20, u'7'));
  // A display form longer than the limit keeps its value.
  const QString shown = QStringLiteral("10000000000000000000000000.000");
  box->setText(shown);
  EXPECT_EQ(box->text(), shown);
  QTest::keyClick(box, Qt::Key_Backspace);
  EXPECT_EQ(box->text(), shown.chopped(1));  // and can still be edited
}

// A dialog that commits a value when accepted.
class ValueDialog : public forms::FormDialog {
 public:
  int commits = 0;
  bool valid = true;
  void OkClicked() {
    if (valid) AcceptAndUnload();
  }

 protected:
  void FormUnload() override {
    if (IsAccepted()) ++commits;
  }
};

class FormDialogTest : public CoreTest {};

TEST_F(FormDialogTest, OnlyAValidatedOkCommits) {
  ValueDialog dialog;
  dialog.show();
  dialog.valid = false;
  dialog.OkClicked();  // refused: stays open, no flag
  EXPECT_TRUE(dialog.isVisible());
  dialog.close();      // the close box is a Cancel
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(dialog.commits, 0);
  EXPECT_EQ(dialog.result(), QDialog::Rejected);

  ValueDialog second;
  second.show();
  second.OkClicked();
  EXPECT_EQ(second.commits, 1);
  EXPECT_EQ(second.result(), QDialog::Accepted);
  second.close();  // unloading twice commits once
  EXPECT_EQ(second.commits, 1);
}

TEST_F(FormDialogTest, EscapeIsACancel) {
  ValueDialog dialog;
  dialog.show();
  QTest::keyClick(&dialog, Qt::Key_Escape);
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(dialog.commits, 0);
}

}  // namespace
}  // namespace brantel
