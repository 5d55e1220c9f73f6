#include "core/Settings.h"
#include "core/project/ProjectRecord.h"
#include "support/DialogTest.h"
#include "support/Renders.h"
#include "tools/failure/BieniawskiDialog.h"
#include "tools/failure/CoulombDialog.h"
#include "tools/failure/CoulombJointDialog.h"
#include "tools/failure/FailureDialogTestSupport.h"
#include "tools/failure/HoekBrownDialog.h"
#include "tools/failure/VonMisesDialog.h"

#include <QImage>

#include <functional>
#include <utility>
#include <vector>

namespace brantel {
namespace {

// Each failure tool opened on a state it cannot judge, then given one: the
// plot must be drawn as a fresh drawing of that state draws it, and not
// from the extents of a picture it never read.
class FailurePlotOpeningTest : public test::DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    ResetProjectRecord(Project);
    EnableMohrCircles = true;  // the plot on, as a new installation has it
  }
};

struct Opening {
  const char* name;
  std::function<void()> store;  // the project it opens on
  std::function<void()> open;
  std::vector<std::pair<const char*, QString>> entries;
  const char* plot;
  std::vector<const char*> offAndOn;  // the presses that switch the plot off and on
};

TEST_F(FailurePlotOpeningTest, ThePlotAfterTheFirstValidEntryIsTheFreshPlot) {
  const std::vector<const char*> graphCheckBox = {criterion::kGraphSwitch, criterion::kGraphSwitch};
  const std::vector<const char*> graphOptions = {coulomb::kNoGraph, coulomb::kMohrGraph};
  const std::vector<Opening> openings = {
      // A new project: nothing to judge at the opening.
      {"vonmises",
       [] {},
       [this] { Open<VonMisesDialog>(); },
       {{vonmises::kTensileStrength, "10"}, {vonmises::kSx, "8"}, {vonmises::kSy, "3"}},
       vonmises::kPlot,
       graphCheckBox},
      {"hoek",
       [] {},
       [this] { Open<HoekBrownDialog>(); },
       {{hoek::kIntactStrength, "20"}, {hoek::kSx, "30"}, {hoek::kSy, "5"}},
       hoek::kPlot,
       graphCheckBox},
      {"bieniawski",
       [] {},
       [this] { Open<BieniawskiDialog>(); },
       {{bieniawski::kStrength, "50"}, {bieniawski::kSx, "30"}, {bieniawski::kSy, "5"}},
       bieniawski::kPlot,
       graphCheckBox},
      // A stored sx of -40, refused at the opening.
      {"coulomb",
       [] {
         Project.CoulombStress = StressInput{-40, 10, 0, StressGraph::None};
         Project.CoulombInput.Cohesion = 5;
         Project.CoulombInput.FrictionAngle = 30;
       },
       [this] { Open<CoulombDialog>(); },
       {{coulomb::kSx, "40"}},
       coulomb::kPlot,
       graphOptions},
      // The selected set holds a friction angle that is refused.
      {"joint",
       [] {
         Project.JointSelectedSet = 1;
         Project.JointStress[1] = StressInput{20, 5, 0, StressGraph::None};
         Project.JointMaterials[1].Cohesion = 5;
         Project.JointMaterials[1].FrictionAngle = 205;
         Project.JointPlanes[1] = JointPlane{1, 30, 30, false};
       },
       [this] { Open<CoulombJointDialog>(); },
       {{coulombjoint::kMaterialFrictionAngle, "30"}},
       coulombjoint::kMohrPlot,
       graphOptions},
  };
  for (const Opening& o : openings) {
    SCOPED_TRACE(o.name);
    ResetProjectRecord(Project);
    o.store();
    o.open();
    auto* plot = Control<FailurePlot>(o.plot);
    ASSERT_TRUE(plot->isVisible());
    EXPECT_FALSE(plot->HasRange());  // nothing drawn at the opening
    for (const auto& [box, text] : o.entries) Type(box, text);
    const QImage typed = plot->grab().toImage();
    // The state's point lies right of the shear axis, where its positive
    // stresses put it.
    const auto dots = test::ItemsOf(*plot, FailurePlot::kBlue, PlotItem::Type::Dot);
    ASSERT_FALSE(dots.empty());
    EXPECT_GT(dots.front().a.x(), plot->YAxis().x1());

    for (const char* press : o.offAndOn) Press(press);
    const QImage fresh = plot->grab().toImage();
    EXPECT_TRUE(typed == fresh);
    if (typed != fresh) {
      test::SaveRender(typed, QStringLiteral("opening-%1-typed").arg(QLatin1String(o.name)));
      test::SaveRender(fresh, QStringLiteral("opening-%1-fresh").arg(QLatin1String(o.name)));
    }
  }
}

}  // namespace
}  // namespace brantel
