#include "tools/stress/Stress2DDialog.h"

#include "core/Conversions.h"
#include "core/ErrorReporting.h"
#include "core/History.h"
#include "core/Messages.h"
#include "core/NumberFormat.h"
#include "core/RuntimeError.h"
#include "core/Settings.h"
#include "core/Validation.h"
#include "forms/FormHelpers.h"
#include "plot/StressPlot.h"
#include "tools/stress/ElementSketch.h"
#include "tools/stress/Stress2D.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

namespace brantel {
namespace {

using forms::ControlRow;
using forms::Kind;

constexpr unsigned kResult = forms::kReadOnly;

constexpr forms::FormDesign kForm{frm2DPrinc::kNarrowWidth, 6480, "Stress Analysis in Two Dimensions",
                                "Ανάλυση τάσεων σε δύο διαστάσεις"};

constexpr ControlRow kControls[] = {
    // Inputs.
    {"Frame1", Kind::Frame, nullptr, 120, 120, 4695, 1455, "Input Data", "Εισαγωγή δεδομένων"},
    {"lblsx", Kind::Label, "Frame1", 480, 240, 450, 255, "sx", "σx", "Text1"},
    {"lblsy", Kind::Label, "Frame1", 480, 600, 450, 255, "sy", "σy", "Text2"},
    {"lbltxy", Kind::Label, "Frame1", 480, 960, 450, 255, "txy", "τxy", "Text3"},
    {"Text1", Kind::TextBox, "Frame1", 960, 240, 855, 285, nullptr, nullptr, nullptr, 0, 20},
    {"Text2", Kind::TextBox, "Frame1", 960, 600, 855, 285, nullptr, nullptr, nullptr, 0, 20},
    {"Text3", Kind::TextBox, "Frame1", 960, 960, 855, 285, nullptr, nullptr, nullptr, 0, 20},
    {"chkMohr", Kind::CheckBox, "Frame1", 2520, 360, 1815, 255, "Mohr's Circle", "Κύκλος του Mohr"},
    {"cmdView", Kind::Button, "Frame1", 2400, 840, 2055, 375, "View Orientation", "απεικόνιση στροφής"},
    // Principal results.
    {"Frame2", Kind::Frame, nullptr, 120, 1680, 4695, 2055, "Principal Stresses", "Κύριες τάσεις"},
    {"lbls1", Kind::Label, "Frame2", 600, 240, 345, 255, "s1", "σ1", "Text4"},
    {"lbls2", Kind::Label, "Frame2", 600, 600, 345, 255, "s2", "σ2", "Text5"},
    {"Text4", Kind::TextBox, "Frame2", 960, 240, 1095, 285, nullptr, nullptr, nullptr, kResult},
    {"Text5", Kind::TextBox, "Frame2", 960, 600, 1095, 285, nullptr, nullptr, nullptr, kResult},
    {"lblth1", Kind::Label, "Frame2", 2640, 240, 480, 255, "w(s1)", "θ1", "Text6(0)"},
    {"lblth2", Kind::Label, "Frame2", 2640, 600, 480, 255, "w(s2)", "θ2", "Text10"},
    {"Text6(0)", Kind::TextBox, "Frame2", 3120, 240, 1095, 285, nullptr, nullptr, nullptr, kResult},
    {"Text10", Kind::TextBox, "Frame2", 3120, 600, 1095, 285, nullptr, nullptr, nullptr, kResult},
    {"lbltmax", Kind::Label, "Frame2", 120, 1200, 825, 255, "tmax", "τ max", "Text11"},
    {"Text11", Kind::TextBox, "Frame2", 960, 1200, 855, 285, nullptr, nullptr, nullptr, kResult},
    {"lblth1x", Kind::Label, "Frame2", 1890, 1200, 1215, 255, "w(tmax) from x", "θ (from x)", "Text12"},
    {"lblth2x", Kind::Label, "Frame2", 1890, 1560, 1215, 255, "w(tmax) from x", "θ (from x)", "Text13"},
    {"Text12", Kind::TextBox, "Frame2", 3120, 1200, 1095, 285, nullptr, nullptr, nullptr, kResult},
    {"Text13", Kind::TextBox, "Frame2", 3120, 1560, 1095, 285, nullptr, nullptr, nullptr, kResult},
    // The plane.
    {"Frame3", Kind::Frame, nullptr, 120, 3840, 4695, 1815, "Stress Calculation at any Plane",
     "Υπολογισμός τάσεων σε τυχαίο επίπεδο"},
    {"Label19", Kind::Label, "Frame3", 240, 360, 1500, 615, "Angle of Plane Vector from s1 (deg) ",
     "γωνία διανύ- σματος επιπέδου από σ1 (ο)", "Text9"},
    {"Text9", Kind::TextBox, "Frame3", 1800, 480, 855, 285, nullptr, nullptr, nullptr, 0, 7},
    {"Label21", Kind::Label, "Frame3", 240, 1080, 1500, 615, "Angle of Plane from x-axis (deg) ",
     "γωνία επιπέδου από x (o)", "Text14"},
    {"Text14", Kind::TextBox, "Frame3", 1800, 1200, 855, 285, nullptr, nullptr, nullptr, kResult},
    {"optAngle(0)", Kind::Option, "Frame3", 2760, 480, 225, 255},
    {"optAngle(1)", Kind::Option, "Frame3", 2760, 1200, 225, 255},
    {"lblsN", Kind::Label, "Frame3", 3000, 360, 435, 255, "s_n", "σ_n", "Text7"},
    {"lbltN", Kind::Label, "Frame3", 3000, 720, 435, 255, "t_n", "τ_n", "Text8"},
    {"Text7", Kind::TextBox, "Frame3", 3480, 360, 1095, 285, nullptr, nullptr, nullptr, kResult},
    {"Text8", Kind::TextBox, "Frame3", 3480, 720, 1095, 285, nullptr, nullptr, nullptr, kResult},
    {"cmdPlot", Kind::Button, "Frame3", 3240, 1200, 1215, 375, "View", "απεικόνιση", nullptr, forms::kHidden},
    // The element sketch.
    {"pic_ref", Kind::Picture, nullptr, 4920, 240, 3000, 3000},
    {"pic_bot", Kind::Picture, nullptr, 4920, 3360, 3000, 3000},
    // The interactive plot.
    {"HScroll1", Kind::HScroll, nullptr, 8640, 240, 3015, 255, "Zoom", "Μεγέθυνση"},
    {"picMohr", Kind::Picture, nullptr, 8160, 720, 4080, 4000},
    {"lblCoord", Kind::Label, nullptr, 8640, 5040, 3255, 495},
    {"lblIntCoord", Kind::Label, nullptr, 8640, 5880, 3255, 495},
    // Buttons.
    {"cmdHelp", Kind::Button, nullptr, 600, 5880, 1215, 375, "Help"},
    {"cmdCancel", Kind::Button, nullptr, 2040, 5880, 1215, 375, "Cancel"},
    {"CmdOk", Kind::Button, nullptr, 3480, 5880, 1215, 375, "OK", nullptr, nullptr, forms::kDefault},
};

struct BoxName {
  const char16_t* box;
  const char* english;
  const char* greek;
};
constexpr BoxName kInputs[] = {
    {u"Text1", "sx", "σx"}, {u"Text2", "sy", "σy"}, {u"Text3", "txy", "τxy"}, {u"Text9", "angle theta", "θ"}};

}  // namespace

frm2DPrinc::frm2DPrinc(QWidget* owner) : forms::FormDialog(owner) {
  setObjectName(QStringLiteral("frm2DPrinc"));
  layout_ = std::make_unique<forms::FormLayout>(
      this, kForm, kControls, [this](const ControlRow& row, QWidget* parent) -> QWidget* {
        const QString name = QString::fromUtf8(row.name);
        if (name == QStringLiteral("picMohr")) return plot_ = new MohrCirclePlot(parent);
        if (name == QStringLiteral("pic_ref")) return reference_ = new ReferenceElement(parent);
        if (name == QStringLiteral("pic_bot")) return sketch_ = new ElementView(parent);
        return nullptr;
      });
  layout_->SetCaptions(EnglishMenus == 1);

  for (const char* name : {"lblCoord", "lblIntCoord"}) {
    auto* label = layout_->Require<QLabel>(QString::fromUtf8(name));
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
  }
  plot_->AttachZoomBar(layout_->Require<QScrollBar>(u"HScroll1"));
  plot_->AttachReadouts(layout_->Require<QLabel>(u"lblCoord"), layout_->Require<QLabel>(u"lblIntCoord"));

  for (const char16_t* name : {u"Text1", u"Text2", u"Text3"}) {
    QLineEdit* box = Box(name);
    connect(box, &QLineEdit::textChanged, this, [this] { TextStress_Change(); });
    forms::OnGotFocus(box, [this] { TextStress_GotFocus(); });
    forms::OnLostFocus(box, [this, box] { TextStress_LostFocus(box); });
  }
  connect(Box(u"Text9"), &QLineEdit::textChanged, this, [this] { Text9_Change(); });
  forms::OnLostFocus(Box(u"Text9"), [this] { Text9_LostFocus(); });
  connect(layout_->Require<QCheckBox>(u"chkMohr"), &QCheckBox::toggled, this, [this] { chkMohr_Click(); });
  connect(layout_->Require<QPushButton>(u"cmdPlot"), &QPushButton::clicked, this, [this] { cmdPlot_Click(); });
  connect(layout_->Require<QPushButton>(u"CmdOk"), &QPushButton::clicked, this, [this] { CmdOk_Click(); });
  connect(layout_->Require<QPushButton>(u"cmdCancel"), &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
  connect(layout_->Require<QPushButton>(u"cmdHelp"), &QPushButton::clicked, this, [] { ShowHelpHint(); });
  timer1_.setSingleShot(true);
  connect(&timer1_, &QTimer::timeout, this, [this] { Timer1_Timer(); });

  Form_Load();
}

frm2DPrinc::~frm2DPrinc() = default;

QLineEdit* frm2DPrinc::Box(QStringView name) const { return layout_->Require<QLineEdit>(name); }

void frm2DPrinc::Form_Load() {
  loading_ = true;
  accepted_ = false;
  LoadFromGlobals();
  loading_ = false;
  if (ValidateInput()) {
    CalcPrincipal();
    timer1_.start(500);
  }
  if (EnableMohrCircles == 1) layout_->Require<QCheckBox>(u"chkMohr")->setChecked(true);
  RedrawPlot(true);
  forms::SetArrayIndex(layout_->Options(u"optAngle"), 0);
  if (Val(Box(u"Text9")->text()) != 0) Text9_Change();
  AddHistoryLine(Tr(QStringLiteral("Stress Analysis in Two Dimensions."),
                    QStringLiteral("Ανάλυση τάσεων σε δύο διαστάσεις.")));
}

void frm2DPrinc::LoadFromGlobals() {
  const StressInput& s = Project.Stress2D;
  forms::ShowStoredValue(Box(u"Text1"), s.Sx, Format(s.Sx, u"#0.##0"));
  forms::ShowStoredValue(Box(u"Text2"), s.Sy, Format(s.Sy, u"#0.##0"));
  forms::ShowStoredValue(Box(u"Text3"), s.Txy, Format(s.Txy, u"#0.##0"));
  const float angle = Project.Stress2DPlane.PlaneAngle;
  forms::ShowStoredValue(Box(u"Text9"), angle, Format(angle, u"#0.##0"));
  stress_ = s;
  plane_ = Project.Stress2DPlane;
  layout_->Require<QCheckBox>(u"chkMohr")->setChecked(s.GraphOption == 1);
  chkMohr_Click();
}

bool frm2DPrinc::ValidateInput() {
  std::array<float, 4> values{};
  bool ok = true;
  for (std::size_t i = 0; i < std::size(kInputs) && ok; ++i) {
    QLineEdit* box = Box(kInputs[i].box);
    bool valid = IsNumericEntry(box->text());
    if (valid) {
      try {
        values[i] = CSng(forms::BoxValue(box));
      } catch (const RuntimeError&) {
        valid = false;  // beyond the range of a 32-bit value
      }
    }
    if (!valid) {
      ShowInvalidValue(QString::fromUtf8(kInputs[i].greek), QString::fromUtf8(kInputs[i].english), true);
      box->setFocus();
      box->selectAll();
      ok = false;
    }
  }
  if (ok) {
    stress_.Sx = values[0];
    stress_.Sy = values[1];
    stress_.Txy = values[2];
    plane_.PlaneAngle = values[3];
  }
  layout_->Require<QPushButton>(u"CmdOk")->setEnabled(stress_.Sx != 0 || stress_.Sy != 0 || stress_.Txy != 0 ||
                                                  plane_.PlaneAngle != 0);
  return ok;
}

void frm2DPrinc::CalcPrincipal() {
  try {
    principal_ = PrincipalStresses(stress_.Sx, stress_.Sy, stress_.Txy);
  } catch (const RuntimeError& e) {
    LogRuntimeError(e);
    return;
  }
  Box(u"Text4")->setText(Format(principal_[0], u"#0.##0"));
  Box(u"Text5")->setText(Format(principal_[1], u"#0.##0"));
  Box(u"Text6(0)")->setText(Format(principal_[2], u"#0.##0"));
  Box(u"Text10")->setText(Format(principal_[3], u"#0.##0"));
  Box(u"Text11")->setText(Format(principal_[4], u"#0.##0"));
  Box(u"Text12")->setText(Format(principal_[5], u"#0.##0"));
  Box(u"Text13")->setText(Format(principal_[6], u"#0.##0"));
  layout_->Require<QPushButton>(u"cmdView")->setEnabled(true);
  sketchDrawn_ = false;
  CalcPlaneStress();
}

void frm2DPrinc::CalcPlaneStress() {
  try {
    const PlaneStress p = StressOnPlaneAt(principal_[0], principal_[1], plane_.PlaneAngle);
    plane_.SigmaN = p.SigmaN;
    plane_.TauN = p.TauN;
  } catch (const RuntimeError& e) {
    LogRuntimeError(e);
    return;
  }
  Box(u"Text7")->setText(Format(plane_.SigmaN, u"#0.##0"));
  Box(u"Text8")->setText(Format(plane_.TauN, u"#0.##0"));
  // The angle from x is the sum of the two texts as they stand.
  try {
    Box(u"Text14")->setText(Format(Val(Box(u"Text9")->text()) + Val(Box(u"Text6(0)")->text()), u"#0.##0"));
  } catch (const RuntimeError& e) {
    LogRuntimeError(e);
  }
}

void frm2DPrinc::RedrawPlot(bool useDefault) {
  plot_->SetPrincipal(principal_[0], principal_[1], principal_[4]);
  double angle = 0;
  try {
    angle = Val(Box(u"Text9")->text());
  } catch (const RuntimeError&) {
  }
  plot_->SetPlaneAngle(angle);
  plot_->Redraw(useDefault);
}

void frm2DPrinc::TextStress_Change() {
  if (loading_) return;
  if (ValidateInput()) {
    CalcPrincipal();
    RedrawPlot(false);
  }
}

void frm2DPrinc::Text9_Change() {
  if (loading_) return;
  if (ValidateInput()) {
    CalcPlaneStress();
    RedrawPlot(false);
  }
}

bool frm2DPrinc::AnyStressEntered() const {
  for (const char16_t* name : {u"Text1", u"Text2", u"Text3"}) {
    try {
      if (Val(Box(name)->text()) != 0) return true;
    } catch (const RuntimeError&) {
      return true;  // a number too large to read is not 0 either
    }
  }
  return false;
}

void frm2DPrinc::TextStress_GotFocus() {
  forms::SelectAllText();
  if (AnyStressEntered()) DrawElementImage();
}

void frm2DPrinc::TextStress_LostFocus(QLineEdit* box) {
  if (!forms::BoxUnedited(box)) {
    try {
      box->setText(Format(Val(box->text()), u"#0.##0"));
    } catch (const RuntimeError&) {
    }
  }
  if (AnyStressEntered()) DrawElementImage();
}

void frm2DPrinc::Text9_LostFocus() {
  QLineEdit* box = Box(u"Text9");
  if (forms::BoxUnedited(box)) return;
  // Only a numeric text is put into the display form; anything else stays.
  if (const auto value = ParseNumber(box->text())) box->setText(Format(*value, u"#0.##0"));
}

void frm2DPrinc::chkMohr_Click() {
  const bool shown = layout_->Require<QCheckBox>(u"chkMohr")->isChecked();
  plot_->SetPlotShown(shown);
  plot_->setVisible(shown);  // no sliver of it at the edge of the narrow dialog
  layout_->Require<QPushButton>(u"cmdPlot")->setVisible(shown);
  layout_->SetFormWidth(shown ? kWideWidth : kNarrowWidth);
  if (shown) cmdPlot_Click();
  forms::CenterForm(this);
}

void frm2DPrinc::cmdPlot_Click() {
  if (principal_[0] != 0 || principal_[1] != 0) {
    RedrawPlot(true);
  } else {
    plot_->SetPrincipal(principal_[0], principal_[1], principal_[4]);
    plot_->SetPlotRangeSafely(true);
  }
}

void frm2DPrinc::Timer1_Timer() {
  DrawElementImage();
  timer1_.stop();
}

void frm2DPrinc::DrawElementImage() {
  if (sketchDrawn_) return;
  const float theta = principal_[2];
  if (theta == 0) {
    // A principal direction along x: the labelled picture is the sketch.
    if (!sketch_->LabelledShown()) sketch_->ShowLabelled();
  } else {
    sketch_->ShowTurned(reference_->Picture(), theta);
  }
  sketchDrawn_ = true;
  layout_->Require<QPushButton>(u"cmdView")->setEnabled(false);
}

void frm2DPrinc::ReadInputs() {
  stress_.Sx = CSng(forms::BoxValue(Box(u"Text1")));
  stress_.Sy = CSng(forms::BoxValue(Box(u"Text2")));
  stress_.Txy = CSng(forms::BoxValue(Box(u"Text3")));
  plane_.PlaneAngle = CSng(forms::BoxValue(Box(u"Text9")));
  stress_.GraphOption = layout_->Require<QCheckBox>(u"chkMohr")->isChecked() ? 1 : 0;
}

void frm2DPrinc::CmdOk_Click() {
  if (!ValidateInput()) return;
  ReadInputs();
  AcceptAndUnload();
}

void frm2DPrinc::cmdCancel_Click() {
  accepted_ = false;
  Unload();
}

void frm2DPrinc::FormUnload() {
  timer1_.stop();
  if (!IsAccepted()) return;
  Project.Stress2D = stress_;
  Project.Stress2DPlane = plane_;
  MarkProjectChanged();
}

void ShowStress2DTool(QWidget* owner) {
  frm2DPrinc dialog(owner);
  dialog.exec();
}

}  // namespace brantel
