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
    .name = "frmFadum",
    .width = 14685,
    .height = 10605,
    .caption = {
        "Calculation of Additional Pressure due to Uniform Loading on Orthogonal Foundation (Fadum)",
        "Υπολογισμός Πρόσθετης Τάσης στο Υπέδαφος από Ομοιόμορφη Φόρτιση σε Επιφάνεια Ορθογωνίου Σχήματος (Fadum)"}};

// The plan's corner on the form, and the numbers of its axes beside it.
constexpr int kPlanLeft = 360, kPlanTop = 480;
constexpr int kAxisX(int i) { return kPlanLeft + i * 1000 - 45; }
constexpr int kAxisY(int i) { return kPlanTop + i * 1000 - 110; }

// clang-format off
constexpr auto kControls = forms::JoinRows(
    std::to_array<ControlRow>({
    {.name = foundation::kPlanView, .kind = Kind::Picture, .at = {kPlanLeft, kPlanTop, 10040, 10040}},
    {.name = "LabelH0", .kind = Kind::Label, .at = {kAxisX(0), 240, 180, 225}, .caption = {"0"}},
    {.name = "LabelH1", .kind = Kind::Label, .at = {kAxisX(1), 240, 180, 225}, .caption = {"1"}},
    {.name = "LabelH2", .kind = Kind::Label, .at = {kAxisX(2), 240, 180, 225}, .caption = {"2"}},
    {.name = "LabelH3", .kind = Kind::Label, .at = {kAxisX(3), 240, 180, 225}, .caption = {"3"}},
    {.name = "LabelH4", .kind = Kind::Label, .at = {kAxisX(4), 240, 180, 225}, .caption = {"4"}},
    {.name = "LabelH5", .kind = Kind::Label, .at = {kAxisX(5), 240, 180, 225}, .caption = {"5"}},
    {.name = "LabelH6", .kind = Kind::Label, .at = {kAxisX(6), 240, 180, 225}, .caption = {"6"}},
    {.name = "LabelH7", .kind = Kind::Label, .at = {kAxisX(7), 240, 180, 225}, .caption = {"7"}},
    {.name = "LabelH8", .kind = Kind::Label, .at = {kAxisX(8), 240, 180, 225}, .caption = {"8"}},
    {.name = "LabelH9", .kind = Kind::Label, .at = {kAxisX(9), 240, 180, 225}, .caption = {"9"}},
    {.name = "LabelV1", .kind = Kind::Label, .at = {150, kAxisY(1), 180, 225}, .caption = {"1"}},
    {.name = "LabelV2", .kind = Kind::Label, .at = {150, kAxisY(2), 180, 225}, .caption = {"2"}},
    {.name = "LabelV3", .kind = Kind::Label, .at = {150, kAxisY(3), 180, 225}, .caption = {"3"}},
    {.name = "LabelV4", .kind = Kind::Label, .at = {150, kAxisY(4), 180, 225}, .caption = {"4"}},
    {.name = "LabelV5", .kind = Kind::Label, .at = {150, kAxisY(5), 180, 225}, .caption = {"5"}},
    {.name = "LabelV6", .kind = Kind::Label, .at = {150, kAxisY(6), 180, 225}, .caption = {"6"}},
    {.name = "LabelV7", .kind = Kind::Label, .at = {150, kAxisY(7), 180, 225}, .caption = {"7"}},
    {.name = "LabelV8", .kind = Kind::Label, .at = {150, kAxisY(8), 180, 225}, .caption = {"8"}},
    {.name = "LabelV9", .kind = Kind::Label, .at = {150, kAxisY(9), 180, 225}, .caption = {"9"}},
    {.name = "Label34", .kind = Kind::Label, .at = {10560, 600, 3975, 615}, .caption = {"Plan View of Foundation and Surrounding Area", "Κάτοψη θεμελίου και ευρύτερης περιοχής"}, .partner = foundation::kPlanView},
    // The foundation.
    {.name = "Frame1", .kind = Kind::Frame, .at = {10560, 1440, 3975, 2055}, .caption = {"Foundation Data", "Παράμετροι θεμελίου"}, .flags = kBlue},
    }),
    FoundationBoxRows({.frame = "Frame1",
                       .pressure = {{"Pressure on Foundation", "Φορτίο θεμελίου"}, {120, 480, 2250, 255}, {2400, 360, 1215, 405}},
                       .width = {{"Foundation Width", "Πλάτος θεμελίου"}, {480, 960, 1890, 255}, {2400, 840, 1215, 405}},
                       .length = {{"Foundation Length", "Μήκος θεμελίου"}, {600, 1440, 1770, 255}, {2400, 1320, 1215, 405}}}),
    std::to_array<ControlRow>({
    // The point.
    {.name = "Frame2", .kind = Kind::Frame, .at = {10560, 3720, 3975, 2175}, .caption = {"Point Coordinates", "Συντεταγμένες σημείου"}, .flags = kBlue},
    {.name = foundation::kPointXLabel, .kind = Kind::Label, .container = "Frame2", .at = {1440, 600, 930, 255}, .caption = {"X"}, .partner = foundation::kPointX},
    {.name = foundation::kPointX, .kind = Kind::TextBox, .container = "Frame2", .at = {2400, 480, 1215, 405}, .flags = kResult},
    {.name = foundation::kPointYLabel, .kind = Kind::Label, .container = "Frame2", .at = {1440, 1080, 930, 255}, .caption = {"Y"}, .partner = foundation::kPointY},
    {.name = foundation::kPointY, .kind = Kind::TextBox, .container = "Frame2", .at = {2400, 960, 1215, 405}, .flags = kResult},
    {.name = foundation::kPointDepthLabel, .kind = Kind::Label, .container = "Frame2", .at = {1440, 1560, 930, 255}, .caption = {"Z"}, .partner = foundation::kPointDepth},
    {.name = foundation::kPointDepth, .kind = Kind::TextBox, .container = "Frame2", .at = {2400, 1440, 1215, 405}},
    // The result.
    {.name = "Frame3", .kind = Kind::Frame, .at = {10560, 6120, 3975, 1080}, .caption = {"Calculation of Additional Pressure", "Υπολογισμός πρόσθετου φορτίου"}, .flags = kBlue},
    {.name = foundation::kAdditionalStressLabel, .kind = Kind::Label, .container = "Frame3", .at = {1200, 480, 1170, 255}, .caption = {"Dsv"}, .partner = foundation::kAdditionalStress},
    {.name = foundation::kAdditionalStress, .kind = Kind::TextBox, .container = "Frame3", .at = {2400, 360, 1215, 405}, .flags = kResult},
    {.name = foundation::kFadumDetails, .kind = Kind::Button, .at = {10560, 7680, 3975, 495}, .caption = {"Details for Fadum Coefficients", "Ανάλυση Συντελεστών Fadum"}},
    {.name = foundation::kCancel, .kind = Kind::Button, .at = {11880, 9840, 1215, 375}, .caption = {"Cancel"}},
    {.name = foundation::kOk, .kind = Kind::Button, .at = {13320, 9840, 1215, 375}, .caption = {"OK"}},
    }));
// clang-format on

// What a box holds while the user types: its number, or 0 for a text that
// is not one or a number beyond the range of a 32-bit float.
float TypedValue(const QLineEdit* box) { return forms::LeadingValue<float>(box).value_or(0.0f); }

}  // namespace

FoundationDialog::FoundationDialog(QWidget* owner) : FormDialog(owner) {
  Build(kForm, kControls, [](const ControlRow& row, QWidget* parent) -> QWidget* {
    if (QLatin1String(row.name) == QLatin1String(foundation::kPlanView)) return new FoundationPlan(parent);
    return nullptr;
  });
  ui_.plan = Require<FoundationPlan>(foundation::kPlanView);
  ui_.pressure = Require<QLineEdit>(foundation::kFoundationPressure);
  ui_.width = Require<QLineEdit>(foundation::kFoundationWidth);
  ui_.length = Require<QLineEdit>(foundation::kFoundationLength);
  ui_.x = Require<QLineEdit>(foundation::kPointX);
  ui_.y = Require<QLineEdit>(foundation::kPointY);
  ui_.depth = Require<QLineEdit>(foundation::kPointDepth);
  ui_.additionalStress = Require<QLineEdit>(foundation::kAdditionalStress);
  ui_.fadumDetails = Require<QPushButton>(foundation::kFadumDetails);
  ui_.ok = Require<QPushButton>(foundation::kOk);
  ui_.cancel = Require<QPushButton>(foundation::kCancel);

  // Every box is read before any value is checked.
  inputs_.Add(ui_.length, length_, WholeEntryRules(FoundationValueRule(FadumBox::Length)));
  inputs_.Add(ui_.width, width_, WholeEntryRules(FoundationValueRule(FadumBox::Width)));
  inputs_.Add(ui_.pressure, load_, WholeEntryRules(FoundationValueRule(FadumBox::Load)));
  inputs_.Add(ui_.depth, depth_, WholeEntryRules(FoundationValueRule(FadumBox::Depth)));

  WireButtons(ui_.ok, ui_.cancel, nullptr);
  connect(ui_.length, &QLineEdit::textChanged, this, &FoundationDialog::OnLengthEdited);
  connect(ui_.width, &QLineEdit::textChanged, this, &FoundationDialog::OnWidthEdited);
  connect(ui_.depth, &QLineEdit::textChanged, this, &FoundationDialog::OnDepthEdited);
  connect(ui_.plan, &FoundationPlan::PointerMoved, this, &FoundationDialog::OnPlanPointerMoved);
  connect(ui_.fadumDetails, &QPushButton::clicked, this, &FoundationDialog::OnFadumDetailsClicked);

  OnLoad();
}

FoundationDialog::~FoundationDialog() = default;

void FoundationDialog::OnLoad() {
  LoadInputs();
  AddHistoryLine(Tr({"Calculation of Additional Pressure due to Orthogonal Foundation Uniform Loading.",
                     "Υπολογισμός Πρόσθετης Τάσης στο Υπέδαφος από Ομοιόμορφη Φόρτιση σε Επιφάνεια Ορθογωνίου "
                     "Σχήματος."}));
  AppendUnitsToCaptions(Layout(), {{foundation::kFoundationPressureLabel, UnitRow::Stress},
                                   {foundation::kFoundationWidthLabel, UnitRow::Length},
                                   {foundation::kFoundationLengthLabel, UnitRow::Length},
                                   {foundation::kPointXLabel, UnitRow::Length},
                                   {foundation::kPointYLabel, UnitRow::Length},
                                   {foundation::kPointDepthLabel, UnitRow::Length},
                                   {foundation::kAdditionalStressLabel, UnitRow::Stress}});
  // The result and the rectangles stand for the stored point from the start.
  CalcPointStress();
}

void FoundationDialog::LoadFromProject() {
  length_ = Project.FadumLength;
  width_ = Project.FadumWidth;
  load_ = Project.FadumLoad;
  depth_ = Project.FadumDepth;
  x_ = Project.FadumX;
  y_ = Project.FadumY;
  forms::ShowStoredGeneral(ui_.pressure, load_);
  forms::ShowStoredGeneral(ui_.length, length_);
  forms::ShowStoredGeneral(ui_.width, width_);
  forms::ShowStoredGeneral(ui_.depth, depth_);
  forms::ShowResult(ui_.x, FormatGeneral(x_));
  forms::ShowResult(ui_.y, FormatGeneral(y_));
  ui_.plan->HideAuxiliary();
}

void FoundationDialog::DrawFoundation() { ui_.plan->SetFoundation(FoundationOutline(drawnLength_, drawnWidth_)); }

void FoundationDialog::OnLengthEdited() {
  drawnLength_ = TypedValue(ui_.length);
  DrawFoundation();
}

void FoundationDialog::OnWidthEdited() {
  drawnWidth_ = TypedValue(ui_.width);
  DrawFoundation();
}

void FoundationDialog::OnDepthEdited() {
  if (!loading_) CalcPointStress();
}

void FoundationDialog::OnPlanPointerMoved(double x, double y) {
  const QPointF point = PlanPointAt(x, y);
  x_ = static_cast<float>(point.x());
  y_ = static_cast<float>(point.y());
  forms::ShowResult(ui_.x, Format(point.x(), kPlanCoordinateMask));
  forms::ShowResult(ui_.y, Format(point.y(), kPlanCoordinateMask));
  CalcPointStress();
}

void FoundationDialog::CalcPointStress() {
  const float depth = TypedValue(ui_.depth);
  const float load = TypedValue(ui_.pressure);
  forms::Calculate(
      {ui_.additionalStress},
      [&] {
        stress_ = FoundationPointStress(drawnLength_, drawnWidth_, depth, load, x_, y_);
        ui_.plan->SetAuxiliary({stress_.Whole, stress_.A, stress_.B, stress_.C});
        forms::ShowResult(ui_.additionalStress, stress_.Stress, kFoundationStressMask);
      },
      [this] {
        stress_ = {};
        ui_.plan->HideAuxiliary();
      });
}

void FoundationDialog::OnFadumDetailsClicked() { forms::ShowModal<FadumChartDialog>(nullptr); }

bool FoundationDialog::ValidateInput() { return inputs_.Validate(); }

void FoundationDialog::CommitToProject() {
  Project.FadumLoad = load_;
  Project.FadumLength = length_;
  Project.FadumWidth = width_;
  Project.FadumDepth = depth_;
  Project.FadumX = x_;
  Project.FadumY = y_;
  MarkProjectChanged();
}

}  // namespace brantel
