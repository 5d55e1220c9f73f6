#include "core/History.h"
#include "core/NumberFormat.h"
#include "core/RuntimeError.h"
#include "core/Settings.h"
#include "forms/FormDialog.h"
#include "forms/FormInputs.h"
#include "support/DialogTest.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gmock/gmock.h>

#include <algorithm>

namespace brantel {
namespace {

using forms::ControlRow;
using forms::Kind;
using ::testing::HasSubstr;

// The stored values a sample dialog edits.
struct Stored {
  float width = 0;
  double load = 0;
};
Stored g_stored;

constexpr forms::FormDesign kForm{.name = "frmSample", .width = 4000, .height = 1800, .caption = {"Sample", "Δείγμα"}};
// clang-format off
constexpr ControlRow kControls[] = {
    {"lblWidth", Kind::Label, nullptr, 120, 120, 900, 255, "Width", "Πλάτος", "Text1"},
    {"Text1", Kind::TextBox, nullptr, 1080, 120, 855, 285},
    {"lblLoad", Kind::Label, nullptr, 120, 480, 900, 255, "Load", "Φορτίο", "Text2"},
    {"Text2", Kind::TextBox, nullptr, 1080, 480, 855, 285},
    {"Text3", Kind::TextBox, nullptr, 2040, 120, 855, 285, "Area", nullptr, nullptr, forms::kReadOnly},
    {"cmdHelp", Kind::Button, nullptr, 120, 1320, 1000, 375, "Help"},
    {"cmdCancel", Kind::Button, nullptr, 1440, 1320, 1000, 375, "Cancel"},
    {"CmdOk", Kind::Button, nullptr, 2760, 1320, 1000, 375, "OK"},
};
// clang-format on

// A dialog written the way every tool dialog is.
class SampleDialog : public forms::FormDialog {
 public:
  explicit SampleDialog(QWidget* owner = nullptr, const char16_t* okName = u"CmdOk") : FormDialog(owner) {
    Build(kForm, kControls);
    ui_.width = Require<QLineEdit>(u"Text1");
    ui_.load = Require<QLineEdit>(u"Text2");
    ui_.area = Require<QLineEdit>(u"Text3");
    inputs_.Add(ui_.width, working_.width, {forms::Reading::WholeEntry, InvalidValueFor({"width", "πλάτος"})});
    inputs_.Add(ui_.load, working_.load, {forms::Reading::WholeEntry, Sentence({"Invalid load", "Εσφαλμένο φορτίο"})});
    WireButtons(Require<QPushButton>(okName), Require<QPushButton>(u"cmdCancel"), Require<QPushButton>(u"cmdHelp"));
    LoadInputs();
  }
  int commits = 0;
  int unloads = 0;

 protected:
  void LoadFromProject() override {
    working_ = g_stored;
    inputs_.Show(u"#0.##0");
  }
  bool ValidateInput() override { return inputs_.Validate(); }
  void CommitToProject() override {
    g_stored = working_;
    ++commits;
  }
  void FormUnload() override { ++unloads; }

 private:
  struct Ui {
    QLineEdit* width;
    QLineEdit* load;
    QLineEdit* area;
  } ui_;
  forms::NumericInputs inputs_;
  Stored working_;
};

class FormDialogTest : public test::DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    g_stored = {1.23456f, 0.1};
  }
};

TEST_F(FormDialogTest, OkCountsOnlyAfterValidationAndCommitsOnce) {
  SampleDialog& dialog = Open<SampleDialog>();
  EXPECT_EQ(Text(u"Text1"), QStringLiteral("1.235"));
  Type(u"Text2", QStringLiteral("12a"));
  Press(u"CmdOk");  // refused: the message, the box, and the dialog stays
  EXPECT_EQ(LastMessage(), QStringLiteral("Invalid load"));
  EXPECT_TRUE(Control<QLineEdit>(u"Text2")->hasFocus());
  EXPECT_EQ(Control<QLineEdit>(u"Text2")->selectedText(), QStringLiteral("12a"));
  EXPECT_TRUE(dialog.isVisible());
  dialog.close();  // the close box is a Cancel, also after a refused OK
  EXPECT_EQ(dialog.commits, 0);
  EXPECT_EQ(dialog.unloads, 1);
  EXPECT_EQ(dialog.result(), QDialog::Rejected);

  SampleDialog& second = Open<SampleDialog>();
  Type(u"Text2", QStringLiteral("-2.5e3"));
  Press(u"CmdOk");
  EXPECT_FALSE(second.isVisible());
  EXPECT_EQ(second.result(), QDialog::Accepted);
  second.close();  // unloading twice commits once
  EXPECT_EQ(second.commits, 1);
  EXPECT_EQ(second.unloads, 1);
  EXPECT_EQ(g_stored.load, -2500.0);
  EXPECT_EQ(g_stored.width, 1.23456f);  // the box not edited gives back the stored value
}

TEST_F(FormDialogTest, CancelEscapeAndHelp) {
  SampleDialog& dialog = Open<SampleDialog>();
  Type(u"Text1", QStringLiteral("7"));
  Press(u"cmdHelp");
  EXPECT_EQ(Messages().back().title, QStringLiteral("Help"));
  EXPECT_TRUE(dialog.isVisible());
  Press(u"cmdCancel");
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(dialog.commits, 0);
  SampleDialog& escaped = Open<SampleDialog>();
  Type(u"Text1", QStringLiteral("7"));
  QTest::keyClick(&escaped, Qt::Key_Escape);
  EXPECT_FALSE(escaped.isVisible());
  EXPECT_EQ(escaped.commits, 0);
  EXPECT_EQ(g_stored.width, 1.23456f);
}

TEST_F(FormDialogTest, AMisspeltDesignNameStopsTheDialogWithThatName) {
  try {
    SampleDialog dialog(nullptr, u"CmdOK");
    FAIL() << "the dialog was built";
  } catch (const forms::DesignError& e) {
    EXPECT_THAT(e.what(), HasSubstr("\"Sample\": no control is named CmdOK"));
  }
  Open<SampleDialog>();
  EXPECT_THROW(Control<QPushButton>(u"Text1"), forms::DesignError);
}

TEST_F(FormDialogTest, InputsAreCheckedInOrderAndStoredAllOrNothing) {
  struct Case {
    QString width, load;
    QString message;  // "" when valid
    float width2;
    double load2;
  };
  const Case cases[] = {
      {"", "-", "", 0.0f, 0.0},  // still being typed: 0
      {"2.5", "-.", "", 2.5f, 0.0},
      {"x", "y", "Invalid value for width", 1.23456f, 0.1},     // the first bad box only
      {"3", "1e400", "Invalid load", 1.23456f, 0.1},            // too large to read
      {"1e39", "1", "Invalid value for width", 1.23456f, 0.1},  // beyond a 32-bit field
      {"-1e38", "1e300", "", -1e38f, 1e300},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.width.toStdString() + " / " + c.load.toStdString());
    boxes_->Clear();
    SampleDialog& dialog = Open<SampleDialog>();
    Paste(u"Text1", c.width);
    Paste(u"Text2", c.load);
    Press(u"CmdOk");
    EXPECT_EQ(LastMessage(), c.message);
    EXPECT_EQ(dialog.IsAccepted(), c.message.isEmpty());
    if (!c.message.isEmpty()) Press(u"cmdCancel");
    EXPECT_EQ(g_stored.width, c.width2);
    EXPECT_EQ(g_stored.load, c.load2);
    g_stored = {1.23456f, 0.1};
  }
}

// Value rules run with each box or after all of them; `when` leaves a box
// unread; the leading-number reading ignores what follows the number.
TEST_F(FormDialogTest, InputsApplyTheirRulesInTheirOrder) {
  QWidget window;
  auto* a = new forms::TextBox(&window);
  auto* b = new forms::TextBox(&window);
  auto* c = new forms::TextBox(&window);
  window.show();
  bool bRead = true;
  const ValueRule notNegative = AllowedWhen([](double v) { return v >= 0; }, Sentence({"a < 0", "α < 0"}));
  float fa = 7, fc = 7;
  double fb = 7;
  const auto build = [&](forms::NumericInputs& inputs) {
    inputs.Add(a, fa, {forms::Reading::WholeEntry, InvalidValueFor({"a", "α"}), notNegative});
    inputs.Add(b, fb, {.reading = forms::Reading::LeadingNumber, .message = InvalidValueFor({"b", "β"}), .when = [&] {
                         return bRead;
                       }});
    inputs.Add(c, fc, {forms::Reading::WholeEntry, InvalidValueFor({"c", "γ"})});
  };
  forms::NumericInputs eachBox;
  forms::NumericInputs allBoxesFirst(forms::NumericInputs::RuleOrder::AfterAllBoxes);
  build(eachBox);
  build(allBoxesFirst);

  a->setText(QStringLiteral("-1"));
  b->setText(QStringLiteral("12a"));
  c->setText(QStringLiteral("x"));
  EXPECT_FALSE(eachBox.Validate());
  EXPECT_EQ(LastMessage(), QStringLiteral("a < 0"));
  EXPECT_FALSE(allBoxesFirst.Validate());
  EXPECT_EQ(LastMessage(), QStringLiteral("Invalid value for c"));
  EXPECT_EQ(c->selectedText(), QStringLiteral("x"));  // the box refused, its text selected
  EXPECT_EQ(fa, 7.0f);                                // nothing stored

  c->setText(QStringLiteral("3"));
  EXPECT_FALSE(allBoxesFirst.Validate());
  EXPECT_EQ(LastMessage(), QStringLiteral("a < 0"));
  a->setText(QStringLiteral("2"));
  EXPECT_TRUE(eachBox.Validate());
  EXPECT_EQ(fb, 12.0);  // the leading number
  EXPECT_EQ(fc, 3.0f);

  bRead = false;
  b->setText(QStringLiteral("1e999"));  // not read: neither refused nor stored
  a->setText(QStringLiteral("5"));
  EXPECT_TRUE(eachBox.Validate());
  EXPECT_EQ(fa, 5.0f);
  EXPECT_EQ(fb, 12.0);
  bRead = true;
  EXPECT_FALSE(eachBox.Validate());
  EXPECT_EQ(LastMessage(), QStringLiteral("Invalid value for b"));

  // The messages are shown in the program's language.
  EnglishMenus = false;
  a->setText(QStringLiteral("-1"));
  EXPECT_FALSE(eachBox.Validate());
  EXPECT_EQ(LastMessage(), QStringLiteral("α < 0"));
  a->setText(QStringLiteral("x"));
  EXPECT_FALSE(eachBox.Validate());
  EXPECT_EQ(LastMessage(), QStringLiteral("Εσφαλμένη τιμή για το α"));
}

// An empty box of zeroWhenEmpty gets "0": one pass (Check) ends there,
// storing nothing; Validate judges again and reads the "0".
TEST_F(FormDialogTest, AnEmptyBoxBecomesZeroAndIsJudgedAgain) {
  QWidget window;
  auto* a = new forms::TextBox(&window);
  auto* b = new forms::TextBox(&window);
  window.show();
  float fa = 7, fb = 7;
  forms::NumericInputs inputs(forms::NumericInputs::RuleOrder::AfterAllBoxes);
  const ValueRule notNegative = AllowedWhen([](double v) { return v >= 0; }, Sentence({"a < 0", "α < 0"}));
  inputs.Add(a, fa,
             {.reading = forms::Reading::WholeEntry,
              .message = InvalidValueFor({"a", "α"}),
              .rule = notNegative,
              .zeroWhenEmpty = true});
  inputs.Add(b, fb,
             {.reading = forms::Reading::WholeEntry, .message = InvalidValueFor({"b", "β"}), .zeroWhenEmpty = true});

  a->setText(QStringLiteral("-1"));
  b->clear();
  EXPECT_EQ(inputs.Check(), forms::NumericInputs::Outcome::Zeroed);  // before a's rule
  EXPECT_EQ(b->text(), QStringLiteral("0"));
  EXPECT_EQ(b->selectedText(), QStringLiteral("0"));
  EXPECT_TRUE(Messages().empty());
  EXPECT_EQ(fa, 7.0f);
  EXPECT_EQ(inputs.Check(), forms::NumericInputs::Outcome::Refused);
  EXPECT_EQ(LastMessage(), QStringLiteral("a < 0"));

  a->clear();
  b->clear();
  EXPECT_TRUE(inputs.Validate());
  EXPECT_EQ(a->text(), QStringLiteral("0"));
  EXPECT_EQ(b->text(), QStringLiteral("0"));
  EXPECT_EQ(fa, 0.0f);
  EXPECT_EQ(fb, 0.0f);
  // An empty box beside a bad one: the bad one speaks, once.
  a->clear();
  b->setText(QStringLiteral("x"));
  EXPECT_FALSE(inputs.Validate());
  EXPECT_EQ(a->text(), QStringLiteral("0"));
  EXPECT_EQ(Messages().size(), 2u);
  EXPECT_EQ(LastMessage(), QStringLiteral("Invalid value for b"));
}

TEST_F(FormDialogTest, ALeftBoxShowsItsDisplayFormAndKeepsTheValueTyped) {
  Open<SampleDialog>();
  auto* width = Control<QLineEdit>(u"Text1");
  forms::ShowTypedValue(width, u"#0.##0", forms::OnLeave::ValueOfText);  // unedited: stays
  EXPECT_EQ(width->text(), QStringLiteral("1.235"));
  EXPECT_EQ(forms::LeadingValue(width), static_cast<double>(1.23456f));
  const struct {
    const char* typed;
    forms::OnLeave rule;
    const char* shown;
  } cases[] = {
      {"2.34567", forms::OnLeave::ValueOfText, "2.346"}, {"", forms::OnLeave::ValueOfText, "0.000"},
      {"12a", forms::OnLeave::ValueOfText, "12.000"},    {"", forms::OnLeave::NumbersOnly, ""},
      {"12a", forms::OnLeave::NumbersOnly, "12a"},       {"1e999", forms::OnLeave::ValueOfText, "1e999"},
  };
  for (const auto& c : cases) {
    width->setText(QString::fromUtf8(c.typed));
    forms::ShowTypedValue(width, u"#0.##0", c.rule);
    EXPECT_EQ(width->text(), QString::fromUtf8(c.shown)) << c.typed;
  }
  width->setText(QStringLiteral("2.34567"));
  forms::ShowTypedValue(width, u"#0.##0", forms::OnLeave::NumbersOnly);
  EXPECT_EQ(forms::LeadingValue(width), 2.34567);  // the value typed, behind its display form
  width->setText(QStringLiteral("2.50e1x"));
  forms::ShowTypedGeneral(width, forms::OnLeave::ValueOfText);
  EXPECT_EQ(width->text(), QStringLiteral("25"));
  forms::ShowTypedGeneral(width, forms::OnLeave::ValueOfText);  // now unedited: stays
  EXPECT_EQ(width->text(), QStringLiteral("25"));
}

TEST_F(FormDialogTest, TheTwoReadersKeepTheStoredNumber) {
  forms::TextBox box;
  forms::ShowStoredValue(&box, 1.23456, QStringLiteral("1.235"));
  EXPECT_EQ(forms::EntryValue<float>(&box), 1.23456f);  // unedited: the stored value
  EXPECT_EQ(forms::LeadingValue(&box), 1.23456);
  box.setText(QStringLiteral("2.5x"));
  EXPECT_FALSE(forms::EntryValue<float>(&box));
  EXPECT_EQ(forms::LeadingValue(&box), 2.5);  // what follows the number is ignored
  box.setText(QStringLiteral("-"));
  EXPECT_EQ(forms::EntryValue<float>(&box), 0.0f);  // still being typed
  box.setText(QStringLiteral("1e39"));
  EXPECT_FALSE(forms::EntryValue<float>(&box));  // beyond a 32-bit field
  EXPECT_FALSE(forms::LeadingValue<float>(&box));
  EXPECT_EQ(forms::EntryValue(&box), 1e39);
}

TEST_F(FormDialogTest, ATwinBoxTakesTheStoredValueOnlyWhileItsSourceIsUnedited) {
  Open<SampleDialog>();
  auto* width = Control<QLineEdit>(u"Text1");
  auto* load = Control<QLineEdit>(u"Text2");
  forms::ShowStoredGeneral(width, 1.23456789f);  // a 32-bit value in its own general form
  EXPECT_EQ(width->text(), QStringLiteral("1.234568"));
  forms::ShowStoredGeneral(width, 0.1f);
  forms::CopyBoxText(width, load);
  EXPECT_EQ(load->text(), QStringLiteral("0.1"));
  EXPECT_EQ(forms::LeadingValue(load), static_cast<double>(0.1f));  // the stored value, not its text's
  width->setText(QStringLiteral("1e999"));                          // edited, and too large to read
  forms::CopyBoxText(width, load);
  EXPECT_EQ(load->text(), QStringLiteral("1e999"));
  EXPECT_FALSE(forms::BoxUnedited(load));
}

TEST_F(FormDialogTest, AFailedCalculationEmptiesItsResults) {
  Open<SampleDialog>();
  auto* area = Control<QLineEdit>(u"Text3");
  forms::ShowResult(area, 12.5f);
  EXPECT_EQ(area->text(), QStringLiteral("12.500"));
  forms::ShowResult(area, 1.2345678e10f, u"#0.0");  // 32-bit: seven significant digits
  EXPECT_EQ(area->text(), QStringLiteral("12345680000.0"));
  EXPECT_EQ(area->cursorPosition(), 0);
  forms::ShowResult(area, QStringLiteral("Range Error"));
  EXPECT_EQ(area->text(), QStringLiteral("Range Error"));

  bool dropped = false;
  EXPECT_TRUE(forms::Calculate(
      {area}, [&] { forms::ShowResult(area, 3.0); }, [&] { dropped = true; }));
  EXPECT_EQ(area->text(), QStringLiteral("3.000"));
  EXPECT_FALSE(forms::Calculate(
      {area}, [] { RaiseError(ErrorNumber::Overflow); }, [&] { dropped = true; }));
  EXPECT_EQ(area->text(), QString());
  EXPECT_TRUE(dropped);
  EXPECT_TRUE(History().endsWith(QStringLiteral(". 6 Overflow\r\n")));
}

TEST_F(FormDialogTest, AModelessDialogComesToTheFrontAndGoesWhenClosed) {
  QPointer<SampleDialog> open;
  SampleDialog* first = forms::ShowModeless(open, static_cast<QWidget*>(nullptr));
  EXPECT_EQ(forms::ShowModeless(open, static_cast<QWidget*>(nullptr)), first);  // the menu entry again
  first->setWindowState(Qt::WindowMinimized);                                   // also from the task bar
  EXPECT_EQ(forms::ShowModeless(open, static_cast<QWidget*>(nullptr)), first);
  EXPECT_FALSE(first->windowState() & Qt::WindowMinimized);
  const QPointer<SampleDialog> gone = first;
  first->close();
  EXPECT_EQ(first->unloads, 1);
  SampleDialog* second = forms::ShowModeless(open, static_cast<QWidget*>(nullptr));
  EXPECT_NE(second, first);  // an unloaded dialog is never shown again
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(gone.isNull());
  second->close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(open.isNull());

  // The registry's opener keeps one of its own.
  forms::OpenModeless<SampleDialog>(nullptr);
  forms::OpenModeless<SampleDialog>(nullptr);
  const auto shown = QApplication::topLevelWidgets();
  EXPECT_EQ(std::count_if(shown.begin(), shown.end(),
                          [](QWidget* w) { return dynamic_cast<SampleDialog*>(w) && w->isVisible(); }),
            1);
}

}  // namespace
}  // namespace brantel
