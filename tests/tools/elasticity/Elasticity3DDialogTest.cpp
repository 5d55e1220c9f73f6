#include "core/Settings.h"
#include "core/project/ProjectRecord.h"
#include "support/DialogTest.h"
#include "support/Renders.h"
#include "tools/elasticity/Elasticity3DDialog.h"

#include <QLabel>
#include <QLineEdit>

namespace brantel {
namespace {

class Elasticity3DDialogTest : public test::DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    Project.Hooke3DInputs = {};
  }
  Elasticity3DDialog& Open() { return DialogTest::Open<Elasticity3DDialog>(); }
  Elasticity3DDialog& Dialog() const { return static_cast<Elasticity3DDialog&>(Current()); }
  QString Strain(int k) const { return Text(elasticity3d::kStrainBox[k]); }
};

TEST_F(Elasticity3DDialogTest, ANewProjectShowsTheDefaultConstantsAndWorkedStrains) {
  Open();
  EXPECT_EQ(Text(elasticity3d::kModulus), QStringLiteral("1"));
  EXPECT_EQ(Text(elasticity3d::kPoisson), QStringLiteral("0.25"));
  for (int k = 0; k < 9; ++k) EXPECT_EQ(Strain(k), QStringLiteral("0")) << k;
  EXPECT_TRUE(History().contains(QStringLiteral("Hooke's elasticity law in 3D.")));

  Type(elasticity3d::kModulus, QStringLiteral("1000"));
  Type(elasticity3d::kStressBox[0], QStringLiteral("100"));
  EXPECT_EQ(Strain(0), QStringLiteral("0.1"));
  EXPECT_EQ(Strain(4), QStringLiteral("-0.025"));
  EXPECT_EQ(Strain(8), QStringLiteral("-0.025"));
  Type(elasticity3d::kStressBox[0], QStringLiteral("0"));
  // s12 = 10: G = 400, the tensor shear strain 10 / 800 in both boxes.
  Type(elasticity3d::kStressBox[1], QStringLiteral("10"));
  EXPECT_EQ(Text(elasticity3d::kStressBox[3]), QStringLiteral("10"));
  EXPECT_EQ(Strain(1), QStringLiteral("0.0125"));
  EXPECT_EQ(Strain(3), QStringLiteral("0.0125"));
  EXPECT_EQ(Strain(0), QStringLiteral("0"));
  EXPECT_TRUE(Messages().empty());
}

// The worked example of the tool's help page.
TEST_F(Elasticity3DDialogTest, HelpPageExample) {
  Open();
  Type(elasticity3d::kModulus, QStringLiteral("40000"));
  Type(elasticity3d::kPoisson, QStringLiteral("0.25"));
  Type(elasticity3d::kStressBox[0], QStringLiteral("30"));
  Type(elasticity3d::kStressBox[1], QStringLiteral("5"));
  Type(elasticity3d::kStressBox[2], QStringLiteral("2"));
  Type(elasticity3d::kStressBox[4], QStringLiteral("20"));
  Type(elasticity3d::kStressBox[8], QStringLiteral("10"));
  EXPECT_EQ(Text(elasticity3d::kStressBox[3]), QStringLiteral("5"));  // the twins
  EXPECT_EQ(Text(elasticity3d::kStressBox[6]), QStringLiteral("2"));
  // E11 = (30 - 0.25 (20 + 10)) / 40000; G = 16000, E12 = 5 / (2 G).
  const char* strains[9] = {"0.0005625", "0.00015625", "6.25E-05", "0.00015625", "0.00025",
                            "0",         "6.25E-05",   "0",        "-6.25E-05"};
  for (int k = 0; k < 9; ++k) EXPECT_EQ(Strain(k), QString::fromLatin1(strains[k])) << k;
  EXPECT_TRUE(Messages().empty());
}

TEST_F(Elasticity3DDialogTest, OffDiagonalBoxesMirrorTheirTwinsAndABadEntryIsRefusedOnce) {
  Open();
  const int twins[][2] = {{1, 3}, {2, 6}, {5, 7}, {3, 1}, {6, 2}, {7, 5}};
  for (const auto& pair : twins) {
    Type(elasticity3d::kStressBox[pair[0]], QStringLiteral("-2.5"));
    EXPECT_EQ(Text(elasticity3d::kStressBox[pair[1]]), QStringLiteral("-2.5")) << pair[0];
  }
  // A diagonal box has no twin.
  Type(elasticity3d::kStressBox[4], QStringLiteral("7"));
  for (int k : {0, 8}) EXPECT_EQ(Text(elasticity3d::kStressBox[k]), QStringLiteral("0"));
  EXPECT_TRUE(Messages().empty());

  const QString before = Strain(5);
  Paste(elasticity3d::kStressBox[7], QStringLiteral("x"));
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_EQ(LastMessage(), QStringLiteral("Invalid value for s23"));  // its twin comes first
  EXPECT_EQ(Text(elasticity3d::kStressBox[5]), QStringLiteral("x"));
  EXPECT_EQ(Strain(5), before);  // the strains stay as they were
}

TEST_F(Elasticity3DDialogTest, TheConstantsAreCheckedWithTheirMessages) {
  struct Case {
    const char* box;
    const char* text;
    const char* english;
    const char* greek;
  };
  const Case cases[] = {
      {elasticity3d::kModulus, "0", "Young's modulus should be positive",
       "Το μέτρο ελαστικότητας πρέπει να είναι θετικό"},
      {elasticity3d::kModulus, "12abc", "Invalid value for Young's modulus",
       "Εσφαλμένη τιμή γιά το μέτρο ελαστικότητας"},
      {elasticity3d::kModulus, "abc", "Young's modulus should be positive",
       "Το μέτρο ελαστικότητας πρέπει να είναι θετικό"},
      {elasticity3d::kModulus, "1e39", "Invalid value for Young's modulus",
       "Εσφαλμένη τιμή γιά το μέτρο ελαστικότητας"},
      {elasticity3d::kPoisson, "0.5", "Poisson's ratio should be < 0.5", "Ο λόγος Poisson πρέπει να είναι < 0.5"},
      {elasticity3d::kPoisson, "0.3x", "Invalid value for Poisson's ratio", "Εσφαλμένη τιμή γιά το λόγο Poisson"},
      {elasticity3d::kPoisson, "x", "Poisson's ratio should be positive", "Ο λόγος Poisson πρέπει να είναι θετικός"},
      {elasticity3d::kPoisson, "0.7x", "Poisson's ratio should be < 0.5", "Ο λόγος Poisson πρέπει να είναι < 0.5"},
  };
  for (const Case& c : cases) {
    for (const bool english : {true, false}) {
      EnglishMenus = english;
      Open();
      boxes_->Clear();
      Paste(c.box, QString::fromUtf8(c.text));
      ASSERT_EQ(Messages().size(), 1u) << c.text;
      EXPECT_EQ(LastMessage(), QString::fromUtf8(english ? c.english : c.greek)) << c.text;
      EXPECT_TRUE(Control<QLineEdit>(c.box)->hasFocus()) << c.text;
    }
  }
  // nu = 0 is a notice beside the box, no message box; the next validation
  // clears it.
  EnglishMenus = true;
  Open();
  boxes_->Clear();
  Paste(elasticity3d::kPoisson, QStringLiteral("0"));
  EXPECT_TRUE(Messages().empty());
  EXPECT_EQ(Text(elasticity3d::kPoissonNotice), QStringLiteral("n should be > 0"));
  Press(elasticity3d::kOk);
  EXPECT_TRUE(Dialog().isVisible());
  Paste(elasticity3d::kPoisson, QStringLiteral("0.2"));
  EXPECT_EQ(Text(elasticity3d::kPoissonNotice), QString());
  EXPECT_TRUE(Messages().empty());
}

TEST_F(Elasticity3DDialogTest, OkWithoutEditsKeepsTheStoredTensorEvenWhenNotSymmetric) {
  Hooke3DData& h = Project.Hooke3DInputs;
  h.Stress = {{{0.00012f, 4, 1e-9f}, {99, -3.3f, 6}, {8, 7, 123456.789f}}};
  h.E = 0.3f;
  h.Nu = 0.3f;
  h.Flag = 5;
  const Hooke3DData before = h;
  Open();
  EXPECT_EQ(Text(elasticity3d::kStressBox[1]), QStringLiteral("4"));
  EXPECT_EQ(Text(elasticity3d::kStressBox[3]), QStringLiteral("99"));
  // A stored 0.3 computes as 0.3: e22 = -0.3 * (0.00012 + 123456.789) / 0.3.
  EXPECT_EQ(Strain(4).toStdString(), "-123467.79012");
  Focus(elasticity3d::kStressBox[0]);
  Focus(elasticity3d::kPoisson);
  Press(elasticity3d::kOk);
  EXPECT_EQ(h.Stress, before.Stress);
  EXPECT_EQ(h.E, before.E);
  EXPECT_EQ(h.Nu, before.Nu);
  EXPECT_EQ(h.Flag, 0);  // written as 0

  Open();
  Type(elasticity3d::kStressBox[5], QStringLiteral("2"));
  Type(elasticity3d::kModulus, QStringLiteral("250"));
  Press(elasticity3d::kOk);
  EXPECT_EQ(h.Stress[1][2], 2.0f);
  EXPECT_EQ(h.Stress[2][1], 2.0f);
  EXPECT_EQ(h.Stress[1][0], 99.0f);  // unedited
  EXPECT_EQ(h.E, 250.0f);
  EXPECT_FALSE(Project.FileSaved);

  Open();
  Type(elasticity3d::kModulus, QStringLiteral("7"));
  Press(elasticity3d::kCancel);
  Open();
  Type(elasticity3d::kModulus, QStringLiteral("8"));
  Dialog().close();
  EXPECT_EQ(h.E, 250.0f);
}

TEST_F(Elasticity3DDialogTest, RenderInBothLanguages) {
  Project.Hooke3DInputs.Stress = {{{100, 10, 0}, {10, -50, 5}, {0, 5, 25}}};
  Project.Hooke3DInputs.E = 20000;
  Project.Hooke3DInputs.Nu = 0.3f;
  test::EachLanguage([&](const QString& language) {
    Open();
    Paste(elasticity3d::kPoisson, QStringLiteral("-0.1"));  // the notice beside the box
    test::SaveRender(Dialog(), QStringLiteral("hooke3d-") + language);
  });
  EXPECT_EQ(Control<QLineEdit>(elasticity3d::kStressBox[5])->accessibleName(), QStringLiteral("s23"));
  EXPECT_EQ(Control<QLineEdit>(elasticity3d::kPoisson)->accessibleName(), QStringLiteral("Poisson's Ratio"));
}

}  // namespace
}  // namespace brantel
