#include "tools/stress/FoundationDialog.h"

#include "core/Conversions.h"
#include "core/History.h"
#include "core/Messages.h"
#include "core/NumberFormat.h"
#include "core/project/ProjectRecord.h"
#include "forms/FormInputs.h"
#include "tools/stress/FadumChartDialog.h"
#include "tools/stress/FoundationPlanPicture.h"
#include "tools/stress/StressDialogs.h"

#include <QLineEdit>
#include <QPushButton>

namespace brantel {
namespace {

using forms::ControlRow;
using forms::Kind;

constexpr unsigned kResult = forms::kReadOnly | forms::kRedText;
constexpr unsigned kBlue = forms::kBlueCaption;

constexpr forms::FormDesign kForm{
    14685, 10605, "Calculation of Additional Pressure due to Uniform Loading on Orthogonal Foundation (Fadum)",
    "Υπολογισμός Πρόσθετης Τάσης στο Υπέδαφος από Ομοιόμορφη Φόρτιση σε Επιφάνεια Ορθογωνίου Σχήματος (Fadum)"};

// The plan's corner on the form, and the numbers of its axes beside it.
constexpr int kPlanLeft = 360, kPlanTop = 480;
constexpr int kAxisX(int i) { return kPlanLeft + i * 1000 - 45; }
constexpr int kAxisY(int i) { return kPlanTop + i * 1000 - 110; }

constexpr ControlRow kControls[] = {
    {"frmKatopsi", Kind::Picture, nullptr, kPlanLeft, kPlanTop, 10040, 10040},
    {"LabelH0", Kind::Label, nullptr, kAxisX(0), 240, 180, 225, "0"},
    {"LabelH1", Kind::Label, nullptr, kAxisX(1), 240, 180, 225, "1"},
    {"LabelH2", Kind::Label, nullptr, kAxisX(2), 240, 180, 225, "2"},
    {"LabelH3", Kind::Label, nullptr, kAxisX(3), 240, 180, 225, "3"},
    {"LabelH4", Kind::Label, nullptr, kAxisX(4), 240, 180, 225, "4"},
    {"LabelH5", Kind::Label, nullptr, kAxisX(5), 240, 180, 225, "5"},
    {"LabelH6", Kind::Label, nullptr, kAxisX(6), 240, 180, 225, "6"},
    {"LabelH7", Kind::Label, nullptr, kAxisX(7), 240, 180, 225, "7"},
    {"LabelH8", Kind::Label, nullptr, kAxisX(8), 240, 180, 225, "8"},
    {"LabelH9", Kind::Label, nullptr, kAxisX(9), 240, 180, 225, "9"},
    {"LabelV1", Kind::Label, nullptr, 150, kAxisY(1), 180, 225, "1"},
    {"LabelV2", Kind::Label, nullptr, 150, kAxisY(2), 180, 225, "2"},
    {"LabelV3", Kind::Label, nullptr, 150, kAxisY(3), 180, 225, "3"},
    {"LabelV4", Kind::Label, nullptr, 150, kAxisY(4), 180, 225, "4"},
    {"LabelV5", Kind::Label, nullptr, 150, kAxisY(5), 180, 225, "5"},
    {"LabelV6", Kind::Label, nullptr, 150, kAxisY(6), 180, 225, "6"},
    {"LabelV7", Kind::Label, nullptr, 150, kAxisY(7), 180, 225, "7"},
    {"LabelV8", Kind::Label, nullptr, 150, kAxisY(8), 180, 225, "8"},
    {"LabelV9", Kind::Label, nullptr, 150, kAxisY(9), 180, 225, "9"},
    {"Label34", Kind::Label, nullptr, 10560, 600, 3975, 615, "Plan View of Foundation and Surrounding Area",
     "Κάτοψη θεμελίου και ευρύτερης περιοχής", "frmKatopsi"},
    // The foundation.
    {"Frame1", Kind::Frame, nullptr, 10560, 1440, 3975, 2055, "Foundation Data", "Παράμετροι θεμελίου", nullptr,
     kBlue},
    {"Label11", Kind::Label, "Frame1", 120, 480, 2250, 255, "Pressure on Foundation", "Φορτίο θεμελίου",
     "txtFortio"},
    {"txtFortio", Kind::TextBox, "Frame1", 2400, 360, 1215, 405},
    {"Label12", Kind::Label, "Frame1", 480, 960, 1890, 255, "Foundation Width", "Πλάτος θεμελίου", "txtPlatos"},
    {"txtPlatos", Kind::TextBox, "Frame1", 2400, 840, 1215, 405},
    {"Label13", Kind::Label, "Frame1", 600, 1440, 1770, 255, "Foundation Length", "Μήκος θεμελίου", "txtMhkos"},
    {"txtMhkos", Kind::TextBox, "Frame1", 2400, 1320, 1215, 405},
    // The point.
    {"Frame2", Kind::Frame, nullptr, 10560, 3720, 3975, 2175, "Point Coordinates", "Συντεταγμένες σημείου",
     nullptr, kBlue},
    {"Label21", Kind::Label, "Frame2", 1440, 600, 930, 255, "X", nullptr, "txtX"},
    {"txtX", Kind::TextBox, "Frame2", 2400, 480, 1215, 405, nullptr, nullptr, nullptr, kResult},
    {"Label22", Kind::Label, "Frame2", 1440, 1080, 930, 255, "Y", nullptr, "txtY"},
    {"txtY", Kind::TextBox, "Frame2", 2400, 960, 1215, 405, nullptr, nullptr, nullptr, kResult},
    {"Label23", Kind::Label, "Frame2", 1440, 1560, 930, 255, "Z", nullptr, "txtVathos"},
    {"txtVathos", Kind::TextBox, "Frame2", 2400, 1440, 1215, 405},
    // The result.
    {"Frame3", Kind::Frame, nullptr, 10560, 6120, 3975, 1080, "Calculation of Additional Pressure",
     "Υπολογισμός πρόσθετου φορτίου", nullptr, kBlue},
    {"Label31", Kind::Label, "Frame3", 1200, 480, 1170, 255, "Dsv", nullptr, "txtProsthetes"},
    {"txtProsthetes", Kind::TextBox, "Frame3", 2400, 360, 1215, 405, nullptr, nullptr, nullptr, kResult},
    {"cmdFadum", Kind::Button, nullptr, 10560, 7680, 3975, 495, "Details for Fadum Coefficients",
     "Ανάλυση Συντελεστών Fadum"},
    {"btnCancel", Kind::Button, nullptr, 11880, 9840, 1215, 375, "Cancel"},
    {"btnOk", Kind::Button, nullptr, 13320, 9840, 1215, 375, "OK"},
};

// The sentences of the check, by box.
constexpr InputMessage kLengthNegative = Sentence({"The length of the foundation should be positive",
                                                   "Το μήκος του θεμελίου πρέπει να έχει θετική τιμή!"});
constexpr InputMessage kWidthNegative = Sentence({"The width of the foundation should be positive",
                                                  "Το πλάτος του θεμελίου πρέπει να έχει θετική τιμή!"});
constexpr InputMessage kLoadNegative = Sentence({"The load of the foundation should be positive",
                                                 "Το Φορτίο του θεμελίου πρέπει να έχει θετική τιμή!"});
constexpr InputMessage kDepthNegative = Sentence({"The depth of the point should be positive",
                                                  "Το βάθος του σημείου πρέπει να έχει θετική τιμή!"});

// What a box holds while the user types: its number, or 0 for a text that
// is not one or a number beyond the range of a 32-bit float.
float TypedValue(const QLineEdit* box) { return forms::LeadingValue<float>(box).value_or(0.0f); }

}  // namespace

frmFadum::frmFadum(QWidget* owner) : FormDialog(owner) {
  setObjectName(QStringLiteral("frmFadum"));
  Build(kForm, kControls, [](const ControlRow& row, QWidget* parent) -> QWidget* {
    if (QLatin1String(row.name) == QLatin1String("frmKatopsi")) return new FoundationPlan(parent);
    return nullptr;
  });
  ui_.plan = Require<FoundationPlan>(u"frmKatopsi");
  ui_.load = Require<QLineEdit>(u"txtFortio");
  ui_.width = Require<QLineEdit>(u"txtPlatos");
  ui_.length = Require<QLineEdit>(u"txtMhkos");
  ui_.x = Require<QLineEdit>(u"txtX");
  ui_.y = Require<QLineEdit>(u"txtY");
  ui_.depth = Require<QLineEdit>(u"txtVathos");
  ui_.stress = Require<QLineEdit>(u"txtProsthetes");
  ui_.fadum = Require<QPushButton>(u"cmdFadum");
  ui_.ok = Require<QPushButton>(u"btnOk");
  ui_.cancel = Require<QPushButton>(u"btnCancel");

  WireButtons(ui_.ok, ui_.cancel, nullptr);
  connect(ui_.length, &QLineEdit::textChanged, this, &frmFadum::txtMhkos_Change);
  connect(ui_.width, &QLineEdit::textChanged, this, &frmFadum::txtPlatos_Change);
  connect(ui_.depth, &QLineEdit::textChanged, this, &frmFadum::txtVathos_Change);
  connect(ui_.plan, &FoundationPlan::PointerMoved, this, &frmFadum::frmKatopsi_MouseMove);
  connect(ui_.fadum, &QPushButton::clicked, this, &frmFadum::cmdFadum_Click);

  Form_Load();
}

frmFadum::~frmFadum() = default;

void frmFadum::Form_Load() {
  LoadInputs();
  AddHistoryLine(Tr({"Calculation of Additional Pressure due to Orthogonal Foundation Uniform Loading.",
                     "Υπολογισμός Πρόσθετης Τάσης στο Υπέδαφος από Ομοιόμορφη Φόρτιση σε Επιφάνεια Ορθογωνίου "
                     "Σχήματος."}));
  AppendUnitsToCaptions(Layout(), {{u"Label11", UnitRow::Stress}, {u"Label12", UnitRow::Length},
                                   {u"Label13", UnitRow::Length}, {u"Label21", UnitRow::Length},
                                   {u"Label22", UnitRow::Length}, {u"Label23", UnitRow::Length},
                                   {u"Label31", UnitRow::Stress}});
  // The result and the rectangles stand for the stored point from the start.
  CalcPointStress();
}

void frmFadum::LoadFromProject() {
  length_ = Project.FadumLength;
  width_ = Project.FadumWidth;
  load_ = Project.FadumLoad;
  depth_ = Project.FadumDepth;
  x_ = Project.FadumX;
  y_ = Project.FadumY;
  forms::ShowStoredGeneral(ui_.load, load_);
  forms::ShowStoredGeneral(ui_.length, length_);
  forms::ShowStoredGeneral(ui_.width, width_);
  forms::ShowStoredGeneral(ui_.depth, depth_);
  forms::ShowResult(ui_.x, FormatGeneral(x_));
  forms::ShowResult(ui_.y, FormatGeneral(y_));
  ui_.plan->HideAuxiliary();
}

void frmFadum::DrawFoundation() { ui_.plan->SetFoundation(FoundationOutline(drawnLength_, drawnWidth_)); }

void frmFadum::txtMhkos_Change() {
  drawnLength_ = TypedValue(ui_.length);
  DrawFoundation();
}

void frmFadum::txtPlatos_Change() {
  drawnWidth_ = TypedValue(ui_.width);
  DrawFoundation();
}

void frmFadum::txtVathos_Change() {
  if (!loading_) CalcPointStress();
}

void frmFadum::frmKatopsi_MouseMove(double x, double y) {
  const QPointF point = PlanPointAt(x, y);
  x_ = static_cast<float>(point.x());
  y_ = static_cast<float>(point.y());
  forms::ShowResult(ui_.x, Format(point.x(), kPlanCoordinateMask));
  forms::ShowResult(ui_.y, Format(point.y(), kPlanCoordinateMask));
  CalcPointStress();
}

void frmFadum::CalcPointStress() {
  const float depth = TypedValue(ui_.depth);
  const float load = TypedValue(ui_.load);
  forms::Calculate(
      {ui_.stress},
      [&] {
        stress_ = FoundationPointStress(drawnLength_, drawnWidth_, depth, load, x_, y_);
        ui_.plan->SetAuxiliary({stress_.Olo, stress_.A, stress_.B, stress_.C});
        forms::ShowResult(ui_.stress, stress_.Stress, kFoundationStressMask);
      },
      [this] {
        stress_ = {};
        ui_.plan->HideAuxiliary();
      });
}

void frmFadum::cmdFadum_Click() { forms::ShowModal<frmFadumCoefs>(nullptr); }

bool frmFadum::ValidateInput() {
  const auto values = EntryValues(std::array{ui_.length, ui_.width, ui_.load, ui_.depth});
  const FadumCheck check = values ? CheckFoundation((*values)[0], (*values)[1], (*values)[2], (*values)[3])
                                  : FadumCheck{FadumFault::NotNumeric};
  switch (check.Fault) {
    case FadumFault::NotNumeric:
      ShowInputNotNumeric();
      return false;
    case FadumFault::Negative:
      switch (check.Box) {
        case FadumBox::Length: return forms::RefuseEntry(ui_.length, kLengthNegative);
        case FadumBox::Width: return forms::RefuseEntry(ui_.width, kWidthNegative);
        case FadumBox::Load: return forms::RefuseEntry(ui_.load, kLoadNegative);
        case FadumBox::Depth: return forms::RefuseEntry(ui_.depth, kDepthNegative);
      }
      return false;
    case FadumFault::None:
      break;
  }
  length_ = CSng((*values)[0]);
  width_ = CSng((*values)[1]);
  load_ = CSng((*values)[2]);
  depth_ = CSng((*values)[3]);
  return true;
}

void frmFadum::CommitToProject() {
  Project.FadumLoad = load_;
  Project.FadumLength = length_;
  Project.FadumWidth = width_;
  Project.FadumDepth = depth_;
  Project.FadumX = x_;
  Project.FadumY = y_;
  MarkProjectChanged();
}

}  // namespace brantel
