#include "core/FileConversion.h"
#include "core/Globals.h"
#include "core/project/ProjectRecord.h"
#include "maintenance/FileConversionDialog.h"
#include "maintenance/UnitsDialog.h"
#include "mainwindow/Commands.h"
#include "mainwindow/ToolRegistry.h"
#include "support/DialogTest.h"

#include <QCoreApplication>
#include <QDir>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabWidget>

namespace brantel {
namespace {

class UnitsDialogTest : public test::DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    UnitsStartTab = 1;
  }
  frmUnits& Open() { return DialogTest::Open<frmUnits>(); }
  QTabWidget* Tabs() const { return Control<QTabWidget>(u"SSTab1"); }
  QStringList Readouts(std::initializer_list<const char16_t*> boxes) const {
    QStringList texts;
    for (const char16_t* box : boxes) texts << Text(box);
    return texts;
  }
};

const std::initializer_list<const char16_t*> kLength = {u"Text7", u"Text8", u"Text9", u"Text10"};
const std::initializer_list<const char16_t*> kLoad = {u"Text21", u"Text22", u"Text23", u"Text24", u"Text25"};
const std::initializer_list<const char16_t*> kLoadGrad = {u"Text17", u"Text18", u"Text19", u"Text20"};
const std::initializer_list<const char16_t*> kStress = {u"Text2", u"Text3", u"Text4", u"Text5", u"Text6"};
const std::initializer_list<const char16_t*> kStressGrad = {u"Text12", u"Text13", u"Text14", u"Text15"};

TEST_F(UnitsDialogTest, OpensOnTheStartTabWithTheFirstUnitsAndEmptyReadouts) {
  Open();
  EXPECT_EQ(Tabs()->currentIndex(), 1);
  EXPECT_EQ(Tabs()->tabText(1), QStringLiteral("Load"));
  EXPECT_EQ(Current().windowTitle(), QStringLiteral("Unit Conversions"));
  for (const char16_t* first : {u"Option2(0)", u"Option5(0)", u"Option4(0)", u"Option1(0)", u"Option3(0)"}) {
    EXPECT_TRUE(Control<QRadioButton>(first)->isChecked());
  }
  for (const auto& tab : {kLength, kLoad, kLoadGrad, kStress, kStressGrad}) {
    for (const char16_t* box : tab) EXPECT_EQ(Text(box), QString());
  }
  EXPECT_TRUE(History().contains(QStringLiteral("Loading Unit Conversion Form")));
  // The read-outs are spoken of by their units.
  EXPECT_EQ(Control<QLineEdit>(u"Text22")->accessibleName(), QStringLiteral("tonsF (short)"));
  EXPECT_TRUE(Control<QLineEdit>(u"Text22")->isReadOnly());
  // A tab that is picked puts the focus in its value box.
  Tabs()->setCurrentIndex(3);
  EXPECT_TRUE(Control<QLineEdit>(u"txtStress")->hasFocus());
}

TEST_F(UnitsDialogTest, EveryTabConvertsWithItsFactors) {
  // Expected read-outs worked by hand from 1 in = 2.54 cm, 1 ft = 12 in,
  // 1 kN = 224.809 lbf, 1 psi = 6894.757293 Pa, up to 15 digits.
  struct Case {
    int tab;
    const char16_t* unit;
    const char16_t* input;
    const char16_t* value;
    std::initializer_list<const char16_t*> readouts;
    QStringList shown;
  };
  const std::vector<Case> cases = {
      {0, u"Option2(1)", u"txtLength", u"1", kLength, {"12", "1", "30.48", "0.3048"}},
      {0, u"Option2(3)", u"txtLength", u"0.0254", kLength, {"1", "0.0833333333333333", "2.54", "0.0254"}},
      {1, u"Option5(2)", u"txtLoad", u"1", kLoad, {"224.809", "0.1124045", "1", "0.001", "0.224809"}},
      {1, u"Option5(1)", u"txtLoad", u"1", kLoad, {"2000", "1", "8.89644097878644", "0.00889644097878644", "2"}},
      {2, u"Option4(2)", u"txtLoadGrad", u"1", kLoadGrad, {"5.7101486", "68.5217832", "1", "0.001"}},
      {3, u"Option1(2)", u"txtStress", u"144", kStress, {"1", "0.001", "144", "6894.757293", "0.006894757293"}},
      {3, u"Option1(4)", u"txtStress", u"1", kStress,
       {"145.037737733751", "0.145037737733751", "20885.4342336601", "1000000", "1"}},
      {4, u"Option3(1)", u"txtStressGrad", u"12", kStressGrad, {"1", "12", "271447.137519685", "0.271447137519685"}},
  };
  Open();
  for (const Case& c : cases) {
    Tabs()->setCurrentIndex(c.tab);
    Press(c.unit);
    Type(c.input, QString::fromUtf16(c.value));
    EXPECT_EQ(Readouts(c.readouts), c.shown) << QString::fromUtf16(c.unit).toStdString();
  }
}

TEST_F(UnitsDialogTest, ALeadingNumberIsConvertedAndANewUnitRecomputesAtOnce) {
  Open();
  Tabs()->setCurrentIndex(0);
  Press(u"Option2(1)");  // a new unit converts the box as it stands: empty is 0
  EXPECT_EQ(Readouts(kLength), (QStringList{"0", "0", "0", "0"}));
  Type(u"txtLength", QStringLiteral("12abc"));
  EXPECT_EQ(Readouts(kLength), (QStringList{"144", "12", "365.76", "3.6576"}));
  Press(u"Option2(0)");
  EXPECT_EQ(Readouts(kLength), (QStringList{"12", "1", "30.48", "0.3048"}));
  Type(u"txtLength", QStringLiteral("abc"));
  EXPECT_EQ(Readouts(kLength), (QStringList{"0", "0", "0", "0"}));
  Type(u"txtLength", QString());
  EXPECT_EQ(Readouts(kLength), (QStringList{"0", "0", "0", "0"}));
  // Beyond the 64-bit range: blank, never "inf".
  Tabs()->setCurrentIndex(3);
  Press(u"Option1(4)");
  Type(u"txtStress", QStringLiteral("1e305"));
  EXPECT_EQ(Text(u"Text5"), QString());
  EXPECT_EQ(Text(u"Text6"), QStringLiteral("1E+305"));
  EXPECT_TRUE(Messages().empty());
  Press(u"Command1");
  EXPECT_FALSE(Current().isVisible());
}

TEST_F(UnitsDialogTest, RenderEveryTab) {
  const QString folder = QCoreApplication::applicationDirPath() + QStringLiteral("/renders");
  QDir().mkpath(folder);
  Open();
  Type(u"txtLoad", QStringLiteral("1234.5678"));
  for (int tab = 0; tab < Tabs()->count(); ++tab) {
    Tabs()->setCurrentIndex(tab);
    const QImage image = Current().grab().toImage();
    EXPECT_FALSE(image.isNull());
    image.save(folder + QStringLiteral("/units-%1.png").arg(tab));
  }
}

class FileConversionDialogTest : public test::DialogTest {};

TEST_F(FileConversionDialogTest, OffersTheOtherUnitSystemAndKeepsTheFileOption) {
  for (qint16 units = 0; units < 2; ++units) {
    Project.InputUnits = units;
    ConvertFileOption = 1;
    Open<frmConvert>();
    const QString own = QStringLiteral("Option1(%1)").arg(units);
    const QString other = QStringLiteral("Option1(%1)").arg(1 - units);
    EXPECT_FALSE(Control<QRadioButton>(own)->isChecked());
    EXPECT_FALSE(Enabled(own));
    EXPECT_TRUE(Control<QRadioButton>(other)->isChecked());
    EXPECT_TRUE(Enabled(other));
    EXPECT_TRUE(Control<QRadioButton>(u"Option2(1)")->isChecked());
    // Cancel stores the file option shown.
    Press(u"Option2(0)");
    Press(u"Command1");
    EXPECT_EQ(ConvertFileOption, 0);
  }
  EXPECT_TRUE(History().contains(QStringLiteral("Loading File Conversion Form")));
}

TEST_F(FileConversionDialogTest, ConvertReportsSuccessAndLeavesTheProjectAlone) {
  Project.InputUnits = 0;
  Project.Stress2D.Sx = 12.5f;
  ConvertTargetUnits = 0;
  Open<frmConvert>();
  Press(u"Command2");
  EXPECT_EQ(LastMessage(), QStringLiteral("Conversion Completed: The conversion form will be closed"));
  EXPECT_FALSE(Current().isVisible());
  EXPECT_EQ(ConvertTargetUnits, 1);
  EXPECT_EQ(Project.InputUnits, 0);
  EXPECT_EQ(Project.Stress2D.Sx, 12.5f);
  EXPECT_EQ(ConvertFileOption, 0);

  const QString folder = QCoreApplication::applicationDirPath() + QStringLiteral("/renders");
  QDir().mkpath(folder);
  Open<frmConvert>();
  Current().grab().save(folder + QStringLiteral("/file-conversion.png"));
}

TEST(UtilitiesMenuEntries, ItemsZeroToTwoOpenTheDialogsAndItemThreeNone) {
  ClearTools();
  RegisterProgramTools();
  EXPECT_EQ(ToolOfEntry(Menu::Utilities, 0), Tool::Settings);
  EXPECT_EQ(ToolOfEntry(Menu::Utilities, 1), Tool::ProgramOptions);
  EXPECT_EQ(ToolOfEntry(Menu::Utilities, 2), Tool::UnitConversion);
  EXPECT_EQ(ToolOfEntry(Menu::Utilities, 3), std::nullopt);
  for (Tool tool : {Tool::Settings, Tool::ProgramOptions, Tool::UnitConversion}) {
    EXPECT_TRUE(ToolAvailable(tool));
    EXPECT_TRUE(OwnedByMainWindow(tool));
  }
  ClearTools();
}

}  // namespace
}  // namespace brantel
