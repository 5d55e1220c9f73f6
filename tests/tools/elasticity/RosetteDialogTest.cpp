#include "core/NumberFormat.h"
#include "core/Settings.h"
#include "core/project/ProjectRecord.h"
#include "support/DialogTest.h"
#include "support/Renders.h"
#include "tools/elasticity/Rosette.h"
#include "tools/elasticity/RosetteDialog.h"

#include <QLineEdit>

namespace brantel {
namespace {

// Every result box: the tensor, the principal strains, the plane.
constexpr const char* kResults[] = {rosette::kEx,
                                    rosette::kEy,
                                    rosette::kGxy,
                                    rosette::kE1,
                                    rosette::kE2,
                                    rosette::kE1Direction,
                                    rosette::kE2Direction,
                                    rosette::kPlaneNormalStrain,
                                    rosette::kPlaneShearStrain};

class RosetteDialogTest : public test::DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    Project.Rosette = {};
    Project.RosettePrincipal = {};
    Project.RosetteTensor = {};
  }
  RosetteDialog& Open() { return DialogTest::Open<RosetteDialog>(); }
  RosetteDialog& Dialog() const { return static_cast<RosetteDialog&>(Current()); }
  void Gauges(const char* w1, const char* w2, const char* w3) {
    Paste(rosette::kDirectionA, QString::fromUtf8(w1));
    Paste(rosette::kDirectionB, QString::fromUtf8(w2));
    Paste(rosette::kDirectionC, QString::fromUtf8(w3));
  }
  bool AllResultsEmpty() const {
    for (const char* box : kResults) {
      if (!Text(box).isEmpty()) return false;
    }
    return true;
  }
};

TEST_F(RosetteDialogTest, ARectangularRosetteWorkedByHand) {
  Open();
  EXPECT_TRUE(AllResultsEmpty());  // three directions of 0: singular
  EXPECT_FALSE(Enabled(rosette::kOk));
  Type(rosette::kDirectionB, QStringLiteral("45"));
  Type(rosette::kDirectionC, QStringLiteral("90"));
  EXPECT_EQ(Text(rosette::kE1), QStringLiteral("0.000"));
  EXPECT_EQ(Text(rosette::kE2Direction), QStringLiteral("0.000"));  // zero readings: not -90
  Type(rosette::kReadingA, QStringLiteral("100"));
  Type(rosette::kReadingB, QStringLiteral("50"));
  Type(rosette::kReadingC, QStringLiteral("20"));
  Type(rosette::kPlaneAngle, QStringLiteral("30"));
  const std::pair<const char*, const char*> expected[] = {{rosette::kEx, "100.000"},
                                                          {rosette::kEy, "20.000"},
                                                          {rosette::kGxy, "-20.000"},
                                                          {rosette::kE1, "101.231"},
                                                          {rosette::kE2, "18.769"},
                                                          {rosette::kE1Direction, "-7.018"},
                                                          {rosette::kE2Direction, "-97.018"},
                                                          {rosette::kPlaneNormalStrain, "80.616"},
                                                          {rosette::kPlaneShearStrain, "-35.707"}};
  for (const auto& [box, text] : expected) EXPECT_EQ(Text(box), QString::fromUtf8(text));
  EXPECT_TRUE(Enabled(rosette::kOk));
  EXPECT_TRUE(Messages().empty());
  EXPECT_TRUE(History().contains(QStringLiteral("Strain analysis from strain gauge data.")));

  // A new reading moves the strains on the plane with the principal ones.
  Type(rosette::kReadingC, QStringLiteral("-40"));
  const RosetteSolution s = CalcStrainTensor(RosetteData{0, 45, 90, 100, 50, -40, 30});  // as typed
  const RosettePlaneStrains p = CalcStrainAtAngle(s.Principal, 30);
  EXPECT_EQ(Text(rosette::kE1), Format(s.Principal.E1, kRosetteMask));
  EXPECT_EQ(Text(rosette::kPlaneNormalStrain), Format(p.Ew, kRosetteMask));
  EXPECT_EQ(Text(rosette::kPlaneShearStrain), Format(p.Gw, kRosetteMask));
  EXPECT_NE(Text(rosette::kPlaneNormalStrain), QStringLiteral("80.616"));

  Press(rosette::kOk);
  EXPECT_EQ(Project.Rosette.Ec, -40.0f);
  EXPECT_EQ(Project.Rosette.W, 30.0f);
  EXPECT_EQ(Project.Rosette.Ew, p.Ew);
  EXPECT_NEAR(Project.RosettePrincipal.E1, s.Principal.E1, 1e-9);
  EXPECT_NEAR(Project.RosetteTensor.Gxy, s.Tensor.Gxy, 1e-9);
  EXPECT_FALSE(Project.FileSaved);
}

// The worked example of the tool's help page: a rectangular rosette read
// in microstrain, and the plane at 30 degrees from e1.
TEST_F(RosetteDialogTest, HelpPageExample) {
  Open();
  const std::pair<const char*, const char*> entries[] = {{rosette::kReadingA, "400"},  {rosette::kReadingB, "300"},
                                                         {rosette::kReadingC, "-200"}, {rosette::kDirectionA, "0"},
                                                         {rosette::kDirectionB, "45"}, {rosette::kDirectionC, "90"},
                                                         {rosette::kPlaneAngle, "30"}};
  for (const auto& [box, text] : entries) Type(box, QString::fromUtf8(text));
  const std::pair<const char*, const char*> expected[] = {{rosette::kEx, "400.000"},
                                                          {rosette::kEy, "-200.000"},
                                                          {rosette::kGxy, "400.000"},
                                                          {rosette::kE1, "460.555"},
                                                          {rosette::kE2, "-260.555"},
                                                          {rosette::kE1Direction, "16.845"},
                                                          {rosette::kE2Direction, "-73.155"},
                                                          {rosette::kPlaneNormalStrain, "280.278"},
                                                          {rosette::kPlaneShearStrain, "-312.250"}};
  for (const auto& [box, text] : expected) {
    EXPECT_EQ(Text(box), QString::fromUtf8(text)) << box;
  }
  EXPECT_TRUE(Messages().empty());
}

TEST_F(RosetteDialogTest, SingularAndNearSingularRosettesShowNoResults) {
  Project.Rosette.Ea = 100;
  Project.Rosette.Eb = 50;
  Project.Rosette.Ec = 20;
  Project.Rosette.W = 30;
  Open();
  EXPECT_TRUE(AllResultsEmpty());
  // Two directions on one line, exactly or within rounding (0, 90, 180 has
  // a determinant near 1e-7 and used to show strains near 1e9).
  for (const auto& set : {std::array{"0", "45", "90"},
                          {"0", "45", "180"},
                          {"0", "90", "180"},
                          {"30", "75", "120"},
                          {"45", "135", "225"}}) {
    Gauges(set[0], set[1], set[2]);
    const bool singular = QString::fromUtf8(set[2]).toInt() - QString::fromUtf8(set[0]).toInt() == 180;
    EXPECT_EQ(AllResultsEmpty(), singular) << set[2];
    EXPECT_EQ(Enabled(rosette::kOk), !singular) << set[2];
  }
  // The plane angle cannot bring back results of a singular rosette.
  Gauges("0", "90", "180");
  Type(rosette::kPlaneAngle, QStringLiteral("15"));
  EXPECT_EQ(Text(rosette::kPlaneNormalStrain), QString());
  EXPECT_TRUE(Messages().empty());
}

TEST_F(RosetteDialogTest, EntriesAndRangesAreChecked) {
  struct Case {
    const char* box;
    const char* text;
    const char* english;  // empty: accepted
    const char* greek;
  };
  const Case cases[] = {
      {rosette::kReadingA, "12a", "Invalid value for ea", "Εσφαλμένη τιμή για το εα"},
      {rosette::kDirectionC, "x", "Invalid value for angle w3", "Εσφαλμένη τιμή για τη γωνία θ3"},
      {rosette::kPlaneAngle, "1e39", "Invalid value for angle w", "Εσφαλμένη τιμή για τη γωνία θ"},
      {rosette::kDirectionA, "360", "", ""},
      {rosette::kDirectionA, "-45", "", ""},
      {rosette::kDirectionA, "360.5", "Angle w1 should observe: 0<d1<360",
       "Για την γωνία θ1 πρέπει να ισχύει: 0<θ1<360"},
      {rosette::kDirectionB, "400", "Angle w2 should observe: 0<d2<360", "Για την γωνία θ2 πρέπει να ισχύει: 0<θ2<360"},
      {rosette::kPlaneAngle, "-360", "", ""},
      {rosette::kPlaneAngle, "360", "", ""},
      {rosette::kPlaneAngle, "-361", "Angle w should observe: -360<w<360",
       "Για την γωνία θ πρέπει να ισχύει: -360<θ<360"},
      {rosette::kReadingB, "-.", "", ""},
  };
  Project.Rosette.W2 = 45;
  Project.Rosette.W3 = 90;
  for (const Case& c : cases) {
    for (const bool english : {true, false}) {
      EnglishMenus = english;
      Open();
      boxes_->Clear();
      Paste(c.box, QString::fromUtf8(c.text));
      const QString message = QString::fromUtf8(english ? c.english : c.greek);
      if (message.isEmpty()) {
        EXPECT_TRUE(Messages().empty()) << c.text;
        continue;
      }
      ASSERT_EQ(Messages().size(), 1u) << c.text;
      EXPECT_EQ(LastMessage(), message);
      EXPECT_TRUE(Control<QLineEdit>(c.box)->hasFocus()) << c.text;
      Press(rosette::kOk);
      EXPECT_TRUE(Dialog().isVisible()) << c.text;
    }
  }
}

TEST_F(RosetteDialogTest, LeftBoxesShowTheirNumberAndUneditedOnesTheirStoredValue) {
  Project.Rosette = {0, 45, 90, 0.00012f, -0.00005f, 0.00003f, 22.5f};
  Open();
  EXPECT_EQ(Text(rosette::kReadingA), QStringLiteral("0.000"));
  EXPECT_EQ(Text(rosette::kEx), QStringLiteral("0.000"));
  Focus(rosette::kReadingA);
  Focus(rosette::kReadingB);
  Focus(rosette::kPlaneAngle);
  EXPECT_EQ(Text(rosette::kReadingA), QStringLiteral("0.000"));
  Press(rosette::kOk);
  EXPECT_EQ(Project.Rosette.Ea, 0.00012f);
  EXPECT_EQ(Project.Rosette.Eb, -0.00005f);
  EXPECT_EQ(Project.Rosette.Ec, 0.00003f);
  EXPECT_EQ(Project.Rosette.W, 22.5f);
  // The results stand for the stored readings, not for their display.
  EXPECT_NEAR(Project.RosetteTensor.Ex, 0.00012, 1e-9);

  Open();
  Type(rosette::kPlaneAngle, QStringLiteral("30.50"));
  Focus(rosette::kReadingA);
  EXPECT_EQ(Text(rosette::kPlaneAngle), QStringLiteral("30.5"));
  Type(rosette::kReadingB, QString());
  Focus(rosette::kReadingC);
  EXPECT_EQ(Text(rosette::kReadingB), QStringLiteral("0"));
  Press(rosette::kCancel);
  EXPECT_EQ(Project.Rosette.W, 22.5f);
  Open();
  Type(rosette::kPlaneAngle, QStringLiteral("10"));
  Dialog().close();
  EXPECT_EQ(Project.Rosette.W, 22.5f);
  // The value behind a left box is the one typed.
  Open();
  Type(rosette::kPlaneAngle, QStringLiteral("30.50"));
  Focus(rosette::kReadingA);
  Press(rosette::kOk);
  EXPECT_EQ(Project.Rosette.W, 30.5f);
}

TEST_F(RosetteDialogTest, RenderInBothLanguages) {
  Project.Rosette = {0, 45, 90, 100, 50, 20, 30};
  test::EachLanguage([&](const QString& language) {
    Open();
    test::SaveRender(Dialog(), QStringLiteral("rosette-") + language);
  });
  EXPECT_EQ(Control<QLineEdit>(rosette::kDirectionC)->accessibleName(), QStringLiteral("g3"));
  EXPECT_EQ(Control<QLineEdit>(rosette::kPlaneNormalStrain)->accessibleName(), QStringLiteral("ew"));
  EXPECT_TRUE(Messages().empty());
}

}  // namespace
}  // namespace brantel
