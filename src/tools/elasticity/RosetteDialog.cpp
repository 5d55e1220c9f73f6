#include "tools/elasticity/RosetteDialog.h"

#include "core/History.h"
#include "core/Messages.h"
#include "forms/FormHelpers.h"
#include "tools/elasticity/Rosette.h"

#include <QFrame>
#include <QLineEdit>
#include <QPushButton>

namespace brantel {
namespace {

using forms::ControlRow;
using forms::Kind;
using forms::Reading;

constexpr unsigned kResult = forms::kReadOnly | forms::kRedText;

constexpr forms::FormDesign kForm{7935, 5280, "Strain Analysis from Strain Gauge Data",
                                "Υπολογισμός ανηγμένων παραμορφώσεων από μηκυνσιόμετρα"};

constexpr ControlRow kControls[] = {
    // The gauges.
    {"Frame1", Kind::Frame, nullptr, 120, 120, 4575, 2055, "Input Data from Strain Gauges",
     "Εισαγωγή δεδομένων από μηκυνσιόμετρα"},
    {"lblea", Kind::Label, "Frame1", 240, 360, 375, 255, "ea", "εα", "Text1"},
    {"Text1", Kind::TextBox, "Frame1", 720, 330, 1335, 285},
    {"lbleb", Kind::Label, "Frame1", 240, 720, 375, 255, "eb", "εβ", "Text2"},
    {"Text2", Kind::TextBox, "Frame1", 720, 690, 1335, 285},
    {"lblec", Kind::Label, "Frame1", 240, 1080, 375, 255, "ec", "εγ", "Text3"},
    {"Text3", Kind::TextBox, "Frame1", 720, 1050, 1335, 285},
    {"lblth1", Kind::Label, "Frame1", 2280, 360, 615, 255, "g1", "θ1 *", "Text4"},
    {"Text4", Kind::TextBox, "Frame1", 2940, 330, 1335, 285},
    {"lblth2", Kind::Label, "Frame1", 2280, 720, 615, 255, "g2", "θ2 *", "Text5"},
    {"Text5", Kind::TextBox, "Frame1", 2940, 690, 1335, 285},
    {"lblth3", Kind::Label, "Frame1", 2280, 1080, 615, 255, "g3", "θ3 *", "Text6"},
    {"Text6", Kind::TextBox, "Frame1", 2940, 1050, 1335, 285},
    {"Label13", Kind::Label, "Frame1", 240, 1455, 4215, 480, "Angles in degrees, counter-clockwise from +x axis",
     "Οι γωνίες είναι σε μοίρες αριστερόστροφα από χ+"},
    // The tensor.
    {"Frame4", Kind::Frame, nullptr, 4800, 120, 3015, 1455, "2D Strain Tensor", "Όροι τανυστή"},
    {"lblex", Kind::Label, "Frame4", 240, 360, 495, 255, "ex", "εx", "Text14"},
    {"Text14", Kind::TextBox, "Frame4", 840, 330, 1935, 285, nullptr, nullptr, nullptr, kResult},
    {"lbley", Kind::Label, "Frame4", 240, 720, 495, 255, "ey", "εy", "Text15"},
    {"Text15", Kind::TextBox, "Frame4", 840, 690, 1935, 285, nullptr, nullptr, nullptr, kResult},
    {"lblgxy", Kind::Label, "Frame4", 240, 1080, 495, 255, "gxy", "γxy", "Text16"},
    {"Text16", Kind::TextBox, "Frame4", 840, 1050, 1935, 285, nullptr, nullptr, nullptr, kResult},
    {"Picture1", Kind::Picture, nullptr, 4800, 1680, 3015, 495},  // nothing draws in it
    // The principal strains.
    {"Frame3", Kind::Frame, nullptr, 120, 2280, 7695, 1095, "Principal Strains", "Κύριες ανηγμένες παραμορφώσεις"},
    {"lble1", Kind::Label, "Frame3", 240, 360, 375, 255, "e1", "ε1", "Text9"},
    {"Text9", Kind::TextBox, "Frame3", 720, 330, 1935, 285, nullptr, nullptr, nullptr, kResult},
    {"lble2", Kind::Label, "Frame3", 240, 720, 375, 255, "e2", "ε2", "Text10"},
    {"Text10", Kind::TextBox, "Frame3", 720, 690, 1935, 285, nullptr, nullptr, nullptr, kResult},
    {"lblthe1", Kind::Label, "Frame3", 3960, 360, 735, 255, "w(e1)", "θ1", "Text11"},
    {"Text11", Kind::TextBox, "Frame3", 4800, 330, 1935, 285, nullptr, nullptr, nullptr, kResult},
    {"lblthe2", Kind::Label, "Frame3", 3960, 720, 735, 255, "w(e2)", "θ2", "Text12"},
    {"Text12", Kind::TextBox, "Frame3", 4800, 690, 1935, 285, nullptr, nullptr, nullptr, kResult},
    // The plane.
    {"Frame2", Kind::Frame, nullptr, 120, 3480, 7695, 1095, "Strain Calculation at Given Plane",
     "Υπολογισμός σε τυχαίο επίπεδο"},
    {"lbltheta", Kind::Label, "Frame2", 240, 360, 375, 255, "w", "θ", "Text7"},
    {"Text7", Kind::TextBox, "Frame2", 720, 330, 1335, 285},
    {"lbletheta", Kind::Label, "Frame2", 3960, 360, 735, 255, "ew", "ε_θ", "Text13"},
    {"Text13", Kind::TextBox, "Frame2", 4800, 330, 1935, 285, nullptr, nullptr, nullptr, kResult},
    {"lblgtheta", Kind::Label, "Frame2", 3960, 720, 735, 255, "gw", "γ_θ", "Text8"},
    {"Text8", Kind::TextBox, "Frame2", 4800, 690, 1935, 285, nullptr, nullptr, nullptr, kResult},
    // Buttons.
    {"cmdHelp", Kind::Button, nullptr, 1560, 4740, 1215, 375, "Help"},
    {"cmdCancel", Kind::Button, nullptr, 3360, 4740, 1215, 375, "Cancel"},
    {"CmdOk", Kind::Button, nullptr, 5160, 4740, 1215, 375, "OK", nullptr, nullptr, forms::kDefault},
};

}  // namespace

frmRozeta::frmRozeta(QWidget* owner) : FormDialog(owner) {
  setObjectName(QStringLiteral("frmRozeta"));
  Build(kForm, kControls);
  ui_.ea = Require<QLineEdit>(u"Text1");
  ui_.eb = Require<QLineEdit>(u"Text2");
  ui_.ec = Require<QLineEdit>(u"Text3");
  ui_.w1 = Require<QLineEdit>(u"Text4");
  ui_.w2 = Require<QLineEdit>(u"Text5");
  ui_.w3 = Require<QLineEdit>(u"Text6");
  ui_.w = Require<QLineEdit>(u"Text7");
  ui_.ex = Require<QLineEdit>(u"Text14");
  ui_.ey = Require<QLineEdit>(u"Text15");
  ui_.gxy = Require<QLineEdit>(u"Text16");
  ui_.e1 = Require<QLineEdit>(u"Text9");
  ui_.e2 = Require<QLineEdit>(u"Text10");
  ui_.theta1 = Require<QLineEdit>(u"Text11");
  ui_.theta2 = Require<QLineEdit>(u"Text12");
  ui_.ew = Require<QLineEdit>(u"Text13");
  ui_.gw = Require<QLineEdit>(u"Text8");
  ui_.ok = Require<QPushButton>(u"CmdOk");
  Require<QFrame>(u"Picture1")->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);

  inputs_.Add(ui_.ea, staged_.Ea, {Reading::WholeEntry, InvalidValueFor({"ea", "εα"})});
  inputs_.Add(ui_.eb, staged_.Eb, {Reading::WholeEntry, InvalidValueFor({"eb", "εβ"})});
  inputs_.Add(ui_.ec, staged_.Ec, {Reading::WholeEntry, InvalidValueFor({"ec", "εγ"})});
  inputs_.Add(ui_.w1, staged_.W1,
              {Reading::WholeEntry, Sentence({"Invalid value for angle w1", "Εσφαλμένη τιμή για τη γωνία θ1"}),
               RosetteDirectionRule(0)});
  inputs_.Add(ui_.w2, staged_.W2,
              {Reading::WholeEntry, Sentence({"Invalid value for angle w2", "Εσφαλμένη τιμή για τη γωνία θ2"}),
               RosetteDirectionRule(1)});
  inputs_.Add(ui_.w3, staged_.W3,
              {Reading::WholeEntry, Sentence({"Invalid value for angle w3", "Εσφαλμένη τιμή για τη γωνία θ3"}),
               RosetteDirectionRule(2)});
  inputs_.Add(ui_.w, staged_.W,
              {Reading::WholeEntry, Sentence({"Invalid value for angle w", "Εσφαλμένη τιμή για τη γωνία θ"}),
               RosettePlaneAngleRule()});

  WireButtons(ui_.ok, Require<QPushButton>(u"cmdCancel"), Require<QPushButton>(u"cmdHelp"));
  for (QLineEdit* box : {ui_.ea, ui_.eb, ui_.ec, ui_.w1, ui_.w2, ui_.w3}) {
    connect(box, &QLineEdit::textChanged, this, &frmRozeta::Gauge_Change);
  }
  connect(ui_.w, &QLineEdit::textChanged, this, &frmRozeta::Text7_Change);
  for (QLineEdit* box : {ui_.ea, ui_.eb, ui_.ec, ui_.w1, ui_.w2, ui_.w3, ui_.w}) {
    forms::OnLostFocus(box, [this, box] { Text_LostFocus(box); });
  }

  Form_Load();
}

frmRozeta::~frmRozeta() = default;

void frmRozeta::Form_Load() {
  LoadInputs();
  if (ValidateInput()) CalcStrainTensor();
  AddHistoryLine(Tr({"Strain analysis from strain gauge data.",
                     "Υπολογισμός ανηγμένων παραμορφώσεων από σύμπλεγμα μηκυνσιομέτρων."}));
}

void frmRozeta::LoadFromProject() {
  rosette_ = Project.Rosette;
  principal_ = Project.RosetteResults1;
  tensor_ = Project.RosetteResults2;
  staged_ = rosette_;
  inputs_.Show(kRosetteMask);
}

bool frmRozeta::ValidateInput() {
  if (!inputs_.Validate()) return false;
  rosette_.Ea = staged_.Ea;
  rosette_.Eb = staged_.Eb;
  rosette_.Ec = staged_.Ec;
  rosette_.W1 = staged_.W1;
  rosette_.W2 = staged_.W2;
  rosette_.W3 = staged_.W3;
  rosette_.W = staged_.W;
  return true;
}

void frmRozeta::CalcStrainTensor() {
  // Gauge directions that leave the system singular, or results beyond the
  // 32-bit range, empty every result and keep OK disabled until the inputs
  // change; the plane follows the principal strains.
  solved_ = false;
  const auto results = {ui_.ex, ui_.ey, ui_.gxy, ui_.e1, ui_.e2, ui_.theta1, ui_.theta2};
  forms::Calculate(results, [&] {
    const RosetteSolution s = brantel::CalcStrainTensor(rosette_);
    tensor_.Ex = s.Tensor.Ex;
    tensor_.Ey = s.Tensor.Ey;
    tensor_.Gxy = s.Tensor.Gxy;
    principal_ = s.Principal;
    if (s.Singular) return forms::ClearResults(results);
    forms::ShowResult(ui_.ex, tensor_.Ex, kRosetteMask);
    forms::ShowResult(ui_.ey, tensor_.Ey, kRosetteMask);
    forms::ShowResult(ui_.gxy, tensor_.Gxy, kRosetteMask);
    forms::ShowResult(ui_.e1, principal_.E1, kRosetteMask);
    forms::ShowResult(ui_.e2, principal_.E2, kRosetteMask);
    forms::ShowResult(ui_.theta1, principal_.Theta1, kRosetteMask);
    forms::ShowResult(ui_.theta2, principal_.Theta2, kRosetteMask);
    solved_ = true;
  });
  ui_.ok->setEnabled(solved_);
  CalcStrainAtAngle();
}

void frmRozeta::CalcStrainAtAngle() {
  const auto results = {ui_.ew, ui_.gw};
  if (!solved_) {
    rosette_.Ew = 0.0f;
    rosette_.Gw = 0.0f;
    return forms::ClearResults(results);
  }
  forms::Calculate(
      results,
      [this] {
        const RosettePlaneStrains p = brantel::CalcStrainAtAngle(principal_, rosette_.W);
        rosette_.Ew = p.Ew;
        rosette_.Gw = p.Gw;
        forms::ShowResult(ui_.ew, rosette_.Ew, kRosetteMask);
        forms::ShowResult(ui_.gw, rosette_.Gw, kRosetteMask);
      },
      [this] {
        rosette_.Ew = 0.0f;
        rosette_.Gw = 0.0f;
      });
}

void frmRozeta::Gauge_Change() {
  if (loading_) return;
  if (ValidateInput()) CalcStrainTensor();
}

void frmRozeta::Text7_Change() {
  if (loading_) return;
  if (ValidateInput()) CalcStrainAtAngle();
}

void frmRozeta::Text_LostFocus(QLineEdit* box) {
  // What was typed shows as its number in the general format; a box the
  // user did not edit keeps its stored value.
  forms::ShowTypedGeneral(box, forms::OnLeave::ValueOfText);
}

void frmRozeta::CommitToProject() {
  Project.Rosette = rosette_;
  Project.RosetteResults1 = principal_;
  Project.RosetteResults2 = tensor_;
  MarkProjectChanged();
}

}  // namespace brantel
