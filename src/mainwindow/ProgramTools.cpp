#include "mainwindow/ProgramTools.h"

#include "core/OutputBuffers.h"
#include "core/commands/ToolRegistry.h"
#include "core/project/OutputListing.h"
#include "forms/ToolWindows.h"
#include "maintenance/ProgramOptionsDialog.h"
#include "maintenance/SettingsDialog.h"
#include "maintenance/UnitsDialog.h"
#include "maintenance/UpdateDialog.h"
#include "mainwindow/DescriptionDialog.h"
#include "mainwindow/MainWindow.h"
#include "mainwindow/PrintPreview.h"
#include "mainwindow/PrintText.h"
#include "mainwindow/TextBrowser.h"
#include "tools/elasticity/Elasticity3DDialog.h"
#include "tools/elasticity/LabTestDialog.h"
#include "tools/elasticity/PlaneElasticityDialog.h"
#include "tools/elasticity/RoofBoltingDialog.h"
#include "tools/elasticity/RosetteDialog.h"
#include "tools/elasticity/TransformationDialog.h"
#include "tools/failure/BieniawskiDialog.h"
#include "tools/failure/CoulombDialog.h"
#include "tools/failure/CoulombJointDialog.h"
#include "tools/failure/CoulombWedgeDialog.h"
#include "tools/failure/HoekBrownDialog.h"
#include "tools/failure/VonMisesDialog.h"
#include "tools/stress/CircularFailureDialog.h"
#include "tools/stress/CircularOpeningDialog.h"
#include "tools/stress/FoundationDialog.h"
#include "tools/stress/PointLoadDialog.h"
#include "tools/stress/RoomPillarDialog.h"
#include "tools/stress/Stress2DDialog.h"
#include "tools/stress/Stress3DDialog.h"

namespace brantel {

void RegisterProgramTools() {
  using forms::RegisterModalTool;
  RegisterModalTool<DescriptionDialog>(Tool::ProjectDescription);
  // The printer dialog is the desktop's, and Print shows no window.
  RegisterTool(Tool::PrinterSetup, [](QWidget* owner) { PrinterSetup(owner); });
  // Print and Print Preview build the listing of the project into the first
  // output page first. A printer failure is reported by the print itself,
  // which offers to start the job again or abandons it.
  RegisterTool(Tool::Print, [](QWidget*) {
    LoadOutBuf0();
    PrintWholeText(OutBuf[0]);
  });
  // The preview and the text browser stand alone, whoever opens them.
  RegisterModalTool<PrintPreview>(Tool::PrintPreview, [](QWidget*) {
    LoadOutBuf0();
    return std::make_unique<PrintPreview>(nullptr);
  });
  RegisterModalTool<TextBrowser>(Tool::TextBrowser, [](QWidget*) { return std::make_unique<TextBrowser>(nullptr); });
  RegisterModalTool<Stress2DDialog>(Tool::Stress2D);
  RegisterModalTool<CoulombWedgeDialog>(Tool::CoulombWedge);
  RegisterModalTool<CoulombDialog>(Tool::Coulomb);
  RegisterModalTool<CoulombJointDialog>(Tool::CoulombJoint);
  RegisterModalTool<BieniawskiDialog>(Tool::Bieniawski);
  RegisterModalTool<HoekBrownDialog>(Tool::HoekBrown);
  RegisterModalTool<VonMisesDialog>(Tool::VonMises);
  RegisterModalTool<PlaneElasticityDialog>(Tool::PlaneElasticity);
  RegisterModalTool<Elasticity3DDialog>(Tool::Elasticity3D);
  RegisterModalTool<RosetteDialog>(Tool::StrainRosette);
  RegisterModalTool<TransformationDialog>(Tool::Transformation);
  RegisterModalTool<CircularFailureDialog>(Tool::CircularFailure);
  RegisterModalTool<FoundationDialog>(Tool::Foundation);
  RegisterModalTool<LabTestDialog>(Tool::LabTest);
  RegisterModalTool<RoofBoltingDialog>(Tool::RoofBolting);
  RegisterModalTool<Stress3DDialog>(Tool::Stress3D);
  RegisterModalTool<RoomPillarDialog>(Tool::RoomAndPillar);
  RegisterModalTool<PointLoadDialog>(Tool::PointLoad);
  // Modeless; the main window is active again once it closes.
  forms::RegisterModelessTool<CircularOpeningDialog, ReturnToMainWindow>(Tool::CircularOpening);
  // The install step leaves the program through the main window's close.
  RegisterModalTool<UpdateDialog>(Tool::ProgramUpdate, [](QWidget* owner) {
    auto dialog = std::make_unique<UpdateDialog>(owner);
    QObject::connect(dialog.get(), &UpdateDialog::leaveProgram, dialog.get(), LeaveProgramForUpdate);
    return dialog;
  });
  // A new history font shows at once; OK shows the settings on the main
  // window.
  RegisterModalTool<SettingsDialog>(Tool::Settings, [](QWidget* owner) {
    auto dialog = std::make_unique<SettingsDialog>(owner);
    QObject::connect(dialog.get(), &SettingsDialog::displayFontChosen, dialog.get(), ApplyDisplayFont);
    QObject::connect(dialog.get(), &SettingsDialog::settingsApplied, dialog.get(), [] {
      if (MainWindow* window = MainWindow::Instance()) EnableMainWindow(*window);
    });
    return dialog;
  });
  RegisterModalTool<ProgramOptionsDialog>(Tool::ProgramOptions);
  RegisterModalTool<UnitsDialog>(Tool::UnitConversion);
}

}  // namespace brantel
