#include "mainwindow/HelpTopics.h"

#include <QWidget>

#include <algorithm>
#include <string_view>

namespace brantel {
namespace {

// Who carries which topic, and the topic's page: a window by its design name
// (its object name), or one control of a window by the two names. A topic
// that several carry names the same page in each of its rows.
struct Carrier {
  const char* window;
  const char* control;  // nullptr: the window itself
  int topic;
  const char* page;
};

// clang-format off
constexpr Carrier kCarriers[] = {
    // The Help button of the two-dimensional stress tool tells how to get
    // help; the rest of that window carries the tool's page.
    {"frm2DPrinc", "cmdHelp", 5001, "getting-help.html"},
    // The interactive stress plot, wherever it stands.
    {"frm2DPrinc", "picMohr", 2100, "stress-plot.html"},
    {"frmCoulomb", "picMohr1", 2100, "stress-plot.html"},
    {"frmCoulombJoint", "picMohr", 2100, "stress-plot.html"},
    {"frmHoek", "Picture1", 2100, "stress-plot.html"},
    {"frmBieniawski", "Picture1", 2100, "stress-plot.html"},
    {"frmVonMises", "Picture1", 2100, "stress-plot.html"},
    {"frmAbout", nullptr, 1000, "about.html"},
    {"frmDisclaimer", nullptr, 1010, "disclaimer.html"},
    {"frmMain", nullptr, 1100, "main-window.html"},
    {"frmBrantelDesc", nullptr, 1110, "project-description.html"},
    {"frmPreview", nullptr, 1120, "print-preview.html"},
    {"frmTextBrow", nullptr, 1130, "text-browser.html"},
    {"frmGraph", nullptr, 1200, "graph-window.html"},
    {"frmGraphOpt", nullptr, 1210, "graph-options.html"},
    {"frm2DPrinc", nullptr, 2210, "stress-2d.html"},
    {"frm3DPrinc", nullptr, 2220, "stress-3d.html"},
    {"frmCircular", nullptr, 2230, "circular-opening.html"},
    {"frmCircFail", nullptr, 2240, "circular-failure.html"},
    {"frmFadumCoefs", nullptr, 2250, "fadum-chart.html"},
    {"frmFadum", nullptr, 2260, "rectangular-foundation.html"},
    {"frmRoomPillar", nullptr, 2270, "room-and-pillar.html"},
    {"frmPointLoad", nullptr, 2280, "point-load.html"},
    {"frmCoulomb", nullptr, 2300, "coulomb.html"},
    {"frmCoulombJoint", nullptr, 2310, "coulomb-discontinuity.html"},
    {"frmCoulombWedge", nullptr, 2330, "bolted-wedge.html"},
    {"frmCoulombSlope", nullptr, 2330, "bolted-wedge.html"},
    {"frmHoek", nullptr, 2340, "hoek-brown.html"},
    {"frmBieniawski", nullptr, 2350, "bieniawski.html"},
    {"frmVonMises", nullptr, 2360, "von-mises.html"},
    {"frmPlaneStress", nullptr, 2400, "plane-elasticity.html"},
    {"frmRozeta", nullptr, 2500, "strain-rosette.html"},
    {"frmElasti3D", nullptr, 2600, "hooke-3d-transformation.html"},
    {"frmTransformCoor", nullptr, 2600, "hooke-3d-transformation.html"},
    {"frmLab", nullptr, 2700, "uniaxial-test.html"},
    {"frmBolt", nullptr, 2800, "roof-bolting.html"},
    {"frmSet", nullptr, 3000, "settings.html"},
    {"frmPath", nullptr, 3010, "data-folder.html"},
    {"frmBrantelOpts", nullptr, 3100, "program-options.html"},
    {"frmUnits", nullptr, 3200, "unit-conversion.html"},
    {"frmUpdate", nullptr, 3300, "program-update.html"},
    {"frmConvert", nullptr, 3400, "file-conversion.html"},
    // F1 in the help window tells how the help works.
    {"HelpWindow", nullptr, 5001, "getting-help.html"},
};
// clang-format on

// A topic names one page wherever it is carried.
constexpr bool OnePagePerTopic() {
  for (const Carrier& a : kCarriers) {
    for (const Carrier& b : kCarriers) {
      if (a.topic == b.topic && std::string_view(a.page) != std::string_view(b.page)) return false;
    }
  }
  return true;
}
static_assert(OnePagePerTopic(), "a help topic names two pages");

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
  for (const Carrier& carrier : kCarriers) {
    if (carrier.topic == topic) return QString::fromLatin1(carrier.page);
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
    for (const Carrier& carrier : kCarriers) list << carrier.topic;
    std::sort(list.begin(), list.end());
    list.erase(std::unique(list.begin(), list.end()), list.end());
    return list;
  }();
  return numbers;
}

}  // namespace brantel
