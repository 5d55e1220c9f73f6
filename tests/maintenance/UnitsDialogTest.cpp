#include "core/FileConversion.h"
#include "core/Globals.h"
#include "core/Settings.h"
#include "core/project/ProjectRecord.h"
#include "maintenance/FileConversionDialog.h"
#include "maintenance/ProgramOptionsDialog.h"
#include "maintenance/SettingsDialog.h"
#include "maintenance/UnitsDialog.h"
#include "support/DialogTest.h"
#include "support/Renders.h"

#include <QDir>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabWidget>

namespace brantel {
namespace {

class UnitsDialogTest : public test::DialogTest {
 protected:
  QTabWidget* Tabs() const { return Control<QTabWidget>(u"SSTab1"); }
  QStringList Readouts(int tab) const {
    static const std::vector<std::vector<const char16_t*>> kBoxes = {
        {u"Text7", u"Text8", u"Text9", u"Text10"},
        {u"Text21", u"Text22", u"Text23", u"Text24", u"Text25"},
        {u"Text17", u"Text18", u"Text19", u"Text20"},
        {u"Text2", u"Text3", u"Text4", u"Text5", u"Text6"},
        {u"Text12", u"Text13", u"Text14", u"Text15"}};
    QStringList texts;
    for (const char16_t* box : kBoxes[static_cast<std::size_t>(tab)]) texts << Text(box);
    return texts;
  }
};

TEST_F(UnitsDialogTest, OpensOnTheStartTabWithTheFirstUnitsAndEmptyReadouts) {
  UnitsStartTab = 1;
  Open<frmUnits>();
  EXPECT_EQ(Tabs()->tabText(Tabs()->currentIndex()), QStringLiteral("Load"));
  for (const char16_t* first : {u"Option2(0)", u"Option5(0)", u"Option4(0)", u"Option1(0)", u"Option3(0)"}) {
    EXPECT_TRUE(Control<QRadioButton>(first)->isChecked());
  }
  for (int tab = 0; tab < kUnitTabCount; ++tab) EXPECT_EQ(Readouts(tab).join(QString()), QString());
  EXPECT_EQ(Control<QLineEdit>(u"Text22")->accessibleName(), QStringLiteral("tonsF (short)"));
  Tabs()->setCurrentIndex(3);  // a tab picked puts the focus in its value box
  EXPECT_TRUE(Control<QLineEdit>(u"txtStress")->hasFocus());
  EXPECT_TRUE(History().contains(QStringLiteral("Loading Unit Conversion Form")));
}

TEST_F(UnitsDialogTest, EveryTabConvertsWithItsFactorsAtOnce) {
  // Worked independently from 1 in = 2.54 cm, 1 ft = 12 in, 1 kN = 224.809
  // lbf and 1 psi = 6894.757293 Pa, to 15 significant digits.
  struct Case {
    int tab;
    const char16_t* unit;
    const char16_t* input;
    QString value;
    QStringList shown;
  };
  const std::vector<Case> cases = {
      {0, u"Option2(1)", u"txtLength", "1", {"12", "1", "30.48", "0.3048"}},
      {0, u"Option2(0)", u"txtLength", "12abc", {"12", "1", "30.48", "0.3048"}},
      {0, u"Option2(3)", u"txtLength", "abc", {"0", "0", "0", "0"}},
      {0, u"Option2(3)", u"txtLength", "0.0254", {"1", "0.0833333333333333", "2.54", "0.0254"}},
      {1, u"Option5(2)", u"txtLoad", "1", {"224.809", "0.1124045", "1", "0.001", "0.224809"}},
      {1, u"Option5(1)", u"txtLoad", "1", {"2000", "1", "8.89644097878644", "0.00889644097878644", "2"}},
      {2, u"Option4(2)", u"txtLoadGrad", "1", {"5.7101486", "68.5217832", "1", "0.001"}},
      {3, u"Option1(2)", u"txtStress", "144", {"1", "0.001", "144", "6894.757293", "0.006894757293"}},
      {3, u"Option1(4)", u"txtStress", "1",
       {"145.037737733751", "0.145037737733751", "20885.4342336601", "1000000", "1"}},
      {3, u"Option1(4)", u"txtStress", "1e305", {"", "", "", "", "1E+305"}},  // beyond 64 bits: blank
      {4, u"Option3(1)", u"txtStressGrad", "12", {"1", "12", "271447.137519685", "0.271447137519685"}},
  };
  Open<frmUnits>();
  for (const Case& c : cases) {
    Tabs()->setCurrentIndex(c.tab);
    Type(c.input, c.value);
    Press(c.unit);  // a new unit converts at once
    EXPECT_EQ(Readouts(c.tab), c.shown) << c.value.toStdString();
  }
  Press(u"Command1");
  EXPECT_FALSE(Current().isVisible());
}

TEST_F(UnitsDialogTest, FileConversionOffersTheOtherUnitSystemAndConvertsNothing) {
  for (qint16 units = 0; units < 2; ++units) {
    Project.InputUnits = units;
    ConvertFileOption = 1;
    Open<frmConvert>();
    const QString own = QStringLiteral("Option1(%1)").arg(units);
    const QString other = QStringLiteral("Option1(%1)").arg(1 - units);
    EXPECT_FALSE(Control<QRadioButton>(own)->isChecked() || Enabled(own));
    EXPECT_TRUE(Control<QRadioButton>(other)->isChecked() && Enabled(other));
    EXPECT_TRUE(Control<QRadioButton>(u"Option2(1)")->isChecked());
    Press(u"Option2(0)");
    Press(u"Command1");  // Cancel also keeps the file option
    EXPECT_EQ(ConvertFileOption, 0);
  }
  Project.Stress2D.Sx = 12.5f;
  ConvertTargetUnits = 1;
  Open<frmConvert>();
  Press(u"Command2");
  EXPECT_EQ(LastMessage(), QStringLiteral("Conversion Completed: The conversion form will be closed"));
  EXPECT_FALSE(Current().isVisible());
  EXPECT_EQ(ConvertTargetUnits, 0);
  EXPECT_EQ(Project.InputUnits, 1);
  EXPECT_EQ(Project.Stress2D.Sx, 12.5f);
}

TEST_F(UnitsDialogTest, RenderEveryDialogAndTab) {
  const auto save = [&](const QString& name) { test::SaveRender(Current(), name); };
  const auto eachTab = [&](const QString& name) {
    for (int tab = 0; tab < Tabs()->count(); ++tab) {
      Tabs()->setCurrentIndex(tab);
      save(name + QString::number(tab));
    }
  };
  Open<frmUnits>();
  Type(u"txtLoad", QStringLiteral("1234.5678"));
  eachTab(QStringLiteral("units-"));
  for (const qint16 english : {qint16(1), qint16(0)}) {
    EnglishMenus = english;
    Open<frmBrantelOpts>();
    eachTab(english ? QStringLiteral("options-en-") : QStringLiteral("options-el-"));
  }
  UnitSystemNames = {QStringLiteral("ft, in, lbs, psi, pcf"), QStringLiteral("m, cm, kN, MPa, kN/m3")};
  Open<frmSet>();
  save(QStringLiteral("settings"));
  PathExchange = QDir::homePath();
  Open<frmPath>();
  save(QStringLiteral("folder-chooser"));
  Open<frmConvert>();
  save(QStringLiteral("file-conversion"));
}

}  // namespace
}  // namespace brantel
