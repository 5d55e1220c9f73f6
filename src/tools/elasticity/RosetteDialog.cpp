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

constexpr forms::FormDesign kForm{
    .name = "frmRozeta",
    .width = 7935,
    .height = 5280,
    .caption = {"Strain Analysis from Strain Gauge Data", "Υπολογισμός ανηγμένων παραμορφώσεων από μηκυνσιόμετρα"}};

// clang-format off
constexpr ControlRow kControls[] = {
    // The gauges.
    {.name = "Frame1", .kind = Kind::Frame, .at = {120, 120, 4575, 2055}, .caption = {"Input Data from Strain Gauges", "Εισαγωγή δεδομένων από μηκυνσιόμετρα"}},
    {.name = "lblea", .kind = Kind::Label, .container = "Frame1", .at = {240, 360, 375, 255}, .caption = {"ea", "εα"}, .partner = rosette::kReadingA},
    {.name = rosette::kReadingA, .kind = Kind::TextBox, .container = "Frame1", .at = {720, 330, 1335, 285}},
    {.name = "lbleb", .kind = Kind::Label, .container = "Frame1", .at = {240, 720, 375, 255}, .caption = {"eb", "εβ"}, .partner = rosette::kReadingB},
    {.name = rosette::kReadingB, .kind = Kind::TextBox, .container = "Frame1", .at = {720, 690, 1335, 285}},
    {.name = "lblec", .kind = Kind::Label, .container = "Frame1", .at = {240, 1080, 375, 255}, .caption = {"ec", "εγ"}, .partner = rosette::kReadingC},
    {.name = rosette::kReadingC, .kind = Kind::TextBox, .container = "Frame1", .at = {720, 1050, 1335, 285}},
    {.name = "lblth1", .kind = Kind::Label, .container = "Frame1", .at = {2280, 360, 615, 255}, .caption = {"g1", "θ1 *"}, .partner = rosette::kDirectionA},
    {.name = rosette::kDirectionA, .kind = Kind::TextBox, .container = "Frame1", .at = {2940, 330, 1335, 285}},
    {.name = "lblth2", .kind = Kind::Label, .container = "Frame1", .at = {2280, 720, 615, 255}, .caption = {"g2", "θ2 *"}, .partner = rosette::kDirectionB},
    {.name = rosette::kDirectionB, .kind = Kind::TextBox, .container = "Frame1", .at = {2940, 690, 1335, 285}},
    {.name = "lblth3", .kind = Kind::Label, .container = "Frame1", .at = {2280, 1080, 615, 255}, .caption = {"g3", "θ3 *"}, .partner = rosette::kDirectionC},
    {.name = rosette::kDirectionC, .kind = Kind::TextBox, .container = "Frame1", .at = {2940, 1050, 1335, 285}},
    {.name = "Label13", .kind = Kind::Label, .container = "Frame1", .at = {240, 1455, 4215, 480}, .caption = {"Angles in degrees, counter-clockwise from +x axis", "Οι γωνίες είναι σε μοίρες αριστερόστροφα από χ+"}},
    // The tensor.
    {.name = "Frame4", .kind = Kind::Frame, .at = {4800, 120, 3015, 1455}, .caption = {"2D Strain Tensor", "Όροι τανυστή"}},
    {.name = "lblex", .kind = Kind::Label, .container = "Frame4", .at = {240, 360, 495, 255}, .caption = {"ex", "εx"}, .partner = rosette::kEx},
    {.name = rosette::kEx, .kind = Kind::TextBox, .container = "Frame4", .at = {840, 330, 1935, 285}, .flags = kResult},
    {.name = "lbley", .kind = Kind::Label, .container = "Frame4", .at = {240, 720, 495, 255}, .caption = {"ey", "εy"}, .partner = rosette::kEy},
    {.name = rosette::kEy, .kind = Kind::TextBox, .container = "Frame4", .at = {840, 690, 1935, 285}, .flags = kResult},
    {.name = "lblgxy", .kind = Kind::Label, .container = "Frame4", .at = {240, 1080, 495, 255}, .caption = {"gxy", "γxy"}, .partner = rosette::kGxy},
    {.name = rosette::kGxy, .kind = Kind::TextBox, .container = "Frame4", .at = {840, 1050, 1935, 285}, .flags = kResult},
    {.name = rosette::kPictureArea, .kind = Kind::Picture, .at = {4800, 1680, 3015, 495}},  // nothing draws in it
    // The principal strains.
    {.name = "Frame3", .kind = Kind::Frame, .at = {120, 2280, 7695, 1095}, .caption = {"Principal Strains", "Κύριες ανηγμένες παραμορφώσεις"}},
    {.name = "lble1", .kind = Kind::Label, .container = "Frame3", .at = {240, 360, 375, 255}, .caption = {"e1", "ε1"}, .partner = rosette::kE1},
    {.name = rosette::kE1, .kind = Kind::TextBox, .container = "Frame3", .at = {720, 330, 1935, 285}, .flags = kResult},
    {.name = "lble2", .kind = Kind::Label, .container = "Frame3", .at = {240, 720, 375, 255}, .caption = {"e2", "ε2"}, .partner = rosette::kE2},
    {.name = rosette::kE2, .kind = Kind::TextBox, .container = "Frame3", .at = {720, 690, 1935, 285}, .flags = kResult},
    {.name = "lblthe1", .kind = Kind::Label, .container = "Frame3", .at = {3960, 360, 735, 255}, .caption = {"w(e1)", "θ1"}, .partner = rosette::kE1Direction},
    {.name = rosette::kE1Direction, .kind = Kind::TextBox, .container = "Frame3", .at = {4800, 330, 1935, 285}, .flags = kResult},
    {.name = "lblthe2", .kind = Kind::Label, .container = "Frame3", .at = {3960, 720, 735, 255}, .caption = {"w(e2)", "θ2"}, .partner = rosette::kE2Direction},
    {.name = rosette::kE2Direction, .kind = Kind::TextBox, .container = "Frame3", .at = {4800, 690, 1935, 285}, .flags = kResult},
    // The plane.
    {.name = "Frame2", .kind = Kind::Frame, .at = {120, 3480, 7695, 1095}, .caption = {"Strain Calculation at Given Plane", "Υπολογισμός σε τυχαίο επίπεδο"}},
    {.name = "lbltheta", .kind = Kind::Label, .container = "Frame2", .at = {240, 360, 375, 255}, .caption = {"w", "θ"}, .partner = rosette::kPlaneAngle},
    {.name = rosette::kPlaneAngle, .kind = Kind::TextBox, .container = "Frame2", .at = {720, 330, 1335, 285}},
    {.name = "lbletheta", .kind = Kind::Label, .container = "Frame2", .at = {3960, 360, 735, 255}, .caption = {"ew", "ε_θ"}, .partner = rosette::kPlaneNormalStrain},
    {.name = rosette::kPlaneNormalStrain, .kind = Kind::TextBox, .container = "Frame2", .at = {4800, 330, 1935, 285}, .flags = kResult},
    {.name = "lblgtheta", .kind = Kind::Label, .container = "Frame2", .at = {3960, 720, 735, 255}, .caption = {"gw", "γ_θ"}, .partner = rosette::kPlaneShearStrain},
    {.name = rosette::kPlaneShearStrain, .kind = Kind::TextBox, .container = "Frame2", .at = {4800, 690, 1935, 285}, .flags = kResult},
    // Buttons.
    {.name = rosette::kHelp, .kind = Kind::Button, .at = {1560, 4740, 1215, 375}, .caption = {"Help"}},
    {.name = rosette::kCancel, .kind = Kind::Button, .at = {3360, 4740, 1215, 375}, .caption = {"Cancel"}},
    {.name = rosette::kOk, .kind = Kind::Button, .at = {5160, 4740, 1215, 375}, .caption = {"OK"}, .flags = forms::kDefault},
};
// clang-format on

}  // namespace

RosetteDialog::RosetteDialog(QWidget* owner) : FormDialog(owner) {
  Build(kForm, kControls);
  ui_.readingA = Require<QLineEdit>(rosette::kReadingA);
  ui_.readingB = Require<QLineEdit>(rosette::kReadingB);
  ui_.readingC = Require<QLineEdit>(rosette::kReadingC);
  ui_.directionA = Require<QLineEdit>(rosette::kDirectionA);
  ui_.directionB = Require<QLineEdit>(rosette::kDirectionB);
  ui_.directionC = Require<QLineEdit>(rosette::kDirectionC);
  ui_.planeAngle = Require<QLineEdit>(rosette::kPlaneAngle);
  ui_.ex = Require<QLineEdit>(rosette::kEx);
  ui_.ey = Require<QLineEdit>(rosette::kEy);
  ui_.gxy = Require<QLineEdit>(rosette::kGxy);
  ui_.e1 = Require<QLineEdit>(rosette::kE1);
  ui_.e2 = Require<QLineEdit>(rosette::kE2);
  ui_.e1Direction = Require<QLineEdit>(rosette::kE1Direction);
  ui_.e2Direction = Require<QLineEdit>(rosette::kE2Direction);
  ui_.planeNormalStrain = Require<QLineEdit>(rosette::kPlaneNormalStrain);
  ui_.planeShearStrain = Require<QLineEdit>(rosette::kPlaneShearStrain);
  ui_.ok = Require<QPushButton>(rosette::kOk);
  Require<QFrame>(rosette::kPictureArea)->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);

  inputs_.Add(ui_.readingA, staged_.Ea, {Reading::WholeEntry, InvalidValueFor({"ea", "εα"})});
  inputs_.Add(ui_.readingB, staged_.Eb, {Reading::WholeEntry, InvalidValueFor({"eb", "εβ"})});
  inputs_.Add(ui_.readingC, staged_.Ec, {Reading::WholeEntry, InvalidValueFor({"ec", "εγ"})});
  inputs_.Add(ui_.directionA, staged_.W1,
              {Reading::WholeEntry, Sentence({"Invalid value for angle w1", "Εσφαλμένη τιμή για τη γωνία θ1"}),
               RosetteDirectionRule(0)});
  inputs_.Add(ui_.directionB, staged_.W2,
              {Reading::WholeEntry, Sentence({"Invalid value for angle w2", "Εσφαλμένη τιμή για τη γωνία θ2"}),
               RosetteDirectionRule(1)});
  inputs_.Add(ui_.directionC, staged_.W3,
              {Reading::WholeEntry, Sentence({"Invalid value for angle w3", "Εσφαλμένη τιμή για τη γωνία θ3"}),
               RosetteDirectionRule(2)});
  inputs_.Add(ui_.planeAngle, staged_.W,
              {Reading::WholeEntry, Sentence({"Invalid value for angle w", "Εσφαλμένη τιμή για τη γωνία θ"}),
               RosettePlaneAngleRule()});

  WireButtons(ui_.ok, Require<QPushButton>(rosette::kCancel), Require<QPushButton>(rosette::kHelp));
  for (QLineEdit* box : {ui_.readingA, ui_.readingB, ui_.readingC, ui_.directionA, ui_.directionB, ui_.directionC}) {
    connect(box, &QLineEdit::textChanged, this, &RosetteDialog::OnGaugeEdited);
  }
  connect(ui_.planeAngle, &QLineEdit::textChanged, this, &RosetteDialog::OnPlaneAngleEdited);
  for (QLineEdit* box :
       {ui_.readingA, ui_.readingB, ui_.readingC, ui_.directionA, ui_.directionB, ui_.directionC, ui_.planeAngle}) {
    forms::OnLostFocus(box, [this, box] { OnInputFocusLost(box); });
  }

  OnLoad();
}

RosetteDialog::~RosetteDialog() = default;

void RosetteDialog::OnLoad() {
  LoadInputs();
  if (ValidateInput()) ShowStrains();
  AddHistoryLine(Tr({"Strain analysis from strain gauge data.",
                     "Υπολογισμός ανηγμένων παραμορφώσεων από σύμπλεγμα μηκυνσιομέτρων."}));
}

void RosetteDialog::LoadFromProject() {
  rosette_ = Project.Rosette;
  principal_ = Project.RosettePrincipal;
  tensor_ = Project.RosetteTensor;
  staged_ = rosette_;
  inputs_.Show(kRosetteMask);
}

bool RosetteDialog::ValidateInput() {
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

void RosetteDialog::ShowStrains() {
  // Gauge directions that leave the system singular, or results beyond the
  // 32-bit range, empty every result and keep OK disabled until the inputs
  // change; the plane follows the principal strains.
  solved_ = false;
  const auto results = {ui_.ex, ui_.ey, ui_.gxy, ui_.e1, ui_.e2, ui_.e1Direction, ui_.e2Direction};
  forms::Calculate(results, [&] {
    const RosetteSolution s = CalcStrainTensor(rosette_);
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
    forms::ShowResult(ui_.e1Direction, principal_.Theta1, kRosetteMask);
    forms::ShowResult(ui_.e2Direction, principal_.Theta2, kRosetteMask);
    solved_ = true;
  });
  ui_.ok->setEnabled(solved_);
  ShowPlaneStrains();
}

void RosetteDialog::ShowPlaneStrains() {
  const auto results = {ui_.planeNormalStrain, ui_.planeShearStrain};
  if (!solved_) {
    rosette_.Ew = 0.0f;
    rosette_.Gw = 0.0f;
    return forms::ClearResults(results);
  }
  forms::Calculate(
      results,
      [this] {
        const RosettePlaneStrains p = CalcStrainAtAngle(principal_, rosette_.W);
        rosette_.Ew = p.Ew;
        rosette_.Gw = p.Gw;
        forms::ShowResult(ui_.planeNormalStrain, rosette_.Ew, kRosetteMask);
        forms::ShowResult(ui_.planeShearStrain, rosette_.Gw, kRosetteMask);
      },
      [this] {
        rosette_.Ew = 0.0f;
        rosette_.Gw = 0.0f;
      });
}

void RosetteDialog::OnGaugeEdited() {
  RecalculateIfValid([this] { ShowStrains(); });
}

void RosetteDialog::OnPlaneAngleEdited() {
  RecalculateIfValid([this] { ShowPlaneStrains(); });
}

void RosetteDialog::OnInputFocusLost(QLineEdit* box) {
  // What was typed shows as its number in the general format; a box the
  // user did not edit keeps its stored value.
  forms::ShowTypedGeneral(box, forms::OnLeave::ValueOfText);
}

void RosetteDialog::CommitToProject() {
  Project.Rosette = rosette_;
  Project.RosettePrincipal = principal_;
  Project.RosetteTensor = tensor_;
  MarkProjectChanged();
}

}  // namespace brantel
