// A hostile user at every tool dialog: each dialog of the tool registry is
// built as its opener builds it, every box and grid cell it offers takes a
// table of hostile texts, every button, option, check box, tab, list and
// scroll bar is worked and the pointer is worked on every plot, and after
// each step the probe checks that nothing shows an infinite or undefined
// number (nor hands one to the formatter, which would show it as 0), that
// the project is untouched while the dialog is open and after a Cancel,
// and that what an accepted OK stores is finite and goes through the project
// file. A crash or a step that does not end within its bound names the
// dialog, the control and the text. The second test opens each dialog on a
// project holding extreme stored values. BRANTEL_PROBE_VERBOSE=1 lists the
// steps; BRANTEL_PROBE_STEP_SECONDS sets the bound of a step (20 s).

#include "core/Globals.h"
#include "core/Messages.h"
#include "core/NumberFormat.h"
#include "core/Settings.h"
#include "core/commands/ToolRegistry.h"
#include "core/graph/GraphBuffer.h"
#include "core/platform/Launcher.h"
#include "core/project/ProjectFile.h"
#include "core/project/ProjectFileRows.h"
#include "core/project/ProjectRecord.h"
#include "forms/FormHelpers.h"
#include "graph/GraphChart.h"
#include "graph/GraphWindow.h"
#include "maintenance/FileConversionDialog.h"
#include "maintenance/SettingsDialog.h"
#include "mainwindow/ProgramTools.h"
#include "platform/CommonDialogs.h"
#include "platform/FileDialog.h"
#include "support/DialogTest.h"
#include "tools/elasticity/LabTest.h"
#include "tools/failure/Coulomb.h"
#include "tools/failure/CoulombWedgeDialog.h"
#include "tools/stress/FadumChartDialog.h"

#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QClipboard>
#include <QComboBox>
#include <QDropEvent>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLogValueAxis>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QValueAxis>
#include <QXYSeries>

#include <algorithm>
#include <atomic>
#include <bit>
#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <functional>
#include <limits>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <thread>
#include <type_traits>

#include <unistd.h>

#if defined(__SANITIZE_ADDRESS__)
#define BRANTEL_PROBE_SANITIZED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define BRANTEL_PROBE_SANITIZED 1
#endif
#endif
#ifdef BRANTEL_PROBE_SANITIZED
#include <sanitizer/common_interface_defs.h>
#endif

// --- The formatter shows a value that is not a finite number as "0", so a
// result box would hide it. The link step of this program wraps the
// formatter's entry points (see CMakeLists.txt); every such value that
// reaches them is counted.
namespace {
std::atomic<int> nonFiniteFormatted{0};
template <typename T>
void Count(T value) {
  if (!std::isfinite(value)) ++nonFiniteFormatted;
}
}  // namespace

extern "C" {
QString __real__ZN7brantel6FormatEf11QStringView(float value, QStringView mask);
QString __real__ZN7brantel6FormatEd11QStringView(double value, QStringView mask);
QString __real__ZN7brantel13FormatGeneralEf(float value);
QString __real__ZN7brantel13FormatGeneralEd(double value);

QString __wrap__ZN7brantel6FormatEf11QStringView(float value, QStringView mask) {
  Count(value);
  return __real__ZN7brantel6FormatEf11QStringView(value, mask);
}
QString __wrap__ZN7brantel6FormatEd11QStringView(double value, QStringView mask) {
  Count(value);
  return __real__ZN7brantel6FormatEd11QStringView(value, mask);
}
QString __wrap__ZN7brantel13FormatGeneralEf(float value) {
  Count(value);
  return __real__ZN7brantel13FormatGeneralEf(value);
}
QString __wrap__ZN7brantel13FormatGeneralEd(double value) {
  Count(value);
  return __real__ZN7brantel13FormatGeneralEd(value);
}
}

namespace brantel::test {
namespace {

// --- The hostile texts.
struct Hostile {
  const char* label;  // how a failure names it
  QString text;
};

const std::vector<Hostile>& HostileTexts() {
  static const std::vector<Hostile> texts = [] {
    std::vector<Hostile> t;
    for (const char* s :
         {"",      "-",     ".",      "-.",  "1e",  "1e39", "-1e39", "3.4e38", "-3.4e38", "1e-45",        "1e-40",
          "1e308", "1e309", "-1e309", "nan", "inf", "-inf", "0",     "-0",     "-1",      "999999999999", "0.0000001",
          "abc",   "12a",   "1,5",    "1e+", "+",   "--1",  "1.2.3", " 7 "}) {
      t.push_back({s, QString::fromLatin1(s)});
    }
    t.push_back({"300 nines", QString(300, u'9')});
    t.push_back({"300 letters", QString(300, u'x')});
    t.push_back({"control characters", QStringLiteral("1\t2\r\n\x01\x1b\x7f")});
    t.push_back({"NUL inside", QStringLiteral("5") + QChar(0) + QStringLiteral("5")});
    t.push_back({"Greek letters", QStringLiteral("σ1αβγ")});
    t.push_back({"Unicode minus", QStringLiteral("\u22125")});
    t.push_back({"Arabic-Indic digits", QStringLiteral("\u0661\u0662")});
    t.push_back({"full-width digits", QStringLiteral("\uff11\uff12")});
    return t;
  }();
  return texts;
}

// A few texts that stand for the others where a whole dialog is filled
// before every button and switch is worked.
const std::vector<Hostile>& FillTexts() {
  static const std::vector<Hostile> texts = [] {
    std::vector<Hostile> t;
    for (const Hostile& h : HostileTexts()) {
      for (const char* s : {"", "-", "1e39", "-3.4e38", "3.4e38", "1e-45", "1e308", "nan", "0", "-1", "999999999999",
                            "Greek letters", "300 nines"}) {
        if (std::strcmp(h.label, s) == 0) t.push_back(h);
      }
    }
    return t;
  }();
  return texts;
}

// --- What the probe is doing now, for the watchdog and a crash.
std::mutex contextMutex;
std::string currentStep;
char crashContext[1024] = "";
std::atomic<long long> stepDeadline{0};  // steady-clock milliseconds; 0: no step runs

long long NowMs() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

void PrintCrashContext() {
  const char intro[] = "\n*** tool probe: the process died during: ";
  [[maybe_unused]] ssize_t w = write(STDERR_FILENO, intro, sizeof intro - 1);
  w = write(STDERR_FILENO, crashContext, std::strlen(crashContext));
  w = write(STDERR_FILENO, "\n", 1);
}

void OnFatalSignal(int sig) {
  PrintCrashContext();
  std::signal(sig, SIG_DFL);
  std::raise(sig);
}

int StepLimitSeconds() {
  const int fromEnv = qEnvironmentVariableIntValue("BRANTEL_PROBE_STEP_SECONDS");
  return fromEnv > 0 ? fromEnv : 20;
}

// Starts once: a thread that ends the process when a step outlives its
// bound, naming the step; and the crash report of the step.
void StartWatchdog() {
  static std::once_flag once;
  std::call_once(once, [] {
#ifdef BRANTEL_PROBE_SANITIZED
    __sanitizer_set_death_callback(PrintCrashContext);
#else
    for (int sig : {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT}) std::signal(sig, OnFatalSignal);
#endif
    std::thread([] {
      for (;;) {
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        const long long deadline = stepDeadline.load();
        if (deadline != 0 && NowMs() > deadline) {
          std::lock_guard<std::mutex> lock(contextMutex);
          std::fprintf(stderr, "\n*** tool probe: a step did not end within %d s: %s\n", StepLimitSeconds(),
                       currentStep.c_str());
          std::fflush(stderr);
          _exit(124);
        }
      }
    }).detach();
  });
}

// A text in a failure message: as the program's own messages quote it, with
// the length of a long one.
QString Printable(const QString& text) {
  QString shown = QuotedText(text);
  if (text.size() > 40) shown += QStringLiteral(" (%1 characters)").arg(text.size());
  return shown;
}

// --- The numbers of the project record.
struct FieldValue {
  QString name;
  double value;
  bool whole = false;  // a whole number, a choice or a yes/no
};
using RecordImage = std::vector<FieldValue>;

class ImageVisitor {
 public:
  // `rowsInUse`: only the laboratory rows in use, as the file holds them.
  explicit ImageVisitor(RecordImage& out, bool rowsInUse = false) : out_(out), rowsInUse_(rowsInUse) {}
  template <typename T, typename D>
  void Int(const projectfile::FieldName& n, const T& f, int, D) {
    Add(n.ToString(), f);
  }
  template <typename T, typename D>
  void NumInt(const projectfile::FieldName& n, const T& f, int, D) {
    Add(n.ToString(), f);
  }
  template <typename T, typename D>
  void Num(const projectfile::FieldName& n, const T& f, int, D) {
    Add(n.ToString(), f);
  }
  template <typename T, typename D>
  void Num64(const projectfile::FieldName& n, const T& f, int, D) {
    Add(n.ToString(), f);
  }
  template <typename T, typename D>
  void Print(const projectfile::FieldName& n, const T& f, int, D) {
    Add(n.ToString(), f);
  }
  template <typename D>
  void Flag(const projectfile::FieldName& n, const bool& f, projectfile::FlagForm, int, D) {
    Add(n.ToString(), f);
  }
  template <typename T, typename D>
  void Count(const projectfile::FieldName& n, const T& f, int, D, int) {
    Add(n.ToString(), f);
  }
  void Rows(const projectfile::FieldName& n, const LabPointRows& rows, int count, int) {
    for (int i = 0; i < (rowsInUse_ ? std::clamp<int>(count, 0, kLabMaxPoints) : kLabMaxPoints); ++i)
      for (int j = 0; j < kLabColumns; ++j)
        Add(QStringLiteral("%1(%2,%3)").arg(n.ToString()).arg(i + 1).arg(j + 1), rows[i][j]);
  }
  template <typename T>
  void Add(const QString& name, const T& value) {
    if constexpr (std::is_enum_v<T>) {
      out_.push_back({name, static_cast<double>(static_cast<int>(value)), true});
    } else {
      out_.push_back({name, static_cast<double>(value), std::is_same_v<T, int> || std::is_same_v<T, bool>});
    }
  }

 private:
  RecordImage& out_;
  bool rowsInUse_;
};

// The numbers of the record that the project file does not carry.
void AddOtherFields(const ProjectRecord& r, ImageVisitor& v) {
  const auto principal = [&](const char* name, const Principal2D& p) {
    const QString n = QString::fromLatin1(name);
    for (const auto& [member, value] : {std::pair{".S1", p.S1},
                                        {".S2", p.S2},
                                        {".Theta1", p.Theta1},
                                        {".Theta2", p.Theta2},
                                        {".TauMax", p.TauMax},
                                        {".ThetaPlus45", p.ThetaPlus45},
                                        {".ThetaMinus45", p.ThetaMinus45}})
      v.Add(n + QLatin1String(member), value);
  };
  const auto wedge = [&](const char* name, const BoltedWedgeData& w) {
    const QString n = QString::fromLatin1(name);
    for (const auto& [member, value] : {std::pair{".FrictionAngle", w.FrictionAngle},
                                        {".Cohesion", w.Cohesion},
                                        {".DiscAngle", w.DiscAngle},
                                        {".Width", w.Width},
                                        {".Height", w.Height},
                                        {".SpecificGravity", w.SpecificGravity},
                                        {".BoltLoad", w.BoltLoad},
                                        {".BoltAngle", w.BoltAngle},
                                        {".SafetyFactor", w.SafetyFactor},
                                        {".ReqSafetyFactor", w.ReqSafetyFactor},
                                        {".BoltAngle2", w.BoltAngle2},
                                        {".ReqBoltLoad", w.ReqBoltLoad}})
      v.Add(n + QLatin1String(member), value);
    v.Add(n + QStringLiteral(".Tab"), w.Tab);
  };
  v.Add(QStringLiteral("InputUnits"), r.InputUnits);
  v.Add(QStringLiteral("Stress2DPlane.SigmaN"), r.Stress2DPlane.SigmaN);
  v.Add(QStringLiteral("Stress2DPlane.TauN"), r.Stress2DPlane.TauN);
  v.Add(QStringLiteral("PillarStress.Sx"), r.PillarStress.Sx);
  v.Add(QStringLiteral("PillarStress.Txy"), r.PillarStress.Txy);
  v.Add(QStringLiteral("PillarLayout.AvgPillarStress"), r.PillarLayout.AvgPillarStress);
  v.Add(QStringLiteral("PillarLayout.Sv"), r.PillarLayout.Sv);
  v.Add(QStringLiteral("PillarLayout.Extraction"), r.PillarLayout.Extraction);
  v.Add(QStringLiteral("CircOpening.S1Field"), r.CircOpening.S1Field);
  v.Add(QStringLiteral("CircOpening.S2Field"), r.CircOpening.S2Field);
  v.Add(QStringLiteral("CircOpening.SigmaR"), r.CircOpening.SigmaR);
  v.Add(QStringLiteral("CircOpening.SigmaTheta"), r.CircOpening.SigmaTheta);
  v.Add(QStringLiteral("CircOpening.TauRTheta"), r.CircOpening.TauRTheta);
  v.Add(QStringLiteral("CircFailInput.S1Field"), r.CircFailInput.S1Field);
  v.Add(QStringLiteral("CircFailInput.S2Field"), r.CircFailInput.S2Field);
  for (int i = 0; i < 3; ++i) {
    v.Add(QStringLiteral("Stress3D.Principal(%1)").arg(i), r.Stress3D.Principal[i]);
    v.Add(QStringLiteral("Stress3D.Invariants(%1)").arg(i), r.Stress3D.Invariants[i]);
    v.Add(QStringLiteral("Stress3D.Traction(%1)").arg(i), r.Stress3D.Traction[i]);
    v.Add(QStringLiteral("TransformInputs.NewVector(%1)").arg(i), r.TransformInputs.NewVector[i]);
    for (int j = 0; j < 3; ++j)
      v.Add(QStringLiteral("TransformInputs.NewTensor(%1,%2)").arg(i).arg(j), r.TransformInputs.NewTensor[i][j]);
  }
  v.Add(QStringLiteral("Rosette.Ew"), r.Rosette.Ew);
  v.Add(QStringLiteral("Rosette.Gw"), r.Rosette.Gw);
  for (const auto& [name, value] : {std::pair{"RosettePrincipal.E1", r.RosettePrincipal.E1},
                                    {"RosettePrincipal.E2", r.RosettePrincipal.E2},
                                    {"RosettePrincipal.Theta1", r.RosettePrincipal.Theta1},
                                    {"RosettePrincipal.Theta2", r.RosettePrincipal.Theta2},
                                    {"RosetteTensor.Ex", r.RosetteTensor.Ex},
                                    {"RosetteTensor.Ey", r.RosetteTensor.Ey},
                                    {"RosetteTensor.Gxy", r.RosetteTensor.Gxy}})
    v.Add(QString::fromLatin1(name), value);
  for (const auto& [name, value] : {std::pair{"CoulombInput.Failure", r.CoulombInput.Failure},
                                    {"CoulombInput.PoreFailure", r.CoulombInput.PoreFailure},
                                    {"HoekInput.Failure", r.HoekInput.Failure},
                                    {"HoekInput.PoreFailure", r.HoekInput.PoreFailure},
                                    {"BieniawskiInput.Failure", r.BieniawskiInput.Failure},
                                    {"BieniawskiInput.PoreFailure", r.BieniawskiInput.PoreFailure},
                                    {"JointMaterials(0).Failure", r.JointMaterials[0].Failure},
                                    {"JointMaterials(1).Failure", r.JointMaterials[1].Failure},
                                    {"JointMaterials(0).PoreFailure", r.JointMaterials[0].PoreFailure},
                                    {"JointMaterials(1).PoreFailure", r.JointMaterials[1].PoreFailure},
                                    {"JointPlanes(0).JointFailure", r.JointPlanes[0].JointFailure},
                                    {"JointPlanes(1).JointFailure", r.JointPlanes[1].JointFailure}})
    v.Add(QString::fromLatin1(name), value);
  for (const auto& [name, value] : {std::pair{"PillarStress.GraphOption", r.PillarStress.GraphOption},
                                    {"CircStress.GraphOption", r.CircStress.GraphOption},
                                    {"CircFailStress.GraphOption", r.CircFailStress.GraphOption}})
    v.Add(QString::fromLatin1(name), value);
  v.Add(QStringLiteral("CoulombInput.FailureAngle"), r.CoulombInput.FailureAngle);
  principal("CoulombPrincipal", r.CoulombPrincipal);
  principal("HoekPrincipal", r.HoekPrincipal);
  principal("BieniawskiPrincipal", r.BieniawskiPrincipal);
  wedge("CoulombWedgeData", r.CoulombWedgeData);
  wedge("CoulombSlopeData", r.CoulombSlopeData);
  v.Add(QStringLiteral("BoltWidth"), r.BoltWidth);
}

RecordImage FileImage(const ProjectRecord& r, bool rowsInUse = false) {
  RecordImage image;
  ImageVisitor v(image, rowsInUse);
  projectfile::VisitFileRows(r, v);
  return image;
}

RecordImage WholeImage(const ProjectRecord& r) {
  RecordImage image = FileImage(r);
  ImageVisitor v(image);
  AddOtherFields(r, v);
  return image;
}

bool SameBits(double a, double b) { return std::bit_cast<quint64>(a) == std::bit_cast<quint64>(b); }

// The first field whose number differs, or "".
QString FirstDifference(const RecordImage& before, const RecordImage& after, bool bitwise) {
  for (std::size_t i = 0; i < before.size() && i < after.size(); ++i) {
    const bool same = bitwise ? SameBits(before[i].value, after[i].value) : before[i].value == after[i].value;
    if (!same)
      return QStringLiteral("%1: %2 became %3")
          .arg(before[i].name)
          .arg(before[i].value, 0, 'g', 9)
          .arg(after[i].value, 0, 'g', 9);
  }
  return QString();
}

// Every number of the file set from a list, in turn: floats from `f`,
// doubles from `d`, 16-bit fields from `i`; all 20 laboratory rows in use.
struct ExtremeSetter {
  std::vector<float> f;
  std::vector<double> d;
  std::vector<qint16> i;
  std::size_t k = 0;
  template <typename T>
  T Next(const std::vector<T>& list) {
    return list[k++ % list.size()];
  }
  template <projectfile::RowInteger T>
  void Int(const projectfile::FieldName&, T& x, int, T) {
    x = projectfile::IntOfStored<T>(Next(i));
  }
  template <projectfile::RowInteger T>
  void NumInt(const projectfile::FieldName&, T& x, int, T) {
    x = projectfile::IntOfStored<T>(Next(i));
  }
  void Flag(const projectfile::FieldName&, bool& x, projectfile::FlagForm, int, bool) { x = Next(i) != 0; }
  void Num(const projectfile::FieldName&, float& x, int, float) { x = Next(f); }
  void Print(const projectfile::FieldName&, float& x, int, float) { x = Next(f); }
  void Num64(const projectfile::FieldName&, double& x, int, double) { x = Next(d); }
  void Count(const projectfile::FieldName&, int& x, int, int, int maximum) { x = maximum; }
  void Rows(const projectfile::FieldName&, LabPointRows& rows, int, int) {
    for (auto& row : rows)
      for (float& x : row) x = Next(f);
  }
};

// A project on which every tool computes: each hostile text then meets
// valid values in every other box, and reaches the calculation.
ProjectRecord WorkingProject() {
  ProjectRecord r;
  ResetProjectRecord(r);
  const StressInput stress{10.0f, 4.0f, 3.0f, StressGraph::MohrCircle};
  const Matrix3 tensor{{{10.0f, 2.0f, 1.0f}, {2.0f, 6.0f, 0.5f}, {1.0f, 0.5f, 3.0f}}};
  r.Stress2D = stress;
  r.Stress2DPlane.PlaneAngle = 30.0f;
  r.Stress3D.Tensor = tensor;
  r.Stress3D.Normal = {1.0f, 1.0f, 1.0f};
  r.Stress3D.AtGivenPlane = true;
  r.Hooke3DInputs = {tensor, 20000.0f, 0.25f, 0};
  r.CoulombStress = stress;
  r.CoulombInput.UsePore = true;
  r.CoulombInput.PorePressure = 1.0f;
  r.CoulombInput.Cohesion = 5.0f;
  r.CoulombInput.FrictionAngle = 30.0f;
  r.CoulombInput.ParamOption = CoulombDerived::UniaxialStrength;
  for (int set = 0; set < 2; ++set) {
    r.JointStress[set] = stress;
    r.JointMaterials[set] = {1.0f, true, 5.0f, 30.0f, false, false};
    r.JointPlanes[set] = {1.0f, 20.0f, 40.0f, false};
  }
  for (BoltedWedgeData* w : {&r.CoulombWedgeData, &r.CoulombSlopeData}) {
    w->FrictionAngle = 30.0f;
    w->Cohesion = 10.0f;
    w->DiscAngle = 50.0f;
    w->Width = 5.0f;
    w->Height = 8.0f;
    w->SpecificGravity = 2.6f;
    w->BoltLoad = 100.0f;
    w->BoltAngle = 20.0f;
    w->ReqSafetyFactor = 1.5f;
    w->BoltAngle2 = 25.0f;
  }
  r.PlaneElasticity = {
      0.001, 0.0005, 0.0002, PlaneElasticityTab::Stress, PlaneAssumption::PlaneStress, PlaneAssumption::PlaneStrain};
  r.PlaneStressTabConstants = {20000.0f, 0.25f};
  r.PlaneStressIn = {10.0f, 4.0f, 3.0f};
  r.PlaneStrainTabConstants = {20000.0f, 0.25f};
  r.CircStress = {10.0f, 5.0f, 0.0f, StressGraph::None};
  r.CircOpening.R = 3.0f;
  r.CircOpening.A = 2.0f;
  r.CircOpening.Angle = 30.0f;
  r.CircOpening.InternalPressure = 1.0f;
  r.CircOpening.ShowGraph = true;
  r.CircOpening.PlotTo3R = true;
  r.CircFailStress = {10.0f, 5.0f, 0.0f, StressGraph::None};
  r.CircFailInput.A = 2.0f;
  r.CircFailInput.R = 3.0f;
  r.CircFailInput.Co = 50.0f;
  r.CircFailInput.To = 5.0f;
  r.CircFailInput.InternalPressure = 1.0f;
  r.Rosette = {0.0f, 45.0f, 90.0f, 0.001f, 0.0005f, 0.0002f, 30.0f, 0.0f, 0.0f};
  r.PillarStress.Sy = 10.0f;
  r.PillarLayout.Wp = 10.0f;
  r.PillarLayout.Lp = 12.0f;
  r.PillarLayout.Wo = 6.0f;
  r.VonMisesStress = stress;
  r.VonMisesInput.TensileStrength = 20.0f;
  r.BieniawskiStress = stress;
  r.BieniawskiInput.Co = 100.0f;
  r.BieniawskiInput.UsePore = true;
  r.BieniawskiInput.PorePressure = 1.0f;
  r.HoekStress = stress;
  r.HoekInput.CriterionType = HoekCriterion::Generalized;
  r.HoekInput.Co = 100.0f;
  r.HoekInput.CoMass = 50.0f;
  r.HoekInput.UsePore = true;
  r.HoekInput.PorePressure = 1.0f;
  r.TransformInputs.Cosines = {{{0.8f, 0.6f, 0.0f}, {-0.6f, 0.8f, 0.0f}, {0.0f, 0.0f, 1.0f}}};
  r.TransformInputs.Tensor = tensor;
  r.TransformInputs.Vector = {1.0f, 2.0f, 3.0f};
  r.LabHeight = 100.0f;
  r.LabDiameter = 50.0f;
  r.LabArea = 1963.0f;
  r.LabPointCount = 3;
  for (int i = 0; i < 3; ++i) r.LabPoints[i] = {10.0f * (i + 1), 0.0f, -0.1f * (i + 1), 1.0f * (i + 1), 0.0f};
  r.BoltStrength = 150.0f;
  return r;
}

// --- The controls of a dialog, named so that the same control is found
// again in a new dialog of the kind.
QList<QWidget*> Controls(QWidget* dialog) { return dialog->findChildren<QWidget*>(); }

QString IdOf(QWidget* dialog, QWidget* w) {
  if (!w->objectName().isEmpty()) return w->objectName();
  if (auto* combo = qobject_cast<QComboBox*>(w->parentWidget()); combo && combo->lineEdit() == w)
    return IdOf(dialog, combo) + QStringLiteral("/edit");
  return QStringLiteral("%1#%2")
      .arg(QString::fromLatin1(w->metaObject()->className()))
      .arg(Controls(dialog).indexOf(w));
}

QWidget* FindControl(QWidget* dialog, const QString& id) {
  for (QWidget* w : Controls(dialog)) {
    if (IdOf(dialog, w) == id) return w;
  }
  return nullptr;
}

QString Described(QWidget* dialog, QWidget* w) {
  QString name = IdOf(dialog, w);
  if (!w->accessibleName().isEmpty()) name += QStringLiteral(" \"%1\"").arg(w->accessibleName());
  else if (auto* b = qobject_cast<QAbstractButton*>(w); b && !b->text().isEmpty())
    name += QStringLiteral(" \"%1\"").arg(b->text());
  return name;
}

// The tab control of a widget that is one of its pages, or nullptr.
QTabWidget* TabsOfPage(QWidget* child) {
  auto* stack = qobject_cast<QStackedWidget*>(child->parentWidget());
  return stack ? qobject_cast<QTabWidget*>(stack->parentWidget()) : nullptr;
}

// True when the tab of a page can be clicked.
bool TabOpen(QTabWidget* tabs, int index) {
  return index >= 0 && tabs->isTabVisible(index) && tabs->isTabEnabled(index);
}

// Brings the tab pages that hold a control to the front, as a user clicks
// their tabs; false when a tab it lies on is hidden or disabled.
bool Reveal(QWidget* dialog, QWidget* w) {
  std::vector<std::pair<QTabWidget*, int>> pages;
  for (QWidget* child = w; child && child != dialog; child = child->parentWidget()) {
    QTabWidget* tabs = TabsOfPage(child);
    if (!tabs) continue;
    const int index = tabs->indexOf(child);
    if (!TabOpen(tabs, index)) return false;
    pages.emplace_back(tabs, index);
  }
  for (auto it = pages.rbegin(); it != pages.rend(); ++it) {
    if (it->first->currentIndex() != it->second) it->first->setCurrentIndex(it->second);
  }
  return w->isVisibleTo(dialog) && w->isEnabled();
}

// True when a user could reach a control now, if need be by clicking the
// tabs it lies on.
bool Reachable(QWidget* dialog, QWidget* w) {
  if (!w->isEnabled()) return false;
  for (QWidget* child = w; child && child != dialog; child = child->parentWidget()) {
    if (QTabWidget* tabs = TabsOfPage(child)) {
      if (!TabOpen(tabs, tabs->indexOf(child))) return false;
    } else if (child->isHidden()) {
      return false;
    }
  }
  return true;
}

bool IsEditableBox(QWidget* w) {
  if (auto* line = qobject_cast<QLineEdit*>(w)) return !line->isReadOnly();
  if (auto* memo = qobject_cast<QPlainTextEdit*>(w)) return !memo->isReadOnly();
  return false;
}

void SendText(QWidget* w, const QString& text) {
  for (QChar c : text) {
    const int key = c.unicode() < 0x80 && c.isLetterOrNumber() ? int(c.toUpper().unicode()) : int(Qt::Key_unknown);
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(c));
    QApplication::sendEvent(w, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, QString(c));
    QApplication::sendEvent(w, &release);
  }
}

bool IsTypeable(const QString& text) {
  if (text.size() > 40) return false;
  for (QChar c : text) {
    if (c.unicode() < 0x20 || c.unicode() == 0x7f) return false;
  }
  return true;
}

// The whole text of a box replaced as a user does: typed key by key, or
// pasted when it is long or holds control characters.
void EnterText(QWidget* box, const QString& text) {
  box->window()->activateWindow();
  box->setFocus(Qt::MouseFocusReason);
  if (auto* line = qobject_cast<QLineEdit*>(box)) {
    line->selectAll();
    if (text.isEmpty() || !IsTypeable(text)) {
      line->del();
      if (!line->text().isEmpty()) line->clear();  // the selection was not the whole text
      if (!text.isEmpty()) line->insert(text);
      return;
    }
  } else if (auto* memo = qobject_cast<QPlainTextEdit*>(box)) {
    memo->selectAll();
    if (!IsTypeable(text)) {
      memo->insertPlainText(text);
      if (text.isEmpty()) memo->textCursor().removeSelectedText();
      return;
    }
    memo->textCursor().removeSelectedText();
  }
  SendText(box, text);
}

// Leaves a box as the Tab key does.
void LeaveBox(QWidget* box) {
  for (QWidget* next = box->nextInFocusChain(); next && next != box; next = next->nextInFocusChain()) {
    if (next->window() == box->window() && (next->focusPolicy() & Qt::TabFocus) && next->isVisible() &&
        next->isEnabled()) {
      next->setFocus(Qt::TabFocusReason);
      return;
    }
  }
  box->clearFocus();
}

// The texts that would show a number that is not finite.
const QRegularExpression& NonFiniteText() {
  static const QRegularExpression re(QStringLiteral("(?<![a-z])(inf|infinity|nan|#ind)(?![a-z])"),
                                     QRegularExpression::CaseInsensitiveOption);
  return re;
}

// A widget of the program's own that draws something (a plot, a chart, a
// sketch): the pointer is worked on it.
bool IsDrawingSurface(QWidget* w) {
  const char* name = w->metaObject()->className();
  return name[0] != 'Q' && !qobject_cast<QDialog*>(w) && !qobject_cast<QLineEdit*>(w) && !qobject_cast<QTabWidget*>(w);
}

// The pointer actions on a drawing surface.
enum PointerAction { kClick = 0, kDrag = 1, kHover = 2 };

void SendMouse(QWidget* w, QEvent::Type type, QPointF at, Qt::MouseButton button, Qt::MouseButtons buttons) {
  QMouseEvent event(type, at, w->mapToGlobal(at), button, buttons, Qt::NoModifier);
  QApplication::sendEvent(w, &event);
}

void WorkPointer(QWidget* w, int action) {
  const QPointF centre(w->width() / 2.0, w->height() / 2.0);
  switch (action) {
    case kClick:
      SendMouse(w, QEvent::MouseButtonPress, centre, Qt::LeftButton, Qt::LeftButton);
      SendMouse(w, QEvent::MouseButtonRelease, centre, Qt::LeftButton, Qt::NoButton);
      SendMouse(w, QEvent::MouseButtonPress, QPointF(1, 1), Qt::RightButton, Qt::RightButton);
      SendMouse(w, QEvent::MouseButtonRelease, QPointF(1, 1), Qt::RightButton, Qt::NoButton);
      break;
    case kDrag: {
      const QPointF from(w->width() * 0.25, w->height() * 0.25);
      const QPointF to(w->width() * 0.9, w->height() * 0.8);
      SendMouse(w, QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
      SendMouse(w, QEvent::MouseMove, (from + to) / 2, Qt::NoButton, Qt::LeftButton);
      SendMouse(w, QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
      SendMouse(w, QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
      break;
    }
    case kHover:
      for (const QPointF at : {QPointF(0, 0), QPointF(w->width() - 1, w->height() - 1), centre, QPointF(-5, -5)})
        SendMouse(w, QEvent::MouseMove, at, Qt::NoButton, Qt::NoButton);
      break;
  }
}

// --- One control a user can work, other than a box.
struct Actuator {
  QString id;  // the control
  int index;   // tab, list row or combo item; 0 / 1 for a scroll bar's ends
  QString label;
};

std::vector<Actuator> ActuatorsOf(QWidget* dialog, const QStringList& skip) {
  std::vector<Actuator> out;
  for (QWidget* w : Controls(dialog)) {
    const QString id = IdOf(dialog, w);
    if (skip.contains(id)) continue;
    if (qobject_cast<QAbstractButton*>(w)) {
      out.push_back({id, 0, Described(dialog, w)});
    } else if (auto* tabs = qobject_cast<QTabWidget*>(w)) {
      for (int i = 0; i < tabs->count(); ++i) out.push_back({id, i, QStringLiteral("%1 tab %2").arg(id).arg(i)});
    } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
      for (int i = 0; i < combo->count(); ++i) out.push_back({id, i, QStringLiteral("%1 item %2").arg(id).arg(i)});
    } else if (auto* list = qobject_cast<QListWidget*>(w)) {
      if (list->count() > 0) out.push_back({id, 0, QStringLiteral("%1 first row").arg(id)});
      if (list->count() > 1) out.push_back({id, list->count() - 1, QStringLiteral("%1 last row").arg(id)});
    } else if (qobject_cast<QScrollBar*>(w) && !w->objectName().isEmpty()) {
      out.push_back({id, 0, id + QStringLiteral(" to its minimum")});
      out.push_back({id, 1, id + QStringLiteral(" to its maximum")});
    } else if (IsDrawingSurface(w)) {
      out.push_back({id, kClick, id + QStringLiteral(" clicked")});
      out.push_back({id, kDrag, id + QStringLiteral(" dragged across")});
      out.push_back({id, kHover, id + QStringLiteral(" pointer over its corners")});
    }
  }
  return out;
}

// Works a control; false when the user could not reach it now.
bool Work(QWidget* dialog, const Actuator& a) {
  QWidget* w = FindControl(dialog, a.id);
  if (!w) return false;
  if (auto* tabs = qobject_cast<QTabWidget*>(w)) {
    if (!Reveal(dialog, w) || !TabOpen(tabs, a.index)) return false;
    tabs->setCurrentIndex(a.index);
    return true;
  }
  if (!Reveal(dialog, w)) return false;
  if (auto* button = qobject_cast<QAbstractButton*>(w)) {
    button->click();
  } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
    if (a.index >= combo->count()) return false;
    combo->setCurrentIndex(a.index);
    emit combo->activated(a.index);
  } else if (auto* list = qobject_cast<QListWidget*>(w)) {
    if (a.index >= list->count()) return false;
    list->setCurrentRow(a.index);
    if (QListWidgetItem* item = list->item(a.index)) emit list->itemClicked(item);
  } else if (auto* bar = qobject_cast<QScrollBar*>(w)) {
    bar->setValue(a.index == 0 ? bar->minimum() : bar->maximum());
  } else {
    WorkPointer(w, a.index);
  }
  return true;
}

// --- The dialogs.
struct ToolEntry {
  std::string name;  // the window's class, or what the window is
  std::function<std::unique_ptr<QWidget>()> make;
  // Controls the probe leaves alone, each for its reason (below).
  std::vector<const char*> skip = {};
  // The stored fields that the dialog derives from the others as it opens,
  // so that OK without an edit rightly stores them anew.
  bool (*derived)(const ProjectRecord& stored, const QString& field) = nullptr;
};

void PrintTo(const ToolEntry& entry, std::ostream* os) { *os << entry.name; }

// The OK and Cancel buttons of a dialog, by their English captions (OK;
// Cancel or Close): their design names, empty for none. A dialog without a
// Cancel button is cancelled by its close box.
struct OkAndCancel {
  QString ok;
  QString cancel;
};

class ToolProbe : public DialogTest, public ::testing::WithParamInterface<ToolEntry> {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    StartWatchdog();
    // Nothing waits for a person: the common dialogs are cancelled, nothing
    // is started, and the input box answers what the probe enters.
    previousFile_ = platform::SetFileDialogHandler(
        [](const platform::FileDialogRequest&, QWidget*) { return std::optional<QString>(); });
    previousPrint_ =
        platform::SetPrintDialogHandler([](QPrinter&, platform::PrintDialogKind, QWidget*) { return false; });
    previousFont_ = platform::SetFontDialogHandler([](QFont&, QWidget*) { return false; });
    previousInput_ =
        platform::SetInputBoxHandler([this](const QString&, const QString&, const QString&) { return inputAnswer_; });
    previousLauncher_ =
        platform::SetLauncherHandlers({[](const QString&, const QStringList&) { return false; },
                                       [](const QUrl&) { return false; }, [](const QString&) { return false; }});
    // A window that another one opens modally is closed as a Cancel, so
    // that its event loop ends.
    closer_.setInterval(10);
    QObject::connect(&closer_, &QTimer::timeout, &closer_, [this] { CloseOtherModals(); });
    closer_.start();
    previousMessages_ = qInstallMessageHandler(&ToolProbe::OnQtMessage);
    warnings().clear();
    // What the start of the program sets up.
    forms::FilterEmptyPastes();
    SetProjectSignatures();
    SetUpGraphBuffer();
    ResetProjectRecord(Project);
  }

  void TearDown() override {
    RecordProperty("steps", steps_);
    if (verbose_) std::printf("%d steps\n", steps_);
    if (verbose_ && current() && !entered_.empty()) {
      for (QWidget* w : Controls(current())) {
        if (IsEditableBox(w) && !entered_.count(IdOf(current(), w)))
          std::printf("never entered: %s\n", qPrintable(Described(current(), w)));
      }
    }
    std::snprintf(crashContext, sizeof crashContext, "%s: after the probe (a leak is found at the exit)",
                  Entry().name.c_str());
    qInstallMessageHandler(previousMessages_);
    closer_.stop();
    GraphWindow::UnloadWindow();
    platform::SetFileDialogHandler(previousFile_);
    platform::SetPrintDialogHandler(previousPrint_);
    platform::SetFontDialogHandler(previousFont_);
    platform::SetInputBoxHandler(previousInput_);
    platform::SetLauncherHandlers(previousLauncher_);
    DialogTest::TearDown();
  }

  const ToolEntry& Entry() const { return GetParam(); }
  forms::FormDialog& Dialog() const { return Current(); }

  void Reopen(const QString& what) {
    SetContext(what);
    stepDeadline = NowMs() + StepLimitSeconds() * 1000LL;
    snapshot_ = WholeImage(Project);
    std::unique_ptr<QWidget> window = Entry().make();
    if (!dynamic_cast<forms::FormDialog*>(window.get())) {
      Fail(what, QStringLiteral("not a dialog of the toolkit"), QString::fromLatin1(window->metaObject()->className()));
      return;
    }
    Open(std::unique_ptr<forms::FormDialog>(static_cast<forms::FormDialog*>(window.release())));
    hasDialog_ = true;
    QCoreApplication::processEvents();
    stepDeadline = 0;
    if (!buttons_) buttons_ = FindOkAndCancel(what);
    Check(QStringLiteral("opening"));
  }

  // Runs one step of the probe within its time bound, then the checks.
  void SetContext(const QString& what) {
    std::lock_guard<std::mutex> lock(contextMutex);
    currentStep = (QString::fromStdString(Entry().name) + QStringLiteral(": ") + what).toStdString();
    std::snprintf(crashContext, sizeof crashContext, "%s", currentStep.c_str());
  }

  void Step(const QString& what, const std::function<void()>& action) {
    SetContext(what);
    ++steps_;
    if (verbose_) std::fprintf(stderr, "%s\n", currentStep.c_str());
    stepDeadline = NowMs() + StepLimitSeconds() * 1000LL;
    action();
    // Every window draws what changed.
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    stepDeadline = 0;
    Check(what);
  }

  bool Stopped() const { return failures_ >= kMaxFailures; }

  void Fail(const QString& what, const QString& kind, const QString& detail) {
    const std::string key = (kind + u'|' + detail.left(60)).toStdString();
    if (!reported_.insert(key).second || Stopped()) return;
    ++failures_;
    ADD_FAILURE() << Entry().name << ": " << what.toStdString() << ": " << kind.toStdString() << ": "
                  << detail.toStdString();
  }

  // The checks after every step.
  void Check(const QString& what) {
    if (const int n = nonFiniteFormatted.exchange(0)) {
      Fail(what, QStringLiteral("a number that is not finite went to the formatter"), QString::number(n) + u'x');
    }
    for (const QString& warning : std::exchange(warnings(), {})) {
      if (verbose_) std::fprintf(stderr, "  warning: %s\n", qPrintable(warning));
      if (warning.contains(QStringLiteral("invalid"), Qt::CaseInsensitive) || NonFiniteText().match(warning).hasMatch())
        Fail(what, QStringLiteral("Qt warning"), warning);
    }
    for (QWidget* window : QApplication::topLevelWidgets()) {
      if (!window->isVisible()) continue;
      for (QWidget* w : Controls(window)) CheckShown(what, window, w);
    }
    if (dialogOpen()) {
      const QString changed = FirstDifference(snapshot_, WholeImage(Project), true);
      if (!changed.isEmpty()) Fail(what, QStringLiteral("the project changed while the dialog is open"), changed);
    }
  }

  void CheckShown(const QString& what, QWidget* window, QWidget* w) {
    QString shown;
    if (auto* line = qobject_cast<QLineEdit*>(w); line && line->isReadOnly()) shown = line->text();
    else if (auto* label = qobject_cast<QLabel*>(w)) shown = label->text();
    else if (auto* memo = qobject_cast<QPlainTextEdit*>(w); memo && memo->isReadOnly()) shown = memo->toPlainText();
    else if (auto* grid = qobject_cast<QTableWidget*>(w)) {
      for (int r = 0; r < grid->rowCount(); ++r)
        for (int c = 0; c < grid->columnCount(); ++c)
          if (const QTableWidgetItem* item = grid->item(r, c)) shown += item->text() + u' ';
    }
    if (auto* view = qobject_cast<QChartView*>(w); view && view->chart()) {
      // What a chart draws: its axes' ranges and its points.
      for (QAbstractAxis* axis : view->chart()->axes()) {
        double low = 0, high = 0;
        if (auto* v = qobject_cast<QValueAxis*>(axis)) low = v->min(), high = v->max();
        if (auto* v = qobject_cast<QLogValueAxis*>(axis)) low = v->min(), high = v->max();
        if (!std::isfinite(low) || !std::isfinite(high))
          Fail(what, QStringLiteral("a chart axis is not finite"), Described(window, w) + u' ' + axis->titleText());
      }
      for (QAbstractSeries* series : view->chart()->series()) {
        if (auto* xy = qobject_cast<QXYSeries*>(series)) {
          for (const QPointF& p : xy->points())
            if (!std::isfinite(p.x()) || !std::isfinite(p.y()))
              Fail(what, QStringLiteral("a chart point is not finite"), Described(window, w));
        }
      }
    }
    if (auto* graph = qobject_cast<GraphChart*>(w)) {
      for (int c = 1; c <= graph->CurveCount(); ++c) {
        for (int i = 1; i <= graph->PointCount(c); ++i) {
          const QPointF p = graph->Point(c, i);
          if (!std::isfinite(p.x()) || !std::isfinite(p.y())) {
            Fail(what, QStringLiteral("a graph point is not finite"),
                 Described(window, w) + QStringLiteral(" curve %1").arg(c));
            break;
          }
        }
      }
    }
    if (NonFiniteText().match(shown).hasMatch())
      Fail(what, QStringLiteral("shows a number that is not finite"),
           Described(window, w) + QStringLiteral(": ") + Printable(shown));
  }

  bool dialogOpen() const { return current() && current()->isVisible(); }

  // After the dialog closed: an accepted OK stored finite numbers that the
  // project file writes and reads back; anything else changed nothing.
  void CheckClosed(const QString& what) {
    const RecordImage now = WholeImage(Project);
    if (!Dialog().IsAccepted()) {
      const QString changed = FirstDifference(snapshot_, now, true);
      if (!changed.isEmpty()) Fail(what, QStringLiteral("the project changed without an accepted OK"), changed);
      return;
    }
    for (const FieldValue& f : now) {
      if (!std::isfinite(f.value)) Fail(what, QStringLiteral("OK stored a number that is not finite"), f.name);
    }
    try {
      const QByteArray bytes = ProjectFileBytes(Project);
      ProjectRecord back = Project;
      const ProjectReadResult read = ReadProjectBytes(bytes, QStringLiteral("probe.BNL"), back);
      if (!read.read) Fail(what, QStringLiteral("what OK stored does not read back"), read.message);
      else if (const QString d = FirstDifference(FileImage(Project, true), FileImage(back, true), false); !d.isEmpty())
        Fail(what, QStringLiteral("what OK stored reads back otherwise"), d);
    } catch (const RuntimeError& e) {
      Fail(what, QStringLiteral("what OK stored cannot be saved"), e.Description());
    }
  }

  QPushButton* Button(const QString& name) const {
    return name.isEmpty() ? nullptr : qobject_cast<QPushButton*>(FindControl(&Dialog(), name));
  }

  // The dialog's OK and Cancel buttons, as it shows them in English when it
  // first opens; a dialog with two of either fails.
  OkAndCancel FindOkAndCancel(const QString& what) {
    OkAndCancel found;
    for (QWidget* w : Controls(&Dialog())) {
      auto* button = qobject_cast<QPushButton*>(w);
      if (!button) continue;
      const QString caption = button->text().remove(u'&');
      QString* role = caption == u"OK"                              ? &found.ok
                      : caption == u"Cancel" || caption == u"Close" ? &found.cancel
                                                                    : nullptr;
      if (!role) continue;
      if (!role->isEmpty()) Fail(what, QStringLiteral("two buttons captioned"), caption);
      *role = IdOf(&Dialog(), button);
    }
    return found;
  }
  const QString& OkName() const { return buttons_->ok; }
  const QString& CancelName() const { return buttons_->cancel; }

  // Presses OK; true when the dialog closed (the checks of a closed dialog
  // have run and the project is back as it was before).
  bool PressOk(const QString& what) {
    QPushButton* ok = Button(OkName());
    if (!ok || !ok->isVisible() || !ok->isEnabled()) return false;
    Step(what + QStringLiteral(", OK"), [ok] { ok->click(); });
    if (dialogOpen()) return false;
    CheckClosed(what + QStringLiteral(", OK"));
    return true;
  }

  // Cancels the dialog by its Cancel button, the window's close box or Esc.
  enum class CancelBy { Button, CloseBox, Escape };
  void PressCancel(const QString& what, CancelBy by = CancelBy::Button) {
    if (!dialogOpen()) return;
    QPushButton* cancel = Button(CancelName());
    static const char* const names[] = {", Cancel", ", the close box", ", Esc"};
    Step(what + QLatin1String(names[static_cast<int>(by)]), [this, cancel, by] {
      if (by == CancelBy::Escape) QTest::keyClick(&Dialog(), Qt::Key_Escape);
      if (by == CancelBy::Button && cancel && cancel->isVisible() && cancel->isEnabled()) cancel->click();
      if (dialogOpen()) Dialog().close();
    });
    if (dialogOpen()) {
      Fail(what, QStringLiteral("Cancel and the close box leave the dialog open"), QString());
      return;
    }
    CheckClosed(what + QStringLiteral(", Cancel"));
  }

  // Closes the dialog if a step closed it, restores the project and opens a
  // new dialog of the kind.
  void RestoreAndReopen(const ProjectRecord& start, const QString& what = QStringLiteral("opening")) {
    if (dialogOpen()) PressCancel(QStringLiteral("closing"));
    GraphWindow::UnloadWindow();
    Project = start;
    Reopen(what);
  }

  QStringList Skipped() const {
    QStringList skip;
    for (const char* name : Entry().skip) skip << QString::fromLatin1(name);
    if (!OkName().isEmpty()) skip << OkName();
    if (!CancelName().isEmpty()) skip << CancelName();
    return skip;
  }

  // The boxes a user can type into now (their tabs brought to the front),
  // and the cells of the grids.
  QStringList ReachableBoxes() {
    QStringList ids;
    const QStringList skip = Skipped();
    for (QWidget* w : Controls(&Dialog())) {
      if (!IsEditableBox(w) && !qobject_cast<QTableWidget*>(w)) continue;
      const QString id = IdOf(&Dialog(), w);
      if (skip.contains(id)) continue;
      if (Reachable(&Dialog(), w)) ids << id;
    }
    return ids;
  }

  // Enters a text into a box, or into each cell of a grid's first row
  // through its cell editor.
  void Enter(const QString& id, const Hostile& h) {
    QWidget* w = FindControl(&Dialog(), id);
    if (!w || !Reveal(&Dialog(), w)) return;
    const QString what = QStringLiteral("%1 <- %2").arg(Described(&Dialog(), w), Printable(h.text));
    entered_.insert(id);
    if (auto* grid = qobject_cast<QTableWidget*>(w)) {
      for (int c = 0; c < grid->columnCount() && dialogOpen(); ++c) {
        Step(what + QStringLiteral(" in column %1").arg(c), [this, grid, c, &h] {
          inputAnswer_ = h.text;
          grid->setFocus();
          grid->setCurrentCell(0, c);
          QTest::keyClick(grid, Qt::Key_Return);
        });
      }
      return;
    }
    Step(what, [w, &h] { EnterText(w, h.text); });
    if (verbose_) {
      if (auto* line = qobject_cast<QLineEdit*>(w))
        std::fprintf(stderr, "  now %s\n", qPrintable(Printable(line->text())));
    }
    if (dialogOpen() && w->hasFocus()) Step(what + QStringLiteral(", box left"), [w] { LeaveBox(w); });
  }

  // The first phase: each box in turn takes every hostile text, is left,
  // and OK is pressed; a dialog that OK closed is opened again.
  // Boxes that come into reach only after an option, check box, tab or
  // list item is worked are probed the same way, with that control worked
  // after every new opening.
  void ProbeBoxes(const ProjectRecord& start) {
    std::set<QString> probed;
    const auto probe = [&](const QStringList& boxes, const Actuator* setup) {
      const auto open = [&] {
        RestoreAndReopen(start);
        if (setup) Step(QStringLiteral("setting up: ") + setup->label, [this, setup] { Work(&Dialog(), *setup); });
      };
      for (const QString& id : boxes) {
        if (!probed.insert(id).second) continue;
        open();
        for (const Hostile& h : HostileTexts()) {
          if (Stopped()) return;
          Enter(id, h);
          const QString what = QStringLiteral("%1 <- %2").arg(id, Printable(h.text));
          if (!dialogOpen() || PressOk(what)) open();
        }
        PressCancel(id);
      }
    };
    probe(ReachableBoxes(), nullptr);
    for (const Actuator& a : ActuatorsOf(&Dialog(), Skipped())) {
      if (Stopped()) return;
      if (qobject_cast<QPushButton*>(FindControl(&Dialog(), a.id)) || IsDrawingSurface(FindControl(&Dialog(), a.id)))
        continue;
      RestoreAndReopen(start);
      Step(QStringLiteral("looking behind ") + a.label, [this, &a] { Work(&Dialog(), a); });
      if (!dialogOpen()) continue;
      QStringList revealed;
      for (const QString& id : ReachableBoxes()) {
        if (!probed.count(id)) revealed << id;
      }
      if (!revealed.isEmpty()) probe(revealed, &a);
    }
  }

  // The second phase: the dialog filled with a hostile text, then every
  // button, option, check box, tab, list and scroll bar worked in turn,
  // each box that comes into reach filled as well; OK, then Cancel.
  void ProbeControls(const ProjectRecord& start) {
    std::vector<Hostile> fills = {{"(as opened)", QString()}};
    for (const Hostile& h : FillTexts()) fills.push_back(h);
    for (std::size_t k = 0; k < fills.size() && !Stopped(); ++k) {
      const Hostile& h = fills[k];
      const bool fill = k > 0;
      RestoreAndReopen(start);
      const std::vector<Actuator> actuators = ActuatorsOf(&Dialog(), Skipped());
      std::set<QString> filled;
      const auto fillBoxes = [&] {
        if (!fill) return;
        for (const QString& id : ReachableBoxes()) {
          if (!filled.insert(id).second) continue;
          if (qobject_cast<QTableWidget*>(FindControl(&Dialog(), id)) && k % 4 != 1)
            continue;  // the cell editor with a few texts
          Enter(id, h);
          if (!dialogOpen()) return;
        }
      };
      fillBoxes();
      for (const Actuator& a : actuators) {
        if (Stopped()) return;
        if (!dialogOpen()) {
          RestoreAndReopen(start);
          filled.clear();
          fillBoxes();
        }
        const QString what = QStringLiteral("filled with %1, %2").arg(Printable(h.text), a.label);
        Step(what, [this, &a] { Work(&Dialog(), a); });
        if (!dialogOpen()) {
          CheckClosed(what);
          continue;
        }
        fillBoxes();
      }
      const QString what = QStringLiteral("filled with %1").arg(Printable(h.text));
      if (dialogOpen() && !PressOk(what)) PressCancel(what, static_cast<CancelBy>(k % 3));
    }
  }

  // Opens the dialog on each project of extreme stored values: OK without
  // an edit keeps every stored value; then every control is worked and the
  // dialog cancelled.
  void ProbeStoredValues() {
    using F = std::numeric_limits<float>;
    using D = std::numeric_limits<double>;
    const std::vector<std::pair<const char*, ExtremeSetter>> variants = {
        {"a new project", {}},
        {"float max", {{F::max()}, {D::max()}, {32767}}},
        {"minus float max", {{-F::max()}, {-D::max()}, {-32768}}},
        {"negative zero", {{-0.0f}, {-0.0}, {0}}},
        {"denormals", {{F::denorm_min()}, {D::denorm_min()}, {1}}},
        {"negative sizes", {{-1.0f}, {-1.0}, {-1}}},
        {"small negative denormals", {{-1e-40f}, {-1e-310}, {2}}},
        {"many digits", {{1.23456789f, 98765.4321f}, {1.2345678901234567, 98765.43210987654}, {1, 0}}},
        {"mixed",
         {{F::max(), -1.0f, 0.0f, F::denorm_min(), 12345.678f, -F::max(), 0.5f, 1e30f, -0.0f},
          {D::max(), -1.0, 1e-300, -D::max()},
          {0, 1, -1, 2, 32767, -32768, 3}}},
    };
    for (const auto& [label, setter] : variants) {
      for (UnitSystem units : {UnitSystem::Imperial, UnitSystem::SI}) {
        if (Stopped()) return;
        ProjectRecord start;
        ResetProjectRecord(start);
        ExtremeSetter s = setter;
        if (!s.f.empty()) projectfile::VisitFileRows(start, s);
        start.InputUnits = units;
        // Imperial units in English, SI in Greek; the curve extent that a
        // settings file may hold (any 16-bit number).
        EnglishMenus = units == UnitSystem::Imperial;
        CircularCurvesExtent = s.i.empty() ? 5 : s.i.front();
        const QString what =
            QStringLiteral("stored %1, units %2").arg(QString::fromLatin1(label)).arg(UnitSystemNumber(units));
        RestoreAndReopen(start, QStringLiteral("opening on ") + what);
        const RecordImage stored = FileImage(Project);
        if (PressOk(what + QStringLiteral(" without an edit"))) {
          // The numbers stay as stored (16-bit options may be put right).
          const RecordImage after = FileImage(Project);
          for (std::size_t i = 0; i < stored.size(); ++i) {
            if (Entry().derived && Entry().derived(start, stored[i].name)) continue;
            if (stored[i].value != after[i].value && !stored[i].whole) {
              Fail(what, QStringLiteral("OK without an edit changed a stored value"),
                   QStringLiteral("%1: %2 became %3")
                       .arg(stored[i].name)
                       .arg(stored[i].value, 0, 'g', 9)
                       .arg(after[i].value, 0, 'g', 9));
            }
          }
          RestoreAndReopen(start);
        } else {
          PressCancel(what);
          RestoreAndReopen(start);
        }
        for (const Actuator& a : ActuatorsOf(&Dialog(), Skipped())) {
          if (Stopped()) return;
          if (!dialogOpen()) RestoreAndReopen(start);
          Step(what + QStringLiteral(", ") + a.label, [this, &a] { Work(&Dialog(), a); });
          if (!dialogOpen()) CheckClosed(what + QStringLiteral(", ") + a.label);
        }
        if (dialogOpen() && !PressOk(what)) PressCancel(what);
      }
    }
  }

 private:
  static constexpr int kMaxFailures = 40;

  static QStringList& warnings() {
    static QStringList list;
    return list;
  }
  static void OnQtMessage(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type != QtDebugMsg && type != QtInfoMsg) warnings() << message;
  }

  void CloseOtherModals() {
    for (QWidget* w : QApplication::topLevelWidgets()) {
      auto* dialog = qobject_cast<QDialog*>(w);
      if (!dialog || !dialog->isVisible() || dialog == current() || !dialog->isModal()) continue;
      dialog->reject();
    }
  }
  QWidget* current() const {
    if (!hasDialog_) return nullptr;
    try {
      return &Current();
    } catch (const forms::DesignError&) {
      return nullptr;
    }
  }

  RecordImage snapshot_;
  std::optional<OkAndCancel> buttons_;
  int steps_ = 0;
  std::set<QString> entered_;
  const bool verbose_ = qEnvironmentVariableIsSet("BRANTEL_PROBE_VERBOSE");
  bool hasDialog_ = false;
  QString inputAnswer_;
  QTimer closer_;
  int failures_ = 0;
  std::set<std::string> reported_;
  QtMessageHandler previousMessages_ = nullptr;
  platform::FileDialogHandler previousFile_;
  platform::PrintDialogHandler previousPrint_;
  platform::FontDialogHandler previousFont_;
  platform::InputBoxHandler previousInput_;
  platform::LauncherHandlers previousLauncher_;
};

TEST_P(ToolProbe, HostileEntriesAndControls) {
  const ProjectRecord start = WorkingProject();
  RestoreAndReopen(start);
  // The probe's own check: the working project passes as it stands.
  if (!OkName().isEmpty()) {
    const std::size_t before = Messages().size();
    const bool closed = PressOk(QStringLiteral("the working project, OK"));
    const QString refused = Messages().size() > before ? Messages().back().prompt : QStringLiteral("OK stays disabled");
    EXPECT_TRUE(closed) << Entry().name << ": the working project does not pass: " << refused.toStdString();
    RestoreAndReopen(start);
  }
  ProbeBoxes(start);
  ProbeControls(start);
}

TEST_P(ToolProbe, ExtremeStoredValues) { ProbeStoredValues(); }

// With no text on the clipboard (no data, as when no program owns it; data
// of no format; a picture), Ctrl+V, Shift+Insert, a middle-click (the X11
// selection) and a drop change no box and crash none. The xcb run
// (CMakeLists.txt) meets a clipboard that no program owns.
TEST_P(ToolProbe, APasteOfNothingChangesNoBox) {
  RestoreAndReopen(WorkingProject());
  QClipboard* clipboard = QGuiApplication::clipboard();
  const std::function<void(QClipboard::Mode)> clipboards[] = {
      [clipboard](QClipboard::Mode mode) { clipboard->clear(mode); },
      [clipboard](QClipboard::Mode mode) { clipboard->setMimeData(new QMimeData, mode); },
      [clipboard](QClipboard::Mode mode) { clipboard->setImage(QImage(4, 4, QImage::Format_RGB32), mode); }};
  for (const QString& id : ReachableBoxes()) {
    QWidget* box = FindControl(&Dialog(), id);
    auto* line = qobject_cast<QLineEdit*>(box);
    auto* memo = qobject_cast<QPlainTextEdit*>(box);
    if (!line && !memo) continue;  // a grid, typed into through its cell editor
    QWidget* surface = memo ? memo->viewport() : box;
    const auto text = [line, memo] { return line ? line->text() : memo->toPlainText(); };
    for (std::size_t k = 0; k < std::size(clipboards); ++k) {
      const QString what = QStringLiteral("%1, paste %2 of nothing").arg(id).arg(k);
      Step(what, [&] { EnterText(box, QStringLiteral("12")); });
      const QString before = text();
      Step(what, [&] {
        for (const QClipboard::Mode mode : {QClipboard::Clipboard, QClipboard::Selection}) clipboards[k](mode);
        line ? line->selectAll() : memo->selectAll();
        QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
        QTest::keyClick(box, Qt::Key_Insert, Qt::ShiftModifier);
        QTest::mouseClick(surface, Qt::MiddleButton);
        QMimeData none;
        QDropEvent drop(QPointF(2, 2), Qt::CopyAction, &none, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(surface, &drop);
      });
      if (text() != before) Fail(what, QStringLiteral("the box changed"), Printable(before) + u' ' + Printable(text()));
    }
  }
}

// The upper triangle of the symmetric tensor shows the lower one.
bool Stress3DDerived(const ProjectRecord&, const QString& field) {
  return field == u"Stress3D.Tensor(1,2)" || field == u"Stress3D.Tensor(1,3)" || field == u"Stress3D.Tensor(2,3)";
}

// One of the three strength values is derived from the other two, and kept
// as its box shows it.
bool CoulombDerived(const ProjectRecord& stored, const QString& field) {
  static const char16_t* const names[] = {u"CoulombInput.Cohesion", u"CoulombInput.UniaxialStrength",
                                          u"CoulombInput.FrictionAngle"};
  return field == QStringView(names[static_cast<int>(DerivedParameter(stored.CoulombInput.ParamOption))]);
}

// A pore pressure above s2 is brought down to s2, or the option is switched
// off, as the set is shown.
bool CoulombJointDerived(const ProjectRecord&, const QString& field) {
  return field.startsWith(u"JointMaterials") && field.endsWith(u".PorePressure");
}

// A modulus or ratio of 0 is one not entered yet: the defaults stand in.
bool HookeDerived(const ProjectRecord& stored, const QString& field) {
  return (field == u"Hooke3DInputs.E" && stored.Hooke3DInputs.E == 0) ||
         (field == u"Hooke3DInputs.Nu" && stored.Hooke3DInputs.Nu == 0);
}

// The evaluation fills two of the columns of the readings.
bool LabDerived(const ProjectRecord& stored, const QString& field) {
  static const QRegularExpression cell(QStringLiteral("^LabPoints\\(\\d+,(\\d)\\)$"));
  const QRegularExpressionMatch m = cell.match(field);
  if (!m.hasMatch()) return false;
  const std::array<int, 2> filled = LabFilledColumns(stored.LabDataType);
  const int column = m.captured(1).toInt();
  return column == filled[0] || column == filled[1];
}

// What the probe must know of a window beyond what it finds itself, by the
// window's class (or the name of a window that no entry opens).
struct Particulars {
  const char* window;
  std::vector<const char*> skip = {};
  bool (*derived)(const ProjectRecord& stored, const QString& field) = nullptr;
};

const Particulars kParticulars[] = {
    {"Stress3DDialog", {}, Stress3DDerived},
    {"CoulombDialog", {}, CoulombDerived},
    {"CoulombJointDialog", {}, CoulombJointDerived},
    {"Elasticity3DDialog", {}, HookeDerived},
    {"LabTestDialog", {}, LabDerived},
    // Print goes to the system printer; the output tests print into PDF files.
    {"PrintPreview", {"Command3"}},
    // The registration of the file type runs the desktop's database tools;
    // its own tests cover it.
    {"ProgramOptionsDialog", {"cmdFileAssoc"}},
};

// Every window of the tool registry, made as its menu entry makes it, and
// the dialogs that no entry opens through the registry. Runs while the
// tests are listed, before the application exists: it only copies the
// registry's factories.
std::vector<ToolEntry> ProbedWindows() {
  std::vector<ToolEntry> entries;
  RegisterProgramTools();
  for (int i = 0; i < kToolCount; ++i) {
    const ToolWindow& window = ToolWindowOf(static_cast<Tool>(i));
    if (!window.make) continue;
    const QString name = QString::fromLatin1(window.type->className()).section(u':', -1);
    entries.push_back({name.toStdString(), [make = window.make] { return make(nullptr); }});
  }
  ClearTools();
  // The coefficient chart that the foundation tool opens, the slope twin of
  // the bolted wedge (its entry is not ready yet), the settings'
  // data-folder chooser and the file conversion (no entry opens it yet).
  entries.push_back({"FadumChartDialog", [] { return std::make_unique<FadumChartDialog>(); }});
  entries.push_back({"CoulombSlope", [] { return std::make_unique<CoulombWedgeDialog>(nullptr, WedgeTool::Slope); }});
  entries.push_back({"DataFolderDialog", [] { return std::make_unique<DataFolderDialog>(); }});
  entries.push_back({"FileConversionDialog", [] { return std::make_unique<FileConversionDialog>(); }});
  for (ToolEntry& entry : entries) {
    for (const Particulars& p : kParticulars) {
      if (entry.name == p.window) entry.skip = p.skip, entry.derived = p.derived;
    }
  }
  return entries;
}

// A row of particulars whose window is gone (renamed, say) would silently
// stop applying.
TEST(ToolProbeParticulars, EveryRowNamesAProbedWindow) {
  const std::vector<ToolEntry> probed = ProbedWindows();
  for (const Particulars& p : kParticulars) {
    EXPECT_TRUE(std::any_of(probed.begin(), probed.end(), [&](const ToolEntry& e) { return e.name == p.window; }))
        << p.window;
  }
}

INSTANTIATE_TEST_SUITE_P(Dialogs, ToolProbe, ::testing::ValuesIn(ProbedWindows()),
                         [](const ::testing::TestParamInfo<ToolEntry>& info) { return info.param.name; });

}  // namespace
}  // namespace brantel::test
