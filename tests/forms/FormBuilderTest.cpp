#include "forms/FormBuilder.h"
#include "support/TestEnvironment.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>

#include <gmock/gmock.h>

namespace brantel {
namespace {

using namespace forms;
using ::testing::HasSubstr;

constexpr FormDesign kForm{.name = "frmInput", .width = 4905, .height = 2400, .caption = {"Input", "Εισαγωγή"}};
// clang-format off
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
// clang-format on

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

TEST(FormBuilder, AMenuBarSitsAboveTheDesignedArea) {
  QWidget form;
  FormLayout layout(&form, kForm, kControls);
  auto* bar = new QMenuBar;
  bar->addMenu(QStringLiteral("File"));
  layout.AddMenuBar(bar);
  const int height = bar->height();
  ASSERT_GT(height, 0);
  EXPECT_EQ(bar->parentWidget(), &form);
  EXPECT_EQ(bar->geometry(), QRect(0, 0, 327, height));
  EXPECT_EQ(form.size(), QSize(327, 160 + height));
  EXPECT_EQ(layout.ClientRect(), QRect(0, height, 327, 160));
  // Rows on the form move down; rows in a container keep their place there.
  EXPECT_EQ(layout.Require<QGroupBox>(u"Frame1")->pos(), QPoint(8, 8 + height));
  EXPECT_EQ(layout.Require<QLineEdit>(u"Text1")->pos(), QPoint(64, 16));
  layout.SetFormWidth(6000);
  EXPECT_EQ(form.size(), QSize(400, 160 + height));
  EXPECT_EQ(bar->width(), 400);
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
      {{{"Text1", Kind::TextBox, "Frame1"}, {"Frame1", Kind::Frame}},
       "the container Frame1 of Text1 is no earlier row"},
      {{{"Label1", Kind::Label}, {"Text1", Kind::TextBox, "Label1"}}, "Label1 holds Text1 but is no frame"},
      {{{"lblsx", Kind::Label, nullptr, 0, 0, 0, 0, "sx", nullptr, "Text1"}},
       "lblsx names Text1 as its partner, which is no row"},
      {{{"Text1", Kind::TextBox, nullptr, 0, 0, 0, 0, "sx", nullptr, "Text2"}, {"Text2", Kind::TextBox}},
       "Text1 takes the name of Text2"},
      {{{"", Kind::TextBox}}, "a row without a name"},
      {{{"opt(0)", Kind::Option}, {"opt(2)", Kind::Option}}, "the indexes of opt leave a gap"},
      {{{"SSTab1", Kind::TabStrip}, {"SSTab1(1)", Kind::TabPage, "SSTab1"}},
       "the tab page SSTab1(1) is out of turn; the next page is SSTab1(0)"},
      {{{"Frame1", Kind::Frame}, {"Frame1(0)", Kind::TabPage, "Frame1"}},
       "the tab page Frame1(0) is not on a tab control"},
      {{{"SSTab1", Kind::TabStrip}, {"Text1", Kind::TextBox, "SSTab1"}}, "SSTab1 holds Text1 but is no frame"},
      {{{"lbl", Kind::Label}, {"opt(0)", Kind::Option, nullptr, 0, 0, 0, 0, "Caption", nullptr, "lbl"}},
       "only an option or check box without a caption takes the name of a label"},
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

constexpr FormDesign kTabbedForm{.name = "frmTabs", .width = 8175, .height = 5000, .caption = {"Tabs"}};
// clang-format off
constexpr ControlRow kTabbedControls[] = {
    {"SSTab1", Kind::TabStrip, nullptr, 120, 120, 7935, 3855, "Results"},
    {"SSTab1(0)", Kind::TabPage, "SSTab1", 0, 0, 0, 0, "Calculations", "Υπολογισμοί"},
    {"SSTab1(1)", Kind::TabPage, "SSTab1", 0, 0, 0, 0, "Graph", "Γραφική Παράσταση"},
    {"Frame2", Kind::Frame, "SSTab1(0)", 120, 480, 7695, 3255, "Point"},
    {"lblth1x", Kind::Label, "Frame2", 120, 240, 1215, 255, "w(tmax) from x", "θ (from x)", "Text12"},
    {"Text12", Kind::TextBox, "Frame2", 1440, 240, 1095, 285},
    {"lblth2x", Kind::Label, "Frame2", 120, 600, 1215, 255, "w(tmax) from x", "θ (from x)", "Text13"},
    {"Text13", Kind::TextBox, "Frame2", 1440, 600, 1095, 285},
    {"Label19", Kind::Label, "Frame2", 120, 960, 1215, 255, "Angle from s1", "γωνία από σ1", "Text9"},
    {"Text9", Kind::TextBox, "Frame2", 1440, 960, 1095, 285},
    {"optAngle(0)", Kind::Option, "Frame2", 2760, 960, 225, 255, nullptr, nullptr, "Label19"},
    {"fLx1", Kind::Grid, "SSTab1(1)", 120, 480, 7695, 3255, "Data"},
};
// clang-format on

TEST(FormBuilder, TabPagesHoldTheirRowsAtTheirDesignPlaces) {
  QWidget form;
  FormLayout layout(&form, kTabbedForm, kTabbedControls);
  layout.SetCaptions(true);
  auto* tabs = layout.Require<QTabWidget>(u"SSTab1");
  ASSERT_EQ(tabs->count(), 2);
  EXPECT_EQ(tabs->widget(0), layout.Require<QWidget>(u"SSTab1(0)"));
  EXPECT_EQ(tabs->tabText(1), QStringLiteral("Graph"));
  form.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  // Placed from the tab control's own corner, below the row of tabs.
  auto* frame = layout.Require<QGroupBox>(u"Frame2");
  EXPECT_EQ(frame->mapTo(tabs, QPoint(0, 0)), QPoint(Px(120), Px(480)));
  EXPECT_TRUE(frame->isVisible());
  auto* grid = layout.Require<QTableWidget>(u"fLx1");
  EXPECT_FALSE(grid->isVisible());  // on the page not shown
  tabs->setCurrentIndex(1);
  EXPECT_TRUE(grid->isVisible());
  EXPECT_FALSE(frame->isVisible());
  EXPECT_EQ(grid->mapTo(tabs, QPoint(0, 0)), QPoint(Px(120), Px(480)));

  layout.SetCaptions(false);
  EXPECT_EQ(tabs->tabText(0), QStringLiteral("Υπολογισμοί"));
}

TEST(FormBuilder, AGridIsATableOfCellsTheDialogFills) {
  QWidget form;
  FormLayout layout(&form, kTabbedForm, kTabbedControls);
  auto* grid = layout.Require<QTableWidget>(u"fLx1");
  EXPECT_EQ(grid->editTriggers(), QAbstractItemView::NoEditTriggers);
  EXPECT_TRUE(grid->verticalHeader()->isHidden());
  grid->setRowCount(2);
  grid->setColumnCount(3);
  EXPECT_EQ(Cell(grid, 2, 0), nullptr);
  Cell(grid, 1, 2)->setText(QStringLiteral("12.5"));
  EXPECT_EQ(grid->item(1, 2)->text(), QStringLiteral("12.5"));
  EXPECT_EQ(Cell(grid, 0, 0)->text(), QString());
}

TEST(FormBuilder, EveryBoxHasASpokenNameOfItsOwn) {
  QWidget form;
  FormLayout layout(&form, kTabbedForm, kTabbedControls);
  layout.SetCaptions(true);
  // Two labels of one caption: the boxes are told apart by their order.
  EXPECT_EQ(layout.Require<QLineEdit>(u"Text12")->accessibleName(), QStringLiteral("w(tmax) from x (1 of 2)"));
  EXPECT_EQ(layout.Require<QLineEdit>(u"Text13")->accessibleName(), QStringLiteral("w(tmax) from x (2 of 2)"));
  // An option button without a caption is named by the label it names as its partner.
  EXPECT_EQ(layout.Require<QRadioButton>(u"optAngle(0)")->accessibleName(), QStringLiteral("Angle from s1"));
  EXPECT_EQ(layout.Require<QTableWidget>(u"fLx1")->accessibleName(), QStringLiteral("Data"));
  layout.SetCaptions(false);
  EXPECT_EQ(layout.Require<QLineEdit>(u"Text13")->accessibleName(), QStringLiteral("θ (from x) (2 από 2)"));
  EXPECT_EQ(layout.Require<QRadioButton>(u"optAngle(0)")->accessibleName(), QStringLiteral("γωνία από σ1"));
}

}  // namespace
}  // namespace brantel
