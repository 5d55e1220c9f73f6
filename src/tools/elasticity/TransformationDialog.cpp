#include "tools/elasticity/TransformationDialog.h"

#include "core/History.h"
#include "core/Messages.h"
#include "core/NumberFormat.h"
#include "forms/FormHelpers.h"
#include "tools/elasticity/MatrixBracketsPicture.h"
#include "tools/elasticity/Transformation.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace brantel {
namespace {

using forms::ControlRow;
using forms::Kind;
using forms::Reading;

constexpr unsigned kResult = forms::kReadOnly | forms::kRedText;

constexpr forms::FormDesign kForm{.name = "frmTransformCoor",
                                  .width = 9615,
                                  .height = 4440,
                                  .caption = {"Coordinate Transformation", "Μετασχηματισμός συντεταγμένων"}};

// The brackets enclose three columns of boxes, or the one column of a vector.
constexpr int kGridBracketWidth = 3655;
constexpr int kColumnBracketWidth = 1255;
constexpr int kBracketHeight = 1085;
constexpr int kInputBracketLeft = 5560;
constexpr int kResultBracketLeft = 1000;

// The grids hold element (k / 3 + 1, k % 3 + 1) in box k, the vector
// columns component k + 1; a box's caption is the element's name, which its
// messages give it too. The vector columns stand where the first column of
// the grids stands.
// clang-format off
constexpr ControlRow kControls[] = {
    {.name = "Frame1", .kind = Kind::Frame, .at = {120, 120, 9375, 1935}, .caption = {"Input Data", " Εισαγωγή Δεδομένων "}},
    {.name = "Label4", .kind = Kind::Label, .container = "Frame1", .at = {1080, 270, 3495, 255}, .caption = {"Cosine Rotation Matrix", "Πίνακας συνημιτόνων"}},
    {.name = "Label1", .kind = Kind::Label, .container = "Frame1", .at = {240, 960, 795, 255}, .caption = {"a ij = ", "a ij = "}},
    {.name = "linCosines", .kind = Kind::Picture, .container = "Frame1", .at = {1000, 560, kGridBracketWidth, kBracketHeight}},
    {.name = transformation::kCosineBox[0], .kind = Kind::TextBox, .container = "Frame1", .at = {1080, 600, 1095, 285}, .caption = {"a11"}},
    {.name = transformation::kCosineBox[1], .kind = Kind::TextBox, .container = "Frame1", .at = {2280, 600, 1095, 285}, .caption = {"a12"}},
    {.name = transformation::kCosineBox[2], .kind = Kind::TextBox, .container = "Frame1", .at = {3480, 600, 1095, 285}, .caption = {"a13"}},
    {.name = transformation::kCosineBox[3], .kind = Kind::TextBox, .container = "Frame1", .at = {1080, 960, 1095, 285}, .caption = {"a21"}},
    {.name = transformation::kCosineBox[4], .kind = Kind::TextBox, .container = "Frame1", .at = {2280, 960, 1095, 285}, .caption = {"a22"}},
    {.name = transformation::kCosineBox[5], .kind = Kind::TextBox, .container = "Frame1", .at = {3480, 960, 1095, 285}, .caption = {"a23"}},
    {.name = transformation::kCosineBox[6], .kind = Kind::TextBox, .container = "Frame1", .at = {1080, 1320, 1095, 285}, .caption = {"a31"}},
    {.name = transformation::kCosineBox[7], .kind = Kind::TextBox, .container = "Frame1", .at = {2280, 1320, 1095, 285}, .caption = {"a32"}},
    {.name = transformation::kCosineBox[8], .kind = Kind::TextBox, .container = "Frame1", .at = {3480, 1320, 1095, 285}, .caption = {"a33"}},
    {.name = "Label5", .kind = Kind::Label, .container = "Frame1", .at = {5640, 270, 3615, 255}, .caption = {"Matrix/Vector to be transformed", "Πίνακας/Διάνυσμα προς μετασχηματισμό"}},
    {.name = "Label2", .kind = Kind::Label, .container = "Frame1", .at = {4800, 960, 795, 255}, .caption = {"A ij = ", "A ij = "}},
    {.name = transformation::kInputBrackets, .kind = Kind::Picture, .container = "Frame1", .at = {kInputBracketLeft, 560, kGridBracketWidth, kBracketHeight}},
    {.name = transformation::kTensorBox[0], .kind = Kind::TextBox, .container = "Frame1", .at = {5640, 600, 1095, 285}, .caption = {"A11"}},
    {.name = transformation::kTensorBox[1], .kind = Kind::TextBox, .container = "Frame1", .at = {6840, 600, 1095, 285}, .caption = {"A12"}},
    {.name = transformation::kTensorBox[2], .kind = Kind::TextBox, .container = "Frame1", .at = {8040, 600, 1095, 285}, .caption = {"A13"}},
    {.name = transformation::kTensorBox[3], .kind = Kind::TextBox, .container = "Frame1", .at = {5640, 960, 1095, 285}, .caption = {"A21"}},
    {.name = transformation::kTensorBox[4], .kind = Kind::TextBox, .container = "Frame1", .at = {6840, 960, 1095, 285}, .caption = {"A22"}},
    {.name = transformation::kTensorBox[5], .kind = Kind::TextBox, .container = "Frame1", .at = {8040, 960, 1095, 285}, .caption = {"A23"}},
    {.name = transformation::kTensorBox[6], .kind = Kind::TextBox, .container = "Frame1", .at = {5640, 1320, 1095, 285}, .caption = {"A31"}},
    {.name = transformation::kTensorBox[7], .kind = Kind::TextBox, .container = "Frame1", .at = {6840, 1320, 1095, 285}, .caption = {"A32"}},
    {.name = transformation::kTensorBox[8], .kind = Kind::TextBox, .container = "Frame1", .at = {8040, 1320, 1095, 285}, .caption = {"A33"}},
    {.name = transformation::kVectorBox[0], .kind = Kind::TextBox, .container = "Frame1", .at = {5640, 600, 1095, 285}, .caption = {"v1"}, .flags = forms::kHidden},
    {.name = transformation::kVectorBox[1], .kind = Kind::TextBox, .container = "Frame1", .at = {5640, 960, 1095, 285}, .caption = {"v2"}, .flags = forms::kHidden},
    {.name = transformation::kVectorBox[2], .kind = Kind::TextBox, .container = "Frame1", .at = {5640, 1320, 1095, 285}, .caption = {"v3"}, .flags = forms::kHidden},
    {.name = "Frame2", .kind = Kind::Frame, .at = {120, 2160, 9375, 1575}, .caption = {"New Coordinates Aij", "Νέες Συντεταγμένες Αij"}},
    {.name = "Label3", .kind = Kind::Label, .container = "Frame2", .at = {240, 720, 795, 255}, .caption = {"Α' ij = ", "Α' ij = "}},
    {.name = transformation::kResultBrackets, .kind = Kind::Picture, .container = "Frame2", .at = {kResultBracketLeft, 320, kGridBracketWidth, kBracketHeight}},
    {.name = transformation::kNewTensorBox[0], .kind = Kind::TextBox, .container = "Frame2", .at = {1080, 360, 1095, 285}, .caption = {"A'11"}, .flags = kResult},
    {.name = transformation::kNewTensorBox[1], .kind = Kind::TextBox, .container = "Frame2", .at = {2280, 360, 1095, 285}, .caption = {"A'12"}, .flags = kResult},
    {.name = transformation::kNewTensorBox[2], .kind = Kind::TextBox, .container = "Frame2", .at = {3480, 360, 1095, 285}, .caption = {"A'13"}, .flags = kResult},
    {.name = transformation::kNewTensorBox[3], .kind = Kind::TextBox, .container = "Frame2", .at = {1080, 720, 1095, 285}, .caption = {"A'21"}, .flags = kResult},
    {.name = transformation::kNewTensorBox[4], .kind = Kind::TextBox, .container = "Frame2", .at = {2280, 720, 1095, 285}, .caption = {"A'22"}, .flags = kResult},
    {.name = transformation::kNewTensorBox[5], .kind = Kind::TextBox, .container = "Frame2", .at = {3480, 720, 1095, 285}, .caption = {"A'23"}, .flags = kResult},
    {.name = transformation::kNewTensorBox[6], .kind = Kind::TextBox, .container = "Frame2", .at = {1080, 1080, 1095, 285}, .caption = {"A'31"}, .flags = kResult},
    {.name = transformation::kNewTensorBox[7], .kind = Kind::TextBox, .container = "Frame2", .at = {2280, 1080, 1095, 285}, .caption = {"A'32"}, .flags = kResult},
    {.name = transformation::kNewTensorBox[8], .kind = Kind::TextBox, .container = "Frame2", .at = {3480, 1080, 1095, 285}, .caption = {"A'33"}, .flags = kResult},
    {.name = transformation::kNewVectorBox[0], .kind = Kind::TextBox, .container = "Frame2", .at = {1080, 360, 1095, 285}, .caption = {"v'1"}, .flags = kResult | forms::kHidden},
    {.name = transformation::kNewVectorBox[1], .kind = Kind::TextBox, .container = "Frame2", .at = {1080, 720, 1095, 285}, .caption = {"v'2"}, .flags = kResult | forms::kHidden},
    {.name = transformation::kNewVectorBox[2], .kind = Kind::TextBox, .container = "Frame2", .at = {1080, 1080, 1095, 285}, .caption = {"v'3"}, .flags = kResult | forms::kHidden},
    {.name = transformation::kTensorKind, .kind = Kind::Option, .container = "Frame2", .at = {5640, 480, 1935, 255}, .caption = {"Tensor", "Πίνακας"}},
    {.name = transformation::kVectorKind, .kind = Kind::Option, .container = "Frame2", .at = {5640, 840, 1935, 255}, .caption = {"Vector", "Διάνυσμα"}},
    // Buttons.
    {.name = transformation::kHelp, .kind = Kind::Button, .at = {2520, 3900, 1215, 375}, .caption = {"Help"}},
    {.name = transformation::kCancel, .kind = Kind::Button, .at = {4200, 3900, 1215, 375}, .caption = {"Cancel"}},
    {.name = transformation::kOk, .kind = Kind::Button, .at = {5880, 3900, 1215, 375}, .caption = {"OK"}, .flags = forms::kDefault},
};
// clang-format on

// The names a box's messages give it: its caption in the table.
InputMessage NameOf(const QString& design) {
  for (const ControlRow& row : kControls) {
    if (design == QLatin1String(row.name)) return InvalidValueFor({row.caption.english, row.caption.english});
  }
  throw forms::DesignError(QStringLiteral("no caption for %1").arg(design));
}

}  // namespace

TransformationDialog::TransformationDialog(QWidget* owner) : FormDialog(owner) {
  Build(kForm, kControls, BracketsOfRow);
  for (std::size_t k = 0; k < 9; ++k) {
    ui_.cosines[k] = Require<QLineEdit>(transformation::kCosineBox[k]);
    ui_.tensor[k] = Require<QLineEdit>(transformation::kTensorBox[k]);
    ui_.newTensor[k] = Require<QLineEdit>(transformation::kNewTensorBox[k]);
    cosineInputs_.Add(ui_.cosines[k], working_.Cosines[k / 3][k % 3],
                      {Reading::WholeEntry, NameOf(ui_.cosines[k]->objectName())});
    tensorInputs_.Add(ui_.tensor[k], working_.Tensor[k / 3][k % 3],
                      {Reading::WholeEntry, NameOf(ui_.tensor[k]->objectName())});
  }
  for (std::size_t k = 0; k < 3; ++k) {
    ui_.vector[k] = Require<QLineEdit>(transformation::kVectorBox[k]);
    ui_.newVector[k] = Require<QLineEdit>(transformation::kNewVectorBox[k]);
    vectorInputs_.Add(ui_.vector[k], working_.Vector[k], {Reading::WholeEntry, NameOf(ui_.vector[k]->objectName())});
  }
  ui_.operandKind = {Options(transformation::kOperandKind)};
  ui_.inputBrackets = Require<MatrixBrackets>(transformation::kInputBrackets);
  ui_.resultBrackets = Require<MatrixBrackets>(transformation::kResultBrackets);
  ui_.ok = Require<QPushButton>(transformation::kOk);

  WireButtons(ui_.ok, Require<QPushButton>(transformation::kCancel), Require<QPushButton>(transformation::kHelp));
  for (const auto* boxes : {&ui_.cosines, &ui_.tensor}) {
    for (QLineEdit* b : *boxes) connect(b, &QLineEdit::textChanged, this, &TransformationDialog::OnInputEdited);
  }
  for (QLineEdit* b : ui_.vector) connect(b, &QLineEdit::textChanged, this, &TransformationDialog::OnInputEdited);
  for (const TransformOperand kind : {TransformOperand::Tensor, TransformOperand::Vector}) {
    connect(ui_.operandKind.OptionOf(kind), &QRadioButton::toggled, this, [this, kind](bool on) {
      if (on) OnOperandKindChosen(kind);
    });
  }

  OnLoad();
}

TransformationDialog::~TransformationDialog() = default;

void TransformationDialog::OnLoad() {
  LoadInputs();
  if (ValidateInput()) ShowResults();
  AddHistoryLine(Tr({"Coordinate transformation of matrix or vector.",
                     "Μετασχηματισμός των συντεταγμένων ενός πίνακα ή διανύσματος."}));
}

void TransformationDialog::LoadFromProject() {
  working_ = Project.TransformInputs;
  for (std::size_t k = 0; k < 9; ++k) {
    const float cosine = working_.Cosines[k / 3][k % 3];
    const float element = working_.Tensor[k / 3][k % 3];
    forms::ShowStoredGeneral(ui_.cosines[k], cosine);
    forms::ShowStoredGeneral(ui_.tensor[k], element);
  }
  for (std::size_t i = 0; i < 3; ++i) forms::ShowStoredGeneral(ui_.vector[i], working_.Vector[i]);
  ui_.operandKind.Choose(working_.Option);
  ShowBoxesOf(working_.Option);
}

void TransformationDialog::OnOperandKindChosen(TransformOperand kind) {
  working_.Option = kind;
  ShowBoxesOf(working_.Option);
  RecalculateIfValid([this] { ShowResults(); });
}

void TransformationDialog::ShowBoxesOf(TransformOperand kind) {
  const bool vector = kind == TransformOperand::Vector;
  for (QLineEdit* b : ui_.tensor) b->setVisible(!vector);
  for (QLineEdit* b : ui_.newTensor) b->setVisible(!vector);
  for (QLineEdit* b : ui_.vector) b->setVisible(vector);
  for (QLineEdit* b : ui_.newVector) b->setVisible(vector);
  const int width = forms::Px(vector ? kColumnBracketWidth : kGridBracketWidth);
  ui_.inputBrackets->resize(width, ui_.inputBrackets->height());
  ui_.resultBrackets->resize(width, ui_.resultBrackets->height());
}

bool TransformationDialog::ValidateInput() {
  // The cosines, then the tensor or the vector in view, each group checked
  // whatever the other found; a group is accepted whole or not at all.
  const bool cosines = cosineInputs_.Validate();
  const bool operand = (working_.Option == TransformOperand::Vector ? vectorInputs_ : tensorInputs_).Validate();
  return cosines && operand;
}

void TransformationDialog::ShowResults() {
  // A sum beyond the 32-bit range empties the results in view.
  const auto calculation = [this] {
    working_ = CalcTransformation(working_);
    if (working_.Option == TransformOperand::Vector) {
      for (std::size_t i = 0; i < 3; ++i) forms::ShowResult(ui_.newVector[i], FormatGeneral(working_.NewVector[i]));
    } else {
      for (std::size_t k = 0; k < 9; ++k) {
        forms::ShowResult(ui_.newTensor[k], FormatGeneral(working_.NewTensor[k / 3][k % 3]));
      }
    }
  };
  if (working_.Option == TransformOperand::Vector) {
    forms::Calculate({ui_.newVector[0], ui_.newVector[1], ui_.newVector[2]}, calculation,
                     [this] { working_.NewVector = {}; });
  } else {
    forms::Calculate({ui_.newTensor[0], ui_.newTensor[1], ui_.newTensor[2], ui_.newTensor[3], ui_.newTensor[4],
                      ui_.newTensor[5], ui_.newTensor[6], ui_.newTensor[7], ui_.newTensor[8]},
                     calculation, [this] { working_.NewTensor = {}; });
  }
}

void TransformationDialog::OnInputEdited() {
  RecalculateIfValid([this] { ShowResults(); });
}

void TransformationDialog::CommitToProject() {
  // The validation of OK read the boxes in view; the hidden tensor or vector
  // keeps what it last accepted rather than whatever text its boxes hold.
  Project.TransformInputs = working_;
  MarkProjectChanged();
}

}  // namespace brantel
