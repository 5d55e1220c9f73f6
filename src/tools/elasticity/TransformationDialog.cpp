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

constexpr forms::FormDesign kForm{9615, 4440, "Coordinate Transformation", "Μετασχηματισμός συντεταγμένων"};

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
constexpr ControlRow kControls[] = {
    {"Frame1", Kind::Frame, nullptr, 120, 120, 9375, 1935, "Input Data", " Εισαγωγή Δεδομένων "},
    {"Label4", Kind::Label, "Frame1", 1080, 270, 3495, 255, "Cosine Rotation Matrix", "Πίνακας συνημιτόνων"},
    {"Label1", Kind::Label, "Frame1", 240, 960, 795, 255, "a ij = ", "a ij = "},
    {"linCosines", Kind::Picture, "Frame1", 1000, 560, kGridBracketWidth, kBracketHeight},
    {"Text1(0)", Kind::TextBox, "Frame1", 1080, 600, 1095, 285, "a11", nullptr},
    {"Text1(1)", Kind::TextBox, "Frame1", 2280, 600, 1095, 285, "a12", nullptr},
    {"Text1(2)", Kind::TextBox, "Frame1", 3480, 600, 1095, 285, "a13", nullptr},
    {"Text1(3)", Kind::TextBox, "Frame1", 1080, 960, 1095, 285, "a21", nullptr},
    {"Text1(4)", Kind::TextBox, "Frame1", 2280, 960, 1095, 285, "a22", nullptr},
    {"Text1(5)", Kind::TextBox, "Frame1", 3480, 960, 1095, 285, "a23", nullptr},
    {"Text1(6)", Kind::TextBox, "Frame1", 1080, 1320, 1095, 285, "a31", nullptr},
    {"Text1(7)", Kind::TextBox, "Frame1", 2280, 1320, 1095, 285, "a32", nullptr},
    {"Text1(8)", Kind::TextBox, "Frame1", 3480, 1320, 1095, 285, "a33", nullptr},
    {"Label5", Kind::Label, "Frame1", 5640, 270, 3615, 255, "Matrix/Vector to be transformed",
     "Πίνακας/Διάνυσμα προς μετασχηματισμό"},
    {"Label2", Kind::Label, "Frame1", 4800, 960, 795, 255, "A ij = ", "A ij = "},
    {"linInput", Kind::Picture, "Frame1", kInputBracketLeft, 560, kGridBracketWidth, kBracketHeight},
    {"Text2(0)", Kind::TextBox, "Frame1", 5640, 600, 1095, 285, "A11", nullptr},
    {"Text2(1)", Kind::TextBox, "Frame1", 6840, 600, 1095, 285, "A12", nullptr},
    {"Text2(2)", Kind::TextBox, "Frame1", 8040, 600, 1095, 285, "A13", nullptr},
    {"Text2(3)", Kind::TextBox, "Frame1", 5640, 960, 1095, 285, "A21", nullptr},
    {"Text2(4)", Kind::TextBox, "Frame1", 6840, 960, 1095, 285, "A22", nullptr},
    {"Text2(5)", Kind::TextBox, "Frame1", 8040, 960, 1095, 285, "A23", nullptr},
    {"Text2(6)", Kind::TextBox, "Frame1", 5640, 1320, 1095, 285, "A31", nullptr},
    {"Text2(7)", Kind::TextBox, "Frame1", 6840, 1320, 1095, 285, "A32", nullptr},
    {"Text2(8)", Kind::TextBox, "Frame1", 8040, 1320, 1095, 285, "A33", nullptr},
    {"Text4(0)", Kind::TextBox, "Frame1", 5640, 600, 1095, 285, "v1", nullptr, nullptr, forms::kHidden},
    {"Text4(1)", Kind::TextBox, "Frame1", 5640, 960, 1095, 285, "v2", nullptr, nullptr, forms::kHidden},
    {"Text4(2)", Kind::TextBox, "Frame1", 5640, 1320, 1095, 285, "v3", nullptr, nullptr, forms::kHidden},
    {"Frame2", Kind::Frame, nullptr, 120, 2160, 9375, 1575, "New Coordinates Aij", "Νέες Συντεταγμένες Αij"},
    {"Label3", Kind::Label, "Frame2", 240, 720, 795, 255, "Α' ij = ", "Α' ij = "},
    {"linResult", Kind::Picture, "Frame2", kResultBracketLeft, 320, kGridBracketWidth, kBracketHeight},
    {"Text3(0)", Kind::TextBox, "Frame2", 1080, 360, 1095, 285, "A'11", nullptr, nullptr, kResult},
    {"Text3(1)", Kind::TextBox, "Frame2", 2280, 360, 1095, 285, "A'12", nullptr, nullptr, kResult},
    {"Text3(2)", Kind::TextBox, "Frame2", 3480, 360, 1095, 285, "A'13", nullptr, nullptr, kResult},
    {"Text3(3)", Kind::TextBox, "Frame2", 1080, 720, 1095, 285, "A'21", nullptr, nullptr, kResult},
    {"Text3(4)", Kind::TextBox, "Frame2", 2280, 720, 1095, 285, "A'22", nullptr, nullptr, kResult},
    {"Text3(5)", Kind::TextBox, "Frame2", 3480, 720, 1095, 285, "A'23", nullptr, nullptr, kResult},
    {"Text3(6)", Kind::TextBox, "Frame2", 1080, 1080, 1095, 285, "A'31", nullptr, nullptr, kResult},
    {"Text3(7)", Kind::TextBox, "Frame2", 2280, 1080, 1095, 285, "A'32", nullptr, nullptr, kResult},
    {"Text3(8)", Kind::TextBox, "Frame2", 3480, 1080, 1095, 285, "A'33", nullptr, nullptr, kResult},
    {"Text5(0)", Kind::TextBox, "Frame2", 1080, 360, 1095, 285, "v'1", nullptr, nullptr, kResult | forms::kHidden},
    {"Text5(1)", Kind::TextBox, "Frame2", 1080, 720, 1095, 285, "v'2", nullptr, nullptr, kResult | forms::kHidden},
    {"Text5(2)", Kind::TextBox, "Frame2", 1080, 1080, 1095, 285, "v'3", nullptr, nullptr, kResult | forms::kHidden},
    {"Option1(0)", Kind::Option, "Frame2", 5640, 480, 1935, 255, "Tensor", "Πίνακας"},
    {"Option1(1)", Kind::Option, "Frame2", 5640, 840, 1935, 255, "Vector", "Διάνυσμα"},
    // Buttons.
    {"cmdHelp", Kind::Button, nullptr, 2520, 3900, 1215, 375, "Help"},
    {"cmdCancel", Kind::Button, nullptr, 4200, 3900, 1215, 375, "Cancel"},
    {"CmdOk", Kind::Button, nullptr, 5880, 3900, 1215, 375, "OK", nullptr, nullptr, forms::kDefault},
};

// The names a box's messages give it: its caption in the table.
InputMessage NameOf(const QString& design) {
  for (const ControlRow& row : kControls) {
    if (design == QLatin1String(row.name)) return InvalidValueFor({row.caption.english, row.caption.english});
  }
  throw forms::DesignError(QStringLiteral("no caption for %1").arg(design));
}

}  // namespace

frmTransformCoor::frmTransformCoor(QWidget* owner) : FormDialog(owner) {
  setObjectName(QStringLiteral("frmTransformCoor"));
  Build(kForm, kControls, BracketsOfRow);
  const auto box = [this](const char* array, std::size_t k) {
    return Require<QLineEdit>(QStringLiteral("%1(%2)").arg(QLatin1String(array)).arg(k));
  };
  for (std::size_t k = 0; k < 9; ++k) {
    ui_.cosines[k] = box("Text1", k);
    ui_.tensor[k] = box("Text2", k);
    ui_.newTensor[k] = box("Text3", k);
    cosineInputs_.Add(ui_.cosines[k], working_.Cosines[k / 3][k % 3],
                      {Reading::WholeEntry, NameOf(ui_.cosines[k]->objectName())});
    tensorInputs_.Add(ui_.tensor[k], working_.Tensor[k / 3][k % 3],
                      {Reading::WholeEntry, NameOf(ui_.tensor[k]->objectName())});
  }
  for (std::size_t k = 0; k < 3; ++k) {
    ui_.vector[k] = box("Text4", k);
    ui_.newVector[k] = box("Text5", k);
    vectorInputs_.Add(ui_.vector[k], working_.Vector[k], {Reading::WholeEntry, NameOf(ui_.vector[k]->objectName())});
  }
  ui_.option = Options(u"Option1");
  ui_.inputBrackets = Require<MatrixBrackets>(u"linInput");
  ui_.resultBrackets = Require<MatrixBrackets>(u"linResult");
  ui_.ok = Require<QPushButton>(u"CmdOk");

  WireButtons(ui_.ok, Require<QPushButton>(u"cmdCancel"), Require<QPushButton>(u"cmdHelp"));
  for (const auto* boxes : {&ui_.cosines, &ui_.tensor}) {
    for (QLineEdit* b : *boxes) connect(b, &QLineEdit::textChanged, this, &frmTransformCoor::Text_Change);
  }
  for (QLineEdit* b : ui_.vector) connect(b, &QLineEdit::textChanged, this, &frmTransformCoor::Text_Change);
  for (int index = ui_.option.LBound(); index <= ui_.option.UBound(); ++index) {
    connect(ui_.option.At(index), &QRadioButton::toggled, this, [this, index](bool on) {
      if (on) Option1_Click(index);
    });
  }

  Form_Load();
}

frmTransformCoor::~frmTransformCoor() = default;

void frmTransformCoor::Form_Load() {
  LoadInputs();
  if (ValidateInput()) CalcTransformation();
  AddHistoryLine(Tr({"Coordinate transformation of matrix or vector.",
                     "Μετασχηματισμός των συντεταγμένων ενός πίνακα ή διανύσματος."}));
}

void frmTransformCoor::LoadFromProject() {
  working_ = Project.TransformInputs;
  for (std::size_t k = 0; k < 9; ++k) {
    const float cosine = working_.Cosines[k / 3][k % 3];
    const float element = working_.Tensor[k / 3][k % 3];
    forms::ShowStoredGeneral(ui_.cosines[k], cosine);
    forms::ShowStoredGeneral(ui_.tensor[k], element);
  }
  for (std::size_t i = 0; i < 3; ++i) forms::ShowStoredGeneral(ui_.vector[i], working_.Vector[i]);
  forms::SetArrayIndex(ui_.option, working_.Option);
  ShowBoxesOf(working_.Option);
}

void frmTransformCoor::Option1_Click(int index) {
  working_.Option = static_cast<qint16>(index);
  ShowBoxesOf(index);
  if (loading_) return;
  if (ValidateInput()) CalcTransformation();
}

void frmTransformCoor::ShowBoxesOf(int option) {
  const bool vector = option == 1;
  for (QLineEdit* b : ui_.tensor) b->setVisible(!vector);
  for (QLineEdit* b : ui_.newTensor) b->setVisible(!vector);
  for (QLineEdit* b : ui_.vector) b->setVisible(vector);
  for (QLineEdit* b : ui_.newVector) b->setVisible(vector);
  const int width = forms::Px(vector ? kColumnBracketWidth : kGridBracketWidth);
  ui_.inputBrackets->resize(width, ui_.inputBrackets->height());
  ui_.resultBrackets->resize(width, ui_.resultBrackets->height());
}

bool frmTransformCoor::ValidateInput() {
  // The cosines, then the tensor or the vector in view, each group checked
  // whatever the other found; a group is accepted whole or not at all.
  const bool cosines = cosineInputs_.Validate();
  const bool operand = (working_.Option == 1 ? vectorInputs_ : tensorInputs_).Validate();
  return cosines && operand;
}

void frmTransformCoor::CalcTransformation() {
  // A sum beyond the 32-bit range empties the results in view.
  const auto calculation = [this] {
    brantel::CalcTransformation(working_);
    if (working_.Option == 1) {
      for (std::size_t i = 0; i < 3; ++i) forms::ShowResult(ui_.newVector[i], FormatGeneral(working_.NewVector[i]));
    } else {
      for (std::size_t k = 0; k < 9; ++k) {
        forms::ShowResult(ui_.newTensor[k], FormatGeneral(working_.NewTensor[k / 3][k % 3]));
      }
    }
  };
  if (working_.Option == 1) {
    forms::Calculate({ui_.newVector[0], ui_.newVector[1], ui_.newVector[2]}, calculation,
                     [this] { working_.NewVector = {}; });
  } else {
    forms::Calculate({ui_.newTensor[0], ui_.newTensor[1], ui_.newTensor[2], ui_.newTensor[3], ui_.newTensor[4],
                      ui_.newTensor[5], ui_.newTensor[6], ui_.newTensor[7], ui_.newTensor[8]},
                     calculation, [this] { working_.NewTensor = {}; });
  }
}

void frmTransformCoor::Text_Change() {
  if (loading_) return;
  if (ValidateInput()) CalcTransformation();
}

void frmTransformCoor::CommitToProject() {
  // The validation of OK read the boxes in view; the hidden tensor or vector
  // keeps what it last accepted rather than whatever text its boxes hold.
  Project.TransformInputs = working_;
  MarkProjectChanged();
}

}  // namespace brantel
