#include "core/Settings.h"
#include "core/project/ProjectRecord.h"
#include "support/DialogTest.h"
#include "support/Renders.h"
#include "tools/elasticity/TransformationDialog.h"

#include <QLineEdit>

namespace brantel {
namespace {

QString Box(const char* array, int k) { return QStringLiteral("%1(%2)").arg(QLatin1String(array)).arg(k); }

// 90 degrees about axis 3: new axis 1 along old axis 2, new axis 2 along old -1.
constexpr Matrix3 kQuarterTurn{{{0, 1, 0}, {-1, 0, 0}, {0, 0, 1}}};

class TransformationDialogTest : public test::DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    Project.TransformInputs = {};
  }
  TransformationDialog& Open() { return DialogTest::Open<TransformationDialog>(); }
  TransformationDialog& Dialog() const { return static_cast<TransformationDialog&>(Current()); }
  QStringList Texts(const char* array, int count) const {
    QStringList out;
    for (int k = 0; k < count; ++k) out << Text(Box(array, k));
    return out;
  }
  bool Shown(const char* array, int count) const {
    bool all = true;
    for (int k = 0; k < count; ++k) all = all && Control(Box(array, k))->isVisible();
    return all;
  }
};

TEST_F(TransformationDialogTest, ATensorAndAVectorTurnedAQuarterAboutAxis3) {
  Project.TransformInputs.Cosines = kQuarterTurn;
  Open();
  EXPECT_EQ(Texts(transformation::kNewTensor, 9), QStringList(9, QStringLiteral("0")));  // the zero tensor
  Type(transformation::kTensorBox[0], QStringLiteral("10"));
  Type(transformation::kTensorBox[4], QStringLiteral("20"));
  Type(transformation::kTensorBox[8], QStringLiteral("30"));
  EXPECT_EQ(Texts(transformation::kNewTensor, 9), (QStringList{"20", "0", "0", "0", "10", "0", "0", "0", "30"}));
  EXPECT_TRUE(Shown(transformation::kTensor, 9) && Shown(transformation::kNewTensor, 9));
  EXPECT_FALSE(Control(transformation::kVectorBox[0])->isVisible());

  Press(transformation::kVectorKind);
  EXPECT_FALSE(Control(transformation::kTensorBox[4])->isVisible());
  EXPECT_FALSE(Control(transformation::kNewTensorBox[4])->isVisible());
  EXPECT_TRUE(Shown(transformation::kVector, 3) && Shown(transformation::kNewVector, 3));
  Type(transformation::kVectorBox[0], QStringLiteral("1"));
  EXPECT_EQ(Texts(transformation::kNewVector, 3), (QStringList{"0", "-1", "0"}));
  // A cosine matrix of ones is used as it stands.
  for (int k = 0; k < 9; ++k) Paste(transformation::kCosineBox[k], QStringLiteral("1"));
  Type(transformation::kVectorBox[1], QStringLiteral("2"));
  Type(transformation::kVectorBox[2], QStringLiteral("3"));
  EXPECT_EQ(Texts(transformation::kNewVector, 3), (QStringList{"6", "6", "6"}));

  Press(transformation::kTensorKind);  // the tensor is back as it was
  EXPECT_EQ(Texts(transformation::kTensor, 9), (QStringList{"10", "0", "0", "0", "20", "0", "0", "0", "30"}));
  EXPECT_EQ(Text(transformation::kNewTensorBox[0]), QStringLiteral("60"));
  Press(transformation::kOk);
  const TransformData& t = Project.TransformInputs;
  EXPECT_EQ(t.Option, TransformOperand::Tensor);
  EXPECT_EQ(t.Tensor[1][1], 20.0f);
  EXPECT_EQ(t.Vector, (Vector3{1, 2, 3}));
  EXPECT_EQ(t.Cosines[1][0], 1.0f);
  EXPECT_FALSE(Project.FileSaved);
  EXPECT_TRUE(Messages().empty());
  EXPECT_TRUE(History().contains(QStringLiteral("Coordinate transformation of matrix or vector.")));
}

// The worked example of the tool's help page: axes turned 30 degrees about
// axis 3, a tensor and then a vector.
TEST_F(TransformationDialogTest, HelpPageExample) {
  Open();
  const char* cosines[9] = {"0.8660254", "0.5", "0", "-0.5", "0.8660254", "0", "0", "0", "1"};
  const char* tensor[9] = {"30", "5", "0", "5", "20", "0", "0", "0", "10"};
  for (int k = 0; k < 9; ++k) {
    Type(transformation::kCosineBox[k], QString::fromLatin1(cosines[k]));
    Type(transformation::kTensorBox[k], QString::fromLatin1(tensor[k]));
  }
  EXPECT_EQ(Texts(transformation::kNewTensor, 9),
            QStringList({"31.83013", "-1.830127", "0", "-1.830127", "18.16987", "0", "0", "0", "10"}));
  Press(transformation::kVectorKind);
  Type(transformation::kVectorBox[0], QStringLiteral("1"));
  Type(transformation::kVectorBox[1], QStringLiteral("2"));
  Type(transformation::kVectorBox[2], QStringLiteral("3"));
  EXPECT_EQ(Texts(transformation::kNewVector, 3), QStringList({"1.866025", "1.232051", "3"}));
  EXPECT_TRUE(Messages().empty());
}

TEST_F(TransformationDialogTest, BadEntriesAreRefusedAndTheResultsStay) {
  Project.TransformInputs.Cosines = kQuarterTurn;
  Project.TransformInputs.Tensor[0][0] = 5;
  Open();
  ASSERT_EQ(Text(transformation::kNewTensorBox[4]), QStringLiteral("5"));
  Paste(transformation::kCosineBox[3], QStringLiteral("-"));  // a number being typed counts as 0
  EXPECT_TRUE(Messages().empty());
  EXPECT_EQ(Text(transformation::kNewTensorBox[4]), QStringLiteral("0"));
  Paste(transformation::kCosineBox[3], QStringLiteral("-1"));
  // A bad cosine and a bad tensor element: two messages, the focus in the
  // second box.
  Paste(transformation::kTensorBox[7], QStringLiteral("x"));
  EXPECT_EQ(LastMessage(), QStringLiteral("Invalid value for A32"));
  boxes_->Clear();
  EnglishMenus = false;
  Paste(transformation::kCosineBox[2], QStringLiteral("1e39"));
  ASSERT_EQ(Messages().size(), 2u);
  EXPECT_EQ(Messages()[0].prompt, QStringLiteral("Εσφαλμένη τιμή για το a13"));
  EXPECT_EQ(Messages()[1].prompt, QStringLiteral("Εσφαλμένη τιμή για το A32"));
  EXPECT_TRUE(Control<QLineEdit>(transformation::kTensorBox[7])->hasFocus());
  EXPECT_EQ(Text(transformation::kNewTensorBox[4]), QStringLiteral("5"));
  Press(transformation::kOk);
  EXPECT_TRUE(Dialog().isVisible());

  // A bad element left behind in the hidden tensor is not stored as 0: the
  // tensor keeps what it last accepted.
  Paste(transformation::kCosineBox[2], QStringLiteral("0"));
  Paste(transformation::kTensorBox[7], QStringLiteral("0"));
  Paste(transformation::kTensorBox[0], QStringLiteral("x"));
  Press(transformation::kVectorKind);
  boxes_->Clear();
  Type(transformation::kVectorBox[2], QStringLiteral("4"));
  EXPECT_TRUE(Messages().empty());
  Press(transformation::kOk);
  EXPECT_FALSE(Dialog().isVisible());
  EXPECT_EQ(Project.TransformInputs.Tensor[0][0], 5.0f);
  EXPECT_EQ(Project.TransformInputs.Vector[2], 4.0f);
  EXPECT_EQ(Project.TransformInputs.Cosines[1][0], -1.0f);
  EXPECT_EQ(Project.TransformInputs.Option, TransformOperand::Vector);
}

TEST_F(TransformationDialogTest, OkWithoutEditsKeepsTheStoredValues) {
  TransformData& t = Project.TransformInputs;
  t.Cosines = {{{0.70710678f, 0.70710678f, 0}, {-0.70710678f, 0.70710678f, 0}, {0, 0, 1}}};
  t.Tensor = {{{0.00012f, 1.23456789f, 0}, {3e-20f, 2, 0}, {0, 0, 12345678}}};
  t.Vector = {0.00012f, -1.0000001f, 1e30f};
  t.Option = TransformOperand::Vector;
  const TransformData before = t;
  Open();
  EXPECT_TRUE(Shown(transformation::kVector, 3));
  EXPECT_EQ(Text(transformation::kVectorBox[1]), QStringLiteral("-1"));
  Focus(transformation::kVectorBox[1]);
  Focus(transformation::kCosineBox[0]);
  Press(transformation::kOk);
  EXPECT_EQ(t.Cosines, before.Cosines);
  EXPECT_EQ(t.Tensor, before.Tensor);
  EXPECT_EQ(t.Vector, before.Vector);
  EXPECT_EQ(t.Option, TransformOperand::Vector);

  Open();
  Type(transformation::kCosineBox[0], QStringLiteral("2"));
  Press(transformation::kCancel);
  Open();
  Press(transformation::kTensorKind);
  Dialog().close();
  EXPECT_EQ(t.Cosines, before.Cosines);
  EXPECT_EQ(t.Option, TransformOperand::Vector);
}

TEST_F(TransformationDialogTest, AResultBeyondThe32BitRangeIsEmptied) {
  Project.TransformInputs.Cosines = {{{1, 1, 0}, {0, 1, 0}, {0, 0, 1}}};
  Project.TransformInputs.Tensor[0][0] = 1;
  Open();
  EXPECT_EQ(Text(transformation::kNewTensorBox[0]), QStringLiteral("1"));
  Paste(transformation::kTensorBox[0], QStringLiteral("3e38"));
  Paste(transformation::kTensorBox[1], QStringLiteral("3e38"));
  EXPECT_EQ(Texts(transformation::kNewTensor, 9), QStringList(9, QString()));
  EXPECT_TRUE(History().contains(QStringLiteral("Overflow")));
  Paste(transformation::kTensorBox[1], QStringLiteral("0"));
  EXPECT_EQ(Text(transformation::kNewTensorBox[0]), QStringLiteral("3E+38"));
}

TEST_F(TransformationDialogTest, RenderBothOptionsInBothLanguages) {
  Project.TransformInputs.Cosines = kQuarterTurn;
  Project.TransformInputs.Tensor = {{{12.5f, -3, 0.25f}, {-3, 40, 0}, {0.25f, 0, -8}}};
  Project.TransformInputs.Vector = {1, 2, 3};
  test::EachLanguage([&](const QString& language) {
    Open();
    for (int option : {0, 1}) {
      Press(option ? transformation::kVectorKind : transformation::kTensorKind);
      test::SaveRender(Dialog(), QStringLiteral("transform-%1-%2").arg(language, option ? "vector" : "tensor"));
    }
  });
  EXPECT_EQ(Control<QLineEdit>(transformation::kCosineBox[5])->accessibleName(), QStringLiteral("a23"));
  EXPECT_EQ(Control<QLineEdit>(transformation::kNewVectorBox[0])->accessibleName(), QStringLiteral("v'1"));
  EXPECT_TRUE(Messages().empty());
}

}  // namespace
}  // namespace brantel
