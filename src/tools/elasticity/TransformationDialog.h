#pragma once

#include "core/project/ProjectRecord.h"
#include "forms/FormBuilder.h"
#include "forms/FormDialog.h"
#include "forms/FormInputs.h"

#include <array>

class QLineEdit;
class QPushButton;

namespace brantel {

// The design names of the coordinate transformation dialog's controls, for
// its code and its tests. The 3 x 3 grids are filled row by row: box k holds
// component (k / 3 + 1, k % 3 + 1).
namespace transformation {
inline constexpr char kCosines[] = "Text1";
inline constexpr char kTensor[] = "Text2";
inline constexpr char kNewTensor[] = "Text3";
inline constexpr char kVector[] = "Text4";
inline constexpr char kNewVector[] = "Text5";
inline constexpr std::array<forms::ItemName, 9> kCosineBox = forms::Items<9>(kCosines);
inline constexpr std::array<forms::ItemName, 9> kTensorBox = forms::Items<9>(kTensor);
inline constexpr std::array<forms::ItemName, 9> kNewTensorBox = forms::Items<9>(kNewTensor);
inline constexpr std::array<forms::ItemName, 3> kVectorBox = forms::Items<3>(kVector);
inline constexpr std::array<forms::ItemName, 3> kNewVectorBox = forms::Items<3>(kNewVector);
inline constexpr char kOperandKind[] = "Option1";
inline constexpr forms::ItemName kTensorKind = forms::Item(kOperandKind, 0);
inline constexpr forms::ItemName kVectorKind = forms::Item(kOperandKind, 1);
inline constexpr char kInputBrackets[] = "linInput";
inline constexpr char kResultBrackets[] = "linResult";
inline constexpr char kOk[] = "CmdOk";
inline constexpr char kCancel[] = "cmdCancel";
inline constexpr char kHelp[] = "cmdHelp";
}  // namespace transformation

class MatrixBrackets;

// Coordinate transformation of a tensor (A' = a A a^T) or a vector (v' = a v)
// with a matrix of direction cosines, chosen by two option buttons. Works on
// TransformInputs of the project; the mechanics are in Transformation.h.
class TransformationDialog : public forms::FormDialog {
  Q_OBJECT

 public:
  explicit TransformationDialog(QWidget* owner = nullptr);
  ~TransformationDialog() override;

 protected:
  void LoadFromProject() override;
  bool ValidateInput() override;
  void CommitToProject() override;

 private:
  void OnLoad();
  void OnInputEdited();
  // The tensor (0) or the vector (1) chosen.
  void OnOperandKindChosen(TransformOperand kind);
  void ShowBoxesOf(TransformOperand kind);
  // Transforms the accepted inputs and shows the result in view.
  void ShowResults();

  struct Ui {
    std::array<QLineEdit*, 9> cosines;  // row by row
    std::array<QLineEdit*, 9> tensor;
    std::array<QLineEdit*, 9> newTensor;
    std::array<QLineEdit*, 3> vector;
    std::array<QLineEdit*, 3> newVector;
    forms::ChoiceArray<TransformOperand> operandKind;
    MatrixBrackets* inputBrackets;  // around the tensor or the vector
    MatrixBrackets* resultBrackets;
    QPushButton* ok;
  } ui_;

  forms::NumericInputs cosineInputs_;
  forms::NumericInputs tensorInputs_;
  forms::NumericInputs vectorInputs_;
  TransformData working_;  // the inputs last accepted and the last results
};

}  // namespace brantel
