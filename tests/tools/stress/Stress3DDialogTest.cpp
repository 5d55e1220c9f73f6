#include "core/NumberFormat.h"
#include "core/Settings.h"
#include "core/commands/Commands.h"
#include "core/commands/ToolRegistry.h"
#include "core/project/ProjectRecord.h"
#include "mainwindow/ProgramTools.h"
#include "support/DialogTest.h"
#include "support/Renders.h"
#include "tools/stress/Stress3DDialog.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>

#include <cmath>
#include <utility>

namespace brantel {
namespace {

class Stress3DDialogTest : public test::DialogTest {
 protected:
  Stress3DDialog& Open() { return DialogTest::Open<Stress3DDialog>(); }
  Stress3DDialog& Dialog() const { return static_cast<Stress3DDialog&>(Current()); }
  void TypeTensor(const std::array<const char*, 9>& texts) {
    for (int k = 0; k < 9; ++k) Type(forms::Item(stress3d::kTensor, k), QString::fromLatin1(texts[k]));
  }
  void TypeNormal(const std::array<const char*, 3>& texts) {
    for (int k = 0; k < 3; ++k) Type(forms::Item(stress3d::kPlaneNormal, k), QString::fromLatin1(texts[k]));
  }
  void Page(int index) { Control<QTabWidget>(stress3d::kTabs)->setCurrentIndex(index); }
  bool TabShown(int index) const { return Control<QTabWidget>(stress3d::kTabs)->isTabVisible(index); }
};

TEST_F(Stress3DDialogTest, TypingComputesInvariantsAndPrincipalStresses) {
  Open();
  EXPECT_TRUE(History().contains(QStringLiteral("Stress calculations in three dimensions.")));
  EXPECT_EQ(Text(stress3d::kS1), QStringLiteral("0.000"));  // the zero tensor
  EXPECT_EQ(Text(stress3d::kComplexRootsNotice), QString());
  TypeTensor({"10", "5", "0", "5", "6", "0", "0", "0", "3"});
  // s = 8 +- sqrt(29) and 3.
  EXPECT_EQ(Text(stress3d::kS1), QStringLiteral("13.385"));
  EXPECT_EQ(Text(stress3d::kS2), QStringLiteral("3.000"));
  EXPECT_EQ(Text(stress3d::kS3), QStringLiteral("2.615"));
  EXPECT_EQ(Text(stress3d::kI1), QStringLiteral("19.000"));
  EXPECT_EQ(Text(stress3d::kI2), QStringLiteral("83.000"));
  EXPECT_EQ(Text(stress3d::kI3), QStringLiteral("105.000"));
  // The deviator in the general format, its invariants in the mask.
  EXPECT_EQ(Text(stress3d::kD11), QStringLiteral("3.666667"));
  EXPECT_EQ(Text(stress3d::kD12), QStringLiteral("5"));
  EXPECT_EQ(Text(stress3d::kJ1), QStringLiteral("0.000"));
  EXPECT_EQ(Text(stress3d::kJ2), QStringLiteral("37.333"));
  EXPECT_TRUE(Messages().empty());
}

TEST_F(Stress3DDialogTest, DoubleRootsStayRealAfterRounding) {
  Open();
  for (const auto& tensor : {std::array<const char*, 9>{"0.1", "0", "0", "0", "0.1", "0", "0", "0", "0.4"},
                             std::array<const char*, 9>{"1.1", "0", "0", "0", "1.1", "0", "0", "0", "2.3"},
                             std::array<const char*, 9>{"1", "0", "0", "0", "1", "0", "0", "0", "4"}}) {
    TypeTensor(tensor);
    EXPECT_EQ(Text(stress3d::kS1),
              Format(static_cast<float>(ParseLeadingNumber(QString::fromLatin1(tensor[8]))), u"#0.##0"));
    EXPECT_EQ(Text(stress3d::kS2),
              Format(static_cast<float>(ParseLeadingNumber(QString::fromLatin1(tensor[0]))), u"#0.##0"));
    EXPECT_EQ(Text(stress3d::kS3), Text(stress3d::kS2));
    EXPECT_EQ(Text(stress3d::kComplexRootsNotice), QString());
    EXPECT_FALSE(Control(stress3d::kBracket)->isVisible());
  }
  TypeTensor({"-2.5", "0", "0", "0", "-2.5", "0", "0", "0", "-2.5"});  // hydrostatic
  for (const char* box : {stress3d::kS1, stress3d::kS2, stress3d::kS3}) EXPECT_EQ(Text(box), QStringLiteral("-2.500"));
}

TEST_F(Stress3DDialogTest, OffDiagonalEntriesAreMirrored) {
  Open();
  Type(stress3d::kT12, QStringLiteral("2"));
  EXPECT_EQ(Text(stress3d::kT21), QStringLiteral("2"));
  Type(stress3d::kT31, QStringLiteral("-3.5"));
  EXPECT_EQ(Text(stress3d::kT13), QStringLiteral("-3.5"));
  Type(stress3d::kT23, QStringLiteral("7"));
  EXPECT_EQ(Text(stress3d::kT32), QStringLiteral("7"));
  const Matrix3& m = Dialog().WorkingStress().Tensor;
  EXPECT_EQ(m[0][1], 2.0f);
  EXPECT_EQ(m[1][0], 2.0f);
  EXPECT_EQ(m[0][2], -3.5f);
  EXPECT_EQ(m[2][0], -3.5f);
  EXPECT_EQ(m[1][2], 7.0f);
  EXPECT_EQ(m[2][1], 7.0f);
  EXPECT_EQ(Text(stress3d::kI1), QStringLiteral("0.000"));
  EXPECT_EQ(Text(stress3d::kI2), QStringLiteral("-65.250"));  // -(4 + 12.25 + 49)
}

TEST_F(Stress3DDialogTest, AnInvalidEntryIsReportedOnceUnderTheFirstBoxOfThePair) {
  Open();
  Type(stress3d::kT11, QStringLiteral("4"));
  Type(stress3d::kT21, QStringLiteral("1a"));
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_EQ(LastMessage(), QStringLiteral("Invalid value for s12"));
  EXPECT_TRUE(Control<QLineEdit>(stress3d::kT12)->hasFocus());
  EXPECT_EQ(Text(stress3d::kS1), QStringLiteral("4.236"));  // of the last valid state, "1": 2 + sqrt(5)
  Type(stress3d::kT12, QStringLiteral("1"));
  Press(stress3d::kCalculateAtPlane);
  Page(Stress3DDialog::kPlaneTab);
  EnglishMenus = false;
  Type(stress3d::kN2, QStringLiteral("x"));
  EXPECT_EQ(LastMessage(), QStringLiteral("Εσφαλμένη τιμή για το n2"));
  EXPECT_TRUE(Control<QLineEdit>(stress3d::kN2)->hasFocus());
  Type(stress3d::kN2, QStringLiteral("0"));
  // A number too large for a 32-bit value is refused too.
  Page(Stress3DDialog::kTensorTab);
  Paste(stress3d::kT33, QStringLiteral("1e39"));
  EXPECT_EQ(LastMessage(), QStringLiteral("Εσφαλμένη τιμή για το s33"));
}

TEST_F(Stress3DDialogTest, TheCheckBoxesShowTheirPages) {
  Project.Stress3D.AtGivenPlane = true;
  Open();
  EXPECT_EQ(Control<QTabWidget>(stress3d::kTabs)->currentIndex(), Stress3DDialog::kTensorTab);
  EXPECT_TRUE(Control<QCheckBox>(stress3d::kCalculateAtPlane)->isChecked());
  EXPECT_TRUE(TabShown(Stress3DDialog::kPlaneTab));
  EXPECT_FALSE(TabShown(Stress3DDialog::kDeviatorTab));  // the deviator box starts clear
  Press(stress3d::kCalculateDeviator);
  EXPECT_TRUE(TabShown(Stress3DDialog::kDeviatorTab));
  Press(stress3d::kCalculateAtPlane);
  EXPECT_FALSE(TabShown(Stress3DDialog::kPlaneTab));
}

TEST_F(Stress3DDialogTest, StressOnAPlane) {
  Project.Stress3D.AtGivenPlane = true;
  Open();
  TypeTensor({"10", "5", "0", "5", "6", "0", "0", "0", "3"});
  Page(Stress3DDialog::kPlaneTab);
  Type(stress3d::kN1, QStringLiteral("0.6"));
  Type(stress3d::kN2, QStringLiteral("0.8"));
  EXPECT_EQ(Text(stress3d::kNormOfNormal), QStringLiteral("1"));
  EXPECT_EQ(Text(stress3d::kStressVector1), QStringLiteral("10"));
  EXPECT_EQ(Text(stress3d::kStressVector2), QStringLiteral("7.8"));
  EXPECT_EQ(Text(stress3d::kStressVector3), QStringLiteral("0"));
  EXPECT_EQ(Text(stress3d::kNormalComponent), QStringLiteral("12.24"));
  EXPECT_NEAR(ParseLeadingNumber(Text(stress3d::kNormOfStressVector)), std::sqrt(160.84), 1e-5);
  EXPECT_NEAR(ParseLeadingNumber(Text(stress3d::kShearComponent)), 3.32, 1e-4);  // sqrt(160.84 - 12.24^2)

  // Along a principal direction the shear is 0, never an error; only a
  // normal longer than 1 can take the squared shear below 0. The tensor is
  // 7 n n' - 16 u u' + 42 w w' with n = (0.36, 0.48, 0.8); rounding leaves
  // |t|^2 - sn^2 at -7e-6 here.
  Page(Stress3DDialog::kTensorTab);
  TypeTensor({"0.344", "21.792", "-10.08", "21.792", "13.056", "-13.44", "-10.08", "-13.44", "19.6"});
  Page(Stress3DDialog::kPlaneTab);
  TypeNormal({"0.36", "0.48", "0.8"});
  EXPECT_NEAR(ParseLeadingNumber(Text(stress3d::kNormalComponent)), 7.0, 1e-5);
  EXPECT_EQ(Text(stress3d::kShearComponent), QStringLiteral("0"));
  Page(Stress3DDialog::kTensorTab);
  TypeTensor({"1", "0", "0", "0", "2", "0", "0", "0", "3"});
  Page(Stress3DDialog::kPlaneTab);
  TypeNormal({"2", "0", "0"});
  EXPECT_EQ(Text(stress3d::kShearComponent), QStringLiteral("Error"));
  EXPECT_EQ(Dialog().WorkingStress().Traction, (Vector3{2, 0, 0}));
}

TEST_F(Stress3DDialogTest, ThePlaneIsBroughtUpToDateWhenItsBoxIsChecked) {
  Project.Stress3D.AtGivenPlane = true;
  Project.Stress3D.Normal = {1, 0, 0};
  Open();
  Type(stress3d::kT11, QStringLiteral("4"));
  EXPECT_EQ(Text(stress3d::kNormalComponent), QStringLiteral("4"));
  Press(stress3d::kCalculateAtPlane);  // off: the plane is left alone
  Type(stress3d::kT11, QStringLiteral("9"));
  EXPECT_EQ(Text(stress3d::kNormalComponent), QStringLiteral("4"));
  Press(stress3d::kCalculateAtPlane);  // on again: it shows the tensor as it stands
  EXPECT_EQ(Text(stress3d::kNormalComponent), QStringLiteral("9"));
  EXPECT_EQ(Text(stress3d::kStressVector1), QStringLiteral("9"));
}

TEST_F(Stress3DDialogTest, OkCommitsAndCancelOrTheCloseBoxDoNot) {
  Open();
  Type(stress3d::kT11, QStringLiteral("5"));
  Press(stress3d::kCancel);
  EXPECT_EQ(Project.Stress3D.Tensor[0][0], 0.0f);
  EXPECT_TRUE(Project.FileSaved);

  Open();
  Type(stress3d::kT11, QStringLiteral("5"));
  Type(stress3d::kT22, QStringLiteral("5b"));  // refused
  Press(stress3d::kOk);
  EXPECT_TRUE(Dialog().isVisible());
  Dialog().close();
  EXPECT_EQ(Project.Stress3D.Tensor[0][0], 0.0f);
  EXPECT_TRUE(Project.FileSaved);

  Open();
  TypeTensor({"10", "5", "0", "5", "6", "0", "0", "0", "3"});
  Press(stress3d::kCalculateAtPlane);
  Page(Stress3DDialog::kPlaneTab);
  Type(stress3d::kN1, QStringLiteral("1"));
  Press(stress3d::kOk);
  EXPECT_FALSE(Dialog().isVisible());
  EXPECT_EQ(Project.Stress3D.Tensor[0][1], 5.0f);
  EXPECT_EQ(Project.Stress3D.Tensor[1][0], 5.0f);
  EXPECT_EQ(Project.Stress3D.Normal[0], 1.0f);
  EXPECT_TRUE(Project.Stress3D.AtGivenPlane);
  EXPECT_EQ(Project.Stress3D.Invariants[0], 19.0f);
  EXPECT_NEAR(Project.Stress3D.Principal[1], 3.0f, 1e-5);
  EXPECT_EQ(Project.Stress3D.Traction, (Vector3{10, 5, 0}));
  EXPECT_FALSE(Project.FileSaved);
  EXPECT_FALSE(Project.FileEmpty);
}

TEST_F(Stress3DDialogTest, OkWithoutEditsKeepsTheStoredValues) {
  // Values whose general form (7 digits) does not read back exactly.
  Project.Stress3D.Tensor = {{{1.23456789f, 0.1f, 2.00000024f}, {0.1f, -7.654321e-9f, 3}, {2.00000024f, 3, 1e20f}}};
  Project.Stress3D.Normal = {0.333333343f, 0.666666687f, 0.1f};
  const Stress3DData stored = Project.Stress3D;
  Open();
  EXPECT_EQ(Text(stress3d::kT11), QStringLiteral("1.234568"));
  EXPECT_EQ(Text(stress3d::kT33), QStringLiteral("1E+20"));
  Press(stress3d::kOk);
  EXPECT_EQ(Project.Stress3D.Tensor, stored.Tensor);
  EXPECT_EQ(Project.Stress3D.Normal, stored.Normal);
}

TEST_F(Stress3DDialogTest, AStoredTensorShowsItsLowerTriangleInBothBoxes) {
  Project.Stress3D.Tensor = {{{1, 2, 3}, {4, 5, 6}, {7, 8, 9}}};
  Open();
  EXPECT_EQ(Text(stress3d::kT12), QStringLiteral("4"));
  EXPECT_EQ(Text(stress3d::kT13), QStringLiteral("7"));
  EXPECT_EQ(Text(stress3d::kT23), QStringLiteral("8"));
  Press(stress3d::kOk);
  EXPECT_EQ(Project.Stress3D.Tensor, (Matrix3{{{1, 4, 7}, {4, 5, 8}, {7, 8, 9}}}));
}

TEST_F(Stress3DDialogTest, AnOverflowEmptiesTheResults) {
  Open();
  Type(stress3d::kT11, QStringLiteral("3e38"));
  Type(stress3d::kT22, QStringLiteral("3e38"));
  for (const char* box : std::initializer_list<const char*>{stress3d::kS1, stress3d::kS2, stress3d::kS3, stress3d::kI1,
                                                            stress3d::kI2, stress3d::kD11, stress3d::kJ2}) {
    EXPECT_EQ(Text(box), QString()) << box;
  }
  EXPECT_TRUE(History().contains(QStringLiteral(". 6 Overflow")));
  // A state that fits again shows again.
  Type(stress3d::kT22, QStringLiteral("1"));
  Type(stress3d::kT11, QStringLiteral("2"));
  EXPECT_EQ(Text(stress3d::kS1), QStringLiteral("2.000"));
  EXPECT_EQ(Text(stress3d::kJ2), QStringLiteral("1.000"));
}

TEST_F(Stress3DDialogTest, BoxesCarryTheirNames) {
  Open();
  EXPECT_EQ(Control(stress3d::kT23)->accessibleName(), QStringLiteral("t23"));
  EXPECT_EQ(Control(stress3d::kN3)->accessibleName(), QStringLiteral("n3"));
  EXPECT_EQ(Control(stress3d::kS2)->accessibleName(), QStringLiteral("s 2"));
  EXPECT_EQ(Control(stress3d::kNormOfNormal)->accessibleName(), QStringLiteral("Norm of Unit (Normal) Vector"));
  EXPECT_EQ(Control(stress3d::kShearComponent)->accessibleName(), QStringLiteral("Shear Component (+/-)"));
  EXPECT_EQ(Control(stress3d::kD21)->accessibleName(), QStringLiteral("Deviatoric Stress t21"));
  EXPECT_TRUE(Control<QLineEdit>(stress3d::kS1)->isReadOnly());
  EnglishMenus = false;
  Open();
  EXPECT_EQ(Control(stress3d::kS2)->accessibleName(), QStringLiteral("σ 2"));
  EXPECT_EQ(Dialog().windowTitle(), QStringLiteral("Τανυστής τάσης"));
}

TEST_F(Stress3DDialogTest, RenderEveryPageInBothLanguages) {
  Project.Stress3D.Tensor = {{{10, 5, 0}, {5, 6, 0}, {0, 0, 3}}};
  Project.Stress3D.Normal = {0.6f, 0.8f, 0};
  Project.Stress3D.AtGivenPlane = true;
  test::EachLanguage([&](const QString& language) {
    Open();
    Press(stress3d::kCalculateDeviator);
    for (int tab = 0; tab < 3; ++tab) {
      Control<QTabWidget>(stress3d::kTabs)->setCurrentIndex(tab);
      test::SaveRender(Dialog(), QStringLiteral("stress3d-%1-%2").arg(language).arg(tab));
    }
  });
}

TEST(Stress3DMenuEntry, TheToolOpensTheDialog) {
  ClearTools();
  RegisterProgramTools();
  test::ExpectToolOpens<Stress3DDialog>(Tool::Stress3D);
  ClearTools();
}

// The worked example of the tool's help page (in MPa).
TEST_F(Stress3DDialogTest, HelpPageExample) {
  Open();
  Press(stress3d::kCalculateAtPlane);
  Press(stress3d::kCalculateDeviator);
  // The upper triangle; the lower one follows it.
  for (const auto& [k, text] : {std::pair{0, "50"}, {1, "10"}, {2, "5"}, {4, "30"}, {5, "0"}, {8, "20"}}) {
    Type(forms::Item(stress3d::kTensor, k), QString::fromLatin1(text));
  }
  TypeNormal({"0.6", "0.8", "0"});
  const std::pair<const char*, const char*> shown[] = {
      {stress3d::kT21, "10"},
      {stress3d::kT31, "5"},
      {stress3d::kS1, "54.758"},
      {stress3d::kS2, "26.371"},
      {stress3d::kS3, "18.871"},
      {stress3d::kI1, "100.000"},
      {stress3d::kI2, "2975.000"},
      {stress3d::kI3, "27250.000"},
      {stress3d::kD11, "16.66667"},
      {stress3d::kD22, "-3.333333"},
      {stress3d::kD33, "-13.33333"},
      {stress3d::kJ1, "0.000"},
      {stress3d::kJ2, "358.333"},
      {stress3d::kJ3, "2157.407"},
      {stress3d::kNormOfNormal, "1"},
      {stress3d::kStressVector1, "38"},
      {stress3d::kStressVector2, "30"},
      {stress3d::kStressVector3, "3"},
      {stress3d::kNormOfStressVector, "48.50773"},
      {stress3d::kNormalComponent, "46.8"},
      {stress3d::kShearComponent, "12.75774"},
  };
  for (const auto& [box, text] : shown) EXPECT_EQ(Text(box), QString::fromUtf8(text)) << box;
  EXPECT_EQ(Text(stress3d::kComplexRootsNotice), QString());
  EXPECT_TRUE(Messages().empty());
}

}  // namespace
}  // namespace brantel
