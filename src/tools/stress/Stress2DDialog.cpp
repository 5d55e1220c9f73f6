#include "tools/stress/Stress2DDialog.h"

#include "core/History.h"
#include "core/Messages.h"
#include "core/NumberFormat.h"
#include "core/RuntimeError.h"
#include "core/Validation.h"
#include "core/Settings.h"
#include "forms/FormHelpers.h"
#include "forms/FormInputs.h"
#include "plot/StressPlot.h"
#include "tools/stress/ElementPicture.h"
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
using forms::Reading;

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
    {"optAngle(0)", Kind::Option, "Frame3", 2760, 480, 225, 255, nullptr, nullptr, "Label19"},
    {"optAngle(1)", Kind::Option, "Frame3", 2760, 1200, 225, 255, nullptr, nullptr, "Label21"},
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

}  // namespace

frm2DPrinc::frm2DPrinc(QWidget* owner) : FormDialog(owner) {
  setObjectName(QStringLiteral("frm2DPrinc"));
  Build(kForm, kControls, [](const ControlRow& row, QWidget* parent) -> QWidget* {
    const QLatin1String name(row.name);
    if (name == QLatin1String("picMohr")) return new MohrCirclePlot(parent);
    if (name == QLatin1String("pic_ref")) return new ReferenceElement(parent);
    if (name == QLatin1String("pic_bot")) return new ElementView(parent);
    return nullptr;
  });
  ui_.sx = Require<QLineEdit>(u"Text1");
  ui_.sy = Require<QLineEdit>(u"Text2");
  ui_.txy = Require<QLineEdit>(u"Text3");
  ui_.angle = Require<QLineEdit>(u"Text9");
  ui_.s1 = Require<QLineEdit>(u"Text4");
  ui_.s2 = Require<QLineEdit>(u"Text5");
  ui_.theta1 = Require<QLineEdit>(u"Text6(0)");
  ui_.theta2 = Require<QLineEdit>(u"Text10");
  ui_.tmax = Require<QLineEdit>(u"Text11");
  ui_.thetaPlus45 = Require<QLineEdit>(u"Text12");
  ui_.thetaMinus45 = Require<QLineEdit>(u"Text13");
  ui_.sigmaN = Require<QLineEdit>(u"Text7");
  ui_.tauN = Require<QLineEdit>(u"Text8");
  ui_.angleFromX = Require<QLineEdit>(u"Text14");
  ui_.mohr = Require<QCheckBox>(u"chkMohr");
  ui_.view = Require<QPushButton>(u"cmdView");
  ui_.plot = Require<QPushButton>(u"cmdPlot");
  ui_.ok = Require<QPushButton>(u"CmdOk");
  ui_.angleFrom = Options(u"optAngle");
  ui_.picMohr = Require<MohrCirclePlot>(u"picMohr");
  ui_.reference = Require<ReferenceElement>(u"pic_ref");
  ui_.sketch = Require<ElementView>(u"pic_bot");

  inputs_.Add(ui_.sx, stress_.Sx, {Reading::WholeEntry, InvalidValueFor({"sx", "σx"})});
  inputs_.Add(ui_.sy, stress_.Sy, {Reading::WholeEntry, InvalidValueFor({"sy", "σy"})});
  inputs_.Add(ui_.txy, stress_.Txy, {Reading::WholeEntry, InvalidValueFor({"txy", "τxy"})});
  inputs_.Add(ui_.angle, plane_.PlaneAngle, {Reading::WholeEntry, InvalidValueFor({"angle theta", "θ"})});

  auto* coord = Require<QLabel>(u"lblCoord");
  auto* intCoord = Require<QLabel>(u"lblIntCoord");
  for (QLabel* label : {coord, intCoord}) {
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
  }
  ui_.picMohr->AttachZoomBar(Require<QScrollBar>(u"HScroll1"));
  ui_.picMohr->AttachReadouts(coord, intCoord);

  WireButtons(ui_.ok, Require<QPushButton>(u"cmdCancel"), Require<QPushButton>(u"cmdHelp"));
  for (QLineEdit* box : {ui_.sx, ui_.sy, ui_.txy}) {
    connect(box, &QLineEdit::textChanged, this, &frm2DPrinc::TextStress_Change);
    forms::OnGotFocus(box, [this] { TextStress_GotFocus(); });
    forms::OnLostFocus(box, [this, box] { TextStress_LostFocus(box); });
  }
  connect(ui_.angle, &QLineEdit::textChanged, this, &frm2DPrinc::Text9_Change);
  forms::OnLostFocus(ui_.angle, [this] { Text9_LostFocus(); });
  connect(ui_.mohr, &QCheckBox::toggled, this, &frm2DPrinc::chkMohr_Click);
  connect(ui_.plot, &QPushButton::clicked, this, &frm2DPrinc::cmdPlot_Click);
  timer1_.setSingleShot(true);
  connect(&timer1_, &QTimer::timeout, this, &frm2DPrinc::Timer1_Timer);

  Form_Load();
}

frm2DPrinc::~frm2DPrinc() = default;

void frm2DPrinc::Form_Load() {
  LoadInputs();
  if (ValidateInput() && CalcPrincipal()) timer1_.start(500);
  if (EnableMohrCircles == 1) ui_.mohr->setChecked(true);
  RedrawPlot(true);
  forms::SetArrayIndex(ui_.angleFrom, 0);
  if (Val(ui_.angle->text()) != 0) Text9_Change();
  AddHistoryLine(Tr({"Stress Analysis in Two Dimensions.", "Ανάλυση τάσεων σε δύο διαστάσεις."}));
}

void frm2DPrinc::LoadFromProject() {
  stress_ = Project.Stress2D;
  plane_ = Project.Stress2DPlane;
  inputs_.Show(u"#0.##0");
  ui_.mohr->setChecked(stress_.GraphOption == 1);
  chkMohr_Click();
}

bool frm2DPrinc::ValidateInput() {
  const bool valid = inputs_.Validate();
  ui_.ok->setEnabled(stress_.Sx != 0 || stress_.Sy != 0 || stress_.Txy != 0 || plane_.PlaneAngle != 0);
  return valid;
}

bool frm2DPrinc::CalcPrincipal() {
  principalShown_ = forms::Calculate(
      {ui_.s1, ui_.s2, ui_.theta1, ui_.theta2, ui_.tmax, ui_.thetaPlus45, ui_.thetaMinus45, ui_.sigmaN,
       ui_.tauN, ui_.angleFromX},
      [this] {
        principal_ = PrincipalStresses(stress_.Sx, stress_.Sy, stress_.Txy);
        forms::ShowResult(ui_.s1, principal_.S1);
        forms::ShowResult(ui_.s2, principal_.S2);
        forms::ShowResult(ui_.theta1, principal_.Theta1);
        forms::ShowResult(ui_.theta2, principal_.Theta2);
        forms::ShowResult(ui_.tmax, principal_.TauMax);
        forms::ShowResult(ui_.thetaPlus45, principal_.ThetaPlus45);
        forms::ShowResult(ui_.thetaMinus45, principal_.ThetaMinus45);
      },
      [this] {
        principal_ = {};
        ui_.picMohr->Blank();
      });
  if (!principalShown_) return false;
  ui_.view->setEnabled(true);
  sketchDrawn_ = false;
  return CalcPlaneStress();
}

bool frm2DPrinc::CalcPlaneStress() {
  if (!principalShown_) return false;  // the plane follows from the principal stresses
  return forms::Calculate({ui_.sigmaN, ui_.tauN, ui_.angleFromX}, [this] {
    const PlaneStress p = StressOnPlaneAt(principal_.S1, principal_.S2, plane_.PlaneAngle);
    plane_.SigmaN = p.SigmaN;
    plane_.TauN = p.TauN;
    forms::ShowResult(ui_.sigmaN, plane_.SigmaN);
    forms::ShowResult(ui_.tauN, plane_.TauN);
    // The angle from x is the sum of the two texts as they stand.
    forms::ShowResult(ui_.angleFromX, Val(ui_.angle->text()) + Val(ui_.theta1->text()));
  });
}

void frm2DPrinc::RedrawPlot(bool useDefault) {
  if (!principalShown_) {
    ui_.picMohr->Blank();
    return;
  }
  ui_.picMohr->SetPrincipal(principal_.S1, principal_.S2, principal_.TauMax);
  // A number too large to read draws the plane at 0 degrees: nothing is
  // computed from that text, and validation refuses it with its message.
  ui_.picMohr->SetPlaneAngle(LeadingNumber(ui_.angle->text()).value_or(0.0));
  ui_.picMohr->Redraw(useDefault);
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
  for (const QLineEdit* box : {ui_.sx, ui_.sy, ui_.txy}) {
    // A number too large to read is not 0 either.
    const std::optional<double> value = LeadingNumber(box->text());
    if (!value || *value != 0) return true;
  }
  return false;
}

void frm2DPrinc::TextStress_GotFocus() {
  forms::SelectAllText();
  if (AnyStressEntered()) DrawElementImage();
}

void frm2DPrinc::TextStress_LostFocus(QLineEdit* box) {
  forms::ShowTypedValue(box, u"#0.##0", forms::OnLeave::ValueOfText);
  if (AnyStressEntered()) DrawElementImage();
}

void frm2DPrinc::Text9_LostFocus() {
  forms::ShowTypedValue(ui_.angle, u"#0.##0", forms::OnLeave::NumbersOnly);
}

void frm2DPrinc::chkMohr_Click() {
  const bool shown = ui_.mohr->isChecked();
  ui_.picMohr->SetPlotShown(shown);
  ui_.picMohr->setVisible(shown);  // no sliver of it at the edge of the narrow dialog
  ui_.plot->setVisible(shown);
  Layout().SetFormWidth(shown ? kWideWidth : kNarrowWidth);
  if (shown) cmdPlot_Click();
  forms::CenterForm(this);
}

void frm2DPrinc::cmdPlot_Click() {
  if (principal_.S1 != 0 || principal_.S2 != 0) {
    RedrawPlot(true);
  } else {
    ui_.picMohr->SetPrincipal(principal_.S1, principal_.S2, principal_.TauMax);
    ui_.picMohr->SetPlotRangeSafely(true);
  }
}

void frm2DPrinc::Timer1_Timer() {
  DrawElementImage();
  timer1_.stop();
}

void frm2DPrinc::DrawElementImage() {
  if (sketchDrawn_) return;
  if (principal_.Theta1 == 0) {
    // A principal direction along x: the labelled picture is the sketch.
    if (!ui_.sketch->LabelledShown()) ui_.sketch->ShowLabelled();
  } else {
    ui_.sketch->ShowTurned(ui_.reference->Picture(), principal_.Theta1);
  }
  sketchDrawn_ = true;
  ui_.view->setEnabled(false);
}

void frm2DPrinc::CommitToProject() {
  stress_.GraphOption = ui_.mohr->isChecked() ? 1 : 0;
  Project.Stress2D = stress_;
  Project.Stress2DPlane = plane_;
  MarkProjectChanged();
}

void frm2DPrinc::FormUnload() { timer1_.stop(); }

}  // namespace brantel
