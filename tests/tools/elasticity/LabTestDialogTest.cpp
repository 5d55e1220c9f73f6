#include "core/NumberFormat.h"
#include "core/Settings.h"
#include "core/commands/Commands.h"
#include "core/commands/ToolRegistry.h"
#include "core/project/ProjectRecord.h"
#include "mainwindow/ProgramTools.h"
#include "platform/CommonDialogs.h"
#include "support/DialogTest.h"
#include "support/Renders.h"
#include "tools/elasticity/LabTestDialog.h"
#include "tools/elasticity/RoofBoltingDialog.h"
#include "tools/elasticity/StressStrainChart.h"

#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QTableWidget>
#include <QTest>
#include <QValueAxis>

#include <algorithm>
#include <deque>
#include <set>

namespace brantel {
namespace {

struct AskedBox {
  QString prompt, title, defaultText;
};

class LabTestDialogTest : public test::DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    Project = ProjectRecord{};
    Project.LabPointCount = 1;
    platform::SetInputBoxHandler([this](const QString& prompt, const QString& title, const QString& text) {
      asked_.push_back({prompt, title, text});
      if (answers_.empty()) return QString();  // Cancel
      const QString answer = answers_.front();
      answers_.pop_front();
      return answer;
    });
  }
  void TearDown() override {
    platform::SetInputBoxHandler({});
    DialogTest::TearDown();
  }
  LabTestDialog& Open() { return DialogTest::Open<LabTestDialog>(); }
  LabTestDialog& Dialog() const { return static_cast<LabTestDialog&>(Current()); }
  QTableWidget* Grid() const { return Control<QTableWidget>(labtest::kReadings); }
  StressStrainChart* Chart() const { return Control<StressStrainChart>(labtest::kChart); }
  // What the chart shows: its title, its curve and its two axes.
  QChart* Shown() const { return Chart()->findChild<QChartView*>()->chart(); }
  std::vector<QPointF> Curve() const {
    const QList<QPointF> points = qobject_cast<QLineSeries*>(Shown()->series().value(0))->points();
    return {points.begin(), points.end()};
  }
  QValueAxis* Axis(Qt::Orientation orientation) const {
    return qobject_cast<QValueAxis*>(Shown()->axes(orientation).value(0));
  }
  QString Cell(int r, int c) const {
    const QTableWidgetItem* item = Grid()->item(r - 1, c);
    return item ? item->text() : QString();
  }
  bool Yellow(int r, int c) const {
    return Grid()->item(r - 1, c)->background().color() == QColor::fromRgb(kLabEditableColour);
  }
  // A double click on a data cell; the input box gives the answer (an
  // empty one is a Cancel).
  void Enter(int r, int c, const QString& answer = QString()) {
    answers_.push_back(answer);
    const QModelIndex index = Grid()->model()->index(r - 1, c);
    Grid()->scrollTo(index);
    const QPoint at = Grid()->visualRect(index).center();
    QTest::mouseClick(Grid()->viewport(), Qt::LeftButton, {}, at);  // the press before the double click
    QTest::mouseDClick(Grid()->viewport(), Qt::LeftButton, {}, at);
    answers_.clear();
  }
  void Fill(int column, std::initializer_list<const char*> values) {
    int r = 1;
    for (const char* v : values) Enter(r++, column, QString::fromLatin1(v));
  }
  // Force and shortening of a 50 mm by 100 mm specimen: 0, 50 and 100 MPa at
  // 0, 1 and 2 thousandths, with a lateral strain of a quarter of the axial.
  void EnterCylinderTest() {
    Press(labtest::kForceDisplacement);
    Type(labtest::kHeight, QStringLiteral("100"));
    Type(labtest::kDiameter, QStringLiteral("50"));
    Type(labtest::kPointCount, QStringLiteral("3"));
    Fill(labcol::kForce, {"0", "98.175", "196.35"});
    Fill(labcol::kDeltaY, {"0", "0.1", "0.2"});
    Fill(labcol::kEx, {"0", "0.25", "0.5"});
  }

  std::vector<AskedBox> asked_;
  std::deque<QString> answers_;
};

TEST_F(LabTestDialogTest, TheGridIsColouredByDataTypeAndOnlyYellowCellsTakeEntries) {
  Project.LabPointCount = 3;
  Open();
  ASSERT_EQ(Grid()->rowCount(), 3);
  ASSERT_EQ(Grid()->columnCount(), 7);
  EXPECT_EQ(Grid()->horizontalHeaderItem(4)->text(), QStringLiteral("ey (milli)"));
  EXPECT_EQ(Grid()->columnWidth(0), 21);  // 320 twips
  EXPECT_EQ(Grid()->columnWidth(6), 83);  // the grid's 8115 twips / 6.5
  EXPECT_EQ(Cell(3, 0), QStringLiteral("3"));
  const std::set<int> editable[] = {{1, 3, 4}, {1, 2, 3}, {3, 4, 5}};
  for (int type = 2; type >= 0; --type) {
    Press(forms::Item(labtest::kDataType, type));
    for (int r = 1; r <= 3; ++r) {
      for (int c = 1; c <= 6; ++c) EXPECT_EQ(Yellow(r, c), editable[type].count(c) == 1) << type << r << c;
    }
  }

  // Force/Strain: the shortening and the modulus are the program's.
  for (int c : {labcol::kDeltaY, labcol::kModulus, labcol::kNumber}) {
    boxes_->Clear();
    Enter(2, c, QStringLiteral("7"));
    EXPECT_EQ(LastMessage(), QStringLiteral("Input not allowed"));
  }
  EXPECT_TRUE(asked_.empty());
  EXPECT_EQ(Cell(2, labcol::kDeltaY), QStringLiteral("0.000"));

  Enter(2, labcol::kForce, QStringLiteral("-3.5"));
  ASSERT_EQ(asked_.size(), 1u);
  EXPECT_EQ(asked_[0].title, QStringLiteral("Field: Force (kN)"));
  EXPECT_EQ(asked_[0].prompt, QStringLiteral("Enter Value for Row: 2"));
  EXPECT_EQ(asked_[0].defaultText, QStringLiteral("0"));
  EXPECT_EQ(Cell(2, labcol::kForce), QStringLiteral("3.5"));  // stored positive
  EXPECT_EQ(Cell(2, labcol::kSigma), QStringLiteral("0"));    // no area yet: as loaded

  // The filled stress stays through a change of type; a Cancel on it
  // enters it again as a plain number.
  Type(labtest::kDiameter, QStringLiteral("10"));
  EXPECT_EQ(Cell(2, labcol::kSigma), QStringLiteral("44.563"));  // 3.5 kN on 78.54 mm2
  Press(labtest::kStressStrain);
  EXPECT_EQ(Cell(2, labcol::kSigma), QStringLiteral("44.563"));
  Enter(2, labcol::kSigma);
  EXPECT_EQ(asked_.back().defaultText, QStringLiteral("44.563"));
  EXPECT_EQ(Cell(2, labcol::kSigma), QStringLiteral("44.563"));

  // Enter on the current cell edits it too, and leaves the dialog open.
  Grid()->setFocus();
  Grid()->setCurrentCell(0, labcol::kEx);
  answers_.push_back(QStringLiteral("0.4"));
  QTest::keyClick(Grid(), Qt::Key_Return);
  EXPECT_EQ(Cell(1, labcol::kEx), QStringLiteral("0.4"));
  EXPECT_TRUE(Dialog().isVisible());
  EXPECT_TRUE(Project.FileSaved);

  EnglishMenus = false;
  Enter(1, labcol::kModulus, QStringLiteral("7"));
  EXPECT_EQ(LastMessage(), QStringLiteral("Δεν επιτρέπεται εισαγωγή δεδομένων"));
  Enter(1, labcol::kEx, QStringLiteral("1e39"));  // beyond a 32-bit value
  EXPECT_EQ(LastMessage(), QStringLiteral("Η τιμή είναι πολύ μεγάλη"));
  EXPECT_EQ(asked_.back().title, QStringLiteral("Πεδίο: ex (milli)"));  // the header as the grid shows it
  EXPECT_EQ(Cell(1, labcol::kEx), QStringLiteral("0.4"));
}

TEST_F(LabTestDialogTest, AForceDisplacementTestEvaluatedByHand) {
  Open();
  EnterCylinderTest();
  EXPECT_TRUE(Messages().empty());
  const char* sigma[] = {"0.000", "50.000", "100.000"};
  const char* ey[] = {"0.000", "1.000", "2.000"};
  const char* modulus[] = {"", "50.000", "50.000"};
  for (int r = 1; r <= 3; ++r) {
    EXPECT_EQ(Cell(r, labcol::kSigma), QString::fromLatin1(sigma[r - 1])) << r;
    EXPECT_EQ(Cell(r, labcol::kEy), QString::fromLatin1(ey[r - 1])) << r;
    EXPECT_EQ(Cell(r, labcol::kModulus), QString::fromLatin1(modulus[r - 1])) << r;
  }
  EXPECT_EQ(Text(labtest::kVolume), QStringLiteral("196349.5"));     // 100 x 1963.495 mm3
  EXPECT_EQ(Text(labtest::kMeanModulus), QStringLiteral("50.000"));  // GPa
  EXPECT_EQ(Text(labtest::kMeanPoisson), QStringLiteral("0.250"));
  // (25 + 75) MPa x 1 thousandth x 196349.5 mm3 = 19.635 J.
  EXPECT_EQ(Text(labtest::kFailureEnergy), QStringLiteral("19.635"));

  // The peak passed: the falling row takes no modulus but adds its energy.
  Type(labtest::kPointCount, QStringLiteral("4"));
  Enter(4, labcol::kForce, QStringLiteral("147.2625"));  // 75 MPa
  Enter(4, labcol::kDeltaY, QStringLiteral("0.3"));
  EXPECT_EQ(Cell(4, labcol::kSigma), QStringLiteral("75.000"));
  EXPECT_EQ(Cell(4, labcol::kModulus), QString());
  EXPECT_EQ(Text(labtest::kMeanModulus), QStringLiteral("50.000"));
  EXPECT_EQ(Text(labtest::kFailureEnergy), QStringLiteral("36.816"));  // + 87.5 x 196349.5e-6
}

TEST_F(LabTestDialogTest, CellsThatCannotBeComputedKeepTheirTextResultsAreBlanked) {
  Open();
  EnterCylinderTest();
  ASSERT_EQ(Text(labtest::kMeanModulus), QStringLiteral("50.000"));
  // An area of 0: the stress column stays as it stands, and so does the
  // modulus drawn from it; without a volume the energy is 0.
  Press(labtest::kAreaGiven);
  EXPECT_FALSE(Enabled(labtest::kDiameter));
  EXPECT_TRUE(Enabled(labtest::kArea));
  EXPECT_EQ(Text(labtest::kVolume), QStringLiteral("0"));
  EXPECT_EQ(Cell(2, labcol::kSigma), QStringLiteral("50.000"));
  EXPECT_EQ(Cell(2, labcol::kModulus), QStringLiteral("50.000"));
  EXPECT_EQ(Text(labtest::kMeanModulus), QStringLiteral("50.000"));
  EXPECT_EQ(Text(labtest::kFailureEnergy), QStringLiteral("0.000"));
  EXPECT_EQ(Text(labtest::kMeanPoisson), QStringLiteral("0.250"));
  Type(labtest::kArea, QStringLiteral("100"));
  EXPECT_EQ(Text(labtest::kEquivalentDiameter), QStringLiteral("d=11.28"));
  EXPECT_EQ(Cell(3, labcol::kSigma), QStringLiteral("1963.500"));
  // No lateral strain: no Poisson's ratio.
  Fill(labcol::kEx, {"0", "0", "0"});
  EXPECT_EQ(Text(labtest::kMeanPoisson), QString());
  // A negative area and an area beyond any volume show no volume and no
  // energy; the stresses of the last area stay.
  Paste(labtest::kArea, QStringLiteral("-5"));
  EXPECT_EQ(Text(labtest::kEquivalentDiameter), QStringLiteral("d=11.28"));
  EXPECT_EQ(Text(labtest::kVolume), QString());
  EXPECT_EQ(Text(labtest::kFailureEnergy), QString());
  EXPECT_EQ(Cell(3, labcol::kSigma), QStringLiteral("1963.500"));
  Type(labtest::kArea, QStringLiteral("1e400"));
  EXPECT_EQ(Text(labtest::kVolume), QString());
  EXPECT_TRUE(Messages().empty());
}

TEST_F(LabTestDialogTest, TypedStressesOutliveAnotherDataTypeWithoutASpecimen) {
  Project.LabPointCount = 3;
  Open();
  Press(labtest::kStressStrain);  // Stress/Strain, no height and no diameter
  Enter(2, labcol::kSigma, QStringLiteral("40"));
  Enter(3, labcol::kSigma, QStringLiteral("80"));
  ASSERT_EQ(Cell(3, labcol::kSigma), QStringLiteral("80"));
  Press(labtest::kForceStrain);
  Enter(1, labcol::kEx, QStringLiteral("0.1"));  // an evaluation without an area
  EXPECT_EQ(Cell(2, labcol::kSigma), QStringLiteral("40"));
  EXPECT_EQ(Cell(3, labcol::kSigma), QStringLiteral("80"));
  EXPECT_EQ(Cell(1, labcol::kDeltaY), QStringLiteral("0.000"));  // 0 height times the strain
  Press(labtest::kStressStrain);
  Enter(1, labcol::kEx, QStringLiteral("0.2"));
  EXPECT_EQ(Cell(2, labcol::kSigma), QStringLiteral("40"));
  EXPECT_EQ(Cell(3, labcol::kSigma), QStringLiteral("80"));
  EXPECT_EQ(Cell(2, labcol::kForce), QStringLiteral("0"));  // as loaded: nothing to compute it from
  Press(labtest::kOk);
  EXPECT_EQ(Project.LabPoints[1][labcol::kSigma - labcol::kForce], 40.0f);
  EXPECT_EQ(Project.LabPoints[2][labcol::kSigma - labcol::kForce], 80.0f);
}

TEST_F(LabTestDialogTest, ThePointCountResizesTheGridAndOkKeepsTheRowsBeyondIt) {
  Project.LabPointCount = 5;
  for (int r = 0; r < 5; ++r) Project.LabPoints[r] = {float(r), 0, 0.5f, float(r), 0};
  Open();
  for (const char* ignored : {"0", "21", "abc", "1e999"}) {
    Paste(labtest::kPointCount, QString::fromLatin1(ignored));
    EXPECT_EQ(Grid()->rowCount(), 5) << ignored;
  }
  Focus(labtest::kHeight);
  EXPECT_EQ(Text(labtest::kPointCount), QStringLiteral("5"));  // the box shows the count in force
  Type(labtest::kPointCount, QStringLiteral("3"));
  EXPECT_EQ(Grid()->rowCount(), 3);
  EXPECT_EQ(Control<QScrollBar>(labtest::kPointCountBar)->value(), 3);
  Control<QScrollBar>(labtest::kPointCountBar)->setValue(6);
  EXPECT_EQ(Text(labtest::kPointCount), QStringLiteral("6"));
  ASSERT_EQ(Grid()->rowCount(), 6);
  // The rows dropped on the way come back as they were; a new one is empty,
  // and a Cancel on it enters 0.
  EXPECT_EQ(Cell(3, labcol::kForce), QStringLiteral("2"));
  EXPECT_EQ(Cell(5, labcol::kForce), QStringLiteral("4"));
  EXPECT_EQ(Cell(6, labcol::kForce), QString());
  Enter(6, labcol::kForce);
  EXPECT_EQ(Cell(6, labcol::kForce), QStringLiteral("0"));
  // Typing 12 passes through a count of 1 on the way, which loses nothing.
  Type(labtest::kPointCount, QStringLiteral("12"));
  ASSERT_EQ(Grid()->rowCount(), 12);
  EXPECT_EQ(Cell(5, labcol::kForce), QStringLiteral("4"));
  EXPECT_EQ(Cell(5, labcol::kEx), QStringLiteral("0.5"));
  for (int c = 1; c <= 6; ++c) EXPECT_EQ(Yellow(6, c), c == 1 || c == 3 || c == 4);
  Type(labtest::kPointCount, QStringLiteral("3"));
  Press(labtest::kOk);
  EXPECT_EQ(Project.LabPointCount, 3);
  EXPECT_EQ(Project.LabPoints[4][0], 4.0f);  // beyond N: as it was
  EXPECT_EQ(Project.LabPoints[2][0], 2.0f);
}

// The worked example of the tool's help page: a Force/Strain test of an
// NX core, 54 mm across and 135 mm high, in five load steps.
TEST_F(LabTestDialogTest, HelpPageExample) {
  Open();
  Type(labtest::kHeight, QStringLiteral("135"));
  Type(labtest::kDiameter, QStringLiteral("54"));
  Type(labtest::kPointCount, QStringLiteral("5"));
  Fill(labcol::kForce, {"0", "50", "100", "150", "180"});
  Fill(labcol::kEy, {"0", "0.5", "1", "1.5", "1.9"});
  Fill(labcol::kEx, {"0", "0.12", "0.25", "0.38", "0.52"});
  const char* sigma[] = {"0.000", "21.832", "43.664", "65.496", "78.595"};
  const char* deltaY[] = {"0.000", "0.068", "0.135", "0.203", "0.257"};
  const char* modulus[] = {"", "43.664", "43.664", "43.664", "32.748"};
  for (int r = 1; r <= 5; ++r) {
    EXPECT_EQ(Cell(r, labcol::kSigma), QString::fromLatin1(sigma[r - 1])) << r;
    EXPECT_EQ(Cell(r, labcol::kDeltaY), QString::fromLatin1(deltaY[r - 1])) << r;
    EXPECT_EQ(Cell(r, labcol::kModulus), QString::fromLatin1(modulus[r - 1])) << r;
  }
  EXPECT_EQ(Text(labtest::kVolume), QStringLiteral("309179.8"));
  EXPECT_EQ(Text(labtest::kMeanModulus), QStringLiteral("40.935"));
  EXPECT_EQ(Text(labtest::kMeanPoisson), QStringLiteral("0.254"));
  EXPECT_EQ(Text(labtest::kFailureEnergy), QStringLiteral("24.098"));
  EXPECT_TRUE(Messages().empty());
}

TEST_F(LabTestDialogTest, OkCommitsAndCancelOrTheCloseBoxDoNot) {
  Open();
  Type(labtest::kHeight, QStringLiteral("80"));
  Enter(1, labcol::kForce, QStringLiteral("12"));
  Press(labtest::kCancel);
  Open();
  Type(labtest::kHeight, QStringLiteral("80"));
  Dialog().close();
  EXPECT_EQ(Project.LabHeight, 0.0f);
  EXPECT_EQ(Project.LabPoints[0][0], 0.0f);
  EXPECT_TRUE(Project.FileSaved);

  Open();
  Type(labtest::kHeight, QStringLiteral("1e40"));  // beyond the record's 32 bits
  EXPECT_EQ(Text(labtest::kVolume), QString());
  Press(labtest::kOk);
  EXPECT_EQ(LastMessage(), QStringLiteral("The value is too large"));
  EXPECT_TRUE(Dialog().isVisible());
  EXPECT_TRUE(Project.FileSaved);
  Type(labtest::kHeight, QStringLiteral("80"));
  Press(labtest::kStressStrain);
  Enter(1, labcol::kSigma, QStringLiteral("12"));
  Press(labtest::kOk);
  EXPECT_FALSE(Dialog().isVisible());
  EXPECT_EQ(Project.LabHeight, 80.0f);
  EXPECT_EQ(Project.LabDataType, LabDataKind::StressStrain);
  EXPECT_EQ(Project.LabPoints[0][4], 12.0f);
  EXPECT_FALSE(Project.FileSaved);
  EXPECT_FALSE(Project.FileEmpty);
}

TEST_F(LabTestDialogTest, OkWithoutEditsKeepsTheStoredValues) {
  Project.LabHeight = 100.12312f;
  Project.LabDiameter = 54.0000038f;
  Project.LabArea = 0.1f;
  Project.LabAreaOption = LabAreaSource::Area;
  Project.LabDataType = LabDataKind::ForceDisplacement;
  Project.LabPointCount = 2;
  Project.LabPoints[0] = {1.2345679f, 0.012345679f, 3.3333333f, 0, 0};
  Project.LabPoints[1] = {16777217.0f, 1e-7f, 7e20f, 0, 0};
  const ProjectRecord stored = Project;
  Open();
  EXPECT_EQ(Text(labtest::kHeight), QStringLiteral("100.123"));
  Focus(labtest::kArea);
  Focus(labtest::kHeight);
  Press(labtest::kOk);
  EXPECT_EQ(Project.LabHeight, stored.LabHeight);
  EXPECT_EQ(Project.LabDiameter, stored.LabDiameter);
  EXPECT_EQ(Project.LabArea, stored.LabArea);
  EXPECT_EQ(Project.LabAreaOption, LabAreaSource::Area);
  EXPECT_EQ(Project.LabDataType, LabDataKind::ForceDisplacement);
  for (int r = 0; r < 2; ++r) {
    for (int c : {0, 1, 2}) EXPECT_EQ(Project.LabPoints[r][c], stored.LabPoints[r][c]) << r << c;
  }
}

TEST_F(LabTestDialogTest, TheChartWidensTheWindowAndFollowsTheData) {
  Open();
  EXPECT_EQ(Dialog().width(), 557);  // 8355 twips
  EXPECT_FALSE(Chart()->isVisible());
  EnterCylinderTest();
  Control<QCheckBox>(labtest::kShowChart)->setChecked(true);
  EXPECT_EQ(Dialog().width(), 824);  // 12360 twips
  EXPECT_TRUE(Chart()->isVisible());
  EXPECT_EQ(Shown()->title(), QStringLiteral("Stress-Strain Plot"));
  EXPECT_EQ(Axis(Qt::Horizontal)->titleText(), QStringLiteral("e"));
  EXPECT_EQ(Curve(), (std::vector<QPointF>{{0, 0}, {1, 50}, {2, 100}}));
  EXPECT_EQ(Axis(Qt::Vertical)->min(), 0);
  EXPECT_GT(Axis(Qt::Vertical)->max(), 100);
  EXPECT_LE(Axis(Qt::Vertical)->max(), 150);
  // An edit while the chart shows redraws it.
  Enter(3, labcol::kDeltaY, QStringLiteral("0.4"));
  EXPECT_EQ(Curve().back(), QPointF(4, 100));
  EXPECT_GT(Axis(Qt::Horizontal)->max(), 4);
  EXPECT_LE(Axis(Qt::Horizontal)->max(), 6);
  Type(labtest::kPointCount, QStringLiteral("2"));
  EXPECT_EQ(Curve().size(), 2u);
  // Each switch centres the window across the screen and leaves its height.
  Dialog().move(30, 40);
  Control<QCheckBox>(labtest::kShowChart)->setChecked(false);
  EXPECT_EQ(Dialog().width(), 557);
  const int screenWidth = Dialog().screen()->geometry().width();
  EXPECT_EQ(Dialog().x(), std::max(0, (screenWidth - Dialog().frameGeometry().width()) / 2));
  EXPECT_EQ(Dialog().y(), 40);
}

TEST_F(LabTestDialogTest, CaptionsHeadersAndSpokenNamesInGreek) {
  EnglishMenus = false;
  Open();
  EXPECT_EQ(Dialog().windowTitle(), QStringLiteral("Αξιολόγηση Εργαστηριακών Μετρήσεων Μονοαξονικής Θλίψης"));
  EXPECT_EQ(Grid()->horizontalHeaderItem(0)->text(), QStringLiteral("No"));
  EXPECT_EQ(Grid()->horizontalHeaderItem(5)->text(), QStringLiteral("σy (MPa)"));
  EXPECT_EQ(Control<QLineEdit>(labtest::kDiameter)->accessibleName(), QStringLiteral("Διάμετρος (mm)"));
  EXPECT_EQ(Control<QRadioButton>(labtest::kAreaGiven)->accessibleName(), QStringLiteral("Επιφάνεια Φόρτισης (mm2)"));
  EXPECT_EQ(Control<QLineEdit>(labtest::kFailureEnergy)->accessibleName(),
            QStringLiteral("Απαιτούμενη ενέργεια (Joule)"));
  EXPECT_EQ(Control<QScrollBar>(labtest::kPointCountBar)->accessibleName(), QStringLiteral("Αριθμός Μετρήσεων"));
  EXPECT_TRUE(Control<QLineEdit>(labtest::kVolume)->isReadOnly());
  EXPECT_TRUE(History().contains(QStringLiteral(". Αξιολόγηση εργαστηριακών μετρήσεων μονοαξονικής θλίψης.")));
}

TEST_F(LabTestDialogTest, RenderBothLanguagesWithTheChart) {
  test::EachLanguage([&](const QString& language) {
    Open();
    EnterCylinderTest();
    Control<QCheckBox>(labtest::kShowChart)->setChecked(true);
    test::SaveRender(Dialog(), QStringLiteral("lab-") + language);
  });
}

TEST(LabAndBoltMenuEntries, TheToolsOpenTheirDialogs) {
  ClearTools();
  RegisterProgramTools();
  test::ExpectToolOpens<LabTestDialog>(Tool::LabTest);
  test::ExpectToolOpens<RoofBoltingDialog>(Tool::RoofBolting);
  ClearTools();
}

}  // namespace
}  // namespace brantel
