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
  QTabWidget* Tabs(const char* name = units::kTabs) const { return Control<QTabWidget>(name); }
  QStringList Readouts(int tab) const {
    static const std::vector<std::vector<const char*>> kBoxes = {
        {units::kIn, units::kFt, units::kCm, units::kM},
        {units::kLbsF, units::kTonsF, units::kKN, units::kMN, units::kKips},
        {units::kLbsFPerIn, units::kLbsFPerFt, units::kKNPerM, units::kMNPerM},
        {units::kPsi, units::kKsi, units::kPsf, units::kPa, units::kMPa},
        {units::kPsiPerIn, units::kPsiPerFt, units::kPaPerM, units::kMPaPerM}};
    QStringList texts;
    for (const char* box : kBoxes[static_cast<std::size_t>(tab)]) texts << Text(box);
    return texts;
  }
};

TEST_F(UnitsDialogTest, OpensOnTheStartTabWithTheFirstUnitsAndEmptyReadouts) {
  UnitsStartTab = UnitTab::Load;
  Open<UnitsDialog>();
  EXPECT_EQ(Tabs()->tabText(Tabs()->currentIndex()), QStringLiteral("Load"));
  for (const char* first :
       {units::kFromIn, units::kFromLbsF, units::kFromLbsFPerIn, units::kFromPsi, units::kFromPsiPerIn}) {
    EXPECT_TRUE(Control<QRadioButton>(first)->isChecked());
  }
  for (int tab = 0; tab < kUnitTabCount; ++tab) EXPECT_EQ(Readouts(tab).join(QString()), QString());
  EXPECT_EQ(Control<QLineEdit>(units::kTonsF)->accessibleName(), QStringLiteral("tonsF (short)"));
  Tabs()->setCurrentIndex(3);  // a tab picked puts the focus in its value box
  EXPECT_TRUE(Control<QLineEdit>(units::kStress)->hasFocus());
  EXPECT_TRUE(History().contains(QStringLiteral("Loading Unit Conversion Form")));
}

TEST_F(UnitsDialogTest, EveryTabConvertsWithItsFactorsAtOnce) {
  // Worked independently from 1 in = 2.54 cm, 1 ft = 12 in, 1 kN = 224.809
  // lbf and 1 psi = 6894.757293 Pa, to 15 significant digits.
  struct Case {
    int tab;
    const char* unit;
    const char* input;
    QString value;
    QStringList shown;
  };
  const std::vector<Case> cases = {
      {0, units::kFromFt, units::kLength, "1", {"12", "1", "30.48", "0.3048"}},
      {0, units::kFromIn, units::kLength, "12abc", {"12", "1", "30.48", "0.3048"}},
      {0, units::kFromM, units::kLength, "abc", {"0", "0", "0", "0"}},
      {0, units::kFromM, units::kLength, "0.0254", {"1", "0.0833333333333333", "2.54", "0.0254"}},
      {1, units::kFromKN, units::kLoad, "1", {"224.809", "0.1124045", "1", "0.001", "0.224809"}},
      {1, units::kFromTonsF, units::kLoad, "1", {"2000", "1", "8.89644097878644", "0.00889644097878644", "2"}},
      {2, units::kFromKNPerM, units::kLoadGrad, "1", {"5.7101486", "68.5217832", "1", "0.001"}},
      {3, units::kFromPsf, units::kStress, "144", {"1", "0.001", "144", "6894.757293", "0.006894757293"}},
      {3,
       units::kFromMPa,
       units::kStress,
       "1",
       {"145.037737733751", "0.145037737733751", "20885.4342336601", "1000000", "1"}},
      {3, units::kFromMPa, units::kStress, "1e305", {"", "", "", "", "1E+305"}},  // beyond 64 bits: blank
      {4, units::kFromPsiPerFt, units::kStressGrad, "12", {"1", "12", "271447.137519685", "0.271447137519685"}},
  };
  Open<UnitsDialog>();
  for (const Case& c : cases) {
    Tabs()->setCurrentIndex(c.tab);
    Type(c.input, c.value);
    Press(c.unit);  // a new unit converts at once
    EXPECT_EQ(Readouts(c.tab), c.shown) << c.value.toStdString();
  }
  Press(units::kOk);
  EXPECT_FALSE(Current().isVisible());
}

TEST_F(UnitsDialogTest, FileConversionOffersTheOtherUnitSystemAndConvertsNothing) {
  for (int units = 0; units < kUnitSystemCount; ++units) {
    Project.InputUnits = UnitSystemOfNumber(units);
    ConvertFileOption = AfterConversion::KeepOriginal;
    Open<FileConversionDialog>();
    const QString own = QStringLiteral("Option1(%1)").arg(units);
    const QString other = QStringLiteral("Option1(%1)").arg(1 - units);
    EXPECT_FALSE(Control<QRadioButton>(own)->isChecked() || Enabled(own));
    EXPECT_TRUE(Control<QRadioButton>(other)->isChecked() && Enabled(other));
    EXPECT_TRUE(Control<QRadioButton>(fileconversion::kKeepOriginal)->isChecked());
    Press(fileconversion::kLoadConverted);
    Press(fileconversion::kCancel);  // Cancel also keeps the file option
    EXPECT_EQ(ConvertFileOption, AfterConversion::LoadConverted);
  }
  Project.Stress2D.Sx = 12.5f;
  ConvertTargetUnits = UnitSystem::SI;
  Open<FileConversionDialog>();
  Press(fileconversion::kConvert);
  EXPECT_EQ(LastMessage(), QStringLiteral("Conversion Completed: The conversion form will be closed"));
  EXPECT_FALSE(Current().isVisible());
  EXPECT_EQ(ConvertTargetUnits, UnitSystem::Imperial);
  EXPECT_EQ(Project.InputUnits, UnitSystem::SI);
  EXPECT_EQ(Project.Stress2D.Sx, 12.5f);
}

TEST_F(UnitsDialogTest, RenderEveryDialogAndTab) {
  const auto save = [&](const QString& name) { test::SaveRender(Current(), name); };
  const auto eachTab = [&](const QString& name, const char* tabs) {
    for (int tab = 0; tab < Tabs(tabs)->count(); ++tab) {
      Tabs(tabs)->setCurrentIndex(tab);
      save(name + QString::number(tab));
    }
  };
  Open<UnitsDialog>();
  Type(units::kLoad, QStringLiteral("1234.5678"));
  eachTab(QStringLiteral("units-"), units::kTabs);
  for (const bool english : {true, false}) {
    EnglishMenus = english;
    Open<ProgramOptionsDialog>();
    eachTab(english ? QStringLiteral("options-en-") : QStringLiteral("options-el-"), programoptions::kTabs);
  }
  UnitSystemNames = {QStringLiteral("ft, in, lbs, psi, pcf"), QStringLiteral("m, cm, kN, MPa, kN/m3")};
  Open<SettingsDialog>();
  save(QStringLiteral("settings"));
  PathExchange = QDir::homePath();
  Open<DataFolderDialog>();
  save(QStringLiteral("folder-chooser"));
  Open<FileConversionDialog>();
  save(QStringLiteral("file-conversion"));
}

}  // namespace
}  // namespace brantel
