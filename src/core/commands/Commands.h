#pragma once

#include "core/Bilingual.h"

#include <QString>

#include <optional>
#include <span>

namespace brantel {

// The menus of the main window and what their entries open. Widget-free, so
// that the tables and the quick-button dispatch can be checked directly.

enum class Menu { File, Input, Stress, Failure, Utilities, Help };

// The dialogs and commands that other parts of the program provide to the
// menus. The main window opens them through the tool registry.
enum class Tool {
  ProjectDescription,  // DescriptionDialog
  PlaneStress,         // PlaneElasticityDialog
  Elasticity3D,        // Elasticity3DDialog
  StrainRosette,       // RosetteDialog
  Transformation,      // TransformationDialog
  LabTest,             // LabTestDialog
  RoofBolting,         // RoofBoltingDialog
  Stress2D,            // Stress2DDialog
  Stress3D,            // Stress3DDialog
  CircularOpening,     // CircularOpeningDialog (modeless)
  RoomAndPillar,       // RoomPillarDialog
  PointLoad,           // PointLoadDialog
  Foundation,          // FoundationDialog
  Coulomb,             // CoulombDialog
  CoulombJoint,        // CoulombJointDialog
  CoulombWedge,        // CoulombWedgeDialog
  Bieniawski,          // BieniawskiDialog
  HoekBrown,           // HoekBrownDialog
  VonMises,            // VonMisesDialog
  CircularFailure,     // CircularFailureDialog
  Settings,            // SettingsDialog
  ProgramOptions,      // ProgramOptionsDialog
  UnitConversion,      // UnitsDialog
  ProgramUpdate,       // UpdateDialog
  PrinterSetup,        // the printer dialog
  Print,               // builds the output listing and prints it
  PrintPreview,        // builds the output listing and opens PrintPreview
  TextBrowser,         // TextBrowser; stays last (kToolCount)
};
inline constexpr int kToolCount = static_cast<int>(Tool::TextBrowser) + 1;

// One menu entry's captions. A separator has no captions.
using MenuCaption = Bilingual;
inline bool IsSeparator(const MenuCaption& caption) { return caption.english == nullptr; }

// The top-level menus File, Input, Utilities, Help in this order.
std::span<const MenuCaption> TopMenuCaptions();
// One entry of a menu: its captions, and the dialog or command of another
// part of the program that it opens, if it opens one.
struct MenuRow {
  MenuCaption caption;
  std::optional<Tool> tool = std::nullopt;
};

// The entries of a menu, index 0 first. Failure Criteria item 7 keeps its
// English design caption in both languages.
std::span<const MenuRow> MenuRows(Menu menu);
// The caption of an entry in a language, "" for a separator or an index
// outside the menu.
QString MenuCaptionText(Menu menu, int index, bool english);

// Utilities item 6 after the history pane was toggled.
QString HistoryToggleCaption(bool paneVisible, bool english);

// The dialog or command an entry opens (its row's tool), if it opens one of
// another part of the program.
std::optional<Tool> ToolOfEntry(Menu menu, int index);

// Whether an entry shows a dialog with the main window as owner.
bool OwnedByMainWindow(Tool tool);

// A quick button's code: 1..9 Input item code - 1, 21..29 Stress Analysis item
// (code mod 10) - 1, 31..39 Failure Criteria item (code mod 10) - 1; every
// other code stands for nothing. The target index may be one its menu does
// not know (29, 39), which then does nothing.
struct MenuEntry {
  Menu menu;
  int index;
  bool operator==(const MenuEntry&) const = default;
};
std::optional<MenuEntry> QuickButtonTarget(int code);

// The main window's caption: the prefix, ": " and the project path (a path of 51
// characters or more shows its first 10, "..." and its last 37), then "*"
// while there are unsaved changes.
QString MainCaptionText(const QString& prefix, const QString& projectPath, bool unsaved);

}  // namespace brantel
