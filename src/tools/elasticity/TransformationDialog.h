#pragma once

#include "core/project/ProjectRecord.h"
#include "forms/FormDialog.h"
#include "forms/FormInputs.h"

#include <array>

class QLineEdit;
class QPushButton;

namespace brantel {

class MatrixBrackets;

// Coordinate transformation of a tensor (A' = a A a^T) or a vector (v' = a v)
// with a matrix of direction cosines, chosen by two option buttons. Works on
// TransformInputs of the project; the mechanics are in Transformation.h.
class frmTransformCoor : public forms::FormDialog {
  Q_OBJECT

 public:
  explicit frmTransformCoor(QWidget* owner = nullptr);
  ~frmTransformCoor() override;

 protected:
  void LoadFromProject() override;
  bool ValidateInput() override;
  void CommitToProject() override;

 private:
  void Form_Load();
  void Text_Change();
  void Option1_Click(int index);
  void ShowBoxesOf(int option);
  void CalcTransformation();

  struct Ui {
    std::array<QLineEdit*, 9> cosines;    // Text1(0..8), row by row
    std::array<QLineEdit*, 9> tensor;     // Text2(0..8)
    std::array<QLineEdit*, 9> newTensor;  // Text3(0..8)
    std::array<QLineEdit*, 3> vector;     // Text4(0..2)
    std::array<QLineEdit*, 3> newVector;  // Text5(0..2)
    forms::OptionArray option;            // Option1: 0 tensor, 1 vector
    MatrixBrackets* inputBrackets;        // around the tensor or the vector
    MatrixBrackets* resultBrackets;
    QPushButton* ok;                      // CmdOk
  } ui_;

  forms::NumericInputs cosineInputs_;
  forms::NumericInputs tensorInputs_;
  forms::NumericInputs vectorInputs_;
  TransformData working_;  // the inputs last accepted and the last results
};

}  // namespace brantel
