#include "mainwindow/ProgramTools.h"

#include "core/OutputBuffers.h"
#include "core/commands/ToolRegistry.h"
#include "core/project/OutputListing.h"
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
namespace {

// Loads a dialog, lets `wire` connect its signals, and shows it modally.
template <typename Dialog, typename Wire>
void OpenWired(QWidget* owner, Wire wire) {
  Dialog dialog(owner);
  wire(dialog);
  dialog.exec();
}

}  // namespace

void RegisterProgramTools() {
  RegisterTool(Tool::ProjectDescription, [](QWidget* owner) { ShowDescriptionDialog(owner); });
  RegisterTool(Tool::PrinterSetup, [](QWidget* owner) { PrinterSetup(owner); });
  // Print and Print Preview build the listing of the project into the first
  // output page first. A printer failure is reported by the print itself,
  // which offers to start the job again or abandons it.
  RegisterTool(Tool::Print, [](QWidget*) {
    LoadOutBuf0();
    PrintWholeText(OutBuf[0]);
  });
  RegisterTool(Tool::PrintPreview, [](QWidget*) {
    LoadOutBuf0();
    forms::ShowModal<PrintPreview>(nullptr);
  });
  RegisterTool(Tool::TextBrowser, [](QWidget*) { forms::ShowModal<TextBrowser>(nullptr); });
  RegisterTool(Tool::Stress2D, forms::OpenModal<Stress2DDialog>);
  RegisterTool(Tool::CoulombWedge, forms::OpenModal<CoulombWedgeDialog>);
  RegisterTool(Tool::Coulomb, forms::OpenModal<CoulombDialog>);
  RegisterTool(Tool::CoulombJoint, forms::OpenModal<CoulombJointDialog>);
  RegisterTool(Tool::Bieniawski, forms::OpenModal<BieniawskiDialog>);
  RegisterTool(Tool::HoekBrown, forms::OpenModal<HoekBrownDialog>);
  RegisterTool(Tool::VonMises, forms::OpenModal<VonMisesDialog>);
  RegisterTool(Tool::PlaneStress, forms::OpenModal<PlaneElasticityDialog>);
  RegisterTool(Tool::Elasticity3D, forms::OpenModal<Elasticity3DDialog>);
  RegisterTool(Tool::StrainRosette, forms::OpenModal<RosetteDialog>);
  RegisterTool(Tool::Transformation, forms::OpenModal<TransformationDialog>);
  RegisterTool(Tool::CircularFailure, forms::OpenModal<CircularFailureDialog>);
  RegisterTool(Tool::Foundation, forms::OpenModal<FoundationDialog>);
  RegisterTool(Tool::LabTest, forms::OpenModal<LabTestDialog>);
  RegisterTool(Tool::RoofBolting, forms::OpenModal<RoofBoltingDialog>);
  RegisterTool(Tool::Stress3D, forms::OpenModal<Stress3DDialog>);
  RegisterTool(Tool::RoomAndPillar, forms::OpenModal<RoomPillarDialog>);
  RegisterTool(Tool::PointLoad, forms::OpenModal<PointLoadDialog>);
  // Modeless; the main window is active again once it closes.
  RegisterTool(Tool::CircularOpening, forms::OpenModeless<CircularOpeningDialog, ReturnToMainWindow>);
  // The install step leaves the program through the main window's close.
  RegisterTool(Tool::ProgramUpdate, [](QWidget* owner) {
    OpenWired<UpdateDialog>(owner, [](UpdateDialog& dialog) {
      QObject::connect(&dialog, &UpdateDialog::leaveProgram, &dialog, LeaveProgramForUpdate);
    });
  });
  // A new history font shows at once; OK shows the settings on the main
  // window.
  RegisterTool(Tool::Settings, [](QWidget* owner) {
    OpenWired<SettingsDialog>(owner, [](SettingsDialog& dialog) {
      QObject::connect(&dialog, &SettingsDialog::displayFontChosen, &dialog, ApplyDisplayFont);
      QObject::connect(&dialog, &SettingsDialog::settingsApplied, &dialog, [] {
        if (MainWindow* window = MainWindow::Instance()) EnableMainWindow(*window);
      });
    });
  });
  RegisterTool(Tool::ProgramOptions, forms::OpenModal<ProgramOptionsDialog>);
  RegisterTool(Tool::UnitConversion, forms::OpenModal<UnitsDialog>);
}

}  // namespace brantel
