#pragma once

#include "forms/FormDialog.h"
#include "tools/stress/Fadum.h"

class QLineEdit;
class QPushButton;

namespace brantel {

class FoundationPlan;

// The additional vertical stress under any point of the ground, at a depth
// below a uniformly loaded rectangular foundation, by superposition of
// rectangles that each have the point under a corner. The point follows the
// pointer over the plan view. Works on the Fadum fields of the project
// (FadumLength, FadumWidth, FadumDepth, FadumLoad, FadumX, FadumY); the
// mechanics are in Fadum.h.
class frmFadum : public forms::FormDialog {
  Q_OBJECT

 public:
  explicit frmFadum(QWidget* owner = nullptr);
  ~frmFadum() override;

  // The superposition last shown.
  const FoundationStress& LastStress() const { return stress_; }

 protected:
  void LoadFromProject() override;
  bool ValidateInput() override;
  void CommitToProject() override;

 private:
  void Form_Load();
  void txtMhkos_Change();
  void txtPlatos_Change();
  void txtVathos_Change();
  void frmKatopsi_MouseMove(double x, double y);
  void cmdFadum_Click();

  void CalcPointStress();
  void DrawFoundation();

  struct Ui {
    FoundationPlan* plan;    // frmKatopsi
    QLineEdit* load;         // txtFortio
    QLineEdit* width;        // txtPlatos
    QLineEdit* length;       // txtMhkos
    QLineEdit* x;            // txtX
    QLineEdit* y;            // txtY
    QLineEdit* depth;        // txtVathos
    QLineEdit* stress;       // txtProsthetes
    QPushButton* fadum;      // cmdFadum
    QPushButton* ok;         // btnOk
    QPushButton* cancel;     // btnCancel
  } ui_;

  // The foundation as drawn, and the point.
  float drawnLength_ = 0.0f, drawnWidth_ = 0.0f;
  float x_ = 0.0f, y_ = 0.0f;
  // The four inputs as accepted by OK.
  float length_ = 0.0f, width_ = 0.0f, load_ = 0.0f, depth_ = 0.0f;
  FoundationStress stress_;
};

}  // namespace brantel
