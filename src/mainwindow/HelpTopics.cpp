#include "mainwindow/HelpTopics.h"

#include <QWidget>

#include <algorithm>

namespace brantel {
namespace {

struct Topic {
  int number;
  const char* page;
};

constexpr Topic kTopics[] = {
    {1000, "about.html"},
    {1010, "disclaimer.html"},
    {1100, "main-window.html"},
    {1110, "project-description.html"},
    {1120, "print-preview.html"},
    {1130, "text-browser.html"},
    {1200, "graph-window.html"},
    {1210, "graph-options.html"},
    {2100, "stress-plot.html"},
    {2210, "stress-2d.html"},
    {2220, "stress-3d.html"},
    {2230, "circular-opening.html"},
    {2240, "circular-failure.html"},
    {2250, "fadum-chart.html"},
    {2260, "rectangular-foundation.html"},
    {2270, "room-and-pillar.html"},
    {2280, "point-load.html"},
    {2300, "coulomb.html"},
    {2310, "coulomb-discontinuity.html"},
    {2330, "bolted-wedge.html"},
    {2340, "hoek-brown.html"},
    {2350, "bieniawski.html"},
    {2360, "von-mises.html"},
    {2400, "plane-elasticity.html"},
    {2500, "strain-rosette.html"},
    {2600, "hooke-3d-transformation.html"},
    {2700, "uniaxial-test.html"},
    {2800, "roof-bolting.html"},
    {3000, "settings.html"},
    {3010, "data-folder.html"},
    {3100, "program-options.html"},
    {3200, "unit-conversion.html"},
    {3300, "program-update.html"},
    {3400, "file-conversion.html"},
    {5001, "getting-help.html"},
};

// Who carries which topic: a window by its design name (its object name),
// or one control of a window by the two names.
struct Carrier {
  const char* window;
  const char* control;  // nullptr: the window itself
  int topic;
};

constexpr Carrier kCarriers[] = {
    // The Help button of the two-dimensional stress tool tells how to get
    // help; the rest of that window carries the tool's page.
    {"frm2DPrinc", "cmdHelp", 5001},
    // The interactive stress plot, wherever it stands.
    {"frm2DPrinc", "picMohr", 2100},
    {"frmCoulomb", "picMohr1", 2100},
    {"frmCoulombJoint", "picMohr", 2100},
    {"frmHoek", "Picture1", 2100},
    {"frmBieniawski", "Picture1", 2100},
    {"frmVonMises", "Picture1", 2100},
    {"frmAbout", nullptr, 1000},
    {"frmDisclaimer", nullptr, 1010},
    {"frmMain", nullptr, 1100},
    {"frmBrantelDesc", nullptr, 1110},
    {"frmPreview", nullptr, 1120},
    {"frmTextBrow", nullptr, 1130},
    {"frmGraph", nullptr, 1200},
    {"frmGraphOpt", nullptr, 1210},
    {"frm2DPrinc", nullptr, 2210},
    {"frm3DPrinc", nullptr, 2220},
    {"frmCircular", nullptr, 2230},
    {"frmCircFail", nullptr, 2240},
    {"frmFadumCoefs", nullptr, 2250},
    {"frmFadum", nullptr, 2260},
    {"frmRoomPillar", nullptr, 2270},
    {"frmPointLoad", nullptr, 2280},
    {"frmCoulomb", nullptr, 2300},
    {"frmCoulombJoint", nullptr, 2310},
    {"frmCoulombWedge", nullptr, 2330},
    {"frmCoulombSlope", nullptr, 2330},
    {"frmHoek", nullptr, 2340},
    {"frmBieniawski", nullptr, 2350},
    {"frmVonMises", nullptr, 2360},
    {"frmPlaneStress", nullptr, 2400},
    {"frmRozeta", nullptr, 2500},
    {"frmElasti3D", nullptr, 2600},
    {"frmTransformCoor", nullptr, 2600},
    {"frmLab", nullptr, 2700},
    {"frmBolt", nullptr, 2800},
    {"frmSet", nullptr, 3000},
    {"frmPath", nullptr, 3010},
    {"frmBrantelOpts", nullptr, 3100},
    {"frmUnits", nullptr, 3200},
    {"frmUpdate", nullptr, 3300},
    {"frmConvert", nullptr, 3400},
    // F1 in the help window tells how the help works.
    {"HelpWindow", nullptr, 5001},
};

// The topic a widget carries itself: a window by its name, a control by its
// window's name and its own.
int OwnTopic(const QWidget* widget) {
  if (widget->objectName().isEmpty()) return 0;
  const QByteArray name = widget->objectName().toUtf8();
  if (widget->isWindow()) {
    for (const Carrier& carrier : kCarriers) {
      if (!carrier.control && name == carrier.window) return carrier.topic;
    }
    return 0;
  }
  const QByteArray window = widget->window()->objectName().toUtf8();
  for (const Carrier& carrier : kCarriers) {
    if (carrier.control && name == carrier.control && window == carrier.window) return carrier.topic;
  }
  return 0;
}

}  // namespace

QString HelpTopicPage(int topic) {
  for (const Topic& t : kTopics) {
    if (t.number == topic) return QString::fromLatin1(t.page);
  }
  return QString();
}

int HelpTopicOf(const QWidget* widget) {
  for (; widget; widget = widget->parentWidget()) {
    if (const int topic = OwnTopic(widget)) return topic;
  }
  return 0;
}

const QList<int>& HelpTopics() {
  static const QList<int> numbers = [] {
    QList<int> list;
    for (const Topic& t : kTopics) list << t.number;
    std::sort(list.begin(), list.end());
    return list;
  }();
  return numbers;
}

}  // namespace brantel
